// Start-up of the window system: the user-interface thread, the system window classes, the
// system colours for the drawing layer, and the settings-change broadcast.
#include "platform/gdi/Gdi.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/ModuleInit.h"
#include "platform/win/WinInternal.h"
#include "platform/win/Windows.h"

namespace {

int g_listener = 0;

void RegisterSystemClass(LPCWSTR name, WNDPROC proc, UINT style, int background) {
  WNDCLASSEX wc;
  wc.style = style | CS_GLOBALCLASS;
  wc.lpfnWndProc = proc;
  wc.lpszClassName = name;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<std::uintptr_t>(background + 1));
  RegisterClassEx(&wc);
}

void InitializeWindows() {
  SetUiThreadToCurrent();
  WinState();
  InstallSysColorSource();
  InstallDrawingHosts();
  RegisterSystemClass(u"#32770", &DefWindowProc, CS_DBLCLKS | CS_SAVEBITS, COLOR_BTNFACE);
  RegisterMdiClientClass();
  SetCursor(LoadCursor(nullptr, IDC_ARROW));
  // Editors re-read the locale when it changes: the top-level windows hear of it as from the system.
  g_listener = AddFormatSettingsListener([] {
    static const WCHAR kIntl[] = u"intl";
    SendMessage(HWND_BROADCAST, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(kIntl));
  });
}

void FinalizeWindows() {
  StopShellReaper();
  JoinThreadsAtExit();
  RemoveDrawingHosts();
  if (g_listener) RemoveFormatSettingsListener(g_listener);
  g_listener = 0;
}

}  // namespace

void RegisterWinModules() {
  RegisterRtlModules();
  RegisterGdiModules();
  RegisterModule("Windows", kRankWin + 1, &InitializeWindows, &FinalizeWindows);
}
