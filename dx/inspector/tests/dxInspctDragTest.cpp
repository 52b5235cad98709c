// Rows dragged with the mouse: where a drop puts them, the cursor and the drag image while
// dragging, auto-scrolling outside the control, cancelling, and the screen after the drag.
#include <gtest/gtest.h>

#include "dx/inspector/dxInspctDrag.h"
#include "dx/inspector/tests/InspectorTestSupport.h"
#include "platform/forms/ImgList.h"

namespace {

class DragTest : public InspectorTest {
 protected:
  // Rows R0..R5 (R1 with the child R1a, collapsed), 20 pixels high, divider at 100, rows dragged
  // automatically; the inspector has the focus.
  TTestInspector* MakeRows(int Height = 150, int Count = 6) {
    auto* insp = MakeInspector(300, Height);
    insp->SetDividerPos(100);
    insp->SetDragMode(dmAutomatic);
    for (int i = 0; i < Count; ++i) {
      const std::string name = "R" + std::to_string(i);
      auto* node = insp->Add(name.c_str(), ("v" + std::to_string(i)).c_str());
      if (i == 1) insp->Add("R1a", "child", node);
    }
    insp->SetFocus();
    Pump();
    return insp;
  }
  static TdxInspectorNode* Find(TTestInspector* insp, const std::string& caption, TdxInspectorNode* parent = nullptr) {
    const int count = parent ? parent->Count() : insp->Count();
    for (int i = 0; i < count; ++i) {
      TdxInspectorNode* n = parent ? parent->Items(i) : insp->Items(i);
      if (StringToUtf8(static_cast<TTextNode*>(n)->Caption) == caption) return n;
      if (TdxInspectorNode* found = Find(insp, caption, n)) return found;
    }
    return nullptr;
  }
  // The tree as "A,B(B1,B2),C".
  static std::string Shape(TTestInspector* insp, TdxInspectorNode* parent = nullptr) {
    std::string out;
    const int count = parent ? parent->Count() : insp->Count();
    for (int i = 0; i < count; ++i) {
      TdxInspectorNode* n = parent ? parent->Items(i) : insp->Items(i);
      out += (i ? "," : "") + StringToUtf8(static_cast<TTextNode*>(n)->Caption);
      if (n->HasChildren()) out += "(" + Shape(insp, n) + ")";
    }
    return out;
  }
  static POINT InRow(TTestInspector* insp, TdxInspectorNode* node, int X) {
    const RECT r = insp->GetNodeRect(node);
    return POINT{X, (r.top + r.bottom) / 2};
  }
  // Drags from From onto To (client points); releases unless asked not to.
  void Drag(TControl* c, POINT From, POINT To, bool Release = true) {
    PressAndDragTo(At(c, From.x, From.y), At(c, To.x, To.y));
    if (Release) Drop(c, POINT{To.x, To.y + 1});
  }
  static void Drop(TControl* c, POINT To) {
    SimulateMouseUp(TSimButton::Left, At(c, To.x, To.y));
    Pump();
  }
  static COLORREF ScreenPixel(POINT P) {
    HDC dc = GetDC(nullptr);
    const COLORREF c = GetPixel(dc, P.x, P.y);
    ReleaseDC(nullptr, dc);
    return c;
  }
  static std::vector<COLORREF> ScreenPixels(const RECT& R) {
    std::vector<COLORREF> out;
    HDC dc = GetDC(nullptr);
    for (int y = R.top; y < R.bottom; ++y)
      for (int x = R.left; x < R.right; ++x) out.push_back(GetPixel(dc, x, y));
    ReleaseDC(nullptr, dc);
    return out;
  }
  // What the form shows now equals what it shows once everything is painted afresh.
  void ExpectNoTraceOnTheForm() {
    RECT r;
    GetWindowRect(form_->Handle(), &r);
    const std::vector<COLORREF> shown = ScreenPixels(r);
    RedrawWindow(form_->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    Pump();
    EXPECT_TRUE(shown == ScreenPixels(r)) << "the drag left pixels behind";
  }
  static COLORREF Inverted(TColor Color) {
    const COLORREF c = ColorToRGB(Color);
    return RGB(255 - GetRValue(c), 255 - GetGValue(c), 255 - GetBValue(c));
  }
};

TEST_F(DragTest, ADropPutsTheRowWhereTheCursorSaid) {
  struct Case {
    const char* dragged;
    const char* onto;  // nullptr: the empty area below the rows
    int x;
    TCursor cursor;  // crNone: refused
    const char* shape;
  };
  const Case cases[] = {
      {"R3", "R0", 50, crdxInspectorAddChild, "R0(R3),R1(R1a),R2,R4,R5"},    // caption: last child
      {"R3", "R1", 200, crdxInspectorAddChild, "R0,R1(R1a,R3),R2,R4,R5"},    // value: last child
      {"R3", "R0", 4, crdxInspectorInsert, "R3,R0,R1(R1a),R2,R4,R5"},        // indent: before it
      {"R0", nullptr, 50, crdxInspectorAdd, "R1(R1a),R2,R3,R4,R5,R0"},       // empty area: last
      {"R1a", nullptr, 50, crdxInspectorAdd, "R0,R1,R2,R3,R4,R5,R1a"},       // a child to the top level
      {"R3", "R0", 100, crNone, "R0,R1(R1a),R2,R3,R4,R5"},                   // divider: refused
      {"R1", "R1a", 50, crdxInspectorAddChild, "R0,R1(R1a),R2,R3,R4,R5"},    // under its own child: no move
      {"R4", "R4", 200, crdxInspectorAddChild, "R0,R1(R1a),R2,R3,R4,R5"},    // onto itself: no move
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.dragged) + " onto " + (c.onto ? c.onto : "the empty area"));
    auto* insp = MakeRows();
    Find(insp, "R1")->Expand(false);
    Pump();
    TdxInspectorNode* dragged = Find(insp, c.dragged);
    const POINT to = c.onto ? InRow(insp, Find(insp, c.onto), c.x) : POINT{c.x, 140};
    Drag(insp, InRow(insp, dragged, 40), to, false);
    EXPECT_EQ(insp->State(), insRowDragging);
    EXPECT_EQ(GetCursor(), Screen->Cursors(c.cursor == crNone ? crNoDrop : c.cursor));
    Drop(insp, POINT{to.x, to.y + 1});
    EXPECT_EQ(Shape(insp), c.shape);
    EXPECT_EQ(insp->State(), insIdle);
    EXPECT_EQ(insp->PressedNode(), nullptr);
    if (Shape(insp) != "R0,R1(R1a),R2,R3,R4,R5") {
      EXPECT_EQ(insp->FocusedNode(), dragged);
    }
    delete form_;
    form_ = nullptr;
  }
}

TEST_F(DragTest, RowsAreDraggedOnlyWithAutomaticDragModeAndTheDragEventsFire) {
  auto* insp = MakeRows();
  int starts = 0, ends = 0, overs = 0, drops = 0;
  insp->OnStartDrag = [&](TObject*, TDragObject*&) { ++starts; };
  insp->OnEndDrag = [&](TObject*, TObject*, int, int) { ++ends; };
  insp->OnDragOver = [&](TObject*, TObject*, int, int, TDragState, bool& Accept) {
    ++overs;
    Accept = true;
  };
  insp->OnDragDrop = [&](TObject*, TObject*, int, int) { ++drops; };
  Drag(insp, InRow(insp, Find(insp, "R3"), 40), InRow(insp, Find(insp, "R0"), 50));
  EXPECT_EQ(Shape(insp), "R0(R3),R1(R1a),R2,R4,R5");
  EXPECT_EQ(starts, 1);
  EXPECT_EQ(ends, 1);
  // The row drag answers over the control itself.
  EXPECT_EQ(overs, 0);
  EXPECT_EQ(drops, 0);
  // With manual drag mode a press and move only moves the focus.
  insp->SetDragMode(dmManual);
  Drag(insp, InRow(insp, Find(insp, "R4"), 40), InRow(insp, Find(insp, "R2"), 50));
  EXPECT_EQ(Shape(insp), "R0(R3),R1(R1a),R2,R4,R5");
  EXPECT_EQ(insp->FocusedNode(), Find(insp, "R2"));
  EXPECT_EQ(starts, 1);
  EXPECT_EQ(insp->State(), insIdle);
}

TEST_F(DragTest, AReleaseBeforeTheDragGetsGoingDropsNothing) {
  auto* insp = MakeRows();
  int ends = 0;
  insp->OnEndDrag = [&](TObject*, TObject*, int, int) { ++ends; };
  const POINT from = InRow(insp, Find(insp, "R3"), 40);
  clock_->Advance(1000);
  SimulateMouseDown(TSimButton::Left, At(insp, from.x, from.y));
  Pump();
  SimulateMouseMove(At(insp, from.x + 8, from.y));  // the row drag starts, the framework's waits
  Pump();
  EXPECT_EQ(insp->State(), insRowDragging);
  SimulateMouseUp(TSimButton::Left, At(insp, from.x + 9, from.y));
  Pump();
  EXPECT_EQ(insp->State(), insIdle);
  EXPECT_EQ(ends, 1);
  EXPECT_EQ(Shape(insp), "R0,R1(R1a),R2,R3,R4,R5");
  EXPECT_EQ(insp->FocusedNode(), Find(insp, "R3"));
  EXPECT_EQ(insp->EditingNode(), Find(insp, "R3"));  // the editor is back
}

TEST_F(DragTest, TheDragImageFollowsTheCursorAndLeavesNoTrace) {
  auto* insp = MakeRows();
  Click(insp, 150, InRow(insp, Find(insp, "R0"), 150).y);  // the editor shows on the focused row
  TdxInplaceEdit* editor = insp->InplaceEditor();
  ASSERT_NE(editor, nullptr);
  TdxInspectorNode* r4 = Find(insp, "R4");
  const POINT to = InRow(insp, Find(insp, "R1"), 150);
  Drag(insp, InRow(insp, r4, 40), to, false);
  // The editor is put away while dragging, and the row under the cursor is focused.
  EXPECT_EQ(insp->InplaceEditor(), nullptr);
  EXPECT_FALSE(IsWindowVisible(editor->Handle()));
  EXPECT_EQ(insp->FocusedNode(), Find(insp, "R1"));
  // The image (an inverted checker strip with the caption in bold) hangs from the cursor: every
  // other pixel of the checker is transparent.
  const POINT cursor = At(insp, to.x, to.y + 1);
  EXPECT_EQ(ScreenPixel(POINT{cursor.x + 2, cursor.y + 2}), Inverted(insp->Color()));
  EXPECT_NE(ScreenPixel(POINT{cursor.x + 3, cursor.y + 2}), Inverted(insp->Color()));
  // The strip is as wide as the caption column and 32 more; the caption starts 30 pixels in.
  ASSERT_NE(insp->GetDragImages(), nullptr);
  EXPECT_EQ(insp->GetDragImages()->Width(), insp->DividerPos() + 32);
  EXPECT_EQ(insp->GetDragImages()->Height(), insp->CaptionTextHeight());
  EXPECT_EQ(ScreenPixel(POINT{cursor.x + 34, cursor.y + insp->CaptionTextHeight() / 2}), RGB(255, 255, 255));
  EXPECT_NE(ScreenPixel(POINT{cursor.x + 27, cursor.y + insp->CaptionTextHeight() / 2}), RGB(255, 255, 255));
  EXPECT_TRUE(KeepCheckedScreen("dragging"));
  // Focusing another row repaints under the image, which stays whole.
  SimulateMouseMove(At(insp, to.x, InRow(insp, Find(insp, "R2"), 150).y));
  Pump();
  EXPECT_EQ(insp->FocusedNode(), Find(insp, "R2"));
  const POINT moved = At(insp, to.x, InRow(insp, Find(insp, "R2"), 150).y);
  EXPECT_EQ(ScreenPixel(POINT{moved.x + 2, moved.y + 2}), Inverted(insp->Color()));
  Drop(insp, InRow(insp, Find(insp, "R2"), 150));
  EXPECT_EQ(Shape(insp), "R0,R1(R1a),R2(R4),R3,R5");
  EXPECT_EQ(insp->GetDragImages(), nullptr);
  // After the drop the editor is back on the moved row and nothing of the image is left.
  ASSERT_NE(insp->InplaceEditor(), nullptr);
  EXPECT_TRUE(IsWindowVisible(insp->InplaceEditor()->Handle()));
  EXPECT_EQ(insp->EditingNode(), r4);
  EXPECT_EQ(insp->FocusedNode(), r4);
  ExpectNoTraceOnTheForm();
  EXPECT_TRUE(KeepCheckedScreen("dropped"));
}

TEST_F(DragTest, EscapeCancelsTheDragLeavingTreeAndScreenAsTheyWere) {
  auto* insp = MakeRows();
  const std::string before = Shape(insp);
  int ends = 0;
  TObject* endTarget = insp;
  insp->OnEndDrag = [&](TObject*, TObject* Target, int, int) {
    ++ends;
    endTarget = Target;
  };
  const POINT to = InRow(insp, Find(insp, "R0"), 50);
  Drag(insp, InRow(insp, Find(insp, "R3"), 40), to, false);
  ASSERT_EQ(insp->State(), insRowDragging);
  Key(VK_ESCAPE);
  EXPECT_EQ(insp->State(), insIdle);
  EXPECT_EQ(ends, 1);
  EXPECT_EQ(endTarget, nullptr);
  EXPECT_EQ(DragObject(), nullptr);
  Drop(insp, to);  // the release after a cancel drops nothing
  EXPECT_EQ(Shape(insp), before);
  ExpectNoTraceOnTheForm();
}

TEST_F(DragTest, FreeingTheInspectorWhileARowIsDraggedEndsTheDrag) {
  auto* insp = MakeRows();
  const POINT to = InRow(insp, Find(insp, "R0"), 50);
  Drag(insp, InRow(insp, Find(insp, "R3"), 40), to, false);
  ASSERT_EQ(DragControl(), insp);
  delete form_;
  form_ = nullptr;
  EXPECT_EQ(DragControl(), nullptr);
  EXPECT_EQ(DragObject(), nullptr);
  SimulateMouseUp(TSimButton::Left, POINT{200, 200});
  Pump();
}

TEST_F(DragTest, DraggingBelowTheControlScrollsOnTheTimer) {
  // Ten rows, five shown.
  auto* insp = MakeRows(100, 10);
  EXPECT_EQ(insp->GetTopIndex(), 0);
  const POINT from = InRow(insp, Find(insp, "R0"), 40);
  Drag(insp, from, InRow(insp, Find(insp, "R2"), 40), false);
  SimulateMouseMove(At(insp, from.x, 120));  // below the inspector, over the form
  Pump();
  ASSERT_EQ(insp->State(), insRowDragging);
  const int focusedBefore = insp->GetFocusedAbsoluteIndex();
  for (int i = 0; i < 4; ++i) {
    clock_->Advance(60);
    Pump();
  }
  EXPECT_GT(insp->GetFocusedAbsoluteIndex(), focusedBefore + 2);
  EXPECT_GT(insp->GetTopIndex(), 0);
  // Back over a row the scrolling stops.
  const POINT back = InRow(insp, insp->GetNodeByAbsoluteIndex(insp->GetTopIndex() + 1), 50);
  SimulateMouseMove(At(insp, back.x, back.y));
  Pump();
  const int top = insp->GetTopIndex();
  clock_->Advance(600);
  Pump();
  EXPECT_EQ(insp->GetTopIndex(), top);
  TdxInspectorNode* target = insp->GetNodeByAbsoluteIndex(top + 1);
  Drop(insp, back);
  EXPECT_EQ(Find(insp, "R0")->Parent(), target);
  ExpectNoTraceOnTheForm();
}

}  // namespace
