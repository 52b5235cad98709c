// Painting the grid: fixed cells raised on the button face, lines between cells, the current
// cell focused and selected cells highlighted; the cells' contents come from DrawCell.
#include "platform/forms/Grids.h"
#include "platform/gdi/Gdi.h"
#include "platform/win/Windows.h"

void TCustomGrid::DrawGridCell(int c, int r, const RECT& rect) {
  bool fixed = c < fixedCols_ || r < fixedRows_;
  bool current = c == col_ && r == row_;
  bool selected = !fixed && (current || (options_.Contains(goRowSelect) && r == row_));
  TGridDrawState state;
  if (fixed) state += TGridDrawState{gdFixed};
  if (selected) state += TGridDrawState{gdSelected};
  if (current && Focused()) state += TGridDrawState{gdFocused};
  TCanvas* canvas = Canvas();
  canvas->Font()->Assign(Font());
  if (defaultDrawing_) {
    bool highlight = selected && (!current || Focused() || options_.Contains(goDrawFocusSelected) ||
                                  options_.Contains(goRowSelect));
    canvas->Brush()->SetColor(fixed ? clBtnFace : (highlight ? clHighlight : Color()));
    canvas->Font()->SetColor(highlight && !fixed ? clHighlightText : Font()->Color());
    canvas->FillRect(rect);
  }
  DrawCell(c, r, rect, state);
  if (!defaultDrawing_) return;
  if (fixed) {
    RECT edge = rect;
    DrawEdge(canvas->Handle(), &edge, BDR_RAISEDINNER, BF_RECT);
  } else if (current && Focused() && !options_.Contains(goRowSelect)) {
    canvas->DrawFocusRect(rect);
  }
}

void TCustomGrid::Paint() {
  TCanvas* canvas = Canvas();
  RECT client = ClientRect();
  int right = 0, bottom = 0;
  for (int r = 0; r < rowCount_; ++r) {
    if (r >= fixedRows_ && r < topRow_) continue;
    int y = RowTop(r);
    if (y >= client.bottom) break;
    int h = RowHeights(r);
    bottom = y + h + gridLineWidth_;
    for (int c = 0; c < colCount_; ++c) {
      if (c >= fixedCols_ && c < leftCol_) continue;
      int x = ColLeft(c);
      if (x >= client.right) break;
      int w = ColWidths(c);
      right = std::max(right, x + w + gridLineWidth_);
      DrawGridCell(c, r, RECT{x, y, x + w, y + h});
      if (gridLineWidth_ <= 0) continue;
      bool fixed = c < fixedCols_ || r < fixedRows_;
      bool vert = options_.Contains(fixed ? goFixedVertLine : goVertLine);
      bool horz = options_.Contains(fixed ? goFixedHorzLine : goHorzLine);
      canvas->Brush()->SetColor(fixed ? clBlack : clSilver);
      if (vert) canvas->FillRect(RECT{x + w, y, x + w + gridLineWidth_, y + h + gridLineWidth_});
      if (horz) canvas->FillRect(RECT{x, y + h, x + w + gridLineWidth_, y + h + gridLineWidth_});
    }
  }
  // What the cells leave free shows the grid's colour.
  canvas->Brush()->SetColor(Color());
  if (right < client.right) canvas->FillRect(RECT{right, 0, client.right, client.bottom});
  if (bottom < client.bottom) canvas->FillRect(RECT{0, bottom, right, client.bottom});
}
