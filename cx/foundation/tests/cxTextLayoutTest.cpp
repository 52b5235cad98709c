#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cx/foundation/cxSolidBrushCache.h"
#include "cx/foundation/cxTextLayout.h"
#include "cx/foundation/tests/cxFoundationTestUtil.h"
#include "platform/gdi/testing/TestThemeProvider.h"
#include "platform/rtl/String.h"
#include "platform/win/Windows.h"

namespace {

// --- Brush cache ---

TColor Shade(int i) { return static_cast<TColor>(RGB(i, 100, 200)); }

TEST(cxSolidBrushCache, TheLeastUsedEntryMakesRoomAndUseMovesEntriesUp) {
  TcxSolidBrushCache cache;
  for (int i = 1; i <= 32; ++i) cache.GetBrush(Shade(i));
  const HBRUSH last = cache.Items(31).Brush;
  cache.GetBrush(Shade(33));
  ASSERT_EQ(cache.Count(), 32);
  EXPECT_EQ(cache.Items(30).Color, Shade(31));
  EXPECT_EQ(cache.Items(31).Color, Shade(33));
  // The replaced brush was deleted: its handle is dead, or was handed out again to the new entry.
  EXPECT_TRUE(GetObjectType(last) == 0u || last == cache.Items(31).Brush);

  // Twice used goes above every once-used entry; a third use passes an entry used twice.
  const HBRUSH third = cache.GetBrush(Shade(3));
  EXPECT_EQ(cache.Items(0).Color, Shade(3));
  EXPECT_EQ(cache.Items(0).UsageCount, 2);
  EXPECT_EQ(cache.Items(1).Color, Shade(1));
  cache.GetBrush(Shade(5));
  EXPECT_EQ(cache.Items(1).Color, Shade(5));
  EXPECT_EQ(cache.GetBrush(Shade(5)), cache.Items(0).Brush);
  EXPECT_EQ(cache.Items(0).Color, Shade(5));
  EXPECT_EQ(cache.Items(1).Color, Shade(3));
  EXPECT_EQ(cache.Items(1).Brush, third);
}

TEST(cxSolidBrushCache, BrushesAreSolidInTheRgbOfTheColour) {
  TcxSolidBrushCache cache;
  const HBRUSH face = cache.GetBrush(clBtnFace);
  EXPECT_EQ(cache.GetBrush(clBtnFace), face);
  EXPECT_EQ(cache.Count(), 1);
  EXPECT_EQ(cache.Items(0).Color, clBtnFace);
  LOGBRUSH lb;
  ASSERT_NE(GetObject(face, sizeof(lb), &lb), 0);
  EXPECT_EQ(lb.lbStyle, BS_SOLID);
  EXPECT_EQ(lb.lbColor, ColorToColorRef(clBtnFace));
}

TEST(cxSolidBrushCache, AChangedSystemColourGetsANewBrush) {
  TcxSolidBrushCache cache;
  const HBRUSH before = cache.GetBrush(clBtnFace);
  const int index = COLOR_BTNFACE;
  const COLORREF changed = RGB(1, 2, 3);
  SetSysColors(1, &index, &changed);
  const HBRUSH after = cache.GetBrush(clBtnFace);
  ResetSysColors();
  EXPECT_TRUE(GetObjectType(before) == 0u || before == after);
  LOGBRUSH lb;
  ASSERT_NE(GetObject(after, sizeof(lb), &lb), 0);
  EXPECT_EQ(lb.lbColor, changed);
  EXPECT_EQ(cache.Count(), 1);
  EXPECT_EQ(cache.Items(0).UsageCount, 2);
}

TEST(cxSolidBrushCache, AThemeChangeEmptiesTheCache) {
  cxClearSolidBrushCache();
  TTestCanvas t(4, 4);
  const HBRUSH before = cxGetSolidBrushFor(t.Cx(), clRed);
  EXPECT_EQ(cxSolidBrushCache()->Count(), 1);
  TestThemeProvider provider;
  {
    ScopedThemeProvider scoped(&provider);
    EXPECT_EQ(cxSolidBrushCache()->Count(), 0);
    EXPECT_EQ(GetObjectType(before), 0u);
  }
  EXPECT_NE(cxGetSolidBrushFor(t.Cx(), clRed), nullptr);
  EXPECT_EQ(cxSolidBrushCache()->Count(), 1);
  cxClearSolidBrushCache();
  EXPECT_EQ(cxSolidBrushCache()->Count(), 0);
}

TEST(cxSolidBrushCache, TheCanvasBrushServesItsOwnColour) {
  cxClearSolidBrushCache();
  TTestCanvas t(4, 4);
  t.Cx()->SetBrushColor(clGreen);
  EXPECT_EQ(cxGetCanvasSolidBrush(t.Canvas(), clGreen), t.Canvas()->Brush()->Handle());
  EXPECT_EQ(cxSolidBrushCache()->Count(), 0);
  // A clear brush of the colour would paint nothing.
  t.Canvas()->Brush()->SetStyle(bsClear);
  EXPECT_NE(cxGetCanvasSolidBrush(t.Canvas(), clGreen), t.Canvas()->Brush()->Handle());
  EXPECT_EQ(cxSolidBrushCache()->Count(), 1);
  cxClearSolidBrushCache();
}

// --- Row breaking (the fixed font: 8 x 16 cells) ---

struct TLayout {
  std::vector<std::string> rows;
  std::vector<int> breakCounts, offsets, widths;
  bool complete;
};

TLayout Layout(const String& AText, int AWidth, int AHeight, int AFlags, int AMaxRows = 0,
               int AFontHeight = -16) {
  TTestCanvas t(4, 4);
  t.Canvas()->Font()->SetHeight(AFontHeight);
  const HDC dc = t.Cx()->Handle();
  const TcxTextParams params = cxPrepareTextParamsForDC(dc, AFlags);
  TcxTextRows rows;
  int count = -1;
  TLayout result;
  result.complete = cxMakeTextRowsForDC(dc, AText, {0, 0, AWidth, AHeight}, params, rows, count, AMaxRows);
  EXPECT_EQ(count, static_cast<int>(rows.size()));
  for (const TcxTextRow& row : rows) {
    result.rows.push_back(StringToUtf8(String(row.Text, row.TextLength)));
    result.breakCounts.push_back(row.BreakCount);
    result.offsets.push_back(row.StartOffset);
    result.widths.push_back(row.Width);
  }
  return result;
}

using Rows = std::vector<std::string>;

TEST(cxTextRows, BreakingTable) {
  struct Case {
    const char* name;
    const char16_t* text;
    int width, flags;
    Rows expected;
  } cases[] = {
      {"a word break keeps the space on the row", u"ab cd", 24, cxtlWordBreak, {"ab ", "cd"}},
      {"a long word stays whole", u"abcdef", 24, cxtlWordBreak, {"abcdef"}},
      {"character break splits before what does not fit",
       u"abcdefg",
       24,
       cxtlWordBreak | cxtlCharBreak,
       {"abc", "def", "g"}},
      {"at least one character per row", u"ab", 4, cxtlWordBreak | cxtlCharBreak, {"a", "b"}},
      {"character break needs wrapping", u"abcdef", 24, cxtlCharBreak, {"abcdef"}},
      {"breaks at the last break character", u"ab  cd", 24, cxtlWordBreak, {"ab  ", "cd"}},
      {"without wrapping only line ends break", u"ab cd\r\nef", 16, 0, {"ab cd", "ef"}},
      {"a lone line feed ends a row too", u"ab\ncd", 100, 0, {"ab", "cd"}},
      {"single-line text keeps its line ends", u"ab\r\ncd", 100, cxtlSingleLine, {"ab\r\ncd"}},
      {"single-line text is cut after the character that overflows", u"abcdef", 20, cxtlSingleLine, {"abc"}},
      {"justified rows lose trailing spaces", u"ab cd ef", 40, cxtlWordBreak | cxtlJustify, {"ab cd", "ef"}},
      {"justification wraps by itself", u"ab cd ef", 40, cxtlDistribute, {"ab cd", "ef"}},
  };
  for (const Case& c : cases) EXPECT_EQ(Layout(c.text, c.width, 1000, c.flags).rows, c.expected) << c.name;
}

TEST(cxTextRows, LineEndsAreSkippedAndOffsetsKept) {
  const TLayout l = Layout(u"ab\r\ncd", 100, 1000, 0);
  EXPECT_EQ(l.rows, (Rows{"ab", "cd"}));
  EXPECT_EQ(l.offsets, (std::vector<int>{0, 4}));
  EXPECT_EQ(l.widths, (std::vector<int>{16, 16}));
  // Single line: the line end is measured like any character.
  EXPECT_EQ(Layout(u"ab\r\ncd", 100, 1000, cxtlSingleLine | cxtlCalcRect).widths, (std::vector<int>{48}));
}

TEST(cxTextRows, JustifiedParagraphsEndWithAnUnstretchedRow) {
  const String text = u"ab cd ef gh\r\nij kl mn";
  const TLayout justify = Layout(text, 40, 1000, cxtlJustify);
  EXPECT_EQ(justify.rows, (Rows{"ab cd", "ef gh", "ij kl", "mn"}));
  EXPECT_EQ(justify.breakCounts, (std::vector<int>{1, 0, 1, 0}));
  const TLayout distribute = Layout(text, 40, 1000, cxtlDistribute);
  EXPECT_EQ(distribute.breakCounts, (std::vector<int>{1, 1, 1, 0}));
}

TEST(cxTextRows, TopAlignedTextStopsAtTheRectangle) {
  const String text = u"aa bb cc dd";
  // The third row is partly visible.
  EXPECT_EQ(Layout(text, 24, 40, cxtlWordBreak).rows.size(), 3u);
  EXPECT_EQ(Layout(text, 24, 40, cxtlWordBreak | cxtlWholeRows).rows.size(), 2u);
  EXPECT_EQ(Layout(text, 24, 10, cxtlWordBreak | cxtlWholeRows).rows.size(), 1u);
  EXPECT_EQ(Layout(text, 24, 40, cxtlWordBreak | cxtlCalcRect).rows.size(), 4u);
}

TEST(cxTextRows, TheRowLimitCutsMultiLineText) {
  const String text = u"aa bb cc dd";
  const TLayout cut = Layout(text, 24, 1000, cxtlWordBreak | cxtlVCenter, 2);
  EXPECT_EQ(cut.rows.size(), 2u);
  EXPECT_FALSE(cut.complete);
  EXPECT_TRUE(Layout(text, 24, 1000, cxtlWordBreak | cxtlVCenter, 4).complete);
  EXPECT_TRUE(Layout(text, 24, 1000, cxtlWordBreak | cxtlVCenter | cxtlCalcRect, 2).complete);
  EXPECT_EQ(Layout(text, 24, 1000, cxtlWordBreak | cxtlCalcRect, 2).rows.size(), 2u);
}

TEST(cxTextRows, TheLastRowWithAnEllipsisRunsToTheOverflow) {
  // The row the ellipsis will end takes characters past the last space.
  EXPECT_EQ(Layout(u"abc defgh", 40, 10, cxtlWordBreak | cxtlEndEllipsis).rows, (Rows{"abc de"}));
  EXPECT_EQ(Layout(u"abc defgh", 40, 10, cxtlWordBreak).rows, (Rows{"abc "}));
  EXPECT_EQ(Layout(u"abc defgh", 40, 10, cxtlWordBreak | cxtlEndEllipsis | cxtlNoClip).rows, (Rows{"abc "}));
  // The last row is the first that does not fit completely, even when none of it shows.
  EXPECT_EQ(Layout(u"abc defgh", 40, 16, cxtlWordBreak | cxtlEndEllipsis).rows, (Rows{"abc ", "defgh"}));
  EXPECT_EQ(Layout(u"", 40, 16, cxtlWordBreak).rows, Rows{});
}

TEST(cxTextRows, LongestRowWidth) {
  TcxTextRows rows(3);
  rows[0].Width = 5;
  rows[1].Width = 9;
  rows[2].Width = 7;
  EXPECT_EQ(cxGetLongestTextRowWidth(rows, 3), 9);
  EXPECT_EQ(cxGetLongestTextRowWidth(rows, 1), 5);
  EXPECT_EQ(cxGetLongestTextRowWidth(rows, 10), 9);
  EXPECT_EQ(cxGetLongestTextRowWidth(rows, 0), 0);
}

// --- Positioning ---

std::vector<POINT> Place(const RECT& R, int AFlags, std::vector<int> AWidths, int ATextHeight,
                         int* ARowHeight = nullptr) {
  TcxTextParams params;
  params.TextHeight = params.RowHeight = ATextHeight;
  params.HorzAlignment = AFlags & 7;
  params.VertAlignment = (AFlags >> 4) & 3;
  params.KeepLeft = AFlags & cxtlKeepLeft;
  params.KeepTop = AFlags & cxtlKeepTop;
  TcxTextRows rows(AWidths.size());
  for (size_t i = 0; i < rows.size(); ++i) rows[i].Width = AWidths[i];
  cxPlaceTextRows(R, params, rows, static_cast<int>(rows.size()));
  if (ARowHeight) *ARowHeight = params.RowHeight;
  std::vector<POINT> result;
  for (const TcxTextRow& row : rows) result.push_back({row.X, row.Y});
  return result;
}

using Points = std::vector<POINT>;

TEST(cxTextRowPlacement, AlignmentTable) {
  const RECT r{10, 20, 110, 120};
  struct Case {
    const char* name;
    int flags;
    Points expected;
  } cases[] = {
      {"top left", cxtlLeft | cxtlTop, {{10, 20}, {10, 36}}},
      {"centred", cxtlCenter | cxtlVCenter, {{45, 54}, {50, 70}}},
      {"bottom right", cxtlRight | cxtlBottom, {{80, 88}, {90, 104}}},
      {"justified rows start left", cxtlJustify, {{10, 20}, {10, 36}}},
  };
  for (const Case& c : cases) EXPECT_EQ(Place(r, c.flags, {30, 20}, 16), c.expected) << c.name;
  // Rows wider than the rectangle, and more rows than fit.
  EXPECT_EQ(Place(r, cxtlCenter, {140}, 16)[0].x, -10);
  EXPECT_EQ(Place(r, cxtlCenter | cxtlKeepLeft, {140}, 16)[0].x, 10);
  EXPECT_EQ(Place(r, cxtlVCenter, std::vector<int>(10, 1), 16)[0].y, -10);
  EXPECT_EQ(Place(r, cxtlVCenter | cxtlKeepTop, std::vector<int>(10, 1), 16)[0].y, 20);
}

TEST(cxTextRowPlacement, VerticalJustificationSpreadsTheRows) {
  int rowHeight = 0;
  const Points p = Place({0, 0, 50, 100}, cxtlVJustify, {1, 1, 1}, 13, &rowHeight);
  EXPECT_EQ(rowHeight, 43);
  EXPECT_EQ(p, (Points{{0, 0}, {0, 44}, {0, 87}}));
  // One row, or rows that would overlap, stay as they are.
  EXPECT_EQ(Place({0, 0, 50, 100}, cxtlVJustify, {1}, 13, &rowHeight), (Points{{0, 0}}));
  EXPECT_EQ(rowHeight, 13);
  EXPECT_EQ(Place({0, 0, 50, 30}, cxtlVJustify, {1, 1, 1}, 13, &rowHeight),
            (Points{{0, 0}, {0, 13}, {0, 26}}));
}

// --- Drawing and measuring ---

// Which 8-pixel cells of a 16-pixel row carry ink: '#' inked, '.' blank.
std::string Cells(TTestCanvas& t, int ARowTop, int ACells, TColor AInk = clBlack) {
  std::string s;
  for (int i = 0; i < ACells; ++i) s += t.Pixel(i * 8 + 4, ARowTop + 8) == ColorToRGB(AInk) ? '#' : '.';
  return s;
}

TEST(cxMultilineText, JustificationStretchesRowsWithBreakCharacters) {
  struct Case {
    int flags;
    const char* cells;
  } cases[] = {
      {cxtlLeft, "#.#.."},
      {cxtlJustify, "#.#.."},  // its paragraph's last row
      {cxtlDistribute, "#...#"},
      {cxtlRight, "..#.#"},
  };
  for (const Case& c : cases) {
    TTestCanvas t(40, 16);
    RECT r{0, 0, 40, 16};
    cxDrawMultilineText(t.Canvas(), u"a b", r, c.flags);
    EXPECT_EQ(Cells(t, 0, 5), c.cells) << "flags " << c.flags;
  }
}

TEST(cxMultilineText, ASelectionIsDrawnOverItsBackground) {
  TTestCanvas t(48, 16);
  RECT r{0, 0, 48, 16};
  cxDrawMultilineTextEx(t.Canvas(), u"abcd", r, cxtlLeft, 1, 2, clYellow, clBlue);
  EXPECT_EQ(Cells(t, 0, 4, clBlack), "#..#");
  EXPECT_EQ(Cells(t, 0, 4, clBlue), ".##.");
  EXPECT_EQ(t.Pixel(8, 1), clYellow);  // between the glyphs of the selection
  EXPECT_EQ(t.Pixel(7, 1), clWhite);   // before it
  EXPECT_EQ(t.Pixel(24, 1), clWhite);  // after it
  // A selection running past the text is shortened; one outside it draws nothing.
  TTestCanvas u(48, 16);
  cxDrawMultilineTextEx(u.Canvas(), u"abcd", r, cxtlLeft, 3, 10, clYellow, clBlue);
  EXPECT_EQ(Cells(u, 0, 6, clBlue), "...#..");
  TTestCanvas v(48, 16);
  cxDrawMultilineTextEx(v.Canvas(), u"abcd", r, cxtlLeft, 4, 2, clYellow, clBlue);
  EXPECT_EQ(v.Count(clYellow), 0);
}

TEST(cxMultilineText, AnEllipsisEndsACutRow) {
  // Six cells: "abc" and the ellipsis, not the spaces of "abcd  fgh".
  TTestCanvas t(64, 16);
  RECT r{0, 0, 48, 16};
  cxDrawMultilineText(t.Canvas(), u"abcd  fgh", r, cxtlSingleLine | cxtlEndEllipsis);
  EXPECT_EQ(Cells(t, 0, 8), "######..");
  TTestCanvas plain(64, 16);
  cxDrawMultilineText(plain.Canvas(), u"abcd  fgh", r, cxtlSingleLine);
  EXPECT_EQ(Cells(plain, 0, 8), "####....");
}

TEST(cxMultilineText, AnEllipsisRowKeepsAtLeastOneCharacter) {
  TTestCanvas t(64, 16);
  RECT r{0, 0, 20, 16};
  cxDrawMultilineText(t.Canvas(), u"abcd", r, cxtlSingleLine | cxtlEndEllipsis);
  EXPECT_EQ(t.Pixel(4, 8), clBlack);
  EXPECT_EQ(t.Bounds(clBlack).right, 20);  // the ellipsis is clipped to the narrow band
}

TEST(cxMultilineText, TheRowLimitWithWholeRowsAddsTheEllipsisWhenDrawing) {
  TTestCanvas t(40, 32);
  RECT r{0, 0, 40, 32};
  const int flags = cxtlVCenter | cxtlEndEllipsis | cxtlWholeRows;
  EXPECT_EQ(cxDrawMultilineText(t.Canvas(), u"aa\r\nb\r\ncc", r, flags, 2), 32);
  EXPECT_EQ(Cells(t, 0, 5), "##...");
  EXPECT_EQ(Cells(t, 16, 5), "####.");  // "b" and "..."
  // Without whole rows the last row runs on over the line end, and fits.
  TTestCanvas u(40, 32);
  cxDrawMultilineText(u.Canvas(), u"aa\r\nb\r\ncc", r, flags & ~cxtlWholeRows, 2);
  EXPECT_EQ(Cells(u, 16, 5), "#..##");
}

TEST(cxMultilineText, CalcRectMeasuresWithoutDrawing) {
  TTestCanvas t(200, 200);
  RECT r{10, 10, 40, 200};
  EXPECT_EQ(cxDrawMultilineText(t.Canvas(), u"ab cd", r, cxtlWordBreak | cxtlCalcRect), 32);
  EXPECT_EQ(r, (RECT{10, 10, 34, 42}));
  EXPECT_EQ(t.Bounds(), RECT{});

  // Indents are kept around the text; centring uses the final width.
  r = {10, 10, 100, 200};
  EXPECT_EQ(cxDrawMultilineText(t.Canvas(), u"ab", r, cxtlCenter | cxtlCalcRect, 0, 2, 3), 16);
  EXPECT_EQ(r, (RECT{10, 10, 31, 26}));

  r = {10, 10, 40, 200};
  EXPECT_EQ(cxDrawMultilineText(t.Canvas(), u"ab cd", r, cxtlWordBreak | cxtlCalcRect | cxtlRowCountResult),
            2);
  r = {10, 10, 40, 200};
  EXPECT_EQ(cxDrawMultilineText(t.Canvas(), u"aa bb cc", r, cxtlWordBreak | cxtlCalcRect, 2), 32);
  EXPECT_EQ(t.Bounds(), RECT{});
}

TEST(cxMultilineText, NothingToDrawAnswersZero) {
  TTestCanvas t(40, 40);
  RECT r{1, 2, 30, 40};
  EXPECT_EQ(cxDrawMultilineText(t.Canvas(), u"", r, cxtlWordBreak | cxtlCalcRect), 0);
  EXPECT_EQ(r, (RECT{1, 2, 30, 40}));
  RECT empty{5, 5, 5, 30};
  EXPECT_EQ(cxDrawMultilineText(t.Canvas(), u"ab", empty, cxtlLeft), 0);
  RECT indented{0, 0, 20, 30};
  EXPECT_EQ(cxDrawMultilineText(t.Canvas(), u"ab", indented, cxtlLeft, 0, 10, 10), 0);
  EXPECT_EQ(t.Bounds(), RECT{});
}

TEST(cxMultilineText, AnswersTheHeightOrTheRowCount) {
  TTestCanvas t(40, 80);
  RECT r{0, 0, 24, 80};
  EXPECT_EQ(cxDrawMultilineText(t.Canvas(), u"aa bb cc", r, cxtlWordBreak), 48);
  EXPECT_EQ(cxDrawMultilineText(t.Canvas(), u"aa bb cc", r, cxtlWordBreak | cxtlRowCountResult), 3);
  EXPECT_EQ(cxDrawMultilineText(t.Canvas(), u"aa bb cc", r, cxtlWordBreak | cxtlBottom), 80);
  EXPECT_EQ(Cells(t, 64, 3), "##.");
}

TEST(cxMultilineText, RowsAreClippedToTheRectangle) {
  TTestCanvas t(40, 40);
  RECT r{0, 0, 24, 20};
  cxDrawMultilineText(t.Canvas(), u"aa bb", r, cxtlWordBreak);
  EXPECT_EQ(t.Bounds(clBlack), (RECT{1, 2, 15, 20}));
  TTestCanvas u(40, 40);
  cxDrawMultilineText(u.Canvas(), u"aa bb", r, cxtlWordBreak | cxtlNoClip);
  EXPECT_EQ(u.Bounds(clBlack), FixedFontInk(0, 0, 2, 2));
}

}  // namespace
