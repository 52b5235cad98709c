// The date and time picker in the Russian locale and the fixed-metrics font: field editing with
// arrows and digits, the limits, and the month calendar that drops down, picks by mouse and keys,
// and closes without a change on Escape or a click elsewhere.
#include "platform/forms/ComCtrls.h"
#include "platform/forms/tests/FormsTestSupport.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/FormatSettings.h"

class DateTimePickerTest : public FormsTest {
 protected:
  void SetUp() override {
    FormsTest::SetUp();
    saved = FormatSettings();
    SetLocale("ru-RU");
    form = MakeForm(100, 100, 400, 300);
    form->Font()->SetName(kFixedTestFontName);
    form->Font()->SetHeight(-16);
    picker = Add<TDateTimePicker>(form, "Picker", 10, 10, 200, 24);
    picker->SetDateTime(EncodeDate(2024, 3, 5) + EncodeTime(10, 30, 0, 0));
    picker->OnChange = [this](TObject*) { Note("change " + StringToUtf8(picker->DisplayText())); };
    picker->OnCloseUp = [](TObject*) { Note("closeup"); };
    form->Show();
    Pump();
  }
  void TearDown() override {
    FormsTest::TearDown();
    SetFormatSettings(saved);
  }
  static HWND Calendar() {
    HWND found = nullptr;
    EnumWindows(
        [](HWND h, LPARAM out) {
          if (GetClassNameString(h) == kMonthCalClassName && IsWindowVisible(h)) *reinterpret_cast<HWND*>(out) = h;
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
  }
  // The screen point of a day cell of the calendar (weeks from Monday; cells 24 x 18 from (4, 45)).
  static POINT CalendarCell(int row, int column) {
    RECT r;
    GetWindowRect(Calendar(), &r);
    return POINT{r.left + 1 + 4 + column * 24 + 12, r.top + 1 + 45 + row * 18 + 9};
  }
  void ClickScreen(POINT p) {
    clock_->Advance(1000);
    SimulateClick(TSimButton::Left, p);
    Pump();
  }
  TFormatSettings saved;
  TForm* form = nullptr;
  TDateTimePicker* picker = nullptr;
};

TEST_F(DateTimePickerTest, ShowsTheDateInTheLocalesPictures) {
  EXPECT_EQ(picker->DisplayText(), u"05.03.2024");
  picker->SetDateFormat(dfLong);
  EXPECT_EQ(picker->DisplayText(), Utf8ToString("5 Март 2024 г."));
  picker->SetKind(dtkTime);
  EXPECT_EQ(picker->DisplayText(), u"10:30:00");
  EXPECT_TRUE(EventLog().empty());  // set in code: no OnChange
}

TEST_F(DateTimePickerTest, ArrowsAndDigitsEditTheFocusedField) {
  picker->SetFocus();
  Key(VK_UP);  // the day
  Key(VK_RIGHT);
  Key(VK_DOWN);  // the month
  EXPECT_EQ(picker->DisplayText(), u"06.02.2024");
  Key(VK_LEFT);
  SimulateText(u"29");
  Pump();
  EXPECT_EQ(picker->DisplayText(), u"29.02.2024");
  EXPECT_EQ(picker->FocusedField(), 1);  // two digits moved on to the month
  SimulateText(u"4");  // no month 40 and more: taken at once, on to the year
  Pump();
  EXPECT_EQ(picker->FocusedField(), 2);
  SimulateText(u"2025");
  Pump();
  EXPECT_EQ(picker->DisplayText(), u"29.04.2025");
  EXPECT_EQ(EventLog(), (std::vector<std::string>{"change 06.03.2024", "change 06.02.2024", "change 02.02.2024",
                                                  "change 29.02.2024", "change 29.04.2024", "change 29.04.2025"}));
  // A day past the end of the month it moves to stops at that month's last day.
  picker->SetDate(EncodeDate(2024, 3, 31));
  Key(VK_LEFT);
  Key(VK_DOWN);
  EXPECT_EQ(picker->DisplayText(), u"29.02.2024");
  EXPECT_DOUBLE_EQ(picker->Time(), EncodeTime(10, 30, 0, 0));  // the time of day is kept
  // The limits hold for the user's changes too.
  picker->SetDate(EncodeDate(2025, 4, 29));
  picker->SetMaxDate(EncodeDate(2025, 5, 1));
  Key(VK_UP);
  Key(VK_UP);  // the month would be June
  EXPECT_EQ(picker->Date(), EncodeDate(2025, 5, 1));
  EXPECT_THROW(picker->SetMinDate(EncodeDate(2026, 1, 1)), EInvalidOperation);
  // In up-down mode the button's halves step the focused field.
  picker->SetMaxDate(0);
  picker->SetDateMode(dmUpDown);
  Click(picker, 200 - 4 - 8, 4);
  EXPECT_EQ(picker->Date(), EncodeDate(2025, 6, 1));
  Click(picker, 200 - 4 - 8, 16);
  EXPECT_EQ(picker->Date(), EncodeDate(2025, 5, 1));
  EXPECT_FALSE(picker->DroppedDown());
}

TEST_F(DateTimePickerTest, TheCalendarDropsDownAndPicksADayByMouse) {
  Click(picker, 200 - 4 - 8, 10);  // the button
  ASSERT_TRUE(picker->DroppedDown());
  ASSERT_TRUE(Calendar());
  RECT cal, own;
  GetWindowRect(Calendar(), &cal);
  GetWindowRect(picker->Handle(), &own);
  EXPECT_EQ(cal.top, own.bottom);
  // March 2024 starts on a Friday: the 15th is in the third week's fifth column.
  ClickScreen(CalendarCell(2, 4));
  EXPECT_FALSE(picker->DroppedDown());
  EXPECT_EQ(Calendar(), nullptr);
  EXPECT_EQ(picker->DisplayText(), u"15.03.2024");
  EXPECT_EQ(EventLog(), (std::vector<std::string>{"change 15.03.2024", "closeup"}));
  // A click away from the calendar closes it and keeps the date.
  EventLog().clear();
  Click(picker, 200 - 4 - 8, 10);
  ASSERT_TRUE(picker->DroppedDown());
  ClickScreen(At(form, 350, 250));
  EXPECT_FALSE(picker->DroppedDown());
  EXPECT_EQ(picker->DisplayText(), u"15.03.2024");
  EXPECT_EQ(EventLog(), (std::vector<std::string>{"closeup"}));
}

TEST_F(DateTimePickerTest, TheCalendarFollowsTheKeys) {
  picker->SetFocus();
  Key(VK_F4);
  ASSERT_TRUE(picker->DroppedDown());
  Key(VK_RIGHT);
  Key(VK_DOWN);
  Key(VK_NEXT);  // a month on
  Key(VK_ESCAPE);
  EXPECT_FALSE(picker->DroppedDown());
  EXPECT_EQ(picker->DisplayText(), u"05.03.2024");
  Key(VK_DOWN, 4);  // Alt+Down
  ASSERT_TRUE(picker->DroppedDown());
  Key(VK_RIGHT);
  Key(VK_NEXT);
  Key(VK_RETURN);
  EXPECT_FALSE(picker->DroppedDown());
  EXPECT_EQ(picker->DisplayText(), u"06.04.2024");
  EXPECT_EQ(EventLog(), (std::vector<std::string>{"closeup", "change 06.04.2024", "closeup"}));
  // Focus leaving closes the calendar.
  Key(VK_F4);
  auto* other = Add<TEdit>(form, "Other", 10, 200, 100, 24);
  other->SetFocus();
  Pump();
  EXPECT_FALSE(picker->DroppedDown());
}

TEST_F(DateTimePickerTest, TheCalendarMarksTheDayAndGreysTheOtherMonths) {
  picker->SetFocus();
  Key(VK_F4);
  HWND cal = Calendar();
  ASSERT_TRUE(cal);
  UpdateWindow(cal);
  HDC dc = GetDC(cal);
  // The selected 5th (first week, Tuesday) is filled with the highlight.
  EXPECT_EQ(GetPixel(dc, 4 + 1 * 24 + 2, 45 + 1 * 18 + 2), ColorToColorRef(clHighlight));
  EXPECT_EQ(GetPixel(dc, 4 + 2 * 24 + 2, 45 + 1 * 18 + 2), ColorToColorRef(clWindow));
  ReleaseDC(cal, dc);
  MCHITTESTINFO hit;
  hit.pt = POINT{4 + 0 * 24 + 5, 45 + 5};  // Monday 26 February
  SendMessage(cal, MCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
  EXPECT_EQ(hit.uHit, MCHT_CALENDARDATEPREV);
  EXPECT_EQ(hit.st.wDay, 26);
  Key(VK_ESCAPE);
}
