// The table view information as the controllers see it: visible records, the scratch count of
// records that fit from a record on, cell and header bounds.
#pragma once

#include "cx/grid/cxGridTableController.h"

class TcxGridTableViewInfo;

class TcxGridTableLayoutAdapter : public IcxGridRecordsLayout, public IcxGridColumnsLayout {
 public:
  explicit TcxGridTableLayoutAdapter(TcxGridTableViewInfo* AViewInfo) : viewInfo_(AViewInfo) {}
  virtual ~TcxGridTableLayoutAdapter() = default;
  TcxGridTableViewInfo* ViewInfo() const { return viewInfo_; }

  int VisibleRecordCount() override;
  // Rows of one height: no auto-height cells, no group rows, no details.
  bool IsEqualHeightRecords() override;
  int GetEqualHeightRecordCount() override;
  int CalculateVisibleRecordCount(int AFirstIndex, bool ADown) override;
  RECT RecordsBounds() override;
  bool GetFocusedCellEditBounds(TcxCustomGridTableItem* AItem, RECT& ABounds) override;

  int DataWidth() override;
  RECT ClientBounds() override;
  int FullyVisibleRowCount() override { return VisibleRecordCount(); }
  bool GetColumnHeaderBounds(TcxGridColumn* AColumn, RECT& ABounds) override;

 private:
  TcxGridTableViewInfo* viewInfo_;
};
