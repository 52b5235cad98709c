// The calculator row kind: a number typed or worked out on a drop-down calculator.
#pragma once

#include "dx/editors/dxCalculator.h"
#include "dx/inspector/dxInspRwDropDown.h"

class TdxInspectorCalcEdit : public TdxInplaceCalcEdit {
  TRENVIK_CLASS(TdxInspectorCalcEdit, TdxInplaceCalcEdit);

 public:
  explicit TdxInspectorCalcEdit(TComponent* AOwner) : TdxInplaceCalcEdit(AOwner, StaticEditClass()) {}
  static TdxInplaceEditClass StaticEditClass();
};

class TdxInspectorCalcRow : public TdxInspectorDropDownRow {
  TRENVIK_CLASS(TdxInspectorCalcRow, TdxInspectorDropDownRow);

 public:
  using TdxInspectorDropDownRow::TdxInspectorDropDownRow;
  bool BeepOnError() const { return beepOnError_; }
  void SetBeepOnError(bool Value) { beepOnError_ = Value; }
  TdxCalcButtonStyle ButtonStyle() const { return buttonStyle_; }
  void SetButtonStyle(TdxCalcButtonStyle Value) { buttonStyle_ = Value; }
  Byte Precision() const { return precision_; }
  void SetPrecision(Byte Value) { precision_ = Value; }
  bool ShowButtonFrame() const { return showButtonFrame_; }
  void SetShowButtonFrame(bool Value) { showButtonFrame_ = Value; }
  bool QuickClose() const { return quickClose_; }
  void SetQuickClose(bool Value) { quickClose_ = Value; }

  TdxInplaceEditClass GetEditorClass() override { return TdxInspectorCalcEdit::StaticEditClass(); }
  void InitEditProperties(TdxInplaceEdit* Editor) override;
  void Assign(TPersistent* Source) override;
  void RestoreDefaults() override;

 private:
  bool beepOnError_ = true;
  TdxCalcButtonStyle buttonStyle_ = bsStandard;
  Byte precision_ = 13;
  bool showButtonFrame_ = false;
  bool quickClose_ = false;
};

class TdxInspectorTextCalcRow : public TdxTextValueRow<TdxInspectorCalcRow> {
  TRENVIK_CLASS(TdxInspectorTextCalcRow, TdxTextValueRow<TdxInspectorCalcRow>);

 public:
  using TdxTextValueRow::TdxTextValueRow;
};
