// Routines on dataset fields for the dataset binding of the data controller, and the registry of
// adapters by dataset class with its one use: null conditions written "IS NULL" for query datasets.
#pragma once

#include <memory>
#include <vector>

#include "cx/data/cxFilter.h"
#include "platform/classes/StringList.h"
#include "platform/data/DataSet.h"
#include "platform/data/Field.h"

// Brackets a name that is not an identifier: [Last Name].
void BracketFieldName(String& AName);
// The field's Origin when set, else its bracketed FieldName; empty for no field.
String GetFilterFieldName(TField* AField);
// Equal after upper-casing both by the locale.
bool IsSameText(const String& A, const String& B);
// No field: Null; one field: its value; several: a variant array of their values in list order.
void GetFieldValues(TDataSet* ADataSet, const std::vector<TField*>& AFields, Variant& AValue);
void SetFieldValues(TDataSet* ADataSet, const std::vector<TField*>& AFields, const Variant& AValue);
// ';'-separated lists of field names (each name trimmed).
bool HasMultipleFieldNames(const String& ANames);
int GetFieldNameCount(const String& ANames);
void GetFieldNames(const String& ANames, TStrings* AList);
bool CanModifyField(TField* AField, bool AAnyType);
// Whether the display texts of a field's values are kept beside the values.
bool NeedsFieldDisplayText(TField* AField, bool ADefault);

class TcxDBAdapterItem : public TObject {
  TRENVIK_CLASS(TcxDBAdapterItem, TObject);

 public:
  TcxDBAdapterItem() = default;
  TClass DataSetClass() const { return dataSetClass_; }
  void SetDataSetClass(TClass AValue) { dataSetClass_ = AValue; }

 private:
  TClass dataSetClass_ = nullptr;
};

class TcxDBAdapterList : public TObject {
  TRENVIK_CLASS(TcxDBAdapterList, TObject);

 public:
  // The most specific registered class for ADataSetClass (searched from the end), and true; false
  // when no ancestor is registered (AIndex then marks a registered descendant, or -1).
  virtual bool FindAdapter(TClass ADataSetClass, int& AIndex);
  // AAdapterClass descends from TcxDBAdapterItem. Ancestors stay before their descendants.
  virtual void RegisterAdapter(TClass ADataSetClass, TClass AAdapterClass);
  virtual void UnregisterAdapter(TClass ADataSetClass, TClass AAdapterClass);
  void Clear() { items_.clear(); }
  int Count() const { return static_cast<int>(items_.size()); }
  TcxDBAdapterItem* Items(int AIndex) const { return items_.at(static_cast<size_t>(AIndex)).get(); }

 private:
  std::vector<std::unique_ptr<TcxDBAdapterItem>> items_;
};

class TcxDBFilterOperatorAdapter : public TcxDBAdapterItem {
  TRENVIK_CLASS(TcxDBFilterOperatorAdapter, TcxDBAdapterItem);

 public:
  // Null conditions on datasets whose class name contains "Query" become IS NULL / IS NOT NULL.
  virtual void PrepareOperatorClass(TcxFilterCriteriaItem* AItem, TDataSet* ADataSet, TClass& AOperatorClass);
};

class TcxFilterSQLNullOperator : public TcxFilterNullOperator {
  TRENVIK_CLASS(TcxFilterSQLNullOperator, TcxFilterNullOperator);

 public:
  using TcxFilterNullOperator::TcxFilterNullOperator;
  void GetExpressionText(String& AText) override { AText = u"IS"; }
};

class TcxFilterSQLNotNullOperator : public TcxFilterNotNullOperator {
  TRENVIK_CLASS(TcxFilterSQLNotNullOperator, TcxFilterNotNullOperator);

 public:
  using TcxFilterNotNullOperator::TcxFilterNotNullOperator;
  void GetExpressionText(String& AText) override { AText = u"IS NOT"; }
};

// The process-wide filter-operator adapter registry (made at start-up, freed at shut-down).
TcxDBAdapterList* cxFilterOperatorAdapters();
void cxCreateFilterOperatorAdapters();
void cxFreeFilterOperatorAdapters();
// The registered adapter for the dataset's class, or nullptr.
TcxDBFilterOperatorAdapter* GetFilterOperatorAdapter(TDataSet* ADataSet);

