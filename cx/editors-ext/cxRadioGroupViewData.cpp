// The radio group laid out without a window: its items in columns inside the captioned frame,
// each item's state and check, and the group's preferred size.
#include <algorithm>

#include "cx/editors-ext/cxRadioGroup.h"
#include "cx/editors/cxEditUtils.h"
#include "cx/foundation/dxThemeManager.h"
#include "cx/foundation/dxUxTheme.h"
#include "platform/gdi/VsStyle.h"

TRENVIK_IMPLEMENT_CLASS(TcxCustomRadioGroupViewData)
TRENVIK_IMPLEMENT_CLASS(TcxRadioGroupButtonViewInfo)

namespace {

// The gap between glyph and caption in the preferred size.
constexpr int kRadioCaptionSpacing = 7;
constexpr int kRadioNativeCaptionSpacing = 5;

// The Button theme's radio state of an item: unchecked, then checked, by drawn state.
int RadioItemThemeState(TcxEditButtonState AState, bool AChecked) {
  constexpr int kUnchecked[] = {4, 1, 3, 2};  // disabled, normal, pressed, hot
  return kUnchecked[AState] + (AChecked ? 4 : 0);
}

}  // namespace

TcxEditButtonStyle cxRadioGroupButtonStyle(TcxEditBorderStyle ABorderStyle) {
  switch (ABorderStyle) {
    case ebsSingle:
    case ebsThick:
    case ebsFlat:
      return btsFlat;
    case ebsUltraFlat:
      return btsUltraFlat;
    default:
      return bts3D;
  }
}

TcxLookAndFeelKind cxRadioGroupGlyphKind(TcxEditButtonStyle AStyle) {
  if (AStyle == btsFlat) return lfFlat;
  if (AStyle == btsUltraFlat) return lfUltraFlat;
  return lfStandard;
}

void TcxRadioGroupButtonViewInfo::Assign(const TcxEditButtonViewInfo& Source) {
  inherited::Assign(Source);
  if (auto* source = dynamic_cast<const TcxRadioGroupButtonViewInfo*>(&Source)) {
    Column = source->Column;
    Row = source->Row;
  }
}

int TcxCustomRadioGroupViewData::FontHeight(TcxCanvas* ACanvas) {
  TcxCanvas* canvas = ACanvas ? ACanvas : cxGetScreenCanvas();
  return canvas->FontHeight(Style()->Font());
}

TcxEditDrawnBorder TcxCustomRadioGroupViewData::GetContainerBorderStyle(int AHotState) {
  if (IsInplace()) return edbNone;
  switch (Style()->BorderStyle()) {
    case ebsSingle:
      return AHotState == 2 ? edbThick : edbSingle;
    case ebsThick:
      return edbThick;
    case ebsFlat:
      return edbFlat;
    case ebsUltraFlat:
      return edbSingle;
    default:
      return edb3D;
  }
}

// Stand-alone, the frame's top line runs through the middle of the caption.
RECT TcxCustomRadioGroupViewData::GetClientExtent(TcxCustomEditViewInfo* AViewInfo) {
  RECT r = inherited::GetClientExtent(AViewInfo);
  if (!IsInplace()) r.top = FontHeight(nullptr) / 2 + 1;
  return r;
}

RECT TcxCustomRadioGroupViewData::GetEditNonClientExtent(TcxCustomEditViewInfo* AViewInfo) {
  RECT r = inherited::GetClientExtent(AViewInfo);
  if (!IsInplace()) r.top = FontHeight(nullptr) + 3;
  return r;
}

void TcxCustomRadioGroupViewData::Calculate(TcxCanvas* ACanvas, const RECT& ABounds, POINT P, int AButton,
                                            TShiftState AShift, TcxCustomEditViewInfo* AViewInfo,
                                            bool AIsMouseEvent) {
  auto* v = static_cast<TcxCustomRadioGroupViewInfo*>(AViewInfo);
  inherited::Calculate(ACanvas, ABounds, P, AButton, AShift, AViewInfo, AIsMouseEvent);
  v->Caption = Caption;
  v->FocusedItem = IsInplace() ? -1 : FocusedItem;
  const bool wrap = GroupProperties()->WordWrap() && !IsInplace();
  v->ItemTextFlags = cxtfLeft | cxtfVertCenter | cxtfShowPrefix | (wrap ? cxtfWordBreak | cxtfNoClip : cxtfSingleLine);
}

void TcxCustomRadioGroupViewData::CalculateButtonsViewInfo(TcxCanvas*, const RECT& ABounds, POINT P, int AButton,
                                                           TShiftState AShift, TcxCustomEditViewInfo* AViewInfo,
                                                           bool) {
  auto* v = static_cast<TcxCustomRadioGroupViewInfo*>(AViewInfo);
  const TcxRadioGroupItems* items = GroupProperties()->Items();
  const int previouslyPressed = v->PressedButton;
  v->PressedButton = -1;
  v->HotButton = -1;
  v->SetButtonCount(items->Count());
  if (items->Count() == 0) return;
  const int rows = cxRadioGroupRowCount(items->Count(), GroupProperties()->Columns());
  const std::vector<RECT> rects = cxRadioGroupItemRects(ABounds, GetEditNonClientExtent(AViewInfo), items->Count(),
                                                        GroupProperties()->Columns(), IsInplace());
  const TcxEditButtonStyle style = cxRadioGroupButtonStyle(Style()->BorderStyle());
  const bool native = IsNativeStyleAvailable(Style()->LookAndFeel()->NativeStyle(), tcButton);
  const TcxEditButtonTransparency transparency = Style()->ButtonTransparency();
  for (int i = 0; i < items->Count(); ++i) {
    TcxRadioGroupButtonViewInfo* item = v->Item(i);
    item->Index = i;
    item->Column = i / rows;
    item->Row = i % rows;
    item->Bounds = item->VisibleBounds = rects[static_cast<size_t>(i)];
    item->Caption = items->Item(i)->Caption();
    item->Style = style;
    item->NativeStyle = native;
    item->IsInplace = IsInplace();
    item->Transparent = transparency == ebtAlways || (transparency == ebtInactive && !Selected);
    item->BackgroundColor = v->BackgroundColor;
    CalculateButtonState(AViewInfo, i, P, AButton, AShift, previouslyPressed);
  }
}

void TcxCustomRadioGroupViewData::PrepareViewInfoValue(TcxCanvas*, const Variant& AEditValue,
                                                       TcxCustomEditViewInfo* AViewInfo) {
  auto* v = static_cast<TcxCustomRadioGroupViewInfo*>(AViewInfo);
  v->ItemIndex = GroupProperties()->ItemIndexOf(AEditValue);
  v->Text = GroupProperties()->GetDisplayText(AEditValue);
  for (int i = 0; i < v->ButtonCount(); ++i) {
    TcxRadioGroupButtonViewInfo* item = v->Item(i);
    if (!item->NativeStyle) continue;
    item->NativePart = BP_RADIOBUTTON;
    item->NativeState = RadioItemThemeState(item->State, i == v->ItemIndex);
    item->NativePartTransparent =
        dxIsThemeBackgroundPartiallyTransparent(dxOpenThemeByType(tcButton), BP_RADIOBUTTON, item->NativeState);
  }
}

void TcxCustomRadioGroupViewData::GetFixedPartSize(TcxCanvas* ACanvas, const TcxEditSizeProperties& ASizeProperties,
                                                   SIZE& AFixedSize, TcxCustomEditViewInfo*, SIZE& AMinContentSize) {
  AMinContentSize = {0, 0};
  ACanvas->SetFont(Style()->Font());
  const SIZE margins = GetEditTextMargins(this);
  const int lineHeight = ACanvas->TextHeight(u"Zg") + margins.cy;
  const TcxRadioGroupItems* items = GroupProperties()->Items();
  const int count = items->Count();
  const bool native = IsNativeStyleAvailable(Style()->LookAndFeel()->NativeStyle(), tcButton);
  SIZE glyph = cxRadioButtonImageList()->GlyphSize();
  if (native) dxGetThemePartSize(dxOpenThemeByType(tcButton), ACanvas->Handle(), BP_RADIOBUTTON, 1, nullptr, TS_TRUE, &glyph);
  const int columns = cxRadioGroupColumnCount(count, GroupProperties()->Columns());
  const int rows = count > 0 ? cxRadioGroupRowCount(count, GroupProperties()->Columns()) : 0;
  if (ASizeProperties.Width < 0) {
    if (count == 0) {
      AFixedSize = {0, lineHeight};
      return;
    }
    int widest = 0;
    for (int i = 0; i < count; ++i) widest = std::max(widest, ACanvas->TextWidth(items->Item(i)->Caption()));
    const int spacing = native ? kRadioNativeCaptionSpacing : kRadioCaptionSpacing;
    AFixedSize = {(spacing + widest + glyph.cx) * columns + cxRadioGroupColumnIndent, lineHeight * rows};
    return;
  }
  AFixedSize.cx = ASizeProperties.Width;
  if (count == 0) {
    AFixedSize.cy = lineHeight;
    return;
  }
  TcxCustomRadioGroupViewInfo probe;
  const RECT extent = GetClientExtent(&probe);
  const int wrapWidth = std::max(
      1, (ASizeProperties.Width - extent.left - extent.right - cxRadioGroupColumnIndent) / columns - glyph.cx - (native ? 1 : 3));
  int tallest = 0;
  for (int column = 0; column < columns; ++column) {
    int height = 0;
    for (int i = column * rows; i < std::min(count, (column + 1) * rows); ++i) {
      const String& caption = items->Item(i)->Caption();
      if (!GroupProperties()->WordWrap() || caption.empty()) {
        height += lineHeight;
        continue;
      }
      RECT r{0, 0, wrapWidth, 0};
      ACanvas->CalcTextRect(caption, r, cxtfLeft | cxtfTop | cxtfWordBreak | cxtfShowPrefix);
      height += (r.bottom - r.top) + margins.cy;
    }
    tallest = std::max(tallest, height);
  }
  AFixedSize.cy = tallest;
}
