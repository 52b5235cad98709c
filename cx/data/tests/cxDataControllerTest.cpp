#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "cx/data/tests/ControllerFixture.h"
#include "cx/data/tests/TestHelpers.h"
#include "platform/rtl/FormatSettings.h"

namespace {

class ControllerTest : public testing::Test {
 protected:
  void SetUp() override {
    SetLocale("en-US");
    dc = cxCreateDataController<TTestController>(nullptr);
    name = dc->AddColumn("Name", TcxWideStringValueType::Class());
    age = dc->AddColumn("Age", TcxIntegerValueType::Class());
    score = dc->AddColumn("Score", TcxVariantValueType::Class());
  }
  std::unique_ptr<TTestController> dc;
  int name = 0, age = 0, score = 0;
};

TEST_F(ControllerTest, ValuesTextsAndIndexChecks) {
  Fill(dc.get(), {{Wide("Ann"), 30, 1.5}, {Null(), Null(), Null()}});
  EXPECT_EQ(dc->Values(0, name).AsString(), u"Ann");
  EXPECT_EQ(dc->DisplayTexts(0, age), u"30");
  EXPECT_TRUE(VarIsNull(dc->Values(1, age)));
  EXPECT_EQ(dc->GetRowCount(), 2);
  try {
    dc->Values(2, 0);
    ADD_FAILURE();
  } catch (const EcxInvalidDataControllerOperation& e) {
    EXPECT_EQ(e.Message(), u"RecordIndex out of range");
  }
  try {
    dc->Values(0, 3);
    ADD_FAILURE();
  } catch (const EcxInvalidDataControllerOperation& e) {
    EXPECT_EQ(e.Message(), u"ItemIndex out of range");
  }
  EXPECT_EQ(dc->InsertRecord(2), 2);
  EXPECT_THROW(dc->InsertRecord(4), EcxInvalidDataControllerOperation);
  EXPECT_NO_THROW(dc->CheckRecordIndex(dc->GetNewItemRecordIndex()));
  EXPECT_THROW(dc->CheckRecordIndex(dc->GetNewItemRecordIndex() - 1), EcxInvalidDataControllerOperation);
  try {
    dc->AddItem(dc->items[0].get());
    ADD_FAILURE();
  } catch (const EcxInvalidDataControllerOperation& e) {
    EXPECT_EQ(e.Message(), u"Item already exists");
  }
  EXPECT_THROW(dc->GetRowInfo(-1), EcxInvalidDataControllerOperation);
}

TEST_F(ControllerTest, SortingIsStableAndFollowsTheOrders) {
  Fill(dc.get(), {{Wide("b"), 2, 0},
                  {Wide("a"), 1, 0},
                  {Wide("b"), 1, 0},
                  {Wide("a"), 2, 0},
                  {Null(), 1, 0},
                  {Wide("b"), 2, 0}});
  dc->ChangeSorting(name, soAscending);
  EXPECT_EQ(RowRecords(dc.get()), (std::vector<int>{4, 1, 3, 0, 2, 5}));
  dc->ChangeSorting(age, soDescending);
  EXPECT_EQ(RowRecords(dc.get()), (std::vector<int>{4, 3, 1, 0, 5, 2}));
  dc->ChangeSorting(name, soNone);
  EXPECT_EQ(RowRecords(dc.get()), (std::vector<int>{0, 3, 5, 1, 2, 4}));
  EXPECT_EQ(dc->GetItemSortOrder(age), soDescending);
  EXPECT_EQ(dc->GetItemSortOrder(name), soNone);
  dc->ClearSorting(false);
  EXPECT_EQ(RowRecords(dc.get()), (std::vector<int>{0, 1, 2, 3, 4, 5}));
}

TEST_F(ControllerTest, ComparisonOptionsAndOnCompare) {
  Fill(dc.get(), {{Wide("b"), 0, 0}, {Wide("B"), 0, 0}, {Wide("a"), 0, 0}, {Wide("A"), 0, 0}});
  dc->ChangeSorting(name, soAscending);
  EXPECT_EQ(RowRecords(dc.get()), (std::vector<int>{3, 1, 2, 0}));  // ordinal: upper case first
  dc->SetOptions(dc->GetOptions() + TcxDataControllerOptions{dcoCaseInsensitive});
  EXPECT_EQ(RowRecords(dc.get()), (std::vector<int>{2, 3, 0, 1}));  // equal ignoring case: record order
  dc->SetOptions(dc->GetOptions() - TcxDataControllerOptions{dcoCaseInsensitive} +
                 TcxDataControllerOptions{dcoAnsiSort});
  EXPECT_EQ(RowRecords(dc.get()), (std::vector<int>{2, 3, 0, 1}));  // locale: a < A < b < B
  dc->OnCompare = [](TcxCustomDataController*, int, int, int, const Variant&, const Variant&, int&) {};
  dc->Refresh();
  EXPECT_EQ(RowRecords(dc.get()), (std::vector<int>{0, 1, 2, 3}));
}

TEST_F(ControllerTest, SortingMixedKindsIsSafe) {
  std::vector<std::vector<Variant>> rows;
  const Variant kinds[] = {Variant(5),    Ansi("abc"), Null(),       Variant(2.5),      Wide("10"),
                           Variant(true), Ansi("9"),   Variant(NAN), VarArrayOf({1, 2})};
  for (int i = 0; i < 300; ++i) rows.push_back({Wide("x"), i % 7, kinds[(i * 7) % 9]});
  Fill(dc.get(), rows);
  dc->ChangeSorting(score, soAscending);
  std::vector<int> order = RowRecords(dc.get());
  std::vector<int> sorted = order;
  std::sort(sorted.begin(), sorted.end());
  for (int i = 0; i < 300; ++i) ASSERT_EQ(sorted[static_cast<size_t>(i)], i);
  // Equal values keep record order, and the order agrees with the comparison.
  for (size_t i = 1; i < order.size(); ++i) {
    int c = dc->CompareRecordValues(order[i - 1], order[i], dc->GetItemField(score));
    EXPECT_LE(c, 0);
    if (c == 0) {
      EXPECT_LT(order[i - 1], order[i]);
    }
  }
}

class GroupingTest : public ControllerTest {
 protected:
  void SetUp() override {
    ControllerTest::SetUp();
    // One top group (x) with two subgroups (1, 2) of three records each.
    Fill(dc.get(), {{Wide("x"), 2, 1},
                    {Wide("x"), 1, 2},
                    {Wide("x"), 2, 3},
                    {Wide("x"), 1, 4},
                    {Wide("x"), 1, 5},
                    {Wide("x"), 2, 6}});
    dc->Groups()->ChangeGroupIndex(name, 0);
    dc->Groups()->ChangeGroupIndex(age, 1);
  }
};

TEST_F(GroupingTest, GroupsBecomeRowsAsTheyExpand) {
  EXPECT_EQ(dc->GetRowCount(), 1);
  EXPECT_EQ(RowRecords(dc.get()), (std::vector<int>{-1}));
  EXPECT_EQ(dc->GetRowInfo(0).RecordIndex, 1);  // first record of the first subgroup
  dc->Groups()->ChangeExpanding(0, true, true);
  EXPECT_EQ(dc->GetRowCount(), 9);
  EXPECT_EQ(RowRecords(dc.get()), (std::vector<int>{-1, -2, 1, 3, 4, -2, 0, 2, 5}));
  String text;
  dc->GetRowDisplayText(dc->GetRowInfo(5), score, text);
  EXPECT_EQ(text, u"2");  // a group row shows its grouping value in every column
  dc->Groups()->ChangeExpanding(1, false, false);
  EXPECT_EQ(RowRecords(dc.get()), (std::vector<int>{-1, -2, -2, 0, 2, 5}));
  EXPECT_EQ(dc->GetRowIndexByRecordIndex(3, false), -1);
  EXPECT_EQ(dc->GetRowIndexByRecordIndex(3, true), 3);  // made visible again
  EXPECT_EQ(dc->GetRowCount(), 9);
  std::vector<int> records;
  dc->Groups()->AddRowRecords(records, 0);
  EXPECT_EQ(records, (std::vector<int>{1, 3, 4, 0, 2, 5}));
  EXPECT_EQ(dc->Groups()->GetItemGroupIndex(score), -1);
  EXPECT_EQ(dc->Groups()->GetGroupingItemIndex(1), age);
}

TEST_F(GroupingTest, CollapsingTheFocusedGroupFocusesItsRow) {
  dc->Groups()->ChangeExpanding(0, true, true);
  dc->ChangeFocusedRecordIndex(2);
  EXPECT_EQ(dc->GetFocusedRowIndex(), 7);
  dc->Groups()->ChangeExpanding(5, false, false);
  EXPECT_EQ(dc->GetFocusedRowIndex(), 5);
  dc->Groups()->ChangeExpanding(0, false, true);
  EXPECT_EQ(dc->GetFocusedRowIndex(), 0);
}

TEST_F(GroupingTest, ExpansionSurvivesAReloadOnlyWhenSaved) {
  dc->Groups()->ChangeExpanding(0, true, false);
  dc->Groups()->ChangeExpanding(2, true, false);
  EXPECT_EQ(RowRecords(dc.get()), (std::vector<int>{-1, -2, -2, 0, 2, 5}));
  dc->Refresh();
  EXPECT_EQ(RowRecords(dc.get()), (std::vector<int>{-1, -2, -2, 0, 2, 5}));
  dc->SetOptions(dc->GetOptions() - TcxDataControllerOptions{dcoSaveExpanding});
  EXPECT_EQ(RowRecords(dc.get()), (std::vector<int>{-1}));
}

TEST_F(GroupingTest, SelectedGroupRowSurvivesAResort) {
  dc->SetMultiSelect(true);
  dc->Groups()->ChangeExpanding(0, true, false);
  dc->ChangeRowSelection(2, true);
  ASSERT_TRUE(dc->IsRowSelected(2));
  dc->ChangeSorting(score, soDescending);
  EXPECT_EQ(dc->GetSelectedCount(), 1);
  EXPECT_TRUE(dc->IsRowSelected(2));
  EXPECT_EQ(dc->GetRowInfo(2).RecordIndex, 5);
}

TEST_F(GroupingTest, DeletingAGroupRowAndOneOfItsRecordsDeletesEachOnce) {
  dc->SetMultiSelect(true);
  dc->Groups()->ChangeExpanding(0, true, true);
  dc->ChangeRowSelection(1, true);  // the subgroup 1: records 1, 3, 4
  dc->ChangeRowSelection(3, true);  // record 3, inside it
  dc->DeleteSelection();
  EXPECT_EQ(dc->GetRecordCount(), 3);
  for (int r = 0; r < 3; ++r) EXPECT_EQ(dc->Values(r, age).AsInteger(), 2);
}

TEST_F(ControllerTest, ThreeLevelsKeepInnerStatesUnderACollapsedGroup) {
  Fill(dc.get(), {{Wide("x"), 1, Ansi("a")},
                  {Wide("x"), 1, Ansi("b")},
                  {Wide("x"), 2, Ansi("a")},
                  {Wide("y"), 1, Ansi("a")}});
  dc->BeginUpdate();
  dc->Groups()->ChangeGroupIndex(name, 0);
  dc->Groups()->ChangeGroupIndex(age, 1);
  dc->Groups()->ChangeGroupIndex(score, 2);
  dc->EndUpdate();
  EXPECT_EQ(dc->GetRowCount(), 2);
  dc->Groups()->ChangeExpanding(0, true, true);
  dc->Groups()->ChangeExpanding(dc->GetRowCount() - 1, true, true);
  EXPECT_EQ(RowRecords(dc.get()), (std::vector<int>{-1, -2, -3, 0, -3, 1, -2, -3, 2, -1, -2, -3, 3}));
  dc->Groups()->ChangeExpanding(0, false, false);
  EXPECT_EQ(RowRecords(dc.get()), (std::vector<int>{-1, -1, -2, -3, 3}));
  EXPECT_FALSE(dc->GetRowInfo(0).Expanded);
  EXPECT_EQ(dc->GetRowInfo(0).Level, 0);
  dc->Groups()->ChangeExpanding(0, true, false);
  EXPECT_EQ(dc->GetRowCount(), 13);
  EXPECT_EQ(dc->Groups()->GetChildCount(-1), 2);
  int x = dc->Groups()->GetGroupIndexOfRow(0);
  EXPECT_EQ(dc->Groups()->GetChildCount(x), 2);
  int x1 = dc->Groups()->GetChildGroupIndex(x, 0);
  EXPECT_EQ(dc->Groups()->GetChildCount(x1), 2);
  EXPECT_EQ(dc->Groups()->GetChildRecordIndex(dc->Groups()->GetChildGroupIndex(x1, 1), 0), 1);
}

TEST_F(ControllerTest, DeletingAGroupRowDeletesExactlyItsRecords) {
  Fill(dc.get(), {{Wide("x"), 1, 0}, {Wide("y"), 2, 0}, {Wide("x"), 3, 0}, {Wide("y"), 4, 0}});
  dc->ChangeSorting(age, soDescending);
  dc->Groups()->ChangeGroupIndex(name, 0);
  ASSERT_EQ(dc->GetRowCount(), 2);
  dc->ChangeFocusedRowIndex(0);  // group x: records 2, 0 in row order
  dc->DeleteFocused();
  ASSERT_EQ(dc->GetRecordCount(), 2);
  EXPECT_EQ(dc->Values(0, age).AsInteger(), 2);
  EXPECT_EQ(dc->Values(1, age).AsInteger(), 4);
}

TEST_F(ControllerTest, FocusNavigationAndSelection) {
  Fill(dc.get(), {{Wide("a"), 1, 0}, {Wide("b"), 2, 0}, {Wide("c"), 3, 0}});
  EXPECT_EQ(dc->GetSelectedCount(), 0);
  dc->GotoNext();
  EXPECT_EQ(dc->GetFocusedRowIndex(), 0);
  dc->GotoPrev();
  EXPECT_EQ(dc->GetFocusedRowIndex(), 0);
  EXPECT_TRUE(dc->IsBOF());
  dc->GotoLast();
  dc->GotoNext();
  EXPECT_EQ(dc->GetFocusedRowIndex(), 2);
  EXPECT_TRUE(dc->IsEOF());
  dc->MoveBy(-2);
  EXPECT_EQ(dc->GetFocusedRowIndex(), 0);
  EXPECT_EQ(dc->GetSelectedCount(), 1);
  EXPECT_EQ(dc->GetSelectedRowIndex(0), 0);
  dc->MoveBy(-5);  // clamped to "no row"
  EXPECT_EQ(dc->GetFocusedRowIndex(), -1);
  EXPECT_EQ(dc->GetSelectedCount(), 0);
  dc->GotoFirst();
  dc->SetFocusedSelected(false);
  EXPECT_EQ(dc->GetSelectedCount(), 0);
  dc->SetMultiSelect(true);
  dc->SelectFromAnchor(2, false);
  EXPECT_EQ(dc->GetSelectedCount(), 0);
  dc->SetSelectionAnchor(0);
  dc->SelectFromAnchor(2, false);
  EXPECT_EQ(dc->GetSelectedCount(), 3);
  dc->ChangeRowSelection(1, false);
  EXPECT_FALSE(dc->IsRowSelected(1));
  EXPECT_THROW(dc->SetSelectionAnchor(3), EcxInvalidDataControllerOperation);
}

TEST_F(ControllerTest, NotificationsFollowTheUpdateCycle) {
  Fill(dc.get(), {{Wide("a"), 1, 0}, {Wide("b"), 2, 0}});
  int dataChanged = 0, listened = 0;
  dc->OnDataChanged = [&](TObject*) { ++dataChanged; };
  int id = dc->AddDataChangedListener([&](TcxCustomDataController*) { ++listened; });
  dc->Infos.clear();
  dc->BeginUpdate();
  for (int i = 0; i < 10; ++i) dc->SetValue(i % 2, age, Variant(i));
  dc->EndUpdate();
  EXPECT_EQ(dc->Count("TcxDataChangedInfo"), 1);
  EXPECT_EQ(dc->Count("TcxFocusedRowChangedInfo"), 0);
  EXPECT_EQ(dataChanged, 1);
  EXPECT_EQ(listened, 1);
  dc->RemoveDataChangedListener(id);
  dc->ChangeFocusedRowIndex(1);
  EXPECT_EQ(dc->Count("TcxFocusedRowChangedInfo"), 1);
  EXPECT_EQ(dc->Count("TcxFocusedRecordChangedInfo"), 1);
  dc->ChangeFocusedRowIndex(1);
  EXPECT_EQ(dc->Count("TcxFocusedRowChangedInfo"), 1);
  dc->Infos.clear();
  dc->ChangeSorting(age, soNone);
  EXPECT_TRUE(dc->Infos.empty());
  int sortingEvents = 0;
  dc->OnSortingChanged = [&](TObject*) { ++sortingEvents; };
  dc->ChangeSorting(age, soDescending);
  EXPECT_EQ(sortingEvents, 1);
  dc->SetValue(0, age, Variant(5));
  EXPECT_EQ(listened, 1);
}

TEST_F(ControllerTest, ValueCompareFlagCanBeClearedAgain) {
  dc->ChangeItemValueCompare(age, true);
  EXPECT_TRUE(dc->GetItemValueCompare(age));
  EXPECT_TRUE(dc->IsValueCompareNeeded(dc->GetItemField(age)));
  dc->ChangeItemValueCompare(age, false);
  EXPECT_FALSE(dc->GetItemValueCompare(age));
  EXPECT_FALSE(dc->IsValueCompareNeeded(dc->GetItemField(age)));
}

TEST_F(ControllerTest, FilterKeepsTheEditedRecord) {
  Fill(dc.get(), {{Wide("a"), 1, 0}, {Wide("b"), 2, 0}, {Wide("c"), 3, 0}});
  dc->Filter()->AddItem(nullptr, dc->items[1].get(), foGreater, Variant(1), u"1");
  dc->Filter()->SetActive(true);
  EXPECT_EQ(RowRecords(dc.get()), (std::vector<int>{1, 2}));
  dc->ChangeFocusedRecordIndex(1);
  ASSERT_TRUE(dc->SetEditValue(age, Variant(0), evsValue));
  dc->Refresh();
  EXPECT_EQ(RowRecords(dc.get()), (std::vector<int>{1, 2}));
  dc->Post();
  EXPECT_EQ(RowRecords(dc.get()), (std::vector<int>{2}));
  EXPECT_EQ(dc->Filter()->FilterCaption(), u"(Age > 1)");
  // The form property is written even for empty criteria.
  dc->Filter()->Clear();
  TMemoryStream stream;
  dc->Filter()->WriteData(&stream);
  EXPECT_EQ(Hex(StreamBytes(stream)), "FF FF FF FF 00 00 00 00 00");
}

TEST_F(ControllerTest, ProviderInsertPostCancelDelete) {
  Fill(dc.get(), {{Wide("a"), 1, 0}, {Wide("b"), 2, 0}});
  dc->ChangeFocusedRowIndex(1);
  dc->Insert();
  dc->Insert();
  EXPECT_EQ(dc->GetRecordCount(), 3);
  EXPECT_TRUE(dc->Provider()->IsInserting());
  dc->Post();  // never modified: cancelled
  EXPECT_EQ(dc->GetRecordCount(), 2);
  EXPECT_FALSE(dc->Provider()->IsEditing());

  dc->ChangeFocusedRowIndex(0);
  dc->SetEditValue(age, Variant(99), evsValue);
  dc->SetEditValue(name, Wide(""), evsText);
  EXPECT_TRUE(VarIsNull(dc->Values(0, name)));
  dc->Cancel();
  EXPECT_EQ(dc->Values(0, age).AsInteger(), 1);
  EXPECT_EQ(dc->Values(0, name).AsString(), u"a");

  dc->Append();
  EXPECT_EQ(dc->GetFocusedRecordIndex(), 2);
  dc->Cancel();
  EXPECT_EQ(dc->GetRecordCount(), 2);
  EXPECT_EQ(dc->GetFocusedRecordIndex(), 1);

  dc->Append();
  dc->SetEditValue(age, Variant(3), evsValue);
  dc->Post();
  EXPECT_EQ(dc->GetRecordCount(), 3);
  EXPECT_EQ(dc->Values(2, age).AsInteger(), 3);
  EXPECT_EQ(dc->GetEditState(), 0);

  dc->ChangeFocusedRowIndex(2);
  dc->DeleteFocused();
  EXPECT_EQ(dc->GetRecordCount(), 2);
  EXPECT_EQ(dc->GetFocusedRecordIndex(), 1);
}

TEST_F(ControllerTest, NewItemRowAppendsWhenPosted) {
  Fill(dc.get(), {{Wide("a"), 1, 0}});
  dc->SetNewItemRowEnabled(true);
  dc->SetNewItemRowFocused(true);
  EXPECT_TRUE(dc->IsNewItemRowActive());
  EXPECT_TRUE(VarIsNull(dc->GetEditValue(name, evsValue)));
  ASSERT_TRUE(dc->SetEditValue(name, Wide("new"), evsValue));
  EXPECT_TRUE(dc->Provider()->IsInserting());
  EXPECT_EQ(dc->GetRecordCount(), 1);
  EXPECT_EQ(dc->GetEditValue(name, evsValue).AsString(), u"new");
  dc->Post();
  ASSERT_EQ(dc->GetRecordCount(), 2);
  EXPECT_EQ(dc->Values(1, name).AsString(), u"new");
  EXPECT_FALSE(dc->Provider()->IsEditing());
  // An untouched new row is dropped again.
  dc->SetNewItemRowFocused(true);
  dc->Insert();
  dc->Post();
  EXPECT_EQ(dc->GetRecordCount(), 2);
}

TEST_F(ControllerTest, FindRecordIndexByTextWraps) {
  Fill(dc.get(), {{Wide("Bob"), 1, 0}, {Wide("ann"), 2, 0}, {Wide("Bill"), 3, 0}, {Wide("Anna"), 4, 0}});
  const struct {
    int start;
    bool forward, wrap, partial;
    const char* text;
    int expected;
  } cases[] = {
      {0, true, false, true, "b", 0},  {1, true, false, true, "b", 2},   {3, true, true, true, "b", 0},
      {3, true, false, true, "b", -1}, {0, false, true, true, "an", 3},  {0, false, false, true, "an", -1},
      {2, false, true, true, "x", -1}, {1, true, true, false, "ANN", 1}, {1, true, true, false, "AN", -1},
      {4, true, true, true, "b", -1},  {-1, true, true, true, "b", -1},
  };
  for (const auto& c : cases)
    EXPECT_EQ(dc->FindRecordIndexByText(c.start, name, c.forward, c.wrap, c.partial, S(c.text)), c.expected)
        << c.start << c.text << c.forward;
}

TEST_F(ControllerTest, IncrementalFilterKeepsMatchingTexts) {
  Fill(dc.get(), {{Wide("Smith"), 1, 0}, {Wide("Brown"), 2, 0}, {Wide("smart"), 3, 0}});
  EXPECT_EQ(dc->SetIncrementalFilter(name, u"SM"), 0);
  EXPECT_EQ(RowRecords(dc.get()), (std::vector<int>{0, 2}));
  EXPECT_TRUE(dc->RefreshIncrementalFilter(u"smi"));
  EXPECT_EQ(RowRecords(dc.get()), (std::vector<int>{0}));
  dc->ResetIncrementalFilter();
  EXPECT_EQ(dc->GetRowCount(), 3);
}

TEST_F(ControllerTest, FilterValueListOfAColumn) {
  Fill(dc.get(), {{Wide("b"), 2, 0}, {Null(), 1, 0}, {Wide("a"), 2, 0}, {Wide("b"), 3, 0}});
  std::unique_ptr<TcxDataFilterValueList> list(dc->Filter()->CreateDataValueList());
  list->Load(name);
  std::vector<String> texts;
  for (int i = 0; i < list->Count(); ++i) texts.push_back(list->Items(i).DisplayText);
  EXPECT_EQ(texts, (std::vector<String>{u"(All)", u"(Custom...)", u"(Blanks)", u"(NonBlanks)", u"a", u"b"}));
  list->Load(age);
  EXPECT_EQ(list->Count(), 5);
  EXPECT_EQ(list->Items(2).Value.AsInteger(), 1);
}

// Values met again are left out before they are sorted in; fractions that share an integer part
// stay apart.
TEST_F(ControllerTest, FilterValueListKeepsEachDistinctValueOnce) {
  Fill(dc.get(), {{Wide("b"), 2, 1.7}, {Wide("a"), 2, 1.5}, {Wide("b"), 3, 1.7}, {Wide("a"), 1, 1.5}, {Wide("c"), 3, 2}});
  std::unique_ptr<TcxDataFilterValueList> list(dc->Filter()->CreateDataValueList());
  const struct {
    int* column;
    std::vector<String> texts;
  } cases[] = {{&name, {u"a", u"b", u"c"}}, {&age, {u"1", u"2", u"3"}}, {&score, {u"1.5", u"1.7", u"2"}}};
  for (const auto& c : cases) {
    list->Load(*c.column);
    std::vector<String> texts;
    for (int i = 2; i < list->Count(); ++i) texts.push_back(list->Items(i).DisplayText);
    EXPECT_EQ(texts, c.texts) << *c.column;
  }
}

}  // namespace
