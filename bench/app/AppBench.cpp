// The main window over the demo database of a million people: from the start-up timer to the
// painted list, a header click sorting the list (and, apart, the dataset's sort and the grid's
// reload), the surname search, and a page of scrolling with its repaint. The window lives on the
// headless screen; "edu.ini" and the data-link file go into the working folder beside the database.
#include <benchmark/benchmark.h>

#include <array>
#include <string>

#include "app/DataModule.h"
#include "app/Main.h"
#include "bench/app/MainWindowBench.h"
#include "platform/data/DB.h"
#include "platform/forms/Forms.h"
#include "platform/rtl/String.h"
#include "platform/win/Windows.h"

void RegisterAppModules();

void RegisterAppBenchModules() { RegisterAppModules(); }

namespace {

void BM_StartUpTimerToPaintedList(benchmark::State& state) {
  TMainWindow& w = Window();
  for (auto _ : state) {
    // At start-up there is no list yet: the previous round's list is closed (its nodes freed) off the clock.
    state.PauseTiming();
    DataModule2->OPEOPLE_LIST->Close();
    state.ResumeTiming();
    w.OpenList();
    if (MainForm->dxDBGrid1->GetAbsoluteCount() != kPeople) state.SkipWithError("not every person is listed");
  }
  state.counters["peak_rss_MB"] = ResidentMB("VmHWM:");
  state.counters["rss_MB"] = ResidentMB("VmRSS:");
}

// One click on the first-name header: its sort mark moves on (up, down, none) and the list is
// sorted accordingly, reloaded and painted.
void BM_HeaderClickSortsAndRepaints(benchmark::State& state) {
  TMainWindow& w = Window();
  w.EnsureOpen();
  for (auto _ : state) {
    MainForm->dxDBGrid1ColumnClick(MainForm->dxDBGrid1, MainForm->dxDBGrid1SECNAME);
    w.Paint();
  }
}

// The dataset's client sort alone (the grid unlinked), ascending and descending by turns.
void BM_DataSetSortAlone(benchmark::State& state) {
  TMainWindow& w = Window();
  w.EnsureOpen();
  TADODataSet* list = DataModule2->OPEOPLE_LIST;
  MainForm->dxDBGrid1->SetDataSource(nullptr);
  bool up = true;
  for (auto _ : state) {
    list->SetSort(up ? u"SECNAME ASC " : u"SECNAME DESC ");
    up = !up;
  }
  list->SetSort(String());
  MainForm->dxDBGrid1->SetDataSource(DataModule2->OPEOPLE_LIST_DS);
}

// The grid's reload of the open, sorted list alone, with its repaint.
void BM_GridReloadAlone(benchmark::State& state) {
  TMainWindow& w = Window();
  w.EnsureOpen();
  for (auto _ : state) {
    MainForm->dxDBGrid1->ReloadGrid();
    w.Paint();
  }
}

// Five letters of the surnames near the start, the middle and the end of the list.
std::array<String, 3> SearchPrefixes() {
  TADODataSet* list = DataModule2->OPEOPLE_LIST;
  std::array<String, 3> prefixes;
  const int places[3] = {10, kPeople / 2, kPeople - 10};
  for (int i = 0; i < 3; ++i) {
    list->SetRecNo(places[i]);
    prefixes[i] = list->FieldByName(u"FSTNAME")->AsString().substr(0, 5);
  }
  return prefixes;
}

// Enter in the search box for surnames near the start, the middle and the end of the list.
void BM_SurnameSearch(benchmark::State& state) {
  TMainWindow& w = Window();
  w.EnsureOpen();
  TADODataSet* list = DataModule2->OPEOPLE_LIST;
  const std::array<String, 3> prefixes = SearchPrefixes();
  int round = 0;
  for (auto _ : state) {
    state.PauseTiming();
    list->First();
    MainForm->Edit1->SetText(prefixes[round++ % 3]);
    state.ResumeTiming();
    WORD key = VK_RETURN;
    MainForm->Edit1KeyDown(MainForm->Edit1, key, TShiftState());
    if (MainForm->Edit1->Font()->Color() != clLime) state.SkipWithError("a surname was not found");
  }
}

// The search's locate alone (the grid unlinked), for the same surnames.
void BM_SurnameLocateAlone(benchmark::State& state) {
  TMainWindow& w = Window();
  w.EnsureOpen();
  TADODataSet* list = DataModule2->OPEOPLE_LIST;
  MainForm->dxDBGrid1->SetDataSource(nullptr);
  const std::array<String, 3> prefixes = SearchPrefixes();
  int round = 0;
  for (auto _ : state) {
    state.PauseTiming();
    list->First();
    state.ResumeTiming();
    if (!list->Locate(u"FSTNAME", Variant(prefixes[round++ % 3]),
                      TLocateOptions{loCaseInsensitive, loPartialKey}))
      state.SkipWithError("a surname was not found");
  }
  MainForm->dxDBGrid1->SetDataSource(DataModule2->OPEOPLE_LIST_DS);
}

// Page Down through the grid's key handling, the moved dataset following, and the repaint.
void BM_ScrollPageWithRepaint(benchmark::State& state) {
  TMainWindow& w = Window();
  w.EnsureOpen();
  TdxDBGrid* grid = MainForm->dxDBGrid1;
  for (auto _ : state) {
    if (grid->GetFocusedAbsoluteIndex() > kPeople - 200) {
      state.PauseTiming();
      SendMessage(grid->Handle(), WM_KEYDOWN, VK_HOME, 0);
      w.Paint();
      state.ResumeTiming();
    }
    SendMessage(grid->Handle(), WM_KEYDOWN, VK_NEXT, 0);
    w.Paint();
  }
}

}  // namespace

BENCHMARK(BM_StartUpTimerToPaintedList)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_HeaderClickSortsAndRepaints)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_DataSetSortAlone)->Unit(benchmark::kMillisecond)->Iterations(4);
BENCHMARK(BM_GridReloadAlone)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_SurnameSearch)->Unit(benchmark::kMillisecond)->Iterations(30);
BENCHMARK(BM_SurnameLocateAlone)->Unit(benchmark::kMillisecond)->Iterations(30);
BENCHMARK(BM_ScrollPageWithRepaint)->Unit(benchmark::kMillisecond)->Iterations(50);
