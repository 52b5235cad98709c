#include <gtest/gtest.h>

#include <random>

#include "dx/treelist/tests/dxTreeListTestSupport.h"

namespace {

class DxTLNodeCacheTest : public DxTreeListTest {};

// The rows by a plain walk: roots in order, the children of an expanded node after it.
void NaiveRows(TdxTreeListNode* Node, std::vector<TdxTreeListNode*>& Out) {
  Out.push_back(Node);
  if (Node->Expanded())
    for (int i = 0; i < Node->GetCount(); ++i) NaiveRows(Node->GetItem(i), Out);
}

std::vector<TdxTreeListNode*> NaiveRows(TCustomdxTreeList* tl) {
  std::vector<TdxTreeListNode*> rows;
  for (int i = 0; i < tl->GetCount(); ++i) NaiveRows(tl->GetItem(i), rows);
  return rows;
}

void AllNodes(TdxTreeListNode* Node, std::vector<TdxTreeListNode*>& Out) {
  Out.push_back(Node);
  for (int i = 0; i < Node->GetCount(); ++i) AllNodes(Node->GetItem(i), Out);
}

TEST_F(DxTLNodeCacheTest, IncrementalCacheAlwaysMatchesAPlainWalk) {
  auto* tl = MakeTreeList();
  std::mt19937 rng(20261210);
  for (int i = 0; i < 5; ++i) AddText(tl, nullptr, "r");
  for (int step = 0; step < 1500; ++step) {
    std::vector<TdxTreeListNode*> all;
    for (int i = 0; i < tl->GetCount(); ++i) AllNodes(tl->GetItem(i), all);
    int op = static_cast<int>(rng() % 10);
    TdxTreeListNode* pick = all.empty() ? nullptr : all[rng() % all.size()];
    if (all.empty() || op < 1) {
      tl->Add();
    } else if (op < 5) {
      if (rng() % 2)
        pick->AddChild();
      else
        pick->InsertChild(pick->GetFirstChild());
    } else if (op < 7) {
      if (all.size() > 3) delete pick;
    } else if (op < 9) {
      pick->SetExpanded(!pick->Expanded());
    } else {
      TdxTreeListNode* dest = all[rng() % all.size()];
      pick->MoveTo(dest, static_cast<TdxTreeListNodeAttachMode>(rng() % 5));
    }
    std::vector<TdxTreeListNode*> expected = NaiveRows(tl);
    ASSERT_EQ(tl->GetAbsoluteCount(), static_cast<int>(expected.size())) << "step " << step;
    for (size_t r = 0; r < expected.size(); ++r) {
      ASSERT_EQ(tl->GetAbsoluteNode(static_cast<int>(r)), expected[r]) << "step " << step << " row " << r;
      ASSERT_EQ(tl->GetAbsoluteIndex(expected[r]), static_cast<int>(r)) << "step " << step;
    }
    std::vector<TdxTreeListNode*> after;
    for (int i = 0; i < tl->GetCount(); ++i) AllNodes(tl->GetItem(i), after);
    for (TdxTreeListNode* n : after) {
      bool isRow = std::find(expected.begin(), expected.end(), n) != expected.end();
      if (!isRow) {
        ASSERT_EQ(tl->GetAbsoluteIndex(n), -1) << "step " << step;
      }
    }
  }
  EXPECT_TRUE(tl->IsNodeCacheBuilt());
}

TEST_F(DxTLNodeCacheTest, RowsFollowExpansionAndAdditionsMoveLaterRows) {
  auto* tl = MakeTreeList();
  TdxTreeListNode* A = AddText(tl, nullptr, "A");
  TdxTreeListNode* A1 = AddText(tl, A, "A1");
  TdxTreeListNode* A2 = AddText(tl, A, "A2");
  TdxTreeListNode* B = AddText(tl, nullptr, "B");
  A->SetExpanded(true);
  EXPECT_EQ(Rows(tl), "A A1 A2 B");
  A->SetExpanded(false);
  EXPECT_EQ(Rows(tl), "A B");
  EXPECT_EQ(tl->GetAbsoluteIndex(A1), -1);
  A->SetExpanded(true);
  tl->RowFooterLevels = true;
  tl->SetShowRowFooter(true);
  int base = tl->DefaultRowHeight(), footer = tl->Layout().RowFooterHeight;
  EXPECT_EQ(tl->GetRowHeight(A2, base), base + footer);
  TdxTreeListNode* A3 = AddText(tl, A, "A3");
  EXPECT_EQ(tl->GetAbsoluteIndex(A3), 3);
  EXPECT_EQ(tl->GetAbsoluteIndex(B), 4);
  // The row footer moved to the new last child: the old one's cached height is not used again.
  EXPECT_EQ(tl->GetRowHeight(A2, base), base);
  EXPECT_EQ(tl->GetRowHeight(A3, base), base + footer);
}

TEST_F(DxTLNodeCacheTest, DeletingTheFocusedNodeFocusesItsNeighbourWithoutAnEvent) {
  struct TCase {
    const char* deleted;
    const char* focusAfter;
  } cases[] = {{"A2", "A1"}, {"A1", "A"}, {"C", "B"}, {"A", "B"}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.deleted);
    auto* tl = MakeTreeList();
    TdxTreeListNode* A = AddText(tl, nullptr, "A");
    AddText(tl, A, "A1");
    AddText(tl, A, "A2");
    AddText(tl, nullptr, "B");
    AddText(tl, nullptr, "C");
    A->SetExpanded(true);
    TdxTreeListNode* victim = nullptr;
    for (int i = 0; i < tl->GetAbsoluteCount(); ++i)
      if (Text(tl->GetAbsoluteNode(i)) == c.deleted) victim = tl->GetAbsoluteNode(i);
    tl->SetFocusedNode(victim, 0, true);
    int changes = 0;
    tl->OnChangeNode = [&](TObject*, TdxTreeListNode*, TdxTreeListNode*) { ++changes; };
    delete victim;
    EXPECT_EQ(Text(tl->FocusedNode()), c.focusAfter);
    EXPECT_EQ(changes, 0);
  }
}

TEST_F(DxTLNodeCacheTest, DeletingTheLastRootLeavesNoFocusAndNoTop) {
  auto* tl = MakeTreeList();
  TdxTreeListNode* only = AddText(tl, nullptr, "only");
  EXPECT_EQ(tl->FocusedNode(), only);
  EXPECT_EQ(tl->TopVisibleNode(), only);
  int topChanges = 0;
  tl->OnChangeTopVisibleNode = [&](TObject*) { ++topChanges; };
  delete only;
  EXPECT_EQ(tl->FocusedNode(), nullptr);
  EXPECT_EQ(tl->TopVisibleNode(), nullptr);
  EXPECT_EQ(topChanges, 1);
  EXPECT_EQ(tl->GetAbsoluteCount(), 0);
}

TEST_F(DxTLNodeCacheTest, ClearNodesLeavesNothingBehindAndFreesPendingNodes) {
  auto* tl = MakeTreeList();
  for (int i = 0; i < 5; ++i) AddText(tl, nullptr, "n");
  int deletions = 0;
  tl->OnDeletion = [&](TObject*, TdxTreeListNode*) { ++deletions; };
  tl->PendingNodes().push_back(tl->CreateNode());
  tl->ClearNodes();
  EXPECT_EQ(deletions, 6);
  EXPECT_TRUE(tl->PendingNodes().empty());
  EXPECT_EQ(tl->FocusedNode(), nullptr);
  EXPECT_EQ(tl->TopVisibleNode(), nullptr);
  EXPECT_EQ(tl->GetCount(), 0);
}

TEST_F(DxTLNodeCacheTest, AddToAnEmptyListMakesTheNodeTopAndFocused) {
  auto* tl = MakeTreeList();
  int changes = 0;
  tl->OnChangeNode = [&](TObject*, TdxTreeListNode*, TdxTreeListNode*) { ++changes; };
  TdxTreeListNode* n = tl->Add();
  EXPECT_EQ(tl->FocusedNode(), n);
  EXPECT_EQ(tl->TopVisibleNode(), n);
  EXPECT_EQ(changes, 0);
}

TEST_F(DxTLNodeCacheTest, FocusByRowIndexIsClampedAndColumnChangesFireTheirOwnEvent) {
  auto* tl = MakeTreeList();
  for (int i = 0; i < 10; ++i) AddText(tl, nullptr, std::to_string(i).c_str());
  tl->SetOptionFlags(tl->OptionFlags() & ~dxtlo::RowSelect);
  tl->SetFocusedAbsoluteIndex(1000);
  EXPECT_EQ(Text(tl->FocusedNode()), "9");
  tl->SetFocusedAbsoluteIndex(-5);
  EXPECT_EQ(Text(tl->FocusedNode()), "0");
  tl->CreateColumn(TdxTreeListColumn::StaticClass());
  tl->CreateColumn(TdxTreeListColumn::StaticClass());
  int nodeChanges = 0, columnChanges = 0;
  tl->OnChangeNode = [&](TObject*, TdxTreeListNode*, TdxTreeListNode*) { ++nodeChanges; };
  tl->OnChangeColumn = [&](TObject*, TdxTreeListNode*, int) { ++columnChanges; };
  tl->SetFocusedColumn(1);
  EXPECT_EQ(tl->GetFocusedColumn(), 1);
  EXPECT_EQ(nodeChanges, 0);
  EXPECT_EQ(columnChanges, 1);
  tl->SetFocusedColumn(5);  // out of range: ignored
  EXPECT_EQ(tl->GetFocusedColumn(), 1);
}

TEST_F(DxTLNodeCacheTest, RowHeightsFollowGridPreviewAndOutlookRules) {
  struct TCase {
    const char* name;
    bool showGrid, showPreviewGrid, preview, outlook;
    int expected;  // for a base height of 18 and a parent node
  } cases[] = {
      {"plain", false, true, false, false, 18},
      {"grid and preview grid", true, true, false, false, 18},
      {"grid only", true, false, false, false, 19},
      {"preview of two lines", false, true, true, false, 18 + 2 * 11 + 2},
      {"preview with both grids", true, true, true, false, 1 + 18 + 2 * 11 + 1 + 2 - 1},
      {"outlook parent without grid", false, true, false, true, 19},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    auto* tl = MakeTreeList();
    TdxTreeListNode* parent = AddText(tl, nullptr, "p");
    AddText(tl, parent, "c");
    tl->SetShowGrid(c.showGrid);
    tl->SetShowPreviewGrid(c.showPreviewGrid);
    tl->SetPaintStyle(c.outlook ? psOutlook : psStandard);
    tl->SetOptionFlagsEx(tl->OptionFlagsEx() & ~dxtlox::AutoCalcPreviewLines);
    if (c.preview) tl->SetOptionFlags(tl->OptionFlags() | dxtlo::Preview);
    EXPECT_EQ(tl->GetRowHeight(parent, 18, true), c.expected);
  }
}

TEST_F(DxTLNodeCacheTest, AutomaticPreviewLinesCountOnlyText) {
  auto* tl = MakeTreeList();
  TdxTreeListNode* n = AddText(tl, nullptr, "n");
  tl->SetOptionFlags(tl->OptionFlags() | dxtlo::Preview);
  tl->SetOptionFlagsEx(tl->OptionFlagsEx() | dxtlox::AutoCalcPreviewLines);
  // The base has no preview text: an empty preview adds nothing.
  EXPECT_EQ(tl->GetPreviewLineCount(n), 0);
  EXPECT_EQ(tl->GetRowHeight(n, 18, true), 18);
}

TEST_F(DxTLNodeCacheTest, DeletingTheLastChildResetsTheNewLastChildsHeight) {
  auto* tl = MakeTreeList();
  TdxTreeListNode* group = AddText(tl, nullptr, "g");
  TdxTreeListNode* a = AddText(tl, group, "a");
  TdxTreeListNode* b = AddText(tl, group, "b");
  group->SetExpanded(true);
  tl->RowFooterLevels = true;
  tl->SetShowRowFooter(true);
  int base = tl->DefaultRowHeight(), footer = tl->Layout().RowFooterHeight;
  EXPECT_EQ(tl->GetRowHeight(a, base), base);
  delete b;
  // The group's row footer moves under a; a height cached without it must not survive.
  EXPECT_EQ(tl->GetRowHeight(a, base), base + footer);
}

}  // namespace
