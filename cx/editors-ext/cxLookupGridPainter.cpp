// The lookup grid's painting: border, headers with their sorting marks, the empty bands, and the
// rows with their grid lines, cells and the focused row's focus rectangle.
#include <algorithm>

#include "cx/editors-ext/cxLookupGrid.h"

TRENVIK_IMPLEMENT_CLASS(TcxLookupGridPainter)

TcxLookupGridViewInfo* TcxLookupGridPainter::ViewInfo() const { return grid_->ViewInfo(); }

TcxLookAndFeelPainterClass TcxLookupGridPainter::LookAndFeelPainter() const { return grid_->LookAndFeelPainter(); }

void TcxLookupGridPainter::Paint(TcxCanvas* ACanvas) {
  canvas_ = ACanvas;
  if (ViewInfo()->GridBorderWidth != 0) DrawBorder();
  DrawContent();
  canvas_ = nullptr;
}

void TcxLookupGridPainter::DrawBorder() {
  LookAndFeelPainter()->PaintBorder(canvas_, grid_->GetBounds());
  canvas_->IntersectClipRect(grid_->GetClientBounds());
}

void TcxLookupGridPainter::DrawContent() {
  DrawHeaders();
  DrawEmptyArea();
  DrawRows();
}

void TcxLookupGridPainter::DrawHeaders() {
  TcxLookupGridViewInfo* viewInfo = ViewInfo();
  if (viewInfo->HeaderBand.bottom <= viewInfo->HeaderBand.top) return;
  TcxLookAndFeelPainterClass painter = LookAndFeelPainter();
  TFont* font = viewInfo->GetHeaderFont();
  for (auto& column : viewInfo->Columns) {
    RECT textArea = column->TextBounds;
    InflateRect(&textArea, -2, -2);
    RECT markArea{};
    if (column->SortOrder != soNone) {
      const SIZE mark = painter->GetSortingMarkAreaSize();
      markArea = {std::max<int>(textArea.right - mark.cx, textArea.left), column->Bounds.top, textArea.right,
                  column->Bounds.bottom};
      textArea.right = markArea.left;
    }
    painter->PaintHeader(canvas_, column->Bounds, textArea, column->Neighbors, column->Borders, cxbsNormal,
                         column->Alignment, vaCenter, false, false, column->Text, font, font->Color(),
                         viewInfo->GetHeaderColor());
    if (column->SortOrder != soNone)
      painter->PaintSortingMark(canvas_, markArea, column->SortOrder == soAscending);
  }
}

void TcxLookupGridPainter::DrawEmptyArea() {
  TcxLookupGridViewInfo* viewInfo = ViewInfo();
  canvas_->SetBrushColor(viewInfo->GetContentColor());
  for (const RECT& gap : {viewInfo->BottomGap, viewInfo->RightGap})
    if (gap.right > gap.left && gap.bottom > gap.top) canvas_->FillRect(gap);
}

void TcxLookupGridPainter::DrawRows() {
  TcxLookupGridViewInfo* viewInfo = ViewInfo();
  if (viewInfo->RowArea.bottom <= viewInfo->RowArea.top) return;
  for (int i = 0; i < viewInfo->LaidOutRowCount && i < static_cast<int>(viewInfo->Rows.size()); ++i)
    DrawRow(viewInfo->Rows[static_cast<size_t>(i)].get());
}

void TcxLookupGridPainter::DrawGridLineFrame(const RECT& ABounds, TcxBorders ABorders) {
  if (ABorders.Empty()) return;
  TcxLookupGridViewInfo* viewInfo = ViewInfo();
  canvas_->FrameRect(ABounds, viewInfo->GetGridLineColor(), viewInfo->GetGridLineWidth(), ABorders);
}

void TcxLookupGridPainter::DrawRow(TcxLookupGridRowViewInfo* ARow) {
  for (auto& cell : ARow->Cells) {
    DrawGridLineFrame(cell.Bounds, cell.Borders);
    DrawCell(&cell);
  }
  DrawGridLineFrame(ARow->Bounds, ARow->Borders);
  if (ARow->Focused && (grid_->IsFocused() || grid_->IsPopupMode())) canvas_->DrawFocusRect(ARow->ContentBounds);
}

void TcxLookupGridPainter::DrawCell(TcxLookupGridCellViewInfo* ACell) {
  if (ACell->EditViewInfo) {
    ACell->EditViewInfo->Paint(canvas_);
    canvas_->FrameRect(ACell->ContentBounds, ACell->EditViewInfo->BackgroundColor);
  }
  DrawGridLineFrame(ACell->Bounds, ACell->Borders);
}
