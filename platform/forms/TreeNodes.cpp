// TTreeNodes: adding nodes (items made with the view's node factory), deleting, clearing.
#include <unordered_map>

#include "platform/forms/ComCtrls.h"
#include "platform/rtl/String.h"
#include "platform/win/Windows.h"

TRENVIK_IMPLEMENT_CLASS(TTreeNodes)

TTreeNodes::TTreeNodes(TCustomTreeView* AOwner) : owner_(AOwner) {}

TTreeNodes::~TTreeNodes() {
  // Only nodes without a window are left here; they are freed without touching one.
  std::vector<TTreeNode*> rest(nodes_.begin(), nodes_.end());
  for (TTreeNode* n : rest) {
    n->owner_ = nullptr;
    delete n;
  }
}

HWND TTreeNodes::Wnd() const { return owner_->Handle(); }

TTreeNode* TTreeNodes::GetNode(HTREEITEM ItemId) const {
  if (!ItemId || !owner_->HandleAllocated()) return nullptr;
  TVITEM tv;
  tv.mask = TVIF_PARAM | TVIF_HANDLE;
  tv.hItem = ItemId;
  if (!SendMessage(owner_->WindowHandle(), TVM_GETITEM, 0, reinterpret_cast<LPARAM>(&tv))) return nullptr;
  auto* node = reinterpret_cast<TTreeNode*>(tv.lParam);
  return nodes_.count(node) ? node : nullptr;
}

TTreeNode* TTreeNodes::GetFirstNode() const {
  if (!owner_->HandleAllocated()) return nullptr;
  return GetNode(
      reinterpret_cast<HTREEITEM>(SendMessage(owner_->WindowHandle(), TVM_GETNEXTITEM, TVGN_ROOT, 0)));
}

TTreeNode* TTreeNodes::Item(int Index) const {
  TTreeNode* n = GetFirstNode();
  for (int i = 0; n && i < Index; ++i) n = n->GetNext();
  if (!n || Index < 0)
    throw EListError(u"List index out of bounds (" + Utf8ToString(std::to_string(Index)) + u")");
  return n;
}

HTREEITEM TTreeNodes::InsertItem(TTreeNode* node, HTREEITEM parentItem, HTREEITEM insertAfter) {
  TVINSERTSTRUCT is;
  is.hParent = parentItem;
  is.hInsertAfter = insertAfter;
  // Images are asked for when drawn, so OnGetImageIndex can choose them.
  is.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM | TVIF_STATE;
  is.item.pszText = node->text_.data();
  is.item.iImage = I_IMAGECALLBACK;
  is.item.iSelectedImage = I_IMAGECALLBACK;
  is.item.lParam = reinterpret_cast<LPARAM>(node);
  is.item.state = INDEXTOSTATEIMAGEMASK(static_cast<UINT>(std::max(node->stateIndex_, 0))) |
                  (static_cast<UINT>(std::max(node->overlayIndex_ + 1, 0)) << 8);
  is.item.stateMask = TVIS_STATEIMAGEMASK | TVIS_OVERLAYMASK;
  return reinterpret_cast<HTREEITEM>(SendMessage(Wnd(), TVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&is)));
}

TTreeNode* TTreeNodes::InternalAdd(HTREEITEM parentItem, HTREEITEM insertAfter, const String& S, void* Ptr) {
  HWND wnd = Wnd();  // the window exists before the node is made
  (void)wnd;
  TTreeNode* node = owner_->CreateNode();
  if (!node) return nullptr;
  node->owner_ = this;
  node->text_ = S;
  node->data_ = Ptr;
  nodes_.insert(node);
  if (insertAfter == TVI_LAST && (owner_->sortType_ == stText || owner_->sortType_ == stBoth) &&
      !owner_->OnCompare)
    insertAfter = TVI_SORT;
  node->itemId_ = InsertItem(node, parentItem, insertAfter);
  if (!node->itemId_) {
    nodes_.erase(node);
    node->owner_ = nullptr;
    delete node;
    throw EInvalidOperation(u"Failed to create the tree node");
  }
  return node;
}

static HTREEITEM ParentItem(TTreeNode* node) {
  TTreeNode* p = node ? node->Parent() : nullptr;
  return p ? p->ItemId() : TVI_ROOT;
}

TTreeNode* TTreeNodes::AddObject(TTreeNode* Sibling, const String& S, void* Ptr) {
  return InternalAdd(ParentItem(Sibling), TVI_LAST, S, Ptr);
}

TTreeNode* TTreeNodes::AddObjectFirst(TTreeNode* Sibling, const String& S, void* Ptr) {
  return InternalAdd(ParentItem(Sibling), TVI_FIRST, S, Ptr);
}

TTreeNode* TTreeNodes::AddChildObject(TTreeNode* Parent, const String& S, void* Ptr) {
  return InternalAdd(Parent ? Parent->ItemId() : TVI_ROOT, TVI_LAST, S, Ptr);
}

TTreeNode* TTreeNodes::AddChildObjectFirst(TTreeNode* Parent, const String& S, void* Ptr) {
  return InternalAdd(Parent ? Parent->ItemId() : TVI_ROOT, TVI_FIRST, S, Ptr);
}

TTreeNode* TTreeNodes::InsertObject(TTreeNode* Sibling, const String& S, void* Ptr) {
  if (!Sibling) return AddObject(nullptr, S, Ptr);
  TTreeNode* prev = Sibling->getPrevSibling();
  return InternalAdd(ParentItem(Sibling), prev ? prev->ItemId() : TVI_FIRST, S, Ptr);
}

void TTreeNodes::Delete(TTreeNode* Node) {
  if (Node) Node->Delete();
}

void TTreeNodes::Clear() {
  if (owner_->HandleAllocated())
    SendMessage(owner_->WindowHandle(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
  std::vector<TTreeNode*> rest(nodes_.begin(), nodes_.end());
  for (TTreeNode* n : rest) {
    nodes_.erase(n);
    n->owner_ = nullptr;
    delete n;
  }
}

void TTreeNodes::BeginUpdate() {
  if (updateCount_++ == 0 && owner_->HandleAllocated())
    SendMessage(owner_->WindowHandle(), WM_SETREDRAW, FALSE, 0);
}

void TTreeNodes::EndUpdate() {
  if (updateCount_ == 0 || --updateCount_ > 0 || !owner_->HandleAllocated()) return;
  SendMessage(owner_->WindowHandle(), WM_SETREDRAW, TRUE, 0);
  InvalidateRect(owner_->WindowHandle(), nullptr, TRUE);
}

void TTreeNodes::Assign(TPersistent* Source) {
  auto* other = dynamic_cast<TTreeNodes*>(Source);
  if (!other) return TPersistent::Assign(Source);
  Clear();
  // Copies in depth-first order, keeping each node's parent.
  std::unordered_map<TTreeNode*, TTreeNode*> copies;
  for (TTreeNode* n = other->GetFirstNode(); n; n = n->GetNext()) {
    TTreeNode* parent = n->Parent() ? copies[n->Parent()] : nullptr;
    TTreeNode* copy = AddChildObject(parent, n->Text(), n->Data());
    if (!copy) continue;
    copy->Assign(n);
    copies[n] = copy;
  }
}
