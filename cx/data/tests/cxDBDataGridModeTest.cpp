// Grid mode: a window of the dataset's records, navigation that moves the dataset, and the
// selection kept as bookmarks.
#include <gtest/gtest.h>

#include "cx/data/tests/DBControllerFixture.h"
#include "platform/data/Field.h"

namespace {

std::vector<TDBFixture::TRow> TenRows() {
  static const char* const names[] = {"a0", "a1", "a2", "a3", "a4", "a5", "a6", "a7", "a8", "a9"};
  std::vector<TDBFixture::TRow> rows;
  for (int i = 0; i < 10; ++i) rows.push_back({i + 1, names[i], "Omsk"});
  return rows;
}

void GridMode(TDBFixture& f, int ABufferCount) {
  f.dc->DataModeController()->SetGridModeBufferCount(ABufferCount);
  f.dc->DataModeController()->SetGridMode(true);
}

}  // namespace

TEST(cxDBDataGridMode, BufferCountIsAtLeastOne) {
  TDBFixture f(TenRows());
  for (int value : {0, -5}) {
    f.dc->DataModeController()->SetGridModeBufferCount(value);
    EXPECT_EQ(f.dc->DataModeController()->GridModeBufferCount(), 1);
  }
}

TEST(cxDBDataGridMode, HoldsOnlyTheBufferAndReadsItsValuesFromTheDataSet) {
  TDBFixture f(TenRows());
  GridMode(f, 4);
  f.data->Open();
  ASSERT_TRUE(f.dc->IsGridMode());
  EXPECT_FALSE(f.dc->IsKeyNavigation());
  EXPECT_EQ(f.dc->GetRecordCount(), 4);
  EXPECT_EQ(f.RowIds(), (std::vector<int>{1, 2, 3, 4}));

  f.dc->GotoLast();
  EXPECT_EQ(f.CurrentId(), 10);
  EXPECT_EQ(f.RowIds(), (std::vector<int>{7, 8, 9, 10}));
  EXPECT_EQ(f.FocusedId(), 10);
  f.dc->GotoPrev();
  EXPECT_EQ(f.FocusedId(), 9);
  f.dc->GotoFirst();
  EXPECT_EQ(f.RowIds(), (std::vector<int>{1, 2, 3, 4}));
  EXPECT_EQ(f.FocusedId(), 1);

  // Focusing a row moves the dataset by position; scrolling moves the window past its end.
  f.dc->ChangeFocusedRowIndex(2);
  EXPECT_EQ(f.CurrentId(), 3);
  f.dc->ScrollBy(1);
  EXPECT_EQ(f.RowIds(), (std::vector<int>{2, 3, 4, 5}));

  // The filter is not applied to the window; the value list has no values in grid mode.
  EXPECT_FALSE(f.dc->Filter()->IsFiltering());
  std::unique_ptr<TcxDataFilterValueList> list(f.dc->Filter()->CreateDataValueList());
  list->Load(f.name);
  EXPECT_EQ(list->Count(), 4);
}

TEST(cxDBDataGridMode, GroupingSwitchesGridModeOffUntilItIsRemoved) {
  TDBFixture f(TenRows());
  GridMode(f, 3);
  f.data->Open();
  ASSERT_EQ(f.dc->GetRecordCount(), 3);
  f.dc->Groups()->ChangeGroupIndex(f.city, 0);
  EXPECT_FALSE(f.dc->IsGridMode());
  EXPECT_EQ(f.dc->GetRecordCount(), 10);
  f.dc->Groups()->ChangeGroupIndex(f.city, -1);
  EXPECT_TRUE(f.dc->IsGridMode());
  EXPECT_EQ(f.dc->GetRecordCount(), 3);
}

TEST(cxDBDataGridMode, LocateByKeyFindsRecordsOutsideTheBuffer) {
  TDBFixture f(TenRows());
  GridMode(f, 3);
  f.data->Open();
  EXPECT_TRUE(f.dc->LocateByKey(Variant(8)));
  EXPECT_EQ(f.CurrentId(), 8);
  EXPECT_EQ(f.FocusedId(), 8);
  EXPECT_FALSE(f.dc->LocateByKey(Variant(80)));
}

TEST(cxDBDataGridMode, SelectAllKeepsABookmarkPerDataSetRecord) {
  TDBFixture f(TenRows());
  GridMode(f, 3);
  f.dc->SetMultiSelect(true);
  f.data->Open();
  f.dc->SelectAll();
  EXPECT_EQ(f.dc->GetSelectedCount(), 10);
  EXPECT_EQ(f.CurrentId(), 1);  // the position is restored
  EXPECT_EQ(f.dc->GetSelectedRowIndex(1), 1);
  EXPECT_EQ(f.dc->GetSelectedRowIndex(6), -1);  // outside the buffer

  // Deleted through the dataset, its bookmark goes with the next change.
  f.data->Delete();
  EXPECT_EQ(f.dc->GetSelectedCount(), 9);

  // Deleting the selection deletes every selected dataset record.
  f.dc->DeleteSelection();
  EXPECT_TRUE(f.data->IsEmpty());
  EXPECT_EQ(f.dc->GetSelectedCount(), 0);
}

TEST(cxDBDataGridMode, ExtendingARangeByOneRecordChangesOneBookmark) {
  TDBFixture f(TenRows());
  GridMode(f, 10);
  f.dc->SetMultiSelect(true);
  f.data->Open();
  TcxDBDataSelection* selection = f.dc->DBSelection();
  f.dc->SetSelectionAnchor(2);
  f.dc->SelectFromAnchor(5, false);
  ASSERT_EQ(f.dc->GetSelectedCount(), 4);
  std::vector<TBookmarkStr> before = selection->Bookmarks();

  f.dc->SelectFromAnchor(6, false);
  ASSERT_EQ(f.dc->GetSelectedCount(), 5);
  EXPECT_TRUE(std::equal(before.begin(), before.end(), selection->Bookmarks().begin()));
  f.dc->SelectFromAnchor(5, false);
  EXPECT_EQ(selection->Bookmarks(), before);

  // Backwards from the anchor, and keeping the selection merges the new range into it.
  f.dc->SelectFromAnchor(0, false);
  EXPECT_EQ(f.dc->GetSelectedCount(), 3);
  f.dc->SetSelectionAnchor(8);
  f.dc->SelectFromAnchor(9, true);
  EXPECT_EQ(f.dc->GetSelectedCount(), 5);
  std::vector<int> selectedRows;
  for (int i = 0; i < f.dc->GetSelectedCount(); ++i) selectedRows.push_back(f.dc->GetSelectedRowIndex(i));
  EXPECT_EQ(selectedRows, (std::vector<int>{0, 1, 2, 8, 9}));
}

TEST(cxDBDataGridMode, BookmarkAccessNeedsGridMode) {
  TDBFixture f(TenRows());
  f.data->Open();
  EXPECT_THROW(f.dc->GetSelectedBookmark(0), EcxInvalidDataControllerOperation);
  EXPECT_THROW(f.dc->GetSelectionAnchorBookmark(), EcxInvalidDataControllerOperation);
}

TEST(cxDBDataGridMode, ReloadByKeyKeepsTheSelectedRowsThatStillExist) {
  TDBFixture f(TenRows());
  f.dc->SetMultiSelect(true);
  f.data->Open();
  f.dc->SelectRows(2, 4);
  ASSERT_EQ(f.dc->GetSelectedCount(), 3);
  f.dc->DBProvider()->Lock();
  ASSERT_TRUE(f.data->Locate(u"ID", Variant(4), TLocateOptions{}));
  f.data->Delete();
  f.data->First();
  f.data->Insert();
  f.data->FieldByName(u"ID")->SetAsInteger(20);
  f.data->Post();
  f.dc->DBProvider()->Unlock();
  f.dc->DataChanged(dcTotal);
  std::vector<int> selected;
  for (int i = 0; i < f.dc->GetSelectedCount(); ++i)
    selected.push_back(f.dc->Values(f.dc->GetRowRecordIndex(f.dc->GetSelectedRowIndex(i)), f.id).AsInteger());
  EXPECT_EQ(selected, (std::vector<int>{3, 5}));
}

// The walk of one view reaches the other as one scroll after it, not as reloads during it.
TEST(cxDBDataGridMode, AWalkOverTheDataSetDoesNotReloadAnotherViewOnIt) {
  TDBFixture f(TenRows());
  GridMode(f, 3);
  f.dc->SetMultiSelect(true);
  auto other = cxCreateDataController<TTestDBController>(nullptr);
  other->AddColumn("ID");
  other->SetKeyFieldNames(u"ID");
  other->SetDataSource(f.source);
  f.data->Open();
  f.data->MoveBy(4);
  int reloads = 0;
  other->OnDataChanged = [&](TObject*) { ++reloads; };
  f.dc->SelectAll();
  EXPECT_EQ(f.dc->GetSelectedCount(), 10);
  EXPECT_EQ(reloads, 0);
  EXPECT_EQ(other->GetRecordCount(), 10);
  EXPECT_EQ(other->Values(other->GetFocusedRecordIndex(), 0).AsInteger(), 5);
  other.reset();
}

TEST(cxDBDataGridMode, IncrementalSearchWalksTheDataSet) {
  TDBFixture f(TenRows());
  GridMode(f, 3);
  f.data->Open();
  TcxDataControllerSearch* search = f.dc->Search();
  ASSERT_TRUE(search->Locate(f.name, u"A7"));
  EXPECT_EQ(f.CurrentId(), 8);
  EXPECT_EQ(f.FocusedId(), 8);
  EXPECT_TRUE(search->Locate(f.name, u"a"));  // the current record matches: it stays
  EXPECT_EQ(f.CurrentId(), 8);
  EXPECT_TRUE(search->LocateNext(true));
  EXPECT_EQ(f.CurrentId(), 9);
  EXPECT_TRUE(search->LocateNext(true));
  EXPECT_EQ(f.CurrentId(), 10);
  // Past the last match nothing is found and the dataset stays where it was.
  EXPECT_FALSE(search->LocateNext(true));
  EXPECT_EQ(f.CurrentId(), 10);
  // A search from a later record wraps around to the first ones.
  EXPECT_TRUE(search->Locate(f.name, u"A1"));
  EXPECT_EQ(f.CurrentId(), 2);
}
