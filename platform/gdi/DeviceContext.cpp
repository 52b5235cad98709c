#include "platform/gdi/DeviceContext.h"

#include <algorithm>
#include <utility>

#include "platform/gdi/DcImpl.h"
#include "platform/gdi/FontImpl.h"
#include "platform/gdi/Objects.h"

namespace {

void InitState(TDC* dc) {
  dc->st = TDCState{};
  dc->st.pen = GdiRef<TPenObject>(PenFromHandle(GetStockObject(BLACK_PEN)));
  dc->st.brush = GdiRef<TBrushObject>(BrushFromHandle(GetStockObject(WHITE_BRUSH)));
  dc->st.font = GdiRef<TGdiObject>(LookupGdiObject(GetStockObject(SYSTEM_FONT)));
  dc->st.palette =
      GdiRef<TPaletteObject>(LookupGdi<TPaletteObject>(GetStockObject(DEFAULT_PALETTE), GdiKind::Palette));
  if (dc->memory) {
    TBitmapObject* bm = DefaultBitmap();
    dc->st.bitmap = GdiRef<TBitmapObject>(bm);
  }
  dc->InvalidateClip();
}

TDC* NewDC(bool memory) {
  auto* dc = new TDC;
  dc->memory = memory;
  RegisterGdiObject(dc);
  InitState(dc);
  return dc;
}

HDC ToHandle(TDC* dc) { return static_cast<HDC>(HandleOf(dc)); }

}  // namespace

// --- Internal helpers ---

const GdiRegion& TDC::Clip() {
  if (clipValid_) return clip_;
  TSurface* s = Target();
  if (!s) {
    clip_.Clear();
  } else if (memory) {
    clip_ = GdiRegion(s->Bounds());
  } else {
    clip_ = vis ? *vis & s->Bounds() : GdiRegion(s->Bounds());
  }
  if (st.clip && !clip_.IsEmpty()) {
    GdiRegion c = *st.clip;
    c.Offset(origin.x, origin.y);
    clip_ &= c;
  }
  clipValid_ = true;
  return clip_;
}

TDC* DCFromHandle(HDC dc) { return LookupGdi<TDC>(dc, GdiKind::DC); }

TFontObject* CurrentFont(TDC* dc) { return static_cast<TFontObject*>(dc->st.font.get()); }

COLORREF PenColor(TDC* dc) { return dc->st.pen->dcPen ? dc->st.dcPenColor : dc->st.pen->color; }

COLORREF ResolveDcColor(const TDC* dc, COLORREF color) {
  if ((color >> 24) != 1) return color & 0xFFFFFF;
  const std::size_t i = color & 0xFFFF;
  const TPaletteObject* palette = dc->st.palette.get();
  if (!palette || i >= palette->entries.size()) return RGB(0, 0, 0);
  const PALETTEENTRY& e = palette->entries[i];
  return RGB(e.peRed, e.peGreen, e.peBlue);
}

void Damage(TDC* dc, const RECT& r) {
  if (TSurface* s = dc->Target(); s && s->TrackDamage()) s->AddDamage(r);
}

// --- Surface DCs ---

HDC CreateSurfaceDC(TSurface* surface, POINT origin, const GdiRegion* visRgn) {
  if (!surface) return nullptr;
  TDC* dc = NewDC(false);
  dc->surface = surface;
  dc->origin = origin;
  if (visRgn) dc->vis = *visRgn;
  return ToHandle(dc);
}

void SetSurfaceDCOrigin(HDC h, POINT origin, const GdiRegion* visRgn) {
  TDC* dc = DCFromHandle(h);
  if (!dc || dc->memory) return;
  dc->origin = origin;
  if (visRgn)
    dc->vis = *visRgn;
  else
    dc->vis.reset();
  dc->InvalidateClip();
}

TSurface* GetDCSurface(HDC h, POINT* origin) {
  TDC* dc = DCFromHandle(h);
  if (!dc) return nullptr;
  if (origin) *origin = dc->origin;
  return dc->Target();
}

GdiRegion GetDCVisibleRegion(HDC h) {
  TDC* dc = DCFromHandle(h);
  if (!dc || !dc->Target()) return {};
  if (dc->vis) return *dc->vis;
  return GdiRegion(dc->Target()->Bounds());
}

void ResetDCState(HDC h) {
  TDC* dc = DCFromHandle(h);
  if (!dc) return;
  if (dc->memory && dc->st.bitmap) dc->st.bitmap->selectedInto = nullptr;
  dc->saved.clear();
  InitState(dc);
}

bool IsDC(HDC dc) { return DCFromHandle(dc) != nullptr; }

// --- Creation ---

HDC CreateCompatibleDC(HDC h) {
  if (h && !DCFromHandle(h)) return nullptr;
  return ToHandle(NewDC(true));
}

BOOL DeleteDC(HDC h) {
  TDC* dc = DCFromHandle(h);
  if (!dc) return 0;
  if (dc->memory && dc->st.bitmap && dc->st.bitmap->selectedInto == dc) dc->st.bitmap->selectedInto = nullptr;
  dc->saved.clear();
  dc->st = TDCState{};
  dc->Delete();
  return 1;
}

int SaveDC(HDC h) {
  TDC* dc = DCFromHandle(h);
  if (!dc) return 0;
  dc->saved.push_back(dc->st);
  return static_cast<int>(dc->saved.size());
}

BOOL RestoreDC(HDC h, int saved) {
  TDC* dc = DCFromHandle(h);
  if (!dc) return 0;
  const int count = static_cast<int>(dc->saved.size());
  const int index = saved < 0 ? count + saved + 1 : saved;
  if (index < 1 || index > count) return 0;
  TBitmapObject* before = dc->st.bitmap.get();
  dc->st = dc->saved[index - 1];
  dc->saved.resize(index - 1);
  if (dc->memory && before != dc->st.bitmap.get()) {
    if (before && before->selectedInto == dc) before->selectedInto = nullptr;
    if (dc->st.bitmap && !dc->st.bitmap->Stock()) dc->st.bitmap->selectedInto = dc;
  }
  dc->InvalidateClip();
  return 1;
}

// --- Objects ---

HGDIOBJ SelectObject(HDC h, HGDIOBJ object) {
  TDC* dc = DCFromHandle(h);
  TGdiObject* o = LookupGdiObject(object);
  if (!dc || !o) return nullptr;
  switch (o->Kind()) {
    case GdiKind::Pen: {
      HGDIOBJ old = HandleOf(dc->st.pen.get());
      dc->st.pen = GdiRef<TPenObject>(static_cast<TPenObject*>(o));
      return old;
    }
    case GdiKind::Brush: {
      HGDIOBJ old = HandleOf(dc->st.brush.get());
      dc->st.brush = GdiRef<TBrushObject>(static_cast<TBrushObject*>(o));
      return old;
    }
    case GdiKind::Font: {
      HGDIOBJ old = HandleOf(dc->st.font.get());
      dc->st.font = GdiRef<TGdiObject>(o);
      return old;
    }
    case GdiKind::Bitmap: {
      auto* bm = static_cast<TBitmapObject*>(o);
      if (!dc->memory) return nullptr;
      if (bm->selectedInto && bm->selectedInto != dc) return nullptr;
      TBitmapObject* prev = dc->st.bitmap.get();
      HGDIOBJ old = HandleOf(prev);
      if (prev && prev->selectedInto == dc) prev->selectedInto = nullptr;
      if (!bm->Stock()) bm->selectedInto = dc;
      dc->st.bitmap = GdiRef<TBitmapObject>(bm);
      dc->InvalidateClip();
      return old;
    }
    case GdiKind::Region: {
      // Selecting a region sets the clip region and answers its complexity.
      const int result = SelectClipRgn(h, static_cast<HRGN>(object));
      return reinterpret_cast<HGDIOBJ>(static_cast<std::intptr_t>(result));
    }
    case GdiKind::Palette:
    case GdiKind::DC:
      return nullptr;
  }
  return nullptr;
}

HGDIOBJ GetCurrentObject(HDC h, UINT type) {
  TDC* dc = DCFromHandle(h);
  if (!dc) return nullptr;
  switch (type) {
    case OBJ_PEN:
    case OBJ_EXTPEN:
      return HandleOf(dc->st.pen.get());
    case OBJ_BRUSH:
      return HandleOf(dc->st.brush.get());
    case OBJ_FONT:
      return HandleOf(dc->st.font.get());
    case OBJ_BITMAP:
      return dc->st.bitmap ? HandleOf(dc->st.bitmap.get()) : nullptr;
    case OBJ_PAL:
      return HandleOf(dc->st.palette.get());
    default:
      return nullptr;
  }
}

DWORD GetObjectType(HGDIOBJ object) {
  TGdiObject* o = LookupGdiObject(object);
  if (!o) return 0;
  switch (o->Kind()) {
    case GdiKind::Pen:
      return static_cast<TPenObject*>(o)->extended ? OBJ_EXTPEN : OBJ_PEN;
    case GdiKind::Brush:
      return OBJ_BRUSH;
    case GdiKind::Font:
      return OBJ_FONT;
    case GdiKind::Bitmap:
      return OBJ_BITMAP;
    case GdiKind::Region:
      return OBJ_REGION;
    case GdiKind::Palette:
      return OBJ_PAL;
    case GdiKind::DC:
      return static_cast<TDC*>(o)->memory ? OBJ_MEMDC : OBJ_DC;
  }
  return 0;
}

// --- Attributes ---

#define TRENVIK_DC_ATTRIBUTE(Type, Get, Set, field, fail) \
  Type Get(HDC h) {                                       \
    TDC* dc = DCFromHandle(h);                            \
    return dc ? dc->st.field : fail;                      \
  }                                                       \
  Type Set(HDC h, Type value) {                           \
    TDC* dc = DCFromHandle(h);                            \
    if (!dc) return fail;                                 \
    Type old = dc->st.field;                              \
    dc->st.field = value;                                 \
    return old;                                           \
  }

TRENVIK_DC_ATTRIBUTE(COLORREF, GetTextColor, SetTextColor, textColor, CLR_INVALID)
TRENVIK_DC_ATTRIBUTE(COLORREF, GetBkColor, SetBkColor, bkColor, CLR_INVALID)
TRENVIK_DC_ATTRIBUTE(COLORREF, GetDCBrushColor, SetDCBrushColor, dcBrushColor, CLR_INVALID)
TRENVIK_DC_ATTRIBUTE(COLORREF, GetDCPenColor, SetDCPenColor, dcPenColor, CLR_INVALID)
#undef TRENVIK_DC_ATTRIBUTE

int SetBkMode(HDC h, int mode) {
  TDC* dc = DCFromHandle(h);
  if (!dc || (mode != TRANSPARENT && mode != OPAQUE)) return 0;
  return std::exchange(dc->st.bkMode, mode);
}
int GetBkMode(HDC h) {
  TDC* dc = DCFromHandle(h);
  return dc ? dc->st.bkMode : 0;
}

int SetROP2(HDC h, int mode) {
  TDC* dc = DCFromHandle(h);
  if (!dc || mode < R2_BLACK || mode > R2_WHITE) return 0;
  return std::exchange(dc->st.rop2, mode);
}
int GetROP2(HDC h) {
  TDC* dc = DCFromHandle(h);
  return dc ? dc->st.rop2 : 0;
}

int SetStretchBltMode(HDC h, int mode) {
  TDC* dc = DCFromHandle(h);
  if (!dc || mode < BLACKONWHITE || mode > HALFTONE) return 0;
  return std::exchange(dc->st.stretchMode, mode);
}
int GetStretchBltMode(HDC h) {
  TDC* dc = DCFromHandle(h);
  return dc ? dc->st.stretchMode : 0;
}

int SetPolyFillMode(HDC h, int mode) {
  TDC* dc = DCFromHandle(h);
  if (!dc || (mode != ALTERNATE && mode != WINDING)) return 0;
  return std::exchange(dc->st.polyFillMode, mode);
}
int GetPolyFillMode(HDC h) {
  TDC* dc = DCFromHandle(h);
  return dc ? dc->st.polyFillMode : 0;
}

int SetMapMode(HDC h, int mode) {
  TDC* dc = DCFromHandle(h);
  return dc && mode == MM_TEXT ? MM_TEXT : 0;
}
int GetMapMode(HDC h) { return DCFromHandle(h) ? MM_TEXT : 0; }

// --- Coordinates ---

namespace {

BOOL SetPoint(HDC h, POINT TDCState::*field, int x, int y, POINT* old, bool offset) {
  TDC* dc = DCFromHandle(h);
  if (!dc) return 0;
  POINT& p = dc->st.*field;
  if (old) *old = p;
  p = offset ? POINT{p.x + x, p.y + y} : POINT{x, y};
  return 1;
}

BOOL GetPoint(HDC h, POINT TDCState::*field, POINT* out) {
  TDC* dc = DCFromHandle(h);
  if (!dc || !out) return 0;
  *out = dc->st.*field;
  return 1;
}

}  // namespace

BOOL SetViewportOrgEx(HDC h, int x, int y, POINT* old) {
  return SetPoint(h, &TDCState::viewportOrg, x, y, old, false);
}
BOOL GetViewportOrgEx(HDC h, POINT* p) { return GetPoint(h, &TDCState::viewportOrg, p); }
BOOL OffsetViewportOrgEx(HDC h, int dx, int dy, POINT* old) {
  return SetPoint(h, &TDCState::viewportOrg, dx, dy, old, true);
}
BOOL SetWindowOrgEx(HDC h, int x, int y, POINT* old) {
  return SetPoint(h, &TDCState::windowOrg, x, y, old, false);
}
BOOL GetWindowOrgEx(HDC h, POINT* p) { return GetPoint(h, &TDCState::windowOrg, p); }
BOOL OffsetWindowOrgEx(HDC h, int dx, int dy, POINT* old) {
  return SetPoint(h, &TDCState::windowOrg, dx, dy, old, true);
}
BOOL SetBrushOrgEx(HDC h, int x, int y, POINT* old) {
  return SetPoint(h, &TDCState::brushOrg, x, y, old, false);
}
BOOL GetBrushOrgEx(HDC h, POINT* p) { return GetPoint(h, &TDCState::brushOrg, p); }
BOOL GetCurrentPositionEx(HDC h, POINT* p) { return GetPoint(h, &TDCState::curPos, p); }

BOOL LPtoDP(HDC h, POINT* points, int count) {
  TDC* dc = DCFromHandle(h);
  if (!dc) return 0;
  for (int i = 0; i < count; ++i) {
    points[i].x += dc->st.viewportOrg.x - dc->st.windowOrg.x;
    points[i].y += dc->st.viewportOrg.y - dc->st.windowOrg.y;
  }
  return 1;
}

BOOL DPtoLP(HDC h, POINT* points, int count) {
  TDC* dc = DCFromHandle(h);
  if (!dc) return 0;
  for (int i = 0; i < count; ++i) {
    points[i].x -= dc->st.viewportOrg.x - dc->st.windowOrg.x;
    points[i].y -= dc->st.viewportOrg.y - dc->st.windowOrg.y;
  }
  return 1;
}

BOOL GetDCOrgEx(HDC h, POINT* p) {
  TDC* dc = DCFromHandle(h);
  if (!dc || !p) return 0;
  *p = dc->origin;
  return 1;
}

int GetDeviceCaps(HDC h, int index) {
  TDC* dc = DCFromHandle(h);
  if (!dc) return 0;
  TSurface* s = dc->Target();
  const bool mono = s && s->Monochrome();
  switch (index) {
    case HORZRES:
      return s ? s->Width() : 0;
    case VERTRES:
      return s ? s->Height() : 0;
    case HORZSIZE:
      return s ? s->Width() * 254 / 960 : 0;
    case VERTSIZE:
      return s ? s->Height() * 254 / 960 : 0;
    case BITSPIXEL:
      return mono ? 1 : 32;
    case PLANES:
      return 1;
    case NUMCOLORS:
      return mono ? 2 : -1;
    case RASTERCAPS:
      return RC_BITBLT | RC_STRETCHBLT;
    case LOGPIXELSX:
    case LOGPIXELSY:
      return 96;
    case SIZEPALETTE:
      return 0;
    default:
      return 0;
  }
}

// --- Clipping ---

namespace {

GdiRegion DeviceBounds(TDC* dc) {
  TSurface* s = dc->Target();
  if (!s) return {};
  return GdiRegion(-dc->origin.x, -dc->origin.y, s->Width() - dc->origin.x, s->Height() - dc->origin.y);
}

}  // namespace

int ExtSelectClipRgn(HDC h, HRGN rgn, int mode) {
  TDC* dc = DCFromHandle(h);
  if (!dc) return ERROR;
  GdiRegion* r = RegionFromHandle(rgn);
  if (!r) {
    if (mode != RGN_COPY) return ERROR;
    dc->st.clip.reset();
  } else if (mode == RGN_COPY) {
    dc->st.clip = *r;
  } else {
    // Without a clip region, combining starts from the whole device.
    GdiRegion base = dc->st.clip ? *dc->st.clip : DeviceBounds(dc);
    switch (mode) {
      case RGN_AND:
        base &= *r;
        break;
      case RGN_OR:
        base |= *r;
        break;
      case RGN_XOR:
        base ^= *r;
        break;
      case RGN_DIFF:
        base -= *r;
        break;
      default:
        return ERROR;
    }
    dc->st.clip = std::move(base);
  }
  dc->InvalidateClip();
  return dc->Clip().Complexity();
}

int SelectClipRgn(HDC h, HRGN rgn) { return ExtSelectClipRgn(h, rgn, RGN_COPY); }

namespace {

// A logical rectangle in device coordinates, corners ordered.
RECT ToDeviceRect(TDC* dc, int left, int top, int right, int bottom) {
  const int dx = dc->st.viewportOrg.x - dc->st.windowOrg.x, dy = dc->st.viewportOrg.y - dc->st.windowOrg.y;
  if (left > right) std::swap(left, right);
  if (top > bottom) std::swap(top, bottom);
  return {left + dx, top + dy, right + dx, bottom + dy};
}

}  // namespace

int ExcludeClipRect(HDC h, int left, int top, int right, int bottom) {
  TDC* dc = DCFromHandle(h);
  if (!dc) return ERROR;
  if (!dc->st.clip) dc->st.clip = DeviceBounds(dc);
  *dc->st.clip -= GdiRegion(ToDeviceRect(dc, left, top, right, bottom));
  dc->InvalidateClip();
  return dc->Clip().Complexity();
}

int IntersectClipRect(HDC h, int left, int top, int right, int bottom) {
  TDC* dc = DCFromHandle(h);
  if (!dc) return ERROR;
  const GdiRegion r(ToDeviceRect(dc, left, top, right, bottom));
  if (!dc->st.clip)
    dc->st.clip = r;
  else
    *dc->st.clip &= r;
  dc->InvalidateClip();
  return dc->Clip().Complexity();
}

int OffsetClipRgn(HDC h, int dx, int dy) {
  TDC* dc = DCFromHandle(h);
  if (!dc) return ERROR;
  if (dc->st.clip) dc->st.clip->Offset(dx, dy);
  dc->InvalidateClip();
  return dc->Clip().Complexity();
}

int GetClipRgn(HDC h, HRGN rgn) {
  TDC* dc = DCFromHandle(h);
  GdiRegion* r = RegionFromHandle(rgn);
  if (!dc || !r) return -1;
  if (!dc->st.clip) return 0;
  *r = *dc->st.clip;
  return 1;
}

int GetClipBox(HDC h, RECT* rect) {
  TDC* dc = DCFromHandle(h);
  if (!dc || !rect) return ERROR;
  const GdiRegion& c = dc->Clip();
  RECT b = c.Bounds();
  if (!c.IsEmpty()) OffsetRect(&b, -dc->Dx(), -dc->Dy());
  *rect = b;
  return c.Complexity();
}

BOOL RectVisible(HDC h, const RECT* rect) {
  TDC* dc = DCFromHandle(h);
  if (!dc || !rect) return 0;
  RECT r = ToDeviceRect(dc, rect->left, rect->top, rect->right, rect->bottom);
  OffsetRect(&r, dc->origin.x, dc->origin.y);
  return dc->Clip().Intersects(r);
}

BOOL PtVisible(HDC h, int x, int y) {
  TDC* dc = DCFromHandle(h);
  return dc && dc->Clip().Contains(x + dc->Dx(), y + dc->Dy());
}
