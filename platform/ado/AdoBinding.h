// What commands and datasets share in running a statement: the connection they use, the statement
// text, binding its :NAME parameters and executing it.
#pragma once

#include "platform/ado/ADODB.h"

class TDbStatement;
class TParameters;

// Raises EADOError "Parameter 'X' not found" for a statement parameter the collection lacks.
void AdoBindParameters(TDbStatement& st, const TParameters& params);

// Moves `client` from the connection in `slot` to `value`, keeping the connections' client lists
// and free notifications right.
void AdoSwitchConnection(TComponent* client, TADOConnection*& slot, TADOConnection* value);
// The connection, opened when it is closed; raises EADOError `missing` when there is none.
TADOConnection& AdoOpenConnection(TADOConnection* connection, const char* missing);
// The statement a command text stands for: a table name reads the whole table.
String AdoStatementText(TCommandType type, const String& text);
// Binds `params` and executes `st` with `timeout` seconds on the connection, putting back the
// connection's own timeout after, failed or not; `drain` reads through the rows it returns.
void AdoExecute(TADOConnection& connection, TDbStatement& st, const TParameters& params, int timeout,
                bool drain);
