// The edit drawn through its view info: recalculating at the mouse, repainting what changed and
// turning button state changes into button down, click and up.
#include "cx/editors/cxEdit.h"
#include "cx/editors/cxEditUtils.h"
#include "cx/editors/cxEditViewInfo.h"
#include "cx/editors/cxEditScopes.h"
#include "cx/foundation/cxSolidBrushCache.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/win/MessageIds.h"

TcxContainerViewInfoClass TcxCustomEdit::GetViewInfoClass() {
  TClass viewInfoClass = properties_ ? GetActiveProperties()->GetViewInfoClass()
                                     : TcxCustomEditViewInfo::StaticClass();
  return [viewInfoClass] { return static_cast<TcxContainerViewInfo*>(viewInfoClass->NewInstance()); };
}

TcxCustomEditViewInfo* TcxCustomEdit::EditViewInfo() {
  // One made while the container was still being built is not an editor's: make it again.
  if (auto* viewInfo = dynamic_cast<TcxCustomEditViewInfo*>(ViewInfo())) return viewInfo;
  ResetViewInfo();
  return static_cast<TcxCustomEditViewInfo*>(ViewInfo());
}

std::unique_ptr<TcxCustomEditViewData> TcxCustomEdit::CreateViewData() {
  auto data = GetActiveProperties()->CreateViewData(Style(), IsInplace());
  // The framework's own rule: a mask edit's loading state does not hide the edit from its views.
  data->Edit = TcxCustomEdit::IsEditUnavailable() ? nullptr : this;
  data->WindowHandle = HandleAllocated() ? Handle() : nullptr;
  return data;
}

void TcxCustomEdit::InitializeViewData(TcxCustomEditViewData* AViewData) {
  AViewData->Enabled = Enabled();
  AViewData->Focused = Focused();
  AViewData->InnerEdit = InnerControl();
  AViewData->IsDesigning = IsDesigning();
  AViewData->HScrollBar = HScrollBarVisible() ? HScrollBar() : nullptr;
  AViewData->VScrollBar = VScrollBarVisible() ? VScrollBar() : nullptr;
}

void TcxCustomEdit::CalculateViewInfo(POINT P, int AButton, TShiftState AShift, bool AIsMouseEvent) {
  auto data = CreateViewData();
  InitializeViewData(data.get());
  data->Calculate(TcxControl::Canvas(), cxGetControlRect(this), P, AButton, AShift, EditViewInfo(), AIsMouseEvent);
  // Without an inner control the view info draws the value itself.
  if (!InnerControl()) data->PrepareViewInfoValue(TcxControl::Canvas(), EditValue(), EditViewInfo());
}

// The container's own recalculation goes through the edit's view data too.
void TcxCustomEdit::CalculateViewInfo(POINT P, bool) { CalculateViewInfo(P, 0, cxGetShiftState(), false); }

void TcxCustomEdit::CalculateViewInfoAtCursor() {
  const POINT p = HandleAllocated() ? ScreenToClient(cxGetMouseCursorPos()) : POINT{-1, -1};
  CalculateViewInfo(p, 0, cxGetShiftState(), false);
}

void TcxCustomEdit::UpdateViewInfoAtCursor(bool AIsMouseEvent) {
  if (!HandleAllocated() || cxContainerDestroying(this)) return;
  RefreshContainer(ScreenToClient(cxGetMouseCursorPos()), 0, cxGetShiftState(), AIsMouseEvent);
}

int TcxCustomEdit::GetButtonIndexAt(POINT P) { return EditViewInfo()->GetButtonIndexAt(P); }

bool TcxCustomEdit::RefreshContainer(POINT P, int AButton, TShiftState AShift, bool AIsMouseEvent) {
  if (!HandleAllocated() || cxContainerDestroying(this)) return false;
  if (capturedButton_ >= 0 && !MouseCapture()) capturedButton_ = -1;
  std::unique_ptr<TcxCustomEditViewInfo> old;
  if (AIsMouseEvent) {
    old.reset(static_cast<TcxCustomEditViewInfo*>(GetActiveProperties()->GetViewInfoClass()->NewInstance()));
    old->Assign(EditViewInfo());
  }
  if (shadowChanged_) {
    // Taken once: the resize refreshes the edit again.
    shadowChanged_ = false;
    const int d = EditViewInfo()->Shadow ? -kShadowSize : kShadowSize;
    SetBounds(Left(), Top(), Width() + d, Height() + d);
  }
  CalculateViewInfo(P, AButton, AShift, AIsMouseEvent);
  RECT innerEditRect{};
  if (InnerControl() && InnerEditDrawsText()) innerEditRect = InnerControl()->BoundsRect();
  const bool differed = EditViewInfo()->Repaint(this, old.get(), innerEditRect);
  if (!old || differed) {
    AdjustInnerControl();
    if (HandleAllocated()) UpdateEditRegion();
    if (old && differed) ButtonsStateChanged(old.get(), AButton);
  }
  return true;
}

void TcxCustomEdit::UpdateEditRegion() { UpdateEditWindowRegion(EditViewInfo(), Handle()); }

void TcxCustomEdit::ButtonsStateChanged(TcxCustomEditViewInfo* AOldViewInfo, int) {
  TcxCustomEditViewInfo* now = EditViewInfo();
  if (now->PressedButton == AOldViewInfo->PressedButton && now->HotButton == AOldViewInfo->HotButton) return;
  if (AOldViewInfo->PressedButton >= 0 && now->PressedButton != AOldViewInfo->PressedButton) {
    const int released = AOldViewInfo->PressedButton;
    DoButtonUp(released);
    // A click is a release over the button the press began on.
    if (now->HotButton == released) DoButtonClick(released);
  }
  if (now->PressedButton >= 0 && AOldViewInfo->PressedButton < 0) DoButtonDown(now->PressedButton);
}

void TcxCustomEdit::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  inherited::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft || !MouseCapture()) return;
  const int index = GetButtonIndexAt({X, Y});
  if (index >= 0 && EditViewInfo()->Button(index)->State == ebsPressed) capturedButton_ = index;
}

void TcxCustomEdit::MouseLeave(TControl* AControl) {
  inherited::MouseLeave(AControl);
  TcxCustomEditViewInfo* viewInfo = EditViewInfo();
  for (const auto& button : viewInfo->ButtonsInfo) {
    if (button->State != ebsSelected) continue;
    button->State = ebsNormal;
    InvalidateRect(button->Bounds, true);
  }
  if (viewInfo->HotButton >= 0) viewInfo->HotButton = -1;
}

void TcxCustomEdit::ContainerStyleChanged(TObject*) {
  if (!HandleAllocated()) return;
  auto data = CreateViewData();
  shadowChanged_ = data->HasShadow() != EditViewInfo()->Shadow && !IsLoading();
  TScopeExit done([this] { shadowChanged_ = false; });
  UpdateViewInfoAtCursor(false);
  TcxFlagScope applying(applyingStyle_);
  const TColor color = Style()->Color();
  if (Color() != color) SetColor(color);
  if (InnerControl() && InnerControl()->Color() != color) InnerControl()->SetColor(color);
  // An assigned style font is the control's too (the inner control follows its parent's).
  if (Style()->AssignedValues().Contains(svFont)) Font()->Assign(Style()->Font());
  Invalidate();
}

void TcxCustomEdit::FontChanged() {
  inherited::FontChanged();
  if (!applyingStyle_ && properties_ && !cxContainerDestroying(this)) {
    TcxFlagScope applying(applyingStyle_);
    TcxCustomEditStyle* style = Style();
    const bool wasAssigned = style->AssignedValues().Contains(svFont);
    style->SetFont(Font());
    if (!wasAssigned) style->SetAssignedValues(style->AssignedValues() - TcxEditStyleValues{svFont});
  }
  UpdateViewInfoAtCursor(false);
}

void TcxCustomEdit::InnerControlMouseMove(TControl* AInner, TShiftState Shift, int X, int Y) {
  if (!HandleAllocated()) return;
  Perform(WM_MOUSEMOVE, ShiftStateToMouseKeys(Shift), PointToLParam(X + AInner->Left(), Y + AInner->Top()));
}

void TcxCustomEdit::ThemeChanged() {
  cxClearSolidBrushCache();
  inherited::ThemeChanged();
}

void TcxCustomEdit::CMSysColorChange(TMessage& Message) {
  inherited::Dispatch(Message);
  cxClearSolidBrushCache();
}
