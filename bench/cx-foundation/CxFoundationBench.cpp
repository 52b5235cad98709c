// Control-foundation benchmarks: dragging a scroll-bar thumb across 1,000 positions with a repaint
// at each (target: under 100 ms), and opening and closing a pop-up window 1,000 times (under 1 s).
#include <benchmark/benchmark.h>

#include "cx/foundation/cxPopupWindow.h"
#include "cx/foundation/cxScrollBar.h"
#include "platform/forms/Forms.h"
#include "platform/forms/StdCtrls.h"
#include "platform/win/Windows.h"

namespace {

void Pump() { Application->ProcessMessages(); }

// A control of class T placed on the form.
template <class T>
T* Place(TWinControl* AParent, RECT ABounds) {
  auto* control = new T(AParent);
  control->SetParent(AParent);
  control->SetBoundsRect(ABounds);
  return control;
}

void BM_DragScrollBarThumb(benchmark::State& state) {
  SetScreenSize(1600, 900);
  TForm form(nullptr);
  form.SetBounds(0, 0, 1400, 200);
  // Arrows of 16 and a system thumb of 16 leave a free track of 1,000 pixels: one position each.
  auto* bar = Place<TcxScrollBar>(&form, {10, 10, 1058, 27});
  bar->SetScrollInfo(0, 1000, 0, 0);
  form.Show();
  Pump();
  int positions = 0;
  bar->OnScroll = [&](TObject*, TScrollCode Code, int&) { positions += Code == scTrack; };
  for (auto _ : state) {
    bar->SetPosition(0);
    Pump();
    const POINT start = bar->ClientToScreen({24, 8});
    SimulateMouseDown(TSimButton::Left, start);
    Pump();
    for (int i = 1; i <= 1000; ++i) {
      SimulateMouseMove({start.x + i, start.y});
      Pump();
    }
    SimulateMouseUp(TSimButton::Left, {start.x + 1000, start.y});
    Pump();
    if (bar->Position() != 1000) state.SkipWithError("the thumb did not reach the end");
  }
  state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(BM_DragScrollBarThumb)->Unit(benchmark::kMillisecond);

void BM_OpenAndClosePopup(benchmark::State& state) {
  SetScreenSize(1600, 900);
  TForm form(nullptr);
  form.SetBounds(100, 100, 400, 300);
  auto* owner = Place<TEdit>(&form, {10, 10, 160, 34});
  form.Show();
  Pump();
  TcxCustomPopupWindow popup(owner);
  popup.SetOwnLoop(false);
  popup.SetOwnerParent(owner);
  popup.SetOwnerBounds({0, 0, 150, 24});
  auto* list = Place<TListBox>(&popup, {0, 0, 150, 120});
  for (auto _ : state) {
    for (int i = 0; i < 1000; ++i) {
      popup.Popup(list);
      Pump();
      popup.ClosePopup(false);
      Pump();
    }
  }
  state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(BM_OpenAndClosePopup)->Unit(benchmark::kMillisecond);

}  // namespace
