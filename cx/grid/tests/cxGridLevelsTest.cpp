#include "cx/grid/tests/cxGridTestUtil.h"

TEST_F(CxGridTest, TheFirstVisibleTopLevelBecomesActiveAndItsViewFocused) {
  std::vector<std::pair<TcxCustomGridView*, TcxCustomGridView*>> focusChanges;
  grid_->OnFocusedViewChanged = [&](TcxCustomGrid*, TcxCustomGridView* APrev, TcxCustomGridView* ANew) {
    focusChanges.emplace_back(APrev, ANew);
  };
  TcxGridLevel* level1;
  TTestGridView* view1 = AddTopView(u"View1", &level1);
  TcxGridLevel* level2;
  TTestGridView* view2 = AddTopView(u"View2", &level2);
  EXPECT_EQ(grid_->ActiveLevel(), level1);
  EXPECT_EQ(grid_->ActiveView(), view1);
  EXPECT_EQ(grid_->FocusedView(), view1);
  EXPECT_EQ(focusChanges, (std::vector<std::pair<TcxCustomGridView*, TcxCustomGridView*>>{{nullptr, view1}}));
  EXPECT_TRUE(level1->IsVisibleInGrid());
  EXPECT_FALSE(level2->IsVisibleInGrid()) << "an inactive top level is not shown";
  EXPECT_FALSE(view2->IsVisibleInGrid());

  level1->SetVisible(false);
  EXPECT_EQ(grid_->ActiveLevel(), level2);
  EXPECT_EQ(grid_->FocusedView(), view2);
  level2->SetVisible(false);
  EXPECT_EQ(grid_->ActiveLevel(), nullptr);
  EXPECT_EQ(grid_->FocusedView(), nullptr);

  level1->SetVisible(true);
  EXPECT_EQ(grid_->ActiveLevel(), level1);
  // A view whose level is hidden cannot take the focus.
  view2->SetFocused(true);
  EXPECT_EQ(grid_->FocusedView(), view1);
}

TEST_F(CxGridTest, AViewShownOnAnotherLevelMovesAndFocusFollowsTheMasterChain) {
  TcxGridLevel* level1;
  TTestGridView* view1 = AddTopView(u"View1", &level1);
  TcxGridLevel* level2 = grid_->RootLevel()->AddLevel();
  level2->SetGridView(view1);
  EXPECT_EQ(level1->GridView(), nullptr);
  EXPECT_EQ(view1->Level(), level2);

  TcxGridLevel* detailLevel = level2->AddLevel();
  auto* pattern = new TTestGridView(form_);
  detailLevel->SetGridView(pattern);
  TcxCustomGridView* clone = detailLevel->CreateLinkedView(detailLevel->DataRelation(), 0);
  EXPECT_EQ(clone->PatternGridView(), pattern);
  EXPECT_EQ(pattern->CloneCount(), 1);

  grid_->SetFocusedView(level2->GridView());
  TcxCustomGridView* held = clone;
  clone->RegisterReference(&held);
  delete clone;
  EXPECT_EQ(held, nullptr) << "a registered reference is cleared when the view goes";
  EXPECT_EQ(pattern->CloneCount(), 0);
}

TEST_F(CxGridTest, LevelOptionsClampStoreAndResolveTheirDefaults) {
  TcxGridLevel* level;
  AddTopView(u"View1", &level);
  level->SetMaxDetailHeight(-3);
  EXPECT_EQ(level->MaxDetailHeight(), 0);
  struct Case {
    int max, height, expected;
  };
  for (const Case& c : {Case{0, 300, 300}, Case{120, 300, 120}, Case{120, 80, 80}}) {
    level->SetMaxDetailHeight(c.max);
    int height = c.height;
    level->CheckHeight(height);
    EXPECT_EQ(height, c.expected) << c.max << " " << c.height;
  }
  level->Options()->SetDetailFrameWidth(-2);
  EXPECT_EQ(level->Options()->DetailFrameWidth(), 0);
  EXPECT_TRUE(level->Options()->IsDetailFrameWidthStored());
  level->Options()->SetDetailFrameWidth(1);
  EXPECT_FALSE(level->Options()->IsDetailFrameWidthStored()) << "1 is a child level's default";
  EXPECT_EQ(grid_->RootLevelOptions()->DetailFrameWidth(), 0);
  EXPECT_FALSE(grid_->RootLevelOptions()->IsDetailFrameWidthStored()) << "0 is the root level's default";
  EXPECT_EQ(level->Options()->GetDetailFrameColor(), grid_->LookAndFeel()->Painter()->GetDefaultDetailFrameColor());
  level->Options()->SetDetailFrameColor(clRed);
  EXPECT_EQ(level->Options()->GetDetailFrameColor(), clRed);
}

TEST_F(CxGridTest, RenamingTheGridRenamesChildrenThatStartWithItsOldName) {
  TcxGridLevel* level1;
  TTestGridView* view = AddTopView(u"Grid1DBTableView1", &level1);
  level1->SetName(S("grid1Level2"));
  // Owned elsewhere: the form already has a component named Grid1.
  auto* exact = new TcxGridLevel(nullptr);
  exact->SetName(S("Grid1"));
  grid_->RootLevel()->AddChild(exact);
  TcxGridLevel* other = grid_->RootLevel()->AddLevel();
  other->SetName(S("View1"));
  TcxGridLevel* clash = grid_->RootLevel()->AddLevel();
  clash->SetName(S("Grid1Level3"));
  auto* taken = new TComponent(form_);
  taken->SetName(S("MainLevel3"));
  // Views join the grid's list through the child-component protocol (as when a form is read).
  grid_->AddChildComponent(view);
  grid_->SetTag(7);

  grid_->SetName(S("Main"));
  EXPECT_EQ(view->Name(), S("MainDBTableView1"));
  EXPECT_EQ(level1->Name(), S("MainLevel2"));
  EXPECT_EQ(exact->Name(), S("Grid1"));
  EXPECT_EQ(other->Name(), S("View1"));
  EXPECT_EQ(clash->Name(), S("Grid1Level3")) << "a taken name leaves the child alone";
  EXPECT_EQ(grid_->Tag(), 7);
}
