#include "platform/gdi/PixelOps.h"

namespace {

bool HatchBit(int hatch, int x, int y) {
  switch (hatch) {
    case HS_HORIZONTAL:
      return y == 7;
    case HS_VERTICAL:
      return x == 7;
    case HS_FDIAGONAL:
      return x == y;
    case HS_BDIAGONAL:
      return x + y == 7;
    case HS_CROSS:
      return x == 7 || y == 7;
    case HS_DIAGCROSS:
      return x == y || x + y == 7;
    default:
      return false;
  }
}

int PositiveMod(int a, int m) {
  const int r = a % m;
  return r < 0 ? r + m : r;
}

}  // namespace

std::uint8_t Rop2ToRop3(int rop2) {
  const int t = rop2 - 1;
  std::uint8_t rop = 0;
  for (int i = 0; i < 8; ++i) {
    const int p = (i >> 2) & 1, d = i & 1;
    if ((t >> ((p << 1) | d)) & 1) rop |= static_cast<std::uint8_t>(1 << i);
  }
  return rop;
}

PatternSource::PatternSource(TDC* dc, TBrushObject* brush) {
  const bool monoTarget = dc->Target() && dc->Target()->Monochrome();
  auto convert = [&](COLORREF c) {
    const Pixel p = ColorToPixel(ResolveDcColor(dc, c));
    return monoTarget ? ToMono(p) : p;
  };
  orgX_ = dc->origin.x + dc->st.brushOrg.x;
  orgY_ = dc->origin.y + dc->st.brushOrg.y;
  if (!brush || brush->style == BS_NULL) {
    valid_ = false;
    return;
  }
  switch (brush->style) {
    case BS_HATCHED:
      hatch_ = brush->hatch;
      fore_ = convert(brush->color);
      back_ = convert(dc->st.bkColor);
      transparentGaps_ = dc->st.bkMode == TRANSPARENT;
      break;
    case BS_PATTERN:
    case BS_PATTERN8X8:
    case BS_DIBPATTERN:
    case BS_DIBPATTERNPT:
      if (!brush->pattern) {
        valid_ = false;
        return;
      }
      pattern_ = brush->pattern.get();
      monoPattern_ = pattern_->Monochrome();
      // 0 bits take the text colour, 1 bits the background colour.
      fore_ = convert(dc->st.textColor);
      back_ = convert(dc->st.bkColor);
      break;
    default:
      solid_ = true;
      color_ = convert(brush->dcBrush ? dc->st.dcBrushColor : brush->color);
      break;
  }
}

bool PatternSource::At(int x, int y, Pixel* out) const {
  if (solid_) {
    *out = color_;
    return true;
  }
  if (hatch_ >= 0) {
    if (HatchBit(hatch_, PositiveMod(x - orgX_, 8), PositiveMod(y - orgY_, 8))) {
      *out = fore_;
      return true;
    }
    *out = back_;
    return !transparentGaps_;
  }
  const Pixel p =
      pattern_->At(PositiveMod(x - orgX_, pattern_->Width()), PositiveMod(y - orgY_, pattern_->Height()));
  if (monoPattern_)
    *out = (p & 0xFFFFFF) ? back_ : fore_;
  else
    *out = p | 0xFF000000u;
  return true;
}

void FillRectRop(TDC* dc, const RECT& r, const PatternSource& pattern, std::uint8_t rop3) {
  TSurface* s = dc->Target();
  if (!s || !pattern.valid()) return;
  RECT touched{};
  ForEachClipped(dc->Clip(), r, [&](const RECT& part) {
    UnionRect(&touched, &touched, &part);
    for (int y = part.top; y < part.bottom; ++y) {
      Pixel* row = s->Row(y);
      if (pattern.solid()) {
        const Pixel p = pattern.color();
        if (rop3 == 0xF0) {
          std::fill(row + part.left, row + part.right, p);
        } else {
          for (int x = part.left; x < part.right; ++x) row[x] = ApplyRop3(rop3, p, 0, row[x]);
        }
      } else {
        Pixel p;
        for (int x = part.left; x < part.right; ++x)
          if (pattern.At(x, y, &p)) row[x] = ApplyRop3(rop3, p, 0, row[x]);
      }
    }
  });
  if (!IsRectEmpty(&touched)) Damage(dc, touched);
}

void FillRegionRop(TDC* dc, const GdiRegion& shape, const PatternSource& pattern, std::uint8_t rop3) {
  for (const RECT& r : shape.Rects()) FillRectRop(dc, r, pattern, rop3);
}
