// Start-up of the specialised editors' modules, in the library's module order.
#include "cx/editors-ext/cxDBEditRepository.h"
#include "cx/editors-ext/cxDBLookupComboBox.h"
#include "cx/editors-ext/cxEditDBRegisteredRepositoryItems.h"
#include "cx/editors-ext/cxEditDataRegisteredRepositoryItems.h"
#include "cx/editors-ext/cxEditRepositoryItems.h"
#include "cx/editors-ext/cxRadioGroup.h"
#include "platform/rtl/ModuleInit.h"

void RegisterCxEditorsModules();

void RegisterCxEditorsExtModules() {
  RegisterCxEditorsModules();
  RegisterModule("cxRadioGroup", kRankCxEditorsExt + 0, &InitializeRadioGroup, &FinalizeRadioGroup);
  RegisterModule("cxDBLookupComboBox", kRankCxEditorsExt + 20, &InitializeDBLookupComboBox, nullptr);
  // The repository items and the default-editor registries come after every editor they name.
  RegisterModule("cxEditRepositoryItems", kRankCxEditorsExt + 80, &InitializeEditRepositoryItems, nullptr);
  RegisterModule("cxDBEditRepository", kRankCxEditorsExt + 81, &InitializeDBEditRepository, nullptr);
  RegisterModule("cxEditDataRegisteredRepositoryItems", kRankCxEditorsExt + 82, &InitializeEditDataRegisteredItems,
                 &FinalizeEditDataRegisteredItems);
  RegisterModule("cxEditDBRegisteredRepositoryItems", kRankCxEditorsExt + 83, &InitializeEditDBRegisteredItems,
                 &FinalizeEditDBRegisteredItems);
}
