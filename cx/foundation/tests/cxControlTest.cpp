#include <functional>
#include <tuple>
#include <string>
#include <vector>

#include "cx/foundation/cxControls.h"
#include "cx/foundation/tests/cxControlsTestUtil.h"

namespace {

// A control with content of a given size, scrolled by its embedded bars.
class TTestControl : public TcxControl {
 public:
  explicit TTestControl(TComponent* AOwner) : TcxControl(AOwner) {}
  int ContentWidth = 0, ContentHeight = 0;
  bool PixelBars = false;
  bool AllowHide = true;
  // A test's own calculation replaces the content-size one.
  std::function<void(TTestControl*)> Calc;
  std::vector<std::pair<TScrollBarKind, TScrollCode>> Scrolls;
  std::vector<POINT> MouseDowns;
  std::function<bool(POINT)> StartDrag;

  using TcxControl::SetScrollBarInfo;
  void InitScrollBarsParameters() override {
    ++CalcCount;
    if (Calc) return Calc(this);
    const RECT r = GetClientBounds();
    SetScrollBarInfo(sbHorizontal, 0, ContentWidth - 1, 1, r.right - r.left, 0, true, AllowHide);
    SetScrollBarInfo(sbVertical, 0, ContentHeight - 1, 1, r.bottom - r.top, 0, true, AllowHide);
  }
  bool IsPixelScrollBar(TScrollBarKind) override { return PixelBars; }
  void Scroll(TScrollBarKind AKind, TScrollCode ACode, int&) override { Scrolls.push_back({AKind, ACode}); }
  void AfterMouseDown(TMouseButton AButton, int X, int Y) override {
    MouseDowns.push_back({X, Y});
    TcxControl::AfterMouseDown(AButton, X, Y);
  }
  bool StartDragAndDrop(POINT P) override { return StartDrag && StartDrag(P); }
  // A descendant that frees itself at the end of its mouse-down handling (a closing drop-down).
  bool* FreeAfterMouseDown = nullptr;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override {
    TcxControl::MouseDown(Button, Shift, X, Y);
    if (FreeAfterMouseDown) {
      *FreeAfterMouseDown = true;
      delete this;
    }
  }
  // A hand over the right half.
  bool HandOnTheRight = false;
  TCursor GetCursor(int X, int Y) override {
    return HandOnTheRight && X >= Width() / 2 ? crHandPoint : TcxControl::GetCursor(X, Y);
  }
  void BoundsChanged() override {
    if (OnBoundsChanged) OnBoundsChanged(this);
    TcxControl::BoundsChanged();
  }
  std::function<void(TTestControl*)> OnBoundsChanged;
  int CalcCount = 0;
};

// A drag object that logs what the control drives it through.
class TLoggingDragObject : public TcxDragAndDropObject {
 public:
  TLoggingDragObject(TcxControl* AControl, std::vector<std::string>* ALog, bool AImmediate)
      : TcxDragAndDropObject(AControl), log_(ALog), immediate_(AImmediate) {}
  bool GetImmediateStart() override { return immediate_; }
  void BeginDragAndDrop() override {
    log_->push_back("begin");
    TcxDragAndDropObject::BeginDragAndDrop();
  }
  void DragAndDrop(POINT P, bool& Accepted) override {
    log_->push_back("move " + std::to_string(P.x));
    Accepted = true;
    TcxDragAndDropObject::DragAndDrop(P, Accepted);
  }
  void EndDragAndDrop(bool Accepted) override {
    log_->push_back(Accepted ? "end accepted" : "end refused");
    TcxDragAndDropObject::EndDragAndDrop(Accepted);
  }

 private:
  std::vector<std::string>* log_;
  bool immediate_;
};

class CxControlTest : public CxControlsTest {
 protected:
  TTestControl* MakeControl(int W = 200, int H = 100) {
    form_ = MakeForm();
    auto* c = new TTestControl(form_);
    c->SetParent(form_);
    c->SetBounds(10, 10, W, H);
    form_->Show();
    Pump();
    return c;
  }
  TForm* form_ = nullptr;
};

struct BarsCase {
  TScrollStyle style;
  int contentW, contentH;
  bool allowHide;
  bool hVisible, vVisible, hEnabled, vEnabled;
};

TEST_F(CxControlTest, ScrollBarsFollowTheContentAndTheScrollStyle) {
  // Client 200 x 100; the bars are 16 thick.
  const BarsCase cases[] = {
      {ssBoth, 100, 50, true, false, false, true, true},      // fits
      {ssBoth, 200, 100, true, false, false, true, true},     // page equal to the range: not needed
      {ssBoth, 400, 50, true, true, false, true, true},       // wide only
      {ssBoth, 100, 300, true, false, true, true, true},      // tall only
      {ssBoth, 190, 95, true, false, false, true, true},
      {ssBoth, 195, 300, true, true, true, true, true},       // the vertical bar leaves 184 for 195
      {ssNone, 400, 300, true, false, false, true, true},     // never shown
      {ssHorizontal, 400, 300, true, true, false, true, true},
      {ssVertical, 400, 300, true, false, true, true, true},
  };
  for (const BarsCase& c : cases) {
    TTestControl* control = MakeControl();
    control->SetScrollBars(c.style);
    control->ContentWidth = c.contentW;
    control->ContentHeight = c.contentH;
    control->AllowHide = c.allowHide;
    control->UpdateScrollBars();
    SCOPED_TRACE(testing::Message() << c.style << " " << c.contentW << "x" << c.contentH);
    EXPECT_EQ(control->HScrollBar()->Visible(), c.hVisible);
    EXPECT_EQ(control->VScrollBar()->Visible(), c.vVisible);
    EXPECT_EQ(control->SizeGrip()->Visible(), c.hVisible && c.vVisible);
    if (c.vVisible) {
      EXPECT_EQ(control->VScrollBar()->BoundsRect(), (RECT{184, 0, 200, c.hVisible ? 84 : 100}));
      EXPECT_EQ(control->VScrollBar()->Max(), c.contentH - 1);
      EXPECT_EQ(control->VScrollBar()->PageSize(), c.hVisible ? 84 : 100);
    }
    if (c.hVisible && c.vVisible) {
      EXPECT_EQ(control->SizeGrip()->BoundsRect(), (RECT{184, 84, 200, 100}));
    }
    const RECT client = control->GetClientBounds();
    EXPECT_EQ(client.right, c.vVisible ? 184 : 200);
    EXPECT_EQ(client.bottom, c.hVisible ? 84 : 100);
    Forget(form_);
    delete form_;
  }
}

TEST_F(CxControlTest, APageBeyondSixteenBitsStillPagesForward) {
  TTestControl* control = MakeControl();
  control->Calc = [](TTestControl* c) {
    c->SetScrollBarInfo(sbVertical, 0, 999999, 1, 40000, 0, true, true);
  };
  control->UpdateScrollBars();
  ASSERT_TRUE(control->VScrollBar()->Visible());
  EXPECT_EQ(control->VScrollBar()->LargeChange(), 32767);
  control->VScrollBar()->Scroll(scPageDown);
  EXPECT_EQ(control->VScrollBar()->Position(), 32767);
}

TEST_F(CxControlTest, TheCursorFollowsThePointAndTheUsersDefaultStays) {
  TTestControl* control = MakeControl();
  control->HandOnTheRight = true;
  control->SetCursor(crIBeam);
  MoveTo(control, 150, 20);
  EXPECT_EQ(control->Cursor(), crHandPoint);
  MoveTo(control, 20, 20);
  EXPECT_EQ(control->Cursor(), crIBeam);
}

TEST_F(CxControlTest, ABarThatMayNotHideIsDisabledInstead) {
  TTestControl* control = MakeControl();
  control->ContentWidth = 400;
  control->UpdateScrollBars();
  ASSERT_TRUE(control->HScrollBar()->Visible());
  control->Calc = [](TTestControl* c) {
    c->SetScrollBarInfo(sbHorizontal, 0, 99, 1, 200, 0, true, true);
    c->SetScrollBarInfo(sbVertical, 0, 99, 1, 200, 0, true, false);
  };
  control->UpdateScrollBars();
  EXPECT_FALSE(control->HScrollBar()->Visible());
  EXPECT_FALSE(control->VScrollBar()->Enabled());
}

TEST_F(CxControlTest, PixelBarsNeededOnlyForEachOthersRoomBothDisappear) {
  TTestControl* control = MakeControl();
  // 190 x 90 fits the client (200 x 100) but not what is left beside the other bar.
  control->ContentWidth = 190;
  control->ContentHeight = 90;
  control->Calc = [](TTestControl* c) {
    c->SetScrollBarInfo(sbHorizontal, 0, 189, 1, 184, 0, true, true);
    c->SetScrollBarInfo(sbVertical, 0, 89, 1, 84, 0, true, true);
  };
  control->PixelBars = false;
  control->UpdateScrollBars();
  EXPECT_TRUE(control->HScrollBar()->Visible());
  EXPECT_TRUE(control->VScrollBar()->Visible());

  control->PixelBars = true;
  control->UpdateScrollBars();
  EXPECT_FALSE(control->HScrollBar()->Visible());
  EXPECT_FALSE(control->VScrollBar()->Visible());
}

TEST_F(CxControlTest, AFlippingBarStaysShownDisabledInsteadOfLooping) {
  TTestControl* control = MakeControl(110, 100);
  // Text laid out again on every bounds change: it needs the vertical bar only while laid out at
  // least 100 wide, and the bar itself makes the client narrower.
  int layoutWidth = 110;
  control->OnBoundsChanged = [&](TTestControl* c) {
    const RECT r = c->GetClientBounds();
    layoutWidth = r.right - r.left;
  };
  control->Calc = [&](TTestControl* c) {
    const int height = layoutWidth >= 100 ? 300 : 50;
    c->SetScrollBarInfo(sbVertical, 0, height - 1, 1, 100, 0, true, true);
  };
  control->UpdateScrollBars();
  EXPECT_TRUE(control->VScrollBar()->Visible());
  EXPECT_FALSE(control->VScrollBar()->Enabled());
  EXPECT_LT(control->CalcCount, 20);
}

TEST_F(CxControlTest, WantedKeysAnswerTheDialogCodeSum) {
  TTestControl* control = MakeControl();
  const std::pair<TcxWantedKeys, LRESULT> cases[] = {{{}, 0},
                                               {{wkArrows, wkTab}, 3},
                                               {{wkAll}, 4},
                                               {{wkChars}, 128},
                                               {{wkAll, wkArrows, wkChars, wkTab}, 135}};
  for (auto [keys, code] : cases) {
    control->SetKeys(keys);
    EXPECT_EQ(SendMessage(control->Handle(), WM_GETDLGCODE, 0, 0), code);
  }
}

TEST_F(CxControlTest, AWheelNotchScrollsScrollLinesLinesOnlyWithTheVerticalBar) {
  TTestControl* control = MakeControl();
  SystemParametersInfo(SPI_SETWHEELSCROLLLINES, 3, nullptr, 0);
  control->ContentWidth = 400;
  control->UpdateScrollBars();
  SimulateWheel(-120, At(control, 50, 50));
  Pump();
  EXPECT_TRUE(control->Scrolls.empty()) << "only the horizontal bar: the base does not scroll";

  control->ContentHeight = 400;
  control->UpdateScrollBars();
  SimulateWheel(-120, At(control, 50, 50));
  Pump();
  SimulateWheel(120, At(control, 50, 50));
  Pump();
  const std::vector<std::pair<TScrollBarKind, TScrollCode>> expected{
      {sbVertical, scLineDown}, {sbVertical, scLineDown}, {sbVertical, scLineDown},
      {sbVertical, scLineUp},   {sbVertical, scLineUp},   {sbVertical, scLineUp}};
  EXPECT_EQ(control->Scrolls, expected);
}

TEST_F(CxControlTest, AfterMouseDownGetsTrueCoordinatesOnControlsWiderThan32768) {
  TTestControl* control = MakeControl();
  control->SetBounds(-34000, 10, 40000, 100);
  Click(control, 34200, 20);
  ASSERT_EQ(control->MouseDowns.size(), 1u);
  EXPECT_EQ(control->MouseDowns[0].x, 34200);
  EXPECT_EQ(control->MouseDowns[0].y, 20);
}

TEST_F(CxControlTest, AControlFreedWhileHandlingAClickSkipsTheAfterMouseDownStep) {
  TTestControl* control = MakeControl();
  bool freed = false;
  control->FreeAfterMouseDown = &freed;
  Click(control, 20, 20);
  EXPECT_TRUE(freed);  // and no use of the freed control afterwards (checked by the sanitizer)
}

TEST_F(CxControlTest, ClickFocusesTheControlAndBothSidesReportTheFocusChange) {
  TTestControl* first = MakeControl();
  auto* second = new TTestControl(form_);
  second->SetParent(form_);
  second->SetBounds(10, 150, 100, 50);
  Pump();
  ASSERT_TRUE(first->Focused());
  int firstChanges = 0, secondChanges = 0;
  first->OnFocusChanged = [&](TObject*) { ++firstChanges; };
  second->OnFocusChanged = [&](TObject*) { ++secondChanges; };
  Click(second, 20, 20);
  EXPECT_TRUE(second->Focused());
  EXPECT_EQ(firstChanges, 1);
  EXPECT_EQ(secondChanges, 1);
  first->OnFocusChanged = second->OnFocusChanged = nullptr;
}

// --- In-control drag and drop ---

TEST_F(CxControlTest, InControlDragAndDropStartsPastTheThresholdAndEndsAcceptedOnRelease) {
  TTestControl* control = MakeControl();
  std::vector<std::string> log;
  control->StartDrag = [](POINT) { return true; };
  control->SetDragAndDropObjectClass([&](TcxControl* c) { return new TLoggingDragObject(c, &log, false); });

  Down(control, 20, 20);
  EXPECT_EQ(control->DragAndDropState(), dndPending);
  MoveTo(control, 22, 22);  // within the threshold of 5
  EXPECT_EQ(control->DragAndDropState(), dndPending);
  MoveTo(control, 40, 20);
  EXPECT_EQ(control->DragAndDropState(), dndDragging);
  EXPECT_EQ(Screen->Cursor(), crDrag);
  MoveTo(control, 60, 20);
  Up(control, 60, 20);
  EXPECT_EQ(control->DragAndDropState(), dndNone);
  EXPECT_EQ(Screen->Cursor(), crDefault);
  // The move that leaves the threshold both begins the drag and drags.
  ASSERT_GE(log.size(), 4u);
  EXPECT_EQ(std::vector<std::string>(log.begin(), log.begin() + 3),
            (std::vector<std::string>{"begin", "move 40", "move 60"}));
  EXPECT_EQ(log.back(), "end accepted");
}

TEST_F(CxControlTest, EscapeEndsADragAndDropRefusedAndReleasingInsideTheThresholdIsAClick) {
  TTestControl* control = MakeControl();
  std::vector<std::string> log;
  control->StartDrag = [](POINT) { return true; };
  control->SetDragAndDropObjectClass([&](TcxControl* c) { return new TLoggingDragObject(c, &log, false); });

  Down(control, 20, 20);
  MoveTo(control, 40, 20);
  Key(VK_ESCAPE);
  EXPECT_EQ(control->DragAndDropState(), dndNone);
  EXPECT_EQ(Screen->Cursor(), crDefault);
  Up(control, 40, 20);
  EXPECT_EQ(log, (std::vector<std::string>{"begin", "move 40", "end refused"}));

  log.clear();
  Click(control, 20, 20);
  EXPECT_TRUE(log.empty()) << "no drag and drop without leaving the threshold";
  EXPECT_EQ(control->DragAndDropState(), dndNone);

  // Double click and other buttons never start one; an immediate object begins at mouse-down.
  control->SetDragAndDropObjectClass([&](TcxControl* c) { return new TLoggingDragObject(c, &log, true); });
  Click(control, 20, 20, TSimButton::Right);
  EXPECT_TRUE(log.empty());
  Down(control, 20, 20);
  EXPECT_EQ(control->DragAndDropState(), dndDragging);
  Up(control, 20, 20);
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log.front(), "begin");
  EXPECT_EQ(log.back(), "end accepted");
}

// --- Drag detection ---

// The loop reads what reaches the window after the button went down (the cursor stays where the
// button went down, as it is when the detection starts).
struct DetectCase {
  const char* name;
  std::vector<std::tuple<UINT, WPARAM, POINT>> messages;
  TcxDragDetectResult result;
};

TEST_F(CxControlTest, DragDetectReportsClickDragOrCancel) {
  TTestControl* control = MakeControl();
  Mouse->SetDragThreshold(5);
  const POINT p{50, 50};
  const DetectCase cases[] = {
      {"release", {{WM_LBUTTONUP, 0, p}}, ddrClick},
      {"small move then release", {{WM_MOUSEMOVE, MK_LBUTTON, {54, 46}}, {WM_LBUTTONUP, 0, {54, 46}}}, ddrClick},
      {"right button released", {{WM_RBUTTONUP, 0, p}}, ddrClick},
      {"leave the square", {{WM_MOUSEMOVE, MK_LBUTTON, {55, 50}}}, ddrDrag},
      {"leave upwards", {{WM_MOUSEMOVE, MK_LBUTTON, {50, 44}}}, ddrDrag},
      {"escape", {{WM_KEYDOWN, VK_ESCAPE, {}}}, ddrCancel},
  };
  for (const DetectCase& c : cases) {
    clock_->Advance(1000);
    SimulateMouseDown(TSimButton::Left, At(control, p.x, p.y));
    Pump();
    for (auto [msg, wParam, at] : c.messages)
      PostMessage(control->Handle(), msg, wParam, MAKELPARAM(at.x, at.y));
    EXPECT_EQ(cxDragDetect(control->Handle()), c.result) << c.name;
    EXPECT_NE(GetCapture(), control->Handle()) << c.name;
    SimulateMouseUp(TSimButton::Left, At(control, p.x, p.y));
    Pump();
  }
}

// The whole gesture is queued before the press is read, as a quick user or a script produces it:
// the cursor is already at the gesture's end when the detection starts.
TEST_F(CxControlTest, DragDetectMeasuresFromThePressPoint) {
  TTestControl* control = MakeControl();
  control->SetDragMode(dmAutomatic);
  Mouse->SetDragThreshold(5);
  int starts = 0;
  control->OnStartDrag = [&](TObject*, TDragObject*&) { ++starts; };
  struct Gesture {
    const char* name;
    std::vector<POINT> moves;  // then released at the last point
    int starts;
  };
  const Gesture gestures[] = {
      {"carried beyond the threshold", {{70, 50}}, 1},
      {"jiggled inside the square", {{53, 52}, {48, 47}}, 0},
      {"released where the cursor is", {{50, 50}}, 0},
  };
  for (const Gesture& g : gestures) {
    starts = 0;
    clock_->Advance(1000);
    SimulateMouseDown(TSimButton::Left, At(control, 50, 50));
    for (POINT m : g.moves) SimulateMouseMove(At(control, m.x, m.y));
    SimulateMouseUp(TSimButton::Left, At(control, g.moves.back().x, g.moves.back().y));
    Pump();
    EXPECT_EQ(starts, g.starts) << g.name;
    EXPECT_FALSE(control->Dragging()) << g.name;
    EXPECT_NE(GetCapture(), control->Handle()) << g.name;
  }
}

// Each of these would leave the loop waiting for input that never comes.
TEST_F(CxControlTest, DragDetectEndsWithoutWaitingWhenNothingCanEndItLater) {
  TTestControl* control = MakeControl();
  Mouse->SetDragThreshold(5);
  const POINT p{50, 50};
  struct Ending {
    const char* name;
    std::function<void()> before;
    TcxDragDetectResult result;
  };
  const Ending endings[] = {
      {"the release was taken before", [] {}, ddrClick},
      {"capture lost",
       [&] {
         SimulateMouseDown(TSimButton::Left, At(control, p.x, p.y));
         Pump();
         PostMessage(control->Handle(), WM_CANCELMODE, 0, 0);
       },
       ddrCancel},
  };
  for (const Ending& e : endings) {
    e.before();
    EXPECT_EQ(cxDragDetect(control->Handle()), e.result) << e.name;
    EXPECT_NE(GetCapture(), control->Handle()) << e.name;
    if (GetCapture()) ReleaseCapture();
    SimulateMouseUp(TSimButton::Left, At(control, p.x, p.y));
    Pump();
  }

  SimulateMouseDown(TSimButton::Left, At(control, p.x, p.y));
  Pump();
  PostQuitMessage(3);
  EXPECT_EQ(cxDragDetect(control->Handle()), ddrCancel) << "the application quits";
  MSG quit;
  ASSERT_TRUE(PeekMessage(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the quit is posted again";
  EXPECT_EQ(quit.wParam, 3u);
  SimulateMouseUp(TSimButton::Left, At(control, p.x, p.y));
  Pump();
}

}  // namespace
