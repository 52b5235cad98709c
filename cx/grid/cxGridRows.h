// The records of a record-based view: transient objects made from the data controller's visible
// rows on first request and dropped whenever the rows are rebuilt; expansion lives in the data
// controller. The new-item record (the empty row for entering a record) lives beside the rows.
#pragma once

#include <memory>
#include <vector>

#include "cx/grid/cxGridCommon.h"
#include "cx/grid/cxGridCustomTableView.h"

class TcxCustomGridTableViewData;

class TcxCustomGridRecord : public TObject {
  TRENVIK_CLASS(TcxCustomGridRecord, TObject);

 public:
  TcxCustomGridRecord(TcxCustomGridTableViewData* AViewData, int AIndex, const TcxRowInfo& ARowInfo)
      : viewData_(AViewData), index_(AIndex), rowInfo_(ARowInfo) {}

  TcxCustomGridTableViewData* ViewData() const { return viewData_; }
  TcxCustomGridTableView* GridView() const;
  TcxCustomDataController* DataController() const;
  // The row index; -1 for the new-item record.
  int Index() const { return index_; }
  int Level() const { return rowInfo_.Level; }
  int RecordIndex() const { return rowInfo_.RecordIndex; }
  bool IsNewItemRecord() const;
  bool IsValid() const;
  bool IsFirst() const { return index_ == 0; }
  bool IsLast() const;
  int ValueCount() const;
  Variant Values(int AItemIndex) const;
  String DisplayTexts(int AItemIndex) const;

  virtual bool Expandable() const { return false; }
  virtual bool Expanded() const { return false; }
  void SetExpanded(bool Value);
  virtual bool HasCells() const { return false; }
  virtual bool IsData() const { return true; }
  virtual bool IsParent() const { return false; }
  virtual bool CanFocus() const { return true; }
  // A double click on the record toggles its expansion.
  virtual bool GetExpandOnDblClick() const { return Expandable(); }
  void Expand(bool ARecursive);
  void Collapse(bool ARecursive);
  virtual void RefreshRecordInfo();
  bool Selected() const;
  bool Focused() const;
  bool DrawnSelected() const;
  void SetSelected(bool Value);
  // True when this record closes the group ALevel levels above it.
  bool IsParentRecordLast(int ALevel) const;
  // Repaints the record, or only AItem's cell.
  void Invalidate(TcxCustomGridTableItem* AItem = nullptr);
  // The expansion keys; a handled key is not seen again by the key press that follows it.
  void KeyDown(WORD& Key, TShiftState Shift);
  void KeyPress(Char& Key);

 protected:
  virtual void DoExpand(bool) {}
  virtual void DoCollapse(bool) {}
  const TcxRowInfo& RowInfo() const { return rowInfo_; }

 private:
  TcxCustomGridTableViewData* viewData_;
  int index_;
  TcxRowInfo rowInfo_;
};

class TcxGridDataRow : public TcxCustomGridRecord {
  TRENVIK_CLASS(TcxGridDataRow, TcxCustomGridRecord);

 public:
  using TcxCustomGridRecord::TcxCustomGridRecord;
  bool HasCells() const override { return true; }
};

class TcxGridGroupRow : public TcxCustomGridRecord {
  TRENVIK_CLASS(TcxGridGroupRow, TcxCustomGridRecord);

 public:
  using TcxCustomGridRecord::TcxCustomGridRecord;
  bool Expandable() const override { return true; }
  bool Expanded() const override { return RowInfo().Expanded; }
  bool IsData() const override { return false; }
  bool IsParent() const override;
  // "<caption of the grouping item> : <value>", then the group summary when there is one.
  String DisplayText() const;

 protected:
  void DoExpand(bool ARecursive) override;
  void DoCollapse(bool ARecursive) override;
};

// One slot per visible row, filled on first request, emptied by every rebuild of the rows.
class TcxCustomGridTableViewData : public TcxCustomGridViewData {
  TRENVIK_CLASS(TcxCustomGridTableViewData, TcxCustomGridViewData);

 public:
  explicit TcxCustomGridTableViewData(TcxCustomGridView* AGridView) : TcxCustomGridViewData(AGridView) {}

  TcxCustomGridTableView* TableView() const { return static_cast<TcxCustomGridTableView*>(GridView()); }
  int RecordCount() const { return static_cast<int>(records_.size()); }
  TcxCustomGridRecord* Records(int AIndex);
  TcxCustomGridRecord* GetRecordByIndex(int AIndex);
  // The record of a record index, the new-item record for the data controller's new-item record
  // index; nil for an index the data does not hold (any more).
  TcxCustomGridRecord* GetRecordByRecordIndex(int ARecordIndex);
  TcxCustomGridRecord* NewItemRecord() const { return newItemRecord_.get(); }
  virtual bool HasNewItemRecord() { return false; }
  // Makes or drops the new-item record after the option that asks for it changed.
  void CheckNewItemRecord();
  bool IsRecordIndexValid(int AIndex) const { return AIndex >= 0 && AIndex < RecordCount(); }
  int CreatedRecordCount() const;
  void Refresh(int ARecordCount);
  void RefreshRecords();
  void Expand(bool ARecursive);
  void Collapse(bool ARecursive);
  // A key a record acted on, whose character must not reach the record focused afterwards: the
  // action may have rebuilt the records, so the mark is kept here and not by the record.
  bool KeyHandled = false;

 protected:
  void ExpandAllGroups();
  virtual std::unique_ptr<TcxCustomGridRecord> CreateRecord(int AIndex, const TcxRowInfo& ARowInfo);
  virtual std::unique_ptr<TcxCustomGridRecord> CreateNewItemRecord();

 private:
  std::vector<std::unique_ptr<TcxCustomGridRecord>> records_;
  std::vector<int> createdIndexes_;
  std::unique_ptr<TcxCustomGridRecord> newItemRecord_;
};

constexpr int htRecord = 101;

// A point over a record: the record is held by its view data and index, so a rebuild of the rows
// leaves no dangling pointer behind.
class TcxGridRecordHitTest : public TcxCustomGridViewHitTest {
  TRENVIK_CLASS(TcxGridRecordHitTest, TcxCustomGridViewHitTest);

 public:
  TcxGridRecordHitTest() = default;
  int HitTestCode() const override { return htRecord; }
  TcxCustomGridRecord* GridRecord() const;
  void SetGridRecord(TcxCustomGridRecord* Value);
  int GridRecordIndex() const { return gridRecordIndex_; }

 private:
  TcxCustomGridTableViewData* viewData_ = nullptr;
  int gridRecordIndex_ = -1;
};
