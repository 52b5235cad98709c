// The node of every tree list: its place in the tree (parent, owned children), the application's
// Data pointer, expansion and deletion state, and the row height the owner caches for it. Values,
// images and selection are the owner's business; the node forwards to it.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "dx/treelist/dxTLNodeAllocator.h"
#include "dx/treelist/dxTLNodeStrings.h"
#include "dx/treelist/dxTLTypes.h"
#include "platform/rtl/Object.h"

class TdxTreeListNode : public TObject {
  TRENVIK_CLASS(TdxTreeListNode, TObject);

 public:
  // Raises EInvaliddxTreeListOperation for a nil owner. Nodes are made by the owner's CreateNode.
  explicit TdxTreeListNode(TCustomdxTreeList* Owner);
  ~TdxTreeListNode() override;
  TdxTreeListNode(const TdxTreeListNode&) = delete;
  TdxTreeListNode& operator=(const TdxTreeListNode&) = delete;
  static void* operator new(std::size_t Size) { return AllocateTreeListNode(Size); }
  static void operator delete(void* Node, std::size_t Size) { FreeTreeListNode(Node, Size); }

  // --- Structure ---
  int GetCount() const { return children_ ? static_cast<int>(children_->size()) : 0; }
  TdxTreeListNode* GetItem(int Index) const;
  TdxTreeListNode* Parent() const { return parent_; }
  TCustomdxTreeList* Owner() const { return owner_; }
  int GetIndex() const;
  int GetLevel() const;
  TdxTreeListNode* GetFirstChild() const { return GetItem(0); }
  TdxTreeListNode* GetLastChild() const { return GetCount() ? children_->back() : nullptr; }
  TdxTreeListNode* GetNext() const;
  TdxTreeListNode* GetPrev() const;
  TdxTreeListNode* GetNextSibling() const;
  TdxTreeListNode* GetPrevSibling() const;
  TdxTreeListNode* GetPriorParentNode() const;
  TdxTreeListNode* GetNextVisible() const;
  TdxTreeListNode* GetPrevVisible() const;
  bool HasAsParent(const TdxTreeListNode* Node) const;
  int IndexOf(const TdxTreeListNode* Child) const;
  bool IsLast() const;
  bool IsVisible() const;
  int GetAbsoluteIndex() const;
  void AppendChildrenTo(std::vector<TdxTreeListNode*>& List) const;

  // --- Values, images and selection (forwarded to the owner) ---
  String GetString(int Column) const;
  void SetString(int Column, const String& Text);
  Variant GetValue(int Column) const;
  void SetValue(int Column, const Variant& Value);
  int ImageIndex() const;
  void SetImageIndex(int Value);
  int SelectedIndex() const;
  void SetSelectedIndex(int Value);
  int StateIndex() const;
  void SetStateIndex(int Value);
  bool GetSelected() const;
  void SetSelected(bool Value);
  bool GetFocused() const;
  void SetFocused(bool Value);

  // --- State ---
  void* Data = nullptr;
  bool Deleting() const { return deleting_; }
  bool Expanded() const { return expanded_; }
  void SetExpanded(bool Value);
  void Expand(bool Recurse);
  void Collapse(bool) { SetExpanded(false); }
  bool HasChildren() const { return hasChildren_; }
  void SetHasChildren(bool Value);

  // --- Mutation ---
  TdxTreeListNode* AddChild() { return InsertChild(nullptr); }
  TdxTreeListNode* InsertChild(TdxTreeListNode* Before);
  bool CanMove(TdxTreeListNode* Destination, TdxTreeListNodeAttachMode Mode) const;
  void MoveTo(TdxTreeListNode* Destination, TdxTreeListNodeAttachMode Mode);
  void MakeVisible();

  // --- Fast links for the data-aware layers: no notifications ---
  void AddToRoots();
  void MoveRootToParent(int RootIndex, TdxTreeListNode* Parent);
  void MoveChildrenToRoots();
  void Detach();
  void InternalMove(TdxTreeListNode* Destination, TdxTreeListNodeAttachMode Mode);

  // The row height cached by the owner's row-height computation (0: none) and its line count.
  int CachedRowHeight() const;
  int CachedLineCount() const;
  void SetCachedRowHeight(int Height, int LineCount);

 private:
  friend class TCustomdxTreeList;
  using TNodeList = std::vector<TdxTreeListNode*>;
  TNodeList& SiblingList() const;
  TNodeList& EnsureChildren();
  // Removes the node from the list that holds it (no frees, no notifications).
  void UnlinkFromList();
  // Where Node stands in List (List.end() when it is not there), through the node's sibling index.
  static TNodeList::iterator PlaceIn(TNodeList& List, const TdxTreeListNode* Node);

  TCustomdxTreeList* owner_;
  TdxTreeListNode* parent_ = nullptr;
  std::unique_ptr<TNodeList> children_;
  int32_t cachedHeight_ = 0;
  int32_t cachedLineCount_ = 0;
  // The cached height holds while it was cached in the owner's current generation of row heights:
  // forgetting every row's height is one step, not a walk of all nodes.
  uint32_t heightGeneration_ = 0;
  // The node's row in the owner's visible-row cache when it was last placed there; trusted only
  // when the cache's entry at that row is this node.
  int32_t cacheRow_ = -1;
  // The node's index among its siblings when the list was last numbered; trusted only when the list
  // holds this node there, so inserts, moves and sorts need not renumber: the next look-up that
  // finds it stale numbers the whole list once.
  mutable int32_t siblingIndex_ = -1;
  bool deleting_ = false;
  bool expanded_ = false;
  bool hasChildren_ = false;
  // Set only while a bulk detach takes the node out of its list: a mark on the node is cheaper to
  // test than a set of a million nodes.
  bool leaving_ = false;
};

// The node of TCustomdxTreeListControl: one string per column and three image indexes.
class TdxTreeListTextNode : public TdxTreeListNode {
  TRENVIK_CLASS(TdxTreeListTextNode, TdxTreeListNode);

 public:
  explicit TdxTreeListTextNode(TCustomdxTreeList* Owner) : TdxTreeListNode(Owner) {}
  TdxNodeStrings Strings;
  int32_t StoredImageIndex = 0;
  int32_t StoredSelectedIndex = -1;
  int32_t StoredStateIndex = -1;
};

// Tree order, ancestors first: 1 when B is an ancestor of A, -1 when A is one of B; otherwise the
// difference of the sibling indexes of their ancestors that share a parent.
int CompareNodesInTreeOrder(const TdxTreeListNode* A, const TdxTreeListNode* B);
