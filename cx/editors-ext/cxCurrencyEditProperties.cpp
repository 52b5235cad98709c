// The currency edit's settings: its effective display format and the text of a value.
#include <cfloat>
#include <cmath>

#include "cx/editors-ext/cxCurrencyEdit.h"
#include "cx/editors/cxEditPublishing.h"
#include "cx/editors/cxEditScopes.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/NumberText.h"

TRENVIK_IMPLEMENT_CLASS(TcxCurrencyEditPropertiesValues)
TRENVIK_IMPLEMENT_CLASS(TcxCustomCurrencyEditProperties)

using CurrencyProps = TcxCustomCurrencyEditProperties;
TRENVIK_PUBLISHED(TcxCurrencyEditProperties) {
  PublishAlignmentObject(P);
  PublishAutoSelect(P, true);
  P.Property("DecimalPlaces", &CurrencyProps::DecimalPlaces, &CurrencyProps::SetDecimalPlaces).Default(2);
  P.Property("DisplayFormat", &CurrencyProps::DisplayFormat, &CurrencyProps::SetDisplayFormat)
      .Stored(&CurrencyProps::IsDisplayFormatStored);
  PublishHideSelection(P);
  P.Property("Nullable", &CurrencyProps::Nullable, &CurrencyProps::SetNullable).Default(true);
  P.Property("NullString", &CurrencyProps::NullString, &CurrencyProps::SetNullString);
  PublishReadOnly(P);
  PublishUseLeftAlignmentOnEditing(P);
  P.Property("UseThousandSeparator", &CurrencyProps::UseThousandSeparator, &CurrencyProps::SetUseThousandSeparator)
      .Default(false);
  PublishEditValueEvents(P);
}

bool cxCurrencyTextToNumber(const String& AText, double& AValue) {
  String text;
  const Char thousand = FormatSettings().ThousandSeparator;
  for (Char c : AText)
    if (c != thousand) text += c;
  double value = 0;
  AValue = 0;
  if (!TryStrToFloat(text, value) || !std::isfinite(value)) return false;
  if (value != 0 && std::fabs(value) < 5e-324) return false;
  AValue = value;
  return true;
}

void TcxCurrencyEditPropertiesValues::Assign(TPersistent* Source) {
  if (auto* source = dynamic_cast<TcxCurrencyEditPropertiesValues*>(Source)) DisplayFormat = source->DisplayFormat;
  inherited::Assign(Source);
}

void TcxCurrencyEditPropertiesValues::RestoreDefaults() {
  inherited::RestoreDefaults();
  DisplayFormat = false;
}

TcxCustomCurrencyEditProperties::TcxCustomCurrencyEditProperties(TPersistent* AOwner)
    : TcxCustomTextEditProperties(AOwner) {
  CreateAssignedValues();
  SetValidateOnEnter(true);
}

void TcxCustomCurrencyEditProperties::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TcxCustomCurrencyEditProperties*>(Source);
  if (!source) {
    inherited::Assign(Source);
    return;
  }
  TcxUpdateScope update(this);
  inherited::Assign(Source);
  SetDecimalPlaces(source->DecimalPlaces());
  SetDisplayFormat(source->DisplayFormat());
  SetNullable(source->Nullable());
  SetNullString(source->NullString());
  SetUseThousandSeparator(source->UseThousandSeparator());
}

void TcxCustomCurrencyEditProperties::SetDecimalPlaces(int Value) {
  if (decimalPlaces_ == Value) return;
  decimalPlaces_ = Value;
  Changed();
}

String TcxCustomCurrencyEditProperties::DisplayFormat() {
  if (CurrencyValues()->DisplayFormat) return displayFormat_;
  String format;
  if (DefaultValuesProvider()) DefaultValuesProvider()->DefaultDisplayFormat(format);
  return format.empty() ? GetFormatController()->CurrencyDisplayFormat() : format;
}

void TcxCustomCurrencyEditProperties::SetDisplayFormat(const String& Value) {
  if (CurrencyValues()->DisplayFormat && displayFormat_ == Value) return;
  CurrencyValues()->DisplayFormat = true;
  displayFormat_ = Value;
  Changed();
}

void TcxCustomCurrencyEditProperties::SetNullable(bool Value) {
  if (nullable_ == Value) return;
  nullable_ = Value;
  Changed();
}

void TcxCustomCurrencyEditProperties::SetNullString(const String& Value) {
  if (nullString_ == Value) return;
  nullString_ = Value;
  Changed();
}

void TcxCustomCurrencyEditProperties::SetUseThousandSeparator(bool Value) {
  if (useThousandSeparator_ == Value) return;
  useThousandSeparator_ = Value;
  Changed();
}

TClass TcxCustomCurrencyEditProperties::GetContainerClass() { return TcxCurrencyEdit::StaticClass(); }

void TcxCustomCurrencyEditProperties::ValidateDisplayValue(Variant& DisplayValue, String& ErrorText, bool& Error,
                                                           TcxCustomEdit* AEdit) {
  Error = false;
  inherited::ValidateDisplayValue(DisplayValue, ErrorText, Error, AEdit);
}

void TcxCustomCurrencyEditProperties::PrepareDisplayValue(const Variant& AEditValue, Variant& DisplayValue,
                                                          bool AEditFocused) {
  const bool empty = VarIsNull(AEditValue) || (VarIsStr(AEditValue) && VarToStr(AEditValue).empty());
  if (empty) {
    DisplayValue = AEditFocused ? String() : nullable_ ? nullString_ : String(u"0");
    return;
  }
  try {
    const double number = AEditValue.AsDouble();
    if (AEditFocused) {
      DisplayValue = FloatToStr(number);
      return;
    }
    const String format = DisplayFormat();
    DisplayValue = format.empty() ? FloatToStr(number) : FormatFloat(format, number);
  } catch (const EConvertError&) {
    DisplayValue = AEditFocused ? Variant(String()) : AEditValue;
  } catch (const EVariantError&) {
    DisplayValue = AEditFocused ? Variant(String()) : AEditValue;
  }
}
