#include "dx/inspector/dxInspRwCalc.h"

TRENVIK_IMPLEMENT_CLASS(TdxInspectorCalcEdit)
TRENVIK_PUBLISHED(TdxInspectorCalcRow) {
  using R = TdxInspectorCalcRow;
  PublishButtonGlyph(P);
  PublishPopupPlacement(P);
  P.Property("BeepOnError", &R::BeepOnError, &R::SetBeepOnError).Default(true);
  P.Property("ButtonStyle", &R::ButtonStyle, &R::SetButtonStyle).Default(bsStandard);
  P.Property("Precision", &R::Precision, &R::SetPrecision).Default(13);
  P.Property("ShowButtonFrame", &R::ShowButtonFrame, &R::SetShowButtonFrame).Default(false);
  P.Property("QuickClose", &R::QuickClose, &R::SetQuickClose).Default(false);
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
    calc->BeepOnError = beepOnError_;
    calc->ButtonStyle = buttonStyle_;
    calc->Precision = precision_;
    calc->ShowButtonFrame = showButtonFrame_;
    calc->QuickClose = quickClose_;
  }
}

void TdxInspectorCalcRow::Assign(TPersistent* Source) {
  inherited::Assign(Source);
  if (auto* source = dynamic_cast<TdxInspectorCalcRow*>(Source)) {
    beepOnError_ = source->beepOnError_;
    buttonStyle_ = source->buttonStyle_;
    precision_ = source->precision_;
    showButtonFrame_ = source->showButtonFrame_;
    quickClose_ = source->quickClose_;
  }
}

void TdxInspectorCalcRow::RestoreDefaults() {
  inherited::RestoreDefaults();
  beepOnError_ = true;
  buttonStyle_ = bsStandard;
  precision_ = 13;
  showButtonFrame_ = false;
  quickClose_ = false;
}
