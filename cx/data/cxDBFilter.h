// The filter of a dataset controller: it may hand its expression to the dataset's own filter
// (AutoDataSetFilter) or to the application (OnBeforeChange) instead of filtering the records.
#pragma once

#include <functional>

#include "cx/data/cxCustomData.h"
#include "platform/data/DataSet.h"

class TcxDBDataFilterCriteria;

using TcxDBDataFilterBeforeChangeEvent =
    std::function<void(TcxDBDataFilterCriteria* Sender, TDataSet* ADataSet, const String& AFilterText)>;

class TcxDBDataFilterCriteriaItem : public TcxDataFilterCriteriaItem {
  TRENVIK_CLASS(TcxDBDataFilterCriteriaItem, TcxDataFilterCriteriaItem);

 public:
  using TcxDataFilterCriteriaItem::TcxDataFilterCriteriaItem;
};

class TcxDBDataFilterCriteria : public TcxDataFilterCriteria {
  TRENVIK_CLASS(TcxDBDataFilterCriteria, TcxDataFilterCriteria);

 public:
  using TcxDataFilterCriteria::TcxDataFilterCriteria;
  bool AutoDataSetFilter() const { return autoDataSetFilter_; }
  void SetAutoDataSetFilter(bool AValue);
  TcxDBDataFilterBeforeChangeEvent OnBeforeChange;

  void Assign(TPersistent* ASource) override;
  void AssignEvents(TPersistent* ASource) override;
  TcxFilterCriteriaItem* CreateItem(TcxFilterCriteriaItemList* AParent, TObject* AItemLink,
                                    TcxFilterOperatorKind AOperatorKind, const Variant& AValue,
                                    const String& ADisplayValue) override;
  void RestoreDefaults() override;
  bool IsFiltering() override;
  void DoChanged() override;

 private:
  void ApplyToDataSet(TDataSet* ADataSet, const String& AFilterText);
  bool autoDataSetFilter_ = false;
};
