#include "dx/inspector/dxInspRwDate.h"

#include "dx/inspector/dxInspctControl.h"

TRENVIK_IMPLEMENT_CLASS(TdxInspectorDateEdit)
TRENVIK_IMPLEMENT_CLASS(TdxInspectorTimeEdit)
TRENVIK_PUBLISHED(TdxInspectorDateRow) {
  using R = TdxInspectorDateRow;
  PublishButtonGlyph(P);
  PublishPopupPlacement(P);
  P.Property("DateButtons", &R::DateButtons, &R::SetDateButtons).Default(TDateButtons{btnToday, btnClear});
  P.Property("DateOnError", &R::DateOnError, &R::SetDateOnError).Default(deToday);
  P.Property("DateValidation", &R::DateValidation, &R::SetDateValidation).Default(false);
  P.Property("SaveTime", &R::SaveTime, &R::SetSaveTime).Default(true);
  P.Property("UseEditMask", &R::UseEditMask, &R::SetUseEditMask).Default(false);
  P.Event("OnDateValidateInput", &R::OnDateValidateInput);
}
TRENVIK_PUBLISHED(TdxInspectorTimeRow) {
  using R = TdxInspectorTimeRow;
  P.Property("TimeEditFormat", &R::TimeEditFormat, &R::SetTimeEditFormat).Default(tfHourMinSec);
  P.Property("UseCtrlIncrement", &R::UseCtrlIncrement, &R::SetUseCtrlIncrement).Default(true);
}
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
    date->DateButtons = dateButtons_;
    if (IsDateRequired()) date->DateButtons.Exclude(btnClear);
    date->DateOnError = dateOnError_;
    date->DateValidation = dateValidation_;
    date->SaveTime = saveTime_;
    date->SetUseEditMask(useEditMask_);
    date->OnDateValidateInput = [this](TObject*, const String& Text, TDateTime& Date, String& Message,
                                       bool& Error) { DoDateValidateInput(Text, Date, Message, Error); };
  }
}

void TdxInspectorDateRow::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TdxInspectorDateRow*>(Source);
  if (!source) {
    inherited::Assign(Source);
    return;
  }
  const TdxRowUpdateScope update(this);
  inherited::Assign(Source);
  dateButtons_ = source->dateButtons_;
  dateOnError_ = source->dateOnError_;
  dateValidation_ = source->dateValidation_;
  saveTime_ = source->saveTime_;
  useEditMask_ = source->useEditMask_;
}

void TdxInspectorDateRow::RestoreDefaults() {
  inherited::RestoreDefaults();
  dateButtons_ = TDateButtons{btnToday, btnClear};
  dateOnError_ = deToday;
  dateValidation_ = false;
  saveTime_ = true;
  useEditMask_ = false;
}

void TdxInspectorTimeRow::InitEditProperties(TdxInplaceEdit* Editor) {
  inherited::InitEditProperties(Editor);
  if (auto* time = dynamic_cast<TdxInplaceTimeEdit*>(Editor)) {
    time->SetTimeEditFormat(timeEditFormat_);
    time->UseCtrlIncrement = useCtrlIncrement_;
  }
}

void TdxInspectorTimeRow::SaveEditValue(TdxInplaceEdit* Editor, Variant& Value) {
  auto* time = dynamic_cast<TdxInplaceTimeEdit*>(Editor);
  SetEditText(time && time->GetTime() == 0 ? String() : Editor->Text());
  Value = GetEditText();
}

void TdxInspectorTimeRow::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TdxInspectorTimeRow*>(Source);
  if (!source) {
    inherited::Assign(Source);
    return;
  }
  const TdxRowUpdateScope update(this);
  inherited::Assign(Source);
  timeEditFormat_ = source->timeEditFormat_;
  useCtrlIncrement_ = source->useCtrlIncrement_;
}

void TdxInspectorTimeRow::RestoreDefaults() {
  inherited::RestoreDefaults();
  timeEditFormat_ = tfHourMinSec;
  useCtrlIncrement_ = true;
}
