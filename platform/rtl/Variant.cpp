#include "platform/rtl/Variant.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <limits>
#include <new>
#include <string>
#include <string_view>

#include "platform/rtl/CodePage.h"
#include "platform/rtl/DateFormat.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/NumberText.h"
#include "platform/rtl/StrUtils.h"
#include "platform/rtl/FMTBcd.h"
#include "platform/rtl/String.h"
#include "platform/rtl/VarDate.h"

struct VariantAccess {
  using Rep = Variant::Rep;
  using Storage = Variant::Data;
  static Storage& Data(Variant& v) { return v.data_; }
  static const Storage& Data(const Variant& v) { return v.data_; }
  static Variant Make(TVarType type, Rep* rep) {
    Variant v;
    v.type_ = type;
    v.data_.rep = rep;
    return v;
  }
  static Variant MakeScalar(TVarType type, Int64 bits) {
    Variant v;
    v.type_ = type;
    v.data_.i64 = bits;
    return v;
  }
};

namespace {

using Rep = VariantAccess::Rep;

// Text kept in the same allocation as its count: a comparison reaches the characters with one
// indirection, which matters when a million values are sorted.
template <class C>
struct TextRep : Rep {
  size_t length = 0;
  const C* data() const { return reinterpret_cast<const C*>(this + 1); }
  std::basic_string_view<C> view() const { return {data(), length}; }

  static TextRep* Make(std::basic_string_view<C> text) {
    void* memory = ::operator new(sizeof(TextRep) + (text.size() + 1) * sizeof(C));
    auto* rep = new (memory) TextRep;
    rep->length = text.size();
    C* chars = reinterpret_cast<C*>(rep + 1);
    std::copy(text.begin(), text.end(), chars);
    chars[text.size()] = C();
    return rep;
  }
  static void Free(Rep* rep) {
    auto* text = static_cast<TextRep*>(rep);
    text->~TextRep();
    ::operator delete(text);
  }
};
using WideRep = TextRep<char16_t>;
using AnsiRep = TextRep<char>;

struct ArrayBound {
  int low;
  int count;
};

struct ArrayRep : Rep {
  ArrayRep() = default;
  ArrayRep(const ArrayRep& other)
      : Rep(), elementType(other.elementType), bounds(other.bounds), items(other.items) {}
  TVarType elementType = varVariant;
  std::vector<ArrayBound> bounds;
  std::vector<Variant> items;
};

// A record kept by reference: the FMTBcd and SQL time stamp kinds.
template <class T>
struct RecordRep : Rep {
  explicit RecordRep(const T& v) : value(v) {}
  T value;
};

const VariantAccess::Storage& D(const Variant& v) { return VariantAccess::Data(v); }
const FMTBcd::TBcd& BcdOf(const Variant& v) {
  return static_cast<const RecordRep<FMTBcd::TBcd>*>(D(v).rep)->value;
}
const TSQLTimeStamp& StampOf(const Variant& v) {
  return static_cast<const RecordRep<TSQLTimeStamp>*>(D(v).rep)->value;
}
std::u16string_view WideText(const Variant& v) { return static_cast<const WideRep*>(D(v).rep)->view(); }
std::string_view AnsiText(const Variant& v) { return static_cast<const AnsiRep*>(D(v).rep)->view(); }
const ArrayRep& Array(const Variant& v) { return *static_cast<const ArrayRep*>(D(v).rep); }

bool IsIntegerType(TVarType t) {
  switch (t) {
    case varSmallint:
    case varInteger:
    case varShortInt:
    case varByte:
    case varWord:
    case varLongWord:
    case varInt64:
      return true;
    default:
      return false;
  }
}

[[noreturn]] void CastError(TVarType from, TVarType to) {
  throw EVariantError(u"Could not convert variant of type (" + VarTypeAsText(from) + u") into type (" +
                      VarTypeAsText(to) + u")");
}

[[noreturn]] void OverflowError(TVarType from, TVarType to) {
  throw EVariantError(u"Overflow while converting variant of type (" + VarTypeAsText(from) +
                      u") into type (" + VarTypeAsText(to) + u")");
}

[[noreturn]] void InvalidOperation() { throw EVariantError("Invalid variant operation"); }
[[noreturn]] void BadIndex() { throw EVariantError("Variant or safe array index out of bounds"); }
[[noreturn]] void NotAnArray() { throw EVariantError("Variant is not an array"); }

// Text of the string kinds, for conversions.
String TextOf(const Variant& v) {
  return v.Type() == varOleStr ? String(WideText(v)) : AnsiToString(AnsiString(AnsiText(v)));
}

Int64 RoundChecked(double value, TVarType from, TVarType to) {
  // Round() accepts what rounds into the Int64 range; anything else is an overflow here.
  if (std::isnan(value) || value >= 9223372036854775808.0 || value < -9223372036854775808.0)
    OverflowError(from, to);
  return Round(value);
}

Int64 RoundCurrency(Int64 scaled) {
  Int64 whole = scaled / Currency::kScale;
  const Int64 rest = scaled % Currency::kScale;
  const Int64 half = Currency::kScale / 2;
  if (rest > half || (rest == half && (whole & 1))) ++whole;
  if (rest < -half || (rest == -half && (whole & 1))) --whole;
  return whole;
}

Int64 ToInt64(const Variant& v, TVarType to) {
  const TVarType t = v.Type();
  if (IsIntegerType(t)) return D(v).i64;
  switch (t) {
    case varEmpty:
      return 0;
    case varBoolean:
      return D(v).i64 ? -1 : 0;
    case varSingle:
      return RoundChecked(D(v).sgl, t, to);
    case varDouble:
    case varDate:
      return RoundChecked(D(v).dbl, t, to);
    case varCurrency:
      return RoundCurrency(D(v).i64);
    case varFMTBcd:
      return RoundChecked(FMTBcd::BcdToDouble(BcdOf(v)), t, to);
    case varSQLTimeStamp:
      return RoundChecked(SQLTimeStampToDateTime(StampOf(v)), t, to);
    case varOleStr:
    case varString: {
      const String text = Trim(TextOf(v));
      Int64 n = 0;
      if (TryStrToInt64(text, n)) return n;
      double d = 0;
      if (TryStrToFloat(text, d)) return RoundChecked(d, t, to);
      CastError(t, to);
    }
    default:
      CastError(t, to);
  }
}

Int64 ToRange(const Variant& v, TVarType to, Int64 low, Int64 high) {
  const Int64 n = ToInt64(v, to);
  if (n < low || n > high) OverflowError(v.Type(), to);
  return n;
}

double ToDouble(const Variant& v, TVarType to) {
  const TVarType t = v.Type();
  if (IsIntegerType(t)) return static_cast<double>(D(v).i64);
  switch (t) {
    case varEmpty:
      return 0;
    case varBoolean:
      return D(v).i64 ? -1 : 0;
    case varSingle:
      return D(v).sgl;
    case varDouble:
    case varDate:
      return D(v).dbl;
    case varCurrency:
      return Currency::FromScaled(D(v).i64).ToDouble();
    case varFMTBcd:
      return FMTBcd::BcdToDouble(BcdOf(v));
    case varSQLTimeStamp:
      return SQLTimeStampToDateTime(StampOf(v));
    case varOleStr:
    case varString: {
      double d = 0;
      if (TryStrToFloat(TextOf(v), d)) return d;
      CastError(t, to);
    }
    default:
      CastError(t, to);
  }
}

Currency ToCurrency(const Variant& v) {
  constexpr Int64 kMaxWhole = std::numeric_limits<Int64>::max() / Currency::kScale;
  const TVarType t = v.Type();
  if (IsIntegerType(t) || t == varBoolean || t == varEmpty) {
    const Int64 n = ToInt64(v, varCurrency);
    if (n > kMaxWhole || n < -kMaxWhole) OverflowError(t, varCurrency);
    return Currency(n);
  }
  switch (t) {
    case varCurrency:
      return Currency::FromScaled(D(v).i64);
    case varFMTBcd: {
      Currency c;
      if (TryStrToCurr(FMTBcd::BcdToStr(BcdOf(v)), c)) return c;
      OverflowError(t, varCurrency);
    }
    case varSingle:
    case varDouble:
    case varDate:
    case varSQLTimeStamp:
      try {
        return Currency(ToDouble(v, varCurrency));
      } catch (const EMathError&) {
        OverflowError(t, varCurrency);
      } catch (const EInvalidOperation&) {
        OverflowError(t, varCurrency);
      }
    case varOleStr:
    case varString: {
      Currency c;
      if (TryStrToCurr(TextOf(v), c)) return c;
      CastError(t, varCurrency);
    }
    default:
      CastError(t, varCurrency);
  }
}

bool ToBoolean(const Variant& v) {
  const TVarType t = v.Type();
  if (IsIntegerType(t) || t == varBoolean || t == varCurrency) return D(v).i64 != 0;
  switch (t) {
    case varEmpty:
      return false;
    case varSingle:
      return D(v).sgl != 0;
    case varDouble:
    case varDate:
      return D(v).dbl != 0;
    case varFMTBcd:
    case varSQLTimeStamp:
      return ToDouble(v, varBoolean) != 0;
    case varOleStr:
    case varString: {
      const String text = Trim(TextOf(v));
      if (SameText(text, u"True")) return true;
      if (SameText(text, u"False")) return false;
      double d = 0;
      if (TryStrToFloat(text, d)) return d != 0;
      CastError(t, varBoolean);
    }
    default:
      CastError(t, varBoolean);
  }
}

TDateTime ToDate(const Variant& v) {
  const TVarType t = v.Type();
  if (t == varOleStr || t == varString) {
    TDateTime d = 0;
    if (TryVarDateFromStr(TextOf(v), d)) return d;
    CastError(t, varDate);
  }
  return ToDouble(v, varDate);
}

String ToString(const Variant& v, TVarType to) {
  const TVarType t = v.Type();
  if (IsIntegerType(t)) return IntToStr(D(v).i64);
  switch (t) {
    case varEmpty:
      return String();
    case varBoolean:
      return D(v).i64 ? u"True" : u"False";
    case varSingle:
      // Seven digits: what a single holds, so 0.1f reads "0,1" and not its binary expansion.
      return FloatToStrF(D(v).sgl, ffGeneral, 7, 0);
    case varDouble:
      return FloatToStr(D(v).dbl);
    case varCurrency:
      return CurrToStr(Currency::FromScaled(D(v).i64));
    case varDate:
      return DateTimeToStr(D(v).dbl);
    case varFMTBcd:
      return FMTBcd::BcdToStr(BcdOf(v));
    case varSQLTimeStamp:
      return DateTimeToStr(SQLTimeStampToDateTime(StampOf(v)));
    case varOleStr:
      return String(WideText(v));
    case varString:
      return AnsiToString(AnsiString(AnsiText(v)));
    default:
      CastError(t, to);
  }
}

ArrayRep& MutableArray(Variant& v) {
  auto& rep = VariantAccess::Data(v).rep;
  if (rep->refs.load(std::memory_order_acquire) != 1) {
    // Shared with another copy: copy on write.
    auto* copy = new ArrayRep(*static_cast<ArrayRep*>(rep));
    const TVarType type = v.Type();
    v = VariantAccess::Make(type, copy);
  }
  return *static_cast<ArrayRep*>(VariantAccess::Data(v).rep);
}

size_t FlatIndex(const ArrayRep& array, std::initializer_list<int> indices) {
  if (indices.size() != array.bounds.size()) BadIndex();
  size_t flat = 0;
  size_t i = 0;
  for (int index : indices) {
    const ArrayBound& b = array.bounds[i++];
    const Int64 offset = Int64{index} - b.low;
    if (offset < 0 || offset >= b.count) BadIndex();
    flat = flat * static_cast<size_t>(b.count) + static_cast<size_t>(offset);
  }
  return flat;
}

Variant ElementValue(const ArrayRep& array, const Variant& value) {
  return array.elementType == varVariant ? value : VarAsType(value, array.elementType);
}

// Comparison

enum class Kind { Null, Empty, Integer, Float, Currency, Date, Boolean, Text, Object, Array };

Kind KindOf(const Variant& v) {
  const TVarType t = v.Type();
  if (t & varArray) return Kind::Array;
  if (IsIntegerType(t)) return Kind::Integer;
  switch (t) {
    case varNull:
      return Kind::Null;
    case varEmpty:
      return Kind::Empty;
    case varSingle:
    case varDouble:
    case varFMTBcd:
      return Kind::Float;
    case varCurrency:
      return Kind::Currency;
    case varDate:
    case varSQLTimeStamp:
      return Kind::Date;
    case varBoolean:
      return Kind::Boolean;
    case varOleStr:
    case varString:
      return Kind::Text;
    case varObject:
      return Kind::Object;
    default:
      InvalidOperation();
  }
}

template <class T>
std::partial_ordering Order(T a, T b) {
  return a <=> b;
}

std::partial_ordering CompareWideTexts(std::u16string_view a, std::u16string_view b, Word codePage) {
  // Equal units give equal bytes, so only the units after the common prefix are mapped.
  const size_t n = std::min(a.size(), b.size());
  size_t i = 0;
  while (i < n && a[i] == b[i]) ++i;
  for (; i < n; ++i) {
    const Byte p = CharToAnsiChar(a[i], codePage);
    const Byte q = CharToAnsiChar(b[i], codePage);
    if (p != q) return Order(p, q);
  }
  if (a.size() != b.size()) return Order(a.size(), b.size());
  // Equal 8-bit forms: only characters the code page lacks (all '?') can still differ; telling
  // them apart keeps distinct texts distinct.
  return Order(a.compare(b), 0);
}

std::partial_ordering CompareTexts(const Variant& a, const Variant& b) {
  if (a.Type() == varString && b.Type() == varString) return Order(AnsiText(a).compare(AnsiText(b)), 0);
  const Word codePage = FormatSettings().CodePage;
  if (a.Type() == varOleStr && b.Type() == varOleStr)
    return CompareWideTexts(WideText(a), WideText(b), codePage);
  // One of each kind: compare the 8-bit forms, then the texts.
  const bool wideFirst = a.Type() == varOleStr;
  const String wide(WideText(wideFirst ? a : b));
  const AnsiString ansi(AnsiText(wideFirst ? b : a));
  std::partial_ordering order = Order(StringToAnsi(wide, codePage).compare(ansi), 0);
  if (order == 0) order = Order(wide.compare(AnsiToString(ansi, codePage)), 0);
  if (!wideFirst) order = 0 <=> order;
  return order;
}

Int64 IntegerValue(const Variant& v) {  // integer kinds and booleans (-1/0)
  return v.Type() == varBoolean ? (D(v).i64 ? -1 : 0) : D(v).i64;
}

std::partial_ordering CompareNumbers(const Variant& a, Kind ka, const Variant& b, Kind kb) {
  if (ka == Kind::Float || kb == Kind::Float || ka == Kind::Date || kb == Kind::Date)
    return ToDouble(a, varDouble) <=> ToDouble(b, varDouble);
  if (ka == Kind::Currency || kb == Kind::Currency) {
    const auto scaled = [](const Variant& v, Kind k) -> __int128 {
      return k == Kind::Currency ? D(v).i64 : __int128{IntegerValue(v)} * Currency::kScale;
    };
    return Order(scaled(a, ka), scaled(b, kb));
  }
  return Order(IntegerValue(a), IntegerValue(b));
}

std::partial_ordering Compare(const Variant& a, const Variant& b) {
  const TVarType ta = a.Type();
  const TVarType tb = b.Type();
  if (ta == tb) {  // the common case of a column of one kind
    if (IsIntegerType(ta)) return Order(D(a).i64, D(b).i64);
    if (ta == varDouble || ta == varDate) return D(a).dbl <=> D(b).dbl;
    if (ta == varOleStr) return CompareWideTexts(WideText(a), WideText(b), FormatSettings().CodePage);
  }
  const Kind ka = KindOf(a);
  const Kind kb = KindOf(b);
  if (ka == Kind::Array || kb == Kind::Array) InvalidOperation();
  for (Kind low : {Kind::Null, Kind::Empty}) {
    if (ka == low || kb == low)
      return ka == kb    ? std::partial_ordering::equivalent
             : ka == low ? std::partial_ordering::less
                         : std::partial_ordering::greater;
  }
  if (ka == Kind::Object || kb == Kind::Object) {
    if (ka != kb) InvalidOperation();
    if (D(a).obj == D(b).obj) return std::partial_ordering::equivalent;
    return std::less<TObject*>()(D(a).obj, D(b).obj) ? std::partial_ordering::less
                                                     : std::partial_ordering::greater;
  }
  if (ka == Kind::Text && kb == Kind::Text) return CompareTexts(a, b);
  if (ka == Kind::Text || kb == Kind::Text) {
    const Kind other = ka == Kind::Text ? kb : ka;
    if (other == Kind::Boolean) return Order(ToBoolean(a), ToBoolean(b));
    if (other == Kind::Date) return ToDate(a) <=> ToDate(b);
    return ToDouble(a, varDouble) <=> ToDouble(b, varDouble);
  }
  if (ka == Kind::Boolean && kb == Kind::Boolean) return Order(D(a).i64, D(b).i64);  // False < True
  return CompareNumbers(a, ka, b, kb);
}

}  // namespace

// Variant

Variant::Variant(const String& value) : type_(varOleStr) { data_.rep = WideRep::Make(value); }
Variant::Variant(String&& value) : type_(varOleStr) { data_.rep = WideRep::Make(value); }
Variant::Variant(const char16_t* value) : Variant(String(value)) {}

void Variant::CheckUInt64(UInt64 value) {
  if (value > static_cast<UInt64>(std::numeric_limits<Int64>::max())) OverflowError(varInt64, varInt64);
}

Variant& Variant::operator=(const Variant& other) noexcept {
  if (this != &other) {
    if (other.HasRep()) other.AddRef();
    if (HasRep()) Release();
    type_ = other.type_;
    data_ = other.data_;
  }
  return *this;
}

Variant& Variant::operator=(Variant&& other) noexcept {
  if (this != &other) {
    if (HasRep()) Release();
    type_ = other.type_;
    data_ = other.data_;
    other.type_ = varEmpty;
  }
  return *this;
}

void Variant::Release() {
  if (data_.rep->refs.fetch_sub(1, std::memory_order_acq_rel) != 1) return;
  if (type_ == varOleStr)
    WideRep::Free(data_.rep);
  else if (type_ == varString)
    AnsiRep::Free(data_.rep);
  else if (type_ == varFMTBcd)
    delete static_cast<RecordRep<FMTBcd::TBcd>*>(data_.rep);
  else if (type_ == varSQLTimeStamp)
    delete static_cast<RecordRep<TSQLTimeStamp>*>(data_.rep);
  else
    delete static_cast<ArrayRep*>(data_.rep);
}

Integer Variant::AsInteger() const {
  return static_cast<Integer>(
      ToRange(*this, varInteger, std::numeric_limits<Integer>::min(), std::numeric_limits<Integer>::max()));
}
Int64 Variant::AsInt64() const { return ToInt64(*this, varInt64); }
double Variant::AsDouble() const { return ToDouble(*this, varDouble); }
Currency Variant::AsCurrency() const { return ToCurrency(*this); }
bool Variant::AsBoolean() const { return ToBoolean(*this); }
TDateTime Variant::AsDateTime() const { return ToDate(*this); }
String Variant::AsString() const { return ToString(*this, varOleStr); }

AnsiString Variant::AsAnsiString() const {
  if (type_ == varString) return AnsiString(AnsiText(*this));
  return StringToAnsi(ToString(*this, varString));
}

TObject* Variant::AsObject() const {
  if (type_ == varObject) return data_.obj;
  if (type_ == varEmpty) return nullptr;
  CastError(type_, varObject);
}

const Variant& Variant::Element(int index) const {
  if (!(type_ & varArray)) NotAnArray();
  const ArrayRep& array = Array(*this);
  return array.items[FlatIndex(array, {index})];
}

void Variant::SetElement(int index, const Variant& value) { VarArrayPut(*this, value, {index}); }

bool operator==(const Variant& a, const Variant& b) { return Compare(a, b) == 0; }
std::partial_ordering operator<=>(const Variant& a, const Variant& b) { return Compare(a, b); }

// Free functions

Variant Null() { return VariantAccess::MakeScalar(varNull, 0); }
Variant Unassigned() { return Variant(); }

Variant VarFromDateTime(TDateTime value) {
  Variant v = VariantAccess::MakeScalar(varDate, 0);
  VariantAccess::Data(v).dbl = value;
  return v;
}

Variant VarFromAnsiString(AnsiString value) { return VariantAccess::Make(varString, AnsiRep::Make(value)); }

bool VarIsOrdinal(const Variant& v) { return IsIntegerType(v.Type()) || v.Type() == varBoolean; }
bool VarIsFloat(const Variant& v) {
  return v.Type() == varSingle || v.Type() == varDouble || v.Type() == varCurrency || v.Type() == varFMTBcd;
}
bool VarIsNumeric(const Variant& v) { return VarIsOrdinal(v) || VarIsFloat(v); }

String VarTypeAsText(TVarType type) {
  if (type & varArray) return u"Array " + VarTypeAsText(type & varTypeMask);
  switch (type) {
    case varEmpty:
      return u"Empty";
    case varNull:
      return u"Null";
    case varSmallint:
      return u"Smallint";
    case varInteger:
      return u"Integer";
    case varSingle:
      return u"Single";
    case varDouble:
      return u"Double";
    case varCurrency:
      return u"Currency";
    case varDate:
      return u"Date";
    case varOleStr:
      return u"OleStr";
    case varBoolean:
      return u"Boolean";
    case varVariant:
      return u"Variant";
    case varShortInt:
      return u"ShortInt";
    case varByte:
      return u"Byte";
    case varWord:
      return u"Word";
    case varLongWord:
      return u"LongWord";
    case varInt64:
      return u"Int64";
    case varString:
      return u"String";
    case varObject:
      return u"Object";
    case varFMTBcd:
      return u"FMTBcd";
    case varSQLTimeStamp:
      return u"SQLTimeStamp";
    default:
      return u"$" + IntToStr(type);
  }
}

String VarToStr(const Variant& v) { return VarIsNull(v) ? String() : v.AsString(); }
String VarToStrDef(const Variant& v, const String& defaultValue) {
  return VarIsNull(v) ? defaultValue : v.AsString();
}

std::u16string_view VarOleStrView(const Variant& v) {
  if (v.Type() != varOleStr) CastError(v.Type(), varOleStr);
  return WideText(v);
}

bool VarIsEmptyStr(const Variant& v) {
  if (v.Type() == varOleStr) return WideText(v).empty();
  return v.Type() == varString && AnsiText(v).empty();
}

Variant VarAsType(const Variant& v, TVarType type) {
  const TVarType from = v.Type();
  if (from == type || type == varVariant) return v;
  if (type == varEmpty) return Variant();
  if (type == varNull) return Null();
  if (from == varNull || (from & varArray) || (type & varArray)) CastError(from, type);
  switch (type) {
    case varSmallint:
      return static_cast<SmallInt>(ToRange(v, type, -32768, 32767));
    case varInteger:
      return v.AsInteger();
    case varShortInt:
      return static_cast<ShortInt>(ToRange(v, type, -128, 127));
    case varByte:
      return static_cast<Byte>(ToRange(v, type, 0, 255));
    case varWord:
      return static_cast<Word>(ToRange(v, type, 0, 65535));
    case varLongWord:
      return static_cast<LongWord>(ToRange(v, type, 0, 0xFFFFFFFFll));
    case varInt64:
      return ToInt64(v, type);
    case varSingle: {
      const double d = ToDouble(v, type);
      if (std::isfinite(d) && std::fabs(d) > FLT_MAX) OverflowError(from, type);
      return static_cast<float>(d);
    }
    case varDouble:
      return ToDouble(v, type);
    case varCurrency:
      return ToCurrency(v);
    case varDate:
      return VarFromDateTime(ToDate(v));
    case varOleStr:
      return ToString(v, type);
    case varString:
      return VarFromAnsiString(v.AsAnsiString());
    case varBoolean:
      return ToBoolean(v);
    case varObject:
      return v.AsObject();
    case varFMTBcd:
      return VarFMTBcdCreate(VarToBcd(v));
    case varSQLTimeStamp:
      return VarSQLTimeStampCreate(VarToSQLTimeStamp(v));
    default:
      CastError(from, type);
  }
}

// --- The record kinds (FMTBcd.h) ---

Variant VarFMTBcdCreate(const FMTBcd::TBcd& Bcd) {
  return VariantAccess::Make(varFMTBcd, new RecordRep<FMTBcd::TBcd>(Bcd));
}
bool VarIsFMTBcd(const Variant& V) { return V.Type() == varFMTBcd; }

FMTBcd::TBcd VarToBcd(const Variant& V) {
  using namespace FMTBcd;
  const TVarType t = V.Type();
  if (t == varFMTBcd) return BcdOf(V);
  if (t == varOleStr || t == varString) {
    TBcd b;
    if (TryStrToBcd(Trim(TextOf(V)), b)) return b;
    CastError(t, varFMTBcd);
  }
  if (IsIntegerType(t) || t == varBoolean || t == varEmpty) return StrToBcd(IntToStr(ToInt64(V, varFMTBcd)));
  if (t == varCurrency) return StrToBcd(CurrToStr(Currency::FromScaled(D(V).i64)));
  try {
    return DoubleToBcd(ToDouble(V, varFMTBcd));
  } catch (const EConvertError&) {
    OverflowError(t, varFMTBcd);
  }
}

Variant VarSQLTimeStampCreate(const TSQLTimeStamp& Stamp) {
  SQLTimeStampToDateTime(Stamp);  // an impossible stamp is refused here, not when read
  return VariantAccess::Make(varSQLTimeStamp, new RecordRep<TSQLTimeStamp>(Stamp));
}
bool VarIsSQLTimeStamp(const Variant& V) { return V.Type() == varSQLTimeStamp; }

TSQLTimeStamp VarToSQLTimeStamp(const Variant& V) {
  if (V.Type() == varSQLTimeStamp) return StampOf(V);
  return DateTimeToSQLTimeStamp(ToDate(V));
}

TVariantRelationship VarCompareValue(const Variant& a, const Variant& b) {
  const std::partial_ordering order = Compare(a, b);
  if (order == std::partial_ordering::equivalent) return vrEqual;
  if (order == std::partial_ordering::less) return vrLessThan;
  if (order == std::partial_ordering::greater) return vrGreaterThan;
  return vrNotEqual;
}

Variant VarArrayCreate(std::initializer_list<int> bounds, TVarType elementType) {
  const auto fail = [] { throw EVariantError("Error creating variant or safe array"); };
  if (bounds.size() == 0 || bounds.size() % 2 != 0) fail();
  if (!IsIntegerType(elementType) && elementType != varVariant && elementType != varObject &&
      elementType != varString && (elementType < varSingle || elementType > varOleStr) &&
      elementType != varBoolean)
    fail();
  auto* array = new ArrayRep;
  Variant result = VariantAccess::Make(varArray | elementType, array);
  array->elementType = elementType;
  // Every dimension's count and the element total must fit an int, or the flat index would wrap.
  Int64 total = 1;
  for (auto it = bounds.begin(); it != bounds.end(); it += 2) {
    const Int64 count = Int64{it[1]} - it[0] + 1;
    if (count < 0 || count > std::numeric_limits<int>::max()) fail();
    array->bounds.push_back({it[0], static_cast<int>(count)});
    total *= count;
    if (total > std::numeric_limits<int>::max()) fail();
  }
  const Variant zero = elementType == varVariant ? Variant() : VarAsType(Variant(), elementType);
  array->items.assign(static_cast<size_t>(total), zero);
  return result;
}

Variant VarArrayOf(const std::vector<Variant>& values) {
  auto* array = new ArrayRep;
  Variant result = VariantAccess::Make(varArray | varVariant, array);
  array->bounds.push_back({0, static_cast<int>(values.size())});
  array->items = values;
  return result;
}

Variant VarArrayOf(std::initializer_list<Variant> values) { return VarArrayOf(std::vector<Variant>(values)); }

int VarArrayDimCount(const Variant& v) {
  return VarIsArray(v) ? static_cast<int>(Array(v).bounds.size()) : 0;
}

int VarArrayLowBound(const Variant& v, int dim) {
  if (!VarIsArray(v)) NotAnArray();
  const ArrayRep& array = Array(v);
  if (dim < 1 || dim > static_cast<int>(array.bounds.size())) BadIndex();
  return array.bounds[static_cast<size_t>(dim - 1)].low;
}

int VarArrayHighBound(const Variant& v, int dim) {
  if (!VarIsArray(v)) NotAnArray();
  const ArrayRep& array = Array(v);
  if (dim < 1 || dim > static_cast<int>(array.bounds.size())) BadIndex();
  const ArrayBound& b = array.bounds[static_cast<size_t>(dim - 1)];
  return b.low + b.count - 1;
}

Variant VarArrayGet(const Variant& v, std::initializer_list<int> indices) {
  if (!VarIsArray(v)) NotAnArray();
  const ArrayRep& array = Array(v);
  return array.items[FlatIndex(array, indices)];
}

void VarArrayPut(Variant& v, const Variant& value, std::initializer_list<int> indices) {
  if (!VarIsArray(v)) NotAnArray();
  const size_t index = FlatIndex(Array(v), indices);
  Variant stored = ElementValue(Array(v), value);  // before unsharing: value may be an element of v
  MutableArray(v).items[index] = std::move(stored);
}
