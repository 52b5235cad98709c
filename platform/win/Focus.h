// Keyboard focus, window activation and mouse capture.
#pragma once

#include "platform/rtl/WinDef.h"

// WM_KILLFOCUS goes to the old focus window naming the new one, then WM_SETFOCUS to the new one
// naming the old; the window's top-level window is activated first. Returns the old focus.
HWND SetFocus(HWND hwnd);
HWND GetFocus();

HWND SetActiveWindow(HWND hwnd);
HWND GetActiveWindow();
BOOL SetForegroundWindow(HWND hwnd);
HWND GetForegroundWindow();

// WM_CAPTURECHANGED goes to the window losing the capture.
HWND SetCapture(HWND hwnd);
BOOL ReleaseCapture();
HWND GetCapture();

// The application gaining or losing the desktop's focus (the display back end's window):
// WM_ACTIVATEAPP, WM_NCACTIVATE and WM_ACTIVATE as when switching to another program and back.
void SetApplicationActive(bool active);
bool IsApplicationActive();
