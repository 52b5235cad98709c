// Number and date cells keep only their values in a load-all grid and are formatted when asked
// for: the texts must stay the ones the fields show for their records, whatever the field's kind,
// format, handler or Null, and follow a text set on a cell or a moved column.
#include <string>
#include <utility>
#include <vector>

#include "DbGridTestSupport.h"
#include "dx/dbgrid/dxDBGrid.h"
#include "platform/data/Field.h"
#include "platform/data/FieldTypes.h"

namespace {

class DxDBGridValueTextTest : public DbGridTest {
 protected:
  void SetUp() override {
    OpenDatabase(
        "CREATE TABLE PEOPLE (ID INTEGER PRIMARY KEY, NAME NVARCHAR(40), AGE INTEGER, BORN DATE,"
        " SEEN DATETIME, SCORE INTEGER, ROOM INTEGER);"
        "INSERT INTO PEOPLE VALUES"
        " (1, 'Петров', 41, '1983-04-09', '2024-02-29 13:05:00', 1500, 12),"
        " (2, 'Абаев', NULL, NULL, NULL, NULL, NULL),"
        " (3, 'Сидоров', -7, '2001-12-31', '2023-01-01 00:00:00', 0, 3);");
    people = Query("SELECT * FROM PEOPLE ORDER BY ID");
    people->Open();
    // Formats and a handler set before the load: the cells must show them.
    static_cast<TIntegerField*>(people->FieldByName(u"SCORE"))->SetDisplayFormat(u"#,##0.0");
    static_cast<TDateTimeField*>(people->FieldByName(u"SEEN"))->SetDisplayFormat(u"dd.mm.yyyy hh:nn");
    people->FieldByName(u"ROOM")->OnGetText = [](TField* Sender, String& Text, bool) {
      Text = Sender->IsNull() ? String(u"нет") : u"к. " + Sender->AsString();
    };
    grid = NewBoundGrid(people, {u"ID", u"NAME", u"AGE", u"BORN", u"SEEN", u"SCORE", u"ROOM"}, [](TdxDBGrid* g) {
      g->SetOptionsDB(g->OptionsDB() + TdxDBGridOptionsDB{edgoLoadAllRecords});
      g->SetKeyField(u"ID");
    });
  }
  // Each row's cell texts, beside what the fields show for that row's record. The texts are read
  // first: a move of the dataset may reload the grid.
  void ExpectFieldTexts() {
    ASSERT_EQ(grid->GetCount(), 3);
    std::vector<std::pair<Variant, std::vector<std::string>>> rows;
    for (int row = 0; row < grid->GetCount(); ++row) {
      TdxTreeListNode* node = grid->GetItem(row);
      rows.push_back({static_cast<TdxDBGridNode*>(node)->KeyValue, {}});
      for (int c = 0; c < grid->GetColumnCount(); ++c) rows.back().second.push_back(StringToUtf8(node->GetString(c)));
    }
    for (const auto& [key, texts] : rows) {
      ASSERT_TRUE(people->Locate(u"ID", key, {}));
      for (int c = 0; c < grid->GetColumnCount(); ++c) {
        SCOPED_TRACE("person " + std::to_string(key.AsInteger()) + ", column " + std::to_string(c));
        EXPECT_EQ(texts[static_cast<size_t>(c)], StringToUtf8(grid->Columns(c)->Field()->DisplayText()));
      }
    }
  }

  TADOQuery* people = nullptr;
  TdxDBGrid* grid = nullptr;
};

TEST_F(DxDBGridValueTextTest, CellsShowTheFieldsTexts) {
  ExpectFieldTexts();
  EXPECT_EQ(Rows(grid, 6), "к. 12,нет,к. 3");
  // The values themselves are kept as the fields gave them.
  EXPECT_EQ(grid->GetItem(0)->GetValue(2).AsInteger(), 41);
  EXPECT_TRUE(VarIsNull(grid->GetItem(1)->GetValue(3)));
}

TEST_F(DxDBGridValueTextTest, ATextSetOnACellIsKept) {
  TdxTreeListNode* node = grid->GetItem(0);
  node->SetString(3, u"весной");
  EXPECT_EQ(StringToUtf8(node->GetString(3)), "весной");
  // The value stays, and the other cells of the column still show their records' dates.
  EXPECT_FALSE(VarIsNull(node->GetValue(3)));
  ASSERT_TRUE(people->Locate(u"ID", 3, {}));
  EXPECT_EQ(StringToUtf8(grid->GetItem(2)->GetString(3)), StringToUtf8(people->FieldByName(u"BORN")->DisplayText()));
}

TEST_F(DxDBGridValueTextTest, TextsAndValuesFollowAMovedColumn) {
  const std::string ages = Rows(grid, 2), born = Rows(grid, 3);
  TdxDBTreeListColumn* age = grid->Columns(2);
  age->SetIndex(5);
  Pump();
  ASSERT_EQ(grid->Columns(5), age);
  EXPECT_EQ(Rows(grid, 5), ages);
  EXPECT_EQ(Rows(grid, 2), born);
  EXPECT_EQ(grid->GetItem(0)->GetValue(5).AsInteger(), 41);
  ExpectFieldTexts();
}

}  // namespace
