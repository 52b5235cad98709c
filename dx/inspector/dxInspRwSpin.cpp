#include "dx/inspector/dxInspRwSpin.h"

#include "dx/inspector/dxInspctControl.h"

TRENVIK_IMPLEMENT_CLASS(TdxInspectorSpinEdit)
TRENVIK_IMPLEMENT_CLASS(TdxInspectorSpinRow)
TRENVIK_PUBLISHED(TdxInspectorTextSpinRow) {
  P.Property("Text", &TdxInspectorTextSpinRow::Text, &TdxInspectorTextSpinRow::SetText);
}

TdxInplaceEditClass TdxInspectorSpinEdit::StaticEditClass() {
  static const TdxEditClassOf<TdxInspectorSpinEdit, TdxSpinEditMetaClass> c("TdxInspectorSpinEdit");
  return &c;
}

void TdxInspectorSpinRow::InitEditProperties(TdxInplaceEdit* Editor) {
  inherited::InitEditProperties(Editor);
  if (auto* spin = dynamic_cast<TdxInplaceSpinEdit*>(Editor)) {
    spin->Increment = Increment;
    spin->SetValueType(ValueType);
    spin->SetMinMaxValues(MinValue, MaxValue);
  }
}

void TdxInspectorSpinRow::Assign(TPersistent* Source) {
  inherited::Assign(Source);
  if (auto* source = dynamic_cast<TdxInspectorSpinRow*>(Source)) {
    Increment = source->Increment;
    MinValue = source->MinValue;
    MaxValue = source->MaxValue;
    ValueType = source->ValueType;
  }
}

void TdxInspectorSpinRow::RestoreDefaults() {
  inherited::RestoreDefaults();
  Increment = 1.0;
  MinValue = MaxValue = 0;
  ValueType = vtInt;
}
