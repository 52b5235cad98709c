// TDBGrid over a real SQLite dataset: columns from the fields or made in code, the current row
// following the dataset both ways, editing in place written to the database, and ellipsis
// buttons calling OnEditButtonClick with the selected field.
#include "platform/dbctrls/DBGrids.h"
#include "platform/dbctrls/tests/DataControlsFixture.h"
#include "platform/display/testing/CheckedScreens.h"

namespace {

class DBGridTest : public DataControlsTest {
 protected:
  void SetUp() override {
    DataControlsTest::SetUp();
    q = Query(u"select * from KAT order by M_KATID");
    grid = Add<TDBGrid>(10, 10, 460, 200);
    grid->SetBorderStyle(bsNone);
    grid->SetDataSource(Source(q));
    q->Open();
    Pump();
  }
  // The middle of a cell, for clicks.
  POINT Middle(int col, int row) {
    RECT r = grid->CellRect(col, row);
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  }
  TADOQuery* q = nullptr;
  TDBGrid* grid = nullptr;
};

TEST_F(DBGridTest, DefaultColumnsFollowTheFieldsAndRowsTheRecords) {
  ASSERT_EQ(grid->Columns()->Count(), 3);
  EXPECT_EQ(grid->Columns()->State(), csDefault);
  EXPECT_EQ(grid->Columns()->Items(1)->Title()->Caption(), u"NAME");
  EXPECT_EQ(grid->ColCount(), 4);  // the indicator and three fields
  EXPECT_EQ(grid->RowCount(), 4);  // the titles and three records
  EXPECT_EQ(grid->FixedCols(), 1);
  EXPECT_EQ(grid->FixedRows(), 1);
  EXPECT_EQ(grid->Row(), 1);
  q->Next();
  EXPECT_EQ(grid->Row(), 2);
  q->Last();
  EXPECT_EQ(grid->Row(), 3);
  q->Close();
  EXPECT_EQ(grid->Columns()->Count(), 0);
}

TEST_F(DBGridTest, MouseAndKeysMoveTheDataset) {
  POINT p = Middle(2, 3);
  Click(grid, p.x, p.y);
  EXPECT_EQ(q->RecNo(), 3);
  EXPECT_EQ(grid->SelectedField(), q->FieldByName(u"NAME"));
  Key(VK_UP);
  EXPECT_EQ(q->RecNo(), 2);
  EXPECT_EQ(grid->Row(), 2);
  Key(VK_RIGHT);
  EXPECT_EQ(grid->SelectedField(), q->FieldByName(u"DATEBEGIN"));
  Key(VK_HOME, 2);
  EXPECT_EQ(q->RecNo(), 1);
}

TEST_F(DBGridTest, EditingInPlaceIsPostedWhenTheRowIsLeft) {
  grid->SetSelectedField(q->FieldByName(u"NAME"));
  grid->SetFocus();
  Key(VK_F2);
  ASSERT_TRUE(grid->EditorMode());
  EXPECT_EQ(grid->InplaceEditor()->Text(), u"Руководители");
  SimulateText(u"Главные");
  Pump();
  Key(VK_DOWN);  // takes the text, leaves the row: the record is posted
  EXPECT_FALSE(grid->EditorMode());
  EXPECT_EQ(q->State(), dsBrowse);
  EXPECT_EQ(q->RecNo(), 2);
  EXPECT_EQ(Scalar(u"select NAME from KAT where M_KATID = 1"), "Главные");

  // Esc drops what was typed; the record stays unchanged.
  Key(VK_F2);
  SimulateText(u"ошибка");
  Pump();
  Key(VK_ESCAPE);
  EXPECT_FALSE(grid->EditorMode());
  EXPECT_EQ(q->State(), dsBrowse);
  EXPECT_EQ(q->FieldByName(u"NAME")->AsString(), u"Специалисты");

  // Typing on a cell starts the editor with the character; a read-only grid never edits.
  Key('X');
  EXPECT_TRUE(grid->EditorMode());
  EXPECT_EQ(grid->InplaceEditor()->Text(), u"x");
  Key(VK_ESCAPE);
  grid->SetReadOnly(true);
  Key(VK_F2);
  EXPECT_TRUE(grid->EditorMode());
  EXPECT_TRUE(grid->InplaceEditor()->ReadOnly());
}

TEST_F(DBGridTest, EllipsisButtonCallsOnEditButtonClickWithTheSelectedField) {
  TColumn* number = grid->Columns()->Add();
  EXPECT_EQ(grid->Columns()->State(), csCustomized);
  grid->Columns()->Clear();
  number = grid->Columns()->Add();
  number->SetFieldName(u"NAME");
  number->Title()->SetCaption(u"Наименование");
  TColumn* date = grid->Columns()->Add();
  date->SetFieldName(u"DATEBEGIN");
  date->Title()->SetCaption(u"С");
  date->SetButtonStyle(cbsEllipsis);
  EXPECT_EQ(grid->ColCount(), 3);
  std::vector<std::string> clicked;
  grid->OnEditButtonClick = [&](TObject*) {
    TField* f = grid->SelectedField();
    clicked.push_back(StringToUtf8(f->FieldName()));
    // As the reference window does: the picked date goes into the field.
    if (q->State() == dsBrowse) q->Edit();
    f->SetAsDateTime(EncodeDate(2020, 5, 1));
  };
  grid->SetSelectedIndex(1);
  grid->SetFocus();
  Key(VK_F2);
  ASSERT_TRUE(grid->EditorMode());
  TSpeedButton* button = grid->InplaceEditor()->EditButton();
  ASSERT_NE(button, nullptr);
  ASSERT_TRUE(button->Visible());
  RECT cell = grid->CellRect(2, 1);
  EXPECT_EQ(button->BoundsRect().right, cell.right);
  Click(grid, button->Left() + 8, button->Top() + 8);
  EXPECT_EQ(clicked, (std::vector<std::string>{"DATEBEGIN"}));
  EXPECT_EQ(q->State(), dsEdit);
  // The editor shows the date set under it, and posting keeps that date rather than its old text.
  EXPECT_EQ(grid->InplaceEditor()->Text(), q->FieldByName(u"DATEBEGIN")->Text());
  q->Post();
  EXPECT_EQ(Scalar(u"select DATEBEGIN from KAT where M_KATID = 1"), "01.05.2020");
  // A column without the style has no button.
  grid->SetSelectedIndex(0);
  Key(VK_F2);
  EXPECT_FALSE(grid->InplaceEditor()->EditButton()->Visible());
}

TEST_F(DBGridTest, DrawsTitlesIndicatorAndTheCurrentCell) {
  grid->SetFocus();
  grid->SetSelectedIndex(1);
  grid->Repaint();
  HDC dc = GetDC(grid->Handle());
  RECT title = grid->CellRect(1, 0);
  EXPECT_EQ(GetPixel(dc, title.left + 1, title.top + 8), ColorToColorRef(clBtnFace));
  // The indicator's triangle points at the current record.
  RECT indicator = grid->CellRect(0, 1);
  int cx = (indicator.left + indicator.right) / 2, cy = (indicator.top + indicator.bottom) / 2;
  EXPECT_EQ(GetPixel(dc, cx, cy), ColorToColorRef(clBlack));
  RECT other = grid->CellRect(0, 2);
  EXPECT_EQ(GetPixel(dc, cx, (other.top + other.bottom) / 2), ColorToColorRef(clBtnFace));
  // The current cell is highlighted while the grid has the focus; the others are the window's.
  RECT current = grid->CellRect(2, 1);
  EXPECT_EQ(GetPixel(dc, current.left + 1, current.top + 8), ColorToColorRef(clHighlight));
  RECT plain = grid->CellRect(2, 2);
  EXPECT_EQ(GetPixel(dc, plain.left + 1, plain.top + 8), ColorToColorRef(clWindow));
  ReleaseDC(grid->Handle(), dc);
  KeepCheckedWindow(grid->Handle());
}

TEST_F(DBGridTest, KeysCancelInsertAndDeleteRecords) {
  grid->SetFocus();
  q->Edit();
  q->FieldByName(u"NAME")->SetAsString(u"черновик");
  Key(VK_ESCAPE);  // no editor shown: the record's edit is cancelled
  EXPECT_EQ(q->State(), dsBrowse);
  EXPECT_EQ(q->FieldByName(u"NAME")->AsString(), u"Руководители");

  Key(VK_INSERT);
  EXPECT_EQ(q->State(), dsInsert);
  Key(VK_ESCAPE);
  EXPECT_EQ(q->State(), dsBrowse);

  std::vector<std::string> asked;
  int answer = IDCANCEL;
  SetMessageBoxHook([&](const String& text, const String&, UINT) {
    asked.push_back(StringToUtf8(text));
    return answer;
  });
  Key(VK_DELETE, 2);
  EXPECT_EQ(Scalar(u"select count(*) from KAT"), "3");
  answer = IDOK;
  Key(VK_DELETE, 2);
  EXPECT_EQ(Scalar(u"select count(*) from KAT"), "2");
  EXPECT_EQ(asked.size(), 2u);
  EXPECT_EQ(grid->RowCount(), 3);
  // A read-only grid neither inserts nor deletes.
  grid->SetReadOnly(true);
  Key(VK_INSERT);
  Key(VK_DELETE, 2);
  EXPECT_EQ(q->State(), dsBrowse);
  EXPECT_EQ(Scalar(u"select count(*) from KAT"), "2");
}

}  // namespace
