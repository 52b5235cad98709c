// Smart refresh: with egoSmartRefresh a change of the dataset that would reload every record only
// refreshes the node of the current record (a million-record list stays as loaded after a post).
#include "dx/dbgrid/dxDBGrid.h"
#include "dx/treelist/dxTLRoutines.h"
#include "platform/data/DataSet.h"

namespace {

bool HasKey(TdxTreeListNode* Node, const Variant& Key) {
  const Variant& own = GridNode(Node)->KeyValue;
  return !VarIsNull(own) && !VarIsNull(Key) && CompareVariantValues(own, Key) == 0;
}

TdxTreeListNode* FirstLeaf(TdxTreeListNode* Node) {
  while (Node && Node->GetCount() > 0) Node = Node->GetItem(0);
  return Node;
}

}  // namespace

// Hands a data-set change to the grid's smart refresh first.
class TdxDBGridDataLink : public TdxDBTreeListControlDataLink {
 public:
  explicit TdxDBGridDataLink(TCustomdxDBGrid* Grid) : TdxDBTreeListControlDataLink(Grid), grid_(Grid) {}

 protected:
  void DataSetChanged() override {
    if (!grid_->RefreshSmartly()) TdxDBTreeListControlDataLink::DataSetChanged();
  }

 private:
  TCustomdxDBGrid* grid_;
};

std::unique_ptr<TdxDBTreeListControlDataLink> TCustomdxDBGrid::NewDataLink() {
  return std::make_unique<TdxDBGridDataLink>(this);
}

bool TCustomdxDBGrid::CanSmartRefresh() {
  TDataSet* ds = GetDataSet();
  if (!Options().Contains(egoSmartRefresh) || !ds || ds->Bof() || ds->Eof() || IsPartialLoadMode())
    return false;
  return !(GetCount() == 1 && GroupCount() > 0 && !GetItem(0)->HasChildren());
}

bool TCustomdxDBGrid::RefreshSmartly() {
  TDataSet* ds = GetDataSet();
  // Only where the change would reload every record: the other cases keep their own handling.
  if (!ds || locatingByKey_ || internalChange_ || skipRecordSync_ || IsDataSetWindowMode()) return false;
  const TDataSetState state = ds->State();
  if (state == dsEdit || state == dsInsert || state == dsSetKey || IsDataSetChangingByControls(ds))
    return false;
  if (!CanSmartRefresh()) return false;
  SmartRefreshRecord();
  FocusNodeByKey();
  return true;
}

void TCustomdxDBGrid::SmartRefreshRecord() {
  TdxDBGridNode* changing = changingNode_;
  changingNode_ = nullptr;
  if (!BoundKeyField() || !Options().Contains(egoCanNavigation)) return;
  const Variant key = BoundKeyField()->AsVariant();
  TdxTreeListNode* holder = FindNodeInTreeOrder([&](TdxTreeListNode* Node) { return HasKey(Node, key); });
  // The node that was being changed (a new record's has no key yet) takes the record's key, unless
  // another node already shows that record: then it goes.
  if (TdxTreeListNode* leaf = FirstLeaf(FocusedNode());
      changing && leaf && (leaf == changing || HasKey(leaf, changing->KeyValue)) &&
      (!HasKey(leaf, key) || (holder && holder != leaf))) {
    if (holder && holder != leaf) {
      TdxTreeListNode* gone = leaf;
      FreeNodeWithEmptyParents(gone);
      return;
    }
    RefreshCurrentRecord(nullptr, leaf);
    return;
  }
  if (holder) RefreshCurrentRecord(nullptr, holder);
}
