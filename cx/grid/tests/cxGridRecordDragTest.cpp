// Objects dragged over a people view of thirty rows (ten shown) and records dragged out of it:
// scrolling at the top and bottom rows on the virtual clock, the highlighted and focused record
// under the object.
#include "cx/grid/tests/cxGridControllerTestUtil.h"
#include "platform/forms/ExtCtrls.h"

class CxGridRecordDragTest : public CxGridControllerTest {
 protected:
  void SetUp() override {
    CxGridControllerTest::SetUp();
    form_->SetBounds(100, 100, 500, 300);
    source_ = Add<TPanel>(form_, 400, 10, 60, 60);
    source_->SetDragMode(dmAutomatic);
    view_->Site()->OnDragOver = [](TObject*, TObject*, int, int, TDragState, bool& Accept) { Accept = true; };
    Pump();
  }
  // Picks the panel up and carries it over the site's row ARow (0 = the top one shown).
  void StartDrag() {
    Down(source_, 10, 10);
    MoveTo(source_, 20, 20);
  }
  void OverRow(int ARow) {
    over_ = POINT{40, TFixedRowsViewInfo::kHeaderHeight + ARow * 20 + 10};
    MoveTo(view_->Site(), over_.x, over_.y);
  }
  void Drop() { Up(view_->Site(), over_.x, over_.y); }
  int Top() { return Controller()->TopRecordIndex(); }

  TPanel* source_ = nullptr;
  POINT over_{0, 0};
};

TEST_F(CxGridRecordDragTest, HoldingAnObjectOverTheLastOrFirstRowScrollsEveryTwentyMilliseconds) {
  StartDrag();
  OverRow(4);
  EXPECT_FALSE(Controller()->IsDragScrolling()) << "a middle row scrolls nothing";
  OverRow(9);
  ASSERT_TRUE(Controller()->IsDragScrolling());
  Advance(100);
  EXPECT_EQ(Top(), 5) << "one record every 20 ms";
  OverRow(0);
  Advance(60);
  EXPECT_EQ(Top(), 2) << "the top row scrolls back";
  MoveTo(source_, 30, 30);
  EXPECT_FALSE(Controller()->IsDragScrolling()) << "leaving the view stops it";
  Advance(100);
  EXPECT_EQ(Top(), 2);
  Up(source_, 30, 30);
}

TEST_F(CxGridRecordDragTest, TheRecordUnderTheObjectIsHighlightedAndFocusedAsTheOptionsSay) {
  view_->OptionsBehavior()->SetDragScrolling(false);
  struct Case {
    const char* name;
    bool highlighting;
    TcxGridDragFocusing focusing;
    int highlightedWhileOver;  // -1: none
    int focusedWhileOver;
    int focusedAfterDrop;
  };
  const Case cases[] = {
      {"highlighting only", true, dfNone, 3, 0, 0},
      {"focusing while over", false, dfDragOver, -1, 3, 3},
      {"focusing on the drop", false, dfDragDrop, -1, 0, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    view_->OptionsBehavior()->SetDragHighlighting(c.highlighting);
    view_->OptionsBehavior()->SetDragFocusing(c.focusing);
    Controller()->FocusRecord(0);
    StartDrag();
    OverRow(3);
    TcxCustomGridRecord* highlighted = Controller()->DragHighlightedRecord();
    EXPECT_EQ(highlighted ? highlighted->Index() : -1, c.highlightedWhileOver);
    EXPECT_EQ(FocusedRow(), c.focusedWhileOver);
    Drop();
    EXPECT_EQ(FocusedRow(), c.focusedAfterDrop);
    EXPECT_EQ(Controller()->DragHighlightedRecord(), nullptr) << "the drag's end clears the highlight";
  }
}
