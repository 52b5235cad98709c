// The database of an installation folder (as scripts/run prepares it): a demo database and the
// data-link file naming it are made only where no database exists; an existing file is checked
// without being changed, and one the program cannot use is kept as it is, with the reason.
#pragma once

#include "db/DemoData.h"
#include "platform/rtl/Types.h"

// What keeps the program from using an existing database file (it is no database, or lacks some of
// the program's tables); empty when it is usable. The file is opened read-only and left unchanged.
String DatabaseProblem(const String& fileName);

struct TInstallDatabase {
  bool Created = false;  // a new demo database was made
  String Problem;        // why the existing database was kept and not used; empty when ready
};

// Makes <folder>/edu.db with demo data when it does not exist, and <folder>/Trenvik.udl naming it
// when that is missing.
TInstallDatabase PrepareInstallDatabase(const String& folder, const TDemoDataOptions& options);
