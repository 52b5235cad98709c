// The grid's filter: its persistent settings and the column-bound criteria. Changing either asks
// the grid to filter anew.
#pragma once

#include <memory>

#include "dx/dbgrid/dxGrFltr.h"
#include "platform/classes/Persistent.h"
#include "platform/classes/TypInfo.h"

class TCustomdxDBGrid;
class TdxDBTreeListColumn;

TRENVIK_ENUM(TdxDBGridFilterStatus, fsAuto, fsNone, fsAlways);

// The fixed entries of a column's filter drop-down and the filter panel's button.
inline constexpr const char16_t* kFilterAllText = u"(All)";
inline constexpr const char16_t* kFilterCustomText = u"(Custom...)";
inline constexpr const char16_t* kFilterBlanksText = u"(Blanks)";
inline constexpr const char16_t* kFilterNonBlanksText = u"(NonBlanks)";
inline constexpr const char16_t* kClearFilterText = u"Clear Filter";

class TdxDBGridFilter : public TPersistent {
  TRENVIK_CLASS(TdxDBGridFilter, TPersistent);

 public:
  explicit TdxDBGridFilter(TCustomdxDBGrid* Grid);
  ~TdxDBGridFilter() override;

  bool Active() const { return active_; }
  void SetActive(bool Value);
  bool AutoDataSetFilter() const { return autoDataSetFilter_; }
  void SetAutoDataSetFilter(bool Value);
  bool CaseInsensitive() const { return caseInsensitive_; }
  void SetCaseInsensitive(bool Value);
  int DropDownCount() const { return dropDownCount_; }
  void SetDropDownCount(int Value) { dropDownCount_ = Value; }
  int DropDownWidth() const { return dropDownWidth_; }
  void SetDropDownWidth(int Value) { dropDownWidth_ = Value; }
  TdxDBGridFilterStatus FilterStatus() const { return filterStatus_; }
  void SetFilterStatus(TdxDBGridFilterStatus Value);
  int MaxDropDownCount() const { return maxDropDownCount_; }
  void SetMaxDropDownCount(int Value) { maxDropDownCount_ = Value; }

  TdxDBGridCriteria* Criteria() const { return criteria_.get(); }
  TCustomdxDBGrid* Grid() const { return grid_; }

  virtual void GetDisplayText(String& S) { S = criteria_->GetDisplayText(); }
  virtual void GetFilterText(String& S) { S = criteria_->GetFilterText(); }
  virtual void SetColumnValue(TdxDBTreeListColumn* Column, const Variant& Value, const String& DisplayText);
  virtual void SetColumnBlanks(TdxDBTreeListColumn* Column, bool NonBlanks);
  virtual void Clear();
  virtual bool HasColumnCondition(TdxDBTreeListColumn* Column) { return criteria_->FindColumnItem(Column); }
  virtual bool IsEmpty() { return criteria_->IsEmpty(); }
  virtual void ClearColumn(TdxDBTreeListColumn* Column);
  // The custom filter dialog for the column (dxGrFDlg.cpp); True when confirmed and applied.
  virtual bool ShowCustomDialog(TdxDBTreeListColumn* Column);

  // Asks the grid to apply the filter anew.
  void Changed();
  bool EvaluateNode(TdxTreeListNode* Node) { return criteria_->EvaluateNode(Node); }
  // Binds every condition to the column of its name.
  void LinkCriteria() { criteria_->LinkItems(); }
  // 0 no condition, 1 blanks, 2 non-blanks, 3 a value, 4 a custom condition; Value the first
  // condition's value (Null without one).
  int GetColumnFilterKind(TdxDBTreeListColumn* Column, Variant& Value);

  void Assign(TPersistent* Source) override;
  // The criteria travel as the binary property "Criteria", always written.
  void DefineProperties(TFiler* Filer) override;

 private:
  TCustomdxDBGrid* grid_;
  std::unique_ptr<TdxDBGridCriteria> criteria_;
  bool active_ = false;
  bool autoDataSetFilter_ = false;
  bool caseInsensitive_ = false;
  int dropDownCount_ = 12;
  int dropDownWidth_ = 0;
  TdxDBGridFilterStatus filterStatus_ = fsAuto;
  int maxDropDownCount_ = 1000;
};
