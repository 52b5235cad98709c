// Bit-block transfers: PatBlt, BitBlt, StretchBlt, MaskBlt, TransparentBlt, AlphaBlend.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "platform/gdi/DcImpl.h"
#include "platform/gdi/Draw.h"
#include "platform/gdi/PixelOps.h"

namespace {

std::uint8_t Rop3Of(DWORD rop) { return static_cast<std::uint8_t>((rop >> 16) & 0xFF); }

// Calls fn(dstPixel&, srcPixel, ix, iy) for every destination pixel inside the clip whose source
// pixel exists. Destination and source rectangles are in surface coordinates; their signed extents
// mirror when they differ in sign; ix/iy count from the destination rectangle's left/top.
template <class Fn>
void ForEachMapped(TDC* dst, int x, int y, int w, int h, const TSurface* src, int sx, int sy, int sw, int sh,
                   Fn&& fn) {
  TSurface* ds = dst->Target();
  if (!ds || w == 0 || h == 0 || sw == 0 || sh == 0) return;
  const bool mirrorX = (w < 0) != (sw < 0), mirrorY = (h < 0) != (sh < 0);
  const int dl = std::min(x, x + w), dt = std::min(y, y + h), aw = std::abs(w), ah = std::abs(h);
  const int sl = std::min(sx, sx + sw), st = std::min(sy, sy + sh), asw = std::abs(sw), ash = std::abs(sh);
  // A copy of the source when it is the destination's own pixels, so overlapping moves read old pixels.
  std::unique_ptr<TSurface> copy;
  int cl = sl, ct = st;
  if (src == ds) {
    RECT need{sl, st, sl + asw, st + ash}, b = src->Bounds(), part;
    if (!IntersectRect(&part, &need, &b)) return;
    copy = std::make_unique<TSurface>(part.right - part.left, part.bottom - part.top);
    for (int yy = part.top; yy < part.bottom; ++yy)
      std::memcpy(copy->Row(yy - part.top), src->Row(yy) + part.left, sizeof(Pixel) * copy->Width());
    cl = sl - part.left;
    ct = st - part.top;
    src = copy.get();
  }
  const RECT rect{dl, dt, dl + aw, dt + ah};
  RECT touched{};
  ForEachClipped(dst->Clip(), rect, [&](const RECT& part) {
    UnionRect(&touched, &touched, &part);
    for (int py = part.top; py < part.bottom; ++py) {
      const int iy = py - dt;
      int sy0 = ah == ash ? iy : static_cast<int>(1LL * iy * ash / ah);
      if (mirrorY) sy0 = ash - 1 - sy0;
      const int srcY = ct + sy0;
      if (srcY < 0 || srcY >= src->Height()) continue;
      const Pixel* srow = src->Row(srcY);
      Pixel* drow = ds->Row(py);
      for (int px = part.left; px < part.right; ++px) {
        const int ix = px - dl;
        int sx0 = aw == asw ? ix : static_cast<int>(1LL * ix * asw / aw);
        if (mirrorX) sx0 = asw - 1 - sx0;
        const int srcX = cl + sx0;
        if (srcX < 0 || srcX >= src->Width()) continue;
        fn(drow[px], srow[srcX], ix, iy);
      }
    }
  });
  if (!IsRectEmpty(&touched)) Damage(dst, touched);
}

// Converts source pixels to the destination's format: monochrome to colour by the destination's
// text (0) and background (1) colours, colour to monochrome by the source's background colour (1).
struct SourceConverter {
  SourceConverter(TDC* dst, TDC* src) {
    const bool srcMono = src->Target()->Monochrome();
    const bool dstMono = dst->Target()->Monochrome();
    if (srcMono && !dstMono) {
      mode = 1;
      fore = ColorToPixel(dst->st.textColor);
      back = ColorToPixel(dst->st.bkColor);
    } else if (!srcMono && dstMono) {
      mode = 2;
      key = ColorToPixel(src->st.bkColor) & 0xFFFFFF;
    }
  }
  Pixel operator()(Pixel s) const {
    switch (mode) {
      case 1:
        return (s & 0xFFFFFF) ? back : fore;
      case 2:
        return (s & 0xFFFFFF) == key ? 0xFFFFFFFFu : 0xFF000000u;
      default:
        return s;
    }
  }
  int mode = 0;
  Pixel fore = 0, back = 0, key = 0;
};

BOOL StretchCore(HDC hdst, int x, int y, int w, int h, HDC hsrc, int sx, int sy, int sw, int sh, DWORD rop,
                 const TSurface* mask, int maskX, int maskY, DWORD backRop) {
  TDC* dst = DCFromHandle(hdst);
  if (!dst || !dst->Target()) return 0;
  const std::uint8_t fore = Rop3Of(rop), back = Rop3Of(backRop);
  const bool needSource = RopUsesSource(fore) || (mask && RopUsesSource(back));
  const bool needPattern = RopUsesPattern(fore) || (mask && RopUsesPattern(back));
  const PatternSource pattern =
      needPattern ? PatternSource(dst, dst->st.brush.get()) : PatternSource(static_cast<Pixel>(0));
  const int dx = x + dst->Dx(), dy = y + dst->Dy();
  if (!needSource) {
    if (needPattern && !pattern.valid()) return 1;
    FillRectRop(dst,
                RECT{std::min(dx, dx + w), std::min(dy, dy + h), std::max(dx, dx + w), std::max(dy, dy + h)},
                pattern, fore);
    return 1;
  }
  TDC* src = DCFromHandle(hsrc);
  if (!src || !src->Target()) return 0;
  const SourceConverter convert(dst, src);
  const int ssx = sx + src->Dx(), ssy = sy + src->Dy();
  const int ox = std::min(dx, dx + w), oy = std::min(dy, dy + h);
  const bool monoDst = dst->Target()->Monochrome();
  if (!mask && fore == 0xCC && convert.mode == 0 && !monoDst) {
    ForEachMapped(dst, dx, dy, w, h, src->Target(), ssx, ssy, sw, sh,
                  [](Pixel& d, Pixel s, int, int) { d = s | 0xFF000000u; });
    return 1;
  }
  ForEachMapped(dst, dx, dy, w, h, src->Target(), ssx, ssy, sw, sh, [&](Pixel& d, Pixel s, int ix, int iy) {
    std::uint8_t rop3 = fore;
    if (mask) {
      const int mx = maskX + ix, my = maskY + iy;
      const bool on =
          mx >= 0 && my >= 0 && mx < mask->Width() && my < mask->Height() && (mask->At(mx, my) & 0xFFFFFF);
      rop3 = on ? fore : back;
    }
    Pixel p = 0;
    if (needPattern && !pattern.At(ox + ix, oy + iy, &p)) return;
    d = ApplyRop3(rop3, p, convert(s), d);
  });
  return 1;
}

}  // namespace

BOOL PatBlt(HDC h, int x, int y, int width, int height, DWORD rop) {
  if (RopUsesSource(Rop3Of(rop))) return 0;
  return StretchCore(h, x, y, width, height, nullptr, 0, 0, width, height, rop, nullptr, 0, 0, rop);
}

BOOL BitBlt(HDC dest, int x, int y, int width, int height, HDC src, int srcX, int srcY, DWORD rop) {
  return StretchCore(dest, x, y, width, height, src, srcX, srcY, width, height, rop, nullptr, 0, 0, rop);
}

BOOL StretchBlt(HDC dest, int x, int y, int width, int height, HDC src, int srcX, int srcY, int srcWidth,
                int srcHeight, DWORD rop) {
  return StretchCore(dest, x, y, width, height, src, srcX, srcY, srcWidth, srcHeight, rop, nullptr, 0, 0,
                     rop);
}

BOOL MaskBlt(HDC dest, int x, int y, int width, int height, HDC src, int srcX, int srcY, HBITMAP mask,
             int maskX, int maskY, DWORD rop4) {
  const DWORD fore = rop4 & 0x00FFFFFF;
  const DWORD back = (rop4 >> 8) & 0x00FF0000;
  if (!mask)
    return StretchCore(dest, x, y, width, height, src, srcX, srcY, width, height, fore, nullptr, 0, 0, fore);
  const TSurface* m = BitmapSurface(mask);
  if (!m || !m->Monochrome()) return 0;
  return StretchCore(dest, x, y, width, height, src, srcX, srcY, width, height, fore, m, maskX, maskY, back);
}

BOOL TransparentBlt(HDC hdst, int x, int y, int width, int height, HDC hsrc, int srcX, int srcY, int srcWidth,
                    int srcHeight, UINT transparent) {
  TDC* dst = DCFromHandle(hdst);
  TDC* src = DCFromHandle(hsrc);
  if (!dst || !src || !dst->Target() || !src->Target() || width < 0 || height < 0 || srcWidth < 0 ||
      srcHeight < 0)
    return 0;
  const SourceConverter convert(dst, src);
  const Pixel key = ColorToPixel(transparent & 0xFFFFFF) & 0xFFFFFF;
  ForEachMapped(dst, x + dst->Dx(), y + dst->Dy(), width, height, src->Target(), srcX + src->Dx(),
                srcY + src->Dy(), srcWidth, srcHeight, [&](Pixel& d, Pixel s, int, int) {
                  if ((s & 0xFFFFFF) != key) d = convert(s) | 0xFF000000u;
                });
  return 1;
}

namespace {

inline Pixel Blend(Pixel d, Pixel s, BLENDFUNCTION b) {
  const unsigned ca = b.SourceConstantAlpha;
  unsigned sr = (s >> 16) & 0xFF, sg = (s >> 8) & 0xFF, sb = s & 0xFF, sa = 255;
  if (b.AlphaFormat & AC_SRC_ALPHA) {
    sa = (s >> 24) & 0xFF;
    // Premultiplied source, scaled by the constant alpha.
    sr = sr * ca / 255;
    sg = sg * ca / 255;
    sb = sb * ca / 255;
    sa = sa * ca / 255;
  } else {
    sr = sr * ca / 255;
    sg = sg * ca / 255;
    sb = sb * ca / 255;
    sa = ca;
  }
  const unsigned inv = 255 - sa;
  const unsigned dr = (d >> 16) & 0xFF, dg = (d >> 8) & 0xFF, db = d & 0xFF, da = (d >> 24) & 0xFF;
  auto mix = [&](unsigned sc, unsigned dc) { return std::min(255u, sc + (dc * inv + 127) / 255); };
  return (mix(sa, da) << 24) | (mix(sr, dr) << 16) | (mix(sg, dg) << 8) | mix(sb, db);
}

}  // namespace

BOOL AlphaBlend(HDC hdst, int x, int y, int width, int height, HDC hsrc, int srcX, int srcY, int srcWidth,
                int srcHeight, BLENDFUNCTION blend) {
  TDC* dst = DCFromHandle(hdst);
  TDC* src = DCFromHandle(hsrc);
  if (!dst || !src || !dst->Target() || !src->Target() || width < 0 || height < 0 || srcWidth < 0 ||
      srcHeight < 0 || blend.BlendOp != AC_SRC_OVER)
    return 0;
  // The source rectangle must lie inside the source surface.
  const int sl = srcX + src->Dx(), st = srcY + src->Dy();
  if (sl < 0 || st < 0 || sl + srcWidth > src->Target()->Width() || st + srcHeight > src->Target()->Height())
    return 0;
  ForEachMapped(dst, x + dst->Dx(), y + dst->Dy(), width, height, src->Target(), sl, st, srcWidth, srcHeight,
                [&](Pixel& d, Pixel s, int, int) { d = Blend(d, s, blend); });
  return 1;
}

void BlendSurface(TSurface& dest, int x, int y, const TSurface& src, const RECT& srcRect, BLENDFUNCTION blend,
                  const GdiRegion* clip) {
  const RECT target{x, y, x + srcRect.right - srcRect.left, y + srcRect.bottom - srcRect.top};
  const GdiRegion area = (clip ? *clip & target : GdiRegion(target)) & dest.Bounds();
  for (const RECT& part : area.Rects()) {
    for (int py = part.top; py < part.bottom; ++py) {
      const int sy = srcRect.top + py - y;
      if (sy < 0 || sy >= src.Height()) continue;
      Pixel* drow = dest.Row(py);
      const Pixel* srow = src.Row(sy);
      for (int px = part.left; px < part.right; ++px) {
        const int sx = srcRect.left + px - x;
        if (sx >= 0 && sx < src.Width()) drow[px] = Blend(drow[px], srow[sx], blend);
      }
    }
    dest.AddDamage(part);
  }
}

void CopySurface(TSurface& dest, int x, int y, const TSurface& src, const RECT& srcRect,
                 const GdiRegion* clip) {
  RECT s = srcRect, b = src.Bounds();
  if (!IntersectRect(&s, &s, &b)) return;
  x += s.left - srcRect.left;
  y += s.top - srcRect.top;
  const int w = s.right - s.left, h = s.bottom - s.top;
  // Through a copy: source and destination may overlap.
  std::vector<Pixel> tmp(static_cast<std::size_t>(w) * h);
  for (int row = 0; row < h; ++row)
    std::memcpy(&tmp[static_cast<std::size_t>(row) * w], src.Row(s.top + row) + s.left, sizeof(Pixel) * w);
  const RECT target{x, y, x + w, y + h};
  const GdiRegion area = (clip ? *clip & target : GdiRegion(target)) & dest.Bounds();
  for (const RECT& part : area.Rects()) {
    for (int py = part.top; py < part.bottom; ++py)
      std::memcpy(dest.Row(py) + part.left, &tmp[static_cast<std::size_t>(py - y) * w + (part.left - x)],
                  sizeof(Pixel) * (part.right - part.left));
    dest.AddDamage(part);
  }
}
