// Test support of the data-aware tree view: a shown form in the fixed-metrics font, a real SQLite
// database with a self-referencing table DEP (ID, PARENT_ID, NAME, KIND, NOTE), and helpers that
// read the tree's shape and the table's rows.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "dx/dbtree/dxdbtree.h"
#include "platform/ado/ADODB.h"
#include "platform/ado/testing/TestConnection.h"
#include "platform/data/DataSource.h"
#include "platform/forms/Forms.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/String.h"
#include "platform/win/Windows.h"

class DbTreeTest : public ::testing::Test {
 protected:
  // Rows given as SQL VALUES tuples (ID, PARENT_ID, NAME, KIND).
  void SetUp() override {
    SetScreenSize(1024, 768);
    connection = OpenTestConnection(&owner, folder, "edu.db");
    Exec(
        u"CREATE TABLE DEP (ID INTEGER NOT NULL UNIQUE, PARENT_ID INTEGER, NAME NVARCHAR(50), KIND INTEGER, "
        u"NOTE NVARCHAR(200))");
    form = NewForm<TForm>(nullptr);
    form->SetBounds(100, 100, 500, 400);
    form->Font()->SetName(kFixedTestFontName);
    form->Font()->SetHeight(-16);
    form->Show();
    Pump();
  }

  void TearDown() override {
    SetMessageBoxHook(nullptr);
    delete form;
    Pump();
  }

  void Exec(const char16_t* sql) { connection->DbConnection().ExecuteScript(sql); }

  TADOQuery* Query(const char16_t* sql = u"SELECT * FROM DEP ORDER BY ID") {
    auto* q = new TADOQuery(&owner);
    q->SetConnection(connection);
    q->SQL()->SetText(sql);
    return q;
  }

  // A tree over DEP (key ID, parent PARENT_ID, list NAME) on the form, its query open.
  TdxDBTreeView* Tree(TdxDBTreeViewOptions options, const char16_t* rootValue = u"", TADOQuery* q = nullptr) {
    if (!q) q = Query();
    q->Open();
    auto* source = new TDataSource(&owner);
    source->SetDataSet(q);
    auto* view = new TdxDBTreeView(form);
    view->SetBounds(10, 10, 300, 300);
    view->SetParent(form);
    if (*rootValue) view->SetRootValue(rootValue);
    view->SetOptions(options);
    view->SetKeyField(u"ID");
    view->SetParentField(u"PARENT_ID");
    view->SetListField(u"NAME");
    view->SetDataSource(source);
    Pump();
    return view;
  }

  static TdxDBTreeViewOptions FullOptions() {
    return {trDBCanDelete, trCanDBNavigate, trSmartRecordCopy, trCheckHasChildren};
  }
  static TdxDBTreeViewOptions SmartOptions() {
    return {trDBCanDelete, trCanDBNavigate, trSmartRecordLoad, trSmartRecordCopy, trCheckHasChildren};
  }

  // The tree as text: siblings separated by ',', children in brackets, e.g. "A(B,C(D)),E".
  static std::string Shape(TTreeNode* first) {
    std::string out;
    for (TTreeNode* n = first; n; n = n->getNextSibling()) {
      if (!out.empty()) out += ",";
      out += StringToUtf8(n->Text());
      if (TTreeNode* c = n->getFirstChild()) out += "(" + Shape(c) + ")";
    }
    return out;
  }
  static std::string Shape(TdxDBTreeView* view) { return Shape(view->Items()->GetFirstNode()); }

  // The table's rows as "ID:PARENT:NAME" in key order.
  std::string Rows(
      const char16_t* columns = u"ID || ':' || IFNULL(PARENT_ID, 'null') || ':' || IFNULL(NAME, 'null')") {
    auto st = connection->DbConnection().Prepare(u"SELECT " + String(columns) + u" FROM DEP ORDER BY ID");
    st->Execute();
    std::string out;
    while (st->Next()) {
      if (!out.empty()) out += " ";
      out += StringToUtf8(VarToStr(st->Value(0)));
    }
    return out;
  }

  static TdxDBTreeNode* Node(TdxDBTreeView* view, int key) { return view->FindNode(Variant(key)); }
  static void Pump() { Application->ProcessMessages(); }

  VirtualClockScope clock{EncodeDate(2026, 12, 10)};
  TTempFolder folder;
  TComponent owner{nullptr};
  TADOConnection* connection = nullptr;
  TForm* form = nullptr;
};
