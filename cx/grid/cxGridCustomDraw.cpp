#include "cx/grid/cxGridCustomDraw.h"

#include "cx/grid/cxGridTableRowViewInfo.h"

bool TcxGridTableDataCellViewInfo::HasCustomDraw() {
  return Item()->OnCustomDrawCell || TableView()->OnCustomDrawCell;
}

void TcxGridTableDataCellViewInfo::DoCustomDraw(TcxCanvas* ACanvas, bool& ADone) {
  if (Item()->OnCustomDrawCell) Item()->OnCustomDrawCell(TableView(), ACanvas, this, ADone);
  if (!ADone && TableView()->OnCustomDrawCell) TableView()->OnCustomDrawCell(TableView(), ACanvas, this, ADone);
}

bool cxGridCustomDrawDataCell(TcxGridTableDataCellViewInfo* ACell, TcxCanvas* ACanvas) {
  TcxCustomEditViewInfo* editViewInfo = ACell->EditViewInfo();
  TcxStyleParams& params = ACell->Params();
  ACanvas->SetBrushColor(editViewInfo ? editViewInfo->BackgroundColor : params.Color);
  TFont* font = editViewInfo && editViewInfo->Font ? editViewInfo->Font : params.Font;
  if (font) ACanvas->SetFont(font);
  ACanvas->Font()->SetColor(editViewInfo ? editViewInfo->TextColor : params.TextColor);
  bool done = false;
  ACell->DoCustomDraw(ACanvas, done);
  if (done) return true;
  const TColor background = ACanvas->Brush()->Color();
  const TColor text = ACanvas->Font()->Color();
  if (editViewInfo) {
    editViewInfo->BackgroundColor = background;
    editViewInfo->TextColor = text;
  } else {
    params.Color = background;
    params.TextColor = text;
  }
  return false;
}
