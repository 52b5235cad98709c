// The lookup grid: a small list control showing the records of its own data controller in columns
// under an optional header row, each cell drawn by its column's editor. It is the drop-down list of
// the lookup combo box and can stand on a form by itself.
#pragma once

#include <memory>
#include <vector>

#include "cx/data/cxData.h"
#include "cx/editors/cxEdit.h"
#include "cx/editors/cxEditViewInfo.h"
#include "cx/foundation/cxGridLines.h"
#include "cx/foundation/cxControls.h"
#include "platform/classes/Collection.h"

class TcxCustomLookupGrid;
class TcxLookupGridColumns;


using TcxLookupGridProviderFactory = std::function<IcxEditDefaultValuesProviderRef(TPersistent* AOwner)>;

class TcxLookupGridColumn : public TCollectionItem, public IcxEditRepositoryItemListener {
  TRENVIK_CLASS(TcxLookupGridColumn, TCollectionItem);

 public:
  explicit TcxLookupGridColumn(TCollection* Collection);
  ~TcxLookupGridColumn() override;

  void Assign(TPersistent* Source) override;
  void SetIndex(int Value) override;

  TcxCustomLookupGrid* Grid() const;
  String Caption();
  void SetCaption(const String& Value);
  bool IsCaptionAssigned() const { return captionAssigned_; }
  bool Fixed() const { return fixed_; }
  void SetFixed(bool Value);
  TAlignment HeaderAlignment() const { return headerAlignment_; }
  void SetHeaderAlignment(TAlignment Value);
  int MinWidth() const { return minWidth_; }
  void SetMinWidth(int Value);
  bool Sorting() const { return sorting_; }
  void SetSorting(bool Value);
  TcxDataSortOrder SortOrder();
  void SetSortOrder(TcxDataSortOrder Value);
  TcxEditRepositoryItem* RepositoryItem() const { return repositoryItem_; }
  void SetRepositoryItem(TcxEditRepositoryItem* Value);
  int Width();
  void SetWidth(int Value);
  bool IsWidthAssigned() const { return widthAssigned_; }

  // Made on first use from GetDefaultValuesProviderClass.
  const IcxEditDefaultValuesProviderRef& DefaultValuesProvider();
  // The editor of the column's cells.
  TcxCustomEditProperties* Properties() { return GetEffectiveRepositoryItem()->Properties(); }

  // IcxEditRepositoryItemListener
  void ItemRemoved(TcxEditRepositoryItem* Sender) override;
  void PropertiesChanged(TcxEditRepositoryItem* Sender) override;

  // --- Virtual operations, in slot order ---
  virtual void CheckWidthValue(int& AWidth);
  virtual TcxLookupGridProviderFactory GetDefaultValuesProviderClass();
  virtual TcxValueTypeClass GetValueTypeClass();
  virtual void SetValueTypeClass(TcxValueTypeClass AClass);
  virtual void GetDefaultCaption(String& ACaption) { ACaption.clear(); }
  // The default editor of the value-type registry.
  virtual TcxEditRepositoryItem* GetDefaultRepositoryItem();
  virtual int GetDefaultWidth() { return 64; }
  virtual TFont* GetFont();
  virtual TcxEditRepositoryItem* GetEffectiveDefaultRepositoryItem();
  virtual TcxEditRepositoryItem* GetEffectiveRepositoryItem();
  virtual bool IsLeft() { return Index() == 0; }
  virtual bool IsRight();
  virtual void RestoreDefaults();

 protected:
  void NotifyChanged() { Changed(false); }

 private:
  String caption_;
  bool captionAssigned_ = false;
  bool fixed_ = false;
  TAlignment headerAlignment_ = taLeftJustify;
  int minWidth_ = 20;
  bool sorting_ = true;
  TcxEditRepositoryItem* repositoryItem_ = nullptr;
  int width_ = 0;
  bool widthAssigned_ = false;
  IcxEditDefaultValuesProviderRef provider_;
  std::unique_ptr<TcxEditRepositoryItem> internalItem_;
};

// Answers from the grid's data controller for the column's item.
class TcxLookupGridDefaultValuesProvider : public TcxCustomEditDefaultValuesProvider {
  TRENVIK_CLASS(TcxLookupGridDefaultValuesProvider, TcxCustomEditDefaultValuesProvider);

 public:
  explicit TcxLookupGridDefaultValuesProvider(TPersistent* AOwner) : TcxCustomEditDefaultValuesProvider(AOwner) {}
  // The unbound controller has no display formats.
  bool IsDisplayFormatDefined(bool) override { return false; }
};

class TcxLookupGridColumns : public TCollection {
  TRENVIK_CLASS(TcxLookupGridColumns, TCollection);

 public:
  TcxLookupGridColumns(TcxCustomLookupGrid* AGrid, TClass AColumnClass);

  TcxCustomLookupGrid* Grid() const { return grid_; }
  TcxLookupGridColumn* Items(int AIndex) const { return static_cast<TcxLookupGridColumn*>(TCollection::Items(AIndex)); }
  TcxLookupGridColumn* Add() { return static_cast<TcxLookupGridColumn*>(TCollection::Add()); }
  void RestoreDefaults();
  TPersistent* GetOwner() override;

 protected:
  void Update(TCollectionItem* Item) override;

 private:
  TcxCustomLookupGrid* grid_;
};

class TcxLookupGridOptions : public TPersistent {
  TRENVIK_CLASS(TcxLookupGridOptions, TPersistent);

 public:
  explicit TcxLookupGridOptions(TcxCustomLookupGrid* AGrid) : grid_(AGrid) {}

  void Assign(TPersistent* Source) override;
  bool AnsiSort() const;
  void SetAnsiSort(bool Value);
  bool CaseInsensitive() const;
  void SetCaseInsensitive(bool Value);
  bool ColumnSorting() const { return columnSorting_; }
  void SetColumnSorting(bool Value) { columnSorting_ = Value; }
  TcxGridLines GridLines() const { return gridLines_; }
  void SetGridLines(TcxGridLines Value);
  bool RowSelect() const { return rowSelect_; }
  void SetRowSelect(bool Value);
  bool ShowHeader() const { return showHeader_; }
  void SetShowHeader(bool Value);

 private:
  void SetControllerOption(TcxDataControllerOption AOption, bool AValue);

  TcxCustomLookupGrid* grid_;
  bool columnSorting_ = true;
  TcxGridLines gridLines_ = glBoth;
  bool rowSelect_ = true;
  bool showHeader_ = true;
};

// What a lookup grid's data controller asks of its grid: item N is column N.
template <class TBase>
class TcxLookupGridControllerLink : public TBase {
 public:
  using TBase::TBase;
  ~TcxLookupGridControllerLink() override { this->BeforeDestruction(); }
  TcxCustomLookupGrid* Grid() const;
  TObject* GetItem(int AIndex) override;
  int GetItemID(TObject* AItem) override;
};

class TcxLookupGridDataController : public TcxLookupGridControllerLink<TcxDataController> {
  TRENVIK_CLASS(TcxLookupGridDataController, TcxDataController);

 public:
  explicit TcxLookupGridDataController(TComponent* AOwner) : TcxLookupGridControllerLink(AOwner) {}
};

// --- Layout ---

enum TcxLookupGridTopRowCalculation { trcNone, trcForward, trcBackward };

struct TcxLookupGridColumnViewInfo {
  TcxLookupGridColumn* Column = nullptr;
  RECT Bounds{};
  RECT TextBounds{};
  TAlignment Alignment = taLeftJustify;
  TcxNeighbors Neighbors;
  TcxBorders Borders;
  TcxDataSortOrder SortOrder = soNone;
  String Text;
  std::unique_ptr<TcxCustomEditStyle> Style;
  // Only while a cell of the column is being prepared or measured.
  std::unique_ptr<TcxCustomEditViewData> EditViewData;
};

struct TcxLookupGridCellViewInfo {
  int ColumnIndex = -1;
  bool Focused = false;
  RECT Bounds{};
  RECT ContentBounds{};
  TcxBorders Borders;
  std::unique_ptr<TcxCustomEditViewInfo> EditViewInfo;
};

struct TcxLookupGridRowViewInfo {
  int RowIndex = -1;
  int RecordIndex = -1;
  bool Focused = false;
  RECT Bounds{};
  RECT ContentBounds{};
  TcxBorders Borders;
  std::vector<TcxLookupGridCellViewInfo> Cells;
};

// What a point of the grid's client area hits.
struct TcxLookupGridHitInfo {
  enum TKind { htNone, htHeader, htCell };
  TKind Kind = htNone;
  int ColumnIndex = -1;
  // Set also by a row hit outside every cell.
  int RowIndex = -1;
};

class TcxLookupGridViewInfo : public TObject {
  TRENVIK_CLASS(TcxLookupGridViewInfo, TObject);

 public:
  explicit TcxLookupGridViewInfo(TcxCustomLookupGrid* AGrid) : grid_(AGrid) {}
  ~TcxLookupGridViewInfo() override;

  TcxCustomLookupGrid* Grid() const { return grid_; }
  RECT HeaderBand{};
  RECT RowArea{};
  RECT FullRowArea{};
  RECT RightGap{};
  RECT BottomGap{};
  int GridBorderWidth = 0;
  int RowHeight = 0;
  int LaidOutRowCount = 0;
  int WholeRowCount = 0;
  std::vector<std::unique_ptr<TcxLookupGridColumnViewInfo>> Columns;
  std::vector<std::unique_ptr<TcxLookupGridRowViewInfo>> Rows;

  // The height of one row with its horizontal grid line.
  int RowStep();
  // The laid-out row of a row index, nullptr when it is not laid out.
  TcxLookupGridRowViewInfo* FindRow(int ARowIndex);
  TcxLookupGridHitInfo HitTest(POINT P);
  // Gives a laid-out row its focused flag and its cells' values again.
  void RecalculateRow(TcxLookupGridRowViewInfo* ARow);
  // Whether the last pass, a search of the nearest top row, left exactly the layout of that top row;
  // asking forgets it, so only the layout that follows the search is spared.
  bool TakeLayoutOfTopRow(int ATopRowIndex);

  // --- Virtual operations, in slot order ---
  virtual int GetHeaderHeight();
  virtual void CalculateHeaders();
  virtual void CalculateEmptyRects();
  virtual void CalculateColumns();
  virtual void CalculateRows();
  virtual void Calculate();
  virtual int GetNearestTopRowIndex(int ATopRowIndex);
  virtual void InitColumnStyle(TcxLookupGridColumnViewInfo* AColumnViewInfo, TcxLookupGridColumn* AColumn);
  virtual void CreateEditViewData(TcxLookupGridColumnViewInfo* AColumnViewInfo, TcxLookupGridColumn* AColumn);
  virtual void DestroyEditViewData(TcxLookupGridColumnViewInfo* AColumnViewInfo, TcxLookupGridColumn* AColumn);
  virtual TColor GetContentColor();
  virtual TFont* GetContentFont();
  virtual TColor GetContentTextColor();
  virtual TColor GetGridLineColor() { return clBtnFace; }
  virtual int GetGridLineWidth() { return 1; }
  virtual TColor GetHeaderColor() { return clBtnFace; }
  virtual TFont* GetHeaderFont();
  virtual TColor GetSelectionColor();
  virtual TColor GetSelectionTextColor();

 private:
  bool HasHorizontalLines();
  int CalculateRowHeight();
  // Lays out one row at ATop; its bottom, grid line included.
  int AddRow(int ARowIndex, int ATop, bool ALastRow);
  void PrepareCell(TcxLookupGridRowViewInfo* ARow, TcxLookupGridCellViewInfo* ACell);

  TcxCustomLookupGrid* grid_;
  TcxLookupGridTopRowCalculation topRowCalculation_ = trcNone;
  int internalTopRowIndex_ = 0;
  // The top row whose layout the last search left, -1 when none.
  int searchedTopRowLayout_ = -1;
};

class TcxLookupGridPainter : public TObject {
  TRENVIK_CLASS(TcxLookupGridPainter, TObject);

 public:
  explicit TcxLookupGridPainter(TcxCustomLookupGrid* AGrid) : grid_(AGrid) {}

  TcxCustomLookupGrid* Grid() const { return grid_; }
  // Paints the grid's border and content on ACanvas.
  void Paint(TcxCanvas* ACanvas);

  // --- Virtual operations, in slot order ---
  virtual void DrawBorder();
  virtual void DrawCell(TcxLookupGridCellViewInfo* ACell);
  virtual void DrawContent();
  virtual void DrawEmptyArea();
  virtual void DrawHeaders();
  virtual void DrawRow(TcxLookupGridRowViewInfo* ARow);
  virtual void DrawRows();

 protected:
  TcxCanvas* Canvas() const { return canvas_; }
  TcxLookupGridViewInfo* ViewInfo() const;
  TcxLookAndFeelPainterClass LookAndFeelPainter() const;

 private:
  void DrawGridLineFrame(const RECT& ABounds, TcxBorders ABorders);

  TcxCustomLookupGrid* grid_;
  TcxCanvas* canvas_ = nullptr;
};

// --- The control ---

using TcxLookupGridCloseUpEvent = std::function<void(TObject* Sender, bool AAccept)>;

class TcxCustomLookupGrid : public TcxControl {
  TRENVIK_CLASS(TcxCustomLookupGrid, TcxControl);

 public:
  explicit TcxCustomLookupGrid(TComponent* AOwner);
  ~TcxCustomLookupGrid() override;

  TcxLookupGridColumns* Columns() const { return columns_.get(); }
  TcxLookupGridOptions* Options() const { return options_.get(); }
  TcxCustomDataController* DataController() const { return dataController_.get(); }
  TcxLookupGridViewInfo* ViewInfo() const { return viewInfo_.get(); }
  TcxLookupGridPainter* Painter() const { return painter_.get(); }
  TcxLookupGridColumn* FocusedColumn() const { return focusedColumn_; }
  void SetFocusedColumn(TcxLookupGridColumn* Value);
  int TopRowIndex() const { return topRowIndex_; }
  void SetTopRowIndex(int Value);
  int FocusedRowIndex() { return dataController_->GetFocusedRowIndex(); }
  bool IgnoreMouseMove() const { return ignoreMouseMove_; }
  void SetIgnoreMouseMove(bool Value) { ignoreMouseMove_ = Value; }
  bool IsPressedOnRows() const { return pressedOnRows_; }
  int AutoScrollDirection() const { return autoScrollDirection_; }
  void SetPopupMode(bool Value);
  bool IsGridDestroying() const { return destroying_; }

  void BeginUpdate();
  void EndUpdate();
  int GetNearestPopupHeight(int AHeight);
  int GetPopupHeightForRows(int ARowCount);
  bool IsRecordAtPoint(POINT P) { return ViewInfo()->HitTest(P).RowIndex != -1; }
  void MakeFocusedRowVisible();
  void MakeRowVisible(int ARowIndex);
  void PageUp();
  void PageDown();
  // The look-and-feel painter in force.
  TcxLookAndFeelPainterClass LookAndFeelPainter() { return GetLookAndFeelPainterClass(); }

  TNotifyEvent OnClick;
  TcxLookupGridCloseUpEvent OnCloseUp;
  TNotifyEvent OnDataChanged;
  TNotifyEvent OnNotify;

  // --- Virtual operations, in slot order ---
  virtual void AddDataItem(TcxLookupGridColumn* AColumn);
  virtual void LayoutChanged(int AChanges = 1);
  virtual void CreateSubClasses();
  virtual void CreateDataController();
  virtual void DestroySubClasses();
  virtual void DestroyDataController();
  virtual void DoRowMouseDown(int ARowIndex, int AColumnIndex, TShiftState AShift);
  virtual void DoHeaderClick(int AColumnIndex, TShiftState AShift);
  virtual TClass GetColumnClass();
  virtual std::unique_ptr<TcxLookupGridColumns> GetColumnsClass();
  virtual std::unique_ptr<TcxCustomDataController> GetDataControllerClass();
  virtual TcxLookAndFeelPainterClass GetLookAndFeelPainterClass() { return TcxControl::GetLookAndFeelPainter(); }
  virtual std::unique_ptr<TcxLookupGridPainter> GetGridPainterClass();
  virtual int GetTopRowOffset();
  virtual int GetBottomRowOffset();
  virtual std::unique_ptr<TcxLookupGridViewInfo> GetViewInfoClass();
  virtual bool IsPopupMode() { return popupMode_; }
  virtual void RemoveDataItem(TcxLookupGridColumn* AColumn);
  virtual void SetAutoScroll(int ADirection);
  virtual void InvalidateFocusedRow();
  virtual void InvalidateRow(int ARowIndex, bool ARecalculate);
  virtual void UpdateLayout();
  virtual void DataChanged();
  virtual void DataLayoutChanged();
  virtual void DoClick();
  virtual void DoCloseUp(bool AAccept);
  virtual void DoNotify();
  virtual void FocusedRowChanged(int APrevRowIndex, int AFocusedRowIndex);
  virtual void RefreshLayout();
  virtual void SelectionChanged(TcxSelectionChangedInfo* AInfo);
  virtual void UpdateControl(TcxUpdateControlInfo* AInfo);
  virtual void SetFocusedSelected(bool AValue);

  // --- Overrides of the control foundation ---
  int GetBorderSize() override;
  void InitScrollBars() override;
  void LookAndFeelChanged(TcxLookAndFeel* Sender, TcxLookAndFeelValues AChangedValues) override;
  void InitScrollBarsParameters() override;
  void Scroll(TScrollBarKind AScrollBarKind, TScrollCode AScrollCode, int& AScrollPos) override;
  bool AllowMouseWithoutFocus() override { return true; }
  void BoundsChanged() override;
  void FontChanged() override;
  void AfterColorChange() override { RefreshLayout(); }
  void FocusChanged() override;
  void ResetMouseCaptureObject() override;

 protected:
  // Descendants whose constructors add subclasses call it once their own members exist.
  void Loaded() override;
  void Paint() override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  // A descendant with other column or data controller classes makes both again from its
  // constructor, before any column exists.
  void RecreateColumnsAndDataController();

 private:
  void CorrectTopRowForGridMode(int& ATopRowIndex);
  void FocusRow(int ARowIndex);
  void ChangeFocusedColumnIndex(int AIndex);
  void MoveFocusedRow(bool ADown);
  void AutoScrollTick();

  std::unique_ptr<TcxLookupGridColumns> columns_;
  std::unique_ptr<TcxLookupGridOptions> options_;
  std::unique_ptr<TcxLookupGridViewInfo> viewInfo_;
  std::unique_ptr<TcxLookupGridPainter> painter_;
  std::unique_ptr<TcxCustomDataController> dataController_;
  std::unique_ptr<TTimer> autoScrollTimer_;
  TcxLookupGridColumn* focusedColumn_ = nullptr;
  int topRowIndex_ = 0;
  bool popupMode_ = false;
  int updateCount_ = 0;
  int pendingChanges_ = 0;
  bool ignoreMouseMove_ = false;
  bool pressedOnRows_ = false;
  int autoScrollDirection_ = 0;
  bool destroying_ = false;
};

// Holds a lookup grid's update bracket for a scope, released also when a step fails; nothing
// without a grid.
class TcxLookupGridUpdateScope {
 public:
  explicit TcxLookupGridUpdateScope(TcxCustomLookupGrid* AGrid) : grid_(AGrid) {
    if (grid_) grid_->BeginUpdate();
  }
  ~TcxLookupGridUpdateScope() {
    if (grid_) grid_->EndUpdate();
  }
  TcxLookupGridUpdateScope(const TcxLookupGridUpdateScope&) = delete;
  TcxLookupGridUpdateScope& operator=(const TcxLookupGridUpdateScope&) = delete;

 private:
  TcxCustomLookupGrid* grid_;
};
