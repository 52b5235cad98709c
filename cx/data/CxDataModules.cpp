// Start-up of the data library's modules, in the library's module order.
#include "cx/data/cxDataConsts.h"
#include "platform/rtl/ModuleInit.h"

void RegisterClassesModules();

namespace {

void InitializeDataConsts() { RegisterCxDataConsts(); }

}  // namespace

void RegisterCxDataModules() {
  RegisterRtlModules();
  RegisterClassesModules();
  RegisterModule("cxDataConsts", kRankCxData + 0, &InitializeDataConsts, nullptr);
}
