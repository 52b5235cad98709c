#include "cx/grid/cxGridRows.h"

#include "cx/grid/cxGridRecordChanges.h"
#include "cx/grid/cxGridCustomTableController.h"
#include "cx/grid/cxGridEditingController.h"

#include <algorithm>
#include <functional>

#include "platform/rtl/ScopeExit.h"
#include "platform/win/Input.h"

TRENVIK_IMPLEMENT_CLASS(TcxCustomGridRecord)
TRENVIK_IMPLEMENT_CLASS(TcxGridDataRow)
TRENVIK_IMPLEMENT_CLASS(TcxGridGroupRow)
TRENVIK_IMPLEMENT_CLASS(TcxCustomGridTableViewData)

// --- TcxCustomGridRecord ---

TcxCustomGridTableView* TcxCustomGridRecord::GridView() const { return viewData_->TableView(); }

TcxCustomDataController* TcxCustomGridRecord::DataController() const { return viewData_->DataController(); }

bool TcxCustomGridRecord::IsNewItemRecord() const { return viewData_->NewItemRecord() == this; }

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

void TcxCustomGridRecord::RefreshRecordInfo() {
  if (IsNewItemRecord())
    rowInfo_ = TcxRowInfo{false, 0, DataController()->GetNewItemRecordIndex()};
  else
    rowInfo_ = DataController()->GetRowInfo(index_);
}

bool TcxCustomGridRecord::Selected() const {
  if (IsNewItemRecord()) return DataController()->IsNewItemRowActive();
  return DataController()->IsRowSelected(index_);
}

bool TcxCustomGridRecord::Focused() const { return GridView()->IsRecordFocused(this); }

bool TcxCustomGridRecord::DrawnSelected() const { return GridView()->IsRecordDrawnSelected(this); }

void TcxCustomGridRecord::SetSelected(bool Value) {
  if (!IsNewItemRecord())
    DataController()->ChangeRowSelection(index_, Value);
  else if (Value != Selected())
    DataController()->SetNewItemRowFocused(Value);
}

bool TcxCustomGridRecord::IsParentRecordLast(int ALevel) const {
  if (IsLast()) return true;
  return DataController()->GetRowInfo(index_ + 1).Level < Level() - ALevel;
}

void TcxCustomGridRecord::Invalidate(TcxCustomGridTableItem* AItem) {
  GridView()->Changed(std::make_unique<TcxGridRecordChange>(GridView(), AItem, index_, this));
}

// Expanding or collapsing rebuilds the rows and frees this record: the key is marked first and the
// expansion is the last thing done.
void TcxCustomGridRecord::KeyDown(WORD& Key, TShiftState) {
  if (!Expandable()) return;
  const bool expanded = Expanded();
  std::function<void()> act;
  bool marksKey = true;
  switch (Key) {
    case VK_ADD:
      act = [this] { SetExpanded(true); };
      break;
    case VK_SUBTRACT:
      act = [this] { SetExpanded(false); };
      break;
    case VK_MULTIPLY:
      act = [this] { Expand(true); };
      break;
    case VK_LEFT:
      if (expanded) act = [this] { SetExpanded(false); };
      marksKey = false;
      break;
    case VK_RIGHT:
      if (!expanded) act = [this] { SetExpanded(true); };
      marksKey = false;
      break;
    default:
      break;
  }
  if (!act) return;
  Key = 0;
  if (marksKey) ViewData()->KeyHandled = true;
  act();
}

// A typed character opens the focused cell's editor and goes into it. Any character does, not only
// 8-bit ones: Cyrillic letters start editing as Latin ones do.
void TcxCustomGridRecord::KeyPress(Char& Key) {
  if (ViewData()->KeyHandled) {
    ViewData()->KeyHandled = false;
    return;
  }
  if (Key != VK_BACK && Key != 22 && Key != 24 && Key < 32) return;
  TcxCustomGridTableController* controller = GridView()->Controller();
  if (!HasCells() || !controller->FocusedItem()) return;
  controller->EditingController()->ShowEditByKey(controller->FocusedItem(), Key);
  Key = 0;
}

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
  if (!slot) {
    slot = CreateRecord(AIndex, DataController()->GetRowInfo(AIndex));
    createdIndexes_.push_back(AIndex);
  }
  return slot.get();
}

TcxCustomGridRecord* TcxCustomGridTableViewData::GetRecordByIndex(int AIndex) {
  return IsRecordIndexValid(AIndex) ? Records(AIndex) : nullptr;
}

TcxCustomGridRecord* TcxCustomGridTableViewData::GetRecordByRecordIndex(int ARecordIndex) {
  if (newItemRecord_ && ARecordIndex == DataController()->GetNewItemRecordIndex()) return newItemRecord_.get();
  // A notification may name a record the data has lost meanwhile (the dataset closed).
  if (ARecordIndex < 0 || ARecordIndex >= DataController()->GetRecordCount()) return nullptr;
  return GetRecordByIndex(DataController()->GetRowIndexByRecordIndex(ARecordIndex, false));
}

int TcxCustomGridTableViewData::CreatedRecordCount() const { return static_cast<int>(createdIndexes_.size()); }

std::unique_ptr<TcxCustomGridRecord> TcxCustomGridTableViewData::CreateNewItemRecord() {
  return std::make_unique<TcxGridDataRow>(this, -1, TcxRowInfo{false, 0, DataController()->GetNewItemRecordIndex()});
}

void TcxCustomGridTableViewData::CheckNewItemRecord() {
  if (!HasNewItemRecord())
    newItemRecord_.reset();
  else if (!newItemRecord_)
    newItemRecord_ = CreateNewItemRecord();
}

void TcxCustomGridTableViewData::Refresh(int ARecordCount) {
  newItemRecord_.reset();
  CheckNewItemRecord();
  // A million rows are rebuilt often; only the few records made since the last rebuild are freed.
  for (int index : createdIndexes_) records_[static_cast<size_t>(index)].reset();
  createdIndexes_.clear();
  records_.resize(static_cast<size_t>(std::max(ARecordCount, 0)));
  GridView()->SizeChanged(GridView()->IsPattern(), false);
}

void TcxCustomGridTableViewData::RefreshRecords() {
  if (newItemRecord_) newItemRecord_->RefreshRecordInfo();
  for (int index : createdIndexes_) records_[static_cast<size_t>(index)]->RefreshRecordInfo();
}

void TcxCustomGridTableViewData::Collapse(bool ARecursive) {
  for (int i = RecordCount() - 1; i >= 0; --i) Records(i)->Collapse(ARecursive);
}

// Expanding adds rows: the count is read again before each step. A recursive expansion opens
// every group row first in one pass of the data controller, so that the rows are rebuilt once
// rather than once a group; then only master rows are left to open their details.
void TcxCustomGridTableViewData::Expand(bool ARecursive) {
  if (!ARecursive) {
    for (int i = 0; i < RecordCount(); ++i) Records(i)->Expand(false);
    return;
  }
  ExpandAllGroups();
  if (!GridView()->HasDetailLevels()) return;
  for (int i = 0; i < RecordCount(); ++i)
    if (Records(i)->IsData()) Records(i)->Expand(true);
}

void TcxCustomGridTableViewData::ExpandAllGroups() {
  TcxCustomDataController* dc = DataController();
  const int levels = dc->Groups()->GetGroupingItemCount();
  if (levels == 0) return;
  dc->BeginUpdate();
  TScopeExit endUpdate([dc] { dc->EndUpdate(); });
  // The data controller renumbers its rows at once; only the rebuild of the records waits. Only
  // group rows are visited: the records under a group of the deepest level are stepped over, as
  // walking a million record rows cost more than opening the groups.
  TcxDataControllerGroups* groups = dc->Groups();
  int rowCount = dc->GetRowCount();
  for (int row = 0; row < rowCount; ++row) {
    const TcxRowInfo info = dc->GetRowInfo(row);
    if (info.Level >= levels) continue;
    if (!info.Expanded) {
      groups->ChangeExpanding(row, true, true);
      rowCount = dc->GetRowCount();
    }
    if (info.Level == levels - 1) row += groups->GetChildCount(groups->GetGroupIndexOfRow(row));
  }
}

// --- TcxGridRecordHitTest ---

TRENVIK_IMPLEMENT_CLASS(TcxGridRecordHitTest)

// The new-item record stands beside the rows with the index -1.
TcxCustomGridRecord* TcxGridRecordHitTest::GridRecord() const {
  if (!viewData_) return nullptr;
  if (gridRecordIndex_ == -1) return viewData_->NewItemRecord();
  return viewData_->IsRecordIndexValid(gridRecordIndex_) ? viewData_->Records(gridRecordIndex_) : nullptr;
}

void TcxGridRecordHitTest::SetGridRecord(TcxCustomGridRecord* Value) {
  viewData_ = Value ? Value->ViewData() : nullptr;
  gridRecordIndex_ = Value ? Value->Index() : -1;
}
