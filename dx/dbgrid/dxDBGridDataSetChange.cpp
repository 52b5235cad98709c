// A load-all grid answering its dataset's change announcements. The dataset announces a change of
// the whole dataset for cursor moves too (Locate, GotoBookmark, Resync); walking a million records
// again for those would only rebuild the same nodes, so the walk is kept for changes of content, and a
// new order of the same records only rearranges the nodes.
#include "dx/dbgrid/dxDBGrid.h"
#include "platform/data/DataSet.h"

TdxDBGridLoadedContent TCustomdxDBGrid::CurrentLoadInputs() {
  TdxDBGridLoadedContent inputs;
  inputs.DataSet = GetDataSet();
  inputs.Generation = inputs.DataSet ? inputs.DataSet->ContentGeneration() : 0;
  inputs.ValuesGeneration = inputs.DataSet ? inputs.DataSet->ValuesGeneration() : 0;
  inputs.RootCount = GetCount();
  inputs.KeyField = KeyField();
  inputs.PreviewFieldName = PreviewFieldName();
  inputs.PreviewMaxLength = PreviewMaxLength();
  inputs.ColumnFields.reserve(static_cast<size_t>(GetColumnCount()));
  for (int i = 0; i < GetColumnCount(); ++i) inputs.ColumnFields.push_back(GetDBColumn(i)->GetBoundField());
  return inputs;
}

void TCustomdxDBGrid::RefreshForDataSetChange() {
  if (reorderingNodes_) return;
  const bool nodesCurrent =
      IsLoadAllMode() && loadedContent_ && dataLink_->Active() && *loadedContent_ == CurrentLoadInputs();
  if (!nodesCurrent && !ReorderLoadedNodes()) {
    RegroupReload();
    return;
  }
  // The same records in the same order with the same values: the nodes, their selection, the top
  // row and the summaries stay as they are; only the current record may be another one.
  FocusNodeByKey();
  SyncEditorWithField();
}
