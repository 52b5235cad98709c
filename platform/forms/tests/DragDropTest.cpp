// The framework's drag and drop: a control dragged onto another with the CM_DRAG steps the target
// sees, refused and cancelled drops, and graphic controls as targets.
#include "platform/forms/ImgList.h"
#include "platform/forms/tests/FormsTestSupport.h"

namespace {
const char* StepName(WPARAM m) {
  static const char* names[] = {"enter", "leave", "move", "drop", "cancel", "find"};
  return m < 6 ? names[m] : "?";
}
}  // namespace

class DragDropTest : public FormsTest {
 protected:
  void SetUp() override {
    FormsTest::SetUp();
    form = MakeForm(50, 50, 500, 300);
    source = Add<TTestBox>(form, "Source", 10, 10, 80, 30);
    target = Add<TTestBox>(form, "Target", 200, 10, 80, 30);
    panel = Add<TTestPanel>(form, "Panel", 10, 100, 300, 100);
    shape = Add<TTestShape>(panel, "Shape", 150, 20, 60, 40);
    for (TControl* c : std::initializer_list<TControl*>{target, shape}) LogDrag(c);
    source->OnEndDrag = [](TObject* Sender, TObject* Target, int X, int Y) {
      Note("end " + Name(Sender) + " on " + (Target ? Name(Target) : "nil") + " at " + std::to_string(X) +
           "," + std::to_string(Y));
    };
    form->Show();
    Pump();
  }

  // Logs the steps of CM_DRAG that reach the control, then lets it handle them.
  void LogDrag(TControl* c) {
    TWndMethod old = c->WindowProc;
    c->WindowProc = [c, old](TMessage& m) {
      if (m.Msg == CM_DRAG && m.WParam != dmFindTarget) Note(Name(c) + " " + StepName(m.WParam));
      old(m);
    };
  }

  void Accept(TControl* c, bool accept) {
    c->OnDragOver = [accept](TObject*, TObject* Source, int, int, TDragState, bool& Accept) {
      Accept = accept && Name(Source) == "Source";
    };
    c->OnDragDrop = [](TObject* Sender, TObject* Source, int X, int Y) {
      Note("dropped " + Name(Source) + " on " + Name(Sender) + " at " + std::to_string(X) + "," +
           std::to_string(Y));
    };
  }

  // Presses on the source, moves in steps to the point, releases.
  void DragTo(TControl* to, int x, int y, bool release = true) {
    SimulateMouseDown(TSimButton::Left, At(source, 5, 5));
    Pump();
    POINT end = At(to, x, y);
    POINT start = At(source, 5, 5);
    for (int i = 1; i <= 4; ++i) {
      SimulateMouseMove(POINT{start.x + (end.x - start.x) * i / 4, start.y + (end.y - start.y) * i / 4});
      Pump();
    }
    if (release) {
      SimulateMouseUp(TSimButton::Left, end);
      Pump();
    }
  }

  static std::vector<std::string> Steps(const std::string& who) {
    std::vector<std::string> out;
    for (const auto& e : EventLog())
      if (e.rfind(who + " ", 0) == 0) out.push_back(e);
    // Consecutive moves count once: how many depends on the path.
    out.erase(std::unique(out.begin(), out.end()), out.end());
    return out;
  }

  TControl* plainTarget() { return panel; }

  TForm* form = nullptr;
  TTestBox* source = nullptr;
  TTestBox* target = nullptr;
  TTestPanel* panel = nullptr;
  TTestShape* shape = nullptr;
};

TEST_F(DragDropTest, ADragOntoAnAcceptingControlGoesThroughEnterMoveLeaveDrop) {
  source->SetDragMode(dmAutomatic);
  Accept(target, true);
  DragTo(target, 20, 10);
  EXPECT_EQ(Steps("Target"),
            (std::vector<std::string>{"Target enter", "Target move", "Target leave", "Target drop"}));
  auto has = [](const std::string& s) { return std::count(EventLog().begin(), EventLog().end(), s) == 1; };
  EXPECT_TRUE(has("dropped Source on Target at 20,10"));
  EXPECT_TRUE(has("end Source on Target at 20,10"));
  // The drop came after the leave, the end after the drop.
  auto pos = [](const std::string& s) {
    return std::find(EventLog().begin(), EventLog().end(), s) - EventLog().begin();
  };
  EXPECT_LT(pos("Target leave"), pos("Target drop"));
  EXPECT_LT(pos("dropped Source on Target at 20,10"), pos("end Source on Target at 20,10"));
  EXPECT_EQ(DragControl(), nullptr);
  EXPECT_EQ(DragObject(), nullptr);
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(DragDropTest, ARefusedDropIsCancelledAndEndDragHasNoTarget) {
  source->SetDragMode(dmAutomatic);
  Accept(target, false);
  DragTo(target, 20, 10);
  EXPECT_EQ(Steps("Target"),
            (std::vector<std::string>{"Target enter", "Target move", "Target leave", "Target cancel"}));
  EXPECT_EQ(std::count(EventLog().begin(), EventLog().end(), "end Source on nil at 0,0"), 1);
  // The refusing target shows the no-drop cursor while the mouse is over it.
  EventLog().clear();
  DragTo(target, 20, 10, false);
  EXPECT_EQ(GetCursor(), Screen->Cursors(crNoDrop));
  SimulateKeyPress(VK_ESCAPE);  // Esc cancels a drag in progress
  Pump();
  EXPECT_EQ(DragControl(), nullptr);
  EXPECT_EQ(std::count(EventLog().begin(), EventLog().end(), "end Source on nil at 0,0"), 1);
}

TEST_F(DragDropTest, AGraphicControlIsATargetThroughItsParentsWindow) {
  Accept(shape, true);
  // Manual mode: the drag begins in OnMouseDown, after the threshold.
  source->OnMouseDown = [this](TObject*, TMouseButton, TShiftState, int, int) { source->BeginDrag(false); };
  int starts = 0;
  source->OnStartDrag = [&](TObject*, TDragObject*&) { ++starts; };
  DragTo(shape, 30, 20);
  EXPECT_EQ(starts, 1);
  EXPECT_EQ(Steps("Shape"),
            (std::vector<std::string>{"Shape enter", "Shape move", "Shape leave", "Shape drop"}));
  EXPECT_EQ(std::count(EventLog().begin(), EventLog().end(), "dropped Source on Shape at 30,20"), 1);
  EXPECT_TRUE(Steps("Target").empty());

  // A press that does not move past the threshold is no drag: the end comes without a target.
  EventLog().clear();
  SimulateMouseDown(TSimButton::Left, At(source, 5, 5));
  Pump();
  EXPECT_TRUE(source->Dragging());
  SimulateMouseMove(At(source, 7, 6));
  Pump();
  SimulateMouseUp(TSimButton::Left, At(source, 7, 6));
  Pump();
  EXPECT_FALSE(source->Dragging());
  EXPECT_TRUE(Steps("Shape").empty());
  EXPECT_EQ(Steps("end").size(), 1u);
  EXPECT_EQ(Steps("end")[0].rfind("end Source on nil", 0), 0u);
}

namespace {
// A control that drags with an image of its own.
class TImageDragBox : public TTestBox {
  TRENVIK_CLASS(TImageDragBox, TTestBox);

 public:
  explicit TImageDragBox(TComponent* AOwner) : TTestBox(AOwner) {
    images = new TImageList(this);
    images->SetWidth(16);
    images->SetHeight(16);
    auto bmp = std::make_unique<TBitmap>();
    bmp->SetSize(16, 16);
    bmp->Canvas()->Brush()->SetColor(clRed);
    bmp->Canvas()->FillRect(RECT{0, 0, 16, 16});
    images->AddMasked(bmp.get(), clNone);
    images->SetDragImage(0, 8, 8);
  }
  TCustomImageList* GetDragImages() override { return images; }
  TImageList* images;
};
}  // namespace

TRENVIK_IMPLEMENT_CLASS(TImageDragBox)

TEST_F(DragDropTest, TheDragImageFollowsOverTargetsThatDisplayIt) {
  source->SetName(u"Plain");
  source = Add<TImageDragBox>(form, "Source", 10, 50, 80, 30);
  source->SetDragMode(dmAutomatic);
  Accept(target, true);
  target->SetControlStyle(target->ControlStyle() + TControlStyle{csDisplayDragImage});
  TCustomImageList* images = source->GetDragImages();
  DragTo(target, 20, 10, false);
  EXPECT_TRUE(images->Dragging());
  // Over a control that does not display drag images the image is put away.
  SimulateMouseMove(At(plainTarget(), 5, 5));
  Pump();
  EXPECT_FALSE(images->Dragging());
  SimulateMouseMove(At(target, 20, 10));
  Pump();
  EXPECT_TRUE(images->Dragging());
  SimulateMouseUp(TSimButton::Left, At(target, 20, 10));
  Pump();
  EXPECT_FALSE(images->Dragging());
  EXPECT_EQ(std::count(EventLog().begin(), EventLog().end(), "dropped Source on Target at 20,10"), 1);
}

namespace {
// A drag object of the application's own: targets see it as the source, it picks the cursor.
class TCardDrag : public TDragControlObject {
  TRENVIK_CLASS(TCardDrag, TDragControlObject);

 public:
  explicit TCardDrag(TControl* C = nullptr) : TDragControlObject(C) {}
  TCursor GetDragCursor(bool Accepted, int, int) override { return Accepted ? crMultiDrag : crNo; }
  void Finished(TObject* Target, int X, int Y, bool Accepted) override {
    Note(std::string("finished ") + (Accepted ? "accepted" : "refused"));
    TDragControlObject::Finished(Target, X, Y, Accepted);
  }
};
}  // namespace

TRENVIK_IMPLEMENT_CLASS(TCardDrag)

TEST_F(DragDropTest, ADragObjectFromOnStartDragIsTheSourceTargetsSee) {
  TCardDrag card(source);
  source->SetDragMode(dmAutomatic);
  source->OnStartDrag = [&](TObject*, TDragObject*& Obj) { Obj = &card; };
  TObject* seenSource = nullptr;
  target->OnDragOver = [&](TObject*, TObject* Source, int, int, TDragState, bool& Accept) {
    seenSource = Source;
    Accept = true;
  };
  DragTo(target, 20, 10, false);
  EXPECT_EQ(seenSource, &card);
  EXPECT_EQ(GetCursor(), Screen->Cursors(crMultiDrag));
  SimulateMouseUp(TSimButton::Left, At(target, 20, 10));
  Pump();
  EXPECT_EQ(std::count(EventLog().begin(), EventLog().end(), "finished accepted"), 1);
  EXPECT_EQ(std::count(EventLog().begin(), EventLog().end(), "end Source on Target at 20,10"), 1);
  EXPECT_EQ(DragObject(), nullptr);  // not freed by the framework: it was not its own
}
