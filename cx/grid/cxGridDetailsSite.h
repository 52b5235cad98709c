// The rectangle in which a level shows the view of one of its children: a frame, optional tabs on
// the left or on top (one per visible child level) and the client area of the active child's view.
// The grid's root level has one that fills the grid; its tabs are the grid's top-level tabs.
#pragma once

#include <memory>
#include <vector>

#include "cx/grid/cxGridCommon.h"
#include "cx/grid/cxGridLevel.h"

class TcxCustomGrid;
class TcxCustomGridView;
class TcxCustomGridDetailsSiteTabsViewInfo;
class TcxCustomGridDetailsSiteTabViewInfo;

class TcxGridDetailsSiteTabHitTest : public TcxCustomGridHitTest {
  TRENVIK_CLASS(TcxGridDetailsSiteTabHitTest, TcxCustomGridHitTest);

 public:
  TcxGridDetailsSiteTabHitTest() = default;
  int HitTestCode() const override { return htTab; }

  TcxGridLevel* Level = nullptr;
  TObject* Owner = nullptr;
};

class TcxCustomGridDetailsSiteViewInfo : public TComponent {
  TRENVIK_CLASS(TcxCustomGridDetailsSiteViewInfo, TComponent);

 public:
  explicit TcxCustomGridDetailsSiteViewInfo(TcxGridLevel* ALevel);
  ~TcxCustomGridDetailsSiteViewInfo() override;

  TcxGridLevel* Level() const { return level_; }
  TcxCustomGridDetailsSiteTabsViewInfo* TabsViewInfo() const { return tabsViewInfo_.get(); }
  RECT Bounds{0, 0, 0, 0};
  int NormalHeight() const { return normalHeight_; }

  virtual int CalculateHeight();
  virtual int CalculateWidth();
  virtual TColor GetEmptyAreaColor();
  virtual TcxCanvas* GetCanvas() = 0;
  virtual RECT GetClientBounds();
  virtual int GetEmptyClientHeight() { return 100; }
  virtual int GetEmptyClientWidth() { return 200; }
  virtual TColor GetFrameColor();
  virtual int GetFrameWidth();
  virtual int GetHeight() { return CalculateHeight(); }
  virtual TcxLookAndFeelPainterClass GetLookAndFeelPainter() = 0;
  virtual int GetMaxHeight() = 0;
  virtual int GetMaxNormalHeight() { return cxGridMaxInt; }
  virtual int GetMaxWidth() = 0;
  virtual int GetMinWidth() { return GetMaxWidth(); }
  virtual int GetWidth() { return CalculateWidth(); }
  virtual TcxCustomGridView* GetActiveGridViewValue() = 0;
  virtual TcxGridLevel* GetActiveLevel() = 0;
  virtual bool GetVisible() { return true; }
  virtual void InitTabHitTest(TcxGridDetailsSiteTabHitTest* AHitTest) = 0;
  virtual void Calculate(int ALeft, int ATop);
  virtual void ActivateLevel(TcxGridLevel* ALevel) = 0;
  virtual TcxCustomGridHitTest* GetHitTest(POINT P);
  virtual void UpdateSite(bool AVisible);

  bool HasActiveGridView();
  TcxCustomGridView* GetActiveGridView();
  RECT FrameBounds();
  int NonClientHeight();
  int NonClientWidth();
  int MaxClientHeight() { return GetMaxHeight() - NonClientHeight(); }
  int MaxClientWidth() { return GetMaxWidth() - NonClientWidth(); }
  void Paint(TcxCanvas* ACanvas);

 protected:
  // Made after construction: the class of the tabs depends on the level's options.
  void CreateTabs();
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  TcxGridLevel* level_;
  std::unique_ptr<TcxCustomGridDetailsSiteTabsViewInfo> tabsViewInfo_;
  TcxCustomGridView* activeGridView_ = nullptr;
  int normalHeight_ = 0;
};

class TcxCustomGridDetailsSiteTabsViewInfo {
 public:
  explicit TcxCustomGridDetailsSiteTabsViewInfo(TcxCustomGridDetailsSiteViewInfo* ASiteViewInfo);
  virtual ~TcxCustomGridDetailsSiteTabsViewInfo();

  TcxCustomGridDetailsSiteViewInfo* SiteViewInfo() const { return site_; }
  RECT Bounds{0, 0, 0, 0};
  int Count() const { return static_cast<int>(items_.size()); }
  TcxCustomGridDetailsSiteTabViewInfo* Items(int AIndex) const { return items_.at(static_cast<size_t>(AIndex)).get(); }
  virtual int Height() = 0;
  virtual int Width() = 0;

  int CalculateLength();
  int CalculateBreadth();
  virtual void AdjustHeight(int&) {}
  virtual void AdjustWidth(int&) {}
  virtual int GetActiveTabOffset() = 0;
  TColor GetBackgroundColor();
  virtual bool IsVertical() = 0;
  virtual int GetItemLength(TcxCustomGridDetailsSiteTabViewInfo* ATab) = 0;
  virtual int GetItemBreadth(TcxCustomGridDetailsSiteTabViewInfo* ATab) = 0;
  virtual TcxBorders GetMainLineBorders() = 0;
  virtual RECT GetMainLineBounds() = 0;
  virtual void Calculate(const RECT& ABounds);
  virtual void AdjustClientBounds(RECT& R) = 0;
  TcxCustomGridHitTest* GetHitTest(POINT P);
  void Paint(TcxCanvas* ACanvas);

 protected:
  virtual std::unique_ptr<TcxCustomGridDetailsSiteTabViewInfo> CreateItem(TcxGridLevel* ALevel) = 0;
  void CreateItems();
  int height_ = 0;
  int width_ = 0;

 private:
  friend class TcxCustomGridDetailsSiteViewInfo;
  TcxCustomGridDetailsSiteViewInfo* site_;
  std::vector<std::unique_ptr<TcxCustomGridDetailsSiteTabViewInfo>> items_;
};

class TcxGridDetailsSiteLeftTabsViewInfo : public TcxCustomGridDetailsSiteTabsViewInfo {
 public:
  using TcxCustomGridDetailsSiteTabsViewInfo::TcxCustomGridDetailsSiteTabsViewInfo;
  int Height() override;
  int Width() override;
  int GetActiveTabOffset() override { return 3; }
  bool IsVertical() override { return true; }
  int GetItemLength(TcxCustomGridDetailsSiteTabViewInfo* ATab) override;
  int GetItemBreadth(TcxCustomGridDetailsSiteTabViewInfo* ATab) override;
  void AdjustHeight(int& AHeight) override;
  TcxBorders GetMainLineBorders() override { return {bLeft, bTop, bBottom}; }
  RECT GetMainLineBounds() override;
  void Calculate(const RECT& ABounds) override;
  void AdjustClientBounds(RECT& R) override { R.left += Width(); }

 protected:
  std::unique_ptr<TcxCustomGridDetailsSiteTabViewInfo> CreateItem(TcxGridLevel* ALevel) override;
};

class TcxGridDetailsSiteTopTabsViewInfo : public TcxCustomGridDetailsSiteTabsViewInfo {
 public:
  using TcxCustomGridDetailsSiteTabsViewInfo::TcxCustomGridDetailsSiteTabsViewInfo;
  int Height() override;
  int Width() override;
  int GetActiveTabOffset() override { return 2; }
  bool IsVertical() override { return false; }
  int GetItemLength(TcxCustomGridDetailsSiteTabViewInfo* ATab) override;
  int GetItemBreadth(TcxCustomGridDetailsSiteTabViewInfo* ATab) override;
  void AdjustWidth(int& AWidth) override;
  TcxBorders GetMainLineBorders() override { return {bLeft, bTop, bRight}; }
  RECT GetMainLineBounds() override;
  void Calculate(const RECT& ABounds) override;
  void AdjustClientBounds(RECT& R) override { R.top += Height(); }

 protected:
  std::unique_ptr<TcxCustomGridDetailsSiteTabViewInfo> CreateItem(TcxGridLevel* ALevel) override;
};

class TcxCustomGridDetailsSiteTabViewInfo : public TcxCustomGridCellViewInfo {
  TRENVIK_CLASS(TcxCustomGridDetailsSiteTabViewInfo, TcxCustomGridCellViewInfo);

 public:
  TcxCustomGridDetailsSiteTabViewInfo(TcxCustomGridDetailsSiteTabsViewInfo* ATabsViewInfo, TcxGridLevel* ALevel);

  TcxCustomGridDetailsSiteTabsViewInfo* TabsViewInfo() const { return tabs_; }
  TcxGridLevel* Level() const { return level_; }
  int Index() const { return index_; }
  bool IsActive();
  bool IsVertical() { return tabs_->IsVertical(); }
  TcxGridCellState PaintState() { return IsActive() ? gcsPressed : State(); }
  bool IsNeighbourActive(int AOffset);

  int CalculateHeight() override;
  int CalculateWidth() override;
  TColor GetBorderColor(TcxBorder) override { return clNone; }
  int GetBorderWidth(TcxBorder ASide) override;
  TcxCanvas* GetCanvas() override { return tabs_->SiteViewInfo()->GetCanvas(); }
  TClass GetHitTestClass() override { return TcxGridDetailsSiteTabHitTest::StaticClass(); }
  bool HotTrack() override;
  String GetText() override { return level_->Caption(); }
  RECT GetTextAreaBounds() override;
  void GetViewParams(TcxStyleParams& AParams) override;
  void InitHitTest(TcxCustomGridHitTest* AHitTest) override;
  bool MouseDown(TcxCustomGridHitTest* AHitTest, TMouseButton AButton, TShiftState AShift) override;
  std::unique_ptr<TcxCustomGridCellPainter> CreatePainter(TcxCanvas* ACanvas) override;

 protected:
  TcxLookAndFeelPainterClass LookAndFeelPainter() { return tabs_->SiteViewInfo()->GetLookAndFeelPainter(); }

 private:
  TcxCustomGridDetailsSiteTabsViewInfo* tabs_;
  TcxGridLevel* level_;
  int index_;
};

class TcxGridDetailsSiteLeftTabViewInfo : public TcxCustomGridDetailsSiteTabViewInfo {
  TRENVIK_CLASS(TcxGridDetailsSiteLeftTabViewInfo, TcxCustomGridDetailsSiteTabViewInfo);

 public:
  using TcxCustomGridDetailsSiteTabViewInfo::TcxCustomGridDetailsSiteTabViewInfo;
  int CalculateHeight() override;
  int CalculateWidth() override;
  TcxAlignmentVert GetAlignmentVert() override { return vaCenter; }
  TcxBorders GetBorders() override;
  void Calculate(int ALeft, int ATop, int AWidth = -1, int AHeight = -1) override;
};

class TcxGridDetailsSiteTopTabViewInfo : public TcxCustomGridDetailsSiteTabViewInfo {
  TRENVIK_CLASS(TcxGridDetailsSiteTopTabViewInfo, TcxCustomGridDetailsSiteTabViewInfo);

 public:
  using TcxCustomGridDetailsSiteTabViewInfo::TcxCustomGridDetailsSiteTabViewInfo;
  int CalculateHeight() override;
  int CalculateWidth() override;
  TcxBorders GetBorders() override;
  void Calculate(int ALeft, int ATop, int AWidth = -1, int AHeight = -1) override;
};

// The grid's root site: always fills the grid; its tabs switch the active top level.
class TcxGridTopDetailsSiteViewInfo : public TcxCustomGridDetailsSiteViewInfo {
  TRENVIK_CLASS(TcxGridTopDetailsSiteViewInfo, TcxCustomGridDetailsSiteViewInfo);

 public:
  explicit TcxGridTopDetailsSiteViewInfo(TcxCustomGrid* AGrid);
  ~TcxGridTopDetailsSiteViewInfo() override;

  TcxCustomGrid* Grid() const { return grid_; }
  int CalculateHeight() override { return GetMaxHeight(); }
  int CalculateWidth() override { return GetMaxWidth(); }
  TcxCanvas* GetCanvas() override;
  TcxLookAndFeelPainterClass GetLookAndFeelPainter() override;
  int GetMaxHeight() override;
  int GetMaxWidth() override;
  TcxCustomGridView* GetActiveGridViewValue() override;
  TcxGridLevel* GetActiveLevel() override;
  void InitTabHitTest(TcxGridDetailsSiteTabHitTest* AHitTest) override;
  void ActivateLevel(TcxGridLevel* ALevel) override;
  void UpdateSite(bool AVisible) override;

 private:
  TcxCustomGrid* grid_;
};
