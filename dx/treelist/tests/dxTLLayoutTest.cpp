#include <gtest/gtest.h>

#include "dx/treelist/dxTLRoutines.h"
#include "dx/treelist/tests/dxTreeListTestSupport.h"

namespace {

// Column widths and minimums given directly, so the sharing rules can be fed any numbers.
class TGeometryTreeList : public TTestTreeList {
 public:
  using TTestTreeList::TTestTreeList;
  std::vector<int> Widths, Mins;
  int GetColumnWidth(int C) override { return C < static_cast<int>(Widths.size()) ? Widths[C] : 0; }
  int GetColumnMinWidth(int C) override { return C < static_cast<int>(Mins.size()) ? Mins[C] : 0; }
};

class DxTLLayoutTest : public DxTreeListTest {
 protected:
  // Bands of the given widths (the header width follows the band, not its columns).
  void SetBands(TTestTreeList* tl, std::initializer_list<int> widths) {
    tl->SetDefaultLayout(false);
    tl->SetOptionFlagsEx(tl->OptionFlagsEx() & ~dxtlox::BandHeaderWidth);
    int i = 0;
    for (int w : widths) {
      TdxTreeListBand* b = i < tl->Bands()->Count() ? tl->Bands()->Items(i) : tl->Bands()->Add();
      b->SetMinWidth(20);
      b->SetWidth(w);
      ++i;
    }
  }
  TdxTreeListColumn* AddColumn(TTestTreeList* tl, int band, int width) {
    TdxTreeListColumn* c = tl->CreateColumn(TdxTreeListColumn::StaticClass());
    c->SetBandIndex(band);
    c->SetWidth(width);
    return c;
  }
};

TEST_F(DxTLLayoutTest, PanelHeightsFromTheFontMetrics) {
  auto* tl = MakeTreeList();
  TFont font;
  font.SetHeight(-13);
  tl->SetBandFont(&font);
  tl->SetShowBands(true);
  EXPECT_EQ(tl->Layout().BandPanelHeight, 1 + 13 + 5);
  tl->SetLookAndFeel(lfFlat);
  EXPECT_EQ(tl->Layout().BandPanelHeight, 13 + 5);
  tl->SetLookAndFeel(lfStandard);
  EXPECT_EQ(tl->Layout().HeaderRowHeight, 11 + 1 + 5);
  EXPECT_EQ(tl->Layout().HeaderPanelHeight, 17);
  tl->SetShowHeader(false);
  EXPECT_EQ(tl->Layout().HeaderPanelHeight, 0);
  TdxTreeListRectInfo areas;
  tl->CalcRectInfo(areas);
  EXPECT_TRUE(IsRectEmpty(&areas.HeaderCorner));
  EXPECT_EQ(tl->Layout().MinRowHeight, 16);
  tl->SetDefaultRowHeight(5);
  EXPECT_EQ(tl->DefaultRowHeight(), 16);
  EXPECT_FALSE(tl->IsDefaultRowHeightStored());
  tl->SetDefaultRowHeight(30);
  EXPECT_EQ(tl->DefaultRowHeight(), 30);
  tl->SetShowGrid(true);
  EXPECT_EQ(tl->Layout().MinRowHeight, 17);
}

TEST_F(DxTLLayoutTest, AFooterTallerThanTheClientLeavesAnEmptyRowsArea) {
  auto* tl = MakeTreeList(200, 30);
  tl->SetShowFooter(true);
  TdxTreeListRectInfo areas;
  tl->CalcRectInfo(areas);
  EXPECT_EQ(areas.Rows.bottom, areas.Rows.top);
}

TEST_F(DxTLLayoutTest, ColumnsShareTheirBandWithMinimums) {
  TForm* f = NewForm<TForm>(nullptr);
  forms_.push_back(f);
  auto* tl = new TGeometryTreeList(f);
  tl->SetParent(f);
  tl->SetBorderStyle(bsNone);
  tl->SetScrollBars(ssNone);
  tl->SetBounds(0, 0, 400, 200);
  f->Show();
  SetBands(tl, {100});
  for (int i = 0; i < 3; ++i) tl->CreateColumn(TdxTreeListColumn::StaticClass());
  tl->Widths = {10, 10, 80};
  tl->Mins = {20, 20, 20};
  TdxTreeListDrawInfo info;
  tl->CalcDrawInfo(info);
  ASSERT_EQ(info.Headers.size(), 3u);
  EXPECT_EQ(info.Headers[0].Rect.right - info.Headers[0].Rect.left, 20);
  EXPECT_EQ(info.Headers[1].Rect.right - info.Headers[1].Rect.left, 20);
  EXPECT_EQ(info.Headers[2].Rect.right - info.Headers[2].Rect.left, 60);
}

TEST_F(DxTLLayoutTest, AutomaticWidthSharesTheClientByNaturalWidths) {
  auto* tl = MakeTreeList(800, 200);
  SetBands(tl, {100, 100, 200});
  tl->SetOptionFlags(tl->OptionFlags() | dxtlo::AutoWidth);
  EXPECT_EQ(tl->GetBandWidth(0), 200);
  EXPECT_EQ(tl->GetBandWidth(1), 200);
  EXPECT_EQ(tl->GetBandWidth(2), 400);
  EXPECT_EQ(tl->GetBandsWidth(), 800);
}

TEST_F(DxTLLayoutTest, HeaderCellsOfABandsLastRowReachDownAsFarAsAllowed) {
  auto* tl = MakeTreeList();
  SetBands(tl, {200, 200});
  tl->SetHeaderPanelRowCount(3);
  TdxTreeListColumn* single = AddColumn(tl, 0, 100);
  TdxTreeListColumn* top = AddColumn(tl, 1, 100);
  TdxTreeListColumn* bottom = AddColumn(tl, 1, 100);
  bottom->SetRowIndex(1);
  struct TCase {
    int maxLines, expected;
  } cases[] = {{0, 3}, {2, 2}, {5, 3}, {1, 1}};
  for (const TCase& c : cases) {
    single->SetHeaderMaxLineCount(c.maxLines);
    EXPECT_EQ(tl->GetHeaderRowSpan(0, 0, 0), c.expected) << "max lines " << c.maxLines;
  }
  (void)top;
  EXPECT_EQ(tl->GetHeaderRowSpan(1, 0, 0), 1);  // not the band's last header row
}

// Two bands of 150 at x 12 (after the indicator): columns 0 and 1 of 75 in band 0, column 2 in band 1.
class DxTLHitTestTest : public DxTLLayoutTest {
 protected:
  TTestTreeList* Sample() {
    auto* tl = MakeTreeList(400, 300);
    SetBands(tl, {150, 150});
    AddColumn(tl, 0, 75);
    AddColumn(tl, 0, 75);
    AddColumn(tl, 1, 150);
    tl->SetShowBands(true);
    tl->SetShowIndicator(true);
    root_ = AddText(tl, nullptr, "root");
    child_ = AddText(tl, root_, "child");
    root_->SetExpanded(true);
    return tl;
  }
  TdxTreeListNode *root_ = nullptr, *child_ = nullptr;
};

TEST_F(DxTLHitTestTest, PointsAreClassifiedInOrder) {
  auto* tl = Sample();
  // Band panel 0..17, header panel 17..34, rows from 34, 16 high.
  struct TCase {
    int x, y;
    TdxTreeListHitKind kind;
    int band, column, row;
  } cases[] = {
      {-1, 5, tlhOutside, -1, -1, -1},      {1, 5, tlhBandButton, -1, -1, -1},
      {50, 5, tlhBand, 0, -1, -1},          {159, 5, tlhBandEdge, 0, -1, -1},
      {164, 5, tlhBandEdge, 0, -1, -1},     {200, 5, tlhBand, 1, -1, -1},
      {5, 25, tlhHeaderButton, -1, -1, -1}, {84, 25, tlhHeaderEdge, 0, 0, -1},
      {89, 25, tlhHeaderEdge, 0, 0, -1},    {100, 25, tlhHeader, 0, 1, -1},
      {159, 25, tlhBandEdge, 0, 1, -1},     {5, 40, tlhIndicator, -1, -1, 0},
      {18, 40, tlhButton, -1, -1, 0},       {20, 57, tlhIndent, -1, -1, 1},
      {100, 40, tlhCell, 0, 1, 0},          {250, 57, tlhCell, 1, 2, 1},
      {350, 40, tlhRowRight, -1, -1, 0},    {100, 290, tlhNowhere, -1, -1, -1},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(std::to_string(c.x) + "," + std::to_string(c.y));
    TdxTreeListHitInfo hit;
    tl->GetHitInfo(POINT{c.x, c.y}, hit);
    EXPECT_EQ(hit.HitKind, c.kind);
    EXPECT_EQ(hit.Band, c.band);
    EXPECT_EQ(hit.Column, c.column);
    EXPECT_EQ(hit.RowIndex, c.row);
  }
  EXPECT_EQ(tl->GetNodeAt(100, 57), child_);
  EXPECT_EQ(tl->GetNodeAt(100, 290), nullptr);
}

TEST_F(DxTLHitTestTest, SwitchedOffSizingLeavesPlainHeadersAndButtons) {
  auto* tl = Sample();
  tl->SetOptionFlagsEx(tl->OptionFlagsEx() & ~dxtlox::BandSizing);
  EXPECT_EQ(tl->GetHitKindAt(159, 5), tlhBand);
  EXPECT_EQ(tl->GetHitKindAt(159, 25), tlhHeader);
  tl->SetShowButtons(false);
  EXPECT_EQ(tl->GetHitKindAt(18, 40), tlhIndent);
  tl->SetOptionFlagsEx(tl->OptionFlagsEx() | dxtlox::RowSizing);
  EXPECT_EQ(tl->GetHitKindAt(5, 48), tlhRowEdge);
  TdxTreeListHitInfo hit;
  tl->GetHitInfo(POINT{5, 34 + 32 + 2}, hit);  // 2 pixels below the last row, in the indicator
  EXPECT_EQ(hit.HitKind, tlhRowEdge);
  EXPECT_EQ(hit.Node, child_);
}

TEST_F(DxTLHitTestTest, WithoutVisibleBandsNothingIsHit) {
  auto* tl = Sample();
  tl->Bands()->Items(0)->SetVisible(false);
  tl->Bands()->Items(1)->SetVisible(false);
  EXPECT_EQ(tl->GetHitKindAt(100, 25), tlhNowhere);
  EXPECT_EQ(tl->GetHitKindAt(100, 40), tlhNowhere);
}

class DxTLScrollTest : public DxTLLayoutTest {};

TEST_F(DxTLScrollTest, LeftCoordStaysInsideTheScrollableBands) {
  auto* tl = MakeTreeList(400, 200);
  SetBands(tl, {300, 300});
  int changes = 0;
  tl->OnChangeLeftCoord = [&](TObject*) { ++changes; };
  tl->SetLeftCoord(-5);
  EXPECT_EQ(tl->LeftCoord(), 0);
  tl->SetLeftCoord(1000);
  EXPECT_EQ(tl->LeftCoord(), 200);
  EXPECT_EQ(changes, 1);
  tl->MakeBandVisible(0);
  EXPECT_EQ(tl->LeftCoord(), 0);
}

TEST_F(DxTLScrollTest, TopIndexPastTheEndLeavesTheLastRowAtTheBottom) {
  auto* tl = MakeTreeList(400, 300);
  tl->BeginUpdate();
  for (int i = 0; i < 100; ++i) tl->Add();
  tl->EndUpdate();
  // Rows area: 300 - 17 = 283 pixels, 17 whole rows of 16.
  tl->SetTopIndex(1000);
  EXPECT_EQ(tl->GetTopIndex(), 83);
  int min, max, pos, page;
  tl->GetVScrollInfo(min, max, pos, page);
  EXPECT_EQ(min, 0);
  EXPECT_EQ(max, 99);
  EXPECT_EQ(pos, 83);
  EXPECT_EQ(page, 17);
  tl->SetTopIndex(-4);
  EXPECT_EQ(tl->GetTopIndex(), 0);
  tl->SetFocusedAbsoluteIndex(50);
  EXPECT_EQ(tl->GetTopIndex(), 34);  // scrolled just enough to show row 50 whole at the bottom
}

TEST_F(DxTLScrollTest, BarsThatOnlyKeepEachOtherAreRemoved) {
  auto* tl = MakeTreeList(200, 200);
  tl->SetScrollBars(ssBoth);
  int vbar = GetSystemMetrics(SM_CXVSCROLL);
  auto style = [&] {
    return static_cast<DWORD>(GetWindowLong(tl->Handle(), GWL_STYLE)) & (WS_HSCROLL | WS_VSCROLL);
  };
  // Both bars shown for a wide band and many rows.
  SetBands(tl, {400});
  int fitting = (200 - 17) / 16;  // rows that fit only without a horizontal bar
  tl->BeginUpdate();
  for (int i = 0; i < fitting + 5; ++i) tl->Add();
  tl->EndUpdate();
  ASSERT_EQ(style(), WS_HSCROLL | WS_VSCROLL);
  // Now the band fits only without the vertical bar and the rows only without the horizontal one.
  tl->BeginUpdate();
  tl->Bands()->Items(0)->SetWidth(200 - vbar / 2);
  for (int i = 0; i < 5; ++i) delete tl->GetItem(tl->GetCount() - 1);
  tl->EndUpdate();
  EXPECT_EQ(style(), 0u);
}

}  // namespace

namespace {

class DxTLHotTrackTest : public DxTLHitTestTest {};

TEST_F(DxTLHotTrackTest, TheHotCellAndHeaderFollowTheHitTest) {
  auto* tl = Sample();
  TdxTreeListHitInfo hit;
  tl->GetHitInfo(POINT{100, 40}, hit);
  tl->DoHotTrack(hit);
  EXPECT_EQ(tl->HotTrackInfo().Node, nullptr);  // hot tracking is off
  tl->SetOptionFlagsEx(tl->OptionFlagsEx() | dxtlox::HotTrack);
  int events = 0;
  tl->OnHotTrackNode = [&](TObject*, const TdxTreeListHotTrackInfo&, TCursor&) { ++events; };
  tl->DoHotTrack(hit);
  EXPECT_EQ(tl->HotTrackInfo().Node, root_);
  EXPECT_EQ(tl->HotTrackInfo().Column, 1);
  EXPECT_TRUE(tl->IsHotTrackedCell(root_, 1));
  tl->DoHotTrack(hit);
  EXPECT_EQ(events, 1);
  // A header: the right 15 pixels of a header at least 16 wide are the filter-button zone.
  tl->GetHitInfo(POINT{150, 25}, hit);
  ASSERT_EQ(hit.HitKind, tlhHeader);
  tl->DoHotTrack(hit);
  EXPECT_EQ(tl->HotTrackInfo().Node, nullptr);
  EXPECT_EQ(tl->HotTrackInfo().Column, 1);
  EXPECT_EQ(tl->HotTrackInfo().HeaderPart, 2);
  tl->GetHitInfo(POINT{100, 25}, hit);
  tl->DoHotTrack(hit);
  EXPECT_EQ(tl->HotTrackInfo().HeaderPart, 1);
  EXPECT_EQ(events, 2);
  // Deleting the hot node forgets it.
  tl->GetHitInfo(POINT{100, 57}, hit);
  tl->DoHotTrack(hit);
  EXPECT_EQ(tl->HotTrackInfo().Node, child_);
  delete child_;
  EXPECT_EQ(tl->HotTrackInfo().Node, nullptr);
}

}  // namespace

namespace {

TEST(DxTLThumbLeftCoord, RoundsToFourPixelStepsButReachesTheEnd) {
  struct Case {
    int pos, area, bands, expected;
  } cases[] = {
      {-3, 400, 600, 0},    {0, 400, 600, 0},     {1, 400, 600, 0},      {50, 400, 600, 48},
      {51, 400, 600, 52},   {198, 400, 600, 196}, {199, 400, 601, 200},  {200, 400, 601, 201},  // the last step is not rounded
      {600, 400, 600, 600}, {900, 400, 600, 600},
  };
  for (const Case& c : cases)
    EXPECT_EQ(TCustomdxTreeList::ThumbLeftCoord(c.pos, c.area, c.bands), c.expected) << "pos " << c.pos;
}

}  // namespace

TEST_F(DxTLScrollTest, ScrollBarMessagesMoveTheView) {
  auto* tl = MakeTreeList(400, 300);
  SetBands(tl, {300, 300});
  AddColumn(tl, 0, 300);
  AddColumn(tl, 1, 300);
  tl->BeginUpdate();
  for (int i = 0; i < 100; ++i) tl->Add();
  tl->EndUpdate();
  auto hscroll = [&](WORD code, int pos = 0) {
    SendMessage(tl->Handle(), WM_HSCROLL, MAKEWPARAM(code, static_cast<WORD>(pos)), 0);
    return tl->LeftCoord();
  };
  auto vscroll = [&](WORD code, int pos = 0) {
    SendMessage(tl->Handle(), WM_VSCROLL, MAKEWPARAM(code, static_cast<WORD>(pos)), 0);
    return tl->GetTopIndex();
  };
  int digit = FontDigitWidth(tl->Font());
  ASSERT_GT(digit, 0);
  EXPECT_EQ(hscroll(SB_LINERIGHT), digit);
  EXPECT_EQ(hscroll(SB_LINELEFT), 0);
  EXPECT_EQ(hscroll(SB_PAGERIGHT), 200);  // clamped at the end
  EXPECT_EQ(hscroll(SB_THUMBTRACK, 50), 48);
  EXPECT_EQ(hscroll(SB_THUMBPOSITION, 198), 196);
  EXPECT_EQ(hscroll(SB_ENDSCROLL), 196);
  EXPECT_EQ(hscroll(SB_THUMBTRACK, -7), 0);
  EXPECT_EQ(hscroll(SB_RIGHT), 200);
  EXPECT_EQ(hscroll(SB_LEFT), 0);

  // 17 whole rows of 16 in the 283-pixel rows area.
  EXPECT_EQ(vscroll(SB_LINEDOWN), 1);
  EXPECT_EQ(vscroll(SB_PAGEDOWN), 18);
  EXPECT_EQ(vscroll(SB_PAGEUP), 1);
  EXPECT_EQ(vscroll(SB_LINEUP), 0);
  EXPECT_EQ(vscroll(SB_THUMBTRACK, 40), 40);
  EXPECT_EQ(vscroll(SB_ENDSCROLL), 40);
  EXPECT_EQ(vscroll(SB_THUMBPOSITION, 5000), 83);
  EXPECT_EQ(vscroll(SB_TOP), 0);
  EXPECT_EQ(vscroll(SB_BOTTOM), 83);
}

TEST_F(DxTLScrollTest, WithoutVisibleColumnsHorizontalScrollingIsIgnored) {
  auto* tl = MakeTreeList(400, 300);
  SetBands(tl, {300, 300});
  SendMessage(tl->Handle(), WM_HSCROLL, MAKEWPARAM(SB_RIGHT, 0), 0);
  EXPECT_EQ(tl->LeftCoord(), 0);
}
