#include "cx/grid/cxGridMasterRowPainters.h"

#include "cx/grid/cxGridMasterRowViewInfo.h"
#include "cx/grid/cxGridTableRows.h"

TcxGridMasterDataRowViewInfo* TcxGridMasterDataRowPainter::MasterRowViewInfo() const {
  return static_cast<TcxGridMasterDataRowViewInfo*>(ViewInfo());
}

void TcxGridMasterDataRowPainter::PaintCell() {
  DrawExpandButtonCell();
  if (MasterRowViewInfo()->DetailsSiteVisible()) {
    DrawDetails();
    DrawDetailsArea();
  }
  TcxGridDataRowPainter::PaintCell();
}

void TcxGridMasterDataRowPainter::DrawExpandButtonCell() {
  PaintGridCell(MasterRowViewInfo()->ExpandButtonCell(), Canvas());
}

void TcxGridMasterDataRowPainter::DrawDetails() { MasterRowViewInfo()->DetailsSite()->Paint(Canvas()); }

void TcxGridMasterDataRowPainter::DrawDetailsArea() { PaintGridCell(MasterRowViewInfo()->DetailsArea(), Canvas()); }

TcxGridExpandButtonCellViewInfo* TcxGridExpandButtonCellPainter::CellViewInfo() const {
  return static_cast<TcxGridExpandButtonCellViewInfo*>(ViewInfo());
}

void TcxGridExpandButtonCellPainter::DrawContent() {
  DrawBackground();
  TcxGridMasterDataRowViewInfo* row = CellViewInfo()->RowViewInfo();
  LookAndFeelPainter()->PaintExpandButton(Canvas(), row->ExpandButtonBounds, row->Expanded());
}
