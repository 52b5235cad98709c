// The original server compares text ignoring trailing blanks, in "=" and in LIKE; PostgreSQL's
// citext does not. The translation for PostgreSQL routes both through the schema's functions:
//   <text column> = <literal or parameter>   ->  server_key(column) = server_key(value)  (also <>, !=)
//   <operand> [NOT] LIKE <pattern>            ->  [NOT] server_like(operand, pattern)
// server_key keeps an expression index usable. Only simple operands are rewritten (a column, a
// function call, a literal or a parameter) where no stronger operator binds them; anything else,
// and a LIKE with an ESCAPE, stays as written. Without isServerTextColumn (a database without the
// functions) nothing is rewritten.
#pragma once

#include <functional>
#include <vector>

#include "platform/ado/SqlTokens.h"

void RouteServerTextComparisons(std::vector<TSqlToken>& tokens,
                                const std::function<bool(const String& column)>& isServerTextColumn);
