#include <algorithm>

#include "dx/bars/dxBarPopupMenu.h"
#include "dx/bars/dxBarSubMenuControl.h"
#include "dx/bars/tests/dxBarUiTestSupport.h"

namespace {

class DxBarPopupMenuTest : public DxBarUiTest {
 protected:
  void SetUp() override {
    DxBarUiTest::SetUp();
    popup = new TdxBarPopupMenu(form);
    open = AddMenuButton(u"&Open");
    save = AddMenuButton(u"&Save");
    save->SetShortCut(ShortCut('S', TShiftState{ssCtrl}));
    quit = AddMenuButton(u"E&xit", true);
    popup->OnPopup = [this](TObject*) { log.push_back(u"popup"); };
    popup->OnCloseUp = [this](TObject*) { log.push_back(u"closeup"); };
  }
  TdxBarButton* AddMenuButton(const String& Caption, bool BeginGroup = false) {
    auto* button = new TdxBarButton(form);
    button->SetCaption(Caption);
    TdxBarItemLink* link = popup->ItemLinks()->Add();
    link->SetItem(button);
    link->SetBeginGroup(BeginGroup);
    button->OnClick = [this, button](TObject*) { log.push_back(button->Caption()); };
    return button;
  }
  // Input is queued first: the menu's loop reads it as it would read the user's.
  void PopupWith(const std::function<void()>& Input, POINT At = POINT{300, 200}) {
    Input();
    popup->Popup(At.x, At.y);
    Pump();
  }

  // The middle of an entry of the open menu, on the screen.
  POINT EntryCentre(int Index) const {
    RECT r = popup->ItemLinks()->Items(Index)->ItemRect();
    return popup->MenuControl()->ClientToScreen(POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
  }

  TdxBarPopupMenu* popup = nullptr;
  TdxBarButton *open = nullptr, *save = nullptr, *quit = nullptr;
  std::vector<String> log;
};

TEST_F(DxBarPopupMenuTest, KeysMoveAndEnterRunsTheSelectedEntry) {
  PopupWith([] {
    SimulateKeyPress(VK_DOWN);
    SimulateKeyPress(VK_DOWN);
    SimulateKeyPress(VK_RETURN);
  });
  EXPECT_EQ(log, (std::vector<String>{u"popup", u"closeup", u"&Save"}));
  EXPECT_FALSE(popup->IsOpen());
  EXPECT_EQ(popup->MenuControl(), nullptr);
  EXPECT_EQ(ActiveBarControl(), nullptr);
}

TEST_F(DxBarPopupMenuTest, EscapeClosesWithoutRunningAndCommandsAreDropped) {
  int commands = 0;
  TWndMethod previous = form->WindowProc;
  form->WindowProc = [&](TMessage& m) {
    if (m.Msg == WM_COMMAND && m.WParam == 4321) ++commands;
    previous(m);
  };
  PopupWith([this] {
    PostMessage(form->Handle(), WM_COMMAND, 4321, 0);
    SimulateKeyPress(VK_DOWN);
    SimulateKeyPress(VK_ESCAPE);
  });
  form->WindowProc = previous;
  EXPECT_EQ(log, (std::vector<String>{u"popup", u"closeup"}));
  EXPECT_EQ(commands, 0);
}

TEST_F(DxBarPopupMenuTest, TheSelectedEntrysLongHintIsTheApplicationsWhileTheMenuRuns) {
  open->SetHint(u"Open|Opens a document");
  save->SetHint(u"Save|Writes the document");
  std::vector<String> hints;
  Application->OnHint = [&](TObject*) { hints.push_back(Application->Hint()); };
  PopupWith([] {
    SimulateKeyPress(VK_DOWN);
    SimulateKeyPress(VK_DOWN);
    SimulateKeyPress(VK_ESCAPE);
  });
  Application->OnHint = nullptr;
  const auto at = [&](const char16_t* Text) { return std::find(hints.begin(), hints.end(), String(Text)); };
  ASSERT_NE(at(u"Opens a document"), hints.end());
  EXPECT_LT(at(u"Opens a document"), at(u"Writes the document"));
  EXPECT_NE(at(u"Writes the document"), hints.end());
}

TEST_F(DxBarPopupMenuTest, TheMenuListsItsEntriesWithGroupsAndShortcuts) {
  RECT window{};
  popup->SetNonModal(true);  // shown without its loop, so the test can look at it
  popup->Popup(300, 200);
  Pump();
  TdxBarSubMenuControl* shown = popup->MenuControl();
  ASSERT_NE(shown, nullptr);
  GetWindowRect(shown->Handle(), &window);
  EXPECT_EQ(window.left, 300);
  EXPECT_EQ(window.top, 200);
  const auto& links = *popup->ItemLinks();
  RECT first = links.Items(0)->ItemRect(), second = links.Items(1)->ItemRect(), third = links.Items(2)->ItemRect();
  EXPECT_EQ(first.top, 2);
  EXPECT_EQ(second.top, first.bottom);
  EXPECT_EQ(third.top, second.bottom + shown->GetSeparatorSize());  // the group's separator
  // The widest entry is the one with the shortcut: caption, two text sizes, 6, and the shortcut text.
  TCanvas* canvas = shown->Canvas();
  int saveWidth = canvas->TextWidth(u"Save") + 2 * shown->TextSize() + 6 + canvas->TextWidth(u"Ctrl+S") +
                  shown->TextSize() - 6;
  EXPECT_EQ(window.right - window.left, saveWidth + 6);
  KeepCheckedScreen();
  SendMessage(shown->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
  Pump();
  EXPECT_FALSE(popup->IsOpen());
}

TEST_F(DxBarPopupMenuTest, AClickRunsAnEntryAndAClickOutsideCloses) {
  popup->SetNonModal(true);  // shown without its loop, so the test can look between the clicks
  popup->Popup(300, 200);
  Pump();
  TdxBarSubMenuControl* menu = popup->MenuControl();
  ASSERT_NE(menu, nullptr);
  POINT at = EntryCentre(2);
  MoveTo(at);
  EXPECT_EQ(menu->SelectedControl(), popup->ItemLinks()->Items(2)->Control());
  KeepCheckedScreen("hot");
  ClickAt(at);
  EXPECT_EQ(log, (std::vector<String>{u"popup", u"closeup", u"E&xit"}));
  log.clear();
  popup->Popup(300, 200);
  Pump();
  ClickAt(form->ClientToScreen(POINT{10, 300}));
  EXPECT_EQ(log, (std::vector<String>{u"popup", u"closeup"}));
  EXPECT_EQ(popup->MenuControl(), nullptr);
}

// The right button runs an entry of a free-standing popup menu, not of a menu dropped from a button.
TEST_F(DxBarPopupMenuTest, TheRightButtonRunsAnEntryOnlyInAFreeStandingMenu) {
  popup->SetNonModal(true);
  for (bool freeStanding : {true, false}) {
    SCOPED_TRACE(freeStanding);
    log.clear();
    if (freeStanding)
      popup->Popup(300, 200);
    else
      popup->PopupEx(300, 200, 0, 20);
    Pump();
    TdxBarSubMenuControl* menu = popup->MenuControl();
    ASSERT_NE(menu, nullptr);
    POINT at = EntryCentre(1);
    MoveTo(at);
    clock->Advance(1000);
    SimulateClick(TSimButton::Right, at);
    Pump();
    if (freeStanding) {
      EXPECT_EQ(log, (std::vector<String>{u"popup", u"closeup", u"&Save"}));
      EXPECT_EQ(popup->MenuControl(), nullptr);
    } else {
      EXPECT_EQ(log, (std::vector<String>{u"popup"}));
      ASSERT_EQ(popup->MenuControl(), menu);
      Key(VK_ESCAPE);
    }
  }
}

TEST(DxBarMenuPlacementTest, MenusStayOnTheWorkAreaAndFlipOverTheirOpener) {
  const RECT work{0, 0, 800, 600};
  struct TCase {
    POINT at;
    SIZE size;
    int ownerWidth, ownerHeight;
    RECT expected;
  };
  const TCase cases[] = {
      {{100, 100}, {120, 200}, 0, 0, {100, 100, 220, 300}},     // fits
      {{750, 100}, {120, 200}, 0, 0, {680, 100, 800, 300}},     // pushed back from the right edge
      {{700, 100}, {120, 200}, 90, 0, {490, 100, 610, 300}},    // a sub-menu flips to the left of its opener
      {{100, 500}, {120, 200}, 0, 0, {100, 300, 220, 500}},     // a free menu opens upwards from the point
      {{100, 500}, {120, 200}, 0, 22, {100, 278, 220, 478}},    // a drop-down flips above its button
      {{100, 150}, {120, 500}, 0, 22, {100, 150, 220, 600}},    // more room below: shorter, scrolls
      {{-50, 100}, {120, 200}, 0, 0, {0, 100, 120, 300}},       // kept inside at the left
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.at.x << "," << c.at.y << " " << c.ownerWidth << "/" << c.ownerHeight);
    EXPECT_EQ(TdxBarSubMenuControl::CalcPosition(c.at, c.size, c.ownerWidth, c.ownerHeight, work), c.expected);
  }
}

TEST(DxBarPopupMenuNoManagerTest, APopupMenuNeedsAManager) {
  ASSERT_EQ(BarManagers()->Count(), 0);
  try {
    TdxBarPopupMenu menu(nullptr);
    FAIL() << "a popup menu was made without managers";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), u"There are no TdxBarManagers available");
  }
}

}  // namespace
