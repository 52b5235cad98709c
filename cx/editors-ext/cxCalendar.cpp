// The calendar control: its measures, the chosen and shown dates, keys, mouse and the buttons.
#include <algorithm>
#include <cmath>

#include "cx/editors-ext/cxCalendar.h"
#include "cx/editors-ext/cxEditExtConsts.h"
#include "cx/editors/cxFormats.h"
#include "cx/foundation/cxClasses.h"
#include "platform/win/Input.h"

TRENVIK_IMPLEMENT_CLASS(TcxCustomCalendar)
TRENVIK_IMPLEMENT_CLASS(TcxPopupCalendar)

namespace {

constexpr int kArrowRepeatInterval = 200;

}  // namespace

TcxCustomCalendar::TcxCustomCalendar(TComponent* AOwner) : TcxControl(AOwner) {
  SetControlStyle(TControlStyle{csCaptureMouse, csOpaque});
  selectDate_ = std::floor(Date());
  firstDate_ = cxFirstOfMonth(selectDate_);
  SetBounds(Left(), Top(), 20, 20);
  arrowTimer_ = std::make_unique<TTimer>(nullptr);
  arrowTimer_->SetEnabled(false);
  arrowTimer_->SetInterval(kArrowRepeatInterval);
  arrowTimer_->OnTimer = [this](TObject*) { ArrowTick(); };
  SetKeys(TcxWantedKeys{wkAll, wkArrows, wkChars, wkTab});
  auto makeButton = [this](TDateTime (*ADate)()) {
    auto* button = new TcxButton(this);
    button->SetUseSystemPaint(false);
    button->SetTabStop(false);
    button->OnClick = [this, ADate](TObject*) { ButtonClicked(ADate()); };
    return button;
  };
  monthList_ = std::make_unique<TMonthListBox>(this);
  monthList_->FreeNotification(this);
  todayButton_ = makeButton([] { return std::floor(Date()); });
  clearButton_ = makeButton([] { return cxNullDate; });
  UpdateButtonCaptions();
}

TcxCustomCalendar::~TcxCustomCalendar() {
  arrowTimer_.reset();
  monthList_.reset();
}

void TcxCustomCalendar::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation == opRemove && monthList_ && AComponent == monthList_.get()) monthList_.release();
}

bool TcxCustomCalendar::MonthListShowing() const { return monthList_ && monthList_->IsPopupShown(); }

int TcxCustomCalendar::FirstWeekDay() const { return GetFormatController()->FirstWeekDay(); }

void TcxCustomCalendar::UpdateButtonCaptions() {
  todayButton_->SetCaption(cxGetResourceString(cxSDatePopupToday));
  clearButton_->SetCaption(cxGetResourceString(cxSDatePopupClear));
}

// --- Dates ---

TDateTime TcxCustomCalendar::GetLastDate() const { return cxShiftMonths(firstDate_, 1) - 1; }

TDateTime TcxCustomCalendar::GetFirstVisibleDate() const {
  return cxCalendarFirstVisibleDate(firstDate_, FirstWeekDay());
}

TDateTime TcxCustomCalendar::GetLastVisibleDate() const { return GetFirstVisibleDate() + 41; }

void TcxCustomCalendar::SetFirstDate(TDateTime Value) {
  const TDateTime first = cxFirstOfMonth(Value);
  if (first == firstDate_) return;
  firstDate_ = first;
  Invalidate();
}

void TcxCustomCalendar::SetSelectDate(TDateTime Value) {
  if (Value == selectDate_) return;
  selectDate_ = Value;
  if (Value == cxNullDate) return;
  if (GetFirstVisibleDate() > Value) SetFirstDate(cxShiftMonths(Value, -1));
  if (GetLastVisibleDate() < Value) SetFirstDate(Value);
  Invalidate();
}

POINT TcxCustomCalendar::GridOrigin() const {
  return {metrics_.SideMargin, metrics_.HeaderHeight + (flat_ ? 0 : 1) + metrics_.DayNamesHeight};
}

TDateTime TcxCustomCalendar::GetDateAtPos(POINT P) const {
  const POINT origin = GridOrigin();
  const int gridRight = origin.x + 7 * metrics_.ColumnWidth;
  const int gridBottom = origin.y + 6 * metrics_.RowHeight;
  if (P.x < origin.x || P.x >= gridRight || P.y < origin.y || P.y >= gridBottom || metrics_.ColumnWidth == 0)
    return cxNullDate;
  const int column = (P.x - origin.x) / metrics_.ColumnWidth;
  const int row = (P.y - origin.y) / metrics_.RowHeight;
  return GetFirstVisibleDate() + 7 * row + column;
}

RECT TcxCustomCalendar::DateCellRect(TDateTime ADate) const {
  const int index = static_cast<int>(std::floor(ADate) - GetFirstVisibleDate());
  if (index < 0 || index >= 42) return {};
  const POINT origin = GridOrigin();
  const int left = origin.x + (index % 7) * metrics_.ColumnWidth;
  const int top = origin.y + (index / 7) * metrics_.RowHeight;
  return {left, top, left + metrics_.ColumnWidth, top + metrics_.RowHeight};
}

// --- Measures ---

void TcxCustomCalendar::CalculateMetrics() {
  TcxCanvas* canvas = cxGetScreenCanvas();
  canvas->SetFont(Font());
  TcxCalendarMetrics& m = metrics_;
  const int zero = canvas->TextWidth(u"0");
  m.ColumnWidth = 3 * zero;
  m.SideMargin = 2 * zero;
  m.RowHeight = canvas->TextHeight(u"0") + 2;
  m.HeaderHeight = m.RowHeight + (flat_ ? 1 : 0) + 2;
  m.DayNamesHeight = m.RowHeight + 1;
  m.ButtonWidth = std::max(canvas->TextWidth(cxGetResourceString(cxSDatePopupToday)),
                           canvas->TextWidth(cxGetResourceString(cxSDatePopupClear))) +
                  m.ColumnWidth;
  const int size = std::abs(Font()->Size());
  m.ButtonGap = size / 2;
  m.ButtonHeight = canvas->TextHeight(u"Wg") * 20 / 13;
  m.ButtonsBandHeight = size * 3 / 4 + m.ButtonGap + m.ButtonHeight;
}

void TcxCustomCalendar::FontChanged() {
  inherited::FontChanged();
  // The control's own construction announces its font before the buttons exist.
  if (!todayButton_) return;
  todayButton_->Font()->Assign(Font());
  clearButton_->Font()->Assign(Font());
  AdjustCalendarSize();
}

void TcxCustomCalendar::AdjustCalendarSize() {
  CalculateMetrics();
  const int border = GetBorderSize();
  const int width = 2 * border + 2 * metrics_.SideMargin + 7 * metrics_.ColumnWidth;
  int height = 2 * border + metrics_.HeaderHeight + (flat_ ? 0 : 1) + metrics_.DayNamesHeight + 6 * metrics_.RowHeight + 1;
  if (ButtonsVisible()) height += metrics_.ButtonsBandHeight;
  if (width != Width() || height != Height()) SetBounds(Left(), Top(), width, height);
  PlaceButtons();
}

void TcxCustomCalendar::PlaceButtons() {
  if (!todayButton_) return;
  todayButton_->SetVisible(dateButtons_.Contains(btnToday));
  clearButton_->SetVisible(dateButtons_.Contains(btnClear));
  if (!HandleAllocated()) return;
  const RECT client = ClientRect();
  const int clientWidth = client.right - client.left;
  const int w = metrics_.ButtonWidth;
  const int top = client.bottom - metrics_.ButtonsBandHeight + metrics_.ButtonGap;
  const bool today = todayButton_->Visible(), clear = clearButton_->Visible();
  const int todayLeft = (clientWidth - w - (clear ? w : 0)) / (clear ? 3 : 2);
  const int clearLeft = clientWidth - w - (clientWidth - (today ? w : 0) - w) / (today ? 3 : 2);
  todayButton_->SetBounds(todayLeft, top, w, metrics_.ButtonHeight);
  clearButton_->SetBounds(clearLeft, top, w, metrics_.ButtonHeight);
}

void TcxCustomCalendar::SetFlat(bool Value) {
  if (flat_ == Value) return;
  flat_ = Value;
  AdjustCalendarSize();
  Invalidate();
}

void TcxCustomCalendar::SetDateButtons(TDateButtons Value) {
  if (dateButtons_ == Value) return;
  dateButtons_ = Value;
  AdjustCalendarSize();
  Invalidate();
}

void TcxCustomCalendar::CreateWnd() {
  inherited::CreateWnd();
  todayButton_->SetParent(this);
  clearButton_->SetParent(this);
  FontChanged();
}

void TcxCustomCalendar::Resize() {
  PlaceButtons();
  inherited::Resize();
}

// --- Input ---

void TcxCustomCalendar::DateChanged() {
  if (OnDateChanged) OnDateChanged(this);
}

void TcxCustomCalendar::ButtonClicked(TDateTime ADate) {
  SetSelectDate(ADate);
  DateChanged();
  HidePopup();
}

void TcxCustomCalendar::HidePopup() {
  arrowTimer_->SetEnabled(false);
  if (MonthListShowing()) monthList_->ClosePopup();
}

void TcxCustomCalendar::KeyDown(WORD& Key, TShiftState Shift) {
  const TDateTime from = selectDate_ == cxNullDate ? std::floor(Date()) : selectDate_;
  TDateTime to;
  if (cxCalendarKeyMove(from, Key, Shift, FirstWeekDay(), to)) SetSelectDate(to);
  inherited::KeyDown(Key, Shift);
}

RECT TcxCustomCalendar::LeftArrowRect() {
  return {1, 1, metrics_.ColumnWidth - 1, metrics_.HeaderHeight - 2};
}

RECT TcxCustomCalendar::MonthNameRect() {
  return {LeftArrowRect().right, 0, RightArrowRect().left, metrics_.HeaderHeight};
}

RECT TcxCustomCalendar::RightArrowRect() {
  const int width = ClientWidth();
  return {width - metrics_.ColumnWidth, 1, width - (flat_ ? 1 : 2), metrics_.HeaderHeight - 2};
}

void TcxCustomCalendar::ArrowTick() {
  POINT p{};
  GetCursorPos(&p);
  p = ScreenToClient(p);
  const RECT left = LeftArrowRect(), right = RightArrowRect();
  if (arrowDirection_ < 0 && PtInRect(&left, p)) SetFirstDate(cxShiftMonths(firstDate_, -1));
  if (arrowDirection_ > 0 && PtInRect(&right, p)) SetFirstDate(cxShiftMonths(firstDate_, 1));
}

void TcxCustomCalendar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  inherited::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft) return;
  const POINT p{X, Y};
  const TDateTime date = GetDateAtPos(p);
  if (date != cxNullDate) SetSelectDate(date);
  const RECT name = MonthNameRect();
  if (PtInRect(&name, p)) {
    if (monthList_) monthList_->ShowOverCalendar();
    return;
  }
  const RECT left = LeftArrowRect(), right = RightArrowRect();
  arrowDirection_ = PtInRect(&left, p) ? -1 : PtInRect(&right, p) ? 1 : 0;
  if (arrowDirection_ == 0) return;
  SetFirstDate(cxShiftMonths(firstDate_, arrowDirection_));
  arrowTimer_->SetEnabled(true);
}

void TcxCustomCalendar::MouseMove(TShiftState Shift, int X, int Y) {
  inherited::MouseMove(Shift, X, Y);
  if (ArrowRepeating() || !Shift.Contains(ssLeft)) return;
  const TDateTime date = GetDateAtPos({X, Y});
  if (date == cxNullDate || date == selectDate_) return;
  selectDate_ = date;
  Invalidate();
}

void TcxCustomCalendar::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (ArrowRepeating()) {
    arrowTimer_->SetEnabled(false);
    return;
  }
  const RECT client = ClientRect();
  const bool inside = PtInRect(&client, POINT{X, Y});
  if (inside) HidePopup();
  inherited::MouseUp(Button, Shift, X, Y);
  if (Button == mbLeft && inside && !Shift.Contains(ssDouble) && GetDateAtPos({X, Y}) != cxNullDate) DateChanged();
}

// --- Popup calendar ---

void TcxPopupCalendar::HidePopup() {
  inherited::HidePopup();
  if (OnHidePopup) OnHidePopup(this);
}

void TcxPopupCalendar::KeyDown(WORD& Key, TShiftState Shift) {
  inherited::KeyDown(Key, Shift);
  switch (Key) {
    case VK_RETURN:
      if (MonthListShowing()) break;
      HidePopup();
      DateChanged();
      break;
    case VK_ESCAPE:
      HidePopup();
      break;
    case VK_UP:
    case VK_DOWN:
      if (Shift == TShiftState{ssAlt}) HidePopup();
      break;
    case VK_F4:
      if (!Shift.Contains(ssAlt)) HidePopup();
      break;
    default:
      break;
  }
}

void TcxPopupCalendar::MouseMove(TShiftState Shift, int X, int Y) {
  const RECT client = ClientRect();
  if (Shift.Contains(ssLeft) && !ArrowRepeating() && !PtInRect(&client, POINT{X, Y}) && GetEditDate) {
    // Dragged out: the drag-selection is undone.
    const TDateTime date = GetEditDate();
    TcxCustomCalendar::SetSelectDate(date == cxNullDate ? std::floor(Date()) : std::floor(date));
    Invalidate();
    return;
  }
  inherited::MouseMove(Shift, X, Y);
}
