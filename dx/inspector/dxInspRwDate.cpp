#include "dx/inspector/dxInspRwDate.h"

#include "dx/inspector/dxInspctControl.h"

TRENVIK_IMPLEMENT_CLASS(TdxInspectorDateEdit)
TRENVIK_IMPLEMENT_CLASS(TdxInspectorTimeEdit)
TRENVIK_PUBLISHED(TdxInspectorDropDownRow) {
  P.Event("OnEditButtonClick", &TdxInspectorDropDownRow::OnEditButtonClick);
}
TRENVIK_IMPLEMENT_CLASS(TdxInspectorDateRow)
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

void TdxInspectorDropDownRow::InitEditProperties(TdxInplaceEdit* Editor) {
  inherited::InitEditProperties(Editor);
  if (auto* dropDown = dynamic_cast<TdxInplaceDropDownEdit*>(Editor)) {
    dropDown->DropDownRows = dropDownRows_;
    dropDown->DropDownWidth = dropDownWidth_;
    dropDown->ImmediateDropDown = immediateDropDown_;
    dropDown->OnEditButtonClick = [this](TObject*) { DoEditButtonClick(); };
  }
}

void TdxInspectorDropDownRow::Assign(TPersistent* Source) {
  inherited::Assign(Source);
  if (auto* source = dynamic_cast<TdxInspectorDropDownRow*>(Source)) {
    dropDownRows_ = source->dropDownRows_;
    dropDownWidth_ = source->dropDownWidth_;
    immediateDropDown_ = source->immediateDropDown_;
  }
}

void TdxInspectorDropDownRow::RestoreDefaults() {
  inherited::RestoreDefaults();
  dropDownRows_ = 7;
  dropDownWidth_ = 0;
  immediateDropDown_ = false;
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
