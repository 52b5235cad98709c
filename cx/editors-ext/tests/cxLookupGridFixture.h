// A category reference table of Russian names in SQLite and a dataset lookup grid over it, drawn
// in the fixed-metrics test font (8 by 16 pixel cells).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "cx/editors-ext/cxLookupDBGrid.h"
#include "platform/ado/ADODB.h"
#include "platform/ado/testing/TempFolder.h"
#include "platform/data/DataSource.h"
#include "platform/data/Field.h"
#include "platform/data/FieldTypes.h"
#include "platform/gdi/Font.h"
#include "platform/rtl/StrUtils.h"

// Twelve categories; KATID 1..12 in name order but for the last two.
inline const char* const kLookupGridCategories = R"(
CREATE TABLE M_KAT (KATID INTEGER PRIMARY KEY, NAME NVARCHAR(20));
INSERT INTO M_KAT VALUES (1, 'Архивисты'), (2, 'Бухгалтеры'), (3, 'Водители'), (4, 'Главы'),
  (5, 'Депутаты'), (6, 'Ёлочники'), (7, 'Инженеры'), (8, 'Кассиры'), (9, 'Лаборанты'),
  (10, 'Механики'), (11, 'Абитуриенты'), (12, 'Юристы');
CREATE TABLE PEOPLE (ID INTEGER PRIMARY KEY, FAM NVARCHAR(40), KATID INTEGER);
INSERT INTO PEOPLE VALUES (1, 'Иванов', 2), (2, 'Петров', 3);
)";

class TLookupGridTables {
 public:
  TLookupGridTables() {
    connection_ = new TADOConnection(&owner_);
    connection_->SetLoginPrompt(false);
    connection_->SetConnectionString(u"Provider=SQLite;Data Source=" + folder_.NewDatabase("grid.db"));
    connection_->Open();
    connection_->DbConnection().ExecuteScript(Utf8ToString(kLookupGridCategories));
    categories = Query("SELECT KATID, NAME FROM M_KAT ORDER BY KATID");
    categories->Open();
    categorySource = new TDataSource(&owner_);
    categorySource->SetDataSet(categories);
  }

  TADOQuery* Query(const char* ASql) {
    auto* q = new TADOQuery(&owner_);
    q->SetConnection(connection_);
    q->SQL()->SetText(Utf8ToString(ASql));
    return q;
  }
  TComponent* Owner() { return &owner_; }

  TADOQuery* categories = nullptr;
  TDataSource* categorySource = nullptr;

 private:
  TComponent owner_{nullptr};
  TTempFolder folder_;
  TADOConnection* connection_ = nullptr;
};

// The grid's font and colours fixed for pixel checks.
inline void SetLookupGridTestLook(TcxCustomLookupGrid* AGrid) {
  AGrid->Font()->SetName(kFixedTestFontName);
  AGrid->Font()->SetHeight(-16);
  AGrid->Font()->SetColor(clBlack);
  AGrid->SetColor(clWhite);
}

// Gives the people query persistent fields and a lookup field KATNAME showing the category name.
inline TWideStringField* AddCategoryLookupField(TComponent* AOwner, TDataSet* APeople, TDataSet* ACategories) {
  APeople->FieldDefs()->Update();
  for (const char16_t* name : {u"ID", u"FAM", u"KATID"}) APeople->FieldDefs()->Find(name)->CreateField(AOwner, APeople);
  auto* field = new TWideStringField(AOwner);
  field->SetFieldName(u"KATNAME");
  field->SetFieldKind(fkLookup);
  field->SetKeyFields(u"KATID");
  field->SetLookupDataSet(ACategories);
  field->SetLookupKeyFields(u"KATID");
  field->SetLookupResultField(u"NAME");
  field->SetDataSet(APeople);
  return field;
}

// The people query with the category lookup field, opened, and a data source on it.
struct TLookupPeople {
  TWideStringField* katName;
  TDataSource* source;
};
inline TLookupPeople OpenLookupPeople(TComponent* AOwner, TDataSet* APeople, TDataSet* ACategories) {
  TLookupPeople result{AddCategoryLookupField(AOwner, APeople, ACategories), new TDataSource(AOwner)};
  result.source->SetDataSet(APeople);
  APeople->Open();
  return result;
}
