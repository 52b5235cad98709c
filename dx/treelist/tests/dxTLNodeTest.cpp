#include <gtest/gtest.h>

#include "dx/treelist/tests/dxTreeListTestSupport.h"

namespace {

class DxTLNodeTest : public DxTreeListTest {};

// Root R with children A (with A1, A2) and B; a second root S.
struct TSampleTree {
  TdxTreeListNode *R, *A, *A1, *A2, *B, *S;
};

TSampleTree MakeSample(TCustomdxTreeList* tl) {
  TSampleTree t{};
  t.R = DxTreeListTest::AddText(tl, nullptr, "R");
  t.A = DxTreeListTest::AddText(tl, t.R, "A");
  t.A1 = DxTreeListTest::AddText(tl, t.A, "A1");
  t.A2 = DxTreeListTest::AddText(tl, t.A, "A2");
  t.B = DxTreeListTest::AddText(tl, t.R, "B");
  t.S = DxTreeListTest::AddText(tl, nullptr, "S");
  return t;
}

TEST_F(DxTLNodeTest, WalksFollowTheTreeOrderRegardlessOfExpansion) {
  auto* tl = MakeDetached();
  TSampleTree t = MakeSample(tl);
  struct TCase {
    TdxTreeListNode* node;
    std::string next, prev, priorParent, level;
  } cases[] = {
      {t.R, "A", "nil", "nil", "0"}, {t.A, "A1", "R", "R", "1"}, {t.A1, "A2", "A", "A", "2"},
      {t.A2, "B", "A1", "A1", "2"},  {t.B, "S", "A2", "A", "1"}, {t.S, "nil", "B", "R", "0"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(Text(c.node));
    EXPECT_EQ(Text(c.node->GetNext()), c.next);
    EXPECT_EQ(Text(c.node->GetPrev()), c.prev);
    EXPECT_EQ(Text(c.node->GetPriorParentNode()), c.priorParent);
    EXPECT_EQ(std::to_string(c.node->GetLevel()), c.level);
  }
  EXPECT_EQ(t.A2->GetIndex(), 1);
  EXPECT_EQ(t.S->GetIndex(), 1);
  EXPECT_TRUE(t.A2->HasAsParent(t.R));
  EXPECT_FALSE(t.R->HasAsParent(t.A2));
  EXPECT_TRUE(t.B->IsLast());
  EXPECT_FALSE(t.A1->IsLast());
  // A childless node.
  EXPECT_EQ(t.B->GetCount(), 0);
  EXPECT_EQ(t.B->GetItem(0), nullptr);
  EXPECT_EQ(t.B->GetFirstChild(), nullptr);
  EXPECT_EQ(t.B->IndexOf(t.A), -1);
  EXPECT_EQ(t.R->GetItem(7), nullptr);
}

TEST_F(DxTLNodeTest, ANilOwnerIsRefused) {
  EXPECT_THROW(TdxTreeListTextNode(nullptr), EInvaliddxTreeListOperation);
  try {
    TdxTreeListTextNode n(nullptr);
  } catch (const EInvaliddxTreeListOperation& e) {
    EXPECT_EQ(e.Message(), u"Invalid Owner TdxTreeListNode");
  }
}

TEST_F(DxTLNodeTest, MoveToRefusesImpossibleDestinations) {
  auto* tl = MakeDetached();
  TSampleTree t = MakeSample(tl);
  struct TCase {
    TdxTreeListNode* node;
    TdxTreeListNode* dest;
    TdxTreeListNodeAttachMode mode;
  } refused[] = {
      {t.A, nullptr, natlAdd},       {t.A, t.A, natlInsert},    {t.A, t.A, natlAddChild},
      {t.A, t.A, natlAddChildFirst}, {t.R, t.A1, natlAddChild}, {t.R, t.A2, natlInsert},
  };
  for (const TCase& c : refused) {
    SCOPED_TRACE(Text(c.node) + " -> " + Text(c.dest) + " mode " + std::to_string(c.mode));
    EXPECT_FALSE(c.node->CanMove(c.dest, c.mode));
    c.node->MoveTo(c.dest, c.mode);
    EXPECT_EQ(Text(t.R->GetItem(0)), "A");
    EXPECT_EQ(t.A1->Parent(), t.A);
    EXPECT_EQ(tl->GetCount(), 2);
  }
}

TEST_F(DxTLNodeTest, MovesInEveryModePutTheNodeWhereAsked) {
  struct TCase {
    const char* dest;
    TdxTreeListNodeAttachMode mode;
    const char* parentAfter;
    int indexAfter;
  } cases[] = {
      {"B", natlAdd, "R", 2},      {"B", natlAddFirst, "R", 0},      {"B", natlInsert, "R", 1},
      {"B", natlAddChild, "B", 0}, {"A", natlAddChildFirst, "A", 0}, {"S", natlAdd, "nil", 2},
      {"S", natlInsert, "nil", 1},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(std::string(c.dest) + " mode " + std::to_string(c.mode));
    auto* tl = MakeDetached();
    TSampleTree t = MakeSample(tl);
    TdxTreeListNode* dest = std::string(c.dest) == "B" ? t.B : std::string(c.dest) == "A" ? t.A : t.S;
    t.A1->MoveTo(dest, c.mode);
    EXPECT_EQ(Text(t.A1->Parent()), c.parentAfter);
    EXPECT_EQ(t.A1->GetIndex(), c.indexAfter);
    EXPECT_EQ(tl->FocusedNode(), t.A1);
    EXPECT_TRUE(t.A1->IsVisible());
  }
}

TEST_F(DxTLNodeTest, AMoveRelativeToTheNodeItselfKeepsItAmongItsSiblings) {
  auto* tl = MakeDetached();
  TSampleTree t = MakeSample(tl);
  t.A1->MoveTo(t.A1, natlAdd);
  EXPECT_EQ(t.A1->Parent(), t.A);
  EXPECT_EQ(t.A1->GetIndex(), 1);
  t.A1->MoveTo(t.A1, natlAddFirst);
  EXPECT_EQ(t.A1->Parent(), t.A);
  EXPECT_EQ(t.A1->GetIndex(), 0);
  // A lone child stays under its parent, which keeps its children open.
  TdxTreeListNode* only = AddText(tl, t.B, "only");
  t.B->SetExpanded(true);
  only->MoveTo(only, natlAdd);
  EXPECT_EQ(only->Parent(), t.B);
  EXPECT_TRUE(t.B->Expanded());
}

TEST_F(DxTLNodeTest, RemovingTheLastChildFreesTheListAndCollapsesTheParent) {
  auto* tl = MakeDetached();
  TSampleTree t = MakeSample(tl);
  t.A->SetExpanded(true);
  delete t.A1;
  EXPECT_TRUE(t.A->HasChildren());
  delete t.A2;
  EXPECT_EQ(t.A->GetCount(), 0);
  EXPECT_FALSE(t.A->HasChildren());
  EXPECT_FALSE(t.A->Expanded());
}

TEST_F(DxTLNodeTest, DetachingManyNodesAtOnceKeepsTheOthersInOrder) {
  auto* tl = MakeDetached();
  TSampleTree t = MakeSample(tl);
  TdxTreeListNode* T = AddText(tl, nullptr, "T");
  t.R->SetExpanded(true);
  t.A->SetExpanded(true);
  tl->DetachNodes({t.A1, t.S, t.A2});
  // A lost both children and closed; R and T stay roots in their order; the detached nodes are free.
  EXPECT_EQ(t.A->GetCount(), 0);
  EXPECT_FALSE(t.A->HasChildren());
  EXPECT_FALSE(t.A->Expanded());
  EXPECT_TRUE(t.R->Expanded());
  ASSERT_EQ(tl->GetCount(), 2);
  EXPECT_EQ(tl->GetItem(0), t.R);
  EXPECT_EQ(tl->GetItem(1), T);
  EXPECT_EQ(T->GetIndex(), 1);
  EXPECT_EQ(t.B->GetIndex(), 1);
  for (TdxTreeListNode* gone : {t.A1, t.A2, t.S}) {
    EXPECT_EQ(gone->Parent(), nullptr);
    delete gone;
  }
}

TEST_F(DxTLNodeTest, FreeingASubtreeDeletesChildrenBeforeParentsOncePerNode) {
  auto* tl = MakeDetached();
  TdxTreeListNode* root = AddText(tl, nullptr, "root");
  tl->BeginUpdate();
  std::vector<TdxTreeListNode*> level1;
  for (int i = 0; i < 10; ++i) {
    TdxTreeListNode* a = root->AddChild();
    for (int j = 0; j < 99; ++j) a->AddChild();
  }
  tl->EndUpdate();
  std::vector<TdxTreeListNode*> order;
  tl->OnDeletion = [&](TObject*, TdxTreeListNode* n) {
    // Every child of the node being deleted is gone already.
    EXPECT_EQ(n->GetCount(), 0);
    order.push_back(n);
  };
  delete root;
  EXPECT_EQ(order.size(), 1001u);
  EXPECT_EQ(order.back(), root);
  EXPECT_EQ(tl->GetCount(), 0);
  EXPECT_EQ(tl->FocusedNode(), nullptr);
  EXPECT_EQ(tl->TopVisibleNode(), nullptr);
}

TEST_F(DxTLNodeTest, ExpandingNeedsHasChildrenAndAskesFirst) {
  auto* tl = MakeDetached();
  TSampleTree t = MakeSample(tl);
  int expanding = 0;
  tl->OnExpanding = [&](TObject*, TdxTreeListNode*, bool& Allow) {
    ++expanding;
    Allow = false;
  };
  t.B->SetExpanded(true);  // no children, no button: nothing happens
  EXPECT_EQ(expanding, 0);
  t.A->SetExpanded(true);  // refused by the event
  EXPECT_EQ(expanding, 1);
  EXPECT_FALSE(t.A->Expanded());
}

TEST_F(DxTLNodeTest, CollapsingMovesFocusFromInsideTheBranchUnlessTheFocusChangeFails) {
  auto* tl = MakeDetached();
  TSampleTree t = MakeSample(tl);
  t.R->Expand(true);
  tl->SetFocusedNode(t.A2, 0, false);
  tl->FocusNodeAnswer = false;
  t.A->SetExpanded(false);
  EXPECT_TRUE(t.A->Expanded());
  EXPECT_EQ(tl->FocusedNode(), t.A2);
  tl->FocusNodeAnswer = true;
  t.A->SetExpanded(false);
  EXPECT_FALSE(t.A->Expanded());
  EXPECT_EQ(tl->FocusedNode(), t.A);
}

TEST_F(DxTLNodeTest, RecursiveExpandOfADeepTreeLaysOutOnce) {
  auto* tl = MakeTreeList();
  TdxTreeListNode* n = AddText(tl, nullptr, "0");
  tl->BeginUpdate();
  for (int i = 1; i < 50; ++i) n = n->AddChild();
  tl->EndUpdate();
  int before = tl->LayoutPassCount();
  tl->GetItem(0)->Expand(true);
  EXPECT_EQ(tl->LayoutPassCount() - before, 1);
  EXPECT_EQ(tl->GetAbsoluteCount(), 50);
}

TEST_F(DxTLNodeTest, TreeOrderComparisonPutsAncestorsFirst) {
  auto* tl = MakeDetached();
  TSampleTree t = MakeSample(tl);
  EXPECT_GT(CompareNodesInTreeOrder(t.A1, t.R), 0);
  EXPECT_LT(CompareNodesInTreeOrder(t.R, t.A1), 0);
  EXPECT_LT(CompareNodesInTreeOrder(t.A2, t.B), 0);
  EXPECT_GT(CompareNodesInTreeOrder(t.S, t.A1), 0);
  EXPECT_EQ(CompareNodesInTreeOrder(t.B, t.B), 0);
}

}  // namespace

namespace {

// Every node's index and sibling steps agree with the list that holds it.
void ExpectSiblingLinksMatchTheLists(TCustomdxTreeList* tl) {
  std::vector<TdxTreeListNode*> list;
  for (int i = 0; i < tl->GetCount(); ++i) list.push_back(tl->GetItem(i));
  std::function<void(const std::vector<TdxTreeListNode*>&)> check = [&](const std::vector<TdxTreeListNode*>& l) {
    for (size_t i = 0; i < l.size(); ++i) {
      SCOPED_TRACE(DxTreeListTest::Text(l[i]));
      EXPECT_EQ(l[i]->GetIndex(), static_cast<int>(i));
      EXPECT_EQ(l[i]->GetPrevSibling(), i ? l[i - 1] : nullptr);
      EXPECT_EQ(l[i]->GetNextSibling(), i + 1 < l.size() ? l[i + 1] : nullptr);
      if (l[i]->Parent()) {
        EXPECT_EQ(l[i]->Parent()->IndexOf(l[i]), static_cast<int>(i));
      }
      std::vector<TdxTreeListNode*> children;
      l[i]->AppendChildrenTo(children);
      check(children);
    }
  };
  check(list);
}

}  // namespace

// Indexes are remembered between look-ups; every kind of structural change must leave them right.
TEST_F(DxTLNodeTest, SiblingIndexesFollowInsertsMovesSortsAndDeletes) {
  auto* tl = MakeDetached();
  tl->CreateColumn(TdxTreeListColumn::StaticClass());
  std::vector<TdxTreeListNode*> roots;
  for (const char* t : {"r0", "r1", "r2", "r3", "r4", "r5"}) roots.push_back(AddText(tl, nullptr, t));
  for (const char* t : {"c0", "c1", "c2"}) AddText(tl, roots[1], t);
  ExpectSiblingLinksMatchTheLists(tl);  // numbers every list once

  struct TStep {
    const char* what;
    std::function<void()> change;
    const char* rootsAfter;
  } steps[] = {
      {"insert before the first root", [&] { tl->Insert(roots[0])->SetString(0, u"n0"); }, "n0 r0 r1 r2 r3 r4 r5"},
      {"insert two in the middle",
       [&] {
         tl->Insert(roots[3])->SetString(0, u"n1");
         tl->Insert(roots[3])->SetString(0, u"n2");
       },
       "n0 r0 r1 r2 n1 n2 r3 r4 r5"},
      {"delete a root near the front", [&] { delete tl->GetItem(1); }, "n0 r1 r2 n1 n2 r3 r4 r5"},
      {"move the last root first", [&] { roots[5]->MoveTo(roots[5], natlAddFirst); }, "r5 n0 r1 r2 n1 n2 r3 r4"},
      {"move a root under another", [&] { roots[2]->MoveTo(roots[1], natlAddChildFirst); }, "r5 n0 r1 n1 n2 r3 r4"},
      {"move a child out before a root", [&] { tl->GetItem(2)->GetItem(2)->MoveTo(roots[4], natlInsert); },
       "r5 n0 r1 n1 n2 r3 c1 r4"},
      {"sort descending",
       [&] {
         tl->SortValue = [](TdxTreeListNode* Node, int Column, Variant& Value) { Value = Node->GetString(Column); };
         tl->SortNodes(-1, 0, true);
       },
       "r5 r4 r3 r1 n2 n1 n0 c1"},
  };
  for (const TStep& s : steps) {
    SCOPED_TRACE(s.what);
    s.change();
    std::string names;
    for (int i = 0; i < tl->GetCount(); ++i) names += (i ? " " : "") + Text(tl->GetItem(i));
    EXPECT_EQ(names, s.rootsAfter);
    ExpectSiblingLinksMatchTheLists(tl);
  }
  // A node taken out of every list has no index, however it was numbered before.
  TdxTreeListNode* loose = tl->GetItem(3);
  loose->Detach();
  EXPECT_EQ(loose->GetIndex(), -1);
  EXPECT_EQ(loose->GetNextSibling(), nullptr);
  ExpectSiblingLinksMatchTheLists(tl);
  loose->AddToRoots();
  EXPECT_EQ(loose->GetIndex(), tl->GetCount() - 1);
}
