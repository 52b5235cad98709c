// Window scroll bars (WS_HSCROLL / WS_VSCROLL) drawn in the non-client area, and the flat
// scroll-bar interface over them.
#pragma once

#include "platform/rtl/WinDef.h"

constexpr int SB_HORZ = 0;
constexpr int SB_VERT = 1;
constexpr int SB_CTL = 2;
constexpr int SB_BOTH = 3;

constexpr UINT SIF_RANGE = 0x0001;
constexpr UINT SIF_PAGE = 0x0002;
constexpr UINT SIF_POS = 0x0004;
constexpr UINT SIF_DISABLENOSCROLL = 0x0008;
constexpr UINT SIF_TRACKPOS = 0x0010;
constexpr UINT SIF_ALL = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;

constexpr UINT ESB_ENABLE_BOTH = 0x0000;
constexpr UINT ESB_DISABLE_BOTH = 0x0003;
constexpr UINT ESB_DISABLE_LEFT = 0x0001;
constexpr UINT ESB_DISABLE_RIGHT = 0x0002;
constexpr UINT ESB_DISABLE_UP = 0x0001;
constexpr UINT ESB_DISABLE_DOWN = 0x0002;
constexpr UINT ESB_DISABLE_LTUP = ESB_DISABLE_LEFT;
constexpr UINT ESB_DISABLE_RTDN = ESB_DISABLE_RIGHT;

struct SCROLLINFO {
  UINT cbSize = sizeof(SCROLLINFO);
  UINT fMask = 0;
  int nMin = 0;
  int nMax = 0;
  UINT nPage = 0;
  int nPos = 0;
  int nTrackPos = 0;
};

constexpr LONG OBJID_HSCROLL = -6;
constexpr LONG OBJID_VSCROLL = -5;
constexpr LONG OBJID_CLIENT = -4;
constexpr DWORD STATE_SYSTEM_UNAVAILABLE = 0x00000001;
constexpr DWORD STATE_SYSTEM_PRESSED = 0x00000008;
constexpr DWORD STATE_SYSTEM_INVISIBLE = 0x00008000;
constexpr DWORD STATE_SYSTEM_OFFSCREEN = 0x00010000;
struct SCROLLBARINFO {
  DWORD cbSize = sizeof(SCROLLBARINFO);
  RECT rcScrollBar;
  int dxyLineButton = 0;
  int xyThumbTop = 0;
  int xyThumbBottom = 0;
  int reserved = 0;
  DWORD rgstate[6] = {};
};

// Sets what the mask names; the position is kept inside [min, max - page + 1]. A bar with nothing
// to scroll is hidden (disabled with SIF_DISABLENOSCROLL). Returns the position.
int SetScrollInfo(HWND hwnd, int bar, const SCROLLINFO* info, BOOL redraw);
BOOL GetScrollInfo(HWND hwnd, int bar, SCROLLINFO* info);
int SetScrollPos(HWND hwnd, int bar, int pos, BOOL redraw);
int GetScrollPos(HWND hwnd, int bar);
BOOL SetScrollRange(HWND hwnd, int bar, int minPos, int maxPos, BOOL redraw);
BOOL GetScrollRange(HWND hwnd, int bar, int* minPos, int* maxPos);
BOOL ShowScrollBar(HWND hwnd, int bar, BOOL show);
BOOL EnableScrollBar(HWND hwnd, UINT bar, UINT arrows);
BOOL GetScrollBarInfo(HWND hwnd, LONG object, SCROLLBARINFO* info);

// Flat scroll bars: the same bars with a drawing style per bar.
constexpr int WSB_PROP_CYVSCROLL = 0x00000001;
constexpr int WSB_PROP_CXHSCROLL = 0x00000002;
constexpr int WSB_PROP_CYHSCROLL = 0x00000004;
constexpr int WSB_PROP_CXVSCROLL = 0x00000008;
constexpr int WSB_PROP_VSTYLE = 0x00000100;
constexpr int WSB_PROP_HSTYLE = 0x00000200;
constexpr int FSB_REGULAR_MODE = 0;
constexpr int FSB_ENCARTA_MODE = 1;
constexpr int FSB_FLAT_MODE = 2;
BOOL InitializeFlatSB(HWND hwnd);
BOOL UninitializeFlatSB(HWND hwnd);
BOOL FlatSB_SetScrollProp(HWND hwnd, UINT index, LONG_PTR value, BOOL redraw);
BOOL FlatSB_GetScrollProp(HWND hwnd, UINT index, int* value);
int FlatSB_SetScrollInfo(HWND hwnd, int bar, const SCROLLINFO* info, BOOL redraw);
BOOL FlatSB_GetScrollInfo(HWND hwnd, int bar, SCROLLINFO* info);
int FlatSB_SetScrollPos(HWND hwnd, int bar, int pos, BOOL redraw);
int FlatSB_GetScrollPos(HWND hwnd, int bar);
BOOL FlatSB_SetScrollRange(HWND hwnd, int bar, int minPos, int maxPos, BOOL redraw);
BOOL FlatSB_GetScrollRange(HWND hwnd, int bar, int* minPos, int* maxPos);
BOOL FlatSB_ShowScrollBar(HWND hwnd, int bar, BOOL show);
BOOL FlatSB_EnableScrollBar(HWND hwnd, int bar, UINT arrows);
