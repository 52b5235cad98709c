#include "platform/data/DBConsts.h"

#include "platform/classes/Component.h"
#include "platform/data/DBTypes.h"

void DatabaseError(const String& Message, TComponent* Component) {
  if (Component && !Component->Name().empty()) throw EDatabaseError(Component->Name() + u": " + Message);
  throw EDatabaseError(Message);
}

void DatabaseErrorFmt(const char* Format, std::initializer_list<TVarRec> Args, TComponent* Component) {
  DatabaseError(::Format(S(Format), Args), Component);
}

String FieldTypeName(TFieldType type) {
  static const char* const names[] = {
      "Unknown",     "String",    "SmallInt",  "Integer",    "Word",     "Boolean",    "Float",
      "Currency",    "BCD",       "Date",      "Time",       "DateTime", "Bytes",      "VarBytes",
      "AutoInc",     "Blob",      "Memo",      "Graphic",    "FmtMemo",  "ParadoxOle", "DBaseOle",
      "TypedBinary", "Cursor",    "FixedChar", "WideString", "Largeint", "ADT",        "Array",
      "Reference",   "DataSet",   "OraBlob",   "OraClob",    "Variant",  "Interface",  "IDispatch",
      "Guid",        "TimeStamp", "FMTBcd"};
  int i = static_cast<int>(type);
  if (i < 0 || i >= static_cast<int>(std::size(names))) return u"Unknown";
  return S(names[i]);
}
