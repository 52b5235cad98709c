// The new-item row (its place, look, hit test, focus and editing hooks) and the filter status bar's
// clear-filter button in its three looks.
#include "dx/treelist/tests/dxTreeListTestSupport.h"
#include "platform/win/Input.h"

namespace {

class TNewItemTreeList : public TTestTreeList {
 public:
  using TTestTreeList::TTestTreeList;
  bool AllowNewItem = true;
  std::vector<std::string> Log;
  String GetNewItemRowText(int Column) override { return u"new" + Utf8ToString(std::to_string(Column)); }
  void BeginNewItemRowEditing(bool& Allow) override {
    Log.push_back("begin");
    Allow = AllowNewItem;
  }
  void ActivateNewItemRow() override { Log.push_back("activate"); }
};

class TFilterBarTreeList : public TTestTreeList {
 public:
  using TTestTreeList::TTestTreeList;
  bool Filtered = true;
  int Clears = 0;
  bool IsFilterStatusVisible() override { return true; }
  bool IsFiltered() override { return Filtered; }
  String GetFilterText() override { return u"Name = 'A'"; }
  void ClearFilter() override { ++Clears; }
};

class DxTLNewItemRowTest : public DxTreeListTest {
 public:
  // Two 100-pixel columns, rows "A" and "B", an indicator and the new-item row.
  TNewItemTreeList* Sample(std::initializer_list<const char*> Rows = {"A", "B"}) {
    auto* tl = MakeTreeListOf<TNewItemTreeList>(300, 200);
    for (int i = 0; i < 2; ++i) tl->CreateColumn(TdxTreeListColumn::StaticClass())->SetWidth(100);
    for (const char* t : Rows) AddText(tl, nullptr, t);
    tl->SetShowIndicator(true);
    tl->SetShowNewItemRow(true);
    tl->SetOptionFlags(tl->OptionFlags() & ~dxtlo::RowSelect);
    tl->SetFocus();
    if (tl->GetFirstNode()) tl->SetFocusedNode(tl->GetFirstNode(), 0, true);
    Pump();
    return tl;
  }
  static RECT NewItemCell(TCustomdxTreeList* tl, int Column) {
    RECT r;
    tl->GetNewItemCellRect(Column, r);
    return r;
  }
  static POINT Centre(TCustomdxTreeList* tl, const RECT& R) {
    return ToScreen(tl, (R.left + R.right) / 2, (R.top + R.bottom) / 2);
  }
  static void Click(POINT P) {
    SimulateMouseDown(TSimButton::Left, P);
    SimulateMouseUp(TSimButton::Left, P);
    Pump();
  }
};

TEST_F(DxTLNewItemRowTest, TheRowSitsUnderTheHeaderAndIsHitAsItsOwnKind) {
  auto* tl = Sample();
  TdxTreeListDrawInfo info = DrawInfo(tl);
  const RECT& row = info.Areas.NewItemRow;
  EXPECT_EQ(row.top, info.Areas.HeaderPanel.bottom);
  EXPECT_EQ(row.bottom - row.top, tl->DefaultRowHeight() + (tl->LookAndFeel() == lfStandard ? 6 : 5));
  EXPECT_EQ(info.Areas.Rows.top, row.bottom);
  struct TCase {
    const char* where;
    POINT at;
    int column;
  } cases[] = {
      {"first cell", POINT{50, row.top + 3}, 0},
      {"second cell", POINT{150, row.top + 3}, 1},
      {"the gap below the cells", POINT{50, row.bottom - 2}, -1},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.where);
    TdxTreeListHitInfo hit;
    tl->GetHitInfo(c.at, hit);
    EXPECT_EQ(hit.HitKind, tlhNewItemRow);
    EXPECT_EQ(hit.Column, c.column);
  }
  // Switching the row off gives its height back to the rows.
  tl->SetShowNewItemRow(false);
  Pump();
  EXPECT_EQ(DrawInfo(tl).Areas.Rows.top, info.Areas.HeaderPanel.bottom);
}

TEST_F(DxTLNewItemRowTest, TheRowShowsItsTextsAndTakesTheHighlightWhenActive) {
  auto* tl = Sample();
  const COLORREF ink = ColorToColorRef(clWindowText), face = ColorToColorRef(clBtnFace);
  const COLORREF highlight = ColorToColorRef(clHighlight);
  TdxTreeListDrawInfo info = DrawInfo(tl);
  const RECT& row = info.Areas.NewItemRow;
  RECT cell0 = NewItemCell(tl, 0), cell1 = NewItemCell(tl, 1);
  EXPECT_EQ(cell0.top, row.top);
  EXPECT_EQ(cell0.bottom - cell0.top, tl->DefaultRowHeight());
  EXPECT_GT(CountColour(tl, cell0, ink), 10) << "the new-item text of the column";
  EXPECT_EQ(CountColour(tl, cell0, highlight), 0) << "not active yet";
  // The gap is a header frame; the indicator part shows the insert mark on the header colour.
  EXPECT_EQ(Pixel(tl, 50, row.bottom - 3), face);
  RECT indicator{row.left, row.top, info.Areas.Rows.left, row.bottom};
  EXPECT_GT(CountColour(tl, indicator, face), 0);
  EXPECT_GT(CountColour(tl, indicator, ink), 0);
  RECT a0;
  tl->GetCellRect(tl->GetItem(0), 0, a0);
  EXPECT_GT(CountColour(tl, a0, highlight), 50) << "the focused node's cell before";

  Click(Centre(tl, cell1));
  ASSERT_TRUE(tl->IsNewItemRowActive());
  EXPECT_EQ(tl->GetFocusedColumn(), 1) << "the clicked column is focused";
  EXPECT_EQ(tl->FocusedNode(), tl->GetItem(0)) << "the focused node stays";
  KeepCheckedWindow(tl->Handle(), "active");
  EXPECT_GT(CountColour(tl, cell1, highlight), 50);
  EXPECT_EQ(CountColour(tl, cell0, highlight), 0);
  RECT a1;
  tl->GetCellRect(tl->GetItem(0), 1, a1);
  EXPECT_EQ(CountColour(tl, a1, highlight), 0) << "the node row gives up the highlight";

  SimulateKeyPress(VK_DOWN, 0);
  Pump();
  EXPECT_FALSE(tl->IsNewItemRowActive());
  EXPECT_EQ(CountColour(tl, cell1, highlight), 0);
  EXPECT_GT(CountColour(tl, a1, highlight), 50);
}

// The indicator part of the new-item row shows the program's insert glyph, centred, the header colour
// showing where the bitmap is white.
TEST_F(DxTLNewItemRowTest, TheIndicatorShowsTheInsertGlyph) {
  auto* tl = Sample();
  TdxTreeListDrawInfo info = DrawInfo(tl);
  const RECT& row = info.Areas.NewItemRow;
  const RECT cell{row.left, row.top, info.Areas.Rows.left, row.bottom};
  TBitmap glyph;
  glyph.LoadFromResourceName(nullptr, u"DXGRID_INSERT");
  const int x0 = cell.left + (cell.right - cell.left - glyph.Width()) / 2;
  const int y0 = cell.top + (cell.bottom - cell.top - glyph.Height()) / 2;
  int drawn = 0;
  for (int y = 0; y < glyph.Height(); ++y)
    for (int x = 0; x < glyph.Width(); ++x) {
      TColor colour = glyph.Canvas()->Pixels(x, y);
      if (ColorToRGB(colour) == ColorToRGB(clWhite)) {
        EXPECT_EQ(Pixel(tl, x0 + x, y0 + y), ColorToColorRef(clBtnFace)) << x << "," << y;
        continue;
      }
      EXPECT_EQ(Pixel(tl, x0 + x, y0 + y), ColorToColorRef(colour)) << x << "," << y;
      ++drawn;
    }
  EXPECT_GT(drawn, 3);
  KeepCheckedWindow(tl->Handle(), "indicator");
}

TEST_F(DxTLNewItemRowTest, EditingTheRowAsksTheHookAndPlacesTheEditorInTheRow) {
  auto* tl = Sample();
  tl->SetOptionFlags(tl->OptionFlags() | dxtlo::ImmediateEditor);
  RECT cell0 = NewItemCell(tl, 0);
  // Refused: the row becomes active, but no editor opens.
  tl->AllowNewItem = false;
  Click(Centre(tl, cell0));
  EXPECT_TRUE(tl->IsNewItemRowActive());
  EXPECT_EQ(tl->State(), tsNormal);
  EXPECT_EQ(tl->InplaceEditor(), nullptr);
  ASSERT_EQ(tl->Log, std::vector<std::string>{"begin"});
  // Allowed: the click opens the editor over the new-item cell, not over the focused node's cell.
  tl->AllowNewItem = true;
  clock_->Advance(GetDoubleClickTime() + 10);  // not a double click
  Click(Centre(tl, cell0));
  EXPECT_EQ(tl->Log, (std::vector<std::string>{"begin", "begin"}));
  ASSERT_EQ(tl->State(), tsEditing);
  ASSERT_NE(tl->InplaceEditor(), nullptr);
  RECT editor;
  GetWindowRect(tl->InplaceEditor()->Handle(), &editor);
  POINT editorCentre{(editor.left + editor.right) / 2, (editor.top + editor.bottom) / 2};
  ScreenToClient(tl->Handle(), &editorCentre);
  EXPECT_TRUE(PtInRect(&cell0, editorCentre)) << editorCentre.x << "," << editorCentre.y;
  KeepCheckedWindow(tl->Handle(), "editing");
}

TEST_F(DxTLNewItemRowTest, ASecondClickOnTheActiveCellEditsAfterTheDoubleClickTime) {
  auto* tl = Sample();
  RECT cell1 = NewItemCell(tl, 1);
  Click(Centre(tl, cell1));
  ASSERT_TRUE(tl->IsNewItemRowActive());
  EXPECT_FALSE(tl->IsClickTimerRunning()) << "the first click only enters the row";
  clock_->Advance(GetDoubleClickTime() + 10);
  Pump();
  Click(Centre(tl, cell1));
  EXPECT_TRUE(tl->IsClickTimerRunning());
  clock_->Advance(GetDoubleClickTime());
  Pump();
  EXPECT_EQ(tl->State(), tsEditing);
  EXPECT_EQ(tl->Log, std::vector<std::string>{"begin"});
}

TEST_F(DxTLNewItemRowTest, WithoutAFocusedNodeAClickAsksToActivateTheRow) {
  auto* tl = Sample({});
  ASSERT_TRUE(tl->IsNewItemRowVisible());
  Click(Centre(tl, NewItemCell(tl, 0)));
  EXPECT_EQ(tl->Log, std::vector<std::string>{"activate"});
  EXPECT_FALSE(tl->IsNewItemRowActive());
}

// ImmediateEditor: a click on a cell opens its editor at the release, also when an update bracket
// (a data-aware grid moving its dataset) ran between the press and the release.
TEST_F(DxTLNewItemRowTest, AClickOpensTheEditorAtOnceWithImmediateEditor) {
  for (bool bracket : {false, true}) {
    SCOPED_TRACE(bracket ? "with a bracket during the press" : "plain click");
    auto* tl = Sample();
    tl->SetOptionFlags(tl->OptionFlags() | dxtlo::ImmediateEditor);
    RECT b1;
    tl->GetCellRect(tl->GetItem(1), 1, b1);
    POINT at = Centre(tl, b1);
    SimulateMouseDown(TSimButton::Left, at);
    Pump();
    ASSERT_EQ(tl->State(), tsNodeDown);
    if (bracket) {
      tl->BeginUpdate();
      tl->EndUpdate();
      ASSERT_EQ(tl->State(), tsNormal);
    }
    SimulateMouseUp(TSimButton::Left, at);
    Pump();
    EXPECT_EQ(tl->State(), tsEditing);
    EXPECT_EQ(Text(tl->FocusedNode()), "B");
    EXPECT_EQ(tl->GetFocusedColumn(), 1);
    EXPECT_TRUE(tl->Log.empty()) << "not the new-item row";
    tl->HideEditor();
    clock_->Advance(GetDoubleClickTime() + 10);
  }
}

class DxTLFilterBarTest : public DxTreeListTest {
 public:
  TFilterBarTreeList* Sample() {
    auto* tl = MakeTreeListOf<TFilterBarTreeList>(300, 200);
    tl->CreateColumn(TdxTreeListColumn::StaticClass())->SetWidth(100);
    AddText(tl, nullptr, "A");
    Pump();
    return tl;
  }
  // Fill, outline and stroke colours seen on the button: a pixel inside between the strokes, its
  // top-left corner, and the cross's first stroke pixel. Button text and window frame are both dark.
  static std::string Look(TCustomdxTreeList* tl) {
    RECT b;
    tl->GetClearFilterButtonRect(b);
    auto name = [](COLORREF c) -> std::string {
      struct TName {
        TColor colour;
        const char* name;
      } names[] = {{clBtnFace, "face"}, {clBtnText, "dark"}, {clWindowFrame, "dark"}, {clWindow, "window"}};
      for (const TName& n : names)
        if (ColorToColorRef(n.colour) == c) return n.name;
      return "other";
    };
    return name(Pixel(tl, b.left + 5, b.top + 2)) + "/" + name(Pixel(tl, b.left, b.top)) + "/" +
           name(Pixel(tl, b.left + 2, b.top + 2));
  }
};

TEST_F(DxTLFilterBarTest, TheClearFilterButtonIsDrawnPlainHotAndPressed) {
  auto* tl = Sample();
  RECT b;
  tl->GetClearFilterButtonRect(b);
  ASSERT_FALSE(IsRectEmpty(&b));
  EXPECT_EQ(b.right - b.left, 12);
  EXPECT_EQ(b.bottom - b.top, 11);
  EXPECT_EQ(Look(tl), "face/dark/dark");
  // The cross: both strokes are two pixels wide and meet in the middle.
  const COLORREF text = ColorToColorRef(clBtnText);
  for (int i = 0; i < 7; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(Pixel(tl, b.left + 2 + i, b.top + 2 + i), text);
    EXPECT_EQ(Pixel(tl, b.left + 3 + i, b.top + 2 + i), text);
    EXPECT_EQ(Pixel(tl, b.right - 3 - i, b.top + 2 + i), text);
    EXPECT_EQ(Pixel(tl, b.right - 4 - i, b.top + 2 + i), text);
  }
  // The filter text sits right of the button, light on the line colour.
  TdxTreeListDrawInfo info = DrawInfo(tl);
  RECT textArea{b.right + 3, info.Areas.FilterStatus.top, 300, info.Areas.FilterStatus.bottom};
  EXPECT_GT(CountColour(tl, textArea, ColorToColorRef(clBtnHighlight)), 20);
  KeepCheckedWindow(tl->Handle(), "plain");

  POINT over = ToScreen(tl, b.left + 5, b.top + 5);
  SimulateMouseMove(over);
  Pump();
  EXPECT_EQ(Look(tl), "window/dark/dark") << "hot";
  SimulateMouseDown(TSimButton::Left, over);
  Pump();
  ASSERT_EQ(tl->State(), tsClearFilterDown);
  EXPECT_EQ(Look(tl), "dark/window/window") << "pressed";
  KeepCheckedWindow(tl->Handle(), "pressed");
  // Dragged off the button it looks plain; back over it, pressed again.
  SimulateMouseMove(ToScreen(tl, 150, 50));
  Pump();
  EXPECT_EQ(Look(tl), "face/dark/dark");
  SimulateMouseMove(over);
  Pump();
  EXPECT_EQ(Look(tl), "dark/window/window");
  SimulateMouseUp(TSimButton::Left, over);
  Pump();
  EXPECT_EQ(tl->Clears, 1);
  EXPECT_EQ(Look(tl), "window/dark/dark") << "hot again after the release";
}

TEST_F(DxTLFilterBarTest, WithoutAFilterTheBarHasNoButtonAndTheTextStartsAtItsLeft) {
  auto* tl = Sample();
  tl->Filtered = false;
  tl->Invalidate();
  Pump();
  RECT b;
  tl->GetClearFilterButtonRect(b);
  const COLORREF line = ColorToColorRef(tl->LookAndFeel() == lfUltraFlat ? TColor(RGB(160, 160, 160)) : clBtnShadow);
  EXPECT_EQ(Pixel(tl, b.left, b.top), line) << "no outline";
  TdxTreeListDrawInfo info = DrawInfo(tl);
  RECT start{0, info.Areas.FilterStatus.top, 14, info.Areas.FilterStatus.bottom};
  EXPECT_GT(CountColour(tl, start, ColorToColorRef(clBtnHighlight)), 5) << "text where the button would be";
}

}  // namespace
