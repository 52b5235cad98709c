// Lines, shapes, fills and pixels.
#include <algorithm>
#include <climits>
#include <cstdlib>
#include <utility>
#include <vector>

#include "platform/gdi/DcImpl.h"
#include "platform/gdi/Draw.h"
#include "platform/gdi/PixelOps.h"
#include "platform/gdi/SysColors.h"

namespace {

// Dash lengths of the cosmetic styled pens (on, off, on, off ...).
const std::vector<int>& DashPattern(const TPenObject& pen) {
  static const std::vector<int> solid, dash{18, 6}, dot{3, 3}, dashDot{9, 6, 3, 6},
      dashDotDot{9, 3, 3, 3, 3, 3}, alternate{1, 1};
  switch (pen.style) {
    case PS_DASH:
      return dash;
    case PS_DOT:
      return dot;
    case PS_DASHDOT:
      return dashDot;
    case PS_DASHDOTDOT:
      return dashDotDot;
    case PS_ALTERNATE:
      return alternate;
    default:
      return solid;
  }
}

Pixel TargetColor(TDC* dc, COLORREF c) {
  const Pixel p = ColorToPixel(c);
  return dc->Target() && dc->Target()->Monochrome() ? ToMono(p) : p;
}

RECT Grown(RECT r, int by) { return RECT{r.left - by, r.top - by, r.right + by, r.bottom + by}; }

// Rasterises pen strokes: pixels of one pen style go to the "on" sink, gaps of styled pens to the
// "off" sink. Sinks either paint straight away (lines) or collect a region (outlines of shapes).
class Stroker {
 public:
  Stroker(TDC* dc, bool collect) : dc_(dc), collect_(collect) {
    TPenObject* pen = dc->st.pen.get();
    null_ = !pen || pen->style == PS_NULL;
    if (null_) return;
    width_ = std::max(1, pen->width);
    if (width_ == 1) {
      if (pen->style == PS_USERSTYLE) {
        for (DWORD d : pen->userStyle) dashes_.push_back(static_cast<int>(std::max<DWORD>(d, 1)));
      } else {
        dashes_ = DashPattern(*pen);
      }
    }
    // Pixels further than a pen width from the clip cannot show: strokes are cut to this box
    // before they are widened, so a far-off line costs nothing but its walk.
    clipBox_ = dc->Clip().Bounds();
    reach_ = Grown(clipBox_, width_);
    rop_ = Rop2ToRop3(dc->st.rop2);
    on_ = Pixel(TargetColor(dc, PenColor(dc)));
    off_ = Pixel(TargetColor(dc, dc->st.bkColor));
    paintGaps_ = dc->st.bkMode == OPAQUE;
  }

  bool Null() const { return null_; }
  int Width() const { return width_; }

  // A segment in surface coordinates, its end pixel excluded.
  void Segment(int x0, int y0, int x1, int y1) {
    if (null_) return;
    if (y0 == y1 && dashes_.empty() && width_ == 1) {
      if (x1 > x0)
        Run(y0, x0, x1, true);
      else if (x1 < x0)
        Run(y0, x1 + 1, x0 + 1, true);
      return;
    }
    const int dx = std::abs(x1 - x0), dy = std::abs(y1 - y0);
    if (std::max(x0, x1) < reach_.left || std::min(x0, x1) >= reach_.right || std::max(y0, y1) < reach_.top ||
        std::min(y0, y1) >= reach_.bottom) {
      stylePos_ += std::max(dx, dy);  // the dashes of the next segment stay where they were
      return;
    }
    if (width_ > 1) {
      WideSegment(x0, y0, x1, y1);
      return;
    }
    const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
    int err = dx - dy;
    int x = x0, y = y0;
    int runY = y, runX0 = x, runX1 = x;
    bool runOn = true, haveRun = false;
    while (x != x1 || y != y1) {
      const bool on = StyleStep();
      if (haveRun && y == runY && on == runOn && (x == runX1 || x == runX0 - 1)) {
        runX0 = std::min(runX0, x);
        runX1 = std::max(runX1, x + 1);
      } else {
        if (haveRun) Run(runY, runX0, runX1, runOn);
        runY = y;
        runX0 = x;
        runX1 = x + 1;
        runOn = on;
        haveRun = true;
      }
      const int e2 = 2 * err;
      if (e2 > -dy) {
        err -= dy;
        x += sx;
      }
      if (e2 < dx) {
        err += dx;
        y += sy;
      }
    }
    if (haveRun) Run(runY, runX0, runX1, runOn);
    FlushWide();
  }

  // Paints what was collected (collecting strokers), skipping nothing.
  void Paint(const GdiRegion& onRegion, const GdiRegion& offRegion) {
    if (paintGaps_) FillRegionRop(dc_, offRegion, PatternSource(off_), rop_);
    FillRegionRop(dc_, onRegion, PatternSource(on_), rop_);
  }
  GdiRegion TakeOn() { return GdiRegion::FromRects(onRects_.data(), static_cast<int>(onRects_.size())); }
  GdiRegion TakeOff() { return GdiRegion::FromRects(offRects_.data(), static_cast<int>(offRects_.size())); }

 private:
  bool StyleStep() {
    if (dashes_.empty()) return true;
    int pos = stylePos_++;
    int total = 0;
    for (int d : dashes_) total += d;
    pos %= total;
    for (std::size_t i = 0; i < dashes_.size(); ++i) {
      if (pos < dashes_[i]) return i % 2 == 0;
      pos -= dashes_[i];
    }
    return true;
  }

  // A wide pen's square tip swept along the segment's pixels, as one span a row: the pixels of a
  // line step monotonically, so the tips covering a row are those of a run of the line's rows, and
  // the extremes lie at the run's ends. Costs the line's length plus the rows that show.
  void WideSegment(int x0, int y0, int x1, int y1) {
    const int dx = std::abs(x1 - x0), dy = std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
    // The leftmost and rightmost pixel of the line on each row whose tip can reach the clip (the
    // end pixel excluded).
    const int first = reach_.top, rows = reach_.bottom - reach_.top;
    std::vector<std::pair<int, int>> xs(static_cast<size_t>(std::max(rows, 0)), {INT_MAX, INT_MIN});
    int err = dx - dy, x = x0, y = y0;
    while (x != x1 || y != y1) {
      if (y >= first && y < first + rows) {
        auto& row = xs[static_cast<size_t>(y - first)];
        row = {std::min(row.first, x), std::max(row.second, x)};
      }
      const int e2 = 2 * err;
      if (e2 > -dy) {
        err -= dy;
        x += sx;
      }
      if (e2 < dx) {
        err += dx;
        y += sy;
      }
    }
    const int half = width_ / 2;
    auto drawn = [&](int lineY) { return xs[static_cast<size_t>(lineY - first)].first != INT_MAX; };
    for (int r = clipBox_.top; r < clipBox_.bottom; ++r) {
      // The line's rows whose tip covers row r.
      int lo = std::max(first, r + half - width_ + 1), hi = std::min(first + rows - 1, r + half);
      while (lo <= hi && !drawn(lo)) ++lo;
      while (hi >= lo && !drawn(hi)) --hi;
      if (lo > hi) continue;
      const auto& a = xs[static_cast<size_t>(lo - first)];
      const auto& b = xs[static_cast<size_t>(hi - first)];
      const RECT span{std::min(a.first, b.first) - half, r, std::max(a.second, b.second) - half + width_, r + 1};
      RECT shown;
      if (IntersectRect(&shown, &span, &clipBox_)) wide_.push_back(shown);
    }
    FlushWide();
  }

  void Run(int y, int x0, int x1, bool on) {
    if (!on && !paintGaps_) return;
    if (y < reach_.top || y >= reach_.bottom) return;
    x0 = std::max<int>(x0, reach_.left);
    x1 = std::min<int>(x1, reach_.right);
    if (x0 >= x1) return;
    if (collect_) {
      (on ? onRects_ : offRects_).push_back({x0, y, x1, y + 1});
      return;
    }
    FillRunRop(dc_, y, x0, x1, PatternSource(on ? on_ : off_), rop_);
  }

  void FlushWide() {
    if (wide_.empty()) return;
    if (collect_) {
      onRects_.insert(onRects_.end(), wide_.begin(), wide_.end());
    } else {
      FillRegionRop(dc_, GdiRegion::FromRects(wide_.data(), static_cast<int>(wide_.size())),
                    PatternSource(on_), rop_);
    }
    wide_.clear();
  }

  TDC* dc_;
  bool collect_;
  bool null_ = true;
  int width_ = 1;
  RECT clipBox_{}, reach_{};
  std::vector<int> dashes_;
  int stylePos_ = 0;
  std::uint8_t rop_ = 0xF0;
  Pixel on_ = 0, off_ = 0;
  bool paintGaps_ = false;
  std::vector<RECT> wide_, onRects_, offRects_;
};

void OrderRect(int& left, int& top, int& right, int& bottom) {
  if (left > right) std::swap(left, right);
  if (top > bottom) std::swap(top, bottom);
}

// Shrinks a region by w pixels horizontally and h vertically (what stays of it under a w x h frame).
GdiRegion Erode(const GdiRegion& shape, int w, int h) {
  GdiRegion r = shape;
  for (int i = 1; i <= std::max(w, h); ++i) {
    GdiRegion step = r;
    if (i <= w) {
      GdiRegion a = r, b = r;
      a.Offset(1, 0);
      b.Offset(-1, 0);
      step &= a;
      step &= b;
    }
    if (i <= h) {
      GdiRegion a = r, b = r;
      a.Offset(0, 1);
      b.Offset(0, -1);
      step &= a;
      step &= b;
    }
    r = std::move(step);
  }
  return r;
}

// A filled shape with a pen outline; `shape` is in surface coordinates.
void PaintShape(TDC* dc, const GdiRegion& shape, const GdiRegion& withNullPen) {
  Stroker pen(dc, true);
  const std::uint8_t rop = Rop2ToRop3(dc->st.rop2);
  const PatternSource brush(dc, dc->st.brush.get());
  if (pen.Null()) {
    FillRegionRop(dc, withNullPen, brush, rop);
    return;
  }
  const int w = pen.Width();
  // Eroding costs a region operation per pen pixel: only the part that can show is eroded (cut a
  // pen width beyond the clip, so the cut edge erodes nothing visible).
  const GdiRegion visible = shape & Grown(dc->Clip().Bounds(), w + 1);
  const GdiRegion inner = Erode(visible, w, w);
  FillRegionRop(dc, inner, brush, rop);
  // Curved outlines are drawn solid whatever the pen's dash style.
  pen.Paint(visible - inner, GdiRegion());
}

BOOL PolyStroke(TDC* dc, const POINT* points, int count, bool close) {
  if (!points || count < 2) return 0;
  Stroker s(dc, false);
  const int dx = dc->Dx(), dy = dc->Dy();
  for (int i = 0; i + 1 < count; ++i)
    s.Segment(points[i].x + dx, points[i].y + dy, points[i + 1].x + dx, points[i + 1].y + dy);
  if (close)
    s.Segment(points[count - 1].x + dx, points[count - 1].y + dy, points[0].x + dx, points[0].y + dy);
  return 1;
}

HBRUSH BrushArg(HBRUSH brush, HBRUSH& owned) {
  // Small values are system colour indexes plus one.
  const auto v = reinterpret_cast<std::uintptr_t>(brush);
  if (v > 0 && v <= static_cast<std::uintptr_t>(COLOR_MAX_INDEX + 1)) {
    owned = CreateSolidBrush(GdiSysColor(static_cast<int>(v) - 1));
    return owned;
  }
  return brush;
}

struct OwnedBrush {
  HBRUSH h = nullptr;
  ~OwnedBrush() {
    if (h) DeleteObject(h);
  }
};

}  // namespace

// --- Lines ---

BOOL MoveToEx(HDC h, int x, int y, POINT* old) {
  TDC* dc = DCFromHandle(h);
  if (!dc) return 0;
  if (old) *old = dc->st.curPos;
  dc->st.curPos = {x, y};
  return 1;
}

BOOL LineTo(HDC h, int x, int y) {
  TDC* dc = DCFromHandle(h);
  if (!dc) return 0;
  const POINT pts[2] = {dc->st.curPos, {x, y}};
  PolyStroke(dc, pts, 2, false);
  dc->st.curPos = {x, y};
  return 1;
}

BOOL Polyline(HDC h, const POINT* points, int count) {
  TDC* dc = DCFromHandle(h);
  return dc ? PolyStroke(dc, points, count, false) : 0;
}

BOOL PolylineTo(HDC h, const POINT* points, DWORD count) {
  TDC* dc = DCFromHandle(h);
  if (!dc || !points || count == 0) return 0;
  std::vector<POINT> pts;
  pts.reserve(count + 1);
  pts.push_back(dc->st.curPos);
  pts.insert(pts.end(), points, points + count);
  PolyStroke(dc, pts.data(), static_cast<int>(pts.size()), false);
  dc->st.curPos = points[count - 1];
  return 1;
}

BOOL PolyPolyline(HDC h, const POINT* points, const DWORD* counts, DWORD polylines) {
  TDC* dc = DCFromHandle(h);
  if (!dc || !points || !counts) return 0;
  for (DWORD i = 0; i < polylines; ++i) {
    if (counts[i] < 2) return 0;
    PolyStroke(dc, points, static_cast<int>(counts[i]), false);
    points += counts[i];
  }
  return 1;
}

// --- Shapes ---

BOOL PolyPolygon(HDC h, const POINT* points, const int* counts, int polygons) {
  TDC* dc = DCFromHandle(h);
  if (!dc || !points || !counts || polygons < 1) return 0;
  int total = 0;
  for (int i = 0; i < polygons; ++i) {
    if (counts[i] < 2) return 0;
    total += counts[i];
  }
  std::vector<POINT> pts(points, points + total);
  for (POINT& p : pts) {
    p.x += dc->Dx();
    p.y += dc->Dy();
  }
  const GdiRegion fill = GdiRegion::PolyPolygon(pts.data(), counts, polygons, dc->st.polyFillMode);
  Stroker outline(dc, true);
  const POINT* p = pts.data();
  for (int k = 0; k < polygons; ++k) {
    const int n = counts[k];
    for (int i = 0; i < n; ++i) outline.Segment(p[i].x, p[i].y, p[(i + 1) % n].x, p[(i + 1) % n].y);
    p += n;
  }
  const GdiRegion on = outline.TakeOn(), off = outline.TakeOff();
  FillRegionRop(dc, fill - on - off, PatternSource(dc, dc->st.brush.get()), Rop2ToRop3(dc->st.rop2));
  outline.Paint(on, off);
  return 1;
}

BOOL Polygon(HDC h, const POINT* points, int count) { return PolyPolygon(h, points, &count, 1); }

BOOL Rectangle(HDC h, int left, int top, int right, int bottom) {
  TDC* dc = DCFromHandle(h);
  if (!dc) return 0;
  OrderRect(left, top, right, bottom);
  const int dx = dc->Dx(), dy = dc->Dy();
  const RECT box{left + dx, top + dy, right + dx, bottom + dy};
  TPenObject* pen = dc->st.pen.get();
  const bool styled = pen && pen->style != PS_SOLID && pen->style != PS_INSIDEFRAME &&
                      pen->style != PS_NULL && pen->width <= 1;
  if (styled) {
    // Dashes run around the outline path.
    Stroker outline(dc, true);
    const POINT c[4] = {{box.left, box.top},
                        {box.right - 1, box.top},
                        {box.right - 1, box.bottom - 1},
                        {box.left, box.bottom - 1}};
    for (int i = 0; i < 4; ++i) outline.Segment(c[i].x, c[i].y, c[(i + 1) % 4].x, c[(i + 1) % 4].y);
    const GdiRegion on = outline.TakeOn(), off = outline.TakeOff();
    const RECT inner{box.left + 1, box.top + 1, box.right - 1, box.bottom - 1};
    FillRegionRop(dc, GdiRegion(inner), PatternSource(dc, dc->st.brush.get()), Rop2ToRop3(dc->st.rop2));
    outline.Paint(on, off);
    return 1;
  }
  PaintShape(dc, GdiRegion(box), GdiRegion(RECT{box.left, box.top, box.right - 1, box.bottom - 1}));
  return 1;
}

BOOL RoundRect(HDC h, int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight) {
  TDC* dc = DCFromHandle(h);
  if (!dc) return 0;
  OrderRect(left, top, right, bottom);
  const int dx = dc->Dx(), dy = dc->Dy();
  const RECT box{left + dx, top + dy, right + dx, bottom + dy};
  const RECT small{box.left, box.top, box.right - 1, box.bottom - 1};
  PaintShape(dc, GdiRegion::RoundRect(box, ellipseWidth, ellipseHeight),
             GdiRegion::RoundRect(small, ellipseWidth, ellipseHeight));
  return 1;
}

BOOL Ellipse(HDC h, int left, int top, int right, int bottom) {
  TDC* dc = DCFromHandle(h);
  if (!dc) return 0;
  OrderRect(left, top, right, bottom);
  const int dx = dc->Dx(), dy = dc->Dy();
  const RECT box{left + dx, top + dy, right + dx, bottom + dy};
  PaintShape(dc, GdiRegion::Ellipse(box),
             GdiRegion::Ellipse({box.left, box.top, box.right - 1, box.bottom - 1}));
  return 1;
}

// --- Fills ---

namespace {

RECT SurfaceRect(TDC* dc, const RECT& r) {
  RECT s = ToSurfaceRect(dc, r);
  if (s.left > s.right) std::swap(s.left, s.right);
  if (s.top > s.bottom) std::swap(s.top, s.bottom);
  return s;
}

GdiRegion SurfaceRegion(TDC* dc, HRGN rgn) {
  GdiRegion* r = RegionFromHandle(rgn);
  if (!r) return {};
  GdiRegion s = *r;
  // Regions are in logical coordinates for the fill calls.
  s.Offset(dc->Dx(), dc->Dy());
  return s;
}

TBrushObject* BrushOf(HBRUSH brush) { return BrushFromHandle(brush); }

}  // namespace

int FillRect(HDC h, const RECT* rect, HBRUSH brush) {
  TDC* dc = DCFromHandle(h);
  OwnedBrush owned;
  brush = BrushArg(brush, owned.h);
  TBrushObject* b = BrushOf(brush);
  if (!dc || !rect || !b) return 0;
  const RECT r = ToSurfaceRect(dc, *rect);
  FillRectRop(dc, r, PatternSource(dc, b), 0xF0);
  return 1;
}

int FrameRect(HDC h, const RECT* rect, HBRUSH brush) {
  TDC* dc = DCFromHandle(h);
  OwnedBrush owned;
  brush = BrushArg(brush, owned.h);
  TBrushObject* b = BrushOf(brush);
  if (!dc || !rect || !b) return 0;
  const RECT r = ToSurfaceRect(dc, *rect);
  if (IsRectEmpty(&r)) return 1;
  const GdiRegion frame = GdiRegion(r) - GdiRegion(RECT{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1});
  FillRegionRop(dc, frame, PatternSource(dc, b), 0xF0);
  return 1;
}

BOOL InvertRect(HDC h, const RECT* rect) {
  TDC* dc = DCFromHandle(h);
  if (!dc || !rect) return 0;
  FillRectRop(dc, SurfaceRect(dc, *rect), PatternSource(Pixel(0)), 0x55);
  return 1;
}

BOOL DrawFocusRect(HDC h, const RECT* rect) {
  TDC* dc = DCFromHandle(h);
  if (!dc || !rect) return 0;
  const RECT r = ToSurfaceRect(dc, *rect);
  if (IsRectEmpty(&r)) return 1;
  const GdiRegion frame = GdiRegion(r) - GdiRegion(RECT{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1});
  TSurface* s = dc->Target();
  if (!s) return 0;
  // Every other pixel of the frame, counted from the rectangle's corner, is inverted.
  const GdiRegion visible = frame & dc->Clip();
  for (const RECT& part : visible.Rects()) {
    for (int y = part.top; y < part.bottom; ++y) {
      Pixel* row = s->Row(y);
      for (int x = part.left; x < part.right; ++x)
        if (((x - r.left) + (y - r.top)) % 2 == 0) row[x] = (row[x] ^ 0xFFFFFF) | 0xFF000000u;
    }
  }
  Damage(dc, r);
  return 1;
}

BOOL FillRgn(HDC h, HRGN rgn, HBRUSH brush) {
  TDC* dc = DCFromHandle(h);
  OwnedBrush owned;
  brush = BrushArg(brush, owned.h);
  TBrushObject* b = BrushOf(brush);
  if (!dc || !RegionFromHandle(rgn) || !b) return 0;
  FillRegionRop(dc, SurfaceRegion(dc, rgn), PatternSource(dc, b), 0xF0);
  return 1;
}

BOOL FrameRgn(HDC h, HRGN rgn, HBRUSH brush, int width, int height) {
  TDC* dc = DCFromHandle(h);
  OwnedBrush owned;
  brush = BrushArg(brush, owned.h);
  TBrushObject* b = BrushOf(brush);
  if (!dc || !RegionFromHandle(rgn) || !b || width < 0 || height < 0) return 0;
  const GdiRegion shape = SurfaceRegion(dc, rgn);
  FillRegionRop(dc, shape - Erode(shape, width, height), PatternSource(dc, b), 0xF0);
  return 1;
}

BOOL InvertRgn(HDC h, HRGN rgn) {
  TDC* dc = DCFromHandle(h);
  if (!dc || !RegionFromHandle(rgn)) return 0;
  FillRegionRop(dc, SurfaceRegion(dc, rgn), PatternSource(Pixel(0)), 0x55);
  return 1;
}

BOOL PaintRgn(HDC h, HRGN rgn) {
  TDC* dc = DCFromHandle(h);
  if (!dc || !RegionFromHandle(rgn)) return 0;
  FillRegionRop(dc, SurfaceRegion(dc, rgn), PatternSource(dc, dc->st.brush.get()), Rop2ToRop3(dc->st.rop2));
  return 1;
}

// --- Pixels ---

COLORREF SetPixel(HDC h, int x, int y, COLORREF color) {
  TDC* dc = DCFromHandle(h);
  if (!dc) return CLR_INVALID;
  const int sx = x + dc->Dx(), sy = y + dc->Dy();
  if (!dc->Clip().Contains(sx, sy)) return CLR_INVALID;
  const Pixel p = TargetColor(dc, color & 0xFFFFFF);
  dc->Target()->Row(sy)[sx] = p;
  Damage(dc, {sx, sy, sx + 1, sy + 1});
  return PixelToColor(p);
}

BOOL SetPixelV(HDC h, int x, int y, COLORREF color) { return SetPixel(h, x, y, color) != CLR_INVALID; }

COLORREF GetPixel(HDC h, int x, int y) {
  TDC* dc = DCFromHandle(h);
  if (!dc) return CLR_INVALID;
  const int sx = x + dc->Dx(), sy = y + dc->Dy();
  if (!dc->Clip().Contains(sx, sy)) return CLR_INVALID;
  return PixelToColor(dc->Target()->At(sx, sy));
}
