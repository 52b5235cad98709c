// The customization form: which columns it lists and in what order, its "Columns" tab, its place
// at the grid's bottom-right corner, and closing it by hand.
#include "cx/grid/cxGridCustomizationForm.h"
#include "cx/grid/tests/cxGridControllerTestUtil.h"

class CxGridCustomizationFormTest : public CxGridControllerTest {
 protected:
  std::vector<std::string> Listed() {
    std::vector<std::string> texts;
    TStrings* items = Controller()->CustomizationForm()->ItemsListBox()->Items();
    for (int i = 0; i < items->Count(); ++i) texts.push_back(StringToUtf8(items->Strings(i)));
    return texts;
  }
};

TEST_F(CxGridCustomizationFormTest, ListsTheColumnsOutOfTheHeaderSortedByCaptionButNotHiddenOnes) {
  Column(u"CITY")->SetCaption(u"Город");
  Controller()->SetCustomization(true);
  EXPECT_EQ(Listed(), std::vector<std::string>{"NOSUCH"}) << "a new view with one column made invisible";
  Column(u"ID")->SetVisible(false);
  Column(u"CITY")->SetVisible(false);
  EXPECT_EQ(Listed(), (std::vector<std::string>{"ID", "NOSUCH", "Город"})) << "sorted by caption, not by index";
  Column(u"NOSUCH")->SetHidden(true);
  EXPECT_EQ(Listed(), (std::vector<std::string>{"ID", "Город"})) << "a hidden column is never listed";
  Column(u"ID")->SetVisible(true);
  EXPECT_EQ(Listed(), std::vector<std::string>{"Город"}) << "a visible column is not listed";
  delete Column(u"CITY");
  EXPECT_TRUE(Listed().empty()) << "a removed column leaves the list";
}

TEST_F(CxGridCustomizationFormTest, TheColumnsTabNeedsColumnMoving) {
  for (bool moving : {true, false}) {
    view_->OptionsCustomize()->SetColumnMoving(moving);
    Controller()->SetCustomization(true);
    TcxGridTableCustomizationForm* form = Controller()->CustomizationForm();
    EXPECT_EQ(form->ColumnsPage()->TabVisible(), moving);
    EXPECT_EQ(form->ColumnsPage()->Caption(), u"Columns");
    EXPECT_EQ(form->Caption(), u"Customization");
    Controller()->SetCustomization(false);
  }
}

TEST_F(CxGridCustomizationFormTest, StandsAtTheGridsBottomRightCornerAndClosingItEndsCustomization) {
  int notified = 0;
  view_->OnCustomization = [&](TObject*) { ++notified; };
  Controller()->SetCustomization(true);
  EXPECT_EQ(notified, 1);
  TcxGridTableCustomizationForm* form = Controller()->CustomizationForm();
  ASSERT_NE(form, nullptr);
  const RECT client = grid_->ClientRect();
  const POINT corner = grid_->ClientToScreen(POINT{client.right, client.bottom});
  EXPECT_EQ(form->BoundsRect().right, corner.x);
  EXPECT_EQ(form->BoundsRect().bottom, corner.y);
  EXPECT_EQ(form->Width(), 180);
  EXPECT_EQ(form->Height(), 300);
  EXPECT_TRUE(form->Visible());
  form->Close();
  Pump();
  EXPECT_FALSE(Controller()->Customization()) << "closing the form by hand ends customization";
  EXPECT_EQ(Controller()->CustomizationForm(), nullptr);
  EXPECT_EQ(notified, 2);
}
