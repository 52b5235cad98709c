// Painting of the table view: its parts in a fixed order (group-by box, filter bar, indicator,
// header, footer, then the rows), rows with their indents, separators and focus rectangles, and the
// data cells' grid lines collected during the rows pass and drawn in one call.
#pragma once

#include <memory>
#include <vector>

#include "cx/grid/cxGridCommon.h"
#include "cx/grid/cxGridCustomView.h"

class TcxCustomGridRecordsViewInfo;
class TcxGridRowsViewInfo;
class TcxCustomGridRecordViewInfo;
class TcxCustomGridRowViewInfo;
class TcxGridDataRowViewInfo;
class TcxGridGroupRowViewInfo;
class TcxGridTableDataCellViewInfo;
class TcxGridDataCellViewInfo;
class TcxGridGroupCellViewInfo;
class TcxCustomGridPartViewInfo;
class TcxGridColumnContainerViewInfo;
class TcxGridColumnHeaderViewInfo;
class TcxGridColumnHeaderSortingMarkViewInfo;
class TcxGridColumnHeaderFilterButtonViewInfo;
class TcxGridGroupByBoxViewInfo;
class TcxGridFooterViewInfo;
class TcxGridFooterCellViewInfo;
class TcxGridFilterViewInfo;
class TcxCustomGridFilterButtonViewInfo;
class TcxGridIndicatorViewInfo;
class TcxGridTableViewInfo;
class TcxGridTablePainter;

// A cell painted through the painter protocol when its painter follows it.
void PaintGridCell(TcxCustomGridCellViewInfo* ACell, TcxCanvas* ACanvas);

class TcxCustomGridTablePainter : public TcxCustomGridPainter {
  TRENVIK_CLASS(TcxCustomGridTablePainter, TcxCustomGridPainter);

 public:
  using TcxCustomGridPainter::TcxCustomGridPainter;

 protected:
  void PaintContent() override;
  virtual void DrawRecords();
};

class TcxGridTablePainter : public TcxCustomGridTablePainter {
  TRENVIK_CLASS(TcxGridTablePainter, TcxCustomGridTablePainter);

 public:
  using TcxCustomGridTablePainter::TcxCustomGridTablePainter;
  TcxGridTableViewInfo* TableViewInfo() const;
  // While the rows are drawn, cells hand their border lines here instead of drawing them.
  void AddGridLine(const RECT& R) { gridLines_.push_back(R); }
  bool IsCollectingGridLines() const { return collectingGridLines_; }

 protected:
  void PaintContent() override;
  void DrawRecords() override;
  virtual void DrawGroupByBox();
  virtual void DrawFilterBar();
  virtual void DrawIndicator();
  virtual void DrawHeader();
  virtual void DrawFooter();

 private:
  void DrawGridLines();

  std::vector<RECT> gridLines_;
  bool collectingGridLines_ = false;
};

// The records of one layout pass, drawn in list order.
class TcxCustomGridRecordsPainter {
 public:
  TcxCustomGridRecordsPainter(TcxCanvas* ACanvas, TcxCustomGridRecordsViewInfo* AViewInfo)
      : canvas_(ACanvas), viewInfo_(AViewInfo) {}
  virtual ~TcxCustomGridRecordsPainter() = default;
  TcxCanvas* Canvas() const { return canvas_; }
  TcxCustomGridRecordsViewInfo* ViewInfo() const { return viewInfo_; }
  virtual void Paint();

 private:
  TcxCanvas* canvas_;
  TcxCustomGridRecordsViewInfo* viewInfo_;
};

class TcxGridRowsPainter : public TcxCustomGridRecordsPainter {
 public:
  using TcxCustomGridRecordsPainter::TcxCustomGridRecordsPainter;
  // The new-item row first, then the others.
  void Paint() override;
  static void DrawDataRowCells(TcxGridDataRowViewInfo* ARowViewInfo);
};

// A cell painter that follows the framework's protocol: before, paint, after, then clipping.
class TcxGridCellPainter : public TcxCustomGridCellPainter {
 public:
  using TcxCustomGridCellPainter::TcxCustomGridCellPainter;
  void MainPaint();
  TcxCustomGridPainter* ViewPainter() const;

 protected:
  virtual void BeforePaint() {}
  // The handlers' chance, else the content; then the borders.
  virtual void PaintCell();
  void DrawBackground() override;
  virtual void AfterPaint() {}
  virtual bool ExcludeFromClipping() { return false; }
  TcxLookAndFeelPainterClass LookAndFeelPainter() const;
};

class TcxCustomGridRecordPainter : public TcxGridCellPainter {
 public:
  using TcxGridCellPainter::TcxGridCellPainter;
  TcxCustomGridRecordViewInfo* RecordViewInfo() const;

 protected:
  void BeforePaint() override;
  void PaintCell() override {}
  void AfterPaint() override;
  virtual void DrawExpandButton();
  virtual void DrawFocusRect();
};

class TcxCustomGridRowPainter : public TcxCustomGridRecordPainter {
 public:
  using TcxCustomGridRecordPainter::TcxCustomGridRecordPainter;
  TcxCustomGridRowViewInfo* RowViewInfo() const;

 protected:
  void PaintCell() override;
  virtual void DrawFooters();
  virtual void DrawLevelIndents();
  virtual void DrawLevelIndent(int ALevel);
  virtual void DrawLastHorzGridLine();
  virtual void DrawSeparator();
  void FillRect(const RECT& R, TColor AColor);
};

class TcxGridDataRowPainter : public TcxCustomGridRowPainter {
 public:
  using TcxCustomGridRowPainter::TcxCustomGridRowPainter;

 protected:
  void PaintCell() override;
};

class TcxGridNewItemRowPainter : public TcxGridDataRowPainter {
 public:
  using TcxGridDataRowPainter::TcxGridDataRowPainter;

 protected:
  void PaintCell() override;
  virtual void DrawNewItemRowSeparator();
};

class TcxGridGroupRowPainter : public TcxCustomGridRowPainter {
 public:
  using TcxCustomGridRowPainter::TcxCustomGridRowPainter;

 protected:
  void PaintCell() override;
  void DrawSeparator() override;
};

class TcxGridTableDataCellPainter : public TcxGridCellPainter {
 public:
  using TcxGridCellPainter::TcxGridCellPainter;
  TcxGridTableDataCellViewInfo* DataCellViewInfo() const;

 protected:
  void DrawContent() override;
  void PaintCell() override;
  virtual void DrawFocusRect();
};

class TcxGridDataCellPainter : public TcxGridTableDataCellPainter {
 public:
  using TcxGridTableDataCellPainter::TcxGridTableDataCellPainter;

 protected:
  bool ExcludeFromClipping() override;
  void DrawBorder(TcxBorder ASide) override;
};

class TcxGridGroupCellPainter : public TcxGridCellPainter {
 public:
  using TcxGridCellPainter::TcxGridCellPainter;

 protected:
  void DrawBorder(TcxBorder ASide) override;
};

class TcxCustomGridPartPainter : public TcxGridCellPainter {
 public:
  using TcxGridCellPainter::TcxGridCellPainter;

 protected:
  bool ExcludeFromClipping() override { return true; }
};

class TcxGridColumnContainerPainter : public TcxCustomGridPartPainter {
 public:
  using TcxCustomGridPartPainter::TcxCustomGridPartPainter;
  TcxGridColumnContainerViewInfo* ContainerViewInfo() const;

 protected:
  void DrawContent() override;
  virtual void DrawItems();
  virtual bool DrawItemsFirst() { return true; }
};

class TcxGridHeaderPainter : public TcxGridColumnContainerPainter {
 public:
  using TcxGridColumnContainerPainter::TcxGridColumnContainerPainter;

 protected:
  bool DrawItemsFirst() override;
};

class TcxGridGroupByBoxPainter : public TcxGridColumnContainerPainter {
 public:
  using TcxGridColumnContainerPainter::TcxGridColumnContainerPainter;

 protected:
  void DrawContent() override;
};

class TcxGridFooterPainter : public TcxGridColumnContainerPainter {
 public:
  using TcxGridColumnContainerPainter::TcxGridColumnContainerPainter;
  TcxGridFooterViewInfo* FooterViewInfo() const;

 protected:
  bool DrawItemsFirst() override;
  void DrawBorders() override;
  virtual void DrawSeparator();
};

class TcxGridColumnHeaderPainter : public TcxGridCellPainter {
 public:
  using TcxGridCellPainter::TcxGridCellPainter;
  TcxGridColumnHeaderViewInfo* HeaderViewInfo() const;

 protected:
  bool ExcludeFromClipping() override { return true; }
  void DrawBorders() override {}
  void DrawContent() override;
  void PaintCell() override;
  virtual void DrawPressed();
  bool IsOwnCanvas() const;
};

class TcxGridFooterCellPainter : public TcxGridColumnHeaderPainter {
 public:
  using TcxGridColumnHeaderPainter::TcxGridColumnHeaderPainter;

 protected:
  void DrawContent() override;
  void DrawPressed() override {}
};

class TcxGridColumnHeaderSortingMarkPainter : public TcxGridCellPainter {
 public:
  using TcxGridCellPainter::TcxGridCellPainter;

 protected:
  void PaintCell() override;
};

class TcxGridColumnHeaderFilterButtonPainter : public TcxGridCellPainter {
 public:
  using TcxGridCellPainter::TcxGridCellPainter;

 protected:
  void PaintCell() override;
};

class TcxGridFilterPainter : public TcxCustomGridPartPainter {
 public:
  using TcxCustomGridPartPainter::TcxCustomGridPartPainter;

 protected:
  void PaintCell() override;
  virtual void DrawButtons();
};

class TcxCustomGridFilterButtonPainter : public TcxGridCellPainter {
 public:
  using TcxGridCellPainter::TcxGridCellPainter;
  TcxCustomGridFilterButtonViewInfo* ButtonViewInfo() const;

 protected:
  bool ExcludeFromClipping() override { return true; }
};

class TcxGridFilterCloseButtonPainter : public TcxCustomGridFilterButtonPainter {
 public:
  using TcxCustomGridFilterButtonPainter::TcxCustomGridFilterButtonPainter;

 protected:
  void PaintCell() override;
};

class TcxGridFilterActivateButtonPainter : public TcxCustomGridFilterButtonPainter {
 public:
  using TcxCustomGridFilterButtonPainter::TcxCustomGridFilterButtonPainter;

 protected:
  void PaintCell() override;
};

class TcxGridFilterCustomizeButtonPainter : public TcxCustomGridFilterButtonPainter {
 public:
  using TcxCustomGridFilterButtonPainter::TcxCustomGridFilterButtonPainter;

 protected:
  void PaintCell() override;
};

class TcxGridIndicatorPainter : public TcxGridCellPainter {
 public:
  using TcxGridCellPainter::TcxGridCellPainter;
  TcxGridIndicatorViewInfo* IndicatorViewInfo() const;

 protected:
  bool ExcludeFromClipping() override { return true; }
  void DrawContent() override;
  virtual void DrawItems();
  virtual bool DrawItemsFirst();
};

class TcxCustomGridIndicatorItemPainter : public TcxGridCellPainter {
 public:
  using TcxGridCellPainter::TcxGridCellPainter;

 protected:
  bool ExcludeFromClipping() override { return true; }
};

class TcxGridIndicatorHeaderItemPainter : public TcxCustomGridIndicatorItemPainter {
 public:
  using TcxCustomGridIndicatorItemPainter::TcxCustomGridIndicatorItemPainter;

 protected:
  void PaintCell() override;
};

class TcxGridIndicatorRowItemPainter : public TcxCustomGridIndicatorItemPainter {
 public:
  using TcxCustomGridIndicatorItemPainter::TcxCustomGridIndicatorItemPainter;

 protected:
  void PaintCell() override;
};

class TcxGridIndicatorFooterItemPainter : public TcxCustomGridIndicatorItemPainter {
 public:
  using TcxCustomGridIndicatorItemPainter::TcxCustomGridIndicatorItemPainter;

 protected:
  void PaintCell() override;
};
