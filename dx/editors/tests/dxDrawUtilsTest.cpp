#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "dx/editors/dxDrawUtils.h"
#include "dx/editors/dxTextEdit.h"
#include "platform/forms/Graphics.h"
#include "platform/gdi/Gdi.h"
#include "platform/win/Windows.h"

namespace {

// A white 120 x 40 bitmap with the fixed-metrics font (8 x 16 cells, glyphs inked from x+1 to x+6).
class DxDrawUtilsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    bitmap_.SetSize(120, 40);
    Fill(clWhite);
    font_.SetName(kFixedTestFontName);
    font_.SetHeight(-16);
    brush_ = CreateSolidBrush(RGB(255, 255, 255));
  }
  void TearDown() override { DeleteObject(brush_); }
  void Fill(TColor c) {
    bitmap_.Canvas()->Brush()->SetColor(c);
    bitmap_.Canvas()->FillRect(RECT{0, 0, 120, 40});
  }
  HDC DC() { return bitmap_.Canvas()->Handle(); }
  int Draw(const char16_t* text, Word flags, RECT textRect, RECT bgRect, int* lineHeight = nullptr) {
    return DrawCellText(DC(), text, static_cast<int>(String(text).size()), lineHeight, clBlack, clWhite,
                        font_.Handle(), brush_, flags, textRect, bgRect);
  }
  // One character per pixel column of row y: '#' ink, '.' background.
  std::string Row(int y, int from, int to) {
    std::string s;
    for (int x = from; x < to; ++x) s += GetPixel(DC(), x, y) == RGB(0, 0, 0) ? '#' : '.';
    return s;
  }
  TBitmap bitmap_;
  TFont font_;
  HBRUSH brush_ = nullptr;
};

TEST_F(DxDrawUtilsTest, MeasuringAnEmptyTextGivesNothingAndDrawsNothing) {
  int lineHeight = -1;
  EXPECT_EQ(Draw(u"", dxCellMeasureOnly, RECT{0, 0, 100, 20}, RECT{0, 0, 100, 20}, &lineHeight), 0);
  EXPECT_EQ(lineHeight, 0);
  EXPECT_EQ(Row(8, 0, 100), std::string(100, '.'));
}

TEST_F(DxDrawUtilsTest, MeasuringWrappedTextCountsItsLinesAndTheBackgroundMargin) {
  int lineHeight = 0;
  // 5 characters fit a line of 40 pixels: three lines.
  const int height = Draw(u"aaaa bbbb cccc", dxCellMeasureOnly | dxCellMultiLine, RECT{2, 2, 42, 20},
                          RECT{0, 0, 44, 22}, &lineHeight);
  EXPECT_EQ(lineHeight, 16);
  EXPECT_EQ(height, 3 * 16 + 4);
}

// Alignment of a text that fits, and of one that does not: a text wider than its rectangle starts
// at the rectangle's left edge and is cut at its right edge, whatever the alignment.
TEST_F(DxDrawUtilsTest, SimplePathPlacesAndClipsTheText) {
  struct Case {
    const char16_t* text;
    Word flags;
    const char* row;  // pixels 0..39 of a rectangle 8..32
  };
  const Case cases[] = {
      {u"ab", dxCellLeft, ".........######..######................."},
      {u"ab", dxCellCenter, ".............######..######............."},
      {u"ab", dxCellRight, ".................######..######........."},
      {u"abcd", dxCellRight, ".........######..######..######........."},
      {u"abcd", dxCellCenter, ".........######..######..######........."},
  };
  for (const Case& c : cases) {
    Fill(clWhite);
    Draw(c.text, c.flags, RECT{8, 0, 32, 20}, RECT{0, 0, 40, 20});
    EXPECT_EQ(Row(8, 0, 40), c.row) << int(c.flags) << " " << std::string(c.text, c.text + 2);
  }
}

TEST_F(DxDrawUtilsTest, TheFormattedPathIsTakenForEllipsisOnlyWhenNeeded) {
  // Fits and has no line break: the simple path draws the text whole.
  Draw(u"ab", dxCellEndEllipsis, RECT{0, 0, 40, 20}, RECT{0, 0, 40, 20});
  EXPECT_EQ(Row(8, 0, 16), ".######..######.");
  // A line feed sends the text to the formatted path, which stops at the break (one line).
  Fill(clWhite);
  Draw(u"a\nb", dxCellEndEllipsis, RECT{0, 0, 40, 20}, RECT{0, 0, 40, 20});
  EXPECT_EQ(Row(8, 0, 8), ".######.");
  // Too wide with an ellipsis: the text is shortened to fit instead of being cut mid-glyph.
  Fill(clWhite);
  Draw(u"abcdefgh", dxCellEndEllipsis, RECT{0, 0, 36, 20}, RECT{0, 0, 40, 20});
  EXPECT_EQ(Row(8, 36, 40), "....");
}

TEST_F(DxDrawUtilsTest, NoFillLeavesTheBackground) {
  Fill(clRed);
  Draw(u"a", dxCellNoFill, RECT{0, 0, 20, 20}, RECT{0, 0, 20, 20});
  EXPECT_EQ(GetPixel(DC(), 15, 8), RGB(255, 0, 0));
  Draw(u"a", dxCellLeft, RECT{0, 0, 20, 20}, RECT{0, 0, 20, 20});
  EXPECT_EQ(GetPixel(DC(), 15, 8), RGB(255, 255, 255));
}

TEST(DxPopupPlacementTest, PopupsStayOnTheWorkArea) {
  SetScreenSize(1024, 768);
  RECT work;
  GetMonitorWorkArea(POINT{10, 10}, work);
  struct Case {
    POINT at;
    int width, height, owner;
    POINT expected;
  };
  const Case cases[] = {
      {{100, 100}, 200, 150, 20, {100, 100}},                      // fits below
      {{-30, 100}, 200, 150, 20, {work.left, 100}},                // moved in from the left
      {{900, 100}, 200, 150, 20, {work.right - 200, 100}},         // moved in from the right
      {{100, 100}, 2000, 150, 20, {work.right - 2000, 100}},       // wider than the work area
      {{100, work.bottom - 50}, 200, 150, 20, {100, work.bottom - 50 - 20 - 150}},  // flipped above
      {{100, 120}, 200, work.bottom - 100, 20, {100, 120}},        // no more room above: stays
  };
  for (const Case& c : cases) {
    POINT p = c.at;
    AdjustPopupPosition(p, c.width, c.height, c.owner);
    EXPECT_EQ(p.x, c.expected.x) << c.at.x << "," << c.at.y;
    EXPECT_EQ(p.y, c.expected.y) << c.at.x << "," << c.at.y;
  }
}

TEST(DxPopupPlacementTest, SizeGripCornersAndHitCodes) {
  EXPECT_EQ(SizeGripCornerToHitTest(0), 13);
  EXPECT_EQ(SizeGripCornerToHitTest(1), 14);
  EXPECT_EQ(SizeGripCornerToHitTest(2), 16);
  EXPECT_EQ(SizeGripCornerToHitTest(3), 17);
  const RECT owner{0, 0, 100, 20};
  EXPECT_EQ(GetPopupSizeGripCorner(owner, RECT{0, 20, 150, 120}), 3);    // below, opening right
  EXPECT_EQ(GetPopupSizeGripCorner(owner, RECT{-50, -80, 0, 0}), 0);     // above, opening left
  EXPECT_EQ(GetPopupBarHeight(), std::max(GetSystemMetrics(SM_CYHSCROLL) + 3, GetSystemMetrics(SM_CYSIZE) + 1));
}

TEST(DxBitmapRoutinesTest, EnsureBitmapSizeNeverShrinks) {
  TBitmap b;
  b.SetSize(10, 20);
  EnsureBitmapSize(&b, 5, 30);
  EXPECT_EQ(b.Width(), 10);
  EXPECT_EQ(b.Height(), 30);
  EnsureBitmapSize(&b, 1, 1);
  EXPECT_EQ(b.Width(), 10);
  EXPECT_EQ(b.Height(), 30);
}

TEST(DxBitmapRoutinesTest, DitherRectColoursEveryOtherPixel) {
  TBitmap b;
  b.SetSize(4, 2);
  b.Canvas()->Brush()->SetColor(clWhite);
  b.Canvas()->FillRect(RECT{0, 0, 4, 2});
  DitherRect(b.Canvas()->Handle(), RECT{0, 0, 4, 2}, clBlue);
  std::string s;
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 4; ++x) s += GetPixel(b.Canvas()->Handle(), x, y) == RGB(0, 0, 255) ? 'b' : '.';
  EXPECT_EQ(s, "b.b..b.b");
}

// The frame leaves the inner area the pop-up's client takes; the shadow comes off the right and bottom.
TEST_F(DxDrawUtilsTest, PopupFramesLeaveTheirInnerArea) {
  struct Case {
    TdxPopupBorder border;
    bool shadow;
    RECT inner;
  };
  const Case cases[] = {
      {pbDefault, false, {0, 0, 60, 30}}, {pbSingle, false, {1, 1, 59, 29}}, {pbFlat, false, {2, 2, 58, 28}},
      {pbFrame3D, false, {4, 4, 56, 26}}, {pbFrame3D, true, {4, 4, 54, 24}},
  };
  for (const Case& c : cases) {
    Fill(clWhite);
    RECT r{0, 0, 60, 30};
    DrawPopupFrameOnDC(DC(), r, c.border, 2, c.shadow, false);
    EXPECT_EQ(r, c.inner) << int(c.border) << " shadow " << c.shadow;
  }
  // The shadow strips: below and right of the frame moved by the shadow size, in the shadow colour.
  EXPECT_EQ(GetPixel(DC(), 59, 15), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(GetPixel(DC(), 30, 29), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(GetPixel(DC(), 59, 0), RGB(255, 255, 255));
}

}  // namespace
