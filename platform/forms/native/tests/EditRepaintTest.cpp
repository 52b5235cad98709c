// Typing repaints only what it changes: after every keystroke the edit's pixels must be those a
// repaint of the whole window gives, so nothing the change moved was left stale on the screen.
#include <vector>

#include "platform/display/testing/CheckedScreens.h"
#include "platform/forms/tests/NativeTestSupport.h"

namespace {

constexpr int kWidth = 120, kHeight = 72;
constexpr UINT kShift = 1, kCtrl = 2;  // the simulated key's modifiers

std::vector<COLORREF> Pixels(HWND hwnd) {
  UpdateWindow(hwnd);
  std::vector<COLORREF> pixels;
  HDC dc = GetDC(hwnd);
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) pixels.push_back(GetPixel(dc, x, y));
  ReleaseDC(hwnd, dc);
  return pixels;
}

// A keystroke: typed text, or a key with its modifiers.
struct TStroke {
  const char16_t* text = nullptr;
  UINT vk = 0;
  UINT modifiers = 0;
};

struct TRepaintCase {
  const char* name;
  DWORD style;
  const char16_t* text;
  std::vector<TStroke> keys;  // after the text is typed
};

}  // namespace

class EditRepaintTest : public NativeControlTest {
 protected:
  // Compares what is on the screen with a full repaint; the caret is hidden for both.
  void ExpectNothingStale(HWND edit, const std::string& step) {
    HideCaret(edit);
    const std::vector<COLORREF> shown = Pixels(edit);
    InvalidateRect(edit, nullptr, TRUE);
    const std::vector<COLORREF> full = Pixels(edit);
    ShowCaret(edit);
    int stale = 0, first = -1;
    for (size_t i = 0; i < full.size(); ++i)
      if (shown[i] != full[i] && stale++ == 0) first = static_cast<int>(i);
    EXPECT_EQ(stale, 0) << step << ": first stale pixel at (" << first % kWidth << ", " << first / kWidth << ")";
  }
};

TEST_F(EditRepaintTest, EveryKeystrokeLeavesThePixelsOfAFullRepaint) {
  const TStroke home{nullptr, VK_HOME}, back{nullptr, VK_BACK}, del{nullptr, VK_DELETE};
  const TRepaintCase cases[] = {
      {"single line, typed at the end and in the middle",
       ES_AUTOHSCROLL,
       u"hello world",
       {home, {nullptr, VK_RIGHT}, {nullptr, VK_RIGHT}, {u"X"}, {u"Y"}, back}},
      {"single line over a selection",
       ES_AUTOHSCROLL,
       u"abcdefgh",
       {{nullptr, VK_LEFT, kShift}, {nullptr, VK_LEFT, kShift}, {u"Q"}}},
      {"password", ES_AUTOHSCROLL | ES_PASSWORD, u"secret", {back, {u"x"}}},
      {"centred", ES_CENTER, u"mid", {home, {u"W"}}},
      {"lines joined and split",
       ES_MULTILINE | ES_AUTOHSCROLL | ES_WANTRETURN,
       u"one\rtwo\rthree",
       {{nullptr, VK_UP}, home, back, {u"\r"}, {u"x"}}},
      {"a wrapped paragraph re-wrapped from its start",
       ES_MULTILINE | ES_WANTRETURN,
       u"aaa bbb ccc ddd eee fff",
       {{nullptr, VK_HOME, kCtrl}, {u"W"}, {u"W"}, {u" "}, del, del, back}},
  };
  for (const TRepaintCase& c : cases) {
    SCOPED_TRACE(c.name);
    HWND edit = Create(u"EDIT", WS_BORDER | c.style, 10, 10, kWidth + 2, kHeight + 2);
    SetFocus(edit);
    Pump();
    for (const char16_t* p = c.text; *p; ++p) {
      Type(String(1, *p));
      ExpectNothingStale(edit, "typing");
    }
    for (const TStroke& stroke : c.keys) {
      if (stroke.text)
        Type(stroke.text);
      else
        Key(stroke.vk, stroke.modifiers);
      ExpectNothingStale(edit, "keys");
    }
    KeepCheckedWindow(edit, c.name);
    DestroyWindow(edit);
  }
}
