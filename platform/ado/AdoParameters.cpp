#include "platform/ado/ADODB.h"
#include "platform/ado/SqlTokens.h"
#include "platform/classes/Published.h"
#include "platform/data/Params.h"

namespace {

// The Variant kind that holds a value of a field type.
TVarType VarTypeOfField(TFieldType t) {
  switch (t) {
    case ftSmallint:
    case ftInteger:
    case ftWord:
    case ftAutoInc:
      return varInteger;
    case ftLargeint:
      return varInt64;
    case ftBoolean:
      return varBoolean;
    case ftFloat:
    case ftBCD:
    case ftFMTBcd:
      return varDouble;
    case ftCurrency:
      return varCurrency;
    case ftDate:
    case ftTime:
    case ftDateTime:
    case ftTimeStamp:
      return varDate;
    case ftString:
    case ftWideString:
    case ftFixedChar:
    case ftMemo:
    case ftFmtMemo:
    case ftGuid:
      return varOleStr;
    default:
      return varEmpty;
  }
}

// A value's field type as the data layer sees it, but an unsigned 16-bit value is an integer here.
TFieldType FieldTypeOfVar(const Variant& v) {
  TFieldType t = FieldTypeOfValue(v);
  return t == ftWord ? ftInteger : t;
}

}  // namespace

TRENVIK_PUBLISHED(TParameter) {
  P.Property("Name", &TParameter::Name, &TParameter::SetName);
  P.Property("Attributes", &TParameter::Attributes, &TParameter::SetAttributes);
  P.Property("DataType", &TParameter::DataType, &TParameter::SetDataType).Default(ftUnknown);
  P.Property("Direction", &TParameter::Direction, &TParameter::SetDirection).Default(pdInput);
  P.Property("NumericScale", &TParameter::NumericScale, &TParameter::SetNumericScale).Default(0);
  P.Property("Precision", &TParameter::Precision, &TParameter::SetPrecision).Default(0);
  P.Property("Size", &TParameter::Size, &TParameter::SetSize).Default(0);
  P.Property("Value", &TParameter::Value, &TParameter::SetValue);
}

TParameter::TParameter(TCollection* Collection) : TCollectionItem(Collection) {}

void TParameter::SetDataType(TFieldType Value) {
  dataType_ = Value;
  if (!VarIsNull(value_) && !VarIsEmpty(value_)) SetValue(Variant(value_));
}

void TParameter::SetValue(const Variant& Value) {
  if (VarIsNull(Value) || VarIsEmpty(Value)) {
    value_ = Value;
    return;
  }
  if (dataType_ == ftUnknown) {
    dataType_ = FieldTypeOfVar(Value);
    value_ = Value;
    return;
  }
  TVarType target = VarTypeOfField(dataType_);
  value_ = target == varEmpty || Value.Type() == target ? Value : VarAsType(Value, target);
}

void TParameter::Assign(TPersistent* Source) {
  if (auto* p = dynamic_cast<TParameter*>(Source)) {
    name_ = p->name_;
    dataType_ = p->dataType_;
    direction_ = p->direction_;
    size_ = p->size_;
    attributes_ = p->attributes_;
    precision_ = p->precision_;
    numericScale_ = p->numericScale_;
    value_ = p->value_;
    return;
  }
  TCollectionItem::Assign(Source);
}

TRENVIK_IMPLEMENT_CLASS(TParameters)

TParameters::TParameters(TPersistent* Owner) : TOwnedCollection(Owner, TParameter::StaticClass()) {}

TParameter* TParameters::CreateParameter(const String& Name, TFieldType DataType,
                                         TParameterDirection Direction, int Size, const Variant& Value) {
  TParameter* p = AddParameter();
  p->SetName(Name);
  p->SetDataType(DataType);
  p->SetDirection(Direction);
  p->SetSize(Size);
  p->SetValue(Value);
  return p;
}

TParameter* TParameters::FindParam(const String& Value) const {
  for (int i = 0; i < Count(); ++i)
    if (SameName(Items(i)->Name(), Value)) return Items(i);
  return nullptr;
}

TParameter* TParameters::ParamByName(const String& Value) const {
  if (TParameter* p = FindParam(Value)) return p;
  throw EADOError(u"Parameter '" + Value + u"' not found");
}

String TParameters::ParseSQL(const String& SQL, bool DoCreate) {
  std::vector<String> names = ParseSqlParams(SQL);
  if (DoCreate) {
    // Rebuilt in statement order; a parameter that was there keeps its settings.
    BeginUpdate();
    TParameters saved(nullptr);
    saved.Assign(this);
    Clear();
    for (auto& n : names) {
      TParameter* p = AddParameter();
      if (TParameter* was = saved.FindParam(n)) p->Assign(was);
      p->SetName(n);
    }
    EndUpdate();
  }
  return SQL;
}
