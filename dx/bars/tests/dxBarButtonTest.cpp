#include "dx/bars/dxBarBars.h"
#include "dx/bars/dxBarButton.h"
#include "dx/bars/tests/dxBarTestSupport.h"

namespace {

class DxBarButtonTest : public DxBarTest {
 protected:
  TdxBarButton* MakeButton(TdxBarButtonStyle Style, int GroupIndex) {
    auto* button = new TdxBarButton(form.get());
    button->SetButtonStyle(Style);
    button->SetGroupIndex(GroupIndex);
    return button;
  }
  std::vector<bool> DownStates(std::initializer_list<TdxBarButton*> Buttons) {
    std::vector<bool> states;
    for (TdxBarButton* b : Buttons) states.push_back(b->Down());
    return states;
  }
};

TEST_F(DxBarButtonTest, ACheckGroupKeepsOneButtonDown) {
  TdxBarButton* a = MakeButton(bsChecked, 1);
  TdxBarButton* b = MakeButton(bsChecked, 1);
  TdxBarButton* c = MakeButton(bsChecked, 1);
  TdxBarButton* other = MakeButton(bsChecked, 2);
  other->SetDown(true);
  a->SetDown(true);
  b->SetDown(true);
  EXPECT_EQ(DownStates({a, b, c, other}), (std::vector<bool>{false, true, false, true}));
  b->SetDown(false);  // the last down button of the group stays down
  EXPECT_TRUE(b->Down());
  c->SetAllowAllUp(true);  // shared by the whole group
  EXPECT_TRUE(a->AllowAllUp());
  EXPECT_FALSE(other->AllowAllUp());
  b->SetDown(false);
  EXPECT_EQ(DownStates({a, b, c, other}), (std::vector<bool>{false, false, false, true}));
}

TEST_F(DxBarButtonTest, OnlyCheckButtonsGoDownOrKeepAGroup) {
  TdxBarButton* plain = MakeButton(bsDefault, 3);
  EXPECT_EQ(plain->GroupIndex(), 0);
  plain->SetDown(true);
  EXPECT_FALSE(plain->Down());
  TdxBarButton* check = MakeButton(bsChecked, 1);
  check->SetDown(true);
  check->SetButtonStyle(bsDropDown);
  EXPECT_FALSE(check->Down());
}

TEST_F(DxBarButtonTest, AClickOrItsShortcutTogglesACheckButton) {
  TdxBarButton* check = MakeButton(bsChecked, 0);
  bool downDuringClick = false;
  check->OnClick = [&](TObject*) { downDuringClick = check->Down(); };
  check->Click();
  EXPECT_TRUE(downDuringClick);
  TdxBar* bar = manager->Bars()->Add();
  bar->ItemLinks()->Add()->SetItem(check);
  TShortCut ctrlB = ShortCut('B', TShiftState{ssCtrl});
  check->SetShortCut(ctrlB);
  EXPECT_TRUE(bar->ItemLinks()->FindShortCut(ctrlB));
  EXPECT_FALSE(check->Down());
  check->SetEnabled(false);
  check->Click();
  EXPECT_FALSE(check->Down());
}

TEST_F(DxBarButtonTest, OnAToolbarOnlyAShownCaptionIsAccelerated) {
  TdxBar* bar = manager->Bars()->Add();
  TdxBarItemLinks menu(manager, nullptr);
  TdxBarButton* button = MakeButton(bsDefault, 0);
  button->SetCaption(u"&Print");
  TdxBarItemLink* onBar = bar->ItemLinks()->Add();
  onBar->SetItem(button);
  TdxBarItemLink* inMenu = menu.Add();
  inMenu->SetItem(button);
  EXPECT_TRUE(button->HasAccelerator(onBar));  // no glyph: the caption shows
  button->Glyph()->SetSize(16, 16);
  EXPECT_FALSE(button->HasAccelerator(onBar));
  EXPECT_TRUE(button->HasAccelerator(inMenu));
  onBar->SetUserPaintStyle(psCaptionGlyph);
  EXPECT_TRUE(button->HasAccelerator(onBar));
  button->SetPaintStyle(psCaptionInMenu);
  inMenu->SetItem(nullptr);
  EXPECT_TRUE(button->HasAccelerator(onBar));
  // A toolbar is searched only while its window shows.
  EXPECT_EQ(bar->ItemLinks()->FindAccelerated('P', {}, nullptr), nullptr);
}

}  // namespace
