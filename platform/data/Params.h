// Parameters of statements and parameterised datasets: name, data type, direction and value.
#pragma once

#include <vector>

#include "platform/classes/Collection.h"
#include "platform/data/DBTypes.h"
#include "platform/rtl/Variant.h"

class TField;
class TParams;

// The field type that holds a value of the Variant's kind; ftUnknown for Null, Empty and kinds no
// field holds.
TFieldType FieldTypeOfValue(const Variant& Value);

class TParam : public TCollectionItem {
  TRENVIK_CLASS(TParam, TCollectionItem);

 public:
  explicit TParam(TCollection* Collection);
  TParam(TParams* Params, TParamType ParamType);

  const String& Name() const { return name_; }
  void SetName(const String& Value) { name_ = Value; }
  TFieldType DataType() const { return dataType_; }
  // Converts the value held to the new type when there is one.
  void SetDataType(TFieldType Value);
  TParamType ParamType() const { return paramType_; }
  void SetParamType(TParamType Value) { paramType_ = Value; }
  int Size() const { return size_; }
  void SetSize(int Value) { size_ = Value; }
  int Precision() const { return precision_; }
  void SetPrecision(int Value) { precision_ = Value; }
  int NumericScale() const { return numericScale_; }
  void SetNumericScale(int Value) { numericScale_ = Value; }
  // A value was assigned.
  bool Bound() const { return bound_; }
  void SetBound(bool Value) { bound_ = Value; }

  const Variant& Value() const { return value_; }
  // Sets the value; a parameter of unknown type takes its type from the value.
  void SetValue(const Variant& Value);
  bool IsNull() const { return VarIsNull(value_) || VarIsEmpty(value_); }
  void Clear();
  String AsString() const { return IsNull() ? String() : value_.AsString(); }
  void SetAsString(const String& Value);
  String AsWideString() const { return AsString(); }
  void SetAsWideString(const String& Value);
  Integer AsInteger() const { return IsNull() ? 0 : value_.AsInteger(); }
  void SetAsInteger(Integer Value);
  Int64 AsLargeInt() const { return IsNull() ? 0 : value_.AsInt64(); }
  void SetAsLargeInt(Int64 Value);
  double AsFloat() const { return IsNull() ? 0.0 : value_.AsDouble(); }
  void SetAsFloat(double Value);
  Currency AsCurrency() const { return IsNull() ? Currency() : value_.AsCurrency(); }
  void SetAsCurrency(Currency Value);
  bool AsBoolean() const { return IsNull() ? false : value_.AsBoolean(); }
  void SetAsBoolean(bool Value);
  TDateTime AsDateTime() const { return IsNull() ? 0.0 : value_.AsDateTime(); }
  void SetAsDateTime(TDateTime Value);
  void SetAsDate(TDateTime Value);
  void SetAsTime(TDateTime Value);
  // Type (and size) and value of a field.
  void AssignField(TField* Field);
  // The field's type with another value.
  void AssignFieldValue(TField* Field, const Variant& Value);
  void Assign(TPersistent* Source) override;

 protected:
  String GetDisplayName() override { return name_; }

 private:
  String name_;
  TFieldType dataType_ = ftUnknown;
  TParamType paramType_ = ptUnknown;
  int size_ = 0;
  int precision_ = 0;
  int numericScale_ = 0;
  bool bound_ = false;
  Variant value_;
};

class TParams : public TCollection {
  TRENVIK_CLASS(TParams, TCollection);

 public:
  explicit TParams(TPersistent* Owner = nullptr);
  TParam* Items(int Index) const { return static_cast<TParam*>(TCollection::Items(Index)); }
  TParam* operator[](int Index) const { return Items(Index); }
  TParam* AddParameter() { return static_cast<TParam*>(Add()); }
  TParam* CreateParam(TFieldType DataType, const String& Name, TParamType ParamType);
  // Case-insensitive; nullptr when absent.
  TParam* FindParam(const String& Name) const;
  // Raises EDatabaseError "Parameter '%s' not found".
  TParam* ParamByName(const String& Name) const;
  // The parameters named in "A;B"; raises for an unknown name.
  void GetParamList(std::vector<TParam*>& List, const String& Names) const;
  // One name: its value; several: a variant array of their values.
  Variant ParamValues(const String& Names) const;
  void SetParamValues(const String& Names, const Variant& Value);
  // Values of parameters with the same names in Source.
  void AssignValues(TParams* Source);
  bool IsEqual(const TParams* Other) const;
  // Finds the ":NAME" parameters of a statement (outside quoted text and brackets; "::" is a
  // literal colon). With DoCreate the parameters are recreated in order of first use (keeping the
  // type and value of one that existed). The result is the statement with each ":NAME" replaced by
  // "?" ("::" by ":").
  String ParseSQL(const String& SQL, bool DoCreate);
  // The names in order of use (a name used twice appears twice).
  static std::vector<String> ParamNamesOf(const String& SQL);
  TPersistent* GetOwner() override { return owner_; }

 private:
  TPersistent* owner_;
};
