#include "cx/editors/cxMemo.h"
#include "cx/editors/tests/cxEditTestUtil.h"
#include "platform/win/Input.h"

namespace {

TEST(CxMemoPropertiesTest, DisplayTextIsTheFirstLineOfAtMost250Characters) {
  TcxMemoProperties properties(nullptr);
  const String longLine(300, u'x');
  const String lateBreak = String(260, u'y') + u"\r\nz";
  struct Case {
    String value;
    bool fullText;
    String shown;
  } cases[] = {
      {u"line 1\r\nline 2", false, u"line 1"},
      {u"line 1\nline 2", false, u"line 1"},
      {u"line 1\r\nline 2", true, u"line 1\r\nline 2"},
      {longLine, false, String(250, u'x')},
      {lateBreak, false, String(250, u'y')},
      {u"", false, u""},
  };
  for (const Case& c : cases) EXPECT_EQ(properties.GetDisplayText(c.value, c.fullText), c.shown);
}

TEST(CxMemoPropertiesTest, DefaultsSettersAndAssign) {
  TcxMemoProperties source(nullptr);
  EXPECT_FALSE(source.AutoSelect());
  EXPECT_EQ(source.ScrollBars(), ssNone);
  EXPECT_TRUE(source.WantReturns());
  EXPECT_FALSE(source.WantTabs());
  EXPECT_TRUE(source.WordWrap());
  EXPECT_TRUE(source.IsMultiLine());
  EXPECT_FALSE(source.AcceptsTabKey());
  EXPECT_EQ(source.GetContainerClass(), TcxMemo::StaticClass());

  int changes = 0;
  source.OnPropertiesChanged = [&](TObject*) { ++changes; };
  source.SetWantTabs(true);
  source.SetWantTabs(true);  // unchanged: no notification
  EXPECT_EQ(changes, 1);
  EXPECT_TRUE(source.AcceptsTabKey());
  source.SetScrollBars(ssBoth);
  source.SetWordWrap(false);
  source.SetWantReturns(false);
  source.SetHorzAlignment(taRightJustify);

  TcxMemoProperties copy(nullptr);
  int copyChanges = 0;
  copy.OnPropertiesChanged = [&](TObject*) { ++copyChanges; };
  copy.Assign(&source);
  EXPECT_EQ(copy.ScrollBars(), ssBoth);
  EXPECT_FALSE(copy.WordWrap());
  EXPECT_FALSE(copy.WantReturns());
  EXPECT_TRUE(copy.WantTabs());
  EXPECT_EQ(copy.HorzAlignment(), taRightJustify);
  EXPECT_EQ(copyChanges, 1);  // one notification for the whole assignment
}

class CxMemoTest : public CxControlsTest {
 protected:
  void MakeForm2() {
    form = MakeForm(100, 100, 420, 300);
    memo = Add<TcxMemo>(form, 10, 10, 200, 120);
    next = Add<TcxMemo>(form, 10, 150, 200, 120);
    form->Show();
    Pump();
    memo->SetFocus();
    Pump();
    ASSERT_TRUE(memo->Focused());
  }
  TForm* form = nullptr;
  TcxMemo* memo = nullptr;
  TcxMemo* next = nullptr;
};

TEST_F(CxMemoTest, CreatedAsAMultiLineMemo) {
  MakeForm2();
  EXPECT_TRUE(memo->InnerTextEdit()->InheritsFrom(TCustomMemo::StaticClass()));
  TcxMemo* plain = new TcxMemo(form);
  EXPECT_EQ(plain->Width(), 185);
  EXPECT_EQ(plain->Height(), 89);
}

TEST_F(CxMemoTest, EnterKeysThatModifyDependOnWantReturnsAndWantTabs) {
  MakeForm2();
  TcxMemoProperties* properties = memo->Properties();
  struct Case {
    bool wantReturns, wantTabs;
    WORD key;
    TShiftState shift;
    bool modifies;
  } cases[] = {
      {true, false, VK_RETURN, {}, true},
      {false, false, VK_RETURN, {}, false},
      {false, false, VK_RETURN, {ssCtrl}, true},
      {true, false, VK_TAB, {}, false},
      {true, true, VK_TAB, {}, true},
  };
  for (const Case& c : cases) {
    properties->SetWantReturns(c.wantReturns);
    properties->SetWantTabs(c.wantTabs);
    EXPECT_EQ(memo->CanKeyDownModifyEdit(c.key, c.shift), c.modifies) << c.key << " " << c.wantReturns;
  }
}

TEST_F(CxMemoTest, TypedLinesBecomeTheValueAndTabMovesTheFocus) {
  MakeForm2();
  SimulateText(u"первая");
  Pump();
  Key(VK_RETURN);
  SimulateText(u"вторая");
  Pump();
  EXPECT_EQ(memo->Lines()->Count(), 2);
  EXPECT_EQ(VarToStr(memo->EditValue()), u"первая\r\nвторая");
  EXPECT_EQ(memo->ActiveProperties()->GetDisplayText(memo->EditValue()), u"первая");
  Key(VK_TAB);
  EXPECT_TRUE(next->Focused());
  EXPECT_EQ(VarToStr(memo->EditValue()).find(u'\t'), String::npos);
}

TEST_F(CxMemoTest, CtrlASelectsEverythingWhenThereIsText) {
  MakeForm2();
  SimulateText(u"abc");
  Pump();
  Key(VK_RETURN);
  SimulateText(u"de");
  Pump();
  WORD key = 'A';
  memo->DoEditKeyDown(key, {ssCtrl});
  EXPECT_EQ(key, 0);
  EXPECT_EQ(memo->SelStart(), 0);
  EXPECT_EQ(memo->SelLength(), static_cast<int>(memo->Text().size()));

  next->SetFocus();
  Pump();
  key = 'A';
  next->DoEditKeyDown(key, {ssCtrl});
  EXPECT_EQ(key, 'A');  // an empty memo leaves the key to the inner memo
}

}  // namespace
