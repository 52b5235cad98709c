// Start-up of the specialised editors' modules, in the library's module order.
#include "cx/editors-ext/cxCurrencyEdit.h"
#include "cx/editors-ext/cxDateEdit.h"
#include "cx/editors-ext/cxRadioGroup.h"
#include "platform/rtl/ModuleInit.h"

void RegisterCxEditorsModules();

void RegisterCxEditorsExtModules() {
  RegisterCxEditorsModules();
  RegisterModule("cxRadioGroup", kRankCxEditorsExt + 0, &InitializeRadioGroup, &FinalizeRadioGroup);
  RegisterModule("cxDateEdit", kRankCxEditorsExt + 1, &InitializeDateEdit, &FinalizeDateEdit);
  RegisterModule("cxCurrencyEdit", kRankCxEditorsExt + 2, &InitializeCurrencyEdit, &FinalizeCurrencyEdit);
}
