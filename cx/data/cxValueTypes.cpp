// The value types: how each kind of value sits in a record slot, compares, streams and shows.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "cx/data/cxDataStorage.h"
#include "cx/data/cxVariants.h"
#include "platform/rtl/CodePage.h"
#include "platform/rtl/DateTime.h"

namespace {

template <class T>
T Get(const Byte* p) {
  T v;
  std::memcpy(&v, p, sizeof v);
  return v;
}
template <class T>
void Put(Byte* p, T v) {
  std::memcpy(p, &v, sizeof v);
}
template <class T>
int Sign3(T a, T b) {
  return a < b ? -1 : (a > b ? 1 : 0);
}

template <class T>
T* Ref(const Byte* p) {
  return Get<T*>(p);
}

}  // namespace

#define CX_IMPLEMENT_VALUE_TYPE_CLASS(Name) \
  TcxValueTypeClass Name::Class() {         \
    static const Name instance;             \
    return &instance;                       \
  }

CX_IMPLEMENT_VALUE_TYPE_CLASS(TcxStringValueType)
CX_IMPLEMENT_VALUE_TYPE_CLASS(TcxWideStringValueType)
CX_IMPLEMENT_VALUE_TYPE_CLASS(TcxSmallintValueType)
CX_IMPLEMENT_VALUE_TYPE_CLASS(TcxIntegerValueType)
CX_IMPLEMENT_VALUE_TYPE_CLASS(TcxWordValueType)
CX_IMPLEMENT_VALUE_TYPE_CLASS(TcxBooleanValueType)
CX_IMPLEMENT_VALUE_TYPE_CLASS(TcxFloatValueType)
CX_IMPLEMENT_VALUE_TYPE_CLASS(TcxCurrencyValueType)
CX_IMPLEMENT_VALUE_TYPE_CLASS(TcxDateTimeValueType)
CX_IMPLEMENT_VALUE_TYPE_CLASS(TcxFMTBcdValueType)
CX_IMPLEMENT_VALUE_TYPE_CLASS(TcxLargeIntValueType)
CX_IMPLEMENT_VALUE_TYPE_CLASS(TcxSQLTimeStampValueType)
CX_IMPLEMENT_VALUE_TYPE_CLASS(TcxVariantValueType)
CX_IMPLEMENT_VALUE_TYPE_CLASS(TcxObjectValueType)

// ---------------------------------------------------------------------------------------------
// Base

int TcxValueType::Compare(const Byte* AData1, const Byte* AData2) const {
  return CompareData(AData1, AData2);
}

void TcxValueType::FreeValue(Byte*) const {}

Variant TcxValueType::LoadValue(const Byte*) const { return Null(); }

String TcxValueType::GetValueText(const Byte* AData) const {
  try {
    return VarToStr(LoadValue(AData));
  } catch (const EVariantError&) {
    return String();
  }
}

String TcxValueType::GetStoredText(const Byte* ATextRef) {
  String* text = Get<String*>(ATextRef);
  return text ? *text : String();
}

void TcxValueType::ReadValue(Byte* AData, TStream* AStream) const {
  StoreValue(AData, cxReadVariant(AStream));
}

void TcxValueType::ReadStoredText(Byte* ATextRef, TStream* AStream) {
  StoreText(ATextRef, AnsiToString(cxReadString(AStream)));
}

void TcxValueType::StoreValue(Byte*, const Variant&) const {}

void TcxValueType::StoreText(Byte* ATextRef, const String& AText) {
  if (String* text = Get<String*>(ATextRef))
    *text = AText;
  else
    Put(ATextRef, new String(AText));
}

void TcxValueType::FreeText(Byte* ATextRef) {
  delete Get<String*>(ATextRef);
  Put<String*>(ATextRef, nullptr);
}

void TcxValueType::WriteValue(const Byte* AData, TStream* AStream) const {
  cxWriteVariant(AStream, LoadValue(AData));
}

void TcxValueType::WriteStoredText(const Byte* ATextRef, TStream* AStream) {
  cxWriteString(AStream, StringToAnsi(GetStoredText(ATextRef)));
}

int TcxValueType::CompareData(const void* AData1, const void* AData2) const {
  return cxVariantCompare(LoadValueFromData(AData1), LoadValueFromData(AData2));
}

Variant TcxValueType::LoadValueFromData(const void* AData) const {
  return LoadValue(static_cast<const Byte*>(AData));
}

bool TcxValueType::IsValueConvertible(const Variant& AValue) const {
  if (VarIsNull(AValue) || GetValueVarType() == varVariant) return true;
  try {
    TVarType type = GetValueVarType();
    if (type == varObject) return VarIsObject(AValue);
    VarAsType(AValue, type);
    return true;
  } catch (const EVariantError&) {
    return false;
  } catch (const EConvertError&) {
    return false;
  }
}

// ---------------------------------------------------------------------------------------------
// Strings: the slot refers to a separately held string.

int TcxStringValueType::Compare(const Byte* AData1, const Byte* AData2) const {
  return CompareData(ResolveDataPointer(AData1), ResolveDataPointer(AData2));
}

void TcxStringValueType::FreeValue(Byte* AData) const {
  delete Ref<AnsiString>(AData);
  Put<AnsiString*>(AData, nullptr);
}

Variant TcxStringValueType::LoadValue(const Byte* AData) const {
  return LoadValueFromData(ResolveDataPointer(AData));
}

void TcxStringValueType::ReadValue(Byte* AData, TStream* AStream) const {
  AnsiString s = cxReadString(AStream);
  if (AnsiString* ref = Ref<AnsiString>(AData))
    *ref = std::move(s);
  else
    Put(AData, new AnsiString(std::move(s)));
}

void TcxStringValueType::StoreValue(Byte* AData, const Variant& AValue) const {
  AnsiString s = AValue.AsAnsiString();
  if (AnsiString* ref = Ref<AnsiString>(AData))
    *ref = std::move(s);
  else
    Put(AData, new AnsiString(std::move(s)));
}

void TcxStringValueType::WriteValue(const Byte* AData, TStream* AStream) const {
  AnsiString* ref = Ref<AnsiString>(AData);
  cxWriteString(AStream, ref ? *ref : AnsiString());
}

int TcxStringValueType::CompareData(const void* AData1, const void* AData2) const {
  auto* a = static_cast<const AnsiString*>(AData1);
  auto* b = static_cast<const AnsiString*>(AData2);
  if (!a || !b) return a == b ? 0 : (a ? 1 : -1);
  int c = a->compare(*b);
  return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

Variant TcxStringValueType::LoadValueFromData(const void* AData) const {
  auto* s = static_cast<const AnsiString*>(AData);
  return s ? VarFromAnsiString(*s) : Null();
}

const void* TcxStringValueType::ResolveDataPointer(const Byte* AData) const { return Get<void*>(AData); }

void TcxWideStringValueType::FreeValue(Byte* AData) const {
  delete Ref<String>(AData);
  Put<String*>(AData, nullptr);
}

Variant TcxWideStringValueType::LoadValue(const Byte* AData) const {
  return LoadValueFromData(ResolveDataPointer(AData));
}

void TcxWideStringValueType::ReadValue(Byte* AData, TStream* AStream) const {
  String s = cxReadWideString(AStream);
  if (String* ref = Ref<String>(AData))
    *ref = std::move(s);
  else
    Put(AData, new String(std::move(s)));
}

void TcxWideStringValueType::StoreValue(Byte* AData, const Variant& AValue) const {
  String s = AValue.AsString();
  if (String* ref = Ref<String>(AData))
    *ref = std::move(s);
  else
    Put(AData, new String(std::move(s)));
}

void TcxWideStringValueType::WriteValue(const Byte* AData, TStream* AStream) const {
  String* ref = Ref<String>(AData);
  cxWriteWideString(AStream, ref ? *ref : String());
}

int TcxWideStringValueType::CompareData(const void* AData1, const void* AData2) const {
  auto* a = static_cast<const String*>(AData1);
  auto* b = static_cast<const String*>(AData2);
  if (!a || !b) return a == b ? 0 : (a ? 1 : -1);
  int c = a->compare(*b);
  return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

Variant TcxWideStringValueType::LoadValueFromData(const void* AData) const {
  auto* s = static_cast<const String*>(AData);
  return s ? Variant(*s) : Null();
}

// The stored text is the display text: no round trip through a variant (the incremental filter
// asks this of every record a keystroke).
String TcxWideStringValueType::GetValueText(const Byte* AData) const {
  auto* s = static_cast<const String*>(ResolveDataPointer(AData));
  return s ? *s : String();
}

// ---------------------------------------------------------------------------------------------
// Fixed-size types

#define CX_FIXED_COMMON(Name, CType, VarKind)                \
  int Name::GetValueSize() const { return sizeof(CType); }   \
  TVarType Name::GetValueVarType() const { return VarKind; } \
  String Name::GetValueText(const Byte* AData) const { return TcxValueType::GetValueText(AData); }

CX_FIXED_COMMON(TcxSmallintValueType, int16_t, varSmallint)
Variant TcxSmallintValueType::LoadValue(const Byte* AData) const { return Variant(Get<int16_t>(AData)); }
void TcxSmallintValueType::StoreValue(Byte* AData, const Variant& AValue) const {
  Put<int16_t>(AData, static_cast<int16_t>(AValue.AsInteger()));
}
void TcxSmallintValueType::ReadValue(Byte* AData, TStream* AStream) const {
  Put<int16_t>(AData, cxReadSmallInt(AStream));
}
void TcxSmallintValueType::WriteValue(const Byte* AData, TStream* AStream) const {
  cxWriteSmallInt(AStream, Get<int16_t>(AData));
}
int TcxSmallintValueType::CompareData(const void* AData1, const void* AData2) const {
  return Get<int16_t>(static_cast<const Byte*>(AData1)) - Get<int16_t>(static_cast<const Byte*>(AData2));
}

CX_FIXED_COMMON(TcxIntegerValueType, int32_t, varInteger)
Variant TcxIntegerValueType::LoadValue(const Byte* AData) const { return Variant(Get<int32_t>(AData)); }
void TcxIntegerValueType::StoreValue(Byte* AData, const Variant& AValue) const {
  Put<int32_t>(AData, AValue.AsInteger());
}
void TcxIntegerValueType::ReadValue(Byte* AData, TStream* AStream) const {
  Put<int32_t>(AData, cxReadInteger(AStream));
}
void TcxIntegerValueType::WriteValue(const Byte* AData, TStream* AStream) const {
  cxWriteInteger(AStream, Get<int32_t>(AData));
}
int TcxIntegerValueType::CompareData(const void* AData1, const void* AData2) const {
  return Sign3(Get<int32_t>(static_cast<const Byte*>(AData1)),
               Get<int32_t>(static_cast<const Byte*>(AData2)));
}

CX_FIXED_COMMON(TcxWordValueType, uint16_t, varWord)
Variant TcxWordValueType::LoadValue(const Byte* AData) const { return Variant(Get<uint16_t>(AData)); }
void TcxWordValueType::StoreValue(Byte* AData, const Variant& AValue) const {
  Put<uint16_t>(AData, static_cast<uint16_t>(AValue.AsInteger()));
}
void TcxWordValueType::ReadValue(Byte* AData, TStream* AStream) const {
  Put<uint16_t>(AData, cxReadWord(AStream));
}
void TcxWordValueType::WriteValue(const Byte* AData, TStream* AStream) const {
  cxWriteWord(AStream, Get<uint16_t>(AData));
}
int TcxWordValueType::CompareData(const void* AData1, const void* AData2) const {
  return Get<uint16_t>(static_cast<const Byte*>(AData1)) - Get<uint16_t>(static_cast<const Byte*>(AData2));
}

int TcxBooleanValueType::GetValueSize() const { return 1; }
TVarType TcxBooleanValueType::GetValueVarType() const { return varBoolean; }
String TcxBooleanValueType::GetValueText(const Byte* AData) const {
  try {
    return LoadValue(AData).AsString();
  } catch (const EVariantError&) {
    return String();
  }
}
Variant TcxBooleanValueType::LoadValue(const Byte* AData) const { return Variant(AData[0] != 0); }
void TcxBooleanValueType::StoreValue(Byte* AData, const Variant& AValue) const {
  AData[0] = AValue.AsBoolean() ? 1 : 0;
}
void TcxBooleanValueType::ReadValue(Byte* AData, TStream* AStream) const {
  AData[0] = cxReadBoolean(AStream) ? 1 : 0;
}
void TcxBooleanValueType::WriteValue(const Byte* AData, TStream* AStream) const {
  cxWriteBoolean(AStream, AData[0] != 0);
}
int TcxBooleanValueType::CompareData(const void* AData1, const void* AData2) const {
  return *static_cast<const Byte*>(AData1) - *static_cast<const Byte*>(AData2);
}

namespace {
int CompareFloat(double a, double b) { return a == b ? 0 : (a >= b ? 1 : -1); }
}  // namespace

CX_FIXED_COMMON(TcxFloatValueType, double, varDouble)
Variant TcxFloatValueType::LoadValue(const Byte* AData) const { return Variant(Get<double>(AData)); }
void TcxFloatValueType::StoreValue(Byte* AData, const Variant& AValue) const {
  Put<double>(AData, AValue.AsDouble());
}
void TcxFloatValueType::ReadValue(Byte* AData, TStream* AStream) const { AStream->ReadBuffer(AData, 8); }
void TcxFloatValueType::WriteValue(const Byte* AData, TStream* AStream) const {
  AStream->WriteBuffer(AData, 8);
}
int TcxFloatValueType::CompareData(const void* AData1, const void* AData2) const {
  return CompareFloat(Get<double>(static_cast<const Byte*>(AData1)),
                      Get<double>(static_cast<const Byte*>(AData2)));
}

CX_FIXED_COMMON(TcxCurrencyValueType, int64_t, varCurrency)
Variant TcxCurrencyValueType::LoadValue(const Byte* AData) const {
  return Variant(Currency::FromScaled(Get<int64_t>(AData)));
}
void TcxCurrencyValueType::StoreValue(Byte* AData, const Variant& AValue) const {
  Put<int64_t>(AData, AValue.AsCurrency().Scaled());
}
void TcxCurrencyValueType::ReadValue(Byte* AData, TStream* AStream) const {
  Put<int64_t>(AData, cxReadCurrency(AStream).Scaled());
}
void TcxCurrencyValueType::WriteValue(const Byte* AData, TStream* AStream) const {
  cxWriteCurrency(AStream, Currency::FromScaled(Get<int64_t>(AData)));
}
int TcxCurrencyValueType::CompareData(const void* AData1, const void* AData2) const {
  return Sign3(Get<int64_t>(static_cast<const Byte*>(AData1)),
               Get<int64_t>(static_cast<const Byte*>(AData2)));
}

CX_FIXED_COMMON(TcxDateTimeValueType, double, varDate)
Variant TcxDateTimeValueType::LoadValue(const Byte* AData) const {
  return VarFromDateTime(Get<double>(AData));
}
void TcxDateTimeValueType::StoreValue(Byte* AData, const Variant& AValue) const {
  Put<double>(AData, AValue.AsDateTime());
}
void TcxDateTimeValueType::ReadValue(Byte* AData, TStream* AStream) const {
  Put<double>(AData, cxReadFloat(AStream));
}
void TcxDateTimeValueType::WriteValue(const Byte* AData, TStream* AStream) const {
  cxWriteFloat(AStream, Get<double>(AData));
}
int TcxDateTimeValueType::CompareData(const void* AData1, const void* AData2) const {
  return CompareFloat(Get<double>(static_cast<const Byte*>(AData1)),
                      Get<double>(static_cast<const Byte*>(AData2)));
}

CX_FIXED_COMMON(TcxLargeIntValueType, int64_t, varInt64)
Variant TcxLargeIntValueType::LoadValue(const Byte* AData) const { return Variant(Get<int64_t>(AData)); }
void TcxLargeIntValueType::StoreValue(Byte* AData, const Variant& AValue) const {
  Put<int64_t>(AData, AValue.AsInt64());
}
void TcxLargeIntValueType::ReadValue(Byte* AData, TStream* AStream) const {
  Put<int64_t>(AData, cxReadLargeInt(AStream));
}
void TcxLargeIntValueType::WriteValue(const Byte* AData, TStream* AStream) const {
  cxWriteLargeInt(AStream, Get<int64_t>(AData));
}
int TcxLargeIntValueType::CompareData(const void* AData1, const void* AData2) const {
  return Sign3(Get<int64_t>(static_cast<const Byte*>(AData1)),
               Get<int64_t>(static_cast<const Byte*>(AData2)));
}

// FMTBcd: kept packed, shown and loaded as a double; streamed by the variant encoding.
CX_FIXED_COMMON(TcxFMTBcdValueType, TBcd, varDouble)
Variant TcxFMTBcdValueType::LoadValue(const Byte* AData) const {
  return Variant(BcdToDouble(Get<TBcd>(AData)));
}
void TcxFMTBcdValueType::StoreValue(Byte* AData, const Variant& AValue) const {
  Put<TBcd>(AData, DoubleToBcd(AValue.AsDouble()));
}
void TcxFMTBcdValueType::ReadValue(Byte* AData, TStream* AStream) const {
  TcxValueType::ReadValue(AData, AStream);
}
void TcxFMTBcdValueType::WriteValue(const Byte* AData, TStream* AStream) const {
  TcxValueType::WriteValue(AData, AStream);
}
int TcxFMTBcdValueType::CompareData(const void* AData1, const void* AData2) const {
  return BcdCompare(Get<TBcd>(static_cast<const Byte*>(AData1)), Get<TBcd>(static_cast<const Byte*>(AData2)));
}

// SQL time stamp: year, month, day, hour, minute, second, fractions.
CX_FIXED_COMMON(TcxSQLTimeStampValueType, TSQLTimeStamp, varDate)
static_assert(sizeof(TSQLTimeStamp) == 16);
Variant TcxSQLTimeStampValueType::LoadValue(const Byte* AData) const {
  return VarFromDateTime(SQLTimeStampToDateTime(Get<TSQLTimeStamp>(AData)));
}
void TcxSQLTimeStampValueType::StoreValue(Byte* AData, const Variant& AValue) const {
  Put<TSQLTimeStamp>(AData, DateTimeToSQLTimeStamp(AValue.AsDateTime()));
}
void TcxSQLTimeStampValueType::ReadValue(Byte* AData, TStream* AStream) const {
  TcxValueType::ReadValue(AData, AStream);
}
void TcxSQLTimeStampValueType::WriteValue(const Byte* AData, TStream* AStream) const {
  TcxValueType::WriteValue(AData, AStream);
}
int TcxSQLTimeStampValueType::CompareData(const void* AData1, const void* AData2) const {
  auto a = Get<TSQLTimeStamp>(static_cast<const Byte*>(AData1));
  auto b = Get<TSQLTimeStamp>(static_cast<const Byte*>(AData2));
  if (a.Year != b.Year) return a.Year - b.Year;
  if (a.Month != b.Month) return a.Month - b.Month;
  if (a.Day != b.Day) return a.Day - b.Day;
  if (a.Hour != b.Hour) return a.Hour - b.Hour;
  if (a.Minute != b.Minute) return a.Minute - b.Minute;
  if (a.Second != b.Second) return a.Second - b.Second;
  return Sign3(a.Fractions, b.Fractions);
}

// ---------------------------------------------------------------------------------------------
// Variant: the slot refers to a separately held variant.

int TcxVariantValueType::Compare(const Byte* AData1, const Byte* AData2) const {
  return CompareData(ResolveDataPointer(AData1), ResolveDataPointer(AData2));
}
void TcxVariantValueType::FreeValue(Byte* AData) const {
  delete Ref<Variant>(AData);
  Put<Variant*>(AData, nullptr);
}
Variant TcxVariantValueType::LoadValue(const Byte* AData) const {
  return LoadValueFromData(ResolveDataPointer(AData));
}
void TcxVariantValueType::StoreValue(Byte* AData, const Variant& AValue) const {
  if (Variant* ref = Ref<Variant>(AData))
    *ref = AValue;
  else
    Put(AData, new Variant(AValue));
}
int TcxVariantValueType::CompareData(const void* AData1, const void* AData2) const {
  auto* a = static_cast<const Variant*>(AData1);
  auto* b = static_cast<const Variant*>(AData2);
  if (!a || !b) return a == b ? 0 : (a ? 1 : -1);
  // A variant slot may mix kinds: the order used is consistent for any mix, so sorting is safe.
  return cxVariantCompareOrdered(*a, *b);
}
Variant TcxVariantValueType::LoadValueFromData(const void* AData) const {
  auto* v = static_cast<const Variant*>(AData);
  return v ? *v : Null();
}
const void* TcxVariantValueType::ResolveDataPointer(const Byte* AData) const { return Get<void*>(AData); }

// ---------------------------------------------------------------------------------------------
// Object references

void TcxObjectValueType::FreeValue(Byte* AData) const {
  delete Get<TObject*>(AData);
  Put<TObject*>(AData, nullptr);
}
Variant TcxObjectValueType::LoadValue(const Byte* AData) const { return Variant(Get<TObject*>(AData)); }
void TcxObjectValueType::StoreValue(Byte* AData, const Variant& AValue) const {
  Put<TObject*>(AData, AValue.AsObject());
}
int TcxObjectValueType::CompareData(const void* AData1, const void* AData2) const {
  auto* a = Get<TObject*>(static_cast<const Byte*>(AData1));
  auto* b = Get<TObject*>(static_cast<const Byte*>(AData2));
  return std::less<TObject*>()(a, b) ? -1 : (std::less<TObject*>()(b, a) ? 1 : 0);
}

// ---------------------------------------------------------------------------------------------
// Packed decimals

namespace {

struct Decimal {
  bool negative = false;
  std::string integer;   // no leading zeros
  std::string fraction;  // no trailing zeros
};

Decimal Unpack(const TBcd& bcd) {
  Decimal d;
  int precision = bcd.Precision;
  int places = bcd.SignSpecialPlaces & 0x3F;
  d.negative = (bcd.SignSpecialPlaces & 0x80) != 0;
  std::string digits;
  for (int i = 0; i < precision && i < 64; ++i) {
    Byte b = bcd.Fraction[i / 2];
    digits += static_cast<char>('0' + ((i % 2 == 0) ? (b >> 4) : (b & 0x0F)));
  }
  if (places > static_cast<int>(digits.size())) places = static_cast<int>(digits.size());
  d.integer = digits.substr(0, digits.size() - static_cast<size_t>(places));
  d.fraction = digits.substr(digits.size() - static_cast<size_t>(places));
  d.integer.erase(0, d.integer.find_first_not_of('0') == std::string::npos
                         ? d.integer.size()
                         : d.integer.find_first_not_of('0'));
  while (!d.fraction.empty() && d.fraction.back() == '0') d.fraction.pop_back();
  if (d.integer.empty() && d.fraction.empty()) d.negative = false;
  return d;
}

int CompareMagnitude(const Decimal& a, const Decimal& b) {
  if (a.integer.size() != b.integer.size()) return a.integer.size() < b.integer.size() ? -1 : 1;
  int c = a.integer.compare(b.integer);
  if (c != 0) return c < 0 ? -1 : 1;
  c = a.fraction.compare(b.fraction);
  return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

}  // namespace

TBcd DoubleToBcd(double AValue) {
  TBcd bcd;
  char text[64];
  std::snprintf(text, sizeof text, "%.15g", AValue);
  std::string s = text;
  if (s.find_first_of("eEn") != std::string::npos) {
    // Exponent forms: write out with enough places.
    std::snprintf(text, sizeof text, "%.20f", AValue);
    s = text;
  }
  bool negative = !s.empty() && s[0] == '-';
  if (negative) s.erase(0, 1);
  size_t dot = s.find('.');
  std::string integer = dot == std::string::npos ? s : s.substr(0, dot);
  std::string fraction = dot == std::string::npos ? std::string() : s.substr(dot + 1);
  while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
  std::string digits = integer + fraction;
  if (digits.size() > 64) digits.resize(64);
  bcd.Precision = static_cast<Byte>(digits.size());
  bcd.SignSpecialPlaces = static_cast<Byte>((negative ? 0x80 : 0) | (fraction.size() & 0x3F));
  for (size_t i = 0; i < digits.size(); ++i) {
    Byte nibble = static_cast<Byte>(digits[i] - '0');
    bcd.Fraction[i / 2] |= (i % 2 == 0) ? static_cast<Byte>(nibble << 4) : nibble;
  }
  return bcd;
}

double BcdToDouble(const TBcd& ABcd) {
  Decimal d = Unpack(ABcd);
  std::string text = (d.negative ? "-" : "") + (d.integer.empty() ? std::string("0") : d.integer) + "." +
                     (d.fraction.empty() ? std::string("0") : d.fraction);
  return std::strtod(text.c_str(), nullptr);
}

int BcdCompare(const TBcd& A, const TBcd& B) {
  Decimal a = Unpack(A), b = Unpack(B);
  if (a.negative != b.negative) return a.negative ? -1 : 1;
  int c = CompareMagnitude(a, b);
  return a.negative ? -c : c;
}
