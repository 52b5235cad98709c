// The visual-styles binding. Themes are unavailable unless a provider is installed (tests install
// one), so every painter takes its classic path by default.
#pragma once

#include "platform/gdi/DeviceContext.h"
#include "platform/rtl/Types.h"
#include "platform/rtl/WinDef.h"

enum THEMESIZE { TS_MIN = 0, TS_TRUE = 1, TS_DRAW = 2 };

struct MARGINS {
  int cxLeftWidth = 0;
  int cxRightWidth = 0;
  int cyTopHeight = 0;
  int cyBottomHeight = 0;
};

// Colour properties.
constexpr int TMT_BORDERCOLOR = 3801;
constexpr int TMT_FILLCOLOR = 3802;
constexpr int TMT_TEXTCOLOR = 3803;
constexpr int TMT_EDGELIGHTCOLOR = 3804;
constexpr int TMT_EDGESHADOWCOLOR = 3806;
constexpr int TMT_GLOWCOLOR = 3816;
constexpr int TMT_FILLCOLORHINT = 3821;
constexpr int TMT_BORDERCOLORHINT = 3822;
constexpr int TMT_ACCENTCOLORHINT = 3823;
constexpr int TMT_CONTENTMARGINS = 3602;

constexpr DWORD DTT_GRAYED = 0x0001;

// What a visual style supplies. Class names compare case-insensitively.
class ThemeProvider {
 public:
  virtual ~ThemeProvider() = default;
  virtual bool HasClass(const String& className) const = 0;
  virtual bool IsPartDefined(const String& className, int part, int state) const = 0;
  virtual bool PartSize(const String& className, int part, int state, THEMESIZE kind, SIZE* size) const = 0;
  virtual bool Color(const String& className, int part, int state, int property, COLORREF* color) const = 0;
  virtual bool Int(const String& className, int part, int state, int property, int* value) const = 0;
  // The content rectangle inside a background of `bounds`.
  virtual RECT ContentRect(const String& className, int part, int state, const RECT& bounds) const = 0;
  virtual bool PartiallyTransparent(const String& className, int part, int state) const = 0;
  virtual void DrawBackground(const String& className, HDC dc, int part, int state, const RECT& rect,
                              const RECT* clip) = 0;
};

// Installs a provider (nullptr: themes unavailable). Open theme handles go stale, and the change
// handler (the window system broadcasts WM_THEMECHANGED) is called.
void SetThemeProvider(ThemeProvider* provider);
ThemeProvider* CurrentThemeProvider();
void SetThemeChangedHandler(void (*handler)());
// How DrawThemeParentBackground reaches the parent's painting (installed by the window system).
void SetThemeParentBackgroundHandler(HRESULT (*handler)(HWND child, HDC dc, const RECT* rect));

BOOL IsThemeActive();
BOOL IsAppThemed();
// `classList` holds class names separated by ';'; the first one the style knows is opened. Null when
// themes are unavailable.
HTHEME OpenThemeData(HWND hwnd, LPCWSTR classList);
HRESULT CloseThemeData(HTHEME theme);
BOOL IsThemePartDefined(HTHEME theme, int part, int state);
HRESULT DrawThemeBackground(HTHEME theme, HDC dc, int part, int state, const RECT* rect, const RECT* clip);
HRESULT DrawThemeParentBackground(HWND hwnd, HDC dc, const RECT* rect);
HRESULT DrawThemeText(HTHEME theme, HDC dc, int part, int state, LPCWSTR text, int length, DWORD textFlags,
                      DWORD textFlags2, const RECT* rect);
HRESULT DrawThemeEdge(HTHEME theme, HDC dc, int part, int state, const RECT* destRect, UINT edge, UINT flags,
                      RECT* contentRect);
HRESULT GetThemeBackgroundContentRect(HTHEME theme, HDC dc, int part, int state, const RECT* bounds,
                                      RECT* content);
HRESULT GetThemeBackgroundRegion(HTHEME theme, HDC dc, int part, int state, const RECT* rect, HRGN* region);
HRESULT GetThemeColor(HTHEME theme, int part, int state, int property, COLORREF* color);
HRESULT GetThemeInt(HTHEME theme, int part, int state, int property, int* value);
HRESULT GetThemePartSize(HTHEME theme, HDC dc, int part, int state, const RECT* rect, THEMESIZE kind,
                         SIZE* size);
BOOL IsThemeBackgroundPartiallyTransparent(HTHEME theme, int part, int state);

// Lookup by name for code that binds the visual-styles library at run time; nullptr for names this
// layer does not provide.
void* GetUxThemeProcAddress(const char* name);
