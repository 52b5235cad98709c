// The "SysMonthCal32" class: one month under a title; the days before and after it fill the first
// and last weeks in grey. A click on a day or Enter picks it (MCN_SELECT); moving the selection
// by keys or by the title's arrows reports MCN_SELCHANGE.
#include "platform/forms/native/MonthCalWindow.h"

#include <algorithm>

#include "platform/forms/native/MonthCalControls.h"
#include "platform/forms/native/NativeCommon.h"
#include "platform/gdi/Gdi.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/NumberText.h"
#include "platform/win/Windows.h"

namespace {

constexpr int kPad = 4;

// Day numbers without the time of day.
int DayNumber(TDateTime d) { return static_cast<int>(d); }
TDateTime FromSystemTime(const SYSTEMTIME& t) { return EncodeDate(t.wYear, t.wMonth, t.wDay); }
// 0 Monday .. 6 Sunday, the locale's numbering of weekdays.
int WeekdayFromMonday(TDateTime d) { return (DayOfWeek(d) + 5) % 7; }

TDateTime AddMonths(TDateTime day, int months) {
  Word y, m, d;
  DecodeDate(day, y, m, d);
  int total = y * 12 + (m - 1) + months;
  Word ny = static_cast<Word>(total / 12), nm = static_cast<Word>(total % 12 + 1);
  return EncodeDate(ny, nm, std::min<Word>(d, MonthDays[IsLeapYear(ny)][nm]));
}

class TMonthCal {
 public:
  explicit TMonthCal(HWND h) : hwnd_(h) {
    selected_ = today_ = DateOf(Now());
    firstDay_ = FormatSettings().FirstDayOfWeek;
  }
  LRESULT Handle(UINT msg, WPARAM wParam, LPARAM lParam);

 private:
  struct TMetrics {
    int cellW, cellH, titleH, gridTop;
  };
  TMetrics Metrics() const;
  TDateTime FirstShown() const;
  // The day in a grid cell (0..41).
  TDateTime CellDay(int cell) const { return FirstShown() + cell; }
  RECT CellRect(int cell) const;
  RECT PrevRect() const;
  RECT NextRect() const;
  MCHITTESTINFO HitTest(POINT p) const;
  TDateTime Clamp(TDateTime d) const;
  // Moves the selection (and the month shown with it); MCN_SELCHANGE when it moved.
  void MoveTo(TDateTime day);
  void NotifySelection(UINT code);
  void OnMouseDown(POINT p);
  bool OnKeyDown(UINT vk);
  void Paint(HDC dc);

  HWND hwnd_;
  HFONT font_ = nullptr;
  TDateTime selected_;
  TDateTime today_;
  Word shownYear_ = 0, shownMonth_ = 0;
  int firstDay_ = 0;
  bool hasMin_ = false, hasMax_ = false;
  TDateTime min_ = 0, max_ = 0;
};

TMonthCal::TMetrics TMonthCal::Metrics() const {
  TMeasureDC m;
  m.SetFont(ControlFont(font_));
  const int line = FontLineHeight(ControlFont(font_));
  TMetrics r;
  r.cellW = m.Width(u"00") + 8;
  r.cellH = line + 2;
  r.titleH = line + 8;
  r.gridTop = r.titleH + r.cellH + 3;
  return r;
}

TDateTime TMonthCal::FirstShown() const {
  Word y = shownYear_, m = shownMonth_;
  if (!y) {
    Word d;
    DecodeDate(selected_, y, m, d);
  }
  TDateTime first = EncodeDate(y, m, 1);
  return first - (WeekdayFromMonday(first) - firstDay_ + 7) % 7;
}

RECT TMonthCal::CellRect(int cell) const {
  TMetrics m = Metrics();
  const int x = kPad + (cell % 7) * m.cellW, y = m.gridTop + (cell / 7) * m.cellH;
  return RECT{x, y, x + m.cellW, y + m.cellH};
}

RECT TMonthCal::PrevRect() const {
  TMetrics m = Metrics();
  return RECT{kPad, 2, kPad + m.cellW, m.titleH - 2};
}

RECT TMonthCal::NextRect() const {
  TMetrics m = Metrics();
  const int right = kPad + 7 * m.cellW;
  return RECT{right - m.cellW, 2, right, m.titleH - 2};
}

MCHITTESTINFO TMonthCal::HitTest(POINT p) const {
  MCHITTESTINFO info;
  info.pt = p;
  RECT prev = PrevRect(), next = NextRect();
  if (PtInRect(&prev, p)) {
    info.uHit = MCHT_TITLEBTNPREV;
    return info;
  }
  if (PtInRect(&next, p)) {
    info.uHit = MCHT_TITLEBTNNEXT;
    return info;
  }
  TMetrics m = Metrics();
  if (p.y < m.titleH) {
    info.uHit = MCHT_TITLE;
    return info;
  }
  for (int cell = 0; cell < 42; ++cell) {
    RECT r = CellRect(cell);
    if (!PtInRect(&r, p)) continue;
    TDateTime day = CellDay(cell);
    info.st = DateTimeToSystemTime(day);
    info.uHit = info.st.wMonth != shownMonth_ ? (day < EncodeDate(shownYear_, shownMonth_, 1) ? MCHT_CALENDARDATEPREV
                                                                                             : MCHT_CALENDARDATENEXT)
                                              : MCHT_CALENDARDAY;
    return info;
  }
  return info;
}

TDateTime TMonthCal::Clamp(TDateTime d) const {
  if (hasMin_ && d < min_) d = min_;
  if (hasMax_ && d > max_) d = max_;
  return d;
}

void TMonthCal::NotifySelection(UINT code) {
  NMSELCHANGE n;
  n.stSelStart = n.stSelEnd = DateTimeToSystemTime(selected_);
  NotifyParent(hwnd_, code, &n.nmhdr);
}

void TMonthCal::MoveTo(TDateTime day) {
  day = Clamp(DateOf(day));
  Word d;
  DecodeDate(day, shownYear_, shownMonth_, d);
  InvalidateRect(hwnd_, nullptr, FALSE);
  if (DayNumber(day) == DayNumber(selected_)) return;
  selected_ = day;
  NotifySelection(MCN_SELCHANGE);
}

void TMonthCal::OnMouseDown(POINT p) {
  MCHITTESTINFO hit = HitTest(p);
  switch (hit.uHit) {
    case MCHT_TITLEBTNPREV: MoveTo(AddMonths(selected_, -1)); break;
    case MCHT_TITLEBTNNEXT: MoveTo(AddMonths(selected_, 1)); break;
    case MCHT_CALENDARDAY:
    case MCHT_CALENDARDATEPREV:
    case MCHT_CALENDARDATENEXT: {
      TDateTime day = FromSystemTime(hit.st);
      if (Clamp(day) != day) return;  // outside the range: not pickable
      MoveTo(day);
      NotifySelection(MCN_SELECT);
      break;
    }
    default: break;
  }
}

bool TMonthCal::OnKeyDown(UINT vk) {
  Word y, m, d;
  DecodeDate(selected_, y, m, d);
  switch (vk) {
    case VK_LEFT: MoveTo(selected_ - 1); return true;
    case VK_RIGHT: MoveTo(selected_ + 1); return true;
    case VK_UP: MoveTo(selected_ - 7); return true;
    case VK_DOWN: MoveTo(selected_ + 7); return true;
    case VK_PRIOR: MoveTo(AddMonths(selected_, -1)); return true;
    case VK_NEXT: MoveTo(AddMonths(selected_, 1)); return true;
    case VK_HOME: MoveTo(EncodeDate(y, m, 1)); return true;
    case VK_END: MoveTo(EncodeDate(y, m, MonthDays[IsLeapYear(y)][m])); return true;
    case VK_RETURN: NotifySelection(MCN_SELECT); return true;
    default: return false;
  }
}

void TMonthCal::Paint(HDC dc) {
  if (!shownYear_) {
    Word d;
    DecodeDate(selected_, shownYear_, shownMonth_, d);
  }
  const TFormatSettings& fs = FormatSettings();
  TMetrics m = Metrics();
  RECT client;
  GetClientRect(hwnd_, &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
  HGDIOBJ oldFont = SelectObject(dc, ControlFont(font_));
  SetBkMode(dc, TRANSPARENT);
  auto text = [dc](const String& s, RECT r, UINT flags, int color) {
    SetTextColor(dc, GetSysColor(color));
    DrawText(dc, s.c_str(), static_cast<int>(s.size()), &r, flags | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  };
  // Title: month and year between the arrows.
  RECT title{0, 0, client.right, m.titleH};
  FillRect(dc, &title, GetSysColorBrush(COLOR_BTNFACE));
  RECT prev = PrevRect(), next = NextRect();
  DrawFrameControl(dc, &prev, DFC_SCROLL, DFCS_SCROLLLEFT);
  DrawFrameControl(dc, &next, DFC_SCROLL, DFCS_SCROLLRIGHT);
  text(fs.LongMonthNames[shownMonth_ - 1] + u" " + IntToStr(static_cast<int>(shownYear_)), title, DT_CENTER,
       COLOR_BTNTEXT);
  // Weekday names from the locale's first day, a line under them.
  for (int c = 0; c < 7; ++c) {
    RECT r = CellRect(c);
    OffsetRect(&r, 0, -(m.gridTop - m.titleH));
    text(fs.ShortDayNames[static_cast<size_t>((firstDay_ + c + 1) % 7)], r, DT_CENTER, COLOR_WINDOWTEXT);
  }
  RECT line{kPad, m.gridTop - 2, kPad + 7 * m.cellW, m.gridTop - 1};
  FillRect(dc, &line, GetSysColorBrush(COLOR_BTNSHADOW));
  for (int cell = 0; cell < 42; ++cell) {
    TDateTime day = CellDay(cell);
    Word y, mo, d;
    DecodeDate(day, y, mo, d);
    RECT r = CellRect(cell);
    const bool other = mo != shownMonth_;
    const bool selected = DayNumber(day) == DayNumber(selected_);
    if (selected) FillRect(dc, &r, GetSysColorBrush(COLOR_HIGHLIGHT));
    if (DayNumber(day) == DayNumber(today_)) {
      HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
      FrameRect(dc, &r, red);
      DeleteObject(red);
    }
    const bool disabled = Clamp(day) != day;
    text(IntToStr(static_cast<int>(d)), r, DT_CENTER,
         selected ? COLOR_HIGHLIGHTTEXT : other || disabled ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT);
  }
  SelectObject(dc, oldFont);
}

LRESULT TMonthCal::Handle(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case MCM_GETCURSEL:
      if (!lParam) return FALSE;
      *reinterpret_cast<SYSTEMTIME*>(lParam) = DateTimeToSystemTime(selected_);
      return TRUE;
    case MCM_SETCURSEL: {
      if (!lParam) return FALSE;
      TDateTime day = FromSystemTime(*reinterpret_cast<const SYSTEMTIME*>(lParam));
      if (Clamp(day) != day) return FALSE;
      selected_ = day;
      Word d;
      DecodeDate(day, shownYear_, shownMonth_, d);
      InvalidateRect(hwnd_, nullptr, FALSE);
      return TRUE;
    }
    case MCM_GETMINREQRECT: {
      TMetrics m = Metrics();
      *reinterpret_cast<RECT*>(lParam) = RECT{0, 0, 2 * kPad + 7 * m.cellW, m.gridTop + 6 * m.cellH + kPad};
      return TRUE;
    }
    case MCM_SETTODAY:
      today_ = lParam ? FromSystemTime(*reinterpret_cast<const SYSTEMTIME*>(lParam)) : DateOf(Now());
      InvalidateRect(hwnd_, nullptr, FALSE);
      return 0;
    case MCM_GETTODAY: *reinterpret_cast<SYSTEMTIME*>(lParam) = DateTimeToSystemTime(today_); return TRUE;
    case MCM_HITTEST: {
      auto* info = reinterpret_cast<MCHITTESTINFO*>(lParam);
      *info = HitTest(info->pt);
      return static_cast<LRESULT>(info->uHit);
    }
    case MCM_SETFIRSTDAYOFWEEK: {
      const int old = firstDay_;
      firstDay_ = static_cast<int>(lParam) % 7;
      InvalidateRect(hwnd_, nullptr, FALSE);
      return old;
    }
    case MCM_SETRANGE: {
      auto* range = reinterpret_cast<const SYSTEMTIME*>(lParam);
      hasMin_ = (wParam & GDTR_MIN) != 0;
      hasMax_ = (wParam & GDTR_MAX) != 0;
      if (hasMin_) min_ = FromSystemTime(range[0]);
      if (hasMax_) max_ = FromSystemTime(range[1]);
      selected_ = Clamp(selected_);
      InvalidateRect(hwnd_, nullptr, FALSE);
      return TRUE;
    }
    case WM_LBUTTONDOWN: OnMouseDown(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}); return 0;
    case WM_KEYDOWN: return OnKeyDown(static_cast<UINT>(wParam)) ? 0 : DefWindowProc(hwnd_, msg, wParam, lParam);
    case WM_GETDLGCODE: return DLGC_WANTARROWS;
    case WM_SETFONT:
      font_ = reinterpret_cast<HFONT>(wParam);
      if (lParam) InvalidateRect(hwnd_, nullptr, TRUE);
      return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(font_);
    case WM_ERASEBKGND: return 1;
    case WM_PAINT:
    case WM_PRINTCLIENT: return PaintClient(hwnd_, msg, wParam, [&](HDC dc) { Paint(dc); });
    default: return DefWindowProc(hwnd_, msg, wParam, lParam);
  }
}

}  // namespace

LRESULT MonthCalWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return WithWindowState<TMonthCal>(hwnd, msg, wParam, lParam,
                                    [&](TMonthCal& c) { return c.Handle(msg, wParam, lParam); });
}
