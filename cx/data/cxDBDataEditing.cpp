// Editing through the dataset: edit, insert, post, cancel, deletion and the smart refresh of the
// posted record.
#include <algorithm>

#include "cx/data/cxDBData.h"
#include "cx/data/cxVariants.h"
#include "platform/data/Field.h"

namespace {

TField* BoundField(TcxCustomDataField* AField) { return static_cast<TcxDBDataField*>(AField)->Field(); }

bool IsLookupWithKeys(TField* AField) { return AField->Lookup() && !AField->KeyFields().empty(); }

}  // namespace

bool TcxDBDataProvider::CanModify() {
  TDataSet* dataSet = GetDataSet();
  return dataSet && dataSet->Active() && dataSet->CanModify() && IsSyncMode();
}

bool TcxDBDataProvider::CanDelete() { return CanModify() && !GetDataSet()->IsEmpty(); }

bool TcxDBDataProvider::EditRecord(int) {
  bool result = false;
  WithFlag(inEdit_, [&] { result = dataLink_->Edit(); });
  if (result) SetChanging();
  return result;
}

void TcxDBDataProvider::Append() {
  if (TDataSet* dataSet = GetDataSet()) dataSet->Append();
}

void TcxDBDataProvider::Cancel() {
  if (TDataSet* dataSet = GetDataSet()) dataSet->Cancel();
}

void TcxDBDataProvider::Edit() {
  if (TDataSet* dataSet = GetDataSet()) dataSet->Edit();
}

void TcxDBDataProvider::Post() {
  if (TDataSet* dataSet = GetDataSet()) dataSet->Post();
}

void TcxDBDataProvider::UpdateData() { dataLink_->UpdateData(); }

void TcxDBDataProvider::GetEditValue(int, TcxCustomDataField* AField, Variant& AValue,
                                     TcxEditValueSource AValueSource) {
  AValue = Null();
  TField* field = BoundField(AField);
  if (!field) return;
  if (AValueSource == evsText)
    AValue = Variant(field->Text());
  else if (AValueSource == evsKey && IsLookupWithKeys(field))
    AValue = GetDataSet()->FieldValues(field->KeyFields());
  else if (!field->IsNull())
    AValue = field->Value();
}

bool TcxDBDataProvider::SetEditValue(int, TcxCustomDataField* AField, TcxEditValueSource AValueSource,
                                     const Variant& AValue) {
  TField* field = BoundField(AField);
  if (!field) return false;
  if (AValueSource == evsText || field->OnSetText)
    field->SetText(VarIsNull(AValue) ? String() : VarToStr(AValue));
  else if (AValueSource == evsKey && IsLookupWithKeys(field))
    GetDataSet()->SetFieldValues(field->KeyFields(), AValue);
  else
    field->SetValue(AValue);
  return true;
}

void TcxDBDataProvider::AssignValue(int, TcxCustomDataField* AField, const Variant& AValue) {
  TField* field = BoundField(AField);
  if (!field) return;
  if (IsLookupWithKeys(field))
    GetDataSet()->SetFieldValues(field->KeyFields(), AValue);
  else
    field->SetValue(AValue);
}

void TcxDBDataProvider::AssignDefaultValues(int ARecordIndex, const Variant& AGroupValues) {
  TcxDBDataController* dc = DBDataController();
  if (inInsert_ || IsOtherInserting()) {
    TcxCustomDataProvider::AssignDefaultValues(ARecordIndex, AGroupValues);
    if (dc->GetOptions().Contains(dcoAssignMasterDetailKeys) && IsDetail() && !VarIsEmpty(dc->MasterKeyValues())) {
      std::vector<TField*> keys;
      dc->GetDetailKeyFields(keys);
      SetFieldValues(GetDataSet(), keys, dc->MasterKeyValues());
    }
  }
  dc->UpdateEditingRecord();
}

void TcxDBDataProvider::RecordChanged(TField*) {
  TDataSet* dataSet = GetDataSet();
  if (dataSet && dsEditModes.Contains(dataSet->State())) DBDataController()->UpdateEditingRecord();
  ClearChanging();
}

void TcxDBDataProvider::ResetSmartRefresh() {
  ChangedRecordIndex = NoRecordIndex;
  AppendedRecordIndex = -1;
  Inserted = false;
}

void TcxDBDataProvider::RecordDeleted(int ARecordIndex) {
  if (ChangedRecordIndex == ARecordIndex) ResetSmartRefresh();
  if (DeletedRecordIndex == ARecordIndex) DeletedRecordIndex = -1;
}

void TcxDBDataProvider::InsertWithPendingEdit() {
  TDataSet* dataSet = GetDataSet();
  if (!IsSmartRefresh() && dataSet->State() == dsInsert) dataSet->CheckBrowseMode();
  auto enabled = ControlsDisabledScope(dataSet);
  if (IsSmartRefresh()) {
    dataLink_->UpdateData();
    if (dataSet->Modified())
      dataSet->Post();
    else
      dataSet->Cancel();
    UpdateChangedRecord();
    ResetSmartRefresh();
  }
  dataSet->Insert();
}

void TcxDBDataProvider::Insert() {
  TDataSet* dataSet = GetDataSet();
  if (!dataSet) return;
  WithFlag(inInsert_, [&] {
    if (!dsEditModes.Contains(dataSet->State()))
      dataSet->Insert();
    else
      InsertWithPendingEdit();
  });
}

void TcxDBDataProvider::Delete() {
  TDataSet* dataSet = GetDataSet();
  if (!dataSet) return;
  if (!IsSmartRefresh()) {
    dataSet->Delete();
    return;
  }
  TcxCustomDataController* dc = DataController();
  DeletedRecordIndex = dc->GetFocusedRecordIndex();
  if (DeletedRecordIndex == -1) return;
  dataSet->Delete();
  if (IsSmartRefresh() && DeletedRecordIndex != -1 && DeletedRecordIndex < dc->GetRecordCount()) {
    dc->DeleteRecord(DeletedRecordIndex);
    DeletedRecordIndex = -1;
    dc->SyncFocusedRecord();
  }
}

void TcxDBDataProvider::DeleteRecordsByKey(const std::vector<int>& AList) {
  TcxDBDataController* dc = DBDataController();
  TDataSet* dataSet = GetDataSet();
  std::vector<Variant> keys;
  keys.reserve(AList.size());
  for (int record : AList) keys.push_back(dc->GetKeyValues(record));
  bool smart = IsSmartRefresh();
  std::vector<TcxDBDataField*> keyFields;
  dc->KeyField()->GetFieldList(keyFields);
  for (const Variant& key : keys) {
    if (!dataSet->Locate(dc->KeyFieldNames(), key, TLocateOptions{})) continue;
    if (!smart) {
      dataSet->Delete();
      continue;
    }
    // A dataset record without a loaded counterpart is left alone.
    int record = dc->FindRecordIndexByFields(keyFields);
    if (record == -1) continue;
    dataSet->Delete();
    dc->DeleteRecord(record);
  }
  if (smart) dc->SyncFocusedRecord();
}

// Without key navigation the records follow the dataset's order. Each listed record's bookmark is
// read before anything is deleted, and every deletion goes to its bookmark: after deleting the
// dataset's last record the cursor steps back, so relative moves would land on other records.
void TcxDBDataProvider::DeleteRecordsByPosition(const std::vector<int>& AList) {
  TDataSet* dataSet = GetDataSet();
  if (!DataController()->ChangeFocusedRecord(AList.back())) return;
  std::vector<TBookmarkStr> bookmarks(AList.size());
  int current = AList.back();
  for (size_t i = AList.size(); i-- > 0;) {
    dataSet->MoveBy(AList[i] - current);
    current = AList[i];
    bookmarks[i] = dataSet->Bookmark();
  }
  for (size_t i = bookmarks.size(); i-- > 0;) {
    if (!dataSet->BookmarkValid(bookmarks[i])) continue;
    dataSet->GotoBookmark(bookmarks[i]);
    dataSet->Delete();
  }
}

void TcxDBDataProvider::DeleteRecords(const std::vector<int>& AList) {
  TDataSet* dataSet = GetDataSet();
  if (!dataSet || AList.empty()) return;
  std::vector<int> records = AList;
  std::sort(records.begin(), records.end());
  records.erase(std::unique(records.begin(), records.end()), records.end());
  auto enabled = ControlsDisabledScope(dataSet);
  if (IsKeyNavigation())
    DeleteRecordsByKey(records);
  else
    DeleteRecordsByPosition(records);
}

void TcxDBDataProvider::DeleteSelection() {
  if (!IsGridMode()) {
    TcxCustomDataProvider::DeleteSelection();
    return;
  }
  TDataSet* dataSet = GetDataSet();
  TcxDBDataSelection* selection = DBDataController()->DBSelection();
  auto enabled = ControlsDisabledScope(dataSet);
  for (int i = static_cast<int>(selection->Bookmarks().size()); i-- > 0;) {
    dataSet->GotoBookmark(selection->Bookmarks()[static_cast<size_t>(i)]);
    dataSet->Delete();
    selection->Delete(i);
  }
}

void TcxDBDataController::UpdateEditingRecord() {
  TcxDBDataProvider* provider = DBProvider();
  int record = provider->EditingRecordIndex();
  if (record == NoRecordIndex) return;
  provider->ChangedRecordIndex = record;
  provider->Inserted = provider->IsInserting();
  TcxValueDefDBReader reader;
  DataStorage()->ReadRecord(record, &reader, true);
  provider->RecordLoaded(record);
  Change(dccData);
}

// Smart refresh after a post: only the posted record is re-read and placed again among the rows.
void TcxDBDataProvider::UpdateChangedRecord() {
  TcxDBDataController* dc = DBDataController();
  int record = dc->GetFocusedRecordIndex();
  if (record < 0 && AppendedRecordIndex != -1) record = AppendedRecordIndex;
  if (ChangedRecordIndex != NoRecordIndex && ChangedRecordIndex == record) {
    Variant oldKey = dc->GetKeyValues(record);
    Variant newKey = dc->GetDataSetKeyValues();
    if (!cxVariantCompareEqual(oldKey, newKey)) {
      std::vector<TcxDBDataField*> keyFields;
      dc->KeyField()->GetFieldList(keyFields);
      int holder = dc->FindRecordIndexByFields(keyFields);
      TField* single = keyFields.size() == 1 ? keyFields[0]->Field() : nullptr;
      bool autoIncInsert = Inserted && VarIsNull(oldKey) && single && single->DataType() == ftAutoInc;
      TDataSet* dataSet = GetDataSet();
      bool datasetHoldsIt = !dataSet->IsEmpty() && (holder == -1 || holder == record);
      if (autoIncInsert && holder == -1 && dc->IsNewItemRowActive() && AppendedRecordIndex == -1) {
        record = dc->AppendRecord();
        dc->CopyRecord(dc->GetNewItemRecordIndex(), record);
      }
      if ((autoIncInsert && holder == -1) || datasetHoldsIt) {
        TcxValueDefDBReader reader;
        dc->DataStorage()->ReadRecord(record, &reader, true);
      } else {
        dc->DeleteRecord(record);
        dc->SyncFocusedRecord();
      }
    }
  }
  dc->Cancel();
  dc->DataControllerInfo()->Refresh();
  dc->SummaryChanged(false);
  RefreshAfterCancel = false;
}
