// The grid applying its filter: load-all mode hides the record nodes that fail the criteria (and
// brings them back into their groups when they pass again); every mode announces the expression
// and, when asked, filters the dataset.
#include <algorithm>
#include <cstdint>
#include <unordered_set>

#include "dx/dbgrid/dxDBGrid.h"
#include "platform/data/DataSet.h"
#include "platform/data/DataSource.h"

TdxDBGridFilter* TCustomdxDBGrid::Filter() const {
  if (!filter_) filter_ = std::make_unique<TdxDBGridFilter>(const_cast<TCustomdxDBGrid*>(this));
  return filter_.get();
}

void TCustomdxDBGrid::FilterChanged() {
  nodeFilterActive_ = false;
  UpdateFilterState();
}

void TCustomdxDBGrid::UpdateFilterState() {
  // The form or the grid is still being read, or the grid is going: the filter applies once loaded.
  if (IsLoadingControl() || ComponentState().Contains(csDestroying)) return;
  nodeFilterActive_ = !Filter()->IsEmpty();
  RefilterNodes();
  ApplyFilter();
  Invalidate();
}

void TCustomdxDBGrid::PrepareFilterCriteria() { Filter()->LinkCriteria(); }

void TCustomdxDBGrid::RefilterNodes() {
  PrepareFilterCriteria();
  FilterNodes(nullptr, true);
}

bool TCustomdxDBGrid::NodeMeetsFilter(TdxTreeListNode* Node) {
  if (!IsLoadAllMode() || !nodeFilterActive_) return true;
  return Filter()->EvaluateNode(Node);
}

bool TCustomdxDBGrid::AcceptNodeByFilter(TdxTreeListNode* Node) {
  if (!IsLoadAllMode() || !nodeFilterActive_) return true;
  return FilterNodes(Node, false);
}

namespace {

void CollectRecordNodes(TdxTreeListNode* Node, std::vector<TdxTreeListNode*>& Records) {
  if (!Node->HasChildren()) {
    Records.push_back(Node);
    return;
  }
  for (int i = 0; i < Node->GetCount(); ++i) CollectRecordNodes(Node->GetItem(i), Records);
}

// Records that come back take their place in record order among their siblings, as a load would
// have put them, unless the siblings that stayed (the first Stayed) stand in another order (a sorted
// column).
void RestoreRecordOrder(TCustomdxDBGrid* Grid, TdxTreeListNode* Parent, int Stayed) {
  std::vector<TdxTreeListNode*> children;
  const int count = Parent ? Parent->GetCount() : Grid->GetCount();
  for (int i = 0; i < count; ++i) children.push_back(Parent ? Parent->GetItem(i) : Grid->GetItem(i));
  for (int i = 1; i < Stayed; ++i)
    if (GridNode(children[i])->RecordIndex < GridNode(children[i - 1])->RecordIndex) return;
  std::stable_sort(children.begin(), children.end(), [](TdxTreeListNode* A, TdxTreeListNode* B) {
    return GridNode(A)->RecordIndex < GridNode(B)->RecordIndex;
  });
  // Detached from the end, each unlink is cheap; relinked through the roots. A group emptied on the
  // way closes, so it is opened again.
  const bool expanded = Parent && Parent->Expanded();
  for (int i = count - 1; i >= 0; --i) (Parent ? Parent->GetItem(i) : Grid->GetItem(i))->Detach();
  for (TdxTreeListNode* child : children) {
    child->AddToRoots();
    if (Parent) child->MoveRootToParent(Grid->GetCount() - 1, Parent);
  }
  if (expanded) Parent->SetExpanded(true);
}

// Ask(node) for each node, asked in the order the nodes lie in memory: once grouping has reordered a
// million rows, tree order would send each reading of a node to another place in memory. Nodes are
// bucketed by address (a counting sort, about eight to a bucket), which is order enough for the
// caches.
template <class Ask>
std::vector<char> AskInMemoryOrder(const std::vector<TdxTreeListNode*>& Nodes, const Ask& ask) {
  std::vector<char> answers(Nodes.size());
  const auto address = [](const TdxTreeListNode* node) { return reinterpret_cast<uintptr_t>(node); };
  const auto below = [&](const TdxTreeListNode* a, const TdxTreeListNode* b) { return address(a) < address(b); };
  if (std::is_sorted(Nodes.begin(), Nodes.end(), below)) {
    for (size_t i = 0; i < Nodes.size(); ++i) answers[i] = ask(Nodes[i]);
    return answers;
  }
  const auto [lowest, highest] = std::minmax_element(Nodes.begin(), Nodes.end(), below);
  const uintptr_t low = address(*lowest);
  const uintptr_t span = address(*highest) - low;
  const size_t wanted = Nodes.size() / 8 + 1;
  int shift = 0;
  while ((span >> shift) >= wanted) ++shift;
  std::vector<uint32_t> starts((span >> shift) + 2, 0);
  for (const TdxTreeListNode* node : Nodes) ++starts[((address(node) - low) >> shift) + 1];
  for (size_t b = 1; b < starts.size(); ++b) starts[b] += starts[b - 1];
  std::vector<uint32_t> order(Nodes.size());
  for (size_t i = 0; i < Nodes.size(); ++i) order[starts[(address(Nodes[i]) - low) >> shift]++] = static_cast<uint32_t>(i);
  for (uint32_t at : order) answers[at] = ask(Nodes[at]);
  return answers;
}

bool IsInTree(TdxTreeListNode* Node, const std::vector<TdxTreeListNode*>& Hidden) {
  return std::find(Hidden.begin(), Hidden.end(), Node) == Hidden.end();
}

}  // namespace

bool TCustomdxDBGrid::FilterNodes(TdxTreeListNode* Node, bool Recalc) {
  // Outside load-all mode the nodes are the dataset's window: nothing to bring back or hide.
  if (!IsLoadAllMode() && PendingNodes().empty()) return true;
  std::vector<TdxTreeListNode*> failed;
  TdxTreeListNode* focused = nullptr;
  TdxCriteriaEvaluationScope prepared(*Filter()->Criteria());
  {
    TdxTreeListUpdateScope update(this);
    focused = FocusedNode();
    if (!Node) ClearSelection();
    ResetNodeReferences();
    std::vector<TdxTreeListNode*>& hidden = PendingNodes();
    if (Node) {
      if (!NodeMeetsFilter(Node)) failed.push_back(Node);
    } else {
      std::vector<TdxTreeListNode*> records;
      for (int i = 0; i < GetCount(); ++i) CollectRecordNodes(GetItem(i), records);
      // Each record that comes back goes to the end of its list: a list's children before the first
      // one returned to it are those that stayed.
      struct TReturnedTo {
        TdxTreeListNode* Parent;
        int Stayed;
      };
      std::vector<TReturnedTo> parents;
      std::unordered_set<TdxTreeListNode*> parentSet;
      std::vector<TdxTreeListNode*> stillHidden;
      TGroupPathHint path;
      for (size_t i = hidden.size(); i-- > 0;) {
        TdxTreeListNode* node = hidden[i];
        if (!NodeMeetsFilter(node)) {
          stillHidden.push_back(node);
          continue;
        }
        // Its groups are found (or made) before it joins the roots, where a group made at the end
        // would stand after it.
        TdxTreeListNode* group =
            GroupCount() > 0 ? PlaceInGroups(GridNode(node), GridNode(node)->RecordIndex, &path) : nullptr;
        node->AddToRoots();
        if (group) node->MoveRootToParent(GetCount() - 1, group);
        if ((parents.empty() || parents.back().Parent != group) && parentSet.insert(group).second)
          parents.push_back({group, (group ? group->GetCount() : GetCount()) - 1});
      }
      hidden.assign(stillHidden.rbegin(), stillHidden.rend());
      for (const TReturnedTo& to : parents) RestoreRecordOrder(this, to.Parent, to.Stayed);
      const std::vector<char> meets =
          AskInMemoryOrder(records, [this](TdxTreeListNode* node) { return NodeMeetsFilter(node); });
      for (size_t i = 0; i < records.size(); ++i)
        if (!meets[i]) failed.push_back(records[i]);
    }
    // Hidden in one pass: a million rows leaving one at a time would each renumber their siblings.
    std::vector<TdxTreeListNode*> parents;
    std::unordered_set<TdxTreeListNode*> seenParents;
    for (TdxTreeListNode* node : failed)
      if (node->Parent() && seenParents.insert(node->Parent()).second) parents.push_back(node->Parent());
    DetachNodes(failed);
    // Groups left empty go, up the path.
    std::unordered_set<TdxTreeListNode*> freed;
    for (TdxTreeListNode* parent : parents) {
      while (parent && !freed.count(parent) && parent->GetCount() == 0) {
        TdxTreeListNode* outer = parent->Parent();
        if (parent == focused) focused = nullptr;
        freed.insert(parent);
        delete parent;
        parent = outer;
      }
    }
    hidden.insert(hidden.end(), failed.begin(), failed.end());
    if (!Node) {
      // Group rows stand for their first record, which may have changed.
      if (GroupCount() > 0) TakeFirstRecordIdentity();
      TdxTreeListNode* first = GetFirstNode();
      const bool keepFocus = focused && IsInTree(focused, hidden);
      // With the focus reset the dataset moves from its first record to the first row's.
      if (first && !keepFocus && GetDataLink()->Active()) LocateNodeRecord(GridNode(first), UseLocate());
      FocusFirstRoot();
      if (first && keepFocus) TCustomdxDBTreeListControl::SetFocusedNode(focused, GetFocusedColumn(), true);
    }
  }
  // A record that fails alone is gone; the summaries follow what is shown.
  if (Recalc) RefreshGroupsAndSummaries(Node && failed.size() == 1 && failed[0] == Node ? nullptr : Node);
  return failed.empty();
}

void TCustomdxDBGrid::ApplyFilter() {
  TDataSet* ds = DataSource() ? DataSource()->DataSet() : nullptr;
  String text;
  Filter()->GetFilterText(text);
  if (OnFilterChanged) OnFilterChanged(this, ds, text);
  if (!Filter()->AutoDataSetFilter() || !ds) return;
  ds->SetFilter(text);
  TFilterOptions options = ds->FilterOptions();
  if (Filter()->CaseInsensitive())
    options += TFilterOptions{foCaseInsensitive};
  else
    options -= TFilterOptions{foCaseInsensitive};
  ds->SetFilterOptions(options);
  ds->SetFiltered(!ds->Filter().empty());
}

void TCustomdxDBGrid::ForgetFilterColumn(TdxTreeListColumn* Column) {
  if (!filter_) return;
  // No condition may keep pointing at the column, whatever happens next.
  filter_->LinkCriteria();
  if (ComponentState().Contains(csDestroying)) return;
  filter_->Criteria()->RemoveColumnConditions(Column->Name());
  filter_->Changed();
}

// --- The engine's questions ---

bool TCustomdxDBGrid::IsFilterActive() { return Filter()->Active(); }

bool TCustomdxDBGrid::IsFiltered() { return !Filter()->IsEmpty(); }

String TCustomdxDBGrid::GetFilterText() {
  String text;
  Filter()->GetDisplayText(text);
  return text;
}

String TCustomdxDBGrid::GetClearFilterCaption() { return kClearFilterText; }

bool TCustomdxDBGrid::IsFilterStatusVisible() {
  switch (Filter()->FilterStatus()) {
    case fsNone:
      return false;
    case fsAlways:
      return true;
    default:
      return nodeFilterActive_ && !Filter()->IsEmpty();
  }
}

int TCustomdxDBGrid::GetHeaderFilterButtonState(int Column) {
  int state = TCustomdxDBTreeListControl::GetHeaderFilterButtonState(Column);
  if (state != 0 && Filter()->HasColumnCondition(GetDBColumn(Column))) state |= 8;
  return state;
}

void TCustomdxDBGrid::ClearFilter() { Filter()->Clear(); }
