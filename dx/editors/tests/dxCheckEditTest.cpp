#include <gtest/gtest.h>

#include "dx/editors/dxCheckEdit.h"
#include "dx/editors/tests/dxEditorsTestSupport.h"
#include "platform/forms/Graphic.h"

namespace {

// A check box that can be put into the state a form reader leaves it in.
class TLoadingCheck : public TdxCheckEdit {
 public:
  using TdxCheckEdit::TdxCheckEdit;
  using TdxCheckEdit::SetComponentState;
};

class DxCheckEditTest : public DxEditorsTest {
 protected:
  TdxCheckEdit* MakeCheck(const char* caption = "&Пол") {
    TForm* f = MakeForm();
    auto* check = new TdxCheckEdit(f);
    check->SetParent(f);
    check->SetBounds(10, 10, 150, 21);
    check->SetCaption(Utf8ToString(caption));
    check->OnChange = [this](TObject*) { ++changes_; };
    check->OnClick = [this](TObject*) { ++clicks_; };
    f->Show();
    Pump();
    return check;
  }
  int changes_ = 0;
  int clicks_ = 0;
};

TEST_F(DxCheckEditTest, ToggleCyclesWithAndWithoutGrayed) {
  auto* check = MakeCheck();
  struct Step {
    bool allowGrayed;
    TdxCheckBoxState from, to;
  };
  const Step steps[] = {
      {false, cbsUnchecked, cbsChecked}, {false, cbsChecked, cbsUnchecked}, {false, cbsGrayed, cbsChecked},
      {true, cbsUnchecked, cbsGrayed},   {true, cbsGrayed, cbsChecked},     {true, cbsChecked, cbsUnchecked},
  };
  for (const Step& s : steps) {
    check->SetAllowGrayed(s.allowGrayed);
    check->SetState(s.from);
    check->ToggleState();
    EXPECT_EQ(check->State(), s.to) << int(s.allowGrayed) << " from " << int(s.from);
    EXPECT_TRUE(check->GetModified());
  }
  check->SetState(cbsGrayed);
  EXPECT_FALSE(check->Checked());
  check->SetChecked(true);
  EXPECT_EQ(check->State(), cbsChecked);
}

TEST_F(DxCheckEditTest, SpaceAndClickToggleAndFireChange) {
  auto* check = MakeCheck();
  check->SetFocus();
  Pump();
  Key(VK_SPACE);
  EXPECT_EQ(check->State(), cbsChecked);
  EXPECT_EQ(changes_, 1);
  EXPECT_EQ(clicks_, 1);
  Click(check, 20, 10);
  EXPECT_EQ(check->State(), cbsUnchecked);
  EXPECT_EQ(changes_, 2);
}

TEST_F(DxCheckEditTest, AReadOnlyBoxShowsThePushButNeverToggles) {
  auto* check = MakeCheck();
  check->SetReadOnly(true);
  check->SetFocus();
  Pump();
  Key(VK_SPACE);
  SimulateMouseDown(TSimButton::Left, At(check, 20, 10));
  Pump();
  EXPECT_TRUE(check->Pushed());
  SimulateMouseUp(TSimButton::Left, At(check, 20, 10));
  Pump();
  EXPECT_FALSE(check->Pushed());
  check->ActivateByClick();
  EXPECT_EQ(check->State(), cbsUnchecked);
  EXPECT_EQ(changes_, 0);
}

TEST_F(DxCheckEditTest, ValueLoadsAndFormLoadingAreSilent) {
  auto* check = MakeCheck();
  check->SetEditValue(Variant(2));
  EXPECT_EQ(check->State(), cbsGrayed);
  EXPECT_FALSE(check->GetModified());
  Variant v;
  check->GetEditingValue(v);
  EXPECT_EQ(v.AsInteger(), 2);
  EXPECT_EQ(changes_, 0);
  EXPECT_EQ(clicks_, 1);  // the framework's click still runs; only the change is internal

  TLoadingCheck loading(nullptr);
  int events = 0;
  loading.OnClick = [&](TObject*) { ++events; };
  loading.OnChange = [&](TObject*) { ++events; };
  loading.SetComponentState(TComponentState{csLoading});
  loading.SetState(cbsChecked);
  EXPECT_EQ(loading.State(), cbsChecked);
  EXPECT_EQ(events, 0);
}

TEST_F(DxCheckEditTest, AnAcceleratorFocusesAndThenToggles) {
  auto* check = MakeCheck("&Filter");
  TForm* form = static_cast<TForm*>(GetParentForm(check));
  auto* other = new TdxCheckEdit(form);
  other->SetParent(form);
  other->SetBounds(10, 40, 150, 21);
  other->SetFocus();
  Pump();
  Key('F', 4);
  EXPECT_EQ(GetFocus(), check->Handle());
  EXPECT_EQ(check->State(), cbsUnchecked);
  Key('F', 4);
  EXPECT_EQ(check->State(), cbsChecked);
}

// The filter window's three-image strips show the same image pushed and not pushed.
TEST_F(DxCheckEditTest, GlyphIndexesFoldBackForThreeImageStrips) {
  TBitmap strip;
  strip.SetSize(3 * 13, 13);
  strip.Canvas()->Brush()->SetColor(clFuchsia);  // the bottom-left pixel: the transparent colour
  strip.Canvas()->FillRect(RECT{0, 0, 3 * 13, 13});
  const TColor colours[3] = {clRed, clLime, clBlue};
  for (int i = 0; i < 3; ++i) {
    strip.Canvas()->Brush()->SetColor(colours[i]);
    strip.Canvas()->FillRect(RECT{i * 13 + 2, 2, i * 13 + 11, 11});
  }
  TdxCheckEditViewData v;
  v.CheckGlyph = &strip;
  v.CheckGlyphCount = 3;
  v.Alignment = taCenter;
  v.Brush = GetSysColorBrush(COLOR_WINDOW);
  TBitmap out;
  out.SetSize(13, 13);
  for (int state = 0; state < 3; ++state) {
    for (bool pushed : {false, true}) {
      v.Data = Variant(state);
      v.BoxPushed = pushed;
      TdxCheckEdit::StaticEditClass()->DrawContent(out.Canvas()->Handle(), RECT{0, 0, 13, 13}, false, &v);
      EXPECT_EQ(out.Canvas()->Pixels(6, 6), colours[state]) << state << " pushed " << pushed;
      EXPECT_EQ(out.Canvas()->Pixels(0, 12), ColorToRGB(clWindow)) << state << " pushed " << pushed;
    }
  }
}

}  // namespace
