// Masked-edit benchmark: typing 10,000 characters into a focused edit with a regular-expression
// mask, through the message loop (target: under 300 ms).
#include <benchmark/benchmark.h>

#include "cx/editors/cxMaskEdit.h"
#include "platform/forms/Forms.h"
#include "platform/win/Windows.h"

namespace {

void Pump() { Application->ProcessMessages(); }

void BM_TypeIntoRegExprMaskEdit(benchmark::State& state) {
  SetScreenSize(1600, 900);
  TForm form(nullptr);
  form.SetBounds(0, 0, 800, 200);
  auto* edit = new TcxMaskEdit(&form);
  edit->SetParent(&form);
  edit->SetBounds(10, 10, 700, 21);
  edit->ActiveProperties()->SetMaskKind(emkRegExpr);
  edit->ActiveProperties()->SetEditMask(u"([a-z]+\\d*[\\s,;]+)*");
  form.Show();
  Pump();
  edit->SetFocus();
  Pump();
  const String chunk = u"ivanov12 petr, otdel kadrov; ";  // every character fits the mask
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
    if (edit->Text().size() != 10000) state.SkipWithError("not every character was accepted");
  }
  state.SetItemsProcessed(state.iterations() * 10000);
}
BENCHMARK(BM_TypeIntoRegExprMaskEdit)->Unit(benchmark::kMillisecond);

}  // namespace
