// An unbound data controller with 1,000,000 records of six fields: loading, sorting, grouping with
// summaries and filtering.
#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <vector>

#include "bench/cx-data/BenchController.h"
#include "cx/data/cxData.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/String.h"


namespace {

constexpr int kRecords = 1000000;

using TBenchController = TBenchControllerOf<TcxDataController>;

enum { Id, Surname, City, BirthDate, Salary, Dept, ColumnCount };

struct TData {
  std::vector<String> surnames, cities;
  std::vector<TDateTime> dates;
  std::vector<double> salaries;
  std::vector<int> depts;
};

const TData& Data() {
  static TData data = [] {
    TData d;
    std::mt19937 random(12345);
    const char* syllables[] = {"ab", "ro", "va", "ne", "ki", "la", "mo", "ter", "sin", "dov", "ko", "ma"};
    std::vector<String> cityNames;
    for (int i = 0; i < 50; ++i)
      cityNames.push_back(S("City") + static_cast<Char>(u'A' + i % 26) + static_cast<Char>(u'a' + i / 26));
    for (int i = 0; i < kRecords; ++i) {
      String surname;
      int parts = 2 + static_cast<int>(random() % 3);
      for (int p = 0; p < parts; ++p) surname += S(syllables[random() % 12]);
      surname[0] = static_cast<Char>(surname[0] - 32);
      d.surnames.push_back(surname + S("ov"));
      d.cities.push_back(cityNames[random() % 50]);
      d.dates.push_back(EncodeDate(1950, 1, 1) + static_cast<double>(random() % 20000));
      d.salaries.push_back(random() % 10 == 0 ? -1 : 20000 + static_cast<double>(random() % 80000) / 3.0);
      d.depts.push_back(random() % 15 == 0 ? -1 : static_cast<int>(random() % 20));
    }
    return d;
  }();
  return data;
}

std::unique_ptr<TBenchController> NewController() {
  auto dc = cxCreateDataController<TBenchController>(nullptr);
  TcxValueTypeClass types[ColumnCount] = {TcxIntegerValueType::Class(),    TcxWideStringValueType::Class(),
                                          TcxWideStringValueType::Class(), TcxDateTimeValueType::Class(),
                                          TcxFloatValueType::Class(),      TcxIntegerValueType::Class()};
  for (int i = 0; i < ColumnCount; ++i) dc->ChangeValueTypeClass(dc->AddColumn(), types[i]);
  return dc;
}

void Load(TcxCustomDataController* dc) {
  const TData& d = Data();
  dc->BeginUpdate();
  dc->SetRecordCount(kRecords);
  for (int r = 0; r < kRecords; ++r) {
    auto i = static_cast<size_t>(r);
    dc->SetValue(r, Id, Variant(r));
    dc->SetValue(r, Surname, Variant(d.surnames[i]));
    dc->SetValue(r, City, Variant(d.cities[i]));
    dc->SetValue(r, BirthDate, VarFromDateTime(d.dates[i]));
    dc->SetValue(r, Salary, d.salaries[i] < 0 ? Null() : Variant(d.salaries[i]));
    dc->SetValue(r, Dept, d.depts[i] < 0 ? Null() : Variant(d.depts[i]));
  }
  dc->EndUpdate();
}

TBenchController* Loaded() {
  static std::unique_ptr<TBenchController> dc = [] {
    auto c = NewController();
    Load(c.get());
    return c;
  }();
  return dc.get();
}

void Reset(TcxCustomDataController* dc) {
  dc->BeginUpdate();
  dc->Filter()->Clear();
  dc->Filter()->SetActive(false);
  dc->Summary()->DefaultGroupSummaryItems()->Clear();
  for (int i = 0; i < ColumnCount; ++i) dc->Groups()->ChangeGroupIndex(i, -1);
  dc->ClearSorting(false);
  dc->EndUpdate();
}

void BM_Load(benchmark::State& state) {
  Data();
  for (auto _ : state) {
    state.PauseTiming();
    auto dc = NewController();
    state.ResumeTiming();
    Load(dc.get());
    benchmark::DoNotOptimize(dc->GetRowCount());
    state.PauseTiming();
    dc.reset();
    state.ResumeTiming();
  }
}

void BM_SortByString(benchmark::State& state) {
  TBenchController* dc = Loaded();
  for (auto _ : state) {
    state.PauseTiming();
    Reset(dc);
    state.ResumeTiming();
    dc->ChangeSorting(Surname, soAscending);
    benchmark::DoNotOptimize(dc->GetRowInfo(0).RecordIndex);
  }
}

void BM_SortByTwoFields(benchmark::State& state) {
  TBenchController* dc = Loaded();
  for (auto _ : state) {
    state.PauseTiming();
    Reset(dc);
    state.ResumeTiming();
    dc->BeginUpdate();
    dc->ChangeSorting(City, soAscending);
    dc->ChangeSorting(BirthDate, soDescending);
    dc->EndUpdate();
    benchmark::DoNotOptimize(dc->GetRowInfo(0).RecordIndex);
  }
}

void BM_GroupByTwoFieldsWithSumAndCount(benchmark::State& state) {
  TBenchController* dc = Loaded();
  for (auto _ : state) {
    state.PauseTiming();
    Reset(dc);
    state.ResumeTiming();
    dc->BeginUpdate();
    TcxDataSummaryItem* sum = dc->Summary()->DefaultGroupSummaryItems()->Add();
    sum->SetItemLink(dc->columns[Salary].get());
    sum->SetKind(skSum);
    TcxDataSummaryItem* count = dc->Summary()->DefaultGroupSummaryItems()->Add();
    count->SetItemLink(dc->columns[Id].get());
    count->SetKind(skCount);
    dc->Groups()->ChangeGroupIndex(City, 0);
    dc->Groups()->ChangeGroupIndex(Dept, 1);
    dc->EndUpdate();
    benchmark::DoNotOptimize(dc->Summary()->GetGroupSummaryText(0));
  }
}

void BM_GroupOnlyNoSummary(benchmark::State& state) {
  TBenchController* dc = Loaded();
  for (auto _ : state) {
    state.PauseTiming();
    Reset(dc);
    state.ResumeTiming();
    dc->BeginUpdate();
    dc->Groups()->ChangeGroupIndex(City, 0);
    dc->Groups()->ChangeGroupIndex(Dept, 1);
    dc->EndUpdate();
  }
}
BENCHMARK(BM_GroupOnlyNoSummary)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_FilterThreeConditionsWithLike(benchmark::State& state) {
  TBenchController* dc = Loaded();
  for (auto _ : state) {
    state.PauseTiming();
    Reset(dc);
    state.ResumeTiming();
    TcxDataFilterCriteria* filter = dc->Filter();
    filter->BeginUpdate();
    filter->AddItem(nullptr, dc->columns[Surname].get(), foLike, Variant(S("Ab%")), S("Ab%"));
    filter->AddItem(nullptr, dc->columns[Salary].get(), foGreater, Variant(30000.0), S("30000"));
    filter->AddItem(nullptr, dc->columns[BirthDate].get(), foLess, VarFromDateTime(EncodeDate(1990, 1, 1)),
                    S(""));
    filter->SetActive(true);
    filter->EndUpdate();
    benchmark::DoNotOptimize(dc->GetRowCount());
  }
}

BENCHMARK(BM_Load)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_SortByString)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_SortByTwoFields)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_GroupByTwoFieldsWithSumAndCount)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_FilterThreeConditionsWithLike)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
