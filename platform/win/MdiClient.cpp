// The "MDICLIENT" window: the part of an MDI frame holding the child windows. It knows which child
// is active, hands a maximised state on to the child taking over, and keeps maximised children
// over its whole client area.
#include <unordered_map>

#include "platform/rtl/ScopeExit.h"
#include "platform/win/WinInternal.h"
#include "platform/win/Windows.h"

namespace {

ATOM g_mdiClientAtom = 0;

struct TMdiClientState {
  HWND active = nullptr;
  bool switching = false;
};

std::unordered_map<HWND, TMdiClientState>& MdiClients() {
  static std::unordered_map<HWND, TMdiClientState> clients;
  return clients;
}

bool IsChildOfClient(HWND client, HWND child) {
  const TWindow* c = Wnd(child);
  return c && c->parent && c->parent->handle == client && IsMdiChild(c);
}

// The active child, forgotten once it is no longer there.
HWND ActiveChild(HWND client) {
  TMdiClientState& state = MdiClients()[client];
  if (state.active && !IsChildOfClient(client, state.active)) state.active = nullptr;
  return state.active;
}

// The topmost visible child other than `leaving`.
HWND ChildTakingOver(HWND client, HWND leaving) {
  TWindow* c = Wnd(client);
  if (!c) return nullptr;
  for (TWindow* child : c->children)
    if (child->handle != leaving && IsMdiChild(child) && child->Visible()) return child->handle;
  return nullptr;
}

void ActivateChild(HWND client, HWND child) {
  TMdiClientState& state = MdiClients()[client];
  // The placements an activation makes activate nothing themselves.
  if (state.switching) return;
  if (child && !IsChildOfClient(client, child)) return;
  const HWND old = ActiveChild(client);
  if (child == old) return;
  state.switching = true;
  TScopeExit done([client] {
    if (auto it = MdiClients().find(client); it != MdiClients().end()) it->second.switching = false;
  });
  state.active = child;
  if (child) SetWindowPos(child, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  if (old && child && IsZoomed(old)) {
    ShowWindow(child, SW_SHOWMAXIMIZED);
    if (IsWindow(old)) ShowWindow(old, SW_RESTORE);
  }
  if (old && IsWindow(old)) {
    SendMessage(old, WM_NCACTIVATE, FALSE, 0);
    SendMessage(old, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(old), reinterpret_cast<LPARAM>(child));
  }
  if (child && IsWindow(child)) {
    SendMessage(child, WM_NCACTIVATE, TRUE, 0);
    SendMessage(child, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(old), reinterpret_cast<LPARAM>(child));
    if (GetActiveWindow() == GetAncestor(client, GA_ROOT)) SetFocus(child);
  }
}

// The next child takes over and the one that was active goes behind the others.
void ActivateNextChild(HWND client, HWND from) {
  if (!from) from = ActiveChild(client);
  const HWND next = ChildTakingOver(client, from);
  if (!next) return;
  ActivateChild(client, next);
  if (IsWindow(from))
    SetWindowPos(from, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

LRESULT MdiClientProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  const HWND child = reinterpret_cast<HWND>(wParam);
  switch (msg) {
    case WM_MDIACTIVATE:
      ActivateChild(hwnd, child);
      return 0;
    case WM_MDIGETACTIVE: {
      const HWND active = ActiveChild(hwnd);
      if (lParam) *reinterpret_cast<BOOL*>(lParam) = active && IsZoomed(active);
      return reinterpret_cast<LRESULT>(active);
    }
    case WM_MDIMAXIMIZE:
      if (IsChildOfClient(hwnd, child)) ShowWindow(child, SW_SHOWMAXIMIZED);
      return 0;
    case WM_MDIRESTORE:
      if (IsChildOfClient(hwnd, child)) ShowWindow(child, SW_RESTORE);
      return 0;
    case WM_MDINEXT:
      ActivateNextChild(hwnd, child);
      return 0;
    case WM_MDIDESTROY:
      if (IsChildOfClient(hwnd, child)) DestroyWindow(child);
      return 0;
    case WM_PARENTNOTIFY:
      // The active child going hands over to the next one, or leaves none active.
      if (LOWORD(wParam) == WM_DESTROY) {
        const HWND going = reinterpret_cast<HWND>(lParam);
        if (going == ActiveChild(hwnd)) {
          const HWND next = ChildTakingOver(hwnd, going);
          if (next)
            ActivateChild(hwnd, next);
          else
            MdiClients()[hwnd].active = nullptr;
        }
      }
      return 0;
    case WM_SIZE:
      FitMaximizedChildren(hwnd);
      return 0;
    case WM_NCDESTROY:
      MdiClients().erase(hwnd);
      return DefWindowProc(hwnd, msg, wParam, lParam);
    default:
      return DefWindowProc(hwnd, msg, wParam, lParam);
  }
}

}  // namespace

bool IsMdiChild(const TWindow* w) {
  return w && (w->exStyle & WS_EX_MDICHILD) && (w->style & WS_CHILD) && w->parent && !w->parent->IsDesktop() &&
         g_mdiClientAtom && w->parent->cls->atom == g_mdiClientAtom;
}

void RegisterMdiClientClass() {
  WNDCLASSEX wc;
  wc.style = CS_GLOBALCLASS;
  wc.lpfnWndProc = &MdiClientProc;
  wc.lpszClassName = u"MDICLIENT";
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<std::uintptr_t>(COLOR_APPWORKSPACE + 1));
  g_mdiClientAtom = RegisterClassEx(&wc);
}
