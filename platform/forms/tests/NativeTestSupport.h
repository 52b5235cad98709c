// Test support for the native window classes: a parent window that records the notifications its
// controls send, controls in the fixed-metrics test font, and input through the simulation path.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "platform/forms/native/NativeControls.h"
#include "platform/gdi/Gdi.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/String.h"
#include "platform/win/Windows.h"

struct TNote {
  UINT msg = 0;  // WM_COMMAND, WM_NOTIFY, WM_DRAWITEM, WM_MEASUREITEM
  UINT code = 0;
  int id = 0;
  HWND from = nullptr;
  CHARRANGE range;      // EN_SELCHANGE
  DRAWITEMSTRUCT draw;  // WM_DRAWITEM
};

class NativeControlTest : public ::testing::Test {
 public:
  static std::vector<TNote>& Notes() {
    static std::vector<TNote> notes;
    return notes;
  }
  // Heights the parent answers WM_MEASUREITEM with (by item), and what it answers EN_MSGFILTER.
  static std::function<UINT(const MEASUREITEMSTRUCT&)>& OnMeasure() {
    static std::function<UINT(const MEASUREITEMSTRUCT&)> f;
    return f;
  }
  static std::function<LRESULT(const MSGFILTER&)>& OnFilter() {
    static std::function<LRESULT(const MSGFILTER&)> f;
    return f;
  }

  static LRESULT ParentProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    TNote n;
    n.msg = msg;
    switch (msg) {
      case WM_COMMAND:
        n.code = HIWORD(wParam);
        n.id = LOWORD(wParam);
        n.from = reinterpret_cast<HWND>(lParam);
        Notes().push_back(n);
        return 0;
      case WM_NOTIFY: {
        auto* h = reinterpret_cast<NMHDR*>(lParam);
        n.code = h->code;
        n.id = static_cast<int>(h->idFrom);
        n.from = h->hwndFrom;
        if (h->code == EN_SELCHANGE) n.range = reinterpret_cast<SELCHANGE*>(lParam)->chrg;
        if (h->code == EN_MSGFILTER)
          return OnFilter() ? OnFilter()(*reinterpret_cast<MSGFILTER*>(lParam)) : 0;
        Notes().push_back(n);
        return 0;
      }
      case WM_DRAWITEM:
        n.draw = *reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        n.id = static_cast<int>(n.draw.CtlID);
        n.from = n.draw.hwndItem;
        Notes().push_back(n);
        return TRUE;
      case WM_MEASUREITEM: {
        auto* mi = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (OnMeasure()) mi->itemHeight = OnMeasure()(*mi);
        n.id = static_cast<int>(mi->CtlID);
        n.code = mi->itemID;
        Notes().push_back(n);
        return TRUE;
      }
      default:
        return DefWindowProc(hwnd, msg, wParam, lParam);
    }
  }

 protected:
  void SetUp() override {
    static bool registered = false;
    if (!registered) {
      registered = true;
      WNDCLASSEX wc;
      wc.lpfnWndProc = &ParentProc;
      wc.style = CS_DBLCLKS;
      wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
      wc.lpszClassName = u"NativeTestParent";
      RegisterClassEx(&wc);
    }
    ResetInputState();
    ActivateKeyboardLayout(HKL_US, 0);
    Notes().clear();
    OnMeasure() = nullptr;
    OnFilter() = nullptr;
    font_ = CreateFont(-16, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, kFixedTestFontName);
    parent_ = CreateWindowEx(0, u"NativeTestParent", u"", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300, nullptr,
                             nullptr, nullptr, nullptr);
    Pump();
  }

  void TearDown() override {
    DestroyWindow(parent_);
    Pump();
    DeleteObject(font_);
    FlushSimulatedInput();
    ResetInputState();
    ActivateKeyboardLayout(HKL_US, 0);
    OnMeasure() = nullptr;
    OnFilter() = nullptr;
  }

  HWND Create(LPCWSTR cls, DWORD style, int x, int y, int w, int h, LPCWSTR text = u"", int id = 1) {
    HWND hwnd = CreateWindowEx(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent_,
                               reinterpret_cast<HMENU>(static_cast<std::uintptr_t>(id)), nullptr, nullptr);
    SendMessage(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font_), 0);
    return hwnd;
  }

  static void Pump() { ProcessPendingMessages(); }
  static void Type(const String& text) {
    SimulateText(text);
    Pump();
  }
  static void Key(UINT vk, UINT modifiers = 0) {
    SimulateKeyPress(vk, modifiers);
    Pump();
  }
  static POINT Screen(HWND hwnd, int x, int y) {
    POINT p{x, y};
    ClientToScreen(hwnd, &p);
    return p;
  }
  void Click(HWND hwnd, int x, int y) {
    SimulateClick(TSimButton::Left, Screen(hwnd, x, y));
    Pump();
    clock_->Advance(1000);  // the next click is not a double click
  }
  static String Text(HWND hwnd) { return GetWindowTextString(hwnd); }
  static int Count(UINT msg, UINT code, HWND from = nullptr) {
    int n = 0;
    for (const TNote& note : Notes())
      if (note.msg == msg && note.code == code && (!from || note.from == from)) ++n;
    return n;
  }
  static String Clipboard() {
    String s;
    if (!OpenClipboard(nullptr)) return s;
    if (HANDLE h = GetClipboardData(CF_UNICODETEXT)) {
      s = static_cast<const Char*>(GlobalLock(h));
      GlobalUnlock(h);
    }
    CloseClipboard();
    return s;
  }
  static void SetClipboard(const String& text) {
    OpenClipboard(nullptr);
    EmptyClipboard();
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(Char));
    auto* p = static_cast<Char*>(GlobalLock(mem));
    std::copy(text.begin(), text.end(), p);
    p[text.size()] = 0;
    GlobalUnlock(mem);
    SetClipboardData(CF_UNICODETEXT, mem);
    CloseClipboard();
  }
  // The colour of a client pixel as drawn on the screen.
  static COLORREF Pixel(HWND hwnd, int x, int y) {
    UpdateWindow(hwnd);
    HDC dc = GetDC(hwnd);
    COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(hwnd, dc);
    return c;
  }

  VirtualClockScope clock_;
  HFONT font_ = nullptr;
  HWND parent_ = nullptr;
};
