#include <gtest/gtest.h>

#include <vector>

#include "cx/foundation/cxLookAndFeelPainters.h"
#include "cx/foundation/dxThemeManager.h"
#include "cx/foundation/tests/cxFoundationTestUtil.h"
#include "platform/gdi/testing/TestThemeProvider.h"
#include "platform/win/Windows.h"

namespace {

TcxLookAndFeelPainterClass Custom() { return TcxCustomLookAndFeelPainter::Class(); }
TcxLookAndFeelPainterClass Standard() { return TcxStandardLookAndFeelPainter::Class(); }
TcxLookAndFeelPainterClass Flat() { return TcxFlatLookAndFeelPainter::Class(); }
TcxLookAndFeelPainterClass UltraFlat() { return TcxUltraFlatLookAndFeelPainter::Class(); }
TcxLookAndFeelPainterClass WinXP() { return TcxWinXPLookAndFeelPainter::Class(); }

// Every 3-D colour distinct, so a probe tells which one was drawn.
class PainterTest : public ::testing::Test {
 protected:
  static constexpr int Indexes[] = {COLOR_BTNFACE,   COLOR_BTNSHADOW,    COLOR_BTNHIGHLIGHT, COLOR_3DDKSHADOW,
                                    COLOR_3DLIGHT,   COLOR_BTNTEXT,      COLOR_WINDOWFRAME,  COLOR_WINDOW,
                                    COLOR_HIGHLIGHT, COLOR_HIGHLIGHTTEXT};
  static constexpr int Count = sizeof(Indexes) / sizeof(Indexes[0]);

  void SetUp() override {
    for (int I = 0; I < Count; ++I) saved_[I] = GetSysColor(Indexes[I]);
    const COLORREF Scheme[Count] = {
        RGB(210, 205, 200), RGB(128, 128, 128), RGB(250, 250, 250), RGB(64, 64, 64),  RGB(225, 225, 225),
        RGB(10, 10, 10),    RGB(20, 20, 30),    RGB(255, 255, 240), RGB(10, 36, 106), RGB(240, 240, 255)};
    SetSysColors(Count, Indexes, Scheme);
    cxRefreshCheckerBrushes();
  }
  void TearDown() override {
    SetSysColors(Count, Indexes, saved_);
    cxRefreshCheckerBrushes();
  }

  static TColor Rgb(TColor C) { return ColorToRGB(C); }

 private:
  COLORREF saved_[Count];
};

// --- Geometry ---

TEST(PainterGeometry, SizesAndFlagsOfEachLook) {
  struct Case {
    const char* Name;
    TcxLookAndFeelPainterClass Painter;
    int Border, ButtonBorderDefault, ButtonBorderNormal, OffsetX, OffsetY, Expand, HeaderBorder,
        FooterCellOffset, ContentInset;
    bool HotTrack;
    SIZE SortingMark, CloseButton;
    TcxBorders FooterCellBorders;
  } Cases[] = {
      {"custom", Custom(), 0, 0, 0, 0, 0, 0, 0, 0, 4, false, {0, 0}, {16, 14}, cxBordersAll},
      {"standard", Standard(), 2, 3, 2, 1, 1, 12, 1, 1, 4, false, {8, 7}, {16, 14}, cxBordersAll},
      {"flat", Flat(), 1, 2, 1, 1, 1, 11, 1, 1, 4, false, {8, 7}, {16, 14}, cxBordersAll},
      {"ultra-flat", UltraFlat(), 1, 2, 1, 2, 0, 11, 1, 2, 3, true, {7, 8}, {16, 15}, {bRight, bBottom}},
      // Without visual styles: the standard sizes, except what the painter fixes itself.
      {"visual styles off", WinXP(), 2, 2, 2, 2, 0, 12, 1, 1, 4, true, {7, 8}, {16, 14}, cxBordersAll},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    const TcxLookAndFeelPainterClass P = C.Painter;
    EXPECT_EQ(P->GetBorderSize(), C.Border);
    EXPECT_EQ(P->GetButtonBorderSize(cxbsDefault), C.ButtonBorderDefault);
    EXPECT_EQ(P->GetButtonBorderSize(cxbsPressed), C.ButtonBorderNormal);
    EXPECT_EQ(P->GetButtonPressedTextOffsetX(), C.OffsetX);
    EXPECT_EQ(P->GetButtonPressedTextOffsetY(), C.OffsetY);
    EXPECT_EQ(P->GetExpandButtonSize(), C.Expand);
    EXPECT_EQ(P->IsButtonHotTrack(), C.HotTrack);
    EXPECT_EQ(P->GetHeaderBorderSize(), C.HeaderBorder);
    EXPECT_EQ(P->GetHeaderHeight(13), 17 + 2 * C.HeaderBorder);
    EXPECT_EQ(P->GetFooterCellOffset(), C.FooterCellOffset);
    EXPECT_TRUE(P->GetSortingMarkSize() == C.SortingMark);
    EXPECT_TRUE(P->GetSortingMarkAreaSize() == (SIZE{16, C.SortingMark.cy}));
    EXPECT_TRUE(P->GetCloseButtonSize() == C.CloseButton);
    EXPECT_TRUE(P->GetFooterCellBorders() == C.FooterCellBorders);
    EXPECT_TRUE(P->GetCheckButtonSize() == (SIZE{13, 13}));
    EXPECT_TRUE(P->GetDropDownButtonSize() == (SIZE{15, 0}));
    const RECT R{10, 10, 40, 30};
    EXPECT_EQ(P->GetButtonContentBounds(nullptr, R),
              (RECT{10 + C.ContentInset, 10 + C.ContentInset, 40 - C.ContentInset, 30 - C.ContentInset}));
    // Too small to inset: the rectangle itself.
    EXPECT_EQ(P->GetButtonContentBounds(nullptr, RECT{0, 0, 6, 6}), (RECT{0, 0, 6, 6}));
  }
  EXPECT_EQ(Custom()->GetButtonContentBounds(nullptr, RECT{0, 0, 8, 8}), (RECT{0, 0, 8, 8}));
}

TEST(PainterGeometry, ArrowPoints) {
  struct Case {
    RECT R;
    TcxArrowDirection Direction;
    bool Proportional;
    TcxArrowPoints Expected;
  } Cases[] = {
      // 9 x 9: a 5-wide, 3-high arrow; the up arrow sits a pixel higher than the down arrow.
      {{0, 0, 9, 9}, adUp, true, {POINT{2, 4}, POINT{6, 4}, POINT{4, 2}}},
      {{0, 0, 9, 9}, adDown, true, {POINT{2, 3}, POINT{6, 3}, POINT{4, 5}}},
      {{0, 0, 9, 9}, adLeft, true, {POINT{5, 2}, POINT{5, 6}, POINT{3, 4}}},
      {{0, 0, 9, 9}, adRight, true, {POINT{3, 2}, POINT{3, 6}, POINT{5, 4}}},
      // A wide rectangle is squared first when proportional...
      {{0, 0, 15, 9}, adUp, true, {POINT{5, 4}, POINT{9, 4}, POINT{7, 2}}},
      // ...and not otherwise (half pixels round away from zero).
      {{0, 0, 15, 9}, adUp, false, {POINT{4, 5}, POINT{10, 5}, POINT{7, 2}}},
      {{10, 20, 18, 40}, adDown, true, {POINT{12, 29}, POINT{14, 29}, POINT{13, 30}}},
  };
  for (const Case& C : Cases) {
    const TcxArrowPoints P =
        TcxCustomLookAndFeelPainter::CalculateArrowPoints(C.R, C.Direction, C.Proportional);
    for (int I = 0; I < 3; ++I) {
      EXPECT_EQ(P[I].x, C.Expected[I].x) << "direction " << C.Direction << " point " << I << " in " << C.R;
      EXPECT_EQ(P[I].y, C.Expected[I].y) << "direction " << C.Direction << " point " << I << " in " << C.R;
    }
  }
}

TEST(PainterGeometry, ArrowDirectionOfScrollBarParts) {
  using P = TcxCustomLookAndFeelPainter;
  EXPECT_EQ(P::GetArrowDirection(false, sbpLineUp), adUp);
  EXPECT_EQ(P::GetArrowDirection(false, sbpLineDown), adDown);
  EXPECT_EQ(P::GetArrowDirection(false, sbpPageUp), adDown);
  EXPECT_EQ(P::GetArrowDirection(true, sbpLineUp), adLeft);
  EXPECT_EQ(P::GetArrowDirection(true, sbpThumbnail), adRight);
}

TEST(PainterGeometry, HeaderBordersContentAndWidth) {
  // Ultra-flat cells share lines with their left and top neighbours.
  EXPECT_TRUE(UltraFlat()->GetHeaderBorders({bLeft, bRight}) == (TcxBorders{bTop, bRight, bBottom}));
  EXPECT_TRUE(UltraFlat()->GetHeaderBorders({bTop}) == (TcxBorders{bLeft, bRight, bBottom}));
  EXPECT_TRUE(Standard()->GetHeaderBorders({bLeft, bTop}) == cxBordersAll);

  EXPECT_EQ(Standard()->GetHeaderContentBounds({0, 0, 50, 20}, {bLeft, bBottom}), (RECT{1, 0, 50, 19}));
  EXPECT_EQ(Standard()->GetFrameContentBounds({0, 0, 50, 20}), (RECT{1, 1, 49, 19}));
  EXPECT_EQ(Standard()->GetFrameTextBounds({0, 0, 50, 20}), (RECT{3, 3, 47, 17}));

  TTestCanvas T(10, 10);
  TFont Font;
  Font.SetName(kFixedTestFontName);
  Font.SetHeight(-16);
  // "Ab" is 16 pixels wide; the left border adds, the right one is taken off (as the system has it).
  EXPECT_EQ(Standard()->GetHeaderWidth(T.Cx(), {}, S("Ab"), &Font), 20);
  EXPECT_EQ(Standard()->GetHeaderWidth(T.Cx(), {bLeft}, S("Ab"), &Font), 21);
  EXPECT_EQ(Standard()->GetHeaderWidth(T.Cx(), cxBordersAll, S("Ab"), &Font), 20);
}

TEST(PainterGeometry, DefaultColours) {
  const TcxLookAndFeelPainterClass P = Custom();
  EXPECT_EQ(P->GetDefaultContentColor(), clWindow);
  EXPECT_EQ(P->GetDefaultContentTextColor(), clWindowText);
  EXPECT_EQ(P->GetDefaultPreviewTextColor(), clBlue);
  EXPECT_EQ(P->GetDefaultGroupByBoxTextColor(), clBtnFace);
  EXPECT_EQ(P->GetDefaultRowSeparatorColor(), P->GetDefaultGridLineColor());
  EXPECT_EQ(P->GetDefaultSelectionColor(), clHighlight);
  EXPECT_EQ(P->GetDefaultSelectionTextColor(), clHighlightText);
  EXPECT_EQ(P->GetCheckButtonColor(cxbsHot), clWindow);
  EXPECT_EQ(P->GetCheckButtonColor(cxbsPressed), clBtnFace);
  EXPECT_EQ(P->GetButtonTextColor(cxbsDisabled), clBtnShadow);
  EXPECT_EQ(UltraFlat()->GetButtonColor(cxbsHot), cxFaceTintColor());
  EXPECT_EQ(UltraFlat()->GetButtonColor(cxbsPressed), cxHighlightTintColor());
  EXPECT_EQ(UltraFlat()->GetButtonColor(cxbsDefault), clBtnFace);
  EXPECT_EQ(UltraFlat()->GetButtonTextColor(cxbsPressed), clHighlightText);
  EXPECT_EQ(UltraFlat()->GetButtonTextColor(cxbsDisabled), clBtnShadow);
  EXPECT_EQ(UltraFlat()->GetButtonPaintState(cxbsPressed), cxbsNormal);
  EXPECT_EQ(Standard()->GetButtonPaintState(cxbsPressed), cxbsPressed);
}

// --- Drawing ---

TEST_F(PainterTest, ButtonFramesOfEachLook) {
  struct Probe {
    int X, Y;
    TColor Color;
  };
  struct Case {
    const char* Name;
    TcxLookAndFeelPainterClass Painter;
    TcxButtonState State;
    std::vector<Probe> Probes;
  } Cases[] = {
      // Black outer frame, then two raised frames: a 3-pixel border.
      {"standard default",
       Standard(),
       cxbsDefault,
       {{0, 0, clBlack},
        {39, 19, clBlack},
        {1, 1, clBtnHighlight},
        {38, 18, cl3DDkShadow},
        {2, 2, cl3DLight},
        {37, 17, clBtnShadow},
        {3, 3, clBtnFace}}},
      {"standard normal",
       Standard(),
       cxbsNormal,
       {{0, 0, clBtnHighlight}, {39, 0, cl3DDkShadow}, {2, 2, clBtnFace}}},
      {"standard pressed",
       Standard(),
       cxbsPressed,
       {{0, 0, clBlack}, {1, 1, clBtnShadow}, {38, 18, clBtnShadow}}},
      // Black frame and one raised bevel: a 2-pixel border.
      {"flat default",
       Flat(),
       cxbsDefault,
       {{0, 0, clBlack}, {1, 1, clBtnHighlight}, {38, 18, clBtnShadow}, {2, 2, clBtnFace}}},
      {"flat pressed",
       Flat(),
       cxbsPressed,
       {{0, 0, clBtnShadow}, {39, 19, clBtnHighlight}, {1, 1, clBtnFace}}},
      {"ultra-flat default",
       UltraFlat(),
       cxbsDefault,
       {{0, 0, clWindowFrame}, {1, 1, clWindowFrame}, {2, 2, clBtnFace}}},
      {"ultra-flat normal",
       UltraFlat(),
       cxbsNormal,
       {{0, 0, clBtnText}, {39, 19, clBtnText}, {1, 1, clBtnFace}}},
      {"ultra-flat disabled", UltraFlat(), cxbsDisabled, {{0, 0, clHighlight}, {1, 1, clBtnFace}}},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    TTestCanvas T(40, 20, clFuchsia);
    C.Painter->PaintButton(T.Cx(), {0, 0, 40, 20}, String(), C.State);
    for (const Probe& P : C.Probes) EXPECT_EQ(T.Pixel(P.X, P.Y), Rgb(P.Color)) << P.X << ", " << P.Y;
  }
}

TEST_F(PainterTest, UltraFlatHotAndPressedButtonsAreTintedAndTheCaptionStays) {
  TTestCanvas Hot(40, 20, clFuchsia);
  UltraFlat()->PaintButton(Hot.Cx(), {0, 0, 40, 20}, String(), cxbsHot);
  EXPECT_EQ(Hot.Pixel(0, 0), Rgb(clHighlight));
  EXPECT_EQ(Hot.Pixel(5, 5), Rgb(cxFaceTintColor()));

  TTestCanvas Normal(40, 20, clFuchsia), Pressed(40, 20, clFuchsia);
  UltraFlat()->PaintButton(Normal.Cx(), {0, 0, 40, 20}, S("W"), cxbsNormal, true, clDefault, clRed);
  UltraFlat()->PaintButton(Pressed.Cx(), {0, 0, 40, 20}, S("W"), cxbsPressed);
  EXPECT_EQ(Pressed.Pixel(2, 2), Rgb(cxHighlightTintColor()));
  EXPECT_EQ(Pressed.Bounds(clHighlightText), Normal.Bounds(clRed));
  EXPECT_EQ(Pressed.Count(clBtnText), 0);
}

TEST_F(PainterTest, ButtonCaptionPlacement) {
  // Where the fixed font's ink starts in a line drawn at y = 0 (cells are 16 high).
  TTestCanvas Calibration(40, 40, clFuchsia);
  Calibration.Cx()->DrawText(S("W"), {0, 0, 40, 40}, cxtfLeft | cxtfTop | cxtfSingleLine);
  const RECT Ink = Calibration.Bounds();

  struct Case {
    TcxLookAndFeelPainterClass Painter;
    int Height;
    TcxButtonState State;
    int LineTop, ShiftX;
  } Cases[] = {
      // An odd height loses its last row; below 18 the area starts a pixel higher: (-1, 16).
      {Custom(), 17, cxbsNormal, -1, 0},
      {Custom(), 16, cxbsNormal, -1, 0},
      {Custom(), 21, cxbsNormal, 2, 0},
      // Inside the 2-pixel frame (2, 24); pressed captions move by the vertical offset both ways.
      {Standard(), 26, cxbsNormal, 5, 0},
      {Standard(), 26, cxbsPressed, 6, 1},
      // Ultra-flat: a 1-pixel frame (1, 25), and pressed captions stay.
      {UltraFlat(), 26, cxbsPressed, 5, 0},
  };
  const int Width = 40;
  for (const Case& C : Cases) {
    SCOPED_TRACE(testing::Message() << "height " << C.Height << " state " << C.State);
    TTestCanvas T(Width, 40, clFuchsia);
    C.Painter->PaintButton(T.Cx(), {0, 0, Width, C.Height}, S("W"), C.State, C.Painter != Custom(), clWhite,
                           clRed);
    const RECT Caption = T.Bounds(clRed);
    EXPECT_EQ(Caption.top, C.LineTop + Ink.top);
    EXPECT_EQ(Caption.left, (Width - 8) / 2 + C.ShiftX + Ink.left);
  }
}

TEST_F(PainterTest, ButtonColoursAreTheCallersUnlessDefault) {
  TTestCanvas T(40, 20, clFuchsia);
  Standard()->PaintButton(T.Cx(), {0, 0, 40, 20}, S("W"), cxbsNormal, true, clYellow, clRed);
  EXPECT_EQ(T.Pixel(3, 3), Rgb(clYellow));
  EXPECT_GT(T.Count(clRed), 0);
  // The brush is solid again afterwards.
  EXPECT_EQ(T.Cx()->Brush()->Style(), bsSolid);

  TTestCanvas D(40, 20, clFuchsia);
  Standard()->PaintButton(D.Cx(), {0, 0, 40, 20}, S("W"), cxbsDisabled);
  EXPECT_GT(D.Count(clBtnShadow), 0);
  EXPECT_EQ(D.Count(clBtnText), 0);
}

TEST_F(PainterTest, CheckBoxesOfEachLook) {
  struct Probe {
    int X, Y;
    TColor Color;
  };
  struct Case {
    const char* Name;
    TcxLookAndFeelPainterClass Painter;
    TcxButtonState State;
    std::vector<Probe> Probes;
  } Cases[] = {
      {"standard",
       Standard(),
       cxbsNormal,
       {{0, 0, cl3DDkShadow},
        {12, 12, cl3DLight},
        {1, 1, clBtnShadow},
        {11, 11, clBtnHighlight},
        {2, 2, clWindow}}},
      {"standard pressed", Standard(), cxbsPressed, {{2, 2, clBtnFace}}},
      {"flat", Flat(), cxbsNormal, {{0, 0, clBtnShadow}, {12, 12, clBtnHighlight}, {1, 1, clWindow}}},
      {"flat disabled", Flat(), cxbsDisabled, {{1, 1, clBtnFace}, {6, 2, clBtnFace}}},
      {"ultra-flat", UltraFlat(), cxbsNormal, {{0, 0, clBtnText}, {12, 12, clBtnText}, {1, 1, clWindow}}},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    TTestCanvas Unchecked(13, 13, clFuchsia), Checked(13, 13, clFuchsia);
    C.Painter->PaintCheckButton(Unchecked.Cx(), {0, 0, 13, 13}, C.State, false);
    C.Painter->PaintCheckButtonInRect(Checked.Cx(), {0, 0, 13, 13}, C.State, true);
    for (const Probe& P : C.Probes) EXPECT_EQ(Unchecked.Pixel(P.X, P.Y), Rgb(P.Color)) << P.X << ", " << P.Y;
    EXPECT_EQ(Unchecked.Count(clFuchsia), 0);
    // The mark is three strokes thick at its lowest point and stays inside the frame.
    for (int Y = 7; Y <= 9; ++Y) EXPECT_EQ(Checked.Pixel(5, Y), Rgb(clBtnText)) << Y;
    const RECT Mark = Checked.Bounds(clBtnText);
    if (C.Painter != UltraFlat()) {
      EXPECT_GE(Mark.left, 2);
      EXPECT_LE(Mark.right, 11);
      EXPECT_EQ(Unchecked.Count(clBtnText), 0);
    }
  }
}

TEST_F(PainterTest, ArrowsAreFilledTriangles) {
  TTestCanvas T(9, 9, clFuchsia);
  Custom()->PaintArrow(T.Cx(), {0, 0, 9, 9}, adUp, clRed);
  EXPECT_EQ(T.Bounds(clRed), (RECT{2, 2, 7, 5}));
  EXPECT_EQ(T.Pixel(4, 2), Rgb(clRed));
  EXPECT_EQ(T.Pixel(2, 2), Rgb(clFuchsia));
  EXPECT_EQ(T.Pixel(6, 2), Rgb(clFuchsia));

  // A disabled arrow is embossed: highlight one pixel right and down, shadow in place.
  TTestCanvas D(9, 9, clFuchsia);
  Standard()->PaintButtonArrow(D.Cx(), {0, 0, 9, 9}, cxbsDisabled, adDown);
  EXPECT_EQ(D.Bounds(clBtnShadow), (RECT{2, 3, 7, 6}));
  EXPECT_EQ(D.Pixel(7, 4), Rgb(clBtnHighlight));

  TTestCanvas Drop(16, 16, clFuchsia);
  Custom()->PaintDropDownArrow(Drop.Cx(), {0, 0, 16, 16}, clRed);
  // Width 16 div 2 = 8, made odd: 9; height 5.
  EXPECT_EQ(Drop.Bounds(clRed), (RECT{3, 6, 12, 11}));
}

TEST_F(PainterTest, HeaderBordersShareLinesWithNeighbours) {
  TTestCanvas Ultra(30, 18, clFuchsia);
  const TcxBorders Borders = UltraFlat()->GetHeaderBorders({bLeft});
  UltraFlat()->PaintHeader(Ultra.Cx(), {0, 0, 30, 18}, {0, 0, 30, 18}, {bLeft}, Borders, cxbsNormal,
                           taLeftJustify, vaTop, false, false, String(), nullptr, clBlack, clYellow);
  EXPECT_EQ(Ultra.Pixel(0, 5), Rgb(clYellow));
  EXPECT_EQ(Ultra.Pixel(29, 5), Rgb(clBtnText));
  EXPECT_EQ(Ultra.Pixel(5, 0), Rgb(clBtnText));
  EXPECT_EQ(Ultra.Pixel(5, 17), Rgb(clBtnText));

  TTestCanvas Classic(30, 18, clFuchsia);
  Standard()->PaintHeader(Classic.Cx(), {0, 0, 30, 18}, {0, 0, 30, 18}, {bLeft, bRight}, cxBordersAll,
                          cxbsNormal, taLeftJustify, vaTop, false, false, String(), nullptr, clBlack,
                          clYellow);
  const struct {
    int X, Y;
    TColor Color;
  } Probes[] = {{0, 0, clBtnHighlight},  {0, 1, clBtnFace},  {0, 16, clBtnFace},  {0, 5, clBtnHighlight},
                {29, 0, clBtnHighlight}, {29, 1, clBtnFace}, {29, 16, clBtnFace}, {29, 5, clBtnShadow},
                {5, 17, clBtnShadow},    {5, 5, clYellow}};
  for (const auto& P : Probes) EXPECT_EQ(Classic.Pixel(P.X, P.Y), Rgb(P.Color)) << P.X << ", " << P.Y;
}

TEST_F(PainterTest, HeaderCaptionAndPressedLook) {
  TTestCanvas T(60, 20, clFuchsia);
  TFont Font;
  Font.SetName(kFixedTestFontName);
  Font.SetHeight(-16);
  Standard()->PaintHeader(T.Cx(), {0, 0, 60, 20}, {2, 2, 58, 18}, {}, cxBordersAll, cxbsNormal,
                          taRightJustify, vaTop, false, false, S("Ab"), &Font, clRed, clYellow);
  const RECT Text = T.Bounds(clRed);
  EXPECT_LE(Text.right, 58);
  EXPECT_GE(Text.left, 58 - 16);
  Standard()->PaintHeaderPressed(T.Cx(), {0, 0, 60, 20});
  EXPECT_EQ(T.Pixel(5, 5), Rgb(clYellow) ^ 0xFFFFFF);
}

TEST_F(PainterTest, ExpandButtonsExcludeThemselvesFromClipping) {
  for (TcxLookAndFeelPainterClass P : {Standard(), Flat(), UltraFlat()}) {
    SCOPED_TRACE(P->GetExpandButtonSize());
    TTestCanvas T(20, 20, clFuchsia);
    const int Size = P->GetExpandButtonSize();
    const RECT R{4, 4, 4 + Size, 4 + Size};
    P->PaintExpandButton(T.Cx(), R, false);
    // Later drawing in the same pass leaves the button alone.
    T.Cx()->SetBrushColor(clRed);
    T.Cx()->FillRect({0, 0, 20, 20});
    SelectClipRgn(T.Cx()->Handle(), nullptr);
    EXPECT_EQ(T.Count(clRed), 20 * 20 - Size * Size);
    EXPECT_EQ(T.Count(clFuchsia), 0);
    // A plus through the middle of the face.
    const RECT Plus = T.Bounds(clBtnText);
    EXPECT_EQ(Plus.right - Plus.left, Plus.bottom - Plus.top);
    EXPECT_GT(Plus.right - Plus.left, 4);
    EXPECT_EQ(T.Pixel((Plus.left + Plus.right) / 2, Plus.top), Rgb(clBtnText));
    EXPECT_EQ(T.Pixel(Plus.left, (Plus.top + Plus.bottom) / 2), Rgb(clBtnText));
    EXPECT_EQ(T.Pixel(Plus.left, Plus.top), Rgb(clBtnFace));
  }
  // Expanded: a minus, no vertical stroke.
  TTestCanvas M(11, 11, clFuchsia);
  UltraFlat()->PaintExpandButton(M.Cx(), {0, 0, 11, 11}, true);
  SelectClipRgn(M.Cx()->Handle(), nullptr);
  EXPECT_EQ(M.Bounds(clBtnText), (RECT{3, 5, 8, 6}));
  EXPECT_EQ(M.Pixel(0, 0), Rgb(clBtnShadow));
}

TEST_F(PainterTest, ScrollBarParts) {
  // Page areas: the checker of the state.
  TTestCanvas Page(16, 16, clFuchsia);
  Standard()->PaintScrollBarPart(Page.Cx(), false, {0, 0, 16, 16}, sbpPageUp, cxbsNormal);
  EXPECT_EQ(Page.Pixel(0, 0), Rgb(clBtnFace));
  EXPECT_EQ(Page.Pixel(1, 0), Rgb(clBtnHighlight));
  EXPECT_EQ(Page.Pixel(9, 9), Rgb(clBtnFace));
  UltraFlat()->PaintScrollBarPart(Page.Cx(), false, {0, 0, 16, 16}, sbpPageDown, cxbsPressed);
  EXPECT_EQ(Page.Pixel(0, 0), Rgb(clBlack));
  EXPECT_EQ(Page.Pixel(0, 1), Rgb(cl3DDkShadow));

  // A disabled thumb and an empty part draw nothing.
  for (TcxLookAndFeelPainterClass P : {Standard(), Flat(), UltraFlat()}) {
    TTestCanvas T(16, 16, clFuchsia);
    P->PaintScrollBarPart(T.Cx(), false, {0, 0, 16, 16}, sbpThumbnail, cxbsDisabled);
    P->PaintScrollBarPart(T.Cx(), false, {0, 0, 0, 16}, sbpLineUp, cxbsNormal);
    EXPECT_EQ(T.Count(clFuchsia), 16 * 16);
  }

  // Standard arrows and thumb: raised double frame; a pressed arrow a flat shadow one.
  TTestCanvas Arrow(16, 16, clFuchsia);
  Standard()->PaintScrollBarPart(Arrow.Cx(), false, {0, 0, 16, 16}, sbpLineUp, cxbsNormal);
  EXPECT_EQ(Arrow.Pixel(0, 0), Rgb(clBtnFace));
  EXPECT_EQ(Arrow.Pixel(15, 15), Rgb(cl3DDkShadow));
  EXPECT_EQ(Arrow.Pixel(1, 1), Rgb(clBtnHighlight));
  EXPECT_EQ(Arrow.Pixel(14, 14), Rgb(clBtnShadow));
  EXPECT_GT(Arrow.Count(clBtnText), 0);
  Standard()->PaintScrollBarPart(Arrow.Cx(), false, {0, 0, 16, 16}, sbpLineUp, cxbsPressed);
  EXPECT_EQ(Arrow.Pixel(0, 0), Rgb(clBtnShadow));
  EXPECT_EQ(Arrow.Pixel(1, 1), Rgb(clBtnFace));

  // A disabled standard arrow is drawn inactive by the platform: no arrow in button text.
  TTestCanvas Disabled(16, 16, clFuchsia);
  Standard()->PaintScrollBarPart(Disabled.Cx(), false, {0, 0, 16, 16}, sbpLineDown, cxbsDisabled);
  EXPECT_EQ(Disabled.Count(clBtnText), 0);

  // Hot: drawn as normal by the standard and flat looks, kept by the ultra-flat one.
  for (TcxLookAndFeelPainterClass P : {Standard(), Flat(), UltraFlat()}) {
    TTestCanvas Normal(16, 16, clFuchsia), Hot(16, 16, clFuchsia);
    P->PaintScrollBarPart(Normal.Cx(), true, {0, 0, 16, 16}, sbpThumbnail, cxbsNormal);
    P->PaintScrollBarPart(Hot.Cx(), true, {0, 0, 16, 16}, sbpThumbnail, cxbsHot);
    EXPECT_EQ(Normal.Pixel(8, 8) == Hot.Pixel(8, 8), P != UltraFlat());
  }
  TTestCanvas Thumb(16, 16, clFuchsia);
  Standard()->PaintScrollBarPart(Thumb.Cx(), true, {0, 0, 16, 16}, sbpThumbnail, cxbsNormal);
  EXPECT_EQ(Thumb.Pixel(2, 2), Rgb(clBtnFace));
  EXPECT_EQ(Thumb.Pixel(1, 1), Rgb(clBtnHighlight));
}

TEST_F(PainterTest, IndicatorCells) {
  TTestCanvas None(12, 18, clFuchsia), Arrow(12, 18, clFuchsia);
  Standard()->PaintIndicatorCell(None.Cx(), {0, 0, 12, 18}, ikNone, clYellow);
  Standard()->PaintIndicatorCell(Arrow.Cx(), {0, 0, 12, 18}, ikArrow, clYellow);
  EXPECT_EQ(None.Pixel(6, 9), Rgb(clYellow));
  EXPECT_EQ(None.Count(clBlack), 0);
  EXPECT_EQ(None.Pixel(0, 0), Rgb(clBtnHighlight));
  // The 5 x 9 image centred: (12 - 5) / 2 = 3, (18 - 9) / 2 = 4.
  const RECT Image = Arrow.Bounds(clBlack);
  EXPECT_GE(Image.left, 3);
  EXPECT_LE(Image.right, 8);
  EXPECT_GE(Image.top, 4);
  EXPECT_LE(Image.bottom, 13);
  EXPECT_GT(Arrow.Count(clBlack), 0);
  ASSERT_NE(cxIndicatorImages(), nullptr);
  EXPECT_EQ(cxIndicatorImages()->Count(), 5);
}

TEST_F(PainterTest, FootersTabsAndSmallButtons) {
  TTestCanvas Footer(40, 20, clFuchsia);
  UltraFlat()->PaintFooterCell(Footer.Cx(), {0, 0, 40, 20}, taLeftJustify, vaTop, false, String(), nullptr,
                               clBlack, clYellow);
  EXPECT_EQ(Footer.Pixel(0, 0), Rgb(clBtnShadow));
  EXPECT_EQ(Footer.Pixel(1, 1), Rgb(clYellow));
  UltraFlat()->PaintFooterBorder(Footer.Cx(), {0, 0, 40, 20});
  EXPECT_EQ(Footer.Pixel(39, 5), Rgb(clBtnShadow));

  // Ultra-flat tab sides: the closing side in button text, shortened by the border size.
  TTestCanvas Tab(10, 10, clFuchsia);
  UltraFlat()->PaintTabBorder(Tab.Cx(), {5, 0, 6, 10}, bRight, {}, false);
  UltraFlat()->PaintTabBorder(Tab.Cx(), {0, 0, 1, 10}, bLeft, {}, false);
  EXPECT_EQ(Tab.Pixel(5, 8), Rgb(clBtnText));
  EXPECT_EQ(Tab.Pixel(5, 9), Rgb(clFuchsia));
  EXPECT_EQ(Tab.Pixel(0, 9), Rgb(clBtnShadow));

  // Standard horizontal tab top: the corners of the strip's row below light up, the strip narrows.
  TTestCanvas Top(10, 4, clFuchsia);
  Standard()->PaintTabBorder(Top.Cx(), {0, 0, 10, 1}, bTop, {}, false);
  EXPECT_EQ(Top.Pixel(0, 1), Rgb(clBtnHighlight));
  EXPECT_EQ(Top.Pixel(9, 1), Rgb(clBtnHighlight));
  EXPECT_EQ(Top.Pixel(0, 0), Rgb(clFuchsia));
  EXPECT_EQ(Top.Pixel(1, 0), Rgb(clBtnHighlight));

  // Close button: frame, face and a two-pixel cross of 7.
  TTestCanvas Close(16, 14, clFuchsia);
  Standard()->PaintCloseButton(Close.Cx(), {0, 0, 16, 14}, cxbsNormal);
  EXPECT_EQ(Close.Pixel(0, 0), Rgb(clBtnHighlight));
  EXPECT_EQ(Close.Bounds(clBtnText), (RECT{4, 3, 12, 10}));
  // Pressed, the standard cross moves a pixel; the ultra-flat one never moves.
  TTestCanvas PressedClose(16, 14, clFuchsia), UltraNormal(16, 15, clFuchsia),
      UltraPressed(16, 15, clFuchsia);
  Standard()->PaintCloseButton(PressedClose.Cx(), {0, 0, 16, 14}, cxbsPressed);
  EXPECT_EQ(PressedClose.Bounds(clBtnText), (RECT{5, 4, 13, 11}));
  UltraFlat()->PaintCloseButton(UltraNormal.Cx(), {0, 0, 16, 15}, cxbsHot);
  UltraFlat()->PaintCloseButton(UltraPressed.Cx(), {0, 0, 16, 15}, cxbsPressed);
  EXPECT_EQ(UltraPressed.Bounds(clHighlightText), UltraNormal.Bounds(clBtnText));

  TTestCanvas Drop(15, 15, clFuchsia);
  Standard()->PaintDropDownButton(Drop.Cx(), {0, 0, 15, 15}, cxbsPressed, true);
  EXPECT_EQ(Drop.Pixel(0, 0), Rgb(clBtnShadow));
  EXPECT_GT(Drop.Count(clBlue), 0);
  UltraFlat()->PaintDropDownButton(Drop.Cx(), {0, 0, 15, 15}, cxbsHot, false);
  EXPECT_EQ(Drop.Pixel(0, 0), Rgb(clHighlight));
  EXPECT_EQ(Drop.Pixel(1, 1), Rgb(cxFaceTintColor()));
}

TEST_F(PainterTest, SortingMarks) {
  TTestCanvas Up(16, 16, clFuchsia), Down(16, 16, clFuchsia);
  Standard()->PaintSortingMark(Up.Cx(), {0, 0, 16, 16}, true);
  Standard()->PaintSortingMark(Down.Cx(), {0, 0, 16, 16}, false);
  // 8 x 7 outlines, lit on the right, shaded on the left.
  const RECT UpBox = Up.Bounds();
  EXPECT_EQ(UpBox.right - UpBox.left, 8);
  EXPECT_EQ(UpBox.bottom - UpBox.top, 7);
  EXPECT_GT(Up.Count(clBtnShadow), 0);
  EXPECT_GT(Up.Count(clBtnHighlight), 0);
  // Pointing up the apex row is the top one, pointing down the bottom one.
  EXPECT_LT(Up.Bounds().top, Down.Bounds().top + 1);
  EXPECT_EQ(Up.Bounds().top, (16 - 7) / 2);
  EXPECT_EQ(Down.Bounds().bottom, (16 + 7) / 2);
  TTestCanvas Ultra(16, 16, clFuchsia);
  UltraFlat()->PaintSortingMark(Ultra.Cx(), {0, 0, 16, 16}, true);
  EXPECT_EQ(Ultra.Count(clBtnHighlight), 0);
  EXPECT_GT(Ultra.Count(clBtnShadow), 0);
}

TEST_F(PainterTest, CheckerBitmaps) {
  TBitmap* Normal = cxScrollBarCheckerBitmap(false);
  TBitmap* Pressed = cxScrollBarCheckerBitmap(true);
  ASSERT_NE(Normal, nullptr);
  ASSERT_NE(Pressed, nullptr);
  EXPECT_EQ(Normal->Width(), 8);
  for (int Y = 0; Y < 8; ++Y)
    for (int X = 0; X < 8; ++X) {
      const bool Even = (X % 2) == (Y % 2);
      EXPECT_EQ(Normal->Canvas()->Pixels(X, Y), Rgb(Even ? clBtnFace : clBtnHighlight));
      EXPECT_EQ(Pressed->Canvas()->Pixels(X, Y), Rgb(Even ? clBlack : cl3DDkShadow));
    }
}

// --- Visual styles ---

class VisualStylesPainterTest : public PainterTest {
 protected:
  void SetUp() override {
    PainterTest::SetUp();
    scope_ = std::make_unique<ScopedThemeProvider>(&Provider);
    ASSERT_TRUE(dxThemesAvailable());
  }
  void TearDown() override {
    scope_.reset();
    PainterTest::TearDown();
  }
  TestThemeProvider Provider;

 private:
  std::unique_ptr<ScopedThemeProvider> scope_;
};

TEST_F(VisualStylesPainterTest, ThemedButtonIgnoresTheCallersColours) {
  TTestCanvas T(40, 20, clFuchsia);
  WinXP()->PaintButton(T.Cx(), {0, 0, 40, 20}, S("W"), cxbsHot, true, clYellow, clRed);
  ASSERT_EQ(Provider.Draws().size(), 1u);
  EXPECT_EQ(Provider.Draws()[0].part, BP_PUSHBUTTON);
  EXPECT_EQ(Provider.Draws()[0].state, PBS_HOT);
  EXPECT_EQ(T.Pixel(1, 1), static_cast<TColor>(Provider.FillColor(S("Button"), BP_PUSHBUTTON, PBS_HOT)));
  EXPECT_EQ(T.Count(clYellow), 0);
  EXPECT_EQ(T.Count(clRed), 0);
}

TEST_F(VisualStylesPainterTest, StateTablesReachTheTheme) {
  struct Case {
    const char* Name;
    std::function<void(TcxCanvas*)> Paint;
    int Part, State;
  } Cases[] = {
      {"check pressed checked",
       [](TcxCanvas* C) {
         WinXP()->PaintCheck(C, {0, 0, 13, 13}, cxbsPressed, true, 0);
       },
       BP_CHECKBOX, CBS_CHECKEDPRESSED},
      {"check default unchecked",
       [](TcxCanvas* C) {
         WinXP()->PaintCheck(C, {0, 0, 13, 13}, cxbsDefault, false, 0);
       },
       BP_CHECKBOX, CBS_UNCHECKEDNORMAL},
      {"arrow left hot",
       [](TcxCanvas* C) {
         WinXP()->PaintArrowButton(C, {0, 0, 16, 16}, cxbsHot, adLeft, true);
       },
       SBP_ARROWBTN, ABS_LEFTHOT},
      {"arrow down disabled",
       [](TcxCanvas* C) {
         WinXP()->PaintScrollBarPart(C, false, {0, 0, 16, 16}, sbpLineDown, cxbsDisabled);
       },
       SBP_ARROWBTN, ABS_DOWNDISABLED},
      {"vertical lower track pressed",
       [](TcxCanvas* C) {
         WinXP()->PaintScrollBarPart(C, false, {0, 0, 16, 16}, sbpPageUp, cxbsPressed);
       },
       SBP_LOWERTRACKVERT, SCRBS_PRESSED},
      {"horizontal upper track",
       [](TcxCanvas* C) {
         WinXP()->PaintScrollBarPart(C, true, {0, 0, 16, 16}, sbpPageDown, cxbsNormal);
       },
       SBP_UPPERTRACKHORZ, SCRBS_NORMAL},
      {"disabled header",
       [](TcxCanvas* C) {
         WinXP()->PaintHeader(C, {0, 0, 16, 16}, {0, 0, 16, 16}, {}, cxBordersAll, cxbsDisabled,
                              taLeftJustify, vaTop, false, false, String(), nullptr, clBlack, clWhite);
       },
       HP_HEADERITEM, HIS_NORMAL},
      {"expanded glyph",
       [](TcxCanvas* C) {
         WinXP()->PaintExpandButton(C, {0, 0, 9, 9}, true);
       },
       TVP_GLYPH, GLPR_OPEN},
      {"pressed close button",
       [](TcxCanvas* C) {
         WinXP()->PaintCloseButton(C, {0, 0, 16, 14}, cxbsPressed);
       },
       WP_SMALLCLOSEBUTTON, 3},
      {"default drop-down button",
       [](TcxCanvas* C) {
         WinXP()->PaintDropDownButton(C, {0, 0, 16, 16}, cxbsDefault, true);
       },
       CP_DROPDOWNBUTTON, 1},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    Provider.ClearDraws();
    TTestCanvas T(20, 20, clFuchsia);
    C.Paint(T.Cx());
    ASSERT_FALSE(Provider.Draws().empty());
    EXPECT_EQ(Provider.Draws()[0].part, C.Part);
    EXPECT_EQ(Provider.Draws()[0].state, C.State);
  }
}

TEST_F(VisualStylesPainterTest, SizesComeFromTheTheme) {
  Provider.SetPartSize(S("Button"), BP_CHECKBOX, CBS_CHECKEDNORMAL, {15, 14});
  Provider.SetPartSize(S("Window"), WP_SMALLCLOSEBUTTON, 1, {9, 8});
  Provider.SetPartSize(S("TreeView"), TVP_GLYPH, GLPR_OPEN, {10, 10});
  Provider.SetContentMargins(S("Button"), BP_PUSHBUTTON, {3, 3, 3, 3});
  Provider.SetContentMargins(S("Header"), HP_HEADERITEM, {2, 2, 4, 2});
  Provider.SetContentMargins(S("TrackBar"), TKP_TRACK, {5, 1, 1, 1});
  EXPECT_TRUE(WinXP()->GetCheckButtonSize() == (SIZE{15, 14}));
  EXPECT_EQ(WinXP()->GetCheckBorderSize(), 0);
  EXPECT_TRUE(WinXP()->GetCloseButtonSize() == (SIZE{13, 12}));
  EXPECT_EQ(WinXP()->GetExpandButtonSize(), 10);
  EXPECT_EQ(WinXP()->GetButtonBorderSize(cxbsPressed), 3);
  EXPECT_EQ(WinXP()->GetHeaderBorderSize(), 3);
  EXPECT_EQ(WinXP()->GetFooterCellBorderSize(), 5);
  EXPECT_EQ(WinXP()->GetBorderSize(), 1);
  TTestCanvas T(4, 4);
  EXPECT_EQ(WinXP()->GetButtonContentBounds(T.Cx(), {0, 0, 40, 20}), (RECT{3, 3, 37, 17}));
  EXPECT_TRUE(WinXP()->IsTabThemed(false));
  EXPECT_FALSE(WinXP()->IsTabThemed(true));
  EXPECT_FALSE(WinXP()->IsTabBorderThemed(true));
  // A theme without the part's size: the standard size.
  TestThemeProvider Bare;
  ScopedThemeProvider Scope(&Bare);
  EXPECT_TRUE(WinXP()->GetCheckButtonSize() == (SIZE{13, 13}));
}

TEST_F(VisualStylesPainterTest, ButtonColoursFallBackWhenTheThemeHasNone) {
  EXPECT_EQ(WinXP()->GetButtonColor(cxbsNormal), clBtnFace);
  EXPECT_EQ(WinXP()->GetButtonTextColor(cxbsDisabled), clBtnShadow);
  EXPECT_EQ(WinXP()->GetButtonTextColor(cxbsNormal), clBtnText);
  Provider.SetColor(S("Button"), BP_PUSHBUTTON, PBS_HOT, TMT_FILLCOLOR, RGB(1, 2, 3));
  Provider.SetColor(S("Button"), BP_PUSHBUTTON, PBS_HOT, TMT_TEXTCOLOR, RGB(4, 5, 6));
  EXPECT_EQ(WinXP()->GetButtonColor(cxbsHot), static_cast<TColor>(RGB(1, 2, 3)));
  EXPECT_EQ(WinXP()->GetButtonTextColor(cxbsHot), static_cast<TColor>(RGB(4, 5, 6)));
  EXPECT_EQ(WinXP()->GetButtonColor(cxbsPressed), clBtnFace);
}

TEST_F(VisualStylesPainterTest, PressedThemedHeaderMovesItsCaption) {
  TFont Font;
  Font.SetName(kFixedTestFontName);
  Font.SetHeight(-16);
  RECT Bounds[2];
  const TcxButtonState States[2] = {cxbsNormal, cxbsPressed};
  for (int I = 0; I < 2; ++I) {
    TTestCanvas T(60, 24, clFuchsia);
    WinXP()->PaintHeader(T.Cx(), {0, 0, 60, 24}, {4, 2, 56, 22}, {}, cxBordersAll, States[I], taLeftJustify,
                         vaTop, false, false, S("Ab"), &Font, clRed, clWhite);
    Bounds[I] = T.Bounds(clRed);
  }
  ASSERT_FALSE(IsRectEmpty(&Bounds[0]));
  EXPECT_EQ(Bounds[1].left, Bounds[0].left + 1);
  EXPECT_EQ(Bounds[1].top, Bounds[0].top + 1);
}

TEST_F(VisualStylesPainterTest, VerticalTabsAndIndicatorsAreNotThemed) {
  TTestCanvas T(30, 20, clFuchsia);
  WinXP()->PaintTab(T.Cx(), {0, 0, 30, 20}, cxBordersAll, S("A"), cxbsNormal, true, nullptr, clBlack,
                    clWhite);
  WinXP()->PaintTabBorder(T.Cx(), {0, 0, 1, 20}, bLeft, {}, true);
  EXPECT_TRUE(Provider.Draws().empty());
  EXPECT_GT(T.Count(clBtnHighlight), 0);
  // Horizontal tabs: the selected tab grows a pixel below its rectangle, clipped to it.
  WinXP()->PaintTab(T.Cx(), {0, 0, 30, 20}, {bTop}, String(), cxbsPressed, false, nullptr, clBlack, clWhite);
  ASSERT_EQ(Provider.Draws().size(), 1u);
  EXPECT_EQ(Provider.Draws()[0].rect, (RECT{-2, 0, 32, 21}));
  EXPECT_EQ(Provider.Draws()[0].state, 3);
  Provider.ClearDraws();
  WinXP()->PaintIndicatorCell(T.Cx(), {0, 0, 12, 18}, ikArrow, clYellow);
  EXPECT_TRUE(Provider.Draws().empty());
  EXPECT_FALSE(WinXP()->IsIndicatorGlyphFirst());
}

TEST_F(PainterTest, VisualStylesPainterWithoutThemesDrawsTheStandardLook) {
  ASSERT_FALSE(dxThemesAvailable());
  using Paint = std::function<void(TcxLookAndFeelPainterClass, TcxCanvas*)>;
  const Paint Paints[] = {
      [](TcxLookAndFeelPainterClass P, TcxCanvas* C) {
        P->PaintButton(C, {0, 0, 30, 20}, S("W"), cxbsNormal);
      },
      [](TcxLookAndFeelPainterClass P, TcxCanvas* C) {
        P->PaintCheckButton(C, {2, 2, 15, 15}, cxbsNormal, true);
      },
      [](TcxLookAndFeelPainterClass P, TcxCanvas* C) {
        P->PaintBorder(C, {0, 0, 30, 20});
      },
      [](TcxLookAndFeelPainterClass P, TcxCanvas* C) {
        P->PaintScrollBarPart(C, false, {0, 0, 16, 16}, sbpLineDown, cxbsPressed);
      },
      [](TcxLookAndFeelPainterClass P, TcxCanvas* C) {
        P->PaintDropDownButton(C, {0, 0, 15, 20}, cxbsNormal, false);
      },
      [](TcxLookAndFeelPainterClass P, TcxCanvas* C) {
        P->PaintFooterBorder(C, {0, 0, 30, 20});
      },
  };
  int Index = 0;
  for (const Paint& Draw : Paints) {
    SCOPED_TRACE(Index++);
    TTestCanvas A(30, 20, clFuchsia), B(30, 20, clFuchsia);
    Draw(Standard(), A.Cx());
    Draw(WinXP(), B.Cx());
    int Differences = 0;
    for (int Y = 0; Y < 20; ++Y)
      for (int X = 0; X < 30; ++X) Differences += A.Pixel(X, Y) != B.Pixel(X, Y);
    EXPECT_EQ(Differences, 0);
    EXPECT_LT(A.Count(clFuchsia), 30 * 20);
  }
}

}  // namespace
