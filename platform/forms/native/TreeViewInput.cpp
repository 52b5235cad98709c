// Mouse and keyboard: selecting, expanding with the buttons, starting drags and label edits.
#include <cstdlib>

#include "platform/forms/native/TreeViewState.h"
#include "platform/win/Windows.h"

void TNativeTreeView::OnButtonDown(POINT pt, bool right) {
  if (edit_) EndEdit(false);
  KillTimer(hwnd_, kEditLabelTimer);
  bool wasFocused = focused_;
  if (GetFocus() != hwnd_) SetFocus(hwnd_);
  UINT flags = 0;
  TTreeItem* item = HitTest(pt, flags);
  if (!right && item && (flags & TVHT_ONITEMBUTTON)) {
    Expand(item, TVE_TOGGLE, true);
    return;
  }
  bool onItem = item && ((flags & TVHT_ONITEM) || (Style() & TVS_FULLROWSELECT));
  pressing_ = true;
  pressRight_ = right;
  pressItem_ = onItem ? item : nullptr;
  pressFlags_ = flags;
  pressPt_ = pt;
  pressOnSelected_ = wasFocused && onItem && item == selected_;
  SetCapture(hwnd_);
}

void TNativeTreeView::OnMouseMove(POINT pt) {
  if (!pressing_) {
    UINT flags = 0;
    TTreeItem* item = HitTest(pt, flags);
    UpdateTip(item && (flags & TVHT_ONITEM) ? item : nullptr);
    return;
  }
  if (!pressItem_ || (Style() & TVS_DISABLEDRAGDROP)) return;
  if (std::abs(pt.x - pressPt_.x) < GetSystemMetrics(SM_CXDRAG) &&
      std::abs(pt.y - pressPt_.y) < GetSystemMetrics(SM_CYDRAG))
    return;
  // A drag is the parent's to run: the press ends here without a click.
  TTreeItem* item = pressItem_;
  bool right = pressRight_;
  pressing_ = false;
  pressItem_ = nullptr;
  if (GetCapture() == hwnd_) ReleaseCapture();
  HideTip();
  NotifyTreeView(right ? TVN_BEGINRDRAG : TVN_BEGINDRAG, TVC_UNKNOWN, nullptr, item, pressPt_);
}

void TNativeTreeView::OnButtonUp(POINT pt, bool right) {
  if (!pressing_ || pressRight_ != right) return;
  pressing_ = false;
  TTreeItem* item = pressItem_;
  pressItem_ = nullptr;
  if (GetCapture() == hwnd_) ReleaseCapture();
  NMHDR hdr;
  if (Notify(right ? NM_RCLICK : NM_CLICK, hdr)) return;
  if (right) {
    POINT screen = pt;
    ClientToScreen(hwnd_, &screen);
    SendMessage(hwnd_, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hwnd_), MAKELPARAM(screen.x, screen.y));
    return;
  }
  if (!item || !items_.count(item)) return;
  if (pressOnSelected_ && item == selected_ && (pressFlags_ & TVHT_ONITEMLABEL) &&
      (Style() & TVS_EDITLABELS)) {
    // A second click on the selected label edits it, unless it turns into a double click.
    SetTimer(hwnd_, kEditLabelTimer, GetDoubleClickTime(), nullptr);
    return;
  }
  Select(item, TVC_BYMOUSE);
}

void TNativeTreeView::OnDoubleClick(POINT pt) {
  KillTimer(hwnd_, kEditLabelTimer);
  UINT flags = 0;
  TTreeItem* item = HitTest(pt, flags);
  if (item && (flags & TVHT_ONITEMBUTTON)) {
    Expand(item, TVE_TOGGLE, true);
    return;
  }
  NMHDR hdr;
  if (Notify(NM_DBLCLK, hdr)) return;
  if (item && items_.count(item) && (flags & TVHT_ONITEM)) Expand(item, TVE_TOGGLE, true);
}

void TNativeTreeView::OnKeyDown(UINT vk) {
  NMTVKEYDOWN kd;
  kd.wVKey = static_cast<WORD>(vk);
  Notify(TVN_KEYDOWN, kd.hdr);
  EnsureRows();
  if (rows_.empty()) return;
  TTreeItem* cur = selected_ && selected_->row >= 0 ? selected_ : nullptr;
  int last = static_cast<int>(rows_.size()) - 1;
  auto rowItem = [&](int row) { return rows_[static_cast<size_t>(std::clamp(row, 0, last))]; };
  int page = std::max(1, PageRows() - 1);
  switch (vk) {
    case VK_UP:
      Select(cur ? rowItem(cur->row - 1) : rowItem(0), TVC_BYKEYBOARD);
      break;
    case VK_DOWN:
      Select(cur ? rowItem(cur->row + 1) : rowItem(0), TVC_BYKEYBOARD);
      break;
    case VK_HOME:
      Select(rowItem(0), TVC_BYKEYBOARD);
      break;
    case VK_END:
      Select(rowItem(last), TVC_BYKEYBOARD);
      break;
    case VK_PRIOR:
      Select(rowItem(cur ? cur->row - page : 0), TVC_BYKEYBOARD);
      break;
    case VK_NEXT:
      Select(rowItem(cur ? cur->row + page : 0), TVC_BYKEYBOARD);
      break;
    case VK_LEFT:
      if (!cur) break;
      if (cur->Expanded() && HasChildren(cur))
        Expand(cur, TVE_COLLAPSE, true);
      else if (cur->parent != root_.get())
        Select(cur->parent, TVC_BYKEYBOARD);
      break;
    case VK_BACK:
      if (cur && cur->parent != root_.get()) Select(cur->parent, TVC_BYKEYBOARD);
      break;
    case VK_RIGHT:
      if (!cur || !HasChildren(cur)) break;
      if (!cur->Expanded())
        Expand(cur, TVE_EXPAND, true);
      else if (cur->first)
        Select(cur->first, TVC_BYKEYBOARD);
      break;
    case VK_ADD:
      if (cur) Expand(cur, TVE_EXPAND, true);
      break;
    case VK_SUBTRACT:
      if (cur) Expand(cur, TVE_COLLAPSE, true);
      break;
    case VK_F2:
      if (cur) EditLabel(cur);
      break;
    case VK_RETURN: {
      NMHDR hdr;
      Notify(NM_RETURN, hdr);
      break;
    }
    default:
      break;
  }
}
