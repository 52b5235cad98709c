// Message order when windows are created, shown, activated and destroyed.
#include <algorithm>

#include "platform/win/tests/WinTestSupport.h"

using Seq = std::vector<std::string>;

class WindowLifeTest : public WinTest {};

TEST_F(WindowLifeTest, VisibleTopLevelCreationFollowsThePlatformOrder) {
  HWND w = Top(10, 10, 300, 200);
  Seq expected = {"w:GETMINMAXINFO", "w:NCCREATE",   "w:NCCALCSIZE",      "w:CREATE",
                  "w:SIZE",          "w:MOVE",       "w:SHOWWINDOW",      "w:WINDOWPOSCHANGING",
                  "w:ACTIVATEAPP",   "w:NCACTIVATE", "w:ACTIVATE",        "w:SETFOCUS",
                  "w:NCPAINT",       "w:ERASEBKGND", "w:WINDOWPOSCHANGED"};
  EXPECT_EQ(LoggedSequence({{w, "w"}}), expected);
  EXPECT_EQ(GetActiveWindow(), w);
  EXPECT_EQ(GetFocus(), w);
  ClearLog();
  Pump();
  EXPECT_EQ(LoggedSequence({{w, "w"}}), Seq{"w:PAINT"});
  // Painted once: the next pump has nothing to do.
  ClearLog();
  Pump();
  EXPECT_TRUE(MessageLog().empty());
}

TEST_F(WindowLifeTest, ChildCreationNotifiesTheParentAndNeitherActivatesNorFocuses) {
  HWND p = Top(0, 0, 300, 200);
  ClearLog();
  HWND c = Child(p, 10, 10, 50, 20, WS_VISIBLE, 7);
  Seq expected = {"c:NCCREATE", "c:NCCALCSIZE",   "c:CREATE",          "c:SIZE",
                  "c:MOVE",     "p:PARENTNOTIFY", "c:SHOWWINDOW",      "c:WINDOWPOSCHANGING",
                  "c:NCPAINT",  "c:ERASEBKGND",   "c:WINDOWPOSCHANGED"};
  EXPECT_EQ(LoggedSequence({{p, "p"}, {c, "c"}}), expected);
  auto notify = Logged(p, WM_PARENTNOTIFY);
  ASSERT_EQ(notify.size(), 1u);
  EXPECT_EQ(LOWORD(notify[0].wParam), WM_CREATE);
  EXPECT_EQ(HIWORD(notify[0].wParam), 7);
  EXPECT_EQ(GetFocus(), p);
  RECT r;
  GetWindowRect(c, &r);
  POINT origin{0, 0};
  ClientToScreen(p, &origin);
  EXPECT_EQ(r, (RECT{origin.x + 10, origin.y + 10, origin.x + 60, origin.y + 30}));
}

TEST_F(WindowLifeTest, CreationRefusedByTheProcedureLeavesNoWindow) {
  struct TCase {
    UINT refuse;
    LRESULT answer;
  };
  for (TCase t : {TCase{WM_NCCREATE, FALSE}, TCase{WM_CREATE, -1}}) {
    static UINT refuseMsg;
    static LRESULT answer;
    refuseMsg = t.refuse;
    answer = t.answer;
    WNDCLASSEX wc;
    wc.lpszClassName = u"Refusing";
    wc.lpfnWndProc = [](HWND h, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
      MessageLog().push_back({h, m, wp, lp});
      return m == refuseMsg ? answer : DefWindowProc(h, m, wp, lp);
    };
    RegisterClassEx(&wc);
    ClearLog();
    HWND h = CreateWindowEx(0, u"Refusing", u"", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, nullptr, nullptr,
                            nullptr, nullptr);
    EXPECT_EQ(h, nullptr);
    ASSERT_FALSE(MessageLog().empty());
    EXPECT_FALSE(IsWindow(MessageLog().front().hwnd));
    EXPECT_EQ(MessageLog().back().msg, static_cast<UINT>(WM_NCDESTROY));
    EXPECT_TRUE(UnregisterClass(u"Refusing", nullptr));
  }
}

TEST_F(WindowLifeTest, HideAndShowWithoutActivation) {
  HWND a = Top(0, 0, 200, 150);
  HWND b = Top(50, 50, 200, 150);
  ASSERT_EQ(GetActiveWindow(), b);
  ClearLog();
  ShowWindow(b, SW_HIDE);
  // a is already the top of the visible windows, so activating it needs no z-order change.
  Seq expected = {"b:SHOWWINDOW", "b:WINDOWPOSCHANGING", "b:WINDOWPOSCHANGED", "b:NCACTIVATE", "b:ACTIVATE",
                  "a:NCACTIVATE", "a:ACTIVATE",          "b:KILLFOCUS",        "a:SETFOCUS"};
  Seq got = LoggedSequence({{a, "a"}, {b, "b"}}, {WM_NCHITTEST, WM_SETCURSOR, WM_NCPAINT, WM_ERASEBKGND});
  EXPECT_EQ(got, expected);
  EXPECT_FALSE(IsWindowVisible(b));
  EXPECT_EQ(GetActiveWindow(), a);
  ClearLog();
  ShowWindow(b, SW_SHOWNA);
  EXPECT_TRUE(IsWindowVisible(b));
  EXPECT_EQ(GetActiveWindow(), a);
  EXPECT_TRUE(Logged(a, WM_ACTIVATE).empty());
}

TEST_F(WindowLifeTest, DestroyGoesToOwnedWindowsFirstThenDestroyParentFirstAndNcDestroyChildrenFirst) {
  HWND p = Top(0, 0, 300, 200);
  HWND c = Child(p, 0, 0, 50, 50);
  HWND g = Child(c, 0, 0, 10, 10);
  HWND o = Top(20, 20, 100, 100, WS_POPUP | WS_VISIBLE, 0, p);
  ClearLog();
  EXPECT_TRUE(DestroyWindow(p));
  std::set<UINT> keep = {WM_DESTROY, WM_NCDESTROY};
  Seq got;
  for (const TLogged& l : MessageLog())
    if (keep.count(l.msg)) {
      std::map<HWND, std::string> n{{p, "p"}, {c, "c"}, {g, "g"}, {o, "o"}};
      got.push_back(n[l.hwnd] + ":" + MessageName(l.msg));
    }
  Seq expected = {"o:DESTROY", "o:NCDESTROY", "p:DESTROY",   "c:DESTROY",
                  "g:DESTROY", "g:NCDESTROY", "c:NCDESTROY", "p:NCDESTROY"};
  EXPECT_EQ(got, expected);
  for (HWND h : {p, c, g, o}) EXPECT_FALSE(IsWindow(h));
  EXPECT_EQ(GetFocus(), nullptr);
  EXPECT_EQ(GetActiveWindow(), nullptr);
}

TEST_F(WindowLifeTest, DestroyingTheFocusedChildMovesFocusToItsParent) {
  HWND p = Top(0, 0, 300, 200);
  HWND c = Child(p, 0, 0, 50, 50);
  SetFocus(c);
  ClearLog();
  DestroyWindow(c);
  EXPECT_EQ(GetFocus(), p);
  auto kill = Logged(c, WM_KILLFOCUS);
  ASSERT_EQ(kill.size(), 1u);
  EXPECT_EQ(reinterpret_cast<HWND>(kill[0].wParam), p);
}

TEST_F(WindowLifeTest, TreeRelationsAndCoordinates) {
  HWND p = Top(100, 100, 300, 200, WS_POPUP | WS_VISIBLE);
  HWND c = Child(p, 10, 20, 100, 50);
  HWND owned = Top(0, 0, 50, 50, WS_POPUP, 0, c);
  EXPECT_EQ(GetParent(c), p);
  EXPECT_EQ(GetParent(owned), p);  // a pop-up's parent is its owner (the top-level one)
  EXPECT_EQ(GetWindow(owned, GW_OWNER), p);
  EXPECT_EQ(GetAncestor(c, GA_PARENT), p);
  EXPECT_EQ(GetAncestor(p, GA_PARENT), GetDesktopWindow());
  EXPECT_EQ(GetAncestor(c, GA_ROOT), p);
  EXPECT_TRUE(IsChild(p, c));
  EXPECT_FALSE(IsChild(p, owned));
  POINT pt{5, 5};
  MapWindowPoints(c, p, &pt, 1);
  EXPECT_EQ(pt, (POINT{15, 25}));
  pt = {0, 0};
  ClientToScreen(c, &pt);
  EXPECT_EQ(pt, (POINT{110, 120}));
  EXPECT_EQ(WindowFromPoint(POINT{115, 125}), c);
  EXPECT_EQ(WindowFromPoint(POINT{105, 105}), p);
  EXPECT_EQ(ChildWindowFromPoint(p, POINT{15, 25}), c);
  EXPECT_EQ(ChildWindowFromPoint(p, POINT{1, 1}), p);
  EXPECT_EQ(ChildWindowFromPoint(p, POINT{-5, 1}), nullptr);
  ShowWindow(c, SW_HIDE);
  EXPECT_EQ(ChildWindowFromPoint(p, POINT{15, 25}), c);
  EXPECT_EQ(ChildWindowFromPointEx(p, POINT{15, 25}, CWP_SKIPINVISIBLE), p);
  EXPECT_EQ(WindowFromPoint(POINT{115, 125}), p);
  // Re-parented to the desktop, the child becomes a top-level window at the same place on screen
  // relative to the desktop's client area.
  ShowWindow(c, SW_SHOW);
  SetParent(c, nullptr);
  EXPECT_EQ(GetAncestor(c, GA_PARENT), GetDesktopWindow());
  EXPECT_FALSE(IsChild(p, c));
}

TEST_F(WindowLifeTest, ZOrderKeepsTopMostBandAndOwnedWindowsAboveTheirOwner) {
  HWND a = Top(0, 0, 100, 100, WS_POPUP | WS_VISIBLE);
  HWND topmost = Top(0, 0, 100, 100, WS_POPUP | WS_VISIBLE, WS_EX_TOPMOST);
  HWND b = Top(0, 0, 100, 100, WS_POPUP | WS_VISIBLE);
  HWND owned = Top(0, 0, 50, 50, WS_POPUP | WS_VISIBLE, 0, a);
  auto order = [] {
    std::vector<HWND> list;
    for (HWND h = GetTopWindow(nullptr); h; h = GetWindow(h, GW_HWNDNEXT)) list.push_back(h);
    return list;
  };
  auto index = [&](HWND h) {
    auto l = order();
    return std::find(l.begin(), l.end(), h) - l.begin();
  };
  EXPECT_LT(index(topmost), index(b));  // b was created later but stays below the top-most band
  SetWindowPos(a, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  EXPECT_LT(index(owned), index(a));  // the owned pop-up came up with its owner
  EXPECT_LT(index(a), index(b));
  EXPECT_LT(index(topmost), index(owned));
  SetWindowPos(b, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  EXPECT_TRUE(GetWindowLong(b, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_EQ(index(b), 0);
  SetWindowPos(b, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  EXPECT_FALSE(GetWindowLong(b, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_LT(index(topmost), index(b));
  SetWindowPos(a, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  EXPECT_LT(index(owned), index(a));
}

TEST_F(WindowLifeTest, SetWindowPosReportsChangesAndTheProcedureMayAlterThem) {
  HWND w = Top(0, 0, 200, 100, WS_POPUP | WS_VISIBLE);
  Overrides()[w] = [](HWND, UINT m, WPARAM, LPARAM lp) -> std::optional<LRESULT> {
    if (m == WM_WINDOWPOSCHANGING) reinterpret_cast<WINDOWPOS*>(lp)->cx = 150;  // keeps its own width rule
    return std::nullopt;
  };
  ClearLog();
  SetWindowPos(w, nullptr, 30, 40, 400, 300, SWP_NOZORDER | SWP_NOACTIVATE);
  RECT r;
  GetWindowRect(w, &r);
  EXPECT_EQ(r, (RECT{30, 40, 180, 340}));
  auto size = Logged(w, WM_SIZE);
  ASSERT_EQ(size.size(), 1u);
  EXPECT_EQ(LOWORD(size[0].lParam), 150);
  EXPECT_EQ(HIWORD(size[0].lParam), 300);
  EXPECT_EQ(Logged(w, WM_MOVE).size(), 1u);
  ClearLog();
  SetWindowPos(w, nullptr, 60, 40, 0, 0, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSIZE);
  EXPECT_TRUE(Logged(w, WM_SIZE).empty());
  EXPECT_EQ(Logged(w, WM_MOVE).size(), 1u);
}

TEST_F(WindowLifeTest, SubclassingThroughTheWindowProcedureChainsToTheOldOne) {
  HWND w = Top(0, 0, 100, 100, WS_POPUP);
  static WNDPROC old = nullptr;
  static int seen;
  seen = 0;
  old = reinterpret_cast<WNDPROC>(SetWindowLongPtr(
      w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(+[](HWND h, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
        if (m == WM_USER) return ++seen * 100;
        return CallWindowProc(old, h, m, wp, lp);
      })));
  EXPECT_EQ(old, &LoggingProc);
  EXPECT_EQ(SendMessage(w, WM_USER, 0, 0), 100);
  ClearLog();
  SendMessage(w, WM_USER + 1, 0, 0);
  EXPECT_EQ(Logged(w, WM_USER + 1).size(), 1u);  // passed on to the original procedure
  SetWindowLongPtr(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old));
  EXPECT_EQ(SendMessage(w, WM_USER, 0, 0), 0);
}

TEST_F(WindowLifeTest, PropertiesTextUserDataAndClassName) {
  HWND w = Top(0, 0, 100, 100, WS_POPUP);
  int object = 5;
  SetWindowLongPtr(w, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&object));
  EXPECT_EQ(reinterpret_cast<int*>(GetWindowLongPtr(w, GWLP_USERDATA)), &object);
  EXPECT_TRUE(SetProp(w, u"Control", &object));
  EXPECT_EQ(GetProp(w, u"control"), &object);  // names compare without case
  EXPECT_EQ(RemoveProp(w, u"Control"), &object);
  EXPECT_EQ(GetProp(w, u"Control"), nullptr);
  SetWindowText(w, u"Карточка");
  EXPECT_EQ(GetWindowTextString(w), u"Карточка");
  WCHAR small[4];
  EXPECT_EQ(GetWindowText(w, small, 4), 3);
  EXPECT_EQ(String(small), u"Кар");
  EXPECT_EQ(GetClassNameString(w), u"TestWnd");
  EXPECT_EQ(RegisterWindowMessage(u"TrenvikPing"), RegisterWindowMessage(u"trenvikping"));
  EXPECT_GE(RegisterWindowMessage(u"TrenvikPing"), 0xC000u);
}

TEST_F(WindowLifeTest, MinimizeMaximizeAndRestoreKeepTheNormalPlacement) {
  HWND w = Top(10, 20, 300, 200);
  ClearLog();
  ShowWindow(w, SW_MAXIMIZE);
  EXPECT_TRUE(IsZoomed(w));
  auto size = Logged(w, WM_SIZE);
  ASSERT_FALSE(size.empty());
  EXPECT_EQ(size.back().wParam, SIZE_MAXIMIZED);
  RECT work, r;
  SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
  GetClientRect(w, &r);
  EXPECT_EQ(r.right, work.right - work.left);
  ShowWindow(w, SW_RESTORE);
  EXPECT_FALSE(IsZoomed(w));
  GetWindowRect(w, &r);
  EXPECT_EQ(r, (RECT{10, 20, 310, 220}));
  ShowWindow(w, SW_MINIMIZE);
  EXPECT_TRUE(IsIconic(w));
  WINDOWPLACEMENT wp;
  GetWindowPlacement(w, &wp);
  EXPECT_EQ(wp.showCmd, static_cast<UINT>(SW_SHOWMINIMIZED));
  EXPECT_EQ(wp.rcNormalPosition, (RECT{10, 20, 310, 220}));
}

TEST_F(WindowLifeTest, AMaximizedWindowFollowsTheScreenAndTheWorkArea) {
  const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  HWND w = Top(10, 20, 300, 200);
  ShowWindow(w, SW_MAXIMIZE);
  auto placed = [](HWND h) {
    RECT r;
    GetWindowRect(h, &r);
    return r;
  };
  // Where a window maximised now goes.
  auto maximizedNow = [&] {
    HWND fresh = Top(0, 0, 50, 50);
    ShowWindow(fresh, SW_MAXIMIZE);
    RECT r = placed(fresh);
    DestroyWindow(fresh);
    return r;
  };
  SetScreenSize(700, 500);  // the desktop window was resized
  EXPECT_EQ(placed(w), maximizedNow());
  EXPECT_LT(placed(w).bottom, height);
  SetWorkArea(RECT{0, 0, 700, 460});  // a panel took the bottom
  EXPECT_EQ(placed(w), maximizedNow());
  SetWorkArea(RECT{0, 0, 700, 500});
  SetScreenSize(width, height);
  EXPECT_EQ(placed(w), maximizedNow());
  ShowWindow(w, SW_RESTORE);
  EXPECT_EQ(placed(w), (RECT{10, 20, 310, 220}));
}

namespace {

struct TCreatedMaximized {
  const char* name;
  DWORD style;
  int showCmd;  // -1: created visible, not shown again
};

}  // namespace

class CreatedMaximizedTest : public WinTest, public ::testing::WithParamInterface<TCreatedMaximized> {};

TEST_P(CreatedMaximizedTest, TakesTheWorkAreaAndRestoresToItsDesignRect) {
  const TCreatedMaximized& c = GetParam();
  HWND w = Top(10, 20, 300, 200, WS_OVERLAPPEDWINDOW | WS_MAXIMIZE | c.style);
  if (c.showCmd >= 0) ShowWindow(w, c.showCmd);
  EXPECT_TRUE(IsWindowVisible(w));
  EXPECT_TRUE(IsZoomed(w));
  RECT work, client, r;
  SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
  GetClientRect(w, &client);
  ClientToScreen(w, reinterpret_cast<POINT*>(&client.left));
  ClientToScreen(w, reinterpret_cast<POINT*>(&client.right));
  RECT captionless = work;
  captionless.top = client.top;  // the caption takes the top of the work area
  EXPECT_EQ(client, captionless);
  EXPECT_GT(client.top, work.top);
  EXPECT_LT(client.top, work.top + 40);

  std::vector<UINT> placing;
  for (const TLogged& l : MessageLog())
    if (l.hwnd == w && (l.msg == WM_GETMINMAXINFO || l.msg == WM_WINDOWPOSCHANGING ||
                        l.msg == WM_WINDOWPOSCHANGED || l.msg == WM_CREATE))
      placing.push_back(l.msg);
  auto created = std::find(placing.begin(), placing.end(), WM_CREATE);
  ASSERT_NE(created, placing.end());
  // After creation: the limits are asked for, then the window is placed.
  std::vector<UINT> after(created + 1, placing.end());
  ASSERT_GE(after.size(), 3u);
  EXPECT_EQ(after[0], WM_GETMINMAXINFO);
  EXPECT_EQ(after[1], WM_WINDOWPOSCHANGING);
  EXPECT_EQ(after[2], WM_WINDOWPOSCHANGED);
  auto sizes = Logged(w, WM_SIZE);
  ASSERT_FALSE(sizes.empty());
  EXPECT_EQ(sizes.back().wParam, SIZE_MAXIMIZED);
  EXPECT_EQ(LOWORD(sizes.back().lParam), work.right - work.left);

  ShowWindow(w, SW_RESTORE);
  EXPECT_FALSE(IsZoomed(w));
  GetWindowRect(w, &r);
  EXPECT_EQ(r, (RECT{10, 20, 310, 220}));
}

INSTANTIATE_TEST_SUITE_P(WindowLife, CreatedMaximizedTest,
                         ::testing::Values(TCreatedMaximized{"HiddenShownMaximized", 0, SW_SHOWMAXIMIZED},
                                           TCreatedMaximized{"HiddenShown", 0, SW_SHOW},
                                           TCreatedMaximized{"CreatedVisible", WS_VISIBLE, -1}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(WindowLifeTest, MaximizingHonoursMinMaxInfoAndAStyleSetByHand) {
  HWND w = Top(10, 20, 300, 200, WS_OVERLAPPEDWINDOW);
  Overrides()[w] = [](HWND, UINT m, WPARAM, LPARAM lp) -> std::optional<LRESULT> {
    if (m != WM_GETMINMAXINFO) return std::nullopt;
    auto* mmi = reinterpret_cast<MINMAXINFO*>(lp);
    mmi->ptMaxPosition = {5, 6};
    mmi->ptMaxSize = {400, 250};
    return 0;
  };
  SetWindowLong(w, GWL_STYLE, GetWindowLong(w, GWL_STYLE) | WS_MAXIMIZE);
  ShowWindow(w, SW_SHOWMAXIMIZED);
  RECT r;
  GetWindowRect(w, &r);
  EXPECT_EQ(r, (RECT{5, 6, 405, 256}));
  auto sizes = Logged(w, WM_SIZE);
  ASSERT_FALSE(sizes.empty());
  EXPECT_EQ(sizes.back().wParam, SIZE_MAXIMIZED);
}

TEST_F(WindowLifeTest, CreatedMinimizedIsIconicUntilRestored) {
  HWND w = Top(10, 20, 300, 200, WS_OVERLAPPEDWINDOW | WS_MINIMIZE);
  ShowWindow(w, SW_SHOWMINIMIZED);
  EXPECT_TRUE(IsIconic(w));
  RECT r;
  GetWindowRect(w, &r);
  EXPECT_EQ(r.left, -32000);
  ShowWindow(w, SW_RESTORE);
  GetWindowRect(w, &r);
  EXPECT_EQ(r, (RECT{10, 20, 310, 220}));
}

TEST_F(WindowLifeTest, OwnedPopupsHideWithTheirMinimizedOwnerAndComeBack) {
  HWND owner = Top(10, 20, 300, 200);
  HWND shown = Top(50, 50, 80, 80, WS_POPUP | WS_VISIBLE, WS_EX_TOOLWINDOW, owner);
  HWND hidden = Top(60, 60, 80, 80, WS_POPUP, 0, owner);
  ClearLog();
  ShowWindow(owner, SW_MINIMIZE);
  auto closing = Logged(shown, WM_SHOWWINDOW);
  ASSERT_EQ(closing.size(), 1u);
  EXPECT_EQ(closing[0].lParam, SW_PARENTCLOSING);
  EXPECT_FALSE(IsWindowVisible(shown));
  EXPECT_TRUE(Logged(hidden, WM_SHOWWINDOW).empty());
  ShowWindow(owner, SW_RESTORE);
  EXPECT_TRUE(IsWindowVisible(shown));
  EXPECT_FALSE(IsWindowVisible(hidden));  // it was hidden before: it stays hidden
}

TEST_F(WindowLifeTest, PlacedDuringCreateTheWindowHearsItsSizeOnce) {
  WNDCLASSEX wc;
  wc.lpszClassName = u"PlacesItself";
  wc.lpfnWndProc = [](HWND h, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
    MessageLog().push_back({h, m, wp, lp});
    if (m == WM_CREATE) SetWindowPos(h, nullptr, 5, 5, 120, 60, SWP_NOZORDER | SWP_NOACTIVATE);
    return DefWindowProc(h, m, wp, lp);
  };
  RegisterClassEx(&wc);
  ClearLog();
  HWND h =
      CreateWindowEx(0, u"PlacesItself", u"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  auto sizes = Logged(h, WM_SIZE);
  ASSERT_EQ(sizes.size(), 1u);
  EXPECT_EQ(LOWORD(sizes[0].lParam), 120);
  DestroyWindow(h);
  UnregisterClass(u"PlacesItself", nullptr);
}
