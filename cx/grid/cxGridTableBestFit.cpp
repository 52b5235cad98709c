// Best fit: the width an item needs to show every record's value whole, and the sizing edge's
// double click that applies it.
#include <algorithm>

#include "cx/editors/cxEditStyle.h"
#include "cx/editors/cxEditViewInfo.h"
#include "cx/grid/cxGridRows.h"
#include "cx/grid/cxGridTableHeaderViewInfo.h"
#include "cx/grid/cxGridTableView.h"
#include "cx/grid/cxGridTableViewInfo.h"
#include "platform/rtl/ScopeExit.h"

namespace {

void InitBestFitStyle(TcxCustomGridTableView* AView, TcxCustomEditStyle* AStyle, const TcxStyleParams& AParams) {
  AStyle->SetColor(AParams.Color);
  if (AParams.Font) AStyle->SetFont(AParams.Font);
  AStyle->TextColor = AParams.TextColor;
  // Measured as the focused cell, which shows its buttons unless the view never does.
  const bool buttons = AView->OptionsView()->ShowEditButtons() != gsebNever;
  AStyle->SetButtonTransparency(buttons ? ebtNone : ebtHideInactive);
  AStyle->SetHotTrack(true);
}

}  // namespace

int TcxCustomGridTableItem::GetBestFitWidth() {
  TcxCustomEditProperties* properties = GetProperties();
  if (!gridView_ || !properties) return 0;
  const bool byValue = properties->GetEditValueSource(false) == evsValue;
  std::unique_ptr<TcxCustomEditStyle> style(properties->GetStyleClass()(nullptr, true));
  auto viewData = properties->CreateViewData(style.get(), true);
  TcxCanvas* canvas = gridView_->Painter()->Canvas();
  TcxCustomGridTableViewStyles* styles = gridView_->Styles();
  const TcxEditSizeProperties sizeProperties;
  const int index = Index();
  int width = 0;
  TcxCustomGridTableViewData* data = gridView_->ViewData();
  for (int i = 0; i < data->RecordCount(); ++i) {
    TcxCustomGridRecord* record = data->Records(i);
    if (!record->HasCells()) continue;
    TcxStyleParams params;
    styles->GetContentParams(record, this, params);
    InitBestFitStyle(gridView_, style.get(), params);
    const Variant value = byValue ? record->Values(index) : Variant(record->DisplayTexts(index));
    width = std::max(width, static_cast<int>(viewData->GetContentSize(canvas, value, sizeProperties).cx));
  }
  TcxStyleParams params;
  styles->GetContentParams(nullptr, this, params);
  InitBestFitStyle(gridView_, style.get(), params);
  SIZE fixedPart{0, 0}, minContent{0, 0};
  viewData->GetFixedPartSize(canvas, sizeProperties, fixedPart, nullptr, minContent);
  const int result = std::max(width, static_cast<int>(minContent.cx)) + fixedPart.cx;
  return result != 0 ? result + 2 : 0;
}

void TcxCustomGridTableItem::ForceWidth(int AWidth) {
  widthForced_ = true;
  TScopeExit lowered([this] { widthForced_ = false; });
  SetWidth(AWidth);
}

int TcxGridColumn::GetBestFitWidth() {
  int width = inherited::GetBestFitWidth();
  auto* view = static_cast<TcxGridTableView*>(GridView());
  if (!view) return width;
  auto* viewInfo = static_cast<TcxGridTableViewInfo*>(view->ViewInfo());
  const bool isLast = VisibleIndex() == view->VisibleItemCount() - 1;
  const TcxBorders borders = viewInfo->GetCellBorders(isLast, false);
  for (TcxBorder side : {bLeft, bRight})
    if (borders.Contains(side)) width += viewInfo->GetGridLineWidth();
  return width;
}

// With automatic widths the distribution starts from the widths shown, so only this column changes.
void TcxGridColumn::ForceWidth(int AWidth) {
  auto* view = static_cast<TcxGridTableView*>(GridView());
  auto assignAutoWidths = [view] {
    if (!view || !view->OptionsView()->ColumnAutoWidth()) return;
    TcxGridHeaderViewInfo* header = static_cast<TcxGridTableViewInfo*>(view->ViewInfo())->HeaderViewInfo();
    view->BeginUpdate();
    TScopeExit ended([view] { view->EndUpdate(); });
    for (int i = 0; i < header->Count(); ++i) header->Items(i)->Column()->SetWidth(header->Items(i)->RealWidth());
  };
  assignAutoWidths();
  inherited::ForceWidth(AWidth);
  assignAutoWidths();
}

bool TcxGridColumnHeaderHorzSizingEdgeViewInfo::MouseDown(TcxCustomGridHitTest* AHitTest, TMouseButton AButton,
                                                          TShiftState AShift) {
  if (AButton != mbLeft || !AShift.Contains(ssDouble)) return inherited::MouseDown(AHitTest, AButton, AShift);
  Column()->ApplyBestFit();
  return true;
}
