// OnChangeNodeEx: reported once per real change of the focused row (its record's key, its level or
// its selected state), never from inside a selection bracket.
#include "dx/dbgrid/dxDBGrid.h"
#include "dx/treelist/dxTLRoutines.h"
#include "platform/data/DataSet.h"

TCustomdxDBGrid::TdxChangeNodeInfo TCustomdxDBGrid::CurrentChangeInfo() {
  TdxChangeNodeInfo info;
  TdxTreeListNode* node = FocusedNode();
  TDataSet* ds = GetDataSet();
  if (!node || !ds || !ds->Active()) return info;
  if (TField* key = BoundKeyField()) info.Key = key->AsVariant();
  info.Level = node->GetLevel();
  info.Selected = IsNodeSelected(node);
  return info;
}

void TCustomdxDBGrid::ReportNodeChange() {
  TdxChangeNodeInfo now = CurrentChangeInfo();
  const bool sameKey = VarType(now.Key) == VarType(lastChangeInfo_.Key) &&
                       (VarIsNull(now.Key) || VarIsEmpty(now.Key) || CompareVariantValues(now.Key, lastChangeInfo_.Key) == 0);
  const bool same = sameKey && now.Level == lastChangeInfo_.Level && now.Selected == lastChangeInfo_.Selected;
  lastChangeInfo_ = std::move(now);
  if (!same) DoChangeNodeEx();
}

void TCustomdxDBGrid::BeginSelection() {
  if (SelectionLockCount() == 0 && OnChangeNodeEx) lastChangeInfo_ = CurrentChangeInfo();
  TCustomdxDBTreeListControl::BeginSelection();
}

void TCustomdxDBGrid::EndSelection() {
  TCustomdxDBTreeListControl::EndSelection();
  if (SelectionLockCount() == 0 && !IsDestroying() && OnChangeNodeEx) ReportNodeChange();
}

void TCustomdxDBGrid::DoSelectedCountChange() {
  TCustomdxDBTreeListControl::DoSelectedCountChange();
  if (SelectionLockCount() == 0 && !IsDestroying() && OnChangeNodeEx) ReportNodeChange();
}
