#include "platform/win/DialogKeys.h"

#include <algorithm>
#include <vector>

#include "platform/win/Focus.h"
#include "platform/win/Input.h"
#include "platform/win/WinInternal.h"

namespace {

void Collect(TWindow* parent, std::vector<TWindow*>& out) {
  for (TWindow* c : parent->children) {
    if (!(c->style & WS_CHILD)) continue;
    out.push_back(c);
    if (c->exStyle & WS_EX_CONTROLPARENT) Collect(c, out);
  }
}

bool Usable(const TWindow* w) { return w->Visible() && !(w->style & WS_DISABLED); }

// The control among the dialog's controls that holds (or contains) the window.
int IndexOf(const std::vector<TWindow*>& list, TWindow* w) {
  for (TWindow* cur = w; cur; cur = cur->parent) {
    auto it = std::find(list.begin(), list.end(), cur);
    if (it != list.end()) return static_cast<int>(it - list.begin());
  }
  return -1;
}

Char Mnemonic(const String& text) {
  for (size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != u'&') continue;
    if (text[i + 1] == u'&') {
      ++i;
      continue;
    }
    return text[i + 1];
  }
  return 0;
}

Char Fold(Char c) {
  if (c >= u'a' && c <= u'z') return static_cast<Char>(c - 32);
  if (c >= u'а' && c <= u'я') return static_cast<Char>(c - 32);
  return c;
}

bool FocusMnemonic(HWND dialog, Char ch) {
  TWindow* d = Wnd(dialog);
  if (!d) return false;
  std::vector<TWindow*> list;
  Collect(d, list);
  for (size_t i = 0; i < list.size(); ++i) {
    if (!Usable(list[i]) || Fold(Mnemonic(list[i]->text)) != Fold(ch)) continue;
    HWND target = list[i]->handle;
    if (!(list[i]->style & WS_TABSTOP)) target = GetNextDlgTabItem(dialog, target, FALSE);
    if (target) SetFocus(target);
    return true;
  }
  return false;
}

}  // namespace

HWND GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous) {
  TWindow* d = Wnd(dialog);
  if (!d) return nullptr;
  std::vector<TWindow*> list;
  Collect(d, list);
  if (list.empty()) return nullptr;
  int n = static_cast<int>(list.size());
  int start = control ? IndexOf(list, Wnd(control)) : -1;
  if (start < 0) start = previous ? 0 : n - 1;
  for (int step = 1; step <= n; ++step) {
    int i = ((start + (previous ? -step : step)) % n + n) % n;
    TWindow* c = list[i];
    if (Usable(c) && (c->style & WS_TABSTOP)) return c->handle;
  }
  return control;
}

HWND GetNextDlgGroupItem(HWND dialog, HWND control, BOOL previous) {
  TWindow* d = Wnd(dialog);
  if (!d) return nullptr;
  std::vector<TWindow*> list;
  Collect(d, list);
  int at = IndexOf(list, Wnd(control));
  if (at < 0) return control;
  // The group: from the item with WS_GROUP at or before `at` up to the next WS_GROUP item.
  int first = at;
  while (first > 0 && !(list[first]->style & WS_GROUP)) --first;
  int last = at + 1;
  while (last < static_cast<int>(list.size()) && !(list[last]->style & WS_GROUP)) ++last;
  int size = last - first;
  for (int step = 1; step < size; ++step) {
    int i = first + ((at - first + (previous ? -step : step)) % size + size) % size;
    if (Usable(list[i])) return list[i]->handle;
  }
  return control;
}

BOOL IsDialogMessage(HWND dialog, MSG* msg) {
  if (!msg || !Wnd(dialog) || (msg->hwnd != dialog && !IsChild(dialog, msg->hwnd))) return FALSE;
  HWND focus = GetFocus();
  HWND target = msg->hwnd;
  auto code = [&] { return SendMessage(target, WM_GETDLGCODE, msg->wParam, reinterpret_cast<LPARAM>(msg)); };
  switch (msg->message) {
    case WM_KEYDOWN: {
      LRESULT c = code();
      if (c & DLGC_WANTALLKEYS) break;
      bool shift = GetKeyState(VK_SHIFT) & 0x8000;
      switch (msg->wParam) {
        case VK_TAB:
          if (c & DLGC_WANTTAB) break;
          if (HWND next = GetNextDlgTabItem(dialog, focus, shift)) {
            SetFocus(next);
            if (SendMessage(next, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) SendMessage(next, EM_SETSEL, 0, -1);
          }
          return TRUE;
        case VK_LEFT:
        case VK_UP:
        case VK_RIGHT:
        case VK_DOWN:
          if (c & DLGC_WANTARROWS) break;
          if (HWND next = GetNextDlgGroupItem(dialog, focus, msg->wParam == VK_LEFT || msg->wParam == VK_UP))
            SetFocus(next);
          return TRUE;
        case VK_RETURN: {
          LRESULT def = SendMessage(dialog, DM_GETDEFID, 0, 0);
          int id = HIWORD(static_cast<std::uintptr_t>(def)) == DC_HASDEFID
                       ? LOWORD(static_cast<std::uintptr_t>(def))
                       : IDOK;
          SendMessage(dialog, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), BN_CLICKED),
                      reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
          return TRUE;
        }
        case VK_ESCAPE:
          SendMessage(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                      reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
          return TRUE;
        default:
          break;
      }
      break;
    }
    case WM_CHAR: {
      LRESULT c = code();
      if (c & (DLGC_WANTCHARS | DLGC_WANTALLKEYS)) break;
      if (msg->wParam == u'\t' && !(c & DLGC_WANTTAB)) return TRUE;
      if (msg->wParam == u'\r' || msg->wParam == 27) return TRUE;
      if (FocusMnemonic(dialog, static_cast<Char>(msg->wParam))) return TRUE;
      break;
    }
    case WM_SYSCHAR:
      if (FocusMnemonic(dialog, static_cast<Char>(msg->wParam))) return TRUE;
      break;
    default:
      break;
  }
  TranslateMessage(msg);
  DispatchMessage(msg);
  return TRUE;
}
