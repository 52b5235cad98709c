// The people list as rows of text (surname, first name, patronymic, birth date) read straight from
// the dataset's records. It stands in for the data-aware grid, which replaces it once that grid
// exists; only what the start-up needs is here: showing and scrolling the rows.
#pragma once

#include <memory>

#include "platform/data/DataLink.h"
#include "platform/data/DataSource.h"
#include "platform/forms/Controls.h"

class TPeopleListStandIn : public TCustomControl {
  TRENVIK_CLASS(TPeopleListStandIn, TCustomControl);

 public:
  explicit TPeopleListStandIn(TComponent* AOwner);
  ~TPeopleListStandIn() override;

  TDataSource* DataSource() const;
  void SetDataSource(TDataSource* Value);
  int RowHeight() const { return 18; }
  // The rows shown: a window of the dataset's records around the current one.
  int RowCount() const;
  // The text of a shown row's cell: columns 0..3 are surname, first name, patronymic, birth date.
  // Empty past the end or when the dataset is closed.
  String CellText(int Row, int Column) const;
  // The shown row of the dataset's current record; -1 when closed.
  int CurrentRow() const;
  // Called by the link whenever the dataset's records or state changed.
  void DataChanged();

 protected:
  void Paint() override;
  bool DoMouseWheel(TShiftState Shift, int WheelDelta, POINT MousePos) override;
  void KeyDown(WORD& Key, TShiftState Shift) override;

 private:
  int VisibleRows();
  void Resize() override;
  std::unique_ptr<TDataLink> link_;
};
