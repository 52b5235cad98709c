// Master rows of a people view over SQLite with each person's courses as details: the expand
// button strip, the detail view laid out under the row's cells on the master's site, expanding and
// collapsing by mouse and keys, the detail tabs; checked on the screen's pixels.
#include "cx/grid/cxGridMasterRowViewInfo.h"
#include "cx/grid/cxGridTableController.h"
#include "cx/grid/cxGridTableRows.h"
#include "cx/grid/tests/cxGridDBTestUtil.h"
#include "platform/display/testing/CheckedScreens.h"
#include "platform/forms/Colors.h"

class CxGridMasterRowsTest : public CxGridDBTableViewTest {
 protected:
  void SetUp() override {
    CxGridDBTableViewTest::SetUp();
    pattern_ = AddEducationDetail();
    // The details here fit their rows: no scroll bars take room from them.
    pattern_->OptionsView()->SetScrollBars(ssNone);
    grid_->SetBounds(0, 0, 360, 260);
    view_->OptionsView()->SetScrollBars(ssNone);
    view_->OptionsView()->SetGroupByBox(false);
    form_->Show();
    Pump();
  }

  TcxGridTableViewInfo* ViewInfo() { return static_cast<TcxGridTableViewInfo*>(view_->ViewInfo()); }
  TcxGridRowsViewInfo* Rows() { return ViewInfo()->RowsViewInfo(); }
  TcxGridMasterDataRowViewInfo* MasterRow(int AIndex) {
    return dynamic_cast<TcxGridMasterDataRowViewInfo*>(Rows()->Items(AIndex));
  }
  TcxGridMasterDataRow* Record(int AIndex) {
    return static_cast<TcxGridMasterDataRow*>(view_->ViewData()->Records(AIndex));
  }
  TColor At(int X, int Y) { return ScreenPixel(view_->Site(), X, Y); }
  static TColor Rgb(TColor AColor) { return ColorToRGB(AColor); }
  static POINT Centre(const RECT& R) { return POINT{(R.left + R.right) / 2, (R.top + R.bottom) / 2}; }
  void ClickExpandButton(int ARow) {
    const POINT p = Centre(MasterRow(ARow)->ExpandButtonBounds);
    Click(view_->Site(), p.x, p.y);
  }

  TcxGridDBTableView* pattern_ = nullptr;
};

TEST_F(CxGridMasterRowsTest, ACollapsedMasterRowShowsItsExpandButtonInAStripLeftOfTheCells) {
  TcxGridMasterDataRowViewInfo* row = MasterRow(0);
  ASSERT_NE(row, nullptr) << "a view with a detail level lays its rows out as master rows";
  const int indent = ViewInfo()->LevelIndent();
  const RECT strip = row->ExpandButtonCell()->Bounds;
  EXPECT_EQ(strip.left, row->Bounds.left);
  EXPECT_EQ(strip.right, row->Bounds.left + indent);
  EXPECT_EQ(row->GetCellsAreaLeft(), strip.right);
  EXPECT_EQ(row->Cells(0)->Bounds.left, strip.right) << "the first column's cell starts right of the strip";
  EXPECT_EQ(row->Height(), Rows()->DataRowHeight()) << "collapsed: no room for details";
  const RECT button = row->ExpandButtonBounds;
  EXPECT_EQ(button.left, strip.left + ViewInfo()->ExpandButtonIndent());
  EXPECT_LT(button.top, button.bottom);
  EXPECT_FALSE(row->DetailsSiteVisible());
  EXPECT_EQ(pattern_->CloneCount(), 0) << "nothing is made for a collapsed row";
  // The button's frame is drawn in the strip.
  int frame = 0;
  for (int x = button.left; x < button.right; ++x) frame += At(x, button.top) != At(strip.left, strip.top);
  EXPECT_GT(frame, 0);
  EXPECT_TRUE(KeepCheckedScreen());
}

TEST_F(CxGridMasterRowsTest, AClickOnTheButtonShowsTheDetailViewUnderTheCellsAndASecondHidesIt) {
  const int dataHeight = MasterRow(0)->Height();
  ClickExpandButton(0);
  ASSERT_TRUE(Record(0)->Expanded());
  ASSERT_EQ(pattern_->CloneCount(), 1);
  auto* detail = static_cast<TcxGridDBTableView*>(pattern_->Clones(0));
  EXPECT_EQ(view_->Controller()->FocusedRecordIndex(), 0) << "the button's click does not focus another row";

  TcxGridMasterDataRowViewInfo* row = MasterRow(0);
  ASSERT_TRUE(row->DetailsSiteVisible());
  const RECT site = row->DetailsSite()->Bounds;
  const RECT strip = row->ExpandButtonCell()->Bounds;
  EXPECT_EQ(site.left, strip.right) << "the details stand right of the strip";
  EXPECT_EQ(site.top, row->Bounds.top + row->GetContentHeight());
  EXPECT_EQ(row->GetContentHeight(), dataHeight);
  EXPECT_EQ(row->Height(), dataHeight + (site.bottom - site.top));
  EXPECT_EQ(strip.bottom, site.bottom) << "the strip runs down beside the details";
  EXPECT_EQ(MasterRow(1)->Bounds.top, row->Bounds.bottom) << "the next row moves down under the details";

  // The detail's own site is a child of the master's, placed in the details' client area.
  TcxGridSite* detailSite = detail->Site();
  EXPECT_EQ(detailSite->Parent(), view_->Site());
  const RECT client = row->DetailsSite()->GetClientBounds();
  EXPECT_EQ(detailSite->Left(), client.left);
  EXPECT_EQ(detailSite->Top(), client.top);
  EXPECT_EQ(detail->ViewInfo()->Bounds.right - detail->ViewInfo()->Bounds.left, client.right - client.left);
  // Orlova's two courses and nothing more: the site is as high as the detail's rows need.
  EXPECT_EQ(detail->ViewData()->RecordCount(), 2);
  EXPECT_EQ(detail->ViewInfo()->Bounds.bottom - detail->ViewInfo()->Bounds.top, client.bottom - client.top);
  auto* detailInfo = static_cast<TcxGridTableViewInfo*>(detail->ViewInfo());
  EXPECT_EQ(detailInfo->VisibleRecordCount(), 2);
  // On the screen: the detail's first data cell shows in the content colour at its place.
  const RECT cell = static_cast<TcxGridDataRowViewInfo*>(detailInfo->RowsViewInfo()->Items(1))->Cells(1)->Bounds;
  EXPECT_EQ(ScreenPixel(detailSite, cell.right - 3, cell.top + 2), Rgb(clWindow));
  EXPECT_TRUE(KeepCheckedScreen("expanded"));

  ClickExpandButton(0);
  EXPECT_FALSE(Record(0)->Expanded());
  EXPECT_FALSE(MasterRow(0)->DetailsSiteVisible());
  EXPECT_EQ(MasterRow(0)->Height(), dataHeight);
  EXPECT_NE(detailSite->Parent(), view_->Site()) << "a collapsed row leaves no detail on the master's site";
  EXPECT_TRUE(KeepCheckedScreen("collapsed"));
}

TEST_F(CxGridMasterRowsTest, KeysExpandAndCollapseTheFocusedMasterRow) {
  view_->Site()->SetFocus();
  Pump();
  ASSERT_EQ(view_->Controller()->FocusedRecordIndex(), 0);
  Key(VK_ADD);
  EXPECT_TRUE(Record(0)->Expanded());
  EXPECT_TRUE(MasterRow(0)->DetailsSiteVisible());
  EXPECT_FALSE(view_->Controller()->IsEditing()) << "the key's character opens no editor in the rebuilt row";
  Key(VK_SUBTRACT);
  EXPECT_FALSE(Record(0)->Expanded());
  EXPECT_FALSE(MasterRow(0)->DetailsSiteVisible());
  EXPECT_FALSE(view_->Controller()->IsEditing());
}

TEST_F(CxGridMasterRowsTest, DetailsTakeNoMoreThanTheRoomBelowTheRowAndTheLevelsMaximum) {
  Record(0)->SetExpanded(true);
  Pump();
  const int full = MasterRow(0)->DetailsSite()->Bounds.bottom - MasterRow(0)->DetailsSite()->Bounds.top;
  grid_->RootLevel()->Items(0)->SetMaxDetailHeight(full - 10);
  Pump();
  EXPECT_EQ(MasterRow(0)->DetailsSite()->Bounds.bottom - MasterRow(0)->DetailsSite()->Bounds.top, full - 10);

  grid_->RootLevel()->Items(0)->SetMaxDetailHeight(0);
  grid_->SetBounds(0, 0, 360, 90);
  Pump();
  const RECT rows = Rows()->ContentBounds;
  EXPECT_LE(MasterRow(0)->Bounds.bottom, rows.bottom) << "a row near the bottom keeps its details inside the rows";
}

TEST_F(CxGridMasterRowsTest, WithTwoDetailLevelsTheTabsSwitchTheDetailView) {
  // A second detail: the same courses under another caption.
  auto* second = new TcxGridDBTableView(form_);
  TcxGridLevel* secondLevel = grid_->RootLevel()->Items(0)->AddLevel();
  secondLevel->SetGridView(second);
  second->Assign(pattern_);
  TcxGridLevel* masterLevel = grid_->RootLevel()->Items(0);
  masterLevel->Items(0)->SetCaption(u"Courses");
  secondLevel->SetCaption(u"Again");
  masterLevel->Options()->SetDetailTabsPosition(dtpTop);
  Record(0)->SetExpanded(true);
  Pump();

  TcxGridDetailsSiteViewInfo* site = MasterRow(0)->DetailsSite();
  ASSERT_NE(site->TabsViewInfo(), nullptr);
  ASSERT_EQ(site->TabsViewInfo()->Count(), 2);
  const int active = Record(0)->ActiveDetailIndex();
  const int other = 1 - active;
  EXPECT_EQ(site->GetActiveLevel(), masterLevel->Items(active));
  TcxGridDBTableView* views[] = {pattern_, second};
  ASSERT_EQ(views[active]->CloneCount(), 1);
  EXPECT_EQ(views[active]->Clones(0)->Site()->Parent(), view_->Site());
  const RECT tab = site->TabsViewInfo()->Items(other)->Bounds;
  EXPECT_GE(tab.top, site->Bounds.top);
  EXPECT_LT(tab.bottom, site->GetClientBounds().top + 1) << "top tabs stand above the detail";
  const POINT p = Centre(tab);
  Click(view_->Site(), p.x, p.y);
  EXPECT_EQ(Record(0)->ActiveDetailIndex(), other);
  EXPECT_EQ(MasterRow(0)->DetailsSite()->GetActiveLevel(), masterLevel->Items(other));
  ASSERT_EQ(views[other]->CloneCount(), 1);
  EXPECT_EQ(views[other]->Clones(0)->Site()->Parent(), view_->Site());
  EXPECT_NE(views[active]->Clones(0)->Site()->Parent(), view_->Site()) << "the first detail gave its place up";
  EXPECT_TRUE(KeepCheckedScreen());
}

TEST_F(CxGridMasterRowsTest, MakingADetailRecordVisibleBringsItsMasterRowIntoView) {
  Record(0)->SetExpanded(true);
  Pump();
  ASSERT_EQ(pattern_->CloneCount(), 1);
  auto* detail = static_cast<TcxGridDBTableView*>(pattern_->Clones(0));
  grid_->SetBounds(0, 0, 360, 80);
  view_->Controller()->SetTopRecordIndex(3);
  Pump();
  ASSERT_EQ(view_->Controller()->TopRecordIndex(), 3);
  detail->Controller()->MakeRecordVisible(detail->ViewData()->Records(1));
  Pump();
  EXPECT_EQ(view_->Controller()->TopRecordIndex(), 0) << "the master row of the detail's record";
}
