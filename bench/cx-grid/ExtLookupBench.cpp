// The extended lookup combo box over a DB table view of 100,000 people on SQLite: a key's text, a
// typed prefix found in the list column, the drop-down's opening and closing on the view, and a box
// on a shown form dropping its view down laid out and painted. The demo database is built once into
// the working folder and reused (BenchPeople.h).
#include <benchmark/benchmark.h>

#include <vector>

#include "bench/BenchPeople.h"
#include "cx/grid/cxExtLookupComboBox.h"
#include "cx/grid/cxGrid.h"
#include "cx/grid/cxGridDBTableView.h"
#include "platform/ado/ADODB.h"
#include "platform/forms/Forms.h"
#include "platform/win/Windows.h"
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

// A box on a shown form dropping the view down as the filter window's boxes do: the popup made,
// the view laid out in it and painted, then closed.
void BM_ExtLookupShownDropDown(benchmark::State& state) {
  TFixture& f = Shared();
  SetScreenSize(1400, 900);
  std::unique_ptr<TForm> form(NewForm<TForm>(nullptr));
  form->SetBounds(0, 0, 600, 400);
  // The view lives in a hidden grid of the form, as the filter window's do.
  auto* grid = new TcxGrid(form.get());
  grid->SetParent(form.get());
  grid->SetVisible(false);
  auto* view = new TcxGridDBTableView(form.get());
  grid->RootLevel()->AddLevel()->SetGridView(view);
  view->CreateColumn()->DataBinding()->SetFieldName(u"O_PEOPLEID");
  TcxGridDBColumn* surname = view->CreateColumn();
  surname->DataBinding()->SetFieldName(u"LASTNAME");
  view->DataController()->SetDataSource(f.source);
  auto* repository = new TcxEditRepository(form.get());
  auto* item = static_cast<TcxEditRepositoryExtLookupComboBoxItem*>(
      repository->CreateItem(TcxEditRepositoryExtLookupComboBoxItem::StaticClass()));
  item->Properties()->SetView(view);
  item->Properties()->SetKeyFieldNames(u"O_PEOPLEID");
  item->Properties()->SetListFieldItem(surname);
  auto* box = new TcxExtLookupComboBox(form.get());
  box->SetParent(form.get());
  box->SetBounds(10, 10, 250, 21);
  box->SetRepositoryItem(item);
  form->Show();
  Application->ProcessMessages();
  box->SetFocus();
  Application->ProcessMessages();
  for (auto _ : state) {
    box->SetDroppedDown(true);
    Application->ProcessMessages();
    if (!box->DroppedDown()) state.SkipWithError("the list did not drop down");
    UpdateWindow(box->PopupWindow()->Handle());
    box->SetDroppedDown(false);
    Application->ProcessMessages();
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
BENCHMARK(BM_ExtLookupShownDropDown)->Unit(benchmark::kMillisecond);

}  // namespace
