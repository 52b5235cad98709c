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
  if (connection_) {
    connection_->UnRegisterClient(this);
    connection_->RemoveFreeNotification(this);
  }
  connection_ = Value;
  if (connection_) {
    connection_->RegisterClient(this);
    connection_->FreeNotification(this);
  }
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
  if (!connection_) throw EADOError("The command has no connection");
  if (!connection_->Connected()) connection_->Open();
  TDbConnection& db = connection_->DbConnection();
  if (!statement_ || statementGeneration_ != connection_->Generation()) {
    statement_.reset();
    String text = commandText_;
    if (commandType_ == cmdTable || commandType_ == cmdTableDirect) text = u"select * from " + commandText_;
    statement_ = db.Prepare(text);
    statementGeneration_ = connection_->Generation();
  }
  AdoBindParameters(*statement_, *parameters_);
  db.SetCommandTimeout(commandTimeout_);
  try {
    statement_->Execute();
    while (statement_->Next()) {
    }
  } catch (...) {
    db.SetCommandTimeout(connection_->CommandTimeout());
    throw;
  }
  db.SetCommandTimeout(connection_->CommandTimeout());
  return static_cast<int>(statement_->RowsAffected());
}
