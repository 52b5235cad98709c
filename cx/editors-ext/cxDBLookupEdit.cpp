// The dataset lookup edit: keys from key fields, texts from a list field, a lookup field's list
// settings, and grid mode's key-to-text cache and dataset locates.
#include "cx/editors-ext/cxDBLookupEdit.h"

#include "cx/data/cxDBData.h"
#include "cx/data/cxDataStorage.h"
#include "cx/data/cxDB.h"
#include "cx/editors-ext/cxDBEdit.h"
#include "platform/data/DBConsts.h"
#include "platform/data/DataSet.h"
#include "platform/data/DataSource.h"
#include "platform/data/Field.h"
#include "platform/rtl/Exceptions.h"
#include "cx/editors/cxEditScopes.h"
#include "platform/rtl/ScopeExit.h"

TRENVIK_IMPLEMENT_CLASS(TcxCustomDBLookupEditProperties)
TRENVIK_IMPLEMENT_CLASS(TcxCustomDBLookupEditLookupData)
TRENVIK_IMPLEMENT_CLASS(TcxCustomDBLookupEdit)

TcxCustomDBLookupEditProperties::TcxCustomDBLookupEditProperties(TPersistent* AOwner)
    : TcxCustomLookupEditProperties(AOwner) {}

TcxCustomDBLookupEditProperties::~TcxCustomDBLookupEditProperties() { LinkLookupField(nullptr); }

void TcxCustomDBLookupEditProperties::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TcxCustomDBLookupEditProperties*>(Source);
  if (!source) {
    inherited::Assign(Source);
    return;
  }
  TcxUpdateScope update(this);
  inherited::Assign(Source);
  if (!IsDefinedByLookupField()) SetKeyFieldNames(source->KeyFieldNames());
}

// --- Settings ---

String TcxCustomDBLookupEditProperties::KeyFieldNames() {
  TcxDBDataController* controller = GetListDBDataController();
  return controller ? controller->KeyFieldNames() : String();
}

void TcxCustomDBLookupEditProperties::SetKeyFieldNames(const String& AValue) {
  if (IsDefinedByLookupField() && !binding_) LookupFieldDefinedError();
  keyIndexValid_ = false;
  if (TcxDBDataController* controller = GetListDBDataController()) controller->SetKeyFieldNames(AValue);
}

String TcxCustomDBLookupEditProperties::ListFieldNames() {
  String result;
  for (int i = 0; i < GetListColumnCount(); ++i) {
    String name;
    GetListColumnFieldName(i, name);
    if (i > 0) result += u';';
    result += name;
  }
  return result;
}

void TcxCustomDBLookupEditProperties::SetListFieldNames(const String& AValue) {
  const bool differs = AValue != ListFieldNames();
  BeginListUpdate();
  TScopeExit endListUpdate([this] { EndListUpdate(); });
  SetListColumnsByFieldNames(AValue);
  EnsureLookupResultColumn();
  CheckListFieldIndex();
  if (differs) Changed();
}

void TcxCustomDBLookupEditProperties::SetGridMode(bool AValue) {
  if (AValue == GridMode()) return;
  if (AValue)
    cache_ = std::make_unique<TcxLookupList>();
  else
    cache_.reset();
  Changed();
}

// --- Overrides ---

void TcxCustomDBLookupEditProperties::Changed() {
  keyIndexValid_ = false;
  ApplyGridMode();
  BindLookupField();
  EnsureLookupResultColumn();
  inherited::Changed();
}

TAlignment TcxCustomDBLookupEditProperties::GetDefaultHorzAlignment() {
  TField* field = GetListField();
  return field ? field->Alignment() : inherited::GetDefaultHorzAlignment();
}

TClass TcxCustomDBLookupEditProperties::GetContainerClass() { return TcxCustomDBLookupEdit::StaticClass(); }

TcxEditValueSource TcxCustomDBLookupEditProperties::GetEditValueSource(bool AEditFocused) {
  if (!HasLookupDataField()) return inherited::GetEditValueSource(AEditFocused);
  return AEditFocused ? evsKey : evsText;
}

int TcxCustomDBLookupEditProperties::GetDefaultMaxLength() {
  TField* field = GetListField();
  return field ? field->Size() : inherited::GetDefaultMaxLength();
}

std::unique_ptr<TcxCustomTextEditLookupData> TcxCustomDBLookupEditProperties::CreateLookupData(
    TcxCustomEdit* AEdit) {
  return std::make_unique<TcxCustomDBLookupEditLookupData>(AEdit);
}

TDataSet* TcxCustomDBLookupEditProperties::ActiveListDataSet() {
  TcxDBDataController* controller = GetListDBDataController();
  TDataSet* dataSet = controller ? controller->GetDataSet() : nullptr;
  return dataSet && dataSet->Active() ? dataSet : nullptr;
}

int TcxCustomDBLookupEditProperties::FindRecordByText(int AItemIndex, const String& AText, bool APartialCompare) {
  if (!GridMode()) return inherited::FindRecordByText(AItemIndex, AText, APartialCompare);
  TcxLookupListScope lock(this);
  TDataSet* dataSet = ActiveListDataSet();
  if (!dataSet || AItemIndex == -1) return -1;
  TLocateOptions options{loCaseInsensitive};
  if (APartialCompare) options.Include(loPartialKey);
  TcxDBDataController* controller = GetListDBDataController();
  if (!dataSet->Locate(controller->GetItemFieldName(AItemIndex), AText, options)) return -1;
  return controller->GetFocusedRecordIndex();
}

int TcxCustomDBLookupEditProperties::GetListIndex() {
  const String resultField = GetLookupResultFieldName();
  return resultField.empty() ? inherited::GetListIndex() : FindListColumnByFieldName(resultField);
}

void TcxCustomDBLookupEditProperties::GetDisplayTextByKey(const Variant& AKey, String& AText) {
  AText.clear();
  const int index = GetEffectiveListIndex();
  TcxDBDataController* controller = GetListDBDataController();
  if (index == -1 || !controller) return;
  if (!GridMode()) {
    const int record = FindRecordIndexByKey(AKey);
    if (record != -1) controller->GetDisplayText(record, index, AText);
    return;
  }
  int position;
  if (cache_->Find(AKey, position)) {
    AText = cache_->Items(position).DisplayText;
    return;
  }
  {
    TcxLookupListScope lock(this);
    TDataSet* dataSet = ActiveListDataSet();
    TField* listField = GetListField();
    if (dataSet && listField && dataSet->Locate(KeyFieldNames(), AKey, {})) AText = listField->AsString();
  }
  // A key not found is cached too: it is not searched again until the next change.
  cache_->Insert(position, AKey, AText);
}

const std::optional<std::unordered_map<Int64, int>>& TcxCustomDBLookupEditProperties::KeyIndex() {
  if (keyIndexValid_) return keyIndex_;
  keyIndexValid_ = true;
  keyIndex_.emplace();
  TcxDBDataController* controller = GetListDBDataController();
  for (int record = 0; record < controller->GetRecordCount(); ++record) {
    const Variant key = controller->GetKeyValues(record);
    if (!VarIsOrdinal(key)) {
      keyIndex_.reset();
      break;
    }
    keyIndex_->emplace(key.AsInt64(), record);  // the first record of a key, as a scan finds it
  }
  return keyIndex_;
}

int TcxCustomDBLookupEditProperties::FindRecordIndexByKey(const Variant& AKey) {
  TcxDBDataController* controller = GetListDBDataController();
  // The index follows the list through its data-changed notification, so only a linked list has one.
  const bool isNull = VarIsNull(AKey);
  if (IsDataControllerLinked() && (isNull || VarIsOrdinal(AKey)) && GetFieldNameCount(KeyFieldNames()) == 1) {
    if (const auto& index = KeyIndex()) {
      // Every key of an indexed list is an integer: an empty one has no record.
      if (isNull) return -1;
      const auto found = index->find(AKey.AsInt64());
      return found == index->end() ? -1 : found->second;
    }
  }
  try {
    return controller->FindRecordIndexByKey(AKey);
  } catch (const EVariantError&) {
    return -1;  // a key of the wrong kind has no record
  }
}

void TcxCustomDBLookupEditProperties::ListDataChanged(TObject* Sender) {
  // The lookup code's own filtering and moves, under the change lock, leave the records as they
  // are, except in grid mode, where a move may reload them.
  if (!IsChangeLocked() || GridMode()) keyIndexValid_ = false;
  inherited::ListDataChanged(Sender);
}

bool TcxCustomDBLookupEditProperties::IsIncrementalFilteringActive() {
  return !GridMode() && inherited::IsIncrementalFilteringActive();
}

void TcxCustomDBLookupEditProperties::GetNullKey(Variant& AKey) {
  const int count = GetFieldNameCount(KeyFieldNames());
  if (count <= 1) {
    AKey = Null();
    return;
  }
  std::vector<Variant> nulls(static_cast<size_t>(count), Null());
  AKey = VarArrayOf(nulls);
}

bool TcxCustomDBLookupEditProperties::KeyIsListField() {
  const String keyFieldNames = KeyFieldNames();
  if (keyFieldNames.empty() || GetFieldNameCount(keyFieldNames) != 1) return false;
  TcxDBDataController* controller = GetListDBDataController();
  TDataSet* dataSet = controller ? controller->GetDataSet() : nullptr;
  if (!dataSet) return false;
  TField* keyField = dataSet->FindField(keyFieldNames);
  return keyField && keyField == GetListField();
}

void TcxCustomDBLookupEditProperties::LockList() {
  inherited::LockList();
  TcxDBDataController* controller = GetListDBDataController();
  if (controller && controller->IsGridMode()) {
    controller->BeginLocate();
    gridModeLocate_ = true;
  }
}

void TcxCustomDBLookupEditProperties::UnlockList() {
  if (gridModeLocate_) {
    if (TcxDBDataController* controller = GetListDBDataController()) controller->EndLocate();
    gridModeLocate_ = false;
  }
  inherited::UnlockList();
}

void TcxCustomDBLookupEditProperties::SetListFieldIndex(int AValue) {
  if (IsDefinedByLookupField() && !binding_) LookupFieldDefinedError();
  inherited::SetListFieldIndex(AValue);
}

void TcxCustomDBLookupEditProperties::BindLookupField() {
  LinkLookupField(GetLookupDataField());
  CheckCircularLink();
}

void TcxCustomDBLookupEditProperties::EnsureLookupResultColumn() {
  const String name = GetLookupResultFieldName();
  if (!name.empty()) EnsureListColumn(name);
}

// --- The editor's data field ---

TField* TcxCustomDBLookupEditProperties::GetDataField() {
  const IcxEditDefaultValuesProviderRef& provider = DefaultValuesProvider();
  auto* dbProvider = provider ? dynamic_cast<TcxCustomDBEditDefaultValuesProvider*>(provider->GetInstance()) : nullptr;
  return dbProvider ? dbProvider->Field() : nullptr;
}

TField* TcxCustomDBLookupEditProperties::GetLookupDataField() {
  TField* field = GetDataField();
  return field && field->FieldKind() == fkLookup ? field : nullptr;
}

String TcxCustomDBLookupEditProperties::GetLookupResultFieldName() {
  TField* field = GetLookupDataField();
  return field ? field->LookupResultField() : String();
}

TField* TcxCustomDBLookupEditProperties::GetListField() {
  const int index = GetEffectiveListIndex();
  return index == -1 ? nullptr : GetListColumnField(index);
}

void TcxCustomDBLookupEditProperties::LinkLookupField(TField* AField) {
  if (AField == lookupField_) return;
  lookupField_ = AField;
  if (!AField) {
    ownDataSource_.reset();
    return;
  }
  if (!ownDataSource_) ownDataSource_ = std::make_unique<TDataSource>(nullptr);
  ownDataSource_->SetDataSet(AField->LookupDataSet());
  TcxDBDataController* controller = GetListDBDataController();
  if (!controller) return;
  TcxFlagScope binding(binding_);
  controller->SetDataSource(ownDataSource_.get());
  if (FindListColumnByFieldName(AField->LookupResultField()) == -1) SetListFieldNames(AField->LookupResultField());
  SetKeyFieldNames(AField->LookupKeyFields());
  SetListFieldIndex(0);
}

void TcxCustomDBLookupEditProperties::ApplyGridMode() {
  if (cache_) cache_->Clear();
  if (TcxDBDataController* controller = GetListDBDataController())
    controller->DataModeController()->SetGridMode(GridMode());
}

void TcxCustomDBLookupEditProperties::LookupFieldDefinedError() { DatabaseError(Utf8ToString(DBConsts::SPropDefByLookup)); }

void TcxCustomDBLookupEditProperties::CheckCircularLink() {
  TcxDBDataController* controller = GetListDBDataController();
  CheckCircularLinkTo(controller ? controller->DataSource() : nullptr);
}

void TcxCustomDBLookupEditProperties::CheckCircularLinkTo(TDataSource* AListSource) {
  TField* dataField = GetDataField();
  TDataSet* dataSet = dataField ? dataField->DataSet() : nullptr;
  if (!AListSource || !dataSet) return;
  // The platform's IsLinkedTo looks only at the dataset's masters; a list over the editor's own
  // dataset would move the record being edited.
  if (AListSource->DataSet() == dataSet || dataSet->IsLinkedTo(AListSource))
    DatabaseError(Utf8ToString(DBConsts::SCircularDataLink));
}

// --- Lookup data ---

void TcxCustomDBLookupEditLookupData::SetCurrentKeyByRecord(int ARecordIndex) {
  TcxDBDataController* controller = DBProperties()->GetListDBDataController();
  SetKey(ARecordIndex != -1 && controller ? controller->GetKeyValues(ARecordIndex) : Null());
}

void TcxCustomDBLookupEditLookupData::FocusCurrentKeyRecord() {
  TcxCustomDBLookupEditProperties* properties = DBProperties();
  TcxDBDataController* controller = properties->GetListDBDataController();
  if (!controller) return;
  TcxLookupListScope lock(properties);
  if (!controller->IsGridMode()) {
    // Through the properties' key index: the controller's locate compares every record's key.
    const int record = properties->FindRecordIndexByKey(Key());
    controller->ChangeFocusedRowIndex(record == -1 ? -1 : controller->GetRowIndexByRecordIndex(record, true));
    return;
  }
  try {
    controller->LocateByKey(Key());
  } catch (const EVariantError&) {
    // A key of the wrong kind focuses nothing.
  }
}

// --- Edit ---

TcxCustomDBLookupEdit::TcxCustomDBLookupEdit(TComponent* AOwner) : TcxCustomLookupEdit(AOwner) {
  CreateProperties();
  InitializeLookup();
}

bool TcxCustomDBLookupEdit::IsValidChar(Char AChar) {
  TField* field = ActiveProperties()->GetListField();
  return !field || field->IsValidChar(AChar);
}
