#include "DbGridTestSupport.h"
#include "dx/dbgrid/dxDBGrid.h"
#include "platform/data/Field.h"

namespace {

const char* const kRefreshPeople = R"(
CREATE TABLE PEOPLE (ID INTEGER NOT NULL UNIQUE, NAME NVARCHAR(40));
INSERT INTO PEOPLE VALUES (1, 'Петров'), (2, 'Абаев'), (3, 'Сидоров'), (4, 'Иванова');
)";

class DxDBGridSmartRefreshTest : public DbGridTest {
 protected:
  void SetUp() override { OpenDatabase(kRefreshPeople); }
  TdxDBGrid* MakeGrid(bool Smart) {
    people = Query("SELECT * FROM PEOPLE ORDER BY ID");
    people->Open();
    grid = new TdxDBGrid(NewShownForm());
    grid->SetParent(static_cast<TWinControl*>(grid->Owner()));
    grid->SetBounds(0, 0, 400, 300);
    TdxDBGridOptionsDB options = grid->OptionsDB() + TdxDBGridOptionsDB{edgoLoadAllRecords};
    if (Smart) options.Include(edgoSmartRefresh);
    grid->SetOptionsDB(options);
    for (const char16_t* name : {u"ID", u"NAME"})
      grid->CreateColumnEx(TdxDBGridColumn::StaticClass(), grid)->SetFieldName(name);
    grid->SetKeyField(u"ID");
    grid->SetDataSource(SourceOf(people));
    Pump();
    // A mark a reload would not carry over to the new nodes.
    for (int i = 0; i < grid->GetCount(); ++i) static_cast<TdxDBGridNode*>(grid->GetItem(i))->EditGroup().Value = 42;
    return grid;
  }
  // How many nodes still carry the mark made after the load.
  int MarkedNodes() {
    int n = 0;
    for (int i = 0; i < grid->GetCount(); ++i)
      n += !VarIsNull(static_cast<TdxDBGridNode*>(grid->GetItem(i))->Group().Value) ? 1 : 0;
    return n;
  }
  int FocusedKey() { return static_cast<TdxDBGridNode*>(grid->FocusedNode())->KeyValue.AsInteger(); }

  TADOQuery* people = nullptr;
  TdxDBGrid* grid = nullptr;
};

TEST_F(DxDBGridSmartRefreshTest, APostedEditRefreshesOnlyItsNodeWithSmartRefresh) {
  for (const bool smart : {true, false}) {
    SCOPED_TRACE(smart ? "smart refresh" : "full reload");
    MakeGrid(smart);
    people->Locate(u"ID", 2, {});
    Pump();
    people->Edit();
    people->FieldByName(u"NAME")->SetAsString(u"Абрамов");
    people->Post();
    Pump();
    EXPECT_EQ(Rows(grid, 1), "Петров,Абрамов,Сидоров,Иванова");
    EXPECT_EQ(MarkedNodes(), smart ? 4 : 0);
    EXPECT_EQ(FocusedKey(), 2);
    TearDown();
  }
}

TEST_F(DxDBGridSmartRefreshTest, APostedNewRecordKeepsItsNodeAndTakesItsKey) {
  MakeGrid(true);
  people->Locate(u"ID", 2, {});
  Pump();
  people->Insert();
  Pump();
  ASSERT_EQ(grid->GetCount(), 5);
  people->FieldByName(u"ID")->SetAsInteger(7);
  people->FieldByName(u"NAME")->SetAsString(u"Новиков");
  people->Post();
  Pump();
  EXPECT_EQ(grid->GetCount(), 5);
  EXPECT_EQ(MarkedNodes(), 4) << "the four old nodes were not reloaded";
  EXPECT_EQ(FocusedKey(), 7);
  String name;
  grid->GetNodeString(grid->FocusedNode(), 1, name);
  EXPECT_EQ(StringToUtf8(name), "Новиков");
}

TEST_F(DxDBGridSmartRefreshTest, AChangeOfARecordWithoutANodeLeavesTheNodesAsTheyAre) {
  MakeGrid(true);
  people->Locate(u"ID", 3, {});
  Pump();
  // Another program's record shows up only with the next full reload.
  Execute("INSERT INTO PEOPLE VALUES (9, 'Чужой')");
  people->Edit();
  people->FieldByName(u"NAME")->SetAsString(u"Сидорова");
  people->Post();
  Pump();
  EXPECT_EQ(Rows(grid, 1), "Петров,Абаев,Сидорова,Иванова");
  EXPECT_EQ(MarkedNodes(), 4);
}

}  // namespace
