// Start-up of the editor library's modules, in the library's module order.
#include "cx/data/cxDataUtils.h"
#include "cx/editors/cxCheckBox.h"
#include "cx/editors/cxComboBox.h"
#include "cx/editors/cxEdit.h"
#include "cx/editors/cxEditConsts.h"
#include "cx/editors/cxFormats.h"
#include "cx/editors/cxMaskEdit.h"
#include "cx/editors/cxMemo.h"
#include "cx/editors/cxPopupEdit.h"
#include "cx/editors/cxSpinEdit.h"
#include "cx/editors/cxTextEdit.h"
#include "cx/foundation/cxClasses.h"
#include "platform/rtl/ModuleInit.h"

namespace {

void InitializeEditConsts() { RegisterCxEditConsts(); }

void FinalizeFormats() { FreeFormatController(); }

// The data layer's texts come through the same replaceable source as the editors'.
void InitializeEdit() { cxFilterResourceStringHook = &cxGetResourceString; }

void InitializeMaskEdit() {
  GetRegisteredEditProperties()->Register(TcxMaskEditProperties::StaticClass(),
                                          cxGetResourceString(cxSEditMaskEditDescription));
}

void InitializeCheckBox() {
  GetRegisteredEditProperties()->Register(TcxCheckBoxProperties::StaticClass(),
                                          cxGetResourceString(cxSEditCheckBoxDescription));
}

void InitializeSpinEdit() {
  GetRegisteredEditProperties()->Register(TcxSpinEditProperties::StaticClass(),
                                          cxGetResourceString(cxSEditSpinEditDescription));
}

void InitializeMemo() {
  GetRegisteredEditProperties()->Register(TcxMemoProperties::StaticClass(),
                                          cxGetResourceString(cxSEditMemoDescription));
}

void InitializeTextEdit() {
  GetRegisteredEditProperties()->Register(TcxTextEditProperties::StaticClass(),
                                          cxGetResourceString(cxSEditTextEditDescription));
}

void InitializeDropDownEdit() {
  GetRegisteredEditProperties()->Register(TcxComboBoxProperties::StaticClass(),
                                          cxGetResourceString(cxSEditComboBoxDescription));
  GetRegisteredEditProperties()->Register(TcxPopupEditProperties::StaticClass(),
                                          cxGetResourceString(cxSEditPopupEditDescription));
}

void FinalizeEdit() {
  cxEditRegistryFinalize();
  cxFilterResourceStringHook = nullptr;
}

}  // namespace

void RegisterCxFoundationModules();
void RegisterCxDataModules();

void RegisterCxEditorsModules() {
  RegisterRtlModules();
  RegisterCxFoundationModules();
  RegisterCxDataModules();
  RegisterModule("cxEditConsts", kRankCxEditors + 0, &InitializeEditConsts, nullptr);
  RegisterModule("cxEdit", kRankCxEditors + 1, &InitializeEdit, &FinalizeEdit);
  RegisterModule("cxMaskEdit", kRankCxEditors + 2, &InitializeMaskEdit, nullptr);
  RegisterModule("cxCheckBox", kRankCxEditors + 3, &InitializeCheckBox, nullptr);
  RegisterModule("cxDropDownEdit", kRankCxEditors + 4, &InitializeDropDownEdit, nullptr);
  RegisterModule("cxSpinEdit", kRankCxEditors + 5, &InitializeSpinEdit, nullptr);
  RegisterModule("cxTextEdit", kRankCxEditors + 6, &InitializeTextEdit, nullptr);
  RegisterModule("cxMemo", kRankCxEditors + 7, &InitializeMemo, nullptr);
  RegisterModule("cxFormats", kRankCxEditors + 11, nullptr, &FinalizeFormats);
}
