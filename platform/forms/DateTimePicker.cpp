// TDateTimePicker: drawn and edited by the control; its drop-down is a pop-up window of the
// "SysMonthCal32" class. While it is down the picker holds the mouse capture, hands clicks on the
// calendar to it and closes it on a click anywhere else.
#include "platform/forms/DateTimePicker.h"

#include <algorithm>

#include "platform/classes/Published.h"
#include "platform/forms/native/MonthCalControls.h"
#include "platform/forms/native/NativeCommon.h"
#include "platform/gdi/Gdi.h"
#include "platform/rtl/DateTime.h"
#include "platform/win/Windows.h"

TRENVIK_PUBLISHED(TDateTimePicker) {
  P.Property("Date", &TDateTimePicker::Date, &TDateTimePicker::SetDate);
  P.Property("DateFormat", &TDateTimePicker::DateFormat, &TDateTimePicker::SetDateFormat).Default(dfShort);
  P.Property("DateMode", &TDateTimePicker::DateMode, &TDateTimePicker::SetDateMode).Default(dmComboBox);
  P.Property("Kind", &TDateTimePicker::Kind, &TDateTimePicker::SetKind).Default(dtkDate);
  P.Property("MaxDate", &TDateTimePicker::MaxDate, &TDateTimePicker::SetMaxDate).Default(0.0);
  P.Property("MinDate", &TDateTimePicker::MinDate, &TDateTimePicker::SetMinDate).Default(0.0);
  P.Property("Time", &TDateTimePicker::Time, &TDateTimePicker::SetTime);
  P.Event("OnChange", &TDateTimePicker::OnChange);
  P.Event("OnCloseUp", &TDateTimePicker::OnCloseUp);
  P.Event("OnDropDown", &TDateTimePicker::OnDropDown);
}

namespace {
constexpr int kTextLeft = 2;
}  // namespace

TRENVIK_MESSAGE_MAP(TDateTimePicker) {
  M.On(WM_GETDLGCODE, &TDateTimePicker::WMGetDlgCode);
  M.On(WM_KILLFOCUS, &TDateTimePicker::WMKillFocus);
  M.On(WM_CAPTURECHANGED, &TDateTimePicker::WMCaptureChanged);
  M.On(CM_FONTCHANGED, &TDateTimePicker::CMFontChanged);
}

TDateTimePicker::TDateTimePicker(TComponent* AOwner) : TCustomControl(AOwner) {
  SetControlStyle(TControlStyle{csClickEvents, csDoubleClicks, csOpaque, csFixedHeight});
  SetBounds(Left(), Top(), 186, 24);
  SetTabStop(true);
  SetParentColor(false);
  SetColor(clWindow);
  dateTime_ = Now();
}

TDateTimePicker::~TDateTimePicker() {
  if (calendar_) DestroyWindow(calendar_);
}

void TDateTimePicker::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  Params.ExStyle |= WS_EX_CLIENTEDGE;
}

TDateTime TDateTimePicker::Clamped(TDateTime Value) const {
  if (minDate_ != 0 && Value < minDate_) Value = minDate_;
  if (maxDate_ != 0 && Value > maxDate_) Value = maxDate_;
  return Value;
}

void TDateTimePicker::SetDateTime(TDateTime Value) {
  Value = Clamped(Value);
  if (dateTime_ == Value) return;
  dateTime_ = Value;
  Invalidate();
}

TDateTime TDateTimePicker::Date() const { return DateOf(dateTime_); }
void TDateTimePicker::SetDate(TDateTime Value) { SetDateTime(DateOf(Value) + (dateTime_ - DateOf(dateTime_))); }
TDateTime TDateTimePicker::Time() const { return dateTime_ - DateOf(dateTime_); }
void TDateTimePicker::SetTime(TDateTime Value) { SetDateTime(DateOf(dateTime_) + (Value - DateOf(Value))); }

void TDateTimePicker::SetMinDate(TDateTime Value) {
  if (Value != 0 && maxDate_ != 0 && Value > maxDate_) throw EInvalidOperation("Date exceeds maximum of the range");
  minDate_ = Value;
  SetDateTime(dateTime_);
}

void TDateTimePicker::SetMaxDate(TDateTime Value) {
  if (Value != 0 && minDate_ != 0 && Value < minDate_) throw EInvalidOperation("Date is less than minimum of the range");
  maxDate_ = Value;
  SetDateTime(dateTime_);
}

void TDateTimePicker::SetKind(TDateTimeKind Value) {
  kind_ = Value;
  focusedField_ = 0;
  Invalidate();
}

void TDateTimePicker::SetDateFormat(TDTDateFormat Value) {
  dateFormat_ = Value;
  focusedField_ = 0;
  Invalidate();
}

void TDateTimePicker::SetDateMode(TDTDateMode Value) {
  dateMode_ = Value;
  Invalidate();
}

String TDateTimePicker::Picture() const {
  if (kind_ == dtkTime) return GetLocaleStr(LOCALE_USER_DEFAULT, LOCALE_STIMEFORMAT, u"H:mm:ss");
  return GetLocaleStr(LOCALE_USER_DEFAULT, dateFormat_ == dfLong ? LOCALE_SLONGDATE : LOCALE_SSHORTDATE, u"dd.MM.yyyy");
}

int TDateTimePicker::FieldMax(TPart Part, Word Year, Word Month) {
  switch (Part) {
    case TPart::Day: return MonthDays[IsLeapYear(Year)][Month];
    case TPart::Month: return 12;
    case TPart::Year: return 9999;
    case TPart::Hour: return 23;
    default: return 59;
  }
}

String TDateTimePicker::FieldText(const TField& Field) const {
  if (Field.part == TPart::Literal) return Field.picture;
  const SYSTEMTIME t = DateTimeToSystemTime(dateTime_);
  Char buf[100] = {};
  const bool time = Field.part >= TPart::Hour;
  int n = time ? GetTimeFormat(LOCALE_USER_DEFAULT, 0, &t, Field.picture.c_str(), buf, 100)
               : GetDateFormat(LOCALE_USER_DEFAULT, 0, &t, Field.picture.c_str(), buf, 100);
  return n ? String(buf) : String();
}

std::vector<TDateTimePicker::TField> TDateTimePicker::Layout() {
  TMeasureDC measure;
  measure.SetFont(Font()->Handle());
  std::vector<TField> fields;
  int x = kTextLeft;
  const int height = ClientHeight();
  for (const TPictureRun& run : SplitPicture(Picture())) {
    TField f;
    f.part = TPart::Literal;
    f.picture = run.letter ? String(static_cast<size_t>(run.count), run.letter) : run.literal;
    switch (run.letter) {
      case u'd': f.part = run.count <= 2 ? TPart::Day : TPart::WeekDay; break;
      case u'M': f.part = TPart::Month; break;
      case u'y': f.part = TPart::Year; break;
      case u'h':
      case u'H': f.part = TPart::Hour; break;
      case u'm': f.part = TPart::Minute; break;
      case u's': f.part = TPart::Second; break;
      case u't': f.part = TPart::AmPm; break;
      default: break;
    }
    const int w = measure.Width(FieldText(f));
    f.rect = RECT{x, 0, x + w, height};
    x += w;
    fields.push_back(f);
  }
  return fields;
}

String TDateTimePicker::DisplayText() const {
  const SYSTEMTIME t = DateTimeToSystemTime(dateTime_);
  Char buf[100] = {};
  const String picture = Picture();
  int n = kind_ == dtkTime ? GetTimeFormat(LOCALE_USER_DEFAULT, 0, &t, picture.c_str(), buf, 100)
                           : GetDateFormat(LOCALE_USER_DEFAULT, 0, &t, picture.c_str(), buf, 100);
  return n ? String(buf) : String();
}

std::vector<int> TDateTimePicker::EditableFields() {
  std::vector<int> editable;
  auto fields = Layout();
  for (int i = 0; i < static_cast<int>(fields.size()); ++i)
    if (fields[static_cast<size_t>(i)].part != TPart::Literal && fields[static_cast<size_t>(i)].part != TPart::WeekDay)
      editable.push_back(i);
  return editable;
}

// The drop-down button, or the up-down arrows.
RECT TDateTimePicker::ButtonRect() {
  RECT c = ClientRect();
  c.left = c.right - GetSystemMetrics(SM_CXVSCROLL);
  return c;
}

void TDateTimePicker::Change() {
  if (OnChange) OnChange(this);
}

void TDateTimePicker::UserChange(TDateTime Value) {
  Value = Clamped(Value);
  if (Value == dateTime_) return;
  dateTime_ = Value;
  Invalidate();
  Change();
}

void TDateTimePicker::StepField(int Delta) {
  auto editable = EditableFields();
  if (editable.empty()) return;
  const TPart part = Layout()[static_cast<size_t>(editable[static_cast<size_t>(focusedField_)])].part;
  Word y, m, d, h, n, s, ms;
  DecodeDateTime(dateTime_, y, m, d, h, n, s, ms);
  auto wrap = [](int v, int lo, int hi) { return lo + ((v - lo) % (hi - lo + 1) + (hi - lo + 1)) % (hi - lo + 1); };
  int year = y, month = m, day = d, hour = h, minute = n, second = s;
  switch (part) {
    case TPart::Day: day = wrap(day + Delta, 1, MonthDays[IsLeapYear(y)][m]); break;
    case TPart::Month: month = wrap(month + Delta, 1, 12); break;
    case TPart::Year: year = std::clamp(year + Delta, 1, 9999); break;
    case TPart::Hour: hour = wrap(hour + Delta, 0, 23); break;
    case TPart::Minute: minute = wrap(minute + Delta, 0, 59); break;
    case TPart::Second: second = wrap(second + Delta, 0, 59); break;
    case TPart::AmPm: hour = (hour + 12) % 24; break;
    default: return;
  }
  day = std::min<int>(day, MonthDays[IsLeapYear(static_cast<Word>(year))][month]);
  typed_.clear();
  UserChange(EncodeDate(static_cast<Word>(year), static_cast<Word>(month), static_cast<Word>(day)) +
             EncodeTime(static_cast<Word>(hour), static_cast<Word>(minute), static_cast<Word>(second), ms));
}

void TDateTimePicker::TypeDigit(int Digit) {
  auto editable = EditableFields();
  if (editable.empty()) return;
  const TPart part = Layout()[static_cast<size_t>(editable[static_cast<size_t>(focusedField_)])].part;
  if (part == TPart::AmPm) return;
  Word y, m, d, h, n, s, ms;
  DecodeDateTime(dateTime_, y, m, d, h, n, s, ms);
  const int maxValue = FieldMax(part, y, m);
  const size_t maxDigits = part == TPart::Year ? 4 : 2;
  typed_ += static_cast<Char>(u'0' + Digit);
  int value = std::stoi(StringToUtf8(typed_));
  if (value > maxValue) {  // starts the field again with this digit
    typed_ = String(1, static_cast<Char>(u'0' + Digit));
    value = Digit;
  }
  const bool full = typed_.size() >= maxDigits || value * 10 > maxValue;
  int year = y, month = m, day = d, hour = h, minute = n, second = s;
  switch (part) {
    case TPart::Day: day = value; break;
    case TPart::Month: month = value; break;
    case TPart::Year: year = value; break;
    case TPart::Hour: hour = value; break;
    case TPart::Minute: minute = value; break;
    default: second = value; break;
  }
  // A year is taken once all its digits are in; a zero day or month waits for its second digit.
  const bool usable = part == TPart::Year ? full : (part == TPart::Day || part == TPart::Month) ? value >= 1 : true;
  if (usable) {
    month = std::clamp(month, 1, 12);
    day = std::clamp(day, 1, static_cast<int>(MonthDays[IsLeapYear(static_cast<Word>(year))][month]));
    UserChange(EncodeDate(static_cast<Word>(std::max(1, year)), static_cast<Word>(month), static_cast<Word>(day)) +
               EncodeTime(static_cast<Word>(hour), static_cast<Word>(minute), static_cast<Word>(second), ms));
  }
  if (full) MoveField(1);
}

void TDateTimePicker::MoveField(int Delta) {
  typed_.clear();
  const int count = static_cast<int>(EditableFields().size());
  if (count == 0) return;
  focusedField_ = std::clamp(focusedField_ + Delta, 0, count - 1);
  Invalidate();
}

void TDateTimePicker::KeyDown(WORD& Key, TShiftState Shift) {
  inherited::KeyDown(Key, Shift);
  if (calendar_) {
    if (Key == VK_ESCAPE) CloseUp(false);
    else if (Key == VK_RETURN || Key == VK_F4 || (Key == VK_DOWN && Shift.Contains(ssAlt))) CloseUp(true);
    else SendMessage(calendar_, WM_KEYDOWN, Key, 0);
    Key = 0;
    return;
  }
  switch (Key) {
    case VK_LEFT: MoveField(-1); break;
    case VK_RIGHT: MoveField(1); break;
    case VK_UP: StepField(1); break;
    case VK_DOWN:
      if (Shift.Contains(ssAlt)) DropDown();
      else StepField(-1);
      break;
    case VK_F4: DropDown(); break;
    default: return;
  }
  Key = 0;
}

void TDateTimePicker::KeyPress(Char& Key) {
  inherited::KeyPress(Key);
  if (!calendar_ && Key >= u'0' && Key <= u'9') {
    TypeDigit(Key - u'0');
    Key = 0;
  }
}

void TDateTimePicker::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (calendar_) {
    POINT screen = ClientToScreen(POINT{X, Y});
    RECT cal;
    GetWindowRect(calendar_, &cal);
    if (PtInRect(&cal, screen)) {
      MCHITTESTINFO hit;
      hit.pt = screen;
      ::ScreenToClient(calendar_, &hit.pt);
      SendMessage(calendar_, MCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
      SendMessage(calendar_, WM_LBUTTONDOWN, MK_LBUTTON,
                  MAKELPARAM(static_cast<WORD>(hit.pt.x), static_cast<WORD>(hit.pt.y)));
      // A day picked (the calendar took it: days outside the limits are refused) ends the drop-down.
      SYSTEMTIME now;
      SendMessage(calendar_, MCM_GETCURSEL, 0, reinterpret_cast<LPARAM>(&now));
      const bool onDay = (hit.uHit & 0xFFFF) == (MCHT_CALENDARDAY & 0xFFFF);
      if (onDay && now.wYear == hit.st.wYear && now.wMonth == hit.st.wMonth && now.wDay == hit.st.wDay) CloseUp(true);
    } else {
      CloseUp(false);
    }
    return;
  }
  if (CanFocus() && !Focused()) SetFocus();
  inherited::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft) return;
  RECT button = ButtonRect();
  if (PtInRect(&button, POINT{X, Y})) {
    if (kind_ == dtkDate && dateMode_ == dmComboBox) DropDown();
    else StepField(Y < (button.top + button.bottom) / 2 ? 1 : -1);
    return;
  }
  auto fields = Layout();
  auto editable = EditableFields();
  for (int i = 0; i < static_cast<int>(editable.size()); ++i) {
    const RECT& r = fields[static_cast<size_t>(editable[static_cast<size_t>(i)])].rect;
    if (X >= r.left && X < r.right) {
      focusedField_ = i;
      typed_.clear();
      Invalidate();
      return;
    }
  }
}

void TDateTimePicker::DropDown() {
  if (calendar_ || kind_ != dtkDate) return;
  if (OnDropDown) OnDropDown(this);
  HWND owner = Handle();
  calendar_ = CreateWindowEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kMonthCalClassName, u"", WS_POPUP | WS_BORDER, 0, 0,
                             10, 10, owner, nullptr, nullptr, nullptr);
  SendMessage(calendar_, WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), FALSE);
  SYSTEMTIME range[2] = {DateTimeToSystemTime(minDate_), DateTimeToSystemTime(maxDate_)};
  DWORD limits = (minDate_ != 0 ? GDTR_MIN : 0) | (maxDate_ != 0 ? GDTR_MAX : 0);
  if (limits) SendMessage(calendar_, MCM_SETRANGE, limits, reinterpret_cast<LPARAM>(range));
  SYSTEMTIME current = DateTimeToSystemTime(dateTime_);
  SendMessage(calendar_, MCM_SETCURSEL, 0, reinterpret_cast<LPARAM>(&current));
  RECT need;
  SendMessage(calendar_, MCM_GETMINREQRECT, 0, reinterpret_cast<LPARAM>(&need));
  RECT own;
  GetWindowRect(owner, &own);
  const int w = need.right + 2, h = need.bottom + 2;
  int top = own.bottom;
  if (top + h > GetSystemMetrics(SM_CYSCREEN) && own.top - h >= 0) top = own.top - h;
  SetWindowPos(calendar_, HWND_TOPMOST, own.left, top, w, h, SWP_NOACTIVATE | SWP_SHOWWINDOW);
  SetCapture(owner);
  Invalidate();
}

void TDateTimePicker::CloseUp(bool Accept) {
  if (!calendar_) return;
  HWND calendar = calendar_;
  calendar_ = nullptr;  // first: losing the capture below must not close it twice
  SYSTEMTIME picked;
  const bool got = Accept && SendMessage(calendar, MCM_GETCURSEL, 0, reinterpret_cast<LPARAM>(&picked));
  if (GetCapture() == WindowHandle()) ReleaseCapture();
  DestroyWindow(calendar);
  Invalidate();
  if (got) UserChange(EncodeDate(picked.wYear, picked.wMonth, picked.wDay) + Time());
  if (OnCloseUp) OnCloseUp(this);
}

void TDateTimePicker::WMGetDlgCode(TMessage& Message) {
  Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS | (calendar_ ? DLGC_WANTALLKEYS : 0);
}

void TDateTimePicker::WMKillFocus(TMessage& Message) {
  CloseUp(false);
  typed_.clear();
  inherited::Dispatch(Message);
  Invalidate();
}

void TDateTimePicker::WMCaptureChanged(TMessage& Message) {
  if (calendar_ && reinterpret_cast<HWND>(Message.LParam) != WindowHandle()) CloseUp(false);
  inherited::Dispatch(Message);
}

void TDateTimePicker::CMFontChanged(TMessage& Message) {
  inherited::Dispatch(Message);
  Invalidate();
}

void TDateTimePicker::Paint() {
  TCanvas* c = Canvas();
  c->Font()->Assign(Font());
  RECT client = ClientRect();
  c->Brush()->SetColor(Enabled() ? Color() : clBtnFace);
  c->FillRect(client);
  auto fields = Layout();
  auto editable = EditableFields();
  const int focused = Focused() && !calendar_ && !editable.empty() ? editable[static_cast<size_t>(focusedField_)] : -1;
  const int textTop = (client.bottom - c->TextHeight(u"Wg")) / 2;
  for (int i = 0; i < static_cast<int>(fields.size()); ++i) {
    const TField& f = fields[static_cast<size_t>(i)];
    const String text = FieldText(f);
    if (i == focused) {
      RECT r{f.rect.left, textTop, f.rect.right, textTop + c->TextHeight(u"Wg")};
      c->Brush()->SetColor(clHighlight);
      c->FillRect(r);
      c->Font()->SetColor(clHighlightText);
    } else {
      c->Font()->SetColor(Enabled() ? Font()->Color() : clGrayText);
    }
    c->Brush()->SetStyle(bsClear);
    c->TextOut(f.rect.left, textTop, text);
    c->Brush()->SetStyle(bsSolid);
  }
  RECT button = ButtonRect();
  if (kind_ == dtkDate && dateMode_ == dmComboBox) {
    DrawFrameControl(c->Handle(), &button, DFC_SCROLL, DFCS_SCROLLCOMBOBOX | (calendar_ ? DFCS_PUSHED | DFCS_FLAT : 0));
  } else {
    RECT up = button, down = button;
    up.bottom = down.top = (button.top + button.bottom) / 2;
    DrawFrameControl(c->Handle(), &up, DFC_SCROLL, DFCS_SCROLLUP);
    DrawFrameControl(c->Handle(), &down, DFC_SCROLL, DFCS_SCROLLDOWN);
  }
}
