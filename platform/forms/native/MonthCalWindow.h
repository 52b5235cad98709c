// The window procedure of the month calendar class.
#pragma once

#include "platform/rtl/WinDef.h"

LRESULT MonthCalWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
