// Sending and posting, PeekMessage filters, nested loops and WM_QUIT, timers on the virtual clock,
// and calls from a second thread.
#include <atomic>

#include "platform/win/tests/WinTestSupport.h"

class QueueTest : public WinTest {};

TEST_F(QueueTest, SendRunsAtOnceAndPostWaitsForTheLoop) {
  HWND w = Top(0, 0, 100, 100, WS_POPUP);
  Overrides()[w] = [](HWND, UINT m, WPARAM wp, LPARAM) -> std::optional<LRESULT> {
    if (m == WM_USER) return static_cast<LRESULT>(wp * 2);
    return std::nullopt;
  };
  ClearLog();
  EXPECT_EQ(SendMessage(w, WM_USER, 21, 0), 42);
  EXPECT_EQ(Logged(w, WM_USER).size(), 1u);
  EXPECT_TRUE(PostMessage(w, WM_USER, 1, 0));
  EXPECT_EQ(Logged(w, WM_USER).size(), 1u);
  Pump();
  EXPECT_EQ(Logged(w, WM_USER).size(), 2u);
  // Posting to a dead window fails; messages still queued for a window die with it.
  PostMessage(w, WM_USER, 2, 0);
  DestroyWindow(w);
  EXPECT_FALSE(PostMessage(w, WM_USER, 3, 0));
  MSG m;
  EXPECT_FALSE(PeekMessage(&m, nullptr, WM_USER, WM_USER, PM_REMOVE));
}

TEST_F(QueueTest, PeekMessageFiltersByWindowRangeAndRemoval) {
  HWND a = Top(0, 0, 100, 100, WS_POPUP);
  HWND child = Child(a, 0, 0, 10, 10, 0);
  HWND b = Top(0, 0, 100, 100, WS_POPUP);
  PostMessage(b, WM_USER + 1, 0, 0);
  PostMessage(child, WM_USER + 2, 0, 0);
  PostMessage(a, WM_USER + 3, 0, 0);
  PostThreadMessage(GetCurrentThreadId(), WM_USER + 4, 0, 0);
  MSG m;
  struct TCase {
    HWND hwnd;
    UINT min, max;
    UINT expected;  // 0: none
  };
  for (TCase t :
       {TCase{a, 0, 0, WM_USER + 2},  // the window's children count
        TCase{b, 0, 0, WM_USER + 1}, TCase{nullptr, WM_USER + 3, WM_USER + 4, WM_USER + 3},
        TCase{reinterpret_cast<HWND>(-1), 0, 0, WM_USER + 4}, TCase{b, WM_USER + 2, WM_USER + 9, 0}}) {
    bool found = PeekMessage(&m, t.hwnd, t.min, t.max, PM_NOREMOVE);
    EXPECT_EQ(found ? m.message : 0u, t.expected) << "filter " << t.min << ".." << t.max;
  }
  // PM_NOREMOVE leaves it, PM_REMOVE takes it, in posting order.
  ASSERT_TRUE(PeekMessage(&m, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(m.message, WM_USER + 1u);
  EXPECT_EQ(m.hwnd, b);
  ASSERT_TRUE(PeekMessage(&m, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(m.message, WM_USER + 2u);
  ASSERT_TRUE(PeekMessage(&m, nullptr, WM_USER + 4, WM_USER + 4, PM_REMOVE));
  EXPECT_EQ(m.hwnd, nullptr);
  ASSERT_TRUE(PeekMessage(&m, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(m.message, WM_USER + 3u);
  EXPECT_FALSE(PeekMessage(&m, nullptr, WM_USER, WM_USER + 10, PM_REMOVE));
}

TEST_F(QueueTest, PostedMessagesComeBeforeInputPaintAndTimers) {
  HWND w = Top(0, 0, 200, 200, WS_POPUP | WS_VISIBLE);
  Pump();
  SetTimer(w, 1, 10, nullptr);
  clock_->Advance(20);
  InvalidateRect(w, nullptr, FALSE);
  SimulateKeyPress('A');
  PostMessage(w, WM_USER, 0, 0);
  std::vector<UINT> order;
  MSG m;
  while (PeekMessage(&m, nullptr, 0, 0, PM_REMOVE)) {
    if (m.message == WM_TIMER) KillTimer(w, 1);
    if (m.message != WM_CHAR) order.push_back(m.message);
    DispatchMessage(&m);
  }
  EXPECT_EQ(order, (std::vector<UINT>{WM_USER, WM_KEYDOWN, WM_KEYUP, WM_PAINT, WM_TIMER}));
}

TEST_F(QueueTest, QuitIsReturnedWhateverTheFilterAndModalLoopsPostItBack) {
  HWND w = Top(0, 0, 100, 100, WS_POPUP);
  static bool nestedSawQuit = false;
  nestedSawQuit = false;
  // A handler runs its own loop; the quit posted inside it ends that loop, is posted back, and
  // ends the outer loop too.
  Overrides()[w] = [](HWND h, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (m == WM_USER) {
      PostMessage(h, WM_USER + 1, 0, 0);
      MSG msg;
      while (GetMessage(&msg, nullptr, 0, 0)) DispatchMessage(&msg);
      nestedSawQuit = true;
      PostQuitMessage(static_cast<int>(msg.wParam));
      return 0;
    }
    if (m == WM_USER + 1) {
      PostQuitMessage(7);
      PostMessage(h, WM_USER + 2, 0, 0);  // posted messages are read before WM_QUIT
      return 0;
    }
    return std::nullopt;
  };
  PostMessage(w, WM_USER, 0, 0);
  MSG msg;
  int dispatched = 0;
  while (GetMessage(&msg, nullptr, 0, 0)) {
    DispatchMessage(&msg);
    ++dispatched;
  }
  EXPECT_TRUE(nestedSawQuit);
  EXPECT_EQ(msg.message, WM_QUIT);
  EXPECT_EQ(msg.wParam, 7u);
  EXPECT_EQ(Logged(w, WM_USER + 2).size(), 1u);
  // A filtered PeekMessage still takes WM_QUIT; code removing one message re-posts it.
  PostQuitMessage(3);
  ASSERT_TRUE(PeekMessage(&msg, w, WM_MOUSEMOVE, WM_MOUSEMOVE, PM_REMOVE));
  EXPECT_EQ(msg.message, WM_QUIT);
  EXPECT_FALSE(PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE));
}

TEST_F(QueueTest, TimersFireLazilyOnTheVirtualClock) {
  HWND w = Top(0, 0, 100, 100, WS_POPUP);
  EXPECT_EQ(SetTimer(w, 5, 100, nullptr), 5u);
  auto timerCount = [&] {
    Pump();
    return Logged(w, WM_TIMER).size();
  };
  clock_->Advance(99);
  EXPECT_EQ(timerCount(), 0u);
  clock_->Advance(1);
  EXPECT_EQ(timerCount(), 1u);
  // Missed periods coalesce into one message.
  clock_->Advance(1000);
  EXPECT_EQ(timerCount(), 2u);
  EXPECT_EQ(Logged(w, WM_TIMER).back().wParam, 5u);
  // The next period counts from the message that was read.
  clock_->Advance(50);
  EXPECT_EQ(timerCount(), 2u);
  // Setting it again restarts it with the new period.
  SetTimer(w, 5, 300, nullptr);
  clock_->Advance(200);
  EXPECT_EQ(timerCount(), 2u);
  clock_->Advance(100);
  EXPECT_EQ(timerCount(), 3u);
  EXPECT_TRUE(KillTimer(w, 5));
  EXPECT_FALSE(KillTimer(w, 5));
  clock_->Advance(1000);
  EXPECT_EQ(timerCount(), 3u);
  // A window's timers end with it.
  SetTimer(w, 6, 10, nullptr);
  DestroyWindow(w);
  clock_->Advance(100);
  MSG m;
  EXPECT_FALSE(PeekMessage(&m, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE));
}

TEST_F(QueueTest, WindowlessTimerCallsItsProcedureThroughDispatch) {
  static std::vector<UINT_PTR> calls;
  calls.clear();
  UINT_PTR id = SetTimer(nullptr, 0, 20, [](HWND hwnd, UINT msg, UINT_PTR timerId, DWORD) {
    EXPECT_EQ(hwnd, nullptr);
    EXPECT_EQ(msg, static_cast<UINT>(WM_TIMER));
    calls.push_back(timerId);
  });
  ASSERT_NE(id, 0u);
  clock_->Advance(20);
  Pump();
  clock_->Advance(20);
  Pump();
  EXPECT_EQ(calls, (std::vector<UINT_PTR>{id, id}));
  KillTimer(nullptr, id);
  clock_->Advance(20);
  Pump();
  EXPECT_EQ(calls.size(), 2u);
  EXPECT_EQ(GetTickCount(), static_cast<DWORD>(clock_->TickCount()));
}

TEST_F(QueueTest, MessageTimeAndPositionComeFromTheMessageRead) {
  HWND w = Top(0, 0, 100, 100, WS_POPUP | WS_VISIBLE);
  Pump();
  SimulateMouseMove(POINT{30, 40});
  clock_->Advance(500);
  MSG m;
  ASSERT_TRUE(PeekMessage(&m, w, WM_MOUSEMOVE, WM_MOUSEMOVE, PM_REMOVE));
  EXPECT_EQ(GetMessageTime(), m.time);
  EXPECT_EQ(GetMessageTime() + 500, GetTickCount());
  EXPECT_EQ(GET_X_LPARAM(GetMessagePos()), 30);
  EXPECT_EQ(GET_Y_LPARAM(GetMessagePos()), 40);
}

namespace {

struct TQueueWorker {
  HWND target;
  DWORD procThread = 0;
  LRESULT answer = 0;
};

DWORD WorkerMain(void* param) {
  auto* work = static_cast<TQueueWorker*>(param);
  // Window calls from this thread are carried out on the user-interface thread.
  SetWindowPos(work->target, nullptr, 40, 50, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  work->answer = SendMessage(work->target, WM_USER, 0, 0);
  PostMessage(work->target, WM_USER + 1, 0, 0);
  return 0;
}

}  // namespace

TEST_F(QueueTest, SecondThreadCallsAreServicedWhileTheUiThreadWaitsForIt) {
  // Both ways of waiting service the worker's calls: MsgWaitForMultipleObjects as the Parts use it,
  // and a plain wait, which would otherwise deadlock.
  for (bool plainWait : {false, true}) {
    HWND w = Top(0, 0, 100, 100, WS_POPUP | WS_VISIBLE);
    static TQueueWorker work;
    work = TQueueWorker{w};
    Overrides()[w] = [](HWND, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
      if (m == WM_USER) {
        work.procThread = GetCurrentThreadId();
        return 99;
      }
      return std::nullopt;
    };
    HANDLE thread = CreateThread(nullptr, 0, &WorkerMain, &work, 0, nullptr);
    DWORD r;
    if (plainWait) {
      r = WaitForSingleObject(thread, INFINITE);
    } else {
      while ((r = MsgWaitForMultipleObjects(1, &thread, FALSE, INFINITE, QS_SENDMESSAGE)) ==
             WAIT_OBJECT_0 + 1) {
      }
    }
    EXPECT_EQ(r, WAIT_OBJECT_0);
    CloseHandle(thread);
    EXPECT_EQ(work.answer, 99);
    EXPECT_EQ(work.procThread, GetCurrentThreadId());
    RECT rect;
    GetWindowRect(w, &rect);
    EXPECT_EQ(rect.left, 40);
    EXPECT_EQ(rect.top, 50);
    Pump();
    EXPECT_EQ(Logged(w, WM_USER + 1).size(), 1u);
    DestroyWindow(w);
    ClearLog();
  }
}

TEST_F(QueueTest, MsgWaitTimesOutOnTheClockAndWakesForEventsAndPostedMessages) {
  HANDLE event = CreateEvent(nullptr, FALSE, FALSE, nullptr);
  EXPECT_EQ(MsgWaitForMultipleObjects(1, &event, FALSE, 0, QS_ALLINPUT), WAIT_TIMEOUT);
  SetEvent(event);
  EXPECT_EQ(MsgWaitForMultipleObjects(1, &event, FALSE, 0, QS_ALLINPUT), WAIT_OBJECT_0);
  // Auto-reset: the wait took the signal.
  EXPECT_EQ(MsgWaitForMultipleObjects(1, &event, FALSE, 0, QS_ALLINPUT), WAIT_TIMEOUT);
  PostThreadMessage(GetCurrentThreadId(), WM_USER, 0, 0);
  EXPECT_EQ(MsgWaitForMultipleObjects(1, &event, FALSE, INFINITE, QS_POSTMESSAGE), WAIT_OBJECT_0 + 1);
  MSG m;
  EXPECT_TRUE(PeekMessage(&m, nullptr, 0, 0, PM_REMOVE));
  CloseHandle(event);
}

TEST_F(QueueTest, MessageOnlyWindowsTakeMessagesButAreNeverShown) {
  HWND h =
      CreateWindowEx(0, u"TestWnd", u"", WS_VISIBLE, 0, 0, 10, 10, HWND_MESSAGE, nullptr, nullptr, nullptr);
  created_.push_back(h);
  ASSERT_NE(h, nullptr);
  EXPECT_FALSE(IsWindowVisible(h));
  PostMessage(h, WM_USER, 0, 0);
  Pump();
  EXPECT_EQ(Logged(h, WM_USER).size(), 1u);
  bool listed = false;
  for (HWND t = GetTopWindow(nullptr); t; t = GetWindow(t, GW_HWNDNEXT)) listed = listed || t == h;
  EXPECT_FALSE(listed);
}

namespace {

DWORD TimerChurn(void* param) {
  for (int i = 0; i < 20000; ++i) KillTimer(nullptr, SetTimer(nullptr, 0, 10, nullptr));
  PostMessage(static_cast<HWND>(param), WM_USER + 2, 0, 0);
  return 0;
}

}  // namespace

TEST_F(QueueTest, SettingTimersOnAnotherThreadWhileTheLoopWaitsDoesNotDeadlock) {
  // The loop's wait looks at the timers while holding the queue; a timer set meanwhile wakes it.
  HWND w = Top(0, 0, 50, 50, WS_POPUP);
  HANDLE thread = CreateThread(nullptr, 0, &TimerChurn, w, 0, nullptr);
  bool done = false;
  while (!done) {
    WaitMessage();
    MSG m;
    while (PeekMessage(&m, nullptr, 0, 0, PM_REMOVE)) done = done || m.message == WM_USER + 2;
  }
  EXPECT_EQ(WaitForSingleObject(thread, INFINITE), WAIT_OBJECT_0);
  CloseHandle(thread);
}

namespace {

struct TMarshalled {
  HWND target;
  BOOL moved = FALSE;
  BOOL replied = TRUE;
};
TMarshalled g_marshalled;

DWORD MoveFromWorker(void*) {
  g_marshalled.moved = SetWindowPos(g_marshalled.target, nullptr, 7, 8, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  return 0;
}

}  // namespace

TEST_F(QueueTest, ReplyMessageCannotReleaseAMarshalledCallEarly) {
  // The worker's SetWindowPos runs here as one call whose locals live on the worker's stack; a
  // procedure replying early would let the worker return while that call still runs.
  HWND w = Top(0, 0, 100, 100, WS_POPUP | WS_VISIBLE);
  g_marshalled = TMarshalled{w};
  Overrides()[w] = [](HWND, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (m == WM_WINDOWPOSCHANGED && InSendMessage()) g_marshalled.replied = ReplyMessage(0);
    return std::nullopt;
  };
  HANDLE thread = CreateThread(nullptr, 0, &MoveFromWorker, nullptr, 0, nullptr);
  EXPECT_EQ(WaitForSingleObject(thread, INFINITE), WAIT_OBJECT_0);
  CloseHandle(thread);
  EXPECT_FALSE(g_marshalled.replied);
  EXPECT_TRUE(g_marshalled.moved);
  RECT r;
  GetWindowRect(w, &r);
  EXPECT_EQ(r.left, 7);
}
