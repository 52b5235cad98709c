#include "cx/editors/cxSpinEdit.h"
#include "cx/editors/tests/cxEditTestUtil.h"
#include "platform/display/testing/CheckedScreens.h"
#include "platform/forms/native/NativeCommon.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/String.h"
#include "platform/win/Shell.h"

namespace {

class CxSpinEditTest : public CxControlsTest {
 protected:
  void SetUp() override {
    CxControlsTest::SetUp();
    SetLocale("ru-RU");  // the decimal separator is ','
    form = MakeForm(100, 100, 420, 200);
    spin = Add<TcxSpinEdit>(form, 10, 10, 120, 21);
    next = Add<TcxSpinEdit>(form, 10, 40, 120, 21);
    form->Show();
    Pump();
  }
  void Enter() {
    spin->SetFocus();
    Pump();
    ASSERT_TRUE(spin->Focused());
  }
  static void Type(const String& AText) {
    SimulateText(AText);
    Pump();
  }
  void Clear() {
    spin->SelectAll();
    Key(VK_DELETE);
  }

  TForm* form = nullptr;
  TcxSpinEdit* spin = nullptr;
  TcxSpinEdit* next = nullptr;
};

TEST_F(CxSpinEditTest, StartsAtZeroAsIntegerAndUnboundPropertiesUseFloats) {
  EXPECT_EQ(spin->ActiveProperties()->ValueType(), vtInt);
  EXPECT_EQ(VarType(spin->Value()), varInteger);
  EXPECT_EQ(spin->Value().AsInteger(), 0);
  TcxSpinEditProperties loose(nullptr);
  EXPECT_EQ(loose.ValueType(), vtFloat);
}

TEST_F(CxSpinEditTest, StepsByKeysWithinTheBounds) {
  TcxCustomSpinEditProperties* properties = spin->ActiveProperties();
  struct Case {
    TcxSpinEditValueType type;
    double increment, min, max;
    const char16_t* start;
    UINT key;
    int presses;
    const char16_t* shown;
  };
  const Case cases[] = {
      {vtInt, 1, 0, 0, u"0", VK_DOWN, 3, u"-3"},        // unbounded: negative numbers too
      {vtInt, 2.5, 0, 0, u"0", VK_UP, 1, u"2"},         // halves round to even
      {vtInt, 3.5, 0, 0, u"0", VK_UP, 1, u"4"},
      {vtFloat, 0.1, 0, 0, u"0", VK_UP, 3, u"0,3"},     // no rounding residue shown
      {vtFloat, 1, 0, 10, u"9,5", VK_UP, 1, u"9,5"},    // a step out of range is refused, not clipped
      {vtInt, 5, 0, 10, u"3", VK_UP, 3, u"8"},
  };
  Enter();
  for (const Case& c : cases) {
    properties->SetValueType(c.type);
    properties->Increment = c.increment;
    properties->SetMinValue(c.min);
    properties->SetMaxValue(c.max);
    spin->SetValue(Variant(String(c.start)));
    for (int i = 0; i < c.presses; ++i) Key(c.key);
    EXPECT_EQ(spin->Text(), c.shown) << StringToUtf8(c.start) << " +" << c.increment;
  }
  KeepCheckedScreen();

  properties->SetValueType(vtInt);
  properties->SetMinValue(0);
  properties->SetMaxValue(0);
  properties->Increment = 1;
  spin->SetValue(Variant(Integer(5)));
  properties->UseCtrlIncrement = true;
  Key(VK_UP);
  EXPECT_EQ(spin->Text(), u"5");
  Key(VK_UP, 2);  // with Ctrl
  EXPECT_EQ(spin->Text(), u"6");

  properties->CanEdit = false;
  Key(VK_UP, 2);
  Type(u"1");
  EXPECT_EQ(spin->Text(), u"6");
  spin->SetValue(Variant(Integer(9)));
  EXPECT_EQ(spin->Text(), u"9");  // code still sets the value
}

TEST_F(CxSpinEditTest, TypingKeepsOnlyNumberCharactersAndTheLocaleSeparator) {
  TcxCustomSpinEditProperties* properties = spin->ActiveProperties();
  properties->SetValueType(vtFloat);
  Enter();
  Clear();
  const int beeps = MessageBeepCount();
  Type(u"1x.5");
  EXPECT_EQ(spin->Text(), u"1,5");
  EXPECT_EQ(MessageBeepCount(), beeps + 1);

  properties->SetValueType(vtInt);
  Clear();
  Type(u"2.");
  EXPECT_EQ(spin->Text(), u"2");
  EXPECT_EQ(MessageBeepCount(), beeps + 2);
}

TEST_F(CxSpinEditTest, OutOfBoundsValueFailsValidation) {
  TcxCustomSpinEditProperties* properties = spin->ActiveProperties();
  properties->SetMaxValue(999);
  Enter();
  Clear();
  Type(u"5000");
  Variant display = spin->Text();
  String error;
  bool failed = false;
  properties->ValidateDisplayValue(display, error, failed, spin);
  EXPECT_TRUE(failed);
  EXPECT_EQ(error, u"Value out of bounds");
}

TEST_F(CxSpinEditTest, WheelStepsEvenWhenOnlyCtrlStepsByKeys) {
  spin->ActiveProperties()->UseCtrlIncrement = true;
  Enter();
  SimulateWheel(-120, At(spin, 20, 10));
  Pump();
  EXPECT_EQ(spin->Text(), u"-1");
  SimulateWheel(120, At(spin, 20, 10));
  SimulateWheel(120, At(spin, 20, 10));
  Pump();
  EXPECT_EQ(spin->Text(), u"1");
}

TEST_F(CxSpinEditTest, ChangedBoundsMoveAnEditedValueToTheNearerBound) {
  TcxCustomSpinEditProperties* properties = spin->ActiveProperties();
  Enter();
  Clear();
  Type(u"50");
  properties->SetMinValue(0);
  EXPECT_EQ(spin->Text(), u"50");  // both bounds 0: no range yet
  properties->SetMaxValue(10);
  EXPECT_EQ(spin->Text(), u"10");
  Clear();
  Type(u"-3");
  properties->SetMinValue(1);
  EXPECT_EQ(spin->Text(), u"1");
}

// The filter window puts the text of its spin edits into queries.
TEST_F(CxSpinEditTest, EditedTextIsEmptyWithNullOrAPlainNumber) {
  struct Case {
    const char16_t* typed;
    const char16_t* pasted;
  };
  const Case cases[] = {
      {u"12a3", nullptr}, {u"-5", nullptr},  {u"5-", nullptr},        {u"+7", nullptr},
      {u"--1", nullptr},  {u"-", nullptr},   {u"1 OR 1=1", nullptr},  {u"", u"1; DROP TABLE people"},
      {u"", u"42"},       {u"3", u"-4"},     {u"", u" 8"},            {u"", u"$10"},
      {u"", u"+9"},       {u"+", nullptr},   {u"+", u"-3"},
  };
  // Digits with at most a leading minus.
  auto plainNumber = [](const std::string& t) {
    const size_t digits = !t.empty() && t[0] == '-' ? 1 : 0;
    return t.size() > digits && t.find_first_not_of("0123456789", digits) == std::string::npos;
  };
  for (const Case& c : cases) {
    Enter();
    Clear();
    Type(c.typed);
    if (c.pasted) {
      ASSERT_TRUE(PutClipboardText(spin->Handle(), c.pasted));
      SendMessage(spin->Handle(), WM_PASTE, 0, 0);
      Pump();
    }
    Key(VK_TAB);
    const std::string text = StringToUtf8(spin->Text());
    const std::string label = StringToUtf8(c.typed) + (c.pasted ? " + paste " + StringToUtf8(c.pasted) : "");
    if (text.empty())
      EXPECT_TRUE(VarIsNull(spin->EditValue())) << label;
    else
      EXPECT_TRUE(plainNumber(text)) << label << " gave " << text;
  }
}

}  // namespace

namespace {

TEST_F(CxSpinEditTest, ALeadingPlusIsTypedAndLeavesAPlainNumber) {
  struct Case {
    TcxSpinEditValueType type;
    const char16_t* typed;
    const char16_t* whileTyping;
    double value;
    const char16_t* afterLeaving;
  };
  const Case cases[] = {
      {vtInt, u"+5", u"+5", 5, u"5"},
      {vtInt, u"+-5", u"+5", 5, u"5"},  // a second sign is refused
      {vtInt, u"5+", u"5", 5, u"5"},
      {vtInt, u"++12", u"+12", 12, u"12"},
      {vtFloat, u"+1,5", u"+1,5", 1.5, u"1,5"},
  };
  for (const Case& c : cases) {
    const std::string label = StringToUtf8(c.typed);
    spin->ActiveProperties()->SetValueType(c.type);
    Enter();
    Clear();
    Type(c.typed);
    EXPECT_EQ(spin->Text(), c.whileTyping) << label;
    EXPECT_EQ(spin->Value().AsDouble(), c.value) << label;
    Key(VK_TAB);
    EXPECT_EQ(spin->Text(), c.afterLeaving) << label;
    EXPECT_EQ(spin->EditValue().AsDouble(), c.value) << label;
  }
}

}  // namespace
