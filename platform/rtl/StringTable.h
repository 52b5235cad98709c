// The program's string table: resource texts by id. The modules that own the texts register them at
// start-up; reading an id nobody registered gives the empty string.
#pragma once

#include "platform/rtl/Types.h"

// A second registration of an id replaces the text (a translation loaded over the defaults).
void RegisterResourceString(int id, String text);
String LoadResString(int id);
