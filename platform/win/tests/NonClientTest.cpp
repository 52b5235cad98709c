// The default non-client layer: frame sizes, hit codes, the sizing and moving loop, caption
// buttons, system commands and the system menu.
#include "platform/win/tests/WinTestSupport.h"

class NonClientTest : public WinTest {};

TEST_F(NonClientTest, ClientAreaInsideTheClassicFrames) {
  struct TCase {
    DWORD style, ex;
    RECT insets;  // left, top, right, bottom
  };
  for (TCase t :
       {TCase{WS_POPUP, 0, {0, 0, 0, 0}}, TCase{WS_POPUP | WS_BORDER, 0, {1, 1, 1, 1}},
        TCase{WS_OVERLAPPEDWINDOW, 0, {4, 23, 4, 4}}, TCase{WS_POPUP | WS_CAPTION, 0, {3, 22, 3, 3}},
        TCase{WS_POPUP | WS_CAPTION, WS_EX_TOOLWINDOW, {3, 19, 3, 3}},
        TCase{WS_POPUP, WS_EX_CLIENTEDGE, {2, 2, 2, 2}},
        TCase{WS_POPUP | WS_VSCROLL | WS_HSCROLL, 0, {0, 0, 16, 16}}}) {
    HWND w = Top(100, 100, 300, 200, t.style, t.ex);
    RECT wr, cr;
    GetWindowRect(w, &wr);
    GetClientRect(w, &cr);
    POINT o{0, 0};
    ClientToScreen(w, &o);
    RECT insets{o.x - wr.left, o.y - wr.top, wr.right - (o.x + cr.right), wr.bottom - (o.y + cr.bottom)};
    EXPECT_EQ(insets, t.insets) << "style " << std::hex << t.style << " ex " << t.ex;
    RECT adjusted = {0, 0, 100, 100};
    AdjustWindowRectEx(&adjusted, t.style & ~(WS_VSCROLL | WS_HSCROLL), FALSE, t.ex);
    if (!(t.style & (WS_VSCROLL | WS_HSCROLL))) {
      EXPECT_EQ(adjusted, (RECT{-t.insets.left, -t.insets.top, 100 + t.insets.right, 100 + t.insets.bottom}));
    }
    DestroyWindow(w);
  }
}

TEST_F(NonClientTest, HitCodesAcrossAFramedWindow) {
  HWND w = Top(100, 100, 300, 200, WS_OVERLAPPEDWINDOW | WS_VSCROLL | WS_HSCROLL | WS_VISIBLE);
  // Window 100..400 x 100..300; frame 4, caption 19 (buttons 16 px wide from the right).
  struct TCase {
    POINT pt;
    int hit;
  };
  for (TCase t :
       {TCase{{50, 50}, HTNOWHERE}, TCase{{200, 200}, HTCLIENT}, TCase{{101, 200}, HTLEFT},
        TCase{{398, 200}, HTRIGHT}, TCase{{200, 101}, HTTOP}, TCase{{200, 298}, HTBOTTOM},
        TCase{{101, 101}, HTTOPLEFT}, TCase{{398, 101}, HTTOPRIGHT}, TCase{{101, 298}, HTBOTTOMLEFT},
        TCase{{398, 298}, HTBOTTOMRIGHT}, TCase{{200, 110}, HTCAPTION}, TCase{{110, 112}, HTSYSMENU},
        TCase{{388, 112}, HTCLOSE}, TCase{{370, 112}, HTMAXBUTTON}, TCase{{354, 112}, HTMINBUTTON},
        TCase{{387, 200}, HTVSCROLL}, TCase{{200, 287}, HTHSCROLL}, TCase{{387, 287}, HTBOTTOMRIGHT}}) {
    EXPECT_EQ(SendMessage(w, WM_NCHITTEST, 0, PointToLParam(t.pt.x, t.pt.y)), t.hit)
        << "at " << t.pt.x << "," << t.pt.y;
  }
  // A fixed dialog frame has borders but no sizing edges.
  HWND d = Top(500, 100, 200, 100, WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE);
  EXPECT_EQ(SendMessage(d, WM_NCHITTEST, 0, PointToLParam(501, 150)), HTBORDER);
}

TEST_F(NonClientTest, SizingLoopFollowsTheMouseWithinTheTrackLimits) {
  HWND w = Top(100, 100, 300, 200);
  Overrides()[w] = [](HWND, UINT m, WPARAM, LPARAM lp) -> std::optional<LRESULT> {
    if (m == WM_GETMINMAXINFO) {
      auto* mmi = reinterpret_cast<MINMAXINFO*>(lp);
      mmi->ptMinTrackSize = {250, 150};
    }
    if (m == WM_SIZING) {
      auto* r = reinterpret_cast<RECT*>(lp);
      r->right -= (r->right - r->left) % 10;  // snaps the width to tens
    }
    return std::nullopt;
  };
  Pump();
  ClearLog();
  // Drag the right edge: +57 px, then far left (the minimum holds), then release at +35.
  SimulateMouseDown(TSimButton::Left, POINT{398, 200});
  clock_->Advance(1);
  SimulateMouseMove(POINT{455, 200});
  clock_->Advance(1);
  SimulateMouseMove(POINT{150, 200});
  clock_->Advance(1);
  SimulateMouseUp(TSimButton::Left, POINT{433, 200});
  Pump();
  std::vector<std::string> frame;
  for (const TLogged& l : MessageLog())
    if (l.msg == WM_ENTERSIZEMOVE || l.msg == WM_EXITSIZEMOVE || l.msg == WM_CAPTURECHANGED)
      frame.push_back(MessageName(l.msg));
  EXPECT_EQ(frame, (std::vector<std::string>{"ENTERSIZEMOVE", "CAPTURECHANGED", "EXITSIZEMOVE"}));
  auto sizing = Logged(w, WM_SIZING);
  ASSERT_EQ(sizing.size(), 3u);
  EXPECT_EQ(sizing[0].wParam, WMSZ_RIGHT);
  RECT r;
  GetWindowRect(w, &r);
  EXPECT_EQ(r, (RECT{100, 100, 430, 300}));
  std::vector<int> widths;
  for (const TLogged& l : Logged(w, WM_SIZE)) widths.push_back(LOWORD(l.lParam) + 8);
  EXPECT_EQ(widths, (std::vector<int>{350, 250, 330}));
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(NonClientTest, CaptionDragMovesAndEscapePutsTheWindowBack) {
  HWND w = Top(100, 100, 300, 200);
  Pump();
  SimulateMouseDown(TSimButton::Left, POINT{200, 110});
  SimulateMouseMove(POINT{260, 150});
  SimulateMouseUp(TSimButton::Left, POINT{260, 150});
  Pump();
  RECT r;
  GetWindowRect(w, &r);
  EXPECT_EQ(r, (RECT{160, 140, 460, 340}));
  EXPECT_FALSE(Logged(w, WM_MOVING).empty());
  SimulateMouseDown(TSimButton::Left, POINT{250, 150});
  SimulateMouseMove(POINT{300, 300});
  SimulateKeyPress(VK_ESCAPE);
  SimulateMouseUp(TSimButton::Left, POINT{300, 300});
  Pump();
  GetWindowRect(w, &r);
  EXPECT_EQ(r, (RECT{160, 140, 460, 340}));
}

TEST_F(NonClientTest, CloseButtonClickedAndReleasedOverItClosesTheWindow) {
  HWND w = Top(100, 100, 300, 200);
  Pump();
  // Pressed, but released elsewhere: nothing.
  SimulateMouseDown(TSimButton::Left, POINT{388, 112});
  SimulateMouseUp(TSimButton::Left, POINT{200, 200});
  Pump();
  EXPECT_TRUE(IsWindow(w));
  clock_->Advance(1000);
  ClearLog();
  SimulateClick(TSimButton::Left, POINT{388, 112});
  Pump();
  auto sys = Logged(w, WM_SYSCOMMAND);
  ASSERT_EQ(sys.size(), 1u);
  EXPECT_EQ(sys[0].wParam & 0xFFF0, SC_CLOSE);
  EXPECT_EQ(Logged(w, WM_CLOSE).size(), 1u);
  EXPECT_FALSE(IsWindow(w));
}

TEST_F(NonClientTest, CaptionDoubleClickMaximizesAndAltF4Closes) {
  HWND w = Top(100, 100, 300, 200);
  Pump();
  SimulateClick(TSimButton::Left, POINT{200, 110});
  SimulateClick(TSimButton::Left, POINT{200, 110});
  Pump();
  EXPECT_TRUE(IsZoomed(w));
  SimulateKeyPress(VK_F4, 4);
  Pump();
  EXPECT_FALSE(IsWindow(w));
}

TEST_F(NonClientTest, SystemMenuItemsAreDataThatCanBeRemovedAndInserted) {
  HWND w = Top(100, 100, 300, 200, WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_VISIBLE);
  HMENU menu = GetSystemMenu(w, FALSE);
  ASSERT_NE(menu, nullptr);
  std::vector<UINT> ids;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) ids.push_back(GetMenuItemID(menu, i));
  EXPECT_EQ(ids, (std::vector<UINT>{SC_RESTORE, SC_MOVE, SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE, 0, SC_CLOSE}));
  // No minimise/maximise boxes: those items are grayed; restoring is grayed while restored.
  EXPECT_TRUE(GetMenuState(menu, SC_MAXIMIZE, MF_BYCOMMAND) & MF_GRAYED);
  EXPECT_TRUE(GetMenuState(menu, SC_RESTORE, MF_BYCOMMAND) & MF_GRAYED);
  EXPECT_FALSE(GetMenuState(menu, SC_CLOSE, MF_BYCOMMAND) & MF_GRAYED);
  EXPECT_EQ(GetMenuDefaultItem(menu, FALSE, 0), SC_CLOSE);
  DeleteMenu(menu, SC_MOVE, MF_BYCOMMAND);
  RemoveMenu(menu, SC_SIZE, MF_BYCOMMAND);
  InsertMenu(menu, 0, MF_BYPOSITION | MF_STRING, SC_SIZE, u"&Size");
  EXPECT_EQ(GetMenuItemID(menu, 0), SC_SIZE);
  EXPECT_EQ(GetMenuItemCount(menu), 6);
  WCHAR text[32];
  EXPECT_EQ(GetMenuString(menu, SC_SIZE, text, 32, MF_BYCOMMAND), 5);
  EXPECT_EQ(String(text), u"&Size");
  MENUITEMINFO info;
  info.fMask = MIIM_STATE | MIIM_ID | MIIM_FTYPE;
  ASSERT_TRUE(GetMenuItemInfo(menu, 4, TRUE, &info));
  EXPECT_EQ(info.fType, MFT_SEPARATOR);
  // The window's own menu survives; reverting builds the default again.
  EXPECT_EQ(GetSystemMenu(w, FALSE), menu);
  GetSystemMenu(w, TRUE);
  HMENU fresh = GetSystemMenu(w, FALSE);
  EXPECT_EQ(GetMenuItemCount(fresh), 7);
}

TEST_F(NonClientTest, CustomFramesThroughNcCalcSizeAndNcHitTest) {
  HWND w = Top(100, 100, 200, 100, WS_POPUP | WS_VISIBLE);
  Overrides()[w] = [](HWND, UINT m, WPARAM wp, LPARAM lp) -> std::optional<LRESULT> {
    if (m == WM_NCCALCSIZE && wp) {
      InflateRect(&reinterpret_cast<NCCALCSIZE_PARAMS*>(lp)->rgrc[0], -5, -5);
      return 0;
    }
    if (m == WM_NCHITTEST) {
      POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
      RECT r{105, 105, 295, 195};
      return PtInRect(&r, p) ? HTCLIENT : HTBOTTOMRIGHT;
    }
    return std::nullopt;
  };
  SetWindowPos(w, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
  RECT cr;
  GetClientRect(w, &cr);
  EXPECT_EQ(cr, (RECT{0, 0, 190, 90}));
  Pump();
  SimulateMouseDown(TSimButton::Left, POINT{298, 198});
  SimulateMouseMove(POINT{318, 208});
  SimulateMouseUp(TSimButton::Left, POINT{318, 208});
  Pump();
  RECT r;
  GetWindowRect(w, &r);
  EXPECT_EQ(r, (RECT{100, 100, 320, 210}));
}
