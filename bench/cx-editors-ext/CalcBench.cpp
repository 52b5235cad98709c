// The calculator through the message loop: keystrokes on a focused pad with its repaints, and the
// calc edit's pad opened by F4 and closed by Esc.
#include <benchmark/benchmark.h>

#include "cx/editors-ext/cxCalc.h"
#include "platform/forms/Forms.h"
#include "platform/win/Input.h"
#include "platform/win/Windows.h"

void RegisterCxEditorsExtModules();

namespace {

constexpr int kKeystrokes = 10000;
constexpr int kOpenings = 1000;

void Pump() { Application->ProcessMessages(); }

// A pad whose display is a string of its own.
class TBenchCalculator : public TcxCustomCalculator {
 public:
  explicit TBenchCalculator(TComponent* AOwner) : TcxCustomCalculator(AOwner) {}
  String GetDisplayText() override { return display; }
  void SetDisplayText(const String& Value) override { display = Value; }
  String display;
};

void BM_CalculatorKeystrokes(benchmark::State& state) {
  SetScreenSize(1024, 768);
  TForm form(nullptr);
  form.SetBounds(0, 0, 400, 300);
  auto* calculator = new TBenchCalculator(&form);
  calculator->SetParent(&form);
  calculator->SetBounds(10, 10, 198, 131);
  form.Show();
  Pump();
  calculator->SetFocus();
  Pump();
  // Digits, operations and results: every key repaints its button twice and the display changes.
  const String keys = u"12+34*5-6/7=";
  for (auto _ : state) {
    for (int i = 0; i < kKeystrokes; ++i) {
      SimulateText(String(1, keys[static_cast<size_t>(i) % keys.size()]));
      Pump();
    }
  }
  state.counters["keystrokes"] = kKeystrokes;
}
BENCHMARK(BM_CalculatorKeystrokes)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_CalcEditDropDowns(benchmark::State& state) {
  SetScreenSize(1024, 768);
  TForm form(nullptr);
  form.SetBounds(0, 0, 400, 300);
  auto* edit = new TcxCalcEdit(&form);
  edit->SetParent(&form);
  edit->SetBounds(10, 10, 150, 21);
  form.Show();
  Pump();
  edit->SetFocus();
  Pump();
  for (auto _ : state) {
    for (int i = 0; i < kOpenings; ++i) {
      SimulateKeyPress(VK_F4);
      Pump();
      SimulateKeyPress(VK_ESCAPE);
      Pump();
    }
  }
  if (edit->DroppedDown()) state.SkipWithError("the pad stayed open");
  state.counters["openings"] = kOpenings;
}
BENCHMARK(BM_CalcEditDropDowns)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
