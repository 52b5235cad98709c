// Start-up of the data library's modules, in the library's module order.
#include "cx/data/cxDB.h"
#include "cx/data/cxDBData.h"
#include "cx/data/cxDataConsts.h"
#include "platform/data/DB.h"
#include "platform/rtl/ModuleInit.h"

void RegisterClassesModules();

namespace {

void InitializeDataConsts() { RegisterCxDataConsts(); }

}  // namespace

void RegisterCxDataModules() {
  RegisterRtlModules();
  RegisterClassesModules();
  RegisterDataModules();
  RegisterModule("cxDataConsts", kRankCxData + 0, &InitializeDataConsts, nullptr);
  RegisterModule("cxDB", kRankCxData + 7, &cxCreateFilterOperatorAdapters, &cxFreeFilterOperatorAdapters);
  RegisterModule("cxDBData", kRankCxData + 9, &cxCreateDetailFilterAdapters, &cxFreeDetailFilterAdapters);
}
