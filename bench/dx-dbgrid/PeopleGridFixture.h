// The people list in a grid filling a shown 1280 x 800 form, as in the main window: the demo
// database's list statement (or another) on SQLite (or on a copy of the database), in load-all or
// dataset-window mode. A step that ends with the list on screen paints it before the clock stops.
#pragma once

#include <memory>

#include "bench/BenchPeople.h"
#include "dx/dbgrid/dxDBGrid.h"
#include "platform/ado/ADODB.h"
#include "platform/data/DataSource.h"
#include "platform/forms/Forms.h"
#include "platform/win/Windows.h"

struct TPeopleGridFixture {
  TPeopleGridFixture(int People, const char* Sql, bool LoadAll, const String& Database = String()) {
    list = BenchPeopleQuery(&owner, People, Sql, Database);
    source = new TDataSource(&owner);
    source->SetDataSet(list);
    SetScreenSize(1400, 900);
    form.reset(NewForm<TForm>(nullptr));
    form->SetBounds(0, 0, 1300, 860);
    grid = new TdxDBGrid(form.get());
    grid->SetParent(form.get());
    grid->SetBounds(0, 0, 1280, 800);
    grid->SetName(u"PeopleGrid");
    if (LoadAll) grid->SetOptionsDB(grid->OptionsDB() + TdxDBGridOptionsDB{edgoLoadAllRecords});
    for (const char16_t* name : kBenchPeopleColumns)
      grid->CreateColumnEx(TdxDBGridColumn::StaticClass(), grid)->SetFieldName(name);
    grid->SetKeyField(u"O_PEOPLEID");
    grid->SetDataSource(source);
    form->Show();
    Application->ProcessMessages();
  }
  void Paint() {
    Application->ProcessMessages();
    UpdateWindow(grid->Handle());
  }
  TComponent owner{nullptr};
  std::unique_ptr<TForm> form;
  TADOQuery* list;
  TDataSource* source;
  TdxDBGrid* grid;
};
