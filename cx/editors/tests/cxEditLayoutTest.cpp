#include "cx/editors/cxTextEdit.h"
#include "cx/editors/tests/cxEditTestUtil.h"
#include "cx/foundation/tests/cxFoundationTestUtil.h"

// Counts what reaches the inner control through the edit's hook.
class THookCountingEdit : public TcxTextEdit {
  TRENVIK_CLASS(THookCountingEdit, TcxTextEdit);

 public:
  explicit THookCountingEdit(TComponent* AOwner) : TcxTextEdit(AOwner) {}
  int HookedChars = 0;
  void InnerEditWindowProc(TMessage& Message) override {
    if (Message.Msg == WM_CHAR) ++HookedChars;
    inherited::InnerEditWindowProc(Message);
  }
};
TRENVIK_IMPLEMENT_CLASS(THookCountingEdit)

namespace {

class CxEditLayoutTest : public CxControlsTest {
 protected:
  void SetUp() override {
    CxControlsTest::SetUp();
    form = MakeForm(100, 100, 420, 240);
    form->Show();
    Pump();
  }
  TForm* form = nullptr;
};

TEST_F(CxEditLayoutTest, AnAutoSizedTextEditTakesTheHeightOfItsTextAndKeepsItsWidth) {
  auto* edit = Add<TcxTextEdit>(form, 200, 10, 150, 40);
  edit->Style()->Font()->SetName(kFixedTestFontName);
  edit->Style()->Font()->SetHeight(-16);
  Pump();
  TTestCanvas canvas(10, 10);
  canvas.Canvas()->Font()->Assign(edit->Style()->Font());
  const int line = canvas.Cx()->TextHeight(u"Zg");
  // The 2-pixel client extent on both sides and the stand-alone vertical text margin of 4.
  EXPECT_EQ(edit->Height(), 4 + line + 4);
  EXPECT_EQ(edit->Width(), 150);
  edit->SetBounds(200, 10, 150, 60);
  EXPECT_EQ(edit->Height(), 4 + line + 4) << "the height stays measured";
  edit->SetAutoSize(false);
  edit->SetBounds(200, 10, 150, 60);
  EXPECT_EQ(edit->Height(), 60);

  std::unique_ptr<TcxCustomEdit> inplace(TcxCustomEdit::CreateInplace(TcxTextEdit::StaticClass(), nullptr));
  EXPECT_FALSE(inplace->AutoSize());
  inplace->SetAutoSize(true);
  EXPECT_FALSE(inplace->AutoSize()) << "in-place editors never auto-size";
}

TEST_F(CxEditLayoutTest, TheInnerControlIsHookedOnlyWhileAKeyActivatesTheEditor) {
  auto* edit = static_cast<THookCountingEdit*>(TcxCustomEdit::CreateInplace(THookCountingEdit::StaticClass(), form));
  edit->SetParent(form);
  edit->SetBounds(10, 10, 150, 20);
  Pump();
  std::unique_ptr<TcxCustomEditData> cellData;
  edit->ActivateByKey(u'Ж', cellData);
  Pump();
  EXPECT_EQ(edit->HookedChars, 1) << "the activation key passes the hook";
  EXPECT_EQ(edit->Text(), u"Ж");
  EXPECT_FALSE(edit->IsInnerEditHooked());
  SimulateText(u"ук");
  Pump();
  EXPECT_EQ(edit->Text(), u"Жук");
  EXPECT_EQ(edit->HookedChars, 1) << "typed afterwards without the hook";
}

}  // namespace
