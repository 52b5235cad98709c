// The window side of the edit and rich-edit classes: one implementation, two class procedures.
#pragma once

#include "platform/rtl/WinDef.h"

LRESULT EditWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT RichEditWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
