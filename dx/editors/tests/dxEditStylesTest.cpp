#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "dx/editors/dxEditStyles.h"
#include "dx/editors/dxTextEdit.h"

namespace {

// An editor that counts how often it is restyled.
class TCountingEdit : public TdxInplaceTextEdit {
 public:
  explicit TCountingEdit(TComponent* AOwner) : TdxInplaceTextEdit(AOwner) {}
  int Restyles = 0;
  void StyleChanged() override {
    ++Restyles;
    TdxInplaceTextEdit::StyleChanged();
  }
};

struct TStyleSnapshot {
  TColor borderColor;
  TdxEditBorderStyle borderStyle;
  TdxEditButtonViewStyle buttonStyle;
  TdxEditButtonTransparence transparence;
  TdxEditEdges edges;
  bool hotTrack;
  bool shadow;
  bool operator==(const TStyleSnapshot&) const = default;
};

TStyleSnapshot Snapshot(TdxEditStyle* s) {
  return {s->BorderColor(), s->BorderStyle(), s->ButtonStyle(), s->ButtonTransparence(),
          s->Edges(),       s->HotTrack(),    s->Shadow()};
}

class DxEditStylesTest : public ::testing::Test {
 protected:
  void TearDown() override { DefaultEditStyleController()->RestoreDefaults(); }
};

TEST_F(DxEditStylesTest, AnEditorWithoutValuesOrControllerShowsTheConstants) {
  TCountingEdit edit(nullptr);
  const TStyleSnapshot constants{clWindowFrame, xbs3D, btsDefault, ebtNone, dxAllEdges, false, false};
  EXPECT_EQ(Snapshot(edit.Style()), constants);
  EXPECT_TRUE(edit.Style()->AssignedValues().Empty());
}

// Own value, then the editor's controller, then the default controller.
TEST_F(DxEditStylesTest, EachValueResolvesThroughTheChain) {
  TCountingEdit edit(nullptr);
  TdxEditStyleController controller(nullptr);
  DefaultEditStyleController()->SetBorderStyle(xbsFlat);
  DefaultEditStyleController()->SetShadow(true);
  EXPECT_EQ(edit.Style()->BorderStyle(), xbsFlat);
  EXPECT_TRUE(edit.Style()->Shadow());

  controller.SetBorderStyle(xbsSingle);
  edit.SetStyleController(&controller);
  EXPECT_EQ(edit.Style()->BorderStyle(), xbsSingle);
  EXPECT_FALSE(edit.Style()->Shadow());  // the own controller's value, not the default one's

  edit.Style()->SetBorderStyle(xbsThick);
  EXPECT_EQ(edit.Style()->BorderStyle(), xbsThick);
  edit.Style()->RestoreDefaults();
  EXPECT_TRUE(edit.Style()->AssignedValues().Empty());
  EXPECT_EQ(edit.Style()->BorderStyle(), xbsSingle);
}

TEST_F(DxEditStylesTest, SettingTheDefaultValueStillAssignsIt) {
  TCountingEdit edit(nullptr);
  edit.Style()->SetBorderStyle(xbs3D);
  EXPECT_TRUE(edit.Style()->AssignedValues().Contains(svBorderStyle));
  DefaultEditStyleController()->SetBorderStyle(xbsNone);
  EXPECT_EQ(edit.Style()->BorderStyle(), xbs3D);
}

TEST_F(DxEditStylesTest, TheDefaultControllerRestylesOnlyEditorsWithoutTheirOwnController) {
  TCountingEdit plain1(nullptr), plain2(nullptr), owned(nullptr);
  TdxEditStyleController controller(nullptr);
  owned.SetStyleController(&controller);
  std::vector<TObject*> told;
  DefaultEditStyleController()->OnStyleChanged = [&](TObject*, TObject* Link) { told.push_back(Link); };
  plain1.Restyles = plain2.Restyles = owned.Restyles = 0;

  DefaultEditStyleController()->SetBorderStyle(xbsSingle);
  DefaultEditStyleController()->OnStyleChanged = nullptr;

  EXPECT_EQ(plain1.Restyles, 1);
  EXPECT_EQ(plain2.Restyles, 1);
  EXPECT_EQ(owned.Restyles, 0);
  EXPECT_EQ(told, (std::vector<TObject*>{&plain1, &plain2}));
  EXPECT_EQ(plain1.Style()->BorderStyle(), xbsSingle);
  EXPECT_EQ(owned.Style()->BorderStyle(), xbs3D);
}

TEST_F(DxEditStylesTest, AssigningAControllerTellsItAtOnce) {
  TCountingEdit edit(nullptr);
  TdxEditStyleController controller(nullptr);
  std::vector<TObject*> told;
  controller.OnStyleChanged = [&](TObject*, TObject* Link) { told.push_back(Link); };
  edit.Restyles = 0;
  edit.SetStyleController(&controller);
  EXPECT_EQ(told, std::vector<TObject*>{&edit});
  EXPECT_EQ(edit.Restyles, 1);
}

TEST_F(DxEditStylesTest, AssignFromAnEmptyStyleAssignsAllSevenEffectiveValues) {
  TCountingEdit source(nullptr), target(nullptr);
  DefaultEditStyleController()->SetHotTrack(true);
  target.Style()->Assign(source.Style());
  DefaultEditStyleController()->SetHotTrack(false);
  EXPECT_EQ(target.Style()->AssignedValues(),
            (TdxEditStyleValues{svBorderColor, svBorderStyle, svButtonStyle, svButtonTransparence, svEdges,
                                svHotTrack, svShadow}));
  EXPECT_TRUE(target.Style()->HotTrack());
}

TEST_F(DxEditStylesTest, NestedUpdatesNotifyOnceAtTheOutermostEnd) {
  TCountingEdit edit(nullptr);
  TdxEditStyleController controller(nullptr);
  edit.SetStyleController(&controller);
  edit.Restyles = 0;
  controller.BeginUpdate();
  controller.BeginUpdate();
  controller.SetBorderStyle(xbsNone);
  controller.SetShadow(true);
  controller.EndUpdate();
  EXPECT_EQ(edit.Restyles, 0);
  controller.EndUpdate();
  EXPECT_EQ(edit.Restyles, 1);
}

TEST_F(DxEditStylesTest, FreeingAControllerOrAnEditorUnlinksThem) {
  auto controller = std::make_unique<TdxEditStyleController>(nullptr);
  {
    TCountingEdit gone(nullptr);
    gone.SetStyleController(controller.get());
    EXPECT_TRUE(controller->HasLink(&gone));
  }
  EXPECT_EQ(controller->LinkCount(), 0);

  TCountingEdit edit(nullptr);
  edit.SetStyleController(controller.get());
  controller.reset();
  EXPECT_EQ(edit.StyleController(), nullptr);
  EXPECT_EQ(edit.Style()->BorderStyle(), xbs3D);
}

TEST_F(DxEditStylesTest, ControllerAssignAndRestoreDefaultsNotifyOnce) {
  TCountingEdit edit(nullptr);
  TdxEditStyleController a(nullptr), b(nullptr);
  edit.SetStyleController(&a);
  b.SetBorderStyle(xbsFlat);
  b.SetEdges(TdxEditEdges{edgBottom});
  b.SetHotTrack(true);
  edit.Restyles = 0;
  a.Assign(&b);
  EXPECT_EQ(edit.Restyles, 1);
  EXPECT_EQ(edit.Style()->Edges(), TdxEditEdges{edgBottom});
  a.RestoreDefaults();
  EXPECT_EQ(edit.Restyles, 2);
  EXPECT_EQ(edit.Style()->BorderStyle(), xbs3D);
  EXPECT_FALSE(edit.Style()->HotTrack());
}

}  // namespace
