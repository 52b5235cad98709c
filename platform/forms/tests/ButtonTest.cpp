// The "BUTTON" and "STATIC" window classes: check states, clicks by mouse, key and message,
// radio groups, owner drawing and notifications.
#include "platform/forms/tests/NativeTestSupport.h"

class ButtonTest : public NativeControlTest {
 protected:
  static WPARAM Check(HWND b) { return static_cast<WPARAM>(SendMessage(b, BM_GETCHECK, 0, 0)); }
};

TEST_F(ButtonTest, ClicksByTypeChangeTheCheckAndNotify) {
  struct {
    const char* name;
    DWORD style;
    WPARAM afterOne, afterTwo, afterThree;
  } cases[] = {
      {"push", BS_PUSHBUTTON, 0, 0, 0},
      {"default push", BS_DEFPUSHBUTTON, 0, 0, 0},
      {"check box (manual)", BS_CHECKBOX, 0, 0, 0},
      {"auto check box", BS_AUTOCHECKBOX, 1, 0, 1},
      {"auto three-state", BS_AUTO3STATE, 1, 2, 0},
      {"radio (manual)", BS_RADIOBUTTON, 0, 0, 0},
      {"auto radio", BS_AUTORADIOBUTTON, 1, 1, 1},
  };
  int id = 10;
  for (auto& c : cases) {
    SCOPED_TRACE(c.name);
    HWND b = Create(kButtonClassName, c.style | WS_GROUP, 10, 10, 100, 24, u"Button", ++id);
    Notes().clear();
    Click(b, 50, 12);
    EXPECT_EQ(Check(b), c.afterOne);
    SendMessage(b, BM_CLICK, 0, 0);
    EXPECT_EQ(Check(b), c.afterTwo);
    SetFocus(b);
    Key(VK_SPACE);
    EXPECT_EQ(Check(b), c.afterThree);
    EXPECT_EQ(Count(WM_COMMAND, BN_CLICKED, b), 3);
    DestroyWindow(b);
  }
}

TEST_F(ButtonTest, SetCheckAndStateMessages) {
  HWND two = Create(kButtonClassName, BS_CHECKBOX, 0, 0, 100, 20);
  HWND three = Create(kButtonClassName, BS_3STATE, 0, 30, 100, 20);
  SendMessage(two, BM_SETCHECK, BST_INDETERMINATE, 0);
  EXPECT_EQ(Check(two), BST_CHECKED);  // a two-state box has no third state
  SendMessage(three, BM_SETCHECK, BST_INDETERMINATE, 0);
  EXPECT_EQ(Check(three), BST_INDETERMINATE);
  HWND push = Create(kButtonClassName, BS_PUSHBUTTON, 0, 60, 100, 20);
  SendMessage(push, BM_SETCHECK, BST_CHECKED, 0);
  EXPECT_EQ(Check(push), BST_UNCHECKED);  // push buttons are never checked
  SendMessage(push, BM_SETSTATE, TRUE, 0);
  EXPECT_TRUE(SendMessage(push, BM_GETSTATE, 0, 0) & BST_PUSHED);
  SendMessage(push, BM_SETSTATE, FALSE, 0);
  EXPECT_FALSE(SendMessage(push, BM_GETSTATE, 0, 0) & BST_PUSHED);
  // BM_SETSTYLE turns a push button into the default one, as dialogs do.
  SendMessage(push, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
  EXPECT_EQ(SendMessage(push, WM_GETDLGCODE, 0, 0), DLGC_BUTTON | DLGC_DEFPUSHBUTTON);
  EXPECT_EQ(SendMessage(three, WM_GETDLGCODE, 0, 0), DLGC_BUTTON);
}

TEST_F(ButtonTest, AutoRadioButtonsUncheckTheirGroupOnly) {
  HWND a = Create(kButtonClassName, BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 0, 0, 100, 20, u"a", 1);
  HWND b = Create(kButtonClassName, BS_AUTORADIOBUTTON, 0, 20, 100, 20, u"b", 2);
  HWND c = Create(kButtonClassName, BS_AUTORADIOBUTTON, 0, 40, 100, 20, u"c", 3);
  HWND other = Create(kButtonClassName, BS_AUTORADIOBUTTON | WS_GROUP, 0, 60, 100, 20, u"x", 4);
  SendMessage(a, BM_SETCHECK, BST_CHECKED, 0);
  SendMessage(other, BM_SETCHECK, BST_CHECKED, 0);
  Click(c, 5, 10);
  EXPECT_EQ(Check(a), BST_UNCHECKED);
  EXPECT_EQ(Check(b), BST_UNCHECKED);
  EXPECT_EQ(Check(c), BST_CHECKED);
  EXPECT_EQ(Check(other), BST_CHECKED);
  // Arrow keys move inside the group and check the radio button they reach.
  MSG m;
  SimulateKeyPress(VK_UP);
  while (PeekMessage(&m, nullptr, 0, 0, PM_REMOVE))
    if (!IsDialogMessage(parent_, &m)) {
      TranslateMessage(&m);
      DispatchMessage(&m);
    }
  EXPECT_EQ(GetFocus(), b);
  EXPECT_EQ(Check(b), BST_CHECKED);
  EXPECT_EQ(Check(c), BST_UNCHECKED);
}

TEST_F(ButtonTest, PressingAndLeavingDoesNotClickAndDisabledButtonsIgnoreClicks) {
  HWND b = Create(kButtonClassName, BS_PUSHBUTTON, 10, 10, 80, 24, u"OK", 7);
  SimulateMouseDown(TSimButton::Left, Screen(b, 10, 10));
  Pump();
  EXPECT_TRUE(SendMessage(b, BM_GETSTATE, 0, 0) & BST_PUSHED);
  SimulateMouseMove(Screen(b, 200, 10));
  Pump();
  EXPECT_FALSE(SendMessage(b, BM_GETSTATE, 0, 0) & BST_PUSHED);
  SimulateMouseUp(TSimButton::Left, Screen(b, 200, 10));
  Pump();
  EXPECT_EQ(Count(WM_COMMAND, BN_CLICKED, b), 0);
  EnableWindow(b, FALSE);
  SendMessage(b, BM_CLICK, 0, 0);
  Click(b, 10, 10);
  EXPECT_EQ(Count(WM_COMMAND, BN_CLICKED, b), 0);
}

TEST_F(ButtonTest, DoubleClicksOfRadioAndNotifyButtons) {
  HWND radio = Create(kButtonClassName, BS_RADIOBUTTON, 0, 0, 100, 20, u"r", 1);
  HWND push = Create(kButtonClassName, BS_PUSHBUTTON, 0, 30, 100, 20, u"p", 2);
  for (HWND b : {radio, push}) {
    POINT p = Screen(b, 10, 10);
    SimulateClick(TSimButton::Left, p);
    SimulateClick(TSimButton::Left, p);
    Pump();
    clock_->Advance(1000);
  }
  EXPECT_EQ(Count(WM_COMMAND, BN_DOUBLECLICKED, radio), 1);
  EXPECT_EQ(Count(WM_COMMAND, BN_CLICKED, radio), 1);
  // A plain push button takes the second click as another click.
  EXPECT_EQ(Count(WM_COMMAND, BN_DOUBLECLICKED, push), 0);
  EXPECT_EQ(Count(WM_COMMAND, BN_CLICKED, push), 2);
}

TEST_F(ButtonTest, OwnerDrawnButtonsAskTheParentToDraw) {
  HWND b = Create(kButtonClassName, BS_OWNERDRAW, 5, 5, 60, 30, u"", 42);
  UpdateWindow(b);
  ASSERT_GE(Count(WM_DRAWITEM, 0, b), 1);
  const DRAWITEMSTRUCT& full = Notes().back().draw;
  EXPECT_EQ(full.CtlType, ODT_BUTTON);
  EXPECT_EQ(full.CtlID, 42u);
  EXPECT_EQ(full.itemAction, ODA_DRAWENTIRE);
  EXPECT_EQ(full.rcItem, (RECT{0, 0, 60, 30}));
  Notes().clear();
  SendMessage(b, BM_SETSTATE, TRUE, 0);
  ASSERT_EQ(Notes().size(), 1u);
  EXPECT_EQ(Notes().back().draw.itemAction, ODA_SELECT);
  EXPECT_TRUE(Notes().back().draw.itemState & ODS_SELECTED);
  Notes().clear();
  SetFocus(b);
  Pump();
  ASSERT_FALSE(Notes().empty());
  EXPECT_TRUE(Notes().back().draw.itemState & ODS_FOCUS);
}

TEST_F(ButtonTest, CheckBoxIsDrawnCheckedAndGroupBoxLetsClicksThrough) {
  HWND box = Create(kButtonClassName, BS_AUTOCHECKBOX, 0, 0, 100, 20, u"", 1);
  // The 13-pixel box: its middle is the window colour unchecked, the check mark once checked.
  COLORREF before = Pixel(box, 6, 10);
  SendMessage(box, BM_SETCHECK, BST_CHECKED, 0);
  EXPECT_NE(Pixel(box, 6, 10), before);
  HWND group = Create(kButtonClassName, BS_GROUPBOX, 150, 0, 100, 100, u"Group", 2);
  EXPECT_EQ(SendMessage(group, WM_NCHITTEST, 0, PointToLParam(160, 50)), HTTRANSPARENT);
  EXPECT_EQ(SendMessage(group, WM_GETDLGCODE, 0, 0), DLGC_STATIC);
}

TEST_F(ButtonTest, StaticNotifiesClicksOnlyWithSsNotify) {
  HWND plain = Create(kStaticClassName, SS_LEFT, 0, 0, 100, 20, u"Label", 1);
  HWND notify = Create(kStaticClassName, SS_LEFT | SS_NOTIFY, 0, 30, 100, 20, u"Link", 2);
  Click(plain, 10, 10);
  Click(notify, 10, 10);
  EXPECT_EQ(Count(WM_COMMAND, STN_CLICKED, plain), 0);
  EXPECT_EQ(Count(WM_COMMAND, STN_CLICKED, notify), 1);
  SetWindowText(plain, u"Changed");
  EXPECT_EQ(Text(plain), u"Changed");
  // Text is drawn in the window-text colour from the left edge.
  EXPECT_EQ(Pixel(plain, 3, 8), GetSysColor(COLOR_WINDOWTEXT));
  HWND right = Create(kStaticClassName, SS_RIGHT, 0, 60, 100, 20, u"R", 3);
  EXPECT_EQ(Pixel(right, 96, 8), GetSysColor(COLOR_WINDOWTEXT));
  EXPECT_EQ(Pixel(right, 3, 8), GetSysColor(COLOR_BTNFACE));
}
