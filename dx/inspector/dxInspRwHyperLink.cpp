#include "dx/inspector/dxInspRwHyperLink.h"

TRENVIK_IMPLEMENT_CLASS(TdxInspectorHyperLinkEdit)
TRENVIK_PUBLISHED(TdxInspectorHyperLinkRow) {
  P.Property("EditBackgroundColor", &TdxInspectorHyperLinkRow::EditBackgroundColor,
             &TdxInspectorHyperLinkRow::SetEditBackgroundColor)
      .Default(clWhite);
  P.Property("EditFontColor", &TdxInspectorHyperLinkRow::EditFontColor,
             &TdxInspectorHyperLinkRow::SetEditFontColor)
      .Default(clBlue);
  P.Property("SingleClick", &TdxInspectorHyperLinkRow::SingleClick, &TdxInspectorHyperLinkRow::SetSingleClick)
      .Default(false);
  P.Property("StartKey", &TdxInspectorHyperLinkRow::StartKey, &TdxInspectorHyperLinkRow::SetStartKey)
      .Default(scCtrl | VK_RETURN);
  P.Event("OnStartClick", &TdxInspectorHyperLinkRow::OnStartClick);
}
TRENVIK_PUBLISHED(TdxInspectorTextHyperLinkRow) {
  P.Property("Text", &TdxInspectorTextHyperLinkRow::Text, &TdxInspectorTextHyperLinkRow::SetText);
}

TdxInplaceEditClass TdxInspectorHyperLinkEdit::StaticEditClass() {
  static const TdxEditClassOf<TdxInspectorHyperLinkEdit, TdxHyperLinkEditMetaClass> c(
      "TdxInspectorHyperLinkEdit");
  return &c;
}

TdxInspectorHyperLinkRow::TdxInspectorHyperLinkRow(TComponent* AOwner)
    : TdxInspectorRow(AOwner), linkFont_(std::make_unique<TFont>()) {
  UpdateLinkFont();
}

TdxInspectorHyperLinkRow::~TdxInspectorHyperLinkRow() = default;

void TdxInspectorHyperLinkRow::UpdateLinkFont() {
  TFontStyles style = linkFont_->Style();
  style.Include(fsUnderline);
  linkFont_->SetStyle(style);
  linkFont_->SetColor(singleClick_ ? editFontColor_ : clDefault);
}

void TdxInspectorHyperLinkRow::SetEditBackgroundColor(TColor Value) {
  if (editBackgroundColor_ == Value) return;
  editBackgroundColor_ = Value;
  UpdateLinkFont();
  Changed();
}

void TdxInspectorHyperLinkRow::SetEditFontColor(TColor Value) {
  if (editFontColor_ == Value) return;
  editFontColor_ = Value;
  UpdateLinkFont();
  Changed();
}

void TdxInspectorHyperLinkRow::SetSingleClick(bool Value) {
  if (singleClick_ == Value) return;
  singleClick_ = Value;
  UpdateLinkFont();
  Changed();
}

void TdxInspectorHyperLinkRow::InitEditProperties(TdxInplaceEdit* Editor) {
  inherited::InitEditProperties(Editor);
  auto* link = dynamic_cast<TdxInplaceHyperLinkEdit*>(Editor);
  if (!link) return;
  link->SetColor(editBackgroundColor_);
  link->SetLinkColor(editFontColor_);
  link->SingleClick = singleClick_;
  link->StartKey = startKey_;
  if (OnStartClick)
    link->OnStartLink = [this](TObject*) { DoStartClick(); };
  else
    link->OnStartLink = nullptr;
}

void TdxInspectorHyperLinkRow::PrepareViewData(TdxEditViewData* Data, const TdxInspectorCellViewData& Cell) {
  inherited::PrepareViewData(Data, Cell);
  Data->Font = linkFont_->Handle();
  if (linkFont_->Color() != clDefault && !Cell.Measuring) Data->TextColor = linkFont_->Color();
}

void TdxInspectorHyperLinkRow::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TdxInspectorHyperLinkRow*>(Source);
  if (!source) {
    inherited::Assign(Source);
    return;
  }
  const TdxRowUpdateScope update(this);
  inherited::Assign(Source);
  SetEditBackgroundColor(source->editBackgroundColor_);
  SetEditFontColor(source->editFontColor_);
  SetSingleClick(source->singleClick_);
  startKey_ = source->startKey_;
}

void TdxInspectorHyperLinkRow::RestoreDefaults() {
  inherited::RestoreDefaults();
  editBackgroundColor_ = clWhite;
  editFontColor_ = clBlue;
  singleClick_ = false;
  startKey_ = scCtrl | VK_RETURN;
  UpdateLinkFont();
}
