// Start-up of the data-aware tree view's modules, after those of the libraries it stands on.
#include "dx/dbtree/dxdbtrel.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/forms/Forms.h"
#include "platform/forms/FormsModules.h"
#include "platform/rtl/ModuleInit.h"
#include "platform/win/Windows.h"

void RegisterDxEditorsModules();
void RegisterDataModules();

namespace {

// The tree view's drag-copy cursor in the framework's table.
constexpr TCursor crdxTreeDragCopy = -1011;

void InitTreeModule() { Screen->SetCursors(crdxTreeDragCopy, LoadCursor(nullptr, u"DXTREEDRAGCOPY")); }

void FinalizeTreeModule() {
  if (Screen) Screen->SetCursors(crdxTreeDragCopy, nullptr);
}

// The classes form resources name.
void InitDbTreeModule() {
  RegisterClasses({TdxDBTreeView::StaticClass(), TdxDBLookupTreeView::StaticClass()});
}

}  // namespace

void RegisterDxDbTreeModules() {
  RegisterDxEditorsModules();
  RegisterDataModules();
  RegisterComCtrlsModules();
  RegisterModule("dxtree", kRankDxDbTree + 1, &InitTreeModule, &FinalizeTreeModule);
  RegisterModule("dxdbtree", kRankDxDbTree + 2, &InitDbTreeModule, nullptr);
}
