#include "platform/data/Fields.h"

#include <algorithm>

#include "platform/data/DBConsts.h"
#include "platform/data/DataSet.h"
#include "platform/data/Field.h"
#include "platform/rtl/StrUtils.h"

TField* TFields::Fields(int Index) const {
  if (Index < 0 || Index >= Count()) DatabaseError(S(DBConsts::SFieldIndexError), dataSet_);
  return list_[Index];
}

int TFields::IndexOf(const TField* Field) const {
  auto it = std::find(list_.begin(), list_.end(), Field);
  return it == list_.end() ? -1 : static_cast<int>(it - list_.begin());
}

TField* TFields::FindField(const String& FieldName) const {
  for (TField* f : list_)
    if (AnsiSameText(f->FieldName(), FieldName)) return f;
  return nullptr;
}

TField* TFields::FieldByName(const String& FieldName) const {
  TField* f = FindField(FieldName);
  if (!f) DatabaseErrorFmt(DBConsts::SFieldNotFound, {FieldName}, dataSet_);
  return f;
}

TField* TFields::FieldByNumber(int FieldNo) const {
  for (TField* f : list_)
    if (f->FieldNo() == FieldNo && f->FieldKind() == fkData) return f;
  return nullptr;
}

void TFields::Add(TField* Field) { list_.push_back(Field); }

void TFields::Remove(TField* Field) {
  auto it = std::find(list_.begin(), list_.end(), Field);
  if (it != list_.end()) list_.erase(it);
}

void TFields::Move(int From, int To) {
  if (From == To) return;
  TField* f = list_[From];
  list_.erase(list_.begin() + From);
  list_.insert(list_.begin() + To, f);
}
