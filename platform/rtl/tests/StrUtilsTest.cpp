#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "LocaleTestSupport.h"
#include "platform/rtl/Collation.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/StrUtils.h"
#include "platform/rtl/String.h"

namespace {

TEST(StrUtilsTest, TrimRemovesBlanksAndControlCharactersOnly) {
  const String s = u" \t\r\n a b\x01 ";
  EXPECT_EQ(Trim(s), u"a b");
  EXPECT_EQ(TrimLeft(s), u"a b\x01 ");
  EXPECT_EQ(TrimRight(s), u" \t\r\n a b");
  EXPECT_EQ(Trim(u"   "), u"");
  // A no-break space is a character, not a blank.
  EXPECT_EQ(Trim(u"\u00A0x\u00A0"), u"\u00A0x\u00A0");
}

TEST(StrUtilsTest, PositionsAreOneBasedAndClamped) {
  EXPECT_EQ(Pos(u"лог", u"каталог"), 5);
  EXPECT_EQ(Pos(u"x", u"каталог"), 0);
  EXPECT_EQ(Pos(u"", u"abc"), 0);

  struct CopyCase {
    int index, count;
    const char16_t* expected;
  } copies[] = {{1, 3, u"abc"}, {2, 100, u"bcdef"}, {0, 2, u"ab"}, {-5, 2, u"ab"},
                {6, 1, u"f"},   {7, 1, u""},        {3, -1, u""},  {3, 0, u""}};
  for (const auto& c : copies)
    EXPECT_EQ(Copy(u"abcdef", c.index, c.count), c.expected) << c.index << "," << c.count;

  struct DeleteCase {
    int index, count;
    const char16_t* expected;
  } deletes[] = {{2, 2, u"adef"}, {5, 100, u"abcd"}, {0, 2, u"abcdef"}, {7, 1, u"abcdef"}, {1, 0, u"abcdef"}};
  for (const auto& c : deletes) {
    String s = u"abcdef";
    Delete(s, c.index, c.count);
    EXPECT_EQ(s, c.expected) << c.index << "," << c.count;
  }

  struct InsertCase {
    int index;
    const char16_t* expected;
  } inserts[] = {{1, u"XYabc"}, {2, u"aXYbc"}, {4, u"abcXY"}, {99, u"abcXY"}, {-3, u"XYabc"}};
  for (const auto& c : inserts) {
    String s = u"abc";
    Insert(u"XY", s, c.index);
    EXPECT_EQ(s, c.expected) << c.index;
  }
  EXPECT_EQ(StringOfChar(u'ж', 3), u"жжж");
  EXPECT_EQ(StringOfChar(u'-', -1), u"");
}

TEST(StrUtilsTest, StringReplace) {
  struct Case {
    const char16_t *s, *from, *to;
    TReplaceFlags flags;
    const char16_t* expected;
  } cases[] = {
      {u"a-b-c", u"-", u"+", 0, u"a+b-c"},
      {u"a-b-c", u"-", u"+", rfReplaceAll, u"a+b+c"},
      {u"Abc abc", u"ABC", u"x", rfReplaceAll, u"Abc abc"},
      {u"Abc abc", u"ABC", u"x", rfReplaceAll | rfIgnoreCase, u"x x"},
      {u"Иванов иванов", u"ИВАНОВ", u"Петров", rfIgnoreCase, u"Петров иванов"},
      {u"aaa", u"aa", u"b", rfReplaceAll, u"ba"},  // no overlap, no rescanning of the result
      {u"aaa", u"a", u"aa", rfReplaceAll, u"aaaaaa"},
      {u"abc", u"", u"x", rfReplaceAll, u"abc"},
  };
  for (const auto& c : cases) EXPECT_EQ(StringReplace(c.s, c.from, c.to, c.flags), c.expected);
}

TEST(StrUtilsTest, CaseMappingAsciiAgainstFull) {
  const String mixed = S("Ёлка ёж Straße Éclair");
  EXPECT_EQ(UpperCase(mixed), S("Ёлка ёж STRAßE ÉCLAIR"));
  EXPECT_EQ(LowerCase(mixed), S("Ёлка ёж straße Éclair"));
  EXPECT_EQ(AnsiUpperCase(mixed), S("ЁЛКА ЁЖ STRAßE ÉCLAIR"));  // one to one: ß keeps its length
  EXPECT_EQ(AnsiLowerCase(mixed), S("ёлка ёж straße éclair"));
  EXPECT_EQ(AnsiUpperCase(S("абвгдеёжзийклмнопрстуфхцчшщъыьэюя")), S("АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ"));
  EXPECT_EQ(AnsiLowerCase(S("АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ")), S("абвгдеёжзийклмнопрстуфхцчшщъыьэюя"));
  EXPECT_EQ(AnsiUpperChar(u'ё'), u'Ё');
  EXPECT_EQ(AnsiLowerChar(u'І'), u'і');
  // A supplementary letter (Deseret) maps too, and a lone surrogate is left alone.
  EXPECT_EQ(AnsiUpperCase(u"\U00010428\xD800"), u"\U00010400\xD800");
}

TEST(StrUtilsTest, OrdinalComparisons) {
  EXPECT_LT(CompareStr(u"A", u"a"), 0);
  EXPECT_GT(CompareStr(u"b", u"abc"), 0);
  EXPECT_LT(CompareStr(u"ab", u"abc"), 0);
  EXPECT_EQ(CompareText(u"HeLLo", u"hello"), 0);
  EXPECT_LT(CompareText(u"apple", u"BANANA"), 0);
  // Only ASCII folds: Cyrillic differs by case.
  EXPECT_NE(CompareText(u"Иванов", u"иванов"), 0);
  EXPECT_TRUE(SameText(u"ABC", u"abc"));
  EXPECT_FALSE(SameText(u"ABC", u"abcd"));
}

TEST(StrUtilsTest, RussianCollation) {
  LocaleScope ru("ru-RU");
  EXPECT_EQ(AnsiCompareText(u"Иванов", u"иванов"), 0);
  EXPECT_TRUE(AnsiSameText(u"ИВАНОВ", u"иванов"));
  EXPECT_FALSE(AnsiSameStr(u"Иванов", u"иванов"));
  EXPECT_TRUE(AnsiSameStr(u"Иванов", u"Иванов"));
  EXPECT_LT(AnsiCompareStr(u"иванов", u"Иванов"), 0);   // lower before upper on equal letters
  EXPECT_LT(AnsiCompareStr(u"Иванов", u"ивановa"), 0);  // but letters decide first
  // ё: after е, before ж; it differs from е only as an accent, so a later letter decides first.
  EXPECT_LT(AnsiCompareText(u"ежик", u"ёжик"), 0);
  EXPECT_LT(AnsiCompareText(u"ёжик", u"жук"), 0);
  EXPECT_LT(AnsiCompareText(u"Ёлкин", u"Ермаков"), 0);
  EXPECT_NE(AnsiCompareText(u"ёж", u"еж"), 0);
  EXPECT_EQ(AnsiCompareText(u"Ёж", u"ёж"), 0);
  // A precomposed ё equals е with a combining diaeresis.
  EXPECT_EQ(AnsiCompareStr(u"\u0451", u"\u0435\u0308"), 0);

  std::vector<String> names = {u"Яковлев", u"ёлкин", u"Smith", u"Абрамов", u"Ежов",
                               u"иванов",  u"Жуков", u"adams", u"Ёлкин",   u"Ильин"};
  std::sort(names.begin(), names.end(),
            [](const String& a, const String& b) { return AnsiCompareStr(a, b) < 0; });
  const std::vector<String> expected = {u"adams", u"Smith", u"Абрамов", u"Ежов",  u"ёлкин",
                                        u"Ёлкин", u"Жуков", u"иванов",  u"Ильин", u"Яковлев"};
  EXPECT_EQ(names, expected);
}

TEST(StrUtilsTest, EnglishCollationAndPrefixes) {
  LocaleScope en("en-US");
  EXPECT_LT(AnsiCompareText(u"apple", u"Banana"), 0);  // ordinal would put 'B' first
  EXPECT_LT(AnsiCompareStr(u"apple", u"Apple"), 0);
  EXPECT_GT(AnsiCompareStr(u"Apple", u"apple"), 0);
  EXPECT_LT(AnsiCompareText(u"resume", S("résumé")), 0);  // accents still count
  EXPECT_EQ(AnsiStrLIComp(u"HELLO world", u"hello there", 5), 0);
  EXPECT_GT(AnsiStrLIComp(u"HELLO world", u"hello there", 7), 0);
  EXPECT_EQ(AnsiStrLIComp(u"a", u"b", 0), 0);
  EXPECT_TRUE(AnsiStartsText(u"ПЕТ", u"Петров"));
  EXPECT_TRUE(AnsiStartsText(u"", u"Петров"));
  EXPECT_FALSE(AnsiStartsText(u"Петрова", u"Петров"));
}

// Sorting by keys must give the order of pairwise comparison, or lists sorted one way and
// searched the other would lose rows.
TEST(StrUtilsTest, SortKeysAgreeWithComparison) {
  LocaleScope ru("ru-RU");
  const std::vector<String> stems = {u"Иванов", u"иванова", u"Ёлкин",         u"елкин",
                                     u"Smith",  u"O'Neil",  u"Петров-Водкин", u"петров водкин",
                                     u"Жуков",  u"Abc",     u"abc",           u"123"};
  std::mt19937 rng(7);
  std::vector<String> names;
  for (int i = 0; i < 2000; ++i) names.push_back(stems[rng() % stems.size()] + stems[rng() % stems.size()]);
  for (bool ignoreCase : {false, true}) {
    for (size_t i = 0; i + 1 < names.size(); ++i) {
      const int byCompare = CollateCompare(names[i], names[i + 1], ignoreCase);
      const std::string ka = CollationSortKey(names[i], ignoreCase),
                        kb = CollationSortKey(names[i + 1], ignoreCase);
      const int byKey = ka < kb ? -1 : ka > kb ? 1 : 0;
      ASSERT_EQ(byCompare, byKey) << StringToUtf8(names[i]) << " / " << StringToUtf8(names[i + 1]);
    }
  }
}

TEST(StrUtilsTest, QuotingRoundTrips) {
  EXPECT_EQ(QuotedStr(u"it's"), u"'it''s'");
  EXPECT_EQ(AnsiQuotedStr(u"say \"hi\"", u'"'), u"\"say \"\"hi\"\"\"");
  struct Case {
    const char16_t *in, *out;
  } cases[] = {{u"'it''s'", u"it's"},
               {u"'abc' tail", u"abc"},
               {u"abc", u"abc"},
               {u"'unterminated", u"'unterminated"},
               {u"''", u""}};
  for (const auto& c : cases) EXPECT_EQ(AnsiDequotedStr(c.in, u'\''), c.out) << StringToUtf8(c.in);
  const String tricky = u"'a''b'''";
  EXPECT_EQ(AnsiDequotedStr(QuotedStr(tricky), u'\''), tricky);
}

TEST(StrUtilsTest, IdentifiersHexAndMulDiv) {
  struct Ident {
    const char16_t* s;
    bool dots, valid;
  } idents[] = {{u"Name1", false, true}, {u"_x", false, true},  {u"1x", false, false},  {u"", false, false},
                {u"a.b", false, false},  {u"a.b", true, true},  {u"a..b", true, false}, {u"a.", true, false},
                {u"имя", false, false},  {u"a b", false, false}};
  for (const auto& c : idents) EXPECT_EQ(IsValidIdent(c.s, c.dots), c.valid) << StringToUtf8(c.s);

  EXPECT_EQ(IntToHex(255, 4), u"00FF");
  EXPECT_EQ(IntToHex(0, 0), u"0");
  EXPECT_EQ(IntToHex(-1, 1), u"FFFFFFFF");
  EXPECT_EQ(IntToHex(Int64{-1}, 1), u"FFFFFFFFFFFFFFFF");
  EXPECT_EQ(IntToHex(Int64{0x123456789A}, 2), u"123456789A");

  struct Mul {
    int a, b, c, expected;
  } muls[] = {{10, 3, 4, 8},  {10, 1, 4, 3}, {-10, 1, 4, -3},        {5, 1, 2, 3},
              {-5, 1, 2, -3}, {7, 1, 0, -1}, {2000000000, 3, 2, -1}, {1 << 30, 1 << 30, 1 << 30, 1 << 30},
              {6, 1, -4, -2}};
  for (const auto& m : muls) EXPECT_EQ(MulDiv(m.a, m.b, m.c), m.expected) << m.a << "*" << m.b << "/" << m.c;
}

}  // namespace
