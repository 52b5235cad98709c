// A toolbar combo of 10,000 strings, focused, its list dropped down at the chosen string in the
// middle and painted (target: 20 ms).
#include <benchmark/benchmark.h>

#include <memory>

#include "dx/bars/dxBarBars.h"
#include "dx/bars/dxBarCombo.h"
#include "dx/bars/dxBarComboControl.h"
#include "dx/bars/dxBarDropDownListBox.h"
#include "dx/bars/dxBarManager.h"
#include "platform/forms/Forms.h"
#include "platform/rtl/NumberText.h"
#include "platform/win/Windows.h"

namespace {

void BM_ComboOf10000StringsDroppedDown(benchmark::State& state) {
  std::unique_ptr<TForm> form(NewForm<TForm>(nullptr));
  form->SetBounds(100, 100, 500, 360);
  auto* manager = new TdxBarManager(form.get());
  TdxBar* bar = manager->Bars()->Add();
  bar->SetDockingStyle(dsTop);
  auto* combo = new TdxBarCombo(form.get());
  combo->SetCaption(u"Employee");
  combo->SetWidth(200);
  combo->Items()->BeginUpdate();
  for (int i = 0; i < 10000; ++i) combo->Items()->Add(u"Сотрудник " + IntToStr(i));
  combo->Items()->EndUpdate();
  combo->SetItemIndex(5000);
  bar->ItemLinks()->Add()->SetItem(combo);
  bar->SetVisible(true);
  form->Show();
  SetForegroundWindow(form->Handle());
  Application->ProcessMessages();
  combo->SetFocus();
  Application->ProcessMessages();
  auto* control = static_cast<TCustomdxBarComboControl*>(bar->ItemLinks()->Items(0)->Control());
  if (!control || !control->Focused()) {
    state.SkipWithError("the combo did not take the focus");
    return;
  }
  for (auto _ : state) {
    control->SetDroppedDown(true);
    if (!control->DroppedDown()) {
      state.SkipWithError("the list did not drop down");
      return;
    }
    UpdateWindow(combo->ListBox()->Handle());
    Application->ProcessMessages();
    state.PauseTiming();
    if (combo->ListBox()->ItemIndex() != 5000) state.SkipWithError("the list is not at the chosen string");
    control->SetDroppedDown(false);
    Application->ProcessMessages();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_ComboOf10000StringsDroppedDown)->Unit(benchmark::kMillisecond);

}  // namespace
