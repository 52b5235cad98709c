// The node sort: sibling lists reordered by the values GetNodeSortValue gives, over one or several
// sort columns, through OnCompare when it is assigned, with a last tie-break that makes the order
// total. A list is rewritten only after its sort completed, so a failing comparison leaves it as it was.
#include <algorithm>
#include <functional>

#include "dx/treelist/dxTL.h"
#include "dx/treelist/dxTLRoutines.h"
#include "platform/forms/Forms.h"
#include "platform/rtl/StrUtils.h"

namespace {

struct TSortKey {
  Variant Value;
  bool Descending = false;
};

struct TSortRecord {
  TdxTreeListNode* Node = nullptr;
  TSortKey First;
  std::vector<TSortKey> Further;  // the second and later sort columns
};

int CompareKey(const TSortKey& A, const TSortKey& B, bool AnsiStrings) {
  int result;
  if (AnsiStrings && VarType(A.Value) == varString)
    result = AnsiCompareStr(VarToStr(A.Value), VarToStr(B.Value));
  else
    result = CompareVariantValues(A.Value, B.Value);
  result = result < 0 ? -1 : result > 0 ? 1 : 0;
  return A.Descending ? -result : result;
}

// Restores the screen cursor a sort replaced with the hour-glass.
class TSortCursor {
 public:
  explicit TSortCursor(bool HourGlass) : saved_(Screen->Cursor()) {
    if (HourGlass) Screen->SetCursor(crHourGlass);
  }
  ~TSortCursor() { Screen->SetCursor(saved_); }
  TSortCursor(const TSortCursor&) = delete;
  TSortCursor& operator=(const TSortCursor&) = delete;

 private:
  TCursor saved_;
};

}  // namespace

int TCustomdxTreeList::CompareEqualNodes(TdxTreeListNode* Node1, TdxTreeListNode* Node2) {
  auto a = reinterpret_cast<std::uintptr_t>(Node1), b = reinterpret_cast<std::uintptr_t>(Node2);
  return a < b ? -1 : a > b ? 1 : 0;
}

void TCustomdxTreeList::SortNodes(int Level, int Column, bool Descending) {
  TSortCursor cursor(IsShowHourGlass());
  {
    TdxTreeListUpdateScope update(this);
    SortLevel(roots_, Level, Column, Descending);
  }
}

void TCustomdxTreeList::ReorderRoots(std::vector<TdxTreeListNode*> Order) {
  if (Order.size() != roots_.size())
    throw EInvaliddxTreeListOperation(u"A new order of the root nodes must hold every root once");
  TdxTreeListUpdateScope update(this);
  roots_ = std::move(Order);
}

void TCustomdxTreeList::ReorderChildren(TdxTreeListNode* Parent, std::vector<TdxTreeListNode*> Order) {
  if (!Parent->children_ || Order.size() != Parent->children_->size() ||
      std::any_of(Order.begin(), Order.end(), [&](TdxTreeListNode* Node) { return Node->parent_ != Parent; }))
    throw EInvaliddxTreeListOperation(u"A new order of a node's children must hold every child once");
  TdxTreeListUpdateScope update(this);
  *Parent->children_ = std::move(Order);
}

void TCustomdxTreeList::SortLevel(std::vector<TdxTreeListNode*>& List, int Level, int Column, bool Descending) {
  if (Level == -1 || Level == 0) SortSiblings(List, Column, Descending);
  if (Level == 0) return;
  for (TdxTreeListNode* node : List)
    if (node->children_) SortLevel(*node->children_, Level == -1 ? -1 : Level - 1, Column, Descending);
}

void TCustomdxTreeList::SortSiblings(std::vector<TdxTreeListNode*>& List, int Column, bool Descending) {
  if (List.size() < 2) return;
  int sortedCount = GetSortedColumnCount();
  bool multi = IsMultiSortColumn(Column) && sortedCount > 1;
  if (multi) {
    Column = GetSortedColumnIndex(0);
    Descending = IsSortedColumnDescending(0);
  }
  std::vector<TSortRecord> records(List.size());
  for (size_t i = 0; i < List.size(); ++i) {
    TSortRecord& r = records[i];
    r.Node = List[i];
    GetNodeSortValue(r.Node, Column, r.First.Value);
    r.First.Descending = Descending;
    if (!multi) continue;
    r.Further.resize(sortedCount - 1);
    for (int k = 1; k < sortedCount; ++k) {
      GetNodeSortValue(r.Node, GetSortedColumnIndex(k), r.Further[k - 1].Value);
      r.Further[k - 1].Descending = IsSortedColumnDescending(k);
    }
  }
  std::function<int(const TSortRecord&, const TSortRecord&)> compare;
  if (OnCompare) {
    // The handler's order is taken as it is: descending flags and values are not applied.
    compare = [this](const TSortRecord& A, const TSortRecord& B) {
      int result = 0;
      OnCompare(this, A.Node, B.Node, result);
      return result != 0 ? result : CompareEqualNodes(A.Node, B.Node);
    };
  } else {
    bool ansi = IsAnsiSort();
    compare = [this, ansi](const TSortRecord& A, const TSortRecord& B) {
      if (int result = CompareKey(A.First, B.First, ansi)) return result;
      for (size_t k = 0; k < A.Further.size(); ++k)
        if (int result = CompareKey(A.Further[k], B.Further[k], ansi)) return result;
      return CompareEqualNodes(A.Node, B.Node);
    };
  }
  // A merge sort stays inside the list even when a handler's order is not consistent.
  std::stable_sort(records.begin(), records.end(),
                   [&compare](const TSortRecord& A, const TSortRecord& B) { return compare(A, B) < 0; });
  for (size_t i = 0; i < records.size(); ++i) List[i] = records[i].Node;
}
