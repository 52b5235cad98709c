#include "dx/editors/dxSpinEdit.h"

#include "dx/editors/tests/dxEditorsTestSupport.h"
#include "platform/rtl/FormatSettings.h"

namespace {

class DxSpinEditTest : public DxEditorsTest {
 protected:
  void SetUp() override {
    DxEditorsTest::SetUp();
    saved_ = FormatSettings();
  }
  void TearDown() override {
    SetFormatSettings(saved_);
    DxEditorsTest::TearDown();
  }
  TdxInplaceSpinEdit* MakeEditor() {
    host_ = MakeHost();
    auto* edit = new TdxInplaceSpinEdit(host_);
    edit->SetParent(host_);
    edit->ShowAt(RECT{10, 10, 160, 30});
    edit->SetFocus();
    Pump();
    return edit;
  }
  static std::string TextOf(TdxInplaceSpinEdit* Edit) { return StringToUtf8(Edit->Text()); }
  // Centre of the up (or down) spin button in screen coordinates.
  static POINT SpinButton(TdxInplaceSpinEdit* Edit, bool Up) {
    RECT w;
    GetWindowRect(Edit->Handle(), &w);
    const int middle = (w.top + w.bottom) / 2;
    return POINT{w.right - 6, Up ? middle - 3 : middle + 3};
  }

  TTestContainer* host_ = nullptr;
  TFormatSettings saved_;
};

}  // namespace

TEST_F(DxSpinEditTest, ReadingAndClamping) {
  auto* edit = MakeEditor();
  struct Case {
    TdxValueType type;
    double min, max;
    const char* text;
    double read;
    double set;
    const char* written;
  } cases[] = {
      {vtInt, 0, 0, "12", 12, 1e6, "1000000"},      // equal bounds: no clamping
      {vtInt, 2.7, 10, "", 2, 11, "10"},            // empty text reads the truncated minimum
      {vtInt, -5, 5, "abc", -5, -9, "-5"},          // unconvertible text reads the minimum
      {vtInt, 0, 100, "3", 3, 2.5, "2"},            // halves to even
      {vtInt, 0, 100, "3", 3, 3.5, "4"},
      {vtFloat, 0, 1, "0.25", 0.25, 0.125, "0.125"},
      {vtFloat, 0, 1, "x", 0, 7, "1"},
  };
  TFormatSettings fs = FormatSettings();
  fs.DecimalSeparator = u'.';
  SetFormatSettings(fs);
  for (const Case& c : cases) {
    edit->SetValueType(c.type);
    edit->SetMinMax(c.min, c.max);
    edit->SetText(Utf8ToString(c.text));
    EXPECT_DOUBLE_EQ(edit->GetValue(), c.read) << c.text;
    edit->SetValue(c.set);
    EXPECT_EQ(TextOf(edit), c.written) << c.set;
  }
}

// Bounds given in either order clamp alike.
TEST_F(DxSpinEditTest, SetMinMaxTakesTheBoundsInEitherOrder) {
  auto* edit = MakeEditor();
  edit->SetMinMax(10, 1);
  EXPECT_EQ(edit->MinValue(), 1);
  EXPECT_EQ(edit->MaxValue(), 10);
  EXPECT_EQ(TextOf(edit), "1") << "the 0 shown is clamped at once";
  edit->SetValue(50);
  EXPECT_EQ(TextOf(edit), "10");
  edit->SetMinMaxValues(20, -20);
  EXPECT_EQ(edit->MinValue(), -20);
  EXPECT_EQ(edit->MaxValue(), 20);
  EXPECT_TRUE(edit->StoredValues() & dxsvMinValue);
}

TEST_F(DxSpinEditTest, LoweringTheMaximumRewritesTheTextKeepingModified) {
  auto* edit = MakeEditor();
  edit->SetMinMax(0, 100);
  edit->SetValue(80);
  edit->SetModified(false);
  edit->SetMaxValue(50);
  EXPECT_EQ(TextOf(edit), "50");
  EXPECT_FALSE(edit->GetModified());
  edit->SetMinValue(70);  // above the maximum: lowered to it
  EXPECT_EQ(edit->MinValue(), 50);
}

TEST_F(DxSpinEditTest, KeysSpinAndTypedCharactersAreFiltered) {
  auto* edit = MakeEditor();
  edit->SetMinMax(0, 3);
  Key(VK_UP);
  Key(VK_UP);
  EXPECT_EQ(TextOf(edit), "2");
  EXPECT_TRUE(edit->GetModified());
  Key(VK_UP);
  Key(VK_UP);
  EXPECT_EQ(TextOf(edit), "3") << "clamped";
  Key(VK_DOWN);
  EXPECT_EQ(TextOf(edit), "2");
  EXPECT_TRUE(host_->KeysHandedOver.empty()) << "Up and Down stay with the editor";
  EXPECT_EQ(edit->PressedButton(), dxSpinNone) << "released with the key";

  edit->UseCtrlIncrement = true;
  Key(VK_UP);
  EXPECT_EQ(TextOf(edit), "2");
  Key(VK_UP, 2);
  EXPECT_EQ(TextOf(edit), "3");

  TFormatSettings fs = FormatSettings();
  fs.DecimalSeparator = u',';
  SetFormatSettings(fs);
  edit->SetMinMax(0, 0);
  edit->SetValueType(vtFloat);
  edit->SetText(u"");
  const int beeps = Beeps();
  Type("1.5x");
  EXPECT_EQ(TextOf(edit), "1,5");
  EXPECT_EQ(Beeps() - beeps, 1);
  edit->EditorEnabled = false;
  Type("7");
  Key(VK_BACK);
  EXPECT_EQ(TextOf(edit), "1,5");
}

TEST_F(DxSpinEditTest, ReadOnlySpinBeeps) {
  auto* edit = MakeEditor();
  edit->SetReadOnly(true);
  const int beeps = Beeps();
  Key(VK_UP);
  EXPECT_EQ(TextOf(edit), "0");
  EXPECT_EQ(Beeps() - beeps, 1);
}

TEST_F(DxSpinEditTest, HeldButtonRepeatsOnTheClockAndPausesOffTheButton) {
  auto* edit = MakeEditor();
  const POINT up = SpinButton(edit, true);
  SimulateMouseMove(up);
  SimulateMouseDown(TSimButton::Left, up);
  Pump();
  EXPECT_EQ(TextOf(edit), "1") << "once at the press";
  KeepCheckedWindow(edit->Handle(), "up pressed");
  clock_->Advance(399);
  Pump();
  EXPECT_EQ(TextOf(edit), "1");
  clock_->Advance(1);
  Pump();
  EXPECT_EQ(TextOf(edit), "2") << "400 ms later";
  for (int i = 0; i < 3; ++i) {
    clock_->Advance(100);
    Pump();
  }
  EXPECT_EQ(TextOf(edit), "5") << "then every 100 ms";
  const POINT down = SpinButton(edit, false);
  SimulateMouseMove(down);
  Pump();
  clock_->Advance(200);
  Pump();
  EXPECT_EQ(TextOf(edit), "5") << "paused over the other button";
  SimulateMouseMove(up);
  Pump();
  clock_->Advance(100);
  Pump();
  EXPECT_EQ(TextOf(edit), "6") << "resumed";
  SimulateMouseUp(TSimButton::Left, up);
  Pump();
  clock_->Advance(500);
  Pump();
  EXPECT_EQ(TextOf(edit), "6");
  EXPECT_EQ(edit->PressedButton(), dxSpinNone);

  clock_->Advance(1000);
  SimulateMouseMove(down);
  SimulateClick(TSimButton::Left, down);
  Pump();
  EXPECT_EQ(TextOf(edit), "5");
}

TEST_F(DxSpinEditTest, WheelSpinsAndStaysWithTheEditor) {
  auto* edit = MakeEditor();
  RECT w;
  GetWindowRect(edit->Handle(), &w);
  SimulateWheel(120, POINT{w.left + 5, w.top + 5});
  Pump();
  SimulateWheel(120, POINT{w.left + 5, w.top + 5});
  SimulateWheel(-120, POINT{w.left + 5, w.top + 5});
  Pump();
  EXPECT_EQ(TextOf(edit), "1");
}

TEST_F(DxSpinEditTest, ButtonsAreDrawnWithTheirArrows) {
  auto* edit = MakeEditor();
  HDC dc = GetDC(nullptr);
  int ink = 0;
  RECT w;
  GetWindowRect(edit->Handle(), &w);
  const int width = GetSystemMetrics(SM_CXVSCROLL);
  for (int y = w.top; y < w.bottom; ++y)
    for (int x = w.right - width; x < w.right; ++x) ink += GetPixel(dc, x, y) == static_cast<COLORREF>(ColorToRGB(clBtnText));
  ReleaseDC(nullptr, dc);
  EXPECT_GE(ink, 4) << "two arrows in the button-text colour";
  KeepCheckedWindow(edit->Handle(), "spin");
}
