// TDataSet: a cursor over records, with the framework's states, record-buffer window, events and
// notifications to data sources and their links.
//
// Records live in an in-memory TRecordStore that descendants fill (InternalOpen) and whose edits
// they resolve against their source (ResolveInsert / ResolveUpdate / ResolveDelete). Everything
// else -- navigation, buffers, bookmarks, Locate, filters, sorting, calculated and lookup fields,
// notifications -- is done here, the same for every kind of dataset.
//
// Notification order follows the framework (the controls' guards depend on it):
//   Open     BeforeOpen, deUpdateState (links: ActiveChanged), AfterOpen, AfterScroll
//   MoveBy   BeforeScroll, deDataSetScroll(-shift) or deDataSetChange, AfterScroll
//   First/Last  BeforeScroll, deDataSetChange, AfterScroll
//   Insert   BeforeInsert, BeforeScroll, deUpdateState, OnNewRecord, deDataSetChange, AfterInsert,
//            AfterScroll
//   Edit     BeforeEdit, deUpdateState, deRecordChange, AfterEdit
//   Post     deUpdateRecord, deCheckBrowseMode, BeforePost, (resolve), deUpdateState,
//            deDataSetChange, AfterPost
//   Cancel   deCheckBrowseMode, BeforeCancel, deUpdateState, deDataSetChange, AfterCancel
//   Delete   deCheckBrowseMode, BeforeDelete, BeforeScroll, (resolve), deUpdateState (when it was
//            editing), deDataSetChange, AfterDelete, AfterScroll
//   Close    BeforeClose, deUpdateState, AfterClose
// While controls are disabled, links get nothing but deDisabledStateChange (Info 1 active,
// 0 inactive) for state changes; the last EnableControls sends deUpdateState when the state
// changed meanwhile and then one deDataSetChange (deLayoutChange when the layout changed).
#pragma once

#include <algorithm>
#include <deque>
#include <functional>
#include <memory>
#include <vector>

#include "platform/classes/Component.h"
#include "platform/data/DBTypes.h"
#include "platform/data/FieldDefs.h"
#include "platform/data/Fields.h"
#include "platform/data/RecordStore.h"
#include "platform/rtl/Variant.h"

class TDataSet;
class TDataSource;
class TDataLink;
class TField;
class TFilterExpression;

// A record position: its bytes order like the positions of the original (unsorted) result.
using TBookmark = AnsiString;
using TBookmarkStr = AnsiString;

using TDataSetNotifyEvent = std::function<void(TDataSet* DataSet)>;
using TFilterRecordEvent = std::function<void(TDataSet* DataSet, bool& Accept)>;
using TDataSetErrorEvent = std::function<void(TDataSet* DataSet, EDatabaseError& E, TDataAction& Action)>;

// One key of a sort order over store columns.
struct TSortKey {
  int Column = 0;
  bool Descending = false;
  bool CaseInsensitive = false;
};

class TDataSet : public TComponent {
  TRENVIK_CLASS(TDataSet, TComponent);

 public:
  explicit TDataSet(TComponent* AOwner);
  // Closes and detaches data sources, fields and lookups.
  ~TDataSet() override;

  // ---- State ----
  bool Active() const { return state_ != dsInactive; }
  void SetActive(bool Value);
  void Open() { SetActive(true); }
  void Close() { SetActive(false); }
  TDataSetState State() const { return state_; }
  bool Bof() const { return bof_; }
  bool Eof() const { return eof_; }
  bool IsEmpty() const { return Active() && bof_ && eof_; }
  bool Modified() const { return modified_; }
  // Open, not read-only and the descendant allows edits.
  bool CanModify() const;
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool Value);
  bool IsUnidirectional() const { return false; }
  // Record numbers are positions (always so here).
  virtual bool IsSequenced() const { return true; }

  // ---- Controls ----
  void DisableControls();
  void EnableControls();
  bool ControlsDisabled() const { return disableCount_ != 0; }

  // ---- Navigation ----
  void First();
  void Last();
  void Next() { MoveBy(1); }
  void Prior() { MoveBy(-1); }
  // The number of records actually moved (negative backwards).
  int MoveBy(int Distance);
  // Records visible through the filter.
  int RecordCount() const;
  // 1-based position of the current record; -1 when closed or empty or inserting.
  int RecNo() const;
  void SetRecNo(int Value);

  // The values of an integer data field of this dataset for every visible record, in cursor order,
  // read from the stored records without moving the cursor. False, Values unspecified, when the
  // field is no such field, a value is Null, or a record is being edited or inserted.
  bool ReadIntegerColumn(const TField* Field, std::vector<Int64>& Values) const;

  // ---- Editing ----
  void Insert();
  void Append();
  void Edit();
  void Post();
  void Cancel();
  void Delete();
  // Posts a pending edit (or insert).
  void CheckBrowseMode();
  // Asks the links to write their controls' values into the record (deUpdateRecord). Raises
  // "Dataset not in edit or insert mode" outside the write states.
  void UpdateRecord();
  // Re-reads the records; the current record stays current when it still exists.
  void Refresh();
  // Refills the buffer window around the current record and tells the links (deDataSetChange).
  void Resync(TResyncMode Mode);
  // Grows whenever the records the dataset shows, their order or their values may have changed:
  // open, close, refresh, post, delete, insert and its cancel, an edit's cancel, sort, filter,
  // index and range changes, every write into the store, and a Resync of a dataset with
  // calculated or lookup fields (their values are read again). Moving the cursor (Locate,
  // GotoBookmark, MoveBy, a plain Resync) leaves it alone, so a control that copied the records can
  // tell a change announcement that only moved the cursor from one that changed what it copied.
  UInt64 ContentGeneration() const { return generation_ + orderGeneration_ + store_.Generation(); }
  // The part of ContentGeneration that a new order or a new filtered view of the same stored
  // records leaves alone: it grows when records are stored, removed or given other values. A control
  // that finds it unchanged can rearrange what it copied instead of copying it again.
  UInt64 ValuesGeneration() const { return generation_ + store_.Generation(); }
  // Insert/Append followed by assigning the values to the fields in order (Empty skips one) and Post.
  void InsertRecord(const std::vector<Variant>& Values);
  void AppendRecord(const std::vector<Variant>& Values);
  // Edit, assign, Post.
  void SetFields(const std::vector<Variant>& Values);
  // Clears every field of the record being edited.
  void ClearFields();

  // ---- Bookmarks ----
  // Empty when there is no current record.
  TBookmark GetBookmark() const;
  // Raises EDatabaseError "Record not found" for a bookmark of no visible record.
  void GotoBookmark(const TBookmark& Bookmark);
  void FreeBookmark(TBookmark& Bookmark) { Bookmark.clear(); }
  TBookmarkStr Bookmark() const { return GetBookmark(); }
  void SetBookmark(const TBookmarkStr& Value) { GotoBookmark(Value); }
  bool BookmarkAvailable() const;
  bool BookmarkValid(const TBookmark& Bookmark) const;
  // Order of the records' positions in the current order; empty bookmarks come first.
  int CompareBookmarks(const TBookmark& Bookmark1, const TBookmark& Bookmark2) const;

  // ---- Search ----
  // KeyFields "A;B;C" with one value (one field) or a variant array (several). A Null value finds
  // null fields. loCaseInsensitive compares text ignoring case (Cyrillic too), loPartialKey finds
  // text starting with the value. Found: the record becomes current, centred in the window.
  bool Locate(const String& KeyFields, const Variant& KeyValues, TLocateOptions Options);
  // The ResultFields value(s) of the first record matching exactly; Null when none. The cursor
  // does not move.
  Variant Lookup(const String& KeyFields, const Variant& KeyValues, const String& ResultFields);
  // One field: its value; several ("A;B"): a variant array of their values.
  Variant FieldValues(const String& FieldNames) const;
  void SetFieldValues(const String& FieldNames, const Variant& Value);

  // ---- Fields ----
  TFields* Fields() { return &fields_; }
  const TFields* Fields() const { return &fields_; }
  int FieldCount() const { return fields_.Count(); }
  TField* FindField(const String& FieldName) const { return fields_.FindField(FieldName); }
  TField* FieldByName(const String& FieldName) const;
  TField* FieldByNumber(int FieldNo) const { return fields_.FieldByNumber(FieldNo); }
  // The fields named in "A;B;C"; raises "Field '%s' not found" for an unknown name.
  void GetFieldList(std::vector<TField*>& List, const String& FieldNames) const;
  std::vector<String> GetFieldNames() const;
  TFieldDefs* FieldDefs() { return fieldDefs_.get(); }
  // True when the fields were created by the dataset at open (no persistent fields).
  bool DefaultFields() const { return defaultFields_; }
  // Calculated fields are recomputed on every field change of the edited record (not only on fetch).
  bool AutoCalcFields() const { return autoCalcFields_; }
  void SetAutoCalcFields(bool Value) { autoCalcFields_ = Value; }

  // ---- Filter ----
  const String& Filter() const { return filterText_; }
  // Parses the expression at once; a syntax error raises EDatabaseError and keeps the old filter.
  void SetFilter(const String& Value);
  bool Filtered() const { return filtered_; }
  void SetFiltered(bool Value);
  TFilterOptions FilterOptions() const { return filterOptions_; }
  void SetFilterOptions(TFilterOptions Value);

  // ---- Data sources and links ----
  // The master data source of a detail dataset; nullptr for others.
  virtual TDataSource* GetDataSource() const { return nullptr; }
  // This dataset is (through masters) a detail of DataSource.
  bool IsLinkedTo(TDataSource* DataSource) const;
  // Buffer window, as TDataLink sees it.
  int ActiveRecord() const { return activeRecord_; }
  int BufferCount() const { return bufferCount_; }
  // Sends a notification to the data sources (and handles the dataset's side of it).
  virtual void DataEvent(TDataEvent Event, std::intptr_t Info);
  // Recomputes the buffer window size from the links.
  void UpdateBufferCount();

  // ---- Field values (used by TField) ----
  // The value of a field in the record the state designates; false (and Null) for null.
  virtual bool GetFieldData(const TField* Field, Variant& Value) const;
  // The same answers without building a Variant: whether the value is null, and a text value
  // straight from the store (a copy through a Variant per read dominated loading big lists).
  bool IsFieldDataNull(const TField* Field) const;
  bool GetFieldText(const TField* Field, String& Text) const;
  // Stores an already converted value: checks state and read-only, runs OnValidate, then OnChange
  // and deFieldChange (not in calculation states).
  virtual void SetFieldData(TField* Field, const Variant& Value);
  // The value stored before the current edit.
  Variant GetOldFieldValue(const TField* Field) const;
  // The stored values of a data field in every record the cursor can reach, in their order (an
  // edit not yet posted is not among them). Aggregate fields total them.
  std::vector<Variant> ViewValues(const TField* Field) const;

  // ---- Events ----
  TDataSetNotifyEvent BeforeOpen, AfterOpen, BeforeClose, AfterClose;
  TDataSetNotifyEvent BeforeInsert, AfterInsert, BeforeEdit, AfterEdit;
  TDataSetNotifyEvent BeforePost, AfterPost, BeforeCancel, AfterCancel;
  TDataSetNotifyEvent BeforeDelete, AfterDelete, BeforeScroll, AfterScroll;
  TDataSetNotifyEvent BeforeRefresh, AfterRefresh;
  TDataSetNotifyEvent OnNewRecord, OnCalcFields;
  TFilterRecordEvent OnFilterRecord;
  TDataSetErrorEvent OnPostError, OnDeleteError, OnEditError;

 protected:
  // ==== Interface for descendants that fetch and resolve records ====

  // Fills FieldDefs() from the source. Called before opening and by FieldDefs()->Update().
  // The default keeps the definitions given in code.
  virtual void InternalInitFieldDefs() {}
  // Fills Store(), whose columns are the field definitions in order. Raise to fail the open.
  virtual void InternalOpen() {}
  virtual void InternalClose() {}
  // Re-reads the records into Store() (Store().Clear() first, or updates rows in place). The
  // current record stays current when its row id is still live.
  virtual void InternalRefresh() {}
  // Resolution: called by Post and Delete before the store changes. Raise to refuse: the dataset
  // stays in its state. Values may be changed (an identity read back, defaults filled by the source).
  virtual void ResolveInsert(TRecordValues& Values);
  // Values.Row is the row; Store() still holds its old values.
  virtual void ResolveUpdate(TRecordValues& Values);
  virtual void ResolveDelete(TRecordId Row);
  // False refuses edits without being read-only (a descendant's own read-only modes).
  virtual bool GetCanModify() const { return true; }

  TRecordStore& Store() { return store_; }
  const TRecordStore& Store() const { return store_; }
  // The live rows in cursor order (sorting applied, filter not).
  const std::vector<TRecordId>& Order() const { return order_; }
  // The row of the current record; kNoRecord when none or while inserting.
  TRecordId CurrentRow() const;
  // The row at a visible position (0 <= Pos < RecordCount()).
  TRecordId VisibleRow(Int64 Pos) const { return View()[static_cast<std::size_t>(Pos)]; }
  // The store column of a data field; -1 for other fields.
  static int FieldColumn(const TField* Field);

  // Sorting: the records are ordered by the keys (stable; no keys: by row id, i.e. fetch order);
  // posted records take their place. Keeps the current record and tells the links.
  void SetSortKeys(std::vector<TSortKey> Keys);
  const std::vector<TSortKey>& SortKeys() const { return sortKeys_; }
  // <0, 0, >0 by the keys (first KeyCount of them; -1: all). Null before any value; text by the
  // locale's collation (ignoring case for CaseInsensitive keys).
  int CompareRows(TRecordId A, TRecordId B, const std::vector<TSortKey>& Keys, int KeyCount = -1) const;
  // Compares a row with key values on the first Values.size() keys; PartialLast compares the last
  // text key as a prefix.
  int CompareRowWithKey(TRecordId Row, const std::vector<Variant>& Values, const std::vector<TSortKey>& Keys,
                        bool PartialLast) const;
  // The first visible position whose row is not before the key values in the sort order
  // (RecordCount() when none). The sort keys must be set.
  Int64 LowerBound(const std::vector<Variant>& Values, bool PartialLast) const;
  // Makes the visible position current (centred, deDataSetChange, scroll events).
  void GotoPosition(Int64 Position);

  // Temporary states for reading another buffer (dsSetKey, dsCalcFields, dsFilter ...).
  TDataSetState SetTempState(TDataSetState Value);
  void RestoreState(TDataSetState Value);
  void SetState(TDataSetState Value);
  // The key buffer read and written in dsSetKey (one value per store column).
  TRecordValues& KeyBuffer() { return keyBuffer_; }
  void CheckActive() const;
  void CheckInactive() const;
  void CheckCanModify() const;

  // Event runners; descendants may add their own work around them.
  virtual void DoBeforeOpen();
  virtual void DoAfterOpen();
  virtual void DoBeforeClose();
  virtual void DoAfterClose();
  virtual void DoBeforeScroll();
  virtual void DoAfterScroll();
  virtual void DoOnNewRecord();
  virtual void DoOnCalcFields();

  void Notification(TComponent* AComponent, TOperation Operation) override;
  void Loaded() override;
  // Persistent fields owned by Root are streamed as the dataset's children.
  void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;
  void SetChildOrder(TComponent* Child, int Order) override;

 private:
  friend class TField;
  friend class TFields;
  friend class TFieldDefs;
  friend class TDataSource;
  friend class TDataLink;
  friend class TDataSetProvider;
  struct TBuffer {
    TRecordId Row = kNoRecord;  // kNoRecord: the record being inserted
    Int64 Pos = 0;              // position in the visible records (the inserted one: where it goes)
    std::vector<Variant> Calc;  // calculated and lookup field values
  };
  struct TRecordRef {
    TRecordId Row = kNoRecord;
    TRecordValues* Edit = nullptr;
    std::vector<Variant>* Calc = nullptr;
  };

  // Opening and closing.
  void OpenCursor();
  void CloseCursor();
  void CreateDefaultFields();
  void BindFields(bool Binding);
  void DestroyDefaultFields();
  void AddField(TField* Field);
  void RemoveField(TField* Field);
  void FieldListChanged();

  // Buffers.
  const std::vector<TRecordId>& View() const { return filtered_ ? view_ : order_; }
  Int64 ViewSize() const { return static_cast<Int64>(View().size()); }
  void ClearBuffers();
  void SetBufferCount(int Value);
  bool GetNextRecord();
  bool GetPriorRecord();
  void GetNextRecords();
  void GetPriorRecords();
  TBuffer MakeBuffer(TRecordId Row, Int64 Pos);
  // Fills the window around the visible position Pos with up to Before records before it.
  void FillWindowAt(Int64 Pos, int Before);
  // FillWindowAt and deDataSetChange.
  void ResyncAt(Int64 Pos, int Before);
  Int64 CurrentPos() const;
  TRecordRef CurrentRef() const;
  Int64 PositionOfRow(TRecordId Row) const;
  // The order or the filtered view changed: positions are stale and the content is new.
  void OrderChanged() { OrderChangedFrom(0); }
  // The same, with the records before the visible position Pos where they were (a record removed
  // or inserted there): their positions stay known.
  void OrderChangedFrom(Int64 Pos) {
    positionsKnownBefore_ = std::min(positionsKnownBefore_, static_cast<std::size_t>(std::max<Int64>(Pos, 0)));
    ++orderGeneration_;
  }

  // Editing.
  void BeginInsertAppend();
  void EndInsertAppend();
  void StartEditValues(TRecordId Row);
  void CheckRequiredFields();
  // Resolves and stores the record being posted; the result is its visible position.
  Int64 PostValues();
  Int64 InsertRowInOrder(TRecordId Row, Int64 RequestedPos);
  void RemoveRowFromOrder(TRecordId Row, Int64 ViewPos);
  void UpdateCalcFields();
  void GetCalcFields(std::vector<Variant>& Calc, TRecordId Row, TRecordValues* Edit);
  Variant ReadFieldOfRow(const TField* Field, TRecordId Row);
  template <class F>
  void WithRetry(const TDataSetErrorEvent& Handler, F Operation);

  // Filtering and sorting.
  void RebuildOrder();
  void CompileFilter();
  void ApplyFilter();
  bool RowPassesFilter(TRecordId Row);
  void SortOrder();
  int CompareCells(TRecordId A, TRecordId B, const TSortKey& Key) const;

  // Searching: the first visible position matching, or -1.
  Int64 FindRecord(const std::vector<TField*>& Fields, const Variant& Values, TLocateOptions Options);

  TDataSetState state_ = dsInactive;
  bool bof_ = true;
  bool eof_ = true;
  bool modified_ = false;
  bool readOnly_ = false;
  bool autoCalcFields_ = true;
  bool defaultFields_ = false;
  bool streamedActive_ = false;
  bool internalOpenComplete_ = false;

  TFields fields_;
  std::unique_ptr<TFieldDefs> fieldDefs_;
  std::vector<TDataSource*> dataSources_;
  int calcSlots_ = 0;

  TRecordStore store_;
  std::vector<TRecordId> order_;
  std::vector<TRecordId> view_;
  // A row's visible position, right for the rows at positions below positionsKnownBefore_; an entry
  // is trusted only when the view still holds its row there.
  mutable std::vector<Int64> rowPositions_;
  mutable std::size_t positionsKnownBefore_ = 0;
  std::vector<TSortKey> sortKeys_;
  // Changes not written into the store: the record being inserted, calculated values read again
  // (generation_), and the order or filtered view (orderGeneration_); with the store's own count
  // they make ContentGeneration.
  UInt64 generation_ = 0;
  UInt64 orderGeneration_ = 0;

  std::deque<TBuffer> buffers_;
  int bufferCount_ = 1;
  int activeRecord_ = 0;

  TRecordValues edit_;
  Int64 insertPos_ = 0;
  bool appending_ = false;
  TRecordValues keyBuffer_;
  // The record read in the temporary states (dsCalcFields, dsFilter).
  TRecordRef temp_;

  int disableCount_ = 0;
  TDataSetState disableState_ = dsInactive;
  TDataEvent enableEvent_ = deDataSetChange;

  String filterText_;
  bool filtered_ = false;
  TFilterOptions filterOptions_;
  std::unique_ptr<TFilterExpression> filterExpr_;
};
