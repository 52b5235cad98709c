// Placement: SetWindowPos with WM_WINDOWPOSCHANGING/CHANGED, z-order bands and owned windows,
// ShowWindow, minimise/maximise/restore, window regions.
#include <algorithm>

#include "platform/win/Focus.h"
#include "platform/win/Metrics.h"
#include "platform/win/WinInternal.h"

namespace {

constexpr UINT SWP_NOCLIENTSIZE = 0x0800;
constexpr UINT SWP_NOCLIENTMOVE = 0x1000;
int g_depth = 0;

bool IsTopmost(const TWindow* w) { return (w->exStyle & WS_EX_TOPMOST) != 0; }

void CollectOwned(TWindow* owner, std::vector<TWindow*>& out) {
  for (TWindow* c : WinState().desktop->children)
    if (c->owner == owner && std::find(out.begin(), out.end(), c) == out.end()) {
      out.push_back(c);
      CollectOwned(c, out);
    }
}

void PlaceInList(TWindow* w, HWND after) {
  TWindow* parent = w->parent;
  auto& list = parent->children;
  std::erase(list, w);
  bool top = parent->IsDesktop();
  if (after == HWND_TOPMOST) {
    if (top) w->exStyle |= WS_EX_TOPMOST;
    list.insert(list.begin(), w);
  } else if (after == HWND_NOTOPMOST || after == HWND_TOP) {
    if (after == HWND_NOTOPMOST) w->exStyle &= ~WS_EX_TOPMOST;
    auto pos = list.begin();
    if (top && !IsTopmost(w))
      while (pos != list.end() && IsTopmost(*pos)) ++pos;
    list.insert(pos, w);
  } else if (after == HWND_BOTTOM) {
    w->exStyle &= ~WS_EX_TOPMOST;
    list.push_back(w);
  } else {
    TWindow* a = Wnd(after);
    auto it = a ? std::find(list.begin(), list.end(), a) : list.end();
    if (it == list.end()) {
      list.insert(list.begin(), w);
    } else {
      if (top) {
        if (IsTopmost(a))
          w->exStyle |= WS_EX_TOPMOST;
        else
          w->exStyle &= ~WS_EX_TOPMOST;
      }
      list.insert(it + 1, w);
    }
  }
  if (!top) return;
  // Owned windows stay above their owner, in their band.
  std::vector<TWindow*> owned;
  CollectOwned(w, owned);
  if (!owned.empty()) {
    std::vector<TWindow*> ordered;
    for (TWindow* c : list)
      if (std::find(owned.begin(), owned.end(), c) != owned.end()) ordered.push_back(c);
    for (TWindow* c : ordered) {
      std::erase(list, c);
      if (IsTopmost(w)) c->exStyle |= WS_EX_TOPMOST;
    }
    auto pos = std::find(list.begin(), list.end(), w);
    list.insert(pos, ordered.begin(), ordered.end());
  }
  if (w->owner) {
    auto ownerPos = std::find(list.begin(), list.end(), w->owner);
    auto myPos = std::find(list.begin(), list.end(), w);
    if (ownerPos < myPos) {
      list.erase(myPos);
      list.insert(std::find(list.begin(), list.end(), w->owner), w);
    }
  }
}

WPARAM SizeKind(const TWindow* w) {
  if (w->style & WS_MINIMIZE) return SIZE_MINIMIZED;
  if (w->style & WS_MAXIMIZE) return SIZE_MAXIMIZED;
  return SIZE_RESTORED;
}

MINMAXINFO QueryMinMax(HWND hwnd) {
  TWindow* w = Wnd(hwnd);
  MINMAXINFO mmi{};
  RECT work{};
  SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
  RECT in = NonClientInsets(w->style, w->exStyle, false, false);
  mmi.ptMaxSize = {work.right - work.left + 2 * in.left, work.bottom - work.top + 2 * in.bottom};
  mmi.ptMaxPosition = {work.left - in.left, work.top - in.bottom};
  mmi.ptMinTrackSize = {GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)};
  mmi.ptMaxTrackSize = {GetSystemMetrics(SM_CXMAXTRACK), GetSystemMetrics(SM_CYMAXTRACK)};
  SendMessage(hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
  return mmi;
}

// Where a maximised window goes: the work area (frame outside it) for a top-level window, as
// WM_GETMINMAXINFO leaves it, or the parent's client area for a child.
RECT MaximizedRect(HWND hwnd) {
  MINMAXINFO mmi = QueryMinMax(hwnd);
  TWindow* w = Wnd(hwnd);
  RECT r{mmi.ptMaxPosition.x, mmi.ptMaxPosition.y, mmi.ptMaxPosition.x + mmi.ptMaxSize.x,
         mmi.ptMaxPosition.y + mmi.ptMaxSize.y};
  bool top = w && w->IsTopLevel() && !(w->style & WS_CHILD);
  if (w && !top && w->parent) {
    GetClientRect(w->parent->handle, &r);
    // A maximised MDI child's frame lies outside the client area: only its client area shows.
    if (IsMdiChild(w)) AdjustWindowRectEx(&r, w->style & ~WS_MAXIMIZE, FALSE, w->exStyle);
  }
  return r;
}

// WM_SHOWWINDOW to the owned pop-ups when their owner is minimised or comes back.
void TellOwnedPopups(HWND owner, bool opening) {
  TWindow* o = Wnd(owner);
  if (!o) return;
  std::vector<HWND> owned;
  for (TWindow* c : WinState().desktop->children)
    if (c->owner == o && (opening ? c->hiddenWithOwner : c->Visible())) owned.push_back(c->handle);
  for (HWND h : owned)
    if (Wnd(h))
      SendMessage(h, WM_SHOWWINDOW, opening ? TRUE : FALSE, opening ? SW_PARENTOPENING : SW_PARENTCLOSING);
}

// The maximised windows of the list take their maximised place again.
void FitMaximized(const std::vector<TWindow*>& windows) {
  std::vector<HWND> maximized;
  for (TWindow* w : windows)
    if (w->style & WS_MAXIMIZE) maximized.push_back(w->handle);
  for (HWND h : maximized) {
    if (!Wnd(h)) continue;
    const RECT r = MaximizedRect(h);
    SetWindowPos(h, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

}  // namespace

MINMAXINFO WindowMinMaxInfo(HWND hwnd) { return QueryMinMax(hwnd); }

void FitMaximizedChildren(HWND parent) {
  if (TWindow* p = Wnd(parent)) FitMaximized(p->children);
}

void FitMaximizedWindowsToWorkArea() { FitMaximized(WinState().desktop->children); }

void PlaceCreatedMinMax(HWND hwnd) {
  TWindow* w = Wnd(hwnd);
  if (!w || !(w->style & (WS_MINIMIZE | WS_MAXIMIZE))) return;
  // The requested rectangle is the one a restore returns to.
  w->normalRect = w->rect;
  RECT r;
  if (w->style & WS_MINIMIZE) {
    w->style &= ~WS_MAXIMIZE;
    int cw = GetSystemMetrics(SM_CXMINIMIZED), ch = GetSystemMetrics(SM_CYMINIMIZED);
    r = RECT{-32000, -32000, -32000 + cw, -32000 + ch};
  } else {
    r = MaximizedRect(hwnd);
    if (!Wnd(hwnd)) return;
  }
  SetWindowPos(hwnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
               SWP_FRAMECHANGED | SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
  WIN_MARSHAL(SetWindowPos(hwnd, insertAfter, x, y, cx, cy, flags));
  // Nested placement changes (activation raising a window) leave the erasing to the outer one.
  g_depth++;
  struct Leave {
    ~Leave() { g_depth--; }
  } leave;
  TWindow* w = Wnd(hwnd);
  if (!w || w->IsDesktop()) return FALSE;
  if ((flags & SWP_SHOWWINDOW) && w->Visible()) flags &= ~SWP_SHOWWINDOW;
  if ((flags & SWP_HIDEWINDOW) && !w->Visible()) flags &= ~SWP_HIDEWINDOW;
  // An MDI child placed without SWP_NOACTIVATE hears WM_CHILDACTIVATE, which activates it.
  const bool childActivate = !(flags & (SWP_NOACTIVATE | SWP_HIDEWINDOW)) && IsMdiChild(w);
  if (w->IsChild() || !w->parent->IsDesktop()) flags |= SWP_NOACTIVATE;
  if (flags & SWP_NOMOVE) {
    x = w->rect.left;
    y = w->rect.top;
  }
  if (flags & SWP_NOSIZE) {
    cx = w->rect.right - w->rect.left;
    cy = w->rect.bottom - w->rect.top;
  }
  WINDOWPOS wp{hwnd, insertAfter, x, y, std::max(cx, 0), std::max(cy, 0), flags};
  if (!(flags & SWP_NOSENDCHANGING)) {
    SendMessage(hwnd, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&wp));
    if (!(w = Wnd(hwnd))) return FALSE;
    flags = wp.flags;
    if (flags & SWP_NOMOVE) {
      wp.x = w->rect.left;
      wp.y = w->rect.top;
    }
    if (flags & SWP_NOSIZE) {
      wp.cx = w->rect.right - w->rect.left;
      wp.cy = w->rect.bottom - w->rect.top;
    }
  }
  bool wasVisible = IsReallyVisible(w);
  RECT oldScreen = ScreenWindowRect(w);
  RECT oldClientScreen = ScreenClientRect(w);
  RECT oldRect = w->rect;
  RECT oldClient = w->client;
  std::vector<TWindow*> oldOrder = w->parent->children;

  if (!(flags & SWP_NOZORDER)) PlaceInList(w, wp.hwndInsertAfter);

  RECT newRect{wp.x, wp.y, wp.x + std::max(wp.cx, 0), wp.y + std::max(wp.cy, 0)};
  bool sized = (newRect.right - newRect.left) != (oldRect.right - oldRect.left) ||
               (newRect.bottom - newRect.top) != (oldRect.bottom - oldRect.top);
  bool moved = newRect.left != oldRect.left || newRect.top != oldRect.top;
  if (sized || moved || (flags & SWP_FRAMECHANGED)) {
    w->rect = newRect;
    if (sized || (flags & SWP_FRAMECHANGED)) {
      NCCALCSIZE_PARAMS params;
      params.rgrc[0] = newRect;
      params.rgrc[1] = oldRect;
      params.rgrc[2] = oldClient;
      params.lppos = &wp;
      SendMessage(hwnd, WM_NCCALCSIZE, TRUE, reinterpret_cast<LPARAM>(&params));
      if (!(w = Wnd(hwnd))) return FALSE;
      w->client = params.rgrc[0];
      if (w->client.right < w->client.left) w->client.right = w->client.left;
      if (w->client.bottom < w->client.top) w->client.bottom = w->client.top;
    } else {
      OffsetRect(&w->client, newRect.left - oldRect.left, newRect.top - oldRect.top);
    }
  }
  if (w->client.left == oldClient.left && w->client.top == oldClient.top) flags |= SWP_NOCLIENTMOVE;
  if (w->client.right - w->client.left == oldClient.right - oldClient.left &&
      w->client.bottom - w->client.top == oldClient.bottom - oldClient.top)
    flags |= SWP_NOCLIENTSIZE;

  if (flags & SWP_SHOWWINDOW) {
    if (w->cls->style & CS_SAVEBITS) SaveBitsBeforeShow(w);
    w->style |= WS_VISIBLE;
  }
  bool restored = false;
  if (flags & SWP_HIDEWINDOW) {
    w->style &= ~WS_VISIBLE;
    restored = RestoreSavedBits(w);
  }
  if (w->savedBits && (moved || sized) && !(flags & SWP_HIDEWINDOW)) w->savedBits.reset();
  bool zChanged = w->parent->children != oldOrder;

  if (!(flags & SWP_NOREDRAW) || (flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW))) {
    UINT geometryFlags = flags;
    if (zChanged) geometryFlags |= 0x10000;  // z-order moved
    if (restored) geometryFlags |= 0x20000;  // save-bits put the screen back
    WindowGeometryChanged(w, oldScreen, wasVisible, geometryFlags, oldClientScreen);
  }
  if (!(w = Wnd(hwnd))) return TRUE;

  if (!(flags & SWP_NOACTIVATE) && w->Visible() && !(flags & SWP_HIDEWINDOW) && w->IsTopLevel() &&
      !(w->style & WS_DISABLED))
    ActivateWindowInternal(hwnd, WA_ACTIVE);
  if (!(w = Wnd(hwnd))) return TRUE;
  if (childActivate && w->Visible()) SendMessage(hwnd, WM_CHILDACTIVATE, 0, 0);
  if (!(w = Wnd(hwnd))) return TRUE;
  if (g_depth == 1) EraseNowForExposed();
  if (!(w = Wnd(hwnd))) return TRUE;

  wp.flags = flags;
  wp.x = w->rect.left;
  wp.y = w->rect.top;
  wp.cx = w->rect.right - w->rect.left;
  wp.cy = w->rect.bottom - w->rect.top;
  SendMessage(hwnd, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&wp));
  if (!(w = Wnd(hwnd))) return TRUE;
  if ((flags & SWP_HIDEWINDOW) && wasVisible) OnWindowHiddenFocus(w);
  return TRUE;
}

// Default WM_WINDOWPOSCHANGED: WM_MOVE and WM_SIZE for what changed in the client area.
void DefWindowPosChanged(HWND hwnd, const WINDOWPOS* wp) {
  TWindow* w = Wnd(hwnd);
  if (!w || !wp) return;
  // Creation sends its own WM_SIZE / WM_MOVE only when the window has not had them yet.
  if ((wp->flags & (SWP_NOCLIENTMOVE | SWP_NOCLIENTSIZE)) != (SWP_NOCLIENTMOVE | SWP_NOCLIENTSIZE))
    w->sentSizeMove = true;
  if (!(wp->flags & SWP_NOCLIENTMOVE))
    SendMessage(hwnd, WM_MOVE, 0, PointToLParam(w->client.left, w->client.top));
  if (!(w = Wnd(hwnd))) return;
  if (!(wp->flags & SWP_NOCLIENTSIZE))
    SendMessage(hwnd, WM_SIZE, SizeKind(w),
                MAKELPARAM(static_cast<WORD>(w->client.right - w->client.left),
                           static_cast<WORD>(w->client.bottom - w->client.top)));
}

BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint) {
  return SetWindowPos(hwnd, nullptr, x, y, width, height,
                      SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

BOOL BringWindowToTop(HWND hwnd) { return SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE); }

BOOL ShowWindow(HWND hwnd, int cmd) {
  WIN_MARSHAL(ShowWindow(hwnd, cmd));
  TWindow* w = Wnd(hwnd);
  if (!w || w->IsDesktop()) return FALSE;
  BOOL wasVisible = w->Visible() ? TRUE : FALSE;
  bool top = w->IsTopLevel() && !(w->style & WS_CHILD);
  // An MDI child comes to the top of its siblings and is activated, like a top-level window.
  const bool activates = top || IsMdiChild(w);
  UINT base = SWP_NOSIZE | SWP_NOMOVE;
  if (!activates) base |= SWP_NOACTIVATE | SWP_NOZORDER;

  auto show = [&](UINT extra) {
    if (!(w = Wnd(hwnd))) return;
    if (!w->Visible()) {
      SendMessage(hwnd, WM_SHOWWINDOW, TRUE, 0);
      if (!Wnd(hwnd)) return;
      extra |= SWP_SHOWWINDOW;
    }
    SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, base | extra);
  };
  auto placeTo = [&](const RECT& r, DWORD setStyle, UINT extra) {
    if (!(w = Wnd(hwnd))) return;
    if (!(w->style & (WS_MINIMIZE | WS_MAXIMIZE))) w->normalRect = w->rect;
    w->style = (w->style & ~(WS_MINIMIZE | WS_MAXIMIZE)) | setStyle;
    UINT flags = SWP_FRAMECHANGED | extra | (activates ? 0 : SWP_NOACTIVATE | SWP_NOZORDER);
    if (!w->Visible()) {
      SendMessage(hwnd, WM_SHOWWINDOW, TRUE, 0);
      if (!Wnd(hwnd)) return;
      flags |= SWP_SHOWWINDOW;
    }
    SetWindowPos(hwnd, HWND_TOP, r.left, r.top, r.right - r.left, r.bottom - r.top, flags);
  };

  switch (cmd) {
    case SW_HIDE:
      if (!wasVisible) return FALSE;
      SendMessage(hwnd, WM_SHOWWINDOW, FALSE, 0);
      SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                   SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
      break;
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
    case SW_SHOWMINNOACTIVE: {
      if (w->style & WS_MINIMIZE) {
        show(SWP_NOACTIVATE);
        break;
      }
      int cw = GetSystemMetrics(SM_CXMINIMIZED), ch = GetSystemMetrics(SM_CYMINIMIZED);
      if (top) TellOwnedPopups(hwnd, false);
      placeTo(RECT{-32000, -32000, -32000 + cw, -32000 + ch}, WS_MINIMIZE, SWP_NOACTIVATE);
      if ((w = Wnd(hwnd)) && WinState().active == hwnd && cmd != SW_SHOWMINIMIZED) OnWindowHiddenFocus(w);
      break;
    }
    case SW_SHOWMAXIMIZED: {
      RECT r = MaximizedRect(hwnd);
      if (!(w = Wnd(hwnd))) return wasVisible;
      // A window that carries the style but not the place (style set by hand) is still sized.
      if ((w->style & WS_MAXIMIZE) && EqualRect(&w->rect, &r)) {
        show(0);
        break;
      }
      placeTo(r, WS_MAXIMIZE, 0);
      break;
    }
    case SW_RESTORE:
    case SW_SHOWNORMAL:
    case SW_SHOWDEFAULT:
      if (w->style & (WS_MINIMIZE | WS_MAXIMIZE)) {
        bool wasMinimized = w->style & WS_MINIMIZE;
        RECT r = w->normalRect;
        w->style &= ~(WS_MINIMIZE | WS_MAXIMIZE);
        UINT flags = SWP_FRAMECHANGED | (activates ? 0 : SWP_NOACTIVATE | SWP_NOZORDER);
        if (!w->Visible()) {
          SendMessage(hwnd, WM_SHOWWINDOW, TRUE, 0);
          if (!Wnd(hwnd)) return wasVisible;
          flags |= SWP_SHOWWINDOW;
        }
        SetWindowPos(hwnd, HWND_TOP, r.left, r.top, r.right - r.left, r.bottom - r.top, flags);
        if (wasMinimized && top) TellOwnedPopups(hwnd, true);
      } else {
        show(0);
      }
      break;
    case SW_SHOWNOACTIVATE:
    case SW_SHOWNA:
      show(SWP_NOACTIVATE | SWP_NOZORDER);
      break;
    case SW_SHOW:
    default:
      show(0);
      break;
  }
  return wasVisible;
}

BOOL GetWindowPlacement(HWND hwnd, WINDOWPLACEMENT* placement) {
  TWindow* w = Wnd(hwnd);
  if (!w || !placement) return FALSE;
  placement->showCmd = (w->style & WS_MINIMIZE)   ? SW_SHOWMINIMIZED
                       : (w->style & WS_MAXIMIZE) ? SW_SHOWMAXIMIZED
                                                  : SW_SHOWNORMAL;
  placement->rcNormalPosition = (w->style & (WS_MINIMIZE | WS_MAXIMIZE)) ? w->normalRect : w->rect;
  placement->ptMinPosition = {-1, -1};
  placement->ptMaxPosition = {-1, -1};
  return TRUE;
}

int SetWindowRgn(HWND hwnd, HRGN region, BOOL redraw) {
  WIN_MARSHAL(SetWindowRgn(hwnd, region, redraw));
  TWindow* w = Wnd(hwnd);
  if (!w) return 0;
  GdiRegion* r = region ? RegionFromHandle(region) : nullptr;
  if (region && !r) return 0;
  if (r)
    w->windowRgn = *r;
  else
    w->windowRgn.reset();
  if (region) DeleteObject(region);  // the window owns it now
  SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
               SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED |
                   (redraw ? 0 : SWP_NOREDRAW));
  return 1;
}
