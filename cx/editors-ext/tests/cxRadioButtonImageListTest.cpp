// The radio glyph set: the measured shape, the colours of each look and state, and the cache.
#include "cx/editors-ext/cxRadioGroup.h"

#include <gtest/gtest.h>

#include <optional>

#include "platform/forms/Colors.h"

namespace {

using C = TcxRadioPixelClass;

TcxRadioButtonImageList* GlyphSet() { return cxRadioButtonImageList(); }

std::optional<POINT> FirstPixelOf(C AClass) {
  const SIZE size = GlyphSet()->GlyphSize();
  for (int y = 0; y < size.cy; ++y)
    for (int x = 0; x < size.cx; ++x)
      if (GlyphSet()->PixelClass(x, y) == AClass) return POINT{x, y};
  return std::nullopt;
}

TEST(CxRadioGlyphShape, TheCircleIsClassifiedWithoutHolesAroundItsDot) {
  const TcxRadioGlyphMetrics& m = GlyphSet()->Metrics();
  ASSERT_GT(m.Width, 6);
  ASSERT_GT(m.Height, 6);
  const int w = m.Width, h = m.Height;
  EXPECT_EQ(GlyphSet()->PixelClass(0, 0), C::Outside);
  EXPECT_EQ(GlyphSet()->PixelClass(w - 1, h - 1), C::Outside);
  EXPECT_EQ(GlyphSet()->PixelClass(w / 2, 0), C::OuterRingUpperLeft);
  EXPECT_EQ(GlyphSet()->PixelClass(w / 2, h - 1), C::OuterRingLowerRight);
  EXPECT_EQ(GlyphSet()->PixelClass(0, h / 2), C::OuterRingUpperLeft);
  EXPECT_EQ(GlyphSet()->PixelClass(w - 1, h / 2), C::OuterRingLowerRight);
  EXPECT_EQ(GlyphSet()->PixelClass(1, h / 2), C::InnerRingUpperLeft);
  EXPECT_EQ(GlyphSet()->PixelClass(w - 2, h / 2), C::InnerRingLowerRight);
  EXPECT_EQ(GlyphSet()->PixelClass(w / 2 - 1, h / 2 - 1), C::Dot);
  EXPECT_LT(m.Dot.left, m.Dot.right);
  EXPECT_LT(m.Dot.top, m.Dot.bottom);
  // Every row of the circle is painted from its first ring pixel to its last: nothing shows through.
  for (int y = 0; y < h; ++y) {
    int first = -1, last = -1;
    for (int x = 0; x < w; ++x)
      if (GlyphSet()->PixelClass(x, y) != C::Outside) {
        if (first < 0) first = x;
        last = x;
      }
    for (int x = first; x >= 0 && x <= last; ++x) EXPECT_NE(GlyphSet()->PixelClass(x, y), C::Outside) << x << "," << y;
  }
  for (C c : {C::Interior, C::InnerRingUpperLeft, C::InnerRingLowerRight}) EXPECT_TRUE(FirstPixelOf(c)) << int(c);
}

TEST(CxRadioGlyphState, ControlStatesMapToImageStates) {
  EXPECT_EQ(cxRadioImageState(rbsDisabled), 0);
  EXPECT_EQ(cxRadioImageState(rbsNormal), 1);
  EXPECT_EQ(cxRadioImageState(rbsPressed), 2);
  EXPECT_EQ(cxRadioImageState(rbsHot), 3);
}

class CxRadioGlyphDrawTest : public ::testing::Test {
 protected:
  static constexpr int kLeft = 3, kTop = 2;
  void SetUp() override {
    GlyphSet()->Reset();
    bitmap.SetSize(30, 30);
    canvas = std::make_unique<TcxCanvas>(bitmap.Canvas());
  }
  void DrawGlyph(TcxLookAndFeelKind AKind, int AImageState, bool AChecked, bool AFocused = false,
                 bool ADesigning = false) {
    bitmap.Canvas()->Brush()->SetColor(clFuchsia);
    bitmap.Canvas()->FillRect({0, 0, 30, 30});
    GlyphSet()->Draw(canvas.get(), kLeft, kTop, AKind, AImageState, AChecked, AFocused, ADesigning);
  }
  TColor ColorOf(C AClass) {
    const std::optional<POINT> p = FirstPixelOf(AClass);
    return p ? ColorToRGB(bitmap.Canvas()->Pixels(kLeft + p->x, kTop + p->y)) : clNone;
  }
  TBitmap bitmap;
  std::unique_ptr<TcxCanvas> canvas;
};

TEST_F(CxRadioGlyphDrawTest, EachLookPaintsItsClassesInItsColours) {
  struct Case {
    TcxLookAndFeelKind kind;
    int imageState;
    bool checked, focused;
    TColor outerUpperLeft, outerLowerRight, innerUpperLeft, interior, dot;
  };
  const Case cases[] = {
      {lfStandard, 1, true, false, clBtnShadow, clBtnHighlight, cl3DDkShadow, clWindow, clBtnText},
      {lfStandard, 2, false, false, clBtnShadow, clBtnHighlight, cl3DDkShadow, clBtnFace, clBtnFace},
      {lfFlat, 1, false, false, clBtnShadow, clBtnHighlight, cl3DLight, clWindow, clWindow},
      {lfFlat, 0, true, false, clBtnShadow, clBtnHighlight, cl3DLight, clBtnFace, clBtnShadow},
      {lfUltraFlat, 1, true, false, clBtnShadow, clBtnShadow, clWindow, clWindow, clBtnText},
      {lfUltraFlat, 1, false, true, clHighlight, clHighlight, clWindow, clWindow, clWindow},
      {lfUltraFlat, 3, false, false, clHighlight, clHighlight, cxFaceTintColor(), cxFaceTintColor(),
       cxFaceTintColor()},
      {lfUltraFlat, 2, true, false, clBtnShadow, clBtnShadow, cxHighlightTintColor(), cxHighlightTintColor(),
       clBtnText},
  };
  for (const Case& c : cases) {
    DrawGlyph(c.kind, c.imageState, c.checked, c.focused);
    const std::string what = std::to_string(int(c.kind)) + " state " + std::to_string(c.imageState) +
                             (c.checked ? " checked" : "") + (c.focused ? " focused" : "");
    EXPECT_EQ(ColorOf(C::OuterRingUpperLeft), ColorToRGB(c.outerUpperLeft)) << what;
    EXPECT_EQ(ColorOf(C::OuterRingLowerRight), ColorToRGB(c.outerLowerRight)) << what;
    EXPECT_EQ(ColorOf(C::InnerRingUpperLeft), ColorToRGB(c.innerUpperLeft)) << what;
    EXPECT_EQ(ColorOf(C::Interior), ColorToRGB(c.interior)) << what;
    EXPECT_EQ(ColorOf(C::Dot), ColorToRGB(c.dot)) << what;
    // The mask keeps the corners of the glyph's box and everything around it untouched.
    EXPECT_EQ(ColorToRGB(bitmap.Canvas()->Pixels(kLeft, kTop)), clFuchsia) << what;
    EXPECT_EQ(ColorToRGB(bitmap.Canvas()->Pixels(kLeft - 1, kTop + 6)), clFuchsia) << what;
  }
}

TEST_F(CxRadioGlyphDrawTest, AHighlightedBorderIsCachedApartFromAPlainOne) {
  const int before = GlyphSet()->BuildCount();
  DrawGlyph(lfUltraFlat, 1, false, /*AFocused=*/false);
  DrawGlyph(lfUltraFlat, 1, false, /*AFocused=*/true);
  EXPECT_EQ(ColorOf(C::OuterRingUpperLeft), ColorToRGB(clHighlight));
  DrawGlyph(lfUltraFlat, 1, false, false, /*ADesigning=*/true);
  EXPECT_EQ(ColorOf(C::OuterRingUpperLeft), ColorToRGB(clHighlight));
  DrawGlyph(lfUltraFlat, 1, false, false);
  EXPECT_EQ(ColorOf(C::OuterRingUpperLeft), ColorToRGB(clBtnShadow));
  EXPECT_EQ(GlyphSet()->BuildCount() - before, 2);
  // Focus changes nothing in the other looks, so they share one glyph.
  DrawGlyph(lfStandard, 1, true, false);
  DrawGlyph(lfStandard, 1, true, true);
  EXPECT_EQ(GlyphSet()->BuildCount() - before, 3);
}

TEST_F(CxRadioGlyphDrawTest, ResetRebuildsInTheCurrentSystemColours) {
  DrawGlyph(lfFlat, 1, true);
  const int built = GlyphSet()->BuildCount();
  DrawGlyph(lfFlat, 1, true);
  EXPECT_EQ(GlyphSet()->BuildCount(), built);
  GlyphSet()->Reset();
  DrawGlyph(lfFlat, 1, true);
  EXPECT_EQ(GlyphSet()->BuildCount(), built + 1);
}

}  // namespace
