// Short menus: the links used most, an expand button for the rest.
#include "dx/bars/dxBarSubMenuControl.h"
#include "platform/gdi/Draw.h"
#include "platform/gdi/Objects.h"
#include "platform/win/Windows.h"

bool TdxBarSubMenuControl::HasExpandButton() const {
  return BarManager()->ShowsRecentItemsFirst() &&
         ItemLinks()->VisibleItems().size() < ItemLinks()->CanVisibleItems().size();
}

RECT TdxBarSubMenuControl::ExpandButtonRect() const {
  if (!HasExpandButton()) return RECT{};
  const int inset = IsFlat() ? 1 : 2;
  const int width = Width(), height = Height();
  return RECT{inset, height - inset - TextSize(), width - inset, height - inset};
}

void TdxBarSubMenuControl::ApplyRecentCount() {
  bool showsAll = !BarManager()->ShowsRecentItemsFirst() || MenusExpanded();
  ItemLinks()->SetRecentItemCount(showsAll ? -1 : ItemLinks()->CalcRecentItemCount());
}

void TdxBarSubMenuControl::Expand() {
  if (!HasExpandButton()) return;
  WaitForAnimation();
  if (HandleAllocated()) KillTimer(Handle(), kExpandTimerId);
  SetMenusExpanded(true);
  TdxBarItemLink* selected = SelectedControl() ? SelectedControl()->ItemLink() : nullptr;
  SelectItem(nullptr);
  DestroyItemControls();
  LayOutAtRequestedPoint();
  if (selected && selected->Control()) SelectItem(selected->Control());
  Invalidate();
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

void TdxBarSubMenuControl::WMLButtonDown(TMessage& Message) {
  POINT p{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)};
  RECT button = ExpandButtonRect();
  if (PtInRect(&button, p)) {
    Expand();
    return;
  }
  inherited::Dispatch(Message);
}

void TdxBarSubMenuControl::DrawExpandButton(HDC DC) {
  RECT button = ExpandButtonRect();
  if (IsRectEmpty(&button)) return;
  FillRect(DC, &button, GetBackgroundBrush());
  // A double chevron pointing down, centred.
  const int a = std::max(2, (TextSize() - 6) / 2);
  const int x = (button.left + button.right - a) / 2;
  const int y = (button.top + button.bottom) / 2 - a / 2 - 1;
  HBRUSH text = GetSysColorBrush(COLOR_BTNTEXT);
  for (int chevron = 0; chevron < 2; ++chevron)
    for (int row = 0; row <= a / 2; ++row) {
      const int top = y + chevron * (a / 2 + 1) + row;
      RECT left{x + row, top, x + row + 2, top + 1};
      RECT right{x + a - row - 1, top, x + a - row + 1, top + 1};
      FillRect(DC, &left, text);
      FillRect(DC, &right, text);
    }
}

void TdxBarSubMenuControl::StartExpandTimer() {
  if (HasExpandButton() && BarManager()->ShowFullMenusAfterDelay())
    SetTimer(Handle(), kExpandTimerId, kShowFullMenusDelay, nullptr);
}
