// Translation of the server dialect the program writes into SQLite's, token by token.
#pragma once

#include <functional>
#include <vector>

#include "platform/rtl/Types.h"

struct TSqlDialectSchema {
  // True for a date-time column name (any table): a text literal compared with it becomes a date.
  std::function<bool(const String& column)> IsDateColumn;
  // PostgreSQL: true for a column compared as the server compares text (case and trailing blanks
  // ignored), set only for a database holding the functions that do so (PgTextCompare.h).
  std::function<bool(const String& column)> IsServerTextColumn;
};

// Handles: [dbo]./dbo. qualifiers; N'text'; CONVERT(datetime, x[, style]) and CONVERT(type, x);
// TOP n (to LIMIT n); the table function GETDESCENDANTDEP(id, withItself) (to a recursive
// sub-select); bracketed function names; text literals compared with a date-time column.
String TranslateToSqlite(const String& sql, const TSqlDialectSchema& schema);

// The same dialect for PostgreSQL: names in brackets or quotes become lower-case quoted names (the
// schema's names are folded), :NAME parameters become $1, $2 ... (Params receives the names in
// that order), text compared with a date-time column becomes a timestamp literal, text comparisons
// ignore trailing blanks as the server's do (PgTextCompare.h), and every
// ORDER BY item gets the server's NULL placement (first when ascending, last when descending).
// A name as PostgreSQL reads it quoted: folded to lower case (as the schema's names are), with any
// '"' inside doubled.
String QuotePostgresName(const String& name);

String TranslateToPostgres(const String& sql, const TSqlDialectSchema& schema, std::vector<String>& Params);
