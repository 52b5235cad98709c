// The tree view's items: insertion, deletion, their fields and relations, sorting.
#include <algorithm>

#include "platform/forms/native/NativeCommon.h"
#include "platform/forms/native/TreeViewState.h"
#include "platform/rtl/StrUtils.h"
#include "platform/win/Windows.h"

namespace {

void Unlink(TTreeItem* item) {
  TTreeItem* parent = item->parent;
  (item->prev ? item->prev->next : parent->first) = item->next;
  (item->next ? item->next->prev : parent->last) = item->prev;
  item->prev = item->next = nullptr;
}

void LinkAfter(TTreeItem* parent, TTreeItem* after, TTreeItem* item) {
  item->parent = parent;
  item->prev = after;
  item->next = after ? after->next : parent->first;
  (item->next ? item->next->prev : parent->last) = item;
  (after ? after->next : parent->first) = item;
}

// The fields a TVITEM's mask names, for TVM_INSERTITEM and TVM_SETITEM alike.
void ApplyFields(TTreeItem* item, const TVITEM& tv) {
  if (tv.mask & TVIF_TEXT) {
    item->textCallback = tv.pszText == LPSTR_TEXTCALLBACK;
    item->text = item->textCallback || !tv.pszText ? String() : String(tv.pszText);
  }
  if (tv.mask & TVIF_IMAGE) item->image = tv.iImage;
  if (tv.mask & TVIF_SELECTEDIMAGE) item->selectedImage = tv.iSelectedImage;
  if (tv.mask & TVIF_PARAM) item->param = tv.lParam;
  if (tv.mask & TVIF_CHILDREN) {
    item->children = tv.cChildren;
    item->childrenSet = true;
  }
  if (tv.mask & TVIF_STATE) item->state = (item->state & ~tv.stateMask) | (tv.state & tv.stateMask);
}

template <class F>
void PreOrder(TTreeItem* item, F&& f) {
  f(item);
  for (TTreeItem* c = item->first; c; c = c->next) PreOrder(c, f);
}

}  // namespace

DWORD TNativeTreeView::Style() const { return WindowStyle(hwnd_); }

TTreeItem* TNativeTreeView::Find(HTREEITEM h) const {
  auto* item = reinterpret_cast<TTreeItem*>(h);
  return items_.count(item) ? item : nullptr;
}

TTreeItem* TNativeTreeView::Insert(const TVINSERTSTRUCT& is) {
  TTreeItem* parent = root_.get();
  if (is.hParent && is.hParent != TVI_ROOT) {
    parent = Find(is.hParent);
    if (!parent || parent->deleting) return nullptr;
  }
  auto owned = std::make_unique<TTreeItem>();
  TTreeItem* item = owned.get();
  item->level = parent->level + 1;
  // The selection and the drop highlight are the view's to set, never the inserter's.
  TVITEM fields = is.item;
  fields.stateMask &= ~(TVIS_SELECTED | TVIS_DROPHILITED | TVIS_EXPANDEDONCE);
  ApplyFields(item, fields);
  // A parent marked childless gets its button with its first child.
  if (parent->childrenSet && parent->children == 0) parent->children = 1;

  TTreeItem* after = nullptr;
  if (is.hInsertAfter == TVI_FIRST) {
    after = nullptr;
  } else if (is.hInsertAfter == TVI_SORT) {
    String text = ItemText(item);
    for (TTreeItem* c = parent->first; c && AnsiCompareText(ItemText(c), text) <= 0; c = c->next) after = c;
  } else if (is.hInsertAfter == TVI_LAST || !is.hInsertAfter) {
    after = parent->last;
  } else {
    after = Find(is.hInsertAfter);
    // An item of another parent counts as the end, as a stale handle would.
    if (!after || after->parent != parent) after = parent->last;
  }
  LinkAfter(parent, after, item);
  items_.emplace(item, std::move(owned));
  RowsChanged();
  return item;
}

bool TNativeTreeView::Delete(TTreeItem* item) {
  TTreeItem* subtree = item ? item : root_.get();
  if (subtree->deleting) return true;
  // A removal from inside one of its own notifications only finishes that one.
  std::vector<TTreeItem*> doomed;
  PreOrder(subtree, [&](TTreeItem* i) {
    if (i != root_.get()) {
      i->deleting = true;
      doomed.push_back(i);
    }
  });
  auto inSubtree = [&](TTreeItem* i) {
    for (; i; i = i->parent)
      if (i == subtree) return true;
    return false;
  };
  if (editItem_ && inSubtree(editItem_)) EndEdit(true);
  TTreeItem* newSelection = nullptr;
  bool selectionGoes = selected_ && inSubtree(selected_);
  if (selectionGoes && item) {
    // The next sibling, else the parent, else the previous sibling.
    newSelection = item->next;
    if (!newSelection && item->parent != root_.get()) newSelection = item->parent;
    if (!newSelection) newSelection = item->prev;
  }
  for (TTreeItem* i : doomed)
    if (items_.count(i)) NotifyTreeView(TVN_DELETEITEM, TVC_UNKNOWN, i, nullptr);

  if (item) {
    if (items_.count(item)) Unlink(item);
  } else {
    root_->first = root_->last = nullptr;
  }
  // The shown rows may hold the doomed items: forget them before the items go.
  RowsChanged();
  for (TTreeItem* r : rows_) r->row = -1;
  rows_.clear();
  for (TTreeItem* i : doomed) {
    if (selected_ == i) selected_ = nullptr;
    if (dropHilite_ == i) dropHilite_ = nullptr;
    if (pressItem_ == i) pressItem_ = nullptr;
    if (tipItem_ == i) HideTip();
    items_.erase(i);
  }
  RowsChanged();
  if (selectionGoes && newSelection && items_.count(newSelection)) Select(newSelection, TVC_UNKNOWN);
  return true;
}

String TNativeTreeView::ItemText(TTreeItem* item) {
  if (!item->textCallback) return item->text;
  NMTVDISPINFO info;
  Char buffer[260] = {};
  info.item.mask = TVIF_TEXT;
  info.item.hItem = item->Handle();
  info.item.state = item->state;
  info.item.lParam = item->param;
  info.item.pszText = buffer;
  info.item.cchTextMax = 260;
  Notify(TVN_GETDISPINFO, info.hdr);
  String text = info.item.pszText ? String(info.item.pszText) : String();
  if (info.item.mask & TVIF_DI_SETITEM) {
    item->text = text;
    item->textCallback = false;
  }
  return text;
}

int TNativeTreeView::ItemImage(TTreeItem* item, bool selected) {
  int image = selected ? item->selectedImage : item->image;
  if (image != I_IMAGECALLBACK) return image;
  NMTVDISPINFO info;
  info.item.mask = selected ? TVIF_SELECTEDIMAGE : TVIF_IMAGE;
  info.item.hItem = item->Handle();
  info.item.state = item->state;
  info.item.lParam = item->param;
  Notify(TVN_GETDISPINFO, info.hdr);
  return selected ? info.item.iSelectedImage : info.item.iImage;
}

bool TNativeTreeView::HasChildren(TTreeItem* item) {
  if (!item->childrenSet) return item->first != nullptr;
  if (item->children != I_CHILDRENCALLBACK) return item->children != 0;
  NMTVDISPINFO info;
  info.item.mask = TVIF_CHILDREN;
  info.item.hItem = item->Handle();
  info.item.lParam = item->param;
  Notify(TVN_GETDISPINFO, info.hdr);
  return info.item.cChildren != 0;
}

void TNativeTreeView::SetItem(TTreeItem* item, const TVITEM& tv) {
  UINT was = item->state;
  ApplyFields(item, tv);
  bool relayout = ((was ^ item->state) & TVIS_EXPANDED) != 0;
  if (relayout)
    RowsChanged();
  else
    InvalidateItem(item);
}

void TNativeTreeView::FillNotifyItem(TTreeItem* item, TVITEM& tv) const {
  tv.mask = TVIF_HANDLE | TVIF_STATE | TVIF_PARAM;
  if (!item) return;
  tv.hItem = item->Handle();
  tv.state = item->state;
  tv.stateMask = static_cast<UINT>(-1);
  tv.lParam = item->param;
}

bool TNativeTreeView::GetItem(TTreeItem* item, TVITEM& tv) {
  if (tv.mask & TVIF_TEXT) {
    if (item->textCallback) {
      tv.pszText = LPSTR_TEXTCALLBACK;
    } else if (tv.pszText && tv.cchTextMax > 0) {
      size_t n = std::min(item->text.size(), static_cast<size_t>(tv.cchTextMax - 1));
      std::copy_n(item->text.data(), n, tv.pszText);
      tv.pszText[n] = 0;
    }
  }
  if (tv.mask & TVIF_IMAGE) tv.iImage = item->image;
  if (tv.mask & TVIF_SELECTEDIMAGE) tv.iSelectedImage = item->selectedImage;
  if (tv.mask & TVIF_PARAM) tv.lParam = item->param;
  if (tv.mask & TVIF_CHILDREN) tv.cChildren = item->childrenSet ? item->children : (item->first ? 1 : 0);
  if (tv.mask & TVIF_STATE) tv.state = item->state & tv.stateMask;
  return true;
}

TTreeItem* TNativeTreeView::Relation(UINT code, TTreeItem* item) {
  switch (code) {
    case TVGN_ROOT:
      return root_->first;
    case TVGN_CARET:
      return selected_;
    case TVGN_DROPHILITE:
      return dropHilite_;
    case TVGN_FIRSTVISIBLE:
      EnsureRows();
      return top_ < static_cast<int>(rows_.size()) ? rows_[static_cast<size_t>(top_)] : nullptr;
    case TVGN_LASTVISIBLE:
      EnsureRows();
      return rows_.empty() ? nullptr : rows_.back();
    default:
      break;
  }
  if (!item) return code == TVGN_CHILD ? root_->first : nullptr;
  switch (code) {
    case TVGN_NEXT:
      return item->next;
    case TVGN_PREVIOUS:
      return item->prev;
    case TVGN_PARENT:
      return item->parent == root_.get() ? nullptr : item->parent;
    case TVGN_CHILD:
      return item->first;
    case TVGN_NEXTVISIBLE:
    case TVGN_PREVIOUSVISIBLE: {
      EnsureRows();
      if (item->row < 0) return nullptr;
      int row = item->row + (code == TVGN_NEXTVISIBLE ? 1 : -1);
      return row >= 0 && row < static_cast<int>(rows_.size()) ? rows_[static_cast<size_t>(row)] : nullptr;
    }
    default:
      return nullptr;
  }
}

bool TNativeTreeView::SortChildren(TTreeItem* parent, bool recurse, const TVSORTCB* cb) {
  std::vector<TTreeItem*> kids;
  for (TTreeItem* c = parent->first; c; c = c->next) kids.push_back(c);
  if (cb && cb->lpfnCompare) {
    std::stable_sort(kids.begin(), kids.end(), [cb](TTreeItem* a, TTreeItem* b) {
      return cb->lpfnCompare(a->param, b->param, cb->lParam) < 0;
    });
  } else {
    std::vector<std::pair<String, TTreeItem*>> keyed;
    for (TTreeItem* k : kids) keyed.emplace_back(ItemText(k), k);
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const auto& a, const auto& b) { return AnsiCompareText(a.first, b.first) < 0; });
    for (size_t i = 0; i < kids.size(); ++i) kids[i] = keyed[i].second;
  }
  parent->first = parent->last = nullptr;
  for (TTreeItem* k : kids) LinkAfter(parent, parent->last, k);
  if (recurse)
    for (TTreeItem* k : kids) SortChildren(k, true, cb);
  RowsChanged();
  return true;
}
