// TTreeNode: one item of a tree view, read and changed through the window's messages.
#include <algorithm>

#include "platform/forms/ComCtrls.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/rtl/StrUtils.h"
#include "platform/rtl/String.h"
#include "platform/win/Windows.h"

TRENVIK_IMPLEMENT_CLASS(TTreeNode)

namespace {}  // namespace

TTreeNode::~TTreeNode() {
  deleting_ = true;
  if (owner_) {
    // The item goes first, so the nodes of the descendants are freed by its notifications.
    if (itemId_ && owner_->Owner()->HandleAllocated())
      SendMessage(Wnd(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(itemId_));
    owner_->Forget(this);
  }
}

TCustomTreeView* TTreeNode::TreeView() const { return owner_ ? owner_->Owner() : nullptr; }
HWND TTreeNode::Wnd() const { return owner_->Wnd(); }
TTreeNode* TTreeNode::NodeOf(HTREEITEM item) const { return owner_->GetNode(item); }

TTreeNode* TTreeNode::Relation(UINT code) const {
  if (!itemId_) return nullptr;
  return NodeOf(reinterpret_cast<HTREEITEM>(
      SendMessage(Wnd(), TVM_GETNEXTITEM, code, reinterpret_cast<LPARAM>(itemId_))));
}

void TTreeNode::SetText(const String& Value) {
  text_ = Value;
  if (!itemId_) return;
  TVITEM tv;
  tv.mask = TVIF_TEXT | TVIF_HANDLE;
  tv.hItem = itemId_;
  tv.pszText = text_.data();
  SendMessage(Wnd(), TVM_SETITEM, 0, reinterpret_cast<LPARAM>(&tv));
}

// Images are asked for while drawing (OnGetImageIndex sets them): only a change repaints.
void TTreeNode::SetImageIndex(int Value) {
  if (imageIndex_ == Value) return;
  imageIndex_ = Value;
  InvalidateRow();
}

void TTreeNode::SetSelectedIndex(int Value) {
  if (selectedIndex_ == Value) return;
  selectedIndex_ = Value;
  InvalidateRow();
}

void TTreeNode::InvalidateRow() {
  TCustomTreeView* view = owner_ ? owner_->Owner() : nullptr;
  if (!itemId_ || !view->HandleAllocated() || view->answeringDispInfo_) return;
  RECT r = DisplayRect(false);
  InvalidateRect(Wnd(), &r, TRUE);
}

void TTreeNode::SetState(UINT state, UINT mask) {
  if (!itemId_) return;
  TVITEM tv;
  tv.mask = TVIF_STATE | TVIF_HANDLE;
  tv.hItem = itemId_;
  tv.state = state;
  tv.stateMask = mask;
  SendMessage(Wnd(), TVM_SETITEM, 0, reinterpret_cast<LPARAM>(&tv));
}

void TTreeNode::SetStateIndex(int Value) {
  stateIndex_ = Value;
  SetState(INDEXTOSTATEIMAGEMASK(static_cast<UINT>(std::max(Value, 0))), TVIS_STATEIMAGEMASK);
}

void TTreeNode::SetOverlayIndex(int Value) {
  overlayIndex_ = Value;
  SetState(static_cast<UINT>(std::max(Value + 1, 0)) << 8, TVIS_OVERLAYMASK);
}

bool TTreeNode::HasChildren() const {
  if (!itemId_) return false;
  TVITEM tv;
  tv.mask = TVIF_CHILDREN | TVIF_HANDLE;
  tv.hItem = itemId_;
  SendMessage(Wnd(), TVM_GETITEM, 0, reinterpret_cast<LPARAM>(&tv));
  return tv.cChildren != 0;
}

void TTreeNode::SetHasChildren(bool Value) {
  if (!itemId_) return;
  TVITEM tv;
  tv.mask = TVIF_CHILDREN | TVIF_HANDLE;
  tv.hItem = itemId_;
  tv.cChildren = Value ? 1 : 0;
  SendMessage(Wnd(), TVM_SETITEM, 0, reinterpret_cast<LPARAM>(&tv));
}

static UINT ItemState(const TTreeNode* n, HWND wnd, UINT mask) {
  if (!n->ItemId()) return 0;
  return static_cast<UINT>(SendMessage(wnd, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(n->ItemId()), mask));
}

bool TTreeNode::Expanded() const { return ItemState(this, Wnd(), TVIS_EXPANDED) != 0; }
void TTreeNode::SetExpanded(bool Value) { Value ? Expand(false) : Collapse(false); }
bool TTreeNode::Selected() const { return ItemState(this, Wnd(), TVIS_SELECTED) != 0; }
bool TTreeNode::DropTarget() const { return ItemState(this, Wnd(), TVIS_DROPHILITED) != 0; }
bool TTreeNode::Cut() const { return ItemState(this, Wnd(), TVIS_CUT) != 0; }
void TTreeNode::SetCut(bool Value) { SetState(Value ? TVIS_CUT : 0, TVIS_CUT); }

void TTreeNode::SetSelected(bool Value) {
  if (!itemId_) return;
  if (Value)
    SendMessage(Wnd(), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(itemId_));
  else if (Selected())
    SendMessage(Wnd(), TVM_SELECTITEM, TVGN_CARET, 0);
}

void TTreeNode::SetDropTarget(bool Value) {
  if (!itemId_) return;
  if (Value)
    SendMessage(Wnd(), TVM_SELECTITEM, TVGN_DROPHILITE, reinterpret_cast<LPARAM>(itemId_));
  else if (DropTarget())
    SendMessage(Wnd(), TVM_SELECTITEM, TVGN_DROPHILITE, 0);
}

TTreeNode* TTreeNode::Parent() const { return Relation(TVGN_PARENT); }
TTreeNode* TTreeNode::getFirstChild() const { return Relation(TVGN_CHILD); }
TTreeNode* TTreeNode::getNextSibling() const { return Relation(TVGN_NEXT); }
TTreeNode* TTreeNode::getPrevSibling() const { return Relation(TVGN_PREVIOUS); }
TTreeNode* TTreeNode::GetNextVisible() const { return IsVisible() ? Relation(TVGN_NEXTVISIBLE) : nullptr; }
TTreeNode* TTreeNode::GetPrevVisible() const { return Relation(TVGN_PREVIOUSVISIBLE); }

TTreeNode* TTreeNode::GetLastChild() const {
  TTreeNode* n = getFirstChild();
  for (TTreeNode* next = n; next; next = next->getNextSibling()) n = next;
  return n;
}

TTreeNode* TTreeNode::GetNext() const {
  if (TTreeNode* c = getFirstChild()) return c;
  for (const TTreeNode* n = this; n; n = n->Parent())
    if (TTreeNode* s = n->getNextSibling()) return s;
  return nullptr;
}

TTreeNode* TTreeNode::GetPrev() const {
  TTreeNode* n = getPrevSibling();
  if (!n) return Parent();
  while (TTreeNode* last = n->GetLastChild()) n = last;
  return n;
}

int TTreeNode::Count() const {
  int n = 0;
  for (TTreeNode* c = getFirstChild(); c; c = c->getNextSibling()) ++n;
  return n;
}

TTreeNode* TTreeNode::Item(int Index) const {
  TTreeNode* c = getFirstChild();
  for (int i = 0; c && i < Index; ++i) c = c->getNextSibling();
  if (!c || Index < 0)
    throw EListError(u"List index out of bounds (" + Utf8ToString(std::to_string(Index)) + u")");
  return c;
}

int TTreeNode::Index() const {
  int i = 0;
  for (TTreeNode* p = getPrevSibling(); p; p = p->getPrevSibling()) ++i;
  return i;
}

int TTreeNode::Level() const {
  int l = 0;
  for (TTreeNode* p = Parent(); p; p = p->Parent()) ++l;
  return l;
}

int TTreeNode::AbsoluteIndex() const {
  int i = -1;
  for (const TTreeNode* n = this; n; n = n->GetPrev()) ++i;
  return i;
}

int TTreeNode::IndexOf(TTreeNode* Value) const {
  int i = 0;
  for (TTreeNode* c = getFirstChild(); c; c = c->getNextSibling(), ++i)
    if (c == Value) return i;
  return -1;
}

bool TTreeNode::HasAsParent(TTreeNode* Value) const {
  if (!Value) return false;
  for (TTreeNode* p = Parent(); p; p = p->Parent())
    if (p == Value) return true;
  return false;
}

bool TTreeNode::IsVisible() const {
  if (!itemId_) return false;
  RECT r;
  SetItemRectRequest(r, itemId_);
  return SendMessage(Wnd(), TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&r)) != 0;
}

RECT TTreeNode::DisplayRect(bool TextOnly) const {
  RECT r{};
  if (!itemId_) return r;
  SetItemRectRequest(r, itemId_);
  if (!SendMessage(Wnd(), TVM_GETITEMRECT, TextOnly, reinterpret_cast<LPARAM>(&r))) r = RECT{};
  return r;
}

void TTreeNode::ExpandItem(bool expand, bool recurse) {
  TCustomTreeView* view = TreeView();
  if (!itemId_ || !view) return;
  if (!view->manualNotify_) {
    // The node raises the view's expand events itself, not the window.
    TValueScope<bool> manual(view->manualNotify_, true);
    if (expand ? view->CanExpand(this) : view->CanCollapse(this)) {
      SendMessage(Wnd(), TVM_EXPAND, expand ? TVE_EXPAND : TVE_COLLAPSE, reinterpret_cast<LPARAM>(itemId_));
      expand ? view->Expand(this) : view->Collapse(this);
    }
  }
  if (recurse)
    for (TTreeNode* c = getFirstChild(); c; c = c->getNextSibling()) c->ExpandItem(expand, true);
}

void TTreeNode::Expand(bool Recurse) {
  if (HasChildren() || Recurse) ExpandItem(true, Recurse);
}
void TTreeNode::Collapse(bool Recurse) { ExpandItem(false, Recurse); }

void TTreeNode::MakeVisible() {
  if (itemId_) SendMessage(Wnd(), TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(itemId_));
}

bool TTreeNode::EditText() {
  return itemId_ && SendMessage(Wnd(), TVM_EDITLABEL, 0, reinterpret_cast<LPARAM>(itemId_)) != 0;
}

void TTreeNode::EndEdit(bool Cancel) {
  if (itemId_) SendMessage(Wnd(), TVM_ENDEDITLABELNOW, Cancel, 0);
}

namespace {

struct TSortContext {
  TTreeNodes* nodes;
  std::function<int(TTreeNode*, TTreeNode*)> compare;
};

int CompareByContext(LPARAM a, LPARAM b, LPARAM context) {
  auto* c = reinterpret_cast<TSortContext*>(context);
  return c->compare(reinterpret_cast<TTreeNode*>(a), reinterpret_cast<TTreeNode*>(b));
}

}  // namespace

bool TTreeNode::CustomSort(std::function<int(TTreeNode*, TTreeNode*)> Compare, bool ARecurse) {
  if (!itemId_) return false;
  TSortContext context{owner_, std::move(Compare)};
  TVSORTCB cb;
  cb.hParent = itemId_;
  cb.lpfnCompare = &CompareByContext;
  cb.lParam = reinterpret_cast<LPARAM>(&context);
  return SendMessage(Wnd(), TVM_SORTCHILDRENCB, ARecurse, reinterpret_cast<LPARAM>(&cb)) != 0;
}

bool TTreeNode::AlphaSort(bool ARecurse) {
  TCustomTreeView* view = TreeView();
  return CustomSort(
      [view](TTreeNode* a, TTreeNode* b) {
        int result = AnsiCompareText(a->Text(), b->Text());
        if (view->OnCompare) view->OnCompare(view, a, b, 0, result);
        return result;
      },
      ARecurse);
}

void TTreeNode::Delete() {
  if (!deleting_) delete this;
}

void TTreeNode::DeleteChildren() {
  while (TTreeNode* c = getFirstChild()) c->Delete();
}

void TTreeNode::InternalMove(HTREEITEM parentItem, HTREEITEM insertAfter) {
  std::vector<TTreeNode*> children;
  for (TTreeNode* c = getFirstChild(); c; c = c->getNextSibling()) children.push_back(c);
  bool expanded = Expanded();
  HTREEITEM old = itemId_;
  HTREEITEM moved = owner_->InsertItem(this, parentItem, insertAfter);
  if (!moved) return;
  // The node answers for the new item from here on; the old one goes without freeing it.
  itemId_ = moved;
  for (TTreeNode* c : children) c->InternalMove(moved, TVI_LAST);
  SendMessage(Wnd(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(old));
  if (expanded) SetState(TVIS_EXPANDED, TVIS_EXPANDED);
}

void TTreeNode::MoveTo(TTreeNode* Destination, TNodeAttachMode Mode) {
  TCustomTreeView* view = TreeView();
  if (!view || !itemId_ || Destination == this || (Destination && Destination->HasAsParent(this))) return;
  HTREEITEM parent = TVI_ROOT, after = TVI_LAST;
  switch (Mode) {
    case naAdd:
    case naAddFirst:
      if (Destination && Destination->Parent()) parent = Destination->Parent()->itemId_;
      after = Mode == naAdd ? TVI_LAST : TVI_FIRST;
      break;
    case naAddChild:
    case naAddChildFirst:
      if (Destination) parent = Destination->itemId_;
      after = Mode == naAddChild ? TVI_LAST : TVI_FIRST;
      break;
    case naInsert:
      if (Destination) {
        if (Destination->Parent()) parent = Destination->Parent()->itemId_;
        TTreeNode* prev = Destination->getPrevSibling();
        after = prev == this ? (getPrevSibling() ? getPrevSibling()->itemId_ : TVI_FIRST)
                             : (prev ? prev->itemId_ : TVI_FIRST);
      }
      break;
  }
  bool wasSelected = Selected();
  // The move is not a change of selection the user made.
  TValueScope<TTVChangingEvent> noChanging(view->OnChanging, nullptr);
  TValueScope<TTVChangedEvent> noChange(view->OnChange, nullptr);
  InternalMove(parent, after);
  if (wasSelected) SetSelected(true);
}

void TTreeNode::Assign(TPersistent* Source) {
  auto* node = dynamic_cast<TTreeNode*>(Source);
  if (!node) return TPersistent::Assign(Source);
  SetText(node->Text());
  data_ = node->data_;
  imageIndex_ = node->imageIndex_;
  selectedIndex_ = node->selectedIndex_;
  SetStateIndex(node->stateIndex_);
  SetOverlayIndex(node->overlayIndex_);
  SetHasChildren(node->HasChildren());
}
