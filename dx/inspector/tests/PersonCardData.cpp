#include "dx/inspector/tests/PersonCardData.h"

#include "platform/ado/testing/TestConnection.h"
#include "platform/data/FieldTypes.h"

TPersonCardData::TPersonCardData(const TTempFolder& Folder, const char16_t* Schema) {
  Connection = OpenTestConnection(&Owner, Folder, "edu.db");
  Connection->DbConnection().ExecuteScript(Schema);
  Kats = Query(u"select * from KAT order by NAME");
  Kats->Open();
  People = Query(u"select * from PEOPLE order by ID");
  People->FieldDefs()->Update();
  for (int i = 0; i < People->FieldDefs()->Count(); ++i)
    People->FieldDefs()->Items(i)->CreateField(&Owner, People);
  auto* kat = new TWideStringField(&Owner);
  kat->SetFieldName(u"KATNAME");
  kat->SetFieldKind(fkLookup);
  kat->SetSize(50);
  kat->SetKeyFields(u"M_KATID");
  kat->SetLookupDataSet(Kats);
  kat->SetLookupKeyFields(u"M_KATID");
  kat->SetLookupResultField(u"NAME");
  kat->SetDataSet(People);
  People->Open();
  Source = new TDataSource(&Owner);
  Source->SetDataSet(People);
}

TADOQuery* TPersonCardData::Query(const char16_t* Sql) {
  auto* q = new TADOQuery(&Owner);
  q->SetConnection(Connection);
  q->SQL()->SetText(Sql);
  return q;
}
