// The calc edit: characters typed within the digit budget in both locales, texts and values both
// ways, the drop-down calculator opened by F4 and closed by Enter, "=" and Esc, the error text
// closed into 0, and a change of the regional settings.
#include "cx/editors-ext/cxCalc.h"

#include "cx/editors-ext/tests/cxLocaleTestFixture.h"
#include "platform/forms/Clipboard.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/win/Input.h"
#include "platform/win/Shell.h"

namespace {

class CxCalcEditTest : public CxLocaleControlsTest {
 protected:
  CxCalcEditTest() : CxLocaleControlsTest("en-US") {}
  TcxCalcEdit* MakeEdit() {
    TForm* form = MakeForm(100, 100, 400, 360);
    auto* edit = Add<TcxCalcEdit>(form, 10, 10, 150, 21);
    other_ = Add<TcxCalcEdit>(form, 10, 40, 150, 21);
    form->Show();
    Pump();
    edit->SetFocus();
    Pump();
    return edit;
  }
  TcxCalcEdit* other_ = nullptr;
};

TEST_F(CxCalcEditTest, TypingKeepsANumberWithinThePrecision) {
  for (const char* locale : {"ru-RU", "en-US"}) {
    SetLocale(locale);
    TcxCalcEdit* edit = MakeEdit();
    const String sep(1, FormatSettings().DecimalSeparator);
    struct Case {
      int precision;
      String keys;
      String text;
      int beeps;
    };
    const Case cases[] = {
        {13, u"12345678901234", u"1234567890123", 1},  // the fourteenth digit
        {3, u"1.2345", u"1" + sep + u"23", 2},  // three digits in all
        {13, u"1,5", u"1" + sep + u"5", 0},  // both '.' and ',' are the separator
        {13, u"-", u"-", 0},
        {13, u"1E", u"1", 1},  // 1E is no number
        {13, u"a1b", u"1", 2},
    };
    for (const Case& c : cases) {
      edit->Properties()->SetPrecision(c.precision);
      const int beeps = MessageBeepCount();
      EXPECT_EQ(StringToUtf8(TypeKeys(edit, c.keys)), StringToUtf8(c.text)) << locale << " " << StringToUtf8(c.keys);
      EXPECT_EQ(MessageBeepCount() - beeps, c.beeps) << locale << " " << StringToUtf8(c.keys);
    }
    EXPECT_EQ(edit->Properties()->MaxLength(), 15);
    // E between the digits of 15 makes 1E5.
    edit->Properties()->SetPrecision(13);
    edit->SetText(u"15");
    edit->SetSelStart(1);
    edit->SetSelLength(0);
    EXPECT_TRUE(edit->IsValidChar(u'E'));
    edit->SetSelStart(2);
    EXPECT_FALSE(edit->IsValidChar(u'E'));
    edit->Properties()->SetBeepOnError(false);
    const int beeps = MessageBeepCount();
    TypeKeys(edit, u"x");
    EXPECT_EQ(MessageBeepCount(), beeps);
  }
}

TEST_F(CxCalcEditTest, TextsAndValuesBothWays) {
  SetLocale("ru-RU");
  TcxCalcEdit* edit = MakeEdit();
  TcxCustomCalcEditProperties* p = edit->ActiveProperties();
  struct Case {
    const char16_t* text;
    Variant value;
  };
  const Case cases[] = {
      {u"", Null()},
      {u"  ", Null()},
      {u"12,5", Variant(12.5)},
      {u"-3E2", Variant(-300.0)},
      {u"abc", Variant()},  // not converted: the value stays unassigned
  };
  for (const Case& c : cases) {
    Variant value = 99;
    edit->DisplayToEditValue(Variant(String(c.text)), value, true);
    EXPECT_EQ(value.Type(), c.value.Type()) << StringToUtf8(c.text);
    if (VarIsNumeric(c.value)) {
      EXPECT_DOUBLE_EQ(value.AsDouble(), c.value.AsDouble()) << StringToUtf8(c.text);
    }
  }
  Variant display;
  p->PrepareDisplayValue(Null(), display, false);
  EXPECT_EQ(VarToStr(display), u"");
  p->PrepareDisplayValue(Variant(1234.5), display, true);
  EXPECT_EQ(VarToStr(display), u"1234,5") << "focused: the plain number";
  p->PrepareDisplayValue(Variant(u"junk"), display, false);
  EXPECT_EQ(VarToStr(display), u"junk") << "a value that is no number is shown as it is";
  double number = 0;
  EXPECT_TRUE(p->IsValidNumberText(u"1" + String(1, FormatSettings().ThousandSeparator) + u"234,5", number))
      << "thousand separators are ignored";
  EXPECT_DOUBLE_EQ(number, 1234.5);
  EXPECT_FALSE(p->IsValidNumberText(u"1E400", number)) << "beyond the doubles";
  EXPECT_EQ(number, 0.0);

  edit->SetValue(2.5);
  EXPECT_DOUBLE_EQ(edit->Value(), 2.5);
  edit->SetEditValue(Null());
  EXPECT_DOUBLE_EQ(edit->Value(), 0);
  // Pasting goes through the calculator: the currency symbol is dropped.
  Clipboard()->SetAsText(u"7,25 " + FormatSettings().CurrencyString);
  edit->PasteFromClipboard();
  EXPECT_EQ(StringToUtf8(edit->Text()), "7,25");
  Clipboard()->SetAsText(u"сорок");
  edit->PasteFromClipboard();
  EXPECT_EQ(StringToUtf8(edit->Text()), "0");
}

TEST_F(CxCalcEditTest, TheDropDownCalculatorWorksOnTheText) {
  TcxCalcEdit* edit = MakeEdit();
  TcxPopupCalculator* calculator = edit->Calculator();
  edit->SetValue(2);
  Key(VK_F4);
  ASSERT_TRUE(edit->DroppedDown());
  EXPECT_EQ(calculator->Metrics().ButtonHeight, 2 * calculator->Canvas()->FontHeight(edit->Style()->Font()));
  SimulateText(u"+3=");
  Pump();
  EXPECT_EQ(StringToUtf8(edit->Text()), "5") << "the calculator's display is the edit's text";
  EXPECT_TRUE(edit->DroppedDown()) << "= closes only with QuickClose";
  KeepCheckedScreen("calculator");
  Key(VK_RETURN);
  Pump();
  EXPECT_FALSE(edit->DroppedDown()) << "Enter closes always";
  EXPECT_DOUBLE_EQ(edit->Value(), 5) << "posted when the popup closed";

  edit->Properties()->SetQuickClose(true);
  Key(VK_F4);
  ASSERT_TRUE(edit->DroppedDown());
  SimulateText(u"*4=");
  Pump();
  EXPECT_FALSE(edit->DroppedDown());
  EXPECT_DOUBLE_EQ(edit->Value(), 20);

  // The error text is closed into 0.
  Key(VK_F4);
  ASSERT_TRUE(edit->DroppedDown());
  SimulateText(u"/0");
  Key(VK_RETURN);
  Pump();
  EXPECT_FALSE(edit->DroppedDown());
  EXPECT_EQ(StringToUtf8(edit->Text()), "0");
  EXPECT_DOUBLE_EQ(edit->Value(), 0);

  // Esc closes the pad; the read-only edit does not open.
  edit->SetValue(8);
  Key(VK_F4);
  ASSERT_TRUE(edit->DroppedDown());
  Key(VK_ESCAPE);
  Pump();
  EXPECT_FALSE(edit->DroppedDown());
  EXPECT_DOUBLE_EQ(edit->Value(), 8);
  edit->Properties()->SetReadOnly(true);
  Key(VK_F4);
  EXPECT_FALSE(edit->DroppedDown());
}

TEST_F(CxCalcEditTest, RegionalChangeReformatsAnUnfocusedEdit) {
  SetLocale("ru-RU");
  MakeEdit();
  other_->SetValue(1234.5);
  EXPECT_EQ(StringToUtf8(other_->Text()), "1234,5");
  SetLocale("en-US");
  Pump();
  EXPECT_EQ(StringToUtf8(other_->Text()), "1234.5");
}

}  // namespace
