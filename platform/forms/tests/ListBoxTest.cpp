// The "LISTBOX" window class: the item messages, selection and its notifications, geometry in the
// fixed-metrics font (items 16 pixels high), owner drawing, multiple selection and columns.
#include "platform/forms/tests/NativeTestSupport.h"

class ListBoxTest : public NativeControlTest {
 protected:
  HWND List(DWORD style = LBS_NOTIFY, int h = 64, int w = 100) {
    return Create(kListBoxClassName, style | LBS_NOINTEGRALHEIGHT, 0, 0, w, h, u"", 5);
  }
  static void Add(HWND lb, std::initializer_list<const char16_t*> items) {
    for (auto* s : items) SendMessage(lb, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
  }
  static LRESULT Send(HWND lb, UINT msg, WPARAM w = 0, LPARAM l = 0) { return SendMessage(lb, msg, w, l); }
  static String ItemText(HWND lb, int i) {
    Char buf[64] = {};
    Send(lb, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buf));
    return buf;
  }
};

TEST_F(ListBoxTest, ItemMessagesAndTheirErrors) {
  HWND lb = List();
  Add(lb, {u"zero", u"one", u"two"});
  EXPECT_EQ(Send(lb, LB_INSERTSTRING, 1, reinterpret_cast<LPARAM>(u"half")), 1);
  EXPECT_EQ(Send(lb, LB_INSERTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(u"end")), 4);
  EXPECT_EQ(Send(lb, LB_GETCOUNT), 5);
  EXPECT_EQ(ItemText(lb, 1), u"half");
  EXPECT_EQ(Send(lb, LB_GETTEXTLEN, 4), 3);
  EXPECT_EQ(Send(lb, LB_SETITEMDATA, 2, 777), 0);
  EXPECT_EQ(Send(lb, LB_GETITEMDATA, 2), 777);
  EXPECT_EQ(Send(lb, LB_SETCURSEL, 2), 2);
  EXPECT_EQ(Send(lb, LB_DELETESTRING, 0), 4);  // the count left
  EXPECT_EQ(Send(lb, LB_GETCURSEL), 1);        // the selection moved with its item
  EXPECT_EQ(Send(lb, LB_GETITEMDATA, 1), 777);
  struct {
    UINT msg;
    WPARAM w;
  } errors[] = {
      {LB_GETTEXTLEN, 9}, {LB_GETITEMDATA, 9}, {LB_DELETESTRING, 9}, {LB_SETCURSEL, 9}, {LB_GETSEL, 9}};
  for (auto& e : errors) EXPECT_EQ(Send(lb, e.msg, e.w), LB_ERR) << e.msg;
  EXPECT_EQ(Send(lb, LB_SETCURSEL, static_cast<WPARAM>(-1)), LB_ERR);  // clears and answers LB_ERR
  EXPECT_EQ(Send(lb, LB_GETCURSEL), LB_ERR);
  Send(lb, LB_RESETCONTENT);
  EXPECT_EQ(Send(lb, LB_GETCOUNT), 0);
}

TEST_F(ListBoxTest, SortedListsAndStringSearches) {
  HWND lb = List(LBS_SORT | LBS_NOTIFY);
  Add(lb, {u"pear", u"Apple", u"banana", S("яблоко").c_str(), S("Груша").c_str()});
  std::vector<String> got;
  for (int i = 0; i < 5; ++i) got.push_back(ItemText(lb, i));
  std::vector<String> expect = {u"Apple", u"banana", u"pear", S("Груша"), S("яблоко")};
  EXPECT_EQ(got, expect);
  EXPECT_EQ(Send(lb, LB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(u"BAN")), 1);
  EXPECT_EQ(Send(lb, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(u"ban")), LB_ERR);
  // LB_SELECTSTRING searches after the start item and wraps round.
  EXPECT_EQ(Send(lb, LB_SELECTSTRING, 2, reinterpret_cast<LPARAM>(u"a")), 0);
  EXPECT_EQ(Send(lb, LB_GETCURSEL), 0);
  EXPECT_EQ(Send(lb, LB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(S("гру").c_str())),
            3);
  EXPECT_EQ(Send(lb, LB_SELECTSTRING, 0, reinterpret_cast<LPARAM>(u"kiwi")), LB_ERR);
  EXPECT_EQ(Send(lb, LB_GETCURSEL), 3);
  EXPECT_EQ(Count(WM_COMMAND, LBN_SELCHANGE, lb), 0);  // programmatic selection is not notified
}

TEST_F(ListBoxTest, GeometryTopIndexAndHitTesting) {
  HWND lb = List(LBS_NOTIFY | WS_VSCROLL, 64);  // four rows
  for (int i = 0; i < 10; ++i) Add(lb, {String(1, static_cast<Char>(u'a' + i)).c_str()});
  EXPECT_EQ(Send(lb, LB_GETITEMHEIGHT, 0), 16);
  RECT r;
  Send(lb, LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&r));
  EXPECT_EQ(r.top, 32);
  EXPECT_EQ(r.bottom, 48);
  Send(lb, LB_SETTOPINDEX, 3);
  EXPECT_EQ(Send(lb, LB_GETTOPINDEX), 3);
  Send(lb, LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&r));
  EXPECT_EQ(r.top, -16);
  EXPECT_EQ(Send(lb, LB_ITEMFROMPOINT, 0, MAKELPARAM(5, 20)), MAKELONG(4, 0));
  EXPECT_EQ(HIWORD(static_cast<std::uintptr_t>(Send(lb, LB_ITEMFROMPOINT, 0, MAKELPARAM(500, 20)))), 1);
  // The top index stops where the last page is full.
  Send(lb, LB_SETTOPINDEX, 9);
  EXPECT_EQ(Send(lb, LB_GETTOPINDEX), 6);
  SCROLLINFO si;
  si.fMask = SIF_ALL;
  GetScrollInfo(lb, SB_VERT, &si);
  EXPECT_EQ(si.nPos, 6);
  EXPECT_EQ(si.nPage, 4u);
  // Selecting an item out of view brings it in.
  Send(lb, LB_SETCURSEL, 1);
  EXPECT_EQ(Send(lb, LB_GETTOPINDEX), 1);
  Send(lb, LB_SETITEMHEIGHT, 0, 20);
  EXPECT_EQ(Send(lb, LB_GETITEMHEIGHT, 5), 20);
}

TEST_F(ListBoxTest, MouseAndKeysSelectAndNotify) {
  HWND lb = List();
  Add(lb, {u"alpha", u"beta", u"gamma", u"delta"});
  Click(lb, 10, 20);
  EXPECT_EQ(Send(lb, LB_GETCURSEL), 1);
  EXPECT_EQ(Count(WM_COMMAND, LBN_SELCHANGE, lb), 1);
  Key(VK_DOWN);
  EXPECT_EQ(Send(lb, LB_GETCURSEL), 2);
  Key(VK_HOME);
  EXPECT_EQ(Send(lb, LB_GETCURSEL), 0);
  Type(u"d");  // the next item starting with the letter
  EXPECT_EQ(Send(lb, LB_GETCURSEL), 3);
  EXPECT_EQ(Count(WM_COMMAND, LBN_SELCHANGE, lb), 4);
  POINT p = Screen(lb, 10, 40);
  SimulateClick(TSimButton::Left, p);
  SimulateClick(TSimButton::Left, p);
  Pump();
  EXPECT_EQ(Count(WM_COMMAND, LBN_DBLCLK, lb), 1);
  EXPECT_EQ(Send(lb, LB_GETCURSEL), 2);
  // Without LBS_NOTIFY nothing is sent.
  HWND quiet = List(0);
  SetWindowPos(quiet, nullptr, 200, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  Add(quiet, {u"x", u"y"});
  Notes().clear();
  Click(quiet, 10, 20);
  EXPECT_EQ(Send(quiet, LB_GETCURSEL), 1);
  EXPECT_EQ(Count(WM_COMMAND, LBN_SELCHANGE, quiet), 0);
}

TEST_F(ListBoxTest, OwnerDrawVariableMeasuresEachItemAndDrawsThroughTheParent) {
  OnMeasure() = [](const MEASUREITEMSTRUCT& mi) { return static_cast<UINT>(10 + 10 * mi.itemID); };
  HWND lb = List(LBS_OWNERDRAWVARIABLE | LBS_NOTIFY, 100);
  for (int i = 0; i < 4; ++i) Send(lb, LB_ADDSTRING, 0, 1000 + i);  // item data, no strings
  EXPECT_EQ(Count(WM_MEASUREITEM, 3), 1);
  EXPECT_EQ(Send(lb, LB_GETITEMHEIGHT, 2), 30);
  RECT r;
  Send(lb, LB_GETITEMRECT, 3, reinterpret_cast<LPARAM>(&r));
  EXPECT_EQ(r.top, 60);  // 10 + 20 + 30
  EXPECT_EQ(r.bottom, 100);
  EXPECT_EQ(Send(lb, LB_ITEMFROMPOINT, 0, MAKELPARAM(5, 35)), MAKELONG(2, 0));
  EXPECT_EQ(Send(lb, LB_GETITEMDATA, 1), 1001);
  Send(lb, LB_SETCURSEL, 1);
  Notes().clear();
  InvalidateRect(lb, nullptr, TRUE);
  UpdateWindow(lb);
  std::vector<TNote> draws;
  for (const TNote& n : Notes())
    if (n.msg == WM_DRAWITEM) draws.push_back(n);
  ASSERT_EQ(draws.size(), 4u);
  EXPECT_EQ(draws[1].draw.CtlType, ODT_LISTBOX);
  EXPECT_EQ(draws[1].draw.itemID, 1u);
  EXPECT_EQ(draws[1].draw.itemData, 1001u);
  EXPECT_EQ(draws[1].draw.rcItem, (RECT{0, 10, 100, 30}));
  EXPECT_TRUE(draws[1].draw.itemState & ODS_SELECTED);
  EXPECT_FALSE(draws[0].draw.itemState & ODS_SELECTED);
}

TEST_F(ListBoxTest, OwnerDrawFixedTakesItsHeightFromTheParent) {
  OnMeasure() = [](const MEASUREITEMSTRUCT&) { return 24u; };
  HWND lb = List(LBS_OWNERDRAWFIXED | LBS_HASSTRINGS, 100);
  Add(lb, {u"a", u"b"});
  EXPECT_EQ(Send(lb, LB_GETITEMHEIGHT, 0), 24);
  EXPECT_EQ(ItemText(lb, 1), u"b");
  RECT r;
  Send(lb, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&r));
  EXPECT_EQ(r.top, 24);
}

TEST_F(ListBoxTest, ExtendedSelectionWithShiftAndCtrl) {
  HWND lb = List(LBS_EXTENDEDSEL | LBS_NOTIFY, 96);
  Add(lb, {u"0", u"1", u"2", u"3", u"4", u"5"});
  Click(lb, 5, 8);
  SimulateKeyDown(VK_SHIFT);
  Click(lb, 5, 3 * 16 + 8);
  SimulateKeyUp(VK_SHIFT);
  SimulateKeyDown(VK_CONTROL);
  Click(lb, 5, 5 * 16 + 8);
  Click(lb, 5, 16 + 8);  // toggles off
  SimulateKeyUp(VK_CONTROL);
  Pump();
  EXPECT_EQ(Send(lb, LB_GETSELCOUNT), 4);
  int sel[8] = {};
  ASSERT_EQ(Send(lb, LB_GETSELITEMS, 8, reinterpret_cast<LPARAM>(sel)), 4);
  EXPECT_EQ(std::vector<int>(sel, sel + 4), (std::vector<int>{0, 2, 3, 5}));
  EXPECT_EQ(Send(lb, LB_GETCARETINDEX), 1);
  Send(lb, LB_SETSEL, FALSE, -1);
  EXPECT_EQ(Send(lb, LB_GETSELCOUNT), 0);
  EXPECT_EQ(Send(lb, LB_SETCURSEL, 1), LB_ERR);  // not for multiple selection
}

TEST_F(ListBoxTest, IntegralHeightAndColumns) {
  HWND integral = Create(kListBoxClassName, 0, 0, 0, 100, 50, u"", 6);
  RECT c;
  GetClientRect(integral, &c);
  EXPECT_EQ(c.bottom, 48);
  HWND free = List(0, 50);
  GetClientRect(free, &c);
  EXPECT_EQ(c.bottom, 50);

  HWND cols = List(LBS_MULTICOLUMN, 48, 150);  // three rows a column
  Send(cols, LB_SETCOLUMNWIDTH, 50);
  for (int i = 0; i < 12; ++i) Add(cols, {u"x"});
  RECT r;
  Send(cols, LB_GETITEMRECT, 4, reinterpret_cast<LPARAM>(&r));
  EXPECT_EQ(r, (RECT{50, 16, 100, 32}));
  EXPECT_EQ(Send(cols, LB_ITEMFROMPOINT, 0, MAKELPARAM(120, 40)), MAKELONG(8, 0));
  Send(cols, LB_SETCURSEL, 11);  // in the fourth column: scrolls one column
  EXPECT_EQ(Send(cols, LB_GETTOPINDEX), 3);
}

TEST_F(ListBoxTest, HorizontalExtentEnablesHorizontalScrolling) {
  HWND lb = List(WS_HSCROLL, 64);
  Add(lb, {u"wide"});
  Send(lb, LB_SETHORIZONTALEXTENT, 300);
  EXPECT_EQ(Send(lb, LB_GETHORIZONTALEXTENT), 300);
  SCROLLINFO si;
  si.fMask = SIF_ALL;
  GetScrollInfo(lb, SB_HORZ, &si);
  EXPECT_EQ(si.nMax, 299);
  SendMessage(lb, WM_HSCROLL, SB_PAGERIGHT, 0);
  RECT r;
  Send(lb, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r));
  EXPECT_LT(r.left, 0);
}
