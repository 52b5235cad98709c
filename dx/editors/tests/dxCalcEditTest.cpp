#include "dx/editors/dxCalculator.h"

#include "dx/editors/tests/dxEditorsTestSupport.h"
#include "platform/rtl/FormatSettings.h"

namespace {

class DxCalcEditTest : public DxEditorsTest {
 protected:
  void SetUp() override {
    DxEditorsTest::SetUp();
    saved_ = FormatSettings();
    TFormatSettings fs = saved_;
    fs.DecimalSeparator = u'.';
    SetFormatSettings(fs);
  }
  void TearDown() override {
    DxEditorsTest::TearDown();
    SetFormatSettings(saved_);
  }
  TdxInplaceCalcEdit* OpenCalculator() {
    host_ = MakeHost();
    auto* edit = new TdxInplaceCalcEdit(host_);
    edit->SetParent(host_);
    edit->ShowAt(RECT{10, 10, 160, 30});
    edit->SetFocus();
    Pump();
    Key(VK_F4);
    return edit;
  }
  static std::string TextOf(TdxInplaceCalcEdit* Edit) { return StringToUtf8(Edit->Text()); }
  // Counts the pixels of a colour in a client rectangle of a window, as the screen shows them.
  static int CountPixels(HWND Window, const RECT& Rect, TColor Color) {
    HDC dc = GetDC(nullptr);
    POINT origin{0, 0};
    ClientToScreen(Window, &origin);
    int n = 0;
    for (int y = Rect.top; y < Rect.bottom; ++y)
      for (int x = Rect.left; x < Rect.right; ++x)
        n += GetPixel(dc, origin.x + x, origin.y + y) == static_cast<COLORREF>(ColorToRGB(Color));
    ReleaseDC(nullptr, dc);
    return n;
  }

  TTestContainer* host_ = nullptr;
  TFormatSettings saved_;
};

}  // namespace

TEST_F(DxCalcEditTest, PadMetricsAndLayout) {
  auto* edit = OpenCalculator();
  TdxPopupCalculator* calc = edit->CalculatorPopup();
  ASSERT_NE(calc, nullptr);
  EXPECT_EQ(calc->ClientWidth(), 204);
  EXPECT_EQ(calc->ClientHeight(), 134);
  EXPECT_EQ(calc->WideKeyWidth(), 48);
  const RECT seven = calc->KeyRecord(cbNum7).Bounds;
  EXPECT_EQ(seven.left, 28 + 3 * 4 + 4);
  EXPECT_EQ(seven.top, 4 + 26);
  EXPECT_EQ(calc->KeyRecord(cbClear).Bounds.right, calc->KeyRecord(cbEqual).Bounds.right);
  EXPECT_EQ(calc->KeyRecord(cbCancel).Bounds.right, calc->KeyRecord(cbClear).Bounds.left - 4);
  EXPECT_EQ(calc->KeyRecord(cbMC).Bounds.left, 4);
  EXPECT_EQ(calc->KeyAt(POINT{seven.left + 2, seven.top + 2}), cbNum7);
  EXPECT_TRUE(calc->KeyRecord(cbMR).Greyed);
  // Scaled up, keys keep the pad's proportions.
  const int frameW = calc->Width() - calc->ClientWidth(), frameH = calc->Height() - calc->ClientHeight();
  calc->SetBounds(calc->Left(), calc->Top(), 414 + frameW, 274 + frameH);
  EXPECT_EQ(calc->KeyHeight(), 45);
  EXPECT_EQ(calc->ClientHeight(), 5 * 45 + 6 * 8);
}

TEST_F(DxCalcEditTest, KeysTypedIntoThePadRewriteTheEditorsText) {
  auto* edit = OpenCalculator();
  ASSERT_TRUE(edit->DropDownShown);
  TdxPopupCalculator* calc = edit->CalculatorPopup();
  EXPECT_EQ(GetFocus(), calc->Handle());
  Type("12+3");
  EXPECT_EQ(TextOf(edit), "3");
  Key(VK_RETURN);  // "=" and close
  EXPECT_EQ(TextOf(edit), "15");
  EXPECT_FALSE(IsWindowVisible(calc->Handle()));
  EXPECT_EQ(GetFocus(), edit->Handle());
  EXPECT_TRUE(edit->GetModified());
}

TEST_F(DxCalcEditTest, ErrorBecomesZeroWhenTheCalculatorCloses) {
  auto* edit = OpenCalculator();
  Type("5/0=");
  EXPECT_EQ(TextOf(edit), "Error");
  Key(VK_ESCAPE);
  EXPECT_EQ(TextOf(edit), "0");
  EXPECT_FALSE(IsWindowVisible(edit->CalculatorPopup()->Handle()));
}

TEST_F(DxCalcEditTest, TextTypedIntoTheEditorIsAnErrorNotAnException) {
  host_ = MakeHost();
  auto* edit = new TdxInplaceCalcEdit(host_);
  edit->SetParent(host_);
  edit->ShowAt(RECT{10, 10, 160, 30});
  edit->SetFocus();
  Pump();
  Type("abc");
  Key(VK_F4);
  Type("+");
  EXPECT_TRUE(exceptions_.empty());
  EXPECT_EQ(TextOf(edit), "Error");
}

TEST_F(DxCalcEditTest, MouseClicksOnKeysAndClosingByAClickOutside) {
  auto* edit = OpenCalculator();
  TdxPopupCalculator* calc = edit->CalculatorPopup();
  const RECT seven = calc->KeyRecord(cbNum7).Bounds;
  EXPECT_GT(CountPixels(calc->Handle(), seven, static_cast<TColor>(0xFF0000)), 0) << "blue caption";
  KeepCheckedScreen("calculator");
  Click(calc, seven.left + 5, seven.top + 5);
  const RECT plus = calc->KeyRecord(cbAdd).Bounds;
  Click(calc, plus.left + 5, plus.top + 5);
  Click(calc, seven.left + 5, seven.top + 5);
  const RECT equals = calc->KeyRecord(cbEqual).Bounds;
  Click(calc, equals.left + 5, equals.top + 5);
  EXPECT_EQ(TextOf(edit), "14");
  EXPECT_TRUE(IsWindowVisible(calc->Handle())) << "a click on the pad keeps it open";
  Click(host_, 250, 150);
  EXPECT_FALSE(IsWindowVisible(calc->Handle()));
  EXPECT_FALSE(edit->DropDownShown);
}
