// Data-bound row kinds: each kind reading and writing a dataset field.
#pragma once

#include "dx/inspector/dxDBInsp.h"
#include "dx/inspector/dxInspRw.h"
#include "dx/inspector/dxInspRwButton.h"
#include "dx/inspector/dxInspRwCalc.h"
#include "dx/inspector/dxInspRwCheck.h"
#include "dx/inspector/dxInspRwCurrency.h"
#include "dx/inspector/dxInspRwDate.h"
#include "dx/inspector/dxInspRwHyperLink.h"
#include "dx/inspector/dxInspRwImage.h"
#include "dx/inspector/dxInspRwMRU.h"
#include "dx/inspector/dxInspRwPopup.h"
#include "dx/inspector/dxInspRwSpin.h"

class TdxInspectorDBMaskRow : public TdxFieldBoundRow<TdxInspectorMaskRow> {
  TRENVIK_CLASS(TdxInspectorDBMaskRow, TdxFieldBoundRow<TdxInspectorMaskRow>);

 public:
  using TdxFieldBoundRow::TdxFieldBoundRow;
  String GetDefaultEditMask() const override { return Field() ? Field()->EditMask() : String(); }
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

// Fills the default row classes per field type (and for lookup fields) with the data-bound kinds
// (priority 1).
void RegisterDefaultDBRowKinds();

class TdxInspectorDBSpinRow : public TdxFieldBoundRow<TdxInspectorSpinRow> {
  TRENVIK_CLASS(TdxInspectorDBSpinRow, TdxFieldBoundRow<TdxInspectorSpinRow>);

 public:
  using TdxFieldBoundRow::TdxFieldBoundRow;
  double GetDefaultMinValue() const override { return FieldDefaultMinValue(Field()); }
  double GetDefaultMaxValue() const override { return FieldDefaultMaxValue(Field()); }
  TdxValueType GetValueType() override;
};

// The kinds whose value is the field's text, unchanged.
class TdxInspectorDBCalcRow : public TdxFieldBoundRow<TdxInspectorCalcRow> {
  TRENVIK_CLASS(TdxInspectorDBCalcRow, TdxFieldBoundRow<TdxInspectorCalcRow>);

 public:
  using TdxFieldBoundRow::TdxFieldBoundRow;
};

class TdxInspectorDBButtonRow : public TdxFieldBoundRow<TdxInspectorButtonRow> {
  TRENVIK_CLASS(TdxInspectorDBButtonRow, TdxFieldBoundRow<TdxInspectorButtonRow>);

 public:
  using TdxFieldBoundRow::TdxFieldBoundRow;
};

class TdxInspectorDBPickRow : public TdxFieldBoundRow<TdxInspectorPickRow> {
  TRENVIK_CLASS(TdxInspectorDBPickRow, TdxFieldBoundRow<TdxInspectorPickRow>);

 public:
  using TdxFieldBoundRow::TdxFieldBoundRow;
};

class TdxInspectorDBImageRow : public TdxFieldBoundRow<TdxInspectorImageRow> {
  TRENVIK_CLASS(TdxInspectorDBImageRow, TdxFieldBoundRow<TdxInspectorImageRow>);

 public:
  using TdxFieldBoundRow::TdxFieldBoundRow;
};

class TdxInspectorDBHyperLinkRow : public TdxFieldBoundRow<TdxInspectorHyperLinkRow> {
  TRENVIK_CLASS(TdxInspectorDBHyperLinkRow, TdxFieldBoundRow<TdxInspectorHyperLinkRow>);

 public:
  using TdxFieldBoundRow::TdxFieldBoundRow;
};

class TdxInspectorDBPopupRow : public TdxFieldBoundRow<TdxInspectorPopupRow> {
  TRENVIK_CLASS(TdxInspectorDBPopupRow, TdxFieldBoundRow<TdxInspectorPopupRow>);

 public:
  using TdxFieldBoundRow::TdxFieldBoundRow;
};

class TdxInspectorDBMRURow : public TdxFieldBoundRow<TdxInspectorMRURow> {
  TRENVIK_CLASS(TdxInspectorDBMRURow, TdxFieldBoundRow<TdxInspectorMRURow>);

 public:
  using TdxFieldBoundRow::TdxFieldBoundRow;
};

class TdxInspectorDBCurrencyRow : public TdxFieldBoundRow<TdxInspectorCurrencyRow> {
  TRENVIK_CLASS(TdxInspectorDBCurrencyRow, TdxFieldBoundRow<TdxInspectorCurrencyRow>);

 public:
  using TdxFieldBoundRow::TdxFieldBoundRow;
  double GetDefaultMinValue() const override { return FieldDefaultMinValue(Field()); }
  double GetDefaultMaxValue() const override { return FieldDefaultMaxValue(Field()); }
  // The field's value (0 without a field).
  void GetValueAsVariant(Variant& Value) override { Value = Field() ? Field()->Value() : Variant(0); }
  // The thousands separator too.
  bool IsValidChar(Char Key) override;
};
