// The people list of a million persons on SQLite in a load-all grid: opening and loading every
// record into nodes, and the focus following a move of the dataset. The demo database is built
// once into the working folder (bench-people-<n>.db, shared with the other database benches).
#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <string>

#include "bench/BenchPeople.h"
#include "bench/dx-dbgrid/PeopleGridFixture.h"
#include "dx/dbgrid/dxDBGrid.h"
#include "platform/ado/ADODB.h"
#include "platform/data/DataSource.h"
#include "platform/data/Field.h"
#include "platform/forms/Forms.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/StrUtils.h"
#include "platform/rtl/String.h"
#include "platform/win/Windows.h"

void RegisterDxDbGridModules();
void RegisterAdoModules();

void RegisterDxDBGridBenchModules() {
  RegisterDxDbGridModules();
  RegisterAdoModules();
}

namespace {

const int kPeople = BenchPeopleCount(1000000);

using TFixture = TPeopleGridFixture;

// One step of a benchmark timed in two parts: Change runs on the dataset with the grid's
// notification held back, then the grid answers it and paints. Adds the parts' milliseconds.
template <class F>
void TimeApart(TFixture& f, F&& Change, double& ChangeMs, double& AnswerMs) {
  using Clock = std::chrono::steady_clock;
  const Clock::time_point start = Clock::now();
  f.list->DisableControls();
  Change();
  const Clock::time_point changed = Clock::now();
  f.list->EnableControls();
  f.Paint();
  const Clock::time_point answered = Clock::now();
  ChangeMs += std::chrono::duration<double, std::milli>(changed - start).count();
  AnswerMs += std::chrono::duration<double, std::milli>(answered - changed).count();
}

TFixture& Shared() {
  // Never freed: its form would be destroyed by the exit handlers after the application's own
  // statics are gone.
  static TFixture& fixture = *new TFixture(kPeople, kBenchPeopleList, true);
  return fixture;
}

void BM_OpenAndLoadAllPeople(benchmark::State& state) {
  TFixture& f = Shared();
  for (auto _ : state) {
    f.list->Close();
    f.list->Open();
    f.Paint();
    if (f.grid->GetCount() != kPeople) state.SkipWithError("not every person has a node");
    state.counters["peak_rss_MB"] = ResidentMB("VmHWM:");
  }
}

void BM_ReloadLoadedList(benchmark::State& state) {
  TFixture& f = Shared();
  if (!f.list->Active()) f.list->Open();
  for (auto _ : state) f.grid->ReloadGrid();
}

// The dataset moves to a person far down the list; the grid focuses that person's row. A move past
// the dataset's buffer is announced as a change of the whole dataset; the records are unchanged, so
// the load-all grid only moves its focus.
void BM_FocusFollowsRecord(benchmark::State& state) {
  TFixture& f = Shared();
  if (!f.list->Active()) f.list->Open();
  int round = 0;
  for (auto _ : state) {
    f.list->SetRecNo(++round % 2 ? kPeople - 10 : kPeople / 2);
    auto* node = static_cast<TdxDBGridNode*>(f.grid->FocusedNode());
    if (!node || node->RecordIndex + 1 != f.list->RecNo()) state.SkipWithError("the focus did not follow");
  }
}

// A header click on the people list: the dataset's client sort by the clicked column (the text
// the main window builds), then the load-all grid's reload on the dataset's change. The two are
// timed apart by holding the notification back until the sort is done.
void BM_HeaderClickSortAndReload(benchmark::State& state) {
  TFixture& f = Shared();
  if (!f.list->Active()) f.list->Open();
  const char16_t* const sorts[] = {u"SECNAME DESC , FSTNAME ASC ", u"FSTNAME ASC , SECNAME ASC "};
  double sortMs = 0, reloadMs = 0;
  int round = 0;
  for (auto _ : state) {
    TimeApart(
        f, [&] { f.list->SetSort(sorts[round++ % 2]); }, sortMs, reloadMs);
    if (f.grid->GetCount() != kPeople) state.SkipWithError("the grid lost people in the reload");
  }
  state.counters["sort_ms"] = sortMs / round;
  state.counters["reload_and_paint_ms"] = reloadMs / round;
}

// The main window's whole header click: the current row's bookmark, the sort, the return to the
// bookmark. The return is announced as a changed dataset too, but only the sort changed what the
// nodes show: the grid walks the records once and follows the return with its focus.
void BM_HeaderClickWithBookmarkReturn(benchmark::State& state) {
  TFixture& f = Shared();
  if (!f.list->Active()) f.list->Open();
  f.list->SetRecNo(kPeople / 3);
  const char16_t* const sorts[] = {u"SECNAME DESC , FSTNAME ASC ", u"FSTNAME ASC , SECNAME ASC "};
  int round = 0;
  for (auto _ : state) {
    const TBookmark bookmark = f.list->GetBookmark();
    f.list->SetSort(sorts[round++ % 2]);
    f.list->GotoBookmark(bookmark);
    f.Paint();
    if (f.grid->GetCount() != kPeople) state.SkipWithError("the grid lost people in the reload");
  }
}

// The main window's surname search: Enter in the search box runs a partial, case-insensitive
// Locate on FSTNAME; the grid focuses the person found and repaints. The searches alternate
// between a lower-case prefix of a surname near the end of the list, one near its start and one
// that finds nobody.
void BM_SurnameSearch(benchmark::State& state) {
  TFixture& f = Shared();
  if (!f.list->Active()) f.list->Open();
  f.list->SetSort(u"FSTNAME ASC , SECNAME ASC ");
  auto prefixAt = [&](int recNo) {
    f.list->SetRecNo(recNo);
    return AnsiLowerCase(f.list->FieldByName(u"FSTNAME")->AsString().substr(0, 3));
  };
  const String prefixes[] = {prefixAt(kPeople - 100), prefixAt(100), u"яяяжжж"};
  f.Paint();
  TField* id = f.list->FieldByName(u"O_PEOPLEID");
  double locateMs = 0, followMs = 0;
  int round = 0;
  for (auto _ : state) {
    bool found = false;
    auto search = [&] {
      found = f.list->Locate(u"FSTNAME", Variant(prefixes[round++ % 3]),
                             TLocateOptions{loCaseInsensitive, loPartialKey});
    };
    TimeApart(f, search, locateMs, followMs);
    auto* node = static_cast<TdxDBGridNode*>(f.grid->FocusedNode());
    if (found && (!node || node->KeyValue.AsInteger() != id->AsInteger()))
      state.SkipWithError("the focus did not follow the person found");
  }
  state.counters["locate_ms"] = locateMs / round;
  state.counters["follow_and_paint_ms"] = followMs / round;
}

// Grouping the loaded list by place of work and first name, with the place's average birth date,
// the first name's count and a footer count, until the grid is painted; then ungrouping it.
void BM_GroupByPlaceAndFirstName(benchmark::State& state) {
  using Clock = std::chrono::steady_clock;
  TFixture& f = Shared();
  if (!f.list->Active()) f.list->Open();
  TdxDBTreeListColumn* place = f.grid->Columns(4);
  TdxDBTreeListColumn* firstName = f.grid->Columns(2);
  place->SetSummaryType(cstAvg);
  place->SetSummaryField(u"BIRTHDATE");
  firstName->SetSummaryType(cstCount);
  f.grid->Columns(0)->SetSummaryFooterType(cstCount);
  double groupMs = 0, ungroupMs = 0;
  int rounds = 0;
  for (auto _ : state) {
    const Clock::time_point start = Clock::now();
    f.grid->BeginGroupUpdate();
    place->SetGroupIndex(0);
    firstName->SetGroupIndex(1);
    f.grid->EndGroupUpdate();
    f.Paint();
    const Clock::time_point grouped = Clock::now();
    if (f.grid->GroupCount() != 2 || f.grid->RecordCount() != kPeople) state.SkipWithError("not grouped");
    state.counters["peak_rss_MB"] = ResidentMB("VmHWM:");
    f.grid->ClearGrouping();
    f.Paint();
    const Clock::time_point ungrouped = Clock::now();
    if (f.grid->GetCount() != kPeople) state.SkipWithError("the ungrouped list lost people");
    groupMs += std::chrono::duration<double, std::milli>(grouped - start).count();
    ungroupMs += std::chrono::duration<double, std::milli>(ungrouped - grouped).count();
    ++rounds;
  }
  state.counters["group_and_paint_ms"] = groupMs / rounds;
  state.counters["ungroup_and_paint_ms"] = ungroupMs / rounds;
  place->SetSummaryType(cstNone);
  firstName->SetSummaryType(cstNone);
  f.grid->Columns(0)->SetSummaryFooterType(cstNone);
}

}  // namespace

// On the list grouped by place of work and first name: collapsing and then expanding every
// top-level group until painted, and a click on the first level's box (its order reversed).
void BM_GroupedFoldAndBoxClick(benchmark::State& state) {
  using Clock = std::chrono::steady_clock;
  TFixture& f = Shared();
  if (!f.list->Active()) f.list->Open();
  TdxDBTreeListColumn* place = f.grid->Columns(4);
  TdxDBTreeListColumn* firstName = f.grid->Columns(2);
  f.grid->BeginGroupUpdate();
  place->SetGroupIndex(0);
  firstName->SetGroupIndex(1);
  f.grid->EndGroupUpdate();
  f.Paint();
  double foldMs = 0, clickMs = 0;
  int rounds = 0;
  for (auto _ : state) {
    const Clock::time_point start = Clock::now();
    for (bool expand : {false, true}) {
      {
        TdxTreeListUpdateScope update(f.grid);
        for (int i = 0; i < f.grid->GetCount(); ++i) f.grid->GetItem(i)->SetExpanded(expand);
      }
      f.Paint();
    }
    const Clock::time_point folded = Clock::now();
    const TdxTreeListColumnSort before = place->Sorted();
    f.grid->ToggleColumnSort(place);
    f.Paint();
    const Clock::time_point clicked = Clock::now();
    if (place->Sorted() == before || f.grid->GroupCount() != 2)
      state.SkipWithError("the box click did nothing");
    foldMs += std::chrono::duration<double, std::milli>(folded - start).count();
    clickMs += std::chrono::duration<double, std::milli>(clicked - folded).count();
    ++rounds;
  }
  state.counters["collapse_expand_all_ms"] = foldMs / rounds;
  state.counters["box_click_ms"] = clickMs / rounds;
  f.grid->ClearGrouping();
  f.Paint();
}

// The header click with the list grouped by place of work and first name: the dataset's sort by
// the surname (alternately descending and ascending), then the grid's answer, the records sorted
// again within their groups, painted.
void BM_GroupedHeaderClick(benchmark::State& state) {
  TFixture& f = Shared();
  if (!f.list->Active()) f.list->Open();
  f.grid->BeginGroupUpdate();
  f.grid->Columns(4)->SetGroupIndex(0);
  f.grid->Columns(2)->SetGroupIndex(1);
  f.grid->EndGroupUpdate();
  f.Paint();
  const char16_t* const sorts[] = {u"FSTNAME DESC ", u"FSTNAME ASC "};
  double sortMs = 0, reloadMs = 0;
  int round = 0;
  for (auto _ : state) {
    TimeApart(
        f, [&] { f.list->SetSort(sorts[round++ % 2]); }, sortMs, reloadMs);
    if (f.grid->GroupCount() != 2 || f.grid->RecordCount() != kPeople)
      state.SkipWithError("the grouping lost people");
  }
  state.counters["sort_ms"] = sortMs / round;
  state.counters["reload_and_paint_ms"] = reloadMs / round;
  f.grid->ClearGrouping();
  f.Paint();
}

BENCHMARK(BM_OpenAndLoadAllPeople)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_ReloadLoadedList)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_HeaderClickSortAndReload)->Unit(benchmark::kMillisecond)->Iterations(4);
BENCHMARK(BM_HeaderClickWithBookmarkReturn)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_FocusFollowsRecord)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_SurnameSearch)->Unit(benchmark::kMillisecond)->Iterations(30);
BENCHMARK(BM_GroupByPlaceAndFirstName)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_GroupedFoldAndBoxClick)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_GroupedHeaderClick)->Unit(benchmark::kMillisecond)->Iterations(3);
