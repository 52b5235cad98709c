// Editor benchmarks: typing 10,000 characters into a focused text edit through the message loop,
// with a repaint after each (target: under 300 ms).
#include <benchmark/benchmark.h>

#include "cx/editors/cxTextEdit.h"
#include "platform/forms/Forms.h"
#include "platform/win/Windows.h"

namespace {

void Pump() { Application->ProcessMessages(); }

void BM_TypeIntoTextEdit(benchmark::State& state) {
  SetScreenSize(1600, 900);
  TForm form(nullptr);
  form.SetBounds(0, 0, 800, 200);
  auto* edit = new TcxTextEdit(&form);
  edit->SetParent(&form);
  edit->SetBounds(10, 10, 700, 21);
  form.Show();
  Pump();
  edit->SetFocus();
  Pump();
  const String chunk = u"Иванов Пётр Сидорович, отдел кадров; ";
  for (auto _ : state) {
    edit->SetEditValue(String());
    Pump();
    int typed = 0;
    while (typed < 10000) {
      const String piece = chunk.substr(0, std::min<size_t>(chunk.size(), 10000 - typed));
      for (Char c : piece) {
        SimulateText(String(1, c));
        Pump();
      }
      typed += static_cast<int>(piece.size());
    }
    if (edit->Text().size() != 10000) state.SkipWithError("not every character arrived");
  }
  state.SetItemsProcessed(state.iterations() * 10000);
}
BENCHMARK(BM_TypeIntoTextEdit)->Unit(benchmark::kMillisecond);

}  // namespace
