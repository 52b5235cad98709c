// The executable: the modules' start-up, the display (the desktop window; headless only when
// TRENVIK_HEADLESS asks for it), the program, and the shut-down. Exits non-zero, with the reason on
// stderr, when it cannot start or its start-up failed.
#include "app/ProgramMain.h"
#include "platform/display/Display.h"
#include "platform/rtl/ModuleInit.h"

int main() {
  EndProgramOnStopSignals();
  ReportWritesPastFileSizeLimit();
  RegisterAppModules();
  InitializeModules();
  int exitCode = 1;
  if (StartProgramDisplay() && UseFormResourceFolder()) {
    ProgramMain();
    exitCode = ProgramExitCode();
  }
  StopDisplay();
  FinalizeModules();
  StopListeningForStopSignals();
  return exitCode;
}
