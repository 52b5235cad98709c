// Drawing and placement routines shared by the editors, their pop-ups and the tree list: the cell
// text routine with its own flag word, pop-up frames, shadows, size grips and close buttons,
// transparent and dithered bitmaps, image-list output and pop-up placement on the work area.
#pragma once

#include <functional>

#include "platform/forms/Colors.h"
#include "platform/forms/ImgList.h"
#include "platform/rtl/Types.h"
#include "platform/rtl/WinDef.h"

class TBitmap;

// The flag word of DrawCellText.
constexpr Word dxCellLeft = 0x0000;
constexpr Word dxCellCenter = 0x0001;
constexpr Word dxCellRight = 0x0002;
constexpr Word dxCellHorzMask = 0x0003;
constexpr Word dxCellTop = 0x0000;
constexpr Word dxCellVCenter = 0x0004;
constexpr Word dxCellBottom = 0x0008;
constexpr Word dxCellMultiLine = 0x0010;
constexpr Word dxCellVertMask = 0x001C;
constexpr Word dxCellEndEllipsis = 0x0100;
constexpr Word dxCellPathEllipsis = 0x0200;
constexpr Word dxCellFocusRect = 0x0400;
constexpr Word dxCellFocusAroundText = 0x0800;
constexpr Word dxCellNoFill = 0x1000;
constexpr Word dxCellPrefix = 0x2000;
constexpr Word dxCellMeasureOnly = 0x4000;
constexpr Word dxCellKeepBkMode = 0x8000;

TRENVIK_ENUM(TdxPopupBorder, pbDefault, pbSingle, pbFrame3D, pbFlat);

// Size-grip corners: 0 top-left, 1 top-right, 2 bottom-left, 3 bottom-right.
using TdxSizeGripCorner = int;

// Draws (or, with dxCellMeasureOnly, measures) Count characters of Text. LineHeight, when given,
// receives the height of one line in the measuring pass. The result is the needed height when
// measuring, otherwise 0.
int DrawCellText(HDC DC, const Char* Text, int Count, int* LineHeight, TColor TextColor, TColor BkColor,
                 HFONT Font, HBRUSH Brush, Word Flags, const RECT& TextRect, const RECT& BackgroundRect);

// Places a pop-up whose top-left would be Point (just below its owner) on the work area: moved in
// horizontally, and above the owner when it does not fit below and there is more room above.
void AdjustPopupPosition(POINT& Point, int Width, int Height, int OwnerHeight);
void GetMonitorWorkArea(POINT Point, RECT& Rect);

int GetPopupBarHeight();
TdxSizeGripCorner GetPopupSizeGripCorner(const RECT& OwnerClientRect, const RECT& PopupRect);
int SizeGripCornerToHitTest(TdxSizeGripCorner Corner);
void DrawPopupCloseButton(HDC DC, RECT& Rect, bool Hot, TdxSizeGripCorner Corner, bool Pressed);
void DrawPopupSizeGrip(HDC DC, RECT& Rect, TdxSizeGripCorner Corner);

// Grows the bitmap to at least the size; never shrinks it.
void EnsureBitmapSize(TBitmap* Bitmap, int Width, int Height);
// Overlays Color on the checker pattern's pixels of what the rectangle shows.
void DitherRect(HDC DC, const RECT& Rect, TColor Color);
// The bitmap at Rect's top-left (Rect's size), its transparent colour showing Brush.
void DrawTransparentBitmap(HDC DC, HBRUSH Brush, const RECT& Rect, TBitmap* Bitmap);
// CellRect painted with Brush and the bitmap at BitmapRect (clipped to the cell), in one output.
void DrawBitmapInCell(HDC DC, HBRUSH Brush, const RECT& CellRect, TBitmap* Bitmap, const RECT& BitmapRect);
COLORREF ColorToImageListColor(TColor Color);
void DrawImageListImage(HDC DC, int X, int Y, TCustomImageList* ImageList, int Index);
// The bottom strip (Size high) and the right strip (Size wide) of Rect.
void FillShadowStrips(HDC DC, const RECT& Rect, int Size, HBRUSH Brush);
void DrawPopupFrameOnDC(HDC DC, RECT& Rect, TdxPopupBorder Border, int ShadowSize, bool Shadow,
                        bool BothScrollBars);
void DrawPopupFrame(HWND Window, TdxPopupBorder Border, bool BothScrollBars, int ShadowSize, bool Shadow);
void SetShadowRegion(HWND Window, bool Shadow, int ShadowSize);

// Controls that draw their own one-pixel border: the client rectangle of a WM_NCCALCSIZE (its
// LParam) is inset by it, and the border is drawn on the window's DC over the whole window.
void InsetClientByOwnBorder(LPARAM CalcSizeParams);
void PaintOwnBorder(HWND Window, const std::function<void(HDC DC, const RECT& WindowRect)>& Paint);

// The two brushes made once per run (checker: drawing-routine module; shadow: editor module).
HBRUSH dxCheckerBrush();
HBRUSH dxShadowBrush();
void InitDrawUtilsModule();
void FinalizeDrawUtilsModule();
void InitShadowBrush();
void FinalizeShadowBrush();
