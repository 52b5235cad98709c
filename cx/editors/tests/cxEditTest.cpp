#include <memory>

#include "cx/editors/cxEdit.h"
#include "cx/editors/tests/cxEditTestUtil.h"
#include "platform/win/Shell.h"

namespace {

class CxEditTest : public CxControlsTest {
 protected:
  // Two edits on an active form, the first one focused.
  void MakeEdits() {
    form = MakeForm();
    first = Add<TTestEdit>(form, 10, 10, 120, 21);
    second = Add<TTestEdit>(form, 10, 40, 120, 21);
    form->Show();
    Pump();
    first->SetFocus();
    Pump();
    ASSERT_TRUE(first->Focused());
  }
  static WORD Press(TcxCustomEdit* AEdit, WORD AKey, TShiftState AShift = {}) {
    AEdit->KeyDown(AKey, AShift);
    return AKey;
  }

  TForm* form = nullptr;
  TTestEdit* first = nullptr;
  TTestEdit* second = nullptr;
};

// --- The value model ---

TEST_F(CxEditTest, ChangeEventsFireOnlyForADifferentValueWhenTheEditorCompares) {
  struct Case {
    bool compares;
    Variant initial, next;
    int expected;
  };
  const Case cases[] = {
      {true, Variant(1), Variant(2), 1},
      {true, Variant(1), Variant(1), 0},
      {true, Variant(1), Variant(1.0), 1},  // another variant type counts as a change
      {false, Variant(1), Variant(2), 0},   // this path never fires without comparison
  };
  for (const Case& c : cases) {
    TTestEdit edit(nullptr);
    edit.Props()->ComparesValues = c.compares;
    edit.SetEditValue(c.initial);
    int changes = 0, valueChanges = 0;
    edit.Props()->OnChange = [&](TObject*) { ++changes; };
    edit.Props()->OnEditValueChanged = [&](TObject*) { ++valueChanges; };
    edit.SetEditValue(c.next);
    EXPECT_EQ(valueChanges, c.expected) << StringToUtf8(VarToStr(c.next));
    EXPECT_EQ(changes, c.expected) << StringToUtf8(VarToStr(c.next));
    EXPECT_EQ(edit.Text, VarToStr(c.next)) << "the shown value follows";
    EXPECT_FALSE(edit.Modified());
  }
}

TEST_F(CxEditTest, ModifiedFlagsAreSavedAndRestoredInPairs) {
  TTestEdit edit(nullptr);
  edit.SetModifiedAfterEnter(true);
  EXPECT_TRUE(edit.Modified()) << "a change since entry is a change";
  edit.SaveModified();
  edit.SetModified(false);
  EXPECT_FALSE(edit.ModifiedAfterEnter()) << "clearing Modified clears both";
  edit.RestoreModified();
  EXPECT_TRUE(edit.Modified());
  EXPECT_TRUE(edit.ModifiedAfterEnter());
}

// --- Keys ---

TEST_F(CxEditTest, ClearKeySetsNullOnlyWhenEditingIsAllowedAndIsConsumedEitherWay) {
  MakeEdits();
  first->Props()->SetClearKey(VK_DELETE | scCxCtrl);
  first->SetEditValue(u"Иванов");
  bool allow = false;
  first->OnEditing = [&](TObject*, bool& CanEdit) { CanEdit = allow; };

  EXPECT_EQ(Press(first, VK_DELETE, {ssCtrl}), 0);
  EXPECT_EQ(VarToStr(first->EditValue()), u"Иванов");
  EXPECT_FALSE(first->ModifiedAfterEnter());

  allow = true;
  EXPECT_EQ(Press(first, VK_DELETE, {ssCtrl}), 0);
  EXPECT_TRUE(VarIsNull(first->EditValue()));
  EXPECT_TRUE(first->ModifiedAfterEnter());
}

TEST_F(CxEditTest, ClickKeyClicksTheDefaultButtonOnlyWhileAButtonIsShown) {
  MakeEdits();
  int clicked = -1, keyDowns = 0;
  first->Props()->OnButtonClick = [&](TObject*, int AIndex) { clicked = AIndex; };
  first->OnKeyDown = [&](TObject*, WORD& Key, TShiftState) { keyDowns += Key == VK_RETURN; };
  Key(VK_RETURN, 2);
  EXPECT_EQ(clicked, -1);
  EXPECT_EQ(keyDowns, 1) << "without buttons the key is an ordinary key";

  first->Props()->Buttons()->Add()->Visible = false;
  first->Props()->Buttons()->Add()->Default = true;
  Key(VK_RETURN, 2);
  EXPECT_EQ(clicked, 1) << "the index in Buttons of the shown default button";
  EXPECT_EQ(keyDowns, 1) << "the click key skips OnKeyDown";
}

TEST_F(CxEditTest, EnterValidatesAndPostsOnlyWithValidateOnEnter) {
  MakeEdits();
  first->UserTypes(u"Петров");
  EXPECT_NE(Press(first, VK_RETURN), 0) << "the base default leaves Enter to the form";
  EXPECT_TRUE(first->Binding()->Stored.empty());

  first->Props()->SetValidateOnEnter(true);
  EXPECT_EQ(Press(first, VK_RETURN), 0);
  ASSERT_EQ(first->Binding()->Stored.size(), 1u);
  EXPECT_EQ(VarToStr(first->Binding()->Stored[0]), u"Петров");
}

TEST_F(CxEditTest, EscRestoresTheValueOfFocusEntryAndIsLeftToTheFormWhenNothingChanged) {
  MakeEdits();
  first->SetEditValue(u"Сидоров");
  second->SetFocus();
  first->SetFocus();
  Pump();
  EXPECT_EQ(Press(first, VK_ESCAPE), VK_ESCAPE) << "unchanged: the form may use Esc";

  first->UserTypes(u"Сидорова");
  EXPECT_EQ(Press(first, VK_ESCAPE), 0);
  EXPECT_EQ(first->Text, u"Сидоров");
  EXPECT_FALSE(first->ModifiedAfterEnter());
  EXPECT_TRUE(first->Modified());
  EXPECT_EQ(first->SelectAllCount, 1);
}

TEST_F(CxEditTest, NavigationAndRefusedKeysGoToTheInplaceHandler) {
  std::unique_ptr<TcxCustomEdit> edit(TcxCustomEdit::CreateInplace(TTestEdit::StaticClass(), nullptr));
  auto* test = static_cast<TTestEdit*>(edit.get());
  ASSERT_TRUE(edit->IsInplace());
  EXPECT_FALSE(edit->AutoSize());
  std::vector<WORD> passed;
  edit->OnInplaceKeyDown = [&](TObject*, WORD& Key, TShiftState) { passed.push_back(Key); };
  for (WORD key : {VK_PRIOR, VK_HOME, VK_LEFT, VK_DOWN}) EXPECT_EQ(Press(edit.get(), key), 0);
  EXPECT_EQ(passed, (std::vector<WORD>{VK_PRIOR, VK_HOME, VK_LEFT, VK_DOWN}));

  passed.clear();
  test->Props()->SetReadOnly(true);
  EXPECT_EQ(Press(edit.get(), VK_DELETE), 0) << "a key that would modify a read-only edit is refused";
  EXPECT_EQ(passed, std::vector<WORD>{VK_DELETE});
}

// --- Validation and posting ---

TEST_F(CxEditTest, ValidationFailureBeepsKeepsTheFocusAndRaisesOnlyWithAText) {
  MakeEdits();
  first->Props()->SetBeepOnError(true);
  String errorText;
  first->Props()->OnValidate = [&](TObject*, Variant&, String& ErrorText, bool& Error) {
    Error = true;
    ErrorText = errorText;
  };
  EXPECT_TRUE(first->ValidateEdit(true)) << "not modified since entry: no validation";

  first->UserTypes(u"12");
  const int beeps = MessageBeepCount();
  EXPECT_FALSE(first->ValidateEdit(true));
  EXPECT_EQ(MessageBeepCount(), beeps + 1);
  EXPECT_TRUE(first->Focused());

  errorText = u"Возраст вне границ";
  try {
    first->ValidateEdit(true);
    ADD_FAILURE() << "no exception";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), u"Возраст вне границ");
  }
  EXPECT_EQ(MessageBeepCount(), beeps + 2);
}

TEST_F(CxEditTest, ValidateHandlerMayChangeTheShownValue) {
  MakeEdits();
  first->Props()->OnValidate = [](TObject*, Variant& DisplayValue, String&, bool&) {
    DisplayValue = VarToStr(DisplayValue) + u"!";
  };
  first->UserTypes(u"ok");
  EXPECT_TRUE(first->ValidateEdit(true));
  EXPECT_EQ(first->Text, u"ok!");
  EXPECT_TRUE(first->ModifiedAfterEnter()) << "still focused: the flags stay";
}

TEST_F(CxEditTest, LeavingAnInvalidEditKeepsTheFocus) {
  MakeEdits();
  first->Props()->OnValidate = [](TObject*, Variant&, String& ErrorText, bool& Error) {
    Error = true;
    ErrorText.clear();
  };
  int exits = 0;
  first->OnExit = [&](TObject*) { ++exits; };
  first->UserTypes(u"bad");
  Key(VK_TAB);
  EXPECT_TRUE(first->Focused());
  EXPECT_EQ(exits, 0);
}

TEST_F(CxEditTest, LeavingAModifiedEditPostsItsValue) {
  MakeEdits();
  first->UserTypes(u"Кузнецов");
  Key(VK_TAB);
  EXPECT_TRUE(second->Focused());
  ASSERT_EQ(first->Binding()->Stored.size(), 1u);
  EXPECT_EQ(VarToStr(first->Binding()->Stored[0]), u"Кузнецов");
  EXPECT_FALSE(first->ModifiedAfterEnter());
}

TEST_F(CxEditTest, FailingStandAlonePostIsRaisedAgainAndEndsPosting) {
  MakeEdits();
  first->Binding()->FailWrites = true;
  first->UserTypes(u"x");
  EXPECT_THROW(first->PostEditValue(), Exception);
  EXPECT_FALSE(first->IsPosting());
  EXPECT_TRUE(first->Modified());
}

TEST_F(CxEditTest, FailingInplacePostKeepsModifiedAndReachesTheCaller) {
  std::unique_ptr<TcxCustomEdit> edit(TcxCustomEdit::CreateInplace(TTestEdit::StaticClass(), nullptr));
  edit->OnInplacePost = [](TObject*) { throw Exception(u"Нарушение уникальности"); };
  edit->SetModifiedAfterEnter(true);
  try {
    edit->PostEditValue();
    ADD_FAILURE() << "the failure was swallowed";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), u"Нарушение уникальности");
  }
  EXPECT_TRUE(edit->Modified());
  EXPECT_FALSE(edit->IsPosting());

  edit->OnInplacePost = nullptr;
  edit->PostEditValue();
  EXPECT_FALSE(edit->Modified());
}

// --- Clipboard and deferred errors ---

TEST_F(CxEditTest, ClipboardMessagesRespectReadOnly) {
  MakeEdits();
  first->SetEditValue(u"abc");
  first->Props()->SetReadOnly(true);
  SendMessage(first->Handle(), WM_CLEAR, 0, 0);
  EXPECT_EQ(first->Text, u"abc");
  first->Props()->SetReadOnly(false);
  SendMessage(first->Handle(), WM_CLEAR, 0, 0);
  EXPECT_TRUE(VarIsNull(first->EditValue()));
  EXPECT_TRUE(first->ModifiedAfterEnter()) << "a clearing command is the user's change";
}

TEST_F(CxEditTest, DeferredErrorIsRaisedOnlyFromABlockTheEditPosted) {
  MakeEdits();
  auto deliver = [&](WPARAM AWParam) {
    TMessage message{CM_CXEDIT_DEFERREDERROR, AWParam, 0, 0};
    first->Dispatch(message);
  };
  // A foreign pointer is never read.
  deliver(reinterpret_cast<WPARAM>(this));
  deliver(0);

  first->PostDeferredError(u"Нет связи с сервером");
  MSG msg;
  ASSERT_TRUE(
      PeekMessage(&msg, first->Handle(), CM_CXEDIT_DEFERREDERROR, CM_CXEDIT_DEFERREDERROR, PM_REMOVE));
  try {
    deliver(msg.wParam);
    ADD_FAILURE() << "no exception";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), u"Нет связи с сервером");
  }
  // The same block again is no longer the edit's.
  deliver(msg.wParam);
}

}  // namespace
