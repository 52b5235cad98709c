// What a bar window does in customizing mode: picking links, arming and starting their drag, the
// drop hit test and the links' customizing menu.
#include "dx/bars/dxBarControl.h"
#include "dx/bars/dxBarCustomizingDrag.h"
#include "dx/bars/dxBarCustomizingPopup.h"
#include "dx/bars/dxBarSubItem.h"
#include "dx/bars/dxBarSubMenuControl.h"
#include "dx/bars/dxBarSubMenuEditor.h"
#include "dx/bars/dxBarToolbarControl.h"
#include "dx/bars/dxBarToolbarsPopup.h"
#include "platform/win/Windows.h"

RECT TCustomdxBarControl::GetSeparatorRect(const TdxBarItemControl* Control, bool& Above) const {
  Above = false;
  TdxBarItemLink* link = Control->ItemLink();
  if (!link->BeginGroup()) return RECT{};
  const RECT& r = link->ItemRect();
  const int size = GetSeparatorSize();
  if (IsPopupWindow() || IsVertical() || Control->LineBreak()) {
    Above = true;
    return RECT{r.left, r.top - size, r.right, r.top};
  }
  return RECT{r.left - size, r.top, r.left, r.bottom};
}

TdxBarDropTarget TCustomdxBarControl::GetDropTarget(POINT P) const {
  TdxBarDropTarget target;
  if (!itemLinks_) return target;
  target.Vertical = IsPopupWindow() || IsVertical();
  for (TdxBarItemLink* link : itemLinks_->VisibleItems()) {
    TdxBarItemControl* control = link->Control();
    if (!control || !control->CanSelect()) continue;
    RECT r = link->ItemRect();
    bool above = false;
    RECT separator = GetSeparatorRect(control, above);
    bool inItem = PtInRect(&r, P) != 0;
    if (!inItem && !PtInRect(&separator, P)) continue;
    target.Control = control;
    if (!inItem) {
      target.InSeparator = true;
      if (above) target.Vertical = true;
      r = separator;
    }
    target.Before = target.Vertical ? P.y < (r.top + r.bottom) / 2 : P.x < (r.left + r.right) / 2;
    return target;
  }
  return target;
}

void TCustomdxBarControl::CustomizingLButtonDown(POINT P) {
  TdxBarItemControl* control = FindControlAt(P);
  if (control && !control->CanSelect()) return;
  if (control && control == selectedControl_) {
    if (control->Active())
      control->ControlInactivate(true);
    else
      control->ControlActivate(true);
    if (!IsBarControlAlive(this)) return;
  }
  manager_->SetSelectedItem(control);
  if (!IsBarControlAlive(this)) return;
  HotSelect(control);
  if (!control || !IsBarControlAlive(this)) return;
  pressPoint_ = P;
  manager_->SetDragged(control->Item(), control->ItemLink());
  SetCapture(Handle());
  dragArmed_ = true;
}

void TCustomdxBarControl::CustomizingMouseMove(POINT P) {
  const int halfX = GetSystemMetrics(SM_CXDRAG) / 2;
  const int halfY = GetSystemMetrics(SM_CYDRAG) / 2;
  if (std::abs(P.x - pressPoint_.x) <= halfX && std::abs(P.y - pressPoint_.y) <= halfY) return;
  TdxBarItem* item = manager_->DraggedItem();
  TdxBarItemLink* link = manager_->DraggedLink();
  dragArmed_ = false;
  ReleaseCapture();
  if (link && link->Control() && link->Control()->Active()) link->Control()->ControlInactivate(true);
  POINT press = ClientToScreen(pressPoint_);
  manager_->DragItemLink(item, link, &press);
}

void TCustomdxBarControl::CustomizingRButtonDown(POINT P) {
  if (selectedControl_ && selectedControl_->Active()) selectedControl_->ControlInactivate(true);
  TdxBarItemControl* control = FindControlAt(P);
  if (!control || !IsBarControlAlive(this)) return;
  manager_->SetSelectedItem(control);
  SelectItem(control);
  control->Repaint();
  ShowCustomizingPopup(control->ItemLink(), ClientToScreen(P));
}

void TCustomdxBarControl::WMRButtonDown(TMessage& Message) {
  POINT p{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)};
  if (IsCustomizing()) {
    CustomizingRButtonDown(p);
    return;
  }
  if (!IsPopupWindow()) {
    ShowToolbarsPopup(manager_, ClientToScreen(p));
    return;
  }
  inherited::Dispatch(Message);
}

void TCustomdxBarControl::DrawCustomizingFrame(TdxBarItemControl* Control) {
  if (!IsCustomizing()) return;
  bool framed = manager_->Dragging() ? Control->ItemLink() == manager_->DraggedLink()
                                     : Control == selectedControl_ && Control == manager_->SelectedItem();
  if (!framed) return;
  RECT r = Control->ItemLink()->ItemRect();
  HDC dc = Canvas()->Handle();
  HBRUSH brush = GetSysColorBrush(COLOR_WINDOWTEXT);
  FrameRect(dc, &r, brush);
  InflateRect(&r, -1, -1);
  FrameRect(dc, &r, brush);
}

void TdxBarManager::SetSelectedItem(TdxBarItemControl* Value) {
  if (selectedItem_ == Value) return;
  TdxBarItemControl* old = selectedItem_;
  selectedItem_ = Value;
  // The menu of the sub-menu editor goes when the selection leaves it.
  TdxBarSubMenuEditor* editor = GetSubMenuEditor();
  TCustomdxBarControl* edited = editor ? editor->MenuControl() : nullptr;
  if (edited && old && old->Parent() == edited && (!Value || Value->Parent() != edited)) {
    editor->CloseMenu();
    return;
  }
  if (old && !dragging_) old->Repaint();
}

bool TdxBarControl::AllowsCustomizing() const { return inherited::AllowsCustomizing() || bar_->AllowCustomizing(); }

bool TdxBarSubMenuControl::AllowsCustomizing() const {
  if (inherited::AllowsCustomizing()) return true;
  auto* subItem = ItemLinks() ? dynamic_cast<TdxBarSubItem*>(ItemLinks()->GetOwner()) : nullptr;
  return !subItem || subItem->AllowCustomizing();
}
