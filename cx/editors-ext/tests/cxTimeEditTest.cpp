// The time edit: formats and masks of each precision and hour form, the part under the caret,
// texts to values with the kept date, digits refused, AM/PM and the hours spun to the bound.
#include "cx/editors-ext/cxTimeEdit.h"

#include "cx/editors-ext/tests/cxLocaleTestFixture.h"
#include "platform/rtl/DateFormat.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/win/Input.h"

namespace {

// English settings: AM and PM designators.
class CxTimeEditEnglishTest : public CxLocaleControlsTest {
 protected:
  CxTimeEditEnglishTest() : CxLocaleControlsTest("en-US") {}
};

TEST_F(CxTimeEditEnglishTest, MasksAndPartsFollowThePrecisionAndHourForm) {
  EXPECT_EQ(cxTimeEditMask(tfHourMinSec, true), u"00:00:00;1;0");
  EXPECT_EQ(cxTimeEditMask(tfHour, true), u"00;1;0");
  EXPECT_EQ(cxTimeEditDisplayFormat(tfHourMin, false), u"hh:nn ampm");
  // Each character of the designator becomes an "any character" mask place.
  EXPECT_EQ(cxTimeEditMask(tfHourMin, false), u"00:00 cc;1;0");
  struct Case {
    int caret;
    TcxTimeEditTimeFormat format;
    bool use24;
    Char part;
  };
  const Case cases[] = {
      // The end of a selection just past a colon still belongs to the part before it.
      {0, tfHourMinSec, true, u'H'}, {2, tfHourMinSec, true, u'H'}, {3, tfHourMinSec, true, u'H'},
      {4, tfHourMinSec, true, u'N'}, {6, tfHourMinSec, true, u'N'}, {7, tfHourMinSec, true, u'S'},
      {8, tfHourMinSec, true, u'S'},
      {5, tfHourMin, false, u'N'},   {6, tfHourMin, false, u'A'},   {3, tfHour, false, u'A'},
  };
  for (const Case& c : cases)
    EXPECT_EQ(cxTimeEditPartAt(c.caret, c.format, c.use24), c.part) << c.caret << " " << c.format;
}

class CxTimeEditTest : public CxControlsTest {
 protected:
  TcxTimeEdit* MakeEdit() {
    TForm* form = MakeForm();
    auto* edit = Add<TcxTimeEdit>(form, 10, 10, 150, 21);
    form->Show();
    Pump();
    return edit;
  }
};

TEST_F(CxTimeEditTest, TheDateIsKeptAndShownOnlyUnfocused) {
  TcxTimeEdit* edit = MakeEdit();
  edit->ActiveProperties()->SetShowDate(true);
  const TDateTime value = EncodeDate(2005, 6, 1) + EncodeTime(14, 30, 0, 0);
  edit->SetEditValue(VarFromDateTime(value));
  EXPECT_EQ(edit->KeptDate(), EncodeDate(2005, 6, 1));
  Variant display;
  edit->ActiveProperties()->PrepareDisplayValue(VarFromDateTime(value), display, false);
  EXPECT_EQ(VarToStr(display), DateTimeToStr(value));
  edit->ActiveProperties()->PrepareDisplayValue(VarFromDateTime(value), display, true);
  EXPECT_EQ(VarToStr(display), u"14:30:00");
  edit->SetTime(EncodeTime(9, 15, 0, 0));
  EXPECT_DOUBLE_EQ(edit->EditValue().AsDouble(), EncodeDate(2005, 6, 1) + EncodeTime(9, 15, 0, 0));

  // Texts to values keep the date; an hour alone gets ":00".
  edit->ActiveProperties()->SetTimeFormat(tfHour);
  Variant parsed;
  edit->DisplayToEditValue(u"07", parsed, true);
  EXPECT_DOUBLE_EQ(parsed.AsDouble(), EncodeDate(2005, 6, 1) + EncodeTime(7, 0, 0, 0));
  edit->DisplayToEditValue(u"xx", parsed, true);
  EXPECT_DOUBLE_EQ(parsed.AsDouble(), EncodeDate(2005, 6, 1)) << "a text that is no time is the time 0";
}

TEST_F(CxTimeEditTest, AStringThatIsNoTimeShowsAsItsOwnText) {
  TcxTimeEditProperties properties(nullptr);
  Variant display;
  properties.PrepareDisplayValue(Variant(u"обед"), display, false);
  EXPECT_EQ(VarToStr(display), u"обед") << "never the current time";
  EXPECT_THROW(properties.PrepareDisplayValue(Variant(), display, false), EConvertError);
  properties.PrepareDisplayValue(Null(), display, true);
  EXPECT_EQ(VarToStr(display), u"00:00:00");
}

TEST_F(CxTimeEditTest, DigitsArePartChecked) {
  TcxTimeEdit* edit = MakeEdit();
  edit->SetFocus();
  Pump();
  edit->SetText(u"20:00:00");
  struct Case {
    int caret;
    Char key;
    bool accepted;
  };
  const Case cases[] = {
      {1, u'5', false},  // 25 o'clock
      {1, u'3', true},   {0, u'2', true}, {3, u'7', false}, {3, u'5', true},
      {4, u'9', true},   {6, u'6', false}, {7, u'9', true}, {0, u'x', false},
  };
  for (const Case& c : cases) {
    edit->SetSelStart(c.caret);
    edit->SetSelLength(0);
    EXPECT_EQ(edit->IsValidChar(c.key), c.accepted) << c.caret << " " << char(c.key);
  }
}

TEST_F(CxTimeEditTest, SpinningStepsThePartUnderTheCaret) {
  TcxTimeEdit* edit = MakeEdit();
  edit->SetEditValue(VarFromDateTime(EncodeTime(1, 0, 0, 0)));
  edit->SetFocus();
  Pump();
  edit->SetSelStart(0);
  Key(VK_DOWN);
  EXPECT_EQ(edit->Text(), u"00:00:00") << "down to the bound exactly";
  Key(VK_DOWN);
  EXPECT_EQ(edit->Text(), u"00:00:00") << "never below it";
  edit->SetSelStart(4);
  Key(VK_UP);
  EXPECT_EQ(edit->Text(), u"00:01:00");
  edit->SetSelStart(7);
  Key(VK_UP);
  EXPECT_EQ(edit->Text(), u"00:01:01");
  KeepCheckedScreen("time edit");
}

TEST_F(CxTimeEditEnglishTest, TheDesignatorSwitchesHalvesOfTheDay) {
  TForm* form = MakeForm();
  auto* edit = Add<TcxTimeEdit>(form, 10, 10, 150, 21);
  form->Show();
  Pump();
  edit->ActiveProperties()->SetUse24HourFormat(false);
  edit->SetEditValue(VarFromDateTime(EncodeTime(23, 30, 0, 0)));
  edit->SetFocus();
  Pump();
  const int designator = cxTimeEditDigitCount(tfHourMinSec) + 1;
  for (bool down : {false, true}) {
    edit->SetSelStart(designator);
    EXPECT_EQ(edit->PartAtCaret(), u'A');
    EXPECT_DOUBLE_EQ(edit->GetIncrement(down), -0.5) << "PM becomes AM both ways";
  }
  edit->SetEditValue(VarFromDateTime(EncodeTime(10, 0, 0, 0)));
  edit->SetSelStart(designator);
  EXPECT_DOUBLE_EQ(edit->GetIncrement(true), 0.5);
  EXPECT_DOUBLE_EQ(edit->GetIncrement(false), 0.5);
}

}  // namespace
