// The grid's keyboard over a real SQLite dataset: Ctrl+Delete with its question, deleting the
// selected records (only the records the selection names), appending and giving up a record at
// the end of a dataset window, Shift+End over bookmarks, and group rows opened by Right.
#include <string>
#include <vector>

#include "DbGridTestSupport.h"
#include "dx/dbgrid/dxDBGrid.h"
#include "platform/data/DataSet.h"
#include "platform/win/Input.h"

namespace {

constexpr UINT kShift = 1, kCtrl = 2;

const char* const kKeysPeople = R"(
CREATE TABLE PEOPLE (ID INTEGER PRIMARY KEY, NAME NVARCHAR(40), CITY NVARCHAR(40));
INSERT INTO PEOPLE VALUES (1, 'Петров', 'Омск'), (2, 'Абаев', 'Тула'), (3, 'Сидоров', 'Омск'),
  (4, 'Иванова', 'Тула');
)";

class DxDBGridKeysTest : public DbGridTest {
 protected:
  void SetUp() override {
    OpenDatabase(kKeysPeople);
    SetMessageBoxHook([this](const String& Text, const String& Caption, UINT) {
      asked.push_back(StringToUtf8(Caption + u": " + Text));
      return answer;
    });
  }
  void TearDown() override {
    SetMessageBoxHook(nullptr);
    DbGridTest::TearDown();
  }
  void MakeGrid(const char* Sql, bool LoadAll, bool Bookmarks) {
    people = Query(Sql);
    people->Open();
    grid = NewBoundGrid(people, {u"ID", u"NAME", u"CITY"}, [&](TdxDBGrid* g) {
      g->SetKeyField(u"ID");
      TdxDBGridOptionsDB db = g->OptionsDB() + TdxDBGridOptionsDB{edgoCanAppend};
      if (LoadAll) db += TdxDBGridOptionsDB{edgoLoadAllRecords};
      if (!Bookmarks) db -= TdxDBGridOptionsDB{edgoUseBookmarks};
      g->SetOptionsDB(db);
      g->SetOptionsBehavior(g->OptionsBehavior() + TdxDBGridOptionsBehavior{edgoMultiSelect});
    });
    grid->SetFocus();
    Pump();
  }
  void Press(UINT Key, UINT Modifiers = 0) {
    SimulateKeyPress(Key, Modifiers);
    Pump();
  }
  std::string Ids() {
    std::string s;
    TADOQuery* q = Query("SELECT ID FROM PEOPLE ORDER BY ID");
    q->Open();
    for (; !q->Eof(); q->Next()) s += (s.empty() ? "" : ",") + StringToUtf8(q->Fields()->Fields(0)->AsString());
    return s;
  }
  void Select(std::initializer_list<int> Ids) {
    for (int id : Ids) {
      people->Locate(u"ID", id, {});
      Pump();
      grid->SetNodeSelected(grid->FocusedNode(), true);
    }
  }
  int CurrentId() { return people->FieldByName(u"ID")->AsInteger(); }

  TADOQuery* people = nullptr;
  TdxDBGrid* grid = nullptr;
  std::vector<std::string> asked;
  int answer = IDCANCEL;
};

TEST_F(DxDBGridKeysTest, CtrlDeleteOnAnEmptyDatasetAsksNothing) {
  MakeGrid("SELECT * FROM PEOPLE WHERE ID > 100", true, false);
  Press(VK_DELETE, kCtrl);
  EXPECT_TRUE(asked.empty());
}

TEST_F(DxDBGridKeysTest, CtrlDeleteAsksAndCancelKeepsTheRecords) {
  const struct {
    bool LoadAll, Bookmarks;
  } modes[] = {{true, false}, {true, true}, {false, true}};
  for (const auto& m : modes) {
    MakeGrid("SELECT * FROM PEOPLE ORDER BY ID", m.LoadAll, m.Bookmarks);
    asked.clear();
    people->Locate(u"ID", 2, {});
    Pump();
    answer = IDCANCEL;
    Press(VK_DELETE, kCtrl);
    EXPECT_EQ(asked, std::vector<std::string>{"Confirm: Delete record?"});
    EXPECT_EQ(Ids(), "1,2,3,4");
    Select({1, 3});
    Press(VK_DELETE, kCtrl);
    EXPECT_EQ(asked.back(), "Confirm: Delete all selected records?");
    EXPECT_EQ(Ids(), "1,2,3,4");
    answer = IDOK;
    Press(VK_DELETE, kCtrl);
    EXPECT_EQ(Ids(), "2,4") << m.LoadAll << m.Bookmarks;
    EXPECT_EQ(grid->GetSelectedCount(), 0);
    Execute("DELETE FROM PEOPLE; INSERT INTO PEOPLE VALUES (1, 'Петров', 'Омск'), (2, 'Абаев', 'Тула'),"
            " (3, 'Сидоров', 'Омск'), (4, 'Иванова', 'Тула');");
  }
}

TEST_F(DxDBGridKeysTest, AnEntryWhoseRecordCannotBeFoundDeletesNothing) {
  MakeGrid("SELECT * FROM PEOPLE ORDER BY ID", true, false);
  Select({3});
  // The node's record is gone from under it: its key finds nothing.
  static_cast<TdxDBGridNode*>(grid->GetSelectedNode(0))->KeyValue = Variant(99);
  people->Locate(u"ID", 2, {});
  grid->DeleteSelectedNodes();
  EXPECT_EQ(Ids(), "1,2,3,4");
  EXPECT_EQ(CurrentId(), 2);
}

TEST_F(DxDBGridKeysTest, DownAtTheEndOfAWindowAppendsAndUpGivesTheRecordUp) {
  MakeGrid("SELECT * FROM PEOPLE ORDER BY ID", false, true);
  ASSERT_TRUE(grid->IsDataSetWindowMode());
  people->Last();
  Pump();
  Press(VK_DOWN);
  EXPECT_EQ(people->State(), dsInsert);
  Press(VK_UP);
  EXPECT_EQ(people->State(), dsBrowse);
  EXPECT_EQ(people->RecordCount(), 4);
}

TEST_F(DxDBGridKeysTest, ShiftHomeAndEndSelectFromTheAnchorInDataSetOrder) {
  const struct {
    int From;
    std::vector<UINT> Keys;
    const char* Selected;  // the entries' records, in the selection's order
    int Current;
  } cases[] = {
      {2, {VK_END}, "2,3,4", 4},
      {3, {VK_HOME}, "1,2,3", 1},
      {2, {VK_END, VK_HOME}, "1,2", 1},  // the anchor stays where the range began
  };
  for (const auto& c : cases) {
    MakeGrid("SELECT * FROM PEOPLE ORDER BY ID", false, true);
    people->Locate(u"ID", c.From, {});
    Pump();
    for (UINT key : c.Keys) Press(key, kShift);
    EXPECT_EQ(CurrentId(), c.Current) << c.Selected;
    std::string selected;
    for (int i = 0; i < grid->GetSelectedCount(); ++i) {
      people->GotoBookmark(grid->GetSelectedBookmark(i));
      selected += (i ? "," : "") + std::to_string(CurrentId());
    }
    EXPECT_EQ(selected, c.Selected);
  }
}

TEST_F(DxDBGridKeysTest, RightAndLeftOpenAndCloseAGroupRow) {
  MakeGrid("SELECT * FROM PEOPLE ORDER BY ID", true, false);
  grid->Columns(2)->SetGroupIndex(0);
  Pump();
  TdxTreeListNode* group = grid->GetItem(0);
  grid->TCustomdxTreeList::SetFocusedNode(group, 0, true);
  Press(VK_RIGHT);
  EXPECT_TRUE(group->Expanded());
  Press(VK_LEFT);
  EXPECT_FALSE(group->Expanded());
  // Ctrl+Delete on a group row deletes nothing and asks nothing.
  Press(VK_DELETE, kCtrl);
  EXPECT_TRUE(asked.empty());
}

}  // namespace
