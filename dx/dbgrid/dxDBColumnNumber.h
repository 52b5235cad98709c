// The numeric column kinds, spin and currency: their limits come from the bound field unless set.
#pragma once

#include "dx/dbgrid/dxDBColumnDropDown.h"

// A value limit that reads the field's limit until it is set explicitly.
struct TdxColumnLimit {
  double Value = 0;
  bool Assigned = false;
  double Get(double FieldLimit) const { return Assigned ? Value : FieldLimit; }
  bool Set(double NewValue) {
    if (Assigned && Value == NewValue) return false;
    Value = NewValue;
    Assigned = true;
    return true;
  }
  bool operator==(const TdxColumnLimit&) const = default;
};

// The limits of the bound field: an integer field's, a float field's as its precision shows them,
// a BCD field's; 0 and 0 for others and for none.
double FieldMinValue(const TField* Field);
double FieldMaxValue(const TField* Field);

class TdxDBTreeListSpinColumn : public TdxDBTreeListColumn {
  TRENVIK_CLASS(TdxDBTreeListSpinColumn, TdxDBTreeListColumn);

 public:
  explicit TdxDBTreeListSpinColumn(TComponent* AOwner) : TdxDBTreeListColumn(AOwner) {}

  TRENVIK_COLUMN_SETTING(spin_, bool, EditorEnabled, false)
  TRENVIK_COLUMN_SETTING(spin_, double, Increment, false)
  TRENVIK_COLUMN_SETTING(spin_, TdxShowButtonStyle, ShowButtonStyle, true)
  TRENVIK_COLUMN_SETTING(spin_, bool, UseCtrlIncrement, false)
  double MinValue() const { return spin_.Min.Get(FieldMinValue(Field())); }
  void SetMinValue(double Value);
  double MaxValue() const { return spin_.Max.Get(FieldMaxValue(Field())); }
  void SetMaxValue(double Value);
  bool IsMinValueStored() const { return spin_.Min.Assigned && spin_.Min.Value != FieldMinValue(Field()); }
  bool IsMaxValueStored() const { return spin_.Max.Assigned && spin_.Max.Value != FieldMaxValue(Field()); }
  bool IsIncrementStored() const { return spin_.Increment != 1; }

  // True for the float and BCD fields, whose editor shows a floating-point value.
  bool IsFloatField() const;
  bool ShowButton(TdxTreeListNode* Node);

  void PrepareCellViewData(TdxEditViewData* ViewData, TdxTreeListNode* Node) override;

  // The custom filter dialog's value editor (dxDBColumnKindFilters.cpp).
  TdxInplaceEdit* NewFilterEdit(TComponent* Owner) override;
  void GetFilterEditValue(TdxInplaceEdit* Editor, Variant& Value, String& Text) override;
  void SetFilterEditValue(TdxInplaceEdit* Editor, const Variant& Value) override;
  TRENVIK_COLUMN_KIND_OPERATIONS(TdxInplaceDBTreeListSpinEdit);
  TRENVIK_COLUMN_KIND_VALUE_OPERATIONS;

 private:
  struct TSettings {
    bool EditorEnabled = true;
    double Increment = 1;
    TdxShowButtonStyle ShowButtonStyle = sbDefault;
    bool UseCtrlIncrement = false;
    TdxColumnLimit Min, Max;
  } spin_;
};

class TdxDBTreeListCurrencyColumn : public TdxDBTreeListColumn {
  TRENVIK_CLASS(TdxDBTreeListCurrencyColumn, TdxDBTreeListColumn);

 public:
  explicit TdxDBTreeListCurrencyColumn(TComponent* AOwner) : TdxDBTreeListColumn(AOwner) {}

  TRENVIK_COLUMN_SETTING(currency_, int, DecimalPlaces, false)
  TRENVIK_COLUMN_SETTING(currency_, bool, Nullable, false)
  TRENVIK_COLUMN_SETTING(currency_, String, NullString, false)
  TRENVIK_COLUMN_SETTING(currency_, bool, UseThousandSeparator, false)
  // The locale's currency picture until one is set.
  String DisplayFormat() const;
  void SetDisplayFormat(const String& Value);
  bool IsDisplayFormatStored() const { return currency_.DisplayFormatAssigned; }
  double MinValue() const { return currency_.Min.Get(FieldMinValue(Field())); }
  void SetMinValue(double Value);
  double MaxValue() const { return currency_.Max.Get(FieldMaxValue(Field())); }
  void SetMaxValue(double Value);
  bool IsMinValueStored() const { return MinValue() != 0; }
  bool IsMaxValueStored() const { return MaxValue() != 0; }

  // The text a cell shows for a node value: DisplayFormat applied to its number.
  String FormatCellText(const Variant& Value, const String& Text);

  bool IsValidFieldChar(Char Key) override;
  // The custom filter dialog's value editor (dxDBColumnKindFilters.cpp).
  TdxInplaceEdit* NewFilterEdit(TComponent* Owner) override;
  void GetFilterEditValue(TdxInplaceEdit* Editor, Variant& Value, String& Text) override;
  void SetFilterEditValue(TdxInplaceEdit* Editor, const Variant& Value) override;
  void Assign(TPersistent* Source) override;
  TdxInplaceEditClass GetEditorClass() override {
    return TdxInplaceDBTreeListCurrencyEdit::StaticEditClass();
  }
  void InitEditProperties(TdxInplaceEdit* Editor) override;
  void InitEditValue(TdxTreeListNode* Node, TdxInplaceEdit* Editor, Variant& Value) override;
  void SaveEditValue(TdxTreeListNode* Node, TdxInplaceEdit* Editor, Variant& Value) override;
  void PrepareCellViewData(TdxEditViewData* ViewData, TdxTreeListNode* Node) override;
  void RestoreDefaults() override;

 private:
  struct TSettings {
    int DecimalPlaces = 2;
    String DisplayFormat;
    bool DisplayFormatAssigned = false;
    bool Nullable = false;
    String NullString;
    bool UseThousandSeparator = false;
    TdxColumnLimit Min, Max;
  } currency_;
};
