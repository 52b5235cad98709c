#include "platform/data/FieldTypes.h"

#include <cmath>

#include "platform/data/DBConsts.h"
#include "platform/data/DataSet.h"
#include "platform/rtl/CodePage.h"
#include "platform/rtl/Currency.h"
#include "platform/rtl/DateFormat.h"
#include "platform/rtl/MaskText.h"
#include "platform/rtl/NumberText.h"
#include "platform/rtl/StrUtils.h"
#include "platform/rtl/Streams.h"

TRENVIK_PUBLISHED(TStringField) {
  P.Property("FixedChar", &TStringField::FixedChar, &TStringField::SetFixedChar).Default(false);
  P.Property("Transliterate", &TStringField::Transliterate, &TStringField::SetTransliterate).Default(true);
}
TRENVIK_IMPLEMENT_CLASS(TWideStringField)
TRENVIK_IMPLEMENT_CLASS(TGuidField)
TRENVIK_PUBLISHED(TNumericField) {
  P.Property("DisplayFormat", &TNumericField::DisplayFormat, &TNumericField::SetDisplayFormat);
  P.Property("EditFormat", &TNumericField::EditFormat, &TNumericField::SetEditFormat);
}
TRENVIK_PUBLISHED(TIntegerField) {
  P.Property("MaxValue", &TIntegerField::MaxValue, &TIntegerField::SetMaxValue).Default(0);
  P.Property("MinValue", &TIntegerField::MinValue, &TIntegerField::SetMinValue).Default(0);
}
TRENVIK_IMPLEMENT_CLASS(TSmallintField)
TRENVIK_IMPLEMENT_CLASS(TWordField)
TRENVIK_IMPLEMENT_CLASS(TAutoIncField)
TRENVIK_IMPLEMENT_CLASS(TLargeintField)
TRENVIK_PUBLISHED(TFloatField) {
  P.Property("Currency", &TFloatField::IsCurrency, &TFloatField::SetCurrency).Default(false);
  P.Property("MaxValue", &TFloatField::MaxValue, &TFloatField::SetMaxValue).Default(0);
  P.Property("MinValue", &TFloatField::MinValue, &TFloatField::SetMinValue).Default(0);
  P.Property("Precision", &TFloatField::Precision, &TFloatField::SetPrecision).Default(15);
}
TRENVIK_IMPLEMENT_CLASS(TCurrencyField)
TRENVIK_PUBLISHED(TBCDField) {
  P.Property("Currency", &TBCDField::IsCurrency, &TBCDField::SetCurrency).Default(false);
  P.Property("Precision", &TBCDField::Precision, &TBCDField::SetPrecision).Default(0);
}
TRENVIK_IMPLEMENT_CLASS(TFMTBCDField)
TRENVIK_PUBLISHED(TBooleanField) {
  P.Property("DisplayValues", &TBooleanField::DisplayValues, &TBooleanField::SetDisplayValues);
}
TRENVIK_PUBLISHED(TDateTimeField) {
  P.Property("DisplayFormat", &TDateTimeField::DisplayFormat, &TDateTimeField::SetDisplayFormat);
}
TRENVIK_IMPLEMENT_CLASS(TDateField)
TRENVIK_IMPLEMENT_CLASS(TTimeField)
TRENVIK_IMPLEMENT_CLASS(TSQLTimeStampField)
TRENVIK_PUBLISHED(TBlobField) { P.Property("BlobType", &TBlobField::BlobType, &TBlobField::SetBlobType); }
TRENVIK_IMPLEMENT_CLASS(TMemoField)
TRENVIK_IMPLEMENT_CLASS(TGraphicField)

namespace {
[[noreturn]] void ConvertError(const char* format, const String& text) {
  throw EConvertError(Format(S(format), {text}));
}

bool IsText(const Variant& v) { return VarIsStr(v); }

// Integer text of a field: blanks allowed around, decimal digits with an optional sign.
Int64 ParseInteger(const String& text) {
  Int64 value = 0;
  if (!TryStrToInt64(Trim(text), value)) ConvertError(DBConsts::SInvalidIntegerValue, text);
  return value;
}

double ParseFloat(const String& text) {
  double value = 0;
  if (!TextToFloat(text, value, FormatSettings())) ConvertError(DBConsts::SInvalidFloatValue, text);
  return value;
}

String FloatFormatOf(const String& display, const String& edit, bool displayText) {
  return (displayText || edit.empty()) ? display : edit;
}
}  // namespace

// ---- Text ----

TStringField::TStringField(TComponent* AOwner) : TField(AOwner) {
  SetDataType(ftString);
  size_ = 20;
}

Variant TStringField::GetAsVariant() const {
  Variant v = ReadValue();
  if (VarIsNull(v)) return v;
  return VarFromAnsiString(StringToAnsi(v.AsString()));
}

String TStringField::GetAsString() const {
  String text;
  if (DataSet()) DataSet()->GetFieldText(this, text);
  return text;
}

Variant TStringField::ConvertValue(const Variant& Value) const {
  String s = Value.AsString();
  // 8-bit text fields hold at most Size characters; longer text is cut as the buffer would cut it.
  if (DataType() != ftWideString && size_ > 0 && static_cast<int>(s.size()) > size_) s.resize(size_);
  return Variant(std::move(s));
}

void TStringField::SetAsStringImpl(const String& Value) { StoreValue(ConvertValue(Variant(Value))); }

Integer TStringField::GetAsInteger() const {
  Int64 v = GetAsLargeInt();
  if (v < -2147483647 - 1 || v > 2147483647) ConvertError(DBConsts::SInvalidIntegerValue, GetAsString());
  return static_cast<Integer>(v);
}

Int64 TStringField::GetAsLargeInt() const {
  if (IsNull()) return 0;
  return ParseInteger(GetAsString());
}

double TStringField::GetAsFloat() const {
  if (IsNull()) return 0;
  return ParseFloat(GetAsString());
}

bool TStringField::GetAsBoolean() const {
  String s = GetAsString();
  if (s.empty()) return false;
  switch (s[0]) {
    case u'Y':
    case u'y':
    case u'T':
    case u't':
      return true;
    case u'N':
    case u'n':
    case u'F':
    case u'f':
      return false;
    default:
      ConvertError(DBConsts::SInvalidBoolValue, s);
  }
}

TDateTime TStringField::GetAsDateTime() const {
  if (IsNull()) return 0;
  String s = GetAsString();
  TDateTime value;
  if (!TryStrToDateTime(s, value)) ConvertError(DBConsts::SInvalidDateTimeValue, s);
  return value;
}

void TStringField::SetAsIntegerImpl(Integer Value) { SetAsStringImpl(IntToStr(Value)); }
void TStringField::SetAsFloatImpl(double Value) { SetAsStringImpl(FloatToStr(Value)); }
void TStringField::SetAsBooleanImpl(bool Value) { SetAsStringImpl(Value ? u"T" : u"F"); }
void TStringField::SetAsDateTimeImpl(TDateTime Value) { SetAsStringImpl(DateTimeToStr(Value)); }

String TStringField::GetText(bool DisplayText) const {
  // Shown through the edit mask; edited as it is stored.
  if (DisplayText && !EditMask().empty() && !IsNull()) return FormatMaskText(EditMask(), GetAsString());
  return GetAsString();
}

TWideStringField::TWideStringField(TComponent* AOwner) : TStringField(AOwner) { SetDataType(ftWideString); }

Variant TWideStringField::GetAsVariant() const { return ReadValue(); }

Variant TWideStringField::ConvertValue(const Variant& Value) const { return Variant(Value.AsString()); }

TGuidField::TGuidField(TComponent* AOwner) : TStringField(AOwner) {
  SetDataType(ftGuid);
  size_ = 38;
}

void TGuidField::SetSize(int) { size_ = 38; }

Variant TGuidField::ConvertValue(const Variant& Value) const {
  String s = Value.AsString();
  if (s.empty()) return Null();
  static const int dashes[] = {9, 14, 19, 24};
  bool ok = s.size() == 38 && s[0] == u'{' && s[37] == u'}';
  for (int i = 1; ok && i < 37; ++i) {
    bool dash = i == dashes[0] || i == dashes[1] || i == dashes[2] || i == dashes[3];
    Char c = s[i];
    ok =
        dash ? c == u'-' : ((c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F'));
  }
  if (!ok) ConvertError(DBConsts::SInvalidGuidValue, s);
  return Variant(s);
}

// ---- Numbers ----

TNumericField::TNumericField(TComponent* AOwner) : TField(AOwner) {
  alignment_ = taRightJustify;
  validChars_ = TFieldChars::Of(u"+-0123456789");
}

void TNumericField::SetDisplayFormat(const String& Value) {
  displayFormat_ = Value;
  PropertyChanged(false);
}

void TNumericField::SetEditFormat(const String& Value) {
  editFormat_ = Value;
  PropertyChanged(false);
}

TIntegerField::TIntegerField(TComponent* AOwner) : TNumericField(AOwner) { SetDataType(ftInteger); }

Variant TIntegerField::GetAsVariant() const {
  Variant v = ReadValue();
  return VarIsNull(v) ? v : Variant(static_cast<Integer>(v.AsInt64()));
}

String TIntegerField::GetAsString() const {
  Variant v = ReadValue();
  return VarIsNull(v) ? String() : IntToStr(v.AsInt64());
}

void TIntegerField::SetAsStringImpl(const String& Value) {
  if (Trim(Value).empty()) {
    Clear();
    return;
  }
  Variant v(ParseInteger(Value));
  CheckRange(v);
  StoreValue(v);
}

Integer TIntegerField::GetAsInteger() const {
  Variant v = ReadValue();
  return VarIsNull(v) ? 0 : static_cast<Integer>(v.AsInt64());
}

void TIntegerField::SetAsIntegerImpl(Integer Value) {
  Variant v(static_cast<Int64>(Value));
  CheckRange(v);
  StoreValue(v);
}

Int64 TIntegerField::GetAsLargeInt() const {
  Variant v = ReadValue();
  return VarIsNull(v) ? 0 : v.AsInt64();
}

double TIntegerField::GetAsFloat() const { return static_cast<double>(GetAsLargeInt()); }

void TIntegerField::SetAsFloatImpl(double Value) { SetAsVariant(Variant(static_cast<Int64>(Round(Value)))); }

String TIntegerField::GetText(bool DisplayText) const { return ValueText(ReadValue(), DisplayText); }

String TIntegerField::ValueText(const Variant& Value, bool DisplayText) const {
  if (VarIsNull(Value)) return String();
  String format = FloatFormatOf(displayFormat_, editFormat_, DisplayText);
  if (format.empty()) return IntToStr(Value.AsInt64());
  return FormatFloat(format, static_cast<double>(Value.AsInt64()));
}

Variant TIntegerField::ConvertValue(const Variant& Value) const {
  if (IsText(Value)) return Variant(ParseInteger(Value.AsString()));
  try {
    return Variant(Value.AsInt64());
  } catch (const EVariantError&) {
    AccessError("Integer");
  }
}

void TIntegerField::CheckRange(const Variant& Value) const {
  Int64 v = Value.AsInt64();
  Int64 lo = TypeMin(), hi = TypeMax();
  if (minValue_ != 0 || maxValue_ != 0) {
    lo = minValue_;
    hi = maxValue_;
  }
  if (v < lo || v > hi)
    DatabaseErrorFmt("%d is not a valid value for field '%s'. The allowed range is %d to %d",
                     {v, DisplayName(), lo, hi});
}

TSmallintField::TSmallintField(TComponent* AOwner) : TIntegerField(AOwner) { SetDataType(ftSmallint); }

Variant TSmallintField::GetAsVariant() const {
  Variant v = ReadValue();
  return VarIsNull(v) ? v : Variant(static_cast<SmallInt>(v.AsInt64()));
}

TWordField::TWordField(TComponent* AOwner) : TIntegerField(AOwner) { SetDataType(ftWord); }

Variant TWordField::GetAsVariant() const {
  Variant v = ReadValue();
  return VarIsNull(v) ? v : Variant(static_cast<Word>(v.AsInt64()));
}

TAutoIncField::TAutoIncField(TComponent* AOwner) : TIntegerField(AOwner) { SetDataType(ftAutoInc); }

TLargeintField::TLargeintField(TComponent* AOwner) : TNumericField(AOwner) { SetDataType(ftLargeint); }

Variant TLargeintField::GetAsVariant() const {
  Variant v = ReadValue();
  return VarIsNull(v) ? v : Variant(v.AsInt64());
}

String TLargeintField::GetAsString() const {
  Variant v = ReadValue();
  return VarIsNull(v) ? String() : IntToStr(v.AsInt64());
}

void TLargeintField::SetAsStringImpl(const String& Value) {
  if (Trim(Value).empty())
    Clear();
  else
    StoreValue(Variant(ParseInteger(Value)));
}

Integer TLargeintField::GetAsInteger() const { return static_cast<Integer>(GetAsLargeInt()); }

Int64 TLargeintField::GetAsLargeInt() const {
  Variant v = ReadValue();
  return VarIsNull(v) ? 0 : v.AsInt64();
}

void TLargeintField::SetAsLargeIntImpl(Int64 Value) { StoreValue(Variant(Value)); }

double TLargeintField::GetAsFloat() const { return static_cast<double>(GetAsLargeInt()); }

String TLargeintField::GetText(bool DisplayText) const { return ValueText(ReadValue(), DisplayText); }

String TLargeintField::ValueText(const Variant& Value, bool DisplayText) const {
  if (VarIsNull(Value)) return String();
  String format = FloatFormatOf(displayFormat_, editFormat_, DisplayText);
  if (format.empty()) return IntToStr(Value.AsInt64());
  return FormatFloat(format, static_cast<double>(Value.AsInt64()));
}

Variant TLargeintField::ConvertValue(const Variant& Value) const {
  if (IsText(Value)) return Variant(ParseInteger(Value.AsString()));
  try {
    return Variant(Value.AsInt64());
  } catch (const EVariantError&) {
    AccessError("Largeint");
  }
}

TFloatField::TFloatField(TComponent* AOwner) : TNumericField(AOwner) {
  SetDataType(ftFloat);
  validChars_ = TFieldChars::Of(u"+-0123456789Ee");
  validChars_.Include(FormatSettings().DecimalSeparator);
}

void TFloatField::SetCurrency(bool Value) {
  currency_ = Value;
  PropertyChanged(false);
}

void TFloatField::SetPrecision(int Value) {
  precision_ = Value < 2 ? 2 : (Value > 15 ? 15 : Value);
  PropertyChanged(false);
}

Variant TFloatField::GetAsVariant() const {
  Variant v = ReadValue();
  return VarIsNull(v) ? v : Variant(v.AsDouble());
}

String TFloatField::GetAsString() const {
  Variant v = ReadValue();
  return VarIsNull(v) ? String() : FloatToStr(v.AsDouble());
}

void TFloatField::SetAsStringImpl(const String& Value) {
  if (Trim(Value).empty()) {
    Clear();
    return;
  }
  SetAsFloatImpl(ParseFloat(Value));
}

double TFloatField::GetAsFloat() const {
  Variant v = ReadValue();
  return VarIsNull(v) ? 0.0 : v.AsDouble();
}

void TFloatField::SetAsFloatImpl(double Value) {
  Variant v(Value);
  CheckRange(v);
  StoreValue(v);
}

Integer TFloatField::GetAsInteger() const { return static_cast<Integer>(Round(GetAsFloat())); }

Currency TFloatField::GetAsCurrency() const { return Currency(GetAsFloat()); }

String TFloatField::GetText(bool DisplayText) const {
  Variant v = ReadValue();
  if (VarIsNull(v)) return String();
  double d = v.AsDouble();
  String format = FloatFormatOf(displayFormat_, editFormat_, DisplayText);
  if (!format.empty()) return FormatFloat(format, d);
  if (currency_)
    return FloatToStrF(d, DisplayText ? ffCurrency : ffFixed, precision_, FormatSettings().CurrencyDecimals);
  return FloatToStrF(d, ffGeneral, precision_, 0);
}

Variant TFloatField::ConvertValue(const Variant& Value) const {
  if (IsText(Value)) return Variant(ParseFloat(Value.AsString()));
  try {
    return Variant(Value.AsDouble());
  } catch (const EVariantError&) {
    AccessError("Float");
  }
}

void TFloatField::CheckRange(const Variant& Value) const {
  if (minValue_ == 0 && maxValue_ == 0) return;
  double v = Value.AsDouble();
  if (v < minValue_ || v > maxValue_)
    DatabaseErrorFmt(DBConsts::SFieldRangeError, {v, DisplayName(), minValue_, maxValue_});
}

TCurrencyField::TCurrencyField(TComponent* AOwner) : TFloatField(AOwner) {
  SetDataType(ftCurrency);
  currency_ = true;
}

TBCDField::TBCDField(TComponent* AOwner) : TNumericField(AOwner) {
  SetDataType(ftBCD);
  size_ = 4;
  validChars_ = TFieldChars::Of(u"+-0123456789");
  validChars_.Include(FormatSettings().DecimalSeparator);
}

void TBCDField::SetCurrency(bool Value) {
  currency_ = Value;
  PropertyChanged(false);
}

Variant TBCDField::GetAsVariant() const {
  Variant v = ReadValue();
  return VarIsNull(v) ? v : Variant(v.AsCurrency());
}

String TBCDField::GetAsString() const {
  Variant v = ReadValue();
  return VarIsNull(v) ? String() : CurrToStr(v.AsCurrency());
}

void TBCDField::SetAsStringImpl(const String& Value) {
  if (Trim(Value).empty()) {
    Clear();
    return;
  }
  Currency c;
  if (!TryStrToCurr(Value, c)) ConvertError(DBConsts::SInvalidFloatValue, Value);
  SetAsVariant(Variant(c));
}

double TBCDField::GetAsFloat() const { return GetAsCurrency().ToDouble(); }

Currency TBCDField::GetAsCurrency() const {
  Variant v = ReadValue();
  return VarIsNull(v) ? Currency() : v.AsCurrency();
}

Integer TBCDField::GetAsInteger() const { return static_cast<Integer>(Round(GetAsFloat())); }

String TBCDField::GetText(bool DisplayText) const {
  Variant v = ReadValue();
  if (VarIsNull(v)) return String();
  Currency c = v.AsCurrency();
  String format = FloatFormatOf(displayFormat_, editFormat_, DisplayText);
  if (!format.empty()) return FormatFloat(format, c.ToDouble());
  if (currency_) return CurrToStrF(c, DisplayText ? ffCurrency : ffFixed, FormatSettings().CurrencyDecimals);
  return CurrToStr(c);
}

Variant TBCDField::ConvertValue(const Variant& Value) const {
  if (IsText(Value)) {
    Currency c;
    if (!TryStrToCurr(Value.AsString(), c)) ConvertError(DBConsts::SInvalidFloatValue, Value.AsString());
    return Variant(c);
  }
  try {
    return Variant(Value.AsCurrency());
  } catch (const EVariantError&) {
    AccessError("Currency");
  }
}

void TBCDField::CheckRange(const Variant& Value) const {
  if (minValue_ == Currency() && maxValue_ == Currency()) return;
  Currency v = Value.AsCurrency();
  if (v < minValue_ || v > maxValue_)
    DatabaseErrorFmt(DBConsts::SFieldRangeError,
                     {v.ToDouble(), DisplayName(), minValue_.ToDouble(), maxValue_.ToDouble()});
}

TFMTBCDField::TFMTBCDField(TComponent* AOwner) : TFloatField(AOwner) { SetDataType(ftFMTBcd); }

// ---- Booleans ----

TBooleanField::TBooleanField(TComponent* AOwner) : TField(AOwner) {
  SetDataType(ftBoolean);
  SetDisplayValues(String());
}

void TBooleanField::SetDisplayValues(const String& Value) {
  displayValues_ = Value;
  if (Value.empty()) {
    trueText_ = u"True";
    falseText_ = u"False";
  } else {
    std::size_t semi = Value.find(u';');
    trueText_ = Value.substr(0, semi);
    falseText_ = semi == String::npos ? String() : Value.substr(semi + 1);
  }
  PropertyChanged(true);
}

Variant TBooleanField::GetAsVariant() const {
  Variant v = ReadValue();
  return VarIsNull(v) ? v : Variant(v.AsBoolean());
}

String TBooleanField::GetAsString() const {
  Variant v = ReadValue();
  if (VarIsNull(v)) return String();
  return v.AsBoolean() ? trueText_ : falseText_;
}

void TBooleanField::SetAsStringImpl(const String& Value) {
  String text = Trim(Value);
  if (text.empty()) {
    Clear();
    return;
  }
  // A leading part of either text is enough ("T", "Fal").
  int len = static_cast<int>(text.size());
  if (AnsiSameText(text, Copy(falseText_, 1, len)))
    SetAsBooleanImpl(false);
  else if (AnsiSameText(text, Copy(trueText_, 1, len)))
    SetAsBooleanImpl(true);
  else
    ConvertError(DBConsts::SInvalidBoolValue, Value);
}

bool TBooleanField::GetAsBoolean() const {
  Variant v = ReadValue();
  return VarIsNull(v) ? false : v.AsBoolean();
}

void TBooleanField::SetAsBooleanImpl(bool Value) { StoreValue(Variant(Value)); }

Integer TBooleanField::GetAsInteger() const { return GetAsBoolean() ? 1 : 0; }

String TBooleanField::GetText(bool) const { return GetAsString(); }

Variant TBooleanField::ConvertValue(const Variant& Value) const {
  if (IsText(Value)) {
    String text = Trim(Value.AsString());
    int len = static_cast<int>(text.size());
    if (!text.empty() && AnsiSameText(text, Copy(falseText_, 1, len))) return Variant(false);
    if (!text.empty() && AnsiSameText(text, Copy(trueText_, 1, len))) return Variant(true);
    ConvertError(DBConsts::SInvalidBoolValue, Value.AsString());
  }
  try {
    return Variant(Value.AsBoolean());
  } catch (const EVariantError&) {
    AccessError("Boolean");
  }
}

int TBooleanField::DefaultDisplayWidth() const {
  return static_cast<int>(std::max(trueText_.size(), falseText_.size()));
}

// ---- Dates ----

TDateTimeField::TDateTimeField(TComponent* AOwner) : TField(AOwner) { SetDataType(ftDateTime); }

void TDateTimeField::SetDisplayFormat(const String& Value) {
  displayFormat_ = Value;
  PropertyChanged(false);
}

String TDateTimeField::DefaultFormat() const { return String(); }

Variant TDateTimeField::GetAsVariant() const {
  Variant v = ReadValue();
  return VarIsNull(v) ? v : VarFromDateTime(v.AsDateTime());
}

String TDateTimeField::GetAsString() const { return GetText(false); }

namespace {
TDateTime ParseDateText(TFieldType type, const String& text) {
  TDateTime value = 0;
  switch (type) {
    case ftDate:
      if (!TryStrToDate(text, value)) ConvertError(DBConsts::SInvalidDateValue, text);
      break;
    case ftTime:
      if (!TryStrToTime(text, value)) ConvertError(DBConsts::SInvalidTimeValue, text);
      break;
    default:
      if (!TryStrToDateTime(text, value)) ConvertError(DBConsts::SInvalidDateTimeValue, text);
      break;
  }
  return value;
}

TDateTime NormaliseDate(TFieldType type, TDateTime value) {
  if (type == ftDate) return std::trunc(value);
  if (type == ftTime) return std::fabs(value - std::trunc(value));
  return value;
}
}  // namespace

void TDateTimeField::SetAsStringImpl(const String& Value) {
  if (Trim(Value).empty()) {
    Clear();
    return;
  }
  SetAsDateTimeImpl(ParseDateText(DataType(), Trim(Value)));
}

TDateTime TDateTimeField::GetAsDateTime() const {
  Variant v = ReadValue();
  return VarIsNull(v) ? 0.0 : v.AsDateTime();
}

void TDateTimeField::SetAsDateTimeImpl(TDateTime Value) {
  StoreValue(VarFromDateTime(NormaliseDate(DataType(), Value)));
}

double TDateTimeField::GetAsFloat() const { return GetAsDateTime(); }

void TDateTimeField::SetAsFloatImpl(double Value) { SetAsDateTimeImpl(Value); }

String TDateTimeField::GetText(bool DisplayText) const { return ValueText(ReadValue(), DisplayText); }

String TDateTimeField::ValueText(const Variant& Value, bool DisplayText) const {
  if (VarIsNull(Value)) return String();
  String format = (DisplayText && !displayFormat_.empty()) ? displayFormat_ : DefaultFormat();
  return FormatDateTime(format, Value.AsDateTime());
}

Variant TDateTimeField::ConvertValue(const Variant& Value) const {
  if (IsText(Value)) return VarFromDateTime(ParseDateText(DataType(), Trim(Value.AsString())));
  try {
    return VarFromDateTime(NormaliseDate(DataType(), Value.AsDateTime()));
  } catch (const EVariantError&) {
    AccessError("DateTime");
  }
}

TDateField::TDateField(TComponent* AOwner) : TDateTimeField(AOwner) { SetDataType(ftDate); }
String TDateField::DefaultFormat() const { return FormatSettings().ShortDateFormat; }

TTimeField::TTimeField(TComponent* AOwner) : TDateTimeField(AOwner) { SetDataType(ftTime); }
String TTimeField::DefaultFormat() const { return FormatSettings().LongTimeFormat; }

TSQLTimeStampField::TSQLTimeStampField(TComponent* AOwner) : TDateTimeField(AOwner) {
  SetDataType(ftTimeStamp);
}

// ---- Blobs ----

TBlobField::TBlobField(TComponent* AOwner) : TField(AOwner) { SetDataType(ftBlob); }

void TBlobField::SetBlobType(TFieldType Value) { SetDataType(Value); }

AnsiString TBlobField::AsBytes() const {
  Variant v = ReadValue();
  if (VarIsNull(v)) return AnsiString();
  if (v.Type() == varString) return v.AsAnsiString();
  return StringToAnsi(v.AsString());
}

void TBlobField::SetAsBytes(const AnsiString& Value) {
  if (StoreKindOf(DataType()) == TStoreKind::Text)
    StoreValue(Value.empty() ? Null() : Variant(AnsiToString(Value)));
  else
    StoreValue(Value.empty() ? Null() : VarFromAnsiString(Value));
  modified_ = true;
}

int TBlobField::BlobSize() const { return static_cast<int>(AsBytes().size()); }

Variant TBlobField::GetAsVariant() const { return ReadValue(); }

String TBlobField::GetAsString() const { return AnsiToString(AsBytes()); }

void TBlobField::SetAsStringImpl(const String& Value) { SetAsBytes(StringToAnsi(Value)); }

String TBlobField::GetText(bool) const {
  String name = u"(" + FieldTypeName(DataType()) + u")";
  return IsNull() ? AnsiLowerCase(name) : AnsiUpperCase(name);
}

Variant TBlobField::ConvertValue(const Variant& Value) const {
  if (Value.Type() == varString) return Value;
  return VarFromAnsiString(StringToAnsi(Value.AsString()));
}

void TBlobField::LoadFromStream(TStream* Stream) {
  AnsiString bytes;
  Stream->SetPosition(0);
  Int64 size = Stream->Size();
  bytes.resize(static_cast<std::size_t>(size));
  if (size > 0) Stream->ReadBuffer(bytes.data(), size);
  SetAsBytes(bytes);
}

void TBlobField::SaveToStream(TStream* Stream) const {
  AnsiString bytes = AsBytes();
  if (!bytes.empty()) Stream->WriteBuffer(bytes.data(), static_cast<Int64>(bytes.size()));
}

void TBlobField::LoadFromFile(const String& FileName) {
  TFileStream stream(FileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(&stream);
}

void TBlobField::SaveToFile(const String& FileName) const {
  TFileStream stream(FileName, fmCreate);
  SaveToStream(&stream);
}

void TBlobField::Assign(TPersistent* Source) {
  if (auto* blob = dynamic_cast<TBlobField*>(Source)) {
    SetAsBytes(blob->AsBytes());
    return;
  }
  TField::Assign(Source);
}

TMemoField::TMemoField(TComponent* AOwner) : TBlobField(AOwner) { SetDataType(ftMemo); }

Variant TMemoField::GetAsVariant() const { return ReadValue(); }

String TMemoField::GetAsString() const {
  Variant v = ReadValue();
  return VarIsNull(v) ? String() : v.AsString();
}

void TMemoField::SetAsStringImpl(const String& Value) { StoreValue(Value.empty() ? Null() : Variant(Value)); }

Variant TMemoField::ConvertValue(const Variant& Value) const {
  if (Value.Type() == varString) return Variant(AnsiToString(Value.AsAnsiString()));
  return Variant(Value.AsString());
}

TGraphicField::TGraphicField(TComponent* AOwner) : TBlobField(AOwner) { SetDataType(ftGraphic); }

namespace {
// Holds the bytes; a writing stream stores them into the field when it is freed.
class TBlobStream : public TMemoryStream {
 public:
  TBlobStream(TBlobField* field, TBlobStreamMode mode) : field_(field), mode_(mode) {
    if (mode != bmRead) {
      TDataSet* ds = field->DataSet();
      if (!ds || !dsWriteModes.Contains(ds->State())) DatabaseError(S(DBConsts::SNotEditing), ds);
      if (!field->CanModify() && ds->State() != dsSetKey)
        DatabaseErrorFmt(DBConsts::SFieldReadOnly, {field->DisplayName()}, ds);
    }
    if (mode != bmWrite) {
      AnsiString bytes = field->AsBytes();
      if (!bytes.empty()) TMemoryStream::Write(bytes.data(), static_cast<Int64>(bytes.size()));
      SetPosition(0);
    }
  }
  ~TBlobStream() override {
    if (mode_ == bmRead || !written_) return;
    AnsiString bytes(static_cast<const char*>(Memory()), static_cast<std::size_t>(Size()));
    // The state was checked when the stream was made; a handler refusing the value here cannot
    // raise out of a destructor, so the value is left as it was.
    try {
      field_->SetAsBytes(bytes);
    } catch (const Exception&) {
    }
  }
  Int64 Write(const void* buffer, Int64 count) override {
    if (mode_ == bmRead) return 0;
    written_ = true;
    return TMemoryStream::Write(buffer, count);
  }
  void SetSize(Int64 size) override {
    if (mode_ != bmRead) written_ = true;
    TMemoryStream::SetSize(size);
  }

 private:
  TBlobField* field_;
  TBlobStreamMode mode_;
  bool written_ = false;
};
}  // namespace

std::unique_ptr<TStream> CreateBlobStream(TField* Field, TBlobStreamMode Mode) {
  auto* blob = dynamic_cast<TBlobField*>(Field);
  if (!blob) DatabaseErrorFmt(DBConsts::SNotBlobField, {Field ? Field->DisplayName() : String()});
  auto stream = std::make_unique<TBlobStream>(blob, Mode);
  // bmWrite empties the field even when nothing is written.
  if (Mode == bmWrite) stream->SetSize(0);
  return stream;
}
