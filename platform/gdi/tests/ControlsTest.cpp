#include <gtest/gtest.h>

#include "platform/gdi/tests/GdiTestUtil.h"

namespace {

// Distinct colours per system colour index make every border's source visible.
COLORREF Distinct(int index) { return RGB(10 + index * 8, 100 + index, 200 - index); }

class Classic : public testing::Test {
 protected:
  void SetUp() override { SetSysColorSource(&Distinct); }
  void TearDown() override { SetSysColorSource(nullptr); }
  static COLORREF Sys(int index) { return Distinct(index); }
};

struct EdgeCase {
  const char* name;
  UINT edge, flags;
  // Expected colour index at (x, y) of a 6 x 6 rectangle; -1 = untouched.
  std::vector<std::tuple<int, int, int>> probes;
  RECT adjusted;  // the rectangle after BF_ADJUST (or unchanged)
};

class DrawEdgeGeometry : public Classic, public testing::WithParamInterface<EdgeCase> {};

TEST_P(DrawEdgeGeometry, BordersAndCorners) {
  const EdgeCase& k = GetParam();
  Canvas c(6, 6);
  RECT r{0, 0, 6, 6};
  ASSERT_TRUE(DrawEdge(c.dc(), &r, k.edge, k.flags));
  for (auto [x, y, index] : k.probes)
    EXPECT_EQ(c.At(x, y), index < 0 ? kWhite : Sys(index)) << "at " << x << "," << y;
  EXPECT_EQ(r, k.adjusted);
}

INSTANTIATE_TEST_SUITE_P(
    Edges, DrawEdgeGeometry,
    testing::Values(
        EdgeCase{"Raised",
                 EDGE_RAISED,
                 BF_RECT,
                 {{0, 0, COLOR_3DLIGHT},
                  {4, 0, COLOR_3DLIGHT},
                  {5, 0, COLOR_3DDKSHADOW},
                  {0, 5, COLOR_3DDKSHADOW},
                  {5, 5, COLOR_3DDKSHADOW},
                  {1, 1, COLOR_3DHILIGHT},
                  {4, 1, COLOR_3DSHADOW},
                  {1, 4, COLOR_3DSHADOW},
                  {2, 2, -1}},
                 {0, 0, 6, 6}},
        EdgeCase{"SunkenAdjustMiddle",
                 EDGE_SUNKEN,
                 BF_RECT | BF_ADJUST | BF_MIDDLE,
                 {{0, 0, COLOR_3DSHADOW},
                  {5, 5, COLOR_3DHILIGHT},
                  {1, 1, COLOR_3DDKSHADOW},
                  {4, 4, COLOR_3DLIGHT},
                  {2, 2, COLOR_BTNFACE},
                  {3, 3, COLOR_BTNFACE}},
                 {2, 2, 4, 4}},
        EdgeCase{"Etched",
                 EDGE_ETCHED,
                 BF_RECT,
                 {{0, 0, COLOR_3DSHADOW},
                  {5, 0, COLOR_3DHILIGHT},
                  {1, 1, COLOR_3DHILIGHT},
                  {4, 4, COLOR_3DSHADOW}},
                 {0, 0, 6, 6}},
        EdgeCase{"Bump", EDGE_BUMP, BF_RECT, {{0, 0, COLOR_3DLIGHT}, {1, 1, COLOR_3DDKSHADOW}}, {0, 0, 6, 6}},
        EdgeCase{"SoftRaised",
                 EDGE_RAISED,
                 BF_RECT | BF_SOFT,
                 {{0, 0, COLOR_3DHILIGHT}, {1, 1, COLOR_3DLIGHT}},
                 {0, 0, 6, 6}},
        EdgeCase{"Flat",
                 EDGE_SUNKEN,
                 BF_RECT | BF_FLAT | BF_ADJUST,
                 {{0, 0, COLOR_BTNSHADOW}, {5, 5, COLOR_BTNSHADOW}, {1, 1, COLOR_BTNFACE}, {2, 2, -1}},
                 {2, 2, 4, 4}},
        EdgeCase{"Mono",
                 EDGE_RAISED,
                 BF_RECT | BF_MONO | BF_MIDDLE,
                 {{0, 0, COLOR_WINDOWFRAME},
                  {5, 5, COLOR_WINDOWFRAME},
                  {1, 1, COLOR_WINDOW},
                  {2, 2, COLOR_WINDOW}},
                 {0, 0, 6, 6}},
        EdgeCase{"OuterOnly",
                 BDR_RAISEDOUTER,
                 BF_RECT | BF_ADJUST,
                 {{0, 0, COLOR_3DLIGHT}, {1, 1, -1}},
                 {1, 1, 5, 5}},
        EdgeCase{"InnerOnly",
                 BDR_SUNKENINNER,
                 BF_RECT,
                 {{0, 0, COLOR_3DDKSHADOW}, {5, 5, COLOR_3DLIGHT}, {1, 1, -1}},
                 {0, 0, 6, 6}},
        // Without a bottom side the left line runs the full height; without a right side the top runs
        // the full width.
        EdgeCase{"TopLeftOnly",
                 BDR_RAISEDINNER,
                 BF_TOPLEFT | BF_ADJUST,
                 {{0, 5, COLOR_3DHILIGHT}, {5, 0, COLOR_3DHILIGHT}, {5, 5, -1}, {1, 1, -1}},
                 {1, 1, 6, 6}},
        EdgeCase{"BottomOnly",
                 EDGE_RAISED,
                 BF_BOTTOM | BF_ADJUST,
                 {{0, 5, COLOR_3DDKSHADOW}, {0, 4, COLOR_3DSHADOW}, {0, 3, -1}, {0, 0, -1}},
                 {0, 0, 6, 4}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Classic, CheckBoxStates) {
  struct Case {
    UINT state;
    int interior;  // colour index at an interior corner (2, 2)
    int mark;      // colour index of the check mark, -1 none
  } cases[] = {
      {DFCS_BUTTONCHECK, COLOR_WINDOW, -1},
      {DFCS_BUTTONCHECK | DFCS_CHECKED, COLOR_WINDOW, COLOR_WINDOWTEXT},
      {DFCS_BUTTONCHECK | DFCS_PUSHED, COLOR_BTNFACE, -1},
      {DFCS_BUTTONCHECK | DFCS_CHECKED | DFCS_INACTIVE, COLOR_BTNFACE, COLOR_BTNSHADOW},
      {DFCS_BUTTON3STATE | DFCS_CHECKED, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW},
  };
  for (const Case& k : cases) {
    Canvas c(13, 13);
    RECT r{0, 0, 13, 13};
    DrawFrameControl(c.dc(), &r, DFC_BUTTON, k.state);
    EXPECT_EQ(c.At(0, 0), Sys(COLOR_3DSHADOW));
    EXPECT_EQ(c.At(12, 12), Sys(COLOR_3DHILIGHT));
    EXPECT_EQ(c.At(1, 1), Sys(COLOR_3DDKSHADOW));
    EXPECT_EQ(c.At(2, 2), Sys(k.interior)) << std::hex << k.state;
    // The 7 x 7 mark has 21 pixels, at (3, 3) in the 9 x 9 interior.
    if (k.mark >= 0) {
      EXPECT_EQ(c.Count(Sys(k.mark), {3, 3, 10, 10}), 21) << std::hex << k.state;
      EXPECT_EQ(c.At(9, 3), Sys(k.mark));
    } else {
      EXPECT_EQ(c.Count(Sys(COLOR_WINDOWTEXT)), 0);
    }
  }
  // Flat boxes have a one-pixel shadow frame.
  Canvas c(13, 13);
  RECT r{0, 0, 13, 13};
  DrawFrameControl(c.dc(), &r, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_FLAT);
  EXPECT_EQ(c.At(0, 0), Sys(COLOR_BTNSHADOW));
  EXPECT_EQ(c.At(1, 1), Sys(COLOR_WINDOW));
}

TEST_F(Classic, RadioButtons) {
  Canvas c(13, 13);
  RECT r{0, 0, 13, 13};
  DrawFrameControl(c.dc(), &r, DFC_BUTTON, DFCS_BUTTONRADIO | DFCS_CHECKED);
  EXPECT_EQ(c.At(0, 0), kWhite) << "corners stay outside the circle";
  EXPECT_EQ(c.At(6, 6), Sys(COLOR_WINDOWTEXT)) << "the dot";
  EXPECT_GT(c.Count(Sys(COLOR_3DSHADOW)), 5);
  EXPECT_GT(c.Count(Sys(COLOR_3DHILIGHT)), 5);
  // The mask is a black disc on white.
  c.Fill(RGB(1, 2, 3));
  DrawFrameControl(c.dc(), &r, DFC_BUTTON, DFCS_BUTTONRADIOMASK);
  EXPECT_EQ(c.At(0, 0), kWhite);
  EXPECT_EQ(c.At(6, 6), RGB(0, 0, 0));
  EXPECT_EQ(c.Count(RGB(1, 2, 3)), 25) << "the disc's 12-pixel square leaves the last row and column";
}

TEST_F(Classic, PushButtonAndAdjustRect) {
  Canvas c(20, 10);
  RECT r{0, 0, 20, 10};
  DrawFrameControl(c.dc(), &r, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT);
  EXPECT_EQ(r, (RECT{2, 2, 18, 8}));
  EXPECT_EQ(c.At(0, 0), Sys(COLOR_3DHILIGHT));
  EXPECT_EQ(c.At(19, 9), Sys(COLOR_3DDKSHADOW));
  EXPECT_EQ(c.At(10, 5), Sys(COLOR_BTNFACE));
  r = {0, 0, 20, 10};
  DrawFrameControl(c.dc(), &r, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_PUSHED);
  EXPECT_EQ(c.At(0, 0), Sys(COLOR_3DDKSHADOW));
}

TEST_F(Classic, CaptionAndScrollGlyphs) {
  Canvas c(16, 16);
  RECT r{0, 0, 16, 16};
  DrawFrameControl(c.dc(), &r, DFC_SCROLL, DFCS_SCROLLUP);
  // A 7 x 4 triangle pointing up: rows of 1, 3, 5, 7 pixels.
  EXPECT_EQ(c.Count(Sys(COLOR_BTNTEXT)), 16);
  const RECT ink = [&] {
    RECT b{};
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x)
        if (c.At(x, y) == Sys(COLOR_BTNTEXT)) {
          RECT p{x, y, x + 1, y + 1};
          UnionRect(&b, &b, &p);
        }
    return b;
  }();
  EXPECT_EQ(ink, (RECT{4, 6, 11, 10}));
  EXPECT_EQ(c.At(7, 6), Sys(COLOR_BTNTEXT));
  EXPECT_EQ(c.At(4, 6), Sys(COLOR_BTNFACE));
  // Pushed arrows shift by one pixel; inactive ones draw no text colour.
  DrawFrameControl(c.dc(), &r, DFC_SCROLL, DFCS_SCROLLUP | DFCS_PUSHED);
  EXPECT_EQ(c.At(8, 7), Sys(COLOR_BTNTEXT));
  DrawFrameControl(c.dc(), &r, DFC_SCROLL, DFCS_SCROLLDOWN | DFCS_INACTIVE);
  EXPECT_EQ(c.Count(Sys(COLOR_BTNTEXT)), 0);
  EXPECT_EQ(c.Count(Sys(COLOR_BTNSHADOW)) > 10, true);
  // Caption close: a cross of text colour.
  DrawFrameControl(c.dc(), &r, DFC_CAPTION, DFCS_CAPTIONCLOSE);
  EXPECT_GT(c.Count(Sys(COLOR_BTNTEXT)), 10);
  EXPECT_EQ(c.At(0, 0), Sys(COLOR_3DHILIGHT));
  // The size grip: highlight and shadow diagonals in the bottom-right corner only.
  c.Fill(kWhite);
  DrawFrameControl(c.dc(), &r, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
  EXPECT_EQ(c.At(15, 14), Sys(COLOR_3DHILIGHT));
  EXPECT_EQ(c.At(14, 14), Sys(COLOR_3DSHADOW));
  EXPECT_EQ(c.At(15, 12), Sys(COLOR_3DSHADOW));
  EXPECT_EQ(c.At(11, 15), Sys(COLOR_BTNFACE));
  EXPECT_EQ(c.At(0, 0), Sys(COLOR_BTNFACE));
}

TEST_F(Classic, MenuGlyphsAreMasks) {
  Canvas c(13, 13, RGB(1, 2, 3));
  RECT r{0, 0, 13, 13};
  DrawFrameControl(c.dc(), &r, DFC_MENU, DFCS_MENUCHECK);
  EXPECT_EQ(c.Count(RGB(0, 0, 0)), 21);
  EXPECT_EQ(c.Count(kWhite), 169 - 21);
}

TEST_F(Classic, SystemCheckBoxesBitmap) {
  HBITMAP bm = LoadBitmap(nullptr, MAKEINTRESOURCE(OBM_CHECKBOXES));
  ASSERT_NE(bm, nullptr);
  BITMAP info;
  GetObject(bm, sizeof info, &info);
  EXPECT_EQ(info.bmWidth, 52);
  EXPECT_EQ(info.bmHeight, 39);
  const TSurface* s = BitmapSurface(bm);
  auto count = [&](int col, int row, COLORREF c) {
    int n = 0;
    for (int y = row * 13; y < row * 13 + 13; ++y)
      for (int x = col * 13; x < col * 13 + 13; ++x) n += PixelToColor(s->At(x, y)) == c;
    return n;
  };
  EXPECT_EQ(count(0, 0, Sys(COLOR_WINDOWTEXT)), 0);
  EXPECT_EQ(count(1, 0, Sys(COLOR_WINDOWTEXT)), 21);
  EXPECT_EQ(count(3, 0, Sys(COLOR_WINDOWTEXT)), 21);
  EXPECT_GT(count(1, 1, Sys(COLOR_WINDOWTEXT)), 0) << "checked radio";
  EXPECT_GT(count(2, 0, Sys(COLOR_BTNFACE)), 60) << "pushed box has a face-coloured interior";
  DeleteObject(bm);
  HBITMAP arrow = LoadBitmap(nullptr, MAKEINTRESOURCE(OBM_DNARROW));
  ASSERT_NE(arrow, nullptr);
  DeleteObject(arrow);
  EXPECT_EQ(LoadBitmap(nullptr, MAKEINTRESOURCE(1)), nullptr);
}

}  // namespace
