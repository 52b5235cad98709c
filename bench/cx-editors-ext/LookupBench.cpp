// The dataset lookup over the people list of 100,000 persons on SQLite: binding and loading the list,
// and turning 2,000 keys into their texts, as a grid column of lookup cells asks while it paints.
// The demo database is built once into the working folder and reused (BenchPeople.h).
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "bench/BenchPeople.h"
#include "bench/cx-data/BenchController.h"
#include "cx/data/cxDBData.h"
#include "cx/data/cxData.h"
#include "cx/editors-ext/cxDBLookupEdit.h"
#include "platform/ado/ADODB.h"

void RegisterCxEditorsExtModules();
void RegisterAdoModules();

void RegisterLookupBenchModules() {
  RegisterCxEditorsExtModules();
  RegisterAdoModules();
}

namespace {

constexpr int kPeople = 100000;
constexpr int kCells = 2000;

const char* const kPeopleList = "SELECT O_PEOPLEID, LASTNAME FROM O_PEOPLE ORDER BY LASTNAME";

// The list shows the surname and is keyed by the person's id: one column, the controller's item 0.
class TBenchLookupProperties : public TcxCustomDBLookupEditProperties {
 public:
  explicit TBenchLookupProperties(TDataSource* ASource)
      : TcxCustomDBLookupEditProperties(nullptr),
        dc_(cxCreateDataController<TBenchControllerOf<TcxDBDataController>>(nullptr)) {
    dc_->ChangeFieldName(dc_->AddColumn(), u"LASTNAME");
    dc_->SetKeyFieldNames(u"O_PEOPLEID");
    dc_->SetDataSource(ASource);
    LinkDataController();
  }
  ~TBenchLookupProperties() override { UnlinkDataController(); }
  int GetListColumnCount() override { return 1; }
  TcxCustomDataController* GetListDataController() override { return dc_.get(); }
  TcxDBDataController* GetListDBDataController() override { return dc_.get(); }
  TField* GetListColumnField(int AIndex) override { return dc_->GetItemField(AIndex); }

 private:
  std::unique_ptr<TBenchControllerOf<TcxDBDataController>> dc_;
};

struct TFixture {
  TFixture() {
    list = BenchPeopleQuery(&owner, kPeople, kPeopleList);
    source = new TDataSource(&owner);
    source->SetDataSet(list);
  }
  TComponent owner{nullptr};
  TADOQuery* list;
  TDataSource* source;
};

TFixture& Shared() {
  static TFixture fixture;
  return fixture;
}

void BM_LookupBindAndLoad(benchmark::State& state) {
  TFixture& f = Shared();
  for (auto _ : state) {
    f.list->Close();
    auto properties = std::make_unique<TBenchLookupProperties>(f.source);
    f.list->Open();
    if (properties->GetListDataController()->GetRecordCount() != kPeople) state.SkipWithError("not every person");
    state.PauseTiming();
    properties.reset();
    state.ResumeTiming();
  }
}

void BM_LookupKeysToTexts(benchmark::State& state) {
  TFixture& f = Shared();
  if (!f.list->Active()) f.list->Open();
  TBenchLookupProperties properties(f.source);
  std::vector<Variant> keys;
  for (int i = 0; i < kCells; ++i) keys.push_back(1 + (i * 7919) % kPeople);
  String text;
  properties.GetDisplayTextByKey(keys.front(), text);  // the first request builds the key index
  for (auto _ : state) {
    for (const Variant& key : keys) {
      properties.GetDisplayTextByKey(key, text);
      if (text.empty()) state.SkipWithError("a key without its text");
    }
  }
}

BENCHMARK(BM_LookupBindAndLoad)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_LookupKeysToTexts)->Unit(benchmark::kMillisecond);

}  // namespace
