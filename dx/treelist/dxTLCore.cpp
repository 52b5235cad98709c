// Construction, the node lists, the update and selection brackets, the option words and the window.
#include <algorithm>
#include <unordered_set>

#include "dx/treelist/dxTL.h"
#include "dx/treelist/dxTLEditStyle.h"
#include "platform/gdi/Gdi.h"
#include "platform/win/Windows.h"

TRENVIK_IMPLEMENT_CLASS(TCustomdxTreeList)

TRENVIK_MESSAGE_MAP(TCustomdxTreeList) {
  M.On(WM_SIZE, &TCustomdxTreeList::WMSize);
  M.On(WM_SETFOCUS, &TCustomdxTreeList::WMSetFocus);
  M.On(WM_KILLFOCUS, &TCustomdxTreeList::WMKillFocus);
  M.On(WM_GETDLGCODE, &TCustomdxTreeList::WMGetDlgCode);
  M.On(WM_TIMER, &TCustomdxTreeList::WMTimer);
  M.On(WM_HSCROLL, &TCustomdxTreeList::WMHScroll);
  M.On(WM_VSCROLL, &TCustomdxTreeList::WMVScroll);
  M.On(WM_CANCELMODE, &TCustomdxTreeList::WMCancelMode);
  M.On(CM_DRAG, &TCustomdxTreeList::CMDrag);
  M.On(CM_CANCELMODE, &TCustomdxTreeList::CMCancelMode);
  M.On(WM_DESTROY, &TCustomdxTreeList::WMDestroy);
  M.On(WM_ERASEBKGND, &TCustomdxTreeList::WMEraseBkgnd);
  M.On(WM_IME_STARTCOMPOSITION, &TCustomdxTreeList::WMImeStartComposition);
  M.On(WM_NCHITTEST, &TCustomdxTreeList::WMNCHitTest);
  M.On(WM_NCCALCSIZE, &TCustomdxTreeList::WMNCCalcSize);
  M.On(WM_NCPAINT, &TCustomdxTreeList::WMNCPaint);
  M.On(CM_CTL3DCHANGED, &TCustomdxTreeList::CMCtl3DChanged);
  M.On(WM_SETCURSOR, &TCustomdxTreeList::WMSetCursor);
  M.On(CM_COLORCHANGED, &TCustomdxTreeList::CMLayoutChange);
  M.On(CM_FONTCHANGED, &TCustomdxTreeList::CMLayoutChange);
  M.On(CM_PARENTFONTCHANGED, &TCustomdxTreeList::CMParentFontChanged);
  M.On(CM_SYSCOLORCHANGE, &TCustomdxTreeList::CMSysColorChange);
  M.On(CM_DESIGNHITTEST, &TCustomdxTreeList::CMDesignHitTest);
  M.On(CM_MOUSEENTER, &TCustomdxTreeList::CMMouseEnter);
  M.On(CM_MOUSELEAVE, &TCustomdxTreeList::CMMouseLeave);
}

TdxTreeListUpdateScope::TdxTreeListUpdateScope(TCustomdxTreeList* TreeList) : treeList_(TreeList) {
  if (treeList_) treeList_->BeginUpdate();
}

TdxTreeListUpdateScope::~TdxTreeListUpdateScope() {
  if (treeList_) treeList_->EndUpdate();
}

TCustomdxTreeList::TCustomdxTreeList(TComponent* AOwner)
    : TCustomdxContainer(AOwner),
      bandFont_(std::make_unique<TFont>()),
      headerFont_(std::make_unique<TFont>()),
      previewFont_(std::make_unique<TFont>()),
      imagesLink_(std::make_unique<TChangeLink>()),
      stateImagesLink_(std::make_unique<TChangeLink>()) {
  headerFont_->Assign(bandFont_.get());
  previewFont_->Assign(bandFont_.get());
  previewFont_->SetColor(clBlue);
  auto fontChanged = [this](TObject* Sender) { FontChanged(Sender); };
  bandFont_->OnChange = fontChanged;
  headerFont_->OnChange = fontChanged;
  previewFont_->OnChange = fontChanged;
  auto imagesChanged = [this](TObject*) {
    if (HandleAllocated()) LayoutChanged();
  };
  imagesLink_->OnChange = imagesChanged;
  stateImagesLink_->OnChange = imagesChanged;
  SetBounds(Left(), Top(), 250, 150);
  SetColor(clWindow);
  SetParentColor(false);
  SetTabStop(true);
  SetControlStyle(TControlStyle{csCaptureMouse, csClickEvents, csOpaque, csDoubleClicks, csDisplayDragImage});
}

TCustomdxTreeList::~TCustomdxTreeList() {
  DetachAndHideEditor();
  ForgetEditCell();
  ClearNodeCache();
  ClearNodes();
  if (images_) images_->UnRegisterChanges(imagesLink_.get());
  if (stateImages_) stateImages_->UnRegisterChanges(stateImagesLink_.get());
}

void TCustomdxTreeList::DetachAndHideEditor() {
  SetComponentState(ComponentState() + TComponentState{csDestroying});
  if (HandleAllocated()) DestroyHandle();
  if (Parent()) SetParent(nullptr);
  if (editor_) {
    editor_->SetHiding(true);
    editor_->HideEdit();
  }
}

// --- Nodes ---

TdxTreeListNode* TCustomdxTreeList::GetItem(int Index) const {
  return Index >= 0 && Index < GetCount() ? roots_[Index] : nullptr;
}

TdxTreeListNode* TCustomdxTreeList::GetLastNode() const {
  if (roots_.empty()) return nullptr;
  TdxTreeListNode* node = roots_.back();
  while (node->GetCount() && node->Expanded()) node = node->GetLastChild();
  return node;
}

TdxTreeListNode* TCustomdxTreeList::Add() { return Insert(nullptr); }

TdxTreeListNode* TCustomdxTreeList::Insert(TdxTreeListNode* Before) {
  TdxTreeListNode* node = CreateNode();
  auto at = Before ? TdxTreeListNode::PlaceIn(roots_, Before) : roots_.end();
  roots_.insert(at, node);
  NodeAdded(node);
  return node;
}

void TCustomdxTreeList::NodeAdded(TdxTreeListNode* Node) {
  ForgetEditCell();
  DoHideEditor(false);
  if (!top_) SetTopVisibleNode(Node);
  if (!focused_) focused_ = top_;
  if (lockCount_ > 0 || IsLoading() || IsDestroying()) return;
  UpdateNodeCache(Node, false);
  TdxTreeListNode* prior = Node->GetPriorParentNode();
  NodeChanged(prior ? prior : Node, true);
}

void TCustomdxTreeList::ClearNodes() {
  bool destroying = IsDestroying();
  if (!destroying) BeginUpdate();
  struct TClearing {
    TCustomdxTreeList* self;
    ~TClearing() {
      self->clearing_ = false;
      self->noCaching_ = false;
    }
  } restore{this};
  ClearNodeCache();
  clearing_ = true;
  noCaching_ = true;
  ClearSelection();
  top_ = focused_ = nullptr;
  selectionAnchor_ = mouseDownNode_ = nullptr;
  ForgetEditCell();
  std::vector<TdxTreeListNode*> roots = std::move(roots_);
  roots_.clear();
  for (TdxTreeListNode* node : roots) delete node;
  std::vector<TdxTreeListNode*> pending = std::move(pending_);
  pending_.clear();
  for (TdxTreeListNode* node : pending) delete node;
  clearing_ = false;
  noCaching_ = false;
  if (!destroying) EndUpdate();
}

void TCustomdxTreeList::DetachNodes(const std::vector<TdxTreeListNode*>& Nodes) {
  for (TdxTreeListNode* node : Nodes) node->leaving_ = true;
  auto isLeaving = [](const TdxTreeListNode* Node) { return Node->leaving_; };
  std::vector<TdxTreeListNode*> parents;
  std::unordered_set<TdxTreeListNode*> seen;
  bool fromRoots = false;
  const TdxTreeListNode* lastParent = nullptr;  // siblings mostly leave together
  for (TdxTreeListNode* node : Nodes) {
    if (!node->parent_)
      fromRoots = true;
    else if (node->parent_ != lastParent && seen.insert(node->parent_).second)
      parents.push_back(node->parent_);
    lastParent = node->parent_;
  }
  if (fromRoots) std::erase_if(roots_, isLeaving);
  for (TdxTreeListNode* parent : parents) {
    std::erase_if(*parent->children_, isLeaving);
    if (!parent->children_->empty()) continue;
    parent->children_.reset();
    parent->hasChildren_ = NodeHasChildren(parent);
    parent->expanded_ = false;
  }
  for (TdxTreeListNode* node : Nodes) {
    node->parent_ = nullptr;
    node->leaving_ = false;
  }
}

void TCustomdxTreeList::PromoteLeavesToRoots(std::vector<TdxTreeListNode*> Leaves) {
  std::vector<TdxTreeListNode*> inner, stack(roots_.begin(), roots_.end());
  size_t leafCount = 0;
  while (!stack.empty()) {
    TdxTreeListNode* node = stack.back();
    stack.pop_back();
    if (!node->children_) {
      ++leafCount;
      continue;
    }
    inner.push_back(node);
    stack.insert(stack.end(), node->children_->begin(), node->children_->end());
  }
  if (leafCount != Leaves.size())
    throw EInvaliddxTreeListOperation(u"The promoted nodes must be every leaf of the tree once");
  TdxTreeListUpdateScope update(this);
  ClearNodeCache();
  ClearSelection();
  top_ = focused_ = nullptr;
  selectionAnchor_ = mouseDownNode_ = nullptr;
  ForgetEditCell();
  for (TdxTreeListNode* leaf : Leaves) leaf->parent_ = nullptr;
  roots_ = std::move(Leaves);
  struct TClearing {
    TCustomdxTreeList* self;
    ~TClearing() {
      self->clearing_ = false;
      self->noCaching_ = false;
    }
  } restore{this};
  clearing_ = true;
  noCaching_ = true;
  // Their children are roots now: each inner node goes alone.
  for (TdxTreeListNode* node : inner) {
    node->children_.reset();
    delete node;
  }
}

void TCustomdxTreeList::FreeNode(TdxTreeListNode* Node) {
  Node->deleting_ = true;
  if (Node->children_) {
    if (clearing_) {
      auto children = std::move(Node->children_);
      for (TdxTreeListNode* child : *children) delete child;
    } else {
      while (Node->GetCount()) delete Node->GetItem(0);
    }
  }
  if (clearing_) {
    pendingWasVisible_ = false;
    DoDeletion(Node, nullptr, false, false, nullptr);
    return;
  }
  TdxTreeListNode* prior = Node->GetPriorParentNode();
  TdxTreeListNode* next = GetNextVisibleNode(Node);
  bool isLast = Node->IsLast();
  bool visible = Node->IsVisible();
  bool refocus = visible && !(Node->parent_ && Node->parent_->deleting_);
  // A last child takes its level's row footers along; the sibling that becomes last gets them, so
  // a height it cached without them must be measured again.
  if (isLast && prior && prior->parent_ == Node->parent_) ResetRowHeightsOf(prior);
  Node->Detach();
  pendingWasVisible_ = visible;
  DoDeletion(Node, prior, refocus, isLast, next);
  pendingWasVisible_ = false;
}

void TCustomdxTreeList::NodeChanged(TdxTreeListNode* Node, bool Layout) {
  if (!Node || Node->Deleting() || lockCount_ > 0 || IsDestroying() || !Node->IsVisible()) return;
  if (!HandleAllocated()) return;
  RECT r;
  if (Layout) {
    UpdateScrollBars();
    GetRowsFromNodeRect(Node, r);
  } else {
    GetNodeRect(Node, r);
  }
  if (r.left != -1 || r.top != -1) ::InvalidateRect(Handle(), &r, FALSE);
}

bool TCustomdxTreeList::FocusNode(TdxTreeListNode* Node) {
  SetFocusedNode(Node, GetFocusedColumn(), false);
  return true;
}

void TCustomdxTreeList::MakeNodeVisible(TdxTreeListNode* Node) {
  if (!Node) return;
  if (!Node->IsVisible()) {
    TdxTreeListUpdateScope update(this);
    for (TdxTreeListNode* p = Node->Parent(); p; p = p->Parent()) p->SetExpanded(true);
  }
  int index = GetAbsoluteIndex(Node);
  int topIndex = GetTopIndex();
  if (index < 0) return;
  if (index < topIndex)
    SetTopIndex(index);
  else if (index >= topIndex + fullVisibleRowCount_)
    SetTopIndex(GetTopIndexForLastRow(index));
}

TdxTreeListNode* TCustomdxTreeList::GetNavigationNode(TdxTreeListNode* Node, int Kind, bool IgnoreExpansion) {
  if (!Node) return nullptr;
  switch (Kind) {
    case 0:
      return GetFirstNode();
    case 1:
      return IgnoreExpansion ? Node->GetPrev() : GetPrevVisibleNode(Node);
    case 2:
      return IgnoreExpansion ? Node->GetNext() : GetNextVisibleNode(Node);
    case 3: {
      if (!IgnoreExpansion) return GetLastNode();
      TdxTreeListNode* n = roots_.empty() ? nullptr : roots_.back();
      while (n && n->GetCount()) n = n->GetLastChild();
      return n;
    }
    default:
      return nullptr;
  }
}

TdxTreeListNode* TCustomdxTreeList::FocusNavigationNode(int Kind, bool IgnoreExpansion) {
  TdxTreeListNode* node = GetNavigationNode(focused_, Kind, IgnoreExpansion);
  if (!node) return nullptr;
  bool follow = IsMultiSelect() && GetSelectedCount() == 1 && focused_ && IsNodeSelected(focused_);
  SetFocusedNode(node, GetFocusedColumn(), true);
  if (follow) {
    BeginSelection();
    ClearSelection();
    SetNodeSelected(node, true);
    EndSelection();
  }
  return node;
}

bool TCustomdxTreeList::IsFirstNodeFocused() { return roots_.empty() || focused_ == GetFirstNode(); }

bool TCustomdxTreeList::IsLastNodeFocused() { return roots_.empty() || focused_ == GetLastNode(); }

// --- Brackets ---

void TCustomdxTreeList::BeginUpdate() {
  ++lockCount_;
  if (state_ == tsNodeDown) newItemRowClick_ = true;
  ForgetEditCell();
  // A sizing, pressed or dragged header or band ends with its feedback taken off the screen.
  if (state_ != tsNormal && state_ != tsEditing && state_ != tsNodeDown && state_ != tsNodeDragging)
    CancelDragSizing();
  SetState(tsNormal);
  DoHideEditor(false);
  ClearNodeCache();
  BeginSelection();
}

void TCustomdxTreeList::EndUpdate() {
  --lockCount_;
  struct TCloseSelection {
    TCustomdxTreeList* self;
    ~TCloseSelection() { self->EndSelection(); }
  } close{this};
  LayoutChanged();
}

void TCustomdxTreeList::EndUpdateNoLayout() {
  --lockCount_;
  EndSelection();
}

void TCustomdxTreeList::LayoutChanged() {
  if (lockCount_ > 0 || IsLoading() || IsDestroying()) return;
  ++lockCount_;
  struct TUnlock {
    int& count;
    ~TUnlock() { --count; }
  } unlock{lockCount_};
  RunLayoutPass();
}

void TCustomdxTreeList::BeginSelection() {
  if (selectionLock_++ == 0) selectionCountAtBegin_ = GetSelectedCount();
}

void TCustomdxTreeList::EndSelection() {
  if (--selectionLock_ == 0 && GetSelectedCount() != selectionCountAtBegin_) DoSelectedCountChange();
}

// --- Options ---

void TCustomdxTreeList::SetOptionFlags(DWORD Value) {
  if (Value == optionFlags_) return;
  CloseEditor();
  TdxTreeListUpdateScope update(this);
  DWORD changed = Value ^ optionFlags_;
  if ((Value & dxtlo::RowSelect) && (changed & dxtlo::RowSelect)) optionFlagsEx_ &= ~dxtlox::InvertSelect;
  if ((Value & dxtlo::AutoSort) && (changed & dxtlo::AutoSort)) ClearSortedColumns();
  optionFlags_ = Value;
  if (!IsLoading()) {
    ClearSelection();
    if (focused_) SetNodeSelected(focused_, true);
  }
}

void TCustomdxTreeList::SetOptionFlagsEx(DWORD Value) {
  if (Value == optionFlagsEx_) return;
  CloseEditor();
  TdxTreeListUpdateScope update(this);
  DWORD changed = Value ^ optionFlagsEx_;
  if ((Value & dxtlox::InvertSelect) && (changed & dxtlox::InvertSelect)) optionFlags_ &= ~dxtlo::RowSelect;
  if (((changed & dxtlox::MultiSort) && !(Value & dxtlox::MultiSort)) || (changed & dxtlox::AnsiSort))
    ClearSortedColumns();
  if ((changed & dxtlox::AutoSearch) && !(Value & dxtlox::AutoSearch)) searchActive_ = false;
  optionFlagsEx_ = Value;
}

void TCustomdxTreeList::SetState(TdxTreeListState Value) {
  state_ = Value;
  if (Value == tsEditing) searchActive_ = false;
  if (Value == tsEditing && editor_) editor_->CaretToEnd();
}

void TCustomdxTreeList::SetNewItemRowActive(bool Value) {
  if (Value && !showNewItemRow_) return;
  if (newItemRowActive_ == Value) return;
  newItemRowActive_ = Value;
  if (HandleAllocated()) Invalidate();
}

void TCustomdxTreeList::SetShowNewItemRow(bool V) {
  if (!V && newItemRowActive_) SetNewItemRowActive(false);
  SetLayoutValue(showNewItemRow_, V);
}

// --- Events ---

void TCustomdxTreeList::DoCollapsed(TdxTreeListNode* Node) {
  if (OnCollapsed) OnCollapsed(this, Node);
}
void TCustomdxTreeList::DoExpanded(TdxTreeListNode* Node) {
  if (OnExpanded) OnExpanded(this, Node);
}
void TCustomdxTreeList::DoCollapsing(TdxTreeListNode* Node, bool& Allow) {
  if (OnCollapsing) OnCollapsing(this, Node, Allow);
}
void TCustomdxTreeList::DoExpanding(TdxTreeListNode* Node, bool& Allow) {
  if (OnExpanding) OnExpanding(this, Node, Allow);
}
void TCustomdxTreeList::DoEditing(TdxTreeListNode* Node, bool& Allow) {
  if (OnEditing) OnEditing(this, Node, Allow);
}
void TCustomdxTreeList::DoEdited(TdxTreeListNode* Node) {
  if (OnEdited) OnEdited(this, Node);
}
void TCustomdxTreeList::DoChangeNode(TdxTreeListNode* OldNode, TdxTreeListNode* Node) {
  if (OnChangeNode) OnChangeNode(this, OldNode, Node);
}
void TCustomdxTreeList::DoChangeColumn(TdxTreeListNode* Node, int Column) {
  if (OnChangeColumn) OnChangeColumn(this, Node, Column);
}
void TCustomdxTreeList::DoChangeLeftCoord() {
  if (OnChangeLeftCoord) OnChangeLeftCoord(this);
}
void TCustomdxTreeList::DoSelectedCountChange() {
  if (IsDestroying() || selectionLock_ > 0) return;
  if (OnSelectedCountChange) OnSelectedCountChange(this);
}

// --- Window ---

void TCustomdxTreeList::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  Params.Style |= WS_CLIPCHILDREN | WS_TABSTOP;
  if (scrollBars_ == ssBoth || scrollBars_ == ssVertical) Params.Style |= WS_VSCROLL;
  if (scrollBars_ == ssBoth || scrollBars_ == ssHorizontal) Params.Style |= WS_HSCROLL;
  Params.WindowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
  if (borderStyle_ == bsSingle && lookAndFeel_ == lfStandard) {
    if (Ctl3D())
      Params.ExStyle |= WS_EX_CLIENTEDGE;
    else
      Params.Style |= WS_BORDER;
  } else if (borderStyle_ == bsNone) {
    Params.Style &= ~WS_BORDER;
  }
}

void TCustomdxTreeList::CreateWnd() {
  inherited::CreateWnd();
  LayoutChanged();
}

void TCustomdxTreeList::Loaded() {
  inherited::Loaded();
  LayoutChanged();
}

void TCustomdxTreeList::DoExit() {
  CloseEditor();
  inherited::DoExit();
}

void TCustomdxTreeList::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation != opRemove || (AComponent != images_ && AComponent != stateImages_)) return;
  // The list is being destroyed: it is only forgotten, never called.
  TdxTreeListUpdateScope update(this);
  if (AComponent == images_) images_ = nullptr;
  if (AComponent == stateImages_) stateImages_ = nullptr;
}

void TCustomdxTreeList::WMSize(TWMSize& Message) {
  inherited::Dispatch(Message);
  HideEditor();
  LayoutChanged();
}

void TCustomdxTreeList::WMSetFocus(TWMSetFocus& Message) {
  inherited::Dispatch(Message);
  if (focused_) NodeChanged(focused_, false);
}

void TCustomdxTreeList::WMKillFocus(TWMSetFocus& Message) {
  inherited::Dispatch(Message);
  if (focused_) NodeChanged(focused_, false);
  if (editor_ && editor_->HandleAllocated() && Message.FocusedWnd() == editor_->Handle()) return;
  // Losing the focus ends a sizing or a header or band drag as cancelled.
  if (IsDragSizingState(state_)) CancelDragSizing();
  if (state_ == tsNodeDown) SetState(tsNormal);
}

bool TCustomdxTreeList::IsControlFocused() {
  HWND focus = GetFocus();
  if (!HandleAllocated() || !focus) return false;
  for (HWND w = focus; w; w = GetParent(w))
    if (w == Handle()) return true;
  return false;
}

bool TCustomdxTreeList::WantTabs() {
  return HasOption(dxtlo::Tabs) && (GetKeyState(VK_CONTROL) & 0x8000) == 0;
}

void TCustomdxTreeList::EditorFocusChanged() { InvalidateSelection(); }

// --- Appearance setters with side effects ---

void TCustomdxTreeList::SetDefaultRowHeight(int Value) {
  defaultRowHeight_ = Value;
  rowHeightAssigned_ = true;
  LayoutChanged();
}

void TCustomdxTreeList::SetLookAndFeel(TdxLookAndFeel V) {
  if (lookAndFeel_ == V) return;
  ForgetEditCell();
  DoHideEditor(false);
  lookAndFeel_ = V;
  SetScrollBarStyle(V == lfUltraFlat ? 2 : 0);
  if (HandleAllocated()) RecreateWnd();
  LayoutChanged();
}

void TCustomdxTreeList::SetScrollBars(TScrollStyle V) {
  if (scrollBars_ == V) return;
  scrollBars_ = V;
  if (HandleAllocated()) RecreateWnd();
}

void TCustomdxTreeList::SetBorderStyle(TBorderStyle V) {
  if (borderStyle_ == V) return;
  borderStyle_ = V;
  if (HandleAllocated()) RecreateWnd();
}

void TCustomdxTreeList::SetImageList(TCustomImageList*& Field, TCustomImageList* Value) {
  if (Field == Value) return;
  TChangeLink* link = &Field == &images_ ? imagesLink_.get() : stateImagesLink_.get();
  TdxTreeListUpdateScope update(this);
  if (Field) Field->UnRegisterChanges(link);
  Field = Value;
  if (Value) {
    Value->RegisterChanges(link);
    Value->FreeNotification(this);
  }
}

void TCustomdxTreeList::FontChanged(TObject*) {
  if (!IsLoading() && !copyingParentFont_) SetParentFont(false);
  LayoutChanged();
}

std::unique_ptr<TdxEditStyle> TCustomdxTreeList::CreateEditStyle(TdxInplaceEdit* Editor) {
  auto style = std::make_unique<TdxTreeListEditStyle>(Editor, this);
  style->LinkDefaultController();
  return style;
}
