#include <stdexcept>

#include "cx/grid/tests/cxGridTestUtil.h"

TRENVIK_IMPLEMENT_CLASS(TTestGridView)

namespace {

// A change that writes its name into a log when it runs; Raise makes it fail.
class TLoggedChange : public TcxGridViewChange {
 public:
  TLoggedChange(TcxCustomGridView* AView, std::vector<std::string>& ALog, std::string AName, bool ARaise = false)
      : TcxGridViewChange(AView, RECT{0, 0, 1, 1}), log_(ALog), name_(std::move(AName)), raise_(ARaise) {}
  void Execute() override {
    log_.push_back(name_);
    if (raise_) throw EInvalidOperation(S("change failed"));
  }

 private:
  std::vector<std::string>& log_;
  std::string name_;
  bool raise_;
};

}  // namespace

TEST_F(CxGridTest, QueueMergesAndDropsAsTheExampleQueue) {
  TTestGridView* view = AddTopView(u"View1");
  Pump();
  layoutChanges_.clear();
  view->LayoutPasses = 0;

  grid_->BeginUpdate();
  view->LayoutChanged(true);
  view->SizeChanged(true);
  grid_->RequestLayout();
  view->LayoutChanged(true);
  view->ViewChanged(RECT{1, 1, 5, 5});
  view->ViewChanged(RECT{1, 1, 5, 5});
  EXPECT_EQ(grid_->QueuedChangeCount(), 6) << "merging waits for the outermost EndUpdate";
  grid_->EndUpdate();

  // Runs as [size(V), layout(grid), repaint, repaint]: the view-only size change lays the view out
  // (its own layout change, run at once), then the whole grid follows; both layout(V) are gone.
  EXPECT_EQ(layoutChanges_, (std::vector<TcxCustomGridView*>{view, nullptr}));
  EXPECT_EQ(grid_->QueuedChangeCount(), 0);
}

TEST_F(CxGridTest, ViewLayoutsBeforeAWholeGridLayoutAreSupersededButNotAfter) {
  TTestGridView* view = AddTopView(u"View1");
  Pump();
  struct Case {
    bool wholeGridFirst;
    std::vector<TcxCustomGridView*> expected;
  };
  for (const Case& c : {Case{false, {nullptr}}, Case{true, {nullptr, view}}}) {
    layoutChanges_.clear();
    grid_->BeginUpdate();
    if (c.wholeGridFirst) grid_->RequestLayout();
    for (int i = 0; i < 10; ++i) view->LayoutChanged(true);
    if (!c.wholeGridFirst) grid_->RequestLayout();
    grid_->EndUpdate();
    EXPECT_EQ(layoutChanges_, c.expected) << "whole grid first: " << c.wholeGridFirst;
  }
}

TEST_F(CxGridTest, RepaintsNeverMergeAndDataChangesNeverWait) {
  TTestGridView* view = AddTopView(u"View1");
  std::vector<std::string> log;
  grid_->BeginUpdate();
  grid_->AddChange(std::make_unique<TLoggedChange>(view, log, "paint"));
  grid_->AddChange(std::make_unique<TLoggedChange>(view, log, "paint"));
  view->DataChangedNotify();
  EXPECT_EQ(view->DataChanges, 1) << "a data change runs at once inside the bracket";
  EXPECT_TRUE(log.empty());
  grid_->EndUpdate();
  EXPECT_EQ(log, (std::vector<std::string>{"paint", "paint"}));
}

TEST_F(CxGridTest, CancelUpdateDiscardsTheQueueAndUnbalancedCallsAreIgnored) {
  TTestGridView* view = AddTopView(u"View1");
  std::vector<std::string> log;
  grid_->EndUpdate();
  grid_->CancelUpdate();
  EXPECT_EQ(grid_->UpdateLockCount(), 0);
  grid_->BeginUpdate();
  grid_->BeginUpdate();
  grid_->AddChange(std::make_unique<TLoggedChange>(view, log, "a"));
  grid_->CancelUpdate();
  EXPECT_EQ(grid_->QueuedChangeCount(), 1) << "an inner CancelUpdate keeps the queue";
  grid_->CancelUpdate();
  EXPECT_EQ(grid_->QueuedChangeCount(), 0);
  EXPECT_TRUE(log.empty());
}

TEST_F(CxGridTest, ARaisingChangeEndsThePassAndTheRestAreDiscarded) {
  TTestGridView* view = AddTopView(u"View1");
  std::vector<std::string> log;
  grid_->BeginUpdate();
  grid_->AddChange(std::make_unique<TLoggedChange>(view, log, "first"));
  grid_->AddChange(std::make_unique<TLoggedChange>(view, log, "raises", true));
  grid_->AddChange(std::make_unique<TLoggedChange>(view, log, "never"));
  EXPECT_THROW(grid_->EndUpdate(), EInvalidOperation);
  EXPECT_EQ(log, (std::vector<std::string>{"first", "raises"}));
  EXPECT_EQ(grid_->QueuedChangeCount(), 0);
  EXPECT_EQ(grid_->UpdateLockCount(), 0);
  // The grid goes on working afterwards.
  grid_->AddChange(std::make_unique<TLoggedChange>(view, log, "after"));
  EXPECT_EQ(log.back(), "after");
}

TEST_F(CxGridTest, RemovingAViewDropsExactlyItsQueuedChanges) {
  TTestGridView* kept = AddTopView(u"View1");
  auto* removed = new TTestGridView(form_);
  grid_->AddChildComponent(removed);
  std::vector<std::string> log;
  grid_->BeginUpdate();
  grid_->AddChange(std::make_unique<TLoggedChange>(removed, log, "removed"));
  grid_->AddChange(std::make_unique<TLoggedChange>(kept, log, "kept"));
  grid_->AddChange(std::make_unique<TLoggedChange>(removed, log, "removed"));
  delete removed;
  EXPECT_EQ(grid_->QueuedChangeCount(), 1);
  grid_->EndUpdate();
  EXPECT_EQ(log, (std::vector<std::string>{"kept"}));
}

TEST_F(CxGridTest, DetailLayoutIsSupersededByItsMastersLayout) {
  TcxGridLevel* masterLevel;
  TTestGridView* master = AddTopView(u"Master", &masterLevel);
  auto* detail = new TTestGridView(form_);
  TcxGridLevel* detailLevel = masterLevel->AddLevel();
  detailLevel->SetGridView(detail);
  // A clone stands for the detail shown under one master record.
  TcxCustomGridView* clone = detailLevel->CreateLinkedView(detailLevel->DataRelation(), 0);
  ASSERT_NE(clone, nullptr);
  EXPECT_EQ(clone->MasterGridView(), master);
  EXPECT_TRUE(clone->HasAsMaster(master));
  EXPECT_TRUE(detail->IsPattern());
  EXPECT_FALSE(detail->IsVisibleInGrid());
  EXPECT_TRUE(detail->IsVisibleOrPattern());

  std::vector<std::string> log;
  grid_->BeginUpdate();
  clone->LayoutChanged(true);
  master->LayoutChanged(true);
  grid_->EndUpdate();
  // Only the master's change ran.
  int cloneChanges = 0, masterChanges = 0;
  for (TcxCustomGridView* v : layoutChanges_) {
    cloneChanges += v == clone;
    masterChanges += v == master;
  }
  EXPECT_EQ(cloneChanges, 0);
  EXPECT_EQ(masterChanges, 1);
  delete clone;
}

TEST_F(CxGridTest, ViewChangesWithoutAGridRunAtOnceAndEmptyRepaintsAreNotMade) {
  auto* view = new TTestGridView(form_);
  view->SizeChanged(false, false);
  EXPECT_EQ(view->LayoutPasses, 0) << "a view on no level is not visible: nothing is laid out";
  grid_->BeginUpdate();
  TTestGridView* attached = AddTopView(u"View1");
  const int queued = grid_->QueuedChangeCount();
  attached->ViewChanged(RECT{5, 5, 5, 9});
  EXPECT_EQ(grid_->QueuedChangeCount(), queued);
  grid_->CancelUpdate();
  delete view;
}

TEST_F(CxGridTest, DragOpeningWaitTimeClampsNegativeValues) {
  grid_->SetDragOpeningWaitTime(-5);
  EXPECT_EQ(grid_->DragOpeningWaitTime(), 0);
  grid_->SetDragOpeningWaitTime(300);
  EXPECT_EQ(grid_->DragOpeningWaitTime(), 300);
}
