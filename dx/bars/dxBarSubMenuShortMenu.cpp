// Short menus: the links used most, an expand button for the rest.
#include "dx/bars/dxBarHint.h"
#include "dx/bars/dxBarStrs.h"
#include "dx/bars/dxBarSubMenuControl.h"
#include "platform/gdi/Controls.h"
#include "platform/gdi/Draw.h"
#include "platform/gdi/Objects.h"
#include "platform/gdi/Text.h"
#include "platform/win/Windows.h"

bool TdxBarSubMenuControl::HasExpandButton() const {
  return BarManager()->ShowsRecentItemsFirst() &&
         ItemLinks()->VisibleItems().size() < ItemLinks()->CanVisibleItems().size();
}

int TdxBarSubMenuControl::ExpandButtonHeight() const {
  SIZE zero{};
  HDC dc = const_cast<TdxBarSubMenuControl*>(this)->Canvas()->Handle();
  GetTextExtentPoint32(dc, u"0", 1, &zero);
  const int frame = IsFlat() ? 0 : 2;
  const int height = zero.cy - (IsFlat() ? 2 : 0) + 1;
  // The chevrons need an even size to be drawn symmetrically.
  const int chevron = (height - 4 - frame) / 2;
  return chevron % 2 ? 2 * chevron + 4 : height;
}

RECT TdxBarSubMenuControl::ExpandButtonRect() const {
  if (!HasExpandButton()) return RECT{};
  const int inset = IsFlat() ? 1 : 2;
  const int width = Width(), bottom = Height() - inset;
  return RECT{inset, bottom - ExpandButtonHeight(), width - inset, bottom};
}

void TdxBarSubMenuControl::ApplyRecentCount() {
  bool showsAll = !BarManager()->ShowsRecentItemsFirst() || MenusExpanded();
  ItemLinks()->SetRecentItemCount(showsAll ? -1 : ItemLinks()->CalcRecentItemCount());
}

void TdxBarSubMenuControl::Expand() {
  if (!HasExpandButton()) return;
  WaitForAnimation();
  StopExpandTimer();
  SetMenusExpanded(true);
  markState_ = 0;
  UpdateBarHint(BarManager(), false);
  TdxBarItemLink* selected = SelectedControl() ? SelectedControl()->ItemLink() : nullptr;
  SelectItem(nullptr);
  DestroyItemControls();
  LayOutAtRequestedPoint();
  if (selected && selected->Control()) SelectItem(selected->Control());
  Invalidate();
  // The whole menu opens again as a new one would.
  animate_ = true;
  StartAnimation(requested_);
  UpdateShadow();
}

bool TdxBarSubMenuControl::ExpandByKey(WORD Key) {
  if (!HasExpandButton()) return false;
  auto held = [](int vk) { return GetKeyState(vk) < 0; };
  bool ctrl = held(VK_CONTROL), shift = held(VK_SHIFT), alt = held(VK_MENU);
  if (Key == VK_DOWN && ctrl && !shift && !alt) {
    Expand();
    return true;
  }
  const auto& shown = ItemLinks()->VisibleItems();
  bool onLast = !shown.empty() && SelectedControl() && SelectedControl() == shown.back()->Control();
  // The key goes on to move into the entries that came in.
  if ((Key == VK_DOWN || Key == VK_TAB) && !ctrl && !shift && !alt && onLast) Expand();
  return false;
}

void TdxBarSubMenuControl::SetMarkState(int State) {
  if (IsCustomizing() || !BarManager()->ShowsRecentItemsFirst()) return;
  // An entry's edit being typed into keeps the button cold.
  if (State == 1 && SelectedControl() && SelectedControl()->InnerEditActive()) State = 0;
  if (State == markState_) return;
  markState_ = State;
  if (State == 2) {
    Expand();
    return;
  }
  RECT button = ExpandButtonRect();
  if (HandleAllocated()) InvalidateRect(Handle(), &button, FALSE);
  if (BarManager()->ShowFullMenusAfterDelay()) {
    StopExpandTimer();
    POINT cursor{};
    GetCursorPos(&cursor);
    cursor = ScreenToClient(cursor);
    if (State == 1 && PtInRect(&button, cursor))
      SetTimer(Handle(), kExpandTimerId, kExpandButtonRestDelay, nullptr);
  } else if (State == 1) {
    UpdateBarHint(BarManager(), true, LoadResString(dxSBAR_EXPAND));
  } else {
    UpdateBarHint(BarManager(), false);
  }
}

void TdxBarSubMenuControl::SetSelectedControl(TdxBarItemControl* Control) {
  if (markState_ == 0 && HandleAllocated() && ItemLinks()) {
    StopExpandTimer();
    if (Active() && !MenusExpanded() && HasExpandButton() && BarManager()->ShowFullMenusAfterDelay())
      SetTimer(Handle(), kHotExpandButtonTimerId, kShowFullMenusDelay, nullptr);
  }
  inherited::SetSelectedControl(Control);
}

void TdxBarSubMenuControl::ExpandButtonTimer(UINT_PTR Id) {
  KillTimer(Handle(), Id);
  if (Id == kExpandTimerId) {
    Expand();
    return;
  }
  // Not while a cascaded menu of an entry is open.
  if (ActiveBarControl() == this) SetMarkState(1);
}

void TdxBarSubMenuControl::TrackExpandButton(POINT P) {
  RECT button = ExpandButtonRect();
  const bool over = PtInRect(&button, P);
  if (over) StartMouseLeaveTracking(Handle());
  if (over && markState_ == 0) SetMarkState(1);
  if (!over && markState_ == 1) SetMarkState(0);
}

void TdxBarSubMenuControl::WMMouseLeave(TMessage& Message) {
  SetDetachBarHot(false);
  if (markState_ == 1) SetMarkState(0);
  inherited::Dispatch(Message);
}

void TdxBarSubMenuControl::WMLButtonDown(TMessage& Message) {
  POINT p{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)};
  if (RECT bar = DetachBarRect(); PtInRect(&bar, p) && !IsCustomizing()) {
    Detach();  // may free the menu
    return;
  }
  RECT button = ExpandButtonRect();
  if (!PtInRect(&button, p)) {
    inherited::Dispatch(Message);
    return;
  }
  if (markState_ == 1) {
    SetMarkState(2);
    return;
  }
  SetMarkState(1);
  SelectItem(nullptr);
}

void TdxBarSubMenuControl::DrawExpandButton(HDC DC) {
  if (!HasExpandButton()) return;
  const int inset = IsFlat() ? 1 : 2;
  RECT strip{inset, Height() - inset - TextSize(), Width() - inset, Height() - inset};
  FillRect(DC, &strip, GetBackgroundBrush());
  RECT button = ExpandButtonRect();
  if (markState_ != 0) {
    RECT inner = button;
    if (IsFlat()) {
      FrameRect(DC, &inner, GetSysColorBrush(COLOR_HIGHLIGHT));
      InflateRect(&inner, -1, -1);
      FillRect(DC, &inner, GetSelectedBrush());
    } else {
      DrawEdge(DC, &inner, BDR_RAISEDINNER, BF_RECT | BF_ADJUST);
      FillRect(DC, &inner, RarelyUsedBrush());
    }
  }
  // A double chevron pointing down, centred; each chevron is a div 2 rows thick.
  const int a = (ExpandButtonHeight() - 4 - (IsFlat() ? 0 : 2)) / 2;
  const int x = (button.left + button.right - (a + 1)) / 2;
  const int y = button.top + (button.bottom - button.top - 2 * a) / 2;
  HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNTEXT));
  HGDIOBJ old = SelectObject(DC, pen);
  for (int row = 0; row < a; ++row) {
    const int top = y + row + (row >= a / 2 ? a / 2 : 0);
    POINT v[] = {{x, top}, {x + a / 2, top + a / 2}, {x + a + 1, top - 1}};
    Polyline(DC, v, 3);
  }
  SelectObject(DC, old);
  DeleteObject(pen);
}

void TdxBarSubMenuControl::StartExpandTimer() {
  if (HasExpandButton() && !MenusExpanded() && BarManager()->ShowFullMenusAfterDelay())
    SetTimer(Handle(), kExpandTimerId, kShowFullMenusDelay, nullptr);
}

void TdxBarSubMenuControl::StopExpandTimer() {
  if (!HandleAllocated()) return;
  KillTimer(Handle(), kExpandTimerId);
  KillTimer(Handle(), kHotExpandButtonTimerId);
}
