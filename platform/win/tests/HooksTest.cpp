// Thread hook chains: order, passing on, discarding, rewriting, and unhooking while running.
#include "platform/win/tests/WinTestSupport.h"

namespace {

std::vector<std::string> g_calls;
HHOOK g_first = nullptr;
HHOOK g_second = nullptr;
bool g_secondDiscards = false;
bool g_firstUnhooksItself = false;

LRESULT FirstKeyboardHook(int code, WPARAM wp, LPARAM lp) {
  g_calls.push_back("first:" + std::to_string(wp) + ((lp & (1u << 31)) ? ":up" : ":down"));
  if (g_firstUnhooksItself) {
    UnhookWindowsHookEx(g_first);
    g_first = nullptr;
  }
  return CallNextHookEx(g_first, code, wp, lp);
}

LRESULT SecondKeyboardHook(int code, WPARAM wp, LPARAM lp) {
  g_calls.push_back("second:" + std::to_string(wp));
  if (g_secondDiscards && wp == 'B') return 1;
  return CallNextHookEx(g_second, code, wp, lp);
}

}  // namespace

class HooksTest : public WinTest {
 protected:
  void SetUp() override {
    WinTest::SetUp();
    g_calls.clear();
    g_secondDiscards = g_firstUnhooksItself = false;
    w = Top(0, 0, 100, 100, WS_POPUP | WS_VISIBLE);
    Pump();
  }
  void TearDown() override {
    if (g_first) UnhookWindowsHookEx(g_first);
    if (g_second) UnhookWindowsHookEx(g_second);
    g_first = g_second = nullptr;
    WinTest::TearDown();
  }
  HWND w;
};

TEST_F(HooksTest, NewestHookRunsFirstAndADiscardedKeyNeverArrives) {
  g_first = SetWindowsHookEx(WH_KEYBOARD, &FirstKeyboardHook, nullptr, GetCurrentThreadId());
  g_second = SetWindowsHookEx(WH_KEYBOARD, &SecondKeyboardHook, nullptr, GetCurrentThreadId());
  g_secondDiscards = true;
  ClearLog();
  SimulateKeyPress('A');
  SimulateKeyPress('B');
  Pump();
  std::vector<std::string> expected = {"second:65",   "first:65:down", "second:65",
                                       "first:65:up", "second:66",     "second:66"};
  EXPECT_EQ(g_calls, expected);
  std::vector<WPARAM> keys;
  for (const TLogged& l : Logged(w, WM_KEYDOWN)) keys.push_back(l.wParam);
  EXPECT_EQ(keys, std::vector<WPARAM>{'A'});
  EXPECT_TRUE(Logged(w, WM_KEYUP).size() == 1u);
}

TEST_F(HooksTest, UnhookingInsideTheHookIsSafeAndTheChainGoesOn) {
  g_first = SetWindowsHookEx(WH_KEYBOARD, &FirstKeyboardHook, nullptr, GetCurrentThreadId());
  g_second = SetWindowsHookEx(WH_KEYBOARD, &SecondKeyboardHook, nullptr, GetCurrentThreadId());
  // The second (newest) passes on to the first, which removes itself while running.
  g_firstUnhooksItself = true;
  SimulateKeyDown('C');
  Pump();
  EXPECT_EQ(g_calls, (std::vector<std::string>{"second:67", "first:67:down"}));
  g_calls.clear();
  SimulateKeyUp('C');
  Pump();
  EXPECT_EQ(g_calls, (std::vector<std::string>{"second:67"}));
  EXPECT_EQ(Logged(w, WM_KEYUP).size(), 1u);
  EXPECT_FALSE(UnhookWindowsHookEx(reinterpret_cast<HHOOK>(&g_calls)));
}

TEST_F(HooksTest, GetMessageHookMayRewriteAMessageIntoANullOne) {
  HHOOK hook = SetWindowsHookEx(
      WH_GETMESSAGE,
      [](int code, WPARAM wp, LPARAM lp) -> LRESULT {
        auto* msg = reinterpret_cast<MSG*>(lp);
        if (code == HC_ACTION && wp == PM_REMOVE && msg->message == WM_SYSKEYDOWN) msg->message = WM_NULL;
        return CallNextHookEx(nullptr, code, wp, lp);
      },
      nullptr, GetCurrentThreadId());
  ClearLog();
  SimulateKeyPress(VK_F10);
  Pump();
  UnhookWindowsHookEx(hook);
  EXPECT_TRUE(Logged(w, WM_SYSKEYDOWN).empty());
  EXPECT_EQ(Logged(w, WM_NULL).size(), 1u);
  EXPECT_EQ(Logged(w, WM_SYSKEYUP).size(), 1u);
}

TEST_F(HooksTest, CallWndProcHookSeesSentMessagesBeforeTheTargetButNotPostedOnes) {
  static std::vector<UINT> hooked;
  static size_t logAtHook = 0;
  hooked.clear();
  HHOOK hook = SetWindowsHookEx(
      WH_CALLWNDPROC,
      [](int code, WPARAM wp, LPARAM lp) -> LRESULT {
        auto* cwp = reinterpret_cast<CWPSTRUCT*>(lp);
        if (cwp->message >= WM_USER && cwp->message < WM_USER + 10) {
          hooked.push_back(cwp->message);
          logAtHook = MessageLog().size();
        }
        return CallNextHookEx(nullptr, code, wp, lp);
      },
      nullptr, GetCurrentThreadId());
  ClearLog();
  SendMessage(w, WM_USER + 1, 0, 0);
  EXPECT_EQ(logAtHook, 0u);  // the hook ran before the window procedure
  PostMessage(w, WM_USER + 2, 0, 0);
  Pump();
  UnhookWindowsHookEx(hook);
  EXPECT_EQ(hooked, std::vector<UINT>{WM_USER + 1});
  EXPECT_EQ(Logged(w, WM_USER + 2).size(), 1u);
}

TEST_F(HooksTest, MouseHookDiscardsAClickAndSeesTheHitCode) {
  HWND c = Child(w, 10, 10, 40, 40);
  Pump();
  static std::vector<std::pair<HWND, UINT>> seen;
  seen.clear();
  HHOOK hook = SetWindowsHookEx(
      WH_MOUSE,
      [](int code, WPARAM wp, LPARAM lp) -> LRESULT {
        auto* m = reinterpret_cast<MOUSEHOOKSTRUCT*>(lp);
        if (wp == WM_LBUTTONDOWN || wp == WM_NCLBUTTONDOWN) {
          seen.push_back({m->hwnd, m->wHitTestCode});
          return 1;
        }
        return CallNextHookEx(nullptr, code, wp, lp);
      },
      nullptr, GetCurrentThreadId());
  ClearLog();
  SimulateClick(TSimButton::Left, POINT{20, 20});
  Pump();
  UnhookWindowsHookEx(hook);
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].first, c);
  EXPECT_EQ(seen[0].second, static_cast<UINT>(HTCLIENT));
  EXPECT_TRUE(Logged(c, WM_LBUTTONDOWN).empty());
  EXPECT_EQ(Logged(c, WM_LBUTTONUP).size(), 1u);
}

TEST_F(HooksTest, AHookRunningAModalLoopSeesTheInputThatFollows) {
  // Hooks are re-entered from loops run inside them: a pop-up opened from a hook reads input.
  static int depth = 0, maxDepth = 0;
  depth = maxDepth = 0;
  g_first = SetWindowsHookEx(
      WH_KEYBOARD,
      [](int code, WPARAM wp, LPARAM lp) -> LRESULT {
        ++depth;
        maxDepth = std::max(maxDepth, depth);
        if (wp == 'M' && !(lp & (1u << 31))) {
          MSG m;
          while (PeekMessage(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessage(&m);
        }
        --depth;
        return CallNextHookEx(g_first, code, wp, lp);
      },
      nullptr, GetCurrentThreadId());
  SimulateKeyPress('M');
  SimulateKeyPress('N');
  Pump();
  EXPECT_EQ(maxDepth, 2);
  std::vector<WPARAM> keys;
  for (const TLogged& l : MessageLog())
    if (l.msg == WM_KEYDOWN || l.msg == WM_KEYUP) keys.push_back(l.wParam);
  // The key that opened the loop is delivered after the keys read inside it.
  EXPECT_EQ(keys, (std::vector<WPARAM>{'M', 'N', 'N', 'M'}));
}
