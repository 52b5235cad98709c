#include <gtest/gtest.h>

#include "platform/ado/SqlDialect.h"
#include "platform/ado/SqlTokens.h"
#include "platform/rtl/String.h"

namespace {

TSqlDialectSchema TestSchema() {
  TSqlDialectSchema s;
  s.IsDateColumn = [](const String& c) { return SameName(c, u"BIRTHDATE") || SameName(c, u"DATEFINISH"); };
  return s;
}

struct Case {
  const char* input;
  const char* expected;
};

TEST(SqlDialect, TranslatesTheServerDialect) {
  const Case cases[] = {
      // Qualifiers go, names inside literals and comments stay.
      {"select dbo.[GetfullParentNameDep](M_RAYON_DEPID,1) as FullDepName from M_RAYON_DEP",
       "select GetfullParentNameDep(M_RAYON_DEPID,1) as FullDepName from M_RAYON_DEP"},
      {"select [dbo].[GetfullParentNameDep] (M_RAYON_DEPID,0) from T",
       "select GetfullParentNameDep (M_RAYON_DEPID,0) from T"},
      {"select 'dbo.x [dbo].y TOP 5' -- dbo.z TOP 1\n from T",
       "select 'dbo.x [dbo].y TOP 5' -- dbo.z TOP 1\n from T"},
      {"select N'Иванов', 'it''s' from T", "select 'Иванов', 'it''s' from T"},
      // TOP n becomes LIMIT n at the end of its own select.
      {"select TOP 1 M_SEXID from M_SEX  order by M_SEXID ",
       "select M_SEXID from M_SEX  order by M_SEXID LIMIT 1 "},
      {"select DISTINCT top 1 RTRIM(LTRIM(COLLAGE_NAME)) from BUFFER  where [USER] = :U ",
       "select DISTINCT RTRIM(LTRIM(COLLAGE_NAME)) from BUFFER  where [USER] = :U LIMIT 1 "},
      {"select * from (select top 2 A from T order by A) x",
       "select * from (select A from T order by A LIMIT 2) x"},
      // CONVERT in both spellings and any spacing.
      {"where D = convert(datetime,'01.02.2003',104)", "where D = CONVERT_DATETIME('01.02.2003',104)"},
      {"where D >=  CONVERT( DATETIME , '01.02.2003' , 104 ) ",
       "where D >=  CONVERT_DATETIME( '01.02.2003' , 104 ) "},
      {"select CONVERT(int, '12')", "select CAST( '12' AS int)"},
      // A text compared with a date column is the date the server reads in it.
      {"where ((BIRTHDATE = '00:00:00')or(BIRTHDATE is null))",
       "where ((BIRTHDATE = 2.0)or(BIRTHDATE is null))"},
      {"where '31.12.2003' < O_EDU.DATEFINISH", "where 37986.0 < O_EDU.DATEFINISH"},
      {"where NAME = '00:00:00'", "where NAME = '00:00:00'"},
      // DISTINCT stays: rows carrying a nullable key need not be distinct.
      {"SELECT DISTINCT O_PEOPLE.O_PEOPLEID, O_PEOPLE.FSTNAME\r\nFROM O_PEOPLE   \r\nORDER BY  "
       "O_PEOPLE.FSTNAME",
       "SELECT DISTINCT O_PEOPLE.O_PEOPLEID, O_PEOPLE.FSTNAME\r\nFROM O_PEOPLE   \r\nORDER BY  "
       "O_PEOPLE.FSTNAME"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(StringToUtf8(TranslateToSqlite(Utf8ToString(c.input), TestSchema())), c.expected) << c.input;
}

TEST(SqlDialect, PostgresNamesAreFoldedAndQuotedSafely) {
  std::vector<String> params;
  EXPECT_EQ(StringToUtf8(TranslateToPostgres(u"select [USER], [A\"B] from [O_FILTER] where \"X\"\"Y\" = :P",
                                             TestSchema(), params)),
            "select \"user\", \"a\"\"b\" from \"o_filter\" where \"x\"\"y\" = $1");
  EXPECT_EQ(StringToUtf8(QuotePostgresName(u"Bad\"; DROP TABLE x; --")), "\"bad\"\"; drop table x; --\"");
}

TEST(SqlDialect, PostgresTextComparisonsIgnoreTrailingBlanks) {
  TSqlDialectSchema schema = TestSchema();
  schema.IsServerTextColumn = [](const String& c) {
    return SameName(c, u"FSTNAME") || SameName(c, u"NAME") || SameName(c, u"USER");
  };
  const Case cases[] = {
      // The filter's conditions, plain and negated.
      {"where ( UPPER(O_PEOPLE.FSTNAME) LIKE 'ИВ%') AND x = 1",
       "where ( server_like(UPPER(O_PEOPLE.FSTNAME), 'ИВ%')) AND x = 1"},
      {"where not( UPPER(O_PEOPLE.FSTNAME) LIKE 'ИВАНОВ')",
       "where not( server_like(UPPER(O_PEOPLE.FSTNAME), 'ИВАНОВ'))"},
      {"where Upper(NAME) like '%ГОС%'", "where server_like(Upper(NAME), '%ГОС%')"},
      {"where NAME NOT LIKE :P", "where NOT server_like(NAME, $1)"},
      // "=" with a text column and a value, either way round; other columns stay.
      {"where FSTNAME = :FSTNAME and N = :N", "where server_key(FSTNAME) = server_key($1) and N = $2"},
      {"where 'x' <> M_COLLAGE.NAME", "where server_key('x') <> server_key(M_COLLAGE.NAME)"},
      {"where [USER] = :U", "where server_key(\"user\") = server_key($1)"},
      // Left alone: an ESCAPE, a stronger operator, a column against a column.
      {"where NAME LIKE 'a!%' ESCAPE '!'", "where NAME LIKE 'a!%' ESCAPE '!'"},
      {"where NAME = 'a' || 'b'", "where NAME = 'a' || 'b'"},
      {"where a.NAME = b.NAME", "where a.NAME = b.NAME"},
      {"update T set N = :N, NAME = :NAME where NAME = 'a'",
       "update T set N = $1, NAME = $2 where server_key(NAME) = server_key('a')"},
  };
  for (const Case& c : cases) {
    std::vector<String> params;
    EXPECT_EQ(StringToUtf8(TranslateToPostgres(Utf8ToString(c.input), schema, params)), c.expected)
        << c.input;
  }
  // A database without the server's text functions gets its statements as written.
  std::vector<String> params;
  EXPECT_EQ(StringToUtf8(TranslateToPostgres(u"where NAME LIKE 'a'", TestSchema(), params)),
            "where NAME LIKE 'a'");
}

TEST(SqlDialect, TableFunctionBecomesSubtreeSelect) {
  String out = TranslateToSqlite(
      u"EXISTS (SELECT * FROM [DBO].[GETDESCENDANTDEP](7, 1) AS G  WHERE G.ID = O_PEOPLE.M_RAYON_DEPID)",
      TestSchema());
  std::string s = StringToUtf8(out);
  EXPECT_EQ(s.find("GETDESCENDANTDEP"), std::string::npos) << s;
  EXPECT_NE(s.find("WITH RECURSIVE"), std::string::npos) << s;
  EXPECT_NE(s.find(") AS G  WHERE G.ID = O_PEOPLE.M_RAYON_DEPID)"), std::string::npos) << s;
}

TEST(SqlTokens, ParamsAreFoundOutsideLiteralsOnly) {
  auto names = ParseSqlParams(
      u"insert into T (A, B) values(:FSTNAME, ':NOT') -- :NOR\n /* :NEITHER */ where x = :U and y = :u and "
      u"z = CAST(q AS int)::text and [a:b] = :BIRTHDAY");
  ASSERT_EQ(names.size(), 3u);
  EXPECT_EQ(names[0], u"FSTNAME");
  EXPECT_EQ(names[1], u"U");
  EXPECT_EQ(names[2], u"BIRTHDAY");
}

TEST(SqlTokens, UnterminatedLiteralRunsToTheEnd) {
  auto tokens = TokenizeSql(u"select 'abc");
  ASSERT_EQ(tokens.back().Kind, TSqlTokenKind::String);
  EXPECT_EQ(JoinSqlTokens(tokens), u"select 'abc");
}

}  // namespace
