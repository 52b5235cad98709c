#include <gtest/gtest.h>

#include "cx/foundation/cxGraphics.h"
#include "cx/foundation/tests/cxFoundationTestUtil.h"
#include "platform/win/Windows.h"

namespace {

TEST(cxTextFlags, TranslateToDrawTextFlags) {
  struct Case {
    int flags;
    UINT expected;
  } cases[] = {
      {0, DT_NOPREFIX},
      {cxtfLeft | cxtfTop, DT_NOPREFIX},
      {cxtfRight, DT_NOPREFIX | DT_RIGHT},
      {cxtfHorzCenter | cxtfVertCenter | cxtfSingleLine,
       DT_NOPREFIX | DT_CENTER | DT_VCENTER | DT_SINGLELINE},
      {cxtfBottom | cxtfNoClip | cxtfExpandTabs, DT_NOPREFIX | DT_BOTTOM | DT_NOCLIP | DT_EXPANDTABS},
      {cxtfShowPrefix, 0},
      {cxtfWordBreak, DT_NOPREFIX | DT_WORDBREAK | DT_EDITCONTROL},
      {cxtfEndEllipsis | cxtfCalcRect, DT_NOPREFIX | DT_END_ELLIPSIS | DT_CALCRECT},
  };
  for (const Case& c : cases)
    EXPECT_EQ(cxTextFlagsToDrawTextFlags(c.flags), c.expected) << "flags " << c.flags;
}

TEST(cxCanvasFrames, FrameRectFillsTheChosenSidesInside) {
  struct Case {
    TcxBorders borders;
    int width;
    int pixels;  // red pixels of a 10 x 8 frame
  } cases[] = {
      {cxBordersAll, 1, 2 * 10 + 2 * 6},
      {cxBordersAll, 2, 2 * 20 + 2 * 8},
      {{bLeft}, 1, 8},
      {{bTop, bBottom}, 3, 60},
      {{}, 1, 0},
  };
  for (const Case& c : cases) {
    TTestCanvas t(20, 20);
    t.Cx()->FrameRect({5, 5, 15, 13}, clRed, c.width, c.borders);
    EXPECT_EQ(t.Count(clRed), c.pixels) << "width " << c.width << " sides " << c.borders.Bits();
    if (c.pixels) {
      const RECT b = t.Bounds(clRed);
      EXPECT_GE(b.left, 5);
      EXPECT_LE(b.right, 15);
      EXPECT_GE(b.top, 5);
      EXPECT_LE(b.bottom, 13);
    }
  }
}

TEST(cxCanvasFrames, FrameRectWithDefaultColourKeepsTheBrush) {
  TTestCanvas t(20, 20);
  t.Cx()->SetBrushColor(clBlue);
  t.Cx()->FrameRect({2, 2, 12, 12}, clDefault, 1, {bTop});
  EXPECT_EQ(t.Count(clBlue), 10);
  EXPECT_EQ(t.Cx()->Brush()->Color(), clBlue);
}

TEST(cxCanvasFrames, SetBrushColorKeepsTheBrushWhenTheColourIsTheSame) {
  TTestCanvas t(4, 4);
  t.Cx()->SetBrushColor(clRed);
  const HBRUSH brush = t.Cx()->Brush()->Handle();
  t.Cx()->SetBrushColor(clRed);
  EXPECT_EQ(t.Cx()->Brush()->Handle(), brush);
}

TEST(cxCanvasFrames, TwoColorFrameGivesThreeCornersToTheRightBottomColour) {
  for (int width : {1, 2}) {
    TTestCanvas t(20, 20);
    t.Cx()->DrawTwoColorFrame({2, 3, 12, 10}, clRed, clBlue, cxBordersAll, width);
    EXPECT_EQ(t.Pixel(2, 3), clRed);    // top-left
    EXPECT_EQ(t.Pixel(11, 3), clBlue);  // top-right
    EXPECT_EQ(t.Pixel(2, 9), clBlue);   // bottom-left
    EXPECT_EQ(t.Pixel(11, 9), clBlue);  // bottom-right
    EXPECT_EQ(t.Pixel(2 + width - 1, 6), clRed);
    EXPECT_EQ(t.Pixel(2 + width, 6), clWhite);
    EXPECT_EQ(t.Pixel(12 - width, 6), clBlue);
  }
}

TEST(cxCanvasFrames, BevelFrameColoursFollowSunkenAndOuter) {
  struct Case {
    bool sunken, outer;
    TColor leftTop, rightBottom;
  } cases[] = {
      {true, true, clBtnShadow, clBtnHighlight},
      {true, false, cl3DDkShadow, cl3DLight},
      {false, true, cl3DLight, cl3DDkShadow},
      {false, false, clBtnHighlight, clBtnShadow},
  };
  for (const Case& c : cases) {
    TTestCanvas t(20, 20, clRed);
    t.Cx()->DrawBevelFrame({2, 2, 12, 12}, c.sunken, c.outer);
    const std::string what =
        std::string("sunken ") + (c.sunken ? "1" : "0") + " outer " + (c.outer ? "1" : "0");
    EXPECT_EQ(t.Pixel(2, 6), ColorToRGB(c.leftTop)) << what;
    EXPECT_EQ(t.Pixel(6, 2), ColorToRGB(c.leftTop)) << what;
    EXPECT_EQ(t.Pixel(11, 6), ColorToRGB(c.rightBottom)) << what;
    EXPECT_EQ(t.Pixel(6, 11), ColorToRGB(c.rightBottom)) << what;
    EXPECT_EQ(t.Pixel(3, 3), clRed) << what;
  }
}

TEST(cxCanvas, InvertRectTwiceRestoresThePicture) {
  TTestCanvas t(10, 10);
  t.Cx()->InvertRect({2, 2, 6, 6});
  EXPECT_EQ(t.Count(clBlack), 16);
  EXPECT_EQ(t.Canvas()->CopyMode(), cmSrcCopy);
  t.Cx()->InvertRect({2, 2, 6, 6});
  EXPECT_EQ(t.Count(clWhite), 100);
}

TEST(cxCanvas, FocusRectUsesBlackFontAndWhiteBrush) {
  TTestCanvas t(20, 20, clRed);
  t.Cx()->Font()->SetColor(clGreen);
  t.Cx()->DrawFocusRect({2, 2, 12, 12});
  EXPECT_EQ(t.Cx()->Font()->Color(), clBlack);
  EXPECT_EQ(t.Cx()->Brush()->Color(), clWhite);
  EXPECT_NE(t.Bounds().right, 0);  // something was drawn
}

// --- Text ---

TEST(cxCanvasText, EmptyTextDrawsNothingAndKeepsBrushAndFont) {
  TTestCanvas t(40, 20);
  t.Cx()->Brush()->SetStyle(bsSolid);
  t.Cx()->Font()->SetColor(clRed);
  t.Cx()->DrawText(u"", {0, 0, 40, 20}, cxtfLeft, false);
  EXPECT_EQ(t.Bounds(), RECT{});
  EXPECT_EQ(t.Cx()->Brush()->Style(), bsSolid);
  EXPECT_EQ(t.Cx()->Font()->Color(), clRed);
}

TEST(cxCanvasText, SingleLineAlignmentPlacesTheText) {
  struct Case {
    int flags;
    POINT cell;  // "ab" is 16 x 16
  } cases[] = {
      {cxtfLeft | cxtfTop | cxtfSingleLine, {0, 0}},
      {cxtfRight | cxtfSingleLine, {24, 0}},
      {cxtfHorzCenter | cxtfVertCenter | cxtfSingleLine, {12, 7}},
      {cxtfRight | cxtfBottom | cxtfSingleLine, {24, 14}},
      // The DrawText path (end ellipsis) aligns the same way.
      {cxtfRight | cxtfBottom | cxtfSingleLine | cxtfEndEllipsis, {24, 14}},
  };
  for (const Case& c : cases) {
    TTestCanvas t(40, 30);
    t.Cx()->Brush()->SetStyle(bsClear);
    t.Cx()->DrawText(u"ab", {0, 0, 40, 30}, c.flags);
    EXPECT_EQ(t.Bounds(clBlack), FixedFontInk(c.cell.x, c.cell.y, 2)) << "flags " << c.flags;
  }
}

TEST(cxCanvasText, TextThatDoesNotFitIsClipped) {
  TTestCanvas t(40, 30);
  t.Cx()->Brush()->SetStyle(bsClear);
  t.Cx()->DrawText(u"abcd", {0, 0, 20, 10}, cxtfSingleLine);
  EXPECT_EQ(t.Bounds(clBlack), (RECT{1, 2, 20, 10}));
  TTestCanvas u(40, 30);
  u.Cx()->Brush()->SetStyle(bsClear);
  u.Cx()->DrawText(u"ab", {0, 0, 17, 17}, cxtfSingleLine);
  EXPECT_EQ(u.Bounds(clBlack), FixedFontInk(0, 0, 2));
}

TEST(cxCanvasText, DisabledRightAlignedTextEndsOnePixelFurtherLeft) {
  // Shadow over highlight, on a background that shows both.
  TTestCanvas t(40, 30, clRed);
  t.Cx()->DrawText(u"ab", {0, 0, 40, 30}, cxtfRight | cxtfSingleLine, false);
  // Enabled, the ink would end at 39.
  EXPECT_EQ(t.Bounds(clBtnShadow), FixedFontInk(23, 0, 2));
  EXPECT_EQ(t.Bounds(clBtnHighlight), (RECT{25, 3, 39, 14}));
  // The clear brush drew no background behind either copy.
  EXPECT_EQ(t.Pixel(10, 10), clRed);
}

TEST(cxCanvasText, DisabledTextRestoresBrushStyleAndFontColour) {
  TTestCanvas t(40, 30);
  t.Cx()->Font()->SetColor(clGreen);
  t.Cx()->DrawText(u"ab", {0, 0, 40, 30}, cxtfLeft, false);
  EXPECT_EQ(t.Cx()->Brush()->Style(), bsSolid);
  EXPECT_EQ(t.Cx()->Font()->Color(), clGreen);
}

TEST(cxCanvasText, EnabledTextIsDrawnOverTheCurrentBrush) {
  TTestCanvas t(40, 20);
  t.Cx()->Brush()->SetColor(clYellow);
  t.Cx()->Font()->SetColor(clBlue);
  t.Cx()->DrawText(u"a b", {0, 0, 40, 20}, cxtfSingleLine);
  EXPECT_EQ(t.Pixel(2, 2), clBlue);
  EXPECT_EQ(t.Pixel(10, 2), clYellow);  // the space cell
}

TEST(cxCanvasText, MultiLineTextIsAlignedVerticallyByItsMeasuredHeight) {
  struct Case {
    int flags;
    bool enabled;
    TColor ink;
    int top;  // "ab cd" in 3-character rows: two rows, 32 pixels
  } cases[] = {
      {cxtfWordBreak, true, clBlack, 0},
      {cxtfWordBreak | cxtfVertCenter, true, clBlack, 16},
      {cxtfWordBreak | cxtfBottom, true, clBlack, 32},
      {cxtfWordBreak | cxtfBottom, false, clBtnShadow, 31},
  };
  for (const Case& c : cases) {
    TTestCanvas t(30, 64, clRed);
    t.Cx()->Brush()->SetStyle(bsClear);
    t.Cx()->DrawText(u"ab cd", {0, 0, 24, 64}, c.flags, c.enabled);
    EXPECT_EQ(t.Bounds(c.ink), FixedFontInk(0, c.top, 2, 2)) << "flags " << c.flags;
  }
}

TEST(cxCanvasText, PrefixIsShownOnlyWithShowPrefix) {
  TTestCanvas t(40, 20);
  t.Cx()->Brush()->SetStyle(bsClear);
  t.Cx()->DrawText(u"&ab", {0, 0, 40, 20}, cxtfSingleLine);
  EXPECT_EQ(t.Bounds(clBlack).right, 23);  // three cells
  TTestCanvas u(40, 20);
  u.Cx()->Brush()->SetStyle(bsClear);
  u.Cx()->DrawText(u"&ab", {0, 0, 40, 20}, cxtfSingleLine | cxtfShowPrefix);
  EXPECT_EQ(u.Bounds(clBlack).right, 15);  // two
}

TEST(cxCanvasText, CalcTextRectPlacesTheMeasuredRectangle) {
  struct Case {
    int flags;
    RECT expected;
  } cases[] = {
      {cxtfSingleLine, {10, 10, 34, 26}},
      {cxtfSingleLine | cxtfHorzCenter | cxtfVertCenter, {48, 27, 72, 43}},
      {cxtfSingleLine | cxtfRight | cxtfBottom, {86, 44, 110, 60}},
      {cxtfWordBreak, {10, 10, 26, 42}},  // "ab cd" in two rows
  };
  TTestCanvas t(4, 4);
  for (const Case& c : cases) {
    RECT r = c.flags & cxtfWordBreak ? RECT{10, 10, 34, 60} : RECT{10, 10, 110, 60};
    t.Cx()->CalcTextRect(c.flags & cxtfWordBreak ? u"ab cd" : u"abc", r, c.flags);
    EXPECT_EQ(r, c.expected) << "flags " << c.flags;
  }
}

TEST(cxCanvasText, MeasuresInTheCurrentFont) {
  TTestCanvas t(4, 4);
  EXPECT_EQ(t.Cx()->TextExtent(u"abc"), (SIZE{24, 16}));
  EXPECT_EQ(t.Cx()->TextWidth(u"ab"), 16);
  EXPECT_EQ(t.Cx()->TextHeight(u"ab"), 16);
  TFont font;
  font.SetName(kFixedTestFontName);
  font.SetHeight(-20);
  EXPECT_EQ(t.Cx()->FontHeight(&font), 20);
  EXPECT_EQ(t.Cx()->Font()->Height(), -20);
}

// --- Regions and clipping ---

TEST(cxRegion, CombineOperations) {
  struct Case {
    TcxRegionOperation operation;
    RECT box;
  } cases[] = {
      {roSet, {5, 5, 15, 15}},
      {roAdd, {0, 0, 15, 15}},
      {roSubtract, {0, 0, 10, 10}},
      {roIntersect, {5, 5, 10, 10}},
  };
  for (const Case& c : cases) {
    TcxRegion region(0, 0, 10, 10);
    region.Combine(new TcxRegion(5, 5, 15, 15), c.operation);
    RECT box;
    GetRgnBox(region.Handle(), &box);
    EXPECT_EQ(box, c.box) << "operation " << c.operation;
  }
  TcxRegion region(0, 0, 10, 10);
  TcxRegion other(20, 20, 30, 30);
  region.Combine(&other, roIntersect, false);
  EXPECT_TRUE(region.IsEmpty());
  EXPECT_FALSE(other.IsEmpty());
  EXPECT_TRUE(TcxRegion().IsEmpty());
}

TEST(cxCanvasClipping, NoClippingReadsAsTheHugeRectangle) {
  TTestCanvas t(20, 20);
  std::unique_ptr<TcxRegion> region(t.Cx()->GetClipRegion());
  RECT box;
  GetRgnBox(region->Handle(), &box);
  EXPECT_EQ(box, (RECT{0, 0, 107374182, 107374182}));
}

TEST(cxCanvasClipping, SetClipRegionOperationsNarrowWhatIsPainted) {
  struct Case {
    TcxRegionOperation operation;
    int painted;  // of a 20 x 20 fill, after clipping to (0, 0, 10, 10) first
  } cases[] = {
      {roSet, 64},        // just (12, 12, 20, 20)
      {roAdd, 164},       // both squares
      {roSubtract, 100},  // the first square (no overlap)
      {roIntersect, 0},
  };
  for (const Case& c : cases) {
    TTestCanvas t(20, 20);
    t.Cx()->SetClipRegion(new TcxRegion(0, 0, 10, 10), roSet);
    t.Cx()->SetClipRegion(new TcxRegion(12, 12, 20, 20), c.operation);
    t.Cx()->SetBrushColor(clRed);
    t.Cx()->FillRect({0, 0, 20, 20});
    EXPECT_EQ(t.Count(clRed), c.painted) << "operation " << c.operation;
  }
}

TEST(cxCanvasClipping, IntersectingWithoutClippingYieldsTheRegion) {
  TTestCanvas t(20, 20);
  TcxRegion* given = new TcxRegion(2, 3, 7, 9);
  t.Cx()->SetClipRegion(given, roIntersect, false);
  std::unique_ptr<TcxRegion> clip(t.Cx()->GetClipRegion());
  EXPECT_TRUE(EqualRgn(clip->Handle(), given->Handle()));
  delete given;
  // A saved clip region restores after narrowing.
  t.Cx()->IntersectClipRect({3, 3, 5, 5});
  EXPECT_FALSE(t.Cx()->RectVisible({6, 6, 7, 7}));
  t.Cx()->SetClipRegion(clip.release(), roSet);
  EXPECT_TRUE(t.Cx()->RectVisible({6, 6, 7, 7}));
  t.Cx()->ExcludeClipRect({2, 3, 7, 6});
  EXPECT_FALSE(t.Cx()->RectVisible({3, 4, 4, 5}));
  EXPECT_TRUE(t.Cx()->RectVisible({3, 7, 4, 8}));
}

TEST(cxScreenCanvas, MeasuresWithoutAWindow) {
  TcxScreenCanvas canvas;
  canvas.Font()->SetName(kFixedTestFontName);
  canvas.Font()->SetHeight(-16);
  EXPECT_EQ(canvas.TextWidth(u"abcd"), 32);
  EXPECT_NE(canvas.Handle(), nullptr);
}

// --- Colour blends ---

class cxTintColors : public testing::Test {
 protected:
  void TearDown() override { ResetSysColors(); }
  void SetColors(COLORREF AFace, COLORREF AHighlight, COLORREF AWindow) {
    const int indexes[] = {COLOR_BTNFACE, COLOR_HIGHLIGHT, COLOR_WINDOW};
    const COLORREF colors[] = {AFace, AHighlight, AWindow};
    SetSysColors(3, indexes, colors);
  }
};

TEST_F(cxTintColors, BlendFaceHighlightAndWindow) {
  SetColors(RGB(100, 100, 100), RGB(0, 0, 200), RGB(255, 255, 255));
  EXPECT_EQ(cxHighlightTintColor(), static_cast<TColor>(RGB(116, 116, 204)));
  EXPECT_EQ(cxFaceTintColor(), static_cast<TColor>(RGB(182, 182, 242)));
}

TEST_F(cxTintColors, ChannelsAreClamped) {
  SetColors(RGB(254, 0, 0), RGB(255, 0, 0), RGB(255, 0, 0));
  EXPECT_EQ(GetRValue(cxFaceTintColor()), 255);  // -5 + 77 + 184
  SetColors(RGB(254, 254, 254), RGB(0, 0, 0), RGB(0, 0, 0));
  EXPECT_EQ(cxFaceTintColor(), static_cast<TColor>(RGB(0, 0, 0)));  // -5 each
}

TEST_F(cxTintColors, BlackOrWhiteFaceGivesTheHighlight) {
  for (COLORREF face : {RGB(0, 0, 0), RGB(255, 255, 255)}) {
    SetColors(face, RGB(10, 20, 30), RGB(200, 200, 200));
    EXPECT_EQ(cxHighlightTintColor(), static_cast<TColor>(RGB(10, 20, 30)));
    EXPECT_EQ(cxFaceTintColor(), static_cast<TColor>(RGB(10, 20, 30)));
  }
}

}  // namespace
