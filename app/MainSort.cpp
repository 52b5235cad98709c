// The people list sorted by header clicks: each click cycles the column's mark (none, ascending,
// descending), and the marks of all columns, in column order, become the dataset's client sort.
#include "app/ColumnSortMarks.h"
#include "app/DataModule.h"
#include "app/Main.h"
#include "platform/data/DB.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/rtl/StrUtils.h"

String TMainForm::GetSortString(TCustomdxDBGrid* Grid) {
  String text;
  for (int i = 0; i < Grid->GetColumnCount(); ++i) {
    auto* column = dynamic_cast<TdxDBTreeListColumn*>(Grid->GetColumn(i));
    if (!column || column->Sorted() == csNone) continue;
    if (!text.empty()) text += u" , ";
    text += UpperCase(column->FieldName()) + (column->Sorted() == csDown ? u" DESC " : u" ASC ");
  }
  return text;
}

void TMainForm::ApplyListSort() { DataModule2->OPEOPLE_LIST->SetSort(GetSortString(dxDBGrid1)); }


// The layout read from "edu.ini" brings the columns' sort marks back; the rows and the glyphs
// follow them, so the header never shows a sort the list does not have.
void TMainForm::ApplyStoredSort() {
  for (int i = 0; i < dxDBGrid1->GetColumnCount(); ++i) ShowSortGlyph(dxDBGrid1->GetColumn(i));
  if (GetSortString(dxDBGrid1).empty()) return;
  TADODataSet* list = DataModule2->OPEOPLE_LIST;
  list->DisableControls();
  TScopeExit enable([&] { list->EnableControls(); });
  ApplyListSort();
  list->First();
}

void TMainForm::dxDBGrid1ColumnClick(TObject*, TdxTreeListColumn* Column) {
  Column->SetSorted(NextSort(Column->Sorted()));
  ShowSortGlyph(Column);
  TADODataSet* list = DataModule2->OPEOPLE_LIST;
  TBookmark mark = list->GetBookmark();
  TScopeExit freeMark([&] { list->FreeBookmark(mark); });
  // The list hears of the new order and of the row found again once, not twice.
  list->DisableControls();
  TScopeExit enable([&] { list->EnableControls(); });
  ApplyListSort();
  if (!mark.empty()) list->GotoBookmark(mark);
}

// The sort's priority is the columns' order, so a moved column re-sorts the list.
void TMainForm::dxDBGrid1ColumnMoved(TObject*, int, int) {
  if (dxDBGrid1->GetSortedColumnCount() > 0) ApplyListSort();
}
