// Demo data: realistic Russian names, a tree of territories and bodies, institutions, kinds of
// training and courses, from a few hundred people to a million.
#pragma once

#include "platform/rtl/Types.h"

class TDbConnection;

struct TDemoDataOptions {
  int People = 500;
  unsigned Seed = 1;
  // Training records per person on average (0 to 3 each).
  double TrainingPerPerson = 1.5;
};

// Adds the demo rows to a database that holds the schema and the reference rows.
void GenerateDemoData(TDbConnection& connection, const TDemoDataOptions& options);

// A new SQLite database file (an existing file is replaced) with the schema, reference rows and
// demo data for the given number of people.
void CreateDemoDatabase(const String& fileName, const TDemoDataOptions& options);
