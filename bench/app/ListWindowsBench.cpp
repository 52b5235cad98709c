// The windows the main list opens over the million people: the print window's preparation (the
// listed people written to the user's print rows) for 100,000 listed, and the duplicates window.
// The time runs from the action to the window shown and painted inside its modal loop.
#include <benchmark/benchmark.h>

#include <chrono>
#include <functional>

#include "app/DoublesFIO.h"
#include "app/FilterStatement.h"
#include "app/PrintForm.h"
#include "bench/app/MainWindowBench.h"
#include "platform/win/Backend.h"

namespace {

using TListWindowClock = std::chrono::steady_clock;

// The seconds from Action's execution to the first pass of the message loop with a form of type
// Window shown, which is then closed.
template <class Window>
double SecondsToShownWindow(TAction* Action) {
  TListWindowClock::time_point shown;
  SetMessagePumpHook([&shown] {
    auto* w = dynamic_cast<Window*>(Screen->ActiveForm());
    if (!w || !w->Visible()) return;
    TListWindowClock::time_point& at = shown;  // clearing the hook frees this closure
    SetMessagePumpHook(nullptr);
    UpdateWindow(w->Handle());
    at = TListWindowClock::now();
    w->SetModalResult(mrCancel);
  });
  const TListWindowClock::time_point start = TListWindowClock::now();
  Action->Execute();
  return std::chrono::duration<double>(shown - start).count();
}

// The people list holding every tenth person by key, as a filter would leave it.
void ListEveryTenthPerson() {
  Window().EnsureOpen();
  TADODataSet* list = DataModule2->OPEOPLE_LIST;
  list->Close();
  list->SetCommandText(ComposeListStatement(DataModule2->BaseSelect, String(), u"O_PEOPLE.O_PEOPLEID % 10 = 0",
                                            DataModule2->BaseOrderBy));
  list->Open();
  TMainWindow::Paint();
}

void BM_PrintPreparationForAHundredThousandListed(benchmark::State& state) {
  ListEveryTenthPerson();
  for (auto _ : state) state.SetIterationTime(SecondsToShownWindow<TPrintForm>(MainForm->APrintList));
  state.counters["listed"] = DataModule2->OPEOPLE_LIST->RecordCount();
  if (DataModule2->OPEOPLE_LIST->RecordCount() < 90000) state.SkipWithError("fewer people listed than meant");
}

void BM_DuplicatesWindowShown(benchmark::State& state) {
  Window().EnsureOpen();
  for (auto _ : state) state.SetIterationTime(SecondsToShownWindow<TDoublesFIOForm>(MainForm->AShowDoubles));
  state.counters["names"] = DataModule2->Doubles->Active() ? DataModule2->Doubles->RecordCount() : 0;
}

}  // namespace

BENCHMARK(BM_PrintPreparationForAHundredThousandListed)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);
BENCHMARK(BM_DuplicatesWindowShown)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);
