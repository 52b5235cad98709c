#include "platform/ado/ADODB.h"
#include "platform/ado/AdoBinding.h"
#include "platform/ado/SqlTokens.h"
#include "platform/classes/Published.h"

void AdoBindParameters(TDbStatement& st, const TParameters& params) {
  const auto& names = st.ParamNames();
  for (size_t i = 0; i < names.size(); ++i) {
    TParameter* p = params.FindParam(names[i]);
    if (!p) throw EADOError(u"Parameter '" + names[i] + u"' not found");
    st.SetParam(static_cast<int>(i), p->Value());
  }
}

void AdoSwitchConnection(TComponent* client, TADOConnection*& slot, TADOConnection* value) {
  if (slot) {
    slot->UnRegisterClient(client);
    slot->RemoveFreeNotification(client);
  }
  slot = value;
  if (slot) {
    slot->RegisterClient(client);
    slot->FreeNotification(client);
  }
}

TADOConnection& AdoOpenConnection(TADOConnection* connection, const char* missing) {
  if (!connection) throw EADOError(missing);
  if (!connection->Connected()) connection->Open();
  return *connection;
}

String AdoStatementText(TCommandType type, const String& text) {
  if (type == cmdTable || type == cmdTableDirect) return u"select * from " + text;
  return text;
}

void AdoExecute(TADOConnection& connection, TDbStatement& st, const TParameters& params, int timeout,
                bool drain) {
  AdoBindParameters(st, params);
  TDbConnection& db = connection.DbConnection();
  db.SetCommandTimeout(timeout);
  try {
    st.Execute();
    if (drain)
      while (st.Next()) {
      }
  } catch (...) {
    db.SetCommandTimeout(connection.CommandTimeout());
    throw;
  }
  db.SetCommandTimeout(connection.CommandTimeout());
}

TRENVIK_PUBLISHED(TADOCommand) {
  P.Property("CommandText", &TADOCommand::CommandText, &TADOCommand::SetCommandText);
  P.Property("CommandTimeout", &TADOCommand::CommandTimeout, &TADOCommand::SetCommandTimeout).Default(30);
  P.Property("CommandType", &TADOCommand::CommandType, &TADOCommand::SetCommandType).Default(cmdText);
  P.Property("Connection", &TADOCommand::Connection, &TADOCommand::SetConnection);
  P.Property("ParamCheck", &TADOCommand::ParamCheck, &TADOCommand::SetParamCheck).Default(true);
  P.Property("Parameters", &TADOCommand::Parameters, &TADOCommand::SetParameters);
}

TADOCommand::TADOCommand(TComponent* AOwner)
    : TComponent(AOwner), parameters_(std::make_unique<TParameters>(this)) {}

TADOCommand::~TADOCommand() {
  statement_.reset();
  if (connection_) connection_->UnRegisterClient(this);
}

void TADOCommand::SetConnection(TADOConnection* Value) {
  if (Value == connection_) return;
  statement_.reset();
  AdoSwitchConnection(this, connection_, Value);
}

void TADOCommand::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == connection_) {
    statement_.reset();
    connection_ = nullptr;
  }
}

void TADOCommand::SetCommandText(const String& Value) {
  if (Value == commandText_) return;
  commandText_ = Value;
  statement_.reset();
  if (paramCheck_ && !ComponentState().Contains(csLoading)) parameters_->ParseSQL(Value, true);
}

int TADOCommand::Execute() {
  TADOConnection& conn = AdoOpenConnection(connection_, "The command has no connection");
  if (!statement_ || statementGeneration_ != conn.Generation()) {
    statement_.reset();
    statement_ = conn.DbConnection().Prepare(AdoStatementText(commandType_, commandText_));
    statementGeneration_ = conn.Generation();
  }
  AdoExecute(conn, *statement_, *parameters_, commandTimeout_, true);
  return static_cast<int>(statement_->RowsAffected());
}
