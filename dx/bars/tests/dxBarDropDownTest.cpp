#include "dx/bars/dxBarButtonControl.h"
#include "dx/bars/dxBarPopupMenu.h"
#include "dx/bars/dxBarSubMenuControl.h"
#include "dx/bars/tests/dxBarUiTestSupport.h"

namespace {

class DxBarDropDownTest : public DxBarUiTest {
 protected:
  void SetUp() override {
    DxBarUiTest::SetUp();
    menu = new TdxBarPopupMenu(form);
    for (const char16_t* caption : {u"First", u"Second"}) {
      auto* entry = new TdxBarButton(form);
      entry->SetCaption(caption);
      entry->OnClick = [this, entry](TObject*) { log.push_back(entry->Caption()); };
      menu->ItemLinks()->Add()->SetItem(entry);
    }
    bar = MakeFloatingBar(200, 150, {u"Go"});
    go = static_cast<TdxBarButton*>(bar->ItemLinks()->Items(0)->Item());
    go->SetButtonStyle(bsDropDown);
    go->SetDropDownMenu(menu);
    go->OnClick = [this](TObject*) { log.push_back(u"Go"); };
    Pump();
  }
  RECT GoRect() const { return ScreenRectOf(bar->ItemLinks()->Items(0)); }
  TdxBarButtonControl* GoControl() const {
    return static_cast<TdxBarButtonControl*>(bar->ItemLinks()->Items(0)->Control());
  }

  TdxBarPopupMenu* menu = nullptr;
  TdxBar* bar = nullptr;
  TdxBarButton* go = nullptr;
  std::vector<String> log;
};

TEST_F(DxBarDropDownTest, TheArrowPartOpensTheMenuBelowTheButton) {
  RECT r = GoRect();
  // The arrow part: the manager's arrow width at the right end of the button.
  EXPECT_EQ(r.right - r.left, 8 * 2 + 12 + manager->ArrowWidth());
  ClickAt(POINT{r.right - 3, (r.top + r.bottom) / 2});
  TdxBarSubMenuControl* window = menu->MenuControl();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(GoControl()->DroppedDown());
  EXPECT_TRUE(log.empty());
  RECT placed;
  GetWindowRect(window->Handle(), &placed);
  EXPECT_EQ(placed.left, r.left);
  EXPECT_EQ(placed.top, r.bottom);
  EXPECT_EQ(window->SelectedControl(), nullptr);  // opened with the mouse: nothing selected
  KeepCheckedScreen("dropped");
  RECT second = menu->ItemLinks()->Items(1)->ItemRect();
  ClickAt(window->ClientToScreen(POINT{(second.left + second.right) / 2, (second.top + second.bottom) / 2}));
  EXPECT_EQ(log, (std::vector<String>{u"Second"}));
  EXPECT_EQ(menu->MenuControl(), nullptr);
  EXPECT_FALSE(GoControl()->DroppedDown());
  EXPECT_EQ(ActiveBarControl(), nullptr);
}

TEST_F(DxBarDropDownTest, TheButtonPartClicksAndDownOpensWithTheFirstEntrySelected) {
  RECT r = GoRect();
  ClickAt(POINT{r.left + 5, (r.top + r.bottom) / 2});
  EXPECT_EQ(log, (std::vector<String>{u"Go"}));
  EXPECT_EQ(menu->MenuControl(), nullptr);
  log.clear();
  bar->Control()->EnterMenuMode(nullptr);
  SimulateKeyPress(VK_DOWN);
  Pump();
  TdxBarSubMenuControl* window = menu->MenuControl();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->SelectedControl(), menu->ItemLinks()->Items(0)->Control());
  SimulateKeyPress(VK_RETURN);
  Pump();
  EXPECT_EQ(log, (std::vector<String>{u"First"}));
  EXPECT_EQ(menu->MenuControl(), nullptr);
}

TEST_F(DxBarDropDownTest, ADisabledDropDownNeverOpens) {
  go->SetDropDownEnabled(false);
  RECT r = GoRect();
  ClickAt(POINT{r.right - 3, (r.top + r.bottom) / 2});
  EXPECT_EQ(menu->MenuControl(), nullptr);
  EXPECT_FALSE(GoControl()->DroppedDown());
}

}  // namespace
