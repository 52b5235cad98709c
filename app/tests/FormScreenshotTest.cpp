// A sample form shown through the SDL back end on a virtual X server: its screenshot is what the X
// server shows, read back from it, not the framework's own screen.
#include <SDL.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <iostream>
#include <memory>
#include <string>

#include "platform/display/Display.h"
#include "platform/display/testing/DesktopPixels.h"
#include "platform/display/testing/VirtualDesktop.h"
#include "platform/forms/ExtCtrls.h"
#include "platform/forms/Forms.h"
#include "platform/forms/StdCtrls.h"
#include "platform/gdi/Png.h"
#include "platform/rtl/String.h"
#include "platform/win/Metrics.h"
#include "platform/win/Paint.h"
#include "platform/win/SysColors.h"
#include "platform/win/Windows.h"

namespace {

struct TSampleForm {
  TForm* Form;
  TPanel* Panel;
  TLabel* Label;
  TEdit* Edit;
  TButton* Button;
  TListBox* List;
};

template <class T>
T* Place(TForm* Form, TWinControl* Parent, int Left, int Top, int Width, int Height) {
  T* c = new T(Form);
  c->SetParent(Parent);
  c->SetBounds(Left, Top, Width, Height);
  return c;
}

TSampleForm BuildSampleForm() {
  TSampleForm s{};
  s.Form = NewForm<TForm>(nullptr);
  s.Form->SetBounds(40, 30, 420, 320);
  s.Form->SetCaption(S("Образец"));
  s.Panel = Place<TPanel>(s.Form, s.Form, 0, 0, 100, 41);
  s.Panel->SetAlign(alTop);
  s.Panel->SetCaption(S("Сведения о сотруднике"));
  s.Label = Place<TLabel>(s.Form, s.Form, 16, 60, 80, 16);
  s.Label->SetCaption(S("Фамилия:"));
  s.Edit = Place<TEdit>(s.Form, s.Form, 100, 56, 200, 24);
  s.Edit->SetText(S("Иванов Пётр"));
  s.List = Place<TListBox>(s.Form, s.Form, 16, 96, 284, 120);
  for (const char* item : {"Курсы повышения квалификации", "Переподготовка", "Стажировка"})
    s.List->Items()->Add(S(item));
  s.Button = Place<TButton>(s.Form, s.Form, 316, 56, 75, 25);
  s.Button->SetCaption(S("OK"));
  return s;
}

// A left click on the desktop window at a point of the screen.
void ClickOnDesktop(SDL_Window* window, POINT p) {
  SDL_Event e{};
  e.type = SDL_MOUSEBUTTONDOWN;
  e.button.button = SDL_BUTTON_LEFT;
  e.button.state = SDL_PRESSED;
  e.button.x = p.x;
  e.button.y = p.y;
  e.button.windowID = SDL_GetWindowID(window);
  SDL_PushEvent(&e);
  e.type = SDL_MOUSEBUTTONUP;
  e.button.state = SDL_RELEASED;
  SDL_PushEvent(&e);
}

// A rectangle of a control's client area in screen coordinates.
RECT OnScreen(TControl* c, int Left, int Top, int Right, int Bottom) {
  const POINT a = c->ClientToScreen(POINT{Left, Top}), b = c->ClientToScreen(POINT{Right, Bottom});
  return {a.x, a.y, b.x, b.y};
}

int CountPixels(const TSurface& shot, const RECT& r, COLORREF colour) {
  int n = 0;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) n += PixelToColor(shot.At(x, y)) == colour;
  return n;
}

// Text ink: every channel in the darker half.
int CountDarkPixels(const TSurface& shot, const RECT& r) {
  int n = 0;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) {
      const COLORREF c = PixelToColor(shot.At(x, y));
      n += GetRValue(c) < 0x80 && GetGValue(c) < 0x80 && GetBValue(c) < 0x80;
    }
  return n;
}

std::string ScreenshotPath() {
  return (std::filesystem::temp_directory_path() / ("sample-form-" + std::to_string(getpid()) + ".png"))
      .string();
}

void SampleFormOnDesktop() {
  SetScreenSize(640, 480);
  ASSERT_TRUE(StartDisplay(TDisplayKind::Sdl)) << SDL_GetError();
  auto* window = static_cast<SDL_Window*>(DisplaySdlWindow());
  ASSERT_NE(window, nullptr);
  TSampleForm s = BuildSampleForm();
  std::unique_ptr<TForm> owner(s.Form);
  s.Form->Show();
  Application->ProcessMessages();

  // Select the second course the way a person does.
  const RECT item = s.List->ItemRect(1);
  ClickOnDesktop(window, s.List->ClientToScreen(POINT{item.left + 10, (item.top + item.bottom) / 2}));
  LetDesktopSettle();
  Application->ProcessMessages();
  LetDesktopSettle();
  EXPECT_EQ(s.List->ItemIndex(), 1);

  const auto shot = ReadDesktopImage(window);
  ASSERT_TRUE(shot);
  const std::string path = ScreenshotPath();
  ASSERT_TRUE(WritePng(*shot, shot->Bounds(), path)) << path;
  std::cout << "Screenshot of the sample form: " << path << std::endl;
  auto at = [&](POINT p) { return PixelToColor(shot->At(p.x, p.y)); };

  // The X server shows exactly what the framework drew over the whole form.
  RECT wr;
  GetWindowRect(s.Form->Handle(), &wr);
  EXPECT_EQ(CountPixelsDifferingFromScreen(*shot, wr), 0)
      << "pixels of the form differ from the framework's screen";

  // Caption bar, past its text and before its buttons.
  const COLORREF caption = at(POINT{wr.left + 250, wr.top + GetSystemMetrics(SM_CYFRAME) + 8});
  EXPECT_TRUE(IsCaptionColour(caption)) << std::hex << caption;

  // The panel: its face left of its centred caption, its raised edge, the caption's ink.
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  const int panelMiddle = s.Panel->Height() / 2;
  EXPECT_EQ(at(s.Panel->ClientToScreen(POINT{8, panelMiddle})), face);
  EXPECT_EQ(at(s.Panel->ClientToScreen(POINT{0, panelMiddle})), GetSysColor(COLOR_BTNHIGHLIGHT));
  EXPECT_GT(CountDarkPixels(*shot, OnScreen(s.Panel, 120, 8, 300, 33)), 40) << "panel caption";

  // The edit: window colour past its text, dark Cyrillic text at its left.
  const int editMiddle = s.Edit->ClientHeight() / 2;
  EXPECT_EQ(at(s.Edit->ClientToScreen(POINT{s.Edit->ClientWidth() - 6, editMiddle})),
            GetSysColor(COLOR_WINDOW));
  EXPECT_GT(CountDarkPixels(*shot, OnScreen(s.Edit, 0, 0, 90, s.Edit->ClientHeight())), 40) << "edit text";

  // The button: its face and its caption's ink in the middle.
  EXPECT_EQ(at(s.Button->ClientToScreen(POINT{6, s.Button->Height() / 2})), face);
  EXPECT_GT(CountDarkPixels(*shot, OnScreen(s.Button, 25, 5, 50, 20)), 10) << "button caption";

  // The list box: the selected item highlighted with its text in the highlight text colour, the
  // others on the window colour.
  const RECT selected = s.List->ItemRect(1), other = s.List->ItemRect(2);
  const int right = s.List->ClientWidth() - 6;
  EXPECT_EQ(at(s.List->ClientToScreen(POINT{right, (selected.top + selected.bottom) / 2})),
            GetSysColor(COLOR_HIGHLIGHT));
  EXPECT_GT(CountPixels(*shot, OnScreen(s.List, selected.left, selected.top, 120, selected.bottom),
                        GetSysColor(COLOR_HIGHLIGHTTEXT)),
            20)
      << "selected item's text";
  EXPECT_EQ(at(s.List->ClientToScreen(POINT{right, (other.top + other.bottom) / 2})),
            GetSysColor(COLOR_WINDOW));

  owner.reset();
  Application->ProcessMessages();
  StopDisplay();
}

TEST(FormScreenshot, SampleFormOnTheDesktop) {
  if (OnVirtualDesktop()) return SampleFormOnDesktop();
  if (!VirtualDesktopInstalled()) GTEST_SKIP() << "xvfb-run is not installed";
  RunTestOnVirtualDesktop();
}

}  // namespace
