// The window tree: creation, destruction, relations, window data and coordinates.
#include "platform/win/WindowTree.h"

#include <algorithm>

#include "platform/rtl/String.h"
#include "platform/win/Metrics.h"
#include "platform/win/SysColors.h"
#include "platform/win/WinInternal.h"

namespace {

// The desktop shows its background colour wherever no window covers it.
LRESULT DesktopProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCPAINT) return 0;
  if (msg == WM_ERASEBKGND) {
    RECT r = ScreenRect();
    FillRect(reinterpret_cast<HDC>(wParam), &r, GetSysColorBrush(COLOR_BACKGROUND));
    return 1;
  }
  return DefWindowProc(hwnd, msg, wParam, lParam);
}

void CreateDesktop(TWinState& s) {
  auto cls = std::make_unique<TWndClassEntry>();
  cls->name = u"#32769";
  cls->proc = &DesktopProc;
  cls->atom = 32769;
  TWndClassEntry* c = cls.get();
  s.classes.push_back(std::move(cls));
  auto w = std::make_unique<TWindow>();
  w->handle = reinterpret_cast<HWND>(s.nextHandle);
  s.nextHandle += 2;
  w->cls = c;
  w->proc = c->proc;
  w->style = WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  w->rect = ScreenRect();
  w->client = w->rect;
  w->threadId = GetUiThreadId();
  s.desktop = w.get();
  s.windows.emplace(w->handle, std::move(w));
}

void InsertChild(TWindow* parent, TWindow* w, bool onTop) {
  auto& list = parent->children;
  if (!onTop) {
    list.push_back(w);
    return;
  }
  auto pos = list.begin();
  // Top-level windows that are not top-most go below the top-most band.
  if (parent->IsDesktop() && !(w->exStyle & WS_EX_TOPMOST))
    while (pos != list.end() && ((*pos)->exStyle & WS_EX_TOPMOST)) ++pos;
  list.insert(pos, w);
}

void RemoveChild(TWindow* parent, TWindow* w) {
  if (!parent) return;
  auto& list = parent->children;
  list.erase(std::remove(list.begin(), list.end(), w), list.end());
}

void SendParentNotify(TWindow* w, UINT event) {
  HWND h = w->handle;
  while (true) {
    TWindow* cur = Wnd(h);
    if (!cur || !cur->IsChild() || (cur->exStyle & WS_EX_NOPARENTNOTIFY)) return;
    HWND parent = cur->parent->handle;
    SendMessage(parent, WM_PARENTNOTIFY, MAKEWPARAM(static_cast<WORD>(event), static_cast<WORD>(Wnd(h)->id)),
                reinterpret_cast<LPARAM>(w->handle));
    h = parent;
  }
}

MINMAXINFO DefaultMinMax(TWindow* w) {
  MINMAXINFO mmi{};
  RECT work{};
  SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
  RECT insets = NonClientInsets(w->style, w->exStyle, false, false);
  int fx = insets.left, fy = insets.bottom;
  mmi.ptMaxSize = {work.right - work.left + 2 * fx, work.bottom - work.top + 2 * fy};
  mmi.ptMaxPosition = {work.left - fx, work.top - fy};
  mmi.ptMinTrackSize = {GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)};
  mmi.ptMaxTrackSize = {GetSystemMetrics(SM_CXMAXTRACK), GetSystemMetrics(SM_CYMAXTRACK)};
  return mmi;
}

void SendDestroyTree(HWND h) {
  SendMessage(h, WM_DESTROY, 0, 0);
  TWindow* w = Wnd(h);
  if (!w) return;
  std::vector<HWND> kids;
  for (TWindow* c : w->children) kids.push_back(c->handle);
  for (HWND k : kids)
    if (TWindow* c = Wnd(k)) {
      c->destroying = true;
      SendDestroyTree(k);
    }
}

void FreeTree(HWND h) {
  TWindow* w = Wnd(h);
  if (!w) return;
  std::vector<HWND> kids;
  for (TWindow* c : w->children) kids.push_back(c->handle);
  for (HWND k : kids) FreeTree(k);
  w = Wnd(h);
  if (!w) return;
  OnWindowDestroyedFocus(w);
  OnWindowDestroyedCaret(h);
  SendMessage(h, WM_NCDESTROY, 0, 0);
  w = Wnd(h);
  if (!w) return;
  TWinState& s = WinState();
  KillWindowTimers(h);
  PurgeWindowMessages(h);
  OnWindowDestroyedPaint(w);
  DestroySystemMenu(w);
  // Children that survived (created during destruction) go with their parent.
  std::vector<HWND> late;
  for (TWindow* c : w->children) late.push_back(c->handle);
  for (HWND k : late) FreeTree(k);
  for (auto& [handle, other] : s.windows)
    if (other->owner == w) other->owner = nullptr;
  RemoveChild(w->parent, w);
  if (w->cls) w->cls->windowCount--;
  if (s.focus == h) s.focus = nullptr;
  if (s.active == h) s.active = nullptr;
  if (s.capture == h) s.capture = nullptr;
  s.windows.erase(h);
}

bool MatchesPoint(TWindow* c, POINT screen, UINT flags) {
  if ((flags & CWP_SKIPINVISIBLE) && !c->Visible()) return false;
  if ((flags & CWP_SKIPDISABLED) && (c->style & WS_DISABLED)) return false;
  if ((flags & CWP_SKIPTRANSPARENT) && (c->exStyle & WS_EX_TRANSPARENT)) return false;
  RECT r = ScreenWindowRect(c);
  if (!PtInRect(&r, screen)) return false;
  if (c->windowRgn && !c->windowRgn->Contains(screen.x - r.left, screen.y - r.top)) return false;
  return true;
}

}  // namespace

TWinState& WinState() {
  static TWinState state;
  if (!state.desktop) CreateDesktop(state);
  return state;
}

TWindow* Wnd(HWND hwnd) {
  if (!hwnd) return nullptr;
  auto& map = WinState().windows;
  auto it = map.find(hwnd);
  return it == map.end() ? nullptr : it->second.get();
}

POINT ClientOrigin(const TWindow* w) {
  POINT p{0, 0};
  for (const TWindow* cur = w; cur && cur->parent; cur = cur->parent) {
    p.x += cur->client.left;
    p.y += cur->client.top;
  }
  return p;
}

RECT ScreenWindowRect(const TWindow* w) {
  if (!w->parent) return w->rect;
  POINT o = ClientOrigin(w->parent);
  RECT r = w->rect;
  OffsetRect(&r, o.x, o.y);
  return r;
}

RECT ScreenClientRect(const TWindow* w) {
  if (!w->parent) return w->client;
  POINT o = ClientOrigin(w->parent);
  RECT r = w->client;
  OffsetRect(&r, o.x, o.y);
  return r;
}

bool IsReallyVisible(const TWindow* w) {
  for (const TWindow* cur = w; cur; cur = cur->parent)
    if (!cur->Visible()) return false;
  return w && w->parent != nullptr ? IsDescendant(WinState().desktop, w) : w != nullptr;
}

TWindow* TopLevelOf(TWindow* w) {
  while (w && w->parent && !w->parent->IsDesktop()) w = w->parent;
  return w;
}

bool IsDescendant(const TWindow* ancestor, const TWindow* w) {
  for (const TWindow* cur = w; cur; cur = cur->parent)
    if (cur == ancestor) return true;
  return false;
}

bool WindowContainsPoint(const TWindow* w, POINT screen) {
  RECT r = ScreenWindowRect(w);
  if (!PtInRect(&r, screen)) return false;
  if (w->windowRgn && !w->windowRgn->Contains(screen.x - r.left, screen.y - r.top)) return false;
  for (const TWindow* p = w->parent; p && p->parent; p = p->parent) {
    RECT c = ScreenClientRect(p);
    if (!PtInRect(&c, screen)) return false;
  }
  return true;
}

LRESULT CallWndProcRaw(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  TWindow* w = Wnd(hwnd);
  if (!w || !w->proc) return 0;
  return w->proc(hwnd, msg, wParam, lParam);
}

// --- Creation ---

HWND CreateWindowEx(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x, int y,
                    int width, int height, HWND parentHandle, HMENU menu, HINSTANCE instance, void* param) {
  WIN_MARSHAL(CreateWindowEx(exStyle, className, windowName, style, x, y, width, height, parentHandle, menu,
                             instance, param));
  TWinState& s = WinState();
  TWndClassEntry* cls = FindWindowClass(NameOf(className));
  if (!cls) return nullptr;

  TWindow* parent = s.desktop;
  TWindow* owner = nullptr;
  static TWindow* messageRoot = nullptr;
  if (parentHandle == HWND_MESSAGE) {
    if (!messageRoot) {
      auto root = std::make_unique<TWindow>();
      root->handle = reinterpret_cast<HWND>(s.nextHandle);
      s.nextHandle += 2;
      root->cls = s.desktop->cls;
      root->proc = &DefWindowProc;
      messageRoot = root.get();
      s.windows.emplace(root->handle, std::move(root));
    }
    parent = messageRoot;
    style &= ~(WS_CHILD | WS_VISIBLE);
  } else if (style & WS_CHILD) {
    TWindow* p = Wnd(parentHandle);
    if (!p) return nullptr;
    parent = p;
  } else if (parentHandle) {
    TWindow* p = Wnd(parentHandle);
    if (!p) return nullptr;
    if (p != s.desktop) owner = TopLevelOf(p);
  }
  if (!(style & (WS_CHILD | WS_POPUP))) style |= WS_CLIPSIBLINGS | WS_CAPTION;

  RECT screen = ScreenRect();
  if (x == CW_USEDEFAULT) {
    static int cascade = 0;
    x = y = (style & WS_CHILD) ? 0 : 22 * (cascade++ % 8);
  }
  if (width == CW_USEDEFAULT) {
    width = (style & WS_CHILD) ? 0 : (screen.right - screen.left) * 3 / 4;
    height = (style & WS_CHILD) ? 0 : (screen.bottom - screen.top) * 3 / 4;
  }
  if (width < 0) width = 0;
  if (height < 0) height = 0;

  auto owned = std::make_unique<TWindow>();
  TWindow* w = owned.get();
  w->handle = reinterpret_cast<HWND>(s.nextHandle);
  s.nextHandle += 2;
  w->cls = cls;
  w->parent = parent;
  w->owner = owner;
  w->style = style & ~WS_VISIBLE;
  w->exStyle = exStyle;
  w->proc = cls->proc;
  w->instance = instance;
  w->id = (style & WS_CHILD) ? reinterpret_cast<LONG_PTR>(menu) : 0;
  w->extra.assign((cls->cbWndExtra + sizeof(LONG_PTR) - 1) / sizeof(LONG_PTR), 0);
  w->threadId = GetCurrentThreadId();
  w->rect = {x, y, x + width, y + height};
  w->client = w->rect;
  HWND h = w->handle;
  cls->windowCount++;
  s.windows.emplace(h, std::move(owned));
  // Children go below their siblings, so that z-order is creation (tab) order.
  InsertChild(parent, w, !(style & WS_CHILD));

  CREATESTRUCT cs;
  cs.lpCreateParams = param;
  cs.hInstance = instance;
  cs.hMenu = menu;
  cs.hwndParent = parentHandle;
  cs.cx = width;
  cs.cy = height;
  cs.x = x;
  cs.y = y;
  cs.style = static_cast<LONG>(style);
  cs.lpszName = windowName;
  cs.lpszClass = className;
  cs.dwExStyle = exStyle;

  if (!(style & WS_CHILD)) {
    MINMAXINFO mmi = DefaultMinMax(w);
    SendMessage(h, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
    if (!(w = Wnd(h))) return nullptr;
    if (width > mmi.ptMaxTrackSize.x) width = mmi.ptMaxTrackSize.x;
    if (height > mmi.ptMaxTrackSize.y) height = mmi.ptMaxTrackSize.y;
    if (style & WS_THICKFRAME) {
      width = std::max<int>(width, mmi.ptMinTrackSize.x);
      height = std::max<int>(height, mmi.ptMinTrackSize.y);
    }
    w->rect = {x, y, x + width, y + height};
    w->client = w->rect;
    cs.cx = width;
    cs.cy = height;
  }
  if (windowName) w->text = NameOf(windowName);

  if (!SendMessage(h, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs))) {
    if (Wnd(h)) {
      Wnd(h)->destroying = true;
      FreeTree(h);
    }
    return nullptr;
  }
  if (!(w = Wnd(h))) return nullptr;
  RECT r = w->rect;
  SendMessage(h, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&r));
  if (!(w = Wnd(h))) return nullptr;
  w->client = r;
  if (w->client.right < w->client.left) w->client.right = w->client.left;
  if (w->client.bottom < w->client.top) w->client.bottom = w->client.top;

  if (SendMessage(h, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
    DestroyWindow(h);
    return nullptr;
  }
  if (!(w = Wnd(h))) return nullptr;
  if (!w->sentSizeMove) {
    w->sentSizeMove = true;
    RECT c = w->client;
    SendMessage(h, WM_SIZE, SIZE_RESTORED,
                MAKELPARAM(static_cast<WORD>(c.right - c.left), static_cast<WORD>(c.bottom - c.top)));
    if (!(w = Wnd(h))) return nullptr;
    SendMessage(h, WM_MOVE, 0, PointToLParam(w->client.left, w->client.top));
    if (!(w = Wnd(h))) return nullptr;
  }
  PlaceCreatedMinMax(h);
  if (!(w = Wnd(h))) return nullptr;
  SendParentNotify(w, WM_CREATE);
  if (!(w = Wnd(h))) return nullptr;
  if (style & WS_VISIBLE) {
    int cmd = SW_SHOW;
    if (style & WS_MAXIMIZE) cmd = SW_SHOWMAXIMIZED;
    if (style & WS_MINIMIZE) cmd = SW_SHOWMINIMIZED;
    ShowWindow(h, cmd);
  }
  return Wnd(h) ? h : nullptr;
}

BOOL DestroyWindow(HWND hwnd) {
  WIN_MARSHAL(DestroyWindow(hwnd));
  TWindow* w = Wnd(hwnd);
  if (!w || w->IsDesktop() || w->destroying) return FALSE;
  w->destroying = true;
  SendParentNotify(w, WM_DESTROY);
  if (!(w = Wnd(hwnd))) return TRUE;
  if (w->Visible()) {
    UINT flags = SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER;
    if (WinState().active != hwnd) flags |= SWP_NOACTIVATE;
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, flags);
    if (!(w = Wnd(hwnd))) return TRUE;
  }
  // Owned windows go first.
  if (w->IsTopLevel()) {
    std::vector<HWND> ownedList;
    for (auto& [h, other] : WinState().windows)
      if (other->owner == w) ownedList.push_back(h);
    for (HWND o : ownedList) DestroyWindow(o);
  }
  if (!Wnd(hwnd)) return TRUE;
  // Capture, focus and activation leave the tree before it hears WM_DESTROY.
  OnWindowDestroyedFocus(Wnd(hwnd));
  if (!Wnd(hwnd)) return TRUE;
  SendDestroyTree(hwnd);
  FreeTree(hwnd);
  return TRUE;
}

// --- Relations ---

BOOL IsWindow(HWND hwnd) {
  if (!IsUiThread()) return MarshalToUi([&] { return IsWindow(hwnd); });
  return Wnd(hwnd) != nullptr;
}

HWND GetDesktopWindow() { return WinState().desktop->handle; }

HWND GetParent(HWND hwnd) {
  WIN_MARSHAL(GetParent(hwnd));
  TWindow* w = Wnd(hwnd);
  if (!w) return nullptr;
  if (w->style & WS_CHILD) return w->parent && !w->parent->IsDesktop() ? w->parent->handle : nullptr;
  if (w->style & WS_POPUP) return H(w->owner);
  return nullptr;
}

HWND GetAncestor(HWND hwnd, UINT flags) {
  WIN_MARSHAL(GetAncestor(hwnd, flags));
  TWindow* w = Wnd(hwnd);
  if (!w || w->IsDesktop()) return nullptr;
  switch (flags) {
    case GA_PARENT:
      return H(w->parent);
    case GA_ROOT:
      return H(TopLevelOf(w));
    case GA_ROOTOWNER: {
      TWindow* top = TopLevelOf(w);
      while (top->owner) top = top->owner;
      return H(top);
    }
    default:
      return nullptr;
  }
}

BOOL IsChild(HWND parent, HWND hwnd) {
  WIN_MARSHAL(IsChild(parent, hwnd));
  TWindow* p = Wnd(parent);
  TWindow* w = Wnd(hwnd);
  if (!p || !w || p == w) return FALSE;
  for (TWindow* cur = w; cur && (cur->style & WS_CHILD); cur = cur->parent)
    if (cur->parent == p) return TRUE;
  return FALSE;
}

HWND GetWindow(HWND hwnd, UINT relation) {
  WIN_MARSHAL(GetWindow(hwnd, relation));
  TWindow* w = Wnd(hwnd);
  if (!w) return nullptr;
  if (relation == GW_CHILD) return w->children.empty() ? nullptr : w->children.front()->handle;
  if (relation == GW_OWNER) return H(w->owner);
  if (relation == GW_ENABLEDPOPUP) {
    for (TWindow* c : WinState().desktop->children)
      if (c->owner == w && c->Visible() && !(c->style & WS_DISABLED)) return c->handle;
    return nullptr;
  }
  if (!w->parent) return nullptr;
  auto& list = w->parent->children;
  auto it = std::find(list.begin(), list.end(), w);
  switch (relation) {
    case GW_HWNDFIRST:
      return list.front()->handle;
    case GW_HWNDLAST:
      return list.back()->handle;
    case GW_HWNDNEXT:
      return (it != list.end() && it + 1 != list.end()) ? (*(it + 1))->handle : nullptr;
    case GW_HWNDPREV:
      return (it != list.end() && it != list.begin()) ? (*(it - 1))->handle : nullptr;
    default:
      return nullptr;
  }
}

HWND GetTopWindow(HWND hwnd) {
  TWindow* w = hwnd ? Wnd(hwnd) : WinState().desktop;
  return w && !w->children.empty() ? w->children.front()->handle : nullptr;
}

BOOL EnumWindows(WNDENUMPROC proc, LPARAM lParam) {
  std::vector<HWND> list;
  for (TWindow* c : WinState().desktop->children) list.push_back(c->handle);
  for (HWND h : list)
    if (Wnd(h) && !proc(h, lParam)) return FALSE;
  return TRUE;
}

namespace {
bool EnumChildrenRec(TWindow* w, WNDENUMPROC proc, LPARAM lParam) {
  std::vector<HWND> list;
  for (TWindow* c : w->children) list.push_back(c->handle);
  for (HWND h : list) {
    if (!Wnd(h)) continue;
    if (!proc(h, lParam)) return false;
    if (TWindow* c = Wnd(h))
      if (!EnumChildrenRec(c, proc, lParam)) return false;
  }
  return true;
}
}  // namespace

BOOL EnumChildWindows(HWND parent, WNDENUMPROC proc, LPARAM lParam) {
  TWindow* p = parent ? Wnd(parent) : WinState().desktop;
  if (!p) return FALSE;
  return EnumChildrenRec(p, proc, lParam) ? TRUE : FALSE;
}

BOOL EnumThreadWindows(DWORD threadId, WNDENUMPROC proc, LPARAM lParam) {
  std::vector<HWND> list;
  for (TWindow* c : WinState().desktop->children)
    if (c->threadId == threadId) list.push_back(c->handle);
  for (HWND h : list)
    if (Wnd(h) && !proc(h, lParam)) return FALSE;
  return TRUE;
}

HWND FindWindow(LPCWSTR className, LPCWSTR windowName) {
  for (TWindow* c : WinState().desktop->children) {
    if (className && FoldCase(c->cls->name) != FoldCase(NameOf(className))) continue;
    if (windowName && c->text != windowName) continue;
    return c->handle;
  }
  return nullptr;
}

DWORD GetWindowThreadProcessId(HWND hwnd, DWORD* processId) {
  TWindow* w = Wnd(hwnd);
  if (processId) *processId = 1;
  return w ? w->threadId : 0;
}

HWND SetParent(HWND child, HWND newParent) {
  WIN_MARSHAL(SetParent(child, newParent));
  TWindow* w = Wnd(child);
  TWindow* p = newParent ? Wnd(newParent) : WinState().desktop;
  if (!w || !p || w->IsDesktop() || IsDescendant(w, p)) return nullptr;
  TWindow* old = w->parent;
  HWND oldHandle = old ? old->handle : nullptr;
  if (old == p) return oldHandle;
  bool visible = w->Visible();
  if (visible) ShowWindow(child, SW_HIDE);
  if (!(w = Wnd(child)) || !(p = newParent ? Wnd(newParent) : WinState().desktop)) return nullptr;
  // The window keeps its position relative to the old parent's client area.
  RemoveChild(w->parent, w);
  w->parent = p;
  if (p->IsDesktop() && (w->style & WS_CHILD)) w->owner = nullptr;
  InsertChild(p, w, true);
  if (visible) ShowWindow(child, SW_SHOWNA);
  return oldHandle;
}

// --- State ---

BOOL IsWindowVisible(HWND hwnd) {
  WIN_MARSHAL(IsWindowVisible(hwnd));
  TWindow* w = Wnd(hwnd);
  if (!w) return FALSE;
  for (TWindow* cur = w; cur; cur = cur->parent)
    if (!cur->Visible()) return FALSE;
  return TRUE;
}

BOOL IsWindowEnabled(HWND hwnd) {
  WIN_MARSHAL(IsWindowEnabled(hwnd));
  TWindow* w = Wnd(hwnd);
  return w && !(w->style & WS_DISABLED);
}

BOOL IsIconic(HWND hwnd) {
  TWindow* w = Wnd(hwnd);
  return w && (w->style & WS_MINIMIZE);
}

BOOL IsZoomed(HWND hwnd) {
  TWindow* w = Wnd(hwnd);
  return w && (w->style & WS_MAXIMIZE);
}

// --- Window data ---

LONG_PTR GetWindowLongPtr(HWND hwnd, int index) {
  WIN_MARSHAL(GetWindowLongPtr(hwnd, index));
  TWindow* w = Wnd(hwnd);
  if (!w) return 0;
  switch (index) {
    case GWLP_WNDPROC:
      return reinterpret_cast<LONG_PTR>(w->proc);
    case GWLP_HINSTANCE:
      return reinterpret_cast<LONG_PTR>(w->instance);
    case GWLP_HWNDPARENT:
      return reinterpret_cast<LONG_PTR>(w->IsChild() ? w->parent->handle : H(w->owner));
    case GWLP_ID:
      return w->id;
    case GWL_STYLE:
      return static_cast<LONG_PTR>(static_cast<LONG>(w->style));
    case GWL_EXSTYLE:
      return static_cast<LONG_PTR>(static_cast<LONG>(w->exStyle));
    case GWLP_USERDATA:
      return w->userData;
    default:
      if (index >= 0 && index % static_cast<int>(sizeof(LONG_PTR)) == 0 &&
          static_cast<size_t>(index) / sizeof(LONG_PTR) < w->extra.size())
        return w->extra[index / sizeof(LONG_PTR)];
      return 0;
  }
}

struct STYLESTRUCT {
  DWORD styleOld;
  DWORD styleNew;
};

LONG_PTR SetWindowLongPtr(HWND hwnd, int index, LONG_PTR value) {
  WIN_MARSHAL(SetWindowLongPtr(hwnd, index, value));
  TWindow* w = Wnd(hwnd);
  if (!w) return 0;
  LONG_PTR old = GetWindowLongPtr(hwnd, index);
  switch (index) {
    case GWLP_WNDPROC:
      w->proc = reinterpret_cast<WNDPROC>(value);
      break;
    case GWLP_HINSTANCE:
      w->instance = reinterpret_cast<HINSTANCE>(value);
      break;
    case GWLP_HWNDPARENT:
      if (!w->IsChild()) {
        TWindow* o = Wnd(reinterpret_cast<HWND>(value));
        w->owner = o ? TopLevelOf(o) : nullptr;
      }
      break;
    case GWLP_ID:
      w->id = value;
      break;
    case GWLP_USERDATA:
      w->userData = value;
      break;
    case GWL_STYLE:
    case GWL_EXSTYLE: {
      STYLESTRUCT ss{static_cast<DWORD>(old), static_cast<DWORD>(value)};
      SendMessage(hwnd, WM_STYLECHANGING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&ss));
      if (!(w = Wnd(hwnd))) return 0;
      if (index == GWL_STYLE)
        w->style = ss.styleNew;
      else {
        bool wasTopmost = w->exStyle & WS_EX_TOPMOST;
        const bool wasLayered = w->exStyle & WS_EX_LAYERED;
        w->exStyle = ss.styleNew;
        if (wasTopmost)
          w->exStyle |= WS_EX_TOPMOST;  // only SetWindowPos changes the band
        else
          w->exStyle &= ~WS_EX_TOPMOST;
        if (wasLayered != ((w->exStyle & WS_EX_LAYERED) != 0)) LayeredStyleChanged(w);
      }
      SendMessage(hwnd, WM_STYLECHANGED, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&ss));
      break;
    }
    default:
      if (index >= 0 && index % static_cast<int>(sizeof(LONG_PTR)) == 0 &&
          static_cast<size_t>(index) / sizeof(LONG_PTR) < w->extra.size())
        w->extra[index / sizeof(LONG_PTR)] = value;
      else
        return 0;
  }
  return old;
}

LRESULT CallWindowProc(WNDPROC proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return proc ? proc(hwnd, msg, wParam, lParam) : 0;
}

int GetDlgCtrlID(HWND hwnd) {
  TWindow* w = Wnd(hwnd);
  return w && (w->style & WS_CHILD) ? static_cast<int>(w->id) : 0;
}

HWND GetDlgItem(HWND parent, int id) {
  TWindow* p = Wnd(parent);
  if (!p) return nullptr;
  for (TWindow* c : p->children)
    if (c->id == id) return c->handle;
  return nullptr;
}

namespace {
String PropKey(LPCWSTR name) {
  if (IS_INTRESOURCE(name))
    return u"#" + Utf8ToString(std::to_string(reinterpret_cast<std::uintptr_t>(name)));
  return FoldCase(name);
}
}  // namespace

BOOL SetProp(HWND hwnd, LPCWSTR name, HANDLE data) {
  WIN_MARSHAL(SetProp(hwnd, name, data));
  TWindow* w = Wnd(hwnd);
  if (!w || !name) return FALSE;
  String key = PropKey(name);
  for (auto& p : w->props)
    if (p.first == key) {
      p.second = data;
      return TRUE;
    }
  w->props.emplace_back(key, data);
  return TRUE;
}

HANDLE GetProp(HWND hwnd, LPCWSTR name) {
  WIN_MARSHAL(GetProp(hwnd, name));
  TWindow* w = Wnd(hwnd);
  if (!w || !name) return nullptr;
  String key = PropKey(name);
  for (auto& p : w->props)
    if (p.first == key) return p.second;
  return nullptr;
}

HANDLE RemoveProp(HWND hwnd, LPCWSTR name) {
  WIN_MARSHAL(RemoveProp(hwnd, name));
  TWindow* w = Wnd(hwnd);
  if (!w || !name) return nullptr;
  String key = PropKey(name);
  for (auto it = w->props.begin(); it != w->props.end(); ++it)
    if (it->first == key) {
      HANDLE data = it->second;
      w->props.erase(it);
      return data;
    }
  return nullptr;
}

BOOL SetWindowText(HWND hwnd, LPCWSTR text) {
  if (!Wnd(hwnd) && IsUiThread()) return FALSE;
  return SendMessage(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text ? text : u"")) ? TRUE : FALSE;
}

int GetWindowText(HWND hwnd, LPWSTR buffer, int maxCount) {
  if (!buffer || maxCount <= 0) return 0;
  buffer[0] = 0;
  return static_cast<int>(
      SendMessage(hwnd, WM_GETTEXT, static_cast<WPARAM>(maxCount), reinterpret_cast<LPARAM>(buffer)));
}

int GetWindowTextLength(HWND hwnd) { return static_cast<int>(SendMessage(hwnd, WM_GETTEXTLENGTH, 0, 0)); }

String GetWindowTextString(HWND hwnd) {
  int n = GetWindowTextLength(hwnd);
  String s(static_cast<size_t>(n) + 1, u'\0');
  int got = GetWindowText(hwnd, s.data(), n + 1);
  s.resize(static_cast<size_t>(std::max(got, 0)));
  return s;
}

// --- Placement and coordinates ---

BOOL GetWindowRect(HWND hwnd, RECT* rect) {
  WIN_MARSHAL(GetWindowRect(hwnd, rect));
  TWindow* w = Wnd(hwnd);
  if (!w || !rect) return FALSE;
  *rect = ScreenWindowRect(w);
  return TRUE;
}

BOOL GetClientRect(HWND hwnd, RECT* rect) {
  WIN_MARSHAL(GetClientRect(hwnd, rect));
  TWindow* w = Wnd(hwnd);
  if (!w || !rect) return FALSE;
  *rect = {0, 0, w->client.right - w->client.left, w->client.bottom - w->client.top};
  return TRUE;
}

BOOL ClientToScreen(HWND hwnd, POINT* point) {
  WIN_MARSHAL(ClientToScreen(hwnd, point));
  TWindow* w = Wnd(hwnd);
  if (!w || !point) return FALSE;
  POINT o = ClientOrigin(w);
  point->x += o.x;
  point->y += o.y;
  return TRUE;
}

BOOL ScreenToClient(HWND hwnd, POINT* point) {
  WIN_MARSHAL(ScreenToClient(hwnd, point));
  TWindow* w = Wnd(hwnd);
  if (!w || !point) return FALSE;
  POINT o = ClientOrigin(w);
  point->x -= o.x;
  point->y -= o.y;
  return TRUE;
}

int MapWindowPoints(HWND from, HWND to, POINT* points, UINT count) {
  WIN_MARSHAL(MapWindowPoints(from, to, points, count));
  POINT a{0, 0}, b{0, 0};
  if (from) {
    TWindow* w = Wnd(from);
    if (!w) return 0;
    a = ClientOrigin(w);
  }
  if (to) {
    TWindow* w = Wnd(to);
    if (!w) return 0;
    b = ClientOrigin(w);
  }
  int dx = a.x - b.x, dy = a.y - b.y;
  for (UINT i = 0; i < count; ++i) {
    points[i].x += dx;
    points[i].y += dy;
  }
  return static_cast<int>(
      MAKELONG(static_cast<WORD>(static_cast<SHORT>(dx)), static_cast<WORD>(static_cast<SHORT>(dy))));
}

HWND WindowFromPoint(POINT point) {
  WIN_MARSHAL(WindowFromPoint(point));
  HWND target = nullptr;
  HitTestScreen(point, &target);
  return target;
}

HWND ChildWindowFromPointEx(HWND parent, POINT point, UINT flags) {
  WIN_MARSHAL(ChildWindowFromPointEx(parent, point, flags));
  TWindow* p = Wnd(parent);
  if (!p) return nullptr;
  POINT screen = point;
  ClientToScreen(parent, &screen);
  RECT pr = ScreenClientRect(p);
  if (!p->IsDesktop() && !PtInRect(&pr, screen)) {
    RECT wr = ScreenWindowRect(p);
    if (!PtInRect(&wr, screen)) return nullptr;
    return parent;
  }
  for (TWindow* c : p->children)
    if (MatchesPoint(c, screen, flags)) return c->handle;
  return parent;
}

HWND ChildWindowFromPoint(HWND parent, POINT point) { return ChildWindowFromPointEx(parent, point, CWP_ALL); }

HWND RealChildWindowFromPoint(HWND parent, POINT point) {
  return ChildWindowFromPointEx(parent, point, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
}

BOOL AdjustWindowRectEx(RECT* rect, DWORD style, BOOL, DWORD exStyle) {
  if (!rect) return FALSE;
  RECT in = NonClientInsets(style, exStyle, false, false);
  rect->left -= in.left;
  rect->top -= in.top;
  rect->right += in.right;
  rect->bottom += in.bottom;
  return TRUE;
}

int GetWindowRgn(HWND hwnd, HRGN region) {
  TWindow* w = Wnd(hwnd);
  if (!w || !w->windowRgn || !region) return ERROR;
  GdiRegion* r = RegionFromHandle(region);
  if (!r) return ERROR;
  *r = *w->windowRgn;
  return r->Complexity();
}
