#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "platform/ado/ServerText.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/String.h"

namespace {

TEST(ServerText, TextToDateAsTheServerReadsIt) {
  struct Case {
    const char16_t* text;
    bool ok;
    TDateTime expected;
  } cases[] = {
      {u"31.12.2003", true, EncodeDate(2003, 12, 31)},
      {u"1.2.2003", true, EncodeDate(2003, 2, 1)},
      {u" 01/02/2003 ", true, EncodeDate(2003, 2, 1)},
      {u"01.02.03", true, EncodeDate(2003, 2, 1)},
      {u"01.02.75", true, EncodeDate(1975, 2, 1)},
      {u"2003-02-01", true, EncodeDate(2003, 2, 1)},
      {u"20030201", true, EncodeDate(2003, 2, 1)},
      {u"01.02.2003 13:45:10", true, EncodeDateTime(2003, 2, 1, 13, 45, 10, 0)},
      {u"00:00:00", true, 2.0},  // a time alone falls on 1900-01-01
      {u"12:30", true, 2.0 + 0.5 + 30.0 / 1440},
      {u"32.12.2003", false, 0},
      {u"29.02.2003", false, 0},
      {u"01.01.1700", false, 0},  // before the server's first day
      {u"", false, 0},
      {u"abc", false, 0},
      {u"01.02.2003x", false, 0},
  };
  for (auto& c : cases) {
    TDateTime d = -1;
    EXPECT_EQ(ParseServerDateTime(c.text, d), c.ok) << StringToUtf8(c.text);
    if (c.ok) {
      EXPECT_NEAR(d, c.expected, 1e-9) << StringToUtf8(c.text);
    }
  }
  TDateTime d;
  EXPECT_TRUE(ParseDateStyle104(u"05.06.2007", d));
  EXPECT_EQ(d, EncodeDate(2007, 6, 5));
  EXPECT_FALSE(ParseDateStyle104(u"2007-06-05", d));
  EXPECT_FALSE(ParseDateStyle104(u"00:00:00", d));
}

TEST(ServerText, CollationIgnoresCaseAndTrailingBlanksAndOrdersCyrillic) {
  EXPECT_EQ(CompareServerText(u"Иванов", u"иванов"), 0);
  EXPECT_EQ(CompareServerText(u"ИВАНОВ  ", u"иванов"), 0);
  EXPECT_EQ(CompareServerText(u"Ivanov", u"IVANOV"), 0);
  EXPECT_NE(CompareServerText(u" Иванов", u"Иванов"), 0);  // leading blanks count
  // Alphabet order, not code order: ё sits with е, before ж (its code is after я).
  std::vector<std::u16string> names = {u"Яковлев", u"Ёлкин", u"Жуков",   u"елкин",
                                       u"Зайцев",  u"Abc",   u"абрамов", u"1-й"};
  std::sort(names.begin(), names.end(), [](auto& a, auto& b) { return CompareServerText(a, b) < 0; });
  std::vector<std::u16string> expected = {u"1-й",   u"Abc",   u"абрамов", u"елкин",
                                          u"Ёлкин", u"Жуков", u"Зайцев",  u"Яковлев"};
  EXPECT_EQ(names, expected);
  // UTF-8 and UTF-16 agree.
  EXPECT_LT(CompareServerText(std::string_view("Ёж"), std::string_view("Жук")), 0);
  EXPECT_GT(CompareServerText(std::string_view("ёж"), std::string_view("еж")), 0);
}

TEST(ServerText, SortKeysOrderAsTheCollation) {
  std::vector<std::u16string> words = {u"Петров", u"петрова", u"Петров ", u"Пётр", u"Петр", u"ПЕТРОВ", u"Пе",
                                       u"",       u"Zeta",    u"alpha",   u"Ёж",   u"еж",   u"ЕЖИК"};
  for (auto& a : words)
    for (auto& b : words) {
      int c = CompareServerText(a, b);
      std::string ka = ServerTextSortKey(a), kb = ServerTextSortKey(b);
      int k = ka < kb ? -1 : ka > kb ? 1 : 0;
      EXPECT_EQ(c < 0 ? -1 : c > 0 ? 1 : 0, k) << StringToUtf8(a) << " vs " << StringToUtf8(b);
    }
}

TEST(ServerText, UpperAndLowerCoverCyrillic) {
  EXPECT_EQ(ServerUpper("ёлка Ivan ß"), "ЁЛКА IVAN ß");
  EXPECT_EQ(ServerLower("ЁЖИК ABC"), "ёжик abc");
}

}  // namespace
