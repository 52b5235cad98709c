// The new-item row between the header panel and the rows: one cell under each column header, an
// insert mark in the indicator and a header frame along its bottom gap.
#include <algorithm>

#include "dx/treelist/dxTL.h"
#include "dx/treelist/dxTLPaintContext.h"
#include "dx/treelist/dxTLRoutines.h"
#include "platform/win/Windows.h"

namespace {

constexpr int kInsertGlyph = 3;

}  // namespace

bool TCustomdxTreeList::IsNewItemCellSelected(bool IsFocusedCell) {
  if (!newItemRowActive_) return false;
  bool invert = IsInvertSelect();
  if (IsRowSelect() || (IsMultiSelect() && !invert)) return true;
  return IsFocusedCell != invert;
}

void TCustomdxTreeList::PaintNewItemRow(const TdxTreeListDrawInfo& Info) {
  TPaintContext& ctx = *paint_;
  const RECT& row = Info.Areas.NewItemRow;
  const RECT& rows = Info.Areas.Rows;
  if (!dxtlpaint::Intersects(row, ctx.Update)) return;
  FillRect(ctx.DC, &row, ctx.Background);
  int saved = SaveDC(ctx.DC);
  IntersectClipRect(ctx.DC, row.left, row.top, row.right, row.bottom);
  const int gapTop = row.bottom - layout_.NewItemRowGap;
  // The gap: a header frame under the bands, scrolled with them unless a left fixed band pins it.
  int gapLeft = rows.left - (Info.HasLeftFixed ? 0 : leftCoord_);
  int gapRight = Info.HasRightFixed ? rows.right : gapLeft + Info.TotalBandsWidth;
  {
    int clip = SaveDC(ctx.DC);
    IntersectClipRect(ctx.DC, rows.left, row.top, row.right, row.bottom);
    RECT gap{gapLeft, gapTop, gapRight, row.bottom};
    DrawHeaderFrame(ctx.DC, gap, ctx.Header, lookAndFeel_ == lfUltraFlat ? lfFlat : lookAndFeel_, 0, false);
    RestoreDC(ctx.DC, clip);
  }
  if (rows.left > row.left) {
    RECT indicator{row.left, row.top, rows.left, row.bottom};
    DrawIndicatorCell(ctx.DC, indicator, indicator, lookAndFeel_, kInsertGlyph, ctx.Header);
  }
  const bool bothGrid = showGrid_ && showPreviewGrid_;
  const bool wholeRowMark = IsRowSelect() || IsInvertSelect();
  const int focusedColumn = GetAbsoluteColumnIndex(GetFocusedColumn());
  const int cellBottom = row.top + defaultRowHeight_ - (bothGrid ? 1 : 0);
  std::vector<POINT> grid;
  SelectObject(ctx.DC, Font()->Handle());
  for (const TdxTreeListHeaderItem& h : Info.Headers) {
    RECT cell{h.Clip.left, row.top, h.Clip.right - (bothGrid ? 1 : 0), cellBottom};
    if (bothGrid) dxtlpaint::AddSegment(grid, cell.right, row.top, cell.right, gapTop - 1);
    if (cell.right <= cell.left || !dxtlpaint::Intersects(cell, ctx.Update)) continue;
    bool focusedCell = newItemRowActive_ && h.Column == focusedColumn;
    bool selected = IsNewItemCellSelected(focusedCell);
    HBRUSH brush;
    TColor textColor, color;
    GetCellColors(focused_, selected, h.Column, brush, textColor, color);
    DrawCell(Canvas(), cell, h.LastInRow, h.FirstInRow, 2, false, brush, textColor, color,
             ctx.Focused && newItemRowActive_ && (wholeRowMark || h.Column == focusedColumn), selected,
             h.Column, focused_);
    if (focusedCell && !wholeRowMark) PaintFocusMark(cell);
  }
  if (newItemRowActive_ && wholeRowMark) {
    RECT mark{rows.left, row.top, Info.ContentRight + 1, row.top + defaultRowHeight_};
    PaintFocusMark(mark);
  }
  for (const TdxTreeListEmptyHeader& e : Info.EmptyHeaders) {
    RECT empty{e.Rect.left, row.top, e.Rect.right, gapTop};
    FillRect(ctx.DC, &empty, ctx.Background);
    if (bothGrid) dxtlpaint::AddSegment(grid, e.Rect.left, row.top, e.Rect.left, gapTop - 1);
  }
  if (showGrid_) dxtlpaint::AddSegment(grid, Info.ContentRight, row.top, Info.ContentRight, gapTop - 1);
  dxtlpaint::DrawSegments(ctx.DC, grid, GetGridLineColor());
  RestoreDC(ctx.DC, saved);
}
