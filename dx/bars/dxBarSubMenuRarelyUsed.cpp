// An expanded short menu shows the entries it had hidden as rarely used: on a lighter background,
// and (outside the flat look) as blocks sunk into the menu between 1-pixel lines.
#include <algorithm>

#include "dx/bars/dxBarServices.h"
#include "dx/bars/dxBarSubMenuControl.h"
#include "platform/gdi/Draw.h"
#include "platform/gdi/Objects.h"
#include "platform/win/Windows.h"

void TdxBarSubMenuControl::TDeleteGdiObject::operator()(HGDIOBJ Object) const { DeleteObject(Object); }

COLORREF TdxBarSubMenuControl::RarelyUsedColor() {
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  auto lighter = [](int Channel) { return static_cast<BYTE>(std::min(Channel + 20, 255)); };
  return RGB(lighter(GetRValue(face)), lighter(GetGValue(face)), lighter(GetBValue(face)));
}

void TdxBarSubMenuControl::CreateRarelyUsedBrush() {
  const COLORREF color = RarelyUsedColor();
  rarelyUsedBrush_.reset();
  rarelyUsedPalette_.reset();
  // A screen of few colours would dither the light colour: it gets a palette entry of its own.
  if (BarManager()->ShowsRecentItemsFirst() && ScreenBitsPerPixel() <= 8) {
    LOGPALETTE one;
    one.palNumEntries = 1;
    one.palPalEntry[0] = PALETTEENTRY{static_cast<BYTE>(GetRValue(color)), static_cast<BYTE>(GetGValue(color)),
                                      static_cast<BYTE>(GetBValue(color)), 0};
    rarelyUsedPalette_.reset(CreatePalette(&one));
    rarelyUsedBrush_.reset(CreateSolidBrush(PALETTEINDEX(0)));
    return;
  }
  rarelyUsedBrush_.reset(CreateSolidBrush(color));
}

bool TdxBarSubMenuControl::ShowsRarelyUsed() const {
  return BarManager()->ShowsRecentItemsFirst() && MenusExpanded();
}

void TdxBarSubMenuControl::MarkRarelyUsed() {
  const int recent = ShowsRarelyUsed() ? ItemLinks()->CalcRecentItemCount() : -1;
  for (TdxBarItemLink* link : ItemLinks()->VisibleItems())
    if (link->Control()) link->Control()->SetRarelyUsed(recent >= 0 && link->RecentIndex() >= recent);
}

bool TdxBarSubMenuControl::StartsBlock(int Index, int First) const {
  const auto& shown = ItemLinks()->VisibleItems();
  auto rarely = [&](int i) { return shown[i]->Control() && shown[i]->Control()->RarelyUsed(); };
  const bool previous = Index == First ? false : rarely(Index - 1);
  return rarely(Index) != previous;
}

int TdxBarSubMenuControl::SpaceAbove(int Index, int First) const {
  const auto& shown = ItemLinks()->VisibleItems();
  int space = Index > First && shown[Index]->BeginGroup() ? GetSeparatorSize() : 0;
  if (!IsFlat() && StartsBlock(Index, First)) ++space;
  return space;
}

namespace {

int ShownIndexOf(TdxBarItemLinks* Links, const TdxBarItemControl* Control) {
  const auto& shown = Links->VisibleItems();
  auto it = std::find(shown.begin(), shown.end(), Control->ItemLink());
  return it == shown.end() ? -1 : static_cast<int>(it - shown.begin());
}

}  // namespace

void TdxBarSubMenuControl::DrawSeparator(HDC DC, TdxBarItemControl* Control) {
  const int index = ShownIndexOf(ItemLinks(), Control);
  if (index <= firstVisible_ || !Control->ItemLink()->BeginGroup()) return;
  const RECT& r = Control->ItemLink()->ItemRect();
  const int size = GetSeparatorSize();
  const int indent = BarManager()->SeparatorIndent();
  // The separator above the first entry of a rarely used block belongs to the block above it.
  const bool rarely = Control->RarelyUsed() && !StartsBlock(index, firstVisible_);
  HBRUSH normal = IsFlat() ? GetSysColorBrush(COLOR_WINDOW) : GetBackgroundBrush();
  HBRUSH brush = rarely ? RarelyUsedBrush() : normal;
  RECT gap{r.left, r.top - size, r.right, r.top};
  if (IsFlat()) {
    const int glyphColumn = TextSize() + 3;
    RECT column{gap.left, gap.top, gap.left + glyphColumn, gap.bottom};
    RECT rest{column.right, gap.top, gap.right, gap.bottom};
    FillRect(DC, &column, GetBackgroundBrush());
    FillRect(DC, &rest, brush);
    RECT line{column.right + indent, gap.top + size / 2, gap.right, gap.top + size / 2 + 1};
    FillRect(DC, &line, GetSysColorBrush(COLOR_BTNSHADOW));
    return;
  }
  RECT fill = gap;
  if (rarely) InflateRect(&fill, 1, 0);
  FillRect(DC, &fill, brush);
  RECT line{gap.left + indent, gap.top + 4, gap.right - indent, gap.bottom - 4};
  DrawEdge(DC, &line, EDGE_ETCHED, BF_TOP);
}

void TdxBarSubMenuControl::DrawBlockStart(HDC DC, TdxBarItemControl* Control) {
  const int index = ShownIndexOf(ItemLinks(), Control);
  if (IsFlat() || index < firstVisible_ || !StartsBlock(index, firstVisible_)) return;
  const RECT& r = Control->ItemLink()->ItemRect();
  const bool separated = index > firstVisible_ && Control->ItemLink()->BeginGroup();
  const int y = r.top - 1 - (separated ? GetSeparatorSize() : 0);
  RECT line{r.left - 1, y, r.right + 1, y + 1};
  FillRect(DC, &line, GetSysColorBrush(Control->RarelyUsed() ? COLOR_BTNSHADOW : COLOR_BTNHIGHLIGHT));
}

void TdxBarSubMenuControl::FillRarelyUsedMargins(HDC DC, TdxBarItemControl* Control) {
  if (IsFlat() || !Control->RarelyUsed()) return;
  const RECT& r = Control->ItemLink()->ItemRect();
  HBRUSH brush = RarelyUsedBrush();
  RECT left{r.left - 1, r.top, r.left, r.bottom};
  RECT right{r.right, r.top, r.right + 1, r.bottom};
  FillRect(DC, &left, brush);
  FillRect(DC, &right, brush);
  const int index = ShownIndexOf(ItemLinks(), Control);
  const auto& shown = ItemLinks()->VisibleItems();
  // The first and the last entry reach the frame.
  if (index == 0) {
    RECT above{r.left - 1, 1, r.right + 1, r.top - 1};
    FillRect(DC, &above, brush);
  }
  if (index == static_cast<int>(shown.size()) - 1 && IsRectEmpty(&DownArrowRect())) {
    RECT below{r.left - 1, r.bottom, r.right + 1, Height() - 1};
    FillRect(DC, &below, brush);
  }
}
