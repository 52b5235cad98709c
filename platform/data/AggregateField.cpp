#include "platform/data/AggregateField.h"

#include "platform/classes/Published.h"
#include "platform/data/DataSet.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/NumberText.h"
#include "platform/rtl/StrUtils.h"

TRENVIK_PUBLISHED(TAggregateField) {
  P.Property("Active", &TAggregateField::Active, &TAggregateField::SetActive).Default(false);
  P.Property("Currency", &TAggregateField::Currency, &TAggregateField::SetCurrency).Default(false);
  P.Property("DisplayFormat", &TAggregateField::DisplayFormat, &TAggregateField::SetDisplayFormat);
  P.Property("Expression", &TAggregateField::Expression, &TAggregateField::SetExpression);
  P.Property("GroupingLevel", &TAggregateField::GroupingLevel, &TAggregateField::SetGroupingLevel).Default(0);
  P.Property("IndexName", &TAggregateField::IndexName, &TAggregateField::SetIndexName);
  P.Property("Precision", &TAggregateField::Precision, &TAggregateField::SetPrecision).Default(15);
}

std::vector<Variant> TDataSet::ViewValues(const TField* Field) const {
  std::vector<Variant> values;
  if (!Field || Field->FieldKind() != fkData || Field->slot_ < 0) return values;
  values.reserve(View().size());
  for (TRecordId row : View())
    if (store_.IsValid(row)) values.push_back(store_.GetValue(row, Field->slot_));
  return values;
}

TAggregateField::TAggregateField(TComponent* AOwner) : TField(AOwner) {
  SetFieldKind(fkAggregate);
  SetVisible(false);
}

void TAggregateField::SetExpression(const String& Value) {
  const String text = Trim(Value);
  const size_t open = text.find(u'('), close = text.rfind(u')');
  if (!text.empty()) {
    if (open == String::npos || close != text.size() - 1 || close < open)
      throw EDatabaseError("Invalid aggregate expression: " + StringToUtf8(Value));
    const String name = UpperCase(Trim(text.substr(0, open)));
    const String argument = Trim(text.substr(open + 1, close - open - 1));
    TFunction f;
    if (name == u"SUM") f = TFunction::Sum;
    else if (name == u"AVG") f = TFunction::Avg;
    else if (name == u"MIN") f = TFunction::Min;
    else if (name == u"MAX") f = TFunction::Max;
    else if (name == u"COUNT") f = TFunction::Count;
    else throw EDatabaseError("Invalid aggregate expression: " + StringToUtf8(Value));
    if (argument.empty() || (argument == u"*" && f != TFunction::Count))
      throw EDatabaseError("Invalid aggregate expression: " + StringToUtf8(Value));
    function_ = f;
    argument_ = argument;
  }
  expression_ = Value;
  PropertyChanged(false);
}

void TAggregateField::SetActive(bool Value) {
  active_ = Value;
  PropertyChanged(false);
}

void TAggregateField::SetDisplayFormat(const String& Value) {
  displayFormat_ = Value;
  PropertyChanged(false);
}

void TAggregateField::SetCurrency(bool Value) {
  currency_ = Value;
  PropertyChanged(false);
}

void TAggregateField::SetPrecision(int Value) {
  precision_ = std::clamp(Value, 2, 18);
  PropertyChanged(false);
}

void TAggregateField::SetGroupingLevel(int Value) {
  if (Value != 0) throw EDatabaseError("Aggregates over index groups are not supported");
  groupingLevel_ = Value;
}

bool TAggregateField::GetData(Variant& Value) const {
  Value = Null();
  TDataSet* ds = DataSet();
  if (!active_ || expression_.empty() || !ds || !ds->Active()) return false;
  if (argument_ == u"*") {
    Value = Variant(static_cast<Integer>(ds->RecordCount()));
    return true;
  }
  TField* source = ds->FieldByName(argument_);
  std::vector<Variant> values = ds->ViewValues(source);
  std::erase_if(values, [](const Variant& v) { return VarIsNull(v) || VarIsEmpty(v); });
  if (function_ == TFunction::Count) {
    Value = Variant(static_cast<Integer>(values.size()));
    return true;
  }
  if (values.empty()) return false;
  switch (function_) {
    case TFunction::Sum:
    case TFunction::Avg: {
      Variant total = values.front();
      for (size_t i = 1; i < values.size(); ++i) total = total + values[i];
      Value = function_ == TFunction::Sum ? total : Variant(total.AsDouble() / static_cast<double>(values.size()));
      return true;
    }
    case TFunction::Min:
    case TFunction::Max:
      Value = values.front();
      for (const Variant& v : values)
        if (function_ == TFunction::Min ? v < Value : v > Value) Value = v;
      return true;
    default: return false;
  }
}

String TAggregateField::GetText(bool DisplayText) const {
  Variant v;
  if (!GetData(v)) return String();
  if (!VarIsNumeric(v)) return v.AsString();
  const double d = v.AsDouble();
  if (!displayFormat_.empty()) return FormatFloat(displayFormat_, d);
  if (currency_) return FloatToStrF(d, DisplayText ? ffCurrency : ffFixed, precision_, FormatSettings().CurrencyDecimals);
  return FloatToStrF(d, ffGeneral, precision_, 0);
}
