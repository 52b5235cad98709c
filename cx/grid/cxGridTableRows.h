// The rows of the table view beyond plain data and group rows: the new-item row, and master rows
// whose details (one clone of each detail level's view per record) expand under them.
#pragma once

#include "cx/grid/cxGridRows.h"

class TcxGridLevel;

class TcxGridNewItemRow : public TcxGridDataRow {
  TRENVIK_CLASS(TcxGridNewItemRow, TcxGridDataRow);

 public:
  using TcxGridDataRow::TcxGridDataRow;
};

class TcxGridMasterDataRow : public TcxGridDataRow {
  TRENVIK_CLASS(TcxGridMasterDataRow, TcxGridDataRow);

 public:
  using TcxGridDataRow::TcxGridDataRow;

  bool Expandable() const override { return true; }
  bool Expanded() const override;
  bool GetExpandOnDblClick() const override;

  int DetailGridViewCount() const;
  // Made on first request.
  TcxCustomGridView* DetailGridViews(int AIndex) const;
  // A hidden detail level gives way to the first visible one.
  int ActiveDetailIndex();
  void SetActiveDetailIndex(int Value);
  TcxCustomGridView* ActiveDetailGridView();
  TcxGridLevel* ActiveDetailLevel();
  // Asks without making the detail.
  bool ActiveDetailGridViewExists();

 protected:
  void DoExpand(bool ARecursive) override;
  void DoCollapse(bool ARecursive) override;
};

// The records of the table view: master rows when the view's level has visible detail levels, and
// the new-item row when the view shows it.
class TcxGridViewData : public TcxCustomGridTableViewData {
  TRENVIK_CLASS(TcxGridViewData, TcxCustomGridTableViewData);

 public:
  using TcxCustomGridTableViewData::TcxCustomGridTableViewData;
  bool HasNewItemRecord() override;

 protected:
  std::unique_ptr<TcxCustomGridRecord> CreateRecord(int AIndex, const TcxRowInfo& ARowInfo) override;
  std::unique_ptr<TcxCustomGridRecord> CreateNewItemRecord() override;
};
