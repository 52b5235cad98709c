// The currency edit: keys typed in Russian and English settings, values and texts both ways, bounds,
// a pasted non-number put back, and a change of the regional settings.
#include "cx/editors-ext/cxCurrencyEdit.h"

#include "cx/editors-ext/cxEditExtConsts.h"
#include "cx/editors/cxEditConsts.h"
#include "cx/foundation/cxClasses.h"
#include "cx/editors-ext/tests/cxLocaleTestFixture.h"
#include "platform/forms/Clipboard.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/win/Input.h"

namespace {

class CxCurrencyEditTest : public CxLocaleControlsTest {
 protected:
  TcxCurrencyEdit* MakeEdit() {
    TForm* form = MakeForm();
    auto* edit = Add<TcxCurrencyEdit>(form, 10, 10, 150, 21);
    other_ = Add<TcxCurrencyEdit>(form, 10, 40, 150, 21);
    form->Show();
    Pump();
    edit->SetFocus();
    Pump();
    return edit;
  }
  TcxCurrencyEdit* other_ = nullptr;
};

TEST_F(CxCurrencyEditTest, TypingKeepsANumberWithinTheDecimalPlaces) {
  for (const char* locale : {"ru-RU", "en-US"}) {
    SetLocale(locale);
    TcxCurrencyEdit* edit = MakeEdit();
    const String sep(1, FormatSettings().DecimalSeparator);
    struct Case {
      String keys;
      String text;
    };
    const Case cases[] = {
        {u"12.345", u"12" + sep + u"34"},  // the third decimal is refused; '.' is the decimal separator
        {u"12,34", u"12" + sep + u"34"},
        {u"-", u"-"},                      // a lone minus in an empty text
        {u"1E", u"1"},                     // not a number on the way
        {u"a1b2", u"12"},
    };
    for (const Case& c : cases) EXPECT_EQ(TypeKeys(edit, c.keys), c.text) << locale << " " << StringToUtf8(c.keys);
    // A digit before the separator is still accepted when the decimals are full.
    edit->SetText(u"12" + sep + u"34");
    edit->SetSelStart(0);
    edit->SetSelLength(0);
    EXPECT_TRUE(edit->IsValidChar(u'5'));
    edit->SetSelStart(5);
    EXPECT_FALSE(edit->IsValidChar(u'5'));
  }
}

TEST_F(CxCurrencyEditTest, TextsAndValuesBothWays) {
  TcxCurrencyEdit* edit = MakeEdit();
  TcxCustomCurrencyEditProperties* p = edit->ActiveProperties();
  p->SetDisplayFormat(u"0.00 'р.'");
  const String sep(1, FormatSettings().DecimalSeparator);
  struct Case {
    Variant value;
    bool focused;
    String text;
  };
  const Case cases[] = {
      {Variant(12.5), false, u"12" + sep + u"50 р."},
      {Variant(12.5), true, u"12" + sep + u"5"},
      {Null(), false, u""},
      {Null(), true, u""},
      {Variant(u"abc"), false, u"abc"},  // not a number: shown as it is, never raised
  };
  for (const Case& c : cases) {
    Variant display;
    p->PrepareDisplayValue(c.value, display, c.focused);
    EXPECT_EQ(VarToStr(display), c.text) << StringToUtf8(VarToStr(c.value)) << " " << c.focused;
  }
  p->SetNullString(u"нет");
  Variant display, value;
  p->PrepareDisplayValue(Null(), display, false);
  EXPECT_EQ(VarToStr(display), u"нет");
  edit->DisplayToEditValue(u"нет", value, true);
  EXPECT_TRUE(VarIsNull(value)) << "typing NullString stores Null";
  p->SetNullable(false);
  p->PrepareDisplayValue(Null(), display, false);
  EXPECT_EQ(VarToStr(display), u"0");
  edit->DisplayToEditValue(u"", value, true);
  EXPECT_EQ(value.AsDouble(), 0.0) << "not nullable: an empty text is 0";

  p->SetMinValue(0);
  p->SetMaxValue(1000);
  edit->SetValue(5000);
  EXPECT_EQ(edit->Value(), 1000.0);
  edit->SetValue(-3);
  EXPECT_EQ(edit->Value(), 0.0);
}

TEST_F(CxCurrencyEditTest, ANonNumberPastedIsPutBack) {
  TcxCurrencyEdit* edit = MakeEdit();
  edit->SetText(u"42");
  edit->SelectAll();
  Clipboard()->SetAsText(u"сорок два");
  edit->PasteFromClipboard();
  EXPECT_EQ(edit->Text(), u"42");
  Clipboard()->SetAsText(u"17");
  edit->SelectAll();
  edit->PasteFromClipboard();
  EXPECT_EQ(edit->Text(), u"17");
}

TEST_F(CxCurrencyEditTest, RegionalChangeRedisplaysAndStoresNothing) {
  SetLocale("ru-RU");
  TcxCurrencyEdit* edit = MakeEdit();
  other_->SetEditValue(1234.5);
  other_->Properties()->SetDisplayFormat(u"0.0");
  const String assigned = other_->Text();
  edit->SetEditValue(1234.5);
  SetLocale("en-US");
  Pump();
  EXPECT_FALSE(edit->Properties()->IsDisplayFormatStored()) << "nothing becomes stored";
  EXPECT_EQ(edit->Properties()->DisplayFormat(), GetFormatController()->CurrencyDisplayFormat());
  EXPECT_TRUE(other_->Properties()->IsDisplayFormatStored());
  EXPECT_EQ(other_->Properties()->DisplayFormat(), u"0.0") << "an assigned format stays";
  EXPECT_EQ(assigned, u"1234,5");
  EXPECT_EQ(other_->Text(), u"1234.5") << "redisplayed: the assigned format with the new separator";
}

}  // namespace

namespace {

TEST(CxCurrencyEditTexts, TheDescriptionKeepsTheTextEditMenusPaste) {
  EXPECT_EQ(StringToUtf8(cxGetResourceString(cxSEditMenuPaste)), "&Paste");
  EXPECT_EQ(StringToUtf8(cxGetResourceString(cxSEditCurrencyEditDescription)),
            "CurrencyEdit|Represents an editor enabling editing currency data");
}

}  // namespace
