// A grid column's sort mark as the header clicks of the people and print lists cycle it.
#pragma once

#include "dx/treelist/dxTLColumn.h"

// The header shows the column's sort by a small arrow bitmap of the resources.
void ShowSortGlyph(TdxTreeListColumn* Column);
// None, ascending, descending, none again.
TdxTreeListColumnSort NextSort(TdxTreeListColumnSort Sort);
