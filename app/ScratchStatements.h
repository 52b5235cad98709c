// Statements of the import and the merge, run with named parameters on the data module's scratch
// query and command.
#pragma once

#include <initializer_list>
#include <utility>
#include <vector>

#include "platform/rtl/Types.h"
#include "platform/rtl/Variant.h"

using TScratchParams = std::initializer_list<std::pair<const char16_t*, Variant>>;

// The first column of the first row; Null without rows.
Variant ScratchQueryValue(const String& Sql, TScratchParams Params = {});
// Every column of the first row as text; empty without rows.
std::vector<String> ScratchQueryRow(const String& Sql, TScratchParams Params = {});
void ScratchExecute(const String& Sql, TScratchParams Params);
// Inserts a row and answers its own key, not the table's latest, which another user's insert may
// have moved on.
int InsertWithOwnKey(const String& Table, const std::vector<std::pair<String, Variant>>& Columns,
                    const String& KeyColumn);
