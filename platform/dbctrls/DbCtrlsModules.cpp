#include "platform/data/DB.h"
#include "platform/dbctrls/DBActns.h"
#include "platform/dbctrls/DbCtrls.h"
#include "platform/forms/FormsModules.h"
#include "platform/rtl/ModuleInit.h"

// The data-aware controls start after both libraries they join.
void RegisterDbCtrlsModules() {
  RegisterFormsModules();
  RegisterDataModules();
  RegisterModule("DbCtrls.DataSetActions", kRankData + 500, &RegisterDataSetActions, [] {});
}
