// The framework's tagged value. Scalars live inline (16 bytes in all); strings and arrays are shared,
// reference-counted and copied on write, so copying any Variant is cheap.
//
// Conversions follow the platform: Empty converts to 0, "" and False; Null converts to nothing and
// raises EVariantError "Could not convert variant of type (Null) into type (Integer)"; text becomes a
// number by the locale's decimal separator and a date by the lenient variant date parser; booleans
// are -1/0 as numbers and "True"/"False" as text; a value out of the target's range raises
// EVariantError "Overflow while converting variant of type (Double) into type (Integer)".
#pragma once

#include <atomic>
#include <compare>
#include <initializer_list>
#include <string_view>
#include <type_traits>
#include <vector>

#include "platform/rtl/Currency.h"
#include "platform/rtl/Types.h"

class TObject;

using TVarType = Word;

constexpr TVarType varEmpty = 0x0000;
constexpr TVarType varNull = 0x0001;
constexpr TVarType varSmallint = 0x0002;
constexpr TVarType varInteger = 0x0003;
constexpr TVarType varSingle = 0x0004;
constexpr TVarType varDouble = 0x0005;
constexpr TVarType varCurrency = 0x0006;
constexpr TVarType varDate = 0x0007;
constexpr TVarType varOleStr = 0x0008;  // String (UTF-16)
constexpr TVarType varBoolean = 0x000B;
constexpr TVarType varVariant = 0x000C;  // array elements of any kind
constexpr TVarType varShortInt = 0x0010;
constexpr TVarType varByte = 0x0011;
constexpr TVarType varWord = 0x0012;
constexpr TVarType varLongWord = 0x0013;
constexpr TVarType varInt64 = 0x0014;
constexpr TVarType varString = 0x0100;  // AnsiString, compared by its code-page bytes
constexpr TVarType varObject = 0x010F;  // a typed object reference (TObject*)
constexpr TVarType varFMTBcd = 0x0110;        // a TBcd kept by reference (FMTBcd.h)
constexpr TVarType varSQLTimeStamp = 0x0111;  // a TSQLTimeStamp kept by reference (FMTBcd.h)
constexpr TVarType varTypeMask = 0x0FFF;
constexpr TVarType varArray = 0x2000;

class Variant {
 public:
  Variant() noexcept { data_.i64 = 0; }
  Variant(bool value) noexcept : type_(varBoolean) { data_.i64 = value ? 1 : 0; }
  // Integers keep their C++ width and signedness: int8 ShortInt, uint8 Byte, int16 Smallint,
  // uint16 Word, int32 Integer, uint32 LongWord, int64 Int64 (an unsigned 64-bit value must fit).
  template <class T>
  requires(std::is_integral_v<T> && !std::is_same_v<T, bool> && !std::is_same_v<T, char> &&
           !std::is_same_v<T, char8_t> && !std::is_same_v<T, char16_t> && !std::is_same_v<T, char32_t> &&
           !std::is_same_v<T, wchar_t>) Variant(T value)
      : type_(IntegerType<T>()) {
    if constexpr (std::is_unsigned_v<T> && sizeof(T) == 8) CheckUInt64(value);
    data_.i64 = static_cast<Int64>(value);
  }
  Variant(float value) noexcept : type_(varSingle) {
    data_.i64 = 0;
    data_.sgl = value;
  }
  Variant(double value) noexcept : type_(varDouble) { data_.dbl = value; }
  Variant(Currency value) noexcept : type_(varCurrency) { data_.i64 = value.Scaled(); }
  Variant(const String& value);
  Variant(String&& value);
  Variant(const char16_t* value);
  // An object reference; nil is a reference too (not Empty).
  template <class T>
  requires std::is_base_of_v<TObject, T> Variant(T* object)
  noexcept : type_(varObject) { data_.obj = object; }
  // Other pointers (a UTF-8 literal among them) would silently become booleans: refused.
  template <class T>
  requires(!std::is_base_of_v<TObject, T>) Variant(T* pointer)
  = delete;

  Variant(const Variant& other) noexcept : type_(other.type_), data_(other.data_) {
    if (HasRep()) AddRef();
  }
  Variant(Variant&& other) noexcept : type_(other.type_), data_(other.data_) { other.type_ = varEmpty; }
  Variant& operator=(const Variant& other) noexcept;
  Variant& operator=(Variant&& other) noexcept;
  ~Variant() {
    if (HasRep()) Release();
  }

  TVarType Type() const { return type_; }
  void Clear() { *this = Variant(); }

  // Conversions (see above).
  Integer AsInteger() const;
  Int64 AsInt64() const;
  double AsDouble() const;
  Currency AsCurrency() const;
  bool AsBoolean() const;
  TDateTime AsDateTime() const;
  String AsString() const;
  AnsiString AsAnsiString() const;
  // varObject (nil for Empty); anything else raises EVariantError.
  TObject* AsObject() const;

  // One-dimensional arrays: the element at an index between the bounds; EVariantError otherwise.
  const Variant& Element(int index) const;
  // Stores a value, converted to the array's element type unless that is varVariant.
  void SetElement(int index, const Variant& value);

  // Equality and order of the platform's variant operators: numbers (and booleans as -1/0, dates)
  // by value across kinds; False before True; strings by their 8-bit code-page bytes, case-sensitive;
  // a string against a number or date is converted first. Null equals Null and comes before every
  // other value; Empty equals Empty and comes before every other value but Null. Kinds that cannot
  // be compared (an object against a number, a text that is not a number against a number, arrays)
  // raise EVariantError. A NaN is unordered.
  friend bool operator==(const Variant& a, const Variant& b);
  friend std::partial_ordering operator<=>(const Variant& a, const Variant& b);

  // Arithmetic as the platform's variant operators: Null in gives Null; Empty counts as 0; two
  // strings added are joined; a string against a number is converted; integers give Integer (Int64
  // when either is Int64 or LongWord, or the result needs it); Currency with integers gives Currency;
  // a float gives Double; a date plus or minus a number stays a Date, and two dates subtract to a
  // Double. '/' gives Double (Currency divided by an integer stays Currency). Booleans count -1/0.
  // Objects and arrays raise EVariantError "Invalid variant operation"; an Int64 or Currency result
  // out of range "Variant overflow"; a division by zero EZeroDivide.
  friend Variant operator+(const Variant& a, const Variant& b);
  friend Variant operator-(const Variant& a, const Variant& b);
  friend Variant operator*(const Variant& a, const Variant& b);
  friend Variant operator/(const Variant& a, const Variant& b);
  friend Variant operator-(const Variant& a);
  Variant& operator+=(const Variant& b) { return *this = *this + b; }
  Variant& operator-=(const Variant& b) { return *this = *this - b; }

 private:
  friend struct VariantAccess;

  struct Rep {
    std::atomic<int> refs{1};
  };
  union Data {
    Int64 i64;  // every integer kind (sign- or zero-extended), boolean 0/1, currency scaled
    double dbl;
    float sgl;
    TObject* obj;
    Rep* rep;  // varOleStr, varString, arrays
  };

  template <class T>
  static constexpr TVarType IntegerType() {
    if constexpr (sizeof(T) == 1) return std::is_signed_v<T> ? varShortInt : varByte;
    if constexpr (sizeof(T) == 2) return std::is_signed_v<T> ? varSmallint : varWord;
    if constexpr (sizeof(T) == 4) return std::is_signed_v<T> ? varInteger : varLongWord;
    return varInt64;
  }
  static void CheckUInt64(UInt64 value);
  bool HasRep() const {
    return type_ == varOleStr || type_ == varString || type_ == varFMTBcd || type_ == varSQLTimeStamp ||
           (type_ & varArray) != 0;
  }
  void AddRef() const { data_.rep->refs.fetch_add(1, std::memory_order_relaxed); }
  void Release();

  TVarType type_ = varEmpty;
  Data data_;
};

static_assert(sizeof(Variant) <= 16);

Variant Null();
Variant Unassigned();
Variant VarFromDateTime(TDateTime value);
Variant VarFromAnsiString(AnsiString value);

inline TVarType VarType(const Variant& v) { return v.Type(); }
inline bool VarIsNull(const Variant& v) { return v.Type() == varNull; }
inline bool VarIsEmpty(const Variant& v) { return v.Type() == varEmpty; }
inline bool VarIsClear(const Variant& v) { return v.Type() == varEmpty; }
inline bool VarIsArray(const Variant& v) { return (v.Type() & varArray) != 0; }
inline bool VarIsStr(const Variant& v) { return v.Type() == varOleStr || v.Type() == varString; }
inline bool VarIsObject(const Variant& v) { return v.Type() == varObject; }
inline bool VarIsType(const Variant& v, TVarType type) { return v.Type() == type; }
// Integer kinds and Boolean.
bool VarIsOrdinal(const Variant& v);
// Single, Double and Currency (not Date).
bool VarIsFloat(const Variant& v);
bool VarIsNumeric(const Variant& v);

// The kind's name in conversion messages: "Integer", "OleStr", "String", "Array Variant", ...
String VarTypeAsText(TVarType type);

// Null gives "" (VarToStrDef: the default); anything else is AsString.
String VarToStr(const Variant& v);
String VarToStrDef(const Variant& v, const String& defaultValue);
// The characters of a varOleStr value without a copy, valid while the variant holds them; any other
// kind raises EVariantError.
std::u16string_view VarOleStrView(const Variant& v);
// A string kind holding no characters, found without a copy.
bool VarIsEmptyStr(const Variant& v);
// The value converted to another kind; Null stays Null only for varNull, varEmpty gives Empty.
Variant VarAsType(const Variant& v, TVarType type);

enum TVariantRelationship { vrEqual, vrLessThan, vrGreaterThan, vrNotEqual };
// As the operators; vrNotEqual for an unordered pair (NaN).
TVariantRelationship VarCompareValue(const Variant& a, const Variant& b);

// Arrays. Bounds are pairs low, high per dimension; high = low - 1 gives an empty dimension. Elements
// start as the element type's zero (Empty for varVariant).
Variant VarArrayCreate(std::initializer_list<int> bounds, TVarType elementType);
// A one-dimensional array [0..n-1] of varVariant.
Variant VarArrayOf(std::initializer_list<Variant> values);
Variant VarArrayOf(const std::vector<Variant>& values);
// A non-array has 0 dimensions.
int VarArrayDimCount(const Variant& v);
// dim counts from 1.
int VarArrayLowBound(const Variant& v, int dim);
int VarArrayHighBound(const Variant& v, int dim);
// One index per dimension.
Variant VarArrayGet(const Variant& v, std::initializer_list<int> indices);
void VarArrayPut(Variant& v, const Variant& value, std::initializer_list<int> indices);
