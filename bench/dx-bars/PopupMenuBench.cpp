// Toolbar library benchmarks: a popup menu of 60 entries, without animation, opened and closed by
// Escape 1,000 times (target: under 1 s); the steps of a 30-entry menu sliding open (target: 3 ms
// a step).
#include <benchmark/benchmark.h>

#include <memory>

#include "dx/bars/dxBarButton.h"
#include "dx/bars/dxBarItemLinks.h"
#include "dx/bars/dxBarManager.h"
#include "dx/bars/dxBarMenuAnimation.h"
#include "dx/bars/dxBarPopupMenu.h"
#include "platform/forms/Forms.h"
#include "platform/rtl/NumberText.h"
#include "platform/win/Windows.h"

namespace {

// A shown form with a manager and a popup menu of Entries entries, shown without waiting.
struct TMenuForm {
  explicit TMenuForm(int Entries) : form(NewForm<TForm>(nullptr)) {
    form->SetBounds(100, 100, 500, 360);
    manager = new TdxBarManager(form.get());
    manager->SetMenuAnimations(maNone);
    menu = new TdxBarPopupMenu(form.get());
    for (int i = 0; i < Entries; ++i) {
      auto* entry = new TdxBarButton(form.get());
      entry->SetCaption(u"Entry " + IntToStr(i));
      menu->ItemLinks()->Add()->SetItem(entry);
    }
    form->Show();
    Application->ProcessMessages();
    menu->SetNonModal(true);
  }
  std::unique_ptr<TForm> form;
  TdxBarManager* manager;
  TdxBarPopupMenu* menu;
};

void BM_PopupMenuOpenedAndClosedByEscape(benchmark::State& state) {
  TMenuForm f(60);
  TdxBarPopupMenu* menu = f.menu;
  const int count = static_cast<int>(state.range(0));
  for (auto _ : state) {
    for (int i = 0; i < count; ++i) {
      menu->Popup(120, 120);
      SimulateKeyPress(VK_ESCAPE, 0);
      Application->ProcessMessages();
      if (menu->MenuControl()) {
        state.SkipWithError("Escape left the menu open");
        return;
      }
    }
  }
  state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_PopupMenuOpenedAndClosedByEscape)->Arg(1000)->Unit(benchmark::kMillisecond);

// Every step of a 30-entry menu sliding open, from its painted image to its last frame.
void BM_AnimatedMenuStep(benchmark::State& state) {
  TMenuForm f(30);
  f.menu->Popup(120, 20);
  TdxBarSubMenuControl* window = f.menu->MenuControl();
  int64_t steps = 0;
  for (auto _ : state) {
    TdxBarMenuAnimation animation(window, maSlide, false, false);
    while (animation.Step()) ++steps;
  }
  // The time shown is for a whole opening; this many steps share it.
  state.counters["steps"] = static_cast<double>(steps) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_AnimatedMenuStep)->Unit(benchmark::kMillisecond);

}  // namespace
