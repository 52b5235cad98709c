// The MDI menu merge: a child with a 50-link main menu maximized in an MDI parent, its menu merged
// into the parent's main menu bar and the bar repainted (target: 20 ms).
#include <benchmark/benchmark.h>

#include "dx/bars/dxBarBars.h"
#include "dx/bars/dxBarButton.h"
#include "dx/bars/dxBarManager.h"
#include "platform/forms/Forms.h"
#include "platform/rtl/NumberText.h"
#include "platform/win/Windows.h"

namespace {

constexpr int kChildLinks = 50;

TdxBar* AddMainMenu(TForm* Form, int Links, const String& Prefix) {
  auto* manager = new TdxBarManager(Form);
  TdxBar* bar = manager->Bars()->Add();
  bar->SetIsMainMenu(true);
  bar->SetDockingStyle(dsTop);
  for (int i = 0; i < Links; ++i) {
    auto* button = new TdxBarButton(Form);
    button->SetCaption(Prefix + IntToStr(i));
    button->SetCategory(0);
    bar->ItemLinks()->Add()->SetItem(button);
  }
  bar->SetVisible(true);
  return bar;
}

void BM_MaximizeMergedMDIChild(benchmark::State& state) {
  TForm* frame = nullptr;
  Application->CreateForm(frame);
  frame->SetBounds(0, 0, 1024, 700);
  frame->SetFormStyle(fsMDIForm);
  TdxBar* frameMenu = AddMainMenu(frame, 5, u"&Frame ");
  frame->Show();
  auto* child = NewForm<TForm>(nullptr);
  child->SetFormStyle(fsMDIChild);
  child->SetBounds(10, 10, 400, 300);
  AddMainMenu(child, kChildLinks, u"C&ommand ");
  child->Show();
  Application->ProcessMessages();
  for (auto _ : state) {
    child->SetWindowState(wsMaximized);
    UpdateWindow(frame->Handle());
    Application->ProcessMessages();
    state.PauseTiming();
    // The icon, the parent's five and the child's fifty.
    if (frameMenu->ItemLinks()->Count() != 1 + 5 + kChildLinks) state.SkipWithError("the menus were not merged");
    child->SetWindowState(wsNormal);
    Application->ProcessMessages();
    state.ResumeTiming();
  }
  delete child;
  delete frame;
}
BENCHMARK(BM_MaximizeMergedMDIChild)->Unit(benchmark::kMillisecond);

}  // namespace
