// Start-up of the display back ends: nothing runs until the program starts one.
#include "platform/display/Display.h"
#include "platform/gdi/Gdi.h"
#include "platform/rtl/ModuleInit.h"
#include "platform/win/Windows.h"

void RegisterDisplayModules() {
  RegisterGdiModules();
  RegisterWinModules();
  RegisterModule("Display", kRankDisplay + 1, nullptr, &StopDisplay);
}
