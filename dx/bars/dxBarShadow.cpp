#include "dx/bars/dxBarShadow.h"

#include <cmath>

#include "dx/bars/dxBarControl.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Draw.h"
#include "platform/gdi/Objects.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/win/Libraries.h"
#include "platform/win/Windows.h"

namespace {

bool& LayeredOverride() {
  static bool available = true;
  return available;
}

bool AtLeast(const RECT& R, int S) { return R.right - R.left >= S && R.bottom - R.top >= S; }

}  // namespace

namespace dxbars_internal {
void SetLayeredShadowsForTesting(bool Available) { LayeredOverride() = Available; }
}  // namespace dxbars_internal

bool LayeredShadows() {
  if (!LayeredOverride()) return false;
  HMODULE user32 = GetModuleHandle(u"USER32");
  return user32 && GetProcAddress(user32, "UpdateLayeredWindow") && ScreenBitsPerPixel() > 8;
}

int ShadowSize() { return LayeredShadows() ? 4 : 2; }

std::vector<TdxBarShadowPiece> CalcShadowPieces(RECT O, RECT C, int S) {
  bool ownerEmpty = IsRectEmpty(&O);
  bool horizontal = ownerEmpty || O.bottom == C.top || O.top == C.bottom;
  // An opener below (or to the right) is handled as one above (or to the left).
  if (!ownerEmpty && ((horizontal && O.top == C.bottom) || (!horizontal && O.left == C.right))) std::swap(O, C);
  std::vector<TdxBarShadowPiece> pieces;
  auto add = [&](RECT r, int kind, int corners) {
    if (corners && !AtLeast(r, S)) return;
    if (IsRectEmpty(&r)) return;
    pieces.push_back({r, kind, corners});
  };
  if (horizontal) {
    if (!ownerEmpty) add({O.right, O.top + S, O.right + S, O.bottom}, 1, kShadowFadeTop);
    add({C.left + S, C.bottom, C.right + S, C.bottom + S}, 0, kShadowFadeLeft | kShadowFadeRight);
    if (!ownerEmpty) {
      if (O.left + S < C.left) add({O.left + S, O.bottom, C.left, O.bottom + S}, 0, kShadowFadeLeft);
      if (C.right < O.right) add({C.right, O.bottom, O.right + S, O.bottom + S}, 0, kShadowFadeRight);
    }
    if (ownerEmpty || O.right < C.right)
      add({C.right, C.top + S, C.right + S, C.bottom}, 1, kShadowFadeTop);
    else
      add({C.right, C.top, C.right + S, C.bottom}, 1, 0);
    return pieces;
  }
  add({C.right, C.top + S, C.right + S, C.bottom}, 1, kShadowFadeTop);
  if (O.top + S < C.top) add({O.right, O.top + S, O.right + S, C.top}, 1, kShadowFadeTop);
  if (C.bottom < O.bottom) {
    add({O.left + S, O.bottom, O.right + S, O.bottom + S}, 0, kShadowFadeLeft | kShadowFadeRight);
    add({O.right, C.bottom, O.right + S, O.bottom}, 1, 0);
  } else {
    add({O.left + S, O.bottom, O.right, O.bottom + S}, 0, kShadowFadeLeft);
  }
  if (O.bottom < C.bottom)
    add({C.left + S, C.bottom, C.right + S, C.bottom + S}, 0, kShadowFadeLeft | kShadowFadeRight);
  else
    add({C.left, C.bottom, C.right + S, C.bottom + S}, 0, kShadowFadeRight);
  return pieces;
}

BYTE ShadowAlpha(const TdxBarShadowPiece& Piece, int S, int X, int Y) {
  int width = Piece.Rect.right - Piece.Rect.left, height = Piece.Rect.bottom - Piece.Rect.top;
  bool horizontal = Piece.Kind == 0;
  int alpha = horizontal ? 15 * (height - Y) : 15 * (width - X);
  // Distance from the strip's outer end where it fades.
  int d = -1;
  if (horizontal && (Piece.Corners & kShadowFadeLeft) && X < S) d = X;
  if (horizontal && (Piece.Corners & kShadowFadeRight) && X >= width - S) d = width - 1 - X;
  if (!horizontal && (Piece.Corners & kShadowFadeTop) && Y < S) d = Y;
  if (d >= 0) alpha = static_cast<int>(std::lround(static_cast<double>(alpha) * (d + 1) / (S + 1)));
  return static_cast<BYTE>(alpha);
}

// --- The shadow ---

TdxBarShadow::TdxBarShadow(TCustomdxBarControl* AOwner) : owner_(AOwner) {}

TdxBarShadow::~TdxBarShadow() = default;

void TdxBarShadow::SetRects(const RECT& OwnerRect, const RECT& ControlRect) {
  parts_.clear();
  for (const TdxBarShadowPiece& piece : CalcShadowPieces(OwnerRect, ControlRect, ShadowSize()))
    parts_.push_back(std::make_unique<TdxBarShadowPart>(owner_, piece));
  if (visible_)
    for (auto& part : parts_) part->ShowBehindOwner();
}

void TdxBarShadow::SetVisible(bool Value) {
  if (visible_ == Value) return;
  visible_ = Value;
  for (auto& part : parts_) {
    if (Value)
      part->ShowBehindOwner();
    else
      part->HidePart();
  }
}

// --- A strip ---

TRENVIK_IMPLEMENT_CLASS(TdxBarShadowPart)

TRENVIK_MESSAGE_MAP(TdxBarShadowPart) { M.On(WM_NCHITTEST, &TdxBarShadowPart::WMNCHitTest); }

TdxBarShadowPart::TdxBarShadowPart(TCustomdxBarControl* Owner, const TdxBarShadowPiece& Piece)
    : TCustomControl(nullptr), barControl_(Owner), piece_(Piece) {
  SetVisible(false);
  SetBounds(Piece.Rect.left, Piece.Rect.top, Piece.Rect.right - Piece.Rect.left, Piece.Rect.bottom - Piece.Rect.top);
}

void TdxBarShadowPart::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  Params.Style = WS_POPUP;
  Params.ExStyle = LayeredShadows() ? WS_EX_LAYERED : 0;
  if (barControl_->HandleAllocated() && (GetWindowLong(barControl_->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST))
    Params.ExStyle |= WS_EX_TOPMOST;
  Params.WindowClass.style = 0;
  Params.WndParent = barControl_->HandleAllocated() ? barControl_->Handle() : nullptr;
}

void TdxBarShadowPart::WMNCHitTest(TMessage& Message) { Message.Result = HTTRANSPARENT; }

void TdxBarShadowPart::Paint() {
  RECT r = ClientRect();
  FillRect(Canvas()->Handle(), &r, GetSysColorBrush(COLOR_BTNSHADOW));
}

void TdxBarShadowPart::PushImage() {
  int width = Width(), height = Height();
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  TScopeExit release([&] {
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
  });
  void* bits = nullptr;
  HBITMAP image = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!image || !bits) return;
  TScopeExit freeImage([image] { DeleteObject(image); });
  auto* pixels = static_cast<DWORD*>(bits);
  // Black, so the premultiplied colour is all zero and only the alpha shows.
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      pixels[y * width + x] = static_cast<DWORD>(ShadowAlpha(piece_, ShadowSize(), x, y)) << 24;
  HGDIOBJ old = SelectObject(dc, image);
  POINT position{Left(), Top()};
  SIZE size{width, height};
  POINT source{0, 0};
  BLENDFUNCTION blend;
  blend.AlphaFormat = AC_SRC_ALPHA;
  UpdateLayeredWindow(Handle(), screen, &position, &size, dc, &source, 0, &blend, ULW_ALPHA);
  SelectObject(dc, old);
}

void TdxBarShadowPart::ShowBehindOwner() {
  HandleNeeded();
  if (LayeredShadows()) PushImage();
  HWND after = barControl_->HandleAllocated() ? barControl_->Handle() : HWND_TOP;
  SetWindowPos(Handle(), after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void TdxBarShadowPart::HidePart() {
  if (HandleAllocated()) DestroyHandle();
}
