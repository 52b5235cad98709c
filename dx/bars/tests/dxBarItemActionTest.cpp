// Items following the framework's actions: values copied on every change, the click running the
// action, a freed action forgotten.
#include "dx/bars/dxBarButton.h"
#include "dx/bars/tests/dxBarTestSupport.h"
#include "platform/forms/ActnList.h"

namespace {

class DxBarItemActionTest : public DxBarTest {
 protected:
  void SetUp() override {
    DxBarTest::SetUp();
    action = new TAction(form.get());
    action->SetCaption(u"&Save");
    action->SetHint(u"Save the card");
    action->SetShortCut(ShortCut('S', TShiftState{ssCtrl}));
    action->SetHelpContext(12);
    action->OnExecute = [this](TObject*) {
      ++executed;
      executedFor = action->ActionComponent();
    };
    button = new TdxBarButton(form.get());
    button->SetCategory(0);
    button->SetButtonStyle(bsChecked);
  }
  TAction* action = nullptr;
  TdxBarButton* button = nullptr;
  int executed = 0;
  TComponent* executedFor = nullptr;
};

TEST_F(DxBarItemActionTest, AnItemTakesTheActionsValuesOnEveryChangeAndClicksRunIt) {
  button->SetAction(action);
  EXPECT_EQ(button->Caption(), u"&Save");
  EXPECT_EQ(button->Hint(), u"Save the card");
  EXPECT_EQ(button->ShortCut(), ShortCut('S', TShiftState{ssCtrl}));
  EXPECT_EQ(button->HelpContext(), 12);
  action->SetCaption(u"Save &all");
  action->SetEnabled(false);
  action->SetChecked(true);
  EXPECT_EQ(button->Caption(), u"Save &all");
  EXPECT_FALSE(button->Enabled());
  EXPECT_TRUE(button->Down());
  action->SetVisible(false);
  EXPECT_EQ(button->Visible(), ivNever);
  action->SetVisible(true);
  action->SetEnabled(true);
  EXPECT_EQ(button->Visible(), ivAlways);

  button->Click();
  EXPECT_EQ(executed, 1);
  EXPECT_EQ(executedFor, button);
  // An OnClick of the item's own comes first.
  int own = 0;
  button->OnClick = [&](TObject*) { ++own; };
  button->Click();
  EXPECT_EQ(own, 1);
  EXPECT_EQ(executed, 1);
}

TEST_F(DxBarItemActionTest, WithCheckDefaultsOnlyValuesAtTheirDefaultsChange) {
  button->SetCaption(u"Own");
  button->SetHelpContext(3);
  button->SetAction(action);  // an action that is not loading: everything is copied
  EXPECT_EQ(button->Caption(), u"&Save");
  button->SetCaption(u"Own");
  button->SetHelpContext(3);
  button->ActionChange(action, true);
  EXPECT_EQ(button->Caption(), u"Own");
  EXPECT_EQ(button->HelpContext(), 3);
  auto* fresh = new TdxBarButton(form.get());
  fresh->SetCategory(0);
  fresh->SetAction(action);
  fresh->SetCaption(u"");
  fresh->ActionChange(action, true);
  EXPECT_EQ(fresh->Caption(), u"&Save");
}

TEST_F(DxBarItemActionTest, AFreedActionIsForgotten) {
  button->SetAction(action);
  delete action;
  action = nullptr;
  EXPECT_EQ(button->Action(), nullptr);
  button->Click();  // nothing to run, nothing to crash
  EXPECT_EQ(executed, 0);
}

}  // namespace
