// A column's filter drop-down and the custom filter dialog over a real SQLite dataset: the value
// list's order, limit and case folding, the fixed entries, preselection, choosing by mouse and
// keys, the list's size, and the dialog's load, OR group, empty values and refused entries.
#include <functional>

#include "DbGridTestSupport.h"
#include "dx/dbgrid/dxDBGrid.h"
#include "dx/dbgrid/dxDBGridFilterDropDown.h"
#include "dx/dbgrid/dxFilterEdit.h"
#include "dx/dbgrid/dxGrFDlg.h"
#include "platform/display/testing/CheckedScreens.h"
#include "platform/rtl/CodePage.h"
#include "platform/win/Input.h"
#include "platform/win/Windows.h"

namespace {

const char* const kDropDownPeople = R"(
CREATE TABLE PEOPLE (ID INTEGER PRIMARY KEY, NAME NVARCHAR(40), CITY NVARCHAR(40), AGE INTEGER);
INSERT INTO PEOPLE VALUES (1, 'Петров', 'Омск', 10), (2, 'Абаев', 'Тула', 20), (3, 'Сидоров', 'Омск', NULL),
  (4, 'Иванова', 'Тула', 30), (5, 'Кузнецов', NULL, 40);
)";

enum { kDropId, kDropName, kDropCity, kDropAge };

std::string Entries(TStrings* Items) {
  std::string s;
  for (int i = 0; i < Items->Count(); ++i) s += (i ? "," : "") + StringToUtf8(Items->Strings(i));
  return s;
}

TEST(DxDBGridFilterValuesTest, SortedDistinctLimitedAndFoldedValues) {
  struct Case {
    const char* what;
    int maxCount;
    bool caseInsensitive, append;
    std::vector<const char16_t*> added;
    const char* expected;
  } cases[] = {
      {"sorted, limited", 3, false, false, {u"C", u"A", u"D", u"B"}, "A,C,D"},
      {"duplicates dropped", 0, false, false, {u"b", u"a", u"b"}, "a,b"},
      {"case folded", 0, true, false, {u"омск", u"Омск", u"тула"}, "ОМСК,ТУЛА"},
      {"case kept", 0, false, false, {u"омск", u"Омск"}, "Омск,омск"},
      {"appended as given", 2, false, true, {u"b", u"a", u"b"}, "b,a,b"},
  };
  for (const Case& c : cases) {
    TdxDBGridFilterValues values;
    values.MaxCount = c.maxCount;
    values.CaseInsensitive = c.caseInsensitive;
    for (const char16_t* text : c.added)
      values.AddValue(text, VarFromAnsiString(StringToAnsi(text)), c.append);
    EXPECT_EQ(Entries(&values), c.expected) << c.what;
    for (int i = 0; i < values.Count(); ++i)
      EXPECT_EQ(VarToStr(values.Value(i)), values.Strings(i)) << c.what;
  }
}

class DxDBGridFilterDropDownTest : public DbGridTest {
 protected:
  void SetUp() override {
    OpenDatabase(kDropDownPeople);
    people = Query("SELECT * FROM PEOPLE ORDER BY ID");
    people->Open();
    grid = NewBoundGrid(people, {u"ID", u"NAME", u"CITY", u"AGE"}, [&](TdxDBGrid* g) {
      const char16_t* names[] = {u"colId", u"colName", u"colCity", u"colAge"};
      for (int i = 0; i < 4; ++i) {
        g->Columns(i)->SetName(names[i]);
        g->Columns(i)->SetWidth(90);
      }
      g->Columns(kDropCity)->SetCaption(u"Город");
      g->SetKeyField(u"ID");
      g->SetOptionsDB(g->OptionsDB() + TdxDBGridOptionsDB{edgoLoadAllRecords});
      g->Filter()->SetActive(true);
    });
    grid->SetFocus();
    Pump();
  }
  TdxDBTreeListColumn* Column(int Index) const { return grid->Columns(Index); }
  // Clicks the filter button of a column's header.
  void ClickFilterButton(int ColumnIndex) {
    TdxTreeListDrawInfo info;
    grid->CalcDrawInfo(info);
    const RECT r = info.FindHeader(ColumnIndex)->Rect;
    // Clear of the sizing zone at the header's right edge.
    for (int x = r.right - 9; x > r.left; --x) {
      int part = 0;
      const int y = (r.top + r.bottom) / 2;
      if (grid->IsHotTrackHeader(x, y, part, ColumnIndex) && part == 2) {
        SimulateClick(TSimButton::Left, grid->ClientToScreen(POINT{x, y}));
        Pump();
        return;
      }
    }
    ADD_FAILURE() << "no filter button in column " << ColumnIndex;
  }
  TdxDBGridFilterPopupListBox* List() const { return grid->FilterDropDown(); }
  void ClickEntry(int Index) {
    RECT item;
    SendMessage(List()->Handle(), LB_GETITEMRECT, Index, reinterpret_cast<LPARAM>(&item));
    SimulateClick(TSimButton::Left,
                  List()->ClientToScreen(POINT{item.left + 5, (item.top + item.bottom) / 2}));
    Pump();
  }
  std::string Keys() const {
    std::string s;
    for (int i = 0; i < grid->GetAbsoluteCount(); ++i)
      s += (i ? "," : "") +
           StringToUtf8(VarToStr(static_cast<TdxDBGridNode*>(grid->GetAbsoluteNode(i))->KeyValue));
    return s;
  }

  TADOQuery* people = nullptr;
  TdxDBGrid* grid = nullptr;
};

TEST_F(DxDBGridFilterDropDownTest, TheHeaderButtonListsTheColumnsValuesAndChoosingOneFilters) {
  ClickFilterButton(kDropCity);
  ASSERT_TRUE(grid->FilterDropDownVisible());
  ASSERT_TRUE(IsWindowVisible(List()->Handle()));
  EXPECT_EQ(Entries(List()->Items()), "(All),(Custom...),(Blanks),(NonBlanks),Омск,Тула");
  EXPECT_EQ(List()->ItemIndex(), 0);
  // Placed under the header, in screen coordinates.
  TdxTreeListDrawInfo info;
  grid->CalcDrawInfo(info);
  RECT bounds;
  GetWindowRect(List()->Handle(), &bounds);
  const POINT under = grid->ClientToScreen(
      POINT{info.FindHeader(kDropCity)->Rect.left, info.FindHeader(kDropCity)->Rect.bottom});
  EXPECT_EQ(bounds.left, under.x);
  EXPECT_EQ(bounds.top, under.y);
  KeepCheckedScreen("open");

  ClickEntry(5);
  EXPECT_FALSE(grid->FilterDropDownVisible());
  EXPECT_FALSE(IsWindowVisible(List()->Handle()));
  EXPECT_EQ(Keys(), "2,4");
  EXPECT_EQ(grid->GetFilterText(), u"(Город = Тула)");
  // Reopened, the list still holds the hidden records' values and preselects the choice.
  ClickFilterButton(kDropCity);
  EXPECT_EQ(Entries(List()->Items()), "(All),(Custom...),(Blanks),(NonBlanks),Омск,Тула");
  EXPECT_EQ(List()->ItemIndex(), 5);
  // Keys reach the list through the grid: down to "(NonBlanks)"... up from Тула twice, then Enter.
  SimulateKeyPress(VK_UP);
  SimulateKeyPress(VK_UP);
  SimulateKeyPress(VK_RETURN);
  Pump();
  EXPECT_FALSE(grid->FilterDropDownVisible());
  EXPECT_EQ(grid->GetFilterText(), u"(NOT (Город Is Null))");
  EXPECT_EQ(Keys(), "1,2,3,4");
  ClickFilterButton(kDropCity);
  EXPECT_EQ(List()->ItemIndex(), 3);
  // Esc closes without choosing.
  SimulateKeyPress(VK_HOME);
  SimulateKeyPress(VK_ESCAPE);
  Pump();
  EXPECT_FALSE(grid->FilterDropDownVisible());
  EXPECT_EQ(Keys(), "1,2,3,4");
  // "(All)" clears the column.
  ClickFilterButton(kDropCity);
  ClickEntry(0);
  EXPECT_EQ(Keys(), "1,2,3,4,5");
  EXPECT_TRUE(grid->Filter()->IsEmpty());
}

// Values met again are left out before they are sorted in: the limit still counts the first
// distinct values in row order, and the folded list keeps one entry per value.
TEST_F(DxDBGridFilterDropDownTest, TheListGathersEachValueOnceInRowOrderUnderTheLimit) {
  struct Case {
    const char* what;
    int column, maxCount;
    bool caseInsensitive;
    const char* expected;
  } cases[] = {
      {"integers", kDropAge, 0, false, "(All),(Custom...),(Blanks),(NonBlanks),10,20,30,40"},
      {"texts limited to the first met", kDropCity, 1, false, "(All),(Custom...),(Blanks),(NonBlanks),Омск"},
      {"texts folded", kDropCity, 0, true, "(All),(Custom...),(Blanks),(NonBlanks),ОМСК,ТУЛА"},
      {"no blanks, limited", kDropName, 3, false, "(All),(Custom...),Абаев,Петров,Сидоров"},
  };
  for (const Case& c : cases) {
    grid->Filter()->SetMaxDropDownCount(c.maxCount);
    grid->Filter()->SetCaseInsensitive(c.caseInsensitive);
    grid->ShowFilterDropDown(c.column);
    ASSERT_TRUE(grid->FilterDropDownVisible()) << c.what;
    EXPECT_EQ(Entries(List()->Items()), c.expected) << c.what;
    grid->CloseFilterDropDown(false);
  }
}

TEST_F(DxDBGridFilterDropDownTest, CancellingADragOrSizingClosesTheListWithoutChoosing) {
  ClickFilterButton(kDropCity);
  ASSERT_TRUE(grid->FilterDropDownVisible());
  List()->SetItemIndex(5);
  grid->CancelDragSizing();
  EXPECT_FALSE(grid->FilterDropDownVisible());
  EXPECT_FALSE(IsWindowVisible(List()->Handle()));
  EXPECT_TRUE(grid->Filter()->IsEmpty());
  EXPECT_EQ(Keys(), "1,2,3,4,5");
}

TEST_F(DxDBGridFilterDropDownTest, TheListIsAsHighAsItsEntriesUpToDropDownCount) {
  for (int count : {3, 12, 0}) {
    grid->Filter()->SetDropDownCount(count);
    ClickFilterButton(kDropName);
    const int entries = List()->Items()->Count();
    EXPECT_EQ(entries, 7);
    const int rows = count > 0 && entries >= count ? count : entries;
    EXPECT_EQ(List()->ClientHeight(), rows * List()->ItemHeight()) << count;
    SimulateKeyPress(VK_ESCAPE);
    Pump();
  }
  // A column without blanks lists no blank entries; a click outside closes without choosing.
  ClickFilterButton(kDropName);
  EXPECT_EQ(Entries(List()->Items()), "(All),(Custom...),Абаев,Иванова,Кузнецов,Петров,Сидоров");
  SendMessage(grid->Handle(), WM_CANCELMODE, 0, 0);
  EXPECT_FALSE(grid->FilterDropDownVisible());
  EXPECT_TRUE(grid->Filter()->IsEmpty());
}

TEST_F(DxDBGridFilterDropDownTest, TheCustomDialogLoadsAndSavesTwoConditions) {
  {
    TfmCustomDialog dialog(nullptr, Column(kDropAge), grid->Filter()->Criteria());
    EXPECT_EQ(dialog.Caption(), u"Custom AutoFilter");
    EXPECT_EQ(dialog.OperatorEdit1->Text(), u"0");
    EXPECT_EQ(dialog.OperatorEdit2->Text(), u"-1");
    EXPECT_EQ(dialog.OperatorEdit1->Values()->Count(), 8);
    EXPECT_EQ(dialog.OperatorEdit2->Values()->Count(), 9);
    EXPECT_EQ(dialog.ValueEdit1->Text(), u"");
    EXPECT_TRUE(dialog.rbAnd->Checked());
    dialog.OperatorEdit1->SetText(u"2");
    dialog.ValueEdit1->SetText(u"35");
    dialog.rbOr->SetChecked(true);
    dialog.OperatorEdit2->SetText(u"4");
    dialog.ValueEdit2->SetText(u"15");
    dialog.SetModalResult(mrOk);
    bool canClose = false;
    dialog.FormCloseQuery(&dialog, canClose);
    ASSERT_TRUE(canClose);
    dialog.ApplyConditions();
  }
  grid->Filter()->Changed();
  EXPECT_EQ(grid->GetFilterText(), u"((AGE > 35) OR (AGE < 15))");
  // A missing age sorts before every number, so it counts as less than 15.
  EXPECT_EQ(Keys(), "1,3,5");
  Variant value;
  EXPECT_EQ(grid->Filter()->GetColumnFilterKind(Column(kDropAge), value), 4);
  // Opened again it shows both rows and the Or.
  TfmCustomDialog again(nullptr, Column(kDropAge), grid->Filter()->Criteria());
  EXPECT_EQ(again.OperatorEdit1->Text(), u"2");
  EXPECT_EQ(again.ValueEdit1->Text(), u"35");
  EXPECT_EQ(again.OperatorEdit2->Text(), u"4");
  EXPECT_EQ(again.ValueEdit2->Text(), u"15");
  EXPECT_TRUE(again.rbOr->Checked());
}

TEST_F(DxDBGridFilterDropDownTest, TheCustomDialogTreatsEmptyValuesAsBlanksAndRefusesBadOnes) {
  struct Case {
    const char16_t* op;
    const char16_t* value;
    const char16_t* text;
  } cases[] = {
      {u"1", u"", u"(NOT (AGE Is Null))"},   {u"0", u"", u"(AGE Is Null)"}, {u"4", u"", u"(AGE Is Null)"},
      {u"7", u"12", u"(NOT (AGE Is Null))"}, {u"0", u"20", u"(AGE = 20)"},
  };
  for (const Case& c : cases) {
    TfmCustomDialog dialog(nullptr, Column(kDropAge), grid->Filter()->Criteria());
    dialog.OperatorEdit1->SetText(c.op);
    dialog.ValueEdit1->SetText(c.value);
    dialog.SetModalResult(mrOk);
    bool canClose = false;
    dialog.FormCloseQuery(&dialog, canClose);
    ASSERT_TRUE(canClose);
    dialog.ApplyConditions();
    EXPECT_EQ(grid->Filter()->Criteria()->GetDisplayText(), c.text) << StringToUtf8(c.op);
  }
  TfmCustomDialog dialog(nullptr, Column(kDropAge), grid->Filter()->Criteria());
  dialog.ValueEdit1->SetText(u"двадцать");
  dialog.SetModalResult(mrOk);
  bool canClose = true;
  try {
    dialog.FormCloseQuery(&dialog, canClose);
    ADD_FAILURE() << "a value that is no number was taken";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), u"Invalid value");
  }
  EXPECT_FALSE(canClose);
  // Cancel asks nothing.
  dialog.SetModalResult(mrCancel);
  canClose = true;
  dialog.FormCloseQuery(&dialog, canClose);
  EXPECT_TRUE(canClose);
}

}  // namespace
