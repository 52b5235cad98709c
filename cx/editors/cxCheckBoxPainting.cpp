// The check of a check box: a cell of the properties' glyph strip, the themed check box part, or
// the platform's check frame control.
#include "cx/editors/cxCheckBox.h"
#include "cx/editors/cxEditUtils.h"
#include "cx/foundation/dxThemeConsts.h"
#include "cx/foundation/dxUxTheme.h"
#include "platform/gdi/Controls.h"
#include "platform/win/Paint.h"

namespace {

// The system check box strip has 4 columns and 3 rows of checks.
SIZE SystemCheckSize() {
  TBitmap strip;
  strip.SetHandle(LoadBitmap(nullptr, MAKEINTRESOURCE(OBM_CHECKBOXES)));
  if (strip.Empty()) return {13, 13};
  return {strip.Width() / 4, strip.Height() / 3};
}

// The Button theme's check box states: unchecked, checked, mixed, each normal, hot, pressed, disabled.
int ThemedCheckState(TcxCheckBoxState AState, bool APressed, bool AEnabled) {
  constexpr int kFirst[] = {CBS_UNCHECKEDNORMAL, CBS_CHECKEDNORMAL, CBS_MIXEDNORMAL};
  const int offset = !AEnabled ? 3 : APressed ? 2 : 0;
  return kFirst[AState] + offset;
}

}  // namespace

int cxCheckGlyphIndex(TcxCheckBoxState AState, bool APressed, int AGlyphCount) {
  int index = static_cast<int>(AState) + (APressed ? 3 : 0);
  while (index >= AGlyphCount && index > 2) index %= 3;
  return index;
}

SIZE cxGetCheckSize(TcxCustomCheckBoxProperties* AProperties, bool ANativeStyle) {
  if (AProperties->GlyphCount() > 0 && IsBitmapUsable(AProperties->HasGlyph() ? AProperties->Glyph() : nullptr))
    return {AProperties->Glyph()->Width() / AProperties->GlyphCount(), AProperties->Glyph()->Height()};
  if (HTHEME theme = ANativeStyle ? dxOpenThemeByType(tcButton) : nullptr) {
    SIZE size{};
    if (SUCCEEDED(dxGetThemePartSize(theme, nullptr, BP_CHECKBOX, CBS_UNCHECKEDNORMAL, nullptr, TS_TRUE, &size)))
      return size;
  }
  return SystemCheckSize();
}

void TcxCustomCheckBoxViewInfo::Assign(TObject* Source) {
  if (auto* source = dynamic_cast<TcxCustomCheckBoxViewInfo*>(Source)) {
    State = source->State;
    CheckState = source->CheckState;
    CheckRect = source->CheckRect;
    FocusRect = source->FocusRect;
    HasFocusRect = source->HasFocusRect;
    Alignment = source->Alignment;
    CheckBorderStyle = source->CheckBorderStyle;
    NullStyle = source->NullStyle;
    Glyph = source->Glyph;
    GlyphCount = source->GlyphCount;
    NativeCheck = source->NativeCheck;
    MultiLine = source->MultiLine;
  }
  inherited::Assign(Source);
}

bool TcxCustomCheckBoxViewInfo::Repaint(TWinControl* AControl, TcxCustomEditViewInfo* AOld,
                                        const RECT& AInnerEditRect) {
  const bool result = inherited::Repaint(AControl, AOld, AInnerEditRect);
  auto* old = dynamic_cast<TcxCustomCheckBoxViewInfo*>(AOld);
  if (old && (old->CheckState != CheckState || old->State != State) && AControl && AControl->HandleAllocated()) {
    RECT r = CheckRect;
    InflateRect(&r, 2, 2);
    InvalidateRect(AControl->Handle(), &r, FALSE);
  }
  return result;
}

void TcxCustomCheckBoxViewInfo::Paint(TcxCanvas* ACanvas) {
  DrawEditBackgroundAndBorder(ACanvas, this);
  PaintCheck(ACanvas);
  if (Alignment != taCenter && !Text.empty()) {
    if (Font) ACanvas->SetFont(Font);
    ACanvas->Font()->SetColor(TextColor);
    ACanvas->Brush()->SetStyle(bsClear);
    ACanvas->DrawText(Text, TextRect, cxCheckBoxTextFlags(Alignment, MultiLine), CheckState != ecsDisabled);
    ACanvas->Brush()->SetStyle(bsSolid);
  }
  if (HasFocusRect) ACanvas->DrawFocusRect(FocusRect);
}

// The frame of the check's border style around the check, 2 pixels wide in all.
void TcxCustomCheckBoxViewInfo::PaintCheckFrame(TcxCanvas* ACanvas) {
  RECT outer = CheckRect;
  InflateRect(&outer, 2, 2);
  const int border = GetEditBorderWidth(CheckBorderStyle);
  RECT inner = CheckRect;
  InflateRect(&inner, 2 - border, 2 - border);
  FillFrame(ACanvas, outer, inner, BackgroundColor);
  DrawEditBorder(ACanvas, CheckBorderStyle, inner, BorderColor);
}

void TcxCustomCheckBoxViewInfo::PaintCheck(TcxCanvas* ACanvas) {
  const bool pressed = CheckState == ecsPressed;
  if (GlyphCount > 0 && IsBitmapUsable(Glyph)) {
    const int cellWidth = Glyph->Width() / GlyphCount;
    const int index = cxCheckGlyphIndex(State, pressed, GlyphCount);
    ACanvas->SetBrushColor(BackgroundColor);
    ACanvas->FillRect(CheckRect);
    std::unique_ptr<TcxRegion> saved(ACanvas->GetClipRegion());
    ACanvas->IntersectClipRect(CheckRect);
    Glyph->SetTransparent(true);
    ACanvas->DrawGraphic(CheckRect.left - index * cellWidth, CheckRect.top, Glyph);
    ACanvas->SetClipRegion(saved.release(), roSet);
    return;
  }
  if (NativeCheck) {
    HTHEME theme = dxOpenThemeByType(tcButton);
    dxDrawThemeBackground(theme, ACanvas->Handle(), BP_CHECKBOX,
                          ThemedCheckState(State, pressed, CheckState != ecsDisabled), &CheckRect, nullptr);
    return;
  }
  if (!IsInplace) PaintCheckFrame(ACanvas);
  UINT flags = DFCS_BUTTONCHECK;
  if (CheckBorderStyle != edb3D) flags |= DFCS_FLAT;
  switch (State) {
    case cbsChecked:
      flags |= DFCS_CHECKED;
      break;
    case cbsGrayed:
      if (NullStyle == nssInactive) flags |= DFCS_INACTIVE;
      if (NullStyle == nssGrayedChecked) flags |= DFCS_CHECKED;
      flags |= DFCS_BUTTON3STATE;
      break;
    default:
      break;
  }
  if (pressed) flags |= DFCS_PUSHED;
  if (CheckState == ecsDisabled) flags |= DFCS_PUSHED | DFCS_BUTTON3STATE | (State == cbsUnchecked ? DFCS_INACTIVE : DFCS_CHECKED);
  RECT check = CheckRect;
  DrawFrameControl(ACanvas->Handle(), &check, DFC_BUTTON, flags);
}
