// Start-up of the editor library's modules, in the library's module order.
#include "cx/editors/cxEditConsts.h"
#include "cx/editors/cxFormats.h"
#include "platform/rtl/ModuleInit.h"

namespace {

void InitializeEditConsts() { RegisterCxEditConsts(); }

void FinalizeFormats() { FreeFormatController(); }

}  // namespace

void RegisterCxEditorsModules() {
  RegisterRtlModules();
  RegisterModule("cxEditConsts", kRankCxEditors + 0, &InitializeEditConsts, nullptr);
  RegisterModule("cxFormats", kRankCxEditors + 11, nullptr, &FinalizeFormats);
}
