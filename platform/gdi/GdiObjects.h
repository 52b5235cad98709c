// Internal: pens, brushes, bitmaps and palettes behind their handles.
#pragma once

#include <memory>
#include <vector>

#include "platform/gdi/GdiObject.h"
#include "platform/gdi/Objects.h"
#include "platform/gdi/Surface.h"

class TPenObject : public TGdiObject {
 public:
  TPenObject() : TGdiObject(GdiKind::Pen) {}
  int style = PS_SOLID;  // PS_ style bits (without the type and cap bits)
  DWORD fullStyle = PS_SOLID;
  int width = 0;  // 0 and 1 are both one pixel
  COLORREF color = 0;
  bool extended = false;
  std::vector<DWORD> userStyle;
  bool dcPen = false;  // DC_PEN: colour comes from the DC
};

class TBrushObject : public TGdiObject {
 public:
  TBrushObject() : TGdiObject(GdiKind::Brush) {}
  UINT style = BS_SOLID;
  COLORREF color = 0;
  int hatch = 0;
  // BS_PATTERN: the copied pattern pixels; monochrome ones map to the DC's text and background colours.
  std::unique_ptr<TSurface> pattern;
  bool dcBrush = false;  // DC_BRUSH: colour comes from the DC
};

class TBitmapObject : public TGdiObject {
 public:
  TBitmapObject() : TGdiObject(GdiKind::Bitmap) {}
  std::unique_ptr<TSurface> surface;
  int bitsPerPixel = 32;
  bool dib = false;
  bool topDown = false;
  std::vector<Pixel> dibBits;  // the DIB section's memory (bottom-up unless topDown)
  BITMAPINFOHEADER dibHeader;
  const void* selectedInto = nullptr;  // a bitmap is selected into one DC at a time
};

class TPaletteObject : public TGdiObject {
 public:
  TPaletteObject() : TGdiObject(GdiKind::Palette) {}
  std::vector<PALETTEENTRY> entries;
};

TPenObject* PenFromHandle(HGDIOBJ h);
TBrushObject* BrushFromHandle(HGDIOBJ h);
TBitmapObject* BitmapFromHandle(HGDIOBJ h);
// The 1x1 monochrome bitmap every memory DC starts with.
TBitmapObject* DefaultBitmap();
// Makes a bitmap object over a new owned surface.
TBitmapObject* NewBitmapObject(int width, int height, int bitsPerPixel);
