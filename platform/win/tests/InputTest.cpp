// Focus, activation and capture between windows; mouse input through hit testing and activation;
// double clicks; keys and characters in two layouts; mouse tracking.
#include "platform/win/tests/WinTestSupport.h"

using Seq = std::vector<std::string>;

class InputTest : public WinTest {
 protected:
  // Two top-level windows side by side, each with two children.
  void MakeTwoForms() {
    a = Top(0, 0, 300, 200, WS_POPUP | WS_VISIBLE);
    a1 = Child(a, 10, 10, 100, 30);
    a2 = Child(a, 10, 50, 100, 30);
    b = Top(400, 0, 300, 200, WS_POPUP | WS_VISIBLE);
    b1 = Child(b, 10, 10, 100, 30);
    b2 = Child(b, 10, 50, 100, 30);
    Pump();
    names = {{a, "a"}, {a1, "a1"}, {a2, "a2"}, {b, "b"}, {b1, "b1"}, {b2, "b2"}};
  }
  Seq Sequence(std::set<UINT> only) {
    Seq out;
    for (const TLogged& l : MessageLog())
      if (only.count(l.msg)) out.push_back(names[l.hwnd] + ":" + MessageName(l.msg));
    return out;
  }
  HWND a, a1, a2, b, b1, b2;
  std::map<HWND, std::string> names;
};

TEST_F(InputTest, FocusBetweenChildrenOfTwoTopLevelWindowsNamesTheOtherWindow) {
  MakeTwoForms();
  SetFocus(a1);
  ClearLog();
  SetFocus(a2);
  EXPECT_EQ(Sequence({WM_SETFOCUS, WM_KILLFOCUS}), (Seq{"a1:KILLFOCUS", "a2:SETFOCUS"}));
  EXPECT_EQ(reinterpret_cast<HWND>(Logged(a1, WM_KILLFOCUS)[0].wParam), a2);
  EXPECT_EQ(reinterpret_cast<HWND>(Logged(a2, WM_SETFOCUS)[0].wParam), a1);
  // Focusing a child of the other window activates that window first.
  ClearLog();
  SetFocus(b2);
  Seq expected = {"a:NCACTIVATE", "a:ACTIVATE", "b:NCACTIVATE", "b:ACTIVATE",
                  "a2:KILLFOCUS", "b:SETFOCUS", "b:KILLFOCUS",  "b2:SETFOCUS"};
  EXPECT_EQ(Sequence({WM_SETFOCUS, WM_KILLFOCUS, WM_ACTIVATE, WM_NCACTIVATE}), expected);
  EXPECT_EQ(GetActiveWindow(), b);
  EXPECT_EQ(GetFocus(), b2);
  auto act = Logged(b, WM_ACTIVATE);
  EXPECT_EQ(LOWORD(act[0].wParam), WA_ACTIVE);
  EXPECT_EQ(reinterpret_cast<HWND>(act[0].lParam), a);
  EXPECT_EQ(LOWORD(Logged(a, WM_ACTIVATE)[0].wParam), WA_INACTIVE);
}

TEST_F(InputTest, ActivationHandlerThatKeepsTheFocusAwayLeavesNoFocus) {
  MakeTwoForms();
  SetFocus(a1);
  Overrides()[b] = [](HWND, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (m == WM_ACTIVATE) return 0;  // does not pass on to the default (which would focus b)
    return std::nullopt;
  };
  ClearLog();
  SetActiveWindow(b);
  EXPECT_EQ(GetActiveWindow(), b);
  EXPECT_EQ(GetFocus(), nullptr);
  auto kill = Logged(a1, WM_KILLFOCUS);
  ASSERT_EQ(kill.size(), 1u);
  EXPECT_EQ(kill[0].wParam, 0u);
}

TEST_F(InputTest, ClickActivatesThroughMouseActivateAndItsAnswers) {
  MakeTwoForms();
  SetActiveWindow(a);
  struct TCase {
    LRESULT answer;
    bool activates;
    bool delivered;
  };
  for (TCase t : {TCase{MA_ACTIVATE, true, true}, TCase{MA_NOACTIVATE, false, true},
                  TCase{MA_ACTIVATEANDEAT, true, false}, TCase{MA_NOACTIVATEANDEAT, false, false}}) {
    SetActiveWindow(a);
    static LRESULT answer;
    answer = t.answer;
    Overrides()[b1] = [](HWND, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
      if (m == WM_MOUSEACTIVATE) return answer;
      return std::nullopt;
    };
    clock_->Advance(1000);  // no double clicks between the cases
    ClearLog();
    SimulateClick(TSimButton::Left, POINT{420, 20});  // inside b1
    Pump();
    auto ma = Logged(b1, WM_MOUSEACTIVATE);
    ASSERT_EQ(ma.size(), 1u) << "answer " << t.answer;
    EXPECT_EQ(reinterpret_cast<HWND>(ma[0].wParam), b);
    EXPECT_EQ(static_cast<SHORT>(LOWORD(ma[0].lParam)), HTCLIENT);
    EXPECT_EQ(HIWORD(ma[0].lParam), WM_LBUTTONDOWN);
    EXPECT_EQ(GetActiveWindow() == b, t.activates) << "answer " << t.answer;
    EXPECT_EQ(Logged(b1, WM_LBUTTONDOWN).size(), t.delivered ? 1u : 0u) << "answer " << t.answer;
    if (t.activates) {
      auto act = Logged(b, WM_ACTIVATE);
      ASSERT_FALSE(act.empty());
      EXPECT_EQ(LOWORD(act.back().wParam), WA_CLICKACTIVE);
    }
  }
  // A click in the already active window asks nothing.
  SetActiveWindow(b);
  clock_->Advance(1000);
  ClearLog();
  SimulateClick(TSimButton::Left, POINT{420, 20});
  Pump();
  EXPECT_TRUE(Logged(b1, WM_MOUSEACTIVATE).empty());
}

// A loop that first looks for other messages must not decide where queued mouse input goes: a
// release queued with its press reaches the window the press captured the mouse for.
TEST_F(InputTest, AFilteredPeekLeavesQueuedMouseInputToBeRoutedWhenItsTurnComes) {
  MakeTwoForms();
  Overrides()[a1] = [](HWND hwnd, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (msg == WM_LBUTTONDOWN) SetCapture(hwnd);
    return std::nullopt;
  };
  SimulateMouseMove(POINT{20, 20});
  Pump();
  ClearLog();
  SimulateMouseDown(TSimButton::Left, POINT{20, 20});  // on a1
  SimulateMouseUp(TSimButton::Left, POINT{420, 20});   // over b1
  MSG msg;
  EXPECT_FALSE(PeekMessage(&msg, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_NOREMOVE));
  Pump();
  EXPECT_EQ(Logged(a1, WM_LBUTTONUP).size(), 1u) << "the release follows the capture";
  EXPECT_TRUE(Logged(b1, WM_LBUTTONUP).empty());
  Overrides().erase(a1);
  ReleaseCapture();
}

TEST_F(InputTest, CaptureTakesTheMouseAndTellsTheWindowThatLosesIt) {
  MakeTwoForms();
  SetCapture(a1);
  ClearLog();
  SimulateMouseMove(POINT{500, 100});  // over b, but a1 has the capture
  Pump();
  auto moves = Logged(a1, WM_MOUSEMOVE);
  ASSERT_EQ(moves.size(), 1u);
  POINT client{500, 100};
  ScreenToClient(a1, &client);
  EXPECT_EQ(GET_X_LPARAM(moves[0].lParam), client.x);
  EXPECT_TRUE(Logged(b, WM_MOUSEMOVE).empty());
  EXPECT_EQ(SetCapture(b1), a1);
  auto changed = Logged(a1, WM_CAPTURECHANGED);
  ASSERT_EQ(changed.size(), 1u);
  EXPECT_EQ(reinterpret_cast<HWND>(changed[0].lParam), b1);
  ReleaseCapture();
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(Logged(b1, WM_CAPTURECHANGED).size(), 1u);
  // WM_CANCELMODE by default releases the capture; disabling the capture window sends it.
  SetCapture(b1);
  ClearLog();
  EnableWindow(b1, FALSE);
  EXPECT_EQ(Logged(b1, WM_CANCELMODE).size(), 1u);
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(InputTest, MouseOverADisabledWindowIsAnErrorHitThatBeepsOnClick) {
  MakeTwoForms();
  SetActiveWindow(a);
  EnableWindow(b, FALSE);
  static std::vector<std::pair<UINT, UINT>> seen;  // message, hit code
  seen.clear();
  HHOOK hook = SetWindowsHookEx(
      WH_MOUSE,
      [](int code, WPARAM wp, LPARAM lp) -> LRESULT {
        if (code == HC_ACTION)
          seen.push_back({static_cast<UINT>(wp), reinterpret_cast<MOUSEHOOKSTRUCT*>(lp)->wHitTestCode});
        return CallNextHookEx(nullptr, code, wp, lp);
      },
      nullptr, GetCurrentThreadId());
  int beeps = MessageBeepCount();
  ClearLog();
  SimulateMouseDown(TSimButton::Left, POINT{420, 20});
  Pump();
  UnhookWindowsHookEx(hook);
  EXPECT_TRUE(Logged(b1, WM_LBUTTONDOWN).empty());
  EXPECT_TRUE(Logged(b, WM_LBUTTONDOWN).empty());
  ASSERT_FALSE(seen.empty());
  EXPECT_EQ(static_cast<int>(static_cast<SHORT>(seen.back().second)), HTERROR);
  auto cursor = Logged(b, WM_SETCURSOR);
  ASSERT_FALSE(cursor.empty());
  EXPECT_EQ(static_cast<SHORT>(LOWORD(cursor.back().lParam)), HTERROR);
  EXPECT_EQ(MessageBeepCount(), beeps + 1);
  EXPECT_NE(GetActiveWindow(), b);
}

TEST_F(InputTest, TransparentHitsFallThroughToTheWindowBelow) {
  HWND p = Top(0, 0, 300, 200, WS_POPUP | WS_VISIBLE);
  HWND below = Child(p, 0, 0, 100, 100);
  HWND glass = Child(p, 0, 0, 100, 100);
  SetWindowPos(glass, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  Overrides()[glass] = [](HWND, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (m == WM_NCHITTEST) return HTTRANSPARENT;
    return std::nullopt;
  };
  Pump();
  ClearLog();
  SimulateClick(TSimButton::Left, POINT{50, 50});
  Pump();
  EXPECT_EQ(Logged(below, WM_LBUTTONDOWN).size(), 1u);
  EXPECT_TRUE(Logged(glass, WM_LBUTTONDOWN).empty());
  EXPECT_EQ(WindowFromPoint(POINT{50, 50}), below);
}

TEST_F(InputTest, DoubleClicksNeedTheClassStyleTimeAndDistance) {
  HWND dbl = Top(0, 0, 200, 200, WS_POPUP | WS_VISIBLE);
  HWND plain = Top(300, 0, 200, 200, WS_POPUP | WS_VISIBLE, 0, nullptr, u"TestNoDblClk");
  Pump();
  struct TCase {
    HWND window;
    POINT first, second;
    int delay;
    UINT secondMessage;
  };
  UINT time = GetDoubleClickTime();
  for (TCase t : {TCase{dbl, {50, 50}, {51, 52}, 100, WM_LBUTTONDBLCLK},
                  TCase{dbl, {50, 50}, {50, 50}, static_cast<int>(time) + 1, WM_LBUTTONDOWN},
                  TCase{dbl, {50, 50}, {53, 50}, 100, WM_LBUTTONDOWN},
                  TCase{plain, {350, 50}, {350, 50}, 100, WM_LBUTTONDOWN}}) {
    ResetInputState();
    clock_->Advance(10000);
    ClearLog();
    SimulateClick(TSimButton::Left, t.first);
    Pump();
    clock_->Advance(t.delay);
    SimulateClick(TSimButton::Left, t.second);
    Pump();
    std::vector<UINT> downs;
    for (const TLogged& l : MessageLog())
      if (l.hwnd == t.window && (l.msg == WM_LBUTTONDOWN || l.msg == WM_LBUTTONDBLCLK))
        downs.push_back(l.msg);
    EXPECT_EQ(downs, (std::vector<UINT>{WM_LBUTTONDOWN, t.secondMessage}))
        << "delay " << t.delay << " to " << t.second.x << "," << t.second.y;
  }
  // A third quick click starts again with a plain button-down.
  ClearLog();
  clock_->Advance(10000);
  for (int i = 0; i < 3; ++i) {
    SimulateClick(TSimButton::Left, POINT{50, 50});
    clock_->Advance(50);
  }
  Pump();
  std::vector<UINT> downs;
  for (const TLogged& l : MessageLog())
    if (l.msg == WM_LBUTTONDOWN || l.msg == WM_LBUTTONDBLCLK) downs.push_back(l.msg);
  EXPECT_EQ(downs, (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, WM_LBUTTONDOWN}));
}

TEST_F(InputTest, KeysBecomeCharactersInTheActiveLayout) {
  HWND w = Top(0, 0, 100, 100, WS_POPUP | WS_VISIBLE);
  Pump();
  auto typed = [&](auto input) {
    ClearLog();
    input();
    Pump();
    String chars;
    for (const TLogged& l : Logged(w, WM_CHAR)) chars += static_cast<Char>(l.wParam);
    return chars;
  };
  EXPECT_EQ(typed([] { SimulateText(u"Hello, 1!"); }), u"Hello, 1!");
  ActivateKeyboardLayout(HKL_RUSSIAN, 0);
  EXPECT_EQ(typed([] { SimulateText(u"Привет, Ёж."); }), u"Привет, Ёж.");
  EXPECT_EQ(typed([] { SimulateKeyPress('Q'); }), u"й");
  EXPECT_EQ(typed([] { SimulateKeyPress('Q', 1); }), u"Й");
  // Control characters come from the key, whatever the layout.
  EXPECT_EQ(typed([] { SimulateKeyPress('V', 2); }), String(1, Char(22)));
  ActivateKeyboardLayout(HKL_US, 0);
  EXPECT_EQ(typed([] { SimulateKeyPress(VK_RETURN); }), u"\r");
  // Typed text leaves a Shift the user holds alone.
  SimulateKeyDown(VK_SHIFT);
  EXPECT_EQ(typed([] { SimulateText(u"AB"); }), u"AB");
  EXPECT_TRUE(GetKeyState(VK_SHIFT) & 0x8000);
  SimulateKeyUp(VK_SHIFT);
  Pump();
  // Characters no key types still arrive.
  EXPECT_EQ(typed([] { SimulateText(u"€"); }), u"€");
  // With Alt held keys are system keys and characters system characters.
  ClearLog();
  SimulateKeyPress('X', 4);
  Pump();
  EXPECT_EQ(Logged(w, WM_SYSKEYDOWN).size(), 2u);  // Alt, X
  auto sys = Logged(w, WM_SYSCHAR);
  ASSERT_EQ(sys.size(), 1u);
  EXPECT_EQ(sys[0].wParam, static_cast<WPARAM>(u'x'));
  EXPECT_TRUE(sys[0].lParam & (1 << 29));
}

TEST_F(InputTest, KeyStateFollowsTheMessagesReadAndTheAsyncStateTheInput) {
  HWND w = Top(0, 0, 100, 100, WS_POPUP | WS_VISIBLE);
  Pump();
  SimulateKeyDown(VK_SHIFT);
  EXPECT_TRUE(GetAsyncKeyState(VK_SHIFT) & 0x8000);
  EXPECT_FALSE(GetKeyState(VK_SHIFT) & 0x8000);  // not read yet
  Pump();
  EXPECT_TRUE(GetKeyState(VK_SHIFT) & 0x8000);
  BYTE state[256];
  GetKeyboardState(state);
  EXPECT_TRUE(state[VK_SHIFT] & 0x80);
  // A simulated Shift as the Parts make it.
  state[VK_SHIFT] = 0;
  SetKeyboardState(state);
  EXPECT_FALSE(GetKeyState(VK_SHIFT) & 0x8000);
  SimulateKeyUp(VK_SHIFT);
  Pump();
  SimulateKeyPress(VK_CAPITAL);
  Pump();
  EXPECT_EQ(GetKeyState(VK_CAPITAL) & 1, 1);  // toggled
  (void)w;
}

TEST_F(InputTest, KeysGoToTheFocusOrAsSystemKeysToTheActiveWindow) {
  HWND w = Top(0, 0, 100, 100, WS_POPUP | WS_VISIBLE);
  HWND c = Child(w, 0, 0, 50, 50);
  SetFocus(c);
  Pump();
  ClearLog();
  SimulateKeyPress(VK_F5);
  Pump();
  EXPECT_EQ(Logged(c, WM_KEYDOWN).size(), 1u);
  SetFocus(nullptr);
  ClearLog();
  SimulateKeyPress(VK_F5);
  Pump();
  EXPECT_EQ(Logged(w, WM_SYSKEYDOWN).size(), 1u);
  EXPECT_TRUE(Logged(c, WM_KEYDOWN).empty());
}

TEST_F(InputTest, WheelGoesToTheFocusAndClimbsToTheParent) {
  HWND w = Top(0, 0, 200, 200, WS_POPUP | WS_VISIBLE);
  HWND c = Child(w, 0, 0, 50, 50);
  SetFocus(c);
  Pump();
  ClearLog();
  SimulateWheel(-WHEEL_DELTA, POINT{150, 150});
  Pump();
  auto wheel = Logged(c, WM_MOUSEWHEEL);
  ASSERT_EQ(wheel.size(), 1u);
  EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(wheel[0].wParam), -WHEEL_DELTA);
  EXPECT_EQ(Logged(w, WM_MOUSEWHEEL).size(), 1u);  // the default procedure passed it up
  UINT lines = 0;
  SystemParametersInfo(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  EXPECT_EQ(lines, 3u);
}

TEST_F(InputTest, TrackMouseEventPostsMouseLeaveOnceWhenTheMouseLeaves) {
  MakeTwoForms();
  SimulateMouseMove(POINT{20, 20});
  Pump();
  TRACKMOUSEEVENT tme;
  tme.dwFlags = TME_LEAVE;
  tme.hwndTrack = a1;
  ASSERT_TRUE(TrackMouseEvent(&tme));
  ClearLog();
  SimulateMouseMove(POINT{30, 20});
  Pump();
  EXPECT_TRUE(Logged(a1, WM_MOUSELEAVE).empty());
  SimulateMouseMove(POINT{200, 150});
  Pump();
  SimulateMouseMove(POINT{210, 150});
  Pump();
  EXPECT_EQ(Logged(a1, WM_MOUSELEAVE).size(), 1u);
  // Asked while the mouse is already elsewhere, it answers at once.
  ClearLog();
  TrackMouseEvent(&tme);
  Pump();
  EXPECT_EQ(Logged(a1, WM_MOUSELEAVE).size(), 1u);
}

TEST_F(InputTest, RightButtonUpAsksForTheContextMenu) {
  HWND w = Top(0, 0, 200, 200, WS_POPUP | WS_VISIBLE);
  HWND c = Child(w, 10, 10, 50, 50);
  Pump();
  ClearLog();
  SimulateClick(TSimButton::Right, POINT{20, 30});
  Pump();
  auto menu = Logged(w, WM_CONTEXTMENU);  // the child passed it to its parent
  ASSERT_EQ(menu.size(), 1u);
  EXPECT_EQ(reinterpret_cast<HWND>(menu[0].wParam), c);
  EXPECT_EQ(GET_X_LPARAM(menu[0].lParam), 20);
  EXPECT_EQ(GET_Y_LPARAM(menu[0].lParam), 30);
}

TEST_F(InputTest, TheApplicationLosingTheDesktopDeactivatesAndComesBackToTheSameWindow) {
  MakeTwoForms();
  SetActiveWindow(a);
  SetCapture(a1);
  ClearLog();
  SetApplicationActive(false);
  EXPECT_EQ(Logged(a1, WM_CANCELMODE).size(), 1u);
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(GetActiveWindow(), nullptr);
  EXPECT_EQ(GetFocus(), nullptr);
  auto app = Logged(b, WM_ACTIVATEAPP);
  ASSERT_EQ(app.size(), 1u);
  EXPECT_EQ(app[0].wParam, static_cast<WPARAM>(FALSE));
  EXPECT_EQ(LOWORD(Logged(a, WM_ACTIVATE)[0].wParam), WA_INACTIVE);
  ClearLog();
  SetApplicationActive(true);
  EXPECT_EQ(GetActiveWindow(), a);
  EXPECT_EQ(Logged(b, WM_ACTIVATEAPP)[0].wParam, static_cast<WPARAM>(TRUE));
  EXPECT_TRUE(IsApplicationActive());
}

// The whole gesture is queued before the press is read, as a quick user or a script produces it;
// the press is handled, then DragDetect reads the rest from where the button went down.
TEST_F(InputTest, DragDetectMeasuresFromThePressAndPassesOnTheMessageThatEndsIt) {
  HWND w = Top(0, 0, 300, 200, WS_POPUP | WS_VISIBLE);
  Pump();
  const POINT press{50, 50};
  struct Gesture {
    const char* name;
    std::function<void()> after;  // queued after the press
    BOOL drag;
    size_t releasesSeen;  // by the window while detecting
  };
  const Gesture gestures[] = {
      {"released in place", [&] { SimulateMouseUp(TSimButton::Left, press); }, FALSE, 1},
      {"jiggled inside the square",
       [&] {
         SimulateMouseMove(POINT{53, 52});
         clock_->Advance(10);
         SimulateMouseMove(POINT{47, 48});
         SimulateMouseUp(TSimButton::Left, POINT{47, 48});
       },
       FALSE, 1},
      {"carried beyond the square",
       [&] {
         SimulateMouseMove(POINT{70, 50});
         SimulateMouseUp(TSimButton::Left, POINT{70, 50});
       },
       TRUE, 0},
      {"escape",
       [&] {
         SimulateKeyPress(VK_ESCAPE);
         SimulateMouseUp(TSimButton::Left, press);
       },
       FALSE, 0},
      {"the release was read before", [&] {
         SimulateMouseUp(TSimButton::Left, press);
         Pump();
       },
       FALSE, 0},
  };
  for (const Gesture& g : gestures) {
    clock_->Advance(1000);
    SimulateMouseDown(TSimButton::Left, press);
    g.after();
    MSG m;
    while (PeekMessage(&m, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&m);
      DispatchMessage(&m);
      if (m.message == WM_LBUTTONDOWN) break;
    }
    ClearLog();
    EXPECT_EQ(DragDetect(w, press), g.drag) << g.name;
    EXPECT_EQ(Logged(w, WM_LBUTTONUP).size(), g.releasesSeen) << g.name;
    EXPECT_EQ(GetCapture(), nullptr) << g.name;
    Pump();
  }
}
