// TCustomTreeView: the window's styles from the properties, image lists, the view's state, and the
// nodes kept across a remade window.
#include <unordered_map>

#include "platform/classes/Published.h"
#include "platform/forms/ComCtrls.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/rtl/StrUtils.h"
#include "platform/win/Windows.h"

TRENVIK_IMPLEMENT_CLASS(TCustomTreeView)

TRENVIK_PUBLISHED(TTreeView) {
  P.Property("AutoExpand", &TTreeView::AutoExpand, &TTreeView::SetAutoExpand).Default(false);
  P.Property("BorderStyle", &TTreeView::BorderStyle, &TTreeView::SetBorderStyle).Default(bsSingle);
  P.Property("HideSelection", &TTreeView::HideSelection, &TTreeView::SetHideSelection).Default(true);
  P.Property("HotTrack", &TTreeView::HotTrack, &TTreeView::SetHotTrack).Default(false);
  P.Property("Indent", &TTreeView::Indent, &TTreeView::SetIndent);
  P.Property("ReadOnly", &TTreeView::ReadOnly, &TTreeView::SetReadOnly).Default(false);
  P.Property("RightClickSelect", &TTreeView::RightClickSelect, &TTreeView::SetRightClickSelect)
      .Default(false);
  P.Property("RowSelect", &TTreeView::RowSelect, &TTreeView::SetRowSelect).Default(false);
  P.Property("ShowButtons", &TTreeView::ShowButtons, &TTreeView::SetShowButtons).Default(true);
  P.Property("ShowLines", &TTreeView::ShowLines, &TTreeView::SetShowLines).Default(true);
  P.Property("ShowRoot", &TTreeView::ShowRoot, &TTreeView::SetShowRoot).Default(true);
  P.Property("SortType", &TTreeView::SortType, &TTreeView::SetSortType).Default(stNone);
  P.Property("ToolTips", &TTreeView::ToolTips, &TTreeView::SetToolTips).Default(true);
  P.Event("OnChange", &TTreeView::OnChange);
  P.Event("OnChanging", &TTreeView::OnChanging);
  P.Event("OnCollapsed", &TTreeView::OnCollapsed);
  P.Event("OnCollapsing", &TTreeView::OnCollapsing);
  P.Event("OnCompare", &TTreeView::OnCompare);
  P.Event("OnDeletion", &TTreeView::OnDeletion);
  P.Event("OnEdited", &TTreeView::OnEdited);
  P.Event("OnEditing", &TTreeView::OnEditing);
  P.Event("OnExpanded", &TTreeView::OnExpanded);
  P.Event("OnExpanding", &TTreeView::OnExpanding);
  P.Event("OnGetImageIndex", &TTreeView::OnGetImageIndex);
  P.Event("OnGetSelectedIndex", &TTreeView::OnGetSelectedIndex);
}

TCustomTreeView::TCustomTreeView(TComponent* AOwner) : TWinControl(AOwner) {
  SetControlStyle(TControlStyle{csCaptureMouse, csDoubleClicks});
  SetBounds(Left(), Top(), 121, 97);
  SetTabStop(true);
  SetParentColor(false);
  SetColor(clWindow);
  items_ = std::make_unique<TTreeNodes>(this);
  canvas_ = std::make_unique<TControlCanvas>();
  canvas_->SetControl(this);
}

TCustomTreeView::~TCustomTreeView() {
  // The nodes go while the view is whole, so OnDeletion still sees it.
  items_->Clear();
  saved_.clear();
}

DWORD TCustomTreeView::TreeStyle() const {
  DWORD s = 0;
  if (showButtons_) s |= TVS_HASBUTTONS;
  if (showLines_) s |= TVS_HASLINES;
  if (showRoot_) s |= TVS_LINESATROOT;
  if (!readOnly_) s |= TVS_EDITLABELS;
  if (!hideSelection_) s |= TVS_SHOWSELALWAYS;
  if (!toolTips_) s |= TVS_NOTOOLTIPS;
  if (rowSelect_) s |= TVS_FULLROWSELECT;
  if (hotTrack_) s |= TVS_TRACKSELECT;
  return s;
}

void TCustomTreeView::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  CreateSubClass(Params, kTreeViewClassName);
  Params.Style |= TreeStyle();
  if (borderStyle_ == bsSingle) {
    if (Ctl3D())
      Params.ExStyle |= WS_EX_CLIENTEDGE;
    else
      Params.Style |= WS_BORDER;
  }
}

void TCustomTreeView::CreateWnd() {
  inherited::CreateWnd();
  HWND h = WindowHandle();
  SendMessage(h, TVM_SETINDENT, static_cast<WPARAM>(indent_), 0);
  ApplyImages();
  RestoreNodes();
}

void TCustomTreeView::DestroyWnd() {
  if (HandleAllocated()) {
    SaveNodes();
    TValueScope<bool> detaching(detaching_, true);
    inherited::DestroyWnd();
  }
}

void TCustomTreeView::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == images_) SetImages(nullptr);
  if (AComponent == stateImages_) SetStateImages(nullptr);
}

// The window's styles follow the properties without remaking it.
void TCustomTreeView::SetStyleFlag(bool& flag, bool value) {
  if (flag == value) return;
  flag = value;
  if (!HandleAllocated()) return;
  HWND h = WindowHandle();
  constexpr DWORD kOwn = TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_EDITLABELS |
                         TVS_SHOWSELALWAYS | TVS_NOTOOLTIPS | TVS_FULLROWSELECT | TVS_TRACKSELECT;
  DWORD style = static_cast<DWORD>(GetWindowLong(h, GWL_STYLE));
  SetWindowLong(h, GWL_STYLE, static_cast<LONG>((style & ~kOwn) | TreeStyle()));
  InvalidateRect(h, nullptr, TRUE);
}

void TCustomTreeView::SetBorderStyle(TBorderStyle Value) {
  if (borderStyle_ == Value) return;
  borderStyle_ = Value;
  RecreateWnd();
}

void TCustomTreeView::SetSortType(TSortType Value) {
  if (sortType_ == Value) return;
  sortType_ = Value;
  if ((Value == stText || Value == stBoth) && HandleAllocated()) AlphaSort(true);
}

int TCustomTreeView::Indent() {
  if (HandleAllocated()) indent_ = static_cast<int>(SendMessage(WindowHandle(), TVM_GETINDENT, 0, 0));
  return indent_;
}

void TCustomTreeView::SetIndent(int Value) {
  indent_ = Value;
  if (HandleAllocated()) SendMessage(WindowHandle(), TVM_SETINDENT, static_cast<WPARAM>(Value), 0);
}

void TCustomTreeView::ApplyImages() {
  if (!HandleAllocated()) return;
  HWND h = WindowHandle();
  SendMessage(h, TVM_SETIMAGELIST, TVSIL_NORMAL,
              reinterpret_cast<LPARAM>(images_ ? images_->Handle() : nullptr));
  SendMessage(h, TVM_SETIMAGELIST, TVSIL_STATE,
              reinterpret_cast<LPARAM>(stateImages_ ? stateImages_->Handle() : nullptr));
}

void TCustomTreeView::SetImages(TCustomImageList* Value) {
  images_ = Value;
  if (Value) Value->FreeNotification(this);
  ApplyImages();
}

void TCustomTreeView::SetStateImages(TCustomImageList* Value) {
  stateImages_ = Value;
  if (Value) Value->FreeNotification(this);
  ApplyImages();
}

TTreeNode* TCustomTreeView::Selected() const {
  if (!HandleAllocated()) return nullptr;
  return items_->GetNode(
      reinterpret_cast<HTREEITEM>(SendMessage(WindowHandle(), TVM_GETNEXTITEM, TVGN_CARET, 0)));
}

void TCustomTreeView::SetSelected(TTreeNode* Value) {
  if (Value)
    Value->SetSelected(true);
  else if (HandleAllocated())
    SendMessage(WindowHandle(), TVM_SELECTITEM, TVGN_CARET, 0);
}

TTreeNode* TCustomTreeView::TopItem() const {
  if (!HandleAllocated()) return nullptr;
  return items_->GetNode(
      reinterpret_cast<HTREEITEM>(SendMessage(WindowHandle(), TVM_GETNEXTITEM, TVGN_FIRSTVISIBLE, 0)));
}

void TCustomTreeView::SetTopItem(TTreeNode* Value) {
  if (Value && HandleAllocated())
    SendMessage(WindowHandle(), TVM_SELECTITEM, TVGN_FIRSTVISIBLE, reinterpret_cast<LPARAM>(Value->ItemId()));
}

TTreeNode* TCustomTreeView::DropTarget() const {
  if (!HandleAllocated()) return nullptr;
  return items_->GetNode(
      reinterpret_cast<HTREEITEM>(SendMessage(WindowHandle(), TVM_GETNEXTITEM, TVGN_DROPHILITE, 0)));
}

void TCustomTreeView::SetDropTarget(TTreeNode* Value) {
  if (!HandleAllocated()) return;
  SendMessage(WindowHandle(), TVM_SELECTITEM, TVGN_DROPHILITE,
              reinterpret_cast<LPARAM>(Value ? Value->ItemId() : nullptr));
}

TTreeNode* TCustomTreeView::GetNodeAt(int X, int Y) {
  TVHITTESTINFO info;
  info.pt = POINT{X, Y};
  return items_->GetNode(
      reinterpret_cast<HTREEITEM>(SendMessage(Handle(), TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&info))));
}

THitTests TCustomTreeView::GetHitTestInfoAt(int X, int Y) {
  TVHITTESTINFO info;
  info.pt = POINT{X, Y};
  SendMessage(Handle(), TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&info));
  static const std::pair<UINT, THitTest> kMap[] = {
      {TVHT_ABOVE, htAbove},           {TVHT_BELOW, htBelow},         {TVHT_NOWHERE, htNowhere},
      {TVHT_ONITEMBUTTON, htOnButton}, {TVHT_ONITEMICON, htOnIcon},   {TVHT_ONITEMINDENT, htOnIndent},
      {TVHT_ONITEMLABEL, htOnLabel},   {TVHT_ONITEMRIGHT, htOnRight}, {TVHT_ONITEMSTATEICON, htOnStateIcon},
      {TVHT_TOLEFT, htToLeft},         {TVHT_TORIGHT, htToRight}};
  THitTests result;
  for (auto [flag, test] : kMap)
    if (info.flags & flag) result += THitTests{test};
  if (info.flags & TVHT_ONITEM) result += THitTests{htOnItem};
  return result;
}

bool TCustomTreeView::IsEditing() const {
  return HandleAllocated() && SendMessage(WindowHandle(), TVM_GETEDITCONTROL, 0, 0) != 0;
}

void TCustomTreeView::FullExpand() {
  for (TTreeNode* n = items_->GetFirstNode(); n; n = n->getNextSibling()) n->Expand(true);
}

void TCustomTreeView::FullCollapse() {
  for (TTreeNode* n = items_->GetFirstNode(); n; n = n->getNextSibling()) n->Collapse(true);
}

bool TCustomTreeView::AlphaSort(bool ARecurse) {
  if (!HandleAllocated()) return false;
  TVSORTCB cb;
  cb.hParent = TVI_ROOT;
  struct TContext {
    TCustomTreeView* view;
  } context{this};
  cb.lParam = reinterpret_cast<LPARAM>(&context);
  cb.lpfnCompare = [](LPARAM a, LPARAM b, LPARAM c) {
    auto* view = reinterpret_cast<TContext*>(c)->view;
    auto* na = reinterpret_cast<TTreeNode*>(a);
    auto* nb = reinterpret_cast<TTreeNode*>(b);
    int result = AnsiCompareText(na->Text(), nb->Text());
    if (view->OnCompare) view->OnCompare(view, na, nb, 0, result);
    return result;
  };
  return SendMessage(WindowHandle(), TVM_SORTCHILDRENCB, ARecurse, reinterpret_cast<LPARAM>(&cb)) != 0;
}

// --- Virtual hooks with the events ---

TTreeNode* TCustomTreeView::CreateNode() { return new TTreeNode(items_.get()); }

bool TCustomTreeView::CanChange(TTreeNode* Node) {
  bool allow = true;
  if (OnChanging) OnChanging(this, Node, allow);
  return allow;
}

void TCustomTreeView::Change(TTreeNode* Node) {
  if (OnChange) OnChange(this, Node);
}

bool TCustomTreeView::CanExpand(TTreeNode* Node) {
  bool allow = true;
  if (OnExpanding) OnExpanding(this, Node, allow);
  return allow;
}

void TCustomTreeView::Expand(TTreeNode* Node) {
  if (OnExpanded) OnExpanded(this, Node);
}

bool TCustomTreeView::CanCollapse(TTreeNode* Node) {
  bool allow = true;
  if (OnCollapsing) OnCollapsing(this, Node, allow);
  return allow;
}

void TCustomTreeView::Collapse(TTreeNode* Node) {
  if (OnCollapsed) OnCollapsed(this, Node);
}

bool TCustomTreeView::CanEdit(TTreeNode* Node) {
  bool allow = true;
  if (OnEditing) OnEditing(this, Node, allow);
  return allow;
}

void TCustomTreeView::Edit(const TVITEM& Item) {
  if (!Item.pszText) return;
  String s = Item.pszText;
  TTreeNode* node = GetNodeFromItem(Item);
  if (OnEdited) OnEdited(this, node, s);
  if (node) node->SetText(s);
}

void TCustomTreeView::Delete(TTreeNode* Node) {
  if (OnDeletion) OnDeletion(this, Node);
}

void TCustomTreeView::GetImageIndex(TTreeNode* Node) {
  if (OnGetImageIndex) OnGetImageIndex(this, Node);
}

void TCustomTreeView::GetSelectedIndex(TTreeNode* Node) {
  if (OnGetSelectedIndex) OnGetSelectedIndex(this, Node);
}

TTreeNode* TCustomTreeView::GetNodeFromItem(const TVITEM& Item) const {
  if (Item.mask & TVIF_PARAM) {
    auto* node = reinterpret_cast<TTreeNode*>(Item.lParam);
    if (items_->nodes_.count(node)) return node;
  }
  return items_->GetNode(Item.hItem);
}

// --- The nodes across a remade window ---

void TCustomTreeView::SaveNodes() {
  saved_.clear();
  savedSelected_ = Selected();
  std::unordered_map<TTreeNode*, int> index;
  for (TTreeNode* n = items_->GetFirstNode(); n; n = n->GetNext()) {
    TVITEM tv;
    tv.mask = TVIF_CHILDREN | TVIF_HANDLE;
    tv.hItem = n->ItemId();
    SendMessage(WindowHandle(), TVM_GETITEM, 0, reinterpret_cast<LPARAM>(&tv));
    TTreeNode* parent = n->Parent();
    index[n] = static_cast<int>(saved_.size());
    saved_.push_back(TSavedNode{n, parent ? index[parent] : -1, n->Expanded(),
                                tv.cChildren != 0 && !n->getFirstChild(), tv.cChildren});
  }
  for (TSavedNode& s : saved_) s.node->itemId_ = nullptr;
}

void TCustomTreeView::RestoreNodes() {
  if (saved_.empty()) return;
  std::vector<TSavedNode> saved = std::move(saved_);
  saved_.clear();
  for (TSavedNode& s : saved) {
    HTREEITEM parent = s.parent >= 0 ? saved[static_cast<size_t>(s.parent)].node->itemId_ : TVI_ROOT;
    s.node->itemId_ = items_->InsertItem(s.node, parent, TVI_LAST);
    if (s.hasChildrenSet) s.node->SetHasChildren(true);
  }
  for (TSavedNode& s : saved)
    if (s.expanded) s.node->SetState(TVIS_EXPANDED | TVIS_EXPANDEDONCE, TVIS_EXPANDED | TVIS_EXPANDEDONCE);
  if (savedSelected_) savedSelected_->SetSelected(true);
  savedSelected_ = nullptr;
}
