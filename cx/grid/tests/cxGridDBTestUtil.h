// A DB table view over a real SQLite people table (five people, three in Oslo) with an education
// table for details, in a grid on a form.
#pragma once

#include <string>
#include <vector>

#include "cx/grid/cxGridDBTableView.h"
#include "cx/grid/tests/cxGridTestUtil.h"
#include "platform/ado/ADODB.h"
#include "platform/ado/testing/TempFolder.h"
#include "platform/data/Field.h"

inline const char* const kGridPeopleTables = R"(
CREATE TABLE PEOPLE (ID INTEGER PRIMARY KEY, SURNAME NVARCHAR(30), CITY NVARCHAR(20));
INSERT INTO PEOPLE VALUES (1, 'Orlova', 'Oslo'), (2, 'Belov', 'Tver'), (3, 'Abramov', 'Oslo'), (4, 'Zotov', 'Omsk'),
  (5, 'Kim', 'Oslo');
CREATE TABLE EDU (EDUID INTEGER PRIMARY KEY, PERSONID INTEGER, PROGNAME NVARCHAR(50));
INSERT INTO EDU VALUES (1, 1, 'Law'), (2, 1, 'Tax'), (3, 2, 'Safety'), (4, 4, 'Audit');
)";

class CxGridDBTableViewTest : public CxGridTest {
 protected:
  void SetUp() override {
    CxGridTest::SetUp();
    grid_->Font()->SetName(kFixedTestFontName);
    grid_->Font()->SetHeight(-16);
    connection_ = new TADOConnection(form_);
    connection_->SetLoginPrompt(false);
    connection_->SetConnectionString(u"Provider=SQLite;Data Source=" + folder_.NewDatabase("people.db"));
    connection_->Open();
    connection_->DbConnection().ExecuteScript(Utf8ToString(kGridPeopleTables));
    people_ = new TADOQuery(form_);
    people_->SetConnection(connection_);
    people_->SQL()->SetText(u"SELECT ID, SURNAME, CITY FROM PEOPLE ORDER BY ID");
    source_ = new TDataSource(form_);
    source_->SetDataSet(people_);

    view_ = NewView();
    view_->SetName(S("Grid1DBTableView1"));
    grid_->RootLevel()->AddLevel()->SetGridView(view_);
    for (const char16_t* field : {u"ID", u"SURNAME", u"CITY", u"NOSUCH"})
      view_->CreateColumn()->DataBinding()->SetFieldName(field);
    view_->DataController()->SetKeyFieldNames(u"ID");
    view_->DataController()->SetDataSource(source_);
    people_->Open();
    people_->FieldByName(u"SURNAME")->SetDisplayLabel(u"Surname");
  }

  virtual TcxGridDBTableView* NewView() { return new TcxGridDBTableView(form_); }

  // A detail level under the people's level whose view lists each person's courses.
  TcxGridDBTableView* AddEducationDetail() {
    auto* edu = new TADOQuery(form_);
    edu->SetConnection(connection_);
    edu->SQL()->SetText(u"SELECT EDUID, PERSONID, PROGNAME FROM EDU ORDER BY EDUID");
    auto* eduSource = new TDataSource(form_);
    eduSource->SetDataSet(edu);
    auto* pattern = new TcxGridDBTableView(form_);
    grid_->RootLevel()->Items(0)->AddLevel()->SetGridView(pattern);
    for (const char16_t* field : {u"EDUID", u"PERSONID", u"PROGNAME"})
      pattern->CreateColumn()->DataBinding()->SetFieldName(field);
    pattern->DataController()->SetKeyFieldNames(u"EDUID");
    pattern->DataController()->SetDetailKeyFieldNames(u"PERSONID");
    pattern->DataController()->SetMasterKeyFieldNames(u"ID");
    pattern->DataController()->SetDataSource(eduSource);
    edu->Open();
    return pattern;
  }

  TcxGridDBColumn* Column(const char16_t* AFieldName) { return view_->GetColumnByFieldName(AFieldName); }
  // Shows the form with the grid laid out at AWidth x AHeight, the people's columns in text editors,
  // as the program's default editors give them.
  void ShowLaidOut(int AWidth, int AHeight) {
    for (const char16_t* field : {u"ID", u"SURNAME", u"CITY"}) Column(field)->SetPropertiesClassName(u"TcxTextEditProperties");
    grid_->SetBounds(0, 0, AWidth, AHeight);
    form_->Show();
    Pump();
  }
  // The values of a column in row order.
  std::vector<std::string> RowTexts(const char16_t* AFieldName) {
    TcxGridDBDataController* dc = view_->DataController();
    std::vector<std::string> texts;
    const int item = Column(AFieldName)->Index();
    for (int row = 0; row < dc->GetRowCount(); ++row) {
      String text;
      dc->GetRowDisplayText(dc->GetRowInfo(row), item, text);
      texts.push_back(StringToUtf8(text));
    }
    return texts;
  }

  TTempFolder folder_;
  TADOConnection* connection_ = nullptr;
  TADOQuery* people_ = nullptr;
  TDataSource* source_ = nullptr;
  TcxGridDBTableView* view_ = nullptr;
};
