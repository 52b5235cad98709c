// The date and time row kinds, their editor classes and text variants.
#pragma once

#include "dx/editors/dxDateEdit.h"
#include "dx/editors/dxTimeEdit.h"
#include "dx/inspector/dxInspRwDropDown.h"

class TdxInspectorDateEdit : public TdxInplaceDateEdit {
  TRENVIK_CLASS(TdxInspectorDateEdit, TdxInplaceDateEdit);

 public:
  explicit TdxInspectorDateEdit(TComponent* AOwner) : TdxInplaceDateEdit(AOwner, StaticEditClass()) {}
  static TdxInplaceEditClass StaticEditClass();
};

class TdxInspectorTimeEdit : public TdxInplaceTimeEdit {
  TRENVIK_CLASS(TdxInspectorTimeEdit, TdxInplaceTimeEdit);

 public:
  explicit TdxInspectorTimeEdit(TComponent* AOwner) : TdxInplaceTimeEdit(AOwner, StaticEditClass()) {}
  static TdxInplaceEditClass StaticEditClass();
};

class TdxInspectorDateRow : public TdxInspectorDropDownRow {
  TRENVIK_CLASS(TdxInspectorDateRow, TdxInspectorDropDownRow);

 public:
  using TdxInspectorDropDownRow::TdxInspectorDropDownRow;
  TDateButtons DateButtons() const { return dateButtons_; }
  void SetDateButtons(TDateButtons Value) { dateButtons_ = Value; }
  TDateOnError DateOnError() const { return dateOnError_; }
  void SetDateOnError(TDateOnError Value) { dateOnError_ = Value; }
  bool DateValidation() const { return dateValidation_; }
  void SetDateValidation(bool Value) { dateValidation_ = Value; }
  bool SaveTime() const { return saveTime_; }
  void SetSaveTime(bool Value) { saveTime_ = Value; }
  bool UseEditMask() const { return useEditMask_; }
  void SetUseEditMask(bool Value) { useEditMask_ = Value; }
  TdxDateValidateInputEvent OnDateValidateInput;

  // A required date offers no Clear button.
  virtual bool IsDateRequired() { return false; }
  virtual void DoDateValidateInput(const String& Text, TDateTime& Date, String& Message, bool& Error) {
    if (OnDateValidateInput) OnDateValidateInput(this, Text, Date, Message, Error);
  }
  TdxInplaceEditClass GetEditorClass() override { return TdxInspectorDateEdit::StaticEditClass(); }
  void InitEditProperties(TdxInplaceEdit* Editor) override;
  void Assign(TPersistent* Source) override;
  void RestoreDefaults() override;

 private:
  TDateButtons dateButtons_{btnToday, btnClear};
  TDateOnError dateOnError_ = deToday;
  bool dateValidation_ = false;
  bool saveTime_ = true;
  bool useEditMask_ = false;
};

class TdxInspectorTimeRow : public TdxInspectorRow {
  TRENVIK_CLASS(TdxInspectorTimeRow, TdxInspectorRow);

 public:
  using TdxInspectorRow::TdxInspectorRow;
  TdxTimeEditFormat TimeEditFormat() const { return timeEditFormat_; }
  void SetTimeEditFormat(TdxTimeEditFormat Value) { timeEditFormat_ = Value; }
  bool UseCtrlIncrement() const { return useCtrlIncrement_; }
  void SetUseCtrlIncrement(bool Value) { useCtrlIncrement_ = Value; }

  TdxInplaceEditClass GetEditorClass() override { return TdxInspectorTimeEdit::StaticEditClass(); }
  void InitEditProperties(TdxInplaceEdit* Editor) override;
  // A time of exactly 00:00:00 is stored as an empty text.
  void SaveEditValue(TdxInplaceEdit* Editor, Variant& Value) override;
  void Assign(TPersistent* Source) override;
  void RestoreDefaults() override;

 private:
  TdxTimeEditFormat timeEditFormat_ = tfHourMinSec;
  bool useCtrlIncrement_ = true;
};

class TdxInspectorTextDateRow : public TdxTextValueRow<TdxInspectorDateRow> {
  TRENVIK_CLASS(TdxInspectorTextDateRow, TdxTextValueRow<TdxInspectorDateRow>);

 public:
  using TdxTextValueRow::TdxTextValueRow;
};

class TdxInspectorTextTimeRow : public TdxTextValueRow<TdxInspectorTimeRow> {
  TRENVIK_CLASS(TdxInspectorTextTimeRow, TdxTextValueRow<TdxInspectorTimeRow>);

 public:
  using TdxTextValueRow::TdxTextValueRow;
};
