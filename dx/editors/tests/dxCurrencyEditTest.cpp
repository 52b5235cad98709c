#include "dx/editors/dxCurrencyEdit.h"

#include "dx/editors/tests/dxEditorsTestSupport.h"
#include "platform/forms/Clipboard.h"
#include "platform/rtl/FormatSettings.h"

namespace {

class DxCurrencyEditTest : public DxEditorsTest {
 protected:
  void SetUp() override {
    DxEditorsTest::SetUp();
    saved_ = FormatSettings();
    SetLocale("ru-RU");
  }
  void TearDown() override {
    DxEditorsTest::TearDown();
    SetFormatSettings(saved_);
  }
  TdxInplaceCurrencyEdit* MakeEditor() {
    host_ = MakeHost();
    auto* edit = new TdxInplaceCurrencyEdit(host_);
    edit->SetParent(host_);
    edit->ShowAt(RECT{10, 10, 160, 30});
    edit->SetFocus();
    Pump();
    return edit;
  }
  static std::string TextOf(TdxInplaceCurrencyEdit* Edit) { return StringToUtf8(Edit->Text()); }

  TTestContainer* host_ = nullptr;
  TFormatSettings saved_;
};

}  // namespace

TEST_F(DxCurrencyEditTest, TypedCharactersKeepTheTextANumber) {
  struct Case {
    const char* typed;
    const char* text;
    int beeps;
  } cases[] = {
      {"12.345", "12,34", 1},  // a third decimal beeps; "." becomes the decimal separator
      {"-5", "-5", 0},         // a lone minus into an empty text
      {"--5", "-5", 1},
      {"1e", "1", 1},          // an exponent letter at the end does not convert
      {"12a", "12", 1},
  };
  for (const Case& c : cases) {
    auto* edit = MakeEditor();
    const int beeps = Beeps();
    Type(c.typed);
    EXPECT_EQ(TextOf(edit), c.text) << c.typed;
    EXPECT_EQ(Beeps() - beeps, c.beeps) << c.typed;
  }
}

TEST_F(DxCurrencyEditTest, ExponentBetweenDigitsIsAccepted) {
  auto* edit = MakeEditor();
  Type("15");
  Key(VK_LEFT);
  Type("e");
  EXPECT_EQ(TextOf(edit), "1e5");
}

TEST_F(DxCurrencyEditTest, BoundsInEitherOrderAndClampingOnValidation) {
  auto* edit = MakeEditor();
  edit->SetMinMax(20, 10);
  EXPECT_EQ(edit->MinValue(), 10);
  EXPECT_EQ(edit->MaxValue(), 20);
  edit->SetText(u"25");
  edit->SetModified(true);
  edit->ValidateEdit();
  EXPECT_EQ(TextOf(edit), "20");
  edit->SetMinMax(0, 0);
  edit->SetText(u"1000");
  edit->SetModified(true);
  edit->ValidateEdit();
  EXPECT_EQ(TextOf(edit), "1000") << "equal bounds do not clamp";
}

TEST_F(DxCurrencyEditTest, DisplayTextAndNullValues) {
  auto* edit = MakeEditor();
  edit->SetDisplayFormat(u"0.00 \"р.\"");
  edit->SetText(u"1234,5");
  Variant shown;
  edit->GetEditValue(shown, false);
  EXPECT_EQ(StringToUtf8(shown.AsString()), "1234,50 р.");
  edit->SetText(u"");
  edit->GetEditValue(shown, false);
  EXPECT_EQ(StringToUtf8(shown.AsString()), "0,00 р.");
  edit->SetNullable(true);
  edit->SetNullString(u"(нет)");
  edit->GetEditValue(shown, false);
  EXPECT_EQ(StringToUtf8(shown.AsString()), "(нет)");
  Variant value;
  edit->GetEditingValue(value);
  EXPECT_TRUE(VarIsNull(value));
  edit->SetModified(true);
  edit->ValidateEdit();
  EXPECT_EQ(TextOf(edit), "") << "an empty nullable text stays empty";
}

TEST_F(DxCurrencyEditTest, ThousandsSeparatorsAndPaste) {
  auto* edit = MakeEditor();
  double v = 0;
  TFormatSettings fs = FormatSettings();
  EXPECT_TRUE(TdxInplaceCurrencyEdit::TextToValue(String(u"1") + fs.ThousandSeparator + u"234,5", v));
  EXPECT_DOUBLE_EQ(v, 1234.5);
  EXPECT_FALSE(TdxInplaceCurrencyEdit::TextToValue(u"1e400", v));
  Type("42");
  Clipboard()->SetAsText(u"abc");
  SendMessage(edit->Handle(), WM_PASTE, 0, 0);
  Pump();
  EXPECT_EQ(TextOf(edit), "42");
}
