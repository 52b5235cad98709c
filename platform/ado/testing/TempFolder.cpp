#include "platform/ado/testing/TempFolder.h"

#include <stdlib.h>

#include <filesystem>
#include <stdexcept>

#include "platform/ado/DbDriver.h"
#include "platform/rtl/String.h"

TTempFolder::TTempFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "trenvik-ado-XXXXXX").string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot create a temporary folder");
  path_ = Utf8ToString(pattern + "/");
}

TTempFolder::~TTempFolder() {
  std::error_code ec;
  std::filesystem::remove_all(StringToUtf8(path_), ec);
}

String TTempFolder::File(const char* name) const { return path_ + Utf8ToString(name); }

String TTempFolder::NewDatabase(const char* name) const {
  TDbConnectParams params;
  params.DataSource = File(name);
  params.CreateIfMissing = true;
  CreateDbDriver(u"SQLite")->Connect(params);
  return params.DataSource;
}
