// Incremental search: rows found by the beginning of their text in the search column, typed one
// character at a time; Shift+Enter and Ctrl+Enter step to the previous and next match.
#include <algorithm>
#include <vector>

#include "dx/treelist/dxTL.h"
#include "platform/rtl/StrUtils.h"
#include "platform/win/Windows.h"

namespace {

// Raises the nesting count for one search step, so the focus change it makes keeps the search going.
class TSearchStep {
 public:
  explicit TSearchStep(int& Nesting) : nesting_(Nesting) { ++nesting_; }
  ~TSearchStep() { --nesting_; }
  TSearchStep(const TSearchStep&) = delete;
  TSearchStep& operator=(const TSearchStep&) = delete;

 private:
  int& nesting_;
};

// Walks the whole tree in tree order, collapsed branches included, keeping the path of sibling indexes
// so that each step costs no search among the siblings.
class TTreeCursor {
 public:
  TTreeCursor(TCustomdxTreeList* Tree, TdxTreeListNode* Node) : tree_(Tree) {
    for (TdxTreeListNode* n = Node; n; n = n->Parent()) {
      TdxTreeListNode* parent = n->Parent();
      path_.push_back({parent, parent ? parent->IndexOf(n) : IndexOfRoot(n)});
    }
    std::reverse(path_.begin(), path_.end());
  }
  TdxTreeListNode* Node() const { return path_.empty() ? nullptr : At(path_.back()); }
  TdxTreeListNode* Next() {
    TdxTreeListNode* node = Node();
    if (node && node->GetCount()) {
      path_.push_back({node, 0});
      return Node();
    }
    while (!path_.empty()) {
      TStep& top = path_.back();
      if (top.Index + 1 < Count(top.Parent)) {
        ++top.Index;
        return Node();
      }
      path_.pop_back();
    }
    return nullptr;
  }
  TdxTreeListNode* Prev() {
    if (path_.empty()) return nullptr;
    if (path_.back().Index == 0) {
      path_.pop_back();
      return Node();
    }
    --path_.back().Index;
    DescendToLast();
    return Node();
  }
  void MoveToFirst() { path_.assign(1, TStep{nullptr, 0}); }
  void MoveToLast() {
    path_.assign(1, TStep{nullptr, tree_->GetCount() - 1});
    DescendToLast();
  }

 private:
  struct TStep {
    TdxTreeListNode* Parent;
    int Index;
  };
  int Count(TdxTreeListNode* Parent) const { return Parent ? Parent->GetCount() : tree_->GetCount(); }
  TdxTreeListNode* At(const TStep& S) const { return S.Parent ? S.Parent->GetItem(S.Index) : tree_->GetItem(S.Index); }
  int IndexOfRoot(TdxTreeListNode* Node) const {
    for (int i = 0; i < tree_->GetCount(); ++i)
      if (tree_->GetItem(i) == Node) return i;
    return 0;
  }
  void DescendToLast() {
    for (TdxTreeListNode* n = Node(); n && n->GetCount(); n = Node()) path_.push_back({n, n->GetCount() - 1});
  }

  TCustomdxTreeList* tree_;
  std::vector<TStep> path_;
};

}  // namespace

bool TCustomdxTreeList::StartSearch(int Column, const String& Text) {
  CloseEditor();
  SetNewItemRowActive(false);
  searchColumn_ = Column == -1 ? GetFocusedColumnAbsoluteIndex() : Column;
  {
    TSearchStep step(searchNesting_);
    int visible = GetVisibleColumnIndex(searchColumn_);
    if (visible >= 0) SetFocusedColumn(visible);
  }
  searchActive_ = true;
  searchText_ = Text;
  IncrementalSearch(searchText_, 0, true);
  return !searchText_.empty();
}

void TCustomdxTreeList::InvalidateFocusedRow() {
  searchActive_ = false;
  if (lockCount_ > 0 || IsDestroying() || !focused_ || !HandleAllocated()) return;
  RECT r;
  GetNodeRect(focused_, r);
  ::InvalidateRect(Handle(), &r, FALSE);
}

void TCustomdxTreeList::IncrementalSearch(String& Text, int Direction, bool ClearIfNotFound) {
  if (searchColumn_ < 0 || roots_.empty()) {
    Text.clear();
    return;
  }
  TSearchStep step(searchNesting_);
  TdxTreeListNode* node = nullptr;
  if (FindNodeByText(searchColumn_, Text, node, Direction)) {
    SetFocusedNode(node, GetFocusedColumn(), false);
  } else if (ClearIfNotFound) {
    Text.clear();
  } else if (Direction == 0 && !Text.empty()) {
    Text.pop_back();  // a typed character that matches nothing is dropped
  }
  if (!focused_) return;
  if (IsMultiSelect()) {
    BeginSelection();
    ClearSelection();
    SetNodeSelected(focused_, true);
    EndSelection();
  }
  MakeNodeVisible(focused_);
  NodeChanged(focused_, false);
}

bool TCustomdxTreeList::FindNodeByText(int Column, const String& Text, TdxTreeListNode*& Node, int Direction) {
  if (Text.empty()) return false;
  TdxTreeListNode* start = focused_ ? focused_ : GetFirstNode();
  if (!start) return false;
  bool backward = Direction == 1;
  // With AutoExpandOnSearch collapsed branches are searched too: the whole tree in tree order.
  TTreeCursor tree(this, start);
  bool fullTree = AutoExpandOnSearch();
  auto step = [&](TdxTreeListNode* n) -> TdxTreeListNode* {
    if (fullTree) {
      TdxTreeListNode* next = backward ? tree.Prev() : tree.Next();
      if (next) return next;
      backward ? tree.MoveToLast() : tree.MoveToFirst();
      return tree.Node();
    }
    TdxTreeListNode* next = backward ? GetPrevVisibleNode(n) : GetNextVisibleNode(n);
    if (next) return next;
    return backward ? GetAbsoluteNode(GetAbsoluteCount() - 1) : GetFirstNode();
  };
  String wanted = AnsiUpperCase(Text);
  size_t length = Text.size();
  // Direction 0 compares the focused node first, so typing more letters stays on a node that matches.
  TdxTreeListNode* node = Direction != 0 ? step(start) : start;
  String cell;
  while (node) {
    GetNodeString(node, Column, cell);
    if (cell.size() >= length && AnsiUpperCase(cell.substr(0, length)) == wanted) {
      Node = node;
      return true;
    }
    node = step(node);
    if (node == start) return false;  // wrapped round to where it began
  }
  return false;
}
