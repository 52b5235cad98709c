// Binary-coded decimals as text, doubles and comparisons, and the FMTBcd and SQL time stamp
// variant kinds: conversions, comparisons with other kinds, arithmetic and copies.
#include <gtest/gtest.h>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FMTBcd.h"
#include "platform/rtl/String.h"
#include "platform/rtl/tests/LocaleTestSupport.h"

using namespace FMTBcd;

TEST(FMTBcd, TextRoundTripsAndRefusals) {
  LocaleScope en("en-US");
  struct {
    const char* text;
    const char* shown;  // nullptr: refused
  } cases[] = {
      {"123.4500", "123.45"}, {"-0.0", "0"},       {"+7", "7"},          {"0007.10", "7.1"},
      {"-0.001", "-0.001"},   {" 42 ", "42"},      {"1e5", nullptr},     {"", nullptr},
      {"12a", nullptr},       {"1.2.3", nullptr},  {"-", nullptr},
      {"12345678901234567890123456789012345678901234567890123456789012345", nullptr},  // 65 digits
  };
  for (auto& c : cases) {
    TBcd b;
    const bool ok = TryStrToBcd(Utf8ToString(c.text), b);
    EXPECT_EQ(ok, c.shown != nullptr) << c.text;
    if (ok) {
      EXPECT_EQ(StringToUtf8(BcdToStr(b)), c.shown) << c.text;
    }
  }
  EXPECT_THROW(StrToBcd(u"x"), EConvertError);
  LocaleScope ru("ru-RU");
  EXPECT_EQ(BcdToStr(StrToBcd(u"1,5")), u"1,5");  // the locale's separator both ways
  EXPECT_EQ(BcdToStr(StrToBcd(u"2.25")), u"2,25");
}

TEST(FMTBcd, ComparisonsAndDoubles) {
  LocaleScope en("en-US");
  struct {
    const char16_t *a, *b;
    int expect;
  } cases[] = {{u"1.50", u"1.5", 0},   {u"-2", u"1", -1},     {u"-0", u"0", 0},
               {u"10", u"9.99", 1},    {u"-10", u"-9.99", -1}, {u"0.001", u"0.0009", 1}};
  for (auto& c : cases) {
    EXPECT_EQ(BcdCompare(StrToBcd(c.a), StrToBcd(c.b)), c.expect) << StringToUtf8(c.a);
    EXPECT_EQ(BcdCompare(StrToBcd(c.b), StrToBcd(c.a)), -c.expect) << StringToUtf8(c.a);
  }
  EXPECT_EQ(BcdToStr(DoubleToBcd(0.1)), u"0.1");
  EXPECT_EQ(BcdToStr(DoubleToBcd(-1234.5)), u"-1234.5");
  EXPECT_DOUBLE_EQ(BcdToDouble(StrToBcd(u"-12.25")), -12.25);
}

TEST(FMTBcd, TheVariantKindConvertsComparesAndCopies) {
  LocaleScope en("en-US");
  Variant v = VarFMTBcdCreate(StrToBcd(u"12345678901234.5678"));
  EXPECT_EQ(VarType(v), varFMTBcd);
  EXPECT_TRUE(VarIsFMTBcd(v));
  EXPECT_TRUE(VarIsNumeric(v));
  EXPECT_EQ(VarTypeAsText(varFMTBcd), u"FMTBcd");
  EXPECT_EQ(v.AsString(), u"12345678901234.5678");
  EXPECT_EQ(v.AsCurrency(), Currency::FromScaled(123456789012345678LL));  // exact, not through a double
  Variant copy = v;  // shared by reference, freed once
  v = Variant(1);
  EXPECT_EQ(copy.AsString(), u"12345678901234.5678");
  Variant half = VarFMTBcdCreate(StrToBcd(u"1.5"));
  EXPECT_TRUE(half == Variant(1.5));
  EXPECT_TRUE(half < Variant(2));
  EXPECT_EQ(VarType(half + Variant(1)), varDouble);
  EXPECT_DOUBLE_EQ((half + Variant(1)).AsDouble(), 2.5);
  Variant fromText = VarAsType(Variant(u"0.25"), varFMTBcd);
  EXPECT_EQ(BcdCompare(VarToBcd(fromText), StrToBcd(u".25")), 0);
  EXPECT_EQ(BcdToStr(VarToBcd(Variant(Currency(3)))), u"3");
  EXPECT_THROW(VarToBcd(Variant(u"many")), EVariantError);
}

TEST(FMTBcd, TheSQLTimeStampKindKeepsItsFields) {
  LocaleScope ru("ru-RU");
  TSQLTimeStamp stamp{2024, 3, 5, 10, 30, 15, 250};
  Variant v = VarSQLTimeStampCreate(stamp);
  EXPECT_EQ(VarType(v), varSQLTimeStamp);
  EXPECT_TRUE(VarIsSQLTimeStamp(v));
  EXPECT_EQ(VarToSQLTimeStamp(v), stamp);  // the milliseconds exactly
  EXPECT_NEAR(v.AsDateTime(), EncodeDate(2024, 3, 5) + EncodeTime(10, 30, 15, 250), 1e-9);
  EXPECT_EQ(v.AsString(), u"05.03.2024 10:30:15");
  EXPECT_TRUE(v > VarFromDateTime(EncodeDate(2024, 3, 5)));
  EXPECT_EQ(VarType(v + Variant(1)), varDate);  // a day later, as a date
  EXPECT_EQ(VarToSQLTimeStamp(VarFromDateTime(EncodeDate(2024, 1, 2))).Day, 2);
  EXPECT_THROW(VarSQLTimeStampCreate(TSQLTimeStamp{2024, 13, 1, 0, 0, 0, 0}), EConvertError);
  EXPECT_EQ(VarTypeAsText(varSQLTimeStamp), u"SQLTimeStamp");
}
