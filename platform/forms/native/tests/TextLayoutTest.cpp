// The layout updated after an edit must be the layout built afresh for the edited text: the same
// lines and the same x offsets. The measure is a fake one with uneven widths ('i' narrow, 'W' wide,
// a surrogate pair as one wide glyph), so a stale advance shows as a wrong offset.
#include <gtest/gtest.h>

#include "platform/forms/native/TextLayout.h"

namespace {

bool IsHigh(Char c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLow(Char c) { return c >= 0xDC00 && c <= 0xDFFF; }

int Advance(const Char* text, int i, int count) {
  const Char c = text[i];
  if (IsLow(c) && i > 0 && IsHigh(text[i - 1])) return 0;
  if (IsHigh(c)) return i + 1 < count && IsLow(text[i + 1]) ? 12 : 5;
  if (c == u'i') return 3;
  if (c == u'W') return 11;
  return 7;
}

int g_measured = 0;  // units measured since the counter was reset

void Measure(const Char* text, int count, std::vector<int>& extents) {
  g_measured += count;
  int sum = 0;
  for (int i = 0; i < count; ++i) extents[i] = sum += Advance(text, i, count);
}

struct TLayoutOptions {
  bool multiLine;
  bool wordWrap;
  int width;
};

void ExpectSameLayout(const TEditLayout& updated, const TEditLayout& fresh) {
  ASSERT_EQ(updated.LineCount(), fresh.LineCount());
  for (int line = 0; line < fresh.LineCount(); ++line) {
    const TTextLine &a = updated.Line(line), &b = fresh.Line(line);
    EXPECT_EQ(a.start, b.start) << "line " << line;
    EXPECT_EQ(a.end, b.end) << "line " << line;
    EXPECT_EQ(a.next, b.next) << "line " << line;
    EXPECT_EQ(a.wrapped, b.wrapped) << "line " << line;
    EXPECT_EQ(updated.LineWidth(line), fresh.LineWidth(line)) << "line " << line;
    for (int i = b.start; i <= b.end; ++i) EXPECT_EQ(updated.XInLine(line, i), fresh.XInLine(line, i));
    for (int x = -2; x < fresh.LineWidth(line) + 4; x += 3) {
      EXPECT_EQ(updated.CharFromX(line, x), fresh.CharFromX(line, x)) << "line " << line << " x " << x;
      EXPECT_EQ(updated.CharUnderX(line, x), fresh.CharUnderX(line, x)) << "line " << line << " x " << x;
    }
  }
  EXPECT_EQ(updated.MaxLineWidth(), fresh.MaxLineWidth());
}

struct TEditCase {
  const char* name;
  TLayoutOptions options;
  String before;
  int pos;
  int removed;
  String inserted;
};

}  // namespace

TEST(TextLayoutTest, AnEditUpdatesTheLayoutToWhatABuildOfTheNewTextGives) {
  const TLayoutOptions single{false, false, 0}, lines{true, false, 0}, wrapped{true, true, 50};
  const TEditCase cases[] = {
      {"typed at the end of one line", single, u"abc", 3, 0, u"W"},
      {"typed in the middle", single, u"abiWc", 2, 0, u"ii"},
      {"deleted", single, u"abiWc", 1, 3, u""},
      {"a line break typed", lines, u"one\r\ntwo", 2, 0, u"\r\n"},
      {"a line break deleted", lines, u"one\r\ntwo\r\nthree", 3, 2, u""},
      {"an LF after a CR joins the pair", lines, u"ab\rcd\r\nef", 3, 0, u"\n"},
      {"a CR before an LF joins the pair", lines, u"ab\ncd", 2, 0, u"\r"},
      {"half of a CR LF pair deleted", lines, u"ab\r\ncd\nx", 2, 1, u""},
      {"an edit in a later paragraph", lines, u"a\r\nbb\r\nccc\r\ndddd", 8, 1, u"WWW"},
      {"the trailing empty line", lines, u"ab\r\n", 4, 0, u"x"},
      {"a word pushed to the next row", wrapped, u"aaa bbb ccc ddd eee", 0, 0, u"WW "},
      {"a word pulled back to the row before", wrapped, u"aaaaa bb ccc ddd", 0, 3, u""},
      {"a space typed splits a long word", wrapped, u"WWWWWWWWWWWW", 4, 0, u" "},
      {"wrapped rows in two paragraphs", wrapped, u"aaa bbb ccc\r\nddd eee fff ggg", 5, 0, u"iii iii"},
      {"a break typed inside a wrapped row", wrapped, u"aaa bbb ccc ddd eee", 9, 0, u"\r\n"},
      {"text replaced across paragraphs", wrapped, u"aaa bbb\r\nccc ddd\r\neee fff", 4, 10, u"x\r\ny"},
      {"a low surrogate after its high one", single, u"a\xD83D", 2, 0, u"\xDE00z"},
      {"a high surrogate before its low one", single, u"a\xDE00z", 1, 0, u"\xD83D"},
      {"the low half of a pair deleted", single, u"a\xD83D\xDE00z", 2, 1, u""},
      {"everything replaced", wrapped, u"aaa bbb ccc", 0, 11, u"W W W W W W W"},
  };
  for (const TEditCase& c : cases) {
    SCOPED_TRACE(c.name);
    String text = c.before;
    TEditLayout updated;
    updated.Build(text, c.options.multiLine, c.options.wordWrap, c.options.width, Measure);
    // Offsets are taken before the edit, so a stale cache would show.
    for (int line = 0; line < updated.LineCount(); ++line) updated.XInLine(line, updated.Line(line).end);
    text.replace(c.pos, c.removed, c.inserted);
    updated.Update(c.pos, c.removed, static_cast<int>(c.inserted.size()));
    TEditLayout fresh;
    fresh.Build(text, c.options.multiLine, c.options.wordWrap, c.options.width, Measure);
    ExpectSameLayout(updated, fresh);
  }
}

TEST(TextLayoutTest, TypingMeasuresOnlyTheTypedCharacter) {
  String text(5000, u'a');
  TEditLayout layout;
  layout.Build(text, true, true, 300, Measure);
  g_measured = 0;
  for (int i = 0; i < 100; ++i) {
    text.insert(text.size(), 1, u'b');
    layout.Update(static_cast<int>(text.size()) - 1, 0, 1);
    layout.XInLine(layout.LineCount() - 1, static_cast<int>(text.size()));
  }
  EXPECT_EQ(g_measured, 100);
}

TEST(TextLayoutTest, TheChangedLinesAreTheRowsThatShowTheEdit) {
  struct TCase {
    const char* name;
    String before;
    int pos, removed;
    String inserted;
    TChangedLines expected;
  };
  // Rows of 50 pixels: "aaa bbb " and "ccc ddd " fill one each (7 pixels a letter).
  const TCase cases[] = {
      {"a letter at the end of the last row", u"aaa bbb ccc", 11, 0, u"c", {1, 1, false}},
      {"a narrow letter in the first row, the second one kept", u"aa bbb ccc ddd", 1, 0, u"i", {0, 0, false}},
      {"a letter that re-wraps every row", u"aaa bbb ccc ddd eee", 1, 0, u"a", {0, 2, false}},
      {"a row break typed", u"aaa\r\nbbb", 1, 0, u"\r\n", {0, 1, true}},
      {"a later paragraph only", u"aaa\r\nbbb\r\nccc", 6, 0, u"x", {1, 1, false}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    String text = c.before;
    TEditLayout layout;
    layout.Build(text, true, true, 50, Measure);
    text.replace(c.pos, c.removed, c.inserted);
    const TChangedLines got = layout.Update(c.pos, c.removed, static_cast<int>(c.inserted.size()));
    EXPECT_EQ(got.first, c.expected.first);
    EXPECT_EQ(got.toEnd, c.expected.toEnd);
    if (!c.expected.toEnd) {
      EXPECT_EQ(got.last, c.expected.last);
    }
  }
}

TEST(TextLayoutTest, AnUpdateThatDoesNotMatchTheTextLaysItOutAfresh) {
  String text = u"abc\r\ndef";
  TEditLayout layout;
  layout.Build(text, true, false, 0, Measure);
  text = u"x\r\ny\r\nzz";  // replaced behind the layout's back, the update claiming one letter
  const TChangedLines got = layout.Update(0, 0, 1);
  EXPECT_TRUE(got.toEnd);
  TEditLayout fresh;
  fresh.Build(text, true, false, 0, Measure);
  ExpectSameLayout(layout, fresh);
}
