// The "COMBOBOX" window class on its own: the item messages and their errors, the text of a
// drop-down list, the notifications of a pick by mouse and of a cancelled drop-down, and the
// owner drawing of the edit field.
#include "platform/forms/tests/NativeTestSupport.h"

class ComboBoxWindowTest : public NativeControlTest {
 protected:
  HWND Combo(DWORD style = CBS_DROPDOWNLIST) {
    HWND c = Create(kComboBoxClassName, style | CBS_HASSTRINGS, 10, 10, 150, 24, u"", 7);
    for (auto* s : {u"alpha", u"beta", u"gamma"}) SendMessage(c, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
    return c;
  }
  static std::vector<UINT> Codes(HWND from) {
    std::vector<UINT> codes;
    for (const TNote& n : Notes())
      if (n.msg == WM_COMMAND && n.from == from) codes.push_back(n.code);
    return codes;
  }
};

TEST_F(ComboBoxWindowTest, ItemMessagesTextAndErrors) {
  HWND c = Combo();
  EXPECT_EQ(SendMessage(c, CB_GETCOUNT, 0, 0), 3);
  EXPECT_EQ(SendMessage(c, CB_GETCURSEL, 0, 0), CB_ERR);
  EXPECT_EQ(SendMessage(c, CB_SETCURSEL, 1, 0), 1);
  EXPECT_EQ(Text(c), u"beta");  // a drop-down list's text is its item's
  EXPECT_EQ(SendMessage(c, CB_SETCURSEL, 5, 0), CB_ERR);
  EXPECT_EQ(SendMessage(c, CB_GETCURSEL, 0, 0), CB_ERR);
  EXPECT_EQ(SendMessage(c, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(u"GA")), 2);
  EXPECT_TRUE(SendMessage(c, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(u"alpha")));
  EXPECT_EQ(SendMessage(c, CB_GETCURSEL, 0, 0), 0);
  EXPECT_EQ(SendMessage(c, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(u"delta")), CB_ERR);
  struct {
    UINT msg;
    WPARAM w;
  } errors[] = {{CB_GETLBTEXTLEN, 3}, {CB_DELETESTRING, 3}, {CB_GETITEMDATA, 9}, {CB_LIMITTEXT, 5}};
  for (auto& e : errors) EXPECT_EQ(SendMessage(c, e.msg, e.w, 0), CB_ERR) << e.msg;
  EXPECT_FALSE(SendMessage(c, CB_SETMINVISIBLE, 0, 0));
  EXPECT_TRUE(Codes(c).empty());  // nothing above was the user's doing
}

TEST_F(ComboBoxWindowTest, APickByMouseAndACancelledDropDownNotifyInOrder) {
  HWND c = Combo();
  Click(c, 20, 12);
  ASSERT_TRUE(SendMessage(c, CB_GETDROPPEDSTATE, 0, 0));
  RECT list;
  SendMessage(c, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&list));
  SimulateClick(TSimButton::Left, POINT{list.left + 10, list.top + 1 + 16 + 8});
  Pump();
  EXPECT_EQ(SendMessage(c, CB_GETCURSEL, 0, 0), 1);
  EXPECT_EQ(Codes(c), (std::vector<UINT>{CBN_SETFOCUS, CBN_DROPDOWN, CBN_SELENDOK, CBN_CLOSEUP, CBN_SELCHANGE}));
  Notes().clear();
  SendMessage(c, CB_SHOWDROPDOWN, TRUE, 0);
  SendMessage(c, CB_SHOWDROPDOWN, FALSE, 0);
  EXPECT_EQ(Codes(c), (std::vector<UINT>{CBN_DROPDOWN, CBN_SELENDCANCEL, CBN_CLOSEUP}));
  EXPECT_EQ(GetCapture(), nullptr);  // the capture goes with the list
}

TEST_F(ComboBoxWindowTest, AnOwnerDrawnFieldIsDrawnByTheParent) {
  HWND c = Combo(CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED);
  SendMessage(c, CB_SETCURSEL, 2, 0);
  SendMessage(c, CB_SETITEMDATA, 2, 42);
  Notes().clear();
  InvalidateRect(c, nullptr, TRUE);
  UpdateWindow(c);
  ASSERT_EQ(Count(WM_DRAWITEM, 0), 1);
  const DRAWITEMSTRUCT& d = Notes().back().draw;
  EXPECT_EQ(d.CtlType, ODT_COMBOBOX);
  EXPECT_EQ(d.CtlID, 7u);
  EXPECT_EQ(d.hwndItem, c);
  EXPECT_EQ(d.itemID, 2u);
  EXPECT_EQ(d.itemData, 42u);
  EXPECT_TRUE(d.itemState & ODS_COMBOBOXEDIT);
}
