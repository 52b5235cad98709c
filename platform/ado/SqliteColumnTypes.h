// Field types of SQLite result columns. A column read straight from a table has the type its table
// declares; an expression (an aggregate, a function call, a literal, arithmetic, a view's computed
// column) has none in SQLite, so its type is read from the statement's text: the same for an empty
// result as for one with rows.
#pragma once

#include <functional>

#include "platform/ado/DbDriver.h"

struct TSqlColumnType {
  TDbType Type = TDbType::Unknown;
  int Size = 0;  // characters, for WideString and Guid
};

// The field type and size a declared column type ("NVARCHAR(50)", "DATETIME") stands for.
TSqlColumnType TypeFromDecl(const char* decl);

struct TSqlSchemaLookup {
  // The declared type of a column of a table or view; Unknown when it has none or is not there.
  std::function<TSqlColumnType(const String& table, const String& column)> ColumnType;
  // The text of a view's definition; empty when the name is no view.
  std::function<String(const String& name)> ViewSql;
};

// The type of the result column at index (named name) of a SELECT, from its expression; Unknown
// when the text does not tell (a parameter, NULL, a function the driver does not know).
TSqlColumnType SqlExpressionColumnType(const String& sql, int index, const String& name,
                                       const TSqlSchemaLookup& schema);
