// The tree view, the data-aware grid and the navigator shown by the SDL back end on a virtual X
// server, checked on the pixels X shows.
#include <SDL.h>

#include "platform/dbctrls/DBCtrls.h"
#include "platform/dbctrls/DBGrids.h"
#include "platform/dbctrls/tests/DataControlsFixture.h"
#include "platform/display/Display.h"
#include "platform/display/testing/CheckedScreens.h"
#include "platform/display/testing/DesktopPixels.h"
#include "platform/display/testing/VirtualDesktop.h"
#include "platform/forms/ComCtrls.h"

namespace {

using ControlsOnDesktopTest = DataControlsTest;

void ShowOnDesktop(TForm* form, TDataSource* source) {
  SetScreenSize(640, 480);
  ASSERT_TRUE(StartDisplay(TDisplayKind::Sdl)) << SDL_GetError();
  auto* window = static_cast<SDL_Window*>(DisplaySdlWindow());
  ASSERT_NE(window, nullptr);
  form->SetBounds(20, 20, 600, 400);

  auto* nav = new TDBNavigator(form);
  nav->SetParent(form);
  nav->SetBounds(8, 8, 240, 25);
  nav->SetDataSource(source);

  auto* tree = new TTreeView(form);
  tree->SetParent(form);
  tree->SetBounds(8, 40, 200, 300);
  TTreeNode* root = tree->Items()->Add(nullptr, u"Область");
  for (const char16_t* name : {u"Район", u"Город", u"Посёлок"}) tree->Items()->AddChild(root, name);
  root->Expand(false);
  root->getFirstChild()->SetSelected(true);
  tree->SetFocus();

  auto* grid = new TDBGrid(form);
  grid->SetParent(form);
  grid->SetBounds(216, 40, 360, 300);
  grid->SetDataSource(source);
  Application->ProcessMessages();
  LetDesktopSettle();
  Application->ProcessMessages();
  LetDesktopSettle();

  const auto shot = ReadDesktopImage(window);
  ASSERT_TRUE(shot);
  KeepCheckedScreen();
  auto at = [&](TControl* c, int x, int y) {
    POINT p = c->ClientToScreen(POINT{x, y});
    return PixelToColor(shot->At(p.x, p.y));
  };

  // The X server shows what the framework drew over the whole form.
  RECT wr;
  GetWindowRect(form->Handle(), &wr);
  EXPECT_EQ(CountPixelsDifferingFromScreen(*shot, wr), 0)
      << "pixels of the form differ from the framework's screen";

  // The tree: the focused selection in the highlight colour, the root's expanded button.
  RECT label = root->getFirstChild()->DisplayRect(true);
  EXPECT_EQ(at(tree, label.left + 1, label.top + 3), GetSysColor(COLOR_HIGHLIGHT));
  RECT rootRow = root->DisplayRect(false);
  EXPECT_EQ(at(tree, 9, (rootRow.top + rootRow.bottom) / 2), GetSysColor(COLOR_WINDOWTEXT)) << "minus sign";
  // The grid: a raised title, the current record's indicator.
  RECT title = grid->CellRect(1, 0);
  EXPECT_EQ(at(grid, title.left + 1, title.top + 8), GetSysColor(COLOR_BTNFACE));
  RECT indicator = grid->CellRect(0, 1);
  EXPECT_EQ(at(grid, (indicator.left + indicator.right) / 2, (indicator.top + indicator.bottom) / 2),
            RGB(0, 0, 0));
  // The navigator: the face of its first button.
  EXPECT_EQ(at(nav->Buttons(nbFirst), 2, 12), GetSysColor(COLOR_BTNFACE));
  StopDisplay();
}

TEST_F(ControlsOnDesktopTest, TreeGridAndNavigatorOnTheDesktop) {
  if (!OnVirtualDesktop()) {
    if (!VirtualDesktopInstalled()) GTEST_SKIP() << "xvfb-run is not installed";
    RunTestOnVirtualDesktop();
    return;
  }
  TADOQuery* q = Query(u"select * from KAT order by M_KATID");
  q->Open();
  ShowOnDesktop(form, Source(q));
}

}  // namespace
