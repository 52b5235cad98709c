// The view info: copying, painting and repainting only what changed.
#include "cx/editors/cxEditViewInfo.h"

#include "cx/editors/cxEditUtils.h"
#include "platform/win/Paint.h"

TRENVIK_IMPLEMENT_CLASS(TcxEditButtonViewInfo)
TRENVIK_IMPLEMENT_CLASS(TcxCustomEditViewInfo)

namespace {

void InvalidateFrame(TWinControl* AControl, const RECT& AOuter, const RECT& AInner) {
  if (!AControl || !AControl->HandleAllocated() || IsEmptyRect(AOuter) || EqualRect(&AOuter, &AInner)) return;
  cxInvalidateFrame(AControl->Handle(), AOuter, AInner, true);
}

}  // namespace

// ---- TcxEditButtonViewInfo ----

void TcxEditButtonViewInfo::Assign(const TcxEditButtonViewInfo& Source) {
  Bounds = Source.Bounds;
  VisibleBounds = Source.VisibleBounds;
  Index = Source.Index;
  Kind = Source.Kind;
  Caption = Source.Caption;
  Default = Source.Default;
  LeftAlignment = Source.LeftAlignment;
  Glyph = Source.Glyph;
  Width = Source.Width;
  Style = Source.Style;
  State = Source.State;
  Transparent = Source.Transparent;
  IsInplace = Source.IsInplace;
  NativeStyle = Source.NativeStyle;
  NativeThemeClass = Source.NativeThemeClass;
  NativePart = Source.NativePart;
  NativeState = Source.NativeState;
  NativePartTransparent = Source.NativePartTransparent;
  IsSingleDropDown = Source.IsSingleDropDown;
  BackgroundColor = Source.BackgroundColor;
  EraseBackground = Source.EraseBackground;
  LeftEnd = Source.LeftEnd;
  RightEnd = Source.RightEnd;
}

bool TcxEditButtonViewInfo::DrawnStateEquals(const TcxEditButtonViewInfo& AOther) const {
  return Style == AOther.Style && State == AOther.State && BackgroundColor == AOther.BackgroundColor &&
         NativeState == AOther.NativeState;
}

TcxRegion* TcxEditButtonViewInfo::GetUpdateRegion(const TcxEditButtonViewInfo& AOld) const {
  return DrawnStateEquals(AOld) ? new TcxRegion() : new TcxRegion(Bounds);
}

bool TcxEditButtonViewInfo::Repaint(TWinControl* AControl, const TcxEditButtonViewInfo& AOld, POINT AOffset) const {
  if (DrawnStateEquals(AOld)) return false;
  if (AControl && AControl->HandleAllocated()) {
    RECT r = Bounds;
    OffsetRect(&r, AOffset.x, AOffset.y);
    InvalidateRect(AControl->Handle(), &r, EraseBackground);
  }
  return true;
}

// ---- TcxCustomEditViewInfo ----

TcxCustomEditViewInfo::~TcxCustomEditViewInfo() = default;

void TcxCustomEditViewInfo::SetButtonCount(int ACount) {
  if (ACount < ButtonCount()) ButtonsInfo.resize(ACount);
  while (ButtonCount() < ACount) {
    TObject* instance = GetButtonViewInfoClass()->NewInstance(nullptr);
    ButtonsInfo.emplace_back(static_cast<TcxEditButtonViewInfo*>(instance));
  }
}

int TcxCustomEditViewInfo::GetButtonIndexAt(POINT P) const {
  for (int i = 0; i < ButtonCount(); ++i)
    if (PtInRect(&ButtonsInfo[i]->Bounds, P)) return i;
  return -1;
}

void TcxCustomEditViewInfo::Assign(TObject* Source) {
  if (auto* source = dynamic_cast<TcxCustomEditViewInfo*>(Source)) {
    BorderColor = source->BorderColor;
    DrawnBorder = source->DrawnBorder;
    NativeState = source->NativeState;
    SetButtonCount(source->ButtonCount());
    for (int i = 0; i < ButtonCount(); ++i) ButtonsInfo[i]->Assign(*source->ButtonsInfo[i]);
    PressedButton = source->PressedButton;
    HotButton = source->HotButton;
    IsInplace = source->IsInplace;
    Transparent = source->Transparent;
    TextColor = source->TextColor;
    Font = source->Font;
    Text = source->Text;
    TextAlignment = source->TextAlignment;
    TextRect = source->TextRect;
    InnerEditRect = source->InnerEditRect;
    BackgroundColor = source->BackgroundColor;
    BorderRect = source->BorderRect;
    Bounds = source->Bounds;
    Edges = source->Edges;
    Shadow = source->Shadow;
    NativeStyle = source->NativeStyle;
    LookAndFeelKind = source->LookAndFeelKind;
    ContainerState = source->ContainerState;
  }
  inherited::Assign(Source);
}

TcxRegion* TcxCustomEditViewInfo::GetUpdateRegion(TcxContainerViewInfo* AOther) {
  TcxRegion* result = inherited::GetUpdateRegion(AOther);
  auto* old = dynamic_cast<TcxCustomEditViewInfo*>(AOther);
  const bool sameFrame = old && (DrawnBorder == edbNone || BorderColor == old->BorderColor) &&
                         DrawnBorder == old->DrawnBorder && ButtonCount() == old->ButtonCount() &&
                         NativeState == old->NativeState;
  if (!sameFrame) {
    result->Combine(new TcxRegion(Bounds), roAdd);
    return result;
  }
  for (int i = 0; i < ButtonCount(); ++i) result->Combine(Button(i)->GetUpdateRegion(*old->Button(i)), roAdd);
  return result;
}

bool TcxCustomEditViewInfo::Repaint(TWinControl* AControl, TcxCustomEditViewInfo* AOld,
                                    const RECT& AInnerEditRect) {
  RECT innerEdit;
  if (!IntersectRect(&innerEdit, &AInnerEditRect, &ClientRect)) innerEdit = RECT{};
  if (!AOld) {
    InvalidateFrame(AControl, Bounds, innerEdit);
    return false;
  }
  bool changed = true;
  RECT inner = innerEdit;
  const bool sameButtons = NativeState == AOld->NativeState && ButtonCount() == AOld->ButtonCount();
  if (sameButtons) {
    if ((DrawnBorder != edbNone && BorderColor != AOld->BorderColor) || DrawnBorder != AOld->DrawnBorder)
      inner = BorderRect;
    else
      changed = false;
  }
  if (changed) InvalidateFrame(AControl, Bounds, inner);
  bool result = false;
  if (ButtonCount() == AOld->ButtonCount())
    for (int i = 0; i < ButtonCount(); ++i) result |= Button(i)->Repaint(AControl, *AOld->Button(i), {0, 0});
  return result;
}

void TcxCustomEditViewInfo::Paint(TcxCanvas* ACanvas) {
  // Only a shadow leaves the clip region changed; a plain cell paints without touching it.
  std::unique_ptr<TcxRegion> saved(Shadow ? ACanvas->GetClipRegion() : nullptr);
  DrawEditButtons(ACanvas, this, true);
  if (saved) ACanvas->SetClipRegion(saved.release(), roSet);
  // A selected grid cell shows its client area highlighted.
  if (Selected && !Transparent) {
    ACanvas->SetBrushColor(clHighlight);
    ACanvas->FillRect(ClientRect);
  }
  PaintText(ACanvas);
}

void TcxCustomEditViewInfo::PaintText(TcxCanvas* ACanvas) {
  if (Text.empty()) return;
  if (Font) ACanvas->SetFont(Font);
  ACanvas->Font()->SetColor(Selected ? clHighlightText : TextColor);
  ACanvas->Brush()->SetStyle(bsClear);
  const int horz = TextAlignment == taRightJustify ? cxtfRight
                   : TextAlignment == taCenter     ? cxtfHorzCenter
                                                   : cxtfLeft;
  ACanvas->DrawText(Text, TextRect, horz | cxtfVertCenter | cxtfSingleLine);
  ACanvas->Brush()->SetStyle(bsSolid);
}

void TcxCustomEditViewInfo::DrawButton(TcxCanvas* ACanvas, int AIndex) {
  TcxEditButtonViewInfo* button = Button(AIndex);
  TcxEditButtonStyle style = button->Style;
  const bool active = button->State == ebsPressed || button->State == ebsSelected;
  if (style == btsSimple && active && button->NativePart == 0) style = btsFlat;
  RECT r = button->Bounds;
  DrawButtonBorder(ACanvas, AIndex, r, style);
}

void TcxCustomEditViewInfo::DrawButtonBorder(TcxCanvas* ACanvas, int AIndex, RECT& ARect,
                                             TcxEditButtonStyle AStyle) {
  TColor brush = clBtnFace;
  TColor pen = clBtnText;
  DrawEditButtonBorder(ACanvas, this, AIndex, ARect, AStyle, brush, pen);
  DrawButtonContent(ACanvas, AIndex, brush, pen, ARect);
}

void TcxCustomEditViewInfo::DrawButtonContent(TcxCanvas* ACanvas, int AIndex, TColor ABrushColor, TColor APenColor,
                                              const RECT& ARect) {
  DrawEditButtonContent(ACanvas, this, AIndex, ABrushColor, APenColor, ARect);
}
