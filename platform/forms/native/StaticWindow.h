// The window procedure of the static class.
#pragma once

#include "platform/rtl/WinDef.h"

LRESULT StaticWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
