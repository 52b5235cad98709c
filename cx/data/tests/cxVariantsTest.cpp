#include <gtest/gtest.h>

#include <cmath>

#include "cx/data/cxVariants.h"
#include "cx/data/tests/TestHelpers.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Object.h"

namespace {

struct CompareCase {
  const char* name;
  Variant a, b;
  int expected;
};

TEST(cxVariantCompare, OrdersNullsNumbersStringsAndArrays) {
  const CompareCase cases[] = {
      {"null null", Null(), Null(), 0},
      {"null first", Null(), Variant(5), -1},
      {"null last", Variant(5), Null(), 1},
      {"text vs number", Ansi("abc"), Variant(5), -1},
      {"number vs text", Variant(5), Ansi("abc"), -1},
      {"ordinal case", Ansi("a"), Ansi("B"), 1},
      {"wide ordinal case", Wide("a"), Wide("B"), 1},
      {"numeric kinds", Variant(1), Variant(1.0), 0},
      {"numbers", Variant(2), Variant(1.5), 1},
      {"booleans", Variant(false), Variant(true), -1},
      {"arrays by element", VarArrayOf({1, 2}), VarArrayOf({1, 3}), -1},
      {"arrays by high bound", VarArrayOf({1, 2, 3}), VarArrayOf({1, 2}), 1},
      {"high bound difference unclipped", VarArrayOf({1, 2, 3, 4}), VarArrayOf({1, 2}), 2},
      {"equal arrays", VarArrayOf({1, Ansi("x")}), VarArrayOf({1, Ansi("x")}), 0},
      {"array vs scalar", VarArrayOf({1}), Variant(5), 1},
      {"scalar vs array", Variant(5), VarArrayOf({1}), -1},
  };
  for (const auto& c : cases) EXPECT_EQ(cxVariantCompare(c.a, c.b), c.expected) << c.name;
}

TEST(cxVariantsEqual, ComparesBooleansAsText) {
  EXPECT_TRUE(cxVariantsEqual(Variant(true), Ansi("True")));
  EXPECT_TRUE(cxVariantsEqual(Variant(false), Wide("False")));
  EXPECT_FALSE(cxVariantsEqual(Variant(true), Ansi("yes")));
  EXPECT_FALSE(cxVariantsEqual(Variant(true), Null()));
  EXPECT_TRUE(cxVariantsEqual(Variant(1), Variant(1.0)));
  EXPECT_TRUE(cxVariantsEqual(Null(), Null()));
  EXPECT_TRUE(cxVariantCompareEqual(Ansi("x"), Wide("x")));
}

TEST(cxVarIsBlank, NullAndEmptyTextsOnly) {
  EXPECT_TRUE(cxVarIsBlank(Null()));
  EXPECT_TRUE(cxVarIsBlank(Ansi("")));
  EXPECT_TRUE(cxVarIsBlank(Wide("")));
  EXPECT_FALSE(cxVarIsBlank(Ansi(" ")));
  EXPECT_FALSE(cxVarIsBlank(Variant(0)));
  EXPECT_FALSE(cxVarIsBlank(Variant()));
}

TEST(cxVariantCompareOrdered, IsAStrictWeakOrderOnMixedKinds) {
  TObject object1, object2;
  std::vector<Variant> values = {Null(),
                                 Variant(),
                                 Variant(5),
                                 Variant(2.5),
                                 Ansi("10"),
                                 Ansi("9"),
                                 Ansi("abc"),
                                 Wide("abd"),
                                 Variant(true),
                                 Variant(NAN),
                                 Variant(10),
                                 VarArrayOf({1}),
                                 VarArrayOf({Ansi("a"), 2}),
                                 Variant(&object1),
                                 Variant(&object2),
                                 VarFromDateTime(3.0)};
  auto less = [](const Variant& a, const Variant& b) { return cxVariantCompareOrdered(a, b) < 0; };
  for (const auto& a : values) {
    EXPECT_FALSE(less(a, a));
    for (const auto& b : values) {
      EXPECT_EQ(cxVariantCompareOrdered(a, b), -cxVariantCompareOrdered(b, a));
      for (const auto& c : values) {
        if (less(a, b) && less(b, c)) {
          EXPECT_TRUE(less(a, c));
        }
        bool eqAB = !less(a, b) && !less(b, a), eqBC = !less(b, c) && !less(c, b);
        if (eqAB && eqBC) {
          EXPECT_TRUE(!less(a, c) && !less(c, a));
        }
      }
    }
  }
  // Comparable values keep their order.
  EXPECT_EQ(cxVariantCompareOrdered(Variant(2), Variant(2.5)), -1);
  EXPECT_EQ(cxVariantCompareOrdered(Null(), Variant(1)), -1);
  EXPECT_EQ(cxVariantCompareOrdered(Ansi("a"), Ansi("B")), 1);
}

TEST(cxVarArrays, BetweenAndInListArrays) {
  Variant v;
  cxVarBetweenArrayCreate(Variant(1), Variant(5), v);
  EXPECT_EQ(VarArrayLowBound(v, 1), 0);
  EXPECT_EQ(VarArrayHighBound(v, 1), 1);
  EXPECT_EQ(VarArrayGet(v, {1}).AsInteger(), 5);
  cxVarListArrayCreate(Ansi("a"), v);
  cxVarListArrayAddValue(v, Ansi("b"));
  cxVarListArrayAddValue(v, Ansi("c"));
  ASSERT_EQ(VarArrayHighBound(v, 1), 2);
  EXPECT_EQ(VarArrayGet(v, {0}).AsString(), u"a");
  EXPECT_EQ(VarArrayGet(v, {2}).AsString(), u"c");
}

struct EncodingCase {
  const char* name;
  Variant value;
  const char* bytes;
  TVarType readType;
};

TEST(cxWriteVariant, EncodesEveryKindByteForByte) {
  const EncodingCase cases[] = {
      {"small integer", Variant(100), "02 64", varShortInt},
      {"negative small", Variant(-5), "02 FB", varShortInt},
      {"two bytes", Variant(-129), "03 7F FF", varSmallint},
      {"four bytes", Variant(40000), "04 40 9C 00 00", varInteger},
      {"smallint kind", Variant(static_cast<SmallInt>(5)), "02 05", varShortInt},
      {"byte kind", Variant(static_cast<Byte>(200)), "03 C8 00", varSmallint},
      {"shortint written back", Variant(static_cast<ShortInt>(-7)), "02 F9", varShortInt},
      {"word written back", Variant(static_cast<Word>(65535)), "04 FF FF 00 00", varInteger},
      {"empty", Variant(), "0D", varEmpty},
      {"null", Null(), "00", varNull},
      {"true", Variant(true), "09", varBoolean},
      {"false", Variant(false), "08", varBoolean},
      {"double 1", Variant(1.0), "05 00 00 00 00 00 00 00 80 FF 3F", varDouble},
      {"double 0.1", Variant(0.1), "05 00 D0 CC CC CC CC CC CC FB 3F", varDouble},
      {"double -2.5", Variant(-2.5), "05 00 00 00 00 00 00 00 A0 00 C0", varDouble},
      {"double 0", Variant(0.0), "05 00 00 00 00 00 00 00 00 00 00", varDouble},
      {"single", Variant(1.5f), "0F 00 00 C0 3F", varSingle},
      {"currency", Variant(Currency(1.5)), "10 98 3A 00 00 00 00 00 00", varCurrency},
      {"date", VarFromDateTime(1.5), "11 00 00 00 00 00 00 F8 3F", varDate},
      {"wide", Wide("ab"), "12 02 00 00 00 61 00 62 00", varOleStr},
      {"ansi", Ansi("x"), "06 01 78", varString},
      {"int64 as text", Variant(static_cast<Int64>(5)), "06 01 35", varString},
      {"array", VarArrayOf({7, Ansi("x")}), "01 02 02 02 07 06 01 78", varArray | varVariant},
      {"nested array", VarArrayOf({VarArrayOf({1}), Null()}), "01 02 02 01 02 01 02 01 00",
       varArray | varVariant},
      {"empty array", VarArrayCreate({0, -1}, varVariant), "01 02 00", varArray | varVariant},
  };
  for (const auto& c : cases) {
    TMemoryStream stream;
    cxWriteVariant(&stream, c.value);
    EXPECT_EQ(Hex(StreamBytes(stream)), c.bytes) << c.name;
    stream.SetPosition(0);
    Variant back = cxReadVariant(&stream);
    EXPECT_EQ(back.Type(), c.readType) << c.name;
    EXPECT_EQ(stream.Position(), stream.Size()) << c.name;
    if (!VarIsArray(c.value) && c.value.Type() != varInt64) {
      EXPECT_EQ(cxVariantCompare(back, c.value), 0) << c.name;
    }
  }
}

TEST(cxWriteVariant, ExtendedRoundTripKeepsDoublesExactly) {
  for (double d : {0.1, 1e308, -1e-308, 5e-324, 123456.789, -0.0, 1.0 / 3.0}) {
    TMemoryStream stream;
    cxWriteVariant(&stream, Variant(d));
    stream.SetPosition(0);
    double back = cxReadVariant(&stream).AsDouble();
    EXPECT_EQ(std::signbit(back), std::signbit(d));
    EXPECT_EQ(back, d);
  }
}

TEST(cxWriteVariant, StringLengthsChooseTheShortOrLongForm) {
  TMemoryStream s255, s300;
  cxWriteVariant(&s255, VarFromAnsiString(std::string(255, 'a')));
  cxWriteVariant(&s300, VarFromAnsiString(std::string(300, 'b')));
  auto b255 = StreamBytes(s255), b300 = StreamBytes(s300);
  EXPECT_EQ(Hex({b255.begin(), b255.begin() + 2}), "06 FF");
  EXPECT_EQ(b255.size(), 257u);
  EXPECT_EQ(Hex({b300.begin(), b300.begin() + 5}), "0C 2C 01 00 00");
  EXPECT_EQ(b300.size(), 305u);
  s300.SetPosition(0);
  EXPECT_EQ(cxReadVariant(&s300).AsAnsiString(), std::string(300, 'b'));
}

TEST(cxWriteVariant, RefusesWhatItCannotWriteBeforeWritingAnything) {
  Variant twoD = VarArrayCreate({0, 1, 0, 1}, varVariant);
  TObject object;
  for (const Variant& v : std::vector<Variant>{twoD, VarArrayOf({1, twoD}), Variant(&object)}) {
    TMemoryStream stream;
    EXPECT_THROW(cxWriteVariant(&stream, v), EWriteError);
    EXPECT_EQ(stream.Size(), 0);
  }
}

TEST(cxReadVariant, RejectsBadTagsTruncationAndImpossibleLengths) {
  for (const char* tag : {"07", "0A", "0B", "0E", "13", "FF"}) {
    TMemoryStream stream;
    LoadBytes(stream, FromHex(tag));
    try {
      cxReadVariant(&stream);
      ADD_FAILURE() << tag;
    } catch (const EReadError& e) {
      EXPECT_EQ(e.Message(), u"Stream read error");
      EXPECT_EQ(stream.Position(), 1);
    }
  }
  for (const char* bytes :
       {"04 40 9C", "05 00 00", "06 05 61 62", "0C FF FF FF 7F", "0C FF FF FF FF", "12 FF FF FF 3F 61 00",
        "12 FE FF FF FF", "01 04 FF FF FF 7F 02 01", "01 02 03 02 01"}) {
    TMemoryStream stream;
    LoadBytes(stream, FromHex(bytes));
    EXPECT_THROW(cxReadVariant(&stream), EReadError) << bytes;
  }
  TMemoryStream stream;
  LoadBytes(stream, FromHex("FF FF FF 7F"));
  EXPECT_THROW(cxReadString(&stream), EReadError);
}

TEST(cxStreamPrimitives, FixedSizesAndStrings) {
  TMemoryStream stream;
  cxWriteString(&stream, "ab");
  cxWriteWideString(&stream, u"Ж");
  cxWriteBoolean(&stream, true);
  cxWriteByte(&stream, 0xAB);
  cxWriteSmallInt(&stream, -2);
  cxWriteWord(&stream, 0xFFFE);
  cxWriteInteger(&stream, -2);
  cxWriteLargeInt(&stream, 1);
  cxWriteFloat(&stream, 1.0);
  cxWriteCurrency(&stream, Currency(1));
  EXPECT_EQ(Hex(StreamBytes(stream)),
            "02 00 00 00 61 62 01 00 00 00 16 04 01 AB FE FF FE FF FE FF FF FF 01 00 00 00 00 00 00 00 "
            "00 00 00 00 00 00 F0 3F 10 27 00 00 00 00 00 00");
  stream.SetPosition(0);
  EXPECT_EQ(cxReadString(&stream), "ab");
  EXPECT_EQ(cxReadWideString(&stream), u"Ж");
  EXPECT_TRUE(cxReadBoolean(&stream));
  EXPECT_EQ(cxReadByte(&stream), 0xAB);
  EXPECT_EQ(cxReadSmallInt(&stream), -2);
  EXPECT_EQ(cxReadWord(&stream), 0xFFFE);
  EXPECT_EQ(cxReadInteger(&stream), -2);
  EXPECT_EQ(cxReadLargeInt(&stream), 1);
  EXPECT_EQ(cxReadFloat(&stream), 1.0);
  EXPECT_EQ(cxReadCurrency(&stream), Currency(1));
  EXPECT_THROW(cxReadByte(&stream), EReadError);
}

}  // namespace
