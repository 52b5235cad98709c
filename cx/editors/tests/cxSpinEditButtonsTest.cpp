#include "cx/editors/cxSpinEdit.h"
#include "cx/editors/tests/cxEditTestUtil.h"
#include "platform/display/testing/CheckedScreens.h"
#include "cx/foundation/dxThemeManager.h"
#include "platform/gdi/VsStyle.h"
#include "platform/gdi/testing/TestThemeProvider.h"
#include "platform/win/Input.h"

namespace {

class CxSpinEditButtonsTest : public CxControlsTest {
 protected:
  void SetUp() override {
    CxControlsTest::SetUp();
    form = MakeForm(100, 100, 420, 240);
    spin = Add<TcxSpinEdit>(form, 10, 10, 120, 24);
    spin->SetAutoSize(false);
    spin->SetBounds(10, 10, 120, 24);
    spin->Style()->SetButtonStyle(bts3D);
    form->Show();
    Pump();
  }
  POINT Centre(int AButton) const {
    const RECT& b = spin->EditViewInfo()->Button(AButton)->Bounds;
    return {(b.left + b.right) / 2, (b.top + b.bottom) / 2};
  }
  int Value() { return spin->Value().AsInteger(); }
  TcxEditButtonState State(int AButton) { return spin->EditViewInfo()->Button(AButton)->State; }

  TForm* form = nullptr;
  TcxSpinEdit* spin = nullptr;
};

TEST_F(CxSpinEditButtonsTest, TheUpperButtonSitsAboveTheLowerInOneColumnBesideTheText) {
  TcxCustomEditViewInfo* viewInfo = spin->EditViewInfo();
  ASSERT_EQ(viewInfo->ButtonCount(), 2);
  const RECT& lower = viewInfo->Button(0)->Bounds;
  const RECT& upper = viewInfo->Button(1)->Bounds;
  EXPECT_EQ(upper.left, lower.left);
  EXPECT_EQ(upper.right, lower.right);
  EXPECT_EQ(upper.right, 120 - 2);
  // 20 pixels inside the client extent, split in halves.
  EXPECT_EQ(upper.top, 2);
  EXPECT_EQ(upper.bottom, 12);
  EXPECT_EQ(lower.top, 12);
  EXPECT_EQ(lower.bottom, 22);
  EXPECT_EQ(viewInfo->ClientRect.right, upper.left);
  const RECT inner = spin->InnerControl()->BoundsRect();
  EXPECT_TRUE(EqualRect(&inner, &viewInfo->ClientRect)) << "the inner edit leaves the buttons free";
}

TEST_F(CxSpinEditButtonsTest, AClickOnEachButtonStepsOnce) {
  const POINT up = Centre(1);
  const POINT down = Centre(0);
  Click(spin, up.x, up.y);
  EXPECT_EQ(Value(), 1);
  Click(spin, up.x, up.y);
  Click(spin, down.x, down.y);
  EXPECT_EQ(Value(), 1);
  EXPECT_FALSE(spin->IsRepeatTimerRunning());
}

TEST_F(CxSpinEditButtonsTest, AHeldButtonRepeatsAfter400msThenEvery100msAndOnlyWhileThePointerIsOnIt) {
  const POINT down = Centre(0);
  MoveTo(spin, down.x, down.y);
  Down(spin, down.x, down.y);
  EXPECT_EQ(State(0), ebsPressed);
  EXPECT_EQ(Value(), -1) << "one step at the press";
  struct Step {
    int advance;
    int expected;
  };
  const Step steps[] = {{390, -1}, {20, -2}, {80, -2}, {20, -3}, {100, -4}};
  for (const Step& s : steps) {
    Advance(s.advance);
    EXPECT_EQ(Value(), s.expected) << "after " << s.advance;
  }
  MoveTo(spin, 20, 12);
  EXPECT_EQ(State(0), ebsNormal);
  const int offValue = Value();
  Advance(300);
  EXPECT_EQ(Value(), offValue) << "no steps while the pointer is off the button";
  Up(spin, 20, 12);
  EXPECT_FALSE(spin->IsRepeatTimerRunning());
  Advance(300);
  EXPECT_EQ(Value(), offValue) << "none after the release";
  KeepCheckedWindow(spin->Handle());
}

TEST_F(CxSpinEditButtonsTest, TheRepeatPausesOffTheHeldButtonAndGoesOnWhenThePointerReturns) {
  const POINT down = Centre(0);
  MoveTo(spin, down.x, down.y);
  Down(spin, down.x, down.y);
  EXPECT_EQ(GetCapture(), spin->Handle()) << "the edit holds the mouse while a button is held";
  Advance(410);
  ASSERT_EQ(Value(), -2);
  // Over the other button, over the text, on the form and off the form.
  for (const POINT off : {Centre(1), POINT{20, 12}, POINT{200, 12}, POINT{-100, 12}}) {
    MoveTo(spin, off.x, off.y);
    EXPECT_EQ(State(0), ebsNormal);
    EXPECT_EQ(State(1), ebsNormal);
    const int offValue = Value();
    Advance(300);
    EXPECT_EQ(Value(), offValue) << "paused off the button at " << off.x;
    MoveTo(spin, down.x, down.y);
    EXPECT_EQ(State(0), ebsPressed) << "drawn pressed again";
    EXPECT_EQ(Value(), offValue) << "coming back is no new press";
    Advance(300);
    EXPECT_EQ(Value(), offValue - 3) << "the repeat goes on every 100 ms after " << off.x;
  }
  Up(spin, down.x, down.y);
  EXPECT_FALSE(spin->IsRepeatTimerRunning());
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(CxSpinEditButtonsTest, AReadOnlySpinEditStartsNoRepeatTimer) {
  spin->Properties()->SetReadOnly(true);
  const POINT up = Centre(1);
  Down(spin, up.x, up.y);
  EXPECT_FALSE(spin->IsRepeatTimerRunning());
  Up(spin, up.x, up.y);
}

TEST_F(CxSpinEditButtonsTest, AHeldArrowKeyDrawsItsButtonPressedUntilReleased) {
  spin->SetFocus();
  Pump();
  SimulateKeyDown(VK_UP);
  Pump();
  EXPECT_EQ(spin->ArrowKeyState(), 1);
  EXPECT_EQ(State(1), ebsPressed);
  EXPECT_EQ(State(0), ebsNormal);
  EXPECT_EQ(Value(), 1);
  // The mouse cannot press the other button while the key holds one.
  const POINT down = Centre(0);
  Down(spin, down.x, down.y);
  EXPECT_NE(State(0), ebsPressed);
  Up(spin, down.x, down.y);
  SimulateKeyDown(VK_UP);  // held down: the keyboard repeats
  Pump();
  EXPECT_EQ(Value(), 2);
  SimulateKeyUp(VK_UP);
  Pump();
  EXPECT_EQ(spin->ArrowKeyState(), 0);
  EXPECT_EQ(State(1), ebsNormal);
}

// With visual styles the buttons are the Spin class's up and down parts, one pixel apart.
TEST_F(CxSpinEditButtonsTest, ThemedSpinButtonsAreTheSpinPartsInTheirStates) {
  TestThemeProvider provider;
  ScopedThemeProvider scope(&provider);
  dxCloseAllThemes();
  spin->Style()->LookAndFeel()->SetNativeStyle(true);
  Pump();
  TcxCustomEditViewInfo* viewInfo = spin->EditViewInfo();
  ASSERT_EQ(viewInfo->ButtonCount(), 2);
  EXPECT_EQ(viewInfo->Button(0)->Bounds.top - viewInfo->Button(1)->Bounds.bottom, 1);
  const POINT up = Centre(1);
  Down(spin, up.x, up.y);
  provider.ClearDraws();
  spin->Repaint();
  int upDraws = 0, downDraws = 0;
  for (const auto& draw : provider.Draws()) {
    if (draw.className != u"Spin") continue;
    if (draw.part == SPNP_UP) {
      ++upDraws;
      EXPECT_EQ(draw.state, UPS_PRESSED);
    } else if (draw.part == SPNP_DOWN) {
      ++downDraws;
      EXPECT_EQ(draw.state, DNS_NORMAL);
    }
  }
  EXPECT_EQ(upDraws, 1);
  EXPECT_EQ(downDraws, 1);
  Up(spin, up.x, up.y);
  spin->Style()->LookAndFeel()->SetNativeStyle(false);
  dxCloseAllThemes();
}

TEST_F(CxSpinEditButtonsTest, SpinEditsInEachLookDrawBothArrows) {
  const TcxEditButtonStyle styles[] = {bts3D, btsFlat, btsSimple, btsHotFlat, btsUltraFlat};
  int top = 40;
  std::vector<TcxSpinEdit*> edits;
  for (TcxEditButtonStyle style : styles) {
    auto* edit = Add<TcxSpinEdit>(form, 10, top, 120, 24);
    edit->SetAutoSize(false);
    edit->SetBounds(10, top, 120, 24);
    edit->Style()->SetButtonStyle(style);
    edits.push_back(edit);
    top += 30;
  }
  Pump();
  for (TcxSpinEdit* edit : edits) {
    edit->Repaint();
    for (int index : {0, 1}) {
      const RECT& b = edit->EditViewInfo()->Button(index)->Bounds;
      int ink = 0;
      int top = b.bottom, bottom = b.top;
      for (int y = b.top + 2; y < b.bottom - 2; ++y)
        for (int x = b.left + 2; x < b.right - 2; ++x)
          if (ScreenPixel(edit, x, y) == ColorToRGB(clBtnText)) {
            ++ink;
            top = std::min(top, y);
            bottom = std::max(bottom, y);
          }
      EXPECT_GT(ink, 2) << "style " << edit->Style()->ButtonStyle() << " button " << index;
      // An arrow is wider at its base: the upper points up, the lower down.
      auto rowInk = [&](int y) {
        int n = 0;
        for (int x = b.left + 2; x < b.right - 2; ++x) n += ScreenPixel(edit, x, y) == ColorToRGB(clBtnText);
        return n;
      };
      if (index == 1)
        EXPECT_LT(rowInk(top), rowInk(bottom)) << "style " << edit->Style()->ButtonStyle();
      else
        EXPECT_GT(rowInk(top), rowInk(bottom)) << "style " << edit->Style()->ButtonStyle();
    }
  }
  KeepCheckedScreen();
}

}  // namespace
