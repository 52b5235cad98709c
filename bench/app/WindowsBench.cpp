// The program's windows opened from the main window over the million people: the person card of
// the list's current row, and the reference window with its whole tree of territories and bodies
// loaded. The time runs from the action to the window shown and painted in its modal loop.
#include <benchmark/benchmark.h>

#include <chrono>
#include <type_traits>

#include "app/SpravForm.h"
#include "app/TrenvikForm.h"
#include "bench/app/MainWindowBench.h"
#include "dx/dbgrid/dxDBTL.h"
#include "platform/win/Backend.h"

namespace {

using TWindowsClock = std::chrono::steady_clock;

// Seconds from Action to its modal window of class T painted; the window is then cancelled.
template <class T>
double SecondsToPaintedWindow(TAction* Action, int& TreeNodes) {
  TWindowsClock::time_point painted;
  SetMessagePumpHook([&] {
    auto* f = dynamic_cast<T*>(Screen->ActiveForm());
    if (!f || !f->Visible()) return;
    // Clearing the hook frees this closure: what it captured is taken first.
    TWindowsClock::time_point& at = painted;
    int& nodes = TreeNodes;
    SetMessagePumpHook(nullptr);
    UpdateWindow(f->Handle());
    at = TWindowsClock::now();
    if constexpr (std::is_same_v<T, TSpravForm>) nodes = f->DBTreeList->GetAbsoluteCount();
    f->SetModalResult(mrCancel);
    PostMessage(f->Handle(), WM_NULL, 0, 0);
  });
  const TWindowsClock::time_point start = TWindowsClock::now();
  Action->Execute();
  return std::chrono::duration<double>(painted - start).count();
}

void BM_OpeningTheCardToPaintedWindow(benchmark::State& state) {
  Window().EnsureOpen();
  int unused = 0;
  for (auto _ : state) state.SetIterationTime(SecondsToPaintedWindow<TTrenvikForm>(MainForm->AViewEdu, unused));
}

void BM_ReferenceWindowWithTheWholeTreeToPaintedWindow(benchmark::State& state) {
  Window().EnsureOpen();
  int nodes = 0;
  for (auto _ : state) state.SetIterationTime(SecondsToPaintedWindow<TSpravForm>(MainForm->ASprav, nodes));
  state.counters["tree_nodes"] = nodes;
}

}  // namespace

BENCHMARK(BM_OpeningTheCardToPaintedWindow)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(10);
BENCHMARK(BM_ReferenceWindowWithTheWholeTreeToPaintedWindow)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5);
