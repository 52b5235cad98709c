#include "app/ProgramMain.h"

#include <pthread.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "app/DataModule.h"
#include "app/FilterForm.h"
#include "app/Main.h"
#include "app/SpravForm.h"
#include "platform/ado/ADODB.h"
#include "platform/classes/FormResources.h"
#include "platform/display/Display.h"
#include "platform/forms/Dialogs.h"
#include "platform/forms/Forms.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/String.h"

namespace {

int g_exitCode = 0;
std::thread g_signalListener;

void SayError(const std::string& text) { std::fprintf(stderr, "trenvik: %s\n", text.c_str()); }

const char* EnvOrEmpty(const char* name) {
  const char* v = std::getenv(name);
  return v ? v : "";
}

sigset_t StopSignals() {
  sigset_t set;
  sigemptyset(&set);
  sigaddset(&set, SIGINT);
  sigaddset(&set, SIGTERM);
  return set;
}

}  // namespace

bool StartProgramDisplay() {
  if (PreferredDisplayKind() == TDisplayKind::Headless) {
    if (*EnvOrEmpty("TRENVIK_HEADLESS")) return StartDisplay(TDisplayKind::Headless);
    SayError(
        "no display: neither DISPLAY nor WAYLAND_DISPLAY is set (start the program on a desktop, or under "
        "xvfb-run)");
    return false;
  }
  if (StartDisplay(TDisplayKind::Sdl)) return true;
  const char* named = *EnvOrEmpty("DISPLAY") ? EnvOrEmpty("DISPLAY") : EnvOrEmpty("WAYLAND_DISPLAY");
  SayError(std::string("cannot open the display \"") + named + "\": " + LastDisplayError());
  return false;
}

bool UseFormResourceFolder() {
  const String forms = IncludeTrailingPathDelimiter(ResourceDirectory()) + u"forms";
  if (!FileExists(IncludeTrailingPathDelimiter(forms) + u"TMainForm.dfm")) {
    SayError("the program's window layouts were not found in " + StringToUtf8(forms) +
             " (they belong in resources/forms beside the program; TRENVIK_RESOURCES names another folder)");
    return false;
  }
  SetResourceDirectory(forms);
  return true;
}

void EndProgramOnStopSignals() {
  // Blocked in every thread (the threads made later inherit the mask); one thread takes them.
  sigset_t set = StopSignals();
  pthread_sigmask(SIG_BLOCK, &set, nullptr);
  g_signalListener = std::thread([set] {
    int signal = 0;
    sigwait(&set, &signal);
    PostThreadMessage(GetUiThreadId(), WM_QUIT, 0, 0);
  });
}

void ReportWritesPastFileSizeLimit() { std::signal(SIGXFSZ, SIG_IGN); }

void StopListeningForStopSignals() {
  if (!g_signalListener.joinable()) return;
  pthread_kill(g_signalListener.native_handle(), SIGTERM);
  g_signalListener.join();
}

void EndProgramWithError(const String& Reason) {
  SayError(StringToUtf8(Reason));
  g_exitCode = 1;
  Application->Terminate();
}

int ProgramExitCode() { return g_exitCode; }

void ProgramMain() {
  CreateProgramWindows();
  Application->Run();
  CloseProgramData();
}

void CloseProgramData() {
  if (DataModule2) DataModule2->ADOConnection1->Close();
}

void CreateProgramWindows() {
  Application->Initialize();
  Application->SetTitle(u"Trenvik");
  SetLoginDialogProc(&LoginDialog);
  Application->CreateForm(MainForm);
  DataModule2 = new TDataModule2(Application);
  DataModule2->AfterConstruction();
  Application->CreateForm(FilterForm);
  Application->CreateForm(SpravForm);
}
