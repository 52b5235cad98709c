// trenvik-demo-db <file> <people> [<udl>]: a new database file with demo data, and optionally the
// data-link file that names it (as the program's installation folder holds them).
// trenvik-demo-db --check <file>: exits 0 when the file is a database holding the program's tables.
// trenvik-demo-db --install <folder> <people>: the installation folder's edu.db and Trenvik.udl,
// made only where no database exists; exits 1 with the reason when the existing one is unusable.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

#include "db/DemoData.h"
#include "db/InstallDatabase.h"
#include "platform/ado/DataLinkFile.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/ModuleInit.h"
#include "platform/rtl/String.h"

void RegisterDbModules();

namespace {

int Check(const String& file) {
  String problem = DatabaseProblem(file);
  if (problem.empty()) return 0;
  std::fprintf(stderr, "%s\n", StringToUtf8(problem).c_str());
  return 1;
}

int Install(const String& folder, int people) {
  TDemoDataOptions options;
  options.People = people;
  TInstallDatabase result = PrepareInstallDatabase(folder, options);
  if (!result.Problem.empty()) {
    std::fprintf(stderr, "%s\n", StringToUtf8(result.Problem).c_str());
    return 1;
  }
  if (result.Created) std::printf("%s: a demo database of %d people\n", StringToUtf8(folder).c_str(), people);
  return 0;
}

int Create(const String& file, int people, const char* udlArgument) {
  TDemoDataOptions options;
  options.People = people;
  auto start = std::chrono::steady_clock::now();
  CreateDemoDatabase(file, options);
  auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
  std::printf("%s: %d people in %lld ms\n", StringToUtf8(file).c_str(), people, static_cast<long long>(ms));
  if (udlArgument) {
    // The database lies beside the data-link file, named relative to it.
    String udl = Utf8ToString(udlArgument);
    String dataSource = ExtractFilePath(ExpandFileName(udl)) == ExtractFilePath(ExpandFileName(file))
                            ? ExtractFileName(file)
                            : ExpandFileName(file);
    WriteDataLinkFile(udl, u"Provider=SQLite;Data Source=" + dataSource);
    std::printf("%s: names %s\n", udlArgument, StringToUtf8(dataSource).c_str());
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::string mode = argc > 1 ? argv[1] : "";
  bool check = argc == 3 && mode == "--check";
  bool install = argc == 4 && mode == "--install";
  bool create = (argc == 3 || argc == 4) && !mode.starts_with("--");
  if (!check && !install && !create) {
    std::fprintf(stderr, "usage: %s <file> <people> [<udl>]\n", argv[0]);
    std::fprintf(stderr, "       %s --check <file>\n       %s --install <folder> <people>\n", argv[0], argv[0]);
    return 2;
  }
  RegisterDbModules();
  InitializeModules();
  int code = 1;
  try {
    if (check)
      code = Check(Utf8ToString(argv[2]));
    else if (install)
      code = Install(Utf8ToString(argv[2]), std::atoi(argv[3]));
    else
      code = Create(Utf8ToString(argv[1]), std::atoi(argv[2]), argc == 4 ? argv[3] : nullptr);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
  }
  FinalizeModules();
  return code;
}
