// Editor benchmarks: computing view info and painting a 1920x1080 surface of 2,000 text-edit cells
// (96x20 pixels) without windows (target: under 15 ms); typing 10,000 characters into a focused
// text edit through the message loop, with a repaint after each (target: under 300 ms).
#include <benchmark/benchmark.h>

#include "cx/editors/cxEditViewInfo.h"
#include "cx/editors/cxTextEdit.h"
#include "platform/forms/Forms.h"
#include "platform/forms/Graphic.h"
#include "platform/win/Windows.h"

namespace {

void Pump() { Application->ProcessMessages(); }

// 20 columns of 96 pixels by 100 rows of 20 pixels (the last rows run below the surface's edge as a
// grid's would), each cell calculated and painted by the properties' view data.
void PaintCells(benchmark::State& state, TcxCustomEditProperties& properties) {
  TBitmap surface;
  surface.SetSize(1920, 1080);
  TcxCanvas canvas(surface.Canvas());
  // The style's default font: the sans face the program draws with.
  TcxEditStyle style(nullptr, false);
  auto data = properties.CreateViewData(&style, true);
  const Variant values[] = {String(u"Иванов"), String(u"Пётр Сидорович"), String(u"Отдел кадров"), 1975};
  TcxCustomEditViewInfo viewInfo;
  for (auto _ : state) {
    for (int cell = 0; cell < 2000; ++cell) {
      const int x = (cell % 20) * 96, y = (cell / 20) * 20;
      data->Calculate(&canvas, {x, y, x + 96, y + 20}, {-1, -1}, 0, {}, &viewInfo, false);
      data->PrepareViewInfoValue(&canvas, values[cell % 4], &viewInfo);
      viewInfo.Paint(&canvas);
    }
  }
  state.SetItemsProcessed(state.iterations() * 2000);
}

void BM_PaintTextCells(benchmark::State& state) {
  TcxTextEditProperties properties(nullptr);
  PaintCells(state, properties);
}
BENCHMARK(BM_PaintTextCells)->Unit(benchmark::kMillisecond);

// The same surface with a drop-down button in every cell, as a grid's combo column draws it.
void BM_PaintButtonCells(benchmark::State& state) {
  TcxTextEditProperties properties(nullptr);
  properties.Buttons()->Add()->Kind = bkDown;
  PaintCells(state, properties);
}
BENCHMARK(BM_PaintButtonCells)->Unit(benchmark::kMillisecond);

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
