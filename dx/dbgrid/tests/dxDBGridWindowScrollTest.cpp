// The grid in dataset-window mode: its scroll bar and the wheel move the dataset.
#include "DbGridTestSupport.h"
#include "dx/dbgrid/dxDBGrid.h"
#include "platform/data/Field.h"
#include "platform/win/Input.h"
#include "platform/win/Windows.h"

namespace {

// Forty people, more than a grid of 300 pixels shows.
const char* const kManyPeople = R"(
CREATE TABLE PEOPLE (ID INTEGER PRIMARY KEY, NAME NVARCHAR(40));
WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 40)
INSERT INTO PEOPLE SELECT i, printf('P%02d', i) FROM n;
)";

class DxDBGridWindowScrollTest : public DbGridTest {
 protected:
  void SetUp() override { OpenDatabase(kManyPeople); }
  void MakeGrid() {
    people = Query("SELECT * FROM PEOPLE ORDER BY ID");
    people->Open();
    grid = new TdxDBGrid(NewShownForm());
    grid->SetParent(static_cast<TWinControl*>(grid->Owner()));
    grid->SetBounds(0, 0, 400, 300);
    for (const char16_t* name : {u"ID", u"NAME"})
      grid->CreateColumnEx(TdxDBGridColumn::StaticClass(), grid)->SetFieldName(name);
    grid->SetDataSource(SourceOf(people));
    Pump();
  }
  int Current() const { return people->FieldByName(u"ID")->AsInteger(); }
  void Scroll(WORD Code, int Position = 0) {
    SendMessage(grid->Handle(), WM_VSCROLL, MAKEWPARAM(Code, static_cast<WORD>(Position)), 0);
    Pump();
  }
  TADOQuery* people = nullptr;
  TdxDBGrid* grid = nullptr;
};

TEST_F(DxDBGridWindowScrollTest, TheScrollBarMovesTheDataset) {
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
    const int from = Current();
    Scroll(c.code, c.position);
    // -1 stands for "the record just above the window's first row".
    EXPECT_EQ(Current(), c.expected == -1 ? from - top - 1 : c.expected);
    // The focused row shows the current record.
    Variant id;
    grid->GetNodeVariant(grid->FocusedNode(), 0, id);
    EXPECT_EQ(id.AsInteger(), Current());
  }
}

TEST_F(DxDBGridWindowScrollTest, TheWheelMovesTheCurrentRecordARow) {
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
  EXPECT_EQ(Current(), 6);
  SimulateWheel(120, inside);
  SimulateWheel(120, inside);
  Pump();
  EXPECT_EQ(Current(), 4);
}

}  // namespace
