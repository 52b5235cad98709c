// Loading a dataset into the controller, fields bound by name, keys and the focus that follows the
// dataset both ways.
#include <gtest/gtest.h>

#include "cx/data/tests/DBControllerFixture.h"
#include "platform/data/Field.h"

TEST(cxDBDataLoad, OpeningTheDataSetLoadsEveryRecordAndFollowsItsCurrentRecord) {
  TDBFixture f(FiveCities());
  f.data->Open();
  ASSERT_EQ(f.dc->GetRecordCount(), 5);
  EXPECT_EQ(f.RowIds(), (std::vector<int>{1, 2, 3, 4, 5}));
  EXPECT_EQ(f.dc->DisplayTexts(1, f.name), u"Boris");
  EXPECT_TRUE(VarIsNull(f.dc->Values(2, f.city)));
  EXPECT_EQ(f.FocusedId(), 1);

  f.data->MoveBy(3);
  EXPECT_EQ(f.FocusedId(), 4);

  f.dc->ChangeFocusedRowIndex(1);
  EXPECT_EQ(f.CurrentId(), 2);

  // Sorted rows: the focus still moves the dataset by key.
  f.dc->ChangeSorting(f.name, soDescending);
  f.dc->ChangeFocusedRowIndex(0);
  EXPECT_EQ(f.CurrentId(), 3);
}

TEST(cxDBDataLoad, WithoutKeyFieldsTheFocusMovesTheDataSetByPosition) {
  TDBFixture f(FiveCities(), "");
  f.data->Open();
  f.data->MoveBy(2);
  f.dc->DataChanged(dcTotal);
  EXPECT_EQ(f.FocusedId(), 3);
  f.dc->ChangeFocusedRowIndex(4);
  EXPECT_EQ(f.CurrentId(), 5);
  f.dc->ChangeFocusedRowIndex(0);
  EXPECT_EQ(f.CurrentId(), 1);
}

TEST(cxDBDataLoad, ValueTypesComeFromTheDataSetFieldTypes) {
  TComponent owner(nullptr);
  auto* data = new TMemoryDataSet(&owner);
  struct TCase {
    const char* Name;
    TFieldType Type;
    TcxValueTypeClass Expected;
  };
  const TCase cases[] = {
      {"S", ftString, TcxStringValueType::Class()},       {"SI", ftSmallint, TcxSmallintValueType::Class()},
      {"I", ftInteger, TcxIntegerValueType::Class()},     {"A", ftAutoInc, TcxIntegerValueType::Class()},
      {"B", ftBoolean, TcxBooleanValueType::Class()},     {"F", ftFloat, TcxFloatValueType::Class()},
      {"C", ftCurrency, TcxCurrencyValueType::Class()},   {"D", ftDate, TcxDateTimeValueType::Class()},
      {"W", ftWideString, TcxWideStringValueType::Class()}, {"L", ftLargeint, TcxLargeIntValueType::Class()},
      {"M", ftMemo, TcxVariantValueType::Class()},
  };
  for (const TCase& c : cases) data->AddFieldDef(Utf8ToString(c.Name), c.Type, c.Type == ftString ? 10 : 0);
  auto* source = new TDataSource(&owner);
  source->SetDataSet(data);
  auto dc = cxCreateDataController<TTestDBController>(nullptr);
  for (const TCase& c : cases) dc->AddColumn(c.Name);
  dc->SetDataSource(source);
  data->Open();
  for (int i = 0; i < static_cast<int>(std::size(cases)); ++i)
    EXPECT_EQ(dc->GetItemValueTypeClass(i), cases[i].Expected) << cases[i].Name;
}

TEST(cxDBDataLoad, CompositeKeysGiveVariantArraysAndNeedThemToBeFound) {
  TDBFixture f(FiveCities(), "CITY;ID");
  f.data->Open();
  ASSERT_NE(f.dc->KeyField(), nullptr);
  EXPECT_EQ(f.dc->KeyField()->FieldCount(), 2);
  Variant key = f.dc->GetKeyValues(3);
  ASSERT_TRUE(VarIsArray(key));
  EXPECT_EQ(VarToStr(VarArrayGet(key, {0})), u"Omsk");
  EXPECT_EQ(VarArrayGet(key, {1}).AsInteger(), 4);

  EXPECT_EQ(f.dc->FindRecordIndexByKey(VarArrayOf({Variant(S("Omsk")), Variant(4)})), 3);
  EXPECT_EQ(f.dc->FindRecordIndexByKey(Variant(4)), -1);  // one value for two key fields
  EXPECT_EQ(f.dc->FindRecordIndexByKey(VarArrayOf({Variant(S("Omsk")), Variant(2)})), -1);

  EXPECT_TRUE(f.dc->LocateByKey(VarArrayOf({Variant(S("Kursk")), Variant(5)})));
  EXPECT_EQ(f.CurrentId(), 5);
  EXPECT_FALSE(f.dc->LocateByKey(VarArrayOf({Variant(S("Kursk")), Variant(6)})));
  EXPECT_EQ(f.FocusedId(), 5);  // in sync mode the focus stays on the dataset's record

  f.dc->SetKeyFieldNames(u"ID");
  EXPECT_EQ(f.dc->KeyField()->FieldCount(), 0);
  EXPECT_EQ(f.dc->GetKeyValues(1).AsInteger(), 2);
}

TEST(cxDBDataLoad, ASingleKeyWidenedToACompoundOneWorksAsOneSetDirectly) {
  TDBFixture f(FiveCities(), "ID");
  f.data->Open();
  ASSERT_EQ(f.dc->FindRecordIndexByKey(Variant(4)), 3);
  f.dc->SetKeyFieldNames(u"CITY;ID");
  ASSERT_NE(f.dc->KeyField(), nullptr);
  EXPECT_EQ(f.dc->KeyField()->FieldCount(), 2);
  EXPECT_EQ(f.dc->KeyField()->Field(), nullptr) << "no dataset field is named by both";
  EXPECT_EQ(f.dc->FindRecordIndexByKey(VarArrayOf({Variant(S("Omsk")), Variant(4)})), 3);
  EXPECT_TRUE(f.dc->LocateByKey(VarArrayOf({Variant(S("Kursk")), Variant(5)})));
  EXPECT_EQ(f.CurrentId(), 5);
  f.dc->SetKeyFieldNames(u"ID");
  EXPECT_EQ(f.dc->KeyField()->FieldCount(), 0);
  EXPECT_EQ(f.dc->FindRecordIndexByKey(Variant(4)), 3);
}

TEST(cxDBDataLoad, TwoColumnsOnOneFieldShareOneValue) {
  TDBFixture f(FiveCities());
  int second = f.dc->AddColumn("name");  // differs in letter case only
  f.data->Open();
  EXPECT_EQ(f.dc->GetDBField(second)->ReferenceField(), f.dc->GetDBField(f.name));
  EXPECT_EQ(f.dc->GetItemByFieldName(u"Name"), f.dc->GetItem(f.name));

  f.dc->ChangeFocusedRowIndex(1);
  ASSERT_TRUE(f.dc->SetEditValue(second, Variant(S("Bob")), evsValue));
  f.dc->Post();
  EXPECT_EQ(f.dc->DisplayTexts(1, f.name), u"Bob");
  EXPECT_EQ(f.dc->DisplayTexts(1, second), u"Bob");
  EXPECT_EQ(f.data->FieldByName(u"NAME")->AsString(), u"Bob");
}

TEST(cxDBDataLoad, ClosingADataSetWithDynamicFieldsUnbindsTheColumnsAndReopeningBindsThem) {
  TDBFixture f(FiveCities());
  f.data->Open();
  ASSERT_NE(f.dc->GetItemField(f.name), nullptr);
  f.data->Close();
  for (int i = 0; i < f.dc->GetItemCount(); ++i) EXPECT_EQ(f.dc->GetItemField(i), nullptr) << i;
  EXPECT_EQ(f.dc->GetRecordCount(), 0);
  f.data->Open();
  EXPECT_EQ(f.dc->GetItemField(f.name), f.data->FieldByName(u"NAME"));
  EXPECT_EQ(f.dc->GetRecordCount(), 5);
}

TEST(cxDBDataLoad, AFullLoadGivesUpAPendingEditOfTheDataSet) {
  TDBFixture f(FiveCities());
  f.data->Open();
  f.data->Edit();
  f.data->FieldByName(u"NAME")->SetAsString(u"Changed");
  f.dc->DataChanged(dcTotal);
  EXPECT_EQ(f.data->State(), dsBrowse);
  EXPECT_EQ(f.data->FieldByName(u"NAME")->AsString(), u"Anna");
  EXPECT_EQ(f.dc->DisplayTexts(0, f.name), u"Anna");
}

TEST(cxDBDataLoad, ADataSetChangeFollowsWithAFullReload) {
  TDBFixture f(FiveCities());
  f.data->Open();
  f.data->Last();
  f.data->Delete();
  EXPECT_EQ(f.RowIds(), (std::vector<int>{1, 2, 3, 4}));
  EXPECT_EQ(f.FocusedId(), 4);
  f.data->Append();
  f.data->FieldByName(u"ID")->SetAsInteger(9);
  f.data->FieldByName(u"NAME")->SetAsString(u"Ilya");
  f.data->Post();
  EXPECT_EQ(f.RowIds(), (std::vector<int>{1, 2, 3, 4, 9}));
  EXPECT_EQ(f.FocusedId(), 9);
}

// Closed and reopened while its controls were disabled, the dataset has new field objects: the
// controller rebinds its columns instead of reading through the freed ones.
TEST(cxDBDataLoad, ADataSetReopenedWhileItsControlsWereDisabledRebindsTheColumns) {
  TDBFixture f(FiveCities());
  f.data->Open();
  f.data->DisableControls();
  f.data->Close();
  f.data->Open();
  f.data->MoveBy(2);
  f.data->EnableControls();
  EXPECT_FALSE(f.dc->DBProvider()->DataLink()->LayoutChangePending);
  EXPECT_EQ(f.dc->GetItemField(f.name), f.data->FieldByName(u"NAME"));
  EXPECT_EQ(f.RowIds(), (std::vector<int>{1, 2, 3, 4, 5}));
  EXPECT_EQ(f.FocusedId(), 3);
  EXPECT_EQ(f.dc->DisplayTexts(4, f.name), u"Dina");
}
