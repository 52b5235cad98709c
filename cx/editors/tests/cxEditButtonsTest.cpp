#include "cx/editors/cxEditUtils.h"
#include "cx/editors/cxTextEdit.h"
#include "cx/editors/tests/cxEditTestUtil.h"
#include "cx/foundation/tests/cxFoundationTestUtil.h"
#include "platform/display/testing/CheckedScreens.h"
#include "platform/win/Metrics.h"

namespace {

// Properties with buttons and a style, laid out on a bitmap without any window.
struct TButtonsFixture {
  TcxCustomEditProperties properties{nullptr};
  TcxEditStyle style{nullptr, false};
  TcxCustomEditViewInfo viewInfo;
  TTestCanvas canvas{220, 60, clFuchsia};

  TcxEditButton* AddButton(TcxEditButtonKind AKind, bool ALeft = false, int AWidth = 0) {
    TcxEditButton* button = properties.Buttons()->Add();
    button->Kind = AKind;
    button->LeftAlignment = ALeft;
    button->Width = AWidth;
    return button;
  }

  void Calculate(const RECT& ABounds, POINT P = {-1, -1}, int AButton = 0, TShiftState AShift = {},
                 bool AFocused = false, bool AInplace = false) {
    auto data = properties.CreateViewData(&style, AInplace);
    data->Focused = AFocused;
    data->Calculate(canvas.Cx(), ABounds, P, AButton, AShift, &viewInfo, true);
  }
};

TEST(CxEditButtons, ButtonsTakeTheirPlacesFromTheOutsideInAndTheClientAreaShrinks) {
  TButtonsFixture f;
  f.style.SetButtonStyle(bts3D);
  f.AddButton(bkEllipsis);
  f.AddButton(bkDown);
  f.AddButton(bkDown, true, 2);  // below the 3-D allowance of 4
  f.properties.Buttons()->Add()->Visible = false;
  f.Calculate({0, 0, 200, 24});

  const int w = GetSystemMetrics(SM_CYHSCROLL);
  ASSERT_EQ(f.viewInfo.ButtonCount(), 3);
  struct Expect {
    int index;
    RECT bounds;
  };
  // Inside the 2-pixel client extent; the last right-aligned button of the collection is outermost.
  const Expect expected[] = {
      {0, {198 - 2 * w, 2, 198 - w, 22}},
      {1, {198 - w, 2, 198, 22}},
      {2, {2, 2, 6, 22}},
  };
  for (const Expect& e : expected) {
    const TcxEditButtonViewInfo* button = f.viewInfo.Button(e.index);
    EXPECT_EQ(button->Index, e.index);
    EXPECT_TRUE(EqualRect(&button->Bounds, &e.bounds)) << e.index;
    EXPECT_TRUE(EqualRect(&button->VisibleBounds, &e.bounds)) << e.index;
  }
  EXPECT_EQ(f.viewInfo.ClientRect.left, 6);
  EXPECT_EQ(f.viewInfo.ClientRect.right, 198 - 2 * w);
  EXPECT_EQ(f.viewInfo.GetButtonIndexAt({197, 10}), 1);
  EXPECT_EQ(f.viewInfo.GetButtonIndexAt({100, 10}), -1);
}

TEST(CxEditButtons, ButtonWidthFollowsKindGlyphAndStyleAllowance) {
  struct Case {
    TcxEditButtonKind kind;
    int glyphWidth;  // 0: no glyph; -1: an empty one
    int width;
    TcxEditButtonStyle style;
    int expected;
  };
  const int scroll = GetSystemMetrics(SM_CYHSCROLL);
  const Case cases[] = {
      {bkDown, 0, 0, bts3D, scroll},         {bkGlyph, -1, 0, bts3D, scroll},
      {bkGlyph, 10, 0, bts3D, 10 + 4},       {bkGlyph, 10, 0, btsUltraFlat, 10 + 2},
      {bkEllipsis, 0, 1, btsFlat, 3},        {bkEllipsis, 0, 30, btsFlat, 30},
  };
  for (const Case& c : cases) {
    TBitmap glyph;
    if (c.glyphWidth > 0) glyph.SetSize(c.glyphWidth, 8);
    TcxEditButtonViewInfo button;
    button.Kind = c.kind;
    button.Glyph = c.glyphWidth != 0 ? &glyph : nullptr;
    button.Width = c.width;
    button.Style = c.style;
    TTestCanvas canvas(4, 4);
    EXPECT_EQ(GetButtonWidth(canvas.Cx(), &button), c.expected) << c.kind << " " << c.glyphWidth << " " << c.width;
  }
}

TEST(CxEditButtons, TheDefaultButtonStyleFollowsTheDrawnBorder) {
  struct Case {
    TcxEditBorderStyle border;
    bool hot;
    TcxEditButtonStyle expected;
  };
  const Case cases[] = {
      {ebsNone, false, btsSimple},   {ebsNone, true, btsFlat},        {ebsSingle, false, btsHotFlat},
      {ebsSingle, true, bts3D},      {ebsFlat, false, btsFlat},       {ebsThick, false, bts3D},
      {ebs3D, false, bts3D},         {ebsUltraFlat, true, btsUltraFlat},
  };
  for (const Case& c : cases) {
    TButtonsFixture f;
    f.style.SetBorderStyle(c.border);
    f.AddButton(bkDown);
    f.Calculate({0, 0, 120, 24}, c.hot ? POINT{10, 10} : POINT{-1, -1});
    EXPECT_EQ(f.viewInfo.Button(0)->Style, c.expected) << c.border << " hot " << c.hot;
  }
}

TEST(CxEditButtons, HideInactiveButtonsShowOnlyWhileFocused) {
  TButtonsFixture f;
  f.style.SetButtonTransparency(ebtHideInactive);
  f.AddButton(bkEllipsis);
  f.Calculate({0, 0, 120, 24});
  EXPECT_EQ(f.viewInfo.ButtonCount(), 0);
  EXPECT_EQ(f.viewInfo.ClientRect.right, 118);
  f.Calculate({0, 0, 120, 24}, {-1, -1}, 0, {}, true);
  EXPECT_EQ(f.viewInfo.ButtonCount(), 1);
}

TEST(CxEditButtons, MouseStatesOfAButton) {
  TButtonsFixture f;
  f.style.SetButtonStyle(bts3D);
  f.AddButton(bkDown);
  const RECT bounds{0, 0, 120, 24};
  const POINT on{110, 10};
  const POINT off{50, 10};
  struct Step {
    const char* what;
    POINT p;
    int button;
    TShiftState shift;
    TcxEditButtonState expected;
  };
  const Step steps[] = {
      {"hover", on, 0, {}, ebsSelected},
      {"left press", on, 1, {ssLeft}, ebsPressed},
      {"held still", on, 0, {ssLeft}, ebsPressed},
      {"moved off while held", off, 0, {ssLeft}, ebsNormal},
      {"released elsewhere", off, 1, {}, ebsNormal},
      {"right press does not press", on, 2, {ssRight}, ebsNormal},
      {"hover again", on, 0, {}, ebsSelected},
      {"double click press", on, 1, {ssLeft, ssDouble}, ebsPressed},
      {"released over it", on, 1, {}, ebsSelected},
  };
  for (const Step& s : steps) {
    f.Calculate(bounds, s.p, s.button, s.shift);
    EXPECT_EQ(f.viewInfo.Button(0)->State, s.expected) << s.what;
    EXPECT_EQ(f.viewInfo.PressedButton, s.expected == ebsPressed ? 0 : -1) << s.what;
    EXPECT_EQ(f.viewInfo.HotButton, s.expected == ebsSelected ? 0 : -1) << s.what;
  }
  auto data = f.properties.CreateViewData(&f.style, false);
  data->Enabled = false;
  data->Calculate(f.canvas.Cx(), bounds, on, 1, {ssLeft}, &f.viewInfo, true);
  EXPECT_EQ(f.viewInfo.Button(0)->State, ebsDisabled);
}

TEST(CxEditButtons, EditSizeIsTheFixedPartPlusContentOrExactlyANarrowerLimit) {
  TButtonsFixture f;
  f.style.SetButtonStyle(bts3D);
  f.AddButton(bkDown);
  auto data = f.properties.CreateViewData(&f.style, false);
  TcxEditSizeProperties unlimited;
  const SIZE size = data->GetEditSize(f.canvas.Cx(), Null(), unlimited);
  EXPECT_EQ(size.cx, 2 + 2 + GetSystemMetrics(SM_CYHSCROLL));
  EXPECT_EQ(size.cy, 4);
  TcxEditSizeProperties narrow;
  narrow.Width = 5;
  EXPECT_EQ(data->GetEditSize(f.canvas.Cx(), Null(), narrow).cx, 5);
}

TEST(CxEditButtons, EllipsisDotsGrowPastElevenPixels) {
  EXPECT_EQ(GetEllipsisDotSize(11), 1);
  EXPECT_EQ(GetEllipsisDotSize(12), 2);
  for (int width : {11, 16}) {
    TButtonsFixture f;
    f.style.SetButtonStyle(btsSimple);
    f.style.SetBorderStyle(ebsNone);
    f.AddButton(bkEllipsis, false, width);
    f.Calculate({0, 0, 100, 20});
    f.viewInfo.Paint(f.canvas.Cx());
    const RECT dots = f.canvas.Bounds(clBtnText);
    const int dot = dots.bottom - dots.top;
    // Simple buttons keep a 2-pixel frame on the left, 1 on the other sides.
    EXPECT_EQ(dot, GetEllipsisDotSize(width - 3)) << width;
    EXPECT_EQ(dots.right - dots.left, dot * 3 + 4) << width;
  }
}

// Each button style drawn stand-alone, normal and pressed: the frames and the arrow in their colours.
TEST(CxEditButtons, EachButtonStylePaintsItsFrameAndArrow) {
  struct Case {
    TcxEditButtonStyle style;
    TcxEditButtonState state;
    POINT probe;  // relative to the button's top-left
    TColor frame;
    TColor arrow;
  };
  const Case cases[] = {
      {bts3D, ebsNormal, {0, 0}, cl3DLight, clBtnText},
      {bts3D, ebsPressed, {0, 0}, clBtnShadow, clBtnText},
      {btsFlat, ebsNormal, {1, 0}, clBtnHighlight, clBtnText},
      {btsFlat, ebsPressed, {1, 0}, clBtnShadow, clBtnText},
      {btsHotFlat, ebsNormal, {0, 0}, clBtnShadow, clBtnText},
      {btsHotFlat, ebsPressed, {0, 0}, clBtnShadow, clWindow},
      {btsUltraFlat, ebsPressed, {0, 5}, clHighlight, clBtnText},
  };
  int row = 0;
  TTestCanvas screen(240, 30 * 7, clFuchsia);
  for (const Case& c : cases) {
    TButtonsFixture f;
    f.style.SetButtonStyle(c.style);
    f.style.SetBorderStyle(ebsSingle);
    f.AddButton(bkDown);
    const RECT bounds{0, row * 30, 120, row * 30 + 24};
    const POINT on{110, row * 30 + 10};
    if (c.state == ebsPressed)
      f.Calculate(bounds, on, 1, {ssLeft});
    else
      f.Calculate(bounds);
    ASSERT_EQ(f.viewInfo.Button(0)->State, c.state);
    f.viewInfo.Paint(screen.Cx());
    const RECT& b = f.viewInfo.Button(0)->Bounds;
    EXPECT_EQ(screen.Pixel(b.left + c.probe.x, b.top + c.probe.y), ColorToRGB(c.frame)) << c.style << " " << c.state;
    // The down arrow: its ink is centred in the button.
    int ink = 0;
    for (int y = b.top; y < b.bottom; ++y)
      for (int x = b.left; x < b.right; ++x) ink += screen.Pixel(x, y) == ColorToRGB(c.arrow);
    EXPECT_GT(ink, 4) << c.style << " " << c.state;
    ++row;
  }
  KeepCheckedScreen();
}

TEST(CxEditButtons, ADisabledButtonDrawsItsArrowEmbossed) {
  TButtonsFixture f;
  f.style.SetButtonStyle(bts3D);
  f.AddButton(bkDown);
  auto data = f.properties.CreateViewData(&f.style, false);
  data->Enabled = false;
  data->Calculate(f.canvas.Cx(), {0, 0, 120, 24}, {-1, -1}, 0, {}, &f.viewInfo, false);
  f.viewInfo.Paint(f.canvas.Cx());
  const RECT& b = f.viewInfo.Button(0)->Bounds;
  const RECT inner{b.left + 2, b.top + 2, b.right - 2, b.bottom - 2};
  int shadow = 0, highlight = 0, text = 0;
  for (int y = inner.top; y < inner.bottom; ++y)
    for (int x = inner.left; x < inner.right; ++x) {
      const TColor c = f.canvas.Pixel(x, y);
      shadow += c == ColorToRGB(clBtnShadow);
      highlight += c == ColorToRGB(clBtnHighlight);
      text += c == ColorToRGB(clBtnText);
    }
  EXPECT_GT(shadow, 0);
  EXPECT_GT(highlight, 0);
  EXPECT_EQ(text, 0);
}

TEST(CxEditButtons, AShadowedEditDrawsItsShadowOutsideTheBorder) {
  TButtonsFixture f;
  f.style.SetBorderStyle(ebsSingle);
  f.style.SetBorderColor(clRed);
  f.style.SetShadow(true);
  f.Calculate({0, 0, 100, 30});
  EXPECT_TRUE(f.viewInfo.Shadow);
  // Client extent 2 plus 3 for the shadow on the right and bottom.
  EXPECT_EQ(f.viewInfo.ClientRect.right, 100 - 5);
  EXPECT_EQ(f.viewInfo.ClientRect.bottom, 30 - 5);
  f.viewInfo.Paint(f.canvas.Cx());
  EXPECT_EQ(f.canvas.Pixel(95, 10), ColorToRGB(clRed));
  EXPECT_EQ(f.canvas.Pixel(96, 10), ColorToRGB(clBtnShadow));
  EXPECT_EQ(f.canvas.Pixel(98, 10), ColorToRGB(clBtnShadow));
  EXPECT_EQ(f.canvas.Pixel(50, 28), ColorToRGB(clBtnShadow));
  EXPECT_EQ(f.canvas.Pixel(98, 2), ColorToRGB(clFuchsia)) << "the corner above the shadow";
  EXPECT_EQ(f.canvas.Pixel(2, 28), ColorToRGB(clFuchsia)) << "the corner left of the shadow";
}

}  // namespace

// --- The edit control's buttons driven by the mouse ---

class TButtonEventsEdit : public TTestEdit {
  TRENVIK_CLASS(TButtonEventsEdit, TTestEdit);

 public:
  explicit TButtonEventsEdit(TComponent* AOwner) : TTestEdit(AOwner) {}
  std::vector<std::string> Events;
  void DoButtonDown(int AIndex) override { Events.push_back("down " + std::to_string(AIndex)); }
  void DoButtonUp(int AIndex) override { Events.push_back("up " + std::to_string(AIndex)); }
  void DoButtonClick(int AIndex) override { Events.push_back("click " + std::to_string(AIndex)); }
};

TRENVIK_IMPLEMENT_CLASS(TButtonEventsEdit)

namespace {

class CxEditButtonsControlTest : public CxControlsTest {
 protected:
  TButtonEventsEdit* MakeEdit() {
    TForm* form = MakeForm();
    auto* edit = Add<TButtonEventsEdit>(form, 10, 10, 150, 24);
    edit->Style()->SetButtonStyle(bts3D);
    edit->Props()->Buttons()->Add()->Kind = bkEllipsis;
    edit->Props()->Buttons()->Add()->Kind = bkDown;
    form->Show();
    Pump();
    return edit;
  }
  static POINT Centre(TButtonEventsEdit* AEdit, int AIndex) {
    const RECT& b = AEdit->EditViewInfo()->Button(AIndex)->Bounds;
    return {(b.left + b.right) / 2, (b.top + b.bottom) / 2};
  }
};

TEST_F(CxEditButtonsControlTest, AClickIsAPressAndAReleaseOverTheSameButton) {
  TButtonEventsEdit* edit = MakeEdit();
  ASSERT_EQ(edit->EditViewInfo()->ButtonCount(), 2);
  const POINT down = Centre(edit, 1);
  MoveTo(edit, down.x, down.y);
  EXPECT_EQ(edit->EditViewInfo()->Button(1)->State, ebsSelected);
  Down(edit, down.x, down.y);
  EXPECT_EQ(edit->EditViewInfo()->Button(1)->State, ebsPressed);
  EXPECT_EQ(edit->CapturedButton(), 1);
  Up(edit, down.x, down.y);
  EXPECT_EQ(edit->Events, (std::vector<std::string>{"down 1", "up 1", "click 1"}));
  EXPECT_EQ(edit->EditViewInfo()->Button(1)->State, ebsSelected);
  KeepCheckedWindow(edit->Handle());
}

TEST_F(CxEditButtonsControlTest, MovingOffAndBackWhileHeldAndReleasingOutsideDoesNotClick) {
  TButtonEventsEdit* edit = MakeEdit();
  const POINT ellipsis = Centre(edit, 0);
  Down(edit, ellipsis.x, ellipsis.y);
  MoveTo(edit, 20, 12);
  EXPECT_EQ(edit->EditViewInfo()->Button(0)->State, ebsNormal) << "off the button while held";
  MoveTo(edit, ellipsis.x, ellipsis.y);
  EXPECT_EQ(edit->EditViewInfo()->Button(0)->State, ebsPressed) << "back on it, still held";
  MoveTo(edit, 20, 12);
  Up(edit, 20, 12);
  EXPECT_EQ(edit->EditViewInfo()->Button(0)->State, ebsNormal);
  for (const std::string& event : edit->Events) EXPECT_EQ(event.rfind("click", 0), std::string::npos) << event;
  EXPECT_EQ(edit->Events.back(), "up 0");
}

TEST_F(CxEditButtonsControlTest, LeavingTheEditDrawsAHotButtonNormal) {
  TButtonEventsEdit* edit = MakeEdit();
  const POINT p = Centre(edit, 0);
  MoveTo(edit, p.x, p.y);
  ASSERT_EQ(edit->EditViewInfo()->Button(0)->State, ebsSelected);
  MoveTo(edit, 300, 200);
  Advance(200);
  EXPECT_EQ(edit->EditViewInfo()->Button(0)->State, ebsNormal);
}

}  // namespace
