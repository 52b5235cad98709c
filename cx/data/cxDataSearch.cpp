// Incremental search, locate objects, value readers, notification objects and grouping access.
#include "cx/data/cxCustomData.h"
#include "cx/data/cxDataUtils.h"

TRENVIK_IMPLEMENT_CLASS(TcxDataControllerSearch)
TRENVIK_IMPLEMENT_CLASS(TcxDataControllerLocateObject)
TRENVIK_IMPLEMENT_CLASS(TcxDataControllerKeyLocateObject)
TRENVIK_IMPLEMENT_CLASS(TcxDataControllerGroupLocateObject)
TRENVIK_IMPLEMENT_CLASS(TcxValueDefUnboundReader)
TRENVIK_IMPLEMENT_CLASS(TcxValueDefRecordReader)
TRENVIK_IMPLEMENT_CLASS(TcxUpdateControlInfo)
TRENVIK_IMPLEMENT_CLASS(TcxFocusedRecordChangedInfo)
TRENVIK_IMPLEMENT_CLASS(TcxFocusedRowChangedInfo)
TRENVIK_IMPLEMENT_CLASS(TcxSelectionChangedInfo)
TRENVIK_IMPLEMENT_CLASS(TcxLayoutChangedInfo)
TRENVIK_IMPLEMENT_CLASS(TcxDataChangedInfo)
TRENVIK_IMPLEMENT_CLASS(TcxSearchChangedInfo)
TRENVIK_IMPLEMENT_CLASS(TcxDataControllerGroups)

// ---------------------------------------------------------------------------------------------
// Search

bool TcxDataControllerSearch::DoSearch(int AFrom, int ATo, const String& AText) {
  TcxCustomDataController* dc = dataController_;
  int item = GetItemIndex();
  int step = AFrom <= ATo ? 1 : -1;
  for (int position = AFrom; position != ATo + step; position += step) {
    int record = dc->GetRecordListItem(position);
    String text;
    dc->GetSearchDisplayText(record, item, text);
    if (!cxTextStartsWith(text, AText, true)) continue;
    Lock();
    try {
      dc->ChangeFocusedRecordIndex(record);
      dc->ResetSelectionToFocused();
    } catch (...) {
      Unlock();
      throw;
    }
    Unlock();
    return true;
  }
  return false;
}

bool TcxDataControllerSearch::Locate(int AItemIndex, const String& AText) {
  TcxCustomDataController* dc = dataController_;
  if (AText.empty() || dc->GetFilteredRecordCount() == 0) return false;
  SetItemIndex(AItemIndex);
  bool found;
  if (dc->IsGridMode()) {
    found = dc->IncrementalSearch(AText, true, false);
  } else {
    int focused = dc->GetFocusedRecordIndex();
    int start = focused < 0 ? 0 : std::max(dc->GetRecordListIndex(focused), 0);
    int last = dc->GetFilteredRecordCount() - 1;
    found = DoSearch(start, last, AText) || (start > 0 && DoSearch(0, start - 1, AText));
  }
  if (found) {
    dc->Searching = true;
    dc->SearchText = AText;
    dc->Change(dccSearch);
    dc->SyncSelectionToFocus();
  }
  return found;
}

bool TcxDataControllerSearch::LocateNext(bool AForward) {
  TcxCustomDataController* dc = dataController_;
  if (!dc->Searching || dc->SearchText.empty() || !dc->SearchField || dc->GetFilteredRecordCount() == 0)
    return false;
  bool found = false;
  if (dc->IsGridMode()) {
    found = dc->IncrementalSearch(dc->SearchText, AForward, true);
  } else {
    int focused = dc->GetFocusedRecordIndex();
    int position = focused < 0 ? -1 : dc->GetRecordListIndex(focused);
    if (position < 0) return false;
    int last = dc->GetFilteredRecordCount() - 1;
    if (AForward && position < last)
      found = DoSearch(position + 1, last, dc->SearchText);
    else if (!AForward && position > 0)
      found = DoSearch(position - 1, 0, dc->SearchText);
  }
  if (found) dc->SyncSelectionToFocus();
  return found;
}

void TcxDataControllerSearch::Cancel() {
  TcxCustomDataController* dc = dataController_;
  if (locked_ || !dc->Searching) return;
  dc->SearchText.clear();
  dc->Searching = false;
  dc->Change(dccSearch);
}

int TcxDataControllerSearch::GetItemIndex() const {
  return dataController_->SearchField ? dataController_->GetItemFieldIndex(dataController_->SearchField) : -1;
}

bool TcxDataControllerSearch::GetSearching() const { return dataController_->Searching; }

String TcxDataControllerSearch::GetSearchText() const { return dataController_->SearchText; }

void TcxDataControllerSearch::SetItemIndex(int AItemIndex) {
  dataController_->CheckItemIndex(AItemIndex);
  dataController_->SearchField = dataController_->GetItemField(AItemIndex);
}

// ---------------------------------------------------------------------------------------------
// Locate objects

void TcxDataControllerLocateObject::ReleaseRecord() {
  if (recordIndex_ != 0 && dataController_->DataStorage())
    dataController_->DataStorage()->DeleteRecord(recordIndex_);
  recordIndex_ = 0;
}

void TcxDataControllerLocateObject::ReadValues(TcxValueDefReader* AReader) {
  if (recordIndex_ == 0) recordIndex_ = dataController_->DataStorage()->AddInternalRecord();
  dataController_->DataStorage()->ReadRecord(recordIndex_, AReader, true);
}

int TcxDataControllerKeyLocateObject::FindRecordIndex() {
  if (recordIndex_ == 0) return -1;
  return dataController_->FindRecordByValues(recordIndex_, Fields);
}

TcxDataControllerGroupLocateObject::TcxDataControllerGroupLocateObject(
    TcxCustomDataController* ADataController)
    : TcxDataControllerLocateObject(ADataController) {
  TcxGroupingFieldList* grouping = ADataController->DataControllerInfo()->GroupingFieldList();
  for (int i = 0; i < grouping->Count(); ++i) {
    groupingFields_.push_back(grouping->GetEntry(i).Field);
    if (ADataController->IsSortByDisplayText(grouping->GetEntry(i).Field)) halvingSearch_ = false;
  }
  UpdateFindFields();
}

void TcxDataControllerGroupLocateObject::SetLevel(int AValue) {
  if (level_ == AValue) return;
  level_ = AValue;
  UpdateFindFields();
}

void TcxDataControllerGroupLocateObject::UpdateFindFields() {
  findFields_.clear();
  if (halvingSearch_) return;
  for (int i = 0; i <= level_ && i < static_cast<int>(groupingFields_.size()); ++i)
    findFields_.push_back(groupingFields_[static_cast<size_t>(i)]);
}

int TcxDataControllerGroupLocateObject::FindRecordIndex() {
  if (recordIndex_ == 0) return -1;
  if (halvingSearch_) return dataController_->FindGroupRecord(recordIndex_, level_ + 1);
  dataController_->SetLocating(true);
  int result;
  try {
    result = dataController_->FindRecordByValues(recordIndex_, findFields_);
  } catch (...) {
    dataController_->SetLocating(false);
    throw;
  }
  dataController_->SetLocating(false);
  return result;
}

// ---------------------------------------------------------------------------------------------
// Readers

void TcxValueDefUnboundReader::SetValue(TcxValueDef* AValueDef, const Variant& AValue) {
  size_t i = 0;
  while (i < defs_.size() && defs_[i] != AValueDef) ++i;
  if (i == defs_.size()) {
    defs_.push_back(AValueDef);
    values_.resize(defs_.size());
  }
  if (!values_[i]) values_[i] = std::make_unique<Variant>();
  *values_[i] = AValue;
}

Variant TcxValueDefUnboundReader::GetValue(TcxValueDef* AValueDef) {
  if (AValueDef->InheritsFrom(TcxInternalValueDef::StaticClass()))
    AValueDef = static_cast<TcxValueDef*>(AValueDef->TcxValueDef::GetLink());
  for (size_t i = 0; i < defs_.size(); ++i)
    if (defs_[i] == AValueDef && values_[i]) return *values_[i];
  return Null();
}

bool TcxValueDefUnboundReader::IsValueSkipped(TcxValueDef* AValueDef) {
  auto* field = dynamic_cast<TcxCustomDataField*>(AValueDef->Link());
  return field && field->IsUnboundValue();
}

void TcxValueDefUnboundReader::ClearValues() {
  while (!values_.empty()) values_.pop_back();
  defs_.clear();
}

void TcxValueDefUnboundReader::Truncate(int ACount) {
  if (ACount < Count()) {
    defs_.resize(static_cast<size_t>(ACount));
    values_.resize(static_cast<size_t>(ACount));
  }
}

String TcxValueDefRecordReader::GetDisplayText(TcxValueDef* AValueDef) {
  auto* field = dynamic_cast<TcxCustomDataField*>(AValueDef->Link());
  if (!field || field->IsInternal()) return String();
  String text;
  dataController_->GetFieldDisplayText(recordIndex_, field, text);
  return text;
}

Variant TcxValueDefRecordReader::GetValue(TcxValueDef* AValueDef) {
  auto* field = dynamic_cast<TcxCustomDataField*>(AValueDef->Link());
  if (!field) return Null();
  Variant value;
  dataController_->GetFieldValue(recordIndex_, field, value);
  return value;
}

bool TcxValueDefRecordReader::IsValueSkipped(TcxValueDef* AValueDef) {
  auto* field = dynamic_cast<TcxCustomDataField*>(AValueDef->Link());
  return field && field->IsUnboundValue();
}

TcxSelectionChangedInfo::TcxSelectionChangedInfo(int APrevRowIndex, int ARowIndex) {
  if (APrevRowIndex != -1) rows_.push_back(APrevRowIndex);
  if (ARowIndex != -1 && ARowIndex != APrevRowIndex) rows_.push_back(ARowIndex);
}

// ---------------------------------------------------------------------------------------------
// Grouping access

TcxDataGroups* TcxDataControllerGroups::DataGroups() const {
  return dataController_->DataControllerInfo()->DataGroups();
}

void TcxDataControllerGroups::ChangeExpanding(int ARowIndex, bool AExpanded, bool ARecursive) {
  dataController_->DataControllerInfo()->ChangeExpanding(ARowIndex, AExpanded, ARecursive);
}

void TcxDataControllerGroups::ChangeGroupIndex(int AItemIndex, int AGroupIndex) {
  dataController_->CheckItemIndex(AItemIndex);
  TcxCustomDataField* field = dataController_->GetItemField(AItemIndex);
  TcxGroupingFieldList* grouping = dataController_->DataControllerInfo()->GroupingFieldList();
  int current = grouping->GetGroupIndex(field);
  if (current == AGroupIndex || (current < 0 && AGroupIndex < 0)) return;
  dataController_->GroupingChangedMark = true;
  dataController_->DataControllerInfo()->ChangeGroupIndex(field, AGroupIndex);
}

int TcxDataControllerGroups::GetGroupingItemCount() const {
  return dataController_->DataControllerInfo()->GroupingFieldList()->Count();
}

int TcxDataControllerGroups::GetGroupingItemIndex(int AIndex) const {
  return dataController_->GetItemFieldIndex(
      dataController_->DataControllerInfo()->GroupingFieldList()->GetEntry(AIndex).Field);
}

int TcxDataControllerGroups::GetItemGroupIndex(int AItemIndex) const {
  dataController_->CheckItemIndex(AItemIndex);
  return dataController_->DataControllerInfo()->GroupingFieldList()->GetGroupIndex(
      dataController_->GetItemField(AItemIndex));
}

void TcxDataControllerGroups::AddRowRecords(std::vector<int>& AList, int ARowIndex) {
  int group = DataGroups()->FindItemIndex(ARowIndex);
  if (group >= 0) AddGroupRecords(AList, group);
}

void TcxDataControllerGroups::AddGroupRecords(std::vector<int>& AList, int AGroupIndex) {
  TcxDataGroups* groups = DataGroups();
  if (groups->GetLevel(AGroupIndex) < groups->GetLevelCount() - 1) {
    for (int i = 0; i < groups->GetChildCount(AGroupIndex); ++i)
      AddGroupRecords(AList, groups->GetChildIndex(AGroupIndex, i));
    return;
  }
  for (int i = 0; i < groups->GetChildCount(AGroupIndex); ++i)
    AList.push_back(GetChildRecordIndex(AGroupIndex, i));
}

int TcxDataControllerGroups::GetChildCount(int AGroupIndex) const {
  return DataGroups()->GetChildCount(AGroupIndex);
}

int TcxDataControllerGroups::GetChildGroupIndex(int AGroupIndex, int AChildIndex) const {
  return DataGroups()->GetChildIndex(AGroupIndex, AChildIndex);
}

int TcxDataControllerGroups::GetChildRecordIndex(int AGroupIndex, int AChildIndex) const {
  int position = DataGroups()->GetChildRecordListIndex(AGroupIndex, AChildIndex);
  return position < 0 ? -1 : dataController_->GetRecordListItem(position);
}

int TcxDataControllerGroups::GetGroupIndexOfRow(int ARowIndex) const {
  return DataGroups()->FindItemIndex(ARowIndex);
}

int TcxDataControllerGroups::GetLevel(int AGroupIndex) const { return DataGroups()->GetLevel(AGroupIndex); }
