// The preview band of a data row: the preview column's text across the row's cells, wrapped and
// indented, in the preview style.
#pragma once

#include "cx/grid/cxGridTableRowViewInfo.h"

class TcxGridPreview;

class TcxGridPreviewCellViewInfo : public TcxGridDataCellViewInfo {
  TRENVIK_CLASS(TcxGridPreviewCellViewInfo, TcxGridDataCellViewInfo);

 public:
  TcxGridPreviewCellViewInfo(TcxGridDataRowViewInfo* ARowViewInfo, TcxCustomGridTableItem* AColumn);

  TcxGridPreview* Preview() const;
  // The band's height, kept for the record between layouts.
  int CachedHeight();
  int CalculateWidth() override;
  int CalculateHeight() override;
  bool IsAutoHeight() override;
  int GetMaxLineCount() override;
  RECT GetEditContentOffsets() override;
  RECT GetTextAreaBounds() override;
  bool GetMultiLine() override { return true; }
  TcxBorders GetBorders() override;
  void GetViewParams(TcxStyleParams& AParams) override;
  TClass GetHitTestClass() override;

 private:
  int TextAreaWidth();
};
