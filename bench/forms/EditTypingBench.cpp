// Typing into the native edit classes: 10,000 characters into a focused TEdit and a TMemo as
// simulated input, each through the message loop with the repaint it causes (target: under 300 ms).
#include <benchmark/benchmark.h>

#include <memory>

#include "platform/forms/Forms.h"
#include "platform/forms/StdCtrls.h"
#include "platform/win/Windows.h"

namespace {

constexpr int kTyped = 10000;

void Pump() { Application->ProcessMessages(); }

std::unique_ptr<TForm> ShownForm() {
  SetScreenSize(1600, 900);
  std::unique_ptr<TForm> form(NewForm<TForm>(nullptr));
  form->SetBounds(0, 0, 800, 400);
  form->Show();
  Pump();
  return form;
}

// Types kTyped characters into the focused `edit`, pressing Enter every `lineLength` characters
// when that is not zero.
void TypeInto(benchmark::State& state, TCustomEdit* edit, int lineLength) {
  edit->SetFocus();
  Pump();
  const String chunk = u"Иванов Пётр Сидорович, отдел кадров; ";
  for (auto _ : state) {
    edit->SetText(String());
    Pump();
    for (int typed = 0; typed < kTyped; ++typed) {
      if (lineLength && typed % lineLength == lineLength - 1)
        SimulateKeyPress(VK_RETURN);
      else
        SimulateText(String(1, chunk[typed % chunk.size()]));
      Pump();
    }
    const size_t expected = lineLength ? kTyped + kTyped / lineLength : kTyped;
    if (edit->Text().size() != expected) state.SkipWithError("not every character arrived");
  }
  state.SetItemsProcessed(state.iterations() * kTyped);
}

void BM_TypeIntoEdit(benchmark::State& state) {
  auto form = ShownForm();
  auto* edit = new TEdit(form.get());
  edit->SetParent(form.get());
  edit->SetBounds(10, 10, 700, 21);
  TypeInto(state, edit, 0);
}
BENCHMARK(BM_TypeIntoEdit)->Unit(benchmark::kMillisecond);

// One word-wrapped paragraph (every character re-wraps its tail), and lines ended by Enter.
void BM_TypeIntoMemo(benchmark::State& state) {
  auto form = ShownForm();
  auto* memo = new TMemo(form.get());
  memo->SetParent(form.get());
  memo->SetBounds(10, 10, 700, 300);
  memo->SetScrollBars(ssVertical);
  TypeInto(state, memo, static_cast<int>(state.range(0)));
}
BENCHMARK(BM_TypeIntoMemo)->Arg(0)->Arg(60)->ArgName("lineLength")->Unit(benchmark::kMillisecond);

}  // namespace
