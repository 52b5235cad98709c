// The hooks for a customize window (a tool window listing hidden rows): it is attached to the
// inspector, keeps its bounds across showings, hears when a row drag begins and when to refresh.
// The window itself is not part of the inspector.
#include "dx/inspector/dxInspctDrag.h"
#include "platform/win/Windows.h"

void TCustomdxInspector::SetCustomizeForm(TWinControl* Value) {
  if (customizeForm_ == Value) return;
  if (customizeForm_) {
    CustomizeFormHidden();
    customizeForm_->RemoveFreeNotification(this);
  }
  customizeForm_ = Value;
  if (Value) {
    Value->FreeNotification(this);
    CustomizeFormShown();
  }
  UpdateEditor(false, false);
}

void TCustomdxInspector::CustomizeFormShown() {
  if (!customizeForm_) return;
  const RECT& b = customizeBounds_;
  if (b.right != -10000 || b.bottom != -10000)
    customizeForm_->SetBounds(customizeForm_->Left(), customizeForm_->Top(), b.right, b.bottom);
  if (b.left != -10000 || b.top != -10000)
    customizeForm_->SetBounds(b.left, b.top, customizeForm_->Width(), customizeForm_->Height());
  if (OnShowCustomizeForm) OnShowCustomizeForm(this);
}

void TCustomdxInspector::CustomizeFormHidden() {
  if (!customizeForm_) return;
  customizeBounds_ =
      RECT{customizeForm_->Left(), customizeForm_->Top(), customizeForm_->Width(), customizeForm_->Height()};
  if (OnHideCustomizeForm) OnHideCustomizeForm(this);
}

bool TCustomdxInspector::IsInCustomizeForm(POINT Screen) {
  if (!customizeForm_ || !customizeForm_->HandleAllocated() || !IsWindowVisible(customizeForm_->Handle()))
    return false;
  RECT r;
  GetWindowRect(customizeForm_->Handle(), &r);
  return PtInRect(&r, Screen);
}

void TCustomdxInspector::RefreshCustomizeForm() {
  if (!customizeForm_ || !customizeForm_->HandleAllocated()) return;
  const HWND window = customizeForm_->Handle();
  MSG pending;
  if (PeekMessage(&pending, window, WM_DXINSPECTOR_CUSTOMIZEREFRESH, WM_DXINSPECTOR_CUSTOMIZEREFRESH, PM_NOREMOVE))
    return;
  PostMessage(window, WM_DXINSPECTOR_CUSTOMIZEREFRESH, 0, 0);
}

void TCustomdxInspector::AfterLayoutChanged() { RefreshCustomizeForm(); }

void TCustomdxInspector::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == customizeForm_) {
    customizeForm_ = nullptr;
    if (Dragging()) EndDrag(false);
  }
  if (AComponent == images_) {
    images_ = nullptr;  // a list being freed has let go of its change links already
    LayoutChanged();
  }
}
