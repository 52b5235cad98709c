#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>
#include <string>

#include "platform/rtl/DateTime.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/Object.h"
#include "platform/rtl/String.h"
#include "platform/rtl/Variant.h"

void PrintTo(const Variant& v, std::ostream* os) {
  *os << StringToUtf8(VarTypeAsText(v.Type()));
  if (VarIsArray(v) || VarIsObject(v) || VarIsNull(v)) return;
  try {
    *os << " " << StringToUtf8(v.AsString());
  } catch (const Exception&) {
  }
}

namespace {

// Each test names its locale; the binary's others expect the Russian one back.
class VariantTest : public ::testing::Test {
 protected:
  void TearDown() override { SetLocale("ru-RU"); }
};

Variant Ansi(const char* bytes) { return VarFromAnsiString(bytes); }
Variant Curr(double value) { return Currency(value); }
Variant Date(double value) { return VarFromDateTime(value); }
const double kNaN = std::numeric_limits<double>::quiet_NaN();

// The same kind and the same value.
::testing::AssertionResult Same(const Variant& expected, const Variant& actual) {
  if (expected.Type() != actual.Type())
    return ::testing::AssertionFailure() << "kind " << StringToUtf8(VarTypeAsText(actual.Type()))
                                         << ", expected " << StringToUtf8(VarTypeAsText(expected.Type()));
  if (VarIsNull(expected) || VarIsEmpty(expected)) return ::testing::AssertionSuccess();
  if (VarIsStr(expected) ? expected.AsString() == actual.AsString() : expected == actual)
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << "value " << StringToUtf8(actual.AsString()) << ", expected " << StringToUtf8(expected.AsString());
}

template <class F>
String ErrorOf(F&& action) {
  try {
    action();
  } catch (const EVariantError& e) {
    return e.Message();
  }
  return u"<no EVariantError>";
}

TEST_F(VariantTest, ConstructorsPickTheKindOfTheCppType) {
  static_assert(sizeof(Variant) <= 32);
  struct Case {
    Variant value;
    TVarType type;
  };
  const Case cases[] = {
      {Variant(), varEmpty},
      {Null(), varNull},
      {Unassigned(), varEmpty},
      {true, varBoolean},
      {static_cast<ShortInt>(-1), varShortInt},
      {static_cast<Byte>(1), varByte},
      {static_cast<SmallInt>(1), varSmallint},
      {static_cast<Word>(1), varWord},
      {1, varInteger},
      {1u, varLongWord},
      {Int64{1}, varInt64},
      {1ll, varInt64},
      {1.5f, varSingle},
      {1.5, varDouble},
      {Currency(1), varCurrency},
      {VarFromDateTime(1.5), varDate},
      {String(u"x"), varOleStr},
      {u"x", varOleStr},
      {VarFromAnsiString("x"), varString},
      {static_cast<TObject*>(nullptr), varObject},
      {VarArrayOf({1, 2}), varArray | varVariant},
      {VarArrayCreate({0, 1}, varInteger), varArray | varInteger},
  };
  for (const Case& c : cases) EXPECT_EQ(c.value.Type(), c.type) << StringToUtf8(VarTypeAsText(c.type));
  EXPECT_EQ(Variant(std::numeric_limits<UInt64>::max() / 2).AsInt64(), std::numeric_limits<Int64>::max());
  EXPECT_THROW((void)Variant(std::numeric_limits<UInt64>::max()), EVariantError);
  EXPECT_EQ(Variant(4000000000u).AsInt64(), 4000000000);  // LongWord keeps its unsigned value
}

TEST_F(VariantTest, KindTests) {
  struct Case {
    Variant value;
    bool ordinal, isFloat, numeric, str, array;
  };
  const Case cases[] = {
      {Variant(), false, false, false, false, false}, {Null(), false, false, false, false, false},
      {true, true, false, true, false, false},        {static_cast<Byte>(1), true, false, true, false, false},
      {Int64{1}, true, false, true, false, false},    {1.5f, false, true, true, false, false},
      {1.5, false, true, true, false, false},         {Curr(1), false, true, true, false, false},
      {Date(1), false, false, false, false, false},   {u"1", false, false, false, true, false},
      {Ansi("1"), false, false, false, true, false},  {VarArrayOf({1}), false, false, false, false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(StringToUtf8(VarTypeAsText(c.value.Type())));
    EXPECT_EQ(VarIsOrdinal(c.value), c.ordinal);
    EXPECT_EQ(VarIsFloat(c.value), c.isFloat);
    EXPECT_EQ(VarIsNumeric(c.value), c.numeric);
    EXPECT_EQ(VarIsStr(c.value), c.str);
    EXPECT_EQ(VarIsArray(c.value), c.array);
  }
  EXPECT_TRUE(VarIsNull(Null()));
  EXPECT_FALSE(VarIsNull(Variant()));
  EXPECT_TRUE(VarIsEmpty(Variant()));
  EXPECT_TRUE(VarIsClear(Unassigned()));
  EXPECT_FALSE(VarIsEmpty(Null()));
  EXPECT_EQ(VarTypeAsText(varArray | varVariant), u"Array Variant");
  // Empty text without a copy: only the string kinds with no characters.
  for (const Variant& blank : {Variant(u""), Ansi("")}) EXPECT_TRUE(VarIsEmptyStr(blank));
  for (const Variant& other : {Variant(), Null(), Variant(0), Variant(u" "), Ansi("0")})
    EXPECT_FALSE(VarIsEmptyStr(other)) << StringToUtf8(VarTypeAsText(other.Type()));
  const Variant wide(u"Тула");
  EXPECT_EQ(VarOleStrView(wide), u"Тула");
  EXPECT_THROW(VarOleStrView(Ansi("Tula")), EVariantError);
}

struct ConversionCase {
  const char* locale;
  Variant source;
  TVarType target;
  Variant expected;        // kind and value, when the conversion succeeds
  const char* error = "";  // the EVariantError message otherwise
};

TEST_F(VariantTest, ConversionTable) {
  TObject object;
  const double feb1 = EncodeDate(2020, 2, 1);
  const ConversionCase cases[] = {
      // Empty is the zero of every kind; Null converts to nothing.
      {"ru-RU", Variant(), varInteger, 0},
      {"ru-RU", Variant(), varOleStr, u""},
      {"ru-RU", Variant(), varBoolean, false},
      {"ru-RU", Variant(), varDate, Date(0)},
      {"ru-RU", Variant(), varObject, static_cast<TObject*>(nullptr)},
      {"ru-RU", Null(), varInteger, {}, "Could not convert variant of type (Null) into type (Integer)"},
      {"ru-RU", Null(), varOleStr, {}, "Could not convert variant of type (Null) into type (OleStr)"},
      {"ru-RU", Null(), varString, {}, "Could not convert variant of type (Null) into type (String)"},
      {"ru-RU", Null(), varDouble, {}, "Could not convert variant of type (Null) into type (Double)"},
      {"ru-RU", Null(), varNull, Null()},
      {"ru-RU", 5, varEmpty, Variant()},
      // Integers between their ranges.
      {"ru-RU", static_cast<SmallInt>(-5), varInteger, -5},
      {"ru-RU",
       70000,
       varSmallint,
       {},
       "Overflow while converting variant of type (Integer) into type (Smallint)"},
      {"ru-RU", -1, varByte, {}, "Overflow while converting variant of type (Integer) into type (Byte)"},
      {"ru-RU",
       static_cast<Byte>(200),
       varShortInt,
       {},
       "Overflow while converting variant of type (Byte) into type (ShortInt)"},
      {"ru-RU", 65535, varWord, static_cast<Word>(65535)},
      {"ru-RU",
       4000000000u,
       varInteger,
       {},
       "Overflow while converting variant of type (LongWord) into type (Integer)"},
      {"ru-RU", 4000000000u, varInt64, Int64{4000000000}},
      {"ru-RU", Int64{1} << 40, varDouble, 1099511627776.0},
      {"ru-RU",
       Int64{1} << 60,
       varCurrency,
       {},
       "Overflow while converting variant of type (Int64) into type (Currency)"},
      {"ru-RU", -7, varOleStr, u"-7"},
      {"ru-RU", 0, varBoolean, false},
      {"ru-RU", -3, varBoolean, true},
      // Floats round half to even when an integer is asked for.
      {"ru-RU", 2.5, varInteger, 2},
      {"ru-RU", 3.5, varInteger, 4},
      {"ru-RU", -2.5, varInteger, -2},
      {"ru-RU", 2.5f, varInteger, 2},
      {"ru-RU",
       1e10,
       varInteger,
       {},
       "Overflow while converting variant of type (Double) into type (Integer)"},
      {"ru-RU", 1e10, varInt64, Int64{10000000000}},
      {"ru-RU", 1e19, varInt64, {}, "Overflow while converting variant of type (Double) into type (Int64)"},
      {"ru-RU",
       kNaN,
       varInteger,
       {},
       "Overflow while converting variant of type (Double) into type (Integer)"},
      {"ru-RU",
       1e300,
       varSingle,
       {},
       "Overflow while converting variant of type (Double) into type (Single)"},
      {"ru-RU",
       1e300,
       varCurrency,
       {},
       "Overflow while converting variant of type (Double) into type (Currency)"},
      {"ru-RU", 0.1, varSingle, 0.1f},
      {"ru-RU", 1.00004, varCurrency, Curr(1)},  // to the nearest 1/10000
      {"ru-RU", 0.1f, varOleStr, u"0,1"},        // a single prints its own 7 digits
      {"ru-RU", 1234.5, varOleStr, u"1234,5"},
      {"en-US", 1234.5, varOleStr, u"1234.5"},
      {"ru-RU", 0.1 + 0.2, varOleStr, u"0,3"},
      {"ru-RU", 0.0, varBoolean, false},
      {"ru-RU", 1.5, varDate, Date(1.5)},
      // Currency.
      {"ru-RU", Curr(12.3456), varOleStr, u"12,3456"},
      {"en-US", Curr(12.3456), varOleStr, u"12.3456"},
      {"ru-RU", Curr(2.5), varInteger, 2},
      {"ru-RU", Curr(-3.5), varInteger, -4},
      {"ru-RU", Curr(12.3456), varDouble, 12.3456},
      {"ru-RU", Curr(0.0001), varBoolean, true},
      // Dates are numbers, and print as the locale's date and time.
      {"ru-RU", Date(feb1 + 0.5), varOleStr, u"01.02.2020 12:00:00"},
      {"en-US", Date(feb1 + 0.5), varOleStr, u"2/1/2020 12:00:00 PM"},
      {"ru-RU", Date(feb1), varOleStr, u"01.02.2020"},
      {"ru-RU", Date(feb1 + 0.5), varDouble, feb1 + 0.5},
      {"ru-RU", Date(1.75), varInteger, 2},
      // Booleans are -1/0 as numbers and words as text.
      {"ru-RU", true, varInteger, -1},
      {"ru-RU", true, varDouble, -1.0},
      {"ru-RU", true, varCurrency, Curr(-1)},
      {"ru-RU", true, varOleStr, u"True"},
      {"ru-RU", false, varString, Ansi("False")},
      {"ru-RU", true, varByte, {}, "Overflow while converting variant of type (Boolean) into type (Byte)"},
      // Text to numbers by the locale's decimal separator.
      {"ru-RU", u"12,5", varDouble, 12.5},
      {"ru-RU", u"12.5", varDouble, {}, "Could not convert variant of type (OleStr) into type (Double)"},
      {"en-US", u"12.5", varDouble, 12.5},
      {"en-US", u"12,5", varDouble, {}, "Could not convert variant of type (OleStr) into type (Double)"},
      {"ru-RU", u"12,5", varInteger, 12},
      {"ru-RU", u" 17 ", varInteger, 17},
      {"ru-RU", u"-1e3", varSmallint, static_cast<SmallInt>(-1000)},
      {"ru-RU",
       u"3000000000",
       varInteger,
       {},
       "Overflow while converting variant of type (OleStr) into type (Integer)"},
      {"ru-RU", u"12,34565", varCurrency, Curr(12.3456)},
      {"ru-RU", u"abc", varInteger, {}, "Could not convert variant of type (OleStr) into type (Integer)"},
      {"ru-RU", u"", varInteger, {}, "Could not convert variant of type (OleStr) into type (Integer)"},
      {"ru-RU", u"abc", varCurrency, {}, "Could not convert variant of type (OleStr) into type (Currency)"},
      {"ru-RU", Ansi("7"), varInteger, 7},
      {"ru-RU", Ansi("x"), varDouble, {}, "Could not convert variant of type (String) into type (Double)"},
      // Text to booleans and dates.
      {"ru-RU", u"true", varBoolean, true},
      {"ru-RU", u"FALSE", varBoolean, false},
      {"ru-RU", u"0", varBoolean, false},
      {"ru-RU", u"2,5", varBoolean, true},
      {"ru-RU", u"yes", varBoolean, {}, "Could not convert variant of type (OleStr) into type (Boolean)"},
      {"ru-RU", u"01.02.2020", varDate, Date(feb1)},
      {"en-US", u"2/1/2020", varDate, Date(feb1)},
      {"ru-RU", u"когда-нибудь", varDate, {}, "Could not convert variant of type (OleStr) into type (Date)"},
      // The two string kinds convert through the locale's code page.
      {"ru-RU", Ansi("\xC0\xE1\xE2"), varOleStr, u"Абв"},
      {"ru-RU", u"Абв", varString, Ansi("\xC0\xE1\xE2")},
      {"en-US", Ansi("\xC0"), varOleStr, u"À"},
      // Objects and arrays convert to nothing else.
      {"ru-RU", &object, varObject, &object},
      {"ru-RU", &object, varInteger, {}, "Could not convert variant of type (Object) into type (Integer)"},
      {"ru-RU", &object, varOleStr, {}, "Could not convert variant of type (Object) into type (OleStr)"},
      {"ru-RU", 5, varObject, {}, "Could not convert variant of type (Integer) into type (Object)"},
      {"ru-RU",
       VarArrayOf({1}),
       varInteger,
       {},
       "Could not convert variant of type (Array Variant) into type (Integer)"},
      {"ru-RU",
       1,
       varArray | varVariant,
       {},
       "Could not convert variant of type (Integer) into type (Array Variant)"},
  };
  for (const ConversionCase& c : cases) {
    SetLocale(c.locale);
    SCOPED_TRACE(std::string(c.locale) + " " + ::testing::PrintToString(c.source) + " -> " +
                 StringToUtf8(VarTypeAsText(c.target)));
    if (*c.error) {
      EXPECT_EQ(StringToUtf8(ErrorOf([&] { VarAsType(c.source, c.target); })), c.error);
    } else {
      EXPECT_TRUE(Same(c.expected, VarAsType(c.source, c.target)));
    }
  }
}

TEST_F(VariantTest, AccessorsAgreeWithVarAsTypeAndNameTheirTarget) {
  SetLocale("ru-RU");
  const Variant text = u"2,5";
  EXPECT_EQ(text.AsInteger(), 2);
  EXPECT_EQ(text.AsInt64(), 2);
  EXPECT_EQ(text.AsDouble(), 2.5);
  EXPECT_EQ(text.AsCurrency(), Currency(2.5));
  EXPECT_TRUE(text.AsBoolean());
  EXPECT_EQ(Variant(u"Ёж").AsAnsiString(), "\xA8\xE6");
  EXPECT_EQ(Variant(12).AsDateTime(), 12.0);
  EXPECT_EQ(ErrorOf([] { Null().AsInt64(); }), u"Could not convert variant of type (Null) into type (Int64)");
  EXPECT_EQ(ErrorOf([] { Null().AsDateTime(); }),
            u"Could not convert variant of type (Null) into type (Date)");
  EXPECT_EQ(ErrorOf([] { Null().AsBoolean(); }),
            u"Could not convert variant of type (Null) into type (Boolean)");
  EXPECT_EQ(ErrorOf([] { Null().AsCurrency(); }),
            u"Could not convert variant of type (Null) into type (Currency)");
  EXPECT_EQ(ErrorOf([] { Null().AsAnsiString(); }),
            u"Could not convert variant of type (Null) into type (String)");

  EXPECT_EQ(VarToStr(Null()), u"");
  EXPECT_EQ(VarToStr(Variant()), u"");
  EXPECT_EQ(VarToStr(2.5), u"2,5");
  EXPECT_EQ(VarToStrDef(Null(), u"нет"), u"нет");
  EXPECT_EQ(VarToStrDef(7, u"нет"), u"7");
}

struct CompareCase {
  const char* locale;
  Variant a;
  Variant b;
  char expected;           // '<', '=', '>', or '?' for unordered
  const char* error = "";  // the EVariantError message instead
};

char Relation(const Variant& a, const Variant& b) {
  switch (VarCompareValue(a, b)) {
    case vrEqual:
      return '=';
    case vrLessThan:
      return '<';
    case vrGreaterThan:
      return '>';
    default:
      return '?';
  }
}

TEST_F(VariantTest, ComparisonTable) {
  TObject first;
  TObject second;
  const bool firstLess = std::less<TObject*>()(&first, &second);
  const double feb1 = EncodeDate(2020, 2, 1);
  const CompareCase cases[] = {
      // Null and Empty come first, in that order, and equal only themselves.
      {"ru-RU", Null(), Null(), '='},
      {"ru-RU", Null(), 5, '<'},
      {"ru-RU", 5, Null(), '>'},
      {"ru-RU", Null(), u"", '<'},
      {"ru-RU", Null(), Variant(), '<'},
      {"ru-RU", Variant(), Variant(), '='},
      {"ru-RU", Variant(), 0, '<'},
      {"ru-RU", u"", Variant(), '>'},
      {"ru-RU", Variant(), false, '<'},
      // Numbers by value across kinds.
      {"ru-RU", 1, 1.0, '='},
      {"ru-RU", static_cast<SmallInt>(2), Int64{3}, '<'},
      {"ru-RU", static_cast<Byte>(255), static_cast<ShortInt>(-1), '>'},
      {"ru-RU", 4000000000u, -1, '>'},
      {"ru-RU", Int64{1} << 62, (Int64{1} << 62) + 1, '<'},
      {"ru-RU", 0.1 + 0.2, 0.3, '>'},
      {"ru-RU", 1.5f, 1.5, '='},
      {"ru-RU", Curr(1.5), 1.5, '='},
      {"ru-RU", Curr(2), 2, '='},
      {"ru-RU", Curr(0.0001), 0, '>'},
      {"ru-RU", Curr(-922337203685477.0), std::numeric_limits<Int64>::min(), '>'},
      {"ru-RU", Date(feb1), feb1, '='},
      {"ru-RU", Date(feb1 + 0.5), static_cast<int>(feb1), '>'},
      {"ru-RU", kNaN, 1.0, '?'},
      // Booleans: False before True; -1/0 against numbers.
      {"ru-RU", false, true, '<'},
      {"ru-RU", true, true, '='},
      {"ru-RU", true, -1, '='},
      {"ru-RU", true, 1, '<'},
      {"ru-RU", false, 0.0, '='},
      // Strings by their 8-bit bytes, case-sensitive.
      {"ru-RU", u"a", u"B", '>'},
      {"ru-RU", u"abc", u"abd", '<'},
      {"ru-RU", u"abc", u"ab", '>'},
      {"ru-RU", u"abc", Ansi("abc"), '='},
      {"ru-RU", u"ё", u"ж", '<'},  // 0xB8 < 0xE6, though U+0451 > U+0436
      {"ru-RU", u"№", u"а", '<'},  // 0xB9 < 0xE0
      {"ru-RU", u"Ёлка", Ansi("\xC0"), '<'},
      {"ru-RU", Ansi("\xFF"), Ansi("a"), '>'},  // unsigned bytes
      {"ru-RU", u"я", u"Я", '>'},
      // Characters the code page lacks are told apart all the same.
      {"ru-RU", u"\u4E00", u"\u4E01", '<'},
      {"ru-RU", u"\u4E00", u"?", '>'},
      // A string against a number is converted, by the locale.
      {"ru-RU", u"10", 9, '>'},
      {"ru-RU", u"2,5", 2.5, '='},
      {"en-US", u"2.5", 2.5, '='},
      {"en-US", 2.5, u"2,5", '?', "Could not convert variant of type (OleStr) into type (Double)"},
      {"ru-RU", u"abc", 5, '?', "Could not convert variant of type (OleStr) into type (Double)"},
      {"ru-RU", 5, Ansi("abc"), '?', "Could not convert variant of type (String) into type (Double)"},
      {"ru-RU", u"0,5", Curr(0.5), '='},
      {"ru-RU", u"True", true, '='},
      {"ru-RU", u"False", true, '<'},
      {"ru-RU", u"01.02.2020", Date(feb1), '='},
      {"en-US", u"2/1/2020", Date(feb1 + 0.5), '<'},
      // Objects only against objects, by address order.
      {"ru-RU", &first, &first, '='},
      {"ru-RU", &first, &second, firstLess ? '<' : '>'},
      {"ru-RU", &first, 1, '?', "Invalid variant operation"},
      {"ru-RU", &first, Null(), '>'},
      // Arrays have no order of their own.
      {"ru-RU", VarArrayOf({1}), VarArrayOf({1}), '?', "Invalid variant operation"},
      {"ru-RU", VarArrayOf({1}), 1, '?', "Invalid variant operation"},
  };
  for (const CompareCase& c : cases) {
    SetLocale(c.locale);
    SCOPED_TRACE(std::string(c.locale) + " " + ::testing::PrintToString(c.a) + " vs " +
                 ::testing::PrintToString(c.b));
    if (*c.error) {
      EXPECT_EQ(StringToUtf8(ErrorOf([&] { Relation(c.a, c.b); })), c.error);
      EXPECT_EQ(StringToUtf8(ErrorOf([&] { (void)(c.a == c.b); })), c.error);
      continue;
    }
    EXPECT_EQ(Relation(c.a, c.b), c.expected);
    // The operators agree, and the reversed pair gives the reversed answer.
    EXPECT_EQ(c.a == c.b, c.expected == '=');
    EXPECT_EQ(c.a != c.b, c.expected != '=');
    EXPECT_EQ(c.a < c.b, c.expected == '<');
    EXPECT_EQ(c.a >= c.b, c.expected == '>' || c.expected == '=');
    const char reversed = c.expected == '<' ? '>' : c.expected == '>' ? '<' : c.expected;
    EXPECT_EQ(Relation(c.b, c.a), reversed);
  }
}

TEST_F(VariantTest, ArraysHaveBoundsElementsAndValueSemantics) {
  Variant list = VarArrayOf({7, u"x", Null()});
  EXPECT_EQ(VarArrayDimCount(list), 1);
  EXPECT_EQ(VarArrayLowBound(list, 1), 0);
  EXPECT_EQ(VarArrayHighBound(list, 1), 2);
  EXPECT_TRUE(Same(Variant(u"x"), list.Element(1)));
  EXPECT_TRUE(VarIsNull(VarArrayGet(list, {2})));

  // Copies are independent: the first write unshares.
  Variant copy = list;
  copy.SetElement(0, 8);
  EXPECT_EQ(list.Element(0).AsInteger(), 7);
  EXPECT_EQ(copy.Element(0).AsInteger(), 8);
  list.SetElement(2, list.Element(0));  // a value taken from the array itself
  EXPECT_EQ(list.Element(2).AsInteger(), 7);

  // Typed elements start at their zero and take converted values.
  Variant typed = VarArrayCreate({-1, 1}, varInteger);
  EXPECT_EQ(VarArrayLowBound(typed, 1), -1);
  EXPECT_TRUE(Same(Variant(0), typed.Element(-1)));
  typed.SetElement(1, u"42");
  EXPECT_TRUE(Same(Variant(42), typed.Element(1)));
  EXPECT_EQ(ErrorOf([&] { typed.SetElement(0, u"x"); }),
            u"Could not convert variant of type (OleStr) into type (Integer)");

  Variant grid = VarArrayCreate({0, 1, 1, 3}, varVariant);
  EXPECT_EQ(VarArrayDimCount(grid), 2);
  EXPECT_EQ(VarArrayHighBound(grid, 2), 3);
  VarArrayPut(grid, u"c", {1, 3});
  EXPECT_EQ(VarArrayGet(grid, {1, 3}).AsString(), u"c");
  EXPECT_TRUE(VarIsEmpty(VarArrayGet(grid, {0, 3})));

  const Variant empty = VarArrayCreate({0, -1}, varVariant);
  EXPECT_EQ(VarArrayHighBound(empty, 1), -1);

  const char* const outOfBounds = "Variant or safe array index out of bounds";
  EXPECT_EQ(StringToUtf8(ErrorOf([&] { list.Element(3); })), outOfBounds);
  EXPECT_EQ(StringToUtf8(ErrorOf([&] { typed.Element(-2); })), outOfBounds);
  EXPECT_EQ(StringToUtf8(ErrorOf([&] { empty.Element(0); })), outOfBounds);
  EXPECT_EQ(StringToUtf8(ErrorOf([&] { grid.Element(0); })), outOfBounds);  // needs two indexes
  EXPECT_EQ(StringToUtf8(ErrorOf([&] { VarArrayLowBound(grid, 3); })), outOfBounds);
  EXPECT_EQ(StringToUtf8(ErrorOf([] { Variant(1).Element(0); })), "Variant is not an array");
  EXPECT_EQ(VarArrayDimCount(Variant(1)), 0);
  EXPECT_EQ(StringToUtf8(ErrorOf([] {
              VarArrayCreate({0, -2}, varVariant);
            })),
            "Error creating variant or safe array");
  EXPECT_EQ(StringToUtf8(ErrorOf([] { VarArrayCreate({0}, varVariant); })),
            "Error creating variant or safe array");
  EXPECT_EQ(StringToUtf8(ErrorOf([] {
              VarArrayCreate({0, 1}, varNull);
            })),
            "Error creating variant or safe array");
  // Element counts whose product does not fit: 2^22 * 2^22 * 2^20 would wrap to no elements at all,
  // and a dimension of 2^31 elements has no int count.
  EXPECT_EQ(StringToUtf8(ErrorOf([] {
              VarArrayCreate({0, (1 << 22) - 1, 0, (1 << 22) - 1, 0, (1 << 20) - 1}, varByte);
            })),
            "Error creating variant or safe array");
  EXPECT_EQ(StringToUtf8(ErrorOf([] {
              VarArrayCreate({-1, 0x7FFFFFFF}, varByte);
            })),
            "Error creating variant or safe array");
}

TEST_F(VariantTest, ArithmeticKeepsThePlatformsResultKinds) {
  SetLocale("ru-RU");
  const double feb1 = EncodeDate(2020, 2, 1);
  struct Case {
    Variant result;
    Variant expected;
  };
  const Case cases[] = {
      {Variant(2) + 3, 5},
      {Variant(static_cast<SmallInt>(2)) * static_cast<Byte>(3), 6},
      {Variant(2000000000) + 2000000000, Int64{4000000000}},  // widens rather than wraps
      {Variant(Int64{2}) + 3, Int64{5}},
      {Variant(7) / 2, 3.5},
      {Variant(1) + 0.5, 1.5},
      {Variant(true) + 1, 0},  // True is -1
      {Variant() + 4, 4},
      {Null() + 4, Null()},
      {Variant(4) - Null(), Null()},
      {Variant(u"ab") + u"cd", u"abcd"},
      {Ansi("ab") + Ansi("cd"), Ansi("abcd")},
      {Variant(u"2,5") + 1, 3.5},  // text against a number is a number
      {Variant(u"2,5") * u"2", 5.0},
      {Curr(1.25) + 1, Curr(2.25)},
      {Curr(1.5) * Curr(1.5), Curr(2.25)},
      {Curr(10) / 4, Curr(2.5)},
      {Curr(10) / Curr(4), 2.5},
      {Curr(1) + 0.5, 1.5},
      {Date(feb1) + 1, Date(feb1 + 1)},
      {Date(feb1) - 0.5, Date(feb1 - 0.5)},
      {Date(feb1 + 2) - Date(feb1), 2.0},
      {-Variant(5), -5},
      {-Variant(Curr(1.5)), Curr(-1.5)},
      {-Variant(u"3"), -3.0},
      {-Null(), Null()},
  };
  for (size_t i = 0; i < std::size(cases); ++i)
    EXPECT_TRUE(Same(cases[i].expected, cases[i].result)) << "case " << i;

  Variant sum;
  for (int i = 1; i <= 4; ++i) sum += Curr(0.25 * i);
  EXPECT_TRUE(Same(Curr(2.5), sum));

  const Variant big = std::numeric_limits<Int64>::max();
  EXPECT_EQ(ErrorOf([&] { big + 1; }), u"Variant overflow");
  EXPECT_EQ(ErrorOf([&] { Variant(Currency::FromScaled(std::numeric_limits<Int64>::max())) + Curr(1); }),
            u"Variant overflow");
  EXPECT_EQ(ErrorOf([] { Variant(u"x") + 1; }),
            u"Could not convert variant of type (OleStr) into type (Double)");
  EXPECT_EQ(ErrorOf([] { VarArrayOf({1}) + 1; }), u"Invalid variant operation");
  EXPECT_THROW(Variant(1) / 0, EZeroDivide);
  EXPECT_THROW(Variant(Curr(1)) / 0, EZeroDivide);
  EXPECT_THROW(Variant(1e308) * 10, EOverflow);
}

TEST_F(VariantTest, CopiesShareTextAndAssignmentsReleaseIt) {
  Variant a = String(1000, u'я');
  Variant b = a;
  Variant c;
  c = b;
  const Variant& same = c;
  c = same;  // self-assignment keeps the value
  a = 1;
  b = std::move(c);
  EXPECT_EQ(b.AsString(), String(1000, u'я'));
  EXPECT_TRUE(VarIsEmpty(c));  // NOLINT: moved-from is Empty
  b.Clear();
  EXPECT_TRUE(VarIsEmpty(b));
  // The sanitizer checks that nothing leaked or was freed twice.
}

}  // namespace
