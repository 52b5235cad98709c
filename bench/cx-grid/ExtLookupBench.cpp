// The extended lookup combo box over a DB table view of 100,000 people on SQLite: a key's text, a
// typed prefix found in the list column, and the drop-down's opening and closing on the view (the
// view's own layout and painting are not counted: the table view draws nothing yet). The demo
// database is built once into the working folder and reused (BenchPeople.h).
#include <benchmark/benchmark.h>

#include <vector>

#include "bench/BenchPeople.h"
#include "cx/grid/cxExtLookupComboBox.h"
#include "cx/grid/cxGridDBTableView.h"
#include "platform/ado/ADODB.h"
#include "platform/rtl/ModuleInit.h"

void RegisterCxGridModules();
void RegisterAdoModules();

namespace {

constexpr int kPeople = 100000;
constexpr int kKeys = 2000;

const char* const kPeopleList = "SELECT O_PEOPLEID, LASTNAME FROM O_PEOPLE ORDER BY LASTNAME";

// A view keyed by the person's id showing the surname, bound as the filter window binds its boxes.
struct TFixture {
  TFixture() {
    list = BenchPeopleQuery(&owner, kPeople, kPeopleList);
    source = new TDataSource(&owner);
    source->SetDataSet(list);
    view = new TcxGridDBTableView(&owner);
    view->CreateColumn()->DataBinding()->SetFieldName(u"O_PEOPLEID");
    surname = view->CreateColumn();
    surname->DataBinding()->SetFieldName(u"LASTNAME");
    view->DataController()->SetDataSource(source);
    list->Open();
    properties = std::make_unique<TcxExtLookupComboBoxProperties>(nullptr);
    properties->SetView(view);
    properties->SetKeyFieldNames(u"O_PEOPLEID");
    properties->SetListFieldItem(surname);
  }
  ~TFixture() { properties.reset(); }
  TComponent owner{nullptr};
  TADOQuery* list;
  TDataSource* source;
  TcxGridDBTableView* view;
  TcxGridDBColumn* surname;
  std::unique_ptr<TcxExtLookupComboBoxProperties> properties;
};

// Made on first use, freed before the libraries shut down (see the registration below).
std::unique_ptr<TFixture> g_fixture;

TFixture& Shared() {
  if (!g_fixture) g_fixture = std::make_unique<TFixture>();
  return *g_fixture;
}

void FreeFixture() { g_fixture.reset(); }

void BM_ExtLookupKeysToTexts(benchmark::State& state) {
  TFixture& f = Shared();
  std::vector<Variant> keys;
  for (int i = 0; i < kKeys; ++i) keys.push_back(1 + (i * 7919) % kPeople);
  String text;
  f.properties->GetDisplayTextByKey(keys.front(), text);  // the first request builds the key index
  for (auto _ : state) {
    for (const Variant& key : keys) {
      f.properties->GetDisplayTextByKey(key, text);
      if (text.empty()) state.SkipWithError("a key without its text");
    }
  }
  state.counters["per key"] = benchmark::Counter(static_cast<double>(kKeys) * state.iterations(),
                                                    benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// Each keystroke of a surname typed letter by letter searches the list column from the top.
void BM_ExtLookupTyping(benchmark::State& state) {
  TFixture& f = Shared();
  const int item = f.surname->Index();
  String last;
  f.view->DataController()->GetDisplayText(kPeople - 1, item, last);
  for (auto _ : state) {
    for (size_t length = 1; length <= last.size(); ++length)
      if (f.properties->FindRecordByText(item, last.substr(0, length), true) == -1)
        state.SkipWithError("a typed prefix found nothing");
  }
  state.counters["keystrokes"] = static_cast<double>(last.size());
}

void BM_ExtLookupDropDownAndClose(benchmark::State& state) {
  TFixture& f = Shared();
  for (auto _ : state) {
    f.properties->InitializePopup();
    f.properties->DeinitializePopup();
  }
}

}  // namespace

void RegisterExtLookupBenchModules() {
  RegisterCxGridModules();
  RegisterAdoModules();
  RegisterModule("ExtLookupBench", kRankApp, nullptr, &FreeFixture);
}

namespace {

BENCHMARK(BM_ExtLookupKeysToTexts)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExtLookupTyping)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExtLookupDropDownAndClose)->Unit(benchmark::kMillisecond);

}  // namespace
