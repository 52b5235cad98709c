#include "dx/inspector/dxInspRwCheck.h"

#include "dx/editors/dxEditorRoutines.h"
#include "dx/inspector/dxInspctControl.h"
#include "platform/rtl/StrUtils.h"
#include "platform/rtl/StringTable.h"

TRENVIK_IMPLEMENT_CLASS(TdxInspectorCheckEdit)
TRENVIK_PUBLISHED(TdxInspectorCheckRow) {
  P.Property("AllowGrayed", &TdxInspectorCheckRow::AllowGrayed, &TdxInspectorCheckRow::SetAllowGrayed)
      .Default(false);
  P.Property("Border3D", &TdxInspectorCheckRow::Border3D, &TdxInspectorCheckRow::SetBorder3D).Default(false);
  P.Property("ShowNullFieldStyle", &TdxInspectorCheckRow::ShowNullFieldStyle,
             &TdxInspectorCheckRow::SetShowNullFieldStyle)
      .Default(nsUnchecked);
  P.Property("Glyph", &TdxInspectorCheckRow::Glyph, &TdxInspectorCheckRow::SetGlyph)
      .Stored(&TdxInspectorCheckRow::IsGlyphStored);
  P.Property("GlyphCount", &TdxInspectorCheckRow::GlyphCount, &TdxInspectorCheckRow::SetGlyphCount)
      .Default(6);
  P.Property("ValueChecked", &TdxInspectorCheckRow::ValueChecked, &TdxInspectorCheckRow::SetValueChecked);
  P.Property("ValueGrayed", &TdxInspectorCheckRow::ValueGrayed, &TdxInspectorCheckRow::SetValueGrayed);
  P.Property("ValueUnchecked", &TdxInspectorCheckRow::ValueUnchecked,
             &TdxInspectorCheckRow::SetValueUnchecked);
}
TRENVIK_PUBLISHED(TdxInspectorTextCheckRow) {
  P.Property("Text", &TdxInspectorTextCheckRow::Text, &TdxInspectorTextCheckRow::SetText);
}

void RegisterCheckRowTexts() {
  RegisterResourceString(kCheckRowTrueTextId, u"True");
  RegisterResourceString(kCheckRowFalseTextId, u"False");
}

TdxInplaceEditClass TdxInspectorCheckEdit::StaticEditClass() {
  static const TdxEditClassOf<TdxInspectorCheckEdit, TdxCheckEditMetaClass> c("TdxInspectorCheckEdit");
  return &c;
}

TdxInspectorCheckRow::TdxInspectorCheckRow(TComponent* AOwner)
    : TdxInspectorRow(AOwner),
      valueChecked_(LoadResString(kCheckRowTrueTextId)),
      valueUnchecked_(LoadResString(kCheckRowFalseTextId)) {}

TdxInspectorCheckRow::~TdxInspectorCheckRow() = default;

TBitmap* TdxInspectorCheckRow::Glyph() {
  if (!glyph_) glyph_ = std::make_unique<TBitmap>();
  return glyph_.get();
}

void TdxInspectorCheckRow::SetGlyph(TBitmap* Value) {
  if (Value)
    Glyph()->Assign(Value);
  else
    glyph_.reset();
  Changed();
}

void TdxInspectorCheckRow::SetBorder3D(bool Value) {
  if (border3D_ == Value) return;
  border3D_ = Value;
  Changed();
}

void TdxInspectorCheckRow::SetShowNullFieldStyle(TdxShowNullFieldStyle Value) {
  if (showNullFieldStyle_ == Value) return;
  showNullFieldStyle_ = Value;
  Changed();
}

void TdxInspectorCheckRow::SetGlyphCount(int Value) {
  if (glyphCount_ == Value) return;
  glyphCount_ = Value;
  if (glyph_) Changed();
}

int TdxInspectorCheckRow::GetMinHeight(TCanvas*) {
  return HasGlyphImage() ? glyph_->Height() : dxDefaultCheckSize().cy + 2;
}

void TdxInspectorCheckRow::SetValueChecked(const String& Value) {
  if (valueChecked_ == Value) return;
  valueChecked_ = Value;
  Changed();
}

void TdxInspectorCheckRow::SetValueGrayed(const String& Value) {
  if (valueGrayed_ == Value) return;
  valueGrayed_ = Value;
  Changed();
}

void TdxInspectorCheckRow::SetValueUnchecked(const String& Value) {
  if (valueUnchecked_ == Value) return;
  valueUnchecked_ = Value;
  Changed();
}

TdxCheckBoxState TdxInspectorCheckRow::TextToState(const String& Text) const {
  if (AnsiSameText(Text, valueChecked_)) return cbsChecked;
  if (AnsiSameText(Text, valueUnchecked_)) return cbsUnchecked;
  return cbsGrayed;
}

String TdxInspectorCheckRow::StateToText(TdxCheckBoxState State) const {
  switch (State) {
    case cbsUnchecked:
      return valueUnchecked_;
    case cbsChecked:
      return valueChecked_;
    default:
      return valueGrayed_;
  }
}

void TdxInspectorCheckRow::InitEditProperties(TdxInplaceEdit* Editor) {
  inherited::InitEditProperties(Editor);
  if (auto* check = dynamic_cast<TdxInplaceCheckEdit*>(Editor)) {
    check->SetAlignment(taCenter);
    check->SetAllowGrayed(allowGrayed_);
    check->Style()->SetButtonStyle(border3D_ ? bts3D : btsSimple);
    check->SetGlyph(glyph_.get());
    check->SetGlyphCount(glyphCount_);
    check->SetNullStyle(showNullFieldStyle_);
  }
}

void TdxInspectorCheckRow::InitEditValue(TdxInplaceEdit* Editor, Variant& Value) {
  inherited::InitEditValue(Editor, Value);
  if (auto* check = dynamic_cast<TdxInplaceCheckEdit*>(Editor)) check->SetState(TextToState(GetEditText()));
}

void TdxInspectorCheckRow::SaveEditValue(TdxInplaceEdit* Editor, Variant& Value) {
  if (auto* check = dynamic_cast<TdxInplaceCheckEdit*>(Editor)) SetEditText(StateToText(check->State()));
  Value = GetEditText();
}

void TdxInspectorCheckRow::DoChange() {
  inherited::DoChange();
  if (!Inspector() || Inspector()->IsSettingUpEditor() || !OnToggleClick) return;
  if (auto* check = dynamic_cast<TdxInplaceCheckEdit*>(Inspector()->InplaceEditor()))
    OnToggleClick(this, StateToText(check->State()), check->State());
}

bool TdxInspectorCheckRow::GetHintText(bool IsValue, const RECT& TextRect, String& Text) {
  return !IsValue && inherited::GetHintText(IsValue, TextRect, Text);
}

void TdxInspectorCheckRow::PrepareViewData(TdxEditViewData* Data, const TdxInspectorCellViewData& Cell) {
  inherited::PrepareViewData(Data, Cell);
  Data->Data = static_cast<int>(TextToState(Cell.Text));
  Data->Alignment = taCenter;
  Data->ButtonStyle = border3D_ ? bts3D : btsSimple;
  if (auto* check = dynamic_cast<TdxCheckEditViewData*>(Data)) {
    check->CaptionText.clear();
    check->CheckGlyph = glyph_.get();
    check->CheckGlyphCount = glyphCount_;
    check->NullLook = showNullFieldStyle_;
  }
}

void TdxInspectorCheckRow::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TdxInspectorCheckRow*>(Source);
  if (Inspector() && source) Inspector()->BeginUpdate();
  inherited::Assign(Source);
  if (source) {
    allowGrayed_ = source->allowGrayed_;
    SetBorder3D(source->border3D_);
    SetShowNullFieldStyle(source->showNullFieldStyle_);
    if (source->glyph_) SetGlyph(source->glyph_.get());
    SetGlyphCount(source->glyphCount_);
    SetValueChecked(source->valueChecked_);
    SetValueGrayed(source->valueGrayed_);
    SetValueUnchecked(source->valueUnchecked_);
    if (Inspector()) Inspector()->EndUpdate();
  }
}

void TdxInspectorCheckRow::RestoreDefaults() {
  inherited::RestoreDefaults();
  allowGrayed_ = false;
  border3D_ = false;
  showNullFieldStyle_ = nsUnchecked;
  glyph_.reset();
  glyphCount_ = 6;
  valueChecked_ = LoadResString(kCheckRowTrueTextId);
  valueGrayed_.clear();
  valueUnchecked_ = LoadResString(kCheckRowFalseTextId);
}
