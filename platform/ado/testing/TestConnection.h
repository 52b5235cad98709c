// Test support: an open connection to a new SQLite database, reached as the program reaches its
// own: through a data-link file "Trenvik.udl" in the same folder.
#pragma once

#include "platform/ado/ADODB.h"
#include "platform/ado/testing/TempFolder.h"

// The connection belongs to Owner; its login prompt is off.
TADOConnection* OpenTestConnection(TComponent* Owner, const TTempFolder& Folder, const char* DatabaseName);
