#include "cx/editors/tests/cxEditButtonsFixture.h"
#include "cx/foundation/dxThemeManager.h"
#include "platform/gdi/VsStyle.h"
#include "platform/gdi/testing/TestThemeProvider.h"

namespace {

TEST(CxEditButtons, EllipsisDotsGrowPastElevenPixels) {
  EXPECT_EQ(GetEllipsisDotSize(11), 1);
  EXPECT_EQ(GetEllipsisDotSize(12), 2);
  for (int width : {11, 16}) {
    TButtonsFixture f;
    f.style.SetButtonStyle(btsSimple);
    f.style.SetBorderStyle(ebsNone);
    f.AddButton(bkEllipsis, false, width);
    f.Calculate({0, 0, 100, 20});
    f.viewInfo.Paint(f.canvas.Cx());
    const RECT dots = f.canvas.Bounds(clBtnText);
    const int dot = dots.bottom - dots.top;
    // Simple buttons keep a 2-pixel frame on the left, 1 on the other sides.
    EXPECT_EQ(dot, GetEllipsisDotSize(width - 3)) << width;
    EXPECT_EQ(dots.right - dots.left, dot * 3 + 4) << width;
  }
}

// Each button style drawn stand-alone, normal and pressed: the frames and the arrow in their colours.
TEST(CxEditButtons, EachButtonStylePaintsItsFrameAndArrow) {
  struct Case {
    TcxEditButtonStyle style;
    TcxEditButtonState state;
    POINT probe;  // relative to the button's top-left
    TColor frame;
    TColor arrow;
  };
  const Case cases[] = {
      {bts3D, ebsNormal, {0, 0}, cl3DLight, clBtnText},
      {bts3D, ebsPressed, {0, 0}, clBtnShadow, clBtnText},
      {btsFlat, ebsNormal, {1, 0}, clBtnHighlight, clBtnText},
      {btsFlat, ebsPressed, {1, 0}, clBtnShadow, clBtnText},
      {btsHotFlat, ebsNormal, {0, 0}, clBtnShadow, clBtnText},
      {btsHotFlat, ebsPressed, {0, 0}, clBtnShadow, clWindow},
      {btsUltraFlat, ebsPressed, {0, 5}, clHighlight, clBtnText},
  };
  int row = 0;
  TTestCanvas screen(240, 30 * 7, clFuchsia);
  for (const Case& c : cases) {
    TButtonsFixture f;
    f.style.SetButtonStyle(c.style);
    f.style.SetBorderStyle(ebsSingle);
    f.AddButton(bkDown);
    const RECT bounds{0, row * 30, 120, row * 30 + 24};
    const POINT on{110, row * 30 + 10};
    if (c.state == ebsPressed)
      f.Calculate(bounds, on, 1, {ssLeft});
    else
      f.Calculate(bounds);
    ASSERT_EQ(f.viewInfo.Button(0)->State, c.state);
    f.viewInfo.Paint(screen.Cx());
    const RECT& b = f.viewInfo.Button(0)->Bounds;
    EXPECT_EQ(screen.Pixel(b.left + c.probe.x, b.top + c.probe.y), ColorToRGB(c.frame)) << c.style << " " << c.state;
    // The down arrow: its ink is centred in the button.
    int ink = 0;
    for (int y = b.top; y < b.bottom; ++y)
      for (int x = b.left; x < b.right; ++x) ink += screen.Pixel(x, y) == ColorToRGB(c.arrow);
    EXPECT_GT(ink, 4) << c.style << " " << c.state;
    ++row;
  }
}

TEST(CxEditButtons, ADisabledButtonDrawsItsArrowEmbossed) {
  TButtonsFixture f;
  f.style.SetButtonStyle(bts3D);
  f.AddButton(bkDown);
  auto data = f.properties.CreateViewData(&f.style, false);
  data->Enabled = false;
  data->Calculate(f.canvas.Cx(), {0, 0, 120, 24}, {-1, -1}, 0, {}, &f.viewInfo, false);
  f.viewInfo.Paint(f.canvas.Cx());
  const RECT& b = f.viewInfo.Button(0)->Bounds;
  const RECT inner{b.left + 2, b.top + 2, b.right - 2, b.bottom - 2};
  int shadow = 0, highlight = 0, text = 0;
  for (int y = inner.top; y < inner.bottom; ++y)
    for (int x = inner.left; x < inner.right; ++x) {
      const TColor c = f.canvas.Pixel(x, y);
      shadow += c == ColorToRGB(clBtnShadow);
      highlight += c == ColorToRGB(clBtnHighlight);
      text += c == ColorToRGB(clBtnText);
    }
  EXPECT_GT(shadow, 0);
  EXPECT_GT(highlight, 0);
  EXPECT_EQ(text, 0);
}

TEST(CxEditButtons, AShadowedEditDrawsItsShadowOutsideTheBorder) {
  TButtonsFixture f;
  f.style.SetBorderStyle(ebsSingle);
  f.style.SetBorderColor(clRed);
  f.style.SetShadow(true);
  f.Calculate({0, 0, 100, 30});
  EXPECT_TRUE(f.viewInfo.Shadow);
  // Client extent 2 plus 3 for the shadow on the right and bottom.
  EXPECT_EQ(f.viewInfo.ClientRect.right, 100 - 5);
  EXPECT_EQ(f.viewInfo.ClientRect.bottom, 30 - 5);
  f.viewInfo.Paint(f.canvas.Cx());
  EXPECT_EQ(f.canvas.Pixel(95, 10), ColorToRGB(clRed));
  EXPECT_EQ(f.canvas.Pixel(96, 10), ColorToRGB(clBtnShadow));
  EXPECT_EQ(f.canvas.Pixel(98, 10), ColorToRGB(clBtnShadow));
  EXPECT_EQ(f.canvas.Pixel(50, 28), ColorToRGB(clBtnShadow));
  EXPECT_EQ(f.canvas.Pixel(98, 2), ColorToRGB(clFuchsia)) << "the corner above the shadow";
  EXPECT_EQ(f.canvas.Pixel(2, 28), ColorToRGB(clFuchsia)) << "the corner left of the shadow";
}

// With visual styles a lone drop-down button is the combo box's part, other buttons push buttons,
// each in its state, as wide as the theme's content margins ask at the least.
TEST(CxEditButtons, ThemedButtonsUseTheComboBoxOrPushButtonPartInTheirState) {
  TestThemeProvider provider;
  provider.SetContentMargins(u"ComboBox", CP_DROPDOWNBUTTON, {3, 3, 1, 1});
  provider.SetContentMargins(u"Button", BP_PUSHBUTTON, {2, 2, 2, 2});
  ScopedThemeProvider scope(&provider);
  dxCloseAllThemes();
  struct Case {
    int buttons;
    int pressed;  // index pressed with the mouse, -1 none
    const char16_t* themeClass;
    int part;
    int state;
  };
  const Case cases[] = {
      {1, -1, u"ComboBox", CP_DROPDOWNBUTTON, CBXS_NORMAL},
      {1, 0, u"ComboBox", CP_DROPDOWNBUTTON, CBXS_PRESSED},
      {2, -1, u"Button", BP_PUSHBUTTON, PBS_NORMAL},
      {2, 1, u"Button", BP_PUSHBUTTON, PBS_PRESSED},
  };
  for (const Case& c : cases) {
    TButtonsFixture f;
    f.style.LookAndFeel()->SetNativeStyle(true);
    for (int i = 0; i < c.buttons; ++i) f.AddButton(bkDown, false, 1);
    f.Calculate({0, 0, 120, 24});
    POINT p{-1, -1};
    if (c.pressed >= 0) {
      const RECT& b = f.viewInfo.Button(c.pressed)->Bounds;
      p = {(b.left + b.right) / 2, (b.top + b.bottom) / 2};
      f.Calculate({0, 0, 120, 24}, p, 1, {ssLeft});
    }
    const int expectedWidth = String(c.themeClass) == u"ComboBox" ? 6 : 4;
    EXPECT_EQ(f.viewInfo.Button(0)->Bounds.right - f.viewInfo.Button(0)->Bounds.left, expectedWidth)
        << c.buttons;
    provider.ClearDraws();
    f.viewInfo.Paint(f.canvas.Cx());
    bool editDrawn = false;
    int buttonDraws = 0;
    for (const auto& draw : provider.Draws()) {
      if (draw.className == u"Edit" && draw.part == EP_EDITTEXT) editDrawn = true;
      if (draw.className != String(c.themeClass) || draw.part != c.part) continue;
      ++buttonDraws;
      const int index = buttonDraws - 1;
      const bool pressed = (c.buttons == 1 ? 0 : index) == c.pressed;
      EXPECT_EQ(draw.state, pressed ? c.state : 1) << c.buttons << " pressed " << c.pressed;
    }
    EXPECT_TRUE(editDrawn) << "the edit's own themed frame";
    EXPECT_EQ(buttonDraws, c.buttons);
  }
  dxCloseAllThemes();
}

TEST(CxEditButtons, ARecalculatedViewInfoUpdatesOnlyTheButtonThatChanged) {
  TButtonsFixture f;
  f.style.SetButtonStyle(bts3D);
  f.AddButton(bkEllipsis);
  f.AddButton(bkDown);
  const RECT bounds{0, 0, 120, 24};
  f.Calculate(bounds, {60, 12});
  TcxCustomEditViewInfo old;
  old.Assign(&f.viewInfo);
  const RECT hotBounds = f.viewInfo.Button(1)->Bounds;
  f.Calculate(bounds, {(hotBounds.left + hotBounds.right) / 2, 12});
  ASSERT_EQ(f.viewInfo.Button(1)->State, ebsSelected);
  std::unique_ptr<TcxRegion> region(f.viewInfo.GetUpdateRegion(&old));
  RECT box;
  GetRgnBox(region->Handle(), &box);
  EXPECT_TRUE(EqualRect(&box, &hotBounds)) << "only the button that became hot";
  old.Assign(&f.viewInfo);
  std::unique_ptr<TcxRegion> none(f.viewInfo.GetUpdateRegion(&old));
  EXPECT_TRUE(none->IsEmpty());
  f.style.SetBorderStyle(ebsSingle);
  f.Calculate(bounds, {(hotBounds.left + hotBounds.right) / 2, 12});
  std::unique_ptr<TcxRegion> whole(f.viewInfo.GetUpdateRegion(&old));
  GetRgnBox(whole->Handle(), &box);
  EXPECT_TRUE(EqualRect(&box, &bounds)) << "another border repaints the whole edit";
}

}  // namespace
