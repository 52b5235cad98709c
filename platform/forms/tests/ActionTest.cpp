// Actions: clients follow the action's caption, enabled state, hint and visibility; a click runs
// the action; the idle update enables and disables through OnUpdate; short cuts of action lists;
// actions without a handler reach the focused control's ExecuteAction.
#include <filesystem>
#include <fstream>

#include "platform/forms/ActnList.h"
#include "platform/forms/Menus.h"
#include "platform/forms/StdActns.h"
#include "platform/forms/testing/IdleStep.h"
#include "platform/forms/tests/FormsTestSupport.h"

namespace {

// A control that takes actions of one kind (a dataset-action stand-in): it handles any action
// whose Tag is 7.
class TTargetBox : public TTestBox {
  TRENVIK_CLASS(TTargetBox, TTestBox);

 public:
  using TTestBox::TTestBox;
  bool ExecuteAction(TBasicAction* Action) override {
    if (Action->Tag() != 7) return false;
    Note("target executed");
    return true;
  }
  bool UpdateAction(TBasicAction* Action) override {
    if (Action->Tag() != 7) return false;
    if (auto* a = dynamic_cast<TCustomAction*>(Action)) a->SetEnabled(Allowed);
    return true;
  }
  bool Allowed = true;
};
TRENVIK_IMPLEMENT_CLASS(TTargetBox)

}  // namespace

class ActionTest : public FormsTest {
 protected:
  void SetUp() override {
    FormsTest::SetUp();
    form = MakeForm(100, 100, 400, 300);
    list = new TActionList(form);
    save = new TAction(form);
    save->SetName(u"ASave");
    save->SetActionList(list);
    save->SetCaption(u"Сохранить");
    save->SetHint(u"Сохранить изменения");
    save->SetShortCut(ShortCut('S', TShiftState{ssCtrl}));
    save->OnExecute = [](TObject*) { Note("save"); };
    button = Add<TButton>(form, "Button", 10, 10, 100, 25);
    button->SetAction(save);
    form->Show();
    Pump();
  }
  static void IdleUpdate() { RunUntilIdle(); }
  TForm* form = nullptr;
  TActionList* list = nullptr;
  TAction* save = nullptr;
  TButton* button = nullptr;
};

TEST_F(ActionTest, ClientsFollowTheAction) {
  EXPECT_EQ(button->Caption(), u"Сохранить");
  EXPECT_EQ(button->Hint(), u"Сохранить изменения");
  auto* item = new TMenuItem(form);
  item->SetAction(save);
  EXPECT_EQ(item->ShortCut(), save->ShortCut());
  save->SetCaption(u"Записать");
  save->SetEnabled(false);
  save->SetChecked(true);
  save->SetImageIndex(3);
  EXPECT_EQ(button->Caption(), u"Записать");
  EXPECT_FALSE(button->Enabled());
  EXPECT_EQ(item->Caption(), u"Записать");
  EXPECT_FALSE(item->Enabled());
  EXPECT_TRUE(item->Checked());
  EXPECT_EQ(item->ImageIndex(), 3);
  save->SetVisible(false);
  EXPECT_FALSE(button->Visible());
  EXPECT_FALSE(item->Visible());
  delete save;  // clients let go of a freed action
  EXPECT_EQ(button->Action(), nullptr);
  EXPECT_EQ(item->Action(), nullptr);
  Click(button);
  EXPECT_TRUE(EventLog().empty());
}

TEST_F(ActionTest, AClickRunsTheActionOnlyWhileEnabled) {
  Click(button, 10, 10);
  EXPECT_EQ(EventLog(), std::vector<std::string>{"save"});
  bool allowed = false;
  save->OnUpdate = [&](TObject*) { save->SetEnabled(allowed); };
  IdleUpdate();  // the idle update disables the button
  EXPECT_FALSE(button->Enabled());
  EXPECT_FALSE(save->Execute()) << "Execute updates first and refuses while disabled";
  allowed = true;
  IdleUpdate();
  EXPECT_TRUE(button->Enabled());
  EXPECT_EQ(EventLog().size(), 1u);
}

TEST_F(ActionTest, AnActionNothingRunsIsDisabledByTheUpdate) {
  save->OnExecute = nullptr;
  IdleUpdate();
  EXPECT_FALSE(save->Enabled());
  list->OnExecute = [](TBasicAction* A, bool& Handled) {
    Note("list " + StringToUtf8(A->Name()));
    Handled = true;
  };
  save->SetEnabled(true);
  IdleUpdate();
  EXPECT_TRUE(save->Enabled()) << "the list's handler counts";
  Click(button, 10, 10);
  EXPECT_EQ(EventLog(), std::vector<std::string>{"list ASave"});
}

TEST_F(ActionTest, ShortCutsOfActionListsRunFromAnyControlOfTheForm) {
  auto* box = Add<TTestBox>(form, "Box", 10, 50, 100, 30);
  box->SetFocus();
  Key('S', 2);
  EXPECT_EQ(EventLog(), std::vector<std::string>{"save"});
  save->OnUpdate = [&](TObject*) { save->SetEnabled(false); };
  Key('S', 2);
  EXPECT_EQ(EventLog().size(), 1u) << "a disabled action's short cut does nothing";
}

TEST_F(ActionTest, UnhandledActionsReachTheFocusedControl) {
  auto* target = Add<TTargetBox>(form, "Target", 10, 50, 100, 30);
  target->SetFocus();
  auto* nav = new TAction(form);
  nav->SetActionList(list);
  nav->SetTag(7);
  auto* navButton = Add<TButton>(form, "Nav", 120, 10, 100, 25);
  navButton->SetAction(nav);
  IdleUpdate();
  EXPECT_TRUE(nav->Enabled());
  target->Allowed = false;
  IdleUpdate();
  EXPECT_FALSE(navButton->Enabled()) << "the target's UpdateAction decides";
  target->Allowed = true;
  IdleUpdate();
  EXPECT_TRUE(nav->Execute());
  EXPECT_EQ(EventLog(), std::vector<std::string>{"target executed"});
}

TEST_F(ActionTest, CheckedActionsOfAGroupExcludeEachOther) {
  auto* a = new TAction(form);
  auto* b = new TAction(form);
  for (TAction* x : {a, b}) {
    x->SetActionList(list);
    x->SetGroupIndex(1);
    x->OnExecute = [](TObject*) {};
  }
  b->SetAutoCheck(true);
  a->SetChecked(true);
  b->Execute();
  EXPECT_TRUE(b->Checked());
  EXPECT_FALSE(a->Checked());
}

TEST_F(ActionTest, FileOpenRunsItsDialogBetweenBeforeExecuteAndAccept) {
  namespace fs = std::filesystem;
  std::string pattern = (fs::temp_directory_path() / "fileopenXXXXXX").string();
  fs::path folder = mkdtemp(pattern.data());
  std::ofstream(folder / "import.xls") << "x";
  auto* open = new TFileOpen(form);
  open->SetActionList(list);
  EXPECT_EQ(open->ShortCut(), ShortCut('O', TShiftState{ssCtrl}));
  open->Dialog()->SetFilter(u"Excel|*.xls");
  open->Dialog()->SetDefaultExt(u"xls");
  open->Dialog()->SetInitialDir(Utf8ToString(folder.string()));
  open->BeforeExecute = [](TObject*) { Note("before"); };
  open->OnAccept = [&](TObject*) {
    Note("accept " + fs::path(StringToUtf8(open->Dialog()->FileName())).filename().string());
  };
  open->OnCancel = [](TObject*) { Note("cancel"); };
  auto* box = Add<TTestBox>(form, "Box", 10, 50, 100, 30);
  box->SetFocus();
  IdleUpdate();
  EXPECT_TRUE(open->Enabled()) << "its own dialog is its target";
  // Ctrl+O, then the dialog reads the name typed and Enter; the second time Escape.
  SimulateKeyPress('O', 2);
  SimulateText(u"import");
  SimulateKeyPress(VK_RETURN);
  Pump();
  SimulateKeyPress(VK_ESCAPE);
  open->Execute();
  EXPECT_EQ(EventLog(), (std::vector<std::string>{"before", "accept import.xls", "before", "cancel"}));
  fs::remove_all(folder);
}
