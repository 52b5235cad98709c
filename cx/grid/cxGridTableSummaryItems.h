// The table view's summary items and summary group links: footer, group and default-group summaries
// whose item is a column, and their stored "Column".
#pragma once

#include "cx/data/cxDBData.h"
#include "cx/grid/cxGridCustomView.h"

class TcxGridColumn;
class TcxGridDBColumn;
class TcxCustomGridTableItem;

// The item of the view that owns ADataController whose Name is AName; nil when there is none or the
// data controller belongs to no record-based view.
TcxCustomGridTableItem* cxGridSummaryFindItemByName(TcxCustomDataController* ADataController, const String& AName);

// A summary object whose item link is a column of the view, stored by the column's name. The stored
// list query answers AListAnswer.
template <class TBase, class TColumn, bool AListAnswer>
class TcxGridSummaryColumnLink : public TBase, public IcxStoredPropertiesObject {
 public:
  using TBase::TBase;
  TColumn* Column() const { return dynamic_cast<TColumn*>(this->GetItemLink()); }
  void SetColumn(TColumn* Value) { this->SetItemLink(Value); }

  void GetStoredObjectName(String& AName) override { AName.clear(); }
  bool GetStoredPropertyNames(TStrings* AProperties) override {
    AProperties->Add(u"Column");
    return AListAnswer;
  }
  void GetStoredPropertyValue(const String& AName, Variant& AValue) override {
    if (AName != u"Column") return;
    TColumn* column = Column();
    AValue = column ? column->Name() : String();
  }
  // A name no column of the view has leaves the summary without a column.
  void SetStoredPropertyValue(const String& AName, const Variant& AValue) override {
    if (AName != u"Column") return;
    SetColumn(nullptr);
    SetColumn(dynamic_cast<TColumn*>(cxGridSummaryFindItemByName(this->GetDataController(), VarToStr(AValue))));
  }
};

class TcxGridTableSummaryItem : public TcxGridSummaryColumnLink<TcxDataSummaryItem, TcxGridColumn, false> {
  TRENVIK_CLASS(TcxGridTableSummaryItem, TcxDataSummaryItem);

 public:
  using TcxGridSummaryColumnLink::TcxGridSummaryColumnLink;
};

class TcxGridTableSummaryGroupItemLink
    : public TcxGridSummaryColumnLink<TcxDataSummaryGroupItemLink, TcxGridColumn, true> {
  TRENVIK_CLASS(TcxGridTableSummaryGroupItemLink, TcxDataSummaryGroupItemLink);

 public:
  using TcxGridSummaryColumnLink::TcxGridSummaryColumnLink;
};

// Setting the column binds the summary to that column's field.
class TcxGridDBTableSummaryItem : public TcxGridSummaryColumnLink<TcxDBDataSummaryItem, TcxGridDBColumn, false> {
  TRENVIK_CLASS(TcxGridDBTableSummaryItem, TcxDBDataSummaryItem);

 public:
  using TcxGridSummaryColumnLink::TcxGridSummaryColumnLink;
};
