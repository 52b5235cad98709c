// The window procedure of the button class.
#pragma once

#include "platform/rtl/WinDef.h"

LRESULT ButtonWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
