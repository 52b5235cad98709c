#include "platform/gdi/Objects.h"

#include <algorithm>
#include <cstring>

#include "platform/gdi/DcImpl.h"
#include "platform/gdi/FontImpl.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/PixelOps.h"

TPenObject* PenFromHandle(HGDIOBJ h) { return LookupGdi<TPenObject>(h, GdiKind::Pen); }
TBrushObject* BrushFromHandle(HGDIOBJ h) { return LookupGdi<TBrushObject>(h, GdiKind::Brush); }
TBitmapObject* BitmapFromHandle(HGDIOBJ h) { return LookupGdi<TBitmapObject>(h, GdiKind::Bitmap); }

TBitmapObject* NewBitmapObject(int width, int height, int bitsPerPixel) {
  auto* bm = new TBitmapObject;
  bm->bitsPerPixel = bitsPerPixel == 1 ? 1 : 32;
  bm->surface = std::make_unique<TSurface>(width, height, bitsPerPixel == 1 ? 0xFF000000u : 0xFF000000u);
  bm->surface->SetMonochrome(bitsPerPixel == 1);
  RegisterGdiObject(bm);
  return bm;
}

namespace {

template <class T>
T* Stock(T* object) {
  object->MarkStock();
  RegisterGdiObject(object);
  return object;
}

TPenObject* NewPen(int style, int width, COLORREF color) {
  auto* pen = new TPenObject;
  pen->style = style & PS_STYLE_MASK;
  pen->fullStyle = static_cast<DWORD>(style);
  pen->width = std::max(width, 0);
  pen->color = color;
  return pen;
}

TBrushObject* NewBrush(UINT style, COLORREF color, int hatch) {
  auto* brush = new TBrushObject;
  brush->style = style;
  brush->color = color;
  brush->hatch = hatch;
  return brush;
}

std::vector<TGdiObject*>& StockTable() {
  // Never destroyed: objects selected at exit must stay valid. Made once, whichever thread asks first.
  static auto& table = *[] {
    auto* made = new std::vector<TGdiObject*>;
    auto& table = *made;
    table.resize(DC_PEN + 1, nullptr);
    table[WHITE_BRUSH] = Stock(NewBrush(BS_SOLID, RGB(255, 255, 255), 0));
    table[LTGRAY_BRUSH] = Stock(NewBrush(BS_SOLID, RGB(192, 192, 192), 0));
    table[GRAY_BRUSH] = Stock(NewBrush(BS_SOLID, RGB(128, 128, 128), 0));
    table[DKGRAY_BRUSH] = Stock(NewBrush(BS_SOLID, RGB(64, 64, 64), 0));
    table[BLACK_BRUSH] = Stock(NewBrush(BS_SOLID, RGB(0, 0, 0), 0));
    table[NULL_BRUSH] = Stock(NewBrush(BS_NULL, 0, 0));
    table[WHITE_PEN] = Stock(NewPen(PS_SOLID, 0, RGB(255, 255, 255)));
    table[BLACK_PEN] = Stock(NewPen(PS_SOLID, 0, RGB(0, 0, 0)));
    table[NULL_PEN] = Stock(NewPen(PS_NULL, 0, 0));
    auto* dcBrush = NewBrush(BS_SOLID, RGB(255, 255, 255), 0);
    dcBrush->dcBrush = true;
    table[DC_BRUSH] = Stock(dcBrush);
    auto* dcPen = NewPen(PS_SOLID, 0, 0);
    dcPen->dcPen = true;
    table[DC_PEN] = Stock(dcPen);
    table[DEFAULT_PALETTE] = Stock(new TPaletteObject);
    for (int font : {OEM_FIXED_FONT, ANSI_FIXED_FONT, ANSI_VAR_FONT, SYSTEM_FONT, DEVICE_DEFAULT_FONT,
                     SYSTEM_FIXED_FONT, DEFAULT_GUI_FONT}) {
      TGdiObject* f = CreateStockFont(font);
      f->MarkStock();
      table[font] = f;
    }
    return made;
  }();
  return table;
}

// Bytes per row of a platform bitmap: padded to 16 bits for CreateBitmap, 32 bits for DIBs.
int RowBytes(int width, int bitsPerPixel, int align) {
  const int bits = width * bitsPerPixel;
  return ((bits + align - 1) / align) * (align / 8);
}

void LoadBits(TSurface& s, int bitsPerPixel, const BYTE* bits, int rowBytes, bool bottomUp,
              const RGBQUAD* table, int firstLine, int lines) {
  for (int i = 0; i < lines; ++i) {
    const int line = firstLine + i;
    const int y = bottomUp ? s.Height() - 1 - line : line;
    if (y < 0 || y >= s.Height()) continue;
    const BYTE* row = bits + static_cast<std::ptrdiff_t>(i) * rowBytes;
    Pixel* out = s.Row(y);
    for (int x = 0; x < s.Width(); ++x) {
      switch (bitsPerPixel) {
        case 1: {
          const bool on = (row[x / 8] >> (7 - x % 8)) & 1;
          if (table)
            out[x] = 0xFF000000u | (table[on].rgbRed << 16) | (table[on].rgbGreen << 8) | table[on].rgbBlue;
          else
            out[x] = on ? 0xFFFFFFFFu : 0xFF000000u;
          break;
        }
        case 24:
          out[x] = 0xFF000000u | (row[x * 3 + 2] << 16) | (row[x * 3 + 1] << 8) | row[x * 3];
          break;
        case 32:
          std::memcpy(&out[x], row + x * 4, 4);
          break;
        default:
          break;
      }
    }
  }
}

}  // namespace

TBitmapObject* DefaultBitmap() { return BitmapFromHandle(GetStockObject(-1)); }

HGDIOBJ GetStockObject(int index) {
  if (index == -1) {
    // The 1x1 monochrome bitmap of fresh memory DCs.
    static TBitmapObject* defaultBitmap = [] {
      TBitmapObject* bm = NewBitmapObject(1, 1, 1);
      bm->MarkStock();
      return bm;
    }();
    return HandleOf(defaultBitmap);
  }
  auto& table = StockTable();
  if (index < 0 || index >= static_cast<int>(table.size()) || !table[index]) return nullptr;
  return HandleOf(table[index]);
}

void MakeStockObject(HGDIOBJ object) {
  if (TGdiObject* o = LookupGdiObject(object); o && o->Kind() != GdiKind::DC) o->MarkStock();
}

// --- Pens ---

HPEN CreatePen(int style, int width, COLORREF color) {
  if ((style & PS_STYLE_MASK) > PS_INSIDEFRAME) style = PS_SOLID;
  return static_cast<HPEN>(RegisterGdiObject(NewPen(style, width, color)));
}

HPEN CreatePenIndirect(const LOGPEN* pen) {
  return pen ? CreatePen(static_cast<int>(pen->lopnStyle), pen->lopnWidth.x, pen->lopnColor) : nullptr;
}

HPEN ExtCreatePen(DWORD style, DWORD width, const LOGBRUSH* brush, DWORD styleCount, const DWORD* styles) {
  if (!brush) return nullptr;
  const bool cosmetic = (style & PS_TYPE_MASK) == PS_COSMETIC;
  if (cosmetic && width != 1) return nullptr;
  if ((style & PS_STYLE_MASK) == PS_ALTERNATE && !cosmetic) return nullptr;
  TPenObject* pen = NewPen(static_cast<int>(style & PS_STYLE_MASK), static_cast<int>(width), brush->lbColor);
  pen->fullStyle = style;
  pen->extended = true;
  if ((style & PS_STYLE_MASK) == PS_USERSTYLE && styles) pen->userStyle.assign(styles, styles + styleCount);
  if (brush->lbStyle == BS_NULL) pen->style = PS_NULL;
  return static_cast<HPEN>(RegisterGdiObject(pen));
}

// --- Brushes ---

HBRUSH CreateSolidBrush(COLORREF color) {
  return static_cast<HBRUSH>(RegisterGdiObject(NewBrush(BS_SOLID, color, 0)));
}

HBRUSH CreateHatchBrush(int hatch, COLORREF color) {
  if (hatch < HS_HORIZONTAL || hatch > HS_DIAGCROSS) return nullptr;
  return static_cast<HBRUSH>(RegisterGdiObject(NewBrush(BS_HATCHED, color, hatch)));
}

HBRUSH CreatePatternBrush(HBITMAP bitmap) {
  TBitmapObject* bm = BitmapFromHandle(bitmap);
  if (!bm || bm->surface->Width() == 0 || bm->surface->Height() == 0) return nullptr;
  TBrushObject* brush = NewBrush(BS_PATTERN, 0, 0);
  const TSurface& src = *bm->surface;
  brush->pattern = std::make_unique<TSurface>(src.Width(), src.Height());
  brush->pattern->SetMonochrome(src.Monochrome());
  for (int y = 0; y < src.Height(); ++y) std::copy_n(src.Row(y), src.Width(), brush->pattern->Row(y));
  return static_cast<HBRUSH>(RegisterGdiObject(brush));
}

HBRUSH CreateBrushIndirect(const LOGBRUSH* lb) {
  if (!lb) return nullptr;
  switch (lb->lbStyle) {
    case BS_SOLID:
      return CreateSolidBrush(lb->lbColor);
    case BS_NULL:
      return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    case BS_HATCHED:
      return CreateHatchBrush(static_cast<int>(lb->lbHatch), lb->lbColor);
    case BS_PATTERN:
    case BS_PATTERN8X8:
      return CreatePatternBrush(reinterpret_cast<HBITMAP>(lb->lbHatch));
    default:
      return nullptr;
  }
}

// --- Bitmaps ---

namespace {

// What cannot be allocated is refused with a null handle, as the platform does (1 GiB of pixels).
bool TooLarge(long long width, long long height) { return width * height > (1LL << 28); }

}  // namespace

HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits) {
  if (width < 0 || height < 0 || planes != 1 || TooLarge(width, height)) return nullptr;
  if (bitsPerPixel != 1 && bitsPerPixel != 24 && bitsPerPixel != 32) return nullptr;
  TBitmapObject* bm =
      NewBitmapObject(std::max(width, 1), std::max(height, 1), static_cast<int>(bitsPerPixel));
  if (bits && width > 0 && height > 0)
    LoadBits(*bm->surface, static_cast<int>(bitsPerPixel), static_cast<const BYTE*>(bits),
             RowBytes(width, static_cast<int>(bitsPerPixel), 16), false, nullptr, 0, height);
  return static_cast<HBITMAP>(HandleOf(bm));
}

HBITMAP CreateBitmapIndirect(const BITMAP* b) {
  return b ? CreateBitmap(b->bmWidth, b->bmHeight, b->bmPlanes, b->bmBitsPixel, b->bmBits) : nullptr;
}

HBITMAP CreateCompatibleBitmap(HDC h, int width, int height) {
  TDC* dc = DCFromHandle(h);
  if (!dc || width < 0 || height < 0 || TooLarge(width, height)) return nullptr;
  if (width == 0 || height == 0) return static_cast<HBITMAP>(HandleOf(NewBitmapObject(1, 1, 1)));
  TSurface* s = dc->Target();
  const bool mono = dc->memory && s && s->Monochrome();
  return static_cast<HBITMAP>(HandleOf(NewBitmapObject(width, height, mono ? 1 : 32)));
}

HBITMAP CreateDIBSection(HDC, const BITMAPINFO* info, UINT, void** bits, HANDLE, DWORD) {
  if (bits) *bits = nullptr;
  if (!info) return nullptr;
  const BITMAPINFOHEADER& hdr = info->bmiHeader;
  const long long rows = hdr.biHeight < 0 ? -static_cast<long long>(hdr.biHeight) : hdr.biHeight;
  if (hdr.biWidth <= 0 || rows <= 0 || TooLarge(hdr.biWidth, rows) || hdr.biBitCount != 32) return nullptr;
  const int width = hdr.biWidth, height = static_cast<int>(rows);
  auto* bm = new TBitmapObject;
  bm->dib = true;
  bm->topDown = hdr.biHeight < 0;
  bm->dibHeader = hdr;
  bm->dibBits.assign(static_cast<std::size_t>(width) * height, 0);
  Pixel* first =
      bm->topDown ? bm->dibBits.data() : bm->dibBits.data() + static_cast<std::size_t>(height - 1) * width;
  bm->surface = std::make_unique<TSurface>(width, height, first, bm->topDown ? width : -width);
  RegisterGdiObject(bm);
  if (bits) *bits = bm->dibBits.data();
  return static_cast<HBITMAP>(HandleOf(bm));
}

int GetDIBits(HDC, HBITMAP bitmap, UINT start, UINT lines, void* bits, BITMAPINFO* info, UINT) {
  TBitmapObject* bm = BitmapFromHandle(bitmap);
  if (!bm || !info) return 0;
  BITMAPINFOHEADER& hdr = info->bmiHeader;
  const TSurface& s = *bm->surface;
  if (!bits) {
    // Describe the bitmap.
    hdr.biWidth = s.Width();
    hdr.biHeight = s.Height();
    hdr.biPlanes = 1;
    if (hdr.biBitCount == 0) hdr.biBitCount = static_cast<WORD>(bm->bitsPerPixel);
    hdr.biCompression = BI_RGB;
    hdr.biSizeImage = static_cast<DWORD>(RowBytes(s.Width(), hdr.biBitCount, 32) * s.Height());
    return s.Height();
  }
  const int bpp = hdr.biBitCount;
  if (bpp != 1 && bpp != 24 && bpp != 32) return 0;
  const bool bottomUp = hdr.biHeight > 0;
  const int rowBytes = RowBytes(s.Width(), bpp, 32);
  if (bpp == 1) {
    info->bmiColors[0] = RGBQUAD{0, 0, 0, 0};
    // Room for two entries is the caller's duty, as on the platform.
    (&info->bmiColors[0])[1] = RGBQUAD{255, 255, 255, 0};
  }
  int done = 0;
  for (UINT i = 0; i < lines; ++i) {
    const int line = static_cast<int>(start + i);
    if (line >= s.Height()) break;
    const int y = bottomUp ? s.Height() - 1 - line : line;
    auto* row = static_cast<BYTE*>(bits) + static_cast<std::ptrdiff_t>(i) * rowBytes;
    const Pixel* in = s.Row(y);
    std::memset(row, 0, rowBytes);
    for (int x = 0; x < s.Width(); ++x) {
      const Pixel p = in[x];
      switch (bpp) {
        case 1:
          if ((p & 0xFFFFFF) == 0xFFFFFF) row[x / 8] |= static_cast<BYTE>(0x80 >> (x % 8));
          break;
        case 24:
          row[x * 3] = p & 0xFF;
          row[x * 3 + 1] = (p >> 8) & 0xFF;
          row[x * 3 + 2] = (p >> 16) & 0xFF;
          break;
        case 32:
          std::memcpy(row + x * 4, &p, 4);
          break;
      }
    }
    ++done;
  }
  return done;
}

int SetDIBits(HDC, HBITMAP bitmap, UINT start, UINT lines, const void* bits, const BITMAPINFO* info, UINT) {
  TBitmapObject* bm = BitmapFromHandle(bitmap);
  if (!bm || !info || !bits) return 0;
  const BITMAPINFOHEADER& hdr = info->bmiHeader;
  const int bpp = hdr.biBitCount;
  if (bpp != 1 && bpp != 24 && bpp != 32) return 0;
  const int width = hdr.biWidth;
  const int rowBytes = RowBytes(width, bpp, 32);
  TSurface& s = *bm->surface;
  // Rows are copied into a surface of the DIB's width, then onto the bitmap.
  TSurface tmp(width, s.Height());
  for (int y = 0; y < s.Height(); ++y) std::copy_n(s.Row(y), std::min(width, s.Width()), tmp.Row(y));
  const int count = std::min<int>(static_cast<int>(lines), s.Height() - static_cast<int>(start));
  if (count <= 0) return 0;
  LoadBits(tmp, bpp, static_cast<const BYTE*>(bits), rowBytes, hdr.biHeight > 0,
           bpp == 1 ? info->bmiColors : nullptr, static_cast<int>(start), count);
  for (int y = 0; y < s.Height(); ++y) {
    std::copy_n(tmp.Row(y), std::min(width, s.Width()), s.Row(y));
    if (s.Monochrome())
      for (int x = 0; x < s.Width(); ++x) s.Row(y)[x] = ToMono(s.Row(y)[x]);
  }
  return count;
}

BOOL GetBitmapDimensionEx(HBITMAP bitmap, SIZE* size) {
  if (!BitmapFromHandle(bitmap) || !size) return 0;
  *size = {0, 0};
  return 1;
}

TSurface* BitmapSurface(HBITMAP bitmap) {
  TBitmapObject* bm = BitmapFromHandle(bitmap);
  return bm ? bm->surface.get() : nullptr;
}

// --- Palettes ---

HPALETTE CreatePalette(const LOGPALETTE* palette) {
  if (!palette) return nullptr;
  auto* p = new TPaletteObject;
  p->entries.assign(palette->palPalEntry, palette->palPalEntry + palette->palNumEntries);
  return static_cast<HPALETTE>(RegisterGdiObject(p));
}

HPALETTE SelectPalette(HDC h, HPALETTE palette, BOOL) {
  TDC* dc = DCFromHandle(h);
  auto* p = LookupGdi<TPaletteObject>(palette, GdiKind::Palette);
  if (!dc || !p) return nullptr;
  HPALETTE old = static_cast<HPALETTE>(HandleOf(dc->st.palette.get()));
  dc->st.palette = GdiRef<TPaletteObject>(p);
  return old;
}

UINT RealizePalette(HDC h) { return DCFromHandle(h) ? 0 : static_cast<UINT>(-1); }

UINT GetPaletteEntries(HPALETTE palette, UINT start, UINT count, PALETTEENTRY* entries) {
  auto* p = LookupGdi<TPaletteObject>(palette, GdiKind::Palette);
  if (!p) return 0;
  if (!entries) return static_cast<UINT>(p->entries.size());
  UINT n = 0;
  for (; n < count && start + n < p->entries.size(); ++n) entries[n] = p->entries[start + n];
  return n;
}

// --- Generic ---

int GetObject(HGDIOBJ object, int size, void* buffer) {
  TGdiObject* o = LookupGdiObject(object);
  if (!o) return 0;
  auto copy = [&](const auto& value) {
    const int need = static_cast<int>(sizeof(value));
    if (!buffer) return need;
    const int n = std::min(need, size);
    if (n <= 0) return 0;
    std::memcpy(buffer, &value, n);
    return n;
  };
  switch (o->Kind()) {
    case GdiKind::Pen: {
      auto* pen = static_cast<TPenObject*>(o);
      if (pen->extended) {
        EXTLOGPEN e;
        e.elpPenStyle = pen->fullStyle;
        e.elpWidth = static_cast<DWORD>(pen->width);
        e.elpBrushStyle = BS_SOLID;
        e.elpColor = pen->color;
        e.elpNumEntries = static_cast<DWORD>(pen->userStyle.size());
        return copy(e);
      }
      LOGPEN lp;
      lp.lopnStyle = static_cast<UINT>(pen->style);
      lp.lopnWidth = {pen->width, 0};
      lp.lopnColor = pen->color;
      return copy(lp);
    }
    case GdiKind::Brush: {
      auto* b = static_cast<TBrushObject*>(o);
      LOGBRUSH lb;
      lb.lbStyle = b->style;
      lb.lbColor = b->color;
      lb.lbHatch = static_cast<ULONG_PTR>(b->hatch);
      return copy(lb);
    }
    case GdiKind::Bitmap: {
      auto* bm = static_cast<TBitmapObject*>(o);
      BITMAP b;
      b.bmType = 0;
      b.bmWidth = bm->surface->Width();
      b.bmHeight = bm->surface->Height();
      b.bmBitsPixel = static_cast<WORD>(bm->bitsPerPixel);
      b.bmWidthBytes = RowBytes(b.bmWidth, bm->bitsPerPixel, 16);
      b.bmPlanes = 1;
      if (bm->dib) {
        b.bmBits = bm->dibBits.data();
        b.bmWidthBytes = b.bmWidth * 4;
        if (size >= static_cast<int>(sizeof(DIBSECTION))) {
          DIBSECTION ds;
          ds.dsBm = b;
          ds.dsBmih = bm->dibHeader;
          return copy(ds);
        }
      }
      return copy(b);
    }
    case GdiKind::Font:
      return GetFontObject(o, size, buffer);
    case GdiKind::Palette: {
      const WORD n = static_cast<WORD>(static_cast<TPaletteObject*>(o)->entries.size());
      return copy(n);
    }
    case GdiKind::Region:
    case GdiKind::DC:
      return 0;
  }
  return 0;
}

BOOL DeleteObject(HGDIOBJ object) {
  TGdiObject* o = LookupGdiObject(object);
  if (!o || o->Kind() == GdiKind::DC) return 0;
  if (o->Stock()) return 1;
  o->Delete();
  return 1;
}

COLORREF GetNearestColor(HDC h, COLORREF color) {
  TDC* dc = DCFromHandle(h);
  if (!dc) return CLR_INVALID;
  const COLORREF c = ResolveDcColor(dc, color);
  if (TSurface* s = dc->Target(); s && s->Monochrome()) return PixelToColor(ToMono(ColorToPixel(c)));
  return c;
}
