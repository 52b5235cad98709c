// The window procedure of the combo box class.
#pragma once

#include "platform/rtl/WinDef.h"

LRESULT ComboBoxWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
