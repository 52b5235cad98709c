#include "platform/forms/native/StaticWindow.h"

#include "platform/forms/native/NativeCommon.h"
#include "platform/forms/native/Notify.h"
#include "platform/forms/native/StaticControls.h"
#include "platform/gdi/Gdi.h"
#include "platform/win/Windows.h"

namespace {

struct TStaticWindow {
  explicit TStaticWindow(HWND h) : hwnd(h) {}
  HWND hwnd;
  HFONT font = nullptr;
  HBITMAP bitmap = nullptr;
};

void PaintStatic(TStaticWindow& s, HDC dc) {
  RECT r;
  GetClientRect(s.hwnd, &r);
  DWORD style = WindowStyle(s.hwnd);
  DWORD type = style & SS_TYPEMASK;
  if (type == SS_OWNERDRAW) {
    DRAWITEMSTRUCT di;
    di.CtlType = ODT_STATIC;
    di.itemAction = ODA_DRAWENTIRE;
    di.itemState = IsWindowEnabled(s.hwnd) ? 0 : ODS_DISABLED;
    di.hDC = dc;
    di.rcItem = r;
    SendDrawItem(s.hwnd, di);
    return;
  }
  HBRUSH brush = ParentColorBrush(s.hwnd, dc, WM_CTLCOLORSTATIC, COLOR_WINDOWTEXT, COLOR_BTNFACE);
  switch (type) {
    case SS_BLACKRECT:
    case SS_GRAYRECT:
    case SS_WHITERECT:
      FillRect(dc, &r,
               GetSysColorBrush(type == SS_BLACKRECT  ? COLOR_WINDOWFRAME
                                : type == SS_GRAYRECT ? COLOR_BTNSHADOW
                                                      : COLOR_WINDOW));
      return;
    case SS_BLACKFRAME:
    case SS_GRAYFRAME:
    case SS_WHITEFRAME:
      FillRect(dc, &r, brush);
      FrameRect(dc, &r,
                GetSysColorBrush(type == SS_BLACKFRAME  ? COLOR_WINDOWFRAME
                                 : type == SS_GRAYFRAME ? COLOR_BTNSHADOW
                                                        : COLOR_WINDOW));
      return;
    case SS_ETCHEDHORZ:
    case SS_ETCHEDVERT:
    case SS_ETCHEDFRAME:
      FillRect(dc, &r, brush);
      DrawEdge(dc, &r, EDGE_ETCHED,
               type == SS_ETCHEDHORZ   ? BF_TOP
               : type == SS_ETCHEDVERT ? BF_LEFT
                                       : BF_RECT);
      return;
    default:
      break;
  }
  FillRect(dc, &r, brush);
  if (style & SS_SUNKEN) DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
  if (type == SS_BITMAP) {
    if (!s.bitmap) return;
    BITMAP bm;
    GetObject(s.bitmap, sizeof(bm), &bm);
    HDC mem = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(mem, s.bitmap);
    int x = r.left, y = r.top;
    if (style & SS_CENTERIMAGE) {
      x = (r.left + r.right - bm.bmWidth) / 2;
      y = (r.top + r.bottom - bm.bmHeight) / 2;
    }
    BitBlt(dc, x, y, bm.bmWidth, bm.bmHeight, mem, 0, 0, SRCCOPY);
    SelectObject(mem, old);
    DeleteDC(mem);
    return;
  }
  String text = GetWindowTextString(s.hwnd);
  UINT fmt = DT_EXPANDTABS;
  if (type == SS_CENTER)
    fmt |= DT_CENTER | DT_WORDBREAK;
  else if (type == SS_RIGHT)
    fmt |= DT_RIGHT | DT_WORDBREAK;
  else if (type == SS_LEFT)
    fmt |= DT_WORDBREAK;
  else
    fmt |= DT_SINGLELINE;
  if (style & SS_NOPREFIX) fmt |= DT_NOPREFIX;
  if ((style & SS_CENTERIMAGE) && !(fmt & DT_WORDBREAK)) fmt |= DT_VCENTER | DT_SINGLELINE;
  switch (style & SS_ELLIPSISMASK) {
    case SS_ENDELLIPSIS:
      fmt |= DT_END_ELLIPSIS;
      break;
    case SS_PATHELLIPSIS:
      fmt |= DT_PATH_ELLIPSIS;
      break;
    case SS_WORDELLIPSIS:
      fmt |= DT_WORD_ELLIPSIS;
      break;
  }
  HGDIOBJ oldFont = SelectObject(dc, ControlFont(s.font));
  SetBkMode(dc, TRANSPARENT);
  if (!IsWindowEnabled(s.hwnd)) SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
  DrawText(dc, text, &r, fmt);
  SelectObject(dc, oldFont);
}

LRESULT HandleStatic(TStaticWindow& s, UINT msg, WPARAM wParam, LPARAM lParam) {
  HWND hwnd = s.hwnd;
  DWORD style = WindowStyle(hwnd);
  switch (msg) {
    case WM_NCHITTEST:
      if ((style & WS_CHILD) && !(style & SS_NOTIFY)) return HTTRANSPARENT;
      return DefWindowProc(hwnd, msg, wParam, lParam);
    case WM_LBUTTONDOWN:
      if (style & SS_NOTIFY) NotifyParentCommand(hwnd, STN_CLICKED);
      return 0;
    case WM_LBUTTONDBLCLK:
      if (style & SS_NOTIFY) NotifyParentCommand(hwnd, STN_DBLCLK);
      return 0;
    case WM_ENABLE:
      if (style & SS_NOTIFY) NotifyParentCommand(hwnd, wParam ? STN_ENABLE : STN_DISABLE);
      InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    case WM_SETTEXT: {
      LRESULT r = DefWindowProc(hwnd, msg, wParam, lParam);
      InvalidateRect(hwnd, nullptr, TRUE);
      return r;
    }
    case WM_SETFONT:
      s.font = reinterpret_cast<HFONT>(wParam);
      if (lParam) InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(s.font);
    case STM_SETIMAGE: {
      HBITMAP old = s.bitmap;
      if (wParam == IMAGE_BITMAP) s.bitmap = reinterpret_cast<HBITMAP>(lParam);
      InvalidateRect(hwnd, nullptr, TRUE);
      return reinterpret_cast<LRESULT>(old);
    }
    case STM_GETIMAGE:
      return reinterpret_cast<LRESULT>(s.bitmap);
    case WM_GETDLGCODE:
      return DLGC_STATIC;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
    case WM_PRINTCLIENT:
      return PaintClient(hwnd, msg, wParam, [&](HDC dc) { PaintStatic(s, dc); });
    default:
      return DefWindowProc(hwnd, msg, wParam, lParam);
  }
}

}  // namespace

LRESULT StaticWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return WithWindowState<TStaticWindow>(
      hwnd, msg, wParam, lParam, [&](TStaticWindow& s) { return HandleStatic(s, msg, wParam, lParam); });
}
