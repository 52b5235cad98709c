// Binding a statement's :NAME parameters from a parameter collection (commands and datasets).
#pragma once

class TDbStatement;
class TParameters;

// Raises EADOError "Parameter 'X' not found" for a statement parameter the collection lacks.
void AdoBindParameters(TDbStatement& st, const TParameters& params);
