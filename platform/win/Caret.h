// The caret: one per thread, blinking on the clock, drawn by inverting pixels.
#pragma once

#include "platform/rtl/WinDef.h"

// A caret of width x height (0 = the border width, 1 pixel) or of the bitmap's shape; hidden
// until ShowCaret.
BOOL CreateCaret(HWND hwnd, HBITMAP bitmap, int width, int height);
BOOL DestroyCaret();
BOOL ShowCaret(HWND hwnd);
BOOL HideCaret(HWND hwnd);
BOOL SetCaretPos(int x, int y);
BOOL GetCaretPos(POINT* point);
UINT GetCaretBlinkTime();
BOOL SetCaretBlinkTime(UINT milliseconds);
// Tests: whether the caret is drawn right now (shown and in the "on" half of its blink).
bool IsCaretDrawn();
