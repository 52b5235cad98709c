// Sorting: the header-click cycle, multi-column sorts with their own directions, OnCompare, levels,
// nulls, and the sorted-column list kept in step with the columns.
#include "dx/treelist/tests/dxTreeListTestSupport.h"

namespace {

class DxTLSortTest : public DxTreeListTest {
 public:
  // Nodes whose column strings are the given cells; the sort value is the cell, "null" a null.
  TTestTreeList* Sample(std::initializer_list<std::vector<const char*>> Rows) {
    auto* tl = MakeDetached();
    for (int i = 0; i < 2; ++i) tl->CreateColumn(TdxTreeListColumn::StaticClass());
    for (const auto& row : Rows) {
      TdxTreeListNode* n = tl->Add();
      for (size_t c = 0; c < row.size(); ++c) n->SetString(static_cast<int>(c), Utf8ToString(row[c]));
    }
    tl->SortValue = [](TdxTreeListNode* Node, int Column, Variant& Value) {
      String s = Node->GetString(Column);
      Value = s == u"null" ? Null() : Variant(s);
    };
    return tl;
  }
  static std::string Roots(TCustomdxTreeList* tl, int Column = 0) {
    std::string s;
    for (int i = 0; i < tl->GetCount(); ++i)
      s += (i ? " " : "") + StringToUtf8(tl->GetItem(i)->GetString(Column));
    return s;
  }
};

TEST_F(DxTLSortTest, HeaderClicksCycleTheSortStateAndCtrlRemovesIt) {
  auto* tl = Sample({});
  tl->SetOptionFlags(tl->OptionFlags() | dxtlo::AutoSort);
  TdxTreeListColumn* c = tl->GetColumn(0);
  int clicks = 0;
  tl->OnColumnClick = [&](TObject*, TdxTreeListColumn*) { ++clicks; };
  const TdxTreeListColumnSort cycle[] = {csUp, csDown, csUp};
  for (TdxTreeListColumnSort expected : cycle) {
    tl->DoColumnClick(c);
    EXPECT_EQ(c->Sorted(), expected);
    EXPECT_EQ(tl->GetSortedColumnCount(), 1);
  }
  tl->SetSortClickFlags(false, true);
  tl->DoColumnClick(c);
  tl->SetSortClickFlags(false, false);
  EXPECT_EQ(c->Sorted(), csNone);
  EXPECT_EQ(tl->GetSortedColumnCount(), 0);
  tl->OnColumnSorting = [](TObject*, TdxTreeListColumn*, bool& Allow) { Allow = false; };
  tl->DoColumnClick(c);
  EXPECT_EQ(c->Sorted(), csNone);
  EXPECT_EQ(clicks, 5);
}

TEST_F(DxTLSortTest, MultiSortOrdersByEachKeyInItsOwnDirection) {
  auto* tl = Sample({{"b", "1"}, {"a", "1"}, {"b", "2"}, {"a", "3"}, {"b", "1"}});
  tl->SetOptionFlagsEx(tl->OptionFlagsEx() | dxtlox::MultiSort);
  tl->GetColumn(0)->SetSorted(csUp);
  tl->GetColumn(1)->SetSorted(csDown);
  ASSERT_EQ(tl->GetSortedColumnCount(), 2);
  tl->SortNodes(-1, 0, false);
  EXPECT_EQ(Roots(tl, 0), "a a b b b");
  EXPECT_EQ(Roots(tl, 1), "3 1 2 1 1");  // the two equal rows are adjacent, in no promised order
  tl->GetColumn(1)->SetSorted(csNone);
  EXPECT_EQ(tl->GetSortedColumnCount(), 1);
  EXPECT_EQ(tl->GetSortedColumn(0), tl->GetColumn(0));
}

TEST_F(DxTLSortTest, NullsComeFirstAscendingAndLastDescending) {
  auto* tl = Sample({{"b"}, {"null"}, {"a"}});
  tl->SortNodes(-1, 0, false);
  EXPECT_EQ(Roots(tl), "null a b");
  tl->SortNodes(-1, 0, true);
  EXPECT_EQ(Roots(tl), "b a null");
}

TEST_F(DxTLSortTest, OnCompareDecidesAloneAndItsDirectionIsNotReversed) {
  auto* tl = Sample({{"bb"}, {"a"}, {"ccc"}});
  tl->OnCompare = [](TObject*, TdxTreeListNode* A, TdxTreeListNode* B, int& Compare) {
    Compare = static_cast<int>(B->GetString(0).size()) - static_cast<int>(A->GetString(0).size());
  };
  tl->SortNodes(-1, 0, true);
  EXPECT_EQ(Roots(tl), "ccc bb a");
}

TEST_F(DxTLSortTest, ALevelSortsOnlyTheListsAtThatDepth) {
  auto* tl = Sample({{"b"}, {"a"}});
  TdxTreeListNode* b = tl->GetItem(0);
  AddText(tl, b, "z");
  AddText(tl, b, "y");
  tl->SortNodes(0, 0, false);
  EXPECT_EQ(Roots(tl), "a b");
  EXPECT_EQ(Text(b->GetFirstChild()), "z");
  tl->SortNodes(1, 0, false);
  EXPECT_EQ(Text(b->GetFirstChild()), "y");
}

TEST_F(DxTLSortTest, AFailingComparisonLeavesTheListAsItWas) {
  auto* tl = Sample({{"b"}, {"a"}, {"c"}});
  tl->OnCompare = [](TObject*, TdxTreeListNode*, TdxTreeListNode*, int&) { throw Exception(u"no order"); };
  EXPECT_THROW(tl->SortNodes(-1, 0, false), Exception);
  EXPECT_EQ(Roots(tl), "b a c");
}

TEST_F(DxTLSortTest, StoredOrdersRebuildTheListAndAFreedColumnLeavesIt) {
  auto* tl = Sample({});
  tl->SetOptionFlagsEx(tl->OptionFlagsEx() | dxtlox::MultiSort);
  TdxTreeListColumn* first = tl->GetColumn(0);
  TdxTreeListColumn* second = tl->GetColumn(1);
  first->SetSorted(csUp);
  second->SetSorted(csDown);
  EXPECT_EQ(second->GetSortedOrder(), 1);
  tl->ClearSortedColumns();
  first->SetStoredSortOrder(1);
  second->SetStoredSortOrder(0);
  tl->RebuildSortedColumns();
  EXPECT_EQ(tl->GetSortedColumn(0), second);
  EXPECT_TRUE(tl->IsSortedColumnDescending(0));
  delete second;
  ASSERT_EQ(tl->GetSortedColumnCount(), 1);
  EXPECT_EQ(tl->GetSortedColumn(0), first);
}

}  // namespace
