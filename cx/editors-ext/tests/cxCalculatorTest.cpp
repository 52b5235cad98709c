// The calculator pad: its arithmetic typed on the keyboard of a focused pad (both locales), the
// error state, memory, paste, the sizing rule, and the mouse on its pixels.
#include "cx/editors-ext/cxCalc.h"

#include "cx/editors-ext/tests/cxLocaleTestFixture.h"
#include "platform/forms/Clipboard.h"
#include "platform/forms/Colors.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/win/Input.h"
#include "platform/win/Shell.h"

namespace {

// A pad whose display is a string of its own.
class TTestCalculator : public TcxCustomCalculator {
 public:
  explicit TTestCalculator(TComponent* AOwner) : TcxCustomCalculator(AOwner) {}
  String GetDisplayText() override { return display; }
  void SetDisplayText(const String& Value) override { display = Value; }
  String display;
};

class CxCalculatorTest : public CxLocaleControlsTest {
 protected:
  CxCalculatorTest() : CxLocaleControlsTest("en-US") {}
  TTestCalculator* MakeCalculator() {
    TForm* form = MakeForm(100, 100, 500, 400);
    auto* calculator = Add<TTestCalculator>(form, 10, 10, 198, 131);
    form->Show();
    Pump();
    calculator->SetFocus();
    Pump();
    return calculator;
  }
  // Clears the pad (Esc) and types AKeys.
  static String Typed(TTestCalculator* ACalculator, const String& AKeys) {
    Key(VK_ESCAPE);
    SimulateText(AKeys);
    Pump();
    return ACalculator->display;
  }
};

TEST_F(CxCalculatorTest, TypedArithmetic) {
  TTestCalculator* calculator = MakeCalculator();
  struct Case {
    const char16_t* keys;
    const char16_t* display;
  };
  const Case cases[] = {
      {u"2+3=", u"5"},
      {u"2+3*", u"5"},  // the pending + is applied; * waits
      {u"2+3*4=", u"20"},
      {u"50+10%", u"55"},  // 10 % of 50 added
      {u"50*10%", u"5"},
      {u"9-12=", u"-3"},
      {u"1/3=", u"0.3333333333333"},  // 13 significant digits
      {u"1.5.2", u"1.52"},            // one separator only
      {u"16@", u"4"},
      {u"2*3==", u"6"},  // a repeated = has no operand to apply
  };
  for (const Case& c : cases)
    EXPECT_EQ(StringToUtf8(Typed(calculator, c.keys)), StringToUtf8(c.display)) << StringToUtf8(c.keys);
  Typed(calculator, u"2+3*");
  EXPECT_EQ(calculator->PendingOperation(), cbMul);
  EXPECT_DOUBLE_EQ(calculator->Operand(), 5);
  KeepCheckedScreen("typed");
}

TEST_F(CxCalculatorTest, ErrorsHoldUntilClearAndDigitsStopAtThePrecision) {
  TTestCalculator* calculator = MakeCalculator();
  int errors = 0;
  calculator->OnError = [&](TObject*) { ++errors; };
  for (const char16_t* keys : {u"7/0=", u"0r", u"4-8=@"}) {
    EXPECT_EQ(StringToUtf8(Typed(calculator, keys)), "Error") << StringToUtf8(keys);
    EXPECT_EQ(calculator->State(), ccsError);
    EXPECT_DOUBLE_EQ(calculator->Value(), 0);
  }
  EXPECT_EQ(errors, 3);
  const int beeps = MessageBeepCount();
  SimulateText(u"5+");
  Pump();
  EXPECT_EQ(StringToUtf8(calculator->display), "Error") << "only CE or C leave the error";
  EXPECT_EQ(MessageBeepCount(), beeps + 2);
  Key(VK_DELETE);  // CE
  EXPECT_EQ(StringToUtf8(calculator->display), "0");
  EXPECT_EQ(calculator->State(), ccsNewNumber);

  EXPECT_EQ(StringToUtf8(Typed(calculator, u"12345678901234")), "1234567890123");
  EXPECT_EQ(MessageBeepCount(), beeps + 3) << "the fourteenth digit is refused with a beep";
  calculator->SetBeepOnError(false);
  Typed(calculator, u"12345678901234");
  EXPECT_EQ(MessageBeepCount(), beeps + 3);
  // A minus sign does not count against the digits.
  calculator->display = u"-123456789012";
  calculator->ButtonClick(cbNum3);
  EXPECT_EQ(StringToUtf8(calculator->display), "-1234567890123");
}

TEST_F(CxCalculatorTest, BackSignAndMemory) {
  TTestCalculator* calculator = MakeCalculator();
  Typed(calculator, u"5");
  Key(VK_F9);
  EXPECT_EQ(StringToUtf8(calculator->display), "-5");
  Key(VK_BACK);
  EXPECT_EQ(StringToUtf8(calculator->display), "0") << "Back on -5";
  Typed(calculator, u"12");
  Key(VK_BACK);
  EXPECT_EQ(StringToUtf8(calculator->display), "1");

  // MS with 0 keeps MC and MR disabled; MS with 3 enables them; MC disables them again.
  Typed(calculator, u"0");
  Key('M', 2);
  EXPECT_TRUE(calculator->Button(cbMC).Disabled);
  EXPECT_TRUE(calculator->Button(cbMR).Disabled);
  Typed(calculator, u"3");
  Key('M', 2);
  EXPECT_FALSE(calculator->Button(cbMC).Disabled);
  EXPECT_FALSE(calculator->Button(cbMR).Disabled);
  Typed(calculator, u"4");
  Key('P', 2);  // M+
  EXPECT_DOUBLE_EQ(calculator->Memory(), 7);
  Typed(calculator, u"1+");
  Key('R', 2);  // MR becomes the second operand
  SimulateText(u"=");
  Pump();
  EXPECT_EQ(StringToUtf8(calculator->display), "8");
  Key('L', 2);
  EXPECT_DOUBLE_EQ(calculator->Memory(), 0);
  EXPECT_TRUE(calculator->Button(cbMR).Disabled);
  Typed(calculator, u"4");
  Key('R');  // 1/x
  EXPECT_EQ(StringToUtf8(calculator->display), "0.25");
}

TEST_F(CxCalculatorTest, RussianSettingsAndPaste) {
  SetLocale("ru-RU");
  TTestCalculator* calculator = MakeCalculator();
  EXPECT_EQ(StringToUtf8(calculator->Button(cbDecimal).Caption), ",");
  EXPECT_EQ(StringToUtf8(Typed(calculator, u"1,5*3=")), "4,5");
  EXPECT_EQ(StringToUtf8(Typed(calculator, u"1.5")), "15") << "only the locale's separator is the decimal key";

  struct Case {
    String clipboard;
    const char* display;
    TcxCalcState state;
  };
  const Case cases[] = {
      {u" 12,5 " + FormatSettings().CurrencyString, "12,5", ccsEntering},
      {u"abc", "0", ccsNewNumber},
      {u"", "0", ccsNewNumber},
  };
  for (const Case& c : cases) {
    Key(VK_ESCAPE);
    calculator->display = u"7";
    Clipboard()->SetAsText(c.clipboard);
    SimulateText(String(1, Char(22)));  // Ctrl+V
    Pump();
    EXPECT_EQ(StringToUtf8(calculator->display), c.display) << StringToUtf8(c.clipboard);
    EXPECT_EQ(calculator->State(), c.state) << StringToUtf8(c.clipboard);
  }
  calculator->display = u"3,25";
  calculator->CopyToClipboard();
  EXPECT_EQ(StringToUtf8(Clipboard()->AsText()), "3,25");
}

TEST_F(CxCalculatorTest, SizesItsPadFromItsSize) {
  struct Case {
    int width, height;
    int buttonHeight;
  };
  const Case cases[] = {{198, 131, 23}, {100, 60, 22}, {396, 262, 45}, {396, 100, 22}};
  for (const Case& c : cases)
    EXPECT_EQ(cxCalculatorAutoButtonHeight(c.width, c.height), c.buttonHeight) << c.width << "x" << c.height;
  const TcxCalculatorMetrics m = cxCalculatorMetricsForButtonHeight(44);
  EXPECT_EQ(m.ButtonWidth, 56);
  EXPECT_EQ(m.HorzGap, 6);
  EXPECT_EQ(m.WideButtonWidth, 95);
  EXPECT_EQ(m.FontSize, 16);
  EXPECT_EQ(m.PadHeight, 5 * 44 + 6 * 6);
  EXPECT_EQ(m.PadWidth, 6 * 56 + 8 * 6 + 4);

  TTestCalculator* calculator = MakeCalculator();
  calculator->SetBounds(10, 10, 396, 262);
  const TcxCalculatorMetrics& big = calculator->Metrics();
  EXPECT_EQ(big.ButtonHeight, 45);
  EXPECT_EQ(calculator->ClientWidth(), big.PadWidth) << "the control snaps to its pad";
  EXPECT_EQ(calculator->ClientHeight(), big.PadHeight);
  // The wide row ends at "=", and every button lies inside the pad.
  EXPECT_EQ(calculator->Button(cbClear).Bounds.right, calculator->Button(cbEqual).Bounds.right);
  for (int i = 0; i < kCalcButtonCount; ++i) {
    const RECT& r = calculator->Button(static_cast<TcxCalcButtonKind>(i)).Bounds;
    EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= big.PadWidth && r.bottom <= big.PadHeight) << i;
  }
  // A single border goes round the pad, which keeps its size.
  calculator->SetBorderStyle(bsSingle);
  Pump();
  EXPECT_EQ(calculator->ClientWidth(), big.PadWidth);
  EXPECT_EQ(calculator->Width(), big.PadWidth + 2);
  EXPECT_EQ(calculator->Metrics().ButtonHeight, 45) << "the border does not shrink the buttons";
  EXPECT_EQ(ColorToRGB(ScreenPixel(calculator, -1, 20)), ColorToRGB(clWindowFrame));
  calculator->SetBorderStyle(bsNone);
  EXPECT_EQ(calculator->Width(), big.PadWidth);
  // Without automatic sizing the buttons are twice the font's height.
  calculator->SetAutoFontSize(false);
  EXPECT_EQ(calculator->Metrics().ButtonHeight, 2 * calculator->Canvas()->FontHeight(calculator->Font()));
}

TEST_F(CxCalculatorTest, TheMouseClicksButtonsReleasedOverThem) {
  TTestCalculator* calculator = MakeCalculator();
  auto centre = [&](TcxCalcButtonKind AButton) {
    const RECT& r = calculator->Button(AButton).Bounds;
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  };
  for (TcxCalcButtonKind button : {cbNum7, cbAdd, cbNum8, cbEqual}) {
    const POINT p = centre(button);
    Click(calculator, p.x, p.y);
  }
  EXPECT_EQ(StringToUtf8(calculator->display), "15");
  // Pressed on 9 and released over 1: nothing happens; the pressed button is painted pressed.
  const POINT nine = centre(cbNum9), one = centre(cbNum1);
  Down(calculator, nine.x, nine.y);
  EXPECT_TRUE(calculator->Button(cbNum9).Down);
  Pump();
  const TColor pressedFace = ScreenPixel(calculator, calculator->Button(cbNum9).Bounds.left + 1, calculator->Button(cbNum9).Bounds.top + 1);
  KeepCheckedScreen("nine pressed");
  MoveTo(calculator, one.x, one.y);
  EXPECT_FALSE(calculator->Button(cbNum9).Down);
  Up(calculator, one.x, one.y);
  EXPECT_EQ(StringToUtf8(calculator->display), "15");
  Pump();
  EXPECT_NE(ScreenPixel(calculator, calculator->Button(cbNum9).Bounds.left + 1, calculator->Button(cbNum9).Bounds.top + 1), pressedFace);
  // A disabled MR takes no press.
  const POINT mr = centre(cbMR);
  Click(calculator, mr.x, mr.y);
  EXPECT_EQ(StringToUtf8(calculator->display), "15");
}

}  // namespace
