// Floating bars hidden while their form is inactive and shown again when it is activated.
#include <memory>

#include "dx/bars/dxBarCustomizingForm.h"
#include "dx/bars/tests/dxBarUiTestSupport.h"

namespace {

class DxBarFloatingBarsTest : public DxBarUiTest {
 protected:
  void SetUp() override {
    DxBarUiTest::SetUp();
    tools = MakeFloatingBar(650, 100, {u"Aa", u"Bb"});
    other.reset(NewForm<TForm>(nullptr));
    other->SetBounds(620, 400, 300, 200);
    other->Show();
    Activate(form);
  }
  void TearDown() override {
    other.reset();
    DxBarUiTest::TearDown();
  }
  void Activate(TForm* Form) {
    SetForegroundWindow(Form->Handle());
    Pump();
  }
  bool ToolsShown() const { return IsWindowVisible(tools->Control()->Handle()); }

  TdxBar* tools = nullptr;
  std::unique_ptr<TForm> other;
};

TEST_F(DxBarFloatingBarsTest, AnotherFormActivatedHidesThemUnlessTheManagerKeepsThemAndTheFormBackShowsThem) {
  ASSERT_TRUE(ToolsShown());
  Activate(other.get());
  EXPECT_FALSE(ToolsShown());
  EXPECT_TRUE(tools->Visible());  // the bar's own state stays
  Activate(form);
  EXPECT_TRUE(ToolsShown());

  manager->SetHideFloatingBarsWhenInactive(false);
  Activate(other.get());
  EXPECT_TRUE(ToolsShown());
  // Hidden with its form all the same.
  form->Hide();
  Pump();
  EXPECT_FALSE(ToolsShown());
}

TEST_F(DxBarFloatingBarsTest, TheCustomizingFormTakingTheActivationKeepsThem) {
  manager->SetCustomizing(true);
  Pump();
  ASSERT_NE(GetCustomizingForm(), nullptr);
  EXPECT_TRUE(ToolsShown());
  manager->SetCustomizing(false);
  Pump();
}

}  // namespace
