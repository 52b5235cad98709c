#include "dx/editors/dxHyperLinkEdit.h"

#include "dx/editors/dxEditorRoutines.h"
#include "dx/editors/tests/dxEditorsTestSupport.h"
#include "platform/win/Shell.h"

namespace {

class DxHyperLinkEditTest : public DxEditorsTest {
 protected:
  void SetUp() override {
    DxEditorsTest::SetUp();
    SetShellLauncher([this](const std::vector<std::string>& argv) {
      launched_.push_back(argv);
      return true;
    });
  }
  void TearDown() override {
    SetShellLauncher(nullptr);
    DxEditorsTest::TearDown();
  }
  TdxInplaceHyperLinkEdit* MakeEditor(const char* Text) {
    host_ = MakeHost();
    auto* edit = new TdxInplaceHyperLinkEdit(host_);
    edit->SetParent(host_);
    edit->ShowAt(RECT{10, 10, 200, 30});
    edit->SetText(Utf8ToString(Text));
    edit->SetFocus();
    Pump();
    return edit;
  }

  TTestContainer* host_ = nullptr;
  std::vector<std::vector<std::string>> launched_;
};

}  // namespace

TEST(DxHyperLinks, OnlyWebAndMailAddressesAreOpenable) {
  struct Case {
    const char* link;
    bool openable;
  } cases[] = {
      {"http://example.org", true},   {"  HTTPS://example.org/a?b=c  ", true},
      {"mailto:hr@example.org", true}, {"file:///etc/passwd", false},
      {"/usr/bin/xterm", false},       {"C:\\Windows\\calc.exe", false},
      {"javascript:alert(1)", false},  {"http://", false},
      {"http://a\nb", false},          {"", false},
      {"example.org", false},
  };
  for (const Case& c : cases) EXPECT_EQ(IsOpenableLink(Utf8ToString(c.link)), c.openable) << c.link;
}

TEST_F(DxHyperLinkEditTest, StartKeyOpensTheTrimmedLinkAsOneArgument) {
  auto* edit = MakeEditor("  https://example.org/x y  ");
  Key(VK_RETURN, 2);
  ASSERT_EQ(launched_.size(), 1u);
  EXPECT_EQ(launched_[0].back(), "https://example.org/x y");
  EXPECT_EQ(StringToUtf8(edit->Text()), "  https://example.org/x y  ") << "no line break typed";
}

TEST_F(DxHyperLinkEditTest, OtherTextsAreRefusedWithABeep) {
  MakeEditor("/usr/bin/xterm");
  const int beeps = Beeps();
  Key(VK_RETURN, 2);
  EXPECT_TRUE(launched_.empty());
  EXPECT_EQ(Beeps() - beeps, 1);
}

TEST_F(DxHyperLinkEditTest, TypingNeverStartsALinkButAClickDoes) {
  auto* edit = MakeEditor("");
  Type("http://example.org");
  Key(VK_RETURN);
  EXPECT_TRUE(launched_.empty());
  Click(edit, 5, 5);  // an in-place editor starts its link on a click
  ASSERT_EQ(launched_.size(), 1u);
  EXPECT_EQ(launched_[0].back(), "http://example.org");
}

TEST_F(DxHyperLinkEditTest, BlankTextStartsNothingAndTheCallbackReplacesTheShell) {
  auto* edit = MakeEditor("   ");
  const int beeps = Beeps();
  edit->StartLink();
  EXPECT_TRUE(launched_.empty());
  EXPECT_EQ(Beeps(), beeps);
  int started = 0;
  edit->OnStartLink = [&](TObject*) { ++started; };
  edit->SetText(u"http://example.org");
  edit->StartLink();
  EXPECT_EQ(started, 1);
  EXPECT_TRUE(launched_.empty());
}

TEST_F(DxHyperLinkEditTest, LinkLookAndCursor) {
  auto* edit = MakeEditor("http://example.org");
  edit->SetLinkColor(clRed);
  auto v = edit->CreateViewData(false);
  EXPECT_EQ(v->TextColor, clRed);
  EXPECT_TRUE(edit->LinkFont()->Style().Contains(fsUnderline));
  EXPECT_EQ(edit->EditClass()->GetCursorAt(1, 1, v.get()), crdxHandPoint);
  edit->Font()->SetSize(14);
  EXPECT_EQ(edit->LinkFont()->Size(), 14) << "follows the editor's font";
}
