// Pure text routines of the data module: the parts of the people list's statement that the
// filter recombines, and the login name of a connection string.
#pragma once

#include "platform/rtl/Types.h"

struct TStatementParts {
  String Select;
  String Where;
  String OrderBy;
};

// Upper-cases the statement and cuts it at the first "WHERE" and the first "ORDER BY": the select
// part before them, the where text between them, the order-by text after "ORDER BY". Blanks and
// line breaks stay as they are.
TStatementParts SplitStatement(const String& Statement);

// The value of the connection string's "User ID" item (names compared ignoring case, the value
// running to the end when no ";" follows it); empty when there is none.
String ConnectionUserName(const String& ConnectionString);
