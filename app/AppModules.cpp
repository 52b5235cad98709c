// Start-up of the program's own modules, after every library it stands on.
#include "app/Main.h"
#include "app/SetColumnsVisible.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/dbctrls/DbCtrls.h"
#include "platform/forms/FormsModules.h"
#include "platform/rtl/ModuleInit.h"

void RegisterDisplayModules();
void RegisterDbModules();
void RegisterDxDbGridModules();

namespace {
void InitAppModule() { RegisterClasses({TMainForm::StaticClass(), TSetColumnsVisibleDlg::StaticClass()}); }
void FinalizeAppModule() {}
}  // namespace

void RegisterAppModules() {
  RegisterFormsModules();
  RegisterDbCtrlsModules();
  RegisterDxDbGridModules();
  RegisterDisplayModules();
  RegisterDbModules();
  RegisterModule("App.Main", kRankApp + 10, InitAppModule, FinalizeAppModule);
}
