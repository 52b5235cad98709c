// The demonstration form shown by the SDL back end on a virtual X server: its drop-down menu opened
// with the mouse and a shortcut typed, checked on the pixels X shows.
#include "dx/bars/dxBarSubMenuControl.h"
#include "dx/bars/tests/dxBarDemoForm.h"
#include "dx/bars/tests/dxBarUiTestSupport.h"
#include "platform/display/Display.h"
#include "platform/display/testing/DesktopPixels.h"
#include "platform/display/testing/VirtualDesktop.h"

namespace {

class DxBarDemoOnDesktopTest : public DxBarUiTest {};

TEST_F(DxBarDemoOnDesktopTest, TheDemonstrationFormOnTheDesktop) {
  if (!OnVirtualDesktop()) {
    if (!VirtualDesktopInstalled()) GTEST_SKIP() << "xvfb-run is not installed";
    RunTestOnVirtualDesktop();
    return;
  }
  ASSERT_TRUE(StartDisplay(TDisplayKind::Sdl)) << LastDisplayError();
  void* window = DisplaySdlWindow();
  ASSERT_NE(window, nullptr);
  delete form;
  auto* demo = NewBarsDemoForm();
  form = demo;
  demo->Show();
  SetForegroundWindow(demo->Handle());
  Pump();

  TdxBarItemLink* send = demo->Bar(u"Standard")->ItemLinks()->Items(5);
  RECT r = ScreenRectOf(send);
  ClickAt(POINT{r.right - 3, (r.top + r.bottom) / 2});
  TdxBarSubMenuControl* menu = demo->pmSend->MenuControl();
  ASSERT_NE(menu, nullptr);
  LetDesktopSettle();
  Pump();
  LetDesktopSettle();

  const auto shot = ReadDesktopImage(window);
  ASSERT_TRUE(shot);
  KeepCheckedScreen();
  RECT formRect, menuRect, both;
  GetWindowRect(demo->Handle(), &formRect);
  GetWindowRect(menu->Handle(), &menuRect);
  UnionRect(&both, &formRect, &menuRect);
  EXPECT_EQ(CountPixelsDifferingFromScreen(*shot, both), 0)
      << "pixels of the form and its menu differ from the framework's screen";
  // The open menu's frame stands out from the form below it.
  EXPECT_NE(shot->At(menuRect.left, menuRect.bottom - 1), shot->At(menuRect.left, menuRect.bottom + 1));

  SimulateKeyPress(VK_ESCAPE, 0);
  Pump();
  EXPECT_EQ(demo->pmSend->MenuControl(), nullptr);
  SimulateKeyPress('S', 2);
  Pump();
  EXPECT_EQ(demo->Clicks, (std::vector<String>{u"btnSave"}));
  StopDisplay();
}

}  // namespace
