// Window scroll bars: state, geometry, drawing, and the mouse tracking that sends WM_HSCROLL /
// WM_VSCROLL with every SB_ code.
#include "platform/win/ScrollBars.h"

#include <algorithm>

#include "platform/gdi/Controls.h"
#include "platform/win/Focus.h"
#include "platform/win/Metrics.h"
#include "platform/win/Paint.h"
#include "platform/win/SysColors.h"
#include "platform/win/Timers.h"
#include "platform/win/WinInternal.h"

namespace {

constexpr UINT_PTR kRepeatTimer = 0xFFF0;
enum Part { kNone, kLineUp, kPageUp, kThumb, kPageDown, kLineDown };

DWORD BarStyle(int bar) { return bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL; }

struct TGeometry {
  RECT rect{};  // screen
  int length = 0;
  int arrow = 0;
  int thumbStart = 0;  // from the bar's start
  int thumbLength = 0;
};

int MaxPos(const TScrollBarState& s) { return s.max - std::max<int>(static_cast<int>(s.page) - 1, 0); }

TGeometry Geometry(TWindow* w, int bar) {
  TGeometry g;
  RECT cr = ScreenClientRect(w);
  if (bar == SB_VERT)
    g.rect = {cr.right, cr.top, cr.right + GetSystemMetrics(SM_CXVSCROLL), cr.bottom};
  else
    g.rect = {cr.left, cr.bottom, cr.right, cr.bottom + GetSystemMetrics(SM_CYHSCROLL)};
  g.length = bar == SB_VERT ? g.rect.bottom - g.rect.top : g.rect.right - g.rect.left;
  int arrow = GetSystemMetrics(bar == SB_VERT ? SM_CYVSCROLL : SM_CXHSCROLL);
  g.arrow = std::min(arrow, g.length / 2);
  int track = g.length - 2 * g.arrow;
  const TScrollBarState& s = w->bars[bar];
  int range = s.max - s.min + 1;
  if (track <= 0 || range <= 0 || s.arrowsDisabled == ESB_DISABLE_BOTH) return g;
  int thumb = s.page ? static_cast<int>(static_cast<long long>(track) * s.page / range)
                     : GetSystemMetrics(bar == SB_VERT ? SM_CYVTHUMB : SM_CXHTHUMB);
  thumb = std::clamp(thumb, std::min(8, track), track);
  int denom = MaxPos(s) - s.min;
  int pos = s.tracking ? s.trackPos : s.pos;
  int offset =
      denom > 0 ? static_cast<int>(static_cast<long long>(track - thumb) * (pos - s.min) / denom) : 0;
  g.thumbStart = g.arrow + offset;
  g.thumbLength = thumb;
  return g;
}

Part PartAt(TWindow* w, int bar, POINT pt) {
  TGeometry g = Geometry(w, bar);
  if (!PtInRect(&g.rect, pt)) return kNone;
  int at = bar == SB_VERT ? pt.y - g.rect.top : pt.x - g.rect.left;
  if (at < g.arrow) return kLineUp;
  if (at >= g.length - g.arrow) return kLineDown;
  if (!g.thumbLength) return kNone;
  if (at < g.thumbStart) return kPageUp;
  if (at >= g.thumbStart + g.thumbLength) return kPageDown;
  return kThumb;
}

void Redraw(TWindow* w) {
  if (IsReallyVisible(w)) PaintNonClient(w, nullptr);
}

void SetBarShown(HWND hwnd, int bar, bool show) {
  TWindow* w = Wnd(hwnd);
  if (!w) return;
  DWORD bits = bar == SB_BOTH ? (WS_HSCROLL | WS_VSCROLL) : BarStyle(bar);
  DWORD style = show ? (w->style | bits) : (w->style & ~bits);
  if (style == w->style) return;
  w->style = style;
  SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
               SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

TScrollBarState* State(HWND hwnd, int bar) {
  TWindow* w = Wnd(hwnd);
  if (!w || (bar != SB_HORZ && bar != SB_VERT)) return nullptr;
  return &w->bars[bar];
}

void SendScroll(HWND hwnd, int bar, WORD code, int pos) {
  SendMessage(hwnd, bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(code, static_cast<WORD>(pos)), 0);
}

}  // namespace

void DrawWindowScrollBars(TWindow* w, HDC dc) {
  RECT wr = ScreenWindowRect(w);
  for (int bar : {SB_HORZ, SB_VERT}) {
    if (!(w->style & BarStyle(bar))) continue;
    TGeometry g = Geometry(w, bar);
    RECT r = g.rect;
    OffsetRect(&r, -wr.left, -wr.top);
    const TScrollBarState& s = w->bars[bar];
    bool flat = w->flatSB && s.flatStyle != FSB_REGULAR_MODE;
    FillRect(dc, &r, GetSysColorBrush(COLOR_SCROLLBAR));
    bool vert = bar == SB_VERT;
    RECT a1 = vert ? RECT{r.left, r.top, r.right, r.top + g.arrow}
                   : RECT{r.left, r.top, r.left + g.arrow, r.bottom};
    RECT a2 = vert ? RECT{r.left, r.bottom - g.arrow, r.right, r.bottom}
                   : RECT{r.right - g.arrow, r.top, r.right, r.bottom};
    UINT common = flat ? DFCS_FLAT : 0;
    DrawFrameControl(dc, &a1, DFC_SCROLL,
                     (vert ? DFCS_SCROLLUP : DFCS_SCROLLLEFT) | common |
                         (s.pressedPart == kLineUp ? DFCS_PUSHED : 0) |
                         ((s.arrowsDisabled & ESB_DISABLE_LTUP) ? DFCS_INACTIVE : 0));
    DrawFrameControl(dc, &a2, DFC_SCROLL,
                     (vert ? DFCS_SCROLLDOWN : DFCS_SCROLLRIGHT) | common |
                         (s.pressedPart == kLineDown ? DFCS_PUSHED : 0) |
                         ((s.arrowsDisabled & ESB_DISABLE_RTDN) ? DFCS_INACTIVE : 0));
    if (g.thumbLength) {
      RECT t = vert ? RECT{r.left, r.top + g.thumbStart, r.right, r.top + g.thumbStart + g.thumbLength}
                    : RECT{r.left + g.thumbStart, r.top, r.left + g.thumbStart + g.thumbLength, r.bottom};
      DrawEdge(dc, &t, EDGE_RAISED, BF_RECT | BF_MIDDLE | (flat ? BF_FLAT : 0));
    }
  }
  if ((w->style & WS_HSCROLL) && (w->style & WS_VSCROLL)) {
    RECT cr = ScreenClientRect(w);
    RECT box{cr.right, cr.bottom, cr.right + GetSystemMetrics(SM_CXVSCROLL),
             cr.bottom + GetSystemMetrics(SM_CYHSCROLL)};
    OffsetRect(&box, -wr.left, -wr.top);
    FillRect(dc, &box, GetSysColorBrush(COLOR_BTNFACE));
    if ((w->style & WS_THICKFRAME) && w->IsTopLevel() && !(w->style & WS_MAXIMIZE))
      DrawFrameControl(dc, &box, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
  }
}

void ScrollBarNcLButtonDown(HWND hwnd, int hit, POINT pt) {
  int bar = hit == HTVSCROLL ? SB_VERT : SB_HORZ;
  TWindow* w = Wnd(hwnd);
  if (!w || w->bars[bar].arrowsDisabled == ESB_DISABLE_BOTH) return;
  Part part = PartAt(w, bar, pt);
  if (part == kNone) return;
  if ((part == kLineUp && (w->bars[bar].arrowsDisabled & ESB_DISABLE_LTUP)) ||
      (part == kLineDown && (w->bars[bar].arrowsDisabled & ESB_DISABLE_RTDN)))
    return;
  SetCapture(hwnd);
  int thumbOffset = 0;
  if (part == kThumb) {
    TGeometry g = Geometry(w, bar);
    w->bars[bar].tracking = true;
    w->bars[bar].trackPos = w->bars[bar].pos;
    thumbOffset = (bar == SB_VERT ? pt.y - g.rect.top : pt.x - g.rect.left) - g.thumbStart;
  } else {
    w->bars[bar].pressedPart = part;
    Redraw(w);
  }
  WORD code = part == kLineUp     ? SB_LINEUP
              : part == kPageUp   ? SB_PAGEUP
              : part == kPageDown ? SB_PAGEDOWN
                                  : SB_LINEDOWN;
  if (part != kThumb) {
    SendScroll(hwnd, bar, code, 0);
    SetTimer(hwnd, kRepeatTimer, 200, nullptr);
  }
  MSG m;
  while (IsWindow(hwnd) && GetCapture() == hwnd) {
    if (!GetMessage(&m, nullptr, 0, 0)) {
      PostQuitMessage(static_cast<int>(m.wParam));
      break;
    }
    if (CallMsgFilter(&m, MSGF_SCROLLBAR)) continue;
    if (!(w = Wnd(hwnd))) break;
    if (m.message == WM_LBUTTONUP) break;
    if (m.message == WM_MOUSEMOVE && part == kThumb) {
      TGeometry g = Geometry(w, bar);
      TScrollBarState& s = w->bars[bar];
      int at = (bar == SB_VERT ? m.pt.y - g.rect.top : m.pt.x - g.rect.left) - thumbOffset - g.arrow;
      int track = g.length - 2 * g.arrow - g.thumbLength;
      int denom = MaxPos(s) - s.min;
      int pos =
          track > 0
              ? s.min + static_cast<int>(
                            (static_cast<long long>(std::clamp(at, 0, track)) * denom + track / 2) / track)
              : s.min;
      if (pos != s.trackPos) {
        s.trackPos = pos;
        SendScroll(hwnd, bar, SB_THUMBTRACK, pos);
      }
      continue;
    }
    if (m.message == WM_TIMER && m.hwnd == hwnd && m.wParam == kRepeatTimer) {
      if (PartAt(w, bar, m.pt) == part) SendScroll(hwnd, bar, code, 0);
      if (IsWindow(hwnd)) SetTimer(hwnd, kRepeatTimer, 50, nullptr);
      continue;
    }
    if (m.message == WM_MOUSEMOVE) continue;
    TranslateMessage(&m);
    DispatchMessage(&m);
  }
  KillTimer(hwnd, kRepeatTimer);
  if ((w = Wnd(hwnd))) {
    TScrollBarState& s = w->bars[bar];
    if (part == kThumb) {
      int pos = s.trackPos;
      SendScroll(hwnd, bar, SB_THUMBPOSITION, pos);
      if ((w = Wnd(hwnd))) w->bars[bar].tracking = false;
    }
    if ((w = Wnd(hwnd))) {
      w->bars[bar].pressedPart = 0;
      Redraw(w);
    }
    SendScroll(hwnd, bar, SB_ENDSCROLL, 0);
  }
  if (GetCapture() == hwnd) ReleaseCapture();
}

int SetScrollInfo(HWND hwnd, int bar, const SCROLLINFO* info, BOOL redraw) {
  WIN_MARSHAL(SetScrollInfo(hwnd, bar, info, redraw));
  TScrollBarState* s = State(hwnd, bar);
  if (!s || !info) return 0;
  if (info->fMask & SIF_RANGE) {
    s->min = info->nMin;
    s->max = std::max(info->nMax, info->nMin);
  }
  if (info->fMask & SIF_PAGE) s->page = std::min<UINT>(info->nPage, static_cast<UINT>(s->max - s->min + 1));
  if (info->fMask & SIF_POS) s->pos = info->nPos;
  s->pos = std::clamp(s->pos, s->min, std::max(s->min, MaxPos(*s)));
  if (info->fMask & (SIF_RANGE | SIF_PAGE)) {
    bool needed = s->max > s->min && (s->page == 0 || s->page <= static_cast<UINT>(s->max - s->min));
    if (info->fMask & SIF_DISABLENOSCROLL) {
      s->arrowsDisabled = needed ? ESB_ENABLE_BOTH : ESB_DISABLE_BOTH;
      if (!needed) SetBarShown(hwnd, bar, true);
    }
    if (needed) {
      if (!(info->fMask & SIF_DISABLENOSCROLL) && s->arrowsDisabled == ESB_DISABLE_BOTH)
        s->arrowsDisabled = 0;
      SetBarShown(hwnd, bar, true);
    } else if (!(info->fMask & SIF_DISABLENOSCROLL)) {
      SetBarShown(hwnd, bar, false);
    }
  }
  s = State(hwnd, bar);
  if (!s) return 0;
  if (redraw) Redraw(Wnd(hwnd));
  return s->pos;
}

BOOL GetScrollInfo(HWND hwnd, int bar, SCROLLINFO* info) {
  TScrollBarState* s = State(hwnd, bar);
  if (!s || !info) return FALSE;
  if (info->fMask & SIF_RANGE) {
    info->nMin = s->min;
    info->nMax = s->max;
  }
  if (info->fMask & SIF_PAGE) info->nPage = s->page;
  if (info->fMask & SIF_POS) info->nPos = s->pos;
  if (info->fMask & SIF_TRACKPOS) info->nTrackPos = s->tracking ? s->trackPos : s->pos;
  return TRUE;
}

int SetScrollPos(HWND hwnd, int bar, int pos, BOOL redraw) {
  TScrollBarState* s = State(hwnd, bar);
  if (!s) return 0;
  int old = s->pos;
  SCROLLINFO si;
  si.fMask = SIF_POS;
  si.nPos = pos;
  SetScrollInfo(hwnd, bar, &si, redraw);
  return old;
}

int GetScrollPos(HWND hwnd, int bar) {
  TScrollBarState* s = State(hwnd, bar);
  return s ? s->pos : 0;
}

BOOL SetScrollRange(HWND hwnd, int bar, int minPos, int maxPos, BOOL redraw) {
  if (!State(hwnd, bar)) return FALSE;
  SCROLLINFO si;
  si.fMask = SIF_RANGE;
  si.nMin = minPos;
  si.nMax = maxPos;
  SetScrollInfo(hwnd, bar, &si, redraw);
  return TRUE;
}

BOOL GetScrollRange(HWND hwnd, int bar, int* minPos, int* maxPos) {
  TScrollBarState* s = State(hwnd, bar);
  if (!s) return FALSE;
  if (minPos) *minPos = s->min;
  if (maxPos) *maxPos = s->max;
  return TRUE;
}

BOOL ShowScrollBar(HWND hwnd, int bar, BOOL show) {
  WIN_MARSHAL(ShowScrollBar(hwnd, bar, show));
  if (!Wnd(hwnd) || bar == SB_CTL) return FALSE;
  SetBarShown(hwnd, bar, show);
  return TRUE;
}

BOOL EnableScrollBar(HWND hwnd, UINT bar, UINT arrows) {
  TWindow* w = Wnd(hwnd);
  if (!w || bar == SB_CTL) return FALSE;
  for (int b : {SB_HORZ, SB_VERT})
    if (bar == SB_BOTH || static_cast<int>(bar) == b) w->bars[b].arrowsDisabled = arrows & ESB_DISABLE_BOTH;
  Redraw(w);
  return TRUE;
}

BOOL GetScrollBarInfo(HWND hwnd, LONG object, SCROLLBARINFO* info) {
  TWindow* w = Wnd(hwnd);
  if (!w || !info || (object != OBJID_HSCROLL && object != OBJID_VSCROLL)) return FALSE;
  int bar = object == OBJID_VSCROLL ? SB_VERT : SB_HORZ;
  TGeometry g = Geometry(w, bar);
  info->rcScrollBar = g.rect;
  info->dxyLineButton = g.arrow;
  info->xyThumbTop = g.thumbStart;
  info->xyThumbBottom = g.thumbStart + g.thumbLength;
  std::fill(std::begin(info->rgstate), std::end(info->rgstate), 0);
  const TScrollBarState& s = w->bars[bar];
  if (!(w->style & BarStyle(bar))) info->rgstate[0] |= STATE_SYSTEM_INVISIBLE;
  if (s.arrowsDisabled == ESB_DISABLE_BOTH) info->rgstate[0] |= STATE_SYSTEM_UNAVAILABLE;
  if (s.arrowsDisabled & ESB_DISABLE_LTUP) info->rgstate[1] |= STATE_SYSTEM_UNAVAILABLE;
  if (s.arrowsDisabled & ESB_DISABLE_RTDN) info->rgstate[5] |= STATE_SYSTEM_UNAVAILABLE;
  if (!g.thumbLength) info->rgstate[3] |= STATE_SYSTEM_INVISIBLE;
  return TRUE;
}

// --- Flat scroll bars ---

BOOL InitializeFlatSB(HWND hwnd) {
  TWindow* w = Wnd(hwnd);
  if (!w) return FALSE;
  w->flatSB = true;
  return TRUE;
}

BOOL UninitializeFlatSB(HWND hwnd) {
  TWindow* w = Wnd(hwnd);
  if (!w) return FALSE;
  w->flatSB = false;
  Redraw(w);
  return TRUE;
}

BOOL FlatSB_SetScrollProp(HWND hwnd, UINT index, LONG_PTR value, BOOL redraw) {
  TWindow* w = Wnd(hwnd);
  if (!w || !w->flatSB) return FALSE;
  if (index & WSB_PROP_VSTYLE) w->bars[SB_VERT].flatStyle = static_cast<int>(value);
  if (index & WSB_PROP_HSTYLE) w->bars[SB_HORZ].flatStyle = static_cast<int>(value);
  if (redraw) Redraw(w);
  return TRUE;
}

BOOL FlatSB_GetScrollProp(HWND hwnd, UINT index, int* value) {
  TWindow* w = Wnd(hwnd);
  if (!w || !value) return FALSE;
  if (index == WSB_PROP_VSTYLE)
    *value = w->bars[SB_VERT].flatStyle;
  else if (index == WSB_PROP_HSTYLE)
    *value = w->bars[SB_HORZ].flatStyle;
  else if (index == WSB_PROP_CXVSCROLL)
    *value = GetSystemMetrics(SM_CXVSCROLL);
  else if (index == WSB_PROP_CYHSCROLL)
    *value = GetSystemMetrics(SM_CYHSCROLL);
  else if (index == WSB_PROP_CYVSCROLL)
    *value = GetSystemMetrics(SM_CYVSCROLL);
  else if (index == WSB_PROP_CXHSCROLL)
    *value = GetSystemMetrics(SM_CXHSCROLL);
  else
    return FALSE;
  return TRUE;
}

int FlatSB_SetScrollInfo(HWND hwnd, int bar, const SCROLLINFO* info, BOOL redraw) {
  return SetScrollInfo(hwnd, bar, info, redraw);
}
BOOL FlatSB_GetScrollInfo(HWND hwnd, int bar, SCROLLINFO* info) { return GetScrollInfo(hwnd, bar, info); }
int FlatSB_SetScrollPos(HWND hwnd, int bar, int pos, BOOL redraw) {
  return SetScrollPos(hwnd, bar, pos, redraw);
}
int FlatSB_GetScrollPos(HWND hwnd, int bar) { return GetScrollPos(hwnd, bar); }
BOOL FlatSB_SetScrollRange(HWND hwnd, int bar, int minPos, int maxPos, BOOL redraw) {
  return SetScrollRange(hwnd, bar, minPos, maxPos, redraw);
}
BOOL FlatSB_GetScrollRange(HWND hwnd, int bar, int* minPos, int* maxPos) {
  return GetScrollRange(hwnd, bar, minPos, maxPos);
}
BOOL FlatSB_ShowScrollBar(HWND hwnd, int bar, BOOL show) { return ShowScrollBar(hwnd, bar, show); }
BOOL FlatSB_EnableScrollBar(HWND hwnd, int bar, UINT arrows) {
  return EnableScrollBar(hwnd, static_cast<UINT>(bar), arrows);
}
