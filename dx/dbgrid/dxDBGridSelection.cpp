// The grid's selection kept across a reload: by bookmark when bookmarks are in use, otherwise by
// the selected records' key values, and given back to the new nodes as they are loaded.
#include <algorithm>

#include "dx/dbgrid/dxDBGrid.h"
#include "dx/treelist/dxTLRoutines.h"
#include "platform/data/DataSet.h"

void TCustomdxDBGrid::SaveSelection() {
  savedSelectionBookmarks_.clear();
  savedSelectionKeys_.clear();
  if (IsUseBookmarks()) {
    for (int i = 0; i < GetSelectedCount(); ++i) savedSelectionBookmarks_.push_back(GetSelectedBookmark(i));
    return;
  }
  for (int i = 0; i < GetSelectedCount(); ++i) {
    auto* node = static_cast<TdxDBGridNode*>(GetSelectedNode(i));
    if (node && !IsGroupNode(node) && !VarIsNull(node->KeyValue)) savedSelectionKeys_.push_back(node->KeyValue);
  }
  std::sort(savedSelectionKeys_.begin(), savedSelectionKeys_.end(),
            [](const Variant& A, const Variant& B) { return CompareVariantValues(A, B) < 0; });
}

void TCustomdxDBGrid::RestoreSelection(TdxDBGridNode* Node) {
  if (!savedSelectionBookmarks_.empty()) {
    const AnsiString bookmark = GetDataSet()->GetBookmark();
    auto at = std::lower_bound(
        savedSelectionBookmarks_.begin(), savedSelectionBookmarks_.end(), bookmark,
        [&](const AnsiString& A, const AnsiString& B) { return CompareBookmarkStrings(A, B) < 0; });
    if (at == savedSelectionBookmarks_.end() || CompareBookmarkStrings(*at, bookmark) != 0) return;
    savedSelectionBookmarks_.erase(at);
    RestoreSelectionEntry(bookmark, Node);
    return;
  }
  if (savedSelectionKeys_.empty() || VarIsNull(Node->KeyValue)) return;
  auto at = std::lower_bound(savedSelectionKeys_.begin(), savedSelectionKeys_.end(), Node->KeyValue,
                             [](const Variant& A, const Variant& B) { return CompareVariantValues(A, B) < 0; });
  if (at == savedSelectionKeys_.end() || CompareVariantValues(*at, Node->KeyValue) != 0) return;
  savedSelectionKeys_.erase(at);
  RestoreSelectionEntry(AnsiString(), Node);
}
