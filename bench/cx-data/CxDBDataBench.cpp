// A dataset controller bound to the people list of a million persons on SQLite: open and load,
// grid-mode navigation over a 100-record buffer, and the smart refresh after editing one record.
// The demo database is built once into the working folder (bench-people-<n>.db, shared with
// bench_db) and reused.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "bench/BenchPeople.h"
#include "bench/cx-data/BenchController.h"
#include "cx/data/cxDBData.h"
#include "cx/data/cxData.h"
#include "platform/ado/ADODB.h"
#include "platform/data/Field.h"
#include "platform/rtl/String.h"

void RegisterCxDataModules();
void RegisterAdoModules();

void RegisterCxDBDataBenchModules() {
  RegisterCxDataModules();
  RegisterAdoModules();
}

namespace {

constexpr int kPeople = 1000000;

const char* const kPeopleList =
    "SELECT O_PEOPLE.O_PEOPLEID, O_PEOPLE.FSTNAME, O_PEOPLE.SECNAME, O_PEOPLE.LASTNAME, O_PEOPLE.M_RAYON_DEPID, "
    "O_PEOPLE.M_RECORDSTATUSID, O_PEOPLE.BIRTHDATE FROM O_PEOPLE ORDER BY O_PEOPLE.FSTNAME, O_PEOPLE.SECNAME";
const char* const kColumns[] = {"O_PEOPLEID", "FSTNAME",          "SECNAME",  "LASTNAME",
                                "M_RAYON_DEPID", "M_RECORDSTATUSID", "BIRTHDATE"};

using TBenchController = TBenchControllerOf<TcxDBDataController>;

struct TFixture {
  TFixture() {
    list = BenchPeopleQuery(&owner, kPeople, kPeopleList);
    source = new TDataSource(&owner);
    source->SetDataSet(list);
  }
  // A controller with the list's columns, keyed by the person's id.
  std::unique_ptr<TBenchController> Bind() {
    auto dc = cxCreateDataController<TBenchController>(nullptr);
    for (const char* name : kColumns) {
      dc->ChangeFieldName(dc->AddColumn(), Utf8ToString(name));
    }
    dc->SetKeyFieldNames(u"O_PEOPLEID");
    dc->SetDataSource(source);
    return dc;
  }
  TComponent owner{nullptr};
  TADOQuery* list;
  TDataSource* source;
};

TFixture& Shared() {
  static TFixture fixture;
  return fixture;
}

void BM_BindAndLoadPeopleList(benchmark::State& state) {
  TFixture& f = Shared();
  for (auto _ : state) {
    f.list->Close();
    auto dc = f.Bind();
    f.list->Open();
    if (dc->GetRecordCount() != kPeople) state.SkipWithError("not every person was loaded");
    state.PauseTiming();
    state.counters["peak_rss_MB"] = ResidentMB("VmHWM:");
    dc.reset();
    state.ResumeTiming();
  }
}

void BM_GridModeLastAndBack(benchmark::State& state) {
  TFixture& f = Shared();
  if (!f.list->Active()) f.list->Open();
  auto dc = f.Bind();
  dc->DataModeController()->SetGridModeBufferCount(100);
  dc->DataModeController()->SetGridMode(true);
  for (auto _ : state) {
    dc->GotoLast();
    dc->GotoFirst();
  }
  if (dc->GetRecordCount() != 100) state.SkipWithError("the buffer does not hold 100 records");
}

// Edits the surname of the focused record and posts it.
void EditOne(TBenchController* dc, int ARound) {
  dc->SetEditValue(3, Variant(S("Тестов") + IntToStr(ARound % 2)), evsValue);
  dc->Post();
}

void BM_SmartRefreshAfterEdit(benchmark::State& state) {
  TFixture& f = Shared();
  if (!f.list->Active()) f.list->Open();
  auto dc = f.Bind();
  dc->DataModeController()->SetSmartRefresh(true);
  if (state.range(0)) dc->ChangeSorting(1, soAscending);
  dc->ChangeFocusedRowIndex(kPeople / 2);
  int round = 0;
  for (auto _ : state) EditOne(dc.get(), ++round);
  if (dc->GetRecordCount() != kPeople) state.SkipWithError("records were lost");
}

}  // namespace

BENCHMARK(BM_BindAndLoadPeopleList)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_GridModeLastAndBack)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_SmartRefreshAfterEdit)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(10);
