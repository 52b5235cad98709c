#include "dx/inspector/dxInspRwPick.h"

TRENVIK_IMPLEMENT_CLASS(TdxInspectorPickEdit)
TRENVIK_PUBLISHED(TdxInspectorPickRow) {
  PublishButtonGlyph(P);
  PublishPopupPlacement(P);
  PublishDropDownSize(P, true);
  using R = TdxInspectorPickRow;
  P.Property("DropDownListStyle", &R::DropDownListStyle, &R::SetDropDownListStyle).Default(false);
  P.Property("Items", &R::Items, &R::SetItems);
  P.Property("CanDeleteText", &R::CanDeleteText, &R::SetCanDeleteText).Default(false);
  P.Property("Revertable", &R::Revertable, &R::SetRevertable).Default(true);
  P.Property("Sorted", &R::Sorted, &R::SetSorted).Default(false);
  P.Event("OnCloseUp", &TdxInspectorPickRow::OnCloseUp);
}
TRENVIK_PUBLISHED(TdxInspectorTextPickRow) {
  P.Property("Text", &TdxInspectorTextPickRow::Text, &TdxInspectorTextPickRow::SetText);
}

TdxInplaceEditClass TdxInspectorPickEdit::StaticEditClass() {
  static const TdxEditClassOf<TdxInspectorPickEdit, TdxDropDownEditMetaClass> c("TdxInspectorPickEdit");
  return &c;
}

TdxInspectorPickRow::TdxInspectorPickRow(TComponent* AOwner)
    : TdxInspectorDropDownRow(AOwner), items_(std::make_unique<TStringList>()) {
  SetImmediateDropDown(true);
}

TdxInspectorPickRow::~TdxInspectorPickRow() = default;

void TdxInspectorPickRow::SetItems(TStrings* Value) {
  items_->Assign(Value);
  Changed();
}

void TdxInspectorPickRow::DoCloseUp(String& Text, bool& Accept) {
  if (!OnCloseUp) return;
  Variant value = Text;
  OnCloseUp(this, value, Accept);
  Text = VarToStr(value);
}

void TdxInspectorPickRow::InitEditProperties(TdxInplaceEdit* Editor) {
  inherited::InitEditProperties(Editor);
  if (auto* pick = dynamic_cast<TdxInplacePickEdit*>(Editor)) {
    pick->SetDropDownListStyle(dropDownListStyle_);
    pick->SetSorted(sorted_);
    pick->SetItems(items_.get());
    pick->CanDeleteText = canDeleteText_;
    pick->Revertable = revertable_;
  }
}

void TdxInspectorPickRow::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TdxInspectorPickRow*>(Source);
  if (!source) {
    inherited::Assign(Source);
    return;
  }
  const TdxRowUpdateScope update(this);
  inherited::Assign(Source);
  dropDownListStyle_ = source->dropDownListStyle_;
  SetItems(source->items_.get());
  canDeleteText_ = source->canDeleteText_;
  revertable_ = source->revertable_;
  sorted_ = source->sorted_;
}

void TdxInspectorPickRow::RestoreDefaults() {
  inherited::RestoreDefaults();
  SetImmediateDropDown(DefaultImmediateDropDown());
  items_->Clear();
  dropDownListStyle_ = false;
  canDeleteText_ = false;
  revertable_ = true;
  sorted_ = false;
}
