// The customize window hooks: attaching a window, its bounds kept across showings, the refresh
// and drag-begin messages it hears, rows dragged into it (hidden) and out of it (shown and placed).
#include <gtest/gtest.h>

#include "dx/inspector/dxInspctControl.h"
#include "dx/inspector/dxInspctDrag.h"
#include "dx/inspector/tests/InspectorTestSupport.h"
#include "platform/forms/ImgList.h"

namespace {

class TCustomizeTestControl : public TCustomdxInspectorControl {
 public:
  using TCustomdxInspectorControl::TCustomdxInspectorControl;
};

// A stand-in customize window: it logs the inspector's messages, takes every drop and hands it to
// the inspector, as a real one would.
class TCustomizeBox : public TCustomControl {
 public:
  explicit TCustomizeBox(TComponent* AOwner, TCustomdxInspectorControl* AInspector)
      : TCustomControl(AOwner), inspector(AInspector) {
    OnDragOver = [](TObject*, TObject*, int, int, TDragState, bool& Accept) { Accept = true; };
    OnDragDrop = [this](TObject*, TObject* Source, int X, int Y) {
      const POINT p = inspector->ScreenToClient(ClientToScreen(POINT{X, Y}));
      inspector->DragDrop(Source, p.x, p.y);
    };
  }
  void WndProc(TMessage& Message) override {
    if (Message.Msg == WM_DXINSPECTOR_CUSTOMIZEREFRESH) ++refreshes;
    if (Message.Msg == WM_DXINSPECTOR_DRAGBEGIN) dragBegins.push_back(static_cast<int>(Message.WParam));
    TCustomControl::WndProc(Message);
  }
  TCustomdxInspectorControl* inspector;
  int refreshes = 0;
  std::vector<int> dragBegins;
};

class CustomizeTest : public InspectorTest {
 protected:
  // Rows "A".."E" (B with the child "B1") and a customize box beside the inspector, attached.
  TCustomizeTestControl* MakeControl() {
    form_ = NewForm<TForm>(nullptr);
    form_->SetBounds(100, 100, 520, 260);
    form_->Font()->SetName(kFixedTestFontName);
    form_->Font()->SetHeight(-16);
    insp = new TCustomizeTestControl(form_);
    insp->SetName(u"Insp");
    insp->SetBorderStyle(bsNone);
    insp->SetParent(form_);
    insp->SetBounds(10, 10, 300, 200);
    insp->SetDividerPos(100);
    for (const char* caption : {"A", "B", "C", "D", "E", "B1"})
      insp->AddRow(TdxInspectorTextRow::StaticClass())->SetCaption(Utf8ToString(caption));
    Row("B1")->Node()->MoveTo(Row("B")->Node(), inaAddChild);
    box = new TCustomizeBox(form_, insp);
    box->SetParent(form_);
    box->SetBounds(330, 10, 150, 150);
    form_->Show();
    insp->SetCustomizeForm(box);
    insp->SetFocus();
    Pump();
    return insp;
  }
  TdxInspectorRow* Row(const char* caption) {
    for (int i = 0; i < insp->RowCount(); ++i)
      if (StringToUtf8(insp->Rows(i)->Caption()) == caption) return insp->Rows(i);
    return nullptr;
  }
  std::string Shape(TdxInspectorNode* parent = nullptr) {
    std::string out;
    const int count = parent ? parent->Count() : insp->Count();
    for (int i = 0; i < count; ++i) {
      TdxInspectorNode* n = parent ? parent->Items(i) : insp->Items(i);
      out += (i ? "," : "") + StringToUtf8(TCustomdxInspectorControl::RowOf(n)->Caption());
      if (n->HasChildren()) out += "(" + Shape(n) + ")";
    }
    return out;
  }
  POINT InRow(const char* caption, int X) {
    const RECT r = insp->GetNodeRect(Row(caption)->Node());
    return POINT{X, (r.top + r.bottom) / 2};
  }
  // Drags from the source control's client point From onto the screen point To and releases.
  void Drag(TControl* source, POINT From, POINT To) {
    PressAndDragTo(At(source, From.x, From.y), To);
    cursorBeforeDrop = GetCursor();
    SimulateMouseUp(TSimButton::Left, POINT{To.x, To.y + 1});
    Pump();
  }

  TCustomizeTestControl* insp = nullptr;
  TCustomizeBox* box = nullptr;
  HCURSOR cursorBeforeDrop = nullptr;
};

TEST_F(CustomizeTest, TheWindowKeepsItsBoundsAcrossShowingsAndHearsOneRefreshAtATime) {
  MakeControl();
  int shown = 0, hidden = 0;
  insp->OnShowCustomizeForm = [&](TObject*) { ++shown; };
  insp->OnHideCustomizeForm = [&](TObject*) { ++hidden; };
  EXPECT_TRUE(insp->IsCustomizing());
  EXPECT_EQ(insp->InplaceEditor(), nullptr);  // no editor while customizing
  box->SetBounds(320, 20, 160, 120);
  insp->SetCustomizeForm(nullptr);
  EXPECT_EQ(hidden, 1);
  EXPECT_FALSE(insp->IsCustomizing());
  box->SetBounds(0, 0, 50, 50);
  insp->SetCustomizeForm(box);
  EXPECT_EQ(shown, 1);
  EXPECT_EQ(box->BoundsRect(), (RECT{320, 20, 480, 140}));
  Pump();
  // Changes made before the window got round to refreshing ask it once.
  box->refreshes = 0;
  Row("C")->SetVisible(false);
  Row("D")->SetVisible(false);
  insp->AddRow(TdxInspectorTextRow::StaticClass());
  Pump();
  EXPECT_EQ(box->refreshes, 1);
  Row("C")->SetVisible(true);
  Pump();
  EXPECT_EQ(box->refreshes, 2);
}

TEST_F(CustomizeTest, AWindowOrImageListFreedElsewhereIsForgotten) {
  MakeControl();
  auto* images = new TImageList(form_);
  insp->SetImages(images);
  delete images;
  EXPECT_EQ(insp->Images(), nullptr);
  delete box;
  box = nullptr;
  EXPECT_FALSE(insp->IsCustomizing());
  Row("D")->SetVisible(false);
  insp->Repaint();
  Pump();
  EXPECT_EQ(insp->ImageWidth(), 0);
}

TEST_F(CustomizeTest, ARowDroppedIntoTheWindowIsHiddenWithItsChildren) {
  MakeControl();
  insp->SetDragCursor(crMultiDrag);
  Row("B")->SetIsCategory(true);
  Drag(insp, InRow("B", 40), At(box, 60, 60));
  EXPECT_EQ(cursorBeforeDrop, Screen->Cursors(crdxInspectorHide));
  EXPECT_EQ(box->dragBegins, std::vector<int>{1});  // a category row began the drag
  EXPECT_FALSE(Row("B")->Visible());
  EXPECT_FALSE(Row("B1")->Visible());
  EXPECT_EQ(Row("B1")->Node(), nullptr);
  EXPECT_EQ(Shape(), "A,C,D,E");
  EXPECT_EQ(insp->State(), insIdle);
  EXPECT_EQ(insp->DragCursor(), crMultiDrag);  // the control's own drag cursor comes back
  // Over a row the cursor says where the row goes; a plain row tells the window 0.
  Drag(insp, InRow("E", 40), At(insp, InRow("A", 50).x, InRow("A", 50).y));
  EXPECT_EQ(cursorBeforeDrop, Screen->Cursors(crdxInspectorAddChild));
  EXPECT_EQ(box->dragBegins, (std::vector<int>{1, 0}));
  EXPECT_EQ(Shape(), "A(E),C,D");
  // Over the divider the row cannot be dropped.
  Drag(insp, InRow("D", 40), At(insp, 100, InRow("C", 0).y));
  EXPECT_EQ(cursorBeforeDrop, Screen->Cursors(crdxInspectorNoDrag));
  EXPECT_EQ(Shape(), "A(E),C,D");
}

TEST_F(CustomizeTest, ARowDraggedOutOfTheWindowIsShownWhereItIsDropped) {
  MakeControl();
  Row("D")->SetVisible(false);
  Row("E")->SetVisible(false);
  Pump();
  TdxInspectorRow* dragged = nullptr;
  box->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) {
    insp->SetDraggedInRow(dragged);
    box->BeginDrag(false);
  };
  dragged = Row("D");
  Drag(box, POINT{30, 30}, At(insp, InRow("A", 50).x, InRow("A", 50).y));
  EXPECT_TRUE(Row("D")->Visible());
  EXPECT_EQ(Shape(), "A(D),B(B1),C");
  EXPECT_EQ(insp->DraggedInRow(), nullptr);
  dragged = Row("E");
  Drag(box, POINT{30, 30}, At(insp, 50, 190));  // the empty area below the rows
  EXPECT_EQ(Shape(), "A(D),B(B1),C,E");
  EXPECT_EQ(insp->FocusedNode(), Row("E")->Node());
}

}  // namespace
