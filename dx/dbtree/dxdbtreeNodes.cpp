// The key index of the data-aware tree view.
#include "dx/dbtree/dxdbtreeNodes.h"

#include "dx/dbtree/dxdbtree.h"
#include "platform/rtl/Exceptions.h"

TRENVIK_IMPLEMENT_CLASS(TdxDBTreeNode)

bool KeyEquals(const Variant& A, const Variant& B) {
  try {
    return A == B;
  } catch (const EVariantError&) {
    return false;
  }
}

bool KeyGreaterOrEqual(const Variant& A, const Variant& B) {
  try {
    return A >= B;
  } catch (const EVariantError&) {
    return false;
  }
}

bool KeyGreater(const Variant& A, const Variant& B) {
  try {
    return A > B;
  } catch (const EVariantError&) {
    return false;
  }
}

TdxDBTreeNode::TdxDBTreeNode(TTreeNodes* AOwner, TdxDBTreeNodes* AIndex, const Variant& AKey)
    : TdxTreeNode(AOwner), index_(AIndex), keyValue_(AKey) {
  if (TCustomTreeView* view = AOwner ? AOwner->Owner() : nullptr) {
    Color = view->Font()->Color();
    FontStyle = view->Font()->Style();
    FontName = view->Font()->Name();
  }
  index_->Insert(this);
}

TdxDBTreeNode::~TdxDBTreeNode() {
  if (index_->Destroying()) return;
  if (TdxDBTreeView* view = index_->View())
    view->NodeDestroying(this);
  else
    index_->Remove(this);
}

TdxDBTreeNodes::TKeySearch TdxDBTreeNodes::FindKeyIndex(const Variant& Key) const {
  int position = -1;
  if (list_.empty() || VarIsNull(Key) || KeyGreater(list_.front()->keyValue_, Key)) return {false, position};
  int count = Count();
  if (KeyGreater(Key, list_.back()->keyValue_)) return {false, count};
  int lo = 0, hi = count - 1;
  do {
    if (hi - lo == 1) {
      // Moves the search past a pair that would otherwise repeat.
      if (position == lo) lo = hi;
      if (position == hi) hi = lo;
    }
    position = lo + (hi - lo) / 2;
    const Variant& at = list_[static_cast<std::size_t>(position)]->keyValue_;
    if (KeyEquals(Key, at)) break;
    if (KeyGreaterOrEqual(Key, at))
      lo = position;
    else
      hi = position;
  } while (lo != hi);
  const Variant& at = list_[static_cast<std::size_t>(position)]->keyValue_;
  bool found = KeyEquals(Key, at);
  if (!found && position < count - 1 && KeyGreaterOrEqual(Key, at)) ++position;
  return {found, position};
}

TdxDBTreeNode* TdxDBTreeNodes::FindNode(const Variant& Key) const {
  TKeySearch s = FindKeyIndex(Key);
  return s.Found ? list_[static_cast<std::size_t>(s.Position)] : nullptr;
}

Variant TdxDBTreeNodes::LastKey() const { return list_.empty() ? Null() : list_.back()->keyValue_; }

void TdxDBTreeNodes::Renumber(int From, int To) {
  for (int i = std::max(From, 0); i < std::min(To, Count()); ++i)
    list_[static_cast<std::size_t>(i)]->position_ = i;
}

void TdxDBTreeNodes::Insert(TdxDBTreeNode* Node) {
  int at = std::max(FindKeyIndex(Node->keyValue_).Position, 0);
  list_.insert(list_.begin() + at, Node);
  Renumber(at, Count());
}

void TdxDBTreeNodes::Remove(TdxDBTreeNode* Node) {
  int at = Node->position_;
  if (at < 0 || at >= Count() || list_[static_cast<std::size_t>(at)] != Node) return;
  list_.erase(list_.begin() + at);
  Renumber(at, Count());
}

void TdxDBTreeNodes::ChangeKey(TdxDBTreeNode* Node, const Variant& NewKey) {
  if (KeyEquals(Node->keyValue_, NewKey) && VarType(Node->keyValue_) == VarType(NewKey)) return;
  Remove(Node);
  Node->keyValue_ = NewKey;
  Insert(Node);
}
