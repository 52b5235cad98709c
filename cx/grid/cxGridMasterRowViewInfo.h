// Master rows as the table view lays them out: the strip with the expand button down the left, and,
// while the row is expanded, the details site under its cells showing the active detail view (with
// tabs for the detail levels) as a child of the master view's site.
#pragma once

#include <memory>

#include "cx/grid/cxGridDetailsSite.h"
#include "cx/grid/cxGridRows.h"
#include "cx/grid/cxGridTableRowViewInfo.h"

class TcxGridMasterDataRow;
class TcxGridMasterDataRowViewInfo;

// The strip left of a master row's cells and details, holding its expand button.
class TcxGridExpandButtonCellViewInfo : public TcxGridCellViewInfo {
  TRENVIK_CLASS(TcxGridExpandButtonCellViewInfo, TcxGridCellViewInfo);

 public:
  explicit TcxGridExpandButtonCellViewInfo(TcxGridMasterDataRowViewInfo* ARowViewInfo);
  TcxGridMasterDataRowViewInfo* RowViewInfo() const;
  int CalculateHeight() override;
  int CalculateWidth() override;
  TcxBorders GetBorders() override;
  RECT GetBorderBounds(TcxBorder ASide) override;
  std::unique_ptr<TcxCustomGridCellPainter> CreatePainter(TcxCanvas* ACanvas) override;
};

// The cell under the details, closing them with a grid line.
class TcxGridDetailsAreaViewInfo : public TcxGridCellViewInfo {
  TRENVIK_CLASS(TcxGridDetailsAreaViewInfo, TcxGridCellViewInfo);

 public:
  explicit TcxGridDetailsAreaViewInfo(TcxGridMasterDataRowViewInfo* ARowViewInfo);
  TcxGridMasterDataRowViewInfo* RowViewInfo() const;
  int CalculateHeight() override;
  int CalculateWidth() override;
  TcxBorders GetBorders() override;
};

class TcxGridDetailsSiteViewInfo : public TcxCustomGridDetailsSiteViewInfo {
  TRENVIK_CLASS(TcxGridDetailsSiteViewInfo, TcxCustomGridDetailsSiteViewInfo);

 public:
  explicit TcxGridDetailsSiteViewInfo(TcxGridMasterDataRowViewInfo* AMasterDataRowViewInfo);
  ~TcxGridDetailsSiteViewInfo() override;

  TcxGridMasterDataRowViewInfo* MasterDataRowViewInfo() const { return row_; }
  TcxGridMasterDataRow* MasterGridRecord() const;
  bool GetVisible() override;
  // Measured once per layout: each measure lays the detail view out.
  int GetHeight() override;
  int GetWidth() override;
  TcxCanvas* GetCanvas() override;
  TcxLookAndFeelPainterClass GetLookAndFeelPainter() override;
  int GetMaxHeight() override;
  int GetMaxNormalHeight() override;
  int GetMaxWidth() override;
  TcxCustomGridView* GetActiveGridViewValue() override;
  TcxGridLevel* GetActiveLevel() override;
  void InitTabHitTest(TcxGridDetailsSiteTabHitTest* AHitTest) override;
  void ActivateLevel(TcxGridLevel* ALevel) override;

 private:
  int CapByLevel(int AHeight);

  TcxGridMasterDataRowViewInfo* row_;
  int height_ = -1;
  int width_ = -1;
  int visible_ = -1;
};

class TcxGridMasterDataRowViewInfo : public TcxGridDataRowViewInfo {
  TRENVIK_CLASS(TcxGridMasterDataRowViewInfo, TcxGridDataRowViewInfo);

 public:
  TcxGridMasterDataRowViewInfo(TcxCustomGridRecordsViewInfo* ARecordsViewInfo, TcxCustomGridRecord* ARecord);
  ~TcxGridMasterDataRowViewInfo() override;

  TcxGridMasterDataRow* MasterRecord() const;
  TcxGridDetailsAreaViewInfo* DetailsArea() const { return detailsArea_.get(); }
  TcxGridDetailsSiteViewInfo* DetailsSite() const { return detailsSite_.get(); }
  TcxGridExpandButtonCellViewInfo* ExpandButtonCell() const { return expandButtonCell_.get(); }
  bool DetailsSiteVisible() { return detailsSite_->GetVisible(); }
  // The room the details may take below a data part of ADataHeight.
  int GetDetailsSiteMaxHeight(int ADataHeight);
  // The data part only: the details' height depends on where the row stands in this layout.
  int DataPartHeight() { return TcxCustomGridRecordViewInfo::Height(); }
  int Height() override;
  int GetContentHeight() override;
  int GetCellsAreaLeft() override;
  int GetCellsAreaWidth() override;
  void GetExpandButtonAreaBounds(RECT& ABounds) override;
  bool IsDetailVisible(TcxCustomGridView* AGridView);
  TcxCustomGridHitTest* GetHitTest(POINT P) override;
  std::unique_ptr<TcxCustomGridCellPainter> CreatePainter(TcxCanvas* ACanvas) override;
  void Calculate(int ALeft, int ATop, int AWidth = -1, int AHeight = -1) override;

 private:
  std::unique_ptr<TcxGridDetailsAreaViewInfo> detailsArea_;
  std::unique_ptr<TcxGridDetailsSiteViewInfo> detailsSite_;
  std::unique_ptr<TcxGridExpandButtonCellViewInfo> expandButtonCell_;
};

// The detail views a master view's layouts placed on its site: a view that the next layout does
// not place again gives its site back (parked or detached), so a collapsed row or one scrolled
// out of sight leaves no detail behind.
class TcxGridShownDetails : public TComponent {
  TRENVIK_CLASS(TcxGridShownDetails, TComponent);

 public:
  TcxGridShownDetails() : TComponent(nullptr) {}
  ~TcxGridShownDetails() override;
  void BeginLayout();
  void Shown(TcxCustomGridView* AView);
  void EndLayout();

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  std::vector<TcxCustomGridView*> previous_;
  std::vector<TcxCustomGridView*> current_;
};
