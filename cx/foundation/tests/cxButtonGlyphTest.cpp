#include <gtest/gtest.h>

#include <memory>

#include "cx/foundation/cxButtonGlyph.h"
#include "cx/foundation/tests/cxFoundationTestUtil.h"

namespace {

// A strip of 16 x 16 images on white, each with an 8 x 8 centre block of its colour.
std::unique_ptr<TBitmap> MakeStrip(std::initializer_list<TColor> ACentres) {
  auto Strip = std::make_unique<TBitmap>();
  Strip->SetSize(16 * static_cast<int>(ACentres.size()), 16);
  Strip->Canvas()->Brush()->SetColor(clWhite);
  Strip->Canvas()->FillRect({0, 0, Strip->Width(), 16});
  int X = 0;
  for (TColor C : ACentres) {
    Strip->Canvas()->Brush()->SetColor(C);
    Strip->Canvas()->FillRect({X + 4, 4, X + 12, 12});
    X += 16;
  }
  return Strip;
}

// The glyph's image of a state drawn on fuchsia; the colour at the image's centre.
TColor CentreOf(TcxButtonGlyph& AGlyph, TcxButtonState AState) {
  TTestCanvas T(16, 16, clFuchsia);
  const int Index = AGlyph.GetGlyphIndex(AState);
  EXPECT_NE(Index, -1);
  AGlyph.GlyphList()->Draw(T.Canvas(), 0, 0, Index, true);
  EXPECT_EQ(T.Pixel(0, 0), clFuchsia) << "the image's background is transparent";
  return T.Pixel(8, 8);
}

class ButtonGlyphTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(cxGlyphCache(), nullptr); }
  void TearDown() override { EXPECT_EQ(cxGlyphCache(), nullptr); }
};

TEST_F(ButtonGlyphTest, ImageCountFromTheStripShape) {
  struct Case {
    int Width, Height, Before, Expected;
  } Cases[] = {{64, 16, 1, 4}, {32, 16, 1, 2}, {16, 16, 3, 1}, {80, 16, 2, 1}, {50, 16, 3, 3}, {0, 0, 2, 2}};
  for (const Case& C : Cases) {
    TcxButtonGlyph Glyph;
    Glyph.SetNumGlyphs(C.Before);
    TBitmap Strip;
    Strip.SetSize(C.Width, C.Height);
    Glyph.SetGlyph(&Strip);
    EXPECT_EQ(Glyph.NumGlyphs(), C.Expected) << C.Width << " x " << C.Height;
  }
}

TEST_F(ButtonGlyphTest, StatesPickTheirImages) {
  struct Case {
    int NumGlyphs;
    TcxButtonState State;
    TColor Expected;
  } Cases[] = {
      {4, cxbsNormal, clRed},   {4, cxbsHot, clRed},     {4, cxbsDefault, clRed}, {4, cxbsPressed, clBlue},
      {3, cxbsPressed, clBlue}, {2, cxbsPressed, clRed}, {1, cxbsPressed, clRed},
  };
  for (const Case& C : Cases) {
    TcxButtonGlyph Glyph;
    const TColor Colours[] = {clRed, clGray, clBlue, clLime};
    auto Strip = std::make_unique<TBitmap>();
    Strip->SetSize(16 * C.NumGlyphs, 16);
    Strip->Canvas()->Brush()->SetColor(clWhite);
    Strip->Canvas()->FillRect({0, 0, 16 * C.NumGlyphs, 16});
    for (int I = 0; I < C.NumGlyphs; ++I) {
      Strip->Canvas()->Brush()->SetColor(Colours[I]);
      Strip->Canvas()->FillRect({16 * I + 4, 4, 16 * I + 12, 12});
    }
    Glyph.SetGlyph(Strip.get());
    ASSERT_EQ(Glyph.NumGlyphs(), C.NumGlyphs);
    EXPECT_EQ(CentreOf(Glyph, C.State), C.Expected) << C.NumGlyphs << " images, state " << C.State;
  }
}

TEST_F(ButtonGlyphTest, DisabledImageFromTheStripIsRecoloured) {
  TcxButtonGlyph Glyph;
  auto Strip = MakeStrip({clRed, clGray});
  Glyph.SetGlyph(Strip.get());
  ASSERT_EQ(Glyph.NumGlyphs(), 2);
  // Gray becomes the shadow colour; white the highlight colour, here the transparent background.
  EXPECT_EQ(CentreOf(Glyph, cxbsDisabled), ColorToRGB(clBtnShadow));
}

TEST_F(ButtonGlyphTest, SingleImageGetsAnEmbossedDisabledLook) {
  TcxButtonGlyph Glyph;
  auto Strip = MakeStrip({clBlack});
  Glyph.SetGlyph(Strip.get());
  TTestCanvas T(16, 16, clFuchsia);
  const int Index = Glyph.GetGlyphIndex(cxbsDisabled);
  Glyph.GlyphList()->Draw(T.Canvas(), 0, 0, Index, true);
  EXPECT_EQ(T.Bounds(clBtnShadow), (RECT{4, 4, 12, 12}));
  EXPECT_EQ(T.Pixel(12, 8), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(T.Pixel(8, 12), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(T.Pixel(12, 4), clFuchsia);
  EXPECT_EQ(T.Count(clBlack), 0);
}

TEST_F(ButtonGlyphTest, GlyphsOfOneSizeShareAListThatGoesWithTheLast) {
  auto A = std::make_unique<TcxButtonGlyph>();
  auto B = std::make_unique<TcxButtonGlyph>();
  auto Strip = MakeStrip({clRed, clGray});
  A->SetGlyph(Strip.get());
  B->SetGlyph(Strip.get());
  EXPECT_EQ(A->GetGlyphIndex(cxbsNormal), 0);
  EXPECT_EQ(B->GetGlyphIndex(cxbsNormal), 1);
  EXPECT_EQ(B->GetGlyphIndex(cxbsDisabled), 2);
  EXPECT_EQ(A->GlyphList(), B->GlyphList());
  ASSERT_NE(cxGlyphCache(), nullptr);
  EXPECT_EQ(cxGlyphCache()->Count(), 1);

  // A new strip frees A's slot, and the next image takes it.
  int Changes = 0;
  A->OnChange = [&](TObject*) { ++Changes; };
  auto Other = MakeStrip({clBlue});
  A->SetGlyph(Other.get());
  EXPECT_GE(Changes, 1);
  EXPECT_EQ(A->GlyphList(), nullptr);
  EXPECT_EQ(B->GlyphList()->UsedCount(), 2);
  EXPECT_EQ(A->GetGlyphIndex(cxbsNormal), 0);
  EXPECT_EQ(CentreOf(*A, cxbsNormal), clBlue);

  // Another size gets its own list.
  auto Small = std::make_unique<TcxButtonGlyph>();
  TBitmap SmallStrip;
  SmallStrip.SetSize(8, 8);
  Small->SetGlyph(&SmallStrip);
  Small->GetGlyphIndex(cxbsNormal);
  EXPECT_EQ(cxGlyphCache()->Count(), 2);
  Small.reset();
  EXPECT_EQ(cxGlyphCache()->Count(), 1);

  A.reset();
  ASSERT_NE(cxGlyphCache(), nullptr);
  B.reset();
}

TEST_F(ButtonGlyphTest, EmptyStripHasNoImage) {
  TcxButtonGlyph Glyph;
  EXPECT_EQ(Glyph.GetGlyphIndex(cxbsNormal), -1);
  Glyph.SetGlyph(nullptr);
  EXPECT_EQ(Glyph.GetGlyphIndex(cxbsDisabled), -1);
  EXPECT_EQ(Glyph.GlyphList(), nullptr);
}

TEST_F(ButtonGlyphTest, Layout) {
  TTestCanvas T(10, 10);
  auto Strip = MakeStrip({clRed});
  struct Case {
    const char* Name;
    RECT Client;
    String Caption;
    TButtonLayout Layout;
    int Margin, Spacing;
    UINT BiDi;
    POINT Glyph;
    RECT Text;
  } Cases[] = {
      // Glyph and "Ab" are 16 wide: three equal gaps of (100 - 32) / 3.
      {"even", {0, 0, 100, 30}, S("Ab"), blGlyphLeft, -1, -1, 0, {22, 7}, {60, 7, 76, 23}},
      {"margin given", {0, 0, 100, 30}, S("Ab"), blGlyphRight, 4, -1, 0, {80, 7}, {32, 7, 48, 23}},
      {"right to left", {0, 0, 100, 30}, S("Ab"), blGlyphLeft, 4, -1, DT_RIGHT, {80, 7}, {32, 7, 48, 23}},
      {"top, spacing given", {0, 0, 100, 60}, S("Ab"), blGlyphTop, -1, 2, 0, {42, 13}, {42, 31, 58, 47}},
      {"bottom", {0, 0, 100, 60}, S("Ab"), blGlyphBottom, 0, 0, 0, {42, 44}, {42, 28, 58, 44}},
      // Without a caption the glyph alone is centred.
      {"no caption", {0, 0, 100, 30}, String(), blGlyphLeft, -1, -1, 0, {42, 7}, {58, 15, 58, 15}},
      // The glyph moves with the client rectangle, the caption only with the offset.
      {"offset", {10, 5, 110, 35}, S("Ab"), blGlyphLeft, 2, 3, 0, {13, 13}, {22, 8, 38, 24}},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    TcxButtonGlyph Glyph;
    Glyph.SetGlyph(Strip.get());
    POINT GlyphPos;
    RECT TextBounds;
    const POINT Offset = std::string(C.Name) == "offset" ? POINT{1, 1} : POINT{0, 0};
    Glyph.CalcLayout(T.Cx(), C.Client, Offset, C.Caption, C.Layout, C.Margin, C.Spacing, GlyphPos, TextBounds,
                     C.BiDi);
    EXPECT_EQ(GlyphPos.x, C.Glyph.x);
    EXPECT_EQ(GlyphPos.y, C.Glyph.y);
    EXPECT_EQ(TextBounds, C.Text);
  }
}

TEST_F(ButtonGlyphTest, PaintContentDrawsGlyphAndEmbossedDisabledCaption) {
  auto Strip = MakeStrip({clRed});
  TcxButtonGlyph Glyph;
  Glyph.SetGlyph(Strip.get());
  TTestCanvas T(100, 30, clFuchsia);
  T.Canvas()->Font()->SetColor(clNavy);
  Glyph.PaintContent(T.Cx(), {0, 0, 100, 30}, {0, 0}, S("Ab"), blGlyphLeft, 2, 4, cxbsNormal, 0);
  EXPECT_EQ(T.Bounds(clRed), (RECT{6, 11, 14, 19}));
  const RECT Caption = T.Bounds(clNavy);
  EXPECT_GE(Caption.left, 22);
  EXPECT_LE(Caption.right, 38);
  EXPECT_EQ(T.Canvas()->Brush()->Style(), bsSolid);

  TTestCanvas D(100, 30, clFuchsia);
  D.Canvas()->Font()->SetColor(clNavy);
  Glyph.PaintContent(D.Cx(), {0, 0, 100, 30}, {0, 0}, S("Ab"), blGlyphLeft, 2, 4, cxbsDisabled, 0);
  const RECT Shadow = D.Bounds(clNavy), Highlight = D.Bounds(clBtnHighlight);
  EXPECT_EQ(Shadow.left, Caption.left);
  EXPECT_EQ(Highlight.right, Caption.right + 1);
  EXPECT_EQ(Highlight.bottom, Caption.bottom + 1);
  EXPECT_EQ(D.Count(clRed), 0);
}

}  // namespace
