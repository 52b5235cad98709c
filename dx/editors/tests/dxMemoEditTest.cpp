#include <gtest/gtest.h>

#include "dx/editors/dxMemoEdit.h"
#include "dx/editors/tests/dxEditorsTestSupport.h"

namespace {

class DxMemoEditTest : public DxEditorsTest {
 protected:
  TdxInplaceMemoEdit* ShowMemo(const char* text) {
    host_ = MakeHost();
    auto* memo = new TdxInplaceMemoEdit(host_);
    memo->SetParent(host_);
    memo->SetEditValue(Variant(Utf8ToString(text)));
    memo->ShowAt(RECT{10, 10, 250, 150});
    memo->SetActive(true);
    memo->SetModified(false);
    Pump();
    return memo;
  }
  TTestContainer* host_ = nullptr;
};

TEST_F(DxMemoEditTest, AFinalLineBreakAddsNoLine) {
  auto* memo = ShowMemo("один\r\nдва\r\n");
  ASSERT_EQ(memo->Lines()->Count(), 2);
  EXPECT_EQ(memo->Lines()->Strings(0), u"один");
  EXPECT_EQ(memo->Lines()->Strings(1), u"два");
  memo->SetWholeText(u"один\nдва");
  EXPECT_EQ(memo->Lines()->Count(), 2);
}

TEST_F(DxMemoEditTest, InsertOnePastTheLastLineAppendsUnlessThatLineIsEmpty) {
  auto* memo = ShowMemo("a\r\nb");
  memo->Lines()->Insert(2, u"c");
  EXPECT_EQ(memo->Lines()->Count(), 3);
  EXPECT_EQ(memo->Lines()->Strings(2), u"c");
  memo->Lines()->Insert(0, u"z");
  EXPECT_EQ(memo->Lines()->Strings(0), u"z");
  EXPECT_EQ(memo->Lines()->Count(), 4);
  memo->Lines()->Delete(1);
  EXPECT_EQ(memo->Lines()->Strings(1), u"b");
  memo->Lines()->Insert(-1, u"never");
  memo->Lines()->Insert(9, u"never");
  EXPECT_EQ(memo->Lines()->Count(), 3);

  auto* trailing = ShowMemo("x\r\n");
  trailing->Lines()->Insert(2, u"y");  // after the empty line that follows the break: nothing
  EXPECT_EQ(trailing->Lines()->Count(), 1);
  trailing->Lines()->Insert(1, u"y");
  EXPECT_EQ(trailing->Lines()->Count(), 2);
  EXPECT_EQ(trailing->Lines()->Strings(1), u"y");
}

// Lines are read whole, however long.
TEST_F(DxMemoEditTest, ALongLineIsReadWhole) {
  auto* memo = ShowMemo("");
  memo->SetWordWrap(false);
  const String line(5000, u'ж');
  memo->SetWholeText(line + u"\r\nend");
  EXPECT_EQ(memo->Lines()->Strings(0), line);
  EXPECT_EQ(memo->Lines()->Strings(1), u"end");
}

TEST_F(DxMemoEditTest, EnterBreaksTheLineAndCtrlEnterGoesToTheHost) {
  auto* memo = ShowMemo("ab");
  memo->SetSelectionRange(1, 1);
  Key(VK_RETURN);
  EXPECT_EQ(memo->Lines()->Count(), 2);
  EXPECT_EQ(memo->Lines()->Strings(1), u"b");
  EXPECT_TRUE(host_->KeysHandedOver.empty());
  Key(VK_RETURN, 2);
  EXPECT_EQ(host_->KeysHandedOver, std::vector<WORD>{VK_RETURN});
}

TEST_F(DxMemoEditTest, DownLeavesTheMemoOnlyWhenAllIsSelected) {
  auto* memo = ShowMemo("one\r\ntwo");
  memo->SetSelectionRange(1, 1);
  Key(VK_DOWN);
  EXPECT_TRUE(host_->KeysHandedOver.empty());
  EXPECT_EQ(host_->KeysReported, std::vector<WORD>{VK_DOWN});
  int start = 0, end = 0;
  memo->GetSelectionRange(start, end);
  EXPECT_GT(start, 3);  // the caret went to the second line
  memo->SelectAll();
  Key(VK_DOWN);
  EXPECT_EQ(host_->KeysHandedOver, std::vector<WORD>{VK_DOWN});
}

TEST_F(DxMemoEditTest, SettingTheSameWholeTextChangesNothing) {
  auto* memo = ShowMemo("a\r\nb");
  int changes = 0;
  memo->OnChange = [&](TObject*) { ++changes; };
  memo->SetWholeText(u"a\nb");
  EXPECT_EQ(changes, 0);
  memo->SetWholeText(u"a\nc");
  EXPECT_EQ(memo->Lines()->Strings(1), u"c");
}

}  // namespace
