#include "platform/win/CommCtrl.h"

#include <atomic>

namespace {

constexpr DWORD kKnownClasses = ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_USEREX_CLASSES | ICC_COOL_CLASSES |
                                ICC_STANDARD_CLASSES | 0x00000800 /*internet*/ | 0x00001000 /*pager*/ |
                                0x00002000 /*native font*/ | 0x00008000 /*link*/;
std::atomic<DWORD> g_initialized{0};

}  // namespace

void InitCommonControls() { g_initialized |= ICC_WIN95_CLASSES; }

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* init) {
  if (!init || init->dwSize != sizeof(INITCOMMONCONTROLSEX) || (init->dwICC & ~kKnownClasses)) return FALSE;
  g_initialized |= init->dwICC;
  return TRUE;
}

DWORD InitializedCommonControls() { return g_initialized; }
