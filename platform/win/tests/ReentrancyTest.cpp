// Windows destroyed from inside their own messages: every path that sent the message must notice
// and stop touching the window.
#include "platform/win/tests/WinTestSupport.h"

namespace {

UINT g_killOn = 0;
HWND g_victim = nullptr;

std::optional<LRESULT> DestroyOn(HWND, UINT m, WPARAM, LPARAM) {
  if (m == g_killOn && g_victim && IsWindow(g_victim)) DestroyWindow(g_victim);
  return std::nullopt;
}

}  // namespace

using ReentrancyTest = WinTest;

TEST_F(ReentrancyTest, AWindowDestroyedInsideAnyOfItsMessagesIsLeftAlone) {
  struct Case {
    const char* what;
    UINT message;
    bool killTop;  // destroy the top-level window rather than the child receiving the message
    std::function<void(HWND top, HWND child)> drive;
  };
  const POINT inChild{60, 80}, onCaption{100, 10};
  auto click = [](POINT p) {
    return [p](HWND, HWND) {
      SimulateClick(TSimButton::Left, p);
      Pump();
    };
  };
  auto doubleClick = [](POINT p) {
    return [p](HWND, HWND) {
      SimulateClick(TSimButton::Left, p);
      SimulateClick(TSimButton::Left, p);
      Pump();
    };
  };
  auto drag = [](POINT from, POINT to) {
    return [from, to](HWND, HWND) {
      SimulateMouseDown(TSimButton::Left, from);
      SimulateMouseMove(to);
      SimulateMouseUp(TSimButton::Left, to);
      Pump();
    };
  };
  auto key = [](UINT vk) {
    return [vk](HWND, HWND child) {
      SetFocus(child);
      SimulateKeyPress(vk);
      Pump();
    };
  };
  const Case cases[] = {
      {"mouse activate", WM_MOUSEACTIVATE, true,
       [&](HWND, HWND) {
         SetActiveWindow(Top(400, 0, 50, 50, WS_POPUP | WS_VISIBLE));
         SimulateClick(TSimButton::Left, inChild);
         Pump();
       }},
      {"set cursor", WM_SETCURSOR, false, click(inChild)},
      {"hit test", WM_NCHITTEST, false, click(inChild)},
      {"button down", WM_LBUTTONDOWN, false, click(inChild)},
      {"button down kills parent", WM_LBUTTONDOWN, true, click(inChild)},
      {"button up", WM_LBUTTONUP, true, click(inChild)},
      {"double click", WM_LBUTTONDBLCLK, true, doubleClick(inChild)},
      {"caption press", WM_NCLBUTTONDOWN, true, click(onCaption)},
      {"caption double click", WM_NCLBUTTONDBLCLK, true, doubleClick(onCaption)},
      {"key down", WM_KEYDOWN, false, key('A')},
      {"char", WM_CHAR, true, key('A')},
      {"set focus", WM_SETFOCUS, false, [](HWND, HWND child) { SetFocus(child); }},
      {"kill focus", WM_KILLFOCUS, true,
       [](HWND, HWND child) {
         SetFocus(child);
         SetFocus(nullptr);
       }},
      {"activate", WM_ACTIVATE, true,
       [](HWND top, HWND) {
         SetActiveWindow(nullptr);
         SetActiveWindow(top);
       }},
      {"capture changed", WM_CAPTURECHANGED, false,
       [](HWND, HWND child) {
         SetCapture(child);
         ReleaseCapture();
       }},
      {"window pos changing", WM_WINDOWPOSCHANGING, true,
       [](HWND top, HWND) { SetWindowPos(top, nullptr, 5, 5, 300, 200, SWP_NOZORDER); }},
      {"size", WM_SIZE, true, [](HWND top, HWND) { SetWindowPos(top, nullptr, 0, 0, 250, 150, SWP_NOMOVE); }},
      {"show", WM_SHOWWINDOW, true, [](HWND top, HWND) { ShowWindow(top, SW_HIDE); }},
      {"erase", WM_ERASEBKGND, false,
       [](HWND, HWND child) {
         InvalidateRect(child, nullptr, TRUE);
         UpdateWindow(child);
       }},
      {"paint", WM_PAINT, true,
       [](HWND top, HWND) {
         RedrawWindow(top, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
         Pump();
       }},
      {"nc paint", WM_NCPAINT, true,
       [](HWND top, HWND) {
         RedrawWindow(top, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
       }},
      {"timer", WM_TIMER, false,
       [&](HWND, HWND child) {
         SetTimer(child, 1, 10, nullptr);
         clock_->Advance(20);
         Pump();
       }},
      {"enter move loop", WM_ENTERSIZEMOVE, true, drag(onCaption, POINT{150, 40})},
      {"moving", WM_MOVING, true, drag(onCaption, POINT{150, 40})},
      {"sizing", WM_SIZING, true, drag(POINT{299, 199}, POINT{350, 250})},
      {"scroll", WM_VSCROLL, true,
       [](HWND top, HWND) {
         RECT r;
         GetWindowRect(top, &r);
         SimulateClick(TSimButton::Left, POINT{r.right - 10, r.bottom - 30});
         Pump();
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    HWND top = Top(0, 0, 300, 200, WS_OVERLAPPEDWINDOW | WS_VSCROLL | WS_VISIBLE);
    SCROLLINFO si;
    si.fMask = SIF_RANGE | SIF_PAGE;
    si.nMax = 100;
    si.nPage = 10;
    SetScrollInfo(top, SB_VERT, &si, TRUE);
    HWND child = Child(top, 20, 20, 100, 100, WS_VISIBLE | WS_TABSTOP);
    Pump();
    g_killOn = c.message;
    g_victim = c.killTop ? top : child;
    Overrides()[top] = &DestroyOn;
    Overrides()[child] = &DestroyOn;
    c.drive(top, child);
    Pump();
    EXPECT_FALSE(IsWindow(g_victim)) << "the message never came";
    g_killOn = 0;
    Overrides().clear();
    if (IsWindow(top)) DestroyWindow(top);
    Pump();
    ResetInputState();
    clock_->Advance(1000);  // no double click across cases
  }
}
