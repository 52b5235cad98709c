// Mouse helpers shared by the editors with buttons in their non-client area.
#pragma once

#include "dx/editors/dxInplaceEdit.h"

// The point of a WM_NCHITTEST (screen coordinates in LParam) in the window's own coordinates.
POINT NonClientHitPoint(HWND Window, LPARAM LParam);
// The host opened the editor by a click at (X, Y) of its client area: the click is replayed as a
// non-client press so that a button under it is pressed.
void ReplayPressAsNonClient(TdxInplaceEdit* Editor, int X, int Y);

// The shortcut a key with its shift state forms (key | 0x2000 Shift | 0x4000 Ctrl | 0x8000 Alt).
Word KeyToShortCut(WORD Key, TShiftState Shift);
