// The common controls' initialisation. The layer registers its control window classes at module
// start-up, so these only check their argument and remember what was asked for.
#pragma once

#include "platform/rtl/WinDef.h"

constexpr DWORD ICC_LISTVIEW_CLASSES = 0x00000001;
constexpr DWORD ICC_TREEVIEW_CLASSES = 0x00000002;
constexpr DWORD ICC_BAR_CLASSES = 0x00000004;
constexpr DWORD ICC_TAB_CLASSES = 0x00000008;
constexpr DWORD ICC_UPDOWN_CLASS = 0x00000010;
constexpr DWORD ICC_PROGRESS_CLASS = 0x00000020;
constexpr DWORD ICC_HOTKEY_CLASS = 0x00000040;
constexpr DWORD ICC_ANIMATE_CLASS = 0x00000080;
constexpr DWORD ICC_WIN95_CLASSES = 0x000000FF;
constexpr DWORD ICC_DATE_CLASSES = 0x00000100;
constexpr DWORD ICC_USEREX_CLASSES = 0x00000200;
constexpr DWORD ICC_COOL_CLASSES = 0x00000400;
constexpr DWORD ICC_STANDARD_CLASSES = 0x00004000;

struct INITCOMMONCONTROLSEX {
  DWORD dwSize = sizeof(INITCOMMONCONTROLSEX);
  DWORD dwICC = 0;
};

void InitCommonControls();
// FALSE for a missing record, a wrong size or unknown class bits.
BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* init);
// The class bits asked for so far.
DWORD InitializedCommonControls();
