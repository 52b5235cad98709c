// The demonstration form's sub-items, list and container items, edit and combo, used as a person
// would: clicks, hovering on the virtual clock, typing.
#include "dx/bars/dxBarCombo.h"
#include "dx/bars/dxBarContainerItem.h"
#include "dx/bars/dxBarDropDownListBox.h"
#include "dx/bars/dxBarEdit.h"
#include "dx/bars/dxBarSubItem.h"
#include "dx/bars/dxBarSubItemControl.h"
#include "dx/bars/dxBarSubMenuControl.h"
#include "dx/bars/tests/dxBarDemoUiTest.h"

namespace {

class DxBarDemoMenusTest : public DxBarDemoUiTest {
 protected:
  TdxBarSubItemControl* MainMenuEntry(int Index) const {
    return static_cast<TdxBarSubItemControl*>(LinkOf(u"Main Menu", Index)->Control());
  }
  TdxBarSubItemControl* ViewEntry() const { return MainMenuEntry(2); }
  TdxBarSubItemControl* WindowEntry() const { return MainMenuEntry(3); }
  static std::vector<String> ShownCaptions(TdxBarSubItemControl* Entry) {
    std::vector<String> captions;
    for (TdxBarItemLink* link : Entry->SubMenu()->ItemLinks()->VisibleItems())
      captions.push_back(link->Item()->Caption());
    return captions;
  }
  static TdxBarItemLink* ShownLink(TdxBarSubItemControl* Entry, int Index) {
    return Entry->SubMenu()->ItemLinks()->VisibleItems()[static_cast<size_t>(Index)];
  }
  void Wait(int Milliseconds) {
    clock->Advance(Milliseconds);
    Pump();
  }
  // Clicks into the editable part of a link of the search toolbar.
  void ClickIntoSearch(int Index) {
    RECT r = ScreenRectOf(LinkOf(u"Search", Index));
    ClickAt(POINT{r.right - 30, (r.top + r.bottom) / 2});
  }
  TdxBarEdit* Find() const { return static_cast<TdxBarEdit*>(demo->FindComponent(u"edFind")); }
  TdxBarCombo* City() const { return static_cast<TdxBarCombo*>(demo->FindComponent(u"cbCity")); }
};

TEST_F(DxBarDemoMenusTest, MainMenuEntriesOpenOnClickAndOnHoverWhileOneIsDropped) {
  ClickAt(CentreOf(ScreenRectOf(LinkOf(u"Main Menu", 2))));
  ASSERT_TRUE(ViewEntry()->IsOpen());
  // The container item shows the check group's buttons in its place.
  EXPECT_EQ(ShownCaptions(ViewEntry()), (std::vector<String>{u"&Bold", u"&Left", u"&Right"}));
  MoveTo(CentreOf(ScreenRectOf(LinkOf(u"Main Menu", 3))));
  EXPECT_FALSE(ViewEntry()->IsOpen());
  ASSERT_TRUE(WindowEntry()->IsOpen());
  EXPECT_EQ(ShownCaptions(WindowEntry()), (std::vector<String>{u"&1 Cards", u"&2 Courses", u"&3 Reports"}));
  KeepCheckedScreen("window");
  // Hovering a plain button of the main menu closes the dropped menu and opens nothing.
  MoveTo(CentreOf(ScreenRectOf(LinkOf(u"Main Menu", 1))));
  EXPECT_FALSE(WindowEntry()->IsOpen());
  EXPECT_TRUE(TakeClicks().empty());
  Key(VK_ESCAPE);
  Key(VK_ESCAPE);
  EXPECT_EQ(ActiveBarControl(), nullptr);
}

TEST_F(DxBarDemoMenusTest, AListEntryAndAContainerEntryRunTheirItems) {
  auto* windows = static_cast<TdxBarListItem*>(demo->FindComponent(u"liWindows"));
  ClickAt(CentreOf(ScreenRectOf(LinkOf(u"Main Menu", 3))));
  ASSERT_TRUE(WindowEntry()->IsOpen());
  ClickAt(CentreOf(ScreenRectOf(ShownLink(WindowEntry(), 1))));
  EXPECT_EQ(TakeClicks(), (std::vector<String>{u"liWindows"}));
  EXPECT_EQ(windows->ItemIndex(), 1);
  EXPECT_FALSE(WindowEntry()->IsOpen());
  EXPECT_EQ(ActiveBarControl(), nullptr);

  ClickAt(CentreOf(ScreenRectOf(LinkOf(u"Main Menu", 2))));
  ASSERT_TRUE(ViewEntry()->IsOpen());
  ClickAt(CentreOf(ScreenRectOf(ShownLink(ViewEntry(), 2))));
  EXPECT_EQ(TakeClicks(), (std::vector<String>{u"btnRight"}));
  EXPECT_TRUE(demo->Button(u"btnRight")->Down());
  EXPECT_FALSE(demo->Button(u"btnLeft")->Down());
  // Closed again, the sub-item holds its designed links, not the container's entries.
  EXPECT_EQ(static_cast<TdxBarSubItem*>(demo->FindComponent(u"sbView"))->ItemLinks()->Count(), 2);
}

TEST_F(DxBarDemoMenusTest, ALongTextTypedIntoTheEditIsKeptWhole) {
  ClickIntoSearch(0);
  String typed(300, u'k');
  typed[0] = u'A';
  typed[299] = u'z';
  Type(typed);
  Key(VK_RETURN);
  EXPECT_EQ(Find()->Text(), typed);
  KeepCheckedScreen();
}

TEST_F(DxBarDemoMenusTest, AnAltShortcutPressedInTheEditRunsItsItemOnce) {
  ClickIntoSearch(0);
  Type(u"abc");
  Key('N', 4);  // Alt+N: the toolbar's New
  EXPECT_EQ(TakeClicks(), (std::vector<String>{u"btnNew"}));
  EXPECT_EQ(Find()->Text(), u"");  // left without Enter: not stored
  // Alt+W opens the main menu's Window entry from the edit, once.
  ClickIntoSearch(0);
  Key('W', 4);
  EXPECT_TRUE(WindowEntry()->IsOpen());
  EXPECT_TRUE(TakeClicks().empty());
}

TEST_F(DxBarDemoMenusTest, TypingIntoTheComboFollowsItsStringsAndAClickChoosesOne) {
  TdxBarDropDownListBox* list = City()->ListBox();
  ClickIntoSearch(1);
  Key(VK_F4);
  ASSERT_TRUE(list->HandleAllocated());
  ASSERT_TRUE(IsWindowVisible(list->Handle()));
  Type(u"omsk");
  EXPECT_EQ(list->ItemIndex(), 2);  // "Omsk", found ignoring case
  KeepCheckedScreen("dropped");
  ClickAt(list->ClientToScreen(CentreOf(list->ItemRect(2))));
  EXPECT_FALSE(IsWindowVisible(list->Handle()));
  EXPECT_EQ(City()->ItemIndex(), 2);
  EXPECT_EQ(City()->Text(), u"Omsk");
  // Typed without the list and committed by Enter: a text no string matches is kept as typed.
  ClickIntoSearch(1);
  Type(u"Tver");
  Key(VK_RETURN);
  EXPECT_EQ(City()->Text(), u"Tver");
  EXPECT_EQ(City()->ItemIndex(), -1);
}

}  // namespace
