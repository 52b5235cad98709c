// Helpers shared by the data-aware tree's source files: key sets and comparisons of key values.
#pragma once

#include <map>
#include <set>

#include "dx/dbgrid/dxDBTL.h"
#include "dx/treelist/dxTLRoutines.h"
#include "platform/data/DataSet.h"

namespace dbtl_internal {

struct TVariantLess {
  bool operator()(const Variant& A, const Variant& B) const { return CompareVariantValues(A, B) < 0; }
};
using TKeySet = std::set<Variant, TVariantLess>;
using TNodeIndex = std::map<Variant, TdxTreeListNode*, TVariantLess>;

inline TdxDBTreeListNode* TreeNode(TdxTreeListNode* Node) { return static_cast<TdxDBTreeListNode*>(Node); }

inline bool SameValue(const Variant& A, const Variant& B) {
  if (VarIsNull(A) || VarIsNull(B)) return VarIsNull(A) && VarIsNull(B);
  return CompareVariantValues(A, B) == 0;
}

inline bool IsEditState(TDataSet* DataSet) {
  const TDataSetState s = DataSet->State();
  return s == dsEdit || s == dsInsert || s == dsSetKey;
}

}  // namespace dbtl_internal
