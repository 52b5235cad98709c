// Internal: raster operations on pixels, brush patterns and clipped filling.
#pragma once

#include <algorithm>
#include <cstdint>

#include "platform/gdi/DcImpl.h"
#include "platform/gdi/Region.h"
#include "platform/gdi/Surface.h"

// Black or white by brightness, as drawing on a monochrome bitmap maps colours.
inline Pixel ToMono(Pixel p) {
  const int r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
  return (r * 30 + g * 59 + b * 11) >= 12800 ? 0xFFFFFFFFu : 0xFF000000u;
}

// A ternary raster operation (the code's third byte) on 24-bit colours. Bit i of `rop` is the result for
// pattern bit (i >> 2), source bit (i >> 1) & 1 and destination bit i & 1.
inline Pixel ApplyRop3(std::uint8_t rop, Pixel p, Pixel s, Pixel d) {
  Pixel r;
  switch (rop) {
    case 0x00:
      r = 0;
      break;
    case 0xFF:
      r = 0xFFFFFF;
      break;
    case 0xCC:
      r = s;
      break;
    case 0xF0:
      r = p;
      break;
    case 0xAA:
      r = d;
      break;
    case 0x55:
      r = ~d;
      break;
    case 0x33:
      r = ~s;
      break;
    case 0x0F:
      r = ~p;
      break;
    case 0x5A:
      r = p ^ d;
      break;
    case 0x66:
      r = s ^ d;
      break;
    case 0x88:
      r = s & d;
      break;
    case 0xEE:
      r = s | d;
      break;
    case 0xBB:
      r = ~s | d;
      break;
    case 0x44:
      r = s & ~d;
      break;
    case 0x11:
      r = ~(s | d);
      break;
    case 0x99:
      r = ~(s ^ d);
      break;
    case 0xC0:
      r = p & s;
      break;
    case 0xFB:
      r = p | ~s | d;
      break;
    case 0xE2:
      r = (s & p) | (~s & d);
      break;
    case 0xB8:
      r = (s & d) | (~s & p);
      break;
    case 0xA0:
      r = p & d;
      break;
    case 0xFA:
      r = p | d;
      break;
    default: {
      r = 0;
      for (int i = 0; i < 8; ++i)
        if (rop & (1 << i)) r |= ((i & 4) ? p : ~p) & ((i & 2) ? s : ~s) & ((i & 1) ? d : ~d);
    }
  }
  return (r & 0xFFFFFF) | 0xFF000000u;
}

// The ternary code that applies a binary (pen) mix mode to pattern and destination.
std::uint8_t Rop2ToRop3(int rop2);
// Whether a ternary code reads the source / the pattern.
inline bool RopUsesSource(std::uint8_t rop) { return ((rop >> 2) & 0x33) != (rop & 0x33); }
inline bool RopUsesPattern(std::uint8_t rop) { return ((rop >> 4) & 0x0F) != (rop & 0x0F); }

// Brush pixels in surface coordinates.
class PatternSource {
 public:
  // A solid colour.
  explicit PatternSource(Pixel color) : solid_(true), color_(color) {}
  // The DC's brush; `valid()` is false for a null brush.
  PatternSource(TDC* dc, TBrushObject* brush);

  bool valid() const { return valid_; }
  bool solid() const { return solid_; }
  Pixel color() const { return color_; }
  // The pattern pixel at a surface position; false where a transparent hatch shows the destination.
  bool At(int x, int y, Pixel* out) const;

 private:
  bool valid_ = true;
  bool solid_ = false;
  Pixel color_ = 0;
  const TSurface* pattern_ = nullptr;
  int hatch_ = -1;
  bool transparentGaps_ = false;
  Pixel fore_ = 0, back_ = 0;  // hatch line / gap; monochrome pattern 0 / 1 bits
  bool monoPattern_ = false;
  int orgX_ = 0, orgY_ = 0;
};

// Calls f(rect) for each part of `r` (surface coordinates) inside the clip region.
template <class F>
void ForEachClipped(const GdiRegion& clip, const RECT& r, F&& f) {
  if (IsRectEmpty(&r)) return;
  const auto& rects = clip.Rects();
  auto it =
      std::upper_bound(rects.begin(), rects.end(), r.top, [](LONG y, const RECT& c) { return y < c.bottom; });
  for (; it != rects.end() && it->top < r.bottom; ++it) {
    if (it->right <= r.left || it->left >= r.right) continue;
    RECT part{std::max(it->left, r.left), std::max(it->top, r.top), std::min(it->right, r.right),
              std::min(it->bottom, r.bottom)};
    f(part);
  }
}

// Fills `r` (surface coordinates, clipped by the DC) with the pattern under a ternary code that
// ignores the source.
void FillRectRop(TDC* dc, const RECT& r, const PatternSource& pattern, std::uint8_t rop3);
// Same for every rectangle of a region in surface coordinates.
void FillRegionRop(TDC* dc, const GdiRegion& shape, const PatternSource& pattern, std::uint8_t rop3);
// One pixel run on a row (surface coordinates), clipped.
inline void FillRunRop(TDC* dc, int y, int x0, int x1, const PatternSource& pattern, std::uint8_t rop3) {
  FillRectRop(dc, RECT{x0, y, x1, y + 1}, pattern, rop3);
}
