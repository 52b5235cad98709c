#include <SDL.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/display/Display.h"
#include "platform/display/KeyMap.h"
#include "platform/display/testing/DesktopPixels.h"
#include "platform/display/testing/VirtualDesktop.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/Png.h"
#include "platform/rtl/String.h"
#include "platform/win/Backend.h"
#include "platform/win/Windows.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

// A window that paints white with "ABC" in the fixed-metrics font at (10, 10) of its client area.
// Input the text windows received: clicks (client coordinates) and characters.
struct TReceived {
  std::vector<POINT> clicks;
  String chars;
};
TReceived& Received() {
  static TReceived received;
  return received;
}

LRESULT TextWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_ERASEBKGND) return 1;
  if (msg == WM_LBUTTONDOWN) Received().clicks.push_back({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
  if (msg == WM_CHAR) Received().chars.push_back(static_cast<char16_t>(wParam));
  if (msg == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT r;
    GetClientRect(hwnd, &r);
    FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    LOGFONT lf;
    SetLogFontFaceName(lf, kFixedTestFontName);
    HFONT font = CreateFontIndirect(&lf);
    HGDIOBJ old = SelectObject(dc, font);
    SetTextColor(dc, kBlack);
    SetBkMode(dc, TRANSPARENT);
    TextOut(dc, 10, 10, u"ABC", 3);
    SelectObject(dc, old);
    DeleteObject(font);
    EndPaint(hwnd, &ps);
    return 0;
  }
  return DefWindowProc(hwnd, msg, wParam, lParam);
}

void RegisterTextWindow() {
  static bool done = false;
  if (done) return;
  WNDCLASSEX wc;
  wc.lpfnWndProc = &TextWindowProc;
  wc.lpszClassName = u"DisplayTestText";
  RegisterClassEx(&wc);
  done = true;
}

HWND ShowTextWindow(int x, int y, int w, int h, DWORD style = WS_OVERLAPPEDWINDOW, DWORD ex = 0) {
  RegisterTextWindow();
  HWND hwnd = CreateWindowEx(ex, u"DisplayTestText", u"Проверка", style, x, y, w, h, nullptr, nullptr,
                             nullptr, nullptr);
  ShowWindow(hwnd, SW_SHOW);
  UpdateWindow(hwnd);
  ProcessPendingMessages();
  return hwnd;
}

std::string TempPng(const char* name) {
  return (std::filesystem::temp_directory_path() /
          (std::string(name) + "-" + std::to_string(getpid()) + ".png"))
      .string();
}

// The client point (x, y) of a window in screen coordinates.
POINT ScreenPoint(HWND hwnd, int x, int y) {
  POINT p{x, y};
  ClientToScreen(hwnd, &p);
  return p;
}

TEST(Screenshots, ScreenAndWindowPng) {
  SetScreenSize(320, 240);
  HWND hwnd = ShowTextWindow(20, 30, 260, 100);
  const std::string screenPath = TempPng("screen"), windowPath = TempPng("window");
  ASSERT_TRUE(SaveScreenPng(screenPath));
  ASSERT_TRUE(SaveWindowPng(hwnd, windowPath));
  const auto screen = ReadPng(screenPath);
  const auto window = ReadPng(windowPath);
  ASSERT_TRUE(screen && window);
  EXPECT_EQ(screen->Width(), 320);
  EXPECT_EQ(screen->Height(), 240);
  EXPECT_EQ(window->Width(), 260);
  EXPECT_EQ(window->Height(), 100);
  // The text's first cell is inked from (1, 2) of its 8 x 16 cell.
  const POINT ink = ScreenPoint(hwnd, 10 + 3, 10 + 5);
  EXPECT_EQ(PixelToColor(screen->At(ink.x, ink.y)), kBlack);
  const POINT paper = ScreenPoint(hwnd, 5, 5);
  EXPECT_EQ(PixelToColor(screen->At(paper.x, paper.y)), kWhite);
  // The window's picture is the same part of the screen, caption and frame included.
  RECT wr;
  GetWindowRect(hwnd, &wr);
  EXPECT_EQ(window->At(ink.x - wr.left, ink.y - wr.top), screen->At(ink.x, ink.y));
  // Past the caption's text, before its buttons.
  EXPECT_EQ(window->At(150, 10), screen->At(wr.left + 150, wr.top + 10));
  EXPECT_TRUE(IsCaptionColour(PixelToColor(window->At(150, 10))))
      << std::hex << PixelToColor(window->At(150, 10));
  EXPECT_FALSE(SaveWindowPng(nullptr, windowPath));
  DestroyWindow(hwnd);
  std::filesystem::remove(screenPath);
  std::filesystem::remove(windowPath);
}

TEST(Screenshots, LayeredWindowIsBlended) {
  SetScreenSize(320, 240);
  HWND under = ShowTextWindow(0, 0, 320, 240, WS_POPUP);
  HWND over = ShowTextWindow(100, 100, 50, 50, WS_POPUP, WS_EX_LAYERED);
  // Its image: black, half transparent as a whole; the right half fully transparent per pixel.
  HDC mem = CreateCompatibleDC(nullptr);
  BITMAPINFO bi{};
  bi.bmiHeader.biWidth = 50;
  bi.bmiHeader.biHeight = -50;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP image = CreateDIBSection(mem, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  auto* px = static_cast<std::uint32_t*>(bits);
  for (int y = 0; y < 50; ++y)
    for (int x = 0; x < 50; ++x) px[y * 50 + x] = x < 25 ? 0xFF000000u : 0x00000000u;
  HGDIOBJ old = SelectObject(mem, image);
  POINT pos{100, 100}, origin{0, 0};
  SIZE size{50, 50};
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 128, AC_SRC_ALPHA};
  ASSERT_TRUE(UpdateLayeredWindow(over, nullptr, &pos, &size, mem, &origin, 0, &blend, ULW_ALPHA));
  SelectObject(mem, old);
  DeleteObject(image);
  DeleteDC(mem);
  ProcessPendingMessages();
  const std::string path = TempPng("layered");
  ASSERT_TRUE(SaveScreenPng(path));
  const auto shot = ReadPng(path);
  ASSERT_TRUE(shot);
  // Half black over white on the left, the white below on the right.
  EXPECT_NEAR(GetRValue(PixelToColor(shot->At(110, 120))), 127, 3);
  EXPECT_EQ(PixelToColor(shot->At(140, 120)), kWhite);
  EXPECT_EQ(PixelToColor(shot->At(90, 90)), kWhite);
  DestroyWindow(over);
  DestroyWindow(under);
  std::filesystem::remove(path);
}

TEST(Screenshots, XorOnTheScreenDcTwiceRestoresEveryPixel) {
  SetScreenSize(200, 150);
  HWND a = ShowTextWindow(10, 10, 120, 80);
  HWND b = ShowTextWindow(60, 40, 120, 80);
  TSurface before(1, 1), after(1, 1);
  ComposeScreen(before);
  // Feedback drawn across both windows and the desktop, as sizing and drag feedback does.
  HDC screen = GetDC(nullptr);
  auto draw = [&] {
    RECT r{5, 5, 190, 140};
    DrawFocusRect(screen, &r);
    PatBlt(screen, 30, 20, 2, 100, DSTINVERT);
    SetROP2(screen, R2_NOTXORPEN);
    MoveToEx(screen, 0, 0, nullptr);
    LineTo(screen, 199, 149);
  };
  draw();
  ComposeScreen(after);
  EXPECT_NE(std::vector<Pixel>(after.Pixels(), after.Pixels() + 200 * 150),
            std::vector<Pixel>(before.Pixels(), before.Pixels() + 200 * 150));
  draw();
  ReleaseDC(nullptr, screen);
  ComposeScreen(after);
  EXPECT_EQ(std::vector<Pixel>(after.Pixels(), after.Pixels() + 200 * 150),
            std::vector<Pixel>(before.Pixels(), before.Pixels() + 200 * 150));
  DestroyWindow(b);
  DestroyWindow(a);
}

TEST(KeyMap, DesktopKeysToVirtualKeys) {
  struct Case {
    SDL_Scancode sc;
    bool numLock;
    UINT vk;
    bool text;
  } cases[] = {
      {SDL_SCANCODE_A, false, 'A', true},
      {SDL_SCANCODE_0, false, '0', true},
      {SDL_SCANCODE_F5, false, VK_F5, false},
      {SDL_SCANCODE_RETURN, false, VK_RETURN, false},
      {SDL_SCANCODE_LCTRL, false, VK_CONTROL, false},
      {SDL_SCANCODE_RSHIFT, false, VK_SHIFT, false},
      {SDL_SCANCODE_SEMICOLON, false, VK_OEM_1, true},
      {SDL_SCANCODE_KP_8, false, VK_UP, false},
      {SDL_SCANCODE_KP_8, true, VK_NUMPAD0 + 8, true},
      {SDL_SCANCODE_KP_PLUS, false, VK_ADD, true},
      {SDL_SCANCODE_DELETE, false, VK_DELETE, false},
      {SDL_SCANCODE_SPACE, false, VK_SPACE, true},
  };
  for (const Case& k : cases) {
    EXPECT_EQ(VirtualKeyOf(k.sc, k.numLock), k.vk) << SDL_GetScancodeName(k.sc);
    EXPECT_EQ(TypesText(k.sc, k.numLock), k.text) << SDL_GetScancodeName(k.sc);
  }
}

TEST(Display, HeadlessUnderTests) {
  EXPECT_EQ(PreferredDisplayKind(),
            std::getenv("TRENVIK_HEADLESS") ? TDisplayKind::Headless : PreferredDisplayKind());
  EXPECT_TRUE(StartDisplay(TDisplayKind::Headless));
  EXPECT_EQ(CurrentDisplayKind(), TDisplayKind::Headless);
  EXPECT_EQ(DisplaySdlWindow(), nullptr);
  PresentDisplay();  // nothing to present to; must not fail
}

// --- The real desktop window, under a virtual X server ---

void RealWindowChild() {
  SetScreenSize(640, 480);
  ASSERT_TRUE(StartDisplay(TDisplayKind::Sdl)) << SDL_GetError();
  ASSERT_EQ(CurrentDisplayKind(), TDisplayKind::Sdl);
  HWND hwnd = ShowTextWindow(40, 50, 300, 200);
  LetDesktopSettle();
  auto* window = static_cast<SDL_Window*>(DisplaySdlWindow());
  ASSERT_NE(window, nullptr);
  int w = 0, h = 0;
  SDL_GetWindowSize(window, &w, &h);
  EXPECT_EQ(w, 640);
  EXPECT_EQ(h, 480);
  const POINT ink = ScreenPoint(hwnd, 10 + 3, 10 + 5);
  const POINT paper = ScreenPoint(hwnd, 100, 100);
  RECT wr;
  GetWindowRect(hwnd, &wr);
  const POINT caption{wr.left + 150, wr.top + 10};
  EXPECT_EQ(ReadDesktopPixel(window, ink.x, ink.y), kBlack) << "painted text";
  EXPECT_EQ(ReadDesktopPixel(window, paper.x, paper.y), kWhite) << "client area";
  const COLORREF captionColour = ReadDesktopPixel(window, caption.x, caption.y);
  EXPECT_TRUE(IsCaptionColour(captionColour)) << std::hex << captionColour;
  EXPECT_EQ(ReadDesktopPixel(window, 5, 5), GetSysColor(COLOR_DESKTOP)) << "the desktop around the window";

  // Resizing the desktop window resizes the screen and its work area.
  SDL_SetWindowSize(window, 500, 400);
  for (int i = 0; i < 50 && GetSystemMetrics(SM_CXSCREEN) != 500; ++i) {
    ProcessPendingMessages();
    SDL_Delay(10);
  }
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 500);
  EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 400);
  RECT work;
  SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
  EXPECT_EQ(work.right, 500);

  // The text clipboard reaches the desktop.
  ASSERT_TRUE(OpenClipboard(hwnd));
  EmptyClipboard();
  const String text = u"Привет";
  HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(char16_t));
  auto* chars = static_cast<char16_t*>(GlobalLock(mem));
  std::copy(text.c_str(), text.c_str() + text.size() + 1, chars);
  GlobalUnlock(mem);
  SetClipboardData(CF_UNICODETEXT, mem);
  CloseClipboard();
  char* desktop = SDL_GetClipboardText();
  EXPECT_STREQ(desktop, "Привет");
  SDL_free(desktop);

  // And text copied on the desktop reaches the clipboard when the program is switched back to.
  SDL_SetClipboardText("с рабочего стола");
  SDL_Event focus{};
  focus.type = SDL_WINDOWEVENT;
  focus.window.event = SDL_WINDOWEVENT_FOCUS_GAINED;
  focus.window.windowID = SDL_GetWindowID(window);
  SDL_PushEvent(&focus);
  String imported;
  for (int i = 0; i < 50 && imported.empty(); ++i) {
    ProcessPendingMessages();
    if (OpenClipboard(hwnd)) {
      if (HANDLE h = GetClipboardData(CF_UNICODETEXT)) {
        const auto* p = static_cast<const char16_t*>(GlobalLock(h));
        if (p && String(p) != text) imported = p;
        GlobalUnlock(h);
      }
      CloseClipboard();
    }
    SDL_Delay(10);
  }
  EXPECT_EQ(imported, S("с рабочего стола"));

  // Desktop input arrives as the window system's input: a click and typed text.
  const POINT click = ScreenPoint(hwnd, 20, 30);
  SDL_Event e{};
  e.type = SDL_MOUSEBUTTONDOWN;
  e.button.button = SDL_BUTTON_LEFT;
  e.button.state = SDL_PRESSED;
  e.button.x = click.x;
  e.button.y = click.y;
  e.button.windowID = SDL_GetWindowID(window);
  SDL_PushEvent(&e);
  e.type = SDL_MOUSEBUTTONUP;
  e.button.state = SDL_RELEASED;
  SDL_PushEvent(&e);
  SDL_Event t{};
  t.type = SDL_TEXTINPUT;
  t.text.windowID = SDL_GetWindowID(window);
  std::strcpy(t.text.text, "жZ");
  SDL_PushEvent(&t);
  for (int i = 0; i < 20; ++i) {
    ProcessPendingMessages();
    SDL_Delay(5);
  }
  ASSERT_FALSE(Received().clicks.empty());
  EXPECT_EQ(Received().clicks.back(), (POINT{20, 30}));
  EXPECT_EQ(Received().chars, S("жZ"));

  // A key held when the window loses the keyboard is released (a desktop shortcut that minimised
  // the window leaves no Alt held down for the next Alt+F4).
  SDL_Event alt{};
  alt.type = SDL_KEYDOWN;
  alt.key.keysym.scancode = SDL_SCANCODE_LALT;
  alt.key.keysym.mod = KMOD_LALT;
  alt.key.windowID = SDL_GetWindowID(window);
  SDL_PushEvent(&alt);
  ProcessPendingMessages();
  EXPECT_TRUE(GetAsyncKeyState(VK_MENU) & 0x8000);
  SDL_Event lost{};
  lost.type = SDL_WINDOWEVENT;
  lost.window.event = SDL_WINDOWEVENT_FOCUS_LOST;
  lost.window.windowID = SDL_GetWindowID(window);
  SDL_PushEvent(&lost);
  ProcessPendingMessages();
  EXPECT_FALSE(GetAsyncKeyState(VK_MENU) & 0x8000);

  // Idle with a blinking caret, the loop sleeps between blinks and presents only the caret.
  SetCaretBlinkTime(50);
  CreateCaret(hwnd, nullptr, 2, 16);
  SetCaretPos(10, 10);
  ShowCaret(hwnd);
  ProcessPendingMessages();
  const int presentsBefore = DisplayPresentCount();
  SetTimer(hwnd, 77, 400, nullptr);
  MSG m;
  while (GetMessage(&m, nullptr, 0, 0) && !(m.message == WM_TIMER && m.wParam == 77)) DispatchMessage(&m);
  KillTimer(hwnd, 77);
  EXPECT_GE(DisplayPresentCount() - presentsBefore, 4);
  EXPECT_LE(DisplayPresentCount() - presentsBefore, 12);
  const POINT caret = ScreenPoint(hwnd, 10, 10);
  EXPECT_EQ(DisplayLastPresented(), (RECT{caret.x, caret.y, caret.x + 2, caret.y + 16}));
  DestroyCaret();
  SetCaretBlinkTime(530);

  DestroyWindow(hwnd);
  StopDisplay();
}

TEST(RealWindow, PixelsReachTheDesktop) {
  if (OnVirtualDesktop()) return RealWindowChild();
  if (!VirtualDesktopInstalled()) GTEST_SKIP() << "xvfb-run is not installed";
  RunTestOnVirtualDesktop();
}

}  // namespace
