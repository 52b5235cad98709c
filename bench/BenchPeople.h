// What the benchmarks over the people list share: the demo database of a given size, built once
// into the working folder (bench-people-<n>.db) and reused by every such benchmark, and the
// process's resident memory.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "db/DemoData.h"
#include "platform/ado/ADODB.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/String.h"

// The program's people list: its statement and its seven columns.
inline const char* const kBenchPeopleList =
    "SELECT O_PEOPLE.O_PEOPLEID, O_PEOPLE.FSTNAME, O_PEOPLE.SECNAME, O_PEOPLE.LASTNAME, "
    "O_PEOPLE.M_RAYON_DEPID, "
    "O_PEOPLE.M_RECORDSTATUSID, O_PEOPLE.BIRTHDATE FROM O_PEOPLE ORDER BY O_PEOPLE.FSTNAME, O_PEOPLE.SECNAME";
inline const char16_t* const kBenchPeopleColumns[] = {
    u"O_PEOPLEID", u"FSTNAME", u"SECNAME", u"LASTNAME", u"M_RAYON_DEPID", u"M_RECORDSTATUSID", u"BIRTHDATE"};

// The number of people a bench runs over: TRENVIK_BENCH_PEOPLE when set (a smaller list for an
// instruction count under callgrind), else Default.
inline int BenchPeopleCount(int defaultCount) {
  const char* text = std::getenv("TRENVIK_BENCH_PEOPLE");
  const int count = text ? std::atoi(text) : 0;
  return count > 0 ? count : defaultCount;
}

inline String BenchPeopleDatabase(int people) {
  String file = Utf8ToString("bench-people-" + std::to_string(people) + ".db");
  if (!FileExists(file)) {
    TDemoDataOptions options;
    options.People = people;
    CreateDemoDatabase(file, options);
  }
  return file;
}

// A copy of the demo database of that size for a bench that changes it (bench-people-<n>-<name>.db),
// made afresh from the shared one.
inline String BenchPeopleScratchCopy(int people, const char* name) {
  const std::string source = StringToUtf8(BenchPeopleDatabase(people));
  const std::string copy = "bench-people-" + std::to_string(people) + "-" + name + ".db";
  // A write-ahead log not yet folded into the database file holds part of its content.
  for (const char* suffix : {"", "-wal"}) {
    std::filesystem::remove(copy + suffix);
    if (std::filesystem::exists(source + suffix))
      std::filesystem::copy_file(source + suffix, copy + suffix);
  }
  std::filesystem::remove(copy + "-shm");
  return Utf8ToString(copy);
}

// A static-cursor query of Sql over the demo database of that size (or over Database, a copy of
// it), on a connection of its own; both belong to Owner.
inline TADOQuery* BenchPeopleQuery(TComponent* owner, int people, const char* sql, const String& database = String()) {
  auto* connection = new TADOConnection(owner);
  connection->SetLoginPrompt(false);
  connection->SetConnectionString(u"Provider=SQLite;Data Source=" +
                                  (database.empty() ? BenchPeopleDatabase(people) : database));
  auto* query = new TADOQuery(owner);
  query->SetConnection(connection);
  query->SetCursorType(ctStatic);
  query->SetCommandTimeout(300);
  query->SQL()->SetText(Utf8ToString(sql));
  return query;
}

// A memory line of /proc/self/status in megabytes: "VmRSS:" now, "VmHWM:" at its peak.
inline double ResidentMB(const char* key) {
  std::ifstream in("/proc/self/status");
  std::string line;
  while (std::getline(in, line))
    if (line.rfind(key, 0) == 0) return std::stod(line.substr(std::string(key).size())) / 1024.0;
  return 0;
}
