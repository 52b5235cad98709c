// Middle-button panning: an elliptic anchor window marks where the button went down; the further the
// pointer moves from it, the faster the rows or columns scroll towards the pointer, one scroll step
// every (13 - speed) ticks of a 20 ms timer. A private message loop runs until the button is
// released after the pointer has left the dead zone, another mouse message arrives or Esc is pressed.
#include <algorithm>
#include <cstdlib>

#include "dx/treelist/dxTL.h"
#include "dx/treelist/dxTLConsts.h"
#include "platform/forms/Forms.h"
#include "platform/gdi/Gdi.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/win/Timers.h"
#include "platform/win/Windows.h"

namespace {

constexpr UINT kPanInterval = 20;
constexpr int kMaxSpeed = 12;

enum TPanDirection { pdNone, pdLeft, pdUp, pdRight, pdDown };

struct TPanState {
  POINT Anchor{};
  int Width = 0;  // of the anchor bitmap: the dead zone is a square as wide
  bool HasHorz = false, HasVert = false;
  TPanDirection Direction = pdNone;
  int Speed = 1;
  int Ticks = 0;
  bool LeftDeadZone = false;
};

// Direction and speed for the pointer at P.
void Steer(TPanState& S, POINT P) {
  const int half = S.Width / 2;
  RECT dead{S.Anchor.x - half, S.Anchor.y - half, S.Anchor.x - half + S.Width, S.Anchor.y - half + S.Width};
  if (!S.HasHorz) dead.left = INT32_MIN / 2, dead.right = INT32_MAX / 2;
  if (!S.HasVert) dead.top = INT32_MIN / 2, dead.bottom = INT32_MAX / 2;
  if (PtInRect(&dead, P)) {
    S.Direction = pdNone;
    S.Speed = 0;
    return;
  }
  S.LeftDeadZone = true;
  const int dx = P.x - S.Anchor.x, dy = P.y - S.Anchor.y;
  int distance;
  if (!S.HasHorz || (S.HasVert && std::abs(dy) >= std::abs(dx))) {
    S.Direction = dy < 0 ? pdUp : pdDown;
    distance = std::abs(dy);
  } else {
    S.Direction = dx < 0 ? pdLeft : pdRight;
    distance = std::abs(dx);
  }
  S.Speed = std::min((distance - half) / 5 + 1, kMaxSpeed);
}

TCursor PanCursor(const TPanState& S) {
  switch (S.Direction) {
    case pdLeft: return crDXTLLeftScroll;
    case pdUp: return crDXTLUpScroll;
    case pdRight: return crDXTLRightScroll;
    case pdDown: return crDXTLDownScroll;
    case pdNone: break;
  }
  if (S.HasHorz && S.HasVert) return crDXTLFullScroll;
  return S.HasHorz ? crDXTLHorScroll : crDXTLVerScroll;
}

// The anchor: a pop-up "STATIC" window the bitmap's size, centred on the anchor point, cut to an
// ellipse and outlined.
HWND CreatePanAnchor(HWND Owner, const TPanState& S, TBitmap& Bitmap) {
  const int w = Bitmap.Width(), h = Bitmap.Height();
  HWND anchor = CreateWindowEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, u"STATIC", u"", WS_POPUP, S.Anchor.x - w / 2,
                               S.Anchor.y - h / 2, w, h, Owner, nullptr, nullptr, nullptr);
  if (!anchor) return nullptr;
  SetWindowRgn(anchor, CreateEllipticRgn(0, 0, w + 1, h + 1), FALSE);
  ShowWindow(anchor, SW_SHOWNOACTIVATE);
  ValidateRect(anchor, nullptr);
  HDC dc = GetDC(anchor);
  BitBlt(dc, 0, 0, w, h, Bitmap.Canvas()->Handle(), 0, 0, SRCCOPY);
  HRGN outline = CreateEllipticRgn(0, 0, w + 1, h + 1);
  FrameRgn(dc, outline, GetSysColorBrush(COLOR_WINDOWTEXT), 1, 1);
  DeleteObject(outline);
  ReleaseDC(anchor, dc);
  return anchor;
}

bool IsMouseMessage(UINT Msg) {
  return (Msg >= WM_MOUSEFIRST && Msg <= WM_MOUSELAST) || (Msg >= WM_NCMOUSEMOVE && Msg <= WM_NCMBUTTONDBLCLK);
}

}  // namespace

void TCustomdxTreeList::ShowPanCursor(TCursor Cursor) {
  panCursor_ = Cursor;
  if (Screen) ::SetCursor(Screen->Cursors(Cursor));
}

void TCustomdxTreeList::Pan() {
  if (!HandleAllocated()) return;
  TPanState s;
  const LONG style = GetWindowLong(Handle(), GWL_STYLE);
  s.HasHorz = (style & WS_HSCROLL) != 0;
  s.HasVert = (style & WS_VSCROLL) != 0;
  GetCursorPos(&s.Anchor);
  TBitmap bitmap;
  bitmap.LoadFromResourceName(nullptr, !s.HasHorz   ? u"DXGRID_VERSCROLLBITMAP"
                                       : !s.HasVert ? u"DXGRID_HORSCROLLBITMAP"
                                                    : u"DXGRID_FULLSCROLLBITMAP");
  s.Width = bitmap.Width();
  panAnchor_ = CreatePanAnchor(Handle(), s, bitmap);
  const UINT_PTR timer = SetTimer(nullptr, 0, kPanInterval, nullptr);
  SetCapture(Handle());
  panning_ = true;
  TScopeExit end([&] {
    panning_ = false;
    if (GetCapture() == Handle()) ReleaseCapture();
    KillTimer(nullptr, timer);
    if (panAnchor_) DestroyWindow(panAnchor_);
    panAnchor_ = nullptr;
    panCursor_ = crDefault;
  });
  ShowPanCursor(PanCursor(s));
  POINT last = s.Anchor;
  MSG msg;
  while (GetCapture() == Handle()) {
    const BOOL got = GetMessage(&msg, nullptr, 0, 0);
    if (got <= 0) {
      if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    switch (msg.message) {
      case WM_KEYDOWN:
      case WM_KEYUP:
        if (msg.wParam == VK_ESCAPE) return;
        continue;  // every other key is swallowed
      case WM_MOUSEMOVE: {
        POINT p{};
        GetCursorPos(&p);
        if (p.x == last.x && p.y == last.y) continue;
        Steer(s, p);
        ShowPanCursor(PanCursor(s));
        last = p;
        continue;
      }
      case WM_MBUTTONUP:
        if (s.LeftDeadZone) return;
        continue;
      case WM_PAINT:
        if (msg.hwnd == panAnchor_) {
          ValidateRect(panAnchor_, nullptr);
          continue;
        }
        break;
      case WM_TIMER:
        if (!msg.hwnd && msg.wParam == timer) {
          PanStep(s.Direction, s.Speed, s.Ticks);
          continue;
        }
        break;
      default:
        if (IsMouseMessage(msg.message)) return;
        break;
    }
    TranslateMessage(&msg);
    DispatchMessage(&msg);
  }
}

void TCustomdxTreeList::PanStep(int Direction, int Speed, int& Ticks) {
  ++Ticks;
  if (Direction == pdNone || Ticks % (13 - Speed) != 0) return;
  switch (Direction) {
    case pdLeft: SendMessage(Handle(), WM_HSCROLL, SB_LINELEFT, 0); break;
    case pdRight: SendMessage(Handle(), WM_HSCROLL, SB_LINERIGHT, 0); break;
    case pdUp: SendMessage(Handle(), WM_VSCROLL, SB_LINEUP, 0); break;
    case pdDown: SendMessage(Handle(), WM_VSCROLL, SB_LINEDOWN, 0); break;
    default: break;
  }
}
