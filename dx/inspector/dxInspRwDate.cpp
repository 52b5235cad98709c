#include "dx/inspector/dxInspRwDate.h"

#include "dx/inspector/dxInspctControl.h"

TRENVIK_IMPLEMENT_CLASS(TdxInspectorDateEdit)
TRENVIK_IMPLEMENT_CLASS(TdxInspectorTimeEdit)
TRENVIK_PUBLISHED(TdxInspectorDateRow) {
  PublishButtonGlyph(P);
  PublishPopupPlacement(P);
}
TRENVIK_IMPLEMENT_CLASS(TdxInspectorTimeRow)
TRENVIK_PUBLISHED(TdxInspectorTextDateRow) {
  P.Property("Text", &TdxInspectorTextDateRow::Text, &TdxInspectorTextDateRow::SetText);
}
TRENVIK_PUBLISHED(TdxInspectorTextTimeRow) {
  P.Property("Text", &TdxInspectorTextTimeRow::Text, &TdxInspectorTextTimeRow::SetText);
}

TdxInplaceEditClass TdxInspectorDateEdit::StaticEditClass() {
  static const TdxEditClassOf<TdxInspectorDateEdit, TdxDropDownEditMetaClass> c("TdxInspectorDateEdit");
  return &c;
}

TdxInplaceEditClass TdxInspectorTimeEdit::StaticEditClass() {
  static const TdxEditClassOf<TdxInspectorTimeEdit, TdxSpinEditMetaClass> c("TdxInspectorTimeEdit");
  return &c;
}

void TdxInspectorDateRow::InitEditProperties(TdxInplaceEdit* Editor) {
  inherited::InitEditProperties(Editor);
  if (auto* date = dynamic_cast<TdxInplaceDateEdit*>(Editor)) {
    date->DateButtons = DateButtons;
    if (IsDateRequired()) date->DateButtons.Exclude(btnClear);
    date->DateOnError = DateOnError;
    date->DateValidation = DateValidation;
    date->SaveTime = SaveTime;
    date->SetUseEditMask(UseEditMask);
  }
}

void TdxInspectorTimeRow::InitEditProperties(TdxInplaceEdit* Editor) {
  inherited::InitEditProperties(Editor);
  if (auto* time = dynamic_cast<TdxInplaceTimeEdit*>(Editor)) {
    time->SetTimeEditFormat(TimeEditFormat);
    time->UseCtrlIncrement = UseCtrlIncrement;
  }
}

void TdxInspectorTimeRow::SaveEditValue(TdxInplaceEdit* Editor, Variant& Value) {
  auto* time = dynamic_cast<TdxInplaceTimeEdit*>(Editor);
  SetEditText(time && time->GetTime() == 0 ? String() : Editor->Text());
  Value = GetEditText();
}
