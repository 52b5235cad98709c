// Typing through the toolbar library's keyboard hook: 10,000 characters into an edit of a form
// whose manager has 500 buttons with short cuts on 20 toolbars (target: under 150 ms).
#include <benchmark/benchmark.h>

#include "ToolbarsForm.h"
#include "platform/forms/StdCtrls.h"

namespace {

// Arg 1: with the manager and its bars; 0: the same form without them, for comparison.
void BM_TypingThroughTheBarHooks(benchmark::State& state) {
  TToolbarsForm f(state.range(1) != 0);
  auto* edit = new TEdit(f.form.get());
  edit->SetParent(f.form.get());
  edit->SetBounds(400, 400, 300, 24);
  f.form->Show();
  edit->SetFocus();
  Application->ProcessMessages();
  const int count = static_cast<int>(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    edit->SetText(u"");
    state.ResumeTiming();
    for (int i = 0; i < count; i += 100) {
      for (int k = 0; k < 100; ++k) SimulateKeyPress(static_cast<UINT>('A' + (i + k) % 26), 0);
      Application->ProcessMessages();
    }
    if (static_cast<int>(edit->Text().size()) != count) state.SkipWithError("characters lost");
  }
  state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_TypingThroughTheBarHooks)->Args({10000, 0})->Args({10000, 1})->Unit(benchmark::kMillisecond);

}  // namespace
