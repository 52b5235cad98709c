// The toolbar form's layout changes, painting included: the form resized so that every dock lays
// its bars out again (target: 10 ms), and the manager switching to large icons and back (30 ms).
#include <benchmark/benchmark.h>

#include "ToolbarsForm.h"

namespace {

// Arg 1: with the manager and its bars; 0: the same form without them, for comparison.
void BM_ToolbarFormResized(benchmark::State& state) {
  TToolbarsForm f(state.range(0) != 0);
  f.form->Show();
  Application->ProcessMessages();
  bool narrow = false;
  for (auto _ : state) {
    narrow = !narrow;
    // Narrower and lower: the top and bottom docks wrap their bars into more rows, the side docks
    // into more columns.
    f.form->SetBounds(0, 0, narrow ? 900 : 1280, narrow ? 700 : 1024);
    Application->ProcessMessages();
  }
}
BENCHMARK(BM_ToolbarFormResized)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_ToolbarFormLargeIconsSwitched(benchmark::State& state) {
  TToolbarsForm f(true);
  f.form->Show();
  Application->ProcessMessages();
  for (auto _ : state) {
    f.manager->SetLargeIcons(!f.manager->LargeIcons());
    Application->ProcessMessages();
  }
}
BENCHMARK(BM_ToolbarFormLargeIconsSwitched)->Unit(benchmark::kMillisecond);

}  // namespace
