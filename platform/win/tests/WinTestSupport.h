// Test support: windows that log the messages they receive, and a fixture on the virtual clock.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/rtl/Clock.h"
#include "platform/win/Windows.h"

struct TLogged {
  HWND hwnd;
  UINT msg;
  WPARAM wParam;
  LPARAM lParam;
};

// Every message a logging window receives, in order, across all of them.
inline std::vector<TLogged>& MessageLog() {
  static std::vector<TLogged> log;
  return log;
}

// Per-window overrides: when present and returning a value, the default procedure is skipped.
using TOverride = std::function<std::optional<LRESULT>(HWND, UINT, WPARAM, LPARAM)>;
inline std::map<HWND, TOverride>& Overrides() {
  static std::map<HWND, TOverride> overrides;
  return overrides;
}

inline LRESULT LoggingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  MessageLog().push_back({hwnd, msg, wParam, lParam});
  auto it = Overrides().find(hwnd);
  if (it != Overrides().end() && it->second)
    if (auto r = it->second(hwnd, msg, wParam, lParam)) return *r;
  return DefWindowProc(hwnd, msg, wParam, lParam);
}

inline const char* MessageName(UINT m) {
  static const std::map<UINT, const char*> names = {
      {WM_CREATE, "CREATE"},
      {WM_DESTROY, "DESTROY"},
      {WM_MOVE, "MOVE"},
      {WM_SIZE, "SIZE"},
      {WM_ACTIVATE, "ACTIVATE"},
      {WM_SETFOCUS, "SETFOCUS"},
      {WM_KILLFOCUS, "KILLFOCUS"},
      {WM_PAINT, "PAINT"},
      {WM_ERASEBKGND, "ERASEBKGND"},
      {WM_SHOWWINDOW, "SHOWWINDOW"},
      {WM_ACTIVATEAPP, "ACTIVATEAPP"},
      {WM_GETMINMAXINFO, "GETMINMAXINFO"},
      {WM_WINDOWPOSCHANGING, "WINDOWPOSCHANGING"},
      {WM_WINDOWPOSCHANGED, "WINDOWPOSCHANGED"},
      {WM_NCCREATE, "NCCREATE"},
      {WM_NCDESTROY, "NCDESTROY"},
      {WM_NCCALCSIZE, "NCCALCSIZE"},
      {WM_NCPAINT, "NCPAINT"},
      {WM_NCACTIVATE, "NCACTIVATE"},
      {WM_PARENTNOTIFY, "PARENTNOTIFY"},
      {WM_CAPTURECHANGED, "CAPTURECHANGED"},
      {WM_MOUSEACTIVATE, "MOUSEACTIVATE"},
      {WM_SETCURSOR, "SETCURSOR"},
      {WM_NCHITTEST, "NCHITTEST"},
      {WM_LBUTTONDOWN, "LBUTTONDOWN"},
      {WM_LBUTTONUP, "LBUTTONUP"},
      {WM_LBUTTONDBLCLK, "LBUTTONDBLCLK"},
      {WM_MOUSEMOVE, "MOUSEMOVE"},
      {WM_NCLBUTTONDOWN, "NCLBUTTONDOWN"},
      {WM_NCLBUTTONDBLCLK, "NCLBUTTONDBLCLK"},
      {WM_NCMOUSEMOVE, "NCMOUSEMOVE"},
      {WM_KEYDOWN, "KEYDOWN"},
      {WM_KEYUP, "KEYUP"},
      {WM_CHAR, "CHAR"},
      {WM_SYSKEYDOWN, "SYSKEYDOWN"},
      {WM_SYSKEYUP, "SYSKEYUP"},
      {WM_SYSCHAR, "SYSCHAR"},
      {WM_TIMER, "TIMER"},
      {WM_ENTERSIZEMOVE, "ENTERSIZEMOVE"},
      {WM_EXITSIZEMOVE, "EXITSIZEMOVE"},
      {WM_SIZING, "SIZING"},
      {WM_MOVING, "MOVING"},
      {WM_CANCELMODE, "CANCELMODE"},
      {WM_ENABLE, "ENABLE"},
      {WM_VSCROLL, "VSCROLL"},
      {WM_HSCROLL, "HSCROLL"},
      {WM_COMMAND, "COMMAND"},
      {WM_GETDLGCODE, "GETDLGCODE"},
      {WM_SYSCOMMAND, "SYSCOMMAND"},
      {WM_CLOSE, "CLOSE"},
      {WM_MOUSEWHEEL, "MOUSEWHEEL"},
      {WM_MOUSELEAVE, "MOUSELEAVE"},
      {WM_CONTEXTMENU, "CONTEXTMENU"},
      {WM_RBUTTONDOWN, "RBUTTONDOWN"},
      {WM_RBUTTONUP, "RBUTTONUP"},
      {WM_SETTINGCHANGE, "SETTINGCHANGE"},
      {WM_SYSCOLORCHANGE, "SYSCOLORCHANGE"},
      {WM_DRAWCLIPBOARD, "DRAWCLIPBOARD"},
      {WM_CHANGECBCHAIN, "CHANGECBCHAIN"},
      {WM_GETTEXT, "GETTEXT"},
      {WM_SETTEXT, "SETTEXT"},
      {WM_STYLECHANGING, "STYLECHANGING"},
      {WM_STYLECHANGED, "STYLECHANGED"},
      {WM_NULL, "NULL"},
      {WM_USER, "USER"},
      {WM_APP, "APP"},
  };
  auto it = names.find(m);
  return it == names.end() ? "?" : it->second;
}

// "name:MESSAGE" entries for the messages logged since the last ClearLog, leaving out the noisy ones.
inline std::vector<std::string> LoggedSequence(const std::map<HWND, std::string>& names,
                                               const std::set<UINT>& skip = {WM_NCHITTEST, WM_SETCURSOR,
                                                                             WM_GETTEXT, WM_GETTEXTLENGTH}) {
  std::vector<std::string> out;
  for (const TLogged& l : MessageLog()) {
    if (skip.count(l.msg)) continue;
    auto it = names.find(l.hwnd);
    std::string who = it == names.end() ? "?" : it->second;
    out.push_back(who + ":" + MessageName(l.msg));
  }
  return out;
}

inline void ClearLog() { MessageLog().clear(); }

inline std::vector<TLogged> Logged(HWND hwnd, UINT msg) {
  std::vector<TLogged> out;
  for (const TLogged& l : MessageLog())
    if (l.hwnd == hwnd && l.msg == msg) out.push_back(l);
  return out;
}

class WinTest : public ::testing::Test {
 protected:
  void SetUp() override {
    static bool registered = false;
    if (!registered) {
      registered = true;
      WNDCLASSEX wc;
      wc.lpfnWndProc = &LoggingProc;
      wc.style = CS_DBLCLKS;
      wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
      wc.lpszClassName = u"TestWnd";
      RegisterClassEx(&wc);
      wc.style = 0;
      wc.lpszClassName = u"TestNoDblClk";
      RegisterClassEx(&wc);
      wc.style = CS_SAVEBITS;
      wc.lpszClassName = u"TestSaveBits";
      RegisterClassEx(&wc);
    }
    ResetInputState();
    ClearLog();
    Overrides().clear();
  }

  void TearDown() override {
    Overrides().clear();
    for (HWND h : created_)
      if (IsWindow(h)) DestroyWindow(h);
    ProcessPendingMessages();
    MSG m;
    while (PeekMessage(&m, nullptr, 0, 0, PM_REMOVE)) {
    }
    if (GetCapture()) ReleaseCapture();
    ResetInputState();
    ClearLog();
  }

  HWND Top(int x, int y, int w, int h, DWORD style = WS_OVERLAPPEDWINDOW | WS_VISIBLE, DWORD ex = 0,
           HWND owner = nullptr, LPCWSTR cls = u"TestWnd") {
    HWND hwnd = CreateWindowEx(ex, cls, u"Top", style, x, y, w, h, owner, nullptr, nullptr, nullptr);
    created_.push_back(hwnd);
    return hwnd;
  }

  HWND Child(HWND parent, int x, int y, int w, int h, DWORD style = WS_VISIBLE, int id = 0,
             LPCWSTR cls = u"TestWnd", LPCWSTR text = u"") {
    HWND hwnd = CreateWindowEx(0, cls, text, WS_CHILD | style, x, y, w, h, parent,
                               reinterpret_cast<HMENU>(static_cast<std::uintptr_t>(id)), nullptr, nullptr);
    created_.push_back(hwnd);
    return hwnd;
  }

  static void Pump() { ProcessPendingMessages(); }

  VirtualClockScope clock_;
  std::vector<HWND> created_;
};
