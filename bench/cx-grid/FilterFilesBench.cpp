// The filter control's rows of 200 conditions over a link of 20 text items: rebuilt from criteria,
// and saved to and loaded from a ".flt" file (layout and painting wait for the control's window).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

#include "cx/data/cxDataStorage.h"
#include "cx/editors/cxTextEdit.h"
#include "cx/grid/cxFilterControlRows.h"

namespace {

constexpr int kItems = 20;
constexpr int kConditions = 200;

class TBenchFilterLink : public IcxFilterControl {
 public:
  TBenchFilterLink() : properties_(nullptr) {}
  String GetCaption(int AIndex) override { return u"Column " + IntToStr(AIndex); }
  int GetCount() override { return kItems; }
  TcxFilterCriteria* GetCriteria() override { return nullptr; }
  TObject* GetItemLink(int AIndex) override { return cxFilterControlItemLink(100 + AIndex); }
  String GetFieldName(int AIndex) override { return u"F" + IntToStr(AIndex); }
  TcxCustomEditProperties* GetProperties(int) override { return &properties_; }
  const TcxValueType* GetValueType(int) override { return TcxStringValueType::Class(); }

 private:
  TcxTextEditProperties properties_;
};

// Ten groups of twenty conditions, each on its own item with a value of its own.
void FillRows(TcxFilterControlRowList& ARows) {
  for (int g = 0; g < kConditions / kItems; ++g) {
    TcxGroupViewInfo* group = ARows.AddGroup(nullptr);
    group->SetBoolOperator(fgkOr);
    for (int i = 0; i < kItems; ++i) {
      auto* condition = i == 0 ? static_cast<TcxConditionViewInfo*>(group->Rows(0)) : ARows.AddCondition(group);
      condition->SetItem(i);
      const String value = u"value " + IntToStr(g * kItems + i);
      condition->Values()[0] = {Variant(value), value};
    }
  }
}

void BM_FilterRowsRebuilt(benchmark::State& state) {
  TBenchFilterLink link;
  TcxFilterControlRowList rows;
  rows.SetLink(&link);
  FillRows(rows);
  if (!rows.BuildCriteria()) state.SkipWithError("invalid rows");
  for (auto _ : state) {
    rows.BuildRows();
    if (rows.RowCount() != 1 + kConditions + kConditions / kItems) state.SkipWithError("rows lost");
  }
}

void BM_FilterSaved(benchmark::State& state) {
  TBenchFilterLink link;
  TcxFilterControlRowList rows;
  rows.SetLink(&link);
  FillRows(rows);
  for (auto _ : state) rows.SaveToFile(u"bench-filter-200.flt");
}

void BM_FilterLoaded(benchmark::State& state) {
  TBenchFilterLink link;
  TcxFilterControlRowList rows;
  rows.SetLink(&link);
  FillRows(rows);
  rows.SaveToFile(u"bench-filter-200.flt");
  TcxFilterControlRowList loaded;
  loaded.SetLink(&link);
  for (auto _ : state) {
    loaded.LoadFromFile(u"bench-filter-200.flt");
    if (loaded.RowCount() != rows.RowCount()) state.SkipWithError("rows lost");
  }
  std::remove("bench-filter-200.flt");
}

BENCHMARK(BM_FilterRowsRebuilt)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FilterSaved)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FilterLoaded)->Unit(benchmark::kMillisecond);

}  // namespace
