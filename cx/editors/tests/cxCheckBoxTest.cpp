#include <memory>

#include "cx/editors/cxCheckBox.h"
#include "cx/editors/tests/cxEditTestUtil.h"

namespace {

TEST(CxCheckBoxProperties, ValuesMapOntoStatesAndTexts) {
  TcxCheckBoxProperties properties(nullptr);
  struct Case {
    Variant value;
    TcxCheckBoxState state;
    const char16_t* text;
    bool valid;
  };
  const Case cases[] = {
      {Variant(true), cbsChecked, u"True", true},
      {Variant(false), cbsUnchecked, u"False", true},
      {Null(), cbsGrayed, u"", true},
      {Variant(5), cbsGrayed, u"", false},  // matches no state: shown by NullStyle
  };
  for (const Case& c : cases) {
    Variant display;
    properties.PrepareDisplayValue(c.value, display, false);
    EXPECT_EQ(display.AsInteger(), c.state) << StringToUtf8(VarToStr(c.value));
    EXPECT_EQ(properties.GetDisplayText(c.value), c.text);
    Variant value = c.value;
    EXPECT_EQ(properties.IsEditValueValid(value, false), c.valid);
  }
  EXPECT_EQ(cxSupportedOperationsMask(properties.GetSupportedOperations()), 85);
}

TEST(CxCheckBoxProperties, AValueAlreadyMeaningAStateIsRefused) {
  TcxCheckBoxProperties properties(nullptr);
  int changes = 0;
  properties.OnPropertiesChanged = [&](TObject*) { ++changes; };
  properties.SetValueChecked(false);
  properties.SetValueChecked(Null());
  properties.SetValueUnchecked(Null());
  EXPECT_EQ(VarToStr(properties.ValueChecked()), VarToStr(Variant(true)));
  EXPECT_EQ(changes, 0);
  properties.SetValueChecked(u"Y");
  properties.SetValueUnchecked(u"N");
  properties.SetValueGrayed(u"?");
  EXPECT_EQ(changes, 3);
  properties.SetValueGrayed(Null());
  EXPECT_TRUE(VarIsNull(properties.ValueGrayed())) << "the grayed value may be Null";
}

class CxCheckBoxTest : public CxControlsTest {
 protected:
  TcxCheckBox* MakeCheckBox(TForm* AForm, int Top) {
    auto* box = Add<TcxCheckBox>(AForm, 10, Top, 160, 21);
    return box;
  }
};

TEST_F(CxCheckBoxTest, ToggleCyclesThroughGrayedOnlyWhenAllowed) {
  TcxCheckBox box(nullptr);
  EXPECT_EQ(box.State(), cbsUnchecked);
  EXPECT_EQ(VarToStr(box.EditValue()), VarToStr(Variant(false)));
  std::vector<TcxCheckBoxState> seen;
  for (int i = 0; i < 3; ++i) {
    box.Toggle();
    seen.push_back(box.State());
  }
  EXPECT_EQ(seen, (std::vector<TcxCheckBoxState>{cbsChecked, cbsUnchecked, cbsChecked}));
  box.Properties()->SetAllowGrayed(true);
  box.SetChecked(false);
  seen.clear();
  for (int i = 0; i < 3; ++i) {
    box.Toggle();
    seen.push_back(box.State());
  }
  EXPECT_EQ(seen, (std::vector<TcxCheckBoxState>{cbsGrayed, cbsChecked, cbsUnchecked}));
}

TEST_F(CxCheckBoxTest, NewStateValuesKeepTheShownState) {
  TcxCheckBox box(nullptr);
  box.SetChecked(true);
  box.Properties()->SetValueChecked(1);
  EXPECT_TRUE(box.Checked());
  EXPECT_EQ(box.EditValue().AsInteger(), 1);
}

TEST_F(CxCheckBoxTest, CaptionFollowsTheNameUntilSet) {
  TcxCheckBox box(nullptr);
  box.SetName(u"cbMale");
  EXPECT_EQ(box.Properties()->Caption(), u"cbMale");
  box.SetName(u"cbFemale");
  EXPECT_EQ(box.Properties()->Caption(), u"cbFemale");
  box.Properties()->SetCaption(u"женский");
  box.SetName(u"cbOther");
  EXPECT_EQ(box.Properties()->Caption(), u"женский");
}

TEST_F(CxCheckBoxTest, SpaceAndClicksToggleThroughTheMessageLoop) {
  TForm* form = MakeForm();
  TcxCheckBox* box = MakeCheckBox(form, 10);
  TcxCheckBox* other = MakeCheckBox(form, 40);
  box->Properties()->SetCaption(u"Работает");
  other->Properties()->SetCaption(u"Пенсионер");
  form->Show();
  box->SetFocus();
  Pump();
  int changes = 0;
  box->Properties()->OnEditValueChanged = [&](TObject*) { ++changes; };

  SimulateKeyDown(VK_SPACE);
  Pump();
  EXPECT_TRUE(box->IsSpacePressed());
  EXPECT_FALSE(box->Checked()) << "toggled on release";
  SimulateKeyUp(VK_SPACE);
  Pump();
  EXPECT_TRUE(box->Checked());
  EXPECT_EQ(changes, 1);

  Click(box, 8, 10);
  EXPECT_FALSE(box->Checked());

  // Pressed on the check and released outside: no toggle.
  Down(box, 8, 10);
  Up(box, 8, 60);
  EXPECT_FALSE(box->Checked());
  Click(other, 8, 10);
  EXPECT_TRUE(other->Checked());
  Pump();

  // Checked: the frame control's mark is dark inside the 13-pixel check square.
  int dark = 0;
  for (int y = 4; y < 17; ++y)
    for (int x = 2; x < 15; ++x) dark += ScreenPixel(other, x, y) == clBlack;
  EXPECT_GT(dark, 5);
  int darkUnchecked = 0;
  for (int y = 6; y < 15; ++y)
    for (int x = 4; x < 13; ++x) darkUnchecked += ScreenPixel(box, x, y) == clBlack;
  EXPECT_EQ(darkUnchecked, 0);
  KeepCheckedScreen("check boxes");
}

}  // namespace
