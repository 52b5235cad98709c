#include "dx/bars/tests/dxBarTestSupport.h"

namespace {

class DxBarItemTest : public DxBarTest {};

TEST_F(DxBarItemTest, TheHintFollowsTheCaptionOnlyWhileItWasTheCaptionsOwn) {
  struct TCase {
    const char16_t* hintBefore;
    const char16_t* oldCaption;
    const char16_t* newCaption;
    const char16_t* hintAfter;
  };
  const TCase cases[] = {
      {u"", u"", u"&Open...", u"Open"},
      {u"Open|Opens a file", u"&Open...", u"&Load...", u"Load|Opens a file"},
      {u"Open", u"&Open...", u"Lo&ad", u"Load"},
      {u"Something else", u"&Open...", u"&Load...", u"Something else"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(StringToUtf8(c.newCaption));
    TdxBarItem item(form.get());
    item.SetCaption(c.oldCaption);
    item.SetHint(c.hintBefore);
    item.SetCaption(c.newCaption);
    EXPECT_EQ(item.Hint(), c.hintAfter);
  }
  struct TSubItem : TdxBarItem {
    using TdxBarItem::TdxBarItem;
    bool HintFollowsCaption() const override { return false; }
  } sub(form.get());
  sub.SetCaption(u"&Edit");
  EXPECT_EQ(sub.Hint(), u"");
}

TEST_F(DxBarItemTest, CategoryOutsideTheManagersListIsIgnored) {
  manager->Categories()->Add(u"Edit");
  TdxBarItem* item = MakeItem(u"A", 1);
  EXPECT_EQ(item->Category(), 1);
  item->SetCategory(2);
  EXPECT_EQ(item->Category(), 1);
  item->SetCategory(-1);
  EXPECT_EQ(item->Category(), 1);
  item->SetCategory(0);
  EXPECT_EQ(item->Category(), 0);
  EXPECT_TRUE(item->HasParent());
  EXPECT_EQ(item->GetParentComponent(), manager);
  TdxBarItem temporary(form.get());
  EXPECT_EQ(temporary.Category(), -1);
  EXPECT_FALSE(temporary.HasParent());
}

TEST_F(DxBarItemTest, CustomizingShowsItemsAndEnablesCommands) {
  TdxBarItem* command = MakeItem(u"Cmd", 0);
  TdxBarItem* temporary = MakeItem(u"Tmp", -1);
  command->SetEnabled(false);
  temporary->SetEnabled(false);
  command->SetVisible(ivInCustomizing);
  EXPECT_FALSE(command->IsVisible());
  manager->SetCustomizing(true);
  EXPECT_TRUE(command->Enabled());
  EXPECT_FALSE(temporary->Enabled());
  EXPECT_TRUE(command->IsVisible());
  manager->SetCustomizing(false);
  EXPECT_FALSE(command->Enabled());
  EXPECT_FALSE(command->IsVisible());
  command->SetVisible(ivNever);
  manager->SetCustomizing(true);
  EXPECT_FALSE(command->IsVisible());
}

TEST_F(DxBarItemTest, AClickReportsToTheManagerAndARaisingHandlerReachesTheApplication) {
  TdxBarItem* item = MakeItem(u"Save");
  std::vector<String> calls;
  manager->OnClickItem = [&](TObject* sender, TdxBarItem* clicked) {
    EXPECT_EQ(sender, manager);
    calls.push_back(u"manager:" + clicked->Caption());
  };
  item->OnClick = [&](TObject* sender) {
    EXPECT_EQ(sender, item);
    calls.push_back(u"item");
    throw Exception(u"disk full");
  };
  String shown;
  Application->OnException = [&](TObject*, Exception& e) { shown = e.Message(); };
  item->Click();
  Application->OnException = nullptr;
  EXPECT_EQ(calls, (std::vector<String>{u"manager:Save", u"item"}));
  EXPECT_EQ(shown, u"disk full");

  calls.clear();
  item->SetEnabled(false);
  item->Click();
  EXPECT_TRUE(calls.empty());
}

TEST_F(DxBarItemTest, TemporaryItemsWithoutControlsAreFreed) {
  TdxBarItem* temporary = MakeItem(u"Tmp", -1);
  bool destroyed = false;
  temporary->OnDestroy = [&](TObject*) { destroyed = true; };
  AddTemporaryItem(temporary);
  ASSERT_EQ(TemporaryItems().size(), 1u);
  FreeTemporaryItems();
  EXPECT_TRUE(destroyed);
  EXPECT_TRUE(TemporaryItems().empty());
  EXPECT_EQ(manager->ItemCount(), 0);
}

}  // namespace
