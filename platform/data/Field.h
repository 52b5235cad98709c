// TField: one column of a dataset as the controls see it: its name and type, its value in the
// dataset's current record buffer with the As... conversions, its display and edit text, and the
// presentation rules (label, width, alignment, formats, read-only, required, visible).
//
// A field is a component: persistent fields are owned by the form or data module that declares
// them; dynamic (default) fields are created by the dataset at open and freed at close.
#pragma once

#include <bitset>
#include <functional>

#include "platform/classes/Component.h"
#include "platform/data/DBTypes.h"
#include "platform/rtl/Variant.h"

class TDataSet;
class TField;
class TStream;

using TFieldNotifyEvent = std::function<void(TField* Sender)>;
using TFieldGetTextEvent = std::function<void(TField* Sender, String& Text, bool DisplayText)>;
using TFieldSetTextEvent = std::function<void(TField* Sender, const String& Text)>;

// The characters a field accepts from the keyboard: a set of the first 256 characters, and a flag
// for every character above.
class TFieldChars {
 public:
  TFieldChars() = default;
  static TFieldChars All();
  // Characters of the text, e.g. "0123456789+-".
  static TFieldChars Of(std::u16string_view chars);
  bool Contains(Char c) const { return c < 256 ? low_.test(c) : others_; }
  void Include(Char c);
  void Exclude(Char c);

 private:
  std::bitset<256> low_;
  bool others_ = false;
};

enum TProviderFlag { pfInUpdate, pfInWhere, pfInKey, pfHidden };
using TProviderFlags = Set<TProviderFlag>;

class TField : public TComponent {
  TRENVIK_CLASS(TField, TComponent);

 public:
  explicit TField(TComponent* AOwner);
  ~TField() override;

  // Identity.
  TDataSet* DataSet() const { return dataSet_; }
  // Moves the field into another dataset's Fields (or out of any). Raises EDatabaseError
  // "Cannot perform this operation on an open dataset" while either dataset is open.
  void SetDataSet(TDataSet* Value);
  const String& FieldName() const { return fieldName_; }
  void SetFieldName(const String& Value);
  // "TABLE.FIELD" where the value comes from; the filter parser accepts it in place of FieldName.
  const String& Origin() const { return origin_; }
  void SetOrigin(const String& Value) { origin_ = Value; }
  TFieldType DataType() const { return dataType_; }
  TFieldKind FieldKind() const { return fieldKind_; }
  void SetFieldKind(TFieldKind Value);
  // The 1-based number of the field definition a data field is bound to; 0 for calculated fields.
  int FieldNo() const { return fieldNo_; }
  // Position in DataSet()->Fields(); settable to reorder.
  int Index() const;
  void SetIndex(int Value);
  // Characters for strings, decimals for BCD, 0 for fixed-size types.
  int Size() const { return size_; }
  virtual void SetSize(int Value);
  // Bytes the raw value takes (GetData/SetData copies).
  virtual int DataSize() const;
  bool IsBlob() const { return IsBlobType(); }
  bool Calculated() const { return fieldKind_ == fkCalculated || fieldKind_ == fkLookup; }
  bool Lookup() const { return fieldKind_ == fkLookup; }

  // Presentation.
  String DisplayLabel() const { return displayLabel_.empty() ? fieldName_ : displayLabel_; }
  void SetDisplayLabel(const String& Value) {
    displayLabel_ = Value;
    PropertyChanged(true);
  }
  // DisplayLabel, or FieldName when no label is set.
  String DisplayName() const { return DisplayLabel(); }
  int DisplayWidth() const;
  void SetDisplayWidth(int Value);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment Value);
  bool Visible() const { return visible_; }
  void SetVisible(bool Value);
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool Value);
  bool Required() const { return required_; }
  void SetRequired(bool Value) { required_ = Value; }
  const String& EditMask() const { return editMask_; }
  void SetEditMask(const String& Value);
  TProviderFlags ProviderFlags() const { return providerFlags_; }
  void SetProviderFlags(TProviderFlags Value) { providerFlags_ = Value; }
  TFieldChars ValidChars() const { return validChars_; }
  void SetValidChars(const TFieldChars& Value) { validChars_ = Value; }
  virtual bool IsValidChar(Char InputChar) const { return validChars_.Contains(InputChar); }
  // The dataset is open and editable, and the field is not read-only nor a calculated field.
  virtual bool CanModify() const;

  // Value in the dataset's current record buffer.
  bool IsNull() const;
  void Clear() { SetAsVariant(Null()); }
  Variant Value() const { return GetAsVariant(); }
  void SetValue(const Variant& V) { SetAsVariant(V); }
  Variant AsVariant() const { return GetAsVariant(); }
  String AsString() const { return GetAsString(); }
  void SetAsString(const String& V) { SetAsStringImpl(V); }
  String AsWideString() const { return GetAsString(); }
  void SetAsWideString(const String& V) { SetAsStringImpl(V); }
  Integer AsInteger() const { return GetAsInteger(); }
  void SetAsInteger(Integer V) { SetAsIntegerImpl(V); }
  Int64 AsLargeInt() const { return GetAsLargeInt(); }
  void SetAsLargeInt(Int64 V) { SetAsLargeIntImpl(V); }
  double AsFloat() const { return GetAsFloat(); }
  void SetAsFloat(double V) { SetAsFloatImpl(V); }
  Currency AsCurrency() const { return GetAsCurrency(); }
  void SetAsCurrency(Currency V) { SetAsCurrencyImpl(V); }
  bool AsBoolean() const { return GetAsBoolean(); }
  void SetAsBoolean(bool V) { SetAsBooleanImpl(V); }
  TDateTime AsDateTime() const { return GetAsDateTime(); }
  void SetAsDateTime(TDateTime V) { SetAsDateTimeImpl(V); }
  // The value before the current edit (the stored record's); the current value outside edits.
  Variant OldValue() const;

  // The edit text (OnGetText with DisplayText false, else the field's edit format); assigning it
  // goes through OnSetText or the field's parser.
  String Text() const { return GetTextOf(false); }
  void SetText(const String& Value);
  // The display text (OnGetText with DisplayText true, else the field's display format).
  String DisplayText() const { return GetTextOf(true); }
  // Kinds whose text is their value's alone (numbers, dates) give GetText's text for a value kept
  // elsewhere, so a store of many records' values need not keep their texts too.
  virtual bool FormatsValueText() const { return false; }
  // GetText's text for Value as if it were the record's; only for kinds that format values.
  virtual String ValueText(const Variant& Value, bool DisplayText) const;

  // Raw value: false for null. SetData stores without conversion events of text. Fields whose
  // value is not a record's (aggregates) answer GetData themselves.
  virtual bool GetData(Variant& Value) const;
  void SetData(const Variant& Value);

  // Asks the controls linked to the dataset to focus the control that edits this field.
  void FocusControl();
  // Runs OnValidate for a value about to be stored (the field already holds it while it runs).
  virtual void Validate();
  // Runs OnChange.
  virtual void Change();

  // Lookup fields: KeyFields of this dataset are matched against LookupKeyFields of LookupDataSet,
  // whose LookupResultField gives the value. LookupCache keeps the key/result pairs until
  // RefreshLookupList.
  const String& KeyFields() const { return keyFields_; }
  void SetKeyFields(const String& Value) { keyFields_ = Value; }
  TDataSet* LookupDataSet() const { return lookupDataSet_; }
  void SetLookupDataSet(TDataSet* Value);
  const String& LookupKeyFields() const { return lookupKeyFields_; }
  void SetLookupKeyFields(const String& Value) { lookupKeyFields_ = Value; }
  const String& LookupResultField() const { return lookupResultField_; }
  void SetLookupResultField(const String& Value) { lookupResultField_ = Value; }
  bool LookupCache() const { return lookupCache_; }
  void SetLookupCache(bool Value);
  void RefreshLookupList();
  // Null when the key has no match.
  Variant LookupValue(const Variant& KeyValue);

  TFieldNotifyEvent OnChange;
  TFieldNotifyEvent OnValidate;
  TFieldGetTextEvent OnGetText;
  TFieldSetTextEvent OnSetText;

  void Assign(TPersistent* Source) override;

  // In form resources fields are children of their dataset.
  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* Value) override;
  void ReadState(TReader* Reader) override;
  // The stored forms of DisplayLabel and DisplayWidth (empty / 0: the defaults).
  const String& StoredDisplayLabel() const { return displayLabel_; }
  bool DisplayLabelStored() const { return !displayLabel_.empty(); }
  bool DisplayWidthStored() const { return displayWidth_ > 0; }

 protected:
  // Descendants set their type in their constructor.
  void SetDataType(TFieldType Value) { dataType_ = Value; }
  virtual bool IsBlobType() const { return false; }

  // Typed access; the base converts through the Variant and raises EDatabaseError
  // "Cannot access field '%s' as type %s" where no conversion exists.
  virtual Variant GetAsVariant() const;
  virtual void SetAsVariant(const Variant& Value);
  virtual String GetAsString() const;
  virtual void SetAsStringImpl(const String& Value);
  virtual Integer GetAsInteger() const;
  virtual void SetAsIntegerImpl(Integer Value);
  virtual Int64 GetAsLargeInt() const;
  virtual void SetAsLargeIntImpl(Int64 Value);
  virtual double GetAsFloat() const;
  virtual void SetAsFloatImpl(double Value);
  virtual Currency GetAsCurrency() const;
  virtual void SetAsCurrencyImpl(Currency Value);
  virtual bool GetAsBoolean() const;
  virtual void SetAsBooleanImpl(bool Value);
  virtual TDateTime GetAsDateTime() const;
  virtual void SetAsDateTimeImpl(TDateTime Value);
  // The text without OnGetText: display or edit form.
  virtual String GetText(bool DisplayText) const;
  // Converts a value to the field's own kind (Integer for TIntegerField ...); raises the field's
  // conversion errors. The default keeps the value.
  virtual Variant ConvertValue(const Variant& Value) const;
  // Checks a converted value against the field's range.
  virtual void CheckRange(const Variant&) const {}
  virtual int DefaultDisplayWidth() const { return size_ > 0 ? size_ : 10; }

  [[noreturn]] void AccessError(const char* TypeName) const;
  // Stores the value in the current buffer through the dataset (the checks and events there).
  void StoreValue(const Variant& Value);
  // Reads the value of the current buffer; Null when null or the dataset is closed.
  Variant ReadValue() const;
  void PropertyChanged(bool LayoutAffected);
  void Notification(TComponent* AComponent, TOperation Operation) override;

  int size_ = 0;
  TFieldChars validChars_ = TFieldChars::All();
  TAlignment alignment_ = taLeftJustify;

 private:
  friend class TDataSet;
  friend class TFields;
  String GetTextOf(bool DisplayText) const;

  TDataSet* dataSet_ = nullptr;
  String fieldName_;
  String origin_;
  String displayLabel_;
  String editMask_;
  TFieldType dataType_ = ftUnknown;
  TFieldKind fieldKind_ = fkData;
  int fieldNo_ = 0;
  int displayWidth_ = 0;
  bool visible_ = true;
  bool readOnly_ = false;
  bool required_ = false;
  TProviderFlags providerFlags_{pfInUpdate, pfInWhere};
  // Set by the dataset at binding: store column for data fields, calculated slot otherwise.
  int slot_ = -1;

  String keyFields_;
  TDataSet* lookupDataSet_ = nullptr;
  String lookupKeyFields_;
  String lookupResultField_;
  bool lookupCache_ = false;
  std::vector<std::pair<Variant, Variant>> lookupList_;
  bool lookupListValid_ = false;
};

using TFieldClass = TClass;

// The field class the dataset creates for a field type (TIntegerField for ftInteger ...); nullptr
// for types without one.
TFieldClass DefaultFieldClass(TFieldType Type);
