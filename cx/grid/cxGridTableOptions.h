// The option objects of record-based views: behaviour, what the mouse may change, data, selection
// and view options.
#pragma once

#include "cx/grid/cxGridCustomView.h"

class TcxCustomGridTableItem;

// A switch of an option object that reports a change (the view lays itself out again).
#define TRENVIK_GRID_OPTION(Name, Default)                  \
 public:                                                    \
  bool Name() const { return Name##_; }                     \
  void Set##Name(bool Value) { SetOption(Name##_, Value); } \
                                                            \
 private:                                                   \
  bool Name##_ = Default

// A switch read only when it is needed: stored without notification.
#define TRENVIK_GRID_FLAG(Name, Default)          \
 public:                                          \
  bool Name() const { return Name##_; }           \
  void Set##Name(bool Value) { Name##_ = Value; } \
                                                  \
 private:                                         \
  bool Name##_ = Default

TRENVIK_ENUM(TcxGridDragFocusing, dfNone, dfDragOver, dfDragDrop);
TRENVIK_ENUM(TcxGridShowEditButtons, gsebNever, gsebForFocusedRecord, gsebAlways);

class TcxCustomGridTableOptionsBehavior : public TcxCustomGridOptions {
  TRENVIK_CLASS(TcxCustomGridTableOptionsBehavior, TcxCustomGridOptions);
  TRENVIK_GRID_FLAG(AlwaysShowEditor, false);
  TRENVIK_GRID_FLAG(CellHints, false);
  TRENVIK_GRID_FLAG(DragHighlighting, true);
  TRENVIK_GRID_FLAG(DragOpening, true);
  TRENVIK_GRID_FLAG(DragScrolling, true);
  TRENVIK_GRID_FLAG(FocusCellOnCycle, false);
  TRENVIK_GRID_FLAG(FocusFirstCellOnNewRecord, false);
  TRENVIK_GRID_FLAG(GoToNextCellOnEnter, false);
  TRENVIK_GRID_FLAG(ImmediateEditor, true);
  TRENVIK_GRID_FLAG(PullFocusing, false);

 public:
  using TcxCustomGridOptions::TcxCustomGridOptions;
  TcxGridDragFocusing DragFocusing() const { return dragFocusing_; }
  void SetDragFocusing(TcxGridDragFocusing Value) { dragFocusing_ = Value; }
  bool FocusCellOnTab() const { return focusCellOnTab_; }
  // The grid control takes the Tab key while cells are focused by it.
  void SetFocusCellOnTab(bool Value);
  bool IncSearch() const { return incSearch_; }
  // Switching off ends a running incremental search first.
  void SetIncSearch(bool Value);
  TcxCustomGridTableItem* IncSearchItem() const { return incSearchItem_; }
  void SetIncSearchItem(TcxCustomGridTableItem* Value) { incSearchItem_ = Value; }
  void Assign(TPersistent* Source) override;

 private:
  TcxGridDragFocusing dragFocusing_ = dfNone;
  bool focusCellOnTab_ = false;
  bool incSearch_ = false;
  TcxCustomGridTableItem* incSearchItem_ = nullptr;
};

// Item-level permissions; the table view publishes them as ColumnGrouping, ColumnMoving, ColumnSorting.
class TcxCustomGridTableOptionsCustomize : public TcxCustomGridOptions {
  TRENVIK_CLASS(TcxCustomGridTableOptionsCustomize, TcxCustomGridOptions);
  TRENVIK_GRID_FLAG(ItemGrouping, true);
  TRENVIK_GRID_FLAG(ItemMoving, true);
  TRENVIK_GRID_FLAG(ItemSorting, true);

 public:
  using TcxCustomGridOptions::TcxCustomGridOptions;
  void Assign(TPersistent* Source) override;
};

class TcxCustomGridTableOptionsData : public TcxCustomGridOptions {
  TRENVIK_CLASS(TcxCustomGridTableOptionsData, TcxCustomGridOptions);
  TRENVIK_GRID_OPTION(Appending, false);
  TRENVIK_GRID_OPTION(CancelOnExit, true);
  TRENVIK_GRID_OPTION(Deleting, true);
  TRENVIK_GRID_OPTION(DeletingConfirmation, true);
  TRENVIK_GRID_OPTION(Editing, true);
  TRENVIK_GRID_OPTION(Inserting, true);

 public:
  using TcxCustomGridOptions::TcxCustomGridOptions;
  void Assign(TPersistent* Source) override;
};

class TcxCustomGridTableOptionsSelection : public TcxCustomGridOptionsSelection {
  TRENVIK_CLASS(TcxCustomGridTableOptionsSelection, TcxCustomGridOptionsSelection);
  TRENVIK_GRID_FLAG(CellSelect, true);
  TRENVIK_GRID_OPTION(HideFocusRect, true);
  TRENVIK_GRID_OPTION(HideSelection, false);
  TRENVIK_GRID_OPTION(InvertSelect, true);
  TRENVIK_GRID_FLAG(UnselectFocusedRecordOnExit, true);

 public:
  using TcxCustomGridOptionsSelection::TcxCustomGridOptionsSelection;
  // Kept by the data controller as its multi-selection switch.
  bool MultiSelect() const;
  void SetMultiSelect(bool Value);
  void Assign(TPersistent* Source) override;
};

class TcxCustomGridTableOptionsView : public TcxCustomGridOptionsView {
  TRENVIK_CLASS(TcxCustomGridTableOptionsView, TcxCustomGridOptionsView);
  TRENVIK_GRID_OPTION(CellEndEllipsis, false);
  TRENVIK_GRID_OPTION(ItemCaptionEndEllipsis, false);

 public:
  using TcxCustomGridOptionsView::TcxCustomGridOptionsView;
  bool CellAutoHeight() const { return cellAutoHeight_; }
  void SetCellAutoHeight(bool Value) { SetSizeOption(cellAutoHeight_, Value); }
  int CellTextMaxLineCount() const { return cellTextMaxLineCount_; }
  // A negative count becomes 0 (no limit).
  void SetCellTextMaxLineCount(int Value);
  bool ItemCaptionAutoHeight() const { return itemCaptionAutoHeight_; }
  void SetItemCaptionAutoHeight(bool Value) { SetSizeOption(itemCaptionAutoHeight_, Value); }
  TcxGridShowEditButtons ShowEditButtons() const { return showEditButtons_; }
  void SetShowEditButtons(TcxGridShowEditButtons Value);
  void Assign(TPersistent* Source) override;

 protected:
  // Stores a switch and asks the view for a new size when it differs.
  void SetSizeOption(bool& AField, bool AValue);

 private:
  bool cellAutoHeight_ = false;
  int cellTextMaxLineCount_ = 0;
  bool itemCaptionAutoHeight_ = false;
  TcxGridShowEditButtons showEditButtons_ = gsebNever;
};
