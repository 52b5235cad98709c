// Records and rows as laid out by the table view: a record's place, height and expand button, the
// data cells that show their values through the editors' view data, the group row's text cell, and
// the level indents, separators and closing grid line of every row.
#pragma once

#include <memory>
#include <vector>

#include "cx/editors/cxEditViewInfo.h"
#include "cx/grid/cxGridRows.h"
#include "cx/grid/cxGridTableViewInfo.h"

class TcxGridColumn;
class TcxGridTableViewInfo;
class TcxCustomGridRecordViewInfo;

class TcxCustomGridRecordViewInfo : public TcxCustomGridViewCellViewInfo {
  TRENVIK_CLASS(TcxCustomGridRecordViewInfo, TcxCustomGridViewCellViewInfo);

 public:
  TcxCustomGridRecordViewInfo(TcxCustomGridRecordsViewInfo* ARecordsViewInfo, TcxCustomGridRecord* ARecord);

  TcxCustomGridRecordsViewInfo* RecordsViewInfo() const { return recordsViewInfo_; }
  TcxCustomGridTableView* TableView() const { return recordsViewInfo_->GridView(); }
  TcxCustomGridRecord* GridRecord() const { return record_; }
  int Index() const;
  RECT ExpandButtonBounds{0, 0, 0, 0};
  bool Expanded() const;
  bool Selected();
  bool Calculated() const { return calculated_; }
  virtual int Height();

  virtual void GetExpandButtonAreaBounds(RECT& ABounds) = 0;
  virtual RECT GetCellsAreaBounds() { return Bounds; }
  virtual bool GetAutoHeight() { return false; }
  virtual bool IsClickHitTest(TcxCustomGridHitTest* AHitTest);
  virtual RECT GetBoundsForItem(TcxCustomGridTableItem*) { return RECT{0, 0, 0, 0}; }
  virtual TcxCustomGridCellViewInfo* GetCellViewInfoByItem(TcxCustomGridTableItem*) { return nullptr; }
  virtual RECT GetBoundsForInvalidate(TcxCustomGridTableItem* AItem);
  bool GetVisible() override;
  int CalculateWidth() override { return 0; }
  TColor GetBorderColor(TcxBorder) override { return clNone; }
  int GetBorderWidth(TcxBorder) override { return 0; }
  TClass GetHitTestClass() override { return TcxGridRecordHitTest::StaticClass(); }
  void InitHitTest(TcxCustomGridHitTest* AHitTest) override;
  TcxCustomGridHitTest* GetHitTest(POINT P) override;
  bool MouseDown(TcxCustomGridHitTest* AHitTest, TMouseButton AButton, TShiftState AShift) override;
  // Focuses the record clicked; False when the view went away meanwhile. The layout may be made
  // anew while the focus moves: this object must not be touched afterwards.
  virtual bool FocusRecord(TcxCustomGridHitTest* AHitTest, TMouseButton AButton, TShiftState AShift);
  void Calculate(int ALeft, int ATop, int AWidth = -1, int AHeight = -1) override;
  // Lays the record out again where it stands, its cells made anew from the current values.
  virtual void Recalculate();

 protected:
  virtual void CalculateExpandButtonBounds(RECT& ABounds);
  virtual int GetWidth() = 0;
  // The view's drawn-selected answer for the record.
  virtual bool CalculateSelected();

 private:
  TcxCustomGridRecordsViewInfo* recordsViewInfo_;
  TcxCustomGridRecord* record_;
  int selected_ = -1;
  bool calculated_ = false;
};

// A cell of a record: parameters and selection answered for its record.
class TcxGridTableCellViewInfo : public TcxCustomGridViewCellViewInfo {
  TRENVIK_CLASS(TcxGridTableCellViewInfo, TcxCustomGridViewCellViewInfo);

 public:
  explicit TcxGridTableCellViewInfo(TcxCustomGridRecordViewInfo* ARecordViewInfo);
  ~TcxGridTableCellViewInfo() override { *alive_ = false; }

  TcxCustomGridRecordViewInfo* RecordViewInfo() const { return recordViewInfo_; }
  TcxCustomGridRecord* GridRecord() const { return recordViewInfo_->GridRecord(); }
  TcxCustomGridTableView* TableView() const { return recordViewInfo_->TableView(); }
  bool Selected();
  virtual bool CanDrawSelected() { return false; }
  TClass GetHitTestClass() override { return TcxGridRecordHitTest::StaticClass(); }
  void InitHitTest(TcxCustomGridHitTest* AHitTest) override;
  void Calculate(int ALeft, int ATop, int AWidth = -1, int AHeight = -1) override;
  // The record takes the press (it may focus itself and so lay the rows out anew); the cell's own
  // press follows only when the cell outlived that.
  bool MouseDown(TcxCustomGridHitTest* AHitTest, TMouseButton AButton, TShiftState AShift) override;

 protected:
  virtual bool CalculateSelected();
  // Content, selection or inactive parameters of the record (and item).
  void GetRecordParams(TcxCustomGridTableItem* AItem, TcxStyleParams& AParams);

 private:
  TcxCustomGridRecordViewInfo* recordViewInfo_;
  int selected_ = -1;

 protected:
  // Cleared by the destructor: a press that made the layout anew finds the cell gone.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

// A cell showing one item's value of its record through the item's editor.
class TcxGridTableDataCellViewInfo : public TcxGridTableCellViewInfo {
  TRENVIK_CLASS(TcxGridTableDataCellViewInfo, TcxGridTableCellViewInfo);

 public:
  TcxGridTableDataCellViewInfo(TcxCustomGridRecordViewInfo* ARecordViewInfo, TcxCustomGridTableItem* AItem)
      : TcxGridTableDataCellViewInfo(ARecordViewInfo, AItem, true) {}
  ~TcxGridTableDataCellViewInfo() override;

  TcxCustomGridTableItem* Item() const { return item_; }
  TcxCustomEditProperties* Properties() const { return properties_; }
  TcxCustomEditViewInfo* EditViewInfo() const { return editViewInfo_.get(); }
  bool HasCustomDraw() override;
  // The item's handler, then, unless it finished the drawing, the view's.
  void DoCustomDraw(TcxCanvas* ACanvas, bool& ADone) override;
  // The colours and font of the editor's view when the cell draws through it.
  void GetCurrentViewParams(TcxStyleParams& AParams) override;
  void SetViewParams(const TcxStyleParams& AParams) override;
  bool CanDrawSelected() override { return true; }
  virtual bool IsAutoHeight() { return RecordViewInfo()->GetAutoHeight(); }
  virtual RECT GetEditBounds();
  virtual RECT GetEditViewInfoBounds() { return ContentBounds(); }
  virtual RECT GetEditContentOffsets() { return RECT{1, 1, 1, 1}; }
  virtual int GetMaxLineCount();
  virtual Variant GetDisplayValue();
  virtual bool IsTextSelected();
  // Without editor properties the cell shows the record's display text itself.
  String GetText() override;
  int CalculateHeight() override;
  void GetViewParams(TcxStyleParams& AParams) override { GetRecordParams(item_, AParams); }
  bool GetShowEndEllipsis() override;
  TClass GetHitTestClass() override;
  void InitHitTest(TcxCustomGridHitTest* AHitTest) override;
  std::unique_ptr<TcxCustomGridCellPainter> CreatePainter(TcxCanvas* ACanvas) override;
  void Calculate(int ALeft, int ATop, int AWidth = -1, int AHeight = -1) override;
  // A press focuses the record and the item, and may open the editor; a click on the cell that was
  // focused already opens it at once or after the double-click time.
  bool MouseDown(TcxCustomGridHitTest* AHitTest, TMouseButton AButton, TShiftState AShift) override;
  bool MouseUp(TcxCustomGridHitTest* AHitTest, TMouseButton AButton, TShiftState AShift) override;
  virtual bool CanShowEditOnMouseDown() { return HotTrack(); }
  // With cell hints on, the editor's text that does not fit, within the record's cells.
  bool ShowsHint() override;
  bool GetHintInfo(POINT P, String& AText, RECT& ATextBounds, bool& AMultiLine) override;
  // The focused item's cell in the focused record.
  bool IsFocusedCell();

 protected:
  // Without the editor the cell draws the record's display text as a plain cell.
  TcxGridTableDataCellViewInfo(TcxCustomGridRecordViewInfo* ARecordViewInfo, TcxCustomGridTableItem* AItem,
                               bool AWithEditor);
  virtual void InitStyle();
  virtual void CalculateEditViewInfo(TcxCustomEditViewInfo* AEditViewInfo, POINT AMousePos);
  virtual void InitTextSelection(TcxCustomEditViewData* AViewData);
  // The width its text is measured in for the auto height.
  int TextAreaWidth();

 private:
  TcxCustomGridTableItem* item_;
  TcxCustomEditProperties* properties_;
  std::unique_ptr<TcxCustomEditStyle> editStyle_;
  std::unique_ptr<TcxCustomEditViewInfo> editViewInfo_;
  bool wasFocusedCellAtMouseDown_ = false;
};

// Cells of the table view's rows: grid-line borders.
class TcxGridCellViewInfo : public TcxGridTableCellViewInfo {
  TRENVIK_CLASS(TcxGridCellViewInfo, TcxGridTableCellViewInfo);

 public:
  using TcxGridTableCellViewInfo::TcxGridTableCellViewInfo;
  TcxGridTableViewInfo* TableViewInfo() const;
  TColor GetBorderColor(TcxBorder) override;
  int GetBorderWidth(TcxBorder) override;
  void GetViewParams(TcxStyleParams& AParams) override { GetRecordParams(nullptr, AParams); }
  int CalculateHeight() override { return 0; }
  int CalculateWidth() override { return 0; }
};

class TcxCustomGridRowViewInfo;
class TcxGridDataRowViewInfo;
class TcxGridPreviewCellViewInfo;

class TcxGridDataCellViewInfo : public TcxGridTableDataCellViewInfo {
  TRENVIK_CLASS(TcxGridDataCellViewInfo, TcxGridTableDataCellViewInfo);

 public:
  TcxGridDataCellViewInfo(TcxGridDataRowViewInfo* ARowViewInfo, TcxCustomGridTableItem* AItem, int AVisibleIndex)
      : TcxGridDataCellViewInfo(ARowViewInfo, AItem, AVisibleIndex, true) {}
  TcxGridDataRowViewInfo* RowViewInfo() const;
  TcxGridTableViewInfo* TableViewInfo() const;
  int VisibleIndex() const { return visibleIndex_; }
  bool IsRight() const;
  int CalculateWidth() override;
  TcxBorders GetBorders() override;
  TColor GetBorderColor(TcxBorder) override;
  int GetBorderWidth(TcxBorder) override;
  bool GetMultiLine() override;
  std::unique_ptr<TcxCustomGridCellPainter> CreatePainter(TcxCanvas* ACanvas) override;

 protected:
  TcxGridDataCellViewInfo(TcxGridDataRowViewInfo* ARowViewInfo, TcxCustomGridTableItem* AItem, int AVisibleIndex,
                          bool AWithEditor);

 private:
  int visibleIndex_;
};

// The cells area of a data row when no column is visible.
class TcxGridDataRowCellsAreaViewInfo : public TcxGridCellViewInfo {
  TRENVIK_CLASS(TcxGridDataRowCellsAreaViewInfo, TcxGridCellViewInfo);

 public:
  using TcxGridCellViewInfo::TcxGridCellViewInfo;
  bool CanDrawSelected() override { return true; }
  bool GetVisible() override;
  TcxBorders GetBorders() override;
};

class TcxGridGroupCellViewInfo : public TcxGridCellViewInfo {
  TRENVIK_CLASS(TcxGridGroupCellViewInfo, TcxGridCellViewInfo);

 public:
  using TcxGridCellViewInfo::TcxGridCellViewInfo;
  TcxCustomGridRowViewInfo* RowViewInfo() const;
  bool CanDrawSelected() override { return true; }
  String GetText() override;
  TcxAlignmentVert GetAlignmentVert() override { return vaCenter; }
  RECT GetTextAreaBounds() override;
  TcxBorders GetBorders() override;
  RECT GetBorderBounds(TcxBorder ASide) override;
  void GetViewParams(TcxStyleParams& AParams) override;
  std::unique_ptr<TcxCustomGridCellPainter> CreatePainter(TcxCanvas* ACanvas) override;
  bool HasCustomDraw() override;
  void DoCustomDraw(TcxCanvas* ACanvas, bool& ADone) override;
};

class TcxGridRowFootersViewInfo;

class TcxCustomGridRowViewInfo : public TcxCustomGridRecordViewInfo {
  TRENVIK_CLASS(TcxCustomGridRowViewInfo, TcxCustomGridRecordViewInfo);

 public:
  TcxCustomGridRowViewInfo(TcxCustomGridRecordsViewInfo* ARecordsViewInfo, TcxCustomGridRecord* ARecord);
  ~TcxCustomGridRowViewInfo() override;
  // The group footers the row closes; made anew by every calculation.
  TcxGridRowFootersViewInfo* FootersViewInfo();
  virtual bool HasFooter(int ALevel);

  TcxGridRowsViewInfo* RowsViewInfo() const { return static_cast<TcxGridRowsViewInfo*>(RecordsViewInfo()); }
  TcxGridTableViewInfo* TableViewInfo() const;
  TcxGridTableView* GridTableView() const;
  int Level() const;
  virtual int LevelIndentWidth() const;
  int GetContentLeft() { return Bounds.left + LevelIndentWidth(); }
  int GetContentWidth() { return Bounds.right - Bounds.left - LevelIndentWidth(); }
  virtual int GetCellsAreaLeft() { return GetContentLeft(); }
  virtual int GetCellsAreaWidth() { return GetContentWidth(); }
  virtual int GetSeparatorWidth();
  virtual bool HasSeparator() { return true; }
  virtual TColor GetSeparatorColor();
  virtual RECT GetSeparatorBounds();
  virtual bool HasLastHorzGridLine();
  RECT GetLastHorzGridLineBounds();
  virtual int GetBottomPartHeight();
  virtual int GetContentHeight() { return Height() - GetBottomPartHeight(); }
  virtual int GetHeightInArea() { return Height(); }
  RECT GetCellsAreaBounds() override;
  // Level ALevel's indent (-1: the whole indent) split into background and its two lines.
  void GetLevelIndentBounds(int ALevel, RECT& ABackground, RECT& AVertLine, RECT& AHorzLine);
  RECT GetBoundsForInvalidate(TcxCustomGridTableItem* AItem) override;
  bool IsClickHitTest(TcxCustomGridHitTest* AHitTest) override;
  TcxCustomGridHitTest* GetHitTest(POINT P) override;
  bool FocusRecord(TcxCustomGridHitTest* AHitTest, TMouseButton AButton, TShiftState AShift) override;
  bool GetVisible() override;
  int CalculateHeight() override { return GetBottomPartHeight(); }
  void Calculate(int ALeft, int ATop, int AWidth = -1, int AHeight = -1) override;

 protected:
  int GetWidth() override;

 private:
  std::unique_ptr<TcxGridRowFootersViewInfo> footers_;
};

class TcxGridDataRowViewInfo : public TcxCustomGridRowViewInfo {
  TRENVIK_CLASS(TcxGridDataRowViewInfo, TcxCustomGridRowViewInfo);

 public:
  TcxGridDataRowViewInfo(TcxCustomGridRecordsViewInfo* ARecordsViewInfo, TcxCustomGridRecord* ARecord);
  ~TcxGridDataRowViewInfo() override;

  int CellCount() const { return static_cast<int>(cells_.size()); }
  // Made on first request.
  TcxGridDataCellViewInfo* Cells(int AIndex);
  bool IsCellCreated(int AIndex) const { return cells_.at(static_cast<size_t>(AIndex)) != nullptr; }
  TcxGridDataRowCellsAreaViewInfo* CellsArea() const { return cellsArea_.get(); }
  virtual bool HasPreview();
  // The preview band's cell, made on first request; nil without a preview.
  TcxGridPreviewCellViewInfo* Preview();
  int PreviewHeight();
  virtual int GetCellLeft(int AIndex);
  virtual int GetCellWidth(int AIndex);
  int GetCellsHeight();
  RECT GetDataCellsAreaBounds();
  bool GetAutoHeight() override;
  void GetExpandButtonAreaBounds(RECT& ABounds) override { ABounds = RECT{0, 0, 0, 0}; }
  RECT GetBoundsForItem(TcxCustomGridTableItem* AItem) override;
  TcxCustomGridCellViewInfo* GetCellViewInfoByItem(TcxCustomGridTableItem* AItem) override;
  int CalculateHeight() override;
  TcxCustomGridHitTest* GetHitTest(POINT P) override;
  bool IsClickHitTest(TcxCustomGridHitTest* AHitTest) override;
  std::unique_ptr<TcxCustomGridCellPainter> CreatePainter(TcxCanvas* ACanvas) override;
  void Calculate(int ALeft, int ATop, int AWidth = -1, int AHeight = -1) override;
  void Recalculate() override;

 private:
  std::vector<std::unique_ptr<TcxGridDataCellViewInfo>> cells_;
  std::unique_ptr<TcxGridDataRowCellsAreaViewInfo> cellsArea_;
  std::unique_ptr<TcxGridPreviewCellViewInfo> preview_;
};

// The row for entering a new record above the others, closed by a separator band.
class TcxGridNewItemRowViewInfo : public TcxGridDataRowViewInfo {
  TRENVIK_CLASS(TcxGridNewItemRowViewInfo, TcxGridDataRowViewInfo);

 public:
  using TcxGridDataRowViewInfo::TcxGridDataRowViewInfo;
  int GetCellLeft(int AIndex) override;
  int GetCellWidth(int AIndex) override;
  int LevelIndentWidth() const override { return 0; }
  bool GetAutoHeight() override { return false; }
  bool HasPreview() override { return false; }
  bool HasSeparator() override { return false; }
  bool HasLastHorzGridLine() override { return false; }
  bool GetVisible() override { return true; }
  TColor GetSeparatorColor() override;
  RECT GetNewItemRowSeparatorBounds();
  RECT GetCellsAreaBounds() override;
  int CalculateHeight() override;
  std::unique_ptr<TcxCustomGridCellPainter> CreatePainter(TcxCanvas* ACanvas) override;

 protected:
  bool CalculateSelected() override;

 private:
  int height_ = -1;
};

class TcxGridGroupRowViewInfo : public TcxCustomGridRowViewInfo {
  TRENVIK_CLASS(TcxGridGroupRowViewInfo, TcxCustomGridRowViewInfo);

 public:
  TcxGridGroupRowViewInfo(TcxCustomGridRecordsViewInfo* ARecordsViewInfo, TcxCustomGridRecord* ARecord);
  ~TcxGridGroupRowViewInfo() override;

  TcxGridGroupCellViewInfo* GroupCell() const { return groupCell_.get(); }
  RECT GetSeparatorBounds() override;
  RECT GetSeparatorIndentBounds();
  bool HasFooter(int ALevel) override;
  void GetExpandButtonAreaBounds(RECT& ABounds) override;
  int CalculateHeight() override;
  TcxCustomGridHitTest* GetHitTest(POINT P) override;
  std::unique_ptr<TcxCustomGridCellPainter> CreatePainter(TcxCanvas* ACanvas) override;
  void Calculate(int ALeft, int ATop, int AWidth = -1, int AHeight = -1) override;
  void Recalculate() override;

 private:
  std::unique_ptr<TcxGridGroupCellViewInfo> groupCell_;
};

// The class of row view information a record is laid out by.
std::unique_ptr<TcxCustomGridRecordViewInfo> cxGridCreateRowViewInfo(TcxCustomGridRecordsViewInfo* ARecordsViewInfo,
                                                                      TcxCustomGridRecord* ARecord);
