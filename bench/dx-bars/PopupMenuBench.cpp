// Toolbar library benchmarks: a popup menu of 60 entries, without animation, opened and closed by
// Escape 1,000 times (target: under 1 s).
#include <benchmark/benchmark.h>

#include <memory>

#include "dx/bars/dxBarButton.h"
#include "dx/bars/dxBarItemLinks.h"
#include "dx/bars/dxBarManager.h"
#include "dx/bars/dxBarPopupMenu.h"
#include "platform/forms/Forms.h"
#include "platform/rtl/NumberText.h"
#include "platform/win/Windows.h"

namespace {

void BM_PopupMenuOpenedAndClosedByEscape(benchmark::State& state) {
  std::unique_ptr<TForm> form(NewForm<TForm>(nullptr));
  form->SetBounds(100, 100, 500, 360);
  auto* manager = new TdxBarManager(form.get());
  manager->SetMenuAnimations(maNone);
  auto* menu = new TdxBarPopupMenu(form.get());
  for (int i = 0; i < 60; ++i) {
    auto* entry = new TdxBarButton(form.get());
    entry->SetCaption(u"Entry " + IntToStr(i));
    menu->ItemLinks()->Add()->SetItem(entry);
  }
  form->Show();
  Application->ProcessMessages();
  menu->SetNonModal(true);
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

}  // namespace
