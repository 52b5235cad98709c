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
  bool EditorEnabled() const { return editorEnabled_; }
  void SetEditorEnabled(bool Value) { editorEnabled_ = Value; }
  double Increment() const { return increment_; }
  void SetIncrement(double Value) { increment_ = Value; }
  bool UseCtrlIncrement() const { return useCtrlIncrement_; }
  void SetUseCtrlIncrement(bool Value) { useCtrlIncrement_ = Value; }
  // While not assigned, the limits are the defaults of GetDefaultMinValue/GetDefaultMaxValue.
  double MinValue() const { return min_.Get(GetDefaultMinValue()); }
  void SetMinValue(double Value);
  double MaxValue() const { return max_.Get(GetDefaultMaxValue()); }
  void SetMaxValue(double Value);
  bool IsMinValueStored() const { return min_.IsStored(GetDefaultMinValue()); }
  bool IsMaxValueStored() const { return max_.IsStored(GetDefaultMaxValue()); }

  virtual double GetDefaultMinValue() const { return 0; }
  virtual double GetDefaultMaxValue() const { return 0; }
  virtual TdxValueType GetValueType() { return vtInt; }

  TdxInplaceEditClass GetEditorClass() override { return TdxInspectorSpinEdit::StaticEditClass(); }
  void InitEditProperties(TdxInplaceEdit* Editor) override;
  void InitEditValue(TdxInplaceEdit* Editor, Variant& Value) override;
  void SaveEditValue(TdxInplaceEdit* Editor, Variant& Value) override;
  void PrepareViewData(TdxEditViewData* Data, const TdxInspectorCellViewData& Cell) override;
  void Assign(TPersistent* Source) override;
  void RestoreDefaults() override;

 private:
  bool editorEnabled_ = true;
  double increment_ = 1.0;
  bool useCtrlIncrement_ = true;
  TdxAssignedLimit min_;
  TdxAssignedLimit max_;
};

class TdxInspectorTextSpinRow : public TdxTextValueRow<TdxInspectorSpinRow> {
  TRENVIK_CLASS(TdxInspectorTextSpinRow, TdxTextValueRow<TdxInspectorSpinRow>);

 public:
  using TdxTextValueRow::TdxTextValueRow;
  TdxValueType ValueType() const { return valueType_; }
  void SetValueType(TdxValueType Value) { valueType_ = Value; }
  TdxValueType GetValueType() override { return valueType_; }
  void Assign(TPersistent* Source) override;
  void RestoreDefaults() override;

 private:
  TdxValueType valueType_ = vtInt;
};

class TField;

// A spin row on a dataset field: its limits (while not assigned) and value type come from the field.
double FieldDefaultMinValue(TField* Field);
double FieldDefaultMaxValue(TField* Field);
