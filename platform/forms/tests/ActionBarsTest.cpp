// The action manager's bars read from a form text: the main menu bar's items and sub-menus follow
// their actions, tool bars show buttons with captions hidden where the items say so, a button's
// sub-items drop down as a menu, and the menu bar answers Alt+letter.
#include "platform/classes/Filer.h"
#include "platform/forms/ActnMan.h"
#include "platform/forms/tests/FormsTestSupport.h"

namespace {

const char16_t* const kFormText =
    uR"(object ActionBarsForm: TForm
  Left = 100
  Top = 100
  Width = 500
  Height = 300
  object ActionMainMenuBar1: TActionMainMenuBar
  end
  object ActionToolBar1: TActionToolBar
    Top = 20
  end
  object ActionManager1: TActionManager
    ActionBars = <
      item
        Items = <
          item
            Caption = '&Файл'
            Items = <
              item
                Action = AExit
              end>
          end
          item
            Action = ASprav
          end>
        ActionBar = ActionMainMenuBar1
      end
      item
        Items = <
          item
            Action = ARefresh
            ShowCaption = False
          end
          item
            Caption = '-'
          end
          item
            Action = AAdd
          end
          item
            Caption = 'Сервис'
            Items = <
              item
                Action = APrint
              end>
          end>
        ActionBar = ActionToolBar1
      end>
    object AExit: TAction
      Caption = 'Выход'
      Hint = 'Выход'
      OnExecute = Run
    end
    object ASprav: TAction
      Caption = '&Справочники'
      OnExecute = Run
    end
    object ARefresh: TAction
      Caption = 'Обновить'
      Hint = 'Обновить список'
      OnExecute = Run
    end
    object AAdd: TAction
      Caption = 'Добавить'
      OnExecute = Run
    end
    object APrint: TAction
      Caption = 'Печать списка'
      OnExecute = Run
    end
  end
end)";

class TActionBarsForm : public TForm {
  TRENVIK_CLASS(TActionBarsForm, TForm);

 public:
  explicit TActionBarsForm(TComponent* AOwner) : TForm(AOwner) {}
  TActionMainMenuBar* ActionMainMenuBar1 = nullptr;
  TActionToolBar* ActionToolBar1 = nullptr;
  TActionManager* ActionManager1 = nullptr;
  TAction *AExit = nullptr, *ASprav = nullptr, *ARefresh = nullptr, *AAdd = nullptr, *APrint = nullptr;
  void Run(TObject* Sender) { Note(StringToUtf8(static_cast<TComponent*>(Sender)->Name())); }
};

}  // namespace

TRENVIK_PUBLISHED(TActionBarsForm) {
  P.Field("ActionMainMenuBar1", &TActionBarsForm::ActionMainMenuBar1);
  P.Field("ActionToolBar1", &TActionBarsForm::ActionToolBar1);
  P.Field("ActionManager1", &TActionBarsForm::ActionManager1);
  P.Field("AExit", &TActionBarsForm::AExit);
  P.Field("ASprav", &TActionBarsForm::ASprav);
  P.Field("ARefresh", &TActionBarsForm::ARefresh);
  P.Field("AAdd", &TActionBarsForm::AAdd);
  P.Field("APrint", &TActionBarsForm::APrint);
  P.Method("Run", &TActionBarsForm::Run);
}

class ActionBarsTest : public FormsTest {
 protected:
  void SetUp() override {
    FormsTest::SetUp();
    TMemoryStream binary;
    ObjectTextToBinary(String(kFormText), &binary);
    binary.SetPosition(0);
    form = new TActionBarsForm(nullptr);
    forms_.push_back(form);
    TReader(&binary).ReadRootComponent(form);
    form->Show();
    Pump();
  }
  TActionBarsForm* form = nullptr;
};

TEST_F(ActionBarsTest, TheMenuBarShowsTheItemsAndRunsTheirActions) {
  EXPECT_EQ(form->ActionManager1->ActionCount(), 5) << "the actions read as the manager's children";
  EXPECT_EQ(form->AExit->ActionList(), form->ActionManager1);
  TMenuItem* root = form->ActionMainMenuBar1->BarRoot();
  ASSERT_EQ(root->Count(), 2);
  EXPECT_EQ(root->Items(0)->Caption(), u"&Файл");
  EXPECT_EQ(root->Items(0)->Items(0)->Caption(), u"Выход");
  EXPECT_EQ(root->Items(1)->Action(), form->ASprav);
  form->ActionToolBar1->SetFocus();
  ActivateKeyboardLayout(HKL_RUSSIAN, 0);
  SimulateKeyDown(VK_MENU);
  SimulateText(u"ф");
  SimulateKeyUp(VK_MENU);
  SimulateKeyPress(VK_RETURN);
  Pump();
  SimulateKeyDown(VK_MENU);
  SimulateText(u"с");  // a bar item without a drop-down runs at once
  SimulateKeyUp(VK_MENU);
  Pump();
  ActivateKeyboardLayout(HKL_US, 0);
  EXPECT_EQ(EventLog(), (std::vector<std::string>{"AExit", "ASprav"}));
  form->AExit->SetEnabled(false);
  EXPECT_FALSE(root->Items(0)->Items(0)->Enabled()) << "menu items follow their action";
}

TEST_F(ActionBarsTest, ToolButtonsHideCaptionsWhereTheItemsSaySo) {
  TActionToolBar* bar = form->ActionToolBar1;
  TToolButton* refresh = bar->ItemButton(0);
  TToolButton* add = bar->ItemButton(2);
  ASSERT_TRUE(refresh && add);
  EXPECT_EQ(bar->ItemButton(1)->Style(), tbsSeparator);
  EXPECT_FALSE(refresh->CaptionShown());
  EXPECT_EQ(refresh->Width(), bar->ButtonWidth());
  EXPECT_EQ(refresh->Hint(), u"Обновить список");
  EXPECT_TRUE(add->CaptionShown());
  EXPECT_GT(add->Width(), bar->ButtonWidth()) << "room for its caption";
  Click(refresh, 5, 5);
  Click(add, 5, 5);
  EXPECT_EQ(EventLog(), (std::vector<std::string>{"ARefresh", "AAdd"}));
}

TEST_F(ActionBarsTest, ASubMenuItemDropsDownBelowItsButton) {
  TToolButton* service = form->ActionToolBar1->ItemButton(3);
  ASSERT_TRUE(service);
  EXPECT_EQ(service->Caption(), u"Сервис");
  clock_->Advance(1000);
  SimulateClick(TSimButton::Left, At(service, 5, 5));
  SimulateKeyPress(VK_DOWN);
  SimulateKeyPress(VK_RETURN);
  Pump();
  EXPECT_EQ(EventLog(), std::vector<std::string>{"APrint"});
}

TEST_F(ActionBarsTest, AFreedActionLeavesItsItemsAndButtons) {
  TToolButton* add = form->ActionToolBar1->ItemButton(2);
  delete form->AAdd;
  form->AAdd = nullptr;
  EXPECT_EQ(add->Action(), nullptr);
  EXPECT_EQ(form->ActionManager1->ActionBars()->Items(1)->Items()->Items(2)->Action(), nullptr);
  form->ActionManager1->RebuildBars();  // builds from items that no longer name it
  Pump();
  Click(form->ActionToolBar1->ItemButton(2), 5, 5);
  EXPECT_TRUE(EventLog().empty());
}

TEST_F(ActionBarsTest, TwoItemsNamingOneBarLeaveItToTheLastAndFreeCleanly) {
  TActionBars* bars = form->ActionManager1->ActionBars();
  bars->Items(0)->SetActionBar(form->ActionToolBar1);
  EXPECT_EQ(bars->Items(0)->ActionBar(), form->ActionToolBar1);
  EXPECT_EQ(bars->Items(1)->ActionBar(), nullptr) << "the earlier item lets go of the bar";
  EXPECT_EQ(form->ActionToolBar1->ActionClient(), bars->Items(0));
  delete form->ActionToolBar1;  // the bar goes first, then the manager with its items
  form->ActionToolBar1 = nullptr;
  EXPECT_EQ(bars->Items(0)->ActionBar(), nullptr);
  EXPECT_EQ(bars->Items(1)->ActionBar(), nullptr);
}
