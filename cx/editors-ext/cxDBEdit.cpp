#include "cx/editors-ext/cxDBEdit.h"

#include <vector>

#include "cx/foundation/cxControls.h"
#include "platform/data/AggregateField.h"
#include "platform/data/DataSet.h"
#include "platform/data/Field.h"
#include "platform/data/FieldTypes.h"
#include "platform/rtl/NumberText.h"

TRENVIK_IMPLEMENT_CLASS(TcxCustomDBEditDefaultValuesProvider)

namespace {

template <class T>
T* FieldAs(TField* AField) {
  return dynamic_cast<T*>(AField);
}

// Rounded to the field's significant digits, as its own text would show the limit.
double RoundToPrecision(double AValue, int APrecision) {
  return StrToFloat(FloatToStrF(AValue, ffGeneral, APrecision, APrecision));
}

// Every key field of a lookup field can be written, and there is at least one.
bool LookupKeyFieldsCanModify(TField* AField) {
  TDataSet* dataSet = AField->DataSet();
  if (!dataSet) return false;
  std::vector<TField*> keyFields;
  dataSet->GetFieldList(keyFields, AField->KeyFields());
  if (keyFields.empty()) return false;
  for (TField* keyField : keyFields)
    if (!keyField->CanModify()) return false;
  return true;
}

// Limits of the field classes that have them; a wide decimal field has none here.
template <class AGetLimit>
double FieldLimit(TField* AField, AGetLimit AGet) {
  if (FieldAs<TFMTBCDField>(AField)) return 0;
  if (auto* field = FieldAs<TIntegerField>(AField)) return AGet(field);
  if (auto* field = FieldAs<TFloatField>(AField)) return RoundToPrecision(AGet(field), field->Precision());
  if (auto* field = FieldAs<TBCDField>(AField)) return AGet(field).ToDouble();
  return 0;
}

}  // namespace

TcxCustomDBEditDefaultValuesProvider::TcxCustomDBEditDefaultValuesProvider(TPersistent* AOwner)
    : TcxCustomEditDefaultValuesProvider(AOwner), freeNotificator_(std::make_unique<TcxFreeNotificator>(nullptr)) {
  freeNotificator_->OnFreeNotification = [this](TComponent*) { SetField(nullptr); };
}

TcxCustomDBEditDefaultValuesProvider::~TcxCustomDBEditDefaultValuesProvider() = default;

void TcxCustomDBEditDefaultValuesProvider::SetField(TField* AField) {
  if (AField == field_) return;
  freeNotificator_->RemoveSender(field_);
  field_ = AField;
  freeNotificator_->AddSender(field_);
}

bool TcxCustomDBEditDefaultValuesProvider::IsFieldAvailable() {
  return field_ && field_->DataSet() && field_->DataSet()->State() != dsInactive;
}

TAlignment TcxCustomDBEditDefaultValuesProvider::DefaultAlignment() {
  return IsFieldAvailable() ? field_->Alignment() : taLeftJustify;
}

Byte TcxCustomDBEditDefaultValuesProvider::DefaultBlobKind() {
  if (!IsFieldAvailable()) return 0;
  switch (field_->DataType()) {
    case ftMemo:
    case ftFmtMemo:
      return 3;
    case ftGraphic:
      return 2;
    case ftParadoxOle:
    case ftDBaseOle:
      return 4;
    default:
      return 0;
  }
}

bool TcxCustomDBEditDefaultValuesProvider::DefaultCanModify() {
  if (DefaultReadOnly()) return false;
  // A lookup field is written through its key fields; the platform's own answer for it ignores them.
  if (field_->FieldKind() == fkLookup) return LookupKeyFieldsCanModify(field_);
  return field_->CanModify();
}

void TcxCustomDBEditDefaultValuesProvider::DefaultDisplayFormat(String& Result) {
  Result.clear();
  if (!IsFieldAvailable()) return;
  if (auto* numeric = FieldAs<TNumericField>(field_)) Result = numeric->DisplayFormat();
}

void TcxCustomDBEditDefaultValuesProvider::DefaultEditMask(String& Result) {
  Result = IsFieldAvailable() ? field_->EditMask() : String();
}

bool TcxCustomDBEditDefaultValuesProvider::DefaultIsFloatValue() {
  if (!IsFieldAvailable()) return false;
  TFieldType type = field_->DataType();
  return type == ftFloat || type == ftCurrency || type == ftBCD;
}

int TcxCustomDBEditDefaultValuesProvider::DefaultMaxLength() {
  if (!IsFieldAvailable()) return 0;
  TFieldType type = field_->DataType();
  if (type != ftString && type != ftWideString) return 0;
  // The platform's fixed-char fields report ftString and tell themselves apart by this flag.
  auto* stringField = FieldAs<TStringField>(field_);
  return stringField && stringField->FixedChar() ? 0 : field_->Size();
}

double TcxCustomDBEditDefaultValuesProvider::DefaultMaxValue() {
  if (!IsFieldAvailable()) return 0;
  return FieldLimit(field_, [](auto* AField) { return AField->MaxValue(); });
}

double TcxCustomDBEditDefaultValuesProvider::DefaultMinValue() {
  if (!IsFieldAvailable()) return 0;
  return FieldLimit(field_, [](auto* AField) { return AField->MinValue(); });
}

bool TcxCustomDBEditDefaultValuesProvider::DefaultReadOnly() {
  return !IsFieldAvailable() || field_->ReadOnly();
}

bool TcxCustomDBEditDefaultValuesProvider::DefaultRequired() {
  return IsFieldAvailable() && field_->Required();
}

bool TcxCustomDBEditDefaultValuesProvider::IsDisplayFormatDefined(bool AIsCurrencyValueAccepted) {
  if (!IsFieldAvailable()) return false;
  if (field_->OnGetText) return true;
  bool result = false;
  if (auto* field = FieldAs<TFloatField>(field_))  // wide decimal fields included
    result = result || (AIsCurrencyValueAccepted && field->IsCurrency());
  if (auto* field = FieldAs<TBCDField>(field_)) result = result || (AIsCurrencyValueAccepted && field->IsCurrency());
  if (auto* field = FieldAs<TDateTimeField>(field_))  // SQL time stamps included
    result = result || !field->DisplayFormat().empty();
  if (auto* field = FieldAs<TAggregateField>(field_))
    result = result || !field->DisplayFormat().empty() || (AIsCurrencyValueAccepted && field->Currency());
  if (auto* field = FieldAs<TNumericField>(field_)) result = result || !field->DisplayFormat().empty();
  return result;
}

bool TcxCustomDBEditDefaultValuesProvider::IsValidChar(Char AChar) {
  return IsFieldAvailable() && field_->IsValidChar(AChar);
}
