// Decoding UTF-8 into a String that already exists, for readers that decode many short texts (a
// result set's rows) and would otherwise allocate a String each.
#pragma once

#include <string_view>

#include "platform/rtl/Types.h"

// Replaces Out's text with Utf8's, reusing Out's storage; invalid bytes become U+FFFD, as in
// Utf8ToString.
void AssignUtf8(String& Out, std::string_view Utf8);
