// The filter criteria bound to the columns of one data-aware grid: each condition names a column by
// its component name, takes its node values from it, shows its caption in the readable text and
// writes its dataset field into the filter expression.
#pragma once

#include "dx/dbgrid/dxFilter.h"

class TCustomdxDBGrid;
class TdxDBTreeListColumn;

class TdxDBGridCriteriaItem : public TdxCriteriaItem {
  TRENVIK_CLASS(TdxDBGridCriteriaItem, TdxCriteriaItem);

 public:
  explicit TdxDBGridCriteriaItem(TdxCriteriaItemList* Parent) : TdxCriteriaItem(Parent) {}

  String GetDisplayName() const override;
  void GetNodeValue(TdxTreeListNode* Node, Variant& Value) const override;
  const void* NodeValueSource() const override { return Column; }
  String GetFilterName() const override;

  // Bound by the criteria's LinkItems; nullptr when the grid has no column of the name.
  TdxDBTreeListColumn* Column = nullptr;
};

// A field name as the filter expression writes it: bare when it is an identifier, else bracketed (or
// in double quotes when it holds a ']', which brackets cannot carry).
String QuoteFilterFieldName(const String& Name);

class TdxDBGridCriteria : public TdxCriteria {
  TRENVIK_CLASS(TdxDBGridCriteria, TdxCriteria);

 public:
  explicit TdxDBGridCriteria(TCustomdxDBGrid* Grid) : grid_(Grid) {}

  std::unique_ptr<TdxCriteriaItem> NewItem(TdxCriteriaItemList* Parent) override;
  // Currency compares as a double; strings in upper case when CaseInsensitive (wide strings too:
  // the columns' node texts are wide here).
  void PrepareValue(const Variant& Source, Variant& Dest) const override;
  bool KeepsValue(const Variant& Value) const override;
  void LinkItems() override;

  bool CaseInsensitive() const { return caseInsensitive_; }
  void SetCaseInsensitive(bool Value) { caseInsensitive_ = Value; }
  TCustomdxDBGrid* Grid() const { return grid_; }

  // Appends to List (the root when nullptr) a condition on the column.
  TdxDBGridCriteriaItem* AddColumnCondition(TdxCriteriaItemList* List, TdxDBTreeListColumn* Column,
                                            TdxFilterOperatorKind Operator, const Variant& Value,
                                            const String& DisplayText, bool IsNot);
  TdxDBGridCriteriaItem* FindColumnItem(TdxDBTreeListColumn* Column) const;
  void RemoveColumnItems(TdxDBTreeListColumn* Column);
  // The column's first condition is other than an equality placed directly under the root.
  bool IsCustomColumnFilter(TdxDBTreeListColumn* Column) const;
  bool EvaluateNode(TdxTreeListNode* Node) const { return Evaluate(Node); }

 private:
  TCustomdxDBGrid* grid_;
  bool caseInsensitive_ = false;
};
