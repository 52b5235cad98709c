// The driver interface under the database access layer. A driver opens connections; a connection
// prepares statements written in the server dialect the program uses, translating them to its own;
// statements bind parameters by name and return typed columns row by row. The generated edits of
// the datasets go through InsertRow/UpdateRows/DeleteRows so each driver quotes and returns
// server-filled values in its own way.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Variant.h"

// A provider or server error; the message is the server's text.
TRENVIK_DECLARE_EXCEPTION(EADOError, EDatabaseError);

enum class TDbType { Unknown, Integer, Int64, Float, WideString, DateTime, Guid, Boolean, Blob, Memo };

struct TDbColumn {
  String Name;
  TDbType Type = TDbType::Unknown;
  int Size = 0;      // characters, for WideString and Guid
  String BaseTable;  // the table the column comes from ("" for an expression)
  String BaseColumn;
  bool IsKey = false;          // part of the base table's primary key
  bool AutoIncrement = false;  // numbered by the server
  bool ReadOnly = false;       // an expression, or a column the server computes
  bool Required = false;       // NOT NULL without a default
};

struct TDbTableColumn {
  String Name;
  TDbType Type = TDbType::Unknown;
  int Size = 0;
  bool IsKey = false;
  bool AutoIncrement = false;
  bool Computed = false;  // filled by the server on every read; never written
  bool HasDefault = false;
  bool NotNull = false;
};

struct TDbTableInfo {
  String Name;
  std::vector<TDbTableColumn> Columns;
  const TDbTableColumn* Find(const String& column) const;
  bool HasKey() const;
};

class TDbStatement {
 public:
  virtual ~TDbStatement() = default;
  // The :NAME parameters of the statement, each once.
  virtual const std::vector<String>& ParamNames() const = 0;
  // Null and Empty bind NULL; a date binds as the stored date representation.
  virtual void SetParam(int index, const Variant& value) = 0;
  // Runs the statement (again) with the parameters set; a select is then before its first row.
  virtual void Execute() = 0;
  // Moves to the next row of a select; false after the last.
  virtual bool Next() = 0;
  virtual int ColumnCount() const = 0;
  // Available after Execute.
  virtual const TDbColumn& Column(int index) const = 0;
  virtual bool IsNull(int column) const = 0;
  virtual Int64 AsInt64(int column) const = 0;
  virtual double AsDouble(int column) const = 0;
  virtual String AsString(int column) const = 0;
  // The text of a column without a copy; valid until the next Next or Execute.
  virtual std::u16string_view TextView(int column) const = 0;
  // The value typed by the column's type.
  virtual Variant Value(int column) const = 0;
  // Rows changed by the last Execute of an INSERT, UPDATE or DELETE.
  virtual Int64 RowsAffected() const = 0;
};

struct TDbConnectParams {
  String DataSource;  // a file for SQLite; host/port/database options for a server
  String UserID;
  String Password;
  String InitialCatalog;
  std::vector<std::pair<String, String>> Options;  // every other item of the connection string
  // Only the tools that build a database set it: a program's connection opens an existing one.
  bool CreateIfMissing = false;
};

class TDbConnection {
 public:
  virtual ~TDbConnection() = default;
  virtual std::unique_ptr<TDbStatement> Prepare(const String& sql) = 0;
  // Runs a script of several statements in the driver's own dialect (schema creation).
  virtual void ExecuteScript(const String& script) = 0;
  // Prepares, binds by name and runs; for statements whose result is not needed.
  Int64 ExecuteDirect(const String& sql, const std::vector<std::pair<String, Variant>>& params = {});

  virtual void BeginTransaction() = 0;
  virtual void Commit() = 0;
  virtual void Rollback() = 0;
  virtual bool InTransaction() const = 0;

  // The login the connection runs under.
  virtual String UserName() const = 0;
  // "SQLite" or "PostgreSQL": the dialect of ExecuteScript.
  virtual String Dialect() const = 0;
  // 0 waits for ever.
  virtual void SetCommandTimeout(int seconds) = 0;

  virtual const TDbTableInfo& TableInfo(const String& table) = 0;
  // Inserts a row and returns the stored row's values of returnColumns (identity and defaults as
  // the server filled them).
  virtual std::vector<Variant> InsertRow(const String& table, const std::vector<String>& columns,
                                         const std::vector<Variant>& values,
                                         const std::vector<String>& returnColumns) = 0;
  // Changes the row whose whereColumns equal whereValues (Null matches Null); returns the count.
  virtual Int64 UpdateRow(const String& table, const std::vector<String>& setColumns,
                          const std::vector<Variant>& setValues, const std::vector<String>& whereColumns,
                          const std::vector<Variant>& whereValues) = 0;
  virtual Int64 DeleteRow(const String& table, const std::vector<String>& whereColumns,
                          const std::vector<Variant>& whereValues) = 0;
  // Reads a row by the whereColumns (after an update, to refresh computed columns).
  virtual std::vector<Variant> ReadRow(const String& table, const std::vector<String>& whereColumns,
                                       const std::vector<Variant>& whereValues,
                                       const std::vector<String>& columns) = 0;
  // A server function called as a stored procedure: its return value.
  virtual Variant CallFunction(const String& name, const std::vector<Variant>& args) = 0;
};

class TDbDriver {
 public:
  virtual ~TDbDriver() = default;
  virtual std::unique_ptr<TDbConnection> Connect(const TDbConnectParams& params) = 0;
};

using TDbDriverFactory = std::function<std::unique_ptr<TDbDriver>()>;
// Drivers by provider name ("SQLite", "PostgreSQL"); names are matched ignoring case and a trailing
// version (".1").
void RegisterDbDriver(const String& provider, TDbDriverFactory factory);
// The driver of a provider; an unknown or empty provider gets the default (SQLite).
std::unique_ptr<TDbDriver> CreateDbDriver(const String& provider);
bool IsDbDriverRegistered(const String& provider);

// A procedure name goes into statement text, so only identifier characters are accepted;
// EADOError otherwise.
void CheckProcedureName(const String& name);
