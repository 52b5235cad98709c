// Start-up of the drawing layer's modules.
#include "platform/gdi/FontImpl.h"
#include "platform/gdi/Gdi.h"
#include "platform/rtl/ModuleInit.h"

void RegisterGdiModules() {
  RegisterRtlModules();
  // Fonts are realised on first use; shut-down returns the font configuration's memory.
  RegisterModule("Graphics", kRankGdi + 1, nullptr, &FinalizeFonts);
}
