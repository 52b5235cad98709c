// Start-up of the specialised editors' modules, in the library's module order.
#include "cx/editors-ext/cxBlobEdit.h"
#include "cx/editors-ext/cxButtonEdit.h"
#include "cx/editors-ext/cxCalc.h"
#include "cx/editors-ext/cxCurrencyEdit.h"
#include "cx/editors-ext/cxDBEditRepository.h"
#include "cx/editors-ext/cxDBLookupComboBox.h"
#include "cx/editors-ext/cxEditDBRegisteredRepositoryItems.h"
#include "cx/editors-ext/cxEditDataRegisteredRepositoryItems.h"
#include "cx/editors-ext/cxDateEdit.h"
#include "cx/editors-ext/cxEditRepositoryItems.h"
#include "cx/editors-ext/cxHyperLinkEdit.h"
#include "cx/editors-ext/cxImage.h"
#include "cx/editors-ext/cxImageComboBox.h"
#include "cx/editors-ext/cxMRUEdit.h"
#include "cx/editors-ext/cxRadioGroup.h"
#include "cx/editors-ext/cxTimeEdit.h"
#include "platform/rtl/ModuleInit.h"

void RegisterCxEditorsModules();

void RegisterCxEditorsExtModules() {
  RegisterCxEditorsModules();
  RegisterModule("cxRadioGroup", kRankCxEditorsExt + 0, &InitializeRadioGroup, &FinalizeRadioGroup);
  RegisterModule("cxTimeEdit", kRankCxEditorsExt + 1, &InitializeTimeEdit, &FinalizeTimeEdit);
  RegisterModule("cxDateEdit", kRankCxEditorsExt + 2, &InitializeDateEdit, &FinalizeDateEdit);
  RegisterModule("cxCurrencyEdit", kRankCxEditorsExt + 3, &InitializeCurrencyEdit, &FinalizeCurrencyEdit);
  RegisterModule("cxButtonEdit", kRankCxEditorsExt + 4, &InitializeButtonEdit, nullptr);
  RegisterModule("cxMRUEdit", kRankCxEditorsExt + 5, &InitializeMRUEdit, nullptr);
  RegisterModule("cxHyperLinkEdit", kRankCxEditorsExt + 6, &InitializeHyperLinkEdit, nullptr);
  RegisterModule("cxEditRepositoryItems", kRankCxEditorsExt + 7, &InitializeEditRepositoryItems, nullptr);
  RegisterModule("cxCalc", kRankCxEditorsExt + 8, &InitializeCalcEdit, &FinalizeCalcEdit);
  RegisterModule("cxImage", kRankCxEditorsExt + 9, &InitializeImage, &FinalizeImage);
  RegisterModule("cxBlobEdit", kRankCxEditorsExt + 10, &InitializeBlobEdit, &FinalizeBlobEdit);
  RegisterModule("cxImageComboBox", kRankCxEditorsExt + 11, &InitializeImageComboBox, &FinalizeImageComboBox);
  RegisterModule("cxDBLookupComboBox", kRankCxEditorsExt + 20, &InitializeDBLookupComboBox, nullptr);
  RegisterModule("cxDBEditRepository", kRankCxEditorsExt + 21, &InitializeDBEditRepository, nullptr);
  // The default-editor registries come after every editor and item they name.
  RegisterModule("cxEditDataRegisteredRepositoryItems", kRankCxEditorsExt + 82, &InitializeEditDataRegisteredItems,
                 &FinalizeEditDataRegisteredItems);
  RegisterModule("cxEditDBRegisteredRepositoryItems", kRankCxEditorsExt + 83, &InitializeEditDBRegisteredItems,
                 &FinalizeEditDBRegisteredItems);
}
