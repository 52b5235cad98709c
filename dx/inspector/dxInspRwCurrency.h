// The currency row kind: an amount kept as text, edited as a number with fixed decimals and
// painted through a display format (or NullString for no amount).
#pragma once

#include "dx/editors/dxCurrencyEdit.h"
#include "dx/inspector/dxInspRw.h"

class TdxInspectorCurrencyEdit : public TdxInplaceCurrencyEdit {
  TRENVIK_CLASS(TdxInspectorCurrencyEdit, TdxInplaceCurrencyEdit);

 public:
  explicit TdxInspectorCurrencyEdit(TComponent* AOwner) : TdxInplaceCurrencyEdit(AOwner, StaticEditClass()) {}
  static TdxInplaceEditClass StaticEditClass();
};

class TdxInspectorCurrencyRow : public TdxInspectorRow {
  TRENVIK_CLASS(TdxInspectorCurrencyRow, TdxInspectorRow);

 public:
  // Follows changed regional settings while DisplayFormat is not assigned.
  explicit TdxInspectorCurrencyRow(TComponent* AOwner);
  ~TdxInspectorCurrencyRow() override;
  unsigned DecimalPlaces() const { return decimalPlaces_; }
  void SetDecimalPlaces(unsigned Value) { decimalPlaces_ = Value; }
  bool UseThousandSeparator() const { return useThousandSeparator_; }
  void SetUseThousandSeparator(bool Value) { useThousandSeparator_ = Value; }
  // While not assigned, the system's currency format.
  const String& DisplayFormat() const { return displayFormat_; }
  void SetDisplayFormat(const String& Value);
  bool IsDisplayFormatStored() const { return displayFormatAssigned_; }
  // While not assigned, the limits are the defaults of GetDefaultMinValue/GetDefaultMaxValue.
  double MinValue() const { return min_.Get(GetDefaultMinValue()); }
  void SetMinValue(double Value);
  double MaxValue() const { return max_.Get(GetDefaultMaxValue()); }
  void SetMaxValue(double Value);
  bool IsMinValueStored() const { return min_.IsStored(GetDefaultMinValue()); }
  bool IsMaxValueStored() const { return max_.IsStored(GetDefaultMaxValue()); }
  bool Nullable() const { return nullable_; }
  void SetNullable(bool Value);
  const String& NullString() const { return nullString_; }
  void SetNullString(const String& Value);

  // The amount: Null for an empty text.
  virtual void GetValueAsVariant(Variant& Value);
  virtual double GetDefaultMinValue() const { return 0; }
  virtual double GetDefaultMaxValue() const { return 0; }

  TdxInplaceEditClass GetEditorClass() override { return TdxInspectorCurrencyEdit::StaticEditClass(); }
  void InitEditProperties(TdxInplaceEdit* Editor) override;
  void InitEditValue(TdxInplaceEdit* Editor, Variant& Value) override;
  void SaveEditValue(TdxInplaceEdit* Editor, Variant& Value) override;
  void PrepareViewData(TdxEditViewData* Data, const TdxInspectorCellViewData& Cell) override;
  void Assign(TPersistent* Source) override;
  void RestoreDefaults() override;

 private:
  unsigned decimalPlaces_ = 2;
  bool useThousandSeparator_ = false;
  void FormatSettingsChanged();

  int settingsListener_ = 0;
  String displayFormat_;
  bool displayFormatAssigned_ = false;
  TdxAssignedLimit min_;
  TdxAssignedLimit max_;
  bool nullable_ = false;
  String nullString_;
};

class TdxInspectorTextCurrencyRow : public TdxTextValueRow<TdxInspectorCurrencyRow> {
  TRENVIK_CLASS(TdxInspectorTextCurrencyRow, TdxTextValueRow<TdxInspectorCurrencyRow>);

 public:
  using TdxTextValueRow::TdxTextValueRow;
};
