// Dialog-key routing: Tab and Shift+Tab between WS_TABSTOP controls, arrows inside WS_GROUP groups,
// Enter and Esc as IDOK / IDCANCEL commands, Alt+letter to the control with that mnemonic — unless
// the focused control asks for the key through WM_GETDLGCODE.
#pragma once

#include "platform/rtl/WinDef.h"
#include "platform/win/Messages.h"

// For messages of `dialog` or its controls: handles dialog keys and translates and dispatches the
// rest, answering TRUE (the caller does nothing more); FALSE for messages of other windows.
BOOL IsDialogMessage(HWND dialog, MSG* msg);
HWND GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous);
HWND GetNextDlgGroupItem(HWND dialog, HWND control, BOOL previous);
// The id Enter sends (IDOK unless set).
constexpr UINT DM_GETDEFID = WM_USER + 0;
constexpr UINT DM_SETDEFID = WM_USER + 1;
constexpr WORD DC_HASDEFID = 0x534B;
