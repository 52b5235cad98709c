// The thread hooks of the toolbar library: installed with the first manager, removed with the last.
#include "dx/bars/dxBarManager.h"
#include "platform/forms/Forms.h"
#include "platform/win/Hooks.h"
#include "platform/win/Windows.h"

namespace {

struct TBarHooks {
  HHOOK keyboard = nullptr;
  HHOOK mouse = nullptr;
  HHOOK callWndProc = nullptr;
};

TBarHooks& BarHooks() {
  static TBarHooks hooks;
  return hooks;
}

LRESULT BarKeyboardHook(int Code, WPARAM WParam, LPARAM LParam) {
  return CallNextHookEx(BarHooks().keyboard, Code, WParam, LParam);
}

LRESULT BarMouseHook(int Code, WPARAM WParam, LPARAM LParam) {
  return CallNextHookEx(BarHooks().mouse, Code, WParam, LParam);
}

// Hands the owner forms' messages to their managers before the forms see them.
LRESULT BarCallWndProcHook(int Code, WPARAM WParam, LPARAM LParam) {
  if (Code == HC_ACTION && BarManagers()) {
    const auto* message = reinterpret_cast<const CWPSTRUCT*>(LParam);
    for (int i = 0; i < BarManagers()->Count(); ++i) {
      TdxBarManager* manager = BarManagers()->Items(i);
      TCustomForm* form = manager->ParentForm();
      if (form && form->HandleAllocated() && form->Handle() == message->hwnd) {
        manager->HandleOwnerFormMessage(message->message, message->wParam, message->lParam);
        break;
      }
    }
  }
  return CallNextHookEx(BarHooks().callWndProc, Code, WParam, LParam);
}

}  // namespace

namespace dxbars_internal {

void InstallBarHooks() {
  TBarHooks& hooks = BarHooks();
  DWORD thread = GetCurrentThreadId();
  if (!hooks.keyboard) hooks.keyboard = SetWindowsHookEx(WH_KEYBOARD, &BarKeyboardHook, nullptr, thread);
  if (!hooks.mouse) hooks.mouse = SetWindowsHookEx(WH_MOUSE, &BarMouseHook, nullptr, thread);
  if (!hooks.callWndProc)
    hooks.callWndProc = SetWindowsHookEx(WH_CALLWNDPROC, &BarCallWndProcHook, nullptr, thread);
}

void RemoveBarHooks() {
  TBarHooks& hooks = BarHooks();
  for (HHOOK* hook : {&hooks.callWndProc, &hooks.mouse, &hooks.keyboard}) {
    if (*hook) UnhookWindowsHookEx(*hook);
    *hook = nullptr;
  }
}

bool BarHooksInstalled() {
  const TBarHooks& hooks = BarHooks();
  return hooks.keyboard && hooks.mouse && hooks.callWndProc;
}

}  // namespace dxbars_internal
