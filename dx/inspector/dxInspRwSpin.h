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

class TdxInspectorSpinRow : public TdxInspectorRow {
  TRENVIK_CLASS(TdxInspectorSpinRow, TdxInspectorRow);

 public:
  using TdxInspectorRow::TdxInspectorRow;
  bool EditorEnabled = true;
  double Increment = 1.0;
  bool UseCtrlIncrement = true;
  // While not assigned, the limits are the defaults of GetDefaultMinValue/GetDefaultMaxValue.
  double MinValue() { return minAssigned_ ? min_ : GetDefaultMinValue(); }
  void SetMinValue(double Value);
  double MaxValue() { return maxAssigned_ ? max_ : GetDefaultMaxValue(); }
  void SetMaxValue(double Value);
  bool IsMinValueStored() { return minAssigned_ && min_ != GetDefaultMinValue(); }
  bool IsMaxValueStored() { return maxAssigned_ && max_ != GetDefaultMaxValue(); }

  virtual double GetDefaultMinValue() { return 0; }
  virtual double GetDefaultMaxValue() { return 0; }
  virtual TdxValueType GetValueType() { return vtInt; }

  TdxInplaceEditClass GetEditorClass() override { return TdxInspectorSpinEdit::StaticEditClass(); }
  void InitEditProperties(TdxInplaceEdit* Editor) override;
  void InitEditValue(TdxInplaceEdit* Editor, Variant& Value) override;
  void SaveEditValue(TdxInplaceEdit* Editor, Variant& Value) override;
  void PrepareViewData(TdxEditViewData* Data, const TdxInspectorCellViewData& Cell) override;
  void Assign(TPersistent* Source) override;
  void RestoreDefaults() override;

 private:
  double min_ = 0;
  double max_ = 0;
  bool minAssigned_ = false;
  bool maxAssigned_ = false;
};

class TdxInspectorTextSpinRow : public TdxTextValueRow<TdxInspectorSpinRow> {
  TRENVIK_CLASS(TdxInspectorTextSpinRow, TdxTextValueRow<TdxInspectorSpinRow>);

 public:
  using TdxTextValueRow::TdxTextValueRow;
  TdxValueType ValueType = vtInt;
  TdxValueType GetValueType() override { return ValueType; }
  void Assign(TPersistent* Source) override;
  void RestoreDefaults() override;
};

class TField;

// A spin row on a dataset field: its limits (while not assigned) and value type come from the field.
double FieldDefaultMinValue(TField* Field);
double FieldDefaultMaxValue(TField* Field);
