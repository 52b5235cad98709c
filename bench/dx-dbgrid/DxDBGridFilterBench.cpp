// The people list's column filter and its workbook export: the surname header's drop-down over a
// million loaded people, a surname chosen from it, a custom filter of two surnames, clearing the
// filter (also grouped by two columns), and the export of the most rows a worksheet holds from a
// load-all grid and from a dataset-window grid. Each step ends with the grid painted.
#include <benchmark/benchmark.h>

#include <chrono>
#include <ctime>
#include <string>

#include "bench/BenchPeople.h"
#include "bench/dx-dbgrid/PeopleGridFixture.h"
#include "dx/dbgrid/dxDBGrid.h"
#include "dx/dbgrid/dxDBGridFilter.h"
#include "dx/dbgrid/dxDBGridFilterDropDown.h"
#include "dx/dbgrid/dxGrExpt.h"
#include "platform/data/Field.h"
#include "platform/rtl/FileUtils.h"

void RegisterDxDbGridModules();
void RegisterAdoModules();

void RegisterDxDBGridFilterBenchModules() {
  RegisterDxDbGridModules();
  RegisterAdoModules();
}

namespace {

using Clock = std::chrono::steady_clock;

const int kPeople = BenchPeopleCount(1000000);
// A caption row, the records and a footer row: the 16,384 rows a worksheet holds.
const int kSheetRecords = 16382;
const int kSurname = 1;

double MsSince(Clock::time_point Start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - Start).count();
}

// The process's CPU time in milliseconds: on a shared machine the wall time also counts the waits
// for a core.
double CpuMs() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

TPeopleGridFixture& Million() {
  // Never freed: its form would be destroyed by the exit handlers after the application's own
  // statics are gone.
  static TPeopleGridFixture& fixture = *new TPeopleGridFixture(kPeople, kBenchPeopleList, true);
  if (!fixture.list->Active()) fixture.list->Open();
  return fixture;
}

// Two surnames of the list: one near its start, one near its end.
std::pair<String, String> TwoSurnames(TPeopleGridFixture& f) {
  TDataSet* list = f.list;
  list->SetRecNo(100);
  const String first = list->FieldByName(u"FSTNAME")->AsString();
  list->SetRecNo(kPeople - 100);
  return {first, list->FieldByName(u"FSTNAME")->AsString()};
}

void BM_SurnameDropDown(benchmark::State& state) {
  TPeopleGridFixture& f = Million();
  f.grid->Filter()->SetActive(true);
  for (auto _ : state) {
    f.grid->ShowFilterDropDown(kSurname);
    f.Paint();
    if (!f.grid->FilterDropDown() || f.grid->FilterDropDown()->FilterValues()->Count() == 0)
      state.SkipWithError("the drop-down listed no surnames");
    f.grid->CloseFilterDropDown(false);
  }
}

// A surname chosen, then the filter cleared; or the same with the list grouped by place of work
// and first name.
void ChooseAndClear(benchmark::State& state, bool Grouped) {
  TPeopleGridFixture& f = Million();
  f.grid->Filter()->SetActive(true);
  TdxDBTreeListColumn* surname = f.grid->Columns(kSurname);
  const String chosen = TwoSurnames(f).first;
  if (Grouped) {
    f.grid->BeginGroupUpdate();
    f.grid->Columns(4)->SetGroupIndex(0);
    f.grid->Columns(2)->SetGroupIndex(1);
    f.grid->EndGroupUpdate();
  }
  f.Paint();
  double chooseMs = 0, clearMs = 0, chooseCpuMs = 0, clearCpuMs = 0;
  int rounds = 0;
  for (auto _ : state) {
    Clock::time_point start = Clock::now();
    double cpu = CpuMs();
    f.grid->Filter()->SetColumnValue(surname, Variant(chosen), chosen);
    f.Paint();
    chooseMs += MsSince(start);
    chooseCpuMs += CpuMs() - cpu;
    if (f.grid->GetAbsoluteCount() == 0 || f.grid->GetAbsoluteCount() >= kPeople)
      state.SkipWithError("the chosen surname did not narrow the list");
    start = Clock::now();
    cpu = CpuMs();
    f.grid->Filter()->ClearColumn(surname);
    f.Paint();
    clearMs += MsSince(start);
    clearCpuMs += CpuMs() - cpu;
    ++rounds;
  }
  state.counters["choose_and_paint_ms"] = chooseMs / rounds;
  state.counters["choose_cpu_ms"] = chooseCpuMs / rounds;
  state.counters["clear_and_paint_ms"] = clearMs / rounds;
  state.counters["clear_cpu_ms"] = clearCpuMs / rounds;
  if (Grouped) f.grid->ClearGrouping();
  f.Paint();
}

void BM_ChooseSurnameAndClear(benchmark::State& state) { ChooseAndClear(state, false); }
void BM_ChooseSurnameAndClearGrouped(benchmark::State& state) { ChooseAndClear(state, true); }

// "(Custom...)" with surname = A Or surname = B.
void BM_TwoSurnameCustomFilter(benchmark::State& state) {
  TPeopleGridFixture& f = Million();
  f.grid->Filter()->SetActive(true);
  TdxDBTreeListColumn* surname = f.grid->Columns(kSurname);
  const auto [a, b] = TwoSurnames(f);
  f.Paint();
  for (auto _ : state) {
    TdxDBGridCriteria* criteria = f.grid->Filter()->Criteria();
    TdxCriteriaItemList* either = criteria->Root()->AddList(fboOr);
    criteria->AddColumnCondition(either, surname, fokEqual, Variant(a), a, false);
    criteria->AddColumnCondition(either, surname, fokEqual, Variant(b), b, false);
    f.grid->Filter()->Changed();
    f.Paint();
    state.PauseTiming();
    f.grid->Filter()->ClearColumn(surname);
    f.Paint();
    state.ResumeTiming();
  }
}

// The export of a list of 16,382 people with a footer count and sum, to a file in the working
// folder (deleted first, as the program does).
void ExportSheet(benchmark::State& state, bool LoadAll) {
  static const std::string sql = std::string(kBenchPeopleList) + " LIMIT " + std::to_string(kSheetRecords);
  TPeopleGridFixture f(kPeople, sql.c_str(), LoadAll);
  f.grid->SetShowSummaryFooter(true);
  f.grid->Columns(0)->SetSummaryFooterType(cstCount);
  f.grid->Columns(4)->SetSummaryFooterType(cstSum);
  f.list->Open();
  f.Paint();
  const String file = u"bench-people-sheet.xls";
  for (auto _ : state) {
    DeleteFile(file);
    f.grid->SaveToExcelFile(file, true);
  }
  if (!FileExists(file)) state.SkipWithError("no workbook was written");
}

void BM_ExportSheetFromLoadAllGrid(benchmark::State& state) { ExportSheet(state, true); }
void BM_ExportSheetFromDataSetWindow(benchmark::State& state) { ExportSheet(state, false); }

}  // namespace

BENCHMARK(BM_SurnameDropDown)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ChooseSurnameAndClear)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_TwoSurnameCustomFilter)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ChooseSurnameAndClearGrouped)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_ExportSheetFromLoadAllGrid)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_ExportSheetFromDataSetWindow)->Unit(benchmark::kMillisecond)->Iterations(5);
