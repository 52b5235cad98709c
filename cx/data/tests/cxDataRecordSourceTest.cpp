#include <gtest/gtest.h>

#include <map>

#include "cx/data/tests/ControllerFixture.h"
#include "cx/data/tests/TestHelpers.h"

namespace {

// Rows kept outside the controller, known by handles; item handles are item indexes.
class TRowSource : public TcxCustomRecordSource {
 public:
  std::map<int, std::vector<Variant>> Rows;
  int Loads = 0;
  int AppendRecord() override {
    int handle = Rows.empty() ? 100 : Rows.rbegin()->first + 1;
    Rows[handle] = {Null(), Null()};
    return handle;
  }
  void DeleteRecord(int ARecordHandle) override { Rows.erase(ARecordHandle); }
  void GetDisplayText(int ARecordHandle, int AItemHandle, String& AText) override {
    AText = VarToStr(Rows[ARecordHandle][static_cast<size_t>(AItemHandle)]);
  }
  bool GetValueBuffer(int, int, const void*&) override { return false; }
  int GetItemHandle(int AItemIndex) override { return AItemIndex; }
  void GetValue(int ARecordHandle, int AItemHandle, Variant& AValue) override {
    AValue = Rows[ARecordHandle][static_cast<size_t>(AItemHandle)];
  }
  int InsertRecord(int) override { return AppendRecord(); }
  void LoadRecordHandles() override {
    ++Loads;
    TcxCustomDataController* dc = Provider->DataController();
    for (const auto& row : Rows) {
      int record = dc->DataStorage()->AppendRecord();
      dc->SetFieldValueToStorage(record, dc->RecordHandleField(), Variant(row.first));
    }
  }
  void SetRecordCount(int) override {}
  void SetValue(int ARecordHandle, int AItemHandle, const Variant& AValue) override {
    Rows[ARecordHandle][static_cast<size_t>(AItemHandle)] = AValue;
  }
};

TEST(cxDataRecordSource, RecordsAndValuesComeFromTheSource) {
  auto dc = cxCreateDataController<TTestController>(nullptr);
  int name = dc->AddColumn("Name", TcxWideStringValueType::Class());
  int age = dc->AddColumn("Age", TcxIntegerValueType::Class());
  TRowSource source;
  source.Rows = {{7, {Wide("c"), 3}}, {3, {Wide("a"), 1}}, {5, {Wide("b"), 2}}};
  dc->Provider()->SetRecordSource(&source);
  EXPECT_EQ(source.Loads, 1);
  ASSERT_EQ(dc->GetRecordCount(), 3);
  EXPECT_EQ(dc->Values(0, name).AsString(), u"a");  // handles in the source's order: 3, 5, 7
  EXPECT_EQ(dc->DisplayTexts(2, age), u"3");
  EXPECT_TRUE(dc->DataStorage()->StoredValuesOnly());
  dc->ChangeSorting(age, soDescending);
  EXPECT_EQ(RowRecords(dc.get()), (std::vector<int>{2, 1, 0}));
  dc->SetValue(1, age, Variant(9));
  EXPECT_EQ(source.Rows[5][1].AsInteger(), 9);
  EXPECT_EQ(RowRecords(dc.get()), (std::vector<int>{1, 2, 0}));

  // A reload asked for inside a bracket happens once, when the bracket closes.
  dc->BeginUpdate();
  dc->LayoutChanged(1);
  dc->LayoutChanged(1);
  dc->EndUpdate();
  EXPECT_EQ(source.Loads, 2);

  dc->Provider()->SetRecordSource(nullptr);
  EXPECT_EQ(dc->RecordHandleField(), nullptr);
  EXPECT_EQ(dc->GetRecordCount(), 0);
}

}  // namespace
