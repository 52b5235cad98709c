// Repaints of single records, queued while the grid is update-locked: one record (or one of its
// cells), and the records a focus move leaves and reaches.
#pragma once

#include "cx/grid/cxGridChanges.h"

class TcxCustomGridTableItem;
class TcxCustomGridTableView;

class TcxGridRecordChange : public TcxCustomGridViewChange {
  TRENVIK_CLASS(TcxGridRecordChange, TcxCustomGridViewChange);

 public:
  TcxGridRecordChange(TcxCustomGridTableView* AGridView, TcxCustomGridTableItem* AItem, int ARecordIndex,
                      const TObject* ARecord);
  void Execute() override;
  // A later layout, size or data change of the same view repaints the record anyway.
  bool IsCompatibleWith(TcxCustomGridChange* AChange) override;
  bool IsEqual(TcxCustomGridChange* AChange) override;

  // Nil: the whole record. Only compared with the view's items: it may be gone when the change runs.
  TcxCustomGridTableItem* Item;
  // The row index of the record in the view data.
  int RecordIndex;
  // Identifies the record; never followed, since rows are rebuilt while the change waits.
  const TObject* Record;
};

class TcxGridFocusedRecordChange : public TcxCustomGridViewChange {
  TRENVIK_CLASS(TcxGridFocusedRecordChange, TcxCustomGridViewChange);

 public:
  TcxGridFocusedRecordChange(TcxCustomGridTableView* AGridView, bool ANewItemRecordFocusingChanged,
                             int AFocusedRecordIndex, int APrevFocusedRecordIndex);
  void Execute() override;

  // Data controller record indexes.
  int FocusedRecordIndex;
  int PrevFocusedRecordIndex;
  bool NewItemRecordFocusingChanged;
};
