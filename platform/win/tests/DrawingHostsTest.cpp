// The window system's services to the drawing layer: drag images on the screen, the theme-change
// broadcast, parents painting behind themed children, and windows layered by attributes.
#include "platform/gdi/Gdi.h"
#include "platform/win/tests/WinTestSupport.h"

namespace {

COLORREF ScreenPixel(int x, int y) {
  HDC dc = GetDC(nullptr);
  COLORREF c = GetPixel(dc, x, y);
  ReleaseDC(nullptr, dc);
  return c;
}

COLORREF ShownPixel(int x, int y) {
  TSurface shown(1, 1);
  ComposeScreen(shown);
  return PixelToColor(shown.At(x, y));
}

void Fill(HDC dc, const RECT& r, COLORREF color) {
  HBRUSH brush = CreateSolidBrush(color);
  FillRect(dc, &r, brush);
  DeleteObject(brush);
}

// Paints the client area: the left half in one colour, the right half in another.
std::optional<LRESULT> PaintHalves(HWND h, UINT m, WPARAM, LPARAM) {
  if (m != WM_PAINT) return std::nullopt;
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(h, &ps);
  RECT r;
  GetClientRect(h, &r);
  Fill(dc, RECT{0, 0, r.right / 2, r.bottom}, RGB(255, 0, 0));
  Fill(dc, RECT{r.right / 2, 0, r.right, r.bottom}, RGB(0, 255, 0));
  EndPaint(h, &ps);
  return 0;
}

std::optional<LRESULT> PaintSolid(HWND h, UINT m, WPARAM, LPARAM, COLORREF color) {
  if (m != WM_PAINT) return std::nullopt;
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(h, &ps);
  RECT r;
  GetClientRect(h, &r);
  Fill(dc, r, color);
  EndPaint(h, &ps);
  return 0;
}

}  // namespace

using DrawingHostsTest = WinTest;

TEST_F(DrawingHostsTest, ThemeChangeReachesEveryWindowParentsFirst) {
  HWND top = Top(0, 0, 200, 200);
  HWND child = Child(top, 10, 10, 50, 50);
  HWND grandchild = Child(child, 5, 5, 20, 20);
  HWND other = Top(300, 0, 100, 100);
  ClearLog();
  SetThemeProvider(nullptr);
  std::vector<HWND> order;
  for (const TLogged& l : MessageLog())
    if (l.msg == WM_THEMECHANGED) order.push_back(l.hwnd);
  ASSERT_EQ(order.size(), 4u);
  auto at = [&](HWND h) { return std::find(order.begin(), order.end(), h) - order.begin(); };
  EXPECT_LT(at(top), at(child));
  EXPECT_LT(at(child), at(grandchild));
  EXPECT_LT(at(other), 4);
}

TEST_F(DrawingHostsTest, ThemeChangeSurvivesAWindowDestroyedByAnEarlierOne) {
  HWND top = Top(0, 0, 200, 200);
  HWND victim = Top(300, 0, 100, 100);
  Overrides()[top] = [&](HWND, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (m == WM_THEMECHANGED) DestroyWindow(victim);
    return std::nullopt;
  };
  ClearLog();
  SetThemeProvider(nullptr);
  EXPECT_FALSE(IsWindow(victim));
  EXPECT_EQ(Logged(top, WM_THEMECHANGED).size(), 1u);
}

TEST_F(DrawingHostsTest, ParentBackgroundIsPaintedInTheChildsCoordinates) {
  HWND parent = Top(0, 0, 200, 200, WS_POPUP | WS_VISIBLE);
  HWND child = Child(parent, 20, 20, 60, 60);
  Overrides()[parent] = [](HWND, UINT m, WPARAM wParam, LPARAM lParam) -> std::optional<LRESULT> {
    if (m != WM_PRINTCLIENT || !(lParam & PRF_CLIENT)) return std::nullopt;
    Fill(reinterpret_cast<HDC>(wParam), RECT{30, 30, 40, 40}, RGB(255, 0, 0));  // parent's coordinates
    return 0;
  };
  Overrides()[child] = [](HWND, UINT, WPARAM, LPARAM) -> std::optional<LRESULT> { return 0; };
  Pump();
  HDC dc = GetDC(child);
  Fill(dc, RECT{0, 0, 60, 60}, RGB(0, 0, 0));
  RECT part{0, 0, 15, 15};
  EXPECT_EQ(DrawThemeParentBackground(child, dc, &part), S_OK);
  ReleaseDC(child, dc);
  EXPECT_EQ(ScreenPixel(32, 32), RGB(255, 0, 0)) << "the parent's (30,30) lands on the child's (10,10)";
  EXPECT_EQ(ScreenPixel(21, 21), RGB(255, 255, 255)) << "the parent's erased background";
  EXPECT_EQ(ScreenPixel(37, 37), RGB(0, 0, 0)) << "outside the rectangle asked for";
  HDC topDc = GetDC(parent);
  EXPECT_EQ(DrawThemeParentBackground(parent, topDc, nullptr), E_FAIL) << "a top-level window has no parent";
  ReleaseDC(parent, topDc);
}

TEST_F(DrawingHostsTest, DragImageIsDrawnOnTheScreenOverTheLockWindowAndRemoved) {
  HWND lock = Top(40, 40, 100, 100, WS_POPUP | WS_VISIBLE);
  Pump();
  const COLORREF under = ScreenPixel(50, 50);
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  HBITMAP bmp = CreateCompatibleBitmap(screen, 4, 4);
  HGDIOBJ old = SelectObject(mem, bmp);
  Fill(mem, RECT{0, 0, 4, 4}, RGB(0, 0, 255));
  SelectObject(mem, old);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
  HIMAGELIST list = ImageList_Create(4, 4, ILC_COLOR32, 1, 1);
  ImageList_Add(list, bmp, nullptr);
  DeleteObject(bmp);
  ASSERT_TRUE(ImageList_BeginDrag(list, 0, 0, 0));
  ASSERT_TRUE(ImageList_DragEnter(lock, 10, 10));
  EXPECT_EQ(ScreenPixel(51, 51), RGB(0, 0, 255)) << "placed from the lock window's corner";
  ImageList_DragLeave(lock);
  EXPECT_EQ(ScreenPixel(51, 51), under);
  ImageList_EndDrag();
  ImageList_Destroy(list);
}

TEST_F(DrawingHostsTest, WindowsLayeredByAttributesBlendOverWhatIsBelow) {
  HWND below = Top(0, 0, 200, 200, WS_POPUP | WS_VISIBLE);
  Overrides()[below] = [](HWND h, UINT m, WPARAM w, LPARAM l) {
    return PaintSolid(h, m, w, l, RGB(0, 0, 200));
  };
  InvalidateRect(below, nullptr, TRUE);
  Pump();
  HWND layered = Top(20, 20, 100, 100, WS_POPUP | WS_VISIBLE, WS_EX_LAYERED);
  Overrides()[layered] = &PaintHalves;
  struct Case {
    DWORD flags;
    BYTE alpha;
    COLORREF left, right;  // what shows over the left (red) and right (green) halves
  };
  const Case cases[] = {
      {LWA_ALPHA, 255, RGB(255, 0, 0), RGB(0, 255, 0)},
      {LWA_ALPHA, 0, RGB(0, 0, 200), RGB(0, 0, 200)},
      {LWA_ALPHA, 128, RGB(128, 0, 100), RGB(0, 128, 100)},
      {LWA_COLORKEY, 255, RGB(0, 0, 200), RGB(0, 255, 0)},
      {LWA_COLORKEY | LWA_ALPHA, 128, RGB(0, 0, 200), RGB(0, 128, 100)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "flags " << c.flags << " alpha " << int(c.alpha));
    ASSERT_TRUE(SetLayeredWindowAttributes(layered, RGB(255, 0, 0), c.alpha, c.flags));
    Pump();
    EXPECT_EQ(ScreenPixel(30, 50), RGB(0, 0, 200)) << "the framebuffer keeps the window below";
    const COLORREF left = ShownPixel(30, 50), right = ShownPixel(110, 50);
    EXPECT_NEAR(GetRValue(left), GetRValue(c.left), 1);
    EXPECT_NEAR(GetGValue(left), GetGValue(c.left), 1);
    EXPECT_NEAR(GetBValue(left), GetBValue(c.left), 1);
    EXPECT_NEAR(GetRValue(right), GetRValue(c.right), 1);
    EXPECT_NEAR(GetGValue(right), GetGValue(c.right), 1);
    EXPECT_NEAR(GetBValue(right), GetBValue(c.right), 1);
    EXPECT_EQ(ShownPixel(150, 150), RGB(0, 0, 200));
  }
  // An opaque window above the layered one stays on top of it.
  HWND above = Top(100, 40, 50, 50, WS_POPUP | WS_VISIBLE);
  Overrides()[above] = [](HWND h, UINT m, WPARAM w, LPARAM l) {
    return PaintSolid(h, m, w, l, RGB(9, 9, 9));
  };
  InvalidateRect(above, nullptr, TRUE);
  Pump();
  EXPECT_EQ(ShownPixel(110, 50), RGB(9, 9, 9));
  // Moving the layered window takes its pixels along without disturbing the framebuffer below.
  DestroyWindow(above);
  SetWindowPos(layered, nullptr, 60, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  Pump();
  EXPECT_EQ(ScreenPixel(30, 50), RGB(0, 0, 200));
  EXPECT_EQ(ShownPixel(30, 50), RGB(0, 0, 200));
  const COLORREF moved = ShownPixel(150, 50);
  EXPECT_NEAR(GetGValue(moved), 128, 1);
}

TEST_F(DrawingHostsTest, ScrollingALayeredWindowMovesItsOwnPixels) {
  HWND layered = Top(20, 20, 100, 100, WS_POPUP | WS_VISIBLE, WS_EX_LAYERED);
  Overrides()[layered] = &PaintHalves;
  SetLayeredWindowAttributes(layered, 0, 255, LWA_ALPHA);
  Pump();
  const COLORREF framebuffer = ScreenPixel(30, 50);
  Overrides()[layered] = [](HWND, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (m == WM_PAINT || m == WM_ERASEBKGND) return 0;
    return std::nullopt;
  };
  ScrollWindowEx(layered, -50, 0, nullptr, nullptr, nullptr, nullptr, 0);
  EXPECT_EQ(ShownPixel(30, 50), RGB(0, 255, 0)) << "the green half scrolled to the left";
  EXPECT_EQ(ScreenPixel(30, 50), framebuffer);
}

TEST_F(DrawingHostsTest, ClearingTheLayeredStylePaintsTheWindowIntoTheScreenAgain) {
  HWND below = Top(0, 0, 200, 200, WS_POPUP | WS_VISIBLE);
  Overrides()[below] = [](HWND h, UINT m, WPARAM w, LPARAM l) {
    return PaintSolid(h, m, w, l, RGB(0, 0, 200));
  };
  HWND window = Top(20, 20, 100, 100, WS_POPUP | WS_VISIBLE);
  Overrides()[window] = [](HWND h, UINT m, WPARAM w, LPARAM l) {
    return PaintSolid(h, m, w, l, RGB(0, 200, 0));
  };
  InvalidateRect(below, nullptr, TRUE);
  InvalidateRect(window, nullptr, TRUE);
  Pump();
  ASSERT_EQ(ScreenPixel(50, 50), RGB(0, 200, 0));
  SetWindowLong(window, GWL_EXSTYLE, GetWindowLong(window, GWL_EXSTYLE) | WS_EX_LAYERED);
  SetLayeredWindowAttributes(window, 0, 0, LWA_ALPHA);
  Pump();
  EXPECT_EQ(ScreenPixel(50, 50), RGB(0, 0, 200)) << "the window below shows through the framebuffer";
  EXPECT_EQ(ShownPixel(50, 50), RGB(0, 0, 200));
  HDC held = GetDC(window);  // drawing on the layer when the layer goes away
  SetWindowLong(window, GWL_EXSTYLE, GetWindowLong(window, GWL_EXSTYLE) & ~WS_EX_LAYERED);
  Fill(held, RECT{0, 0, 100, 100}, RGB(1, 1, 1));
  ReleaseDC(window, held);
  Pump();
  EXPECT_EQ(ScreenPixel(50, 50), RGB(0, 200, 0));
  EXPECT_EQ(ShownPixel(50, 50), RGB(0, 200, 0));
  BYTE alpha = 0;
  EXPECT_FALSE(GetLayeredWindowAttributes(window, nullptr, &alpha, nullptr));
}
