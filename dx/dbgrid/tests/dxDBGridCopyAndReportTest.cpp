// Columns copied from another grid with its grouping, focus changes reported once through
// OnChangeNodeEx, and dataset-window rows copied as text from the dataset itself.
#include "DbGridTestSupport.h"
#include "dx/dbgrid/dxDBGrid.h"
#include "platform/classes/StringList.h"
#include "platform/data/DataSet.h"
#include "platform/data/Field.h"

namespace {

const char* const kCopyPeople = R"(
CREATE TABLE PEOPLE (ID INTEGER PRIMARY KEY, NAME NVARCHAR(40), CITY NVARCHAR(40));
INSERT INTO PEOPLE VALUES (1, 'Петров', 'Омск'), (2, 'Абаев', 'Тула'), (3, 'Сидоров', 'Омск'),
  (4, 'Иванова', 'Тула');
)";

class DxDBGridCopyAndReportTest : public DbGridTest {
 protected:
  void SetUp() override { OpenDatabase(kCopyPeople); }
  TdxDBGrid* MakeGrid(bool LoadAll) {
    TADOQuery* people = Query("SELECT * FROM PEOPLE ORDER BY ID");
    people->Open();
    return NewBoundGrid(people, {u"ID", u"NAME", u"CITY"}, [&](TdxDBGrid* g) {
      g->SetKeyField(u"ID");
      if (LoadAll) g->SetOptionsDB(g->OptionsDB() + TdxDBGridOptionsDB{edgoLoadAllRecords});
      g->SetOptionsBehavior(g->OptionsBehavior() + TdxDBGridOptionsBehavior{edgoMultiSelect});
    });
  }
  static std::vector<std::string> Lines(TStrings& Strings) {
    std::vector<std::string> lines;
    for (int i = 0; i < Strings.Count(); ++i) lines.push_back(StringToUtf8(Strings.Strings(i)));
    return lines;
  }
};

TEST_F(DxDBGridCopyAndReportTest, AssignedColumnsBringTheirFieldsNamesAndGrouping) {
  TdxDBGrid* source = MakeGrid(true);
  const char16_t* names[] = {u"SrcId", u"SrcName", u"SrcCity"};
  for (int i = 0; i < 3; ++i) source->Columns(i)->SetName(names[i]);
  source->Columns(2)->SetGroupIndex(0);
  ASSERT_EQ(source->GroupCount(), 1);

  TdxDBGrid* copy = MakeGrid(true);  // on a form of its own: the names are free there
  copy->AssignColumns(source);
  ASSERT_EQ(copy->GetColumnCount(), 3);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(StringToUtf8(copy->Columns(i)->Name()), StringToUtf8(names[i]));
    EXPECT_EQ(StringToUtf8(copy->Columns(i)->FieldName()), StringToUtf8(source->Columns(i)->FieldName()));
  }
  ASSERT_EQ(copy->GroupCount(), 1);
  EXPECT_EQ(copy->GetGroupColumn(0), copy->Columns(2));
  ASSERT_EQ(copy->GetCount(), 2);  // Omsk and Tula
  EXPECT_EQ(StringToUtf8(VarToStr(static_cast<TdxDBGridNode*>(copy->GetItem(0))->Group().Value)), "Омск");

  // Onto itself's form the names are taken: the copy keeps made names instead of failing halfway.
  TdxDBGrid* sameForm = new TdxDBGrid(source->Owner());
  EXPECT_NO_THROW(sameForm->AssignColumns(source));
  EXPECT_EQ(sameForm->GetColumnCount(), 3);
}

TEST_F(DxDBGridCopyAndReportTest, AChangeInsideASelectionBracketIsReportedOnceAtItsEnd) {
  TdxDBGrid* grid = MakeGrid(true);
  TDataSet* people = grid->DataSource()->DataSet();
  int reports = 0;
  grid->OnChangeNodeEx = [&](TObject*) { ++reports; };
  grid->BeginSelection();
  grid->EndSelection();
  EXPECT_EQ(reports, 0);  // nothing changed

  grid->BeginSelection();
  people->Next();
  Pump();
  grid->SetNodeSelected(grid->FocusedNode(), true);
  EXPECT_EQ(reports, 0);
  grid->EndSelection();
  EXPECT_EQ(reports, 1);

  // Selecting the focused row is a change of its own.
  people->Next();
  Pump();
  const int afterMove = reports;
  EXPECT_GT(afterMove, 1);
  grid->SetNodeSelected(grid->FocusedNode(), true);
  EXPECT_EQ(reports, afterMove + 1);
}

TEST_F(DxDBGridCopyAndReportTest, WindowRowsAreCopiedFromTheDatasetWhichKeepsItsRecord) {
  TdxDBGrid* grid = MakeGrid(false);
  ASSERT_TRUE(grid->IsDataSetWindowMode());
  TDataSet* people = grid->DataSource()->DataSet();
  people->Locate(u"ID", 3, {});
  Pump();
  TStringList all;
  grid->CopyAllToStrings(&all);
  const std::vector<std::string> expected = {"ID\tNAME\tCITY\r\n", "1\tПетров\tОмск", "2\tАбаев\tТула",
                                             "3\tСидоров\tОмск", "4\tИванова\tТула"};
  EXPECT_EQ(Lines(all), expected);
  EXPECT_EQ(people->FieldByName(u"ID")->AsInteger(), 3);

  grid->SelectRangeByBookmarks(false, 0);  // from record 3 to the last
  people->Locate(u"ID", 1, {});
  Pump();
  TStringList selected;
  grid->CopySelectedToStrings(&selected);
  EXPECT_EQ(Lines(selected), (std::vector<std::string>{expected[0], expected[3], expected[4]}));
  EXPECT_EQ(people->FieldByName(u"ID")->AsInteger(), 1);
}

}  // namespace
