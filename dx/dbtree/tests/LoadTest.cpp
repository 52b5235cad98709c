// Building the tree from the dataset: all records at once, or level by level on demand, and
// finding a deep record's node by its key.
#include "DbTreeFixture.h"

namespace {

TEST_F(DbTreeTest, FullLoadPutsChildrenUnderParentsThatComeLaterAndOrphansAtTheRoot) {
  // 1's parent 5 comes later in the key order; 4's parent 99 does not exist.
  Exec(
      u"INSERT INTO DEP (ID, PARENT_ID, NAME) VALUES (1, 5, 'a'), (2, 0, 'b'), (3, 2, 'c'), (4, 99, 'd'),"
      u" (5, 0, 'e'), (6, 1, 'f')");
  TdxDBTreeView* view = Tree(FullOptions());
  EXPECT_EQ(Shape(view), "b(c),d,e(a(f))");
  EXPECT_EQ(view->DBNodes()->Count(), 6);
  EXPECT_EQ(Node(view, 6)->ParentValue().AsInteger(), 1);
}

TEST_F(DbTreeTest, ReloadDropsNodesOfVanishedRecordsWithoutDeletingData) {
  Exec(u"INSERT INTO DEP (ID, PARENT_ID, NAME) VALUES (1, 0, 'a'), (2, 1, 'b'), (3, 0, 'c')");
  auto* q = Query();
  TdxDBTreeView* view = Tree(FullOptions(), u"", q);
  Exec(u"DELETE FROM DEP WHERE ID = 3; UPDATE DEP SET NAME = 'bb' WHERE ID = 2");
  q->Requery();
  Pump();
  EXPECT_EQ(Shape(view), "a(bb)");
  EXPECT_EQ(Rows(), "1:0:a 2:1:bb");
}

TEST_F(DbTreeTest, OnDemandLoadsRootsThenEachLevelOnExpansionAndCollapseKeepsRecords) {
  Exec(
      u"INSERT INTO DEP (ID, PARENT_ID, NAME) VALUES (1, 0, 'a'), (2, 0, 'b'), (3, 1, 'c'), (4, 3, 'd'),"
      u" (5, 77, 'orphan')");
  TdxDBTreeView* view = Tree(SmartOptions(), u"0");
  EXPECT_EQ(Shape(view), "a,b");
  EXPECT_TRUE(Node(view, 1)->HasChildren());
  EXPECT_FALSE(Node(view, 2)->HasChildren());  // checked against the dataset
  Node(view, 1)->Expand(false);
  EXPECT_EQ(Shape(view), "a(c),b");
  Node(view, 3)->Expand(false);
  EXPECT_EQ(Shape(view), "a(c(d)),b");
  Node(view, 1)->Collapse(false);
  EXPECT_EQ(Shape(view), "a,b");
  EXPECT_TRUE(Node(view, 1)->HasChildren());
  EXPECT_EQ(Rows(), "1:0:a 2:0:b 3:1:c 4:3:d 5:77:orphan");
}

TEST_F(DbTreeTest, OnDemandSelectByKeyLoadsTheAncestorChain) {
  Exec(
      u"INSERT INTO DEP (ID, PARENT_ID, NAME) VALUES (1, 0, 'a'), (2, 1, 'b'), (3, 2, 'c'), (4, 3, 'd'),"
      u" (5, 0, 'e')");
  // On demand the root records must follow each other in the dataset's order.
  auto* q = Query(u"SELECT * FROM DEP ORDER BY PARENT_ID, ID");
  TdxDBTreeView* view = Tree(SmartOptions(), u"0", q);
  EXPECT_EQ(Shape(view), "a,e");
  q->Locate(u"ID", Variant(4), {});  // the tree follows the dataset
  Pump();
  EXPECT_EQ(Shape(view), "a(b(c(d))),e");
  ASSERT_NE(view->Selected(), nullptr);
  EXPECT_EQ(view->Selected()->Text(), u"d");
  EXPECT_EQ(q->FieldByName(u"ID")->AsInteger(), 4);
}

TEST_F(DbTreeTest, ParentLoopsInTheDataEndEveryWalk) {
  // 10 and 11 are each other's parent; 12 is its own parent; 13 hangs under the loop.
  Exec(
      u"INSERT INTO DEP (ID, PARENT_ID, NAME) VALUES (1, 0, 'a'), (10, 11, 'x'), (11, 10, 'y'), (12, 12, "
      u"'s'),"
      u" (13, 11, 'z')");
  {
    TdxDBTreeView* full = Tree(FullOptions());
    EXPECT_EQ(full->DBNodes()->Count(), 5);
    delete full;
  }
  auto* q = Query(u"SELECT * FROM DEP ORDER BY PARENT_ID, ID");
  TdxDBTreeView* view = Tree(SmartOptions(), u"0", q);
  EXPECT_EQ(Shape(view), "a");
  q->Locate(u"ID", Variant(13), {});
  Pump();
  EXPECT_EQ(Shape(view), "a,x(y(z))");
  ASSERT_NE(view->Selected(), nullptr);
  EXPECT_EQ(view->Selected()->Text(), u"z");
  q->Locate(u"ID", Variant(12), {});
  Pump();
  EXPECT_EQ(view->Selected()->Text(), u"s");
  // Deleting a node of the loop loads its whole subtree first, which must end.
  TdxDBTreeNode* x = Node(view, 10);
  ASSERT_NE(x, nullptr);
  x->Delete();
  Pump();
  EXPECT_EQ(Rows(u"ID"), "1 12");
}

}  // namespace
