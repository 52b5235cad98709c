#include "platform/gdi/UxTheme.h"

#include <cstring>
#include <unordered_set>

#include "platform/gdi/Controls.h"
#include "platform/gdi/Region.h"
#include "platform/gdi/Text.h"

namespace {

struct TTheme {
  String className;
  int generation;
};

ThemeProvider* provider = nullptr;
int generation = 0;
void (*changedHandler)() = nullptr;
HRESULT (*parentHandler)(HWND, HDC, const RECT*) = nullptr;

std::unordered_set<const TTheme*>& Themes() {
  static auto& themes = *new std::unordered_set<const TTheme*>;
  return themes;
}

// A live theme handle of the current provider.
TTheme* Live(HTHEME h) {
  auto* t = reinterpret_cast<const TTheme*>(h);
  if (!t || !Themes().contains(t) || !provider || t->generation != generation) return nullptr;
  return const_cast<TTheme*>(t);
}

String Trim(const String& s) {
  std::size_t a = 0, b = s.size();
  while (a < b && s[a] == u' ') ++a;
  while (b > a && s[b - 1] == u' ') --b;
  return s.substr(a, b - a);
}

}  // namespace

void SetThemeProvider(ThemeProvider* p) {
  provider = p;
  ++generation;
  if (changedHandler) changedHandler();
}

ThemeProvider* CurrentThemeProvider() { return provider; }
void SetThemeChangedHandler(void (*handler)()) { changedHandler = handler; }
void SetThemeParentBackgroundHandler(HRESULT (*handler)(HWND, HDC, const RECT*)) { parentHandler = handler; }

BOOL IsThemeActive() { return provider != nullptr; }
BOOL IsAppThemed() { return provider != nullptr; }

HTHEME OpenThemeData(HWND, LPCWSTR classList) {
  if (!provider || !classList) return nullptr;
  const String list(classList);
  std::size_t start = 0;
  while (start <= list.size()) {
    std::size_t end = list.find(u';', start);
    if (end == String::npos) end = list.size();
    const String name = Trim(list.substr(start, end - start));
    if (!name.empty() && provider->HasClass(name)) {
      auto* t = new TTheme{name, generation};
      Themes().insert(t);
      return reinterpret_cast<HTHEME>(t);
    }
    start = end + 1;
  }
  return nullptr;
}

HRESULT CloseThemeData(HTHEME h) {
  auto* t = reinterpret_cast<const TTheme*>(h);
  if (!t || !Themes().contains(t)) return E_INVALIDARG;
  Themes().erase(t);
  delete t;
  return S_OK;
}

BOOL IsThemePartDefined(HTHEME h, int part, int state) {
  TTheme* t = Live(h);
  return t && provider->IsPartDefined(t->className, part, state);
}

HRESULT DrawThemeBackground(HTHEME h, HDC dc, int part, int state, const RECT* rect, const RECT* clip) {
  TTheme* t = Live(h);
  if (!t) return E_FAIL;
  if (!rect || !IsDC(dc)) return E_INVALIDARG;
  provider->DrawBackground(t->className, dc, part, state, *rect, clip);
  return S_OK;
}

HRESULT DrawThemeParentBackground(HWND hwnd, HDC dc, const RECT* rect) {
  if (!parentHandler) return E_FAIL;
  return parentHandler(hwnd, dc, rect);
}

HRESULT DrawThemeText(HTHEME h, HDC dc, int part, int state, LPCWSTR text, int length, DWORD textFlags,
                      DWORD textFlags2, const RECT* rect) {
  TTheme* t = Live(h);
  if (!t) return E_FAIL;
  if (!rect || !text || !IsDC(dc)) return E_INVALIDARG;
  COLORREF color = GetTextColor(dc);
  COLORREF themed;
  if (provider->Color(t->className, part, state, TMT_TEXTCOLOR, &themed)) color = themed;
  if (textFlags2 & DTT_GRAYED) color = RGB(128, 128, 128);
  const COLORREF oldColor = SetTextColor(dc, color);
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  RECT r = *rect;
  DrawText(dc, text, length, &r, textFlags);
  SetBkMode(dc, oldMode);
  SetTextColor(dc, oldColor);
  return S_OK;
}

HRESULT DrawThemeEdge(HTHEME h, HDC dc, int, int, const RECT* destRect, UINT edge, UINT flags,
                      RECT* contentRect) {
  if (!Live(h)) return E_FAIL;
  if (!destRect || !IsDC(dc)) return E_INVALIDARG;
  RECT r = *destRect;
  DrawEdge(dc, &r, edge, flags | BF_ADJUST);
  if (contentRect) *contentRect = r;
  return S_OK;
}

HRESULT GetThemeBackgroundContentRect(HTHEME h, HDC, int part, int state, const RECT* bounds, RECT* content) {
  TTheme* t = Live(h);
  if (!t) return E_FAIL;
  if (!bounds || !content) return E_POINTER;
  *content = provider->ContentRect(t->className, part, state, *bounds);
  return S_OK;
}

HRESULT GetThemeBackgroundRegion(HTHEME h, HDC, int, int, const RECT* rect, HRGN* region) {
  if (!Live(h)) return E_FAIL;
  if (!rect || !region) return E_POINTER;
  *region = CreateRectRgnIndirect(rect);
  return S_OK;
}

HRESULT GetThemeColor(HTHEME h, int part, int state, int property, COLORREF* color) {
  TTheme* t = Live(h);
  if (!t) return E_FAIL;
  if (!color) return E_POINTER;
  return provider->Color(t->className, part, state, property, color) ? S_OK : E_FAIL;
}

HRESULT GetThemeInt(HTHEME h, int part, int state, int property, int* value) {
  TTheme* t = Live(h);
  if (!t) return E_FAIL;
  if (!value) return E_POINTER;
  return provider->Int(t->className, part, state, property, value) ? S_OK : E_FAIL;
}

HRESULT GetThemePartSize(HTHEME h, HDC, int part, int state, const RECT* rect, THEMESIZE kind, SIZE* size) {
  TTheme* t = Live(h);
  if (!t) return E_FAIL;
  if (!size) return E_POINTER;
  if (!provider->PartSize(t->className, part, state, kind, size)) return E_FAIL;
  if (kind == TS_DRAW && rect) *size = {rect->right - rect->left, rect->bottom - rect->top};
  return S_OK;
}

BOOL IsThemeBackgroundPartiallyTransparent(HTHEME h, int part, int state) {
  TTheme* t = Live(h);
  return t && provider->PartiallyTransparent(t->className, part, state);
}

void* GetUxThemeProcAddress(const char* name) {
  struct Entry {
    const char* name;
    void* proc;
  };
  static const Entry table[] = {
      {"IsThemeActive", reinterpret_cast<void*>(&IsThemeActive)},
      {"IsAppThemed", reinterpret_cast<void*>(&IsAppThemed)},
      {"OpenThemeData", reinterpret_cast<void*>(&OpenThemeData)},
      {"CloseThemeData", reinterpret_cast<void*>(&CloseThemeData)},
      {"IsThemePartDefined", reinterpret_cast<void*>(&IsThemePartDefined)},
      {"DrawThemeBackground", reinterpret_cast<void*>(&DrawThemeBackground)},
      {"DrawThemeParentBackground", reinterpret_cast<void*>(&DrawThemeParentBackground)},
      {"DrawThemeText", reinterpret_cast<void*>(&DrawThemeText)},
      {"DrawThemeEdge", reinterpret_cast<void*>(&DrawThemeEdge)},
      {"GetThemeBackgroundContentRect", reinterpret_cast<void*>(&GetThemeBackgroundContentRect)},
      {"GetThemeBackgroundRegion", reinterpret_cast<void*>(&GetThemeBackgroundRegion)},
      {"GetThemeColor", reinterpret_cast<void*>(&GetThemeColor)},
      {"GetThemeInt", reinterpret_cast<void*>(&GetThemeInt)},
      {"GetThemePartSize", reinterpret_cast<void*>(&GetThemePartSize)},
      {"IsThemeBackgroundPartiallyTransparent",
       reinterpret_cast<void*>(&IsThemeBackgroundPartiallyTransparent)},
  };
  if (!name) return nullptr;
  for (const Entry& e : table)
    if (std::strcmp(e.name, name) == 0) return e.proc;
  return nullptr;
}
