// The caret blinks lazily: whenever the message loop looks at the queue it compares the wanted
// phase on the clock with what is drawn and inverts the caret rectangle when they differ.
#include "platform/win/Caret.h"

#include "platform/gdi/Draw.h"
#include "platform/rtl/Clock.h"
#include "platform/win/Paint.h"
#include "platform/win/WinInternal.h"

namespace {

struct TCaret {
  HWND hwnd = nullptr;
  int width = 1;
  int height = 1;
  POINT pos{};
  int hideCount = 1;  // shown while 0
  bool drawn = false;
  Int64 phaseStart = 0;
} g_caret;
UINT g_blinkTime = 530;

void Invert() {
  if (!IsWindow(g_caret.hwnd)) return;
  HDC dc = GetDC(g_caret.hwnd);
  RECT r{g_caret.pos.x, g_caret.pos.y, g_caret.pos.x + g_caret.width, g_caret.pos.y + g_caret.height};
  InvertRect(dc, &r);
  ReleaseDC(g_caret.hwnd, dc);
}

void Erase() {
  if (g_caret.drawn) {
    Invert();
    g_caret.drawn = false;
  }
}

bool WantDrawn() {
  if (!g_caret.hwnd || g_caret.hideCount > 0) return false;
  Int64 elapsed = Clock().TickCount() - g_caret.phaseStart;
  return (elapsed / g_blinkTime) % 2 == 0;
}

void RestartBlink() { g_caret.phaseStart = Clock().TickCount(); }

}  // namespace

Int64 NextCaretBlinkDue() {
  if (!g_caret.hwnd || g_caret.hideCount > 0) return -1;
  const Int64 elapsed = Clock().TickCount() - g_caret.phaseStart;
  return g_caret.phaseStart + (elapsed / g_blinkTime + 1) * g_blinkTime;
}

void UpdateCaretBlink() {
  if (!g_caret.hwnd) return;
  bool want = WantDrawn() && IsWindowVisible(g_caret.hwnd);
  if (want != g_caret.drawn) {
    Invert();
    g_caret.drawn = want;
  }
}

BOOL CreateCaret(HWND hwnd, HBITMAP, int width, int height) {
  if (!IsWindow(hwnd)) return FALSE;
  DestroyCaret();
  g_caret = TCaret{};
  g_caret.hwnd = hwnd;
  g_caret.width = width > 0 ? width : 1;
  g_caret.height = height > 0 ? height : 1;
  RestartBlink();
  return TRUE;
}

BOOL DestroyCaret() {
  if (!g_caret.hwnd) return FALSE;
  Erase();
  g_caret = TCaret{};
  return TRUE;
}

BOOL ShowCaret(HWND hwnd) {
  if (!g_caret.hwnd || (hwnd && hwnd != g_caret.hwnd)) return FALSE;
  if (g_caret.hideCount > 0 && --g_caret.hideCount == 0) {
    RestartBlink();
    UpdateCaretBlink();
  }
  return TRUE;
}

BOOL HideCaret(HWND hwnd) {
  if (!g_caret.hwnd || (hwnd && hwnd != g_caret.hwnd)) return FALSE;
  if (g_caret.hideCount++ == 0) Erase();
  return TRUE;
}

BOOL SetCaretPos(int x, int y) {
  if (!g_caret.hwnd) return FALSE;
  if (g_caret.pos.x == x && g_caret.pos.y == y) return TRUE;
  Erase();
  g_caret.pos = {x, y};
  RestartBlink();
  UpdateCaretBlink();
  return TRUE;
}

BOOL GetCaretPos(POINT* point) {
  if (!point) return FALSE;
  *point = g_caret.hwnd ? g_caret.pos : POINT{};
  return g_caret.hwnd != nullptr;
}

UINT GetCaretBlinkTime() { return g_blinkTime; }

BOOL SetCaretBlinkTime(UINT milliseconds) {
  g_blinkTime = milliseconds ? milliseconds : 530;
  return TRUE;
}

bool IsCaretDrawn() { return g_caret.drawn; }

void OnWindowDestroyedCaret(HWND hwnd) {
  if (g_caret.hwnd == hwnd) {
    g_caret.drawn = false;
    g_caret = TCaret{};
  }
}

void HideCaretForPaint(HWND hwnd) {
  if (g_caret.hwnd == hwnd) HideCaret(hwnd);
}

void ShowCaretAfterPaint(HWND hwnd) {
  if (g_caret.hwnd == hwnd) ShowCaret(hwnd);
}
