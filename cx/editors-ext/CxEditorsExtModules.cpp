// Start-up of the specialised editors' modules, in the library's module order.
#include "cx/editors-ext/cxButtonEdit.h"
#include "cx/editors-ext/cxCurrencyEdit.h"
#include "cx/editors-ext/cxDBLookupComboBox.h"
#include "cx/editors-ext/cxDateEdit.h"
#include "cx/editors-ext/cxMRUEdit.h"
#include "cx/editors-ext/cxRadioGroup.h"
#include "cx/editors-ext/cxTimeEdit.h"
#include "platform/rtl/ModuleInit.h"

void RegisterCxEditorsModules();

void RegisterCxEditorsExtModules() {
  RegisterCxEditorsModules();
  RegisterModule("cxRadioGroup", kRankCxEditorsExt + 0, &InitializeRadioGroup, &FinalizeRadioGroup);
  RegisterModule("cxTimeEdit", kRankCxEditorsExt + 1, &InitializeTimeEdit, &FinalizeTimeEdit);
  RegisterModule("cxButtonEdit", kRankCxEditorsExt + 4, &InitializeButtonEdit, nullptr);
  RegisterModule("cxMRUEdit", kRankCxEditorsExt + 5, &InitializeMRUEdit, nullptr);
  RegisterModule("cxDateEdit", kRankCxEditorsExt + 2, &InitializeDateEdit, &FinalizeDateEdit);
  RegisterModule("cxCurrencyEdit", kRankCxEditorsExt + 3, &InitializeCurrencyEdit, &FinalizeCurrencyEdit);
  RegisterModule("cxDBLookupComboBox", kRankCxEditorsExt + 20, &InitializeDBLookupComboBox, nullptr);
}
