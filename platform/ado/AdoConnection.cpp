#include <algorithm>

#include "platform/ado/ADODB.h"
#include "platform/ado/DataLinkFile.h"
#include "platform/ado/SqlTokens.h"
#include "platform/classes/Published.h"
#include "platform/rtl/FileUtils.h"

namespace {

TLoginDialogProc& LoginProc() {
  static TLoginDialogProc proc;
  return proc;
}

bool IsItem(const String& name, std::u16string_view what) { return SameName(name, what); }

// The driver for a provider. A provider this build has no driver for (the original server's, named
// by an old data-link file) can still name an existing database file; a server it cannot reach.
String DriverFor(const String& provider, const String& dataSource) {
  if (provider.empty() || IsDbDriverRegistered(provider)) return provider;
  if (!dataSource.empty() && FileExists(dataSource)) return u"SQLite";
  throw EADOError(u"Cannot connect to \"" + dataSource + u"\" through the provider \"" + provider +
                  u"\": this program connects to a SQLite database file (Provider=SQLite;Data Source=<file>) "
                  u"or to a PostgreSQL server (Provider=PostgreSQL;Data Source=<host>;Initial "
                  u"Catalog=<database>)");
}

}  // namespace

void SetLoginDialogProc(TLoginDialogProc Proc) { LoginProc() = std::move(Proc); }
const TLoginDialogProc& LoginDialogProc() { return LoginProc(); }

TRENVIK_PUBLISHED(TADOConnection) {
  P.Property("CommandTimeout", &TADOConnection::CommandTimeout, &TADOConnection::SetCommandTimeout)
      .Default(30);
  P.Property("ConnectionString", &TADOConnection::ConnectionString, &TADOConnection::SetConnectionString);
  P.Property("ConnectionTimeout", &TADOConnection::ConnectionTimeout, &TADOConnection::SetConnectionTimeout)
      .Default(15);
  P.Property("KeepConnection", &TADOConnection::KeepConnection, &TADOConnection::SetKeepConnection)
      .Default(true);
  P.Property("LoginPrompt", &TADOConnection::LoginPrompt, &TADOConnection::SetLoginPrompt).Default(true);
  P.Property("Mode", &TADOConnection::Mode, &TADOConnection::SetMode).Default(cmUnknown);
  P.Property("Provider", &TADOConnection::Provider, &TADOConnection::SetProvider);
  P.Property("Connected", &TADOConnection::Connected, &TADOConnection::SetConnected).Default(false);
  P.Event("AfterConnect", &TADOConnection::AfterConnect);
  P.Event("BeforeConnect", &TADOConnection::BeforeConnect);
  P.Event("AfterDisconnect", &TADOConnection::AfterDisconnect);
  P.Event("BeforeDisconnect", &TADOConnection::BeforeDisconnect);
  P.Event("OnLogin", &TADOConnection::OnLogin);
}

TADOConnection::TADOConnection(TComponent* AOwner) : TComponent(AOwner) {}

TADOConnection::~TADOConnection() {
  try {
    if (Connected()) DoDisconnect();
  } catch (...) {
    // Nothing can be reported from a destructor; the driver closes its handle regardless.
  }
  for (auto* ds : dataSets_)
    if (auto* ado = dynamic_cast<TCustomADODataSet*>(ds)) ado->connection_ = nullptr;
  for (auto* c : clients_)
    if (auto* cmd = dynamic_cast<TADOCommand*>(c)) cmd->connection_ = nullptr;
}

String TADOConnection::ConnectionString() const { return Connected() ? reported_ : connectionString_; }

void TADOConnection::SetConnectionString(const String& Value) {
  if (Connected()) Close();
  if (Value != connectionString_) acceptedLogin_ = {};
  connectionString_ = Value;
}

void TADOConnection::SetProvider(const String& Value) {
  if (Connected()) Close();
  provider_ = Value;
}

void TADOConnection::Loaded() {
  TComponent::Loaded();
  if (streamedConnected_) {
    streamedConnected_ = false;
    SetConnected(true);
  }
}

void TADOConnection::SetConnected(bool Value) {
  if (ComponentState().Contains(csLoading)) {
    streamedConnected_ = Value;
    return;
  }
  if (Value == Connected()) return;
  if (Value)
    DoConnect();
  else
    DoDisconnect();
}

void TADOConnection::Open(const String& UserID, const String& Password) {
  if (Connected()) return;
  auto items = ParseConnectionString(connectionString_);
  SetConnectionStringValue(items, u"User ID", UserID);
  SetConnectionStringValue(items, u"Password", Password);
  bool prompt = loginPrompt_;
  String saved = connectionString_;
  TAcceptedLogin accepted = acceptedLogin_;
  connectionString_ = BuildConnectionString(items);
  loginPrompt_ = false;
  acceptedLogin_ = {};
  try {
    DoConnect();
  } catch (...) {
    connectionString_ = saved;
    loginPrompt_ = prompt;
    acceptedLogin_ = accepted;
    throw;
  }
  connectionString_ = saved;
  loginPrompt_ = prompt;
  acceptedLogin_ = {true, UserID, Password};
}

void TADOConnection::DoConnect() {
  if (BeforeConnect) BeforeConnect(this);
  TConnectionStringItems items = ParseConnectionString(connectionString_);
  String linkFolder;
  String linkFile = ConnectionStringValue(items, u"FILE NAME");
  if (!linkFile.empty()) {
    // The data-link file's items, then the string's own (they win).
    TConnectionStringItems fromFile = ParseConnectionString(ReadDataLinkFile(linkFile));
    for (auto& [name, value] : items)
      if (!IsItem(name, u"FILE NAME")) SetConnectionStringValue(fromFile, name, value);
    items = std::move(fromFile);
    linkFolder = ExtractFilePath(linkFile);
  }
  String provider = ConnectionStringValue(items, u"Provider");
  if (provider.empty()) provider = provider_;
  TDbConnectParams params;
  params.UserID = ConnectionStringValue(items, u"User ID");
  params.Password = ConnectionStringValue(items, u"Password");
  params.DataSource = ConnectionStringValue(items, u"Data Source");
  params.InitialCatalog = ConnectionStringValue(items, u"Initial Catalog");
  // An embedded database file named relative to its data-link file lies beside it.
  bool embedded = SameName(provider, u"SQLite") || !IsDbDriverRegistered(provider);
  if (embedded && !linkFolder.empty() && !params.DataSource.empty() && params.DataSource[0] != '/')
    params.DataSource = linkFolder + params.DataSource;
  String driver = DriverFor(provider, params.DataSource);

  bool prompted = false;
  if (loginPrompt_) {
    if (OnLogin) {
      OnLogin(this, params.UserID, params.Password);
      prompted = true;
    } else if (LoginProc()) {
      String user = params.UserID, password = params.Password;
      if (!LoginProc()(params.DataSource, user, password)) throw EDatabaseError("Login cancelled");
      params.UserID = user;
      params.Password = password;
      prompted = true;
    }
  } else if (acceptedLogin_.Known) {
    params.UserID = acceptedLogin_.UserID;
    params.Password = acceptedLogin_.Password;
  }
  for (auto& [name, value] : items) {
    if (IsItem(name, u"Provider") || IsItem(name, u"User ID") || IsItem(name, u"Password") ||
        IsItem(name, u"Data Source") || IsItem(name, u"Initial Catalog"))
      continue;
    params.Options.emplace_back(name, value);
  }
  if (mode_ == cmRead) params.Options.emplace_back(u"Mode", u"Read");
  if (ConnectionStringValue(items, u"Connect Timeout").empty() && connectionTimeout_ > 0)
    params.Options.emplace_back(u"Connect Timeout", Utf8ToString(std::to_string(connectionTimeout_)));

  std::unique_ptr<TDbConnection> db = CreateDbDriver(driver)->Connect(params);
  db->SetCommandTimeout(commandTimeout_);
  if (prompted) acceptedLogin_ = {true, params.UserID, params.Password};

  // The string as the provider reports it: the login always as "User ID=<name>;".
  TConnectionStringItems reported;
  reported.emplace_back(u"Provider", provider);
  reported.emplace_back(u"User ID", db->UserName());
  reported.emplace_back(u"Data Source", params.DataSource);
  if (!params.InitialCatalog.empty()) reported.emplace_back(u"Initial Catalog", params.InitialCatalog);
  for (auto& [name, value] : params.Options)
    if (!IsItem(name, u"Persist Security Info")) reported.emplace_back(name, value);
  reported.emplace_back(u"Persist Security Info", u"False");
  reported_ = BuildConnectionString(reported);
  db_ = std::move(db);
  ++generation_;
  if (AfterConnect) AfterConnect(this);
}

void TADOConnection::DoDisconnect() {
  if (BeforeDisconnect) BeforeDisconnect(this);
  for (auto* ds : std::vector<TDataSet*>(dataSets_))
    if (ds->Active()) ds->Close();
  CloseClients();
  if (db_ && db_->InTransaction()) db_->Rollback();
  db_.reset();
  reported_.clear();
  if (AfterDisconnect) AfterDisconnect(this);
}

void TADOConnection::CloseClients() {
  for (auto* ds : dataSets_)
    if (auto* ado = dynamic_cast<TCustomADODataSet*>(ds)) ado->ReleaseStatement();
  for (auto* c : clients_)
    if (auto* cmd = dynamic_cast<TADOCommand*>(c)) cmd->ReleaseStatement();
}

void TADOConnection::RegisterClient(TComponent* Client) {
  if (auto* ds = dynamic_cast<TDataSet*>(Client)) {
    if (std::find(dataSets_.begin(), dataSets_.end(), ds) == dataSets_.end()) dataSets_.push_back(ds);
  } else if (std::find(clients_.begin(), clients_.end(), Client) == clients_.end()) {
    clients_.push_back(Client);
  }
}

void TADOConnection::UnRegisterClient(TComponent* Client) {
  std::erase(dataSets_, static_cast<TDataSet*>(dynamic_cast<TDataSet*>(Client)));
  std::erase(clients_, Client);
}

TDataSet* TADOConnection::DataSets(int Index) const {
  if (Index < 0 || Index >= DataSetCount())
    throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
  return dataSets_[static_cast<size_t>(Index)];
}

TDbConnection& TADOConnection::DbConnection() const {
  if (!db_) throw EADOError("The connection is not open");
  return *db_;
}

int TADOConnection::BeginTrans() {
  if (!Connected()) Open();
  if (db_->InTransaction()) throw EADOError("A transaction is already open on this connection");
  db_->BeginTransaction();
  return 1;
}

void TADOConnection::CommitTrans() { DbConnection().Commit(); }

void TADOConnection::RollbackTrans() {
  if (!DbConnection().InTransaction()) throw EADOError("No transaction is open on this connection");
  db_->Rollback();
}

bool TADOConnection::InTransaction() const { return db_ && db_->InTransaction(); }

int TADOConnection::Execute(const String& CommandText) {
  if (!Connected()) Open();
  db_->SetCommandTimeout(commandTimeout_);
  auto st = db_->Prepare(CommandText);
  if (!st->ParamNames().empty())
    throw EADOError("The statement has parameters: run it through a command or a query");
  st->Execute();
  while (st->Next()) {
  }
  return static_cast<int>(st->RowsAffected());
}
