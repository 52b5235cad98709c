#include <algorithm>
#include <functional>
#include <vector>

#include "DbTreeEditTestSupport.h"

namespace {

TEST_F(DxDBTreeListEditTest, InsertAddsASiblingOfTheFocusedChildWithTheNextKey) {
  MakeTree();
  Focus(2);
  Press(VK_INSERT);
  ASSERT_EQ(deps->State(), dsInsert);
  EXPECT_EQ(deps->FieldByName(u"ID")->AsInteger(), 9);
  ASSERT_NE(tree->PendingRecordNode(), nullptr);
  EXPECT_EQ(tree->FocusedNode(), tree->PendingRecordNode());
  EXPECT_EQ(tree->PendingRecordNode()->Parent(), tree->FindNodeByKey(3));
  deps->FieldByName(u"PARENT_ID")->SetAsInteger(3);
  deps->FieldByName(u"NAME")->SetAsString(u"Хутор");
  deps->Post();
  Pump();
  EXPECT_EQ(Tree(tree), "1(3(2,9),4(5)),6,7(8)");
}

TEST_F(DxDBTreeListEditTest, ANewRecordWithAParentAlreadySetGoesUnderItsParent) {
  MakeTree();
  deps->OnNewRecord = [](TDataSet* DataSet) { DataSet->FieldByName(u"PARENT_ID")->SetAsInteger(5); };
  Focus(6);
  Press(VK_INSERT);
  ASSERT_EQ(deps->State(), dsInsert);
  ASSERT_NE(tree->PendingRecordNode(), nullptr);
  EXPECT_EQ(tree->PendingRecordNode()->Parent(), tree->FindNodeByKey(5));
  deps->FieldByName(u"NAME")->SetAsString(u"Двор");
  deps->Post();
  Pump();
  EXPECT_EQ(Tree(tree), "1(3(2),4(5(9))),6,7(8)");
}

// A key the database numbers itself is left to the database.
TEST_F(DxDBTreeListEditTest, AnAutoIncrementKeyIsLeftToTheDatabase) {
  Execute(
      "CREATE TABLE AUTO (ID INTEGER PRIMARY KEY, PARENT_ID INTEGER, NAME NVARCHAR(40));"
      "INSERT INTO AUTO VALUES (1, 0, 'A'), (2, 1, 'B');");
  MakePlainTree("SELECT * FROM AUTO ORDER BY ID");
  ASSERT_FALSE(deps->FieldByName(u"ID")->CanModify());
  deps->Append();
  Pump();
  ASSERT_EQ(deps->State(), dsInsert);
  EXPECT_NE(tree->PendingRecordNode(), nullptr);
  EXPECT_TRUE(deps->FieldByName(u"ID")->IsNull());
  deps->FieldByName(u"PARENT_ID")->SetAsInteger(1);
  deps->Post();
  Pump();
  EXPECT_EQ(Tree(tree), "1(2,3)");
}

TEST_F(DxDBTreeListEditTest, UniqueKeysFollowTheLoadedKeys) {
  MakeTree();
  struct {
    const char* name;
    std::function<void()> setup;
    int offset;
    Variant expected;
  } const cases[] = {
      {"largest integer key plus one plus the offset", [] {}, 2, Variant(11)},
      {"without every record loaded there is no key",
       [this] { tree->SetOptionsDB(tree->OptionsDB() - TdxDBTreeListOptionsDB{etoLoadAllRecords}); }, 0,
       Null()},
      {"the event alone decides",
       [this] { tree->OnGetUniqueKeyValue = [](TObject*, Variant& Key) { Key = Variant(100); }; }, 5,
       Variant(100)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    c.setup();
    Variant key;
    tree->GetUniqueKeyValue(c.offset, key);
    EXPECT_EQ(VarIsNull(key), VarIsNull(c.expected));
    if (!VarIsNull(c.expected)) {
      EXPECT_EQ(key.AsInteger(), c.expected.AsInteger());
    }
  }
}

TEST_F(DxDBTreeListEditTest, TextKeysGiveZero) {
  Execute(
      "CREATE TABLE CODES (ID NVARCHAR(4) PRIMARY KEY, PARENT_ID NVARCHAR(4), NAME NVARCHAR(40));"
      "INSERT INTO CODES VALUES ('a', '', 'A'), ('b', 'a', 'B');");
  MakePlainTree("SELECT * FROM CODES");
  ASSERT_GT(tree->GetCount(), 0);
  Variant key;
  tree->GetUniqueKeyValue(0, key);
  EXPECT_EQ(key.AsInteger(), 0);
}

TEST_F(DxDBTreeListEditTest, CtrlDeleteRemovesTheSubtreeDeepestFirstUnlessRefused) {
  MakeTree(kDefaultDBTreeListOptionsDB);
  Focus(1);
  String asked;
  SetMessageBoxHook([&](const String& Text, const String&, UINT) {
    asked = Text;
    return IDCANCEL;
  });
  Press(VK_DELETE, 2);
  EXPECT_EQ(StringToUtf8(asked), "Delete record?");
  EXPECT_TRUE(deleted.empty());
  EXPECT_EQ(deps->RecordCount(), 8);
  SetMessageBoxHook([](const String&, const String&, UINT) { return IDOK; });
  Press(VK_DELETE, 2);
  // Every record goes after its descendants.
  ASSERT_EQ(deleted.size(), 5u);
  auto before = [&](int A, int B) {
    return std::find(deleted.begin(), deleted.end(), A) < std::find(deleted.begin(), deleted.end(), B);
  };
  EXPECT_TRUE(before(2, 3));
  EXPECT_TRUE(before(5, 4));
  EXPECT_EQ(deleted.back(), 1);
  EXPECT_EQ(Tree(tree), "6,7(8)");
}

TEST_F(DxDBTreeListEditTest, DeletingSelectedNodesDeletesAnAncestorsSubtreeOnce) {
  MakeTree();
  tree->SetOptionsBehavior(tree->OptionsBehavior() + TdxDBTreeListOptionsBehavior{etoMultiSelect});
  tree->ClearSelection();
  tree->SetNodeSelected(tree->FindNodeByKey(2), true);
  tree->SetNodeSelected(tree->FindNodeByKey(3), true);
  tree->SetNodeSelected(tree->FindNodeByKey(6), true);
  tree->DeleteSelectedNodes();
  Pump();
  std::sort(deleted.begin(), deleted.end());
  EXPECT_EQ(deleted, (std::vector<int>{2, 3, 6}));
  EXPECT_EQ(Tree(tree), "1(4(5)),7(8)");
}

TEST_F(DxDBTreeListEditTest, DroppingANodeGivesItsRecordTheNewParent) {
  MakeTree();
  Focus(2);
  EXPECT_TRUE(Drop(4));
  EXPECT_EQ(ParentOf(2), 4);
  EXPECT_EQ(Tree(tree), "1(3,4(5,2)),6,7(8)");
  // Below the rows: a top-level record, with the first root's parent value.
  Focus(5);
  EXPECT_TRUE(Drop(0));
  EXPECT_EQ(ParentOf(5), 0);
  EXPECT_EQ(Tree(tree), "1(3,4(2)),6,7(8),5");
}

TEST_F(DxDBTreeListEditTest, ANodeGoesNotIntoItsOwnSubtreeButItsCopyDoes) {
  MakeTree();
  tree->SetOptionsBehavior(tree->OptionsBehavior() + TdxDBTreeListOptionsBehavior{etoAutoDragDropCopy});
  Focus(3);
  EXPECT_FALSE(Drop(2));
  EXPECT_EQ(ParentOf(3), 1);
  SimulateKeyDown(VK_CONTROL);
  Pump();
  const bool copied = Drop(2);
  SimulateKeyUp(VK_CONTROL);
  Pump();
  EXPECT_TRUE(copied);
  // 3 and its child 2 are copied as 9 under 2 and 10 under 9.
  EXPECT_EQ(Tree(tree), "1(3(2(9(10))),4(5)),6,7(8)");
  deps->Locate(u"ID", 10, {});
  EXPECT_EQ(StringToUtf8(deps->FieldByName(u"NAME")->AsString()), "Село");
}

TEST_F(DxDBTreeListEditTest, CopyingARecordCycleCopiesEachRecordOnce) {
  MakeTree();
  tree->MoveNodeRecords({tree->FindNodeByKey(7)}, tree->FindNodeByKey(6), natlAddChild, true);
  Pump();
  EXPECT_EQ(Tree(tree), "1(3(2),4(5)),6(9(10)),7(8)");
}

// Without generated keys the copy's key stays empty and the database refuses the record: the error
// reaches the caller, and the dataset is browsing again with its controls enabled.
TEST_F(DxDBTreeListEditTest, AFailedCopyLeavesTheDatasetBrowsing) {
  MakeTree(kDefaultDBTreeListOptionsDB - TdxDBTreeListOptionsDB{etoAutoCalcKeyValue, etoConfirmDelete});
  EXPECT_THROW(tree->MoveNodeRecords({tree->FindNodeByKey(5)}, tree->FindNodeByKey(6), natlAddChild, true),
               Exception);
  Pump();
  EXPECT_EQ(deps->State(), dsBrowse);
  EXPECT_FALSE(deps->ControlsDisabled());
  EXPECT_EQ(deps->RecordCount(), 8);
  EXPECT_EQ(Tree(tree), "1(3(2),4(5)),6,7(8)");
}

TEST_F(DxDBTreeListEditTest, ChangingTheParentFieldMovesTheNode) {
  MakeTree();
  deps->Locate(u"ID", 5, {});
  deps->Edit();
  deps->FieldByName(u"PARENT_ID")->SetAsInteger(3);
  deps->Post();
  Pump();
  EXPECT_EQ(Tree(tree), "1(3(2,5),4),6,7(8)");
}

TEST_F(DxDBTreeListEditTest, UpPostsOnTheFirstRowAndCancelsAnUntouchedNewRecord) {
  MakeTree();
  Focus(1);
  deps->Edit();
  deps->FieldByName(u"NAME")->SetAsString(u"Край");
  Press(VK_UP);
  EXPECT_EQ(deps->State(), dsBrowse);
  deps->Locate(u"ID", 1, {});
  EXPECT_EQ(StringToUtf8(deps->FieldByName(u"NAME")->AsString()), "Край");
  Focus(8);
  deps->Append();
  Pump();
  ASSERT_EQ(deps->State(), dsInsert);
  ASSERT_TRUE(deps->Eof());
  Press(VK_UP);
  EXPECT_EQ(deps->State(), dsBrowse);
  EXPECT_EQ(deps->RecordCount(), 8);
  EXPECT_EQ(tree->FocusedNode(), tree->GetLastNode());
}

// Only a new record at the dataset's end is given up on Up. Inserted before the first record its node
// is still the last row, but Up moves the focus and the dataset posts the record as it leaves it; a
// record the user has typed into is never given up.
TEST_F(DxDBTreeListEditTest, UpGivesUpOnlyAnUntouchedRecordAtTheEnd) {
  struct {
    const char* name;
    std::function<void()> start;
    bool touched;
    int added;
  } const cases[] = {
      {"appended", [this] { deps->Append(); }, false, 0},
      {"appended and typed into", [this] { deps->Append(); }, true, 1},
      {"inserted before the first record", [this] { deps->Insert(); }, false, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    MakeTree();
    Focus(1);
    const int records = deps->RecordCount();
    c.start();
    Pump();
    ASSERT_EQ(deps->State(), dsInsert);
    ASSERT_EQ(tree->PendingRecordNode(), tree->GetLastNode());
    if (c.touched) deps->FieldByName(u"NAME")->SetAsString(u"Хутор");
    Press(VK_UP);
    EXPECT_EQ(deps->State(), dsBrowse);
    EXPECT_EQ(deps->RecordCount(), records + c.added);
  }
}

// Each option sets or clears the engine bit it stands for, and only that one.
// Options with Option included or excluded.
template <class Options, class Option>
Options Switched(Options Value, Option O, bool On) {
  On ? Value.Include(O) : Value.Exclude(O);
  return Value;
}

TEST_F(DxDBTreeListEditTest, OptionsSetTheirEngineBits) {
  MakeTree();
  struct {
    const char* name;
    std::function<void(bool)> set;
    bool second;
    int bit;
  } const cases[] = {
      {"multi-select",
       [this](bool on) { tree->SetOptionsBehavior(Switched(tree->OptionsBehavior(), etoMultiSelect, on)); },
       false, 6},
      {"auto-search",
       [this](bool on) { tree->SetOptionsBehavior(Switched(tree->OptionsBehavior(), etoAutoSearch, on)); },
       true, 29},
      {"row sizing",
       [this](bool on) { tree->SetOptionsCustomize(Switched(tree->OptionsCustomize(), etoRowSizing, on)); },
       true, 21},
      {"auto width",
       [this](bool on) { tree->SetOptionsView(Switched(tree->OptionsView(), etoAutoWidth, on)); }, false, 10},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    for (const bool on : {true, false}) {
      const DWORD otherWord = c.second ? tree->OptionFlags() : tree->OptionFlagsEx();
      c.set(on);
      const DWORD word = c.second ? tree->OptionFlagsEx() : tree->OptionFlags();
      EXPECT_EQ((word >> c.bit) & 1u, on ? 1u : 0u);
      EXPECT_EQ(c.second ? tree->OptionFlags() : tree->OptionFlagsEx(), otherWord);
    }
  }
  // Inverted selection and row selection together keep only the inverted selection.
  tree->SetOptionsView(tree->OptionsView() + TdxDBTreeListOptionsView{etoInvertSelect, etoRowSelect});
  EXPECT_TRUE(tree->OptionsView().Contains(etoInvertSelect));
  EXPECT_FALSE(tree->OptionsView().Contains(etoRowSelect));
  EXPECT_EQ(tree->OptionFlagsEx() & 1u, 1u);
  EXPECT_EQ(tree->OptionFlags() & (1u << 5), 0u);
}

}  // namespace
