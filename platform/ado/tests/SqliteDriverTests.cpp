#include <gtest/gtest.h>
#include <sqlite3.h>

#include <atomic>
#include <thread>

#include "platform/ado/SqliteDriver.h"
#include "platform/ado/testing/TempFolder.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/NumberText.h"
#include "platform/rtl/String.h"

namespace {

const char* const kSqliteSchema = R"(
CREATE TABLE PERSON (
  ID INTEGER PRIMARY KEY AUTOINCREMENT,
  NAME NVARCHAR(10) COLLATE NOCASE_RU CONSTRAINT len_PERSON_NAME CHECK (length(NAME) <= 10),
  BORN DATETIME);
CREATE TABLE SYN (SYNID GUID NOT NULL DEFAULT (NEWGUID()) PRIMARY KEY, NAME NVARCHAR(50));
CREATE TABLE MARK ("USER" NVARCHAR(50) DEFAULT (LOGIN_NAME()), ID INTEGER);
CREATE TABLE M_RAYON_DEP (M_RAYON_DEPID INTEGER PRIMARY KEY AUTOINCREMENT, PARENT_ID INTEGER,
  M_VIDDEPID INTEGER, SHORTNAME NVARCHAR(150), LONGNAME NVARCHAR(254));
INSERT INTO M_RAYON_DEP VALUES (1, 0, 3, 'Область', 'Область'), (2, 1, 3, 'Район', 'Район'),
  (3, 2, 1, 'Отдел', 'Отдел района'), (4, 1, 3, 'Город', 'Город'), (5, 6, 4, 'Петля', ''), (6, 5, 4, 'Петля2', '');
)";

class SqliteDriverTest : public ::testing::Test {
 protected:
  std::unique_ptr<TDbConnection> Connect(const char* user = "tester") {
    TDbConnectParams p;
    p.DataSource = folder.File("test.db");
    p.UserID = Utf8ToString(user);
    p.CreateIfMissing = true;
    return CreateDbDriver(u"SQLite")->Connect(p);
  }
  void SetUp() override {
    db = Connect();
    db->ExecuteScript(Utf8ToString(kSqliteSchema));
  }
  // The rows of a select as "a|b;c|d".
  std::string Rows(TDbConnection& c, const char* sql) {
    auto st = c.Prepare(Utf8ToString(sql));
    st->Execute();
    std::string out;
    while (st->Next()) {
      if (!out.empty()) out += ';';
      for (int i = 0; i < st->ColumnCount(); ++i) {
        if (i) out += '|';
        out += st->IsNull(i) ? "NULL" : StringToUtf8(VarToStr(st->Value(i)));
      }
    }
    return out;
  }
  std::string Rows(const char* sql) { return Rows(*db, sql); }

  TTempFolder folder;
  std::unique_ptr<TDbConnection> db;
};

TEST_F(SqliteDriverTest, IdentCurrentAnswersForThisConnection) {
  auto other = Connect("other");
  db->ExecuteDirect(u"insert into PERSON (NAME) values ('a')");
  other->ExecuteDirect(u"insert into PERSON (NAME) values ('b')");
  EXPECT_EQ(Rows("select IDENT_CURRENT('PERSON')"), "1");
  EXPECT_EQ(Rows(*other, "select IDENT_CURRENT('PERSON')"), "2");
  // A connection that inserted nothing sees the table's last identity.
  auto third = Connect();
  EXPECT_EQ(Rows(*third, "select IDENT_CURRENT('person')"), "2");
}

TEST_F(SqliteDriverTest, ServerDefaultsAndLengths) {
  auto row = db->InsertRow(u"SYN", {u"NAME"}, {Variant(u"x")}, {u"SYNID", u"NAME"});
  ASSERT_EQ(row.size(), 2u);
  String guid = row[0].AsString();
  ASSERT_EQ(guid.size(), 38u);
  EXPECT_EQ(guid[0], u'{');
  EXPECT_EQ(guid[37], u'}');
  EXPECT_EQ(guid[9], u'-');
  EXPECT_NE(guid, db->InsertRow(u"SYN", {}, {}, {u"SYNID"})[0].AsString());

  db->ExecuteDirect(u"insert into MARK (ID) values (:ID)", {{u"ID", Variant(7)}});
  EXPECT_EQ(Rows("select [USER], ID from MARK"), "tester|7");

  try {
    db->ExecuteDirect(u"insert into PERSON (NAME) values ('12345678901')");
    FAIL() << "an over-long text was stored";
  } catch (const EADOError& e) {
    EXPECT_EQ(StringToUtf8(e.Message()), "Text is too long for the column PERSON_NAME");
  }
  EXPECT_EQ(Rows("select count(*) from PERSON"), "0");
}

// Only the column SQLite itself numbers (the rowid's alias) is auto-numbered; each case is also
// checked against what SQLite does with a row inserted without a key.
TEST_F(SqliteDriverTest, AutoNumberingIsDecidedAsSQLiteDecidesIt) {
  const struct {
    const char* columns;
    bool numbered;
  } cases[] = {
      {"K INTEGER PRIMARY KEY, N INTEGER", true},
      {"K integer primary key autoincrement, N INTEGER", true},
      {"K INTEGER, N INTEGER, PRIMARY KEY (K)", true},
      {"K INT PRIMARY KEY, N INTEGER", false},
      {"K BIGINT PRIMARY KEY, N INTEGER", false},
      {"K INTEGER PRIMARY KEY DESC, N INTEGER", false},
      {"K INTEGER, N INTEGER, PRIMARY KEY (K, N)", false},
      {"K INTEGER, N INTEGER", false},
  };
  int table = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.columns);
    const String name = u"T" + IntToStr(++table);
    db->ExecuteScript(u"CREATE TABLE " + name + u" (" + Utf8ToString(c.columns) + u")");
    const TDbTableColumn& key = db->TableInfo(name).Columns.at(0);
    EXPECT_EQ(key.AutoIncrement, c.numbered);
    db->ExecuteDirect(u"insert into " + name + u" (N) values (1)");
    EXPECT_EQ(Rows(*db, StringToUtf8(u"select K is not null from " + name).c_str()), c.numbered ? "1" : "0");
  }
  db->ExecuteScript(u"CREATE TABLE TW (K INTEGER PRIMARY KEY, N INTEGER) WITHOUT ROWID");
  EXPECT_FALSE(db->TableInfo(u"TW").Columns.at(0).AutoIncrement);
}

TEST_F(SqliteDriverTest, TextComparesAsTheServerCollation) {
  db->ExecuteScript(
      S("insert into PERSON (NAME) values ('Ёлкин'), ('иванов'), ('Жуков'), ('Абаев'), ('ИВАНОВ  ')"));
  EXPECT_EQ(Rows("select count(*) from PERSON where NAME = 'ИВАНОВ'"), "2");
  EXPECT_EQ(Rows("select NAME from PERSON where ID <> 5 order by NAME"), "Абаев;Ёлкин;Жуков;иванов");
  EXPECT_EQ(Rows("select UPPER(NAME) from PERSON where UPPER(NAME) like 'ЁЛ%'"), "ЁЛКИН");
}

TEST_F(SqliteDriverTest, DistinctHoldsOverANullableTextKey) {
  // SQLite lets a text primary key hold NULL more than once.
  db->ExecuteScript(
      u"create table CODE (CODE NVARCHAR(10) PRIMARY KEY, NAME NVARCHAR(10)); "
      u"insert into CODE values (NULL, 'a'), (NULL, 'a'), ('k', 'b');");
  EXPECT_EQ(Rows("select distinct CODE.CODE, CODE.NAME from CODE order by CODE.NAME"), "NULL|a;k|b");
}

TEST_F(SqliteDriverTest, DatesAreDayNumbersAndDayZeroRoundTrips) {
  db->ExecuteDirect(u"insert into PERSON (NAME, BORN) values ('a', :B)", {{u"B", VarFromDateTime(0)}});
  db->ExecuteDirect(u"insert into PERSON (NAME, BORN) values ('b', :B)", {{u"B", Null()}});
  db->ExecuteDirect(u"insert into PERSON (NAME, BORN) values ('c', :B)", {{u"B", VarFromDateTime(2.0)}});
  db->ExecuteDirect(u"insert into PERSON (NAME, BORN) values ('d', :B)",
                    {{u"B", VarFromDateTime(EncodeDate(1980, 5, 6))}});
  auto st = db->Prepare(u"select BORN from PERSON order by ID");
  st->Execute();
  ASSERT_TRUE(st->Next());
  EXPECT_EQ(st->Column(0).Type, TDbType::DateTime);
  EXPECT_EQ(st->Value(0).Type(), varDate);
  EXPECT_EQ(st->Value(0).AsDouble(), 0.0);
  ASSERT_TRUE(st->Next());
  EXPECT_TRUE(VarIsNull(st->Value(0)));
  // '00:00:00' is the server's 1900-01-01, not the program's day 0.
  EXPECT_EQ(Rows("select NAME from PERSON where ((BORN = '00:00:00')or(BORN is null)) order by NAME"), "b;c");
  EXPECT_EQ(Rows("select NAME from PERSON where BORN >= convert(datetime,'01.01.1980',104) order by BORN"),
            "d");
  EXPECT_EQ(Rows("select ISDATE('31.02.2003'), ISDATE('28.02.2003'), ConvToDate('x')"), "0|1|NULL");
  EXPECT_THROW(Rows("select CONVERT(datetime, 'nonsense', 104)"), EADOError);
}

TEST_F(SqliteDriverTest, TreeFunctions) {
  EXPECT_EQ(Rows("select [dbo].[GetfullParentNameDep](3, 1), dbo.GetfullParentNameDep(3, 0), "
                 "GetfullParentNameDep(1, 0), GetfullParentNameDep(99, 1), GetfullParentNameDep(NULL, 1)"),
            "Область;Район;Отдел|Область;Район||NULL|NULL");
  // A cycle in the tree ends the walk instead of looping.
  EXPECT_EQ(Rows("select GetfullParentNameDep(5, 1)"), "Петля2;Петля");
  EXPECT_EQ(Rows("select ID from [DBO].[GETDESCENDANTDEP](2, 1) AS G order by ID"), "2;3");
  EXPECT_EQ(Rows("select ID from [DBO].[GETDESCENDANTDEP](1, 0) AS G order by ID"), "2;3;4");
  EXPECT_EQ(db->CallFunction(u"GetfullParentNameDep", {Variant(4), Variant(true)}).AsString(),
            S("Область;Город"));
}

TEST_F(SqliteDriverTest, FailedTransactionLeavesNothing) {
  db->BeginTransaction();
  EXPECT_TRUE(db->InTransaction());
  db->ExecuteDirect(u"insert into PERSON (NAME) values ('a')");
  EXPECT_THROW(db->ExecuteDirect(u"insert into PERSON (NAME) values ('much too long')"), EADOError);
  db->Rollback();
  EXPECT_FALSE(db->InTransaction());
  EXPECT_EQ(Rows(*Connect(), "select count(*) from PERSON"), "0");
}

TEST_F(SqliteDriverTest, GeneratedRowEditsFindTheirRow) {
  auto row = db->InsertRow(u"PERSON", {u"NAME"}, {Variant(u"a")}, {u"ID", u"NAME", u"BORN"});
  EXPECT_EQ(row[0].AsInteger(), 1);
  EXPECT_TRUE(VarIsNull(row[2]));
  EXPECT_EQ(db->UpdateRow(u"PERSON", {u"NAME"}, {Variant(u"b")}, {u"ID"}, {Variant(1)}), 1);
  EXPECT_EQ(db->UpdateRow(u"PERSON", {u"NAME"}, {Variant(u"c")}, {u"ID"}, {Variant(2)}), 0);
  // Without a key: by every value, Null matching Null, one row of two equal ones.
  db->ExecuteScript(u"insert into MARK values ('u', NULL); insert into MARK values ('u', NULL)");
  EXPECT_EQ(db->DeleteRow(u"MARK", {u"USER", u"ID"}, {Variant(u"u"), Null()}), 1);
  EXPECT_EQ(Rows("select count(*) from MARK"), "1");
}

TEST_F(SqliteDriverTest, CommandTimeOutOnTheVirtualClock) {
  VirtualClockScope clock;
  sqlite3_create_function_v2(
      SqliteHandle(*db), "ADVANCE", 1, SQLITE_UTF8, nullptr,
      [](sqlite3_context* ctx, int, sqlite3_value** argv) {
        static_cast<VirtualClock&>(Clock()).Advance(sqlite3_value_int(argv[0]));
        sqlite3_result_int(ctx, 1);
      },
      nullptr, nullptr, nullptr);
  db->SetCommandTimeout(1);
  const char* slow =
      "WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c WHERE x < 1000000) SELECT "
      "count(ADVANCE(10)) FROM c";
  try {
    Rows(slow);
    FAIL() << "no time-out";
  } catch (const EADOError& e) {
    EXPECT_EQ(StringToUtf8(e.Message()), "The statement was stopped: its time-out expired");
  }
  db->SetCommandTimeout(0);
  EXPECT_EQ(Rows("WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c WHERE x < 1000) "
                 "SELECT count(ADVANCE(10)) FROM c"),
            "1000");
}

TEST_F(SqliteDriverTest, TwoCopiesWriteOneFileWithoutLosingRows) {
  auto a = Connect("a");
  auto b = Connect("b");
  constexpr int kRows = 150;
  std::atomic<int> failures{0};
  auto writer = [&](TDbConnection* c, const char* name) {
    try {
      auto insert = c->Prepare(u"insert into PERSON (NAME) values (:NAME)");
      for (int i = 0; i < kRows; ++i) {
        // Every tenth row inside a transaction, the rest committing by themselves.
        bool tx = i % 10 == 0;
        if (tx) c->BeginTransaction();
        insert->SetParam(0, Variant(Utf8ToString(name)));
        insert->Execute();
        auto count = c->Prepare(u"select count(*) from PERSON");
        count->Execute();
        count->Next();
        if (tx) c->Commit();
      }
    } catch (const std::exception& e) {
      ADD_FAILURE() << e.what();
      ++failures;
    }
  };
  std::thread ta(writer, a.get(), "a"), tb(writer, b.get(), "b");
  ta.join();
  tb.join();
  EXPECT_EQ(failures.load(), 0);
  EXPECT_EQ(Rows("select NAME, count(*) from PERSON group by NAME order by NAME"), "a|150;b|150");
}

// Text views of a row: several columns at once, read twice, numbers as their text, bytes that are no
// UTF-8 replaced, and a shorter text after a longer one in the same column's buffer.
TEST_F(SqliteDriverTest, TextViewsOfARowStayValidTogether) {
  auto st = db->Prepare(Utf8ToString(
      "select 'Иванов', 'Ivan' || char(128512), 42, cast(x'41ff42' as text), 'длинное имя' "
      "union all select 'Ли', '', 7, 'x', 'я'"));
  st->Execute();
  ASSERT_TRUE(st->Next());
  const std::u16string_view surname = st->TextView(0);
  const std::u16string_view name = st->TextView(1);
  EXPECT_EQ(st->TextView(0), surname);
  EXPECT_EQ(String(surname), Utf8ToString("Иванов"));
  EXPECT_EQ(String(name), String(u"Ivan\U0001F600"));
  EXPECT_EQ(String(st->TextView(2)), String(u"42"));
  EXPECT_EQ(String(st->TextView(3)), String(u"A\uFFFDB"));
  EXPECT_EQ(String(st->TextView(4)), Utf8ToString("длинное имя"));
  ASSERT_TRUE(st->Next());
  EXPECT_EQ(String(st->TextView(0)), Utf8ToString("Ли"));
  EXPECT_TRUE(st->TextView(1).empty());
  EXPECT_EQ(String(st->TextView(4)), Utf8ToString("я"));
  EXPECT_FALSE(st->Next());
}

}  // namespace
