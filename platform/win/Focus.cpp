// Focus, activation and capture, with the platform's message order:
// old WM_NCACTIVATE(FALSE), old WM_ACTIVATE(WA_INACTIVE), [WM_ACTIVATEAPP], new WM_NCACTIVATE(TRUE),
// new WM_ACTIVATE, and the focus moved by the default WM_ACTIVATE handling.
#include "platform/win/Focus.h"

#include "platform/win/WinInternal.h"

namespace {

HWND g_lastActive = nullptr;  // restored when the application is activated again

void SendActivateApp(bool active, HWND except) {
  std::vector<HWND> tops;
  for (TWindow* w : WinState().desktop->children)
    if (w->handle != except) tops.push_back(w->handle);
  for (HWND h : tops)
    if (Wnd(h)) SendMessage(h, WM_ACTIVATEAPP, active ? TRUE : FALSE, 0);
}

bool CanActivate(TWindow* w) {
  return w && w->IsTopLevel() && w->Visible() && !(w->style & WS_DISABLED) && !w->destroying &&
         !(w->style & WS_CHILD);
}

// The window to activate when the active one goes away: its owner, else the top-most other window.
HWND NextToActivate(TWindow* leaving) {
  if (leaving && leaving->owner && CanActivate(leaving->owner)) return leaving->owner->handle;
  for (TWindow* w : WinState().desktop->children)
    if (w != leaving && CanActivate(w) && !(w->exStyle & WS_EX_TOOLWINDOW) &&
        !(w->exStyle & WS_EX_NOACTIVATE))
      return w->handle;
  return nullptr;
}

// Whether no other visible window of its band (top-most or not) is above it, its own pop-ups aside.
bool IsTopOfBand(TWindow* w) {
  if (!w || !w->IsTopLevel()) return true;
  bool topmost = w->exStyle & WS_EX_TOPMOST;
  for (TWindow* c : WinState().desktop->children) {
    if (c == w) return true;
    bool ownedByW = false;
    for (TWindow* o = c->owner; o; o = o->owner)
      if (o == w) ownedByW = true;
    if (ownedByW || !c->Visible()) continue;
    if (((c->exStyle & WS_EX_TOPMOST) != 0) == topmost) return false;
  }
  return true;
}

}  // namespace

void ActivateWindowInternal(HWND hwnd, WORD how) {
  TWinState& s = WinState();
  HWND old = s.active;
  if (old == hwnd) return;
  if (hwnd && !Wnd(hwnd)) return;
  s.active = hwnd;
  if (old && Wnd(old)) {
    SendMessage(old, WM_NCACTIVATE, FALSE, reinterpret_cast<LPARAM>(hwnd));
    if (Wnd(old))
      SendMessage(old, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, IsIconic(old) ? 1 : 0),
                  reinterpret_cast<LPARAM>(hwnd));
  }
  if (s.active != hwnd) return;  // a handler activated another window
  if (hwnd && !IsTopOfBand(Wnd(hwnd)))
    SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
  if (hwnd && !Wnd(hwnd)) return;
  bool appWasActive = s.appActive;
  if (!hwnd) {
    if (appWasActive) {
      s.appActive = false;
      SendActivateApp(false, nullptr);
    }
    if (s.focus) {
      HWND f = s.focus;
      s.focus = nullptr;
      if (Wnd(f)) SendMessage(f, WM_KILLFOCUS, 0, 0);
    }
    return;
  }
  if (!appWasActive) {
    s.appActive = true;
    SendActivateApp(true, nullptr);
  }
  if (!Wnd(hwnd) || s.active != hwnd) return;
  SendMessage(hwnd, WM_NCACTIVATE, TRUE, reinterpret_cast<LPARAM>(old));
  if (!Wnd(hwnd) || s.active != hwnd) return;
  SendMessage(hwnd, WM_ACTIVATE, MAKEWPARAM(how, IsIconic(hwnd) ? 1 : 0), reinterpret_cast<LPARAM>(old));
  if (!Wnd(hwnd) || s.active != hwnd) return;
  // A handler that did not pass WM_ACTIVATE on leaves no window with the focus.
  TWindow* f = Wnd(s.focus);
  if (s.focus && (!f || TopLevelOf(f) != Wnd(hwnd))) {
    HWND oldFocus = s.focus;
    s.focus = nullptr;
    if (Wnd(oldFocus)) SendMessage(oldFocus, WM_KILLFOCUS, 0, 0);
  }
}

HWND SetActiveWindow(HWND hwnd) {
  WIN_MARSHAL(SetActiveWindow(hwnd));
  TWinState& s = WinState();
  HWND old = s.active;
  if (hwnd) {
    TWindow* w = Wnd(hwnd);
    if (!w) return nullptr;
    w = TopLevelOf(w);
    if (!w || (w->style & WS_DISABLED)) return nullptr;
    hwnd = w->handle;
  }
  ActivateWindowInternal(hwnd, hwnd ? WA_ACTIVE : WA_INACTIVE);
  return old;
}

HWND GetActiveWindow() { return WinState().active; }

BOOL SetForegroundWindow(HWND hwnd) {
  WIN_MARSHAL(SetForegroundWindow(hwnd));
  if (!Wnd(hwnd)) return FALSE;
  SetActiveWindow(hwnd);
  return TRUE;
}

HWND GetForegroundWindow() { return WinState().appActive ? WinState().active : nullptr; }

HWND SetFocus(HWND hwnd) {
  WIN_MARSHAL(SetFocus(hwnd));
  TWinState& s = WinState();
  HWND old = s.focus;
  if (!hwnd) {
    s.focus = nullptr;
    if (old && Wnd(old)) SendMessage(old, WM_KILLFOCUS, 0, 0);
    return old;
  }
  TWindow* w = Wnd(hwnd);
  if (!w) return nullptr;
  // A window inside a disabled or minimised ancestor cannot take the focus.
  for (TWindow* cur = w; cur && !cur->IsDesktop(); cur = cur->parent)
    if ((cur->style & WS_DISABLED) && cur != w) return nullptr;
  TWindow* top = TopLevelOf(w);
  if (top && top->handle != s.active) {
    ActivateWindowInternal(top->handle, WA_ACTIVE);
    if (!Wnd(hwnd) || s.active != top->handle) return nullptr;
    if (s.focus == hwnd) return old;
    old = s.focus;
  }
  if (old == hwnd) return old;
  s.focus = hwnd;
  if (old && Wnd(old)) SendMessage(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hwnd), 0);
  if (s.focus != hwnd || !Wnd(hwnd)) return old;
  SendMessage(hwnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(old), 0);
  return old;
}

HWND GetFocus() { return WinState().focus; }

HWND SetCapture(HWND hwnd) {
  WIN_MARSHAL(SetCapture(hwnd));
  TWinState& s = WinState();
  HWND old = s.capture;
  if (hwnd && !Wnd(hwnd)) return old;
  s.capture = hwnd;
  if (old && old != hwnd && Wnd(old)) SendMessage(old, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(hwnd));
  return old;
}

BOOL ReleaseCapture() {
  WIN_MARSHAL(ReleaseCapture());
  TWinState& s = WinState();
  HWND old = s.capture;
  s.capture = nullptr;
  if (old && Wnd(old)) SendMessage(old, WM_CAPTURECHANGED, 0, 0);
  return TRUE;
}

HWND GetCapture() { return WinState().capture; }

void SetApplicationActive(bool active) {
  if (!IsUiThread()) return MarshalToUi([&] { SetApplicationActive(active); });
  TWinState& s = WinState();
  if (active == s.appActive) return;
  if (!active) {
    g_lastActive = s.active;
    // Modes that hold the mouse end, as when another program comes to the front.
    if (s.capture) SendMessage(s.capture, WM_CANCELMODE, 0, 0);
    if (s.capture) ReleaseCapture();
    ActivateWindowInternal(nullptr, WA_INACTIVE);
    return;
  }
  HWND target = Wnd(g_lastActive) && CanActivate(Wnd(g_lastActive)) ? g_lastActive : NextToActivate(nullptr);
  if (target) {
    ActivateWindowInternal(target, WA_ACTIVE);
  } else {
    s.appActive = true;
    SendActivateApp(true, nullptr);
  }
}

bool IsApplicationActive() { return WinState().appActive; }

void OnWindowHiddenFocus(TWindow* w) {
  TWinState& s = WinState();
  HWND h = w->handle;
  // Hiding a child that holds the focus gives the focus to its parent.
  if (s.focus && w->IsChild() && IsDescendant(w, Wnd(s.focus))) {
    HWND parent = w->parent->handle;
    SetFocus(parent);
  }
  if (s.active == h && w->IsTopLevel()) ActivateWindowInternal(NextToActivate(Wnd(h)), WA_ACTIVE);
}

void OnWindowDestroyedFocus(TWindow* w) {
  TWinState& s = WinState();
  HWND h = w->handle;
  if (s.capture && IsDescendant(w, Wnd(s.capture))) ReleaseCapture();
  if (!Wnd(h)) return;
  if (s.focus && IsDescendant(w, Wnd(s.focus))) {
    if (w->IsChild() && !w->parent->destroying) {
      SetFocus(w->parent->handle);
    } else {
      HWND old = s.focus;
      s.focus = nullptr;
      if (Wnd(old)) SendMessage(old, WM_KILLFOCUS, 0, 0);
    }
  }
  if (!Wnd(h)) return;
  if (s.active == h) ActivateWindowInternal(NextToActivate(Wnd(h)), WA_ACTIVE);
  if (g_lastActive == h) g_lastActive = nullptr;
}

BOOL EnableWindow(HWND hwnd, BOOL enable) {
  WIN_MARSHAL(EnableWindow(hwnd, enable));
  TWindow* w = Wnd(hwnd);
  if (!w) return FALSE;
  BOOL wasDisabled = (w->style & WS_DISABLED) ? TRUE : FALSE;
  if (enable && wasDisabled) {
    w->style &= ~WS_DISABLED;
    SendMessage(hwnd, WM_ENABLE, TRUE, 0);
  } else if (!enable && !wasDisabled) {
    SendMessage(hwnd, WM_CANCELMODE, 0, 0);
    if (!(w = Wnd(hwnd))) return wasDisabled;
    w->style |= WS_DISABLED;
    TWinState& s = WinState();
    if (s.focus && IsDescendant(w, Wnd(s.focus))) SetFocus(nullptr);
    if (s.capture && IsDescendant(w, Wnd(s.capture))) ReleaseCapture();
    if (Wnd(hwnd)) SendMessage(hwnd, WM_ENABLE, FALSE, 0);
  }
  return wasDisabled;
}
