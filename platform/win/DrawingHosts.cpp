// What the drawing layer needs from the window system: where drag images go on the screen, the
// WM_THEMECHANGED broadcast, and the parent's painting behind themed children.
#include "platform/gdi/Gdi.h"
#include "platform/win/WinInternal.h"
#include "platform/win/Windows.h"

namespace {

class TScreenDragHost : public DragImageHost {
 public:
  POINT WindowOrigin(HWND lock) override {
    TWindow* w = lock ? Wnd(lock) : nullptr;
    if (!w) return {0, 0};
    const RECT r = ScreenWindowRect(w);
    return {r.left, r.top};
  }
  HDC GetScreenDC() override { return GetDC(nullptr); }
  void ReleaseScreenDC(HDC dc) override { ReleaseDC(nullptr, dc); }
};

void CollectTree(TWindow* w, std::vector<HWND>& out) {
  out.push_back(w->handle);
  for (TWindow* c : w->children) CollectTree(c, out);
}

// Every window hears of it, parents before their children.
void BroadcastThemeChanged() {
  std::vector<HWND> all;
  for (TWindow* top : WinState().desktop->children) CollectTree(top, all);
  for (HWND h : all)
    if (Wnd(h)) SendMessage(h, WM_THEMECHANGED, 0, 0);
}

// The parent paints its background and client area into the child's DC, moved so that the
// parent's coordinates land where the child lies over it.
HRESULT PaintParentBackground(HWND child, HDC dc, const RECT* rect) {
  TWindow* w = Wnd(child);
  if (!w || !w->IsChild() || !dc) return E_FAIL;
  const HWND parent = w->parent->handle;
  const POINT childOrigin = ClientOrigin(w), parentOrigin = ClientOrigin(w->parent);
  const int saved = SaveDC(dc);
  if (rect) IntersectClipRect(dc, rect->left, rect->top, rect->right, rect->bottom);
  OffsetViewportOrgEx(dc, parentOrigin.x - childOrigin.x, parentOrigin.y - childOrigin.y, nullptr);
  SendMessage(parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  SendMessage(parent, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  RestoreDC(dc, saved);
  return S_OK;
}

}  // namespace

void InstallDrawingHosts() {
  static TScreenDragHost dragHost;
  SetDragImageHost(&dragHost);
  SetThemeChangedHandler(&BroadcastThemeChanged);
  SetThemeParentBackgroundHandler(&PaintParentBackground);
}

void RemoveDrawingHosts() {
  SetDragImageHost(nullptr);
  SetThemeChangedHandler(nullptr);
  SetThemeParentBackgroundHandler(nullptr);
}
