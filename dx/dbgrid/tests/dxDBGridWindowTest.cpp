// The grid in its default mode: rows are the data link's window over the dataset.
#include <cstdio>
#include <functional>

#include "DbGridTestSupport.h"
#include "dx/dbgrid/dxDBGrid.h"
#include "platform/data/Field.h"
#include "platform/display/testing/CheckedScreens.h"
#include "platform/gdi/Gdi.h"
#include "platform/win/Input.h"
#include "platform/win/Windows.h"

namespace {

// Forty people, P01..P40, more than a grid of 300 pixels shows.
const char* const kManyPeople = R"(
CREATE TABLE PEOPLE (ID INTEGER PRIMARY KEY, NAME NVARCHAR(40));
WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 40)
INSERT INTO PEOPLE SELECT i, printf('P%02d', i) FROM n;
)";

class DxDBGridWindowTest : public DbGridTest {
 protected:
  void SetUp() override { OpenDatabase(kManyPeople); }
  TdxDBGrid* MakeGrid(const char* Sql = "SELECT * FROM PEOPLE ORDER BY ID") {
    people = Query(Sql);
    people->Open();
    grid = new TdxDBGrid(NewShownForm());
    grid->SetParent(static_cast<TWinControl*>(grid->Owner()));
    grid->SetBounds(0, 0, 400, 300);
    for (const char16_t* name : {u"ID", u"NAME"})
      grid->CreateColumnEx(TdxDBGridColumn::StaticClass(), grid)->SetFieldName(name);
    grid->SetDataSource(SourceOf(people));
    Pump();
    return grid;
  }
  std::string Current() const { return StringToUtf8(people->FieldByName(u"NAME")->AsString()); }
  int CurrentId() const { return people->FieldByName(u"ID")->AsInteger(); }
  // What the vertical scroll bar sends for Code.
  void Scroll(WORD Code, int Position = 0) {
    SendMessage(grid->Handle(), WM_VSCROLL, MAKEWPARAM(Code, static_cast<WORD>(Position)), 0);
    Pump();
  }
  std::string FocusedText() const {
    String text;
    grid->GetNodeString(grid->FocusedNode(), 1, text);
    return StringToUtf8(text);
  }
  std::string RowText(int Row) const {
    String text;
    grid->GetNodeString(grid->GetItem(Row), 1, text);
    return StringToUtf8(text);
  }
  TADOQuery* people = nullptr;
  TdxDBGrid* grid = nullptr;
};

TEST_F(DxDBGridWindowTest, RowsAreTheBufferedRecordsThatFit) {
  MakeGrid();
  ASSERT_TRUE(grid->IsDataSetWindowMode());
  const int rows = grid->GetCount();
  EXPECT_GT(rows, 3);
  EXPECT_LT(rows, 40);
  EXPECT_EQ(grid->GetDataLink()->BufferCount(), rows);
  EXPECT_EQ(RowText(0), "P01");
  char last[8];
  std::snprintf(last, sizeof last, "P%02d", rows);
  EXPECT_EQ(RowText(rows - 1), last);
  Variant id;
  grid->GetNodeVariant(grid->GetItem(2), 0, id);
  EXPECT_EQ(id.AsInteger(), 3);
  EXPECT_EQ(grid->FocusedNode(), grid->GetItem(0));
  // Reading a row leaves the dataset on its current record.
  EXPECT_EQ(Current(), "P01");
  // Closing the dataset leaves one row.
  people->Close();
  Pump();
  EXPECT_EQ(grid->GetCount(), 1);
}

TEST_F(DxDBGridWindowTest, FocusFollowsTheDatasetAndScrollsTheWindow) {
  MakeGrid();
  const int rows = grid->GetCount();
  people->MoveBy(2);
  Pump();
  EXPECT_EQ(grid->FocusedNode(), grid->GetItem(2));
  EXPECT_EQ(FocusedText(), "P03");
  // Beyond the window: the rows shift, the count stays, the focus stays on the current record.
  people->Locate(u"ID", 30, {});
  Pump();
  EXPECT_EQ(grid->GetCount(), rows);
  EXPECT_EQ(FocusedText(), "P30");
  EXPECT_NE(RowText(0), "P01");
  // The scroll bar stands for the whole dataset.
  int min = 0, max = 0, position = 0, page = 0;
  grid->GetVScrollInfo(min, max, position, page);
  EXPECT_EQ(min, 1);
  EXPECT_EQ(page, rows);
  EXPECT_EQ(max, 40 + rows - 1);
  EXPECT_EQ(position, 30);
  people->Last();
  Pump();
  EXPECT_EQ(grid->FocusedNode(), grid->GetItem(rows - 1));
  EXPECT_EQ(FocusedText(), "P40");
}

TEST_F(DxDBGridWindowTest, FocusingARowMovesTheDataset) {
  MakeGrid();
  grid->SetFocusedNode(grid->GetItem(4), 0, true);
  EXPECT_EQ(Current(), "P05");
  EXPECT_EQ(grid->FocusedNode(), grid->GetItem(4));
  grid->SetFocusedNode(grid->GetItem(1), 0, true);
  EXPECT_EQ(Current(), "P02");
  EXPECT_EQ(FocusedText(), "P02");
}

TEST_F(DxDBGridWindowTest, ArrowKeysPastTheWindowsEdgeMoveTheDataset) {
  MakeGrid();
  const int rows = grid->GetCount();
  grid->SetFocus();
  Pump();
  for (int i = 0; i < rows; ++i) SimulateKeyPress(VK_DOWN);
  Pump();
  char name[8];
  std::snprintf(name, sizeof name, "P%02d", rows + 1);
  EXPECT_EQ(Current(), name);
  EXPECT_EQ(FocusedText(), name);
  EXPECT_EQ(grid->FocusedNode(), grid->GetItem(rows - 1));
  SimulateKeyPress(VK_UP);
  Pump();
  std::snprintf(name, sizeof name, "P%02d", rows);
  EXPECT_EQ(Current(), name);
  EXPECT_EQ(FocusedText(), name);
}

// The painter reads each row's cells from its own buffered record: a row over a record without a
// name leaves its name cell blank while its neighbours show theirs.
TEST_F(DxDBGridWindowTest, EachRowIsPaintedFromItsBufferedRecord) {
  Execute("UPDATE PEOPLE SET NAME = NULL WHERE ID = 3");
  MakeGrid();
  grid->Repaint();
  Pump();
  KeepCheckedWindow(grid->Handle());
  const COLORREF ink = ColorToColorRef(clWindowText);
  auto inkIn = [&](int Row) {
    RECT r;
    grid->GetCellRect(grid->GetItem(Row), 1, r);
    HDC dc = GetDC(grid->Handle());
    int n = 0;
    for (int y = r.top + 1; y < r.bottom - 1; ++y)
      for (int x = r.left + 1; x < r.right - 1; ++x) n += GetPixel(dc, x, y) == ink;
    ReleaseDC(grid->Handle(), dc);
    return n;
  };
  EXPECT_GT(inkIn(1), 0);
  EXPECT_EQ(inkIn(2), 0);
  EXPECT_GT(inkIn(3), 0);
}

TEST_F(DxDBGridWindowTest, AnEmptyDatasetStillShowsOneEmptyRow) {
  MakeGrid("SELECT * FROM PEOPLE WHERE ID > 100");
  ASSERT_EQ(grid->GetCount(), 1);
  EXPECT_EQ(RowText(0), "");
  Variant id;
  grid->GetNodeVariant(grid->GetItem(0), 0, id);
  EXPECT_TRUE(VarIsNull(id));
}

TEST_F(DxDBGridWindowTest, ADeletedRecordLeavesTheWindow) {
  MakeGrid();
  people->Locate(u"ID", 2, {});
  Pump();
  people->Delete();
  Pump();
  EXPECT_EQ(RowText(1), "P03");
  EXPECT_EQ(Current(), FocusedText());
}

// The scroll bar and the wheel move the dataset; the rows follow its window.
TEST_F(DxDBGridWindowTest, TheScrollBarMovesTheDataset) {
  MakeGrid();
  ASSERT_TRUE(grid->IsDataSetWindowMode());
  const int rows = grid->GetCount();
  const int page = grid->FullVisibleRowCount();
  ASSERT_GT(rows, 3);
  struct {
    const char* name;
    std::function<void()> before;
    WORD code;
    int position;
    int expected;
  } const cases[] = {
      {"line down from the first row: the record below the window", [this] { people->First(); }, SB_LINEDOWN,
       0, rows + 1},
      {"line up: the record above the window", [this] { people->Locate(u"ID", 20, {}); }, SB_LINEUP, 0, -1},
      {"page down", [this] { people->First(); }, SB_PAGEDOWN, 0, 1 + page},
      {"page up", [this] { people->Locate(u"ID", 30, {}); }, SB_PAGEUP, 0, 30 - page},
      {"thumb to record 10", [this] { people->First(); }, SB_THUMBPOSITION, 10, 10},
      {"thumb past the end", [this] { people->First(); }, SB_THUMBPOSITION, 99, 40},
      {"bottom", [this] { people->First(); }, SB_BOTTOM, 0, 40},
      {"top", [this] { people->Last(); }, SB_TOP, 0, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    c.before();
    Pump();
    const int top = grid->GetDataLink()->ActiveRecord();
    const int from = CurrentId();
    Scroll(c.code, c.position);
    // -1 stands for "the record just above the window's first row".
    EXPECT_EQ(CurrentId(), c.expected == -1 ? from - top - 1 : c.expected);
    // The focused row shows the current record.
    Variant id;
    grid->GetNodeVariant(grid->FocusedNode(), 0, id);
    EXPECT_EQ(id.AsInteger(), CurrentId());
  }
}

TEST_F(DxDBGridWindowTest, TheWheelMovesTheCurrentRecordARow) {
  MakeGrid();
  people->Locate(u"ID", 5, {});
  grid->SetFocus();
  Pump();
  RECT r;
  GetWindowRect(grid->Handle(), &r);
  const POINT inside{r.left + 50, r.top + 60};
  SimulateMouseMove(inside);
  SimulateWheel(-120, inside);
  Pump();
  EXPECT_EQ(CurrentId(), 6);
  SimulateWheel(120, inside);
  SimulateWheel(120, inside);
  Pump();
  EXPECT_EQ(CurrentId(), 4);
}

// With wrapped rows each row is as tall as its record's text: the window holds the records whose
// rows fit whole, counted from the top, and is fitted again whenever the dataset scrolls.
TEST_F(DxDBGridWindowTest, WrappedRowsHoldAsManyRecordsAsFitWhole) {
  // Every fifth name wraps to three lines in the narrow column.
  Execute("UPDATE PEOPLE SET NAME = NAME || ' Иванова-Петрова Сидоровна' WHERE ID % 5 = 2");
  MakeGrid();
  const int fixedRows = grid->GetCount();
  grid->SetMaxRowLineCount(3);
  grid->GetColumn(1)->SetWidth(90);
  grid->SetOptionsView(grid->OptionsView() + TdxDBGridOptionsView{edgoRowAutoHeight});
  Pump();
  ASSERT_TRUE(grid->HasVariableRowHeights());
  TdxTreeListRectInfo areas;
  grid->CalcRectInfo(areas);
  const int area = areas.Rows.bottom - areas.Rows.top;
  const int single = grid->GetRowHeight(grid->GetItem(0), grid->DefaultRowHeight(), true);
  const int wrapped = grid->GetRowHeight(grid->GetItem(1), grid->DefaultRowHeight(), true);
  ASSERT_GT(wrapped, 2 * single) << "the long name wraps";
  // The records from First on whose rows fit whole, with the heights just measured.
  auto fitting = [&](int FirstId) {
    int rows = 0;
    for (int id = FirstId, sum = 0; id <= 40; ++id, ++rows) {
      sum += id % 5 == 2 ? wrapped : single;
      if (sum > area) break;
    }
    return rows;
  };
  auto firstRowId = [&] {
    Variant id;
    grid->GetNodeVariant(grid->GetItem(0), 0, id);
    return id.AsInteger();
  };
  struct {
    const char* name;
    std::function<void()> move;
  } const cases[] = {
      {"at the start", [this] { people->First(); }},
      {"a page on", [this] { Scroll(SB_PAGEDOWN); }},
      {"at the end", [this] { people->Last(); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    c.move();
    Pump();
    EXPECT_EQ(grid->GetCount(), fitting(firstRowId()));
    EXPECT_LT(grid->GetCount(), fixedRows);
    EXPECT_EQ(grid->GetDataLink()->RecordCount(), grid->GetCount());
    EXPECT_EQ(FocusedText(), Current()) << "the focused row is the current record's";
    EXPECT_EQ(grid->FullVisibleRowCount(), grid->GetCount());
  }
  // The scroll to the end repainted the rows: below the last whole row nothing of a further record
  // is painted in the name column.
  KeepCheckedWindow(grid->Handle());
  RECT last, cell;
  grid->GetNodeRect(grid->GetItem(grid->GetCount() - 1), last);
  grid->GetCellRect(grid->GetItem(grid->GetCount() - 1), 1, cell);
  ASSERT_LE(last.bottom, areas.Rows.bottom);
  HDC dc = GetDC(grid->Handle());
  const COLORREF background = GetPixel(dc, cell.left + 2, areas.Rows.bottom - 1);
  int ink = 0;
  for (int y = last.bottom + 1; y < areas.Rows.bottom; ++y)
    for (int x = cell.left + 1; x < cell.right - 1; ++x) ink += GetPixel(dc, x, y) != background;
  RECT above;
  grid->GetCellRect(grid->GetItem(grid->GetCount() - 2), 1, above);
  int text = 0;
  for (int y = above.top + 1; y < above.bottom - 1; ++y)
    for (int x = above.left + 1; x < above.right - 1; ++x)
      text += GetPixel(dc, x, y) == ColorToColorRef(clWindowText);
  ReleaseDC(grid->Handle(), dc);
  EXPECT_EQ(ink, 0);
  EXPECT_GT(text, 0) << "the row above the focused one shows its name";
}

// A preview sized to its text is read from each row's own record: rows without a note have no
// preview line, and the window holds fewer records than with plain rows.
TEST_F(DxDBGridWindowTest, EachRowsPreviewIsItsOwnRecords) {
  Execute(
      "ALTER TABLE PEOPLE ADD NOTE NVARCHAR(80);"
      "UPDATE PEOPLE SET NOTE = 'Записка ' || ID WHERE ID % 3 = 0;");
  MakeGrid();
  const int plainRows = grid->GetCount();
  grid->SetPreviewFieldName(u"NOTE");
  grid->SetOptionsView(grid->OptionsView() + TdxDBGridOptionsView{edgoPreview, edgoAutoCalcPreviewLines});
  Pump();
  ASSERT_TRUE(grid->HasVariableRowHeights());
  EXPECT_LT(grid->GetCount(), plainRows);
  EXPECT_EQ(StringToUtf8(grid->GetPreviewText(grid->GetItem(2))), "Записка 3");
  EXPECT_EQ(grid->GetPreviewText(grid->GetItem(1)), u"");
  const int plain = grid->GetRowHeight(grid->GetItem(1), grid->DefaultRowHeight(), true);
  EXPECT_GT(grid->GetRowHeight(grid->GetItem(2), grid->DefaultRowHeight(), true), plain);
  EXPECT_EQ(grid->GetRowHeight(grid->GetItem(3), grid->DefaultRowHeight(), true), plain);
  people->Locate(u"ID", 20, {});
  Pump();
  const int row = grid->GetDataLink()->ActiveRecord();
  EXPECT_EQ(StringToUtf8(grid->GetPreviewText(grid->GetItem(row + 1))), "Записка 21");
  EXPECT_EQ(Current(), "P20") << "reading a preview leaves the dataset where it was";
}

}  // namespace
