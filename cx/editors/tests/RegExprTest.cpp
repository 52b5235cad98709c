#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cx/editors/cxRegExpr.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/String.h"

namespace {

using Texts = std::vector<std::string>;

// The error texts of compiling the pattern; empty when it compiles.
Texts CompileErrors(const String& pattern) {
  TcxRegExpr re;
  try {
    re.Compile(pattern);
  } catch (const EcxRegExprError& e) {
    Texts texts;
    for (int i = 0; i < e.Errors().Count(); ++i) texts.push_back(StringToUtf8(e.Errors().Items(i).GetText()));
    EXPECT_FALSE(re.Compiled());
    EXPECT_EQ(re.Errors().Count(), e.Errors().Count());
    return texts;
  }
  EXPECT_TRUE(re.Compiled());
  return {};
}

// Feeds the text one character at a time; the number of characters accepted before the first
// refusal (the automaton stays where that left it).
size_t Feed(TcxRegExpr& re, const String& text) {
  size_t accepted = 0;
  for (Char c : text) {
    if (!re.Next(c)) break;
    ++accepted;
  }
  return accepted;
}

class RegExprTest : public ::testing::Test {
 protected:
  void SetUp() override { SetLocale("ru-RU"); }
  void TearDown() override { SetLocale("ru-RU"); }
};

struct ErrorCase {
  const char16_t* pattern;
  Texts errors;
};

TEST_F(RegExprTest, CompileErrorsCarryTheirPositionAndText) {
  const ErrorCase cases[] = {
      {u"", {"The source stream is empty"}},
      {u" \r\n\t ", {"The source stream is empty"}},
      {u"a|", {"The alternative should not be empty"}},
      {u"|a", {"Line1, Char1: The alternative should not be empty"}},
      {u"a||b", {"Line1, Char3: The alternative should not be empty"}},
      {u"()", {"Line1, Char2: The block should not be empty"}},
      {u"(a|)", {"Line1, Char4: The block should not be empty"}},
      {u"(a", {"Missing ')'"}},
      {u"a)", {"Unnecessary ')'"}},
      {u")(", {"Line1, Char1: Illegal ')'", "The alternative should not be empty"}},
      {u"*a", {"Line1, Char1: Illegal quantifier '*'"}},
      {u"a|+", {"Line1, Char3: Illegal quantifier '+'"}},
      {u"?", {"Line1, Char1: Illegal quantifier '?'"}},
      {u"a?*", {"Line1, Char3: The '*' quantifier can't be applied here"}},
      {u"(a*)+", {"Line1, Char5: The '+' quantifier can't be applied here"}},
      {u"(a|b?)*", {"Line1, Char7: The '*' quantifier can't be applied here"}},
      {u"a{2}",
       {"Line1, Char2: The parameter quantifiers does not support", "Line1, Char3: Illegal integer value",
        "Line1, Char4: Illegal '}'"}},
      {u"a{1,23}",
       {"Line1, Char2: The parameter quantifiers does not support", "Line1, Char3: Illegal integer value",
        "Line1, Char5: Illegal integer value", "Line1, Char7: Illegal '}'"}},
      {u"a{2", {"Line1, Char4: Missing '}'"}},
      {u"a{x}", {"Line1, Char3: Illegal 'x'"}},
      {u"a{'}", {"Line1, Char3: Illegal ' ' '"}},
      {u"[z-a]", {"Line1, Char4: The start character of subrange must less than the finish one"}},
      {u"[a-a]", {"Line1, Char4: The start character of subrange must less than the finish one"}},
      {u"[a-c-e]", {"Line1, Char5: Illegal '-'"}},
      {u"[]", {"Line1, Char2: Can't create empty enumeration"}},
      {u"[^]", {"Line1, Char3: Can't create empty enumeration"}},
      {u"[ab", {"Line1, Char4: Missing ']'"}},
      {u"[a-", {"Line1, Char4: Missing ']'"}},
      {u"'ab", {"Line1, Char4: Missing ' ' '"}},
      {u"\\x4", {"Line1, Char4: Hexadecimal number expected"}},
      {u"\\x4G", {"Line1, Char4: Hexadecimal number expected but 'G' found"}},
      {u"a\r\n\\x4G", {"Line2, Char4: Hexadecimal number expected but 'G' found"}},
      {u"a\\ b", {"Line1, Char3: Incorrect space after '\\'"}},
      {u"(ab)\\2", {"Line1, Char5: Too big reference number"}},
      // Every error of a stage is collected; lexing errors stop before parsing.
      {u"[b-a]*x|",
       {"Line1, Char4: The start character of subrange must less than the finish one",
        "The alternative should not be empty"}},
      {u"'a\\ b' \\ ", {"Line1, Char9: Incorrect space after '\\'"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(StringToUtf8(c.pattern));
    EXPECT_EQ(CompileErrors(c.pattern), c.errors);
  }
}

TEST_F(RegExprTest, ErrorTextsPrefixTheirPosition) {
  EXPECT_EQ(TcxRegExprError(1, 5, u"x").GetText(), u"Line1, Char5: x");
  EXPECT_EQ(TcxRegExprError(2, 0, u"x").GetText(), u"Line2: x");
  EXPECT_EQ(TcxRegExprError(0, 0, u"x").GetText(), u"x");
}

struct MatchCase {
  const char16_t* pattern;
  const char16_t* text;
  size_t accepted;  // characters accepted before the first refusal
  bool final;
};

TEST_F(RegExprTest, MatchesEveryConstructIncrementally) {
  const MatchCase cases[] = {
      {u"abc", u"abc", 3, true},
      {u"abc", u"ab", 2, false},  // a partial text the pattern allows
      {u"abc", u"abd", 2, false},
      {u"a|bc", u"bc", 2, true},
      {u"a|bc", u"a", 1, true},
      {u"a|bc", u"ab", 1, true},
      {u"a*", u"", 0, true},
      {u"a*", u"aaa", 3, true},
      {u"a+", u"", 0, false},
      {u"a+", u"aa", 2, true},
      {u"ab?c", u"ac", 2, true},
      {u"ab?c", u"abc", 3, true},
      {u"ab?c", u"abbc", 2, false},
      {u"(ab)+", u"abab", 4, true},
      {u"(ab)+", u"aba", 3, false},
      {u"(a|b)*c", u"abbac", 5, true},
      {u"a*?", u"aaa", 3, true},  // '(a*)?'
      {u"a+?", u"", 0, true},     // '(a+)?'
      {u"(a?)", u"", 0, false},   // the block matches nothing, yet the empty text is not complete
      {u"(a?)", u"a", 1, true},
      {u"(ab)\\1", u"abab", 4, true},
      {u"(ab)\\1", u"ab", 2, false},
      {u"(a|b)\\1", u"ab", 2, true},  // the sub-pattern is repeated, not the matched text
      {u"(a)\\12", u"aa2", 3, true},
      {u"[a-c]x", u"bx", 2, true},
      {u"[a-c]x", u"dx", 0, false},
      {u"[^a-c]", u"d", 1, true},
      {u"[^a-c]", u"b", 0, false},
      {u"[a-]", u"-", 1, true},
      {u"[-a]", u"-", 1, true},
      {u"[a - c]", u"b", 1, true},
      {u"[.]", u".", 1, true},
      {u"[.]", u"x", 0, false},
      {u"[\\1]", u"1", 1, true},
      {u"[\\d_]", u"_", 1, true},
      {u"[^\\d]", u"5", 0, false},
      {u".", u"\u0436", 1, true},
      {u"\\d\\D", u"1x", 2, true},
      {u"\\d", u"x", 0, false},
      {u"\\w\\W", u"_.", 2, true},
      {u"\\w", u"\u0436", 0, false},
      {u"\\s\\S", u" x", 2, true},
      {u"\\s", u"\v", 0, false},
      {u"\\x41\\x6a", u"Aj", 2, true},
      {u"\\t\\n\\r\\f\\a\\e", u"\t\n\r\f\a\x1b", 6, true},
      {u"\\.\\*\\0", u".*0", 3, true},
      {u"'a b'", u"a b", 3, true},
      {u"a b", u"ab", 2, true},
      {u"a\r\nb", u"ab", 2, true},
      {u"'it''s'", u"it's", 4, true},
      {u"'(*)'", u"(*)", 3, true},
      {u"\u0436+", u"\u0436\u0436", 2, true},
      // '/' and ':' are the system separators (Russian: '.' and ':'), except quoted or escaped.
      {u"\\d/\\d", u"1.2", 3, true},
      {u"\\d/\\d", u"1/2", 1, false},
      {u"'/'", u"/", 1, true},
      {u"\\/", u"/", 1, true},
      {u"[/]", u".", 1, true},
      {u"\\d:\\d", u"1:2", 3, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(StringToUtf8(c.pattern) + " <- " + StringToUtf8(c.text));
    TcxRegExpr re;
    re.Compile(c.pattern);
    EXPECT_TRUE(re.IsStart());
    EXPECT_EQ(Feed(re, c.text), c.accepted);
    EXPECT_EQ(re.IsFinal(), c.final);
  }
}

TEST_F(RegExprTest, BlanksOutsideQuotesDoNotChangeThePattern) {
  TcxRegExpr spaced, plain;
  spaced.Compile(u"a b");
  plain.Compile(u"ab");
  EXPECT_EQ(spaced.Automat()->ParseTree().GetText(), plain.Automat()->ParseTree().GetText());
  EXPECT_EQ(spaced.Lexems().Count(), 2);
}

TEST_F(RegExprTest, ParseTreeText) {
  TcxRegExpr re;
  re.Compile(u"a(b|c)*d?");
  EXPECT_EQ(re.Automat()->ParseTree().GetText(),
            u"<Start_Alt>\r\n"
            u"item --> \r\n"
            u"<Start_Block>\r\n"
            u"<Start_Alt>\r\nitem --> \r\n<Finish_Alt>\r\n"
            u"<Start_Alt>\r\nitem --> \r\n<Finish_Alt>\r\n"
            u"<Finish_Block> --> *\r\n"
            u"item --> ?\r\n"
            u"<Finish_Alt>\r\n");
}

TEST_F(RegExprTest, LexemsRecordKindValueAndPosition) {
  TcxRegExpr re;
  re.Compile(u"(\\d)*[^a-c/]\r\n.\\1:");
  struct Expected {
    Integer code;
    const char16_t* value;
    Integer line, ch;
  };
  const Expected expected[] = {
      {cxLexemOperator, u"(", 1, 1},       {cxLexemDigit, u"\\d", 1, 2},       {cxLexemOperator, u")", 1, 4},
      {cxLexemOperator, u"*", 1, 5},       {cxLexemOperator, u"[", 1, 6},      {cxLexemOperator, u"^", 1, 7},
      {cxLexemSymbol, u"a", 1, 8},         {cxLexemOperator, u"-", 1, 9},      {cxLexemSymbol, u"c", 1, 10},
      {cxLexemDateSeparator, u"/", 1, 11}, {cxLexemOperator, u"]", 1, 12},     {cxLexemAny, u".", 2, 1},
      {cxLexemReference, u"1", 2, 2},      {cxLexemTimeSeparator, u":", 2, 4},
  };
  ASSERT_EQ(re.Lexems().Count(), static_cast<int>(std::size(expected)));
  for (int i = 0; i < re.Lexems().Count(); ++i) {
    SCOPED_TRACE(i);
    const TcxLexem lexem = re.Lexems().Items(i);
    EXPECT_EQ(lexem.Code, expected[i].code);
    EXPECT_EQ(lexem.Value, expected[i].value);
    EXPECT_EQ(lexem.Line, expected[i].line);
    EXPECT_EQ(lexem.Char, expected[i].ch);
  }
}

TEST_F(RegExprTest, CaseInsensitiveStepsTakeThePatternsLetterCase) {
  TcxRegExpr re;
  re.SetCaseInsensitive(true);
  re.Compile(u"Ab\u0416");
  Char c = u'a';
  ASSERT_TRUE(re.Next(c));
  EXPECT_EQ(c, u'A');
  c = u'B';
  ASSERT_TRUE(re.Next(c));
  EXPECT_EQ(c, u'b');
  c = u'\u0436';  // Cyrillic too: the locale's upper-casing
  ASSERT_TRUE(re.Next(c));
  EXPECT_EQ(c, u'\u0416');

  TcxRegExpr sensitive;
  sensitive.Compile(u"Ab");
  c = u'a';
  EXPECT_FALSE(sensitive.Next(c));
  EXPECT_TRUE(sensitive.IsStart());
  EXPECT_EQ(sensitive.Automat()->HistoryCount(), 0);

  TcxRegExpr range;
  range.SetCaseInsensitive(true);
  range.Compile(u"[a-c]");
  c = u'B';
  EXPECT_FALSE(range.Next(c));  // ranges compare codes only
}

TEST_F(RegExprTest, PrevResetAndFilterText) {
  TcxRegExpr re;
  re.Compile(u"\\d+-\\d");
  EXPECT_FALSE(re.Prev());
  EXPECT_EQ(Feed(re, u"12-"), 3u);
  EXPECT_FALSE(re.IsFinal());
  ASSERT_TRUE(re.Prev());
  ASSERT_TRUE(re.Prev());
  Char c = u'3';
  EXPECT_TRUE(re.Next(c));  // back after '1', another digit is allowed again
  re.Reset();
  EXPECT_TRUE(re.IsStart());
  EXPECT_EQ(re.Automat()->HistoryCount(), 0);

  // Refused characters are skipped; the automaton moves on from where it stands, without a reset.
  EXPECT_EQ(re.FilterText(u"1a2-x3"), u"12-3");
  EXPECT_TRUE(re.IsFinal());
  EXPECT_EQ(re.FilterText(u"4"), u"");

  TcxRegExpr ci;
  ci.SetCaseInsensitive(true);
  ci.Compile(u"AB");
  EXPECT_EQ(ci.FilterText(u"ab"), u"ab");  // the given characters, not the rewritten ones
}

TEST_F(RegExprTest, RunTimeOperationsNeedACompiledExpression) {
  TcxRegExpr re;
  Char c = u'a';
  EXPECT_THROW(re.Next(c), Exception);
  try {
    re.IsFinal();
    FAIL();
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), u"Regular expression does not compiled");
  }
  EXPECT_THROW(re.Prev(), Exception);
  EXPECT_THROW(re.Reset(), Exception);
  EXPECT_THROW(re.IsStart(), Exception);
  EXPECT_THROW(re.FilterText(u"a"), Exception);

  re.Compile(u"a");
  EXPECT_NE(re.Stream(), nullptr);
  EXPECT_THROW(re.Compile(u"(a"), EcxRegExprError);
  EXPECT_FALSE(re.Compiled());
  EXPECT_EQ(re.Stream(), nullptr);
  EXPECT_THROW(re.Next(c), Exception);
  re.Compile(u"b");  // a later compile starts from scratch
  EXPECT_EQ(re.Errors().Count(), 0);
  EXPECT_EQ(*re.Stream(), u"b");
  c = u'b';
  EXPECT_TRUE(re.Next(c));
}

TEST_F(RegExprTest, CompilesFromAStreamInTheLocalesCodePage) {
  TStringStream stream(AnsiString("[\xE0-\xFF]+"));  // Cyrillic a..ya in code page 1251
  stream.SetPosition(3);
  TcxRegExpr re;
  re.Compile(&stream);  // read from the start whatever the position
  EXPECT_EQ(Feed(re, u"\u0436\u0438"), 2u);
  EXPECT_TRUE(re.IsFinal());

  try {
    re.Compile(static_cast<TStream*>(nullptr));
    FAIL();
  } catch (const EcxRegExprError& e) {
    ASSERT_EQ(e.Errors().Count(), 1);
    EXPECT_EQ(e.Errors().Items(0).GetText(), u"The source stream does not assigned");
    EXPECT_TRUE(e.Message().empty());
  }
}

// ---- Automatic completion of forced characters ----

class RegExprCompletionTest : public RegExprTest {
 protected:
  void SetUp() override {
    RegExprTest::SetUp();
    re.OnAutoInsert = [this](Char c) { inserted += c; };
    re.OnAutoDelete = [this] { ++deleted; };
  }
  TcxRegExpr re;
  String inserted;
  int deleted = 0;
};

TEST_F(RegExprCompletionTest, ForcedSeparatorIsInsertedAndRemovedWithTheCharacterBeforeIt) {
  TFormatSettings settings = LocaleFormatSettings("ru-RU");
  settings.TimeSeparator = u'-';
  SetFormatSettings(settings);
  re.Compile(u"\\d\\d:\\d\\d");
  re.SetUpdateOn(true);
  EXPECT_EQ(inserted, u"");
  EXPECT_EQ(Feed(re, u"12"), 2u);
  EXPECT_EQ(inserted, u"-");  // the time separator of the moment
  EXPECT_EQ(re.Automat()->HistoryCount(), 3);

  EXPECT_TRUE(re.Prev());
  EXPECT_EQ(deleted, 1);
  EXPECT_EQ(re.Automat()->HistoryCount(), 1);  // back after '1'
  Char c = u'-';
  EXPECT_FALSE(re.Next(c));
  c = u'7';
  EXPECT_TRUE(re.Next(c));
  EXPECT_EQ(inserted, u"--");
}

TEST_F(RegExprCompletionTest, AFinalPositionStopsCompletion) {
  re.Compile(u"\\d+(\\.\\d\\d)?");
  re.SetUpdateOn(true);
  EXPECT_FALSE(re.IsFinal());
  Char c = u'1';
  ASSERT_TRUE(re.Next(c));
  EXPECT_TRUE(re.IsFinal());
  EXPECT_EQ(inserted, u"");
  c = u'.';
  ASSERT_TRUE(re.Next(c));
  EXPECT_EQ(inserted, u"");
}

TEST_F(RegExprCompletionTest, ForcedStartIsCompletedWhenCompilingOrSwitchingOn) {
  re.SetUpdateOn(true);
  re.Compile(u"'(+7 '\\d\\d\\d')'");
  EXPECT_EQ(inserted, u"(+7 ");
  EXPECT_EQ(Feed(re, u"123"), 3u);
  EXPECT_EQ(inserted, u"(+7 )");
  EXPECT_TRUE(re.IsFinal());

  TcxRegExpr later;
  String laterInserted;
  later.OnAutoInsert = [&](Char c) { laterInserted += c; };
  later.Compile(u"ab|ac");
  later.SetUpdateOn(true);
  EXPECT_EQ(laterInserted, u"a");  // both alternatives start with 'a'; then a choice follows
}

TEST_F(RegExprCompletionTest, BackwardCompletionRemovesAForcedStart) {
  re.SetUpdateOn(true);
  re.Compile(u"'('\\d");
  EXPECT_EQ(inserted, u"(");
  EXPECT_EQ(re.Automat()->HistoryCount(), 1);
  // Stepping back removes the forced start, and then there is nothing left to step back over: the
  // mask mode types the forced start again when it sees this.
  EXPECT_FALSE(re.Prev());
  EXPECT_EQ(deleted, 1);
  EXPECT_TRUE(re.IsStart());
}

// ---- The automaton's state sets ----

TEST_F(RegExprTest, StartFinality) {
  struct Case {
    const char16_t* pattern;
    bool final;
  };
  const Case cases[] = {{u"a*", true}, {u"a?b*", true}, {u"(a?)", false}, {u"a|b*", true}, {u"a+", false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(StringToUtf8(c.pattern));
    TcxRegExpr re;
    re.Compile(c.pattern);
    EXPECT_EQ(re.IsFinal(), c.final);
  }
}

TEST_F(RegExprTest, SingleCharOfASetComparesSeparatorsByTheirPresentValue) {
  TcxRegExprSimpleState symbol(std::make_unique<TcxRegExprSymbol>(u'/'));
  TcxRegExprSimpleState separator(std::make_unique<TcxRegExprDateSeparator>());
  TcxRegExprSimpleState digit(std::make_unique<TcxRegExprDigit>(false));
  TcxRegExprStates set;
  set.Add(&symbol);
  set.Add(&separator);
  Char c = 0;
  EXPECT_FALSE(set.GetSingleChar(c));  // Russian date separator '.'
  SetLocale("en-US");
  EXPECT_TRUE(set.GetSingleChar(c));
  EXPECT_EQ(c, u'/');
  set.Add(&digit);
  EXPECT_FALSE(set.GetSingleChar(c));
  EXPECT_FALSE(TcxRegExprStates().GetSingleChar(c));
}

TEST_F(RegExprTest, AmbiguousPatternsKeepTheirStateSetsSmall) {
  // Each 'a' can be read by either alternative of every group: without merging equal states the
  // sets would double with every character typed.
  TcxRegExpr re;
  re.Compile(u"((a|a)|(a|a))*b");
  const String text(200, u'a');
  EXPECT_EQ(Feed(re, text), 200u);
  EXPECT_LE(re.Automat()->Current().Count(), 4);
  Char c = u'b';
  EXPECT_TRUE(re.Next(c));
  EXPECT_TRUE(re.IsFinal());

  TcxRegExpr optional;
  optional.Compile(u"(a?)(a?)(a?)(a?)(a?)(a?)(a?)(a?)(a?)(a?)(a?)(a?)(a?)(a?)(a?)(a?)(a?)(a?)(a?)(a?)b");
  EXPECT_EQ(Feed(optional, u"aaab"), 4u);
  EXPECT_TRUE(optional.IsFinal());
}

}  // namespace
