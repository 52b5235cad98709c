#include "cx/grid/cxGridTableLayoutAdapter.h"

#include "cx/grid/cxGridTableHeaderViewInfo.h"
#include "cx/grid/cxGridTableRowViewInfo.h"
#include "cx/grid/cxGridTableView.h"
#include "cx/grid/cxGridTableViewInfo.h"

int TcxGridTableLayoutAdapter::VisibleRecordCount() { return viewInfo_->VisibleRecordCount(); }

// A preview makes rows taller than the data row height the equal-height count divides by.
bool TcxGridTableLayoutAdapter::IsEqualHeightRecords() {
  TcxGridTableView* view = viewInfo_->TableView();
  return !view->OptionsView()->CellAutoHeight() && view->DataController()->Groups()->GetGroupingItemCount() == 0 &&
         !view->HasDetailLevels() && !view->Preview()->Active();
}

int TcxGridTableLayoutAdapter::GetEqualHeightRecordCount() { return viewInfo_->GetEqualHeightRecordCount(); }

int TcxGridTableLayoutAdapter::CalculateVisibleRecordCount(int AFirstIndex, bool ADown) {
  TcxGridTableViewInfo scratch(viewInfo_->TableView());
  scratch.FirstRecordIndex = AFirstIndex;
  scratch.CalculateDown = ADown;
  scratch.Bounds = viewInfo_->Bounds;
  scratch.CreateViewInfos();
  scratch.Calculate();
  return scratch.VisibleRecordCount();
}

RECT TcxGridTableLayoutAdapter::RecordsBounds() {
  TcxCustomGridRecordsViewInfo* records = viewInfo_->RecordsViewInfo();
  return records ? records->Bounds : RECT{};
}

bool TcxGridTableLayoutAdapter::GetFocusedCellEditBounds(TcxCustomGridTableItem* AItem, RECT& ABounds) {
  TcxCustomGridRecordsViewInfo* records = viewInfo_->RecordsViewInfo();
  TcxCustomGridTableView* view = viewInfo_->TableView();
  TcxCustomGridRecord* record = view->Controller()->FocusedRecord();
  if (!records || !record || !AItem) return false;
  TcxCustomGridRecordViewInfo* recordViewInfo = records->GetRealItem(record, record->Index());
  if (!recordViewInfo) return false;
  auto* cell = dynamic_cast<TcxGridTableDataCellViewInfo*>(recordViewInfo->GetCellViewInfoByItem(AItem));
  if (!cell) return false;
  ABounds = cell->GetEditBounds();
  return true;
}

int TcxGridTableLayoutAdapter::DataWidth() { return viewInfo_->DataWidth(); }

RECT TcxGridTableLayoutAdapter::ClientBounds() { return viewInfo_->GetClientBounds(); }

bool TcxGridTableLayoutAdapter::GetColumnHeaderBounds(TcxGridColumn* AColumn, RECT& ABounds) {
  TcxGridHeaderViewInfo* header = viewInfo_->HeaderViewInfo();
  const int index = header ? header->VisibleIndexOf(AColumn) : -1;
  if (index < 0) return false;
  ABounds = header->Items(index)->Bounds;
  return true;
}
