// The window procedures of the tree view class and of its tool-tip pop-up.
#pragma once

#include "platform/rtl/WinDef.h"

inline const char16_t kTreeTipClassName[] = u"TreeViewTips";

LRESULT TreeViewWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT TreeTipWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
