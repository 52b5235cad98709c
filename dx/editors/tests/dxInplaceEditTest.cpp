#include <gtest/gtest.h>

#include "dx/editors/dxTextEdit.h"
#include "dx/editors/tests/dxEditorsTestSupport.h"

namespace {

class DxInplaceEditTest : public DxEditorsTest {
 protected:
  // An in-place text editor shown over a cell of a host, holding Text, entered (snapshot taken).
  TdxInplaceTextEdit* ShowEditor(const char* text = "old") {
    host_ = MakeHost();
    auto* edit = new TdxInplaceTextEdit(host_);
    edit->SetParent(host_);
    edit->SetEditValue(Variant(Utf8ToString(text)));
    edit->ShowAt(RECT{20, 20, 140, 40});
    edit->SetActive(true);
    edit->SetModified(false);
    Pump();
    return edit;
  }
  TTestContainer* host_ = nullptr;
};

TEST_F(DxInplaceEditTest, ShowAtLaysTheEditorOverTheCellWithItsBorderAllowanceOutside) {
  auto* edit = ShowEditor();
  EXPECT_EQ(edit->BoundsRect(), (RECT{18, 18, 142, 42}));
  EXPECT_TRUE(edit->IsVisible());
  EXPECT_EQ(GetFocus(), edit->Handle());
  edit->ShowAt(RECT{5, 5, 5, 30});  // empty: nothing changes
  EXPECT_EQ(edit->BoundsRect(), (RECT{18, 18, 142, 42}));
  edit->HideEdit();
  EXPECT_FALSE(edit->IsVisible());
  EXPECT_FALSE(IsWindowVisible(edit->Handle()));
}

TEST_F(DxInplaceEditTest, ValidateEditAsksOnlyAboutModifiedUnlockedValues) {
  auto* edit = ShowEditor();
  int asked = 0;
  edit->OnValidate = [&](TObject*, String& ErrorText, bool& Accept) {
    ++asked;
    ErrorText = u"Фамилия не заполнена";
    Accept = false;
  };
  EXPECT_NO_THROW(edit->ValidateEdit());  // not modified
  EXPECT_EQ(asked, 0);

  edit->SetEditingText(u"new");
  edit->LockValidation();
  EXPECT_NO_THROW(edit->ValidateEdit());
  EXPECT_EQ(asked, 0);
  edit->UnlockValidation();

  try {
    edit->ValidateEdit();
    ADD_FAILURE() << "no exception";
  } catch (const EdxEditInvalidInput& e) {
    EXPECT_EQ(e.Message(), u"Фамилия не заполнена");
  }
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(Beeps(), 1);
  EXPECT_EQ(edit->Text(), u"new");
  EXPECT_TRUE(edit->GetModified());
}

TEST_F(DxInplaceEditTest, ARefusedValueKeepsTheNavigationKeyFromTheHost) {
  auto* edit = ShowEditor();
  edit->OnValidate = [](TObject*, String&, bool& Accept) { Accept = false; };
  Type("x");
  Key(VK_RETURN);
  EXPECT_TRUE(host_->KeysHandedOver.empty());
  ASSERT_EQ(exceptions_.size(), 1u);
  EXPECT_EQ(exceptions_[0], "Invalid input value. Use escape key to abandon changes");
  EXPECT_EQ(GetFocus(), edit->Handle());
}

// Which keys an in-place editor hands to its host instead of processing them.
TEST_F(DxInplaceEditTest, NavigationKeysGoToTheHost) {
  struct Case {
    UINT vk;
    UINT modifiers;
    bool handedOver;
  };
  const Case cases[] = {
      {VK_TAB, 0, true},   {VK_TAB, 1, true},    {VK_RETURN, 0, true}, {VK_ESCAPE, 0, true},
      {VK_PRIOR, 0, true}, {VK_NEXT, 0, true},   {VK_UP, 0, true},     {VK_DOWN, 0, true},
      {VK_INSERT, 0, true}, {VK_INSERT, 2, false}, {VK_LEFT, 0, false}, {VK_HOME, 0, false},
      {VK_F5, 0, false},
  };
  auto* edit = ShowEditor();
  for (const Case& c : cases) {
    host_->KeysHandedOver.clear();
    host_->KeysReported.clear();
    ::SetFocus(edit->Handle());
    Key(c.vk, c.modifiers);
    const bool handed = !host_->KeysHandedOver.empty() && host_->KeysHandedOver[0] == c.vk;
    EXPECT_EQ(handed, c.handedOver) << "key " << c.vk << " modifiers " << c.modifiers;
    // A key the host took is not reported again as an editor key.
    if (handed) {
      EXPECT_EQ(std::count(host_->KeysReported.begin(), host_->KeysReported.end(), c.vk), 0) << "key " << c.vk;
    }
  }
}

TEST_F(DxInplaceEditTest, EnterLeavesNoCharacterBehind) {
  auto* edit = ShowEditor();
  Key(VK_RETURN);
  EXPECT_EQ(host_->KeysHandedOver, std::vector<WORD>{VK_RETURN});
  EXPECT_TRUE(host_->CharsSeen.empty());
  EXPECT_EQ(edit->Text(), u"old");
}

TEST_F(DxInplaceEditTest, AltTabIsNotTheHostsTab) {
  ShowEditor();
  Key(VK_TAB, 4);
  EXPECT_TRUE(std::find(host_->KeysHandedOver.begin(), host_->KeysHandedOver.end(), VK_TAB) ==
              host_->KeysHandedOver.end());
}

TEST_F(DxInplaceEditTest, EscapeRestoresTheTextAndModifiedFlagOfEntering) {
  auto* edit = ShowEditor("старое");
  edit->SelectAll();
  Type("новое");
  EXPECT_EQ(edit->Text(), u"новое");
  EXPECT_TRUE(edit->GetModified());
  Key(VK_ESCAPE);
  EXPECT_EQ(edit->Text(), u"старое");
  EXPECT_FALSE(edit->GetModified());
  EXPECT_EQ(host_->KeysHandedOver, std::vector<WORD>{VK_ESCAPE});
}

// Without the host's wish for Tab the dialog keys take it: the focus leaves the editor.
TEST_F(DxInplaceEditTest, TabIsTheHostsOnlyWhenItWantsTabs) {
  auto* edit = ShowEditor();
  EXPECT_TRUE(SendMessage(edit->Handle(), WM_GETDLGCODE, 0, 0) & DLGC_WANTTAB);
  host_->WantsTabKey = false;
  EXPECT_FALSE(SendMessage(edit->Handle(), WM_GETDLGCODE, 0, 0) & DLGC_WANTTAB);
  EXPECT_TRUE(SendMessage(edit->Handle(), WM_GETDLGCODE, 0, 0) & DLGC_WANTALLKEYS);
  Key(VK_TAB);
  EXPECT_TRUE(host_->KeysHandedOver.empty());
}

// Text-changing keys reach the editor only when the host lets its cell change.
TEST_F(DxInplaceEditTest, DeleteAndPasteNeedTheHostsConsent) {
  auto* edit = ShowEditor("abc");
  edit->SetSelectionRange(0, 1);
  host_->AllowModify = false;
  Key(VK_DELETE);
  EXPECT_EQ(edit->Text(), u"abc");
  host_->AllowModify = true;
  Key(VK_DELETE);
  EXPECT_EQ(edit->Text(), u"bc");

  edit->SetSelectionRange(0, 0);
  edit->SetSelectionRange(0, 2);
  edit->CopySelection();
  edit->SetSelectionRange(2, 2);
  host_->AllowModify = false;
  Key(VK_INSERT, 1);
  EXPECT_EQ(edit->Text(), u"bc");
  host_->AllowModify = true;
  Key(VK_INSERT, 1);
  EXPECT_EQ(edit->Text(), u"bcbc");
}

TEST_F(DxInplaceEditTest, CharactersTheHostRefusesAreDroppedWithABeep) {
  auto* edit = ShowEditor("");
  host_->AllowChars = false;
  Type("q");
  EXPECT_EQ(edit->Text(), u"");
  EXPECT_EQ(Beeps(), 1);
  host_->AllowChars = true;
  Type("q");
  EXPECT_EQ(edit->Text(), u"q");
}

// A bare host refuses every change: its in-place editors are effectively read-only.
TEST_F(DxInplaceEditTest, ABareContainerRefusesEveryModification) {
  TForm* f = MakeForm();
  auto* host = new TCustomdxContainer(f);
  host->SetParent(f);
  host->SetBounds(0, 0, 200, 100);
  f->Show();
  auto* edit = new TdxInplaceTextEdit(host);
  edit->SetParent(host);
  edit->SetEditValue(Variant(u"fixed"));
  edit->ShowAt(RECT{10, 10, 100, 30});
  Pump();
  edit->SetSelectionRange(5, 5);
  Type("zz");
  Key(VK_BACK);
  EXPECT_EQ(edit->Text(), u"fixed");
  EXPECT_FALSE(edit->CanModify());
}

TEST_F(DxInplaceEditTest, AlignmentAndReadOnlyAreMarkedStoredEvenWhenUnchanged) {
  TdxInplaceTextEdit edit(nullptr);
  edit.SetAlignment(taLeftJustify);
  edit.SetReadOnly(false);
  EXPECT_EQ(edit.StoredValues(), dxsvAlignment | dxsvReadOnly);
  edit.SetMaxLength(-5);
  EXPECT_EQ(edit.MaxLength(), 0);
  EXPECT_TRUE(edit.StoredValues() & dxsvMaxLength);
  edit.RestoreDefaults();
  EXPECT_EQ(edit.StoredValues(), 0);
}

TEST_F(DxInplaceEditTest, AValueLoadCannotBeUndone) {
  auto* edit = ShowEditor("first");
  edit->SetEditValue(Variant(u"second"));
  EXPECT_FALSE(edit->CanUndoEdit());
  edit->UndoEdit();
  EXPECT_EQ(edit->Text(), u"second");
}

TEST_F(DxInplaceEditTest, UpperCaseShowsTypedAndAssignedTextInUpperCase) {
  auto* edit = ShowEditor("");
  edit->SetCharCase(ecUpperCase);
  Type("иван");
  EXPECT_EQ(edit->Text(), u"ИВАН");
  edit->SetModified(false);
  edit->SetSelectionRange(1, 2);
  edit->SetText(u"петров");
  EXPECT_EQ(edit->Text(), u"ПЕТРОВ");
  EXPECT_FALSE(edit->GetModified());
}

// The click that opened the editor and a click on it soon after make one double click of the host.
TEST_F(DxInplaceEditTest, AQuickSecondClickIsTheHostsDoubleClickOnce) {
  auto* edit = ShowEditor();
  host_->TracksDblClick = true;
  edit->SetClickTime(GetTickCount());
  clock_->Advance(100);
  SimulateClick(TSimButton::Left, At(edit, 20, 8));
  Pump();
  EXPECT_EQ(host_->DblClicks, 1);
  EXPECT_EQ(edit->ClickTime(), 0u);
  clock_->Advance(2000);
  SimulateClick(TSimButton::Left, At(edit, 20, 8));
  Pump();
  EXPECT_EQ(host_->DblClicks, 1);
}

}  // namespace
