// Menus and actions: opening and closing a 30-item pop-up menu 1,000 times (target: under 1 s), and
// the idle update of 200 actions whose clients are tool buttons (target: under 1 ms).
#include <benchmark/benchmark.h>

#include <memory>

#include "platform/forms/ComCtrls.h"
#include "platform/forms/Forms.h"
#include "platform/forms/Menus.h"
#include "platform/rtl/NumberText.h"
#include "platform/win/Windows.h"

namespace {

std::unique_ptr<TForm> ShownForm() {
  std::unique_ptr<TForm> form(NewForm<TForm>(nullptr));
  form->SetBounds(0, 0, 900, 700);
  form->Show();
  Application->ProcessMessages();
  return form;
}

void PopupMenuOpenClose(benchmark::State& state) {
  auto form = ShownForm();
  auto* menu = new TPopupMenu(form.get());
  for (int i = 0; i < 30; ++i) {
    auto* item = new TMenuItem(form.get());
    item->SetCaption(u"Пункт меню номер " + IntToStr(i + 1));
    if (i % 5 == 0) item->SetShortCut(ShortCut('A' + i % 26, TShiftState{ssCtrl}));
    menu->Items()->Add(item);
  }
  for (auto _ : state) {
    for (int i = 0; i < 1000; ++i) {
      // The menu opens, is drawn, reads Escape and closes.
      SimulateKeyPress(VK_ESCAPE);
      menu->Popup(200, 20);
    }
  }
  Application->ProcessMessages();
}
BENCHMARK(PopupMenuOpenClose)->Unit(benchmark::kMillisecond)->Iterations(5);

void IdleActionUpdate(benchmark::State& state) {
  auto form = ShownForm();
  auto* list = new TActionList(form.get());
  int updates = 0;
  for (int b = 0; b < 10; ++b) {
    auto* bar = new TToolBar(form.get());
    bar->SetParent(form.get());
    for (int i = 0; i < 20; ++i) {
      auto* action = new TAction(form.get());
      action->SetActionList(list);
      action->OnExecute = [](TObject*) {};
      action->OnUpdate = [&updates, action](TObject*) {
        ++updates;
        action->SetEnabled(true);
      };
      auto* button = new TToolButton(form.get());
      button->SetParent(bar);
      button->SetAction(action);
    }
  }
  Application->ProcessMessages();
  // One pass of the application's loop with nothing queued: the idle step updates the actions.
  Application->OnIdle = [](TObject*, bool& Done) { Done = false; };
  for (auto _ : state) Application->HandleMessage();
  Application->OnIdle = nullptr;
  state.counters["actions updated per pass"] =
      static_cast<double>(updates) / static_cast<double>(state.iterations());
}
BENCHMARK(IdleActionUpdate)->Unit(benchmark::kMicrosecond);

}  // namespace
