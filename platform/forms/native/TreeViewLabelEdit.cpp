// In-place label editing over an "EDIT" child: TVN_BEGINLABELEDIT may refuse it, Enter or losing
// the focus ends it with the new text, Esc ends it without; TVN_ENDLABELEDIT decides whether the
// text is kept.
#include "platform/forms/native/EditControls.h"
#include "platform/forms/native/TreeViewState.h"
#include "platform/win/Windows.h"

namespace {

const char16_t kStateProp[] = u"TreeViewLabelOwner";

}  // namespace

HWND TNativeTreeView::EditLabel(TTreeItem* item) {
  if (!(Style() & TVS_EDITLABELS) || !item) return nullptr;
  if (edit_) EndEdit(false);
  if (!items_.count(item)) return nullptr;
  if (item != selected_ && !Select(item, TVC_UNKNOWN)) return nullptr;
  EnsureVisible(item);
  if (!items_.count(item)) return nullptr;
  String text = ItemText(item);
  HideTip();
  // Made hidden first, so the parent can see and change it in TVN_BEGINLABELEDIT.
  HWND edit = CreateWindowEx(0, kEditClassName, text.c_str(), WS_CHILD | WS_BORDER | ES_AUTOHSCROLL, 0, 0, 10,
                             10, hwnd_, nullptr, nullptr, nullptr);
  if (!edit) return nullptr;
  SendMessage(edit, WM_SETFONT, reinterpret_cast<WPARAM>(ControlFont(font_)), FALSE);
  SetProp(edit, kStateProp, this);
  editOldProc_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtr(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TNativeTreeView::EditProc)));
  edit_ = edit;
  editItem_ = item;

  NMTVDISPINFO info;
  info.item.mask = TVIF_HANDLE | TVIF_STATE | TVIF_PARAM | TVIF_TEXT;
  info.item.hItem = item->Handle();
  info.item.state = item->state;
  info.item.lParam = item->param;
  info.item.pszText = text.data();
  info.item.cchTextMax = static_cast<int>(text.size()) + 1;
  if (Notify(TVN_BEGINLABELEDIT, info.hdr) || !items_.count(item) || edit_ != edit) {
    if (edit_ == edit) {
      edit_ = nullptr;
      editItem_ = nullptr;
      DestroyWindow(edit);
    }
    return nullptr;
  }
  RECT label;
  ItemRect(item, true, label);
  int width = std::max<int>(label.right - label.left + 16, 40);
  SetWindowPos(edit, nullptr, label.left - 2, label.top, std::min(width, ClientWidth() - label.left + 2),
               label.bottom - label.top, SWP_NOZORDER | SWP_SHOWWINDOW);
  SetFocus(edit);
  SendMessage(edit, EM_SETSEL, 0, -1);
  return edit;
}

void TNativeTreeView::EndEdit(bool cancel) {
  if (!edit_ || ending_) return;
  ending_ = true;
  HWND edit = edit_;
  TTreeItem* item = editItem_;
  String text(static_cast<size_t>(GetWindowTextLength(edit)), u'\0');
  GetWindowText(edit, text.data(), static_cast<int>(text.size()) + 1);
  if (item && items_.count(item)) {
    NMTVDISPINFO info;
    info.item.mask = TVIF_HANDLE | TVIF_STATE | TVIF_PARAM | TVIF_TEXT;
    info.item.hItem = item->Handle();
    info.item.state = item->state;
    info.item.lParam = item->param;
    info.item.pszText = cancel ? nullptr : text.data();
    info.item.cchTextMax = static_cast<int>(text.size()) + 1;
    LRESULT keep = Notify(TVN_ENDLABELEDIT, info.hdr);
    if (!cancel && keep && items_.count(item)) {
      if (item->textCallback) {
        NMTVDISPINFO set;
        set.item.mask = TVIF_TEXT;
        set.item.hItem = item->Handle();
        set.item.lParam = item->param;
        set.item.pszText = text.data();
        Notify(TVN_SETDISPINFOA, set.hdr);
      } else {
        item->text = text;
      }
      InvalidateItem(item);
    }
  }
  edit_ = nullptr;
  editItem_ = nullptr;
  bool hadFocus = GetFocus() == edit;
  DestroyWindow(edit);
  if (hadFocus) SetFocus(hwnd_);
  ending_ = false;
}

LRESULT TNativeTreeView::EditProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* self = static_cast<TNativeTreeView*>(GetProp(hwnd, kStateProp));
  WNDPROC old = self ? self->editOldProc_ : nullptr;
  if (!self || !old) return DefWindowProc(hwnd, msg, wParam, lParam);
  switch (msg) {
    case WM_GETDLGCODE:
      return DLGC_WANTALLKEYS | CallWindowProc(old, hwnd, msg, wParam, lParam);
    case WM_KEYDOWN:
      if (wParam == VK_RETURN || wParam == VK_ESCAPE) {
        self->EndEdit(wParam == VK_ESCAPE);
        return 0;
      }
      break;
    case WM_CHAR:
      if (wParam == VK_RETURN || wParam == VK_ESCAPE) return 0;
      break;
    case WM_KILLFOCUS: {
      LRESULT r = CallWindowProc(old, hwnd, msg, wParam, lParam);
      if (self->edit_ == hwnd) self->EndEdit(false);
      return r;
    }
    default:
      break;
  }
  return CallWindowProc(old, hwnd, msg, wParam, lParam);
}
