// The property inspector with 10,000 text rows: layout plus a full repaint at several scroll
// positions, and the focus moved row by row through all rows with the in-place editor following.
#include <benchmark/benchmark.h>

#include <memory>

#include "dx/inspector/dxInspctControl.h"
#include "platform/forms/Forms.h"
#include "platform/rtl/NumberText.h"
#include "platform/win/Windows.h"

#ifndef TRENVIK_BENCH_ROWS
#define TRENVIK_BENCH_ROWS 10000
#endif

namespace {

constexpr int kRows = TRENVIK_BENCH_ROWS;

class TBenchInspector : public TCustomdxInspectorControl {
 public:
  using TCustomdxInspector::KeyDown;
  using TCustomdxInspectorControl::TCustomdxInspectorControl;
};

struct TShownInspector {
  TShownInspector() {
    SetScreenSize(1024, 768);
    form.reset(NewForm<TForm>(nullptr));
    form->SetBounds(0, 0, 420, 640);
    inspector = new TBenchInspector(form.get());
    inspector->SetParent(form.get());
    inspector->SetBounds(10, 10, 400, 600);
    inspector->BeginUpdate();
    for (int i = 0; i < kRows; ++i) {
      auto* row =
          static_cast<TdxInspectorTextRow*>(inspector->AddRowOfClass(TdxInspectorTextRow::StaticClass()));
      row->SetCaption(u"Поле " + IntToStr(i));
      row->SetText(u"Значение строки " + IntToStr(i));
    }
    inspector->EndUpdate();
    form->Show();
    Application->ProcessMessages();
  }
  std::unique_ptr<TForm> form;
  TBenchInspector* inspector = nullptr;
};

void BM_LayoutAndRepaint(benchmark::State& state) {
  TShownInspector shown;
  const int top = static_cast<int>(state.range(0)) * (kRows - 1) / 100;
  shown.inspector->SetTopIndex(top);
  for (auto _ : state) {
    shown.inspector->LayoutChanged();
    shown.inspector->Repaint();
  }
}
BENCHMARK(BM_LayoutAndRepaint)->Arg(0)->Arg(50)->Arg(100)->Unit(benchmark::kMillisecond);

void BM_LayoutAndRepaintInBands(benchmark::State& state) {
  TShownInspector shown;
  shown.inspector->SetOptionFlags(shown.inspector->OptionFlags() | (1 << inoAutoBandCount));
  shown.inspector->SetBandWidth(130);
  shown.inspector->SetFirstBand(static_cast<int>(state.range(0)) * shown.inspector->BandCount() / 100);
  for (auto _ : state) {
    shown.inspector->LayoutChanged();
    shown.inspector->Repaint();
  }
}
BENCHMARK(BM_LayoutAndRepaintInBands)->Arg(0)->Arg(50)->Arg(100)->Unit(benchmark::kMillisecond);

// Down through every row, as the key handler does it: post, move, show the editor on the new row.
void BM_FocusEveryRowWithTheEditor(benchmark::State& state) {
  TShownInspector shown;
  shown.inspector->SetFocus();
  Application->ProcessMessages();
  for (auto _ : state) {
    shown.inspector->SetFocusedAbsoluteIndex(0);
    shown.inspector->ShowEditor();
    for (int i = 1; i < kRows; ++i) {
      WORD key = VK_DOWN;
      shown.inspector->KeyDown(key, TShiftState{});
    }
    if (shown.inspector->GetFocusedAbsoluteIndex() != kRows - 1)
      state.SkipWithError("the focus did not reach the end");
  }
}
BENCHMARK(BM_FocusEveryRowWithTheEditor)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
