// When a text editor drawn without a window (a grid cell) needs a hint: only over its text, and only
// when the text, broken at words, needs more room than the text rectangle has.
#include <memory>

#include "cx/editors/cxMemo.h"
#include "cx/editors/cxTextEdit.h"
#include "cx/editors/cxTextEditViewInfo.h"
#include "cx/editors/tests/cxEditTestUtil.h"

namespace {

struct TextEditHintCheck {
  bool need = false;
  bool multiLine = false;
  String text;
  RECT rect{};
};

// An in-place editor of AProperties laid out in ABounds for AText, asked at the text's centre or at P.
class CxTextEditHint : public ::testing::Test {
 protected:
  void SetUp() override {
    style_.Font()->SetName(kFixedTestFontName);
    style_.Font()->SetHeight(-16);
  }
  void Layout(TcxCustomEditProperties* AProperties, const RECT& ABounds, const String& AText) {
    viewInfo_.reset(static_cast<TcxCustomEditViewInfo*>(AProperties->GetViewInfoClass()->NewInstance()));
    auto data = AProperties->CreateViewData(&style_, true);
    data->Calculate(canvas_.Cx(), ABounds, {-1, -1}, 0, {}, viewInfo_.get(), false);
    data->PrepareViewInfoValue(canvas_.Cx(), Variant(AText), viewInfo_.get());
  }
  TextEditHintCheck Ask(POINT P) {
    TextEditHintCheck check;
    check.text = u"stale";
    check.need = viewInfo_->NeedShowHint(canvas_.Cx(), P, check.rect, check.multiLine, check.text);
    return check;
  }
  POINT TextCentre() const {
    const RECT& r = viewInfo_->TextRect;
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  }
  int LineHeight() {
    canvas_.Canvas()->Font()->Assign(style_.Font());
    return canvas_.Cx()->TextHeight(u"Zg");
  }
  int TextChars() const { return (viewInfo_->TextRect.right - viewInfo_->TextRect.left) / 8; }

  TTestCanvas canvas_{200, 100};
  TcxEditStyle style_{nullptr, false};
  std::unique_ptr<TcxCustomEditViewInfo> viewInfo_;
};

TEST_F(CxTextEditHint, ACutTextAsksForAHintOverItsTextRectangle) {
  TcxTextEditProperties properties(nullptr);
  properties.SetCharCase(ecUpperCase);
  Layout(&properties, {10, 10, 90, 30}, u"x");
  const int fit = TextChars();
  ASSERT_GT(fit, 4);
  struct Case {
    const char* name;
    String text;
    bool need;
    bool multiLine;
  };
  const Case cases[] = {
      {"a short text", u"kim", false, false},
      {"a text exactly as wide", String(static_cast<size_t>(fit), u'a'), false, false},
      {"trailing blanks past the edge", String(static_cast<size_t>(fit - 1), u'a') + u"      ", false, false},
      {"one word too wide", String(static_cast<size_t>(fit + 1), u'a'), true, false},
      {"two words that break into two rows", u"ab " + String(static_cast<size_t>(fit - 1), u'c'), true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Layout(&properties, {10, 10, 90, 30}, c.text);
    const TextEditHintCheck check = Ask(TextCentre());
    EXPECT_EQ(check.need, c.need);
    EXPECT_EQ(check.multiLine, c.multiLine);
    if (c.need) {
      EXPECT_EQ(check.text, viewInfo_->Text) << "the drawn text, its letter case applied";
      const RECT& text = viewInfo_->TextRect;
      EXPECT_EQ(check.rect.left, text.left);
      EXPECT_EQ(check.rect.right, text.right);
      EXPECT_EQ(check.rect.bottom, text.bottom);
      // One line is drawn centred: the hint's text starts where the line does.
      EXPECT_EQ(check.rect.top, c.multiLine ? text.top : text.top + (text.bottom - text.top - LineHeight()) / 2);
    } else {
      EXPECT_TRUE(check.text.empty());
    }
  }
  Layout(&properties, {10, 10, 90, 30}, String(static_cast<size_t>(fit + 5), u'a'));
  EXPECT_TRUE(Ask(TextCentre()).need);
  EXPECT_FALSE(Ask({viewInfo_->TextRect.left - 1, TextCentre().y}).need) << "left of the text rectangle";
  EXPECT_FALSE(Ask({TextCentre().x, viewInfo_->TextRect.bottom}).need) << "below it";
}

TEST_F(CxTextEditHint, AMemoWhoseRowsOutgrowItsHeightAsksForAMultiLineHint) {
  TcxMemoProperties properties(nullptr);
  Layout(&properties, {0, 0, 120, 20}, u"alpha beta gamma delta");
  const TextEditHintCheck check = Ask(TextCentre());
  EXPECT_TRUE(check.need);
  EXPECT_TRUE(check.multiLine);
  Layout(&properties, {0, 0, 120, 60}, u"alpha beta gamma delta");
  EXPECT_FALSE(Ask(TextCentre()).need) << "both rows fit";
}

}  // namespace
