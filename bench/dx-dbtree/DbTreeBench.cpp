// The data-aware tree view over 100,000 territory records six levels deep (seven roots, seven
// children per record): loading the whole tree (limit 500 ms), and in on-demand mode selecting the
// deepest record by its key, which loads its ancestors' levels (limit 20 ms). The table is built
// once into the working folder (bench-dbtree-<n>.db) and reused.
#include <benchmark/benchmark.h>

#include <string>

#include "dx/dbtree/dxdbtree.h"
#include "platform/ado/ADODB.h"
#include "platform/ado/DbDriver.h"
#include "platform/ado/SqliteDriver.h"
#include "platform/data/DataSource.h"
#include "platform/forms/Forms.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/String.h"

namespace {

constexpr int kRecords = 100000;

String Database() {
  RegisterSqliteDriver();
  String file = Utf8ToString("bench-dbtree-" + std::to_string(kRecords) + ".db");
  if (FileExists(file)) return file;
  TDbConnectParams params;
  params.DataSource = file;
  params.CreateIfMissing = true;
  CreateDbDriver(u"SQLite")->Connect(params);
  TComponent owner(nullptr);
  auto* connection = new TADOConnection(&owner);
  connection->SetLoginPrompt(false);
  connection->SetConnectionString(u"Provider=SQLite;Data Source=" + file);
  connection->Open();
  // Record k has the children 7k+1 .. 7k+7; records 1 to 7 are the roots (parent 0).
  connection->DbConnection().ExecuteScript(
      u"CREATE TABLE DEP (ID INTEGER NOT NULL UNIQUE, PARENT_ID INTEGER, NAME NVARCHAR(50));"
      u"WITH RECURSIVE t(id) AS (SELECT 1 UNION ALL SELECT id + 1 FROM t WHERE id < " +
      Utf8ToString(std::to_string(kRecords)) +
      u") INSERT INTO DEP SELECT id, (id - 1) / 7, 'Node ' || id FROM t;"
      u"CREATE INDEX DEP_PARENT ON DEP (PARENT_ID)");
  return file;
}

struct TTreeFixture {
  explicit TTreeFixture(const char16_t* sql) {
    RegisterSqliteDriver();
    connection = new TADOConnection(&owner);
    connection->SetLoginPrompt(false);
    connection->SetConnectionString(u"Provider=SQLite;Data Source=" + Database());
    query = new TADOQuery(&owner);
    query->SetConnection(connection);
    query->SQL()->SetText(sql);
    query->Open();
    source = new TDataSource(&owner);
    source->SetDataSet(query);
    form = NewForm<TForm>(nullptr);
    form->SetBounds(0, 0, 640, 600);
    form->Show();
  }
  ~TTreeFixture() { delete form; }

  TdxDBTreeView* NewView(TdxDBTreeViewOptions options) {
    auto* view = new TdxDBTreeView(form);
    view->SetParent(form);
    view->SetAlign(alClient);
    view->HandleNeeded();
    view->SetRootValue(u"0");
    view->SetOptions(options);
    view->SetKeyField(u"ID");
    view->SetParentField(u"PARENT_ID");
    view->SetListField(u"NAME");
    return view;
  }

  TComponent owner{nullptr};
  TADOConnection* connection;
  TADOQuery* query;
  TDataSource* source;
  TForm* form;
};

void BM_FullLoad(benchmark::State& state) {
  TTreeFixture f(u"SELECT * FROM DEP ORDER BY ID");
  for (auto _ : state) {
    state.PauseTiming();
    TdxDBTreeView* view = f.NewView({trDBCanDelete, trCanDBNavigate, trSmartRecordCopy, trCheckHasChildren});
    state.ResumeTiming();
    view->SetDataSource(f.source);  // binds the fields and loads every record
    state.PauseTiming();
    if (view->DBNodes()->Count() != kRecords) state.SkipWithError("not every record was loaded");
    delete view;
    state.ResumeTiming();
  }
}
BENCHMARK(BM_FullLoad)->Unit(benchmark::kMillisecond);

void BM_OnDemandSelectDeepKey(benchmark::State& state) {
  // On demand the records of one parent follow each other.
  TTreeFixture f(u"SELECT * FROM DEP ORDER BY PARENT_ID, ID");
  for (auto _ : state) {
    state.PauseTiming();
    TdxDBTreeView* view =
        f.NewView({trDBCanDelete, trCanDBNavigate, trSmartRecordLoad, trSmartRecordCopy, trCheckHasChildren});
    view->SetDataSource(f.source);
    state.ResumeTiming();
    view->SelectByKey(Variant(kRecords));
    state.PauseTiming();
    if (!view->Selected() || view->Selected()->Level() != 5)
      state.SkipWithError("the deep record was not selected");
    delete view;
    state.ResumeTiming();
  }
}
BENCHMARK(BM_OnDemandSelectDeepKey)->Unit(benchmark::kMillisecond);

}  // namespace
