// Start-up of the common controls: the class registry entries form resources create them through.
#include "platform/classes/ClassRegistry.h"
#include "platform/forms/ComCtrls.h"
#include "platform/forms/FormsModules.h"
#include "platform/rtl/ModuleInit.h"

namespace {

void InitComCtrls() { RegisterClasses({TTreeView::StaticClass()}); }
void FinalizeComCtrls() {}

}  // namespace

void RegisterComCtrlsModules() {
  RegisterModule("Forms.ComCtrls", kRankForms + 36, &InitComCtrls, &FinalizeComCtrls);
}
