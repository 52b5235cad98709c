// The selection contract shared with the descendants that store a selection: the anchor, ranges over
// visible rows, the parent rule of simple multi-select and the repaint of selected rows.
#include "dx/treelist/dxTL.h"
#include "platform/win/Windows.h"

bool TCustomdxTreeList::DoCanNodeSelected(TdxTreeListNode* Node) {
  bool allow = true;
  if (OnCanNodeSelected) OnCanNodeSelected(this, Node, allow);
  if (!allow) return false;
  if (IsExtMultiSelect()) return true;
  // Without extended multi-select a selection never mixes nodes of different parents.
  TdxTreeListNode* first = GetFirstSelectedNode();
  return !first || !Node || first->Parent() == Node->Parent();
}

void TCustomdxTreeList::ClearSelection() {
  keyboardSelecting_ = false;
  DoSelectedCountChange();
}

int TCustomdxTreeList::CompareWithAnchor(TdxTreeListNode* Node) {
  int row = Node ? GetAbsoluteIndex(Node) : -1;
  int anchor = selectionAnchor_ ? GetAbsoluteIndex(selectionAnchor_) : -1;
  return row < anchor ? -1 : row > anchor ? 1 : 0;
}

TdxTreeListNode* TCustomdxTreeList::GetFirstSelectedNode() {
  if (GetSelectedCount() > 0) return GetSelectedNode(0);
  return parkedRangeNode_;
}

void TCustomdxTreeList::SelectRange(TdxTreeListNode* Node1, TdxTreeListNode* Node2) {
  BeginSelection();
  struct TEnd {
    TCustomdxTreeList* self;
    ~TEnd() { self->EndSelection(); }
  } end{this};
  int a = GetAbsoluteIndex(Node1), b = GetAbsoluteIndex(Node2);
  TdxTreeListNode* node = b < a ? Node2 : Node1;
  TdxTreeListNode* other = node == Node1 ? Node2 : Node1;
  int steps = std::abs(a - b);
  try {
    for (int step = 0; node; ++step) {
      node->SetSelected(true);
      if (node == other || step >= steps) break;
      node = GetNextVisibleNode(node);
    }
  } catch (...) {
    // A refusing selection store ends the range where it stands; the bracket still reports the count.
  }
}

void TCustomdxTreeList::InvalidateSelection() {
  if (!HandleAllocated() || lockCount_ > 0) return;
  RECT r;
  if (focused_) {
    GetNodeRect(focused_, r);
    ::InvalidateRect(Handle(), &r, FALSE);
  }
  int count = GetSelectedCount();
  if (count > 10) {
    Invalidate();
    return;
  }
  for (int i = 0; i < count; ++i) {
    GetNodeRect(GetSelectedNode(i), r);
    ::InvalidateRect(Handle(), &r, FALSE);
  }
}
