#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "db/InstallDatabase.h"
#include "db/Schema.h"
#include "platform/ado/DataLinkFile.h"
#include "platform/ado/DbDriver.h"
#include "platform/ado/testing/TempFolder.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/String.h"

namespace {

std::string Bytes(const String& file) {
  std::ifstream in(StringToUtf8(file), std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const String& file, const std::string& bytes) {
  std::ofstream(StringToUtf8(file), std::ios::binary) << bytes;
}

TDemoDataOptions FewPeople() {
  TDemoDataOptions options;
  options.People = 5;
  return options;
}

TEST(InstallDatabase, MadeWhereNoneExistsThenKept) {
  TTempFolder folder;
  TInstallDatabase first = PrepareInstallDatabase(folder.Path(), FewPeople());
  EXPECT_TRUE(first.Created);
  EXPECT_EQ(first.Problem, u"");
  EXPECT_EQ(DatabaseProblem(folder.File("edu.db")), u"");
  EXPECT_EQ(ReadDataLinkFile(folder.File("Trenvik.udl")), u"Provider=SQLite;Data Source=edu.db");

  std::string before = Bytes(folder.File("edu.db"));
  TInstallDatabase second = PrepareInstallDatabase(folder.Path(), FewPeople());
  EXPECT_FALSE(second.Created);
  EXPECT_EQ(second.Problem, u"");
  EXPECT_EQ(Bytes(folder.File("edu.db")), before);
}

// A damaged file and a database of another program are kept byte for byte, with the reason; the
// check opens neither for writing (which would switch the foreign one to write-ahead logging).
TEST(InstallDatabase, UnusableDatabaseIsKeptWithTheReason) {
  struct Case {
    const char* name;
    std::string expectedInProblem;
  };
  for (const Case& c : {Case{"damaged", "not a database"}, Case{"foreign", "no table"}}) {
    SCOPED_TRACE(c.name);
    TTempFolder folder;
    String database = folder.File("edu.db");
    if (std::string(c.name) == "damaged") {
      WriteBytes(database, std::string(4096, 'x'));
    } else {
      TDbConnectParams params;
      params.DataSource = folder.NewDatabase("edu.db");
      CreateDbDriver(u"SQLite")->Connect(params)->ExecuteScript(
          u"PRAGMA journal_mode=DELETE; CREATE TABLE NOTES (ID INTEGER, BODY TEXT)");
    }
    std::string before = Bytes(database);

    TInstallDatabase result = PrepareInstallDatabase(folder.Path(), FewPeople());
    EXPECT_FALSE(result.Created);
    EXPECT_NE(StringToUtf8(result.Problem).find(c.expectedInProblem), std::string::npos)
        << StringToUtf8(result.Problem);
    EXPECT_EQ(Bytes(database), before);
    EXPECT_FALSE(FileExists(database + u"-wal"));
    EXPECT_FALSE(FileExists(folder.File("Trenvik.udl")));
  }
}

}  // namespace
