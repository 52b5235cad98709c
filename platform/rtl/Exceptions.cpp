#include "platform/rtl/Exceptions.h"

void Abort() { throw EAbort(u"Operation aborted"); }
