// The month calendar: its arithmetic for both first days of the week, then the control on a form
// driven by keys and clicks and checked on its pixels.
#include "cx/editors-ext/cxCalendar.h"

#include <cmath>

#include "cx/editors/cxFormats.h"
#include "cx/foundation/tests/cxControlsTestUtil.h"
#include "platform/forms/Colors.h"
#include "platform/win/Input.h"

namespace {

constexpr int kSunday = 0, kMonday = 1;

TEST(CxCalendarDates, ColumnsAndTheFirstVisibleDay) {
  // 2005-05-01 is a Sunday, 2005-06-01 a Wednesday, 2006-05-01 a Monday.
  struct Case {
    TDateTime firstDate;
    int firstWeekDay;
    int column;
    TDateTime firstVisible;
  };
  const Case cases[] = {
      {EncodeDate(2005, 6, 1), kMonday, 2, EncodeDate(2005, 5, 30)},
      {EncodeDate(2005, 6, 1), kSunday, 3, EncodeDate(2005, 5, 29)},
      // A month starting on the first day of the week shows a whole week of the month before.
      {EncodeDate(2006, 5, 1), kMonday, 0, EncodeDate(2006, 4, 24)},
      {EncodeDate(2005, 5, 1), kSunday, 0, EncodeDate(2005, 4, 24)},
      {EncodeDate(2005, 5, 1), kMonday, 6, EncodeDate(2005, 4, 25)},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(cxCalendarColumnOf(c.firstDate, c.firstWeekDay), c.column) << c.firstDate;
    EXPECT_EQ(cxCalendarFirstVisibleDate(c.firstDate, c.firstWeekDay), c.firstVisible) << c.firstDate;
  }
}

TEST(CxCalendarDates, KeysMoveTheSelectedDay) {
  const TDateTime wed = EncodeDate(2005, 6, 1);  // a Wednesday
  struct Case {
    TDateTime from;
    WORD key;
    TShiftState shift;
    int firstWeekDay;
    TDateTime to;
  };
  const Case cases[] = {
      {wed, VK_NEXT, {}, kMonday, EncodeDate(2005, 7, 1)},
      {EncodeDate(2005, 1, 31), VK_NEXT, {}, kMonday, EncodeDate(2005, 2, 28)},  // clamped
      {EncodeDate(2004, 3, 31), VK_PRIOR, {}, kMonday, EncodeDate(2004, 2, 29)},
      {wed, VK_END, {ssCtrl}, kMonday, EncodeDate(2005, 6, 30)},
      {wed, VK_END, {}, kMonday, EncodeDate(2005, 6, 5)},   // Sunday ends a Monday week
      {wed, VK_END, {}, kSunday, EncodeDate(2005, 6, 4)},   // Saturday ends a Sunday week
      {wed, VK_HOME, {}, kMonday, EncodeDate(2005, 5, 30)},
      {EncodeDate(2005, 6, 17), VK_HOME, {ssCtrl}, kMonday, wed},
      {wed, VK_LEFT, {}, kMonday, EncodeDate(2005, 5, 31)},
      {wed, VK_DOWN, {}, kMonday, EncodeDate(2005, 6, 8)},
      {wed, VK_UP, {ssShift}, kMonday, EncodeDate(2005, 5, 25)},
  };
  for (const Case& c : cases) {
    TDateTime to = 0;
    ASSERT_TRUE(cxCalendarKeyMove(c.from, c.key, c.shift, c.firstWeekDay, to)) << c.key;
    EXPECT_EQ(to, c.to) << "key " << c.key << " from " << c.from;
  }
  TDateTime unused = 0;
  EXPECT_FALSE(cxCalendarKeyMove(wed, VK_DOWN, {ssAlt}, kMonday, unused)) << "Alt+Down closes, it does not move";
  EXPECT_FALSE(cxCalendarKeyMove(wed, 'A', {}, kMonday, unused));
}

class CxCalendarTest : public CxControlsTest {
 protected:
  TcxCustomCalendar* MakeCalendar() {
    TForm* form = MakeForm(100, 100, 400, 360);
    auto* calendar = Add<TcxCustomCalendar>(form, 10, 10, 20, 20);
    form->Show();
    Pump();
    return calendar;
  }
  static POINT CellCentre(TcxCustomCalendar* ACalendar, TDateTime ADate) {
    const RECT r = ACalendar->DateCellRect(ADate);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  }
};

TEST_F(CxCalendarTest, KeysAndClicksChooseDaysAndTheGridShowsThem) {
  TcxCustomCalendar* calendar = MakeCalendar();
  int changes = 0;
  calendar->OnDateChanged = [&](TObject*) { ++changes; };
  const TcxCalendarMetrics& m = calendar->Metrics();
  ASSERT_GT(m.ColumnWidth, 0);
  EXPECT_EQ(calendar->Width(), 2 * m.SideMargin + 7 * m.ColumnWidth);
  calendar->SetSelectDate(EncodeDate(2005, 6, 15));
  EXPECT_EQ(calendar->FirstDate(), EncodeDate(2005, 6, 1));
  calendar->SetFocus();
  Pump();
  Key(VK_NEXT);
  EXPECT_EQ(calendar->SelectDate(), EncodeDate(2005, 7, 15));
  EXPECT_EQ(calendar->FirstDate(), EncodeDate(2005, 7, 1)) << "the grid follows the selection";
  Key(VK_END, 2);  // with Ctrl
  EXPECT_EQ(calendar->SelectDate(), EncodeDate(2005, 7, 31));
  EXPECT_EQ(changes, 0) << "keys move the selection without confirming it";

  const TDateTime pick = EncodeDate(2005, 7, 20);
  const POINT p = CellCentre(calendar, pick);
  EXPECT_EQ(calendar->GetDateAtPos(p), pick);
  Click(calendar, p.x, p.y);
  EXPECT_EQ(calendar->SelectDate(), pick);
  EXPECT_EQ(changes, 1);
  Pump();
  EXPECT_EQ(ColorToRGB(ScreenPixel(calendar, p.x - m.ColumnWidth / 2 + 1, p.y)), ColorToRGB(clHighlight));
  const POINT other = CellCentre(calendar, pick + 1);
  EXPECT_EQ(ColorToRGB(ScreenPixel(calendar, other.x - m.ColumnWidth / 2 + 1, other.y)),
            ColorToRGB(calendar->Color()));
  KeepCheckedScreen("calendar");

  // Outside the grid there is no date; the header's arrows page the month.
  EXPECT_EQ(calendar->GetDateAtPos({1, 1}), cxNullDate);
  Click(calendar, calendar->Width() - m.ColumnWidth / 2, m.HeaderHeight / 2);
  EXPECT_EQ(calendar->FirstDate(), EncodeDate(2005, 8, 1));
  EXPECT_EQ(calendar->SelectDate(), pick) << "the arrows show another month, the selection stays";
}

TEST_F(CxCalendarTest, TodayAndClearButtonsConfirmTheirDates) {
  TcxCustomCalendar* calendar = MakeCalendar();
  int changes = 0;
  calendar->OnDateChanged = [&](TObject*) { ++changes; };
  const int withButtons = calendar->Height();
  calendar->SetSelectDate(EncodeDate(2001, 2, 3));
  TcxButton* clear = calendar->ClearButton();
  Click(clear, clear->Width() / 2, clear->Height() / 2);
  EXPECT_EQ(calendar->SelectDate(), cxNullDate);
  TcxButton* today = calendar->TodayButton();
  Click(today, today->Width() / 2, today->Height() / 2);
  EXPECT_EQ(calendar->SelectDate(), std::floor(Date()));
  EXPECT_EQ(changes, 2);
  calendar->SetDateButtons({});
  EXPECT_EQ(calendar->Height(), withButtons - calendar->Metrics().ButtonsBandHeight);
  EXPECT_FALSE(calendar->TodayButton()->Visible());
}

TEST(CxCalendarDates, MonthListScrollsFasterFurtherFromIt) {
  const int itemHeight = 16;
  const int cases[][2] = {{-1, 500}, {15, 500}, {16, 250}, {-33, 100}, {48, 50}, {-400, 50}};
  for (const auto& [distance, interval] : cases)
    EXPECT_EQ(cxMonthListScrollInterval(distance, itemHeight), interval) << distance;
}

TEST_F(CxCalendarTest, MonthListScrollsWhileHeldBelowAndShowsTheMonthReleasedOn) {
  TcxCustomCalendar* calendar = MakeCalendar();
  calendar->SetSelectDate(EncodeDate(2005, 6, 15));
  Pump();
  TMonthListBox* list = calendar->MonthList();
  const RECT name = calendar->MonthNameRect();
  Down(calendar, (name.left + name.right) / 2, (name.top + name.bottom) / 2);
  ASSERT_TRUE(calendar->MonthListShowing());
  EXPECT_EQ(list->TopDate(), EncodeDate(2005, 3, 1)) << "the shown month is the middle row";
  EXPECT_EQ(list->ItemIndex(), 3);
  const int h = list->ItemHeight();
  ASSERT_GT(h, 0);
  KeepCheckedScreen("calendar-month-list");

  // Two rows' height below the list: a month forward every 100 ms.
  const int rowsBottom = list->Height() - list->GetBorderWidth(3);
  MoveTo(list, 5, rowsBottom + 2 * h + 1);
  EXPECT_EQ(list->ItemIndex(), -1);
  ASSERT_TRUE(list->Scrolling());
  EXPECT_EQ(list->ScrollInterval(), 100);
  Advance(300);
  EXPECT_EQ(list->TopDate(), EncodeDate(2005, 6, 1));
  // Back into the list: the scrolling stops on the row under the mouse.
  MoveTo(list, 5, list->GetBorderWidth(1) + h + h / 2);
  EXPECT_FALSE(list->Scrolling());
  EXPECT_EQ(list->ItemIndex(), 1);
  Advance(300);
  EXPECT_EQ(list->TopDate(), EncodeDate(2005, 6, 1));
  Pump();
  const int rowTop = list->GetBorderWidth(1) + h;
  EXPECT_EQ(ColorToRGB(ScreenPixel(list, 3, rowTop + 1)), ColorToRGB(clWindowText)) << "the row under the mouse";
  EXPECT_EQ(ColorToRGB(ScreenPixel(list, 3, rowTop + h + 1)), ColorToRGB(clWindow));
  Up(list, 5, list->GetBorderWidth(1) + h + h / 2);
  EXPECT_FALSE(calendar->MonthListShowing());
  EXPECT_EQ(calendar->FirstDate(), EncodeDate(2005, 7, 1));
  EXPECT_EQ(calendar->SelectDate(), EncodeDate(2005, 6, 15)) << "the month list shows a month, it selects nothing";

  // Released beside the list, outside any row: the shown month stays.
  Down(calendar, (name.left + name.right) / 2, (name.top + name.bottom) / 2);
  ASSERT_TRUE(calendar->MonthListShowing());
  MoveTo(list, list->Width() + 20, list->Height() / 2);
  EXPECT_FALSE(list->Scrolling());
  Up(list, list->Width() + 20, list->Height() / 2);
  EXPECT_FALSE(calendar->MonthListShowing());
  EXPECT_EQ(calendar->FirstDate(), EncodeDate(2005, 7, 1));
}

}  // namespace
