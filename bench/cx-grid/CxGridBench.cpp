// A DB table view bound to the people list of a million persons on SQLite, without painting: open,
// sorting by a column, grouping by two columns, a three-condition filter and expanding every group,
// each through the view's change cycle and the rebuild of its records.
#include <benchmark/benchmark.h>

#include <memory>

#include "bench/BenchPeople.h"
#include "cx/grid/cxGridDBTableView.h"
#include "cx/grid/cxGridRows.h"
#include "platform/ado/ADODB.h"
#include "platform/rtl/DateTime.h"

void RegisterCxGridModules();
void RegisterAdoModules();

void RegisterCxGridBenchModules() {
  RegisterCxGridModules();
  RegisterAdoModules();
}

namespace {

const int kPeople = BenchPeopleCount(1000000);

struct TFixture {
  TFixture() {
    list = BenchPeopleQuery(&owner, kPeople, kBenchPeopleList);
    source = new TDataSource(&owner);
    source->SetDataSet(list);
  }
  // A view with the list's columns, keyed by the person's id.
  std::unique_ptr<TcxGridDBTableView> Bind() {
    auto view = std::make_unique<TcxGridDBTableView>(nullptr);
    for (const char16_t* name : kBenchPeopleColumns) view->CreateColumn()->DataBinding()->SetFieldName(name);
    view->DataController()->SetKeyFieldNames(u"O_PEOPLEID");
    view->DataController()->SetDataSource(source);
    return view;
  }
  TComponent owner{nullptr};
  TADOQuery* list;
  TDataSource* source;
  std::unique_ptr<TcxGridDBTableView> view;
};

// Left to the end of the process: the view must not outlive the grid modules' finalization.
TFixture& Shared() {
  static TFixture* fixture = new TFixture;
  return *fixture;
}

// The shared view over the open list, with no sorting, grouping or filter.
TcxGridDBTableView* Loaded() {
  TFixture& f = Shared();
  if (!f.view) {
    f.view = f.Bind();
    f.list->Open();
  }
  TcxGridDBTableView* view = f.view.get();
  view->BeginUpdate();
  view->DataController()->Filter()->Clear();
  for (int i = 0; i < view->ColumnCount(); ++i) view->Columns(i)->SetGroupIndex(-1);
  view->DataController()->ClearSorting(false);
  view->EndUpdate();
  return view;
}

void CheckRecords(benchmark::State& state, TcxGridDBTableView* AView, int AExpected) {
  if (AView->ViewData()->RecordCount() != AExpected) state.SkipWithError("the records do not match the rows");
}

void BM_BindAndOpen(benchmark::State& state) {
  TFixture& f = Shared();
  for (auto _ : state) {
    state.PauseTiming();
    f.view.reset();
    f.list->Close();
    state.ResumeTiming();
    f.view = f.Bind();
    f.list->Open();
    CheckRecords(state, f.view.get(), kPeople);
    state.counters["peak_rss_MB"] = ResidentMB("VmHWM:");
  }
}

void BM_SortBySurname(benchmark::State& state) {
  TcxGridDBTableView* view = Loaded();
  int round = 0;
  for (auto _ : state)
    view->GetColumnByFieldName(u"FSTNAME")->SetSortOrder(++round % 2 ? soDescending : soAscending);
  CheckRecords(state, view, kPeople);
}

// The record status is empty in the demo data: the department (250 values) and the patronymic.
void GroupByDepartmentAndPatronymic(TcxGridDBTableView* AView) {
  AView->BeginUpdate();
  AView->GetColumnByFieldName(u"M_RAYON_DEPID")->SetGroupIndex(0);
  AView->GetColumnByFieldName(u"LASTNAME")->SetGroupIndex(1);
  AView->EndUpdate();
}

void BM_GroupByTwoColumns(benchmark::State& state) {
  TcxGridDBTableView* view = nullptr;
  for (auto _ : state) {
    state.PauseTiming();
    view = Loaded();
    state.ResumeTiming();
    GroupByDepartmentAndPatronymic(view);
  }
  if (view->ViewData()->RecordCount() == 0 || view->ViewData()->RecordCount() >= kPeople)
    state.SkipWithError("no group rows");
}

void BM_FilterThreeConditions(benchmark::State& state) {
  TcxGridDBTableView* view = nullptr;
  for (auto _ : state) {
    state.PauseTiming();
    view = Loaded();
    state.ResumeTiming();
    TcxDataFilterCriteria* filter = view->DataController()->Filter();
    filter->BeginUpdate();
    view->GetColumnByFieldName(u"FSTNAME")
        ->DataBinding()
        ->AddToFilter(nullptr, foLike, Variant(S("А%")), String(), false);
    view->GetColumnByFieldName(u"M_RAYON_DEPID")
        ->DataBinding()
        ->AddToFilter(nullptr, foLess, Variant(100), String(), false);
    view->GetColumnByFieldName(u"BIRTHDATE")
        ->DataBinding()
        ->AddToFilter(nullptr, foLess, VarFromDateTime(EncodeDate(1970, 1, 1)), String(), false);
    filter->SetActive(true);
    filter->EndUpdate();
  }
  state.counters["rows"] = view->ViewData()->RecordCount();
  if (view->ViewData()->RecordCount() == 0) state.SkipWithError("the filter let no record through");
}

void BM_ExpandEveryGroup(benchmark::State& state) {
  TcxGridDBTableView* view = nullptr;
  for (auto _ : state) {
    state.PauseTiming();
    view = Loaded();
    GroupByDepartmentAndPatronymic(view);
    view->ViewData()->Collapse(true);
    state.ResumeTiming();
    view->ViewData()->Expand(true);
  }
  if (view->ViewData()->RecordCount() <= kPeople) state.SkipWithError("not every group opened");
  state.counters["rows"] = view->ViewData()->RecordCount();
}

}  // namespace

BENCHMARK(BM_BindAndOpen)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_SortBySurname)->Unit(benchmark::kMillisecond)->Iterations(4);
BENCHMARK(BM_GroupByTwoColumns)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_FilterThreeConditions)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ExpandEveryGroup)->Unit(benchmark::kMillisecond)->Iterations(3);
