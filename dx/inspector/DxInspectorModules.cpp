// Start-up of the property inspector's modules, in the library's module order.
#include "platform/rtl/ModuleInit.h"

void RegisterDxEditorsModules();

void RegisterDxInspectorModules() { RegisterDxEditorsModules(); }
