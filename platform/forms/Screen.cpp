// TScreen: the forms, the active form and control, the cursor table, monitors and the desktop fonts.
#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/forms/ControlsInternal.h"
#include "platform/forms/DataModule.h"
#include "platform/forms/Forms.h"
#include "platform/rtl/StrUtils.h"
#include "platform/win/Windows.h"

TScreen* Screen = nullptr;

namespace {

// A 32x32 cursor drawn by a function: 'X' black, '.' white, anything else transparent.
HCURSOR MakeCursor(int HotX, int HotY, const std::function<char(int x, int y)>& Pixel) {
  constexpr int kSize = 32;
  std::vector<BYTE> andPlane(kSize * kSize / 8, 0xFF), xorPlane(kSize * kSize / 8, 0x00);
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x) {
      const char c = Pixel(x, y);
      const size_t byte = static_cast<size_t>(y * kSize / 8 + x / 8);
      const BYTE bit = static_cast<BYTE>(0x80 >> (x % 8));
      if (c == 'X') {
        andPlane[byte] &= static_cast<BYTE>(~bit);
      } else if (c == '.') {
        andPlane[byte] &= static_cast<BYTE>(~bit);
        xorPlane[byte] |= bit;
      }
    }
  return CreateCursor(nullptr, HotX, HotY, kSize, kSize, andPlane.data(), xorPlane.data());
}

// The arrow every drag cursor starts with.
char ArrowPixel(int x, int y) {
  if (y > 16 || x > y) return ' ';
  if (x == 0 || x == y) return 'X';
  if (y == 11 && x >= 6) return 'X';
  if (y < 11) return '.';
  return x < 6 && x < y ? (x == 0 ? 'X' : '.') : ' ';
}

// A page outline below and to the right of the arrow.
char PagePixel(int x, int y, int left, int top) {
  const int right = left + 10, bottom = top + 8;
  if (x < left || x > right || y < top || y > bottom) return ' ';
  if (x == left || x == right || y == top || y == bottom) return ((x + y) % 2) ? 'X' : '.';
  return ' ';
}

HCURSOR MakeDragCursor(bool Multi) {
  return MakeCursor(0, 0, [Multi](int x, int y) {
    char c = ArrowPixel(x, y);
    if (c != ' ') return c;
    c = PagePixel(x, y, 8, 18);
    if (c != ' ' || !Multi) return c;
    return PagePixel(x, y, 11, 21);
  });
}

HCURSOR MakeNoDropCursor() {
  return MakeCursor(8, 8, [](int x, int y) {
    const double dx = x - 8, dy = y - 8, d = std::sqrt(dx * dx + dy * dy);
    if (d > 8.5) return ' ';
    if (d >= 6.0) return 'X';
    if (std::abs(dx - dy) <= 1.0) return 'X';
    return '.';
  });
}

// A splitter cursor: two bars across the split and arrows along it.
HCURSOR MakeSplitCursor(bool Horizontal) {
  return MakeCursor(15, 15, [Horizontal](int x, int y) {
    const int a = Horizontal ? x : y;  // across the bars
    const int b = Horizontal ? y : x;  // along the bars
    if ((a == 14 || a == 17) && b >= 6 && b <= 25) return 'X';
    if ((a == 15 || a == 16) && b >= 6 && b <= 25) return '.';
    if (b == 15 || b == 16) {
      if (a >= 6 && a <= 25 && (a < 14 || a > 17)) return 'X';
    }
    // Arrow heads at both ends.
    const int off = std::abs(b - 15) + (b > 15 ? -1 : 0);
    if ((a == 6 + off || a == 25 - off) && off <= 3) return 'X';
    return ' ';
  });
}

}  // namespace

TRENVIK_IMPLEMENT_CLASS(TScreen)

TScreen::TScreen(TComponent* AOwner) : TComponent(AOwner) {
  hintFont_ = std::make_unique<TFont>();
  iconFont_ = std::make_unique<TFont>();
  menuFont_ = std::make_unique<TFont>();
  for (TFont* f : {hintFont_.get(), iconFont_.get(), menuFont_.get()}) {
    f->SetName(u"Tahoma");
    f->SetHeight(-11);
  }
  hintFont_->SetColor(clInfoText);
  LoadCursors();
  UpdateMonitors();
}

TScreen::~TScreen() {
  for (HCURSOR c : ownCursors_) DestroyCursor(c);
}

void TScreen::LoadCursors() {
  defaultCursor_ = LoadCursor(nullptr, IDC_ARROW);
  struct {
    TCursor index;
    LPCWSTR id;
  } const standard[] = {
      {crArrow, IDC_ARROW},       {crCross, IDC_CROSS},     {crIBeam, IDC_IBEAM},
      {crSizeNESW, IDC_SIZENESW}, {crSizeNS, IDC_SIZENS},   {crSizeNWSE, IDC_SIZENWSE},
      {crSizeWE, IDC_SIZEWE},     {crUpArrow, IDC_UPARROW}, {crHourGlass, IDC_WAIT},
      {crSQLWait, IDC_WAIT},      {crNo, IDC_NO},           {crAppStart, IDC_APPSTARTING},
      {crHelp, IDC_HELP},         {crHandPoint, IDC_HAND},  {crSizeAll, IDC_SIZEALL},
  };
  for (const auto& s : standard) cursors_[s.index] = LoadCursor(nullptr, s.id);
  cursors_[crNone] = nullptr;
  const std::pair<TCursor, HCURSOR> own[] = {
      {crDrag, MakeDragCursor(false)},   {crMultiDrag, MakeDragCursor(true)}, {crNoDrop, MakeNoDropCursor()},
      {crHSplit, MakeSplitCursor(true)}, {crVSplit, MakeSplitCursor(false)},
  };
  for (const auto& [index, cursor] : own) {
    cursors_[index] = cursor;
    ownCursors_.push_back(cursor);
  }
}

HCURSOR TScreen::Cursors(int Index) const {
  if (Index == crDefault) return defaultCursor_;
  auto it = cursors_.find(Index);
  return it == cursors_.end() ? defaultCursor_ : it->second;
}

void TScreen::SetCursors(int Index, HCURSOR Handle) {
  if (Index == crDefault) {
    defaultCursor_ = Handle ? Handle : LoadCursor(nullptr, IDC_ARROW);
    return;
  }
  cursors_[Index] = Handle;
}

void TScreen::SetCursor(TCursor Value) {
  if (cursor_ == Value) return;
  cursor_ = Value;
  if (Value == crDefault) {
    // Each window shows its own cursor again.
    POINT p;
    GetCursorPos(&p);
    HWND h = WindowFromPoint(p);
    if (h) SendMessage(h, WM_SETCURSOR, reinterpret_cast<WPARAM>(h), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  } else {
    ::SetCursor(Cursors(Value));
  }
}

int TScreen::Width() const { return GetSystemMetrics(SM_CXSCREEN); }
int TScreen::Height() const { return GetSystemMetrics(SM_CYSCREEN); }
RECT TScreen::DesktopRect() const { return RECT{0, 0, Width(), Height()}; }

RECT TScreen::WorkAreaRect() const {
  RECT r{0, 0, Width(), Height()};
  SystemParametersInfo(SPI_GETWORKAREA, 0, &r, 0);
  return r;
}

int TScreen::WorkAreaWidth() const {
  RECT r = WorkAreaRect();
  return r.right - r.left;
}

int TScreen::WorkAreaHeight() const {
  RECT r = WorkAreaRect();
  return r.bottom - r.top;
}

void TScreen::UpdateMonitors() {
  monitors_.clear();
  auto m = std::make_unique<TMonitor>();
  m->handle_ = ::MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
  m->num_ = 0;
  MONITORINFO info;
  info.cbSize = sizeof(info);
  if (m->handle_ && GetMonitorInfo(m->handle_, &info))
    m->bounds_ = info.rcMonitor;
  else
    m->bounds_ = DesktopRect();
  monitors_.push_back(std::move(m));
}

RECT TMonitor::WorkareaRect() const {
  MONITORINFO info;
  info.cbSize = sizeof(info);
  if (handle_ && GetMonitorInfo(handle_, &info)) return info.rcWork;
  return bounds_;
}

int TScreen::MonitorCount() const { return static_cast<int>(monitors_.size()); }

TMonitor* TScreen::Monitors(int Index) { return monitors_.at(static_cast<size_t>(Index)).get(); }

TMonitor* TScreen::MonitorFromPoint(POINT P) {
  for (auto& m : monitors_)
    if (PtInRect(&m->bounds_, P)) return m.get();
  return monitors_.front().get();
}

TMonitor* TScreen::MonitorFromWindow(HWND Wnd) {
  RECT r;
  if (!Wnd || !GetWindowRect(Wnd, &r)) return monitors_.front().get();
  return MonitorFromPoint(POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
}

void TScreen::AddForm(TCustomForm* Form) { forms_.push_back(Form); }

void TScreen::RemoveForm(TCustomForm* Form) {
  std::erase(forms_, Form);
  if (activeForm_ == Form) activeForm_ = nullptr;
  if (activeControl_ && GetParentForm(activeControl_) == Form) activeControl_ = nullptr;
}

void TScreen::SetActiveForm(TCustomForm* Form) {
  if (activeForm_ == Form) return;
  activeForm_ = Form;
  // The most recently active form comes first.
  auto it = std::find(forms_.begin(), forms_.end(), Form);
  if (it != forms_.end()) std::rotate(forms_.begin(), it, it + 1);
  if (OnActiveFormChange) OnActiveFormChange(this);
}

void TScreen::SetActiveControl(TWinControl* Control) {
  if (activeControl_ == Control) return;
  activeControl_ = Control;
  if (OnActiveControlChange) OnActiveControlChange(this);
}

TComponent* FindGlobalComponent(const String& Name) {
  if (Screen)
    for (int i = 0; i < Screen->FormCount(); ++i)
      if (SameText(Screen->Forms(i)->Name(), Name)) return Screen->Forms(i);
  if (Screen)
    for (int i = 0; i < Screen->DataModuleCount(); ++i)
      if (SameText(Screen->DataModules(i)->Name(), Name)) return Screen->DataModules(i);
  return Application ? Application->FindComponent(Name) : nullptr;
}
