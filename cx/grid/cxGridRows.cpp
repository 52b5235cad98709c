#include "cx/grid/cxGridRows.h"

#include <algorithm>

TRENVIK_IMPLEMENT_CLASS(TcxCustomGridRecord)
TRENVIK_IMPLEMENT_CLASS(TcxGridDataRow)
TRENVIK_IMPLEMENT_CLASS(TcxGridGroupRow)
TRENVIK_IMPLEMENT_CLASS(TcxCustomGridTableViewData)

// --- TcxCustomGridRecord ---

TcxCustomGridTableView* TcxCustomGridRecord::GridView() const { return viewData_->TableView(); }

TcxCustomDataController* TcxCustomGridRecord::DataController() const { return viewData_->DataController(); }

bool TcxCustomGridRecord::IsValid() const {
  return RecordIndex() >= 0 && RecordIndex() < DataController()->GetRecordCount();
}

bool TcxCustomGridRecord::IsLast() const { return index_ + 1 == viewData_->RecordCount(); }

int TcxCustomGridRecord::ValueCount() const { return DataController()->GetItemCount(); }

Variant TcxCustomGridRecord::Values(int AItemIndex) const {
  Variant value;
  DataController()->GetRowValue(rowInfo_, AItemIndex, value);
  return value;
}

String TcxCustomGridRecord::DisplayTexts(int AItemIndex) const {
  String text;
  DataController()->GetRowDisplayText(rowInfo_, AItemIndex, text);
  return text;
}

void TcxCustomGridRecord::SetExpanded(bool Value) {
  if (Value == Expanded()) return;
  if (Value)
    Expand(false);
  else
    Collapse(false);
}

void TcxCustomGridRecord::Expand(bool ARecursive) {
  if (Expandable()) DoExpand(ARecursive);
}

void TcxCustomGridRecord::Collapse(bool ARecursive) {
  if (Expandable()) DoCollapse(ARecursive);
}

void TcxCustomGridRecord::RefreshRecordInfo() { rowInfo_ = DataController()->GetRowInfo(index_); }

// --- TcxGridGroupRow ---

bool TcxGridGroupRow::IsParent() const { return Level() < DataController()->Groups()->GetGroupingItemCount(); }

String TcxGridGroupRow::DisplayText() const {
  const int item = DataController()->Groups()->GetGroupingItemIndex(Level());
  const String caption = GridView()->Items(item)->Caption();
  String text = caption + u" : " + DisplayTexts(-1);
  const String summary = DataController()->Summary()->GetGroupSummaryText(Index());
  if (!summary.empty()) text += u" " + summary;
  return text;
}

void TcxGridGroupRow::DoExpand(bool ARecursive) { DataController()->Groups()->ChangeExpanding(Index(), true, ARecursive); }

void TcxGridGroupRow::DoCollapse(bool ARecursive) {
  DataController()->Groups()->ChangeExpanding(Index(), false, ARecursive);
}

// --- TcxCustomGridTableViewData ---

std::unique_ptr<TcxCustomGridRecord> TcxCustomGridTableViewData::CreateRecord(int AIndex, const TcxRowInfo& ARowInfo) {
  if (ARowInfo.Level < DataController()->Groups()->GetGroupingItemCount())
    return std::make_unique<TcxGridGroupRow>(this, AIndex, ARowInfo);
  return std::make_unique<TcxGridDataRow>(this, AIndex, ARowInfo);
}

TcxCustomGridRecord* TcxCustomGridTableViewData::Records(int AIndex) {
  auto& slot = records_.at(static_cast<size_t>(AIndex));
  if (!slot) slot = CreateRecord(AIndex, DataController()->GetRowInfo(AIndex));
  return slot.get();
}

TcxCustomGridRecord* TcxCustomGridTableViewData::GetRecordByIndex(int AIndex) {
  return IsRecordIndexValid(AIndex) ? Records(AIndex) : nullptr;
}

TcxCustomGridRecord* TcxCustomGridTableViewData::GetRecordByRecordIndex(int ARecordIndex) {
  return GetRecordByIndex(DataController()->GetRowIndexByRecordIndex(ARecordIndex, false));
}

int TcxCustomGridTableViewData::CreatedRecordCount() const {
  int count = 0;
  for (const auto& record : records_) count += record != nullptr;
  return count;
}

void TcxCustomGridTableViewData::Refresh(int ARecordCount) {
  records_.clear();
  records_.resize(static_cast<size_t>(std::max(ARecordCount, 0)));
  GridView()->SizeChanged(GridView()->IsPattern(), false);
}

void TcxCustomGridTableViewData::RefreshRecords() {
  for (auto& record : records_)
    if (record) record->RefreshRecordInfo();
}

void TcxCustomGridTableViewData::Collapse(bool ARecursive) {
  for (int i = RecordCount() - 1; i >= 0; --i) Records(i)->Collapse(ARecursive);
}

// Expanding adds rows: the count is read again before each step.
void TcxCustomGridTableViewData::Expand(bool ARecursive) {
  for (int i = 0; i < RecordCount(); ++i) Records(i)->Expand(ARecursive);
}

// --- TcxGridRecordHitTest ---

TRENVIK_IMPLEMENT_CLASS(TcxGridRecordHitTest)

TcxCustomGridRecord* TcxGridRecordHitTest::GridRecord() const {
  return viewData_ && viewData_->IsRecordIndexValid(gridRecordIndex_) ? viewData_->Records(gridRecordIndex_) : nullptr;
}

void TcxGridRecordHitTest::SetGridRecord(TcxCustomGridRecord* Value) {
  viewData_ = Value ? Value->ViewData() : nullptr;
  gridRecordIndex_ = Value ? Value->Index() : -1;
}
