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
  // Every character fits the mask.
  const String chunk = u"ivanov12 petr, otdel kadrov; ";
  String typing;
  while (typing.size() < 10000) typing += chunk;
  typing.resize(10000);
  for (auto _ : state) {
    edit->SetEditValue(String());
    Pump();
    for (Char c : typing) {
      SimulateText(String(1, c));
      Pump();
    }
    if (edit->Text() != typing) state.SkipWithError("not every character was accepted");
  }
  state.SetItemsProcessed(state.iterations() * 10000);
}
BENCHMARK(BM_TypeIntoRegExprMaskEdit)->Unit(benchmark::kMillisecond);

}  // namespace
