// TFields: the ordered list of a dataset's fields. It does not own them: dynamic fields are owned
// by the dataset, persistent fields by their form or data module.
#pragma once

#include <vector>

#include "platform/rtl/Types.h"

class TDataSet;
class TField;

class TFields {
 public:
  explicit TFields(TDataSet* DataSet) : dataSet_(DataSet) {}
  TFields(const TFields&) = delete;
  TFields& operator=(const TFields&) = delete;

  TDataSet* DataSet() const { return dataSet_; }
  int Count() const { return static_cast<int>(list_.size()); }
  // Raises EDatabaseError "Field index out of range".
  TField* Fields(int Index) const;
  TField* operator[](int Index) const { return Fields(Index); }
  int IndexOf(const TField* Field) const;
  // Case-insensitive; nullptr when absent.
  TField* FindField(const String& FieldName) const;
  // Raises EDatabaseError "<dataset>: Field '<name>' not found".
  TField* FieldByName(const String& FieldName) const;
  // The data field bound to field definition FieldNo (1-based); nullptr when none.
  TField* FieldByNumber(int FieldNo) const;
  auto begin() const { return list_.begin(); }
  auto end() const { return list_.end(); }

 private:
  friend class TField;
  friend class TDataSet;
  void Add(TField* Field);
  void Remove(TField* Field);
  void Move(int From, int To);

  TDataSet* dataSet_;
  std::vector<TField*> list_;
};
