// The currency edit: a text editor for an amount; focused it shows the plain number and takes only
// keys that keep it a number with at most DecimalPlaces decimals, unfocused it shows the value in
// its display format (by default the regional currency format) or NullString.
#pragma once

#include "cx/editors/cxFormats.h"
#include "cx/editors/cxTextEdit.h"

// The text as a number: thousand separators removed; false (and 0) when it is no finite double.
bool cxCurrencyTextToNumber(const String& AText, double& AValue);

class TcxCurrencyEditPropertiesValues : public TcxTextEditPropertiesValues {
  TRENVIK_CLASS(TcxCurrencyEditPropertiesValues, TcxTextEditPropertiesValues);

 public:
  explicit TcxCurrencyEditPropertiesValues(TPersistent* AOwner) : TcxTextEditPropertiesValues(AOwner) {}
  void Assign(TPersistent* Source) override;
  void RestoreDefaults() override;

  bool DisplayFormat = false;
};

class TcxCustomCurrencyEditProperties : public TcxCustomTextEditProperties {
  TRENVIK_CLASS(TcxCustomCurrencyEditProperties, TcxCustomTextEditProperties);

 public:
  explicit TcxCustomCurrencyEditProperties(TPersistent* AOwner);

  void Assign(TPersistent* Source) override;

  int DecimalPlaces() const { return decimalPlaces_; }
  void SetDecimalPlaces(int Value);
  // The assigned format, else the data source's, else the regional currency format, read afresh.
  String DisplayFormat();
  void SetDisplayFormat(const String& Value);
  bool IsDisplayFormatStored() const { return CurrencyValues()->DisplayFormat; }
  bool Nullable() const { return nullable_; }
  void SetNullable(bool Value);
  const String& NullString() const { return nullString_; }
  void SetNullString(const String& Value);
  bool UseThousandSeparator() const { return useThousandSeparator_; }
  void SetUseThousandSeparator(bool Value);

  TcxCurrencyEditPropertiesValues* CurrencyValues() const {
    return static_cast<TcxCurrencyEditPropertiesValues*>(AssignedValues());
  }

  TClass GetAssignedValuesClass() override { return TcxCurrencyEditPropertiesValues::StaticClass(); }
  TClass GetContainerClass() override;
  TcxEditDisplayFormatOptions GetDisplayFormatSupport() override { return {dfoSupports}; }
  bool SupportsValueBounds() override { return true; }
  bool IsDisplayValueValid(Variant&, bool) override { return true; }
  void ValidateDisplayValue(Variant& DisplayValue, String& ErrorText, bool& Error, TcxCustomEdit* AEdit) override;
  void PrepareDisplayValue(const Variant& AEditValue, Variant& DisplayValue, bool AEditFocused) override;

 private:
  int decimalPlaces_ = 2;
  String displayFormat_;
  bool nullable_ = true;
  String nullString_;
  bool useThousandSeparator_ = false;
};

class TcxCurrencyEditProperties : public TcxCustomCurrencyEditProperties {
  TRENVIK_CLASS(TcxCurrencyEditProperties, TcxCustomCurrencyEditProperties);

 public:
  explicit TcxCurrencyEditProperties(TPersistent* AOwner) : TcxCustomCurrencyEditProperties(AOwner) {}
};

class TcxCustomCurrencyEdit : public TcxCustomTextEdit, public IcxFormatControllerListener {
  TRENVIK_CLASS(TcxCustomCurrencyEdit, TcxCustomTextEdit);

 public:
  explicit TcxCustomCurrencyEdit(TComponent* AOwner);
  ~TcxCustomCurrencyEdit() override;

  TcxCustomCurrencyEditProperties* ActiveProperties() {
    return static_cast<TcxCustomCurrencyEditProperties*>(GetActiveProperties());
  }
  TcxCustomCurrencyEditProperties* Properties() const {
    return static_cast<TcxCustomCurrencyEditProperties*>(TcxCustomEdit::Properties());
  }
  double Value();
  // Clamped into MinValue..MaxValue when they differ.
  void SetValue(double Value);

  TClass GetPropertiesClass() override { return TcxCurrencyEditProperties::StaticClass(); }
  void DisplayToEditValue(const Variant& DisplayValue, Variant& EditValue, bool AEditFocused) override;
  bool IsValidChar(Char AChar) override;
  void KeyPress(Char& Key) override;
  void PasteFromClipboard() override;
  void PropertiesChanged(TObject* Sender) override;
  // A change of the regional settings redisplays; the display format itself follows them unless
  // one was assigned.
  void FormatChanged() override { SynchronizeDisplayValue(); }
};

class TcxCurrencyEdit : public TcxCustomCurrencyEdit {
  TRENVIK_CLASS(TcxCurrencyEdit, TcxCustomCurrencyEdit);

 public:
  explicit TcxCurrencyEdit(TComponent* AOwner) : TcxCustomCurrencyEdit(AOwner) {}
};

void InitializeCurrencyEdit();
void FinalizeCurrencyEdit();
