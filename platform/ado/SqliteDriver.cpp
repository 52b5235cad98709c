#include "platform/ado/SqliteDriver.h"

#include <pwd.h>
#include <sqlite3.h>
#include <unistd.h>

#include <cstdlib>
#include <map>
#include <random>
#include <set>

#include "platform/ado/ServerText.h"
#include "platform/ado/SqlDialect.h"
#include "platform/ado/SqlTokens.h"
#include "platform/ado/SqliteColumnTypes.h"
#include "platform/ado/SqliteFileOpen.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/StrUtils.h"
#include "platform/rtl/Utf8Text.h"

namespace {

constexpr int kBusyTimeoutMs = 30000;

std::string Quote(const String& name) {
  std::string out = "\"";
  for (char c : StringToUtf8(name)) {
    out += c;
    if (c == '"') out += c;
  }
  out += '"';
  return out;
}

String OsLogin() {
  if (const char* u = std::getenv("USER"); u && *u) return Utf8ToString(u);
  if (passwd* pw = getpwuid(getuid()); pw && pw->pw_name) return Utf8ToString(pw->pw_name);
  return u"user";
}

class SqliteConnection;

class SqliteStatement final : public TDbStatement {
 public:
  SqliteStatement(SqliteConnection& conn, sqlite3_stmt* stmt, bool changesSchema);
  ~SqliteStatement() override { sqlite3_finalize(stmt_); }

  const std::vector<String>& ParamNames() const override { return params_; }
  void SetParam(int index, const Variant& value) override;
  void Execute() override;
  bool Next() override;
  int ColumnCount() const override { return sqlite3_column_count(stmt_); }
  const TDbColumn& Column(int index) const override { return columns_.at(static_cast<size_t>(index)); }
  bool IsNull(int c) const override { return sqlite3_column_type(stmt_, c) == SQLITE_NULL; }
  Int64 AsInt64(int c) const override { return sqlite3_column_int64(stmt_, c); }
  double AsDouble(int c) const override;
  String AsString(int c) const override;
  std::u16string_view TextView(int c) const override;
  Variant Value(int c) const override;
  Int64 RowsAffected() const override { return changes_; }

 private:
  int Step();
  void Describe();

  SqliteConnection& conn_;
  sqlite3_stmt* stmt_;
  bool changesSchema_;
  std::vector<String> params_;
  std::vector<TDbColumn> columns_;
  bool described_ = false;
  bool pendingRow_ = false;
  bool done_ = true;
  bool stepped_ = false;
  Int64 changes_ = 0;
  Int64 started_ = 0;
  // TextView's texts: a buffer per column, decoded here rather than by SQLite's UTF-16 conversion,
  // which allocates for every value. A column's text is decoded once a row (rowSerial_).
  mutable std::vector<String> texts_;
  mutable std::vector<Int64> textRows_;
  Int64 rowSerial_ = 0;
};

class SqliteConnection final : public TDbConnection {
 public:
  explicit SqliteConnection(const TDbConnectParams& params);
  ~SqliteConnection() override;

  std::unique_ptr<TDbStatement> Prepare(const String& sql) override;
  void ExecuteScript(const String& script) override;
  void BeginTransaction() override { Exec("BEGIN IMMEDIATE"); }
  void Commit() override { Exec("COMMIT"); }
  void Rollback() override {
    if (InTransaction()) Exec("ROLLBACK");
  }
  bool InTransaction() const override { return sqlite3_get_autocommit(db_) == 0; }
  String UserName() const override { return user_; }
  String Dialect() const override { return u"SQLite"; }
  void SetCommandTimeout(int seconds) override { timeoutMs_ = seconds > 0 ? Int64(seconds) * 1000 : 0; }
  const TDbTableInfo& TableInfo(const String& table) override;
  std::vector<Variant> InsertRow(const String& table, const std::vector<String>& columns,
                                 const std::vector<Variant>& values,
                                 const std::vector<String>& returnColumns) override;
  Int64 UpdateRow(const String& table, const std::vector<String>& setColumns,
                  const std::vector<Variant>& setValues, const std::vector<String>& whereColumns,
                  const std::vector<Variant>& whereValues) override;
  Int64 DeleteRow(const String& table, const std::vector<String>& whereColumns,
                  const std::vector<Variant>& whereValues) override;
  std::vector<Variant> ReadRow(const String& table, const std::vector<String>& whereColumns,
                               const std::vector<Variant>& whereValues,
                               const std::vector<String>& columns) override;
  Variant CallFunction(const String& name, const std::vector<Variant>& args) override;

  sqlite3* Db() const { return db_; }
  [[noreturn]] void Fail(int rc);
  String ErrorText(int rc, std::string message) const;
  // The schema changed: what was learnt from it (and the translations that used it) is stale.
  void ForgetSchema() {
    tables_.clear();
    translated_.clear();
    dateColumns_.clear();
    dateColumnsRead_ = false;
  }
  // The statement running now and when it started, for the command time-out.
  void StartTimer(Int64 started) {
    started_ = started;
    timedOut_ = false;
  }
  Int64 TimeoutMs() const { return timeoutMs_; }
  bool IsDateColumn(const String& name);
  // Declared column types and view definitions, for typing expressions.
  const TSqlSchemaLookup& SchemaLookup();
  String ViewSql(const String& name);
  // The column SQLite numbers itself (the rowid's alias), empty when there is none.
  String RowidAlias(const String& table);
  Variant IdentCurrent(const String& table);
  void NoteInsert(const char* table, sqlite3_int64 rowid) {
    lastIds_[UpperCase(Utf8ToString(table))] = rowid;
  }
  // The path of names from the top of the territory tree down to a node.
  bool FullParentName(sqlite3_int64 id, bool withItself, std::string& out);

 private:
  static int Progress(void* self);
  void Exec(const char* sql);
  void RegisterFunctions();
  // WHERE clause "a IS ? AND b IS ?" for a single row.
  std::string RowWhere(const String& table, const std::vector<String>& columns);
  std::unique_ptr<SqliteStatement> PrepareNative(const std::string& sql);
  static void Bind(sqlite3_stmt* stmt, int index, const Variant& value);

  // Closed last, also when the constructor fails after the open.
  struct OwnedDb {
    sqlite3* db = nullptr;
    ~OwnedDb() { sqlite3_close_v2(db); }
    operator sqlite3*() const { return db; }
  };

  String file_;
  bool readOnly_ = false;
  OwnedDb db_;
  String user_;
  Int64 timeoutMs_ = 30000;
  Int64 started_ = 0;
  bool timedOut_ = false;
  std::map<String, TDbTableInfo> tables_;
  std::set<String> dateColumns_;
  bool dateColumnsRead_ = false;
  std::map<String, sqlite3_int64> lastIds_;
  std::map<String, String> translated_;
  sqlite3_stmt* parentStmt_ = nullptr;
  TSqlSchemaLookup schemaLookup_;

  friend class SqliteStatement;
};

// ---- the statement ----

SqliteStatement::SqliteStatement(SqliteConnection& conn, sqlite3_stmt* stmt, bool changesSchema)
    : conn_(conn), stmt_(stmt), changesSchema_(changesSchema) {
  int n = sqlite3_bind_parameter_count(stmt_);
  for (int i = 1; i <= n; ++i) {
    const char* name = sqlite3_bind_parameter_name(stmt_, i);
    params_.push_back(name ? Utf8ToString(name + 1) : String());
  }
}

void SqliteStatement::SetParam(int index, const Variant& value) {
  if (index < 0 || index >= static_cast<int>(params_.size())) throw EADOError("Parameter index out of range");
  if (stepped_) {
    sqlite3_reset(stmt_);
    stepped_ = false;
    done_ = true;
    pendingRow_ = false;
  }
  SqliteConnection::Bind(stmt_, index + 1, value);
}

int SqliteStatement::Step() {
  conn_.StartTimer(started_);
  stepped_ = true;
  ++rowSerial_;
  int rc = sqlite3_step(stmt_);
  if (rc != SQLITE_ROW && rc != SQLITE_DONE) {
    done_ = true;
    sqlite3_reset(stmt_);
    conn_.Fail(rc);
  }
  return rc;
}

void SqliteStatement::Execute() {
  sqlite3_reset(stmt_);
  pendingRow_ = false;
  done_ = false;
  changes_ = 0;
  started_ = Clock().TickCount();
  // The changes count is the last INSERT, UPDATE or DELETE's: a statement that changed no row (a
  // CREATE, say) would report the one before it.
  sqlite3_int64 changedBefore = sqlite3_total_changes64(conn_.Db());
  int rc = Step();
  if (rc == SQLITE_ROW) {
    pendingRow_ = true;
  } else {
    done_ = true;
    if (sqlite3_total_changes64(conn_.Db()) != changedBefore) changes_ = sqlite3_changes64(conn_.Db());
    if (changesSchema_) conn_.ForgetSchema();
  }
  if (!described_) Describe();
}

bool SqliteStatement::Next() {
  if (pendingRow_) {
    pendingRow_ = false;
    return true;
  }
  if (done_) return false;
  if (Step() == SQLITE_ROW) return true;
  done_ = true;
  return false;
}

void SqliteStatement::Describe() {
  described_ = true;
  int n = sqlite3_column_count(stmt_);
  columns_.resize(static_cast<size_t>(n));
  String sql;
  for (int i = 0; i < n; ++i) {
    TDbColumn& c = columns_[static_cast<size_t>(i)];
    c.Name = Utf8ToString(sqlite3_column_name(stmt_, i));
    TSqlColumnType declared = TypeFromDecl(sqlite3_column_decltype(stmt_, i));
    c.Type = declared.Type;
    c.Size = declared.Size;
    const char* table = sqlite3_column_table_name(stmt_, i);
    const char* origin = sqlite3_column_origin_name(stmt_, i);
    if (table && origin) {
      c.BaseTable = Utf8ToString(table);
      c.BaseColumn = Utf8ToString(origin);
      if (auto* tc = conn_.TableInfo(c.BaseTable).Find(c.BaseColumn)) {
        c.IsKey = tc->IsKey;
        c.AutoIncrement = tc->AutoIncrement;
        c.ReadOnly = tc->Computed;
        c.Required = tc->NotNull && !tc->HasDefault && !tc->AutoIncrement;
      }
    } else {
      c.ReadOnly = true;
    }
    if (c.Type != TDbType::Unknown) continue;
    // An expression: typed from the statement's text, so that an empty result opens with the
    // same fields as one with rows.
    int type = pendingRow_ ? sqlite3_column_type(stmt_, i) : SQLITE_NULL;
    if (sql.empty()) sql = Utf8ToString(sqlite3_sql(stmt_));
    TSqlColumnType typed = SqlExpressionColumnType(sql, i, c.Name, conn_.SchemaLookup());
    if (typed.Type != TDbType::Unknown) {
      c.Type = typed.Type;
      c.Size = typed.Size;
      if (c.Type == TDbType::WideString && type == SQLITE_TEXT)
        c.Size = std::max(c.Size, sqlite3_column_bytes16(stmt_, i) / 2);
      continue;
    }
    // Nothing in the text tells (a parameter, NULL): the first row's value does.
    String upperName = UpperCase(c.Name);
    if (upperName.find(u"GETFULLPARENTNAMEDEP") != String::npos) {
      c.Type = TDbType::WideString;
      c.Size = 4000;
    } else if (upperName.find(u"CONVTODATE") != String::npos ||
               upperName.find(u"CONVERT_DATETIME") != String::npos) {
      c.Type = TDbType::DateTime;
    } else if (type == SQLITE_INTEGER) {
      sqlite3_int64 v = sqlite3_column_int64(stmt_, i);
      c.Type = v >= INT32_MIN && v <= INT32_MAX ? TDbType::Integer : TDbType::Int64;
    } else if (type == SQLITE_FLOAT) {
      c.Type = TDbType::Float;
    } else if (type == SQLITE_BLOB) {
      c.Type = TDbType::Blob;
    } else {
      c.Type = TDbType::WideString;
      c.Size = 255;
      if (type == SQLITE_TEXT) c.Size = std::max(255, sqlite3_column_bytes16(stmt_, i) / 2);
    }
  }
}

double SqliteStatement::AsDouble(int c) const {
  if (sqlite3_column_type(stmt_, c) == SQLITE_TEXT) {
    TDateTime d;
    const void* p = sqlite3_column_text16(stmt_, c);
    std::u16string_view text(static_cast<const char16_t*>(p),
                             static_cast<size_t>(sqlite3_column_bytes16(stmt_, c)) / 2);
    if (columns_[static_cast<size_t>(c)].Type == TDbType::DateTime && ParseServerDateTime(text, d)) return d;
  }
  return sqlite3_column_double(stmt_, c);
}

std::u16string_view SqliteStatement::TextView(int c) const {
  const unsigned char* p = sqlite3_column_text(stmt_, c);
  if (!p) return {};
  const size_t i = static_cast<size_t>(c);
  if (texts_.size() <= i) {
    texts_.resize(i + 1);
    textRows_.resize(i + 1, -1);
  }
  if (textRows_[i] != rowSerial_) {
    AssignUtf8(texts_[i], std::string_view(reinterpret_cast<const char*>(p),
                                           static_cast<size_t>(sqlite3_column_bytes(stmt_, c))));
    textRows_[i] = rowSerial_;
  }
  return texts_[i];
}

String SqliteStatement::AsString(int c) const {
  const unsigned char* p = sqlite3_column_text(stmt_, c);
  if (!p) return String();
  return Utf8ToString(std::string_view(reinterpret_cast<const char*>(p),
                                       static_cast<size_t>(sqlite3_column_bytes(stmt_, c))));
}

Variant SqliteStatement::Value(int c) const {
  if (IsNull(c)) return Null();
  switch (columns_[static_cast<size_t>(c)].Type) {
    case TDbType::Integer: {
      sqlite3_int64 v = sqlite3_column_int64(stmt_, c);
      if (v >= INT32_MIN && v <= INT32_MAX) return Variant(static_cast<Integer>(v));
      return Variant(static_cast<Int64>(v));
    }
    case TDbType::Int64:
      return Variant(static_cast<Int64>(sqlite3_column_int64(stmt_, c)));
    case TDbType::Float:
      return Variant(AsDouble(c));
    case TDbType::DateTime:
      return VarFromDateTime(AsDouble(c));
    case TDbType::Boolean:
      return Variant(sqlite3_column_int64(stmt_, c) != 0);
    case TDbType::Blob: {
      const char* p = static_cast<const char*>(sqlite3_column_blob(stmt_, c));
      return VarFromAnsiString(AnsiString(p ? p : "", static_cast<size_t>(sqlite3_column_bytes(stmt_, c))));
    }
    default:
      return Variant(AsString(c));
  }
}

// ---- server functions ----

SqliteConnection& Self(sqlite3_context* ctx) {
  return *static_cast<SqliteConnection*>(sqlite3_user_data(ctx));
}

std::u16string_view TextArg(sqlite3_value* v) {
  const void* p = sqlite3_value_text16(v);
  if (!p) return {};
  return {static_cast<const char16_t*>(p), static_cast<size_t>(sqlite3_value_bytes16(v)) / 2};
}

void FnUpper(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return sqlite3_result_null(ctx);
  const char* p = reinterpret_cast<const char*>(sqlite3_value_text(argv[0]));
  std::string r = ServerUpper(std::string_view(p, static_cast<size_t>(sqlite3_value_bytes(argv[0]))));
  sqlite3_result_text(ctx, r.data(), static_cast<int>(r.size()), SQLITE_TRANSIENT);
}

void FnLower(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return sqlite3_result_null(ctx);
  const char* p = reinterpret_cast<const char*>(sqlite3_value_text(argv[0]));
  std::string r = ServerLower(std::string_view(p, static_cast<size_t>(sqlite3_value_bytes(argv[0]))));
  sqlite3_result_text(ctx, r.data(), static_cast<int>(r.size()), SQLITE_TRANSIENT);
}

void FnIsDate(sqlite3_context* ctx, int, sqlite3_value** argv) {
  int type = sqlite3_value_type(argv[0]);
  TDateTime d;
  if (type == SQLITE_TEXT) return sqlite3_result_int(ctx, ParseServerDateTime(TextArg(argv[0]), d) ? 1 : 0);
  sqlite3_result_int(ctx, 0);
}

void FnConvToDate(sqlite3_context* ctx, int, sqlite3_value** argv) {
  int type = sqlite3_value_type(argv[0]);
  if (type == SQLITE_INTEGER || type == SQLITE_FLOAT)
    return sqlite3_result_double(ctx, sqlite3_value_double(argv[0]));
  TDateTime d;
  if (type == SQLITE_TEXT && ParseServerDateTime(TextArg(argv[0]), d)) return sqlite3_result_double(ctx, d);
  sqlite3_result_null(ctx);
}

void FnConvertDateTime(sqlite3_context* ctx, int, sqlite3_value** argv) {
  int type = sqlite3_value_type(argv[0]);
  if (type == SQLITE_NULL) return sqlite3_result_null(ctx);
  if (type == SQLITE_INTEGER || type == SQLITE_FLOAT)
    return sqlite3_result_double(ctx, sqlite3_value_double(argv[0]));
  int style = sqlite3_value_int(argv[1]);
  TDateTime d;
  bool ok = (style == 103 || style == 104 || style == 105) ? ParseDateStyle104(TextArg(argv[0]), d)
                                                           : ParseServerDateTime(TextArg(argv[0]), d);
  if (!ok) return sqlite3_result_error(ctx, "Text is not a date", -1);
  sqlite3_result_double(ctx, d);
}

void FnIdentCurrent(sqlite3_context* ctx, int, sqlite3_value** argv) {
  Variant v;
  try {
    v = Self(ctx).IdentCurrent(String(TextArg(argv[0])));
  } catch (const Exception& e) {
    return sqlite3_result_error(ctx, e.what(), -1);
  }
  if (VarIsNull(v)) return sqlite3_result_null(ctx);
  sqlite3_result_int64(ctx, v.AsInt64());
}

void FnLoginName(sqlite3_context* ctx, int, sqlite3_value**) {
  std::string u = StringToUtf8(Self(ctx).UserName());
  sqlite3_result_text(ctx, u.data(), static_cast<int>(u.size()), SQLITE_TRANSIENT);
}

void FnNewGuid(sqlite3_context* ctx, int, sqlite3_value**) {
  unsigned char b[16];
  sqlite3_randomness(16, b);
  b[6] = static_cast<unsigned char>((b[6] & 0x0F) | 0x40);
  b[8] = static_cast<unsigned char>((b[8] & 0x3F) | 0x80);
  static const char hex[] = "0123456789ABCDEF";
  std::string s = "{";
  for (int i = 0; i < 16; ++i) {
    if (i == 4 || i == 6 || i == 8 || i == 10) s += '-';
    s += hex[b[i] >> 4];
    s += hex[b[i] & 15];
  }
  s += '}';
  sqlite3_result_text(ctx, s.data(), static_cast<int>(s.size()), SQLITE_TRANSIENT);
}

// Whole years from a birth date to today; none for a missing date (NULL, day 0 or 1900-01-01).
void FnAgeYears(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return sqlite3_result_null(ctx);
  double birth = sqlite3_value_double(argv[0]);
  if (birth <= 2.0) return sqlite3_result_null(ctx);
  Word by, bm, bd, ty, tm, td;
  DecodeDate(birth, by, bm, bd);
  DecodeDate(Clock().Now(), ty, tm, td);
  int years = ty - by;
  if (tm < bm || (tm == bm && td < bd)) --years;
  sqlite3_result_int(ctx, years);
}

void FnFullParentName(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return sqlite3_result_null(ctx);
  std::string out;
  try {
    if (!Self(ctx).FullParentName(sqlite3_value_int64(argv[0]), sqlite3_value_int(argv[1]) != 0, out))
      return sqlite3_result_null(ctx);
  } catch (const Exception& e) {
    return sqlite3_result_error(ctx, e.what(), -1);
  }
  sqlite3_result_text(ctx, out.data(), static_cast<int>(out.size()), SQLITE_TRANSIENT);
}

// LIKE as the server matches: SQLite's own matching, but a value's trailing blanks do not count
// ('Иванов ' LIKE 'Иванов'), as they do not in "=" under the server collation.
void FnLike(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL)
    return sqlite3_result_null(ctx);
  unsigned escape = 0;
  if (argc == 3) {
    if (sqlite3_value_type(argv[2]) == SQLITE_NULL) return sqlite3_result_null(ctx);
    const char* e = reinterpret_cast<const char*>(sqlite3_value_text(argv[2]));
    if (sqlite3_value_bytes(argv[2]) != 1)
      return sqlite3_result_error(ctx, "ESCAPE expression must be a single character", -1);
    escape = static_cast<unsigned char>(e[0]);
  }
  const char* pattern = reinterpret_cast<const char*>(sqlite3_value_text(argv[0]));
  const char* p = reinterpret_cast<const char*>(sqlite3_value_text(argv[1]));
  std::string value(p, static_cast<size_t>(sqlite3_value_bytes(argv[1])));
  bool match = sqlite3_strlike(pattern, value.c_str(), escape) == 0;
  if (!match && !value.empty() && value.back() == ' ') {
    value.erase(value.find_last_not_of(' ') + 1);
    match = sqlite3_strlike(pattern, value.c_str(), escape) == 0;
  }
  sqlite3_result_int(ctx, match ? 1 : 0);
}

int CollateServer(void*, int na, const void* a, int nb, const void* b) {
  return CompareServerText(std::string_view(static_cast<const char*>(a), static_cast<size_t>(na)),
                           std::string_view(static_cast<const char*>(b), static_cast<size_t>(nb)));
}

void UpdateHook(void* self, int op, const char*, const char* table, sqlite3_int64 rowid) {
  if (op == SQLITE_INSERT) static_cast<SqliteConnection*>(self)->NoteInsert(table, rowid);
}

// ---- the connection ----

SqliteConnection::SqliteConnection(const TDbConnectParams& params) : file_(params.DataSource) {
  TSqliteOpenPlan plan = PlanSqliteOpen(params);
  readOnly_ = plan.ReadOnly;
  int rc = sqlite3_open_v2(plan.Name.c_str(), &db_.db, plan.Flags, nullptr);
  if (rc != SQLITE_OK) {
    String message = Utf8ToString(db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(rc));
    throw EADOError(u"Cannot open database \"" + params.DataSource + u"\": " + message);
  }
  user_ = params.UserID.empty() ? OsLogin() : params.UserID;
  sqlite3_extended_result_codes(db_, 1);
  sqlite3_busy_timeout(db_, kBusyTimeoutMs);
  RegisterFunctions();
  sqlite3_update_hook(db_, UpdateHook, this);
  sqlite3_progress_handler(db_, 4000, Progress, this);
  try {
    if (readOnly_) {
      // A file that is no database is found out on the first read, not by the open.
      Exec("SELECT count(*) FROM sqlite_master");
    } else {
      Exec("PRAGMA journal_mode=WAL");
      Exec("PRAGMA synchronous=NORMAL");
    }
  } catch (const EADOError& e) {
    throw EADOError(u"Cannot open database \"" + params.DataSource + u"\": " + e.Message());
  }
}

SqliteConnection::~SqliteConnection() { sqlite3_finalize(parentStmt_); }

void SqliteConnection::RegisterFunctions() {
  struct Fn {
    const char* name;
    int args;
    bool deterministic;
    void (*fn)(sqlite3_context*, int, sqlite3_value**);
  };
  static const Fn fns[] = {
      {"upper", 1, true, FnUpper},
      {"like", 2, true, FnLike},
      {"like", 3, true, FnLike},
      {"lower", 1, true, FnLower},
      {"ISDATE", 1, true, FnIsDate},
      {"ConvToDate", 1, true, FnConvToDate},
      {"CONVERT_DATETIME", 2, true, FnConvertDateTime},
      {"IDENT_CURRENT", 1, false, FnIdentCurrent},
      {"LOGIN_NAME", 0, false, FnLoginName},
      {"NEWGUID", 0, false, FnNewGuid},
      // Constant within a statement; declared deterministic so the schema's computed AGE may use it.
      {"AGEYEARS", 1, true, FnAgeYears},
      {"GetfullParentNameDep", 2, false, FnFullParentName},
  };
  for (auto& f : fns) {
    int flags = SQLITE_UTF8 | (f.deterministic ? SQLITE_DETERMINISTIC : 0);
    sqlite3_create_function_v2(db_, f.name, f.args, flags, this, f.fn, nullptr, nullptr, nullptr);
  }
  sqlite3_create_collation_v2(db_, kServerCollation, SQLITE_UTF8, nullptr, CollateServer, nullptr);
}

int SqliteConnection::Progress(void* p) {
  auto* self = static_cast<SqliteConnection*>(p);
  if (self->timeoutMs_ <= 0 || self->started_ == 0) return 0;
  if (Clock().TickCount() - self->started_ > self->timeoutMs_) {
    self->timedOut_ = true;
    return 1;
  }
  return 0;
}

String SqliteConnection::ErrorText(int rc, std::string message) const {
  if ((rc & 0xFF) == SQLITE_INTERRUPT && timedOut_)
    message = "The statement was stopped: its time-out expired";
  if ((rc & 0xFF) == SQLITE_READONLY && readOnly_)
    return u"The database \"" + file_ +
           u"\" is open read-only (its file or folder cannot be written): the change was not saved";
  // The schema names its length checks len_<table>_<column>.
  if (size_t at = message.find("CHECK constraint failed: len_"); at != std::string::npos)
    message = "Text is too long for the column " +
              message.substr(at + std::string("CHECK constraint failed: len_").size());
  return Utf8ToString(message);
}

void SqliteConnection::Fail(int rc) { throw EADOError(ErrorText(rc, sqlite3_errmsg(db_))); }

void SqliteConnection::Exec(const char* sql) {
  started_ = 0;
  char* err = nullptr;
  int rc = sqlite3_exec(db_, sql, nullptr, nullptr, &err);
  if (rc != SQLITE_OK) {
    std::string message = err ? err : sqlite3_errstr(rc);
    sqlite3_free(err);
    throw EADOError(ErrorText(rc, message));
  }
}

void SqliteConnection::ExecuteScript(const String& script) {
  std::string sql = StringToUtf8(script);
  ForgetSchema();
  started_ = 0;
  Exec(sql.c_str());
  ForgetSchema();
}

bool SqliteConnection::IsDateColumn(const String& name) {
  if (!dateColumnsRead_) {
    dateColumnsRead_ = true;
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db_, "SELECT name FROM sqlite_master WHERE type IN ('table','view')", -1, &st,
                           nullptr) == SQLITE_OK) {
      std::vector<String> names;
      while (sqlite3_step(st) == SQLITE_ROW)
        names.push_back(Utf8ToString(reinterpret_cast<const char*>(sqlite3_column_text(st, 0))));
      sqlite3_finalize(st);
      for (auto& table : names)
        for (auto& c : TableInfo(table).Columns)
          if (c.Type == TDbType::DateTime) dateColumns_.insert(UpperCase(c.Name));
    }
  }
  return dateColumns_.count(UpperCase(name)) != 0;
}

const TSqlSchemaLookup& SqliteConnection::SchemaLookup() {
  if (!schemaLookup_.ColumnType) {
    schemaLookup_.ColumnType = [this](const String& table, const String& column) {
      const TDbTableColumn* c = TableInfo(table).Find(column);
      return c ? TSqlColumnType{c->Type, c->Size} : TSqlColumnType{};
    };
    schemaLookup_.ViewSql = [this](const String& name) { return ViewSql(name); };
  }
  return schemaLookup_;
}

String SqliteConnection::ViewSql(const String& name) {
  sqlite3_stmt* st = nullptr;
  if (sqlite3_prepare_v2(db_,
                         "SELECT sql FROM sqlite_master WHERE type = 'view' AND name = ?1 COLLATE NOCASE", -1,
                         &st, nullptr) != SQLITE_OK)
    Fail(sqlite3_errcode(db_));
  std::string utf8 = StringToUtf8(name);
  sqlite3_bind_text(st, 1, utf8.data(), static_cast<int>(utf8.size()), SQLITE_TRANSIENT);
  String sql;
  if (sqlite3_step(st) == SQLITE_ROW && sqlite3_column_type(st, 0) == SQLITE_TEXT)
    sql = Utf8ToString(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
  sqlite3_finalize(st);
  return sql;
}

const TDbTableInfo& SqliteConnection::TableInfo(const String& table) {
  String key = UpperCase(table);
  auto it = tables_.find(key);
  if (it != tables_.end()) return it->second;
  TDbTableInfo info;
  info.Name = table;
  std::string sql = "PRAGMA table_xinfo(" + Quote(table) + ")";
  sqlite3_stmt* st = nullptr;
  if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &st, nullptr) != SQLITE_OK) Fail(sqlite3_errcode(db_));
  int keyCount = 0;
  while (sqlite3_step(st) == SQLITE_ROW) {
    TDbTableColumn c;
    c.Name = Utf8ToString(reinterpret_cast<const char*>(sqlite3_column_text(st, 1)));
    TSqlColumnType declared = TypeFromDecl(reinterpret_cast<const char*>(sqlite3_column_text(st, 2)));
    c.Type = declared.Type;
    c.Size = declared.Size;
    c.NotNull = sqlite3_column_int(st, 3) != 0;
    c.HasDefault = sqlite3_column_type(st, 4) != SQLITE_NULL;
    c.IsKey = sqlite3_column_int(st, 5) > 0;
    int hidden = sqlite3_column_int(st, 6);
    c.Computed = hidden == 2 || hidden == 3;
    if (hidden == 1) continue;  // a virtual table's hidden column
    keyCount += c.IsKey ? 1 : 0;
    info.Columns.push_back(c);
  }
  sqlite3_finalize(st);
  // Only the rowid's alias is numbered on insert ("INTEGER PRIMARY KEY", not "INT PRIMARY KEY"):
  // SQLite decides which column that is, so it is asked rather than the declaration read.
  const String alias = keyCount == 1 ? RowidAlias(table) : String();
  for (auto& c : info.Columns) c.AutoIncrement = c.IsKey && !alias.empty() && SameText(c.Name, alias);
  return tables_.emplace(key, std::move(info)).first->second;
}

String SqliteConnection::RowidAlias(const String& table) {
  std::string sql = "SELECT rowid FROM " + Quote(table);
  sqlite3_stmt* st = nullptr;
  // A table without rowid, or a view, has no alias.
  if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &st, nullptr) != SQLITE_OK) {
    sqlite3_finalize(st);
    return String();
  }
  const char* origin = sqlite3_column_origin_name(st, 0);
  String alias = origin ? Utf8ToString(origin) : String();
  sqlite3_finalize(st);
  return alias;
}

void SqliteConnection::Bind(sqlite3_stmt* stmt, int index, const Variant& v) {
  int rc = SQLITE_OK;
  switch (v.Type()) {
    case varEmpty:
    case varNull:
      rc = sqlite3_bind_null(stmt, index);
      break;
    case varBoolean:
      rc = sqlite3_bind_int(stmt, index, v.AsBoolean() ? 1 : 0);
      break;
    case varSmallint:
    case varInteger:
    case varShortInt:
    case varByte:
    case varWord:
    case varLongWord:
    case varInt64:
      rc = sqlite3_bind_int64(stmt, index, v.AsInt64());
      break;
    case varSingle:
    case varDouble:
    case varCurrency:
    case varDate:
      rc = sqlite3_bind_double(stmt, index, v.AsDouble());
      break;
    case varString: {
      std::string u = StringToUtf8(v.AsString());
      rc = sqlite3_bind_text(stmt, index, u.data(), static_cast<int>(u.size()), SQLITE_TRANSIENT);
      break;
    }
    default: {
      std::string u = StringToUtf8(v.AsString());
      rc = sqlite3_bind_text(stmt, index, u.data(), static_cast<int>(u.size()), SQLITE_TRANSIENT);
    }
  }
  if (rc != SQLITE_OK) throw EADOError(Utf8ToString(sqlite3_errstr(rc)));
}

std::unique_ptr<SqliteStatement> SqliteConnection::PrepareNative(const std::string& sql) {
  sqlite3_stmt* st = nullptr;
  const char* tail = nullptr;
  int rc = sqlite3_prepare_v2(db_, sql.c_str(), static_cast<int>(sql.size()), &st, &tail);
  if (rc != SQLITE_OK) Fail(rc);
  if (!st) throw EADOError("The statement is empty");
  // One statement only: a trailing blank or semicolon is allowed.
  for (const char* p = tail; p && *p; ++p)
    if (*p != ' ' && *p != '\t' && *p != '\r' && *p != '\n' && *p != ';') {
      sqlite3_finalize(st);
      throw EADOError("Only one statement can be run at a time");
    }
  bool schema = false;
  {
    std::string head;
    for (char c : sql) {
      if (std::isalpha(static_cast<unsigned char>(c)))
        head += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
      else if (!head.empty())
        break;
    }
    schema = head == "CREATE" || head == "DROP" || head == "ALTER";
  }
  return std::make_unique<SqliteStatement>(*this, st, schema);
}

std::unique_ptr<TDbStatement> SqliteConnection::Prepare(const String& sql) {
  auto it = translated_.find(sql);
  if (it == translated_.end()) {
    TSqlDialectSchema schema;
    schema.IsDateColumn = [this](const String& c) { return IsDateColumn(c); };
    String native = TranslateToSqlite(sql, schema);
    if (translated_.size() > 512) translated_.clear();
    it = translated_.emplace(sql, native).first;
  }
  return PrepareNative(StringToUtf8(it->second));
}

Variant SqliteConnection::IdentCurrent(const String& table) {
  auto it = lastIds_.find(UpperCase(table));
  if (it != lastIds_.end()) return Variant(static_cast<Int64>(it->second));
  // Nothing inserted through this connection: the table's last identity, as any session left it.
  sqlite3_stmt* st = nullptr;
  Variant result = Null();
  if (sqlite3_prepare_v2(db_, "SELECT seq FROM sqlite_sequence WHERE name = ? COLLATE NOCASE", -1, &st,
                         nullptr) == SQLITE_OK) {
    std::string t = StringToUtf8(table);
    sqlite3_bind_text(st, 1, t.data(), static_cast<int>(t.size()), SQLITE_TRANSIENT);
    if (sqlite3_step(st) == SQLITE_ROW) result = Variant(static_cast<Int64>(sqlite3_column_int64(st, 0)));
    sqlite3_finalize(st);
  }
  if (!VarIsNull(result)) return result;
  std::string sql = "SELECT max(rowid) FROM " + Quote(table);
  if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &st, nullptr) != SQLITE_OK) return Null();
  if (sqlite3_step(st) == SQLITE_ROW && sqlite3_column_type(st, 0) != SQLITE_NULL)
    result = Variant(static_cast<Int64>(sqlite3_column_int64(st, 0)));
  sqlite3_finalize(st);
  return result;
}

bool SqliteConnection::FullParentName(sqlite3_int64 id, bool withItself, std::string& out) {
  if (!parentStmt_) {
    const char* sql = "SELECT PARENT_ID, SHORTNAME FROM M_RAYON_DEP WHERE M_RAYON_DEPID = ?";
    if (sqlite3_prepare_v3(db_, sql, -1, SQLITE_PREPARE_PERSISTENT, &parentStmt_, nullptr) != SQLITE_OK)
      throw EADOError(Utf8ToString(sqlite3_errmsg(db_)));
  }
  std::vector<std::string> names;
  std::set<sqlite3_int64> seen;
  sqlite3_int64 node = id;
  bool first = true;
  while (node != 0 && seen.insert(node).second) {
    sqlite3_reset(parentStmt_);
    sqlite3_bind_int64(parentStmt_, 1, node);
    int rc = sqlite3_step(parentStmt_);
    if (rc != SQLITE_ROW) {
      sqlite3_reset(parentStmt_);
      if (rc != SQLITE_DONE) throw EADOError(Utf8ToString(sqlite3_errmsg(db_)));
      if (first) return false;  // no such node
      break;
    }
    sqlite3_int64 parent = sqlite3_column_int64(parentStmt_, 0);
    const unsigned char* name = sqlite3_column_text(parentStmt_, 1);
    if (!first || withItself) names.emplace_back(name ? reinterpret_cast<const char*>(name) : "");
    first = false;
    node = parent;
  }
  sqlite3_reset(parentStmt_);
  out.clear();
  for (auto it = names.rbegin(); it != names.rend(); ++it) {
    if (!out.empty()) out += ';';
    out += *it;
  }
  return true;
}

std::string SqliteConnection::RowWhere(const String& table, const std::vector<String>& columns) {
  std::string where;
  for (size_t i = 0; i < columns.size(); ++i) {
    if (i) where += " AND ";
    where += Quote(columns[i]) + " IS ?";
  }
  if (where.empty()) where = "1";
  return "rowid = (SELECT rowid FROM " + Quote(table) + " WHERE " + where + " LIMIT 1)";
}

std::vector<Variant> SqliteConnection::InsertRow(const String& table, const std::vector<String>& columns,
                                                 const std::vector<Variant>& values,
                                                 const std::vector<String>& returnColumns) {
  std::string sql = "INSERT INTO " + Quote(table);
  if (columns.empty()) {
    sql += " DEFAULT VALUES";
  } else {
    std::string names, marks;
    for (size_t i = 0; i < columns.size(); ++i) {
      names += (i ? "," : "") + Quote(columns[i]);
      marks += i ? ",?" : "?";
    }
    sql += " (" + names + ") VALUES (" + marks + ")";
  }
  auto st = PrepareNative(sql);
  for (size_t i = 0; i < values.size(); ++i) st->SetParam(static_cast<int>(i), values[i]);
  st->Execute();
  sqlite3_int64 rowid = sqlite3_last_insert_rowid(db_);
  if (returnColumns.empty()) return {};
  std::string cols;
  for (size_t i = 0; i < returnColumns.size(); ++i) cols += (i ? "," : "") + Quote(returnColumns[i]);
  auto rd = PrepareNative("SELECT " + cols + " FROM " + Quote(table) + " WHERE rowid = ?");
  rd->SetParam(0, Variant(static_cast<Int64>(rowid)));
  rd->Execute();
  std::vector<Variant> result;
  if (rd->Next())
    for (size_t i = 0; i < returnColumns.size(); ++i) result.push_back(rd->Value(static_cast<int>(i)));
  return result;
}

Int64 SqliteConnection::UpdateRow(const String& table, const std::vector<String>& setColumns,
                                  const std::vector<Variant>& setValues,
                                  const std::vector<String>& whereColumns,
                                  const std::vector<Variant>& whereValues) {
  if (setColumns.empty()) return 0;
  std::string sets;
  for (size_t i = 0; i < setColumns.size(); ++i) sets += (i ? "," : "") + Quote(setColumns[i]) + " = ?";
  auto st =
      PrepareNative("UPDATE " + Quote(table) + " SET " + sets + " WHERE " + RowWhere(table, whereColumns));
  int p = 0;
  for (auto& v : setValues) st->SetParam(p++, v);
  for (auto& v : whereValues) st->SetParam(p++, v);
  st->Execute();
  return st->RowsAffected();
}

Int64 SqliteConnection::DeleteRow(const String& table, const std::vector<String>& whereColumns,
                                  const std::vector<Variant>& whereValues) {
  auto st = PrepareNative("DELETE FROM " + Quote(table) + " WHERE " + RowWhere(table, whereColumns));
  int p = 0;
  for (auto& v : whereValues) st->SetParam(p++, v);
  st->Execute();
  return st->RowsAffected();
}

std::vector<Variant> SqliteConnection::ReadRow(const String& table, const std::vector<String>& whereColumns,
                                               const std::vector<Variant>& whereValues,
                                               const std::vector<String>& columns) {
  std::string cols;
  for (size_t i = 0; i < columns.size(); ++i) cols += (i ? "," : "") + Quote(columns[i]);
  auto st =
      PrepareNative("SELECT " + cols + " FROM " + Quote(table) + " WHERE " + RowWhere(table, whereColumns));
  int p = 0;
  for (auto& v : whereValues) st->SetParam(p++, v);
  st->Execute();
  std::vector<Variant> result;
  if (st->Next())
    for (size_t i = 0; i < columns.size(); ++i) result.push_back(st->Value(static_cast<int>(i)));
  return result;
}

Variant SqliteConnection::CallFunction(const String& name, const std::vector<Variant>& args) {
  CheckProcedureName(name);
  std::string sql = "SELECT " + StringToUtf8(name) + "(";
  for (size_t i = 0; i < args.size(); ++i) sql += i ? ",?" : "?";
  sql += ")";
  auto st = PrepareNative(sql);
  for (size_t i = 0; i < args.size(); ++i) st->SetParam(static_cast<int>(i), args[i]);
  st->Execute();
  return st->Next() ? st->Value(0) : Null();
}

class SqliteDriver final : public TDbDriver {
 public:
  std::unique_ptr<TDbConnection> Connect(const TDbConnectParams& params) override {
    return std::make_unique<SqliteConnection>(params);
  }
};

}  // namespace

void RegisterSqliteDriver() {
  RegisterDbDriver(u"SQLite", [] { return std::make_unique<SqliteDriver>(); });
}

sqlite3* SqliteHandle(TDbConnection& connection) {
  auto* c = dynamic_cast<SqliteConnection*>(&connection);
  return c ? c->Db() : nullptr;
}
