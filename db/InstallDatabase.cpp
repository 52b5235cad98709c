#include "db/InstallDatabase.h"

#include <vector>

#include "db/Schema.h"
#include "platform/ado/DataLinkFile.h"
#include "platform/ado/DbDriver.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/String.h"

String DatabaseProblem(const String& fileName) {
  TDbConnectParams params;
  params.DataSource = fileName;
  // Read mode: a writable connection would switch a foreign database to write-ahead logging.
  params.Options.emplace_back(u"Mode", u"Read");
  std::vector<String> missing;
  try {
    auto connection = CreateDbDriver(u"SQLite")->Connect(params);
    missing = MissingTables(*connection);
  } catch (const Exception& e) {
    return e.Message();
  }
  if (missing.empty()) return String();
  String problem = fileName + u": no table";
  for (size_t i = 0; i < missing.size(); ++i) problem += (i ? u", " : u" ") + missing[i];
  return problem;
}

TInstallDatabase PrepareInstallDatabase(const String& folder, const TDemoDataOptions& options) {
  String base = IncludeTrailingPathDelimiter(folder);
  String database = base + u"edu.db";
  TInstallDatabase result;
  if (FileExists(database)) {
    result.Problem = DatabaseProblem(database);
    if (!result.Problem.empty()) return result;
  } else {
    CreateDemoDatabase(database, options);
    result.Created = true;
  }
  String udl = base + u"Trenvik.udl";
  if (result.Created || !FileExists(udl)) WriteDataLinkFile(udl, u"Provider=SQLite;Data Source=edu.db");
  return result;
}
