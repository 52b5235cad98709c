// Start-up of the in-place editors' modules, in the library's module order.
#include "dx/editors/dxCheckEdit.h"
#include "dx/editors/dxDrawUtils.h"
#include "dx/editors/dxEditConsts.h"
#include "dx/editors/dxEditStyles.h"
#include "dx/editors/dxEditorRoutines.h"
#include "dx/editors/dxTextEdit.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/dbctrls/DbCtrls.h"
#include "platform/forms/FormsModules.h"
#include "platform/gdi/Gdi.h"
#include "platform/rtl/ModuleInit.h"
#include "platform/win/Windows.h"

void RegisterClassesModules();

namespace {

void InitContainerModule() {
  InitDefaultEditStyleController();
  InitShadowBrush();
}

void FinalizeContainerModule() {
  FinalizeShadowBrush();
  FinalizeDefaultEditStyleController();
}

// The editor module's values, and the classes form resources name (the filter window's check boxes
// and their style controller).
void InitExEditorsModule() {
  InitEditorRoutinesModule();
  RegisterClasses({TdxCheckEdit::StaticClass(), TdxCheckEditStyleController::StaticClass(),
                   TdxEditStyleController::StaticClass()});
}

}  // namespace

void RegisterDxEditorsModules() {
  RegisterRtlModules();
  RegisterClassesModules();
  RegisterGdiModules();
  RegisterWinModules();
  RegisterFormsModules();
  RegisterDbCtrlsModules();
  RegisterModule("dxEditConsts", kRankDxEditors + 1, &RegisterDxEditorTexts, nullptr);
  RegisterModule("dxDrawUtils", kRankDxEditors + 2, &InitDrawUtilsModule, &FinalizeDrawUtilsModule);
  RegisterModule("dxCntner", kRankDxEditors + 3, &InitContainerModule, &FinalizeContainerModule);
  RegisterModule("dxEditor", kRankDxEditors + 4, &InitTextEditModule, &FinalizeTextEditModule);
  RegisterModule("dxExEdtr", kRankDxEditors + 5, &InitExEditorsModule, &FinalizeEditorRoutinesModule);
}
