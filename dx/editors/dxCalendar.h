// The date editor's drop-down: a one-month calendar grid with a month caption and scroll arrows,
// the day-of-week letters, six weeks of days and optional "Today" and "Clear" buttons.
#pragma once

#include "dx/editors/dxDateRoutines.h"
#include "dx/editors/dxInplacePopup.h"

// The selection model of calendars (dates are day numbers; null is dxNullDate).
class TCustomdxCalendar : public TdxInplacePopupControl {
  TRENVIK_CLASS(TCustomdxCalendar, TdxInplacePopupControl);

 public:
  explicit TCustomdxCalendar(TComponent* AOwner);

  virtual TDateTime GetFirstVisibleDate() { return monthStart_; }
  virtual TDateTime GetLastVisibleDate() { return GetLastMonthDate(); }
  virtual TDateTime GetLastMonthDate() = 0;
  TDateTime GetPickStart() const;
  TDateTime GetPickEnd() const;
  virtual void SetMonthStart(TDateTime Date);
  void SetPickStart(TDateTime Date);
  virtual void SetPickEnd(TDateTime Date);
  virtual void MakeSelectionVisible() = 0;
  // The date of the cell under a client point, or null.
  virtual TDateTime GetDateAtPos(POINT Point) = 0;

  TDateTime MonthStart() const { return monthStart_; }
  TNotifyEvent OnDateSelected;

 protected:
  void DateSelected() {
    if (OnDateSelected) OnDateSelected(this);
  }

  TDateTime monthStart_ = 0;
  TDateTime pickStart_ = dxNullDate;
  TDateTime pickEnd_ = dxNullDate;
  TDateTime pressDate_ = dxNullDate;
};

class TdxGridDatePopup : public TCustomdxCalendar {
  TRENVIK_CLASS(TdxGridDatePopup, TCustomdxCalendar);
  TRENVIK_MESSAGES(TdxGridDatePopup);

 public:
  explicit TdxGridDatePopup(TComponent* AOwner);

  TDateTime GetFirstVisibleDate() override;
  TDateTime GetLastVisibleDate() override { return GetFirstVisibleDate() + 41; }
  TDateTime GetLastMonthDate() override;
  void SetMonthStart(TDateTime Date) override;
  void SetPickEnd(TDateTime Date) override;
  void MakeSelectionVisible() override;
  TDateTime GetDateAtPos(POINT Point) override;
  void ClosePopup(bool Accept) override;
  // Drops the window so that the next showing builds it anew.
  void RebuildWindow() { DestroyHandle(); }
  // Sizes the window to the metrics of its font.
  void FitToMetrics();
  // The cell of a date in the grid (empty when not shown), the two buttons and the arrows.
  RECT DayCellRect(TDateTime Date);
  RECT TodayButtonRect();
  RECT ClearButtonRect();
  RECT LeftArrowRect();
  RECT RightArrowRect();

  bool TodayButtonShown = true;
  bool ClearButtonShown = false;
  int DayColWidth() const { return dayColWidth_; }
  int DayRowHeight() const { return dayRowHeight_; }

 protected:
  void Paint() override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

 private:
  void CMFontChanged(TMessage& Message);
  void WMTimer(TMessage& Message);
  void WMGetDlgCode(TMessage& Message);
  void CalcMetrics();
  bool ButtonsShown() const { return TodayButtonShown || ClearButtonShown; }
  RECT DaysRect() const;
  int DateColumn(TDateTime Date) const;
  void ScrollMonth(int Delta);
  void StopScrollTimer();
  void PaintHeader(HDC DC);
  void PaintDays(HDC DC);
  void PaintButton(HDC DC, const RECT& Rect, const String& Caption, bool Pressed);
  bool ButtonUnder(bool Today, POINT Point);

  int dayColWidth_ = 0, sideMargin_ = 0, dayRowHeight_ = 0, captionHeight_ = 0, weekdayRowHeight_ = 0;
  int todayWidth_ = 0, clearWidth_ = 0, buttonGap_ = 0, bottomButtonHeight_ = 0, buttonAreaHeight_ = 0;
  int scrollDelta_ = 0;  // the arrow held: -1, +1, or 0 while the scroll timer is not running
  bool todayActive_ = false, todayPressed_ = false, clearActive_ = false, clearPressed_ = false;
};

// The first day of the week used by calendars: 0 Sunday .. 6 Saturday, from the locale.
int CalendarFirstDayOfWeek();
