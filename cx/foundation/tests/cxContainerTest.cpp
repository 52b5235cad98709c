#include "cx/foundation/cxContainer.h"

#include <memory>

#include "cx/foundation/tests/cxControlsTestUtil.h"
#include "platform/forms/StdCtrls.h"
#include "platform/gdi/testing/TestThemeProvider.h"

namespace {

// --- Styles and controllers ---

TEST(CxContainerStyle, ChangesInsideABracketReachTheOwnerOnce) {
  TcxCustomContainerStyle style(nullptr, false);
  int changes = 0;
  style.OnChanged = [&](TObject*) { ++changes; };
  style.BeginUpdate();
  style.SetBorderStyle(cbsSingle);
  style.SetShadow(true);
  style.SetHotTrack(false);
  EXPECT_EQ(changes, 0);
  style.EndUpdate();
  EXPECT_EQ(changes, 1);
  style.SetBorderColor(style.BorderColor());
  EXPECT_EQ(changes, 1) << "an unchanged value reports nothing";
  style.SetEdges({bLeft, bTop});
  EXPECT_EQ(changes, 2);

  TcxCustomContainerStyle silent(nullptr, true);
  int silentChanges = 0;
  silent.OnChanged = [&](TObject*) { ++silentChanges; };
  silent.SetShadow(true);
  EXPECT_EQ(silentChanges, 0);
}

TEST(CxContainerStyle, FontReportsEveryTimeColourOnlyWhenItDiffers) {
  TForm owner(nullptr);
  TcxCustomContainerStyle style(&owner, false);
  int changes = 0;
  style.OnChanged = [&](TObject*) { ++changes; };
  style.SetFont(owner.Font());
  EXPECT_EQ(changes, 1);
  style.SetColor(owner.Color());
  EXPECT_EQ(changes, 1);
  style.SetColor(clYellow);
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(owner.Color(), clYellow);
}

TEST(CxStyleController, ListenersFollowTheControllerAndAreFreedFromIt) {
  auto controller = std::make_unique<TcxStyleController>(nullptr);
  TcxCustomContainerStyle a(nullptr, false), b(nullptr, false);
  int aChanges = 0, events = 0;
  a.OnChanged = [&](TObject*) { ++aChanges; };
  controller->OnStyleChanged = [&](TObject*, TcxCustomContainerStyle*) { ++events; };
  a.SetStyleController(controller.get());
  b.SetStyleController(controller.get());
  EXPECT_EQ(controller->ListenerCount(), 2);
  EXPECT_EQ(a.LookAndFeel()->MasterLookAndFeel(), controller->Style()->LookAndFeel());
  aChanges = 0;

  controller->Style()->SetBorderStyle(cbsThick);
  EXPECT_EQ(aChanges, 1);
  EXPECT_EQ(events, 3) << "once for its own style and once per listener";

  controller->Style()->LookAndFeel()->SetKind(lfFlat);
  EXPECT_EQ(a.LookAndFeel()->Kind(), lfFlat) << "the look follows the controller's";

  // The controller's own style cannot listen to it.
  controller->Style()->SetStyleController(controller.get());
  EXPECT_EQ(controller->Style()->StyleController(), nullptr);

  controller.reset();
  EXPECT_EQ(a.StyleController(), nullptr);
  EXPECT_EQ(b.StyleController(), nullptr);
  EXPECT_EQ(a.LookAndFeel()->MasterLookAndFeel(), RootLookAndFeel());
}

// --- Border resolution ---

TEST(CxContainerBorders, ResolvedStylesAndWidths) {
  struct Case {
    TcxContainerBorderStyle style;
    TcxLookAndFeelKind kind;
    bool active;
    TcxContainerBorderStyle resolved;
    int width;
  } cases[] = {
      {cbsDefault, lfFlat, false, cbsFlat, 2},       {cbsDefault, lfFlat, true, cbs3D, 2},
      {cbsDefault, lfStandard, false, cbs3D, 2},     {cbsDefault, lfUltraFlat, false, cbsSingle, 1},
      {cbsDefault, lfUltraFlat, true, cbsSingle, 1}, {cbsNone, lfFlat, false, cbsNone, 0},
      {cbsNone, lfFlat, true, cbsFlat, 2},           {cbsSingle, lfStandard, true, cbsThick, 2},
      {cbsThick, lfFlat, false, cbsThick, 2},        {cbsUltraFlat, lfStandard, false, cbsSingle, 1},
  };
  for (const Case& c : cases) {
    const TcxContainerBorderStyle r = cxResolveContainerBorderStyle(c.style, c.kind, c.active);
    EXPECT_EQ(r, c.resolved) << c.style << " " << c.kind << " " << c.active;
    EXPECT_EQ(cxContainerBorderWidth(r), c.width);
  }
}

// --- The container ---

class CxContainerTest : public CxControlsTest {
 protected:
  TcxContainer* MakeContainer(TcxLookAndFeelKind AKind = lfFlat) {
    form_ = MakeForm();
    auto* c = new TcxContainer(form_);
    c->Style()->LookAndFeel()->SetKind(AKind);
    c->SetParent(form_);
    c->SetBounds(20, 20, 120, 40);
    auto* other = new TButton(form_);
    other->SetParent(form_);
    other->SetBounds(20, 200, 80, 24);
    other_ = other;
    form_->Show();
    Pump();
    other_->SetFocus();
    Pump();
    return c;
  }
  TForm* form_ = nullptr;
  TWinControl* other_ = nullptr;
};

TEST_F(CxContainerTest, FlatBorderTurns3DWhenFocusedOrHotAndHotTrackingNeedsNoButtonHeld) {
  TcxContainer* c = MakeContainer(lfFlat);
  EXPECT_EQ(c->ViewInfo()->BorderStyle, cbsFlat);
  MoveTo(c, 60, 20);
  EXPECT_TRUE(c->ViewInfo()->ContainerState.Contains(cstHot));
  EXPECT_EQ(c->ViewInfo()->BorderStyle, cbs3D);
  MoveTo(form_, 300, 150);
  Advance(20);  // the tracking timer notices the cursor left
  EXPECT_EQ(c->ViewInfo()->BorderStyle, cbsFlat);
  EXPECT_FALSE(cxIsMouseTracking(c));

  c->SetFocus();
  Pump();
  EXPECT_TRUE(c->ViewInfo()->ContainerState.Contains(cstFocused));
  EXPECT_EQ(c->ViewInfo()->BorderStyle, cbs3D);

  other_->SetFocus();
  Pump();
  c->RefreshContainer({60, 20}, 1, TShiftState{ssLeft}, true);
  EXPECT_FALSE(c->ViewInfo()->ContainerState.Contains(cstHot)) << "no hot tracking while a button is held";
}

TEST_F(CxContainerTest, UltraFlatBorderColourFollowsFocusAndHotTracking) {
  TcxContainer* c = MakeContainer(lfUltraFlat);
  EXPECT_EQ(c->ViewInfo()->BorderColor, clBtnShadow);
  c->RefreshContainer({60, 20}, 0, {}, true);
  EXPECT_EQ(c->ViewInfo()->BorderColor, clHighlight);
  c->Style()->SetHotTrack(false);
  c->RefreshContainer({60, 20}, 0, {}, true);
  EXPECT_EQ(c->ViewInfo()->BorderColor, clBtnShadow) << "hot only with HotTrack";
  c->SetFocus();
  Pump();
  EXPECT_EQ(c->ViewInfo()->BorderColor, clHighlight);

  // Painted: the one-pixel frame just outside the border rectangle (2 in from the bounds).
  other_->SetFocus();
  Pump();
  c->Repaint();
  EXPECT_EQ(ScreenPixel(c, 1, 10), ColorToRGB(clBtnShadow));
  EXPECT_EQ(ScreenPixel(c, 10, 10), ColorToRGB(clWindow));
  KeepCheckedWindow(c->Handle());
}

TEST_F(CxContainerTest, AShadowGrowsTheControlAndItsCornersLieOutsideTheRegion) {
  TcxContainer* c = MakeContainer(lfUltraFlat);
  c->Style()->SetShadow(true);
  Pump();
  EXPECT_EQ(c->Width(), 123);
  EXPECT_EQ(c->Height(), 43);
  EXPECT_TRUE(c->ViewInfo()->Shadow);
  // Border rectangle (2, 2, 118, 38), frame 1 wide: visible frame (1, 1, 119, 39) plus the copy
  // moved by 3.
  HRGN rgn = CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(GetWindowRgn(c->Handle(), rgn), ERROR);
  EXPECT_TRUE(PtInRegion(rgn, 1, 1));
  EXPECT_TRUE(PtInRegion(rgn, 120, 40)) << "inside the shadow";
  EXPECT_FALSE(PtInRegion(rgn, 121, 2)) << "the top-right corner beside the shadow";
  EXPECT_FALSE(PtInRegion(rgn, 2, 41)) << "the bottom-left corner below the shadow";
  EXPECT_FALSE(PtInRegion(rgn, 0, 0));
  DeleteObject(rgn);
  Pump();
  c->Repaint();
  EXPECT_EQ(ScreenPixel(c, 120, 20), ColorToRGB(clBtnShadow));
  KeepCheckedWindow(c->Handle());

  c->Style()->SetShadow(false);
  Pump();
  EXPECT_EQ(c->Width(), 120);
  EXPECT_EQ(c->Height(), 40);
}

TEST_F(CxContainerTest, DisabledBackgroundIsButtonFaceOrTheThemesFill) {
  TcxContainer* c = MakeContainer(lfFlat);
  c->SetEnabled(false);
  Pump();
  EXPECT_EQ(c->ViewInfo()->BackgroundColor, clBtnFace);

  TestThemeProvider provider;
  provider.SetColor(u"Edit", 1, 4, 3802, RGB(1, 2, 3));
  ScopedThemeProvider scope(&provider);
  c->Style()->LookAndFeel()->SetNativeStyle(true);
  c->ShortRefreshContainer(false);
  EXPECT_TRUE(c->ViewInfo()->NativeStyle);
  EXPECT_EQ(c->ViewInfo()->NativeState, 4);
  EXPECT_EQ(c->ViewInfo()->BackgroundColor, static_cast<TColor>(RGB(1, 2, 3)));
  c->Style()->LookAndFeel()->SetNativeStyle(false);
}

TEST_F(CxContainerTest, InnerControlFillsTheClientRectAndTabLeavesTheContainer) {
  TcxContainer* c = MakeContainer(lfFlat);
  auto* inner = new TEdit(c);
  inner->SetParent(c);
  c->SetInnerControl(inner);
  c->ShortRefreshContainer(false);
  EXPECT_EQ(inner->BoundsRect(), (RECT{2, 2, 118, 38}));
  c->SetFocus();
  Pump();
  EXPECT_TRUE(inner->Focused()) << "the inner control takes the focus";
  EXPECT_TRUE(c->Focused());
  Key(VK_TAB);
  EXPECT_FALSE(c->Focused());
  c->SetInnerControl(nullptr);
}

}  // namespace

namespace {

TEST_F(CxContainerTest, ASideWithoutAnEdgeLiesOutsideTheWindowRegion) {
  TcxContainer* c = MakeContainer(lfFlat);
  c->Style()->SetEdges({bLeft, bTop});
  Pump();
  // Border rectangle (2, 2, 118, 38) with a 2-pixel flat border on the left and top only.
  HRGN rgn = CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(GetWindowRgn(c->Handle(), rgn), ERROR);
  EXPECT_TRUE(PtInRegion(rgn, 0, 0));
  EXPECT_TRUE(PtInRegion(rgn, 117, 37));
  EXPECT_FALSE(PtInRegion(rgn, 118, 20));
  EXPECT_FALSE(PtInRegion(rgn, 60, 38));
  DeleteObject(rgn);
}

TEST_F(CxContainerTest, TheInnerControlsVisibleRectIsWhatLiesInsideTheAlignRect) {
  TcxContainer* c = MakeContainer(lfFlat);
  auto* inner = new TEdit(c);
  inner->SetParent(c);
  struct Case {
    RECT bounds;
    bool clipped;
    RECT visible;
  } cases[] = {
      {{2, 2, 50, 20}, false, {}},
      {{-3, 2, 50, 20}, true, {5, 0, 53, 18}},
      {{2, 2, 130, 45}, true, {0, 0, 116, 36}},
  };
  for (const Case& k : cases) {
    inner->SetBoundsRect(k.bounds);
    std::unique_ptr<RECT> visible;
    c->GetInnerControlVisibleRect({2, 2, 118, 38}, inner, visible);
    ASSERT_EQ(visible != nullptr, k.clipped);
    if (visible) {
      EXPECT_EQ(*visible, k.visible);
    }
  }
  std::unique_ptr<RECT> none;
  c->GetInnerControlVisibleRect({2, 2, 118, 38}, nullptr, none);
  EXPECT_EQ(none, nullptr);
}

}  // namespace

namespace {

class TEditStyle : public TcxCustomContainerStyle {
 public:
  using TcxCustomContainerStyle::TcxCustomContainerStyle;
};
class TEditViewInfo : public TcxContainerViewInfo {};
class TEditLike : public TcxContainer {
 public:
  using TcxContainer::TcxContainer;
  TcxContainerStyleClass GetStyleClass() override {
    return [](TPersistent* AOwner, bool ASilent) { return new TEditStyle(AOwner, ASilent); };
  }
  TcxContainerViewInfoClass GetViewInfoClass() override {
    return [] { return new TEditViewInfo(); };
  }
};

TEST_F(CxContainerTest, ADescendantsStyleAndViewInfoClassesAreTheOnesMade) {
  form_ = MakeForm();
  auto* c = new TEditLike(form_);
  c->SetParent(form_);
  form_->Show();
  Pump();
  EXPECT_NE(dynamic_cast<TEditStyle*>(c->Style()), nullptr);
  EXPECT_NE(dynamic_cast<TEditViewInfo*>(c->ViewInfo()), nullptr);
  EXPECT_EQ(c->LookAndFeel()->MasterLookAndFeel(), c->Style()->LookAndFeel());
}

}  // namespace
