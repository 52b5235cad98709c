// Start-up of the control foundation's modules, in the library's module order.
#include "cx/foundation/cxButtonGlyph.h"
#include "cx/foundation/cxButtons.h"
#include "cx/foundation/cxContainer.h"
#include "cx/foundation/cxClasses.h"
#include "cx/foundation/cxControls.h"
#include "cx/foundation/cxLookAndFeelPainters.h"
#include "cx/foundation/cxLookAndFeels.h"
#include "cx/foundation/cxSolidBrushCache.h"
#include "cx/foundation/dxThemeManager.h"
#include "cx/foundation/dxUxTheme.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/forms/FormsModules.h"
#include "platform/gdi/Gdi.h"
#include "platform/rtl/ModuleInit.h"
#include "platform/win/Windows.h"

void RegisterClassesModules();

namespace {

// The classes form resources name.
void RegisterControlClasses() {
  RegisterClasses({TcxScrollBar::StaticClass(), TcxStyleController::StaticClass(), TcxButton::StaticClass()});
}

void InitializeUxTheme() {
  OSVERSIONINFO info;
  GetVersionEx(&info);
  dxUxThemeInitialize(info.dwMajorVersion, info.dwMinorVersion);
}

}  // namespace

void RegisterCxFoundationModules() {
  RegisterRtlModules();
  RegisterClassesModules();
  RegisterGdiModules();
  RegisterWinModules();
  RegisterFormsModules();
  RegisterModule("cxClasses", kRankCxFoundation + 1, nullptr, &cxClearResourceStringReplacements);
  RegisterModule("dxUxTheme", kRankCxFoundation + 2, &InitializeUxTheme, &dxUxThemeFinalize);
  RegisterModule("dxThemeManager", kRankCxFoundation + 3, &dxThemeManagerInitialize, &dxThemeManagerFinalize);
  RegisterModule("cxLookAndFeelPainters", kRankCxFoundation + 10, &InitializeLookAndFeelPainters,
                 &FinalizeLookAndFeelPainters);
  RegisterModule("cxLookAndFeels", kRankCxFoundation + 11, &InitializeLookAndFeels, &FinalizeLookAndFeels);
  RegisterModule("cxControls", kRankCxFoundation + 20, &cxControlsInitialize, &cxControlsFinalize);
  RegisterModule("cxContainer", kRankCxFoundation + 30, &cxContainerModuleInitialize, &cxContainerModuleFinalize);
  RegisterModule("cxSolidBrushCache", kRankCxFoundation + 40, &cxSolidBrushCacheInitialize,
                 &cxSolidBrushCacheFinalize);
  RegisterModule("cxButtons", kRankCxFoundation + 60, &RegisterControlClasses, &FinalizeButtonGlyphs);
}
