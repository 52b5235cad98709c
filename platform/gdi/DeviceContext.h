// Device contexts: drawing state over a 32-bit surface, and the calls that set it up.
#pragma once

#include "platform/gdi/Region.h"
#include "platform/gdi/Surface.h"
#include "platform/rtl/WinDef.h"

// --- Device contexts onto surfaces (used by the window system for window, client and screen DCs) ---

// A device context drawing on `surface`: device point (0,0) is the surface pixel `origin`, and nothing
// is drawn outside `visRgn` (surface coordinates, copied; nullptr = the whole surface). Freed with
// DeleteDC. The surface must outlive the DC.
HDC CreateSurfaceDC(TSurface* surface, POINT origin, const GdiRegion* visRgn);
// Moves the DC's origin and replaces its visible region (a window moved while its DC is held).
void SetSurfaceDCOrigin(HDC dc, POINT origin, const GdiRegion* visRgn);
// The surface a DC draws on (the selected bitmap's for a memory DC) and the surface position of its
// device origin; nullptr when the DC is not live.
TSurface* GetDCSurface(HDC dc, POINT* origin = nullptr);
// The visible region in surface coordinates (the whole surface when none was given).
GdiRegion GetDCVisibleRegion(HDC dc);
// Back to a fresh DC's state: stock objects selected, default colours and modes, no clip region,
// origins at zero, saved states dropped (a cached window DC given out again).
void ResetDCState(HDC dc);
// Whether `dc` is a live device context.
bool IsDC(HDC dc);

// --- Creation ---
HDC CreateCompatibleDC(HDC dc);
BOOL DeleteDC(HDC dc);
int SaveDC(HDC dc);
// `saved` > 0 restores that state; < 0 counts back from the latest (-1 = the latest).
BOOL RestoreDC(HDC dc, int saved);

// --- Objects ---
HGDIOBJ SelectObject(HDC dc, HGDIOBJ object);
constexpr UINT OBJ_PEN = 1;
constexpr UINT OBJ_BRUSH = 2;
constexpr UINT OBJ_DC = 3;
constexpr UINT OBJ_PAL = 5;
constexpr UINT OBJ_FONT = 6;
constexpr UINT OBJ_BITMAP = 7;
constexpr UINT OBJ_REGION = 8;
constexpr UINT OBJ_MEMDC = 10;
constexpr UINT OBJ_EXTPEN = 11;
HGDIOBJ GetCurrentObject(HDC dc, UINT type);
// 0 when the handle is not a live object.
DWORD GetObjectType(HGDIOBJ object);

// --- Attributes ---
constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;
COLORREF SetTextColor(HDC dc, COLORREF color);
COLORREF GetTextColor(HDC dc);
COLORREF SetBkColor(HDC dc, COLORREF color);
COLORREF GetBkColor(HDC dc);
// DC_BRUSH / DC_PEN stock objects draw in these.
COLORREF SetDCBrushColor(HDC dc, COLORREF color);
COLORREF GetDCBrushColor(HDC dc);
COLORREF SetDCPenColor(HDC dc, COLORREF color);
COLORREF GetDCPenColor(HDC dc);
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;
int SetBkMode(HDC dc, int mode);
int GetBkMode(HDC dc);

constexpr int R2_BLACK = 1;
constexpr int R2_NOTMERGEPEN = 2;
constexpr int R2_MASKNOTPEN = 3;
constexpr int R2_NOTCOPYPEN = 4;
constexpr int R2_MASKPENNOT = 5;
constexpr int R2_NOT = 6;
constexpr int R2_XORPEN = 7;
constexpr int R2_NOTMASKPEN = 8;
constexpr int R2_MASKPEN = 9;
constexpr int R2_NOTXORPEN = 10;
constexpr int R2_NOP = 11;
constexpr int R2_MERGENOTPEN = 12;
constexpr int R2_COPYPEN = 13;
constexpr int R2_MERGEPENNOT = 14;
constexpr int R2_MERGEPEN = 15;
constexpr int R2_WHITE = 16;
int SetROP2(HDC dc, int mode);
int GetROP2(HDC dc);

constexpr int BLACKONWHITE = 1;
constexpr int WHITEONBLACK = 2;
constexpr int COLORONCOLOR = 3;
constexpr int HALFTONE = 4;
constexpr int STRETCH_ANDSCANS = BLACKONWHITE;
constexpr int STRETCH_ORSCANS = WHITEONBLACK;
constexpr int STRETCH_DELETESCANS = COLORONCOLOR;
constexpr int STRETCH_HALFTONE = HALFTONE;
int SetStretchBltMode(HDC dc, int mode);
int GetStretchBltMode(HDC dc);
int SetPolyFillMode(HDC dc, int mode);
int GetPolyFillMode(HDC dc);

// Only MM_TEXT is supported: one logical unit is one pixel, y grows downwards.
constexpr int MM_TEXT = 1;
int SetMapMode(HDC dc, int mode);
int GetMapMode(HDC dc);

// --- Coordinates: device = logical - window origin + viewport origin ---
BOOL SetViewportOrgEx(HDC dc, int x, int y, POINT* old);
BOOL GetViewportOrgEx(HDC dc, POINT* point);
BOOL OffsetViewportOrgEx(HDC dc, int dx, int dy, POINT* old);
BOOL SetWindowOrgEx(HDC dc, int x, int y, POINT* old);
BOOL GetWindowOrgEx(HDC dc, POINT* point);
BOOL OffsetWindowOrgEx(HDC dc, int dx, int dy, POINT* old);
BOOL SetBrushOrgEx(HDC dc, int x, int y, POINT* old);
BOOL GetBrushOrgEx(HDC dc, POINT* point);
BOOL LPtoDP(HDC dc, POINT* points, int count);
BOOL DPtoLP(HDC dc, POINT* points, int count);
BOOL GetCurrentPositionEx(HDC dc, POINT* point);
// The surface position of the DC's device origin.
BOOL GetDCOrgEx(HDC dc, POINT* point);

constexpr int HORZSIZE = 4;
constexpr int VERTSIZE = 6;
constexpr int HORZRES = 8;
constexpr int VERTRES = 10;
constexpr int BITSPIXEL = 12;
constexpr int PLANES = 14;
constexpr int NUMCOLORS = 24;
constexpr int RASTERCAPS = 38;
constexpr int LOGPIXELSX = 88;
constexpr int LOGPIXELSY = 90;
constexpr int SIZEPALETTE = 104;
constexpr int RC_BITBLT = 1;
constexpr int RC_PALETTE = 0x0100;
constexpr int RC_STRETCHBLT = 0x0800;
int GetDeviceCaps(HDC dc, int index);

// --- Clipping (regions in device coordinates, rectangles in logical ones) ---
constexpr int RGN_MIN = RGN_AND;
int SelectClipRgn(HDC dc, HRGN rgn);
int ExtSelectClipRgn(HDC dc, HRGN rgn, int mode);
int ExcludeClipRect(HDC dc, int left, int top, int right, int bottom);
int IntersectClipRect(HDC dc, int left, int top, int right, int bottom);
int OffsetClipRgn(HDC dc, int dx, int dy);
// Copies the application clip region into `rgn`: 1 when there is one, 0 when none, -1 on error.
int GetClipRgn(HDC dc, HRGN rgn);
// The box of what can be drawn (clip region and visible region), in logical coordinates.
int GetClipBox(HDC dc, RECT* rect);
BOOL RectVisible(HDC dc, const RECT* rect);
BOOL PtVisible(HDC dc, int x, int y);
