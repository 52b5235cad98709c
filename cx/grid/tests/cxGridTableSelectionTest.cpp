// Incremental search, multi-selection, deleting with confirmation and sorting by header clicks
// over the thirty people.
#include "cx/grid/tests/cxGridControllerTestUtil.h"
#include "platform/forms/Forms.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/win/Input.h"

class CxGridTableSelectionTest : public CxGridControllerTest {
 protected:
  std::vector<int> SelectedRows() {
    std::vector<int> rows;
    for (int i = 0; i < DC()->GetSelectedCount(); ++i) rows.push_back(DC()->GetSelectedRowIndex(i));
    std::sort(rows.begin(), rows.end());
    return rows;
  }
  // A press and release on a row, as the site passes them on; the pressed cell focuses its record.
  void ClickRow(int ARow, TShiftState AShift) {
    const int y = TFixedRowsViewInfo::kHeaderHeight + (ARow - Controller()->TopRecordIndex()) * 20 + 5;
    Controller()->FocusRecord(ARow);
    Controller()->MouseDown(mbLeft, AShift, 10, y);
    Controller()->MouseUp(mbLeft, AShift, 10, y);
  }
};

TEST_F(CxGridTableSelectionTest, IncrementalSearchTypesBacksUpAndEnds) {
  view_->OptionsBehavior()->SetIncSearch(true);
  Controller()->SetFocusedItem(Column(u"SURNAME"));
  Type(u"pe");
  EXPECT_EQ(FocusedSurname(), "Person06") << "the first match, in any case";
  EXPECT_EQ(Controller()->IncSearchingText(), u"pe");
  EXPECT_EQ(Controller()->IncSearchingItem(), Column(u"SURNAME"));
  Type(u"rson1");
  EXPECT_EQ(FocusedSurname(), "Person10");
  Press(VK_DOWN, {ssCtrl});
  EXPECT_EQ(FocusedSurname(), "Person11") << "Ctrl+Down finds the next match";
  Press(VK_UP, {ssCtrl});
  EXPECT_EQ(FocusedSurname(), "Person10");
  for (int i = 0; i < 6; ++i) Press(VK_BACK);
  EXPECT_EQ(Controller()->IncSearchingText(), u"p");
  Press(VK_BACK);
  EXPECT_FALSE(Controller()->IsIncSearching()) << "the last Backspace ends the search";
  Type(u"z");
  EXPECT_EQ(FocusedSurname(), "Zotov");
  Press(VK_ESCAPE);
  EXPECT_FALSE(Controller()->IsIncSearching()) << "Esc ends it at once";
  EXPECT_EQ(FocusedSurname(), "Zotov");
}

TEST_F(CxGridTableSelectionTest, IncrementalSearchNeedsTheOptionAndAnEditorThatSearches) {
  Controller()->SetFocusedItem(Column(u"SURNAME"));
  Type(u"z");
  EXPECT_FALSE(Controller()->IsIncSearching()) << "IncSearch is off";
  view_->OptionsBehavior()->SetIncSearch(true);
  Column(u"SURNAME")->Options()->SetIncSearch(false);
  Type(u"z");
  EXPECT_FALSE(Controller()->IsIncSearching()) << "the column does not search";
}

TEST_F(CxGridTableSelectionTest, MouseSelectionFollowsCtrlAndShift) {
  view_->OptionsSelection()->SetMultiSelect(true);
  struct Case {
    const char* name;
    std::vector<std::pair<int, TShiftState>> clicks;
    std::vector<int> selected;
  };
  const std::vector<Case> cases{
      {"plain clicks keep one", {{2, {}}, {5, {}}}, {5}},
      {"Ctrl adds and toggles", {{2, {}}, {5, {ssCtrl}}, {7, {ssCtrl}}, {5, {ssCtrl}}}, {2, 7}},
      {"Shift selects from the anchor", {{2, {}}, {5, {ssShift}}}, {2, 3, 4, 5}},
      {"Ctrl+Shift adds the range", {{1, {}}, {8, {ssCtrl}}, {6, {ssCtrl, ssShift}}}, {1, 6, 7, 8}},
  };
  for (const Case& c : cases) {
    DC()->ClearSelection();
    for (const auto& [row, shift] : c.clicks) ClickRow(row, shift);
    EXPECT_EQ(SelectedRows(), c.selected) << c.name;
  }
}

TEST_F(CxGridTableSelectionTest, KeyboardSelectionAndCtrlSpaceSwallowingItsCharacter) {
  view_->OptionsSelection()->SetMultiSelect(true);
  view_->OptionsBehavior()->SetIncSearch(true);
  Controller()->SetFocusedItem(Column(u"SURNAME"));
  Controller()->FocusRecord(2);
  Press(VK_DOWN);
  EXPECT_EQ(SelectedRows(), std::vector<int>{3});
  Press(VK_DOWN, {ssShift});
  Press(VK_DOWN, {ssShift});
  EXPECT_EQ(SelectedRows(), (std::vector<int>{3, 4, 5}));
  Press(VK_DOWN, {ssCtrl});
  EXPECT_EQ(SelectedRows(), (std::vector<int>{3, 4, 5})) << "Ctrl moves without selecting";
  Press(VK_SPACE, {ssCtrl});
  EXPECT_EQ(SelectedRows(), (std::vector<int>{3, 4, 5, 6}));
  Type(u" ");
  EXPECT_FALSE(Controller()->IsIncSearching()) << "the space Ctrl+Space types is swallowed";
  Press(VK_SPACE, {ssCtrl});
  EXPECT_EQ(SelectedRows(), (std::vector<int>{3, 4, 5}));
}

TEST_F(CxGridTableSelectionTest, DeletingAsksFirstAndACancelChangesNothing) {
  std::vector<std::string> asked;
  int answer = IDCANCEL;
  SetMessageBoxHook([&](const String& AText, const String& ACaption, UINT) {
    asked.push_back(StringToUtf8(ACaption + u": " + AText));
    return answer;
  });
  TScopeExit unhook([] { SetMessageBoxHook(nullptr); });
  view_->OptionsSelection()->SetMultiSelect(true);
  struct Case {
    std::vector<int> selected;
    int focused;
    const char* question;
  };
  for (const Case& c : {Case{{}, 1, "Confirm: Delete record?"}, Case{{1}, 1, "Confirm: Delete record?"},
                        Case{{4}, 1, "Confirm: Delete all selected records?"},
                        Case{{2, 3}, 2, "Confirm: Delete all selected records?"}}) {
    Controller()->FocusRecord(c.focused);
    DC()->ClearSelection();
    for (int row : c.selected) DC()->ChangeRowSelection(row, true);
    asked.clear();
    Press(VK_DELETE, {ssCtrl});
    EXPECT_EQ(asked, std::vector<std::string>{c.question});
    EXPECT_EQ(view_->ViewData()->RecordCount(), 30) << "cancelled";
    EXPECT_EQ(FocusedRow(), c.focused);
  }
  answer = IDOK;
  DC()->ClearSelection();
  Controller()->FocusRecord(1);
  Press(VK_DELETE);
  EXPECT_EQ(view_->ViewData()->RecordCount(), 29);
  people_->Close();
  people_->Open();
  EXPECT_EQ(people_->RecordCount(), 29) << "the database lost the row";
  EXPECT_EQ(RowTexts(u"SURNAME").at(1), "Abramov");
}

TEST_F(CxGridTableSelectionTest, HeaderClicksSortAddAndRemoveColumns) {
  TcxGridDBColumn* surname = Column(u"SURNAME");
  TcxGridDBColumn* city = Column(u"CITY");
  auto click = [&](TcxGridColumn* AColumn, TShiftState AShift, int AMoveBy = 0) {
    Controller()->MouseDown(mbLeft, AShift, 100, 5);
    Controller()->SetPressedColumn(AColumn);
    Controller()->MouseUp(mbLeft, AShift, 100 + AMoveBy, 5);
  };
  struct Step {
    TcxGridColumn* column;
    TShiftState shift;
    TcxDataSortOrder surname;
    TcxDataSortOrder city;
  };
  for (const Step& s : {Step{surname, {}, soAscending, soNone}, Step{surname, {}, soDescending, soNone},
                        Step{surname, {}, soAscending, soNone}, Step{city, {ssShift}, soAscending, soAscending},
                        Step{city, {ssShift}, soAscending, soDescending}, Step{surname, {ssCtrl}, soNone, soDescending},
                        Step{surname, {ssShift}, soAscending, soDescending},
                        Step{surname, {ssCtrl, ssShift}, soDescending, soNone}}) {
    click(s.column, s.shift);
    EXPECT_EQ(surname->SortOrder(), s.surname);
    EXPECT_EQ(city->SortOrder(), s.city);
  }
  EXPECT_EQ(RowTexts(u"SURNAME").front(), "Zotov") << "the rows follow";
  EXPECT_EQ(Controller()->PressedColumn(), nullptr);
  click(city, {}, 20);
  EXPECT_EQ(city->SortOrder(), soNone) << "a press that became a drag does not sort";
  surname->Options()->SetSorting(false);
  click(surname, {});
  EXPECT_EQ(surname->SortOrder(), soDescending) << "the column may not be sorted";
}

TEST_F(CxGridTableSelectionTest, AGroupedColumnTogglesItsOrderAlone) {
  TcxGridDBColumn* city = Column(u"CITY");
  Column(u"SURNAME")->SetSortOrder(soAscending);
  city->SetGroupIndex(0);
  Controller()->MouseDown(mbLeft, {}, 100, 5);
  Controller()->SetPressedColumn(city);
  Controller()->MouseUp(mbLeft, {}, 100, 5);
  EXPECT_EQ(city->SortOrder(), soDescending);
  EXPECT_EQ(Column(u"SURNAME")->SortOrder(), soAscending) << "the other column keeps its order";
}
