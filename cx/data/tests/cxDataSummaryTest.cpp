#include <gtest/gtest.h>

#include "cx/data/tests/ControllerFixture.h"
#include "cx/data/tests/TestHelpers.h"
#include "platform/classes/TypInfo.h"
#include "platform/rtl/DateFormat.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/FormatSettings.h"

namespace {

class SummaryTest : public testing::Test {
 protected:
  void SetUp() override {
    SetLocale("en-US");
    dc = cxCreateDataController<TTestController>(nullptr);
    group = dc->AddColumn("Group", TcxWideStringValueType::Class());
    value = dc->AddColumn("Value", TcxIntegerValueType::Class());
    money = dc->AddColumn("Money", TcxCurrencyValueType::Class());
    when = dc->AddColumn("When", TcxDateTimeValueType::Class());
  }
  TcxDataSummaryItem* Footer(int AItem, TcxSummaryKind AKind) {
    TcxDataSummaryItem* item = dc->Summary()->FooterSummaryItems()->Add();
    item->SetItemLink(dc->items[static_cast<size_t>(AItem)].get());
    item->SetKind(AKind);
    return item;
  }
  std::unique_ptr<TTestController> dc;
  int group = 0, value = 0, money = 0, when = 0;
};

TEST_F(SummaryTest, FooterKindsWithAndWithoutNulls) {
  Fill(dc.get(), {{Wide("a"), Null()}, {Wide("a"), 3}, {Wide("b"), 1}, {Wide("b"), Null()}, {Wide("b"), 5}});
  const TcxSummaryKind kinds[] = {skCount, skSum, skMin, skMax, skAverage};
  for (TcxSummaryKind kind : kinds) Footer(value, kind);
  // Without soNullIgnore, Nulls count; min and max start from the first value that is not Null.
  const char* expected[] = {"5", "9.00", "MIN=1.00", "MAX=5.00", "AVG=1.80"};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(dc->Summary()->GetFooterSummaryText(i), S(expected[i])) << i;
  EXPECT_EQ(dc->Summary()->GetFooterSummaryValue(2).AsInteger(), 1);
  dc->Summary()->SetOptions({soNullIgnore});
  const char* ignored[] = {"3", "9.00", "MIN=1.00", "MAX=5.00", "AVG=3.00"};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(dc->Summary()->GetFooterSummaryText(i), S(ignored[i])) << i;
  EXPECT_TRUE(VarIsNull(dc->Summary()->GetFooterSummaryValue(7)));
}

TEST_F(SummaryTest, MinAndMaxDoNotDependOnRecordOrder) {
  Fill(dc.get(), {{Wide("a"), 3}, {Wide("a"), Null()}, {Wide("a"), 1}});
  Footer(value, skMin);
  Footer(value, skMax);
  EXPECT_EQ(dc->Summary()->GetFooterSummaryValue(0).AsInteger(), 1);
  dc->ChangeSorting(value, soAscending);  // the Null comes first now
  EXPECT_EQ(dc->Summary()->GetFooterSummaryValue(0).AsInteger(), 1);
  EXPECT_EQ(dc->Summary()->GetFooterSummaryValue(1).AsInteger(), 3);
  dc->SetValue(0, value, Null());
  dc->SetValue(2, value, Null());
  EXPECT_TRUE(VarIsNull(dc->Summary()->GetFooterSummaryValue(0)));
  EXPECT_EQ(dc->Summary()->GetFooterSummaryText(0), u"");
}

TEST_F(SummaryTest, AverageOfTwoNullAndFour) {
  Fill(dc.get(), {{Wide("a"), 2}, {Wide("a"), Null()}, {Wide("a"), 4}});
  Footer(value, skAverage);
  EXPECT_DOUBLE_EQ(dc->Summary()->GetFooterSummaryValue(0).AsDouble(), 2.0);
  dc->Summary()->SetOptions({soNullIgnore});
  EXPECT_DOUBLE_EQ(dc->Summary()->GetFooterSummaryValue(0).AsDouble(), 3.0);
}

TEST_F(SummaryTest, DefaultFormatsByValueType) {
  Fill(dc.get(), {{Wide("a"), 1, Currency(2.5), VarFromDateTime(EncodeDate(2024, 3, 1))},
                  {Wide("a"), 2, Currency(1), VarFromDateTime(EncodeDate(2024, 5, 2) + 0.5)}});
  Footer(money, skSum);
  Footer(money, skMax);
  Footer(when, skMax);
  Footer(when, skCount);
  EXPECT_EQ(dc->Summary()->GetFooterSummaryText(0), u"$3.50");
  EXPECT_EQ(dc->Summary()->GetFooterSummaryText(1), u"MAX=$2.50");
  EXPECT_EQ(dc->Summary()->GetFooterSummaryText(2), u"MAX=" + DateTimeToStr(EncodeDate(2024, 5, 2) + 0.5));
  EXPECT_EQ(dc->Summary()->GetFooterSummaryText(3), u"2");
  TcxDataSummaryItem* custom = Footer(value, skSum);
  custom->SetFormat(u"Total 0");
  EXPECT_EQ(dc->Summary()->GetFooterSummaryText(4), u"Total 3");
}

TEST_F(SummaryTest, GroupRowTextsAndGroupFooters) {
  Fill(dc.get(), {{Wide("a"), 3}, {Wide("b"), 1}, {Wide("a"), 4}, {Wide("b"), Null()}});
  TcxDataGroupSummaryItems* items = dc->Summary()->DefaultGroupSummaryItems();
  TcxDataSummaryItem* sum = items->Add();
  sum->SetItemLink(dc->items[1].get());
  sum->SetKind(skSum);
  TcxDataSummaryItem* count = items->Add();
  count->SetItemLink(dc->items[1].get());
  count->SetKind(skCount);
  dc->Groups()->ChangeGroupIndex(group, 0);
  ASSERT_EQ(dc->GetRowCount(), 2);
  EXPECT_EQ(dc->Summary()->GetGroupSummaryText(0), u"(SUM=7.00, COUNT=2)");
  EXPECT_EQ(dc->Summary()->GetGroupSummaryText(1), u"(SUM=1.00, COUNT=2)");
  sum->SetPosition(spFooter);
  EXPECT_EQ(dc->Summary()->GetGroupSummaryText(0), u"(COUNT=2)");
  String text;
  EXPECT_TRUE(dc->Summary()->GetGroupFooterSummaryText(0, 0, text, 0));
  EXPECT_EQ(text, u"7.00");
  EXPECT_EQ(dc->Summary()->GetGroupFooterItemIndex(0, dc->items[1].get()), 0);
  items->SetSeparator(u";");
  sum->SetPosition(spGroup);
  EXPECT_EQ(dc->Summary()->GetGroupSummaryText(0), u"(SUM=7.00; COUNT=2)");
}

TEST_F(SummaryTest, SummaryGroupsOwnTheirGroupingColumns) {
  TcxDataSummaryGroup* first = dc->Summary()->SummaryGroups()->Add();
  TcxDataSummaryGroup* second = dc->Summary()->SummaryGroups()->Add();
  first->Links()->Add()->SetItemLink(dc->items[0].get());
  EXPECT_EQ(dc->Summary()->SummaryGroups()->FindByItemLink(dc->items[0].get()), first);
  second->Links()->Add()->SetItemLink(dc->items[0].get());
  EXPECT_EQ(dc->Summary()->SummaryGroups()->FindByItemLink(dc->items[0].get()), second);
  EXPECT_EQ(first->Links()->IndexOfItemLink(dc->items[0].get()), -1);
  Fill(dc.get(), {{Wide("a"), 3}, {Wide("a"), 4}});
  TcxDataSummaryItem* item = second->SummaryItems()->Add();
  item->SetItemLink(dc->items[1].get());
  item->SetKind(skMax);
  dc->Groups()->ChangeGroupIndex(group, 0);
  EXPECT_EQ(dc->Summary()->GetGroupSummaryItems(0), second->SummaryItems());
  EXPECT_EQ(dc->Summary()->GetGroupSummaryText(0), u"(MAX=4.00)");
}

TEST_F(SummaryTest, SelectedRecordsOnlyAndRemovedItems) {
  Fill(dc.get(), {{Wide("a"), 1}, {Wide("b"), 2}, {Wide("c"), 4}});
  Footer(value, skSum);
  Footer(value, skCount);
  dc->SetMultiSelect(true);
  dc->Summary()->SetOptions({soSelectedRecords});
  EXPECT_EQ(dc->Summary()->GetFooterSummaryValue(1).AsInteger(), 0);
  dc->ChangeRowSelection(0, true);
  dc->ChangeRowSelection(2, true);
  EXPECT_EQ(dc->Summary()->GetFooterSummaryValue(0).AsInteger(), 5);
  EXPECT_EQ(dc->Summary()->GetFooterSummaryValue(1).AsInteger(), 2);
  dc->RemoveItem(dc->items[1].get());
  EXPECT_EQ(dc->Summary()->FooterSummaryItems()->GetItem(0)->GetItemLink(), nullptr);
  EXPECT_TRUE(VarIsNull(dc->Summary()->GetFooterSummaryValue(0)));
}

}  // namespace

namespace {

TEST(cxDataPublished, SettingsAreReachableByName) {
  auto dc = cxCreateDataController<TTestController>(nullptr);
  SetSetProp(dc->Filter(), u"Options", u"[fcoCaseInsensitive,fcoSoftNull]");
  EXPECT_EQ(dc->Filter()->Options(), (TcxFilterCriteriaOptions{fcoCaseInsensitive, fcoSoftNull}));
  SetOrdProp(dc->Filter(), u"Active", 1);
  EXPECT_TRUE(dc->Filter()->Active());
  TcxDataSummaryItem* item = dc->Summary()->FooterSummaryItems()->Add();
  SetEnumProp(item, u"Kind", u"skAverage");
  EXPECT_EQ(item->Kind(), skAverage);
  SetStrProp(item, u"Format", u"0.0");
  EXPECT_EQ(item->Format(), u"0.0");
  EXPECT_FALSE(GetPropInfo(item, u"Position")->IsStored(item));  // footer items never store it
  TcxDataGroupSummaryItems* group = dc->Summary()->DefaultGroupSummaryItems();
  EXPECT_FALSE(GetPropInfo(group, u"Separator")->IsStored(group));
  group->SetSeparator(u";");
  EXPECT_TRUE(GetPropInfo(group, u"Separator")->IsStored(group));
  EXPECT_EQ(GetObjectProp(dc->Summary(), u"FooterSummaryItems"), dc->Summary()->FooterSummaryItems());
}

}  // namespace
