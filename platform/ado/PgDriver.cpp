// The PostgreSQL driver (libpq): the shared server where several users work on one database.
// Statements are translated (TranslateToPostgres), prepared once per statement object and run with
// text parameters; results come back whole. Dates travel as ISO text.
#include "platform/ado/PgDriver.h"

#include <libpq-fe.h>

#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>

#include "platform/ado/ServerText.h"
#include "platform/ado/SqlDialect.h"
#include "platform/ado/SqlTokens.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/StrUtils.h"
#include "platform/rtl/String.h"

namespace {

// Type identifiers of the built-in types.
constexpr Oid kBool = 16, kInt8 = 20, kInt2 = 21, kInt4 = 23, kText = 25, kFloat4 = 700, kFloat8 = 701,
              kBpChar = 1042, kVarChar = 1043, kDate = 1082, kTimestamp = 1114, kTimestampTz = 1184,
              kNumeric = 1700, kBytea = 17;

std::string Quote(const String& name) { return StringToUtf8(QuotePostgresName(name)); }

std::string DateText(TDateTime value) {
  Word y, m, d, h, mi, s, ms;
  DecodeDate(value, y, m, d);
  DecodeTime(value, h, mi, s, ms);
  char buf[48];
  std::snprintf(buf, sizeof buf, "%04u-%02u-%02u %02u:%02u:%02u.%03u", y, m, d, h, mi, s, ms);
  return buf;
}

// "1980-05-06 13:45:10.123" (and a bare date) to a day number.
TDateTime ParseDateText(const char* s) {
  int y = 0, m = 0, d = 0, h = 0, mi = 0;
  double sec = 0;
  std::sscanf(s, "%d-%d-%d %d:%d:%lf", &y, &m, &d, &h, &mi, &sec);
  TDateTime date = 0;
  if (!TryEncodeDate(static_cast<Word>(y), static_cast<Word>(m), static_cast<Word>(d), date)) return 0;
  double time = (h * 3600.0 + mi * 60.0 + sec) / 86400.0;
  return date + time;
}

// The parameter text of a value; nullopt for NULL.
bool ParamText(const Variant& v, std::string& out) {
  switch (v.Type()) {
    case varEmpty:
    case varNull:
      return false;
    case varBoolean:
      out = v.AsBoolean() ? "1" : "0";
      return true;
    case varDate:
      out = DateText(v.AsDouble());
      return true;
    case varSingle:
    case varDouble:
    case varCurrency: {
      char buf[64];
      std::snprintf(buf, sizeof buf, "%.17g", v.AsDouble());
      out = buf;
      return true;
    }
    case varSmallint:
    case varInteger:
    case varShortInt:
    case varByte:
    case varWord:
    case varLongWord:
    case varInt64:
      out = std::to_string(v.AsInt64());
      return true;
    default:
      out = StringToUtf8(v.AsString());
      return true;
  }
}

class PgConnection;

class PgStatement final : public TDbStatement {
 public:
  PgStatement(PgConnection& conn, std::string name, std::vector<String> params, int paramCount)
      : conn_(conn),
        name_(std::move(name)),
        params_(std::move(params)),
        values_(static_cast<size_t>(paramCount)),
        isNull_(static_cast<size_t>(paramCount), true) {}
  ~PgStatement() override;

  const std::vector<String>& ParamNames() const override { return params_; }
  void SetParam(int index, const Variant& value) override {
    if (index < 0 || index >= static_cast<int>(params_.size()))
      throw EADOError("Parameter index out of range");
    isNull_[static_cast<size_t>(index)] = !ParamText(value, values_[static_cast<size_t>(index)]);
  }
  void Execute() override;
  bool Next() override {
    if (!result_ || row_ + 1 >= PQntuples(result_)) {
      row_ = result_ ? PQntuples(result_) : 0;
      return false;
    }
    ++row_;
    texts_.assign(columns_.size(), String());
    textValid_.assign(columns_.size(), false);
    return true;
  }
  int ColumnCount() const override { return static_cast<int>(columns_.size()); }
  const TDbColumn& Column(int index) const override { return columns_.at(static_cast<size_t>(index)); }
  bool IsNull(int c) const override { return PQgetisnull(result_, row_, c) != 0; }
  Int64 AsInt64(int c) const override {
    const char* v = PQgetvalue(result_, row_, c);
    if (PQftype(result_, c) == kBool) return v[0] == 't' ? 1 : 0;
    return std::strtoll(v, nullptr, 10);
  }
  double AsDouble(int c) const override {
    Oid type = PQftype(result_, c);
    const char* v = PQgetvalue(result_, row_, c);
    if (type == kTimestamp || type == kTimestampTz || type == kDate) return ParseDateText(v);
    return std::strtod(v, nullptr);
  }
  String AsString(int c) const override { return String(TextView(c)); }
  std::u16string_view TextView(int c) const override {
    size_t i = static_cast<size_t>(c);
    if (!textValid_[i]) {
      texts_[i] = Utf8ToString(
          std::string_view(PQgetvalue(result_, row_, c), static_cast<size_t>(PQgetlength(result_, row_, c))));
      textValid_[i] = true;
    }
    return texts_[i];
  }
  Variant Value(int c) const override;
  Int64 RowsAffected() const override { return changes_; }

 private:
  void Describe();

  PgConnection& conn_;
  std::string name_;
  std::vector<String> params_;
  std::vector<std::string> values_;
  std::vector<bool> isNull_;
  PGresult* result_ = nullptr;
  int row_ = -1;
  Int64 changes_ = 0;
  std::vector<TDbColumn> columns_;
  mutable std::vector<String> texts_;
  mutable std::vector<bool> textValid_;
};

class PgConnection final : public TDbConnection {
 public:
  explicit PgConnection(const TDbConnectParams& params);
  ~PgConnection() override { PQfinish(conn_); }

  std::unique_ptr<TDbStatement> Prepare(const String& sql) override;
  void ExecuteScript(const String& script) override {
    Run(StringToUtf8(script));
    tables_.clear();
    storedTables_.clear();
    dateColumns_.clear();
    textColumns_.clear();
    serverTextFunctions_ = -1;
  }
  void BeginTransaction() override { Run("BEGIN"); }
  void Commit() override { Run("COMMIT"); }
  void Rollback() override {
    if (!InTransaction()) return;
    Run("ROLLBACK");
    todaySent_ = kNoDay;  // a date set inside the transaction is undone with it
  }
  bool InTransaction() const override {
    auto s = PQtransactionStatus(conn_);
    return s == PQTRANS_INTRANS || s == PQTRANS_INERROR;
  }
  String UserName() const override { return user_; }
  String Dialect() const override { return u"PostgreSQL"; }
  void SetCommandTimeout(int seconds) override {
    if (seconds == timeout_) return;
    Run("SET statement_timeout = " + std::to_string(seconds > 0 ? seconds * 1000 : 0));
    timeout_ = seconds;
  }
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

  PGconn* Conn() const { return conn_; }
  // The program's date (the layer's clock) for the schema's read-time computations, sent to the
  // server as trenvik.today whenever it differs from the one sent last.
  void SendToday();
  // Raises EADOError with the server's message for a failed result (and frees it).
  void Check(PGresult* result);
  // Runs a statement whose result is not needed.
  void Run(const std::string& sql) { PQclear(Query(sql)); }
  // The caller frees the result.
  PGresult* Query(const std::string& sql);
  std::string NextStatementName() { return "s" + std::to_string(++statements_); }
  Oid CitextOid() const { return citext_; }
  // The name of a table by its identifier, and of its column by number.
  bool ColumnOrigin(Oid table, int column, String& tableName, String& columnName);

 private:
  std::unique_ptr<TDbStatement> PrepareNative(const std::string& sql, std::vector<String> params);
  std::string RowWhere(const String& table, const std::vector<String>& columns, int firstParam);
  static std::string RowMatch(const std::vector<String>& columns, int firstParam);
  // The columns of a table or view; the length checks are named after constraintOwner.
  TDbTableInfo ReadColumns(const String& relation, const String& constraintOwner);
  // The one table a view selects from, or "" (for a table, or a view of several).
  String ViewBaseTable(const String& view);
  // The table that stores a view's rows (the table itself for a table): where edits go.
  String StoredTable(const String& table);
  // Whether a column of that name (in any table) has a type matching typeCondition; remembered.
  bool AnyColumnIs(std::map<String, bool>& known, const String& name, const char* typeCondition);
  bool IsDateColumn(const String& name);
  bool IsServerTextColumn(const String& name);
  bool HasServerTextFunctions();

  static constexpr Int64 kNoDay = INT64_MIN;

  PGconn* conn_ = nullptr;
  Int64 todaySent_ = kNoDay;
  String user_;
  int timeout_ = -1;
  int statements_ = 0;
  Oid citext_ = 0;
  std::map<String, TDbTableInfo> tables_;
  std::map<String, String> storedTables_;  // view -> the table under it
  std::map<String, bool> dateColumns_;
  std::map<String, bool> textColumns_;
  int serverTextFunctions_ = -1;  // unknown until asked
  std::map<std::pair<Oid, int>, std::pair<String, String>> origins_;
};

// ---- the statement ----

PgStatement::~PgStatement() {
  if (result_) PQclear(result_);
  if (PQstatus(conn_.Conn()) == CONNECTION_OK) {
    PGresult* r = PQexec(conn_.Conn(), ("DEALLOCATE " + name_).c_str());
    PQclear(r);
  }
}

void PgStatement::Execute() {
  if (result_) PQclear(result_);
  result_ = nullptr;
  row_ = -1;
  conn_.SendToday();
  std::vector<const char*> values(values_.size());
  for (size_t i = 0; i < values_.size(); ++i) values[i] = isNull_[i] ? nullptr : values_[i].c_str();
  PGresult* r = PQexecPrepared(conn_.Conn(), name_.c_str(), static_cast<int>(values.size()), values.data(),
                               nullptr, nullptr, 0);
  conn_.Check(r);
  result_ = r;
  const char* tuples = PQcmdTuples(result_);
  changes_ = tuples && *tuples ? std::atoll(tuples) : 0;
  if (columns_.empty()) Describe();
}

void PgStatement::Describe() {
  int n = PQnfields(result_);
  columns_.resize(static_cast<size_t>(n));
  texts_.assign(columns_.size(), String());
  textValid_.assign(columns_.size(), false);
  for (int i = 0; i < n; ++i) {
    TDbColumn& c = columns_[static_cast<size_t>(i)];
    c.Name = UpperCase(Utf8ToString(PQfname(result_, i)));
    Oid type = PQftype(result_, i);
    int mod = PQfmod(result_, i);
    switch (type) {
      case kBool:
        c.Type = TDbType::Boolean;
        break;
      case kInt2:
      case kInt4:
        c.Type = TDbType::Integer;
        break;
      case kInt8:
        c.Type = TDbType::Int64;
        break;
      case kFloat4:
      case kFloat8:
      case kNumeric:
        c.Type = TDbType::Float;
        break;
      case kDate:
      case kTimestamp:
      case kTimestampTz:
        c.Type = TDbType::DateTime;
        break;
      case kBytea:
        c.Type = TDbType::Blob;
        break;
      case kVarChar:
      case kBpChar:
        c.Type = TDbType::WideString;
        c.Size = mod > 4 ? mod - 4 : 4000;
        break;
      default:
        c.Type = TDbType::WideString;
        c.Size = type == kText ? 4000 : 255;
    }
    Oid table = PQftable(result_, i);
    int column = PQftablecol(result_, i);
    if (table != InvalidOid && column > 0 && conn_.ColumnOrigin(table, column, c.BaseTable, c.BaseColumn)) {
      if (auto* tc = conn_.TableInfo(c.BaseTable).Find(c.BaseColumn)) {
        c.IsKey = tc->IsKey;
        c.AutoIncrement = tc->AutoIncrement;
        c.ReadOnly = tc->Computed;
        c.Required = tc->NotNull && !tc->HasDefault && !tc->AutoIncrement;
        if (tc->Size > 0) c.Size = tc->Size;
        if (tc->Type == TDbType::Guid) c.Type = TDbType::Guid;
      }
    } else {
      c.ReadOnly = true;
    }
  }
}

Variant PgStatement::Value(int c) const {
  if (IsNull(c)) return Null();
  switch (columns_[static_cast<size_t>(c)].Type) {
    case TDbType::Integer: {
      Int64 v = AsInt64(c);
      if (v >= INT32_MIN && v <= INT32_MAX) return Variant(static_cast<Integer>(v));
      return Variant(v);
    }
    case TDbType::Int64:
      return Variant(AsInt64(c));
    case TDbType::Float:
      return Variant(AsDouble(c));
    case TDbType::DateTime:
      return VarFromDateTime(AsDouble(c));
    case TDbType::Boolean:
      return Variant(AsInt64(c) != 0);
    case TDbType::Blob: {
      size_t len = 0;
      unsigned char* bytes =
          PQunescapeBytea(reinterpret_cast<const unsigned char*>(PQgetvalue(result_, row_, c)), &len);
      AnsiString out(reinterpret_cast<char*>(bytes), len);
      PQfreemem(bytes);
      return VarFromAnsiString(out);
    }
    default:
      return Variant(AsString(c));
  }
}

// ---- the connection ----

PgConnection::PgConnection(const TDbConnectParams& params) {
  std::vector<std::string> keys, values;
  auto add = [&](const char* key, const String& value) {
    if (value.empty()) return;
    keys.push_back(key);
    values.push_back(StringToUtf8(value));
  };
  // Data Source: "host", "host:port" or a socket folder.
  String source = params.DataSource;
  size_t colon = source.rfind(u':');
  if (colon != String::npos && source.find(u'/') == String::npos) {
    add("port", source.substr(colon + 1));
    source = source.substr(0, colon);
  }
  add("host", source);
  add("dbname", params.InitialCatalog);
  add("user", params.UserID);
  add("password", params.Password);
  for (auto& [name, value] : params.Options) {
    if (SameName(name, u"Port")) add("port", value);
    if (SameName(name, u"Connect Timeout")) add("connect_timeout", value);
  }
  add("client_encoding", u"UTF8");
  add("application_name", u"trenvik");
  std::vector<const char*> k, v;
  for (size_t i = 0; i < keys.size(); ++i) {
    k.push_back(keys[i].c_str());
    v.push_back(values[i].c_str());
  }
  k.push_back(nullptr);
  v.push_back(nullptr);
  conn_ = PQconnectdbParams(k.data(), v.data(), 0);
  if (PQstatus(conn_) != CONNECTION_OK) {
    String message = Utf8ToString(PQerrorMessage(conn_));
    PQfinish(conn_);
    conn_ = nullptr;
    throw EADOError(u"Cannot connect to the database server: " + Trim(message));
  }
  user_ = Utf8ToString(PQuser(conn_));
  Run("SET DateStyle = 'ISO, DMY'");
  PGresult* r = Query("SELECT oid FROM pg_type WHERE typname = 'citext'");
  if (PQntuples(r) > 0) citext_ = static_cast<Oid>(std::strtoul(PQgetvalue(r, 0, 0), nullptr, 10));
  PQclear(r);
  SetCommandTimeout(30);
}

void PgConnection::SendToday() {
  TDateTime now = Clock().Now();
  Int64 day = static_cast<Int64>(std::floor(now));
  if (day == todaySent_) return;
  std::string date = DateText(now).substr(0, 10);
  Run("SELECT set_config('trenvik.today', '" + date + "', false)");
  todaySent_ = day;
}

void PgConnection::Check(PGresult* result) {
  auto status = PQresultStatus(result);
  if (status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK) return;
  std::string message = result ? PQresultErrorMessage(result) : PQerrorMessage(conn_);
  auto field = [&](int code) {
    const char* v = result ? PQresultErrorField(result, code) : nullptr;
    return std::string(v ? v : "");
  };
  std::string state = field(PG_DIAG_SQLSTATE), constraint = field(PG_DIAG_CONSTRAINT_NAME);
  PQclear(result);
  if (state == "57014") message = "The statement was stopped: its time-out expired";
  // The schema names its length checks len_<table>_<column>.
  if (constraint.rfind("len_", 0) == 0) message = "Text is too long for the column " + constraint.substr(4);
  while (!message.empty() && (message.back() == '\n' || message.back() == ' ')) message.pop_back();
  throw EADOError(Utf8ToString(message));
}

PGresult* PgConnection::Query(const std::string& sql) {
  PGresult* r = PQexec(conn_, sql.c_str());
  Check(r);
  return r;
}

bool PgConnection::AnyColumnIs(std::map<String, bool>& known, const String& name, const char* typeCondition) {
  String key = LowerCase(name);
  auto it = known.find(key);
  if (it != known.end()) return it->second;
  const char* values[1];
  std::string n = StringToUtf8(key);
  values[0] = n.c_str();
  std::string sql =
      "SELECT 1 FROM information_schema.columns WHERE table_schema = current_schema() AND column_name = $1 "
      "AND " +
      std::string(typeCondition) + " LIMIT 1";
  PGresult* r = PQexecParams(conn_, sql.c_str(), 1, nullptr, values, nullptr, nullptr, 0);
  Check(r);
  bool found = PQntuples(r) > 0;
  PQclear(r);
  known[key] = found;
  return found;
}

bool PgConnection::IsDateColumn(const String& name) {
  return AnyColumnIs(dateColumns_, name, "data_type LIKE 'timestamp%'");
}

bool PgConnection::IsServerTextColumn(const String& name) {
  return AnyColumnIs(textColumns_, name, "udt_name = 'citext'");
}

bool PgConnection::HasServerTextFunctions() {
  if (serverTextFunctions_ < 0) {
    PGresult* r = Query(
        "SELECT count(*) FROM pg_proc WHERE proname IN ('server_key', 'server_like') AND pronamespace = "
        "current_schema()::regnamespace");
    serverTextFunctions_ = std::atoi(PQgetvalue(r, 0, 0)) >= 3 ? 1 : 0;  // server_like has two forms
    PQclear(r);
  }
  return serverTextFunctions_ == 1;
}

std::unique_ptr<TDbStatement> PgConnection::PrepareNative(const std::string& sql,
                                                          std::vector<String> params) {
  std::string name = NextStatementName();
  PGresult* r = PQprepare(conn_, name.c_str(), sql.c_str(), static_cast<int>(params.size()), nullptr);
  Check(r);
  PQclear(r);
  int count = static_cast<int>(params.size());
  return std::make_unique<PgStatement>(*this, name, std::move(params), count);
}

std::unique_ptr<TDbStatement> PgConnection::Prepare(const String& sql) {
  TSqlDialectSchema schema;
  schema.IsDateColumn = [this](const String& c) { return IsDateColumn(c); };
  if (HasServerTextFunctions())
    schema.IsServerTextColumn = [this](const String& c) { return IsServerTextColumn(c); };
  std::vector<String> params;
  String native = TranslateToPostgres(sql, schema, params);
  return PrepareNative(StringToUtf8(native), std::move(params));
}

bool PgConnection::ColumnOrigin(Oid table, int column, String& tableName, String& columnName) {
  auto key = std::make_pair(table, column);
  auto it = origins_.find(key);
  if (it == origins_.end()) {
    std::string sql =
        "SELECT c.relname, a.attname FROM pg_class c JOIN pg_attribute a ON a.attrelid = c.oid "
        "WHERE c.oid = " +
        std::to_string(table) + " AND a.attnum = " + std::to_string(column);
    PGresult* r = Query(sql);
    std::pair<String, String> names;
    if (PQntuples(r) > 0)
      names = {UpperCase(Utf8ToString(PQgetvalue(r, 0, 0))), UpperCase(Utf8ToString(PQgetvalue(r, 0, 1)))};
    PQclear(r);
    it = origins_.emplace(key, names).first;
  }
  tableName = it->second.first;
  columnName = it->second.second;
  return !tableName.empty();
}

const TDbTableInfo& PgConnection::TableInfo(const String& table) {
  String key = UpperCase(table);
  auto it = tables_.find(key);
  if (it != tables_.end()) return it->second;
  TDbTableInfo info = ReadColumns(table, table);
  // A view over one table (the schema's way of computing columns when read): its columns are the
  // table's, with their keys, identities and lengths; the others are computed.
  String base = ViewBaseTable(table);
  if (!base.empty()) {
    TDbTableInfo stored = ReadColumns(base, table);
    for (auto& c : info.Columns) {
      if (const TDbTableColumn* s = stored.Find(c.Name))
        c = *s;
      else
        c.Computed = true;
    }
    storedTables_[key] = base;
  }
  return tables_.emplace(key, std::move(info)).first->second;
}

String PgConnection::ViewBaseTable(const String& view) {
  std::string name = StringToUtf8(LowerCase(view));
  const char* values[1] = {name.c_str()};
  PGresult* r = PQexecParams(conn_,
                             "SELECT table_name FROM information_schema.view_table_usage WHERE view_schema = "
                             "current_schema() AND view_name = $1",
                             1, nullptr, values, nullptr, nullptr, 0);
  Check(r);
  String base = PQntuples(r) == 1 ? UpperCase(Utf8ToString(PQgetvalue(r, 0, 0))) : String();
  PQclear(r);
  return base;
}

String PgConnection::StoredTable(const String& table) {
  String name = table;
  // Views over views end at a table; the depth only guards against a cycle.
  for (int depth = 0; depth < 8; ++depth) {
    TableInfo(name);
    auto it = storedTables_.find(UpperCase(name));
    if (it == storedTables_.end()) break;
    name = it->second;
  }
  return name;
}

TDbTableInfo PgConnection::ReadColumns(const String& relation, const String& constraintOwner) {
  TDbTableInfo info;
  info.Name = relation;
  std::string name = StringToUtf8(LowerCase(relation));
  std::string owner = StringToUtf8(LowerCase(constraintOwner));
  const char* values[2] = {name.c_str(), owner.c_str()};
  PGresult* r = PQexecParams(
      conn_,
      "SELECT a.attname, format_type(a.atttypid, a.atttypmod), a.attnotnull, a.atthasdef, a.attidentity, "
      "a.attgenerated, COALESCE((SELECT true FROM pg_index i WHERE i.indrelid = c.oid AND i.indisprimary AND "
      "a.attnum = ANY(i.indkey)), false), "
      "(SELECT substring(pg_get_constraintdef(k.oid) from '<= *\\(?([0-9]+)') FROM pg_constraint k WHERE "
      "k.conrelid = c.oid AND k.conname = 'len_' || $2 || '_' || a.attname LIMIT 1) "
      "FROM pg_class c JOIN pg_attribute a ON a.attrelid = c.oid "
      "WHERE c.relname = $1 AND c.relnamespace = current_schema()::regnamespace AND a.attnum > 0 AND NOT "
      "a.attisdropped ORDER BY a.attnum",
      2, nullptr, values, nullptr, nullptr, 0);
  Check(r);
  for (int i = 0; i < PQntuples(r); ++i) {
    TDbTableColumn c;
    c.Name = UpperCase(Utf8ToString(PQgetvalue(r, i, 0)));
    std::string type = PQgetvalue(r, i, 1);
    if (type.rfind("integer", 0) == 0 || type.rfind("smallint", 0) == 0)
      c.Type = TDbType::Integer;
    else if (type.rfind("bigint", 0) == 0)
      c.Type = TDbType::Int64;
    else if (type.rfind("timestamp", 0) == 0 || type == "date")
      c.Type = TDbType::DateTime;
    else if (type.rfind("boolean", 0) == 0)
      c.Type = TDbType::Boolean;
    else if (type.rfind("double", 0) == 0 || type.rfind("numeric", 0) == 0 || type == "real")
      c.Type = TDbType::Float;
    else if (type == "character varying(38)")
      c.Type = TDbType::Guid, c.Size = 38;
    else
      c.Type = TDbType::WideString;
    c.NotNull = PQgetvalue(r, i, 2)[0] == 't';
    c.HasDefault = PQgetvalue(r, i, 3)[0] == 't';
    c.AutoIncrement = PQgetvalue(r, i, 4)[0] != '\0';
    c.Computed = PQgetvalue(r, i, 5)[0] != '\0';
    c.IsKey = PQgetvalue(r, i, 6)[0] == 't';
    if (!PQgetisnull(r, i, 7)) c.Size = std::atoi(PQgetvalue(r, i, 7));
    info.Columns.push_back(c);
  }
  PQclear(r);
  return info;
}

std::string PgConnection::RowMatch(const std::vector<String>& columns, int firstParam) {
  std::string where;
  for (size_t i = 0; i < columns.size(); ++i) {
    if (i) where += " AND ";
    where += Quote(columns[i]) + " IS NOT DISTINCT FROM $" + std::to_string(firstParam + static_cast<int>(i));
  }
  return where.empty() ? "true" : where;
}

// One row of several equal ones: by its physical address, which only a table has.
std::string PgConnection::RowWhere(const String& table, const std::vector<String>& columns, int firstParam) {
  return "ctid = (SELECT ctid FROM " + Quote(table) + " WHERE " + RowMatch(columns, firstParam) + " LIMIT 1)";
}

std::vector<Variant> PgConnection::InsertRow(const String& table, const std::vector<String>& columns,
                                             const std::vector<Variant>& values,
                                             const std::vector<String>& returnColumns) {
  std::string sql = "INSERT INTO " + Quote(table);
  if (columns.empty()) {
    sql += " DEFAULT VALUES";
  } else {
    std::string names, marks;
    for (size_t i = 0; i < columns.size(); ++i) {
      names += (i ? "," : "") + Quote(columns[i]);
      marks += (i ? ",$" : "$") + std::to_string(i + 1);
    }
    sql += " (" + names + ") VALUES (" + marks + ")";
  }
  if (!returnColumns.empty()) {
    sql += " RETURNING ";
    for (size_t i = 0; i < returnColumns.size(); ++i) sql += (i ? "," : "") + Quote(returnColumns[i]);
  }
  auto st = PrepareNative(sql, std::vector<String>(columns.size()));
  for (size_t i = 0; i < values.size(); ++i) st->SetParam(static_cast<int>(i), values[i]);
  st->Execute();
  std::vector<Variant> result;
  if (st->Next())
    for (size_t i = 0; i < returnColumns.size(); ++i) result.push_back(st->Value(static_cast<int>(i)));
  return result;
}

Int64 PgConnection::UpdateRow(const String& table, const std::vector<String>& setColumns,
                              const std::vector<Variant>& setValues, const std::vector<String>& whereColumns,
                              const std::vector<Variant>& whereValues) {
  if (setColumns.empty()) return 0;
  std::string sets;
  for (size_t i = 0; i < setColumns.size(); ++i)
    sets += (i ? "," : "") + Quote(setColumns[i]) + " = $" + std::to_string(i + 1);
  String stored = StoredTable(table);
  std::string sql = "UPDATE " + Quote(stored) + " SET " + sets + " WHERE " +
                    RowWhere(stored, whereColumns, static_cast<int>(setColumns.size()) + 1);
  auto st = PrepareNative(sql, std::vector<String>(setColumns.size() + whereColumns.size()));
  int p = 0;
  for (auto& v : setValues) st->SetParam(p++, v);
  for (auto& v : whereValues) st->SetParam(p++, v);
  st->Execute();
  return st->RowsAffected();
}

Int64 PgConnection::DeleteRow(const String& table, const std::vector<String>& whereColumns,
                              const std::vector<Variant>& whereValues) {
  String stored = StoredTable(table);
  auto st = PrepareNative("DELETE FROM " + Quote(stored) + " WHERE " + RowWhere(stored, whereColumns, 1),
                          std::vector<String>(whereColumns.size()));
  int p = 0;
  for (auto& v : whereValues) st->SetParam(p++, v);
  st->Execute();
  return st->RowsAffected();
}

std::vector<Variant> PgConnection::ReadRow(const String& table, const std::vector<String>& whereColumns,
                                           const std::vector<Variant>& whereValues,
                                           const std::vector<String>& columns) {
  std::string cols;
  for (size_t i = 0; i < columns.size(); ++i) cols += (i ? "," : "") + Quote(columns[i]);
  auto st = PrepareNative(
      "SELECT " + cols + " FROM " + Quote(table) + " WHERE " + RowMatch(whereColumns, 1) + " LIMIT 1",
      std::vector<String>(whereColumns.size()));
  int p = 0;
  for (auto& v : whereValues) st->SetParam(p++, v);
  st->Execute();
  std::vector<Variant> result;
  if (st->Next())
    for (size_t i = 0; i < columns.size(); ++i) result.push_back(st->Value(static_cast<int>(i)));
  return result;
}

Variant PgConnection::CallFunction(const String& name, const std::vector<Variant>& args) {
  CheckProcedureName(name);
  std::string sql = "SELECT " + StringToUtf8(LowerCase(name)) + "(";
  for (size_t i = 0; i < args.size(); ++i) sql += (i ? ",$" : "$") + std::to_string(i + 1);
  sql += ")";
  auto st = PrepareNative(sql, std::vector<String>(args.size()));
  for (size_t i = 0; i < args.size(); ++i) st->SetParam(static_cast<int>(i), args[i]);
  st->Execute();
  return st->Next() ? st->Value(0) : Null();
}

class PgDriver final : public TDbDriver {
 public:
  std::unique_ptr<TDbConnection> Connect(const TDbConnectParams& params) override {
    return std::make_unique<PgConnection>(params);
  }
};

}  // namespace

void RegisterPostgresDriver() {
  RegisterDbDriver(u"PostgreSQL", [] { return std::make_unique<PgDriver>(); });
}
