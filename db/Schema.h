// The program's database: its tables, views and server-side functions, the reference rows every
// database starts with, and a generator of realistic demo data.
#pragma once

#include <vector>

#include "platform/rtl/Types.h"

class TDbConnection;

enum class TSchemaType { Identity, Int, NVarChar, DateTime, Guid, Age };

struct TSchemaColumn {
  const char* Name;
  TSchemaType Type;
  int Size = 0;        // characters, for NVarChar
  bool Key = false;    // the table's key
  bool Login = false;  // defaults to the connection's login name
};

struct TSchemaTable {
  const char* Name;
  std::vector<TSchemaColumn> Columns;
};

// The tables in creation order, with their columns in the order "select *" returns them.
const std::vector<TSchemaTable>& SchemaTables();

// The creation script of an empty SQLite database: tables, indexes and views (the functions are the
// driver's).
String SqliteSchemaScript();
// The same for PostgreSQL, with the server-side functions.
String PostgresSchemaScript();

// Creates the schema (in the connection's dialect) and the reference rows (sexes, kinds of node, the top node
// of the tree).
void CreateDatabase(TDbConnection& connection);
// The program's tables the database lacks (none in a usable database).
std::vector<String> MissingTables(TDbConnection& connection);
void InsertReferenceData(TDbConnection& connection);
