// Start-up of the data-aware tree list and grid: their column and control classes for form streaming.
#include "dx/dbgrid/dxDBColumnDefaults.h"
#include "dx/dbgrid/dxDBGrid.h"
#include "dx/dbgrid/dxDBGridColumnKinds.h"
#include "dx/dbgrid/dxDBTL.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/rtl/ModuleInit.h"

void RegisterDxTreeListModules();

namespace {

void InitDbGridModule() {
  RegisterClasses({TdxDBTreeListColumn::StaticClass(), TdxDBTreeListMaskColumn::StaticClass(),
                   TdxDBGridColumn::StaticClass(), TdxDBGridMaskColumn::StaticClass(),
                   TdxDBGrid::StaticClass(), TdxDBTreeList::StaticClass()});
  RegisterColumnKindClasses();
  RegisterDefaultColumnKinds();
}

void FinishDbGridModule() {
  DBTreeListDefaultColumns().Reset();
  DBGridDefaultColumns().Reset();
}

}  // namespace

void RegisterDxDbGridModules() {
  RegisterDxTreeListModules();
  RegisterModule("dxDBGrid", kRankDxDbGrid + 1, &InitDbGridModule, &FinishDbGridModule);
}
