// The window procedure of the list box class.
#pragma once

#include "platform/rtl/WinDef.h"

LRESULT ListBoxWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
