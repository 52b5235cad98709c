#include "cx/editors/cxEditStyle.h"

#include "cx/editors/cxEdit.h"
#include "cx/editors/cxEditScopes.h"

using Style = TcxCustomEditStyle;

TRENVIK_PUBLISHED(TcxCustomEditStyle) {
  P.Property("AssignedValues", &Style::AssignedValues, &Style::SetAssignedValues).Stored(false);
  P.Property("BorderColor", &Style::BorderColor, &Style::SetBorderColor)
      .NoDefault()
      .Stored(&Style::IsValueStored<svBorderColor>);
  P.Property("BorderStyle", &Style::BorderStyle, &Style::SetBorderStyle)
      .NoDefault()
      .Stored(&Style::IsValueStored<svBorderStyle>);
  P.Property("Color", &Style::Color, &Style::SetColor).NoDefault().Stored(&Style::IsValueStored<svColor>);
  P.Property("Edges", &Style::Edges, &Style::SetEdges).NoDefault().Stored(&Style::IsValueStored<svEdges>);
  P.Property("Font", &Style::Font, &Style::SetFont).Stored(&Style::IsValueStored<svFont>);
  P.Property("HotTrack", &Style::HotTrack, &Style::SetHotTrack)
      .NoDefault()
      .Stored(&Style::IsValueStored<svHotTrack>);
  P.Property("Shadow", &Style::Shadow, &Style::SetShadow).NoDefault().Stored(&Style::IsValueStored<svShadow>);
  P.Property("StyleController", &Style::StyleController, &Style::SetStyleController);
}

TRENVIK_PUBLISHED(TcxEditStyle) {
  P.Property("ButtonStyle", &Style::ButtonStyle, &Style::SetButtonStyle)
      .NoDefault()
      .Stored(&Style::IsValueStored<svButtonStyle>);
  P.Property("ButtonTransparency", &Style::ButtonTransparency, &Style::SetButtonTransparency)
      .NoDefault()
      .Stored(&Style::IsValueStored<svButtonTransparency>);
  P.Property("PopupBorderStyle", &Style::PopupBorderStyle, &Style::SetPopupBorderStyle)
      .NoDefault()
      .Stored(&Style::IsValueStored<svPopupBorderStyle>);
}

TRENVIK_PUBLISHED(TcxEditStyleController) {
  P.Property("Style", &TcxEditStyleController::Style, &TcxEditStyleController::SetStyle);
}

namespace {

constexpr TcxEditStyleValues kAllValues{
    svBorderColor, svBorderStyle,      svButtonStyle, svButtonTransparency, svColor, svEdges, svFont,
    svHotTrack,    svPopupBorderStyle, svShadow,      svTransparent};

}  // namespace

TcxCustomEditStyle::TcxCustomEditStyle(TPersistent* AOwner, bool ADirectAccessMode)
    : TcxCustomContainerStyle(AOwner, ADirectAccessMode), directAccessMode_(ADirectAccessMode) {
  if (!directAccessMode_) {
    ownFont_ = std::make_unique<TFont>();
    ownFont_->OnChange = [this](TObject*) { FontChanged(); };
    font_ = ownFont_.get();
  } else {
    assignedValues_ = {svColor, svFont, svTransparent};
  }
  popupCloseButton_ = DefaultPopupCloseButton();
}

TcxCustomEditStyle::~TcxCustomEditStyle() {
  if (ownFont_) ownFont_->OnChange = nullptr;
}

TcxEditStyleValues TcxCustomEditStyle::AssignedValues() const {
  return directAccessMode_ ? kAllValues : assignedValues_;
}

void TcxCustomEditStyle::SetAssignedValues(TcxEditStyleValues Value) {
  if (assignedValues_ == Value) return;
  assignedValues_ = Value;
  UpdateFont();
  Changed();
}

const TcxCustomEditStyle* TcxCustomEditStyle::ControllerStyle() const {
  TcxStyleController* controller = StyleController();
  return controller ? dynamic_cast<const TcxCustomEditStyle*>(controller->Style()) : nullptr;
}

TColor TcxCustomEditStyle::BorderColor() const {
  if (directAccessMode_) return clDefault;
  return Resolve(svBorderColor, &TcxCustomEditStyle::borderColor_, &TcxCustomEditStyle::DefaultBorderColor);
}

TcxEditBorderStyle TcxCustomEditStyle::BorderStyle() const {
  return Resolve(svBorderStyle, &TcxCustomEditStyle::borderStyle_, &TcxCustomEditStyle::DefaultBorderStyle);
}

TcxEditButtonStyle TcxCustomEditStyle::ButtonStyle() const {
  return Resolve(svButtonStyle, &TcxCustomEditStyle::buttonStyle_, &TcxCustomEditStyle::DefaultButtonStyle);
}

TcxEditButtonTransparency TcxCustomEditStyle::ButtonTransparency() const {
  return Resolve(svButtonTransparency, &TcxCustomEditStyle::buttonTransparency_,
                 &TcxCustomEditStyle::DefaultButtonTransparency);
}

TColor TcxCustomEditStyle::Color() const {
  if (directAccessMode_) return color_;
  return Resolve(svColor, &TcxCustomEditStyle::color_, &TcxCustomEditStyle::DefaultColor);
}

TcxBorders TcxCustomEditStyle::Edges() const {
  if (directAccessMode_) return {};
  return Resolve(svEdges, &TcxCustomEditStyle::edges_, &TcxCustomEditStyle::DefaultEdges);
}

TFont* TcxCustomEditStyle::Font() const { return font_; }

bool TcxCustomEditStyle::HotTrack() const {
  return Resolve(svHotTrack, &TcxCustomEditStyle::hotTrack_, &TcxCustomEditStyle::DefaultHotTrack);
}

TcxEditPopupBorderStyle TcxCustomEditStyle::PopupBorderStyle() const {
  return Resolve(svPopupBorderStyle, &TcxCustomEditStyle::popupBorderStyle_,
                 &TcxCustomEditStyle::DefaultPopupBorderStyle);
}

bool TcxCustomEditStyle::Shadow() const {
  if (directAccessMode_) return false;
  return Resolve(svShadow, &TcxCustomEditStyle::shadow_, &TcxCustomEditStyle::DefaultShadow);
}

bool TcxCustomEditStyle::Transparent() const {
  if (directAccessMode_) return transparent_;
  return Resolve(svTransparent, &TcxCustomEditStyle::transparent_, &TcxCustomEditStyle::DefaultTransparent);
}

TcxEditBorderStyle TcxCustomEditStyle::DefaultBorderStyle() const {
  switch (LookAndFeel()->Kind()) {
    case lfFlat:
      return ebsFlat;
    case lfUltraFlat:
      return ebsUltraFlat;
    default:
      return ebs3D;
  }
}

TColor TcxCustomEditStyle::DefaultColor() const {
  auto* edit = dynamic_cast<TcxCustomEdit*>(const_cast<TcxCustomEditStyle*>(this)->GetOwner());
  return edit ? edit->Color() : clWindow;
}

void TcxCustomEditStyle::SetFont(TFont* Value) {
  if (directAccessMode_) {
    font_ = Value;
    return;
  }
  ownFont_->Assign(Value);
  assignedValues_.Include(svFont);
  Changed();
}

void TcxCustomEditStyle::SetPopupCloseButton(bool Value) {
  if (popupCloseButton_ == Value) return;
  popupCloseButton_ = Value;
  Changed();
}

void TcxCustomEditStyle::FontChanged() {
  if (!fontSynchronizing_) assignedValues_.Include(svFont);
  Changed();
}

void TcxCustomEditStyle::UpdateFont() {
  if (directAccessMode_ || assignedValues_.Contains(svFont)) return;
  for (const TcxCustomEditStyle* style = ControllerStyle(); style; style = style->ControllerStyle())
    if (style->AssignedValues().Contains(svFont)) {
      fontSynchronizing_ = true;
      ownFont_->Assign(style->Font());
      fontSynchronizing_ = false;
      return;
    }
}

void TcxCustomEditStyle::ControllerChangedNotification(TcxStyleController* AController) {
  UpdateFont();
  inherited::ControllerChangedNotification(AController);
}

void TcxCustomEditStyle::ControllerChanged() {
  UpdateFont();
  inherited::ControllerChanged();
}

void TcxCustomEditStyle::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TcxCustomEditStyle*>(Source);
  if (!source) {
    inherited::Assign(Source);
    return;
  }
  TcxUpdateScope update(this);
  inherited::Assign(Source);
  borderColor_ = source->borderColor_;
  borderStyle_ = source->borderStyle_;
  buttonStyle_ = source->buttonStyle_;
  buttonTransparency_ = source->buttonTransparency_;
  color_ = source->color_;
  edges_ = source->edges_;
  hotTrack_ = source->hotTrack_;
  popupBorderStyle_ = source->popupBorderStyle_;
  popupCloseButton_ = source->popupCloseButton_;
  shadow_ = source->shadow_;
  transparent_ = source->transparent_;
  if (directAccessMode_) {
    font_ = source->font_;
  } else {
    fontSynchronizing_ = true;
    ownFont_->Assign(source->Font());
    fontSynchronizing_ = false;
  }
  assignedValues_ = source->assignedValues_;
  Changed();
}

void TcxCustomEditStyle::RestoreDefaults() {
  inherited::RestoreDefaults();
  color_ = clWindow;
  if (auto* edit = dynamic_cast<TcxCustomEdit*>(GetOwner())) {
    edit->SetColor(clWindow);
    edit->SetParentFont(true);
  }
  assignedValues_ = {};
}

TcxContainerStyleClass TcxEditStyleController::GetStyleClass() {
  return
      [](TPersistent* AOwner, bool) -> TcxCustomContainerStyle* { return new TcxEditStyle(AOwner, false); };
}
