#include "platform/ado/SqliteFileOpen.h"

#include <sqlite3.h>
#include <unistd.h>

#include "platform/ado/SqlTokens.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/String.h"

namespace {

bool Writable(const std::string& path) { return access(path.c_str(), W_OK) == 0; }

std::string FolderOf(const std::string& file) {
  size_t slash = file.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : file.substr(0, slash);
}

// A file name as the path of a "file:" URI: '%', '?' and '#' would be read as URI syntax.
std::string UriPath(const std::string& file) {
  static const char hex[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : file) {
    if (c == '%' || c == '?' || c == '#') {
      out += '%';
      out += hex[c >> 4];
      out += hex[c & 15];
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

bool ReadModeAsked(const TDbConnectParams& params) {
  for (auto& [name, value] : params.Options)
    if (SameName(name, u"Mode") && SameName(value, u"Read")) return true;
  return false;
}

}  // namespace

TSqliteOpenPlan PlanSqliteOpen(const TDbConnectParams& params) {
  if (params.DataSource.empty()) throw EADOError("No data source given for the database");
  TSqliteOpenPlan plan;
  plan.Name = StringToUtf8(params.DataSource);
  plan.Flags = SQLITE_OPEN_NOMUTEX;
  bool exists = FileExists(params.DataSource);
  if (!exists && !params.CreateIfMissing)
    throw EADOError(u"Cannot open database \"" + params.DataSource + u"\": the file does not exist");
  if (!exists) {
    plan.Flags |= SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
    return plan;
  }
  std::string folder = FolderOf(plan.Name);
  bool folderWritable = Writable(folder);
  plan.ReadOnly = ReadModeAsked(params) || !Writable(plan.Name) || !folderWritable;
  if (!plan.ReadOnly) {
    plan.Flags |= SQLITE_OPEN_READWRITE;
    return plan;
  }
  plan.Flags |= SQLITE_OPEN_READONLY;
  // A journal file (WAL index, or a write-ahead log left behind) cannot be made in a folder nobody
  // may write; without one the file is read as it stands.
  if (!folderWritable && !FileExists(params.DataSource + u"-wal")) {
    plan.Flags |= SQLITE_OPEN_URI;
    plan.Name = "file:" + UriPath(plan.Name) + "?immutable=1";
  }
  return plan;
}
