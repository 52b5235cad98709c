// The filter bar under the rows (the filter as text with its close, activate and customize buttons),
// the indicator column left of the rows (a glyph per row for focus, editing and selection) and the
// group footers under the last row of a group.
#pragma once

#include <memory>
#include <vector>

#include "cx/grid/cxGridTableHeaderViewInfo.h"

class TcxGridFilterButtonsViewInfo;
class TcxGridFilterViewInfo;

class TcxCustomGridFilterButtonViewInfo : public TcxCustomGridViewCellViewInfo {
  TRENVIK_CLASS(TcxCustomGridFilterButtonViewInfo, TcxCustomGridViewCellViewInfo);

 public:
  explicit TcxCustomGridFilterButtonViewInfo(TcxGridFilterButtonsViewInfo* AButtons);
  TcxGridFilterButtonsViewInfo* ButtonsViewInfo() const { return buttons_; }
  TcxGridFilterViewInfo* FilterViewInfo() const;
  TcxDataFilterCriteria* Filter() const;
  virtual bool IsRightAligned() { return false; }
  virtual bool IsButtonVisible() = 0;
  bool GetVisible() override { return IsButtonVisible(); }
  bool HotTrack() override { return true; }
  TcxCanvas* GetCanvas() override;
  TColor GetBorderColor(TcxBorder) override { return clNone; }
  int GetBorderWidth(TcxBorder) override { return 0; }
  TcxButtonState ButtonState() { return CellStateToButtonState(State()); }

 protected:
  void StateChanged() override;

 private:
  TcxGridFilterButtonsViewInfo* buttons_;
};

class TcxGridFilterCloseButtonViewInfo : public TcxCustomGridFilterButtonViewInfo {
  TRENVIK_CLASS(TcxGridFilterCloseButtonViewInfo, TcxCustomGridFilterButtonViewInfo);

 public:
  using TcxCustomGridFilterButtonViewInfo::TcxCustomGridFilterButtonViewInfo;
  bool IsButtonVisible() override;
  int CalculateHeight() override;
  int CalculateWidth() override;
  void Click() override;
  TClass GetHitTestClass() override { return TcxGridFilterCloseButtonHitTest::StaticClass(); }
  std::unique_ptr<TcxCustomGridCellPainter> CreatePainter(TcxCanvas* ACanvas) override;
};

class TcxGridFilterActivateButtonViewInfo : public TcxCustomGridFilterButtonViewInfo {
  TRENVIK_CLASS(TcxGridFilterActivateButtonViewInfo, TcxCustomGridFilterButtonViewInfo);

 public:
  using TcxCustomGridFilterButtonViewInfo::TcxCustomGridFilterButtonViewInfo;
  bool Checked() const;
  bool IsButtonVisible() override;
  int CalculateHeight() override;
  int CalculateWidth() override;
  void Click() override;
  TClass GetHitTestClass() override { return TcxGridFilterActivateButtonHitTest::StaticClass(); }
  std::unique_ptr<TcxCustomGridCellPainter> CreatePainter(TcxCanvas* ACanvas) override;
};

class TcxGridFilterCustomizeButtonViewInfo : public TcxCustomGridFilterButtonViewInfo {
  TRENVIK_CLASS(TcxGridFilterCustomizeButtonViewInfo, TcxCustomGridFilterButtonViewInfo);

 public:
  using TcxCustomGridFilterButtonViewInfo::TcxCustomGridFilterButtonViewInfo;
  bool IsRightAligned() override { return true; }
  bool IsButtonVisible() override;
  // The filter builder for the view's filter.
  void Click() override;
  String GetText() override;
  int CalculateHeight() override;
  int CalculateWidth() override;
  void GetViewParams(TcxStyleParams& AParams) override;
  TClass GetHitTestClass() override { return TcxGridFilterCustomizeButtonHitTest::StaticClass(); }
  std::unique_ptr<TcxCustomGridCellPainter> CreatePainter(TcxCanvas* ACanvas) override;
};

class TcxGridFilterButtonsViewInfo : public TObject {
  TRENVIK_CLASS(TcxGridFilterButtonsViewInfo, TObject);

 public:
  explicit TcxGridFilterButtonsViewInfo(TcxGridFilterViewInfo* AFilterViewInfo);
  ~TcxGridFilterButtonsViewInfo() override;

  TcxGridFilterViewInfo* FilterViewInfo() const { return filter_; }
  int Count() const { return static_cast<int>(items_.size()); }
  TcxCustomGridFilterButtonViewInfo* Items(int AIndex) const { return items_.at(static_cast<size_t>(AIndex)).get(); }
  // The largest visible button's height + 8; 0 when none is visible.
  int Height();
  // The room the visible buttons of one side take.
  int SideWidth(bool ARightAligned);
  void Calculate(const RECT& ABounds);
  TcxCustomGridHitTest* GetHitTest(POINT P);

 private:
  TcxGridFilterViewInfo* filter_;
  std::vector<std::unique_ptr<TcxCustomGridFilterButtonViewInfo>> items_;
};

class TcxGridFilterViewInfo : public TcxCustomGridPartViewInfo {
  TRENVIK_CLASS(TcxGridFilterViewInfo, TcxCustomGridPartViewInfo);

 public:
  explicit TcxGridFilterViewInfo(TcxGridTableViewInfo* AGridViewInfo);
  ~TcxGridFilterViewInfo() override;

  TcxGridFilterButtonsViewInfo* ButtonsViewInfo() const { return buttons_.get(); }
  TcxDataFilterCriteria* Filter() const;
  int GetAlignment() override { return cxGridPartAlignBottom; }
  bool IsFullWidth() override { return true; }
  bool IsPartVisible() override;
  int CalculateHeight() override;
  int CalculateWidth() override;
  String GetText() override;
  TcxAlignmentVert GetAlignmentVert() override { return vaCenter; }
  RECT GetTextAreaBounds() override;
  void GetViewParams(TcxStyleParams& AParams) override;
  TClass GetHitTestClass() override { return TcxGridFilterHitTest::StaticClass(); }
  TcxCustomGridHitTest* GetHitTest(POINT P) override;
  std::unique_ptr<TcxCustomGridCellPainter> CreatePainter(TcxCanvas* ACanvas) override;

 protected:
  void CalculateVisible() override;

 private:
  std::unique_ptr<TcxGridFilterButtonsViewInfo> buttons_;
};

class TcxGridIndicatorViewInfo;

class TcxCustomGridIndicatorItemViewInfo : public TcxCustomGridViewCellViewInfo {
  TRENVIK_CLASS(TcxCustomGridIndicatorItemViewInfo, TcxCustomGridViewCellViewInfo);

 public:
  explicit TcxCustomGridIndicatorItemViewInfo(TcxGridIndicatorViewInfo* AIndicator);
  TcxGridIndicatorViewInfo* Indicator() const { return indicator_; }
  TcxGridTableViewInfo* TableViewInfo() const;
  int CalculateHeight() override { return 0; }
  int CalculateWidth() override { return 0; }
  TColor GetBorderColor(TcxBorder) override { return clNone; }
  int GetBorderWidth(TcxBorder) override { return 0; }
  void GetViewParams(TcxStyleParams& AParams) override;
  TClass GetHitTestClass() override { return TcxGridIndicatorHitTest::StaticClass(); }

 private:
  TcxGridIndicatorViewInfo* indicator_;
};

class TcxGridIndicatorHeaderItemViewInfo : public TcxCustomGridIndicatorItemViewInfo {
  TRENVIK_CLASS(TcxGridIndicatorHeaderItemViewInfo, TcxCustomGridIndicatorItemViewInfo);

 public:
  using TcxCustomGridIndicatorItemViewInfo::TcxCustomGridIndicatorItemViewInfo;
  std::unique_ptr<TcxCustomGridCellPainter> CreatePainter(TcxCanvas* ACanvas) override;
};

class TcxGridIndicatorRowItemViewInfo : public TcxCustomGridIndicatorItemViewInfo {
  TRENVIK_CLASS(TcxGridIndicatorRowItemViewInfo, TcxCustomGridIndicatorItemViewInfo);

 public:
  TcxGridIndicatorRowItemViewInfo(TcxGridIndicatorViewInfo* AIndicator, TcxCustomGridRecordViewInfo* ARowViewInfo);
  TcxCustomGridRecordViewInfo* RowViewInfo() const { return row_; }
  TcxCustomGridRecord* GridRecord() const;
  virtual TcxIndicatorKind GetIndicatorKind();
  TClass GetHitTestClass() override { return TcxGridRowIndicatorHitTest::StaticClass(); }
  void InitHitTest(TcxCustomGridHitTest* AHitTest) override;
  std::unique_ptr<TcxCustomGridCellPainter> CreatePainter(TcxCanvas* ACanvas) override;

 private:
  TcxCustomGridRecordViewInfo* row_;
};

class TcxGridIndicatorFooterItemViewInfo : public TcxCustomGridIndicatorItemViewInfo {
  TRENVIK_CLASS(TcxGridIndicatorFooterItemViewInfo, TcxCustomGridIndicatorItemViewInfo);

 public:
  using TcxCustomGridIndicatorItemViewInfo::TcxCustomGridIndicatorItemViewInfo;
  TcxGridFooterViewInfo* Footer() const;
  TcxBorders GetBorders() override;
  int GetBorderWidth(TcxBorder ASide) override;
  RECT GetContentBounds();
  RECT GetSeparatorBounds();
  std::unique_ptr<TcxCustomGridCellPainter> CreatePainter(TcxCanvas* ACanvas) override;
};

class TcxGridIndicatorViewInfo : public TcxCustomGridViewCellViewInfo {
  TRENVIK_CLASS(TcxGridIndicatorViewInfo, TcxCustomGridViewCellViewInfo);

 public:
  explicit TcxGridIndicatorViewInfo(TcxGridTableViewInfo* AGridViewInfo);
  ~TcxGridIndicatorViewInfo() override;

  TcxGridTableViewInfo* TableViewInfo() const { return static_cast<TcxGridTableViewInfo*>(GridViewInfo()); }
  int Count() const { return static_cast<int>(items_.size()); }
  TcxCustomGridIndicatorItemViewInfo* Items(int AIndex) const { return items_.at(static_cast<size_t>(AIndex)).get(); }
  // The bounds of ARecord's row cell; empty when it has none.
  RECT GetRowItemBounds(const TcxCustomGridRecord* ARecord);
  bool GetVisible() override;
  int CalculateHeight() override;
  int CalculateWidth() override;
  TColor GetBorderColor(TcxBorder) override { return clNone; }
  int GetBorderWidth(TcxBorder) override { return 0; }
  void GetViewParams(TcxStyleParams& AParams) override;
  TClass GetHitTestClass() override { return TcxGridIndicatorHitTest::StaticClass(); }
  TcxCustomGridHitTest* GetHitTest(POINT P) override;
  std::unique_ptr<TcxCustomGridCellPainter> CreatePainter(TcxCanvas* ACanvas) override;
  void Calculate(int ALeft, int ATop, int AWidth = -1, int AHeight = -1) override;

 private:
  std::vector<std::unique_ptr<TcxCustomGridIndicatorItemViewInfo>> items_;
};

class TcxCustomGridRowViewInfo;
class TcxGridRowFootersViewInfo;
class TcxGridRowFooterViewInfo;

class TcxGridRowFooterCellViewInfo : public TcxGridFooterCellViewInfo {
  TRENVIK_CLASS(TcxGridRowFooterCellViewInfo, TcxGridFooterCellViewInfo);

 public:
  TcxGridRowFooterCellViewInfo(TcxGridRowFooterViewInfo* AFooter, TcxGridColumn* AColumn);
  TcxGridRowFooterViewInfo* RowFooter() const;
  String GetText() override;
  void GetViewParams(TcxStyleParams& AParams) override;
  TClass GetHitTestClass() override { return TcxGridGroupFooterCellHitTest::StaticClass(); }
};

// One group footer of a row: the summaries of the group closed at its level offset.
class TcxGridRowFooterViewInfo : public TcxGridFooterViewInfo {
  TRENVIK_CLASS(TcxGridRowFooterViewInfo, TcxGridFooterViewInfo);

 public:
  TcxGridRowFooterViewInfo(TcxGridRowFootersViewInfo* AFooters, int ALevelOffset);
  TcxGridRowFootersViewInfo* Footers() const { return footers_; }
  TcxCustomGridRowViewInfo* RowViewInfo() const;
  int LevelOffset() const { return levelOffset_; }
  int SummaryLevel() const;
  // Laid out by its row, not stacked by the view information.
  bool IsStacked() override { return false; }
  bool IsPartVisible() override { return true; }
  bool HasSeparator() override { return false; }
  int CalculateWidth() override;
  void GetViewParams(TcxStyleParams& AParams) override;
  TClass GetHitTestClass() override { return TcxGridGroupFooterHitTest::StaticClass(); }
  void Calculate(int ALeft, int ATop, int AWidth = -1, int AHeight = -1) override;

 protected:
  std::unique_ptr<TcxGridColumnHeaderViewInfo> CreateItem(TcxGridColumn* AColumn) override;

 private:
  TcxGridRowFootersViewInfo* footers_;
  int levelOffset_;
};

class TcxGridRowFootersViewInfo : public TObject {
  TRENVIK_CLASS(TcxGridRowFootersViewInfo, TObject);

 public:
  explicit TcxGridRowFootersViewInfo(TcxCustomGridRowViewInfo* ARowViewInfo);
  ~TcxGridRowFootersViewInfo() override;
  TcxCustomGridRowViewInfo* RowViewInfo() const { return row_; }
  int Count() const { return static_cast<int>(items_.size()); }
  TcxGridRowFooterViewInfo* Items(int AIndex) const { return items_.at(static_cast<size_t>(AIndex)).get(); }
  // The footer at a level offset; none when the row has none there.
  TcxGridRowFooterViewInfo* GetFooter(int ALevelOffset) const;
  int Height();
  void Calculate(int ALeft, int ATop);
  TcxCustomGridHitTest* GetHitTest(POINT P);

 private:
  TcxCustomGridRowViewInfo* row_;
  std::vector<std::unique_ptr<TcxGridRowFooterViewInfo>> items_;
  int height_ = -1;
};
