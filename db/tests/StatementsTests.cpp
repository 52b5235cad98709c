// Every statement the program issues, run unchanged against a small database on each driver, with
// the answers the original server gives for the same rows.
#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>

#include "db/DemoData.h"
#include "db/Schema.h"
#include "platform/ado/DbDriver.h"
#include "platform/ado/testing/PgTestServer.h"
#include "platform/ado/testing/TempFolder.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/String.h"

namespace {

using Params = std::vector<std::pair<String, Variant>>;
using Rows = std::vector<std::string>;

// The program's statement texts, CR LF between their lines as the program joins them.
String Sql(std::string_view text) { return Utf8ToString(text); }

Variant Date(int y, int m, int d) {
  return VarFromDateTime(EncodeDate(static_cast<Word>(y), static_cast<Word>(m), static_cast<Word>(d)));
}

const char* const kFixture = R"(
INSERT INTO M_KAT (NAME) VALUES ('руководители'), ('специалисты');
INSERT INTO M_COLLAGE (NAME) VALUES ('Академия госслужбы'), ('Университет');
INSERT INTO M_ASSESS (M_ASSESSNAME) VALUES ('отлично'), ('хорошо');
INSERT INTO M_KATEDU (M_KATEDUNAME) VALUES ('стажировка'), ('повышение квалификации');
INSERT INTO M_RAYON_DEP (PARENT_ID, M_VIDDEPID, SHORTNAME, LONGNAME) VALUES
  (1, 3, 'Заречный район', 'Заречный муниципальный район'),
  (2, 2, 'Администрация', 'Администрация Заречного района'),
  (1, 1, 'Минфин', 'Министерство финансов области');
INSERT INTO O_PEOPLE (FSTNAME, SECNAME, LASTNAME, BIRTHDATE, M_SEXID, M_KATID, M_RAYON_DEPID, DOLGNAME, M_RecordStatusID) VALUES
  ('Иванов', 'Иван', 'Иванович', CONVERT(datetime, '06.05.1980', 104), 1, 1, 3, 'глава', NULL),
  ('Петрова', 'Анна', 'Сергеевна', CONVERT(datetime, '01.01.1900', 104), 2, 2, 4, 'специалист', 1),
  ('иванов', 'Пётр', 'Иванович', NULL, 1, NULL, 3, NULL, NULL),
  ('Ёлкина', 'Ольга', 'Петровна', CONVERT(datetime, '13.03.1975', 104), 2, 2, 4, 'консультант', NULL),
  ('Иванов', 'Иван', 'Иванович', CONVERT(datetime, '30.12.1899', 104), 1, 2, 3, 'водитель', NULL);
INSERT INTO O_EDU (O_PEOPLEID, M_COLLAGEID, M_KATEDUID, M_ASSESSID, DATEFINISH, PROGNAME) VALUES
  (1, 1, 2, 1, CONVERT(datetime, '01.03.2010', 104), 'Управление'), (1, 2, 1, 2, CONVERT(datetime, '30.06.2015', 104), 'Право'), (2, 1, 2, NULL, CONVERT(datetime, '01.04.2012', 104), 'Закупки');
INSERT INTO O_PEOPLESYNONYM (O_PEOPLEID, FSTNAME, SECNAME, LASTNAME, BIRTHDATE) VALUES (1, 'Иваноф', 'Иван', 'Иваныч', CONVERT(datetime, '06.05.1980', 104));
INSERT INTO O_FILTER ("USER", O_PEOPLEID) VALUES ('tester', 1), ('tester', 2), ('other', 4);
INSERT INTO BUFFER (N, "USER", COLLAGE_NAME, FSTNAME, SECNAME, LASTNAME, SEX, BIRTHDATE) VALUES
  (2, 'tester', ' Академия ', 'Б', 'Б', 'Б', 'ж', NULL), (1, 'tester', ' Академия ', 'А', 'А', 'А', 'м', CONVERT(datetime, '06.05.1980', 104)),
  (1, 'other', 'Другое', 'В', 'В', 'В', 'м', NULL);
INSERT INTO O_COLLAGE_DOGOVOR VALUES (1, '7/2019', CONVERT(datetime, '15.05.2019', 104), CONVERT(datetime, '19.05.2022', 104)), (1, '2/2015', CONVERT(datetime, '06.04.2015', 104), CONVERT(datetime, '22.09.2017', 104)), (2, '1', CONVERT(datetime, '06.07.2009', 104), CONVERT(datetime, '01.04.2012', 104));
INSERT INTO M_KATEDUSYNONYM (M_KATEDUID, NAME) VALUES (1, 'стажир.'), (1, 'Внутренняя стажировка');
INSERT INTO M_COLLAGESYNONYM (M_COLLAGEID, NAME) VALUES (1, 'АГС'), (1, 'акад. госслужбы');
INSERT INTO M_DEPSYNONYM (M_RAYON_DEPID, LONGNAME) VALUES (3, 'Адм. Заречного р-на');
INSERT INTO M_SEXSYNONYM (M_SEXID, NAME) VALUES (1, 'муж'), (1, 'м');
)";

class StatementsTest : public ::testing::TestWithParam<const char*> {
 protected:
  void SetUp() override {
    SetLocale("ru-RU");
    TDbConnectParams p;
    if (std::string(GetParam()) == "PostgreSQL") {
      TPgTestServer* server = nullptr;
      TRENVIK_PG_SERVER_OR_SKIP(server);
      p = server->NewDatabase();
    } else {
      p.DataSource = folder.File("edu.db");
      p.UserID = u"tester";
      p.CreateIfMissing = true;
    }
    db = CreateDbDriver(Utf8ToString(GetParam()))->Connect(p);
    CreateDatabase(*db);
    // The fixture's statements go through the driver's translation, dates and all.
    std::string fixture = kFixture;
    size_t start = 0;
    for (size_t end; (end = fixture.find(";\n", start)) != std::string::npos; start = end + 2)
      Exec(Utf8ToString(fixture.substr(start, end - start)));
  }
  // Whole years from a birth date to today, as the text the tables show.
  std::string Age(int y, int m, int d) const {
    Word ty, tm, td;
    DecodeDate(today, ty, tm, td);
    int years = ty - y - ((tm < m || (tm == m && td < d)) ? 1 : 0);
    return std::to_string(years);
  }
  void TearDown() override { SetLocale("en-US"); }

  Rows Query(const String& sql, const Params& params = {}) {
    auto st = db->Prepare(sql);
    Bind(*st, params);
    st->Execute();
    Rows rows;
    while (st->Next()) {
      std::string row;
      for (int i = 0; i < st->ColumnCount(); ++i) {
        if (i) row += '|';
        row += st->IsNull(i) ? "NULL" : StringToUtf8(VarToStr(st->Value(i)));
      }
      rows.push_back(row);
    }
    return rows;
  }
  Int64 Exec(const String& sql, const Params& params = {}) {
    auto st = db->Prepare(sql);
    Bind(*st, params);
    st->Execute();
    return st->RowsAffected();
  }
  static void Bind(TDbStatement& st, const Params& params) {
    for (size_t i = 0; i < st.ParamNames().size(); ++i) {
      bool bound = false;
      for (auto& [name, value] : params)
        if (name == st.ParamNames()[i]) {
          st.SetParam(static_cast<int>(i), value);
          bound = true;
        }
      if (!bound) ADD_FAILURE() << "no value for :" << StringToUtf8(st.ParamNames()[i]);
    }
  }

  VirtualClockScope clock{EncodeDate(2026, 12, 10) + 0.5};
  TDateTime today = EncodeDate(2026, 12, 10);
  TTempFolder folder;
  std::unique_ptr<TDbConnection> db;
};

// "*" in an expected row matches any one cell (server-made GUIDs).
bool RowMatches(const std::string& actual, const std::string& expected) {
  size_t a = 0, e = 0;
  for (;;) {
    size_t an = actual.find('|', a), en = expected.find('|', e);
    std::string ac = actual.substr(a, an == std::string::npos ? std::string::npos : an - a);
    std::string ec = expected.substr(e, en == std::string::npos ? std::string::npos : en - e);
    if (ec != "*" && ac != ec) return false;
    if ((an == std::string::npos) != (en == std::string::npos)) return false;
    if (an == std::string::npos) return true;
    a = an + 1;
    e = en + 1;
  }
}

void ExpectRows(const Rows& actual, const Rows& expected, const String& sql, bool anyOrder = false) {
  Rows a = actual, e = expected;
  if (anyOrder) {
    std::sort(a.begin(), a.end());
    std::sort(e.begin(), e.end());
  }
  bool same = a.size() == e.size();
  for (size_t i = 0; same && i < a.size(); ++i) same = RowMatches(a[i], e[i]);
  if (same) return;
  std::string got, want;
  for (auto& r : a) got += "  " + r + "\n";
  for (auto& r : e) want += "  " + r + "\n";
  ADD_FAILURE() << StringToUtf8(sql) << "\ngot:\n" << got << "expected:\n" << want;
}

// Cards 1 and 5 carry the same name, so the server may list them either way round: the rows are
// then compared as a set, their order being checked by the ordered cases.
constexpr bool kTies = true;

struct SelectCase {
  std::string sql;
  Params params;
  Rows expected;
  bool anyOrder = false;
};

const char* const kPeopleList =
    "SELECT DISTINCT O_PEOPLE.O_PEOPLEID, O_PEOPLE.FSTNAME, O_PEOPLE.SECNAME, O_PEOPLE.LASTNAME, "
    "O_PEOPLE.M_RAYON_DEPID, O_PEOPLE.M_RECORDSTATUSID,\r\nO_PEOPLE.BIRTHDATE\r\nFROM O_PEOPLE   \r\n"
    "ORDER BY  O_PEOPLE.FSTNAME, O_PEOPLE.SECNAME";

// The filter's statements: the upper-cased select part, a join, its conditions and the order.
const char* const kFilterSelect =
    "SELECT DISTINCT O_PEOPLE.O_PEOPLEID, O_PEOPLE.FSTNAME, O_PEOPLE.SECNAME, O_PEOPLE.LASTNAME, "
    "O_PEOPLE.M_RAYON_DEPID, O_PEOPLE.M_RECORDSTATUSID,\r\nO_PEOPLE.BIRTHDATE\r\nFROM O_PEOPLE   \r\n";

std::string Filter(const char* join, const char* where) {
  return std::string(kFilterSelect) + join + " WHERE " + where +
         " ORDER BY   O_PEOPLE.FSTNAME, O_PEOPLE.SECNAME";
}

TEST_P(StatementsTest, DataModuleDatasets) {
  const SelectCase cases[] = {
      {kPeopleList,
       {},
       {"4|Ёлкина|Ольга|Петровна|4|NULL|13.03.1975", "1|Иванов|Иван|Иванович|3|NULL|06.05.1980",
        "5|Иванов|Иван|Иванович|3|NULL|30.12.1899", "3|иванов|Пётр|Иванович|3|NULL|NULL",
        "2|Петрова|Анна|Сергеевна|4|1|01.01.1900"},
       kTies},
      {"select * from O_PEOPLE \r\nwhere O_PEOPLEID = :O_PEOPLEID",
       {{u"O_PEOPLEID", Variant(1)}},
       {"1|Иванов|Иван|Иванович|06.05.1980|" + Age(1980, 5, 6) + "|1|1|3|глава|NULL"}},
      {"select * from O_EDU \r\nwhere O_PEOPLEID = :O_PEOPLEID\r\norder by DATEFINISH desc",
       {{u"O_PEOPLEID", Variant(1)}},
       {"2|1|2|1|2|NULL|30.06.2015|Право|NULL|NULL", "1|1|1|2|1|NULL|01.03.2010|Управление|NULL|NULL"}},
      {"select * from M_RAYON_DEP order by M_VIDDEPID desc ,SHORTNAME",
       {},
       {"2|1|3|Заречный район|Заречный муниципальный район", "1|0|3|Область|Область",
        "3|2|2|Администрация|Администрация Заречного района", "4|1|1|Минфин|Министерство финансов области"}},
      {"select M_RAYON_DEP.*, dbo.[GetfullParentNameDep](M_RAYON_DEPID,1) as FullDepName \r\nfrom "
       "M_RAYON_DEP \r\n"
       "order by M_VIDDEPID desc ,SHORTNAME",
       {},
       {"2|1|3|Заречный район|Заречный муниципальный район|Область;Заречный район",
        "1|0|3|Область|Область|Область",
        "3|2|2|Администрация|Администрация Заречного района|Область;Заречный район;Администрация",
        "4|1|1|Минфин|Министерство финансов области|Область;Минфин"}},
      {"select * from M_VIDDEP",
       {},
       {"1|государственный орган", "2|муниципальный орган", "3|территория", "4|прочее"}},
      {"select * from M_KAT order by NAME", {}, {"1|руководители", "2|специалисты"}},
      {"select * from M_SEX order by NAME", {}, {"2|женский", "1|мужской"}},
      {"select * from M_COLLAGE order by NAME", {}, {"1|Академия госслужбы", "2|Университет"}},
      {"select * from M_ASSESS order by M_ASSESSID", {}, {"1|отлично", "2|хорошо"}},
      {"select * from M_KATEDU order by M_KATEDUNAME", {}, {"2|повышение квалификации", "1|стажировка"}},
      {"select * from O_COLLAGE_DOGOVOR\r\nwhere M_COLLAGEID = :M_COLLAGEID\r\norder by DATEBEGIN",
       {{u"M_COLLAGEID", Variant(1)}},
       {"1|2/2015|06.04.2015|22.09.2017", "1|7/2019|15.05.2019|19.05.2022"}},
      {"select * from M_KATEDUSYNONYM \r\nwhere M_KATEDUID = :M_KATEDUID\r\norder by NAME",
       {{u"M_KATEDUID", Variant(1)}},
       {"*|1|Внутренняя стажировка", "*|1|стажир."}},
      {"select * from  M_COLLAGESYNONYM\r\nwhere M_COLLAGEID = :M_COLLAGEID\r\norder by NAME",
       {{u"M_COLLAGEID", Variant(1)}},
       {"*|1|АГС", "*|1|акад. госслужбы"}},
      {"select * from M_DEPSYNONYM \r\nwhere M_RAYON_DEPID = :M_RAYON_DEPID\r\norder by LONGNAME",
       {{u"M_RAYON_DEPID", Variant(3)}},
       {"*|3|Адм. Заречного р-на"}},
      {"select * from  M_SEXSYNONYM\r\nwhere M_SEXID = :M_SEXID\r\norder by NAME",
       {{u"M_SEXID", Variant(1)}},
       {"*|1|м", "*|1|муж"}},
      {"SELECT    distinct O_PEOPLE.O_PEOPLEID,O_PEOPLE.FSTNAME, O_PEOPLE.SECNAME, O_PEOPLE.LASTNAME, "
       "O_PEOPLE.BIRTHDATE, O_PEOPLE.AGE, O_PEOPLE.DOLGNAME, \r\n                      M_KAT.NAME AS "
       "KATNAME, "
       "M_SEX.NAME AS SEXNAME, M_RAYON_DEP.M_RAYON_DEPID\r\nFROM         O_PEOPLE RIGHT OUTER JOIN\r\n"
       "                      O_FILTER ON O_PEOPLE.O_PEOPLEID = O_FILTER.O_PEOPLEID LEFT OUTER JOIN\r\n"
       "                      M_KAT ON O_PEOPLE.M_KATID = M_KAT.M_KATID LEFT OUTER JOIN\r\n"
       "                      M_RAYON_DEP ON O_PEOPLE.M_RAYON_DEPID = M_RAYON_DEP.M_RAYON_DEPID LEFT OUTER "
       "JOIN\r\n"
       "                      M_SEX ON O_PEOPLE.M_SEXID = M_SEX.M_SEXID\r\n"
       "WHERE     (O_FILTER.[USER] = :USER_NAME)",
       {{u"USER_NAME", Variant(u"tester")}},
       {"1|Иванов|Иван|Иванович|06.05.1980|" + Age(1980, 5, 6) + "|глава|руководители|мужской|3",
        "2|Петрова|Анна|Сергеевна|01.01.1900|NULL|специалист|специалисты|женский|4"},
       true},
      {"select * from BUFFER\r\nwhere [USER] = :U \r\norder by N",
       {{u"U", Variant(u"tester")}},
       {"*|1|tester| Академия |А|А|А|м|06.05.1980|NULL|NULL|NULL|NULL|NULL|NULL",
        "*|2|tester| Академия |Б|Б|Б|ж|NULL|NULL|NULL|NULL|NULL|NULL|NULL"}},
      {"SELECT     *\r\nFROM         DoubleFioView\r\nORDER BY kol DESC", {}, {"Иванов|Иван|Иванович|2"}},
  };
  for (auto& c : cases) ExpectRows(Query(Sql(c.sql), c.params), c.expected, Sql(c.sql), c.anyOrder);
}

TEST_P(StatementsTest, ScratchQueriesAndFilter) {
  const SelectCase cases[] = {
      {" select count(*) from O_PEOPLE ", {}, {"5"}},
      {" select M_VIDDEPID,SHORTNAME,[dbo].[GetfullParentNameDep] "
       "(M_RAYON_DEPID,0),[dbo].[GetfullParentNameDep] "
       "(M_RAYON_DEPID,1) from M_RAYON_DEP  where M_RAYON_DEPID = :M_RAYON_DEPID ",
       {{u"M_RAYON_DEPID", Variant(3)}},
       {"2|Администрация|Область;Заречный район|Область;Заречный район;Администрация"}},
      {" select M_VIDDEPID,LONGNAME,[dbo].[GetfullParentNameDep] "
       "(M_RAYON_DEPID,0),[dbo].[GetfullParentNameDep] "
       "(M_RAYON_DEPID,1) from M_RAYON_DEP  where M_RAYON_DEPID = :M_RAYON_DEPID ",
       {{u"M_RAYON_DEPID", Null()}},
       {}},
      {"select NAME from M_KAT where M_KATID = 2", {}, {"специалисты"}},
      {"select NAME from M_COLLAGE where M_COLLAGEID = 1", {}, {"Академия госслужбы"}},
      {"select M_ASSESSNAME from M_ASSESS where M_ASSESSID = 2", {}, {"хорошо"}},
      {"select M_KATEDUNAME from M_KATEDU where M_KATEDUID = 1", {}, {"стажировка"}},
      // Merge of two cards: the cards and their training.
      {" select p.FSTNAME,p.SECNAME,p.LASTNAME,p.BIRTHDATE,M_SEX.NAME as SEXNAME,p.DOLGNAME,  M_KAT.NAME as "
       "KATNAME,[dbo].GetfullParentNameDep(p.M_RAYON_DEPID,1)  from O_PEOPLE p  left outer join M_SEX on "
       "M_SEX.M_SEXID = p.M_SEXID  left outer join M_KAT on M_KAT.M_KATID = p.M_KATID  where p.O_PEOPLEID = "
       "3",
       {},
       {"иванов|Пётр|Иванович|NULL|мужской|NULL|NULL|Область;Заречный район;Администрация"}},
      {" select O_EDU.DATEFINISH,O_EDU.PROGNAME,M_KATEDU.M_KATEDUNAME,M_COLLAGE.NAME as COLLAGENAME  from "
       "O_EDU  "
       "left outer join M_KATEDU on M_KATEDU.M_KATEDUID = O_EDU.M_KATEDUID  left outer join M_COLLAGE on "
       "M_COLLAGE.M_COLLAGEID = O_EDU.M_COLLAGEID  where O_EDU.O_PEOPLEID = 1 order by O_EDU.DATEFINISH ",
       {},
       {"01.03.2010|Управление|повышение квалификации|Академия госслужбы",
        "30.06.2015|Право|стажировка|Университет"}},
      // The people list as the filter rewrites it.
      {Filter(" inner join O_EDU on O_EDU.O_PEOPLEID=O_PEOPLE.O_PEOPLEID ",
              "( UPPER(O_PEOPLE.FSTNAME) LIKE 'ИВ%') AND ( O_EDU.DATEFINISH >=  "
              "convert(datetime,'01.01.2011',104) )"),
       {},
       {"1|Иванов|Иван|Иванович|3|NULL|06.05.1980"}},
      {Filter(
           "",
           "(( EXISTS (SELECT * FROM [DBO].[GETDESCENDANTDEP](2, 1) AS G  WHERE G.ID = "
           "O_PEOPLE.M_RAYON_DEPID)) and ( NOT  EXISTS (SELECT * FROM [DBO].[GETDESCENDANTDEP](4, 1) AS G  "
           "WHERE G.ID = O_PEOPLE.M_RAYON_DEPID)))"),
       {},
       {"1|Иванов|Иван|Иванович|3|NULL|06.05.1980", "5|Иванов|Иван|Иванович|3|NULL|30.12.1899",
        "3|иванов|Пётр|Иванович|3|NULL|NULL"},
       kTies},
      {Filter(" inner join O_EDU on O_EDU.O_PEOPLEID=O_PEOPLE.O_PEOPLEID  INNER JOIN MaxDateFinishEdu ON "
              "O_PEOPLE.O_PEOPLEID = MaxDateFinishEdu.O_PEOPLEID ",
              "( MaxDateFinishEdu.MaxDateFinish= CONVERT(DATETIME,'30.06.2015',104) )"),
       {},
       {"1|Иванов|Иван|Иванович|3|NULL|06.05.1980"}},
      {Filter("", "( O_PEOPLE.AGE between 40 and 60) AND ( not( O_PEOPLE.M_SEXID = 1))"),
       {},
       {"4|Ёлкина|Ольга|Петровна|4|NULL|13.03.1975"}},
      {Filter("",
              "(NOT EXISTS (SELECT * FROM O_EDU WHERE O_EDU.O_PEOPLEID = O_PEOPLE.O_PEOPLEID)) AND ( "
              "UPPER(O_PEOPLE.DOLGNAME) LIKE '%НСУЛ%')"),
       {},
       {"4|Ёлкина|Ольга|Петровна|4|NULL|13.03.1975"}},
      // Import: dates in cells, the institution, reference matches (the collation ignores case).
      {" select ISDATE ('31.12.2003'),[dbo].[ConvToDate]('31.12.2003')", {}, {"1|31.12.2003"}},
      {" select ISDATE ('31.13.2003'),[dbo].[ConvToDate]('31.13.2003')", {}, {"0|NULL"}},
      {" select DISTINCT top 1 RTRIM(LTRIM(COLLAGE_NAME)) from BUFFER  where [USER] = :U ",
       {{u"U", Variant(u"tester")}},
       {"Академия"}},
      {" select M_COLLAGEID from M_COLLAGE  where NAME = :NAME ",
       {{u"NAME", Variant(S("АКАДЕМИЯ госслужбы"))}},
       {"1"}},
      {" select M_KATEDUID from M_KATEDU  where M_KATEDUNAME = :NAME ",
       {{u"NAME", Variant(S("Стажировка"))}},
       {"1"}},
      {" select M_RAYON_DEPID from M_RAYON_DEP where LONGNAME = :NAME ",
       {{u"NAME", Variant(S("министерство финансов области"))}},
       {"4"}},
      {" select M_SEXID from M_SEX  where NAME = :NAME ", {{u"NAME", Variant(S("Мужской"))}}, {"1"}},
      {" select M_COLLAGEID from M_COLLAGESYNONYM  where Upper(NAME) like '%ГОССЛУЖ%'", {}, {"1"}},
      {" select M_KATEDUID from M_KATEDUSYNONYM  where Upper(NAME) like '%СТАЖИР%'", {}, {"1", "1"}},
      {" select M_RAYON_DEPID from M_DEPSYNONYM  where Upper(LONGNAME) like '%ЗАРЕЧН%'", {}, {"3"}},
      {" select M_SEXID from M_SEXSYNONYM  where Upper(NAME) like '%МУЖ%'", {}, {"1"}},
      {" select TOP 1 M_KATEDUID from M_KATEDU  order by M_KATEDUID ", {}, {"1"}},
      {" select TOP 1 M_SEXID from M_SEX  order by M_SEXID ", {}, {"1"}},
      {" select O_PEOPLEID from O_PEOPLE  where FSTNAME = :FSTNAME and SECNAME = :SECNAME  and LASTNAME = "
       ":LASTNAME "
       "and BIRTHDATE = :BIRTHDATE ",
       {{u"FSTNAME", Variant(S("ИВАНОВ"))},
        {u"SECNAME", Variant(S("иван"))},
        {u"LASTNAME", Variant(S("Иванович"))},
        {u"BIRTHDATE", Date(1980, 5, 6)}},
       {"1"}},
      {" select O_PEOPLEID from O_PEOPLESYNONYM  where Upper(FSTNAME) like '%ИВАНОФ%' and Upper(SECNAME) "
       "like "
       "'%ИВАН%' and Upper(LASTNAME) like '%ИВАНЫЧ%' and BIRTHDATE = :BIRTHDATE ",
       {{u"BIRTHDATE", Date(1980, 5, 6)}},
       {"1"}},
      {" select M_SEX.NAME from M_SEX where M_SEX.M_SEXID = :M_SEXID ",
       {{u"M_SEXID", Variant(2)}},
       {"женский"}},
      {" select p.FSTNAME,p.SECNAME,p.LASTNAME,p.BIRTHDATE,M_SEX.NAME as SEXNAME,p.DOLGNAME  from O_PEOPLE p "
       " left "
       "outer join M_SEX on M_SEX.M_SEXID = p.M_SEXID  where p.O_PEOPLEID = 2",
       {},
       {"Петрова|Анна|Сергеевна|01.01.1900|женский|специалист"}},
      {" select count(*) from O_EDU where O_PEOPLEID = :O_PEOPLEID  and M_COLLAGEID = :M_COLLAGEID and "
       "M_KATEDUID = "
       ":M_KATEDUID  and DATEFINISH = :DATEFINISH ",
       {{u"O_PEOPLEID", Variant(1)},
        {u"M_COLLAGEID", Variant(2)},
        {u"M_KATEDUID", Variant(1)},
        {u"DATEFINISH", Date(2015, 6, 30)}},
       {"1"}},
  };
  for (auto& c : cases) ExpectRows(Query(Sql(c.sql), c.params), c.expected, Sql(c.sql), c.anyOrder);
}

// The program's statements with computed columns give the same column types on a database without
// rows as on one with them, so the fields bound to them open either way.
TEST_P(StatementsTest, EmptyResultsKeepTheColumnTypes) {
  TDbConnectParams p;
  if (std::string(GetParam()) == "PostgreSQL") {
    p = TPgTestServer::Get()->NewDatabase();
  } else {
    p.DataSource = folder.File("empty.db");
    p.UserID = u"tester";
    p.CreateIfMissing = true;
  }
  auto empty = CreateDbDriver(Utf8ToString(GetParam()))->Connect(p);
  CreateDatabase(*empty);
  const std::pair<const char*, Params> statements[] = {
      {"SELECT     *\r\nFROM         DoubleFioView\r\nORDER BY kol DESC", {}},
      {"SELECT * FROM MaxDateFinishEdu", {}},
      {"select M_RAYON_DEP.*, dbo.[GetfullParentNameDep](M_RAYON_DEPID,1) as FullDepName \r\nfrom "
       "M_RAYON_DEP \r\nwhere M_VIDDEPID <> 3",
       {}},
      {" select M_VIDDEPID,SHORTNAME,[dbo].[GetfullParentNameDep] "
       "(M_RAYON_DEPID,0),[dbo].[GetfullParentNameDep] "
       "(M_RAYON_DEPID,1) from M_RAYON_DEP  where M_RAYON_DEPID = :M_RAYON_DEPID ",
       {{u"M_RAYON_DEPID", Variant(3)}}},
      {" select DISTINCT top 1 RTRIM(LTRIM(COLLAGE_NAME)) from BUFFER  where [USER] = :U ",
       {{u"U", Variant(u"tester")}}},
      {" select count(*) from O_EDU where O_PEOPLEID = :O_PEOPLEID ", {{u"O_PEOPLEID", Variant(1)}}},
      {" select ISDATE ('31.12.2003'),[dbo].[ConvToDate]('31.12.2003')", {}},
  };
  auto types = [](TDbConnection& c, const char* sql, const Params& params, bool& rows) {
    auto st = c.Prepare(Sql(sql));
    Bind(*st, params);
    st->Execute();
    rows = st->Next();
    std::vector<TDbType> out;
    for (int i = 0; i < st->ColumnCount(); ++i) out.push_back(st->Column(i).Type);
    return out;
  };
  for (auto& [sql, params] : statements) {
    bool full = false, none = false;
    std::vector<TDbType> withRows = types(*db, sql, params, full);
    std::vector<TDbType> withoutRows = types(*empty, sql, params, none);
    EXPECT_TRUE(full) << sql;
    EXPECT_EQ(withRows, withoutRows) << sql;
    for (TDbType t : withoutRows) EXPECT_NE(t, TDbType::Unknown) << sql;
  }
  bool rows = true;
  std::vector<TDbType> doubles = types(*empty, statements[0].first, {}, rows);
  EXPECT_FALSE(rows);
  ASSERT_EQ(doubles.size(), 4u);
  EXPECT_TRUE(doubles[3] == TDbType::Integer || doubles[3] == TDbType::Int64);  // kol
}

TEST_P(StatementsTest, PathFunctionCalledAsAStoredProcedure) {
  // "@displayitself" is a boolean parameter.
  EXPECT_EQ(StringToUtf8(db->CallFunction(u"GetfullParentNameDep", {Variant(3), Variant(true)}).AsString()),
            "Область;Заречный район;Администрация");
  EXPECT_EQ(StringToUtf8(db->CallFunction(u"GetfullParentNameDep", {Variant(3), Variant(false)}).AsString()),
            "Область;Заречный район");
  EXPECT_TRUE(VarIsNull(db->CallFunction(u"GetfullParentNameDep", {Variant(99), Variant(true)})));
}

TEST_P(StatementsTest, DemoDataFillsTheDatabase) {
  TDemoDataOptions options;
  options.People = 60;
  GenerateDemoData(*db, options);
  ExpectRows(Query(u"select count(*) from O_PEOPLE"), {"65"}, u"people");
  ExpectRows(Query(u"select count(*) from O_PEOPLE p where not exists (select * from M_RAYON_DEP d where "
                   u"d.M_RAYON_DEPID = p.M_RAYON_DEPID)"),
             {"0"}, u"places of work");
}

TEST_P(StatementsTest, MergeOfTwoCardsInATransaction) {
  const char* copy[] = {"FSTNAME", "SECNAME",  "LASTNAME", "BIRTHDATE",
                        "M_SEXID", "DOLGNAME", "M_KATID",  "M_RAYON_DEPID"};
  db->BeginTransaction();
  for (auto* column : copy) {
    std::string sql = std::string(" update O_PEOPLE set ") + column + " = pp." + column +
                      "  FROM (SELECT p." + column + " FROM O_PEOPLE p WHERE p.O_PEOPLEID = 4) pp " +
                      " WHERE (O_PEOPLEID = 3)";
    EXPECT_EQ(Exec(Sql(sql)), 1) << sql;
  }
  EXPECT_EQ(Exec(u" update O_EDU set O_PEOPLEID = 3 where O_PEOPLEID = 1"), 2);
  EXPECT_EQ(Exec(u" update O_PEOPLESYNONYM set O_PEOPLEID = 3 where O_PEOPLEID = 1"), 1);
  EXPECT_EQ(Exec(u" delete from O_PEOPLE where O_PEOPLEID = 1"), 1);
  db->Commit();
  ExpectRows(Query(u"select * from O_PEOPLE where O_PEOPLEID = 3"),
             {"3|Ёлкина|Ольга|Петровна|13.03.1975|" + Age(1975, 3, 13) + "|2|2|4|консультант|NULL"},
             u"merged card");
  ExpectRows(Query(u"select count(*) from O_EDU where O_PEOPLEID = 3"), {"2"}, u"training moved");
}

TEST_P(StatementsTest, AgeIsComputedWhenReadOnTheProgramsDate) {
  // Born on the morrow of the fixture's day: a year older tomorrow, though nothing is written.
  auto inserted = db->InsertRow(u"O_PEOPLE", {u"FSTNAME", u"BIRTHDATE"},
                                {Variant(S("Новиков")), Date(1985, 12, 11)}, {u"O_PEOPLEID", u"AGE"});
  ASSERT_EQ(inserted.size(), 2u);
  Variant id = inserted[0];
  EXPECT_EQ(inserted[1].AsInteger(), 40);
  const String ageOf = u"select AGE from O_PEOPLE where O_PEOPLEID = :ID";
  ExpectRows(Query(ageOf, {{u"ID", id}}), {"40"}, u"today");
  static_cast<VirtualClock&>(Clock()).Advance(24 * 3600 * 1000);
  ExpectRows(Query(ageOf, {{u"ID", id}}), {"41"}, u"tomorrow");
  ExpectRows(Query(u"select FSTNAME from O_PEOPLE where O_PEOPLE.AGE = 41"), {"Новиков"}, u"filter by age");
  // The generated edits of the card write the stored columns and read the age back.
  EXPECT_EQ(db->UpdateRow(u"O_PEOPLE", {u"BIRTHDATE"}, {Date(1990, 1, 1)}, {u"O_PEOPLEID"}, {id}), 1);
  EXPECT_EQ(db->ReadRow(u"O_PEOPLE", {u"O_PEOPLEID"}, {id}, {u"AGE"})[0].AsInteger(), 36);
  EXPECT_TRUE(db->TableInfo(u"O_PEOPLE").Find(u"AGE")->Computed);
  EXPECT_TRUE(db->TableInfo(u"O_PEOPLE").Find(u"O_PEOPLEID")->IsKey);
  EXPECT_EQ(db->DeleteRow(u"O_PEOPLE", {u"O_PEOPLEID"}, {id}), 1);
}

TEST_P(StatementsTest, TrailingBlanksOfStoredTextDoNotCount) {
  Exec(
      S("INSERT INTO O_PEOPLE (FSTNAME, SECNAME, LASTNAME, BIRTHDATE) VALUES "
        "('Сидоров ', 'Олег', 'Олегович  ', CONVERT(datetime, '01.02.1970', 104))"));
  const std::string card = "6|Сидоров |Олег|Олегович  |NULL|NULL|01.02.1970";
  // The filter's "equals", "begins with" and "contains" on the surname, and their negations.
  for (const char* condition :
       {"( UPPER(O_PEOPLE.FSTNAME) LIKE 'СИДОРОВ')", "( UPPER(O_PEOPLE.FSTNAME) LIKE 'СИД%')",
        "( UPPER(O_PEOPLE.FSTNAME) LIKE '%ДОРОВ%')"}) {
    ExpectRows(Query(Sql(Filter("", condition))), {card}, Sql(condition));
    std::string negated = std::string(" not(") + condition + ") AND O_PEOPLE.O_PEOPLEID = 6";
    ExpectRows(Query(Sql(Filter("", negated.c_str()))), {}, Sql(negated));
  }
  // The import's match by name: trailing blanks on either side.
  const String match =
      S(" select O_PEOPLEID from O_PEOPLE  where FSTNAME = :FSTNAME and SECNAME = :SECNAME  and LASTNAME = "
        ":LASTNAME and BIRTHDATE = :BIRTHDATE ");
  ExpectRows(Query(match, {{u"FSTNAME", Variant(S("СИДОРОВ"))},
                           {u"SECNAME", Variant(S("Олег "))},
                           {u"LASTNAME", Variant(S("Олегович"))},
                           {u"BIRTHDATE", Date(1970, 2, 1)}}),
             {"6"}, match);
  ExpectRows(Query(S("select count(*) from O_PEOPLE where LASTNAME <> 'Олегович'")), {"5"}, u"<>");
}

TEST_P(StatementsTest, TheMatchByNameCanUseAnIndex) {
  bool postgres = std::string(GetParam()) == "PostgreSQL";
  // PostgreSQL would scan so small a table whatever its indexes.
  if (postgres) db->ExecuteScript(u"SET enable_seqscan = off");
  auto plan =
      Query(S(std::string(postgres ? "EXPLAIN" : "EXPLAIN QUERY PLAN") +
              " select O_PEOPLEID from O_PEOPLE  where FSTNAME = :FSTNAME and SECNAME = :SECNAME  and "
              "LASTNAME = :LASTNAME and BIRTHDATE = :BIRTHDATE "),
            {{u"FSTNAME", Variant(u"a")},
             {u"SECNAME", Variant(u"b")},
             {u"LASTNAME", Variant(u"c")},
             {u"BIRTHDATE", Date(1970, 2, 1)}});
  std::string text;
  for (auto& line : plan) text += line + "\n";
  EXPECT_NE(text.find(postgres ? "o_people_name_key" : "O_PEOPLE_NAME"), std::string::npos) << text;
}

TEST_P(StatementsTest, DateTextsWithTwelveHourTimes) {
  ExpectRows(Query(S("select ISDATE('31.12.2003 1:30 PM'), ISDATE('31.12.2003 13:30 PM'), "
                     "[dbo].[ConvToDate]('31.12.2003 12:15 AM'), [dbo].[ConvToDate]('01.02.2004 12:00 pm')")),
             {"1|0|31.12.2003 0:15:00|01.02.2004 12:00:00"}, u"12-hour times");
}

TEST_P(StatementsTest, PrintListAndImportChanges) {
  // Print: this user's rows replaced; the login fills O_FILTER.[USER].
  EXPECT_EQ(Exec(u"delete from O_FILTER where [USER] = :USER_NAME", {{u"USER_NAME", Variant(u"tester")}}), 2);
  for (int id : {3, 5})
    Exec(u" insert into O_FILTER (O_PEOPLEID) values(:O_PEOPLEID) ", {{u"O_PEOPLEID", Variant(id)}});
  ExpectRows(Query(u"select [USER], O_PEOPLEID from O_FILTER order by O_PEOPLEID"),
             {"tester|3", "other|4", "tester|5"}, u"O_FILTER");

  // Import: staging rows.
  EXPECT_EQ(Exec(u" delete from BUFFER where [USER] = :U", {{u"U", Variant(u"tester")}}), 2);
  Exec(
      u" insert into BUFFER ([FSTNAME],[SECNAME],[LASTNAME],[SEX],[BIRTHDATE],[DOLGNAME],[PROGNAME], "
      u"[DEPNAME],[VIDEDUNAME],[DATEFINISH],[N],[USER],[COLLAGE_NAME])  "
      u"values(:FSTNAME,:SECNAME,:LASTNAME,:SEX,"
      u":BIRTHDAY,:DOLGNAME,:PROGNAME,  :DEPNAME,:VIDEDUNAME,:DATEFINISH,:N,:U,:C) ",
      {{u"FSTNAME", Variant(S("Сидоров"))},
       {u"SECNAME", Variant(S("Олег"))},
       {u"LASTNAME", Variant(S("Ильич"))},
       {u"SEX", Variant(S("м"))},
       {u"BIRTHDAY", Date(1990, 1, 2)},
       {u"DOLGNAME", Variant(S("инспектор"))},
       {u"PROGNAME", Variant(S("Право"))},
       {u"DEPNAME", Variant(S("Минфин"))},
       {u"VIDEDUNAME", Variant(S("стажировка"))},
       {u"DATEFINISH", Date(2020, 5, 1)},
       {u"N", Variant(1)},
       {u"U", Variant(u"tester")},
       {u"C", Variant(S("Академия"))}});
  ExpectRows(
      Query(
          u"select N, FSTNAME, BIRTHDATE, DATEFINISH, length(BUFFERID) from BUFFER where [USER] = 'tester'"),
      {"1|Сидоров|02.01.1990|01.05.2020|38"}, u"BUFFER");
  // An over-long text fails as on the server, and is not stored.
  EXPECT_THROW(Exec(u" insert into M_SEX (NAME) values(:NAME) ", {{u"NAME", Variant(u"much too long")}}),
               EADOError);

  // New reference entries and their keys.
  Exec(u" insert into M_COLLAGE (NAME) values(:NAME) ", {{u"NAME", Variant(S("Колледж"))}});
  ExpectRows(Query(u" select IDENT_CURRENT('M_COLLAGE')"), {"3"}, u"IDENT_CURRENT");
  Exec(u" insert into M_COLLAGESYNONYM (M_COLLAGEID,NAME) values(:M_COLLAGEID,:NAME) ",
       {{u"M_COLLAGEID", Variant(3)}, {u"NAME", Variant(S("колледж"))}});
  Exec(
      u" insert into M_RAYON_DEP (PARENT_ID,M_VIDDEPID,SHORTNAME,LONGNAME)  "
      u"values(:PARENT_ID,:M_VIDDEPID,:SHORTNAME,"
      u":LONGNAME) ",
      {{u"PARENT_ID", Variant(2)},
       {u"M_VIDDEPID", Variant(4)},
       {u"SHORTNAME", Variant(u"X")},
       {u"LONGNAME", Variant(u"X")}});
  ExpectRows(Query(u" select IDENT_CURRENT('M_RAYON_DEP')"), {"5"}, u"IDENT_CURRENT");
  Exec(u" insert into M_DEPSYNONYM (M_RAYON_DEPID,LONGNAME)  values(:M_RAYON_DEPID,:NAME) ",
       {{u"M_RAYON_DEPID", Variant(5)}, {u"NAME", Variant(u"x")}});
  ExpectRows(Query(u"select count(*), min(length(M_DEPSYNONYMID)) from M_DEPSYNONYM"), {"2|38"},
             u"GUID keys");

  // People: a birth date is filled only where none was given ('00:00:00' or NULL).
  const char* fillBirth =
      " update O_PEOPLE set BIRTHDATE = :BIRTHDATE where O_PEOPLEID = :O_PEOPLEID  and "
      "((BIRTHDATE = '00:00:00')or(BIRTHDATE is null)) ";
  for (auto [id, changed] : {std::pair{1, 0}, {2, 1}, {3, 1}, {5, 0}})
    EXPECT_EQ(Exec(Sql(fillBirth), {{u"BIRTHDATE", Date(1970, 1, 1)}, {u"O_PEOPLEID", Variant(id)}}), changed)
        << id;
  EXPECT_EQ(
      Exec(u" update O_PEOPLE set M_SEXID = :M_SEXID,DOLGNAME = :DOLGNAME  where O_PEOPLEID = :O_PEOPLEID ",
           {{u"M_SEXID", Variant(2)}, {u"DOLGNAME", Variant(u"x")}, {u"O_PEOPLEID", Variant(3)}}),
      1);
  Exec(
      u" insert into O_PEOPLE (FSTNAME,SECNAME,LASTNAME,BIRTHDATE,M_SEXID,M_KATID,M_RAYON_DEPID,DOLGNAME)  "
      u"values(:FSTNAME,:SECNAME,:LASTNAME,:BIRTHDATE,:M_SEXID,:M_KATID,:M_RAYON_DEPID,:DOLGNAME) ",
      {{u"FSTNAME", Variant(S("Сидоров"))},
       {u"SECNAME", Variant(S("Олег"))},
       {u"LASTNAME", Variant(S("Ильич"))},
       {u"BIRTHDATE", Date(1990, 1, 2)},
       {u"M_SEXID", Variant(1)},
       {u"M_KATID", Null()},
       {u"M_RAYON_DEPID", Variant(4)},
       {u"DOLGNAME", Variant(S("инспектор"))}});
  ExpectRows(Query(u" select IDENT_CURRENT('O_PEOPLE')"), {"6"}, u"IDENT_CURRENT");
  Exec(
      u" insert into O_PEOPLESYNONYM (O_PEOPLEID,FSTNAME,SECNAME,LASTNAME,BIRTHDATE)  "
      u"values(:O_PEOPLEID,:FSTNAME,"
      u":SECNAME,:LASTNAME,:BIRTHDATE) ",
      {{u"O_PEOPLEID", Variant(6)},
       {u"FSTNAME", Variant(u"S")},
       {u"SECNAME", Variant(u"O")},
       {u"LASTNAME", Variant(u"I")},
       {u"BIRTHDATE", Date(1990, 1, 2)}});
  EXPECT_EQ(Exec(u" update O_PEOPLE set DOLGNAME = :DOLGNAME where O_PEOPLEID = :O_PEOPLEID ",
                 {{u"DOLGNAME", Variant(u"y")}, {u"O_PEOPLEID", Variant(6)}}),
            1);
  // Training: the natural key decides between update and insert.
  Params key = {{u"O_PEOPLEID", Variant(6)},
                {u"M_COLLAGEID", Variant(1)},
                {u"M_KATEDUID", Variant(1)},
                {u"DATEFINISH", Date(2020, 5, 1)},
                {u"PROGNAME", Variant(u"p")}};
  EXPECT_EQ(Exec(u" update O_EDU set PROGNAME = :PROGNAME where O_PEOPLEID = :O_PEOPLEID  and M_COLLAGEID = "
                 u":M_COLLAGEID and M_KATEDUID = :M_KATEDUID  and DATEFINISH = :DATEFINISH ",
                 key),
            0);
  EXPECT_EQ(
      Exec(u" insert into O_EDU (O_PEOPLEID,M_COLLAGEID,M_KATEDUID,DATEFINISH,PROGNAME)  values (:O_PEOPLEID,"
           u":M_COLLAGEID,:M_KATEDUID,:DATEFINISH,:PROGNAME) ",
           key),
      1);
  ExpectRows(Query(u"select O_PEOPLEID, DATEFINISH, PROGNAME from O_EDU where O_EDUID = 4"),
             {"6|01.05.2020|p"}, u"O_EDU");

  // Reference window: a node deleted by key.
  EXPECT_EQ(Exec(u" delete from M_RAYON_DEP where M_RAYON_DEPID  = 5"), 1);
}

INSTANTIATE_TEST_SUITE_P(Drivers, StatementsTest, ::testing::Values("SQLite", "PostgreSQL"),
                         [](const auto& info) { return std::string(info.param); });

}  // namespace
