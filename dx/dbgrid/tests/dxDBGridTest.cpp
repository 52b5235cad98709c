#include <functional>

#include "DbGridTestSupport.h"
#include "dx/dbgrid/dxDBGrid.h"
#include "platform/classes/Filer.h"
#include "platform/classes/FormResources.h"
#include "platform/data/Field.h"
#include "platform/rtl/Streams.h"

namespace {

const char* const kGridPeople = R"(
CREATE TABLE PEOPLE (ID INTEGER PRIMARY KEY, NAME NVARCHAR(40), AGE INTEGER, NOTE NVARCHAR(200));
INSERT INTO PEOPLE VALUES (1, 'Петров', 30, 'first person of the list'), (2, 'Абаев', 41, NULL),
  (3, 'Сидоров', NULL, 'x'), (4, 'Иванова', 25, 'y');
)";

class DxDBGridTest : public DbGridTest {
 protected:
  void SetUp() override { OpenDatabase(kGridPeople); }
  // A load-all grid on a form with ID, NAME and AGE columns over the open people query.
  TdxDBGrid* MakeGrid(const char* Sql = "SELECT * FROM PEOPLE ORDER BY ID") {
    people = Query(Sql);
    people->Open();
    grid = new TdxDBGrid(NewShownForm());
    grid->SetName(u"Grid1");
    grid->SetParent(static_cast<TWinControl*>(grid->Owner()));
    grid->SetBounds(0, 0, 400, 300);
    grid->SetOptionsDB(grid->OptionsDB() + TdxDBGridOptionsDB{edgoLoadAllRecords});
    for (const char16_t* name : {u"ID", u"NAME", u"AGE"})
      grid->CreateColumnEx(TdxDBGridColumn::StaticClass(), grid)->SetFieldName(name);
    grid->SetKeyField(u"ID");
    grid->SetDataSource(SourceOf(people));
    Pump();
    return grid;
  }
  Variant FocusedKey() const {
    auto* n = static_cast<TdxDBGridNode*>(grid->FocusedNode());
    return n ? n->KeyValue : Null();
  }
  TADOQuery* people = nullptr;
  TdxDBGrid* grid = nullptr;
};

TEST_F(DxDBGridTest, LoadAllMakesOneNodePerRecordWithItsKeyAndValues) {
  MakeGrid();
  EXPECT_EQ(Rows(grid, 1), "Петров,Абаев,Сидоров,Иванова");
  EXPECT_EQ(grid->RecordCount(), 4);
  auto* second = static_cast<TdxDBGridNode*>(grid->GetItem(1));
  EXPECT_EQ(second->KeyValue.AsInteger(), 2);
  EXPECT_EQ(second->RecordIndex, 1);
  // Numbers keep their value beside the text, plain strings only their text, nulls a Null value.
  TNodeVariantData age, name, noAge;
  grid->GetNodeValueData(second, 2, age);
  grid->GetNodeValueData(second, 1, name);
  grid->GetNodeValueData(grid->GetItem(2), 2, noAge);
  EXPECT_TRUE(age.HasFieldValue);
  EXPECT_EQ(age.FieldValue.AsInteger(), 41);
  EXPECT_FALSE(name.HasFieldValue);
  EXPECT_TRUE(noAge.HasFieldValue);
  EXPECT_TRUE(VarIsNull(noAge.FieldValue));
  Variant value;
  grid->GetNodeVariant(second, 1, value);
  EXPECT_EQ(StringToUtf8(VarToStr(value)), "Абаев");
  EXPECT_EQ(FocusedKey().AsInteger(), 1);
}

// A new record's node stands where the record will be: after every row for an appended record,
// before the focused row for an inserted one.
TEST_F(DxDBGridTest, ANewRecordsNodeStandsWhereItsRecordWillBe) {
  struct {
    const char* name;
    std::function<void(TDataSet*)> start;
    int row;
  } const cases[] = {
      {"appended", [](TDataSet* ds) { ds->Append(); }, 4},
      {"inserted", [](TDataSet* ds) { ds->Insert(); }, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    MakeGrid();
    people->Locate(u"ID", 2, {});
    Pump();
    c.start(people);
    Pump();
    ASSERT_EQ(people->State(), dsInsert);
    ASSERT_EQ(grid->GetCount(), 5);
    EXPECT_EQ(grid->FocusedNode(), grid->GetItem(c.row));
    EXPECT_TRUE(VarIsNull(FocusedKey()));
    people->Cancel();
    Pump();
    EXPECT_EQ(Rows(grid, 1), "Петров,Абаев,Сидоров,Иванова");
  }
}

// A node keeps a column's field value and lookup key apart, and replacing or clearing one
// column's data leaves the other columns and the other nodes alone.
TEST_F(DxDBGridTest, StoredColumnValuesAreReplacedPerColumnAndNode) {
  MakeGrid();
  TdxTreeListNode* first = grid->GetItem(0);
  TdxTreeListNode* last = grid->GetItem(3);
  auto read = [&](TdxTreeListNode* Node, int Column) {
    TNodeVariantData data;
    grid->GetNodeValueData(Node, Column, data);
    return data;
  };
  TNodeVariantData both;
  both.HasFieldValue = both.HasLookupKey = true;
  both.FieldValue = Variant(S("Район"));
  both.LookupKeyValue = Variant(7);
  grid->SetNodeValueData(first, 1, both);
  TNodeVariantData keyOnly;
  keyOnly.HasLookupKey = true;
  keyOnly.LookupKeyValue = Variant(8);
  grid->SetNodeValueData(last, 1, keyOnly);

  TNodeVariantData got = read(first, 1);
  EXPECT_TRUE(got.HasFieldValue && got.HasLookupKey);
  EXPECT_EQ(StringToUtf8(VarToStr(got.FieldValue)), "Район");
  EXPECT_EQ(got.LookupKeyValue.AsInteger(), 7);
  got = read(last, 1);
  EXPECT_FALSE(got.HasFieldValue);
  EXPECT_TRUE(VarIsNull(got.FieldValue));
  EXPECT_EQ(got.LookupKeyValue.AsInteger(), 8);
  EXPECT_EQ(read(first, 2).FieldValue.AsInteger(), 30);  // the loaded AGE stays

  TNodeVariantData valueOnly;
  valueOnly.HasFieldValue = true;
  valueOnly.FieldValue = Null();
  grid->SetNodeValueData(first, 1, valueOnly);
  got = read(first, 1);
  EXPECT_TRUE(got.HasFieldValue);
  EXPECT_TRUE(VarIsNull(got.FieldValue));
  EXPECT_FALSE(got.HasLookupKey);
  grid->SetNodeValueData(first, 1, TNodeVariantData());
  got = read(first, 1);
  EXPECT_FALSE(got.HasFieldValue || got.HasLookupKey);
  EXPECT_EQ(read(first, 2).FieldValue.AsInteger(), 30);
  EXPECT_EQ(read(last, 1).LookupKeyValue.AsInteger(), 8);
}

TEST_F(DxDBGridTest, WithoutAKeyFieldNavigationLoadsNothing) {
  MakeGrid();
  grid->SetKeyField(u"");
  EXPECT_EQ(grid->GetCount(), 0);
  EXPECT_TRUE(grid->IsKeyFieldMissing());
  EXPECT_FALSE(grid->CanEditModify());
}

TEST_F(DxDBGridTest, FocusAndCurrentRecordFollowEachOther) {
  MakeGrid();
  people->Locate(u"ID", 3, {});
  Pump();
  EXPECT_EQ(FocusedKey().AsInteger(), 3);
  grid->SetFocusedNode(grid->GetItem(3), 0, true);
  EXPECT_EQ(people->FieldByName(u"ID")->AsInteger(), 4);
  EXPECT_EQ(FocusedKey().AsInteger(), 4);
  grid->SetFocusedNode(grid->GetItem(0), 0, true);
  EXPECT_EQ(people->FieldByName(u"ID")->AsInteger(), 1);
}

TEST_F(DxDBGridTest, ARefreshOfTheDatasetReloadsAndKeepsTheRecordFocused) {
  MakeGrid();
  people->Locate(u"ID", 2, {});
  Execute(
      "UPDATE PEOPLE SET NAME = 'Борисов' WHERE ID = 4; INSERT INTO PEOPLE VALUES (5, 'Ершов', 50, NULL);");
  people->Requery();
  Pump();
  EXPECT_EQ(Rows(grid, 1), "Петров,Абаев,Сидоров,Борисов,Ершов");
  EXPECT_EQ(people->FieldByName(u"ID")->AsInteger(), FocusedKey().AsInteger());
}

// Node record distances go stale when records came or went since the load; deleting must still
// remove the node's own record.
TEST_F(DxDBGridTest, DeleteAfterAStaleDistanceRemovesTheNodesOwnRecord) {
  MakeGrid();
  auto* target = static_cast<TdxDBGridNode*>(grid->GetItem(2));  // ID 3
  target->RecordIndex = 3;                                       // the distance now points at ID 4
  target->DeleteRecord();
  Pump();
  EXPECT_EQ(Rows(grid, 0), "1,2,4");
}

TEST_F(DxDBGridTest, DeleteRefusesWhenTheKeyIsNoLongerThere) {
  MakeGrid();
  auto* target = static_cast<TdxDBGridNode*>(grid->GetItem(2));
  target->KeyValue = 99;
  target->RecordIndex = 3;
  target->DeleteRecord();
  Pump();
  people->Requery();
  EXPECT_EQ(people->RecordCount(), 4);
}

TEST_F(DxDBGridTest, FooterSummariesOverTheLoadedRecords) {
  MakeGrid();
  const struct {
    TdxSummaryType Type;
    const char* Text;
  } cases[] = {{cstSum, "96,00"}, {cstCount, "4"}, {cstMax, "MAX=41,00"}, {cstAvg, "AVG=24,00"}};
  for (const auto& c : cases) {
    grid->Columns(2)->SetSummaryFooterType(c.Type);
    grid->ReloadGrid();
    EXPECT_EQ(StringToUtf8(grid->GetFooterCellText(nullptr, 2, -1)), c.Text);
  }
}

TEST_F(DxDBGridTest, DefaultFieldsFollowTheVisibleFields) {
  MakeGrid();
  grid->SetDefaultFields(true);
  EXPECT_EQ(grid->GetColumnCount(), 4);
  EXPECT_THROW(grid->CreateColumnEx(TdxDBGridColumn::StaticClass(), grid), Exception);
  people->Close();
  people->Open();
  people->FieldByName(u"AGE")->SetVisible(false);
  grid->RefreshColumns();
  ASSERT_EQ(grid->GetColumnCount(), 3);
  EXPECT_EQ(StringToUtf8(grid->Columns(2)->FieldName()), "NOTE");
  people->Close();
  Pump();
  EXPECT_EQ(grid->GetColumnCount(), 0);
}

TEST_F(DxDBGridTest, NewColumnsTakeTheNextFreeName) {
  MakeGrid();
  EXPECT_EQ(StringToUtf8(grid->Columns(2)->Name()), "Grid1Column3");
  auto* blocker = new TdxDBGridColumn(grid);
  blocker->SetName(u"Grid1Column5");  // the name the fifth column would take
  blocker->SetTreeList(grid);
  EXPECT_EQ(StringToUtf8(grid->CreateColumnEx(TdxDBGridColumn::StaticClass(), grid)->Name()), "Grid1Column6");
  EXPECT_EQ(grid->FindColumnByFieldName(u"name"), grid->Columns(1));
}

TEST_F(DxDBGridTest, PreviewTextsAreCutAndIndicatorWidthHasAFloor) {
  MakeGrid();
  grid->SetPreviewMaxLength(5);
  EXPECT_EQ(StringToUtf8(grid->CutPreviewText(u"1234567")), "12345...");
  EXPECT_EQ(StringToUtf8(grid->CutPreviewText(u"12345")), "12345");
  grid->SetPreviewMaxLength(-3);
  EXPECT_EQ(grid->PreviewMaxLength(), 0);
  EXPECT_EQ(StringToUtf8(grid->CutPreviewText(u"1234567")), "1234567");
  grid->SetPreviewMaxLength(5);
  grid->SetPreviewFieldName(u"NOTE");
  EXPECT_EQ(StringToUtf8(grid->GetPreviewText(grid->GetItem(0))), "first...");
  grid->SetGrIndicatorWidth(5);
  EXPECT_EQ(grid->GrIndicatorWidth(), 12);
}

TEST_F(DxDBGridTest, EqualSortValuesFallBackToKeys) {
  MakeGrid();
  auto* a = grid->GetItem(0);
  auto* b = grid->GetItem(1);
  EXPECT_EQ(grid->CompareEqualNodes(a, b), -1);
  EXPECT_EQ(grid->CompareEqualNodes(b, a), 1);
  static_cast<TdxDBGridNode*>(b)->KeyValue = Null();
  EXPECT_EQ(grid->CompareEqualNodes(a, b), 0);
}

TEST_F(DxDBGridTest, ModesFollowOptionsAndGrouping) {
  MakeGrid();
  EXPECT_TRUE(grid->IsLoadAllMode());
  grid->SetOptionsDB(grid->OptionsDB() - TdxDBGridOptionsDB{edgoLoadAllRecords});
  EXPECT_TRUE(grid->IsDataSetWindowMode());
  grid->Columns(1)->SetGroupIndex(0);
  EXPECT_TRUE(grid->IsLoadAllMode());
  people->Close();
  EXPECT_TRUE(grid->IsDataSetWindowMode());
}

}  // namespace

namespace {

TEST_F(DxDBGridTest, IncrementalSearchGoesRoundTheDatasetOnce) {
  MakeGrid();
  const struct {
    int StartId;
    const char16_t* Text;
    int Direction;
    bool Found;
    int EndId;
  } cases[] = {
      {1, u"пет", 0, true, 1},  // the current record matches, ignoring case
      {1, u"ИВ", 0, true, 4},   // forward from the current record
      {4, u"аб", 0, true, 2},   // wraps round past the end
      {2, u"и", 1, true, 4},    // backward wraps round past the start
      {1, u"п", 2, false, 1},   // Ctrl+Enter: the only match is the start record itself
      {3, u"Я", 0, false, 3},   // no match: back on the start record
  };
  for (const auto& c : cases) {
    people->Locate(u"ID", c.StartId, {});
    TdxTreeListNode* node = nullptr;
    EXPECT_EQ(grid->FindNodeByText(1, c.Text, c.Direction, node), c.Found) << StringToUtf8(c.Text);
    EXPECT_EQ(people->FieldByName(u"ID")->AsInteger(), c.EndId) << StringToUtf8(c.Text);
  }
}

TEST_F(DxDBGridTest, BookmarkSelectionStaysInDatasetOrder) {
  MakeGrid();
  grid->SetOptionsBehavior(grid->OptionsBehavior() + TdxDBGridOptionsBehavior{edgoMultiSelect});
  grid->ClearSelection();  // switching multi-select on selected the focused row
  int changes = 0;
  grid->OnSelectedCountChange = [&](TObject*) { ++changes; };
  for (int index : {3, 1}) {
    grid->SetFocusedNode(grid->GetItem(index), 0, true);
    grid->SetNodeSelected(grid->GetItem(index), true);
  }
  ASSERT_EQ(grid->GetSelectedCount(), 2);
  EXPECT_EQ(grid->GetSelectedNode(0), grid->GetItem(1));
  EXPECT_EQ(grid->GetSelectedNode(1), grid->GetItem(3));
  EXPECT_EQ(grid->GetSelectedNode(-1), nullptr);
  EXPECT_EQ(grid->GetSelectedNode(2), nullptr);
  const int before = changes;
  grid->SetNodeSelected(grid->GetItem(1), true);
  EXPECT_EQ(changes, before);
  grid->ReloadGrid();
  EXPECT_EQ(grid->GetSelectedCount(), 0);
  grid->OnSelectedCountChange = nullptr;
}

}  // namespace

namespace {

TEST_F(DxDBGridTest, ACellEditIsWrittenIntoTheRecord) {
  MakeGrid();
  grid->SetFocusedNode(grid->GetItem(1), 1, true);
  grid->SetFocusedColumn(1);
  grid->SetFocus();
  grid->ShowEditor();
  ASSERT_NE(grid->InplaceEditor(), nullptr);
  ASSERT_TRUE(grid->CanEditModify());
  EXPECT_EQ(people->State(), dsEdit);
  grid->InplaceEditor()->SetEditingText(u"Абрамов");
  grid->CloseEditor();
  EXPECT_EQ(StringToUtf8(people->FieldByName(u"NAME")->AsString()), "Абрамов");
  people->Post();
  Pump();
  EXPECT_EQ(Rows(grid, 1), "Петров,Абрамов,Сидоров,Иванова");
  // The key column of a read-only field refuses editing.
  people->FieldByName(u"ID")->SetReadOnly(true);
  grid->SetFocusedColumn(0);
  EXPECT_FALSE(grid->CanEditModify());
}

}  // namespace

namespace {

TEST_F(DxDBGridTest, AGridReadFromAFormLoadsOnceTheFormIsRead) {
  people = Query("SELECT * FROM PEOPLE ORDER BY ID");
  people->SetName(u"People");
  people->Open();
  const String text =
      u"object Form1: TForm\n"
      u"  object Grid1: TdxDBGrid\n"
      u"    DataSource = PeopleSource\n"
      u"    KeyField = 'ID'\n"
      u"    OptionsDB = [edgoCanNavigation, edgoLoadAllRecords, edgoUseBookmarks]\n"
      u"    object Grid1Name: TdxDBGridColumn\n"
      u"      FieldName = 'NAME'\n"
      u"    end\n"
      u"  end\n"
      u"end\n";
  auto* read = ReadGridForm(people, text);
  ASSERT_NE(read, nullptr);
  ASSERT_EQ(read->GetColumnCount(), 1);
  EXPECT_EQ(StringToUtf8(read->Columns(0)->FieldName()), "NAME");
  EXPECT_NE(read->Columns(0)->Field(), nullptr);
  EXPECT_EQ(Rows(read, 0), "Петров,Абаев,Сидоров,Иванова");
}

}  // namespace

namespace {

// A reload discards a record edit that was not posted, as the dataset's owner would on a refresh.
TEST_F(DxDBGridTest, AReloadCancelsAPendingEdit) {
  MakeGrid();
  people->Edit();
  people->FieldByName(u"NAME")->SetAsString(u"Черновик");
  grid->ReloadGrid();
  EXPECT_EQ(people->State(), dsBrowse);
  EXPECT_EQ(Rows(grid, 1), "Петров,Абаев,Сидоров,Иванова");
}

}  // namespace
