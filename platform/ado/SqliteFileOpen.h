// How the SQLite driver opens a database file: an existing file only (creating one is the tools'
// job), and read-only when the file or its folder cannot be written, so a database on a read-only
// share can still be browsed.
#pragma once

#include <string>

#include "platform/ado/DbDriver.h"

struct TSqliteOpenPlan {
  std::string Name;  // the file, or a "file:" URI when the open needs URI parameters
  int Flags = 0;     // for sqlite3_open_v2
  bool ReadOnly = false;
};

// EADOError naming the file when it does not exist (and may not be created).
TSqliteOpenPlan PlanSqliteOpen(const TDbConnectParams& params);
