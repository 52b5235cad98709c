// Rows as text in dataset-window mode: the rows on screen are only the buffer, so the records are
// walked in the dataset itself, which comes back to its record afterwards.
#include "dx/dbgrid/dxDBGrid.h"
#include "platform/classes/StringList.h"
#include "platform/data/DataSet.h"
#include "platform/rtl/ScopeExit.h"

String TCustomdxDBGrid::CurrentRecordText() {
  String text;
  for (int i = 0; i < GetVisibleColumnCount(); ++i) {
    if (i > 0) text += u'\t';
    TdxDBTreeListColumn* column = GetDBColumn(GetAbsoluteColumnIndex(i));
    if (column->Field()) text += column->GetFieldCellText();
  }
  return text;
}

void TCustomdxDBGrid::CopyWindowRecords(TStrings* Strings, const std::function<void(TDataSet*)>& Walk) {
  String header;
  GetHeadersText(header);
  Strings->Add(header);
  TDataSet* ds = GetDataSet();
  if (!dataLink_->Active() || !ds) return;
  TDisableControlsScope disabled(ds);
  const AnsiString current = ds->GetBookmark();
  TScopeExit back([&] {
    if (!current.empty() && ds->BookmarkValid(current)) ds->GotoBookmark(current);
  });
  Walk(ds);
}

void TCustomdxDBGrid::CopyAllToStrings(TStrings* Strings) {
  if (!IsDataSetWindowMode()) {
    TCustomdxDBTreeListControl::CopyAllToStrings(Strings);
    return;
  }
  CopyWindowRecords(Strings, [&](TDataSet* ds) {
    for (ds->First(); !ds->Eof(); ds->Next()) Strings->Add(CurrentRecordText());
  });
}

void TCustomdxDBGrid::CopySelectedToStrings(TStrings* Strings) {
  if (!IsDataSetWindowMode() || !Options().Contains(egoMultiSelect)) {
    TCustomdxDBTreeListControl::CopySelectedToStrings(Strings);
    return;
  }
  CopyWindowRecords(Strings, [&](TDataSet* ds) {
    for (int i = 0; i < GetSelectedCount(); ++i) {
      const AnsiString bookmark = GetSelectedBookmark(i);
      if (bookmark.empty() || !ds->BookmarkValid(bookmark)) continue;
      ds->GotoBookmark(bookmark);
      Strings->Add(CurrentRecordText());
    }
  });
}
