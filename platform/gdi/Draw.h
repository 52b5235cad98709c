// Lines, shapes, fills, pixels and bit-block transfers.
#pragma once

#include "platform/gdi/DeviceContext.h"
#include "platform/rtl/WinDef.h"

// --- Lines and shapes (pen outline, brush interior, both mixed by the ROP2 mode) ---
BOOL MoveToEx(HDC dc, int x, int y, POINT* old);
// The last pixel is not drawn.
BOOL LineTo(HDC dc, int x, int y);
BOOL Polyline(HDC dc, const POINT* points, int count);
BOOL PolylineTo(HDC dc, const POINT* points, DWORD count);
BOOL PolyPolyline(HDC dc, const POINT* points, const DWORD* counts, DWORD polylines);
BOOL Polygon(HDC dc, const POINT* points, int count);
BOOL PolyPolygon(HDC dc, const POINT* points, const int* counts, int polygons);
// Right and bottom are exclusive; with a null pen the filled area is one pixel smaller on those sides.
BOOL Rectangle(HDC dc, int left, int top, int right, int bottom);
BOOL RoundRect(HDC dc, int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight);
BOOL Ellipse(HDC dc, int left, int top, int right, int bottom);

// --- Fills (PATCOPY, ignoring the ROP2 mode unless said otherwise) ---
// A brush handle, or a system colour index + 1 (COLOR_WINDOW + 1 ...).
int FillRect(HDC dc, const RECT* rect, HBRUSH brush);
int FrameRect(HDC dc, const RECT* rect, HBRUSH brush);
BOOL InvertRect(HDC dc, const RECT* rect);
// The dotted XOR frame of keyboard focus; drawing it twice restores the pixels.
BOOL DrawFocusRect(HDC dc, const RECT* rect);
BOOL FillRgn(HDC dc, HRGN rgn, HBRUSH brush);
BOOL FrameRgn(HDC dc, HRGN rgn, HBRUSH brush, int width, int height);
BOOL InvertRgn(HDC dc, HRGN rgn);
// Fills with the selected brush under the ROP2 mode.
BOOL PaintRgn(HDC dc, HRGN rgn);

// --- Pixels ---
COLORREF SetPixel(HDC dc, int x, int y, COLORREF color);
BOOL SetPixelV(HDC dc, int x, int y, COLORREF color);
// CLR_INVALID outside the clip region or the surface.
COLORREF GetPixel(HDC dc, int x, int y);

// --- Raster operations: 0x00PPSSDD, the third byte is the ternary code ---
constexpr DWORD SRCCOPY = 0x00CC0020;
constexpr DWORD SRCPAINT = 0x00EE0086;
constexpr DWORD SRCAND = 0x008800C6;
constexpr DWORD SRCINVERT = 0x00660046;
constexpr DWORD SRCERASE = 0x00440328;
constexpr DWORD NOTSRCCOPY = 0x00330008;
constexpr DWORD NOTSRCERASE = 0x001100A6;
constexpr DWORD MERGECOPY = 0x00C000CA;
constexpr DWORD MERGEPAINT = 0x00BB0226;
constexpr DWORD PATCOPY = 0x00F00021;
constexpr DWORD PATPAINT = 0x00FB0A09;
constexpr DWORD PATINVERT = 0x005A0049;
constexpr DWORD DSTINVERT = 0x00550009;
constexpr DWORD BLACKNESS = 0x00000042;
constexpr DWORD WHITENESS = 0x00FF0062;
constexpr DWORD NOMIRRORBITMAP = 0x80000000;
constexpr DWORD CAPTUREBLT = 0x40000000;
// MaskBlt's code: foreground (mask bit 1) and background (mask bit 0) operations.
constexpr DWORD MAKEROP4(DWORD fore, DWORD back) { return ((back << 8) & 0xFF000000u) | fore; }

BOOL PatBlt(HDC dc, int x, int y, int width, int height, DWORD rop);
BOOL BitBlt(HDC dest, int x, int y, int width, int height, HDC src, int srcX, int srcY, DWORD rop);
// Negative extents mirror; the source is sampled at the nearest pixel.
BOOL StretchBlt(HDC dest, int x, int y, int width, int height, HDC src, int srcX, int srcY, int srcWidth,
                int srcHeight, DWORD rop);
BOOL MaskBlt(HDC dest, int x, int y, int width, int height, HDC src, int srcX, int srcY, HBITMAP mask,
             int maskX, int maskY, DWORD rop4);
// Copies the source except the pixels of `transparent` colour, stretching as StretchBlt.
BOOL TransparentBlt(HDC dest, int x, int y, int width, int height, HDC src, int srcX, int srcY, int srcWidth,
                    int srcHeight, UINT transparent);

constexpr BYTE AC_SRC_OVER = 0x00;
constexpr BYTE AC_SRC_ALPHA = 0x01;
struct BLENDFUNCTION {
  BYTE BlendOp = AC_SRC_OVER;
  BYTE BlendFlags = 0;
  BYTE SourceConstantAlpha = 255;
  BYTE AlphaFormat = 0;
};
// Source over destination: constant alpha, and with AC_SRC_ALPHA the source's premultiplied alpha.
BOOL AlphaBlend(HDC dest, int x, int y, int width, int height, HDC src, int srcX, int srcY, int srcWidth,
                int srcHeight, BLENDFUNCTION blend);
// The same on surfaces directly, for the window system's layered composition: `src` rectangle at
// (x, y) of `dest`, clipped by `clip` (dest coordinates; nullptr = none).
void BlendSurface(TSurface& dest, int x, int y, const TSurface& src, const RECT& srcRect, BLENDFUNCTION blend,
                  const GdiRegion* clip);
// Copies a rectangle between surfaces (or within one, overlap handled), clipped by `clip` (dest
// coordinates; nullptr = none): save-bits, scrolling and screen-to-screen copies.
void CopySurface(TSurface& dest, int x, int y, const TSurface& src, const RECT& srcRect,
                 const GdiRegion* clip);
