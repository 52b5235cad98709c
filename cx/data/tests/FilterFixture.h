// A criteria over a small in-memory table: columns are plain objects, rows hold one value per column.
#pragma once

#include <memory>
#include <vector>

#include "cx/data/cxFilter.h"

struct TTestColumn : public TObject {
  TTestColumn(int AID, String AName, String ACaption)
      : ID(AID), Name(std::move(AName)), Caption(std::move(ACaption)) {}
  int ID;
  String Name;
  String Caption;
};

class TTestCriteria;

class TTestCriteriaItem : public TcxFilterCriteriaItem {
 public:
  using TcxFilterCriteriaItem::TcxFilterCriteriaItem;
  void GetDataValue(int ARecordIndex, Variant& AValue) override;
  void GetFieldCaption(String& AText) override {
    AText = ItemLink() ? static_cast<TTestColumn*>(ItemLink())->Caption : String();
  }
  void GetFieldName(String& AText) override {
    AText = ItemLink() ? static_cast<TTestColumn*>(ItemLink())->Name : String();
  }
};

class TTestCriteria : public TcxFilterCriteria {
 public:
  TTestCriteria() {
    for (const char* name : {"Age", "Name", "BirthDate", "F"}) {
      String n = Utf8ToString(name);
      Columns.push_back(std::make_unique<TTestColumn>(static_cast<int>(Columns.size()) + 1, n, n));
    }
    OnChanged = [this](TObject*) { ++Notifications; };
  }
  TTestColumn* Age() const { return Columns[0].get(); }
  TTestColumn* Name() const { return Columns[1].get(); }
  TTestColumn* BirthDate() const { return Columns[2].get(); }
  TTestColumn* F() const { return Columns[3].get(); }

  int GetIDByItemLink(TObject* AItemLink) override {
    return AItemLink ? static_cast<TTestColumn*>(AItemLink)->ID : 0;
  }
  TObject* GetItemLinkByID(int AID) override {
    for (auto& c : Columns)
      if (c->ID == AID) return c.get();
    return nullptr;
  }
  TcxFilterCriteriaItem* CreateItem(TcxFilterCriteriaItemList* AParent, TObject* AItemLink,
                                    TcxFilterOperatorKind AOperatorKind, const Variant& AValue,
                                    const String& ADisplayValue) override {
    return new TTestCriteriaItem(AParent, AItemLink, AOperatorKind, AValue, ADisplayValue);
  }
  // Sets the value of a column in the single test record (record 0).
  void SetRecord(TTestColumn* AColumn, const Variant& AValue) {
    if (Row.size() < Columns.size()) Row.resize(Columns.size(), Null());
    Row[static_cast<size_t>(AColumn->ID - 1)] = AValue;
  }
  bool Satisfies() { return IsRecordSatisfied(0); }

  std::vector<std::unique_ptr<TTestColumn>> Columns;
  std::vector<Variant> Row;
  int Notifications = 0;
};

inline void TTestCriteriaItem::GetDataValue(int, Variant& AValue) {
  auto* criteria = static_cast<TTestCriteria*>(GetCriteria());
  auto* column = static_cast<TTestColumn*>(ItemLink());
  size_t index = column ? static_cast<size_t>(column->ID - 1) : criteria->Row.size();
  AValue = index < criteria->Row.size() ? criteria->Row[index] : Null();
}
