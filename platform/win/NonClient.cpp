// The default non-client layer: frame sizes, hit testing, the caption buttons, and the modal
// moving and sizing loop driven by hit codes.
#include <algorithm>

#include "platform/win/Focus.h"
#include "platform/win/Input.h"
#include "platform/win/Metrics.h"
#include "platform/win/WinInternal.h"

MINMAXINFO WindowMinMaxInfo(HWND hwnd);

namespace {

int FrameThickness(DWORD style, DWORD exStyle) {
  bool thick = (style & WS_THICKFRAME) && (style & (WS_DLGFRAME | WS_BORDER)) != WS_DLGFRAME;
  bool dlg = (exStyle & WS_EX_DLGMODALFRAME) || ((style & WS_DLGFRAME) && !(style & WS_THICKFRAME));
  if (thick) return GetSystemMetrics(SM_CXFRAME);
  if (dlg) return GetSystemMetrics(SM_CXDLGFRAME);
  if (style & WS_BORDER) return 1;
  return 0;
}

int CaptionHeight(DWORD exStyle) {
  return GetSystemMetrics((exStyle & WS_EX_TOOLWINDOW) ? SM_CYSMCAPTION : SM_CYCAPTION);
}

}  // namespace

RECT NonClientInsets(DWORD style, DWORD exStyle, bool hasHScroll, bool hasVScroll) {
  int b = FrameThickness(style, exStyle);
  RECT in{b, b, b, b};
  if (HasCaption(style)) in.top += CaptionHeight(exStyle);
  int edge = (exStyle & WS_EX_CLIENTEDGE)   ? GetSystemMetrics(SM_CXEDGE)
             : (exStyle & WS_EX_STATICEDGE) ? 1
                                            : 0;
  in.left += edge;
  in.top += edge;
  in.right += edge;
  in.bottom += edge;
  if (hasVScroll) in.right += GetSystemMetrics(SM_CXVSCROLL);
  if (hasHScroll) in.bottom += GetSystemMetrics(SM_CYHSCROLL);
  return in;
}

void DefaultCalcClient(TWindow* w, RECT* r) {
  RECT in = NonClientInsets(w->style, w->exStyle, false, false);
  RECT c{r->left + in.left, r->top + in.top, r->right - in.right, r->bottom - in.bottom};
  if ((w->style & WS_VSCROLL) && c.right - c.left >= GetSystemMetrics(SM_CXVSCROLL))
    c.right -= GetSystemMetrics(SM_CXVSCROLL);
  if ((w->style & WS_HSCROLL) && c.bottom - c.top >= GetSystemMetrics(SM_CYHSCROLL))
    c.bottom -= GetSystemMetrics(SM_CYHSCROLL);
  if (c.right < c.left) c.right = c.left;
  if (c.bottom < c.top) c.bottom = c.top;
  *r = c;
}

RECT CaptionButtonRect(TWindow* w, int hit) {
  RECT wr = ScreenWindowRect(w);
  int b = FrameThickness(w->style, w->exStyle);
  int capH = CaptionHeight(w->exStyle) - 1;
  int cx = GetSystemMetrics((w->exStyle & WS_EX_TOOLWINDOW) ? SM_CXSMSIZE : SM_CXSIZE);
  int top = wr.top + b + 2, bottom = wr.top + b + capH - 2;
  int right = wr.right - b - 2;
  RECT close{right - cx + 2, top, right, bottom};
  if (hit == HTCLOSE) return close;
  int maxRight = close.left - 2;
  bool boxes = (w->style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) && !(w->exStyle & WS_EX_TOOLWINDOW);
  if (hit == HTHELP && !boxes) return RECT{maxRight - cx + 2, top, maxRight, bottom};
  if (!boxes) return RECT{};
  RECT max{maxRight - cx + 2, top, maxRight, bottom};
  if (hit == HTMAXBUTTON) return max;
  if (hit == HTMINBUTTON) return RECT{max.left - cx + 2, top, max.left, bottom};
  return RECT{};
}

int DefaultHitTest(TWindow* w, POINT pt) {
  RECT wr = ScreenWindowRect(w);
  if (!PtInRect(&wr, pt)) return HTNOWHERE;
  RECT cr = ScreenClientRect(w);
  if (PtInRect(&cr, pt)) return HTCLIENT;
  if (w->style & WS_MINIMIZE) return HTCAPTION;
  int b = FrameThickness(w->style, w->exStyle);
  bool thick = (w->style & WS_THICKFRAME) && (w->style & (WS_DLGFRAME | WS_BORDER)) != WS_DLGFRAME &&
               !(w->style & WS_MAXIMIZE);
  RECT inner{wr.left + b, wr.top + b, wr.right - b, wr.bottom - b};
  if (!PtInRect(&inner, pt)) {
    if (!thick) return HTBORDER;
    int corner = GetSystemMetrics(SM_CXSIZE) + b;
    bool left = pt.x < inner.left, right = pt.x >= inner.right, top = pt.y < inner.top,
         bottom = pt.y >= inner.bottom;
    if (top) return pt.x < wr.left + corner ? HTTOPLEFT : pt.x >= wr.right - corner ? HTTOPRIGHT : HTTOP;
    if (bottom)
      return pt.x < wr.left + corner ? HTBOTTOMLEFT : pt.x >= wr.right - corner ? HTBOTTOMRIGHT : HTBOTTOM;
    if (left) return pt.y < wr.top + corner ? HTTOPLEFT : pt.y >= wr.bottom - corner ? HTBOTTOMLEFT : HTLEFT;
    if (right)
      return pt.y < wr.top + corner ? HTTOPRIGHT : pt.y >= wr.bottom - corner ? HTBOTTOMRIGHT : HTRIGHT;
  }
  if (HasCaption(w->style)) {
    int capH = CaptionHeight(w->exStyle);
    if (pt.y < inner.top + capH) {
      if (w->style & WS_SYSMENU) {
        for (int hit : {HTCLOSE, HTMAXBUTTON, HTMINBUTTON, HTHELP}) {
          if (hit == HTHELP && !(w->exStyle & WS_EX_CONTEXTHELP)) continue;
          RECT r = CaptionButtonRect(w, hit);
          if (!IsRectEmpty(&r) && pt.x >= r.left && pt.x < r.right) return hit;
        }
        bool icon = !(w->exStyle & (WS_EX_TOOLWINDOW | WS_EX_DLGMODALFRAME));
        if (icon && pt.x < inner.left + GetSystemMetrics(SM_CXSIZE)) return HTSYSMENU;
      }
      return HTCAPTION;
    }
    inner.top += capH;
  }
  if ((w->style & WS_VSCROLL) && pt.x >= cr.right && pt.x < cr.right + GetSystemMetrics(SM_CXVSCROLL)) {
    if (pt.y >= cr.top && pt.y < cr.bottom) return HTVSCROLL;
    if ((w->style & WS_HSCROLL) && pt.y >= cr.bottom && pt.y < cr.bottom + GetSystemMetrics(SM_CYHSCROLL))
      return thick ? HTBOTTOMRIGHT : HTGROWBOX;
  }
  if ((w->style & WS_HSCROLL) && pt.y >= cr.bottom && pt.y < cr.bottom + GetSystemMetrics(SM_CYHSCROLL) &&
      pt.x >= cr.left && pt.x < cr.right)
    return HTHSCROLL;
  return HTBORDER;
}

void NcButtonLoop(HWND hwnd, int hit) {
  WPARAM command = hit == HTCLOSE       ? SC_CLOSE
                   : hit == HTMINBUTTON ? SC_MINIMIZE
                   : hit == HTHELP      ? SC_CONTEXTHELP
                   : IsZoomed(hwnd)     ? SC_RESTORE
                                        : SC_MAXIMIZE;
  SetCapture(hwnd);
  bool fire = false;
  MSG m;
  while (GetCapture() == hwnd) {
    if (!GetMessage(&m, nullptr, 0, 0)) {
      PostQuitMessage(static_cast<int>(m.wParam));
      break;
    }
    if (CallMsgFilter(&m, MSGF_NEXTWINDOW)) continue;
    if (m.message == WM_LBUTTONUP) {
      TWindow* w = Wnd(hwnd);
      fire = w && DefaultHitTest(w, m.pt) == hit;
      break;
    }
    if (m.message == WM_MOUSEMOVE) continue;
    if (m.message == WM_KEYDOWN && m.wParam == VK_ESCAPE) break;
    TranslateMessage(&m);
    DispatchMessage(&m);
  }
  if (GetCapture() == hwnd) ReleaseCapture();
  if (fire && IsWindow(hwnd)) SendMessage(hwnd, WM_SYSCOMMAND, command, PointToLParam(m.pt.x, m.pt.y));
}

void MoveSizeLoop(HWND hwnd, WPARAM edge, POINT start) {
  TWindow* w = Wnd(hwnd);
  if (!w || (w->style & WS_MAXIMIZE)) return;
  RECT orig = ScreenWindowRect(w);
  POINT parentOrigin = w->parent ? ClientOrigin(w->parent) : POINT{0, 0};
  MINMAXINFO mmi = WindowMinMaxInfo(hwnd);
  if (!Wnd(hwnd)) return;
  SetCapture(hwnd);
  SendMessage(hwnd, WM_ENTERSIZEMOVE, 0, 0);
  RECT current = orig;
  auto apply = [&](const RECT& r) {
    SetWindowPos(hwnd, nullptr, r.left - parentOrigin.x, r.top - parentOrigin.y, r.right - r.left,
                 r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
  };
  MSG m;
  while (IsWindow(hwnd) && GetCapture() == hwnd) {
    if (!GetMessage(&m, nullptr, 0, 0)) {
      PostQuitMessage(static_cast<int>(m.wParam));
      break;
    }
    if (CallMsgFilter(&m, MSGF_NEXTWINDOW)) continue;
    if (m.message == WM_MOUSEMOVE) {
      int dx = m.pt.x - start.x, dy = m.pt.y - start.y;
      RECT r = orig;
      if (edge == 0) {
        OffsetRect(&r, dx, dy);
        SendMessage(hwnd, WM_MOVING, 0, reinterpret_cast<LPARAM>(&r));
      } else {
        bool left = edge == WMSZ_LEFT || edge == WMSZ_TOPLEFT || edge == WMSZ_BOTTOMLEFT;
        bool right = edge == WMSZ_RIGHT || edge == WMSZ_TOPRIGHT || edge == WMSZ_BOTTOMRIGHT;
        bool top = edge == WMSZ_TOP || edge == WMSZ_TOPLEFT || edge == WMSZ_TOPRIGHT;
        bool bottom = edge == WMSZ_BOTTOM || edge == WMSZ_BOTTOMLEFT || edge == WMSZ_BOTTOMRIGHT;
        if (left)
          r.left =
              std::clamp<LONG>(r.left + dx, r.right - mmi.ptMaxTrackSize.x, r.right - mmi.ptMinTrackSize.x);
        if (right)
          r.right =
              std::clamp<LONG>(r.right + dx, r.left + mmi.ptMinTrackSize.x, r.left + mmi.ptMaxTrackSize.x);
        if (top)
          r.top =
              std::clamp<LONG>(r.top + dy, r.bottom - mmi.ptMaxTrackSize.y, r.bottom - mmi.ptMinTrackSize.y);
        if (bottom)
          r.bottom =
              std::clamp<LONG>(r.bottom + dy, r.top + mmi.ptMinTrackSize.y, r.top + mmi.ptMaxTrackSize.y);
        SendMessage(hwnd, WM_SIZING, edge, reinterpret_cast<LPARAM>(&r));
      }
      if (!IsWindow(hwnd)) break;
      if (r != current) {
        current = r;
        apply(r);
      }
      continue;
    }
    if (m.message == WM_LBUTTONUP) break;
    if (m.message == WM_KEYDOWN && (m.wParam == VK_ESCAPE || m.wParam == VK_RETURN)) {
      if (m.wParam == VK_ESCAPE && current != orig) apply(orig);
      break;
    }
    if (m.message == WM_KEYUP || m.message == WM_CHAR) continue;
    TranslateMessage(&m);
    DispatchMessage(&m);
  }
  if (GetCapture() == hwnd) ReleaseCapture();
  if (IsWindow(hwnd)) SendMessage(hwnd, WM_EXITSIZEMOVE, 0, 0);
}
