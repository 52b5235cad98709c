#include <gtest/gtest.h>

#include "platform/ado/ADODB.h"
#include "platform/ado/DataLinkFile.h"
#include "platform/ado/testing/TempFolder.h"
#include "platform/classes/Filer.h"
#include "platform/classes/FormResources.h"
#include "platform/data/DataSource.h"
#include "platform/data/Field.h"
#include "platform/data/FieldTypes.h"
#include "platform/data/testing/DataTesting.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/String.h"

namespace {

const char* const kSchema = R"(
CREATE TABLE PERSON (
  ID INTEGER PRIMARY KEY AUTOINCREMENT,
  FSTNAME NVARCHAR(50) COLLATE NOCASE_RU,
  SECNAME NVARCHAR(50) COLLATE NOCASE_RU,
  BIRTHDATE DATETIME,
  AGE INTEGER GENERATED ALWAYS AS (AGEYEARS(BIRTHDATE)) VIRTUAL,
  SEXID INTEGER);
CREATE TABLE SYN (SYNID GUID NOT NULL DEFAULT (NEWGUID()) PRIMARY KEY, PERSONID INTEGER, NAME NVARCHAR(50));
CREATE TABLE MARK ("USER" NVARCHAR(50) DEFAULT (LOGIN_NAME()), ID INTEGER);
CREATE TABLE EDU (EDUID INTEGER PRIMARY KEY AUTOINCREMENT, PERSONID INTEGER, PROGNAME NVARCHAR(254));
CREATE TABLE M_RAYON_DEP (M_RAYON_DEPID INTEGER PRIMARY KEY AUTOINCREMENT, PARENT_ID INTEGER,
  M_VIDDEPID INTEGER, SHORTNAME NVARCHAR(150), LONGNAME NVARCHAR(254));
INSERT INTO M_RAYON_DEP VALUES (1, 0, 3, 'Область', 'Область'), (2, 1, 3, 'Район', 'Район');
INSERT INTO PERSON (FSTNAME, SECNAME, BIRTHDATE, SEXID) VALUES
  ('Петров', 'Иван', 29000, 1), ('Ёлкин', 'Андрей', 30000, 1), ('иванова', 'Анна', NULL, 2),
  ('Иванова', 'Яна', 31000, 2), ('Абаев', 'Олег', 32000, 1);
INSERT INTO EDU (PERSONID, PROGNAME) VALUES (1, 'a'), (1, 'b'), (2, 'c');
)";

class AdoTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder.NewDatabase("edu.db");
    WriteDataLinkFile(folder.File("Trenvik.udl"), u"Provider=SQLite;Data Source=edu.db;User ID=reader");
    connection = new TADOConnection(&owner);
    connection->SetConnectionString(u"FILE NAME=" + folder.File("Trenvik.udl"));
    connection->SetLoginPrompt(false);
    connection->Open();
    connection->DbConnection().ExecuteScript(Utf8ToString(kSchema));
  }
  TADOQuery* Query(const char* sql) {
    auto* q = new TADOQuery(&owner);
    q->SetConnection(connection);
    q->SQL()->SetText(Utf8ToString(sql));
    return q;
  }
  // One column of a dataset's records in cursor order, joined by ",".
  static std::string Column(TDataSet* ds, const char* field) {
    std::string out;
    ds->First();
    while (!ds->Eof()) {
      if (!out.empty()) out += ',';
      out += StringToUtf8(ds->FieldByName(Utf8ToString(field))->AsString());
      ds->Next();
    }
    return out;
  }
  std::string Scalar(const char* sql) {
    auto st = connection->DbConnection().Prepare(Utf8ToString(sql));
    st->Execute();
    return st->Next() ? (st->IsNull(0) ? "NULL" : StringToUtf8(VarToStr(st->Value(0)))) : "none";
  }

  VirtualClockScope clock{EncodeDate(2026, 12, 10)};
  TTempFolder folder;
  TComponent owner{nullptr};
  TADOConnection* connection = nullptr;
};

TEST_F(AdoTest, ConnectsThroughTheDataLinkFileAndReportsTheLogin) {
  EXPECT_TRUE(connection->Connected());
  std::string reported = StringToUtf8(connection->ConnectionString());
  EXPECT_NE(reported.find("User ID=reader;"), std::string::npos) << reported;
  EXPECT_NE(reported.find("edu.db"), std::string::npos) << reported;
  connection->Close();
  EXPECT_EQ(connection->ConnectionString(), u"FILE NAME=" + folder.File("Trenvik.udl"));
}

TEST_F(AdoTest, LoginPromptAsksTheHandler) {
  connection->Close();
  connection->SetLoginPrompt(true);
  String seenUser;
  SetLoginDialogProc([&](const String&, String& user, String& password) {
    seenUser = user;
    user = u"ivanov";
    password = u"secret";
    return true;
  });
  connection->Open();
  EXPECT_EQ(seenUser, u"reader");
  EXPECT_NE(connection->ConnectionString().find(u"User ID=ivanov;"), String::npos);
  EXPECT_EQ(connection->ConnectionString().find(u"secret"), String::npos);
  connection->Close();

  // Cancelled: no connection.
  SetLoginDialogProc([](const String&, String&, String&) { return false; });
  EXPECT_THROW(connection->Open(), EDatabaseError);
  EXPECT_FALSE(connection->Connected());
  // Without the prompt the handler is not asked.
  connection->SetLoginPrompt(false);
  connection->Open();
  EXPECT_TRUE(connection->Connected());
  SetLoginDialogProc(nullptr);
}

TEST_F(AdoTest, MissingDataLinkFileFailsTheConnect) {
  connection->Close();
  connection->SetConnectionString(u"FILE NAME=" + folder.File("none.udl"));
  EXPECT_THROW(connection->Open(), EADOError);
  EXPECT_FALSE(connection->Connected());
}

TEST_F(AdoTest, ParametersTypedAndByName) {
  TADOQuery* q = Query("select * from PERSON\r\nwhere SEXID = :SEXID and BIRTHDATE > :D order by ID");
  ASSERT_EQ(q->Parameters()->Count(), 2);
  EXPECT_EQ(q->Parameters()->FindParam(u"sexid"), q->Parameters()->Items(0));
  EXPECT_EQ(q->Parameters()->FindParam(u"nothing"), nullptr);
  EXPECT_THROW(q->Parameters()->ParamByName(u"nothing"), EADOError);
  q->Parameters()->ParamByName(u"SEXID")->SetDataType(ftInteger);
  q->Parameters()->ParamByName(u"SEXID")->SetValue(Variant(u"1"));  // converted to the type
  EXPECT_EQ(q->Parameters()->ParamByName(u"SEXID")->Value().Type(), varInteger);
  q->Parameters()->ParamByName(u"D")->SetValue(VarFromDateTime(29500));
  q->Open();
  EXPECT_EQ(Column(q, "FSTNAME"), "Ёлкин,Абаев");
  // Changing the statement keeps the settings of parameters that stay.
  q->SQL()->SetText(u"select * from PERSON where SEXID = :SEXID");
  EXPECT_FALSE(q->Active());
  EXPECT_EQ(q->Parameters()->Count(), 1);
  EXPECT_EQ(q->Parameters()->Items(0)->Value().AsInteger(), 1);
}

TEST_F(AdoTest, FieldsFollowTheColumns) {
  TADOQuery* q = Query("select ID, FSTNAME, BIRTHDATE, AGE, count(*) over () from PERSON");
  q->Open();
  EXPECT_EQ(q->FieldByName(u"ID")->DataType(), ftAutoInc);
  EXPECT_TRUE(q->FieldByName(u"ID")->ReadOnly());
  EXPECT_EQ(q->FieldByName(u"FSTNAME")->DataType(), ftWideString);
  EXPECT_EQ(q->FieldByName(u"FSTNAME")->Size(), 50);
  EXPECT_EQ(q->FieldByName(u"BIRTHDATE")->DataType(), ftDateTime);
  EXPECT_TRUE(q->FieldByName(u"AGE")->ReadOnly());
  EXPECT_EQ(q->Fields()->Fields(4)->FieldName(), u"COLUMN5");
  EXPECT_EQ(q->RecordCount(), 5);
}

// Expressions are typed from the statement, not from the first row: an empty result opens with the
// fields a full one has, so persistent fields bound to them open either way.
TEST_F(AdoTest, ExpressionColumnsAreTypedTheSameWithAndWithoutRows) {
  connection->DbConnection().ExecuteScript(
      u"CREATE VIEW DOUBLES AS SELECT FSTNAME, SECNAME, COUNT(*) AS kol, MAX(BIRTHDATE) AS LASTBORN "
      u"FROM PERSON GROUP BY FSTNAME, SECNAME HAVING COUNT(*) > 1;");
  // No two people share a name yet: the view is empty.
  TADOQuery* doubles = Query("SELECT * FROM DOUBLES ORDER BY kol DESC");
  auto* kol = new TIntegerField(&owner);
  kol->SetFieldName(u"kol");
  kol->SetDataSet(doubles);
  auto* born = new TDateTimeField(&owner);
  born->SetFieldName(u"LASTBORN");
  born->SetDataSet(doubles);
  ASSERT_NO_THROW(doubles->Open());
  EXPECT_TRUE(doubles->IsEmpty());
  doubles->Close();
  connection->DbConnection().ExecuteDirect(
      u"INSERT INTO PERSON (FSTNAME, SECNAME, BIRTHDATE) VALUES ('Абаев', 'Олег', 33000)");
  doubles->Open();
  EXPECT_EQ(kol->AsInteger(), 2);
  EXPECT_EQ(born->AsDateTime(), 33000);

  struct {
    const char* expr;
    TFieldType type;
  } cases[] = {
      {"COUNT(*)", ftInteger},
      {"MAX(P.BIRTHDATE)", ftDateTime},
      {"SUM(P.SEXID)", ftInteger},
      {"AVG(P.SEXID)", ftFloat},
      {"P.ID * 1.5", ftFloat},
      {"-P.SEXID + 1", ftInteger},
      {"P.FSTNAME || ' ' || P.SECNAME", ftWideString},
      {"UPPER(P.FSTNAME)", ftWideString},
      {"CASE WHEN P.SEXID = 1 THEN 'м' ELSE 'ж' END", ftWideString},
      {"P.SEXID = 1", ftInteger},
      {"CAST(P.SEXID AS BIGINT)", ftLargeint},
      {"COALESCE(P.BIRTHDATE, 0)", ftDateTime},
      {"(SELECT COUNT(*) FROM EDU E WHERE E.PERSONID = P.ID)", ftInteger},
      {"ISDATE('31.12.2003')", ftInteger},
      {"T.N", ftInteger},
  };
  std::string select = "SELECT ";
  for (size_t i = 0; i < std::size(cases); ++i)
    select += std::string(i ? ", " : "") + cases[i].expr + " AS C" + std::to_string(i);
  select +=
      " FROM PERSON P JOIN (SELECT PERSONID, COUNT(*) AS N FROM EDU GROUP BY PERSONID) T ON T.PERSONID = P.ID"
      " WHERE P.ID > :FROMID GROUP BY P.ID";
  for (int from : {0, 100}) {
    TADOQuery* q = Query(select.c_str());
    q->Parameters()->ParamByName(u"FROMID")->SetValue(Variant(from));
    q->Open();
    EXPECT_EQ(q->IsEmpty(), from == 100);
    for (size_t i = 0; i < std::size(cases); ++i)
      EXPECT_EQ(q->Fields()->Fields(static_cast<int>(i))->DataType(), cases[i].type)
          << cases[i].expr << (from ? " without rows" : " with rows");
    EXPECT_EQ(q->FieldByName(u"C7")->Size(), 50);  // the upper-cased column keeps its length
  }
}

TEST_F(AdoTest, ClientSortWithCyrillic) {
  TADOQuery* q = Query("select * from PERSON order by ID");
  q->Open();
  q->SetSort(u"FSTNAME ASC , SECNAME DESC ");
  EXPECT_EQ(Column(q, "ID"), "5,2,4,3,1");  // Абаев, Ёлкин, Иванова Яна, иванова Анна, Петров
  q->SetSort(u"FSTNAME DESC , [SECNAME]");
  EXPECT_EQ(Column(q, "ID"), "1,3,4,2,5");
  q->SetSort(u"");
  EXPECT_EQ(Column(q, "ID"), "1,2,3,4,5");
  EXPECT_THROW(q->SetSort(u"NOPE ASC"), EADOError);
  q->SetIndexFieldNames(u"SEXID;SECNAME");
  EXPECT_EQ(Column(q, "ID"), "2,1,5,3,4");
  // The sort resets when the query reopens; the index stays.
  q->SetSort(u"ID DESC");
  q->Close();
  q->Open();
  EXPECT_EQ(q->Sort(), u"");
  EXPECT_EQ(Column(q, "ID"), "2,1,5,3,4");
}

// Bound lists load once per open: the index order is in place when the links first see the rows.
TEST_F(AdoTest, OpeningInIndexOrderAnnouncesOnlyTheActivation) {
  TADOQuery* q = Query("select * from PERSON order by ID");
  q->SetIndexFieldNames(u"SEXID;SECNAME");
  auto* source = new TDataSource(&owner);
  source->SetDataSet(q);
  TRecordingLink link;
  link.SetDataSource(source);
  q->Open();
  EXPECT_EQ(link.Take(), "Active");
  EXPECT_EQ(Column(q, "ID"), "2,1,5,3,4");
  q->Close();
  link.Log.clear();
  q->Open();
  EXPECT_EQ(link.Take(), "Active");
  link.SetDataSource(nullptr);
}

TEST_F(AdoTest, ClientSortKeepsTheCurrentRecordAndBookmarks) {
  TADOQuery* q = Query("select * from PERSON order by ID");
  q->Open();
  ASSERT_TRUE(q->Locate(u"ID", Variant(4), {}));
  const TBookmark yana = q->GetBookmark();
  ASSERT_TRUE(q->Locate(u"ID", Variant(2), {}));
  for (const char16_t* sort : {u"FSTNAME DESC , SECNAME ASC ", u"SECNAME", u""}) {
    q->SetSort(sort);
    EXPECT_EQ(q->FieldByName(u"ID")->AsInteger(), 2) << StringToUtf8(sort);
    ASSERT_TRUE(q->BookmarkValid(yana));
    q->GotoBookmark(yana);
    EXPECT_EQ(q->FieldByName(u"ID")->AsInteger(), 4) << StringToUtf8(sort);
    ASSERT_TRUE(q->Locate(u"ID", Variant(2), {}));
  }
  EXPECT_EQ(Column(q, "ID"), "1,2,3,4,5");
}

// Texts equal but for case tie and keep the statement's order in either direction; a null sorts
// before every text ascending and after them descending.
TEST_F(AdoTest, ClientSortTiesAndNulls) {
  connection->DbConnection().ExecuteScript(
      Utf8ToString("INSERT INTO PERSON (ID, FSTNAME, SECNAME) VALUES (6, NULL, 'Ян'), (7, 'ИВАНОВА', 'Ян');"));
  TADOQuery* q = Query("select * from PERSON order by ID");
  q->Open();
  const struct {
    const char16_t* sort;
    const char* ids;
  } cases[] = {
      {u"FSTNAME", "6,5,2,3,4,7,1"},
      {u"FSTNAME DESC", "1,3,4,7,2,5,6"},
      {u"SECNAME DESC , FSTNAME DESC", "4,7,6,5,1,3,2"},
      {u"SECNAME ASC , FSTNAME ASC", "2,3,1,5,6,7,4"},
  };
  for (const auto& c : cases) {
    q->SetSort(c.sort);
    EXPECT_EQ(Column(q, "ID"), c.ids) << StringToUtf8(c.sort);
  }
}

TEST_F(AdoTest, InsertReadsBackIdentityAndServerDefaults) {
  TADOQuery* people = Query("select * from PERSON where ID = :ID");
  people->Parameters()->ParamByName(u"ID")->SetValue(Variant(0));
  people->Open();
  people->Append();
  people->FieldByName(u"FSTNAME")->SetAsString(S("Новиков"));
  people->FieldByName(u"BIRTHDATE")->SetAsDateTime(EncodeDate(1980, 12, 11));
  people->Post();
  EXPECT_EQ(people->FieldByName(u"ID")->AsInteger(), 6);
  EXPECT_EQ(people->FieldByName(u"AGE")->AsInteger(), 45);  // computed by the server
  EXPECT_EQ(Scalar("select FSTNAME from PERSON where ID = 6"), "Новиков");
  EXPECT_EQ(Scalar("select IDENT_CURRENT('PERSON')"), "6");

  TADOQuery* syn = Query("select * from SYN where PERSONID = :P");
  syn->Parameters()->ParamByName(u"P")->SetValue(Variant(6));
  syn->Open();
  syn->Append();
  syn->FieldByName(u"PERSONID")->SetAsInteger(6);
  syn->FieldByName(u"NAME")->SetAsString(u"N");
  syn->Post();
  String guid = syn->FieldByName(u"SYNID")->AsString();
  EXPECT_EQ(guid.size(), 38u);
  EXPECT_EQ(Scalar("select SYNID from SYN"), StringToUtf8(guid));

  // The login fills a column no insert names.
  TADOQuery* mark = Query("select * from MARK");
  mark->Open();
  mark->Append();
  mark->FieldByName(u"ID")->SetAsInteger(6);
  mark->Post();
  EXPECT_EQ(StringToUtf8(mark->FieldByName(u"USER")->AsString()), "reader");
}

// A key SQLite does not number is the user's to give, and is written.
TEST_F(AdoTest, AnIntKeyIsWrittenAsGivenAndAnIntegerKeyIsNumbered) {
  connection->DbConnection().ExecuteScript(
      u"CREATE TABLE GIVEN (K INT PRIMARY KEY, N INTEGER); CREATE TABLE NUMBERED (K INTEGER PRIMARY KEY, N INTEGER);");
  TADOQuery* given = Query("select * from GIVEN");
  given->Open();
  EXPECT_EQ(given->FieldByName(u"K")->DataType(), ftInteger);
  given->Append();
  given->FieldByName(u"K")->SetAsInteger(42);
  given->FieldByName(u"N")->SetAsInteger(1);
  given->Post();
  EXPECT_EQ(Scalar("select K from GIVEN"), "42");

  TADOQuery* numbered = Query("select * from NUMBERED");
  numbered->Open();
  EXPECT_EQ(numbered->FieldByName(u"K")->DataType(), ftAutoInc);
  numbered->Append();
  numbered->FieldByName(u"N")->SetAsInteger(1);
  numbered->Post();
  EXPECT_EQ(numbered->FieldByName(u"K")->AsInteger(), 1);
}

// The old client sort must not pick the row a reopened query starts on.
TEST_F(AdoTest, AReopenedQueryStartsOnItsFirstRowAfterASort) {
  for (const char16_t* index : {u"", u"SECNAME"}) {
    SCOPED_TRACE(StringToUtf8(index));
    TADOQuery* q = Query("select * from PERSON order by ID");
    q->SetIndexFieldNames(index);
    q->Open();
    const std::string first = StringToUtf8(q->FieldByName(u"ID")->AsString());
    q->SetSort(u"FSTNAME DESC");
    q->Last();
    q->Close();
    q->Open();
    EXPECT_EQ(q->RecNo(), 1);
    EXPECT_EQ(StringToUtf8(q->FieldByName(u"ID")->AsString()), first);
  }
}

TEST_F(AdoTest, EditAndDeleteAreWrittenBackByKey) {
  TADOQuery* q = Query("select * from PERSON order by ID");
  q->Open();
  ASSERT_TRUE(q->Locate(u"FSTNAME", Variant(u"ПЕТРОВ"), TLocateOptions{loCaseInsensitive}));
  q->Edit();
  q->FieldByName(u"BIRTHDATE")->SetAsDateTime(EncodeDate(2000, 1, 1));
  q->Post();
  EXPECT_EQ(Scalar("select BIRTHDATE + 0 from PERSON where ID = 1"), "36526");
  EXPECT_EQ(q->FieldByName(u"AGE")->AsInteger(), 26);  // refreshed from the server
  q->Delete();
  EXPECT_EQ(Scalar("select count(*) from PERSON where ID = 1"), "0");

  // A row changed by someone else since it was read cannot be found: the edit fails, nothing changes.
  q->First();
  connection->Execute(u"delete from PERSON where ID = 2");
  q->Edit();
  q->FieldByName(u"SECNAME")->SetAsString(u"X");
  EXPECT_THROW(q->Post(), EADOError);
  q->Cancel();
}

TEST_F(AdoTest, DistinctListDeletesFromItsTable) {
  TADOQuery* q = Query(
      "SELECT DISTINCT PERSON.ID, PERSON.FSTNAME, PERSON.SECNAME\r\nFROM PERSON   \r\n"
      "ORDER BY  PERSON.FSTNAME, PERSON.SECNAME");
  q->Open();
  EXPECT_EQ(q->UpdateTable(), u"PERSON");
  EXPECT_TRUE(q->CanModify());
  q->First();
  EXPECT_EQ(q->FieldByName(u"ID")->AsInteger(), 5);
  q->Delete();
  EXPECT_EQ(Scalar("select count(*) from PERSON"), "4");
}

TEST_F(AdoTest, KeylessTableIsEditedByItsValues) {
  connection->Execute(u"insert into MARK values ('a', 1)");
  connection->Execute(u"insert into MARK values ('b', 1)");
  TADOQuery* q = Query("select * from MARK order by [USER]");
  q->Open();
  q->Last();
  q->Edit();
  q->FieldByName(u"ID")->SetAsInteger(2);
  q->Post();
  EXPECT_EQ(Scalar("select group_concat([USER] || ID, ',') from (select * from MARK order by [USER])"),
            "a1,b2");
}

TEST_F(AdoTest, ReadOnlyResultsRefuseEdits) {
  TADOQuery* q = Query("select count(*) from PERSON");
  q->Open();
  EXPECT_FALSE(q->CanModify());
  TADOQuery* r = Query("select * from PERSON");
  r->SetLockType(ltReadOnly);
  r->Open();
  EXPECT_FALSE(r->CanModify());
}

TEST_F(AdoTest, FailedTransactionLeavesNothingBehind) {
  TADOCommand cmd(&owner);
  cmd.SetConnection(connection);
  cmd.SetCommandText(u"update PERSON set SECNAME = :S where ID = :ID");
  connection->BeginTrans();
  EXPECT_TRUE(connection->InTransaction());
  try {
    cmd.Parameters()->ParamByName(u"S")->SetValue(Variant(u"X"));
    cmd.Parameters()->ParamByName(u"ID")->SetValue(Variant(1));
    EXPECT_EQ(cmd.Execute(), 1);
    connection->Execute(u"delete from EDU where PERSONID = 1");
    connection->Execute(u"insert into NO_SUCH_TABLE values (1)");
    connection->CommitTrans();
    FAIL() << "the failing statement succeeded";
  } catch (const EADOError&) {
    connection->RollbackTrans();
  }
  EXPECT_FALSE(connection->InTransaction());
  EXPECT_EQ(Scalar("select SECNAME from PERSON where ID = 1"), "Иван");
  EXPECT_EQ(Scalar("select count(*) from EDU"), "3");
  EXPECT_THROW(connection->RollbackTrans(), EADOError);
}

TEST_F(AdoTest, CommandIsReusableAndCountsRows) {
  TADOCommand cmd(&owner);
  cmd.SetConnection(connection);
  cmd.SetCommandText(u" insert into EDU (PERSONID, PROGNAME) values(:P, :N) ");
  for (int i = 0; i < 3; ++i) {
    cmd.Parameters()->ParamByName(u"P")->SetValue(Variant(5));
    cmd.Parameters()->ParamByName(u"N")->SetValue(Variant(Utf8ToString(std::to_string(i))));
    EXPECT_EQ(cmd.Execute(), 1);
  }
  EXPECT_EQ(Scalar("select group_concat(PROGNAME, ',') from EDU where PERSONID = 5"), "0,1,2");
  // A reconnect makes it prepare again.
  connection->Close();
  EXPECT_EQ(cmd.Execute(), 1);

  TADOQuery* q = Query(" delete from EDU where PERSONID = :P");
  q->Parameters()->ParamByName(u"P")->SetValue(Variant(5));
  EXPECT_EQ(q->ExecSQL(), 4);
  EXPECT_EQ(q->RowsAffected(), 4);
}

TEST_F(AdoTest, StoredProcedureReturnValue) {
  TADOStoredProc proc(&owner);
  proc.SetConnection(connection);
  proc.SetProcedureName(u"GetfullParentNameDep;1");
  proc.Parameters()->CreateParameter(u"@RETURN_VALUE", ftWideString, pdReturnValue, 4000, Null());
  proc.Parameters()->CreateParameter(u"@_inputid", ftInteger, pdInput, 0, Variant(2));
  proc.Parameters()->CreateParameter(u"@displayitself", ftBoolean, pdInput, 0, Variant(true));
  proc.ExecProc();
  EXPECT_EQ(proc.Parameters()->ParamByName(u"@RETURN_VALUE")->Value().AsString(), S("Область;Район"));
  proc.Parameters()->ParamByName(u"@displayitself")->SetValue(Variant(false));
  proc.ExecProc();
  EXPECT_EQ(proc.Parameters()->ParamByName(u"@RETURN_VALUE")->Value().AsString(), S("Область"));

  // The name is written into the statement, so anything but an identifier is refused.
  proc.SetProcedureName(u"GetfullParentNameDep(1,1); delete from PERSON; --");
  EXPECT_THROW(proc.ExecProc(), EADOError);
  EXPECT_NE(Scalar("select count(*) from PERSON"), "0");
}

TEST_F(AdoTest, DetailFollowsItsMasterThroughParameters) {
  TADOQuery* master = Query("select * from PERSON order by ID");
  TDataSource source(&owner);
  source.SetDataSet(master);
  TADOQuery* detail = Query("select * from EDU\r\nwhere PERSONID = :ID\r\norder by EDUID");
  detail->SetDataSource(&source);
  master->Open();
  detail->Open();
  EXPECT_EQ(Column(detail, "PROGNAME"), "a,b");
  master->Next();
  EXPECT_EQ(Column(detail, "PROGNAME"), "c");
  master->Next();
  EXPECT_TRUE(detail->IsEmpty());
}

TEST_F(AdoTest, RequerySeesOtherChangesAndClosingTheConnectionClosesDatasets) {
  TADOQuery* q = Query("select * from EDU");
  q->Open();
  EXPECT_EQ(q->RecordCount(), 3);
  connection->Execute(u"insert into EDU (PERSONID, PROGNAME) values (3, 'd')");
  q->Last();
  q->Requery();
  EXPECT_EQ(q->RecordCount(), 4);
  EXPECT_EQ(q->RecNo(), 1);
  connection->Close();
  EXPECT_FALSE(q->Active());
  // Opening reconnects.
  q->Open();
  EXPECT_TRUE(connection->Connected());
}

}  // namespace

namespace {

TEST_F(AdoTest, ComponentsLoadFromAFormResource) {
  const String text =
      u"object DM: TComponent\n"
      u"  object ADOConnection1: TADOConnection\n"
      u"    ConnectionString = 'FILE NAME=" +
      folder.File("Trenvik.udl") +
      u"'\n"
      u"    LoginPrompt = False\n"
      u"    Mode = cmShareDenyNone\n"
      u"    Provider = 'SQLOLEDB.1'\n"
      u"  end\n"
      u"  object O_PEOPLE: TADOQuery\n"
      u"    Connection = ADOConnection1\n"
      u"    CursorType = ctStatic\n"
      u"    CommandTimeout = 300\n"
      u"    Parameters = <\n"
      u"      item\n"
      u"        Name = 'ID'\n"
      u"        Attributes = [paSigned]\n"
      u"        DataType = ftInteger\n"
      u"        Precision = 10\n"
      u"        Size = 4\n"
      u"        Value = 2\n"
      u"      end>\n"
      u"    SQL.Strings = (\n"
      u"      'select * from PERSON '\n"
      u"      'where ID = :ID')\n"
      u"  end\n"
      u"end\n";
  TMemoryStream binary;
  ObjectTextToBinary(text, &binary);
  binary.SetPosition(0);
  TComponent dm(nullptr);
  ReadComponent(&binary, &dm);
  auto* conn = dynamic_cast<TADOConnection*>(dm.FindComponent(u"ADOConnection1"));
  auto* q = dynamic_cast<TADOQuery*>(dm.FindComponent(u"O_PEOPLE"));
  ASSERT_NE(conn, nullptr);
  ASSERT_NE(q, nullptr);
  EXPECT_EQ(conn->Mode(), cmShareDenyNone);
  EXPECT_FALSE(conn->LoginPrompt());
  EXPECT_EQ(q->Connection(), conn);
  EXPECT_EQ(q->CommandTimeout(), 300);
  EXPECT_EQ(q->CursorType(), ctStatic);
  ASSERT_EQ(q->Parameters()->Count(), 1);
  EXPECT_EQ(q->Parameters()->Items(0)->DataType(), ftInteger);
  q->Open();
  EXPECT_EQ(StringToUtf8(q->FieldByName(u"FSTNAME")->AsString()), "Ёлкин");
}

}  // namespace

namespace {

TEST(AdoConnect, AServerThisBuildCannotReachFailsClearlyAndMakesNoFile) {
  TTempFolder folder;
  WriteDataLinkFile(folder.File("Trenvik.udl"),
                    u"Provider=SQLOLEDB.1;Integrated Security=SSPI;Initial Catalog=edu;Data Source=SRV01");
  TADOConnection connection(nullptr);
  connection.SetConnectionString(u"FILE NAME=" + folder.File("Trenvik.udl"));
  connection.SetLoginPrompt(false);
  try {
    connection.Open();
    FAIL() << "connected";
  } catch (const EADOError& e) {
    std::string message = StringToUtf8(e.Message());
    EXPECT_NE(message.find("\"SQLOLEDB.1\""), std::string::npos) << message;
    EXPECT_NE(message.find("SQLite database file"), std::string::npos) << message;
    EXPECT_NE(message.find("PostgreSQL server"), std::string::npos) << message;
  }
  EXPECT_FALSE(connection.Connected());
  EXPECT_FALSE(FileExists(folder.File("SRV01")));
  EXPECT_FALSE(FileExists(u"SRV01"));
}

TEST(AdoConnect, AMissingDatabaseFileFailsTheConnect) {
  TTempFolder folder;
  WriteDataLinkFile(folder.File("Trenvik.udl"), u"Provider=SQLite;Data Source=edu.db");
  TADOConnection connection(nullptr);
  connection.SetConnectionString(u"FILE NAME=" + folder.File("Trenvik.udl"));
  connection.SetLoginPrompt(false);
  EXPECT_THROW(connection.Open(), EADOError);
  EXPECT_FALSE(FileExists(folder.File("edu.db")));
}

}  // namespace

namespace {

TEST(AdoConnect, ReconnectionsWithThePromptOffKeepTheAcceptedLogin) {
  TTempFolder folder;
  folder.NewDatabase("edu.db");
  WriteDataLinkFile(folder.File("Trenvik.udl"), u"Provider=SQLite;Data Source=edu.db");
  int prompts = 0;
  SetLoginDialogProc([&](const String&, String& user, String& password) {
    ++prompts;
    user = u"ivanov";
    password = u"secret";
    return true;
  });
  TADOConnection connection(nullptr);
  connection.SetConnectionString(u"FILE NAME=" + folder.File("Trenvik.udl"));
  connection.Open();
  connection.SetLoginPrompt(false);
  EXPECT_EQ(StringToUtf8(connection.DbConnection().UserName()), "ivanov");
  connection.Close();
  connection.Open();
  EXPECT_EQ(StringToUtf8(connection.DbConnection().UserName()), "ivanov");
  EXPECT_NE(StringToUtf8(connection.ConnectionString()).find("User ID=ivanov;"), std::string::npos);
  EXPECT_EQ(prompts, 1);
  // Another database forgets the login: it was accepted for the first one.
  connection.Close();
  connection.SetConnectionString(u"Provider=SQLite;Data Source=" + folder.File("edu.db") +
                                 u";User ID=petrov");
  connection.Open();
  EXPECT_EQ(StringToUtf8(connection.DbConnection().UserName()), "petrov");
  SetLoginDialogProc(nullptr);
}

}  // namespace
