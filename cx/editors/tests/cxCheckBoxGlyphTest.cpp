#include "cx/editors/cxCheckBox.h"
#include "cx/editors/tests/cxEditTestUtil.h"
#include "cx/foundation/dxThemeManager.h"
#include "platform/display/testing/CheckedScreens.h"
#include "platform/gdi/VsStyle.h"
#include "platform/gdi/testing/TestThemeProvider.h"

namespace {

TEST(CxCheckBoxGlyph, TheCellOfAStateFallsBackToItsUnpressedCell) {
  struct Case {
    TcxCheckBoxState state;
    bool pressed;
    int count;
    int expected;
  };
  const Case cases[] = {
      {cbsUnchecked, false, 6, 0}, {cbsChecked, false, 6, 1}, {cbsGrayed, false, 6, 2},
      {cbsUnchecked, true, 6, 3},  {cbsGrayed, true, 6, 5},   {cbsChecked, true, 3, 1},
      {cbsUnchecked, true, 4, 3},  {cbsChecked, true, 4, 1},  {cbsGrayed, true, 4, 2},
  };
  for (const Case& c : cases)
    EXPECT_EQ(cxCheckGlyphIndex(c.state, c.pressed, c.count), c.expected)
        << c.state << " pressed " << c.pressed << " of " << c.count;
}

class CxCheckBoxGlyphTest : public CxControlsTest {
 protected:
  void SetUp() override {
    CxControlsTest::SetUp();
    form = MakeForm(100, 100, 300, 160);
    box = Add<TcxCheckBox>(form, 10, 10, 160, 21);
    box->Properties()->SetCaption(u"Да");
    form->Show();
    Pump();
  }
  // The colour at the check's centre.
  TColor CheckCentre(int ACheckWidth, int ACheckHeight) {
    const int top = (box->Height() - ACheckHeight) / 2;
    return ScreenPixel(box, 2 + ACheckWidth / 2, top + ACheckHeight / 2);
  }
  TForm* form = nullptr;
  TcxCheckBox* box = nullptr;
};

TEST_F(CxCheckBoxGlyphTest, AGlyphStripReplacesTheCheckCellByCell) {
  // Three 10 x 10 cells: red unchecked, green checked, blue grayed.
  TBitmap strip;
  strip.SetSize(30, 10);
  const TColor cells[] = {clRed, clLime, clBlue};
  for (int i = 0; i < 3; ++i) {
    strip.Canvas()->Brush()->SetColor(cells[i]);
    strip.Canvas()->FillRect({i * 10, 0, i * 10 + 10, 10});
  }
  strip.SetTransparentMode(tmFixed);
  strip.SetTransparentColor(clFuchsia);
  box->Properties()->SetAllowGrayed(true);
  box->Properties()->SetGlyph(&strip);
  box->Properties()->SetGlyphCount(3);
  const SIZE size = cxGetCheckSize(box->ActiveProperties(), false);
  EXPECT_EQ(size.cx, 10);
  EXPECT_EQ(size.cy, 10);
  const TcxCheckBoxState states[] = {cbsUnchecked, cbsChecked, cbsGrayed};
  for (int i = 0; i < 3; ++i) {
    box->SetState(states[i]);
    box->Repaint();
    EXPECT_EQ(CheckCentre(10, 10), ColorToRGB(cells[i])) << "state " << i;
  }
  box->SetFocus();
  Pump();
  box->SetState(cbsChecked);
  SimulateKeyDown(VK_SPACE);
  Pump();
  box->Repaint();
  EXPECT_TRUE(box->IsSpacePressed());
  EXPECT_EQ(CheckCentre(10, 10), ColorToRGB(clLime)) << "no pressed cells: the checked one";
  KeepCheckedWindow(box->Handle());
  SimulateKeyUp(VK_SPACE);
  Pump();
  EXPECT_EQ(box->State(), cbsUnchecked);
}

TEST_F(CxCheckBoxGlyphTest, WithVisualStylesTheThemedCheckPartIsDrawnInItsState) {
  TestThemeProvider provider;
  provider.SetPartSize(u"Button", BP_CHECKBOX, 0, {15, 15});
  ScopedThemeProvider scope(&provider);
  dxCloseAllThemes();
  box->Style()->LookAndFeel()->SetNativeStyle(true);
  EXPECT_EQ(cxGetCheckSize(box->ActiveProperties(), true).cx, 15);
  struct Case {
    TcxCheckBoxState state;
    bool enabled;
    int expected;
  };
  const Case cases[] = {
      {cbsUnchecked, true, CBS_UNCHECKEDNORMAL},
      {cbsChecked, true, CBS_CHECKEDNORMAL},
      {cbsGrayed, true, CBS_MIXEDNORMAL},
      {cbsChecked, false, CBS_CHECKEDDISABLED},
  };
  for (const Case& c : cases) {
    box->SetState(c.state);
    box->SetEnabled(c.enabled);
    provider.ClearDraws();
    box->Repaint();
    bool drawn = false;
    for (const auto& draw : provider.Draws())
      if (draw.className == u"Button" && draw.part == BP_CHECKBOX) {
        drawn = true;
        EXPECT_EQ(draw.state, c.expected) << c.state << " enabled " << c.enabled;
        EXPECT_EQ(draw.rect.right - draw.rect.left, 15);
      }
    EXPECT_TRUE(drawn) << c.state;
  }
  KeepCheckedWindow(box->Handle());
  box->Style()->LookAndFeel()->SetNativeStyle(false);
  dxCloseAllThemes();
}

TEST_F(CxCheckBoxGlyphTest, TheCaptionsAcceleratorFocusesAndTogglesTheCheckBox) {
  auto* other = Add<TcxCheckBox>(form, 10, 50, 160, 21);
  other->Properties()->SetCaption(u"&Staff");
  box->SetFocus();
  Pump();
  SimulateKeyPress('S', 4);  // Alt+S
  Pump();
  EXPECT_TRUE(other->Focused());
  EXPECT_TRUE(other->Checked());
  EXPECT_FALSE(box->Checked());
}

}  // namespace
