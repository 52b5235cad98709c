// Data fields bound to dataset fields by name: binding, child fields for several names, shared
// storage of items on one field and the value type taken from the dataset field's type.
#include <algorithm>

#include "cx/data/cxDBData.h"
#include "cx/data/cxDataConsts.h"
#include "platform/data/Field.h"
#include "platform/rtl/StrUtils.h"

TRENVIK_IMPLEMENT_CLASS(TcxDBDataField)

namespace {

TcxValueTypeClass ValueTypeOf(TField* AField) {
  if (!AField) return TcxStringValueType::Class();
  switch (AField->DataType()) {
    case ftString: return TcxStringValueType::Class();
    case ftSmallint: return TcxSmallintValueType::Class();
    case ftInteger:
    case ftAutoInc: return TcxIntegerValueType::Class();
    case ftWord: return TcxWordValueType::Class();
    case ftBoolean: return TcxBooleanValueType::Class();
    case ftFloat: return TcxFloatValueType::Class();
    case ftCurrency:
    case ftBCD: return TcxCurrencyValueType::Class();
    case ftDate:
    case ftTime:
    case ftDateTime: return TcxDateTimeValueType::Class();
    case ftWideString: return TcxWideStringValueType::Class();
    case ftLargeint: return TcxLargeIntValueType::Class();
    case ftFMTBcd: return TcxFMTBcdValueType::Class();
    default: return TcxVariantValueType::Class();
  }
}

}  // namespace

TcxDBDataField::~TcxDBDataField() {
  // Runs also while the controller is being destroyed: only its base is asked.
  if (field_ && FieldList())
    if (TComponent* notifier = GetDataController()->NotifierComponent()) field_->RemoveFreeNotification(notifier);
  ClearChildren();
  if (parent_) {
    auto& siblings = parent_->children_;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
  }
}

TcxDBDataController* TcxDBDataField::DBController() const {
  return static_cast<TcxDBDataController*>(GetDataController());
}

TField* TcxDBDataField::Field() const {
  auto* reference = static_cast<TcxDBDataField*>(ReferenceField());
  return reference ? reference->field_ : field_;
}

void TcxDBDataField::SetField(TField* AField) {
  if (ReferenceField()) return;
  if (AField && AField->ComponentState().Contains(csDestroying)) AField = nullptr;
  if (AField == field_) return;
  TComponent* notifier = DBController()->NotifierComponent();
  if (field_) field_->RemoveFreeNotification(notifier);
  field_ = AField;
  if (field_) field_->FreeNotification(notifier);
  ClearChildren();
}

int TcxDBDataField::FieldCount() const {
  auto* reference = static_cast<TcxDBDataField*>(ReferenceField());
  return static_cast<int>((reference ? reference->children_ : children_).size());
}

TcxDBDataField* TcxDBDataField::Fields(int AIndex) const {
  auto* reference = static_cast<TcxDBDataField*>(ReferenceField());
  return (reference ? reference->children_ : children_).at(static_cast<size_t>(AIndex));
}

void TcxDBDataField::AddChild(TcxDBDataField* AField) {
  if (AField->parent_) cxRaiseDataControllerError(u"ADataField.FParentField <> nil");
  AField->parent_ = this;
  children_.push_back(AField);
}

void TcxDBDataField::ClearChildren() {
  while (!children_.empty()) delete children_.back();
}

void TcxDBDataField::GetFieldList(std::vector<TcxDBDataField*>& AList) {
  if (FieldCount() == 0) {
    AList.push_back(this);
    return;
  }
  for (int i = 0; i < FieldCount(); ++i) AList.push_back(Fields(i));
}

bool TcxDBDataField::IsLookup() const {
  TField* field = Field();
  return field && field->Lookup();
}

void TcxDBDataField::ComponentRemoved(TComponent* AComponent) {
  if (ReferenceField() || AComponent != field_) return;
  TcxDBDataProvider* provider = DBController()->DBProvider();
  TDataSet* dataSet = provider->GetDataSet();
  if (provider->InFirst() && provider->DataLink()->Active() && dataSet && !dataSet->Active())
    provider->FieldsChanged = true;
  field_ = nullptr;
  ClearChildren();
  if (provider->LockCount() == 0) provider->LayoutChanged(1);
}

bool TcxDBDataField::CanEditValue(TcxEditValueSource AValueSource) {
  TField* field = Field();
  if (!TcxCustomDataField::CanEditValue(AValueSource) || !field) return false;
  if (field->Lookup()) {
    if (AValueSource != evsKey) return false;
    for (int i = 0; i < FieldCount(); ++i)
      if (!Fields(i)->CanEditValue(evsValue)) return false;
    return true;
  }
  if (!field->CanModify()) return false;
  return AValueSource == evsValue || CanModifyField(field, false) || static_cast<bool>(field->OnSetText);
}

bool TcxDBDataField::IsUnboundValue() { return !Field() || GetDataController()->IsGridMode(); }

// --- binding, on the controller

void TcxDBDataController::UpdateValueType(TcxDBDataField* AField) {
  TField* field = AField->Field();
  int itemIndex = AField->IsInternal() ? -1 : GetItemFieldIndex(AField);
  bool textStored = !AField->IsInternal() && itemIndex >= 0 && GetItemValueSource(itemIndex) == evsText &&
                    NeedsFieldDisplayText(field, false);
  TcxValueTypeClass type = ValueTypeOf(field);
  bool typeChanged = AField->GetValueTypeClass() != type;
  if (!typeChanged && AField->GetTextStored() == textStored) return;
  {
    AField->BeginRecreateData();
    TScopeExit closing([&] { AField->EndRecreateData(); });
    AField->SetTextStored(textStored);
    AField->SetValueTypeClass(type);
  }
  if (!typeChanged) return;
  if (!AField->IsInternal()) DoValueTypeClassChanged(itemIndex);
  for (int i = 0; i < Fields()->GetCount(); ++i) {
    TcxCustomDataField* other = Fields()->GetItem(i);
    if (other->ReferenceField() == AField && !other->IsInternal()) DoValueTypeClassChanged(GetItemFieldIndex(other));
  }
}

void TcxDBDataController::UpdateField(TcxDBDataField* AField, bool AOnlyLookupKeys) {
  if (AField->ReferenceField()) return;
  if (AOnlyLookupKeys && !(AField->ParentField() && AField->ParentField()->IsLookup())) return;
  TDataSet* dataSet = GetDataSet();
  if (!dataSet) return;
  AField->SetField(unbindingFields_ || AField->FieldName().empty() ? nullptr
                                                                 : dataSet->FindField(AField->FieldName()));
  TField* field = AField->Field();
  if (!field) return;
  UpdateValueType(AField);
  if (field->Lookup() && AField->FieldCount() == 0) SetFieldName(AField, field->KeyFields(), true);
}

void TcxDBDataController::SetFieldName(TcxDBDataField* AField, const String& ANames, bool AKeyList) {
  AField->ClearChildren();
  if (!AKeyList) {
    if (AField->FieldName() != ANames) Fields()->ReassignReferences(AField);
    AField->SetFieldNameDirect(ANames);
  }
  if (AKeyList || HasMultipleFieldNames(ANames)) {
    BeginUpdate();
    TScopeExit closing([&] { EndUpdate(); });
    if (!AKeyList) {
      // A field that stood for one dataset field (itself or through a column on the same name) now
      // stands for several: that binding would leave it without its children.
      if (AField->ReferenceField()) AField->SetReferenceField(nullptr);
      AField->SetField(nullptr);
    }
    TStringList names;
    GetFieldNames(ANames, &names);
    for (int i = 0; i < names.Count(); ++i) {
      auto* child = static_cast<TcxDBDataField*>(CreateInternalField());
      AField->AddChild(child);
      SetFieldName(child, names.Strings(i), false);
    }
    return;
  }
  String upper = AnsiUpperCase(ANames);
  for (int i = 0; i < Fields()->GetCount(); ++i) {
    auto* other = static_cast<TcxDBDataField*>(Fields()->GetItem(i));
    if (other == AField || other->ReferenceField() || other->FieldName().empty()) continue;
    if (AnsiUpperCase(other->FieldName()) != upper) continue;
    TcxValueTypeClass before = AField->GetValueTypeClass();
    AField->SetReferenceField(other);
    DataStorage()->CheckStructure();
    Change(dccData);
    if (before != AField->GetValueTypeClass() && !AField->IsInternal())
      DoValueTypeClassChanged(GetItemFieldIndex(AField));
    return;
  }
  if (AField->ReferenceField()) AField->SetReferenceField(nullptr);
  if (DBProvider()->IsDataAvailable()) LayoutChanged(1);
}

void TcxDBDataController::UnbindFields() {
  unbindingFields_ = true;
  TScopeExit closing([&] { unbindingFields_ = false; });
  UpdateFields();
}

void TcxDBDataController::DoUpdateField(TcxCustomDataField* AField) {
  TcxCustomDataController::DoUpdateField(AField);
  UpdateField(static_cast<TcxDBDataField*>(AField), false);
}

void TcxDBDataController::UpdateFields() {
  TcxCustomDataController::UpdateFields();
  std::vector<TcxCustomDataField*> fields;
  for (int i = 0; i < Fields()->GetCount(); ++i) fields.push_back(Fields()->GetItem(i));
  for (TcxCustomDataField* field : fields) UpdateField(static_cast<TcxDBDataField*>(field), true);
}

void TcxDBDataController::ChangeFieldName(int AItemIndex, const String& AFieldName) {
  CheckItemIndex(AItemIndex);
  TcxDBDataField* field = GetDBField(AItemIndex);
  if (field->FieldName() == AFieldName) return;
  BeginUpdate();
  TScopeExit closing([&] { EndUpdate(); });
  SetFieldName(field, AFieldName, false);
  UpdateField(field, false);
}

void TcxDBDataController::BindInternalField(TcxDBDataField*& AField, const String& ANames) {
  if (ANames.empty()) {
    TcxDBDataField* field = AField;
    AField = nullptr;
    delete field;
    Change(dccData);
    return;
  }
  if (!AField) AField = static_cast<TcxDBDataField*>(CreateInternalField());
  if (AField->FieldName() != ANames) SetFieldName(AField, ANames, false);
  UpdateField(AField, false);
  for (int i = 0; i < AField->FieldCount(); ++i) UpdateField(AField->Fields(i), false);
}

void TcxDBDataController::SetKeyFieldNames(const String& AValue) {
  if (keyFieldNames_ == AValue) return;
  keyFieldNames_ = AValue;
  BindInternalField(keyField_, AValue);
}
