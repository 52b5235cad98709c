// A form holding the common controls (page control, combo box, list view with check boxes, date
// picker with its calendar dropped down, bevel, animation) shown through the SDL back end on a
// virtual X server, checked on the pixels the X server shows.
#include <SDL.h>
#include <gtest/gtest.h>

#include <memory>

#include "platform/display/Display.h"
#include "platform/display/testing/CheckedScreens.h"
#include "platform/display/testing/DesktopPixels.h"
#include "platform/display/testing/VirtualDesktop.h"
#include "platform/forms/ComCtrls.h"
#include "platform/forms/Forms.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/String.h"
#include "platform/win/Paint.h"
#include "platform/win/SysColors.h"
#include "platform/win/Windows.h"

namespace {

template <class T>
T* Place(TForm* Form, TWinControl* Parent, int Left, int Top, int Width, int Height) {
  T* c = new T(Form);
  c->SetParent(Parent);
  c->SetBounds(Left, Top, Width, Height);
  return c;
}

void CommonControlsOnDesktop() {
  SetScreenSize(640, 480);
  ASSERT_TRUE(StartDisplay(TDisplayKind::Sdl)) << SDL_GetError();
  auto* window = static_cast<SDL_Window*>(DisplaySdlWindow());
  ASSERT_NE(window, nullptr);
  std::unique_ptr<TForm> form(NewForm<TForm>(nullptr));
  form->SetBounds(20, 20, 520, 400);
  form->SetCaption(S("Элементы"));
  auto* pages = Place<TPageControl>(form.get(), form.get(), 8, 8, 496, 250);
  auto* people = new TTabSheet(form.get());
  people->SetCaption(S("Источник"));
  people->SetPageControl(pages);
  auto* other = new TTabSheet(form.get());
  other->SetCaption(S("Получатель"));
  other->SetPageControl(pages);
  auto* list = Place<TListView>(form.get(), people, 4, 4, 300, 150);
  list->SetViewStyle(vsReport);
  list->SetCheckboxes(true);
  list->Columns()->Add()->SetCaption(S("наименование"));
  list->Columns()->Items(0)->SetWidth(140);
  list->Columns()->Add()->SetCaption(S("значение"));
  for (const char* row : {"фамилия", "имя", "отчество"}) list->Items()->Add()->SetCaption(S(row));
  list->Items()->Item(0)->SetChecked(true);
  list->SetItemIndex(1);
  auto* combo = Place<TComboBoxEx>(form.get(), people, 320, 4, 160, 24);
  combo->SetStyleEx(csExDropDownList);
  for (const char* item : {"точное совпадение", "начинается с ", "содержит"}) combo->Items()->Add(S(item));
  combo->SetItemIndex(1);
  auto* bevel = Place<TBevel>(form.get(), form.get(), 8, 266, 496, 2);
  bevel->SetShape(bsTopLine);
  auto* picker = Place<TDateTimePicker>(form.get(), form.get(), 8, 276, 160, 24);
  picker->SetDate(EncodeDate(2024, 3, 5));
  auto* anim = Place<TAnimate>(form.get(), form.get(), 200, 276, 60, 60);
  anim->SetCommonAVI(aviFindFile);
  form->Show();
  Application->ProcessMessages();
  // The calendar dropped down over the form, as a person opens it.
  picker->SetFocus();
  SimulateKeyPress(VK_F4);
  Application->ProcessMessages();
  ASSERT_TRUE(picker->DroppedDown());
  LetDesktopSettle();
  EXPECT_TRUE(KeepCheckedScreen());

  const auto shot = ReadDesktopImage(window);
  ASSERT_TRUE(shot);
  auto at = [&](TControl* c, int x, int y) {
    POINT p = c->ClientToScreen(POINT{x, y});
    return PixelToColor(shot->At(p.x, p.y));
  };
  // The X server shows what the framework drew.
  RECT wr;
  GetWindowRect(form->Handle(), &wr);
  EXPECT_EQ(CountPixelsDifferingFromScreen(*shot, wr), 0);

  // The page control's active tab stands out; the list view's tick, header and selected row.
  RECT tab = pages->TabRect(0);
  EXPECT_EQ(at(pages, (tab.left + tab.right) / 2, 0), GetSysColor(COLOR_BTNHIGHLIGHT));
  // Ink inside a box's frame: the tick of the first row, none in the second.
  auto tickInk = [&](int row) {
    RECT box = list->CheckBoxRect(row);
    int n = 0;
    for (int y = box.top + 3; y < box.bottom - 3; ++y)
      for (int x = box.left + 3; x < box.right - 3; ++x) n += at(list, x, y) == GetSysColor(COLOR_WINDOWTEXT);
    return n;
  };
  EXPECT_GT(tickInk(0), 5);
  EXPECT_EQ(tickInk(2), 0);
  EXPECT_EQ(at(list, 1, list->HeaderHeight() / 2), GetSysColor(COLOR_BTNHIGHLIGHT));
  RECT row = list->ItemRect(1);
  EXPECT_EQ(at(list, 20, row.top + 1), GetSysColor(COLOR_BTNFACE));  // selected, list not focused
  // The combo box's button arrow; the bevel's dark line over its light one.
  EXPECT_EQ(at(combo, combo->ClientWidth() - 2 - 8, combo->ClientHeight() / 2 - 1),
            GetSysColor(COLOR_BTNTEXT));
  EXPECT_EQ(at(bevel, 100, 0), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(at(bevel, 100, 1), GetSysColor(COLOR_BTNHIGHLIGHT));
  // The calendar below the picker, the 5th of March highlighted in its first week.
  POINT below = picker->ClientToScreen(POINT{0, picker->Height()});
  EXPECT_NE(PixelToColor(shot->At(below.x + 20, below.y + 80)), GetSysColor(COLOR_BTNFACE));

  SimulateKeyPress(VK_ESCAPE);
  Application->ProcessMessages();
  form.reset();
  Application->ProcessMessages();
  StopDisplay();
}

TEST(CommonControlsScreen, AFormOfTheCommonControlsOnTheDesktop) {
  if (OnVirtualDesktop()) return CommonControlsOnDesktop();
  if (!VirtualDesktopInstalled()) GTEST_SKIP() << "xvfb-run is not installed";
  RunTestOnVirtualDesktop();
}

}  // namespace
