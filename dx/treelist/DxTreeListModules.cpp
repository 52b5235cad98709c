// Start-up of the tree list module: its texts and its column classes for form streaming.
#include "dx/treelist/dxTLColumn.h"
#include "dx/treelist/dxTLConsts.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/rtl/ModuleInit.h"

void RegisterDxEditorsModules();

namespace {

void InitTreeListModule() {
  RegisterTreeListTexts();
  RegisterClasses({TdxTreeListColumn::StaticClass(), TdxTreeListMaskColumn::StaticClass()});
}

}  // namespace

void RegisterDxTreeListModules() {
  RegisterDxEditorsModules();
  RegisterModule("dxTL", kRankDxTreeList + 1, &InitTreeListModule, nullptr);
}
