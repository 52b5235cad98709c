// A text editor's own pop-up menu: shown by a right click on its text, its commands enabled by the
// edit's state and acting through the edit.
#include "cx/editors/cxEditConsts.h"
#include "cx/editors/cxTextEdit.h"
#include "cx/editors/tests/cxEditTestUtil.h"
#include "platform/forms/Menus.h"
#include "platform/forms/native/NativeCommon.h"

namespace {

enum TCommand { cmUndo = 0, cmCut = 2, cmCopy = 3, cmPaste = 4, cmDelete = 5, cmSelectAll = 7 };

class CxTextEditPopupMenuTest : public CxControlsTest {
 protected:
  void SetUp() override {
    CxControlsTest::SetUp();
    form = MakeForm(100, 100, 420, 200);
    edit = Add<TcxTextEdit>(form, 10, 10, 200, 21);
    form->Show();
    Pump();
    edit->SetFocus();
    Pump();
    edit->SetText(u"Иванов Пётр");
  }
  TPopupMenu* Menu() { return dynamic_cast<TPopupMenu*>(edit->GetPopupMenu()); }
  void Select(int AStart, int ALength) {
    edit->SetSelStart(AStart);
    edit->SetSelLength(ALength);
  }
  static void Run(TPopupMenu* AMenu, TCommand ACommand) { AMenu->Items()->Items(ACommand)->Click(); }

  TForm* form = nullptr;
  TcxTextEdit* edit = nullptr;
};

TEST_F(CxTextEditPopupMenuTest, CommandsAreEnabledByTheEditsState) {
  ASSERT_TRUE(PutClipboardText(edit->Handle(), u"Сидоров"));
  struct Case {
    const char* what;
    bool readOnly, password;
    int selStart, selLength;
    bool cut, copy, paste, del, selectAll;
  };
  const Case cases[] = {
      {"a selection", false, false, 0, 6, true, true, true, true, true},
      {"no selection", false, false, 3, 0, false, false, true, false, true},
      {"all selected", false, false, 0, 11, true, true, true, true, false},
      {"read-only", true, false, 0, 6, false, true, false, false, true},
      {"a password", false, true, 0, 6, false, false, true, true, true},
  };
  for (const Case& c : cases) {
    edit->ActiveProperties()->SetReadOnly(c.readOnly);
    edit->ActiveProperties()->SetEchoMode(c.password ? eemPassword : eemNormal);
    Select(c.selStart, c.selLength);
    TPopupMenu* menu = Menu();
    ASSERT_NE(menu, nullptr) << c.what;
    ASSERT_EQ(menu->Items()->Count(), 8) << c.what;
    EXPECT_EQ(menu->Items()->Items(cmCut)->Enabled(), c.cut) << c.what;
    EXPECT_EQ(menu->Items()->Items(cmCopy)->Enabled(), c.copy) << c.what;
    EXPECT_EQ(menu->Items()->Items(cmPaste)->Enabled(), c.paste) << c.what;
    EXPECT_EQ(menu->Items()->Items(cmDelete)->Enabled(), c.del) << c.what;
    EXPECT_EQ(menu->Items()->Items(cmSelectAll)->Enabled(), c.selectAll) << c.what;
  }
  EXPECT_EQ(Menu()->Items()->Items(cmSelectAll)->Caption(), cxGetResourceString(cxSEditMenuSelectAll));
}

TEST_F(CxTextEditPopupMenuTest, CommandsActThroughTheEdit) {
  int changes = 0;
  edit->ActiveProperties()->OnChange = [&](TObject*) { ++changes; };
  Select(0, 7);
  Run(Menu(), cmCut);
  EXPECT_EQ(edit->Text(), u"Пётр");
  String clip;
  ASSERT_TRUE(GetClipboardText(edit->Handle(), &clip));
  EXPECT_EQ(clip, u"Иванов ");
  EXPECT_TRUE(edit->ModifiedAfterEnter());
  EXPECT_EQ(changes, 1);

  TPopupMenu* menu = Menu();
  EXPECT_TRUE(menu->Items()->Items(cmUndo)->Enabled());
  Run(menu, cmUndo);
  EXPECT_EQ(edit->Text(), u"Иванов Пётр");
  Select(0, 7);
  Run(Menu(), cmCut);

  edit->SetSelStart(4);
  Run(Menu(), cmPaste);
  EXPECT_EQ(edit->Text(), u"ПётрИванов ");
  edit->SetText(u"Пётр");

  Run(Menu(), cmSelectAll);
  EXPECT_EQ(edit->SelLength(), 4);
  Run(Menu(), cmDelete);
  EXPECT_EQ(edit->Text(), u"");

  // No edits allowed: the commands change nothing.
  edit->SetText(u"Пётр");
  Select(0, 4);
  menu = Menu();
  edit->OnEditing = [](TObject*, bool& CanEdit) { CanEdit = false; };
  Run(menu, cmCut);
  Run(menu, cmDelete);
  EXPECT_EQ(edit->Text(), u"Пётр") << "refused editing keeps the text";
}

TEST_F(CxTextEditPopupMenuTest, ARightClickOnTheTextShowsTheEditsMenuUnlessOneIsSet) {
  Select(0, 0);
  SimulateClick(TSimButton::Right, At(edit, 20, 10));
  SimulateKeyPress('A');  // Select &All
  Pump();
  EXPECT_EQ(edit->SelLength(), 11) << "the default menu came up and chose";

  auto* own = new TPopupMenu(form);
  auto* item = new TMenuItem(form);
  item->SetCaption(u"&Справка");
  int chosen = 0;
  item->OnClick = [&](TObject*) { ++chosen; };
  own->Items()->Add(item);
  edit->SetPopupMenu(own);
  EXPECT_EQ(edit->GetPopupMenu(), own);
  Select(0, 0);
  SimulateClick(TSimButton::Right, At(edit, 20, 10));
  SimulateKeyPress(VK_DOWN);
  SimulateKeyPress(VK_RETURN);
  Pump();
  EXPECT_EQ(chosen, 1);
  EXPECT_EQ(edit->SelLength(), 0);
}

}  // namespace
