// The amount editor: a floating-point number typed as plain text with at most DecimalPlaces
// decimals, clamped into MinValue..MaxValue on validation, shown through a display format when the
// editor is not active, and optionally empty (Nullable, shown as NullString).
#pragma once

#include "dx/editors/dxMaskEdit.h"
#include "dx/editors/dxValueBounds.h"

// Stored-values bits of the currency editor.
constexpr Byte dxsvCurrencyMaxValue = 0x08;
constexpr Byte dxsvCurrencyMinValue = 0x10;
constexpr Byte dxsvDisplayFormat = 0x20;

class TdxInplaceCurrencyEdit : public TdxInplaceMaskEdit {
  TRENVIK_CLASS(TdxInplaceCurrencyEdit, TdxInplaceMaskEdit);
  TRENVIK_MESSAGES(TdxInplaceCurrencyEdit);

 public:
  explicit TdxInplaceCurrencyEdit(TComponent* AOwner, TdxInplaceEditClass Class = StaticEditClass());
  static TdxInplaceEditClass StaticEditClass();

  // --- Overridable operations added by the currency editor ---
  virtual bool IsValidValueChar(Char Key);                 // 1
  virtual void ApplyDisplayFormat(const String& Value);    // 2
  virtual void SetMaxValue(double Value);                  // 3
  virtual void SetMinValue(double Value);                  // 4
  virtual void SetMinMax(double Min, double Max);          // 5
  virtual String GetDefaultDisplayFormat();                // 6
  virtual double GetDefaultMaxValue() { return 0; }        // 7
  virtual double GetDefaultMinValue() { return 0; }        // 8

  // --- Overrides ---
  void UpdateDataDefaults() override;
  void RestoreDefaults() override;
  void ValidateEdit() override;
  void GetEditValue(Variant& Value, bool FromDefinition) override;
  void GetEditingValue(Variant& Value) override;
  bool PaintsInactiveAsCell() override { return TdxInplaceMaskEdit::PaintsInactiveAsCell() || !displayFormat_.empty(); }
  bool UsesOleCallback() override { return true; }
  void ApplyEditMask(const String&) override {}

  // The text as a number: thousands separators dropped, the locale's decimal separator; false for
  // a malformed text or a magnitude outside the doubles.
  static bool TextToValue(const String& Text, double& Value);
  double GetValue();
  void SetValue(double Value);
  void SetMinMaxValues(double Min, double Max);
  void SetDisplayFormat(const String& Value);
  void SetNullable(bool Value);
  void SetNullString(const String& Value);

  double MaxValue() const { return bounds_.Max; }
  double MinValue() const { return bounds_.Min; }
  const String& DisplayFormat() const { return displayFormat_; }
  bool Nullable() const { return nullable_; }
  const String& NullString() const { return nullString_; }
  unsigned DecimalPlaces = 2;
  bool UseThousandSeparator = false;

 protected:
  void KeyPress(Char& Key) override;

 private:
  void WMPaste(TMessage& Message);
  void CMWinIniChange(TMessage& Message);
  void ReapplyValue() { SetValue(GetValue()); }

  TdxValueBounds bounds_;
  String displayFormat_;
  bool nullable_ = false;
  String nullString_;
};
