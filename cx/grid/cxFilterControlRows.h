// What the filter control edits: its criteria (never evaluated against data; item links are the
// integers the link component hands out), the link component's interface, and the rows made from
// the criteria and back: groups joining their children with a boolean operator, and conditions of an
// item, an operator and its values.
#pragma once

#include <memory>
#include <vector>

#include "cx/foundation/cxLookAndFeelPainters.h"
#include "cx/grid/cxFilterControlLink.h"
#include "cx/grid/cxFilterControlUtils.h"
#include "platform/rtl/Streams.h"

class TcxValueType;
class TcxCustomEditProperties;
class TcxCustomEditViewInfo;
class TcxFilterControlRowList;
class TcxGroupViewInfo;

TRENVIK_DECLARE_EXCEPTION(EcxFilterControlError, Exception);

// An item link is an integer carried in the criteria's link slot and never dereferenced.
TObject* cxFilterControlItemLink(int AID);
int cxFilterControlItemID(TObject* AItemLink);
// The position of the item whose link is AItemLink among the link's items, -1 when none.
int cxFilterControlFindItem(IcxFilterControl* ALink, TObject* AItemLink);

class TcxFilterControlCriteria : public TcxFilterCriteria {
  TRENVIK_CLASS(TcxFilterControlCriteria, TcxFilterCriteria);

 public:
  explicit TcxFilterControlCriteria(TcxFilterControlRowList* AOwner) : owner_(AOwner) {}
  TcxFilterControlRowList* Owner() const { return owner_; }

  int GetIDByItemLink(TObject* AItemLink) override { return cxFilterControlItemID(AItemLink); }
  TObject* GetItemLinkByID(int AID) override { return cxFilterControlItemLink(AID); }
  TcxFilterCriteriaItem* CreateItem(TcxFilterCriteriaItemList* AParent, TObject* AItemLink,
                                    TcxFilterOperatorKind AOperatorKind, const Variant& AValue,
                                    const String& ADisplayValue) override;

 protected:
  // The control's criteria copy the link's items, never its handlers.
  void AssignEvents(TPersistent*) override {}

 private:
  TcxFilterControlRowList* owner_;
};

class TcxFilterControlCriteriaItem : public TcxFilterCriteriaItem {
  TRENVIK_CLASS(TcxFilterControlCriteriaItem, TcxFilterCriteriaItem);

 public:
  using TcxFilterCriteriaItem::TcxFilterCriteriaItem;
  void GetDataValue(int, Variant& AValue) override { AValue = Null(); }
  void GetFieldCaption(String& AText) override;
  void GetFieldName(String& AText) override;

 private:
  IcxFilterControl* Link();
};

class TcxCustomRowViewInfo {
 public:
  TcxCustomRowViewInfo(TcxFilterControlRowList* AOwner, TcxCustomFilterCriteriaItem* ACriteriaItem,
                       TcxGroupViewInfo* AParent);
  virtual ~TcxCustomRowViewInfo();
  TcxCustomRowViewInfo(const TcxCustomRowViewInfo&) = delete;
  TcxCustomRowViewInfo& operator=(const TcxCustomRowViewInfo&) = delete;

  TcxFilterControlRowList* Owner() const { return owner_; }
  TcxGroupViewInfo* Parent() const { return parent_; }
  // What the row was made from; nullptr for a new row.
  TcxCustomFilterCriteriaItem* CriteriaItem() const { return criteriaItem_; }
  int Level() const { return level_; }
  String ButtonText() const { return parent_ ? String(u"...") : String(u"Filter"); }
  virtual bool IsValid() const { return true; }

  // Geometry, set by the control's layout.
  RECT RowRect{};
  RECT ButtonRect{};
  TcxButtonState ButtonState = cxbsNormal;
  int Indent = 0;

 private:
  TcxFilterControlRowList* owner_;
  TcxCustomFilterCriteriaItem* criteriaItem_;
  TcxGroupViewInfo* parent_;
  int level_;
};

class TcxGroupViewInfo : public TcxCustomRowViewInfo {
 public:
  TcxGroupViewInfo(TcxFilterControlRowList* AOwner, TcxFilterCriteriaItemList* ACriteriaList,
                   TcxGroupViewInfo* AParent);

  int RowCount() const { return static_cast<int>(rows_.size()); }
  TcxCustomRowViewInfo* Rows(int AIndex) const { return rows_.at(static_cast<size_t>(AIndex)).get(); }
  TcxFilterBoolOperatorKind BoolOperator() const { return boolOperator_; }
  void SetBoolOperator(TcxFilterBoolOperatorKind Value) { boolOperator_ = Value; }
  String BoolOperatorText() const { return FilterBoolOperatorText(boolOperator_); }
  // The group takes the row; a row made with this group as parent is added already.
  TcxCustomRowViewInfo* Add(std::unique_ptr<TcxCustomRowViewInfo> ARow);
  void Remove(TcxCustomRowViewInfo* ARow);
  void Clear() { rows_.clear(); }
  bool IsLastChild(const TcxCustomRowViewInfo* ARow) const { return !rows_.empty() && rows_.back().get() == ARow; }

  String Caption;
  RECT BoolOperatorRect{};
  RECT CaptionRect{};

 private:
  std::vector<std::unique_ptr<TcxCustomRowViewInfo>> rows_;
  TcxFilterBoolOperatorKind boolOperator_;
};

struct TcxValueInfo {
  TcxValueInfo() = default;
  TcxValueInfo(const Variant& AValue, const String& AText) : Value(AValue), ValueText(AText) {}

  Variant Value = Null();
  String ValueText;
  // Geometry and the editor view information that paints the value, set by the layout.
  RECT Rect{};
  std::shared_ptr<TcxCustomEditViewInfo> ViewInfo;
};

class TcxConditionViewInfo : public TcxCustomRowViewInfo {
 public:
  // From a criteria item; raises "Can't build filter from source" for an item the link lacks.
  TcxConditionViewInfo(TcxFilterControlRowList* AOwner, TcxFilterCriteriaItem* ACriteriaItem,
                       TcxGroupViewInfo* AParent);
  // A new condition on the link's first item.
  TcxConditionViewInfo(TcxFilterControlRowList* AOwner, TcxGroupViewInfo* AParent);
  ~TcxConditionViewInfo() override;

  TObject* ItemLink() const { return itemLink_; }
  int ItemIndex() const { return itemIndex_; }
  const String& ItemText() const { return itemText_; }
  int Operator() const { return operator_; }
  String OperatorText() const { return FilterOperatorText(operator_); }
  // Changes the operator and keeps the values that fit it.
  void SetOperator(int AOperator);
  const TcxFilterControlOperators& SupportedOperators() const { return supportedOperators_; }
  const TcxCustomFilterEditHelper* Helper() const { return helper_; }
  TcxCustomEditProperties* EditorProperties() const { return editorProperties_.get(); }
  const TcxValueType* ValueType() const { return valueType_; }
  std::vector<TcxValueInfo>& Values() { return values_; }
  const std::vector<TcxValueInfo>& Values() const { return values_; }
  bool HasValues() const { return cxFilterControlOperatorHasValues(operator_); }
  void SetItem(int AIndex);
  void ResetValues(bool AKeep);
  // An item and an operator are chosen; an item without a caption is a valid item.
  bool IsValid() const override { return itemIndex_ != -1 && operator_ != fcopNone; }
  bool IsListOperator() const { return operator_ == fcopInList || operator_ == fcopNotInList; }
  bool IsBetweenOperator() const { return operator_ == fcopBetween || operator_ == fcopNotBetween; }

  RECT ItemRect{};
  RECT OperatorRect{};
  RECT AddValueRect{};
  TcxButtonState AddValueState = cxbsNormal;

 private:
  void InitializeEditor();
  // The value and its text as the criteria item stores them.
  void MakeCriteriaValue(Variant& AValue, String& ADisplayText) const;
  friend class TcxFilterControlRowList;

  TObject* itemLink_ = nullptr;
  int itemIndex_ = -1;
  String itemText_;
  int operator_ = fcopNone;
  std::vector<TcxValueInfo> values_;
  const TcxCustomFilterEditHelper* helper_ = nullptr;
  std::unique_ptr<TcxCustomEditProperties> editorProperties_;
  TcxFilterControlOperators supportedOperators_;
  const TcxValueType* valueType_ = nullptr;
};

// The control's criteria and rows: the root group over the criteria's root list and every row in
// display order (pre-order), rebuilt after each structural change.
class TcxFilterControlRowList {
 public:
  TcxFilterControlRowList();
  ~TcxFilterControlRowList();

  TcxFilterControlCriteria* Criteria() const { return criteria_.get(); }
  IcxFilterControl* Link() const { return link_; }
  void SetLink(IcxFilterControl* Value) { link_ = Value; }
  // A link with at least one item.
  bool HasUsableLink() const { return link_ && link_->GetCount() > 0; }
  TcxGroupViewInfo* Root() const { return root_.get(); }
  int RowCount() const { return static_cast<int>(rows_.size()); }
  TcxCustomRowViewInfo* Rows(int AIndex) const { return rows_.at(static_cast<size_t>(AIndex)); }
  int IndexOf(const TcxCustomRowViewInfo* ARow) const;
  // Used for items without properties of their own.
  TcxCustomEditProperties* DefaultProperties() const { return defaultProperties_.get(); }

  // Rows from the criteria; the rows built before an unknown item stay.
  void BuildRows();
  // False, with the criteria untouched, while some row is invalid.
  bool BuildCriteria();
  bool IsValid() const;
  void Clear();
  // The criteria stream of the rows (".flt" files). Saving raises EcxFilterControlError for an
  // invalid row and replaces a file only once the whole content is made; loading reads and builds
  // rows aside first, so a corrupt or foreign file or an unknown item leaves rows and criteria alone.
  void SaveToStream(TStream* AStream);
  void SaveToFile(const String& AFileName);
  void LoadFromStream(TStream* AStream);
  void LoadFromFile(const String& AFileName);
  TcxConditionViewInfo* AddCondition(TcxGroupViewInfo* AGroup);
  TcxGroupViewInfo* AddGroup(TcxGroupViewInfo* AGroup);
  void RemoveRow(TcxCustomRowViewInfo* ARow);
  void RefreshRows();

 private:
  void AddRows(TcxGroupViewInfo* AGroup);
  void BuildGroupRows(TcxGroupViewInfo* AGroup, TcxFilterCriteriaItemList* AList);
  void BuildGroupCriteria(TcxGroupViewInfo* AGroup, TcxFilterCriteriaItemList* AList);

  std::unique_ptr<TcxFilterControlCriteria> criteria_;
  IcxFilterControl* link_ = nullptr;
  std::unique_ptr<TcxCustomEditProperties> defaultProperties_;
  std::unique_ptr<TcxGroupViewInfo> root_;
  std::vector<TcxCustomRowViewInfo*> rows_;
};
