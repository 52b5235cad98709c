// Window classes: registration, lookup by name (or atom) and the class data.
#include "platform/rtl/String.h"
#include "platform/win/WinInternal.h"
#include "platform/win/WindowTree.h"

TWndClassEntry* FindWindowClass(const String& name) {
  String folded = FoldCase(name);
  for (auto& c : WinState().classes)
    if (FoldCase(c->name) == folded) return c.get();
  return nullptr;
}

ATOM RegisterClassEx(const WNDCLASSEX* wc) {
  WIN_MARSHAL(RegisterClassEx(wc));
  if (!wc || !wc->lpszClassName) return 0;
  String name = NameOf(wc->lpszClassName);
  if (name.empty() || FindWindowClass(name)) return 0;
  auto cls = std::make_unique<TWndClassEntry>();
  cls->name = name;
  cls->style = wc->style;
  cls->proc = wc->lpfnWndProc ? wc->lpfnWndProc : &DefWindowProc;
  cls->cbClsExtra = wc->cbClsExtra;
  cls->cbWndExtra = wc->cbWndExtra;
  cls->instance = wc->hInstance;
  cls->icon = wc->hIcon;
  cls->iconSm = wc->hIconSm;
  cls->cursor = wc->hCursor;
  cls->background = wc->hbrBackground;
  cls->atom = GlobalAddAtom(name.c_str());
  ATOM atom = cls->atom;
  WinState().classes.push_back(std::move(cls));
  return atom;
}

BOOL UnregisterClass(LPCWSTR className, HINSTANCE) {
  WIN_MARSHAL(UnregisterClass(className, nullptr));
  TWndClassEntry* c = FindWindowClass(NameOf(className));
  if (!c || c->windowCount > 0 || c == WinState().desktop->cls) return FALSE;
  auto& list = WinState().classes;
  list.erase(std::remove_if(list.begin(), list.end(), [c](auto& p) { return p.get() == c; }), list.end());
  return TRUE;
}

BOOL GetClassInfoEx(HINSTANCE instance, LPCWSTR className, WNDCLASSEX* wc) {
  TWndClassEntry* c = FindWindowClass(NameOf(className));
  if (!c || !wc) return FALSE;
  wc->style = c->style;
  wc->lpfnWndProc = c->proc;
  wc->cbClsExtra = c->cbClsExtra;
  wc->cbWndExtra = c->cbWndExtra;
  wc->hInstance = instance;
  wc->hIcon = c->icon;
  wc->hIconSm = c->iconSm;
  wc->hCursor = c->cursor;
  wc->hbrBackground = c->background;
  wc->lpszClassName = className;
  return TRUE;
}

String GetClassNameString(HWND hwnd) {
  TWindow* w = Wnd(hwnd);
  return w && w->cls ? w->cls->name : String();
}

int GetClassName(HWND hwnd, LPWSTR buffer, int maxCount) {
  WIN_MARSHAL(GetClassName(hwnd, buffer, maxCount));
  TWindow* w = Wnd(hwnd);
  if (!w || !buffer || maxCount <= 0) return 0;
  const String& name = w->cls->name;
  int n = std::min<int>(static_cast<int>(name.size()), maxCount - 1);
  std::copy_n(name.begin(), n, buffer);
  buffer[n] = 0;
  return n;
}

ULONG_PTR GetClassLongPtr(HWND hwnd, int index) {
  TWindow* w = Wnd(hwnd);
  if (!w) return 0;
  switch (index) {
    case GCL_STYLE:
      return w->cls->style;
    case GCLP_WNDPROC:
      return reinterpret_cast<ULONG_PTR>(w->cls->proc);
    case GCLP_HCURSOR:
      return reinterpret_cast<ULONG_PTR>(w->cls->cursor);
    case GCLP_HBRBACKGROUND:
      return reinterpret_cast<ULONG_PTR>(w->cls->background);
    default:
      return 0;
  }
}

ULONG_PTR SetClassLongPtr(HWND hwnd, int index, LONG_PTR value) {
  WIN_MARSHAL(SetClassLongPtr(hwnd, index, value));
  TWindow* w = Wnd(hwnd);
  if (!w) return 0;
  ULONG_PTR old = GetClassLongPtr(hwnd, index);
  switch (index) {
    case GCL_STYLE:
      w->cls->style = static_cast<UINT>(value);
      break;
    case GCLP_WNDPROC:
      w->cls->proc = reinterpret_cast<WNDPROC>(value);
      break;
    case GCLP_HCURSOR:
      w->cls->cursor = reinterpret_cast<HCURSOR>(value);
      break;
    case GCLP_HBRBACKGROUND:
      w->cls->background = reinterpret_cast<HBRUSH>(value);
      break;
    default:
      return 0;
  }
  return old;
}
