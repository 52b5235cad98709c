#include "dx/inspector/dxDBInspRwLookup.h"

TRENVIK_IMPLEMENT_CLASS(TdxInspectorLookupEdit)
TRENVIK_PUBLISHED(TdxInspectorLookupRow) {
  using R = TdxInspectorLookupRow;
  PublishButtonGlyph(P);
  PublishPopupPlacement(P);
  PublishDropDownSize(P, false);
  P.Property("ClearKey", &R::ClearKey, &R::SetClearKey).Default(0);
  P.Property("FieldName", &R::GetFieldName, &R::SetFieldName);
  P.Property("ListFieldName", &R::ListFieldName, &R::SetListFieldName);
  P.Property("ListFieldIndex", &R::ListFieldIndex, &R::SetListFieldIndex).Default(0);
  P.Property("ListWidth", &R::ListWidth, &R::SetListWidth).Stored(false);
  P.Property("CanDeleteText", &R::CanDeleteText, &R::SetCanDeleteText).Default(false);
  P.Event("OnCloseUp", &R::OnCloseUp);
}

TdxInplaceEditClass TdxInspectorLookupEdit::StaticEditClass() {
  static const TdxEditClassOf<TdxInspectorLookupEdit, TdxDropDownEditMetaClass> c("TdxInspectorLookupEdit");
  return &c;
}

void TdxInspectorLookupRow::InitEditProperties(TdxInplaceEdit* Editor) {
  inherited::InitEditProperties(Editor);
  auto* lookup = dynamic_cast<TdxInplaceLookupEdit*>(Editor);
  if (!lookup) return;
  lookup->ClearKey = clearKey_;
  lookup->SetField(Field());
  lookup->SetListFieldName(listFieldName_);
  lookup->CanDeleteText = canDeleteText_;
  lookup->OnLookupCloseUp = [this](TObject*, Variant& Value, bool& Accept) {
    DoLookupCloseUp(Value, Accept);
  };
}

void TdxInspectorLookupRow::SaveEditValue(TdxInplaceEdit* Editor, Variant& Value) {
  if (!Field() || !Field()->Lookup()) {
    inherited::SaveEditValue(Editor, Value);
    return;
  }
  Value = Field()->Value();
}

void TdxInspectorLookupRow::Assign(TPersistent* Source) {
  inherited::Assign(Source);
  if (auto* source = dynamic_cast<TdxInspectorLookupRow*>(Source)) {
    clearKey_ = source->clearKey_;
    listFieldName_ = source->listFieldName_;
    listFieldIndex_ = source->listFieldIndex_;
    canDeleteText_ = source->canDeleteText_;
  }
}

void TdxInspectorLookupRow::RestoreDefaults() {
  inherited::RestoreDefaults();
  listFieldName_.clear();
  listFieldIndex_ = 0;
}
