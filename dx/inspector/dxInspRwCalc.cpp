#include "dx/inspector/dxInspRwCalc.h"

TRENVIK_IMPLEMENT_CLASS(TdxInspectorCalcEdit)
TRENVIK_PUBLISHED(TdxInspectorCalcRow) {
  PublishButtonGlyph(P);
  PublishPopupPlacement(P);
}
TRENVIK_PUBLISHED(TdxInspectorTextCalcRow) {
  P.Property("Text", &TdxInspectorTextCalcRow::Text, &TdxInspectorTextCalcRow::SetText);
}

TdxInplaceEditClass TdxInspectorCalcEdit::StaticEditClass() {
  static const TdxEditClassOf<TdxInspectorCalcEdit, TdxDropDownEditMetaClass> c("TdxInspectorCalcEdit");
  return &c;
}

void TdxInspectorCalcRow::InitEditProperties(TdxInplaceEdit* Editor) {
  inherited::InitEditProperties(Editor);
  if (auto* calc = dynamic_cast<TdxInplaceCalcEdit*>(Editor)) {
    calc->BeepOnError = BeepOnError;
    calc->ButtonStyle = ButtonStyle;
    calc->Precision = Precision;
    calc->ShowButtonFrame = ShowButtonFrame;
    calc->QuickClose = QuickClose;
  }
}

void TdxInspectorCalcRow::Assign(TPersistent* Source) {
  inherited::Assign(Source);
  if (auto* source = dynamic_cast<TdxInspectorCalcRow*>(Source)) {
    BeepOnError = source->BeepOnError;
    ButtonStyle = source->ButtonStyle;
    Precision = source->Precision;
    ShowButtonFrame = source->ShowButtonFrame;
    QuickClose = source->QuickClose;
  }
}

void TdxInspectorCalcRow::RestoreDefaults() {
  inherited::RestoreDefaults();
  BeepOnError = true;
  ButtonStyle = bsStandard;
  Precision = 13;
  ShowButtonFrame = false;
  QuickClose = false;
}
