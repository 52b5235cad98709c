// Window scroll bars: state rules, geometry, and the mouse sending every SB_ code.
#include "platform/win/tests/WinTestSupport.h"

class ScrollBarsTest : public WinTest {
 protected:
  void SetUp() override {
    WinTest::SetUp();
    w = Top(0, 0, 200, 200, WS_POPUP | WS_VSCROLL | WS_VISIBLE);
    SCROLLINFO si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    si.nMin = 0;
    si.nMax = 99;
    si.nPage = 10;
    si.nPos = 0;
    SetScrollInfo(w, SB_VERT, &si, TRUE);
    Pump();
  }
  std::vector<std::pair<WORD, int>> Codes() {
    std::vector<std::pair<WORD, int>> out;
    for (const TLogged& l : Logged(w, WM_VSCROLL))
      out.push_back({LOWORD(l.wParam), static_cast<SHORT>(HIWORD(l.wParam))});
    return out;
  }
  HWND w;
};

TEST_F(ScrollBarsTest, PositionStaysInsideTheRangeLessThePage) {
  struct TCase {
    int pos;
    int expected;
  };
  for (TCase t : {TCase{-5, 0}, TCase{50, 50}, TCase{95, 90}, TCase{1000, 90}}) {
    SetScrollPos(w, SB_VERT, t.pos, FALSE);
    EXPECT_EQ(GetScrollPos(w, SB_VERT), t.expected) << t.pos;
  }
  SCROLLINFO si;
  si.fMask = SIF_ALL;
  GetScrollInfo(w, SB_VERT, &si);
  EXPECT_EQ(si.nMax, 99);
  EXPECT_EQ(si.nPage, 10u);
  EXPECT_EQ(si.nTrackPos, 90);
}

TEST_F(ScrollBarsTest, NothingToScrollHidesTheBarUnlessAskedToDisableIt) {
  SCROLLINFO si;
  si.fMask = SIF_RANGE | SIF_PAGE;
  si.nMin = 0;
  si.nMax = 9;
  si.nPage = 10;
  SetScrollInfo(w, SB_VERT, &si, TRUE);
  EXPECT_FALSE(GetWindowLong(w, GWL_STYLE) & WS_VSCROLL);
  RECT cr;
  GetClientRect(w, &cr);
  EXPECT_EQ(cr.right, 200);  // the frame gave the bar's width back
  si.fMask |= SIF_DISABLENOSCROLL;
  SetScrollInfo(w, SB_VERT, &si, TRUE);
  EXPECT_TRUE(GetWindowLong(w, GWL_STYLE) & WS_VSCROLL);
  SCROLLBARINFO sbi;
  GetScrollBarInfo(w, OBJID_VSCROLL, &sbi);
  EXPECT_TRUE(sbi.rgstate[0] & STATE_SYSTEM_UNAVAILABLE);
  si.fMask = SIF_RANGE;
  si.nMax = 99;
  SetScrollInfo(w, SB_VERT, &si, TRUE);
  GetScrollBarInfo(w, OBJID_VSCROLL, &sbi);
  EXPECT_FALSE(sbi.rgstate[0] & STATE_SYSTEM_UNAVAILABLE);
  ShowScrollBar(w, SB_VERT, FALSE);
  GetScrollBarInfo(w, OBJID_VSCROLL, &sbi);
  EXPECT_TRUE(sbi.rgstate[0] & STATE_SYSTEM_INVISIBLE);
}

TEST_F(ScrollBarsTest, BarGeometryFromTheRangePageAndPosition) {
  SCROLLBARINFO sbi;
  ASSERT_TRUE(GetScrollBarInfo(w, OBJID_VSCROLL, &sbi));
  EXPECT_EQ(sbi.rcScrollBar, (RECT{184, 0, 200, 200}));
  EXPECT_EQ(sbi.dxyLineButton, 16);
  EXPECT_EQ(sbi.xyThumbTop, 16);
  EXPECT_EQ(sbi.xyThumbBottom, 32);
  SetScrollPos(w, SB_VERT, 90, FALSE);
  GetScrollBarInfo(w, OBJID_VSCROLL, &sbi);
  EXPECT_EQ(sbi.xyThumbBottom, 184);
  EXPECT_EQ(SendMessage(w, WM_NCHITTEST, 0, PointToLParam(190, 100)), HTVSCROLL);
}

TEST_F(ScrollBarsTest, ArrowsAndPageAreasSendTheirCodesThenEndScroll) {
  struct TCase {
    int y;
    WORD code;
  };
  for (TCase t : {TCase{8, SB_LINEUP}, TCase{192, SB_LINEDOWN}, TCase{100, SB_PAGEDOWN}}) {
    clock_->Advance(1000);
    ClearLog();
    SimulateClick(TSimButton::Left, POINT{192, t.y});
    Pump();
    EXPECT_EQ(Codes(), (std::vector<std::pair<WORD, int>>{{t.code, 0}, {SB_ENDSCROLL, 0}})) << t.y;
    EXPECT_EQ(GetCapture(), nullptr);
  }
}

TEST_F(ScrollBarsTest, HeldArrowRepeatsOnTheClock) {
  static VirtualClock* clock;
  clock = &*clock_;
  HHOOK hook = SetWindowsHookEx(
      WH_MSGFILTER,
      [](int code, WPARAM wp, LPARAM lp) -> LRESULT {
        auto* m = reinterpret_cast<MSG*>(lp);
        if (code == MSGF_SCROLLBAR && m->message == WM_MOUSEMOVE) clock->Advance(250);  // held past the delay
        if (code == MSGF_SCROLLBAR && m->message == WM_TIMER)
          SimulateMouseUp(TSimButton::Left, POINT{192, 192});
        return CallNextHookEx(nullptr, code, wp, lp);
      },
      nullptr, GetCurrentThreadId());
  ClearLog();
  SimulateMouseDown(TSimButton::Left, POINT{192, 192});
  clock_->Advance(1);
  SimulateMouseMove(POINT{192, 193});
  Pump();
  UnhookWindowsHookEx(hook);
  EXPECT_EQ(Codes(),
            (std::vector<std::pair<WORD, int>>{{SB_LINEDOWN, 0}, {SB_LINEDOWN, 0}, {SB_ENDSCROLL, 0}}));
}

TEST_F(ScrollBarsTest, ThumbTrackingReportsTrackPositionsAndTheFinalOne) {
  static int trackPosSeen = -1;
  Overrides()[w] = [](HWND h, UINT m, WPARAM wp, LPARAM) -> std::optional<LRESULT> {
    if (m == WM_VSCROLL && LOWORD(wp) == SB_THUMBTRACK) {
      SCROLLINFO si;
      si.fMask = SIF_TRACKPOS;
      GetScrollInfo(h, SB_VERT, &si);
      trackPosSeen = si.nTrackPos;
    }
    if (m == WM_VSCROLL && LOWORD(wp) == SB_THUMBPOSITION) SetScrollPos(h, SB_VERT, HIWORD(wp), TRUE);
    return std::nullopt;
  };
  ClearLog();
  SimulateMouseDown(TSimButton::Left, POINT{192, 20});
  clock_->Advance(1);
  SimulateMouseUp(TSimButton::Left, POINT{192, 96});
  Pump();
  EXPECT_EQ(Codes(), (std::vector<std::pair<WORD, int>>{
                         {SB_THUMBTRACK, 45}, {SB_THUMBPOSITION, 45}, {SB_ENDSCROLL, 0}}));
  EXPECT_EQ(trackPosSeen, 45);
  EXPECT_EQ(GetScrollPos(w, SB_VERT), 45);
}

TEST_F(ScrollBarsTest, DisabledArrowsSendNothing) {
  EnableScrollBar(w, SB_VERT, ESB_DISABLE_DOWN);
  ClearLog();
  SimulateClick(TSimButton::Left, POINT{192, 192});
  Pump();
  EXPECT_TRUE(Codes().empty());
  SCROLLBARINFO sbi;
  GetScrollBarInfo(w, OBJID_VSCROLL, &sbi);
  EXPECT_TRUE(sbi.rgstate[5] & STATE_SYSTEM_UNAVAILABLE);
}

TEST_F(ScrollBarsTest, FlatScrollBarsKeepAStylePerBar) {
  EXPECT_FALSE(FlatSB_SetScrollProp(w, WSB_PROP_VSTYLE, FSB_FLAT_MODE, TRUE));  // not initialised yet
  ASSERT_TRUE(InitializeFlatSB(w));
  for (int style : {FSB_REGULAR_MODE, FSB_ENCARTA_MODE, FSB_FLAT_MODE}) {
    EXPECT_TRUE(FlatSB_SetScrollProp(w, WSB_PROP_VSTYLE, style, TRUE));
    int got = -1;
    FlatSB_GetScrollProp(w, WSB_PROP_VSTYLE, &got);
    EXPECT_EQ(got, style);
  }
  SCROLLINFO si;
  si.fMask = SIF_POS;
  si.nPos = 30;
  FlatSB_SetScrollInfo(w, SB_VERT, &si, TRUE);
  EXPECT_EQ(FlatSB_GetScrollPos(w, SB_VERT), 30);
}
