// Test support of the data-aware controls: a shown form in the fixed-metrics font, a real SQLite
// database with a small reference table (KAT: id, name, date) and a lookup table (SEX), queries on
// them, and input through the simulation path on the virtual clock.
#pragma once

#include <gtest/gtest.h>

#include "platform/ado/ADODB.h"
#include "platform/ado/testing/TestConnection.h"
#include "platform/data/DataSource.h"
#include "platform/data/Field.h"
#include "platform/forms/Forms.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/String.h"
#include "platform/win/Windows.h"

class DataControlsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetScreenSize(1024, 768);
    ResetInputState();
    FlushSimulatedInput();
    SetCursorPos(1020, 760);
    connection = OpenTestConnection(&owner, folder, "edu.db");
    connection->DbConnection().ExecuteScript(
        u"CREATE TABLE KAT (M_KATID INTEGER PRIMARY KEY AUTOINCREMENT, NAME NVARCHAR(50), DATEBEGIN "
        u"DATETIME);"
        u"INSERT INTO KAT (NAME, DATEBEGIN) VALUES ('Руководители', 40000), ('Специалисты', 41000),"
        u" ('Обеспечивающие', NULL);"
        u"CREATE TABLE SEX (M_SEXID INTEGER PRIMARY KEY, NAME NVARCHAR(20));"
        u"INSERT INTO SEX VALUES (1, 'мужской'), (2, 'женский');");
    form = NewForm<TForm>(nullptr);
    form->SetBounds(100, 100, 500, 350);
    form->Font()->SetName(kFixedTestFontName);
    form->Font()->SetHeight(-16);
    form->Show();
    Pump();
  }

  void TearDown() override {
    SetMessageBoxHook(nullptr);
    delete form;
    Pump();
    ResetInputState();
    FlushSimulatedInput();
  }

  TADOQuery* Query(const char16_t* sql) {
    auto* q = new TADOQuery(&owner);
    q->SetConnection(connection);
    q->SQL()->SetText(sql);
    return q;
  }
  TDataSource* Source(TDataSet* ds) {
    auto* s = new TDataSource(&owner);
    s->SetDataSet(ds);
    return s;
  }
  template <class T>
  T* Add(int L, int T_, int W, int H) {
    T* c = new T(form);
    c->SetParent(form);
    c->SetBounds(L, T_, W, H);
    return c;
  }
  std::string Scalar(const char16_t* sql) {
    auto st = connection->DbConnection().Prepare(sql);
    st->Execute();
    return st->Next() ? (st->IsNull(0) ? "NULL" : StringToUtf8(VarToStr(st->Value(0)))) : "none";
  }
  static void Pump() { Application->ProcessMessages(); }
  static POINT At(TControl* c, int X, int Y) { return c->ClientToScreen(POINT{X, Y}); }
  void Click(TControl* c, int X, int Y) {
    clock->Advance(1000);
    SimulateClick(TSimButton::Left, At(c, X, Y));
    Pump();
  }
  static void Key(UINT vk, UINT modifiers = 0) {
    SimulateKeyPress(vk, modifiers);
    Pump();
  }

  VirtualClockScope clock{EncodeDate(2026, 12, 10)};
  TTempFolder folder;
  TComponent owner{nullptr};
  TADOConnection* connection = nullptr;
  TForm* form = nullptr;
};
