// The date edit: typed texts validated and converted (with the kept time of day and the answer to
// invalid text), the value as a date, and the drop-down calendar opened by F4 on a form.
#include "cx/editors-ext/cxDateEdit.h"

#include <cmath>

#include "cx/foundation/tests/cxControlsTestUtil.h"
#include "platform/win/Input.h"

namespace {

TDateTime DateAt(Word AYear, Word AMonth, Word ADay, Word AHour = 0, Word AMinute = 0) {
  return EncodeDate(AYear, AMonth, ADay) + EncodeTime(AHour, AMinute, 0, 0);
}

class CxDateEditTest : public CxControlsTest {
 protected:
  // A date edit on a shown form (the masks need the edit's window).
  TcxDateEdit& MakeEdit() {
    TForm* form = MakeForm(100, 100, 400, 360);
    auto* edit = Add<TcxDateEdit>(form, 10, 10, 150, 21);
    form->Show();
    Pump();
    return *edit;
  }
  // Validates AText as typed into the edit and turns it into the value, as leaving the edit does.
  bool Enter(TcxDateEdit& AEdit, const String& AText, String* AError = nullptr) {
    Variant display = AText;
    String error;
    bool failed = false;
    AEdit.ActiveProperties()->ValidateDisplayValue(display, error, failed, &AEdit);
    if (AError) *AError = error;
    if (failed) return false;
    Variant value;
    AEdit.DisplayToEditValue(display, value, false);
    AEdit.SetEditValue(value);
    return true;
  }
};

TEST_F(CxDateEditTest, TypedDatesKeepTheTimeOfDayWhenSaveTimeIsSet) {
  TcxDateEdit& edit = MakeEdit();
  edit.SetDate(DateAt(2005, 6, 1, 14, 30));
  EXPECT_EQ(edit.KeptTime(), EncodeTime(14, 30, 0, 0));
  ASSERT_TRUE(Enter(edit, cxDateTimeToText(DateAt(2005, 6, 10))));
  EXPECT_DOUBLE_EQ(edit.Date(), DateAt(2005, 6, 10, 14, 30));

  edit.ActiveProperties()->SetSaveTime(false);
  EXPECT_DOUBLE_EQ(edit.Date(), DateAt(2005, 6, 10)) << "the value is cut to its day";
  ASSERT_TRUE(Enter(edit, cxDateTimeToText(DateAt(2005, 6, 12, 9, 15))));
  EXPECT_DOUBLE_EQ(edit.Date(), DateAt(2005, 6, 12)) << "a typed time is dropped";
}

TEST_F(CxDateEditTest, InvalidTextIsAnsweredByDateOnError) {
  struct Case {
    TDateOnError onError;
    bool accepted;
    TDateTime expected;  // cxNullDate: Null
  };
  const TDateTime old = DateAt(2003, 3, 3);
  const Case cases[] = {
      {deNoChange, false, old},
      {deToday, true, std::floor(Date())},
      {deNull, true, cxNullDate},
  };
  for (const Case& c : cases) {
    TcxDateEdit& edit = MakeEdit();
    edit.SetDate(old);
    edit.ActiveProperties()->SetDateOnError(c.onError);
    String error;
    EXPECT_EQ(Enter(edit, u"31.02.2005x", &error), c.accepted) << c.onError;
    if (!c.accepted) {
      EXPECT_EQ(error, u"Invalid Date");
    }
    EXPECT_EQ(edit.Date(), c.expected) << c.onError;
  }
}

TEST_F(CxDateEditTest, EmptyTextIsNullAndSmartWordsAreDates) {
  TcxDateEdit& edit = MakeEdit();
  edit.SetDate(DateAt(2003, 3, 3));
  ASSERT_TRUE(Enter(edit, edit.ActiveProperties()->EmptyDateText()));
  EXPECT_TRUE(VarIsNull(edit.EditValue()));
  EXPECT_EQ(edit.Date(), cxNullDate);
  ASSERT_TRUE(Enter(edit, u"today"));
  EXPECT_EQ(edit.Date(), std::floor(Date()));
  edit.SetEditValue(u"not a date");
  EXPECT_EQ(edit.Date(), cxNullDate) << "a value that is no date reads as the null date";
}

TEST_F(CxDateEditTest, BoundsRefuseAndFitDates) {
  TcxDateEdit& edit = MakeEdit();
  edit.ActiveProperties()->SetMinDate(DateAt(2000, 1, 1));
  edit.ActiveProperties()->SetMaxDate(DateAt(2010, 12, 31));
  String error;
  EXPECT_FALSE(Enter(edit, cxDateTimeToText(DateAt(2011, 1, 1)), &error));
  EXPECT_FALSE(error.empty());
  EXPECT_TRUE(Enter(edit, cxDateTimeToText(DateAt(2005, 5, 5))));
  edit.SetDate(DateAt(1999, 5, 5));
  edit.FitValueToBounds();
  EXPECT_EQ(edit.Date(), DateAt(2000, 1, 1));
}

TEST_F(CxDateEditTest, F4OpensTheCalendarAndAPickedDayKeepsTheTime) {
  TForm* form = MakeForm(100, 100, 400, 360);
  auto* edit = Add<TcxDateEdit>(form, 10, 10, 150, 21);
  form->Show();
  Pump();
  edit->SetDate(DateAt(2005, 6, 1, 14, 30));
  edit->SetFocus();
  Pump();
  Key(VK_F4);
  ASSERT_TRUE(edit->DroppedDown());
  TcxPopupCalendar* calendar = edit->Calendar();
  EXPECT_EQ(calendar->SelectDate(), DateAt(2005, 6, 1));
  calendar->SetFocus();
  Pump();
  Key(VK_NEXT);
  EXPECT_EQ(calendar->SelectDate(), DateAt(2005, 7, 1));
  KeepCheckedScreen("date edit calendar");
  const RECT cell = calendar->DateCellRect(DateAt(2005, 7, 10));
  Click(calendar, (cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2);
  Pump();
  EXPECT_FALSE(edit->DroppedDown());
  EXPECT_DOUBLE_EQ(edit->Date(), DateAt(2005, 7, 10, 14, 30));

  // Esc closes without a change; an empty editor opens on today.
  edit->SetEditValue(Null());
  edit->SetFocus();
  Pump();
  Key(VK_F4);
  ASSERT_TRUE(edit->DroppedDown());
  EXPECT_EQ(calendar->SelectDate(), std::floor(Date()));
  Key(VK_ESCAPE);
  Pump();
  EXPECT_FALSE(edit->DroppedDown());
  EXPECT_TRUE(VarIsNull(edit->EditValue()));
}

}  // namespace
