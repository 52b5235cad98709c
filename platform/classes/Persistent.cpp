#include "platform/classes/Persistent.h"

#include "platform/classes/Published.h"
#include "platform/rtl/String.h"

TRENVIK_IMPLEMENT_CLASS(TPersistent)

void TPersistent::Assign(TPersistent* Source) {
  if (Source) {
    Source->AssignTo(this);
    return;
  }
  AssignError(nullptr);
}

void TPersistent::AssignTo(TPersistent* Dest) { Dest->AssignError(this); }

void TPersistent::AssignError(TPersistent* Source) {
  const std::string source = Source ? StringToUtf8(Source->ClassName()) : "nil";
  throw EConvertError("Cannot assign a " + source + " to a " + StringToUtf8(ClassName()));
}

void TPersistent::DefineProperties(TFiler*) {}

TPersistent* TPersistent::GetOwner() { return nullptr; }

String TPersistent::GetNamePath() {
  String result = ClassName();
  if (TPersistent* owner = GetOwner()) {
    String path = owner->GetNamePath();
    if (!path.empty()) result = path + u"." + result;
  }
  return result;
}
