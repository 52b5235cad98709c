#include "cx/grid/cxGridCustomDraw.h"

#include "cx/grid/cxGridTableHeaderViewInfo.h"
#include "cx/grid/cxGridTableRowViewInfo.h"
#include "cx/grid/cxGridTableView.h"

namespace {

using TCustomDrawHandlers = void (TcxCustomGridCellViewInfo::*)(TcxCanvas*, bool&);

bool OfferCellToHandlers(TcxCustomGridCellViewInfo* ACell, TcxCanvas* ACanvas, TCustomDrawHandlers AHandlers) {
  TcxStyleParams params;
  ACell->GetCurrentViewParams(params);
  ACanvas->SetBrushColor(params.Color);
  if (params.Font) ACanvas->SetFont(params.Font);
  ACanvas->Font()->SetColor(params.TextColor);
  bool done = false;
  (ACell->*AHandlers)(ACanvas, done);
  if (done) return true;
  params.Color = ACanvas->Brush()->Color();
  params.TextColor = ACanvas->Font()->Color();
  ACell->SetViewParams(params);
  return false;
}

}  // namespace

bool cxGridCustomDrawCell(TcxCustomGridCellViewInfo* ACell, TcxCanvas* ACanvas) {
  return ACell->HasCustomDraw() && OfferCellToHandlers(ACell, ACanvas, &TcxCustomGridCellViewInfo::DoCustomDraw);
}

bool cxGridCustomDrawCellBackground(TcxCustomGridCellViewInfo* ACell, TcxCanvas* ACanvas) {
  return ACell->HasCustomDrawBackground() &&
         OfferCellToHandlers(ACell, ACanvas, &TcxCustomGridCellViewInfo::DoCustomDrawBackground);
}

// --- Data cells ---

bool TcxGridTableDataCellViewInfo::HasCustomDraw() {
  return Item()->OnCustomDrawCell || TableView()->OnCustomDrawCell;
}

void TcxGridTableDataCellViewInfo::DoCustomDraw(TcxCanvas* ACanvas, bool& ADone) {
  if (Item()->OnCustomDrawCell) Item()->OnCustomDrawCell(TableView(), ACanvas, this, ADone);
  if (!ADone && TableView()->OnCustomDrawCell) TableView()->OnCustomDrawCell(TableView(), ACanvas, this, ADone);
}

void TcxGridTableDataCellViewInfo::GetCurrentViewParams(TcxStyleParams& AParams) {
  AParams = Params();
  TcxCustomEditViewInfo* editViewInfo = EditViewInfo();
  if (!editViewInfo) return;
  AParams.Color = editViewInfo->BackgroundColor;
  AParams.TextColor = editViewInfo->TextColor;
  if (editViewInfo->Font) AParams.Font = editViewInfo->Font;
}

void TcxGridTableDataCellViewInfo::SetViewParams(const TcxStyleParams& AParams) {
  TcxCustomEditViewInfo* editViewInfo = EditViewInfo();
  if (!editViewInfo) {
    Params() = AParams;
    return;
  }
  editViewInfo->BackgroundColor = AParams.Color;
  editViewInfo->TextColor = AParams.TextColor;
}

// --- Group cells ---

bool TcxGridGroupCellViewInfo::HasCustomDraw() { return RowViewInfo()->GridTableView()->OnCustomDrawGroupCell != nullptr; }

void TcxGridGroupCellViewInfo::DoCustomDraw(TcxCanvas* ACanvas, bool& ADone) {
  RowViewInfo()->GridTableView()->DoCustomDrawGroupCell(ACanvas, this, ADone);
}

// --- Column headers and footer cells ---

bool TcxGridColumnHeaderViewInfo::HasCustomDraw() {
  return Column()->OnCustomDrawHeader || TableViewInfo()->TableView()->OnCustomDrawColumnHeader;
}

void TcxGridColumnHeaderViewInfo::DoCustomDraw(TcxCanvas* ACanvas, bool& ADone) {
  Column()->DoCustomDrawHeader(ACanvas, this, ADone);
  if (!ADone) TableViewInfo()->TableView()->DoCustomDrawColumnHeader(ACanvas, this, ADone);
}

bool TcxGridFooterCellViewInfo::HasCustomDraw() {
  return Column()->OnCustomDrawFooterCell || TableViewInfo()->TableView()->OnCustomDrawFooterCell;
}

void TcxGridFooterCellViewInfo::DoCustomDraw(TcxCanvas* ACanvas, bool& ADone) {
  Column()->DoCustomDrawFooterCell(ACanvas, this, ADone);
  if (!ADone) TableViewInfo()->TableView()->DoCustomDrawFooterCell(ACanvas, this, ADone);
}

void TcxGridColumn::DoCustomDrawHeader(TcxCanvas* ACanvas, TcxGridColumnHeaderViewInfo* AViewInfo, bool& ADone) {
  if (OnCustomDrawHeader) OnCustomDrawHeader(static_cast<TcxGridTableView*>(GridView()), ACanvas, AViewInfo, ADone);
}

void TcxGridColumn::DoCustomDrawFooterCell(TcxCanvas* ACanvas, TcxGridColumnHeaderViewInfo* AViewInfo, bool& ADone) {
  if (OnCustomDrawFooterCell)
    OnCustomDrawFooterCell(static_cast<TcxGridTableView*>(GridView()), ACanvas, AViewInfo, ADone);
}

// --- Part backgrounds ---

bool TcxCustomGridPartViewInfo::HasCustomDrawBackground() {
  return inherited::HasCustomDrawBackground() || TableView()->OnCustomDrawPartBackground;
}

void TcxCustomGridPartViewInfo::DoCustomDrawBackground(TcxCanvas* ACanvas, bool& ADone) {
  inherited::DoCustomDrawBackground(ACanvas, ADone);
  if (!ADone) TableView()->DoCustomDrawPartBackground(ACanvas, this, ADone);
}

// --- The view's handlers ---

void TcxGridTableView::DoCustomDrawColumnHeader(TcxCanvas* ACanvas, TcxGridColumnHeaderViewInfo* AViewInfo,
                                                bool& ADone) {
  if (OnCustomDrawColumnHeader) OnCustomDrawColumnHeader(this, ACanvas, AViewInfo, ADone);
}

void TcxGridTableView::DoCustomDrawFooterCell(TcxCanvas* ACanvas, TcxGridColumnHeaderViewInfo* AViewInfo,
                                              bool& ADone) {
  if (OnCustomDrawFooterCell) OnCustomDrawFooterCell(this, ACanvas, AViewInfo, ADone);
}

void TcxGridTableView::DoCustomDrawGroupCell(TcxCanvas* ACanvas, TcxGridTableCellViewInfo* AViewInfo, bool& ADone) {
  if (OnCustomDrawGroupCell) OnCustomDrawGroupCell(this, ACanvas, AViewInfo, ADone);
}

void TcxGridTableView::DoCustomDrawPartBackground(TcxCanvas* ACanvas, TcxCustomGridCellViewInfo* AViewInfo,
                                                  bool& ADone) {
  if (OnCustomDrawPartBackground) OnCustomDrawPartBackground(this, ACanvas, AViewInfo, ADone);
}
