// The customizing form opened with its lists filled: 20 toolbars and 500 commands in 10 categories,
// the form shown and painted, then closed again (target: 100 ms for the opening); at design time
// with "All commands" and 10 groups of 20 members as well.
#include <benchmark/benchmark.h>

#include <memory>

#include "dx/bars/dxBarBars.h"
#include "dx/bars/dxBarButton.h"
#include "dx/bars/dxBarCustomizingForm.h"
#include "dx/bars/dxBarGroup.h"
#include "dx/bars/dxBarManager.h"
#include "platform/forms/Forms.h"
#include "platform/rtl/NumberText.h"

namespace {

struct TCustomizingFixture {
  std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
  TdxBarManager* manager;

  explicit TCustomizingFixture(bool Designing = false) {
    form->SetBounds(0, 0, 800, 600);
    manager = new TdxBarManager(form.get());
    for (int c = 0; c < 10; ++c) manager->Categories()->Add(u"Category " + IntToStr(c));
    std::vector<TdxBarButton*> buttons;
    for (int i = 0; i < 500; ++i) {
      auto* button = new TdxBarButton(form.get());
      button->SetCaption(u"Command " + IntToStr(i));
      button->SetCategory(i % 10);
      buttons.push_back(button);
    }
    for (int n = 0; n < 20; ++n) {
      TdxBar* bar = manager->Bars()->Add();
      bar->SetCaption(u"Bar " + IntToStr(n));
      bar->SetDockingStyle(dsTop);
      bar->SetRow(n);
      for (int j = 0; j < 10; ++j) bar->ItemLinks()->Add()->SetItem(buttons[(n * 10 + j) % buttons.size()]);
      bar->SetVisible(true);
    }
    if (Designing) {
      for (int g = 0; g < 10; ++g) {
        auto* group = new TdxBarGroup(form.get());
        group->SetName(u"Group" + IntToStr(g));
        for (int m = 0; m < 20; ++m) group->Add(buttons[g * 20 + m]);
      }
      manager->SetDesigning(true, false);
    }
    form->Show();
    Application->ProcessMessages();
  }
};

void OpenAndClose(benchmark::State& state, bool Designing) {
  TCustomizingFixture fixture(Designing);
  for (auto _ : state) {
    fixture.manager->SetCustomizing(true);
    Application->ProcessMessages();
    benchmark::DoNotOptimize(GetCustomizingForm()->LCommands->Count());
    state.PauseTiming();
    fixture.manager->SetCustomizing(false);
    Application->ProcessMessages();
    state.ResumeTiming();
  }
  fixture.manager->SetDesigning(false, false);
}

void BM_OpenCustomizingForm(benchmark::State& state) { OpenAndClose(state, false); }
BENCHMARK(BM_OpenCustomizingForm)->Unit(benchmark::kMillisecond);

void BM_OpenCustomizingFormAtDesignTime(benchmark::State& state) { OpenAndClose(state, true); }
BENCHMARK(BM_OpenCustomizingFormAtDesignTime)->Unit(benchmark::kMillisecond);

}  // namespace
