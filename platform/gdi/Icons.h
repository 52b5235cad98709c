// Icons: an image and a monochrome mask (or an image with alpha), drawn transparently.
#pragma once

#include "platform/gdi/DeviceContext.h"
#include "platform/rtl/WinDef.h"

struct ICONINFO {
  BOOL fIcon = TRUE;
  DWORD xHotspot = 0;
  DWORD yHotspot = 0;
  HBITMAP hbmMask = nullptr;
  HBITMAP hbmColor = nullptr;
};

// The bitmaps are copied. Without a colour bitmap the mask is twice as tall: AND mask over XOR image.
HICON CreateIconIndirect(const ICONINFO* info);
// Copies of the icon's bitmaps (the caller deletes them).
BOOL GetIconInfo(HICON icon, ICONINFO* info);
BOOL DestroyIcon(HICON icon);
HICON CopyIcon(HICON icon);
bool IsIcon(HICON icon);
SIZE IconSize(HICON icon);

constexpr UINT DI_MASK = 0x0001;
constexpr UINT DI_IMAGE = 0x0002;
constexpr UINT DI_NORMAL = 0x0003;
constexpr UINT DI_COMPAT = 0x0004;
constexpr UINT DI_DEFAULTSIZE = 0x0008;
constexpr UINT DI_NOMIRROR = 0x0010;
// Width or height 0 means the icon's own size (or 32 with DI_DEFAULTSIZE). A 32-bit image with any
// alpha is blended; otherwise the mask is ANDed and the image XORed. `background` (a brush) with
// `flickerFreeDraw` is not needed on a single framebuffer and is ignored.
BOOL DrawIconEx(HDC dc, int x, int y, HICON icon, int width, int height, UINT step, HBRUSH background,
                UINT flags);
BOOL DrawIcon(HDC dc, int x, int y, HICON icon);

constexpr UINT IMAGE_BITMAP = 0;
constexpr UINT IMAGE_ICON = 1;
constexpr UINT IMAGE_CURSOR = 2;
constexpr UINT LR_DEFAULTCOLOR = 0x0000;
constexpr UINT LR_COPYDELETEORG = 0x0008;
// Icons and bitmaps scaled to the given size (0 keeps it).
HANDLE CopyImage(HANDLE image, UINT type, int width, int height, UINT flags);
