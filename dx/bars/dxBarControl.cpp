#include "dx/bars/dxBarControl.h"

#include "dx/bars/dxBarQuickCustomizing.h"

#include <algorithm>

#include "dx/bars/dxBarHint.h"
#include "dx/bars/dxBarPopupMenu.h"
#include "dx/bars/dxBarQuickCustomizing.h"
#include "platform/forms/Forms.h"
#include "platform/gdi/Draw.h"
#include "platform/gdi/Objects.h"
#include "platform/gdi/Region.h"
#include "platform/gdi/Text.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/win/Windows.h"

TRENVIK_IMPLEMENT_CLASS(TCustomdxBarControl)

TRENVIK_MESSAGE_MAP(TCustomdxBarControl) {
  M.On(WM_MOUSEMOVE, &TCustomdxBarControl::WMMouseMove);
  M.On(WM_LBUTTONDOWN, &TCustomdxBarControl::WMLButtonDown);
  M.On(WM_LBUTTONUP, &TCustomdxBarControl::WMLButtonUp);
  M.On(WM_RBUTTONDOWN, &TCustomdxBarControl::WMRButtonDown);
  M.On(WM_MOUSELEAVE, &TCustomdxBarControl::WMMouseLeave);
  M.On(WM_MOUSEACTIVATE, &TCustomdxBarControl::WMMouseActivate);
  M.On(WM_CAPTURECHANGED, &TCustomdxBarControl::WMCaptureChanged);
  M.On(WM_ERASEBKGND, &TCustomdxBarControl::WMEraseBkgnd);
  M.On(WM_KEYDOWN, &TCustomdxBarControl::WMKeyDown);
  M.On(WM_COMMAND, &TCustomdxBarControl::WMCommand);
  M.On(WM_DXBAR_REBUILD, &TCustomdxBarControl::WMRebuild);
  M.On(WM_SETFOCUS, &TCustomdxBarControl::WMSetFocus);
  M.On(WM_WINDOWPOSCHANGED, &TCustomdxBarControl::WMWindowPosChanged);
}

TCustomdxBarControl::TCustomdxBarControl(TdxBarManager* AOwner) : TCustomControl(AOwner), manager_(AOwner) {
  AddBarControl(this);
  TControlStyle style = ControlStyle();
  style.Exclude(csCaptureMouse);
  SetControlStyle(style);
  SetColor(clBtnFace);
  SetVisible(false);
  SetBounds(100, 100, 50, 30);
  shadow_ = std::make_unique<TdxBarShadow>(this);
}

TCustomdxBarControl::~TCustomdxBarControl() {
  shadow_.reset();
  SetActive(false);
  RemoveBarControl(this);
  DestroyItemControls();
  if (itemLinks_ && itemLinks_->BarControl() == this) itemLinks_->SetBarControl(nullptr);
}

HBRUSH TCustomdxBarControl::GetBackgroundBrush() const {
  return IsFlat() ? manager_->FlatBackgroundBrush() : GetSysColorBrush(COLOR_BTNFACE);
}

HBRUSH TCustomdxBarControl::GetDownPatternBrush() const {
  return IsFlat() ? manager_->FlatDownBrush() : CheckerBrush();
}

HBRUSH TCustomdxBarControl::GetDownBrush() const {
  return IsFlat() ? manager_->FlatSelectedBrush() : GetSysColorBrush(COLOR_BTNFACE);
}

HBRUSH TCustomdxBarControl::GetSelectedBrush() const {
  return IsFlat() ? manager_->FlatHighlightBrush() : GetSysColorBrush(COLOR_HIGHLIGHT);
}

TdxBarItemControl* TCustomdxBarControl::FindControlAt(POINT P) const {
  if (!itemLinks_ || (IsCustomizing() && !AllowsCustomizing())) return nullptr;
  for (TdxBarItemLink* link : itemLinks_->VisibleItems()) {
    const RECT& r = link->ItemRect();
    if (link->Control() && PtInRect(&r, P)) return link->Control();
  }
  return nullptr;
}

void TCustomdxBarControl::CreateItemControls() {
  if (!itemLinks_) return;
  for (TdxBarItemLink* link : itemLinks_->VisibleItems()) link->CreateControl();
}

void TCustomdxBarControl::DestroyItemControls() {
  if (!itemLinks_) return;
  TValueScope lock(locked_, true);
  for (int i = 0; i < itemLinks_->Count(); ++i) itemLinks_->Items(i)->DestroyControl();
  selectedControl_ = nullptr;
  pressedControl_ = nullptr;
}

void TCustomdxBarControl::CalcMetrics() {
  Canvas()->Font()->Assign(manager_->Font());
  textSize_ = Canvas()->TextHeight(u"0") + 6;
  arrowSize_ = std::max(4, textSize_ / 5);
  HDC dc = GetDC(nullptr);
  TScopeExit release([dc] { ReleaseDC(nullptr, dc); });
  HGDIOBJ old = SelectObject(dc, GetFontHandle());
  SIZE zero{};
  GetTextExtentPoint32(dc, u"0", 1, &zero);
  SelectObject(dc, old);
  editHeight_ = zero.cy + 6 + (IsFlat() ? 1 : 0);
  comboButtonWidth_ = 2 * zero.cx - 1;
}

void TCustomdxBarControl::CreateWnd() {
  inherited::CreateWnd();
  CreateItemControls();
  CalcMetrics();
}

void TCustomdxBarControl::DestroyWnd() {
  DestroyItemControls();
  inherited::DestroyWnd();
}

void TCustomdxBarControl::InvalidateItem(TdxBarItemControl* Control) {
  if (!HandleAllocated() || !Control || !Control->ItemLink()) return;
  RECT r = Control->ItemLink()->ItemRect();
  InvalidateRect(Handle(), &r, FALSE);
}

void TCustomdxBarControl::DrawItemControl(TdxBarItemControl*) { itemBrush_ = GetBackgroundBrush(); }

void TCustomdxBarControl::RepaintSelection(TdxBarItemControl* OldSelected) {
  if (locked_) return;
  if (OldSelected && OldSelected->Item() && !OldSelected->Item()->IsDestroying()) OldSelected->Repaint();
  if (selectedControl_) selectedControl_->Repaint();
}

void TCustomdxBarControl::SetActive(bool Value) {
  UpdateBarHint(manager_, false);
  if (active_ == Value) return;
  if (Value) {
    prevActiveBarControl_ = ActiveBarControl();
    SetActiveBarControl(this);
    active_ = true;
    return;
  }
  menuDropped_ = false;
  if (IsCustomizing())
    selectedControl_ = nullptr;
  else
    SelectItem(nullptr);
  active_ = false;
  if (ActiveBarControl() == this) {
    SetActiveBarControl(prevActiveBarControl_);
    TCustomdxBarControl* previous = ActiveBarControl();
    if (!IsBarControlAlive(previous) || !previous->Active()) SetActiveBarControl(nullptr);
  }
  prevActiveBarControl_ = nullptr;
}

void TCustomdxBarControl::Close() {
  // A menu leaving the chain frees itself: its parent is taken first.
  TCustomdxBarControl* parent = parentBarControl_;
  SetActive(false);
  if (IsBarControlAlive(parent)) parent->Close();
}

void TCustomdxBarControl::SetSelectedControl(TdxBarItemControl* Control) {
  if (selectedControl_ == Control) return;
  if (TdxBarQuickControl* quick = OpenQuickControl(); Control && quick && quick != this && !quick->Active())
    quick->ScheduleClose(this);
  TdxBarItemControl* old = selectedControl_;
  selectedControl_ = Control;
  RepaintSelection(old);
  GetCursorPos(&lastMousePos_);
  // Toolbars show the hint of the item under the mouse; menus show none.
  if (!IsPopupWindow()) UpdateBarHint(manager_, true);
  DoHint();
}

// The long hint of the selection, for the application's hint (a status bar): the framework takes it
// from the window under the mouse, and a popup menu of the program's own, which the mouse need not
// be over, hands it on at once.
void TCustomdxBarControl::DoHint() {
  TdxBarItemControl* selected = selectedControl_;
  const bool shown = selected && (selected->IsEnabled() || manager_->ShowHintForDisabledItems());
  const String text = shown ? GetLongHint(selected->GetHint()) : String();
  SetHint(text);
  TCustomdxBarControl* root = this;
  while (IsBarControlAlive(root->parentBarControl_) && !root->ComponentState().Contains(csDestroying))
    root = root->parentBarControl_;
  auto* popup = root->itemLinks_ ? dynamic_cast<TdxBarPopupMenu*>(root->itemLinks_->GetOwner()) : nullptr;
  if (popup && !popup->NonModal() && Application) Application->SetHint(text);
}

void TCustomdxBarControl::SelectItem(TdxBarItemControl* Control) {
  if (selectedControl_ == Control) return;
  if (selectedControl_ && selectedControl_->Active()) selectedControl_->ControlInactivate(true);
  if (!IsBarControlAlive(this)) return;
  if (Control) Control->SetHotSelected(false);
  SetSelectedControl(Control);
}

void TCustomdxBarControl::HotSelect(TdxBarItemControl* Control) {
  if (!HandleAllocated() || selectedControl_ == Control) return;
  if (selectedControl_ && selectedControl_->Active()) selectedControl_->ControlInactivate(false);
  if (Control) Control->SetHotSelected(true);
  SetSelectedControl(Control);
  if (IsBarControlAlive(this) && selectedControl_) selectedControl_->ControlActivate(false);
}

bool TCustomdxBarControl::IgnoresMouseMove(POINT ScreenPoint) const {
  return IsCustomizing() || (ScreenPoint.x == lastMousePos_.x && ScreenPoint.y == lastMousePos_.y);
}

void TCustomdxBarControl::WMMouseMove(TMessage& Message) {
  if (locked_) return;
  POINT p{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)};
  if (dragArmed_) {
    CustomizingMouseMove(p);
    return;
  }
  TdxBarItemControl* under = FindControlAt(p);
  if (pressedControl_) {
    bool inside = under == pressedControl_;
    if (inside != pressedInside_) {
      pressedInside_ = inside;
      pressedControl_->Repaint();
    }
  }
  RECT client = ClientRect();
  if (!PtInRect(&client, p)) return;
  POINT screen = p;
  ::ClientToScreen(Handle(), &screen);
  if (IgnoresMouseMove(screen)) return;
  lastMousePos_ = screen;
  StartMouseLeaveTracking(Handle());
  if (under && !under->CanHotTrack()) under = nullptr;
  if ((!under && active_) || pressedControl_) return;
  HotSelect(under);
}

void TCustomdxBarControl::PressControl(TdxBarItemControl* Control) { SelectItem(Control); }

void TCustomdxBarControl::WMLButtonDown(TMessage& Message) {
  if (skipNextClick_) return;
  POINT p{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)};
  if (IsCustomizing()) {
    CustomizingLButtonDown(p);
    return;
  }
  if (!itemLinks_ || itemLinks_->VisibleItems().empty()) return;
  TdxBarItemControl* control = FindControlAt(p);
  if (!control || !control->IsEnabled()) {
    PressControl(nullptr);
    return;
  }
  PressControl(control);
  if (!IsBarControlAlive(this) || selectedControl_ != control) return;
  control->ControlPress(true);
  if (!IsBarControlAlive(this) || !control->ItemLink() || control->ItemLink()->Control() != control) return;
  if (control->CaptureOnPress()) {
    pressedControl_ = control;
    pressedInside_ = true;
    SetCapture(Handle());
    control->Repaint();
  }
}

void TCustomdxBarControl::WMLButtonUp(TMessage& Message) {
  if (skipNextClick_) {
    skipNextClick_ = false;
    return;
  }
  if (dragArmed_) {
    dragArmed_ = false;
    ReleaseCapture();
    return;
  }
  bool wasPressed = pressedControl_ != nullptr;
  if (wasPressed) ReleaseCapture();
  POINT p{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)};
  RECT client = ClientRect();
  // A command that leaves the menus open (a check entry of a list of options) keeps them open.
  bool keepOpen = false;
  if (active_ && PtInRect(&client, p)) {
    TdxBarItemControl* control = FindControlAt(p);
    if (control && control->CanClickItem()) {
      if (control->IsEnabled() && control == selectedControl_) {
        keepOpen = !control->ClosesMenusOnClick();
        control->Click(true);
      } else if (!control->IsEnabled() && control != selectedControl_) {
        Close();
      }
    }
  }
  if (wasPressed && !keepOpen && IsBarControlAlive(this)) Close();
}

void TCustomdxBarControl::WMMouseLeave(TMessage&) {
  // An active window, and a button whose drop-down is open, keep their selection.
  if (IsCustomizing() || active_ || (selectedControl_ && selectedControl_->KeepsSelection())) return;
  HotSelect(nullptr);
}

void TCustomdxBarControl::WMMouseActivate(TMessage& Message) { Message.Result = MA_NOACTIVATE; }

void TCustomdxBarControl::WMCaptureChanged(TMessage& Message) {
  inherited::Dispatch(Message);
  if (dragArmed_) {
    dragArmed_ = false;
    manager_->SetDragged(nullptr, nullptr);
  }
  pressedControl_ = nullptr;
}

void TCustomdxBarControl::WMEraseBkgnd(TMessage& Message) {
  if (!itemLinks_ || itemLinks_->VisibleItems().empty()) {
    RECT r = ClientRect();
    FillRect(reinterpret_cast<HDC>(Message.WParam), &r, GetBackgroundBrush());
  }
  Message.Result = 1;
}

void TCustomdxBarControl::WMSetFocus(TMessage&) {
  // A bar window never keeps the focus: it goes back to the owner form.
  TCustomForm* form = manager_->ParentForm();
  if (form && form->HandleAllocated() && IsWindowVisible(form->Handle())) ::SetFocus(form->Handle());
}

void TCustomdxBarControl::WMRebuild(TMessage&) { Rebuild(); }

bool TCustomdxBarControl::IsOwnerAdjacent() const {
  if (IsRectEmpty(&ownerRect_) || !const_cast<TCustomdxBarControl*>(this)->HandleAllocated()) return false;
  RECT w;
  GetWindowRect(const_cast<TCustomdxBarControl*>(this)->Handle(), &w);
  const RECT& o = ownerRect_;
  bool overlapX = o.left < w.right && w.left < o.right;
  bool overlapY = o.top < w.bottom && w.top < o.bottom;
  return ((o.bottom == w.top || o.top == w.bottom) && overlapX) || ((o.right == w.left || o.left == w.right) && overlapY);
}

bool TCustomdxBarControl::ShadowVisible() const {
  auto* self = const_cast<TCustomdxBarControl*>(this);
  return IsFlat() && dockingStyle_ == dsNone && self->HandleAllocated() && IsWindowVisible(self->Handle());
}

void TCustomdxBarControl::UpdateShadow() {
  if (!shadow_ || !HandleAllocated()) return;
  RECT bounds;
  GetWindowRect(Handle(), &bounds);
  shadow_->SetRects(IsOwnerAdjacent() ? ownerRect_ : RECT{}, bounds);
  shadow_->SetVisible(ShadowVisible());
}

void TCustomdxBarControl::WMWindowPosChanged(TMessage& Message) {
  inherited::Dispatch(Message);
  // Parts are rebuilt only for a move or a size; showing or hiding only shows or hides them.
  const auto* pos = reinterpret_cast<const WINDOWPOS*>(Message.LParam);
  if (!shadow_) return;
  if (!(pos->flags & SWP_NOMOVE) || !(pos->flags & SWP_NOSIZE))
    UpdateShadow();
  else
    shadow_->SetVisible(ShadowVisible());
}

bool TCustomdxBarControl::NavigationKey(WORD& Key, TShiftState Shift) {
  if (IsVertical()) {
    static constexpr WORD kFrom[] = {VK_LEFT, VK_UP, VK_RIGHT, VK_DOWN};
    static constexpr WORD kTo[] = {VK_UP, VK_LEFT, VK_DOWN, VK_RIGHT};
    for (int i = 0; i < 4; ++i)
      if (Key == kFrom[i]) {
        Key = kTo[i];
        break;
      }
  }
  bool menu = IsPopupWindow();
  int direction = 0;
  switch (Key) {
    case VK_LEFT:
      direction = menu ? 0 : -1;
      break;
    case VK_RIGHT:
      direction = menu ? 0 : 1;
      break;
    case VK_UP:
      direction = menu ? -1 : 0;
      break;
    case VK_DOWN:
      direction = menu ? 1 : 0;
      break;
    case VK_TAB:
      direction = Shift.Contains(ssShift) ? -1 : 1;
      break;
    case VK_HOME:
    case VK_END: {
      TdxBarItemLink* target = Key == VK_HOME ? itemLinks_->FirstSelectable() : itemLinks_->LastSelectable();
      if (target) SelectItem(target->Control());
      return true;
    }
    case VK_F10:
    case VK_MENU:
      if (Key == VK_F10 && !manager_->UseF10ForMenu()) return false;
      Key = 0;
      Close();
      return true;
    default:
      return false;
  }
  if (direction == 0) return false;
  TdxBarItemLink* current = selectedControl_ ? selectedControl_->ItemLink() : nullptr;
  TdxBarItemLink* target = !current             ? itemLinks_->FirstSelectable()
                           : direction < 0      ? itemLinks_->PrevSelectable(current)
                                                : itemLinks_->NextSelectable(current);
  if (target) SelectItem(target->Control());
  return true;
}

void TCustomdxBarControl::AcceleratorKey(WORD Key, TShiftState Shift) {
  auto character = static_cast<Char>(MapVirtualKey(Key, MAPVK_VK_TO_CHAR));
  bool letter = (character >= u'A' && character <= u'Z') || (character >= u'a' && character <= u'z');
  bool digit = character >= u'0' && character <= u'9';
  if (!letter && !digit) return;
  TdxBarItemLink* start = selectedControl_ ? selectedControl_->ItemLink() : nullptr;
  TdxBarItemLink* match = itemLinks_->FindAccelerated(Key, Shift, start);
  if (!match || !match->Item()->Enabled()) return;
  TdxBarItemLink* next = itemLinks_->FindAccelerated(Key, Shift, match);
  bool unique = !next || next == match;
  if (!match->Control()) return;
  SelectItem(match->Control());
  if (unique && IsBarControlAlive(this)) SendMessage(Handle(), WM_KEYDOWN, VK_RETURN, 0);
}

void TCustomdxBarControl::WMKeyDown(TMessage& Message) {
  if (!ActiveBarControl() || !itemLinks_) return;
  WORD key = static_cast<WORD>(Message.WParam);
  TShiftState shift = KeyDataToShiftState(Message.LParam);
  if (selectedControl_ && selectedControl_->IsEnabled() && selectedControl_->WantsKey(key)) {
    selectedControl_->KeyDown(key);
    return;
  }
  if (NavigationKey(key, shift)) {
    Message.WParam = key;
    return;
  }
  Message.WParam = key;
  AcceleratorKey(key, shift);
}

void TCustomdxBarControl::WMCommand(TMessage& Message) {
  auto child = reinterpret_cast<HWND>(Message.LParam);
  if (!itemLinks_ || !child) return inherited::Dispatch(Message);
  for (TdxBarItemLink* link : itemLinks_->VisibleItems())
    if (link->Control() && link->Control()->OwnsWindow(child)) {
      link->Control()->ChildNotify(HIWORD(Message.WParam));
      return;
    }
  inherited::Dispatch(Message);
}
