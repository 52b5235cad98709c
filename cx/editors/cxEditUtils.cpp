// Metrics, the edit background, border and shadow, and the edit's window region.
#include "cx/editors/cxEditUtils.h"

#include <algorithm>

#include "cx/foundation/dxThemeConsts.h"
#include "cx/foundation/dxUxTheme.h"

namespace {

// By TcxEditButtonStyle (btsDefault .. btsUltraFlat).
constexpr int kButtonHorzAllowance[] = {2, 4, 3, 3, 2, 2};
constexpr int kButtonVertAllowance[] = {0, 4, 2, 2, 2, 2};
// Left, top, right, bottom by TAlignment (left, right, centre).
constexpr TcxEditMargins kStandaloneTextMargins[] = {{1, 1, 1, 3}, {1, 1, 2, 3}, {1, 1, 1, 3}};
constexpr TcxEditMargins kInplaceTextMargins[] = {{1, 1, 1, 1}, {1, 1, 2, 1}, {1, 1, 1, 1}};

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

void DrawEditBorder(TcxCanvas* ACanvas, TcxEditDrawnBorder ABorder, const RECT& R, TColor AColor,
                    TcxBorders AEdges) {
  switch (ABorder) {
    case edbNone:
      break;
    case edbSingle:
    case edbThick:
      ACanvas->FrameRect(R, AColor, GetEditBorderWidth(ABorder), AEdges);
      break;
    case edbFlat: {
      ACanvas->DrawBevelFrame(R, true, true, AEdges);
      RECT inner = R;
      InflateRect(&inner, -1, -1);
      ACanvas->FrameRect(inner, clBtnFace);
      break;
    }
    case edb3D: {
      ACanvas->DrawBevelFrame(R, true, true, AEdges);
      RECT inner = R;
      InflateRect(&inner, -1, -1);
      ACanvas->DrawTwoColorFrame(inner, cl3DDkShadow, cl3DLight);
      break;
    }
  }
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

void DrawEditBackgroundAndBorder(TcxCanvas* ACanvas, TcxCustomEditViewInfo* AViewInfo, const RECT* AFillLimit) {
  // The background fills keep within the limit's columns (the buttons' columns are left out).
  auto fill = [&](RECT R) {
    if (AFillLimit) {
      R.left = std::max(R.left, AFillLimit->left);
      R.right = std::min(R.right, AFillLimit->right);
    }
    if (!IsEmptyRect(R)) ACanvas->FillRect(R);
  };
  if (AViewInfo->NativeStyle) {
    DrawNativeEditBackground(ACanvas, AViewInfo);
    return;
  }
  const RECT outer = BorderOuterRect(AViewInfo);
  if (AViewInfo->Shadow) DrawEditShadow(ACanvas, outer);
  DrawEditBorder(ACanvas, AViewInfo->DrawnBorder, outer, AViewInfo->BorderColor, AViewInfo->Edges);
  if (AViewInfo->Transparent) return;
  if (AViewInfo->IsInplace) {
    const RECT& extent = AViewInfo->InplaceBorderExtent;
    if (extent.left || extent.top || extent.right || extent.bottom)
      FillFrame(ACanvas, AViewInfo->Bounds, outer, AViewInfo->BackgroundColor);
    else {
      ACanvas->SetBrushColor(AViewInfo->BackgroundColor);
      fill(AViewInfo->Bounds);
      return;
    }
  }
  ACanvas->SetBrushColor(AViewInfo->BackgroundColor);
  fill(AViewInfo->BorderRect);
}

namespace {

// Buttons standing in full-height columns at the sides of the background leave one rectangle
// between them: ALimit takes its columns. False when a button covers only part of the height.
bool GetButtonColumnsLimit(TcxCustomEditViewInfo* AViewInfo, RECT& ALimit) {
  const RECT& extent = AViewInfo->InplaceBorderExtent;
  const bool plainInplace = AViewInfo->IsInplace && !(extent.left || extent.top || extent.right || extent.bottom);
  const RECT area = plainInplace ? AViewInfo->Bounds : AViewInfo->BorderRect;
  ALimit = area;
  for (const auto& button : AViewInfo->ButtonsInfo) {
    const RECT& r = button->VisibleBounds;
    if (IsEmptyRect(r)) continue;
    if (r.top > area.top || r.bottom < area.bottom) return false;
    if (button->LeftAlignment)
      ALimit.left = std::max(ALimit.left, r.right);
    else
      ALimit.right = std::min(ALimit.right, r.left);
  }
  return true;
}

}  // namespace

void DrawEditButtons(TcxCanvas* ACanvas, TcxCustomEditViewInfo* AViewInfo, bool ADrawBackground) {
  if (ADrawBackground) {
    // The buttons' rectangles are kept out of the background unless the first one shows it through.
    const bool clipButtons = AViewInfo->ButtonCount() > 0 && !AViewInfo->Button(0)->NativePartTransparent;
    RECT limit;
    if (clipButtons && !AViewInfo->NativeStyle && GetButtonColumnsLimit(AViewInfo, limit)) {
      // Filled around the buttons' columns: no clip region needed.
      DrawEditBackgroundAndBorder(ACanvas, AViewInfo, &limit);
    } else {
      std::unique_ptr<TcxRegion> saved(clipButtons ? ACanvas->GetClipRegion() : nullptr);
      if (clipButtons)
        for (const auto& button : AViewInfo->ButtonsInfo)
          if (!IsEmptyRect(button->VisibleBounds)) ACanvas->ExcludeClipRect(button->VisibleBounds);
      DrawEditBackgroundAndBorder(ACanvas, AViewInfo);
      if (saved) ACanvas->SetClipRegion(saved.release(), roSet);
    }
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
