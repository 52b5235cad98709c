// The tree view's notifications reflected back to it (CN_NOTIFY): one handler each, turning them
// into the view's virtual hooks and events.
#include "platform/forms/ComCtrls.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/win/Windows.h"

TRENVIK_MESSAGE_MAP(TCustomTreeView) { M.On(CN_NOTIFY, &TCustomTreeView::CNNotify); }

void TCustomTreeView::WndProc(TMessage& Message) {
  bool press = Message.Msg == WM_LBUTTONDOWN || Message.Msg == WM_LBUTTONDBLCLK;
  if (press && DragMode() == dmAutomatic && DragKind() == dkDrag && !Dragging()) {
    Dispatch(Message);
    return;
  }
  inherited::WndProc(Message);
}

void TCustomTreeView::CNNotify(TMessage& Message) {
  auto* hdr = reinterpret_cast<NMHDR*>(Message.LParam);
  auto& nm = *reinterpret_cast<NMTREEVIEW*>(Message.LParam);
  auto& info = *reinterpret_cast<NMTVDISPINFO*>(Message.LParam);
  switch (hdr->code) {
    case TVN_SELCHANGING:
      Message.Result = NotifySelChanging(nm);
      return;
    case TVN_SELCHANGED:
      Message.Result = NotifySelChanged(nm);
      return;
    case TVN_ITEMEXPANDING:
      Message.Result = NotifyExpanding(nm);
      return;
    case TVN_ITEMEXPANDED:
      Message.Result = NotifyExpanded(nm);
      return;
    case TVN_DELETEITEM:
      Message.Result = NotifyDeleteItem(nm);
      return;
    case TVN_BEGINDRAG:
      Message.Result = NotifyBeginDrag(nm);
      return;
    case TVN_BEGINLABELEDIT:
      Message.Result = NotifyBeginLabelEdit(info);
      return;
    case TVN_ENDLABELEDIT:
      Message.Result = NotifyEndLabelEdit(info);
      return;
    case TVN_GETDISPINFO:
      Message.Result = NotifyGetDispInfo(info);
      return;
    case NM_RCLICK:
      Message.Result = NotifyRightClick();
      return;
    case NM_CUSTOMDRAW:
      Message.Result = NotifyCustomDraw(*reinterpret_cast<NMTVCUSTOMDRAW*>(Message.LParam));
      return;
    default:
      Message.Result = 0;
  }
}

LRESULT TCustomTreeView::NotifySelChanging(NMTREEVIEW& nm) {
  return CanChange(GetNodeFromItem(nm.itemNew)) ? 0 : 1;
}

LRESULT TCustomTreeView::NotifySelChanged(NMTREEVIEW& nm) {
  Change(GetNodeFromItem(nm.itemNew));
  return 0;
}

LRESULT TCustomTreeView::NotifyExpanding(NMTREEVIEW& nm) {
  if (manualNotify_) return 0;
  TTreeNode* node = GetNodeFromItem(nm.itemNew);
  bool allow = nm.action == TVE_EXPAND ? CanExpand(node) : CanCollapse(node);
  return allow ? 0 : 1;
}

LRESULT TCustomTreeView::NotifyExpanded(NMTREEVIEW& nm) {
  if (manualNotify_) return 0;
  TTreeNode* node = GetNodeFromItem(nm.itemNew);
  nm.action == TVE_EXPAND ? Expand(node) : Collapse(node);
  return 0;
}

// An item is going: its node is freed, unless the node itself asked for it or has moved on to
// another item, or the window is only being remade.
LRESULT TCustomTreeView::NotifyDeleteItem(NMTREEVIEW& nm) {
  if (detaching_) return 0;
  TTreeNode* node = GetNodeFromItem(nm.itemOld);
  if (!node || node->itemId_ != nm.itemOld.hItem) return 0;
  Delete(node);
  node->itemId_ = nullptr;
  if (!node->deleting_) {
    items_->Forget(node);
    node->owner_ = nullptr;
    delete node;
  }
  return 0;
}

LRESULT TCustomTreeView::NotifyBeginDrag(NMTREEVIEW& nm) {
  TTreeNode* node = GetNodeFromItem(nm.itemNew);
  if (DragMode() == dmAutomatic && DragKind() == dkDrag) {
    if (node) node->SetSelected(true);
    BeginDrag(true);
  }
  return 0;
}

LRESULT TCustomTreeView::NotifyBeginLabelEdit(NMTVDISPINFO& info) {
  TTreeNode* node = GetNodeFromItem(info.item);
  return !readOnly_ && CanEdit(node) ? 0 : 1;
}

LRESULT TCustomTreeView::NotifyEndLabelEdit(NMTVDISPINFO& info) {
  Edit(info.item);
  // The node has taken the text itself (Edit).
  return 0;
}

LRESULT TCustomTreeView::NotifyGetDispInfo(NMTVDISPINFO& info) {
  TTreeNode* node = GetNodeFromItem(info.item);
  if (!node) return 0;
  TValueScope<bool> answering(answeringDispInfo_, true);
  if (info.item.mask & TVIF_IMAGE) {
    GetImageIndex(node);
    info.item.iImage = node->ImageIndex();
  }
  if (info.item.mask & TVIF_SELECTEDIMAGE) {
    GetSelectedIndex(node);
    info.item.iSelectedImage = node->SelectedIndex();
  }
  return 0;
}

LRESULT TCustomTreeView::NotifyRightClick() {
  if (!rightClickSelect_) return 0;
  POINT p;
  GetCursorPos(&p);
  p = ScreenToClient(p);
  if (TTreeNode* node = GetNodeAt(p.x, p.y)) node->SetSelected(true);
  return 0;
}
