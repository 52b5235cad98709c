// The layout of record-based views and of the table view: the parts around the rows (group-by box,
// header, footer, filter bar, indicator), the rows area with its visible and laid-out row counts and
// row heights, and the per-record cache of row heights that outlives a layout pass.
#pragma once

#include <memory>
#include <vector>

#include "cx/grid/cxGridCustomTableView.h"
#include "cx/foundation/cxGridLines.h"

class TcxCustomGridRecord;
class TcxCustomGridRecordViewInfo;
class TcxCustomGridTableViewInfo;
class TcxCustomGridPartViewInfo;
class TcxGridGroupByBoxViewInfo;
class TcxGridHeaderViewInfo;
class TcxGridFilterViewInfo;
class TcxGridFooterViewInfo;
class TcxGridIndicatorViewInfo;
class TcxGridTableView;
class TcxGridTablePainter;
class TcxCustomGridRecordsPainter;
class TcxGridShownDetails;

// What the layout and the painters read from the table controller: where the rows start, the
// horizontal scroll position, the focused item and the one being edited, the incremental search.
class IcxGridTableControllerState {
 public:
  virtual int GetTopRecordIndex() = 0;
  virtual int GetLeftPos() = 0;
  virtual TcxCustomGridTableItem* GetFocusedItem() = 0;
  virtual TcxCustomGridTableItem* GetEditingItem() = 0;
  // The searched item and text; none while no incremental search runs.
  virtual TcxCustomGridTableItem* GetIncSearchingItem() = 0;
  virtual String GetIncSearchingText() = 0;
  // After a layout pass: the positions are clamped to what the new layout shows...
  virtual void CheckCoordinates() = 0;
  // ...and the editor follows its cell.
  virtual void LayoutCalculated() = 0;

 protected:
  ~IcxGridTableControllerState() = default;
};

class TcxCustomGridTableViewInfoCacheItem : public TcxCustomGridViewInfoCacheItem {
  TRENVIK_CLASS(TcxCustomGridTableViewInfoCacheItem, TcxCustomGridViewInfoCacheItem);

 public:
  using TcxCustomGridViewInfoCacheItem::TcxCustomGridViewInfoCacheItem;
  bool IsHeightAssigned() const { return heightAssigned_; }
  int Height() const { return height_; }
  void SetHeight(int Value) {
    height_ = Value;
    heightAssigned_ = true;
  }
  void UnassignValues(bool AKeepMaster) override;

 private:
  int height_ = 0;
  bool heightAssigned_ = false;
};

class TcxGridTableViewInfoCacheItem : public TcxCustomGridTableViewInfoCacheItem {
  TRENVIK_CLASS(TcxGridTableViewInfoCacheItem, TcxCustomGridTableViewInfoCacheItem);

 public:
  using TcxCustomGridTableViewInfoCacheItem::TcxCustomGridTableViewInfoCacheItem;
  bool IsPreviewHeightAssigned() const { return previewHeightAssigned_; }
  int PreviewHeight() const { return previewHeight_; }
  void SetPreviewHeight(int Value) {
    previewHeight_ = Value;
    previewHeightAssigned_ = true;
  }
  void UnassignValues(bool AKeepMaster) override;

 private:
  int previewHeight_ = 0;
  bool previewHeightAssigned_ = false;
};

class TcxGridTableViewInfoCache : public TcxCustomGridViewInfoCache {
  TRENVIK_CLASS(TcxGridTableViewInfoCache, TcxCustomGridViewInfoCache);

 public:
  using TcxCustomGridViewInfoCache::TcxCustomGridViewInfoCache;

 protected:
  std::unique_ptr<TcxCustomGridViewInfoCacheItem> CreateItem(int AIndex) override;
};

// The record view informations of one layout pass; index 0 shows the record at the first index.
class TcxCustomGridRecordsViewInfo : public TObject {
  TRENVIK_CLASS(TcxCustomGridRecordsViewInfo, TObject);

 public:
  explicit TcxCustomGridRecordsViewInfo(TcxCustomGridTableViewInfo* AGridViewInfo);
  ~TcxCustomGridRecordsViewInfo() override;

  TcxCustomGridTableViewInfo* GridViewInfo() const { return gridViewInfo_; }
  TcxCustomGridTableView* GridView() const;
  RECT Bounds{0, 0, 0, 0};
  int Count() const { return static_cast<int>(items_.size()); }
  // Made on first request for an index at or past the end.
  TcxCustomGridRecordViewInfo* Items(int AIndex);
  int VisibleCount() const { return visibleCount_; }
  int FirstRecordIndex() const;
  int GetRecordIndex(int AItemIndex) const;
  int GetItemIndex(int ARecordIndex) const;
  virtual TcxCustomGridRecordViewInfo* GetRealItem(TcxCustomGridRecord* ARecord, int ARecordIndex);
  bool GetAutoRecordHeight() const;
  virtual int GetRecordHeight(int AHeight) { return AHeight; }
  virtual TcxCustomGridHitTest* GetHitTest(POINT P);
  virtual void Calculate();
  virtual std::unique_ptr<TcxCustomGridRecordsPainter> CreatePainter(TcxCanvas* ACanvas);
  void Paint(TcxCanvas* ACanvas);

 protected:
  virtual void BeforeCalculate();
  virtual void CalculateBounds() { Bounds = GetBounds(); }
  virtual void AfterCalculate();
  virtual RECT GetBounds();
  void SetVisibleCount(int Value) { visibleCount_ = Value; }

 private:
  TcxCustomGridTableViewInfo* gridViewInfo_;
  std::vector<std::unique_ptr<TcxCustomGridRecordViewInfo>> items_;
  int visibleCount_ = 0;
};

// The rows of the table view stacked top down.
class TcxGridNewItemRowViewInfo;

class TcxGridRowsViewInfo : public TcxCustomGridRecordsViewInfo {
  TRENVIK_CLASS(TcxGridRowsViewInfo, TcxCustomGridRecordsViewInfo);

 public:
  explicit TcxGridRowsViewInfo(TcxCustomGridTableViewInfo* AGridViewInfo);
  ~TcxGridRowsViewInfo() override;

  TcxGridTableView* TableView() const;
  RECT ContentBounds{0, 0, 0, 0};
  int RowCount() const { return rowCount_; }
  int RestHeight() const { return restHeight_; }
  int DataRowHeight() const { return dataRowHeight_; }
  int GroupRowHeight() const { return groupRowHeight_; }
  int DataWidth();
  bool IsScrollable();
  int GetRestHeight(int ATop) const { return ContentBounds.bottom - ATop; }
  int GetMaxRowHeight(int ATop) const;
  // The height of one line of AParams' font with its offsets, at least an expand button.
  int GetRowHeight(const TcxStyleParams& AParams);
  int GetRecordHeight(int AHeight) override;
  // Present only while the view shows the row for a new record.
  TcxGridNewItemRowViewInfo* NewItemRow() const { return newItemRow_.get(); }
  int NewItemRowHeight();
  TcxCustomGridRecordViewInfo* GetRealItem(TcxCustomGridRecord* ARecord, int ARecordIndex) override;
  TcxCustomGridHitTest* GetHitTest(POINT P) override;
  std::unique_ptr<TcxCustomGridRecordsPainter> CreatePainter(TcxCanvas* ACanvas) override;

 protected:
  void CalculateBounds() override;
  RECT GetBounds() override;
  virtual void CalculateConstants();
  virtual int CalculateDataRowHeight();
  virtual int CalculateGroupRowHeight();

 private:
  void CalculateVisibleCount();

  std::unique_ptr<TcxGridNewItemRowViewInfo> newItemRow_;
  int rowCount_ = 0;
  int restHeight_ = 0;
  int dataRowHeight_ = 0;
  int groupRowHeight_ = 0;
};

class TcxCustomGridTableViewInfo : public TcxCustomGridViewInfo {
  TRENVIK_CLASS(TcxCustomGridTableViewInfo, TcxCustomGridViewInfo);

 public:
  explicit TcxCustomGridTableViewInfo(TcxCustomGridView* AGridView);
  ~TcxCustomGridTableViewInfo() override;

  TcxCustomGridTableView* TableView() const { return static_cast<TcxCustomGridTableView*>(GridView()); }
  TcxCustomGridRecordsViewInfo* RecordsViewInfo() const { return recordsViewInfo_.get(); }
  // -1: the controller's top record index.
  int FirstRecordIndex = -1;
  bool CalculateDown = true;
  bool AllowCheckCoordinates = true;
  int ExpandButtonIndent() const { return 3; }
  int LevelIndent() const { return levelIndent_; }
  int VisibleRecordCount() const { return recordsViewInfo_ ? recordsViewInfo_->VisibleCount() : 0; }
  int ScrollableAreaWidth();
  // The record that laid-out rows start from.
  int GetFirstRecordIndex();
  IcxGridTableControllerState* ControllerState() const;
  virtual RECT GetScrollableAreaBounds() { return GetClientBounds(); }
  virtual bool CanCheckCoordinates() { return AllowCheckCoordinates && !IsInternalUse(); }
  bool IsInternalUse() const override { return FirstRecordIndex != -1 || TcxCustomGridViewInfo::IsInternalUse(); }
  virtual int GetEqualHeightRecordCount() { return 0; }
  TcxCustomGridHitTest* GetHitTest(POINT P) override;

  void CreateViewInfos() override;
  void DestroyViewInfos(bool AIsRecreating) override;
  void Calculate() override;
  void AfterCalculating() override;

 protected:
  virtual std::unique_ptr<TcxCustomGridRecordsViewInfo> CreateRecordsViewInfo() = 0;
  virtual void CalculateExpandButtonParams();

 private:
  std::unique_ptr<TcxCustomGridRecordsViewInfo> recordsViewInfo_;
  int levelIndent_ = 0;
};

class TcxGridTableViewInfo : public TcxCustomGridTableViewInfo {
  TRENVIK_CLASS(TcxGridTableViewInfo, TcxCustomGridTableViewInfo);

 public:
  explicit TcxGridTableViewInfo(TcxCustomGridView* AGridView);
  ~TcxGridTableViewInfo() override;

  TcxGridTableView* TableView() const;
  TcxGridRowsViewInfo* RowsViewInfo() const { return static_cast<TcxGridRowsViewInfo*>(RecordsViewInfo()); }
  TcxGridGroupByBoxViewInfo* GroupByBoxViewInfo() const { return groupByBox_.get(); }
  TcxGridHeaderViewInfo* HeaderViewInfo() const { return header_.get(); }
  TcxGridFilterViewInfo* FilterViewInfo() const { return filter_.get(); }
  TcxGridFooterViewInfo* FooterViewInfo() const { return footer_.get(); }
  TcxGridIndicatorViewInfo* IndicatorViewInfo() const { return indicator_.get(); }
  // The detail views the layout placed inside master rows.
  TcxGridShownDetails* ShownDetails() const { return shownDetails_.get(); }

  int PartCount() const { return static_cast<int>(parts_.size()); }
  TcxCustomGridPartViewInfo* Parts(int AIndex) const { return parts_.at(static_cast<size_t>(AIndex)); }
  int PartIndex(const TcxCustomGridPartViewInfo* APart) const;
  void AddPart(TcxCustomGridPartViewInfo* APart) { parts_.push_back(APart); }
  void RemovePart(TcxCustomGridPartViewInfo* APart);

  int LeftPos();
  int DataWidth();
  int PartsHeight(int AAlignment);
  int PartsTopHeight() { return PartsHeight(0); }
  int PartsBottomHeight() { return PartsHeight(1); }
  RECT GetClientBounds() override;
  RECT GetScrollableAreaBounds() override;
  virtual RECT PartBounds(TcxCustomGridPartViewInfo* APart);
  TcxGridLines GridLines();
  TColor GridLineColor();
  virtual int GetGridLineWidth() { return 1; }
  TColor LevelIndentColor(int ALevel);
  virtual TcxBorders GetCellBorders(bool AIsRight, bool AIsBottom);
  virtual int GetCellHeight(int, int ACellsAreaHeight) { return ACellsAreaHeight; }
  virtual int GetCellTopOffset(int, int) { return 0; }
  int GetNonRecordsAreaHeight(bool AContainsScrollBar);
  int GetEqualHeightRecordCount() override;
  // The bounds to repaint of a laid-out row (or of AItem's cell in it), the row recalculated in
  // place first; False when the row is not laid out.
  bool GetRecordRepaintBounds(int ARecordIndex, TcxCustomGridTableItem* AItem, RECT& ABounds);
  int GetNearestPopupHeight(int AHeight, bool AAdditionalRecord) override;
  int GetPopupHeightForRows(int ARowCount) override;
  void CalculateWidth(POINT AMaxSize, int& AWidth) override;
  // The height the view wants inside a master row, laid out out of sight.
  void CalculateHeight(POINT AMaxSize, int& AHeight, bool& AFullyVisible) override;
  TcxCustomGridHitTest* GetHitTest(POINT P) override;

  void CreateViewInfos() override;
  void DestroyViewInfos(bool AIsRecreating) override;
  void Calculate() override;

 protected:
  std::unique_ptr<TcxCustomGridRecordsViewInfo> CreateRecordsViewInfo() override;

 private:
  std::vector<TcxCustomGridPartViewInfo*> parts_;
  std::unique_ptr<TcxGridGroupByBoxViewInfo> groupByBox_;
  std::unique_ptr<TcxGridHeaderViewInfo> header_;
  std::unique_ptr<TcxGridFilterViewInfo> filter_;
  std::unique_ptr<TcxGridFooterViewInfo> footer_;
  std::unique_ptr<TcxGridIndicatorViewInfo> indicator_;
  std::unique_ptr<TcxGridShownDetails> shownDetails_;
  RECT clientBounds_{0, 0, 0, 0};
  bool clientBoundsFixed_ = false;
  int dataWidth_ = 0;
};
