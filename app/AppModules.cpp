// Start-up of the program's own modules, after every library it stands on.
#include "app/DateDlg.h"
#include "app/DoublesFIO.h"
#include "app/FilterForm.h"
#include "app/Main.h"
#include "app/MessageForm.h"
#include "app/PeopleDlg.h"
#include "app/PeopleJoin.h"
#include "app/PrintForm.h"
#include "app/RayonDepDlg.h"
#include "app/ReferenceDlg.h"
#include "app/SetColumnsVisible.h"
#include "app/ShowSynonym.h"
#include "app/SpravForm.h"
#include "app/TransferForm.h"
#include "app/TrenvikForm.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/dbctrls/DbCtrls.h"
#include "platform/forms/FormsModules.h"
#include "platform/rtl/ModuleInit.h"

void RegisterDisplayModules();
void RegisterDbModules();
void RegisterDxDbGridModules();
void RegisterDxDbTreeModules();
void RegisterDxInspectorModules();
void RegisterCxFoundationModules();
void RegisterCxGridModules();

namespace {
void InitAppModule() {
  RegisterClasses({TMainForm::StaticClass(), TSetColumnsVisibleDlg::StaticClass(),
                   TTrenvikForm::StaticClass(), TSpravForm::StaticClass(), TShowSynonymForm::StaticClass(),
                   TDateDlgForm::StaticClass(), TTransferForm::StaticClass(),
                   TMessageForm::StaticClass(), TCollageDlg::StaticClass(), TKatEduDlg::StaticClass(),
                   TSexDlg::StaticClass(), TRayonDepDlg::StaticClass(), TPeopleDlg::StaticClass(),
                   TPeopleJoinForm::StaticClass(), TPrintForm::StaticClass(), TDoublesFIOForm::StaticClass(), TFilterForm::StaticClass()});
  RegisterFilterEditorClasses();
}
void FinalizeAppModule() {}
}  // namespace

void RegisterAppModules() {
  RegisterFormsModules();
  RegisterDbCtrlsModules();
  RegisterDxDbGridModules();
  RegisterDxDbTreeModules();
  RegisterDxInspectorModules();
  RegisterCxFoundationModules();
  RegisterCxGridModules();
  RegisterDisplayModules();
  RegisterDbModules();
  RegisterModule("App.Main", kRankApp + 10, InitAppModule, FinalizeAppModule);
}
