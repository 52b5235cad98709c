// Typing through the toolbar library's keyboard hook: 10,000 characters into an edit of a form
// whose manager has 500 buttons with short cuts on 20 toolbars (target: under 150 ms).
#include <benchmark/benchmark.h>

#include <memory>

#include "dx/bars/dxBarBars.h"
#include "dx/bars/dxBarButton.h"
#include "platform/forms/Forms.h"
#include "platform/forms/StdCtrls.h"
#include "platform/rtl/NumberText.h"
#include "platform/win/Windows.h"

namespace {

// Arg 1: with the manager and its bars; 0: the same form without them, for comparison.
void BM_TypingThroughTheBarHooks(benchmark::State& state) {
  std::unique_ptr<TForm> form(NewForm<TForm>(nullptr));
  form->SetBounds(0, 0, 1280, 1024);
  const bool bars = state.range(1) != 0;
  auto* manager = bars ? new TdxBarManager(form.get()) : nullptr;
  for (int b = 0; bars && b < 20; ++b) {
    TdxBar* bar = manager->Bars()->Add();
    bar->SetCaption(u"Bar " + IntToStr(b));
    bar->SetDockingStyle(static_cast<TdxBarDockingStyle>(dsLeft + b % 4));
    for (int i = 0; i < 25; ++i) {
      auto* button = new TdxBarButton(form.get());
      button->SetCaption(u"B" + IntToStr(i));
      button->SetCategory(0);
      // Function keys with Ctrl or Ctrl+Shift: none is a plain character.
      const int n = b * 25 + i;
      button->SetShortCut(ShortCut(static_cast<Word>(VK_F1 + n % 12),
                                   n % 2 ? TShiftState{ssCtrl} : TShiftState{ssCtrl, ssShift}));
      bar->ItemLinks()->Add()->SetItem(button);
    }
    bar->SetVisible(true);
  }
  auto* edit = new TEdit(form.get());
  edit->SetParent(form.get());
  edit->SetBounds(400, 400, 300, 24);
  form->Show();
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
