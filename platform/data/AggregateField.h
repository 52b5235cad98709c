// A field whose value totals the dataset's records: "SUM(F)", "AVG(F)", "MIN(F)", "MAX(F)",
// "COUNT(F)" (the non-null values) or "COUNT(*)" over the records the cursor can reach, while
// Active. Null when inactive, when nothing is counted but COUNT, or on a closed dataset.
#pragma once

#include "platform/data/Field.h"

class TAggregateField : public TField {
  TRENVIK_CLASS(TAggregateField, TField);

 public:
  explicit TAggregateField(TComponent* AOwner);

  const String& Expression() const { return expression_; }
  // An expression of another form raises EDatabaseError.
  void SetExpression(const String& Value);
  bool Active() const { return active_; }
  void SetActive(bool Value);
  const String& DisplayFormat() const { return displayFormat_; }
  void SetDisplayFormat(const String& Value);
  // Shown as money (the locale's currency format) when there is no DisplayFormat.
  bool Currency() const { return currency_; }
  void SetCurrency(bool Value);
  int Precision() const { return precision_; }
  void SetPrecision(int Value);
  // Totals over groups of an index are not kept: 0 (the whole dataset) only.
  int GroupingLevel() const { return groupingLevel_; }
  void SetGroupingLevel(int Value);
  const String& IndexName() const { return indexName_; }
  void SetIndexName(const String& Value) { indexName_ = Value; }

  bool GetData(Variant& Value) const override;
  bool CanModify() const override { return false; }

 protected:
  String GetText(bool DisplayText) const override;

 private:
  enum class TFunction { Sum, Avg, Min, Max, Count };
  TFunction function_ = TFunction::Sum;
  String argument_;  // a field name, or "*" with COUNT
  String expression_;
  String displayFormat_;
  bool active_ = false;
  bool currency_ = false;
  int precision_ = 15;
  int groupingLevel_ = 0;
  String indexName_;
};
