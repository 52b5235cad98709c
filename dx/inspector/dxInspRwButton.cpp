#include "dx/inspector/dxInspRwButton.h"

#include "dx/inspector/dxInspctControl.h"
#include "platform/forms/Graphic.h"

TRENVIK_IMPLEMENT_CLASS(TdxInspectorButtonEdit)
TRENVIK_IMPLEMENT_CLASS(TdxRowEditButtons)
TRENVIK_PUBLISHED(TdxInspectorButtonRow) {
  PublishButtonGlyph(P);
  PublishPopupPlacement(P);
  P.Property("ButtonOnly", &TdxInspectorButtonRow::ButtonOnly, &TdxInspectorButtonRow::SetButtonOnly)
      .Default(false);
  P.Property("Buttons", &TdxInspectorButtonRow::Buttons, &TdxInspectorButtonRow::SetButtons);
  P.Property("EditButtonStyle", &TdxInspectorButtonRow::EditButtonStyle,
             &TdxInspectorButtonRow::SetEditButtonStyle)
      .Default(ebsEllipsis);
  P.Property("ClickKey", &TdxInspectorButtonRow::ClickKey, &TdxInspectorButtonRow::SetClickKey)
      .Default(scCtrl | VK_RETURN);
  P.Property("Glyph", &TdxInspectorButtonRow::Glyph, &TdxInspectorButtonRow::SetGlyph);
  P.Property("HideEditCursor", &TdxInspectorButtonRow::HideEditCursor,
             &TdxInspectorButtonRow::SetHideEditCursor)
      .Default(false);
  P.Event("OnButtonClick", &TdxInspectorButtonRow::OnButtonClick);
}
TRENVIK_PUBLISHED(TdxInspectorTextButtonRow) {
  P.Property("Text", &TdxInspectorTextButtonRow::Text, &TdxInspectorTextButtonRow::SetText);
}

TdxInplaceEditClass TdxInspectorButtonEdit::StaticEditClass() {
  static const TdxEditClassOf<TdxInspectorButtonEdit, TdxButtonEditMetaClass> c("TdxInspectorButtonEdit");
  return &c;
}

void TdxRowEditButtons::Update(TCollectionItem* Item) {
  inherited::Update(Item);
  if (auto* row = dynamic_cast<TdxInspectorButtonRow*>(GetOwner())) row->Changed();
}

TdxInspectorButtonRow::TdxInspectorButtonRow(TComponent* AOwner)
    : TdxInspectorDropDownRow(AOwner),
      buttons_(std::make_unique<TdxRowEditButtons>(this)),
      glyph_(std::make_unique<TBitmap>()) {
  buttons_->Add();
}

TdxInspectorButtonRow::~TdxInspectorButtonRow() = default;

void TdxInspectorButtonRow::SetButtonOnly(bool Value) {
  if (buttonOnly_ == Value) return;
  buttonOnly_ = Value;
  Changed();
}

void TdxInspectorButtonRow::SetHideEditCursor(bool Value) {
  if (hideEditCursor_ == Value) return;
  hideEditCursor_ = Value;
  Changed();
}

void TdxInspectorButtonRow::SetEditButtonStyle(TdxEditButtonStyle Value) {
  editButtonStyle_ = Value;
  if (Value == ebsSimple) {
    buttons_->Clear();
  } else {
    if (buttons_->Count() == 0) buttons_->Add();
    static constexpr TdxEditButtonKind kKinds[] = {bkEllipsis, bkEllipsis, bkDown, bkGlyph};
    buttons_->GetItem(0)->SetKind(kKinds[Value]);
  }
  Changed();
}

void TdxInspectorButtonRow::SetGlyph(TBitmap* Value) {
  glyph_->Assign(Value);
  if (buttons_->Count() > 0) buttons_->GetItem(0)->SetGlyph(glyph_.get());
}

void TdxInspectorButtonRow::InitEditProperties(TdxInplaceEdit* Editor) {
  inherited::InitEditProperties(Editor);
  auto* button = dynamic_cast<TdxInplaceButtonEdit*>(Editor);
  if (!button) return;
  button->SetButtons(buttons_.get());
  button->ClickKey = clickKey_;
  button->SetTextMode(buttonOnly_ ? 2 : hideEditCursor_ ? 1 : 0);
  button->OnButtonClick = [this](TObject*, int AbsoluteIndex) { DoButtonClick(AbsoluteIndex); };
}

void TdxInspectorButtonRow::PrepareViewData(TdxEditViewData* Data, const TdxInspectorCellViewData& Cell) {
  inherited::PrepareViewData(Data, Cell);
  if (auto* button = dynamic_cast<TdxButtonEditViewData*>(Data)) {
    button->ButtonsOnly = false;
    button->ButtonList = buttons_.get();
  }
}

void TdxInspectorButtonRow::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TdxInspectorButtonRow*>(Source);
  if (!source) {
    inherited::Assign(Source);
    return;
  }
  const TdxRowUpdateScope update(this);
  inherited::Assign(Source);
  SetButtonOnly(source->buttonOnly_);
  SetButtons(source->buttons_.get());
  editButtonStyle_ = source->editButtonStyle_;
  clickKey_ = source->clickKey_;
  glyph_->Assign(source->glyph_.get());
  SetHideEditCursor(source->hideEditCursor_);
}

void TdxInspectorButtonRow::RestoreDefaults() {
  inherited::RestoreDefaults();
  buttons_->BeginUpdate();
  buttons_->RestoreDefaults();
  buttons_->Clear();
  buttons_->Add();
  buttons_->EndUpdate();
  glyph_->Assign(nullptr);
  buttonOnly_ = false;
  editButtonStyle_ = ebsEllipsis;
  clickKey_ = scCtrl | VK_RETURN;
  hideEditCursor_ = false;
}
