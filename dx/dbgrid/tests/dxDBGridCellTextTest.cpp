// A load-all grid shows each row's own record, wherever the dataset's current record is.
#include "DbGridTestSupport.h"
#include "dx/dbgrid/dxDBGrid.h"

namespace {

class DxDBGridCellTextTest : public DbGridTest {
 protected:
  void SetUp() override {
    OpenDatabase(
        "CREATE TABLE PEOPLE (ID INTEGER PRIMARY KEY, NAME NVARCHAR(40));"
        "INSERT INTO PEOPLE VALUES (1, 'Петров'), (2, 'Абаев'), (3, 'Сидоров');");
    people = Query("SELECT * FROM PEOPLE ORDER BY ID");
    people->Open();
  }
  // A shown load-all grid of the names, keyed by ID.
  TdxDBGrid* NewNamesGrid() {
    auto* grid = new TdxDBGrid(NewShownForm());
    grid->SetParent(static_cast<TWinControl*>(grid->Owner()));
    grid->SetBounds(0, 0, 400, 300);
    grid->SetOptionsDB(grid->OptionsDB() + TdxDBGridOptionsDB{edgoLoadAllRecords});
    grid->CreateColumnEx(TdxDBGridColumn::StaticClass(), grid)->SetFieldName(u"NAME");
    grid->SetKeyField(u"ID");
    grid->SetDataSource(SourceOf(people));
    Pump();
    return grid;
  }
  TADOQuery* people = nullptr;
};

TEST_F(DxDBGridCellTextTest, EachRowShowsItsOwnRecord) {
  TdxDBGrid* grid = NewNamesGrid();
  for (bool last : {false, true}) {
    SCOPED_TRACE(last ? "on the last record" : "on the first record");
    last ? people->Last() : people->First();
    std::string shown;
    for (int i = 0; i < grid->GetAbsoluteCount(); ++i)
      shown += (i ? "," : "") + StringToUtf8(grid->GetCellText(grid->GetAbsoluteNode(i), 0));
    EXPECT_EQ(shown, "Петров,Абаев,Сидоров");
  }
}

// A grid's records are flat rows: the first cell starts at the row's left edge, with no tree part.
TEST_F(DxDBGridCellTextTest, RowsBeginWithTheirFirstCell) {
  TdxDBGrid* grid = NewNamesGrid();
  TdxTreeListNode* first = grid->GetAbsoluteNode(0);
  ASSERT_NE(first, nullptr);
  const POINT mid{200, 0};
  int y = -1;
  for (int probe = 0; probe < 300 && y < 0; ++probe)
    if (grid->GetNodeAt(mid.x, probe) == first) y = probe;
  ASSERT_GE(y, 0);
  TdxTreeListHitInfo hit;
  grid->GetHitInfo(POINT{3, y}, hit);
  EXPECT_EQ(hit.HitKind, tlhCell);
  EXPECT_EQ(hit.Node, first);
}

}  // namespace
