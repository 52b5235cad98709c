// The classic three-dimensional look: DrawEdge, DrawFrameControl and the system bitmaps.
#pragma once

#include "platform/gdi/DeviceContext.h"
#include "platform/rtl/WinDef.h"

constexpr UINT BDR_RAISEDOUTER = 0x0001;
constexpr UINT BDR_SUNKENOUTER = 0x0002;
constexpr UINT BDR_RAISEDINNER = 0x0004;
constexpr UINT BDR_SUNKENINNER = 0x0008;
constexpr UINT BDR_OUTER = BDR_RAISEDOUTER | BDR_SUNKENOUTER;
constexpr UINT BDR_INNER = BDR_RAISEDINNER | BDR_SUNKENINNER;
constexpr UINT BDR_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER;
constexpr UINT BDR_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER;
constexpr UINT EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER;
constexpr UINT EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER;
constexpr UINT EDGE_ETCHED = BDR_SUNKENOUTER | BDR_RAISEDINNER;
constexpr UINT EDGE_BUMP = BDR_RAISEDOUTER | BDR_SUNKENINNER;

constexpr UINT BF_LEFT = 0x0001;
constexpr UINT BF_TOP = 0x0002;
constexpr UINT BF_RIGHT = 0x0004;
constexpr UINT BF_BOTTOM = 0x0008;
constexpr UINT BF_TOPLEFT = BF_TOP | BF_LEFT;
constexpr UINT BF_TOPRIGHT = BF_TOP | BF_RIGHT;
constexpr UINT BF_BOTTOMLEFT = BF_BOTTOM | BF_LEFT;
constexpr UINT BF_BOTTOMRIGHT = BF_BOTTOM | BF_RIGHT;
constexpr UINT BF_RECT = BF_LEFT | BF_TOP | BF_RIGHT | BF_BOTTOM;
constexpr UINT BF_DIAGONAL = 0x0010;
constexpr UINT BF_DIAGONAL_ENDTOPRIGHT = BF_DIAGONAL | BF_TOP | BF_RIGHT;
constexpr UINT BF_DIAGONAL_ENDTOPLEFT = BF_DIAGONAL | BF_TOP | BF_LEFT;
constexpr UINT BF_DIAGONAL_ENDBOTTOMLEFT = BF_DIAGONAL | BF_BOTTOM | BF_LEFT;
constexpr UINT BF_DIAGONAL_ENDBOTTOMRIGHT = BF_DIAGONAL | BF_BOTTOM | BF_RIGHT;
constexpr UINT BF_MIDDLE = 0x0800;
constexpr UINT BF_SOFT = 0x1000;
constexpr UINT BF_ADJUST = 0x2000;
constexpr UINT BF_FLAT = 0x4000;
constexpr UINT BF_MONO = 0x8000;

// Each border (outer, inner) is one pixel: left and top in the top-left colour stopping one short of
// the far corner, right and bottom in the bottom-right colour over the full length. BF_ADJUST shrinks
// the rectangle to the interior; BF_MIDDLE fills it.
BOOL DrawEdge(HDC dc, RECT* rect, UINT edge, UINT flags);

constexpr UINT DFC_CAPTION = 1;
constexpr UINT DFC_MENU = 2;
constexpr UINT DFC_SCROLL = 3;
constexpr UINT DFC_BUTTON = 4;
constexpr UINT DFC_POPUPMENU = 5;

constexpr UINT DFCS_CAPTIONCLOSE = 0x0000;
constexpr UINT DFCS_CAPTIONMIN = 0x0001;
constexpr UINT DFCS_CAPTIONMAX = 0x0002;
constexpr UINT DFCS_CAPTIONRESTORE = 0x0003;
constexpr UINT DFCS_CAPTIONHELP = 0x0004;
constexpr UINT DFCS_MENUARROW = 0x0000;
constexpr UINT DFCS_MENUCHECK = 0x0001;
constexpr UINT DFCS_MENUBULLET = 0x0002;
constexpr UINT DFCS_MENUARROWRIGHT = 0x0004;
constexpr UINT DFCS_SCROLLUP = 0x0000;
constexpr UINT DFCS_SCROLLDOWN = 0x0001;
constexpr UINT DFCS_SCROLLLEFT = 0x0002;
constexpr UINT DFCS_SCROLLRIGHT = 0x0003;
constexpr UINT DFCS_SCROLLCOMBOBOX = 0x0005;
constexpr UINT DFCS_SCROLLSIZEGRIP = 0x0008;
constexpr UINT DFCS_SCROLLSIZEGRIPRIGHT = 0x0010;
constexpr UINT DFCS_BUTTONCHECK = 0x0000;
constexpr UINT DFCS_BUTTONRADIOIMAGE = 0x0001;
constexpr UINT DFCS_BUTTONRADIOMASK = 0x0002;
constexpr UINT DFCS_BUTTONRADIO = 0x0004;
constexpr UINT DFCS_BUTTON3STATE = 0x0008;
constexpr UINT DFCS_BUTTONPUSH = 0x0010;
constexpr UINT DFCS_INACTIVE = 0x0100;
constexpr UINT DFCS_PUSHED = 0x0200;
constexpr UINT DFCS_CHECKED = 0x0400;
constexpr UINT DFCS_TRANSPARENT = 0x0800;
constexpr UINT DFCS_HOT = 0x1000;
constexpr UINT DFCS_ADJUSTRECT = 0x2000;
constexpr UINT DFCS_FLAT = 0x4000;
constexpr UINT DFCS_MONO = 0x8000;

// Check boxes and radio buttons are drawn in a centred square of the rectangle's smaller side
// (13 pixels in the classic metrics); buttons, caption buttons and scroll arrows fill the rectangle.
BOOL DrawFrameControl(HDC dc, RECT* rect, UINT type, UINT state);

// --- System bitmaps (LoadBitmap with a null instance) ---
constexpr int OBM_CLOSE = 32754;
constexpr int OBM_UPARROW = 32753;
constexpr int OBM_DNARROW = 32752;
constexpr int OBM_RGARROW = 32751;
constexpr int OBM_LFARROW = 32750;
constexpr int OBM_REDUCE = 32749;
constexpr int OBM_ZOOM = 32748;
constexpr int OBM_RESTORE = 32747;
constexpr int OBM_REDUCED = 32746;
constexpr int OBM_ZOOMD = 32745;
constexpr int OBM_RESTORED = 32744;
constexpr int OBM_UPARROWD = 32743;
constexpr int OBM_DNARROWD = 32742;
constexpr int OBM_RGARROWD = 32741;
constexpr int OBM_LFARROWD = 32740;
constexpr int OBM_MNARROW = 32739;
constexpr int OBM_COMBO = 32738;
constexpr int OBM_UPARROWI = 32737;
constexpr int OBM_DNARROWI = 32736;
constexpr int OBM_RGARROWI = 32735;
constexpr int OBM_LFARROWI = 32734;
constexpr int OBM_SIZE = 32766;
constexpr int OBM_BTSIZE = 32761;
constexpr int OBM_CHECK = 32760;
// 4 columns x 3 rows of 13 x 13 cells: check box, radio button and three-state box rows; columns
// unchecked, checked, pushed unchecked, pushed checked.
constexpr int OBM_CHECKBOXES = 32759;
constexpr int OBM_BTNCORNERS = 32758;

// Loads a system bitmap (instance 0 with MAKEINTRESOURCE(OBM_...)) or, through the installed
// loader, a resource bitmap of a module. The caller deletes it.
HBITMAP LoadBitmap(HINSTANCE instance, LPCWSTR name);
using ResourceBitmapLoader = HBITMAP (*)(HINSTANCE instance, LPCWSTR name);
void SetResourceBitmapLoader(ResourceBitmapLoader loader);
