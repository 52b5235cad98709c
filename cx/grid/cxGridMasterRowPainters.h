// Painting of master rows: the expand button strip, the details site with its tabs and the closing
// line under the details, then the row's cells as a data row paints them.
#pragma once

#include "cx/grid/cxGridTablePainters.h"

class TcxGridMasterDataRowViewInfo;
class TcxGridExpandButtonCellViewInfo;

class TcxGridMasterDataRowPainter : public TcxGridDataRowPainter {
 public:
  using TcxGridDataRowPainter::TcxGridDataRowPainter;
  TcxGridMasterDataRowViewInfo* MasterRowViewInfo() const;

 protected:
  void PaintCell() override;
  // The strip paints the button over its own background.
  void DrawExpandButton() override {}
  virtual void DrawExpandButtonCell();
  virtual void DrawDetails();
  virtual void DrawDetailsArea();
};

class TcxGridExpandButtonCellPainter : public TcxGridCellPainter {
 public:
  using TcxGridCellPainter::TcxGridCellPainter;
  TcxGridExpandButtonCellViewInfo* CellViewInfo() const;

 protected:
  void DrawContent() override;
};
