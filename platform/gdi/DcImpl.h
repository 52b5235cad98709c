// Internal: the device context object, its state and the coordinate and clip helpers drawing uses.
#pragma once

#include <algorithm>
#include <optional>
#include <vector>

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/GdiObjects.h"

class TFontObject;

// A counted reference: an object selected into a DC (or held by a saved state) stays alive.
template <class T>
class GdiRef {
 public:
  GdiRef() = default;
  explicit GdiRef(T* p) : p_(p) {
    if (p_) p_->AddSelection();
  }
  GdiRef(const GdiRef& o) : GdiRef(o.p_) {}
  GdiRef& operator=(const GdiRef& o) {
    if (this != &o) {
      T* old = p_;
      p_ = o.p_;
      if (p_) p_->AddSelection();
      if (old) old->ReleaseSelection();
    }
    return *this;
  }
  ~GdiRef() {
    if (p_) p_->ReleaseSelection();
  }
  T* get() const { return p_; }
  T* operator->() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }

 private:
  T* p_ = nullptr;
};

struct TDCState {
  GdiRef<TPenObject> pen;
  GdiRef<TBrushObject> brush;
  GdiRef<TGdiObject> font;  // a TFontObject
  GdiRef<TBitmapObject> bitmap;
  GdiRef<TPaletteObject> palette;
  COLORREF textColor = RGB(0, 0, 0);
  COLORREF bkColor = RGB(255, 255, 255);
  COLORREF dcBrushColor = RGB(255, 255, 255);
  COLORREF dcPenColor = RGB(0, 0, 0);
  int bkMode = OPAQUE;
  int rop2 = R2_COPYPEN;
  UINT textAlign = 0;
  int stretchMode = BLACKONWHITE;
  int polyFillMode = ALTERNATE;
  int textCharExtra = 0;
  int breakExtra = 0;  // SetTextJustification: extra pixels spread over break characters
  int breakCount = 0;
  POINT viewportOrg;
  POINT windowOrg;
  POINT brushOrg;
  POINT curPos;
  std::optional<GdiRegion> clip;  // device coordinates
};

class TDC : public TGdiObject {
 public:
  TDC() : TGdiObject(GdiKind::DC) {}
  bool memory = false;
  TSurface* surface = nullptr;   // surface DCs; memory DCs draw on the selected bitmap
  POINT origin;                  // surface position of device (0,0)
  std::optional<GdiRegion> vis;  // surface coordinates
  TDCState st;
  std::vector<TDCState> saved;

  TSurface* Target() const { return memory ? (st.bitmap ? st.bitmap->surface.get() : nullptr) : surface; }
  // Offset from logical to surface coordinates.
  int Dx() const { return st.viewportOrg.x - st.windowOrg.x + origin.x; }
  int Dy() const { return st.viewportOrg.y - st.windowOrg.y + origin.y; }
  // Where drawing may reach, in surface coordinates.
  const GdiRegion& Clip();
  void InvalidateClip() { clipValid_ = false; }
  // Whether nothing can be drawn.
  bool ClipEmpty() { return Clip().IsEmpty(); }

 private:
  GdiRegion clip_;
  bool clipValid_ = false;
};

// Logical to surface coordinates, held where the sums and widths drawing computes cannot overflow
// (callers pass huge rectangles to mean "everything").
inline int ToSurfaceCoord(int v, int offset) {
  constexpr long long kLimit = 1 << 29;
  return static_cast<int>(std::clamp(static_cast<long long>(v) + offset, -kLimit, kLimit));
}
inline RECT ToSurfaceRect(const TDC* dc, const RECT& r) {
  return {ToSurfaceCoord(r.left, dc->Dx()), ToSurfaceCoord(r.top, dc->Dy()),
          ToSurfaceCoord(r.right, dc->Dx()), ToSurfaceCoord(r.bottom, dc->Dy())};
}

TDC* DCFromHandle(HDC dc);
TFontObject* CurrentFont(TDC* dc);
COLORREF PenColor(TDC* dc);
// A colour as the DC draws it: a palette index (PALETTEINDEX) is the entry of the DC's selected
// palette (black past its end); any other colour is its RGB part.
COLORREF ResolveDcColor(const TDC* dc, COLORREF color);
// Adds a drawn area (surface coordinates) to the target's damage.
void Damage(TDC* dc, const RECT& surfaceRect);
