// Regions: sets of pixels kept as y-x banded rectangles, and the platform's region functions.
#pragma once

#include <vector>

#include "platform/rtl/WinDef.h"

// Region complexity, returned by most region functions.
constexpr int ERROR = 0;
constexpr int NULLREGION = 1;
constexpr int SIMPLEREGION = 2;
constexpr int COMPLEXREGION = 3;
constexpr int RGN_ERROR = ERROR;

// CombineRgn modes.
constexpr int RGN_AND = 1;
constexpr int RGN_OR = 2;
constexpr int RGN_XOR = 3;
constexpr int RGN_DIFF = 4;
constexpr int RGN_COPY = 5;

// Polygon fill modes.
constexpr int ALTERNATE = 1;
constexpr int WINDING = 2;

// A region as a value: non-overlapping rectangles sorted by band (top), then by left edge. The form
// is canonical (touching spans merged, identical adjacent bands joined), so equal sets compare equal.
class GdiRegion {
 public:
  GdiRegion() = default;
  explicit GdiRegion(const RECT& r);
  GdiRegion(int left, int top, int right, int bottom) : GdiRegion(RECT{left, top, right, bottom}) {}

  // Shapes as the platform rasterises them: the box is right/bottom exclusive.
  static GdiRegion Ellipse(const RECT& box);
  static GdiRegion RoundRect(const RECT& box, int ellipseWidth, int ellipseHeight);
  static GdiRegion Polygon(const POINT* points, int count, int fillMode);
  static GdiRegion PolyPolygon(const POINT* points, const int* counts, int polygons, int fillMode);
  // Any rectangles (overlapping or not, any order).
  static GdiRegion FromRects(const RECT* rects, int count);

  bool IsEmpty() const { return rects_.empty(); }
  // NULLREGION, SIMPLEREGION or COMPLEXREGION.
  int Complexity() const;
  RECT Bounds() const;
  const std::vector<RECT>& Rects() const { return rects_; }

  bool Contains(int x, int y) const;
  bool Intersects(const RECT& r) const;
  bool ContainsRect(const RECT& r) const;

  void Offset(int dx, int dy);
  void Clear() { rects_.clear(); }

  GdiRegion operator&(const GdiRegion& o) const;
  GdiRegion operator|(const GdiRegion& o) const;
  GdiRegion operator^(const GdiRegion& o) const;
  GdiRegion operator-(const GdiRegion& o) const;
  GdiRegion& operator&=(const GdiRegion& o) { return *this = *this & o; }
  GdiRegion& operator|=(const GdiRegion& o) { return *this = *this | o; }
  GdiRegion& operator^=(const GdiRegion& o) { return *this = *this ^ o; }
  GdiRegion& operator-=(const GdiRegion& o) { return *this = *this - o; }
  GdiRegion operator&(const RECT& r) const;
  friend bool operator==(const GdiRegion&, const GdiRegion&) = default;

  // Builds from bands already in canonical order (used by the set operations and the rasterisers).
  static GdiRegion FromCanonical(std::vector<RECT> rects);

 private:
  std::vector<RECT> rects_;
};

// The region behind a handle; nullptr when the handle is not a live region.
GdiRegion* RegionFromHandle(HRGN rgn);
// A new region handle holding a copy of `region` (the caller deletes it with DeleteObject).
HRGN CreateRgnFromRegion(const GdiRegion& region);

HRGN CreateRectRgn(int left, int top, int right, int bottom);
HRGN CreateRectRgnIndirect(const RECT* rect);
HRGN CreateRoundRectRgn(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight);
HRGN CreateEllipticRgn(int left, int top, int right, int bottom);
HRGN CreateEllipticRgnIndirect(const RECT* rect);
HRGN CreatePolygonRgn(const POINT* points, int count, int fillMode);
HRGN CreatePolyPolygonRgn(const POINT* points, const int* counts, int polygons, int fillMode);
// Returns the complexity of the result, or ERROR (the destination is left unchanged then).
int CombineRgn(HRGN dest, HRGN src1, HRGN src2, int mode);
int OffsetRgn(HRGN rgn, int dx, int dy);
BOOL PtInRegion(HRGN rgn, int x, int y);
BOOL RectInRegion(HRGN rgn, const RECT* rect);
int GetRgnBox(HRGN rgn, RECT* rect);
BOOL EqualRgn(HRGN a, HRGN b);
BOOL SetRectRgn(HRGN rgn, int left, int top, int right, int bottom);

// Frees a pen, brush, font, bitmap, region or palette. Stock objects are never freed; an object still
// selected into a device context lives on until it is deselected.
BOOL DeleteObject(HGDIOBJ object);
