// The inverted sizing line shown while a band, a column, a panel or the rows are sized: drawn twice,
// it leaves no trace. Band and panel sizing draw two adjacent lines, column and row sizing one.
#include "dx/treelist/dxTL.h"
#include "platform/gdi/Gdi.h"
#include "platform/win/Windows.h"

void TCustomdxTreeList::DrawSizingLineOn(HDC DC) {
  TdxTreeListRectInfo areas;
  CalcRectInfo(areas);
  const RECT& rows = areas.Rows;
  bool vertical = state_ == tsColumnSizing || state_ == tsBandSizing;
  bool two = state_ == tsBandSizing || state_ == tsBandPanelSizing || state_ == tsHeaderPanelSizing;
  HGDIOBJ oldPen = SelectObject(DC, GetStockObject(BLACK_PEN));
  int oldMix = SetROP2(DC, R2_NOTXORPEN);
  for (int i = 0; i < (two ? 2 : 1); ++i) {
    int at = sizingPos_ + i;
    if (vertical) {
      bool hasBands = areas.BandPanel.bottom > areas.BandPanel.top;
      bool hasHeader = areas.HeaderPanel.bottom > areas.HeaderPanel.top;
      int top = rows.top;
      if (hasHeader) top = areas.HeaderPanel.top;
      if (state_ == tsBandSizing && hasBands) top = areas.BandPanel.top;
      MoveToEx(DC, at, top, nullptr);
      LineTo(DC, at, rows.bottom);
    } else {
      bool indicator = state_ == tsRowSizing && areas.Indicator.right > areas.Indicator.left;
      MoveToEx(DC, indicator ? areas.Indicator.left : rows.left, at, nullptr);
      LineTo(DC, rows.right, at);
    }
  }
  SetROP2(DC, oldMix);
  SelectObject(DC, oldPen);
}

void TCustomdxTreeList::DrawSizingLine() {
  if (!HandleAllocated()) return;
  HDC dc = GetDC(Handle());
  DrawSizingLineOn(dc);
  ReleaseDC(Handle(), dc);
}
