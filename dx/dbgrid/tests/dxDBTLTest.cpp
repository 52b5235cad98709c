#include "DbGridTestSupport.h"
#include "dx/dbgrid/dxDBTL.h"
#include "platform/classes/Filer.h"
#include "platform/classes/FormResources.h"
#include "platform/data/Field.h"
#include "platform/rtl/Streams.h"

namespace {

// 2 comes before its parent 3; 6 is its own parent; 7 and 8 are each other's parent; 10 and 11
// form a cycle with the root value 1 reachable through 12.
const char* const kTerritories = R"(
CREATE TABLE DEP (ID INTEGER PRIMARY KEY, PARENT_ID INTEGER, NAME NVARCHAR(40));
INSERT INTO DEP VALUES (1, 0, 'Область'), (2, 3, 'Село'), (3, 1, 'Район'), (4, 1, 'Город'), (5, 4, 'Квартал'),
  (6, 6, 'Сам себе'), (7, 8, 'Петля А'), (8, 7, 'Петля Б');
)";

class DxDBTreeListTest : public DbGridTest {
 protected:
  void SetUp() override { OpenDatabase(kTerritories); }
  TdxDBTreeList* MakeTree(const char* Sql, bool LoadAll, const char16_t* Root = u"") {
    deps = Query(Sql);
    deps->Open();
    tree = new TdxDBTreeList(NewShownForm());
    tree->SetName(u"Tree1");
    tree->SetParent(static_cast<TWinControl*>(tree->Owner()));
    tree->SetBounds(0, 0, 400, 300);
    TdxDBTreeListOptionsDB options = tree->OptionsDB();
    LoadAll ? options.Include(etoLoadAllRecords) : options.Exclude(etoLoadAllRecords);
    tree->SetOptionsDB(options);
    tree->CreateColumnEx(TdxDBTreeListColumn::StaticClass(), tree)->SetFieldName(u"NAME");
    tree->SetKeyField(u"ID");
    tree->SetParentField(u"PARENT_ID");
    tree->SetRootValue(Root);
    tree->SetDataSource(SourceOf(deps));
    Pump();
    return tree;
  }
  int Key(TdxTreeListNode* Node) const { return static_cast<TdxDBTreeListNode*>(Node)->KeyValue.AsInteger(); }
  TADOQuery* deps = nullptr;
  TdxDBTreeList* tree = nullptr;
};

TEST_F(DxDBTreeListTest, LoadAllPutsEveryRecordUnderItsParent) {
  MakeTree("SELECT * FROM DEP ORDER BY ID", true);
  // 2 is read before 3 and still ends under it; 6 stays a root; the 7-8 cycle stops at one move.
  EXPECT_EQ(Tree(tree), "1(3(2),4(5)),6,7(8)");
  EXPECT_EQ(Key(tree->FindNodeByKey(5)), 5);
  EXPECT_EQ(tree->FindNodeByKey(99), nullptr);
}

TEST_F(DxDBTreeListTest, LevelByLevelLoadsExpandedBranchesOnly) {
  MakeTree("SELECT * FROM DEP ORDER BY PARENT_ID, ID", false, u"1");
  EXPECT_EQ(Tree(tree), "3,4");
  EXPECT_TRUE(tree->GetItem(0)->HasChildren());
  tree->GetItem(1)->SetExpanded(true);
  EXPECT_EQ(Tree(tree), "3,4(5)");
  // A node without child records loses its button instead of opening.
  TdxTreeListNode* quarter = tree->GetItem(1)->GetItem(0);
  quarter->SetExpanded(true);
  EXPECT_FALSE(quarter->Expanded());
}

TEST_F(DxDBTreeListTest, OnlyDatabaseOptionsThatChangeWhatIsLoadedReload) {
  MakeTree("SELECT * FROM DEP ORDER BY PARENT_ID, ID", false, u"1");
  const auto loadedAndOpen = [&] {
    tree->GetItem(1)->SetExpanded(true);
    ASSERT_EQ(Tree(tree), "3,4(5)");
  };
  const auto options = [&](std::initializer_list<TdxDBTreeListOptionDB> Off,
                           std::initializer_list<TdxDBTreeListOptionDB> On) {
    TdxDBTreeListOptionsDB value = tree->OptionsDB();
    for (auto o : Off) value.Exclude(o);
    for (auto o : On) value.Include(o);
    return value;
  };
  loadedAndOpen();
  TdxTreeListNode* town = tree->GetItem(1);
  // Switching navigation or the children check off, and any other option, keeps nodes and expansion.
  tree->SetOptionsDB(options({etoCanNavigation, etoCheckHasChildren, etoConfirmDelete, etoCanDelete},
                             {etoCanInsert, etoSyncSelection, etoUseBookmarks}));
  Pump();
  EXPECT_EQ(tree->GetItem(1), town);
  EXPECT_TRUE(town->Expanded());
  EXPECT_EQ(Tree(tree), "3,4(5)");

  // Switching navigation or the children check on, or load-all either way, reloads.
  const struct {
    const char* name;
    bool loadAll;
    TdxDBTreeListOptionDB option;
    const char* reloaded;
  } reloading[] = {
      {"navigation on", false, etoCanNavigation, "3,4"},
      {"children check on", false, etoCheckHasChildren, "3,4"},
      {"load all on", false, etoLoadAllRecords, "1(3(2),4(5)),6,8(7)"},
      {"load all off", true, etoLoadAllRecords, "3,4"},
  };
  for (const auto& c : reloading) {
    SCOPED_TRACE(c.name);
    MakeTree("SELECT * FROM DEP ORDER BY PARENT_ID, ID", c.loadAll, u"1");
    tree->SetOptionsDB(options({etoCanNavigation, etoCheckHasChildren}, {}));
    if (!c.loadAll) loadedAndOpen();
    TdxDBTreeListOptionsDB value = tree->OptionsDB();
    value.Contains(c.option) ? value.Exclude(c.option) : value.Include(c.option);
    tree->SetOptionsDB(value);
    Pump();
    EXPECT_EQ(Tree(tree), c.reloaded);
  }
}

TEST_F(DxDBTreeListTest, DragDropAndSelectedImagesAreOnByDefault) {
  TdxDBTreeList fresh(nullptr);
  EXPECT_TRUE(fresh.OptionsBehavior().Contains(etoAutoDragDrop));
  EXPECT_TRUE(fresh.OptionsBehavior().Contains(etoAutoDragDropCopy));
  EXPECT_TRUE(fresh.OptionsView().Contains(etoUseImageIndexForSelected));
  // The defaults are what a form leaves unwritten.
  fresh.SetName(u"Fresh");
  TMemoryStream binary;
  WriteComponent(&binary, &fresh);
  binary.SetPosition(0);
  const std::string text = StringToUtf8(ObjectBinaryToText(&binary));
  EXPECT_EQ(text.find("OptionsBehavior"), std::string::npos) << text;
  EXPECT_EQ(text.find("OptionsView"), std::string::npos) << text;
}

TEST_F(DxDBTreeListTest, ASortedColumnOrdersEverySiblingListAndAReloadKeepsTheOrder) {
  MakeTree("SELECT * FROM DEP ORDER BY ID", true);
  TdxTreeListColumn* name = tree->GetColumn(0);
  name->SetSorted(csUp);
  EXPECT_EQ(Tree(tree), "1(4(5),3(2)),7(8),6");
  name->SetSorted(csDown);
  EXPECT_EQ(Tree(tree), "6,7(8),1(3(2),4(5))");
  deps->Close();
  deps->Open();
  Pump();
  EXPECT_EQ(Tree(tree), "6,7(8),1(3(2),4(5))") << "a reload sorts again";
}

TEST_F(DxDBTreeListTest, AParentCycleReachedFromTheRootEnds) {
  Execute(
      "INSERT INTO DEP VALUES (10, 11, 'Круг А'), (11, 10, 'Круг Б'), (12, 1, 'Вход');"
      "UPDATE DEP SET PARENT_ID = 10 WHERE ID = 12;");
  MakeTree("SELECT * FROM DEP ORDER BY PARENT_ID, ID", false, u"10");
  EXPECT_EQ(Tree(tree), "11,12");
  tree->GetItem(0)->SetExpanded(true);
  EXPECT_EQ(Tree(tree), "11(10),12");
  tree->GetItem(0)->GetItem(0)->SetExpanded(true);  // 10's children are 11 and 12 again: no repeat
  EXPECT_EQ(Tree(tree), "11(10),12");
  EXPECT_FALSE(tree->IsInRootChain(7));  // 7 -> 8 -> 7 never reaches the root
  EXPECT_TRUE(tree->IsInRootChain(11));
}

TEST_F(DxDBTreeListTest, FocusAndCurrentRecordFollowEachOther) {
  MakeTree("SELECT * FROM DEP ORDER BY ID", true);
  deps->Locate(u"ID", 5, {});
  Pump();
  ASSERT_NE(tree->FocusedNode(), nullptr);
  EXPECT_EQ(Key(tree->FocusedNode()), 5);
  tree->SetFocusedNode(tree->FindNodeByKey(2), 0, true);
  EXPECT_EQ(deps->FieldByName(u"ID")->AsInteger(), 2);
}

TEST_F(DxDBTreeListTest, LevelByLevelFocusLoadsTheAncestorChain) {
  MakeTree("SELECT * FROM DEP ORDER BY PARENT_ID, ID", false, u"1");
  deps->Locate(u"ID", 5, {});
  Pump();
  ASSERT_NE(tree->FocusedNode(), nullptr);
  EXPECT_EQ(Key(tree->FocusedNode()), 5);
  EXPECT_EQ(Tree(tree), "3,4(5)");
}

TEST_F(DxDBTreeListTest, DeletingANodeDeletesItsSubtree) {
  MakeTree("SELECT * FROM DEP ORDER BY PARENT_ID, ID", false, u"1");
  static_cast<TdxDBTreeListNode*>(tree->GetItem(0))->DeleteRecord();  // 3 and its child 2
  Pump();
  deps->Requery();
  EXPECT_FALSE(deps->Locate(u"ID", 2, {}));
  EXPECT_FALSE(deps->Locate(u"ID", 3, {}));
  EXPECT_TRUE(deps->Locate(u"ID", 4, {}));
}

TEST_F(DxDBTreeListTest, DeletingInsideAParentCycleEnds) {
  MakeTree("SELECT * FROM DEP ORDER BY ID", false, u"8");
  ASSERT_EQ(Tree(tree), "7");
  static_cast<TdxDBTreeListNode*>(tree->GetItem(0))->DeleteRecord();
  Pump();
  deps->Requery();
  EXPECT_FALSE(deps->Locate(u"ID", 7, {}));
  EXPECT_FALSE(deps->Locate(u"ID", 8, {}));
  EXPECT_TRUE(deps->Locate(u"ID", 1, {}));
}

}  // namespace

namespace {

TEST_F(DxDBTreeListTest, FooterSummariesTakeEveryRecordOfAWholeLoad) {
  Execute(
      "DELETE FROM DEP WHERE ID > 2; UPDATE DEP SET PARENT_ID = 1 WHERE ID = 2;"
      "INSERT INTO DEP VALUES (6, 1, 'Город');");
  MakeTree("SELECT * FROM DEP ORDER BY ID", true);
  auto* column = tree->CreateColumnEx(TdxDBTreeListColumn::StaticClass(), tree);
  column->SetFieldName(u"ID");
  const struct {
    TdxSummaryType Type;
    double Value;
  } cases[] = {{cstAvg, 3}, {cstSum, 9}, {cstMin, 1}, {cstMax, 6}, {cstCount, 3}};
  for (const auto& c : cases) {
    column->SetSummaryFooterType(c.Type);
    tree->Reload(true);
    EXPECT_DOUBLE_EQ(column->FooterValue(), c.Value) << static_cast<int>(c.Type);
  }
}

}  // namespace
