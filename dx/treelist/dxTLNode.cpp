#include "dx/treelist/dxTLNode.h"

#include <algorithm>

#include "dx/treelist/dxTL.h"
#include "dx/treelist/dxTLConsts.h"

TRENVIK_IMPLEMENT_CLASS(TdxTreeListNode)
TRENVIK_IMPLEMENT_CLASS(TdxTreeListTextNode)

TdxTreeListNode::TdxTreeListNode(TCustomdxTreeList* Owner) : owner_(Owner) {
  if (!Owner) RaiseTreeListError(LoadResString(dxSTL_InvalidOwner));
}

TdxTreeListNode::~TdxTreeListNode() { owner_->FreeNode(this); }

TdxTreeListNode::TNodeList& TdxTreeListNode::SiblingList() const {
  return parent_ ? *parent_->children_ : owner_->roots_;
}

TdxTreeListNode::TNodeList& TdxTreeListNode::EnsureChildren() {
  if (!children_) children_ = std::make_unique<TNodeList>();
  return *children_;
}

TdxTreeListNode* TdxTreeListNode::GetItem(int Index) const {
  if (Index < 0 || Index >= GetCount()) return nullptr;
  return (*children_)[Index];
}

namespace {

bool HoldsAt(const std::vector<TdxTreeListNode*>& List, int Index, const TdxTreeListNode* Node) {
  return Index >= 0 && Index < static_cast<int>(List.size()) && List[Index] == Node;
}

}  // namespace

int TdxTreeListNode::GetIndex() const {
  const TNodeList& list = SiblingList();
  if (HoldsAt(list, siblingIndex_, this)) return siblingIndex_;
  // One sibling inserted or removed before the node shifts it by one: no renumbering for that.
  for (int shift : {-1, 1})
    if (HoldsAt(list, siblingIndex_ + shift, this)) return siblingIndex_ += shift;
  for (size_t i = 0; i < list.size(); ++i) list[i]->siblingIndex_ = static_cast<int32_t>(i);
  return HoldsAt(list, siblingIndex_, this) ? siblingIndex_ : -1;
}

TdxTreeListNode::TNodeList::iterator TdxTreeListNode::PlaceIn(TNodeList& List, const TdxTreeListNode* Node) {
  if (&Node->SiblingList() != &List) return std::find(List.begin(), List.end(), Node);
  int i = Node->GetIndex();
  return i < 0 ? List.end() : List.begin() + i;
}

int TdxTreeListNode::GetLevel() const {
  int level = 0;
  for (const TdxTreeListNode* p = parent_; p; p = p->parent_) ++level;
  return level;
}

TdxTreeListNode* TdxTreeListNode::GetNextSibling() const {
  const TNodeList& list = SiblingList();
  int i = GetIndex();
  return i >= 0 && i + 1 < static_cast<int>(list.size()) ? list[i + 1] : nullptr;
}

TdxTreeListNode* TdxTreeListNode::GetPrevSibling() const {
  int i = GetIndex();
  return i > 0 ? SiblingList()[i - 1] : nullptr;
}

TdxTreeListNode* TdxTreeListNode::GetNext() const {
  if (GetCount()) return GetFirstChild();
  for (const TdxTreeListNode* n = this; n; n = n->parent_)
    if (TdxTreeListNode* s = n->GetNextSibling()) return s;
  return nullptr;
}

TdxTreeListNode* TdxTreeListNode::GetPrev() const {
  TdxTreeListNode* p = GetPrevSibling();
  if (!p) return parent_;
  while (p->GetCount()) p = p->GetLastChild();
  return p;
}

TdxTreeListNode* TdxTreeListNode::GetPriorParentNode() const {
  TdxTreeListNode* p = GetPrevSibling();
  return p ? p : parent_;
}

TdxTreeListNode* TdxTreeListNode::GetNextVisible() const { return owner_->GetNextVisibleNode(this); }

TdxTreeListNode* TdxTreeListNode::GetPrevVisible() const { return owner_->GetPrevVisibleNode(this); }

bool TdxTreeListNode::HasAsParent(const TdxTreeListNode* Node) const {
  for (const TdxTreeListNode* p = parent_; p; p = p->parent_)
    if (p == Node) return true;
  return false;
}

int TdxTreeListNode::IndexOf(const TdxTreeListNode* Child) const {
  if (!children_ || !Child) return -1;
  auto it = PlaceIn(*children_, Child);
  return it == children_->end() ? -1 : static_cast<int>(it - children_->begin());
}

bool TdxTreeListNode::IsLast() const {
  const TNodeList& list = SiblingList();
  return !list.empty() && list.back() == this;
}

bool TdxTreeListNode::IsVisible() const {
  for (const TdxTreeListNode* p = parent_; p; p = p->parent_)
    if (!p->expanded_) return false;
  return true;
}

int TdxTreeListNode::GetAbsoluteIndex() const { return owner_->GetAbsoluteIndex(this); }

void TdxTreeListNode::AppendChildrenTo(std::vector<TdxTreeListNode*>& List) const {
  if (children_) List.insert(List.end(), children_->begin(), children_->end());
}

String TdxTreeListNode::GetString(int Column) const {
  String text;
  owner_->GetNodeString(const_cast<TdxTreeListNode*>(this), Column, text);
  return text;
}

void TdxTreeListNode::SetString(int Column, const String& Text) { owner_->SetNodeString(this, Column, Text); }

Variant TdxTreeListNode::GetValue(int Column) const {
  Variant value;
  owner_->GetNodeVariant(const_cast<TdxTreeListNode*>(this), Column, value);
  return value;
}

void TdxTreeListNode::SetValue(int Column, const Variant& Value) {
  owner_->SetNodeVariant(this, Column, Value);
}

int TdxTreeListNode::ImageIndex() const { return owner_->GetImageIndex(const_cast<TdxTreeListNode*>(this)); }
void TdxTreeListNode::SetImageIndex(int Value) { owner_->SetImageIndex(this, Value); }
int TdxTreeListNode::SelectedIndex() const {
  return owner_->GetSelectedIndex(const_cast<TdxTreeListNode*>(this));
}
void TdxTreeListNode::SetSelectedIndex(int Value) { owner_->SetSelectedIndex(this, Value); }
int TdxTreeListNode::StateIndex() const { return owner_->GetStateIndex(const_cast<TdxTreeListNode*>(this)); }
void TdxTreeListNode::SetStateIndex(int Value) { owner_->SetStateIndex(this, Value); }

bool TdxTreeListNode::GetSelected() const {
  if (owner_->IsMultiSelect()) return owner_->IsNodeSelected(const_cast<TdxTreeListNode*>(this));
  return GetFocused();
}

void TdxTreeListNode::SetSelected(bool Value) { owner_->SetNodeSelected(this, Value); }

bool TdxTreeListNode::GetFocused() const { return owner_->FocusedNode() == this; }

void TdxTreeListNode::SetFocused(bool Value) {
  if (Value == GetFocused()) return;
  if (Value) {
    owner_->SetFocusedNode(this, owner_->GetFocusedColumn(), true);
  } else {
    owner_->focused_ = nullptr;
    owner_->NodeChanged(this, false);
  }
}

void TdxTreeListNode::SetHasChildren(bool Value) {
  if (hasChildren_ == Value) return;
  hasChildren_ = Value || GetCount() > 0;
  owner_->NodeChanged(this, false);
}

TdxTreeListNode* TdxTreeListNode::InsertChild(TdxTreeListNode* Before) {
  TdxTreeListNode* node = owner_->CreateNode();
  node->parent_ = this;
  TNodeList& list = EnsureChildren();
  auto at = Before ? PlaceIn(list, Before) : list.end();
  list.insert(at, node);
  SetHasChildren(true);
  owner_->NodeAdded(node);
  return node;
}

void TdxTreeListNode::UnlinkFromList() {
  TNodeList& list = SiblingList();
  auto it = PlaceIn(list, this);
  if (it != list.end()) list.erase(it);
}

void TdxTreeListNode::Detach() {
  if (TdxTreeListNode* p = parent_) {
    UnlinkFromList();
    if (p->children_->empty()) {
      p->children_.reset();
      p->hasChildren_ = owner_->NodeHasChildren(p);
      p->expanded_ = false;
    }
  } else {
    UnlinkFromList();
  }
  parent_ = nullptr;
}

void TdxTreeListNode::InternalMove(TdxTreeListNode* Destination, TdxTreeListNodeAttachMode Mode) {
  // The destination's place is read before the node leaves its list: a move relative to the node
  // itself (natlAdd, natlAddFirst) then keeps it among its own siblings.
  TdxTreeListNode* destParent = Destination->parent_;
  bool childMode = Mode == natlAddChild || Mode == natlAddChildFirst;
  if (Destination == this && !childMode) {
    // Only natlAdd and natlAddFirst get here (CanMove refuses the rest): the node goes to the end or
    // the start of its own siblings without leaving them, so a lone child keeps its parent open.
    TNodeList& list = SiblingList();
    UnlinkFromList();
    if (Mode == natlAdd)
      list.push_back(this);
    else
      list.insert(list.begin(), this);
    return;
  }
  Detach();
  if (!childMode) {
    TNodeList& list = destParent ? destParent->EnsureChildren() : owner_->roots_;
    if (Mode == natlAdd)
      list.push_back(this);
    else if (Mode == natlAddFirst)
      list.insert(list.begin(), this);
    else {
      list.insert(PlaceIn(list, Destination), this);
    }
    parent_ = destParent;
    if (destParent) destParent->hasChildren_ = true;
  } else {
    TNodeList& list = Destination->EnsureChildren();
    if (Mode == natlAddChild)
      list.push_back(this);
    else
      list.insert(list.begin(), this);
    parent_ = Destination;
    Destination->hasChildren_ = true;
  }
}

bool TdxTreeListNode::CanMove(TdxTreeListNode* Destination, TdxTreeListNodeAttachMode Mode) const {
  if (!Destination) return false;
  if (Destination == this && (Mode == natlAddChild || Mode == natlAddChildFirst || Mode == natlInsert))
    return false;
  return !Destination->HasAsParent(this);
}

void TdxTreeListNode::MoveTo(TdxTreeListNode* Destination, TdxTreeListNodeAttachMode Mode) {
  if (!CanMove(Destination, Mode)) return;
  TdxTreeListUpdateScope update(owner_);
  InternalMove(Destination, Mode);
  owner_->focused_ = this;
  owner_->RefreshNodeCache();
  MakeVisible();
}

void TdxTreeListNode::MakeVisible() { owner_->MakeNodeVisible(this); }

int TdxTreeListNode::CachedRowHeight() const {
  return heightGeneration_ == owner_->rowHeightsGeneration_ ? cachedHeight_ : 0;
}

int TdxTreeListNode::CachedLineCount() const {
  return heightGeneration_ == owner_->rowHeightsGeneration_ ? cachedLineCount_ : 0;
}

void TdxTreeListNode::SetCachedRowHeight(int Height, int LineCount) {
  cachedHeight_ = Height;
  cachedLineCount_ = LineCount;
  heightGeneration_ = owner_->rowHeightsGeneration_;
}

void TdxTreeListNode::SetExpanded(bool Value) {
  if (!hasChildren_ || expanded_ == Value) return;
  bool allow = true;
  if (Value)
    owner_->DoExpanding(this, allow);
  else
    owner_->DoCollapsing(this, allow);
  if (!allow) return;
  if (!Value) {
    if (owner_->top_ && owner_->top_->HasAsParent(this)) owner_->SetTopVisibleNode(this);
    if (owner_->focused_ && owner_->focused_->HasAsParent(this) && !owner_->FocusNode(this)) return;
  }
  expanded_ = Value;
  if (owner_->lockCount_ == 0 && !owner_->noCaching_) owner_->RefreshNodeCache();
  owner_->NodeChanged(this, true);
  if (Value)
    owner_->DoExpanded(this);
  else
    owner_->DoCollapsed(this);
}

void TdxTreeListNode::Expand(bool Recurse) {
  if (!hasChildren_) return;
  // One layout pass follows the whole operation.
  TdxTreeListUpdateScope update(owner_->lockCount_ == 0 ? owner_ : nullptr);
  SetExpanded(true);
  if (Recurse)
    for (int i = 0; i < GetCount(); ++i) GetItem(i)->Expand(true);
}

void TdxTreeListNode::AddToRoots() { owner_->roots_.push_back(this); }

void TdxTreeListNode::MoveRootToParent(int RootIndex, TdxTreeListNode* Parent) {
  auto& roots = owner_->roots_;
  roots.erase(roots.begin() + RootIndex);
  Parent->EnsureChildren().push_back(this);
  parent_ = Parent;
  Parent->hasChildren_ = true;
}

void TdxTreeListNode::MoveChildrenToRoots() {
  if (children_)
    for (TdxTreeListNode* child : *children_) {
      child->parent_ = nullptr;
      owner_->roots_.push_back(child);
    }
  children_.reset();
  hasChildren_ = owner_->NodeHasChildren(this);
  expanded_ = false;
  owner_->focused_ = this;
}

int CompareNodesInTreeOrder(const TdxTreeListNode* A, const TdxTreeListNode* B) {
  if (A == B) return 0;
  if (A->HasAsParent(B)) return 1;
  if (B->HasAsParent(A)) return -1;
  int la = A->GetLevel(), lb = B->GetLevel();
  while (la > lb) A = A->Parent(), --la;
  while (lb > la) B = B->Parent(), --lb;
  while (A->Parent() != B->Parent()) A = A->Parent(), B = B->Parent();
  return A->GetIndex() - B->GetIndex();
}
