// The lookup combo box over the people list of 100,000 persons on SQLite, through the message loop:
// dropping the list down, typing with and without the open list (and in grid mode), Down through the
// open list, and 2,000 in-place lookup cells painted, each key turned into its text.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "bench/BenchPeople.h"
#include "cx/editors-ext/cxDBLookupComboBox.h"
#include "cx/editors/cxEditViewInfo.h"
#include "platform/ado/ADODB.h"
#include "platform/forms/Forms.h"
#include "platform/forms/Graphics.h"
#include "platform/win/Windows.h"

void RegisterCxEditorsExtModules();
void RegisterAdoModules();

void RegisterLookupComboBenchModules() {
  RegisterCxEditorsExtModules();
  RegisterAdoModules();
}

namespace {

constexpr int kPeople = 100000;
constexpr int kCells = 2000;
constexpr int kDownRows = 1000;

const char* const kPeopleList = "SELECT O_PEOPLEID, LASTNAME FROM O_PEOPLE ORDER BY LASTNAME";

void Pump() { Application->ProcessMessages(); }

struct TPeopleList {
  TPeopleList() {
    list = BenchPeopleQuery(&owner, kPeople, kPeopleList);
    source = new TDataSource(&owner);
    source->SetDataSet(list);
    list->Open();
  }
  TComponent owner{nullptr};
  TADOQuery* list;
  TDataSource* source;
};

TPeopleList& People() {
  static TPeopleList people;
  return people;
}

// A focused lookup combo box on a shown form, listing the surnames keyed by the person's id.
struct TComboFixture {
  TForm form{nullptr};
  TcxLookupComboBox* combo;

  explicit TComboFixture(bool AImmediateDropDown = true, bool AGridMode = false) {
    SetScreenSize(1600, 900);
    form.SetBounds(0, 0, 600, 500);
    combo = new TcxLookupComboBox(&form);
    combo->SetParent(&form);
    combo->SetBounds(10, 10, 300, 21);
    TcxLookupComboBoxProperties* properties = combo->Properties();
    properties->SetImmediateDropDown(AImmediateDropDown);
    properties->SetGridMode(AGridMode);
    properties->SetListSource(People().source);
    properties->SetKeyFieldNames(u"O_PEOPLEID");
    properties->SetListFieldNames(u"LASTNAME");
    form.Show();
    Pump();
    combo->SetFocus();
    Pump();
  }
  void Open(benchmark::State& state) {
    SimulateKeyPress(VK_DOWN, 4);
    Pump();
    if (!combo->DroppedDown()) state.SkipWithError("the list did not open");
  }
  void Close() {
    SimulateKeyPress(VK_ESCAPE);
    Pump();
  }
};

void BM_LookupComboFirstDropDown(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    auto f = std::make_unique<TComboFixture>();
    state.ResumeTiming();
    f->Open(state);
    state.PauseTiming();
    f->Close();
    f.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_LookupComboFirstDropDown)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_LookupComboDropDown(benchmark::State& state) {
  TComboFixture f;
  f.Open(state);
  f.Close();
  for (auto _ : state) {
    f.Open(state);
    state.PauseTiming();
    f.Close();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_LookupComboDropDown)->Unit(benchmark::kMillisecond);

// Typing a surname prefix into an empty edit, a keystroke at a time with its repaint.
void TypeSurname(benchmark::State& state, TComboFixture& f) {
  const String typing = u"Сидоров";
  for (auto _ : state) {
    state.PauseTiming();
    f.Close();
    f.combo->SetEditValue(Null());
    Pump();
    state.ResumeTiming();
    for (Char c : typing) {
      SimulateText(String(1, c));
      Pump();
    }
    if (f.combo->Text().size() < typing.size()) state.SkipWithError("the typed text found no person");
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(typing.size()));
}

void BM_LookupComboTypingWithOpenList(benchmark::State& state) {
  TComboFixture f;
  TypeSurname(state, f);
}
BENCHMARK(BM_LookupComboTypingWithOpenList)->Unit(benchmark::kMillisecond);

void BM_LookupComboTypingWithoutList(benchmark::State& state) {
  TComboFixture f(false);
  TypeSurname(state, f);
}
BENCHMARK(BM_LookupComboTypingWithoutList)->Unit(benchmark::kMillisecond);

void BM_LookupComboTypingInGridMode(benchmark::State& state) {
  TComboFixture f(false, true);
  TypeSurname(state, f);
}
BENCHMARK(BM_LookupComboTypingInGridMode)->Unit(benchmark::kMillisecond);

void BM_LookupComboDownThroughOpenList(benchmark::State& state) {
  TComboFixture f;
  for (auto _ : state) {
    state.PauseTiming();
    f.combo->SetEditValue(Null());
    f.Open(state);
    state.ResumeTiming();
    for (int i = 0; i < kDownRows; ++i) {
      SimulateKeyPress(VK_DOWN);
      Pump();
    }
    state.PauseTiming();
    if (f.combo->Properties()->Grid()->FocusedRowIndex() < kDownRows - 1) state.SkipWithError("Down stopped");
    f.Close();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_LookupComboDownThroughOpenList)->Unit(benchmark::kMillisecond)->Iterations(5);

// 2,000 cells of a grid column edited by the combo box's properties, each showing a person's key.
void BM_LookupCellsPainted(benchmark::State& state) {
  TcxLookupComboBoxProperties properties(nullptr);
  properties.SetListSource(People().source);
  properties.SetKeyFieldNames(u"O_PEOPLEID");
  properties.SetListFieldNames(u"LASTNAME");
  TBitmap bitmap;
  bitmap.SetSize(200, 20 * 40);
  TcxCanvas canvas(bitmap.Canvas());
  TcxEditStyle style(nullptr, true);
  style.SetFont(bitmap.Canvas()->Font());
  // Inactive in-place cells show no drop-down button, as in a grid.
  style.SetButtonTransparency(ebtHideInactive);
  std::vector<Variant> keys;
  for (int i = 0; i < kCells; ++i) keys.push_back(1 + (i * 7919) % kPeople);
  for (auto _ : state) {
    for (int i = 0; i < kCells; ++i) {
      auto data = properties.CreateViewData(&style, true);
      TcxCustomEditViewInfo viewInfo;
      const RECT bounds{0, (i % 40) * 20, 200, (i % 40) * 20 + 20};
      data->Calculate(&canvas, bounds, {-1, -1}, 0, {}, &viewInfo, false);
      data->PrepareViewInfoValue(&canvas, keys[static_cast<size_t>(i)], &viewInfo);
      viewInfo.Paint(&canvas);
      if (viewInfo.Text.empty()) state.SkipWithError("a key without its text");
    }
  }
}
BENCHMARK(BM_LookupCellsPainted)->Unit(benchmark::kMillisecond);

}  // namespace
