// The visual-styles library bound by name at start-up, and thin wrappers over its functions.
#pragma once

#include "platform/gdi/UxTheme.h"

// The library's functions in binding order; a slot is nullptr when the library is absent or lacks
// the function.
constexpr int dxUxThemeFunctionCount = 46;
extern const char* const dxUxThemeFunctionNames[dxUxThemeFunctionCount];
void* dxUxThemeFunction(int AIndex);

// Start-up of the binding: the library is loaded on systems from version 5.1 on. The module runs it
// with the system's version; shut-down frees what it bound.
void dxUxThemeInitialize(DWORD AMajorVersion, DWORD AMinorVersion);
void dxUxThemeFinalize();

bool dxUxThemeLoaded();
bool dxIsXPOrLater();

// Each calls the bound function; an unbound one fails (E_FAIL, 0 or nullptr) instead of being called.
HRESULT dxCloseThemeData(HTHEME ATheme);
HRESULT dxDrawThemeBackground(HTHEME ATheme, HDC DC, int APartId, int AStateId, const RECT* R,
                              const RECT* AClipRect = nullptr);
HRESULT dxDrawThemeEdge(HTHEME ATheme, HDC DC, int APartId, int AStateId, const RECT* ADestRect, UINT AEdge,
                        UINT AFlags, RECT* AContentRect);
HRESULT dxDrawThemeParentBackground(HWND AWnd, HDC DC, const RECT* R);
HRESULT dxDrawThemeText(HTHEME ATheme, HDC DC, int APartId, int AStateId, LPCWSTR AText, int ACharCount,
                        DWORD ATextFlags, DWORD ATextFlags2, const RECT* R);
HRESULT dxGetThemeBackgroundContentRect(HTHEME ATheme, HDC DC, int APartId, int AStateId, const RECT* ABounds,
                                        RECT* AContentRect);
HRESULT dxGetThemeBackgroundRegion(HTHEME ATheme, HDC DC, int APartId, int AStateId, const RECT* R,
                                   HRGN* ARegion);
HRESULT dxGetThemeColor(HTHEME ATheme, int APartId, int AStateId, int APropId, COLORREF* AColor);
HRESULT dxGetThemePartSize(HTHEME ATheme, HDC DC, int APartId, int AStateId, const RECT* R, THEMESIZE ASize,
                           SIZE* APartSize);
BOOL dxIsThemeActive();
BOOL dxIsThemeBackgroundPartiallyTransparent(HTHEME ATheme, int APartId, int AStateId);
HTHEME dxOpenThemeData(HWND AWnd, LPCWSTR AClassList);
