// Start-up of the object and component model.
#include "platform/rtl/ModuleInit.h"

void RegisterClassesModules() { RegisterRtlModules(); }
