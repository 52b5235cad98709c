// Timers read the one clock lazily: a due timer yields one WM_TIMER when the queue is read, and
// its next period starts when that message is removed, as the platform coalesces missed ticks.
#include "platform/win/Timers.h"

#include <algorithm>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/rtl/Clock.h"
#include "platform/win/Input.h"
#include "platform/win/WinInternal.h"

namespace {

struct TTimer {
  HWND hwnd = nullptr;
  UINT_PTR id = 0;
  UINT elapse = 0;
  TIMERPROC proc = nullptr;
  DWORD thread = 0;
  Int64 due = 0;
};

std::mutex g_timerMutex;
std::vector<TTimer>& Timers() {
  static std::vector<TTimer> timers;
  return timers;
}
UINT_PTR g_nextThreadTimer = 0x7FF0;
UINT g_doubleClickTime = 500;

bool Matches(const TTimer& t, HWND hwnd, UINT filterMin, UINT filterMax) {
  if (!(filterMin == 0 && filterMax == 0) && (WM_TIMER < filterMin || WM_TIMER > filterMax)) return false;
  if (hwnd == reinterpret_cast<HWND>(-1)) return t.hwnd == nullptr;
  if (hwnd) return t.hwnd == hwnd || IsChild(hwnd, t.hwnd);
  return true;
}

}  // namespace

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC proc) {
  if (hwnd && !IsWindow(hwnd)) return 0;
  elapse = std::clamp(elapse, USER_TIMER_MINIMUM, USER_TIMER_MAXIMUM);
  Int64 now = Clock().TickCount();
  std::lock_guard lock(g_timerMutex);
  auto& timers = Timers();
  DWORD thread = hwnd ? GetUiThreadId() : GetCurrentThreadId();
  if (!hwnd) {
    bool reuse = false;
    if (id)
      for (auto& t : timers)
        if (!t.hwnd && t.id == id && t.thread == thread) reuse = true;
    if (!reuse) id = g_nextThreadTimer++;
  }
  for (auto& t : timers)
    if (t.hwnd == hwnd && t.id == id && t.thread == thread) {
      t.elapse = elapse;
      t.proc = proc;
      t.due = now + elapse;
      return hwnd ? (id ? id : 1) : id;
    }
  timers.push_back(TTimer{hwnd, id, elapse, proc, thread, now + elapse});
  WakeUiThread(QS_TIMER);
  return hwnd ? (id ? id : 1) : id;
}

BOOL KillTimer(HWND hwnd, UINT_PTR id) {
  std::lock_guard lock(g_timerMutex);
  auto& timers = Timers();
  DWORD thread = hwnd ? GetUiThreadId() : GetCurrentThreadId();
  for (auto it = timers.begin(); it != timers.end(); ++it)
    if (it->hwnd == hwnd && it->id == id && it->thread == thread) {
      timers.erase(it);
      return TRUE;
    }
  return FALSE;
}

void KillWindowTimers(HWND hwnd) {
  std::lock_guard lock(g_timerMutex);
  std::erase_if(Timers(), [hwnd](const TTimer& t) { return t.hwnd == hwnd; });
}

bool IsTimerProc(LPARAM proc) {
  std::lock_guard lock(g_timerMutex);
  for (auto& t : Timers())
    if (reinterpret_cast<LPARAM>(t.proc) == proc) return true;
  return false;
}

Int64 NextTimerDue() {
  std::lock_guard lock(g_timerMutex);
  Int64 best = -1;
  DWORD thread = GetCurrentThreadId();
  for (auto& t : Timers())
    if (t.thread == thread && (best < 0 || t.due < best)) best = t.due;
  return best;
}

namespace {

// The due timer of the calling thread that fits the filter, as a WM_TIMER without a cursor position.
bool FindDueTimer(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax, bool remove) {
  Int64 now = Clock().TickCount();
  std::lock_guard lock(g_timerMutex);
  DWORD thread = GetCurrentThreadId();
  TTimer* best = nullptr;
  for (auto& t : Timers()) {
    if (t.thread != thread || t.due > now || !Matches(t, hwnd, filterMin, filterMax)) continue;
    if (!best || t.due < best->due) best = &t;
  }
  if (!best) return false;
  *msg =
      MSG{best->hwnd, WM_TIMER, best->id, reinterpret_cast<LPARAM>(best->proc), static_cast<DWORD>(now), {}};
  if (remove) best->due = now + best->elapse;
  return true;
}

}  // namespace

bool PeekTimerMessage(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax, bool remove) {
  if (!FindDueTimer(msg, hwnd, filterMin, filterMax, remove)) return false;
  // Outside the timer lock: the cursor belongs to the input state, which has a lock of its own.
  if (IsUiThread()) GetCursorPos(&msg->pt);
  return true;
}

DWORD GetTickCount() { return static_cast<DWORD>(Clock().TickCount()); }

UINT GetDoubleClickTime() { return g_doubleClickTime; }

BOOL SetDoubleClickTime(UINT milliseconds) {
  g_doubleClickTime = milliseconds ? milliseconds : 500;
  return TRUE;
}

void Sleep(DWORD milliseconds) {
  if (auto* v = dynamic_cast<VirtualClock*>(&Clock())) {
    v->Advance(milliseconds);
    return;
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}
