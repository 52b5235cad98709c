#include "app/ColumnSortMarks.h"

// The header shows the column's sort by a small arrow bitmap of the resources.
void ShowSortGlyph(TdxTreeListColumn* Column) {
  switch (Column->Sorted()) {
    case csUp:
      Column->HeaderGlyph()->LoadFromResourceName(nullptr, u"UPSMALL");
      break;
    case csDown:
      Column->HeaderGlyph()->LoadFromResourceName(nullptr, u"DOWNSMALL");
      break;
    case csNone:
      Column->SetHeaderGlyph(nullptr);
      break;
  }
}

TdxTreeListColumnSort NextSort(TdxTreeListColumnSort Sort) {
  return Sort == csNone ? csUp : Sort == csUp ? csDown : csNone;
}
