// A million records: scrolling, Locate and filtering stay fast (the limits are loosened under the
// sanitizers, which slow everything several times over).
#include <gtest/gtest.h>

#include <chrono>

#include "platform/data/testing/DataTesting.h"
#include "platform/rtl/NumberText.h"

namespace {
#if defined(__SANITIZE_ADDRESS__)
constexpr double kSlowdown = 15;
#else
constexpr double kSlowdown = 1;
#endif

template <class F>
double Millis(F f) {
  auto start = std::chrono::steady_clock::now();
  f();
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

TMemoryDataSet* MakeMillion(TComponent* owner) {
  static const char* const surnames[] = {"Иванов",  "Петров", "Сидоров", "Кузнецов",
                                         "Смирнов", "Попов",  "Волков"};
  auto* ds = new TMemoryDataSet(owner);
  ds->AddFieldDef(u"ID", ftInteger);
  ds->AddFieldDef(u"FSTNAME", ftWideString, 50);
  ds->AddFieldDef(u"SECNAME", ftWideString, 50);
  ds->AddFieldDef(u"AGE", ftInteger);
  std::vector<Variant> row(4);
  for (int i = 0; i < 1000000; ++i) {
    row[0] = i;
    row[1] = S(surnames[i % 7]) + IntToStr(i % 1000);
    row[2] = S("Имя") + IntToStr(i % 97);
    row[3] = 18 + i % 50;
    ds->AddRow(row);
  }
  return ds;
}
}  // namespace

TEST(LargeDataSet, MillionRecords) {
  TComponent owner(nullptr);
  TMemoryDataSet* ds = MakeMillion(&owner);
  auto* src = new TDataSource(&owner);
  src->SetDataSet(ds);
  TRecordingLink grid(30);
  grid.SetDataSource(src);
  ds->Open();
  ASSERT_EQ(ds->RecordCount(), 1000000);

  double scroll = Millis([&] {
    ds->Last();
    ds->First();
    ds->MoveBy(500000);
    ds->MoveBy(-250000);
    for (int i = 0; i < 1000; ++i) ds->Next();
  });
  EXPECT_EQ(ds->FieldByName(u"ID")->AsInteger(), 251000);
  EXPECT_LE(scroll, 100 * kSlowdown);

  double walk = Millis([&] {
    ds->DisableControls();
    int n = 0;
    for (ds->First(); !ds->Eof(); ds->Next()) ++n;
    ds->EnableControls();
    EXPECT_EQ(n, 1000000);
  });
  EXPECT_LE(walk, 1000 * kSlowdown);

  bool found = true;
  double locate = Millis([&] {
    found = ds->Locate(u"FSTNAME", S("иванов5000"), {loCaseInsensitive, loPartialKey});
  });
  EXPECT_FALSE(found);
  EXPECT_LE(locate, 100 * kSlowdown);
  double locateMany = Millis([&] {
    found = ds->Locate(u"FSTNAME;SECNAME;AGE", VarArrayOf({S("ВОЛКОВ999"), S("имя"), 67}),
                       {loCaseInsensitive, loPartialKey});
  });
  EXPECT_TRUE(found);
  EXPECT_LE(locateMany, 200 * kSlowdown);

  double filter = Millis([&] {
    ds->SetFilter(S("(FSTNAME LIKE 'Иванов1%') AND (AGE BETWEEN 20 AND 30)"));
    ds->SetFiltered(true);
  });
  EXPECT_GT(ds->RecordCount(), 0);
  EXPECT_LT(ds->RecordCount(), 1000000);
  EXPECT_LE(filter, 300 * kSlowdown);
  std::printf(
      "1M records: scroll %.1f ms, walk %.1f ms, locate %.1f ms, locate 3 fields %.1f ms, filter %.1f ms\n",
      scroll, walk, locate, locateMany, filter);
}
