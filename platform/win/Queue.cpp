// Thread message queues: posted and sent messages, WM_QUIT, waiting, and calls marshalled to the
// user-interface thread.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
#include <stdexcept>
#include <thread>
#include <unordered_map>

#include "platform/rtl/Clock.h"
#include "platform/win/Backend.h"
#include "platform/win/Input.h"
#include "platform/win/Messages.h"
#include "platform/win/QueueInternal.h"
#include "platform/win/WinInternal.h"

namespace queue_internal {

std::mutex g_mutex;
std::condition_variable g_cv;

namespace {

// The display back end's wait for its own events, and the call that interrupts it from any thread.
TDisplayWait g_displayWait;
std::mutex g_displayWaitMutex;  // a worker may wake the display while it is being stopped

}  // namespace

// Wakes every thread waiting on a queue, the user-interface thread also inside the display's wait
// (from another thread: the user-interface thread itself looks at its queue before it waits).
void NotifyWaiters() {
  g_cv.notify_all();
  if (IsUiThread()) return;
  std::lock_guard lock(g_displayWaitMutex);
  if (g_displayWait.wake) g_displayWait.wake();
}

std::unordered_map<DWORD, std::unique_ptr<TQueue>>& Queues() {
  static std::unordered_map<DWORD, std::unique_ptr<TQueue>> queues;
  return queues;
}

std::atomic<DWORD> g_nextThreadId{1};
std::atomic<DWORD> g_uiThread{0};
thread_local DWORD t_threadId = 0;
thread_local TQueue* t_queue = nullptr;
std::function<void()> g_pumpHook;

// Under g_mutex.
TQueue& QueueOfLocked(DWORD thread) {
  auto& q = Queues()[thread];
  if (!q) {
    q = std::make_unique<TQueue>();
    q->thread = thread;
  }
  return *q;
}

TQueue& CurrentQueue() {
  if (!t_queue) {
    DWORD id = GetCurrentThreadId();
    std::lock_guard lock(g_mutex);
    t_queue = &QueueOfLocked(id);
  }
  return *t_queue;
}

bool ServiceSentMessages(TQueue& q) {
  bool any = false;
  for (;;) {
    std::shared_ptr<TSent> s;
    {
      std::lock_guard lock(g_mutex);
      if (q.sent.empty()) break;
      s = q.sent.front();
      q.sent.pop_front();
    }
    any = true;
    TSent* previous = q.currentSent;
    q.currentSent = s.get();
    q.inSend++;
    LRESULT result = 0;
    std::exception_ptr error;
    try {
      if (s->call)
        (*s->call)();
      else
        result = CallWndProcHooked(s->hwnd, s->msg, s->wParam, s->lParam);
    } catch (...) {
      error = std::current_exception();
    }
    q.inSend--;
    q.currentSent = previous;
    {
      std::lock_guard lock(g_mutex);
      if (!s->done) {
        s->result = result;
        s->error = error;
        s->done = true;
      }
    }
    NotifyWaiters();
  }
  return any;
}

// Sends to the user-interface thread and waits, servicing what is sent to the caller meanwhile.
LRESULT SendAcross(std::shared_ptr<TSent> s, bool wait) {
  TQueue& mine = CurrentQueue();
  {
    std::lock_guard lock(g_mutex);
    TQueue& target = QueueOfLocked(GetUiThreadId());
    target.sent.push_back(s);
    target.wakeBits |= QS_SENDMESSAGE;
  }
  NotifyWaiters();
  if (!wait) return 0;
  for (;;) {
    {
      std::unique_lock lock(g_mutex);
      g_cv.wait(lock, [&] { return s->done || !mine.sent.empty(); });
      if (s->done) break;
    }
    ServiceSentMessages(mine);
  }
  if (s->error) std::rethrow_exception(s->error);
  return s->result;
}

bool FilterMatches(const MSG& m, HWND hwnd, UINT filterMin, UINT filterMax) {
  if (hwnd == reinterpret_cast<HWND>(-1)) {
    if (m.hwnd) return false;
  } else if (hwnd && m.hwnd != hwnd && !IsChild(hwnd, m.hwnd)) {
    return false;
  }
  if (filterMin == 0 && filterMax == 0) return true;
  return m.message >= filterMin && m.message <= filterMax;
}

POINT CursorNow() {
  POINT p{};
  if (IsUiThread()) GetCursorPos(&p);
  return p;
}

void WaitABit(std::unique_lock<std::mutex>& lock, Int64 maxMs) {
  if (maxMs < 1) maxMs = 1;
  if (maxMs > 20) maxMs = 20;
  g_cv.wait_for(lock, std::chrono::milliseconds(maxMs));
}

// Milliseconds until the calling thread's next timer or caret blink is due; -1 for none.
Int64 UntilNextDue() {
  Int64 due = NextTimerDue();
  if (IsUiThread()) {
    const Int64 blink = NextCaretBlinkDue();
    if (blink >= 0 && (due < 0 || blink < due)) due = blink;
  }
  return due < 0 ? -1 : std::max<Int64>(0, due - Clock().TickCount());
}

// The message loop's idle wait, entered under g_mutex with nothing to do: blocks until something
// arrives (a posted or sent message, input, a display event) or the next timer or caret blink is
// due. A virtual clock moves by jumps no thread is told of, so under one the wait is short.
void WaitForWork(std::unique_lock<std::mutex>& lock, Int64 untilDue) {
  if (dynamic_cast<VirtualClock*>(&Clock())) untilDue = untilDue < 0 ? 20 : std::min<Int64>(untilDue, 20);
  if (g_displayWait.wait && IsUiThread()) {
    // The back end's own wait returns at its events and at NotifyWaiters; anything that arrived
    // between the caller's look and this point has already interrupted it.
    lock.unlock();
    g_displayWait.wait(untilDue);
    lock.lock();
    return;
  }
  if (untilDue < 0)
    g_cv.wait(lock);
  else
    g_cv.wait_for(lock, std::chrono::milliseconds(untilDue));
}

void RunPumpHook() {
  if (g_pumpHook && IsUiThread()) g_pumpHook();
}

}  // namespace queue_internal

using namespace queue_internal;

DWORD GetCurrentThreadId() {
  if (!t_threadId) t_threadId = g_nextThreadId++;
  return t_threadId;
}

// The user-interface thread is the one that started the window system, never whoever asks first.
DWORD GetUiThreadId() { return g_uiThread.load(); }

bool IsUiThread() { return GetUiThreadId() == GetCurrentThreadId(); }

void SetUiThreadToCurrent() { g_uiThread = GetCurrentThreadId(); }

void SetMessagePumpHook(std::function<void()> hook) { g_pumpHook = std::move(hook); }

void SetDisplayWait(TDisplayWait wait) {
  std::lock_guard lock(g_displayWaitMutex);
  g_displayWait = std::move(wait);
}

void RunOnUiThread(const std::function<void()>& call) {
  if (IsUiThread()) {
    call();
    return;
  }
  if (!GetUiThreadId()) throw std::logic_error("window call before the window system started");
  auto s = std::make_shared<TSent>();
  s->call = &call;
  SendAcross(s, true);
}

void WakeUiThread(UINT bits) {
  {
    std::lock_guard lock(g_mutex);
    QueueOfLocked(GetUiThreadId()).wakeBits |= bits;
  }
  NotifyWaiters();
}

void WakeUiThread() { WakeUiThread(QS_PAINT); }

void PurgeWindowMessages(HWND hwnd) {
  std::lock_guard lock(g_mutex);
  auto& posted = QueueOfLocked(GetUiThreadId()).posted;
  std::erase_if(posted, [hwnd](const MSG& m) { return m.hwnd == hwnd; });
}

void SetMessageTimeAndPos(DWORD time, POINT pt) {
  TQueue& q = CurrentQueue();
  q.msgTime = time;
  q.msgPos = pt;
}

DWORD CurrentTickCount() { return static_cast<DWORD>(Clock().TickCount()); }

LRESULT SendMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (hwnd == HWND_BROADCAST) {
    if (!IsUiThread()) return MarshalToUi([&] { return SendMessage(hwnd, msg, wParam, lParam); });
    std::vector<HWND> tops;
    for (TWindow* w : WinState().desktop->children) tops.push_back(w->handle);
    for (HWND h : tops)
      if (Wnd(h)) CallWndProcHooked(h, msg, wParam, lParam);
    return 0;
  }
  if (IsUiThread()) return Wnd(hwnd) ? CallWndProcHooked(hwnd, msg, wParam, lParam) : 0;
  auto s = std::make_shared<TSent>();
  s->hwnd = hwnd;
  s->msg = msg;
  s->wParam = wParam;
  s->lParam = lParam;
  return SendAcross(s, true);
}

BOOL SendNotifyMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (IsUiThread()) {
    SendMessage(hwnd, msg, wParam, lParam);
    return TRUE;
  }
  auto s = std::make_shared<TSent>();
  s->hwnd = hwnd;
  s->msg = msg;
  s->wParam = wParam;
  s->lParam = lParam;
  SendAcross(s, false);
  return TRUE;
}

BOOL PostMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (hwnd == HWND_BROADCAST) {
    if (!IsUiThread()) return MarshalToUi([&] { return PostMessage(hwnd, msg, wParam, lParam); });
    for (TWindow* w : WinState().desktop->children) PostMessage(w->handle, msg, wParam, lParam);
    return TRUE;
  }
  if (!hwnd) return PostThreadMessage(GetCurrentThreadId(), msg, wParam, lParam);
  if (IsUiThread() && !Wnd(hwnd)) return FALSE;
  MSG m{hwnd, msg, wParam, lParam, CurrentTickCount(), CursorNow()};
  {
    std::lock_guard lock(g_mutex);
    TQueue& q = QueueOfLocked(GetUiThreadId());
    q.posted.push_back(m);
    q.wakeBits |= QS_POSTMESSAGE;
  }
  NotifyWaiters();
  return TRUE;
}

BOOL PostThreadMessage(DWORD threadId, UINT msg, WPARAM wParam, LPARAM lParam) {
  MSG m{nullptr, msg, wParam, lParam, CurrentTickCount(), CursorNow()};
  {
    std::lock_guard lock(g_mutex);
    if (threadId != GetCurrentThreadId() && !Queues().count(threadId)) return FALSE;
    TQueue& q = QueueOfLocked(threadId);
    q.posted.push_back(m);
    q.wakeBits |= QS_POSTMESSAGE;
  }
  NotifyWaiters();
  return TRUE;
}

void PostQuitMessage(int exitCode) {
  TQueue& q = CurrentQueue();
  {
    std::lock_guard lock(g_mutex);
    q.quit = true;
    q.quitCode = exitCode;
    q.wakeBits |= QS_POSTMESSAGE;
  }
  NotifyWaiters();
}

BOOL InSendMessage() { return CurrentQueue().inSend > 0; }

BOOL ReplyMessage(LRESULT result) {
  TQueue& q = CurrentQueue();
  // A marshalled window call runs code of the waiting thread's frame: it cannot be let go early.
  if (!q.currentSent || q.currentSent->call) return FALSE;
  {
    std::lock_guard lock(g_mutex);
    if (q.currentSent->done) return FALSE;
    q.currentSent->result = result;
    q.currentSent->done = true;
  }
  NotifyWaiters();
  return TRUE;
}

BOOL PeekMessage(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeMsg) {
  if (!msg) return FALSE;
  TQueue& q = CurrentQueue();
  bool remove = (removeMsg & PM_REMOVE) != 0;
  bool ui = IsUiThread();
  RunPumpHook();
  ServiceSentMessages(q);
  bool found = false;
  {
    std::lock_guard lock(g_mutex);
    q.wakeBits = 0;
    for (auto it = q.posted.begin(); it != q.posted.end(); ++it) {
      if (!FilterMatches(*it, hwnd, filterMin, filterMax)) continue;
      *msg = *it;
      if (remove) q.posted.erase(it);
      found = true;
      break;
    }
  }
  if (!found && ui) found = PeekInputMessage(msg, hwnd, filterMin, filterMax, remove);
  if (!found) {
    std::lock_guard lock(g_mutex);
    if (q.quit) {
      *msg = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(q.quitCode), 0, CurrentTickCount(), q.msgPos};
      if (remove) q.quit = false;
      found = true;
    }
  }
  if (!found && ui) found = PeekPaintMessage(msg, hwnd, filterMin, filterMax, remove);
  if (!found) found = PeekTimerMessage(msg, hwnd, filterMin, filterMax, remove);
  if (ui) UpdateCaretBlink();
  if (!found) return FALSE;
  q.msgTime = msg->time;
  q.msgPos = msg->pt;
  if (HasHooks(WH_GETMESSAGE))
    CallHooks(WH_GETMESSAGE, HC_ACTION, remove ? PM_REMOVE : PM_NOREMOVE, reinterpret_cast<LPARAM>(msg));
  return TRUE;
}

BOOL GetMessage(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax) {
  if (hwnd && hwnd != reinterpret_cast<HWND>(-1) && IsUiThread() && !Wnd(hwnd)) return -1;
  for (;;) {
    if (PeekMessage(msg, hwnd, filterMin, filterMax, PM_REMOVE)) return msg->message != WM_QUIT;
    TQueue& q = CurrentQueue();
    // Read before taking the queue: SetTimer holds the timers while it wakes the queue.
    const Int64 untilDue = UntilNextDue();
    std::unique_lock lock(g_mutex);
    if (q.wakeBits || !q.sent.empty() || !q.posted.empty() || q.quit) continue;
    WaitForWork(lock, untilDue);
  }
}

BOOL WaitMessage() {
  TQueue& q = CurrentQueue();
  for (;;) {
    if (ServiceSentMessages(q)) return TRUE;
    RunPumpHook();
    if (IsUiThread()) {
      UpdateCaretBlink();
      Int64 due = NextTimerDue();
      if (due >= 0 && due <= Clock().TickCount()) return TRUE;
      if (HasPendingInput()) return TRUE;
    }
    const Int64 untilDue = UntilNextDue();
    std::unique_lock lock(g_mutex);
    if (q.wakeBits || q.quit || !q.posted.empty() || !q.sent.empty()) {
      q.wakeBits = 0;
      return TRUE;
    }
    WaitForWork(lock, untilDue);
  }
}

DWORD GetQueueStatus(UINT flags) {
  TQueue& q = CurrentQueue();
  std::lock_guard lock(g_mutex);
  UINT current = 0;
  if (!q.posted.empty() || q.quit) current |= QS_POSTMESSAGE;
  if (!q.sent.empty()) current |= QS_SENDMESSAGE;
  return MAKELONG(static_cast<WORD>(q.wakeBits & flags), static_cast<WORD>(current & flags));
}

DWORD GetMessageTime() { return CurrentQueue().msgTime; }

DWORD GetMessagePos() {
  POINT p = CurrentQueue().msgPos;
  return MAKELONG(static_cast<WORD>(static_cast<SHORT>(p.x)), static_cast<WORD>(static_cast<SHORT>(p.y)));
}

LPARAM GetMessageExtraInfo() { return 0; }

UINT RegisterWindowMessage(LPCWSTR name) {
  if (!name || !*name) return 0;
  return GlobalAddAtom(name);
}

LRESULT DispatchMessage(const MSG* msg) {
  if (!msg) return 0;
  if (msg->message == WM_TIMER && msg->lParam) {
    if (!IsTimerProc(msg->lParam)) return 0;
    auto proc = reinterpret_cast<void (*)(HWND, UINT, UINT_PTR, DWORD)>(msg->lParam);
    proc(msg->hwnd, WM_TIMER, msg->wParam, CurrentTickCount());
    return 0;
  }
  if (!msg->hwnd || !Wnd(msg->hwnd)) return 0;
  LRESULT r = CallWndProcRaw(msg->hwnd, msg->message, msg->wParam, msg->lParam);
  if (msg->message == WM_PAINT) ValidateAfterPaintDispatch(msg->hwnd);
  return r;
}

bool ProcessPendingMessages() {
  MSG m;
  while (PeekMessage(&m, nullptr, 0, 0, PM_REMOVE)) {
    if (m.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(m.wParam));
      return false;
    }
    TranslateMessage(&m);
    DispatchMessage(&m);
  }
  return true;
}
