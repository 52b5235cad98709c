// The client dataset: snapshots through a provider, indexes and key searches (Cyrillic).
#include <gtest/gtest.h>

#include "platform/data/ClientDataSet.h"
#include "platform/data/testing/DataTesting.h"
#include "platform/rtl/FormatSettings.h"

namespace {
struct ClientDataSetFixture {
  TComponent owner{nullptr};
  TMemoryDataSet* people = MakePeopleDataSet(&owner);
  TDataSetProvider* provider = new TDataSetProvider(&owner);
  TClientDataSet* cds = new TClientDataSet(&owner);
  ClientDataSetFixture() {
    SetLocale("ru-RU");
    people->SetName(u"OPEOPLE_LIST");
    provider->SetName(u"DataSetProvider1");
    provider->SetDataSet(people);
    provider->SetOptions({poIncFieldProps, poReadOnly});
    cds->SetName(u"PeopleSeek");
    cds->SetProviderName(u"DataSetProvider1");
  }
  ~ClientDataSetFixture() { SetLocale("en-US"); }
  std::string Order() {
    std::string s;
    for (cds->First(); !cds->Eof(); cds->Next()) s += std::to_string(cds->FieldByName(u"ID")->AsInteger());
    return s;
  }
  int Id() { return cds->FieldByName(u"ID")->AsInteger(); }
};
}  // namespace

TEST(ClientDataSet, SnapshotThroughTheProvider) {
  ClientDataSetFixture f;
  f.people->Open();
  f.people->FieldByName(u"FSTNAME")->SetDisplayLabel(S("фамилия"));
  f.people->FieldByName(u"ID")->SetVisible(false);
  f.people->SetRecNo(5);
  f.cds->Open();
  EXPECT_EQ(f.people->RecNo(), 5);  // the source keeps its place
  EXPECT_EQ(f.cds->RecordCount(), 8);
  EXPECT_EQ(f.cds->FieldByName(u"FSTNAME")->DisplayLabel(), S("фамилия"));
  EXPECT_FALSE(f.cds->FieldByName(u"ID")->Visible());
  EXPECT_EQ(f.cds->FieldByName(u"FSTNAME")->Size(), 50);
  EXPECT_EQ(f.Order(), "12345678");
  // Read-only option.
  EXPECT_FALSE(f.cds->CanModify());
  try {
    f.cds->Edit();
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_EQ(e.Message(), u"PeopleSeek: Cannot modify a read-only dataset");
  }
  // A snapshot: changes of the source show after Refresh only.
  f.people->First();
  f.people->Delete();
  EXPECT_EQ(f.cds->RecordCount(), 8);
  f.cds->Refresh();
  EXPECT_EQ(f.cds->RecordCount(), 7);
  // A closed source is opened for the snapshot and closed again.
  f.cds->Close();
  f.people->Close();
  f.cds->Open();
  EXPECT_EQ(f.cds->RecordCount(), 7);
  EXPECT_FALSE(f.people->Active());
}

TEST(ClientDataSet, MissingProvider) {
  TComponent owner(nullptr);
  TClientDataSet cds(&owner);
  cds.SetName(u"C");
  try {
    cds.Open();
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_EQ(e.Message(), u"C: Missing data provider or data packet");
  }
  TDataSetProvider provider(&owner);
  cds.SetProvider(&provider);
  EXPECT_THROW(cds.Open(), EDatabaseError);  // a provider without a dataset
}

TEST(ClientDataSet, IndexesOrderCyrillicByCollation) {
  ClientDataSetFixture f;
  f.cds->SetIndexFieldNames(u"FSTNAME");
  f.cds->Open();
  // Latin first; е before ё; lower case before upper case on otherwise equal names.
  EXPECT_EQ(f.Order(), "76518324");
  std::vector<Int64> ids;  // the stored keys read at once come in the index's order too
  ASSERT_TRUE(f.cds->ReadIntegerColumn(f.cds->FieldByName(u"ID"), ids));
  EXPECT_EQ(ids, (std::vector<Int64>{7, 6, 5, 1, 8, 3, 2, 4}));
  EXPECT_EQ(f.cds->IndexFieldCount(), 1);
  EXPECT_EQ(f.cds->IndexFields(0)->FieldName(), u"FSTNAME");
  f.cds->IndexDefs()->Add(u"ByNameDesc", u"FSTNAME;SECNAME", {ixDescending});
  f.cds->IndexDefs()->Add(u"PeopleSeekIndex1", u"FSTNAME", {ixCaseInsensitive});
  TIndexDef* mixed = f.cds->IndexDefs()->Add(u"Mixed", u"SECNAME;ID", {});
  mixed->SetDescFields(u"ID");
  f.cds->SetIndexName(u"ByNameDesc");
  EXPECT_EQ(f.cds->IndexFieldNames(), u"");
  EXPECT_EQ(f.Order(), "42381567");
  f.cds->SetIndexName(u"PeopleSeekIndex1");
  EXPECT_EQ(f.Order(), "76518324");  // equal ignoring case: in fetched order
  f.cds->SetIndexName(u"Mixed");
  EXPECT_EQ(f.Order(), "72813645");
  EXPECT_THROW(f.cds->SetIndexName(u"Nope"), EDatabaseError);
  f.cds->SetIndexFieldNames(u"");
  EXPECT_EQ(f.Order(), "12345678");
}

TEST(ClientDataSet, FindKeyAndFindNearest) {
  ClientDataSetFixture f;
  f.cds->IndexDefs()->Add(u"PeopleSeekIndex1", u"FSTNAME", {ixCaseInsensitive});
  f.cds->SetIndexName(u"PeopleSeekIndex1");
  f.cds->Open();
  struct Case {
    const char* key;
    bool nearest;
    int expected;  // 0: FindKey fails and the cursor stays
  };
  const Case cases[] = {
      {"иванова", false, 3}, {"ИВАНОВА", false, 3}, {"Иван", false, 0},  {"ив", true, 1},
      {"П", true, 2},        {"пет", true, 2},      {"Я", true, 4},      {"A", true, 7},
      {"Сидоров", false, 4}, {"Елисеев", false, 6}, {"Ёлкин", false, 5},
  };
  for (const Case& c : cases) {
    f.cds->SetRecNo(8);
    int before = f.Id();
    if (c.nearest) {
      f.cds->FindNearest({S(c.key)});
      EXPECT_EQ(f.Id(), c.expected) << c.key;
    } else {
      EXPECT_EQ(f.cds->FindKey({S(c.key)}), c.expected != 0) << c.key;
      EXPECT_EQ(f.Id(), c.expected ? c.expected : before) << c.key;
    }
  }
  // The same through the key buffer.
  f.cds->SetKey();
  EXPECT_EQ(f.cds->State(), dsSetKey);
  f.cds->FieldByName(u"FSTNAME")->SetAsString(S("сид"));
  f.cds->GotoNearest();
  EXPECT_EQ(f.cds->State(), dsBrowse);
  EXPECT_EQ(f.Id(), 4);
  f.cds->SetKey();
  f.cds->FieldByName(u"FSTNAME")->SetAsString(S("Петрова"));
  EXPECT_TRUE(f.cds->GotoKey());
  EXPECT_EQ(f.Id(), 2);
  // Without an index there is nothing to search.
  f.cds->SetIndexName(u"");
  try {
    f.cds->FindKey({1});
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_EQ(e.Message(), u"PeopleSeek: No index currently active");
  }
}

TEST(ClientDataSet, CreatedInCodeAndEditedLocally) {
  TComponent owner(nullptr);
  TClientDataSet cds(&owner);
  cds.FieldDefs()->Add(u"K", ftInteger);
  cds.FieldDefs()->Add(u"NAME", ftWideString, 20);
  cds.CreateDataSet();
  cds.SetIndexFieldNames(u"NAME");
  for (const char* name : {"в", "а", "б"}) cds.AppendRecord({static_cast<int>(cds.RecordCount()), S(name)});
  std::string order;
  for (cds.First(); !cds.Eof(); cds.Next()) order += StringToUtf8(cds.FieldByName(u"NAME")->AsString());
  EXPECT_EQ(order, "абв");  // posted records take their place in the index
  cds.First();
  cds.Edit();
  cds.FieldByName(u"NAME")->SetAsString(S("я"));
  cds.Post();
  EXPECT_EQ(cds.RecNo(), 3);
  cds.EmptyDataSet();
  EXPECT_TRUE(cds.IsEmpty());
}
