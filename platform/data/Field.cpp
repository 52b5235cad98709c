#include "platform/data/Field.h"

#include "platform/classes/Filer.h"
#include "platform/data/DBConsts.h"
#include "platform/data/DataSet.h"
#include "platform/data/FieldTypes.h"
#include "platform/rtl/StrUtils.h"

TRENVIK_PUBLISHED(TField) {
  P.Property("Alignment", &TField::Alignment, &TField::SetAlignment);
  P.Property("DisplayLabel", &TField::StoredDisplayLabel, &TField::SetDisplayLabel)
      .Stored(&TField::DisplayLabelStored);
  P.Property("DisplayWidth", &TField::DisplayWidth, &TField::SetDisplayWidth)
      .Stored(&TField::DisplayWidthStored);
  P.Property("EditMask", &TField::EditMask, &TField::SetEditMask);
  P.Property("FieldKind", &TField::FieldKind, &TField::SetFieldKind).Default(fkData);
  P.Property("FieldName", &TField::FieldName, &TField::SetFieldName);
  P.Property("KeyFields", &TField::KeyFields, &TField::SetKeyFields);
  P.Property("LookupCache", &TField::LookupCache, &TField::SetLookupCache).Default(false);
  P.Property("LookupDataSet", &TField::LookupDataSet, &TField::SetLookupDataSet);
  P.Property("LookupKeyFields", &TField::LookupKeyFields, &TField::SetLookupKeyFields);
  P.Property("LookupResultField", &TField::LookupResultField, &TField::SetLookupResultField);
  P.Property("Origin", &TField::Origin, &TField::SetOrigin);
  P.Property("ReadOnly", &TField::ReadOnly, &TField::SetReadOnly).Default(false);
  P.Property("Required", &TField::Required, &TField::SetRequired).Default(false);
  P.Property("Size", &TField::Size, &TField::SetSize).Default(0);
  P.Property("Visible", &TField::Visible, &TField::SetVisible).Default(true);
  P.Event("OnChange", &TField::OnChange);
  P.Event("OnGetText", &TField::OnGetText);
  P.Event("OnSetText", &TField::OnSetText);
  P.Event("OnValidate", &TField::OnValidate);
}

TFieldChars TFieldChars::All() {
  TFieldChars c;
  c.low_.set();
  c.others_ = true;
  return c;
}

TFieldChars TFieldChars::Of(std::u16string_view chars) {
  TFieldChars c;
  for (Char ch : chars) c.Include(ch);
  return c;
}

void TFieldChars::Include(Char c) {
  if (c < 256)
    low_.set(c);
  else
    others_ = true;
}

void TFieldChars::Exclude(Char c) {
  if (c < 256)
    low_.reset(c);
  else
    others_ = false;
}

TField::TField(TComponent* AOwner) : TComponent(AOwner) {}

TField::~TField() {
  Destroying();
  if (lookupDataSet_) lookupDataSet_->RemoveFreeNotification(this);
  if (dataSet_) dataSet_->RemoveField(this);
}

void TField::SetDataSet(TDataSet* Value) {
  if (Value == dataSet_) return;
  if ((dataSet_ && dataSet_->Active()) || (Value && Value->Active()))
    DatabaseError(S(DBConsts::SDataSetOpen), dataSet_ ? dataSet_ : Value);
  if (Value && !fieldName_.empty() && Value->FindField(fieldName_))
    DatabaseErrorFmt(DBConsts::SDuplicateFieldName, {fieldName_}, Value);
  if (dataSet_) dataSet_->RemoveField(this);
  dataSet_ = Value;
  if (dataSet_) dataSet_->AddField(this);
}

void TField::SetFieldName(const String& Value) {
  if (dataSet_) {
    TField* other = dataSet_->FindField(Value);
    if (other && other != this) DatabaseErrorFmt(DBConsts::SDuplicateFieldName, {Value}, dataSet_);
  }
  fieldName_ = Value;
  PropertyChanged(true);
}

void TField::SetFieldKind(TFieldKind Value) {
  if (fieldKind_ == Value) return;
  if (dataSet_ && dataSet_->Active()) DatabaseError(S(DBConsts::SDataSetOpen), dataSet_);
  fieldKind_ = Value;
}

int TField::Index() const { return dataSet_ ? dataSet_->Fields()->IndexOf(this) : -1; }

void TField::SetIndex(int Value) {
  if (!dataSet_) return;
  int count = dataSet_->FieldCount();
  if (Value < 0) Value = 0;
  if (Value >= count) Value = count - 1;
  int current = Index();
  if (current == Value) return;
  dataSet_->Fields()->Move(current, Value);
  dataSet_->FieldListChanged();
}

void TField::SetSize(int Value) {
  if (dataSet_ && dataSet_->Active()) DatabaseError(S(DBConsts::SDataSetOpen), dataSet_);
  size_ = Value;
}

int TField::DataSize() const { return 0; }

int TField::DisplayWidth() const { return displayWidth_ > 0 ? displayWidth_ : DefaultDisplayWidth(); }

void TField::SetDisplayWidth(int Value) {
  displayWidth_ = Value;
  PropertyChanged(true);
}

void TField::SetAlignment(TAlignment Value) {
  if (alignment_ == Value) return;
  alignment_ = Value;
  PropertyChanged(false);
}

void TField::SetVisible(bool Value) {
  if (visible_ == Value) return;
  visible_ = Value;
  PropertyChanged(true);
}

void TField::SetReadOnly(bool Value) {
  if (readOnly_ == Value) return;
  readOnly_ = Value;
  PropertyChanged(false);
}

void TField::SetEditMask(const String& Value) {
  editMask_ = Value;
  PropertyChanged(false);
}

bool TField::CanModify() const {
  if (readOnly_ || !dataSet_ || !dataSet_->CanModify()) return false;
  return fieldKind_ == fkData || fieldKind_ == fkInternalCalc || fieldKind_ == fkLookup;
}

void TField::PropertyChanged(bool LayoutAffected) {
  if (dataSet_ && dataSet_->Active())
    dataSet_->DataEvent(LayoutAffected ? deLayoutChange : deDataSetChange, 0);
}

bool TField::IsNull() const {
  // Record fields ask the dataset without building the value; the rest answer GetData themselves.
  if (dataSet_ && FieldKind() != fkAggregate) return dataSet_->IsFieldDataNull(this);
  Variant v;
  return !GetData(v);
}

bool TField::GetData(Variant& Value) const {
  if (!dataSet_) {
    Value = Null();
    return false;
  }
  return dataSet_->GetFieldData(this, Value);
}

void TField::SetData(const Variant& Value) {
  if (!dataSet_) DatabaseErrorFmt("Field '%s' has no dataset", {DisplayName()});
  dataSet_->SetFieldData(this, Value);
}

Variant TField::ReadValue() const {
  Variant v;
  if (GetData(v)) return v;
  return Null();
}

void TField::StoreValue(const Variant& Value) { SetData(Value); }

Variant TField::OldValue() const { return dataSet_ ? dataSet_->GetOldFieldValue(this) : Null(); }

void TField::AccessError(const char* TypeName) const {
  DatabaseErrorFmt(DBConsts::SFieldAccessError, {DisplayName(), TypeName});
}

Variant TField::ConvertValue(const Variant& Value) const { return Value; }

Variant TField::GetAsVariant() const { return ReadValue(); }

void TField::SetAsVariant(const Variant& Value) {
  if (VarIsNull(Value) || VarIsEmpty(Value)) {
    StoreValue(Null());
    return;
  }
  Variant v = ConvertValue(Value);
  CheckRange(v);
  StoreValue(v);
}

String TField::GetAsString() const {
  Variant v = ReadValue();
  if (VarIsNull(v)) return String();
  try {
    return v.AsString();
  } catch (const EVariantError&) {
    AccessError("String");
  }
}

void TField::SetAsStringImpl(const String& Value) { SetAsVariant(Variant(Value)); }

namespace {
template <class T, class F>
T ConvertOr(const TField* field, const Variant& v, const char* typeName, F convert) {
  if (VarIsNull(v)) return T();
  try {
    return convert(v);
  } catch (const EVariantError&) {
    DatabaseErrorFmt(DBConsts::SFieldAccessError, {field->DisplayName(), typeName});
  }
}
}  // namespace

Integer TField::GetAsInteger() const {
  return ConvertOr<Integer>(this, ReadValue(), "Integer", [](const Variant& v) { return v.AsInteger(); });
}
void TField::SetAsIntegerImpl(Integer Value) { SetAsVariant(Variant(Value)); }
Int64 TField::GetAsLargeInt() const {
  return ConvertOr<Int64>(this, ReadValue(), "Largeint", [](const Variant& v) { return v.AsInt64(); });
}
void TField::SetAsLargeIntImpl(Int64 Value) { SetAsVariant(Variant(Value)); }
double TField::GetAsFloat() const {
  return ConvertOr<double>(this, ReadValue(), "Float", [](const Variant& v) { return v.AsDouble(); });
}
void TField::SetAsFloatImpl(double Value) { SetAsVariant(Variant(Value)); }
Currency TField::GetAsCurrency() const {
  return ConvertOr<Currency>(this, ReadValue(), "Currency", [](const Variant& v) { return v.AsCurrency(); });
}
void TField::SetAsCurrencyImpl(Currency Value) { SetAsVariant(Variant(Value)); }
bool TField::GetAsBoolean() const {
  return ConvertOr<bool>(this, ReadValue(), "Boolean", [](const Variant& v) { return v.AsBoolean(); });
}
void TField::SetAsBooleanImpl(bool Value) { SetAsVariant(Variant(Value)); }
TDateTime TField::GetAsDateTime() const {
  return ConvertOr<TDateTime>(this, ReadValue(), "DateTime", [](const Variant& v) { return v.AsDateTime(); });
}
void TField::SetAsDateTimeImpl(TDateTime Value) { SetAsVariant(VarFromDateTime(Value)); }

String TField::GetText(bool) const { return GetAsString(); }

String TField::ValueText(const Variant& Value, bool) const { return VarIsNull(Value) ? String() : VarToStr(Value); }

String TField::GetTextOf(bool DisplayText) const {
  if (OnGetText) {
    String text;
    OnGetText(const_cast<TField*>(this), text, DisplayText);
    return text;
  }
  return GetText(DisplayText);
}

void TField::SetText(const String& Value) {
  if (OnSetText)
    OnSetText(this, Value);
  else
    SetAsStringImpl(Value);
}

void TField::FocusControl() {
  if (!dataSet_ || !dataSet_->Active()) return;
  TField* field = this;
  dataSet_->DataEvent(deFocusControl, reinterpret_cast<std::intptr_t>(&field));
}

void TField::Validate() {
  if (OnValidate) OnValidate(this);
}

void TField::Change() {
  if (OnChange) OnChange(this);
}

void TField::SetLookupDataSet(TDataSet* Value) {
  if (lookupDataSet_ == Value) return;
  if (lookupDataSet_) lookupDataSet_->RemoveFreeNotification(this);
  lookupDataSet_ = Value;
  if (lookupDataSet_) lookupDataSet_->FreeNotification(this);
  RefreshLookupList();
}

void TField::SetLookupCache(bool Value) {
  lookupCache_ = Value;
  RefreshLookupList();
}

void TField::RefreshLookupList() {
  lookupList_.clear();
  lookupListValid_ = false;
}

Variant TField::LookupValue(const Variant& KeyValue) {
  if (!lookupDataSet_ || !lookupDataSet_->Active()) return Null();
  if (lookupKeyFields_.empty() || lookupResultField_.empty() || keyFields_.empty())
    DatabaseErrorFmt(DBConsts::SLookupInfoError, {DisplayName()}, dataSet_);
  if (lookupCache_) {
    for (const auto& [key, value] : lookupList_) {
      try {
        if (VarIsArray(key) ? false : key == KeyValue) return value;
      } catch (const EVariantError&) {
      }
    }
  }
  Variant result = lookupDataSet_->Lookup(lookupKeyFields_, KeyValue, lookupResultField_);
  if (lookupCache_ && !VarIsArray(KeyValue)) lookupList_.emplace_back(KeyValue, result);
  return result;
}

void TField::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == lookupDataSet_) {
    lookupDataSet_ = nullptr;
    RefreshLookupList();
  }
}

void TField::Assign(TPersistent* Source) {
  if (!Source) {
    Clear();
    return;
  }
  if (auto* field = dynamic_cast<TField*>(Source)) {
    SetValue(field->Value());
    return;
  }
  TComponent::Assign(Source);
}

TComponent* TField::GetParentComponent() const { return dataSet_; }

void TField::ReadState(TReader* Reader) {
  if (auto* ds = dynamic_cast<TDataSet*>(Reader->Parent())) SetDataSet(ds);
  TComponent::ReadState(Reader);
}

void TField::SetParentComponent(TComponent* Value) {
  if (ComponentState().Contains(csLoading) || !Value || dynamic_cast<TDataSet*>(Value))
    SetDataSet(dynamic_cast<TDataSet*>(Value));
}

TFieldClass DefaultFieldClass(TFieldType Type) {
  switch (Type) {
    case ftString:
    case ftFixedChar:
      return TStringField::StaticClass();
    case ftWideString:
      return TWideStringField::StaticClass();
    case ftGuid:
      return TGuidField::StaticClass();
    case ftSmallint:
      return TSmallintField::StaticClass();
    case ftInteger:
      return TIntegerField::StaticClass();
    case ftWord:
      return TWordField::StaticClass();
    case ftAutoInc:
      return TAutoIncField::StaticClass();
    case ftLargeint:
      return TLargeintField::StaticClass();
    case ftFloat:
      return TFloatField::StaticClass();
    case ftCurrency:
      return TCurrencyField::StaticClass();
    case ftBCD:
      return TBCDField::StaticClass();
    case ftFMTBcd:
      return TFMTBCDField::StaticClass();
    case ftBoolean:
      return TBooleanField::StaticClass();
    case ftDate:
      return TDateField::StaticClass();
    case ftTime:
      return TTimeField::StaticClass();
    case ftDateTime:
      return TDateTimeField::StaticClass();
    case ftTimeStamp:
      return TSQLTimeStampField::StaticClass();
    case ftMemo:
    case ftFmtMemo:
    case ftOraClob:
      return TMemoField::StaticClass();
    case ftGraphic:
      return TGraphicField::StaticClass();
    case ftBlob:
    case ftBytes:
    case ftVarBytes:
    case ftParadoxOle:
    case ftDBaseOle:
    case ftTypedBinary:
    case ftOraBlob:
      return TBlobField::StaticClass();
    default:
      return nullptr;
  }
}
