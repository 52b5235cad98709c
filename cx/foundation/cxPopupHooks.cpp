// The three thread hooks that close shown pop-ups: on messages sent to windows (destroy, close,
// hiding or moving the owner, the application's deactivation, keeping the owner's caption active),
// on messages taken from the queue (Alt keys) and on mouse clicks outside a pop-up.
#include <algorithm>
#include <map>

#include "cx/foundation/cxPopupWindow.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/win/Windows.h"

namespace popup_internal {
std::vector<TcxCustomPopupWindow*>& ShownPopups();
}
using popup_internal::ShownPopups;

namespace {

HHOOK g_callWndProcHook = nullptr;
HHOOK g_getMessageHook = nullptr;
HHOOK g_mouseHook = nullptr;
// True while the mouse hook closes a pop-up.
bool g_closingByMouse = false;
// Window procedures replaced for one WM_NCACTIVATE call.
std::map<HWND, LONG_PTR> g_suppressedProcs;

TWinControl* OwnerWindowControl(TcxCustomPopupWindow* P) {
  auto* owner = dynamic_cast<TWinControl*>(P->OwnerControl());
  if (!owner || owner->ComponentState().Contains(csDestroying) || !owner->HandleAllocated()) return nullptr;
  return owner;
}

TCustomForm* OwnerForm(TcxCustomPopupWindow* P) {
  return P->OwnerControl() ? GetParentForm(P->OwnerControl()) : nullptr;
}

TcxCustomPopupWindow* ShownPopupOfWindow(HWND AWnd) {
  for (TcxCustomPopupWindow* p : ShownPopups())
    if (p->HandleAllocated() && p->Handle() == AWnd) return p;
  return nullptr;
}

// Answers the one WM_NCACTIVATE (FALSE) with TRUE and puts the window's procedure back.
LRESULT SuppressedNCActivateProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto it = g_suppressedProcs.find(hwnd);
  if (it == g_suppressedProcs.end()) return DefWindowProc(hwnd, msg, wParam, lParam);
  SetWindowLongPtr(hwnd, GWL_WNDPROC, it->second);
  g_suppressedProcs.erase(it);
  return TRUE;
}

void SuppressNCActivate(HWND AWnd) {
  if (g_suppressedProcs.count(AWnd)) return;
  g_suppressedProcs[AWnd] =
      SetWindowLongPtr(AWnd, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(&SuppressedNCActivateProc));
}

// Closes the pop-ups the predicate picks, looking again from the first after each close.
template <class Pred>
void CloseEach(Pred APred) {
  for (bool again = true; again;) {
    again = false;
    for (TcxCustomPopupWindow* p : ShownPopups()) {
      if (APred(p)) {
        again = true;
        break;
      }
    }
  }
}

void OnDestroyOrClose(const CWPSTRUCT& M) {
  TcxCustomPopupWindow* p = ShownPopupOfWindow(M.hwnd);
  if (!p || p->IsDestroying()) return;
  p->Close();
  if (M.message == WM_CLOSE && !p->IsPopupShown() && !p->IsDestroying())
    if (TCustomForm* form = OwnerForm(p); form && form->HandleAllocated()) SendMessage(form->Handle(), WM_CLOSE, 0, 0);
}

void OnHideWindow(const CWPSTRUCT& M) {
  auto& list = ShownPopups();
  for (size_t i = list.size(); i-- > 0;) {
    TWinControl* owner = OwnerWindowControl(list[i]);
    if (!owner || owner->Handle() != M.hwnd) continue;
    // That pop-up and every one shown after it, the last first.
    const std::vector<TcxCustomPopupWindow*> later(list.begin() + static_cast<long>(i), list.end());
    for (auto it = later.rbegin(); it != later.rend(); ++it) (*it)->ClosePopup(false);
    return;
  }
}

void OnDeactivateApp() {
  CloseEach([](TcxCustomPopupWindow* p) {
    if (TCustomForm* form = OwnerForm(p); form && form->HandleAllocated())
      PostMessage(form->Handle(), WM_NCACTIVATE, FALSE, 0);
    if (p->ModalMode() && p->HandleAllocated() && GetActiveWindow() == p->Handle()) return false;
    p->ClosePopup(false);
    if (auto* owner = dynamic_cast<TcxControl*>(p->OwnerControl())) owner->FocusChanged();
    return true;
  });
}

void OnWindowPosChanged(const CWPSTRUCT& M) {
  CloseEach([&](TcxCustomPopupWindow* p) {
    if (p->IsDestroying() || !p->HandleAllocated()) return false;
    TWinControl* owner = OwnerWindowControl(p);
    if (!owner || owner->Handle() != M.hwnd || IsWindowVisible(M.hwnd)) return false;
    p->ClosePopup(false);
    return true;
  });
}

void OnNCActivate(const CWPSTRUCT& M) {
  if (M.wParam) return;
  bool suppress = g_closingByMouse;
  if (!suppress)
    for (TcxCustomPopupWindow* p : ShownPopups()) {
      if (p->IsDestroying()) continue;
      TCustomForm* form = OwnerForm(p);
      if (form && form->HandleAllocated() && form->Handle() == M.hwnd) {
        suppress = true;
        break;
      }
    }
  if (suppress) SuppressNCActivate(M.hwnd);
}

LRESULT CallWndProcHook(int ACode, WPARAM wParam, LPARAM lParam) {
  if (ACode == HC_ACTION && !ShownPopups().empty()) {
    const CWPSTRUCT& m = *reinterpret_cast<CWPSTRUCT*>(lParam);
    switch (m.message) {
      case WM_DESTROY:
      case WM_CLOSE: OnDestroyOrClose(m); break;
      case WM_SHOWWINDOW:
        if (!m.wParam) OnHideWindow(m);
        break;
      case WM_ACTIVATEAPP:
        if (!m.wParam) OnDeactivateApp();
        break;
      case WM_WINDOWPOSCHANGED: OnWindowPosChanged(m); break;
      case WM_NCACTIVATE: OnNCActivate(m); break;
      default: break;
    }
  }
  return CallNextHookEx(g_callWndProcHook, ACode, wParam, lParam);
}

LRESULT GetMessageHook(int ACode, WPARAM wParam, LPARAM lParam) {
  if (ACode == HC_ACTION && !ShownPopups().empty()) {
    MSG& msg = *reinterpret_cast<MSG*>(lParam);
    if (msg.message == WM_SYSKEYDOWN) {
      TcxCustomPopupWindow* top = ShownPopups().back();
      if ((!top->ModalMode() || !top->OwnLoop()) && !top->AcceptsSysKey(static_cast<WORD>(msg.wParam)))
        msg.message = WM_NULL;
    }
  }
  return CallNextHookEx(g_getMessageHook, ACode, wParam, lParam);
}

bool IsWithin(TWinControl* AControl, HWND AWnd) {
  return AControl && AControl->HandleAllocated() && (AControl->Handle() == AWnd || cxIsChildWindow(AControl, AWnd));
}

// One click examined against the shown pop-ups; true when it is to be discarded.
bool HandleClick(UINT AMsg, HWND AWnd, POINT P) {
  bool swallow = false;
  for (bool again = true; again;) {
    again = false;
    for (TcxCustomPopupWindow* p : ShownPopups()) {
      if (p->ModalMode() && !(p->HandleAllocated() && GetActiveWindow() == p->Handle())) continue;
      if (IsWithin(p, AWnd)) continue;
      TCustomForm* form = OwnerForm(p);
      if (!IsWithin(form, AWnd)) continue;
      auto* owner = dynamic_cast<TWinControl*>(p->OwnerControl());
      bool onOwner = false;
      if (IsWithin(owner, AWnd) && (AMsg == WM_LBUTTONDOWN || AMsg == WM_LBUTTONDBLCLK) && p->OwnerParent()) {
        const RECT ob = p->OwnerBounds();
        const POINT tl = p->OwnerParent()->ClientToScreen({ob.left, ob.top});
        const RECT screen{tl.x, tl.y, tl.x + (ob.right - ob.left), tl.y + (ob.bottom - ob.top)};
        onOwner = PtInRect(&screen, P) != 0;
      }
      g_closingByMouse = true;
      p->SetClosingByMessage(true);
      TScopeExit done([p] {
        g_closingByMouse = false;
        p->SetClosingByMessage(false);
      });
      p->ClosePopup(false);
      if (onOwner && (owner->ComponentState().Contains(csDestroying) || !owner->Visible())) swallow = true;
      again = true;
      break;
    }
  }
  return swallow;
}

LRESULT MouseHook(int ACode, WPARAM wParam, LPARAM lParam) {
  if (ACode == HC_ACTION && !ShownPopups().empty()) {
    switch (wParam) {
      case WM_NCLBUTTONDOWN:
      case WM_NCLBUTTONDBLCLK:
      case WM_LBUTTONDOWN:
      case WM_LBUTTONDBLCLK: {
        const auto& m = *reinterpret_cast<MOUSEHOOKSTRUCT*>(lParam);
        if (HandleClick(static_cast<UINT>(wParam), m.hwnd, m.pt)) return 1;
        break;
      }
      default: break;
    }
  }
  return CallNextHookEx(g_mouseHook, ACode, wParam, lParam);
}

}  // namespace

void cxInstallPopupHooks() {
  g_callWndProcHook = SetWindowsHookEx(WH_CALLWNDPROC, &CallWndProcHook, nullptr, GetCurrentThreadId());
  g_getMessageHook = SetWindowsHookEx(WH_GETMESSAGE, &GetMessageHook, nullptr, GetCurrentThreadId());
  g_mouseHook = SetWindowsHookEx(WH_MOUSE, &MouseHook, nullptr, GetCurrentThreadId());
}

void cxRemovePopupHooks() {
  if (g_mouseHook) UnhookWindowsHookEx(g_mouseHook);
  if (g_getMessageHook) UnhookWindowsHookEx(g_getMessageHook);
  if (g_callWndProcHook) UnhookWindowsHookEx(g_callWndProcHook);
  g_mouseHook = g_getMessageHook = g_callWndProcHook = nullptr;
  ShownPopups().clear();
}

void cxContainerModuleStartShared();
void cxContainerModuleStopShared();

namespace {
bool IsWindowOfNestedPopup(TWinControl* AParent, HWND AWnd);
}

namespace {
// A pop-up opened from a control inside another pop-up counts as part of the outer one.
bool IsWindowOfNestedPopup(TWinControl* AParent, HWND AWnd) {
  if (!dynamic_cast<TcxCustomPopupWindow*>(AParent)) return false;
  for (TcxCustomPopupWindow* p : ShownPopups()) {
    if (p == AParent || !p->OwnerControl() || GetParentForm(p->OwnerControl()) != AParent) continue;
    if ((p->HandleAllocated() && p->Handle() == AWnd) || cxIsChildWindow(p, AWnd)) return true;
  }
  return false;
}
}  // namespace

void cxContainerModuleInitialize() {
  cxContainerModuleStartShared();
  cxSetPopupChildWindowTest(&IsWindowOfNestedPopup);
  cxInstallPopupHooks();
}

void cxContainerModuleFinalize() {
  cxSetPopupChildWindowTest(nullptr);
  cxContainerModuleStopShared();
  cxRemovePopupHooks();
}
