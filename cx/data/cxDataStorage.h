// Records held in memory as compact byte buffers laid out by value definitions, the value types that
// say how a kind of value sits in a buffer, and the sorted key-to-text cache of lookup editors.
#pragma once

#include <functional>
#include <vector>

#include "platform/rtl/Object.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/Variant.h"

// ---------------------------------------------------------------------------------------------
// Value types: stateless; a field refers to the type's single instance (its "class").

class TcxValueType;
using TcxValueTypeClass = const TcxValueType*;

class TcxValueType {
 public:
  virtual ~TcxValueType() = default;
  TcxValueType() = default;
  TcxValueType(const TcxValueType&) = delete;
  TcxValueType& operator=(const TcxValueType&) = delete;

  // The type's name: "String", "Integer", ...
  virtual String Caption() const = 0;

  // AData is the address of a slot's data area (the byte after the assigned flag).
  virtual int Compare(const Byte* AData1, const Byte* AData2) const;
  virtual void FreeValue(Byte* AData) const;
  virtual int GetValueSize() const { return 0; }
  virtual Variant LoadValue(const Byte* AData) const;
  virtual String GetValueText(const Byte* AData) const;
  // ATextRef is the address of a slot's text reference (not aligned: read through copies).
  static String GetStoredText(const Byte* ATextRef);
  virtual void ReadValue(Byte* AData, TStream* AStream) const;
  static void ReadStoredText(Byte* ATextRef, TStream* AStream);
  virtual void StoreValue(Byte* AData, const Variant& AValue) const;
  static void StoreText(Byte* ATextRef, const String& AText);
  static void FreeText(Byte* ATextRef);
  virtual void WriteValue(const Byte* AData, TStream* AStream) const;
  static void WriteStoredText(const Byte* ATextRef, TStream* AStream);
  // Two values given by their data, as ResolveDataPointer leaves them.
  virtual int CompareData(const void* AData1, const void* AData2) const;
  virtual Variant LoadValueFromData(const void* AData) const;
  virtual TVarType GetValueVarType() const { return varVariant; }
  virtual bool IsValueConvertible(const Variant& AValue) const;
  virtual bool IsStringType() const { return false; }
  // Replaces the address of a data area by the address of the value it refers to (reference types).
  virtual const void* ResolveDataPointer(const Byte* AData) const { return AData; }
};

#define CX_VALUE_TYPE_CLASS(Name) \
 public:                          \
  static TcxValueTypeClass Class()

class TcxStringValueType : public TcxValueType {
  CX_VALUE_TYPE_CLASS(TcxStringValueType);
  String Caption() const override { return u"String"; }
  int Compare(const Byte* AData1, const Byte* AData2) const override;
  void FreeValue(Byte* AData) const override;
  int GetValueSize() const override { return sizeof(void*); }
  Variant LoadValue(const Byte* AData) const override;
  void ReadValue(Byte* AData, TStream* AStream) const override;
  void StoreValue(Byte* AData, const Variant& AValue) const override;
  void WriteValue(const Byte* AData, TStream* AStream) const override;
  int CompareData(const void* AData1, const void* AData2) const override;
  Variant LoadValueFromData(const void* AData) const override;
  TVarType GetValueVarType() const override { return varString; }
  bool IsStringType() const override { return true; }
  const void* ResolveDataPointer(const Byte* AData) const override;
};

class TcxWideStringValueType : public TcxStringValueType {
  CX_VALUE_TYPE_CLASS(TcxWideStringValueType);
  String Caption() const override { return u"WideString"; }
  void FreeValue(Byte* AData) const override;
  Variant LoadValue(const Byte* AData) const override;
  void ReadValue(Byte* AData, TStream* AStream) const override;
  void StoreValue(Byte* AData, const Variant& AValue) const override;
  void WriteValue(const Byte* AData, TStream* AStream) const override;
  int CompareData(const void* AData1, const void* AData2) const override;
  Variant LoadValueFromData(const void* AData) const override;
  String GetValueText(const Byte* AData) const override;
  TVarType GetValueVarType() const override { return varOleStr; }
};

// Fixed-size types keep their value inside the slot.
#define CX_FIXED_VALUE_TYPE(Name, CaptionText)                              \
  class Name : public TcxValueType {                                        \
    CX_VALUE_TYPE_CLASS(Name);                                              \
    String Caption() const override { return u"" CaptionText; }             \
    int GetValueSize() const override;                                      \
    Variant LoadValue(const Byte* AData) const override;                    \
    void ReadValue(Byte* AData, TStream* AStream) const override;           \
    void StoreValue(Byte* AData, const Variant& AValue) const override;     \
    void WriteValue(const Byte* AData, TStream* AStream) const override;    \
    int CompareData(const void* AData1, const void* AData2) const override; \
    TVarType GetValueVarType() const override;                              \
    String GetValueText(const Byte* AData) const override;                  \
  }

CX_FIXED_VALUE_TYPE(TcxSmallintValueType, "Smallint");
CX_FIXED_VALUE_TYPE(TcxIntegerValueType, "Integer");
CX_FIXED_VALUE_TYPE(TcxWordValueType, "Word");
CX_FIXED_VALUE_TYPE(TcxBooleanValueType, "Boolean");
CX_FIXED_VALUE_TYPE(TcxFloatValueType, "Float");
CX_FIXED_VALUE_TYPE(TcxCurrencyValueType, "Currency");
CX_FIXED_VALUE_TYPE(TcxDateTimeValueType, "DateTime");
CX_FIXED_VALUE_TYPE(TcxFMTBcdValueType, "FMTBcd");
CX_FIXED_VALUE_TYPE(TcxLargeIntValueType, "LargeInt");
CX_FIXED_VALUE_TYPE(TcxSQLTimeStampValueType, "SQLTimeStamp");

class TcxVariantValueType : public TcxValueType {
  CX_VALUE_TYPE_CLASS(TcxVariantValueType);
  String Caption() const override { return u"Variant"; }
  int Compare(const Byte* AData1, const Byte* AData2) const override;
  void FreeValue(Byte* AData) const override;
  int GetValueSize() const override { return sizeof(void*); }
  Variant LoadValue(const Byte* AData) const override;
  void StoreValue(Byte* AData, const Variant& AValue) const override;
  int CompareData(const void* AData1, const void* AData2) const override;
  Variant LoadValueFromData(const void* AData) const override;
  const void* ResolveDataPointer(const Byte* AData) const override;
};

// The slot owns the object it refers to.
class TcxObjectValueType : public TcxValueType {
  CX_VALUE_TYPE_CLASS(TcxObjectValueType);
  String Caption() const override { return u"Object"; }
  void FreeValue(Byte* AData) const override;
  int GetValueSize() const override { return sizeof(void*); }
  Variant LoadValue(const Byte* AData) const override;
  void ReadValue(Byte*, TStream*) const override {}
  void StoreValue(Byte* AData, const Variant& AValue) const override;
  void WriteValue(const Byte*, TStream*) const override {}
  int CompareData(const void* AData1, const void* AData2) const override;
  TVarType GetValueVarType() const override { return varObject; }
};

// The packed decimal of the FMTBcd type: precision, sign (bit 7) and places, 64 digit nibbles.
struct TBcd {
  Byte Precision = 0;
  Byte SignSpecialPlaces = 0;
  Byte Fraction[32] = {};
};
static_assert(sizeof(TBcd) == 34);
TBcd DoubleToBcd(double AValue);
double BcdToDouble(const TBcd& ABcd);
int BcdCompare(const TBcd& A, const TBcd& B);

// ---------------------------------------------------------------------------------------------
// Value definitions and the storage

class TcxDataStorage;
class TcxValueDefs;

class TcxValueDef : public TObject {
  TRENVIK_CLASS(TcxValueDef, TObject);

 public:
  TcxValueDef(TcxValueDefs* AOwner, TcxValueTypeClass ATypeClass);
  // Leaves the owner (the storage drops its slot from every record).
  ~TcxValueDef() override;

  TcxValueDefs* Owner() const { return owner_; }
  TcxValueTypeClass TypeClass() const { return typeClass_; }
  bool InRecord() const { return inRecord_; }
  void SetInRecord(bool AValue);
  bool TextStored() const { return textStored_; }
  void SetTextStored(bool AValue);
  TObject* Link() { return GetLink(); }
  int Offset() const { return offset_; }
  int ValueSize() const { return valueSize_; }
  int SlotSize() const { return slotSize_; }

  virtual TObject* GetLink() { return link_; }
  virtual bool IsStored();
  virtual void SetLink(TObject* AValue) { link_ = AValue; }
  virtual void Assign(TcxValueDef* ASource);
  bool KeepsText() { return IsStored() && textStored_; }

  void SetValue(Byte* ABuffer, const Variant& AValue);
  Variant GetValue(const Byte* ABuffer);
  String GetDisplayText(const Byte* ABuffer);
  void SetDisplayText(Byte* ABuffer, const String& AText);
  int Compare(const Byte* ABuffer1, const Byte* ABuffer2);
  int CompareValues(bool AIsNull1, bool AIsNull2, const void* AData1, const void* AData2);
  void FreeSlot(Byte* ABuffer);
  void CalculateLayout(int& AOffset);

  bool IsNull(const Byte* ABuffer) const { return slotSize_ == 0 || ABuffer[offset_] == 0; }
  const Byte* Data(const Byte* ABuffer) const { return ABuffer + offset_ + 1; }
  Byte* Data(Byte* ABuffer) const { return ABuffer + offset_ + 1; }
  Byte* TextRef(Byte* ABuffer) const { return ABuffer + offset_ + 1 + valueSize_; }
  const Byte* TextRef(const Byte* ABuffer) const { return ABuffer + offset_ + 1 + valueSize_; }

 private:
  friend class TcxValueDefs;
  friend class TcxDataStorage;
  TcxValueDefs* owner_;
  TcxValueTypeClass typeClass_;
  bool inRecord_ = true;
  bool textStored_ = false;
  TObject* link_ = nullptr;
  int offset_ = 0;
  int valueSize_ = 0;
  int slotSize_ = 0;
  // The layout the buffers have (flags may change before the storage lays the records out again).
  bool textSlot_ = false;
};

class TcxInternalValueDef : public TcxValueDef {
  TRENVIK_CLASS(TcxInternalValueDef, TcxValueDef);

 public:
  using TcxValueDef::TcxValueDef;
  TObject* GetLink() override;
  bool IsStored() override { return true; }
};

class TcxValueDefs : public TObject {
  TRENVIK_CLASS(TcxValueDefs, TObject);

 public:
  explicit TcxValueDefs(TcxDataStorage* AStorage);
  ~TcxValueDefs() override;

  TcxDataStorage* Storage() const { return storage_; }
  int RecordOffset() const { return recordOffset_; }
  int RecordSize() const { return recordSize_; }

  virtual void Changed(TcxValueDef* ADef, int AKind);
  virtual TcxValueDef* CreateValueDef(TcxValueTypeClass ATypeClass);
  virtual void Prepare(int AStartOffset);

  TcxValueDef* Add(TcxValueTypeClass ATypeClass, bool AInRecord, TObject* ALink, bool ATextStored);
  void Clear();
  int Count() const { return static_cast<int>(items_.size()); }
  TcxValueDef* Items(int AIndex) const { return items_.at(static_cast<size_t>(AIndex)); }
  int IndexOf(TcxValueDef* ADef) const;
  int StoredCount() const;

 private:
  friend class TcxValueDef;
  void Remove(TcxValueDef* ADef);
  TcxDataStorage* storage_;
  std::vector<TcxValueDef*> items_;
  int recordOffset_ = 0;
  int recordSize_ = 0;
};

class TcxInternalValueDefs : public TcxValueDefs {
  TRENVIK_CLASS(TcxInternalValueDefs, TcxValueDefs);

 public:
  using TcxValueDefs::TcxValueDefs;
  TcxValueDef* CreateValueDef(TcxValueTypeClass ATypeClass) override;
  TcxValueDef* FindByLink(TObject* ALink) const;
  void RemoveByLink(TObject* ALink);
};

class TcxValueDefReader : public TObject {
  TRENVIK_CLASS(TcxValueDefReader, TObject);

 public:
  virtual String GetDisplayText(TcxValueDef*) { return String(); }
  virtual Variant GetValue(TcxValueDef*) { return Null(); }
  virtual bool IsValueSkipped(TcxValueDef*) { return false; }
};

class TcxDataStorage : public TObject {
  TRENVIK_CLASS(TcxDataStorage, TObject);

 public:
  TcxDataStorage();
  ~TcxDataStorage() override;

  TcxInternalValueDefs* InternalValueDefs() const { return internalValueDefs_; }
  TcxValueDefs* ValueDefs() const { return valueDefs_; }
  bool StoredValuesOnly() const { return storedValuesOnly_; }
  void SetStoredValuesOnly(bool AValue);
  std::function<void(TObject* Sender)> OnClearInternalRecords;

  virtual void PrepareValueDefs(TcxValueDefs* ADefs) { ADefs->Prepare(1); }
  virtual void ValueDefChanged(TcxValueDef* ADef, int AKind);
  virtual TcxValueDefs* GetValueDefs(int AIndex) const {
    return AIndex < 0 ? internalValueDefs_ : valueDefs_;
  }

  int RecordCount() const { return static_cast<int>(records_.size()); }
  void SetRecordCount(int ACount);
  int AppendRecord();
  void InsertRecord(int AIndex);
  void DeleteRecord(int AIndex);
  int AddInternalRecord();
  Variant GetValue(int AIndex, TcxValueDef* ADef);
  void SetValue(int AIndex, TcxValueDef* ADef, const Variant& AValue);
  String GetDisplayText(int AIndex, TcxValueDef* ADef);
  void SetDisplayText(int AIndex, TcxValueDef* ADef, const String& AText);
  // True (Null) when the slot or the record has no value; otherwise P is the value's data.
  bool GetValuePointer(int AIndex, TcxValueDef* ADef, const void*& P);
  int CompareRecords(int AIndex1, int AIndex2, TcxValueDef* ADef);
  void ReadRecord(int AIndex, TcxValueDefReader* AReader, bool ASkipMarked);
  void ForEachValueDef(int AIndex, void* AParam, void (*AProc)(TcxValueDef* ADef, void* AParam));
  void Clear();
  void ClearInternalRecords();
  void ClearRecords(bool ADeleteEntries);
  void CheckStructure();

  // The buffer of a record, nullptr when it was never written.
  const Byte* Buffer(int AIndex) const {
    return AIndex < 0 ? internalRecords_[static_cast<size_t>(-AIndex - 1)]
                      : records_[static_cast<size_t>(AIndex)];
  }
  // The definition that holds values of AIndex's record space for ADef (its internal mirror for
  // internal records); nullptr when there is none.
  TcxValueDef* ResolveValueDef(int AIndex, TcxValueDef* ADef);

 private:
  friend class TcxValueDefs;
  friend class TcxValueDef;
  using RecordList = std::vector<Byte*>;
  Byte*& BufferRef(int AIndex);
  Byte* AllocateBuffer(int AIndex);
  void FreeBuffer(Byte*& ABuffer, TcxValueDefs* ADefs);
  void InsertValueDef(int APosition, TcxValueDef* ADef);
  void RemoveValueDef(TcxValueDef* ADef);
  bool destroying_ = false;
  bool structureChanged_ = false;
  bool storedValuesOnly_ = false;
  RecordList records_;
  RecordList internalRecords_;
  TcxInternalValueDefs* internalValueDefs_ = nullptr;
  TcxValueDefs* valueDefs_ = nullptr;
};

// ---------------------------------------------------------------------------------------------
// Lookup list

struct TcxLookupListItem {
  Variant Value;
  String DisplayText;
};

class TcxLookupList : public TObject {
  TRENVIK_CLASS(TcxLookupList, TObject);

 public:
  void Clear() { items_.clear(); }
  bool Find(const Variant& AKey, int& AIndex) const;
  void Insert(int AIndex, const Variant& AKey, const String& ADisplayText);
  int Count() const { return static_cast<int>(items_.size()); }
  const TcxLookupListItem& Items(int AIndex) const { return items_.at(static_cast<size_t>(AIndex)); }

 private:
  std::vector<TcxLookupListItem> items_;
};
