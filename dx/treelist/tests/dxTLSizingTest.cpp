// Sizing a band, the band panel, the header panel and the rows through simulated input: the limits
// and snapping of the sizing line, the line on the pixels while sizing and none after, and the widths
// and counts the release sets.
#include "dx/treelist/tests/dxTreeListTestSupport.h"
#include "platform/win/Input.h"

namespace {

class DxTLSizingTest : public DxTreeListTest {
 public:
  static void Drag(POINT From, POINT To) {
    SimulateMouseDown(TSimButton::Left, From);
    Pump();
    SimulateMouseMove(To);
    Pump();
  }
  static void Release(POINT At) {
    SimulateMouseUp(TSimButton::Left, At);
    Pump();
  }
  static COLORREF ClientPixel(TCustomdxTreeList* tl, int X, int Y) { return ScreenPixel(ToScreen(tl, X, Y)); }
};

TEST_F(DxTLSizingTest, SizingABandDrawsTwoLinesAndScalesItsColumns) {
  auto* tl = MakeThreeBands();
  tl->SetOptionFlagsEx(tl->OptionFlagsEx() | dxtlox::BandSizing);
  Pump();
  const RECT band = DrawInfo(tl).Bands[0].Rect;
  const int y = DrawInfo(tl).Areas.Rows.top + 30;
  COLORREF under = ClientPixel(tl, band.right + 30, y);
  POINT edge = ToScreen(tl, band.right - 2, (band.top + band.bottom) / 2);
  Drag(edge, POINT{edge.x + 30, edge.y});
  ASSERT_EQ(tl->State(), tsBandSizing);
  const int line = band.right - 2 + 30;
  EXPECT_EQ(tl->SizingLine(), line);
  KeepCheckedScreen("sizing");
  EXPECT_EQ(ClientPixel(tl, line, y), ~under & 0xFFFFFF);
  EXPECT_EQ(ClientPixel(tl, line + 1, y), ~under & 0xFFFFFF) << "two adjacent lines";
  // Not narrower than the band's minimum.
  SimulateMouseMove(ToScreen(tl, 5, edge.y - ToScreen(tl, 0, 0).y));
  Pump();
  EXPECT_EQ(tl->SizingLine(), band.left + tl->GetBandMinWidth(0));
  SimulateMouseMove(POINT{edge.x + 30, edge.y});
  Pump();
  Release(POINT{edge.x + 30, edge.y});
  EXPECT_EQ(tl->State(), tsNormal);
  EXPECT_EQ(tl->Bands()->Items(0)->Width(), line - band.left + 2);
  EXPECT_EQ(tl->GetColumn(0)->Width(), 75 * (line - band.left + 2) / 150);
  KeepCheckedScreen("sized");
  EXPECT_TRUE(ScreenIsRepainted(tl)) << "no sizing line left";
}

// Without band-width columns a sized column takes its width from the columns after it (the last
// one from those before it); with them, the band grows with the column.
TEST_F(DxTLSizingTest, ASizedColumnSharesItsRowOrMovesItsBandEdge) {
  auto* tl = MakeThreeBands();
  AddText(tl, nullptr, "four");
  TdxTreeListColumn* c5 = tl->CreateColumn(TdxTreeListColumn::StaticClass());
  c5->SetBandIndex(0);
  c5->SetWidth(50);
  tl->GetColumn(0)->SetWidth(50);
  tl->GetColumn(1)->SetWidth(50);
  Pump();
  auto widths = [&] {
    std::vector<int> w;
    for (int c : {0, 1, 5}) w.push_back(tl->GetColumn(c)->Width());
    return w;
  };
  const TdxTreeListDrawInfo info = DrawInfo(tl);
  const TdxTreeListHeaderItem* c0 = info.FindHeader(0);
  ASSERT_EQ(c0->Rect.right - c0->Rect.left, 50);
  POINT edge = ToScreen(tl, c0->Rect.right - 2, (c0->Rect.top + c0->Rect.bottom) / 2);
  Drag(edge, POINT{edge.x + 20, edge.y});
  ASSERT_EQ(tl->State(), tsColumnSizing);
  Release(POINT{edge.x + 20, edge.y});
  // 69 wide: the two after it share the 81 left in proportion (40.5 rounds up, the last takes the rest).
  EXPECT_EQ(widths(), (std::vector<int>{69, 41, 40}));
  tl->ApplyColumnSizing(5, 61);  // the last: those before it share 89 (69 and 41 of 110)
  EXPECT_EQ(widths(), (std::vector<int>{56, 33, 61}));
  EXPECT_EQ(tl->Bands()->Items(0)->Width(), 150) << "the band keeps its width";
  // Band-width columns: the band follows the column, the others keep their widths.
  tl->SetOptionFlagsEx(tl->OptionFlagsEx() | dxtlox::BandHeaderWidth);
  Pump();
  tl->ApplyColumnAndBandSizing(0, 83);
  EXPECT_EQ(widths(), (std::vector<int>{83, 33, 61}));
  EXPECT_EQ(tl->GetBandWidth(0), 150 + 83 - 56);
}

// With automatic width the other bands give up or take the difference.
TEST_F(DxTLSizingTest, AutomaticWidthRedistributesAmongTheOtherBands) {
  auto* tl = MakeThreeBands(600, 200);
  tl->Bands()->Items(0)->SetWidth(120);
  tl->Bands()->Items(1)->SetWidth(240);
  tl->Bands()->Items(2)->SetWidth(240);
  tl->SetOptionFlags(tl->OptionFlags() | dxtlo::AutoWidth);
  Pump();
  ASSERT_EQ(tl->GetBandWidth(2), 240);
  tl->SetBandAutoWidth(1, 270);  // the middle one 30 wider: the last gives 30
  EXPECT_EQ(tl->GetBandWidth(0), 120);
  EXPECT_EQ(tl->GetBandWidth(1), 270);
  EXPECT_EQ(tl->GetBandWidth(2), 210);
  tl->SetBandAutoWidth(2, 240);  // the last one 30 wider: the first two give in proportion
  EXPECT_EQ(tl->GetBandWidth(0), 120 - 30 * 120 / 390);
  EXPECT_EQ(tl->GetBandWidth(0) + tl->GetBandWidth(1) + tl->GetBandWidth(2), 600);
  EXPECT_EQ(tl->GetBandWidth(2), 240);
}

// The band panel snaps to the nearest whole number of band rows.
TEST_F(DxTLSizingTest, TheBandPanelSnapsToWholeRows) {
  auto* tl = MakeThreeBands();
  tl->SetOptionFlagsEx(tl->OptionFlagsEx() | dxtlox::BandPanelSizing);
  Pump();
  const int top = DrawInfo(tl).Areas.BandPanel.top;
  auto bottom = [&](int n) { return top + tl->GetBandPanelHeight(n); };
  struct TCase {
    int y;
    int line, rows;
  };
  const int mid23 = (bottom(2) + bottom(3)) / 2;
  const TCase cases[] = {
      {top, bottom(1), 1},          {bottom(2) + 1, bottom(2), 2}, {mid23 - 1, bottom(2), 2},
      {mid23, bottom(3), 3},        {bottom(3), bottom(3), 3},     {2000, bottom(5), 5},
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(tl->SnapBandPanelSizing(c.y), c.line) << c.y - top;
    EXPECT_EQ(tl->BandRowCountAt(tl->SnapBandPanelSizing(c.y)), c.rows) << c.y - top;
  }
  // Through the mouse: pressed on the panel's bottom edge, released between 2 and 3 rows nearer 3.
  const RECT panel = DrawInfo(tl).Areas.BandPanel;
  POINT edge = ToScreen(tl, 200, panel.bottom - 1);
  Drag(edge, ToScreen(tl, 200, mid23 + 2));
  ASSERT_EQ(tl->State(), tsBandPanelSizing);
  EXPECT_EQ(tl->SizingLine(), bottom(3));
  KeepCheckedScreen("sizing");
  Release(ToScreen(tl, 200, mid23 + 2));
  EXPECT_EQ(tl->BandRowCount(), 3);
  EXPECT_TRUE(ScreenIsRepainted(tl));
}

TEST_F(DxTLSizingTest, TheHeaderPanelTakesTheNearestRowCount) {
  auto* tl = MakeThreeBands();
  tl->SetOptionFlagsEx(tl->OptionFlagsEx() | dxtlox::HeaderPanelSizing);
  Pump();
  const RECT panel = DrawInfo(tl).Areas.HeaderPanel;
  const int h = tl->Layout().HeaderRowHeight;
  POINT edge = ToScreen(tl, 200, panel.bottom - 1);
  Drag(edge, ToScreen(tl, 200, panel.top + 2 * h + h / 2 - 1));
  ASSERT_EQ(tl->State(), tsHeaderPanelSizing);
  EXPECT_EQ(tl->SizingLine(), panel.top + 2 * h);
  Release(ToScreen(tl, 200, panel.top + 2 * h + h / 2 - 1));
  EXPECT_EQ(tl->HeaderPanelRowCount(), 2);
}

// A row edge in the indicator sizes every row (the line marks the rows' new last pixel row); Esc
// leaves the height and no line.
TEST_F(DxTLSizingTest, SizingARowSetsTheDefaultRowHeight) {
  auto* tl = MakeThreeBands();
  tl->SetShowIndicator(true);
  tl->SetOptionFlagsEx(tl->OptionFlagsEx() | dxtlox::RowSizing);
  Pump();
  RECT row;
  tl->GetNodeRect(tl->GetItem(0), row);
  const RECT indicator = DrawInfo(tl).Areas.Indicator;
  const int x = (indicator.left + indicator.right) / 2;
  const int height = row.bottom - row.top;
  POINT edge = ToScreen(tl, x, row.bottom - 1);
  Drag(edge, ToScreen(tl, x, row.bottom + 9));
  ASSERT_EQ(tl->State(), tsRowSizing);
  EXPECT_EQ(tl->SizingLine(), row.bottom + 9);
  Release(ToScreen(tl, x, row.bottom + 9));
  tl->GetNodeRect(tl->GetItem(1), row);
  EXPECT_EQ(row.bottom - row.top, height + 9) << "every row";
  // Upwards the line stops at the minimum row height.
  tl->GetNodeRect(tl->GetItem(0), row);
  edge = ToScreen(tl, x, row.bottom - 1);
  clock_->Advance(GetDoubleClickTime() + 1);
  Drag(edge, ToScreen(tl, x, row.top + 2));
  EXPECT_EQ(tl->SizingLine(), row.top + tl->GetRowHeight(tl->GetItem(0), tl->Layout().MinRowHeight, true));
  KeepCheckedScreen("sizing");
  SimulateKeyDown(VK_ESCAPE);
  SimulateKeyUp(VK_ESCAPE);
  Pump();
  EXPECT_EQ(tl->State(), tsNormal);
  EXPECT_TRUE(ScreenIsRepainted(tl)) << "Esc leaves no line";
  Release(ToScreen(tl, x, row.top + 2));
  tl->GetNodeRect(tl->GetItem(1), row);
  EXPECT_EQ(row.bottom - row.top, height + 9);
}

}  // namespace
