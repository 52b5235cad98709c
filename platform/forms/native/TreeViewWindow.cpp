// The tree view's window procedure: each message goes to its handler through one table.
#include "platform/forms/native/TreeViewWindow.h"

#include <unordered_map>

#include "platform/forms/native/TreeViewState.h"
#include "platform/win/Windows.h"

namespace {

using THandler = LRESULT (*)(TNativeTreeView& tv, WPARAM wParam, LPARAM lParam);

POINT PointOf(LPARAM lParam) { return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

template <class T>
T* Ptr(LPARAM lParam) {
  return reinterpret_cast<T*>(lParam);
}

TTreeItem* ItemArg(TNativeTreeView& tv, LPARAM lParam) {
  return tv.Find(reinterpret_cast<HTREEITEM>(lParam));
}

// --- item messages ---

LRESULT OnInsertItem(TNativeTreeView& tv, WPARAM, LPARAM lParam) {
  auto* is = Ptr<TVINSERTSTRUCT>(lParam);
  TTreeItem* item = is ? tv.Insert(*is) : nullptr;
  return item ? reinterpret_cast<LRESULT>(item->Handle()) : 0;
}

LRESULT OnDeleteItem(TNativeTreeView& tv, WPARAM, LPARAM lParam) {
  auto h = reinterpret_cast<HTREEITEM>(lParam);
  if (!h || h == TVI_ROOT) return tv.Delete(nullptr);
  TTreeItem* item = tv.Find(h);
  return item ? tv.Delete(item) : FALSE;
}

LRESULT OnSetItem(TNativeTreeView& tv, WPARAM, LPARAM lParam) {
  auto* item = Ptr<TVITEM>(lParam);
  TTreeItem* target = item ? tv.Find(item->hItem) : nullptr;
  if (!target) return FALSE;
  tv.SetItem(target, *item);
  return TRUE;
}

LRESULT OnGetItem(TNativeTreeView& tv, WPARAM, LPARAM lParam) {
  auto* item = Ptr<TVITEM>(lParam);
  TTreeItem* target = item ? tv.Find(item->hItem) : nullptr;
  return target ? tv.GetItem(target, *item) : FALSE;
}

LRESULT OnGetItemState(TNativeTreeView& tv, WPARAM wParam, LPARAM lParam) {
  TTreeItem* item = tv.Find(reinterpret_cast<HTREEITEM>(wParam));
  return item ? static_cast<LRESULT>(item->state & static_cast<UINT>(lParam)) : 0;
}

LRESULT OnGetNextItem(TNativeTreeView& tv, WPARAM wParam, LPARAM lParam) {
  TTreeItem* item = ItemArg(tv, lParam);
  if (lParam && !item && wParam != TVGN_ROOT && wParam != TVGN_CARET && wParam != TVGN_DROPHILITE &&
      wParam != TVGN_FIRSTVISIBLE && wParam != TVGN_LASTVISIBLE)
    return 0;
  TTreeItem* r = tv.Relation(static_cast<UINT>(wParam), item);
  return r ? reinterpret_cast<LRESULT>(r->Handle()) : 0;
}

LRESULT OnSelectItem(TNativeTreeView& tv, WPARAM wParam, LPARAM lParam) {
  TTreeItem* item = ItemArg(tv, lParam);
  if (lParam && !item) return FALSE;
  return tv.SelectRelation(static_cast<UINT>(wParam), item);
}

LRESULT OnExpand(TNativeTreeView& tv, WPARAM wParam, LPARAM lParam) {
  return tv.Expand(ItemArg(tv, lParam), static_cast<UINT>(wParam), false);
}

LRESULT OnEnsureVisible(TNativeTreeView& tv, WPARAM, LPARAM lParam) {
  TTreeItem* item = ItemArg(tv, lParam);
  if (!item) return FALSE;
  tv.EnsureVisible(item);
  return TRUE;
}

LRESULT OnGetItemRect(TNativeTreeView& tv, WPARAM wParam, LPARAM lParam) {
  auto* r = Ptr<RECT>(lParam);
  if (!r) return FALSE;
  TTreeItem* item = tv.Find(ItemRectRequest(*r));
  return item && tv.ItemRect(item, wParam != 0, *r);
}

LRESULT OnHitTest(TNativeTreeView& tv, WPARAM, LPARAM lParam) {
  auto* info = Ptr<TVHITTESTINFO>(lParam);
  if (!info) return 0;
  TTreeItem* item = tv.HitTest(info->pt, info->flags);
  info->hItem = item ? item->Handle() : nullptr;
  return reinterpret_cast<LRESULT>(info->hItem);
}

LRESULT OnSortChildren(TNativeTreeView& tv, WPARAM wParam, LPARAM lParam) {
  auto h = reinterpret_cast<HTREEITEM>(lParam);
  TTreeItem* parent = !h || h == TVI_ROOT ? tv.root_.get() : tv.Find(h);
  return parent ? tv.SortChildren(parent, wParam != 0, nullptr) : FALSE;
}

LRESULT OnSortChildrenCB(TNativeTreeView& tv, WPARAM wParam, LPARAM lParam) {
  auto* cb = Ptr<TVSORTCB>(lParam);
  if (!cb) return FALSE;
  TTreeItem* parent = !cb->hParent || cb->hParent == TVI_ROOT ? tv.root_.get() : tv.Find(cb->hParent);
  return parent ? tv.SortChildren(parent, wParam != 0, cb) : FALSE;
}

LRESULT OnGetCount(TNativeTreeView& tv, WPARAM, LPARAM) { return static_cast<LRESULT>(tv.items_.size()); }
LRESULT OnGetVisibleCount(TNativeTreeView& tv, WPARAM, LPARAM) { return tv.PageRows(); }

// --- appearance ---

LRESULT OnSetImageList(TNativeTreeView& tv, WPARAM wParam, LPARAM lParam) {
  HIMAGELIST& slot = wParam == TVSIL_STATE ? tv.stateImages_ : tv.images_;
  HIMAGELIST old = slot;
  slot = reinterpret_cast<HIMAGELIST>(lParam);
  tv.Invalidate();
  tv.UpdateScrollBars();
  return reinterpret_cast<LRESULT>(old);
}

LRESULT OnGetImageList(TNativeTreeView& tv, WPARAM wParam, LPARAM) {
  return reinterpret_cast<LRESULT>(wParam == TVSIL_STATE ? tv.stateImages_ : tv.images_);
}

LRESULT OnSetIndent(TNativeTreeView& tv, WPARAM wParam, LPARAM) {
  tv.indent_ = std::max(static_cast<int>(wParam), 5);
  tv.Invalidate();
  return 0;
}

LRESULT OnGetIndent(TNativeTreeView& tv, WPARAM, LPARAM) { return tv.indent_; }

LRESULT OnSetItemHeight(TNativeTreeView& tv, WPARAM wParam, LPARAM) {
  int old = tv.ItemHeight();
  tv.itemHeightSet_ = static_cast<int>(static_cast<std::intptr_t>(wParam));
  tv.rowsDirty_ = false;
  tv.RowsChanged();
  return old;
}

LRESULT OnGetItemHeight(TNativeTreeView& tv, WPARAM, LPARAM) { return tv.ItemHeight(); }

template <COLORREF TNativeTreeView::*Member>
LRESULT SetColor(TNativeTreeView& tv, WPARAM, LPARAM lParam) {
  COLORREF old = tv.*Member;
  tv.*Member = static_cast<COLORREF>(lParam);
  tv.Invalidate();
  return static_cast<LRESULT>(static_cast<std::int32_t>(old));
}

template <COLORREF TNativeTreeView::*Member>
LRESULT GetColor(TNativeTreeView& tv, WPARAM, LPARAM) {
  return static_cast<LRESULT>(static_cast<std::int32_t>(tv.*Member));
}

LRESULT OnSetFont(TNativeTreeView& tv, WPARAM wParam, LPARAM lParam) {
  tv.font_ = reinterpret_cast<HFONT>(wParam);
  tv.maxRowRight_ = 0;
  tv.rowsDirty_ = false;
  tv.RowsChanged();
  if (lParam) UpdateWindow(tv.hwnd_);
  return 0;
}

LRESULT OnGetFont(TNativeTreeView& tv, WPARAM, LPARAM) { return reinterpret_cast<LRESULT>(tv.font_); }

// --- label editing and tips ---

LRESULT OnEditLabel(TNativeTreeView& tv, WPARAM, LPARAM lParam) {
  return reinterpret_cast<LRESULT>(tv.EditLabel(ItemArg(tv, lParam)));
}
LRESULT OnGetEditControl(TNativeTreeView& tv, WPARAM, LPARAM) { return reinterpret_cast<LRESULT>(tv.edit_); }
LRESULT OnEndEditNow(TNativeTreeView& tv, WPARAM wParam, LPARAM) {
  bool editing = tv.edit_ != nullptr;
  tv.EndEdit(wParam != 0);
  return editing;
}
LRESULT OnGetToolTips(TNativeTreeView& tv, WPARAM, LPARAM) { return reinterpret_cast<LRESULT>(tv.tip_); }

LRESULT OnNotify(TNativeTreeView& tv, WPARAM wParam, LPARAM lParam) {
  auto* hdr = Ptr<NMHDR>(lParam);
  if (hdr && hdr->hwndFrom == tv.tip_ && (hdr->code == TTN_NEEDTEXTA || hdr->code == TTN_NEEDTEXTW)) {
    auto* info = reinterpret_cast<NMTTDISPINFO*>(lParam);
    if (!info->lpszText && !info->szText[0]) tv.AnswerTipText(*info);
    return 0;
  }
  return DefWindowProc(tv.hwnd_, WM_NOTIFY, wParam, lParam);
}

LRESULT OnTimer(TNativeTreeView& tv, WPARAM wParam, LPARAM) {
  if (wParam == kEditLabelTimer) {
    KillTimer(tv.hwnd_, kEditLabelTimer);
    if (tv.selected_ && tv.focused_) tv.EditLabel(tv.selected_);
  }
  return 0;
}

// --- window life, focus, painting, input ---

LRESULT OnDestroy(TNativeTreeView& tv, WPARAM, LPARAM) {
  tv.EndEdit(true);
  KillTimer(tv.hwnd_, kEditLabelTimer);
  tv.Delete(nullptr);
  if (tv.tip_) DestroyWindow(tv.tip_);
  tv.tip_ = nullptr;
  return 0;
}

LRESULT OnPaint(TNativeTreeView& tv, WPARAM wParam, LPARAM) {
  return PaintClient(tv.hwnd_, wParam ? WM_PRINTCLIENT : WM_PAINT, wParam, [&](HDC dc) { tv.Paint(dc); });
}
LRESULT OnPrintClient(TNativeTreeView& tv, WPARAM wParam, LPARAM) {
  return PaintClient(tv.hwnd_, WM_PRINTCLIENT, wParam, [&](HDC dc) { tv.Paint(dc); });
}
LRESULT OnEraseBackground(TNativeTreeView&, WPARAM, LPARAM) { return 1; }

LRESULT OnSize(TNativeTreeView& tv, WPARAM, LPARAM) {
  tv.EnsureRows();
  tv.SetTop(tv.top_);
  tv.Invalidate();
  return 0;
}

LRESULT OnSetFocus(TNativeTreeView& tv, WPARAM, LPARAM) {
  tv.focused_ = true;
  if (tv.selected_) tv.InvalidateItem(tv.selected_);
  NMHDR hdr;
  tv.Notify(NM_SETFOCUS, hdr);
  return 0;
}

LRESULT OnKillFocus(TNativeTreeView& tv, WPARAM, LPARAM) {
  tv.focused_ = false;
  if (tv.selected_) tv.InvalidateItem(tv.selected_);
  NMHDR hdr;
  tv.Notify(NM_KILLFOCUS, hdr);
  return 0;
}

LRESULT OnLButtonDown(TNativeTreeView& tv, WPARAM, LPARAM lParam) {
  tv.OnButtonDown(PointOf(lParam), false);
  return 0;
}
LRESULT OnRButtonDown(TNativeTreeView& tv, WPARAM, LPARAM lParam) {
  tv.OnButtonDown(PointOf(lParam), true);
  return 0;
}
LRESULT OnLButtonUp(TNativeTreeView& tv, WPARAM, LPARAM lParam) {
  tv.OnButtonUp(PointOf(lParam), false);
  return 0;
}
LRESULT OnRButtonUp(TNativeTreeView& tv, WPARAM, LPARAM lParam) {
  tv.OnButtonUp(PointOf(lParam), true);
  return 0;
}
LRESULT OnLButtonDblClk(TNativeTreeView& tv, WPARAM, LPARAM lParam) {
  tv.OnDoubleClick(PointOf(lParam));
  return 0;
}
LRESULT OnMouseMove(TNativeTreeView& tv, WPARAM, LPARAM lParam) {
  tv.OnMouseMove(PointOf(lParam));
  return 0;
}
LRESULT OnMouseLeave(TNativeTreeView& tv, WPARAM, LPARAM) {
  tv.HideTip();
  return 0;
}
LRESULT OnCaptureChanged(TNativeTreeView& tv, WPARAM, LPARAM) {
  tv.pressing_ = false;
  tv.pressItem_ = nullptr;
  return 0;
}
LRESULT OnKeyDown(TNativeTreeView& tv, WPARAM wParam, LPARAM) {
  tv.OnKeyDown(static_cast<UINT>(wParam));
  return 0;
}
LRESULT OnGetDlgCode(TNativeTreeView&, WPARAM, LPARAM) { return DLGC_WANTARROWS | DLGC_WANTCHARS; }

LRESULT OnVScroll(TNativeTreeView& tv, WPARAM wParam, LPARAM) {
  tv.ScrollTo(SB_VERT, LOWORD(wParam));
  return 0;
}
LRESULT OnHScroll(TNativeTreeView& tv, WPARAM wParam, LPARAM) {
  tv.ScrollTo(SB_HORZ, LOWORD(wParam));
  return 0;
}
LRESULT OnMouseWheel(TNativeTreeView& tv, WPARAM wParam, LPARAM) {
  int notches = GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA;
  tv.EnsureRows();
  tv.SetTop(tv.top_ - notches * 3);
  return 0;
}

const std::unordered_map<UINT, THandler>& Handlers() {
  static const std::unordered_map<UINT, THandler> table = {
      {TVM_INSERTITEM, &OnInsertItem},
      {TVM_DELETEITEM, &OnDeleteItem},
      {TVM_SETITEM, &OnSetItem},
      {TVM_GETITEM, &OnGetItem},
      {TVM_GETITEMSTATE, &OnGetItemState},
      {TVM_GETNEXTITEM, &OnGetNextItem},
      {TVM_SELECTITEM, &OnSelectItem},
      {TVM_EXPAND, &OnExpand},
      {TVM_ENSUREVISIBLE, &OnEnsureVisible},
      {TVM_GETITEMRECT, &OnGetItemRect},
      {TVM_HITTEST, &OnHitTest},
      {TVM_SORTCHILDREN, &OnSortChildren},
      {TVM_SORTCHILDRENCB, &OnSortChildrenCB},
      {TVM_GETCOUNT, &OnGetCount},
      {TVM_GETVISIBLECOUNT, &OnGetVisibleCount},
      {TVM_SETIMAGELIST, &OnSetImageList},
      {TVM_GETIMAGELIST, &OnGetImageList},
      {TVM_SETINDENT, &OnSetIndent},
      {TVM_GETINDENT, &OnGetIndent},
      {TVM_SETITEMHEIGHT, &OnSetItemHeight},
      {TVM_GETITEMHEIGHT, &OnGetItemHeight},
      {TVM_SETBKCOLOR, &SetColor<&TNativeTreeView::bkColor_>},
      {TVM_GETBKCOLOR, &GetColor<&TNativeTreeView::bkColor_>},
      {TVM_SETTEXTCOLOR, &SetColor<&TNativeTreeView::textColor_>},
      {TVM_GETTEXTCOLOR, &GetColor<&TNativeTreeView::textColor_>},
      {TVM_SETLINECOLOR, &SetColor<&TNativeTreeView::lineColor_>},
      {TVM_GETLINECOLOR, &GetColor<&TNativeTreeView::lineColor_>},
      {TVM_EDITLABEL, &OnEditLabel},
      {TVM_GETEDITCONTROL, &OnGetEditControl},
      {TVM_ENDEDITLABELNOW, &OnEndEditNow},
      {TVM_GETTOOLTIPS, &OnGetToolTips},
      {WM_SETFONT, &OnSetFont},
      {WM_GETFONT, &OnGetFont},
      {WM_NOTIFY, &OnNotify},
      {WM_TIMER, &OnTimer},
      {WM_DESTROY, &OnDestroy},
      {WM_PAINT, &OnPaint},
      {WM_PRINTCLIENT, &OnPrintClient},
      {WM_ERASEBKGND, &OnEraseBackground},
      {WM_SIZE, &OnSize},
      {WM_SETFOCUS, &OnSetFocus},
      {WM_KILLFOCUS, &OnKillFocus},
      {WM_LBUTTONDOWN, &OnLButtonDown},
      {WM_RBUTTONDOWN, &OnRButtonDown},
      {WM_LBUTTONUP, &OnLButtonUp},
      {WM_RBUTTONUP, &OnRButtonUp},
      {WM_LBUTTONDBLCLK, &OnLButtonDblClk},
      {WM_MOUSEMOVE, &OnMouseMove},
      {WM_MOUSELEAVE, &OnMouseLeave},
      {WM_CAPTURECHANGED, &OnCaptureChanged},
      {WM_KEYDOWN, &OnKeyDown},
      {WM_GETDLGCODE, &OnGetDlgCode},
      {WM_VSCROLL, &OnVScroll},
      {WM_HSCROLL, &OnHScroll},
      {WM_MOUSEWHEEL, &OnMouseWheel},
  };
  return table;
}

}  // namespace

LRESULT TreeViewWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return WithWindowState<TNativeTreeView>(hwnd, msg, wParam, lParam, [&](TNativeTreeView& tv) -> LRESULT {
    auto it = Handlers().find(msg);
    if (it != Handlers().end()) return it->second(tv, wParam, lParam);
    return DefWindowProc(hwnd, msg, wParam, lParam);
  });
}
