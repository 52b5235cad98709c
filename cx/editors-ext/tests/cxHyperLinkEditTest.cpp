// The hyperlink edit: what starts the link (double click, single click, the start key), what the
// opener is given, and the link drawn underlined in its colour.
#include "cx/editors-ext/cxHyperLinkEdit.h"

#include <string>
#include <vector>

#include "cx/foundation/tests/cxControlsTestUtil.h"
#include "platform/win/Input.h"
#include "platform/win/Shell.h"

namespace {

class CxHyperLinkEditTest : public CxControlsTest {
 protected:
  void SetUp() override {
    CxControlsTest::SetUp();
    SetShellLauncher([this](const std::vector<std::string>& argv) {
      launches.push_back(argv);
      return true;
    });
  }
  void TearDown() override {
    SetShellLauncher(nullptr);
    CxControlsTest::TearDown();
  }
  TcxHyperLinkEdit* MakeEdit() {
    TForm* form = MakeForm();
    auto* edit = Add<TcxHyperLinkEdit>(form, 10, 10, 200, 21);
    Add<TcxHyperLinkEdit>(form, 10, 50, 200, 21);
    form->Show();
    Pump();
    return edit;
  }
  void DoubleClick(TControl* AControl) {
    clock_->Advance(1000);
    SimulateClick(TSimButton::Left, At(AControl, 20, 10));
    SimulateClick(TSimButton::Left, At(AControl, 20, 10));
    Pump();
  }
  std::vector<std::vector<std::string>> launches;
};

TEST_F(CxHyperLinkEditTest, ADoubleClickHandsTheUntrimmedTextToTheOpener) {
  TcxHyperLinkEdit* edit = MakeEdit();
  // A link, so the opener does not look for a file of that name.
  edit->SetText(u"http://example.org/report.txt  ");
  Click(edit, 20, 10);
  EXPECT_TRUE(launches.empty()) << "a single click only places the caret";
  DoubleClick(edit);
  ASSERT_EQ(launches.size(), 1u);
  EXPECT_EQ(launches[0].back(), "http://example.org/report.txt  ");
  edit->SetText(u"   ");
  DoubleClick(edit);
  EXPECT_EQ(launches.size(), 1u) << "a blank text opens nothing";
}

TEST_F(CxHyperLinkEditTest, TheStartKeyAndSingleClickStartIt) {
  TcxHyperLinkEdit* edit = MakeEdit();
  int started = 0;
  edit->ActiveProperties()->OnStartClick = [&](TObject*) { ++started; };
  edit->SetText(u"http://example.org");
  edit->SetFocus();
  Pump();
  Key(VK_RETURN, 2);  // Ctrl+Enter
  EXPECT_EQ(started, 1);
  edit->ActiveProperties()->SetStartKey(0);
  Key(VK_RETURN, 2);
  EXPECT_EQ(started, 1) << "StartKey 0 never starts";

  EXPECT_FALSE(edit->ActiveProperties()->GetSupportedOperations().Contains(esoAlwaysHotTrack));
  edit->ActiveProperties()->SetSingleClick(true);
  EXPECT_TRUE(edit->ActiveProperties()->GetSupportedOperations().Contains(esoAlwaysHotTrack));
  Click(edit, 20, 10);
  EXPECT_EQ(started, 2) << "one click starts it";
  EXPECT_TRUE(launches.empty()) << "OnStartClick replaces the opener";
}

TEST_F(CxHyperLinkEditTest, TheLinkIsDrawnUnderlinedInItsColour) {
  TcxHyperLinkEdit* edit = MakeEdit();
  edit->ActiveProperties()->SetLinkColor(clRed);
  edit->SetText(u"ссылка");
  Pump();
  int red = 0;
  for (int y = 0; y < edit->Height(); ++y)
    for (int x = 0; x < 80; ++x) red += ColorToRGB(ScreenPixel(edit, x, y)) == ColorToRGB(clRed);
  EXPECT_GT(red, 20);
  KeepCheckedScreen("hyperlink");
}

}  // namespace
