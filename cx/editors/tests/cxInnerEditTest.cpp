// The text edit and the memo drive their inner controls through IcxCustomInnerEdit.
#include "cx/editors/cxMemo.h"
#include "cx/editors/cxTextEdit.h"
#include "cx/editors/tests/cxEditTestUtil.h"

namespace {

class CxInnerEditTest : public CxControlsTest {
 protected:
  void SetUp() override {
    CxControlsTest::SetUp();
    form = MakeForm(100, 100, 420, 260);
    edits = {Add<TcxTextEdit>(form, 10, 10, 200, 21), Add<TcxMemo>(form, 10, 40, 200, 100)};
    other = Add<TcxTextEdit>(form, 10, 200, 200, 21);
    form->Show();
    Pump();
  }

  TForm* form = nullptr;
  std::vector<TcxCustomTextEdit*> edits;
  TcxTextEdit* other = nullptr;
};

TEST_F(CxInnerEditTest, TheEditDrivesItsInnerControlThroughTheInterface) {
  for (TcxCustomTextEdit* edit : edits) {
    const std::string kind = StringToUtf8(edit->ClassName());
    IcxCustomInnerEdit* inner = edit->InnerEdit();
    ASSERT_NE(inner, nullptr) << kind;
    EXPECT_EQ(inner->GetContainer(), edit) << kind;
    EXPECT_EQ(inner->GetControl(), edit->InnerControl()) << kind;
    EXPECT_EQ(inner->GetControl()->Parent(), edit) << kind;
    EXPECT_FALSE(edit->IsEditUnavailable()) << kind;

    int changes = 0;
    edit->ActiveProperties()->OnChange = [&](TObject*) { ++changes; };
    inner->SetEditValue(Variant(String(u"Пётр")));
    EXPECT_EQ(edit->Text(), u"Пётр") << kind;
    EXPECT_EQ(changes, 1) << kind << ": the control's change reaches the edit's handler";
    Variant value;
    inner->GetEditValue(value);
    EXPECT_EQ(VarToStr(value), u"Пётр") << kind;

    inner->SetReadOnly(true);
    EXPECT_TRUE(inner->GetReadOnly()) << kind;
    inner->SetReadOnly(false);
    EXPECT_FALSE(inner->GetReadOnly()) << kind;
  }
}

TEST_F(CxInnerEditTest, LockedBoundsKeepTheControlInPlaceUntilEveryLockIsReleased) {
  for (TcxCustomTextEdit* edit : edits) {
    const std::string kind = StringToUtf8(edit->ClassName());
    IcxCustomInnerEdit* inner = edit->InnerEdit();
    TWinControl* control = inner->GetControl();
    const RECT before = control->BoundsRect();
    inner->LockBounds(true);
    inner->LockBounds(true);
    control->SetBounds(0, 0, 30, 10);
    inner->LockBounds(false);
    control->SetBounds(0, 0, 30, 10);
    EXPECT_EQ(control->BoundsRect(), before) << kind << ": one lock is still held";
    inner->LockBounds(false);
    inner->LockBounds(false);  // an extra release does not go below zero
    control->SetBounds(0, 0, 30, 10);
    EXPECT_EQ(control->Width(), 30) << kind;
    inner->LockBounds(true);
    control->SetBounds(0, 0, 40, 10);
    EXPECT_EQ(control->Width(), 30) << kind << ": the extra release left no credit";
    inner->LockBounds(false);
  }
}

TEST_F(CxInnerEditTest, SafeFocusingDoesNotSelectTheTextAndKeepsAutoSelect) {
  auto* edit = static_cast<TcxTextEdit*>(edits[0]);
  edit->SetText(u"Иванов");
  other->SetFocus();
  Pump();
  auto* control = static_cast<TCustomEdit*>(edit->InnerControl());
  ASSERT_TRUE(control->AutoSelect());
  control->SetSelStart(2);
  control->SetSelLength(0);
  EXPECT_TRUE(edit->InnerEdit()->SafelySetFocus());
  Pump();
  EXPECT_TRUE(edit->Focused());
  EXPECT_EQ(control->SelLength(), 0) << "focused without selecting all";
  EXPECT_TRUE(control->AutoSelect());
  other->SetFocus();
  Pump();
  edit->SetFocus();
  Pump();
  EXPECT_EQ(control->SelLength(), 6) << "an ordinary entry still selects all";
}

}  // namespace
