// The spin row kind: a number stepped by Increment between MinValue and MaxValue through the spin editor.
#pragma once

#include "dx/editors/dxSpinEdit.h"
#include "dx/inspector/dxInspRw.h"

class TdxInspectorSpinEdit : public TdxInplaceSpinEdit {
  TRENVIK_CLASS(TdxInspectorSpinEdit, TdxInplaceSpinEdit);

 public:
  explicit TdxInspectorSpinEdit(TComponent* AOwner) : TdxInplaceSpinEdit(AOwner, StaticEditClass()) {}
  static TdxInplaceEditClass StaticEditClass();
};

class TdxInspectorSpinRow : public TdxInspectorMaskRow {
  TRENVIK_CLASS(TdxInspectorSpinRow, TdxInspectorMaskRow);

 public:
  using TdxInspectorMaskRow::TdxInspectorMaskRow;
  double Increment = 1.0;
  double MinValue = 0;  // MinValue == MaxValue: no bounds
  double MaxValue = 0;
  TdxValueType ValueType = vtInt;

  TdxInplaceEditClass GetEditorClass() override { return TdxInspectorSpinEdit::StaticEditClass(); }
  void InitEditProperties(TdxInplaceEdit* Editor) override;
  void Assign(TPersistent* Source) override;
  void RestoreDefaults() override;
};

class TdxInspectorTextSpinRow : public TdxTextValueRow<TdxInspectorSpinRow> {
  TRENVIK_CLASS(TdxInspectorTextSpinRow, TdxTextValueRow<TdxInspectorSpinRow>);

 public:
  using TdxTextValueRow::TdxTextValueRow;
};
