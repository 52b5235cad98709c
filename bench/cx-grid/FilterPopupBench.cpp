// The column filter pop-up of the surname column over the people list of a million persons, in a
// grid filling a shown form: dropped down from the header's filter button (the column's distinct
// values read, sorted and listed, the window shown and painted), and a surname chosen in it with
// the view repainted.
#include <benchmark/benchmark.h>

#include <memory>

#include "bench/BenchPeople.h"
#include "cx/grid/cxGrid.h"
#include "cx/grid/cxGridDBTableView.h"
#include "cx/grid/cxGridFilterPopup.h"
#include "cx/grid/cxGridTableController.h"
#include "cx/grid/cxGridTableHeaderViewInfo.h"
#include "cx/grid/cxGridTableViewInfo.h"
#include "platform/forms/Forms.h"
#include "platform/win/Windows.h"

namespace {

struct TPopupFixture {
  TPopupFixture() {
    list = BenchPeopleQuery(&owner, BenchPeopleCount(1000000), kBenchPeopleList);
    source = new TDataSource(&owner);
    source->SetDataSet(list);
    SetScreenSize(1400, 900);
    form.reset(NewForm<TForm>(nullptr));
    form->SetBounds(0, 0, 1300, 860);
    auto* grid = new TcxGrid(form.get());
    grid->SetParent(form.get());
    grid->SetBounds(0, 0, 1280, 800);
    view = new TcxGridDBTableView(form.get());
    grid->RootLevel()->AddLevel()->SetGridView(view);
    for (const char16_t* name : kBenchPeopleColumns) {
      TcxGridDBColumn* column = view->CreateColumn();
      column->DataBinding()->SetFieldName(name);
      column->SetPropertiesClassName(u"TcxTextEditProperties");
    }
    view->DataController()->SetKeyFieldNames(u"O_PEOPLEID");
    view->DataController()->SetDataSource(source);
    list->Open();
    form->Show();
    Paint();
  }
  void Paint() {
    Application->ProcessMessages();
    UpdateWindow(view->Site()->Handle());
  }
  TcxGridFilterPopup* Popup() { return static_cast<TcxGridTableController*>(view->Controller())->FilterPopup(); }
  TcxGridColumnHeaderFilterButtonViewInfo* SurnameButton() {
    TcxGridHeaderViewInfo* header = static_cast<TcxGridTableViewInfo*>(view->ViewInfo())->HeaderViewInfo();
    return header->Items(header->VisibleIndexOf(view->GetColumnByFieldName(u"FSTNAME")))->FilterButton();
  }
  // Shown without its own loop: the bench closes it.
  void DropDown() {
    TcxGridFilterPopup* popup = Popup();
    popup->SetOwnLoop(false);
    popup->Popup(SurnameButton());
    UpdateWindow(popup->Handle());
  }

  TComponent owner{nullptr};
  std::unique_ptr<TForm> form;
  TADOQuery* list;
  TDataSource* source;
  TcxGridDBTableView* view;
};

TPopupFixture& Million() {
  // Never freed: its form would be destroyed by the exit handlers after the modules are gone.
  static TPopupFixture& fixture = *new TPopupFixture;
  return fixture;
}

void BM_SurnameFilterPopupOpened(benchmark::State& state) {
  TPopupFixture& f = Million();
  int entries = 0;
  bool shown = true;
  for (auto _ : state) {
    f.DropDown();
    entries = f.Popup()->Texts()->Count();
    shown = shown && f.Popup()->IsPopupShown();
    state.PauseTiming();
    f.Popup()->ClosePopup();
    f.Paint();
    state.ResumeTiming();
  }
  state.counters["entries"] = entries;
  // The demo data has a few hundred surnames.
  if (entries < 100) state.SkipWithError("the list lacks the surnames");
  if (!shown) state.SkipWithError("the list was not shown");
}

void BM_SurnameChosenAndRepainted(benchmark::State& state) {
  TPopupFixture& f = Million();
  int rows = 0;
  for (auto _ : state) {
    state.PauseTiming();
    f.DropDown();
    TcxGridFilterPopup* popup = f.Popup();
    // A surname from the middle of the list.
    const int choice = popup->ValueList()->Count() / 2;
    state.ResumeTiming();
    popup->ApplyChoice(choice);
    f.Paint();
    state.PauseTiming();
    rows = f.view->ViewData()->RecordCount();
    f.view->DataController()->Filter()->Clear();
    f.Paint();
    state.ResumeTiming();
  }
  state.counters["rows"] = rows;
  if (rows == 0 || rows >= BenchPeopleCount(1000000)) state.SkipWithError("the choice did not filter");
}

}  // namespace

BENCHMARK(BM_SurnameFilterPopupOpened)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_SurnameChosenAndRepainted)->Unit(benchmark::kMillisecond)->Iterations(3);
