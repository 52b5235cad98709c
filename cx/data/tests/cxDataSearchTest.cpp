#include <gtest/gtest.h>

#include "cx/data/tests/ControllerFixture.h"
#include "cx/data/tests/TestHelpers.h"
#include "platform/rtl/FormatSettings.h"

namespace {

class SearchTest : public testing::Test {
 protected:
  void SetUp() override {
    SetLocale("ru-RU");
    dc = cxCreateDataController<TTestController>(nullptr);
    name = dc->AddColumn("Name", TcxWideStringValueType::Class());
    key = dc->AddColumn("Key", TcxIntegerValueType::Class());
    Fill(dc.get(),
         {{Wide("Борис"), 1}, {Wide("анна"), 2}, {Wide("Белла"), 3}, {Wide("Алла"), 4}, {Wide("Вера"), 5}});
  }
  std::unique_ptr<TTestController> dc;
  int name = 0, key = 0;
};

TEST_F(SearchTest, LocateTriesTheFocusedRecordFirstAndWraps) {
  TcxDataControllerSearch* search = dc->Search();
  dc->ChangeFocusedRecordIndex(2);
  EXPECT_TRUE(search->Locate(name, S("б")));
  EXPECT_EQ(dc->GetFocusedRecordIndex(), 2);
  EXPECT_TRUE(search->GetSearching());
  EXPECT_EQ(search->GetSearchText(), S("б"));
  EXPECT_TRUE(search->Locate(name, S("БО")));  // wraps to the first rows
  EXPECT_EQ(dc->GetFocusedRecordIndex(), 0);
  EXPECT_TRUE(search->LocateNext(true) == false);
  EXPECT_TRUE(search->Locate(name, S("а")));
  EXPECT_EQ(dc->GetFocusedRecordIndex(), 1);
  EXPECT_TRUE(search->LocateNext(true));
  EXPECT_EQ(dc->GetFocusedRecordIndex(), 3);
  EXPECT_FALSE(search->LocateNext(true));  // no wrap
  EXPECT_TRUE(search->LocateNext(false));
  EXPECT_EQ(dc->GetFocusedRecordIndex(), 1);
  EXPECT_FALSE(search->Locate(name, S("я")));
  EXPECT_FALSE(search->Locate(name, u""));
  EXPECT_THROW(search->Locate(5, S("а")), EcxInvalidDataControllerOperation);
}

TEST_F(SearchTest, MovingTheFocusEndsTheSearch) {
  TcxDataControllerSearch* search = dc->Search();
  ASSERT_TRUE(search->Locate(name, S("в")));
  EXPECT_EQ(dc->GetFocusedRecordIndex(), 4);
  EXPECT_EQ(search->GetItemIndex(), name);
  dc->GotoFirst();
  EXPECT_FALSE(search->GetSearching());
  EXPECT_EQ(dc->Count("TcxSearchChangedInfo"), 2);
}

TEST_F(SearchTest, LocateByKeyValues) {
  TcxDataControllerKeyLocateObject locate(dc.get());
  locate.Fields.push_back(dc->GetItemField(key));
  TcxValueDefUnboundReader reader;
  reader.SetValue(dc->GetItemField(key)->GetValueDef(), Variant(3));
  EXPECT_EQ(locate.FindRecordIndex(), -1);
  locate.ReadValues(&reader);
  EXPECT_EQ(locate.FindRecordIndex(), 2);
  reader.SetValue(dc->GetItemField(key)->GetValueDef(), Variant(42));
  locate.ReadValues(&reader);
  EXPECT_EQ(locate.FindRecordIndex(), -1);
  locate.Fields.clear();
  EXPECT_EQ(locate.FindRecordIndex(), -1);
}

TEST_F(SearchTest, SelectionChangedInfoRows) {
  TcxSelectionChangedInfo none;
  EXPECT_EQ(none.GetCount(), 0);
  TcxSelectionChangedInfo fromNothing(-1, 5), same(5, 5), both(2, 5);
  EXPECT_EQ(fromNothing.GetCount(), 1);
  EXPECT_EQ(same.GetCount(), 1);
  ASSERT_EQ(both.GetCount(), 2);
  EXPECT_EQ(both.GetRowIndex(1), 5);
}

}  // namespace
