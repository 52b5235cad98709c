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
  bool BeepOnError = true;
  TdxCalcButtonStyle ButtonStyle = bsStandard;
  Byte Precision = 13;
  bool ShowButtonFrame = false;
  bool QuickClose = false;

  TdxInplaceEditClass GetEditorClass() override { return TdxInspectorCalcEdit::StaticEditClass(); }
  void InitEditProperties(TdxInplaceEdit* Editor) override;
  void Assign(TPersistent* Source) override;
  void RestoreDefaults() override;
};

class TdxInspectorTextCalcRow : public TdxTextValueRow<TdxInspectorCalcRow> {
  TRENVIK_CLASS(TdxInspectorTextCalcRow, TdxTextValueRow<TdxInspectorCalcRow>);

 public:
  using TdxTextValueRow::TdxTextValueRow;
};
