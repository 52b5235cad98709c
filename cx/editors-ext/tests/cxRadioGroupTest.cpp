// The radio group editor: its properties without a window, then the control with its buttons on a
// form driven by simulated input (the card index's filter window uses one for the sex of a person).
#include "cx/editors-ext/cxRadioGroup.h"

#include <memory>
#include <vector>

#include "cx/foundation/tests/cxControlsTestUtil.h"
#include "cx/foundation/tests/cxFoundationTestUtil.h"
#include "platform/forms/Colors.h"
#include "platform/win/Input.h"

namespace {

void AddSexItems(TcxCustomRadioGroupProperties* AProperties) {
  AProperties->Items()->Add(u"мужской", 1);
  AProperties->Items()->Add(u"женский", 2);
}

TEST(CxRadioGroupProperties, ValuesGiveItemsTextsAndBack) {
  TcxRadioGroupProperties properties(nullptr);
  AddSexItems(&properties);
  properties.Items()->Add(u"не указан", Null());
  properties.Items()->Add(u"тоже 1", 1);
  properties.SetDefaultCaption(u"?");
  properties.SetDefaultValue(0);
  struct Case {
    Variant value;
    int index;
    const char16_t* text;
  };
  const Case cases[] = {
      {Variant(1), 0, u"мужской"},
      {Variant(2), 1, u"женский"},
      {Variant(u"не указан"), 2, u"не указан"},  // a Null value is matched by its caption
      {Variant(u"НЕ УКАЗАН"), -1, u"?"},         // case matters
      {Variant(3), -1, u"?"},
      {Null(), -1, u"?"},
  };
  for (const Case& c : cases) {
    Variant display;
    properties.PrepareDisplayValue(c.value, display, false);
    EXPECT_EQ(display.AsInteger(), c.index) << StringToUtf8(VarToStr(c.value));
    EXPECT_EQ(properties.GetDisplayText(c.value), c.text);
  }
  EXPECT_EQ(properties.ItemEditValue(1).AsInteger(), 2);
  EXPECT_EQ(VarToStr(properties.ItemEditValue(2)), u"не указан");
  EXPECT_EQ(properties.ItemEditValue(-1).AsInteger(), 0) << "no item: DefaultValue";
  EXPECT_EQ(cxSupportedOperationsMask(properties.GetSupportedOperations()), 223);
  TcxRadioGroupProperties empty(nullptr);
  EXPECT_EQ(cxSupportedOperationsMask(empty.GetSupportedOperations()), 207);
}

TEST(CxRadioGroupProperties, ColumnsStayPositiveAndChangesAreAnnounced) {
  TcxRadioGroupProperties properties(nullptr);
  int changes = 0;
  properties.OnPropertiesChanged = [&](TObject*) { ++changes; };
  properties.SetColumns(0);
  EXPECT_EQ(properties.Columns(), 1);
  EXPECT_EQ(changes, 0) << "0 is stored as 1, which it already was";
  properties.SetColumns(-3);
  properties.SetColumns(2);
  EXPECT_EQ(properties.Columns(), 2);
  AddSexItems(&properties);
  properties.Items()->Item(0)->SetCaption(u"мужской");
  properties.Items()->Item(0)->SetValue(1);
  const int settled = changes;
  properties.Items()->Item(0)->SetValue(u"1");  // another type is a change
  properties.Items()->Item(1)->SetCaption(u"Женский");
  EXPECT_EQ(changes, settled + 2);

  TcxRadioGroupProperties copy(nullptr);
  copy.Assign(&properties);
  EXPECT_EQ(copy.Columns(), 2);
  ASSERT_EQ(copy.Items()->Count(), 2);
  EXPECT_EQ(copy.Items()->Item(1)->Caption(), u"Женский");
  EXPECT_EQ(VarToStr(copy.Items()->Item(0)->Value()), u"1");
}

// A grid cell painted from the view info alone: every item's glyph, the chosen one checked.
TEST(CxRadioGroupViewInfo, AnInPlaceCellPaintsEveryItemWithItsCheck) {
  TcxRadioGroupProperties properties(nullptr);
  properties.SetColumns(2);
  AddSexItems(&properties);
  TcxEditStyle style(nullptr, false);
  style.SetColor(clWindow);
  TcxCustomRadioGroupViewInfo viewInfo;
  TTestCanvas canvas(200, 20, clFuchsia);
  auto data = properties.CreateViewData(&style, true);
  data->Calculate(canvas.Cx(), {0, 0, 200, 20}, {-1, -1}, 0, {}, &viewInfo, false);
  data->PrepareViewInfoValue(canvas.Cx(), 2, &viewInfo);
  ASSERT_EQ(viewInfo.ButtonCount(), 2);
  EXPECT_EQ(viewInfo.ItemIndex, 1);
  EXPECT_EQ(viewInfo.Item(1)->Column, 1);
  EXPECT_EQ(viewInfo.Item(0)->Bounds.top, 0) << "in place the rows start at the top";
  viewInfo.Paint(canvas.Cx());

  const TcxRadioGlyphMetrics& m = cxRadioButtonImageList()->Metrics();
  auto dotColour = [&](int AItem) {
    const RECT& p = viewInfo.Item(AItem)->Bounds;
    const int glyphTop = p.top + (p.bottom - p.top - m.Height) / 2;
    return ColorToRGB(canvas.Pixel(p.left + (m.Dot.left + m.Dot.right) / 2 - m.CircleLeft,
                                   glyphTop + (m.Dot.top + m.Dot.bottom) / 2 - m.CircleTop));
  };
  EXPECT_EQ(dotColour(1), ColorToRGB(clBtnText));
  EXPECT_EQ(dotColour(0), ColorToRGB(clWindow));
  EXPECT_EQ(canvas.Bounds(clFuchsia).right, 0) << "the cell's background covers it all";
  // Each caption's ink lies right of its own glyph.
  for (int i = 0; i < 2; ++i) {
    const RECT& p = viewInfo.Item(i)->Bounds;
    int ink = 0;
    for (int y = p.top; y < p.bottom; ++y)
      for (int x = p.left + m.Width + 5; x < p.right; ++x) ink += canvas.Pixel(x, y) != ColorToRGB(clWindow);
    EXPECT_GT(ink, 10) << i;
  }
}

// The filter dialog's pair of stand-alone buttons: checking one unchecks the other.
TEST_F(CxControlsTest, StandAloneRadioButtonsShareTheirParentsCheck) {
  TForm* form = MakeForm();
  auto* rbAnd = Add<TcxRadioButton>(form, 10, 10, 80, 17);
  auto* rbOr = Add<TcxRadioButton>(form, 10, 30, 80, 17);
  rbAnd->SetCaption(u"&And");
  rbOr->SetCaption(u"&Or");
  rbOr->SetAlignment(taLeftJustify);
  rbAnd->SetChecked(true);
  form->Show();
  Pump();
  EXPECT_EQ(rbAnd->GlyphRect().left, 1);
  EXPECT_EQ(rbOr->GlyphRect().right, rbOr->Width()) << "left-justified caption: the glyph at the right";
  Click(rbOr, rbOr->Width() - 5, 8);
  EXPECT_TRUE(rbOr->Checked());
  EXPECT_FALSE(rbAnd->Checked());
  const TcxRadioGlyphMetrics& m = cxRadioButtonImageList()->Metrics();
  const int dx = (m.Dot.left + m.Dot.right) / 2 - m.CircleLeft, dy = (m.Dot.top + m.Dot.bottom) / 2 - m.CircleTop;
  EXPECT_EQ(ColorToRGB(ScreenPixel(rbOr, rbOr->GlyphRect().left + dx, rbOr->GlyphRect().top + dy)),
            ColorToRGB(clBtnText));
  EXPECT_NE(ColorToRGB(ScreenPixel(rbAnd, rbAnd->GlyphRect().left + dx, rbAnd->GlyphRect().top + dy)),
            ColorToRGB(clBtnText));
  KeepCheckedScreen("radio buttons");
}

class CxRadioGroupTest : public CxControlsTest {
 protected:
  // The filter window's group: two columns, "мужской" = 1, "женский" = 2, caption "пол".
  TcxRadioGroup* MakeSexGroup(TForm* AForm) {
    auto* group = Add<TcxRadioGroup>(AForm, 10, 10, 200, 60);
    group->Properties()->SetColumns(2);
    AddSexItems(group->Properties());
    group->SetCaption(u"пол");
    return group;
  }
  static POINT ButtonCentre(TcxCustomRadioGroupButton* AButton) {
    return {AButton->Width() / 2, AButton->Height() / 2};
  }
  // The glyph's dot centre in the button's client coordinates.
  static POINT DotCentre(TcxCustomRadioGroupButton* AButton) {
    const TcxRadioGlyphMetrics& m = cxRadioButtonImageList()->Metrics();
    const RECT& glyph = AButton->GlyphRect();
    return {glyph.left + (m.Dot.left + m.Dot.right) / 2 - m.CircleLeft,
            glyph.top + (m.Dot.top + m.Dot.bottom) / 2 - m.CircleTop};
  }
};

TEST_F(CxRadioGroupTest, ClicksChooseItemsAndTheValueFollows) {
  TForm* form = MakeForm();
  TcxRadioGroup* group = MakeSexGroup(form);
  int clicks = 0;
  group->OnClick = [&](TObject*) { ++clicks; };
  form->Show();
  Pump();
  ASSERT_EQ(group->ButtonCount(), 2);
  TcxCustomRadioGroupButton* male = group->Buttons(0);
  TcxCustomRadioGroupButton* female = group->Buttons(1);
  EXPECT_EQ(male->Caption(), u"мужской");
  EXPECT_LT(male->Left() + male->Width(), female->Left() + 1) << "two columns side by side";
  EXPECT_EQ(male->Top(), female->Top());

  const POINT p = ButtonCentre(female);
  Click(female, p.x, p.y);
  EXPECT_EQ(group->ItemIndex(), 1);
  EXPECT_EQ(group->EditValue().AsInteger(), 2);
  EXPECT_TRUE(female->Checked());
  EXPECT_FALSE(male->Checked());
  EXPECT_EQ(clicks, 1);

  group->SetEditValue(1);
  EXPECT_EQ(group->ItemIndex(), 0);
  EXPECT_TRUE(male->Checked());
  EXPECT_FALSE(female->Checked());
  group->SetEditValue(7);
  EXPECT_EQ(group->ItemIndex(), -1);
  EXPECT_FALSE(male->Checked() || female->Checked());
  EXPECT_EQ(clicks, 3);

  group->SetItemIndex(5);
  EXPECT_EQ(group->ItemIndex(), 1) << "clamped to the last item";
  EXPECT_EQ(group->EditValue().AsInteger(), 2);
  group->SetItemIndex(-4);
  EXPECT_EQ(group->ItemIndex(), -1);
  EXPECT_TRUE(VarIsNull(group->EditValue())) << "no item gives DefaultValue";
}

TEST_F(CxRadioGroupTest, ReadOnlyGroupRefusesClicks) {
  TForm* form = MakeForm();
  TcxRadioGroup* group = MakeSexGroup(form);
  group->Properties()->SetReadOnly(true);
  form->Show();
  Pump();
  const POINT p = ButtonCentre(group->Buttons(1));
  Click(group->Buttons(1), p.x, p.y);
  EXPECT_EQ(group->ItemIndex(), -1);
  EXPECT_FALSE(group->Buttons(1)->Checked());
}

// Five items in two columns: 0-2 in the first, 3-4 in the second.
TcxRadioGroup* MakeFiveItemGroup(TcxRadioGroup* AGroup, TForm* AForm) {
  AGroup->SetParent(AForm);
  AGroup->SetBounds(10, 10, 300, 120);
  AGroup->Properties()->SetColumns(2);
  for (int i = 0; i < 5; ++i) AGroup->Properties()->Items()->Add(String(u"пункт ") + IntToStr(i), i);
  return AGroup;
}

int FocusedItemOf(TcxRadioGroup* AGroup) {
  for (int i = 0; i < AGroup->ButtonCount(); ++i)
    if (AGroup->Buttons(i)->Focused()) return i;
  return -1;
}

TEST_F(CxRadioGroupTest, InPlaceArrowsMoveInRowsAndWrapInsideAColumn) {
  TForm* form = MakeForm();
  auto* group = MakeFiveItemGroup(
      static_cast<TcxRadioGroup*>(TcxCustomEdit::CreateInplace(TcxRadioGroup::StaticClass(), form)), form);
  form->Show();
  Pump();
  group->Buttons(0)->SetFocus();
  Pump();
  ASSERT_EQ(FocusedItemOf(group), 0);
  struct Step {
    UINT key;
    int expected;
  };
  const Step steps[] = {{VK_DOWN, 1}, {VK_DOWN, 2},  {VK_RIGHT, 2}, {VK_DOWN, 0}, {VK_UP, 2},   {VK_UP, 1},
                        {VK_RIGHT, 4}, {VK_DOWN, 3}, {VK_UP, 4},    {VK_LEFT, 1}, {VK_LEFT, 1}};
  for (const Step& s : steps) {
    Key(s.key);
    EXPECT_EQ(FocusedItemOf(group), s.expected) << "key " << s.key;
  }
  EXPECT_EQ(group->ItemIndex(), -1) << "moving the focus chooses nothing";
  Key(VK_SPACE);
  EXPECT_EQ(group->ItemIndex(), 1);
}

TEST_F(CxRadioGroupTest, StandAloneArrowsStepThroughTheButtons) {
  TForm* form = MakeForm();
  auto* group = MakeFiveItemGroup(new TcxRadioGroup(form), form);
  form->Show();
  Pump();
  group->Buttons(2)->SetFocus();
  Pump();
  Key(VK_DOWN);
  EXPECT_EQ(FocusedItemOf(group), 3) << "the form's dialog keys move to the next button";
  Key(VK_UP);
  Key(VK_UP);
  EXPECT_EQ(FocusedItemOf(group), 1);
  Key(VK_SPACE);
  EXPECT_EQ(group->ItemIndex(), 1);
  EXPECT_EQ(group->EditValue().AsInteger(), 1);
}

TEST_F(CxRadioGroupTest, SameIndexFromCodeClearsModified) {
  TcxRadioGroup group(nullptr);
  AddSexItems(group.Properties());
  group.SetItemIndex(0);
  group.SetModified(true);
  group.SetItemIndex(0);
  EXPECT_FALSE(group.Modified());
}

TEST_F(CxRadioGroupTest, CaptionFollowsTheNameUntilSet) {
  TcxRadioGroup group(nullptr);
  group.SetName(u"rgSex");
  EXPECT_EQ(group.Caption(), u"rgSex");
  EXPECT_FALSE(group.IsCaptionAssigned());
  group.SetCaption(u"пол");
  group.SetName(u"rgOther");
  EXPECT_EQ(group.Caption(), u"пол");
}

TEST_F(CxRadioGroupTest, GlyphsShowTheCheckAndTheMouseState) {
  TForm* form = MakeForm();
  TcxRadioGroup* group = MakeSexGroup(form);
  group->Style()->SetBorderStyle(ebsUltraFlat);
  group->SetItemIndex(1);
  form->Show();
  Pump();
  TcxCustomRadioGroupButton* male = group->Buttons(0);
  TcxCustomRadioGroupButton* female = group->Buttons(1);
  ASSERT_EQ(male->LookAndFeel()->Kind(), lfUltraFlat);
  const POINT dot = DotCentre(female);
  EXPECT_EQ(ColorToRGB(ScreenPixel(female, dot.x, dot.y)), ColorToRGB(clBtnText)) << "checked: the dot";
  EXPECT_EQ(ColorToRGB(ScreenPixel(male, dot.x, dot.y)), ColorToRGB(clWindow)) << "unchecked: the interior";
  const RECT& glyph = male->GlyphRect();
  const int ringY = (glyph.top + glyph.bottom) / 2;
  EXPECT_EQ(ColorToRGB(ScreenPixel(male, glyph.left, ringY)), ColorToRGB(clBtnShadow));

  // Hot: highlighted ring and the tinted interior; pressed and dragged out while captured: hot again.
  MoveTo(male, male->Width() - 4, male->Height() / 2);
  EXPECT_EQ(male->State(), rbsHot);
  EXPECT_EQ(ColorToRGB(ScreenPixel(male, glyph.left, ringY)), ColorToRGB(clHighlight));
  EXPECT_EQ(ColorToRGB(ScreenPixel(male, dot.x, dot.y)), ColorToRGB(cxFaceTintColor()));
  Down(male, male->Width() - 4, male->Height() / 2);
  EXPECT_EQ(male->State(), rbsPressed);
  EXPECT_EQ(ColorToRGB(ScreenPixel(male, dot.x, dot.y)), ColorToRGB(cxHighlightTintColor()));
  MoveTo(male, male->Width() + 40, male->Height() / 2);
  EXPECT_EQ(male->State(), rbsHot);
  MoveTo(male, male->Width() - 4, male->Height() / 2);
  EXPECT_EQ(male->State(), rbsPressed);
  Up(male, male->Width() - 4, male->Height() / 2);
  EXPECT_EQ(group->ItemIndex(), 0);
  KeepCheckedScreen("radio group");

  group->SetEnabled(false);
  Pump();
  EXPECT_EQ(male->State(), rbsDisabled);
  EXPECT_EQ(ColorToRGB(ScreenPixel(male, dot.x, dot.y)), ColorToRGB(clBtnShadow)) << "disabled checked dot";
}

TEST_F(CxRadioGroupTest, FrameCarriesTheCaption) {
  TForm* form = MakeForm();
  TcxRadioGroup* group = MakeSexGroup(form);
  group->Style()->SetBorderStyle(ebs3D);
  form->SetColor(clBtnFace);
  form->Show();
  Pump();
  const int textHeight = cxGetScreenCanvas()->FontHeight(group->Style()->Font());
  // The etched frame's left line below the caption, the caption's ink over the top line.
  const int frameTop = textHeight / 2 - 1;
  EXPECT_EQ(ColorToRGB(ScreenPixel(group, 0, frameTop + 10)), ColorToRGB(clBtnShadow));
  EXPECT_EQ(ColorToRGB(ScreenPixel(group, 1, frameTop + 10)), ColorToRGB(clBtnHighlight));
  // Ink of the caption above the frame's line, where only the background would be without it.
  int ink = 0;
  for (int y = 0; y < frameTop; ++y)
    for (int x = 8; x < 40; ++x) ink += ColorToRGB(ScreenPixel(group, x, y)) != ColorToRGB(clBtnFace);
  EXPECT_GT(ink, 5);
  // Nothing of the frame's top line shows through the caption's own background.
  EXPECT_NE(ColorToRGB(ScreenPixel(group, 7, frameTop)), ColorToRGB(ScreenPixel(group, 9, frameTop)));
  KeepCheckedScreen("radio group frame");
}

// A binding that records what is posted, and a group that uses it.
class TRecordingRadioBinding : public TcxEditDataBinding {
 public:
  explicit TRecordingRadioBinding(TcxCustomEdit* AEdit) : TcxEditDataBinding(AEdit) {}
  bool GetModified() override { return Edit()->Modified(); }
  void SetStoredValue(const Variant& Value) override { Stored.push_back(Value); }
  std::vector<Variant> Stored;
};

class TPostingRadioGroup : public TcxRadioGroup {
 public:
  explicit TPostingRadioGroup(TComponent* AOwner) : TcxRadioGroup(AOwner) { CreateDataBinding(); }
  TcxEditDataBindingFactory GetDataBindingClass() override {
    return [](TcxCustomEdit* AEdit) { return std::make_unique<TRecordingRadioBinding>(AEdit); };
  }
  TRecordingRadioBinding* Binding() { return static_cast<TRecordingRadioBinding*>(DataBinding()); }
};

TEST_F(CxRadioGroupTest, ImmediatePostPostsOnClickOnly) {
  TForm* form = MakeForm();
  auto* group = Add<TPostingRadioGroup>(form, 10, 10, 200, 60);
  group->Properties()->SetColumns(2);
  AddSexItems(group->Properties());
  form->Show();
  Pump();
  const POINT p = ButtonCentre(group->Buttons(1));
  Click(group->Buttons(1), p.x, p.y);
  EXPECT_TRUE(group->Binding()->Stored.empty()) << "without ImmediatePost the value waits";
  group->Properties()->SetImmediatePost(true);
  Click(group->Buttons(0), p.x, p.y);
  ASSERT_EQ(group->Binding()->Stored.size(), 1u);
  EXPECT_EQ(group->Binding()->Stored[0].AsInteger(), 1);
  EXPECT_EQ(group->ItemIndex(), 0);
}

}  // namespace
