// Metrics, the edit background, border and shadow, and the edit's window region.
#include "cx/editors/cxEditUtils.h"

#include <algorithm>

#include "cx/foundation/dxThemeConsts.h"
#include "cx/foundation/dxUxTheme.h"

namespace {

constexpr int kShadowSize = 3;
// By TcxEditButtonStyle (btsDefault .. btsUltraFlat).
constexpr int kButtonHorzAllowance[] = {2, 4, 3, 3, 2, 2};
constexpr int kButtonVertAllowance[] = {0, 4, 2, 2, 2, 2};
// Left, top, right, bottom by TAlignment (left, right, centre).
constexpr TcxEditMargins kStandaloneTextMargins[] = {{1, 1, 1, 3}, {1, 1, 2, 3}, {1, 1, 1, 3}};
constexpr TcxEditMargins kInplaceTextMargins[] = {{1, 1, 1, 1}, {1, 1, 2, 1}, {1, 1, 1, 1}};

bool IsEmptyRect(const RECT& R) { return R.right <= R.left || R.bottom <= R.top; }

// R grown by the drawn border on the view info's edges.
RECT GrownByBorder(TcxCustomEditViewInfo* AViewInfo, RECT r) {
  const int w = GetEditBorderWidth(AViewInfo->DrawnBorder);
  if (AViewInfo->Edges.Contains(bLeft)) r.left -= w;
  if (AViewInfo->Edges.Contains(bTop)) r.top -= w;
  if (AViewInfo->Edges.Contains(bRight)) r.right += w;
  if (AViewInfo->Edges.Contains(bBottom)) r.bottom += w;
  return r;
}

RECT BorderOuterRect(TcxCustomEditViewInfo* AViewInfo) { return GrownByBorder(AViewInfo, AViewInfo->BorderRect); }

void DrawBorder(TcxCanvas* ACanvas, TcxCustomEditViewInfo* AViewInfo, const RECT& R) {
  const TcxBorders edges = AViewInfo->Edges;
  switch (AViewInfo->DrawnBorder) {
    case edbNone:
      break;
    case edbSingle:
    case edbThick:
      ACanvas->FrameRect(R, AViewInfo->BorderColor, GetEditBorderWidth(AViewInfo->DrawnBorder), edges);
      break;
    case edbFlat: {
      ACanvas->DrawBevelFrame(R, true, true, edges);
      RECT inner = R;
      InflateRect(&inner, -1, -1);
      ACanvas->FrameRect(inner, clBtnFace);
      break;
    }
    case edb3D: {
      ACanvas->DrawBevelFrame(R, true, true, edges);
      RECT inner = R;
      InflateRect(&inner, -1, -1);
      ACanvas->DrawTwoColorFrame(inner, cl3DDkShadow, cl3DLight);
      break;
    }
  }
}

void DrawNativeEditBackground(TcxCanvas* ACanvas, TcxCustomEditViewInfo* AViewInfo) {
  HTHEME theme = dxOpenThemeByType(tcEdit);
  RECT r = AViewInfo->Bounds;
  if (AViewInfo->IsInplace) InflateRect(&r, -3, -3);
  if (theme) dxDrawThemeBackground(theme, ACanvas->Handle(), EP_EDITTEXT, AViewInfo->NativeState, &AViewInfo->Bounds, &r);
  if (AViewInfo->Transparent) return;
  RECT content = AViewInfo->BorderRect;
  if (theme && !AViewInfo->IsInplace)
    dxGetThemeBackgroundContentRect(theme, ACanvas->Handle(), EP_EDITTEXT, AViewInfo->NativeState,
                                    &AViewInfo->Bounds, &content);
  ACanvas->SetBrushColor(AViewInfo->BackgroundColor);
  ACanvas->FillRect(content);
}

}  // namespace

bool IsNativeStyleAvailable(bool ANativeStyle, TdxThemeClass AThemeClass) {
  return ANativeStyle && dxOpenThemeByType(AThemeClass) != nullptr;
}

TcxLookAndFeelPainterClass GetLookAndFeelPainterClass(bool ANativeStyle, TcxLookAndFeelKind AKind) {
  if (ANativeStyle && dxThemesAvailable()) return TcxWinXPLookAndFeelPainter::Class();
  switch (AKind) {
    case lfFlat:
      return TcxFlatLookAndFeelPainter::Class();
    case lfUltraFlat:
      return TcxUltraFlatLookAndFeelPainter::Class();
    default:
      return TcxStandardLookAndFeelPainter::Class();
  }
}

int GetEditNativeState(TcxCustomEditViewData* AViewData, bool AReadOnly) {
  if (!AViewData->Enabled) return ETS_DISABLED;
  if (AReadOnly) return ETS_READONLY;
  if (AViewData->IsEditFocused()) return ETS_FOCUSED;
  if (AViewData->ContainerState.Contains(cstHot)) return ETS_HOT;
  return ETS_NORMAL;
}

int GetEditBorderWidth(TcxEditDrawnBorder ABorder) {
  constexpr int kWidths[] = {0, 1, 2, 2, 2, 1};
  return kWidths[ABorder];
}

bool IsBitmapUsable(TBitmap* ABitmap) { return ABitmap && !ABitmap->Empty(); }

int GetButtonHorzAllowance(TcxEditButtonStyle AStyle) { return kButtonHorzAllowance[AStyle]; }

int GetButtonVertAllowance(TcxEditButtonStyle AStyle) { return kButtonVertAllowance[AStyle]; }

SIZE GetEditTextMargins(TcxCustomEditViewData* AViewData) {
  if (!AViewData->IsInplace()) return {3, 4};
  return {3, AViewData->IsNativeEditStyle() ? 3 : 2};
}

TcxEditMargins GetTextAlignmentMargins(bool AIsInplace, TAlignment AHorz) {
  return AIsInplace ? kInplaceTextMargins[AHorz] : kStandaloneTextMargins[AHorz];
}

RECT GetEditVisibleBounds(TcxCustomEditViewInfo* AViewInfo, const RECT& ABounds) {
  if (AViewInfo->NativeStyle && !AViewInfo->IsInplace) return ABounds;
  RECT r = ABounds;
  r.left += AViewInfo->BorderRect.left - AViewInfo->Bounds.left;
  r.top += AViewInfo->BorderRect.top - AViewInfo->Bounds.top;
  r.right -= AViewInfo->Bounds.right - AViewInfo->BorderRect.right;
  r.bottom -= AViewInfo->Bounds.bottom - AViewInfo->BorderRect.bottom;
  return AViewInfo->NativeStyle ? r : GrownByBorder(AViewInfo, r);
}

void DrawEditShadow(TcxCanvas* ACanvas, const RECT& ARect) {
  const RECT below{ARect.left + kShadowSize, ARect.bottom, ARect.right + kShadowSize, ARect.bottom + kShadowSize};
  const RECT right{ARect.right, ARect.top + kShadowSize, ARect.right + kShadowSize, ARect.bottom};
  ACanvas->SetBrushColor(clBtnShadow);
  ACanvas->FillRect(below);
  ACanvas->FillRect(right);
  ACanvas->ExcludeClipRect(below);
  ACanvas->ExcludeClipRect(right);
}

void FillFrame(TcxCanvas* ACanvas, const RECT& AOuter, const RECT& AInner, TColor AColor) {
  if (IsEmptyRect(AOuter) || EqualRect(&AOuter, &AInner)) return;
  ACanvas->SetBrushColor(AColor);
  if (IsEmptyRect(AInner)) {
    ACanvas->FillRect(AOuter);
    return;
  }
  const RECT parts[] = {
      {AOuter.left, AOuter.top, AOuter.right, AInner.top},
      {AOuter.left, AInner.bottom, AOuter.right, AOuter.bottom},
      {AOuter.left, AInner.top, AInner.left, AInner.bottom},
      {AInner.right, AInner.top, AOuter.right, AInner.bottom},
  };
  for (const RECT& part : parts)
    if (!IsEmptyRect(part)) ACanvas->FillRect(part);
}

void DrawEditBackgroundAndBorder(TcxCanvas* ACanvas, TcxCustomEditViewInfo* AViewInfo) {
  if (AViewInfo->NativeStyle) {
    DrawNativeEditBackground(ACanvas, AViewInfo);
    return;
  }
  const RECT outer = BorderOuterRect(AViewInfo);
  if (AViewInfo->Shadow) DrawEditShadow(ACanvas, outer);
  DrawBorder(ACanvas, AViewInfo, outer);
  if (AViewInfo->Transparent) return;
  if (AViewInfo->IsInplace) {
    const RECT& extent = AViewInfo->InplaceBorderExtent;
    if (extent.left || extent.top || extent.right || extent.bottom)
      FillFrame(ACanvas, AViewInfo->Bounds, outer, AViewInfo->BackgroundColor);
    else {
      ACanvas->SetBrushColor(AViewInfo->BackgroundColor);
      ACanvas->FillRect(AViewInfo->Bounds);
      return;
    }
  }
  ACanvas->SetBrushColor(AViewInfo->BackgroundColor);
  ACanvas->FillRect(AViewInfo->BorderRect);
}

void DrawEditButtons(TcxCanvas* ACanvas, TcxCustomEditViewInfo* AViewInfo, bool ADrawBackground) {
  if (ADrawBackground) {
    std::unique_ptr<TcxRegion> saved(ACanvas->GetClipRegion());
    const bool clipButtons = AViewInfo->ButtonCount() == 0 || !AViewInfo->Button(0)->NativePartTransparent;
    if (clipButtons)
      for (const auto& button : AViewInfo->ButtonsInfo)
        if (!IsEmptyRect(button->VisibleBounds)) ACanvas->ExcludeClipRect(button->VisibleBounds);
    DrawEditBackgroundAndBorder(ACanvas, AViewInfo);
    ACanvas->SetClipRegion(saved.release(), roSet);
  }
  for (int i = 0; i < AViewInfo->ButtonCount(); ++i) {
    TcxEditButtonViewInfo* button = AViewInfo->Button(i);
    if (IsEmptyRect(button->VisibleBounds)) continue;
    button->BackgroundColor = AViewInfo->BackgroundColor;
    RECT clipped;
    const bool sticksOut = !EqualRect(&button->Bounds, &button->VisibleBounds) ||
                           (IntersectRect(&clipped, &button->Bounds, &AViewInfo->BorderRect) &&
                            !EqualRect(&clipped, &button->Bounds));
    if (!sticksOut) {
      AViewInfo->DrawButton(ACanvas, i);
      continue;
    }
    std::unique_ptr<TcxRegion> saved(ACanvas->GetClipRegion());
    ACanvas->IntersectClipRect(button->VisibleBounds);
    AViewInfo->DrawButton(ACanvas, i);
    ACanvas->SetClipRegion(saved.release(), roSet);
  }
}

void UpdateEditWindowRegion(TcxCustomEditViewInfo* AViewInfo, HWND AWindowHandle) {
  cxUpdateShadowWindowRegion(AWindowHandle, BorderOuterRect(AViewInfo), AViewInfo->Shadow, AViewInfo->NativeStyle);
}

RECT GetPopupOwnerBounds(TcxCustomEditViewInfo* AViewInfo) {
  RECT r = AViewInfo->Bounds;
  if (AViewInfo->NativeStyle) return r;
  if (AViewInfo->Shadow) r.bottom -= kShadowSize;
  if (AViewInfo->IsInplace) return r;
  const int w = GetEditBorderWidth(AViewInfo->DrawnBorder);
  InflateRect(&r, w - 2, w - 2);
  if (!AViewInfo->Edges.Contains(bLeft)) r.left += w;
  if (!AViewInfo->Edges.Contains(bTop)) r.top += w;
  if (!AViewInfo->Edges.Contains(bRight)) r.right -= w;
  if (!AViewInfo->Edges.Contains(bBottom)) r.bottom -= w;
  return r;
}
