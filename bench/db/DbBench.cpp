// The people list of a million persons: opening it with its own statement (static cursor), the
// client sort by surname and first name, and a partial case-insensitive Locate that finds nothing.
// The demo database is built once into the working folder (bench-people-<n>.db) and reused.
#include <benchmark/benchmark.h>

#include <string>

#include "bench/BenchPeople.h"
#include "platform/ado/ADODB.h"
#include "platform/data/Field.h"
#include "platform/rtl/String.h"


namespace {

constexpr int kPeople = 1000000;

const char* const kPeopleList =
    "SELECT DISTINCT O_PEOPLE.O_PEOPLEID, O_PEOPLE.FSTNAME, O_PEOPLE.SECNAME, O_PEOPLE.LASTNAME, "
    "O_PEOPLE.M_RAYON_DEPID, O_PEOPLE.M_RECORDSTATUSID,\r\nO_PEOPLE.BIRTHDATE\r\nFROM O_PEOPLE   \r\n"
    "ORDER BY  O_PEOPLE.FSTNAME, O_PEOPLE.SECNAME";

struct Fixture {
  Fixture() {
    list = BenchPeopleQuery(&owner, kPeople, kPeopleList);
  }
  TComponent owner{nullptr};
  TADOQuery* list;
};

Fixture& Shared() {
  static Fixture fixture;
  return fixture;
}

void BM_OpenPeopleList(benchmark::State& state) {
  Fixture& f = Shared();
  for (auto _ : state) {
    f.list->Close();
    f.list->Open();
    benchmark::DoNotOptimize(f.list->RecordCount());
  }
  state.counters["rows"] = f.list->RecordCount();
  state.counters["rss_MB"] = ResidentMB("VmRSS:");
  state.counters["peak_rss_MB"] = ResidentMB("VmHWM:");
}

void BM_SortBySurnameAndName(benchmark::State& state) {
  Fixture& f = Shared();
  if (!f.list->Active()) f.list->Open();
  for (auto _ : state) {
    f.list->SetSort(u"");
    f.list->SetSort(u"FSTNAME ASC , SECNAME ASC ");
  }
}

void BM_LocateNothing(benchmark::State& state) {
  Fixture& f = Shared();
  if (!f.list->Active()) f.list->Open();
  f.list->First();
  for (auto _ : state) {
    bool found =
        f.list->Locate(u"FSTNAME", Variant(S("ЯЯЯЖЖЖ")), TLocateOptions{loCaseInsensitive, loPartialKey});
    if (found) state.SkipWithError("found a record that does not exist");
  }
}

}  // namespace

BENCHMARK(BM_OpenPeopleList)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_SortBySurnameAndName)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_LocateNothing)->Unit(benchmark::kMillisecond)->Iterations(5);
