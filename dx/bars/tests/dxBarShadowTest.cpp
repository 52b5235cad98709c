#include "dx/bars/dxBarShadow.h"
#include "dx/bars/tests/dxBarUiTestSupport.h"

namespace {

TEST(DxBarShadowGeometryTest, AFloatingBarCastsAnLShapedShadow) {
  std::vector<TdxBarShadowPiece> pieces = CalcShadowPieces(RECT{}, RECT{100, 100, 200, 150}, 4);
  std::vector<TdxBarShadowPiece> expected = {
      {{104, 150, 204, 154}, 0, kShadowFadeLeft | kShadowFadeRight},  // below, faded at both ends
      {{200, 104, 204, 150}, 1, kShadowFadeTop},                      // right, from S below the top
  };
  EXPECT_EQ(pieces, expected);
}

TEST(DxBarShadowGeometryTest, AMenuUnderAWiderButtonShadowsTheButtonToo) {
  // A button 100..180 wide above a menu 100..160 wide.
  std::vector<TdxBarShadowPiece> pieces = CalcShadowPieces(RECT{100, 80, 180, 100}, RECT{100, 100, 160, 200}, 4);
  std::vector<TdxBarShadowPiece> expected = {
      {{180, 84, 184, 100}, 1, kShadowFadeTop},                       // the button's right side
      {{104, 200, 164, 204}, 0, kShadowFadeLeft | kShadowFadeRight},  // the menu's bottom
      {{160, 100, 184, 104}, 0, kShadowFadeRight},                    // the button's bottom right of the menu
      {{160, 100, 164, 200}, 1, 0},                                   // the menu's right, unfaded
  };
  EXPECT_EQ(pieces, expected);
}

TEST(DxBarShadowGeometryTest, TheAlphaRampFadesOutwardsAndAtTheEnds) {
  TdxBarShadowPiece bottom{{0, 0, 20, 4}, 0, kShadowFadeLeft | kShadowFadeRight};
  // Across the strip: 60, 45, 30, 15 going outwards (down).
  for (int y = 0; y < 4; ++y) EXPECT_EQ(ShadowAlpha(bottom, 4, 10, y), 60 - 15 * y);
  // Along it: the first S columns fade by (d + 1) / (S + 1), rounded.
  const BYTE leftEnd[] = {12, 24, 36, 48};
  for (int x = 0; x < 4; ++x) EXPECT_EQ(ShadowAlpha(bottom, 4, x, 0), leftEnd[x]) << x;
  EXPECT_EQ(ShadowAlpha(bottom, 4, 19, 0), 12);
  TdxBarShadowPiece right{{0, 0, 4, 30}, 1, kShadowFadeTop};
  EXPECT_EQ(ShadowAlpha(right, 4, 0, 10), 60);
  EXPECT_EQ(ShadowAlpha(right, 4, 3, 10), 15);
  EXPECT_EQ(ShadowAlpha(right, 4, 0, 1), 24);
}

class DxBarShadowTest : public DxBarUiTest {
 protected:
  void TearDown() override {
    dxbars_internal::SetLayeredShadowsForTesting(true);
    DxBarUiTest::TearDown();
  }
};

TEST_F(DxBarShadowTest, AFlatFloatingBarIsShadowedOverWhatLiesBelowAndClicksPassThrough) {
  manager->SetStyle(bmsFlat);
  TdxBar* bar = MakeFloatingBar(200, 150, {u"Open"});
  TdxBarControl* control = bar->Control();
  ASSERT_TRUE(control->Shadow()->Visible());
  EXPECT_EQ(control->Shadow()->PartCount(), 2);
  RECT w;
  GetWindowRect(control->Handle(), &w);
  COLORREF face = ColorToRGB(form->Color());
  // Just below the bar, half-way along: black at alpha 60 over the form.
  int x = (w.left + w.right) / 2;
  EXPECT_NEAR(ComposedRed(x, w.bottom), GetRValue(face) * (255 - 60) / 255, 1);
  EXPECT_NEAR(ComposedRed(x, w.bottom + 3), GetRValue(face) * (255 - 15) / 255, 1);
  EXPECT_EQ(ComposedRed(x, w.bottom + 4), GetRValue(face));  // beyond the shadow
  EXPECT_EQ(WindowFromPoint(POINT{(w.left + w.right) / 2, w.bottom + 1}), form->Handle());
  KeepCheckedScreen();
  bar->SetVisible(false);
  Pump();
  EXPECT_EQ(ComposedRed(x, w.bottom), GetRValue(face));
}

TEST_F(DxBarShadowTest, WithoutLayeredWindowsTheShadowIsASolidStrip) {
  dxbars_internal::SetLayeredShadowsForTesting(false);
  manager->SetStyle(bmsFlat);
  TdxBar* bar = MakeFloatingBar(200, 150, {u"Open"});
  RECT w;
  GetWindowRect(bar->Control()->Handle(), &w);
  EXPECT_EQ(ShadowSize(), 2);
  int x = (w.left + w.right) / 2;
  EXPECT_EQ(ScreenPixel(x, w.bottom), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(ScreenPixel(x, w.bottom + 1), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(ScreenPixel(x, w.bottom + 2), ColorToRGB(form->Color()));
  KeepCheckedScreen();
}

TEST_F(DxBarShadowTest, OnlyTheFlatLookCastsShadows) {
  TdxBar* bar = MakeFloatingBar(200, 150, {u"Open"});
  EXPECT_FALSE(bar->Control()->Shadow()->Visible());
}

}  // namespace
