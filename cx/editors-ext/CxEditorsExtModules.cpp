// Start-up of the specialised editors' modules, in the library's module order.
#include "cx/editors-ext/cxDBLookupComboBox.h"
#include "cx/editors-ext/cxRadioGroup.h"
#include "platform/rtl/ModuleInit.h"

void RegisterCxEditorsModules();

void RegisterCxEditorsExtModules() {
  RegisterCxEditorsModules();
  RegisterModule("cxRadioGroup", kRankCxEditorsExt + 0, &InitializeRadioGroup, &FinalizeRadioGroup);
  RegisterModule("cxDBLookupComboBox", kRankCxEditorsExt + 20, &InitializeDBLookupComboBox, nullptr);
}
