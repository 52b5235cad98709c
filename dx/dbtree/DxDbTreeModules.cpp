// Start-up of the data-aware tree view's modules, after those of the libraries it stands on.
#include "dx/dbtree/dxdbtrel.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/rtl/ModuleInit.h"

void RegisterDxEditorsModules();
void RegisterDataModules();

namespace {

// The classes form resources name.
void InitDbTreeModule() {
  RegisterClasses({TdxDBTreeView::StaticClass(), TdxDBLookupTreeView::StaticClass()});
}

}  // namespace

void RegisterDxDbTreeModules() {
  RegisterDxEditorsModules();
  RegisterDataModules();
  RegisterModule("dxdbtree", kRankDxDbTree + 1, &InitDbTreeModule, nullptr);
}
