// Image lists: same-sized images with masks, drawn transparent, blended or as masks; and the drag
// image shown on the screen while dragging.
#pragma once

#include "platform/gdi/DeviceContext.h"
#include "platform/rtl/WinDef.h"

constexpr UINT ILC_MASK = 0x0001;
constexpr UINT ILC_COLOR = 0x0000;
constexpr UINT ILC_COLORDDB = 0x00FE;
constexpr UINT ILC_COLOR4 = 0x0004;
constexpr UINT ILC_COLOR8 = 0x0008;
constexpr UINT ILC_COLOR16 = 0x0010;
constexpr UINT ILC_COLOR24 = 0x0018;
constexpr UINT ILC_COLOR32 = 0x0020;

constexpr UINT ILD_NORMAL = 0x0000;
constexpr UINT ILD_TRANSPARENT = 0x0001;
constexpr UINT ILD_BLEND25 = 0x0002;
constexpr UINT ILD_FOCUS = ILD_BLEND25;
constexpr UINT ILD_BLEND50 = 0x0004;
constexpr UINT ILD_SELECTED = ILD_BLEND50;
constexpr UINT ILD_BLEND = ILD_BLEND50;
constexpr UINT ILD_MASK = 0x0010;
constexpr UINT ILD_IMAGE = 0x0020;
constexpr UINT ILD_ROP = 0x0040;
constexpr UINT ILD_OVERLAYMASK = 0x0F00;
constexpr UINT INDEXTOOVERLAYMASK(UINT i) { return i << 8; }

constexpr COLORREF CLR_NONE = 0xFFFFFFFF;
constexpr COLORREF CLR_DEFAULT = 0xFF000000;

constexpr UINT ILCF_MOVE = 0x0000;
constexpr UINT ILCF_SWAP = 0x0001;

HIMAGELIST ImageList_Create(int cx, int cy, UINT flags, int initial, int grow);
BOOL ImageList_Destroy(HIMAGELIST list);
int ImageList_GetImageCount(HIMAGELIST list);
BOOL ImageList_SetImageCount(HIMAGELIST list, UINT count);
BOOL ImageList_GetIconSize(HIMAGELIST list, int* cx, int* cy);
// Changing the size removes every image.
BOOL ImageList_SetIconSize(HIMAGELIST list, int cx, int cy);
// A bitmap as wide as several images adds them all; returns the first new index or -1.
int ImageList_Add(HIMAGELIST list, HBITMAP image, HBITMAP mask);
// Pixels of `maskColor` become transparent (and black in the image); CLR_DEFAULT takes the colour of
// the bitmap's bottom-left pixel.
int ImageList_AddMasked(HIMAGELIST list, HBITMAP image, COLORREF maskColor);
BOOL ImageList_Replace(HIMAGELIST list, int index, HBITMAP image, HBITMAP mask);
// index -1 appends; returns the index or -1.
int ImageList_ReplaceIcon(HIMAGELIST list, int index, HICON icon);
inline int ImageList_AddIcon(HIMAGELIST list, HICON icon) { return ImageList_ReplaceIcon(list, -1, icon); }
// index -1 removes all.
BOOL ImageList_Remove(HIMAGELIST list, int index);
inline BOOL ImageList_RemoveAll(HIMAGELIST list) { return ImageList_Remove(list, -1); }
BOOL ImageList_Copy(HIMAGELIST dest, int destIndex, HIMAGELIST src, int srcIndex, UINT flags);
HIMAGELIST ImageList_Duplicate(HIMAGELIST list);
COLORREF ImageList_SetBkColor(HIMAGELIST list, COLORREF color);
COLORREF ImageList_GetBkColor(HIMAGELIST list);
// Overlay 1..15 refers to an image of the list, drawn over an image with INDEXTOOVERLAYMASK(overlay).
BOOL ImageList_SetOverlayImage(HIMAGELIST list, int image, int overlay);

BOOL ImageList_Draw(HIMAGELIST list, int index, HDC dc, int x, int y, UINT style);
// `dx`/`dy` (0 = whole image) draw part of the image. `bk`: CLR_NONE transparent, CLR_DEFAULT the
// list's colour. `fg` (for ILD_BLEND25/50): CLR_DEFAULT the highlight colour, CLR_NONE the destination.
BOOL ImageList_DrawEx(HIMAGELIST list, int index, HDC dc, int x, int y, int dx, int dy, COLORREF bk,
                      COLORREF fg, UINT style);
HICON ImageList_GetIcon(HIMAGELIST list, int index, UINT flags);

// --- Drag images ---

// How the drag image reaches the screen: the window system places it and lends a screen DC.
class DragImageHost {
 public:
  virtual ~DragImageHost() = default;
  // Screen position of the lock window's top-left corner (its window rectangle); the desktop's when
  // the window is null.
  virtual POINT WindowOrigin(HWND lock) = 0;
  virtual HDC GetScreenDC() = 0;
  virtual void ReleaseScreenDC(HDC dc) = 0;
};
void SetDragImageHost(DragImageHost* host);

BOOL ImageList_BeginDrag(HIMAGELIST list, int index, int hotspotX, int hotspotY);
void ImageList_EndDrag();
// Positions are relative to the lock window's top-left corner.
BOOL ImageList_DragEnter(HWND lock, int x, int y);
BOOL ImageList_DragLeave(HWND lock);
BOOL ImageList_DragMove(int x, int y);
BOOL ImageList_DragShowNolock(BOOL show);
BOOL ImageList_SetDragCursorImage(HIMAGELIST list, int index, int hotspotX, int hotspotY);
HIMAGELIST ImageList_GetDragImage(POINT* position, POINT* hotspot);
