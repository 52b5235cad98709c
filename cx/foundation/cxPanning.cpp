// Middle-button panning: a modal loop with an origin marker, a 20 ms timer and a speed that grows
// with the distance of the mouse from where panning began.
#include <cstdlib>
#include <memory>

#include "cx/foundation/cxControls.h"
#include "cx/foundation/cxPanning.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/forms/Forms.h"
#include "platform/win/Windows.h"

namespace {

constexpr UINT kPanningInterval = 20;
constexpr int kMaxSpeed = 12;

// The marker pictures: a ring with arrows towards the directions that scroll.
std::unique_ptr<TBitmap> MakeMarkerBitmap(bool AHorizontal, bool AVertical) {
  auto b = std::make_unique<TBitmap>();
  b->SetSize(cxPanningMarkerSize, cxPanningMarkerSize);
  TCanvas* c = b->Canvas();
  c->Brush()->SetColor(clWindow);
  c->FillRect({0, 0, cxPanningMarkerSize, cxPanningMarkerSize});
  c->Brush()->SetColor(clWindowText);
  c->Pen()->SetColor(clWindowText);
  const int m = cxPanningMarkerSize / 2;
  c->FillRect({m - 1, m - 1, m + 2, m + 2});
  if (AVertical) {
    c->Polygon({{m, 3}, {m - 4, 8}, {m + 4, 8}});
    c->Polygon({{m, cxPanningMarkerSize - 4}, {m - 4, cxPanningMarkerSize - 9}, {m + 4, cxPanningMarkerSize - 9}});
  }
  if (AHorizontal) {
    c->Polygon({{3, m}, {8, m - 4}, {8, m + 4}});
    c->Polygon({{cxPanningMarkerSize - 4, m}, {cxPanningMarkerSize - 9, m - 4}, {cxPanningMarkerSize - 9, m + 4}});
  }
  return b;
}

// One panning run.
class TPanning {
 public:
  TPanning(TcxControl* AControl, bool AHorizontal, bool AVertical)
      : control_(AControl), horizontal_(AHorizontal), vertical_(AVertical) {}

  void Run() {
    start_ = cxGetMouseCursorPos();
    last_ = start_;
    ShowOrigin();
    SetCursorFor(sdNone);
    timer_ = SetTimer(nullptr, 0, kPanningInterval, nullptr);
    SetCapture(control_->Handle());
    TScopeExit done([this] { Finish(); });
    Loop();
  }

 private:
  void ShowOrigin() {
    std::unique_ptr<TBitmap> bitmap = MakeMarkerBitmap(horizontal_, vertical_);
    size_ = bitmap->Width();
    const int w = bitmap->Width(), h = bitmap->Height();
    origin_ = CreateWindowEx(WS_EX_TOPMOST, u"STATIC", nullptr, WS_POPUP, start_.x - w / 2, start_.y - h / 2, w, h,
                             control_->Handle(), nullptr, nullptr, nullptr);
    if (!origin_) return;
    SetWindowRgn(origin_, CreateEllipticRgn(0, 0, w + 1, h + 1), FALSE);
    SetWindowPos(origin_, nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    HDC dc = GetWindowDC(origin_);
    BitBlt(dc, 0, 0, w, h, bitmap->Canvas()->Handle(), 0, 0, SRCCOPY);
    HRGN ring = CreateEllipticRgn(0, 0, w + 1, h + 1);
    FrameRgn(dc, ring, GetSysColorBrush(COLOR_WINDOWTEXT), 1, 1);
    DeleteObject(ring);
    ReleaseDC(origin_, dc);
  }

  void Loop() {
    HWND wnd = control_->Handle();
    while (GetCapture() == wnd) {
      MSG msg;
      const BOOL got = GetMessage(&msg, nullptr, 0, 0);
      if (got == -1) return;
      if (!got) {
        PostQuitMessage(static_cast<int>(msg.wParam));
        return;
      }
      if (msg.message == WM_PAINT && msg.hwnd == origin_) {
        ValidateRect(origin_, nullptr);
        continue;
      }
      if (msg.message >= WM_LBUTTONDOWN && msg.message <= WM_MOUSEWHEEL && msg.message != WM_MBUTTONUP) return;
      bool stop = false;
      switch (msg.message) {
        case WM_KEYDOWN:
        case WM_KEYUP:
          stop = msg.wParam == VK_ESCAPE;
          break;
        case WM_TIMER:
          if (msg.hwnd == nullptr && msg.wParam == timer_) Tick();
          break;
        case WM_MOUSEMOVE: {
          POINT p{static_cast<SHORT>(LOWORD(msg.lParam)), static_cast<SHORT>(HIWORD(msg.lParam))};
          ClientToScreen(msg.hwnd, &p);
          if (p.x != last_.x || p.y != last_.y) {
            MouseMoved(p);
            last_ = p;
          }
          break;
        }
        case WM_MBUTTONUP:
          stop = moved_;
          break;
        default:
          break;
      }
      TranslateMessage(&msg);
      DispatchMessage(&msg);
      if (stop) return;
    }
  }

  void Tick() {
    ++ticks_;
    if (ticks_ % (13 - speed_) == 0) control_->ScrollByDirection(direction_);
  }

  void MouseMoved(POINT P) {
    const TcxPanningStep step = cxPanningStep(start_, P, size_, horizontal_, vertical_);
    direction_ = step.Direction;
    speed_ = step.Speed;
    moved_ = moved_ || step.Direction != sdNone;
    SetCursorFor(direction_);
  }

  void SetCursorFor(TcxScrollStepDirection ADirection) {
    TCursor cursor;
    switch (ADirection) {
      case sdLeft: cursor = crcxLeftScroll; break;
      case sdRight: cursor = crcxRightScroll; break;
      case sdUp: cursor = crcxUpScroll; break;
      case sdDown: cursor = crcxDownScroll; break;
      default: cursor = horizontal_ && vertical_ ? crcxFullScroll : horizontal_ ? crcxHorScroll : crcxVerScroll;
    }
    if (Screen) SetCursor(Screen->Cursors(cursor));
  }

  void Finish() {
    if (GetCapture() == control_->Handle()) ReleaseCapture();
    if (timer_) KillTimer(nullptr, timer_);
    if (origin_) DestroyWindow(origin_);
  }

  TcxControl* control_;
  bool horizontal_, vertical_;
  POINT start_{}, last_{};
  bool moved_ = false;
  HWND origin_ = nullptr;
  UINT_PTR timer_ = 0;
  TcxScrollStepDirection direction_ = sdNone;
  int speed_ = 1;
  int ticks_ = 0;
  int size_ = cxPanningMarkerSize;
};

}  // namespace

TcxPanningStep cxPanningStep(POINT AStart, POINT P, int AOriginSize, bool AHorizontal, bool AVertical) {
  RECT neutral{AStart.x - AOriginSize / 2, AStart.y - AOriginSize / 2, 0, 0};
  neutral.right = neutral.left + AOriginSize;
  neutral.bottom = neutral.top + AOriginSize;
  if (!AHorizontal) {
    neutral.left = -0x40000000;
    neutral.right = 0x40000000;
  }
  if (!AVertical) {
    neutral.top = -0x40000000;
    neutral.bottom = 0x40000000;
  }
  if (PtInRect(&neutral, P)) return {sdNone, 0};
  const int dx = P.x - AStart.x, dy = P.y - AStart.y;
  TcxScrollStepDirection direction;
  int distance;
  if (!AHorizontal || (AVertical && std::abs(dy) >= std::abs(dx))) {
    direction = dy < 0 ? sdUp : sdDown;
    distance = std::abs(dy);
  } else {
    direction = dx < 0 ? sdLeft : sdRight;
    distance = std::abs(dx);
  }
  return {direction, std::min((distance - AOriginSize / 2) / 5 + 1, kMaxSpeed)};
}

void TcxControl::PanScroll() {
  const bool h = hScrollBar_->Visible(), v = vScrollBar_->Visible();
  if (!h && !v) return;
  TPanning(this, h, v).Run();
}
