// Start-up of the framework's forms library.
#include "platform/forms/FormsModules.h"

#include "platform/forms/ComCtrls.h"
#include "platform/forms/Controls.h"
#include "platform/forms/Forms.h"
#include "platform/forms/Menus.h"
#include "platform/forms/StdCtrls.h"
#include "platform/gdi/Gdi.h"
#include "platform/rtl/ModuleInit.h"
#include "platform/win/Windows.h"

void RegisterClassesModules();

void RegisterFormsModules() {
  RegisterGdiModules();
  RegisterClassesModules();
  RegisterWinModules();
  RegisterStdControlsModules();
  RegisterComCtrlsModules();
  RegisterModule("Forms.Graphics", kRankForms + 10, InitGraphicsModule, FinalizeGraphicsModule);
  RegisterModule("Forms.Jpeg", kRankForms + 20, InitJpegModule, FinalizeJpegModule);
  RegisterModule("Forms.Controls", kRankForms + 30, InitControlsModule, FinalizeControlsModule);
  RegisterModule("Forms.Forms", kRankForms + 40, InitFormsModule, FinalizeFormsModule);
  RegisterModule("Forms.Menus", kRankForms + 50, InitMenusModule, FinalizeMenusModule);
}
