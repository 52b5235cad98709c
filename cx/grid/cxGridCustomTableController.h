// The controller of record-based views: the focused record and item, the top record, keyboard
// navigation, incremental search, multi-selection, record insertion and deletion. It asks the
// records' layout only through IcxGridRecordsLayout.
#pragma once

#include <memory>

#include "cx/grid/cxGrid.h"
#include "cx/grid/cxGridCustomTableView.h"
#include "cx/grid/cxGridRows.h"
#include "cx/grid/cxGridTableViewInfo.h"

class TcxGridEditingController;
class TTimer;

// What the record controllers ask of the layout of a record-based view; the view information that
// lays the records out implements it.
class IcxGridRecordsLayout {
 public:
  // Records shown whole from the top record on, as last laid out.
  virtual int VisibleRecordCount() = 0;
  // Every record has one height: counting needs no scratch layout.
  virtual bool IsEqualHeightRecords() = 0;
  // How many records of that one height fit in the rows area.
  virtual int GetEqualHeightRecordCount() = 0;
  // Records that fit whole when laid out from AFirstIndex downward (upward to it when not ADown).
  virtual int CalculateVisibleRecordCount(int AFirstIndex, bool ADown) = 0;
  // The area the records are laid out in (pull focusing compares the mouse with it).
  virtual RECT RecordsBounds() = 0;
  // Where the editor of AItem's cell in the focused record goes; False when that cell is not laid out.
  virtual bool GetFocusedCellEditBounds(TcxCustomGridTableItem* AItem, RECT& ABounds) = 0;

 protected:
  ~IcxGridRecordsLayout() = default;
};

// Drag scrolling and pull focusing directions.
enum TcxGridScrollDirection { gsdNone, gsdLeft, gsdRight, gsdUp, gsdDown };

// A record's expand button under a dragged object: resting there expands the record.
class TcxGridDragOpenInfoExpand : public TcxCustomGridDragOpenInfo {
  TRENVIK_CLASS(TcxGridDragOpenInfoExpand, TcxCustomGridDragOpenInfo);

 public:
  // The record is kept by its data record: the rows may be rebuilt during the wait.
  TcxGridDragOpenInfoExpand(TcxCustomGridTableView* AView, int ARecordIndex) : view_(AView), recordIndex_(ARecordIndex) {}
  bool Equals(TcxCustomGridDragOpenInfo* AInfo) override;
  void Run() override;

 private:
  TcxCustomGridTableView* view_;
  int recordIndex_;
};

class TcxCustomGridTableController : public TcxCustomGridController, public IcxGridTableControllerState {
  TRENVIK_CLASS(TcxCustomGridTableController, TcxCustomGridController);

 public:
  explicit TcxCustomGridTableController(TcxCustomGridView* AGridView);
  ~TcxCustomGridTableController() override;

  TcxCustomGridTableView* GridView() const { return static_cast<TcxCustomGridTableView*>(inherited::GridView()); }
  TcxCustomGridTableViewData* ViewData() const { return GridView()->ViewData(); }
  TcxGridEditingController* EditingController() const { return editingController_.get(); }
  // Nil while the view's layout does not lay records out.
  virtual IcxGridRecordsLayout* Layout() const;

  TcxCustomGridTableItem* FocusedItem() const { return focusedItem_; }
  void SetFocusedItem(TcxCustomGridTableItem* AItem);
  TcxCustomGridRecord* FocusedRecord() { return GetFocusedRecord(); }
  int FocusedRecordIndex() { return DataController()->GetFocusedRowIndex(); }
  int TopRecordIndex() const { return topRecordIndex_; }
  void SetTopRecordIndex(int Value);
  bool IsEditing() const;
  TcxCustomGridTableItem* IncSearchingItem();
  String IncSearchingText();
  bool IsIncSearching();
  int SelectedRecordCount() { return DataController()->GetSelectedCount(); }
  TcxCustomGridRecord* SelectedRecords(int AIndex);
  bool MultiSelect() { return GridView()->OptionsSelection()->MultiSelect(); }
  bool EditorShowAllowed() const { return allowEditorShow_; }
  void SetEditorShowAllowed(bool Value) { allowEditorShow_ = Value; }
  void MarkEditorShowPending() { editorShowPending_ = true; }
  bool IsEditorShowPending() const { return editorShowPending_; }
  void ClearEditorShowPending() { editorShowPending_ = false; }
  // Set while a press on a data cell focuses its record and item (the press decides about the editor).
  bool IsProcessingCellMouseDown() const { return processingCellMouseDown_; }
  void SetProcessingCellMouseDown(bool Value) { processingCellMouseDown_ = Value; }

  // What the layout and the painters read.
  int GetTopRecordIndex() override { return topRecordIndex_; }
  int GetLeftPos() override { return 0; }
  TcxCustomGridTableItem* GetFocusedItem() override { return focusedItem_; }
  TcxCustomGridTableItem* GetEditingItem() override;
  TcxCustomGridTableItem* GetIncSearchingItem() override { return IncSearchingItem(); }
  String GetIncSearchingText() override { return IncSearchingText(); }
  void CheckCoordinates() override { ValidateTopRecordIndex(); }
  void LayoutCalculated() override;

  // Base controller overrides.
  void BeforePaint() override;
  void AfterPaint() override;
  void DoExit() override;
  void FocusLost() override;
  void FocusGained() override;
  void ControlFocusChanged() override;
  void CancelMode() override;
  void BeginDragAndDrop() override;
  void EndDragAndDrop(bool Accepted) override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void DoKeyDown(WORD& Key, TShiftState Shift) override { HandleKeyDown(Key, Shift); }
  void KeyPress(Char& Key) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  // Records dragged from the view and objects dragged over it.
  void BeforeStartDrag() override;
  bool CanBeginDrag(int X, int Y) override;
  void DragDrop(TObject* Source, int X, int Y) override;
  void DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept) override;
  void EndDrag(TObject* Target, int X, int Y) override;
  void StartDrag(TDragObject*& DragObject) override;
  virtual TcxGridScrollDirection GetDragScrollDirection(int X, int Y);
  virtual std::unique_ptr<TcxCustomGridDragOpenInfo> GetDragOpenInfo(TcxCustomGridHitTest* AHitTest);
  // The record under a dragged object while DragHighlighting is on; nil when none.
  TcxCustomGridRecord* DragHighlightedRecord();
  void SetDragHighlightedRecord(TcxCustomGridRecord* ARecord);
  bool IsDragScrolling() const { return dragScrollTimer_ != nullptr; }

  virtual bool CanAppend();
  virtual bool CanDelete();
  virtual bool CanInsert();
  virtual void EnsureEditorShown();
  virtual void CheckTopRecordIndex(int& AIndex);
  virtual void FocusedItemChanged(TcxCustomGridTableItem* APrevFocusedItem);
  // A record was inserted and nothing was typed into it yet.
  virtual bool CancelOnExitNeeded();
  virtual TcxCustomGridRecord* GetFocusedRecord();
  virtual bool IsRecordsScrollHorizontal() = 0;
  virtual bool HasLeadingExtraRow();
  virtual bool HasTrailingExtraRow();
  virtual int GetVisibleRecordCount(int AFirstIndex, bool ADown);
  virtual void FocusRecordObject(TcxCustomGridRecord* ARecord);
  virtual bool CanMultiSelect(bool ACheckFocused);
  virtual bool IsMultiSelectHit(TcxCustomGridHitTest* AHitTest);
  bool IsKeyForMultiSelect(WORD AKey, TShiftState AShift, bool AFocusedRecordChanged);
  void ClearMouseDownSelection();
  void InvalidateFocusedRecord();
  void InvalidateSelection();
  virtual bool IsSelectionKey(WORD AKey, TShiftState AShift, bool AFocusedRecordChanged);
  virtual void DoKeyboardSelection(WORD& Key, TShiftState Shift);
  virtual void DoMouseDownSelection(TcxCustomGridHitTest* AHitTest, TShiftState AShift);
  virtual void DoMouseUpSelection(TcxCustomGridHitTest* AHitTest, TShiftState AShift);
  // Keys the in-place editor passes on to the controller.
  virtual bool IsKeyForController(WORD AKey, TShiftState AShift);
  virtual void ScrollPageDown();
  virtual void ScrollPageUp();
  virtual TcxGridScrollDirection GetPullFocusingScrollDirection(int X, int Y, bool& AForward);
  virtual TcxCustomGridTableItem* GetIncSearchItem();
  virtual void IncSearchKeyDown(WORD& Key, TShiftState Shift);
  // The circular search over the visible items for one that can take the focus; -1 when none.
  virtual int FindNextItem(int AFromVisibleIndex, bool AGoForward, bool& ACycleChanged, bool AGoOnCycle);
  void ValidateTopRecordIndex() { SetTopRecordIndex(topRecordIndex_); }
  virtual void StartNewRecord(bool AAppend);
  virtual void DeleteRecords();
  virtual void MakeItemVisible(TcxCustomGridTableItem* AItem) = 0;
  // Scrolls the record into view, and in a detail its master record into the master's.
  virtual void MakeRecordVisible(TcxCustomGridRecord* ARecord);
  bool IsDetailCellPressing();
  virtual void HandleKeyDown(WORD& Key, TShiftState Shift);

  void FocusRecord(int AIndex);
  bool FocusNextRecord(int AIndex, bool AGoForward, bool AGoOnCycle, bool AGoIntoDetail);
  int FindNextRecord(int AIndex, bool AGoForward, bool AGoOnCycle, bool& ACycleChanged);
  bool FocusNextItem(int AFromVisibleIndex, bool AGoForward, bool AGoOnCycle, bool AGoToNextRecordOnCycle);
  bool FocusNextCell(bool AGoForward);
  void FocusFirstItem() { FocusNextItem(-1, true, false, false); }
  void MakeFocusedItemVisible() { MakeItemVisible(focusedItem_); }
  void MakeFocusedRecordVisible() { MakeRecordVisible(FocusedRecord()); }
  void SetIncSearchingText(const String& AText);
  void CancelIncSearching();
  void ClearSelection() { DataController()->ClearSelection(); }

  // What the view tells its controller.
  void FocusedRecordChanged();
  void ItemVisibilityChanged(TcxCustomGridTableItem* AItem, bool AVisible);
  virtual void ItemRemoved(TcxCustomGridTableItem* AItem);

 protected:
  void DoTopRecordIndexChanged();
  // Unselects ARecord when it is the only selected record and the option asks for it.
  void UnselectFocusedRecordOnExit(TcxCustomGridRecord* ARecord);
  // Posts a modified record or cancels an untouched inserted one before the focus moves on.
  bool SettlePendingEdit(int& AIndex, bool AGoForward);
  // Counts records while the layout may still wait in the queue: never loops on a stale layout.
  void MoveTopToShow(int ARecordIndex);

 private:
  void StartPullFocusing();
  void StopPullFocusing();
  void PullFocusingTimer(TObject* Sender);
  void StartDragScrolling(TcxGridScrollDirection ADirection);
  void StopDragScrolling();
  void DragScrollTimer(TObject* Sender);

  std::unique_ptr<TcxGridEditingController> editingController_;
  TcxCustomGridTableItem* focusedItem_ = nullptr;
  int topRecordIndex_ = -1;
  bool allowEditorShow_ = true;
  bool editorShowPending_ = false;
  bool processingCellMouseDown_ = false;
  bool checkingTopRecordIndex_ = false;
  bool selectionKeyHandled_ = false;
  bool mouseDownSelectionRemembered_ = false;
  int mouseDownSelectionRowIndex_ = -1;
  bool pullFocusing_ = false;
  bool pullFocusingForward_ = true;
  std::unique_ptr<TTimer> pullFocusingTimer_;
  // Kept by row: the record objects may be rebuilt during a drag.
  int dragHighlightedRow_ = -1;
  TcxGridScrollDirection dragScrollDirection_ = gsdNone;
  std::unique_ptr<TTimer> dragScrollTimer_;

 protected:
  // Set while the editing controller lets this controller handle Enter.
  bool forwardingEnter_ = false;
  friend class TcxGridEditingController;
};

// The table view's key ops need a tidy test of modifiers: exactly the given ones among Shift, Ctrl, Alt.
bool cxGridShiftIs(TShiftState AShift, TShiftState AExpected);
