// The import's person dialog on its own over a demo database: its category box lists the data
// module's categories by name, takes one typed and accepted with Enter as the key a new card
// stores, and empties on Ctrl+D; the dialog closes the categories only when it opened them.
#include "app/PeopleDlg.h"
#include "app/tests/AppTestSupport.h"
#include "app/tests/CxLookupProbe.h"
#include "platform/win/Input.h"

namespace {

using namespace CxLookupProbe;

class PeopleDlgTest : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    StartShowingList(5);
  }
  void TearDown() override {
    delete dialog;
    AppTest::TearDown();
  }
  void ShowNewCardPage() {
    dialog = NewForm<TPeopleDlg>(nullptr);
    dialog->PageControl1->SetActivePageIndex(1);
    dialog->Show();
    Pump();
    AsControl(dialog->cxExtLookupComboBox1)->SetFocus();
    Pump();
  }
  static void Key(UINT Vk, UINT Modifiers = 0) {
    SimulateKeyPress(Vk, Modifiers);
    Pump();
  }
  TPeopleDlg* dialog = nullptr;
};

TEST_F(PeopleDlgTest, TheCategoryIsChosenFromTheCategoriesByTypingAndClearedByCtrlD) {
  ShowNewCardPage();
  std::vector<std::string> listed;
  for (const String& name : ListedNames(dialog->cxExtLookupComboBox1)) listed.push_back(Text(name));
  EXPECT_EQ(listed, (std::vector<std::string>{"обеспечивающие специалисты", "помощники (советники)", "руководители",
                                              "специалисты"}));
  EXPECT_TRUE(VarIsNull(dialog->KatKey())) << "no category until one is chosen";

  Key(VK_F4);
  ASSERT_TRUE(LookupDroppedDown(dialog->cxExtLookupComboBox1));
  SimulateText(u"спе");
  Pump();
  Key(VK_RETURN);
  EXPECT_EQ(dialog->ModalResult(), mrNone) << "Enter in the open list is the list's, not the OK button's";
  EXPECT_FALSE(LookupDroppedDown(dialog->cxExtLookupComboBox1));
  EXPECT_EQ(Text(LookupText(dialog->cxExtLookupComboBox1)), "специалисты");
  EXPECT_EQ(Text(VarToStr(dialog->KatKey())), Scalar("select M_KATID from M_KAT where NAME = 'специалисты'"));

  Key('D', 2);  // Ctrl+D
  EXPECT_TRUE(VarIsNull(dialog->KatKey()));
  EXPECT_EQ(Text(LookupText(dialog->cxExtLookupComboBox1)), "");

  dialog->SetKatKey(Variant(1));
  EXPECT_EQ(Text(LookupText(dialog->cxExtLookupComboBox1)), Scalar("select NAME from M_KAT where M_KATID = 1"));
}

TEST_F(PeopleDlgTest, TheDialogClosesTheCategoriesOnlyWhenItOpenedThem) {
  TDataSet* categories = DataModule2->M_KAT;
  for (bool openBefore : {false, true}) {
    SCOPED_TRACE(openBefore);
    categories->SetActive(openBefore);
    dialog = NewForm<TPeopleDlg>(nullptr);
    EXPECT_TRUE(categories->Active());
    delete dialog;
    dialog = nullptr;
    EXPECT_EQ(categories->Active(), openBefore);
  }
}

}  // namespace
