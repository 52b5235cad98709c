// The base of laid-out grid elements: widths, border strips and mouse states.
#include <gtest/gtest.h>

#include "cx/foundation/tests/cxFoundationTestUtil.h"
#include "cx/grid/cxGridCommon.h"

namespace {

class TTestCell : public TcxCustomGridCellViewInfo {
 public:
  explicit TTestCell(TcxCanvas* ACanvas) : canvas_(ACanvas) {}
  TcxBorders BordersToUse;
  bool Hot = true;
  int Clicks = 0;
  int CalculateHeight() override { return 20; }
  int CalculateWidth() override { return 50; }
  TColor GetBorderColor(TcxBorder) override { return clBlack; }
  TcxBorders GetBorders() override { return BordersToUse; }
  int GetBorderWidth(TcxBorder ASide) override { return ASide == bTop || ASide == bBottom ? 2 : 1; }
  TcxCanvas* GetCanvas() override { return canvas_; }
  TClass GetHitTestClass() override { return TcxGridNoneHitTest::StaticClass(); }
  bool HotTrack() override { return Hot; }
  void Click() override { ++Clicks; }

 private:
  TcxCanvas* canvas_;
};

}  // namespace

TEST(CxGridCellViewInfo, WidthMinusOneTakesTheCalculatedWidth) {
  TTestCanvas canvas(100, 100);
  TTestCell cell(canvas.Cx());
  cell.Calculate(3, 4);
  EXPECT_EQ(cell.Bounds, (RECT{3, 4, 53, 24}));
  cell.BeforeRecalculation();
  TTestCell other(canvas.Cx());
  other.Calculate(3, 4, 70, 10);
  EXPECT_EQ(other.Bounds, (RECT{3, 4, 73, 14}));
}

TEST(CxGridCellViewInfo, VerticalBordersOwnTheCornersOnlyBesideHorizontalBorders) {
  TTestCanvas canvas(100, 100);
  // The content moves in by 2 for a top or bottom border; the left strip reaches the edge anyway.
  struct Case {
    TcxBorders borders;
    RECT left;
  };
  for (const Case& c : {Case{{bLeft}, RECT{0, 0, 1, 20}}, Case{{bLeft, bTop}, RECT{0, 0, 1, 20}},
                        Case{{bLeft, bTop, bBottom}, RECT{0, 0, 1, 20}}}) {
    TTestCell cell(canvas.Cx());
    cell.BordersToUse = c.borders;
    cell.Calculate(0, 0);
    EXPECT_EQ(cell.GetBorderBounds(bLeft), c.left);
  }
  TTestCell cell(canvas.Cx());
  cell.BordersToUse = {bLeft, bTop};
  cell.Calculate(0, 0);
  EXPECT_EQ(cell.ContentBounds(), (RECT{1, 2, 50, 20}));
  EXPECT_EQ(cell.GetBorderBounds(bTop), (RECT{1, 0, 50, 2})) << "the top strip spans the content only";
}

TEST(CxGridCellViewInfo, APressedCellClicksOnlyWhenReleasedOverItself) {
  TTestCanvas canvas(100, 100);
  TTestCell cell(canvas.Cx());
  cell.Calculate(0, 0);
  TcxCustomGridHitTest* over = cell.GetHitTest(POINT{5, 5});
  ASSERT_NE(over, nullptr);
  EXPECT_TRUE(cell.MouseDown(over, mbLeft, {}));
  EXPECT_EQ(cell.State(), gcsPressed);
  TcxCustomGridHitTest* away = GetGridHitTest<TcxGridNoneHitTest>(POINT{90, 90});
  cell.MouseMove(away, {});
  EXPECT_EQ(cell.State(), gcsNone) << "away from it without the capture";
  EXPECT_FALSE(cell.MouseUp(away, mbLeft, {}));
  EXPECT_EQ(cell.Clicks, 0);

  cell.MouseDown(cell.GetHitTest(POINT{5, 5}), mbLeft, {});
  EXPECT_TRUE(cell.MouseUp(cell.GetHitTest(POINT{5, 5}), mbLeft, {}));
  EXPECT_EQ(cell.Clicks, 1);
  EXPECT_EQ(cell.State(), gcsNone);

  cell.Hot = false;
  EXPECT_FALSE(cell.MouseDown(cell.GetHitTest(POINT{5, 5}), mbLeft, {}));
  EXPECT_EQ(cell.State(), gcsNone);
}

TEST(CxGridCellViewInfo, TextFlagsFollowAlignmentAndLines) {
  TTestCanvas canvas(100, 100);
  TTestCell cell(canvas.Cx());
  EXPECT_EQ(cell.GetTextAttributes(), cxtfLeft | cxtfTop | cxtfSingleLine);
  EXPECT_EQ(CellStateToButtonState(gcsPressed), cxbsPressed);
  EXPECT_EQ(IncCellTextSize(16), 20);
}
