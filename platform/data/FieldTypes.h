// The field kinds: text, numbers, booleans, dates, GUIDs and blobs, each with its conversions and
// display rules.
#pragma once

#include <memory>

#include "platform/data/Field.h"

class TStringField : public TField {
  TRENVIK_CLASS(TStringField, TField);

 public:
  explicit TStringField(TComponent* AOwner);
  bool FixedChar() const { return fixedChar_; }
  void SetFixedChar(bool Value) { fixedChar_ = Value; }
  bool Transliterate() const { return transliterate_; }
  void SetTransliterate(bool Value) { transliterate_ = Value; }
  int DataSize() const override { return size_ + 1; }

 protected:
  // 8-bit text (varString) in the locale's code page.
  Variant GetAsVariant() const override;
  String GetAsString() const override;
  void SetAsStringImpl(const String& Value) override;
  Integer GetAsInteger() const override;
  Int64 GetAsLargeInt() const override;
  double GetAsFloat() const override;
  bool GetAsBoolean() const override;
  TDateTime GetAsDateTime() const override;
  void SetAsIntegerImpl(Integer Value) override;
  void SetAsFloatImpl(double Value) override;
  void SetAsBooleanImpl(bool Value) override;
  void SetAsDateTimeImpl(TDateTime Value) override;
  String GetText(bool DisplayText) const override;
  Variant ConvertValue(const Variant& Value) const override;

 private:
  bool fixedChar_ = false;
  bool transliterate_ = true;
};

class TWideStringField : public TStringField {
  TRENVIK_CLASS(TWideStringField, TStringField);

 public:
  explicit TWideStringField(TComponent* AOwner);
  int DataSize() const override { return (size_ + 1) * 2; }

 protected:
  // UTF-16 text (varOleStr).
  Variant GetAsVariant() const override;
  Variant ConvertValue(const Variant& Value) const override;
};

// A GUID as its 38-character braced text "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}".
class TGuidField : public TStringField {
  TRENVIK_CLASS(TGuidField, TStringField);

 public:
  explicit TGuidField(TComponent* AOwner);
  void SetSize(int Value) override;

 protected:
  Variant ConvertValue(const Variant& Value) const override;
};

class TNumericField : public TField {
  TRENVIK_CLASS(TNumericField, TField);

 public:
  explicit TNumericField(TComponent* AOwner);
  const String& DisplayFormat() const { return displayFormat_; }
  void SetDisplayFormat(const String& Value);
  const String& EditFormat() const { return editFormat_; }
  void SetEditFormat(const String& Value);

 protected:
  String displayFormat_;
  String editFormat_;
};

class TIntegerField : public TNumericField {
  TRENVIK_CLASS(TIntegerField, TNumericField);

 public:
  explicit TIntegerField(TComponent* AOwner);
  bool FormatsValueText() const override { return true; }
  String ValueText(const Variant& Value, bool DisplayText) const override;
  // Both 0: the type's own range.
  Integer MinValue() const { return minValue_; }
  void SetMinValue(Integer Value) { minValue_ = Value; }
  Integer MaxValue() const { return maxValue_; }
  void SetMaxValue(Integer Value) { maxValue_ = Value; }
  int DataSize() const override { return 4; }

 protected:
  Variant GetAsVariant() const override;
  String GetAsString() const override;
  void SetAsStringImpl(const String& Value) override;
  Integer GetAsInteger() const override;
  void SetAsIntegerImpl(Integer Value) override;
  Int64 GetAsLargeInt() const override;
  double GetAsFloat() const override;
  void SetAsFloatImpl(double Value) override;
  String GetText(bool DisplayText) const override;
  Variant ConvertValue(const Variant& Value) const override;
  void CheckRange(const Variant& Value) const override;
  // The type's own range.
  virtual Int64 TypeMin() const { return -2147483647 - 1; }
  virtual Int64 TypeMax() const { return 2147483647; }

  Integer minValue_ = 0;
  Integer maxValue_ = 0;
};

class TSmallintField : public TIntegerField {
  TRENVIK_CLASS(TSmallintField, TIntegerField);

 public:
  explicit TSmallintField(TComponent* AOwner);
  int DataSize() const override { return 2; }

 protected:
  Variant GetAsVariant() const override;
  Int64 TypeMin() const override { return -32768; }
  Int64 TypeMax() const override { return 32767; }
};

class TWordField : public TIntegerField {
  TRENVIK_CLASS(TWordField, TIntegerField);

 public:
  explicit TWordField(TComponent* AOwner);
  int DataSize() const override { return 2; }

 protected:
  Variant GetAsVariant() const override;
  Int64 TypeMin() const override { return 0; }
  Int64 TypeMax() const override { return 65535; }
};

// A key the server numbers itself.
class TAutoIncField : public TIntegerField {
  TRENVIK_CLASS(TAutoIncField, TIntegerField);

 public:
  explicit TAutoIncField(TComponent* AOwner);
};

class TLargeintField : public TNumericField {
  TRENVIK_CLASS(TLargeintField, TNumericField);

 public:
  explicit TLargeintField(TComponent* AOwner);
  bool FormatsValueText() const override { return true; }
  String ValueText(const Variant& Value, bool DisplayText) const override;
  int DataSize() const override { return 8; }

 protected:
  Variant GetAsVariant() const override;
  String GetAsString() const override;
  void SetAsStringImpl(const String& Value) override;
  Integer GetAsInteger() const override;
  Int64 GetAsLargeInt() const override;
  void SetAsLargeIntImpl(Int64 Value) override;
  double GetAsFloat() const override;
  String GetText(bool DisplayText) const override;
  Variant ConvertValue(const Variant& Value) const override;
};

class TFloatField : public TNumericField {
  TRENVIK_CLASS(TFloatField, TNumericField);

 public:
  explicit TFloatField(TComponent* AOwner);
  // Shown in the locale's currency format when no DisplayFormat is set.
  bool IsCurrency() const { return currency_; }
  void SetCurrency(bool Value);
  // Significant digits of the general format (15).
  int Precision() const { return precision_; }
  void SetPrecision(int Value);
  // Both 0: no range.
  double MinValue() const { return minValue_; }
  void SetMinValue(double Value) { minValue_ = Value; }
  double MaxValue() const { return maxValue_; }
  void SetMaxValue(double Value) { maxValue_ = Value; }
  int DataSize() const override { return 8; }

 protected:
  Variant GetAsVariant() const override;
  String GetAsString() const override;
  void SetAsStringImpl(const String& Value) override;
  double GetAsFloat() const override;
  void SetAsFloatImpl(double Value) override;
  Integer GetAsInteger() const override;
  Currency GetAsCurrency() const override;
  String GetText(bool DisplayText) const override;
  Variant ConvertValue(const Variant& Value) const override;
  void CheckRange(const Variant& Value) const override;

  bool currency_ = false;
  int precision_ = 15;
  double minValue_ = 0;
  double maxValue_ = 0;
};

class TCurrencyField : public TFloatField {
  TRENVIK_CLASS(TCurrencyField, TFloatField);

 public:
  explicit TCurrencyField(TComponent* AOwner);
};

// Fixed-point numbers held as Currency (four decimals); Size is the number of decimals.
class TBCDField : public TNumericField {
  TRENVIK_CLASS(TBCDField, TNumericField);

 public:
  explicit TBCDField(TComponent* AOwner);
  bool IsCurrency() const { return currency_; }
  void SetCurrency(bool Value);
  int Precision() const { return precision_; }
  void SetPrecision(int Value) { precision_ = Value; }
  Currency MinValue() const { return minValue_; }
  void SetMinValue(Currency Value) { minValue_ = Value; }
  Currency MaxValue() const { return maxValue_; }
  void SetMaxValue(Currency Value) { maxValue_ = Value; }
  int DataSize() const override { return 8; }

 protected:
  Variant GetAsVariant() const override;
  String GetAsString() const override;
  void SetAsStringImpl(const String& Value) override;
  double GetAsFloat() const override;
  Currency GetAsCurrency() const override;
  Integer GetAsInteger() const override;
  String GetText(bool DisplayText) const override;
  Variant ConvertValue(const Variant& Value) const override;
  void CheckRange(const Variant& Value) const override;

  bool currency_ = false;
  int precision_ = 0;
  Currency minValue_;
  Currency maxValue_;
};

// Wide decimal numbers; held as double here.
class TFMTBCDField : public TFloatField {
  TRENVIK_CLASS(TFMTBCDField, TFloatField);

 public:
  explicit TFMTBCDField(TComponent* AOwner);
};

class TBooleanField : public TField {
  TRENVIK_CLASS(TBooleanField, TField);

 public:
  explicit TBooleanField(TComponent* AOwner);
  // "True;False": the texts of true and of false.
  const String& DisplayValues() const { return displayValues_; }
  void SetDisplayValues(const String& Value);
  int DataSize() const override { return 2; }

 protected:
  Variant GetAsVariant() const override;
  String GetAsString() const override;
  void SetAsStringImpl(const String& Value) override;
  bool GetAsBoolean() const override;
  void SetAsBooleanImpl(bool Value) override;
  Integer GetAsInteger() const override;
  String GetText(bool DisplayText) const override;
  Variant ConvertValue(const Variant& Value) const override;
  int DefaultDisplayWidth() const override;

 private:
  String displayValues_;
  String trueText_;
  String falseText_;
};

class TDateTimeField : public TField {
  TRENVIK_CLASS(TDateTimeField, TField);

 public:
  explicit TDateTimeField(TComponent* AOwner);
  bool FormatsValueText() const override { return true; }
  String ValueText(const Variant& Value, bool DisplayText) const override;
  const String& DisplayFormat() const { return displayFormat_; }
  void SetDisplayFormat(const String& Value);
  int DataSize() const override { return 8; }

 protected:
  Variant GetAsVariant() const override;
  String GetAsString() const override;
  void SetAsStringImpl(const String& Value) override;
  TDateTime GetAsDateTime() const override;
  void SetAsDateTimeImpl(TDateTime Value) override;
  double GetAsFloat() const override;
  void SetAsFloatImpl(double Value) override;
  String GetText(bool DisplayText) const override;
  Variant ConvertValue(const Variant& Value) const override;
  int DefaultDisplayWidth() const override { return 18; }
  // The format when DisplayFormat is empty (display) or for the edit text.
  virtual String DefaultFormat() const;

  String displayFormat_;
};

class TDateField : public TDateTimeField {
  TRENVIK_CLASS(TDateField, TDateTimeField);

 public:
  explicit TDateField(TComponent* AOwner);

 protected:
  int DefaultDisplayWidth() const override { return 10; }
  String DefaultFormat() const override;
};

class TTimeField : public TDateTimeField {
  TRENVIK_CLASS(TTimeField, TDateTimeField);

 public:
  explicit TTimeField(TComponent* AOwner);

 protected:
  int DefaultDisplayWidth() const override { return 10; }
  String DefaultFormat() const override;
};

class TSQLTimeStampField : public TDateTimeField {
  TRENVIK_CLASS(TSQLTimeStampField, TDateTimeField);

 public:
  explicit TSQLTimeStampField(TComponent* AOwner);
};

// Binary values. Value and AsString give the bytes as 8-bit text; CreateBlobStream reads and
// writes them as a stream.
class TBlobField : public TField {
  TRENVIK_CLASS(TBlobField, TField);

 public:
  explicit TBlobField(TComponent* AOwner);
  // ftBlob, ftMemo, ftGraphic, ftFmtMemo, ftParadoxOle, ftDBaseOle, ftTypedBinary, ftOraBlob ...
  TFieldType BlobType() const { return DataType(); }
  void SetBlobType(TFieldType Value);
  int BlobSize() const;
  bool Modified() const { return modified_; }
  void SetModified(bool Value) { modified_ = Value; }
  // The raw bytes.
  AnsiString AsBytes() const;
  void SetAsBytes(const AnsiString& Value);
  void LoadFromStream(TStream* Stream);
  void SaveToStream(TStream* Stream) const;
  void LoadFromFile(const String& FileName);
  void SaveToFile(const String& FileName) const;
  void Assign(TPersistent* Source) override;
  int DataSize() const override { return 0; }

 protected:
  bool IsBlobType() const override { return true; }
  Variant GetAsVariant() const override;
  String GetAsString() const override;
  void SetAsStringImpl(const String& Value) override;
  String GetText(bool DisplayText) const override;
  Variant ConvertValue(const Variant& Value) const override;

 private:
  bool modified_ = false;
};

// Text held as a blob; AsString is the text, the stream gives it in the locale's code page.
class TMemoField : public TBlobField {
  TRENVIK_CLASS(TMemoField, TBlobField);

 public:
  explicit TMemoField(TComponent* AOwner);

 protected:
  Variant GetAsVariant() const override;
  String GetAsString() const override;
  void SetAsStringImpl(const String& Value) override;
  Variant ConvertValue(const Variant& Value) const override;
};

// A picture held as a blob (its stream format is the picture's).
class TGraphicField : public TBlobField {
  TRENVIK_CLASS(TGraphicField, TBlobField);

 public:
  explicit TGraphicField(TComponent* AOwner);
};

// A stream over a blob field of the current record. Reading gives the stored bytes (the text in
// the locale's code page for memo fields); what a bmWrite stream holds is stored in the field when
// the stream is freed (bmWrite starts empty, bmReadWrite with the current value).
std::unique_ptr<TStream> CreateBlobStream(TField* Field, TBlobStreamMode Mode);
