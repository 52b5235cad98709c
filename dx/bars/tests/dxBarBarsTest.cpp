#include "dx/bars/dxBarBars.h"
#include "dx/bars/tests/dxBarTestSupport.h"
#include "platform/win/Metrics.h"

namespace {

class DxBarBarsTest : public DxBarTest {
 protected:
  TdxBar* AddBar(const String& Caption) {
    TdxBar* bar = manager->Bars()->Add();
    bar->SetCaption(Caption);
    return bar;
  }
};

TEST_F(DxBarBarsTest, CaptionsAreUniqueAndNameUnnamedBars) {
  TdxBar* standard = AddBar(u"Standard");
  EXPECT_EQ(standard->BarName(), u"Standard");
  TdxBar* other = AddBar(u"Other");
  other->SetCaption(u"Standard");
  EXPECT_EQ(other->Caption(), u"Other");

  // A bar already named like the new caption makes the name take the first free number.
  TdxBar* renamed = AddBar(u"X");
  renamed->SetBarName(u"Format");
  TdxBar* format1 = AddBar(u"Y");
  format1->SetBarName(u"Format1");
  TdxBar* fresh = manager->Bars()->Add();
  fresh->SetCaption(u"Format");
  EXPECT_EQ(fresh->Caption(), u"Format");
  EXPECT_EQ(fresh->BarName(), u"Format2");
  EXPECT_EQ(manager->BarByName(u"Format2"), fresh);
  EXPECT_EQ(manager->BarByCaption(u"Other"), other);
}

TEST_F(DxBarBarsTest, OneMainMenuBarWhichAlwaysWraps) {
  TdxBar* first = AddBar(u"Menu");
  TdxBar* second = AddBar(u"Menu 2");
  first->SetIsMainMenu(true);
  EXPECT_EQ(manager->MainMenuBar(), first);
  EXPECT_TRUE(first->WholeRow());
  EXPECT_TRUE(first->MultiLine());
  first->SetMultiLine(false);
  EXPECT_TRUE(first->MultiLine());
  EXPECT_FALSE(first->CanBeListed());
  second->SetIsMainMenu(true);
  EXPECT_EQ(manager->MainMenuBar(), second);
  EXPECT_FALSE(first->IsMainMenu());
  EXPECT_FALSE(first->MultiLine());
  EXPECT_FALSE(first->WholeRow());
  delete second;
  EXPECT_EQ(manager->MainMenuBar(), nullptr);
}

TEST_F(DxBarBarsTest, PositionsAreCorrectedAndDockingIsAskedOfBarAndManager) {
  TdxBar* bar = AddBar(u"Tools");
  bar->SetDockedLeft(-5);
  bar->SetRow(-1);
  bar->SetFloatLeft(-40);
  EXPECT_EQ(bar->DockedLeft(), 0);
  EXPECT_EQ(bar->Row(), 0);
  EXPECT_EQ(bar->FloatLeft(), -40);

  bar->SetNotDocking(TdxBarDockingStyles{dsLeft});
  manager->SetNotDocking(TdxBarDockingStyles{dsRight});
  EXPECT_FALSE(manager->CanDock(bar, dsLeft));
  EXPECT_FALSE(manager->CanDock(bar, dsRight));
  EXPECT_TRUE(manager->CanDock(bar, dsTop));
  manager->OnDocking = [](TObject*, TdxBarDockingStyle style, bool& can) { can = can && style != dsTop; };
  EXPECT_FALSE(manager->CanDock(bar, dsTop));
  EXPECT_TRUE(manager->CanDock(bar, dsBottom));
}

TEST_F(DxBarBarsTest, DockingStyleChangesShowEveryLinkAndAreReported) {
  TdxBar* bar = AddBar(u"Tools");
  std::vector<TdxBarDockingStyle> reported;
  manager->OnBarDockingStyleChange = [&](TObject*, TdxBar* b) { reported.push_back(b->DockingStyle()); };
  bar->ItemLinks()->SetRecentItemCount(1);
  bar->SetDockingStyle(dsLeft);
  bar->SetDockingStyle(dsLeft);
  bar->SetDockingStyle(dsNone);
  EXPECT_EQ(reported, (std::vector<TdxBarDockingStyle>{dsLeft, dsNone}));
  EXPECT_EQ(bar->ItemLinks()->RecentItemCount(), -1);
}

TEST_F(DxBarBarsTest, FrameSizesFollowSideBorderAndStyle) {
  TdxBar* bar = AddBar(u"Tools");
  int frameX = GetSystemMetrics(SM_CXFRAME), frameY = GetSystemMetrics(SM_CYFRAME);
  EXPECT_EQ(bar->GetFloatBorderWidth(dsNone), 2 * frameX + 8);
  EXPECT_EQ(bar->GetFloatBorderHeight(dsNone), 2 * frameY + GetSystemMetrics(SM_CYSMCAPTION) + 3);
  EXPECT_EQ(bar->GetFloatBorderWidth(dsTop), manager->GripSize() + 4);
  EXPECT_EQ(bar->GetFloatBorderHeight(dsTop), 4);
  EXPECT_EQ(bar->GetFloatBorderWidth(dsLeft), 4);
  EXPECT_EQ(bar->GetFloatBorderHeight(dsRight), manager->GripSize() + 4);
  manager->SetStyle(bmsFlat);
  EXPECT_EQ(bar->GetFloatBorderWidth(dsNone), 2 * frameX);
  bar->SetBorderStyle(bbsNone);
  bar->SetDockingStyle(dsBottom);
  EXPECT_TRUE(bar->IsStatusBar());
  EXPECT_EQ(bar->GetFloatBorderHeight(dsBottom), 2);
  bar->SetDockingStyle(dsTop);
  EXPECT_EQ(bar->GetFloatBorderHeight(dsTop), 0);
}

TEST_F(DxBarBarsTest, AssignCopiesTheBarAndItsLinks) {
  TdxBar* source = AddBar(u"Source");
  source->ItemLinks()->Add()->SetItem(MakeItem(u"A"));
  source->SetDockingStyle(dsRight);
  source->SetFloatTop(70);
  source->SetVisible(true);
  TdxBar* copy = AddBar(u"Copy");
  std::vector<bool> visibility;
  manager->OnBarVisibleChange = [&](TObject*, TdxBar* b) { visibility.push_back(b->Visible()); };
  copy->Assign(source);
  EXPECT_EQ(copy->Caption(), u"Copy");  // the caption belongs to the source already
  EXPECT_EQ(copy->DockingStyle(), dsRight);
  EXPECT_EQ(copy->FloatTop(), 70);
  ASSERT_EQ(copy->ItemLinks()->Count(), 1);
  EXPECT_EQ(copy->ItemLinks()->Items(0)->Item(), source->ItemLinks()->Items(0)->Item());
  EXPECT_EQ(visibility, (std::vector<bool>{true}));
}

}  // namespace
