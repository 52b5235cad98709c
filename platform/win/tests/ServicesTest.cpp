// The clipboard and its viewer chain, settings broadcasts, metrics and monitors, the shell,
// the beep, cursors and the caret.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <thread>

#include "platform/gdi/Gdi.h"
#include "platform/gdi/Objects.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/String.h"
#include "platform/win/Backend.h"
#include "platform/win/tests/WinTestSupport.h"

class ServicesTest : public WinTest {};

namespace {

std::uintptr_t ShellCode(HINSTANCE r) { return reinterpret_cast<std::uintptr_t>(r); }

// A folder of files for one test, removed after it.
class TTempFolder {
 public:
  TTempFolder() {
    char pattern[] = "/tmp/trenvik-shell-XXXXXX";
    path_ = mkdtemp(pattern);
  }
  ~TTempFolder() { std::filesystem::remove_all(path_); }
  const std::string& Path() const { return path_; }
  void Write(const std::string& name, const std::string& text) {
    std::ofstream(std::filesystem::u8path(path_ + "/" + name), std::ios::binary) << text;
  }
  // The text of a file another process writes, once it exists (empty after about five seconds).
  std::string WaitFor(const std::string& name) {
    const std::string file = path_ + "/" + name;
    for (int i = 0; i < 500 && !std::filesystem::exists(file); ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

 private:
  std::string path_;
};

// An environment variable set for the scope.
class TEnvironment {
 public:
  TEnvironment(const char* name, const std::string& value) : name_(name) {
    if (const char* old = std::getenv(name)) saved_ = old;
    setenv(name, value.c_str(), 1);
  }
  ~TEnvironment() {
    if (saved_)
      setenv(name_, saved_->c_str(), 1);
    else
      unsetenv(name_);
  }

 private:
  const char* name_;
  std::optional<std::string> saved_;
};

HGLOBAL UnicodeBlock(const String& s) {
  HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, (s.size() + 1) * sizeof(Char));
  std::memcpy(GlobalLock(h), s.c_str(), (s.size() + 1) * sizeof(Char));
  GlobalUnlock(h);
  return h;
}

String UnicodeText(HANDLE h) {
  auto* p = static_cast<const Char*>(GlobalLock(h));
  String s(p);
  GlobalUnlock(h);
  return s;
}

}  // namespace

TEST_F(ServicesTest, ClipboardTextConvertsBetweenUnicodeAndTheCodePage) {
  SetLocale("ru-RU");
  HWND w = Top(0, 0, 100, 100, WS_POPUP);
  ASSERT_TRUE(OpenClipboard(w));
  EXPECT_FALSE(OpenClipboard(Top(0, 0, 10, 10, WS_POPUP)));  // held by w
  EXPECT_TRUE(EmptyClipboard());
  SetClipboardData(CF_UNICODETEXT, UnicodeBlock(u"Иванов И.И."));
  UINT picture = RegisterClipboardFormat(u"Trenvik Picture");
  EXPECT_EQ(picture, RegisterClipboardFormat(u"Trenvik Picture"));
  HGLOBAL blob = GlobalAlloc(GMEM_MOVEABLE, 3);
  SetClipboardData(picture, blob);
  EXPECT_TRUE(CloseClipboard());
  EXPECT_EQ(GetClipboardOwner(), w);
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
  EXPECT_TRUE(IsClipboardFormatAvailable(picture));
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_BITMAP));
  ASSERT_TRUE(OpenClipboard(nullptr));
  std::vector<UINT> formats;
  for (UINT f = EnumClipboardFormats(0); f; f = EnumClipboardFormats(f)) formats.push_back(f);
  EXPECT_EQ(formats, (std::vector<UINT>{CF_UNICODETEXT, picture, CF_TEXT}));
  HANDLE ansi = GetClipboardData(CF_TEXT);
  ASSERT_NE(ansi, nullptr);
  const char* bytes = static_cast<const char*>(GlobalLock(ansi));
  EXPECT_EQ(static_cast<unsigned char>(bytes[0]), 0xC8u);  // 'И' in Windows-1251
  GlobalUnlock(ansi);
  EXPECT_EQ(UnicodeText(GetClipboardData(CF_UNICODETEXT)), u"Иванов И.И.");
  WCHAR name[64];
  EXPECT_GT(GetClipboardFormatName(picture, name, 64), 0);
  EXPECT_EQ(String(name), u"Trenvik Picture");
  CloseClipboard();
  // Bitmaps are owned by the clipboard once given.
  OpenClipboard(w);
  EmptyClipboard();
  HBITMAP bmp = CreateBitmap(4, 4, 1, 32, nullptr);
  SetClipboardData(CF_BITMAP, bmp);
  CloseClipboard();
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_BITMAP));
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
  OpenClipboard(w);
  EmptyClipboard();
  CloseClipboard();
  EXPECT_EQ(GetObjectType(bmp), 0u);  // freed with the contents
}

TEST_F(ServicesTest, ViewerChainHearsChangesAndRemovals) {
  HWND first = Top(0, 0, 10, 10, WS_POPUP);
  HWND second = Top(0, 0, 10, 10, WS_POPUP);
  static HWND nextOfSecond = nullptr;
  HWND nextOfFirst = SetClipboardViewer(first);
  nextOfSecond = SetClipboardViewer(second);
  EXPECT_EQ(nextOfSecond, first);
  EXPECT_EQ(Logged(second, WM_DRAWCLIPBOARD).size(), 1u);  // told at once
  // A well-behaved viewer passes changes on down the chain.
  Overrides()[second] = [](HWND, UINT m, WPARAM wp, LPARAM lp) -> std::optional<LRESULT> {
    if (m == WM_DRAWCLIPBOARD && nextOfSecond) SendMessage(nextOfSecond, m, wp, lp);
    if (m == WM_CHANGECBCHAIN) {
      if (reinterpret_cast<HWND>(wp) == nextOfSecond)
        nextOfSecond = reinterpret_cast<HWND>(lp);
      else if (nextOfSecond)
        SendMessage(nextOfSecond, m, wp, lp);
      return 0;
    }
    return std::nullopt;
  };
  ClearLog();
  OpenClipboard(second);
  EmptyClipboard();
  SetClipboardData(CF_UNICODETEXT, UnicodeBlock(u"x"));
  CloseClipboard();
  EXPECT_EQ(Logged(second, WM_DRAWCLIPBOARD).size(), 1u);
  EXPECT_EQ(Logged(first, WM_DRAWCLIPBOARD).size(), 1u);
  // Opening and closing without a change tells nobody.
  ClearLog();
  OpenClipboard(second);
  CloseClipboard();
  EXPECT_TRUE(MessageLog().empty());
  // The first viewer leaves: the head hears of it and relinks.
  ClearLog();
  ChangeClipboardChain(first, nextOfFirst);
  auto change = Logged(second, WM_CHANGECBCHAIN);
  ASSERT_EQ(change.size(), 1u);
  EXPECT_EQ(reinterpret_cast<HWND>(change[0].wParam), first);
  EXPECT_EQ(nextOfSecond, nextOfFirst);
  // The head leaves: the chain starts at its successor.
  ChangeClipboardChain(second, nextOfSecond);
  EXPECT_EQ(GetClipboardViewer(), nextOfSecond);
}

TEST_F(ServicesTest, BridgePublishesTextAndImportsTheDesktopsText) {
  static String published;
  published.clear();
  SetClipboardBridge([](const String& text) { published = text; });
  HWND w = Top(0, 0, 10, 10, WS_POPUP);
  OpenClipboard(w);
  EmptyClipboard();
  SetClipboardData(CF_UNICODETEXT, UnicodeBlock(u"to the desktop"));
  CloseClipboard();
  EXPECT_EQ(published, u"to the desktop");
  SetClipboardViewer(w);
  ClearLog();
  ImportClipboardText(u"from the desktop");
  EXPECT_EQ(Logged(w, WM_DRAWCLIPBOARD).size(), 1u);
  EXPECT_EQ(GetClipboardOwner(), nullptr);
  OpenClipboard(w);
  EXPECT_EQ(UnicodeText(GetClipboardData(CF_UNICODETEXT)), u"from the desktop");
  CloseClipboard();
  ChangeClipboardChain(w, nullptr);
  SetClipboardBridge(nullptr);
}

TEST_F(ServicesTest, SettingsChangesAreBroadcastToTopLevelWindows) {
  HWND top = Top(0, 0, 100, 100, WS_POPUP);
  HWND child = Child(top, 0, 0, 10, 10);
  ClearLog();
  SetLocale("en-US");
  SetLocale("ru-RU");
  auto intl = Logged(top, WM_SETTINGCHANGE);
  ASSERT_EQ(intl.size(), 2u);
  EXPECT_EQ(intl[0].wParam, 0u);
  EXPECT_EQ(String(reinterpret_cast<LPCWSTR>(intl[0].lParam)), u"intl");
  EXPECT_TRUE(Logged(child, WM_SETTINGCHANGE).empty());
  ClearLog();
  int index = COLOR_BTNFACE;
  COLORREF color = RGB(1, 2, 3);
  SetSysColors(1, &index, &color);
  EXPECT_EQ(Logged(top, WM_SYSCOLORCHANGE).size(), 1u);
  EXPECT_EQ(GetSysColor(COLOR_BTNFACE), RGB(1, 2, 3));
  EXPECT_EQ(GdiSysColor(COLOR_BTNFACE), RGB(1, 2, 3));  // the drawing layer paints with it
  ResetSysColors();
  EXPECT_EQ(GetSysColor(COLOR_BTNFACE), RGB(212, 208, 200));
  // The colour brushes are shared: deleting one leaves it usable.
  HBRUSH face = GetSysColorBrush(COLOR_BTNFACE);
  DeleteObject(face);
  EXPECT_EQ(GetObjectType(face), static_cast<DWORD>(OBJ_BRUSH));
  EXPECT_EQ(GetSysColorBrush(COLOR_BTNFACE), face);
  ClearLog();
  RECT work{0, 0, 800, 560};
  SetWorkArea(work);
  auto wa = Logged(top, WM_SETTINGCHANGE);
  ASSERT_EQ(wa.size(), 1u);
  EXPECT_EQ(wa[0].wParam, SPI_SETWORKAREA);
  MONITORINFO mi;
  ASSERT_TRUE(GetMonitorInfo(MonitorFromPoint(POINT{5000, 5000}, MONITOR_DEFAULTTONEAREST), &mi));
  EXPECT_EQ(mi.rcWork, work);
  EXPECT_EQ(MonitorFromPoint(POINT{5000, 5000}, MONITOR_DEFAULTTONULL), nullptr);
  SetWorkArea(RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)});
}

TEST_F(ServicesTest, ScreenSizeIsSettableAndReported) {
  HWND top = Top(0, 0, 100, 100, WS_POPUP);
  int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
  ClearLog();
  SetScreenSize(800, 600);
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 800);
  EXPECT_EQ(ScreenSurface()->Width(), 800);
  EXPECT_EQ(Logged(top, WM_DISPLAYCHANGE).size(), 1u);
  RECT d;
  GetWindowRect(GetDesktopWindow(), &d);
  EXPECT_EQ(d, (RECT{0, 0, 800, 600}));
  SetScreenSize(w, h);
}

TEST_F(ServicesTest, ShellOpensThroughTheLauncherWithAnArgumentVector) {
  TTempFolder folder;
  const std::string file = folder.Path() + "/отчёт; rm -rf ~.xls";
  folder.Write("отчёт; rm -rf ~.xls", "");
  static std::vector<std::string> argv;
  SetShellLauncher([](const std::vector<std::string>& a) {
    argv = a;
    return true;
  });
  HINSTANCE r = ShellExecute(nullptr, u"open", Utf8ToString(file).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  EXPECT_GT(ShellCode(r), 32u);
  EXPECT_EQ(argv, (std::vector<std::string>{"xdg-open", file}));
  EXPECT_GT(ShellCode(ShellExecute(nullptr, u"open", u"https://example.org/a?b=1", nullptr, nullptr, 1)),
            32u);
  EXPECT_EQ(argv.back(), "https://example.org/a?b=1");
  SetShellLauncher([](const std::vector<std::string>&) { return false; });
  EXPECT_EQ(ShellCode(ShellExecute(nullptr, u"open", Utf8ToString(file).c_str(), nullptr, nullptr, 1)),
            static_cast<std::uintptr_t>(SE_ERR_NOASSOC));
  SetShellLauncher(nullptr);
  int beeps = MessageBeepCount();
  MessageBeep(0);
  EXPECT_EQ(MessageBeepCount(), beeps + 1);
}

TEST_F(ServicesTest, ShellStartsTheOpenerWithoutWaitingAndReportsWhyItCouldNot) {
  TTempFolder folder;
  folder.Write("document.txt", "");
  const std::string document = folder.Path() + "/document.txt";
  // An opener that records its argument, then waits for the test's go-ahead (at most about five
  // seconds, then fails): a ShellExecute that waited for it would come back late and failed.
  folder.Write("xdg-open",
               "#!/bin/sh\n"
               "printf '%s' \"$1\" > \"$(dirname \"$0\")/opened.tmp\"\n"
               "mv \"$(dirname \"$0\")/opened.tmp\" \"$(dirname \"$0\")/opened\"\n"
               "for i in $(seq 50); do [ -e \"$(dirname \"$0\")/go\" ] && exit 0; sleep 0.1; done\n"
               "exit 1\n");
  std::filesystem::permissions(folder.Path() + "/xdg-open", std::filesystem::perms::owner_all);
  TEnvironment path("PATH", folder.Path() + ":/usr/bin:/bin");
  HINSTANCE r = ShellExecute(nullptr, u"open", Utf8ToString(document).c_str(), nullptr, nullptr, 1);
  EXPECT_GT(ShellCode(r), 32u);
  EXPECT_FALSE(std::filesystem::exists(folder.Path() + "/go"));  // returned while the opener waits
  folder.Write("go", "");
  EXPECT_EQ(folder.WaitFor("opened"), document);

  EXPECT_EQ(ShellCode(ShellExecute(nullptr, u"open", u"/no/such/file.xls", nullptr, nullptr, 1)),
            static_cast<std::uintptr_t>(SE_ERR_FNF));
  TEnvironment noOpener("PATH", folder.Path() + "/empty");
  EXPECT_EQ(ShellCode(ShellExecute(nullptr, u"open", Utf8ToString(document).c_str(), nullptr, nullptr, 1)),
            static_cast<std::uintptr_t>(SE_ERR_NOASSOC));
}

TEST_F(ServicesTest, SetCursorMessageChoosesTheClassCursorOrTheSizingOnes) {
  WNDCLASSEX wc;
  wc.lpfnWndProc = &LoggingProc;
  wc.hCursor = LoadCursor(nullptr, IDC_IBEAM);
  wc.lpszClassName = u"TestIBeam";
  RegisterClassEx(&wc);
  HWND w = Top(100, 100, 300, 200, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, nullptr, u"TestIBeam");
  Pump();
  SimulateMouseMove(POINT{200, 200});
  Pump();
  EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_IBEAM));
  SimulateMouseMove(POINT{398, 200});
  Pump();
  EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_SIZEWE));
  TCursorInfo info;
  ASSERT_TRUE(GetCursorDetails(GetCursor(), &info));
  EXPECT_EQ(info.standardId, 32644);
  // Cursors made from masks: AND 0 + XOR 1 is white, AND 1 + XOR 0 transparent.
  BYTE andMask[2 * 2] = {0x00, 0x00, 0xFF, 0xFF};
  BYTE xorMask[2 * 2] = {0xFF, 0xFF, 0x00, 0x00};
  HCURSOR made = CreateCursor(nullptr, 1, 1, 16, 2, andMask, xorMask);
  ASSERT_TRUE(GetCursorDetails(made, &info));
  EXPECT_EQ(info.pixels[0], 0xFFFFFFFFu);
  EXPECT_EQ(info.pixels[16], 0u);
  EXPECT_TRUE(DestroyCursor(made));
  DestroyWindow(w);
  UnregisterClass(u"TestIBeam", nullptr);
}

TEST_F(ServicesTest, CaretBlinksOnTheClockAndHidesForPainting) {
  HWND w = Top(0, 0, 100, 100, WS_POPUP | WS_VISIBLE);
  Pump();
  ASSERT_TRUE(CreateCaret(w, nullptr, 2, 14));
  SetCaretPos(10, 5);
  EXPECT_FALSE(IsCaretDrawn());  // created hidden
  ShowCaret(w);
  Pump();
  EXPECT_TRUE(IsCaretDrawn());
  COLORREF on = 0;
  {
    HDC dc = GetDC(w);
    on = GetPixel(dc, 10, 5);
    ReleaseDC(w, dc);
  }
  clock_->Advance(GetCaretBlinkTime());
  Pump();
  EXPECT_FALSE(IsCaretDrawn());
  HDC dc = GetDC(w);
  EXPECT_NE(GetPixel(dc, 10, 5), on);  // inverted back
  ReleaseDC(w, dc);
  clock_->Advance(GetCaretBlinkTime());
  Pump();
  EXPECT_TRUE(IsCaretDrawn());
  HideCaret(w);
  EXPECT_FALSE(IsCaretDrawn());
  POINT p;
  GetCaretPos(&p);
  EXPECT_EQ(p, (POINT{10, 5}));
  DestroyCaret();
  EXPECT_FALSE(GetCaretPos(&p));
}

TEST_F(ServicesTest, CursorFilesAreReadWithTheirHotSpot) {
  // A 2 x 2 cursor, 32 bits per pixel, hot spot (1, 0): red top row, transparent bottom row.
  std::string d;
  auto u16 = [&](int v) { d += static_cast<char>(v & 0xFF), d += static_cast<char>((v >> 8) & 0xFF); };
  auto u32 = [&](long v) { u16(static_cast<int>(v & 0xFFFF)), u16(static_cast<int>((v >> 16) & 0xFFFF)); };
  u16(0), u16(2), u16(1);                                      // directory: cursor, one image
  d += '\2', d += '\2', d += '\0', d += '\0', u16(1), u16(0);  // 2 x 2, hot spot x 1, y 0
  u32(40 + 8 + 8), u32(22);                                    // size, offset
  u32(40), u32(2), u32(4), u16(1), u16(32), u32(0), u32(0), u32(0), u32(0), u32(0), u32(0);
  u32(0), u32(0);                    // bottom row (stored first): black
  u32(0x00FF0000), u32(0x00FF0000);  // top row: red
  u32(0xC0), u32(0);                 // AND mask: bottom row transparent
  std::string path = ::testing::TempDir() + "/test.cur";
  FILE* f = std::fopen(path.c_str(), "wb");
  std::fwrite(d.data(), 1, d.size(), f);
  std::fclose(f);
  HCURSOR c = LoadCursorFromFile(Utf8ToString(path).c_str());
  ASSERT_NE(c, nullptr);
  TCursorInfo info;
  ASSERT_TRUE(GetCursorDetails(c, &info));
  EXPECT_EQ(info.hotSpot, (POINT{1, 0}));
  EXPECT_EQ(info.width, 2);
  EXPECT_EQ(info.pixels, (std::vector<std::uint32_t>{0xFFFF0000u, 0xFFFF0000u, 0u, 0u}));
  EXPECT_EQ(LoadCursorFromFile(u"/nonexistent.cur"), nullptr);
  // Named resources come from the resource folder, once.
  SetCursorResourceFolder(::testing::TempDir());
  HCURSOR named = LoadCursor(reinterpret_cast<HINSTANCE>(1), u"test");
  EXPECT_NE(named, nullptr);
  EXPECT_EQ(LoadCursor(reinterpret_cast<HINSTANCE>(1), u"test"), named);
  EXPECT_EQ(LoadCursor(reinterpret_cast<HINSTANCE>(1), u"missing"), nullptr);
  SetCursorResourceFolder("");
}

TEST_F(ServicesTest, DamagedCursorFilesAreRefusedOrReadWithinTheirBytes) {
  // A 2 x 2 cursor of the given bit count and colours-used field; `tail` is the palette and the
  // rows, as many bytes as the case gives.
  auto cursor = [](int bits, std::uint32_t colorsUsed, const std::string& tail) {
    std::string d;
    auto u16 = [&](int v) { d += static_cast<char>(v & 0xFF), d += static_cast<char>((v >> 8) & 0xFF); };
    auto u32 = [&](std::uint32_t v) { u16(static_cast<int>(v & 0xFFFF)), u16(static_cast<int>(v >> 16)); };
    u16(0), u16(2), u16(1);
    d += '\2', d += '\2', d += '\0', d += '\0', u16(0), u16(0);
    u32(static_cast<std::uint32_t>(40 + tail.size())), u32(22);
    u32(40), u32(2), u32(4), u16(1), u16(bits), u32(0), u32(0), u32(0), u32(0), u32(colorsUsed), u32(0);
    return d + tail;
  };
  const std::string rows8(16, '\0');  // two 4-byte rows of indexes, two 4-byte mask rows
  struct Case {
    const char* what;
    std::string file;
    bool read;
  };
  const Case cases[] = {
      {"3 bits per pixel", cursor(3, 0, std::string(64, '\0')), false},
      {"no bits per pixel", cursor(0, 0, std::string(64, '\0')), false},
      {"64 bits per pixel", cursor(64, 0, std::string(64, '\0')), false},
      {"a negative colours-used count", cursor(8, 0xFFFFFFFFu, std::string(4 * 256, '\0') + rows8), true},
      {"an index past the one colour used", cursor(8, 1, std::string("\xff\0\0\0", 4) + std::string(4, '\xff') +
                                                           std::string(12, '\0')), true},
      {"rows cut short", cursor(8, 2, std::string(8 + 5, '\0')), false},
  };
  const std::string path = ::testing::TempDir() + "/damaged.cur";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    FILE* f = std::fopen(path.c_str(), "wb");
    std::fwrite(c.file.data(), 1, c.file.size(), f);
    std::fclose(f);
    HCURSOR h = LoadCursorFromFile(Utf8ToString(path).c_str());
    EXPECT_EQ(h != nullptr, c.read);
    TCursorInfo info;
    if (h && GetCursorDetails(h, &info)) {
      EXPECT_EQ(info.pixels.size(), 4u);
    }
  }
}

TEST_F(ServicesTest, NonClientMetricsDescribeTheClassicLook) {
  NONCLIENTMETRICS m;
  ASSERT_TRUE(SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof m, &m, 0));
  EXPECT_EQ(m.iScrollWidth, GetSystemMetrics(SM_CXVSCROLL));
  EXPECT_EQ(m.iCaptionHeight + 1, GetSystemMetrics(SM_CYCAPTION));
  EXPECT_EQ(m.lfCaptionFont.lfWeight, FW_BOLD);
  EXPECT_EQ(String(m.lfStatusFont.lfFaceName), u"Tahoma");
  HWND top = Top(0, 0, 10, 10, WS_POPUP);
  ClearLog();
  m.lfStatusFont.lfHeight = -13;
  SystemParametersInfo(SPI_SETNONCLIENTMETRICS, sizeof m, &m, SPIF_SENDCHANGE);
  auto change = Logged(top, WM_SETTINGCHANGE);
  ASSERT_EQ(change.size(), 1u);
  EXPECT_EQ(change[0].wParam, SPI_SETNONCLIENTMETRICS);
  NONCLIENTMETRICS back;
  SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof back, &back, 0);
  EXPECT_EQ(back.lfStatusFont.lfHeight, -13);
  m.lfStatusFont.lfHeight = -11;
  SystemParametersInfo(SPI_SETNONCLIENTMETRICS, sizeof m, &m, 0);
}
