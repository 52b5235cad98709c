// Dragging nodes with the framework's drag and drop, through simulated input on the virtual clock:
// the drag starts only after the pointer moves, a node held over its expand button expands, the
// rows scroll near the bottom, and nothing of the drag image is left on the screen.
#include "dx/treelist/dxTLConsts.h"
#include "dx/treelist/tests/dxTreeListTestSupport.h"
#include "platform/win/Input.h"

namespace {

class DxTLNodeDragTest : public DxTreeListTest {
 public:
  // One column; rows A (with a collapsed child A1), B, C and more to scroll.
  TTestTreeList* Sample(int Rows) {
    auto* tl = MakeTreeList(300, 120);
    tl->SetShowIndicator(false);
    tl->CreateColumn(TdxTreeListColumn::StaticClass())->SetWidth(200);
    for (int i = 0; i < Rows; ++i) AddText(tl, nullptr, std::string(1, char('A' + i)).c_str());
    AddText(tl, tl->GetItem(0), "A1");
    tl->SetDragMode(dmAutomatic);
    tl->SetOptionFlagsEx(tl->OptionFlagsEx() | dxtlox::DragExpand | dxtlox::DragScroll);
    tl->SetFocusedNode(tl->GetItem(0), 0, true);
    Pump();
    return tl;
  }
  static POINT CellPoint(TTestTreeList* tl, TdxTreeListNode* Node) {
    RECT r;
    tl->GetCellRect(Node, 0, r);
    POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    ClientToScreen(tl->Handle(), &p);
    return p;
  }
  static POINT ButtonPoint(TTestTreeList* tl, TdxTreeListNode* Node) {
    RECT r;
    tl->GetNodeRect(Node, r);
    int y = (r.top + r.bottom) / 2;
    for (int x = r.left; x < r.right; ++x)
      if (tl->GetHitKindAt(x, y) == tlhButton) {
        POINT p{x + 2, y};
        ClientToScreen(tl->Handle(), &p);
        return p;
      }
    ADD_FAILURE() << "no expand button";
    return POINT{};
  }
  static void Move(POINT P) {
    SimulateMouseMove(P);
    Pump();
  }
};

TEST_F(DxTLNodeDragTest, ANodeHeldOverAnExpandButtonExpandsAndTheDropLeavesNoTrace) {
  auto* tl = Sample(3);
  TdxTreeListNode *a = tl->GetItem(0), *b = tl->GetItem(1), *c = tl->GetItem(2);
  std::vector<std::string> begun;
  tl->OnBeginDragNode = [&](TObject*, TdxTreeListNode* n) { begun.push_back(Text(n)); };
  TObject* dropped = nullptr;
  tl->OnDragOver = [](TObject*, TObject*, int, int, TDragState, bool& Accept) { Accept = true; };
  tl->OnDragDrop = [&](TObject*, TObject* Source, int, int) { dropped = Source; };
  POINT from = CellPoint(tl, b);
  SimulateMouseDown(TSimButton::Left, from);
  Pump();
  EXPECT_EQ(tl->FocusedNode(), b) << "the press focuses before anything is dragged";
  EXPECT_EQ(tl->State(), tsNodeDown);
  Move(POINT{from.x + 3, from.y});
  EXPECT_EQ(tl->State(), tsNodeDown) << "within the threshold";
  Move(POINT{from.x + 10, from.y});
  Move(POINT{from.x + 20, from.y});
  ASSERT_EQ(tl->State(), tsNodeDragging);
  EXPECT_EQ(begun, std::vector<std::string>{"B"});
  ASSERT_NE(tl->GetDragImages(), nullptr);
  EXPECT_TRUE(tl->GetDragImages()->Dragging()) << "the node's image follows the pointer";
  KeepCheckedScreen("dragging");

  // Held over A's expand button for the wait time, A expands; not a moment earlier.
  Move(ButtonPoint(tl, a));
  EXPECT_EQ(tl->DragOverNode(), a);
  clock_->Advance(tl->WaitForExpandNodeTime() - 50);
  Pump();
  EXPECT_FALSE(a->Expanded());
  clock_->Advance(60);
  Pump();
  EXPECT_TRUE(a->Expanded());
  EXPECT_FALSE(tl->IsExpandTimerRunning());

  // Numeric - and + over a node with children collapse and expand it; over one without, nothing.
  Move(CellPoint(tl, a));
  SimulateKeyDown(VK_SUBTRACT);
  SimulateKeyUp(VK_SUBTRACT);
  Pump();
  EXPECT_FALSE(a->Expanded());
  SimulateKeyDown(VK_ADD);
  SimulateKeyUp(VK_ADD);
  Pump();
  EXPECT_TRUE(a->Expanded());
  EXPECT_EQ(tl->State(), tsNodeDragging);
  Move(CellPoint(tl, c));
  EXPECT_EQ(tl->FocusedNode(), c) << "the focus follows the drag";
  SimulateMouseUp(TSimButton::Left, CellPoint(tl, c));
  Pump();
  EXPECT_EQ(dropped, tl);
  EXPECT_EQ(tl->State(), tsNormal);
  EXPECT_EQ(tl->GetDragImages(), nullptr);
  KeepCheckedScreen("dropped");
  EXPECT_TRUE(ScreenIsRepainted(tl)) << "no drag image left behind";
}

TEST_F(DxTLNodeDragTest, ADragRestingOnTheLastVisibleRowScrollsDownEveryHundredMilliseconds) {
  auto* tl = Sample(12);
  tl->OnDragOver = [](TObject*, TObject*, int, int, TDragState, bool& Accept) { Accept = true; };
  POINT from = CellPoint(tl, tl->GetItem(0));
  SimulateMouseDown(TSimButton::Left, from);
  Pump();
  Move(POINT{from.x + 10, from.y});
  Move(POINT{from.x + 20, from.y});
  ASSERT_EQ(tl->State(), tsNodeDragging);
  int last = tl->GetTopIndex() + tl->FullVisibleRowCount() - 1;
  Move(CellPoint(tl, tl->GetAbsoluteNode(last)));
  EXPECT_EQ(tl->GetFocusedAbsoluteIndex(), last);
  clock_->Advance(100);
  Pump();
  EXPECT_EQ(tl->GetFocusedAbsoluteIndex(), last + 1);
  clock_->Advance(100);
  Pump();
  EXPECT_EQ(tl->GetFocusedAbsoluteIndex(), last + 2);
  EXPECT_GT(tl->GetTopIndex(), 0) << "the focused row is kept in view";
  SimulateKeyDown(VK_ESCAPE);
  SimulateKeyUp(VK_ESCAPE);
  Pump();
  EXPECT_EQ(tl->State(), tsNormal);
  int focused = tl->GetFocusedAbsoluteIndex();
  clock_->Advance(300);
  Pump();
  EXPECT_EQ(tl->GetFocusedAbsoluteIndex(), focused) << "the timer stops with the drag";
  SimulateMouseUp(TSimButton::Left, from);
  Pump();
}

// A tree list whose drops copy while Ctrl is held.
class TCopyingTreeList : public TTestTreeList {
 public:
  using TTestTreeList::TTestTreeList;
  bool IsDragDropCopy() override { return true; }
};

// Pressed on a node of a multi-selection, the drag takes the whole selection, with the multi-drag
// cursor; with Ctrl held over a copying tree list, the copy cursors.
TEST_F(DxTLNodeDragTest, ASelectionIsDraggedWholeWithItsCursor) {
  auto* tl = MakeTreeListOf<TCopyingTreeList>(300, 120);
  tl->SetShowIndicator(false);
  tl->CreateColumn(TdxTreeListColumn::StaticClass())->SetWidth(200);
  for (const char* t : {"A", "B", "C"}) AddText(tl, nullptr, t);
  tl->StoresSelection = true;
  tl->SetOptionFlags(tl->OptionFlags() | dxtlo::MultiSelect);
  tl->SetDragMode(dmAutomatic);
  tl->OnDragOver = [](TObject*, TObject*, int, int, TDragState, bool& Accept) { Accept = true; };
  tl->SetFocusedNode(tl->GetItem(0), 0, true);
  Pump();
  tl->SelectRange(tl->GetItem(0), tl->GetItem(1));
  ASSERT_EQ(tl->GetSelectedCount(), 2);
  POINT from = CellPoint(tl, tl->GetItem(1));
  SimulateMouseDown(TSimButton::Left, from);
  Pump();
  Move(POINT{from.x + 10, from.y});
  Move(POINT{from.x + 20, from.y + 2});
  ASSERT_EQ(tl->State(), tsNodeDragging);
  EXPECT_EQ(tl->GetSelectedCount(), 2) << "the whole selection is dragged";
  EXPECT_EQ(tl->DragCursor(), crMultiDrag);
  SimulateKeyDown(VK_CONTROL);
  Move(POINT{from.x + 25, from.y + 2});
  EXPECT_EQ(tl->DragCursor(), crDXTLMultiDragCopy);
  SimulateKeyUp(VK_CONTROL);
  SimulateKeyDown(VK_ESCAPE);
  SimulateKeyUp(VK_ESCAPE);
  Pump();
  EXPECT_EQ(tl->State(), tsNormal);
  SimulateMouseUp(TSimButton::Left, from);
  Pump();
}

}  // namespace
