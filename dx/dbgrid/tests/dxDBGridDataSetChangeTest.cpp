// A load-all grid answering its dataset's change announcements: cursor moves announced as changes
// of the whole dataset keep the loaded nodes and only move the focus; changes of the records,
// their order or their values load the nodes again.
#include <functional>
#include <ostream>

#include "DbGridTestSupport.h"
#include "dx/dbgrid/dxDBGrid.h"
#include "platform/data/Field.h"

namespace {

const char* const kPeople = R"(
CREATE TABLE PEOPLE (ID INTEGER PRIMARY KEY, NAME NVARCHAR(40), AGE INTEGER, NOTE NVARCHAR(200));
INSERT INTO PEOPLE VALUES (1, 'Петров', 30, 'p'), (2, 'Абаев', 41, 'a'), (3, 'Сидоров', NULL, 's'),
  (4, 'Иванова', 25, 'i'), (5, 'Ершов', 52, 'e');
)";
const char* const kAllRows = "Петров,Абаев,Сидоров,Иванова,Ершов";

class DxDBGridDataSetChangeTest : public DbGridTest {
 protected:
  void SetUp() override {
    OpenDatabase(kPeople);
    people = Query("SELECT * FROM PEOPLE ORDER BY ID");
    people->Open();
    grid = NewBoundGrid(people, {u"ID", u"NAME", u"AGE"}, [this](TdxDBGrid* g) {
      g->SetOptionsDB(g->OptionsDB() + TdxDBGridOptionsDB{edgoLoadAllRecords});
      g->SetKeyField(u"ID");
      g->OnClearNodeData = [this](TObject*) { ++walks; };
    });
    walks = 0;
  }
  std::vector<TdxTreeListNode*> Nodes() const {
    std::vector<TdxTreeListNode*> nodes;
    for (int i = 0; i < grid->GetCount(); ++i) nodes.push_back(grid->GetItem(i));
    return nodes;
  }
  int FocusedKey() const {
    auto* n = static_cast<TdxDBGridNode*>(grid->FocusedNode());
    return n && !VarIsNull(n->KeyValue) ? n->KeyValue.AsInteger() : -1;
  }
  int CurrentId() const { return people->FieldByName(u"ID")->AsInteger(); }

  TADOQuery* people = nullptr;
  TdxDBGrid* grid = nullptr;
  int walks = 0;
};

struct TChangeCase {
  const char* name;
  std::function<void(TADOQuery*)> run;
  bool walks;
  const char* rows;
};

void Rename(TADOQuery* ds, const char* name) {
  ds->Locate(u"ID", 2, {});
  ds->Edit();
  ds->FieldByName(u"NAME")->SetAsString(S(name));
}

const TChangeCase kChanges[] = {
    {"Locate by key", [](TADOQuery* ds) { ds->Locate(u"ID", 4, {}); }, false, kAllRows},
    {"Locate by a name prefix, ignoring case",
     [](TADOQuery* ds) { ds->Locate(u"NAME", Variant(S("сИд")), {loCaseInsensitive, loPartialKey}); }, false,
     kAllRows},
    {"GotoBookmark",
     [](TADOQuery* ds) {
       ds->Locate(u"ID", 5, {});
       const TBookmark b = ds->GetBookmark();
       ds->First();
       ds->GotoBookmark(b);
     },
     false, kAllRows},
    {"Resync", [](TADOQuery* ds) { ds->Last(), ds->Resync({rmExact, rmCenter}); }, false, kAllRows},
    {"Moves with controls disabled",
     [](TADOQuery* ds) {
       ds->DisableControls();
       ds->Last();
       ds->Prior();
       ds->EnableControls();
     },
     false, kAllRows},
    {"Post an edit",
     [](TADOQuery* ds) {
       Rename(ds, "Ааронов");
       ds->Post();
     },
     true, "Петров,Ааронов,Сидоров,Иванова,Ершов"},
    {"Cancel an edit",
     [](TADOQuery* ds) {
       Rename(ds, "Ааронов");
       ds->Cancel();
     },
     true, kAllRows},
    {"Delete",
     [](TADOQuery* ds) {
       ds->Locate(u"ID", 3, {});
       ds->Delete();
     },
     true, "Петров,Абаев,Иванова,Ершов"},
    {"Append and post", [](TADOQuery* ds) { ds->AppendRecord({Unassigned(), Variant(S("Жуков")), 33}); }, true,
     "Петров,Абаев,Сидоров,Иванова,Ершов,Жуков"},
    {"Insert and cancel",
     [](TADOQuery* ds) {
       ds->Insert();
       ds->Cancel();
     },
     true, kAllRows},
    {"Sort", [](TADOQuery* ds) { ds->SetSort(u"NAME DESC"); }, true, "Сидоров,Петров,Иванова,Ершов,Абаев"},
    {"Index fields", [](TADOQuery* ds) { ds->SetIndexFieldNames(u"AGE;NAME"); }, true,
     "Сидоров,Иванова,Петров,Абаев,Ершов"},
    {"Filter",
     [](TADOQuery* ds) {
       ds->SetFilter(u"AGE > 26");
       ds->SetFiltered(true);
     },
     true, "Петров,Абаев,Ершов"},
    {"Refresh", [](TADOQuery* ds) { ds->Refresh(); }, true, kAllRows},
    {"Requery", [](TADOQuery* ds) { ds->Requery(); }, true, kAllRows},
    {"Close and open", [](TADOQuery* ds) { ds->Close(), ds->Open(); }, true, kAllRows},
};

void PrintTo(const TChangeCase& Case, std::ostream* Out) { *Out << Case.name; }

class DxDBGridDataSetOperation : public DxDBGridDataSetChangeTest,
                                 public ::testing::WithParamInterface<TChangeCase> {};

TEST_P(DxDBGridDataSetOperation, WalksTheRecordsOnlyWhenTheContentChanged) {
  const TChangeCase& c = GetParam();
  const std::vector<TdxTreeListNode*> before = Nodes();
  c.run(people);
  Pump();
  EXPECT_EQ(walks > 0, c.walks);
  if (!c.walks) {
    EXPECT_EQ(Nodes(), before) << "the loaded nodes were replaced";
  }
  EXPECT_EQ(Rows(grid, 1), c.rows);
  EXPECT_EQ(FocusedKey(), CurrentId()) << "the focus did not follow the current record";
}

INSTANTIATE_TEST_SUITE_P(Table, DxDBGridDataSetOperation, ::testing::ValuesIn(kChanges));

TEST_F(DxDBGridDataSetChangeTest, TheFocusFollowsEachLocatedRecordAndSelectionStays) {
  grid->SetOptionsBehavior(grid->OptionsBehavior() + TdxDBGridOptionsBehavior{edgoMultiSelect});
  grid->ClearSelection();
  grid->SetFocusedNode(grid->GetItem(1), 0, true);
  grid->SetNodeSelected(grid->GetItem(1), true);
  for (int id : {5, 1, 3}) {
    people->Locate(u"ID", id, {});
    Pump();
    EXPECT_EQ(FocusedKey(), id);
  }
  EXPECT_EQ(walks, 0);
  ASSERT_EQ(grid->GetSelectedCount(), 1);
  EXPECT_EQ(grid->GetSelectedNode(0), grid->GetItem(1));
}

// The walk also reads the grid's own inputs: a column bound to another field since the load
// must not leave the old field's texts in place.
TEST_F(DxDBGridDataSetChangeTest, AColumnBoundElsewhereSinceTheLoadWalksAgain) {
  grid->Columns(2)->SetFieldName(u"NOTE");
  people->Locate(u"ID", 3, {});
  Pump();
  EXPECT_EQ(walks, 1);
  EXPECT_EQ(Rows(grid, 2), "p,a,s,i,e");
  EXPECT_EQ(FocusedKey(), 3);
}

// A change of the content made while the grid's reload is held back (controls disabled) still
// walks once the controls are enabled, although the cursor ends where it started.
TEST_F(DxDBGridDataSetChangeTest, AContentChangeBehindDisabledControlsIsNotMissed) {
  const TBookmark b = people->GetBookmark();
  people->DisableControls();
  people->SetSort(u"NAME");
  people->GotoBookmark(b);
  people->EnableControls();
  Pump();
  EXPECT_EQ(walks, 1);
  EXPECT_EQ(Rows(grid, 1), "Абаев,Ершов,Иванова,Петров,Сидоров");
  EXPECT_EQ(FocusedKey(), 1);
}

}  // namespace
