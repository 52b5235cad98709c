// Start-up of the program's own modules, after every library it stands on.
#include "app/Main.h"
#include "app/PeopleListStandIn.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/dbctrls/DbCtrls.h"
#include "platform/forms/FormsModules.h"
#include "platform/rtl/ModuleInit.h"

void RegisterDisplayModules();
void RegisterDbModules();

namespace {
void InitAppModule() { RegisterClasses({TMainForm::StaticClass(), TPeopleListStandIn::StaticClass()}); }
void FinalizeAppModule() {}
}  // namespace

void RegisterAppModules() {
  RegisterFormsModules();
  RegisterDbCtrlsModules();
  RegisterDisplayModules();
  RegisterDbModules();
  RegisterModule("App.Main", kRankApp + 10, InitAppModule, FinalizeAppModule);
}
