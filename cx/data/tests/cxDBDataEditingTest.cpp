// Editing through the dataset: smart refresh of posted records, deletion of several records and
// inserts that finish a pending edit.
#include <gtest/gtest.h>

#include "cx/data/tests/DBControllerFixture.h"
#include "platform/data/Field.h"
#include "platform/data/FieldDefs.h"
#include "platform/data/FieldTypes.h"

namespace {

void SmartRefresh(TDBFixture& f) { f.dc->DataModeController()->SetSmartRefresh(true); }

// Edits the focused record's column through the controller and posts it.
void EditFocused(TDBFixture& f, int AItem, const Variant& AValue) {
  ASSERT_TRUE(f.dc->SetEditValue(AItem, AValue, evsValue));
  f.dc->Post();
}

}  // namespace

TEST(cxDBDataEditing, SmartRefreshRereadsOnlyThePostedRecord) {
  TDBFixture f(FiveCities());
  SmartRefresh(f);
  f.data->Open();
  f.dc->ChangeFocusedRowIndex(2);
  int loads = 0;
  f.dc->OnDataChanged = [&](TObject*) { ++loads; };
  EditFocused(f, f.name, Variant(S("Vika")));
  EXPECT_EQ(f.dc->DisplayTexts(2, f.name), u"Vika");
  EXPECT_EQ(f.dc->GetRecordCount(), 5);
  EXPECT_EQ(f.FocusedId(), 3);
  EXPECT_EQ(f.data->FieldByName(u"NAME")->AsString(), u"Vika");
  EXPECT_EQ(f.dc->DBProvider()->ChangedRecordIndex, NoRecordIndex);
  // The new value is placed among the sorted rows without a reload.
  f.dc->ChangeSorting(f.name, soAscending);
  f.dc->ChangeFocusedRowIndex(0);
  EditFocused(f, f.name, Variant(S("Zoya")));
  EXPECT_EQ(f.RowIds(), (std::vector<int>{2, 5, 4, 3, 1}));
  EXPECT_EQ(f.FocusedId(), 1);
}

// A post that changed the key keeps the record: it is read again and shows its new key.
TEST(cxDBDataEditing, SmartRefreshKeepsARecordWhoseKeyChanged) {
  TDBFixture f(FiveCities());
  SmartRefresh(f);
  f.data->Open();
  f.dc->ChangeSorting(f.id, soAscending);
  f.dc->ChangeFocusedRowIndex(1);
  EditFocused(f, f.id, Variant(7));
  EXPECT_EQ(f.dc->GetRecordCount(), 5);
  EXPECT_EQ(f.RowIds(), (std::vector<int>{1, 3, 4, 5, 7}));
  EXPECT_EQ(f.FocusedId(), 7);
  EXPECT_EQ(f.CurrentId(), 7);
  EXPECT_EQ(f.dc->FindRecordIndexByKey(Variant(2)), -1);
}

TEST(cxDBDataEditing, SmartRefreshDeletesTheFocusedRecordOnly) {
  TDBFixture f(FiveCities());
  SmartRefresh(f);
  f.data->Open();
  f.dc->ChangeFocusedRowIndex(3);
  f.dc->DeleteFocused();
  EXPECT_EQ(f.RowIds(), (std::vector<int>{1, 2, 3, 5}));
  EXPECT_EQ(f.DataSetIds(), (std::vector<int>{1, 2, 3, 5}));
  EXPECT_EQ(f.FocusedId(), f.CurrentId());

  // Nothing focused: nothing is deleted.
  f.dc->SetNewItemRowEnabled(true);
  f.dc->SetNewItemRowFocused(true);
  f.dc->DBProvider()->Delete();
  EXPECT_EQ(f.DataSetIds(), (std::vector<int>{1, 2, 3, 5}));
}

// Without key fields the records are deleted through their own bookmarks; relative moves after
// deleting the dataset's last record would land on the wrong records.
TEST(cxDBDataEditing, DeletingSeveralRecordsByPositionDeletesExactlyTheListedOnes) {
  struct TCase {
    std::vector<int> Records;
    std::vector<int> Remaining;
  };
  const TCase cases[] = {
      {{1, 4}, {1, 3, 4}},
      {{0, 2, 4}, {2, 4}},
      {{3, 4}, {1, 2, 3}},
      {{0}, {2, 3, 4, 5}},
      {{4, 0, 4}, {2, 3, 4}},
  };
  for (const TCase& c : cases) {
    TDBFixture f(FiveCities(), "");
    f.data->Open();
    f.dc->DBProvider()->DeleteRecords(c.Records);
    EXPECT_EQ(f.DataSetIds(), c.Remaining) << c.Records.size();
    EXPECT_EQ(f.RowIds(), c.Remaining);
  }
}

TEST(cxDBDataEditing, DeletingByKeySkipsRecordsTheDataSetCannotLocate) {
  for (bool smart : {false, true}) {
    TDBFixture f(FiveCities());
    f.dc->DataModeController()->SetSmartRefresh(smart);
    f.data->Open();
    // Record 2 (ID 3) leaves the dataset while the controller walks it, so it is still loaded.
    f.dc->DBProvider()->Lock();
    ASSERT_TRUE(f.data->Locate(u"ID", Variant(3), TLocateOptions{}));
    f.data->Delete();
    f.dc->DBProvider()->Unlock();
    ASSERT_EQ(f.dc->GetRecordCount(), 5);

    f.dc->DBProvider()->DeleteRecords({1, 2, 4});
    EXPECT_EQ(f.DataSetIds(), (std::vector<int>{1, 4})) << smart;
    f.dc->DataChanged(dcTotal);
    EXPECT_EQ(f.RowIds(), (std::vector<int>{1, 4}));
  }
}

TEST(cxDBDataEditing, AnInsertFinishesThePendingEditFirst) {
  for (bool smart : {false, true}) {
    TDBFixture f(FiveCities());
    f.dc->DataModeController()->SetSmartRefresh(smart);
    f.data->Open();
    f.dc->ChangeFocusedRowIndex(1);
    ASSERT_TRUE(f.dc->SetEditValue(f.name, Variant(S("Borya")), evsValue));
    f.dc->Insert();
    EXPECT_EQ(f.data->State(), dsInsert) << smart;
    EXPECT_EQ(f.dc->GetRecordCount(), 6);
    f.data->FieldByName(u"ID")->SetAsInteger(8);
    f.dc->Post();
    EXPECT_EQ(f.dc->GetRecordCount(), 6);
    EXPECT_EQ(f.FocusedId(), 8);
    EXPECT_EQ(f.data->Lookup(u"ID", Variant(2), u"NAME"), Variant(S("Borya")));
    EXPECT_EQ(f.dc->DisplayTexts(f.dc->FindRecordIndexByKey(Variant(2)), f.name), u"Borya");
  }
}

TEST(cxDBDataEditing, EditValuesGoThroughTheDataSetFields) {
  TDBFixture f(FiveCities());
  f.data->Open();
  f.dc->ChangeFocusedRowIndex(0);
  EXPECT_EQ(f.dc->GetEditValue(f.city, evsText), Variant(S("Omsk")));
  ASSERT_TRUE(f.dc->SetEditValue(f.city, Variant(S("Perm")), evsText));
  EXPECT_EQ(f.data->State(), dsEdit);
  EXPECT_EQ(f.dc->GetEditValue(f.city, evsValue), Variant(S("Perm")));
  f.dc->Cancel();
  EXPECT_EQ(f.data->State(), dsBrowse);
  EXPECT_EQ(f.dc->DisplayTexts(0, f.city), u"Omsk");
}

// A column on a lookup field works with the lookup's key fields: edited through the key value
// source, filtered and grouped by the key.
TEST(cxDBDataEditing, ALookupFieldColumnWorksThroughItsKeyFields) {
  TComponent owner(nullptr);
  auto* cities = new TMemoryDataSet(&owner);
  cities->AddFieldDef(u"CITYID", ftInteger);
  cities->AddFieldDef(u"CITYNAME", ftWideString, 50);
  cities->AddRow({1, S("Omsk")});
  cities->AddRow({2, S("Tver")});
  cities->Open();
  auto* people = new TMemoryDataSet(&owner);
  people->AddFieldDef(u"ID", ftInteger);
  people->AddFieldDef(u"CITYID", ftInteger);
  people->AddRow({1, 1});
  people->AddRow({2, 2});
  for (const char16_t* name : {u"ID", u"CITYID"}) people->FieldDefs()->Find(name)->CreateField(&owner, people);
  auto* lookup = new TWideStringField(&owner);
  lookup->SetFieldName(u"CITY");
  lookup->SetFieldKind(fkLookup);
  lookup->SetKeyFields(u"CITYID");
  lookup->SetLookupDataSet(cities);
  lookup->SetLookupKeyFields(u"CITYID");
  lookup->SetLookupResultField(u"CITYNAME");
  lookup->SetDataSet(people);
  auto* source = new TDataSource(&owner);
  source->SetDataSet(people);
  auto dc = cxCreateDataController<TTestDBController>(nullptr);
  dc->AddColumn("ID");
  int city = dc->AddColumn("CITY");
  dc->KeyItem = city;
  dc->SetKeyFieldNames(u"ID");
  dc->SetDataSource(source);
  people->Open();

  TcxDBDataField* field = dc->GetDBField(city);
  ASSERT_EQ(field->FieldCount(), 1);
  EXPECT_EQ(field->Fields(0)->Field(), people->FieldByName(u"CITYID"));
  EXPECT_EQ(dc->DisplayTexts(1, city), u"Tver");
  Variant filterValue;
  dc->GetFilterValue(1, field, filterValue);
  EXPECT_EQ(filterValue.AsInteger(), 2);
  EXPECT_EQ(dc->GetItemFilterName(dc->GetItem(city)), u"CITYID");
  EXPECT_FALSE(field->CanEditValue(evsValue));
  EXPECT_TRUE(field->CanEditValue(evsKey));

  dc->ChangeFocusedRowIndex(0);
  EXPECT_EQ(dc->GetEditValue(city, evsKey).AsInteger(), 1);
  ASSERT_TRUE(dc->SetEditValue(city, Variant(2), evsKey));
  dc->Post();
  EXPECT_EQ(people->Lookup(u"ID", Variant(1), u"CITYID").AsInteger(), 2);
  EXPECT_EQ(dc->DisplayTexts(0, city), u"Tver");
  dc.reset();
}
