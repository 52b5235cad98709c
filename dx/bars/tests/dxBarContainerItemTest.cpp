#include "dx/bars/dxBarContainerItem.h"
#include "dx/bars/dxBarSubItemControl.h"
#include "dx/bars/dxBarSubMenuControl.h"
#include "dx/bars/tests/dxBarTestSupport.h"
#include "dx/bars/tests/dxBarUiTestSupport.h"

namespace {

TEST(DxBarListItemNumbers, DigitsThenLetters) {
  const std::pair<int, const char16_t*> cases[] = {{0, u"&1 "}, {8, u"&9 "}, {9, u"&A "}, {10, u"&B "}, {34, u"&Z "}};
  for (auto [entry, number] : cases) EXPECT_EQ(TdxBarListItem::EntryNumber(entry), number) << entry;
}

class DxBarListItemDataTest : public DxBarTest {};

TEST_F(DxBarListItemDataTest, DataIndexCountsOnlyStringsThatAreNotSeparators) {
  auto* list = new TdxBarListItem(form.get());
  EXPECT_EQ(list->DataIndex(), -1);
  list->SetDataIndex(0);
  EXPECT_EQ(list->ItemIndex(), -1);  // no strings
  for (const char16_t* s : {u"one", u"-", u"two", u"three"}) list->Items()->Add(s);
  struct TCase {
    int itemIndex, dataIndex;
  };
  for (TCase c : {TCase{0, 0}, TCase{2, 1}, TCase{3, 2}, TCase{4, -1}, TCase{-1, -1}}) {
    list->SetItemIndex(c.itemIndex);
    EXPECT_EQ(list->DataIndex(), c.dataIndex) << c.itemIndex;
  }
  list->SetDataIndex(1);
  EXPECT_EQ(list->ItemIndex(), 2);
  list->SetDataIndex(7);
  EXPECT_EQ(list->ItemIndex(), 4);  // none: the number of strings
}

class DxBarContainerItemTest : public DxBarUiTest {
 protected:
  void SetUp() override {
    DxBarUiTest::SetUp();
    menu = MakeTopBar(u"Main Menu", 0, true);
    window = new TdxBarSubItem(form);
    window->SetCaption(u"&Window");
    window->SetCategory(0);
    menu->ItemLinks()->Add()->SetItem(window);
    close = new TdxBarButton(form);
    close->SetCaption(u"&Close");
    close->SetCategory(0);
    window->ItemLinks()->Add()->SetItem(close);
    list = new TdxBarListItem(form);
    list->SetCategory(0);
    for (const char16_t* s : {u"one", u"-", u"two", u"three"}) list->Items()->Add(s);
    list->OnClick = [this](TObject*) { clicks.push_back(list->ItemIndex()); };
    window->ItemLinks()->Add()->SetItem(list);
    menu->SetVisible(true);
    SetForegroundWindow(form->Handle());
    Pump();
  }
  TdxBarSubItemControl* WindowControl() const {
    return static_cast<TdxBarSubItemControl*>(menu->ItemLinks()->Items(0)->Control());
  }
  void OpenWindowMenu() {
    RECT r = menu->ItemLinks()->Items(0)->ItemRect();
    POINT origin = menu->Control()->ClientToScreen(POINT{0, 0});
    ClickAt(POINT{origin.x + (r.left + r.right) / 2, origin.y + (r.top + r.bottom) / 2});
  }
  std::vector<String> ShownCaptions() const {
    std::vector<String> captions;
    for (TdxBarItemLink* link : window->ItemLinks()->VisibleItems()) captions.push_back(link->Item()->Caption());
    return captions;
  }

  TdxBar* menu = nullptr;
  TdxBarSubItem* window = nullptr;
  TdxBarButton* close = nullptr;
  TdxBarListItem* list = nullptr;
  std::vector<int> clicks;
};

TEST_F(DxBarContainerItemTest, AListItemShowsNumberedEntriesInItsPlace) {
  OpenWindowMenu();
  ASSERT_TRUE(WindowControl()->IsOpen());
  EXPECT_EQ(ShownCaptions(), (std::vector<String>{u"&Close", u"&1 one", u"&2 two", u"&3 three"}));
  const auto& shown = window->ItemLinks()->VisibleItems();
  EXPECT_TRUE(shown[1]->BeginGroup());
  EXPECT_TRUE(shown[2]->BeginGroup());  // after the separator
  EXPECT_FALSE(shown[3]->BeginGroup());
  EXPECT_EQ(shown[2]->ContainerLink(), window->ItemLinks()->Items(1));
  KeepCheckedScreen();
  menu->Control()->Close();
  Pump();
  // Closed: the menu holds its own links again.
  EXPECT_EQ(window->ItemLinks()->Count(), 2);
  EXPECT_EQ(ShownCaptions(), (std::vector<String>{u"&Close", u""}));
}

TEST_F(DxBarContainerItemTest, ACheckedEntryIsDownAndAClickSetsTheIndexBeforeTheListItemsClick) {
  list->SetShowCheck(true);
  list->SetItemIndex(2);
  OpenWindowMenu();
  auto* two = static_cast<TdxBarButton*>(window->ItemLinks()->VisibleItems()[2]->Item());
  EXPECT_TRUE(two->Down());
  EXPECT_EQ(two->ButtonStyle(), bsChecked);
  TdxBarItemLink* first = window->ItemLinks()->VisibleItems()[1];
  RECT r = first->ItemRect();
  POINT origin = first->Owner()->BarControl()->ClientToScreen(POINT{0, 0});
  ClickAt(POINT{origin.x + (r.left + r.right) / 2, origin.y + (r.top + r.bottom) / 2});
  EXPECT_EQ(clicks, (std::vector<int>{0}));
  EXPECT_EQ(list->ItemIndex(), 0);
  EXPECT_EQ(ActiveBarControl(), nullptr);
}

TEST_F(DxBarContainerItemTest, TheEntriesAreMadeOnceAndFreedWhenNoMenuUsesThem) {
  list->SetShowNumbers(false);
  OpenWindowMenu();
  EXPECT_EQ(ShownCaptions(), (std::vector<String>{u"&Close", u"one", u"two", u"three"}));
  int components = form->ComponentCount();
  menu->Control()->Close();
  Pump();
  // Reopened: the old entries, no longer linked, are made again; none is left on the form.
  list->Items()->Delete(0);
  list->Items()->Insert(0, u"uno");
  OpenWindowMenu();
  EXPECT_EQ(ShownCaptions(), (std::vector<String>{u"&Close", u"uno", u"two", u"three"}));
  EXPECT_EQ(form->ComponentCount(), components);
}

TEST_F(DxBarContainerItemTest, AContainerPlacedTwiceAsksForItsDataOncePerOpening) {
  auto* container = new TdxBarContainerItem(form);
  container->SetCategory(0);
  auto* cut = new TdxBarButton(form);
  cut->SetCaption(u"Cu&t");
  cut->SetCategory(0);
  container->ItemLinks()->Add()->SetItem(cut);
  int asked = 0;
  container->OnGetData = [&](TObject*) { ++asked; };
  window->ItemLinks()->Add()->SetItem(container);
  window->ItemLinks()->Add()->SetItem(container);
  OpenWindowMenu();
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(ShownCaptions(), (std::vector<String>{u"&Close", u"&1 one", u"&2 two", u"&3 three", u"Cu&t", u"Cu&t"}));
  menu->Control()->Close();
  Pump();
  OpenWindowMenu();
  EXPECT_EQ(asked, 2);
  EXPECT_EQ(cut->LinkCount(), 3);  // its own link and one a place
}

TEST_F(DxBarContainerItemTest, AListItemInAToolbarOpensItsEntriesOnAPress) {
  TdxBar* tools = MakeTopBar(u"Tools", 1);
  list->SetCaption(u"Recent");
  tools->ItemLinks()->Add()->SetItem(list);
  tools->SetVisible(true);
  Pump();
  auto* control = static_cast<TdxBarSubItemControl*>(tools->ItemLinks()->Items(0)->Control());
  ClickAt(CentreOf(ScreenRectOf(tools->ItemLinks()->Items(0))));
  ASSERT_TRUE(control->IsOpen());
  EXPECT_EQ(list->ItemLinks()->VisibleItems().size(), 3u);
  KeepCheckedScreen();
  tools->Control()->Close();
  Pump();
  EXPECT_EQ(list->ItemLinks()->Count(), 0);
}

}  // namespace
