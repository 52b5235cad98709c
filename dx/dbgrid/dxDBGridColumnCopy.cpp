// Copying another grid's columns: the copy takes over its grouping, level by level, by column name.
#include "dx/dbgrid/dxDBGrid.h"

void TCustomdxDBGrid::AssignColumns(TCustomdxTreeListControl* Source) {
  TdxTreeListUpdateScope update(this);
  BeginGroupUpdate();
  try {
    ClearGrouping();
    TCustomdxDBTreeListControl::AssignColumns(Source);
    if (auto* grid = dynamic_cast<TCustomdxDBGrid*>(Source)) {
      for (int level = 0; level < grid->GroupCount(); ++level)
        if (auto* column = dynamic_cast<TdxDBTreeListColumn*>(FindColumnByName(grid->GetGroupColumn(level)->Name())))
          column->SetGroupIndex(level);
    }
  } catch (...) {
    EndGroupUpdate();
    throw;
  }
  EndGroupUpdate();
}
