#include "platform/gdi/Region.h"

#include <algorithm>
#include <cmath>

#include "platform/gdi/GdiObject.h"
#include "platform/gdi/RegionBuilder.h"

// --- RegionBuilder ---

void RegionBuilder::AddBand(int top, int bottom, const std::vector<Span>& spans) {
  if (bottom <= top || spans.empty()) return;
  const std::size_t count = spans.size();
  // Join with the previous band when it touches and has the same spans.
  if (lastBandStart_ < rects_.size() && rects_[lastBandStart_].bottom == top &&
      rects_.size() - lastBandStart_ == count) {
    bool same = true;
    for (std::size_t i = 0; i < count && same; ++i) {
      const RECT& r = rects_[lastBandStart_ + i];
      same = r.left == spans[i].left && r.right == spans[i].right;
    }
    if (same) {
      for (std::size_t i = lastBandStart_; i < rects_.size(); ++i) rects_[i].bottom = bottom;
      return;
    }
  }
  lastBandStart_ = rects_.size();
  for (const Span& s : spans) rects_.push_back({s.left, top, s.right, bottom});
}

void RegionBuilder::AddRow(int y, std::vector<Span>& spans) {
  NormalizeSpans(spans);
  AddBand(y, y + 1, spans);
}

void NormalizeSpans(std::vector<Span>& spans) {
  spans.erase(std::remove_if(spans.begin(), spans.end(), [](const Span& s) { return s.right <= s.left; }),
              spans.end());
  if (spans.size() < 2) return;
  std::sort(spans.begin(), spans.end(), [](const Span& a, const Span& b) { return a.left < b.left; });
  std::size_t out = 0;
  for (std::size_t i = 1; i < spans.size(); ++i) {
    if (spans[i].left <= spans[out].right)
      spans[out].right = std::max(spans[out].right, spans[i].right);
    else
      spans[++out] = spans[i];
  }
  spans.resize(out + 1);
}

namespace {

// Spans of the band starting at index `i` of a canonical rectangle list; returns the next band's index.
std::size_t BandSpans(const std::vector<RECT>& rects, std::size_t i, std::vector<Span>& spans) {
  spans.clear();
  const LONG top = rects[i].top;
  for (; i < rects.size() && rects[i].top == top; ++i) spans.push_back({rects[i].left, rects[i].right});
  return i;
}

template <class Op>
void CombineSpans(const std::vector<Span>& a, const std::vector<Span>& b, Op op, std::vector<Span>& out) {
  out.clear();
  std::size_t ia = 0, ib = 0;
  bool inA = false, inB = false;
  int start = 0;
  bool inside = false;
  while (ia < a.size() * 2 || ib < b.size() * 2) {
    const int xa = ia < a.size() * 2 ? (ia % 2 ? a[ia / 2].right : a[ia / 2].left) : INT32_MAX;
    const int xb = ib < b.size() * 2 ? (ib % 2 ? b[ib / 2].right : b[ib / 2].left) : INT32_MAX;
    const int x = std::min(xa, xb);
    if (xa == x) {
      inA = !inA;
      ++ia;
    }
    if (xb == x) {
      inB = !inB;
      ++ib;
    }
    const bool now = op(inA, inB);
    if (now != inside) {
      if (now) {
        start = x;
      } else if (!out.empty() && out.back().right == start) {
        out.back().right = x;
      } else {
        out.push_back({start, x});
      }
      inside = now;
    }
  }
}

template <class Op>
std::vector<RECT> Combine(const std::vector<RECT>& a, const std::vector<RECT>& b, Op op) {
  RegionBuilder builder;
  std::vector<Span> spansA, spansB, spans;
  const std::vector<Span> none;
  std::size_t ia = 0, ib = 0;
  // The next band of each region starts at index ia/ib; its spans are loaded when it begins.
  std::size_t nextA = 0, nextB = 0;
  bool loadedA = false, loadedB = false;
  LONG y = INT32_MIN;
  while (ia < a.size() || ib < b.size()) {
    const LONG topA = ia < a.size() ? a[ia].top : INT32_MAX;
    const LONG botA = ia < a.size() ? a[ia].bottom : INT32_MAX;
    const LONG topB = ib < b.size() ? b[ib].top : INT32_MAX;
    const LONG botB = ib < b.size() ? b[ib].bottom : INT32_MAX;
    if (y < std::min(topA, topB)) y = std::min(topA, topB);
    const bool activeA = topA <= y;
    const bool activeB = topB <= y;
    if (activeA && !loadedA) {
      nextA = BandSpans(a, ia, spansA);
      loadedA = true;
    }
    if (activeB && !loadedB) {
      nextB = BandSpans(b, ib, spansB);
      loadedB = true;
    }
    const LONG endA = activeA ? botA : topA;
    const LONG endB = activeB ? botB : topB;
    const LONG yEnd = std::min(endA, endB);
    CombineSpans(activeA ? spansA : none, activeB ? spansB : none, op, spans);
    builder.AddBand(y, yEnd, spans);
    y = yEnd;
    if (activeA && botA == yEnd) {
      ia = nextA;
      loadedA = false;
    }
    if (activeB && botB == yEnd) {
      ib = nextB;
      loadedB = false;
    }
  }
  return builder.Take();
}

// Half-width of an ellipse of radii rx, ry at vertical offset dy from its centre; < 0 outside.
double EllipseHalfWidth(double rx, double ry, double dy) {
  if (ry <= 0) return -1;
  const double t = 1 - (dy * dy) / (ry * ry);
  return t <= 0 ? -1 : rx * std::sqrt(t);
}

}  // namespace

// --- GdiRegion ---

GdiRegion::GdiRegion(const RECT& r) {
  if (!IsRectEmpty(&r)) rects_.push_back(r);
}

GdiRegion GdiRegion::FromCanonical(std::vector<RECT> rects) {
  GdiRegion g;
  g.rects_ = std::move(rects);
  return g;
}

GdiRegion GdiRegion::FromRects(const RECT* rects, int count) {
  std::vector<const RECT*> pending;
  std::vector<LONG> ys;
  for (int i = 0; i < count; ++i) {
    if (IsRectEmpty(&rects[i])) continue;
    pending.push_back(&rects[i]);
    ys.push_back(rects[i].top);
    ys.push_back(rects[i].bottom);
  }
  std::sort(ys.begin(), ys.end());
  ys.erase(std::unique(ys.begin(), ys.end()), ys.end());
  // Swept from the top: a band looks only at the rectangles that span it (a long stroked line
  // gives thousands of rectangles, one or two per band).
  std::sort(pending.begin(), pending.end(), [](const RECT* a, const RECT* b) { return a->top < b->top; });
  std::vector<const RECT*> active;
  std::size_t next = 0;
  RegionBuilder builder;
  std::vector<Span> spans;
  for (std::size_t k = 0; k + 1 < ys.size(); ++k) {
    std::erase_if(active, [&](const RECT* r) { return r->bottom <= ys[k]; });
    while (next < pending.size() && pending[next]->top <= ys[k]) active.push_back(pending[next++]);
    spans.clear();
    for (const RECT* r : active) spans.push_back({r->left, r->right});
    NormalizeSpans(spans);
    builder.AddBand(ys[k], ys[k + 1], spans);
  }
  return FromCanonical(builder.Take());
}

GdiRegion GdiRegion::Ellipse(const RECT& box) {
  RegionBuilder builder;
  const double cx = (box.left + box.right) / 2.0, cy = (box.top + box.bottom) / 2.0;
  const double rx = (box.right - box.left) / 2.0, ry = (box.bottom - box.top) / 2.0;
  std::vector<Span> row(1);
  for (int y = box.top; y < box.bottom; ++y) {
    const double hw = EllipseHalfWidth(rx, ry, y + 0.5 - cy);
    if (hw < 0) continue;
    // A pixel belongs when its centre lies inside.
    row.resize(1);
    row[0] = {static_cast<int>(std::floor(cx - hw - 0.5)) + 1, static_cast<int>(std::ceil(cx + hw - 0.5))};
    if (row[0].right <= row[0].left) {
      // Thin ellipses keep their middle pixel(s) so the shape stays connected.
      const int mid = static_cast<int>(std::floor(cx));
      row[0] = mid == cx ? Span{mid - 1, mid + 1} : Span{mid, mid + 1};
    }
    builder.AddRow(y, row);
  }
  return FromCanonical(builder.Take());
}

GdiRegion GdiRegion::RoundRect(const RECT& box, int ellipseWidth, int ellipseHeight) {
  const int w = std::min(std::abs(ellipseWidth), static_cast<int>(box.right - box.left));
  const int h = std::min(std::abs(ellipseHeight), static_cast<int>(box.bottom - box.top));
  if (w < 2 || h < 2) return GdiRegion(box);
  RegionBuilder builder;
  const double rx = w / 2.0, ry = h / 2.0;
  std::vector<Span> row(1);
  for (int y = box.top; y < box.bottom; ++y) {
    const double yc = y + 0.5;
    double dy = 0;
    if (yc < box.top + ry)
      dy = yc - (box.top + ry);
    else if (yc > box.bottom - ry)
      dy = yc - (box.bottom - ry);
    const double hw = EllipseHalfWidth(rx, ry, dy);
    if (hw < 0) continue;
    row.resize(1);
    row[0] = {static_cast<int>(std::floor(box.left + rx - hw - 0.5)) + 1,
              static_cast<int>(std::ceil(box.right - rx + hw - 0.5))};
    builder.AddRow(y, row);
  }
  return FromCanonical(builder.Take());
}

GdiRegion GdiRegion::PolyPolygon(const POINT* points, const int* counts, int polygons, int fillMode) {
  struct Edge {
    double x0, y0, x1, y1;
    int dir;
  };
  std::vector<Edge> edges;
  LONG minY = INT32_MAX, maxY = INT32_MIN;
  const POINT* p = points;
  for (int k = 0; k < polygons; ++k) {
    const int n = counts[k];
    for (int i = 0; i < n; ++i) {
      const POINT a = p[i], b = p[(i + 1) % n];
      minY = std::min(minY, a.y);
      maxY = std::max(maxY, a.y);
      if (a.y == b.y) continue;
      if (a.y < b.y)
        edges.push_back({double(a.x), double(a.y), double(b.x), double(b.y), 1});
      else
        edges.push_back({double(b.x), double(b.y), double(a.x), double(a.y), -1});
    }
    p += n;
  }
  RegionBuilder builder;
  struct Cross {
    double x;
    int dir;
  };
  std::vector<Cross> crossings;
  std::vector<Span> row;
  for (LONG y = minY; y < maxY; ++y) {
    const double yc = y + 0.5;
    crossings.clear();
    for (const Edge& e : edges) {
      if (yc < e.y0 || yc >= e.y1) continue;
      crossings.push_back({e.x0 + (yc - e.y0) * (e.x1 - e.x0) / (e.y1 - e.y0), e.dir});
    }
    std::sort(crossings.begin(), crossings.end(), [](const Cross& a, const Cross& b) { return a.x < b.x; });
    row.clear();
    int winding = 0;
    for (std::size_t i = 0; i + 1 < crossings.size(); ++i) {
      winding += fillMode == WINDING ? crossings[i].dir : 1;
      const bool inside = fillMode == WINDING ? winding != 0 : (winding % 2) != 0;
      if (!inside) continue;
      row.push_back({static_cast<int>(std::ceil(crossings[i].x - 0.5)),
                     static_cast<int>(std::ceil(crossings[i + 1].x - 0.5))});
    }
    builder.AddRow(y, row);
  }
  return FromCanonical(builder.Take());
}

GdiRegion GdiRegion::Polygon(const POINT* points, int count, int fillMode) {
  return PolyPolygon(points, &count, 1, fillMode);
}

int GdiRegion::Complexity() const {
  if (rects_.empty()) return NULLREGION;
  return rects_.size() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

RECT GdiRegion::Bounds() const {
  if (rects_.empty()) return {};
  RECT b{rects_.front().left, rects_.front().top, rects_.front().right, rects_.back().bottom};
  for (const RECT& r : rects_) {
    b.left = std::min(b.left, r.left);
    b.right = std::max(b.right, r.right);
  }
  return b;
}

bool GdiRegion::Contains(int x, int y) const {
  for (const RECT& r : rects_) {
    if (r.top > y) break;
    if (y < r.bottom && x >= r.left && x < r.right) return true;
  }
  return false;
}

bool GdiRegion::Intersects(const RECT& q) const {
  if (IsRectEmpty(&q)) return false;
  for (const RECT& r : rects_) {
    if (r.top >= q.bottom) break;
    if (r.bottom > q.top && r.left < q.right && r.right > q.left) return true;
  }
  return false;
}

bool GdiRegion::ContainsRect(const RECT& r) const {
  return !IsRectEmpty(&r) && (GdiRegion(r) - *this).IsEmpty();
}

void GdiRegion::Offset(int dx, int dy) {
  for (RECT& r : rects_) OffsetRect(&r, dx, dy);
}

// Windows' visible regions are mostly rectangles clipped by rectangles: those skip the band sweep.
GdiRegion GdiRegion::operator&(const GdiRegion& o) const {
  if (rects_.empty() || o.rects_.empty()) return {};
  if (o.rects_.size() == 1) return *this & o.rects_[0];
  if (rects_.size() == 1) return o & rects_[0];
  return FromCanonical(Combine(rects_, o.rects_, [](bool a, bool b) { return a && b; }));
}
GdiRegion GdiRegion::operator|(const GdiRegion& o) const {
  if (o.rects_.empty()) return *this;
  if (rects_.empty()) return o;
  return FromCanonical(Combine(rects_, o.rects_, [](bool a, bool b) { return a || b; }));
}
GdiRegion GdiRegion::operator^(const GdiRegion& o) const {
  return FromCanonical(Combine(rects_, o.rects_, [](bool a, bool b) { return a != b; }));
}
GdiRegion GdiRegion::operator-(const GdiRegion& o) const {
  if (rects_.empty() || o.rects_.empty()) return *this;
  RECT mine = Bounds(), theirs = o.Bounds(), common;
  if (!IntersectRect(&common, &mine, &theirs)) return *this;
  return FromCanonical(Combine(rects_, o.rects_, [](bool a, bool b) { return a && !b; }));
}

GdiRegion GdiRegion::operator&(const RECT& q) const {
  if (rects_.size() == 1) {
    RECT r;
    IntersectRect(&r, &rects_[0], &q);
    return GdiRegion(r);
  }
  if (rects_.empty()) return {};
  const RECT b = Bounds();
  if (q.left <= b.left && q.top <= b.top && q.right >= b.right && q.bottom >= b.bottom) return *this;
  GdiRegion clip(q);
  if (clip.IsEmpty()) return {};
  return FromCanonical(Combine(rects_, clip.rects_, [](bool a, bool b) { return a && b; }));
}

// --- Handles ---

namespace {

class TRegionObject : public TGdiObject {
 public:
  explicit TRegionObject(GdiRegion r) : TGdiObject(GdiKind::Region), region(std::move(r)) {}
  GdiRegion region;
};

}  // namespace

GdiRegion* RegionFromHandle(HRGN rgn) {
  auto* o = LookupGdi<TRegionObject>(rgn, GdiKind::Region);
  return o ? &o->region : nullptr;
}

HRGN CreateRgnFromRegion(const GdiRegion& region) {
  return static_cast<HRGN>(RegisterGdiObject(new TRegionObject(region)));
}

HRGN CreateRectRgn(int left, int top, int right, int bottom) {
  // The platform orders the corners.
  if (left > right) std::swap(left, right);
  if (top > bottom) std::swap(top, bottom);
  return CreateRgnFromRegion(GdiRegion(left, top, right, bottom));
}

HRGN CreateRectRgnIndirect(const RECT* r) {
  return r ? CreateRectRgn(r->left, r->top, r->right, r->bottom) : nullptr;
}

HRGN CreateRoundRectRgn(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight) {
  if (left > right) std::swap(left, right);
  if (top > bottom) std::swap(top, bottom);
  return CreateRgnFromRegion(GdiRegion::RoundRect({left, top, right, bottom}, ellipseWidth, ellipseHeight));
}

HRGN CreateEllipticRgn(int left, int top, int right, int bottom) {
  if (left > right) std::swap(left, right);
  if (top > bottom) std::swap(top, bottom);
  return CreateRgnFromRegion(GdiRegion::Ellipse({left, top, right, bottom}));
}

HRGN CreateEllipticRgnIndirect(const RECT* r) {
  return r ? CreateEllipticRgn(r->left, r->top, r->right, r->bottom) : nullptr;
}

HRGN CreatePolygonRgn(const POINT* points, int count, int fillMode) {
  if (!points || count < 2 || (fillMode != ALTERNATE && fillMode != WINDING)) return nullptr;
  return CreateRgnFromRegion(GdiRegion::Polygon(points, count, fillMode));
}

HRGN CreatePolyPolygonRgn(const POINT* points, const int* counts, int polygons, int fillMode) {
  if (!points || !counts || polygons < 1 || (fillMode != ALTERNATE && fillMode != WINDING)) return nullptr;
  for (int i = 0; i < polygons; ++i)
    if (counts[i] < 2) return nullptr;
  return CreateRgnFromRegion(GdiRegion::PolyPolygon(points, counts, polygons, fillMode));
}

int CombineRgn(HRGN dest, HRGN src1, HRGN src2, int mode) {
  GdiRegion* d = RegionFromHandle(dest);
  GdiRegion* a = RegionFromHandle(src1);
  if (!d || !a) return ERROR;
  if (mode == RGN_COPY) {
    *d = *a;
    return d->Complexity();
  }
  GdiRegion* b = RegionFromHandle(src2);
  if (!b) return ERROR;
  switch (mode) {
    case RGN_AND:
      *d = *a & *b;
      break;
    case RGN_OR:
      *d = *a | *b;
      break;
    case RGN_XOR:
      *d = *a ^ *b;
      break;
    case RGN_DIFF:
      *d = *a - *b;
      break;
    default:
      return ERROR;
  }
  return d->Complexity();
}

int OffsetRgn(HRGN rgn, int dx, int dy) {
  GdiRegion* r = RegionFromHandle(rgn);
  if (!r) return ERROR;
  r->Offset(dx, dy);
  return r->Complexity();
}

BOOL PtInRegion(HRGN rgn, int x, int y) {
  GdiRegion* r = RegionFromHandle(rgn);
  return r && r->Contains(x, y);
}

BOOL RectInRegion(HRGN rgn, const RECT* rect) {
  GdiRegion* r = RegionFromHandle(rgn);
  if (!r || !rect) return 0;
  RECT q = *rect;
  if (q.left > q.right) std::swap(q.left, q.right);
  if (q.top > q.bottom) std::swap(q.top, q.bottom);
  return r->Intersects(q);
}

int GetRgnBox(HRGN rgn, RECT* rect) {
  GdiRegion* r = RegionFromHandle(rgn);
  if (!r || !rect) return ERROR;
  *rect = r->Bounds();
  return r->Complexity();
}

BOOL EqualRgn(HRGN a, HRGN b) {
  GdiRegion* ra = RegionFromHandle(a);
  GdiRegion* rb = RegionFromHandle(b);
  if (!ra || !rb) return ERROR;
  return *ra == *rb;
}

BOOL SetRectRgn(HRGN rgn, int left, int top, int right, int bottom) {
  GdiRegion* r = RegionFromHandle(rgn);
  if (!r) return 0;
  if (left > right) std::swap(left, right);
  if (top > bottom) std::swap(top, bottom);
  *r = GdiRegion(left, top, right, bottom);
  return 1;
}
