// Connection strings ("Name=Value;Name=Value") and data-link files: UTF-16LE text with a byte-order
// mark, the "[oledb]" header, a comment line and one connection-string line.
#pragma once

#include <utility>
#include <vector>

#include "platform/rtl/Types.h"

using TConnectionStringItems = std::vector<std::pair<String, String>>;

// Items in order; names are trimmed, values may be quoted with " or ' (doubled inside).
TConnectionStringItems ParseConnectionString(const String& text);
// Values holding ';', '=' or quotes, or blanks or control characters at either end, are quoted.
String BuildConnectionString(const TConnectionStringItems& items);
// The value of a name (ignoring case); "" when absent.
String ConnectionStringValue(const TConnectionStringItems& items, const String& name);
void SetConnectionStringValue(TConnectionStringItems& items, const String& name, const String& value);

// The connection string of a data-link file. Raises EADOError when the file cannot be read or holds
// no connection string.
String ReadDataLinkFile(const String& fileName);
void WriteDataLinkFile(const String& fileName, const String& connectionString);
