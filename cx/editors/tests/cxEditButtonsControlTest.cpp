#include "cx/editors/cxEditViewInfo.h"
#include "cx/editors/tests/cxEditTestUtil.h"
#include "platform/display/testing/CheckedScreens.h"

// The edit control's buttons driven by the mouse.

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
    edit->SetAutoSize(false);  // a plain edit has no content to size to
    edit->SetBounds(10, 10, 150, 24);
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

// Dots, arrows and the smoothed strokes of a caption.
bool IsDark(TColor AColor) {
  const COLORREF c = static_cast<COLORREF>(AColor);
  return GetRValue(c) + GetGValue(c) + GetBValue(c) < 3 * 96;
}

// Edits with an ellipsis, a drop-down and a text button on a form, in each look.
TEST_F(CxEditButtonsControlTest, EditsWithButtonsInEachLook) {
  TForm* form = MakeForm(100, 100, 300, 200);
  struct Case {
    TcxLookAndFeelKind kind;
    TcxEditButtonStyle expected;
  };
  const Case cases[] = {{lfStandard, bts3D}, {lfFlat, btsFlat}, {lfUltraFlat, btsUltraFlat}};
  std::vector<TButtonEventsEdit*> edits;
  int top = 10;
  for (const Case& c : cases) {
    auto* edit = Add<TButtonEventsEdit>(form, 10, top, 200, 24);
    edit->SetAutoSize(false);
    edit->SetBounds(10, top, 200, 24);
    edit->Style()->LookAndFeel()->SetKind(c.kind);
    edit->Props()->Buttons()->Add()->Kind = bkEllipsis;
    edit->Props()->Buttons()->Add()->Kind = bkDown;
    TcxEditButton* text = edit->Props()->Buttons()->Add();
    text->Kind = bkText;
    text->Caption = u"Go";
    text->Width = 30;
    edits.push_back(edit);
    top += 40;
  }
  form->Show();
  Pump();
  for (size_t i = 0; i < edits.size(); ++i) {
    TcxCustomEditViewInfo* viewInfo = edits[i]->EditViewInfo();
    ASSERT_EQ(viewInfo->ButtonCount(), 3);
    for (int b = 0; b < 3; ++b) {
      TcxEditButtonViewInfo* button = viewInfo->Button(b);
      EXPECT_EQ(button->Style, cases[i].expected) << cases[i].kind;
      int ink = 0;
      for (int y = button->Bounds.top + 2; y < button->Bounds.bottom - 2; ++y)
        for (int x = button->Bounds.left + 2; x < button->Bounds.right - 2; ++x)
          ink += IsDark(ScreenPixel(edits[i], x, y));
      EXPECT_GT(ink, 2) << "look " << cases[i].kind << " button " << b;
    }
    EXPECT_EQ(viewInfo->ClientRect.right, viewInfo->Button(0)->Bounds.left);
  }
  KeepCheckedScreen();
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
