// The embedded SQLite driver: WAL journal and a busy time-out, so several copies of the program can
// share one database file; the server dialect translated; the server-side functions and the text
// collation registered on every connection.
//
// Dates are stored as REAL day numbers (TDateTime: days since 1899-12-30, the fraction the time of
// day), so comparison and ordering are numeric; the program's day 0 is 0.0 and a missing date NULL.
// Text literals compared with date-time columns are converted as the server converts them
// ('00:00:00' is 1900-01-01, day 2).
#pragma once

#include "platform/ado/DbDriver.h"

// The collation name the schema gives its text columns.
inline constexpr const char* kServerCollation = "NOCASE_RU";

// Registers the driver under the provider name "SQLite" (the default).
void RegisterSqliteDriver();

struct sqlite3;
// For tools that fill a database quickly: the raw handle of an SQLite connection (nullptr for
// other drivers).
sqlite3* SqliteHandle(TDbConnection& connection);
