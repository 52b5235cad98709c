// Node changes written to the dataset: inserted nodes, moved nodes, text changes and deletions.
#include "DbTreeFixture.h"
#include "platform/win/Shell.h"

namespace {

TEST_F(DbTreeTest, NodesAddedInCodeAppendRecordsWithNewKeysAndParentValues) {
  TdxDBTreeView* view = Tree(FullOptions());
  TTreeNode* first = view->Items()->Add(nullptr, u"root");      // empty index: key 0, own key as parent
  TTreeNode* child = view->Items()->AddChild(first, u"child");  // next key 1
  view->Items()->AddChild(first, u"");                          // never a null list field
  EXPECT_EQ(Rows(), "0:0:root 1:0:child 2:0:");
  EXPECT_EQ(static_cast<TdxDBTreeNode*>(child)->KeyValue().AsInteger(), 1);
  EXPECT_EQ(static_cast<TdxDBTreeNode*>(child)->ParentValue().AsInteger(), 0);
}

TEST_F(DbTreeTest, RootValueAndCreateNewKeyValueShapeInsertedRecords) {
  Exec(u"INSERT INTO DEP (ID, PARENT_ID, NAME) VALUES (5, 0, 'a')");
  TdxDBTreeView* view = Tree(FullOptions(), u"0");
  view->OnCreateNewKeyValue = [](TObject*, Variant& key) { key = key + Variant(100); };
  view->Items()->Add(nullptr, u"top");
  EXPECT_EQ(Rows(), "5:0:a 105:0:top");
}

TEST_F(DbTreeTest, RootValueTextThatDoesNotConvertBecomesNull) {
  TdxDBTreeView* view = Tree(FullOptions(), u"0");
  EXPECT_EQ(view->RootValue(), u"0");
  EXPECT_EQ(VarType(view->RootValueVariant()), varInteger);  // the key field's kind after binding
  view->SetRootValue(u"abc");
  EXPECT_TRUE(VarIsNull(view->RootValueVariant()));
}

TEST_F(DbTreeTest, OnDemandNewKeysComeFromTheWholeDatasetNotTheLoadedNodes) {
  // Only the root 1 is loaded; 50 lies under it unloaded.
  Exec(u"INSERT INTO DEP (ID, PARENT_ID, NAME) VALUES (1, 0, 'a'), (50, 1, 'deep')");
  TdxDBTreeView* view = Tree(SmartOptions(), u"0", Query(u"SELECT * FROM DEP ORDER BY PARENT_ID, ID"));
  ASSERT_EQ(view->DBNodes()->Count(), 1);
  EXPECT_EQ(view->NewKeyValue().AsInteger(), 51);
  view->Items()->Add(nullptr, u"new");
  EXPECT_EQ(Rows(), "1:0:a 50:1:deep 51:0:new");
}

TEST_F(DbTreeTest, AutoIncrementKeyGivesTheNodeThePostedKey) {
  Exec(
      u"DROP TABLE DEP; CREATE TABLE DEP (ID INTEGER PRIMARY KEY AUTOINCREMENT, PARENT_ID INTEGER, NAME "
      u"NVARCHAR(50), KIND INTEGER, NOTE NVARCHAR(200));"
      u"INSERT INTO DEP (ID, PARENT_ID, NAME) VALUES (40, 0, 'a')");
  TdxDBTreeView* view = Tree(FullOptions(), u"0");
  ASSERT_EQ(view->DataSet()->FieldByName(u"ID")->DataType(), ftAutoInc);
  auto* node = static_cast<TdxDBTreeNode*>(view->Items()->Add(nullptr, u"b"));
  EXPECT_EQ(Rows(), "40:0:a 41:0:b");
  EXPECT_EQ(node->KeyValue().AsInteger(), 41);
  EXPECT_EQ(view->FindNode(Variant(41)), node);
}

TEST_F(DbTreeTest, MovingANodeWritesOnlyItsParentField) {
  Exec(u"INSERT INTO DEP (ID, PARENT_ID, NAME) VALUES (1, 0, 'a'), (2, 0, 'b'), (3, 1, 'c')");
  TdxDBTreeView* view = Tree(FullOptions(), u"0");
  Node(view, 3)->MoveTo(Node(view, 2), naAddChild);  // through a placeholder node
  EXPECT_EQ(Shape(view), "a,b(c)");
  EXPECT_EQ(Rows(), "1:0:a 2:0:b 3:2:c");
  // To the top level outside on-demand mode a node becomes its own parent.
  Node(view, 3)->MoveTo(Node(view, 1), naAdd);
  EXPECT_EQ(Rows(), "1:0:a 2:0:b 3:3:c");
}

TEST_F(DbTreeTest, SettingANodesTextWritesTheListField) {
  Exec(u"INSERT INTO DEP (ID, PARENT_ID, NAME) VALUES (1, 0, 'a'), (2, 0, 'b')");
  TdxDBTreeView* view = Tree(FullOptions(), u"0");
  Node(view, 2)->SetText(u"renamed");
  EXPECT_EQ(Rows(), "1:0:a 2:0:renamed");
  bool asked = false;
  view->OnDBAction = [&](TObject*, TdxDBTreeNode*, TdxDBTreeNode*, TdxDBTreeViewAction action,
                         bool& automatic) {
    asked = action == trDBChangeText;
    automatic = false;
  };
  Node(view, 1)->SetText(u"kept in the tree only");
  EXPECT_TRUE(asked);
  EXPECT_EQ(Rows(), "1:0:a 2:0:renamed");
}

TEST_F(DbTreeTest, DeletingANodeDeletesTheRecordsOfItsWholeSubtree) {
  Exec(u"INSERT INTO DEP (ID, PARENT_ID, NAME) VALUES (1, 0, 'a'), (2, 1, 'b'), (3, 2, 'c'), (4, 0, 'd')");
  TdxDBTreeView* view = Tree(SmartOptions(), u"0", Query(u"SELECT * FROM DEP ORDER BY PARENT_ID, ID"));
  EXPECT_EQ(Shape(view), "a,d");  // b and c not loaded
  Node(view, 1)->Delete();
  Pump();
  EXPECT_EQ(Shape(view), "d");
  EXPECT_EQ(Rows(), "4:0:d");
}

TEST_F(DbTreeTest, RefusedDeleteRemovesTheNodeButKeepsTheRecord) {
  Exec(u"INSERT INTO DEP (ID, PARENT_ID, NAME) VALUES (1, 0, 'a'), (2, 0, 'b')");
  TdxDBTreeView* view = Tree(FullOptions(), u"0");
  view->OnDBAction = [](TObject*, TdxDBTreeNode*, TdxDBTreeNode*, TdxDBTreeViewAction action,
                        bool& automatic) { automatic = action != trDBDelete; };
  Node(view, 1)->Delete();
  EXPECT_EQ(Shape(view), "b");
  EXPECT_EQ(Rows(), "1:0:a 2:0:b");
}

TEST_F(DbTreeTest, DelKeyAsksWithTheNodesTextAndCancelKeepsIt) {
  Exec(u"INSERT INTO DEP (ID, PARENT_ID, NAME) VALUES (1, 0, 'a'), (2, 0, 'b')");
  TdxDBTreeView* view = Tree({trDBCanDelete, trDBConfirmDelete}, u"0");
  view->SetFocus();
  Node(view, 2)->SetSelected(true);
  Pump();
  std::vector<String> asked;
  int answer = IDCANCEL;
  SetMessageBoxHook([&](const String& text, const String&, UINT) {
    asked.push_back(text);
    return answer;
  });
  SimulateKeyPress(VK_DELETE);
  Pump();
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0], u"Do you want to delete the item \"b\"");
  EXPECT_EQ(Rows(), "1:0:a 2:0:b");
  answer = IDOK;
  SimulateKeyPress(VK_DELETE);
  Pump();
  EXPECT_EQ(Rows(), "1:0:a");
  // Without the confirmation option the key deletes at once; without the delete option not at all.
  view->SetOptions({trDBCanDelete});
  Node(view, 1)->SetSelected(true);
  SimulateKeyPress(VK_DELETE);
  Pump();
  EXPECT_EQ(Rows(), "");
  EXPECT_EQ(asked.size(), 2u);
}

TEST_F(DbTreeTest, DatasetEditsMoveAndRenameTheSelectedNode) {
  Exec(u"INSERT INTO DEP (ID, PARENT_ID, NAME) VALUES (1, 0, 'a'), (2, 0, 'b'), (3, 1, 'c')");
  auto* q = Query();
  TdxDBTreeView* view = Tree(FullOptions(), u"0", q);
  q->Locate(u"ID", Variant(3), {});
  Pump();
  EXPECT_EQ(view->Selected(), Node(view, 3));
  q->Edit();
  q->FieldByName(u"NAME")->SetAsString(u"cc");
  q->FieldByName(u"PARENT_ID")->SetAsInteger(2);
  EXPECT_EQ(Shape(view), "a,b(cc)");
  q->Post();
  Pump();
  EXPECT_EQ(Rows(), "1:0:a 2:0:b 3:2:cc");
  EXPECT_EQ(Shape(view), "a,b(cc)");
}

TEST_F(DbTreeTest, SelectingANodeMovesTheDatasetAndAFilterChangeRebuilds) {
  Exec(u"INSERT INTO DEP (ID, PARENT_ID, NAME, KIND) VALUES (1, 0, 'a', 1), (2, 0, 'b', 2), (3, 1, 'c', 1)");
  auto* q = Query();
  TdxDBTreeView* view = Tree(FullOptions(), u"0", q);
  Node(view, 2)->SetSelected(true);
  EXPECT_EQ(q->FieldByName(u"ID")->AsInteger(), 2);
  q->SetFilter(u"KIND = 1");
  q->SetFiltered(true);
  Pump();
  EXPECT_EQ(Shape(view), "a(c)");
  EXPECT_EQ(Rows(), "1:0:a 2:0:b 3:1:c");
}

}  // namespace

namespace {

TEST_F(DbTreeTest, LabelEditingWritesTheListFieldAndRefusesCharactersItDoesNotTake) {
  Exec(u"INSERT INTO DEP (ID, PARENT_ID, NAME) VALUES (1, 0, 'abc'), (2, 0, 'bca')");
  auto* q = Query();
  TdxDBTreeView* view = Tree(FullOptions(), u"0", q);
  q->FieldByName(u"NAME")->SetValidChars(TFieldChars::Of(u"abc"));
  view->SetFocus();
  Node(view, 2)->SetSelected(true);
  Pump();
  int beeps = MessageBeepCount();
  ASSERT_TRUE(Node(view, 2)->EditText());
  EXPECT_EQ(q->State(), dsEdit);
  SimulateText(u"axb");
  Pump();
  EXPECT_EQ(MessageBeepCount(), beeps + 1);  // the x
  SimulateKeyPress(VK_RETURN);
  Pump();
  EXPECT_EQ(Rows(), "1:0:abc 2:0:ab");
  EXPECT_EQ(Node(view, 2)->Text(), u"ab");
  // Esc leaves the record as it was and the dataset browsing.
  ASSERT_TRUE(Node(view, 2)->EditText());
  SimulateText(u"c");
  SimulateKeyPress(VK_ESCAPE);
  Pump();
  EXPECT_EQ(q->State(), dsBrowse);
  EXPECT_EQ(Rows(), "1:0:abc 2:0:ab");
}

}  // namespace

namespace {

TEST_F(DbTreeTest, OnDemandAParentChangeThatCannotBePostedPutsTheOldParentBack) {
  Exec(
      u"DROP TABLE DEP; CREATE TABLE DEP (ID INTEGER NOT NULL UNIQUE, PARENT_ID INTEGER CHECK (PARENT_ID <> "
      u"99),"
      u" NAME NVARCHAR(50), KIND INTEGER, NOTE NVARCHAR(200));"
      u"INSERT INTO DEP (ID, PARENT_ID, NAME) VALUES (1, 0, 'a'), (2, 0, 'b'), (3, 1, 'c')");
  auto* q = Query(u"SELECT * FROM DEP ORDER BY PARENT_ID, ID");
  TdxDBTreeView* view = Tree(SmartOptions(), u"0", q);
  q->Locate(u"ID", Variant(3), {});
  Pump();
  ASSERT_EQ(view->Selected(), Node(view, 3));
  q->Edit();
  q->FieldByName(u"PARENT_ID")->SetAsInteger(99);  // posted at once, refused by the database
  EXPECT_EQ(q->FieldByName(u"PARENT_ID")->AsInteger(), 1);
  EXPECT_EQ(Shape(view), "a(c),b");
  q->Cancel();
  q->Edit();
  q->FieldByName(u"PARENT_ID")->SetAsInteger(2);  // posted at once, the node follows
  EXPECT_EQ(q->State(), dsBrowse);
  EXPECT_EQ(Shape(view), "a,b(c)");
  EXPECT_EQ(Rows(), "1:0:a 2:0:b 3:2:c");
}

}  // namespace
