// The tree list's own messages and timers: the clear-filter hint on the virtual clock, the rows
// scrolling under a held press, the sizing cursors, the designer's hit test and the parent's font.
#include "dx/treelist/tests/dxTreeListTestSupport.h"
#include "platform/win/Input.h"

namespace {

// A tree list whose filter status bar and filter buttons are shown, as the data-aware grid's are
// while it filters; it logs the buttons' actions.
class TFilteredTreeList : public TTestTreeList {
 public:
  using TTestTreeList::TTestTreeList;
  bool IsFilterStatusVisible() override { return true; }
  bool IsFilterActive() override { return true; }
  String GetClearFilterCaption() override { return u"Clear"; }
  std::vector<std::string> Actions;
  void ClearFilter() override { Actions.push_back("clear"); }
  void ShowFilterDropDown(int Column) override {
    Actions.push_back("drop-down " + std::to_string(Column) + " open " + std::to_string(OpenFilterColumn()));
  }
};

class DxTLMessagesTest : public DxTreeListTest {
 public:
  TFilteredTreeList* MakeFiltered() {
    auto* tl = MakeTreeListOf<TFilteredTreeList>(300, 200);
    tl->CreateColumn(TdxTreeListColumn::StaticClass())->SetWidth(100);
    Pump();
    return tl;
  }
  static void Move(POINT P) {
    SimulateMouseMove(P);
    Pump();
  }
};

TEST_F(DxTLMessagesTest, TheClearFilterHintShowsAfterASecondForFiveSeconds) {
  auto* tl = MakeFiltered();
  RECT button;
  tl->GetClearFilterButtonRect(button);
  ASSERT_FALSE(IsRectEmpty(&button));
  POINT over = ToScreen(tl, (button.left + button.right) / 2, (button.top + button.bottom) / 2);
  Move(over);
  clock_->Advance(999);
  Pump();
  EXPECT_EQ(tl->ClearFilterHint(), nullptr);
  clock_->Advance(1);
  Pump();
  ASSERT_NE(tl->ClearFilterHint(), nullptr);
  HWND hint = tl->ClearFilterHint()->Handle();
  EXPECT_TRUE(IsWindowVisible(hint));
  RECT r;
  GetWindowRect(hint, &r);
  POINT at = ToScreen(tl, button.right + 4, button.top);
  EXPECT_EQ(r.left, at.x) << "4 pixels right of the button";
  EXPECT_LT(r.top, at.y) << "above the button";
  KeepCheckedScreen("hint");
  clock_->Advance(4999);
  Pump();
  EXPECT_NE(tl->ClearFilterHint(), nullptr);
  clock_->Advance(1);
  Pump();
  EXPECT_EQ(tl->ClearFilterHint(), nullptr) << "hidden after five seconds";
  // Leaving the button before the second is up shows nothing.
  Move(ToScreen(tl, 150, 50));
  Move(over);
  clock_->Advance(500);
  Pump();
  Move(ToScreen(tl, 150, 50));
  clock_->Advance(1000);
  Pump();
  EXPECT_EQ(tl->ClearFilterHint(), nullptr);
}

TEST_F(DxTLMessagesTest, AHeldPressBelowTheRowsMovesTheFocusEverySixtyMilliseconds) {
  auto* tl = MakeTreeList(300, 120);
  tl->SetShowIndicator(false);
  tl->CreateColumn(TdxTreeListColumn::StaticClass())->SetWidth(100);
  for (int i = 0; i < 20; ++i) AddText(tl, nullptr, std::to_string(i).c_str());
  tl->SetOptionFlags((tl->OptionFlags() & ~dxtlo::Editing) | dxtlo::RowSelect);
  tl->SetOptionFlagsEx(tl->OptionFlagsEx() | dxtlox::MouseScroll);
  Pump();
  RECT row;
  tl->GetNodeRect(tl->GetItem(0), row);
  POINT press = ToScreen(tl, 50, (row.top + row.bottom) / 2);
  SimulateMouseDown(TSimButton::Left, press);
  Pump();
  ASSERT_EQ(tl->State(), tsNodeDown);
  Move(ToScreen(tl, 50, tl->ClientHeight() + 20));
  const int last = tl->FullVisibleRowCount() - 1;
  EXPECT_EQ(tl->GetFocusedAbsoluteIndex(), last) << "the last fully visible row";
  clock_->Advance(60);
  Pump();
  EXPECT_EQ(tl->GetFocusedAbsoluteIndex(), last + 1);
  clock_->Advance(60);
  Pump();
  EXPECT_EQ(tl->GetFocusedAbsoluteIndex(), last + 2);
  SimulateMouseUp(TSimButton::Left, ToScreen(tl, 50, tl->ClientHeight() + 20));
  Pump();
  clock_->Advance(300);
  Pump();
  EXPECT_EQ(tl->GetFocusedAbsoluteIndex(), last + 2) << "the release stops it";
}

TEST_F(DxTLMessagesTest, SizingEdgesShowSplitCursorsAndTheDesignerGetsHeadersOnly) {
  auto* tl = MakeThreeBands();
  tl->SetOptionFlagsEx(tl->OptionFlagsEx() | dxtlox::BandSizing);
  Pump();
  TdxTreeListDrawInfo info = DrawInfo(tl);
  const TdxTreeListHeaderItem* c0 = info.FindHeader(0);
  const int headerY = (c0->Rect.top + c0->Rect.bottom) / 2;
  RECT cell;
  tl->GetCellRect(tl->GetItem(0), 0, cell);
  struct TCase {
    POINT client;
    bool split;
    LRESULT designer;
  };
  const TCase cases[] = {
      {{c0->Rect.right - 2, headerY}, true, 1},     // column edge
      {{c0->Rect.left + 20, headerY}, false, 1},    // header
      {{cell.left + 20, cell.top + 2}, false, 0},   // cell
  };
  for (const TCase& c : cases) {
    Move(ToScreen(tl, c.client.x, c.client.y));
    EXPECT_EQ(GetCursor() == Screen->Cursors(crHSplit), c.split) << c.client.x << "," << c.client.y;
    EXPECT_EQ(tl->Perform(CM_DESIGNHITTEST, 0, MAKELPARAM(c.client.x, c.client.y)), c.designer);
  }
  EXPECT_EQ(tl->Perform(WM_ERASEBKGND, 0, 0), 1) << "nothing is erased";
}

TEST_F(DxTLMessagesTest, AParentFontReachesTheBandHeaderAndPreviewFonts) {
  auto* tl = MakeTreeList();
  ASSERT_TRUE(tl->ParentFont());
  // Every change of the form's font arrives, not only the first.
  for (int size : {12, 14}) {
    TFont font;
    font.SetName(u"Arial");
    font.SetSize(size);
    font.SetColor(clRed);
    tl->Parent()->SetFont(&font);
    Pump();
    SCOPED_TRACE(size);
    ASSERT_EQ(tl->Font()->Size(), size);
    EXPECT_TRUE(tl->ParentFont());
    EXPECT_EQ(tl->BandFont()->Size(), size);
    EXPECT_EQ(tl->HeaderFont()->Name(), u"Arial");
    EXPECT_EQ(tl->HeaderFont()->Color(), clRed);
    EXPECT_EQ(tl->PreviewFont()->Size(), size);
    EXPECT_EQ(tl->PreviewFont()->Color(), clBlue) << "the preview keeps its blue";
  }
  // A font of its own ends it.
  tl->HeaderFont()->SetSize(9);
  EXPECT_FALSE(tl->ParentFont());
}

// The ultra-flat look with a border: a 1-pixel button-shadow frame and a client area 1 pixel
// smaller on each side; the standard look keeps its sunken client edge.
TEST_F(DxTLMessagesTest, TheUltraFlatLookDrawsItsOwnOnePixelFrame) {
  auto* tl = MakeTreeList(200, 100);
  tl->SetBorderStyle(bsSingle);
  tl->SetLookAndFeel(lfUltraFlat);
  Pump();
  EXPECT_EQ(tl->ClientWidth(), 198);
  EXPECT_EQ(tl->ClientHeight(), 98);
  HDC dc = GetWindowDC(tl->Handle());
  COLORREF frame = GetPixel(dc, 0, 50), inside = GetPixel(dc, 1, 50);
  ReleaseDC(tl->Handle(), dc);
  KeepCheckedWindow(tl->Handle());
  EXPECT_EQ(frame, GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(inside, ColorToRGB(tl->Color()));
  tl->SetLookAndFeel(lfStandard);
  Pump();
  EXPECT_LT(tl->ClientWidth(), 198) << "the standard look's client edge is wider";
}

// Panel buttons act only when released over themselves: the corners (with their options), a
// header's filter button and the clear-filter button.
TEST_F(DxTLMessagesTest, PanelButtonsActWhenReleasedOverThemselves) {
  auto* tl = MakeFiltered();
  tl->SetShowIndicator(true);
  tl->SetShowBands(true);
  tl->SetOptionFlagsEx(tl->OptionFlagsEx() | dxtlox::BandButtonClicking | dxtlox::HeaderButtonClicking);
  Pump();
  std::vector<std::string> corners;
  tl->OnBandButtonClick = [&](TObject*) { corners.push_back("band"); };
  tl->OnHeaderButtonClick = [&](TObject*) { corners.push_back("header"); };
  TdxTreeListRectInfo areas;
  tl->CalcRectInfo(areas);
  auto centre = [&](const RECT& r) { return ToScreen(tl, (r.left + r.right) / 2, (r.top + r.bottom) / 2); };
  RECT button;
  tl->GetClearFilterButtonRect(button);
  const TdxTreeListDrawInfo info = DrawInfo(tl);
  const RECT header = info.FindHeader(0)->Rect;
  struct TCase {
    POINT press, release;
    TdxTreeListState pressed;
  };
  const POINT away = ToScreen(tl, 150, 120);
  const TCase cases[] = {
      {centre(areas.BandCorner), centre(areas.BandCorner), tsBandButtonDown},
      {centre(areas.HeaderCorner), away, tsHeaderButtonDown},
      {centre(areas.HeaderCorner), centre(areas.HeaderCorner), tsHeaderButtonDown},
      {ToScreen(tl, header.right - 6, (header.top + header.bottom) / 2),
       ToScreen(tl, header.right - 6, (header.top + header.bottom) / 2), tsFilterButtonDown},
      {centre(button), away, tsClearFilterDown},
      {centre(button), centre(button), tsClearFilterDown},
  };
  for (const TCase& c : cases) {
    clock_->Advance(GetDoubleClickTime() + 1);
    SimulateMouseDown(TSimButton::Left, c.press);
    Pump();
    EXPECT_EQ(tl->State(), c.pressed);
    Move(c.release);
    SimulateMouseUp(TSimButton::Left, c.release);
    Pump();
    EXPECT_EQ(tl->State(), tsNormal);
  }
  EXPECT_EQ(corners, (std::vector<std::string>{"band", "header"}));
  EXPECT_EQ(tl->Actions, (std::vector<std::string>{"drop-down 0 open 0", "clear"}));
  EXPECT_EQ(tl->OpenFilterColumn(), -1);
}

}  // namespace
