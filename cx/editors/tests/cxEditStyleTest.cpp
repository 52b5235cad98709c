#include <memory>

#include "cx/editors/cxEditStyle.h"
#include "cx/editors/tests/cxEditTestUtil.h"

namespace {

TEST(CxEditStyle, ValuesComeFromTheControllerUntilAssignedLocally) {
  TcxEditStyleController controller(nullptr);
  TcxEditStyle style(nullptr, false);
  int changes = 0;
  style.OnChanged = [&](TObject*) { ++changes; };
  style.SetStyleController(&controller);
  controller.Style()->SetColor(clYellow);
  controller.Style()->SetButtonStyle(btsUltraFlat);
  EXPECT_EQ(style.Color(), clYellow);
  EXPECT_EQ(style.ButtonStyle(), btsUltraFlat);
  EXPECT_TRUE(style.AssignedValues().Empty());

  style.SetColor(clAqua);
  EXPECT_EQ(style.Color(), clAqua);
  const int before = changes;
  style.SetColor(clAqua);
  EXPECT_EQ(changes, before) << "the same assigned value reports nothing";

  style.SetAssignedValues(style.AssignedValues() - TcxEditStyleValues{svColor});
  EXPECT_EQ(style.Color(), clYellow) << "inherited again";
}

TEST(CxEditStyle, DefaultsFollowTheLookAndFeelAndTheChainEndsWithoutAController) {
  TcxEditStyle style(nullptr, false);
  struct Case {
    TcxLookAndFeelKind kind;
    TcxEditBorderStyle border;
  };
  for (const Case& c : {Case{lfFlat, ebsFlat}, Case{lfStandard, ebs3D}, Case{lfUltraFlat, ebsUltraFlat}}) {
    style.LookAndFeel()->SetKind(c.kind);
    EXPECT_EQ(style.BorderStyle(), c.border);
  }
  EXPECT_EQ(style.BorderColor(), clWindowFrame);
  EXPECT_EQ(style.Color(), clWindow);
  EXPECT_TRUE(style.HotTrack());
  EXPECT_EQ(style.ButtonTransparency(), ebtNone);

  // Two controllers in a chain: the far one's value shows through.
  TcxEditStyleController nearController(nullptr), farController(nullptr);
  nearController.Style()->SetStyleController(&farController);
  farController.Style()->SetShadow(true);
  style.SetStyleController(&nearController);
  EXPECT_TRUE(style.Shadow());
}

TEST(CxEditStyle, ControllerFontIsCopiedWithoutBecomingAssigned) {
  TcxEditStyleController controller(nullptr);
  TcxEditStyle style(nullptr, false);
  style.SetStyleController(&controller);
  controller.Style()->Font()->SetSize(14);
  EXPECT_EQ(style.Font()->Size(), 14);
  EXPECT_FALSE(style.AssignedValues().Contains(svFont));
  style.Font()->SetSize(9);
  EXPECT_TRUE(style.AssignedValues().Contains(svFont)) << "the user's change is the style's own";
  controller.Style()->Font()->SetSize(20);
  EXPECT_EQ(style.Font()->Size(), 9);
}

TEST(CxEditStyle, DirectAccessModeReportsEverythingAssignedAndNoEdges) {
  TFont borrowed;
  TcxEditStyle style(nullptr, true);
  style.SetFont(&borrowed);
  style.SetEdges({bLeft});
  EXPECT_EQ(style.Font(), &borrowed);
  EXPECT_TRUE(style.Edges().Empty());
  EXPECT_EQ(style.AssignedValues().Bits(), 0x7FFu);
  EXPECT_FALSE(style.Shadow());
}

TEST(CxEditStyle, AnEditsStyleIsAnEditStyleAndDefaultsToItsColour) {
  TTestEdit edit(nullptr);
  ASSERT_NE(dynamic_cast<TcxCustomEditStyle*>(edit.TcxContainer::Style()), nullptr);
  edit.SetColor(clYellow);
  EXPECT_EQ(edit.Style()->Color(), clYellow);
}

}  // namespace
