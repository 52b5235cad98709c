#include "platform/win/Help.h"

#include "platform/win/Input.h"
#include "platform/win/MessageIds.h"
#include "platform/win/Messages.h"
#include "platform/win/WindowTree.h"

std::vector<THelpRequest>& HelpRequests() {
  static std::vector<THelpRequest> requests;
  return requests;
}

BOOL WinHelp(HWND owner, const String& file, UINT command, ULONG_PTR data) {
  HelpRequests().push_back(THelpRequest{owner, file, command, data});
  return TRUE;
}

void SendHelpRequest(HWND hwnd) {
  HELPINFO info;
  info.iCtrlId = GetDlgCtrlID(hwnd);
  info.hItemHandle = hwnd;
  info.dwContextId = 0;
  GetCursorPos(&info.MousePos);
  SendMessage(hwnd, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
}
