// Incremental search: rows found by the beginning of their text in the search column, typed one
// character at a time; Shift+Enter and Ctrl+Enter step to the previous and next match.
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
  bool fullTree = AutoExpandOnSearch();
  auto step = [&](TdxTreeListNode* n) -> TdxTreeListNode* {
    if (fullTree) return backward ? n->GetPrev() : n->GetNext();
    return backward ? GetPrevVisibleNode(n) : GetNextVisibleNode(n);
  };
  auto wrapped = [&]() -> TdxTreeListNode* {
    if (!backward) return GetFirstNode();
    return GetNavigationNode(GetFirstNode(), 3, fullTree);
  };
  String wanted = AnsiUpperCase(Text);
  size_t length = Text.size();
  TdxTreeListNode* node = start;
  if (Direction != 0) {
    node = step(node);
    if (!node) node = wrapped();
    if (node == start) return false;
  }
  String cell;
  while (node) {
    GetNodeString(node, Column, cell);
    if (AnsiUpperCase(cell.substr(0, length)) == wanted) {
      Node = node;
      return true;
    }
    node = step(node);
    if (!node) node = wrapped();
    if (node == start) return false;
  }
  return false;
}
