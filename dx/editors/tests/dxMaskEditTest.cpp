#include <gtest/gtest.h>

#include "dx/editors/dxMaskEdit.h"
#include "dx/editors/tests/dxEditorsTestSupport.h"
#include "platform/forms/Clipboard.h"
#include "platform/rtl/FormatSettings.h"

namespace {

class DxMaskEditTest : public DxEditorsTest {
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
  TdxInplaceMaskEdit* ShowMasked(const char* mask, const char* value = nullptr) {
    host_ = MakeHost();
    auto* edit = new TdxInplaceMaskEdit(host_);
    edit->SetParent(host_);
    edit->SetEditMask(Utf8ToString(mask));
    edit->SetEditValue(value ? Variant(Utf8ToString(value)) : Null());
    edit->ShowAt(RECT{20, 20, 180, 40});
    edit->SetActive(true);
    edit->SetModified(false);
    Pump();
    return edit;
  }
  static String Raw(TdxInplaceMaskEdit* e) { return e->GetEditText(); }
  TTestContainer* host_ = nullptr;
  TFormatSettings saved_;
};

TEST_F(DxMaskEditTest, AnEmptyDateShowsBlankFieldsAndASeparatorJumpsToTheNextField) {
  auto* edit = ShowMasked("!99/99/00;1;_");
  EXPECT_EQ(Raw(edit), u"__.__.__");
  edit->SelectAll();
  Key(VK_HOME);
  Type("1.");
  EXPECT_EQ(Raw(edit), u"1_.__.__");
  Type("0724");  // the caret skips the separator by itself
  EXPECT_EQ(Raw(edit), u"1_.07.24");
  EXPECT_EQ(Beeps(), 0);
  Type("x");  // past the end: nothing to type over
  EXPECT_EQ(Beeps(), 1);
}

TEST_F(DxMaskEditTest, ACompleteEntryGivesItsDigitsAndAPartialOneIsRefused) {
  auto* edit = ShowMasked("000;0;_");
  Key(VK_HOME);
  Type("123");
  EXPECT_EQ(edit->Text(), u"123");
  EXPECT_NO_THROW(edit->ValidateEdit());

  Key(VK_HOME);
  Key(VK_DELETE);
  EXPECT_EQ(Raw(edit), u"_23");
  try {
    edit->ValidateEdit();
    ADD_FAILURE() << "an incomplete text passed";
  } catch (const EDBEditError& e) {
    EXPECT_EQ(e.Message(), u"Invalid input value.  Use escape key to abandon changes");
  }
  int start = 0, end = 0;
  edit->GetSelectionRange(start, end);
  EXPECT_EQ(std::min(start, end), 0);  // the caret is put on the missing position

  edit->SetIgnoreMaskBlank(true);
  EXPECT_NO_THROW(edit->ValidateEdit());
}

// A host closing the editor gets the previous text back instead of an error.
TEST_F(DxMaskEditTest, AnIncompleteTextWhileHidingIsReset) {
  auto* edit = ShowMasked("000;0;_", "987");
  Key(VK_HOME);
  Key(VK_DELETE);
  edit->SetHiding(true);
  EXPECT_NO_THROW(edit->ValidateEdit());
  EXPECT_EQ(edit->Text(), u"987");
}

TEST_F(DxMaskEditTest, NothingTypedIsAnEmptyValue) {
  auto* edit = ShowMasked("(999) 000-0000;1;_");
  String text;
  edit->GetEditingText(text);
  EXPECT_EQ(text, u"");
  Key(VK_HOME);
  Type("4");
  edit->GetEditingText(text);
  EXPECT_EQ(text, u"(4  )    -    ");
}

TEST_F(DxMaskEditTest, BackspaceAndDeleteBlankButNeverMoveLiterals) {
  auto* edit = ShowMasked("00-00;1;_", "12-34");
  Key(VK_HOME);
  Key(VK_BACK);  // at the first input position: nothing
  EXPECT_EQ(Raw(edit), u"12-34");
  Key(VK_END);
  Key(VK_BACK);
  EXPECT_EQ(Raw(edit), u"12-3_");
  Key(VK_LEFT);
  Key(VK_LEFT);  // over the literal
  Key(VK_DELETE);
  EXPECT_EQ(Raw(edit), u"1_-3_");
  edit->SelectAll();
  Key(VK_DELETE);
  EXPECT_EQ(Raw(edit), u"__-__");
}

TEST_F(DxMaskEditTest, CtrlASelectsAllWithoutTypingAnything) {
  auto* edit = ShowMasked("000;1;_", "123");
  Key(VK_HOME);
  Key('A', 2);
  EXPECT_EQ(Raw(edit), u"123");
  int start = 0, end = 0;
  edit->GetSelectionRange(start, end);
  EXPECT_EQ(end - start, 3);
}

TEST_F(DxMaskEditTest, PasteFitsEachCharacterAndValidatesAtOnce) {
  auto* edit = ShowMasked("000;0;_");
  Clipboard()->SetAsText(u"1x3");
  Key(VK_HOME);
  Key('V', 2);
  EXPECT_EQ(Raw(edit), u"1_3");
  ASSERT_EQ(exceptions_.size(), 1u);  // incomplete: the error comes at once
  EXPECT_TRUE(edit->GetModified());
}

TEST_F(DxMaskEditTest, EscapeRestoresTheMaskedText) {
  auto* edit = ShowMasked("(999) 000-0000;1;_", "(495) 123-4567");
  Key(VK_HOME);
  Type("812");
  EXPECT_EQ(Raw(edit), u"(812) 123-4567");
  Key(VK_ESCAPE);
  EXPECT_EQ(Raw(edit), u"(495) 123-4567");
  EXPECT_FALSE(edit->GetModified());
}

TEST_F(DxMaskEditTest, CaseDirectivesApplyToTypedLetters) {
  auto* edit = ShowMasked(">LL<ll;0;_");
  Key(VK_HOME);
  Type("абВГ");
  EXPECT_EQ(Raw(edit), u"АБвг");
}

TEST_F(DxMaskEditTest, WithoutAMaskItIsTheTextEditor) {
  auto* edit = ShowMasked("", "abc");
  Key(VK_END);
  Type("d");
  EXPECT_EQ(edit->Text(), u"abcd");
  Key(VK_BACK);
  EXPECT_EQ(edit->Text(), u"abc");
  String text;
  edit->GetEditingText(text);
  EXPECT_EQ(text, u"abc");
  EXPECT_NO_THROW(edit->ValidateEdit());
}

}  // namespace
