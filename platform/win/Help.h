// Help: requests to the help system are recorded, never shown (there is no help viewer), as
// MessageBeep counts its beeps; F1 in a window sends WM_HELP, which goes up to the parents.
#pragma once

#include <vector>

#include "platform/rtl/Types.h"
#include "platform/rtl/WinDef.h"

// TranslateMessage posts it for F1; the default window procedure turns it into WM_HELP.
constexpr UINT WM_KEYF1 = 0x004D;

constexpr UINT HELP_CONTEXT = 0x0001;
constexpr UINT HELP_QUIT = 0x0002;
constexpr UINT HELP_INDEX = 0x0003;
constexpr UINT HELP_CONTENTS = 0x0003;
constexpr UINT HELP_HELPONHELP = 0x0004;
constexpr UINT HELP_SETINDEX = 0x0005;
constexpr UINT HELP_SETCONTENTS = 0x0005;
constexpr UINT HELP_CONTEXTPOPUP = 0x0008;
constexpr UINT HELP_FORCEFILE = 0x0009;
constexpr UINT HELP_SETPOPUP_POS = 0x000D;
constexpr UINT HELP_KEY = 0x0101;
constexpr UINT HELP_COMMAND = 0x0102;
constexpr UINT HELP_PARTIALKEY = 0x0105;
constexpr UINT HELP_FINDER = 0x000B;

// WM_HELP's record (lParam).
constexpr int HELPINFO_WINDOW = 0x0001;
constexpr int HELPINFO_MENUITEM = 0x0002;
struct HELPINFO {
  UINT cbSize = sizeof(HELPINFO);
  int iContextType = HELPINFO_WINDOW;
  int iCtrlId = 0;
  HWND hItemHandle = nullptr;
  DWORD_PTR dwContextId = 0;
  POINT MousePos;
};

struct THelpRequest {
  HWND owner = nullptr;
  String file;
  UINT command = 0;
  ULONG_PTR data = 0;
};

// Records the request; answers TRUE, as a help system that took it would.
BOOL WinHelp(HWND owner, const String& file, UINT command, ULONG_PTR data);
// F1: WM_HELP to the window with its id, handle and the cursor position.
void SendHelpRequest(HWND hwnd);
// What was asked for, oldest first (tests observe and clear it).
std::vector<THelpRequest>& HelpRequests();
