// Dropping nodes: the tree's own drop rules, copies of subtrees written as records, and moves
// between trees.
#include "DbTreeFixture.h"

namespace {

TEST_F(DbTreeTest, DropRulesRefuseSelfDescendantsAndTheOwnParentWithoutCtrl) {
  Exec(u"INSERT INTO DEP (ID, PARENT_ID, NAME) VALUES (1, 0, 'a'), (2, 1, 'b'), (3, 2, 'c'), (4, 0, 'd')");
  TdxDBTreeView* view = Tree(FullOptions(), u"0");
  TTreeNode *a = Node(view, 1), *b = Node(view, 2), *c = Node(view, 3), *d = Node(view, 4);
  struct {
    TTreeNode* source;
    TTreeNode* target;
    bool copy;
    bool accepted;
  } cases[] = {
      {a, a, false, false}, {a, c, false, false},       {a, c, true, false},  // self and descendants
      {b, a, false, false}, {b, a, true, true},                               // own parent: only a copy
      {b, d, false, true},  {c, nullptr, false, false},                       // empty space: a handler's call
  };
  for (auto& t : cases) EXPECT_EQ(view->AcceptDrop(t.source, t.target, t.copy), t.accepted);
  bool move = false;
  view->OnEndDragTreeNode = [](TTreeNode*, TTreeNode*, TNodeAttachMode&) {};
  EXPECT_TRUE(view->AcceptDrop(b, a, move));
  view->OnDragDropTreeNode = [](TTreeNode*, TTreeNode*, bool& accept) { accept = false; };
  EXPECT_FALSE(view->AcceptDrop(b, d, move));
}

TEST_F(DbTreeTest, CtrlDropInOneTreeCopiesTheSubtreeAsRecordsWithTheirOtherFields) {
  Exec(
      u"INSERT INTO DEP (ID, PARENT_ID, NAME, KIND, NOTE) VALUES (1, 0, 'a', 7, 'n1'), (2, 1, 'b', 8, NULL),"
      u" (3, 0, 'd', 9, 'n3')");
  TdxDBTreeView* view = Tree(FullOptions(), u"0");
  TTreeNode* copy = view->DropNodes(Node(view, 1), Node(view, 3), true);
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(Shape(view), "a(b),d(a(b))");
  EXPECT_TRUE(Node(view, 3)->HasChildren());
  EXPECT_EQ(
      Rows(u"ID || ':' || PARENT_ID || ':' || NAME || ':' || IFNULL(KIND, '-') || ':' || IFNULL(NOTE, '-')"),
      "1:0:a:7:n1 2:1:b:8:- 3:0:d:9:n3 4:3:a:7:n1 5:4:b:8:-");
  EXPECT_FALSE(view->InternalOperation());
}

TEST_F(DbTreeTest, MoveInsideOneTreeWritesTheParentOnly) {
  Exec(u"INSERT INTO DEP (ID, PARENT_ID, NAME) VALUES (1, 0, 'a'), (2, 1, 'b'), (3, 0, 'd')");
  TdxDBTreeView* view = Tree(FullOptions(), u"0");
  EXPECT_EQ(view->DropNodes(Node(view, 2), Node(view, 3), false), Node(view, 2));
  EXPECT_EQ(Shape(view), "a,d(b)");
  EXPECT_EQ(Rows(), "1:0:a 2:3:b 3:0:d");
}

// A drag with the mouse: press on a node, move over another in steps, release (Ctrl held: a copy).
void DragNode(TdxDBTreeView* view, TTreeNode* from, TTreeNode* to, bool copy, VirtualClockScope& clock) {
  view->SetDragMode(dmAutomatic);
  RECT a = from->DisplayRect(true), b = to->DisplayRect(true);
  POINT start = view->ClientToScreen(POINT{a.left + 3, (a.top + a.bottom) / 2});
  POINT end = view->ClientToScreen(POINT{b.left + 3, (b.top + b.bottom) / 2});
  clock->Advance(1000);
  SimulateMouseDown(TSimButton::Left, start);
  Application->ProcessMessages();
  if (copy) SimulateKeyDown(VK_CONTROL);
  for (int i = 1; i <= 6; ++i) {
    SimulateMouseMove(POINT{start.x + (end.x - start.x) * i / 6, start.y + (end.y - start.y) * i / 6});
    Application->ProcessMessages();
  }
  SimulateMouseUp(TSimButton::Left, end);
  Application->ProcessMessages();
  if (copy) SimulateKeyUp(VK_CONTROL);
  Application->ProcessMessages();
}

TEST_F(DbTreeTest, DraggingWithTheMouseMovesOrWithCtrlCopiesTheRecords) {
  Exec(u"INSERT INTO DEP (ID, PARENT_ID, NAME) VALUES (1, 0, 'aaaa'), (2, 1, 'bbbb'), (3, 0, 'dddd')");
  TdxDBTreeView* view = Tree(FullOptions(), u"0");
  view->FullExpand();
  Pump();
  DragNode(view, Node(view, 2), Node(view, 3), false, clock);
  EXPECT_EQ(Shape(view), "aaaa,dddd(bbbb)");
  EXPECT_EQ(Rows(), "1:0:aaaa 2:3:bbbb 3:0:dddd");
  EXPECT_FALSE(view->DraggingOver());
  DragNode(view, Node(view, 3), Node(view, 1), true, clock);
  EXPECT_EQ(Shape(view), "aaaa(dddd(bbbb)),dddd(bbbb)");
  EXPECT_EQ(Rows(), "1:0:aaaa 2:3:bbbb 3:0:dddd 4:1:dddd 5:4:bbbb");
  // Onto its own parent without Ctrl a node is not dropped.
  view->FullExpand();
  Pump();
  DragNode(view, Node(view, 5), Node(view, 4), false, clock);
  EXPECT_EQ(Rows(), "1:0:aaaa 2:3:bbbb 3:0:dddd 4:1:dddd 5:4:bbbb");
}

class TwoTreesTest : public DbTreeTest {
 protected:
  void SetUp() override {
    DbTreeTest::SetUp();
    Exec(
        u"CREATE TABLE DEP2 (ID INTEGER NOT NULL UNIQUE, PARENT_ID INTEGER, NAME NVARCHAR(50), KIND "
        u"NVARCHAR(10),"
        u" NOTE NVARCHAR(200));"
        u"INSERT INTO DEP (ID, PARENT_ID, NAME, KIND) VALUES (1, 0, 'a', 5), (2, 1, 'b', 6);"
        u"INSERT INTO DEP2 (ID, PARENT_ID, NAME, KIND) VALUES (10, 0, 'x', 'text')");
    source = Tree(FullOptions(), u"0");
    target = Tree(FullOptions(), u"0", Query(u"SELECT * FROM DEP2 ORDER BY ID"));
    target->SetLeft(320);
  }
  std::string TargetRows() {
    auto st = connection->DbConnection().Prepare(
        u"SELECT ID || ':' || PARENT_ID || ':' || NAME || ':' || IFNULL(KIND, '-') FROM DEP2 ORDER BY ID");
    st->Execute();
    std::string out;
    while (st->Next()) out += (out.empty() ? "" : " ") + StringToUtf8(VarToStr(st->Value(0)));
    return out;
  }
  TdxDBTreeView* source = nullptr;
  TdxDBTreeView* target = nullptr;
};

TEST_F(TwoTreesTest, MoveBetweenTreesCopiesThenDeletesTheSource) {
  target->DropNodes(Node(source, 1), Node(target, 10), false);
  EXPECT_EQ(Shape(target), "x(a(b))");
  EXPECT_EQ(TargetRows(), "10:0:x:text 11:10:a:5 12:11:b:6");
  EXPECT_EQ(Shape(source), "");
  EXPECT_EQ(Rows(u"ID"), "");
}

TEST_F(TwoTreesTest, MoveRefusedByTheTargetKeepsTheSourceRecords) {
  target->OnDBAction = [](TObject*, TdxDBTreeNode*, TdxDBTreeNode*, TdxDBTreeViewAction action,
                          bool& automatic) { automatic = action != trDBMove; };
  target->DropNodes(Node(source, 1), Node(target, 10), false);
  EXPECT_EQ(TargetRows(), "10:0:x:text");
  EXPECT_EQ(Shape(source), "a(b)");
  EXPECT_EQ(Rows(u"ID"), "1 2");
}

TEST_F(TwoTreesTest, FieldsThatCannotTakeTheSourceValueAreReported) {
  Exec(u"UPDATE DEP SET NOTE = 'note' WHERE ID = 1");
  auto* q = static_cast<TADOQuery*>(source->DataSet());
  q->Requery();
  // The target's NOTE is read-only in its dataset: the value cannot be written.
  target->DataSet()->FieldByName(u"NOTE")->SetReadOnly(true);
  std::vector<String> reported;
  target->OnCopyFieldsError = [&](TObject*, const std::vector<String>& names) { reported = names; };
  target->DropNodes(Node(source, 2), Node(target, 10), true);
  target->DropNodes(Node(source, 1), Node(target, 10), true);
  EXPECT_EQ(TargetRows(), "10:0:x:text 11:10:b:6 12:10:a:5 13:12:b:6");
  ASSERT_EQ(reported.size(), 1u);
  EXPECT_EQ(reported[0], u"NOTE");
  EXPECT_EQ(Rows(u"ID"), "1 2");  // a copy leaves the source
  // Without a handler the failure is raised, and the tree's internal flag still comes down.
  target->OnCopyFieldsError = nullptr;
  EXPECT_THROW(target->DropNodes(Node(source, 1), nullptr, true), EDatabaseError);
  EXPECT_FALSE(target->InternalOperation());
  EXPECT_EQ(Shape(target), "x(b,a(b)),a(b)");
  Node(target, 10)->SetText(u"y");
  EXPECT_EQ(TargetRows().substr(0, 12), "10:0:y:text ");
}

}  // namespace
