// An unbound controller with items of its own, as a view would own columns.
#pragma once

#include <memory>
#include <vector>

#include "cx/data/cxData.h"

struct TTestItem : public TObject {
  TTestItem(int AID, String ACaption) : ID(AID), Caption(std::move(ACaption)) {}
  int ID;
  String Caption;
};

class TTestController : public TcxDataController {
 public:
  explicit TTestController(TComponent* AOwner) : TcxDataController(AOwner) {
    OnUpdateControl = [this](TcxUpdateControlInfo* AInfo) { Infos.push_back(AInfo->ClassName()); };
  }
  ~TTestController() override { BeforeDestruction(); }

  // Adds an item of the given value type; returns its index.
  int AddColumn(const char* ACaption, TcxValueTypeClass AType) {
    items.push_back(std::make_unique<TTestItem>(static_cast<int>(items.size()) + 10, Utf8ToString(ACaption)));
    AddItem(items.back().get());
    int index = GetItemCount() - 1;
    ChangeValueTypeClass(index, AType);
    return index;
  }
  int GetItemID(TObject* AItem) override { return AItem ? static_cast<TTestItem*>(AItem)->ID : -1; }
  String GetItemDisplayName(TObject* AItem) override { return static_cast<TTestItem*>(AItem)->Caption; }
  int Count(const char* AClassName) const {
    int n = 0;
    for (const auto& name : Infos) n += name == Utf8ToString(AClassName) ? 1 : 0;
    return n;
  }

  std::vector<String> Infos;
  std::vector<std::unique_ptr<TTestItem>> items;
};

// Fills records row by row; each row lists one value per item.
inline void Fill(TcxCustomDataController* AController, const std::vector<std::vector<Variant>>& ARows) {
  AController->BeginUpdate();
  int first = AController->GetRecordCount();
  AController->SetRecordCount(first + static_cast<int>(ARows.size()));
  for (size_t r = 0; r < ARows.size(); ++r)
    for (size_t i = 0; i < ARows[r].size(); ++i)
      AController->SetValue(first + static_cast<int>(r), static_cast<int>(i), ARows[r][i]);
  AController->EndUpdate();
}

// The records in row order (a group row shows its first record, marked negative minus one).
inline std::vector<int> RowRecords(TcxCustomDataController* AController) {
  std::vector<int> result;
  int groups = AController->DataControllerInfo()->GroupingFieldList()->Count();
  for (int row = 0; row < AController->GetRowCount(); ++row) {
    TcxRowInfo info = AController->GetRowInfo(row);
    result.push_back(info.Level < groups ? -1 - info.Level : info.RecordIndex);
  }
  return result;
}
