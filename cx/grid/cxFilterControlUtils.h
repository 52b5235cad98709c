// The filter control's operator vocabulary and the filter edit helpers: for one family of editor
// properties, the editor a filter value is typed in, how its properties are prepared, how the value
// is read and written, and which operators it offers. A registry finds the helper of a properties
// class through its nearest registered ancestor.
#pragma once

#include <bitset>
#include <memory>
#include <vector>

#include "cx/data/cxFilter.h"
#include "cx/editors/cxEdit.h"

class TcxValueType;

// Operators of the filter control: 0 none, 1..26 as the string table names them.
enum TcxFilterControlOperator {
  fcopNone = 0,
  fcopEqual,
  fcopNotEqual,
  fcopLess,
  fcopLessEqual,
  fcopGreater,
  fcopGreaterEqual,
  fcopLike,
  fcopNotLike,
  fcopBlanks,
  fcopNonBlanks,
  fcopBetween,
  fcopNotBetween,
  fcopInList,
  fcopNotInList,
  fcopYesterday,
  fcopToday,
  fcopTomorrow,
  fcopLastWeek,
  fcopLastMonth,
  fcopLastYear,
  fcopThisWeek,
  fcopThisMonth,
  fcopThisYear,
  fcopNextWeek,
  fcopNextMonth,
  fcopNextYear,
  fcopLast = fcopNextYear
};

// Bit n set: operator n is offered. Bit 0 is never set.
using TcxFilterControlOperators = std::bitset<fcopLast + 1>;
TcxFilterControlOperators cxFilterControlOperatorRange(int AFrom, int ATo);
// Equality, order and blanks: what numbers, amounts, dates and times offer.
TcxFilterControlOperators cxFilterControlComparisonOperators();

// The filter control's own string-table texts.
constexpr int cxSFilterInvalidValue = 64834;
constexpr int cxSFilterErrorBuilding = 64835;
constexpr int cxSFilterBlankValue = 64836;
constexpr int cxSFilterInvalidCondition = 64837;
constexpr int cxSFilterRootCaption = 64838;
constexpr int cxSFilterAddCondition = 64839;
constexpr int cxSFilterNullString = 64840;
constexpr int cxSFilterMenuAddCondition = 64841;
constexpr int cxSFilterMenuAddGroup = 64842;
constexpr int cxSFilterMenuClearAll = 64843;
constexpr int cxSFilterMenuRemoveRow = 64844;
constexpr int cxSFilterBetweenSeparator = 64845;

// "equals" .. "is next year" for 1..26, empty otherwise.
String FilterOperatorText(int AOperator);
String FilterBoolOperatorText(TcxFilterBoolOperatorKind AKind);
TcxFilterOperatorKind cxFilterControlOperatorKind(TcxFilterControlOperator AOperator);
// The operator of a criteria kind; equal and not equal to a null value are the blank operators.
TcxFilterControlOperator cxFilterControlOperatorOf(TcxFilterOperatorKind AKind, bool AValueIsNull);
bool cxFilterControlOperatorHasValues(int AOperator);
void cxFilterControlConstsInitialize();

// Stateless: one instance per helper class, compared by address.
class TcxCustomFilterEditHelper {
 public:
  virtual ~TcxCustomFilterEditHelper() = default;

  virtual void ClearPropertiesEvents(TcxCustomEditProperties* AProperties) const;
  virtual bool EditPropertiesHasButtons(TcxCustomEdit* AEdit) const;
  virtual void InitializeEdit(TcxCustomEdit* AEdit, TcxCustomEditProperties* AProperties) const;
  // Nullptr: an edit of the item's own properties class.
  virtual TClass GetFilterEditClass() const { return nullptr; }
  virtual void GetFilterValue(TcxCustomEdit*, TcxCustomEditProperties*, String&, Variant&) const {}
  virtual TcxFilterControlOperators GetSupportedFilterOperators(TcxCustomEditProperties* AProperties,
                                                               bool AExtended) const;
  virtual void InitializeProperties(TcxCustomEditProperties* ATarget, TcxCustomEditProperties* ASource,
                                    bool AKeepButtons) const;
  virtual void SetFilterValue(TcxCustomEdit*, TcxCustomEditProperties*, const Variant&) const {}
  virtual bool UseDisplayText() const { return false; }

  // The properties class of the value edit, or nullptr for the item's own class.
  TClass GetFilterEditPropertiesClass() const;
};

class TcxFilterTextEditHelper : public TcxCustomFilterEditHelper {
 public:
  static const TcxFilterTextEditHelper* Instance();
  TClass GetFilterEditClass() const override;
  void GetFilterValue(TcxCustomEdit* AEdit, TcxCustomEditProperties* AProperties, String& AText,
                      Variant& AValue) const override;
  void InitializeProperties(TcxCustomEditProperties* ATarget, TcxCustomEditProperties* ASource,
                            bool AKeepButtons) const override;
  void SetFilterValue(TcxCustomEdit* AEdit, TcxCustomEditProperties* AProperties,
                      const Variant& AValue) const override;
};

class TcxFilterMemoHelper : public TcxFilterTextEditHelper {
 public:
  static const TcxFilterMemoHelper* Instance();
  TcxFilterControlOperators GetSupportedFilterOperators(TcxCustomEditProperties* AProperties,
                                                       bool AExtended) const override;
};

class TcxFilterMaskEditHelper : public TcxFilterTextEditHelper {
 public:
  static const TcxFilterMaskEditHelper* Instance();
  TClass GetFilterEditClass() const override;
  TcxFilterControlOperators GetSupportedFilterOperators(TcxCustomEditProperties* AProperties,
                                                       bool AExtended) const override;
  void InitializeProperties(TcxCustomEditProperties* ATarget, TcxCustomEditProperties* ASource,
                            bool AKeepButtons) const override;
};

class TcxFilterComboBoxHelper : public TcxFilterMaskEditHelper {
 public:
  static const TcxFilterComboBoxHelper* Instance();
  TClass GetFilterEditClass() const override;
  void InitializeProperties(TcxCustomEditProperties* ATarget, TcxCustomEditProperties* ASource,
                            bool AKeepButtons) const override;
};

class TcxFilterSpinEditHelper : public TcxFilterMaskEditHelper {
 public:
  static const TcxFilterSpinEditHelper* Instance();
  TClass GetFilterEditClass() const override;
  TcxFilterControlOperators GetSupportedFilterOperators(TcxCustomEditProperties* AProperties,
                                                       bool AExtended) const override;
  void InitializeProperties(TcxCustomEditProperties* ATarget, TcxCustomEditProperties* ASource,
                            bool AKeepButtons) const override;
};

// The calculator closes at once with its result: the value is typed or calculated, then applied.
class TcxFilterCalcEditHelper : public TcxFilterMaskEditHelper {
 public:
  static const TcxFilterCalcEditHelper* Instance();
  TClass GetFilterEditClass() const override;
  TcxFilterControlOperators GetSupportedFilterOperators(TcxCustomEditProperties* AProperties,
                                                       bool AExtended) const override;
  void InitializeProperties(TcxCustomEditProperties* ATarget, TcxCustomEditProperties* ASource,
                            bool AKeepButtons) const override;
};

class TcxFilterDateEditHelper : public TcxFilterMaskEditHelper {
 public:
  static const TcxFilterDateEditHelper* Instance();
  TClass GetFilterEditClass() const override;
  // The relative-date operators come with the extended set.
  TcxFilterControlOperators GetSupportedFilterOperators(TcxCustomEditProperties* AProperties,
                                                       bool AExtended) const override;
  void InitializeProperties(TcxCustomEditProperties* ATarget, TcxCustomEditProperties* ASource,
                            bool AKeepButtons) const override;
};

class TcxFilterCurrencyEditHelper : public TcxFilterTextEditHelper {
 public:
  static const TcxFilterCurrencyEditHelper* Instance();
  TClass GetFilterEditClass() const override;
  TcxFilterControlOperators GetSupportedFilterOperators(TcxCustomEditProperties* AProperties,
                                                       bool AExtended) const override;
  // No bounds and a Null allowed: a filter value need not be a valid amount of the column.
  void InitializeProperties(TcxCustomEditProperties* ATarget, TcxCustomEditProperties* ASource,
                            bool AKeepButtons) const override;
};

class TcxFilterTimeEditHelper : public TcxFilterSpinEditHelper {
 public:
  static const TcxFilterTimeEditHelper* Instance();
  TClass GetFilterEditClass() const override;
  void InitializeEdit(TcxCustomEdit* AEdit, TcxCustomEditProperties* AProperties) const override;
};

// The MRU list's button is not kept: a filter value is typed.
class TcxFilterMRUEditHelper : public TcxFilterTextEditHelper {
 public:
  static const TcxFilterMRUEditHelper* Instance();
  bool EditPropertiesHasButtons(TcxCustomEdit*) const override { return false; }
};

class TcxFilterHyperLinkEditHelper : public TcxFilterTextEditHelper {
 public:
  static const TcxFilterHyperLinkEditHelper* Instance();
  TClass GetFilterEditClass() const override;
};

// An image combo box column's value is chosen from its items' descriptions in a fixed list.
class TcxFilterImageComboBoxHelper : public TcxFilterComboBoxHelper {
 public:
  static const TcxFilterImageComboBoxHelper* Instance();
  TClass GetFilterEditClass() const override;
  void GetFilterValue(TcxCustomEdit* AEdit, TcxCustomEditProperties* AProperties, String& AText,
                      Variant& AValue) const override;
  TcxFilterControlOperators GetSupportedFilterOperators(TcxCustomEditProperties* AProperties,
                                                       bool AExtended) const override;
  void InitializeProperties(TcxCustomEditProperties* ATarget, TcxCustomEditProperties* ASource,
                            bool AKeepButtons) const override;
};

// Lookup columns (the extended lookup combo box's too) choose a value from their list.
class TcxFilterLookupComboBoxHelper : public TcxFilterComboBoxHelper {
 public:
  static const TcxFilterLookupComboBoxHelper* Instance();
  TClass GetFilterEditClass() const override;
  TcxFilterControlOperators GetSupportedFilterOperators(TcxCustomEditProperties* AProperties,
                                                       bool AExtended) const override;
  void InitializeProperties(TcxCustomEditProperties* ATarget, TcxCustomEditProperties* ASource,
                            bool AKeepButtons) const override;
};

// A check box column's value is chosen from its checked and unchecked texts in a fixed list.
class TcxFilterCheckBoxHelper : public TcxCustomFilterEditHelper {
 public:
  static const TcxFilterCheckBoxHelper* Instance();
  TClass GetFilterEditClass() const override;
  void GetFilterValue(TcxCustomEdit* AEdit, TcxCustomEditProperties* AProperties, String& AText,
                      Variant& AValue) const override;
  TcxFilterControlOperators GetSupportedFilterOperators(TcxCustomEditProperties* AProperties,
                                                       bool AExtended) const override;
  void InitializeProperties(TcxCustomEditProperties* ATarget, TcxCustomEditProperties* ASource,
                            bool AKeepButtons) const override;
  void SetFilterValue(TcxCustomEdit* AEdit, TcxCustomEditProperties* AProperties,
                      const Variant& AValue) const override;
  bool UseDisplayText() const override { return true; }
};

// A radio group's value is chosen from its buttons' captions in a fixed list.
class TcxFilterRadioGroupHelper : public TcxCustomFilterEditHelper {
 public:
  static const TcxFilterRadioGroupHelper* Instance();
  TClass GetFilterEditClass() const override;
  void GetFilterValue(TcxCustomEdit* AEdit, TcxCustomEditProperties* AProperties, String& AText,
                      Variant& AValue) const override;
  TcxFilterControlOperators GetSupportedFilterOperators(TcxCustomEditProperties* AProperties,
                                                       bool AExtended) const override;
  void InitializeProperties(TcxCustomEditProperties* ATarget, TcxCustomEditProperties* ASource,
                            bool AKeepButtons) const override;
  void SetFilterValue(TcxCustomEdit* AEdit, TcxCustomEditProperties* AProperties,
                      const Variant& AValue) const override;
  bool UseDisplayText() const override { return true; }
};

// Pairs of editor properties class and helper, each kept under the properties class's parent.
class TcxFilterEditsController {
 public:
  void Register(TClass APropertiesClass, const TcxCustomFilterEditHelper* AHelper);
  void Unregister(TClass APropertiesClass, const TcxCustomFilterEditHelper* AHelper);
  // The helper of the nearest registered ancestor of the class's parent; nullptr when none.
  const TcxCustomFilterEditHelper* FindHelper(TClass APropertiesClass) const;

 private:
  struct TEntry {
    TClass PropertiesClass;
    const TcxCustomFilterEditHelper* Helper;
  };
  std::vector<TEntry> entries_;
};

TcxFilterEditsController* FilterEditsController();
void cxFilterEditsControllerInitialize();
void cxFilterEditsControllerFinalize();

// The value edit of a helper for an item's properties: from the in-place edit list when given (the
// list keeps it), else a new edit the caller owns; put on AParent (its settings reach its window),
// then prepared by the helper.
TcxCustomEdit* CreateFilterValueEdit(const TcxCustomFilterEditHelper* AHelper, TcxCustomEditProperties* AProperties,
                                     TcxInplaceEditList* AEditList, TWinControl* AParent);
// An empty text for a non-string item becomes Null; a value the item's type does not take raises
// "Invalid value" (the edit, when given, takes the focus first).
void CheckFilterValue(TcxCustomEdit* AEdit, Variant& AValue, int AOperator, const TcxValueType* AValueType);
// Outside like and not like the criteria's wildcards are plain characters no value is typed with: a
// text editor's text loses them (text editors have no set of valid characters to restrict).
void cxFilterRemoveWildcards(TcxCustomEdit* AEdit, TcxFilterCriteria* ACriteria, int AOperator);
