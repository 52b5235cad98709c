#include "dx/inspector/dxInspRwPick.h"

TRENVIK_IMPLEMENT_CLASS(TdxInspectorPickEdit)
TRENVIK_PUBLISHED(TdxInspectorPickRow) {
  PublishButtonGlyph(P);
  PublishPopupPlacement(P);
  PublishDropDownSize(P, true);
  P.Property("Items", &TdxInspectorPickRow::Items, &TdxInspectorPickRow::SetItems);
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
    pick->SetDropDownListStyle(DropDownListStyle);
    pick->SetSorted(Sorted);
    pick->SetItems(items_.get());
    pick->CanDeleteText = CanDeleteText;
    pick->Revertable = Revertable;
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
  DropDownListStyle = source->DropDownListStyle;
  SetItems(source->items_.get());
  CanDeleteText = source->CanDeleteText;
  Revertable = source->Revertable;
  Sorted = source->Sorted;
}

void TdxInspectorPickRow::RestoreDefaults() {
  inherited::RestoreDefaults();
  SetImmediateDropDown(DefaultImmediateDropDown());
  items_->Clear();
  DropDownListStyle = false;
  CanDeleteText = false;
  Revertable = true;
  Sorted = false;
}
