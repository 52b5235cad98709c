#include "dx/editors/dxCalendar.h"

#include <cmath>

#include "dx/editors/dxEditButtonPaint.h"
#include "dx/editors/dxEditConsts.h"
#include "platform/forms/Forms.h"
#include "platform/gdi/Gdi.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/NumberText.h"
#include "platform/rtl/StringTable.h"
#include "platform/win/Windows.h"

namespace {

constexpr UINT_PTR kScrollTimer = 1;
constexpr UINT kScrollInterval = 170;
constexpr TColor kTodayFrame = static_cast<TColor>(0x000080);

TDateTime FirstOfMonth(TDateTime Date) {
  Word y, m, d;
  DecodeDate(Date, y, m, d);
  return EncodeDate(y, m, 1);
}

void DrawTextIn(HDC DC, const RECT& Rect, const String& Text, UINT Flags, TColor Color, TColor Back) {
  SetTextColor(DC, ColorToColorRef(Color));
  SetBkColor(DC, ColorToColorRef(Back));
  SetBkMode(DC, OPAQUE);
  RECT r = Rect;
  DrawText(DC, Text.c_str(), static_cast<int>(Text.size()), &r, Flags);
}

}  // namespace

int CalendarFirstDayOfWeek() { return (FormatSettings().FirstDayOfWeek + 1) % 7; }

// --- Selection model ---

TRENVIK_IMPLEMENT_CLASS(TCustomdxCalendar)

TCustomdxCalendar::TCustomdxCalendar(TComponent* AOwner) : TdxInplacePopupControl(AOwner) {}

TDateTime TCustomdxCalendar::GetPickStart() const {
  if (pickEnd_ == dxNullDate) return pickStart_;
  return std::min(pickStart_, pickEnd_);
}

TDateTime TCustomdxCalendar::GetPickEnd() const { return std::max(pickStart_, pickEnd_); }

void TCustomdxCalendar::SetMonthStart(TDateTime Date) { monthStart_ = Date; }

void TCustomdxCalendar::SetPickStart(TDateTime Date) {
  pickStart_ = Date;
  pickEnd_ = dxNullDate;
  SetPickEnd(Date);
}

void TCustomdxCalendar::SetPickEnd(TDateTime Date) {
  if (pickEnd_ == Date) return;
  pickEnd_ = Date;
  MakeSelectionVisible();
  if (HandleAllocated()) Invalidate();
}

// --- The one-month grid ---

TRENVIK_IMPLEMENT_CLASS(TdxGridDatePopup)

TRENVIK_MESSAGE_MAP(TdxGridDatePopup) {
  M.On(CM_FONTCHANGED, &TdxGridDatePopup::CMFontChanged);
  M.On(WM_TIMER, &TdxGridDatePopup::WMTimer);
  M.On(WM_GETDLGCODE, &TdxGridDatePopup::WMGetDlgCode);
}

TdxGridDatePopup::TdxGridDatePopup(TComponent* AOwner) : TCustomdxCalendar(AOwner) {
  monthStart_ = FirstOfMonth(Date());
  SetIsPopup(true);
  SetBounds(0, 0, 20, 20);
  SetControlStyle(ControlStyle() + TControlStyle{csDoubleClicks});
  SetTabStop(true);
  CalcMetrics();
}

void TdxGridDatePopup::CalcMetrics() {
  TCanvas* canvas = Canvas();
  canvas->Font()->Assign(Font());
  const int w0 = canvas->TextWidth(u"0");
  const int h0 = canvas->TextHeight(u"0");
  dayColWidth_ = 3 * w0;
  sideMargin_ = 2 * w0;
  dayRowHeight_ = h0 + 2;
  captionHeight_ = h0 + 4 + 1;
  weekdayRowHeight_ = h0 + 3;
  todayWidth_ = canvas->TextWidth(LoadResString(dxSDateToday)) + dayColWidth_;
  clearWidth_ = canvas->TextWidth(LoadResString(dxSDateClear)) + dayColWidth_;
  const int size = Font()->Size();
  buttonGap_ = size / 2;
  bottomButtonHeight_ = static_cast<int>(std::lround(canvas->TextHeight(u"Wg") * 20.0 / 13));
  buttonAreaHeight_ = size * 3 / 4 + buttonGap_ + bottomButtonHeight_;
}

void TdxGridDatePopup::FitToMetrics() {
  CalcMetrics();
  SetClientWidth(2 * sideMargin_ + 7 * dayColWidth_);
  SetClientHeight(captionHeight_ + weekdayRowHeight_ + 6 * dayRowHeight_ + 1 +
                  (ButtonsShown() ? buttonAreaHeight_ : 0));
}

void TdxGridDatePopup::CMFontChanged(TMessage& Message) {
  inherited::Dispatch(Message);
  FitToMetrics();
}

void TdxGridDatePopup::WMGetDlgCode(TMessage& Message) {
  inherited::Dispatch(Message);
  Message.Result |= DLGC_WANTARROWS;
}

int TdxGridDatePopup::DateColumn(TDateTime Date) const {
  const int diff = DayOfWeek(Date) - CalendarFirstDayOfWeek();
  return diff > 0 ? diff - 1 : diff + 6;
}

TDateTime TdxGridDatePopup::GetFirstVisibleDate() {
  const int column = DateColumn(monthStart_);
  // A month starting in the first column shows a whole week of the month before.
  return monthStart_ - (column == 0 ? 7 : column);
}

TDateTime TdxGridDatePopup::GetLastMonthDate() {
  Word y, m, d;
  DecodeDate(monthStart_, y, m, d);
  return EncodeDate(y, m, DaysInAMonth(y, m));
}

void TdxGridDatePopup::SetMonthStart(TDateTime Date) {
  const TDateTime first = FirstOfMonth(Date);
  if (first == monthStart_) return;
  monthStart_ = first;
  if (HandleAllocated()) Invalidate();
}

void TdxGridDatePopup::SetPickEnd(TDateTime Date) {
  pickStart_ = Date;
  TCustomdxCalendar::SetPickEnd(Date);
}

void TdxGridDatePopup::MakeSelectionVisible() {
  const TDateTime selected = GetPickStart();
  if (selected == dxNullDate) return;
  if (GetFirstVisibleDate() > selected) SetMonthStart(IncMonth(FirstOfMonth(selected), -1));
  if (GetLastVisibleDate() < selected) SetMonthStart(selected);
}

RECT TdxGridDatePopup::DaysRect() const {
  const int top = captionHeight_ + weekdayRowHeight_;
  return RECT{sideMargin_, top, sideMargin_ + 7 * dayColWidth_, top + 6 * dayRowHeight_};
}

TDateTime TdxGridDatePopup::GetDateAtPos(POINT Point) {
  const RECT days = DaysRect();
  if (!PtInRect(&days, Point)) return dxNullDate;
  const int column = (Point.x - days.left) / dayColWidth_;
  const int row = (Point.y - days.top) / dayRowHeight_;
  return GetFirstVisibleDate() + row * 7 + column;
}

RECT TdxGridDatePopup::DayCellRect(TDateTime Date) {
  const int index = static_cast<int>(DateOf(Date) - GetFirstVisibleDate());
  if (index < 0 || index >= 42) return RECT{};
  const RECT days = DaysRect();
  const int x = days.left + (index % 7) * dayColWidth_;
  const int y = days.top + (index / 7) * dayRowHeight_;
  return RECT{x, y, x + dayColWidth_, y + dayRowHeight_};
}

RECT TdxGridDatePopup::TodayButtonRect() {
  if (!TodayButtonShown) return RECT{};
  const int width = ClientWidth();
  const int top = ClientHeight() + buttonGap_ - buttonAreaHeight_;
  const int left = ClearButtonShown ? (width - todayWidth_ - clearWidth_) / 3 : (width - todayWidth_) / 2;
  return RECT{left, top, left + todayWidth_, top + bottomButtonHeight_};
}

RECT TdxGridDatePopup::ClearButtonRect() {
  if (!ClearButtonShown) return RECT{};
  const int width = ClientWidth();
  const int top = ClientHeight() + buttonGap_ - buttonAreaHeight_;
  const int right = TodayButtonShown ? width - (width - todayWidth_ - clearWidth_) / 3 : (width + clearWidth_) / 2;
  return RECT{right - clearWidth_, top, right, top + bottomButtonHeight_};
}

RECT TdxGridDatePopup::LeftArrowRect() { return RECT{1, 1, dayColWidth_ - 1, captionHeight_ - 1}; }

RECT TdxGridDatePopup::RightArrowRect() {
  const int width = ClientWidth();
  return RECT{width - dayColWidth_, 1, width - 1, captionHeight_ - 1};
}

void TdxGridDatePopup::ClosePopup(bool Accept) {
  if (HandleAllocated() && IsWindowVisible(Handle())) {
    if (GetCapture() == Handle()) ReleaseCapture();
    StopScrollTimer();
    todayActive_ = clearActive_ = false;
  }
  TCustomdxCalendar::ClosePopup(Accept);
}

// --- Painting ---

void TdxGridDatePopup::PaintHeader(HDC DC) {
  RECT header{0, 0, ClientWidth(), captionHeight_};
  FillSolid(DC, header, clBtnFace);
  DrawEdge(DC, &header, BDR_RAISEDINNER, BF_RECT);
  int h = captionHeight_ / 2;
  if (h % 2 == 0) --h;
  const int y = (captionHeight_ - h) / 2;
  const int half = h / 2;
  // Arrows pointing outwards, their tips SideMargin - 1 in from the header's ends.
  for (int i = 0; i <= half; ++i) {
    const int left = sideMargin_ - 1 + i;
    RECT l{left, y + half - i, left + 1, y + half + i + 1};
    FillSolid(DC, l, clBtnText);
    const int right = ClientWidth() - sideMargin_ - i;
    RECT r{right, y + half - i, right + 1, y + half + i + 1};
    FillSolid(DC, r, clBtnText);
  }
  Word yy, mm, dd;
  DecodeDate(monthStart_, yy, mm, dd);
  const String caption = FormatSettings().LongMonthNames[mm - 1] + u" " + IntToStr(yy);
  RECT text{dayColWidth_, 1, ClientWidth() - dayColWidth_, captionHeight_ - 1};
  SetBkMode(DC, TRANSPARENT);
  SetTextColor(DC, ColorToColorRef(clBtnText));
  DrawText(DC, caption.c_str(), static_cast<int>(caption.size()), &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void TdxGridDatePopup::PaintDays(HDC DC) {
  const int first = CalendarFirstDayOfWeek();
  const int rowTop = captionHeight_;
  for (int c = 0; c < 7; ++c) {
    const String& name = FormatSettings().ShortDayNames[(first + c) % 7];
    const String letter = name.empty() ? String() : name.substr(0, 1);
    RECT r{sideMargin_ + c * dayColWidth_, rowTop, sideMargin_ + (c + 1) * dayColWidth_ - 3, rowTop + weekdayRowHeight_ - 2};
    DrawTextIn(DC, r, letter, DT_RIGHT | DT_VCENTER | DT_SINGLELINE, clWindowText, clWindow);
  }
  RECT line{sideMargin_, rowTop + weekdayRowHeight_ - 2, sideMargin_ + 7 * dayColWidth_, rowTop + weekdayRowHeight_ - 1};
  FillSolid(DC, line, clBtnShadow);
  const TDateTime firstDate = GetFirstVisibleDate();
  const TDateTime today = Date();
  Word y, month, d;
  DecodeDate(monthStart_, y, month, d);
  for (int i = 0; i < 42; ++i) {
    const TDateTime date = firstDate + i;
    RECT cell = DayCellRect(date);
    const bool selected = GetPickStart() != dxNullDate && date >= DateOf(GetPickStart()) && date <= DateOf(GetPickEnd());
    const TColor back = selected ? clBtnFace : clWindow;
    TColor fore = selected ? clHighlightText : MonthOf(date) == month ? clWindowText : clGrayText;
    if (selected && fore == back) fore = clWindowText;
    if (date == today) {
      HBRUSH frame = CreateSolidBrush(ColorToColorRef(kTodayFrame));
      FrameRect(DC, &cell, frame);
      DeleteObject(frame);
      InflateRect(&cell, -1, -1);
    }
    FillSolid(DC, cell, back);
    RECT text = cell;
    text.right -= 3;
    DrawTextIn(DC, text, IntToStr(DayOf(date)), DT_RIGHT | DT_VCENTER | DT_SINGLELINE, fore, back);
  }
}

void TdxGridDatePopup::PaintButton(HDC DC, const RECT& Rect, const String& Caption, bool Pressed) {
  RECT r = Rect;
  if (Pressed) {
    DrawFrameControl(DC, &r, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_PUSHED);
  } else {
    DrawEdge(DC, &r, EDGE_RAISED, BF_RECT | BF_MIDDLE);
  }
  if (Pressed) OffsetRect(&r, 1, 1);
  SetBkMode(DC, TRANSPARENT);
  SetTextColor(DC, ColorToColorRef(clBtnText));
  DrawText(DC, Caption.c_str(), static_cast<int>(Caption.size()), &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void TdxGridDatePopup::Paint() {
  TCanvas* canvas = Canvas();
  canvas->Font()->Assign(Font());
  canvas->Brush()->SetColor(clWindow);
  canvas->FillRect(ClientRect());
  HDC dc = canvas->Handle();
  PaintHeader(dc);
  PaintDays(dc);
  if (!ButtonsShown()) return;
  const int top = ClientHeight() - buttonAreaHeight_;
  RECT line{sideMargin_, top - 1, ClientWidth() - sideMargin_, top};
  FillSolid(dc, line, clBtnShadow);
  if (TodayButtonShown) PaintButton(dc, TodayButtonRect(), LoadResString(dxSDateToday), todayActive_ && todayPressed_);
  if (ClearButtonShown) PaintButton(dc, ClearButtonRect(), LoadResString(dxSDateClear), clearActive_ && clearPressed_);
}

// --- Keys ---

void TdxGridDatePopup::KeyDown(WORD& Key, TShiftState Shift) {
  TCustomdxCalendar::KeyDown(Key, Shift);
  const TDateTime selected = GetPickStart() == dxNullDate ? Date() : GetPickStart();
  const bool ctrl = Shift.Contains(ssCtrl);
  const int column = DateColumn(selected);
  switch (Key) {
    case VK_RETURN:
      ClosePopup(true);
      DateSelected();
      return;
    case VK_ESCAPE:
    case VK_F4: ClosePopup(false); return;
    case VK_UP:
    case VK_DOWN:
      if (Shift == TShiftState{ssAlt}) {
        ClosePopup(false);
        return;
      }
      SetPickStart(selected + (Key == VK_UP ? -7 : 7));
      return;
    case VK_LEFT: SetPickStart(selected - 1); return;
    case VK_RIGHT: SetPickStart(selected + 1); return;
    case VK_PRIOR: SetPickStart(IncMonth(selected, -1)); return;
    case VK_NEXT: SetPickStart(IncMonth(selected, 1)); return;
    case VK_HOME: SetPickStart(ctrl ? FirstOfMonth(selected) : selected - column); return;
    case VK_END:
      if (ctrl) {
        Word y, m, d;
        DecodeDate(selected, y, m, d);
        SetPickStart(EncodeDate(y, m, DaysInAMonth(y, m)));
      } else {
        SetPickStart(selected + 6 - column);
      }
      return;
    default: break;
  }
}

// --- Mouse ---

bool TdxGridDatePopup::ButtonUnder(bool Today, POINT Point) {
  const RECT r = Today ? TodayButtonRect() : ClearButtonRect();
  return PtInRect(&r, Point) != FALSE;
}

void TdxGridDatePopup::ScrollMonth(int Delta) {
  SetMonthStart(IncMonth(monthStart_, Delta));
  if (HandleAllocated()) Invalidate();
}

void TdxGridDatePopup::StopScrollTimer() {
  if (scrollDelta_ != 0 && HandleAllocated()) KillTimer(Handle(), kScrollTimer);
  scrollDelta_ = 0;
}

void TdxGridDatePopup::WMTimer(TMessage& Message) {
  if (Message.WParam != kScrollTimer || scrollDelta_ == 0) return inherited::Dispatch(Message);
  POINT p;
  GetCursorPos(&p);
  p = ScreenToClient(p);
  const RECT arrow = scrollDelta_ < 0 ? LeftArrowRect() : RightArrowRect();
  if (PtInRect(&arrow, p)) ScrollMonth(scrollDelta_);
}

void TdxGridDatePopup::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomdxCalendar::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft) return;
  const POINT p{X, Y};
  for (bool today : {true, false}) {
    if ((today ? TodayButtonShown : ClearButtonShown) && ButtonUnder(today, p)) {
      (today ? todayActive_ : clearActive_) = true;
      (today ? todayPressed_ : clearPressed_) = true;
      Invalidate();
      return;
    }
  }
  if (ButtonsShown() && Y >= ClientHeight() - buttonAreaHeight_) return;
  if (Shift.Contains(ssDouble)) return;
  pressDate_ = GetPickStart();
  const TDateTime under = GetDateAtPos(p);
  if (under != dxNullDate) SetPickStart(under);
  const RECT left = LeftArrowRect(), right = RightArrowRect();
  const int delta = PtInRect(&left, p) ? -1 : PtInRect(&right, p) ? 1 : 0;
  if (delta != 0) {
    ScrollMonth(delta);
    scrollDelta_ = delta;
    SetTimer(Handle(), kScrollTimer, kScrollInterval, nullptr);
  }
}

void TdxGridDatePopup::MouseMove(TShiftState Shift, int X, int Y) {
  TCustomdxCalendar::MouseMove(Shift, X, Y);
  if (scrollDelta_ != 0) return;
  const POINT p{X, Y};
  if (todayActive_ || clearActive_) {
    bool& pressed = todayActive_ ? todayPressed_ : clearPressed_;
    const bool over = ButtonUnder(todayActive_, p);
    if (over != pressed) {
      pressed = over;
      Invalidate();
    }
    return;
  }
  if (!Shift.Contains(ssLeft)) return;
  const RECT client = ClientRect();
  if (!PtInRect(&client, p)) {
    if (pressDate_ != dxNullDate) SetPickStart(pressDate_);
  } else if (const TDateTime under = GetDateAtPos(p); under != dxNullDate) {
    SetPickStart(under);
  }
  UpdateWindow(Handle());
}

void TdxGridDatePopup::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomdxCalendar::MouseUp(Button, Shift, X, Y);
  if (Button != mbLeft) return;
  if (scrollDelta_ != 0) {
    StopScrollTimer();
    return;
  }
  if (todayActive_ || clearActive_) {
    const bool today = todayActive_;
    const bool pressed = today ? todayPressed_ : clearPressed_;
    todayActive_ = clearActive_ = todayPressed_ = clearPressed_ = false;
    Invalidate();
    if (!pressed) return;
    SetPickStart(today ? Date() : dxNullDate);
  }
  const RECT client = ClientRect();
  if (!PtInRect(&client, POINT{X, Y})) return;
  // The header and the arrows only scroll; a release over the days or a button picks.
  if (Y < captionHeight_) return;
  ClosePopup(true);
  DateSelected();
}
