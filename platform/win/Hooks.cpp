// Hook chains per hook type. Removed hooks stay in the chain (skipped) until no call of that chain
// is running, so that unhooking inside a hook procedure is safe.
#include "platform/win/Hooks.h"

#include <algorithm>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/win/Messages.h"
#include "platform/win/WinInternal.h"

namespace {

struct THook {
  int id = 0;
  HOOKPROC proc = nullptr;
  DWORD thread = 0;
  bool removed = false;
};

struct TChain {
  std::vector<std::shared_ptr<THook>> hooks;  // newest first
  int running = 0;
  int live = 0;
};

std::mutex g_hookMutex;
std::map<int, TChain>& Chains() {
  static std::map<int, TChain> chains;
  return chains;
}

HHOOK ToHandle(THook* h) { return reinterpret_cast<HHOOK>(h); }

// The first live hook for the current thread at or after `from` in the chain.
std::shared_ptr<THook> NextLive(TChain& chain, size_t from, DWORD thread) {
  for (size_t i = from; i < chain.hooks.size(); ++i) {
    auto& h = chain.hooks[i];
    if (!h->removed && (h->thread == 0 || h->thread == thread)) return h;
  }
  return nullptr;
}

LRESULT Invoke(int idHook, const std::shared_ptr<THook>& hook, int code, WPARAM wParam, LPARAM lParam) {
  {
    std::lock_guard lock(g_hookMutex);
    Chains()[idHook].running++;
  }
  struct Done {
    int id;
    ~Done() {
      std::lock_guard lock(g_hookMutex);
      TChain& c = Chains()[id];
      if (--c.running == 0)
        std::erase_if(c.hooks, [](const std::shared_ptr<THook>& h) { return h->removed; });
    }
  } done{idHook};
  return hook->proc(code, wParam, lParam);
}

}  // namespace

HHOOK SetWindowsHookEx(int idHook, HOOKPROC proc, HINSTANCE, DWORD threadId) {
  if (!proc) return nullptr;
  switch (idHook) {
    case WH_MSGFILTER:
    case WH_KEYBOARD:
    case WH_GETMESSAGE:
    case WH_CALLWNDPROC:
    case WH_MOUSE:
    case WH_CALLWNDPROCRET:
      break;
    default:
      return nullptr;
  }
  auto h = std::make_shared<THook>();
  h->id = idHook;
  h->proc = proc;
  h->thread = threadId;
  std::lock_guard lock(g_hookMutex);
  TChain& chain = Chains()[idHook];
  chain.hooks.insert(chain.hooks.begin(), h);
  chain.live++;
  return ToHandle(h.get());
}

BOOL UnhookWindowsHookEx(HHOOK hook) {
  std::lock_guard lock(g_hookMutex);
  for (auto& [id, chain] : Chains()) {
    for (auto it = chain.hooks.begin(); it != chain.hooks.end(); ++it) {
      if (ToHandle(it->get()) != hook || (*it)->removed) continue;
      (*it)->removed = true;
      chain.live--;
      if (chain.running == 0) chain.hooks.erase(it);
      return TRUE;
    }
  }
  return FALSE;
}

bool HasHooks(int idHook) {
  std::lock_guard lock(g_hookMutex);
  auto it = Chains().find(idHook);
  return it != Chains().end() && it->second.live > 0;
}

LRESULT CallHooks(int idHook, int code, WPARAM wParam, LPARAM lParam) {
  std::shared_ptr<THook> first;
  {
    std::lock_guard lock(g_hookMutex);
    auto it = Chains().find(idHook);
    if (it == Chains().end()) return 0;
    first = NextLive(it->second, 0, GetCurrentThreadId());
  }
  return first ? Invoke(idHook, first, code, wParam, lParam) : 0;
}

LRESULT CallNextHookEx(HHOOK hook, int code, WPARAM wParam, LPARAM lParam) {
  std::shared_ptr<THook> next;
  int idHook = 0;
  {
    std::lock_guard lock(g_hookMutex);
    for (auto& [id, chain] : Chains()) {
      for (size_t i = 0; i < chain.hooks.size(); ++i) {
        if (ToHandle(chain.hooks[i].get()) != hook) continue;
        idHook = id;
        next = NextLive(chain, i + 1, GetCurrentThreadId());
        break;
      }
      if (idHook) break;
    }
  }
  return next ? Invoke(idHook, next, code, wParam, lParam) : 0;
}

BOOL CallMsgFilter(MSG* msg, int code) {
  if (!HasHooks(WH_MSGFILTER)) return FALSE;
  return CallHooks(WH_MSGFILTER, code, 0, reinterpret_cast<LPARAM>(msg)) ? TRUE : FALSE;
}

LRESULT CallWndProcHooked(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (HasHooks(WH_CALLWNDPROC)) {
    CWPSTRUCT cwp{lParam, wParam, msg, hwnd};
    CallHooks(WH_CALLWNDPROC, HC_ACTION, 0, reinterpret_cast<LPARAM>(&cwp));
  }
  // The hook may have replaced the procedure for this call (or destroyed the window).
  LRESULT result = CallWndProcRaw(hwnd, msg, wParam, lParam);
  if (HasHooks(WH_CALLWNDPROCRET)) {
    CWPRETSTRUCT ret{result, lParam, wParam, msg, hwnd};
    CallHooks(WH_CALLWNDPROCRET, HC_ACTION, 0, reinterpret_cast<LPARAM>(&ret));
  }
  return result;
}
