#include <climits>
#include <cmath>

#include "cx/editors/cxEditScopes.h"
#include "cx/editors/cxEditPublishing.h"
#include "cx/editors/cxSpinEdit.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/NumberText.h"

TRENVIK_IMPLEMENT_CLASS(TcxCustomSpinEditProperties)
using SpinProps = TcxCustomSpinEditProperties;

TRENVIK_PUBLISHED(TcxSpinEditProperties) {
  PublishAlignmentObject(P);
  PublishAutoSelect(P, true);
  PublishBeepOnError(P);
  P.Property("CanEdit", &SpinProps::GetCanEdit, &SpinProps::SetCanEdit).Default(true);
  PublishHideSelection(P);
  P.Property("ImmediatePost", &SpinProps::ImmediatePost, &SpinProps::SetImmediatePost).Default(false);
  P.Property("MaxValue", &SpinProps::MaxValue, &SpinProps::SetMaxValue).NoDefault().Stored(&SpinProps::IsMaxValueStored);
  P.Property("MinValue", &SpinProps::MinValue, &SpinProps::SetMinValue).NoDefault().Stored(&SpinProps::IsMinValueStored);
  P.Property("Increment", &SpinProps::GetIncrement, &SpinProps::SetIncrement).Default(1.0);
  PublishReadOnly(P);
  P.Property("UseCtrlIncrement", &SpinProps::GetUseCtrlIncrement, &SpinProps::SetUseCtrlIncrement).Default(false);
  PublishUseLeftAlignmentOnEditing(P);
  P.Property("ValueType", &SpinProps::ValueType, &SpinProps::SetValueType)
      .NoDefault()
      .Stored(&SpinProps::IsValueTypeAssigned);
  PublishEditValueEvents(P);
}

namespace {

bool IsDigit(Char c) { return c >= u'0' && c <= u'9'; }

// Decimal digits from APos on; the position after them.
size_t SkipDigits(const String& AText, size_t APos) {
  while (APos < AText.size() && IsDigit(AText[APos])) ++APos;
  return APos;
}

bool ReadInteger(const String& AText, double& AValue) {
  size_t pos = AText.empty() || (AText[0] != u'+' && AText[0] != u'-') ? 0 : 1;
  const size_t digitsEnd = SkipDigits(AText, pos);
  if (digitsEnd == pos || digitsEnd != AText.size()) return false;
  double value = 0;
  for (size_t i = pos; i < digitsEnd; ++i) value = value * 10 + (AText[i] - u'0');
  if (AText[0] == u'-') value = -value;
  if (value < INT_MIN || value > INT_MAX) return false;
  AValue = value;
  return true;
}

bool ReadFloat(const String& AText, double& AValue) {
  const TFormatSettings& settings = FormatSettings();
  size_t pos = AText.empty() || (AText[0] != u'+' && AText[0] != u'-') ? 0 : 1;
  const size_t intEnd = SkipDigits(AText, pos);
  size_t end = intEnd;
  bool digits = intEnd > pos;
  if (end < AText.size() && AText[end] == settings.DecimalSeparator) {
    const size_t fracEnd = SkipDigits(AText, end + 1);
    digits = digits || fracEnd > end + 1;
    end = fracEnd;
  }
  if (!digits) return false;
  if (end < AText.size() && (AText[end] == u'e' || AText[end] == u'E')) {
    size_t expPos = end + 1;
    if (expPos < AText.size() && (AText[expPos] == u'+' || AText[expPos] == u'-')) ++expPos;
    const size_t expEnd = SkipDigits(AText, expPos);
    if (expEnd == expPos) return false;
    end = expEnd;
  }
  if (end != AText.size()) return false;
  double value = 0;
  if (!TextToFloat(AText, value, settings) || !std::isfinite(value)) return false;
  AValue = value;
  return true;
}

}  // namespace

bool cxSpinTextToNumber(const String& AText, TcxSpinEditValueType AValueType, double& AValue) {
  return AValueType == vtInt ? ReadInteger(AText, AValue) : ReadFloat(AText, AValue);
}

// Button 0 steps down and sits below button 1, which steps up.
TcxCustomSpinEditProperties::TcxCustomSpinEditProperties(TPersistent* AOwner) : TcxCustomMaskEditProperties(AOwner) {
  Buttons()->Add();
  Buttons()->Add();
}

void TcxCustomSpinEditProperties::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TcxCustomSpinEditProperties*>(Source);
  if (!source) {
    inherited::Assign(Source);
    return;
  }
  TcxUpdateScope update(this);
  SetDefaultValuesProvider(source->DefaultValuesProvider());
  valueTypeAssigned_ = false;
  if (source->IsValueTypeAssigned()) SetValueType(source->ValueType());
  inherited::Assign(Source);
  CanEdit = source->CanEdit;
  Increment = source->Increment;
  UseCtrlIncrement = source->UseCtrlIncrement;
}

TcxSpinEditValueType TcxCustomSpinEditProperties::ValueType() {
  if (valueTypeAssigned_) return valueType_;
  if (DefaultValuesProvider()) return DefaultValuesProvider()->DefaultIsFloatValue() ? vtFloat : vtInt;
  return vtFloat;
}

void TcxCustomSpinEditProperties::SetValueType(TcxSpinEditValueType Value) {
  if (valueTypeAssigned_ && valueType_ == Value) return;
  valueTypeAssigned_ = true;
  valueType_ = Value;
  Changed();
}

Variant TcxCustomSpinEditProperties::ToValueType(double AValue) {
  if (ValueType() == vtFloat) return Variant(AValue);
  return Variant(static_cast<Integer>(std::nearbyint(AValue)));
}

bool TcxCustomSpinEditProperties::IsEditValueValid(Variant& EditValue, bool AEditFocused) {
  if (!VarIsNumeric(EditValue) && !VarIsNull(EditValue) && !VarIsStr(EditValue)) return false;
  if (!inherited::IsEditValueValid(EditValue, AEditFocused)) return false;
  if (VarIsNull(EditValue)) return true;
  double number = 0;
  if (VarIsStr(EditValue)) {
    if (!cxSpinTextToNumber(VarToStr(EditValue), ValueType(), number)) return false;
  } else {
    number = EditValue.AsDouble();
  }
  EditValue = Variant(ToValueType(number).AsDouble());
  return true;
}

void TcxCustomSpinEditProperties::PrepareDisplayValue(const Variant& AEditValue, Variant& DisplayValue, bool) {
  if (VarIsNull(AEditValue)) {
    DisplayValue = String();
    return;
  }
  double number = 0;
  if (VarIsNumeric(AEditValue))
    number = AEditValue.AsDouble();
  else if (!VarIsStr(AEditValue) || !cxSpinTextToNumber(VarToStr(AEditValue), ValueType(), number))
    throw EConvertError(u"Could not convert to numeric value");
  if (ValueType() == vtFloat)
    DisplayValue = FloatToStrF(number, ffGeneral, 15, 0);
  else
    DisplayValue = IntToStr(static_cast<Int64>(std::nearbyint(number)));
}

bool TcxCustomSpinEditProperties::IsDisplayValueValid(Variant& DisplayValue, bool AEditFocused) {
  const bool valid = inherited::IsDisplayValueValid(DisplayValue, AEditFocused);
  if (!valid || !ValidatesNumericText()) return valid;
  const String text = VarToStr(DisplayValue);
  // A sign typed alone is no value yet: it stands for the empty text.
  if (text == u"-" || text == u"+") DisplayValue = String();
  if (text.size() <= 1 && VarToStr(DisplayValue).empty()) return true;
  double number = 0;
  if (!cxSpinTextToNumber(text, ValueType(), number)) return false;
  if (MaxValue() != MinValue() && (number < MinValue() || number > MaxValue()))
    DisplayValue = ValueType() == vtInt ? IntToStr(static_cast<Int64>(number)) : FloatToStrF(number, ffGeneral, 15, 0);
  return true;
}

void TcxCustomSpinEditProperties::ValidateDisplayValue(Variant& DisplayValue, String& ErrorText, bool& Error,
                                                       TcxCustomEdit* AEdit) {
  Error = !IsDisplayValueValid(DisplayValue, true);
  if (Error) GetValidateErrorText(ErrorText);
  inherited::ValidateDisplayValue(DisplayValue, ErrorText, Error, AEdit);
}

TcxEditValueSource TcxCustomSpinEditProperties::GetEditValueSource(bool AEditFocused) {
  return UsesDisplayFormat(AEditFocused) ? evsText : evsValue;
}

String TcxCustomSpinEditProperties::GetDefaultDisplayValue() {
  if (MaxValue() == MinValue()) return u"0";
  Variant display;
  PrepareDisplayValue(Variant(MinValue()), display, true);
  return VarToStr(display);
}
