// The filter criteria of the data-aware grid: a tree of groups joined by AND or OR and conditions
// comparing one column's value with a stored value. The tree is evaluated against tree-list nodes,
// turned into a readable text and a filter expression, and kept in a compact byte stream. Where the
// values come from is left to descendants (dxGrFltr.h binds conditions to grid columns).
#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "platform/rtl/Object.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/Variant.h"

class TdxTreeListNode;
class TdxCriteria;
class TdxCriteriaItemList;

// The byte values are the stream's and index the operator table.
enum TdxFilterOperatorKind : Byte { fokIsNull, fokEqual, fokGreater, fokLess, fokGreaterEqual, fokLessEqual };
enum TdxFilterBoolOperator : Byte { fboAnd, fboOr };

class TdxAbstractOperator {
 public:
  virtual bool Evaluate(const Variant& NodeValue, const Variant& ConditionValue) const = 0;
  virtual String GetText() const = 0;

 protected:
  ~TdxAbstractOperator() = default;
};

// The one instance of each operator class.
const TdxAbstractOperator& FilterOperator(TdxFilterOperatorKind Kind);

// Null, or the empty 8-bit string (an Empty value and an empty wide string are not blank).
bool IsBlankFilterValue(const Variant& V);
// -1, 0 or 1; Null sorts first; values that cannot be compared give -1.
int CompareFilterValues(const Variant& N, const Variant& C);

class TdxCustomCriteriaItem : public TObject {
  TRENVIK_CLASS(TdxCustomCriteriaItem, TObject);

 public:
  explicit TdxCustomCriteriaItem(TdxCriteriaItemList* Parent) : parent_(Parent) {}

  virtual bool IsList() const = 0;
  // Called by the reader once the node (a group with its children) is built.
  virtual void Loaded(TStream*) {}
  virtual void SaveToStream(TStream* Stream) const = 0;

  bool IsNot() const { return isNot_; }
  void SetIsNot(bool Value) { isNot_ = Value; }
  TdxCriteriaItemList* Parent() const { return parent_; }
  // The criteria owning the tree, found through the root.
  TdxCriteria* Criteria() const;

 private:
  friend class TdxCriteriaItemList;
  bool isNot_ = false;
  TdxCriteriaItemList* parent_;
};

class TdxCriteriaItem;

class TdxCriteriaItemList : public TdxCustomCriteriaItem {
  TRENVIK_CLASS(TdxCriteriaItemList, TdxCustomCriteriaItem);

 public:
  TdxCriteriaItemList(TdxCriteriaItemList* Parent, TdxFilterBoolOperator BoolOperator)
      : TdxCustomCriteriaItem(Parent), boolOperator_(BoolOperator) {}

  bool IsList() const override { return true; }
  void SaveToStream(TStream* Stream) const override;

  TdxFilterBoolOperator BoolOperator() const { return boolOperator_; }
  void SetBoolOperator(TdxFilterBoolOperator Value) { boolOperator_ = Value; }
  int Count() const { return static_cast<int>(items_.size()); }
  // nullptr outside 0..Count-1.
  TdxCustomCriteriaItem* Items(int Index) const;

  TdxCriteriaItem* AddItem(const String& ColumnName, TdxFilterOperatorKind Operator, const Variant& Value,
                           const String& DisplayText);
  TdxCriteriaItemList* AddList(TdxFilterBoolOperator BoolOperator);
  // Frees a child of this group.
  void Delete(TdxCustomCriteriaItem* Item);
  // Takes a child out without freeing it.
  std::unique_ptr<TdxCustomCriteriaItem> Extract(TdxCustomCriteriaItem* Item);
  // Appends a node taken from elsewhere, which becomes this group's child.
  void Append(std::unique_ptr<TdxCustomCriteriaItem> Item);
  void Clear() { items_.clear(); }

  bool Evaluate(TdxTreeListNode* Node) const;
  String BuildFilterText(bool DisplayForm) const;

 private:
  friend class TdxCriteria;
  friend class TdxCustomCriteriaItem;
  TdxFilterBoolOperator boolOperator_;
  TdxCriteria* criteria_ = nullptr;  // the root's only
  std::vector<std::unique_ptr<TdxCustomCriteriaItem>> items_;
};

class TdxCriteriaItem : public TdxCustomCriteriaItem {
  TRENVIK_CLASS(TdxCriteriaItem, TdxCustomCriteriaItem);

 public:
  explicit TdxCriteriaItem(TdxCriteriaItemList* Parent) : TdxCustomCriteriaItem(Parent) {}

  bool IsList() const override { return false; }
  void SaveToStream(TStream* Stream) const override;

  // The name in the readable text.
  virtual String GetDisplayName() const { return ColumnName; }
  // The tested column's value in Node.
  virtual void GetNodeValue(TdxTreeListNode* Node, Variant& Value) const = 0;
  // Where GetNodeValue reads: conditions of one source read a node's value once per evaluation.
  virtual const void* NodeValueSource() const { return this; }
  // The name in the filter expression.
  virtual String GetFilterName() const = 0;

  bool Evaluate(TdxTreeListNode* Node) const;
  // Text of the condition (without the outer brackets).
  String BuildFilterText(bool DisplayForm) const;

  String DisplayText;
  // The key naming what is tested: the grid's column component name.
  String ColumnName;
  TdxFilterOperatorKind Operator = fokEqual;
  Variant Value;

 private:
  friend class TdxCriteriaEvaluationScope;
  // Value in the compared form, kept while a scope evaluates many nodes.
  mutable std::optional<Variant> preparedValue_;
};

class TdxCriteria : public TObject {
  TRENVIK_CLASS(TdxCriteria, TObject);

 public:
  TdxCriteria();
  ~TdxCriteria() override;

  TdxCriteriaItemList* Root() const { return root_.get(); }
  // The criteria's kind of condition (the item class).
  virtual std::unique_ptr<TdxCriteriaItem> NewItem(TdxCriteriaItemList* Parent) = 0;
  // Turns a node or condition value into the form compared; a plain copy here.
  virtual void PrepareValue(const Variant& Source, Variant& Dest) const { Dest = Source; }
  // PrepareValue would give Source back unchanged: the evaluation compares it without a copy.
  virtual bool KeepsValue(const Variant&) const { return true; }
  // Run before the criteria are used after a change.
  virtual void LinkItems() {}

  void Clear();
  bool IsEmpty() const { return root_->Count() == 0; }
  // The first condition of that exact name, depth-first in child order.
  TdxCriteriaItem* FindItem(const String& ColumnName) const;
  void RemoveColumnConditions(const String& ColumnName);
  bool Evaluate(TdxTreeListNode* Node) const;
  String GetDisplayText() const { return root_->BuildFilterText(true); }
  String GetFilterText() const { return root_->BuildFilterText(false); }

  // A failed load keeps the nodes read so far. Hostile input raises EReadError, never reading out of
  // range: every length and count is checked against the bytes left.
  void LoadFromStream(TStream* Stream);
  void SaveToStream(TStream* Stream) const;

 private:
  friend class TdxCriteriaItem;
  friend class TdxCriteriaEvaluationScope;
  // Source, or Buffer holding its prepared form.
  const Variant& Prepared(const Variant& Source, Variant& Buffer) const;
  // The item's node value in the compared form, read once per source while Evaluate runs.
  const Variant& PreparedNodeValue(const TdxCriteriaItem& Item, TdxTreeListNode* Node, Variant& Buffer) const;

  std::unique_ptr<TdxCriteriaItemList> root_;
  struct TNodeValue {
    const void* Source;
    TdxTreeListNode* Node;
    Variant Value;
  };
  mutable std::vector<TNodeValue> nodeValues_;
  mutable bool evaluating_ = false;
};

// Keeps every condition's value in its compared form while many nodes are evaluated: prepared once,
// not once a node. The criteria must not change while it lives.
class TdxCriteriaEvaluationScope {
 public:
  explicit TdxCriteriaEvaluationScope(const TdxCriteria& Criteria);
  ~TdxCriteriaEvaluationScope();
  TdxCriteriaEvaluationScope(const TdxCriteriaEvaluationScope&) = delete;
  TdxCriteriaEvaluationScope& operator=(const TdxCriteriaEvaluationScope&) = delete;

 private:
  std::vector<const TdxCriteriaItem*> prepared_;
};

// The tagged value of a condition in the stream.
void WriteFilterVariant(TStream* Stream, const Variant& Value);
Variant ReadFilterVariant(TStream* Stream);
