// The visible-row cache, the focused node and column, the top row, node deletion and row heights.
//
// The cache keeps the rows in order and lets each node remember its row; a node's remembered row is
// trusted only when the cache holds that node at that row, so stale numbers of nodes that left the
// rows need no clearing. Row of a node and node of a row are O(1); adding or removing one row costs
// one renumbering pass over the rows after it.
#include <algorithm>

#include "dx/treelist/dxTL.h"
#include "dx/treelist/dxTLRoutines.h"
#include "platform/win/Windows.h"

bool TCustomdxTreeList::IsNodeCacheBuilt() const { return !rows_.empty() && !IsDestroying(); }

void TCustomdxTreeList::RebuildRows() {
  rows_.clear();
  rows_.reserve(roots_.size());
  std::vector<std::pair<TdxTreeListNode*, int>> stack;  // node, index of the next child to visit
  for (size_t i = 0; i < roots_.size(); ++i) {
    // After a reorder the roots lie scattered in memory: each is fetched a few roots ahead.
    if (i + 16 < roots_.size()) __builtin_prefetch(roots_[i + 16], 1);
    TdxTreeListNode* root = roots_[i];
    root->cacheRow_ = static_cast<int32_t>(rows_.size());
    rows_.push_back(root);
    if (root->Expanded() && root->GetCount()) stack.emplace_back(root, 0);
    while (!stack.empty()) {
      auto& [node, next] = stack.back();
      if (next >= node->GetCount()) {
        stack.pop_back();
        continue;
      }
      TdxTreeListNode* child = node->GetItem(next++);
      child->cacheRow_ = static_cast<int32_t>(rows_.size());
      rows_.push_back(child);
      if (child->Expanded() && child->GetCount()) stack.emplace_back(child, 0);
    }
  }
}

void TCustomdxTreeList::RenumberRows(int From) {
  for (int i = From; i < static_cast<int>(rows_.size()); ++i) rows_[i]->cacheRow_ = i;
}

void TCustomdxTreeList::ApplyCacheAddition(TdxTreeListNode* Node) {
  if (!Node->IsVisible()) return;
  // The row the node takes is the row of whatever follows its subtree in tree order.
  TdxTreeListNode* follower = nullptr;
  for (const TdxTreeListNode* n = Node; n && !follower; n = n->Parent()) follower = n->GetNextSibling();
  int row = follower ? GetAbsoluteIndex(follower) : static_cast<int>(rows_.size());
  if (row < 0) row = static_cast<int>(rows_.size());
  rows_.insert(rows_.begin() + row, Node);
  RenumberRows(row);
  // Row footers move to the new last child.
  TdxTreeListNode* parent = Node->Parent();
  if (parent && Node->IsLast() && parent->GetCount() > 1) ResetRowHeightsOf(Node->GetPrevSibling());
}

void TCustomdxTreeList::ApplyCacheRemoval(TdxTreeListNode* Node) {
  int row = IndexOfCachedNode(Node);
  if (row < 0) return;
  rows_.erase(rows_.begin() + row);
  RenumberRows(row);
}

void TCustomdxTreeList::RefreshNodeCache() {
  if (!pendingNode_ || !IsNodeCacheBuilt()) {
    RebuildRows();
  } else if (pendingRemoval_) {
    if (pendingWasVisible_) ApplyCacheRemoval(pendingNode_);
  } else {
    ApplyCacheAddition(pendingNode_);
  }
  if (!noCaching_ && IsRowAutoHeight()) ResetRowHeights();
  cacheValid_ = true;
}

void TCustomdxTreeList::UpdateNodeCache(TdxTreeListNode* Node, bool Removed) {
  struct TForget {
    TCustomdxTreeList* self;
    ~TForget() {
      self->pendingNode_ = nullptr;
      self->pendingWasVisible_ = false;
      self->pendingRemoval_ = false;
    }
  } forget{this};
  pendingNode_ = Node;
  if (!Removed) pendingWasVisible_ = Node->IsVisible();
  pendingRemoval_ = Removed;
  RefreshNodeCache();
}

void TCustomdxTreeList::ClearNodeCache() {
  if (noCaching_) return;
  cacheValid_ = false;
  rows_.clear();
  rows_.shrink_to_fit();
  focusedColumnAbsolute_ = -1;
  ResetRowHeights();
}

void TCustomdxTreeList::ResetRowHeights() {
  if (noCaching_ || IsDestroying()) return;
  ++rowHeightsGeneration_;
}

void TCustomdxTreeList::ResetRowHeightsOf(TdxTreeListNode* Node) {
  // The node and the chain of last descendants under it, where its row footers are drawn.
  for (TdxTreeListNode* n = Node; n; n = n->GetLastChild()) n->SetCachedRowHeight(0, 0);
}

int TCustomdxTreeList::IndexOfCachedNode(const TdxTreeListNode* Node) const {
  if (!Node || !IsNodeCacheBuilt()) return -1;
  int row = Node->cacheRow_;
  return row >= 0 && row < static_cast<int>(rows_.size()) && rows_[row] == Node ? row : -1;
}

int TCustomdxTreeList::GetAbsoluteCount() const {
  if (IsNodeCacheBuilt()) return static_cast<int>(rows_.size());
  int count = 0;
  for (TdxTreeListNode* n = GetFirstNode(); n; n = GetNextVisibleNode(n)) ++count;
  return count;
}

int TCustomdxTreeList::GetAbsoluteIndex(const TdxTreeListNode* Node) const {
  if (!Node || roots_.empty()) return -1;
  if (IsNodeCacheBuilt()) return IndexOfCachedNode(Node);
  int index = 0;
  for (TdxTreeListNode* n = GetFirstNode(); n; n = GetNextVisibleNode(n), ++index)
    if (n == Node) return index;
  return -1;
}

TdxTreeListNode* TCustomdxTreeList::GetAbsoluteNode(int Index) const {
  if (Index < 0) return nullptr;
  if (IsNodeCacheBuilt()) return Index < static_cast<int>(rows_.size()) ? rows_[Index] : nullptr;
  int index = 0;
  for (TdxTreeListNode* n = GetFirstNode(); n; n = GetNextVisibleNode(n), ++index)
    if (index == Index) return n;
  return nullptr;
}

TdxTreeListNode* TCustomdxTreeList::GetNextVisibleNode(const TdxTreeListNode* Node) const {
  if (!Node) return nullptr;
  int row = IndexOfCachedNode(Node);
  if (row >= 0) return row + 1 < static_cast<int>(rows_.size()) ? rows_[row + 1] : nullptr;
  if (Node->Expanded() && Node->GetCount()) return Node->GetFirstChild();
  for (const TdxTreeListNode* n = Node; n; n = n->Parent())
    if (TdxTreeListNode* s = n->GetNextSibling()) return s;
  return nullptr;
}

TdxTreeListNode* TCustomdxTreeList::GetPrevVisibleNode(const TdxTreeListNode* Node) const {
  if (!Node) return nullptr;
  int row = IndexOfCachedNode(Node);
  if (row >= 0) return row > 0 ? rows_[row - 1] : nullptr;
  TdxTreeListNode* p = Node->GetPrevSibling();
  if (!p) return Node->Parent();
  while (p->Expanded() && p->GetCount()) p = p->GetLastChild();
  return p;
}

// --- Focus and top row ---

int TCustomdxTreeList::GetFocusedAbsoluteIndex() const {
  return focused_ ? std::max(GetAbsoluteIndex(focused_), 0) : 0;
}

int TCustomdxTreeList::GetFocusedColumn() {
  if (IsRowSelect() || focusedColumn_ < 0 || focusedColumn_ >= GetVisibleColumnCount()) return 0;
  return focusedColumn_;
}

int TCustomdxTreeList::GetFocusedColumnAbsoluteIndex() {
  if (focusedColumnAbsolute_ < 0) focusedColumnAbsolute_ = GetAbsoluteColumnIndex(GetFocusedColumn());
  return focusedColumnAbsolute_;
}

void TCustomdxTreeList::SetFocusedNode(TdxTreeListNode* Node, int Column, bool MakeVisible) {
  if (!Node) return;
  CloseEditor();
  focusedColumnAbsolute_ = -1;
  TdxTreeListNode* oldNode = focused_;
  int oldColumn = GetFocusedColumn();
  struct TEnd {
    TCustomdxTreeList* self;
    TdxTreeListNode* oldNode;
    int oldColumn;
    bool makeVisible;
    ~TEnd() {
      if (makeVisible && self->focused_) self->MakeNodeVisible(self->focused_);
      int column = self->GetFocusedColumn();
      // Only the search's own steps move the focus without ending it.
      if (self->searchNesting_ == 0 && (self->focused_ != oldNode || column != oldColumn))
        self->searchActive_ = false;
      if (self->focused_ != oldNode) self->DoChangeNode(oldNode, self->focused_);
      if (column != oldColumn) self->DoChangeColumn(self->focused_, column);
    }
  } end{this, oldNode, oldColumn, MakeVisible};
  if (lockCount_ > 0) {
    focused_ = Node;
    focusedColumn_ = Column;
    return;
  }
  bool rowMode = IsRowSelect();
  if (Node != oldNode || rowMode) {
    if (!rowMode) {
      focusedColumn_ = Column;
      MakeColumnVisible(GetAbsoluteColumnIndex(Column));
    }
    RECT oldRect, newRect;
    GetNodeRect(oldNode, oldRect);
    focused_ = Node;
    GetNodeRect(Node, newRect);
    if (HandleAllocated()) {
      ::InvalidateRect(Handle(), &oldRect, FALSE);
      ::InvalidateRect(Handle(), &newRect, FALSE);
    }
    SetNewItemRowActive(false);
  } else if (Column != oldColumn) {
    MakeColumnVisible(GetAbsoluteColumnIndex(Column));
    RECT oldRect, newRect;
    GetCellRect(Node, oldColumn, oldRect);
    focusedColumn_ = Column;
    GetCellRect(Node, Column, newRect);
    if (HandleAllocated()) {
      ::InvalidateRect(Handle(), &oldRect, FALSE);
      ::InvalidateRect(Handle(), &newRect, FALSE);
    }
  }
}

void TCustomdxTreeList::SetFocusedAbsoluteIndex(int Index) {
  if (roots_.empty() || Index == GetFocusedAbsoluteIndex()) return;
  Index = std::clamp(Index, 0, GetAbsoluteCount() - 1);
  if (Index != GetFocusedAbsoluteIndex() || !focused_)
    SetFocusedNode(GetAbsoluteNode(Index), GetFocusedColumn(), true);
}

void TCustomdxTreeList::SetFocusedColumn(int Column) {
  if (Column != GetFocusedColumn() && Column >= 0 && Column < GetVisibleColumnCount())
    SetFocusedNode(focused_, Column, true);
}

void TCustomdxTreeList::SetTopVisibleNode(TdxTreeListNode* Node) {
  top_ = Node;
  if (OnChangeTopVisibleNode) OnChangeTopVisibleNode(this);
}

void TCustomdxTreeList::FocusFirstRoot() {
  focused_ = GetFirstNode();
  SetTopVisibleNode(focused_);
}

void TCustomdxTreeList::ResetNodeReferences() {
  SetTopVisibleNode(nullptr);
  focused_ = nullptr;
  ForgetEditCell();
  selectionAnchor_ = mouseDownNode_ = dragNode_ = nullptr;
  hotTrack_ = {};
}

// --- Deletion ---

void TCustomdxTreeList::DoDeletion(TdxTreeListNode* Node, TdxTreeListNode* Prior, bool Refocus, bool IsLast,
                                   TdxTreeListNode* Next) {
  if (OnDeletion) OnDeletion(this, Node);
  if (clearing_ || IsDestroying()) return;
  if (IsMultiSelect() && IsNodeSelected(Node)) SetNodeSelected(Node, false);
  if (roots_.empty()) {
    if (!noCaching_) ClearNodeCache();
    ResetNodeReferences();
    if (lockCount_ == 0) {
      UpdateScrollBars();
      if (HandleAllocated()) Invalidate();
    }
    return;
  }
  bool topMoved = false, focusMoved = false;
  if (top_ == Node) {
    SetTopVisibleNode(Prior);
    if (!top_) SetTopVisibleNode(Next);
    topMoved = true;
  }
  if (focused_ == Node) {
    focused_ = Prior ? Prior : Next;
    focusMoved = true;
  }
  if (mouseDownNode_ == Node) mouseDownNode_ = nullptr;
  if (dragNode_ == Node) dragNode_ = nullptr;
  if (selectionAnchor_ == Node) selectionAnchor_ = Prior ? Prior : Next;
  if (hotTrack_.Node == Node) hotTrack_ = {};
  ForgetEditCell();
  DoHideEditor(false);
  // The sibling that is now last carries the row footers the deleted node had.
  if (IsLast && Prior && Prior->Parent() == Node->Parent() && Prior != Node->Parent())
    ResetRowHeightsOf(Prior);
  if (pendingWasVisible_ && lockCount_ == 0) UpdateNodeCache(Node, true);
  if (Refocus) {
    TdxTreeListNode* anchor = topMoved ? top_ : focusMoved ? focused_ : Prior ? Prior : Next;
    if (anchor) NodeChanged(anchor, true);
  }
}

// --- Row heights ---

bool TCustomdxTreeList::CanRowAutoHeight() {
  return !IsPreview() && GetHeaderPanelRowCount() == 1 && IsRowAutoHeight();
}

int TCustomdxTreeList::GetRowHeight(TdxTreeListNode* Node, int Height, bool NoCache) {
  if (CanCacheRowHeight() && !NoCache && Node && Node->CachedRowHeight() != 0) return Node->CachedRowHeight();
  int lineCount = 0;
  int previewLines = IsPreview() ? GetPreviewLineCount(Node) : 0;
  int gridWidth = showGrid_ ? RowSeparatorLineWidth() : 0;
  int result = gridWidth;
  if (Node && CanRowAutoHeight()) {
    int lineHeight = Height;
    lineCount = GetRowLineCount(Node, lineHeight);
    if (lineCount > 1 && lineHeight == Height)
      Height += (lineCount - 1) * layout_.LineHeight;
    else if (lineHeight > Height)
      Height = lineHeight;
    else if (lineCount <= 1)
      lineCount = 0;
  }
  bool group = Node && IsGroupNode(Node);
  if (group) {
    result = Height + gridWidth;
  } else {
    result += GetHeaderPanelRowCount() * Height + previewLines * layout_.PreviewLineHeight;
    if (previewLines > 0 && showGrid_ && showPreviewGrid_) ++result;
  }
  if (!showGrid_ && Node && Node->HasChildren() && paintStyle_ == psOutlook) ++result;
  if (previewLines > 0 && Node && !group) result += 2;
  if (showGrid_ && showPreviewGrid_) --result;
  result += GetRowFooterCount(Node) * layout_.RowFooterHeight;
  if (!NoCache && Node) Node->SetCachedRowHeight(result, lineCount);
  return result;
}

int TCustomdxTreeList::GetRowLineCount(TdxTreeListNode* Node, int& LineHeight) {
  if (Node->CachedRowHeight() != 0 && Node->CachedLineCount() != 0) return Node->CachedLineCount();
  if (IsGroupNode(Node)) return 1;
  bool gridFlag = showGrid_ && showPreviewGrid_;
  bool inflate = IsInvertSelect();
  int entry = LineHeight, best = LineHeight, result = -1;
  int count = GetVisibleColumnCount();
  for (int i = 0; i < count; ++i) {
    int c = GetAbsoluteColumnIndex(i);
    String text = GetCellText(Node, c);
    int width = GetColumnHeaderWidth(c);
    if (i == 0) {
      int buttonRight, contentLeft;
      GetTreeIndent(Node, buttonRight, contentLeft);
      width -= contentLeft + (inflate ? 1 : 0);
    }
    if (i == count - 1 && inflate) --width;
    if (gridFlag) --width;
    int lineHeight = entry, lineCount = 0;
    if (CalcRowLineHeight(Node, c, lineHeight, lineCount, gridFlag, inflate, maxRowLineCount_,
                          layout_.LineHeight, width, text)) {
      if (gridFlag) ++lineHeight;
      if (inflate) lineHeight += 2;
      best = std::max(best, lineHeight);
      result = std::max(result, lineCount);
    }
  }
  LineHeight = best;
  return result;
}

int TCustomdxTreeList::GetPreviewLineCount(TdxTreeListNode* Node) {
  int lines = previewLines_;
  if (Node && IsAutoCalcPreviewLines()) {
    String text = GetPreviewText(Node);
    if (text.empty()) return 0;
    int height = 0;
    lines = MeasureTextLines(text, GetPreviewWidth(Node) - indentDesc_, layout_.PreviewLineHeight, height, 0,
                             false, previewFont_.get(), previewLines_);
  }
  return std::max(lines, 0);
}

int TCustomdxTreeList::GetPreviewWidth(TdxTreeListNode* Node) {
  int buttonRight, contentLeft;
  GetTreeIndent(Node, buttonRight, contentLeft);
  return GetBandsWidth() - (showGrid_ ? 1 : 0) - contentLeft;
}

int TCustomdxTreeList::GetRowFooterCount(TdxTreeListNode* Node) {
  if (!IsShowRowFooter() || !Node || Node->GetCount() > 0 || !Node->IsLast()) return 0;
  int count = 0;
  for (TdxTreeListNode* below = Node; TdxTreeListNode* p = below->Parent(); below = p) {
    if (!below->IsLast()) break;
    if (IsRowFooterLevel(p->GetLevel())) ++count;
  }
  return count;
}

int TCustomdxTreeList::GetRowFooterLevel(TdxTreeListNode* Node, int Index) {
  if (!IsShowRowFooter() || !Node || Node->GetCount() > 0 || !Node->IsLast()) return -1;
  int found = -1, seen = 0;
  for (TdxTreeListNode* below = Node; TdxTreeListNode* p = below->Parent(); below = p) {
    if (!below->IsLast()) break;
    int level = p->GetLevel();
    if (IsRowFooterLevel(level)) {
      found = level;
      if (seen++ == Index) return level;
    }
  }
  return found;
}

int TCustomdxTreeList::GetMinCellHeight(TCanvas* Canvas, int Column) {
  if (!HasColumnFont(Column)) return 0;
  Canvas->SetFont(GetColumnFont(Column));
  return Canvas->TextHeight(u"Wg") + 3;
}

int TCustomdxTreeList::GetMaxColumnMinCellHeight(TCanvas* Canvas) {
  int best = 0;
  for (int c = 0; c < GetColumnCount(); ++c)
    if (IsColumnShown(c)) best = std::max(best, GetMinCellHeight(Canvas, c));
  return best;
}
