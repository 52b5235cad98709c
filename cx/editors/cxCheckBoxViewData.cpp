// The check box laid out without a window: the check placed by alignment beside its caption, its
// state from the mouse and the Space key, and its size.
#include <algorithm>

#include "cx/editors/cxCheckBox.h"
#include "cx/editors/cxEditUtils.h"

TRENVIK_IMPLEMENT_CLASS(TcxCustomCheckBoxViewData)
TRENVIK_IMPLEMENT_CLASS(TcxCustomCheckBoxViewInfo)

namespace {

constexpr int kCheckFrame = 2;
constexpr int kCheckTextGap = 3;

}  // namespace

TClass TcxCustomCheckBoxProperties::GetViewInfoClass() { return TcxCustomCheckBoxViewInfo::StaticClass(); }

std::unique_ptr<TcxCustomEditViewData> TcxCustomCheckBoxProperties::CreateViewData(TcxCustomEditStyle* AStyle,
                                                                                   bool AIsInplace) {
  return std::make_unique<TcxCustomCheckBoxViewData>(this, AStyle, AIsInplace);
}

int cxCheckBoxTextFlags(TAlignment AAlignment, bool AMultiLine) {
  const int horz = AAlignment == taRightJustify ? cxtfRight : AAlignment == taCenter ? cxtfHorzCenter : cxtfLeft;
  return horz | cxtfVertCenter | (AMultiLine ? cxtfWordBreak : cxtfSingleLine);
}

// Stand-alone check boxes drawn without a theme keep a 2-pixel frame around the check.
bool TcxCustomCheckBoxViewData::HasCheckFrame() const {
  return !IsInplace() && !IsNativeStyleAvailable(Style()->LookAndFeel()->NativeStyle(), tcButton);
}

void TcxCustomCheckBoxViewData::Calculate(TcxCanvas* ACanvas, const RECT& ABounds, POINT P, int AButton,
                                          TShiftState AShift, TcxCustomEditViewInfo* AViewInfo,
                                          bool AIsMouseEvent) {
  auto* v = static_cast<TcxCustomCheckBoxViewInfo*>(AViewInfo);
  const TcxCheckState oldCheckState = v->CheckState;
  inherited::Calculate(ACanvas, ABounds, P, AButton, AShift, AViewInfo, AIsMouseEvent);
  TcxCustomCheckBoxProperties* properties = CheckProperties();
  v->Alignment = IsInplace() ? taCenter : properties->Alignment()->Horz();
  v->CheckBorderStyle = cxEditDrawnBorder(Style()->BorderStyle(), v->HotTrackState);
  v->Glyph = properties->HasGlyph() ? properties->Glyph() : nullptr;
  v->GlyphCount = properties->GlyphCount();
  v->NullStyle = properties->NullStyle();
  v->MultiLine = properties->MultiLine();
  v->FullFocusRect = properties->FullFocusRect();
  v->NativeCheck = IsNativeStyleAvailable(Style()->LookAndFeel()->NativeStyle(), tcButton);
  PlaceCheck(v);

  if (!Enabled)
    v->CheckState = ecsDisabled;
  else if (SpacePressed)
    v->CheckState = ecsPressed;
  else if (IsDesigning || !PtInRect(&v->BorderRect, P))
    v->CheckState = ecsNormal;
  else if (AShift.Empty())
    v->CheckState = ecsHot;
  else if (AShift == TShiftState{ssLeft} && (AButton == 1 || oldCheckState == ecsPressed))
    v->CheckState = ecsPressed;
  else
    v->CheckState = ecsNormal;
  v->BackgroundColor = Enabled ? Style()->Color() : clBtnFace;
  CalculateFocusRect(ACanvas, v);
}

void TcxCustomCheckBoxViewData::PlaceCheck(TcxCustomCheckBoxViewInfo* AViewInfo) {
  const SIZE check = cxGetCheckSize(CheckProperties(), AViewInfo->NativeCheck);
  RECT area = AViewInfo->ClientRect;
  if (HasCheckFrame()) InflateRect(&area, -kCheckFrame, -kCheckFrame);
  RECT text = AViewInfo->ClientRect;
  if (!IsInplace()) InflateRect(&text, -kCheckFrame, -kCheckFrame);
  const int areaWidth = area.right - area.left;
  const int areaHeight = area.bottom - area.top;
  RECT& r = AViewInfo->CheckRect;
  r.top = areaHeight >= check.cy ? area.top + (areaHeight - check.cy) / 2 : area.top;
  r.bottom = r.top + check.cy;
  if (areaWidth < check.cx) {
    r.left = area.left;
    r.right = area.left + check.cx;
    text = RECT{};
  } else if (AViewInfo->Alignment == taCenter) {
    r.left = area.left + (areaWidth - check.cx) / 2;
    r.right = r.left + check.cx;
  } else if (AViewInfo->Alignment == taRightJustify) {
    r.right = area.right;
    r.left = r.right - check.cx;
    text.right = r.left - kCheckTextGap;
  } else {
    r.left = area.left;
    r.right = r.left + check.cx;
    text.left = r.right + kCheckTextGap;
  }
  if (text.right < text.left) text.right = text.left;
  AViewInfo->TextRect = text;
}

void TcxCustomCheckBoxViewData::CalculateFocusRect(TcxCanvas* ACanvas, TcxCustomCheckBoxViewInfo* AViewInfo) {
  AViewInfo->HasFocusRect = false;
  if (IsInplace() || !IsEditFocused() || AViewInfo->Text.empty() || IsEmptyRect(AViewInfo->TextRect)) return;
  RECT r = AViewInfo->TextRect;
  if (!AViewInfo->FullFocusRect) {
    ACanvas->SetFont(Style()->Font());
    ACanvas->CalcTextRect(AViewInfo->Text, r, cxCheckBoxTextFlags(AViewInfo->Alignment, AViewInfo->MultiLine));
  }
  InflateRect(&r, 1, 1);
  const RECT& limit = AViewInfo->TextRect;
  r.left = std::max(r.left, limit.left - 1);
  r.top = std::max(r.top, limit.top - 1);
  r.right = std::min(r.right, limit.right + 1);
  r.bottom = std::min(r.bottom, limit.bottom + 1);
  AViewInfo->FocusRect = r;
  AViewInfo->HasFocusRect = true;
}

void TcxCustomCheckBoxViewData::PrepareViewInfoValue(TcxCanvas* ACanvas, const Variant& AEditValue,
                                                     TcxCustomEditViewInfo* AViewInfo) {
  auto* v = static_cast<TcxCustomCheckBoxViewInfo*>(AViewInfo);
  v->State = CheckProperties()->StateOf(AEditValue);
  v->Text = CheckProperties()->Caption();
  CalculateFocusRect(ACanvas, v);
}

void TcxCustomCheckBoxViewData::CalculateFixedPartSize(TcxCanvas* ACanvas, SIZE& AFixedSize,
                                                       TcxCustomEditViewInfo* AViewInfo, SIZE& AMinContentSize) {
  inherited::CalculateFixedPartSize(ACanvas, AFixedSize, AViewInfo, AMinContentSize);
  const bool nativeCheck = IsNativeStyleAvailable(Style()->LookAndFeel()->NativeStyle(), tcButton);
  SIZE check = cxGetCheckSize(CheckProperties(), nativeCheck);
  if (HasCheckFrame()) {
    check.cx += 2 * kCheckFrame;
    check.cy += 2 * kCheckFrame;
  }
  const bool centred = IsInplace() || CheckProperties()->Alignment()->Horz() == taCenter;
  const String text = centred ? String(u"Gg") : CheckProperties()->Caption();
  TcxEditSizeProperties unlimited;
  unlimited.MaxLineCount = 1;
  const SIZE textSize = MeasureEditText(ACanvas, this, text, false, unlimited);
  AFixedSize.cx += check.cx + textSize.cx + kCheckTextGap;
  AFixedSize.cy += std::max(check.cy, textSize.cy);
}
