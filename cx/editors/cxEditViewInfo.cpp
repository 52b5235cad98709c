#include "cx/editors/cxEditViewInfo.h"

TRENVIK_IMPLEMENT_CLASS(TcxCustomEditViewInfo)
TRENVIK_IMPLEMENT_CLASS(TcxCustomEditViewData)

namespace {

// Rows: hot state; columns: ebsNone .. ebsUltraFlat.
constexpr TcxEditDrawnBorder kBorderTable[3][6] = {
    {edbNone, edbSingle, edbThick, edbFlat, edb3D, edbSingle},
    {edbNone, edbSingle, edbThick, edbFlat, edb3D, edbSingle},
    {edbFlat, edbThick, edbThick, edb3D, edb3D, edbSingle},
};

int BorderWidthOf(TcxEditDrawnBorder ABorder) {
  switch (ABorder) {
    case edbNone:
      return 0;
    case edbSingle:
      return 1;
    default:
      return 2;
  }
}

bool Contains(const RECT& R, POINT P) {
  return P.x >= R.left && P.x < R.right && P.y >= R.top && P.y < R.bottom;
}

}  // namespace

// ---- TcxCustomEditViewInfo ----

void TcxCustomEditViewInfo::Assign(TObject* Source) {
  if (auto* source = dynamic_cast<TcxCustomEditViewInfo*>(Source)) {
    DrawnBorder = source->DrawnBorder;
    IsInplace = source->IsInplace;
    Transparent = source->Transparent;
    TextColor = source->TextColor;
    Font = source->Font;
    Text = source->Text;
    TextAlignment = source->TextAlignment;
    TextRect = source->TextRect;
    BorderColor = source->BorderColor;
    BackgroundColor = source->BackgroundColor;
    Bounds = source->Bounds;
  }
  inherited::Assign(Source);
}

void TcxCustomEditViewInfo::PaintBorder(TcxCanvas* ACanvas) {
  switch (DrawnBorder) {
    case edbNone:
      break;
    case edbSingle:
      ACanvas->FrameRect(Bounds, BorderColor);
      break;
    case edbThick:
      ACanvas->FrameRect(Bounds, BorderColor, 2);
      break;
    case edbFlat: {
      ACanvas->DrawBevelFrame(Bounds, true, true);
      RECT inner = Bounds;
      InflateRect(&inner, -1, -1);
      ACanvas->FrameRect(inner, clBtnFace);
      break;
    }
    case edb3D: {
      ACanvas->DrawTwoColorFrame(Bounds, clBtnShadow, clBtnHighlight);
      RECT inner = Bounds;
      InflateRect(&inner, -1, -1);
      ACanvas->DrawTwoColorFrame(inner, cl3DDkShadow, cl3DLight);
      break;
    }
  }
}

void TcxCustomEditViewInfo::Paint(TcxCanvas* ACanvas) {
  if (!Transparent) {
    ACanvas->SetBrushColor(BackgroundColor);
    ACanvas->FillRect(Bounds);
  }
  PaintBorder(ACanvas);
  if (Text.empty()) return;
  if (Font) ACanvas->SetFont(Font);
  ACanvas->Font()->SetColor(TextColor);
  ACanvas->Brush()->SetStyle(bsClear);
  const int horz = TextAlignment == taRightJustify ? cxtfRight
                   : TextAlignment == taCenter     ? cxtfHorzCenter
                                                   : cxtfLeft;
  ACanvas->DrawText(Text, TextRect, horz | cxtfVertCenter | cxtfSingleLine);
  ACanvas->Brush()->SetStyle(bsSolid);
}

// ---- TcxCustomEditViewData ----

TcxCustomEditViewData::TcxCustomEditViewData(TcxCustomEditProperties* AProperties, TcxCustomEditStyle* AStyle,
                                             bool AIsInplace)
    : properties_(AProperties), style_(AStyle), isInplace_(AIsInplace) {}

TcxEditDrawnBorder TcxCustomEditViewData::GetContainerBorderStyle(int AHotState) {
  if (isInplace_) return edbNone;
  return kBorderTable[AHotState][style_->BorderStyle()];
}

RECT TcxCustomEditViewData::GetClientExtent(TcxCustomEditViewInfo* AViewInfo) {
  const int border = BorderWidthOf(AViewInfo->DrawnBorder);
  // Text keeps one pixel from the border on the left and right.
  return RECT{border + 1, border, border + 1, border};
}

void TcxCustomEditViewData::Calculate(TcxCanvas*, const RECT& ABounds, POINT P, int, TShiftState AShift,
                                      TcxCustomEditViewInfo* AViewInfo, bool) {
  AViewInfo->Bounds = ABounds;
  AViewInfo->Edges = style_->Edges();
  AViewInfo->IsInplace = isInplace_;
  AViewInfo->Transparent = style_->Transparent();
  AViewInfo->Shadow = !isInplace_ && style_->Shadow();
  TcxContainerState state;
  if (!Enabled)
    state.Include(cstDisabled);
  else {
    state.Include(Focused ? cstFocused : cstNormal);
    if (AShift.Empty() && Contains(ABounds, P)) state.Include(cstHot);
  }
  AViewInfo->ContainerState = state;
  const bool hotOrFocused = state.Contains(cstFocused) || state.Contains(cstHot);
  const int hotState = isInplace_ || !style_->HotTrack() ? 0 : hotOrFocused ? 2 : 1;
  AViewInfo->DrawnBorder = GetContainerBorderStyle(hotState);
  if (!isInplace_ && style_->BorderStyle() == ebsUltraFlat)
    AViewInfo->BorderColor = Enabled && hotOrFocused ? clHighlight : clBtnShadow;
  else
    AViewInfo->BorderColor = style_->BorderColor();
  AViewInfo->Font = style_->Font();
  if (style_->DirectAccessMode())
    AViewInfo->TextColor = style_->TextColor;
  else
    AViewInfo->TextColor = Enabled ? style_->Font()->Color() : clBtnShadow;
  AViewInfo->BackgroundColor = Enabled ? style_->Color() : clBtnFace;
  const RECT extent = GetClientExtent(AViewInfo);
  AViewInfo->ClientRect = {ABounds.left + extent.left, ABounds.top + extent.top, ABounds.right - extent.right,
                           ABounds.bottom - extent.bottom};
  AViewInfo->TextRect = AViewInfo->ClientRect;
  AViewInfo->TextAlignment = properties_->Alignment()->Horz();
}

void TcxCustomEditViewData::PrepareViewInfoValue(TcxCanvas*, const Variant& AEditValue,
                                                 TcxCustomEditViewInfo* AViewInfo) {
  AViewInfo->Text = properties_->GetDisplayText(AEditValue);
}
