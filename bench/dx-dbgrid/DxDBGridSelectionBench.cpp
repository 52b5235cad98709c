// Selections over the people list of a million persons: deleting a thousand selected records from a
// load-all grid (on a copy of the demo database, made afresh for the run), and Shift+End selecting
// from the first record to the last in dataset-window mode. Each step ends with the grid painted.
#include <benchmark/benchmark.h>

#include <chrono>
#include <string>

#include "bench/BenchPeople.h"
#include "bench/dx-dbgrid/PeopleGridFixture.h"
#include "dx/dbgrid/dxDBGrid.h"
#include "platform/win/Input.h"

void RegisterDxDbGridModules();
void RegisterAdoModules();

void RegisterDxDBGridSelectionBenchModules() {
  RegisterDxDbGridModules();
  RegisterAdoModules();
}

namespace {

using Clock = std::chrono::steady_clock;

const int kPeople = BenchPeopleCount(1000000);
constexpr int kDeleted = 1000;
constexpr UINT kShiftKey = 1;  // the simulated key's modifier

void AllowMultiSelect(TPeopleGridFixture& f) {
  f.grid->SetOptionsBehavior(f.grid->OptionsBehavior() + TdxDBGridOptionsBehavior{edgoMultiSelect});
}

// A thousand records spread over the list selected, then deleted as the grid deletes its selection:
// each record deleted from O_PEOPLE, and the load-all grid reloaded once the dataset's controls
// come back.
void BM_DeleteThousandSelectedRecords(benchmark::State& state) {
  TPeopleGridFixture f(kPeople, kBenchPeopleList, true, BenchPeopleScratchCopy(kPeople, "delete"));
  AllowMultiSelect(f);
  f.list->Open();
  f.Paint();
  for (auto _ : state) {
    const int before = f.grid->GetCount();
    // As Ctrl+clicks: each row focused (its record current) and selected by its bookmark.
    for (int i = 0; i < kDeleted; ++i) {
      TdxTreeListNode* node = f.grid->GetItem(i * (before / kDeleted));
      f.grid->SetFocusedNode(node, 0, false);
      f.grid->SetNodeSelected(node, true);
    }
    if (f.grid->GetSelectedCount() != kDeleted) state.SkipWithError("the rows were not selected");
    const Clock::time_point start = Clock::now();
    f.grid->DeleteSelectedNodes();
    f.Paint();
    state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
    if (f.grid->GetCount() != before - kDeleted || f.list->RecordCount() != before - kDeleted)
      state.SkipWithError(("not every selected record was deleted: " + std::to_string(before) + " rows before, " +
                           std::to_string(f.grid->GetCount()) + " after, " + std::to_string(f.list->RecordCount()) +
                           " records")
                              .c_str());
  }
}

// Dataset-window mode: from the first record, Shift+End selects every record to the last one and
// leaves the dataset there.
void BM_ShiftEndSelectsToTheLastRecord(benchmark::State& state) {
  TPeopleGridFixture f(kPeople, kBenchPeopleList, false);
  AllowMultiSelect(f);
  f.list->Open();
  f.grid->SetFocus();
  for (auto _ : state) {
    f.grid->ClearSelection();
    f.list->First();
    f.Paint();
    const Clock::time_point start = Clock::now();
    SimulateKeyPress(VK_END, kShiftKey);
    f.Paint();
    state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
    if (f.grid->GetSelectedCount() != kPeople || f.list->RecNo() != kPeople)
      state.SkipWithError("Shift+End did not select every record");
  }
}

}  // namespace

BENCHMARK(BM_DeleteThousandSelectedRecords)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(2);
BENCHMARK(BM_ShiftEndSelectsToTheLastRecord)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);
