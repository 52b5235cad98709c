// The "RichEdit20A" window class in plain-text mode: event mask, history, character format,
// the callback interface and the selection bar.
#include "platform/forms/tests/NativeTestSupport.h"

namespace {

// The callback the editors install: drag and drop refused, everything else not implemented.
class TRefusingCallback : public IRichEditOleCallback {
 public:
  HRESULT acceptData = E_NOTIMPL;
  int refs = 0;
  int dragQueries = 0;
  HRESULT QueryInterface(const void*, void** object) override {
    if (object) *object = nullptr;
    return E_NOTIMPL;
  }
  ULONG_PTR AddRef() override { return ++refs; }
  ULONG_PTR Release() override { return --refs; }
  HRESULT GetNewStorage(void** storage) override {
    *storage = nullptr;
    return E_NOTIMPL;
  }
  HRESULT GetInPlaceContext(void**, void**, void*) override { return E_NOTIMPL; }
  HRESULT ShowContainerUI(BOOL) override { return E_NOTIMPL; }
  HRESULT QueryInsertObject(void*, void*, LONG) override { return E_NOTIMPL; }
  HRESULT DeleteObject(void*) override { return E_NOTIMPL; }
  HRESULT QueryAcceptData(void*, CLIPFORMAT*, DWORD, BOOL, HANDLE) override { return acceptData; }
  HRESULT ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
  HRESULT GetClipboardData(CHARRANGE*, DWORD, void** data) override {
    *data = nullptr;
    return E_NOTIMPL;
  }
  HRESULT GetDragDropEffect(BOOL, DWORD, DWORD* effect) override {
    ++dragQueries;
    *effect = DROPEFFECT_NONE;
    return S_OK;
  }
  HRESULT GetContextMenu(WORD, void*, CHARRANGE*, HMENU* menu) override {
    *menu = nullptr;
    return E_NOTIMPL;
  }
};

}  // namespace

class RichEditTest : public NativeControlTest {
 protected:
  HWND Rich(DWORD style = 0, int w = 200, int h = 20, LPCWSTR text = u"") {
    HWND e = Create(kRichEditClassName, style, 10, 10, w, h, text);
    SendMessage(e, EM_SETTEXTMODE, TM_PLAINTEXT, 0);
    SetFocus(e);
    Pump();
    Notes().clear();
    return e;
  }
  static CHARRANGE Sel(HWND e) {
    CHARRANGE cr;
    SendMessage(e, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&cr));
    return cr;
  }
  // Drags with the left button from one client point to another.
  void Drag(HWND e, POINT from, POINT to) {
    SimulateMouseDown(TSimButton::Left, Screen(e, from.x, from.y));
    Pump();
    SimulateMouseMove(Screen(e, (from.x + to.x) / 2, to.y));
    Pump();
    SimulateMouseMove(Screen(e, to.x, to.y));
    Pump();
    SimulateMouseUp(TSimButton::Left, Screen(e, to.x, to.y));
    Pump();
    clock_->Advance(1000);
  }
};

TEST_F(RichEditTest, NotificationsFollowTheEventMask) {
  HWND e = Rich();
  Type(u"ab");
  EXPECT_EQ(Count(WM_COMMAND, EN_CHANGE, e), 0);
  EXPECT_EQ(Count(WM_NOTIFY, EN_SELCHANGE, e), 0);
  EXPECT_EQ(SendMessage(e, EM_SETEVENTMASK, 0, ENM_CHANGE | ENM_SELCHANGE), 0);
  EXPECT_EQ(SendMessage(e, EM_GETEVENTMASK, 0, 0), static_cast<LRESULT>(ENM_CHANGE | ENM_SELCHANGE));
  Type(u"c");
  EXPECT_EQ(Count(WM_COMMAND, EN_CHANGE, e), 1);
  Notes().clear();
  Key(VK_LEFT, 1);
  ASSERT_EQ(Count(WM_NOTIFY, EN_SELCHANGE, e), 1);
  EXPECT_EQ(Notes().back().range.cpMin, 2);
  EXPECT_EQ(Notes().back().range.cpMax, 3);
  EXPECT_EQ(Count(WM_COMMAND, EN_CHANGE, e), 0);
  // Text assignment is a change as well.
  SetWindowText(e, u"set");
  EXPECT_EQ(Count(WM_COMMAND, EN_CHANGE, e), 1);
}

TEST_F(RichEditTest, KeyEventsGoThroughTheParentFilter) {
  HWND e = Rich();
  SendMessage(e, EM_SETEVENTMASK, 0, ENM_KEYEVENTS);
  OnFilter() = [](const MSGFILTER& f) -> LRESULT { return f.msg == WM_CHAR && f.wParam == u'x'; };
  Type(u"axb");
  EXPECT_EQ(Text(e), u"ab");
}

TEST_F(RichEditTest, UndoAndRedoWalkTheWholeHistory) {
  HWND e = Rich();
  Type(u"one");
  Key(VK_HOME);
  Type(u"two ");
  SendMessage(e, EM_SETSEL, 0, -1);
  Key(VK_DELETE);
  EXPECT_EQ(Text(e), u"");
  SendMessage(e, EM_UNDO, 0, 0);
  EXPECT_EQ(Text(e), u"two one");
  Key('Z', 2);
  EXPECT_EQ(Text(e), u"one");
  Key('Z', 2);
  EXPECT_EQ(Text(e), u"");
  EXPECT_FALSE(SendMessage(e, EM_CANUNDO, 0, 0));
  EXPECT_TRUE(SendMessage(e, EM_CANREDO, 0, 0));
  Key('Y', 2);
  SendMessage(e, EM_REDO, 0, 0);
  EXPECT_EQ(Text(e), u"two one");
  EXPECT_TRUE(SendMessage(e, EM_CANREDO, 0, 0));
  // A replacement that cannot be undone empties the history.
  SendMessage(e, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(u"!"));
  EXPECT_FALSE(SendMessage(e, EM_CANUNDO, 0, 0));
  EXPECT_FALSE(SendMessage(e, EM_CANREDO, 0, 0));
}

TEST_F(RichEditTest, CyrillicTypingSelectionAndClipboard) {
  ActivateKeyboardLayout(HKL_RUSSIAN, 0);
  HWND e = Rich(ES_UPPERCASE);
  Type(S("щука и ёрш"));
  EXPECT_EQ(Text(e), S("ЩУКА И ЁРШ"));
  CHARRANGE all{0, -1};
  SendMessage(e, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&all));
  EXPECT_EQ(Sel(e).cpMax, 10);
  CHARRANGE word{7, 10};
  EXPECT_EQ(SendMessage(e, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&word)), 10);
  Char buf[16];
  EXPECT_EQ(SendMessage(e, EM_GETSELTEXT, 0, reinterpret_cast<LPARAM>(buf)), 3);
  EXPECT_EQ(String(buf), S("ЁРШ"));
  Key('X', 2);
  EXPECT_EQ(Clipboard(), S("ЁРШ"));
  Key(VK_HOME);
  Key('V', 2);
  EXPECT_EQ(Text(e), S("ЁРШЩУКА И "));
  EXPECT_TRUE(SendMessage(e, EM_GETMODIFY, 0, 0));
  EXPECT_TRUE(SendMessage(e, EM_CANPASTE, 0, 0));
}

TEST_F(RichEditTest, LimitsSelectionMessagesAndReadOnly) {
  HWND e = Rich();
  SendMessage(e, EM_EXLIMITTEXT, 0, 4);
  EXPECT_EQ(SendMessage(e, EM_GETLIMITTEXT, 0, 0), 4);
  Type(u"abcdef");
  EXPECT_EQ(Text(e), u"abcd");
  EXPECT_GE(Count(WM_COMMAND, EN_MAXTEXT, e), 1);
  // A single-line rich edit keeps assigned text up to its first line break.
  SetWindowText(e, u"line\r\nnext");
  EXPECT_EQ(Text(e), u"line");
  SendMessage(e, EM_SETREADONLY, TRUE, 0);
  EXPECT_TRUE(GetWindowLong(e, GWL_STYLE) & ES_READONLY);
  Type(u"x");
  SendMessage(e, EM_SETSEL, 0, -1);
  SendMessage(e, WM_CLEAR, 0, 0);
  EXPECT_EQ(Text(e), u"line");
  EXPECT_EQ(SendMessage(e, EM_GETTEXTMODE, 0, 0), static_cast<LRESULT>(TM_PLAINTEXT));
}

TEST_F(RichEditTest, DefaultCharacterFormatAndBackgroundAreDrawn) {
  HWND e = Rich(0, 100, 20, u"W");
  Key(VK_END);
  SetFocus(parent_);  // no caret in the way
  CHARFORMAT2 cf;
  cf.dwMask = CFM_COLOR | CFM_UNDERLINE;
  cf.dwEffects = CFE_UNDERLINE;
  cf.crTextColor = RGB(200, 0, 0);
  SendMessage(e, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&cf));
  EXPECT_EQ(SendMessage(e, EM_SETBKGNDCOLOR, 0, RGB(0, 0, 160)),
            static_cast<LRESULT>(GetSysColor(COLOR_WINDOW)));
  EXPECT_EQ(Pixel(e, 4, 6), RGB(200, 0, 0));   // inside the glyph box
  EXPECT_EQ(Pixel(e, 60, 6), RGB(0, 0, 160));  // the background
  CHARFORMAT2 got;
  SendMessage(e, EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&got));
  EXPECT_EQ(got.crTextColor, RGB(200, 0, 0));
  EXPECT_TRUE(got.dwEffects & CFE_UNDERLINE);
  EXPECT_FALSE(got.dwEffects & CFE_AUTOCOLOR);
  // Automatic colour is the window-text colour again.
  cf.dwMask = CFM_COLOR;
  cf.dwEffects = CFE_AUTOCOLOR;
  SendMessage(e, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&cf));
  EXPECT_EQ(Pixel(e, 4, 6), GetSysColor(COLOR_WINDOWTEXT));
}

TEST_F(RichEditTest, DraggingTheSelectionMovesItUnlessTheCallbackRefuses) {
  HWND e = Rich(0, 200, 20, u"abc def");
  SendMessage(e, EM_SETSEL, 0, 3);
  Drag(e, {12, 8}, {7 * 8 + 2, 8});
  EXPECT_EQ(Text(e), u" defabc");

  TRefusingCallback cb;
  SendMessage(e, EM_SETOLECALLBACK, 0, reinterpret_cast<LPARAM>(&cb));
  EXPECT_EQ(cb.refs, 1);
  SetWindowText(e, u"abc def");
  SendMessage(e, EM_SETSEL, 0, 3);
  Drag(e, {12, 8}, {7 * 8 + 2, 8});
  EXPECT_EQ(Text(e), u"abc def");
  EXPECT_GT(cb.dragQueries, 0);
  EXPECT_EQ(Sel(e).cpMin, 2);  // the press became a selection from where it started
  EXPECT_EQ(Sel(e).cpMax, 7);

  // "Not implemented" accepts pastes; a failure refuses them.
  SetClipboard(u"X");
  SendMessage(e, EM_SETSEL, 0, 0);
  SendMessage(e, WM_PASTE, 0, 0);
  EXPECT_EQ(Text(e), u"Xabc def");
  cb.acceptData = E_FAIL;
  SendMessage(e, WM_PASTE, 0, 0);
  EXPECT_EQ(Text(e), u"Xabc def");
  DestroyWindow(e);
  EXPECT_EQ(cb.refs, 0);
}

TEST_F(RichEditTest, SelectionBarSelectsWholeLines) {
  HWND e = Rich(ES_MULTILINE | ES_SELECTIONBAR, 200, 64, u"first\r\nsecond\r\nthird");
  RECT r;
  GetClientRect(e, &r);
  r.left += 8;
  SendMessage(e, EM_SETRECT, 0, reinterpret_cast<LPARAM>(&r));
  Click(e, 3, 20);
  CHARRANGE s = Sel(e);
  EXPECT_EQ(s.cpMin, 7);
  EXPECT_EQ(s.cpMax, 15);
  // The same point inside the rectangle places the caret.
  Click(e, 9, 20);
  EXPECT_EQ(Sel(e).cpMin, 7);
  EXPECT_EQ(Sel(e).cpMax, 7);
  // The rich-edit form of EM_POSFROMCHAR and EM_CHARFROMPOS.
  POINT p;
  SendMessage(e, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&p), 9);
  EXPECT_EQ(p.x, 8 + 2 * 8);
  EXPECT_EQ(p.y, 16);
  POINT q{8 + 2 * 8 + 1, 17};
  EXPECT_EQ(SendMessage(e, EM_CHARFROMPOS, 0, reinterpret_cast<LPARAM>(&q)), 9);
  EXPECT_EQ(SendMessage(e, EM_EXLINEFROMCHAR, 0, 16), 2);
}
