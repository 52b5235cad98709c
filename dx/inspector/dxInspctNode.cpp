#include "dx/inspector/dxInspctNode.h"

#include <algorithm>

#include "dx/inspector/dxInspct.h"

TdxInspectorNode::TdxInspectorNode(TCustomdxInspector* Owner) : owner_(Owner) {}

TdxInspectorNode::~TdxInspectorNode() {
  destroying_ = true;
  // What the inspector needs to move its focus and top row off this node, taken before unlinking.
  TdxInspectorNode* previous = nullptr;
  const int index = Index();
  if (index > 0)
    previous = OwnerList()[index - 1].get();
  else
    previous = parent_;
  TdxInspectorNode* next = nullptr;
  const bool wasVisible = IsVisible();
  if (wasVisible) {
    const TdxInspectorNode* last = this;
    while (last->expanded_ && last->HasChildren()) last = last->children_->back().get();
    next = last->GetNext();
  }
  const bool wasLast = IsLast();
  DeleteChildren();
  if (index >= 0) Unlink().release();  // the list held this very object, which is being destroyed
  owner_->NodeRemoved(this, previous, next, wasLast, wasVisible);
}

TdxInspectorNodeList& TdxInspectorNode::OwnerList() const {
  return parent_ ? *parent_->children_ : owner_->TopNodes();
}

void TdxInspectorNode::Renumber(TdxInspectorNodeList& List, size_t From) {
  if (!List.empty()) List.front()->owner_->InvalidateVisibleNodes();
  for (size_t i = From; i < List.size(); ++i) List[i]->index_ = static_cast<int>(i);
}

std::unique_ptr<TdxInspectorNode> TdxInspectorNode::Unlink() {
  TdxInspectorNodeList& list = OwnerList();
  const size_t at = static_cast<size_t>(index_);
  std::unique_ptr<TdxInspectorNode> self = std::move(list[at]);
  list.erase(list.begin() + static_cast<std::ptrdiff_t>(at));
  Renumber(list, at);
  index_ = -1;
  owner_->InvalidateVisibleNodes();
  if (parent_ && list.empty()) {
    parent_->children_.reset();
    parent_->expanded_ = false;
  }
  parent_ = nullptr;
  return self;
}

void TdxInspectorNode::Attach(std::unique_ptr<TdxInspectorNode> Self, TdxInspectorNode* NewParent,
                              int Position) {
  parent_ = NewParent;
  if (NewParent && !NewParent->children_) NewParent->children_ = std::make_unique<TdxInspectorNodeList>();
  TdxInspectorNodeList& list = OwnerList();
  if (Position < 0 || Position > static_cast<int>(list.size())) Position = static_cast<int>(list.size());
  list.insert(list.begin() + Position, std::move(Self));
  Renumber(list, static_cast<size_t>(Position));
}

TdxInspectorNode* TdxInspectorNode::Items(int Index) const {
  if (Index < 0 || Index >= Count()) return nullptr;
  return (*children_)[Index].get();
}

int TdxInspectorNode::Level() const {
  int level = 0;
  for (TdxInspectorNode* p = parent_; p; p = p->parent_) ++level;
  return level;
}

bool TdxInspectorNode::IsLast() const {
  const TdxInspectorNodeList& list = OwnerList();
  return !list.empty() && list.back().get() == this;
}

bool TdxInspectorNode::IsVisible() const {
  for (TdxInspectorNode* p = parent_; p; p = p->parent_)
    if (!p->expanded_) return false;
  return true;
}

bool TdxInspectorNode::Focused() const { return owner_->FocusedNode() == this; }

int TdxInspectorNode::AbsoluteIndex() const { return owner_->GetAbsoluteIndex(this); }

TdxInspectorNode* TdxInspectorNode::TopLevelAncestor() const {
  const TdxInspectorNode* n = this;
  while (n->parent_) n = n->parent_;
  return const_cast<TdxInspectorNode*>(n);
}

bool TdxInspectorNode::IsAncestorOf(const TdxInspectorNode* Node) const {
  for (const TdxInspectorNode* p = Node ? Node->parent_ : nullptr; p; p = p->parent_)
    if (p == this) return true;
  return false;
}

TdxInspectorNode* TdxInspectorNode::GetNext() const {
  if (expanded_ && HasChildren()) return children_->front().get();
  for (const TdxInspectorNode* n = this; n; n = n->parent_) {
    const TdxInspectorNodeList& list = n->OwnerList();
    const int i = n->Index();
    if (i + 1 < static_cast<int>(list.size())) return list[i + 1].get();
  }
  return nullptr;
}

TdxInspectorNode* TdxInspectorNode::GetPrev() const {
  const int i = Index();
  if (i == 0) return parent_;
  return OwnerList()[i - 1]->GetLastVisibleDescendant();
}

TdxInspectorNode* TdxInspectorNode::GetLastVisibleDescendant() const {
  const TdxInspectorNode* n = this;
  while (n->expanded_ && n->HasChildren()) n = n->children_->back().get();
  return const_cast<TdxInspectorNode*>(n);
}

void TdxInspectorNode::SetExpanded(bool Value) {
  if (!HasChildren() || expanded_ == Value) return;
  if (!Value) {
    // The focus must not hide inside a collapsed branch.
    if (IsAncestorOf(owner_->FocusedNode())) SetFocused(true);
  }
  expanded_ = Value;
  owner_->InvalidateVisibleNodes();
  owner_->NodeChanged(this, true);
}

void TdxInspectorNode::SetExpandedRecursive(bool Value, bool Recurse) {
  SetExpanded(Value);
  if (!Recurse) return;
  for (int i = 0; i < Count(); ++i) Items(i)->SetExpandedRecursive(Value, true);
}

void TdxInspectorNode::Expand(bool Recurse) {
  owner_->BeginUpdate();
  SetExpandedRecursive(true, Recurse);
  owner_->EndUpdate();
}

void TdxInspectorNode::Collapse(bool Recurse) {
  owner_->BeginUpdate();
  SetExpandedRecursive(false, Recurse);
  owner_->EndUpdate();
}

void TdxInspectorNode::SetFocused(bool Value) {
  if (Value) owner_->SetFocusedNode(this);
}

void TdxInspectorNode::MoveTo(TdxInspectorNode* Destination, TdxInspectorNodeAttachMode Mode) {
  if (!Destination || IsAncestorOf(Destination)) return;
  if (Destination == this && (Mode == inaAddChild || Mode == inaInsert)) return;
  owner_->BeginUpdate();
  // Taken before unlinking: the destination may be this very node.
  TdxInspectorNode* const siblingParent = Destination->parent_;
  std::unique_ptr<TdxInspectorNode> self = Unlink();
  switch (Mode) {
    case inaAdd:
      Attach(std::move(self), siblingParent, -1);
      break;
    case inaAddChild:
      Attach(std::move(self), Destination, -1);
      break;
    case inaInsert:
      Attach(std::move(self), Destination->parent_, Destination->Index());
      break;
  }
  owner_->focusedNode_ = this;
  MakeVisible();
  owner_->EndUpdate();
}

void TdxInspectorNode::DeleteChildren() {
  while (children_) delete children_->back().get();
}

TdxInspectorNode* TdxInspectorNode::AddChild() {
  std::unique_ptr<TdxInspectorNode> node(owner_->CreateNode());
  TdxInspectorNode* raw = node.get();
  raw->Attach(std::move(node), this, -1);
  owner_->NodeChanged(this, true);
  return raw;
}

void TdxInspectorNode::MakeVisible() {
  bool collapsed = false;
  for (TdxInspectorNode* p = parent_; p; p = p->parent_) collapsed |= !p->expanded_;
  if (collapsed) {
    owner_->BeginUpdate();
    for (TdxInspectorNode* p = parent_; p; p = p->parent_) p->SetExpanded(true);
    owner_->EndUpdate();
  }
  owner_->ScrollNodeIntoView(this);
}
