// Geometry and painting of an editor pop-up's frame, shadow, client edge and system panel.
#include <algorithm>

#include "cx/editors/cxEditPopupWindow.h"
#include "cx/editors/cxEditUtils.h"
#include "cx/foundation/cxLookAndFeelPainters.h"
#include "cx/foundation/dxThemeManager.h"
#include "cx/foundation/dxUxTheme.h"
#include "platform/gdi/VsStyle.h"
#include "platform/gdi/Controls.h"
#include "platform/win/Metrics.h"

TRENVIK_IMPLEMENT_CLASS(TcxCustomEditPopupWindowViewInfo)

namespace {

constexpr int kFrameWidth[] = {0, 1, 4, 2};
constexpr int kSizeableFrameExtra[] = {0, 2, 2, 1};
constexpr int kClientEdgeWidth = 2;
// A sizing edge stays easy to grab even where the frame is thin.
constexpr int kMinSizingBorder = 4;

void Fill(TcxCanvas* ACanvas, const RECT& R, TColor AColor) {
  ACanvas->SetBrushColor(AColor);
  ACanvas->FillRect(R);
}

bool IsRightCorner(int ACorner) { return (ACorner & 1) != 0; }
bool IsBottomCorner(int ACorner) { return (ACorner & 2) != 0; }

// The size box's states of the ScrollBar theme: the grip drawn for the right or the left corner.
constexpr int kSizeBoxRightAlign = 1;
constexpr int kSizeBoxLeftAlign = 2;

// The theme's true size of a part, or nothing without the theme (or without the style's wish for it).
SIZE ThemedPartSize(bool ANativeStyle, TdxThemeClass AClass, int APart, int AState) {
  SIZE size{0, 0};
  if (!IsNativeStyleAvailable(ANativeStyle, AClass)) return size;
  if (FAILED(dxGetThemePartSize(dxOpenThemeByType(AClass), nullptr, APart, AState, nullptr, TS_TRUE, &size)))
    return SIZE{0, 0};
  return size;
}

SIZE ThemedCloseButtonSize(bool ANativeStyle) {
  return ThemedPartSize(ANativeStyle, tcWindow, WP_SMALLCLOSEBUTTON, CBS_NORMAL);
}

SIZE ThemedSizeBoxSize(bool ANativeStyle) {
  return ThemedPartSize(ANativeStyle, tcScrollBar, SBP_SIZEBOX, kSizeBoxRightAlign);
}

}  // namespace

int TcxCustomEditPopupWindowViewInfo::FrameWidth() const {
  const int style = static_cast<int>(PopupBorderStyle);
  if (NativeStyle) return 1 + (Sizeable ? 2 : 0);
  return kFrameWidth[style] + (Sizeable ? kSizeableFrameExtra[style] : 0);
}

int TcxCustomEditPopupWindowViewInfo::GetSysPanelHeight() {
  const SIZE close = ThemedCloseButtonSize(NativeStyle);
  const SIZE sizeBox = ThemedSizeBoxSize(NativeStyle);
  const int height = std::max({GetSystemMetrics(SM_CYHSCROLL), GetSystemMetrics(SM_CYSIZE), close.cy, sizeBox.cy});
  return MinSysPanelHeight > 0 ? std::max(height, MinSysPanelHeight) : height;
}

void TcxCustomEditPopupWindowViewInfo::CalculateBorders() {
  const int frame = FrameWidth();
  const int edge = ClientEdge ? kClientEdgeWidth : 0;
  const int shadow = Shadow ? kShadowSize : 0;
  borders_ = {frame + edge, frame + edge, frame + edge + shadow, frame + edge + shadow};
  if (!HasSysPanel()) return;
  const int panel = GetSysPanelHeight() + (NativeStyle || PopupBorderStyle == epbsSingle ? 1 : 0);
  (IsBottomCorner(SizeGripCorner) ? borders_.Bottom : borders_.Top) += panel;
}

void TcxCustomEditPopupWindowViewInfo::Calculate() {
  CalculateBorders();
  const RECT b{0, 0, Bounds.right - Bounds.left, Bounds.bottom - Bounds.top};
  ClientRect = {b.left + borders_.Left, b.top + borders_.Top, b.right - borders_.Right, b.bottom - borders_.Bottom};
  SizingBorderThickness = std::max(FrameWidth(), kMinSizingBorder);
  SysPanelRect = SizeGripRect = CloseButtonRect = RECT{};
  if (HasSysPanel()) CalculateSysPanel(GetSysPanelHeight());
}

void TcxCustomEditPopupWindowViewInfo::CalculateSysPanel(int APanelHeight) {
  const int frame = FrameWidth();
  const int shadow = Shadow ? kShadowSize : 0;
  const RECT b{0, 0, Bounds.right - Bounds.left, Bounds.bottom - Bounds.top};
  const bool bottom = IsBottomCorner(SizeGripCorner);
  const bool right = IsRightCorner(SizeGripCorner);
  SysPanelRect.left = b.left + frame;
  SysPanelRect.right = b.right - frame - shadow;
  if (bottom) {
    SysPanelRect.bottom = b.bottom - frame - shadow;
    SysPanelRect.top = SysPanelRect.bottom - APanelHeight;
  } else {
    SysPanelRect.top = b.top + frame;
    SysPanelRect.bottom = SysPanelRect.top + APanelHeight;
  }
  if (Sizeable) {
    const int grip = std::max(APanelHeight - 2, ThemedSizeBoxSize(NativeStyle).cx + 2);
    SizeGripRect.left = right ? SysPanelRect.right - grip : SysPanelRect.left;
    SizeGripRect.top = bottom ? SysPanelRect.bottom - grip : SysPanelRect.top;
    SizeGripRect.right = SizeGripRect.left + grip;
    SizeGripRect.bottom = SizeGripRect.top + grip;
  }
  if (CloseButton) {
    const SIZE themed = ThemedCloseButtonSize(NativeStyle);
    if (themed.cx > 0 && themed.cy > 0) {
      // The theme's own button, at the free end and centred in the panel.
      CloseButtonRect.left = right ? SysPanelRect.left + 2 : SysPanelRect.right - 2 - themed.cx;
      CloseButtonRect.top = SysPanelRect.top + (APanelHeight - themed.cy) / 2;
      CloseButtonRect.right = CloseButtonRect.left + themed.cx;
      CloseButtonRect.bottom = CloseButtonRect.top + themed.cy;
    } else {
      const int side = APanelHeight - 4;
      // At the end the grip leaves free, 1 + 2 pixels in; 2 pixels in from the panel's outer edge.
      CloseButtonRect.left = right ? SysPanelRect.left + 3 : SysPanelRect.right - 3 - side;
      CloseButtonRect.top = bottom ? SysPanelRect.bottom - 2 - side : SysPanelRect.top + 2;
      CloseButtonRect.right = CloseButtonRect.left + side;
      CloseButtonRect.bottom = CloseButtonRect.top + side;
    }
  }
}

bool TcxCustomEditPopupWindowViewInfo::GetSizingDirection(POINT P, POINT& ADirection) {
  ADirection = {0, 0};
  if (!Sizeable) return false;
  const RECT b{0, 0, Bounds.right - Bounds.left, Bounds.bottom - Bounds.top};
  if (!PtInRect(&b, P)) return false;
  const bool right = IsRightCorner(SizeGripCorner);
  const bool bottom = IsBottomCorner(SizeGripCorner);
  if (!IsRectEmpty(&SizeGripRect) && PtInRect(&SizeGripRect, P)) {
    ADirection = {right ? 1 : -1, bottom ? 1 : -1};
    return true;
  }
  if (HasSysPanel() && PtInRect(&SysPanelRect, P)) return false;
  const int t = SizingBorderThickness;
  const int shadow = Shadow ? kShadowSize : 0;
  if (right ? P.x >= b.right - shadow - t : P.x < b.left + t) ADirection.x = right ? 1 : -1;
  if (bottom ? P.y >= b.bottom - shadow - t : P.y < b.top + t) ADirection.y = bottom ? 1 : -1;
  return ADirection.x != 0 || ADirection.y != 0;
}

void TcxCustomEditPopupWindowViewInfo::DrawBorder(TcxCanvas* ACanvas, const RECT& R) {
  RECT r = R;
  switch (NativeStyle ? epbsSingle : PopupBorderStyle) {
    case epbsSingle: ACanvas->FrameRect(r, clBtnText, 1); break;
    case epbsFrame3D:
      ACanvas->DrawBevelFrame(r, false, true);
      InflateRect(&r, -1, -1);
      ACanvas->DrawBevelFrame(r, false, false);
      InflateRect(&r, -1, -1);
      ACanvas->FrameRect(r, clBtnFace, 1);
      InflateRect(&r, -1, -1);
      ACanvas->DrawBevelFrame(r, true, false);
      break;
    case epbsFlat:
      ACanvas->DrawBevelFrame(r, false, false);
      InflateRect(&r, -1, -1);
      ACanvas->DrawBevelFrame(r, true, false);
      break;
    default: break;
  }
}

void TcxCustomEditPopupWindowViewInfo::DrawSysPanel(TcxCanvas* ACanvas) {
  Fill(ACanvas, SysPanelRect, clBtnFace);
  if (NativeStyle || PopupBorderStyle == epbsSingle) {
    const bool bottom = IsBottomCorner(SizeGripCorner);
    const int y = bottom ? SysPanelRect.top - 1 : SysPanelRect.bottom;
    Fill(ACanvas, RECT{SysPanelRect.left, y, SysPanelRect.right, y + 1}, clBtnText);
  }
  if (!IsRectEmpty(&SizeGripRect)) DrawSizeGrip(ACanvas);
  if (!IsRectEmpty(&CloseButtonRect)) DrawCloseButton(ACanvas);
}

void TcxCustomEditPopupWindowViewInfo::DrawSizeGrip(TcxCanvas* ACanvas) {
  RECT grip = SizeGripRect;
  const bool right = IsRightCorner(SizeGripCorner);
  if (IsNativeStyleAvailable(NativeStyle, tcScrollBar)) {
    dxDrawThemeBackground(dxOpenThemeByType(tcScrollBar), ACanvas->Handle(), SBP_SIZEBOX,
                          right ? kSizeBoxRightAlign : kSizeBoxLeftAlign, &grip);
    return;
  }
  // The platform's grip points to the bottom-right; the other corners show it mirrored.
  DrawFrameControl(ACanvas->Handle(), &grip, DFC_SCROLL, right ? DFCS_SCROLLSIZEGRIP : DFCS_SCROLLSIZEGRIPRIGHT);
}

void TcxCustomEditPopupWindowViewInfo::DrawCloseButton(TcxCanvas* ACanvas) {
  if (IsNativeStyleAvailable(NativeStyle, tcWindow)) {
    const int state = CloseButtonState == cxPopupCloseButtonPressed ? CBS_PUSHED
                      : CloseButtonState == cxPopupCloseButtonHot   ? CBS_HOT
                                                                    : CBS_NORMAL;
    dxDrawThemeBackground(dxOpenThemeByType(tcWindow), ACanvas->Handle(), WP_SMALLCLOSEBUTTON, state,
                          &CloseButtonRect);
    return;
  }
  const TcxButtonState state = CloseButtonState == cxPopupCloseButtonPressed ? cxbsPressed
                               : CloseButtonState == cxPopupCloseButtonHot   ? cxbsHot
                                                                             : cxbsNormal;
  TcxLookAndFeelPainterClass painter = TcxStandardLookAndFeelPainter::Class();
  painter->PaintButton(ACanvas, CloseButtonRect, String(), state);
  painter->DrawCloseCross(ACanvas, CloseButtonRect, state, clBtnText);
}

void TcxCustomEditPopupWindowViewInfo::Paint(TcxCanvas* ACanvas) {
  const RECT b{0, 0, Bounds.right - Bounds.left, Bounds.bottom - Bounds.top};
  RECT frame = b;
  if (Shadow) {
    frame.right -= kShadowSize;
    frame.bottom -= kShadowSize;
    Fill(ACanvas, RECT{frame.left + kShadowSize, frame.bottom, frame.right + kShadowSize, b.bottom},
                      clBtnShadow);
    Fill(ACanvas, RECT{frame.right, frame.top + kShadowSize, b.right, frame.bottom}, clBtnShadow);
  }
  Fill(ACanvas, RECT{frame.left + FrameWidth(), frame.top + FrameWidth(), frame.right - FrameWidth(),
                         frame.bottom - FrameWidth()},
                    clBtnFace);
  DrawBorder(ACanvas, frame);
  if (ClientEdge) {
    RECT edge = ClientRect;
    InflateRect(&edge, kClientEdgeWidth, kClientEdgeWidth);
    ACanvas->DrawBevelFrame(edge, true, true);
    InflateRect(&edge, -1, -1);
    ACanvas->DrawBevelFrame(edge, true, false);
  }
  if (HasSysPanel()) DrawSysPanel(ACanvas);
}

int cxPopupSizingFrameWidth(TcxCustomEditPopupWindowViewInfo* AViewInfo) {
  return std::max(AViewInfo->FrameWidth(), 2);
}
