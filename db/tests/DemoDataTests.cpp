#include <gtest/gtest.h>

#include "db/DemoData.h"
#include "db/Schema.h"
#include "platform/ado/DbDriver.h"
#include "platform/ado/testing/TempFolder.h"
#include "platform/rtl/String.h"

namespace {

std::string Value(TDbConnection& c, const char* sql) {
  auto st = c.Prepare(Utf8ToString(sql));
  st->Execute();
  if (!st->Next()) return "none";
  return st->IsNull(0) ? "NULL" : StringToUtf8(VarToStr(st->Value(0)));
}

std::unique_ptr<TDbConnection> Open(const String& file) {
  TDbConnectParams p;
  p.DataSource = file;
  return CreateDbDriver(u"SQLite")->Connect(p);
}

TEST(Database, ReferenceRows) {
  TTempFolder folder;
  auto c = Open(folder.NewDatabase("ref.db"));
  CreateDatabase(*c);
  EXPECT_EQ(
      Value(*c,
            "select group_concat(M_SEXID || '=' || NAME, ',') from (select * from M_SEX order by M_SEXID)"),
      "1=мужской,2=женский");
  EXPECT_EQ(Value(*c, "select group_concat(M_VIDDEPID, ',') from (select * from M_VIDDEP order by 1)"),
            "1,2,3,4");
  EXPECT_EQ(Value(*c, "select M_RAYON_DEPID || ':' || PARENT_ID || ':' || M_VIDDEPID from M_RAYON_DEP"),
            "1:0:3");
  EXPECT_EQ(Value(*c, "select count(*) from O_PEOPLE"), "0");
}

TEST(Database, MissingTablesNamesWhatAnUnusableDatabaseLacks) {
  TTempFolder folder;
  auto c = Open(folder.NewDatabase("edu.db"));
  EXPECT_EQ(MissingTables(*c).size(), SchemaTables().size());
  CreateDatabase(*c);
  EXPECT_TRUE(MissingTables(*c).empty());
  c->ExecuteScript(u"DROP TABLE O_FILTER");
  auto missing = MissingTables(*c);
  ASSERT_EQ(missing.size(), 1u);
  EXPECT_EQ(missing[0], u"O_FILTER");
}

TEST(DemoData, PlausibleAndConsistent) {
  TTempFolder folder;
  TDemoDataOptions options;
  options.People = 400;
  options.Seed = 7;
  CreateDemoDatabase(folder.File("demo.db"), options);
  auto c = Open(folder.File("demo.db"));
  EXPECT_EQ(Value(*c, "select count(*) from O_PEOPLE"), "400");
  // Every card works at an organisation of the tree, never at a territory.
  EXPECT_EQ(
      Value(*c,
            "select count(*) from O_PEOPLE p left join M_RAYON_DEP d on d.M_RAYON_DEPID = p.M_RAYON_DEPID "
            "where d.M_VIDDEPID is null or d.M_VIDDEPID = 3"),
      "0");
  // Every node below the top hangs under an existing node.
  EXPECT_EQ(Value(*c,
                  "select count(*) from M_RAYON_DEP n where n.PARENT_ID <> 0 and not exists "
                  "(select * from M_RAYON_DEP p where p.M_RAYON_DEPID = n.PARENT_ID)"),
            "0");
  // Women's patronymics and men's agree with the sex.
  EXPECT_EQ(Value(*c, "select count(*) from O_PEOPLE where M_SEXID = 2 and LASTNAME not like '%на'"), "0");
  EXPECT_EQ(Value(*c, "select count(*) from O_PEOPLE where M_SEXID = 1 and LASTNAME like '%на'"), "0");
  EXPECT_EQ(
      Value(*c,
            "select count(*) from O_EDU e where not exists (select * from O_PEOPLE p where p.O_PEOPLEID = "
            "e.O_PEOPLEID)"),
      "0");
  int trainings = std::stoi(Value(*c, "select count(*) from O_EDU"));
  EXPECT_GT(trainings, 400);
  EXPECT_LT(trainings, 800);
  // The same seed gives the same people.
  CreateDemoDatabase(folder.File("again.db"), options);
  auto again = Open(folder.File("again.db"));
  EXPECT_EQ(Value(*c,
                  "select group_concat(FSTNAME, ',') from (select FSTNAME from O_PEOPLE order by O_PEOPLEID "
                  "limit 20)"),
            Value(*again,
                  "select group_concat(FSTNAME, ',') from (select FSTNAME from O_PEOPLE order by O_PEOPLEID "
                  "limit 20)"));
}

}  // namespace
