// The data controller: parts, items, records, values, editing and comparison.
#include <algorithm>

#include "cx/data/cxCustomData.h"
#include "cx/data/cxDataConsts.h"
#include "cx/data/cxDataUtils.h"
#include "cx/data/cxVariants.h"
#include "platform/rtl/StrUtils.h"
#include "platform/rtl/StringTable.h"

TRENVIK_IMPLEMENT_CLASS(TcxCustomDataController)
TRENVIK_IMPLEMENT_CLASS(TcxDataControllerNotifier)

void cxRaiseDataControllerError(const String& AMessage) { throw EcxInvalidDataControllerOperation(AMessage); }

void cxRaiseDataControllerError(int AResString) { cxRaiseDataControllerError(LoadResString(AResString)); }

void TcxDataControllerNotifier::Notification(TComponent* AComponent, TOperation AOperation) {
  TComponent::Notification(AComponent, AOperation);
  if (AOperation != opRemove) return;
  if (AComponent == this && ComponentState().Contains(csDestroying)) return;
  dataController_->Notification(AComponent);
}

TcxCustomDataController::TcxCustomDataController(TComponent* AOwner) : owner_(AOwner) {}

void TcxCustomDataController::Initialize() {
  if (info_) return;
  storage_ = std::make_unique<TcxDataStorage>();
  groups_ = std::make_unique<TcxDataControllerGroups>(this);
  fields_ = std::make_unique<TcxCustomDataFieldList>(this);
  filter_.reset(CreateFilterCriteria());
  search_ = std::make_unique<TcxDataControllerSearch>(this);
  summary_.reset(CreateSummary());
  provider_.reset(CreateDataProvider());
  info_ = std::make_unique<TcxCustomDataControllerInfo>(this);
  masterRecordIndex_ = -1;
  notifier_ = new TcxDataControllerNotifier(nullptr, this);
  storage_->OnClearInternalRecords = [this](TObject*) { InternalRecordsCleared(); };
}

void TcxCustomDataController::BeforeDestruction() { destroying_ = true; }

TcxCustomDataController::~TcxCustomDataController() {
  BeforeDestruction();
  delete notifier_;
  notifier_ = nullptr;
  relations_.reset();
  info_.reset();
  summary_.reset();
  filter_.reset();
  if (storage_) storage_->Clear();
  groups_.reset();
  fields_.reset();
  storage_.reset();
  provider_.reset();
  search_.reset();
  listeners_.clear();
}

void TcxCustomDataController::SetOptions(TcxDataControllerOptions AValue) {
  if (options_ == AValue) return;
  options_ = AValue;
  Refresh();
}

void TcxCustomDataController::Assign(TPersistent* ASource) {
  auto* source = dynamic_cast<TcxCustomDataController*>(ASource);
  if (!source) {
    TPersistent::Assign(ASource);
    return;
  }
  filter_->Assign(source->Filter());
  summary_->Assign(source->Summary());
  OnCompare = source->OnCompare;
  OnDataChanged = source->OnDataChanged;
  OnGroupingChanged = source->OnGroupingChanged;
  OnSortingChanged = source->OnSortingChanged;
}

TcxCustomDataField* TcxCustomDataController::CreateInternalField() {
  TcxCustomDataField* field = CreateDataField();
  field->SetIsInternal(true);
  fields_->Add(field);
  return field;
}

TcxCustomDataField* TcxCustomDataController::CreateField() {
  TcxCustomDataField* field = CreateDataField();
  fields_->Add(field);
  return field;
}

int TcxCustomDataController::GetRecordIndexToEdit() {
  if (IsNewItemRowActive()) return GetNewItemRecordIndex();
  int row = GetFocusedRowIndex();
  if (row < 0) return NoRecordIndex;
  return GetRowRecordIndex(row);
}

bool TcxCustomDataController::ChangeFocusedRecord(int ARecordIndex) {
  if (!provider_->IsActiveDataSet() && ARecordIndex != provider_->EditingRecordIndex()) Post();
  return true;
}

void TcxCustomDataController::CopyRecord(int ASource, int ADest) {
  TcxValueDefRecordReader reader(this, ASource);
  if (HasRecordSource() && ADest >= 0) {
    TcxValueDefs* defs = storage_->ValueDefs();
    for (int i = 0; i < defs->Count(); ++i) CopyRecordValue(defs->Items(i), ASource, ADest, &reader);
  } else {
    storage_->ReadRecord(ADest, &reader, false);
  }
  if (ADest >= 0) DataChanged(dcField);
}

void TcxCustomDataController::CopyRecordValue(TcxValueDef* AValueDef, int, int ADest,
                                              TcxValueDefReader* AReader) {
  auto* field = dynamic_cast<TcxCustomDataField*>(AValueDef->Link());
  if (!field || field->IsInternal()) return;
  provider_->SetSourceValue(ADest, field, AReader->GetValue(AValueDef));
  if (AValueDef->KeepsText())
    provider_->SetSourceDisplayText(ADest, field, AReader->GetDisplayText(AValueDef));
}

void TcxCustomDataController::RecordInserted(int ARecordIndex) {
  ShiftDetailMasterIndexes(ARecordIndex + 1, 1);
}

void TcxCustomDataController::RecordDeleted(int ARecordIndex) {
  if (ARecordIndex < 0) return;
  int editing = provider_->EditingRecordIndex();
  if (provider_->IsEditing() && (editing >= ARecordIndex || editing >= GetRecordCount()))
    provider_->EndEditing();
  ShiftDetailMasterIndexes(ARecordIndex, -1);
}

void TcxCustomDataController::ShiftDetailMasterIndexes(int AFrom, int ADelta) {
  if (!relations_ || !relations_->DetailField()) return;
  for (int record = std::max(AFrom, 0); record < GetRecordCount(); ++record) {
    TcxDetailObject* object = relations_->StoredDetailObject(record);
    if (!object) continue;
    for (int i = 0; i < object->GetLinkObjectCount(); ++i)
      if (TObject* link = object->GetLinkObject(i))
        if (auto* detail = GetDetailDataControllerByLinkObject(link))
          detail->SetMasterRecordIndexDirect(detail->GetMasterRecordIndex() + ADelta);
  }
}

bool TcxCustomDataController::IsIncrementalFilterMatch(int ARecordIndex) {
  String text;
  GetDisplayText(ARecordIndex, GetItemFieldIndex(incrementalFilterField_), text);
  return cxTextStartsWith(text, incrementalFilterText_, true);
}

TObject* TcxCustomDataController::FindItemByID(int AID) {
  for (int i = 0; i < GetItemCount(); ++i)
    if (GetItemID(GetItem(i)) == AID) return GetItem(i);
  return nullptr;
}

int TcxCustomDataController::GetEditOperations() {
  int result = 0;
  if (provider_->CanAppend()) result |= dceopAppend;
  if (provider_->CanDelete()) result |= dceopDelete;
  if (provider_->CanModify()) result |= dceopEdit;
  if (provider_->CanInsert()) result |= dceopInsert;
  if (!(provider_->IsActiveDataSet() && !provider_->IsSyncMode())) result |= dceopItemEdit;
  return result;
}

int TcxCustomDataController::GetEditState() {
  int result = provider_->IsInserting() ? dceInsert : (provider_->IsEditing() ? dceEdit : 0);
  if (result != 0) {
    if (provider_->IsChanging()) result |= dceChanging;
    if (provider_->IsModified()) result |= dceModified;
  }
  return result;
}

void TcxCustomDataController::GetFieldDisplayText(int ARecordIndex, TcxCustomDataField* AField,
                                                  String& AText) {
  if (ARecordIndex >= 0 && HasRecordSource() && IsProviderField(AField))
    provider_->GetSourceDisplayText(ARecordIndex, AField, AText);
  else if (IsProviderField(AField) && IsGridMode())
    provider_->GetDisplayText(ARecordIndex, AField, AText);
  else if (TcxValueDef* def = AField->GetValueDef())
    AText = storage_->GetDisplayText(ARecordIndex, def);
  else
    AText.clear();
}

void TcxCustomDataController::GetFieldValue(int ARecordIndex, TcxCustomDataField* AField, Variant& AValue) {
  if (ARecordIndex >= 0 && HasRecordSource() && IsProviderField(AField))
    provider_->GetSourceValue(ARecordIndex, AField, AValue);
  else if (IsProviderField(AField) && IsGridMode())
    provider_->GetValue(ARecordIndex, AField, AValue);
  else if (TcxValueDef* def = AField->GetValueDef())
    AValue = storage_->GetValue(ARecordIndex, def);
  else
    AValue = Null();
}

int TcxCustomDataController::GetActiveRecordIndex() {
  if (provider_->IsActiveDataSet() && provider_->IsSyncMode()) return provider_->GetActiveRecordIndex();
  return GetFocusedRecordIndex();
}

TClass TcxCustomDataController::GetSummaryItemClass() { return TcxDataSummaryItem::StaticClass(); }

TClass TcxCustomDataController::GetSummaryGroupItemLinkClass() {
  return TcxDataSummaryGroupItemLink::StaticClass();
}

bool TcxCustomDataController::IsProviderField(TcxCustomDataField* AField) {
  return !AField->IsInternal() || (AField->ReferenceField() && !AField->ReferenceField()->IsInternal());
}

bool TcxCustomDataController::IsLoading() { return owner_ && owner_->ComponentState().Contains(csLoading); }

bool TcxCustomDataController::CanLoadData() { return HasRecordSource() || storageRecreated_; }

void TcxCustomDataController::Notification(TComponent* AComponent) {
  if (fields_) fields_->ComponentRemoved(AComponent);
}

void TcxCustomDataController::InternalRecordsCleared() {
  if (provider_) provider_->InternalRecordsCleared();
  newItemRecordIndex_ = 0;
}

void TcxCustomDataController::FieldRemoved(TcxCustomDataField* AField) {
  if (AField == recordHandleField_) recordHandleField_ = nullptr;
  if (relations_) relations_->FieldRemoved(AField);
  if (filter_) filter_->RemoveItemsByItemLink(AField);
  if (summary_) summary_->FieldRemoved(AField);
  if (AField == incrementalFilterField_) ResetIncrementalFilter();
  if (AField == SearchField) {
    if (search_) search_->Cancel();
    SearchField = nullptr;
  }
}

void TcxCustomDataController::CancelAndRefresh() {
  Cancel();
  Refresh();
}

void TcxCustomDataController::SummaryChanged(bool ARedrawOnly) {
  if (info_) info_->SummaryChanged(ARedrawOnly);
}

int TcxCustomDataController::CompareRecordValues(int ARecordIndex1, int ARecordIndex2,
                                                 TcxCustomDataField* AField) {
  if (!OnCompare && !IsValueCompareNeeded(AField)) {
    TcxValueDef* def = AField->GetValueDef();
    if (!def) return 0;
    if (HasRecordSource()) return provider_->CompareValues(ARecordIndex1, ARecordIndex2, AField);
    return storage_->CompareRecords(ARecordIndex1, ARecordIndex2, def);
  }
  if (!OnCompare && HasRecordSource() && provider_->RecordSource()->IsNativeCompareFuncSupported() &&
      ARecordIndex1 >= 0 && ARecordIndex2 >= 0)
    return provider_->NativeCompare(ARecordIndex1, ARecordIndex2, AField);
  Variant v1, v2;
  GetComparedValue(ARecordIndex1, AField, v1);
  GetComparedValue(ARecordIndex2, AField, v2);
  if (OnCompare) {
    int compare = 0;
    OnCompare(this, ARecordIndex1, ARecordIndex2, GetItemFieldIndex(AField), v1, v2, compare);
    return compare;
  }
  if (IsStringCompare(AField)) {
    String s1 = VarToStr(v1), s2 = VarToStr(v2);
    if (options_.Contains(dcoAnsiSort))
      return options_.Contains(dcoCaseInsensitive) ? AnsiCompareText(s1, s2) : AnsiCompareStr(s1, s2);
    return CompareStr(AnsiUpperCase(s1), AnsiUpperCase(s2));
  }
  // Kinds that cannot be compared are ordered by kind, so that the order stays consistent.
  return cxVariantCompareOrdered(v1, v2);
}

int TcxCustomDataController::CompareRecordsByEntry(int ARecordIndex1, int ARecordIndex2,
                                                   const TcxDataSortingEntry& AEntry) {
  int result = CompareRecordValues(ARecordIndex1, ARecordIndex2, AEntry.Field);
  return AEntry.SortOrder == soDescending ? -result : result;
}

void TcxCustomDataController::GetComparedValue(int ARecordIndex, TcxCustomDataField* AField,
                                               Variant& AValue) {
  if (AField->SortMode == 2) {
    String text;
    if (AField->IsInternal())
      GetFieldDisplayText(ARecordIndex, AField, text);
    else
      GetDisplayText(ARecordIndex, GetItemFieldIndex(AField), text);
    AValue = text;
  } else {
    GetFieldValue(ARecordIndex, AField, AValue);
  }
}

bool TcxCustomDataController::IsValueCompareNeeded(TcxCustomDataField* AField) {
  if (AField->SortMode != 0) return AField->SortMode > 0;
  if (AField->ValueCompare || IsStringCompare(AField) || IsSortByDisplayText(AField)) return true;
  if (!HasRecordSource()) return false;
  return !provider_->RecordSource()->IsNativeCompareSupported();
}

bool TcxCustomDataController::IsStringCompare(TcxCustomDataField* AField) {
  if (!options_.Contains(dcoAnsiSort) && !options_.Contains(dcoCaseInsensitive)) return false;
  TcxValueDef* def = AField->GetValueDef();
  return def && def->TypeClass()->IsStringType();
}

bool TcxCustomDataController::IsSortByDisplayText(TcxCustomDataField* AField) {
  return options_.Contains(dcoSortByDisplayText) && !locating_ && !AField->IsInternal() &&
         GetItemSortByDisplayText(GetItemFieldIndex(AField));
}

void TcxCustomDataController::AddItem(TObject* AItem) {
  if (AItem && fields_->FindByItem(AItem)) cxRaiseDataControllerError(cxSDataItemExistError);
  CreateField()->SetItem(AItem);
}

void TcxCustomDataController::RemoveItem(TObject* AItem) {
  TcxCustomDataField* field = fields_->FindByItem(AItem);
  if (!field) return;
  BeginUpdate();
  try {
    info_->RemoveField(field);
    delete field;
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TcxCustomDataController::UpdateItemIndexes() {
  for (int i = 0; i < GetItemCount(); ++i)
    if (TcxCustomDataField* field = fields_->FindByItem(GetItem(i))) field->SetIndex(i);
  Change(dccLayout);
}

void TcxCustomDataController::ChangeItemValueCompare(int AItemIndex, bool AValue) {
  CheckItemIndex(AItemIndex);
  if (AValue == GetItemValueCompare(AItemIndex)) return;
  TcxCustomDataField* field = GetItemField(AItemIndex);
  field->ValueCompare = AValue;
  info_->FieldChanged(field);
}

void TcxCustomDataController::ChangeItemTextStored(int AItemIndex, bool AValue) {
  CheckItemIndex(AItemIndex);
  if (AValue == GetItemTextStored(AItemIndex)) return;
  TcxCustomDataField* field = GetItemField(AItemIndex);
  field->SetTextStored(AValue);
  info_->FieldChanged(field);
}

void TcxCustomDataController::ChangeValueTypeClass(int AItemIndex, TcxValueTypeClass AClass) {
  CheckItemIndex(AItemIndex);
  if (AClass == GetItemValueTypeClass(AItemIndex)) return;
  TcxCustomDataField* field = GetItemField(AItemIndex);
  field->SetValueTypeClass(AClass);
  if (HasRecordSource()) UpdateStorage();
  info_->FieldChanged(field);
  DoValueTypeClassChanged(AItemIndex);
}

TObject* TcxCustomDataController::GetItem(int AIndex) { return fields_->GetItem(AIndex)->Item(); }

// Reports the field's own flag, so that a request to clear it is carried out.
bool TcxCustomDataController::GetItemValueCompare(int AItemIndex) {
  return GetItemField(AItemIndex)->ValueCompare;
}

bool TcxCustomDataController::GetItemTextStored(int AItemIndex) {
  return GetItemField(AItemIndex)->GetTextStored();
}

void TcxCustomDataController::GetGroupValues(int ARecordIndex, Variant& AValues) {
  TcxGroupingFieldList* grouping = info_->GroupingFieldList();
  int count = grouping->Count();
  AValues = VarArrayCreate({0, count - 1}, varVariant);
  for (int i = 0; i < count; ++i) VarArrayPut(AValues, Null(), {i});
  if (ARecordIndex < 0 || ARecordIndex >= GetRecordCount()) return;
  for (int i = 0; i < count; ++i) {
    Variant value;
    GetGroupingValue(ARecordIndex, grouping->GetEntry(i).Field, value);
    VarArrayPut(AValues, value, {i});
  }
}

void TcxCustomDataController::GetDisplayText(int ARecordIndex, int AItemIndex, String& AText) {
  CheckRecordAndItem(ARecordIndex, AItemIndex);
  GetFieldDisplayText(ARecordIndex, GetItemField(AItemIndex), AText);
}

void TcxCustomDataController::GetValue(int ARecordIndex, int AItemIndex, Variant& AValue) {
  CheckRecordAndItem(ARecordIndex, AItemIndex);
  GetFieldValue(ARecordIndex, GetItemField(AItemIndex), AValue);
}

void TcxCustomDataController::Refresh() {
  BeginUpdate();
  try {
    info_->Refresh();
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TcxCustomDataController::SetDisplayText(int ARecordIndex, int AItemIndex, const String& AText) {
  if (IsGridMode()) return;
  CheckRecordAndItem(ARecordIndex, AItemIndex);
  TcxCustomDataField* field = GetItemField(AItemIndex);
  if (HasRecordSource()) {
    provider_->SetSourceDisplayText(ARecordIndex, field, AText);
    DataChanged(dcField);
  } else if (TcxValueDef* def = field->GetValueDef()) {
    storage_->SetDisplayText(ARecordIndex, def, AText);
    DataChanged(dcField);
  }
}

void TcxCustomDataController::SetRecordCount(int ACount) {
  if (IsGridMode()) return;
  if (ACount < 0) ACount = 0;
  int old = GetRecordCount();
  if (ACount == old) return;
  if (HasRecordSource()) {
    provider_->SetRecordCount(ACount);
    return;
  }
  storage_->SetRecordCount(ACount);
  if (GetRecordCount() == old) return;
  info_->CorrectSelection();
  DataChanged(ACount > old ? dcNew : dcDeleted);
}

void TcxCustomDataController::SetValue(int ARecordIndex, int AItemIndex, const Variant& AValue) {
  if (IsGridMode()) return;
  CheckRecordAndItem(ARecordIndex, AItemIndex);
  TcxCustomDataField* field = GetItemField(AItemIndex);
  if (HasRecordSource()) {
    provider_->SetSourceValue(ARecordIndex, field, AValue);
    DataChanged(dcField);
  } else if (TcxValueDef* def = field->GetValueDef()) {
    storage_->SetValue(ARecordIndex, def, AValue);
    DataChanged(dcField);
  }
}

void TcxCustomDataController::Append() {
  if (provider_->CanAppend()) provider_->Append();
}

void TcxCustomDataController::Cancel() {
  if (provider_->IsEditing()) provider_->Cancel();
}

bool TcxCustomDataController::CanInitEditing(int AItemIndex) {
  CheckItemIndex(AItemIndex);
  if (!provider_->CanModify()) return false;
  if (!GetItemField(AItemIndex)->CanEditValue(GetItemValueSource(AItemIndex))) return false;
  return provider_->EditRecord(GetEditingRecordIndex());
}

void TcxCustomDataController::DeleteFocused() {
  int row = GetFocusedRowIndex();
  if (row < 0 || !provider_->CanDelete()) return;
  TcxRowInfo info = GetRowInfo(row);
  if (info.Level < info_->GroupingFieldList()->Count()) {
    std::vector<int> records;
    groups_->AddRowRecords(records, row);
    provider_->DeleteRecords(records);
  } else {
    provider_->Delete();
  }
}

void TcxCustomDataController::DeleteSelection() {
  if (GetSelectedCount() == 0 || !provider_->CanDelete()) return;
  if (IsSingleSelect())
    provider_->Delete();
  else
    provider_->DeleteSelection();
}

void TcxCustomDataController::Edit() {
  if (provider_->CanModify()) provider_->Edit();
}

Variant TcxCustomDataController::GetEditValue(int AItemIndex, TcxEditValueSource AValueSource) {
  CheckItemIndex(AItemIndex);
  if (newItemRowEnabled_ && IsNewItemRowActive() && !provider_->IsEditing()) return Null();
  Variant value;
  provider_->GetEditValue(GetEditingRecordIndex(), GetItemField(AItemIndex), value, AValueSource);
  return value;
}

void TcxCustomDataController::Insert() {
  if (provider_->CanInsert()) provider_->Insert();
}

void TcxCustomDataController::Post() {
  if (provider_->IsEditing()) provider_->Post();
  provider_->AppendedRecordIndex = -1;
}

bool TcxCustomDataController::SetEditValue(int AItemIndex, const Variant& AValue,
                                           TcxEditValueSource AValueSource) {
  if (!CanInitEditing(AItemIndex)) return false;
  return provider_->SetEditValue(GetEditingRecordIndex(), GetItemField(AItemIndex), AValueSource, AValue);
}

int TcxCustomDataController::GetEditingRecordIndex() {
  return provider_->IsEditing() ? provider_->EditingRecordIndex() : GetRecordIndexToEdit();
}

int TcxCustomDataController::GetNewItemRecordIndex() {
  if (newItemRecordIndex_ == 0) newItemRecordIndex_ = storage_->AddInternalRecord();
  return newItemRecordIndex_;
}

// ---------------------------------------------------------------------------------------------
// Items and records

void TcxCustomDataController::CheckItemIndex(int AIndex) {
  if (AIndex < 0 || AIndex >= GetItemCount()) cxRaiseDataControllerError(cxSDataItemIndexError);
}

void TcxCustomDataController::CheckRecordIndex(int AIndex) {
  int newItem = GetNewItemRecordIndex();
  if ((AIndex < 0 || AIndex >= GetRecordCount()) && AIndex != newItem)
    cxRaiseDataControllerError(cxSDataRecordIndexError);
}

TcxCustomDataField* TcxCustomDataController::GetItemField(int AItemIndex) {
  if (AItemIndex < 0 || AItemIndex >= fields_->GetItemCount())
    cxRaiseDataControllerError(cxSDataItemIndexError);
  TObject* item = GetItem(AItemIndex);
  TcxCustomDataField* field = fields_->GetItem(AItemIndex);
  // Items are normally kept in the field list in item order.
  if (field->Item() == item) return field;
  TcxCustomDataField* found = fields_->FindByItem(item);
  return found ? found : field;
}

int TcxCustomDataController::GetItemFieldIndex(TcxCustomDataField* AField) {
  if (!AField) return -1;
  int index = fields_->IndexOf(AField);
  if (index >= 0 && index < GetItemCount() && GetItem(index) == AField->Item()) return index;
  for (int i = 0; i < GetItemCount(); ++i)
    if (GetItem(i) == AField->Item()) return i;
  return -1;
}

TcxValueTypeClass TcxCustomDataController::GetItemValueTypeClass(int AIndex) {
  CheckItemIndex(AIndex);
  return GetItemField(AIndex)->GetValueTypeClass();
}

int TcxCustomDataController::AppendRecord() {
  if (HasRecordSource()) return provider_->AppendRecordToSource();
  int index = storage_->AppendRecord();
  DataChanged(dcNew);
  return index;
}

int TcxCustomDataController::InsertRecord(int AIndex) {
  if (AIndex < 0 || AIndex > GetRecordCount()) cxRaiseDataControllerError(cxSDataRecordIndexError);
  if (HasRecordSource()) return provider_->InsertRecordToSource(AIndex);
  storage_->InsertRecord(AIndex);
  RecordInserted(AIndex);
  DataChanged(dcNew);
  return AIndex;
}

void TcxCustomDataController::DeleteRecord(int AIndex) {
  CheckRecordIndex(AIndex);
  if (HasRecordSource()) {
    provider_->DeleteRecordFromSource(AIndex);
    return;
  }
  storage_->DeleteRecord(AIndex);
  RecordDeleted(AIndex);
  info_->CorrectSelection();
  if (newItemRecordIndex_ == AIndex) newItemRecordIndex_ = 0;
  DataChanged(dcDeleted);
}

void TcxCustomDataController::SetFieldValueToStorage(int ARecordIndex, TcxCustomDataField* AField,
                                                     const Variant& AValue) {
  if (TcxValueDef* def = AField->GetValueDef()) storage_->SetValue(ARecordIndex, def, AValue);
}

int TcxCustomDataController::FindGroupRecord(int AValuesRecord, int ALevelCount) {
  int position = info_->FindGroupPositionPublic(AValuesRecord, std::max(ALevelCount, 1));
  return position < 0 ? -1 : info_->GetRecordListItem(position);
}

void TcxCustomDataController::PrepareSorting() {
  TcxSortingFieldList* list = info_->TotalSortingFieldList();
  for (int i = 0; i < list->Count(); ++i) {
    TcxCustomDataField* field = list->GetEntry(i).Field;
    field->SortMode = 0;
    field->SortMode = !IsValueCompareNeeded(field) ? -1 : (IsSortByDisplayText(field) ? 2 : 1);
  }
}

void TcxCustomDataController::UnprepareSorting() {
  TcxSortingFieldList* list = info_->TotalSortingFieldList();
  for (int i = 0; i < list->Count(); ++i) list->GetEntry(i).Field->SortMode = 0;
}

int TcxCustomDataController::FindRecordByValues(int AValuesRecord,
                                                const std::vector<TcxCustomDataField*>& AFields) {
  if (AFields.empty()) return -1;
  for (auto* field : AFields) {
    field->SortMode = 0;
    field->SortMode = !IsValueCompareNeeded(field) ? -1 : (IsSortByDisplayText(field) ? 2 : 1);
  }
  int result = -1;
  try {
    for (int record = 0; record < GetRecordCount() && result < 0; ++record) {
      bool equal = true;
      for (auto* field : AFields)
        if (CompareRecordValues(record, AValuesRecord, field) != 0) {
          equal = false;
          break;
        }
      if (equal) result = record;
    }
  } catch (...) {
    for (auto* field : AFields) field->SortMode = 0;
    throw;
  }
  for (auto* field : AFields) field->SortMode = 0;
  return result;
}
