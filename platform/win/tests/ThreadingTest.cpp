// The threading contract: one user-interface thread, fixed when the window system starts; tables
// any thread may use (atoms) are locked; a worker keeps its own timers.
#include <atomic>
#include <thread>
#include <vector>

#include "platform/rtl/String.h"
#include "platform/win/Clipboard.h"
#include "platform/win/WinInternal.h"
#include "platform/win/tests/WinTestSupport.h"

using ThreadingTest = WinTest;

TEST_F(ThreadingTest, TheUserInterfaceThreadIsTheOneThatStartedTheWindowSystem) {
  const DWORD ui = GetUiThreadId();
  EXPECT_EQ(ui, GetCurrentThreadId());
  DWORD seen = 0;
  bool workerIsUi = true;
  std::thread worker([&] {
    workerIsUi = IsUiThread();
    seen = GetUiThreadId();
  });
  worker.join();
  EXPECT_FALSE(workerIsUi);
  EXPECT_EQ(seen, ui);
}

TEST_F(ThreadingTest, AtomsAddedFromSeveralThreadsAtOnceStayOneTable) {
  constexpr int kThreads = 4, kNames = 300;
  std::vector<std::vector<UINT>> got(kThreads, std::vector<UINT>(kNames));
  auto work = [&](int t) {
    for (int i = 0; i < kNames; ++i) {
      // Every thread registers the same names, half as messages and half as clipboard formats.
      const String name = u"Trenvik.Threads." + Utf8ToString(std::to_string(i));
      got[t][i] = (i + t) % 2 ? RegisterWindowMessage(name.c_str()) : RegisterClipboardFormat(name.c_str());
    }
  };
  std::vector<std::thread> threads;
  for (int t = 1; t < kThreads; ++t) threads.emplace_back(work, t);
  work(0);
  for (std::thread& t : threads) t.join();
  for (int i = 0; i < kNames; ++i) {
    SCOPED_TRACE(i);
    EXPECT_GE(got[0][i], 0xC000u);
    for (int t = 1; t < kThreads; ++t) EXPECT_EQ(got[t][i], got[0][i]);
    EXPECT_EQ(GlobalFindAtom((u"trenvik.threads." + Utf8ToString(std::to_string(i))).c_str()), got[0][i]);
  }
}

TEST_F(ThreadingTest, AWorkersTimerIsDeliveredToItsOwnLoop) {
  UINT_PTR fired = 0;
  std::thread worker([&] {
    UINT_PTR id = SetTimer(nullptr, 0, 10, nullptr);
    clock_->Advance(20);
    MSG m;
    while (PeekMessage(&m, nullptr, 0, 0, PM_REMOVE))
      if (m.message == WM_TIMER && m.hwnd == nullptr) fired = m.wParam;
    KillTimer(nullptr, id);
    EXPECT_EQ(fired, id);
  });
  worker.join();
  EXPECT_NE(fired, 0u);
  MSG m;
  EXPECT_FALSE(PeekMessage(&m, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE));  // not the UI thread's
}

namespace {

struct TWorker {
  HANDLE go = nullptr;
  HANDLE self = nullptr;
  std::atomic<bool> closedOwnHandle = false;
  std::atomic<bool> finished = false;
};

DWORD WaitThenFinish(void* p) {
  auto* w = static_cast<TWorker*>(p);
  WaitForSingleObject(w->go, INFINITE);
  if (w->self) w->closedOwnHandle = CloseHandle(w->self);
  w->finished = true;
  return 0;
}

}  // namespace

TEST_F(ThreadingTest, EveryThreadIsJoinedBeforeShutDownEndsEvenAfterItsHandleWasClosed) {
  TWorker closedByCreator, closedBySelf;
  closedByCreator.go = closedBySelf.go = CreateEvent(nullptr, TRUE, FALSE, nullptr);
  HANDLE first = CreateThread(nullptr, 0, &WaitThenFinish, &closedByCreator, 0, nullptr);
  EXPECT_TRUE(CloseHandle(first));  // closed while it runs
  closedBySelf.self = CreateThread(nullptr, 0, &WaitThenFinish, &closedBySelf, 0, nullptr);
  TWorker leftOpen;
  leftOpen.go = closedByCreator.go;
  HANDLE open = CreateThread(nullptr, 0, &WaitThenFinish, &leftOpen, 0, nullptr);
  SetEvent(closedByCreator.go);
  JoinThreadsAtExit();
  EXPECT_TRUE(leftOpen.finished);
  EXPECT_TRUE(CloseHandle(open));
  EXPECT_TRUE(closedByCreator.finished);
  EXPECT_TRUE(closedBySelf.finished);
  EXPECT_TRUE(closedBySelf.closedOwnHandle);
  CloseHandle(closedByCreator.go);
}
