// The grid's top-level tabs on a form: geometry, clicks and drag opening, on the screen's pixels.
#include "cx/grid/cxGridDetailsSite.h"
#include "cx/grid/tests/cxGridTestUtil.h"
#include "platform/forms/ExtCtrls.h"

class CxGridTabsTest : public CxGridTest {
 protected:
  void SetUp() override {
    CxGridTest::SetUp();
    grid_->Font()->SetName(kFixedTestFontName);
    grid_->Font()->SetHeight(-16);
    const char16_t* captions[] = {u"One", u"Two", u"Three"};
    const char16_t* names[] = {u"View1", u"View2", u"View3"};
    for (int i = 0; i < 3; ++i) {
      views_[i] = AddTopView(names[i], &levels_[i]);
      levels_[i]->SetCaption(captions[i]);
    }
    grid_->OnActiveTabChanged = [this](TcxCustomGrid*, TcxGridLevel* ALevel) { tabChanges_.push_back(ALevel); };
    grid_->RootLevelOptions()->SetDetailTabsPosition(dtpTop);
    form_->Show();
    Pump();
  }

  TcxCustomGridDetailsSiteTabsViewInfo* Tabs() { return grid_->ViewInfo()->DetailsSiteViewInfo()->TabsViewInfo(); }
  RECT TabBounds(int AIndex) { return Tabs()->Items(AIndex)->Bounds; }
  POINT TabCenter(int AIndex) {
    const RECT r = TabBounds(AIndex);
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  }
  // The active tab's top border runs along the row 2 pixels under the tab row's top.
  bool LooksActive(int AIndex) {
    const RECT r = TabBounds(AIndex);
    const int x = (r.left + r.right) / 2;
    return ScreenPixel(grid_, x, Tabs()->Bounds.top + 2) != ScreenPixel(grid_, x, Tabs()->Bounds.top + 1);
  }

  TTestGridView* views_[3] = {};
  TcxGridLevel* levels_[3] = {};
  std::vector<TcxGridLevel*> tabChanges_;
};

TEST_F(CxGridTabsTest, TopTabsStandInARowWithTheActiveOneRaised) {
  ASSERT_NE(Tabs(), nullptr);
  ASSERT_EQ(Tabs()->Count(), 3);
  const int border = grid_->LookAndFeel()->Painter()->GetTabBorderSize(false);
  const int tabHeight = 16 + 4 + 2 * border;
  EXPECT_EQ(Tabs()->Height(), tabHeight + 5 + 2) << "highest tab + 5 + the active tab's offset";
  EXPECT_EQ(TabBounds(0).top, 2);
  EXPECT_EQ(TabBounds(1).top, 4) << "inactive tabs sit 2 pixels lower";
  EXPECT_EQ(TabBounds(2).top, 4);
  EXPECT_EQ(TabBounds(1).left, TabBounds(0).right);
  EXPECT_EQ(TabBounds(2).right - TabBounds(2).left, 8 * 5 + 4 + 10 + 2 * border)
      << "text + 4 + 10, the left and right borders of an inactive tab without active neighbours";
  // The view's site fills the rest below the tabs.
  const RECT site = views_[0]->Site()->BoundsRect();
  EXPECT_EQ(site.top, Tabs()->Height());
  EXPECT_TRUE(LooksActive(0));
  EXPECT_FALSE(LooksActive(1));
  EXPECT_TRUE(KeepCheckedScreen());
}

TEST_F(CxGridTabsTest, AClickOnATabActivatesItsLevelAndReportsOnlyRealChanges) {
  const POINT second = TabCenter(1);
  Click(grid_, second.x, second.y);
  EXPECT_EQ(grid_->ActiveLevel(), levels_[1]);
  EXPECT_EQ(grid_->FocusedView(), views_[1]);
  EXPECT_EQ(tabChanges_, (std::vector<TcxGridLevel*>{levels_[1]}));
  EXPECT_TRUE(views_[1]->IsVisibleInGrid());
  EXPECT_FALSE(views_[0]->IsVisibleInGrid());
  EXPECT_TRUE(LooksActive(1));
  EXPECT_FALSE(LooksActive(0));
  EXPECT_TRUE(KeepCheckedScreen("second"));

  const POINT again = TabCenter(1);
  Click(grid_, again.x, again.y);
  EXPECT_EQ(tabChanges_.size(), 1u) << "a click on the active tab changes nothing";
}

TEST_F(CxGridTabsTest, ADraggedObjectRestingOverATabOpensItAfterTheWaitTime) {
  auto* source = Add<TPanel>(form_, 320, 10, 60, 60);
  source->SetDragMode(dmAutomatic);
  source->OnDragOver = nullptr;
  Pump();
  Down(source, 10, 10);
  MoveTo(source, 20, 20);

  // Passing over two tabs faster than the wait opens neither.
  POINT p = TabCenter(1);
  MoveTo(grid_, p.x, p.y);
  Advance(300);
  p = TabCenter(2);
  MoveTo(grid_, p.x - 2, p.y);
  Advance(300);
  EXPECT_EQ(grid_->ActiveLevel(), levels_[0]);
  // Resting long enough over the same tab (moving inside it keeps the wait) opens it once.
  MoveTo(grid_, p.x + 2, p.y);
  Advance(250);
  EXPECT_EQ(grid_->ActiveLevel(), levels_[2]);
  EXPECT_FALSE(grid_->Controller()->IsDragOpenPending());
  EXPECT_FALSE(grid_->Controller()->IsDragOpenTimerRunning());
  Advance(600);
  EXPECT_EQ(grid_->ActiveLevel(), levels_[2]);

  // Leaving the tabs stops the wait.
  p = TabCenter(1);
  MoveTo(grid_, p.x, p.y);
  Advance(200);
  MoveTo(source, 30, 30);
  Advance(600);
  EXPECT_EQ(grid_->ActiveLevel(), levels_[2]);
  Up(source, 30, 30);
  EXPECT_TRUE(LooksActive(2));
  EXPECT_TRUE(KeepCheckedScreen());
}
