// Painting over the one framebuffer: invalidation, exposure when windows move over each other,
// save-bits, the screen DC, scrolling and layered windows.
#include "platform/gdi/Gdi.h"
#include "platform/gdi/Objects.h"
#include "platform/win/tests/WinTestSupport.h"

namespace {

std::map<HWND, COLORREF>& Colors() {
  static std::map<HWND, COLORREF> colors;
  return colors;
}

// Paints the whole client area in the window's colour and remembers what it was asked to paint.
std::map<HWND, std::vector<RECT>>& Painted() {
  static std::map<HWND, std::vector<RECT>> painted;
  return painted;
}

std::optional<LRESULT> PaintInColor(HWND h, UINT m, WPARAM, LPARAM) {
  if (m != WM_PAINT) return std::nullopt;
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(h, &ps);
  Painted()[h].push_back(ps.rcPaint);
  HBRUSH brush = CreateSolidBrush(Colors()[h]);
  RECT r;
  GetClientRect(h, &r);
  FillRect(dc, &r, brush);
  DeleteObject(brush);
  EndPaint(h, &ps);
  return 0;
}

COLORREF ScreenPixel(int x, int y) {
  HDC dc = GetDC(nullptr);
  COLORREF c = GetPixel(dc, x, y);
  ReleaseDC(nullptr, dc);
  return c;
}

}  // namespace

class PaintTest : public WinTest {
 protected:
  void SetUp() override {
    WinTest::SetUp();
    Colors().clear();
    Painted().clear();
  }
  HWND Painting(int x, int y, int w, int h, COLORREF color, LPCWSTR cls = u"TestWnd",
                DWORD style = WS_POPUP | WS_VISIBLE) {
    HWND hwnd = Top(x, y, w, h, style, 0, nullptr, cls);
    Colors()[hwnd] = color;
    Overrides()[hwnd] = &PaintInColor;
    InvalidateRect(hwnd, nullptr, TRUE);
    return hwnd;
  }
};

TEST_F(PaintTest, MovingAWindowAwayExposesAndRepaintsOnlyWhatItCovered) {
  HWND a = Painting(0, 0, 400, 300, RGB(255, 0, 0));
  HWND b = Painting(50, 40, 100, 80, RGB(0, 0, 255));
  Pump();
  EXPECT_EQ(ScreenPixel(60, 50), RGB(0, 0, 255));
  EXPECT_EQ(ScreenPixel(10, 10), RGB(255, 0, 0));
  Painted().clear();
  ClearLog();
  SetWindowPos(b, nullptr, 200, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  // The uncovered part of a is erased at once and waits for WM_PAINT.
  EXPECT_EQ(Logged(a, WM_ERASEBKGND).size(), 1u);
  RECT update;
  ASSERT_TRUE(GetUpdateRect(a, &update, FALSE));
  EXPECT_EQ(update, (RECT{50, 40, 150, 120}));
  Pump();
  ASSERT_EQ(Painted()[a].size(), 1u);
  EXPECT_EQ(Painted()[a][0], (RECT{50, 40, 150, 120}));
  ASSERT_EQ(Painted()[b].size(), 1u);
  EXPECT_EQ(ScreenPixel(60, 50), RGB(255, 0, 0));
  EXPECT_EQ(ScreenPixel(210, 50), RGB(0, 0, 255));
  EXPECT_FALSE(GetUpdateRect(a, &update, FALSE));
}

TEST_F(PaintTest, TheDesktopRepaintsWhatAWindowLeftWithoutTouchingOtherWindows) {
  HWND a = Painting(0, 0, 100, 100, RGB(255, 0, 0));
  HWND b = Painting(200, 0, 100, 100, RGB(0, 255, 0));
  Pump();
  SetWindowPos(b, nullptr, 200, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  Pump();
  EXPECT_EQ(ScreenPixel(250, 50), GetSysColor(COLOR_BACKGROUND));
  EXPECT_EQ(ScreenPixel(250, 250), RGB(0, 255, 0));
  EXPECT_EQ(ScreenPixel(50, 50), RGB(255, 0, 0));
  (void)a;
}

TEST_F(PaintTest, RaisingAWindowRepaintsItAndHidingItExposesTheOneBelow) {
  HWND a = Painting(0, 0, 200, 200, RGB(255, 0, 0));
  HWND b = Painting(100, 100, 200, 200, RGB(0, 255, 0));
  Pump();
  EXPECT_EQ(ScreenPixel(150, 150), RGB(0, 255, 0));
  Painted().clear();
  SetWindowPos(a, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  Pump();
  EXPECT_EQ(Painted()[a].size(), 1u);
  EXPECT_TRUE(Painted()[b].empty());
  EXPECT_EQ(ScreenPixel(150, 150), RGB(255, 0, 0));
  Painted().clear();
  ShowWindow(a, SW_HIDE);
  Pump();
  ASSERT_EQ(Painted()[b].size(), 1u);
  EXPECT_EQ(Painted()[b][0], (RECT{0, 0, 100, 100}));  // only the part a covered
  EXPECT_EQ(ScreenPixel(150, 150), RGB(0, 255, 0));
}

TEST_F(PaintTest, SaveBitsPopupPutsBackWhatItCoveredWithoutRepaints) {
  HWND a = Painting(0, 0, 300, 300, RGB(255, 0, 0));
  Pump();
  HWND popup = Painting(50, 50, 100, 100, RGB(0, 0, 255), u"TestSaveBits", WS_POPUP);
  ShowWindow(popup, SW_SHOWNA);
  Pump();
  EXPECT_EQ(ScreenPixel(60, 60), RGB(0, 0, 255));
  Painted().clear();
  ClearLog();
  ShowWindow(popup, SW_HIDE);
  EXPECT_TRUE(Logged(a, WM_ERASEBKGND).empty());
  Pump();
  EXPECT_TRUE(Painted()[a].empty());
  EXPECT_EQ(ScreenPixel(60, 60), RGB(255, 0, 0));
  // Moved while shown, the saved bits are stale: the window below repaints instead.
  ShowWindow(popup, SW_SHOWNA);
  Pump();
  SetWindowPos(popup, nullptr, 100, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  Pump();
  Painted().clear();
  ShowWindow(popup, SW_HIDE);
  Pump();
  EXPECT_EQ(Painted()[a].size(), 1u);
  EXPECT_EQ(ScreenPixel(110, 110), RGB(255, 0, 0));
}

TEST_F(PaintTest, XorOnTheScreenDcDrawnTwiceRestoresThePixels) {
  Painting(0, 0, 200, 200, RGB(10, 120, 200));
  Pump();
  COLORREF before = ScreenPixel(50, 50);
  HDC dc = GetDC(nullptr);
  PatBlt(dc, 40, 40, 30, 30, DSTINVERT);
  COLORREF inverted = GetPixel(dc, 50, 50);
  PatBlt(dc, 40, 40, 30, 30, DSTINVERT);
  ReleaseDC(nullptr, dc);
  EXPECT_EQ(inverted, RGB(245, 135, 55));
  EXPECT_EQ(ScreenPixel(50, 50), before);
}

TEST_F(PaintTest, WindowDcsAreClippedToWhatIsVisible) {
  HWND a = Painting(0, 0, 200, 200, RGB(255, 0, 0));
  HWND b = Painting(100, 0, 200, 200, RGB(0, 255, 0));
  Pump();
  HDC dc = GetDC(a);
  HBRUSH white = CreateSolidBrush(RGB(255, 255, 255));
  RECT all{0, 0, 200, 200};
  FillRect(dc, &all, white);
  DeleteObject(white);
  ReleaseDC(a, dc);
  EXPECT_EQ(ScreenPixel(50, 50), RGB(255, 255, 255));
  EXPECT_EQ(ScreenPixel(150, 50), RGB(0, 255, 0));  // b is on top there
  (void)b;
}

TEST_F(PaintTest, InvalidateValidateAndTheEraseFlag) {
  HWND w = Top(0, 0, 200, 200, WS_POPUP | WS_VISIBLE);
  Pump();
  ClearLog();
  RECT r{10, 10, 20, 20};
  InvalidateRect(w, &r, FALSE);
  r = {30, 30, 40, 40};
  InvalidateRect(w, &r, FALSE);
  RECT update;
  GetUpdateRect(w, &update, FALSE);
  EXPECT_EQ(update, (RECT{10, 10, 40, 40}));
  HRGN rgn = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetUpdateRgn(w, rgn, FALSE), COMPLEXREGION);
  EXPECT_TRUE(PtInRegion(rgn, 15, 15));
  EXPECT_FALSE(PtInRegion(rgn, 25, 25));
  DeleteObject(rgn);
  r = {10, 10, 20, 20};
  ValidateRect(w, &r);
  GetUpdateRect(w, &update, FALSE);
  EXPECT_EQ(update, (RECT{30, 30, 40, 40}));
  Pump();
  EXPECT_EQ(Logged(w, WM_PAINT).size(), 1u);
  EXPECT_TRUE(Logged(w, WM_ERASEBKGND).empty());  // invalidated without erasing
  ClearLog();
  InvalidateRect(w, nullptr, TRUE);
  ValidateRect(w, nullptr);
  Pump();
  EXPECT_TRUE(Logged(w, WM_PAINT).empty());
  // An internal paint request paints with an empty update region.
  RedrawWindow(w, nullptr, nullptr, RDW_INTERNALPAINT);
  Pump();
  EXPECT_EQ(Logged(w, WM_PAINT).size(), 1u);
  // UpdateWindow paints at once, without the loop.
  ClearLog();
  InvalidateRect(w, nullptr, TRUE);
  UpdateWindow(w);
  EXPECT_EQ(Logged(w, WM_PAINT).size(), 1u);
  EXPECT_EQ(Logged(w, WM_ERASEBKGND).size(), 1u);
}

TEST_F(PaintTest, ParentInvalidationReachesChildrenUnlessItClipsThem) {
  HWND p = Top(0, 0, 200, 200, WS_POPUP | WS_VISIBLE);
  HWND c = Child(p, 10, 10, 50, 50);
  HWND clipping = Top(300, 0, 200, 200, WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN);
  HWND c2 = Child(clipping, 10, 10, 50, 50);
  Pump();
  ClearLog();
  InvalidateRect(p, nullptr, TRUE);
  InvalidateRect(clipping, nullptr, TRUE);
  Pump();
  EXPECT_EQ(Logged(c, WM_PAINT).size(), 1u);
  EXPECT_TRUE(Logged(c2, WM_PAINT).empty());
  EXPECT_EQ(Logged(clipping, WM_PAINT).size(), 1u);
}

TEST_F(PaintTest, ScrollWindowMovesPixelsAndInvalidatesTheUncoveredStrip) {
  HWND w = Painting(0, 0, 100, 100, RGB(200, 200, 200));
  Pump();
  HDC dc = GetDC(w);
  HBRUSH dark = CreateSolidBrush(RGB(0, 0, 0));
  RECT band{0, 50, 100, 60};
  FillRect(dc, &band, dark);
  DeleteObject(dark);
  ReleaseDC(w, dc);
  RECT updateRect;
  ScrollWindowEx(w, 0, -20, nullptr, nullptr, nullptr, &updateRect, SW_INVALIDATE);
  EXPECT_EQ(updateRect, (RECT{0, 80, 100, 100}));
  EXPECT_EQ(ScreenPixel(50, 35), RGB(0, 0, 0));
  EXPECT_EQ(ScreenPixel(50, 55), RGB(200, 200, 200));
  RECT update;
  GetUpdateRect(w, &update, FALSE);
  EXPECT_EQ(update, (RECT{0, 80, 100, 100}));
}

TEST_F(PaintTest, LayeredWindowImagesAreBlendedOverTheScreen) {
  Painting(0, 0, 200, 200, RGB(0, 0, 200));
  Pump();
  HWND shadow = Top(20, 20, 40, 40, WS_POPUP | WS_VISIBLE, WS_EX_LAYERED | WS_EX_TRANSPARENT);
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  HBITMAP bmp = CreateCompatibleBitmap(screen, 40, 40);
  HGDIOBJ old = SelectObject(mem, bmp);
  RECT all{0, 0, 40, 40};
  HBRUSH white = CreateSolidBrush(RGB(255, 255, 255));
  FillRect(mem, &all, white);
  DeleteObject(white);
  BLENDFUNCTION blend;
  blend.SourceConstantAlpha = 128;
  SIZE size{40, 40};
  POINT src{0, 0};
  EXPECT_TRUE(UpdateLayeredWindow(shadow, screen, nullptr, &size, mem, &src, 0, &blend, ULW_ALPHA));
  SelectObject(mem, old);
  DeleteObject(bmp);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
  // The framebuffer keeps the window below; what is shown blends the image over it.
  EXPECT_EQ(ScreenPixel(30, 30), RGB(0, 0, 200));
  TSurface shown(1, 1);
  ComposeScreen(shown);
  COLORREF c = PixelToColor(shown.At(30, 30));
  EXPECT_NEAR(GetRValue(c), 128, 2);
  EXPECT_NEAR(GetBValue(c), 228, 2);
  EXPECT_EQ(PixelToColor(shown.At(100, 100)), RGB(0, 0, 200));
  // Clicks pass through a transparent layered window.
  EXPECT_NE(WindowFromPoint(POINT{30, 30}), shadow);
}

TEST_F(PaintTest, WindowRegionShapesHitTestingAndPainting) {
  HWND below = Painting(0, 0, 200, 200, RGB(255, 0, 0));
  HWND round = Painting(0, 0, 100, 100, RGB(0, 0, 255));
  Pump();
  SetWindowRgn(round, CreateEllipticRgn(0, 0, 100, 100), TRUE);
  Pump();
  EXPECT_EQ(WindowFromPoint(POINT{50, 50}), round);
  EXPECT_EQ(WindowFromPoint(POINT{2, 2}), below);  // outside the ellipse
  EXPECT_EQ(ScreenPixel(50, 50), RGB(0, 0, 255));
  EXPECT_EQ(ScreenPixel(2, 2), RGB(255, 0, 0));
  HRGN copy = CreateRectRgn(0, 0, 0, 0);
  EXPECT_NE(GetWindowRgn(round, copy), ERROR);
  EXPECT_TRUE(PtInRegion(copy, 50, 50));
  EXPECT_FALSE(PtInRegion(copy, 2, 2));
  DeleteObject(copy);
  SetWindowRgn(round, nullptr, TRUE);
  EXPECT_EQ(WindowFromPoint(POINT{2, 2}), round);
}

TEST_F(PaintTest, ScrollDcCopiesInsideTheDcAndReportsTheUncoveredPart) {
  HWND w = Painting(0, 0, 100, 100, RGB(200, 200, 200));
  Pump();
  HDC dc = GetDC(w);
  HBRUSH dark = CreateSolidBrush(RGB(0, 0, 0));
  RECT cell{0, 0, 10, 10};
  FillRect(dc, &cell, dark);
  DeleteObject(dark);
  RECT scroll{0, 0, 50, 50}, update;
  ScrollDC(dc, 20, 0, &scroll, &scroll, nullptr, &update);
  EXPECT_EQ(GetPixel(dc, 25, 5), RGB(0, 0, 0));
  EXPECT_EQ(update, (RECT{0, 0, 20, 50}));
  ReleaseDC(w, dc);
}

TEST_F(PaintTest, GrowingInPlaceRepaintsOnlyTheNewPartUnlessTheClassRedrawsOnResize) {
  WNDCLASSEX wc;
  wc.lpfnWndProc = &LoggingProc;
  wc.style = CS_HREDRAW | CS_VREDRAW;
  wc.lpszClassName = u"TestRedraw";
  RegisterClassEx(&wc);
  struct TCase {
    LPCWSTR cls;
    RECT painted;
  };
  for (TCase t : {TCase{u"TestWnd", RECT{100, 0, 150, 80}}, TCase{u"TestRedraw", RECT{0, 0, 150, 80}}}) {
    HWND w = Painting(0, 0, 100, 80, RGB(0, 128, 0), t.cls);
    Pump();
    Painted().clear();
    SetWindowPos(w, nullptr, 0, 0, 150, 80, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    Pump();
    ASSERT_EQ(Painted()[w].size(), 1u);
    EXPECT_EQ(Painted()[w][0], t.painted);
    DestroyWindow(w);
  }
  UnregisterClass(u"TestRedraw", nullptr);
}
