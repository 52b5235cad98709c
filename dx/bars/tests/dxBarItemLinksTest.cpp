#include "dx/bars/tests/dxBarTestSupport.h"
#include "platform/win/Input.h"

namespace {

class DxBarItemLinksTest : public DxBarTest {
 protected:
  void SetUp() override {
    DxBarTest::SetUp();
    links = std::make_unique<TdxBarItemLinks>(manager, nullptr);
  }
  void TearDown() override { links.reset(); }

  TdxBarItemLink* AddLink(const String& Caption) {
    TdxBarItemLink* link = links->Add();
    link->SetItem(MakeItem(Caption));
    return link;
  }

  std::unique_ptr<TdxBarItemLinks> links;
};

TEST_F(DxBarItemLinksTest, TheShortMenuKeepsTheLinksUsedAboveTheThreshold) {
  TdxBarItemLink* l[4];
  const int counts[] = {0, 0, 20, 40};
  for (int i = 0; i < 4; ++i) {
    l[i] = AddLink(u"L" + String(1, u'0' + i));
    l[i]->SetUseCount(counts[i]);
  }
  // Recency: L3, L0, L2, L1. With 95 percent, T = 0 + 40 * 5 / 100 = 2: the last link at or above
  // it is L2 at position 2, so three links show.
  l[1]->SetRecentIndex(3);
  l[2]->SetRecentIndex(2);
  l[0]->SetRecentIndex(1);
  l[3]->SetRecentIndex(0);
  ASSERT_EQ(links->RecencyList(), (std::vector<TdxBarItemLink*>{l[3], l[0], l[2], l[1]}));
  EXPECT_EQ(links->CalcRecentItemCount(), 3);
  links->SetRecentItemCount(3);
  EXPECT_EQ(links->VisibleItems(), (std::vector<TdxBarItemLink*>{l[0], l[2], l[3]}));
  links->RestoreRecentItemCount();
  EXPECT_EQ(links->VisibleItems().size(), 4u);

  // With the rarely used link last in use as well, nothing would be hidden: a full menu.
  l[1]->SetUseCount(5);
  EXPECT_EQ(links->CalcRecentItemCount(), -1);

  // The standard style never shortens a menu.
  l[1]->SetUseCount(0);
  manager->SetStyle(bmsStandard);
  EXPECT_EQ(links->CalcRecentItemCount(), -1);
  links->SetRecentItemCount(2);
  EXPECT_EQ(links->RecentItemCount(), -1);
  EXPECT_EQ(links->VisibleItems().size(), 4u);
}

TEST_F(DxBarItemLinksTest, AHiddenLinksSeparatorMovesToTheNextShownLink) {
  TdxBarItemLink* a = AddLink(u"A");
  TdxBarItemLink* b = AddLink(u"B");
  TdxBarItemLink* c = AddLink(u"C");
  a->SetBeginGroup(true);
  b->SetBeginGroup(true);
  EXPECT_FALSE(a->BeginGroup());  // the first shown link never begins a group
  EXPECT_TRUE(b->BeginGroup());
  EXPECT_FALSE(c->BeginGroup());
  b->SetVisible(false);
  EXPECT_EQ(b->VisibleIndex(), -1);
  EXPECT_TRUE(b->BeginGroup());  // a hidden link reports its own flag
  EXPECT_TRUE(c->BeginGroup());
  b->Item()->SetVisible(ivNever);  // an item that is never shown takes its separator along
  b->SetVisible(true);
  EXPECT_FALSE(c->BeginGroup());
  EXPECT_EQ(links->VisibleItems(), (std::vector<TdxBarItemLink*>{a, c}));
}

TEST_F(DxBarItemLinksTest, LinksFollowTheirItemsAndDieWithoutOne) {
  std::vector<String> events;
  manager->OnItemLinkAdd = [&](TObject*, TdxBarItemLink*) { events.push_back(u"add"); };
  manager->OnItemLinkDelete = [&](TObject*, TdxBarItemLink*) { events.push_back(u"delete"); };
  TdxBarItemLink* a = AddLink(u"A");
  TdxBarItem* item = a->Item();
  EXPECT_EQ(item->LinkCount(), 1);
  EXPECT_EQ(a->UseCount(), manager->RecentUseThreshold());
  a->SetItem(nullptr);
  EXPECT_EQ(links->Count(), 0);
  EXPECT_EQ(item->LinkCount(), 0);
  TdxBarItemLink* b = AddLink(u"B");
  delete b->Item();  // the item takes its links along
  EXPECT_EQ(links->Count(), 0);
  EXPECT_TRUE(links->RecencyList().empty());
  EXPECT_EQ(events, (std::vector<String>{u"add", u"delete", u"add", u"delete"}));
}

TEST_F(DxBarItemLinksTest, AnItemCannotBePutIntoItsOwnSubMenu) {
  struct TSubItem : TdxBarItem {
    explicit TSubItem(TComponent* owner, TdxBarManager* m) : TdxBarItem(owner), links(m, this) {}
    TdxBarItemLinks* ItemLinks() const override { return const_cast<TdxBarItemLinks*>(&links); }
    TdxBarItemLinks links;
  };
  TSubItem outer(form.get(), manager);
  TSubItem inner(form.get(), manager);
  outer.links.Add()->SetItem(&inner);
  TdxBarItemLink* recursive = inner.links.Add();
  try {
    recursive->SetItem(&outer);
    FAIL() << "a recursive sub item was made";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), u"You cannot create recursive subitems");
  }
  EXPECT_EQ(recursive->Item(), nullptr);
  EXPECT_EQ(outer.LinkCount(), 0);
  EXPECT_THROW(outer.links.Add()->SetItem(&outer), Exception);
}

TEST_F(DxBarItemLinksTest, AcceleratorsMatchKeyAndShiftAsTheCaptionAsks) {
  struct TCase {
    const char16_t* caption;
    WORD key;
    TShiftState shift;
    bool matches;
  };
  const TShiftState none, shift{ssShift}, ctrl{ssCtrl};
  const TCase cases[] = {
      {u"&Apple", 'A', none, true},   {u"&Apple", 'A', shift, true},   {u"&apple", 'A', none, true},
      {u"&apple", 'A', shift, false}, {u"&1st", '1', none, true},      {u"&1st", '1', shift, false},
      {u"&1st", '1', ctrl, false},    {u"Tom && Jerry", 'J', none, false}, {u"Ends&", 'S', none, false},
      {u"&Apple", 'B', none, false},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(StringToUtf8(c.caption));
    TdxBarItemLink* link = AddLink(c.caption);
    EXPECT_EQ(TdxBarItemLinks::MatchesAccelerator(link, c.key, c.shift), c.matches);
    delete link->Item();
  }
}

TEST_F(DxBarItemLinksTest, TheAcceleratorSearchCyclesFromTheStartLink) {
  TdxBarItemLink* first = AddLink(u"&Save");
  TdxBarItemLink* second = AddLink(u"Save &As");
  TdxBarItemLink* third = AddLink(u"&Search");
  TdxBarItemLink* disabled = AddLink(u"&Sort");
  disabled->Item()->SetEnabled(false);
  TShiftState alt{ssAlt};
  EXPECT_EQ(links->FindAccelerated('S', alt, nullptr), third);  // starts after the first link
  EXPECT_EQ(links->FindAccelerated('S', alt, third), first);    // the disabled one is passed over
  EXPECT_EQ(links->FindAccelerated('S', alt, first), third);
  EXPECT_EQ(links->FindAccelerated('A', alt, third), second);
  EXPECT_EQ(links->FindAccelerated('Q', alt, nullptr), nullptr);
}

TEST_F(DxBarItemLinksTest, AShortcutClicksTheFirstEnabledItem) {
  TdxBarItemLink* off = AddLink(u"Off");
  TdxBarItemLink* on = AddLink(u"On");
  TShortCut ctrlS = ShortCut('S', TShiftState{ssCtrl});
  off->Item()->SetShortCut(ctrlS);
  off->Item()->SetEnabled(false);
  on->Item()->SetShortCut(ctrlS);
  int clicks = 0;
  off->Item()->OnClick = [&](TObject*) { clicks += 100; };
  on->Item()->OnClick = [&](TObject*) { ++clicks; };
  EXPECT_TRUE(links->FindShortCut(ctrlS));
  EXPECT_EQ(clicks, 1);
  EXPECT_FALSE(links->FindShortCut(0));
  EXPECT_FALSE(links->FindShortCut(ShortCut('Q', TShiftState{ssCtrl})));
  EXPECT_EQ(clicks, 1);
}

TEST_F(DxBarItemLinksTest, UserValuesComeAndGoWithTheirFlags) {
  TdxBarItemLink* link = AddLink(u"Item");
  link->SetUserCaption(u"Mine");
  EXPECT_EQ(link->Caption(), u"Mine");
  EXPECT_TRUE(link->UserDefine().Contains(udCaption));
  link->SetUserWidth(5);
  EXPECT_EQ(link->UserWidth(), 20);
  link->SetUserDefine({});
  EXPECT_EQ(link->Caption(), u"Item");
  EXPECT_EQ(link->UserCaption(), u"");
  EXPECT_EQ(link->UserWidth(), 0);
}

TEST_F(DxBarItemLinksTest, LoadedUsageSettlesIntoTheRecencyOrder) {
  TdxBarItemLink* a = AddLink(u"A");
  TdxBarItemLink* b = AddLink(u"B");
  TdxBarItemLink* c = AddLink(u"C");
  c->SetLoadedUseCount(7);
  c->SetLoadedRecentIndex(0);
  a->SetLoadedUseCount(3);
  a->SetLoadedRecentIndex(1);
  links->SettleLoadedUsage(false);
  EXPECT_EQ(links->RecencyList(), (std::vector<TdxBarItemLink*>{c, a, b}));
  EXPECT_EQ(c->UseCount(), 7);
  EXPECT_EQ(a->UseCount(), 3);
  EXPECT_EQ(b->UseCount(), manager->RecentUseThreshold());
}

}  // namespace
