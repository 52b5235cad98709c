// A parent may destroy a control from inside any notification the control sends it: the control's
// own handler is still running then and must finish on state that is still alive.
#include "platform/forms/tests/NativeTestSupport.h"

namespace {

// The notification that makes the parent destroy the control that sent it.
UINT g_killMsg = 0;  // WM_COMMAND or WM_NOTIFY
UINT g_killCode = 0;
HWND g_victim = nullptr;
int g_kills = 0;

LRESULT DestroyingParentProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (g_victim && msg == g_killMsg) {
    UINT code = msg == WM_COMMAND ? HIWORD(wParam) : reinterpret_cast<NMHDR*>(lParam)->code;
    HWND from =
        msg == WM_COMMAND ? reinterpret_cast<HWND>(lParam) : reinterpret_cast<NMHDR*>(lParam)->hwndFrom;
    if (code == g_killCode && from == g_victim) {
      HWND victim = std::exchange(g_victim, nullptr);
      ++g_kills;
      DestroyWindow(victim);
      return 0;
    }
  }
  return NativeControlTest::ParentProc(hwnd, msg, wParam, lParam);
}

}  // namespace

class DestroyInNotificationTest : public NativeControlTest {
 protected:
  void SetUp() override {
    NativeControlTest::SetUp();
    static bool registered = false;
    if (!registered) {
      registered = true;
      WNDCLASSEX wc;
      wc.lpfnWndProc = &DestroyingParentProc;
      wc.style = CS_DBLCLKS;
      wc.lpszClassName = u"DestroyingParent";
      RegisterClassEx(&wc);
    }
    killer_ = CreateWindowEx(0, u"DestroyingParent", u"", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300, nullptr,
                             nullptr, nullptr, nullptr);
    g_victim = nullptr;
    g_kills = 0;
  }
  void TearDown() override {
    DestroyWindow(killer_);
    NativeControlTest::TearDown();
  }

  HWND killer_ = nullptr;
};

TEST_F(DestroyInNotificationTest, EachControlSurvivesBeingDestroyedInEachOfItsNotifications) {
  auto typeA = [](HWND c) {
    SetFocus(c);
    Type(u"a");
  };
  auto setText = [](HWND c) { SetWindowText(c, u"new text"); };
  auto focusThenLeave = [](HWND c) {
    SetFocus(c);
    Pump();
    SetFocus(nullptr);
    Pump();
  };
  auto focus = [](HWND c) {
    SetFocus(c);
    Pump();
  };
  auto click = [](HWND c) {
    POINT p{5, 5};
    ClientToScreen(c, &p);
    SimulateClick(TSimButton::Left, p);
    Pump();
  };
  auto doubleClick = [](HWND c) {
    POINT p{5, 5};
    ClientToScreen(c, &p);
    SimulateClick(TSimButton::Left, p);
    SimulateClick(TSimButton::Left, p);
    Pump();
  };
  auto overLimit = [](HWND c) {
    SendMessage(c, EM_LIMITTEXT, 1, 0);
    SetFocus(c);
    Type(u"ab");
  };
  auto scrollDown = [](HWND c) {
    SendMessage(c, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(u"1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8"));
    SendMessage(c, WM_VSCROLL, SB_LINEDOWN, 0);
  };
  auto enable = [](HWND c) { EnableWindow(c, FALSE); };
  auto keyDown = [](HWND c) {
    SetFocus(c);
    Key(VK_DOWN);
  };

  struct Case {
    const char* what;
    LPCWSTR cls;
    DWORD style;
    DWORD eventMask;  // rich edit only
    UINT msg;
    UINT code;
    std::function<void(HWND)> drive;
  };
  const DWORD multi = ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL;
  const DWORD listStyle = LBS_NOTIFY | WS_VSCROLL;
  const Case cases[] = {
      {"edit update", kEditClassName, 0, 0, WM_COMMAND, EN_UPDATE, typeA},
      {"edit change", kEditClassName, 0, 0, WM_COMMAND, EN_CHANGE, typeA},
      {"edit change by WM_SETTEXT", kEditClassName, 0, 0, WM_COMMAND, EN_CHANGE, setText},
      {"edit max text", kEditClassName, 0, 0, WM_COMMAND, EN_MAXTEXT, overLimit},
      {"edit set focus", kEditClassName, 0, 0, WM_COMMAND, EN_SETFOCUS, focus},
      {"edit kill focus", kEditClassName, 0, 0, WM_COMMAND, EN_KILLFOCUS, focusThenLeave},
      {"edit vertical scroll", kEditClassName, multi, 0, WM_COMMAND, EN_VSCROLL, scrollDown},
      {"rich update", kRichEditClassName, 0, ENM_UPDATE, WM_COMMAND, EN_UPDATE, typeA},
      {"rich change", kRichEditClassName, 0, ENM_CHANGE, WM_COMMAND, EN_CHANGE, typeA},
      {"rich selection change", kRichEditClassName, 0, ENM_SELCHANGE, WM_NOTIFY, EN_SELCHANGE, typeA},
      {"rich key filter", kRichEditClassName, 0, ENM_KEYEVENTS, WM_NOTIFY, EN_MSGFILTER, typeA},
      {"rich mouse filter", kRichEditClassName, 0, ENM_MOUSEEVENTS, WM_NOTIFY, EN_MSGFILTER, click},
      {"rich set focus", kRichEditClassName, 0, 0, WM_COMMAND, EN_SETFOCUS, focus},
      {"rich kill focus", kRichEditClassName, 0, 0, WM_COMMAND, EN_KILLFOCUS, focusThenLeave},
      {"static click", kStaticClassName, SS_NOTIFY, 0, WM_COMMAND, STN_CLICKED, click},
      {"static double click", kStaticClassName, SS_NOTIFY, 0, WM_COMMAND, STN_DBLCLK, doubleClick},
      {"static disable", kStaticClassName, SS_NOTIFY, 0, WM_COMMAND, STN_DISABLE, enable},
      {"button click", kButtonClassName, BS_PUSHBUTTON, 0, WM_COMMAND, BN_CLICKED, click},
      {"check box click", kButtonClassName, BS_AUTOCHECKBOX, 0, WM_COMMAND, BN_CLICKED, click},
      {"radio click", kButtonClassName, BS_AUTORADIOBUTTON, 0, WM_COMMAND, BN_CLICKED, click},
      {"button by space", kButtonClassName, BS_PUSHBUTTON, 0, WM_COMMAND, BN_CLICKED,
       [](HWND c) {
         SetFocus(c);
         Key(VK_SPACE);
       }},
      {"button double click", kButtonClassName, BS_RADIOBUTTON | BS_NOTIFY, 0, WM_COMMAND, BN_DOUBLECLICKED,
       doubleClick},
      {"button set focus", kButtonClassName, BS_NOTIFY, 0, WM_COMMAND, BN_SETFOCUS, focus},
      {"button kill focus", kButtonClassName, BS_NOTIFY, 0, WM_COMMAND, BN_KILLFOCUS, focusThenLeave},
      {"list click", kListBoxClassName, listStyle, 0, WM_COMMAND, LBN_SELCHANGE, click},
      {"list key", kListBoxClassName, listStyle, 0, WM_COMMAND, LBN_SELCHANGE, keyDown},
      {"list double click", kListBoxClassName, listStyle, 0, WM_COMMAND, LBN_DBLCLK, doubleClick},
      {"list set focus", kListBoxClassName, listStyle, 0, WM_COMMAND, LBN_SETFOCUS, focus},
      {"list kill focus", kListBoxClassName, listStyle, 0, WM_COMMAND, LBN_KILLFOCUS, focusThenLeave},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    HWND control = CreateWindowEx(0, c.cls, u"text", WS_CHILD | WS_VISIBLE | WS_TABSTOP | c.style, 10, 10,
                                  120, 40, killer_, reinterpret_cast<HMENU>(7), nullptr, nullptr);
    ASSERT_TRUE(control);
    SendMessage(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), 0);
    if (c.eventMask) SendMessage(control, EM_SETEVENTMASK, 0, c.eventMask);
    for (LPCWSTR item : {u"alpha", u"beta", u"gamma", u"delta"})
      if (c.cls == kListBoxClassName) SendMessage(control, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    Pump();
    g_kills = 0;
    g_killMsg = c.msg;
    g_killCode = c.code;
    g_victim = control;
    c.drive(control);
    Pump();
    EXPECT_EQ(g_kills, 1) << "the notification was not sent";
    EXPECT_FALSE(IsWindow(control));
    if (IsWindow(control)) DestroyWindow(control);
    g_victim = nullptr;
    FlushSimulatedInput();
    ResetInputState();
    clock_->Advance(1000);  // no double click across cases
  }
}
