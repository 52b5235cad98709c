// Start-up of the property inspector's modules, in the library's module order.
#include "dx/inspector/dxDBInsp.h"
#include "dx/inspector/dxDBInspRw.h"
#include "dx/inspector/dxDBInspRwBlob.h"
#include "dx/inspector/dxDBInspRwLookup.h"
#include "dx/inspector/dxInspRwBlob.h"
#include "dx/inspector/dxInspRwButton.h"
#include "dx/inspector/dxInspRwCalc.h"
#include "dx/inspector/dxInspRwCurrency.h"
#include "dx/inspector/dxInspRwGraphic.h"
#include "dx/inspector/dxInspRwHyperLink.h"
#include "dx/inspector/dxInspRwImage.h"
#include "dx/inspector/dxInspRwMRU.h"
#include "dx/inspector/dxInspRwPopup.h"
#include "dx/inspector/dxInspRwSpin.h"
#include "dx/inspector/dxInspctComplex.h"
#include "dx/inspector/dxInspctDrag.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/rtl/ModuleInit.h"

void RegisterDxEditorsModules();
void RegisterDataModules();

namespace {

// The classes form resources name.
void InitInspectorModule() {
  LoadInspectorCursors();
  RegisterClasses({TdxInspectorTextRow::StaticClass(), TdxInspectorComplexRow::StaticClass()});
}

void InitDBInspectorModule() {
  RegisterClasses({TdxDBInspector::StaticClass(), TdxInspectorDBRow::StaticClass()});
}

void InitRowKindsModule() {
  RegisterCheckRowTexts();
  RegisterClasses({TdxInspectorTextCheckRow::StaticClass(), TdxInspectorTextMaskRow::StaticClass(),
                   TdxInspectorTextSpinRow::StaticClass(), TdxInspectorTextMemoRow::StaticClass(),
                   TdxInspectorTextDateRow::StaticClass(), TdxInspectorTextTimeRow::StaticClass(),
                   TdxInspectorTextButtonRow::StaticClass(), TdxInspectorTextCalcRow::StaticClass(),
                   TdxInspectorTextPickRow::StaticClass(), TdxInspectorTextMRURow::StaticClass(),
                   TdxInspectorTextCurrencyRow::StaticClass(), TdxInspectorTextHyperLinkRow::StaticClass(),
                   TdxInspectorTextImageRow::StaticClass(), TdxInspectorTextBlobRow::StaticClass(),
                   TdxInspectorTextPopupRow::StaticClass(), TdxInspectorTextGraphicRow::StaticClass()});
}

void InitDBRowKindsModule() {
  RegisterClasses({TdxInspectorDBCheckRow::StaticClass(), TdxInspectorDBSpinRow::StaticClass(),
                   TdxInspectorDBMaskRow::StaticClass(), TdxInspectorDBMemoRow::StaticClass(),
                   TdxInspectorDBDateRow::StaticClass(), TdxInspectorDBTimeRow::StaticClass(),
                   TdxInspectorLookupRow::StaticClass(), TdxInspectorDBCalcRow::StaticClass(),
                   TdxInspectorDBButtonRow::StaticClass(), TdxInspectorDBPickRow::StaticClass(),
                   TdxInspectorBlobRow::StaticClass(), TdxInspectorDBImageRow::StaticClass(),
                   TdxInspectorDBCurrencyRow::StaticClass(), TdxInspectorDBHyperLinkRow::StaticClass(),
                   TdxInspectorDBPopupRow::StaticClass(), TdxInspectorDBMRURow::StaticClass(),
                   TdxInspectorDBGraphicRow::StaticClass()});
  RegisterDefaultDBRowKinds();
}

}  // namespace

void RegisterDxInspectorModules() {
  RegisterDxEditorsModules();
  RegisterDataModules();
  RegisterModule("dxInspct", kRankDxInspector + 1, &InitInspectorModule, &FreeInspectorCursors);
  RegisterModule("dxDBInsp", kRankDxInspector + 2, &InitDBInspectorModule, nullptr);
  RegisterModule("dxInspRw", kRankDxInspector + 3, &InitRowKindsModule, nullptr);
  RegisterModule("dxDBInspRw", kRankDxInspector + 4, &InitDBRowKindsModule, &ResetDBRowClasses);
}
