// The platform's basic data types, handles and geometry records, shared by the drawing layer, the
// window system and everything written against them.
#pragma once

#include <cstdint>

using BOOL = int;
using UINT = std::uint32_t;
using DWORD = std::uint32_t;
using WORD = std::uint16_t;
using LONG = std::int32_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using COLORREF = std::uint32_t;
using ATOM = std::uint16_t;
using LONG_PTR = std::intptr_t;
using ULONG_PTR = std::uintptr_t;
using UINT_PTR = std::uintptr_t;
using DWORD_PTR = std::uintptr_t;
using SHORT = std::int16_t;
using BYTE = std::uint8_t;
using WCHAR = char16_t;
using LPCWSTR = const char16_t*;
using LPWSTR = char16_t*;
using LPCSTR = const char*;

// Handles are distinct pointer types, so that passing a pen where a window is expected does not
// compile; every GDI handle converts to HGDIOBJ as on the platform.
using HANDLE = void*;
using HGDIOBJ = void*;
#define TRENVIK_DECLARE_HANDLE(name) \
  struct name##__;                   \
  using name = name##__*
TRENVIK_DECLARE_HANDLE(HWND);
TRENVIK_DECLARE_HANDLE(HDC);
TRENVIK_DECLARE_HANDLE(HPEN);
TRENVIK_DECLARE_HANDLE(HBRUSH);
TRENVIK_DECLARE_HANDLE(HFONT);
TRENVIK_DECLARE_HANDLE(HBITMAP);
TRENVIK_DECLARE_HANDLE(HRGN);
TRENVIK_DECLARE_HANDLE(HPALETTE);
TRENVIK_DECLARE_HANDLE(HICON);
TRENVIK_DECLARE_HANDLE(HMENU);
TRENVIK_DECLARE_HANDLE(HINSTANCE);
TRENVIK_DECLARE_HANDLE(HMONITOR);
TRENVIK_DECLARE_HANDLE(HHOOK);
TRENVIK_DECLARE_HANDLE(HIMAGELIST);
TRENVIK_DECLARE_HANDLE(HTHEME);
TRENVIK_DECLARE_HANDLE(HKL);
using HCURSOR = HICON;
using HMODULE = HINSTANCE;

struct POINT {
  LONG x = 0;
  LONG y = 0;
  friend bool operator==(const POINT&, const POINT&) = default;
};

struct SIZE {
  LONG cx = 0;
  LONG cy = 0;
  friend bool operator==(const SIZE&, const SIZE&) = default;
};

struct RECT {
  LONG left = 0;
  LONG top = 0;
  LONG right = 0;
  LONG bottom = 0;
  friend bool operator==(const RECT&, const RECT&) = default;
};

constexpr WORD LOWORD(std::uintptr_t v) { return static_cast<WORD>(v & 0xFFFF); }
constexpr WORD HIWORD(std::uintptr_t v) { return static_cast<WORD>((v >> 16) & 0xFFFF); }
constexpr DWORD MAKELONG(WORD lo, WORD hi) { return static_cast<DWORD>(lo) | (static_cast<DWORD>(hi) << 16); }
constexpr WPARAM MAKEWPARAM(WORD lo, WORD hi) { return MAKELONG(lo, hi); }
constexpr LPARAM MAKELPARAM(WORD lo, WORD hi) { return static_cast<LPARAM>(MAKELONG(lo, hi)); }
// Signed coordinates packed in an LPARAM (mouse messages).
constexpr int GET_X_LPARAM(LPARAM lp) { return static_cast<std::int16_t>(LOWORD(static_cast<std::uintptr_t>(lp))); }
constexpr int GET_Y_LPARAM(LPARAM lp) { return static_cast<std::int16_t>(HIWORD(static_cast<std::uintptr_t>(lp))); }
constexpr LPARAM PointToLParam(int x, int y) {
  return MAKELPARAM(static_cast<WORD>(static_cast<std::int16_t>(x)), static_cast<WORD>(static_cast<std::int16_t>(y)));
}

constexpr COLORREF RGB(int r, int g, int b) {
  return static_cast<COLORREF>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int GetRValue(COLORREF c) { return c & 0xFF; }
constexpr int GetGValue(COLORREF c) { return (c >> 8) & 0xFF; }
constexpr int GetBValue(COLORREF c) { return (c >> 16) & 0xFF; }

// Atoms and integer resource names passed where a string is expected.
inline LPCWSTR MAKEINTATOM(ATOM a) { return reinterpret_cast<LPCWSTR>(static_cast<std::uintptr_t>(a)); }
inline LPCWSTR MAKEINTRESOURCE(WORD id) { return reinterpret_cast<LPCWSTR>(static_cast<std::uintptr_t>(id)); }
inline bool IS_INTRESOURCE(LPCWSTR p) { return (reinterpret_cast<std::uintptr_t>(p) >> 16) == 0; }

constexpr BOOL TRUE = 1;
constexpr BOOL FALSE = 0;

struct POINTS {
  SHORT x = 0;
  SHORT y = 0;
};

// Rectangle routines (pure geometry).
inline BOOL SetRect(RECT* r, int left, int top, int right, int bottom) {
  *r = {left, top, right, bottom};
  return 1;
}
inline BOOL SetRectEmpty(RECT* r) { return SetRect(r, 0, 0, 0, 0); }
inline BOOL CopyRect(RECT* dst, const RECT* src) {
  *dst = *src;
  return 1;
}
inline BOOL IsRectEmpty(const RECT* r) { return r->right <= r->left || r->bottom <= r->top; }
inline BOOL EqualRect(const RECT* a, const RECT* b) { return *a == *b; }
inline BOOL PtInRect(const RECT* r, POINT p) {
  return p.x >= r->left && p.x < r->right && p.y >= r->top && p.y < r->bottom;
}
inline BOOL OffsetRect(RECT* r, int dx, int dy) {
  r->left += dx;
  r->right += dx;
  r->top += dy;
  r->bottom += dy;
  return 1;
}
inline BOOL InflateRect(RECT* r, int dx, int dy) {
  r->left -= dx;
  r->right += dx;
  r->top -= dy;
  r->bottom += dy;
  return 1;
}
// Empty result (all zero) when the rectangles do not overlap, as the platform does.
inline BOOL IntersectRect(RECT* dst, const RECT* a, const RECT* b) {
  RECT r{a->left > b->left ? a->left : b->left, a->top > b->top ? a->top : b->top,
         a->right < b->right ? a->right : b->right, a->bottom < b->bottom ? a->bottom : b->bottom};
  if (IsRectEmpty(&r)) {
    SetRectEmpty(dst);
    return 0;
  }
  *dst = r;
  return 1;
}
inline BOOL SubtractRect(RECT* dst, const RECT* a, const RECT* b) {
  // Only shrinks when `b` covers a whole side of `a`, as the platform does.
  RECT r = *a;
  RECT i;
  if (IsRectEmpty(a)) return (SetRectEmpty(dst), 0);
  if (!IntersectRect(&i, a, b)) return (*dst = r, 1);
  if (i.top == r.top && i.bottom == r.bottom) {
    if (i.left == r.left) r.left = i.right;
    else if (i.right == r.right) r.right = i.left;
  } else if (i.left == r.left && i.right == r.right) {
    if (i.top == r.top) r.top = i.bottom;
    else if (i.bottom == r.bottom) r.bottom = i.top;
  }
  *dst = r;
  return !IsRectEmpty(&r);
}
inline BOOL UnionRect(RECT* dst, const RECT* a, const RECT* b) {
  if (IsRectEmpty(a)) return (*dst = *b, !IsRectEmpty(b));
  if (IsRectEmpty(b)) return (*dst = *a, 1);
  *dst = {a->left < b->left ? a->left : b->left, a->top < b->top ? a->top : b->top,
          a->right > b->right ? a->right : b->right, a->bottom > b->bottom ? a->bottom : b->bottom};
  return 1;
}

// System colour indices (GetSysColor lives in the window system; the drawing layer reads the same
// table for DrawEdge and DrawFrameControl).
constexpr int COLOR_SCROLLBAR = 0;
constexpr int COLOR_BACKGROUND = 1;
constexpr int COLOR_DESKTOP = 1;
constexpr int COLOR_ACTIVECAPTION = 2;
constexpr int COLOR_INACTIVECAPTION = 3;
constexpr int COLOR_MENU = 4;
constexpr int COLOR_WINDOW = 5;
constexpr int COLOR_WINDOWFRAME = 6;
constexpr int COLOR_MENUTEXT = 7;
constexpr int COLOR_WINDOWTEXT = 8;
constexpr int COLOR_CAPTIONTEXT = 9;
constexpr int COLOR_ACTIVEBORDER = 10;
constexpr int COLOR_INACTIVEBORDER = 11;
constexpr int COLOR_APPWORKSPACE = 12;
constexpr int COLOR_HIGHLIGHT = 13;
constexpr int COLOR_HIGHLIGHTTEXT = 14;
constexpr int COLOR_BTNFACE = 15;
constexpr int COLOR_3DFACE = 15;
constexpr int COLOR_BTNSHADOW = 16;
constexpr int COLOR_3DSHADOW = 16;
constexpr int COLOR_GRAYTEXT = 17;
constexpr int COLOR_BTNTEXT = 18;
constexpr int COLOR_INACTIVECAPTIONTEXT = 19;
constexpr int COLOR_BTNHIGHLIGHT = 20;
constexpr int COLOR_BTNHILIGHT = 20;
constexpr int COLOR_3DHIGHLIGHT = 20;
constexpr int COLOR_3DHILIGHT = 20;
constexpr int COLOR_3DDKSHADOW = 21;
constexpr int COLOR_3DLIGHT = 22;
constexpr int COLOR_INFOTEXT = 23;
constexpr int COLOR_INFOBK = 24;
constexpr int COLOR_HOTLIGHT = 26;
constexpr int COLOR_GRADIENTACTIVECAPTION = 27;
constexpr int COLOR_GRADIENTINACTIVECAPTION = 28;
constexpr int COLOR_MENUHILIGHT = 29;
constexpr int COLOR_MENUBAR = 30;
constexpr int COLOR_MAX_INDEX = 30;

// COM-style result codes (the visual-styles calls and interfaces return them).
using HRESULT = std::int32_t;
constexpr HRESULT S_OK = 0;
constexpr HRESULT S_FALSE = 1;
constexpr HRESULT E_NOTIMPL = static_cast<HRESULT>(0x80004001u);
constexpr HRESULT E_POINTER = static_cast<HRESULT>(0x80004003u);
constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005u);
constexpr HRESULT E_OUTOFMEMORY = static_cast<HRESULT>(0x8007000Eu);
constexpr HRESULT E_INVALIDARG = static_cast<HRESULT>(0x80070057u);
constexpr bool SUCCEEDED(HRESULT hr) { return hr >= 0; }
constexpr bool FAILED(HRESULT hr) { return hr < 0; }
