#include "cx/editors/cxMaskEdit.h"
#include "cx/editors/cxMaskEditRegExprMode.h"
#include "cx/editors/tests/cxEditTestUtil.h"
#include "platform/display/testing/CheckedScreens.h"
#include "platform/forms/native/NativeCommon.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/win/Shell.h"

namespace {

class CxMaskEditTest : public CxControlsTest {
 protected:
  void SetUp() override {
    CxControlsTest::SetUp();
    SetLocale("ru-RU");
    form = MakeForm(100, 100, 420, 200);
    phone = Add<TcxMaskEdit>(form, 10, 10, 200, 21);
    other = Add<TcxMaskEdit>(form, 10, 40, 200, 21);
    form->Show();
    Pump();
  }
  void Enter(TcxMaskEdit* AEdit) {
    AEdit->SetFocus();
    Pump();
    ASSERT_TRUE(AEdit->Focused());
  }
  static void Type(const String& AText) {
    SimulateText(AText);
    Pump();
  }

  TForm* form = nullptr;
  TcxMaskEdit* phone = nullptr;
  TcxMaskEdit* other = nullptr;
};

TEST_F(CxMaskEditTest, StandardMaskTypingThroughTheMessageLoop) {
  TcxCustomMaskEditProperties* properties = phone->ActiveProperties();
  properties->SetBeepOnError(true);
  properties->SetEditMask(u"(999)000");
  phone->SetEditValue(u"");
  EXPECT_EQ(properties->EmptyMaskText(), u"(___)___");
  Enter(phone);
  Key(VK_HOME);
  EXPECT_EQ(phone->Text(), u"(___)___");
  EXPECT_EQ(phone->SelStart(), 1);
  EXPECT_EQ(phone->SelLength(), 1);

  Type(u"12");
  EXPECT_EQ(phone->Text(), u"(12_)___");
  const int beeps = MessageBeepCount();
  Type(u"x");
  EXPECT_EQ(phone->Text(), u"(12_)___");
  EXPECT_EQ(MessageBeepCount(), beeps + 1);
  Type(u"3456");
  EXPECT_EQ(phone->Text(), u"(123)456");
  KeepCheckedScreen();

  Key(VK_BACK);
  EXPECT_EQ(phone->Text(), u"(123)45_");
}

TEST_F(CxMaskEditTest, UpAndDownOnlyFireTheKeyDownEvent) {
  phone->ActiveProperties()->SetEditMask(u"000");
  int events = 0;
  phone->OnInplaceKeyDown = [&](TObject*, WORD&, TShiftState) { ++events; };
  Enter(phone);
  Key(VK_UP);
  Key(VK_DOWN);
  EXPECT_EQ(events, 2);
}

TEST_F(CxMaskEditTest, IncompleteStandardTextFailsValidationUnlessBlanksAreIgnored) {
  TcxCustomMaskEditProperties* properties = phone->ActiveProperties();
  properties->SetEditMask(u"(999)000");
  Enter(phone);
  Key(VK_HOME);
  Type(u"12");
  Variant display = phone->Text();
  String error;
  bool failed = false;
  properties->ValidateDisplayValue(display, error, failed, phone);
  EXPECT_TRUE(failed);
  EXPECT_EQ(error, u"The edit value is invalid");

  properties->SetIgnoreMaskBlank(true);
  failed = false;
  error.clear();
  properties->ValidateDisplayValue(display, error, failed, phone);
  EXPECT_FALSE(failed);
}

TEST_F(CxMaskEditTest, RegularExpressionMaskTypingAndSeparators) {
  TcxCustomMaskEditProperties* properties = other->ActiveProperties();
  properties->SetMaskKind(emkRegExprEx);
  properties->SetEditMask(u"\\d\\d/\\d\\d");
  Enter(other);
  Type(u"12");
  EXPECT_EQ(other->Text(), u"12.");
  Type(u"x34");
  EXPECT_EQ(other->Text(), u"12.34");
  Key(VK_BACK);
  Key(VK_BACK);
  EXPECT_EQ(other->Text(), u"12.");
  Key(VK_BACK);
  EXPECT_EQ(other->Text(), u"1");
}

TEST_F(CxMaskEditTest, TypingAfterAClickInsertsAtTheClickedPlace) {
  other->ActiveProperties()->SetMaskKind(emkRegExpr);
  other->ActiveProperties()->SetEditMask(u"[a-z]\\d+");
  Enter(other);
  Type(u"a123");
  Click(other->InnerTextEdit(), 1, 5);  // the caret goes to the start of the text
  ASSERT_EQ(other->SelStart(), 0);
  Key(VK_RIGHT);
  Key(VK_RIGHT);
  Type(u"9");
  EXPECT_EQ(other->Text(), u"a1923");
  Click(other->InnerTextEdit(), 1, 5);
  Type(u"7");  // a digit cannot start the text
  EXPECT_EQ(other->Text(), u"a1923");
}

TEST_F(CxMaskEditTest, ShiftDeleteWithoutSelectionIsBackspace) {
  other->ActiveProperties()->SetMaskKind(emkRegExpr);
  other->ActiveProperties()->SetEditMask(u"\\w+");
  Enter(other);
  Type(u"abcd");
  Key(VK_LEFT);
  Key(VK_DELETE, 1);  // with Shift
  EXPECT_EQ(other->Text(), u"abd");
  Type(u"X");
  EXPECT_EQ(other->Text(), u"abXd");
}

TEST_F(CxMaskEditTest, PropertiesMaskKindCaseAndMaxLength) {
  TcxCustomMaskEditProperties* properties = phone->ActiveProperties();
  properties->SetEditMask(u"000");
  properties->SetMaxLength(10);
  EXPECT_EQ(properties->MaxLength(), 0);

  properties->SetCharCase(ecUpperCase);
  EXPECT_TRUE(properties->CaseInsensitive());
  properties->SetCaseInsensitive(false);
  EXPECT_TRUE(properties->CaseInsensitive());
  properties->SetCharCase(ecNormal);

  // Switching between the standard and the expression kinds drops the mask...
  properties->SetMaskKind(emkRegExpr);
  EXPECT_EQ(properties->EditMask(), u"");
  EXPECT_FALSE(properties->IsMasked());
  EXPECT_EQ(phone->Mode()->GetMaskKind(), emkRegExpr);

  // ...but properties that carry both keep them.
  TcxMaskEditProperties source(nullptr);
  source.SetMaskKind(emkRegExprEx);
  source.SetEditMask(u"\\d+");
  other->ActiveProperties()->Assign(&source);
  EXPECT_EQ(other->ActiveProperties()->EditMask(), u"\\d+");
  EXPECT_EQ(other->Mode()->GetMaskKind(), emkRegExprEx);

  // A bad expression is refused and the stored mask stays.
  EXPECT_THROW(other->ActiveProperties()->SetEditMask(u"(a"), EcxMaskEditError);
  EXPECT_EQ(other->ActiveProperties()->EditMask(), u"\\d+");
}

// A data source's field with an edit mask of its own.
class TFieldMaskProvider : public TcxCustomEditDefaultValuesProvider {
 public:
  TFieldMaskProvider() : TcxCustomEditDefaultValuesProvider(nullptr) {}
  void DefaultEditMask(String& Result) override { Result = u"00-00"; }
};

TEST_F(CxMaskEditTest, FieldMaskAppliesToTheStandardKindOnly) {
  TcxMaskEditProperties properties(nullptr);
  properties.SetDefaultValuesProvider(std::make_shared<TFieldMaskProvider>());
  EXPECT_EQ(properties.GetEditMask(), u"00-00");
  EXPECT_TRUE(properties.IsMasked());
  Variant display;
  properties.PrepareDisplayValue(Variant(String(u"1234")), display, false);
  EXPECT_EQ(VarToStr(display), u"12-34");

  properties.SetMaskKind(emkRegExpr);
  EXPECT_EQ(properties.GetEditMask(), u"");
  EXPECT_FALSE(properties.IsMasked());
}

TEST_F(CxMaskEditTest, MaskedDisplayTextIsFormattedByThePropertiesMode) {
  TcxMaskEditProperties properties(nullptr);
  properties.SetEditMask(u"!(999)000;0;_");
  Variant display;
  properties.PrepareDisplayValue(Variant(String(u"123456")), display, false);
  EXPECT_EQ(VarToStr(display), u"(123)456");
  properties.SetMaskKind(emkRegExpr);
  properties.SetEditMask(u"\\d+");
  properties.PrepareDisplayValue(Variant(String(u"1a2")), display, false);
  EXPECT_EQ(VarToStr(display), u"12");
}

}  // namespace
