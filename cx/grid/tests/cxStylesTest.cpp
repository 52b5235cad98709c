#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "cx/grid/cxStyles.h"
#include "platform/classes/Published.h"

namespace {

// Styles with slots 0..7, recording every slot change and answering fixed defaults.
class TRecordingStyles : public TcxStyles {
  TRENVIK_CLASS(TRecordingStyles, TcxStyles);

 public:
  explicit TRecordingStyles(TPersistent* AOwner) : TcxStyles(AOwner) {}
  std::vector<int> Changes;
  TFont DefaultFont;
  void GetDefaultViewParams(int AIndex, void* AData, TcxStyleParams& AParams) override {
    TcxStyles::GetDefaultViewParams(AIndex, AData, AParams);
    AParams.Color = clWindow;
    AParams.TextColor = clWindowText;
    AParams.Font = &DefaultFont;
  }

 protected:
  void DoChanged(int AIndex) override { Changes.push_back(AIndex); }
};

class TRecordingStyleSheet : public TcxCustomStyleSheet {
  TRENVIK_CLASS(TRecordingStyleSheet, TcxCustomStyleSheet);

 public:
  explicit TRecordingStyleSheet(TComponent* AOwner) : TcxCustomStyleSheet(AOwner) {}
  TClass GetStylesClass() const override { return TRecordingStyles::StaticClass(); }
};

}  // namespace

TRENVIK_IMPLEMENT_CLASS(TRecordingStyles)
TRENVIK_IMPLEMENT_CLASS(TRecordingStyleSheet)

class CxStylesTest : public ::testing::Test {
 protected:
  TcxStyle* NewStyle() { return static_cast<TcxStyle*>(repository_->CreateStyle(TcxStyle::StaticClass())); }
  TRecordingStyleSheet* NewSheet() {
    return static_cast<TRecordingStyleSheet*>(repository_->CreateStyleSheet(TRecordingStyleSheet::StaticClass()));
  }
  static TRecordingStyles* StylesOf(TcxCustomStyleSheet* ASheet) { return static_cast<TRecordingStyles*>(ASheet->Styles()); }

  std::unique_ptr<TComponent> owner_ = std::make_unique<TComponent>(nullptr);
  TcxStyleRepository* repository_ = new TcxStyleRepository(owner_.get());
  TRecordingStyles styles_{owner_.get()};
};

TEST_F(CxStylesTest, SlotsNotifyOncePerRealChange) {
  TcxStyle* style = NewStyle();
  styles_.SetStyle(3, nullptr);
  styles_.SetStyle(3, style);
  styles_.SetStyle(3, style);
  EXPECT_EQ(styles_.Changes, (std::vector<int>{3}));

  styles_.Changes.clear();
  styles_.SetStyle(6, style);
  styles_.SetStyle(1, style);
  styles_.Changes.clear();
  style->SetColor(clRed);
  EXPECT_EQ(styles_.Changes, (std::vector<int>{1, 3, 6})) << "ascending slot order";

  styles_.SetStyle(3, nullptr);
  styles_.Changes.clear();
  delete style;
  EXPECT_EQ(styles_.Changes, (std::vector<int>{6, 1})) << "a freed style leaves its slots, highest first";
  EXPECT_EQ(styles_.GetStyle(1), nullptr);
  EXPECT_EQ(styles_.EntryCount(), 0);
}

TEST_F(CxStylesTest, BinarySearchKeepsSlotsSortedAndGivesTheInsertionPoint) {
  TcxStyle* style = NewStyle();
  for (int index : {5, 1, 9, 3}) styles_.SetStyle(index, style);
  struct Case {
    int index;
    bool found;
    int position;
  };
  for (const Case& c : {Case{1, true, 0}, Case{3, true, 1}, Case{9, true, 3}, Case{0, false, 0}, Case{4, false, 2},
                        Case{10, false, 4}}) {
    int position = -1;
    EXPECT_EQ(styles_.FindIndex(c.index, position), c.found) << c.index;
    EXPECT_EQ(position, c.position) << c.index;
  }
}

TEST_F(CxStylesTest, MergeTakesEachValueFromEventThenSlotThenSheetThenDefault) {
  TcxStyle* event = NewStyle();
  TcxStyle* slot = NewStyle();
  TcxStyle* sheetStyle = NewStyle();
  TRecordingStyleSheet* sheet = NewSheet();
  event->SetTextColor(clRed);
  slot->SetColor(clBlue);
  sheetStyle->Font()->SetSize(20);
  sheetStyle->SetColor(clGreen);
  StylesOf(sheet)->SetStyle(2, sheetStyle);
  styles_.SetStyleSheet(sheet);

  TcxStyleParams params;
  styles_.GetViewParams(2, nullptr, event, params);
  EXPECT_EQ(params.Color, clGreen) << "the sheet's style stands in for the empty slot";
  EXPECT_EQ(params.Font, sheetStyle->Font());
  EXPECT_EQ(params.TextColor, clRed);

  styles_.SetStyle(2, slot);
  styles_.GetViewParams(2, nullptr, event, params);
  EXPECT_EQ(params.Color, clBlue);
  EXPECT_EQ(params.Font, &styles_.DefaultFont) << "the slot's style has no font: the default's";
  EXPECT_EQ(params.TextColor, clRed);

  slot->SetColor(clDefault);
  EXPECT_FALSE(slot->AssignedValues().Contains(TcxStyleValue::svColor));
  styles_.GetViewParams(2, nullptr, nullptr, params);
  EXPECT_EQ(params.Color, clWindow);
  EXPECT_EQ(params.TextColor, clWindowText);
}

TEST_F(CxStylesTest, StyleSheetChainsRefuseCyclesAndWrongClasses) {
  TRecordingStyleSheet* a = NewSheet();
  TRecordingStyleSheet* b = NewSheet();
  StylesOf(a)->SetStyleSheet(b);
  StylesOf(b)->SetStyleSheet(a);
  EXPECT_EQ(StylesOf(b)->StyleSheet(), nullptr) << "a cycle is never formed";
  StylesOf(a)->SetStyleSheet(a);
  EXPECT_EQ(StylesOf(a)->StyleSheet(), b) << "a sheet never uses itself";

  auto* plain = static_cast<TcxCustomStyleSheet*>(repository_->CreateStyleSheet(TcxCustomStyleSheet::StaticClass()));
  styles_.SetStyleSheet(plain);
  EXPECT_EQ(styles_.StyleSheet(), nullptr) << "a sheet of another styles class is ignored";
}

TEST_F(CxStylesTest, AttachingASheetReportsTheSlotsOfBothChainsAndChangesFlowToUsers) {
  TcxStyle* style = NewStyle();
  TRecordingStyleSheet* a = NewSheet();
  TRecordingStyleSheet* b = NewSheet();
  StylesOf(a)->SetStyle(4, style);
  StylesOf(b)->SetStyle(1, style);
  StylesOf(a)->SetStyleSheet(b);
  styles_.SetStyleSheet(a);
  EXPECT_EQ(styles_.Changes, (std::vector<int>{4, 1}));

  styles_.Changes.clear();
  StylesOf(b)->SetStyle(7, NewStyle());
  EXPECT_EQ(styles_.Changes, (std::vector<int>{7})) << "a change deep in the chain reaches its users";
  StylesOf(a)->SetStyle(7, NewStyle());
  EXPECT_EQ(styles_.Changes, (std::vector<int>{7, 7}));

  styles_.Changes.clear();
  delete a;
  EXPECT_EQ(styles_.StyleSheet(), nullptr);
  EXPECT_EQ(styles_.Changes, (std::vector<int>{4, 7, 1}));
}

TEST_F(CxStylesTest, AWrittenOwnerReadsOnlyItsOwnSlots) {
  class TWritable : public TComponent {
   public:
    using TComponent::TComponent;
    using TComponent::SetComponentState;
  };
  auto* writing = new TWritable(owner_.get());
  TRecordingStyles styles(writing);
  TRecordingStyleSheet* sheet = NewSheet();
  StylesOf(sheet)->SetStyle(2, NewStyle());
  styles.SetStyleSheet(sheet);
  EXPECT_NE(styles.GetStyle(2), nullptr);
  const auto state = writing->ComponentState();
  writing->SetComponentState(state + TComponentState{csWriting});
  EXPECT_EQ(styles.GetStyle(2), nullptr);
  writing->SetComponentState(state);
  styles.SetStyleSheet(nullptr);
}

TEST_F(CxStylesTest, FontChangeReachesOnlySlotsThatUseTheDefaultFont) {
  TcxStyle* withFont = NewStyle();
  withFont->Font()->SetSize(14);
  styles_.SetStyle(1, withFont);
  TcxStyleParams params;
  for (int index : {0, 1, 2}) styles_.GetViewParams(index, nullptr, nullptr, params);
  styles_.Changes.clear();
  styles_.FontChanged(nullptr, &styles_.DefaultFont);
  EXPECT_EQ(styles_.Changes, (std::vector<int>{0, 2}));
  TFont other;
  styles_.Changes.clear();
  styles_.FontChanged(nullptr, &other);
  EXPECT_TRUE(styles_.Changes.empty());
}

TEST_F(CxStylesTest, StyleAssignCopiesExactlyTheAssignedSetAndSheetCaptionFollowsTheName) {
  TcxStyle* source = NewStyle();
  source->SetTextColor(clMaroon);
  TcxStyle* target = NewStyle();
  target->SetColor(clLime);
  target->Assign(source);
  EXPECT_EQ(target->AssignedValues(), TcxStyleValues{TcxStyleValue::svTextColor});
  EXPECT_EQ(target->TextColor(), clMaroon);

  TRecordingStyleSheet* sheet = NewSheet();
  sheet->SetName(S("TableSheet"));
  sheet->SetCaption(S("tablesheet"));
  EXPECT_FALSE(sheet->IsCaptionStored());
  EXPECT_EQ(sheet->Caption(), S("TableSheet"));
  sheet->SetCaption(S("Main"));
  EXPECT_EQ(sheet->Caption(), S("Main"));
  EXPECT_TRUE(sheet->IsCaptionStored());

  EXPECT_THROW(source->SetParentComponent(owner_.get()), EInvalidCast);
}
