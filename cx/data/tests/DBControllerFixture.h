// A dataset controller with columns bound by field name, over a memory dataset.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "cx/data/cxDBData.h"
#include "cx/data/cxData.h"
#include "cx/data/tests/ControllerFixture.h"
#include "platform/data/DataSource.h"
#include "platform/data/MemoryDataSet.h"

class TTestDBController : public TcxDBDataController {
 public:
  explicit TTestDBController(TComponent* AOwner) : TcxDBDataController(AOwner) {}
  ~TTestDBController() override { BeforeDestruction(); }

  // Adds a column bound to the field name; returns its index.
  int AddColumn(const char* AFieldName) {
    items.push_back(std::make_unique<TTestItem>(static_cast<int>(items.size()) + 10, Utf8ToString(AFieldName)));
    AddItem(items.back().get());
    int index = GetItemCount() - 1;
    ChangeFieldName(index, Utf8ToString(AFieldName));
    return index;
  }
  int GetItemID(TObject* AItem) override { return AItem ? static_cast<TTestItem*>(AItem)->ID : -1; }
  String GetItemDisplayName(TObject* AItem) override { return static_cast<TTestItem*>(AItem)->Caption; }
  // The item edited through its key (a lookup column), as a view's editor would say.
  TcxEditValueSource GetItemValueSource(int AItemIndex) override {
    return AItemIndex == KeyItem ? evsKey : TcxDBDataController::GetItemValueSource(AItemIndex);
  }
  int KeyItem = -1;

  std::vector<std::unique_ptr<TTestItem>> items;
};

// ID (integer, the key), NAME (wide string) and CITY (wide string) with the given rows.
struct TDBFixture {
  struct TRow {
    int Id;
    const char* Name;
    const char* City;
  };
  explicit TDBFixture(const std::vector<TRow>& ARows, const char* AKeyFieldNames = "ID") {
    data = new TMemoryDataSet(&owner);
    data->AddFieldDef(u"ID", ftInteger);
    data->AddFieldDef(u"NAME", ftWideString, 50);
    data->AddFieldDef(u"CITY", ftWideString, 50);
    for (const TRow& row : ARows) data->AddRow({row.Id, S(row.Name), row.City ? Variant(S(row.City)) : Null()});
    source = new TDataSource(&owner);
    source->SetDataSet(data);
    dc = cxCreateDataController<TTestDBController>(nullptr);
    id = dc->AddColumn("ID");
    name = dc->AddColumn("NAME");
    city = dc->AddColumn("CITY");
    dc->SetKeyFieldNames(Utf8ToString(AKeyFieldNames));
    dc->SetDataSource(source);
  }
  ~TDBFixture() { dc.reset(); }

  // The controller's ID values in row order.
  std::vector<int> RowIds() {
    std::vector<int> result;
    for (int row = 0; row < dc->GetRowCount(); ++row)
      result.push_back(dc->Values(dc->GetRowRecordIndex(row), id).AsInteger());
    return result;
  }
  // The dataset's ID values in its order.
  std::vector<int> DataSetIds() {
    std::vector<int> result;
    TBookmarkStr bookmark = data->Bookmark();
    for (data->First(); !data->Eof(); data->Next()) result.push_back(data->FieldByName(u"ID")->AsInteger());
    if (!bookmark.empty() && data->BookmarkValid(bookmark)) data->GotoBookmark(bookmark);
    return result;
  }
  int CurrentId() { return data->FieldByName(u"ID")->AsInteger(); }
  int FocusedId() { return dc->Values(dc->GetFocusedRecordIndex(), id).AsInteger(); }

  TComponent owner{nullptr};
  TMemoryDataSet* data;
  TDataSource* source;
  std::unique_ptr<TTestDBController> dc;
  int id, name, city;
};

inline std::vector<TDBFixture::TRow> FiveCities() {
  return {{1, "Anna", "Omsk"}, {2, "Boris", "Tver"}, {3, "Vera", nullptr}, {4, "Gleb", "Omsk"}, {5, "Dina", "Kursk"}};
}
