#include "app/StatementParts.h"

#include "platform/ado/DataLinkFile.h"
#include "platform/rtl/StrUtils.h"

TStatementParts SplitStatement(const String& Statement) {
  // The statement is plain ASCII SQL; upper-casing the letters of any alphabet keeps its length.
  const String text = AnsiUpperCase(Statement);
  const int pw = Pos(u"WHERE", text);
  const int po = Pos(u"ORDER BY", text);
  TStatementParts parts;
  if (po > 0) parts.OrderBy = Copy(text, po + 8, static_cast<int>(text.size()));
  if (pw > 0 && po > 0)
    parts.Where = Copy(text, pw + 5, po - pw - 5);
  else if (pw > 0)
    parts.Where = Copy(text, pw + 5, static_cast<int>(text.size()));
  if (pw > 0)
    parts.Select = Copy(text, 1, pw - 1);
  else if (po > 0)
    parts.Select = Copy(text, 1, po - 1);
  else
    parts.Select = text;
  return parts;
}

String ConnectionUserName(const String& ConnectionString) {
  return ConnectionStringValue(ParseConnectionString(ConnectionString), u"User ID");
}
