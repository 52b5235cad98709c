// The container's computed look: border style and width tables, the frame and shadow painting, and
// the window region that follows the visible frame.
#include "cx/foundation/cxContainer.h"
#include "platform/win/Windows.h"

TRENVIK_IMPLEMENT_CLASS(TcxContainerViewInfo)

TcxContainerBorderStyle cxResolveContainerBorderStyle(TcxContainerBorderStyle AStyle, TcxLookAndFeelKind AKind,
                                                      bool AActive) {
  if (AStyle == cbsDefault) AStyle = AKind == lfFlat ? cbsFlat : AKind == lfStandard ? cbs3D : cbsUltraFlat;
  switch (AStyle) {
    case cbsNone: return AActive ? cbsFlat : cbsNone;
    case cbsSingle: return AActive ? cbsThick : cbsSingle;
    case cbsFlat: return AActive ? cbs3D : cbsFlat;
    case cbsUltraFlat: return cbsSingle;
    default: return AStyle;
  }
}

int cxContainerBorderWidth(TcxContainerBorderStyle AStyle) {
  switch (AStyle) {
    case cbsSingle:
    case cbsUltraFlat: return 1;
    case cbsThick:
    case cbsFlat:
    case cbs3D: return 2;
    default: return 0;
  }
}

int cxMouseButtonToCode(TMouseButton AButton) {
  switch (AButton) {
    case mbLeft: return 1;
    case mbRight: return 2;
    default: return 3;
  }
}

void cxUpdateShadowWindowRegion(HWND AWnd, const RECT& R, bool AShadow, bool ANativeStyle) {
  HRGN region = nullptr;
  if (!ANativeStyle) {
    region = CreateRectRgnIndirect(&R);
    if (AShadow) {
      HRGN moved = CreateRectRgn(R.left + cxContainerShadowSize, R.top + cxContainerShadowSize,
                                 R.right + cxContainerShadowSize, R.bottom + cxContainerShadowSize);
      CombineRgn(region, region, moved, RGN_OR);
      DeleteObject(moved);
    }
  }
  HRGN current = CreateRectRgn(0, 0, 0, 0);
  const bool hasCurrent = GetWindowRgn(AWnd, current) != ERROR;
  const bool differs = (region != nullptr) != hasCurrent || (region && !EqualRgn(region, current));
  DeleteObject(current);
  if (differs)
    SetWindowRgn(AWnd, region, TRUE);  // the window owns the region now
  else if (region)
    DeleteObject(region);
}

// --- TcxContainerViewInfo ---

void TcxContainerViewInfo::Assign(TObject* Source) {
  if (auto* source = dynamic_cast<TcxContainerViewInfo*>(Source)) ClientRect = source->ClientRect;
}

TcxRegion* TcxContainerViewInfo::GetUpdateRegion(TcxContainerViewInfo*) { return new TcxRegion(); }

void TcxContainerViewInfo::Paint(TcxCanvas* ACanvas) {
  if (NativeStyle)
    PaintNative(ACanvas);
  else
    PaintFrame(ACanvas);
}

void TcxContainerViewInfo::PaintNative(TcxCanvas* ACanvas) {
  HTHEME theme = dxOpenThemeByType(ThemeType);
  RECT content = Bounds;
  if (theme) dxGetThemeBackgroundContentRect(theme, ACanvas->Handle(), NativePart, NativeState, &Bounds, &content);
  ACanvas->Brush()->SetColor(BackgroundColor);
  ACanvas->FillRect(content);
  COLORREF border = static_cast<COLORREF>(ColorToRGB(clWindowFrame));
  if (HTHEME combo = dxOpenThemeByType(tcComboBox)) dxGetThemeColor(combo, 1, 1, TMT_BORDERCOLOR, &border);
  ACanvas->Brush()->SetColor(static_cast<TColor>(border));
  if (EqualRect(&content, &Bounds)) return;
  if (IsRectEmpty(&content)) {
    ACanvas->FillRect(Bounds);
    return;
  }
  ACanvas->FillRect({Bounds.left, Bounds.top, content.left, Bounds.bottom});
  ACanvas->FillRect({content.right, Bounds.top, Bounds.right, Bounds.bottom});
  ACanvas->FillRect({content.left, Bounds.top, content.right, content.top});
  ACanvas->FillRect({content.left, content.bottom, content.right, Bounds.bottom});
}

void TcxContainerViewInfo::PaintFrame(TcxCanvas* ACanvas) {
  RECT r = BorderRect;
  r.left -= BorderWidth;
  r.top -= BorderWidth;
  if (Edges.Contains(bRight)) r.right += BorderWidth;
  if (Edges.Contains(bBottom)) r.bottom += BorderWidth;
  if (Shadow) {
    ACanvas->Brush()->SetColor(clBtnShadow);
    ACanvas->FillRect({r.left + cxContainerShadowSize, r.bottom, r.right, r.bottom + cxContainerShadowSize});
    ACanvas->FillRect({r.right, r.top + cxContainerShadowSize, r.right + cxContainerShadowSize,
                       r.bottom + cxContainerShadowSize});
    ACanvas->ExcludeClipRect({r.left, r.bottom, r.right, r.bottom + cxContainerShadowSize});
    ACanvas->ExcludeClipRect(
        {r.right, r.top, r.right + cxContainerShadowSize, r.bottom + cxContainerShadowSize});
  }
  if (!Edges.Contains(bRight)) r.right += BorderWidth;
  if (!Edges.Contains(bBottom)) r.bottom += BorderWidth;
  switch (BorderStyle) {
    case cbsSingle:
    case cbsThick:
      ACanvas->FrameRect(r, BorderColor, BorderWidth);
      break;
    case cbsFlat:
      ACanvas->DrawBevelFrame(r, true, true, Edges);
      InflateRect(&r, -1, -1);
      ACanvas->FrameRect(r, clBtnFace, 1);
      break;
    case cbs3D:
      ACanvas->DrawBevelFrame(r, true, true, Edges);
      InflateRect(&r, -1, -1);
      ACanvas->DrawTwoColorFrame(r, cl3DDkShadow, cl3DLight, Edges, 1);
      break;
    default:
      break;
  }
  ACanvas->Brush()->SetColor(BackgroundColor);
  ACanvas->FillRect(BorderRect);
}
