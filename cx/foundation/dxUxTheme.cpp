#include "cx/foundation/dxUxTheme.h"

namespace {

enum TFunction {
  fnCloseThemeData,
  fnDrawThemeBackground,
  fnDrawThemeEdge,
  fnDrawThemeIcon,
  fnDrawThemeParentBackground,
  fnDrawThemeText,
  fnEnableThemeDialogTexture,
  fnGetCurrentThemeName,
  fnGetThemeAppProperties,
  fnGetThemeBackgroundContentRect,
  fnGetThemeBackgroundRegion,
  fnGetThemeBackgroundExtent,
  fnGetThemeBool,
  fnGetThemeColor,
  fnGetThemeDocumentationProperty,
  fnGetThemeEnumValue,
  fnGetThemeFilename,
  fnGetThemeFont,
  fnGetThemeInt,
  fnGetThemeIntList,
  fnGetThemeMargins,
  fnGetThemeMetric,
  fnGetThemePartSize,
  fnGetThemePosition,
  fnGetThemePropertyOrigin,
  fnGetThemeRect,
  fnGetThemeString,
  fnGetThemeSysBool,
  fnGetThemeSysColor,
  fnGetThemeSysColorBrush,
  fnGetThemeSysFont,
  fnGetThemeSysInt,
  fnGetThemeSysSize,
  fnGetThemeSysString,
  fnGetThemeTextExtent,
  fnGetThemeTextMetrics,
  fnGetWindowTheme,
  fnHitTestThemeBackground,
  fnIsAppThemed,
  fnIsThemeActive,
  fnIsThemePartDefined,
  fnIsThemeBackgroundPartiallyTransparent,
  fnIsThemeDialogTextureEnabled,
  fnOpenThemeData,
  fnSetThemeAppProperties,
  fnSetWindowTheme,
};

void* functions[dxUxThemeFunctionCount] = {};
bool libraryLoaded = false;
bool isXPOrLater = false;

// The bound function with the platform declaration's type.
template <class F>
F* Bound(TFunction AIndex, F*) {
  return reinterpret_cast<F*>(functions[AIndex]);
}
#define DX_BOUND(Name) Bound(fn##Name, &::Name)

}  // namespace

const char* const dxUxThemeFunctionNames[dxUxThemeFunctionCount] = {"CloseThemeData",
                                                                    "DrawThemeBackground",
                                                                    "DrawThemeEdge",
                                                                    "DrawThemeIcon",
                                                                    "DrawThemeParentBackground",
                                                                    "DrawThemeText",
                                                                    "EnableThemeDialogTexture",
                                                                    "GetCurrentThemeName",
                                                                    "GetThemeAppProperties",
                                                                    "GetThemeBackgroundContentRect",
                                                                    "GetThemeBackgroundRegion",
                                                                    "GetThemeBackgroundExtent",
                                                                    "GetThemeBool",
                                                                    "GetThemeColor",
                                                                    "GetThemeDocumentationProperty",
                                                                    "GetThemeEnumValue",
                                                                    "GetThemeFilename",
                                                                    "GetThemeFont",
                                                                    "GetThemeInt",
                                                                    "GetThemeIntList",
                                                                    "GetThemeMargins",
                                                                    "GetThemeMetric",
                                                                    "GetThemePartSize",
                                                                    "GetThemePosition",
                                                                    "GetThemePropertyOrigin",
                                                                    "GetThemeRect",
                                                                    "GetThemeString",
                                                                    "GetThemeSysBool",
                                                                    "GetThemeSysColor",
                                                                    "GetThemeSysColorBrush",
                                                                    "GetThemeSysFont",
                                                                    "GetThemeSysInt",
                                                                    "GetThemeSysSize",
                                                                    "GetThemeSysString",
                                                                    "GetThemeTextExtent",
                                                                    "GetThemeTextMetrics",
                                                                    "GetWindowTheme",
                                                                    "HitTestThemeBackground",
                                                                    "IsAppThemed",
                                                                    "IsThemeActive",
                                                                    "IsThemePartDefined",
                                                                    "IsThemeBackgroundPartiallyTransparent",
                                                                    "IsThemeDialogTextureEnabled",
                                                                    "OpenThemeData",
                                                                    "SetThemeAppProperties",
                                                                    "SetWindowTheme"};

void* dxUxThemeFunction(int AIndex) {
  return AIndex >= 0 && AIndex < dxUxThemeFunctionCount ? functions[AIndex] : nullptr;
}

void dxUxThemeInitialize(DWORD AMajorVersion, DWORD AMinorVersion) {
  dxUxThemeFinalize();
  isXPOrLater = AMajorVersion > 5 || (AMajorVersion == 5 && AMinorVersion >= 1);
  if (!isXPOrLater) return;
  // The platform layer is the library: it always loads, and offers the functions it implements.
  libraryLoaded = true;
  for (int i = 0; i < dxUxThemeFunctionCount; ++i)
    functions[i] = GetUxThemeProcAddress(dxUxThemeFunctionNames[i]);
}

void dxUxThemeFinalize() {
  for (void*& f : functions) f = nullptr;
  libraryLoaded = false;
}

bool dxUxThemeLoaded() { return libraryLoaded; }
bool dxIsXPOrLater() { return isXPOrLater; }

HRESULT dxCloseThemeData(HTHEME ATheme) {
  auto* f = DX_BOUND(CloseThemeData);
  return f ? f(ATheme) : E_FAIL;
}

HRESULT dxDrawThemeBackground(HTHEME ATheme, HDC DC, int APartId, int AStateId, const RECT* R,
                              const RECT* AClipRect) {
  auto* f = DX_BOUND(DrawThemeBackground);
  return f ? f(ATheme, DC, APartId, AStateId, R, AClipRect) : E_FAIL;
}

HRESULT dxDrawThemeEdge(HTHEME ATheme, HDC DC, int APartId, int AStateId, const RECT* ADestRect, UINT AEdge,
                        UINT AFlags, RECT* AContentRect) {
  auto* f = DX_BOUND(DrawThemeEdge);
  return f ? f(ATheme, DC, APartId, AStateId, ADestRect, AEdge, AFlags, AContentRect) : E_FAIL;
}

HRESULT dxDrawThemeParentBackground(HWND AWnd, HDC DC, const RECT* R) {
  auto* f = DX_BOUND(DrawThemeParentBackground);
  return f ? f(AWnd, DC, R) : E_FAIL;
}

HRESULT dxDrawThemeText(HTHEME ATheme, HDC DC, int APartId, int AStateId, LPCWSTR AText, int ACharCount,
                        DWORD ATextFlags, DWORD ATextFlags2, const RECT* R) {
  auto* f = DX_BOUND(DrawThemeText);
  return f ? f(ATheme, DC, APartId, AStateId, AText, ACharCount, ATextFlags, ATextFlags2, R) : E_FAIL;
}

HRESULT dxGetThemeBackgroundContentRect(HTHEME ATheme, HDC DC, int APartId, int AStateId, const RECT* ABounds,
                                        RECT* AContentRect) {
  auto* f = DX_BOUND(GetThemeBackgroundContentRect);
  return f ? f(ATheme, DC, APartId, AStateId, ABounds, AContentRect) : E_FAIL;
}

HRESULT dxGetThemeBackgroundRegion(HTHEME ATheme, HDC DC, int APartId, int AStateId, const RECT* R,
                                   HRGN* ARegion) {
  auto* f = DX_BOUND(GetThemeBackgroundRegion);
  return f ? f(ATheme, DC, APartId, AStateId, R, ARegion) : E_FAIL;
}

HRESULT dxGetThemeColor(HTHEME ATheme, int APartId, int AStateId, int APropId, COLORREF* AColor) {
  auto* f = DX_BOUND(GetThemeColor);
  return f ? f(ATheme, APartId, AStateId, APropId, AColor) : E_FAIL;
}

HRESULT dxGetThemePartSize(HTHEME ATheme, HDC DC, int APartId, int AStateId, const RECT* R, THEMESIZE ASize,
                           SIZE* APartSize) {
  auto* f = DX_BOUND(GetThemePartSize);
  return f ? f(ATheme, DC, APartId, AStateId, R, ASize, APartSize) : E_FAIL;
}

BOOL dxIsThemeActive() {
  auto* f = DX_BOUND(IsThemeActive);
  return f ? f() : FALSE;
}

BOOL dxIsThemeBackgroundPartiallyTransparent(HTHEME ATheme, int APartId, int AStateId) {
  auto* f = DX_BOUND(IsThemeBackgroundPartiallyTransparent);
  return f ? f(ATheme, APartId, AStateId) : FALSE;
}

HTHEME dxOpenThemeData(HWND AWnd, LPCWSTR AClassList) {
  auto* f = DX_BOUND(OpenThemeData);
  return f ? f(AWnd, AClassList) : nullptr;
}
