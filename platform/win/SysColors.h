// The system colours (classic scheme) and their brushes; changing them tells the top-level windows.
#pragma once

#include "platform/gdi/SysColors.h"
#include "platform/rtl/WinDef.h"

COLORREF GetSysColor(int index);
// A brush of the colour that lives as long as the layer (DeleteObject on it is ignored).
HBRUSH GetSysColorBrush(int index);
// Sets colours and sends WM_SYSCOLORCHANGE to the top-level windows.
BOOL SetSysColors(int count, const int* indexes, const COLORREF* colors);
// Back to the classic scheme (tests).
void ResetSysColors();
