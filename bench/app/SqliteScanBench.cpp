// The database's own speed over the same million people, measured in the same run as the main
// window: a plain scan of the list's columns through the SQLite C library alone. Each row's columns
// are read as the dataset reads them (integers, and texts as UTF-16). The list's own statement sorts
// by the driver's collation, which only the driver registers.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <memory>
#include <string>

#include "bench/BenchPeople.h"
#include "platform/rtl/String.h"

namespace {

constexpr int kScanPeople = 1000000;

struct TSqliteClose {
  void operator()(sqlite3* Db) const { sqlite3_close(Db); }
};
struct TSqliteFinalize {
  void operator()(sqlite3_stmt* Statement) const { sqlite3_finalize(Statement); }
};

// Steps Sql to its end, touching every column of every row; answers the rows read.
int ReadEveryRow(sqlite3* Db, const char* Sql, benchmark::State& state) {
  sqlite3_stmt* raw = nullptr;
  if (sqlite3_prepare_v2(Db, Sql, -1, &raw, nullptr) != SQLITE_OK) {
    state.SkipWithError(sqlite3_errmsg(Db));
    return 0;
  }
  std::unique_ptr<sqlite3_stmt, TSqliteFinalize> statement(raw);
  const int columns = sqlite3_column_count(raw);
  int rows = 0;
  size_t bytes = 0;
  while (sqlite3_step(raw) == SQLITE_ROW) {
    for (int c = 0; c < columns; ++c) {
      if (sqlite3_column_type(raw, c) == SQLITE_TEXT) {
        benchmark::DoNotOptimize(sqlite3_column_text16(raw, c));
        bytes += static_cast<size_t>(sqlite3_column_bytes16(raw, c));
      } else {
        benchmark::DoNotOptimize(sqlite3_column_int64(raw, c));
      }
    }
    ++rows;
  }
  benchmark::DoNotOptimize(bytes);
  return rows;
}

void TimeStatement(benchmark::State& state, const char* Sql) {
  const std::string file = StringToUtf8(BenchPeopleDatabase(kScanPeople));
  sqlite3* raw = nullptr;
  if (sqlite3_open_v2(file.c_str(), &raw, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
    state.SkipWithError("the demo database does not open");
    sqlite3_close(raw);
    return;
  }
  std::unique_ptr<sqlite3, TSqliteClose> db(raw);
  for (auto _ : state)
    if (ReadEveryRow(raw, Sql, state) != kScanPeople) state.SkipWithError("not every person was read");
}

// The list's seven columns in the table's own order: no sort, no DISTINCT.
void BM_SqlitePlainScanOfTheListColumns(benchmark::State& state) {
  TimeStatement(state,
                "SELECT O_PEOPLEID, FSTNAME, SECNAME, LASTNAME, M_RAYON_DEPID, M_RECORDSTATUSID, BIRTHDATE "
                "FROM O_PEOPLE");
}

}  // namespace

BENCHMARK(BM_SqlitePlainScanOfTheListColumns)->Unit(benchmark::kMillisecond)->Iterations(3);
