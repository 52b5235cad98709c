// The view data: border, colours, client area and sizes of an editor for given bounds.
#include <algorithm>
#include <climits>

#include "cx/editors/cxEdit.h"
#include "cx/editors/cxEditUtils.h"
#include "cx/foundation/dxThemeConsts.h"
#include "cx/foundation/dxUxTheme.h"

TRENVIK_IMPLEMENT_CLASS(TcxCustomEditViewData)

namespace {

// Rows: hot state; columns: ebsNone .. ebsUltraFlat.
constexpr TcxEditDrawnBorder kBorderTable[3][6] = {
    {edbNone, edbSingle, edbThick, edbFlat, edb3D, edbSingle},
    {edbNone, edbSingle, edbThick, edbFlat, edb3D, edbSingle},
    {edbFlat, edbThick, edbThick, edb3D, edb3D, edbSingle},
};

RECT Reduced(const RECT& R, const RECT& AExtent) {
  RECT r{R.left + AExtent.left, R.top + AExtent.top, R.right - AExtent.right, R.bottom - AExtent.bottom};
  r.right = std::max(r.left, r.right);
  r.bottom = std::max(r.top, r.bottom);
  return r;
}

TcxEditPopupBorderStyle DefaultPopupBorderStyle(bool AIsInplace, TcxLookAndFeelKind AKind,
                                                TcxEditDrawnBorder ABorder) {
  if (AIsInplace) {
    switch (AKind) {
      case lfFlat:
        return epbsFlat;
      case lfUltraFlat:
        return epbsSingle;
      default:
        return epbsFrame3D;
    }
  }
  return ABorder == edbNone || ABorder == edbFlat ? epbsFlat : epbsSingle;
}

// The Edit theme's fill colour for a state, clBtnFace without a theme.
TColor DisabledBackground(int ANativeState) {
  COLORREF fill = static_cast<COLORREF>(ColorToRGB(clBtnFace));
  HTHEME theme = ANativeState ? dxOpenThemeByType(tcEdit) : nullptr;
  if (!theme) return clBtnFace;
  dxGetThemeColor(theme, EP_EDITTEXT, ANativeState, TMT_FILLCOLOR, &fill);
  return static_cast<TColor>(fill);
}

}  // namespace

TcxEditDrawnBorder cxEditDrawnBorder(TcxEditBorderStyle AStyle, int AHotState) {
  return kBorderTable[AHotState][AStyle];
}

TcxCustomEditViewData::TcxCustomEditViewData(TcxCustomEditProperties* AProperties, TcxCustomEditStyle* AStyle,
                                             bool AIsInplace)
    : properties_(AProperties), style_(AStyle), isInplace_(AIsInplace) {
  Initialize();
  InitCacheData();
}

void TcxCustomEditViewData::Initialize() {
  InplaceBorderExtent = RECT{};
  Enabled = true;
}

void TcxCustomEditViewData::InitCacheData() {
  borderStyle_ = style_->BorderStyle();
  visibleButtonCount_ = properties_->Buttons()->VisibleCount();
  nativeEdit_ = IsNativeStyleAvailable(style_->LookAndFeel()->NativeStyle(), tcEdit);
}

TcxEditDrawnBorder TcxCustomEditViewData::GetContainerBorderStyle(int AHotState) {
  if (isInplace_) return edbNone;
  return cxEditDrawnBorder(style_->BorderStyle(), AHotState);
}

int TcxCustomEditViewData::GetPressedButton() { return Edit ? Edit->CapturedButton() : -1; }

bool TcxCustomEditViewData::IsEditFocused() { return Edit ? Edit->IsEditFocused() : Focused; }

RECT TcxCustomEditViewData::GetClientExtent(TcxCustomEditViewInfo*) {
  if (isInplace_) return InplaceBorderExtent;
  RECT r{2, 2, 2, 2};
  if (HasShadow()) {
    r.right += kShadowSize;
    r.bottom += kShadowSize;
  }
  return r;
}

RECT TcxCustomEditViewData::GetEditNonClientExtent(TcxCustomEditViewInfo* AViewInfo) {
  RECT r = GetClientExtent(AViewInfo);
  if (HScrollBar) r.bottom += HScrollBar->Height();
  if (VScrollBar) r.right += VScrollBar->Width();
  const RECT& bounds = AViewInfo->Bounds;
  for (const auto& button : AViewInfo->ButtonsInfo) {
    if (button->LeftAlignment)
      r.left = std::max(r.left, button->Bounds.right - bounds.left);
    else
      r.right = std::max(r.right, bounds.right - button->Bounds.left);
  }
  return r;
}

void TcxCustomEditViewData::Calculate(TcxCanvas* ACanvas, const RECT& ABounds, POINT P, int AButton,
                                      TShiftState AShift, TcxCustomEditViewInfo* AViewInfo, bool AIsMouseEvent) {
  TcxCustomEditViewInfo& v = *AViewInfo;
  v.Bounds = ABounds;
  v.Edges = style_->Edges();
  v.IsInplace = isInplace_;
  v.IsDesigning = IsDesigning;
  v.Selected = Selected;
  v.HasInnerEdit = InnerEdit && InnerEdit->Visible();
  v.Shadow = HasShadow();
  v.Transparent = style_->Transparent();
  v.NativeStyle = nativeEdit_;
  v.LookAndFeelKind = style_->LookAndFeel()->Kind();

  // The visible frame is tested with the border a hot edit would draw.
  v.BorderRect = Reduced(ABounds, GetClientExtent(AViewInfo));
  v.DrawnBorder = GetContainerBorderStyle(style_->HotTrack() && !isInplace_ ? 2 : 0);
  TcxContainerState state;
  if (!Enabled)
    state = {cstDisabled};
  else if (IsDesigning)
    state = {cstNormal};
  else {
    state = {IsEditFocused() ? cstFocused : cstNormal};
    const RECT visible = GetEditVisibleBounds(AViewInfo, ABounds);
    if (AShift.Empty() && PtInRect(&visible, P)) state.Include(cstHot);
  }
  ContainerState = state;
  v.ContainerState = state;
  HotOrFocused = state.Contains(cstFocused) || state.Contains(cstHot);

  const int hotState = IsDesigning || !style_->HotTrack() || isInplace_ ? 0 : HotOrFocused ? 2 : 1;
  v.HotTrackState = hotState;
  v.DrawnBorder = GetContainerBorderStyle(hotState);

  if (nativeEdit_) v.NativeState = GetEditNativeState(this, false);
  if (!isInplace_ && style_->BorderStyle() == ebsUltraFlat)
    v.BorderColor = Enabled && (state.Contains(cstFocused) || (state.Contains(cstHot) && style_->HotTrack()) ||
                                IsDesigning)
                        ? clHighlight
                        : clBtnShadow;
  else
    v.BorderColor = style_->BorderColor();
  v.Font = style_->Font();
  if (style_->DirectAccessMode())
    v.TextColor = style_->TextColor;
  else
    v.TextColor = Enabled ? style_->Font()->Color() : clBtnShadow;
  if (Enabled)
    v.BackgroundColor = style_->Color();
  else
    v.BackgroundColor = DisabledBackground(nativeEdit_ ? v.NativeState : 0);
  v.InplaceBorderExtent = InplaceBorderExtent;

  CalculateButtonsViewInfo(ACanvas, ABounds, P, AButton, AShift, AViewInfo, AIsMouseEvent);

  v.ClientRect = Reduced(ABounds, GetEditNonClientExtent(AViewInfo));
  v.InnerEditRect = InnerEdit ? InnerEdit->BoundsRect() : v.ClientRect;
  v.TextRect = v.ClientRect;
  v.TextAlignment = properties_->Alignment()->Horz();

  v.PopupBorderStyle = style_->PopupBorderStyle();
  if (v.PopupBorderStyle == epbsDefault)
    v.PopupBorderStyle = DefaultPopupBorderStyle(isInplace_, v.LookAndFeelKind, v.DrawnBorder);
}

void TcxCustomEditViewData::PrepareViewInfoValue(TcxCanvas*, const Variant& AEditValue,
                                                 TcxCustomEditViewInfo* AViewInfo) {
  AViewInfo->Text = properties_->GetDisplayText(AEditValue);
}

void TcxCustomEditViewData::CalculateFixedPartSize(TcxCanvas* ACanvas, SIZE& AFixedSize,
                                                   TcxCustomEditViewInfo* AViewInfo, SIZE& AMinContentSize) {
  const RECT& b = AViewInfo->Bounds;
  const RECT& c = AViewInfo->ClientRect;
  AFixedSize = {(b.right - b.left) - (c.right - c.left), (b.bottom - b.top) - (c.bottom - c.top)};
  AMinContentSize = {0, 0};
  if (!isInplace_ && !(Edit && Edit->AutoSize())) return;
  int glyphHeight = 0;
  for (const auto& button : AViewInfo->ButtonsInfo)
    if (button->Kind == bkGlyph && IsBitmapUsable(button->Glyph))
      glyphHeight = std::max(glyphHeight, button->Glyph->Height());
  if (glyphHeight <= 0) return;
  const RECT extent = GetClientExtent(AViewInfo);
  glyphHeight += extent.top + extent.bottom + GetButtonVerticalAllowance(ACanvas, AViewInfo);
  AMinContentSize.cy = std::max(0, static_cast<int>(glyphHeight - AFixedSize.cy));
}

void TcxCustomEditViewData::GetFixedPartSize(TcxCanvas* ACanvas, const TcxEditSizeProperties&, SIZE& AFixedSize,
                                             TcxCustomEditViewInfo* AViewInfo, SIZE& AMinContentSize) {
  std::unique_ptr<TcxCustomEditViewInfo> temporary;
  if (!AViewInfo) {
    temporary.reset(static_cast<TcxCustomEditViewInfo*>(properties_->GetViewInfoClass()->NewInstance()));
    Calculate(ACanvas, {0, 0, INT_MAX, INT_MAX}, {-1, -1}, 0, {}, temporary.get(), false);
    AViewInfo = temporary.get();
  }
  CalculateFixedPartSize(ACanvas, AFixedSize, AViewInfo, AMinContentSize);
}

SIZE TcxCustomEditViewData::GetContentSize(TcxCanvas*, const Variant&, const TcxEditSizeProperties&) {
  return {0, 0};
}

SIZE TcxCustomEditViewData::GetEditSize(TcxCanvas* ACanvas, const Variant& AEditValue,
                                        TcxEditSizeProperties& ASizeProperties) {
  SIZE fixed{};
  SIZE minContent{};
  GetFixedPartSize(ACanvas, ASizeProperties, fixed, nullptr, minContent);
  const int limit = ASizeProperties.Width;
  bool fixedExceedsLimit = false;
  TcxEditSizeProperties contentProperties = ASizeProperties;
  if (limit >= 0) {
    fixedExceedsLimit = limit - fixed.cx < 0;
    contentProperties.Width = std::max(0, static_cast<int>(limit - fixed.cx));
  }
  SIZE content = GetContentSize(ACanvas, AEditValue, contentProperties);
  content.cx = std::max(content.cx, minContent.cx);
  content.cy = std::max(content.cy, minContent.cy);
  return {fixedExceedsLimit ? limit : fixed.cx + content.cx, fixed.cy + content.cy};
}
