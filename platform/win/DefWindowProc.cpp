// The default window procedure, and the classic drawing of the non-client frame.
#include <algorithm>

#include "platform/gdi/Controls.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Objects.h"
#include "platform/gdi/Text.h"
#include "platform/win/Cursors.h"
#include "platform/win/Focus.h"
#include "platform/win/Help.h"
#include "platform/win/Input.h"
#include "platform/win/Metrics.h"
#include "platform/win/Paint.h"
#include "platform/win/Shell.h"
#include "platform/win/SysColors.h"
#include "platform/win/WinInternal.h"

namespace {

void Fill(HDC dc, const RECT& r, int colorIndex) {
  if (!IsRectEmpty(&r)) FillRect(dc, &r, GetSysColorBrush(colorIndex));
}

// One pixel line pair: top/left in `tl`, bottom/right in `br`; shrinks the rectangle.
void Edge(HDC dc, RECT& r, int tl, int br) {
  Fill(dc, RECT{r.left, r.top, r.right, r.top + 1}, tl);
  Fill(dc, RECT{r.left, r.top, r.left + 1, r.bottom}, tl);
  Fill(dc, RECT{r.left, r.bottom - 1, r.right, r.bottom}, br);
  Fill(dc, RECT{r.right - 1, r.top, r.right, r.bottom}, br);
  InflateRect(&r, -1, -1);
}

void DrawCaptionButton(HDC dc, RECT r, UINT kind, bool active) {
  if (IsRectEmpty(&r)) return;
  DrawFrameControl(dc, &r, DFC_CAPTION, kind | (active ? 0 : 0));
}

LRESULT DefSetCursor(HWND hwnd, WPARAM wParam, LPARAM lParam) {
  TWindow* w = Wnd(hwnd);
  if (!w) return FALSE;
  if (w->IsChild()) {
    if (SendMessage(w->parent->handle, WM_SETCURSOR, wParam, lParam)) return TRUE;
  }
  int hit = static_cast<SHORT>(LOWORD(static_cast<std::uintptr_t>(lParam)));
  UINT msg = HIWORD(static_cast<std::uintptr_t>(lParam));
  switch (hit) {
    case HTERROR:
      if (msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN || msg == WM_MBUTTONDOWN) MessageBeep(0);
      return FALSE;
    case HTCLIENT:
      if (w->cls->cursor) {
        SetCursor(w->cls->cursor);
        return TRUE;
      }
      return FALSE;
    case HTLEFT:
    case HTRIGHT:
      SetCursor(LoadCursor(nullptr, IDC_SIZEWE));
      return TRUE;
    case HTTOP:
    case HTBOTTOM:
      SetCursor(LoadCursor(nullptr, IDC_SIZENS));
      return TRUE;
    case HTTOPLEFT:
    case HTBOTTOMRIGHT:
      SetCursor(LoadCursor(nullptr, IDC_SIZENWSE));
      return TRUE;
    case HTTOPRIGHT:
    case HTBOTTOMLEFT:
      SetCursor(LoadCursor(nullptr, IDC_SIZENESW));
      return TRUE;
    default:
      SetCursor(LoadCursor(nullptr, IDC_ARROW));
      return TRUE;
  }
}

LRESULT DefNcLButtonDown(HWND hwnd, WPARAM wParam, LPARAM lParam) {
  int hit = static_cast<int>(static_cast<LONG_PTR>(wParam));
  switch (hit) {
    case HTCAPTION:
      SendMessage(hwnd, WM_SYSCOMMAND, SC_MOVE + HTCAPTION, lParam);
      break;
    case HTLEFT:
    case HTRIGHT:
    case HTTOP:
    case HTTOPLEFT:
    case HTTOPRIGHT:
    case HTBOTTOM:
    case HTBOTTOMLEFT:
    case HTBOTTOMRIGHT:
      SendMessage(hwnd, WM_SYSCOMMAND, SC_SIZE + (hit - HTLEFT + WMSZ_LEFT), lParam);
      break;
    case HTGROWBOX:
      SendMessage(hwnd, WM_SYSCOMMAND, SC_SIZE + WMSZ_BOTTOMRIGHT, lParam);
      break;
    case HTCLOSE:
    case HTMINBUTTON:
    case HTMAXBUTTON:
    case HTHELP:
      NcButtonLoop(hwnd, hit);
      break;
    case HTVSCROLL:
    case HTHSCROLL:
      ScrollBarNcLButtonDown(hwnd, hit, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      break;
    default:
      break;
  }
  return 0;
}

LRESULT DefSysCommand(HWND hwnd, WPARAM wParam, LPARAM lParam) {
  POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  switch (wParam & 0xFFF0) {
    case SC_CLOSE:
    case SC_MINIMIZE:
    case SC_MAXIMIZE:
    case SC_RESTORE:
    case SC_MOVE:
    case SC_SIZE:
      if (!SystemCommandAllowed(hwnd, static_cast<UINT>(wParam))) return 0;
      break;
    default:
      break;
  }
  switch (wParam & 0xFFF0) {
    case SC_CLOSE:
      SendMessage(hwnd, WM_CLOSE, 0, 0);
      break;
    case SC_MINIMIZE:
      ShowWindow(hwnd, SW_MINIMIZE);
      break;
    case SC_MAXIMIZE:
      ShowWindow(hwnd, SW_MAXIMIZE);
      break;
    case SC_RESTORE:
      ShowWindow(hwnd, SW_RESTORE);
      break;
    case SC_NEXTWINDOW:
      if (TWindow* w = Wnd(hwnd); w && IsMdiChild(w))
        SendMessage(w->parent->handle, WM_MDINEXT, reinterpret_cast<WPARAM>(hwnd), 0);
      break;
    case SC_MOVE:
      if (!lParam) GetCursorPos(&pt);
      MoveSizeLoop(hwnd, 0, pt);
      break;
    case SC_SIZE:
      if (!lParam) GetCursorPos(&pt);
      MoveSizeLoop(hwnd, wParam & 0x000F, pt);
      break;
    default:
      break;
  }
  return 0;
}

HWND TopOf(HWND hwnd) { return GetAncestor(hwnd, GA_ROOT); }

}  // namespace

void PaintNonClient(TWindow* w, HRGN clip) {
  if (!w || !IsReallyVisible(w)) return;
  HWND h = w->handle;
  HDC dc = GetDCEx(h, clip, DCX_WINDOW | (clip ? DCX_INTERSECTRGN : 0));
  if (!dc) return;
  RECT wr = ScreenWindowRect(w);
  RECT r{0, 0, wr.right - wr.left, wr.bottom - wr.top};
  // Leave the client area alone.
  RECT cr = ScreenClientRect(w);
  OffsetRect(&cr, -wr.left, -wr.top);
  ExcludeClipRect(dc, cr.left, cr.top, cr.right, cr.bottom);
  DWORD style = w->style, ex = w->exStyle;
  bool thick = (style & WS_THICKFRAME) && (style & (WS_DLGFRAME | WS_BORDER)) != WS_DLGFRAME;
  bool dlg = (ex & WS_EX_DLGMODALFRAME) || ((style & WS_DLGFRAME) && !(style & WS_THICKFRAME));
  if (thick || dlg) {
    DrawEdge(dc, &r, EDGE_RAISED, BF_RECT | BF_ADJUST);
    int rest = (thick ? GetSystemMetrics(SM_CXFRAME) : GetSystemMetrics(SM_CXDLGFRAME)) - 2;
    for (int i = 0; i < rest; ++i)
      Edge(dc, r, thick ? COLOR_ACTIVEBORDER : COLOR_BTNFACE, thick ? COLOR_ACTIVEBORDER : COLOR_BTNFACE);
  } else if (style & WS_BORDER) {
    Edge(dc, r, COLOR_WINDOWFRAME, COLOR_WINDOWFRAME);
  }
  if (HasCaption(style)) {
    int capH = GetSystemMetrics((ex & WS_EX_TOOLWINDOW) ? SM_CYSMCAPTION : SM_CYCAPTION);
    RECT cap{r.left, r.top, r.right, r.top + capH - 1};
    Fill(dc, cap, w->ncActive ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION);
    Fill(dc, RECT{r.left, cap.bottom, r.right, cap.bottom + 1}, COLOR_BTNFACE);
    if (style & WS_SYSMENU)
      for (int hit : {HTCLOSE, HTMAXBUTTON, HTMINBUTTON}) {
        RECT b = CaptionButtonRect(w, hit);
        OffsetRect(&b, -wr.left, -wr.top);
        UINT kind = hit == HTCLOSE          ? DFCS_CAPTIONCLOSE
                    : hit == HTMINBUTTON    ? DFCS_CAPTIONMIN
                    : (style & WS_MAXIMIZE) ? DFCS_CAPTIONRESTORE
                                            : DFCS_CAPTIONMAX;
        DrawCaptionButton(dc, b, kind, w->ncActive);
      }
    if (!w->text.empty()) {
      SetBkMode(dc, TRANSPARENT);
      SetTextColor(dc, GetSysColor(w->ncActive ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
      RECT t{cap.left + 4, cap.top, cap.right - 3 * GetSystemMetrics(SM_CXSIZE), cap.bottom};
      DrawText(dc, w->text.c_str(), static_cast<int>(w->text.size()), &t,
               DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
    }
    r.top += capH;
  }
  if (ex & WS_EX_CLIENTEDGE)
    DrawEdge(dc, &r, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
  else if (ex & WS_EX_STATICEDGE)
    DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
  DrawWindowScrollBars(w, dc);
  ReleaseDC(h, dc);
}

LRESULT DefWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  TWindow* w = Wnd(hwnd);
  if (!w) return 0;
  switch (msg) {
    case WM_NCCREATE:
      if (w->style & (WS_HSCROLL | WS_VSCROLL)) {
        w->bars[0] = TScrollBarState{};
        w->bars[1] = TScrollBarState{};
      }
      return TRUE;
    case WM_NCCALCSIZE: {
      RECT* r =
          wParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0] : reinterpret_cast<RECT*>(lParam);
      if (r) DefaultCalcClient(w, r);
      return 0;
    }
    case WM_NCHITTEST:
      return DefaultHitTest(w, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    case WM_NCPAINT:
      PaintNonClient(w, wParam > 1 ? reinterpret_cast<HRGN>(wParam) : nullptr);
      return 0;
    case WM_NCACTIVATE: {
      // A pop-up keeps its owner's caption active by sending it this again: only a change repaints.
      const bool active = wParam != 0;
      if (w->ncActive == active) return TRUE;
      w->ncActive = active;
      if (HasCaption(w->style)) PaintNonClient(w, nullptr);
      return TRUE;
    }
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE && !(w->style & WS_MINIMIZE)) SetFocus(hwnd);
      return 0;
    case WM_MOUSEACTIVATE:
      if (w->IsChild()) {
        LRESULT r = SendMessage(w->parent->handle, WM_MOUSEACTIVATE, wParam, lParam);
        if (r) return r;
      }
      return (w->exStyle & WS_EX_NOACTIVATE) ? MA_NOACTIVATE : MA_ACTIVATE;
    case WM_SETCURSOR:
      return DefSetCursor(hwnd, wParam, lParam);
    case WM_ERASEBKGND: {
      HBRUSH brush = w->cls->background;
      if (!brush) return 0;
      std::uintptr_t v = reinterpret_cast<std::uintptr_t>(brush);
      if (v > 0 && v <= 31) brush = GetSysColorBrush(static_cast<int>(v - 1));
      RECT r;
      GetClientRect(hwnd, &r);
      FillRect(reinterpret_cast<HDC>(wParam), &r, brush);
      return 1;
    }
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(hwnd, &ps);
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_SETTEXT:
      w->text = lParam ? String(reinterpret_cast<LPCWSTR>(lParam)) : String();
      if (HasCaption(w->style)) PaintNonClient(w, nullptr);
      return TRUE;
    case WM_GETTEXT: {
      if (!wParam || !lParam) return 0;
      auto* buf = reinterpret_cast<LPWSTR>(lParam);
      size_t n = std::min<size_t>(w->text.size(), wParam - 1);
      std::copy_n(w->text.begin(), n, buf);
      buf[n] = 0;
      return static_cast<LRESULT>(n);
    }
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(w->text.size());
    case WM_CLOSE:
      DestroyWindow(hwnd);
      return 0;
    case WM_SYSCOMMAND:
      return DefSysCommand(hwnd, wParam, lParam);
    case WM_NCLBUTTONDOWN:
      return DefNcLButtonDown(hwnd, wParam, lParam);
    case WM_NCLBUTTONDBLCLK: {
      int hit = static_cast<int>(static_cast<LONG_PTR>(wParam));
      if (hit == HTCAPTION && (w->style & WS_MAXIMIZEBOX))
        SendMessage(hwnd, WM_SYSCOMMAND, IsZoomed(hwnd) ? SC_RESTORE : SC_MAXIMIZE, lParam);
      else if (hit == HTSYSMENU)
        SendMessage(hwnd, WM_SYSCOMMAND, SC_CLOSE, lParam);
      else if (hit == HTVSCROLL || hit == HTHSCROLL)
        return DefNcLButtonDown(hwnd, wParam, lParam);
      return 0;
    }
    case WM_RBUTTONUP: {
      POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      ClientToScreen(hwnd, &p);
      SendMessage(hwnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hwnd), PointToLParam(p.x, p.y));
      return 0;
    }
    case WM_NCRBUTTONUP:
      SendMessage(hwnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hwnd), lParam);
      return 0;
    case WM_CONTEXTMENU:
    case WM_MOUSEWHEEL:
    case WM_HELP:
      if (w->IsChild()) return SendMessage(w->parent->handle, msg, wParam, lParam);
      return 0;
    case WM_KEYF1:
      SendHelpRequest(hwnd);
      return 0;
    case WM_KEYUP:
      if (wParam == VK_APPS) SendMessage(hwnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hwnd), -1);
      return 0;
    case WM_SYSKEYDOWN:
      if (wParam == VK_MENU) {
        w->altArmed = true;
        return 0;
      }
      w->altArmed = false;
      if (wParam == VK_F4 && (lParam & (1 << 29))) SendMessage(TopOf(hwnd), WM_SYSCOMMAND, SC_CLOSE, 0);
      if (wParam == VK_F10 && (GetKeyState(VK_SHIFT) & 0x8000))
        SendMessage(hwnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hwnd), -1);
      return 0;
    case WM_SYSKEYUP:
      if ((wParam == VK_MENU && w->altArmed) || wParam == VK_F10)
        SendMessage(TopOf(hwnd), WM_SYSCOMMAND, SC_KEYMENU, 0);
      if ((w = Wnd(hwnd))) w->altArmed = false;
      return 0;
    case WM_SYSCHAR:
      if ((lParam & (1 << 29)) && wParam != VK_TAB && wParam != VK_ESCAPE)
        SendMessage(TopOf(hwnd), WM_SYSCOMMAND, SC_KEYMENU,
                    wParam == u' ' ? u' ' : static_cast<WPARAM>(wParam));
      return 0;
    case WM_WINDOWPOSCHANGING: {
      auto* wp = reinterpret_cast<WINDOWPOS*>(lParam);
      if (wp && !(wp->flags & SWP_NOSIZE) && w->IsTopLevel() && !(w->style & WS_CHILD) &&
          ((w->style & WS_THICKFRAME) || HasCaption(w->style)) && !(w->style & (WS_MAXIMIZE | WS_MINIMIZE))) {
        MINMAXINFO mmi = WindowMinMaxInfo(hwnd);
        wp->cx = std::clamp<int>(wp->cx, std::min(mmi.ptMinTrackSize.x, mmi.ptMaxTrackSize.x),
                                 mmi.ptMaxTrackSize.x);
        wp->cy = std::clamp<int>(wp->cy, std::min(mmi.ptMinTrackSize.y, mmi.ptMaxTrackSize.y),
                                 mmi.ptMaxTrackSize.y);
      }
      return 0;
    }
    case WM_WINDOWPOSCHANGED:
      DefWindowPosChanged(hwnd, reinterpret_cast<WINDOWPOS*>(lParam));
      return 0;
    case WM_SHOWWINDOW:
      // Pop-ups go away with their minimised owner and come back with it.
      if (lParam == SW_PARENTCLOSING && !wParam && w->IsTopLevel() && w->owner && w->Visible()) {
        w->hiddenWithOwner = true;
        SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
      } else if (lParam == SW_PARENTOPENING && wParam && w->hiddenWithOwner) {
        w->hiddenWithOwner = false;
        SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                     SWP_SHOWWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
      }
      return 0;
    case WM_SETREDRAW:
      if (wParam)
        w->style |= WS_VISIBLE;
      else
        w->style &= ~WS_VISIBLE;
      return 0;
    case WM_CANCELMODE:
      if (GetCapture() == hwnd) ReleaseCapture();
      return 0;
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORSCROLLBAR: {
      HDC dc = reinterpret_cast<HDC>(wParam);
      bool window = msg == WM_CTLCOLOREDIT || msg == WM_CTLCOLORLISTBOX;
      SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
      SetBkColor(dc, GetSysColor(window ? COLOR_WINDOW : COLOR_BTNFACE));
      return reinterpret_cast<LRESULT>(GetSysColorBrush(window ? COLOR_WINDOW : COLOR_BTNFACE));
    }
    case WM_QUERYENDSESSION:
      return TRUE;
    case WM_SETICON: {
      if (wParam > ICON_BIG) return 0;
      HICON old = w->icons[wParam];
      w->icons[wParam] = reinterpret_cast<HICON>(lParam);
      return reinterpret_cast<LRESULT>(old);
    }
    case WM_GETICON: {
      HICON big = w->icons[ICON_BIG] ? w->icons[ICON_BIG] : w->cls->icon;
      if (wParam == ICON_BIG) return reinterpret_cast<LRESULT>(big);
      HICON small = w->icons[ICON_SMALL] ? w->icons[ICON_SMALL] : w->cls->iconSm;
      return reinterpret_cast<LRESULT>(small ? small : big);
    }
    case WM_CHILDACTIVATE:
      if (IsMdiChild(w)) SendMessage(w->parent->handle, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(hwnd), 0);
      return 0;
    default:
      return 0;
  }
}
