#include <gtest/gtest.h>

#include <limits>

#include "platform/gdi/GdiObject.h"
#include "platform/gdi/tests/GdiTestUtil.h"

namespace {

TEST(Lines, LastPixelIsNotDrawn) {
  Canvas c(12, 12);
  MoveToEx(c.dc(), 1, 2, nullptr);
  LineTo(c.dc(), 6, 2);
  EXPECT_EQ(c.Row(2), ".#####......");
  // Backwards: from 6 to 1 covers 6..2.
  MoveToEx(c.dc(), 6, 4, nullptr);
  LineTo(c.dc(), 1, 4);
  EXPECT_EQ(c.Row(4), "..#####.....");
  // Vertical and diagonal.
  MoveToEx(c.dc(), 9, 0, nullptr);
  LineTo(c.dc(), 9, 3);
  EXPECT_EQ(c.Column(9), "###.........");
  c.Fill(kWhite);
  MoveToEx(c.dc(), 0, 0, nullptr);
  LineTo(c.dc(), 4, 4);
  EXPECT_EQ(c.Count(kBlack), 4);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(c.At(i, i), kBlack);
  POINT pos;
  GetCurrentPositionEx(c.dc(), &pos);
  EXPECT_EQ(pos, (POINT{4, 4}));
}

TEST(Lines, VeryLongLinesThroughASmallSurface) {
  // A line far longer than the surface is as cheap as its length, and lands where it crosses.
  Canvas c(10, 10);
  MoveToEx(c.dc(), -100000, -100000, nullptr);
  LineTo(c.dc(), 100000, 100000);
  for (int i = 0; i < 10; ++i) EXPECT_EQ(c.At(i, i), kBlack) << i;
  EXPECT_EQ(c.Count(kBlack), 10);
  POINT zigzag[] = {{-50000, 0}, {50000, 9}, {-50000, 9}};
  Polygon(c.dc(), zigzag, 3);
  EXPECT_EQ(c.At(0, 9), kBlack);
}

TEST(Lines, PolylineJoinsDrawEachPixelOnce) {
  // With XOR, a pixel drawn twice would vanish: corners must stay.
  Canvas c(10, 10);
  SetROP2(c.dc(), R2_XORPEN);
  Selected pen(c.dc(), CreatePen(PS_SOLID, 1, kWhite));
  const POINT pts[] = {{1, 1}, {6, 1}, {6, 6}, {1, 6}, {1, 1}};
  Polyline(c.dc(), pts, 5);
  EXPECT_EQ(c.Row(1), ".######...");
  EXPECT_EQ(c.Row(6), ".######...");
  EXPECT_EQ(c.Column(1), ".######...");
  EXPECT_EQ(c.Column(6), ".######...");
}

TEST(Lines, PolyPolylineDrawsEachPart) {
  Canvas c(10, 6);
  const POINT pts[] = {{0, 1}, {10, 1}, {0, 3}, {10, 3}, {2, 0}, {2, 6}};
  const DWORD counts[] = {2, 2, 2};
  ASSERT_TRUE(PolyPolyline(c.dc(), pts, counts, 3));
  EXPECT_EQ(c.Row(1), "##########");
  EXPECT_EQ(c.Row(3), "##########");
  EXPECT_EQ(c.Column(2), "######");
}

TEST(Lines, StyledPens) {
  struct Case {
    int style;
    int bkMode;
    const char* row;
  } cases[] = {
      {PS_DOT, TRANSPARENT, "###...###...###...###..."},
      {PS_DASH, TRANSPARENT, "##################......"},
      {PS_DASHDOT, TRANSPARENT, "#########......###......"},
      {PS_DOT, OPAQUE, "###rrr###rrr###rrr###rrr"},
  };
  for (const Case& k : cases) {
    Canvas c(24, 3);
    SetBkMode(c.dc(), k.bkMode);
    SetBkColor(c.dc(), kRed);
    Selected pen(c.dc(), CreatePen(k.style, 1, kBlack));
    MoveToEx(c.dc(), 0, 1, nullptr);
    LineTo(c.dc(), 24, 1);
    std::string row;
    for (int x = 0; x < 24; ++x) row += c.At(x, 1) == kBlack ? '#' : c.At(x, 1) == kRed ? 'r' : '.';
    EXPECT_EQ(row, k.row) << "style " << k.style << " mode " << k.bkMode;
  }
}

TEST(Lines, AlternatePenAndWidePen) {
  Canvas c(10, 10);
  LOGBRUSH lb{BS_SOLID, kBlack, 0};
  {
    Selected pen(c.dc(), ExtCreatePen(PS_COSMETIC | PS_ALTERNATE, 1, &lb, 0, nullptr));
    MoveToEx(c.dc(), 0, 0, nullptr);
    LineTo(c.dc(), 10, 0);
  }
  EXPECT_EQ(c.Row(0), "#.#.#.#.#.");
  {
    Selected pen(c.dc(), CreatePen(PS_SOLID, 3, kBlack));
    MoveToEx(c.dc(), 2, 5, nullptr);
    LineTo(c.dc(), 8, 5);
  }
  EXPECT_EQ(c.Column(5), "....###...");
}

TEST(Lines, AWidePenPaintsItsSquareTipAtEveryPixelOfTheThinLineAlsoWhenTheLineRunsFarOff) {
  struct Case {
    const char* what;
    POINT from, to;
    int width;
  };
  const Case cases[] = {
      {"steep", {3, 2}, {9, 27}, 3},
      {"shallow, even width", {1, 20}, {28, 12}, 4},
      {"diagonal, wide", {2, 2}, {26, 26}, 7},
      {"far off at both ends", {-30000, -20000}, {30000, 20000}, 5},
      {"far off, passing a corner", {-30000, 30002}, {30002, -30000}, 9},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.what);
    Canvas wide(30, 30);
    {
      Selected pen(wide.dc(), CreatePen(PS_SOLID, k.width, kBlack));
      MoveToEx(wide.dc(), k.from.x, k.from.y, nullptr);
      LineTo(wide.dc(), k.to.x, k.to.y);
    }
    // The thin line's pixels inside the canvas and a pen width around it are enough: draw it once
    // more on a canvas grown by the width to know them all.
    const int pad = k.width;
    Canvas reference(30 + 2 * pad, 30 + 2 * pad);
    MoveToEx(reference.dc(), k.from.x + pad, k.from.y + pad, nullptr);
    LineTo(reference.dc(), k.to.x + pad, k.to.y + pad);
    const int half = k.width / 2;
    for (int y = 0; y < 30; ++y)
      for (int x = 0; x < 30; ++x) {
        bool covered = false;
        for (int ty = y - k.width + 1 + half; ty <= y + half && !covered; ++ty)
          for (int tx = x - k.width + 1 + half; tx <= x + half && !covered; ++tx)
            covered = reference.At(tx + pad, ty + pad) == kBlack;
        ASSERT_EQ(wide.At(x, y) == kBlack, covered) << "at " << x << ", " << y;
      }
    EXPECT_GT(wide.Count(kBlack), 0);
  }
}

TEST(Shapes, RectangleOutlineAndInterior) {
  Canvas c(10, 10);
  Selected brush(c.dc(), CreateSolidBrush(kRed));
  Rectangle(c.dc(), 1, 1, 6, 5);
  EXPECT_EQ(c.Row(1), ".#####....");
  EXPECT_EQ(c.Row(4), ".#####....");
  EXPECT_EQ(c.At(1, 2), kBlack);
  EXPECT_EQ(c.At(5, 2), kBlack);
  EXPECT_EQ(c.Count(kRed), 3 * 2);
  EXPECT_EQ(c.At(6, 2), kWhite);  // right edge exclusive
  // A null pen fills one pixel less on the right and bottom.
  c.Fill(kWhite);
  SelectObject(c.dc(), GetStockObject(NULL_PEN));
  Rectangle(c.dc(), 1, 1, 6, 5);
  EXPECT_EQ(c.InkBounds(), (RECT{1, 1, 5, 4}));
  EXPECT_EQ(c.Count(kRed), 4 * 3);
  SelectObject(c.dc(), GetStockObject(BLACK_PEN));
}

TEST(Shapes, EllipseAndRoundRect) {
  Canvas c(21, 21);
  Selected brush(c.dc(), CreateSolidBrush(kRed));
  Ellipse(c.dc(), 0, 0, 21, 21);
  EXPECT_EQ(c.InkBounds(), (RECT{0, 0, 21, 21}));
  EXPECT_EQ(c.At(10, 10), kRed);
  EXPECT_EQ(c.At(0, 10), kBlack);
  EXPECT_EQ(c.At(10, 0), kBlack);
  EXPECT_EQ(c.At(20, 10), kBlack);
  EXPECT_EQ(c.At(0, 0), kWhite);
  // The outline is closed: every interior row starts and ends with pen pixels.
  for (int y = 1; y < 20; ++y) {
    const std::string row = c.Row(y, kRed);
    const auto first = row.find('#'), last = row.rfind('#');
    if (first == std::string::npos) continue;
    EXPECT_EQ(c.At(static_cast<int>(first) - 1, y), kBlack) << y;
    EXPECT_EQ(c.At(static_cast<int>(last) + 1, y), kBlack) << y;
  }
  c.Fill(kWhite);
  RoundRect(c.dc(), 0, 0, 20, 12, 8, 8);
  EXPECT_EQ(c.At(0, 0), kWhite);
  EXPECT_EQ(c.At(10, 0), kBlack);
  EXPECT_EQ(c.At(0, 6), kBlack);
  EXPECT_EQ(c.At(10, 6), kRed);
  EXPECT_EQ(c.InkBounds(), (RECT{0, 0, 20, 12}));
}

TEST(Shapes, PolygonFillsAndOutlines) {
  Canvas c(12, 12);
  Selected brush(c.dc(), CreateSolidBrush(kRed));
  const POINT tri[] = {{1, 1}, {10, 1}, {1, 10}};
  Polygon(c.dc(), tri, 3);
  EXPECT_EQ(c.At(1, 1), kBlack);
  EXPECT_EQ(c.At(9, 1), kBlack);
  EXPECT_EQ(c.At(1, 9), kBlack);
  EXPECT_EQ(c.At(3, 3), kRed);
  EXPECT_EQ(c.At(9, 9), kWhite);
}

TEST(Fills, FillFrameInvert) {
  Canvas c(10, 10);
  RECT r{2, 2, 8, 6};
  FillRect(c.dc(), &r, reinterpret_cast<HBRUSH>(static_cast<std::intptr_t>(COLOR_WINDOWTEXT + 1)));
  EXPECT_EQ(c.Count(kBlack), 6 * 4);
  HBRUSH red = CreateSolidBrush(kRed);
  FrameRect(c.dc(), &r, red);
  EXPECT_EQ(c.Count(kRed), 6 * 2 + 2 * 2);
  EXPECT_EQ(c.Count(kBlack), 4 * 2);
  InvertRect(c.dc(), &r);
  EXPECT_EQ(c.Count(RGB(0, 255, 255)), 16);
  EXPECT_EQ(c.Count(kWhite), 100 - 24 + 8);
  DeleteObject(red);
}

TEST(Fills, HugeRectanglesUnderAnOriginCoverTheSurface) {
  // "Everything" rectangles must not overflow when the DC's origin is added.
  constexpr int kMax = std::numeric_limits<int>::max(), kMin = std::numeric_limits<int>::min();
  const RECT all{kMin, kMin, kMax, kMax};
  Canvas c(10, 10);
  SetViewportOrgEx(c.dc(), 5, 5, nullptr);
  HBRUSH red = CreateSolidBrush(kRed);
  FillRect(c.dc(), &all, red);
  EXPECT_EQ(c.Count(kRed), 100);
  SetViewportOrgEx(c.dc(), -5, -5, nullptr);
  c.Fill(kWhite);
  FrameRect(c.dc(), &all, red);
  InvertRect(c.dc(), &all);
  EXPECT_EQ(c.Count(kBlack), 100) << "the frame lies far outside; everything inverts";
  SetBkColor(c.dc(), kRed);
  ExtTextOut(c.dc(), 0, 0, ETO_OPAQUE | ETO_CLIPPED, &all, nullptr, 0, nullptr);
  EXPECT_EQ(c.Count(kRed), 100);
  DeleteObject(red);
}

TEST(Fills, RegionsFillFrameInvertPaint) {
  Canvas c(12, 12);
  HRGN rgn = CreateRectRgn(2, 2, 10, 10);
  HBRUSH red = CreateSolidBrush(kRed);
  FrameRgn(c.dc(), rgn, red, 2, 1);
  EXPECT_EQ(c.Row(2, kRed), "..########..");
  EXPECT_EQ(c.Row(5, kRed), "..##....##..");
  FillRgn(c.dc(), rgn, red);
  EXPECT_EQ(c.Count(kRed), 64);
  InvertRgn(c.dc(), rgn);
  EXPECT_EQ(c.Count(RGB(0, 255, 255)), 64);
  // PaintRgn mixes the selected brush with the ROP2 mode.
  SetROP2(c.dc(), R2_NOT);
  PaintRgn(c.dc(), rgn);
  EXPECT_EQ(c.Count(kRed), 64);
  DeleteObject(rgn);
  DeleteObject(red);
}

TEST(Fills, PatternBrushUsesTextAndBackgroundColours) {
  // 8x8 monochrome checkerboard: rows of alternating bits.
  const WORD bits[8] = {0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55};
  HBITMAP mono = CreateBitmap(8, 8, 1, 1, bits);
  HBRUSH brush = CreatePatternBrush(mono);
  DeleteObject(mono);  // the brush keeps its own copy
  Canvas c(8, 2);
  SetTextColor(c.dc(), kBlue);  // 0 bits
  SetBkColor(c.dc(), kRed);     // 1 bits
  RECT r{0, 0, 8, 2};
  FillRect(c.dc(), &r, brush);
  EXPECT_EQ(c.Row(0, kRed), "#.#.#.#.");
  EXPECT_EQ(c.Row(0, kBlue), ".#.#.#.#");
  // Moving the brush origin shifts the pattern.
  SetBrushOrgEx(c.dc(), 1, 0, nullptr);
  FillRect(c.dc(), &r, brush);
  EXPECT_EQ(c.Row(0, kRed), ".#.#.#.#");
  DeleteObject(brush);
}

TEST(Fills, HatchBrush) {
  Canvas c(8, 8);
  Selected brush(c.dc(), CreateHatchBrush(HS_CROSS, kBlack));
  SetBkMode(c.dc(), TRANSPARENT);
  PatBlt(c.dc(), 0, 0, 8, 8, PATCOPY);
  EXPECT_EQ(c.Count(kBlack), 15);
  EXPECT_EQ(c.Count(kWhite), 49);
}

TEST(Rop2, TruthTable) {
  // Pen bits 1100, destination bits 1010 in every channel: the result is the mode's table.
  for (int mode = R2_BLACK; mode <= R2_WHITE; ++mode) {
    Canvas c(2, 1, RGB(0xAA, 0xAA, 0xAA));
    SetROP2(c.dc(), mode);
    Selected pen(c.dc(), CreatePen(PS_SOLID, 1, RGB(0xCC, 0xCC, 0xCC)));
    MoveToEx(c.dc(), 0, 0, nullptr);
    LineTo(c.dc(), 1, 0);
    // Bit i of (mode - 1) is the result for pen bit (i >> 1) and destination bit (i & 1).
    int expected = 0;
    for (int bit = 0; bit < 8; ++bit) {
      const int p = (0xCC >> bit) & 1, d = (0xAA >> bit) & 1;
      if (((mode - 1) >> (p * 2 + d)) & 1) expected |= 1 << bit;
    }
    EXPECT_EQ(c.At(0, 0), RGB(expected, expected, expected)) << "mode " << mode;
    EXPECT_EQ(c.At(1, 0), RGB(0xAA, 0xAA, 0xAA));
  }
}

TEST(Xor, DrawingTwiceRestoresEveryPixel) {
  Canvas c(40, 30);
  // A picture to draw over.
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x) SetPixel(c.dc(), x, y, RGB(x * 6, y * 8, (x * y) & 0xFF));
  const auto before = c.Snapshot();
  auto twice = [&](auto draw) {
    draw();
    EXPECT_NE(c.Snapshot(), before);
    draw();
    EXPECT_EQ(c.Snapshot(), before);
  };
  RECT r{3, 4, 30, 25};
  twice([&] { DrawFocusRect(c.dc(), &r); });
  twice([&] { InvertRect(c.dc(), &r); });
  SetROP2(c.dc(), R2_NOTXORPEN);
  twice([&] {
    const POINT pts[] = {{0, 0}, {39, 10}, {5, 29}, {20, 2}};
    Polyline(c.dc(), pts, 4);
  });
  SetROP2(c.dc(), R2_NOT);
  twice([&] { Rectangle(c.dc(), 2, 2, 35, 28); });
  twice([&] { Ellipse(c.dc(), 2, 2, 35, 28); });
  SetROP2(c.dc(), R2_COPYPEN);
  HBRUSH b = CreateSolidBrush(RGB(0x12, 0x34, 0x56));
  HGDIOBJ old = SelectObject(c.dc(), b);
  twice([&] { PatBlt(c.dc(), 5, 5, 20, 3, PATINVERT); });
  twice([&] { PatBlt(c.dc(), 25, 25, -20, -3, DSTINVERT); });
  SelectObject(c.dc(), old);
  DeleteObject(b);
}

TEST(Focus, FocusRectIsDottedFrame) {
  Canvas c(8, 6);
  RECT r{0, 0, 8, 6};
  DrawFocusRect(c.dc(), &r);
  EXPECT_EQ(c.Row(0), "#.#.#.#.");
  EXPECT_EQ(c.Row(5), ".#.#.#.#");
  EXPECT_EQ(c.Column(0), "#.#.#.");
  EXPECT_EQ(c.Row(2), "#.......");
}

TEST(Pixels, SetGetAndClip) {
  Canvas c(4, 4);
  EXPECT_EQ(SetPixel(c.dc(), 1, 1, kRed), kRed);
  EXPECT_EQ(GetPixel(c.dc(), 1, 1), kRed);
  EXPECT_EQ(GetPixel(c.dc(), 4, 0), CLR_INVALID);
  EXPECT_EQ(SetPixel(c.dc(), -1, 0, kRed), CLR_INVALID);
  ExcludeClipRect(c.dc(), 0, 0, 2, 2);
  EXPECT_EQ(SetPixel(c.dc(), 0, 0, kBlue), CLR_INVALID);
  EXPECT_EQ(c.At(0, 0), kWhite);
  EXPECT_EQ(GetNearestColor(c.dc(), RGB(1, 2, 3)), RGB(1, 2, 3));
}

TEST(Palettes, ABrushOfAPaletteIndexFillsWithTheSelectedPalettesEntry) {
  Canvas c(4, 1);
  LOGPALETTE one;
  one.palNumEntries = 1;
  one.palPalEntry[0] = PALETTEENTRY{10, 20, 30, 0};
  HPALETTE palette = CreatePalette(&one);
  HBRUSH indexed = CreateSolidBrush(PALETTEINDEX(0));
  HBRUSH pastTheEnd = CreateSolidBrush(PALETTEINDEX(3));
  RECT left{0, 0, 1, 1}, second{1, 0, 2, 1}, third{2, 0, 3, 1};
  // Without a palette of its own the DC has the default one, which has no such entry here.
  FillRect(c.dc(), &left, pastTheEnd);
  HPALETTE old = SelectPalette(c.dc(), palette, FALSE);
  RealizePalette(c.dc());
  FillRect(c.dc(), &second, indexed);
  FillRect(c.dc(), &third, pastTheEnd);
  SelectPalette(c.dc(), old, FALSE);
  EXPECT_EQ(c.At(0, 0), kBlack);
  EXPECT_EQ(c.At(1, 0), RGB(10, 20, 30));
  EXPECT_EQ(c.At(2, 0), kBlack);
  EXPECT_EQ(c.At(3, 0), kWhite);
  EXPECT_EQ(GetNearestColor(c.dc(), PALETTERGB(1, 2, 3)), RGB(1, 2, 3));
  DeleteObject(indexed);
  DeleteObject(pastTheEnd);
  DeleteObject(palette);
}

TEST(DeviceContext, ClippingCalls) {
  Canvas c(20, 20);
  RECT box;
  EXPECT_EQ(GetClipBox(c.dc(), &box), SIMPLEREGION);
  EXPECT_EQ(box, (RECT{0, 0, 20, 20}));
  HRGN probe = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetClipRgn(c.dc(), probe), 0);
  EXPECT_EQ(IntersectClipRect(c.dc(), 2, 2, 12, 12), SIMPLEREGION);
  EXPECT_EQ(ExcludeClipRect(c.dc(), 5, 5, 8, 8), COMPLEXREGION);
  EXPECT_EQ(GetClipRgn(c.dc(), probe), 1);
  EXPECT_TRUE(PtInRegion(probe, 2, 2));
  EXPECT_FALSE(PtInRegion(probe, 6, 6));
  GetClipBox(c.dc(), &box);
  EXPECT_EQ(box, (RECT{2, 2, 12, 12}));
  RECT inside{6, 6, 7, 7}, edge{0, 0, 3, 3};
  EXPECT_FALSE(RectVisible(c.dc(), &inside));
  EXPECT_TRUE(RectVisible(c.dc(), &edge));
  RECT all{0, 0, 20, 20};
  FillRect(c.dc(), &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  EXPECT_EQ(c.Count(kBlack), 100 - 9);
  EXPECT_EQ(c.At(6, 6), kWhite);
  // SaveDC keeps the clip; RestoreDC brings it back.
  const int saved = SaveDC(c.dc());
  SelectClipRgn(c.dc(), nullptr);
  EXPECT_EQ(GetClipRgn(c.dc(), probe), 0);
  EXPECT_TRUE(RestoreDC(c.dc(), saved));
  EXPECT_EQ(GetClipRgn(c.dc(), probe), 1);
  EXPECT_FALSE(RestoreDC(c.dc(), saved));  // already popped
  // Combining modes start from the whole device when there is no clip region.
  SelectClipRgn(c.dc(), nullptr);
  HRGN hole = CreateRectRgn(0, 0, 10, 10);
  EXPECT_EQ(ExtSelectClipRgn(c.dc(), hole, RGN_DIFF), COMPLEXREGION);
  EXPECT_FALSE(PtVisible(c.dc(), 5, 5));
  EXPECT_TRUE(PtVisible(c.dc(), 15, 5));
  DeleteObject(hole);
  DeleteObject(probe);
}

TEST(DeviceContext, OriginsMoveDrawingAndClipping) {
  Canvas c(20, 20);
  SetViewportOrgEx(c.dc(), 5, 5, nullptr);
  SetPixel(c.dc(), 0, 0, kRed);
  EXPECT_EQ(c.At(5, 5), kRed);
  SetWindowOrgEx(c.dc(), 2, 0, nullptr);
  SetPixel(c.dc(), 2, 1, kBlue);
  EXPECT_EQ(c.At(5, 6), kBlue);
  // Clip rectangles are logical, clip regions are device coordinates.
  IntersectClipRect(c.dc(), 2, 0, 4, 2);  // device 5..7, 5..7
  RECT box;
  GetClipBox(c.dc(), &box);
  EXPECT_EQ(box, (RECT{2, 0, 4, 2}));
  HRGN probe = CreateRectRgn(0, 0, 0, 0);
  GetClipRgn(c.dc(), probe);
  GetRgnBox(probe, &box);
  EXPECT_EQ(box, (RECT{5, 5, 7, 7}));
  POINT p{0, 0};
  LPtoDP(c.dc(), &p, 1);
  EXPECT_EQ(p, (POINT{3, 5}));
  DeleteObject(probe);
}

TEST(DeviceContext, SaveRestoreObjectsAndAttributes) {
  Canvas c(4, 4);
  HPEN red = CreatePen(PS_SOLID, 1, kRed);
  const int level = SaveDC(c.dc());
  SelectObject(c.dc(), red);
  SetTextColor(c.dc(), kBlue);
  SetBkMode(c.dc(), TRANSPARENT);
  SetROP2(c.dc(), R2_XORPEN);
  SaveDC(c.dc());
  SetTextColor(c.dc(), kRed);
  ASSERT_TRUE(RestoreDC(c.dc(), -1));
  EXPECT_EQ(GetTextColor(c.dc()), kBlue);
  ASSERT_TRUE(RestoreDC(c.dc(), level));
  EXPECT_EQ(GetCurrentObject(c.dc(), OBJ_PEN), GetStockObject(BLACK_PEN));
  EXPECT_EQ(GetTextColor(c.dc()), kBlack);
  EXPECT_EQ(GetBkMode(c.dc()), OPAQUE);
  EXPECT_EQ(GetROP2(c.dc()), R2_COPYPEN);
  DeleteObject(red);
}

TEST(Objects, DescriptionsAndLifetime) {
  GetStockObject(BLACK_PEN);  // the stock objects exist before counting
  DeleteDC(CreateCompatibleDC(nullptr));  // and so do the objects a fresh DC selects
  const std::size_t live = LiveGdiObjectCount();
  HPEN pen = CreatePen(PS_DASH, 3, kRed);
  LOGPEN lp;
  ASSERT_EQ(GetObject(pen, sizeof lp, &lp), static_cast<int>(sizeof lp));
  EXPECT_EQ(lp.lopnStyle, static_cast<UINT>(PS_DASH));
  EXPECT_EQ(lp.lopnWidth.x, 3);
  EXPECT_EQ(lp.lopnColor, kRed);
  HBITMAP bm = CreateBitmap(5, 3, 1, 1, nullptr);
  BITMAP info;
  GetObject(bm, sizeof info, &info);
  EXPECT_EQ(info.bmWidth, 5);
  EXPECT_EQ(info.bmHeight, 3);
  EXPECT_EQ(info.bmBitsPixel, 1);
  EXPECT_EQ(GetObjectType(bm), OBJ_BITMAP);
  EXPECT_EQ(GetObjectType(pen), OBJ_PEN);

  // An object deleted while selected stays usable until deselected.
  Canvas c(4, 4);
  HGDIOBJ old = SelectObject(c.dc(), pen);
  EXPECT_TRUE(DeleteObject(pen));
  EXPECT_EQ(GetObjectType(pen), 0u);
  MoveToEx(c.dc(), 0, 1, nullptr);
  LineTo(c.dc(), 4, 1);
  EXPECT_EQ(c.At(0, 1), kRed);
  SelectObject(c.dc(), old);
  // A bitmap goes into one DC at a time.
  HDC a = CreateCompatibleDC(nullptr), b = CreateCompatibleDC(nullptr);
  EXPECT_NE(SelectObject(a, bm), nullptr);
  EXPECT_EQ(SelectObject(b, bm), nullptr);
  DeleteDC(a);
  EXPECT_NE(SelectObject(b, bm), nullptr);
  DeleteDC(b);
  DeleteObject(bm);
  // Stock objects are never freed.
  EXPECT_TRUE(DeleteObject(GetStockObject(BLACK_PEN)));
  EXPECT_EQ(GetObjectType(GetStockObject(BLACK_PEN)), OBJ_PEN);
  EXPECT_EQ(LiveGdiObjectCount(), live + 2);  // the canvas's DC and bitmap, and nothing leaked
}

TEST(Objects, BitmapsThatCannotBeAllocatedAreRefused) {
  HDC dc = CreateCompatibleDC(nullptr);
  const std::size_t live = LiveGdiObjectCount();
  EXPECT_EQ(CreateCompatibleBitmap(dc, 1 << 20, 1 << 20), nullptr);
  EXPECT_EQ(CreateBitmap(1 << 20, 1 << 20, 1, 32, nullptr), nullptr);
  BITMAPINFO bi{};
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biWidth = 4;
  bi.bmiHeader.biHeight = std::numeric_limits<LONG>::min();
  void* bits = &bi;
  EXPECT_EQ(CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
  EXPECT_EQ(bits, nullptr);
  HBITMAP fine = CreateCompatibleBitmap(dc, 16384, 16);
  EXPECT_NE(fine, nullptr);
  DeleteObject(fine);
  EXPECT_EQ(LiveGdiObjectCount(), live);
  DeleteDC(dc);
}

TEST(SurfaceDC, OriginAndVisibleRegion) {
  TSurface screen(40, 30, ColorToPixel(kWhite));
  screen.SetTrackDamage(true);
  screen.TakeDamage();
  // A window at (10, 5) of 20 x 10, whose right half is covered by another window.
  GdiRegion vis(10, 5, 30, 15);
  vis -= GdiRegion(20, 5, 30, 15);
  HDC dc = CreateSurfaceDC(&screen, {10, 5}, &vis);
  RECT all{0, 0, 20, 10};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  EXPECT_EQ(PixelToColor(screen.At(10, 5)), kBlack);
  EXPECT_EQ(PixelToColor(screen.At(19, 14)), kBlack);
  EXPECT_EQ(PixelToColor(screen.At(20, 5)), kWhite);
  EXPECT_EQ(PixelToColor(screen.At(9, 5)), kWhite);
  RECT box;
  GetClipBox(dc, &box);
  EXPECT_EQ(box, (RECT{0, 0, 10, 10}));
  EXPECT_EQ(screen.TakeDamage(), GdiRegion(10, 5, 20, 15));
  EXPECT_FALSE(screen.HasDamage());
  // The window moves: the same DC follows.
  GdiRegion moved(0, 0, 20, 10);
  SetSurfaceDCOrigin(dc, {0, 0}, &moved);
  SetPixel(dc, 19, 9, kRed);
  EXPECT_EQ(PixelToColor(screen.At(19, 9)), kRed);
  POINT org;
  GetDCOrgEx(dc, &org);
  EXPECT_EQ(org, (POINT{0, 0}));
  EXPECT_EQ(GetDCSurface(dc), &screen);
  DeleteDC(dc);
  EXPECT_FALSE(IsDC(dc));
}

}  // namespace
