// Painting over one framebuffer: visible regions, update regions (kept in screen coordinates),
// WM_NCPAINT / WM_ERASEBKGND / WM_PAINT, exposure when windows move or hide, save-bits, window
// and screen DCs, scrolling and layered composition.
#include "platform/win/Paint.h"

#include <algorithm>
#include <unordered_map>

#include "platform/gdi/DeviceContext.h"
#include "platform/win/Metrics.h"
#include "platform/win/WinInternal.h"

namespace {

std::unordered_map<HDC, HWND>& DcOwners() {
  static std::unordered_map<HDC, HWND> owners;
  return owners;
}
std::vector<HWND> g_touched;  // windows invalidated by the current placement change
bool g_recording = false;

// A top-level layered window is blended over the framebuffer when the screen is shown; it does not
// hide what lies below it there.
bool Composed(const TWindow* top) { return top && top->IsTopLevel() && (top->exStyle & WS_EX_LAYERED); }

const TWindow* TopOf(const TWindow* w) {
  while (w && w->parent && !w->parent->IsDesktop()) w = w->parent;
  return w;
}

// The top-level window whose own surface `w` paints into: one made layered by
// SetLayeredWindowAttributes. Null for windows that paint into the framebuffer.
TWindow* AttributeLayer(const TWindow* w) {
  const TWindow* top = TopOf(w);
  return Composed(top) && top->layeredByAttributes ? const_cast<TWindow*>(top) : nullptr;
}

// UpdateLayeredWindow supplies the image (or nothing yet): the window itself paints nothing.
bool HasLayerImage(const TWindow* w) {
  const TWindow* top = TopOf(w);
  return Composed(top) && !top->layeredByAttributes;
}

// Where the window's pixels go, and the screen position of that surface's (0, 0).
TSurface* PaintTarget(const TWindow* w, POINT* at) {
  TWindow* top = AttributeLayer(w);
  if (!top) {
    *at = POINT{0, 0};
    return ScreenSurface();
  }
  const RECT r = ScreenWindowRect(top);
  const int width = std::max<LONG>(r.right - r.left, 1), height = std::max<LONG>(r.bottom - r.top, 1);
  if (!top->layer)
    top->layer = std::make_unique<TSurface>(width, height);
  else
    top->layer->Resize(width, height);
  *at = POINT{r.left, r.top};
  return top->layer.get();
}

GdiRegion ShapeScreen(const TWindow* w) {
  RECT r = ScreenWindowRect(w);
  GdiRegion g(r);
  if (w->windowRgn) {
    GdiRegion s = *w->windowRgn;
    s.Offset(r.left, r.top);
    g &= s;
  }
  return g;
}

bool NeedsPaint(const TWindow* w) { return !w->update.IsEmpty() || w->internalPaint; }

void AddUpdate(TWindow* w, const GdiRegion& area, bool erase, bool frame) {
  GdiRegion add = area & VisibleRegion(w, !frame, (w->style & WS_CLIPCHILDREN) != 0);
  if (add.IsEmpty()) return;
  w->update |= add;
  if (erase) w->needErase = true;
  if (frame) w->needNcPaint = true;
  if (g_recording) g_touched.push_back(w->handle);
  WakeUiThread(QS_PAINT);
}

void InvalidateTree(TWindow* w, const GdiRegion& area, bool erase, bool frame, bool children) {
  AddUpdate(w, area, erase, frame);
  if (!children) return;
  for (TWindow* c : w->children)
    if (c->Visible()) InvalidateTree(c, area, erase, true, true);
}

void ValidateTree(TWindow* w, const GdiRegion* area, bool noErase, bool noFrame, bool children) {
  if (area)
    w->update -= *area;
  else
    w->update.Clear();
  if (w->update.IsEmpty() || noErase) w->needErase = false;
  if (w->update.IsEmpty() || noFrame) w->needNcPaint = false;
  if (!children) return;
  for (TWindow* c : w->children) ValidateTree(c, area, noErase, noFrame, true);
}

void ClearTree(TWindow* w) {
  w->update.Clear();
  w->needErase = w->needNcPaint = w->internalPaint = w->eraseFailed = false;
  for (TWindow* c : w->children) ClearTree(c);
}

GdiRegion ClientToScreenRegion(TWindow* w, const GdiRegion& r) {
  GdiRegion s = r;
  POINT o = ClientOrigin(w);
  s.Offset(o.x, o.y);
  return s;
}

// WM_NCPAINT and WM_ERASEBKGND now, for what is pending.
void SyncPaint(HWND h) {
  TWindow* w = Wnd(h);
  if (!w || !IsReallyVisible(w)) return;
  if (w->needNcPaint) {
    w->needNcPaint = false;
    HRGN rgn = CreateRgnFromRegion(w->update);
    SendMessage(h, WM_NCPAINT, reinterpret_cast<WPARAM>(rgn), 0);
    DeleteObject(rgn);
    if (!(w = Wnd(h))) return;
  }
  if (w->needErase) {
    w->needErase = false;
    HRGN rgn = CreateRgnFromRegion(w->update);
    HDC dc = GetDCEx(h, rgn, DCX_INTERSECTRGN | DCX_CACHE);
    DeleteObject(rgn);
    LRESULT erased = SendMessage(h, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    ReleaseDC(h, dc);
    if ((w = Wnd(h))) w->eraseFailed = erased == 0;
  }
}

void SyncPaintTree(HWND h) {
  SyncPaint(h);
  TWindow* w = Wnd(h);
  if (!w) return;
  std::vector<HWND> kids;
  for (TWindow* c : w->children) kids.push_back(c->handle);
  for (HWND k : kids) SyncPaintTree(k);
}

void ExposeBelow(TWindow* w, const GdiRegion& area) {
  TWindow* p = w->parent;
  if (!p) return;
  bool below = false;
  for (TWindow* s : p->children) {
    if (s == w) {
      below = true;
      continue;
    }
    if (below && s->Visible()) InvalidateTree(s, area, true, true, true);
  }
  AddUpdate(p, area, true, false);  // children never cover their parent's frame
}

TWindow* FindPaintable(TWindow* w, HWND filter) {
  if (!w->Visible() && !w->IsDesktop()) return nullptr;
  if (NeedsPaint(w) && (!filter || w->handle == filter || IsChild(filter, w->handle))) return w;
  for (TWindow* c : w->children)
    if (TWindow* found = FindPaintable(c, filter)) return found;
  return nullptr;
}

GdiRegion AboveAtTopLevel(const TWindow* top) {
  GdiRegion above;
  for (TWindow* s : WinState().desktop->children) {
    if (s == top) break;
    if (s->Visible() && !Composed(s)) above |= ShapeScreen(s);
  }
  return above;
}

// A window layered by attributes over `out`: pixels of the colour key leave what is below, the others
// mix with it by the constant alpha.
void BlendAttributeLayer(TSurface& out, const TSurface& layer, POINT at, const GdiRegion& area, DWORD flags,
                         COLORREF key, BYTE alpha) {
  const Pixel keyPixel = ColorToPixel(key) & 0xFFFFFF;
  const unsigned a = (flags & LWA_ALPHA) ? alpha : 255, inv = 255 - a;
  const RECT shown{at.x, at.y, at.x + layer.Width(), at.y + layer.Height()};
  const GdiRegion visible = area & shown & out.Bounds();
  for (const RECT& part : visible.Rects()) {
    for (int y = part.top; y < part.bottom; ++y) {
      const Pixel* src = layer.Row(y - at.y);
      Pixel* dst = out.Row(y);
      for (int x = part.left; x < part.right; ++x) {
        const Pixel s = src[x - at.x];
        if ((flags & LWA_COLORKEY) && (s & 0xFFFFFF) == keyPixel) continue;
        const Pixel d = dst[x];
        auto mix = [&](int shift) {
          return (((s >> shift) & 0xFF) * a + ((d >> shift) & 0xFF) * inv + 127) / 255;
        };
        dst[x] = 0xFF000000u | (mix(16) << 16) | (mix(8) << 8) | mix(0);
      }
    }
  }
}

}  // namespace

TSurface* ScreenSurface() {
  static std::unique_ptr<TSurface> screen;
  RECT r = ScreenRect();
  if (!screen) {
    screen = std::make_unique<TSurface>(r.right - r.left, r.bottom - r.top, ColorToPixel(RGB(58, 110, 165)));
    screen->SetTrackDamage(true);
  } else if (screen->Width() != r.right - r.left || screen->Height() != r.bottom - r.top) {
    screen->Resize(r.right - r.left, r.bottom - r.top, ColorToPixel(RGB(58, 110, 165)));
  }
  return screen.get();
}

GdiRegion VisibleRegion(const TWindow* w, bool client, bool clipChildren) {
  if (!w || !IsReallyVisible(w) || HasLayerImage(w)) return {};
  GdiRegion rgn = client ? GdiRegion(ScreenClientRect(w)) : ShapeScreen(w);
  if (client && w->windowRgn) rgn &= ShapeScreen(w);
  rgn &= GdiRegion(ScreenRect());
  for (const TWindow* cur = w; cur->parent; cur = cur->parent) {
    const TWindow* p = cur->parent;
    if (!p->IsDesktop()) {
      rgn &= GdiRegion(ScreenClientRect(p));
      if (p->windowRgn) rgn &= ShapeScreen(p);
    }
    for (TWindow* s : p->children) {
      if (s == cur) break;
      if (s->Visible() && !Composed(s)) rgn -= ShapeScreen(s);
    }
    if (p->IsDesktop()) break;
  }
  if (clipChildren)
    for (TWindow* c : w->children)
      if (c->Visible()) rgn -= ShapeScreen(c);
  return rgn;
}

// --- DCs ---

HDC GetDCEx(HWND hwnd, HRGN clip, DWORD flags) {
  WIN_MARSHAL(GetDCEx(hwnd, clip, flags));
  TWindow* w = hwnd ? Wnd(hwnd) : WinState().desktop;
  if (!w) return nullptr;
  // The screen DC draws over everything; the desktop's own painting stays under the windows.
  if (w->IsDesktop() && !(flags & (DCX_INTERSECTRGN | DCX_EXCLUDERGN | DCX_CLIPCHILDREN |
                                   DCX_INTERSECTUPDATE | DCX_EXCLUDEUPDATE))) {
    HDC dc = CreateSurfaceDC(ScreenSurface(), POINT{0, 0}, nullptr);
    DcOwners()[dc] = nullptr;
    return dc;
  }
  bool window = flags & DCX_WINDOW;
  RECT wr = ScreenWindowRect(w);
  POINT origin = window ? POINT{wr.left, wr.top} : ClientOrigin(w);
  bool clipChildren = (flags & DCX_CLIPCHILDREN) || (w->style & WS_CLIPCHILDREN);
  GdiRegion vis = VisibleRegion(w, !window, clipChildren);
  if (clip && (flags & (DCX_INTERSECTRGN | DCX_EXCLUDERGN))) {
    if (GdiRegion* r = RegionFromHandle(clip)) {
      if (flags & DCX_INTERSECTRGN)
        vis &= *r;
      else
        vis -= *r;
    }
  }
  if (flags & DCX_INTERSECTUPDATE) vis &= w->update;
  if (flags & DCX_EXCLUDEUPDATE) vis -= w->update;
  POINT at;
  TSurface* target = PaintTarget(w, &at);
  vis.Offset(-at.x, -at.y);
  HDC dc = CreateSurfaceDC(target, POINT{origin.x - at.x, origin.y - at.y}, &vis);
  DcOwners()[dc] = hwnd;
  return dc;
}

HDC GetDC(HWND hwnd) { return GetDCEx(hwnd, nullptr, DCX_CACHE); }
HDC GetWindowDC(HWND hwnd) { return GetDCEx(hwnd, nullptr, DCX_WINDOW | DCX_CACHE); }

int ReleaseDC(HWND hwnd, HDC dc) {
  WIN_MARSHAL(ReleaseDC(hwnd, dc));
  auto it = DcOwners().find(dc);
  if (it == DcOwners().end()) return 0;
  // What was drawn on a layer shows when the screen is composed next.
  if (TWindow* top = AttributeLayer(Wnd(it->second))) ScreenSurface()->AddDamage(ScreenWindowRect(top));
  DcOwners().erase(it);
  DeleteDC(dc);
  return 1;
}

HWND WindowFromDC(HDC dc) {
  auto it = DcOwners().find(dc);
  return it == DcOwners().end() ? nullptr : it->second;
}

// --- Paint messages ---

HDC BeginPaint(HWND hwnd, PAINTSTRUCT* ps) {
  WIN_MARSHAL(BeginPaint(hwnd, ps));
  TWindow* w = Wnd(hwnd);
  if (!w || !ps) return nullptr;
  HideCaretForPaint(hwnd);
  if (w->needNcPaint) SyncPaint(hwnd);
  if (!(w = Wnd(hwnd))) return nullptr;
  GdiRegion area = w->update & VisibleRegion(w, true, (w->style & WS_CLIPCHILDREN) != 0);
  bool erase = w->needErase || w->eraseFailed;
  w->update.Clear();
  w->needErase = w->needNcPaint = w->internalPaint = w->eraseFailed = false;
  HRGN rgn = CreateRgnFromRegion(area);
  HDC dc = GetDCEx(hwnd, rgn, DCX_INTERSECTRGN);
  DeleteObject(rgn);
  ps->hdc = dc;
  ps->fErase = FALSE;
  if (erase) ps->fErase = SendMessage(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0) ? FALSE : TRUE;
  RECT box = area.Bounds();
  if (!area.IsEmpty() && (w = Wnd(hwnd))) {
    POINT o = ClientOrigin(w);
    OffsetRect(&box, -o.x, -o.y);
  } else {
    box = RECT{};
  }
  ps->rcPaint = box;
  return dc;
}

BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* ps) {
  WIN_MARSHAL(EndPaint(hwnd, ps));
  if (ps && ps->hdc) ReleaseDC(hwnd, ps->hdc);
  ShowCaretAfterPaint(hwnd);
  return TRUE;
}

bool PeekPaintMessage(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax, bool) {
  if (!(filterMin == 0 && filterMax == 0) && (WM_PAINT < filterMin || WM_PAINT > filterMax)) return false;
  if (hwnd == reinterpret_cast<HWND>(-1)) return false;
  TWindow* w = FindPaintable(WinState().desktop, hwnd);
  if (!w) return false;
  POINT pt{};
  *msg = MSG{w->handle, WM_PAINT, 0, 0, CurrentTickCount(), pt};
  return true;
}

void ValidateAfterPaintDispatch(HWND hwnd) {
  TWindow* w = Wnd(hwnd);
  if (!w || !NeedsPaint(w)) return;
  // A procedure that did not paint would otherwise get WM_PAINT for ever.
  SyncPaint(hwnd);
  if ((w = Wnd(hwnd))) {
    w->update.Clear();
    w->needErase = w->needNcPaint = w->internalPaint = w->eraseFailed = false;
  }
}

// --- Invalidation ---

BOOL RedrawWindow(HWND hwnd, const RECT* rect, HRGN rgn, UINT flags) {
  WIN_MARSHAL(RedrawWindow(hwnd, rect, rgn, flags));
  TWindow* w = hwnd ? Wnd(hwnd) : WinState().desktop;
  if (!w) return FALSE;
  bool children = (flags & RDW_ALLCHILDREN) || (!(flags & RDW_NOCHILDREN) && !(w->style & WS_CLIPCHILDREN));
  if (w->IsDesktop() && !hwnd) children = (flags & RDW_NOCHILDREN) == 0;
  std::optional<GdiRegion> area;
  if (rgn) {
    if (GdiRegion* r = RegionFromHandle(rgn)) area = ClientToScreenRegion(w, *r);
  } else if (rect) {
    area = ClientToScreenRegion(w, GdiRegion(*rect));
  }
  if (flags & RDW_INVALIDATE) {
    GdiRegion a = area ? *area : (flags & RDW_FRAME) ? ShapeScreen(w) : GdiRegion(ScreenClientRect(w));
    InvalidateTree(w, a, (flags & RDW_ERASE) != 0, (flags & RDW_FRAME) != 0, children);
  }
  if (flags & RDW_VALIDATE)
    ValidateTree(w, area ? &*area : nullptr, flags & RDW_NOERASE, flags & RDW_NOFRAME, children);
  if (flags & RDW_INTERNALPAINT) {
    w->internalPaint = true;
    WakeUiThread(QS_PAINT);
  }
  if (flags & RDW_NOINTERNALPAINT) w->internalPaint = false;
  const HWND self = w->handle;
  if (flags & (RDW_ERASENOW | RDW_UPDATENOW)) {
    if (children)
      SyncPaintTree(self);
    else
      SyncPaint(self);
  }
  // The messages sent may have destroyed the window.
  if (!(w = hwnd ? Wnd(hwnd) : WinState().desktop)) return TRUE;
  if (flags & RDW_UPDATENOW) {
    UpdateWindow(self);
    if (!(w = hwnd ? Wnd(hwnd) : WinState().desktop)) return TRUE;
    if (children) {
      std::vector<HWND> kids;
      for (TWindow* c : w->children) kids.push_back(c->handle);
      for (HWND k : kids) RedrawWindow(k, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    }
  }
  return TRUE;
}

BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase) {
  if (!hwnd)
    return RedrawWindow(nullptr, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
  return RedrawWindow(hwnd, rect, nullptr, RDW_INVALIDATE | (erase ? RDW_ERASE : 0));
}

BOOL InvalidateRgn(HWND hwnd, HRGN rgn, BOOL erase) {
  return RedrawWindow(hwnd, nullptr, rgn, RDW_INVALIDATE | (erase ? RDW_ERASE : 0));
}

BOOL ValidateRect(HWND hwnd, const RECT* rect) {
  return RedrawWindow(hwnd, rect, nullptr, RDW_VALIDATE | RDW_NOCHILDREN);
}

BOOL ValidateRgn(HWND hwnd, HRGN rgn) {
  return RedrawWindow(hwnd, nullptr, rgn, RDW_VALIDATE | RDW_NOCHILDREN);
}

BOOL GetUpdateRect(HWND hwnd, RECT* rect, BOOL erase) {
  WIN_MARSHAL(GetUpdateRect(hwnd, rect, erase));
  TWindow* w = Wnd(hwnd);
  if (!w) return FALSE;
  if (erase) SyncPaint(hwnd);
  if (!(w = Wnd(hwnd))) return FALSE;
  GdiRegion client = w->update & GdiRegion(ScreenClientRect(w));
  if (rect) {
    if (client.IsEmpty()) {
      *rect = RECT{};
    } else {
      *rect = client.Bounds();
      POINT o = ClientOrigin(w);
      OffsetRect(rect, -o.x, -o.y);
    }
  }
  return client.IsEmpty() ? FALSE : TRUE;
}

int GetUpdateRgn(HWND hwnd, HRGN rgn, BOOL erase) {
  WIN_MARSHAL(GetUpdateRgn(hwnd, rgn, erase));
  TWindow* w = Wnd(hwnd);
  GdiRegion* out = RegionFromHandle(rgn);
  if (!w || !out) return ERROR;
  if (erase) SyncPaint(hwnd);
  if (!(w = Wnd(hwnd))) return ERROR;
  GdiRegion client = w->update & GdiRegion(ScreenClientRect(w));
  POINT o = ClientOrigin(w);
  client.Offset(-o.x, -o.y);
  *out = client;
  return out->Complexity();
}

BOOL UpdateWindow(HWND hwnd) {
  WIN_MARSHAL(UpdateWindow(hwnd));
  TWindow* w = Wnd(hwnd);
  if (!w) return FALSE;
  if (NeedsPaint(w) && IsReallyVisible(w)) {
    SendMessage(hwnd, WM_PAINT, 0, 0);
    ValidateAfterPaintDispatch(hwnd);
  }
  return TRUE;
}

// --- Placement changes ---

void WindowGeometryChanged(TWindow* w, const RECT& oldScreen, bool wasVisible, UINT flags,
                           const RECT& oldClient) {
  g_recording = true;
  bool nowVisible = IsReallyVisible(w);
  RECT newScreen = ScreenWindowRect(w);
  bool movedOrSized = newScreen != oldScreen;
  bool zChanged = flags & 0x10000;
  bool restored = flags & 0x20000;
  if (!nowVisible) ClearTree(w);
  if (wasVisible && !Composed(w)) {
    GdiRegion exposed(oldScreen);
    if (w->parent && !w->parent->IsDesktop()) exposed &= GdiRegion(ScreenClientRect(w->parent));
    if (nowVisible) exposed -= ShapeScreen(w);
    if (restored) {
      TWindow* top = TopLevelOf(w);
      exposed -= GdiRegion(oldScreen) - AboveAtTopLevel(top);
    }
    if (!exposed.IsEmpty()) ExposeBelow(w, exposed);
  }
  RECT newClient = ScreenClientRect(w);
  bool widthChanged = newClient.right - newClient.left != oldClient.right - oldClient.left;
  bool heightChanged = newClient.bottom - newClient.top != oldClient.bottom - oldClient.top;
  bool keepsOrigin = newClient.left == oldClient.left && newClient.top == oldClient.top;
  bool redrawAll =
      (widthChanged && (w->cls->style & CS_HREDRAW)) || (heightChanged && (w->cls->style & CS_VREDRAW));
  if (nowVisible && !HasLayerImage(w) && wasVisible && !zChanged && keepsOrigin && !redrawAll &&
      movedOrSized && !(flags & SWP_FRAMECHANGED)) {
    // Resized in place without CS_HREDRAW / CS_VREDRAW: the client keeps its pixels; only the
    // frame and the newly uncovered part of the client need painting.
    AddUpdate(w, ShapeScreen(w) - GdiRegion(newClient), true, true);
    InvalidateTree(w, GdiRegion(newClient) - GdiRegion(oldClient), true, false, true);
  } else if (nowVisible && !HasLayerImage(w)) {
    if (!wasVisible || movedOrSized || zChanged)
      InvalidateTree(w, ShapeScreen(w), true, true, true);
    else if (flags & SWP_FRAMECHANGED)
      AddUpdate(w, ShapeScreen(w) - GdiRegion(ScreenClientRect(w)), false, true);
  }
  if (Composed(w)) ScreenSurface()->AddDamage(newScreen), ScreenSurface()->AddDamage(oldScreen);
}

void EraseNowForExposed() {
  std::vector<HWND> list;
  list.swap(g_touched);
  g_recording = false;
  for (HWND h : list)
    if (std::count(list.begin(), list.end(), h) >= 1) SyncPaint(h);
}

void OnWindowDestroyedPaint(TWindow* w) {
  std::erase(g_touched, w->handle);
  for (auto it = DcOwners().begin(); it != DcOwners().end();)
    if (it->second == w->handle) {
      DeleteDC(it->first);
      it = DcOwners().erase(it);
    } else {
      ++it;
    }
}

void SaveBitsBeforeShow(TWindow* w) {
  TSurface* screen = ScreenSurface();
  RECT r = ScreenWindowRect(w);
  RECT bounds = screen->Bounds();
  IntersectRect(&r, &r, &bounds);
  w->savedBits = std::make_unique<TWindow::TSavedBits>();
  if (IsRectEmpty(&r)) return;
  w->savedBits->rect = r;
  w->savedBits->pixels.resize(static_cast<size_t>(r.right - r.left) * (r.bottom - r.top));
  for (int y = r.top; y < r.bottom; ++y)
    std::copy_n(screen->Row(y) + r.left, r.right - r.left,
                w->savedBits->pixels.begin() + static_cast<std::ptrdiff_t>(y - r.top) * (r.right - r.left));
  w->savedBits->valid = true;
}

bool RestoreSavedBits(TWindow* w) {
  if (!w->savedBits || !w->savedBits->valid) {
    w->savedBits.reset();
    return false;
  }
  TSurface* screen = ScreenSurface();
  const RECT r = w->savedBits->rect;
  GdiRegion allowed = GdiRegion(r) - AboveAtTopLevel(TopLevelOf(w));
  for (const RECT& band : allowed.Rects())
    for (int y = band.top; y < band.bottom; ++y)
      std::copy_n(w->savedBits->pixels.begin() + static_cast<std::ptrdiff_t>(y - r.top) * (r.right - r.left) +
                      (band.left - r.left),
                  band.right - band.left, screen->Row(y) + band.left);
  screen->AddDamage(r);
  w->savedBits.reset();
  return true;
}

// --- Scrolling ---

int ScrollWindowEx(HWND hwnd, int dx, int dy, const RECT* scroll, const RECT* clip, HRGN update,
                   RECT* updateRect, UINT flags) {
  WIN_MARSHAL(ScrollWindowEx(hwnd, dx, dy, scroll, clip, update, updateRect, flags));
  TWindow* w = Wnd(hwnd);
  if (!w) return ERROR;
  RECT client{0, 0, w->client.right - w->client.left, w->client.bottom - w->client.top};
  RECT sr = scroll ? *scroll : client;
  RECT cr = clip ? *clip : client;
  IntersectRect(&cr, &cr, &client);
  POINT o = ClientOrigin(w);
  RECT srS = sr, crS = cr;
  OffsetRect(&srS, o.x, o.y);
  OffsetRect(&crS, o.x, o.y);
  GdiRegion vis = VisibleRegion(w, true, (w->style & WS_CLIPCHILDREN) != 0);
  GdiRegion source = GdiRegion(srS) & GdiRegion(crS) & vis;
  GdiRegion dest = source;
  dest.Offset(dx, dy);
  dest &= GdiRegion(crS) & vis;
  if (!dest.IsEmpty()) {
    POINT at;
    TSurface* target = PaintTarget(w, &at);
    GdiRegion local = dest;
    local.Offset(-at.x, -at.y);
    RECT from = srS;
    OffsetRect(&from, -at.x, -at.y);
    CopySurface(*target, from.left + dx, from.top + dy, *target, from, &local);
    ScreenSurface()->AddDamage(dest.Bounds());
  }
  GdiRegion invalid = ((GdiRegion(srS) & GdiRegion(crS)) & vis) - dest;
  if (!w->update.IsEmpty()) {
    GdiRegion inside = w->update & GdiRegion(srS);
    w->update -= inside;
    inside.Offset(dx, dy);
    w->update |= inside & GdiRegion(crS);
  }
  if (flags & SW_SCROLLCHILDREN) {
    std::vector<HWND> kids;
    for (TWindow* c : w->children) {
      RECT cr2 = c->rect, i;
      if (!scroll || IntersectRect(&i, &cr2, &sr)) kids.push_back(c->handle);
    }
    for (HWND k : kids) {
      TWindow* c = Wnd(k);
      if (!c) continue;
      SetWindowPos(k, nullptr, c->rect.left + dx, c->rect.top + dy, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
  }
  if (!(w = Wnd(hwnd))) return ERROR;
  if (flags & SW_INVALIDATE)
    InvalidateTree(w, invalid, (flags & SW_ERASE) != 0, false, (flags & SW_SCROLLCHILDREN) != 0);
  GdiRegion local = invalid;
  local.Offset(-o.x, -o.y);
  if (GdiRegion* out = update ? RegionFromHandle(update) : nullptr) *out = local;
  if (updateRect) *updateRect = local.IsEmpty() ? RECT{} : local.Bounds();
  return local.Complexity();
}

BOOL ScrollWindow(HWND hwnd, int dx, int dy, const RECT* scroll, const RECT* clip) {
  UINT flags = SW_INVALIDATE | SW_ERASE | (scroll ? 0 : SW_SCROLLCHILDREN);
  return ScrollWindowEx(hwnd, dx, dy, scroll, clip, nullptr, nullptr, flags) != ERROR;
}

BOOL ScrollDC(HDC dc, int dx, int dy, const RECT* scroll, const RECT* clip, HRGN update, RECT* updateRect) {
  RECT box{};
  GetClipBox(dc, &box);
  RECT sr = scroll ? *scroll : box;
  RECT cr = clip ? *clip : sr;
  RECT src;
  IntersectRect(&src, &sr, &cr);
  BitBlt(dc, src.left + dx, src.top + dy, src.right - src.left, src.bottom - src.top, dc, src.left, src.top,
         SRCCOPY);
  GdiRegion moved(src);
  moved.Offset(dx, dy);
  GdiRegion invalid = GdiRegion(src) - (moved & GdiRegion(cr));
  if (GdiRegion* out = update ? RegionFromHandle(update) : nullptr) *out = invalid;
  if (updateRect) *updateRect = invalid.IsEmpty() ? RECT{} : invalid.Bounds();
  return TRUE;
}

// --- Layered windows ---

BOOL SetLayeredWindowAttributes(HWND hwnd, COLORREF key, BYTE alpha, DWORD flags) {
  WIN_MARSHAL(SetLayeredWindowAttributes(hwnd, key, alpha, flags));
  TWindow* w = Wnd(hwnd);
  if (!w || !(w->exStyle & WS_EX_LAYERED)) return FALSE;
  w->layeredKey = key;
  w->layeredAlpha = alpha;
  w->layeredFlags = flags;
  if (!w->layeredByAttributes) {
    w->layeredByAttributes = true;
    w->layer.reset();
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
  }
  if ((w = Wnd(hwnd))) ScreenSurface()->AddDamage(ScreenWindowRect(w));
  return TRUE;
}

void LayeredStyleChanged(TWindow* w) {
  // DCs still drawing on the layer go with it.
  for (auto it = DcOwners().begin(); it != DcOwners().end();) {
    if (w->layeredByAttributes && TopOf(Wnd(it->second)) == w) {
      DeleteDC(it->first);
      it = DcOwners().erase(it);
    } else {
      ++it;
    }
  }
  w->layer.reset();
  w->layeredByAttributes = false;
  w->layeredAlpha = 255;
  w->layeredKey = 0;
  w->layeredFlags = 0;
  if (!w->IsTopLevel() || !IsReallyVisible(w)) return;
  ScreenSurface()->AddDamage(ScreenWindowRect(w));
  if (w->exStyle & WS_EX_LAYERED)
    ExposeBelow(w, ShapeScreen(w));  // no longer covers what lies below
  else
    InvalidateTree(w, ShapeScreen(w), true, true, true);  // now paints into the framebuffer
}

BOOL GetLayeredWindowAttributes(HWND hwnd, COLORREF* key, BYTE* alpha, DWORD* flags) {
  TWindow* w = Wnd(hwnd);
  if (!w || !(w->exStyle & WS_EX_LAYERED)) return FALSE;
  if (key) *key = w->layeredKey;
  if (alpha) *alpha = w->layeredAlpha;
  if (flags) *flags = w->layeredFlags;
  return TRUE;
}

BOOL UpdateLayeredWindow(HWND hwnd, HDC, const POINT* dstPos, const SIZE* size, HDC srcDC,
                         const POINT* srcPos, COLORREF, const BLENDFUNCTION* blend, DWORD flags) {
  WIN_MARSHAL(UpdateLayeredWindow(hwnd, nullptr, dstPos, size, srcDC, srcPos, 0, blend, flags));
  TWindow* w = Wnd(hwnd);
  if (!w || !(w->exStyle & WS_EX_LAYERED) || !w->IsTopLevel() || w->layeredByAttributes) return FALSE;
  RECT r = ScreenWindowRect(w);
  SIZE s = size ? *size : SIZE{r.right - r.left, r.bottom - r.top};
  if (srcDC) {
    POINT origin{};
    TSurface* src = GetDCSurface(srcDC, &origin);
    if (!src) return FALSE;
    auto layer = std::make_unique<TSurface>(std::max<LONG>(s.cx, 1), std::max<LONG>(s.cy, 1), 0);
    POINT sp = srcPos ? *srcPos : POINT{0, 0};
    RECT from{origin.x + sp.x, origin.y + sp.y, origin.x + sp.x + s.cx, origin.y + sp.y + s.cy};
    CopySurface(*layer, 0, 0, *src, from, nullptr);
    w->layer = std::move(layer);
  }
  w->layerBlend = blend ? *blend : BLENDFUNCTION{};
  if (flags & ULW_OPAQUE) w->layerBlend = BLENDFUNCTION{};
  ScreenSurface()->AddDamage(r);
  if (dstPos || size) {
    POINT p = dstPos ? *dstPos : POINT{r.left, r.top};
    SetWindowPos(hwnd, nullptr, p.x, p.y, s.cx, s.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE | (size ? 0 : SWP_NOSIZE));
  }
  if ((w = Wnd(hwnd))) ScreenSurface()->AddDamage(ScreenWindowRect(w));
  return TRUE;
}

void ComposeScreen(TSurface& out) { ComposeScreen(out, GdiRegion(ScreenSurface()->Bounds())); }

void ComposeScreen(TSurface& out, const GdiRegion& only) {
  TSurface* screen = ScreenSurface();
  if (out.Width() != screen->Width() || out.Height() != screen->Height())
    out.Resize(screen->Width(), screen->Height());
  CopySurface(out, 0, 0, *screen, screen->Bounds(), &only);
  auto& tops = WinState().desktop->children;
  for (auto it = tops.rbegin(); it != tops.rend(); ++it) {
    TWindow* w = *it;
    if (!Composed(w) || !w->layer || !w->Visible()) continue;
    const RECT r = ScreenWindowRect(w);
    // Opaque windows above stay on top; layered ones above are blended after this one.
    const GdiRegion area = (ShapeScreen(w) - AboveAtTopLevel(w)) & only;
    if (area.IsEmpty()) continue;
    if (w->layeredByAttributes) {
      BlendAttributeLayer(out, *w->layer, POINT{r.left, r.top}, area, w->layeredFlags, w->layeredKey,
                          w->layeredAlpha);
      continue;
    }
    RECT src{0, 0, std::min<LONG>(w->layer->Width(), r.right - r.left),
             std::min<LONG>(w->layer->Height(), r.bottom - r.top)};
    BlendSurface(out, r.left, r.top, *w->layer, src, w->layerBlend, &area);
  }
}
