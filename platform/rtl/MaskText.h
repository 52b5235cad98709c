// Text shown through an edit mask, as the framework's masked fields display their values.
//
// A mask has up to three sections split by ';': the picture; '0' when the value holds only what
// was typed (the picture's literals are put in here) or '1' when it holds the literals too; the
// character shown for what is missing (default '_'). Picture characters: L l (letter), A a
// (letter or digit), C c (any), 0 9 # (digit; # also a sign) take a character of the value (the
// upper-case ones are required, which changes nothing here); > and < upper- and lower-case what
// follows, <> stops that; \ makes the next character literal; : and / are the locale's time and
// date separators; ! is accepted and has no effect here; anything else is literal.
#pragma once

#include "platform/rtl/Types.h"

String FormatMaskText(const String& EditMask, const String& Value);
