// When the table view shows its filter bar, how its column filter drop-down is sized, and which
// filter dialog edits its filter.
#pragma once

#include "cx/grid/cxGridTableOptions.h"

TRENVIK_ENUM(TcxGridFilterVisible, fvNever, fvNonEmpty, fvAlways);

class TcxCustomGridTableItem;

class TcxGridTableFiltering : public TcxCustomGridOptions {
  TRENVIK_CLASS(TcxGridTableFiltering, TcxCustomGridOptions);
  TRENVIK_GRID_OPTION(CustomizeDialog, true);

 public:
  using TcxCustomGridOptions::TcxCustomGridOptions;
  TcxGridFilterVisible Visible() const { return visible_; }
  void SetVisible(TcxGridFilterVisible Value);
  // 0: the drop-down's width follows its longest entry. Negative values become 0.
  int DropDownWidth() const { return dropDownWidth_; }
  void SetDropDownWidth(int Value) { dropDownWidth_ = Value < 0 ? 0 : Value; }
  // At most this many rows in the drop-down; 0 for no limit. Negative values become 0.
  int MaxDropDownCount() const { return maxDropDownCount_; }
  void SetMaxDropDownCount(int Value) { maxDropDownCount_ = Value < 0 ? 0 : Value; }
  int GetDropDownCount(int ACount) const;
  void Assign(TPersistent* Source) override;

  // The custom filter dialog for AItem when the view's filter is simple enough for it; else, or
  // without an item, the filter builder.
  virtual void RunFilterDialog(TcxCustomGridTableItem* AItem);

 private:
  TcxGridFilterVisible visible_ = fvNonEmpty;
  int dropDownWidth_ = 0;
  int maxDropDownCount_ = 15;
};
