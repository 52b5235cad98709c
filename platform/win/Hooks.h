// Thread hooks: chains of procedures that see keys, mouse messages, retrieved messages and
// messages sent to windows before their targets do.
#pragma once

#include "platform/rtl/WinDef.h"

struct MSG;

using HOOKPROC = LRESULT (*)(int code, WPARAM wParam, LPARAM lParam);

constexpr int WH_MSGFILTER = -1;
constexpr int WH_GETMESSAGE = 3;
constexpr int WH_CALLWNDPROC = 4;
constexpr int WH_KEYBOARD = 2;
constexpr int WH_MOUSE = 7;
constexpr int WH_CALLWNDPROCRET = 12;

constexpr int HC_ACTION = 0;
constexpr int HC_NOREMOVE = 3;

// WH_MSGFILTER codes (modal loops of the layer).
constexpr int MSGF_DIALOGBOX = 0;
constexpr int MSGF_MENU = 2;
constexpr int MSGF_SCROLLBAR = 5;
constexpr int MSGF_NEXTWINDOW = 6;
constexpr int MSGF_USER = 4096;

struct CWPSTRUCT {
  LPARAM lParam = 0;
  WPARAM wParam = 0;
  UINT message = 0;
  HWND hwnd = nullptr;
};

struct CWPRETSTRUCT {
  LRESULT lResult = 0;
  LPARAM lParam = 0;
  WPARAM wParam = 0;
  UINT message = 0;
  HWND hwnd = nullptr;
};

struct MOUSEHOOKSTRUCT {
  POINT pt;
  HWND hwnd = nullptr;
  UINT wHitTestCode = 0;
  ULONG_PTR dwExtraInfo = 0;
};

// Hooks are called newest first; a procedure passes the call on with CallNextHookEx. A non-zero
// answer from a keyboard or mouse hook discards the input. A hook may be removed while it runs.
// threadId 0 hooks every thread of the process.
HHOOK SetWindowsHookEx(int idHook, HOOKPROC proc, HINSTANCE module, DWORD threadId);
BOOL UnhookWindowsHookEx(HHOOK hook);
LRESULT CallNextHookEx(HHOOK hook, int code, WPARAM wParam, LPARAM lParam);
// Runs the WH_MSGFILTER chain for a message of a modal loop; TRUE when a hook processed it.
BOOL CallMsgFilter(MSG* msg, int code);
