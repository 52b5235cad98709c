// A load-all grid over a dataset sorted again: the nodes it holds are rearranged into the new
// order, and the grid then shows what a reload would: the same rows, texts, focus, top row and
// footer. Whatever may have changed the records themselves still reloads them.
#include <functional>
#include <ostream>
#include <string>

#include "DbGridTestSupport.h"
#include "dx/dbgrid/dxDBGrid.h"
#include "platform/data/Field.h"

namespace {

class DxDBGridReorderTest : public DbGridTest {
 protected:
  void SetUp() override {
    std::string script =
        "CREATE TABLE PEOPLE (ID INTEGER PRIMARY KEY, NAME NVARCHAR(40), AGE INTEGER, BORN DATE);"
        "INSERT INTO PEOPLE VALUES ";
    // Forty people, more than a page, with equal names and ages among them.
    const char* const names[] = {"Петров", "Абаев", "Сидоров", "Иванова", "Ершов", "Жуков", "Ёлкин"};
    for (int id = 1; id <= 40; ++id) {
      script += (id > 1 ? "," : "") + std::string("(") + std::to_string(IdOf(id)) + ",'" + names[id * 5 % 7] + "'," +
                (id % 9 == 0 ? "NULL" : std::to_string(20 + id * 7 % 31)) + ",'19" + std::to_string(50 + id) +
                "-0" + std::to_string(1 + id % 9) + "-1" + std::to_string(id % 10) + "')";
    }
    OpenDatabase((script + ";").c_str());
    people = Query("SELECT * FROM PEOPLE ORDER BY ID");
    people->Open();
    grid = NewBoundGrid(people, {u"ID", u"NAME", u"AGE", u"BORN"}, [](TdxDBGrid* g) {
      g->SetOptionsDB(g->OptionsDB() + TdxDBGridOptionsDB{edgoLoadAllRecords});
      g->SetKeyField(u"ID");
      g->Columns(2)->SetSummaryFooterType(cstSum);
    });
  }

  virtual int IdOf(int Number) const { return Number; }

  // Everything a user sees of the grid's state, and what the program reads from its nodes.
  std::string Shown() const {
    auto key = [](TdxTreeListNode* n) {
      return n ? std::to_string(static_cast<TdxDBGridNode*>(n)->KeyValue.AsInteger()) : std::string("-");
    };
    std::string indexes;
    for (int i = 0; i < grid->GetCount(); ++i)
      indexes += std::to_string(static_cast<TdxDBGridNode*>(grid->GetItem(i))->RecordIndex) + " ";
    return "ids " + Rows(grid, 0) + "\nnames " + Rows(grid, 1) + "\nages " + Rows(grid, 2) + "\nborn " +
           Rows(grid, 3) + "\nfocus " + key(grid->FocusedNode()) + " top " + key(grid->TopVisibleNode()) +
           "\nindexes " + indexes + "\nfooter " + std::to_string(grid->Columns(2)->FooterValue());
  }
  bool NodesKept(const std::vector<TdxTreeListNode*>& Before) const {
    std::vector<TdxTreeListNode*> now;
    for (int i = 0; i < grid->GetCount(); ++i) now.push_back(grid->GetItem(i));
    std::sort(now.begin(), now.end());
    std::vector<TdxTreeListNode*> before = Before;
    std::sort(before.begin(), before.end());
    return now == before;
  }
  std::vector<TdxTreeListNode*> Nodes() const {
    std::vector<TdxTreeListNode*> nodes;
    for (int i = 0; i < grid->GetCount(); ++i) nodes.push_back(grid->GetItem(i));
    return nodes;
  }
  // The state a full reload of the dataset as it stands gives.
  std::string ShownAfterReload() {
    grid->ReloadGrid();
    Pump();
    return Shown();
  }

  TADOQuery* people = nullptr;
  TdxDBGrid* grid = nullptr;
};

struct TReorderCase {
  const char* name;
  std::function<void(TADOQuery*)> run;
  bool rearranged;  // the loaded nodes kept, only in another order
};

void SortKeepingTheRecord(TADOQuery* ds, const char16_t* Sort) {
  // As the people list's header click: bookmark, sort, back, under one disabled-controls bracket.
  ds->DisableControls();
  const TBookmark b = ds->GetBookmark();
  ds->SetSort(Sort);
  ds->GotoBookmark(b);
  ds->EnableControls();
}

const TReorderCase kCases[] = {
    {"sort by name", [](TADOQuery* ds) { ds->SetSort(u"NAME"); }, true},
    {"sort by two columns, one descending", [](TADOQuery* ds) { ds->SetSort(u"AGE DESC , NAME ASC "); }, true},
    {"sort from a record deep in the list back to it",
     [](TADOQuery* ds) {
       ds->Locate(u"ID", 33, {});
       SortKeepingTheRecord(ds, u"BORN DESC");
     },
     true},
    {"sort from the last record", [](TADOQuery* ds) { ds->Last(), SortKeepingTheRecord(ds, u"NAME DESC"); }, true},
    {"index fields", [](TADOQuery* ds) { ds->SetIndexFieldNames(u"AGE;NAME"); }, true},
    {"a filter keeping fewer records",
     [](TADOQuery* ds) {
       ds->SetFilter(u"AGE > 30");
       ds->SetFiltered(true);
     },
     false},
    {"a value changed, then a sort",
     [](TADOQuery* ds) {
       ds->Locate(u"ID", 7, {});
       ds->Edit();
       ds->FieldByName(u"AGE")->SetAsInteger(99);
       ds->Post();
       ds->SetSort(u"AGE");
     },
     false},
    {"a record deleted, then a sort",
     [](TADOQuery* ds) {
       ds->Locate(u"ID", 12, {});
       ds->Delete();
       ds->SetSort(u"NAME");
     },
     false},
};

void PrintTo(const TReorderCase& Case, std::ostream* Out) { *Out << Case.name; }

class DxDBGridReorder : public DxDBGridReorderTest, public ::testing::WithParamInterface<TReorderCase> {};

TEST_P(DxDBGridReorder, ShowsWhatAReloadShows) {
  const TReorderCase& c = GetParam();
  grid->SetFocusedNode(grid->GetItem(20), 0, true);
  Pump();
  const std::vector<TdxTreeListNode*> before = Nodes();
  c.run(people);
  Pump();
  EXPECT_EQ(NodesKept(before), c.rearranged);
  const std::string shown = Shown();
  EXPECT_EQ(shown, ShownAfterReload());
  EXPECT_EQ(static_cast<TdxDBGridNode*>(grid->FocusedNode())->KeyValue.AsInteger(),
            people->FieldByName(u"ID")->AsInteger());
}

INSTANTIATE_TEST_SUITE_P(Table, DxDBGridReorder, ::testing::ValuesIn(kCases));

// What a reload does besides filling nodes must still happen: a handler that fills or reads each
// node, and a selection listed in the new order.
TEST_F(DxDBGridReorderTest, HandlersOfTheReloadAndASelectionStillReload) {
  int refreshed = 0;
  grid->OnRefreshNodeData = [&](TObject*, TdxTreeListNode*) { ++refreshed; };
  people->SetSort(u"NAME");
  Pump();
  EXPECT_EQ(refreshed, 40);

  grid->OnRefreshNodeData = nullptr;
  grid->SetOptionsBehavior(grid->OptionsBehavior() + TdxDBGridOptionsBehavior{edgoMultiSelect});
  grid->SetNodeSelected(grid->GetItem(3), true);
  const std::vector<TdxTreeListNode*> before = Nodes();
  people->SetSort(u"AGE");
  Pump();
  EXPECT_FALSE(NodesKept(before));
  ASSERT_EQ(grid->GetSelectedCount(), 1);
}

// Two records sharing a key cannot be told apart by it: the grid loads them again.
TEST_F(DxDBGridReorderTest, DuplicateKeysReload) {
  grid->SetKeyField(u"AGE");
  Pump();
  const std::vector<TdxTreeListNode*> before = Nodes();
  people->SetSort(u"NAME");
  Pump();
  EXPECT_FALSE(NodesKept(before));
  EXPECT_EQ(Shown(), ShownAfterReload());
}

// Keys spread far over their range are found by hashing instead of by place: the same result.
class DxDBGridReorderSparseKeysTest : public DxDBGridReorderTest {
 protected:
  int IdOf(int Number) const override { return Number * 7919 - 150000; }
};

TEST_F(DxDBGridReorderSparseKeysTest, AreReorderedAsDenseOnes) {
  const std::vector<TdxTreeListNode*> before = Nodes();
  people->SetSort(u"NAME DESC");
  Pump();
  EXPECT_TRUE(NodesKept(before));
  EXPECT_EQ(Shown(), ShownAfterReload());
}

// Ungrouping records that did not change keeps their rows: the group rows go, the record rows stand
// in the dataset's order again, and the grid shows what a reload shows. What a reload would serve
// besides filling nodes (a deletion handler, a selection) still reloads.
struct TUngroupCase {
  const char* name;
  std::function<void(TdxDBGrid*)> setup;
  bool kept;  // the record rows kept
};

const TUngroupCase kUngroupCases[] = {
    {"grouped by name", [](TdxDBGrid*) {}, true},
    {"a record row focused deep in a group",
     [](TdxDBGrid* g) { g->SetFocusedNode(g->GetItem(g->GetCount() - 1)->GetLastChild(), 0, true); }, true},
    {"a deletion handler", [](TdxDBGrid* g) { g->OnDeletion = [](TObject*, TdxTreeListNode*) {}; }, false},
    {"a selected record row",
     [](TdxDBGrid* g) {
       g->SetOptionsBehavior(g->OptionsBehavior() + TdxDBGridOptionsBehavior{edgoMultiSelect});
       g->SetNodeSelected(g->GetItem(1)->GetFirstChild(), true);
     },
     false},
};

void PrintTo(const TUngroupCase& Case, std::ostream* Out) { *Out << Case.name; }

class DxDBGridUngroup : public DxDBGridReorderTest, public ::testing::WithParamInterface<TUngroupCase> {};

TEST_P(DxDBGridUngroup, ShowsWhatAReloadShows) {
  const TUngroupCase& c = GetParam();
  grid->Columns(1)->SetGroupIndex(0);
  Pump();
  ASSERT_GT(grid->GetItem(0)->GetCount(), 0);
  c.setup(grid);
  Pump();
  std::vector<TdxTreeListNode*> records;
  for (int i = 0; i < grid->GetCount(); ++i)
    for (int r = 0; r < grid->GetItem(i)->GetCount(); ++r) records.push_back(grid->GetItem(i)->GetItem(r));
  grid->ClearGrouping();
  Pump();
  EXPECT_EQ(NodesKept(records), c.kept);
  EXPECT_EQ(grid->GetCount(), 40);
  const std::string shown = Shown();
  EXPECT_EQ(shown, ShownAfterReload());
  EXPECT_EQ(static_cast<TdxDBGridNode*>(grid->FocusedNode())->KeyValue.AsInteger(),
            people->FieldByName(u"ID")->AsInteger());
}

INSTANTIATE_TEST_SUITE_P(Table, DxDBGridUngroup, ::testing::ValuesIn(kUngroupCases));

// A grouped grid over a dataset sorted again: the group rows stay (expanded or collapsed as they
// were), each group's record rows take the dataset's new order, and the grid shows what a reload
// keeping the grouping shows. A change of the records themselves still reloads.
struct TGroupedReorderCase {
  const char* name;
  std::vector<int> groupedColumns;  // levels in order
  std::function<void(TADOQuery*)> run;
  bool kept;  // every node, group rows included, kept
};

const TGroupedReorderCase kGroupedReorderCases[] = {
    {"one level, sort by age", {1}, [](TADOQuery* ds) { ds->SetSort(u"AGE DESC , ID ASC "); }, true},
    {"two levels, sort by birth date", {1, 2}, [](TADOQuery* ds) { ds->SetSort(u"BORN DESC"); }, true},
    {"sort by the grouped column, descending", {1}, [](TADOQuery* ds) { ds->SetSort(u"NAME DESC , BORN ASC "); }, true},
    {"sort from a record deep in the list back to it", {1},
     [](TADOQuery* ds) {
       ds->Locate(u"ID", 33, {});
       SortKeepingTheRecord(ds, u"BORN");
     },
     true},
    {"a value changed, then a sort", {1},
     [](TADOQuery* ds) {
       ds->Locate(u"ID", 7, {});
       ds->Edit();
       ds->FieldByName(u"NAME")->SetAsString(u"Абаев");
       ds->Post();
       ds->SetSort(u"AGE");
     },
     false},
};

void PrintTo(const TGroupedReorderCase& Case, std::ostream* Out) { *Out << Case.name; }

class DxDBGridGroupedReorder : public DxDBGridReorderTest, public ::testing::WithParamInterface<TGroupedReorderCase> {
 protected:
  // Every row in tree order: a group row as "value +|- key@index (summary)", a record row as key@index;
  // then the focus and the footer. (The top row is not compared: the reload restores the expanded
  // states after it made the focused row visible, so its page can start lower.)
  std::string Tree() const {
    std::string s;
    auto key = [](TdxTreeListNode* n) {
      return n ? std::to_string(static_cast<TdxDBGridNode*>(n)->KeyValue.AsInteger()) : std::string("-");
    };
    grid->FindNodeInTreeOrder([&](TdxTreeListNode* Node) {
      auto* n = static_cast<TdxDBGridNode*>(Node);
      s += std::string(2 * static_cast<size_t>(Node->GetLevel()), ' ');
      if (grid->IsGroupNode(Node))
        s += StringToUtf8(VarToStr(n->Group().Value)) + (Node->Expanded() ? " + " : " - ") + key(Node) + "@" +
             std::to_string(n->RecordIndex) + " (" + std::to_string(grid->GetSummaryValueAsFloat(n)) + ")\n";
      else
        s += key(Node) + "@" + std::to_string(n->RecordIndex) + "\n";
      return false;
    });
    return s + "focus " + key(grid->FocusedNode()) + " footer " + std::to_string(grid->Columns(2)->FooterValue());
  }
  std::vector<TdxTreeListNode*> AllNodes() const {
    std::vector<TdxTreeListNode*> nodes;
    grid->FindNodeInTreeOrder([&](TdxTreeListNode* Node) {
      nodes.push_back(Node);
      return false;
    });
    std::sort(nodes.begin(), nodes.end());
    return nodes;
  }
};

TEST_P(DxDBGridGroupedReorder, ShowsWhatAReloadKeepingTheGroupingShows) {
  const TGroupedReorderCase& c = GetParam();
  grid->BeginGroupUpdate();
  for (size_t level = 0; level < c.groupedColumns.size(); ++level)
    grid->Columns(c.groupedColumns[level])->SetGroupIndex(static_cast<int>(level));
  grid->EndGroupUpdate();
  grid->Columns(c.groupedColumns[0])->SetSummaryType(cstSum);
  grid->Columns(c.groupedColumns[0])->SetSummaryField(u"AGE");
  grid->ReloadGrid();
  // Some groups open, one of them at the second level, and a record row focused inside one.
  for (int i = 0; i < grid->GetCount(); i += 2) grid->GetItem(i)->SetExpanded(true);
  if (grid->GetItem(0)->GetFirstChild()->HasChildren()) grid->GetItem(0)->GetFirstChild()->SetExpanded(true);
  TdxTreeListNode* record = grid->GetItem(2);
  while (record->HasChildren()) record = record->GetLastChild();
  grid->SetFocusedNode(record, 0, true);
  Pump();
  const std::vector<TdxTreeListNode*> before = AllNodes();
  c.run(people);
  Pump();
  EXPECT_EQ(AllNodes() == before, c.kept);
  const std::string shown = Tree();
  // A reload that keeps the grouped fields keeps the groups' expanded states too.
  grid->BeginGroupUpdate();
  grid->EndGroupUpdate();
  Pump();
  EXPECT_EQ(shown, Tree());
  EXPECT_EQ(static_cast<TdxDBGridNode*>(grid->FocusedNode())->KeyValue.AsInteger(),
            people->FieldByName(u"ID")->AsInteger());
}

INSTANTIATE_TEST_SUITE_P(Table, DxDBGridGroupedReorder, ::testing::ValuesIn(kGroupedReorderCases));

}  // namespace
