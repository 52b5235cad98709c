// A form on the virtual desktop with a lookup combo box over the category table and a stand-alone
// dataset lookup grid, driven by simulated input and checked on values and pixels.
#include <gtest/gtest.h>

#include "cx/editors-ext/cxDBLookupComboBox.h"
#include "cx/editors-ext/tests/cxLookupGridFixture.h"
#include "cx/foundation/tests/cxControlsTestUtil.h"

namespace {

class CxLookupComboBoxForm : public CxControlsTest {
 protected:
  void SetUp() override {
    CxControlsTest::SetUp();
    form = MakeForm(100, 100, 500, 400);
    form->Font()->SetName(kFixedTestFontName);
    form->Font()->SetHeight(-16);
    combo = Add<TcxLookupComboBox>(form, 10, 10, 200, 24);
    TcxLookupComboBoxProperties* p = combo->Properties();
    p->SetListSource(tables.categorySource);
    p->SetKeyFieldNames(u"KATID");
    p->SetListFieldNames(u"NAME");
    combo->Style()->SetColor(clWhite);
    grid = Add<TcxLookupDBGrid>(form, 250, 10, 200, 150);
    SetLookupGridTestLook(grid);
    grid->SetKeyFieldNames(u"KATID");
    grid->SetDataSource(tables.categorySource);
    grid->SetColumnsByFieldNames(u"NAME;KATID");
    form->Show();
    Pump();
    combo->SetFocus();
    Pump();
  }
  void TearDown() override { CxControlsTest::TearDown(); }

  TcxLookupDBGrid* List() { return combo->Properties()->Grid(); }
  TcxCustomDataController* ListController() { return List()->DataController(); }
  // The middle of a laid-out row of a grid, in its client coordinates.
  static POINT RowPoint(TcxCustomLookupGrid* AGrid, int ARowIndex) {
    const TcxLookupGridRowViewInfo* row = AGrid->ViewInfo()->FindRow(ARowIndex);
    EXPECT_NE(row, nullptr) << ARowIndex;
    if (!row) return {-1, -1};
    return {(row->Bounds.left + row->Bounds.right) / 2, (row->Bounds.top + row->Bounds.bottom) / 2};
  }
  // A point of a row's first cell clear of its text and focus rectangle.
  static POINT RowBackgroundPoint(TcxCustomLookupGrid* AGrid, int ARowIndex) {
    const TcxLookupGridRowViewInfo* row = AGrid->ViewInfo()->FindRow(ARowIndex);
    if (!row) return {-1, -1};
    return {row->Cells[0].ContentBounds.right - 3, row->Bounds.top + 2};
  }
  void Open() {
    Key(VK_DOWN, 4);
    ASSERT_TRUE(combo->DroppedDown());
  }

  TLookupGridTables tables;
  TForm* form = nullptr;
  TcxLookupComboBox* combo = nullptr;
  TcxLookupDBGrid* grid = nullptr;
};

TEST_F(CxLookupComboBoxForm, ATypedPrefixFiltersTheListAndSelectsTheTail) {
  SimulateText(u"Аб");
  Pump();
  ASSERT_TRUE(combo->DroppedDown()) << "typing opens the list";
  EXPECT_EQ(combo->Text(), S("Абитуриенты"));
  EXPECT_EQ(combo->SelStart(), 2);
  EXPECT_EQ(combo->SelLength(), static_cast<int>(String(S("Абитуриенты")).size()) - 2);
  EXPECT_EQ(ListController()->GetRowCount(), 1) << "the incremental filter";
  EXPECT_EQ(ScreenPixel(List(), RowBackgroundPoint(List(), 0).x, RowBackgroundPoint(List(), 0).y),
            ColorToRGB(clHighlight));
  KeepCheckedScreen("filtered");
  Key(VK_RETURN);
  EXPECT_FALSE(combo->DroppedDown());
  EXPECT_EQ(combo->EditValue(), Variant(11));
}

TEST_F(CxLookupComboBoxForm, DownAndPageDownMoveThroughTheOpenListEnterAcceptsEscDoesNot) {
  combo->SetEditValue(Variant(2));
  Open();
  EXPECT_EQ(ListController()->GetFocusedRowIndex(), 1) << "the value's row";
  Key(VK_DOWN);
  EXPECT_EQ(ListController()->GetFocusedRowIndex(), 2);
  Key(VK_NEXT);
  const int afterPage = ListController()->GetFocusedRowIndex();
  EXPECT_GT(afterPage, 2);
  const POINT focused = RowBackgroundPoint(List(), afterPage);
  EXPECT_EQ(ScreenPixel(List(), focused.x, focused.y), ColorToRGB(clHighlight));
  // The focus rectangle dots the focused row's top edge; a grid line runs under every row.
  const TcxLookupGridRowViewInfo* row = List()->ViewInfo()->FindRow(afterPage);
  ASSERT_NE(row, nullptr);
  int dots = 0;
  for (int x = row->ContentBounds.left + 20; x < row->ContentBounds.left + 60; ++x)
    dots += ScreenPixel(List(), x, row->ContentBounds.top) != ColorToRGB(clHighlight) ? 1 : 0;
  EXPECT_GE(dots, 15);
  EXPECT_LE(dots, 25);
  const TcxLookupGridRowViewInfo* above = List()->ViewInfo()->FindRow(afterPage - 1);
  ASSERT_NE(above, nullptr);
  EXPECT_EQ(ScreenPixel(List(), 30, above->Bounds.bottom - 1), ColorToRGB(clBtnFace));
  KeepCheckedScreen("page down");
  Key(VK_ESCAPE);
  EXPECT_FALSE(combo->DroppedDown());
  EXPECT_EQ(combo->EditValue(), Variant(2)) << "Esc keeps the value";
  Open();
  Key(VK_DOWN);
  Key(VK_RETURN);
  EXPECT_FALSE(combo->DroppedDown());
  EXPECT_EQ(combo->EditValue(), Variant(3)) << "the row's key";
  EXPECT_EQ(combo->Text(), S("Водители"));
}

TEST_F(CxLookupComboBoxForm, AReleaseOverARowAcceptsItAndOutsideTheRowsDoesNot) {
  combo->SetEditValue(Variant(2));
  Open();
  const POINT row = RowPoint(List(), 4);
  MoveTo(List(), row.x, row.y);
  EXPECT_EQ(ListController()->GetFocusedRowIndex(), 1) << "the first move after opening is ignored";
  MoveTo(List(), row.x, row.y + 1);
  EXPECT_EQ(ListController()->GetFocusedRowIndex(), 4) << "the row under the pointer";
  Down(List(), row.x, row.y);
  Up(List(), row.x, row.y);
  EXPECT_FALSE(combo->DroppedDown());
  EXPECT_EQ(combo->EditValue(), Variant(5));

  Open();
  const POINT other = RowPoint(List(), 1);
  MoveTo(List(), other.x, other.y);
  MoveTo(List(), other.x, other.y + 1);
  Down(List(), other.x, other.y);
  Up(List(), other.x, 3);  // on the header
  EXPECT_FALSE(combo->DroppedDown());
  EXPECT_EQ(combo->EditValue(), Variant(5)) << "closed without accepting";
}

TEST_F(CxLookupComboBoxForm, AHeaderClickSortsTheStandAloneGridAndDrawsItsMark) {
  const RECT header = grid->ViewInfo()->Columns[1]->Bounds;
  auto darkInHeader = [&] {
    int dark = 0;
    for (int x = header.left + 2; x < header.right - 2; ++x)
      for (int y = header.top + 2; y < header.bottom - 2; ++y) {
        const TColor c = ScreenPixel(grid, x, y);
        dark += c != ColorToRGB(clBtnFace) && c != ColorToRGB(clBlack) ? 1 : 0;
      }
    return dark;
  };
  const int before = darkInHeader();
  Click(grid, header.left + 5, (header.top + header.bottom) / 2);
  EXPECT_EQ(grid->Columns()->Items(1)->SortOrder(), soAscending);
  Click(grid, header.left + 5, (header.top + header.bottom) / 2);
  EXPECT_EQ(grid->Columns()->Items(1)->SortOrder(), soDescending);
  TcxCustomDataController* dc = grid->DataController();
  EXPECT_EQ(dc->Values(dc->GetRowRecordIndex(0), 1), Variant(12));
  EXPECT_GT(darkInHeader(), before) << "the sorting mark";
  KeepCheckedScreen("sorted");
}

TEST_F(CxLookupComboBoxForm, APressDraggedBelowTheGridScrollsOnTimerTicks) {
  const POINT first = RowPoint(grid, 0);
  Down(grid, first.x, first.y);
  EXPECT_EQ(grid->FocusedRowIndex(), 0);
  const int whole = grid->ViewInfo()->WholeRowCount;
  MoveTo(grid, first.x, grid->ClientHeight() + 20);
  EXPECT_EQ(grid->AutoScrollDirection(), 2);
  EXPECT_EQ(grid->TopRowIndex(), 0) << "nothing before the first tick";
  Advance(50);
  EXPECT_EQ(grid->FocusedRowIndex(), whole + 1) << "the row after the one under the last whole row";
  EXPECT_EQ(grid->TopRowIndex(), whole + 1 - whole + 1);
  Advance(50);
  EXPECT_EQ(grid->TopRowIndex(), 4);
  Up(grid, first.x, grid->ClientHeight() + 20);
  EXPECT_EQ(grid->AutoScrollDirection(), 0);
  const int top = grid->TopRowIndex();
  Advance(200);
  EXPECT_EQ(grid->TopRowIndex(), top) << "released: no more ticks";
  const POINT focused = RowBackgroundPoint(grid, grid->FocusedRowIndex());
  EXPECT_NE(ScreenPixel(grid, focused.x, focused.y), ColorToRGB(clHighlight)) << "ticks focus without selecting";
  KeepCheckedScreen("scrolled");
}

TEST_F(CxLookupComboBoxForm, TheListDatasetClosedOrFreedUnderTheOpenList) {
  combo->SetEditValue(Variant(3));
  for (bool freed : {false, true}) {
    SCOPED_TRACE(freed ? "freed" : "closed");
    Open();
    if (freed) {
      delete tables.categories;
      tables.categories = nullptr;
    } else {
      tables.categories->Close();
    }
    Pump();
    EXPECT_EQ(ListController()->GetRowCount(), 0);
    Key(VK_DOWN);
    Key(VK_ESCAPE);
    EXPECT_FALSE(combo->DroppedDown());
    EXPECT_EQ(combo->EditValue(), Variant(3));
    // Leaving the edit: the unchanged text keeps the key, which has no text any more.
    grid->SetFocus();
    Pump();
    EXPECT_EQ(combo->EditValue(), Variant(3));
    EXPECT_EQ(combo->Text(), u"");
    combo->SetFocus();
    Pump();
    if (!freed) tables.categories->Open();
  }
}

TEST_F(CxLookupComboBoxForm, ARecordDeletedUnderAnUnfocusedEditEmptiesItsTextNotItsValue) {
  combo->SetEditValue(Variant(4));
  grid->SetFocus();
  Pump();
  EXPECT_EQ(combo->Text(), S("Главы"));
  ASSERT_TRUE(tables.categories->Locate(u"KATID", 4, {}));
  tables.categories->Delete();
  Pump();
  EXPECT_EQ(combo->Text(), u"");
  EXPECT_EQ(combo->EditValue(), Variant(4));
  EXPECT_EQ(grid->DataController()->GetRowCount(), 11) << "the stand-alone grid lost the row too";
}

}  // namespace
