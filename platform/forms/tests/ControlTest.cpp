// TControl: message-handler tables and WindowProc replacement, parent colour and font, mouse
// events of controls without a window, mouse enter and leave.
#include "platform/forms/tests/FormsTestSupport.h"

namespace {
// A control with its own handlers: one that stops a message, one that passes it on.
class TLoggingShape : public TTestShape {
  TRENVIK_CLASS(TLoggingShape, TTestShape);
  TRENVIK_MESSAGES(TLoggingShape);

 public:
  explicit TLoggingShape(TComponent* AOwner) : TTestShape(AOwner) {}

 private:
  void CMColorChanged(TMessage&) { Note("own colour handler"); }
  void CMParentColorChanged(TMessage& Message) {
    Note("before inherited");
    inherited::Dispatch(Message);  // the framework's inherited handler
    Note("after inherited: " + std::to_string(Color()));
  }
  void CMMouseEnter(TMessage& Message) {
    Note("enter " + ::Name(this));
    inherited::Dispatch(Message);
  }
  void CMMouseLeave(TMessage& Message) {
    Note("leave " + ::Name(this));
    inherited::Dispatch(Message);
  }
};
}  // namespace

TRENVIK_IMPLEMENT_CLASS(TLoggingShape)
TRENVIK_MESSAGE_MAP(TLoggingShape) {
  M.On(CM_COLORCHANGED, &TLoggingShape::CMColorChanged);
  M.On(CM_PARENTCOLORCHANGED, &TLoggingShape::CMParentColorChanged);
  M.On(CM_MOUSEENTER, &TLoggingShape::CMMouseEnter);
  M.On(CM_MOUSELEAVE, &TLoggingShape::CMMouseLeave);
}

using ControlTest = FormsTest;

TEST_F(ControlTest, HandlerTablesAndInheritedAndWindowProcReplacement) {
  auto* f = MakeForm();
  auto* shape = Add<TLoggingShape>(f, "Shape", 10, 10, 40, 20);
  EventLog().clear();
  f->SetColor(clRed);  // the form tells its children
  EXPECT_EQ(EventLog(), (std::vector<std::string>{"before inherited", "own colour handler",
                                                  "after inherited: " + std::to_string(clRed)}));
  // A replaced WindowProc sees messages first and hands on what it does not take.
  TWndMethod old = shape->WindowProc;
  int seen = 0;
  shape->WindowProc = [&](TMessage& m) {
    if (m.Msg == CM_COLORCHANGED) {
      ++seen;
      return;  // swallowed
    }
    old(m);
  };
  EventLog().clear();
  shape->SetColor(clBlue);
  EXPECT_EQ(seen, 1);
  EXPECT_TRUE(EventLog().empty());
  EXPECT_EQ(shape->Perform(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(u"abc")), 1);
  EXPECT_EQ(shape->Caption(), u"abc");
  shape->WindowProc = old;
}

TEST_F(ControlTest, ColourAndFontFollowTheParentUntilSetOwn) {
  auto* f = MakeForm();
  auto* panel = Add<TTestPanel>(f, "Panel", 0, 0, 200, 100);
  auto* box = Add<TTestBox>(panel, "Box", 10, 10, 50, 20);
  EXPECT_EQ(box->Color(), f->Color());
  f->Font()->SetName(u"Arial");
  f->Font()->SetStyle({fsBold});
  EXPECT_EQ(box->Font()->Name(), u"Arial");
  EXPECT_TRUE(box->Font()->Style().Contains(fsBold));
  EXPECT_TRUE(box->ParentFont());
  box->Font()->SetColor(clBlue);  // its own font from now on
  EXPECT_FALSE(box->ParentFont());
  f->Font()->SetName(u"Tahoma");
  EXPECT_EQ(box->Font()->Name(), u"Arial");
  EXPECT_EQ(panel->Font()->Name(), u"Tahoma");
  panel->SetColor(clYellow);
  EXPECT_EQ(box->Color(), clYellow);
  EXPECT_FALSE(panel->ParentColor());
  box->SetParentFont(true);  // back to the parent's
  EXPECT_EQ(box->Font()->Name(), u"Tahoma");
  // ShowHint the same way.
  f->SetShowHint(true);
  EXPECT_TRUE(box->ShowHint());
}

// Every change of the form's font, whole or through its font object, reaches the controls that take
// their parent's font, however deep.
TEST_F(ControlTest, EachFontChangeOfTheFormReachesParentFontChildren) {
  auto* f = MakeForm();
  auto* panel = Add<TTestPanel>(f, "Panel", 0, 0, 200, 100);
  auto* box = Add<TTestBox>(panel, "Box", 10, 10, 50, 20);
  for (const char16_t* name : {u"Arial", u"Tahoma", u"Verdana"}) {
    TFont font;
    font.SetName(name);
    font.SetSize(11);
    f->SetFont(&font);
    EXPECT_EQ(panel->Font()->Name(), name);
    EXPECT_EQ(box->Font()->Name(), name);
    EXPECT_EQ(box->Font()->Size(), 11);
    EXPECT_TRUE(box->ParentFont());
  }
}

TEST_F(ControlTest, AControlWithoutWindowGetsItsMouseEventsThroughTheParent) {
  auto* f = MakeForm();
  auto* panel = Add<TTestPanel>(f, "Panel", 20, 20, 200, 100);
  auto* shape = Add<TLoggingShape>(panel, "Shape", 30, 10, 40, 20);
  std::vector<std::string> events;
  shape->OnMouseDown = [&](TObject*, TMouseButton b, TShiftState s, int x, int y) {
    events.push_back("down " + std::to_string(b) + " " + std::to_string(x) + "," + std::to_string(y) +
                     (s.Contains(ssLeft) ? " left" : ""));
  };
  shape->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int x, int y) {
    events.push_back("up " + std::to_string(x) + "," + std::to_string(y));
  };
  shape->OnClick = [&](TObject*) { events.push_back("click"); };
  shape->OnDblClick = [&](TObject*) { events.push_back("dblclick"); };
  panel->OnClick = [&](TObject*) { events.push_back("panel click"); };
  f->Show();
  Pump();
  SimulateMouseDown(TSimButton::Left, At(shape, 5, 6));
  Pump();
  EXPECT_TRUE(shape->MouseCapture());
  // Released outside: no click, the mouse stayed captured for the shape.
  SimulateMouseMove(At(shape, 100, 60));
  SimulateMouseUp(TSimButton::Left, At(shape, 100, 60));
  Pump();
  EXPECT_FALSE(shape->MouseCapture());
  EXPECT_EQ(events, (std::vector<std::string>{"down 0 5,6 left", "up 100,60"}));
  events.clear();
  clock_->Advance(1000);
  SimulateClick(TSimButton::Left, At(shape, 1, 1));
  SimulateClick(TSimButton::Left, At(shape, 1, 1));
  Pump();
  // Click comes before OnMouseUp; the second press is a double click, which is no click.
  EXPECT_EQ(events, (std::vector<std::string>{"down 0 1,1 left", "click", "up 1,1", "dblclick",
                                              "down 0 1,1 left", "up 1,1"}));
  // A disabled graphic control lets the parent have the mouse.
  events.clear();
  clock_->Advance(1000);
  shape->SetEnabled(false);
  Click(shape, 2, 2);
  EXPECT_EQ(events, (std::vector<std::string>{"panel click"}));
}

TEST_F(ControlTest, MouseEnterAndLeaveComeFromTheApplicationsIdle) {
  auto* f = MakeForm();
  auto* a = Add<TLoggingShape>(f, "A", 10, 10, 40, 20);
  auto* b = Add<TLoggingShape>(f, "B", 100, 10, 40, 20);
  f->Show();
  Pump();
  EventLog().clear();
  SetCursorPos(At(a, 5, 5).x, At(a, 5, 5).y);
  Application->DoMouseIdle();
  SetCursorPos(At(b, 5, 5).x, At(b, 5, 5).y);
  Application->DoMouseIdle();
  Application->DoMouseIdle();  // no change: nothing sent
  EXPECT_EQ(EventLog(), (std::vector<std::string>{"enter A", "leave A", "enter B"}));
}

TEST_F(ControlTest, TheWheelGoesToOnMouseWheelThenToTheDirectionEvents) {
  auto* f = MakeForm();
  auto* box = Add<TTestBox>(f, "Box", 10, 10, 100, 40);
  std::vector<std::string> got;
  bool handleFirst = true;
  box->OnMouseWheel = [&](TObject*, TShiftState, int delta, POINT pos, bool& handled) {
    POINT local = box->ScreenToClient(pos);
    got.push_back("wheel " + std::to_string(delta) + " at " + std::to_string(local.x) + "," +
                  std::to_string(local.y));
    handled = handleFirst;
  };
  box->OnMouseWheelDown = [&](TObject*, TShiftState, POINT, bool& handled) {
    got.push_back("down");
    handled = true;
  };
  f->Show();
  Pump();
  box->SetFocus();
  SimulateWheel(-WHEEL_DELTA, At(box, 5, 6));
  Pump();
  handleFirst = false;
  SimulateWheel(-WHEEL_DELTA, At(box, 5, 6));
  Pump();
  EXPECT_EQ(got, (std::vector<std::string>{"wheel -120 at 5,6", "wheel -120 at 5,6", "down"}));
}
