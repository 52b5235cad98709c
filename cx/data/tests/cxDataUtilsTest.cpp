#include <gtest/gtest.h>

#include "cx/data/cxDataUtils.h"
#include "cx/data/cxLike.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/String.h"

namespace {

TEST(cxLikeMatch, ManyAndOneWildcardsCaseSensitive) {
  const struct {
    const char* text;
    const char* pattern;
    bool expected;
  } cases[] = {
      {"abc", "a%", true},      {"abc", "%b%", true},       {"abc", "a_c", true}, {"abc", "A%", false},
      {"", "%", true},          {"abc", "abc%%", true},     {"abc", "ab", false}, {"", "_", false},
      {"a", "_", true},         {"abc", "%c", true},        {"ab", "a%b%", true}, {"abc", "%", true},
      {"abcabd", "%ab_", true}, {"aaa", "%a%a%a%a", false}, {"абв", "а%", true},  {"x", "", false},
      {"", "", true},           {"abc", "_%_", true},       {"ab", "a%c", false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(cxLikeMatch(S(c.text), S(c.pattern), u'%', u'_'), c.expected) << c.text << " ~ " << c.pattern;
  // A pattern that would take exponential time with naive backtracking.
  String text(2000, u'a');
  EXPECT_FALSE(cxLikeMatch(text, u"%a%a%a%a%a%a%a%a%b", u'%', u'_'));
  EXPECT_TRUE(cxLikeMatch(AnsiString("abc"), AnsiString("a*"), '*', '?'));
}

TEST(cxStripLikeWildcards, CollapsesAndStrips) {
  const struct {
    const char* text;
    const char* stripped;
    int result;
  } cases[] = {{"%%abc%%%", "abc", 3}, {"abc%", "abc", 1}, {"%abc", "abc", 2}, {"%%", "%", 0},
               {"a", "a", 0},          {"a%c", "a%c", 0},  {"%a", "a", 2},     {"", "", 0}};
  for (const auto& c : cases) {
    String text = S(c.text);
    EXPECT_EQ(cxStripLikeWildcards(text, u'%'), c.result) << c.text;
    EXPECT_EQ(text, S(c.stripped)) << c.text;
  }
}

TEST(cxTextStartsWith, CaseInsensitiveLeadingOrWhole) {
  SetLocale("ru-RU");
  EXPECT_TRUE(cxTextStartsWith(u"Moscow", u"mos", true));
  EXPECT_FALSE(cxTextStartsWith(u"Moscow", u"mos", false));
  EXPECT_TRUE(cxTextStartsWith(u"Moscow", u"MOSCOW", false));
  EXPECT_TRUE(cxTextStartsWith(S("Москва"), S("мОС"), true));
  EXPECT_FALSE(cxTextStartsWith(u"x", u"", true));
  EXPECT_TRUE(cxTextStartsWith(u"", u"", false));
  EXPECT_FALSE(cxTextStartsWith(u"mo", u"mos", true));
}

TEST(cxStartOfWeek, FollowsTheLocalesFirstDay) {
  SetLocale("ru-RU");  // Monday first
  EXPECT_EQ(cxGetLocaleFirstDayOfWeek(), 1);
  TDateTime wednesday = EncodeDate(2024, 3, 13) + 0.75, sunday = EncodeDate(2024, 3, 17);
  EXPECT_EQ(cxStartOfWeek(wednesday), EncodeDate(2024, 3, 11));
  EXPECT_EQ(cxStartOfWeek(sunday), EncodeDate(2024, 3, 11));
  SetLocale("en-US");  // Sunday first
  EXPECT_EQ(cxGetLocaleFirstDayOfWeek(), 0);
  EXPECT_EQ(cxStartOfWeek(sunday), sunday);
  EXPECT_EQ(cxStartOfWeek(wednesday), EncodeDate(2024, 3, 10));
  EXPECT_EQ(cxDatePart(wednesday), EncodeDate(2024, 3, 13));
  EXPECT_DOUBLE_EQ(cxTimePart(wednesday), 0.75);
}

TEST(cxCurrencyDisplayFormat, PlacesTheSymbolByTheLocale) {
  SetLocale("en-US");
  const struct {
    const char* symbol;
    int format;
    int decimals;
    const char* expected;
  } cases[] = {{"$", 0, 2, "$,0.00"},  {"$", 1, 2, ",0.00$"},     {"$", 2, 2, "$ ,0.00"},
               {"$", 3, 2, ",0.00 $"}, {"x.", 1, 2, ",0.00x'.'"}, {"р.", 3, 2, ",0.00 р'.'"},
               {"", 3, 2, ",0.00"},    {"$", 0, 0, "$,0."}};
  for (const auto& c : cases) {
    FormatSettings().CurrencyString = S(c.symbol);
    FormatSettings().CurrencyFormat = static_cast<Byte>(c.format);
    FormatSettings().CurrencyDecimals = static_cast<Byte>(c.decimals);
    EXPECT_EQ(cxCurrencyDisplayFormat(), S(c.expected)) << c.expected;
  }
  SetLocale("en-US");
}

TEST(cxGetFilterResourceString, HookReplacesTheStringTable) {
  EXPECT_EQ(cxGetFilterResourceString(65011), u"equals");
  cxFilterResourceStringHook = [](int id) { return id == 65011 ? String(u"равно") : String(); };
  EXPECT_EQ(cxGetFilterResourceString(65011), u"равно");
  cxFilterResourceStringHook = nullptr;
}

}  // namespace
