// The calendar's month list: seven months around the shown one, scrolled while the mouse is held
// above or below the list, the month under the mouse shown by the calendar on release.
#include <cstdlib>

#include "cx/editors-ext/cxCalendar.h"
#include "platform/forms/Colors.h"
#include "platform/win/Focus.h"
#include "platform/win/Paint.h"

TRENVIK_IMPLEMENT_CLASS(TMonthListBox)

namespace {

constexpr int kMonthListRows = 7;
constexpr int kMonthListMiddleRow = 3;
constexpr int kMonthListFirstInterval = 200;

}  // namespace

int cxMonthListScrollInterval(int ADistance, int AItemHeight) {
  static constexpr int kIntervals[] = {500, 250, 100, 50};
  const int steps = AItemHeight > 0 ? std::abs(ADistance) / AItemHeight : 3;
  return kIntervals[steps < 3 ? steps : 3];
}

TMonthListBox::TMonthListBox(TcxCustomCalendar* ACalendar)
    : TcxCustomPopupWindow(ACalendar), calendar_(ACalendar), timer_(std::make_unique<TTimer>(nullptr)) {
  SetModalMode(false);
  SetFollowParentTopMost(true);
  SetFrameStyle(pfBevel);
  SetControlStyle(ControlStyle() + TControlStyle{csCaptureMouse, csOpaque});
  timer_->SetEnabled(false);
  timer_->SetInterval(kMonthListFirstInterval);
  timer_->OnTimer = [this](TObject*) { ScrollTick(); };
}

TMonthListBox::~TMonthListBox() { timer_.reset(); }

void TMonthListBox::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  Params.WindowClass.style |= CS_SAVEBITS;
}

void TMonthListBox::ShowOverCalendar() {
  Font()->Assign(calendar_->Font());
  const TcxCalendarMetrics& m = calendar_->Metrics();
  itemHeight_ = m.HeaderHeight - 2;
  const int width = GetBorderWidth(0) + GetBorderWidth(2) + 6 * m.ColumnWidth;
  const int height = GetBorderWidth(1) + GetBorderWidth(3) + kMonthListRows * itemHeight_;
  topDate_ = cxShiftMonths(calendar_->FirstDate(), -kMonthListMiddleRow);
  const RECT name = calendar_->MonthNameRect();
  const POINT centre = calendar_->ClientToScreen({(name.left + name.right) / 2, (name.top + name.bottom) / 2});
  origin_ = {centre.x - width / 2, centre.y - height / 2};
  SetBounds(origin_.x, origin_.y, width, height);
  itemIndex_ = kMonthListMiddleRow;
  Popup(nullptr);
  if (Visible()) SetCapture(Handle());
}

void TMonthListBox::CalculatePosition() { SetBounds(origin_.x, origin_.y, Width(), Height()); }

void TMonthListBox::ClosePopup(bool AAskCloseQuery) {
  if (HasCapture()) ReleaseCapture();
  if (!Visible()) return;
  inherited::ClosePopup(AAskCloseQuery);
  timer_->SetEnabled(false);
  if (itemIndex_ >= 0) calendar_->SetFirstDate(cxShiftMonths(topDate_, itemIndex_));
}

void TMonthListBox::InvalidateItem(int AIndex) {
  if (AIndex < 0 || !HandleAllocated()) return;
  const int top = GetBorderWidth(1) + AIndex * itemHeight_;
  const RECT r{0, top, Width(), top + itemHeight_};
  InvalidateRect(Handle(), &r, FALSE);
}

void TMonthListBox::SetItemIndex(int Value) {
  if (itemIndex_ == Value) return;
  InvalidateItem(itemIndex_);
  itemIndex_ = Value;
  InvalidateItem(itemIndex_);
}

void TMonthListBox::MouseMove(TShiftState Shift, int X, int Y) {
  inherited::MouseMove(Shift, X, Y);
  const int top = GetBorderWidth(1), rowsHeight = kMonthListRows * itemHeight_;
  const int y = Y - top;
  const bool inside = X >= 0 && X < Width() && y >= 0 && y < rowsHeight;
  if (inside) {
    timer_->SetEnabled(false);
    SetItemIndex(itemHeight_ > 0 ? y / itemHeight_ : -1);
    return;
  }
  SetItemIndex(-1);
  const int distance = y < 0 ? y : y >= rowsHeight ? y - rowsHeight + 1 : 0;
  if (distance == 0) {
    timer_->SetEnabled(false);
    return;
  }
  scrollSign_ = distance < 0 ? -1 : 1;
  const int interval = cxMonthListScrollInterval(distance, itemHeight_);
  if (timer_->Enabled() && static_cast<int>(timer_->Interval()) == interval) return;
  timer_->SetEnabled(false);
  timer_->SetInterval(interval);
  timer_->SetEnabled(true);
}

void TMonthListBox::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  ClosePopup();
  inherited::MouseUp(Button, Shift, X, Y);
}

void TMonthListBox::ScrollTick() {
  topDate_ = cxShiftMonths(topDate_, scrollSign_);
  Invalidate();
}

void TMonthListBox::Paint() {
  TcxCanvas* canvas = CxCanvas();
  const RECT bounds{0, 0, Width(), Height()};
  canvas->FrameRect(bounds, clBlack, 1);
  canvas->SetFont(Font());
  canvas->Brush()->SetStyle(bsSolid);
  const int left = GetBorderWidth(0), top = GetBorderWidth(1), right = Width() - GetBorderWidth(2);
  for (int row = 0; row < kMonthListRows; ++row) {
    const RECT r{left, top + row * itemHeight_, right, top + (row + 1) * itemHeight_};
    const bool current = row == itemIndex_;
    canvas->SetBrushColor(current ? clWindowText : clWindow);
    canvas->Font()->SetColor(current ? clWindow : clWindowText);
    canvas->FillRect(r);
    canvas->DrawText(cxCalendarMonthCaption(cxShiftMonths(topDate_, row)), r,
                     cxtfHorzCenter | cxtfVertCenter | cxtfSingleLine);
  }
}
