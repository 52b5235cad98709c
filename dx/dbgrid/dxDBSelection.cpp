// Selected records of the data-aware controls, and incremental search through the dataset.
#include <algorithm>

#include "dx/dbgrid/dxDBCtrl.h"
#include "platform/data/DataSet.h"
#include "platform/rtl/StrUtils.h"

TdxTreeListNode* TCustomdxDBTreeListControl::GetSelectedNode(int Index) const {
  if (Index < 0 || Index >= static_cast<int>(selection_.size())) return nullptr;
  return selection_[Index].Node;
}

AnsiString TCustomdxDBTreeListControl::GetSelectedBookmark(int Index) const {
  if (Index < 0 || Index >= static_cast<int>(selection_.size())) return AnsiString();
  return selection_[Index].Bookmark;
}

int TCustomdxDBTreeListControl::CompareBookmarkStrings(const AnsiString& A, const AnsiString& B) const {
  if (!GetDataLink()->Active()) return -1;
  return GetDataSet()->CompareBookmarks(A, B);
}

bool TCustomdxDBTreeListControl::FindBookmark(const AnsiString& Bookmark, int& Index) {
  if (findCache_.Index >= 0 && findCache_.Bookmark == Bookmark) {
    Index = findCache_.Index;
    return findCache_.Found;
  }
  int lo = 0, hi = static_cast<int>(selection_.size()) - 1;
  bool found = false;
  while (lo <= hi) {
    const int mid = (lo + hi) / 2;
    const int c = CompareBookmarkStrings(selection_[mid].Bookmark, Bookmark);
    if (c < 0) {
      lo = mid + 1;
    } else {
      hi = mid - 1;
      if (c == 0) {
        found = true;
        lo = mid;
      }
    }
  }
  Index = lo;
  findCache_ = {Bookmark, found, lo};
  return found;
}

bool TCustomdxDBTreeListControl::IsNodeSelected(TdxTreeListNode* Node) {
  return std::any_of(selection_.begin(), selection_.end(), [&](const auto& e) { return e.Node == Node; });
}

void TCustomdxDBTreeListControl::SetNodeSelected(TdxTreeListNode* Node, bool Value) {
  if (!IsMultiSelect() || !GetDataLink()->Active()) return;
  auto own =
      std::find_if(selection_.begin(), selection_.end(), [&](const auto& e) { return e.Node == Node; });
  if (Value == (own != selection_.end())) return;
  if (!Value) {
    selection_.erase(own);
  } else if (IsUseBookmarks()) {
    const AnsiString bookmark = GetDataSet()->GetBookmark();
    int index = 0;
    FindBookmark(bookmark, index);
    selection_.insert(selection_.begin() + std::max(index, 0), {bookmark, Node});
  } else {
    auto at = std::lower_bound(
        selection_.begin(), selection_.end(), Node,
        [](const auto& e, TdxTreeListNode* n) { return std::less<TdxTreeListNode*>()(e.Node, n); });
    selection_.insert(at, {AnsiString(), Node});
  }
  SelectionChanged();
  InvalidateNode(Node);
  TCustomdxTreeListControl::SetNodeSelected(Node, Value);
}

void TCustomdxDBTreeListControl::ClearSelection() {
  if (selection_.empty()) return;
  if (!IsDestroying() && !IsClearingNodes())
    for (const auto& e : selection_) InvalidateNode(e.Node);
  selection_.clear();
  SelectionChanged();
  TCustomdxTreeListControl::ClearSelection();
}

bool TCustomdxDBTreeListControl::MatchesSearch(TField* Field, const String& Text) const {
  return AnsiUpperCase(Field->DisplayText().substr(0, Text.size())) == AnsiUpperCase(Text);
}

bool TCustomdxDBTreeListControl::FindNodeByText(int ColumnIndex, const String& Text, int Direction,
                                                TdxTreeListNode*& Node) {
  Node = nullptr;
  TDataSet* ds = GetDataSet();
  if (!ds || !ds->Active() || (ds->Bof() && ds->Eof()) || Text.empty()) return false;
  if (ds->State() == dsEdit || ds->State() == dsInsert || ds->State() == dsSetKey) return false;
  if (ColumnIndex < 0 || ColumnIndex >= GetColumnCount()) return false;
  TField* field = GetDBColumn(ColumnIndex)->GetBoundField();
  if (!field) return false;
  if (Direction == 0 && MatchesSearch(field, Text)) return true;

  const AnsiString start = ds->GetBookmark();
  AnsiString circleEnd;
  auto step = [&] {
    if (Direction == 1) {
      ds->Prior();
      if (ds->Bof()) {
        ds->Last();
        circleEnd = start;
      }
    } else {
      ds->Next();
      if (ds->Eof()) {
        ds->First();
        circleEnd = start;
      }
    }
  };
  bool found = false;
  {
    TDisableControlsScope disabled(ds);
    try {
      if (Direction != 0) step();
      for (;;) {
        if (Direction == 0 && ds->Eof()) break;
        if (!circleEnd.empty() && CompareBookmarkStrings(ds->GetBookmark(), circleEnd) == 0) break;
        if (MatchesSearch(field, Text)) {
          found = true;
          break;
        }
        step();
      }
    } catch (...) {
      if (ds->BookmarkValid(start)) ds->GotoBookmark(start);
      throw;
    }
    if (!found && ds->BookmarkValid(start)) ds->GotoBookmark(start);
  }
  return found;
}

void TCustomdxDBTreeListControl::RestoreSelectionRun(std::vector<AnsiString> Bookmarks) {
  auto ascending = [this](const AnsiString& A, const AnsiString& B) { return CompareBookmarkStrings(A, B) < 0; };
  const bool follows = !Bookmarks.empty() && !Bookmarks.front().empty() &&
                       (selection_.empty() || ascending(selection_.back().Bookmark, Bookmarks.front())) &&
                       std::adjacent_find(Bookmarks.begin(), Bookmarks.end(), [&](const AnsiString& A, const AnsiString& B) {
                         return !ascending(A, B);
                       }) == Bookmarks.end();
  if (!follows) {
    for (const AnsiString& bookmark : Bookmarks) RestoreSelectionEntry(bookmark, nullptr);
    return;
  }
  selection_.reserve(selection_.size() + Bookmarks.size());
  for (AnsiString& bookmark : Bookmarks) selection_.push_back({std::move(bookmark), nullptr});
  SelectionChanged();
}

void TCustomdxDBTreeListControl::RestoreSelectionEntry(const AnsiString& Bookmark, TdxTreeListNode* Node) {
  if (!Bookmark.empty()) {
    int index = 0;
    if (FindBookmark(Bookmark, index)) return;
    selection_.insert(selection_.begin() + std::max(index, 0), {Bookmark, Node});
  } else {
    auto at = std::lower_bound(
        selection_.begin(), selection_.end(), Node,
        [](const auto& e, TdxTreeListNode* n) { return std::less<TdxTreeListNode*>()(e.Node, n); });
    if (at != selection_.end() && at->Node == Node) return;
    selection_.insert(at, {AnsiString(), Node});
  }
  SelectionChanged();
}
