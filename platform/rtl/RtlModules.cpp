// Start-up of the runtime library's modules.
#include <cstdlib>
#include <string>

#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/ModuleInit.h"

namespace {

// The user's locale: the program runs Russian; TRENVIK_LOCALE picks another for a run or a test.
void InitializeSysUtils() {
  const char* name = std::getenv("TRENVIK_LOCALE");
  SetLocale(name && *name ? name : "ru-RU");
}

}  // namespace

void RegisterRtlModules() { RegisterModule("SysUtils", kRankRtl + 1, &InitializeSysUtils, nullptr); }
