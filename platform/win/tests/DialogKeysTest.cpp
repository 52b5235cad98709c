// Dialog-key routing through IsDialogMessage and WM_GETDLGCODE.
#include "platform/win/tests/WinTestSupport.h"

class DialogKeysTest : public WinTest {
 protected:
  void SetUp() override {
    WinTest::SetUp();
    dlg = Top(0, 0, 300, 200, WS_POPUP | WS_VISIBLE);
    label = Child(dlg, 0, 0, 10, 10, WS_VISIBLE, 100, u"TestWnd", u"&Name:");
    name = Child(dlg, 10, 0, 10, 10, WS_VISIBLE | WS_TABSTOP | WS_GROUP, 101);
    disabled = Child(dlg, 20, 0, 10, 10, WS_VISIBLE | WS_TABSTOP | WS_DISABLED, 102);
    noStop = Child(dlg, 30, 0, 10, 10, WS_VISIBLE, 103);
    radio1 = Child(dlg, 40, 0, 10, 10, WS_VISIBLE | WS_TABSTOP | WS_GROUP, 104);
    radio2 = Child(dlg, 50, 0, 10, 10, WS_VISIBLE, 105);
    memo = Child(dlg, 60, 0, 10, 10, WS_VISIBLE | WS_TABSTOP | WS_GROUP, 106, u"TestWnd", u"&Memo");
    Overrides()[memo] = [](HWND, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
      if (m == WM_GETDLGCODE) return DLGC_WANTTAB | DLGC_WANTCHARS;
      return std::nullopt;
    };
    SetFocus(name);
    Pump();
  }

  // Feeds a key through the dialog's routing as a dialog's loop does.
  void Key(UINT vk, UINT modifiers = 0) {
    SimulateKeyPress(vk, modifiers);
    MSG m;
    while (PeekMessage(&m, nullptr, 0, 0, PM_REMOVE))
      if (!IsDialogMessage(dlg, &m)) {
        TranslateMessage(&m);
        DispatchMessage(&m);
      }
  }

  HWND dlg, label, name, disabled, noStop, radio1, radio2, memo;
};

TEST_F(DialogKeysTest, TabWalksTheTabStopsBothWaysAndWraps) {
  Key(VK_TAB);
  EXPECT_EQ(GetFocus(), radio1);  // the disabled one and the one without WS_TABSTOP are skipped
  Key(VK_TAB);
  EXPECT_EQ(GetFocus(), memo);
  Key(VK_TAB, 1);
  EXPECT_EQ(GetFocus(), memo);  // the memo wants Tab: it keeps it
  EXPECT_FALSE(Logged(memo, WM_KEYDOWN).empty());
  SetFocus(radio1);
  Key(VK_TAB, 1);
  EXPECT_EQ(GetFocus(), name);
  Key(VK_TAB, 1);
  EXPECT_EQ(GetFocus(), memo);  // wrapped backwards
  EXPECT_EQ(GetNextDlgTabItem(dlg, memo, FALSE), name);
}

TEST_F(DialogKeysTest, ArrowsMoveInsideTheGroup) {
  SetFocus(radio1);
  Key(VK_DOWN);
  EXPECT_EQ(GetFocus(), radio2);
  Key(VK_DOWN);
  EXPECT_EQ(GetFocus(), radio1);  // the group wraps at the next WS_GROUP
  Key(VK_UP);
  EXPECT_EQ(GetFocus(), radio2);
}

TEST_F(DialogKeysTest, EnterAndEscapeBecomeCommandsAndTheirCharactersAreEaten) {
  ClearLog();
  Key(VK_RETURN);
  Key(VK_ESCAPE);
  auto commands = Logged(dlg, WM_COMMAND);
  ASSERT_EQ(commands.size(), 2u);
  EXPECT_EQ(LOWORD(commands[0].wParam), IDOK);
  EXPECT_EQ(LOWORD(commands[1].wParam), IDCANCEL);
  EXPECT_TRUE(Logged(name, WM_CHAR).empty());
  // A control that wants all keys gets Enter itself.
  Overrides()[name] = [](HWND, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (m == WM_GETDLGCODE) return DLGC_WANTALLKEYS;
    return std::nullopt;
  };
  ClearLog();
  Key(VK_RETURN);
  EXPECT_TRUE(Logged(dlg, WM_COMMAND).empty());
  EXPECT_EQ(Logged(name, WM_KEYDOWN).size(), 1u);
  EXPECT_EQ(Logged(name, WM_CHAR).size(), 1u);
}

TEST_F(DialogKeysTest, AltLetterFocusesTheControlOfTheMnemonic) {
  SetFocus(radio2);
  Key('M', 4);
  EXPECT_EQ(GetFocus(), memo);
  Key('N', 4);
  EXPECT_EQ(GetFocus(), name);  // a label's mnemonic goes to the control after it
}
