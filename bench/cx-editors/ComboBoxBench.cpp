// Combo box benchmarks with 100,000 items: dropping the list down by F4 (target: under 50 ms) and
// the incremental lookup of one typed character (target: under 2 ms), through the message loop.
#include <benchmark/benchmark.h>

#include <memory>

#include "cx/editors/cxComboBox.h"
#include "platform/forms/Forms.h"
#include "platform/rtl/NumberText.h"
#include "platform/win/Windows.h"

namespace {

constexpr int kItems = 100000;

void Pump() { Application->ProcessMessages(); }

// A focused combo box on a shown form whose items are "Сотрудник 000000" .. "Сотрудник 099999".
struct TComboFixture {
  TForm form{nullptr};
  TcxComboBox* combo;

  explicit TComboFixture(TcxEditDropDownListStyle AStyle) {
    SetScreenSize(1600, 900);
    form.SetBounds(0, 0, 600, 400);
    combo = new TcxComboBox(&form);
    combo->SetParent(&form);
    combo->SetBounds(10, 10, 300, 21);
    TcxCustomComboBoxProperties* properties = combo->ActiveProperties();
    properties->SetDropDownListStyle(AStyle);
    properties->SetImmediateDropDown(false);
    TStringList* items = properties->Items();
    items->BeginUpdate();
    for (int i = 0; i < kItems; ++i) {
      String number = IntToStr(i);
      items->Add(u"Сотрудник " + String(6 - number.size(), u'0') + number);
    }
    items->EndUpdate();
    form.Show();
    Pump();
    combo->SetFocus();
    Pump();
  }
};

// F4 opens the list (timed); Esc closes it (not timed).
void DropDownTimedAndClose(benchmark::State& state, TcxComboBox* ACombo) {
  SimulateKeyPress(VK_F4);
  Pump();
  if (!ACombo->DroppedDown()) state.SkipWithError("the list did not open");
  state.PauseTiming();
  SimulateKeyPress(VK_ESCAPE);
  Pump();
  state.ResumeTiming();
}

void BM_ComboBoxDropDown(benchmark::State& state) {
  TComboFixture f(lsEditList);
  for (auto _ : state) {
    DropDownTimedAndClose(state, f.combo);
  }
}
BENCHMARK(BM_ComboBoxDropDown)->Unit(benchmark::kMillisecond);

// The first opening after the items changed also measures the widest item.
void BM_ComboBoxFirstDropDownAfterItemsChanged(benchmark::State& state) {
  TComboFixture f(lsEditList);
  TStringList* items = f.combo->ActiveProperties()->Items();
  for (auto _ : state) {
    state.PauseTiming();
    items->SetStrings(kItems - 1, u"Сотрудник " + IntToStr(static_cast<int>(state.iterations())));
    state.ResumeTiming();
    DropDownTimedAndClose(state, f.combo);
  }
}
BENCHMARK(BM_ComboBoxFirstDropDownAfterItemsChanged)->Unit(benchmark::kMillisecond);

// The very first opening of a new combo box also fills its list box with 100,000 rows.
void BM_ComboBoxFirstDropDown(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    auto f = std::make_unique<TComboFixture>(lsEditList);
    state.ResumeTiming();
    DropDownTimedAndClose(state, f->combo);
    state.PauseTiming();
    f.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_ComboBoxFirstDropDown)->Unit(benchmark::kMillisecond)->Iterations(5);

// Typing "сотрудник 0998" into an empty edit: each character locates the first item starting with
// the typed text; the last ones go deep into the list.
void BM_ComboBoxIncrementalLookup(benchmark::State& state) {
  TComboFixture f(lsEditList);
  const String typing = u"сотрудник 0998";
  for (auto _ : state) {
    state.PauseTiming();
    f.combo->SetEditValue(String());
    Pump();
    state.ResumeTiming();
    for (Char c : typing) {
      SimulateText(String(1, c));
      Pump();
    }
    if (f.combo->ItemIndex() != 99800) state.SkipWithError("the typed text did not find its item");
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(typing.size()));
}
BENCHMARK(BM_ComboBoxIncrementalLookup)->Unit(benchmark::kMillisecond);

}  // namespace
