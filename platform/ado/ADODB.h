// The database access layer: connections (with data-link files and the login prompt), commands,
// datasets, queries and stored procedures over the drivers of DbDriver.h.
//
// Datasets fetch their whole result into the client store (static and keyset cursors alike), sort
// on the client (Sort, IndexFieldNames) and write edits back to their base table with generated
// INSERT, UPDATE and DELETE statements: keyed by the table's key when the result carries it, by
// every original value otherwise. After an insert the row is read back on the same connection, so
// the identity and the server's defaults (GUID keys, the login name) reach the fields.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "platform/ado/DbDriver.h"
#include "platform/classes/Collection.h"
#include "platform/classes/Component.h"
#include "platform/classes/StringList.h"
#include "platform/data/DataLink.h"
#include "platform/data/DataSet.h"

class TADOConnection;
class TDataSource;

TRENVIK_ENUM(TCursorLocation, clUseServer, clUseClient);
TRENVIK_ENUM(TCursorType, ctUnspecified, ctOpenForwardOnly, ctKeyset, ctDynamic, ctStatic);
TRENVIK_ENUM(TADOLockType, ltUnspecified, ltReadOnly, ltPessimistic, ltOptimistic, ltBatchOptimistic);
TRENVIK_ENUM(TConnectMode, cmUnknown, cmRead, cmWrite, cmReadWrite, cmShareDenyRead, cmShareDenyWrite,
             cmShareExclusive, cmShareDenyNone);
TRENVIK_ENUM(TCommandType, cmdUnknown, cmdText, cmdTable, cmdStoredProc, cmdFile, cmdTableDirect);
TRENVIK_ENUM(TParameterDirection, pdUnknown, pdInput, pdOutput, pdInputOutput, pdReturnValue);
TRENVIK_ENUM(TParameterAttribute, paSigned, paNullable, paLong);
using TParameterAttributes = Set<TParameterAttribute>;

// ---- The login prompt ----

// Asks for the user name and password (both prefilled); false when the user cancelled. The forms
// layer installs its dialog; without one the connection string's credentials are used as they are.
using TLoginDialogProc = std::function<bool(const String& DatabaseName, String& UserName, String& Password)>;
void SetLoginDialogProc(TLoginDialogProc Proc);
const TLoginDialogProc& LoginDialogProc();

using TLoginEvent = std::function<void(TObject* Sender, const String& Username, const String& Password)>;
using TConnectionNotifyEvent = std::function<void(TObject* Sender)>;

// ---- Parameters ----

class TParameter : public TCollectionItem {
  TRENVIK_CLASS(TParameter, TCollectionItem);

 public:
  explicit TParameter(TCollection* Collection);

  const String& Name() const { return name_; }
  void SetName(const String& Value) { name_ = Value; }
  TFieldType DataType() const { return dataType_; }
  void SetDataType(TFieldType Value);
  TParameterDirection Direction() const { return direction_; }
  void SetDirection(TParameterDirection Value) { direction_ = Value; }
  int Size() const { return size_; }
  void SetSize(int Value) { size_ = Value; }
  TParameterAttributes Attributes() const { return attributes_; }
  void SetAttributes(TParameterAttributes Value) { attributes_ = Value; }
  int Precision() const { return precision_; }
  void SetPrecision(int Value) { precision_ = Value; }
  int NumericScale() const { return numericScale_; }
  void SetNumericScale(int Value) { numericScale_ = Value; }

  const Variant& Value() const { return value_; }
  // A parameter without a type takes the value's; one with a type converts the value to it
  // (text to a date by the locale's rules, ...). Null and Empty stay as they are.
  void SetValue(const Variant& Value);
  void Assign(TPersistent* Source) override;

 protected:
  String GetDisplayName() override { return name_; }

 private:
  String name_;
  TFieldType dataType_ = ftUnknown;
  TParameterDirection direction_ = pdInput;
  int size_ = 0;
  TParameterAttributes attributes_;
  int precision_ = 0;
  int numericScale_ = 0;
  Variant value_;
};

class TParameters : public TOwnedCollection {
  TRENVIK_CLASS(TParameters, TOwnedCollection);

 public:
  explicit TParameters(TPersistent* Owner);
  TParameter* Items(int Index) const { return static_cast<TParameter*>(TCollection::Items(Index)); }
  TParameter* operator[](int Index) const { return Items(Index); }
  TParameter* AddParameter() { return static_cast<TParameter*>(Add()); }
  TParameter* CreateParameter(const String& Name, TFieldType DataType, TParameterDirection Direction,
                              int Size, const Variant& Value);
  // Case-insensitive; nullptr when absent.
  TParameter* FindParam(const String& Value) const;
  // Raises EADOError "Parameter '%s' not found".
  TParameter* ParamByName(const String& Value) const;
  // The parameters :NAME of a statement. With DoCreate the collection is rebuilt from them,
  // keeping the type, size and value of parameters that were there already.
  String ParseSQL(const String& SQL, bool DoCreate);
  Variant ParamValues(const String& ParamName) const { return ParamByName(ParamName)->Value(); }
  void SetParamValues(const String& ParamName, const Variant& Value) {
    ParamByName(ParamName)->SetValue(Value);
  }
};

// ---- The connection ----

class TADOConnection : public TComponent {
  TRENVIK_CLASS(TADOConnection, TComponent);

 public:
  explicit TADOConnection(TComponent* AOwner);
  ~TADOConnection() override;

  // While connected: the string the provider reports (the items of a data-link file expanded, the
  // login included as "User ID=<name>;"). Setting it closes the connection.
  String ConnectionString() const;
  void SetConnectionString(const String& Value);
  const String& Provider() const { return provider_; }
  void SetProvider(const String& Value);
  TConnectMode Mode() const { return mode_; }
  void SetMode(TConnectMode Value) { mode_ = Value; }
  bool LoginPrompt() const { return loginPrompt_; }
  // With the prompt off, a reconnection logs in as the last prompt (or Open) accepted.
  void SetLoginPrompt(bool Value) { loginPrompt_ = Value; }
  // Seconds; the default time-out of the commands run on this connection.
  int CommandTimeout() const { return commandTimeout_; }
  void SetCommandTimeout(int Value) { commandTimeout_ = Value; }
  int ConnectionTimeout() const { return connectionTimeout_; }
  void SetConnectionTimeout(int Value) { connectionTimeout_ = Value; }
  bool KeepConnection() const { return keepConnection_; }
  void SetKeepConnection(bool Value) { keepConnection_ = Value; }

  bool Connected() const { return db_ != nullptr; }
  void SetConnected(bool Value);
  void Open() { SetConnected(true); }
  // Connects with these credentials, without the login prompt.
  void Open(const String& UserID, const String& Password);
  // Closes the datasets on the connection first.
  void Close() { SetConnected(false); }

  // Returns the new nesting level (1).
  int BeginTrans();
  void CommitTrans();
  void RollbackTrans();
  bool InTransaction() const;

  // Runs a statement that returns no rows; the number of rows it changed.
  int Execute(const String& CommandText);

  int DataSetCount() const { return static_cast<int>(dataSets_.size()); }
  TDataSet* DataSets(int Index) const;

  // The driver connection; raises EADOError when not connected.
  TDbConnection& DbConnection() const;
  // Bumped by every connect: prepared statements of an older connection are stale.
  int Generation() const { return generation_; }

  TConnectionNotifyEvent BeforeConnect, AfterConnect, BeforeDisconnect, AfterDisconnect;
  TLoginEvent OnLogin;

 protected:
  void Loaded() override;

 private:
  friend class TCustomADODataSet;
  friend class TADOCommand;
  friend void AdoSwitchConnection(TComponent* client, TADOConnection*& slot, TADOConnection* value);
  void DoConnect();
  void DoDisconnect();
  void RegisterClient(TComponent* Client);
  void UnRegisterClient(TComponent* Client);
  void CloseClients();

  // The user name and password a connection was last made with after the prompt or Open gave
  // them; forgotten when the connection string changes.
  struct TAcceptedLogin {
    bool Known = false;
    String UserID, Password;
  };

  String connectionString_;
  TAcceptedLogin acceptedLogin_;
  String reported_;  // the connected string
  String provider_;
  TConnectMode mode_ = cmUnknown;
  bool loginPrompt_ = true;
  bool keepConnection_ = true;
  bool streamedConnected_ = false;
  int commandTimeout_ = 30;
  int connectionTimeout_ = 15;
  int generation_ = 0;
  std::unique_ptr<TDbConnection> db_;
  std::vector<TDataSet*> dataSets_;
  std::vector<TComponent*> clients_;
};

// ---- Commands ----

class TADOCommand : public TComponent {
  TRENVIK_CLASS(TADOCommand, TComponent);

 public:
  explicit TADOCommand(TComponent* AOwner);
  ~TADOCommand() override;

  TADOConnection* Connection() const { return connection_; }
  void SetConnection(TADOConnection* Value);
  const String& CommandText() const { return commandText_; }
  // With ParamCheck, rebuilds Parameters from the statement's :NAME parameters.
  void SetCommandText(const String& Value);
  TCommandType CommandType() const { return commandType_; }
  void SetCommandType(TCommandType Value) { commandType_ = Value; }
  int CommandTimeout() const { return commandTimeout_; }
  void SetCommandTimeout(int Value) { commandTimeout_ = Value; }
  bool ParamCheck() const { return paramCheck_; }
  void SetParamCheck(bool Value) { paramCheck_ = Value; }
  TParameters* Parameters() const { return parameters_.get(); }
  void SetParameters(TParameters* Value) { parameters_->Assign(Value); }

  // Runs the statement with the current parameter values; prepared once and reused while the
  // statement and the connection stay the same. Returns the rows affected.
  int Execute();

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  friend class TADOConnection;
  void ReleaseStatement() { statement_.reset(); }

  TADOConnection* connection_ = nullptr;
  String commandText_;
  TCommandType commandType_ = cmdText;
  int commandTimeout_ = 30;
  bool paramCheck_ = true;
  std::unique_ptr<TParameters> parameters_;
  std::unique_ptr<TDbStatement> statement_;
  int statementGeneration_ = -1;
};

// ---- Datasets ----

class TADOMasterLink;

class TCustomADODataSet : public TDataSet {
  TRENVIK_CLASS(TCustomADODataSet, TDataSet);

 public:
  explicit TCustomADODataSet(TComponent* AOwner);
  ~TCustomADODataSet() override;

  TADOConnection* Connection() const { return connection_; }
  void SetConnection(TADOConnection* Value);
  TCursorLocation CursorLocation() const { return cursorLocation_; }
  void SetCursorLocation(TCursorLocation Value) { cursorLocation_ = Value; }
  TCursorType CursorType() const { return cursorType_; }
  void SetCursorType(TCursorType Value) { cursorType_ = Value; }
  TADOLockType LockType() const { return lockType_; }
  void SetLockType(TADOLockType Value) { lockType_ = Value; }
  int CommandTimeout() const { return commandTimeout_; }
  void SetCommandTimeout(int Value) { commandTimeout_ = Value; }
  bool ParamCheck() const { return paramCheck_; }
  void SetParamCheck(bool Value) { paramCheck_ = Value; }
  TParameters* Parameters() const { return parameters_.get(); }
  void SetParameters(TParameters* Value) { parameters_->Assign(Value); }

  // The master: parameters named like its fields take their values, and the dataset reopens when
  // the master's record changes.
  TDataSource* DataSource() const;
  void SetDataSource(TDataSource* Value);
  TDataSource* GetDataSource() const override { return DataSource(); }

  // Client sort: "FIELD [ASC|DESC] , FIELD [ASC|DESC]"; empty restores the statement's order; a
  // reopen clears it. Text compares by the locale's alphabet ignoring case (Cyrillic too). Raises
  // EADOError "Field 'X' not found" for an unknown field.
  const String& Sort() const { return sort_; }
  void SetSort(const String& Value);
  // A client index: "A;B" ascending.
  const String& IndexFieldNames() const { return indexFieldNames_; }
  void SetIndexFieldNames(const String& Value);

  // Runs the statement again and refetches; the first record becomes current.
  void Requery();
  // Rows changed by the last ExecSQL (or the last statement run), -1 before any.
  int RowsAffected() const { return rowsAffected_; }

  // The table edits are written to ("" when the result has none).
  String UpdateTable() const;

 protected:
  const String& CommandTextValue() const { return commandText_; }
  void SetCommandTextValue(const String& Value);
  TCommandType CommandTypeValue() const { return commandType_; }
  void SetCommandTypeValue(TCommandType Value) { commandType_ = Value; }
  // Runs the statement as a command; the rows changed.
  int ExecuteStatement();
  // The connection, connected; raises EADOError without one.
  TADOConnection& CheckConnection();

  void InternalInitFieldDefs() override;
  void InternalOpen() override;
  void InternalClose() override;
  void InternalRefresh() override;
  void ResolveInsert(TRecordValues& Values) override;
  void ResolveUpdate(TRecordValues& Values) override;
  void ResolveDelete(TRecordId Row) override;
  bool GetCanModify() const override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

  // The statement as the driver receives it (a stored procedure or table name becomes a select).
  virtual String StatementText() const;

 private:
  friend class TADOConnection;
  friend class TADOMasterLink;
  void RunStatement();
  void FetchRows();
  std::vector<TSortKey> ParseSortKeys(const String& text, bool indexSyntax) const;
  void MasterChanged();
  void ReleaseStatement() { statement_.reset(); }
  // The where-columns and old values that find Row in its base table.
  void RowLocator(TRecordId Row, std::vector<String>& Columns, std::vector<Variant>& Values) const;
  void CopyServerValues(TRecordValues& Values, const std::vector<int>& Columns,
                        const std::vector<Variant>& Read);

  TADOConnection* connection_ = nullptr;
  String commandText_;
  TCommandType commandType_ = cmdText;
  TCursorLocation cursorLocation_ = clUseClient;
  TCursorType cursorType_ = ctKeyset;
  TADOLockType lockType_ = ltOptimistic;
  int commandTimeout_ = 30;
  bool paramCheck_ = true;
  int rowsAffected_ = -1;
  String sort_;
  String indexFieldNames_;
  std::unique_ptr<TParameters> parameters_;
  std::unique_ptr<TADOMasterLink> masterLink_;
  std::unique_ptr<TDbStatement> statement_;
  bool statementFresh_ = false;  // executed, rows not fetched yet
  std::vector<TDbColumn> columns_;
};

class TADODataSet : public TCustomADODataSet {
  TRENVIK_CLASS(TADODataSet, TCustomADODataSet);

 public:
  explicit TADODataSet(TComponent* AOwner) : TCustomADODataSet(AOwner) {}
  const String& CommandText() const { return CommandTextValue(); }
  void SetCommandText(const String& Value) { SetCommandTextValue(Value); }
  TCommandType CommandType() const { return CommandTypeValue(); }
  void SetCommandType(TCommandType Value) { SetCommandTypeValue(Value); }
};

class TADOQuery : public TCustomADODataSet {
  TRENVIK_CLASS(TADOQuery, TCustomADODataSet);

 public:
  explicit TADOQuery(TComponent* AOwner);
  ~TADOQuery() override;
  // The statement's lines; changing them closes the query and re-parses the parameters.
  TStrings* SQL() const { return sql_.get(); }
  void SetSQL(TStrings* Value) { sql_->Assign(Value); }
  // Runs the statement (no rows expected); the rows changed, also kept in RowsAffected.
  int ExecSQL();

 private:
  void SQLChanged();
  std::unique_ptr<TStringList> sql_;
};

class TADOStoredProc : public TCustomADODataSet {
  TRENVIK_CLASS(TADOStoredProc, TCustomADODataSet);

 public:
  explicit TADOStoredProc(TComponent* AOwner);
  // "Name" or "Name;1" (the group number is ignored).
  const String& ProcedureName() const { return CommandTextValue(); }
  void SetProcedureName(const String& Value) { SetCommandTextValue(Value); }
  // Calls the procedure with the input parameters in order; its result goes to the parameter
  // whose direction is pdReturnValue ("@RETURN_VALUE").
  void ExecProc();

 protected:
  String StatementText() const override;
};
