// TDataSet: Locate, Lookup and FieldValues.
#include <algorithm>
#include <cmath>

#include "platform/data/DBConsts.h"
#include "platform/data/DataSet.h"
#include "platform/data/Field.h"
#include "platform/data/TextFold.h"

namespace {
// One key field's test, prepared once for the whole scan.
struct KeyMatcher {
  const TField* field = nullptr;
  int column = -1;
  TStoreKind kind = TStoreKind::Text;
  bool nullKey = false;
  bool caseInsensitive = false;
  bool partial = false;
  String text;  // folded when case-insensitive
  Int64 integer = 0;
  double number = 0;
  bool integral = true;
  Variant value;
};

Variant KeyValue(const Variant& values, std::size_t index, std::size_t count) {
  if (count == 1 && !VarIsArray(values)) return values;
  if (!VarIsArray(values)) {
    if (index == 0) return values;
    return Null();
  }
  int low = VarArrayLowBound(values, 1);
  int high = VarArrayHighBound(values, 1);
  int i = low + static_cast<int>(index);
  if (i > high) return Null();
  return values.Element(i);
}
}  // namespace

Int64 TDataSet::FindRecord(const std::vector<TField*>& Fields, const Variant& Values,
                           TLocateOptions Options) {
  std::vector<KeyMatcher> keys(Fields.size());
  for (std::size_t i = 0; i < Fields.size(); ++i) {
    KeyMatcher& k = keys[i];
    k.field = Fields[i];
    k.column = FieldColumn(Fields[i]);
    k.value = KeyValue(Values, i, Fields.size());
    k.nullKey = VarIsNull(k.value) || VarIsEmpty(k.value);
    k.caseInsensitive = Options.Contains(loCaseInsensitive);
    k.partial = Options.Contains(loPartialKey);
    if (k.column < 0) {
      if (!k.nullKey && VarIsStr(k.value)) {
        k.text = k.caseInsensitive ? FoldText(k.value.AsString()) : k.value.AsString();
      }
      continue;
    }
    k.kind = store_.ColumnKind(k.column);
    if (k.nullKey) continue;
    switch (k.kind) {
      case TStoreKind::Text:
        k.text = k.caseInsensitive ? FoldText(k.value.AsString()) : k.value.AsString();
        break;
      case TStoreKind::Integer:
        if (store_.ColumnType(k.column) == ftBoolean) {
          k.integer = k.value.AsBoolean() ? 1 : 0;
        } else {
          k.number = k.value.AsDouble();
          k.integral = std::trunc(k.number) == k.number && std::fabs(k.number) < 9.2e18;
          k.integer = k.integral ? static_cast<Int64>(k.number) : 0;
        }
        break;
      case TStoreKind::Currency:
        k.integer = k.value.AsCurrency().Scaled();
        break;
      case TStoreKind::Float:
        k.number = k.value.AsDouble();
        break;
      case TStoreKind::DateTime:
        k.number = k.value.AsDateTime();
        break;
      case TStoreKind::Bytes:
        k.text = String();
        break;
    }
  }

  auto matchCell = [&](const KeyMatcher& k, TRecordId row) -> bool {
    if (store_.IsNull(row, k.column)) return k.nullKey;
    if (k.nullKey) return false;
    switch (k.kind) {
      case TStoreKind::Text: {
        std::u16string_view cell = store_.GetText(row, k.column);
        return k.caseInsensitive ? FoldedMatch(cell, k.text, k.partial) : ExactMatch(cell, k.text, k.partial);
      }
      case TStoreKind::Integer:
        if (store_.ColumnType(k.column) == ftBoolean) return store_.GetInt(row, k.column) == k.integer;
        return k.integral && store_.GetInt(row, k.column) == k.integer;
      case TStoreKind::Currency:
        return store_.GetInt(row, k.column) == k.integer;
      case TStoreKind::Float:
      case TStoreKind::DateTime:
        return store_.GetFloat(row, k.column) == k.number;
      case TStoreKind::Bytes:
        return store_.GetBytes(row, k.column) == k.value.AsAnsiString();
    }
    return false;
  };

  auto matchOther = [&](const KeyMatcher& k, const Variant& v) -> bool {
    bool nullValue = VarIsNull(v) || VarIsEmpty(v);
    if (nullValue || k.nullKey) return nullValue && k.nullKey;
    if (VarIsStr(v) || VarIsStr(k.value)) {
      String cell = v.AsString();
      if (k.caseInsensitive) return FoldedMatch(cell, FoldText(k.value.AsString()), k.partial);
      return ExactMatch(cell, k.value.AsString(), k.partial);
    }
    try {
      return v == k.value;
    } catch (const EVariantError&) {
      return false;
    }
  };

  const std::vector<TRecordId>& view = View();
  for (std::size_t pos = 0; pos < view.size(); ++pos) {
    TRecordId row = view[pos];
    bool ok = true;
    std::vector<Variant> calc;
    bool calcDone = false;
    for (const KeyMatcher& k : keys) {
      if (k.column >= 0) {
        ok = matchCell(k, row);
      } else {
        if (!calcDone) {
          GetCalcFields(calc, row, nullptr);
          calcDone = true;
        }
        std::size_t slot = static_cast<std::size_t>(k.field->slot_);
        ok = matchOther(k, slot < calc.size() ? calc[slot] : Null());
      }
      if (!ok) break;
    }
    if (ok) return static_cast<Int64>(pos);
  }
  return -1;
}

bool TDataSet::Locate(const String& KeyFields, const Variant& KeyValues, TLocateOptions Options) {
  CheckBrowseMode();
  std::vector<TField*> fields;
  GetFieldList(fields, KeyFields);
  DoBeforeScroll();
  Int64 pos = FindRecord(fields, KeyValues, Options);
  if (pos < 0) return false;
  ResyncAt(pos, (bufferCount_ - 1) / 2);
  DoAfterScroll();
  return true;
}

Variant TDataSet::Lookup(const String& KeyFields, const Variant& KeyValues, const String& ResultFields) {
  CheckBrowseMode();
  std::vector<TField*> fields;
  GetFieldList(fields, KeyFields);
  Int64 pos = FindRecord(fields, KeyValues, {});
  if (pos < 0) return Null();
  TRecordId row = View()[pos];
  std::vector<Variant> calc;
  GetCalcFields(calc, row, nullptr);
  TRecordRef saved = temp_;
  TDataSetState old = SetTempState(dsCalcFields);
  temp_ = {row, nullptr, &calc};
  Variant result;
  try {
    result = FieldValues(ResultFields);
  } catch (...) {
    temp_ = saved;
    RestoreState(old);
    throw;
  }
  temp_ = saved;
  RestoreState(old);
  return result;
}

Variant TDataSet::FieldValues(const String& FieldNames) const {
  std::vector<TField*> fields;
  GetFieldList(fields, FieldNames);
  if (fields.size() == 1) return fields[0]->Value();
  std::vector<Variant> values;
  values.reserve(fields.size());
  for (TField* f : fields) values.push_back(f->Value());
  return VarArrayOf(values);
}

void TDataSet::SetFieldValues(const String& FieldNames, const Variant& Value) {
  std::vector<TField*> fields;
  GetFieldList(fields, FieldNames);
  if (fields.size() == 1) {
    fields[0]->SetValue(Value);
    return;
  }
  if (!VarIsArray(Value)) {
    // Null for several fields clears them all.
    for (TField* f : fields) f->SetValue(Value);
    return;
  }
  int low = VarArrayLowBound(Value, 1);
  for (std::size_t i = 0; i < fields.size(); ++i)
    fields[i]->SetValue(Value.Element(low + static_cast<int>(i)));
}
