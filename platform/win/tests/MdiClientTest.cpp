// The MDI client window: which child is active, the maximised state handed from child to child,
// the maximised child over the whole client area, its system menu, and its icons.
#include "platform/gdi/Gdi.h"
#include "platform/win/tests/WinTestSupport.h"

namespace {

COLORREF MdiScreenPixel(int x, int y) {
  HDC dc = GetDC(nullptr);
  COLORREF c = GetPixel(dc, x, y);
  ReleaseDC(nullptr, dc);
  return c;
}

std::optional<LRESULT> PaintRed(HWND h, UINT m, WPARAM, LPARAM) {
  if (m != WM_PAINT) return std::nullopt;
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(h, &ps);
  RECT r;
  GetClientRect(h, &r);
  HBRUSH brush = CreateSolidBrush(RGB(255, 0, 0));
  FillRect(dc, &r, brush);
  DeleteObject(brush);
  EndPaint(h, &ps);
  return 0;
}

}  // namespace

class MdiClientTest : public WinTest {
 protected:
  void SetUp() override {
    WinTest::SetUp();
    frame_ = Top(0, 0, 600, 400);
    client_ = CreateWindowEx(0, u"MDICLIENT", u"", WS_CHILD | WS_CLIPCHILDREN | WS_VISIBLE, 0, 0, 500, 300,
                             frame_, nullptr, nullptr, nullptr);
    Pump();
  }
  HWND MdiChild(int x, int y, DWORD style = WS_OVERLAPPEDWINDOW | WS_VISIBLE) {
    HWND h = CreateWindowEx(WS_EX_MDICHILD, u"TestWnd", u"Child", WS_CHILD | style, x, y, 200, 150, client_,
                            nullptr, nullptr, nullptr);
    created_.push_back(h);
    return h;
  }
  HWND Active(BOOL* maximized = nullptr) {
    return reinterpret_cast<HWND>(SendMessage(client_, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(maximized)));
  }
  // The (deactivated, activated) pairs each window heard in WM_MDIACTIVATE.
  std::vector<std::pair<HWND, HWND>> Activations(HWND h) {
    std::vector<std::pair<HWND, HWND>> out;
    for (const TLogged& m : MessageLog())
      if (m.hwnd == h && m.msg == WM_MDIACTIVATE)
        out.emplace_back(reinterpret_cast<HWND>(m.wParam), reinterpret_cast<HWND>(m.lParam));
    return out;
  }
  RECT ScreenClient(HWND h) {
    RECT r;
    GetClientRect(h, &r);
    MapWindowPoints(h, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
  }
  HWND frame_ = nullptr;
  HWND client_ = nullptr;
};

TEST_F(MdiClientTest, ShowingAChildActivatesItAndBothChildrenHearTheChange) {
  HWND a = MdiChild(10, 10);
  EXPECT_EQ(Active(), a);
  ClearLog();
  HWND b = MdiChild(40, 40);
  EXPECT_EQ(Active(), b);
  using P = std::pair<HWND, HWND>;
  EXPECT_EQ(Activations(a), (std::vector<P>{{a, b}}));
  EXPECT_EQ(Activations(b), (std::vector<P>{{a, b}}));
  ClearLog();
  SendMessage(client_, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(a), 0);
  EXPECT_EQ(Active(), a);
  EXPECT_EQ(GetWindow(client_, GW_CHILD), a) << "the active child comes to the top";
  EXPECT_EQ(Activations(b), (std::vector<P>{{b, a}}));
  ClearLog();
  SendMessage(client_, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(a), 0);
  EXPECT_TRUE(Activations(a).empty()) << "activating the active child changes nothing";
  // A hidden child is created without being activated.
  HWND hidden = MdiChild(70, 70, WS_OVERLAPPEDWINDOW);
  EXPECT_EQ(Active(), a);
  SendMessage(client_, WM_MDINEXT, 0, 0);
  EXPECT_EQ(Active(), b) << "the next child skips the hidden one";
  EXPECT_NE(hidden, Active());
}

TEST_F(MdiClientTest, AMaximisedChildCoversTheClientAndHandsItsStateToTheNextActiveChild) {
  HWND a = MdiChild(10, 10);
  HWND b = MdiChild(40, 40);
  SendMessage(client_, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(a), 0);
  ClearLog();
  SendMessage(a, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
  EXPECT_TRUE(IsZoomed(a));
  EXPECT_EQ(Logged(a, WM_CHILDACTIVATE).size(), 1u) << "the placement tells the child";
  BOOL maximized = FALSE;
  EXPECT_EQ(Active(&maximized), a);
  EXPECT_TRUE(maximized);
  EXPECT_EQ(ScreenClient(a), ScreenClient(client_)) << "the frame lies outside the client area";

  SendMessage(client_, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(b), 0);
  EXPECT_TRUE(IsZoomed(b));
  EXPECT_FALSE(IsZoomed(a));
  RECT ra;
  GetWindowRect(a, &ra);
  RECT clientScreen = ScreenClient(client_);
  EXPECT_EQ(ra.left - clientScreen.left, 10) << "the restored child is back where it was";
  EXPECT_EQ(Active(), b);

  // The maximised child follows the client's size; restored, it returns to its place.
  SetWindowPos(client_, nullptr, 0, 0, 400, 250, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(ScreenClient(b), ScreenClient(client_));
  SendMessage(client_, WM_MDIRESTORE, reinterpret_cast<WPARAM>(b), 0);
  EXPECT_FALSE(IsZoomed(b));
  RECT rb;
  GetWindowRect(b, &rb);
  EXPECT_EQ((RECT{rb.left - clientScreen.left, rb.top - clientScreen.top, rb.right - rb.left, rb.bottom - rb.top}),
            (RECT{40, 40, 200, 150}));
}

TEST_F(MdiClientTest, TheActiveChildGoingHandsOverToTheNextOrLeavesNoneActive) {
  HWND a = MdiChild(10, 10);
  HWND b = MdiChild(40, 40);
  SendMessage(client_, WM_MDIDESTROY, reinterpret_cast<WPARAM>(b), 0);
  EXPECT_FALSE(IsWindow(b));
  EXPECT_EQ(Active(), a);
  DestroyWindow(a);
  EXPECT_EQ(Active(), nullptr);
  // A window that is not an MDI child of this client is neither activated nor destroyed.
  HWND plain = Child(client_, 0, 0, 20, 20);
  SendMessage(client_, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(plain), 0);
  SendMessage(client_, WM_MDIDESTROY, reinterpret_cast<WPARAM>(plain), 0);
  EXPECT_EQ(Active(), nullptr);
  EXPECT_TRUE(IsWindow(plain));
}

TEST_F(MdiClientTest, ChildrenPaintOnlyInsideTheClient) {
  HWND a = MdiChild(400, 200);  // reaches 100 and 50 pixels past the client's edges
  Overrides()[a] = &PaintRed;
  InvalidateRect(a, nullptr, TRUE);
  UpdateWindow(a);
  const RECT c = ScreenClient(a), area = ScreenClient(client_);
  ASSERT_GT(c.right, area.right + 2);
  ASSERT_GT(c.bottom, area.bottom + 2);
  EXPECT_EQ(MdiScreenPixel(c.left + 2, c.top + 2), RGB(255, 0, 0));
  EXPECT_NE(MdiScreenPixel(area.right + 2, c.top + 2), RGB(255, 0, 0)) << "right of the client";
  EXPECT_NE(MdiScreenPixel(c.left + 2, area.bottom + 2), RGB(255, 0, 0)) << "below the client";
}

TEST_F(MdiClientTest, AChildsSystemMenuCarriesThePredefinedBitmapsAndItsShortCuts) {
  HWND a = MdiChild(10, 10);
  SendMessage(a, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
  HMENU menu = GetSystemMenu(a, FALSE);
  ASSERT_NE(menu, nullptr);
  struct Case {
    UINT command;
    HBITMAP bitmap;
    bool greyed;
  };
  for (const Case& c : {Case{SC_RESTORE, HBMMENU_POPUP_RESTORE(), false},
                        Case{SC_MINIMIZE, HBMMENU_POPUP_MINIMIZE(), false},
                        Case{SC_MAXIMIZE, HBMMENU_POPUP_MAXIMIZE(), true},
                        Case{SC_CLOSE, HBMMENU_POPUP_CLOSE(), false}, Case{SC_MOVE, nullptr, true}}) {
    MENUITEMINFO info;
    info.fMask = MIIM_BITMAP | MIIM_STATE;
    ASSERT_TRUE(GetMenuItemInfo(menu, c.command, FALSE, &info)) << c.command;
    EXPECT_EQ(info.hbmpItem, c.bitmap) << c.command;
    EXPECT_EQ((info.fState & MFS_GRAYED) != 0, c.greyed) << c.command;
  }
  WCHAR text[64];
  GetMenuString(menu, SC_CLOSE, text, 64, MF_BYCOMMAND);
  EXPECT_EQ(String(text), u"&Close\tCtrl+F4");
  EXPECT_EQ(GetMenuDefaultItem(menu, FALSE, 0), SC_CLOSE);
  // Its Next command moves to the next child.
  HWND b = MdiChild(40, 40);
  SendMessage(b, WM_SYSCOMMAND, SC_NEXTWINDOW, 0);
  EXPECT_EQ(Active(), a);
}

TEST_F(MdiClientTest, AWindowsOwnIconsComeBeforeItsClasss) {
  HWND a = MdiChild(10, 10);
  HICON small = reinterpret_cast<HICON>(0x1234), big = reinterpret_cast<HICON>(0x5678);
  EXPECT_EQ(SendMessage(a, WM_GETICON, ICON_SMALL, 0), 0) << "the test class has no icon";
  SendMessage(a, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
  EXPECT_EQ(reinterpret_cast<HICON>(SendMessage(a, WM_GETICON, ICON_SMALL, 0)), big) << "the big one stands in";
  SendMessage(a, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
  EXPECT_EQ(reinterpret_cast<HICON>(SendMessage(a, WM_GETICON, ICON_SMALL, 0)), small);
  EXPECT_EQ(reinterpret_cast<HICON>(SendMessage(a, WM_GETICON, ICON_BIG, 0)), big);
}
