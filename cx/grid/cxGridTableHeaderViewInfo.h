// The table view's parts and its column parts: the part base that stacks itself around the rows,
// the column header (cells with sorting mark, filter button and sizing edge), the group-by box with
// its staircase of grouping columns, and the footer with its summary cells.
#pragma once

#include <memory>
#include <vector>

#include "cx/grid/cxGridTableHitTests.h"
#include "cx/grid/cxGridTableViewInfo.h"

class TcxGridColumnHeaderViewInfo;
class TcxGridColumnContainerViewInfo;

enum { cxGridPartAlignTop = 0, cxGridPartAlignBottom = 1 };

class TcxCustomGridPartViewInfo : public TcxCustomGridViewCellViewInfo {
  TRENVIK_CLASS(TcxCustomGridPartViewInfo, TcxCustomGridViewCellViewInfo);

 public:
  explicit TcxCustomGridPartViewInfo(TcxGridTableViewInfo* AGridViewInfo);
  ~TcxCustomGridPartViewInfo() override;

  TcxGridTableViewInfo* TableViewInfo() const { return static_cast<TcxGridTableViewInfo*>(GridViewInfo()); }
  TcxGridTableView* TableView() const { return TableViewInfo()->TableView(); }
  int PartHeight() const { return Height() != 0 ? Height() : height_; }
  int Index() const { return TableViewInfo()->PartIndex(this); }
  virtual int GetAlignment() { return cxGridPartAlignTop; }
  virtual bool IsFullWidth() { return false; }
  virtual bool IsScrollable() { return false; }
  virtual bool IsPartVisible() = 0;
  // Stacked around the rows by the view information (group footers are laid out by their rows).
  virtual bool IsStacked() { return true; }
  bool GetVisible() override { return IsPartVisible(); }
  TColor GetBorderColor(TcxBorder) override { return clNone; }
  int GetBorderWidth(TcxBorder) override { return 0; }
  void InitHitTest(TcxCustomGridHitTest* AHitTest) override;
  void MainCalculate();
  bool HasCustomDrawBackground() override;
  void DoCustomDrawBackground(TcxCanvas* ACanvas, bool& ADone) override;

 protected:
  virtual void CalculateVisible();
  virtual void CalculateInvisible();
  void SetPartHeight(int Value) { height_ = Value; }

 private:
  int height_ = 0;
};

// A drop position in a column container: before the item ItemIndex (the count: after the last).
class TcxGridColumnContainerZone : public TObject {
  TRENVIK_CLASS(TcxGridColumnContainerZone, TObject);

 public:
  explicit TcxGridColumnContainerZone(int AItemIndex = -1) : ItemIndex(AItemIndex) {}
  bool IsEqual(const TcxGridColumnContainerZone* AZone) const { return AZone && AZone->ItemIndex == ItemIndex; }
  int ItemIndex;
};

class TcxGridColumnContainerViewInfo : public TcxCustomGridPartViewInfo {
  TRENVIK_CLASS(TcxGridColumnContainerViewInfo, TcxCustomGridPartViewInfo);

 public:
  using TcxCustomGridPartViewInfo::TcxCustomGridPartViewInfo;
  ~TcxGridColumnContainerViewInfo() override;

  int Count() { return GetCount(); }
  // Made on first request.
  TcxGridColumnHeaderViewInfo* Items(int AIndex);
  bool IsItemCreated(int AIndex) const;
  int ItemHeight();
  virtual TcxGridColumnContainerKind GetKind() = 0;
  virtual int GetCount() = 0;
  virtual TcxGridColumn* GetColumn(int AIndex) = 0;
  virtual bool AutoHeight() { return false; }
  virtual int GetColumnWidth(TcxGridColumn* AColumn);
  virtual int GetColumnMinWidth(TcxGridColumn* AColumn);
  virtual TcxNeighbors GetColumnNeighbors(TcxGridColumn*) { return {}; }
  virtual RECT GetItemsAreaBounds() { return Bounds; }
  virtual RECT GetZonesAreaBounds();
  // A new zone the caller owns, or none.
  std::unique_ptr<TcxGridColumnContainerZone> GetZone(POINT P);
  TcxCustomGridHitTest* GetHitTest(POINT P) override;
  int GroupIndent(TcxGridColumn* AColumn);

 protected:
  virtual std::unique_ptr<TcxGridColumnHeaderViewInfo> CreateItem(TcxGridColumn* AColumn);
  virtual int CalculateItemHeight();
  void ResetItems() { items_.clear(); }

 private:
  std::vector<std::unique_ptr<TcxGridColumnHeaderViewInfo>> items_;
  int itemHeight_ = -1;
};

class TcxGridColumnHeaderAreaViewInfo : public TcxCustomGridViewCellViewInfo {
  TRENVIK_CLASS(TcxGridColumnHeaderAreaViewInfo, TcxCustomGridViewCellViewInfo);

 public:
  explicit TcxGridColumnHeaderAreaViewInfo(TcxGridColumnHeaderViewInfo* AColumnHeaderViewInfo);
  TcxGridColumnHeaderViewInfo* ColumnHeaderViewInfo() const { return header_; }
  TcxGridColumn* Column() const;
  virtual bool ResidesInContent() { return true; }
  // Takes the area's place from the right of ATextAreaBounds when it resides in the content.
  virtual void CalculateArea(const RECT& ACellBounds, RECT& ATextAreaBounds);
  TColor GetBorderColor(TcxBorder) override { return clNone; }
  int GetBorderWidth(TcxBorder) override { return 0; }
  void InitHitTest(TcxCustomGridHitTest* AHitTest) override;

 protected:
  virtual SIZE GetAreaSize(const RECT& ACellBounds) = 0;

 private:
  TcxGridColumnHeaderViewInfo* header_;
};

class TcxGridColumnHeaderSortingMarkViewInfo : public TcxGridColumnHeaderAreaViewInfo {
  TRENVIK_CLASS(TcxGridColumnHeaderSortingMarkViewInfo, TcxGridColumnHeaderAreaViewInfo);

 public:
  using TcxGridColumnHeaderAreaViewInfo::TcxGridColumnHeaderAreaViewInfo;
  bool SortAscending() const;
  TClass GetHitTestClass() override { return nullptr; }
  TcxCustomGridHitTest* GetHitTest(POINT) override { return nullptr; }
  int CalculateHeight() override { return 0; }
  int CalculateWidth() override { return 0; }
  std::unique_ptr<TcxCustomGridCellPainter> CreatePainter(TcxCanvas* ACanvas) override;

 protected:
  SIZE GetAreaSize(const RECT& ACellBounds) override;
};

class TcxGridColumnHeaderHorzSizingEdgeViewInfo : public TcxGridColumnHeaderAreaViewInfo {
  TRENVIK_CLASS(TcxGridColumnHeaderHorzSizingEdgeViewInfo, TcxGridColumnHeaderAreaViewInfo);

 public:
  using TcxGridColumnHeaderAreaViewInfo::TcxGridColumnHeaderAreaViewInfo;
  bool ResidesInContent() override { return false; }
  void CalculateArea(const RECT& ACellBounds, RECT& ATextAreaBounds) override;
  TClass GetHitTestClass() override { return TcxGridColumnHeaderHorzSizingEdgeHitTest::StaticClass(); }
  int CalculateHeight() override { return 0; }
  int CalculateWidth() override { return 0; }
  std::unique_ptr<TcxCustomGridCellPainter> CreatePainter(TcxCanvas*) override { return nullptr; }
  // A left double click gives the column its best fit width.
  bool MouseDown(TcxCustomGridHitTest* AHitTest, TMouseButton AButton, TShiftState AShift) override;

 protected:
  SIZE GetAreaSize(const RECT& ACellBounds) override;
};

class TcxGridColumnHeaderFilterButtonViewInfo : public TcxGridColumnHeaderAreaViewInfo {
  TRENVIK_CLASS(TcxGridColumnHeaderFilterButtonViewInfo, TcxGridColumnHeaderAreaViewInfo);

 public:
  using TcxGridColumnHeaderAreaViewInfo::TcxGridColumnHeaderAreaViewInfo;
  ~TcxGridColumnHeaderFilterButtonViewInfo() override;
  bool Active() const;
  bool HotTrack() override { return true; }
  bool IsPopupButton() override { return true; }
  TClass GetHitTestClass() override { return TcxGridColumnHeaderFilterButtonHitTest::StaticClass(); }
  int CalculateHeight() override { return 0; }
  int CalculateWidth() override { return 0; }
  std::unique_ptr<TcxCustomGridCellPainter> CreatePainter(TcxCanvas* ACanvas) override;

 protected:
  SIZE GetAreaSize(const RECT& ACellBounds) override;
  // Pressed, it drops down the column filter pop-up under its header.
  void StateChanged() override;
};

class TcxGridColumnHeaderViewInfo : public TcxCustomGridViewCellViewInfo {
  TRENVIK_CLASS(TcxGridColumnHeaderViewInfo, TcxCustomGridViewCellViewInfo);

 public:
  TcxGridColumnHeaderViewInfo(TcxGridColumnContainerViewInfo* AContainer, TcxGridColumn* AColumn);
  ~TcxGridColumnHeaderViewInfo() override;

  TcxGridColumnContainerViewInfo* Container() const { return container_; }
  TcxGridColumn* Column() const { return column_; }
  TcxGridTableViewInfo* TableViewInfo() const { return container_->TableViewInfo(); }
  int AreaCount() const { return static_cast<int>(areas_.size()); }
  TcxGridColumnHeaderAreaViewInfo* Areas(int AIndex) const { return areas_.at(static_cast<size_t>(AIndex)).get(); }
  RECT TextAreaBounds{0, 0, 0, 0};
  TcxNeighbors Neighbors() const { return neighbors_; }
  // The width without the group indent.
  int RealWidth() { return CalculateWidth() - Container()->GroupIndent(column_); }
  // The left edge of the column's own part (right of the group indent).
  int RealBoundsLeft() { return Bounds.right - RealWidth(); }
  void SetCalculatedWidth(int Value) { calculatedWidth_ = Value; }
  virtual bool HasHorzSizingEdge();
  virtual bool HasFilterButton();
  virtual bool HasSortingMark();
  virtual bool CanPress() { return true; }
  bool IsPressed();
  // A left press makes the column the controller's pressed column: its release may sort by it.
  bool MouseDown(TcxCustomGridHitTest* AHitTest, TMouseButton AButton, TShiftState AShift) override;
  TcxGridColumnHeaderSortingMarkViewInfo* SortingMark() const;
  TcxGridColumnHeaderFilterButtonViewInfo* FilterButton() const;

  int CalculateHeight() override;
  int CalculateWidth() override;
  TcxBorders GetBorders() override;
  TColor GetBorderColor(TcxBorder) override { return clNone; }
  int GetBorderWidth(TcxBorder) override;
  String GetText() override;
  TAlignment GetAlignmentHorz() override;
  TcxAlignmentVert GetAlignmentVert() override;
  bool GetMultiLine() override { return container_->AutoHeight(); }
  bool GetShowEndEllipsis() override;
  RECT GetTextAreaBounds() override { return TextAreaBounds; }
  void GetViewParams(TcxStyleParams& AParams) override;
  TClass GetHitTestClass() override { return TcxGridColumnHeaderHitTest::StaticClass(); }
  void InitHitTest(TcxCustomGridHitTest* AHitTest) override;
  TcxCustomGridHitTest* GetHitTest(POINT P) override;
  std::unique_ptr<TcxCustomGridCellPainter> CreatePainter(TcxCanvas* ACanvas) override;
  void Calculate(int ALeft, int ATop, int AWidth = -1, int AHeight = -1) override;
  // The column's handler, then, unless it finished the drawing, the view's.
  bool HasCustomDraw() override;
  void DoCustomDraw(TcxCanvas* ACanvas, bool& ADone) override;

 protected:
  virtual void CalculateAreas();

 private:
  TcxGridColumnContainerViewInfo* container_;
  TcxGridColumn* column_;
  std::vector<std::unique_ptr<TcxGridColumnHeaderAreaViewInfo>> areas_;
  TcxNeighbors neighbors_;
  int calculatedWidth_ = -1;
};

class TcxGridHeaderViewInfo : public TcxGridColumnContainerViewInfo {
  TRENVIK_CLASS(TcxGridHeaderViewInfo, TcxGridColumnContainerViewInfo);

 public:
  explicit TcxGridHeaderViewInfo(TcxGridTableViewInfo* AGridViewInfo);

  int FirstVisiblePos() const { return firstVisible_; }
  int LastVisiblePos() const { return lastVisible_; }
  // The columns the header shows, in visible order.
  int VisibleColumnCount() const { return static_cast<int>(columns_.size()); }
  TcxGridColumn* VisibleColumns(int AIndex) const { return columns_.at(static_cast<size_t>(AIndex)); }
  int VisibleIndexOf(const TcxCustomGridTableItem* AItem) const;
  int HeaderWidth();
  TcxGridColumnContainerKind GetKind() override { return ccHeader; }
  int GetCount() override { return VisibleColumnCount(); }
  TcxGridColumn* GetColumn(int AIndex) override { return VisibleColumns(AIndex); }
  bool AutoHeight() override;
  TcxNeighbors GetColumnNeighbors(TcxGridColumn* AColumn) override;
  RECT GetZonesAreaBounds() override;
  bool IsScrollable() override { return true; }
  bool IsPartVisible() override;
  virtual bool IsAutoWidth();
  virtual bool IsAlwaysCalculated() { return true; }
  int CalculateHeight() override { return ItemHeight(); }
  int CalculateWidth() override { return HeaderWidth(); }
  void GetViewParams(TcxStyleParams& AParams) override;
  TClass GetHitTestClass() override { return TcxGridHeaderHitTest::StaticClass(); }
  std::unique_ptr<TcxCustomGridCellPainter> CreatePainter(TcxCanvas* ACanvas) override;

 protected:
  void CalculateVisible() override;
  void CalculateInvisible() override;
  int CalculateItemHeight() override;
  virtual void CalculateColumnAutoWidths();
  virtual void CalculateItems();

 private:
  std::vector<TcxGridColumn*> columns_;
  int firstVisible_ = -1;
  int lastVisible_ = -2;
};

class TcxGridGroupByBoxColumnHeaderViewInfo : public TcxGridColumnHeaderViewInfo {
  TRENVIK_CLASS(TcxGridGroupByBoxColumnHeaderViewInfo, TcxGridColumnHeaderViewInfo);

 public:
  using TcxGridColumnHeaderViewInfo::TcxGridColumnHeaderViewInfo;
  int CalculateWidth() override { return 100; }
  bool HasHorzSizingEdge() override { return false; }
};

class TcxGridGroupByBoxViewInfo : public TcxGridColumnContainerViewInfo {
  TRENVIK_CLASS(TcxGridGroupByBoxViewInfo, TcxGridColumnContainerViewInfo);

 public:
  explicit TcxGridGroupByBoxViewInfo(TcxGridTableViewInfo* AGridViewInfo);

  TcxGridColumnContainerKind GetKind() override { return ccGroupByBox; }
  int GetCount() override { return static_cast<int>(columns_.size()); }
  TcxGridColumn* GetColumn(int AIndex) override { return columns_.at(static_cast<size_t>(AIndex)); }
  int GetColumnWidth(TcxGridColumn*) override { return 100; }
  bool IsFullWidth() override { return true; }
  bool IsPartVisible() override;
  // The two one-pixel lines that link the cell AIndex to the next one.
  void GetLinkLines(int AIndex, RECT& AVertLine, RECT& AHorzLine);
  int CalculateHeight() override;
  int CalculateWidth() override;
  String GetText() override;
  TcxAlignmentVert GetAlignmentVert() override { return vaCenter; }
  RECT GetTextAreaBounds() override;
  void GetViewParams(TcxStyleParams& AParams) override;
  TClass GetHitTestClass() override { return TcxGridGroupByBoxHitTest::StaticClass(); }
  std::unique_ptr<TcxCustomGridCellPainter> CreatePainter(TcxCanvas* ACanvas) override;

 protected:
  std::unique_ptr<TcxGridColumnHeaderViewInfo> CreateItem(TcxGridColumn* AColumn) override;
  void CalculateVisible() override;

 private:
  std::vector<TcxGridColumn*> columns_;
};

class TcxGridFooterCellViewInfo : public TcxGridColumnHeaderViewInfo {
  TRENVIK_CLASS(TcxGridFooterCellViewInfo, TcxGridColumnHeaderViewInfo);

 public:
  TcxGridFooterCellViewInfo(TcxGridColumnContainerViewInfo* AContainer, TcxGridColumn* AColumn);
  int SummaryItemIndex() const { return summaryItemIndex_; }
  bool GetVisible() override { return summaryItemIndex_ != -1; }
  bool HasHorzSizingEdge() override { return false; }
  bool HasFilterButton() override { return false; }
  bool HasSortingMark() override { return false; }
  bool CanPress() override { return false; }
  TcxBorders GetBorders() override;
  int GetBorderWidth(TcxBorder) override;
  String GetText() override;
  TAlignment GetAlignmentHorz() override;
  RECT GetTextAreaBounds() override;
  void GetViewParams(TcxStyleParams& AParams) override;
  TClass GetHitTestClass() override { return TcxGridFooterCellHitTest::StaticClass(); }
  std::unique_ptr<TcxCustomGridCellPainter> CreatePainter(TcxCanvas* ACanvas) override;
  bool HasCustomDraw() override;
  void DoCustomDraw(TcxCanvas* ACanvas, bool& ADone) override;

 protected:
  int summaryItemIndex_ = -1;
};

class TcxGridFooterViewInfo : public TcxGridColumnContainerViewInfo {
  TRENVIK_CLASS(TcxGridFooterViewInfo, TcxGridColumnContainerViewInfo);

 public:
  explicit TcxGridFooterViewInfo(TcxGridTableViewInfo* AGridViewInfo);

  TcxGridHeaderViewInfo* Header() const { return TableViewInfo()->HeaderViewInfo(); }
  TcxGridColumnContainerKind GetKind() override { return ccFooter; }
  int GetCount() override;
  TcxGridColumn* GetColumn(int AIndex) override;
  int GetAlignment() override { return cxGridPartAlignBottom; }
  bool IsFullWidth() override { return false; }
  bool IsScrollable() override { return true; }
  bool IsPartVisible() override;
  virtual bool HasSeparator() { return true; }
  virtual int GetSeparatorWidth() { return HasSeparator() ? 1 : 0; }
  virtual TColor GetSeparatorColor();
  RECT GetSeparatorBounds();
  RECT GetContentBounds();
  RECT GetItemsAreaBounds() override;
  TcxBorders GetBorders() override;
  int GetBorderWidth(TcxBorder) override;
  int CalculateHeight() override;
  int CalculateWidth() override;
  void GetViewParams(TcxStyleParams& AParams) override;
  TClass GetHitTestClass() override { return TcxGridFooterHitTest::StaticClass(); }
  std::unique_ptr<TcxCustomGridCellPainter> CreatePainter(TcxCanvas* ACanvas) override;

 protected:
  std::unique_ptr<TcxGridColumnHeaderViewInfo> CreateItem(TcxGridColumn* AColumn) override;
  int CalculateItemHeight() override;
  void CalculateVisible() override;
  virtual void CalculateItems();
  // The left and width of the footer cell of the visible column AIndex.
  void GetCellExtent(int AIndex, int& ALeft, int& AWidth);
};
