#include "platform/data/Params.h"

#include "platform/data/DBConsts.h"
#include "platform/data/Field.h"
#include "platform/data/FieldDefs.h"
#include "platform/data/RecordStore.h"
#include "platform/rtl/StrUtils.h"

TRENVIK_IMPLEMENT_CLASS(TParam)
TRENVIK_IMPLEMENT_CLASS(TParams)

TFieldType FieldTypeOfValue(const Variant& v) {
  switch (v.Type()) {
    case varSmallint:
    case varShortInt:
    case varByte:
      return ftSmallint;
    case varInteger:
      return ftInteger;
    case varWord:
      return ftWord;
    case varLongWord:
    case varInt64:
      return ftLargeint;
    case varSingle:
    case varDouble:
      return ftFloat;
    case varCurrency:
      return ftCurrency;
    case varDate:
      return ftDateTime;
    case varBoolean:
      return ftBoolean;
    case varString:
      return ftString;
    case varOleStr:
      return ftWideString;
    default:
      return ftUnknown;
  }
}

TParam::TParam(TCollection* Collection) : TCollectionItem(Collection) {}

TParam::TParam(TParams* Params, TParamType ParamType) : TCollectionItem(Params), paramType_(ParamType) {}

void TParam::SetDataType(TFieldType Value) {
  dataType_ = Value;
  if (IsNull()) return;
  try {
    switch (StoreKindOf(Value)) {
      case TStoreKind::Integer:
        value_ = Value == ftBoolean ? Variant(value_.AsBoolean()) : Variant(value_.AsInt64());
        break;
      case TStoreKind::Float:
        value_ = Variant(value_.AsDouble());
        break;
      case TStoreKind::Currency:
        value_ = Variant(value_.AsCurrency());
        break;
      case TStoreKind::DateTime:
        value_ = VarFromDateTime(value_.AsDateTime());
        break;
      case TStoreKind::Text:
        value_ = Variant(value_.AsString());
        break;
      case TStoreKind::Bytes:
        break;
    }
  } catch (const EVariantError&) {
    value_ = Null();
  }
}

void TParam::SetValue(const Variant& Value) {
  if (dataType_ == ftUnknown) dataType_ = FieldTypeOfValue(Value);
  value_ = Value;
  bound_ = true;
}

void TParam::Clear() {
  value_ = Null();
  bound_ = true;
}

void TParam::SetAsString(const String& Value) {
  if (dataType_ == ftUnknown) dataType_ = ftString;
  value_ = Variant(Value);
  bound_ = true;
}

void TParam::SetAsWideString(const String& Value) {
  if (dataType_ == ftUnknown) dataType_ = ftWideString;
  value_ = Variant(Value);
  bound_ = true;
}

void TParam::SetAsInteger(Integer Value) {
  if (dataType_ == ftUnknown) dataType_ = ftInteger;
  value_ = Variant(Value);
  bound_ = true;
}

void TParam::SetAsLargeInt(Int64 Value) {
  if (dataType_ == ftUnknown) dataType_ = ftLargeint;
  value_ = Variant(Value);
  bound_ = true;
}

void TParam::SetAsFloat(double Value) {
  if (dataType_ == ftUnknown) dataType_ = ftFloat;
  value_ = Variant(Value);
  bound_ = true;
}

void TParam::SetAsCurrency(Currency Value) {
  if (dataType_ == ftUnknown) dataType_ = ftCurrency;
  value_ = Variant(Value);
  bound_ = true;
}

void TParam::SetAsBoolean(bool Value) {
  if (dataType_ == ftUnknown) dataType_ = ftBoolean;
  value_ = Variant(Value);
  bound_ = true;
}

void TParam::SetAsDateTime(TDateTime Value) {
  if (dataType_ == ftUnknown) dataType_ = ftDateTime;
  value_ = VarFromDateTime(Value);
  bound_ = true;
}

void TParam::SetAsDate(TDateTime Value) {
  if (dataType_ == ftUnknown) dataType_ = ftDate;
  value_ = VarFromDateTime(Value);
  bound_ = true;
}

void TParam::SetAsTime(TDateTime Value) {
  if (dataType_ == ftUnknown) dataType_ = ftTime;
  value_ = VarFromDateTime(Value);
  bound_ = true;
}

void TParam::AssignField(TField* Field) { AssignFieldValue(Field, Field->Value()); }

void TParam::AssignFieldValue(TField* Field, const Variant& Value) {
  if (!Field) return;
  TFieldType type = Field->DataType();
  if (type == ftAutoInc) type = ftInteger;
  dataType_ = type;
  size_ = Field->Size();
  if (name_.empty()) name_ = Field->FieldName();
  value_ = Value;
  bound_ = true;
}

void TParam::Assign(TPersistent* Source) {
  if (auto* p = dynamic_cast<TParam*>(Source)) {
    name_ = p->name_;
    dataType_ = p->dataType_;
    paramType_ = p->paramType_;
    size_ = p->size_;
    precision_ = p->precision_;
    numericScale_ = p->numericScale_;
    bound_ = p->bound_;
    value_ = p->value_;
    return;
  }
  if (auto* f = dynamic_cast<TField*>(Source)) {
    AssignField(f);
    return;
  }
  TCollectionItem::Assign(Source);
}

TParams::TParams(TPersistent* Owner) : TCollection(TParam::StaticClass()), owner_(Owner) {}

TParam* TParams::CreateParam(TFieldType DataType, const String& Name, TParamType ParamType) {
  TParam* p = AddParameter();
  p->SetName(Name);
  p->SetDataType(DataType);
  p->SetParamType(ParamType);
  return p;
}

TParam* TParams::FindParam(const String& Name) const {
  for (int i = 0; i < Count(); ++i)
    if (AnsiSameText(Items(i)->Name(), Name)) return Items(i);
  return nullptr;
}

TParam* TParams::ParamByName(const String& Name) const {
  TParam* p = FindParam(Name);
  if (!p) DatabaseErrorFmt(DBConsts::SParameterNotFound, {Name});
  return p;
}

void TParams::GetParamList(std::vector<TParam*>& List, const String& Names) const {
  for (const String& name : SplitFieldNames(Names)) List.push_back(ParamByName(name));
}

Variant TParams::ParamValues(const String& Names) const {
  std::vector<TParam*> list;
  GetParamList(list, Names);
  if (list.size() == 1) return list[0]->Value();
  std::vector<Variant> values;
  for (TParam* p : list) values.push_back(p->Value());
  return VarArrayOf(values);
}

void TParams::SetParamValues(const String& Names, const Variant& Value) {
  std::vector<TParam*> list;
  GetParamList(list, Names);
  if (list.size() == 1) {
    list[0]->SetValue(Value);
    return;
  }
  int low = VarIsArray(Value) ? VarArrayLowBound(Value, 1) : 0;
  for (std::size_t i = 0; i < list.size(); ++i)
    list[i]->SetValue(VarIsArray(Value) ? Value.Element(low + static_cast<int>(i)) : Value);
}

void TParams::AssignValues(TParams* Source) {
  for (int i = 0; i < Source->Count(); ++i) {
    TParam* src = Source->Items(i);
    if (TParam* p = FindParam(src->Name())) p->Assign(src);
  }
}

bool TParams::IsEqual(const TParams* Other) const {
  if (!Other || Other->Count() != Count()) return false;
  for (int i = 0; i < Count(); ++i) {
    TParam* a = Items(i);
    TParam* b = Other->Items(i);
    if (a->Name() != b->Name() || a->DataType() != b->DataType() || a->ParamType() != b->ParamType() ||
        a->IsNull() != b->IsNull())
      return false;
    if (!a->IsNull()) {
      try {
        if (!(a->Value() == b->Value())) return false;
      } catch (const EVariantError&) {
        return false;
      }
    }
  }
  return true;
}

namespace {
bool IsNameChar(Char c) {
  return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u'_' ||
         c >= 0x80;
}

// Scans a statement for ":NAME" outside literals and brackets; calls onParam(name) and builds the
// statement with "?" in their place.
template <class F>
String ScanSQL(const String& sql, F onParam) {
  String out;
  out.reserve(sql.size());
  std::size_t i = 0, n = sql.size();
  while (i < n) {
    Char c = sql[i];
    if (c == u'\'' || c == u'"' || c == u'[') {
      Char close = c == u'[' ? u']' : c;
      std::size_t j = i + 1;
      while (j < n) {
        if (sql[j] == close) {
          if (close != u']' && j + 1 < n && sql[j + 1] == close) {
            j += 2;
            continue;
          }
          break;
        }
        ++j;
      }
      std::size_t end = j < n ? j + 1 : n;
      out.append(sql, i, end - i);
      i = end;
      continue;
    }
    if (c == u':') {
      if (i + 1 < n && sql[i + 1] == u':') {
        out += u':';
        i += 2;
        continue;
      }
      std::size_t j = i + 1;
      while (j < n && IsNameChar(sql[j])) ++j;
      if (j > i + 1) {
        onParam(sql.substr(i + 1, j - i - 1));
        out += u'?';
        i = j;
        continue;
      }
    }
    out += c;
    ++i;
  }
  return out;
}
}  // namespace

std::vector<String> TParams::ParamNamesOf(const String& SQL) {
  std::vector<String> names;
  ScanSQL(SQL, [&](const String& name) { names.push_back(name); });
  return names;
}

String TParams::ParseSQL(const String& SQL, bool DoCreate) {
  std::vector<String> names;
  String result = ScanSQL(SQL, [&](const String& name) { names.push_back(name); });
  if (DoCreate) {
    // Recreate in order of first use, keeping what existing parameters held.
    TParams old(nullptr);
    old.Assign(this);
    Clear();
    for (const String& name : names) {
      if (FindParam(name)) continue;
      TParam* p = AddParameter();
      if (TParam* prev = old.FindParam(name))
        p->Assign(prev);
      else
        p->SetName(name);
    }
  }
  return result;
}
