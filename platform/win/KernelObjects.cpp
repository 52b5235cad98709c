// Kernel objects: events, threads and the waits on them (with the message queue's wake-ups).
#include <algorithm>
#include <memory>
#include <thread>
#include <unordered_map>
#include <vector>

#include "platform/rtl/Clock.h"
#include "platform/win/Input.h"
#include "platform/win/Messages.h"
#include "platform/win/QueueInternal.h"
#include "platform/win/WinInternal.h"

using namespace queue_internal;

namespace {

struct TKernelObject {
  bool isThread = false;
  bool signaled = false;
  bool manualReset = true;
  std::thread thread;
};
std::unordered_map<HANDLE, std::shared_ptr<TKernelObject>>& Handles() {
  static std::unordered_map<HANDLE, std::shared_ptr<TKernelObject>> handles;
  return handles;
}

// Under g_mutex: threads whose handle was closed while they ran. Joined when found finished, and
// all of them at shut-down, so no thread outlives the window system.
std::vector<std::shared_ptr<TKernelObject>>& ClosedThreads() {
  static std::vector<std::shared_ptr<TKernelObject>> threads;
  return threads;
}

// Joins the closed threads that have finished (never the calling one).
void JoinFinishedClosedThreads() {
  std::vector<std::shared_ptr<TKernelObject>> finished;
  {
    std::lock_guard lock(g_mutex);
    std::erase_if(ClosedThreads(), [&](const std::shared_ptr<TKernelObject>& o) {
      if (!o->signaled || o->thread.get_id() == std::this_thread::get_id()) return false;
      finished.push_back(o);
      return true;
    });
  }
  // A thread may be listed twice: at shut-down, and again when it closed its own handle then.
  std::sort(finished.begin(), finished.end());
  finished.erase(std::unique(finished.begin(), finished.end()), finished.end());
  for (auto& o : finished) o->thread.join();
}

// Under g_mutex: whether the object is signalled, consuming an auto-reset event.
bool TakeSignal(HANDLE h) {
  auto it = Handles().find(h);
  if (it == Handles().end()) return false;
  TKernelObject& o = *it->second;
  if (!o.signaled) return false;
  if (!o.isThread && !o.manualReset) o.signaled = false;
  return true;
}

}  // namespace

HANDLE CreateEvent(void*, BOOL manualReset, BOOL initialState, LPCWSTR) {
  auto o = std::make_shared<TKernelObject>();
  o->manualReset = manualReset;
  o->signaled = initialState;
  HANDLE h = o.get();
  std::lock_guard lock(g_mutex);
  Handles().emplace(h, std::move(o));
  return h;
}

BOOL SetEvent(HANDLE event) {
  {
    std::lock_guard lock(g_mutex);
    auto it = Handles().find(event);
    if (it == Handles().end() || it->second->isThread) return FALSE;
    it->second->signaled = true;
  }
  NotifyWaiters();
  return TRUE;
}

BOOL ResetEvent(HANDLE event) {
  std::lock_guard lock(g_mutex);
  auto it = Handles().find(event);
  if (it == Handles().end() || it->second->isThread) return FALSE;
  it->second->signaled = false;
  return TRUE;
}

BOOL CloseHandle(HANDLE handle) {
  std::shared_ptr<TKernelObject> o;
  {
    std::lock_guard lock(g_mutex);
    auto it = Handles().find(handle);
    if (it == Handles().end()) return FALSE;
    o = it->second;
    Handles().erase(it);
  }
  if (o->isThread && o->thread.joinable()) {
    // A running thread (perhaps the caller itself, closing its own handle) is joined later.
    std::lock_guard lock(g_mutex);
    ClosedThreads().push_back(std::move(o));
  }
  JoinFinishedClosedThreads();
  return TRUE;
}

void JoinThreadsAtExit() {
  {
    // Threads whose handles are still open are waited for as well.
    std::lock_guard lock(g_mutex);
    for (auto& [handle, o] : Handles())
      if (o->isThread && o->thread.joinable() && o->thread.get_id() != std::this_thread::get_id())
        ClosedThreads().push_back(o);
  }
  TQueue& q = CurrentQueue();
  for (;;) {
    JoinFinishedClosedThreads();
    // A thread still running may be waiting for this one to answer a sent message.
    ServiceSentMessages(q);
    std::unique_lock lock(g_mutex);
    if (ClosedThreads().empty()) return;
    WaitABit(lock, 20);
  }
}

HANDLE CreateThread(void*, size_t, DWORD (*start)(void*), void* param, DWORD, DWORD* threadId) {
  auto o = std::make_shared<TKernelObject>();
  o->isThread = true;
  HANDLE h = o.get();
  std::mutex started;
  std::condition_variable startedCv;
  DWORD id = 0;
  {
    std::lock_guard lock(g_mutex);
    Handles().emplace(h, o);
  }
  o->thread = std::thread([o, start, param, &id, &started, &startedCv] {
    {
      // Notified under the lock: the creator's locals must not be touched after it wakes.
      std::lock_guard lock(started);
      CurrentQueue();
      id = GetCurrentThreadId();
      startedCv.notify_all();
    }
    start(param);
    {
      std::lock_guard lock(g_mutex);
      o->signaled = true;
    }
    NotifyWaiters();
  });
  std::unique_lock lock(started);
  startedCv.wait(lock, [&] { return id != 0; });
  if (threadId) *threadId = id;
  return h;
}

DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds) {
  Int64 start = Clock().TickCount();
  TQueue& q = CurrentQueue();
  for (;;) {
    // Sent messages are serviced here too, so that a thread waiting for another one cannot
    // deadlock when that thread sends to it.
    ServiceSentMessages(q);
    std::unique_lock lock(g_mutex);
    if (!Handles().count(handle)) return WAIT_FAILED;
    if (TakeSignal(handle)) return WAIT_OBJECT_0;
    if (milliseconds != INFINITE && Clock().TickCount() - start >= milliseconds) return WAIT_TIMEOUT;
    if (!q.sent.empty()) continue;
    WaitABit(lock, 20);
  }
}

DWORD MsgWaitForMultipleObjects(DWORD count, const HANDLE* handles, BOOL waitAll, DWORD milliseconds,
                                DWORD wakeMask) {
  Int64 start = Clock().TickCount();
  TQueue& q = CurrentQueue();
  for (;;) {
    if ((wakeMask & QS_SENDMESSAGE) && ServiceSentMessages(q)) return WAIT_OBJECT_0 + count;
    RunPumpHook();
    bool ui = IsUiThread();
    bool timerDue = false, input = false;
    if (ui) {
      Int64 due = NextTimerDue();
      timerDue = due >= 0 && due <= Clock().TickCount();
      input = HasPendingInput();
    }
    std::unique_lock lock(g_mutex);
    if (waitAll) {
      bool all = true;
      for (DWORD i = 0; i < count; ++i) {
        auto it = Handles().find(handles[i]);
        if (it == Handles().end()) return WAIT_FAILED;
        all = all && it->second->signaled;
      }
      if (all && count > 0) {
        for (DWORD i = 0; i < count; ++i) TakeSignal(handles[i]);
        return WAIT_OBJECT_0;
      }
    } else {
      for (DWORD i = 0; i < count; ++i) {
        if (!Handles().count(handles[i])) return WAIT_FAILED;
        if (TakeSignal(handles[i])) return WAIT_OBJECT_0 + i;
      }
    }
    UINT bits = q.wakeBits;
    if (timerDue) bits |= QS_TIMER;
    if (input) bits |= QS_INPUT;
    if (!q.sent.empty()) bits |= QS_SENDMESSAGE;
    if (bits & wakeMask) {
      q.wakeBits &= ~wakeMask;
      return WAIT_OBJECT_0 + count;
    }
    if (milliseconds != INFINITE && Clock().TickCount() - start >= milliseconds) return WAIT_TIMEOUT;
    WaitABit(lock, 20);
  }
}
