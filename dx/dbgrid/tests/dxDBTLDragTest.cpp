// The data-aware tree's records moved and copied by dragging their nodes with the mouse, through the
// engine's node drag and drop and simulated input on the virtual clock.
#include <string>

#include "DbTreeEditTestSupport.h"
#include "platform/display/testing/CheckedScreens.h"
#include "platform/forms/Colors.h"
#include "platform/gdi/Gdi.h"
#include "platform/win/Windows.h"

namespace {

class DxDBTreeListDragTest : public DxDBTreeListEditTest {
 protected:
  TdxDBTreeList* MakeDraggableTree() {
    MakeTree();
    tree->SetDragMode(dmAutomatic);
    return tree;
  }
  POINT ScreenPointOf(int Key) {
    POINT p = PointOf(Key);
    ClientToScreen(tree->Handle(), &p);
    return p;
  }
  static void Move(POINT P) {
    SimulateMouseMove(P);
    Pump();
  }
  // Presses on From's row, moves past the drag threshold and onto To's row (below the rows for 0)
  // and releases there.
  void MouseDrag(int From, int To) {
    const POINT from = ScreenPointOf(From);
    SimulateMouseDown(TSimButton::Left, from);
    Pump();
    Move(POINT{from.x + 10, from.y});
    Move(POINT{from.x + 20, from.y});
    ASSERT_EQ(tree->State(), tsNodeDragging);
    const POINT to = ScreenPointOf(To);
    Move(to);
    SimulateMouseUp(TSimButton::Left, to);
    Pump();
  }
  // Clicks First's row, then Second's with Ctrl: the two are selected.
  void Select(int First, int Second) {
    SimulateClick(TSimButton::Left, ScreenPointOf(First));
    clock_->Advance(1000);  // no double click
    SimulateKeyDown(VK_CONTROL);
    SimulateClick(TSimButton::Left, ScreenPointOf(Second));
    SimulateKeyUp(VK_CONTROL);
    Pump();
    clock_->Advance(1000);  // the press that starts a drag is no double click either
    ASSERT_EQ(tree->GetSelectedCount(), 2);
  }
  // Where the text of Key's row starts: its leftmost pixel in the text colour. Measured on rows that
  // are neither focused nor have an expand button, whose text is the only ink in them.
  // Glyphs start a few pixels apart; a level is a whole indent further in.
  static constexpr int kGlyphBearing = 8;
  int TextStartOf(int Key) {
    RECT r;
    tree->GetNodeRect(tree->FindNodeByKey(Key), r);
    HDC dc = GetDC(tree->Handle());
    const COLORREF ink = ColorToColorRef(clWindowText);
    int start = -1;
    for (int x = r.left; x < r.right && start < 0; ++x)
      for (int y = r.top + 1; y < r.bottom - 1 && start < 0; ++y)
        if (GetPixel(dc, x, y) == ink) start = x;
    ReleaseDC(tree->Handle(), dc);
    return start;
  }
};

// Dropped on another node the record takes that node's key as its parent; dropped below the rows it
// becomes a top-level record. The rows show the moved node at its new level and no drag image stays.
TEST_F(DxDBTreeListDragTest, DraggingANodeWithTheMouseRewritesItsParentField) {
  MakeDraggableTree();
  Focus(1);
  ASSERT_EQ(Rows(tree), "Область,Район,Село,Город,Квартал,Другая,Петля А,Петля Б");
  const int secondLevel = TextStartOf(2);
  ASSERT_GT(secondLevel, 0);
  EXPECT_NEAR(TextStartOf(5), secondLevel, kGlyphBearing);

  MouseDrag(5, 6);
  EXPECT_EQ(ParentOf(5), 6);
  EXPECT_EQ(deps->State(), dsBrowse);
  EXPECT_EQ(Tree(tree), "1(3(2),4),6(5),7(8)");
  EXPECT_EQ(tree->GetDragImages(), nullptr);
  tree->FindNodeByKey(6)->SetExpanded(true);
  Focus(1);
  EXPECT_EQ(Rows(tree), "Область,Район,Село,Город,Другая,Квартал,Петля А,Петля Б");
  const int firstLevel = TextStartOf(4);
  EXPECT_LT(firstLevel, secondLevel - kGlyphBearing);
  EXPECT_NEAR(TextStartOf(5), firstLevel, kGlyphBearing)
      << "the moved row is drawn one level in from its new root";
  KeepCheckedScreen("moved");

  MouseDrag(4, 0);
  EXPECT_EQ(ParentOf(4), 0) << "the first root's parent value";
  EXPECT_EQ(Tree(tree), "1(3(2)),6(5),7(8),4");
  Focus(1);
  EXPECT_LT(TextStartOf(4), firstLevel - kGlyphBearing) << "a top-level row";
  KeepCheckedScreen("top-level");
}

// A node is not dropped into its own subtree: nothing is written. With Ctrl held and copying allowed,
// the dragged subtree is copied under the target with new keys and the originals stay.
TEST_F(DxDBTreeListDragTest, CtrlCopiesTheDraggedSubtreeAndAMoveIntoItselfIsRefused) {
  MakeDraggableTree();
  tree->SetOptionsBehavior(tree->OptionsBehavior() + TdxDBTreeListOptionsBehavior{etoAutoDragDropCopy});
  Focus(1);
  MouseDrag(3, 2);
  EXPECT_EQ(ParentOf(3), 1);
  EXPECT_EQ(Tree(tree), "1(3(2),4(5)),6,7(8)");

  SimulateKeyDown(VK_CONTROL);
  Pump();
  MouseDrag(4, 6);
  SimulateKeyUp(VK_CONTROL);
  Pump();
  EXPECT_EQ(Tree(tree), "1(3(2),4(5)),6(9(10)),7(8)");
  deps->Locate(u"ID", 10, {});
  EXPECT_EQ(StringToUtf8(deps->FieldByName(u"NAME")->AsString()), "Квартал");
  EXPECT_EQ(deps->RecordCount(), 10);
  tree->FindNodeByKey(6)->SetExpanded(true);
  tree->FindNodeByKey(9)->SetExpanded(true);
  Pump();
  Focus(1);
  EXPECT_NEAR(TextStartOf(10), TextStartOf(5), kGlyphBearing)
      << "the copied leaf is drawn at the level of its original";
  KeepCheckedScreen("copied");
}

// Pressed on a node of a multi-selection, the drag takes the whole selection along; pressed on a
// node outside it, only that node.
TEST_F(DxDBTreeListDragTest, ADragFromASelectedNodeMovesTheWholeSelection) {
  MakeDraggableTree();
  tree->SetOptionsBehavior(tree->OptionsBehavior() + TdxDBTreeListOptionsBehavior{etoMultiSelect});
  Focus(1);
  Select(2, 5);
  MouseDrag(5, 6);
  EXPECT_EQ(ParentOf(2), 6);
  EXPECT_EQ(ParentOf(5), 6);
  EXPECT_EQ(Tree(tree), "1(3,4),6(2,5),7(8)");

  tree->FindNodeByKey(6)->SetExpanded(true);
  Pump();
  Select(3, 4);
  MouseDrag(8, 6);
  EXPECT_EQ(ParentOf(8), 6);
  EXPECT_EQ(ParentOf(3), 1);
  EXPECT_EQ(ParentOf(4), 1);
}

}  // namespace
