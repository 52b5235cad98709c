// trenvik-demo-db <file> <people> [<udl>]: a new database file with demo data, and optionally the
// data-link file that names it (as the program's installation folder holds them).
// trenvik-demo-db --check <file>: exits 0 when the file is a database holding the program's tables.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <vector>

#include "db/DemoData.h"
#include "db/Schema.h"
#include "platform/ado/DataLinkFile.h"
#include "platform/ado/DbDriver.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/ModuleInit.h"
#include "platform/rtl/String.h"

void RegisterDbModules();

namespace {

// Whether an existing file is a usable database; says why not on stderr.
bool CheckDatabase(const String& file) {
  TDbConnectParams params;
  params.DataSource = file;
  auto c = CreateDbDriver(u"SQLite")->Connect(params);
  std::vector<String> missing = MissingTables(*c);
  for (auto& table : missing)
    std::fprintf(stderr, "%s: no table %s\n", StringToUtf8(file).c_str(), StringToUtf8(table).c_str());
  return missing.empty();
}

}  // namespace

int main(int argc, char** argv) {
  bool check = argc == 3 && std::string(argv[1]) == "--check";
  if (argc != 3 && argc != 4) {
    std::fprintf(stderr, "usage: %s <file> <people> [<udl>]\n       %s --check <file>\n", argv[0], argv[0]);
    return 2;
  }
  RegisterDbModules();
  InitializeModules();
  int code = 0;
  try {
    if (check) {
      code = CheckDatabase(Utf8ToString(argv[2])) ? 0 : 1;
      FinalizeModules();
      return code;
    }
    TDemoDataOptions options;
    options.People = std::atoi(argv[2]);
    String file = Utf8ToString(argv[1]);
    auto start = std::chrono::steady_clock::now();
    CreateDemoDatabase(file, options);
    auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
    std::printf("%s: %d people in %lld ms\n", argv[1], options.People, static_cast<long long>(ms));
    if (argc == 4) {
      // The database lies beside the data-link file, named relative to it.
      String udl = Utf8ToString(argv[3]);
      String dataSource = ExtractFilePath(ExpandFileName(udl)) == ExtractFilePath(ExpandFileName(file))
                              ? ExtractFileName(file)
                              : ExpandFileName(file);
      WriteDataLinkFile(udl, u"Provider=SQLite;Data Source=" + dataSource);
      std::printf("%s: names %s\n", argv[3], StringToUtf8(dataSource).c_str());
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    code = 1;
  }
  FinalizeModules();
  return code;
}
