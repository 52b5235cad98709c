#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "platform/gdi/Gdi.h"

namespace {

using PixelSet = std::set<std::pair<int, int>>;

PixelSet Pixels(const GdiRegion& r) {
  PixelSet s;
  for (const RECT& q : r.Rects())
    for (int y = q.top; y < q.bottom; ++y)
      for (int x = q.left; x < q.right; ++x) s.insert({x, y});
  return s;
}

// The banded form: rectangles sorted, non-overlapping, bands share top and bottom, no touching spans.
void ExpectCanonical(const GdiRegion& r) {
  const auto& rects = r.Rects();
  for (std::size_t i = 0; i < rects.size(); ++i) {
    EXPECT_FALSE(IsRectEmpty(&rects[i]));
    if (i == 0) continue;
    const RECT& a = rects[i - 1];
    const RECT& b = rects[i];
    if (a.top == b.top) {
      EXPECT_EQ(a.bottom, b.bottom);
      EXPECT_LT(a.right, b.left) << "spans in a band must not touch";
    } else {
      EXPECT_GE(b.top, a.bottom);
    }
  }
}

struct AlgebraCase {
  const char* name;
  int mode;
};

class RegionAlgebra : public testing::TestWithParam<AlgebraCase> {};

TEST_P(RegionAlgebra, MatchesPixelSetOperation) {
  // Overlapping shapes of several kinds, so bands split and merge.
  const GdiRegion a = GdiRegion(0, 0, 10, 10) | GdiRegion(20, 5, 30, 25);
  const GdiRegion b = GdiRegion(5, 5, 25, 8) | GdiRegion::Ellipse({3, 0, 17, 20});
  const PixelSet pa = Pixels(a), pb = Pixels(b);
  PixelSet expected;
  for (int y = -5; y < 35; ++y)
    for (int x = -5; x < 35; ++x) {
      const bool ia = pa.count({x, y}) > 0, ib = pb.count({x, y}) > 0;
      bool in = false;
      switch (GetParam().mode) {
        case RGN_AND:
          in = ia && ib;
          break;
        case RGN_OR:
          in = ia || ib;
          break;
        case RGN_XOR:
          in = ia != ib;
          break;
        case RGN_DIFF:
          in = ia && !ib;
          break;
        case RGN_COPY:
          in = ia;
          break;
      }
      if (in) expected.insert({x, y});
    }

  HRGN ha = CreateRgnFromRegion(a), hb = CreateRgnFromRegion(b), hd = CreateRectRgn(0, 0, 0, 0);
  const int kind = CombineRgn(hd, ha, hb, GetParam().mode);
  const GdiRegion& result = *RegionFromHandle(hd);
  EXPECT_EQ(Pixels(result), expected);
  ExpectCanonical(result);
  EXPECT_EQ(kind, expected.empty() ? NULLREGION : result.Rects().size() == 1 ? SIMPLEREGION : COMPLEXREGION);
  DeleteObject(ha);
  DeleteObject(hb);
  DeleteObject(hd);
}

INSTANTIATE_TEST_SUITE_P(Modes, RegionAlgebra,
                         testing::Values(AlgebraCase{"And", RGN_AND}, AlgebraCase{"Or", RGN_OR},
                                         AlgebraCase{"Xor", RGN_XOR}, AlgebraCase{"Diff", RGN_DIFF},
                                         AlgebraCase{"Copy", RGN_COPY}),
                         [](const auto& info) { return std::string(info.param.name); });

// Intersection and difference take short cuts when one side is a rectangle or the two lie apart;
// each pairing must still give the pixel-set answer in canonical form.
TEST(Region, IntersectionAndDifferenceOfRectanglesAndShapes) {
  const GdiRegion shape = GdiRegion(0, 0, 10, 10) | GdiRegion(20, 5, 30, 25);
  const struct {
    const char* name;
    GdiRegion a, b;
  } cases[] = {
      {"rect and rect", GdiRegion(0, 0, 10, 10), GdiRegion(5, 5, 15, 15)},
      {"rect and shape", GdiRegion(5, 2, 25, 8), shape},
      {"shape and rect", shape, GdiRegion(5, 2, 25, 8)},
      {"shape and a rect holding it", shape, GdiRegion(-1, -1, 31, 26)},
      {"shape and a rect beside it", shape, GdiRegion(40, 0, 50, 30)},
      {"shape and a rect in its gap", shape, GdiRegion(12, 0, 18, 30)},
      {"shape and an empty region", shape, GdiRegion()},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const PixelSet pa = Pixels(c.a), pb = Pixels(c.b);
    PixelSet both, onlyA;
    for (const auto& p : pa) (pb.count(p) ? both : onlyA).insert(p);
    const GdiRegion intersection = c.a & c.b, difference = c.a - c.b;
    EXPECT_EQ(Pixels(intersection), both);
    EXPECT_EQ(Pixels(difference), onlyA);
    ExpectCanonical(intersection);
    ExpectCanonical(difference);
    if (c.b.Rects().size() == 1) {
      EXPECT_EQ(Pixels(c.a & c.b.Rects()[0]), both) << "by the rectangle";
    }
  }
}

TEST(Region, CanonicalFormMakesEqualSetsEqual) {
  // The same square built from two halves either way, and from four quarters.
  const GdiRegion vertical = GdiRegion(0, 0, 5, 10) | GdiRegion(5, 0, 10, 10);
  const GdiRegion horizontal = GdiRegion(0, 0, 10, 5) | GdiRegion(0, 5, 10, 10);
  const RECT quarters[] = {{0, 0, 5, 5}, {5, 0, 10, 5}, {0, 5, 5, 10}, {5, 5, 10, 10}};
  const GdiRegion fromRects = GdiRegion::FromRects(quarters, 4);
  EXPECT_EQ(vertical, GdiRegion(0, 0, 10, 10));
  EXPECT_EQ(horizontal, GdiRegion(0, 0, 10, 10));
  EXPECT_EQ(fromRects, GdiRegion(0, 0, 10, 10));
  EXPECT_EQ(vertical.Complexity(), SIMPLEREGION);

  HRGN a = CreateRgnFromRegion(vertical), b = CreateRectRgn(0, 0, 10, 10), c = CreateRectRgn(0, 0, 10, 11);
  EXPECT_TRUE(EqualRgn(a, b));
  EXPECT_FALSE(EqualRgn(a, c));
  for (HRGN h : {a, b, c}) DeleteObject(h);
}

TEST(Region, FromRectsIsTheUnionOfOverlappingUnorderedRectangles) {
  const RECT rects[] = {{5, 8, 9, 12}, {0, 0, 4, 4}, {2, 2, 7, 6}, {3, 10, 6, 11}, {1, 1, 1, 9},
                        {6, 3, 8, 9},  {0, 4, 2, 5}, {2, 2, 7, 6}, {4, -3, 5, 20}};
  GdiRegion expected;
  for (const RECT& r : rects)
    if (!IsRectEmpty(&r)) expected = expected | GdiRegion(r);
  EXPECT_EQ(GdiRegion::FromRects(rects, static_cast<int>(std::size(rects))), expected);
}

TEST(Region, HandleQueries) {
  HRGN r = CreateRectRgn(10, 20, 0, 0);  // corners are ordered
  RECT box;
  EXPECT_EQ(GetRgnBox(r, &box), SIMPLEREGION);
  EXPECT_EQ(box, (RECT{0, 0, 10, 20}));
  EXPECT_TRUE(PtInRegion(r, 0, 0));
  EXPECT_FALSE(PtInRegion(r, 10, 5));  // right edge exclusive
  RECT inside{9, 19, 30, 30}, outside{10, 0, 30, 30};
  EXPECT_TRUE(RectInRegion(r, &inside));
  EXPECT_FALSE(RectInRegion(r, &outside));
  EXPECT_EQ(OffsetRgn(r, 5, -5), SIMPLEREGION);
  GetRgnBox(r, &box);
  EXPECT_EQ(box, (RECT{5, -5, 15, 15}));
  EXPECT_TRUE(SetRectRgn(r, 0, 0, 0, 0));
  EXPECT_EQ(GetRgnBox(r, &box), NULLREGION);
  EXPECT_EQ(box, RECT{});
  DeleteObject(r);
  // A deleted handle is no longer a region.
  EXPECT_EQ(GetRgnBox(r, &box), ERROR);
  EXPECT_EQ(CombineRgn(r, r, r, RGN_OR), ERROR);
  EXPECT_FALSE(DeleteObject(r));
}

TEST(Region, CombineWithBadModeOrHandleLeavesDestination) {
  HRGN d = CreateRectRgn(0, 0, 4, 4), a = CreateRectRgn(0, 0, 1, 1);
  EXPECT_EQ(CombineRgn(d, a, nullptr, RGN_OR), ERROR);
  EXPECT_EQ(CombineRgn(d, a, a, 99), ERROR);
  RECT box;
  GetRgnBox(d, &box);
  EXPECT_EQ(box, (RECT{0, 0, 4, 4}));
  // RGN_COPY needs only the first source.
  EXPECT_EQ(CombineRgn(d, a, nullptr, RGN_COPY), SIMPLEREGION);
  DeleteObject(d);
  DeleteObject(a);
}

TEST(Region, EllipseIsSymmetricAndInsideItsBox) {
  for (RECT box : {RECT{0, 0, 10, 10}, RECT{0, 0, 11, 7}, RECT{3, 4, 4, 5}, RECT{0, 0, 2, 40}}) {
    const GdiRegion e = GdiRegion::Ellipse(box);
    ExpectCanonical(e);
    const PixelSet p = Pixels(e);
    ASSERT_FALSE(p.empty());
    for (auto [x, y] : p) {
      EXPECT_TRUE(PtInRect(&box, POINT{x, y}));
      EXPECT_TRUE(p.count({box.left + box.right - 1 - x, y})) << "mirror in x";
      EXPECT_TRUE(p.count({x, box.top + box.bottom - 1 - y})) << "mirror in y";
    }
    // The middle row spans the whole width, the middle column the whole height.
    const RECT b = e.Bounds();
    EXPECT_EQ(b, box);
  }
}

TEST(Region, RoundRectCutsCornersOnly) {
  const GdiRegion r = GdiRegion::RoundRect({0, 0, 20, 10}, 6, 6);
  EXPECT_FALSE(r.Contains(0, 0));
  EXPECT_FALSE(r.Contains(19, 9));
  EXPECT_TRUE(r.Contains(10, 0));
  EXPECT_TRUE(r.Contains(0, 5));
  EXPECT_EQ(r.Bounds(), (RECT{0, 0, 20, 10}));
  // Tiny corners give the plain rectangle.
  EXPECT_EQ(GdiRegion::RoundRect({0, 0, 20, 10}, 1, 1), GdiRegion(0, 0, 20, 10));
}

TEST(Region, PolygonFillModes) {
  // A square polygon covers exactly the pixels whose centres are inside.
  const POINT square[] = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
  EXPECT_EQ(GdiRegion::Polygon(square, 4, ALTERNATE), GdiRegion(0, 0, 10, 10));
  // A pentagram: the centre is inside with WINDING, outside with ALTERNATE.
  const POINT star[] = {{50, 0}, {79, 90}, {2, 35}, {98, 35}, {21, 90}};
  const GdiRegion alt = GdiRegion::Polygon(star, 5, ALTERNATE);
  const GdiRegion wind = GdiRegion::Polygon(star, 5, WINDING);
  EXPECT_FALSE(alt.Contains(50, 50));
  EXPECT_TRUE(wind.Contains(50, 50));
  EXPECT_TRUE(alt.Contains(50, 10));
  EXPECT_TRUE((alt - wind).IsEmpty());
  // A triangle: rows narrow towards the apex.
  const POINT tri[] = {{0, 0}, {8, 0}, {4, 4}};
  HRGN h = CreatePolygonRgn(tri, 3, ALTERNATE);
  ASSERT_NE(h, nullptr);
  EXPECT_TRUE(PtInRegion(h, 0, 0));
  EXPECT_TRUE(PtInRegion(h, 6, 0));
  EXPECT_FALSE(PtInRegion(h, 7, 0));  // centre on the right edge: outside
  EXPECT_FALSE(PtInRegion(h, 0, 3));
  EXPECT_TRUE(PtInRegion(h, 3, 3));
  DeleteObject(h);
  EXPECT_EQ(CreatePolygonRgn(tri, 1, ALTERNATE), nullptr);
}

TEST(Region, ManyRectanglesByUnion) {
  // A checkerboard built by union one cell at a time, as a window system accumulates damage.
  GdiRegion r;
  for (int i = 0; i < 50; ++i)
    for (int j = 0; j < 50; ++j)
      if ((i + j) % 2 == 0) r |= GdiRegion(i * 4, j * 4, i * 4 + 4, j * 4 + 4);
  ExpectCanonical(r);
  EXPECT_TRUE(r.Contains(0, 0));
  EXPECT_FALSE(r.Contains(4, 0));
  EXPECT_TRUE(r.Contains(4, 4));
  EXPECT_EQ(r.Rects().size(), 1250u);
}

}  // namespace
