// The dataset controller over our SQLite driver: loading, smart refresh of edits and server keys,
// deletion and a detail re-queried with parameters.
#include <gtest/gtest.h>

#include "cx/data/tests/DBControllerFixture.h"
#include "platform/ado/ADODB.h"
#include "platform/ado/testing/TempFolder.h"
#include "platform/data/Field.h"

namespace {

const char* const kSchema = R"(
CREATE TABLE PEOPLE (ID INTEGER PRIMARY KEY AUTOINCREMENT, NAME NVARCHAR(50), CITY NVARCHAR(50));
CREATE TABLE EDU (EDUID INTEGER PRIMARY KEY AUTOINCREMENT, PERSONID INTEGER, PROGNAME NVARCHAR(254));
INSERT INTO PEOPLE (NAME, CITY) VALUES ('Anna', 'Omsk'), ('Boris', 'Tver'), ('Vera', NULL), ('Gleb', 'Omsk'),
  ('Dina', 'Kursk');
INSERT INTO EDU (PERSONID, PROGNAME) VALUES (1, 'Law'), (1, 'Tax'), (2, 'Safety'), (4, 'Audit');
)";

class cxDBDataSqlite : public ::testing::Test {
 protected:
  void SetUp() override {
    connection = new TADOConnection(&owner);
    connection->SetLoginPrompt(false);
    connection->SetConnectionString(u"Provider=SQLite;Data Source=" + folder.File("people.db"));
    connection->Open();
    connection->DbConnection().ExecuteScript(Utf8ToString(kSchema));
    people = Query("SELECT ID, NAME, CITY FROM PEOPLE ORDER BY ID");
    source = new TDataSource(&owner);
    source->SetDataSet(people);
    dc = cxCreateDataController<TTestDBController>(nullptr);
    dc->AddColumn("ID");
    dc->AddColumn("NAME");
    dc->AddColumn("CITY");
    dc->SetKeyFieldNames(u"ID");
    dc->DataModeController()->SetSmartRefresh(true);
    dc->SetDataSource(source);
    people->Open();
  }
  void TearDown() override { dc.reset(); }
  TADOQuery* Query(const char* ASql) {
    auto* q = new TADOQuery(&owner);
    q->SetConnection(connection);
    q->SQL()->SetText(Utf8ToString(ASql));
    return q;
  }
  std::string Scalar(const char* ASql) {
    auto st = connection->DbConnection().Prepare(Utf8ToString(ASql));
    st->Execute();
    return st->Next() ? (st->IsNull(0) ? "NULL" : StringToUtf8(VarToStr(st->Value(0)))) : "none";
  }
  std::vector<int> RowIds() {
    std::vector<int> ids;
    for (int row = 0; row < dc->GetRowCount(); ++row) ids.push_back(dc->Values(dc->GetRowRecordIndex(row), 0).AsInteger());
    return ids;
  }

  TTempFolder folder;
  TComponent owner{nullptr};
  TADOConnection* connection = nullptr;
  TADOQuery* people = nullptr;
  TDataSource* source = nullptr;
  std::unique_ptr<TTestDBController> dc;
};

}  // namespace

TEST_F(cxDBDataSqlite, EditsArePostedAndRefreshedInPlace) {
  ASSERT_EQ(dc->GetRecordCount(), 5);
  dc->ChangeFocusedRowIndex(1);
  ASSERT_TRUE(dc->SetEditValue(1, Variant(S("Borya")), evsValue));
  dc->Post();
  EXPECT_EQ(Scalar("SELECT NAME FROM PEOPLE WHERE ID = 2"), "Borya");
  EXPECT_EQ(dc->DisplayTexts(1, 1), u"Borya");
  EXPECT_EQ(dc->GetRecordCount(), 5);
  EXPECT_EQ(dc->GetFocusedRecordIndex(), 1);
  // The server's key cannot be edited.
  EXPECT_FALSE(dc->SetEditValue(0, Variant(22), evsValue));
}

TEST_F(cxDBDataSqlite, AServerKeyOfAnInsertedRecordArrivesWithoutAReload) {
  ASSERT_EQ(people->FieldByName(u"ID")->DataType(), ftAutoInc);
  dc->GotoLast();
  dc->Append();
  ASSERT_EQ(people->State(), dsInsert);
  int inserted = dc->GetFocusedRecordIndex();
  ASSERT_TRUE(dc->SetEditValue(1, Variant(S("Egor")), evsValue));
  dc->Post();
  EXPECT_EQ(dc->GetRecordCount(), 6);
  EXPECT_EQ(dc->GetFocusedRecordIndex(), inserted);
  EXPECT_EQ(dc->Values(inserted, 0).AsInteger(), 6);
  EXPECT_EQ(dc->DisplayTexts(inserted, 1), u"Egor");
  EXPECT_EQ(Scalar("SELECT NAME FROM PEOPLE WHERE ID = 6"), "Egor");
}

TEST_F(cxDBDataSqlite, DeletingSeveralRecordsDeletesThemInTheDatabase) {
  dc->SetKeyFieldNames(u"");
  dc->DBProvider()->DeleteRecords({3, 4, 1});
  EXPECT_EQ(Scalar("SELECT group_concat(ID) FROM (SELECT ID FROM PEOPLE ORDER BY ID)"), "1,3");
  EXPECT_EQ(RowIds(), (std::vector<int>{1, 3}));
  dc->SetKeyFieldNames(u"ID");
  dc->ChangeFocusedRowIndex(0);
  dc->DeleteFocused();
  EXPECT_EQ(Scalar("SELECT group_concat(ID) FROM PEOPLE"), "3");
  EXPECT_EQ(RowIds(), (std::vector<int>{3}));
}

// A query has Parameters, not Params: the application re-queries it through OnDetailFirst.
TEST_F(cxDBDataSqlite, ADetailQueryIsReopenedWithItsMasterKey) {
  TADOQuery* edu = Query("SELECT PERSONID, PROGNAME FROM EDU WHERE PERSONID = :PERSONID ORDER BY EDUID");
  edu->Parameters()->ParamByName(u"PERSONID")->SetValue(Variant(0));
  auto* eduSource = new TDataSource(&owner);
  eduSource->SetDataSet(edu);
  edu->Open();
  auto detail = cxCreateDataController<TTestDBController>(nullptr);
  detail->AddColumn("PERSONID");
  detail->AddColumn("PROGNAME");
  detail->DataModeController()->DetailInSQLMode = true;
  int reopened = 0;
  detail->DataModeController()->OnDetailFirst = [&](TObject*, TDataSet* ADataSet, const String& ANames,
                                                    const Variant& AValues, bool& AReopened) {
    EXPECT_EQ(ANames, u"PERSONID");
    ADataSet->Close();
    static_cast<TADOQuery*>(ADataSet)->Parameters()->ParamByName(ANames)->SetValue(AValues);
    ADataSet->Open();
    AReopened = true;
    ++reopened;
  };
  detail->SetDetailKeyFieldNames(u"PERSONID");
  detail->SetMasterKeyFieldNames(u"ID");
  detail->SetDataSource(eduSource);
  TTestItem level(99, u"EDU");
  TcxCustomDataRelation* relation = dc->GetRelations()->Add(&level);
  detail->LinkToRelation(relation, false);
  relation->DetailDataController = detail.get();

  detail->SetMasterRelation(relation, 0);
  EXPECT_EQ(reopened, 1);
  ASSERT_EQ(detail->GetRecordCount(), 2);
  EXPECT_EQ(detail->DisplayTexts(1, 1), u"Tax");
  detail->SetMasterRelation(relation, 3);
  ASSERT_EQ(detail->GetRecordCount(), 1);
  EXPECT_EQ(detail->DisplayTexts(0, 1), u"Audit");
  dc->GetRelations()->Clear();
}
