#include "platform/dbctrls/DbCtrls.h"

#include "platform/data/DB.h"
#include "platform/forms/FormsModules.h"

// The data-aware controls start after both libraries they join.
void RegisterDbCtrlsModules() {
  RegisterFormsModules();
  RegisterDataModules();
}
