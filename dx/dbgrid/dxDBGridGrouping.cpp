// The grid's grouping: the list of grouped columns and its lock, the group path of a record, the
// order of groups, and the text of group rows.
#include <algorithm>
#include <map>

#include "dx/dbgrid/dxDBGrid.h"
#include "dx/treelist/dxTLRoutines.h"
#include "platform/data/DataSet.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/rtl/StrUtils.h"

namespace {

bool IsStringValue(const Variant& V) {
  const TVarType t = VarType(V);
  return t == varString || t == varOleStr;
}

// Opens a grouping lock for a scope.
class TGroupUpdateScope {
 public:
  explicit TGroupUpdateScope(TCustomdxDBGrid* Grid) : grid_(Grid) { grid_->BeginGroupUpdate(); }
  ~TGroupUpdateScope() noexcept(false) { grid_->EndGroupUpdate(); }
  TGroupUpdateScope(const TGroupUpdateScope&) = delete;
  TGroupUpdateScope& operator=(const TGroupUpdateScope&) = delete;

 private:
  TCustomdxDBGrid* grid_;
};

}  // namespace

TdxDBTreeListColumn* TCustomdxDBGrid::GetGroupColumn(int Level) const {
  return Level >= 0 && Level < GroupCount() ? groupColumns_[Level] : nullptr;
}

// --- The grouping lock ---

void TCustomdxDBGrid::BeginGroupUpdate() {
  if (groupLockCount_ == 0) {
    lockedGroupFieldNames_.clear();
    for (TdxDBTreeListColumn* column : groupColumns_) lockedGroupFieldNames_.push_back(column->FieldName());
    lockMode_ = IsDataSetWindowMode() ? 1 : 2;
  }
  ++groupLockCount_;
}

bool TCustomdxDBGrid::GroupedFieldsChanged() const {
  if (lockedGroupFieldNames_.size() != groupColumns_.size()) return true;
  for (size_t i = 0; i < groupColumns_.size(); ++i)
    if (AnsiCompareText(lockedGroupFieldNames_[i], groupColumns_[i]->FieldName()) != 0) return true;
  return false;
}

void TCustomdxDBGrid::EndGroupUpdate() {
  if (groupLockCount_ == 0 || --groupLockCount_ > 0) return;
  TScopeExit reset([&] {
    lockMode_ = 0;
    lockedGroupFieldNames_.clear();
  });
  if (lockMode_ == 1) groupingChanged_ = false;
  if (GroupedFieldsChanged())
    ReloadGrid();
  else
    RegroupReload();
}

// --- Changing the grouping ---

bool TCustomdxDBGrid::CanAddGroupColumn(TdxDBTreeListColumn* Column) {
  if (defaultFields_ || !Column) return false;
  if (!regrouping_) {
    if (Column->DisableGrouping()) return false;
    if (Column->GetBoundField() && Column->GetBoundField()->IsBlob()) return false;
    if (Column->Visible() && GetVisibleColumnCount() == 1) return false;
  }
  for (TdxDBTreeListColumn* grouped : groupColumns_)
    if (grouped == Column ||
        (grouped->GetBoundField() && grouped->GetBoundField() == Column->GetBoundField()))
      return false;
  bool allow = true;
  if (OnAddGroupColumn) OnAddGroupColumn(this, Column, allow);
  return allow;
}

void TCustomdxDBGrid::RenumberGroupColumns() {
  for (size_t i = 0; i < groupColumns_.size(); ++i) groupColumns_[i]->StoreGroupIndex(static_cast<int>(i));
}

bool TCustomdxDBGrid::AddGroupColumn(int Index, TdxDBTreeListColumn* Column) {
  if (!CanAddGroupColumn(Column)) return false;
  Index = std::clamp(Index, 0, GroupCount());
  if (IsLoadAllMode()) groupingChanged_ = true;
  groupColumns_.insert(groupColumns_.begin() + Index, Column);
  RenumberGroupColumns();
  {
    TdxTreeListUpdateScope update(this);
    if (Column->Sorted() == csNone) Column->StoreSorted(csUp);
    RemoveSortedColumn(Column);
    if (!OptionsEx().Contains(egoNotHideColumn)) Column->SetVisible(false);
  }
  if (groupLockCount_ == 0) ReloadGrid();
  return true;
}

void TCustomdxDBGrid::RemoveGroupColumn(int Index) {
  if (Index < 0 || Index >= GroupCount()) return;
  {
    TdxTreeListUpdateScope update(this);
    TdxDBTreeListColumn* column = groupColumns_[Index];
    column->SetVisible(true);
    column->SetSorted(csNone);
    column->StoreGroupIndex(-1);
    groupColumns_.erase(groupColumns_.begin() + Index);
    RenumberGroupColumns();
    groupingChanged_ = true;
  }
  if (groupLockCount_ == 0) ReloadGrid();
}

void TCustomdxDBGrid::ChangeColumnGroupIndex(TdxDBTreeListColumn* Column, int NewIndex) {
  if (NewIndex == Column->GroupIndex() && !regrouping_) return;
  TdxTreeListUpdateScope update(this);
  TGroupUpdateScope lock(this);
  auto at = std::find(groupColumns_.begin(), groupColumns_.end(), Column);
  if (at != groupColumns_.end() && !regrouping_)
    RemoveGroupColumn(static_cast<int>(at - groupColumns_.begin()));
  // A column that was not added keeps no level of its own.
  if (std::find(groupColumns_.begin(), groupColumns_.end(), Column) == groupColumns_.end())
    Column->StoreGroupIndex(-1);
  if (NewIndex != -1) AddGroupColumn(NewIndex, Column);
}

void TCustomdxDBGrid::ClearGrouping() {
  LockSorting();
  TScopeExit unlock([&] { UnlockSorting(); });
  TdxTreeListUpdateScope update(this);
  TGroupUpdateScope lock(this);
  while (GroupCount() > 0) RemoveGroupColumn(0);
}

void TCustomdxDBGrid::Regroup() {
  if (Options().Contains(egoSmartRefresh) && !forceFullReload_ && !IsDataSetWindowMode()) {
    {
      TdxTreeListUpdateScope update(this);
      groupingChanged_ = true;
    }
    RegroupReload();
    return;
  }
  TValueScope<bool> regrouping(regrouping_, true);
  // Keyed by level: stored levels 0, 2, 5 become 0, 1, 2; of equal levels the first column wins.
  std::map<int, TdxDBTreeListColumn*> ordered;
  for (int i = 0; i < GetColumnCount(); ++i) {
    TdxDBTreeListColumn* column = GetDBColumn(i);
    if (column->GroupIndex() == -1) continue;
    if (!ordered.emplace(column->GroupIndex(), column).second) column->StoreGroupIndex(-1);
  }
  if (ordered.empty()) {
    if (!IsDataSetWindowMode()) ReloadGrid();
    return;
  }
  TGroupUpdateScope lock(this);
  for (auto& [level, column] : ordered) ChangeColumnGroupIndex(column, level);
  groupingChanged_ = false;
}

void TCustomdxDBGrid::RefreshDataLayout() {
  if (IsDataSetWindowMode()) {
    LayoutChanged();
    return;
  }
  forceFullReload_ = true;
  Regroup();
}

void TCustomdxDBGrid::RemoveColumn(TdxTreeListColumn* Column) {
  // Only the pointer is compared: a column being destroyed is no longer a data-aware column.
  auto at = std::find_if(groupColumns_.begin(), groupColumns_.end(), [&](TdxDBTreeListColumn* C) {
    return static_cast<TdxTreeListColumn*>(C) == Column;
  });
  if (at != groupColumns_.end()) {
    groupColumns_.erase(at);
    RenumberGroupColumns();
    groupingChanged_ = true;
  }
  TCustomdxDBTreeListControl::RemoveColumn(Column);
  ForgetFilterColumn(Column);
}

void TCustomdxDBGrid::ColumnFieldChanged(TdxDBTreeListColumn* Column) {
  if (IsLoadingControl() || IsLoading()) return;
  TDataSet* ds = GetDataSet();
  TField* field = ds ? ds->FindField(Column->FieldName()) : nullptr;
  const bool unusable = Column->FieldName().empty() || (ds && !field) ||
                        (field && field->IsBlob() && !Column->HandlesBlobValue());
  TGroupUpdateScope lock(this);
  if (unusable && Column->GroupIndex() >= 0) Column->SetGroupIndex(-1);
}

// --- Finding groups ---

namespace {

// Group values as they stand (any case folding done); Null and Empty first.
int CompareGroupValuesInOrder(const Variant& A, const Variant& B, bool AnsiSort) {
  const bool nullA = VarIsNull(A) || VarIsEmpty(A), nullB = VarIsNull(B) || VarIsEmpty(B);
  if (nullA && nullB) return 0;
  if (nullA) return -1;
  if (nullB) return 1;
  if (IsStringValue(A) && AnsiSort) {
    const int c = AnsiCompareStr(VarToStr(A), VarToStr(B));
    return c < 0 ? -1 : c > 0 ? 1 : 0;
  }
  const int c = CompareVariantValues(A, B);
  return c == 0 ? 0 : c < 0 ? -1 : 1;
}

}  // namespace

int TCustomdxDBGrid::CompareGroupValues(const Variant& A, const Variant& B) {
  // Compared in place: a grouped load compares a million values, and copies of them were a tenth of it.
  const bool ansiSort = OptionsBehavior().Contains(edgoAnsiSort);
  try {
    if (IsStringValue(A) && IsStringValue(B) && OptionsBehavior().Contains(edgoCaseInsensitive))
      return CompareGroupValuesInOrder(Variant(AnsiUpperCase(VarToStr(A))),
                                       Variant(AnsiUpperCase(VarToStr(B))), ansiSort);
    return CompareGroupValuesInOrder(A, B, ansiSort);
  } catch (const EVariantError&) {
    return -1;
  }
}

bool TCustomdxDBGrid::FindGroupNode(TdxTreeListNode* FirstSibling, const Variant& Value, int StartIndex,
                                    bool Descending, TdxTreeListNode*& Found) {
  Found = nullptr;
  if (!FirstSibling) return false;
  TdxTreeListNode* parent = FirstSibling->Parent();
  auto sibling = [&](int I) { return parent ? parent->GetItem(I) : GetItem(I); };
  const int last = (parent ? parent->GetCount() : GetCount()) - 1;
  TdxDBTreeListColumn* column = GetGroupColumn(FirstSibling->GetLevel());
  if (column && column->SortBySummary()) {
    // Groups ordered by their summary are not in value order: looked at one by one.
    for (int i = StartIndex; i <= last; ++i) {
      Found = sibling(i);
      if (CompareGroupValues(GridNode(Found)->Group().Value, Value) == 0) return true;
    }
    return false;
  }
  int low = StartIndex, high = last;
  while (low <= high) {
    const int middle = (low + high) / 2;
    const int c = CompareGroupValues(GridNode(sibling(middle))->Group().Value, Value);
    if (c == 0) {
      Found = sibling(middle);
      return true;
    }
    if (Descending ? c > 0 : c < 0)
      low = middle + 1;
    else
      high = middle - 1;
  }
  Found = low <= last ? sibling(low) : nullptr;
  return false;
}

// --- The group path ---

Variant TCustomdxDBGrid::GroupPathValue(int Level, TdxDBGridNode* Source) {
  TdxDBTreeListColumn* column = groupColumns_[Level];
  Variant value = Null();
  if (Source)
    GetNodeColumnValue(Source, column, value);
  else if (TField* field = column->GetBoundField())
    value = field->AsVariant();
  return value;
}

TdxDBGridNode* TCustomdxDBGrid::MakeGroupNode(TdxTreeListNode* Parent, TdxTreeListNode* Before, int Level,
                                              const Variant& Value, TdxDBGridNode* Source, int RecordIndex) {
  TdxTreeListNode* made;
  if (Before)
    made = Before->Parent() ? Before->Parent()->InsertChild(Before) : Insert(Before);
  else
    made = Parent ? Parent->AddChild() : Add();
  auto* group = GridNode(made);
  group->EditGroup().Value = Value;
  group->RecordIndex = RecordIndex;
  TdxDBTreeListColumn* column = groupColumns_[Level];
  const int index = column->GetDataIndex();
  if (Source) {
    group->KeyValue = Source->KeyValue;
    TNodeVariantData data;
    GetNodeValueData(Source, index, data);
    SetNodeValueData(group, index, data);
    group->SetString(index, Source->GetString(index));
  } else {
    group->KeyValue = BoundKeyField() ? BoundKeyField()->AsVariant() : Null();
    column->FillNodeValue(group);
  }
  DoRefreshNodeData(group);
  return group;
}

bool TCustomdxDBGrid::KnownGroupKeyOf(const TdxTreeListNode* Parent, const Variant& Value, TKnownGroupKey& Key) {
  Key = {Parent, VarType(Value), 0, {}};
  if (VarIsOrdinal(Value)) {
    Key.Number = Value.AsInt64();
    return true;
  }
  if (Key.Kind != varOleStr) return false;
  Key.Text = VarOleStrView(Value);
  return true;
}

size_t TCustomdxDBGrid::TKnownGroupKeyHash::operator()(const TKnownGroupKey& Key) const {
  const size_t parent = std::hash<const void*>()(Key.Parent);
  const size_t value = Key.Kind == varOleStr ? std::hash<std::u16string_view>()(Key.Text) : std::hash<Int64>()(Key.Number);
  return parent ^ (value + 0x9e3779b97f4a7c15ull + (parent << 6) + (parent >> 2));
}

TdxDBGridNode* TCustomdxDBGrid::PlaceInGroups(TdxDBGridNode* Source, int RecordIndex, TGroupPathHint* Hint) {
  TdxTreeListNode* group = nullptr;
  if (Hint) {
    Hint->Values.resize(GroupCount());
    Hint->Groups.resize(GroupCount(), nullptr);
  }
  // The hint serves a level only while every outer level took it too.
  bool onHintedPath = Hint != nullptr;
  for (int level = 0; level < GroupCount(); ++level) {
    const Variant value = GroupPathValue(level, Source);
    TdxTreeListNode* found = nullptr;
    onHintedPath = onHintedPath && Hint->Groups[level] && CompareGroupValues(Hint->Values[level], value) == 0;
    TKnownGroupKey known;
    const bool cached = Hint && !onHintedPath && KnownGroupKeyOf(group, value, known);
    if (onHintedPath) {
      found = Hint->Groups[level];
    } else if (cached) {
      auto at = Hint->Known.find(known);
      if (at != Hint->Known.end()) found = at->second;
    }
    if (!found) {
      TdxTreeListNode* first = group ? group->GetFirstChild() : (GetCount() ? GetItem(0) : nullptr);
      // A record node being moved is not a group: it never stands among the searched siblings.
      if (first && !IsGroupNode(first) && first == Source) first = nullptr;
      const bool descending = groupColumns_[level]->Sorted() == csDown;
      if (!FindGroupNode(first, value, 0, descending, found))
        found = MakeGroupNode(group, found, level, value, Source, RecordIndex);
      if (cached) {
        // The key's text must outlive this record's value.
        const Variant& kept = Hint->KnownValues.emplace_back(value);
        KnownGroupKeyOf(group, kept, known);
        Hint->Known.emplace(known, found);
      }
    }
    if (Hint) {
      Hint->Values[level] = value;
      Hint->Groups[level] = found;
    }
    group = found;
  }
  return GridNode(group);
}

// --- Sorting ---

void TCustomdxDBGrid::AddSortedColumn(TdxTreeListColumn* Column) {
  auto* column = static_cast<TdxDBTreeListColumn*>(Column);
  if (column->GroupIndex() < 0) TCustomdxDBTreeListControl::AddSortedColumn(Column);
}

void TCustomdxDBGrid::ColumnSorted(TdxTreeListColumn* Column) {
  if (!Column || IsLoadingControl() || Column->Sorted() == csNone) return;
  TCustomdxDBTreeListControl::ColumnSorted(Column);
  auto* column = static_cast<TdxDBTreeListColumn*>(Column);
  if (column->GroupIndex() < 0 || !IsAutoSort() || IsSortLocked()) return;
  TdxTreeListUpdateScope update(this);
  SortNodes(column->GroupIndex(), column->GetDataIndex(), column->Sorted() == csDown);
  TakeFirstRecordIdentity();
}

void TCustomdxDBGrid::GetNodeSortValue(TdxTreeListNode* Node, int Column, Variant& Value) {
  auto* node = GridNode(Node);
  if (!IsGroupNode(Node)) {
    GetNodeVariant(Node, Column, Value);
    return;
  }
  TdxDBTreeListColumn* column = GetGroupColumn(Node->GetLevel());
  if (column && column->SortBySummary()) {
    Value = static_cast<double>(node->Group().SummaryValue);
    return;
  }
  Value = node->Group().Value;
  if (IsStringValue(Value) && OptionsBehavior().Contains(edgoCaseInsensitive))
    Value = Variant(AnsiUpperCase(VarToStr(Value)));
}

void TCustomdxDBGrid::TakeFirstRecordIdentity() {
  // Bottom-up: a group row then locates the first record below it.
  std::vector<TdxDBGridNode*> groups;
  FindNodeInTreeOrder([&](TdxTreeListNode* Node) {
    if (IsGroupNode(Node)) groups.push_back(GridNode(Node));
    return false;
  });
  for (auto it = groups.rbegin(); it != groups.rend(); ++it) {
    auto* first = GridNode((*it)->GetFirstChild());
    (*it)->KeyValue = first->KeyValue;
    (*it)->RecordIndex = first->RecordIndex;
  }
}

// --- Expanded groups across a reload ---

std::vector<TCustomdxDBGrid::TGroupPath> TCustomdxDBGrid::SaveExpandedGroups() {
  std::vector<TGroupPath> expanded;
  TGroupPath path;
  FindNodeInTreeOrder([&](TdxTreeListNode* Node) {
    if (!IsGroupNode(Node)) return false;
    path.resize(static_cast<size_t>(Node->GetLevel()));
    path.push_back(GridNode(Node)->Group().Value);
    if (Node->Expanded()) expanded.push_back(path);
    return false;
  });
  return expanded;
}

void TCustomdxDBGrid::RestoreExpandedGroups(const std::vector<TGroupPath>& Expanded) {
  for (const TGroupPath& path : Expanded) {
    TdxTreeListNode* group = nullptr;
    for (size_t level = 0; level < path.size(); ++level) {
      TdxTreeListNode* first = group ? group->GetFirstChild() : (GetCount() ? GetItem(0) : nullptr);
      TdxTreeListNode* found = nullptr;
      if (!first || !IsGroupNode(first) || level >= groupColumns_.size() ||
          !FindGroupNode(first, path[level], 0, groupColumns_[level]->Sorted() == csDown, found)) {
        group = nullptr;
        break;
      }
      group = found;
    }
    if (group) group->SetExpanded(true);
  }
}

// --- Group rows ---

String TCustomdxDBGrid::GetGroupRowText(TdxDBGridNode* Node) {
  TdxDBTreeListColumn* column = GetGroupColumn(Node->GetLevel());
  if (!column) return String();
  String value;
  TCustomdxDBTreeListControl::GetNodeString(Node, IndexOfColumn(column), value);
  String text = column->Caption() + u" : " + value + u" " + GroupSummaryText(Node, column);
  String suffix;
  if (OnGetGroupRowSuffix) OnGetGroupRowSuffix(this, Node, suffix);
  return text + suffix;
}

String TCustomdxDBGrid::GetGroupCellText(TdxDBGridNode* Node, int Column) {
  // The group row's text stands in its first visible column; its other cells stay empty.
  TdxTreeListColumn* first = GetVisibleColumnCount() ? GetVisibleColumn(0) : nullptr;
  return first && IndexOfColumn(first) == Column ? GetGroupRowText(Node) : String();
}

void TCustomdxDBGrid::DoEditing(TdxTreeListNode* Node, bool& Allow) {
  TCustomdxDBTreeListControl::DoEditing(Node, Allow);
  if (IsGroupNode(Node)) Allow = false;
}

bool TCustomdxDBGrid::CanPlaceEditor() {
  return !IsGroupNode(FocusedNode()) && TCustomdxDBTreeListControl::CanPlaceEditor();
}
