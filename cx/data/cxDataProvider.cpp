// The unbound provider: the edit, insert, post, cancel and delete state machine, and the record
// source hand-off.
#include <algorithm>

#include "cx/data/cxCustomData.h"
#include "cx/data/cxDataConsts.h"
#include "cx/data/cxDataUtils.h"

TRENVIK_IMPLEMENT_CLASS(TcxCustomRecordSource)
TRENVIK_IMPLEMENT_CLASS(TcxCustomDataProvider)

TcxCustomDataProvider::TcxCustomDataProvider(TcxCustomDataController* ADataController)
    : dataController_(ADataController) {}

TcxCustomDataProvider::~TcxCustomDataProvider() {
  FreeEditBuffer();
  if (recordSource_ && recordSource_->OwnerProvider == this) recordSource_->OwnerProvider = nullptr;
  recordSource_ = nullptr;
}

void TcxCustomDataProvider::FreeEditBuffer() {
  if (editBufferRecord_ < 0 && dataController_->DataStorage())
    dataController_->DataStorage()->DeleteRecord(editBufferRecord_);
  editBufferRecord_ = 0;
}

void TcxCustomDataProvider::SetRecordSource(TcxCustomRecordSource* ASource) {
  if (!IsCustomDataSourceSupported() || ASource == recordSource_) return;
  if (recordSource_ && recordSource_->OwnerProvider == this) recordSource_->OwnerProvider = nullptr;
  recordSource_ = ASource;
  if (recordSource_ && !recordSource_->OwnerProvider) recordSource_->OwnerProvider = this;
  if (!dataController_->IsDestroying()) dataController_->UpdateStorage();
}

void TcxCustomDataProvider::LoadRecordsFromSource() {
  recordSource_->Provider = this;
  recordSource_->LoadRecordHandles();
}

bool TcxCustomDataProvider::CanDelete() { return dataController_->GetRecordCount() > 0; }

bool TcxCustomDataProvider::EditRecord(int ARecordIndex) {
  dataController_->CheckRecordIndex(ARecordIndex);
  if (!IsEditing()) DoEdit();
  if (IsEditing()) SetChanging();
  return true;
}

void TcxCustomDataProvider::BeginEditing() {
  if (dataController_->NewItemRowEnabled() && dataController_->IsNewItemRowActive() && !IsInserting()) {
    Insert();
    return;
  }
  editingRecordIndex_ = dataController_->GetRecordIndexToEdit();
  if (editingRecordIndex_ == NoRecordIndex) return;
  if (!IsActiveDataSet() && !IsInserting()) {
    if (editBufferRecord_ == 0) editBufferRecord_ = dataController_->DataStorage()->AddInternalRecord();
    dataController_->CopyRecord(editingRecordIndex_, editBufferRecord_);
  }
  dataController_->Change(dccLayout);
}

void TcxCustomDataProvider::BeginInserting(bool AAppend) {
  if (!IsActiveDataSet() && IsInserting() && !changing_ && !IsModified()) return;
  if (IsEditing() && (changing_ || IsModified()) && !IsActiveDataSet()) {
    if (changing_) UpdateData();
    Post();
  }
  TcxCustomDataController* dc = dataController_;
  cxInUpdate(dc, [&] {
    int source;
    if (dc->NewItemRowEnabled()) {
      source = dc->GetFocusedRecordIndex();
      if (source < 0 && dc->GetRowCount() > 0) source = dc->GetRowRecordIndex(0);
      editingRecordIndex_ = dc->GetNewItemRecordIndex();
      dc->SetNewItemRowFocused(true);
    } else {
      if (!AAppend) dc->ClearSelection();
      if (IsGridMode()) {
        source = dc->GetFocusedRecordIndex();
        editingRecordIndex_ = source;
      } else if (AAppend) {
        source = dc->GetLastRowRecordIndex();
        editingRecordIndex_ = dc->AppendRecord();
      } else {
        int row = dc->GetFocusedRowIndex();
        source = row < 0 ? 0 : dc->GetRowRecordIndex(row);
        editingRecordIndex_ = dc->InsertRecord(source);
      }
    }
    Variant groupValues;
    dc->GetGroupValues(source, groupValues);
    AssignDefaultValues(editingRecordIndex_, groupValues);
    ClearChanging();
    inserting_ = true;
  });
  dc->ChangeFocusedRecordIndex(editingRecordIndex_);
}

void TcxCustomDataProvider::AssignDefaultValues(int ARecordIndex, const Variant& AGroupValues) {
  TcxCustomDataControllerInfo* info = dataController_->DataControllerInfo();
  int count = info->GroupingFieldList()->Count();
  if (count == 0 || !dataController_->GetOptions().Contains(dcoAssignGroupingValues)) return;
  for (int i = 0; i < count; ++i)
    AssignValue(ARecordIndex, info->GroupingFieldList()->GetEntry(i).Field, VarArrayGet(AGroupValues, {i}));
}

void TcxCustomDataProvider::AssignValue(int ARecordIndex, TcxCustomDataField* AField, const Variant& AValue) {
  dataController_->SetValue(ARecordIndex, dataController_->GetItemFieldIndex(AField), AValue);
}

bool TcxCustomDataProvider::SetEditValue(int ARecordIndex, TcxCustomDataField* AField,
                                         TcxEditValueSource AValueSource, const Variant& AValue) {
  Variant value = AValue;
  if (AValueSource == evsText && VarToStr(AValue).empty()) value = Null();
  dataController_->SetValue(ARecordIndex, dataController_->GetItemFieldIndex(AField), value);
  SetModified();
  return true;
}

void TcxCustomDataProvider::GetEditValue(int ARecordIndex, TcxCustomDataField* AField, Variant& AValue,
                                         TcxEditValueSource) {
  if (ARecordIndex == NoRecordIndex) cxRaiseDataControllerError(cxSDataRecordIndexError);
  dataController_->GetFieldValue(ARecordIndex, AField, AValue);
}

void TcxCustomDataProvider::UpdateData() {
  if (changing_) dataController_->UpdateData();
  ClearChanging();
}

void TcxCustomDataProvider::Post() {
  if (changing_) dataController_->UpdateData();
  if (!IsInserting() || IsModified()) {
    if (IsInserting() && dataController_->NewItemRowEnabled() && IsEditing()) {
      AppendedRecordIndex = dataController_->AppendRecord();
      dataController_->CopyRecord(editingRecordIndex_, AppendedRecordIndex);
    }
    EndEditing();
  } else {
    Cancel();
  }
  DataChanged(dcRecord);
}

void TcxCustomDataProvider::Cancel() {
  if (IsEditing() && (editingRecordIndex_ < dataController_->GetRecordCount() ||
                      editingRecordIndex_ == dataController_->newItemRecordIndex_)) {
    if (IsInserting()) {
      int focused = dataController_->GetFocusedRecordIndex();
      dataController_->DeleteRecord(editingRecordIndex_);
      if (focused >= dataController_->GetRecordCount())
        dataController_->ChangeFocusedRecordIndex(focused - 1);
    } else if (editBufferRecord_ != 0) {
      dataController_->CopyRecord(editBufferRecord_, editingRecordIndex_);
    }
  }
  EndEditing();
}

void TcxCustomDataProvider::EndEditing() {
  if (IsEditing() && editingRecordIndex_ < 0 && editingRecordIndex_ == dataController_->newItemRecordIndex_) {
    dataController_->DataStorage()->DeleteRecord(editingRecordIndex_);
    dataController_->newItemRecordIndex_ = 0;
  }
  editingRecordIndex_ = NoRecordIndex;
  inserting_ = false;
  ClearChanging();
  ResetModified();
  FreeEditBuffer();
}

void TcxCustomDataProvider::Delete() {
  int row = dataController_->GetFocusedRowIndex();
  if (row < 0) return;
  dataController_->DeleteRecord(dataController_->GetRowRecordIndex(row));
  dataController_->FocusAfterDelete();
}

void TcxCustomDataProvider::DeleteRecords(const std::vector<int>& AList) {
  // From the highest index down, each record once: a list in row order (a group's records after
  // sorting) would otherwise shift the later indexes onto other records.
  std::vector<int> records = AList;
  std::sort(records.begin(), records.end());
  records.erase(std::unique(records.begin(), records.end()), records.end());
  cxInUpdate(dataController_, [&] {
    for (size_t i = records.size(); i-- > 0;) dataController_->DeleteRecord(records[i]);
  });
  dataController_->FocusAfterDelete();
}

void TcxCustomDataProvider::DeleteSelection() {
  std::vector<int> list;
  int groupingCount = dataController_->DataControllerInfo()->GroupingFieldList()->Count();
  for (int i = 0; i < dataController_->GetSelectedCount(); ++i) {
    int row = dataController_->GetSelectedRowIndex(i);
    int record;
    TcxRowInfo info = dataController_->GetRowInfo(row, record);
    if (info.Level < groupingCount)
      dataController_->Groups()->AddRowRecords(list, row);
    else
      list.push_back(record);
  }
  std::sort(list.begin(), list.end());
  list.erase(std::unique(list.begin(), list.end()), list.end());
  DeleteRecords(list);
  dataController_->ClearSelection();
}

int TcxCustomDataProvider::RecordHandle(int ARecordIndex) {
  TcxCustomDataField* field = dataController_->RecordHandleField();
  if (!field || !field->GetValueDef()) return -1;
  Variant v = dataController_->DataStorage()->GetValue(ARecordIndex, field->GetValueDef());
  return VarIsNull(v) ? -1 : v.AsInteger();
}

int TcxCustomDataProvider::RecordIndexOfHandle(int AHandle) {
  for (int i = 0; i < dataController_->GetRecordCount(); ++i)
    if (RecordHandle(i) == AHandle) return i;
  return -1;
}

int TcxCustomDataProvider::AppendRecordToSource() {
  if (!recordSource_) return -1;
  recordSource_->Provider = this;
  return RecordIndexOfHandle(recordSource_->AppendRecord());
}

void TcxCustomDataProvider::DeleteRecordFromSource(int ARecordIndex) {
  recordSource_->Provider = this;
  recordSource_->DeleteRecord(RecordHandle(ARecordIndex));
}

int TcxCustomDataProvider::InsertRecordToSource(int ARecordIndex) {
  if (!recordSource_) return -1;
  recordSource_->Provider = this;
  int handle = recordSource_->IsInsertSupported() ? recordSource_->InsertRecord(RecordHandle(ARecordIndex))
                                                  : recordSource_->AppendRecord();
  return RecordIndexOfHandle(handle);
}

void TcxCustomDataProvider::GetSourceDisplayText(int ARecordIndex, TcxCustomDataField* AField,
                                                 String& AText) {
  AText.clear();
  if (!recordSource_) return;
  recordSource_->Provider = this;
  recordSource_->GetDisplayText(RecordHandle(ARecordIndex),
                                recordSource_->GetItemHandle(dataController_->GetItemFieldIndex(AField)),
                                AText);
}

void TcxCustomDataProvider::GetSourceValue(int ARecordIndex, TcxCustomDataField* AField, Variant& AValue) {
  AValue = Null();
  if (!recordSource_) return;
  recordSource_->Provider = this;
  recordSource_->GetValue(RecordHandle(ARecordIndex),
                          recordSource_->GetItemHandle(dataController_->GetItemFieldIndex(AField)), AValue);
}

void TcxCustomDataProvider::SetSourceValue(int ARecordIndex, TcxCustomDataField* AField,
                                           const Variant& AValue) {
  if (!recordSource_) return;
  recordSource_->Provider = this;
  recordSource_->SetValue(RecordHandle(ARecordIndex),
                          recordSource_->GetItemHandle(dataController_->GetItemFieldIndex(AField)), AValue);
}

void TcxCustomDataProvider::SetRecordCount(int ACount) {
  if (!recordSource_) return;
  recordSource_->Provider = this;
  recordSource_->SetRecordCount(ACount);
}

int TcxCustomDataProvider::CompareValues(int ARecordIndex1, int ARecordIndex2, TcxCustomDataField* AField) {
  TcxValueDef* def = AField->GetValueDef();
  if (!def) return 0;
  TcxDataStorage* storage = dataController_->DataStorage();
  if (ARecordIndex1 < 0 && ARecordIndex2 < 0)
    return storage->CompareRecords(ARecordIndex1, ARecordIndex2, def);
  auto fetch = [&](int record, const void*& data) {
    if (record < 0 || !recordSource_) return storage->GetValuePointer(record, def, data);
    recordSource_->Provider = this;
    return !recordSource_->GetValueBuffer(
        RecordHandle(record), recordSource_->GetItemHandle(dataController_->GetItemFieldIndex(AField)), data);
  };
  const void *d1 = nullptr, *d2 = nullptr;
  bool null1 = fetch(ARecordIndex1, d1), null2 = fetch(ARecordIndex2, d2);
  return def->CompareValues(null1, null2, d1, d2);
}

int TcxCustomDataProvider::NativeCompare(int ARecordIndex1, int ARecordIndex2, TcxCustomDataField* AField) {
  recordSource_->Provider = this;
  return recordSource_->NativeCompare(
      RecordHandle(ARecordIndex1), RecordHandle(ARecordIndex2),
      recordSource_->GetItemHandle(dataController_->GetItemFieldIndex(AField)));
}

void TcxCustomDataProvider::ActiveChanged(bool AActive) {
  dataController_->ActiveChanged(AActive);
  ClearChanging();
}

void TcxCustomDataProvider::DataChanged(int AKind) {
  if (lockCount_ == 0) dataController_->DataChanged(AKind);
  ClearChanging();
}

void TcxCustomDataProvider::DataScrolled(int ADistance) {
  dataController_->DataScrolled(ADistance);
  ClearChanging();
}

void TcxCustomDataProvider::LayoutChanged(int AKind) { dataController_->LayoutChanged(AKind); }
