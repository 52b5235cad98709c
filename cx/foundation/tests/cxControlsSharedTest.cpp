#include <string>
#include <vector>

#include "cx/foundation/cxControls.h"
#include "cx/foundation/cxPanning.h"
#include "cx/foundation/tests/cxControlsTestUtil.h"

namespace {

class TScrollLog : public TcxControl {
 public:
  explicit TScrollLog(TComponent* AOwner) : TcxControl(AOwner) {}
  int ContentHeight = 1000, ContentWidth = 0;
  std::vector<std::pair<TScrollBarKind, TScrollCode>> Scrolls;
  int MetricsMessages = 0;

  void InitScrollBarsParameters() override {
    const RECT r = GetClientBounds();
    SetScrollBarInfo(sbHorizontal, 0, ContentWidth - 1, 1, r.right - r.left, 0, true, true);
    SetScrollBarInfo(sbVertical, 0, ContentHeight - 1, 1, r.bottom - r.top, 0, true, true);
  }
  void Scroll(TScrollBarKind AKind, TScrollCode ACode, int&) override { Scrolls.push_back({AKind, ACode}); }

 protected:
  void WndProc(TMessage& Message) override {
    if (Message.Msg == DXM_NCSIZECHANGED) ++MetricsMessages;
    TcxControl::WndProc(Message);
  }
};

class CxSharedTest : public CxControlsTest {
 protected:
  TScrollLog* MakeControl() {
    form_ = MakeForm();
    auto* c = new TScrollLog(form_);
    c->SetParent(form_);
    c->SetBounds(10, 10, 200, 150);
    form_->Show();
    Pump();
    c->UpdateScrollBars();
    return c;
  }
  TForm* form_ = nullptr;
};

// --- Panning ---

struct PanCase {
  POINT p;
  bool horizontal, vertical;
  TcxScrollStepDirection direction;
  int speed;
};

TEST(CxPanningStep, DirectionAndSpeedFollowTheDistanceFromTheStart) {
  const POINT s{500, 500};
  const PanCase cases[] = {
      {{500, 440}, true, true, sdUp, 10},       // 60 up: (60 - 14) div 5 + 1
      {{510, 510}, true, true, sdNone, 0},      // inside the 29-pixel neutral square
      {{515, 500}, true, true, sdRight, 1},     // its right edge is outside
      {{700, 500}, false, true, sdNone, 0},     // no horizontal bar: the zone spans the width
      {{700, 520}, false, true, sdDown, 2},     // and only the vertical distance counts
      {{600, 500}, true, false, sdRight, 12},   // (100 - 14) div 5 + 1 = 18, at most 12
      {{530, 480}, true, true, sdRight, 4},     // |dx| > |dy|
      {{520, 520}, true, true, sdDown, 2},      // equal: vertical wins
      {{400, 510}, true, false, sdLeft, 12},
  };
  for (const PanCase& c : cases) {
    const TcxPanningStep step = cxPanningStep(s, c.p, cxPanningMarkerSize, c.horizontal, c.vertical);
    EXPECT_EQ(step.Direction, c.direction) << c.p.x << "," << c.p.y;
    EXPECT_EQ(step.Speed, c.speed) << c.p.x << "," << c.p.y;
  }
}

TEST_F(CxSharedTest, MiddleButtonPanningScrollsEveryThirdTickSixtyPixelsUpAndARightClickEndsIt) {
  TScrollLog* control = MakeControl();
  ASSERT_TRUE(control->VScrollBar()->Visible());
  ASSERT_FALSE(control->HScrollBar()->Visible());
  auto* other = new TScrollLog(form_);
  other->SetParent(form_);
  other->SetBounds(250, 10, 100, 100);
  bool otherClicked = false;
  other->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { otherClicked = true; };
  Pump();

  const POINT start = At(control, 100, 100);
  HCURSOR during = nullptr;
  size_t scrollsAtEnd = 0;
  // Panning begins within the first few looks at the queue; the script starts after that.
  ScriptModalLoop({
      {50, [&] { SimulateMouseUp(TSimButton::Middle, start); }},  // a middle click alone keeps panning
      {60, [&] { SimulateMouseMove({start.x + 40, start.y - 60}); }},
      {350, [&] { during = GetCursor(); }},
      {660, [&] {
         scrollsAtEnd = control->Scrolls.size();
         SimulateMouseDown(TSimButton::Right, At(other, 20, 20));
       }},
  });
  SimulateMouseDown(TSimButton::Middle, start);
  Pump();  // returns once panning has ended
  EndScript();
  SimulateMouseUp(TSimButton::Right, At(other, 20, 20));
  Pump();

  EXPECT_EQ(during, Screen->Cursors(crcxUpScroll));
  // 600 ms of 20 ms ticks at speed 10: one line every third tick.
  EXPECT_NEAR(static_cast<double>(scrollsAtEnd), 10.0, 1.0);
  for (auto [kind, code] : control->Scrolls) {
    EXPECT_EQ(kind, sbVertical);
    EXPECT_EQ(code, scLineUp);
  }
  EXPECT_FALSE(otherClicked) << "the click that ends panning goes nowhere";
  EXPECT_EQ(GetCapture(), nullptr);
}

// --- Settings controller ---

TEST_F(CxSharedTest, OnlyANonClientMetricsChangeReachesTheControls) {
  TScrollLog* control = MakeControl();
  TcxSettingsController* settings = cxSettingsController();
  const int count = settings->Count();
  settings->AddControl(control);
  EXPECT_EQ(settings->Count(), count) << "listed once";
  ASSERT_NE(settings->Window(), nullptr);

  const int before = control->MetricsMessages;
  SendMessage(settings->Window(), WM_SETTINGCHANGE, SPI_SETWORKAREA, 0);
  Pump();
  EXPECT_EQ(control->MetricsMessages, before);
  SendMessage(settings->Window(), WM_SETTINGCHANGE, SPI_SETNONCLIENTMETRICS, 0);
  Pump();
  EXPECT_EQ(control->MetricsMessages, before + 1);
}

TEST_F(CxSharedTest, TheHiddenWindowLivesWhileAControlIsListed) {
  TcxSettingsController* settings = cxSettingsController();
  ASSERT_EQ(settings->Count(), 0);
  EXPECT_EQ(settings->Window(), nullptr);
  auto* control = new TScrollLog(nullptr);
  EXPECT_EQ(settings->Count(), 1);
  const HWND first = settings->Window();
  EXPECT_NE(first, nullptr);
  delete control;
  EXPECT_EQ(settings->Window(), nullptr);
  control = new TScrollLog(nullptr);
  EXPECT_NE(settings->Window(), nullptr);
  delete control;
}

// --- Mouse tracking ---

class TLeaveLog : public IcxMouseTrackingCaller {
 public:
  int Leaves = 0;
  void MouseLeave() override { ++Leaves; }
};

TEST_F(CxSharedTest, TrackingReportsTheCursorLeavingOnceAndTheRightAndBottomEdgesAreOutside) {
  TScrollLog* control = MakeControl();
  for (POINT outside : {POINT{50, 10}, POINT{10, 50}, POINT{-1, 10}}) {
    TLeaveLog caller;
    SetCursorPos(At(control, 10, 10).x, At(control, 10, 10).y);
    cxBeginMouseTracking(control, {0, 0, 50, 50}, &caller);
    cxBeginMouseTracking(control, {0, 0, 150, 150}, &caller);  // the first bounds stay
    EXPECT_EQ(cxFindMouseTrackingTimer(&caller)->Bounds().right, At(control, 50, 0).x);
    Advance(50);
    EXPECT_EQ(caller.Leaves, 0);
    SetCursorPos(At(control, outside.x, outside.y).x, At(control, outside.x, outside.y).y);
    Advance(10);
    EXPECT_EQ(caller.Leaves, 1) << outside.x << "," << outside.y;
    EXPECT_FALSE(cxIsMouseTracking(&caller));
    Advance(50);
    EXPECT_EQ(caller.Leaves, 1);
  }
  EXPECT_EQ(cxMouseTrackingTimerCount(), 0);
}

TEST_F(CxSharedTest, StoppingTrackingFromTheLeaveNotificationIsSafe) {
  TScrollLog* control = MakeControl();
  struct TSelfStopping : IcxMouseTrackingCaller {
    int Leaves = 0;
    void MouseLeave() override {
      ++Leaves;
      cxStopMouseTracking(this);
    }
  } caller;
  SetCursorPos(At(control, 10, 10).x, At(control, 10, 10).y);
  cxBeginMouseTracking(control, {0, 0, 50, 50}, &caller);
  SetCursorPos(At(control, 100, 10).x, At(control, 100, 10).y);
  Advance(20);
  EXPECT_EQ(caller.Leaves, 1);
  EXPECT_FALSE(cxIsMouseTracking(&caller));
}

// --- Shared functions ---

TEST(CxSharedFunctions, DragThresholdAndSmallHelpers) {
  Mouse->SetDragThreshold(5);
  const POINT ref{100, 100};
  EXPECT_TRUE(cxIsWithinDragThreshold(ref, 104, 96));
  EXPECT_FALSE(cxIsWithinDragThreshold(ref, 105, 100));
  EXPECT_FALSE(cxIsWithinDragThreshold(ref, 100, 95));

  EXPECT_EQ(cxTruncToShort(0x12345), 0x2345);
  EXPECT_EQ(cxTruncToShort(0x18000), -32768);
  RECT r{10, 10, 100, 100};
  cxDeflateRectByMargins(r, {1, 2, -3, 4});
  EXPECT_EQ(r, (RECT{11, 12, 103, 96}));
}

}  // namespace

namespace {

// Kept as the module has it: a caller that failed to stop its tracking makes the shut-down fail.
TEST(CxControlsModule, ASurvivingTrackingTimerFailsTheShutDown) {
  struct TForgetful : IcxMouseTrackingCaller {
    void MouseLeave() override {}
  } caller;
  cxBeginMouseTracking(nullptr, {0, 0, 10, 10}, &caller);
  try {
    cxControlsFinalize();
    ADD_FAILURE() << "no exception";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), String(u"MouseTrackingTimerList.Count <> 0"));
  }
  EXPECT_EQ(cxMouseTrackingTimerCount(), 0) << "the list is freed all the same";
  cxControlsInitialize();  // the cursors again, for what follows
}

}  // namespace
