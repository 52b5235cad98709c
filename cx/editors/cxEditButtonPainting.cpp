// Edit buttons: their widths, theme parts, frames in the six button styles and contents by kind.
#include <algorithm>

#include "cx/editors/cxEditUtils.h"
#include "cx/foundation/dxThemeConsts.h"
#include "cx/foundation/dxUxTheme.h"
#include "platform/win/Metrics.h"

namespace {

// A themed button is a combo box's drop-down part when it is the only one and drops down.
TdxThemeClass ButtonThemeClass(const TcxEditButtonViewInfo* AButton) {
  return AButton->IsSingleDropDown ? tcComboBox : tcButton;
}

// The theme's content margins of a button part (left + right, top + bottom).
SIZE ThemeContentMargins(TcxCanvas* ACanvas, TdxThemeClass AThemeClass, int APart) {
  HTHEME theme = dxOpenThemeByType(AThemeClass);
  if (!theme) return {0, 0};
  const RECT sample{0, 0, 100, 100};
  RECT content = sample;
  dxGetThemeBackgroundContentRect(theme, ACanvas->Handle(), APart, 1, &sample, &content);
  return {(content.left - sample.left) + (sample.right - content.right),
          (content.top - sample.top) + (sample.bottom - content.bottom)};
}

int NativePartOf(const TcxEditButtonViewInfo* AButton) {
  return AButton->IsSingleDropDown ? CP_DROPDOWNBUTTON : BP_PUSHBUTTON;
}

void DrawDots(TcxCanvas* ACanvas, int X, int Y, int ADot, TColor AColor) {
  ACanvas->SetBrushColor(AColor);
  for (int i = 0; i < 3; ++i) {
    const int left = X + i * (ADot + 2);
    ACanvas->FillRect({left, Y, left + ADot, Y + ADot});
  }
}

void DrawEllipsis(TcxCanvas* ACanvas, const TcxEditButtonViewInfo* AButton, const RECT& R, TColor APenColor) {
  const int dot = GetEllipsisDotSize(R.right - R.left);
  const int total = dot * 3 + 4;
  int x = R.left + (R.right - R.left - total) / 2;
  int y = R.top + (R.bottom - R.top - dot) / 2;
  if (AButton->State == ebsPressed) {
    ++x;
    ++y;
  }
  if (AButton->State == ebsDisabled) {
    DrawDots(ACanvas, x + 1, y + 1, dot, clBtnHighlight);
    DrawDots(ACanvas, x, y, dot, clBtnShadow);
  } else {
    DrawDots(ACanvas, x, y, dot, APenColor);
  }
}

void DrawGlyph(TcxCanvas* ACanvas, const TcxEditButtonViewInfo* AButton, const RECT& R, TColor ABrushColor) {
  TBitmap* glyph = AButton->Glyph;
  const int w = std::min(glyph->Width(), static_cast<int>(R.right - R.left));
  const int h = std::min(glyph->Height(), static_cast<int>(R.bottom - R.top));
  int x = R.left + (R.right - R.left - w) / 2;
  int y = R.top + (R.bottom - R.top - h) / 2;
  if (AButton->State == ebsPressed) {
    ++x;
    ++y;
  }
  if (!AButton->NativeStyle) {
    ACanvas->SetBrushColor(ABrushColor);
    ACanvas->FillRect(R);
  }
  std::unique_ptr<TcxRegion> saved(ACanvas->GetClipRegion());
  ACanvas->IntersectClipRect({x, y, x + w, y + h});
  glyph->SetTransparent(true);
  ACanvas->DrawGraphic(x, y, glyph);
  ACanvas->SetClipRegion(saved.release(), roSet);
}

void DrawCaption(TcxCanvas* ACanvas, const TcxEditButtonViewInfo* AButton, const RECT& R, TColor APenColor) {
  if (AButton->Caption.empty()) return;
  RECT r = R;
  if (AButton->State == ebsPressed) OffsetRect(&r, 1, 1);
  ACanvas->Brush()->SetStyle(bsClear);
  ACanvas->Font()->SetColor(AButton->State == ebsDisabled ? clBtnShadow : APenColor);
  ACanvas->DrawText(AButton->Caption, r, cxtfHorzCenter | cxtfVertCenter | cxtfSingleLine);
  ACanvas->Brush()->SetStyle(bsSolid);
}

// The colour behind a button's content: its background when transparent and enabled.
TColor ButtonFaceColor(const TcxEditButtonViewInfo* AButton) {
  return AButton->Transparent && AButton->State != ebsDisabled ? AButton->BackgroundColor : clBtnFace;
}

void Draw3DBorder(TcxCanvas* ACanvas, const TcxEditButtonViewInfo* AButton, RECT& R, TColor AFace) {
  if (AButton->State == ebsPressed) {
    ACanvas->FrameRect(R, clBtnShadow);
    InflateRect(&R, -1, -1);
    ACanvas->FrameRect(R, AFace);
  } else {
    ACanvas->DrawTwoColorFrame(R, cl3DLight, cl3DDkShadow);
    InflateRect(&R, -1, -1);
    ACanvas->DrawTwoColorFrame(R, clBtnHighlight, clBtnShadow);
  }
  InflateRect(&R, -1, -1);
}

void DrawFlatBorder(TcxCanvas* ACanvas, const TcxEditButtonViewInfo* AButton, RECT& R, TColor AFace) {
  ACanvas->SetBrushColor(AFace);
  ACanvas->FillRect({R.left, R.top, R.left + 1, R.bottom});
  ++R.left;
  if (AButton->State == ebsPressed)
    ACanvas->DrawTwoColorFrame(R, clBtnShadow, clBtnHighlight);
  else
    ACanvas->DrawTwoColorFrame(R, clBtnHighlight, clBtnShadow);
  InflateRect(&R, -1, -1);
}

void DrawSimpleBorder(TcxCanvas* ACanvas, const TcxEditButtonViewInfo* AButton, RECT& R) {
  const TColor frame = AButton->State == ebsDisabled ? clBtnFace : AButton->BackgroundColor;
  ACanvas->SetBrushColor(frame);
  ACanvas->FillRect({R.left, R.top, R.left + 1, R.bottom});
  ++R.left;
  ACanvas->FrameRect(R, frame);
  InflateRect(&R, -1, -1);
}

// The button next to the text area closes its frame; the others leave the side facing the text open
// and reach one pixel into the neighbour, so the run's frames meet.
void DrawHotFlatBorder(TcxCanvas* ACanvas, const TcxEditButtonViewInfo* AButton, RECT& R) {
  const bool nextToText = AButton->LeftAlignment ? AButton->RightEnd : AButton->LeftEnd;
  if (nextToText) {
    ACanvas->FrameRect(R, clBtnShadow);
  } else if (AButton->LeftAlignment) {
    ACanvas->FrameRect({R.left, R.top, R.right + 1, R.bottom}, clBtnShadow, 1, {bLeft, bTop, bBottom});
  } else {
    ACanvas->FrameRect({R.left - 1, R.top, R.right, R.bottom}, clBtnShadow, 1, {bTop, bRight, bBottom});
  }
  InflateRect(&R, -1, -1);
}

void HotFlatColors(const TcxEditButtonViewInfo* AButton, TColor& ABrush, TColor& APen) {
  const bool transparent = AButton->Transparent && AButton->State != ebsDisabled;
  switch (AButton->State) {
    case ebsPressed:
      ABrush = clBtnText;
      APen = clWindow;
      break;
    case ebsSelected:
      ABrush = transparent ? AButton->BackgroundColor : clBtnShadow;
      APen = transparent ? clBtnShadow : clWindow;
      break;
    default:
      ABrush = transparent ? AButton->BackgroundColor : clBtnFace;
      APen = clBtnText;
      break;
  }
}

TColor UltraFlatBrush(const TcxEditButtonViewInfo* AButton) {
  switch (AButton->State) {
    case ebsDisabled:
      return clBtnFace;
    case ebsPressed:
      return AButton->Transparent ? AButton->BackgroundColor : cxHighlightTintColor();
    case ebsSelected:
      return AButton->Transparent ? AButton->BackgroundColor : cxFaceTintColor();
    default:
      return AButton->Transparent ? AButton->BackgroundColor : clBtnFace;
  }
}

void DrawUltraFlatBorder(TcxCanvas* ACanvas, const TcxEditButtonViewInfo* AButton, RECT& R, TColor ABrush) {
  const bool active = AButton->State == ebsPressed || AButton->State == ebsSelected;
  if (!active || AButton->IsInplace) {
    ACanvas->FrameRect(R, active ? clHighlight : AButton->BackgroundColor);
    InflateRect(&R, -1, -1);
    return;
  }
  // The side at the outer end of the run lies on the edit's own border.
  const bool outerLeft = AButton->LeftAlignment && AButton->LeftEnd;
  const bool outerRight = !AButton->LeftAlignment && AButton->RightEnd;
  ACanvas->FrameRect(R, ABrush, 1, {bTop, bBottom});
  ACanvas->FrameRect(R, outerLeft ? ABrush : clHighlight, 1, {bLeft});
  ACanvas->FrameRect(R, outerRight ? ABrush : clHighlight, 1, {bRight});
  InflateRect(&R, -1, -1);
}

}  // namespace

int GetEllipsisDotSize(int AWidth) { return AWidth > 11 ? 2 : 1; }

int GetButtonWidth(TcxCanvas* ACanvas, TcxEditButtonViewInfo* AButton) {
  int allowance;
  if (AButton->NativeStyle && dxOpenThemeByType(ButtonThemeClass(AButton)))
    allowance = ThemeContentMargins(ACanvas, ButtonThemeClass(AButton), NativePartOf(AButton)).cx;
  else {
    AButton->NativeStyle = false;
    allowance = GetButtonHorzAllowance(AButton->Style);
  }
  if (AButton->Width >= 1) return std::max(AButton->Width, allowance);
  if (AButton->Kind == bkGlyph && IsBitmapUsable(AButton->Glyph)) return AButton->Glyph->Width() + allowance;
  return GetSystemMetrics(SM_CYHSCROLL);
}

int GetButtonVerticalAllowance(TcxCanvas* ACanvas, TcxCustomEditViewInfo* AViewInfo) {
  if (AViewInfo->ButtonCount() == 0) return 0;
  TcxEditButtonViewInfo* first = AViewInfo->Button(0);
  if (first->NativeStyle && dxOpenThemeByType(tcButton))
    return ThemeContentMargins(ACanvas, tcButton, BP_PUSHBUTTON).cy;
  return GetButtonVertAllowance(first->Style);
}

void CalculateButtonNativeInfo(TcxEditButtonViewInfo* AButton) {
  HTHEME theme = AButton->NativeStyle ? dxOpenThemeByType(ButtonThemeClass(AButton)) : nullptr;
  if (!theme) {
    AButton->NativePart = 0;
    AButton->NativeState = 0;
    AButton->NativePartTransparent = false;
    return;
  }
  AButton->NativePart = NativePartOf(AButton);
  // The same numbers in both classes: normal 1, hot 2, pressed 3, disabled 4.
  constexpr int kStates[] = {PBS_DISABLED, PBS_NORMAL, PBS_PRESSED, PBS_HOT};
  AButton->NativeState = kStates[AButton->State];
  AButton->NativePartTransparent =
      dxIsThemeBackgroundPartiallyTransparent(theme, AButton->NativePart, AButton->NativeState) != FALSE;
}

void DrawEditButtonBorder(TcxCanvas* ACanvas, TcxCustomEditViewInfo* AViewInfo, int AIndex, RECT& ARect,
                          TcxEditButtonStyle AStyle, TColor& ABrushColor, TColor& APenColor) {
  TcxEditButtonViewInfo* button = AViewInfo->Button(AIndex);
  if (button->NativePart != 0) {
    HTHEME theme = dxOpenThemeByType(ButtonThemeClass(button));
    const RECT bounds = ARect;
    dxDrawThemeBackground(theme, ACanvas->Handle(), button->NativePart, button->NativeState, &bounds, nullptr);
    dxGetThemeBackgroundContentRect(theme, ACanvas->Handle(), button->NativePart, button->NativeState, &bounds,
                                    &ARect);
    ABrushColor = clBtnFace;
    APenColor = clBtnText;
    return;
  }
  const TColor face = ButtonFaceColor(button);
  ABrushColor = face;
  APenColor = clBtnText;
  switch (AStyle) {
    case btsDefault:
    case bts3D:
      Draw3DBorder(ACanvas, button, ARect, face);
      break;
    case btsFlat:
      DrawFlatBorder(ACanvas, button, ARect, face);
      break;
    case btsSimple:
      DrawSimpleBorder(ACanvas, button, ARect);
      ABrushColor = button->Transparent ? (button->State == ebsDisabled ? clBtnFace : button->BackgroundColor)
                                        : clBtnFace;
      break;
    case btsHotFlat:
      HotFlatColors(button, ABrushColor, APenColor);
      DrawHotFlatBorder(ACanvas, button, ARect);
      break;
    case btsUltraFlat:
      ABrushColor = UltraFlatBrush(button);
      DrawUltraFlatBorder(ACanvas, button, ARect, ABrushColor);
      break;
  }
}

void DrawEditButtonArrow(TcxCanvas* ACanvas, TcxCustomEditViewInfo* AViewInfo, int AIndex, const RECT& ARect,
                         TcxArrowDirection ADirection, TColor APenColor) {
  TcxEditButtonViewInfo* button = AViewInfo->Button(AIndex);
  RECT r = ARect;
  // A hot-flat neighbour's frame overlaps this side by one pixel.
  if (button->Style == btsHotFlat && !button->NativeStyle) {
    if (!button->LeftAlignment && !button->LeftEnd) ++r.left;
    if (button->LeftAlignment && !button->RightEnd) --r.right;
  }
  if (button->State == ebsPressed) OffsetRect(&r, 1, 1);
  TcxLookAndFeelPainterClass painter = GetLookAndFeelPainterClass(button->NativeStyle, AViewInfo->LookAndFeelKind);
  if (button->State == ebsDisabled) {
    RECT shadowed = r;
    OffsetRect(&shadowed, 1, 1);
    painter->PaintArrow(ACanvas, shadowed, ADirection, clBtnHighlight);
    painter->PaintArrow(ACanvas, r, ADirection, clBtnShadow);
  } else {
    painter->PaintArrow(ACanvas, r, ADirection, APenColor);
  }
}

void DrawEditButtonContent(TcxCanvas* ACanvas, TcxCustomEditViewInfo* AViewInfo, int AIndex, TColor ABrushColor,
                           TColor APenColor, const RECT& ARect) {
  TcxEditButtonViewInfo* button = AViewInfo->Button(AIndex);
  const bool glyphUsable = IsBitmapUsable(button->Glyph);
  if (button->NativePart == 0 && (button->Kind != bkGlyph || !glyphUsable)) {
    ACanvas->SetBrushColor(ABrushColor);
    ACanvas->FillRect(ARect);
  }
  switch (button->Kind) {
    case bkEllipsis:
      DrawEllipsis(ACanvas, button, ARect, APenColor);
      break;
    case bkDown:
      DrawEditButtonArrow(ACanvas, AViewInfo, AIndex, ARect, adDown, APenColor);
      break;
    case bkGlyph:
      if (glyphUsable) DrawGlyph(ACanvas, button, ARect, ABrushColor);
      break;
    case bkText:
      DrawCaption(ACanvas, button, ARect, APenColor);
      break;
  }
}
