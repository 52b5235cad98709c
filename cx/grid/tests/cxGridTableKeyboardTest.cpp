// The table view's keys over thirty people, ten to a page: paging, cells, records and the top
// record, kept in view also inside an update bracket.
#include "cx/grid/tests/cxGridControllerTestUtil.h"
#include "platform/win/Input.h"

using CxGridTableKeyboardTest = CxGridControllerTest;

TEST_F(CxGridTableKeyboardTest, TheStandInLayoutShowsTenRows) {
  EXPECT_EQ(Controller()->TopRecordIndex(), 0);
  EXPECT_EQ(Layout()->VisibleRecordCount(), 10);
  EXPECT_EQ(FocusedRow(), 0);
}

// The last fully visible row becomes the top row when the page turns.
TEST_F(CxGridTableKeyboardTest, PageDownFocusesTheLastVisibleRowThenScrollsAPage) {
  struct Step {
    WORD key;
    int focused;
    int top;
  };
  Controller()->FocusRecord(4);
  for (const Step& s : {Step{VK_NEXT, 9, 0}, Step{VK_NEXT, 18, 9}, Step{VK_NEXT, 27, 18}, Step{VK_NEXT, 29, 20},
                        Step{VK_NEXT, 29, 20}, Step{VK_PRIOR, 20, 20}, Step{VK_PRIOR, 11, 11}, Step{VK_PRIOR, 2, 2},
                        Step{VK_PRIOR, 0, 0}, Step{VK_PRIOR, 0, 0}}) {
    Press(s.key);
    EXPECT_EQ(FocusedRow(), s.focused) << "key " << s.key << " to " << s.focused;
    EXPECT_EQ(Controller()->TopRecordIndex(), s.top) << "key " << s.key << " to " << s.focused;
  }
}

TEST_F(CxGridTableKeyboardTest, ArrowsHomeAndEndMoveBetweenRecordsAndCells) {
  TcxGridDBColumn* id = Column(u"ID");
  TcxGridDBColumn* city = Column(u"CITY");
  Controller()->SetFocusedItem(Column(u"SURNAME"));
  struct Step {
    WORD key;
    TShiftState shift;
    int row;
    TcxCustomGridTableItem* item;
  };
  for (const Step& s : {Step{VK_DOWN, {}, 1, Column(u"SURNAME")}, Step{VK_END, {}, 1, city}, Step{VK_HOME, {}, 1, id},
                        Step{VK_END, {ssCtrl}, 29, id}, Step{VK_UP, {}, 28, id}, Step{VK_HOME, {ssCtrl}, 0, id},
                        Step{VK_RIGHT, {}, 0, Column(u"SURNAME")}, Step{VK_UP, {}, 0, Column(u"SURNAME")}}) {
    Press(s.key, s.shift);
    EXPECT_EQ(FocusedRow(), s.row) << "key " << s.key;
    EXPECT_EQ(Controller()->FocusedItem(), s.item) << "key " << s.key;
  }
  EXPECT_EQ(Controller()->TopRecordIndex(), 0) << "the focused record is kept in view";
}

TEST_F(CxGridTableKeyboardTest, TabMovesBetweenCellsAndOnlyWithFocusCellOnCycleToTheNextRecord) {
  TcxGridTableOptionsBehavior* behavior = view_->OptionsBehavior();
  behavior->SetFocusCellOnTab(true);
  struct Case {
    bool cycle;
    int row;
    TcxCustomGridTableItem* item;
  };
  for (const Case& c : {Case{false, 3, Column(u"CITY")}, Case{true, 4, Column(u"ID")}}) {
    behavior->SetFocusCellOnCycle(c.cycle);
    Controller()->FocusRecord(3);
    Controller()->SetFocusedItem(Column(u"SURNAME"));
    WORD key = VK_TAB;
    Controller()->KeyDown(key, {});
    EXPECT_EQ(key, 0) << "Tab is the grid's while cells take it";
    Press(VK_TAB);
    EXPECT_EQ(FocusedRow(), c.row) << "cycle " << c.cycle;
    EXPECT_EQ(Controller()->FocusedItem(), c.item) << "cycle " << c.cycle;
  }
  Press(VK_TAB, {ssShift});
  EXPECT_EQ(FocusedRow(), 3) << "Shift+Tab goes back over the cycle";
  EXPECT_EQ(Controller()->FocusedItem(), Column(u"CITY"));
  WORD key = VK_TAB;
  Controller()->KeyDown(key, {ssCtrl});
  EXPECT_EQ(key, VK_TAB) << "Ctrl+Tab leaves the grid";

  // One item that takes the focus: Tab keeps it and moves to the next record.
  Column(u"ID")->Options()->SetFocusing(false);
  Column(u"CITY")->Options()->SetFocusing(false);
  Controller()->SetFocusedItem(Column(u"SURNAME"));
  Press(VK_TAB);
  EXPECT_EQ(FocusedRow(), 4);
  EXPECT_EQ(Controller()->FocusedItem(), Column(u"SURNAME"));
}

TEST_F(CxGridTableKeyboardTest, LeftAndRightScrollTenPixelsWhenNoCellIsLeft) {
  for (const char16_t* field : {u"ID", u"SURNAME", u"CITY"}) Column(field)->SetWidth(150);
  const int clientRight = Layout()->ClientBounds().right;
  Controller()->SetFocusedItem(Column(u"ID"));
  Press(VK_LEFT);
  EXPECT_EQ(Controller()->LeftPos(), 0) << "nothing to scroll at the left end";
  Press(VK_RIGHT);
  EXPECT_EQ(Controller()->FocusedItem(), Column(u"SURNAME")) << "a cell to the right takes the focus";
  EXPECT_EQ(Controller()->LeftPos(), 300 - clientRight) << "and is scrolled into view";
  Press(VK_RIGHT);
  EXPECT_EQ(Controller()->FocusedItem(), Column(u"CITY"));
  EXPECT_EQ(Controller()->LeftPos(), 450 - clientRight);
  Controller()->SetLeftPos(0);
  for (int expected : {10, 20}) {
    Press(VK_RIGHT);
    EXPECT_EQ(Controller()->FocusedItem(), Column(u"CITY")) << "no cell right of the last";
    EXPECT_EQ(Controller()->LeftPos(), expected);
  }
}

TEST_F(CxGridTableKeyboardTest, LeftPosStaysBetweenZeroAndTheHiddenDataWidth) {
  const int client = Layout()->ClientBounds().right - Layout()->ClientBounds().left;
  struct Case {
    int width;
    int set;
    int read;
  };
  for (const Case& c : {Case{64, 50, 0}, Case{150, -5, 0}, Case{150, 1000, 450 - client}, Case{150, 30, 30}}) {
    for (const char16_t* field : {u"ID", u"SURNAME", u"CITY"}) Column(field)->SetWidth(c.width);
    Controller()->SetLeftPos(c.set);
    EXPECT_EQ(Controller()->LeftPos(), c.read) << c.width << " wide, set " << c.set;
  }
}

TEST_F(CxGridTableKeyboardTest, InsertWithShiftDoesNothingAndWithoutStartsARecord) {
  Press(VK_INSERT, {ssShift});
  EXPECT_EQ(DC()->GetEditState() & dceInsert, 0);
  Press(VK_INSERT);
  EXPECT_NE(DC()->GetEditState() & dceInsert, 0);
  Press(VK_ESCAPE);
  EXPECT_EQ(DC()->GetEditState(), 0) << "Esc cancels the record";
  EXPECT_EQ(view_->ViewData()->RecordCount(), 30);
}

TEST_F(CxGridTableKeyboardTest, MakeRecordVisibleEndsInsideAnUpdateBracket) {
  std::vector<int> tops;
  view_->OnTopRecordIndexChanged = [&](TObject*) { tops.push_back(Controller()->TopRecordIndex()); };
  struct Case {
    int record;
    int top;
  };
  for (const Case& c : {Case{25, 16}, Case{29, 20}, Case{3, 3}, Case{27, 18}}) {
    tops.clear();
    grid_->BeginUpdate();
    const int passes = Layout()->LayoutPasses;
    Controller()->MakeRecordVisible(view_->ViewData()->Records(c.record));
    EXPECT_EQ(Layout()->LayoutPasses, passes) << "the layout waits in the queue";
    EXPECT_EQ(Controller()->TopRecordIndex(), c.top) << "record " << c.record;
    grid_->EndUpdate();
    EXPECT_EQ(tops, std::vector<int>{c.top}) << "each top is set once, record " << c.record;
    EXPECT_EQ(Controller()->TopRecordIndex(), c.top);
    EXPECT_EQ(Layout()->VisibleRecordCount(), 10);
  }
}

// The last layout saw five rows; thirty are there when the record is to be shown, and the
// layout that would count them waits in the queue.
TEST_F(CxGridTableKeyboardTest, MakeRecordVisibleEndsOnALayoutThatCountedFewerRows) {
  TcxDataFilterCriteria* filter = DC()->Filter();
  Column(u"ID")->DataBinding()->AddToFilter(filter->Root(), foLess, 6, u"6", true);
  filter->SetActive(true);
  ASSERT_EQ(view_->ViewData()->RecordCount(), 5);
  ASSERT_EQ(Layout()->VisibleRecordCount(), 5);
  std::vector<int> tops;
  view_->OnTopRecordIndexChanged = [&](TObject*) { tops.push_back(Controller()->TopRecordIndex()); };
  grid_->BeginUpdate();
  filter->SetActive(false);
  ASSERT_EQ(view_->ViewData()->RecordCount(), 30);
  EXPECT_EQ(Layout()->VisibleRecordCount(), 5) << "the layout is stale inside the bracket";
  Controller()->MakeRecordVisible(view_->ViewData()->Records(25));
  EXPECT_EQ(tops, std::vector<int>{16}) << "the top is computed once and not set again";
  grid_->EndUpdate();
  EXPECT_EQ(Controller()->TopRecordIndex(), 16);
  EXPECT_EQ(Layout()->VisibleRecordCount(), 10);
}

TEST_F(CxGridTableKeyboardTest, TheTopRecordStaysWithinTheRecords) {
  for (const auto& [set, read] : std::vector<std::pair<int, int>>{{-5, 0}, {100, 20}, {25, 20}, {7, 7}}) {
    Controller()->SetTopRecordIndex(set);
    EXPECT_EQ(Controller()->TopRecordIndex(), read) << "set " << set;
  }
}
