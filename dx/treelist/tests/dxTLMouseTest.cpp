// The mouse through the real message path on the virtual clock: column sizing, header clicks that
// sort, expand buttons, click-to-edit against double clicks, and multi-selection by clicks.
#include "dx/treelist/tests/dxTreeListTestSupport.h"
#include "platform/win/Input.h"
#include "platform/win/Timers.h"

namespace {

class DxTLMouseTest : public DxTreeListTest {
 public:
  // Two columns of 100 pixels; rows A (with child A1, collapsed), B, C.
  TTestTreeList* Sample() {
    auto* tl = MakeTreeList();
    tl->SetShowIndicator(false);
    for (int i = 0; i < 2; ++i) tl->CreateColumn(TdxTreeListColumn::StaticClass())->SetWidth(100);
    for (const char* t : {"A", "B", "C"}) AddText(tl, nullptr, t);
    AddText(tl, tl->GetItem(0), "A1");
    tl->SetFocusedNode(tl->GetItem(0), 0, true);
    Pump();
    return tl;
  }
  static POINT Screen(TTestTreeList* tl, int X, int Y) {
    POINT p{X, Y};
    ClientToScreen(tl->Handle(), &p);
    return p;
  }
  static POINT HeaderPoint(TTestTreeList* tl, int Column, int FromRight) {
    TdxTreeListDrawInfo info;
    tl->CalcDrawInfo(info);
    const TdxTreeListHeaderItem* h = info.FindHeader(Column);
    return Screen(tl, h->Rect.right - FromRight, (h->Rect.top + h->Rect.bottom) / 2);
  }
  static POINT CellPoint(TTestTreeList* tl, TdxTreeListNode* Node, int Column) {
    RECT r;
    tl->GetCellRect(Node, Column, r);
    return Screen(tl, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
  }
  static void Click(POINT P, UINT Modifiers = 0) {
    if (Modifiers & 2) SimulateKeyDown(VK_CONTROL);
    if (Modifiers & 1) SimulateKeyDown(VK_SHIFT);
    SimulateClick(TSimButton::Left, P);
    if (Modifiers & 1) SimulateKeyUp(VK_SHIFT);
    if (Modifiers & 2) SimulateKeyUp(VK_CONTROL);
    Pump();
  }
  void NextClickIsSingle() { clock_->Advance(GetDoubleClickTime() + 1); }
};

TEST_F(DxTLMouseTest, DraggingAHeaderEdgeSizesTheColumnWithinItsBand) {
  auto* tl = Sample();
  int widthEvents = 0;
  tl->OnChangedColumnsWidth = [&](TObject*) { ++widthEvents; };
  POINT edge = HeaderPoint(tl, 0, 2);
  SimulateMouseDown(TSimButton::Left, edge);
  Pump();
  ASSERT_EQ(tl->State(), tsColumnSizing);
  SimulateMouseMove(POINT{edge.x + 40, edge.y});
  Pump();
  EXPECT_EQ(tl->SizingLine(), 98 + 40);
  SimulateMouseUp(TSimButton::Left, POINT{edge.x + 40, edge.y});
  Pump();
  EXPECT_EQ(tl->State(), tsNormal);
  EXPECT_EQ(tl->GetColumn(0)->Width(), 98 + 40 + 1);
  EXPECT_EQ(widthEvents, 1);
  // Far to the right the line stops at the client's edge while the columns make the band's width,
  // and at the band's right edge when they do not.
  for (bool bandWidthColumns : {true, false}) {
    tl->SetDefaultLayout(bandWidthColumns);
    DWORD ex = tl->OptionFlagsEx() & ~dxtlox::BandHeaderWidth;
    tl->SetOptionFlagsEx(bandWidthColumns ? ex | dxtlox::BandHeaderWidth : ex);
    Pump();
    ASSERT_EQ(tl->IsBandHeaderWidthShown(), bandWidthColumns);
    NextClickIsSingle();
    edge = HeaderPoint(tl, 0, 2);
    SimulateMouseDown(TSimButton::Left, edge);
    SimulateMouseMove(POINT{edge.x + 2000, edge.y});
    Pump();
    TdxTreeListDrawInfo info;
    tl->CalcDrawInfo(info);
    EXPECT_EQ(tl->SizingLine(), bandWidthColumns ? tl->ClientWidth() - 1 : info.Bands[0].Rect.right);
    if (bandWidthColumns) {
      SimulateMouseUp(TSimButton::Left, POINT{edge.x + 2000, edge.y});
      Pump();
      tl->GetColumn(0)->SetWidth(139);
    }
  }
  SimulateKeyPress(VK_ESCAPE);  // Esc cancels: the width stays
  Pump();
  EXPECT_EQ(tl->State(), tsNormal);
  EXPECT_EQ(tl->GetColumn(0)->Width(), 139);
  SimulateMouseUp(TSimButton::Left, POINT{edge.x + 2000, edge.y});
  Pump();
  EXPECT_EQ(tl->GetColumn(0)->Width(), 139);
}

TEST_F(DxTLMouseTest, HeaderClicksSortAndAReleaseElsewhereDoesNot) {
  auto* tl = Sample();
  tl->SetOptionFlags(tl->OptionFlags() | dxtlo::AutoSort);
  POINT header = HeaderPoint(tl, 1, 50);
  Click(header);
  EXPECT_EQ(tl->GetColumn(1)->Sorted(), csUp);
  NextClickIsSingle();
  Click(header);
  EXPECT_EQ(tl->GetColumn(1)->Sorted(), csDown);
  NextClickIsSingle();
  Click(header, 2);  // Ctrl removes the sort
  EXPECT_EQ(tl->GetColumn(1)->Sorted(), csNone);
  NextClickIsSingle();
  SimulateMouseDown(TSimButton::Left, header);
  Pump();
  EXPECT_EQ(tl->PressedColumn(), 1);
  SimulateMouseMove(CellPoint(tl, tl->GetItem(2), 0));
  SimulateMouseUp(TSimButton::Left, CellPoint(tl, tl->GetItem(2), 0));
  Pump();
  EXPECT_EQ(tl->GetColumn(1)->Sorted(), csNone);
}

TEST_F(DxTLMouseTest, AnExpandButtonTogglesTheNodeWithoutOnMouseDown) {
  auto* tl = Sample();
  int downs = 0;
  tl->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { ++downs; };
  TdxTreeListNode* a = tl->GetItem(0);
  int buttonRight = 0, contentLeft = 0;
  tl->GetTreeIndent(a, buttonRight, contentLeft);
  RECT cell;
  tl->GetCellRect(a, 0, cell);
  POINT button = Screen(tl, buttonRight - 6, (cell.top + cell.bottom) / 2);
  TdxTreeListHitInfo hit;
  POINT client{buttonRight - 6, (cell.top + cell.bottom) / 2};
  tl->GetHitInfo(client, hit);
  ASSERT_EQ(hit.HitKind, tlhButton);
  Click(button);
  EXPECT_TRUE(a->Expanded());
  EXPECT_EQ(downs, 0);
  NextClickIsSingle();
  Click(CellPoint(tl, tl->GetItem(2), 1));
  EXPECT_EQ(downs, 1);
}

TEST_F(DxTLMouseTest, ClickOnTheFocusedCellEditsAfterTheDoubleClickTimeButADoubleClickDoesNot) {
  auto* tl = Sample();
  tl->SetOptionFlags((tl->OptionFlags() | dxtlo::Editing) & ~dxtlo::RowSelect);
  auto* other = new TEdit(tl->Owner());
  other->SetParent(tl->Parent());
  other->SetBounds(0, 310, 80, 20);
  other->SetFocus();
  Pump();
  // The first click into an unfocused tree list never starts the timer.
  Click(CellPoint(tl, tl->GetItem(0), 0));
  EXPECT_FALSE(tl->IsClickTimerRunning());
  NextClickIsSingle();
  Pump();
  EXPECT_NE(tl->State(), tsEditing);

  Click(CellPoint(tl, tl->GetItem(0), 0));
  EXPECT_TRUE(tl->IsClickTimerRunning());
  EXPECT_NE(tl->State(), tsEditing);
  clock_->Advance(GetDoubleClickTime() + 1);
  Pump();
  EXPECT_EQ(tl->State(), tsEditing);
  tl->CloseEditor();

  NextClickIsSingle();
  int doubles = 0;
  tl->OnDblClick = [&](TObject*) { ++doubles; };
  POINT b = CellPoint(tl, tl->GetItem(0), 0);
  Click(b);
  Click(b);
  EXPECT_EQ(doubles, 1);
  EXPECT_TRUE(tl->GetItem(0)->Expanded());  // DblClkExpanding
  clock_->Advance(GetDoubleClickTime() + 1);
  Pump();
  EXPECT_NE(tl->State(), tsEditing);
}

TEST_F(DxTLMouseTest, ClicksSelectTogglesAndRangesAndAPressedSelectionWaitsForTheRelease) {
  auto* tl = Sample();
  tl->StoresSelection = true;
  tl->SetOptionFlags(tl->OptionFlags() | dxtlo::MultiSelect);
  auto selected = [&] {
    std::string s;
    for (int i = 0; i < tl->GetCount(); ++i) s += tl->IsNodeSelected(tl->GetItem(i)) ? "1" : "0";
    return s;
  };
  struct Step {
    int row;
    UINT modifiers;
    const char* after;
  };
  const Step steps[] = {
      {0, 0, "100"},  // a plain click selects the row alone and anchors there
      {2, 1, "111"},  // Shift: the range from the anchor
      {1, 2, "101"},  // Ctrl toggles
      {1, 2, "111"},
  };
  for (const Step& s : steps) {
    NextClickIsSingle();
    Click(CellPoint(tl, tl->GetItem(s.row), 1), s.modifiers);
    EXPECT_EQ(selected(), s.after) << "row " << s.row;
  }
  NextClickIsSingle();
  POINT c = CellPoint(tl, tl->GetItem(2), 1);
  SimulateMouseDown(TSimButton::Left, c);
  Pump();
  EXPECT_EQ(selected(), "111");  // pressed on a selected row: kept for a drag
  SimulateMouseUp(TSimButton::Left, c);
  Pump();
  EXPECT_EQ(selected(), "001");
}

// The sizing line inverts the pixels under it and leaves none behind when it moves, when the window
// repaints under it and when the sizing ends.
TEST_F(DxTLMouseTest, TheSizingLineInvertsThePixelsAndLeavesNoTrace) {
  auto* tl = Sample();
  RECT cell;
  tl->GetCellRect(tl->GetItem(1), 1, cell);
  int y = (cell.top + cell.bottom) / 2;
  auto pixels = [&](int x) {
    std::vector<COLORREF> column;
    HDC dc = GetDC(tl->Handle());
    for (int row = 0; row < tl->ClientHeight(); row += 3) column.push_back(GetPixel(dc, x, row));
    ReleaseDC(tl->Handle(), dc);
    return column;
  };
  auto pixelAt = [&](int x) {
    HDC dc = GetDC(tl->Handle());
    COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(tl->Handle(), dc);
    return c;
  };
  const int from = 98, to = 98 + 40;
  std::vector<COLORREF> atFrom = pixels(from), atTo = pixels(to);
  COLORREF under = pixelAt(to);
  POINT edge = HeaderPoint(tl, 0, 2);
  SimulateMouseDown(TSimButton::Left, edge);
  Pump();
  ASSERT_EQ(tl->State(), tsColumnSizing);
  EXPECT_EQ(pixelAt(from), ~pixelAt(from + 5) & 0xFFFFFF) << "the line shows where the press was";
  SimulateMouseMove(POINT{edge.x + 40, edge.y});
  Pump();
  KeepCheckedWindow(tl->Handle());
  EXPECT_EQ(pixels(from), atFrom) << "the old line is erased";
  EXPECT_EQ(pixelAt(to), ~under & 0xFFFFFF);
  tl->Invalidate();
  Pump();
  EXPECT_EQ(pixels(from), atFrom);
  EXPECT_EQ(pixelAt(to), ~under & 0xFFFFFF) << "a repaint keeps one line, not two";
  SimulateKeyDown(VK_ESCAPE);
  SimulateKeyUp(VK_ESCAPE);
  Pump();
  EXPECT_EQ(tl->State(), tsNormal);
  KeepCheckedWindow(tl->Handle());
  EXPECT_EQ(pixels(to), atTo) << "a cancelled sizing leaves no line";
}

}  // namespace
