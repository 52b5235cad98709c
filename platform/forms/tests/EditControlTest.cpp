// The "EDIT" window class driven by messages and simulated keys, in the fixed-metrics font
// (every character 8 x 16 pixels).
#include "platform/forms/tests/NativeTestSupport.h"

class EditControlTest : public NativeControlTest {
 protected:
  HWND Edit(DWORD style = 0, int w = 200, int h = 20, LPCWSTR text = u"") {
    HWND e = Create(kEditClassName, style, 10, 10, w, h, text);
    SetFocus(e);
    Pump();
    return e;
  }
  static std::pair<int, int> Sel(HWND e) {
    DWORD s = 0, en = 0;
    SendMessage(e, EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&en));
    return {static_cast<int>(s), static_cast<int>(en)};
  }
};

TEST_F(EditControlTest, TypingEditsTheTextAndNotifiesTheParent) {
  HWND e = Edit();
  Type(u"Hello, world");
  Key(VK_BACK);
  Key(VK_HOME);
  Key(VK_DELETE);
  EXPECT_EQ(Text(e), u"ello, worl");
  EXPECT_EQ(Count(WM_COMMAND, EN_CHANGE, e), 14);
  EXPECT_TRUE(SendMessage(e, EM_GETMODIFY, 0, 0));
  SendMessage(e, EM_SETMODIFY, FALSE, 0);
  EXPECT_FALSE(SendMessage(e, EM_GETMODIFY, 0, 0));
  // Assigned text notifies too, and is not a modification.
  Notes().clear();
  SetWindowText(e, u"new");
  EXPECT_EQ(Count(WM_COMMAND, EN_CHANGE, e), 1);
  EXPECT_FALSE(SendMessage(e, EM_GETMODIFY, 0, 0));
  EXPECT_EQ(GetWindowTextLength(e), 3);
}

TEST_F(EditControlTest, CyrillicTypedOnTheRussianLayoutAndCaseStyles) {
  ActivateKeyboardLayout(HKL_RUSSIAN, 0);
  HWND plain = Edit();
  Type(S("Съешь ещё этих булок"));
  EXPECT_EQ(Text(plain), S("Съешь ещё этих булок"));

  HWND upper = Edit(ES_UPPERCASE);
  Type(S("Ёлка"));
  EXPECT_EQ(Text(upper), S("ЁЛКА"));
  HWND lower = Edit(ES_LOWERCASE);
  Type(S("МИР"));
  ActivateKeyboardLayout(HKL_US, 0);
  Type(u" ABC");
  EXPECT_EQ(Text(lower), S("мир abc"));
}

TEST_F(EditControlTest, KeyboardSelection) {
  HWND e = Edit(0, 200, 20, u"alpha beta gamma");
  SendMessage(e, EM_SETSEL, 0, 0);
  Key(VK_RIGHT, 1);
  Key(VK_RIGHT, 1);
  EXPECT_EQ(Sel(e), std::make_pair(0, 2));
  Key(VK_RIGHT, 1 | 2);  // Shift+Ctrl: to the next word
  EXPECT_EQ(Sel(e), std::make_pair(0, 6));
  Key(VK_END, 1);
  EXPECT_EQ(Sel(e), std::make_pair(0, 16));
  Key(VK_LEFT);  // collapses to the start
  EXPECT_EQ(Sel(e), std::make_pair(0, 0));
  // EM_SETSEL: -1 ends the selection at the text's end; a start of -1 removes the selection.
  SendMessage(e, EM_SETSEL, 6, -1);
  EXPECT_EQ(Sel(e), std::make_pair(6, 16));
  SendMessage(e, EM_SETSEL, static_cast<WPARAM>(-1), 0);
  EXPECT_EQ(Sel(e), std::make_pair(16, 16));
  // Typing replaces the selection.
  SendMessage(e, EM_SETSEL, 6, 10);
  Type(u"BETA");
  EXPECT_EQ(Text(e), u"alpha BETA gamma");
}

TEST_F(EditControlTest, ClipboardCutCopyPasteAndClear) {
  HWND e = Edit(0, 200, 20, u"copy me");
  SendMessage(e, EM_SETSEL, 0, 4);
  Key('C', 2);
  EXPECT_EQ(Clipboard(), u"copy");
  Key(VK_END);
  Key('V', 2);
  EXPECT_EQ(Text(e), u"copy mecopy");
  SendMessage(e, EM_SETSEL, 0, 5);
  SendMessage(e, WM_CUT, 0, 0);
  EXPECT_EQ(Clipboard(), u"copy ");
  EXPECT_EQ(Text(e), u"mecopy");
  SendMessage(e, EM_SETSEL, 0, 2);
  SendMessage(e, WM_CLEAR, 0, 0);
  EXPECT_EQ(Text(e), u"copy");
  // Shift+Insert pastes; pasted line breaks end a single-line paste.
  SetClipboard(u"X\r\nY");
  Key(VK_INSERT, 1);
  EXPECT_EQ(Text(e), u"Xcopy");
  EXPECT_TRUE(SendMessage(e, EM_CANPASTE, 0, 0));
}

TEST_F(EditControlTest, ReadOnlyAndPasswordRefuseWhatTheyMust) {
  HWND e = Edit(ES_READONLY, 200, 20, u"fixed");
  int beeps = MessageBeepCount();
  Type(u"x");
  SetClipboard(u"pasted");
  SendMessage(e, WM_PASTE, 0, 0);
  SendMessage(e, EM_SETSEL, 0, -1);
  SendMessage(e, WM_CUT, 0, 0);
  EXPECT_EQ(Text(e), u"fixed");
  EXPECT_GT(MessageBeepCount(), beeps);
  SendMessage(e, WM_COPY, 0, 0);  // copying is allowed
  EXPECT_EQ(Clipboard(), u"fixed");
  SendMessage(e, EM_SETREADONLY, FALSE, 0);
  EXPECT_FALSE(GetWindowLong(e, GWL_STYLE) & ES_READONLY);
  Type(u"!");
  EXPECT_EQ(Text(e), u"!");

  HWND p = Edit(ES_PASSWORD, 200, 20);
  Type(u"secret");
  EXPECT_EQ(SendMessage(p, EM_GETPASSWORDCHAR, 0, 0), u'*');
  EXPECT_EQ(Text(p), u"secret");
  SendMessage(p, EM_SETSEL, 0, -1);
  SendMessage(p, WM_COPY, 0, 0);
  EXPECT_EQ(Clipboard(), u"fixed");  // unchanged: a password is never copied
  SendMessage(p, EM_SETPASSWORDCHAR, u'#', 0);
  EXPECT_EQ(SendMessage(p, EM_GETPASSWORDCHAR, 0, 0), u'#');
}

TEST_F(EditControlTest, UndoIsOneStepThatUndoesItself) {
  HWND e = Edit();
  Type(u"abc");
  EXPECT_TRUE(SendMessage(e, EM_CANUNDO, 0, 0));
  SendMessage(e, WM_UNDO, 0, 0);
  EXPECT_EQ(Text(e), u"");
  SendMessage(e, EM_UNDO, 0, 0);  // undoing the undo
  EXPECT_EQ(Text(e), u"abc");
  Key('Z', 2);
  EXPECT_EQ(Text(e), u"");
  SendMessage(e, EM_EMPTYUNDOBUFFER, 0, 0);
  EXPECT_FALSE(SendMessage(e, EM_CANUNDO, 0, 0));
  SetWindowText(e, u"set");
  EXPECT_FALSE(SendMessage(e, EM_CANUNDO, 0, 0));
}

TEST_F(EditControlTest, LimitStopsTypingAndReportsIt) {
  HWND e = Edit();
  SendMessage(e, EM_LIMITTEXT, 5, 0);
  EXPECT_EQ(SendMessage(e, EM_GETLIMITTEXT, 0, 0), 5);
  Type(u"1234567");
  EXPECT_EQ(Text(e), u"12345");
  EXPECT_EQ(Count(WM_COMMAND, EN_MAXTEXT, e), 2);
  SendMessage(e, EM_SETSEL, 0, 0);
  SendMessage(e, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(u"ab"));
  EXPECT_EQ(Text(e), u"12345");
}

TEST_F(EditControlTest, MultiLineLineMessagesWithWordWrap) {
  // 80 pixels: ten characters a line.
  HWND e = Create(kEditClassName, ES_MULTILINE, 0, 0, 80, 64, u"one two three four\r\nabcdefghijklmnop");
  EXPECT_EQ(SendMessage(e, EM_GETLINECOUNT, 0, 0), 4);
  struct {
    int line, index, length;
    const char16_t* text;
  } lines[] = {
      {0, 0, 8, u"one two "}, {1, 8, 10, u"three four"}, {2, 20, 10, u"abcdefghij"}, {3, 30, 6, u"klmnop"}};
  for (auto& l : lines) {
    SCOPED_TRACE(l.line);
    EXPECT_EQ(SendMessage(e, EM_LINEINDEX, l.line, 0), l.index);
    EXPECT_EQ(SendMessage(e, EM_LINELENGTH, l.index, 0), l.length);
    EXPECT_EQ(SendMessage(e, EM_LINEFROMCHAR, l.index, 0), l.line);
    Char buf[64] = {};
    buf[0] = 63;
    int n = static_cast<int>(SendMessage(e, EM_GETLINE, l.line, reinterpret_cast<LPARAM>(buf)));
    EXPECT_EQ(String(buf, n), l.text);
  }
  EXPECT_EQ(SendMessage(e, EM_LINEINDEX, 4, 0), -1);
  // Positions: character 12 is the fifth of line 1.
  LRESULT pos = SendMessage(e, EM_POSFROMCHAR, 12, 0);
  EXPECT_EQ(LOWORD(static_cast<std::uintptr_t>(pos)), 32);
  EXPECT_EQ(HIWORD(static_cast<std::uintptr_t>(pos)), 16);
  LRESULT hit = SendMessage(e, EM_CHARFROMPOS, 0, MAKELPARAM(35, 20));
  EXPECT_EQ(LOWORD(static_cast<std::uintptr_t>(hit)), 12);
  EXPECT_EQ(HIWORD(static_cast<std::uintptr_t>(hit)), 1);
  // Widening the window wraps again.
  SetWindowPos(e, nullptr, 0, 0, 160, 64, SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_EQ(SendMessage(e, EM_GETLINECOUNT, 0, 0), 2);
}

TEST_F(EditControlTest, ArrowsMoveBetweenLinesKeepingTheColumnAndEnterBreaksLines) {
  HWND e = Create(kEditClassName, ES_MULTILINE | ES_AUTOHSCROLL | ES_WANTRETURN, 0, 0, 200, 64,
                  u"abcdef\r\nxy\r\n123456");
  SetFocus(e);
  SendMessage(e, EM_SETSEL, 5, 5);
  Key(VK_DOWN);
  DWORD s = 0;
  SendMessage(e, EM_GETSEL, reinterpret_cast<WPARAM>(&s), 0);
  EXPECT_EQ(s, 10u);  // the end of the short line
  Key(VK_DOWN);
  SendMessage(e, EM_GETSEL, reinterpret_cast<WPARAM>(&s), 0);
  EXPECT_EQ(s, 17u);  // back in column five
  Key(VK_RETURN);
  EXPECT_EQ(Text(e), u"abcdef\r\nxy\r\n12345\r\n6");
  EXPECT_EQ(SendMessage(e, EM_GETLINECOUNT, 0, 0), 4);
}

TEST_F(EditControlTest, VerticalScrollingFollowsTheCaretAndTheScrollBar) {
  String text;
  for (int i = 0; i < 10; ++i) text += (i ? u"\r\n" : u"") + String(1, static_cast<Char>(u'0' + i));
  // Three lines shown.
  HWND e = Create(kEditClassName, ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL, 0, 0, 100, 48, text.c_str());
  SetFocus(e);
  Key(VK_END, 2);
  EXPECT_EQ(SendMessage(e, EM_GETFIRSTVISIBLELINE, 0, 0), 7);
  SCROLLINFO si;
  si.fMask = SIF_ALL;
  GetScrollInfo(e, SB_VERT, &si);
  EXPECT_EQ(si.nPos, 7);
  EXPECT_EQ(si.nMax, 9);
  EXPECT_EQ(si.nPage, 3u);
  Notes().clear();
  SendMessage(e, WM_VSCROLL, SB_TOP, 0);
  EXPECT_EQ(SendMessage(e, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
  EXPECT_EQ(Count(WM_COMMAND, EN_VSCROLL, e), 1);
  SendMessage(e, WM_VSCROLL, SB_PAGEDOWN, 0);
  EXPECT_EQ(SendMessage(e, EM_GETFIRSTVISIBLELINE, 0, 0), 3);
  // EM_SETSEL does not scroll; EM_SCROLLCARET does.
  SendMessage(e, EM_SETSEL, 0, 0);
  EXPECT_EQ(SendMessage(e, EM_GETFIRSTVISIBLELINE, 0, 0), 3);
  SendMessage(e, EM_SCROLLCARET, 0, 0);
  EXPECT_EQ(SendMessage(e, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
}

TEST_F(EditControlTest, MarginsAndTheFormattingRectangleMoveTheText) {
  HWND e = Edit(0, 200, 20, u"abc");
  SendMessage(e, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(10, 6));
  EXPECT_EQ(LOWORD(static_cast<std::uintptr_t>(SendMessage(e, EM_POSFROMCHAR, 1, 0))), 18);
  EXPECT_EQ(SendMessage(e, EM_GETMARGINS, 0, 0), MAKELONG(10, 6));
  RECT r{20, 2, 150, 18};
  SendMessage(e, EM_SETRECT, 0, reinterpret_cast<LPARAM>(&r));
  RECT got;
  SendMessage(e, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&got));
  EXPECT_EQ(got, r);
  LRESULT pos = SendMessage(e, EM_POSFROMCHAR, 1, 0);
  EXPECT_EQ(LOWORD(static_cast<std::uintptr_t>(pos)), 28);
  EXPECT_EQ(HIWORD(static_cast<std::uintptr_t>(pos)), 2);
  // The text is drawn there: the first glyph box starts at x = 20.
  EXPECT_EQ(Pixel(e, 21, 8), GetSysColor(COLOR_WINDOWTEXT));
  EXPECT_EQ(Pixel(e, 18, 8), GetSysColor(COLOR_WINDOW));
}

TEST_F(EditControlTest, MouseClicksPlaceTheCaretAndDoubleClickSelectsAWord) {
  HWND e = Edit(0, 200, 20, u"first second");
  Click(e, 8 * 8 + 3, 8);
  EXPECT_EQ(Sel(e), std::make_pair(8, 8));
  POINT p = Screen(e, 9 * 8, 8);
  SimulateClick(TSimButton::Left, p);
  SimulateClick(TSimButton::Left, p);
  Pump();
  EXPECT_EQ(Sel(e), std::make_pair(6, 12));
}

TEST_F(EditControlTest, TheCaretFollowsTheTextAndScrollsLongLinesIntoView) {
  HWND e = Edit(ES_AUTOHSCROLL, 200, 20);
  auto caret = [] {
    POINT p;
    GetCaretPos(&p);
    return p;
  };
  Type(u"ab");
  POINT a = caret();
  Type(u"c");
  EXPECT_EQ(caret().x - a.x, 8);
  Key(VK_HOME);
  EXPECT_EQ(caret().x, 0);
  Type(String(40, u'x'));  // 43 characters: wider than the window
  Key(VK_END);
  EXPECT_GT(caret().x, 100);
  EXPECT_LT(caret().x, 200);
  // The start has scrolled off to the left.
  EXPECT_LT(static_cast<SHORT>(LOWORD(static_cast<std::uintptr_t>(SendMessage(e, EM_POSFROMCHAR, 5, 0)))), 0);
  Key(VK_HOME);
  EXPECT_EQ(caret().x, 0);
}
