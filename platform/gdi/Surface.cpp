#include "platform/gdi/Surface.h"

#include <algorithm>

TSurface::TSurface(int width, int height, Pixel fill)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      stride_(width_),
      owned_(static_cast<std::size_t>(width_) * height_, fill),
      ownsPixels_(true) {
  pixels_ = owned_.data();
}

TSurface::TSurface(int width, int height, Pixel* pixels, int stride)
    : width_(width), height_(height), stride_(stride), pixels_(pixels), ownsPixels_(false) {}

void TSurface::Resize(int width, int height, Pixel fill) {
  if (!ownsPixels_) return;
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (width == width_ && height == height_) return;
  std::vector<Pixel> next(static_cast<std::size_t>(width) * height, fill);
  const int w = std::min(width, width_), h = std::min(height, height_);
  for (int y = 0; y < h; ++y) std::copy_n(Row(y), w, next.data() + static_cast<std::size_t>(y) * width);
  owned_ = std::move(next);
  pixels_ = owned_.data();
  width_ = width;
  height_ = height;
  stride_ = width;
  if (trackDamage_) {
    damage_.clear();
    AddDamageAll();
  }
}

void TSurface::AddDamage(const RECT& r) {
  if (!trackDamage_) return;
  RECT b = Bounds(), c;
  if (!IntersectRect(&c, &r, &b)) return;
  for (RECT& d : damage_) {
    RECT u;
    UnionRect(&u, &d, &c);
    if (u == d) return;
    // Cheap merge when the union wastes nothing worth noting.
    const long long areaU = 1LL * (u.right - u.left) * (u.bottom - u.top);
    const long long areaSum =
        1LL * (d.right - d.left) * (d.bottom - d.top) + 1LL * (c.right - c.left) * (c.bottom - c.top);
    if (areaU <= areaSum) {
      d = u;
      return;
    }
  }
  damage_.push_back(c);
  if (damage_.size() > 64) {
    RECT u = damage_[0];
    for (const RECT& d : damage_) UnionRect(&u, &u, &d);
    damage_.assign(1, u);
  }
}

GdiRegion TSurface::TakeDamage() {
  GdiRegion r = GdiRegion::FromRects(damage_.data(), static_cast<int>(damage_.size()));
  damage_.clear();
  return r;
}
