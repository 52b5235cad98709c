// An in-place combo box in a plain container, activated per cell as a grid does it: the popup opens
// on activation when asked to, closes on deactivation, and a size the user gave it travels with the
// cell's edit data, not with the properties.
#include "cx/editors/cxComboBox.h"
#include "cx/editors/cxEditViewInfo.h"
#include "cx/editors/tests/cxEditPopupTestUtil.h"
#include "cx/editors/tests/cxEditTestUtil.h"
#include "platform/forms/ExtCtrls.h"

namespace {

class CxDropDownEditInplaceTest : public CxControlsTest {
 protected:
  void SetUp() override {
    CxControlsTest::SetUp();
    form = MakeForm(100, 100, 420, 320);
    panel = new TPanel(form);
    panel->SetParent(form);
    panel->SetBounds(0, 0, 400, 300);
    combo = static_cast<TcxComboBox*>(TcxCustomEdit::CreateInplace(TcxComboBox::StaticClass(), form));
    combo->SetParent(panel);
    combo->SetBounds(10, 10, 200, 20);
    combo->SetVisible(false);
    for (int i = 0; i < 30; ++i) combo->ActiveProperties()->Items()->Add(u"Строка " + IntToStr(i));
    combo->ActiveProperties()->SetDropDownSizeable(true);
    form->Show();
    Pump();
  }
  TcxCustomEditPopupWindow* Popup() { return combo->PopupWindow(); }
  SIZE PopupSize() { return {Popup()->Width(), Popup()->Height()}; }
  void Activate(std::unique_ptr<TcxCustomEditData>& ACellData) {
    combo->Activate(ACellData);
    Pump();
  }
  void DragGrip(int DX, int DY) { DragPopupGrip(Popup(), DX, DY); }
  static TcxCustomDropDownEditData* DropDownData(const std::unique_ptr<TcxCustomEditData>& ACellData) {
    return dynamic_cast<TcxCustomDropDownEditData*>(ACellData.get());
  }

  TForm* form = nullptr;
  TPanel* panel = nullptr;
  TcxComboBox* combo = nullptr;
};

TEST_F(CxDropDownEditInplaceTest, ImmediatePopupOpensOnActivationAndDeactivationClosesIt) {
  std::unique_ptr<TcxCustomEditData> cell;
  Activate(cell);
  EXPECT_TRUE(combo->Focused());
  EXPECT_FALSE(combo->DroppedDown()) << "without ImmediatePopup the editor opens closed";
  EXPECT_TRUE(combo->Deactivate());

  combo->ActiveProperties()->SetImmediatePopup(true);
  Activate(cell);
  EXPECT_TRUE(combo->DroppedDown());
  KeepCheckedScreen("in-place combo opened on activation");
  Key(VK_DOWN);
  EXPECT_TRUE(combo->Deactivate());
  EXPECT_FALSE(combo->DroppedDown());
  EXPECT_FALSE(Popup()->Visible());
  EXPECT_EQ(combo->Text(), u"") << "closing on deactivation accepts nothing";
}

TEST_F(CxDropDownEditInplaceTest, AUsersPopupSizeStaysWithItsCell) {
  combo->ActiveProperties()->SetImmediatePopup(true);
  std::unique_ptr<TcxCustomEditData> resizedCell, otherCell;
  Activate(resizedCell);
  ASSERT_TRUE(combo->DroppedDown());
  const SIZE initial = PopupSize();
  const int row = combo->ComboLookupData()->ListBox()->GetItemHeight(-1);
  DragGrip(40, 2 * row);
  const SIZE grown = PopupSize();
  ASSERT_EQ(grown.cx, initial.cx + 40);
  ASSERT_EQ(grown.cy, initial.cy + 2 * row);
  EXPECT_TRUE(combo->Deactivate());
  ASSERT_NE(DropDownData(resizedCell), nullptr);
  EXPECT_TRUE(DropDownData(resizedCell)->PopupResized);
  EXPECT_EQ(DropDownData(resizedCell)->PopupWidth, grown.cx);
  EXPECT_EQ(DropDownData(resizedCell)->PopupHeight, grown.cy);
  EXPECT_EQ(combo->ActiveProperties()->PopupWidth(), 0) << "an in-place size is not the properties'";

  Activate(otherCell);
  ASSERT_TRUE(combo->DroppedDown());
  EXPECT_EQ(PopupSize().cx, initial.cx) << "another cell opens at the usual size";
  EXPECT_EQ(PopupSize().cy, initial.cy);
  EXPECT_TRUE(combo->Deactivate());
  EXPECT_FALSE(DropDownData(otherCell)->PopupResized);

  Activate(resizedCell);
  ASSERT_TRUE(combo->DroppedDown());
  EXPECT_EQ(PopupSize().cx, grown.cx) << "the resized cell opens at its own size";
  EXPECT_EQ(PopupSize().cy, grown.cy);
  EXPECT_TRUE(combo->IsPopupResized());
  EXPECT_TRUE(combo->Deactivate());
  EXPECT_TRUE(DropDownData(resizedCell)->PopupResized) << "an unchanged size stays remembered";
}

}  // namespace

namespace {

// The popup's content looks like the edit's buttons: the kind follows their style (in place, the
// style's look and feel), the native flag the edit's, and each change is announced once.
TEST_F(CxDropDownEditInplaceTest, ThePopupsLookFollowsTheEditsButtons) {
  TForm* standAloneForm = MakeForm(100, 450, 300, 100);
  auto* edit = Add<TcxComboBox>(standAloneForm, 10, 10, 200, 21);
  standAloneForm->Show();
  Pump();
  TcxEditPopupControlLookAndFeel* look = edit->PopupControlsLookAndFeel();
  int announced = 0;
  look->OnChanged = [&](TcxLookAndFeel*, TcxLookAndFeelValues) { ++announced; };
  struct Case {
    TcxEditButtonStyle buttons;
    TcxLookAndFeelKind kind;
  };
  // The default button style is drawn by the look and feel's kind (ultra-flat here).
  const Case cases[] = {{btsFlat, lfFlat},    {btsUltraFlat, lfUltraFlat}, {bts3D, lfStandard},
                        {btsHotFlat, lfFlat}, {btsSimple, lfFlat},         {btsDefault, lfUltraFlat}};
  int expectedAnnouncements = 0;
  TcxLookAndFeelKind last = look->Kind();
  for (const Case& c : cases) {
    edit->Style()->SetButtonStyle(c.buttons);
    Pump();
    EXPECT_EQ(look->Kind(), c.kind) << c.buttons;
    if (c.kind != last) ++expectedAnnouncements;
    last = c.kind;
    EXPECT_EQ(announced, expectedAnnouncements) << c.buttons;
  }
  EXPECT_FALSE(look->NativeStyle());
  edit->Style()->LookAndFeel()->SetNativeStyle(true);
  Pump();
  EXPECT_EQ(look->NativeStyle(), edit->EditViewInfo()->NativeStyle);

  // In place the popup takes the kind of the edit style's look and feel.
  combo->Style()->LookAndFeel()->SetKind(lfFlat);
  std::unique_ptr<TcxCustomEditData> cell;
  combo->Activate(cell);
  Pump();
  EXPECT_EQ(combo->PopupControlsLookAndFeel()->Kind(), lfFlat);
  combo->Style()->LookAndFeel()->SetKind(lfUltraFlat);
  Pump();
  EXPECT_EQ(combo->PopupControlsLookAndFeel()->Kind(), lfUltraFlat);
  EXPECT_TRUE(combo->Deactivate());
}

}  // namespace
