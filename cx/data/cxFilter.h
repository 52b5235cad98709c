// Filter criteria: a tree of conditions joined by boolean operators, evaluated on records, written as
// readable text and as a filter expression, and stored as a byte stream; the filter operators; the
// list of distinct values a column's filter drop-down offers.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "platform/classes/Component.h"
#include "platform/classes/Persistent.h"
#include "platform/classes/Set.h"
#include "platform/classes/TypInfo.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/Variant.h"

TRENVIK_ENUM(TcxFilterOperatorKind, foEqual, foNotEqual, foLess, foLessEqual, foGreater, foGreaterEqual,
             foLike, foNotLike, foBetween, foNotBetween, foInList, foNotInList, foYesterday, foToday,
             foTomorrow, foLastWeek, foLastMonth, foLastYear, foThisWeek, foThisMonth, foThisYear, foNextWeek,
             foNextMonth, foNextYear);
TRENVIK_ENUM(TcxFilterBoolOperatorKind, fgkAnd, fgkOr, fgkNotAnd, fgkNotOr);
TRENVIK_ENUM(TcxFilterCriteriaOption, fcoCaseInsensitive, fcoShowOperatorDescription, fcoSoftNull,
             fcoSoftCompare);
using TcxFilterCriteriaOptions = Set<TcxFilterCriteriaOption>;

class TcxFilterCriteria;
class TcxFilterCriteriaItem;
class TcxFilterCriteriaItemList;

// ---------------------------------------------------------------------------------------------
// Operators

class TcxFilterOperator : public TObject {
  TRENVIK_CLASS(TcxFilterOperator, TObject);

 public:
  using TCreateArg = TcxFilterCriteriaItem;
  explicit TcxFilterOperator(TcxFilterCriteriaItem* ACriteriaItem) : criteriaItem_(ACriteriaItem) {}

  TcxFilterCriteriaItem* CriteriaItem() const { return criteriaItem_; }
  TcxFilterCriteria* Criteria() const;

  virtual void BuildExpression(const Variant& AValue, String& AText);
  virtual void FormatValue(const Variant& AValue, String& AText);
  virtual void AdjustDisplayValue(String& AText);
  virtual void Prepare() {}
  virtual bool FormatComplexValue(const Variant& AValue, String& AText);
  virtual bool Evaluate(const Variant& AValue, const Variant& ACondition) = 0;
  virtual void GetDisplayText(String& AText);
  virtual void GetExpressionText(String& AText) = 0;
  virtual bool ShowsDescription() { return false; }
  virtual bool BuildsExpression() { return false; }

  String DisplayText() {
    String s;
    GetDisplayText(s);
    return s;
  }
  String ExpressionText() {
    String s;
    GetExpressionText(s);
    return s;
  }

 private:
  TcxFilterCriteriaItem* criteriaItem_;
};

#define CX_FILTER_OPERATOR(Name, Base)                                           \
  class Name : public Base {                                                     \
    TRENVIK_CLASS(Name, Base);                                                   \
                                                                                 \
   public:                                                                       \
    explicit Name(TcxFilterCriteriaItem* ACriteriaItem) : Base(ACriteriaItem) {} \
    bool Evaluate(const Variant& AValue, const Variant& ACondition) override;    \
    void GetDisplayText(String& AText) override;                                 \
    void GetExpressionText(String& AText) override;                              \
    CX_FILTER_OPERATOR_EXTRA_##Name                                              \
  }

#define CX_FILTER_OPERATOR_EXTRA_TcxFilterEqualOperator
#define CX_FILTER_OPERATOR_EXTRA_TcxFilterNotEqualOperator
#define CX_FILTER_OPERATOR_EXTRA_TcxFilterLessOperator
#define CX_FILTER_OPERATOR_EXTRA_TcxFilterLessEqualOperator
#define CX_FILTER_OPERATOR_EXTRA_TcxFilterGreaterOperator
#define CX_FILTER_OPERATOR_EXTRA_TcxFilterGreaterEqualOperator
#define CX_FILTER_OPERATOR_EXTRA_TcxFilterLikeOperator  \
  void AdjustDisplayValue(String& AText) override;      \
                                                        \
 private:                                               \
  /* The condition's text, converted once per value. */ \
  Variant patternValue_;                                \
  String pattern_;                                      \
  bool hasPattern_ = false;                             \
                                                        \
 public:                                                \
  const String& PatternText(const Variant& ACondition);
#define CX_FILTER_OPERATOR_EXTRA_TcxFilterNotLikeOperator
#define CX_FILTER_OPERATOR_EXTRA_TcxFilterBetweenOperator                 \
  bool FormatComplexValue(const Variant& AValue, String& AText) override; \
  bool ShowsDescription() override { return true; }
#define CX_FILTER_OPERATOR_EXTRA_TcxFilterNotBetweenOperator
#define CX_FILTER_OPERATOR_EXTRA_TcxFilterInListOperator                  \
  bool FormatComplexValue(const Variant& AValue, String& AText) override; \
  bool ShowsDescription() override { return true; }
#define CX_FILTER_OPERATOR_EXTRA_TcxFilterNotInListOperator
#define CX_FILTER_OPERATOR_EXTRA_TcxFilterNullOperator void AdjustDisplayValue(String& AText) override;
#define CX_FILTER_OPERATOR_EXTRA_TcxFilterNotNullOperator

CX_FILTER_OPERATOR(TcxFilterEqualOperator, TcxFilterOperator);
CX_FILTER_OPERATOR(TcxFilterNotEqualOperator, TcxFilterEqualOperator);
CX_FILTER_OPERATOR(TcxFilterLessOperator, TcxFilterOperator);
CX_FILTER_OPERATOR(TcxFilterLessEqualOperator, TcxFilterOperator);
CX_FILTER_OPERATOR(TcxFilterGreaterOperator, TcxFilterOperator);
CX_FILTER_OPERATOR(TcxFilterGreaterEqualOperator, TcxFilterOperator);
CX_FILTER_OPERATOR(TcxFilterLikeOperator, TcxFilterOperator);
CX_FILTER_OPERATOR(TcxFilterNotLikeOperator, TcxFilterLikeOperator);
CX_FILTER_OPERATOR(TcxFilterBetweenOperator, TcxFilterOperator);
CX_FILTER_OPERATOR(TcxFilterNotBetweenOperator, TcxFilterBetweenOperator);
CX_FILTER_OPERATOR(TcxFilterInListOperator, TcxFilterOperator);
CX_FILTER_OPERATOR(TcxFilterNotInListOperator, TcxFilterInListOperator);
CX_FILTER_OPERATOR(TcxFilterNullOperator, TcxFilterEqualOperator);
CX_FILTER_OPERATOR(TcxFilterNotNullOperator, TcxFilterNullOperator);

// The relative date ranges: satisfied by a non-blank value V with Date1 <= V < Date2.
class TcxFilterDateOperator : public TcxFilterOperator {
  TRENVIK_CLASS(TcxFilterDateOperator, TcxFilterOperator);

 public:
  explicit TcxFilterDateOperator(TcxFilterCriteriaItem* ACriteriaItem) : TcxFilterOperator(ACriteriaItem) {}
  TDateTime Date1 = 0;
  TDateTime Date2 = 0;

  void BuildExpression(const Variant& AValue, String& AText) override;
  void AdjustDisplayValue(String& AText) override { AText.clear(); }
  void Prepare() override;
  bool Evaluate(const Variant& AValue, const Variant& ACondition) override;
  void GetExpressionText(String& AText) override { GetDisplayText(AText); }
  bool BuildsExpression() override { return true; }

 protected:
  // The range for today's date.
  virtual void GetRange(TDateTime AToday, TDateTime& ADate1, TDateTime& ADate2) = 0;
};

#define CX_FILTER_DATE_OPERATOR(Name)                                                             \
  class Name : public TcxFilterDateOperator {                                                     \
    TRENVIK_CLASS(Name, TcxFilterDateOperator);                                                   \
                                                                                                  \
   public:                                                                                        \
    explicit Name(TcxFilterCriteriaItem* ACriteriaItem) : TcxFilterDateOperator(ACriteriaItem) {} \
    void GetDisplayText(String& AText) override;                                                  \
                                                                                                  \
   protected:                                                                                     \
    void GetRange(TDateTime AToday, TDateTime& ADate1, TDateTime& ADate2) override;               \
  }

CX_FILTER_DATE_OPERATOR(TcxFilterYesterdayOperator);
CX_FILTER_DATE_OPERATOR(TcxFilterTodayOperator);
CX_FILTER_DATE_OPERATOR(TcxFilterTomorrowOperator);
CX_FILTER_DATE_OPERATOR(TcxFilterLastWeekOperator);
CX_FILTER_DATE_OPERATOR(TcxFilterLastMonthOperator);
CX_FILTER_DATE_OPERATOR(TcxFilterLastYearOperator);
CX_FILTER_DATE_OPERATOR(TcxFilterThisWeekOperator);
CX_FILTER_DATE_OPERATOR(TcxFilterThisMonthOperator);
CX_FILTER_DATE_OPERATOR(TcxFilterThisYearOperator);
CX_FILTER_DATE_OPERATOR(TcxFilterNextWeekOperator);
CX_FILTER_DATE_OPERATOR(TcxFilterNextMonthOperator);
CX_FILTER_DATE_OPERATOR(TcxFilterNextYearOperator);

// The operator class of a kind (as the table of kinds gives it).
TClass cxFilterOperatorClassOfKind(TcxFilterOperatorKind AKind);

// ---------------------------------------------------------------------------------------------
// Criteria tree

class TcxCustomFilterCriteriaItem : public TObject {
  TRENVIK_CLASS(TcxCustomFilterCriteriaItem, TObject);

 public:
  explicit TcxCustomFilterCriteriaItem(TcxFilterCriteriaItemList* AParent) : parent_(AParent) {}
  // Leaves the parent group.
  ~TcxCustomFilterCriteriaItem() override;

  TcxFilterCriteriaItemList* Parent() const { return parent_; }
  virtual void Changed();
  virtual TcxFilterCriteria* GetCriteria();
  virtual bool IsItemList() = 0;
  virtual void ReadData(TStream*) {}
  virtual void WriteData(TStream* AStream) = 0;

 protected:
  friend class TcxFilterCriteriaItemList;
  friend class TcxFilterCriteria;
  TcxFilterCriteriaItemList* parent_;
};

class TcxFilterCriteriaItemList : public TcxCustomFilterCriteriaItem {
  TRENVIK_CLASS(TcxFilterCriteriaItemList, TcxCustomFilterCriteriaItem);

 public:
  TcxFilterCriteriaItemList(TcxFilterCriteriaItemList* AParent, TcxFilterBoolOperatorKind ABoolOperatorKind);
  ~TcxFilterCriteriaItemList() override;

  TcxFilterBoolOperatorKind BoolOperatorKind() const { return boolOperatorKind_; }
  void SetBoolOperatorKind(TcxFilterBoolOperatorKind AValue);
  TcxFilterCriteria* Criteria() const { return criteria_; }
  TcxFilterCriteria* GetCriteria() override;
  bool IsItemList() override { return true; }
  void WriteData(TStream* AStream) override;
  // Takes the child out of the list; reports Changed when it was there.
  virtual void RemoveItem(TcxCustomFilterCriteriaItem* AItem);

  TcxFilterCriteriaItem* AddItem(TObject* AItemLink, TcxFilterOperatorKind AOperatorKind,
                                 const Variant& AValue, const String& ADisplayValue);
  TcxFilterCriteriaItemList* AddItemList(TcxFilterBoolOperatorKind ABoolOperatorKind);
  int Count() const { return static_cast<int>(items_.size()); }
  // nil outside 0..Count-1.
  TcxCustomFilterCriteriaItem* Items(int AIndex) const;
  bool Evaluate(int ARecordIndex);

 private:
  friend class TcxFilterCriteria;
  friend class TcxCustomFilterCriteriaItem;
  TcxFilterBoolOperatorKind boolOperatorKind_;
  std::vector<TcxCustomFilterCriteriaItem*> items_;
  TcxFilterCriteria* criteria_ = nullptr;
};

class TcxFilterCriteriaItem : public TcxCustomFilterCriteriaItem {
  TRENVIK_CLASS(TcxFilterCriteriaItem, TcxCustomFilterCriteriaItem);

 public:
  TcxFilterCriteriaItem(TcxFilterCriteriaItemList* AParent, TObject* AItemLink,
                        TcxFilterOperatorKind AOperatorKind, const Variant& AValue,
                        const String& ADisplayValue);
  ~TcxFilterCriteriaItem() override;

  TObject* ItemLink() { return GetItemLink(); }
  void SetItemLink(TObject* AValue) { itemLink_ = AValue; }
  TcxFilterOperatorKind OperatorKind() const { return operatorKind_; }
  void SetOperatorKind(TcxFilterOperatorKind AValue);
  TcxFilterOperator* Operator() const { return operator_.get(); }
  const Variant& Value() const { return value_; }
  void SetValue(const Variant& AValue);
  const String& DisplayValue() const { return displayValue_; }
  void SetDisplayValue(const String& AValue);

  bool IsItemList() override { return false; }
  void WriteData(TStream* AStream) override;

  virtual void GetDataValue(int ARecordIndex, Variant& AValue) = 0;
  virtual void GetDisplayValue(String& AText);
  virtual void GetValueText(bool ADisplayMode, String& AText);
  virtual void GetFieldCaption(String& AText) = 0;
  virtual void GetFieldName(String& AText) = 0;
  virtual TClass GetOperatorClass();
  virtual TObject* GetItemLink() { return itemLink_; }
  // Replaces the operator by one of GetOperatorClass; reports Changed.
  virtual void RecreateOperator();
  bool IsNullValue(const Variant& AValue);

  String FieldCaption() {
    String s;
    GetFieldCaption(s);
    return s;
  }
  String FieldName() {
    String s;
    GetFieldName(s);
    return s;
  }
  bool Evaluate(int ARecordIndex);

 protected:
  TObject* itemLink_;

 private:
  friend class TcxFilterCriteria;
  TcxFilterOperatorKind operatorKind_;
  std::unique_ptr<TcxFilterOperator> operator_;
  Variant value_;
  String displayValue_;
  // The condition's value as PrepareValue makes it, computed once per change of the criteria.
  Variant preparedValue_;
  unsigned preparedGeneration_ = 0;
};

// ---------------------------------------------------------------------------------------------
// Value list

TRENVIK_ENUM(TcxFilterValueItemKind, fviAll, fviCustom, fviBlanks, fviNonBlanks, fviUser, fviValue);

struct TcxFilterValueItem {
  TcxFilterValueItemKind Kind;
  Variant Value;
  String DisplayText;
};

class TcxFilterValueList : public TObject {
  TRENVIK_CLASS(TcxFilterValueList, TObject);

 public:
  using TCreateArg = TcxFilterCriteria;
  explicit TcxFilterValueList(TcxFilterCriteria* ACriteria) : criteria_(ACriteria) {}

  TcxFilterCriteria* Criteria() const { return criteria_; }
  bool SortByDisplayText = false;

  virtual int Compare(int AIndex, const Variant& AValue, const String& ADisplayText);
  virtual void Add(TcxFilterValueItemKind AKind, const Variant& AValue, const String& ADisplayText,
                   bool AUnsorted);
  virtual void Clear() { items_.clear(); }
  virtual bool Find(const Variant& AValue, const String& ADisplayText, int& AIndex);
  virtual int GetIndexByCriteriaItem(TcxFilterCriteriaItem* AItem);

  int Count() const { return static_cast<int>(items_.size()); }
  const TcxFilterValueItem& Items(int AIndex) const { return items_.at(static_cast<size_t>(AIndex)); }
  int GetValuesStartIndex() const;

 private:
  int IndexOfKind(TcxFilterValueItemKind AKind) const;
  TcxFilterCriteria* criteria_;
  std::vector<TcxFilterValueItem> items_;
};

// ---------------------------------------------------------------------------------------------
// Criteria

class TcxFilterCriteria : public TPersistent {
  TRENVIK_CLASS(TcxFilterCriteria, TPersistent);

 public:
  TcxFilterCriteria();
  ~TcxFilterCriteria() override;

  TcxFilterCriteriaItemList* Root() const { return root_.get(); }
  TcxFilterCriteriaOptions Options() const { return options_; }
  void SetOptions(TcxFilterCriteriaOptions AValue);
  Char PercentWildcard() const { return percentWildcard_; }
  void SetPercentWildcard(Char AValue);
  Char UnderscoreWildcard() const { return underscoreWildcard_; }
  void SetUnderscoreWildcard(Char AValue);
  int MaxValueListCount() const { return maxValueListCount_; }
  void SetMaxValueListCount(int AValue) { maxValueListCount_ = AValue; }
  const String& DateTimeFormat() const { return dateTimeFormat_; }
  void SetDateTimeFormat(const String& AValue);
  TNotifyEvent OnChanged;

  void Assign(TPersistent* ASource) override;
  virtual void Changed();
  virtual void FormatDateValue(const Variant& AValue, String& AText);
  virtual void GetFilterCaption(String& AText) { BuildFilterText(true, AText); }
  virtual void BuildFilterText(bool ADisplayMode, String& AText);
  virtual void GetFilterText(String& AText) { BuildFilterText(false, AText); }
  virtual int GetIDByItemLink(TObject* AItemLink) = 0;
  // The criteria's condition class: makes one condition under AParent.
  virtual TcxFilterCriteriaItem* CreateItem(TcxFilterCriteriaItemList* AParent, TObject* AItemLink,
                                            TcxFilterOperatorKind AOperatorKind, const Variant& AValue,
                                            const String& ADisplayValue) = 0;
  virtual void GetItemText(TcxFilterCriteriaItem* AItem, bool ADisplayMode, String& AText);
  virtual void GetItemFieldText(TcxFilterCriteriaItem* AItem, bool ADisplayMode, String& AText);
  virtual void GetItemOperatorText(TcxFilterCriteriaItem* AItem, bool ADisplayMode, String& AText);
  virtual void GetItemValueText(TcxFilterCriteriaItem* AItem, bool ADisplayMode, String& AText);
  virtual TObject* GetItemLinkByID(int AID) = 0;
  virtual TcxFilterValueList* CreateValueList();
  virtual void PrepareOperators();
  // AResult may be AValue itself: records are prepared in place.
  virtual void PrepareValue(const Variant& AValue, Variant& AResult);
  virtual void ReadData(TStream* AStream);
  virtual void DoChanged();
  virtual void WriteData(TStream* AStream);
  virtual void AssignEvents(TPersistent* ASource);
  virtual void AssignItems(TcxFilterCriteria* ASource);
  virtual TcxFilterCriteriaItem* AddItem(TcxFilterCriteriaItemList* AParent, TObject* AItemLink,
                                         TcxFilterOperatorKind AOperatorKind, const Variant& AValue,
                                         const String& ADisplayValue);
  virtual TcxFilterCriteriaItem* FindItemByItemLink(TObject* AItemLink);
  virtual bool IsEmpty() { return root_->Count() == 0; }
  virtual void RestoreDefaults();
  virtual bool IsNullValue(const Variant& AValue);

  void BeginUpdate() { ++updateCount_; }
  void EndUpdate();
  void CancelUpdate() { --updateCount_; }
  int UpdateCount() const { return updateCount_; }
  void Clear();
  void RemoveItemsByItemLink(TObject* AItemLink);
  bool IsRecordSatisfied(int ARecordIndex);

  String FilterCaption() {
    String s;
    GetFilterCaption(s);
    return s;
  }
  String FilterText() {
    String s;
    GetFilterText(s);
    return s;
  }

 private:
  friend class TcxFilterCriteriaItem;
  // Groups nest at most kMaxReadDepth deep in a stream (EReadError past it): each level costs a
  // frame here and in every walk of the tree after.
  static constexpr int kMaxReadDepth = 100;
  void ReadNodes(TStream* AStream, TcxFilterCriteriaItemList* AParent, Integer ACount, int ADepth);
  void BuildGroupText(TcxFilterCriteriaItemList* AList, bool ADisplayMode, String& AText);
  void Invalidate();
  std::unique_ptr<TcxFilterCriteriaItemList> root_;
  int updateCount_ = 0;
  TcxFilterCriteriaOptions options_;
  Char percentWildcard_ = u'%';
  Char underscoreWildcard_ = u'_';
  int maxValueListCount_ = 0;
  String dateTimeFormat_;
  // Bumped at every change, so that conditions know their prepared values are stale.
  unsigned generation_ = 1;
};

// Display values of composite conditions.
String cxFilterValueDisplayText(const Variant& AValue);
String cxFilterBetweenDisplayText(const Variant& APair);
String cxFilterInListDisplayText(const Variant& AList);
