// The image editor's settings: the graphic class by name, how the picture is placed, the context
// menu's layout, and the text of a value.
#include "cx/editors-ext/cxImage.h"
#include "cx/editors/cxEditPublishing.h"
#include "cx/editors/cxEditScopes.h"
#include "platform/rtl/StrUtils.h"

TRENVIK_IMPLEMENT_CLASS(TcxCustomImageProperties)

TRENVIK_PUBLISHED(TcxPopupMenuLayout) {
  P.Property("MenuItems", &TcxPopupMenuLayout::MenuItems, &TcxPopupMenuLayout::SetMenuItems)
      .Default(TcxPopupMenuItems{pmiCut, pmiCopy, pmiPaste, pmiDelete, pmiLoad, pmiSave});
  P.Property("CustomMenuItemCaption", &TcxPopupMenuLayout::CustomMenuItemCaption,
             &TcxPopupMenuLayout::SetCustomMenuItemCaption);
  P.Property("CustomMenuItemGlyph", &TcxPopupMenuLayout::CustomMenuItemGlyph,
             &TcxPopupMenuLayout::SetCustomMenuItemGlyph)
      .Stored(&TcxPopupMenuLayout::HasCustomMenuItemGlyph);
}

using ImageProps = TcxCustomImageProperties;
TRENVIK_PUBLISHED(TcxImageProperties) {
  P.Property("Caption", &ImageProps::Caption, &ImageProps::SetCaption);
  P.Property("Center", &ImageProps::Center, &ImageProps::SetCenter).Default(true);
  P.Property("CustomFilter", &ImageProps::CustomFilter, &ImageProps::SetCustomFilter);
  P.Property("GraphicClassName", &ImageProps::GraphicClassName, &ImageProps::SetGraphicClassName)
      .Stored(&ImageProps::IsGraphicClassNameStored);
  P.Property("GraphicTransparency", &ImageProps::GraphicTransparency, &ImageProps::SetGraphicTransparency)
      .Default(gtDefault);
  P.Property("ImmediatePost", &ImageProps::ImmediatePost, &ImageProps::SetImmediatePost).Default(false);
  P.Property("PopupMenuLayout", &ImageProps::PopupMenuLayout, &ImageProps::SetPopupMenuLayout);
  PublishReadOnly(P);
  P.Property("Stretch", &ImageProps::Stretch, &ImageProps::SetStretch).Default(false);
  P.Event("OnChange", &ImageProps::OnChange);
  P.Event("OnEditValueChanged", &ImageProps::OnEditValueChanged);
}

// --- Menu layout ---

void TcxPopupMenuLayout::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TcxPopupMenuLayout*>(Source);
  if (!source) {
    inherited::Assign(Source);
    return;
  }
  menuItems_ = source->menuItems_;
  customMenuItemCaption_ = source->customMenuItemCaption_;
  SetCustomMenuItemGlyph(source->customMenuItemGlyph_.get());
}

TBitmap* TcxPopupMenuLayout::CustomMenuItemGlyph() {
  if (!customMenuItemGlyph_) customMenuItemGlyph_ = std::make_unique<TBitmap>();
  return customMenuItemGlyph_.get();
}

void TcxPopupMenuLayout::SetCustomMenuItemGlyph(TBitmap* Value) {
  if (!Value) {
    customMenuItemGlyph_.reset();
    return;
  }
  CustomMenuItemGlyph()->Assign(Value);
}

// --- Properties ---

TcxCustomImageProperties::TcxCustomImageProperties(TPersistent* AOwner)
    : TcxCustomEditProperties(AOwner), owner_(AOwner), popupMenuLayout_(std::make_unique<TcxPopupMenuLayout>()) {
  if (!OwnedByEdit()) SetGraphicClassName(u"TBitmap");
}

bool TcxCustomImageProperties::OwnedByEdit() const { return dynamic_cast<TcxCustomEdit*>(owner_) != nullptr; }

void TcxCustomImageProperties::Assign(TPersistent* Source) {
  TcxUpdateScope update(this);
  inherited::Assign(Source);
  auto* source = dynamic_cast<TcxCustomImageProperties*>(Source);
  if (!source) return;
  SetCaption(source->Caption());
  SetCenter(source->Center());
  SetCustomFilter(source->CustomFilter());
  SetGraphicClassName(source->GraphicClassName());
  SetGraphicTransparency(source->GraphicTransparency());
  SetPopupMenuLayout(source->PopupMenuLayout());
  SetStretch(source->Stretch());
  OnAssignPicture = source->OnAssignPicture;
  OnCustomClick = source->OnCustomClick;
}

void TcxCustomImageProperties::SetCaption(const String& Value) {
  if (caption_ == Value) return;
  caption_ = Value;
  Changed();
}

void TcxCustomImageProperties::SetCenter(bool Value) {
  if (center_ == Value) return;
  center_ = Value;
  Changed();
}

void TcxCustomImageProperties::SetGraphicClass(TGraphicClass Value) {
  if (graphicClass_ == Value) return;
  graphicClass_ = Value;
  Changed();
}

String TcxCustomImageProperties::GraphicClassName() const {
  const auto* owner = dynamic_cast<const TComponent*>(owner_);
  const bool designing = owner && owner->ComponentState().Contains(csDesigning);
  return designing || !graphicClass_ ? graphicClassName_ : graphicClass_->ClassName();
}

void TcxCustomImageProperties::SetGraphicClassName(const String& Value) {
  if (graphicClassName_ == Value) return;
  graphicClassName_ = Value;
  graphicClass_ = cxGetGraphicClassByName(Value);
  Changed();
}

bool TcxCustomImageProperties::IsGraphicClassNameStored() const {
  if (OwnedByEdit()) return !graphicClassName_.empty();
  return CompareText(graphicClassName_, u"TBitmap") != 0;
}

void TcxCustomImageProperties::SetGraphicTransparency(TcxImageTransparency Value) {
  if (graphicTransparency_ == Value) return;
  graphicTransparency_ = Value;
  Changed();
}

void TcxCustomImageProperties::SetShowFocusRect(bool Value) {
  if (showFocusRect_ == Value) return;
  showFocusRect_ = Value;
  Changed();
}

void TcxCustomImageProperties::SetStretch(bool Value) {
  if (stretch_ == Value) return;
  stretch_ = Value;
  Changed();
}

TClass TcxCustomImageProperties::GetContainerClass() { return TcxImage::StaticClass(); }

TClass TcxCustomImageProperties::GetViewInfoClass() { return TcxImageViewInfo::StaticClass(); }

std::unique_ptr<TcxCustomEditViewData> TcxCustomImageProperties::CreateViewData(TcxCustomEditStyle* AStyle,
                                                                                bool AIsInplace) {
  return std::make_unique<TcxImageViewData>(this, AStyle, AIsInplace);
}

String TcxCustomImageProperties::GetDisplayText(const Variant& AEditValue, bool) {
  return VarIsNull(AEditValue) ? String() : caption_;
}

void TcxCustomImageProperties::ValidateDisplayValue(Variant&, String&, bool&, TcxCustomEdit* AEdit) {
  auto* image = dynamic_cast<TcxCustomImage*>(AEdit);
  if (OnAssignPicture && image) OnAssignPicture(this, image->Picture());
}
