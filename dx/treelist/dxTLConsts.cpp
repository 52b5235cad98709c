#include "dx/treelist/dxTLConsts.h"

#include "dx/treelist/dxTLTypes.h"

void RegisterTreeListTexts() { RegisterResourceString(dxSTL_InvalidOwner, u"Invalid Owner TdxTreeListNode"); }

void RaiseTreeListError(const String& Message) { throw EInvaliddxTreeListOperation(Message); }
