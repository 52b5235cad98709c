#include "cx/data/cxVariants.h"
#include "cx/editors/cxCheckBox.h"
#include "cx/editors/cxEditConsts.h"
#include "cx/editors/cxEditPublishing.h"
#include "cx/editors/cxEditScopes.h"

TRENVIK_IMPLEMENT_CLASS(TcxCustomCheckBoxProperties)
using CheckProps = TcxCustomCheckBoxProperties;

TRENVIK_PUBLISHED(TcxCheckBoxProperties) {
  P.Property("Alignment", &CheckProps::HorzAlignment, &CheckProps::SetHorzAlignment)
      .NoDefault()
      .Stored(&CheckProps::IsHorzAlignmentStored);
  P.Property("AllowGrayed", &CheckProps::AllowGrayed, &CheckProps::SetAllowGrayed).Default(false);
  P.Property("Caption", &CheckProps::Caption, &CheckProps::SetCaption).Stored(&CheckProps::IsCaptionSet);
  P.Property("DisplayChecked", &CheckProps::DisplayChecked, &CheckProps::SetDisplayChecked)
      .Stored(&CheckProps::IsDisplayCheckedStored);
  P.Property("DisplayUnchecked", &CheckProps::DisplayUnchecked, &CheckProps::SetDisplayUnchecked)
      .Stored(&CheckProps::IsDisplayUncheckedStored);
  P.Property("DisplayGrayed", &CheckProps::DisplayGrayed, &CheckProps::SetDisplayGrayed)
      .Stored(&CheckProps::IsDisplayGrayedStored);
  P.Property("FullFocusRect", &CheckProps::FullFocusRect, &CheckProps::SetFullFocusRect).Default(false);
  P.Property("Glyph", &CheckProps::Glyph, &CheckProps::SetGlyph).Stored(&CheckProps::HasGlyph);
  P.Property("GlyphCount", &CheckProps::GlyphCount, &CheckProps::SetGlyphCount).Default(6);
  P.Property("ImmediatePost", &CheckProps::ImmediatePost, &CheckProps::SetImmediatePost).Default(false);
  P.Property("MultiLine", &CheckProps::MultiLine, &CheckProps::SetMultiLine).Default(false);
  P.Property("NullStyle", &CheckProps::NullStyle, &CheckProps::SetNullStyle).Default(nssGrayedChecked);
  PublishReadOnly(P);
  P.Property("ValueChecked", &CheckProps::ValueChecked, &CheckProps::SetValueChecked)
      .Stored(&CheckProps::IsValueCheckedStored);
  P.Property("ValueGrayed", &CheckProps::ValueGrayed, &CheckProps::SetValueGrayed)
      .Stored(&CheckProps::IsValueGrayedStored);
  P.Property("ValueUnchecked", &CheckProps::ValueUnchecked, &CheckProps::SetValueUnchecked)
      .Stored(&CheckProps::IsValueUncheckedStored);
  P.Event("OnChange", &CheckProps::OnChange);
  P.Event("OnEditValueChanged", &CheckProps::OnEditValueChanged);
}

namespace {

bool SameTypeAndValue(const Variant& A, const Variant& B) {
  return VarType(A) == VarType(B) && cxVariantsEqual(A, B);
}

}  // namespace

TcxCustomCheckBoxProperties::TcxCustomCheckBoxProperties(TPersistent* AOwner)
    : TcxCustomEditProperties(AOwner),
      displayChecked_(cxGetResourceString(cxSEditCheckBoxChecked)),
      displayGrayed_(cxGetResourceString(cxSEditCheckBoxGrayed)),
      displayUnchecked_(cxGetResourceString(cxSEditCheckBoxUnchecked)),
      valueChecked_(true),
      valueGrayed_(Null()),
      valueUnchecked_(false) {}

bool TcxCustomCheckBoxProperties::IsDisplayCheckedStored() const {
  return displayChecked_ != cxGetResourceString(cxSEditCheckBoxChecked);
}

bool TcxCustomCheckBoxProperties::IsDisplayGrayedStored() const {
  return displayGrayed_ != cxGetResourceString(cxSEditCheckBoxGrayed);
}

bool TcxCustomCheckBoxProperties::IsDisplayUncheckedStored() const {
  return displayUnchecked_ != cxGetResourceString(cxSEditCheckBoxUnchecked);
}

bool TcxCustomCheckBoxProperties::IsValueCheckedStored() const {
  return !SameTypeAndValue(valueChecked_, Variant(true));
}

bool TcxCustomCheckBoxProperties::IsValueGrayedStored() const { return !VarIsNull(valueGrayed_); }

bool TcxCustomCheckBoxProperties::IsValueUncheckedStored() const {
  return !SameTypeAndValue(valueUnchecked_, Variant(false));
}

void TcxCustomCheckBoxProperties::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TcxCustomCheckBoxProperties*>(Source);
  if (!source) {
    inherited::Assign(Source);
    return;
  }
  TcxUpdateScope update(this);
  inherited::Assign(Source);
  allowGrayed_ = source->allowGrayed_;
  SetGlyph(source->glyph_.get());
  glyphCount_ = source->glyphCount_;
  fullFocusRect_ = source->fullFocusRect_;
  multiLine_ = source->multiLine_;
  nullStyle_ = source->nullStyle_;
  valueChecked_ = source->valueChecked_;
  valueGrayed_ = source->valueGrayed_;
  valueUnchecked_ = source->valueUnchecked_;
  Changed();
}

TBitmap* TcxCustomCheckBoxProperties::Glyph() {
  if (!glyph_) glyph_ = std::make_unique<TBitmap>();
  return glyph_.get();
}

void TcxCustomCheckBoxProperties::SetGlyph(TBitmap* Value) {
  if (Value)
    Glyph()->Assign(Value);
  else
    glyph_.reset();
  Changed();
}

void TcxCustomCheckBoxProperties::SetGlyphCount(int Value) {
  if (glyphCount_ == Value) return;
  glyphCount_ = Value;
  if (glyph_) Changed();
}

void TcxCustomCheckBoxProperties::SetFullFocusRect(bool Value) {
  if (fullFocusRect_ == Value) return;
  fullFocusRect_ = Value;
  Changed();
}

void TcxCustomCheckBoxProperties::SetMultiLine(bool Value) {
  if (multiLine_ == Value) return;
  multiLine_ = Value;
  Changed();
}

void TcxCustomCheckBoxProperties::SetCaption(const String& Value) {
  captionSet_ = true;
  if (caption_ == Value) return;
  caption_ = Value;
  Changed();
}

void TcxCustomCheckBoxProperties::FollowName(const String& AName) {
  if (caption_ == AName) return;
  caption_ = AName;
  Changed();
}

void TcxCustomCheckBoxProperties::SetNullStyle(TcxCheckBoxNullValueShowingStyle Value) {
  if (nullStyle_ == Value) return;
  nullStyle_ = Value;
  Changed();
}

bool TcxCustomCheckBoxProperties::IsTaken(const Variant& Value) const {
  return SameTypeAndValue(Value, valueChecked_) || SameTypeAndValue(Value, valueGrayed_) ||
         SameTypeAndValue(Value, valueUnchecked_);
}

void TcxCustomCheckBoxProperties::SetStateValue(Variant& AField, const Variant& Value, bool AAcceptNull) {
  if (IsTaken(Value) || (!AAcceptNull && VarIsNull(Value))) return;
  AField = Value;
  Changed();
}

void TcxCustomCheckBoxProperties::SetValueChecked(const Variant& Value) {
  SetStateValue(valueChecked_, Value, false);
}
void TcxCustomCheckBoxProperties::SetValueGrayed(const Variant& Value) {
  SetStateValue(valueGrayed_, Value, true);
}
void TcxCustomCheckBoxProperties::SetValueUnchecked(const Variant& Value) {
  SetStateValue(valueUnchecked_, Value, false);
}

TcxCheckBoxState TcxCustomCheckBoxProperties::StateOf(const Variant& AEditValue) const {
  if (cxVariantsEqual(AEditValue, valueChecked_)) return cbsChecked;
  if (cxVariantsEqual(AEditValue, valueUnchecked_)) return cbsUnchecked;
  return cbsGrayed;
}

const Variant& TcxCustomCheckBoxProperties::ValueOf(TcxCheckBoxState AState) const {
  switch (AState) {
    case cbsChecked:
      return valueChecked_;
    case cbsGrayed:
      return valueGrayed_;
    default:
      return valueUnchecked_;
  }
}

TClass TcxCustomCheckBoxProperties::GetContainerClass() { return TcxCheckBox::StaticClass(); }

TcxEditSupportedOperations TcxCustomCheckBoxProperties::GetSupportedOperations() {
  return {esoAlwaysHotTrack, esoFiltering, esoHotTrack, esoSorting};
}

void TcxCustomCheckBoxProperties::PrepareDisplayValue(const Variant& AEditValue, Variant& DisplayValue,
                                                      bool) {
  DisplayValue = static_cast<int>(StateOf(AEditValue));
}

bool TcxCustomCheckBoxProperties::IsEditValueValid(Variant& EditValue, bool) { return IsTaken(EditValue); }

String TcxCustomCheckBoxProperties::GetDisplayText(const Variant& AEditValue, bool) {
  switch (StateOf(AEditValue)) {
    case cbsChecked:
      return displayChecked_;
    case cbsUnchecked:
      return displayUnchecked_;
    default:
      return displayGrayed_;
  }
}
