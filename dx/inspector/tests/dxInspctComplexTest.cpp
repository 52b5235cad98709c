#include <gtest/gtest.h>

#include "dx/inspector/dxInspctComplex.h"
#include "dx/inspector/dxInspctControl.h"
#include "dx/inspector/tests/InspectorTestSupport.h"

namespace {

class TComplexControl : public TCustomdxInspectorControl {
 public:
  using TCustomdxInspectorControl::TCustomdxInspectorControl;
};

class ComplexTest : public InspectorTest {
 protected:
  // Rows "first" and "last" around a complex row "pair" whose items show the rows "x", "y" (and "z").
  TComplexControl* MakeControl(int items = 2) {
    form_ = NewForm<TForm>(nullptr);
    form_->SetBounds(100, 100, 400, 300);
    form_->Font()->SetName(kFixedTestFontName);
    form_->Font()->SetHeight(-16);
    auto* c = new TComplexControl(form_);
    c->SetBorderStyle(bsNone);
    c->SetParent(form_);
    c->SetBounds(10, 10, 301, 200);
    c->SetDividerPos(100);
    auto add = [&](TClass cls, const char* name, const char* text) {
      auto* row = static_cast<TdxInspectorTextRow*>(c->AddRowOfClass(cls));
      row->SetName(Utf8ToString(name));
      row->SetCaption(Utf8ToString(name));
      row->SetText(Utf8ToString(text));
      return row;
    };
    add(TdxInspectorTextRow::StaticClass(), "first", "1");
    complex = static_cast<TdxInspectorComplexRow*>(add(TdxInspectorComplexRow::StaticClass(), "pair", ""));
    const char* names[] = {"x", "y", "z"};
    for (int i = 0; i < items; ++i) {
      TdxInspectorRow* row = add(TdxInspectorTextRow::StaticClass(), names[i], names[i]);
      complex->Items()->Add()->SetRow(row);
    }
    add(TdxInspectorTextRow::StaticClass(), "last", "9");
    form_->Show();
    Pump();
    return c;
  }
  static std::string Name(TdxInspectorRow* r) { return r ? StringToUtf8(r->Name()) : "none"; }
  TdxInspectorComplexRow* complex = nullptr;
};

TEST_F(ComplexTest, ItemsShareTheCellAndFreezeAtTheirLeastWidth) {
  struct Case {
    int width1, width2, min1;
    std::vector<std::pair<int, int>> spans;
  };
  const Case cases[] = {
      {50, 150, 20, {{0, 47}, {47, 57}, {57, 200}}},
      {10, 190, 30, {{0, 30}, {30, 40}, {40, 200}}},  // the first item keeps its least width
  };
  for (const Case& c : cases) {
    TdxInspectorComplexRow row(nullptr);
    TdxInspectorComplexRowItem* a = row.Items()->Add();
    a->SetWidth(c.width1);
    a->SetMinWidth(c.min1);  // raises the width to it
    row.Items()->Add()->SetWidth(c.width2);
    TdxInspectorComplexRowViewInfo info(&row, 10);
    info.Calculate(RECT{0, 0, 200, 20});
    ASSERT_EQ(info.Count(), 3);
    for (int i = 0; i < 3; ++i) {
      EXPECT_EQ(info.Items(i).Rect.left, c.spans[i].first) << c.width1 << " item " << i;
      EXPECT_EQ(info.Items(i).Rect.right, c.spans[i].second) << c.width1 << " item " << i;
    }
    EXPECT_TRUE(info.Items(1).Separator);
  }
}

TEST_F(ComplexTest, ItemRowsAreHiddenMovedBetweenItemsAndRefusedWhenForeign) {
  auto* c = MakeControl();
  TdxInspectorRow* x = c->FindRowByName(u"x");
  EXPECT_FALSE(x->Visible());
  EXPECT_EQ(x->Node(), nullptr);
  EXPECT_EQ(c->Count(), 3);  // first, pair, last
  TdxInspectorComplexRowItem* extra = complex->Items()->Add();
  extra->SetRow(x);  // moves: the first item loses it
  EXPECT_EQ(Name(complex->Items()->Items(0)->Row()), "none");
  EXPECT_EQ(Name(extra->Row()), "x");
  extra->SetRow(complex);  // a complex row is refused
  EXPECT_EQ(Name(extra->Row()), "x");
  TComplexControl other(nullptr);
  TdxInspectorRow* foreign = other.AddRowOfClass(TdxInspectorTextRow::StaticClass());
  extra->SetRow(foreign);
  EXPECT_EQ(Name(extra->Row()), "x");
  x->SetVisible(true);  // shown again: it leaves the complex row
  EXPECT_EQ(Name(extra->Row()), "none");
  delete c->FindRowByName(u"y");
  EXPECT_EQ(Name(complex->Items()->Items(1)->Row()), "none");
}

TEST_F(ComplexTest, TabVisitsEveryItemBeforeTheNextRow) {
  auto* c = MakeControl(3);
  c->SetOptionFlags(c->OptionFlags() | (1 << inoTabs));
  c->SetFocus();
  c->Items(0)->SetFocused(true);
  Pump();
  std::vector<std::string> seen;
  for (int i = 0; i < 4; ++i) {
    Key(VK_TAB);
    seen.push_back(Name(c->GetFocusedRow(c->FocusedNode())));
  }
  EXPECT_EQ(seen, (std::vector<std::string>{"x", "y", "z", "last"}));
  Key(VK_TAB, 1);  // Shift+Tab enters the complex row at its last item
  EXPECT_EQ(Name(c->GetFocusedRow(c->FocusedNode())), "z");
  // The editor sits over the focused item's place.
  RECT bounds;
  c->GetEditorBounds(c->FocusedNode(), bounds);
  const TdxInspectorHitInfo hit = c->HitTest(POINT{bounds.left + 2, (bounds.top + bounds.bottom) / 2});
  EXPECT_EQ(hit.ComplexItem, 2);
}

TEST_F(ComplexTest, SeparatorsHitAsKind9AndCaptionCellsUseTheirOwnSeparatorWidth) {
  auto* c = MakeControl();
  c->SetPaintStyle(ipsCategorized);  // value separators 4 wide, caption separators as wide as "_" (8)
  ASSERT_EQ(c->ValueSeparatorWidth(), 4);
  ASSERT_EQ(c->CaptionSeparatorWidth(), 8);
  TdxInspectorNode* pair = complex->Node();
  const RECT row = c->GetNodeRect(pair);
  const int y = (row.top + row.bottom) / 2;
  const TdxInspectorRowLayout layout = c->CalcRowLayout(pair, row, true);
  TdxInspectorComplexRowViewInfo captions(complex, c->CaptionSeparatorWidth());
  captions.Calculate(layout.Caption);
  const RECT separator = captions.Items(1).Rect;
  // Every pixel of the painted caption separator is a separator for the hit test too.
  for (int x = separator.left; x < separator.right; ++x)
    EXPECT_EQ(int(c->GetHitKindAt(x, y)), int(ihkComplexSeparator)) << x;
  TdxInspectorComplexRowViewInfo values(complex, c->ValueSeparatorWidth());
  values.Calculate(layout.Value);
  const RECT valueSeparator = values.Items(1).Rect;
  Click(c, valueSeparator.left, y);
  EXPECT_EQ(int(c->MouseHitInfo().Kind), int(ihkComplexSeparator));
  EXPECT_NE(c->FocusedComplexItem(), 1);
  Click(c, values.Items(2).Rect.left + 3, y);
  EXPECT_EQ(c->FocusedComplexItem(), 1);
  EXPECT_EQ(Name(c->GetFocusedRow(pair)), "y");
  c->Repaint();
  Pump();
  EXPECT_TRUE(KeepCheckedWindow(c->Handle()));
}

}  // namespace
