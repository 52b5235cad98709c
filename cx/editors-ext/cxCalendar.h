// The month calendar: a header with the month and two arrows, the day initials, six weeks of days
// and optional Today and Clear buttons; one date (or the null date) is chosen by mouse or keys. The
// popup variant closes itself on Enter, Esc, F4 and Alt+Up/Down.
#pragma once

#include <memory>

#include "cx/editors/cxDateUtils.h"
#include "cx/foundation/cxButtons.h"
#include "cx/foundation/cxControls.h"
#include "cx/foundation/cxPopupWindow.h"
#include "platform/forms/Timers.h"
#include "platform/rtl/DateTime.h"

// --- Calendar arithmetic (dates are day numbers; the first day of the week 0 = Sunday .. 6) ---

// The column of a date in a week that starts on AFirstWeekDay.
int cxCalendarColumnOf(TDateTime ADate, int AFirstWeekDay);
// The first day of the date's month.
TDateTime cxFirstOfMonth(TDateTime ADate);
// The same day (clamped to the month's length) ADelta months away.
TDateTime cxShiftMonths(TDateTime ADate, int ADelta);
// The top-left cell of a month's six weeks: a full week of the month before when the month starts
// on the first day of the week.
TDateTime cxCalendarFirstVisibleDate(TDateTime AFirstDate, int AFirstWeekDay);
// The month's long name, a blank and the year, as the header and the month list show it.
String cxCalendarMonthCaption(TDateTime ADate);
// The month list's scrolling for a mouse ADistance pixels above (negative) or below (positive) it:
// the interval of one month's step (500, 250, 100 or 50 ms as the mouse goes further away).
int cxMonthListScrollInterval(int ADistance, int AItemHeight);
// Where a key moves the selected date (Shift: the modifiers held); false: the key is not a move.
bool cxCalendarKeyMove(TDateTime ADate, WORD AKey, TShiftState AShift, int AFirstWeekDay, TDateTime& ANewDate);

TRENVIK_ENUM(TDateButton, btnToday, btnClear);
using TDateButtons = Set<TDateButton>;

// The measures of a calendar for its font.
struct TcxCalendarMetrics {
  int ColumnWidth = 0;
  int SideMargin = 0;
  int RowHeight = 0;
  int HeaderHeight = 0;
  int DayNamesHeight = 0;
  int ButtonWidth = 0;
  int ButtonGap = 0;
  int ButtonHeight = 0;
  int ButtonsBandHeight = 0;
};

using TcxCalendarDateChangedEvent = std::function<void(TObject* Sender)>;

class TcxCustomCalendar;

// The list of seven months the calendar's month name opens: it scrolls while the mouse is held
// above or below it and shows the month under the mouse when the button is released.
class TMonthListBox : public TcxCustomPopupWindow {
  TRENVIK_CLASS(TMonthListBox, TcxCustomPopupWindow);

 public:
  explicit TMonthListBox(TcxCustomCalendar* ACalendar);
  ~TMonthListBox() override;

  // Sized and placed on the calendar's month name, the calendar's month in the middle row.
  void ShowOverCalendar();
  void ClosePopup(bool AAskCloseQuery = false) override;
  void CalculatePosition() override;
  void CalculateSize() override {}

  TDateTime TopDate() const { return topDate_; }
  int ItemIndex() const { return itemIndex_; }
  int ItemHeight() const { return itemHeight_; }
  bool Scrolling() const { return timer_->Enabled(); }
  int ScrollInterval() const { return static_cast<int>(timer_->Interval()); }

 protected:
  void CreateParams(TCreateParams& Params) override;
  void Paint() override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

 private:
  void SetItemIndex(int Value);
  void InvalidateItem(int AIndex);
  void ScrollTick();

  TcxCustomCalendar* calendar_;
  TDateTime topDate_ = cxNullDate;
  int itemIndex_ = 3;
  int itemHeight_ = 0;
  int scrollSign_ = 1;
  POINT origin_{};
  std::unique_ptr<TTimer> timer_;
};

class TcxCustomCalendar : public TcxControl {
  TRENVIK_CLASS(TcxCustomCalendar, TcxControl);

 public:
  explicit TcxCustomCalendar(TComponent* AOwner);
  ~TcxCustomCalendar() override;

  TDateTime FirstDate() const { return firstDate_; }
  TDateTime SelectDate() const { return selectDate_; }
  bool Flat() const { return flat_; }
  void SetFlat(bool Value);
  TDateButtons DateButtons() const { return dateButtons_; }
  void SetDateButtons(TDateButtons Value);
  const TcxCalendarMetrics& Metrics() const { return metrics_; }
  TcxButton* TodayButton() const { return todayButton_; }
  TcxButton* ClearButton() const { return clearButton_; }
  // The day grid's top-left corner in client coordinates.
  POINT GridOrigin() const;
  // The cell of a date shown in the grid (empty when it is not shown).
  RECT DateCellRect(TDateTime ADate) const;
  // The header between the arrows, where the month name opens the month list.
  RECT MonthNameRect();
  TMonthListBox* MonthList() const { return monthList_.get(); }
  bool MonthListShowing() const;
  // Sizes the calendar for its font and buttons and places the buttons.
  void AdjustCalendarSize();
  // Reloads the buttons' captions.
  void UpdateButtonCaptions();

  TcxCalendarDateChangedEvent OnDateChanged;

  // --- Virtual operations, in the family's slot order ---
  virtual TDateTime GetLastDate() const;
  virtual TDateTime GetFirstVisibleDate() const;
  virtual TDateTime GetLastVisibleDate() const;
  virtual void SetFirstDate(TDateTime Value);
  virtual void SetSelectDate(TDateTime Value);
  virtual TDateTime GetDateAtPos(POINT P) const;
  virtual void HidePopup();

  void FontChanged() override;

 protected:
  // The month list is a popup form: the screen frees the forms still open at exit, the list among them.
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void Paint() override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void Resize() override;
  void CreateWnd() override;
  int FirstWeekDay() const;
  bool ArrowRepeating() const { return arrowTimer_->Enabled(); }
  void DateChanged();

 private:
  void CalculateMetrics();
  void PlaceButtons();
  void PaintHeader();
  void PaintDayNames(int ATop);
  void PaintDays(int ATop);
  RECT LeftArrowRect();
  RECT RightArrowRect();
  bool ButtonsVisible() const { return !dateButtons_.Empty(); }
  void ArrowTick();
  void ButtonClicked(TDateTime ADate);

  TDateTime firstDate_ = 0;
  TDateTime selectDate_ = 0;
  bool flat_ = true;
  TDateButtons dateButtons_{btnToday, btnClear};
  TcxCalendarMetrics metrics_;
  std::unique_ptr<TTimer> arrowTimer_;
  int arrowDirection_ = 0;
  TcxButton* todayButton_ = nullptr;
  TcxButton* clearButton_ = nullptr;
  std::unique_ptr<TMonthListBox> monthList_;
};

// The calendar of a date edit's drop-down.
class TcxPopupCalendar : public TcxCustomCalendar {
  TRENVIK_CLASS(TcxPopupCalendar, TcxCustomCalendar);

 public:
  explicit TcxPopupCalendar(TComponent* AOwner) : TcxCustomCalendar(AOwner) {}

  // Fired when the calendar asks to close.
  TNotifyEvent OnHidePopup;
  // The date the drag-selection falls back to when the mouse leaves (the edit's date).
  std::function<TDateTime()> GetEditDate;

  void HidePopup() override;

 protected:
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
};
