// The check of a check box: a cell of the properties' glyph strip, the themed check box part, or
// the platform's check frame control.
#include "cx/editors/cxCheckBox.h"
#include "cx/editors/cxEditUtils.h"
#include "cx/foundation/dxThemeConsts.h"
#include "cx/foundation/dxUxTheme.h"
#include "platform/gdi/Controls.h"

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

bool TcxCustomCheckBox::IsNativeCheck() {
  return IsNativeStyleAvailable(Style()->LookAndFeel()->NativeStyle(), tcButton);
}

void TcxCustomCheckBox::PaintCheck(TcxCanvas* ACanvas, const RECT& ACheck) {
  TcxCustomCheckBoxProperties* properties = ActiveProperties();
  const bool pressed = spacePressed_ || mousePressed_;
  const TcxCheckBoxState state = State();
  TBitmap* glyph = properties->HasGlyph() ? properties->Glyph() : nullptr;
  if (properties->GlyphCount() > 0 && IsBitmapUsable(glyph)) {
    const int cellWidth = glyph->Width() / properties->GlyphCount();
    const int index = cxCheckGlyphIndex(state, pressed, properties->GlyphCount());
    std::unique_ptr<TcxRegion> saved(ACanvas->GetClipRegion());
    ACanvas->IntersectClipRect(ACheck);
    glyph->SetTransparent(true);
    ACanvas->DrawGraphic(ACheck.left - index * cellWidth, ACheck.top, glyph);
    ACanvas->SetClipRegion(saved.release(), roSet);
    return;
  }
  if (IsNativeCheck()) {
    HTHEME theme = dxOpenThemeByType(tcButton);
    dxDrawThemeBackground(theme, ACanvas->Handle(), BP_CHECKBOX, ThemedCheckState(state, pressed, Enabled()),
                          &ACheck, nullptr);
    return;
  }
  UINT flags = DFCS_BUTTONCHECK | DFCS_FLAT;
  switch (state) {
    case cbsChecked:
      flags |= DFCS_CHECKED;
      break;
    case cbsGrayed:
      if (properties->NullStyle() == nssInactive) flags |= DFCS_INACTIVE;
      if (properties->NullStyle() == nssGrayedChecked) flags |= DFCS_CHECKED | DFCS_BUTTON3STATE;
      break;
    default:
      break;
  }
  if (pressed) flags |= DFCS_PUSHED;
  RECT check = ACheck;
  DrawFrameControl(ACanvas->Handle(), &check, DFC_BUTTON, flags);
}
