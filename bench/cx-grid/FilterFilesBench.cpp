// The filter control's rows of 200 conditions over a link of 20 text items: rebuilt from criteria,
// also in a shown control laid out and painted, and saved to and loaded from a ".flt" file.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

#include "cx/data/cxDataStorage.h"
#include "cx/editors/cxTextEdit.h"
#include "cx/grid/cxFilterControl.h"
#include "cx/grid/cxFilterControlRows.h"
#include "platform/forms/Forms.h"
#include "platform/win/Windows.h"

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

// The control fills a shown 600 x 400 form (headless screen); each rebuild ends painted.
void BM_FilterControlRebuiltLaidOutAndPainted(benchmark::State& state) {
  TBenchFilterLink link;
  SetScreenSize(1400, 900);
  std::unique_ptr<TForm> form(NewForm<TForm>(nullptr));
  form->SetBounds(0, 0, 600, 400);
  auto* control = new TcxFilterControl(form.get());
  control->SetParent(form.get());
  control->SetAlign(alClient);
  TcxFilterControlRowList* rows = control->RowList();
  rows->SetLink(&link);
  FillRows(*rows);
  if (!rows->BuildCriteria()) state.SkipWithError("invalid rows");
  form->Show();
  Application->ProcessMessages();
  for (auto _ : state) {
    rows->BuildRows();
    control->LayoutChanged();
    control->Invalidate();
    UpdateWindow(control->Handle());
    if (rows->RowCount() != 1 + kConditions + kConditions / kItems) state.SkipWithError("rows lost");
  }
  rows->SetLink(nullptr);
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
BENCHMARK(BM_FilterControlRebuiltLaidOutAndPainted)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FilterSaved)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FilterLoaded)->Unit(benchmark::kMillisecond);

}  // namespace
