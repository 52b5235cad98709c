// The editing engine and the line layout of the edit classes, without windows.
#include <gtest/gtest.h>

#include "platform/forms/native/TextEngine.h"
#include "platform/forms/native/TextLayout.h"
#include "platform/rtl/String.h"

namespace {

// Every unit 8 pixels wide, as the fixed-metrics test font.
void Fixed8(const Char*, int n, std::vector<int>& ext) {
  ext.resize(n);
  for (int i = 0; i < n; ++i) ext[i] = 8 * (i + 1);
}

TTextEngine Engine(const String& text, bool multi = false) {
  TTextEngine e;
  e.SetMultiLine(multi);
  e.SetText(text);
  return e;
}

}  // namespace

TEST(TextEngineTest, TypingRunsAreUndoneTogetherAndRedone) {
  TTextEngine e;
  for (Char c : String(u"abc")) e.TypeChar(c);
  e.SetSel(0, 0);  // a caret move ends the run
  e.TypeChar(u'X');
  EXPECT_EQ(e.Text(), u"Xabc");
  ASSERT_TRUE(e.Undo());
  EXPECT_EQ(e.Text(), u"abc");
  ASSERT_TRUE(e.Undo());
  EXPECT_EQ(e.Text(), u"");
  EXPECT_FALSE(e.CanUndo());
  ASSERT_TRUE(e.Redo());
  EXPECT_EQ(e.Text(), u"abc");
  EXPECT_EQ(e.Caret(), 3);
  ASSERT_TRUE(e.Redo());
  EXPECT_EQ(e.Text(), u"Xabc");
  EXPECT_FALSE(e.CanRedo());
}

TEST(TextEngineTest, BackspaceAndDeleteRunsAndNewEditDropsRedo) {
  TTextEngine e = Engine(u"hello world");
  e.SetSel(5, 5);
  e.DeleteBackward();
  e.DeleteBackward();
  EXPECT_EQ(e.Text(), u"hel world");
  e.DeleteForward();
  EXPECT_EQ(e.Text(), u"helworld");
  e.Undo();  // the forward delete
  EXPECT_EQ(e.Text(), u"hel world");
  e.Undo();  // both backspaces at once
  EXPECT_EQ(e.Text(), u"hello world");
  EXPECT_TRUE(e.CanRedo());
  e.SetSel(0, 0);
  e.TypeChar(u'!');
  EXPECT_FALSE(e.CanRedo());
}

TEST(TextEngineTest, UndoRestoresTheSelectionAroundAReplacement) {
  TTextEngine e = Engine(u"one two three");
  e.SetSel(8, 4);  // "two " selected backwards
  e.ReplaceSel(u"2 ");
  EXPECT_EQ(e.Text(), u"one 2 three");
  EXPECT_EQ(e.Caret(), 6);
  e.Undo();
  EXPECT_EQ(e.Text(), u"one two three");
  EXPECT_EQ(e.Anchor(), 8);
  EXPECT_EQ(e.Caret(), 4);
}

TEST(TextEngineTest, UndoDepthOneKeepsOnlyTheLastStep) {
  TTextEngine e;
  e.SetUndoDepth(1);
  e.ReplaceSel(u"a");
  e.ReplaceSel(u"b");
  e.Undo();
  EXPECT_EQ(e.Text(), u"a");
  EXPECT_FALSE(e.CanUndo());
}

TEST(TextEngineTest, ReplacementWithoutUndoEmptiesTheHistory) {
  TTextEngine e;
  e.TypeChar(u'a');
  e.ReplaceSel(u"b", false);
  EXPECT_EQ(e.Text(), u"ab");
  EXPECT_FALSE(e.CanUndo());
  EXPECT_TRUE(e.Modified());
}

TEST(TextEngineTest, FiltersOfInsertedText) {
  struct Case {
    const char* name;
    bool multi;
    TTextCase textCase;
    int limit;
    const char* typed;
    const char* expect;
    bool limitHit;
  } cases[] = {
      {"upper, Cyrillic too", false, TTextCase::Upper, 100, "abc ёжик", "ABC ЁЖИК", false},
      {"lower", false, TTextCase::Lower, 100, "ÀБВ Q", "àбв q", false},
      {"single line stops at the break", false, TTextCase::Normal, 100, "first\r\nsecond", "first", false},
      {"multi-line keeps breaks", true, TTextCase::Normal, 100, "a\r\nb", "a\r\nb", false},
      {"limit cuts", false, TTextCase::Normal, 4, "abcdef", "abcd", true},
      {"limit never splits CR LF", true, TTextCase::Normal, 2, "a\r\nb", "a", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TTextEngine e;
    e.SetMultiLine(c.multi);
    e.SetCharCase(c.textCase);
    e.SetLimit(c.limit);
    e.ReplaceSel(S(c.typed));
    EXPECT_EQ(StringToUtf8(e.Text()), c.expect);
    EXPECT_EQ(e.LimitHit(), c.limitHit);
  }
}

TEST(TextEngineTest, LimitRefusesTypingButAllowsReplacingASelection) {
  TTextEngine e = Engine(u"abc");
  e.SetLimit(3);
  e.SetSel(3, 3);
  EXPECT_FALSE(e.TypeChar(u'd'));
  EXPECT_TRUE(e.LimitHit());
  e.SetSel(0, 1);
  EXPECT_TRUE(e.TypeChar(u'z'));
  EXPECT_EQ(e.Text(), u"zbc");
  // Assigned text is never cut by the limit.
  e.SetText(u"longer than three");
  EXPECT_EQ(e.Length(), 17);
}

TEST(TextEngineTest, CaretNeverStopsInsideACrLfPair) {
  TTextEngine e = Engine(u"ab\r\ncd", true);
  e.SetSel(3, 3);
  EXPECT_EQ(e.Caret(), 2);
  EXPECT_EQ(e.NextPos(2), 4);
  EXPECT_EQ(e.PrevPos(4), 2);
  e.SetSel(4, 4);
  e.DeleteBackward();
  EXPECT_EQ(e.Text(), u"abcd");
}

TEST(TextEngineTest, WordMovementAndWordAt) {
  TTextEngine e = Engine(u"alpha  beta gamma");
  EXPECT_EQ(e.NextWord(0), 7);
  EXPECT_EQ(e.NextWord(7), 12);
  EXPECT_EQ(e.PrevWord(12), 7);
  EXPECT_EQ(e.PrevWord(9), 7);
  int s, en;
  e.WordAt(9, &s, &en);
  EXPECT_EQ(s, 7);
  EXPECT_EQ(en, 11);
  e.SetSel(12, 12);
  e.DeleteBackward(true);
  EXPECT_EQ(e.Text(), u"alpha  gamma");
}

TEST(TextEngineTest, ModifiedFlagFollowsEditsAndIsClearedByAssignment) {
  TTextEngine e = Engine(u"x");
  EXPECT_FALSE(e.Modified());
  e.SetSel(1, 1);
  e.TypeChar(u'y');
  EXPECT_TRUE(e.Modified());
  e.SetModified(false);
  e.Undo();
  EXPECT_TRUE(e.Modified());
  e.SetText(u"z");
  EXPECT_FALSE(e.Modified());
  EXPECT_FALSE(e.CanUndo());
}

TEST(EditLayoutTest, HardBreaksMakeLinesAndAnEmptyLastLine) {
  String text = u"ab\r\ncde\nf\r";
  TEditLayout l;
  l.Build(text, true, false, 1000, &Fixed8);
  ASSERT_EQ(l.LineCount(), 4);
  EXPECT_EQ(l.Line(0).start, 0);
  EXPECT_EQ(l.Line(0).end, 2);
  EXPECT_EQ(l.Line(1).start, 4);
  EXPECT_EQ(l.Line(2).start, 8);
  EXPECT_EQ(l.Line(3).start, 10);
  EXPECT_EQ(l.Line(3).end, 10);
  EXPECT_EQ(l.LineFromChar(5), 1);
  EXPECT_EQ(l.LineFromChar(10), 3);
  // A single-line layout is one line whatever the text holds.
  l.Build(text, false, false, 1000, &Fixed8);
  EXPECT_EQ(l.LineCount(), 1);
}

TEST(EditLayoutTest, WordWrapBreaksAfterSpacesAndSplitsLongWords) {
  // Ten units fit in 80 pixels.
  String text = u"one two three four\r\nabcdefghijklmnop";
  TEditLayout l;
  l.Build(text, true, true, 80, &Fixed8);
  std::vector<String> lines;
  for (int i = 0; i < l.LineCount(); ++i)
    lines.push_back(text.substr(l.Line(i).start, l.Line(i).end - l.Line(i).start));
  std::vector<String> expect = {u"one two ", u"three four", u"abcdefghij", u"klmnop"};
  EXPECT_EQ(lines, expect);
  EXPECT_TRUE(l.Line(0).wrapped);
  EXPECT_FALSE(l.Line(1).wrapped);  // exactly as wide as the width: it fits
  EXPECT_TRUE(l.Line(2).wrapped);
  // The position where a wrapped line ends shows at the start of the next line.
  EXPECT_EQ(l.LineFromChar(8), 1);
  EXPECT_EQ(l.LineWidth(0), 56);  // the hanging space is not counted
}

TEST(EditLayoutTest, CharFromXPicksTheNearestBoundary) {
  String text = u"abcd";
  TEditLayout l;
  l.Build(text, false, false, 100, &Fixed8);
  struct {
    int x, expect;
  } cases[] = {{-5, 0}, {3, 0}, {4, 1}, {11, 1}, {12, 2}, {31, 4}, {500, 4}};
  for (auto c : cases) EXPECT_EQ(l.CharFromX(0, c.x), c.expect) << c.x;
  EXPECT_EQ(l.XInLine(0, 3), 24);
}
