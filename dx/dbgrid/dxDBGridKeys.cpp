// The grid's keyboard: Ctrl+Delete deletes the focused or the selected records after the question,
// keys at the ends of a dataset window append or give up a record, Shift extends a selection over
// records by bookmark, and group rows open and close with Left and Right.
#include <algorithm>

#include "dx/dbgrid/dxDBGrid.h"
#include "platform/data/DataSet.h"
#include "platform/forms/Forms.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/win/Input.h"

namespace {

bool IsEditState(TDataSet* DataSet) {
  const TDataSetState s = DataSet->State();
  return s == dsEdit || s == dsInsert || s == dsSetKey;
}

}  // namespace

bool TCustomdxDBGrid::ConfirmDelete() {
  if (!Options().Contains(egoConfirmDelete)) return true;
  const String text = GetSelectedCount() > 0 ? u"Delete all selected records?" : u"Delete record?";
  return MessageBox(Handle(), text, u"Confirm", MB_ICONQUESTION | MB_OKCANCEL) != IDCANCEL;
}

bool TCustomdxDBGrid::IsUntouchedInsert() {
  return GetDataSet()->State() == dsInsert && !dataLink_->Modified();
}

void TCustomdxDBGrid::DeleteByKey() {
  TDataSet* ds = GetDataSet();
  TdxTreeListNode* focused = FocusedNode();
  if (!focused || IsGroupNode(focused) || ds->IsEmpty()) return;
  if (!ds->CanModify() || !ConfirmDelete()) return;
  if (GetSelectedCount() == 0)
    static_cast<TdxDBGridNode*>(focused)->DeleteRecord();
  else
    DeleteSelectedNodes();
}

void TCustomdxDBGrid::DeleteSelectedNodes() {
  TCustomdxDBTreeListControl::DeleteSelectedNodes();
  if (!dataLink_->Active()) return;
  TDataSet* ds = GetDataSet();
  CloseEditor();
  forceFullReload_ = true;
  struct TEntry {
    AnsiString Bookmark;
    TdxTreeListNode* Node;
    Variant Key;
  };
  std::vector<TEntry> entries;
  for (int i = 0; i < GetSelectedCount(); ++i) {
    TdxTreeListNode* node = GetSelectedNode(i);
    entries.push_back({GetSelectedBookmark(i), node, node ? static_cast<TdxDBGridNode*>(node)->KeyValue : Null()});
  }
  TDisableControlsScope disabled(ds);
  AnsiString current = ds->GetBookmark();
  if (IsEditState(ds)) {
    ds->Cancel();
    current = ds->GetBookmark();
  }
  TScopeExit finish([&] {
    ClearSelection();
    try {
      if (!current.empty() && ds->BookmarkValid(current)) ds->GotoBookmark(current);
    } catch (const Exception&) {
      // The dataset stays where the deletions left it.
    }
  });
  const bool useBookmarks = IsUseBookmarks();
  for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
    if (!IsDataSetWindowMode() && it->Node && IsGroupNode(it->Node)) continue;
    // Only the entry's own record goes: an entry whose record cannot be reached is skipped, never
    // replaced by the record that happens to be current.
    if (useBookmarks) {
      if (it->Bookmark.empty() || !ds->BookmarkValid(it->Bookmark)) continue;
      ds->GotoBookmark(it->Bookmark);
      if (CompareBookmarkStrings(ds->GetBookmark(), it->Bookmark) != 0) continue;
    } else if (VarIsNull(it->Key) || !BoundKeyField() || !ds->Locate(KeyField(), it->Key, {})) {
      continue;
    }
    if (!current.empty() && CompareBookmarkStrings(ds->GetBookmark(), current) == 0) current.clear();
    try {
      ds->Delete();
    } catch (const Exception&) {
      if (!OptionsBehavior().Contains(edgoExtMultiSelect)) throw;
    }
  }
}

void TCustomdxDBGrid::SelectRangeByBookmarks(bool Backward, int Count) {
  TDataSet* ds = GetDataSet();
  if (!Options().Contains(egoMultiSelect) || !dataLink_->Active() || !GetCount() || !IsDataSetWindowMode()) return;
  {
    TDisableControlsScope disabled(ds);
    const AnsiString current = ds->GetBookmark();
    if (rangeAnchorBookmark_.empty()) rangeAnchorBookmark_ = current;
    ClearSelection();
    std::vector<AnsiString> run;
    ds->GotoBookmark(rangeAnchorBookmark_);
    auto step = [&] { Backward ? ds->Prior() : ds->Next(); };
    auto atEnd = [&] { return Backward ? ds->Bof() : ds->Eof(); };
    if (Count == 0) {
      for (; !atEnd(); step()) run.push_back(ds->GetBookmark());
    } else {
      // From the anchor to Count records away from the current one, past the anchor when needed.
      ds->GotoBookmark(current);
      ds->MoveBy(Backward ? -Count : Count);
      const AnsiString far = ds->GetBookmark();
      ds->GotoBookmark(rangeAnchorBookmark_);
      const int direction = CompareBookmarkStrings(far, rangeAnchorBookmark_) < 0 ? -1 : 1;
      for (;;) {
        run.push_back(ds->GetBookmark());
        if (CompareBookmarkStrings(ds->GetBookmark(), far) == 0) break;
        direction < 0 ? ds->Prior() : ds->Next();
        if (ds->Bof() || ds->Eof()) break;
      }
    }
    // Entries go in dataset order; the dataset stays on the far end of the run.
    const AnsiString farEnd = run.empty() ? AnsiString() : run.back();
    if (Backward) std::reverse(run.begin(), run.end());
    RestoreSelectionRun(std::move(run));
    if (!farEnd.empty()) ds->GotoBookmark(farEnd);
  }
  if (GetSelectedCount() == 1 && GetSelectedBookmark(0).empty()) ClearSelection();
  Invalidate();
}

bool TCustomdxDBGrid::HandleWindowKey(WORD Key, TShiftState Shift) {
  TDataSet* ds = GetDataSet();
  const bool ctrl = Shift.Contains(ssCtrl), shift = Shift.Contains(ssShift);
  const bool rowSelect = OptionsView().Contains(edgoRowSelect);
  if ((Key == VK_HOME || Key == VK_END) && !shift && (rowSelect || ctrl)) {
    Key == VK_HOME ? ds->First() : ds->Last();
    if (!ctrl) {
      ClearSelection();
      if (FocusedNode()) SetNodeSelected(FocusedNode(), true);
    }
    return true;
  }
  if (Options().Contains(egoMultiSelect) && shift) {
    const int page = FocusedNode() == TopVisibleNode() ? GetVisibleRowCount() - 1 : 0;
    switch (Key) {
      case VK_HOME:
        SelectRangeByBookmarks(true, 0);
        return true;
      case VK_END:
        SelectRangeByBookmarks(false, 0);
        return true;
      case VK_PRIOR:
        SelectRangeByBookmarks(true, std::max(1, page));
        return true;
      case VK_NEXT:
        SelectRangeByBookmarks(false, std::max(1, page));
        return true;
      default:
        break;
    }
  }
  const bool editable = ds->CanModify() && Options().Contains(egoEditing) && !rowSelect;
  if (!editable) return false;
  if (Key == VK_UP && IsUntouchedInsert() && ds->Eof()) {
    ds->Cancel();
    return true;
  }
  if (Key == VK_DOWN) {
    if (IsUntouchedInsert()) {
      if (!ds->Eof()) ds->Cancel();
      return true;
    }
    ds->Next();
    if (ds->Eof() && Options().Contains(egoCanAppend) && Options().Contains(egoCanInsert)) {
      if (GetSelectedCount() == 1) ClearSelection();
      ds->Append();
    }
    return true;
  }
  return false;
}

bool TCustomdxDBGrid::HandleNodeKey(WORD Key, TShiftState Shift) {
  TDataSet* ds = GetDataSet();
  TdxTreeListNode* focused = FocusedNode();
  const bool rowSelect = OptionsView().Contains(edgoRowSelect);
  if ((Key == VK_LEFT || Key == VK_RIGHT) && focused && IsGroupNode(focused) && !rowSelect &&
      !IsNewItemRowActive()) {
    focused->SetExpanded(Key == VK_RIGHT);
    return true;
  }
  const bool canAdd = ds->CanModify() && Options().Contains(egoCanInsert) && Options().Contains(egoCanNavigation);
  if (Key == VK_INSERT && !Shift.Contains(ssCtrl) && !rowSelect && canAdd) {
    HideEditor();
    ClearSelection();
    ds->Insert();
    ShowEditor();
    return true;
  }
  if (Key == VK_UP && IsEditState(ds)) {
    if (IsUntouchedInsert() && ds->Eof()) {
      ds->Cancel();
      if (TdxTreeListNode* last = GetLastNode()) SetFocusedNode(last, GetFocusedColumn(), true);
      return true;
    }
    if (focused && IsFirstRow(focused)) ds->Post();
    return false;
  }
  if (Key == VK_DOWN && focused && IsLastRow(focused)) {
    if (IsUntouchedInsert()) return true;
    if (Options().Contains(egoCanAppend) && canAdd) {
      if (GetSelectedCount() == 1) ClearSelection();
      ds->Append();
      return true;
    }
    if (IsEditState(ds)) ds->Post();
  }
  return false;
}

void TCustomdxDBGrid::KeyDown(WORD& Key, TShiftState Shift) {
  TDataSet* ds = GetDataSet();
  if (!dataLink_->Active() || !ds || (State() == tsEditing && (Key == VK_BACK || Key == VK_ESCAPE ||
                                                               Key == VK_DELETE))) {
    TCustomdxDBTreeListControl::KeyDown(Key, Shift);
    return;
  }
  TValueScope<bool> inKeyDown(InKeyDown, true);
  if (Key == VK_DELETE && Shift.Contains(ssCtrl) && Options().Contains(egoCanDelete) &&
      Options().Contains(egoCanNavigation) && !IsNewItemRowActive() && !dataLink_->ReadOnly() &&
      FocusedNode() && !IsGroupNode(FocusedNode())) {
    DeleteByKey();
    Key = 0;
    return;
  }
  if (Key == VK_ESCAPE) dataLink_->Reset();
  const bool handled = IsDataSetWindowMode() ? HandleWindowKey(Key, Shift) : HandleNodeKey(Key, Shift);
  if (handled) {
    Key = 0;
    return;
  }
  TCustomdxDBTreeListControl::KeyDown(Key, Shift);
}
