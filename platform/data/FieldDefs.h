// Field and index definitions: what a dataset's source provides (name, type, size) before fields
// are created, and the indexes a client dataset can order by.
#pragma once

#include "platform/classes/Collection.h"
#include "platform/data/DBTypes.h"

class TComponent;
class TDataSet;
class TField;

class TFieldDef : public TCollectionItem {
  TRENVIK_CLASS(TFieldDef, TCollectionItem);

 public:
  explicit TFieldDef(TCollection* Collection);

  const String& Name() const { return name_; }
  void SetName(const String& Value) { name_ = Value; }
  TFieldType DataType() const { return dataType_; }
  void SetDataType(TFieldType Value) { dataType_ = Value; }
  // Characters for text, decimals for BCD.
  int Size() const { return size_; }
  void SetSize(int Value) { size_ = Value; }
  int Precision() const { return precision_; }
  void SetPrecision(int Value) { precision_ = Value; }
  bool Required() const { return required_; }
  void SetRequired(bool Value) { required_ = Value; }
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool Value) { readOnly_ = Value; }
  // 1-based position among the definitions.
  int FieldNo() const { return Index() + 1; }
  // A field of the class for DataType, named and sized after the definition, in the dataset.
  TField* CreateField(TComponent* Owner, TDataSet* DataSet);
  void Assign(TPersistent* Source) override;

 protected:
  String GetDisplayName() override { return name_; }

 private:
  String name_;
  TFieldType dataType_ = ftUnknown;
  int size_ = 0;
  int precision_ = 0;
  bool required_ = false;
  bool readOnly_ = false;
};

class TFieldDefs : public TOwnedCollection {
  TRENVIK_CLASS(TFieldDefs, TOwnedCollection);

 public:
  explicit TFieldDefs(TPersistent* Owner);
  TFieldDef* Items(int Index) const { return static_cast<TFieldDef*>(TCollection::Items(Index)); }
  TFieldDef* operator[](int Index) const { return Items(Index); }
  TFieldDef* AddFieldDef() { return static_cast<TFieldDef*>(TCollection::Add()); }
  // Raises EDatabaseError "Duplicate field name '%s'" for a name already defined (case-insensitive).
  TFieldDef* Add(const String& Name, TFieldType DataType, int Size = 0, bool Required = false);
  // -1 when absent; case-insensitive.
  int IndexOf(const String& Name) const;
  TFieldDef* FindDef(const String& Name) const;
  // Raises EDatabaseError "Field '%s' not found".
  TFieldDef* Find(const String& Name) const;
  // Asks the dataset to fill the definitions without opening (for a closed dataset).
  void Update();
};

class TIndexDef : public TCollectionItem {
  TRENVIK_CLASS(TIndexDef, TCollectionItem);

 public:
  explicit TIndexDef(TCollection* Collection);

  const String& Name() const { return name_; }
  void SetName(const String& Value) { name_ = Value; }
  // "A;B": the key fields in order.
  const String& Fields() const { return fields_; }
  void SetFields(const String& Value) { fields_ = Value; }
  // Key fields ordered descending / compared ignoring case (each a subset of Fields).
  const String& DescFields() const { return descFields_; }
  void SetDescFields(const String& Value) { descFields_ = Value; }
  const String& CaseInsFields() const { return caseInsFields_; }
  void SetCaseInsFields(const String& Value) { caseInsFields_ = Value; }
  // ixDescending orders every key field descending, ixCaseInsensitive compares every one ignoring case.
  TIndexOptions Options() const { return options_; }
  void SetOptions(TIndexOptions Value) { options_ = Value; }
  void Assign(TPersistent* Source) override;

 protected:
  String GetDisplayName() override { return name_; }

 private:
  String name_;
  String fields_;
  String descFields_;
  String caseInsFields_;
  TIndexOptions options_;
};

class TIndexDefs : public TOwnedCollection {
  TRENVIK_CLASS(TIndexDefs, TOwnedCollection);

 public:
  explicit TIndexDefs(TPersistent* Owner);
  TIndexDef* Items(int Index) const { return static_cast<TIndexDef*>(TCollection::Items(Index)); }
  TIndexDef* operator[](int Index) const { return Items(Index); }
  TIndexDef* AddIndexDef() { return static_cast<TIndexDef*>(TCollection::Add()); }
  TIndexDef* Add(const String& Name, const String& Fields, TIndexOptions Options);
  int IndexOf(const String& Name) const;
  TIndexDef* FindIndexDef(const String& Name) const;
  // Raises EDatabaseError "Index '%s' not found".
  TIndexDef* Find(const String& Name) const;
};

// Splits "A;B; C" into trimmed names; empty parts are skipped.
std::vector<String> SplitFieldNames(const String& FieldNames);
