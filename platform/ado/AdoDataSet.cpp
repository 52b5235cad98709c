#include <algorithm>

#include "platform/ado/ADODB.h"
#include "platform/ado/AdoBinding.h"
#include "platform/ado/SqlTokens.h"
#include "platform/classes/Published.h"
#include "platform/data/DataSource.h"
#include "platform/data/Field.h"
#include "platform/rtl/StrUtils.h"

namespace {

TFieldType FieldTypeOf(const TDbColumn& c) {
  switch (c.Type) {
    case TDbType::Integer:
      return c.AutoIncrement ? ftAutoInc : ftInteger;
    case TDbType::Int64:
      return ftLargeint;
    case TDbType::Float:
      return ftFloat;
    case TDbType::DateTime:
      return ftDateTime;
    case TDbType::Guid:
      return ftGuid;
    case TDbType::Boolean:
      return ftBoolean;
    case TDbType::Blob:
      return ftBlob;
    case TDbType::Memo:
      return ftMemo;
    default:
      return ftWideString;
  }
}

const char* const kRowNotFound = "The row is no longer as it was read: it was changed or deleted meanwhile";

}  // namespace

// Follows the master data source: copies its field values into the parameters of the same names
// and reopens the detail when any of them changed.
class TADOMasterLink : public TDetailDataLink {
 public:
  explicit TADOMasterLink(TCustomADODataSet* Detail) : TDetailDataLink(Detail), detail_(Detail) {}

  // True when a parameter changed.
  bool CopyParams() {
    TDataSet* master = DataSet();
    if (!master || !master->Active()) return false;
    bool changed = false;
    TParameters* params = detail_->Parameters();
    for (int i = 0; i < params->Count(); ++i) {
      TParameter* p = params->Items(i);
      TField* f = master->FindField(p->Name());
      if (!f) continue;
      Variant v = f->IsNull() ? Null() : f->AsVariant();
      bool same = false;
      try {
        same = p->Value().Type() == v.Type() && p->Value() == v;
      } catch (const Exception&) {
      }
      if (!same) {
        if (p->DataType() == ftUnknown)
          p->SetDataType(f->DataType() == ftAutoInc ? ftInteger : f->DataType());
        p->SetValue(v);
        changed = true;
      }
    }
    return changed;
  }

 protected:
  void ActiveChanged() override {
    if (Active()) Follow();
  }
  void RecordChanged(TField* Field) override {
    if (!Field) Follow();
  }
  void CheckBrowseMode() override {}

 private:
  void Follow() {
    if (!CopyParams() || !detail_->Active()) return;
    detail_->MasterChanged();
  }
  TCustomADODataSet* detail_;
};

TRENVIK_IMPLEMENT_CLASS(TCustomADODataSet)

TCustomADODataSet::TCustomADODataSet(TComponent* AOwner)
    : TDataSet(AOwner),
      parameters_(std::make_unique<TParameters>(this)),
      masterLink_(std::make_unique<TADOMasterLink>(this)) {}

TCustomADODataSet::~TCustomADODataSet() {
  try {
    Close();
  } catch (...) {
    // Closing cannot fail in a way the owner could act on while it is being destroyed.
  }
  statement_.reset();
  masterLink_.reset();
  if (connection_) connection_->UnRegisterClient(this);
}

void TCustomADODataSet::SetConnection(TADOConnection* Value) {
  if (Value == connection_) return;
  CheckInactive();
  statement_.reset();
  AdoSwitchConnection(this, connection_, Value);
}

void TCustomADODataSet::Notification(TComponent* AComponent, TOperation Operation) {
  TDataSet::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == connection_) {
    statement_.reset();
    connection_ = nullptr;
  }
}

TDataSource* TCustomADODataSet::DataSource() const {
  return masterLink_ ? masterLink_->DataSource() : nullptr;
}

void TCustomADODataSet::SetDataSource(TDataSource* Value) { masterLink_->SetDataSource(Value); }

void TCustomADODataSet::SetCommandTextValue(const String& Value) {
  if (Value == commandText_) return;
  if (Active()) Close();
  commandText_ = Value;
  statement_.reset();
  statementFresh_ = false;
  if (paramCheck_ && commandType_ != cmdStoredProc && !ComponentState().Contains(csLoading))
    parameters_->ParseSQL(Value, true);
}

String TCustomADODataSet::StatementText() const { return AdoStatementText(commandType_, commandText_); }

TADOConnection& TCustomADODataSet::CheckConnection() {
  return AdoOpenConnection(connection_, "The dataset has no connection");
}

void TCustomADODataSet::RunStatement() {
  TADOConnection& conn = CheckConnection();
  TDbConnection& db = conn.DbConnection();
  masterLink_->CopyParams();
  statement_.reset();
  statementFresh_ = false;
  std::unique_ptr<TDbStatement> st = db.Prepare(StatementText());
  AdoExecute(conn, *st, *parameters_, commandTimeout_, false);
  columns_.clear();
  for (int i = 0; i < st->ColumnCount(); ++i) columns_.push_back(st->Column(i));
  rowsAffected_ = static_cast<int>(st->RowsAffected());
  statement_ = std::move(st);
  statementFresh_ = true;
}

void TCustomADODataSet::InternalInitFieldDefs() {
  if (!statementFresh_) RunStatement();
  if (columns_.empty()) throw EADOError("The statement returns no rows");
  FieldDefs()->Clear();
  for (size_t i = 0; i < columns_.size(); ++i) {
    const TDbColumn& c = columns_[i];
    String name = c.Name;
    // An unnamed expression gets a name of its position.
    if (c.BaseTable.empty() && !IsValidIdent(name)) name = u"COLUMN" + Utf8ToString(std::to_string(i + 1));
    String unique = name;
    for (int n = 1; FieldDefs()->IndexOf(unique) >= 0; ++n)
      unique = name + u"_" + Utf8ToString(std::to_string(n));
    TFieldType type = FieldTypeOf(c);
    int size = type == ftWideString ? c.Size : type == ftGuid ? 38 : 0;
    TFieldDef* def = FieldDefs()->Add(unique, type, size, c.Required);
    def->SetReadOnly(c.ReadOnly || c.AutoIncrement);
  }
}

void TCustomADODataSet::InternalOpen() {
  if (!statementFresh_) RunStatement();
  FetchRows();
  // The order is built right after this with the keys known, so the open announces no second
  // change of the whole dataset (every bound list would load twice).
  SetSortKeys(ParseSortKeys(indexFieldNames_, true));
}

void TCustomADODataSet::FetchRows() {
  TRecordStore& store = Store();
  TDbStatement& st = *statement_;
  int columns = std::min(store.ColumnCount(), st.ColumnCount());
  std::vector<TStoreKind> kinds;
  for (int c = 0; c < columns; ++c) kinds.push_back(store.ColumnKind(c));
  while (st.Next()) {
    TRecordId row = store.AppendRow();
    for (int c = 0; c < columns; ++c) {
      if (st.IsNull(c)) continue;
      switch (kinds[static_cast<size_t>(c)]) {
        case TStoreKind::Integer:
          if (store.ColumnType(c) == ftBoolean)
            store.SetInt(row, c, st.AsInt64(c) != 0 ? 1 : 0);
          else
            store.SetInt(row, c, st.AsInt64(c));
          break;
        case TStoreKind::Float:
        case TStoreKind::DateTime:
          store.SetFloat(row, c, st.AsDouble(c));
          break;
        case TStoreKind::Currency:
          store.SetValue(row, c, Variant(st.AsDouble(c)));
          break;
        case TStoreKind::Text:
          store.SetText(row, c, st.TextView(c));
          break;
        case TStoreKind::Bytes:
          store.SetValue(row, c, st.Value(c));
          break;
      }
    }
  }
  // The whole result is on the client: the statement (and its read transaction) can go.
  statement_.reset();
  statementFresh_ = false;
}

void TCustomADODataSet::DoAfterOpen() {
  ApplySort();
  TDataSet::DoAfterOpen();
}

void TCustomADODataSet::InternalClose() {
  statement_.reset();
  statementFresh_ = false;
  sort_.clear();
}

void TCustomADODataSet::InternalRefresh() {
  RunStatement();
  Store().Clear();
  FetchRows();
}

void TCustomADODataSet::Requery() {
  CheckActive();
  CheckBrowseMode();
  Refresh();
  First();
}

void TCustomADODataSet::MasterChanged() {
  DisableControls();
  try {
    Close();
    Open();
  } catch (...) {
    EnableControls();
    throw;
  }
  EnableControls();
}

int TCustomADODataSet::ExecuteStatement() {
  TADOConnection& conn = CheckConnection();
  TDbConnection& db = conn.DbConnection();
  masterLink_->CopyParams();
  std::unique_ptr<TDbStatement> st = db.Prepare(StatementText());
  AdoExecute(conn, *st, *parameters_, commandTimeout_, true);
  rowsAffected_ = static_cast<int>(st->RowsAffected());
  return rowsAffected_;
}

// ---- Sorting ----

std::vector<TSortKey> TCustomADODataSet::ParseSortKeys(const String& text, bool indexSyntax) const {
  std::vector<TSortKey> keys;
  String rest = text;
  Char separator = indexSyntax ? u';' : u',';
  size_t start = 0;
  while (start <= rest.size()) {
    size_t end = rest.find(separator, start);
    String part = Trim(rest.substr(start, end == String::npos ? String::npos : end - start));
    start = end == String::npos ? rest.size() + 1 : end + 1;
    if (part.empty()) continue;
    bool descending = false;
    if (!indexSyntax) {
      size_t blank = part.find_last_of(u" \t");
      if (blank != String::npos) {
        String word = part.substr(blank + 1);
        if (SameName(word, u"DESC") || SameName(word, u"ASC")) {
          descending = SameName(word, u"DESC");
          part = Trim(part.substr(0, blank));
        }
      }
    }
    if (part.size() >= 2 && part.front() == '[' && part.back() == ']') part = part.substr(1, part.size() - 2);
    TField* field = FindField(part);
    int column = field ? FieldColumn(field) : -1;
    if (column < 0) throw EADOError(u"Field '" + part + u"' not found");
    TSortKey key;
    key.Column = column;
    key.Descending = descending;
    key.CaseInsensitive = true;
    keys.push_back(key);
  }
  return keys;
}

void TCustomADODataSet::ApplySort() {
  if (!Active()) return;
  if (!sort_.empty())
    SetSortKeys(ParseSortKeys(sort_, false));
  else
    SetSortKeys(ParseSortKeys(indexFieldNames_, true));
}

void TCustomADODataSet::SetSort(const String& Value) {
  CheckActive();
  std::vector<TSortKey> keys = ParseSortKeys(Value, false);
  CheckBrowseMode();
  sort_ = Value;
  SetSortKeys(keys.empty() && !indexFieldNames_.empty() ? ParseSortKeys(indexFieldNames_, true) : keys);
}

void TCustomADODataSet::SetIndexFieldNames(const String& Value) {
  if (Active()) {
    std::vector<TSortKey> keys = ParseSortKeys(Value, true);
    CheckBrowseMode();
    indexFieldNames_ = Value;
    sort_.clear();
    SetSortKeys(keys);
  } else {
    indexFieldNames_ = Value;
  }
}

// ---- Writing edits back ----

String TCustomADODataSet::UpdateTable() const {
  for (auto& c : columns_)
    if (c.IsKey && !c.BaseTable.empty()) return c.BaseTable;
  for (auto& c : columns_)
    if (!c.BaseTable.empty()) return c.BaseTable;
  return String();
}

bool TCustomADODataSet::GetCanModify() const {
  return lockType_ != ltReadOnly && cursorType_ != ctOpenForwardOnly && !UpdateTable().empty();
}

void TCustomADODataSet::RowLocator(TRecordId Row, std::vector<String>& Columns,
                                   std::vector<Variant>& Values) const {
  String table = UpdateTable();
  const TDbTableInfo& info = connection_->DbConnection().TableInfo(table);
  Columns.clear();
  Values.clear();
  // By the key when the result carries every key column.
  bool keyed = info.HasKey();
  for (auto& tc : info.Columns) {
    if (!tc.IsKey) continue;
    bool found = false;
    for (size_t i = 0; i < columns_.size(); ++i)
      if (SameName(columns_[i].BaseTable, table) && SameName(columns_[i].BaseColumn, tc.Name)) {
        Columns.push_back(tc.Name);
        Values.push_back(Store().GetValue(Row, static_cast<int>(i)));
        found = true;
        break;
      }
    keyed = keyed && found;
  }
  if (keyed) return;
  Columns.clear();
  Values.clear();
  for (size_t i = 0; i < columns_.size(); ++i) {
    const TDbColumn& c = columns_[i];
    if (!SameName(c.BaseTable, table) || c.Type == TDbType::Blob || c.Type == TDbType::Memo) continue;
    if (std::any_of(Columns.begin(), Columns.end(),
                    [&](const String& n) { return SameName(n, c.BaseColumn); }))
      continue;
    Columns.push_back(c.BaseColumn);
    Values.push_back(Store().GetValue(Row, static_cast<int>(i)));
  }
}

void TCustomADODataSet::CopyServerValues(TRecordValues& Values, const std::vector<int>& Columns,
                                         const std::vector<Variant>& Read) {
  for (size_t k = 0; k < Columns.size() && k < Read.size(); ++k) {
    size_t i = static_cast<size_t>(Columns[k]);
    if (i < Values.Values.size()) Values.Values[i] = Read[k];
  }
}

void TCustomADODataSet::ResolveInsert(TRecordValues& Values) {
  String table = UpdateTable();
  if (table.empty()) throw EADOError("The result has no table its changes could be written to");
  TDbConnection& db = CheckConnection().DbConnection();
  std::vector<String> names, readNames;
  std::vector<Variant> values;
  std::vector<int> readColumns;
  for (size_t i = 0; i < columns_.size() && i < Values.Values.size(); ++i) {
    const TDbColumn& c = columns_[i];
    if (!SameName(c.BaseTable, table)) continue;
    readNames.push_back(c.BaseColumn);
    readColumns.push_back(static_cast<int>(i));
    if (c.ReadOnly || c.AutoIncrement) continue;
    // A column never given a value is left to the server's default.
    bool given = (i < Values.Assigned.size() && Values.Assigned[i]) || !VarIsNull(Values.Values[i]);
    if (!given || VarIsEmpty(Values.Values[i])) continue;
    names.push_back(c.BaseColumn);
    values.push_back(Values.Values[i]);
  }
  std::vector<Variant> read = db.InsertRow(table, names, values, readNames);
  CopyServerValues(Values, readColumns, read);
}

void TCustomADODataSet::ResolveUpdate(TRecordValues& Values) {
  String table = UpdateTable();
  if (table.empty()) throw EADOError("The result has no table its changes could be written to");
  TDbConnection& db = CheckConnection().DbConnection();
  std::vector<String> names;
  std::vector<Variant> values;
  bool computed = false;
  for (size_t i = 0; i < columns_.size() && i < Values.Values.size(); ++i) {
    const TDbColumn& c = columns_[i];
    if (!SameName(c.BaseTable, table)) continue;
    if (c.ReadOnly) computed = true;
    if (c.ReadOnly || c.AutoIncrement) continue;
    if (i >= Values.Assigned.size() || !Values.Assigned[i]) continue;
    Variant old = Store().GetValue(Values.Row, static_cast<int>(i));
    bool same = false;
    try {
      same = old.Type() == Values.Values[i].Type() && old == Values.Values[i];
    } catch (const Exception&) {
    }
    if (same) continue;
    names.push_back(c.BaseColumn);
    values.push_back(Values.Values[i]);
  }
  if (names.empty()) return;
  std::vector<String> whereColumns;
  std::vector<Variant> whereValues;
  RowLocator(Values.Row, whereColumns, whereValues);
  if (db.UpdateRow(table, names, values, whereColumns, whereValues) == 0) throw EADOError(kRowNotFound);
  if (!computed) return;
  // Columns the server computes (an age from a birth date) are read back by the new values.
  for (size_t k = 0; k < whereColumns.size(); ++k)
    for (size_t n = 0; n < names.size(); ++n)
      if (SameName(names[n], whereColumns[k])) whereValues[k] = values[n];
  std::vector<String> readNames;
  std::vector<int> readColumns;
  for (size_t i = 0; i < columns_.size() && i < Values.Values.size(); ++i)
    if (SameName(columns_[i].BaseTable, table) && columns_[i].ReadOnly) {
      readNames.push_back(columns_[i].BaseColumn);
      readColumns.push_back(static_cast<int>(i));
    }
  CopyServerValues(Values, readColumns, db.ReadRow(table, whereColumns, whereValues, readNames));
}

void TCustomADODataSet::ResolveDelete(TRecordId Row) {
  String table = UpdateTable();
  if (table.empty()) throw EADOError("The result has no table its changes could be written to");
  TDbConnection& db = CheckConnection().DbConnection();
  std::vector<String> whereColumns;
  std::vector<Variant> whereValues;
  RowLocator(Row, whereColumns, whereValues);
  if (db.DeleteRow(table, whereColumns, whereValues) == 0) throw EADOError(kRowNotFound);
}

// ---- TADODataSet, TADOQuery, TADOStoredProc ----

TRENVIK_PUBLISHED(TADODataSet) {
  P.Property("CommandText", &TADODataSet::CommandText, &TADODataSet::SetCommandText);
  P.Property("CommandType", &TADODataSet::CommandType, &TADODataSet::SetCommandType).Default(cmdText);
  P.Property("CommandTimeout", &TADODataSet::CommandTimeout, &TADODataSet::SetCommandTimeout).Default(30);
  P.Property("Connection", &TADODataSet::Connection, &TADODataSet::SetConnection);
  P.Property("CursorLocation", &TADODataSet::CursorLocation, &TADODataSet::SetCursorLocation)
      .Default(clUseClient);
  P.Property("CursorType", &TADODataSet::CursorType, &TADODataSet::SetCursorType).Default(ctKeyset);
  P.Property("LockType", &TADODataSet::LockType, &TADODataSet::SetLockType).Default(ltOptimistic);
  P.Property("DataSource", &TADODataSet::DataSource, &TADODataSet::SetDataSource);
  P.Property("IndexFieldNames", &TADODataSet::IndexFieldNames, &TADODataSet::SetIndexFieldNames);
  P.Property("ParamCheck", &TADODataSet::ParamCheck, &TADODataSet::SetParamCheck).Default(true);
  P.Property("Parameters", &TADODataSet::Parameters, &TADODataSet::SetParameters);
}

TRENVIK_PUBLISHED(TADOQuery) {
  P.Property("CommandTimeout", &TADOQuery::CommandTimeout, &TADOQuery::SetCommandTimeout).Default(30);
  P.Property("Connection", &TADOQuery::Connection, &TADOQuery::SetConnection);
  P.Property("CursorLocation", &TADOQuery::CursorLocation, &TADOQuery::SetCursorLocation)
      .Default(clUseClient);
  P.Property("CursorType", &TADOQuery::CursorType, &TADOQuery::SetCursorType).Default(ctKeyset);
  P.Property("LockType", &TADOQuery::LockType, &TADOQuery::SetLockType).Default(ltOptimistic);
  P.Property("DataSource", &TADOQuery::DataSource, &TADOQuery::SetDataSource);
  P.Property("ParamCheck", &TADOQuery::ParamCheck, &TADOQuery::SetParamCheck).Default(true);
  P.Property("Parameters", &TADOQuery::Parameters, &TADOQuery::SetParameters);
  P.Property("SQL", &TADOQuery::SQL, &TADOQuery::SetSQL);
}

TADOQuery::TADOQuery(TComponent* AOwner) : TCustomADODataSet(AOwner), sql_(std::make_unique<TStringList>()) {
  sql_->OnChange = [this](TObject*) { SQLChanged(); };
}

TADOQuery::~TADOQuery() { sql_->OnChange = nullptr; }

void TADOQuery::SQLChanged() { SetCommandTextValue(sql_->Text()); }

int TADOQuery::ExecSQL() { return ExecuteStatement(); }

TRENVIK_PUBLISHED(TADOStoredProc) {
  P.Property("Connection", &TADOStoredProc::Connection, &TADOStoredProc::SetConnection);
  P.Property("CommandTimeout", &TADOStoredProc::CommandTimeout, &TADOStoredProc::SetCommandTimeout)
      .Default(30);
  P.Property("ProcedureName", &TADOStoredProc::ProcedureName, &TADOStoredProc::SetProcedureName);
  P.Property("Parameters", &TADOStoredProc::Parameters, &TADOStoredProc::SetParameters);
}

TADOStoredProc::TADOStoredProc(TComponent* AOwner) : TCustomADODataSet(AOwner) {
  SetCommandTypeValue(cmdStoredProc);
}

String TADOStoredProc::StatementText() const {
  throw EADOError("A stored procedure returns its result through its parameters; use ExecProc");
}

void TADOStoredProc::ExecProc() {
  TDbConnection& db = CheckConnection().DbConnection();
  String name = CommandTextValue();
  size_t group = name.find(u';');
  if (group != String::npos) name = name.substr(0, group);
  std::vector<Variant> args;
  TParameter* result = nullptr;
  for (int i = 0; i < Parameters()->Count(); ++i) {
    TParameter* p = Parameters()->Items(i);
    if (p->Direction() == pdReturnValue)
      result = p;
    else if (p->Direction() == pdInput || p->Direction() == pdInputOutput || p->Direction() == pdUnknown)
      args.push_back(p->Value());
  }
  Variant value = db.CallFunction(name, args);
  if (result) result->SetValue(value);
}
