// The executable: the modules' start-up, the display (a desktop window when a desktop is there,
// headless otherwise), the program, and the shut-down.
#include "app/ProgramMain.h"
#include "platform/display/Display.h"
#include "platform/rtl/ModuleInit.h"

int main() {
  RegisterAppModules();
  InitializeModules();
  StartDisplay(PreferredDisplayKind());
  UseFormResourceFolder();
  ProgramMain();
  StopDisplay();
  FinalizeModules();
  return 0;
}
