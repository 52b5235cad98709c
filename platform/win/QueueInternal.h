// Internal to the window system: the thread message queues that the queue and the kernel objects
// (events, threads and the waits on them) share.
#pragma once

#include <condition_variable>
#include <deque>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>

#include "platform/rtl/Types.h"
#include "platform/rtl/WinDef.h"

namespace queue_internal {

// Guards every queue and kernel object; g_cv is signalled whenever one changes.
extern std::mutex g_mutex;
extern std::condition_variable g_cv;

struct TSent {
  HWND hwnd = nullptr;
  UINT msg = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  const std::function<void()>* call = nullptr;
  LRESULT result = 0;
  bool done = false;
  std::exception_ptr error;
};

struct TQueue {
  DWORD thread = 0;
  std::deque<MSG> posted;
  std::deque<std::shared_ptr<TSent>> sent;
  bool quit = false;
  int quitCode = 0;
  DWORD msgTime = 0;
  POINT msgPos{};
  int inSend = 0;
  TSent* currentSent = nullptr;
  UINT wakeBits = 0;  // what arrived since the last look at the queue
};

// The calling thread's queue, made on first use.
TQueue& CurrentQueue();
// Runs the messages sent to the queue's thread; true when there were any.
bool ServiceSentMessages(TQueue& q);
// Wakes every thread waiting on a queue (and the display's wait on the user-interface thread).
void NotifyWaiters();
// A bounded wait on g_cv (at most 20 ms) for the waits that poll their objects.
void WaitABit(std::unique_lock<std::mutex>& lock, Int64 maxMs);
// Lets the display back end pump its events (user-interface thread only).
void RunPumpHook();

}  // namespace queue_internal
