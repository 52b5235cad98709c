// Selection, drop highlight and expansion, with their notifications in the platform's order.
#include "platform/forms/native/NativeCommon.h"
#include "platform/forms/native/TreeViewState.h"
#include "platform/win/Windows.h"

LRESULT TNativeTreeView::Notify(UINT code, NMHDR& header) { return NotifyParent(hwnd_, code, &header); }

LRESULT TNativeTreeView::NotifyTreeView(UINT code, UINT action, TTreeItem* oldItem, TTreeItem* newItem,
                                        POINT pt) {
  NMTREEVIEW nm;
  nm.action = action;
  FillNotifyItem(oldItem, nm.itemOld);
  FillNotifyItem(newItem, nm.itemNew);
  nm.ptDrag = pt;
  return Notify(code, nm.hdr);
}

// TVN_SELCHANGING (which may refuse), the change, the item made visible, TVN_SELCHANGED.
bool TNativeTreeView::Select(TTreeItem* item, UINT action) {
  if (item == selected_) {
    if (item) EnsureVisible(item);
    return true;
  }
  TTreeItem* old = selected_;
  if (NotifyTreeView(TVN_SELCHANGING, action, old, item)) return false;
  // The handler may have removed either item.
  if (old && !items_.count(old)) old = nullptr;
  if (item && !items_.count(item)) return false;
  if (selected_ && items_.count(selected_)) {
    selected_->state &= ~TVIS_SELECTED;
    InvalidateItem(selected_);
  }
  selected_ = item;
  if (item) {
    item->state |= TVIS_SELECTED;
    EnsureVisible(item);
    InvalidateItem(item);
  }
  NotifyTreeView(TVN_SELCHANGED, action, old, item && items_.count(item) ? item : nullptr);
  return true;
}

bool TNativeTreeView::SelectRelation(UINT code, TTreeItem* item) {
  switch (code) {
    case TVGN_CARET:
      return Select(item, TVC_UNKNOWN);
    case TVGN_DROPHILITE:
      SetDropHilite(item);
      return true;
    case TVGN_FIRSTVISIBLE:
      if (!item) return false;
      EnsureVisible(item);
      EnsureRows();
      if (item->row >= 0) SetTop(item->row);
      return true;
    default:
      return false;
  }
}

void TNativeTreeView::SetDropHilite(TTreeItem* item) {
  if (item == dropHilite_) return;
  if (dropHilite_) {
    dropHilite_->state &= ~TVIS_DROPHILITED;
    InvalidateItem(dropHilite_);
  }
  dropHilite_ = item;
  if (item) {
    item->state |= TVIS_DROPHILITED;
    InvalidateItem(item);
  }
  // The selected item shows unselected while another is the drop target.
  if (selected_) InvalidateItem(selected_);
}

// A user's expansion (button, keys, double click) always notifies; TVM_EXPAND notifies until the
// item has been expanded once.
bool TNativeTreeView::Expand(TTreeItem* item, UINT code, bool byUser) {
  if (!item || !HasChildren(item)) return false;
  UINT action = code & TVE_TOGGLE;
  bool expand = action == TVE_EXPAND || (action == TVE_TOGGLE && !item->Expanded());
  bool reset = (code & TVE_COLLAPSERESET) != 0 && !expand;
  if (expand == item->Expanded() && !reset) return true;
  bool notify = byUser || !(item->state & TVIS_EXPANDEDONCE);
  if (notify) {
    if (NotifyTreeView(TVN_ITEMEXPANDING, expand ? TVE_EXPAND : TVE_COLLAPSE, nullptr, item)) return false;
    if (!items_.count(item)) return false;
  }
  if (expand) {
    item->state |= TVIS_EXPANDED | TVIS_EXPANDEDONCE;
  } else {
    item->state &= ~TVIS_EXPANDED;
    if (reset) {
      item->state &= ~TVIS_EXPANDEDONCE;
      while (item->first) Delete(item->first);
    }
  }
  RowsChanged();
  if (!expand && selected_ && selected_ != item) {
    for (TTreeItem* p = selected_->parent; p; p = p->parent)
      if (p == item) {
        Select(item, TVC_UNKNOWN);
        break;
      }
  }
  if (notify && items_.count(item))
    NotifyTreeView(TVN_ITEMEXPANDED, expand ? TVE_EXPAND : TVE_COLLAPSE, nullptr, item);
  return true;
}

// Expands the item's collapsed ancestors and scrolls it into view.
void TNativeTreeView::EnsureVisible(TTreeItem* item) {
  std::vector<TTreeItem*> chain;
  for (TTreeItem* p = item->parent; p && p != root_.get(); p = p->parent) chain.push_back(p);
  for (auto it = chain.rbegin(); it != chain.rend(); ++it)
    if (!(*it)->Expanded()) Expand(*it, TVE_EXPAND, false);
  if (!items_.count(item)) return;
  EnsureRows();
  if (item->row < 0) return;
  int page = std::max(1, PageRows());
  if (item->row < top_)
    SetTop(item->row);
  else if (item->row >= top_ + page)
    SetTop(item->row - page + 1);
}
