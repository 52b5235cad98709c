// The tree list's texts in the string table, and its one error routine.
#pragma once

#include "platform/rtl/StringTable.h"
#include "platform/rtl/Types.h"

constexpr int dxSTL_InvalidOwner = 38801;

void RegisterTreeListTexts();
// Raises EInvaliddxTreeListOperation with Message.
[[noreturn]] void RaiseTreeListError(const String& Message);
