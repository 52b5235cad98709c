// The system colours as the drawing layer sees them. The window system owns the table (GetSysColor,
// SetSysColors) and installs itself as the source; until then the classic defaults apply.
#pragma once

#include "platform/rtl/WinDef.h"

// The classic scheme's colour for a COLOR_ index (black for unknown indices).
COLORREF ClassicSysColor(int index);

using SysColorSource = COLORREF (*)(int index);
// nullptr goes back to the classic defaults.
void SetSysColorSource(SysColorSource source);
// The current colour of a COLOR_ index, as DrawEdge and DrawFrameControl paint with it.
COLORREF GdiSysColor(int index);
