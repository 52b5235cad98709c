// Locate (options, several fields, Cyrillic case folding), Lookup and FieldValues.
#include <gtest/gtest.h>

#include "platform/data/testing/DataTesting.h"
#include "platform/rtl/DateTime.h"

namespace {
struct LocateFixture {
  TComponent owner{nullptr};
  TMemoryDataSet* ds = MakePeopleDataSet(&owner);
  LocateFixture() { ds->Open(); }
  int Id() const { return ds->FieldByName(u"ID")->AsInteger(); }
};
}  // namespace

TEST(Locate, OptionsAndSeveralFields) {
  struct Case {
    const char16_t* fields;
    Variant values;
    TLocateOptions options;
    int expected;  // 0: not found
  };
  const Case cases[] = {
      {u"FSTNAME", S("Иванов"), {}, 1},
      {u"FSTNAME", S("иванов"), {}, 0},
      {u"FSTNAME", S("иванов"), {loCaseInsensitive}, 1},
      {u"FSTNAME", S("иванова"), {loCaseInsensitive}, 3},
      {u"FSTNAME", S("ИВА"), {loCaseInsensitive}, 0},
      {u"FSTNAME", S("ИВА"), {loCaseInsensitive, loPartialKey}, 1},
      {u"FSTNAME", S("ива"), {loPartialKey}, 3},
      {u"FSTNAME", S("ёлк"), {loCaseInsensitive, loPartialKey}, 5},
      {u"FSTNAME", S("Елк"), {loCaseInsensitive, loPartialKey}, 0},  // е is not ё
      {u"FSTNAME", S("smi"), {loCaseInsensitive, loPartialKey}, 7},
      {u"FSTNAME", S(""), {loPartialKey}, 1},
      {u"FSTNAME;SECNAME;LASTNAME",
       VarArrayOf({S("иванов"), S("иван"), S("петрович")}),
       {loCaseInsensitive},
       8},
      {u"FSTNAME;SECNAME;LASTNAME",
       VarArrayOf({S("ИВАН"), S("ИВ"), S("ИВ")}),
       {loCaseInsensitive, loPartialKey},
       1},
      {u"FSTNAME; SECNAME", VarArrayOf({S("Сидоров"), S("Петр")}), {}, 0},
      {u"LASTNAME", Null(), {}, 7},
      {u"ID", 4, {}, 4},
      {u"ID", 4.5, {}, 0},
      {u"ID", S("6"), {}, 6},
      {u"BIRTHDATE", VarFromDateTime(EncodeDate(1965, 5, 17)), {}, 4},
  };
  for (const Case& c : cases) {
    LocateFixture f;
    f.ds->SetRecNo(2);
    bool found = f.ds->Locate(c.fields, c.values, c.options);
    EXPECT_EQ(found, c.expected != 0) << StringToUtf8(c.fields) << " " << StringToUtf8(VarToStr(c.values));
    EXPECT_EQ(f.Id(), c.expected ? c.expected : 2) << StringToUtf8(c.fields);
  }
}

TEST(Locate, FoundRecordIsCentredAndScrollEventsRun) {
  TComponent owner(nullptr);
  TMemoryDataSet* ds = MakeNumberedDataSet(&owner, 100);
  auto* src = new TDataSource(&owner);
  src->SetDataSet(ds);
  TRecordingLink grid(5);
  grid.SetDataSource(src);
  ds->Open();
  int before = 0, after = 0;
  ds->BeforeScroll = [&](TDataSet*) { ++before; };
  ds->AfterScroll = [&](TDataSet*) { ++after; };
  grid.Log.clear();
  EXPECT_TRUE(ds->Locate(u"ID", 50, {}));
  EXPECT_EQ(grid.ActiveRecord(), 2);
  EXPECT_EQ(grid.Take(), "CheckBrowse, Changed");
  EXPECT_EQ(before, 1);
  EXPECT_EQ(after, 1);
  EXPECT_FALSE(ds->Locate(u"ID", 500, {}));
  EXPECT_EQ(after, 1);
  EXPECT_EQ(ds->FieldByName(u"ID")->AsInteger(), 50);
  EXPECT_THROW(ds->Locate(u"NOPE", 1, {}), EDatabaseError);
}

TEST(Locate, FilteredRecordsAreNotFound) {
  LocateFixture f;
  f.ds->SetFilter(u"ID > 4");
  f.ds->SetFiltered(true);
  EXPECT_FALSE(f.ds->Locate(u"ID", 2, {}));
  EXPECT_TRUE(f.ds->Locate(u"ID", 6, {}));
}

TEST(Locate, LookupDoesNotMove) {
  LocateFixture f;
  f.ds->SetRecNo(3);
  EXPECT_EQ(f.ds->Lookup(u"ID", 5, u"SECNAME"), Variant(S("Семён")));
  Variant both = f.ds->Lookup(u"FSTNAME;SECNAME", VarArrayOf({S("ИВАНОВ"), S("Иван")}), u"ID;LASTNAME");
  ASSERT_TRUE(VarIsArray(both));
  EXPECT_EQ(both.Element(0), Variant(8));
  EXPECT_EQ(both.Element(1), Variant(S("Петрович")));
  EXPECT_TRUE(VarIsNull(f.ds->Lookup(u"ID", 99, u"SECNAME")));
  EXPECT_EQ(f.Id(), 3);
}

TEST(Locate, FieldValuesWithVariantArrays) {
  LocateFixture f;
  EXPECT_EQ(f.ds->FieldValues(u"SECNAME"), Variant(S("Иван")));
  Variant v = f.ds->FieldValues(u"ID;FSTNAME");
  ASSERT_TRUE(VarIsArray(v));
  EXPECT_EQ(VarArrayHighBound(v, 1), 1);
  EXPECT_EQ(v.Element(1), Variant(S("Иванов")));
  f.ds->Edit();
  f.ds->SetFieldValues(u"SECNAME;LASTNAME", VarArrayOf({S("Игорь"), Null()}));
  f.ds->Post();
  EXPECT_EQ(f.ds->FieldByName(u"SECNAME")->AsString(), S("Игорь"));
  EXPECT_TRUE(f.ds->FieldByName(u"LASTNAME")->IsNull());
  std::vector<TField*> list;
  f.ds->GetFieldList(list, u"ID; LASTNAME");
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list[1]->FieldName(), u"LASTNAME");
}
