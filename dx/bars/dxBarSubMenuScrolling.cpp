// Menus taller than the work area: a window of their links between scroll arrows.
#include <algorithm>

#include "dx/bars/dxBarSubMenuControl.h"
#include "platform/gdi/Draw.h"
#include "platform/gdi/Objects.h"
#include "platform/win/Windows.h"

SIZE TdxBarSubMenuControl::PlaceScrolledLinks(int Inset, int Top) {
  const auto& shown = ItemLinks()->VisibleItems();
  const int count = static_cast<int>(shown.size());
  const int right = Width() - Inset;
  const int bottom = Height() - (IsFlat() ? 1 : 2) - (HasExpandButton() ? TextSize() : 0);
  firstVisible_ = std::clamp(firstVisible_, 0, std::max(count - 1, 0));
  upArrow_ = downArrow_ = RECT{};
  int top = Top;
  if (firstVisible_ > 0) {
    upArrow_ = RECT{Inset, top, right, top + TextSize()};
    top += TextSize();
  }
  // The separator above the first link in view is left out.
  auto gapBefore = [&](int i) { return SpaceAbove(i, firstVisible_); };
  int need = 0;
  for (int i = firstVisible_; i < count; ++i)
    if (shown[i]->Control()) need += gapBefore(i) + shown[i]->Control()->Height();
  const bool more = top + need > bottom;
  const int limit = more ? bottom - TextSize() : bottom;
  int widest = 0;
  for (int i = firstVisible_; i < count; ++i) {
    TdxBarItemControl* control = shown[i]->Control();
    if (!control) continue;
    control->SetLastInBar(false);
    const int height = control->Height();
    if (top + gapBefore(i) + height > limit) break;
    top += gapBefore(i);
    shown[i]->SetItemRect(RECT{Inset, top, right, top + height});
    widest = std::max(widest, control->Width());
    top += height;
  }
  if (more) downArrow_ = RECT{Inset, top, right, top + TextSize()};
  return SIZE{widest, top - Top};
}

void TdxBarSubMenuControl::WMMouseMove(TMessage& Message) {
  POINT p{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)};
  TrackDetachBar(p);
  TrackExpandButton(p);
  if (PtInRect(&upArrow_, p) || PtInRect(&downArrow_, p)) {
    SelectItem(nullptr);
    if (!scrolling_) {
      scrolling_ = true;
      SetTimer(Handle(), kScrollTimerId, kScrollPeriod, nullptr);
    }
    return;
  }
  if (scrolling_) {
    scrolling_ = false;
    KillTimer(Handle(), kScrollTimerId);
  }
  inherited::Dispatch(Message);
}

void TdxBarSubMenuControl::ScrollTimerTick() {
  POINT cursor;
  GetCursorPos(&cursor);
  cursor = ScreenToClient(cursor);
  int step = 0;
  if (PtInRect(&upArrow_, cursor)) step = -1;
  if (PtInRect(&downArrow_, cursor)) step = 1;
  if (step == 0) {
    scrolling_ = false;
    KillTimer(Handle(), kScrollTimerId);
    return;
  }
  firstVisible_ += step;
  CalcItemRects();
  Invalidate();
}

void TdxBarSubMenuControl::SelectItem(TdxBarItemControl* Control) {
  inherited::SelectItem(Control);
  if (IsBarControlAlive(this) && Control && SelectedControl() == Control) ScrollIntoView(Control);
}

void TdxBarSubMenuControl::ScrollIntoView(TdxBarItemControl* Control) {
  const auto& shown = ItemLinks()->VisibleItems();
  auto it = std::find(shown.begin(), shown.end(), Control->ItemLink());
  if (it == shown.end()) return;
  const int index = static_cast<int>(it - shown.begin());
  const int before = firstVisible_;
  if (index < firstVisible_) firstVisible_ = index;
  CalcItemRects();
  while (IsRectEmpty(&Control->ItemLink()->ItemRect()) && firstVisible_ < index) {
    ++firstVisible_;
    CalcItemRects();
  }
  if (firstVisible_ != before) Invalidate();
}

void TdxBarSubMenuControl::DrawScrollArrows(HDC DC) {
  HBRUSH text = GetSysColorBrush(COLOR_BTNTEXT);
  const int half = std::max(1, TextSize() / 3 - 1);
  for (const RECT* arrow : {&upArrow_, &downArrow_}) {
    if (IsRectEmpty(arrow)) continue;
    FillRect(DC, arrow, GetBackgroundBrush());
    const int cx = (arrow->left + arrow->right) / 2;
    const int cy = (arrow->top + arrow->bottom) / 2;
    const bool up = arrow == &upArrow_;
    // A filled triangle, one row wider each step away from its point.
    for (int row = 0; row <= half; ++row) {
      const int y = up ? cy - half / 2 + row : cy + half / 2 - row;
      RECT line{cx - row, y, cx + row + 1, y + 1};
      FillRect(DC, &line, text);
    }
  }
}
