// Toolbar benchmarks: a layout of 20 bars and 500 links saved to and loaded from an INI file
// (targets: 20 ms each) and the registry (30 ms each); the prefix search of a combo of 10,000
// strings for one typed text (target: 1 ms a keystroke).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <memory>

#include "dx/bars/dxBarBars.h"
#include "dx/bars/dxBarButton.h"
#include "dx/bars/dxBarCombo.h"
#include "dx/bars/dxBarManager.h"
#include "platform/classes/RegistryStore.h"
#include "platform/forms/Forms.h"
#include "platform/rtl/NumberText.h"

namespace {

constexpr int kBars = 20;
constexpr int kLinksPerBar = 25;

// A form whose manager has 20 bars of 25 links each, the links over 100 named buttons.
struct TLayoutFixture {
  std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
  TdxBarManager* manager;
  std::string folder;

  TLayoutFixture() {
    char pattern[] = "/tmp/bench-bars-XXXXXX";
    folder = ::mkdtemp(pattern);
    SetRegistryStoreFileName(Utf8ToString(folder + "/registry.txt"));
    form->SetName(u"BenchForm");
    manager = new TdxBarManager(form.get());
    manager->SetName(u"Bars");
    std::vector<TdxBarButton*> buttons;
    for (int i = 0; i < 100; ++i) {
      auto* button = new TdxBarButton(form.get());
      button->SetName(u"Command" + IntToStr(i));
      button->SetCaption(u"Command " + IntToStr(i));
      button->SetCategory(0);
      buttons.push_back(button);
    }
    for (int n = 0; n < kBars; ++n) {
      TdxBar* bar = manager->Bars()->Add();
      bar->SetCaption(u"Bar " + IntToStr(n));
      for (int j = 0; j < kLinksPerBar; ++j) {
        TdxBarItemLink* link = bar->ItemLinks()->Add();
        link->SetItem(buttons[(n * kLinksPerBar + j) % buttons.size()]);
        if (j % 5 == 0) {
          link->SetUserCaption(u"Mine " + IntToStr(j));
          link->SetUserDefine(TdxBarUserDefines{udCaption});
        }
      }
    }
  }
  ~TLayoutFixture() {
    form.reset();
    SetRegistryStoreFileName(String());
    std::filesystem::remove_all(folder);
  }
  String IniFile() const { return Utf8ToString(folder + "/layout.ini"); }
};

void BM_SaveLayoutToIniFile(benchmark::State& state) {
  TLayoutFixture fixture;
  for (auto _ : state) fixture.manager->SaveToIniFile(fixture.IniFile());
}
BENCHMARK(BM_SaveLayoutToIniFile)->Unit(benchmark::kMillisecond);

void BM_LoadLayoutFromIniFile(benchmark::State& state) {
  TLayoutFixture fixture;
  fixture.manager->SaveToIniFile(fixture.IniFile());
  for (auto _ : state) fixture.manager->LoadFromIniFile(fixture.IniFile());
}
BENCHMARK(BM_LoadLayoutFromIniFile)->Unit(benchmark::kMillisecond);

void BM_SaveLayoutToRegistry(benchmark::State& state) {
  TLayoutFixture fixture;
  for (auto _ : state) fixture.manager->SaveToRegistry(u"\\Software\\Bench\\Bars");
}
BENCHMARK(BM_SaveLayoutToRegistry)->Unit(benchmark::kMillisecond);

void BM_LoadLayoutFromRegistry(benchmark::State& state) {
  TLayoutFixture fixture;
  fixture.manager->SaveToRegistry(u"\\Software\\Bench\\Bars");
  for (auto _ : state) fixture.manager->LoadFromRegistry(u"\\Software\\Bench\\Bars");
}
BENCHMARK(BM_LoadLayoutFromRegistry)->Unit(benchmark::kMillisecond);

void BM_ComboFindPrefix(benchmark::State& state) {
  TForm form(nullptr);
  auto* manager = new TdxBarManager(&form);
  (void)manager;
  auto* combo = new TdxBarCombo(&form);
  combo->Items()->BeginUpdate();
  for (int i = 0; i < 10000; ++i) combo->Items()->Add(u"Сотрудник " + IntToStr(i));
  combo->Items()->EndUpdate();
  // A text no string begins with: the whole list is compared.
  for (auto _ : state) benchmark::DoNotOptimize(combo->FindPrefix(u"сотрудник 99x"));
}
BENCHMARK(BM_ComboFindPrefix)->Unit(benchmark::kMicrosecond);

}  // namespace
