// Test support of the data-aware controls: a real SQLite database in a temporary folder, queries
// over it, and a form to place controls on.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <string>

#include "dx/dbgrid/dxDBCtrl.h"
#include "platform/ado/ADODB.h"
#include "platform/ado/testing/TempFolder.h"
#include "platform/data/DataSource.h"
#include "platform/forms/Forms.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/String.h"

class TdxDBGrid;

class DbGridTest : public ::testing::Test {
 protected:
  // Creates the database and runs Script on it.
  void OpenDatabase(const char* Script);
  TADOQuery* Query(const char* Sql);
  TDataSource* SourceOf(TDataSet* DataSet);
  // A shown form of 400 x 300 client pixels for a control to live on.
  TForm* NewShownForm();
  // A 400 x 300 grid on a new shown form with a column per field name, given its options, key
  // field and handlers by Setup, then bound to DataSet (through a new source) and pumped.
  TdxDBGrid* NewBoundGrid(TDataSet* DataSet, std::initializer_list<const char16_t*> FieldNames,
                          const std::function<void(TdxDBGrid*)>& Setup);
  // The grid "Grid1" of a form text read onto a new shown form that holds "PeopleSource" over
  // DataSet; nullptr when the text has no such grid.
  TdxDBGrid* ReadGridForm(TDataSet* DataSet, const String& Text);
  void Execute(const char* Sql);
  void TearDown() override;
  static void Pump() { Application->ProcessMessages(); }

  // Column Column's texts of the control's rows in row order, joined by ",".
  static std::string Rows(TCustomdxTreeList* Control, int Column = 0);
  // The node tree as "key(child,child)" over the KeyValue of each node, roots joined by ",".
  static std::string Tree(TCustomdxTreeList* Control);

  VirtualClockScope clock_;
  TTempFolder folder_;
  TComponent owner_{nullptr};
  TADOConnection* connection_ = nullptr;
  std::vector<TCustomForm*> forms_;
};
