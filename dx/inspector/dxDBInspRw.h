// Data-bound row kinds: the mask and memo kinds reading and writing a dataset field.
#pragma once

#include "dx/inspector/dxDBInsp.h"
#include "dx/inspector/dxInspRw.h"
#include "dx/inspector/dxInspRwCheck.h"
#include "dx/inspector/dxInspRwDate.h"
#include "dx/inspector/dxInspRwSpin.h"

class TdxInspectorDBMaskRow : public TdxFieldBoundRow<TdxInspectorMaskRow> {
  TRENVIK_CLASS(TdxInspectorDBMaskRow, TdxFieldBoundRow<TdxInspectorMaskRow>);

 public:
  using TdxFieldBoundRow::TdxFieldBoundRow;
  String GetDefaultEditMask() override { return Field() ? Field()->EditMask() : String(); }
};

class TdxInspectorDBMemoRow : public TdxFieldBoundRow<TdxInspectorMemoRow> {
  TRENVIK_CLASS(TdxInspectorDBMemoRow, TdxFieldBoundRow<TdxInspectorMemoRow>);

 public:
  using TdxFieldBoundRow::TdxFieldBoundRow;
  // The whole field text, not its display text.
  String GetEditText() override { return IsLinkActive() ? Field()->AsString() : String(); }
  String GetMemoText() override { return Field() ? GetEditText() : String(); }
  String GetEditMask() override { return String(); }

 protected:
  bool AllowsBlobs() override { return true; }
};

class TdxInspectorDBDateRow : public TdxFieldBoundRow<TdxInspectorDateRow> {
  TRENVIK_CLASS(TdxInspectorDBDateRow, TdxFieldBoundRow<TdxInspectorDateRow>);

 public:
  using TdxFieldBoundRow::TdxFieldBoundRow;
  void SaveEditValue(TdxInplaceEdit* Editor, Variant& Value) override;
  void InitEditValue(TdxInplaceEdit* Editor, Variant& Value) override;
  bool IsValueEqual(const Variant& Value) override;
  bool IsDateRequired() override { return Field() && Field()->Required(); }
};

class TdxInspectorDBTimeRow : public TdxFieldBoundRow<TdxInspectorTimeRow> {
  TRENVIK_CLASS(TdxInspectorDBTimeRow, TdxFieldBoundRow<TdxInspectorTimeRow>);

 public:
  using TdxFieldBoundRow::TdxFieldBoundRow;
  String GetEditText() override;
  void SaveEditValue(TdxInplaceEdit* Editor, Variant& Value) override;
  void InitEditValue(TdxInplaceEdit* Editor, Variant& Value) override;
  // The editor's start value is a time of day: compared with the field's time of day, so a row
  // that was just loaded equals its start value and a refresh keeps what the user typed.
  bool IsValueEqual(const Variant& Value) override;
};

class TdxInspectorDBCheckRow : public TdxFieldBoundRow<TdxInspectorCheckRow> {
  TRENVIK_CLASS(TdxInspectorDBCheckRow, TdxFieldBoundRow<TdxInspectorCheckRow>);

 public:
  using TdxFieldBoundRow::TdxFieldBoundRow;
};

// Fills the default row classes per field type with the kinds built so far (priority 1).
void RegisterDefaultDBRowKinds();

class TdxInspectorDBSpinRow : public TdxFieldBoundRow<TdxInspectorSpinRow> {
  TRENVIK_CLASS(TdxInspectorDBSpinRow, TdxFieldBoundRow<TdxInspectorSpinRow>);

 public:
  using TdxFieldBoundRow::TdxFieldBoundRow;
  double GetDefaultMinValue() override { return FieldDefaultMinValue(Field()); }
  double GetDefaultMaxValue() override { return FieldDefaultMaxValue(Field()); }
  TdxValueType GetValueType() override;
};
