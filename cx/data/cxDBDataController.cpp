// The dataset controller: its parts, items by field name, key values, locating by key and the
// focus that follows the dataset and moves it.
#include <algorithm>

#include "cx/data/cxDBData.h"
#include "cx/data/cxDBFilter.h"
#include "cx/data/cxDataConsts.h"
#include "cx/data/cxVariants.h"
#include "platform/data/Field.h"
#include "platform/rtl/StrUtils.h"

TRENVIK_IMPLEMENT_CLASS(TcxDBDataController)
TRENVIK_IMPLEMENT_CLASS(TcxDBDataModeController)

namespace {

// Values of listed data fields, read into a locate object's scratch record.
class TcxKeyValuesReader : public TcxValueDefUnboundReader {
 public:
  void Put(const std::vector<TcxDBDataField*>& AFields, const Variant& AValues) {
    if (AFields.size() == 1) {
      SetValue(AFields[0]->GetValueDef(), AValues);
      return;
    }
    for (size_t i = 0; i < AFields.size(); ++i)
      SetValue(AFields[i]->GetValueDef(), VarArrayGet(AValues, {static_cast<int>(i)}));
  }
};

}  // namespace

// --- the mode controller's setters

void TcxDBDataModeController::Assign(TPersistent* ASource) {
  auto* source = dynamic_cast<TcxDBDataModeController*>(ASource);
  if (!source) {
    TPersistent::Assign(ASource);
    return;
  }
  DetailInSQLMode = source->DetailInSQLMode;
  SyncDetails = source->SyncDetails;
  SyncDataSetInsert = source->SyncDataSetInsert;
  SetGridMode(source->GridMode());
  SetGridModeBufferCount(source->GridModeBufferCount());
  SetSmartRefresh(source->SmartRefresh());
  SetSyncMode(source->SyncMode());
  OnDetailFirst = source->OnDetailFirst;
  OnDetailIsCurrentQuery = source->OnDetailIsCurrentQuery;
}

void TcxDBDataModeController::SetGridMode(bool AValue) {
  if (gridMode_ == AValue) return;
  TcxDBDataProvider* provider = dataController_->DBProvider();
  bool wasGridMode = provider->IsGridMode();
  gridMode_ = AValue;
  if (provider->IsGridMode() != wasGridMode && !provider->IsGridMode()) provider->DataLink()->SetBufferCount(1);
  dataController_->UpdateStorage();
}

void TcxDBDataModeController::SetGridModeBufferCount(int AValue) {
  AValue = std::max(AValue, 1);
  if (gridModeBufferCount_ == AValue) return;
  gridModeBufferCount_ = AValue;
  if (dataController_->DBProvider()->IsGridMode()) dataController_->DBProvider()->RefreshGridModeBuffer();
}

void TcxDBDataModeController::SetSmartRefresh(bool AValue) {
  if (smartRefresh_ == AValue) return;
  smartRefresh_ = AValue;
  if (!dataController_->DBProvider()->IsGridMode()) dataController_->DBProvider()->DataScrolled(0);
}

void TcxDBDataModeController::SetSyncMode(bool AValue) {
  if (syncMode_ == AValue) return;
  syncMode_ = AValue;
  if (dataController_->DBProvider()->IsDataAvailable()) dataController_->DBProvider()->DataScrolled(0);
}

// --- the controller

TcxDBDataController::TcxDBDataController(TComponent* AOwner) : TcxCustomDataController(AOwner) {}

void TcxDBDataController::Initialize() {
  if (dataModeController_) return;
  dataModeController_ = std::make_unique<TcxDBDataModeController>(this);
  TcxCustomDataController::Initialize();
}

TcxDBDataController::~TcxDBDataController() {
  BeforeDestruction();
  while (!references_.empty()) {
    *references_.back() = nullptr;
    references_.pop_back();
  }
  // The link goes first, so that no dataset notification reaches a half-destroyed controller.
  if (Provider()) DBProvider()->SetDataSource(nullptr);
  TcxDBDataField* key = keyField_;
  keyField_ = nullptr;
  delete key;
}

void TcxDBDataController::RemoveReference(TcxDBDataController** AReference) {
  references_.erase(std::remove(references_.begin(), references_.end(), AReference), references_.end());
}

TcxDataFilterCriteria* TcxDBDataController::CreateFilterCriteria() { return new TcxDBDataFilterCriteria(this); }

void TcxDBDataController::SetDataSource(TDataSource* AValue) {
  if (DataSource() == AValue) return;
  DBProvider()->SetDataSource(AValue);
  DoDataSourceChanged();
}

bool TcxDBDataController::IsKeyNavigation() { return keyField_ && !IsGridMode(); }

TcxDBDataField* TcxDBDataController::GetDBField(int AItemIndex) {
  return static_cast<TcxDBDataField*>(TcxCustomDataController::GetItemField(AItemIndex));
}

TObject* TcxDBDataController::GetItemByFieldName(const String& AFieldName) {
  for (int i = 0; i < GetItemCount(); ++i)
    if (AnsiCompareText(GetDBField(i)->FieldName(), AFieldName) == 0) return GetItem(i);
  return nullptr;
}

TField* TcxDBDataController::GetItemField(int AItemIndex) {
  CheckItemIndex(AItemIndex);
  return GetDBField(AItemIndex)->Field();
}

String TcxDBDataController::GetItemFieldName(int AItemIndex) {
  CheckItemIndex(AItemIndex);
  return GetDBField(AItemIndex)->FieldName();
}

Variant TcxDBDataController::GetKeyValues(int ARecordIndex) {
  CheckRecordIndex(ARecordIndex);
  return GetRecordKeyValues(ARecordIndex);
}

Variant TcxDBDataController::GetRecordKeyValues(int ARecordIndex) {
  if (!keyField_) return Null();
  std::vector<TcxDBDataField*> fields;
  keyField_->GetFieldList(fields);
  Variant value;
  if (fields.size() == 1) {
    GetFieldValue(ARecordIndex, fields[0], value);
    return value;
  }
  std::vector<Variant> values(fields.size());
  for (size_t i = 0; i < fields.size(); ++i) GetFieldValue(ARecordIndex, fields[i], values[i]);
  return VarArrayOf(values);
}

Variant TcxDBDataController::GetDataSetKeyValues() {
  TDataSet* dataSet = GetDataSet();
  if (!keyField_ || !dataSet || !dataSet->Active()) return Null();
  return dataSet->FieldValues(keyFieldNames_);
}

int TcxDBDataController::FindRecordIndexByFields(const std::vector<TcxDBDataField*>& AFields) {
  TcxDataControllerKeyLocateObject locate(this);
  for (TcxDBDataField* field : AFields) locate.Fields.push_back(field);
  TcxValueDefDBReader reader;
  locate.ReadValues(&reader);
  // The record the controller already takes for the dataset's current one is tried first, so that
  // following the dataset does not scan a million records on every step.
  for (int candidate : {DBProvider()->ActiveRecordIndex, GetFocusedRecordIndex()})
    if (candidate >= 0 && candidate < GetRecordCount() && IsSameFieldValues(candidate, locate.RecordIndex(), AFields))
      return candidate;
  return locate.FindRecordIndex();
}

bool TcxDBDataController::IsSameFieldValues(int ARecordIndex, int AValuesRecord,
                                            const std::vector<TcxDBDataField*>& AFields) {
  for (TcxDBDataField* field : AFields) {
    Variant a, b;
    GetFieldValue(ARecordIndex, field, a);
    GetFieldValue(AValuesRecord, field, b);
    if (!cxVariantCompareEqual(a, b)) return false;
  }
  return true;
}

int TcxDBDataController::FindRecordIndexByKey(const Variant& AKeyValues) {
  if (!keyField_) return -1;
  std::vector<TcxDBDataField*> fields;
  keyField_->GetFieldList(fields);
  if (fields.size() > 1 && !VarIsArray(AKeyValues)) return -1;
  TcxDataControllerKeyLocateObject locate(this);
  for (TcxDBDataField* field : fields) locate.Fields.push_back(field);
  TcxKeyValuesReader reader;
  reader.Put(fields, AKeyValues);
  locate.ReadValues(&reader);
  return locate.FindRecordIndex();
}

bool TcxDBDataController::LocateByKey(const Variant& AKeyValues) {
  int record = FindRecordIndexByKey(AKeyValues);
  if (record == -1 && IsGridMode()) {
    bool found = false;
    {
      auto located = LocateScope(Provider());
      found = GetDataSet()->Locate(keyFieldNames_, AKeyValues, TLocateOptions{});
    }
    if (found) SetFocusedSelected(true);
    return found;
  }
  int row = record == -1 ? -1 : GetRowIndexByRecordIndex(record, true);
  ChangeFocusedRowIndex(row);
  return row != -1;
}

bool TcxDBDataController::ChangeFocusedRecord(int ARecordIndex) {
  TcxDBDataProvider* provider = DBProvider();
  if (provider->IsInserting() && ARecordIndex == provider->EditingRecordIndex()) return true;
  if (NewItemRowEnabled() && ARecordIndex < 0) return true;
  bool result = true;
  {
    auto located = LocateScope(provider);
    if (IsDetailMode() && dataModeController_->SyncDetails) RequeryDetailIfNeeded();
    if (!provider->IsSyncMode()) {
      result = TcxCustomDataController::ChangeFocusedRecord(ARecordIndex);
    } else if (ARecordIndex < 0) {
      result = false;
    } else if (IsKeyNavigation()) {
      result = GetDataSet()->Locate(keyFieldNames_, GetRecordKeyValues(ARecordIndex), TLocateOptions{});
    } else {
      provider->MoveBy(ARecordIndex - provider->ActiveRecordIndex);
    }
  }
  if (GetDetailRole() == 2) Change(dccData);
  NotifyPendingDependents();
  return result;
}

void TcxDBDataController::SyncFocusedRecord() {
  BeginUpdate();
  TScopeExit closing([&] { EndUpdate(); });
  TcxCustomDataController::SyncFocusedRecord();
  TcxDBDataProvider* provider = DBProvider();
  if (provider->IsSyncMode() && IsPattern()) {
    if (!synchronisingMasters_ && !inCheckBrowseMode_ && !provider->InActiveChanged() && !provider->IsOtherWalking())
      if (TcxDBDataController* detail = SyncMasterDetail(); detail && detail != this) detail->SyncFocusedRecord();
  } else if (provider->IsSyncMode() && IsKeyNavigation()) {
    std::vector<TcxDBDataField*> fields;
    keyField_->GetFieldList(fields);
    int record = FindRecordIndexByFields(fields);
    if (record != provider->ActiveRecordIndex) {
      provider->ActiveRecordIndex = record;
      TcxCustomDataController::SyncFocusedRecord();
    }
  }
}

void TcxDBDataController::CheckBrowseMode() {
  TDataSet* dataSet = GetDataSet();
  if (!dataSet) return;
  bool saved = inCheckBrowseMode_;
  inCheckBrowseMode_ = true;
  TScopeExit closing([&] { inCheckBrowseMode_ = saved; });
  dataSet->CheckBrowseMode();
}

void TcxDBDataController::RecordDeleted(int ARecordIndex) {
  TcxCustomDataController::RecordDeleted(ARecordIndex);
  DBProvider()->RecordDeleted(ARecordIndex);
}

int TcxDBDataController::GetCurrentRecordIndex() {
  if (IsGridMode()) return DBProvider()->DataLink()->ActiveRecord();
  return TcxCustomDataController::GetCurrentRecordIndex();
}

bool TcxDBDataController::IsProviderField(TcxCustomDataField* AField) {
  return TcxCustomDataController::IsProviderField(AField) || static_cast<TcxDBDataField*>(AField)->Field();
}

void TcxDBDataController::Notification(TComponent* AComponent) {
  TcxCustomDataController::Notification(AComponent);
  if (std::find(detailKeyFields_.begin(), detailKeyFields_.end(), AComponent) != detailKeyFields_.end()) {
    detailKeyFields_.clear();
    detailKeyFieldsValid_ = false;
  }
}

void TcxDBDataController::ChangeValueTypeClass(int AItemIndex, TcxValueTypeClass AClass) {
  CheckItemIndex(AItemIndex);
  if (GetDBField(AItemIndex)->Field()) return;
  TcxCustomDataController::ChangeValueTypeClass(AItemIndex, AClass);
}

void TcxDBDataController::GetGroupingValue(int ARecordIndex, TcxCustomDataField* AField, Variant& AValue) {
  auto* field = static_cast<TcxDBDataField*>(AField);
  if (!field->IsLookup() || field->FieldCount() == 0) {
    TcxCustomDataController::GetGroupingValue(ARecordIndex, AField, AValue);
    return;
  }
  if (field->FieldCount() == 1) {
    GetFieldValue(ARecordIndex, field->Fields(0), AValue);
    return;
  }
  std::vector<Variant> values(static_cast<size_t>(field->FieldCount()));
  for (int i = 0; i < field->FieldCount(); ++i) GetFieldValue(ARecordIndex, field->Fields(i), values[i]);
  AValue = VarArrayOf(values);
}

void TcxDBDataController::GetFilterValue(int ARecordIndex, TcxCustomDataField* AField, Variant& AValue) {
  auto* field = static_cast<TcxDBDataField*>(AField);
  if (!field->IsLookup()) {
    TcxCustomDataController::GetFilterValue(ARecordIndex, AField, AValue);
    return;
  }
  if (field->FieldCount() == 0)
    AValue = Null();
  else
    GetFieldValue(ARecordIndex, field->Fields(0), AValue);
}

String TcxDBDataController::GetItemFilterName(TObject* AItem) {
  auto* field = static_cast<TcxDBDataField*>(Fields()->FindByItem(AItem));
  if (!field || !field->Field()) return String();
  if (field->IsLookup()) {
    TDataSet* dataSet = GetDataSet();
    TStringList names;
    GetFieldNames(field->Field()->KeyFields(), &names);
    return names.Count() > 0 && dataSet ? GetFilterFieldName(dataSet->FindField(names.Strings(0))) : String();
  }
  return GetFilterFieldName(field->Field());
}

bool TcxDBDataController::CanChangeDetailExpanding(int ARecordIndex, bool AExpanded) {
  if (!IsGridMode()) return TcxCustomDataController::CanChangeDetailExpanding(ARecordIndex, AExpanded);
  if (AExpanded) ChangeFocusedRecordIndex(ARecordIndex);
  return true;
}

void TcxDBDataController::Assign(TPersistent* ASource) {
  TcxCustomDataController::Assign(ASource);
  auto* source = dynamic_cast<TcxDBDataController*>(ASource);
  if (!source) return;
  dataModeController_->Assign(source->DataModeController());
  SetDataSource(source->DataSource());
  SetKeyFieldNames(source->KeyFieldNames());
  SetDetailKeyFieldNames(source->DetailKeyFieldNames());
  SetMasterKeyFieldNames(source->MasterKeyFieldNames());
}

// Grid mode: the provider walks the dataset instead of the loaded records.
bool TcxDBDataController::IncrementalSearch(const String& AText, bool AForward, bool ANext) {
  Search()->Lock();
  TScopeExit unlock([this] { Search()->Unlock(); });
  return DBProvider()->IncrementalSearch(AText, AForward, ANext);
}

void TcxDBDataController::LoadData() {
  TcxSaveObject saved;
  saved.Save(this);
  TcxCustomDataController::LoadData();
  saved.Restore(this);
  DBProvider()->RefreshAfterCancel = false;
}
