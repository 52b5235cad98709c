// The inverted sizing line shown while a column is sized: drawn twice, it leaves no trace.
#include "dx/treelist/dxTL.h"
#include "platform/gdi/Gdi.h"
#include "platform/win/Windows.h"

void TCustomdxTreeList::DrawSizingLineOn(HDC DC) {
  TdxTreeListRectInfo areas;
  CalcRectInfo(areas);
  bool hasHeader = areas.HeaderPanel.bottom > areas.HeaderPanel.top;
  int top = hasHeader ? areas.HeaderPanel.top : areas.Rows.top;
  HGDIOBJ oldPen = SelectObject(DC, GetStockObject(BLACK_PEN));
  int oldMix = SetROP2(DC, R2_NOTXORPEN);
  MoveToEx(DC, sizingPos_, top, nullptr);
  LineTo(DC, sizingPos_, areas.Rows.bottom);
  SetROP2(DC, oldMix);
  SelectObject(DC, oldPen);
}

void TCustomdxTreeList::DrawSizingLine() {
  if (!HandleAllocated()) return;
  HDC dc = GetDC(Handle());
  DrawSizingLineOn(dc);
  ReleaseDC(Handle(), dc);
}
