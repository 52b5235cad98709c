// The grid's partial-load mode over a real dataset of 300 people.
#include "DbGridTestSupport.h"
#include "dx/dbgrid/dxDBGrid.h"
#include "platform/data/Field.h"

namespace {

const char* const kCrowd = R"(
CREATE TABLE PEOPLE (ID INTEGER PRIMARY KEY, NAME NVARCHAR(40));
WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 300)
INSERT INTO PEOPLE SELECT i, printf('P%03d', i) FROM n;
)";

class DxDBGridPartialTest : public DbGridTest {
 protected:
  void SetUp() override { OpenDatabase(kCrowd); }
  TdxDBGrid* MakeGrid(int StartId, const char* Sql = "SELECT * FROM PEOPLE ORDER BY ID") {
    people = Query(Sql);
    people->Open();
    if (StartId) people->Locate(u"ID", StartId, {});
    grid = new TdxDBGrid(NewShownForm());
    grid->SetParent(static_cast<TWinControl*>(grid->Owner()));
    grid->SetBounds(0, 0, 400, 300);
    grid->SetPartialLoad(true);
    grid->SetPartialLoadBufferCount(20);
    for (const char16_t* name : {u"ID", u"NAME"})
      grid->CreateColumnEx(TdxDBGridColumn::StaticClass(), grid)->SetFieldName(name);
    grid->SetKeyField(u"ID");
    grid->SetDataSource(SourceOf(people));
    Pump();
    return grid;
  }
  int Key(int Row) const { return static_cast<TdxDBGridNode*>(grid->GetItem(Row))->KeyValue.AsInteger(); }
  int FocusedKey() const { return static_cast<TdxDBGridNode*>(grid->FocusedNode())->KeyValue.AsInteger(); }
  int CurrentId() const { return people->FieldByName(u"ID")->AsInteger(); }
  // Each node's key is one more than the previous one's: a contiguous stretch of the dataset.
  bool Contiguous() const {
    for (int i = 1; i < grid->GetCount(); ++i)
      if (Key(i) != Key(i - 1) + 1) return false;
    return true;
  }
  TADOQuery* people = nullptr;
  TdxDBGrid* grid = nullptr;
};

TEST_F(DxDBGridPartialTest, LoadsAStretchAroundTheCurrentRecord) {
  MakeGrid(150);
  ASSERT_TRUE(grid->IsPartialLoadMode());
  const int count = grid->GetCount();
  EXPECT_GT(count, 20);
  EXPECT_LT(count, 300);
  EXPECT_TRUE(Contiguous());
  EXPECT_LT(Key(0), 150);
  EXPECT_GT(Key(count - 1), 150);
  EXPECT_EQ(FocusedKey(), 150);
  EXPECT_EQ(CurrentId(), 150);
  EXPECT_EQ(static_cast<TdxDBGridNode*>(grid->FocusedNode())->RecordIndex, 0);
  EXPECT_FALSE(grid->BofLoaded());
  EXPECT_FALSE(grid->EofLoaded());
}

TEST_F(DxDBGridPartialTest, ScrollingTowardsAnEndLoadsTheNextBlock) {
  MakeGrid(150);
  const int before = grid->GetCount();
  const int firstKey = Key(0), lastKey = Key(before - 1);
  grid->SetTopIndex(before - 3);
  Pump();
  EXPECT_GT(grid->GetCount(), before);
  EXPECT_EQ(Key(0), firstKey);  // nothing dropped at the far end
  EXPECT_GT(Key(grid->GetCount() - 1), lastKey);
  EXPECT_TRUE(Contiguous());
  EXPECT_EQ(CurrentId(), 150);
  const int grown = grid->GetCount();
  grid->SetTopIndex(0);
  Pump();
  EXPECT_LT(Key(0), firstKey);
  EXPECT_GT(grid->GetCount(), grown);
  EXPECT_TRUE(Contiguous());
  EXPECT_EQ(FocusedKey(), 150);
}

TEST_F(DxDBGridPartialTest, BofStopsFurtherBackwardLoads) {
  MakeGrid(3);
  EXPECT_EQ(Key(0), 1);
  EXPECT_TRUE(grid->BofLoaded());
  const int count = grid->GetCount();
  grid->SetTopIndex(0);
  Pump();
  EXPECT_EQ(grid->GetCount(), count);
  EXPECT_EQ(FocusedKey(), 3);
}

TEST_F(DxDBGridPartialTest, MovingTheDatasetBeyondTheStretchReloadsAroundIt) {
  MakeGrid(150);
  people->Locate(u"ID", 280, {});
  Pump();
  EXPECT_EQ(FocusedKey(), 280);
  EXPECT_TRUE(Contiguous());
  people->First();
  Pump();
  EXPECT_EQ(FocusedKey(), 1);
  EXPECT_EQ(Key(0), 1);
  EXPECT_TRUE(grid->BofLoaded());
  // Focusing a loaded row moves the dataset by its distance.
  grid->SetFocusedNode(grid->GetItem(5), 0, true);
  EXPECT_EQ(CurrentId(), 6);
  EXPECT_EQ(FocusedKey(), 6);
}

TEST_F(DxDBGridPartialTest, AnEmptyDatasetSetsBothEnds) {
  MakeGrid(0, "SELECT * FROM PEOPLE WHERE ID > 1000");
  EXPECT_EQ(grid->GetCount(), 0);
  EXPECT_TRUE(grid->BofLoaded());
  EXPECT_TRUE(grid->EofLoaded());
}

TEST_F(DxDBGridPartialTest, LoadingAllRecordsKeepsTheCurrentOneFocusedAndTheDistancesRight) {
  MakeGrid(150);
  ASSERT_LT(grid->GetCount(), 300);
  grid->LoadPartial(3, 0);
  Pump();
  ASSERT_EQ(grid->GetCount(), 300);
  EXPECT_TRUE(grid->BofLoaded());
  EXPECT_TRUE(grid->EofLoaded());
  EXPECT_TRUE(Contiguous());
  EXPECT_EQ(CurrentId(), 150);
  EXPECT_EQ(FocusedKey(), 150);
  EXPECT_EQ(static_cast<TdxDBGridNode*>(grid->GetItem(0))->RecordIndex, -149);
  // A distance move from the focused node still reaches the node's own record.
  grid->SetFocusedNode(grid->GetItem(10), 0, true);
  EXPECT_EQ(CurrentId(), 11);
}

}  // namespace
