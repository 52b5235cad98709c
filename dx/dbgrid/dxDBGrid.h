// The data-aware grid: dataset records as rows. Its option sets are mapped onto the engine's option
// words; three loading modes decide how records become nodes. Load-all mode (every record a node,
// each node carrying its record's key) is the people list's.
#pragma once

#include <deque>
#include <optional>
#include <string_view>
#include <unordered_map>

#include "dx/dbgrid/dxDBCtrl.h"
#include "dx/dbgrid/dxDBGridFilter.h"
#include "dx/dbgrid/dxDBGridLoadedContent.h"
#include "dx/dbgrid/dxDBGridOptions.h"
#include "dx/dbgrid/dxDBGridSummaryGroups.h"

class TCustomdxDBGrid;
class TdxDBGridFilterPopupListBox;

// What only a group row holds: the group's value and its summaries. Record rows, nearly all of a
// million, carry none of it.
struct TdxDBGridGroupData {
  Variant Value = Null();
  // The summary of the group column, in extended precision, and the records below.
  long double SummaryValue = 0;
  bool HasSummaryValue = false;
  int SummaryRecordCount = 0;
  // One entry per item of the level's summary group, made by the first value added.
  std::vector<TdxSummaryAccumulator> SummaryValues;
};

class TdxDBGridNode : public TdxDBTreeListControlNode {
  TRENVIK_CLASS(TdxDBGridNode, TdxDBTreeListControlNode);

 public:
  explicit TdxDBGridNode(TCustomdxTreeList* Owner) : TdxDBTreeListControlNode(Owner) {}
  void DeleteRecord() override;

  int RecordIndex = 0;
  // A node never written as a group reads an empty group (a Null value, no summaries).
  const TdxDBGridGroupData& Group() const;
  TdxDBGridGroupData& EditGroup();

 private:
  std::unique_ptr<TdxDBGridGroupData> group_;
};

// Every node of the grid is a TdxDBGridNode.
inline TdxDBGridNode* GridNode(TdxTreeListNode* Node) { return static_cast<TdxDBGridNode*>(Node); }

class TdxDBGridColumn : public TdxDBTreeListColumn {
  TRENVIK_CLASS(TdxDBGridColumn, TdxDBTreeListColumn);

 public:
  explicit TdxDBGridColumn(TComponent* AOwner) : TdxDBTreeListColumn(AOwner) {}
};

class TdxDBGridMaskColumn : public TdxDBTreeListMaskColumn {
  TRENVIK_CLASS(TdxDBGridMaskColumn, TdxDBTreeListMaskColumn);

 public:
  explicit TdxDBGridMaskColumn(TComponent* AOwner) : TdxDBTreeListMaskColumn(AOwner) {}
};

class TCustomdxDBGrid : public TCustomdxDBTreeListControl {
  TRENVIK_CLASS(TCustomdxDBGrid, TCustomdxDBTreeListControl);
  TRENVIK_MESSAGES(TCustomdxDBGrid);

 public:
  explicit TCustomdxDBGrid(TComponent* AOwner);
  ~TCustomdxDBGrid() override;

  // --- Option sets ---
  TdxDBGridOptionsBehavior OptionsBehavior() const { return optionsBehavior_; }
  void SetOptionsBehavior(TdxDBGridOptionsBehavior Value);
  TdxDBGridOptionsCustomize OptionsCustomize() const { return optionsCustomize_; }
  void SetOptionsCustomize(TdxDBGridOptionsCustomize Value);
  TdxDBGridOptionsDB OptionsDB() const { return optionsDB_; }
  void SetOptionsDB(TdxDBGridOptionsDB Value);
  TdxDBGridOptionsView OptionsView() const { return optionsView_; }
  void SetOptionsView(TdxDBGridOptionsView Value);
  TdxDBGridOptions Options() const { return TdxDBGridOptions::FromBits(options_); }
  void SetOptions(TdxDBGridOptions Value);
  TdxDBGridOptionsEx OptionsEx() const { return TdxDBGridOptionsEx::FromBits(optionsEx_); }
  void SetOptionsEx(TdxDBGridOptionsEx Value);
  bool PartialLoad() const { return optionsDB_.Contains(edgoPartialLoad); }
  void SetPartialLoad(bool Value);
  bool UseBookmarks() const { return optionsDB_.Contains(edgoUseBookmarks); }
  void SetUseBookmarks(bool Value);
  bool DefaultFields() const { return defaultFields_; }
  void SetDefaultFields(bool Value);
  int PartialLoadBufferCount() const { return partialLoadBufferCount_; }
  void SetPartialLoadBufferCount(int Value) { partialLoadBufferCount_ = Value; }
  bool ShowSummaryFooter() const { return ShowFooter(); }
  void SetShowSummaryFooter(bool Value) { SetShowFooter(Value); }
  const String& SummarySeparator() const { return summarySeparator_; }
  void SetSummarySeparator(const String& Value);

  // --- Loading modes ---
  bool CanUseDataSetWindow();
  bool IsPartialLoadMode() { return CanUseDataSetWindow() && PartialLoad(); }
  bool IsDataSetWindowMode() { return CanUseDataSetWindow() && !PartialLoad(); }
  bool IsLoadAllMode() { return !CanUseDataSetWindow(); }
  int GroupCount() const { return static_cast<int>(groupColumns_.size()); }
  // Records walked by the last load.
  int RecordCount() const { return recordCount_; }

  // --- The data-aware base's questions ---
  TdxDBTreeListControlDataLink* GetDataLink() const override { return dataLink_.get(); }
  void SetDataSource(TDataSource* Value);
  TDataSource* DataSource() const { return dataLink_->DataSource(); }
  bool GetDefaultFields() override { return defaultFields_; }
  bool IsCancelOnExit() override { return Options().Contains(egoCancelOnExit); }
  bool CanInsertRecords() override { return Options().Contains(egoCanInsert); }
  bool CanNavigate() override { return IsDataSetWindowMode() || Options().Contains(egoCanNavigation); }
  bool IsKeyFieldMissing() override { return !BoundKeyField() && !IsDataSetWindowMode(); }
  bool IsLoadAllRecords() override { return IsLoadAllMode(); }
  bool IsUseBookmarks() override { return UseBookmarks() || IsDataSetWindowMode(); }
  void SetInternalChange(bool Value) override { internalChange_ = Value; }
  bool IsInternalChange() override { return internalChange_ || locatingByKey_; }
  bool UseLocate();
  TClass GetDefaultColumnClass() const override { return TdxDBGridColumn::StaticClass(); }
  TClass GetColumnClassForField(TField* Field) const override;
  bool IsAutoSort() override { return IsLoadAllMode() && OptionsEx().Contains(egoAutoSort); }

  // --- Loading and record sync ---
  void ReloadGrid();
  virtual void ReloadNodes();
  void SyncFocusWithRecord();
  void FocusNodeByKey();
  // Moves the dataset to Node's record: by its key when ByLocate, else by its record distance from
  // the focused node, checked against the key when a key field is bound. False when not reached.
  bool LocateNodeRecord(TdxDBGridNode* Node, bool ByLocate);

  void DoLinkActive(bool Active) override;
  void DoDataChanged() override;
  void DoRecordChanged(TField* Field) override;
  void DoScroll(int Distance) override;
  void RefreshNodeFromRecord(TdxTreeListNode*& Node) override;
  void SetFocusedNode(TdxTreeListNode* Node, int Column, bool MakeVisible) override;
  void GetNodeVariant(TdxTreeListNode* Node, int Column, Variant& Value) override;
  void GetNodeString(TdxTreeListNode* Node, int Column, String& Text) override;
  void BeginNodeRead(TdxTreeListNode* Node) override;
  void EndNodeRead(TdxTreeListNode* Node) override;
  void UpdateVisibleRowCount() override;
  // A node stands for another record after every scroll in dataset-window mode.
  bool CanCacheRowHeight() override { return !IsDataSetWindowMode(); }
  // Rows wrap their text or size their preview to it: each row has the height of its record.
  bool HasVariableRowHeights();
  void SetFocusedAbsoluteIndex(int Index) override;
  bool IsFirstRow(TdxTreeListNode* Node) override;
  bool IsLastRow(TdxTreeListNode* Node) override;
  void GetVScrollInfo(int& Min, int& Max, int& Position, int& Page) override;
  void SetTopVisibleNode(TdxTreeListNode* Node) override;
  // In dataset-window mode the wheel moves the current record a row instead of scrolling.
  void MouseWheelScroll(bool Up, int Lines) override;
  // Partial-load mode: Direction 0 around the current record, 1 forward, 2 backward, 3 every record;
  // ScrollMode 0 keeps the focused row's distance from the top, 1 puts it at the top, 2 at the bottom.
  void LoadPartial(int Direction, int ScrollMode);
  bool BofLoaded() const { return bofLoaded_; }
  bool EofLoaded() const { return eofLoaded_; }
  String GetPreviewText(TdxTreeListNode* Node) override;
  String GetFooterCellText(TdxTreeListNode* Node, int Column, int FooterIndex) override;
  bool IsExistFooterCell(int Column) override;

  // --- Grouping (dxDBGridGrouping.cpp) ---
  TdxDBTreeListColumn* GetGroupColumn(int Level) const;
  // False when the column cannot be grouped (silently, as every refusal here).
  bool AddGroupColumn(int Index, TdxDBTreeListColumn* Column);
  void RemoveGroupColumn(int Index);
  void ClearGrouping();
  void ChangeColumnGroupIndex(TdxDBTreeListColumn* Column, int NewIndex) override;
  // Groups the columns by their GroupIndex, in numeric order, as levels 0, 1, 2, ...
  void Regroup();
  // Grouping changes inside the outermost bracket reload (or regroup) once, at its end.
  void BeginGroupUpdate();
  void EndGroupUpdate();
  virtual bool CanAddGroupColumn(TdxDBTreeListColumn* Column);
  // Searches FirstSibling's siblings from StartIndex for the group of Value: True when found
  // (Found the group), else Found is the sibling to insert a new group before (nullptr: append).
  bool FindGroupNode(TdxTreeListNode* FirstSibling, const Variant& Value, int StartIndex, bool Descending,
                     TdxTreeListNode*& Found);
  int CompareGroupValues(const Variant& A, const Variant& B);
  bool IsGroupNode(TdxTreeListNode* Node) override { return Node && Node->HasChildren(); }
  void ColumnSorted(TdxTreeListColumn* Column) override;
  void AddSortedColumn(TdxTreeListColumn* Column) override;
  void GetNodeSortValue(TdxTreeListNode* Node, int Column, Variant& Value) override;
  void ColumnFieldChanged(TdxDBTreeListColumn* Column) override;
  // A column leaving the grid (also while it is destroyed) leaves the grouping first.
  void RemoveColumn(TdxTreeListColumn* Column) override;
  void RefreshDataLayout() override;
  // The group row's text: the column's caption, " : ", the value, then the summary and a suffix.
  String GetGroupRowText(TdxDBGridNode* Node);
  String GroupSummaryText(TdxDBGridNode* Node, TdxDBTreeListColumn* Column);
  String GetGroupCellText(TdxDBGridNode* Node, int Column);
  // Group rows are never edited.
  void DoEditing(TdxTreeListNode* Node, bool& Allow) override;
  bool CanPlaceEditor() override;
  std::function<void(TObject* Sender, TdxDBTreeListColumn* Column, bool& Allow)> OnAddGroupColumn;
  std::function<void(TObject* Sender, TdxTreeListNode* Node, String& Text)> OnGetGroupRowSuffix;

  // --- Summary groups and group footer rows (dxDBGridSummaryItems.cpp, dxDBGridRowFooter.cpp) ---
  TdxDBGridSummaryGroups* SummaryGroups() const { return summaryGroups_.get(); }
  void SetSummaryGroups(TdxDBGridSummaryGroups* Value) { summaryGroups_->Assign(Value); }
  // The summary group of a group level: the one its column names, or the default group when the
  // column names none and has no summary of its own.
  TdxDBGridSummaryGroup* FindLevelSummaryGroup(int Level) const;
  bool IsRowFooterLevel(int Level) override;
  bool IsExistRowFooterCell(TdxTreeListNode* Node, int Column, int FooterIndex) override;
  // Per group level: empty when its summary group has no items, else for each column index the
  // first item with a kind shown under that column (-1: none). Rebuilt after the node cache is.
  const std::vector<std::vector<int>>& GroupSummaryCellMap();
  void ClearNodeCache() override;
  void ColumnNameChanged(const String& OldName, const String& NewName) override;
  double GetSummaryValueAsFloat(TdxDBGridNode* Node) const { return static_cast<double>(Node->Group().SummaryValue); }
  std::function<void(TObject* Sender, TdxTreeListNode* Group, long double& Value, TDataSet* DataSet)> OnGroupValue;

  // --- The group panel (dxDBGridGroupPanel.cpp) ---
  bool ShowGroupPanel() const { return showGroupPanel_; }
  void SetShowGroupPanel(bool Value);
  TColor GroupPanelColor() const { return groupPanelColor_; }
  void SetGroupPanelColor(TColor Value);
  TColor GroupPanelFontColor() const { return groupPanelFontColor_; }
  void SetGroupPanelFontColor(TColor Value);
  int GetGroupPanelHeight() override;
  // The panel's height for the current grouping, shown or not.
  int FullGroupPanelHeight();
  // Scrolls the rows area by the panel's height, down (Showing) or up, in growing steps that stop
  // after 400 ms; answers the distance moved (dxDBGridGroupPanelSlide.cpp).
  int SlideGroupPanel(bool Showing);
  int GetGroupIndent() override;
  // Box of the group column at Level, in client coordinates.
  RECT GetGroupBoxRect(int Level);
  // The level a column dropped at X would take: the first box whose middle lies right of X.
  int GetGroupDropPosition(int X);
  POINT GetGroupDropArrowsPoint(int Position);
  // The panel in client coordinates; the boxes lie relative to its top-left corner.
  RECT GetGroupPanelRect();
  // Mouse and dragging on the panel (dxDBGridGroupPanelDrag.cpp).
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  bool IsCustomizingHeaders() override;
  void CalcHeaderDropArrowsPos(POINT& ScreenPoint, TdxHeaderPosInfo* PosInfo, int DragIndex,
                               int PressedIndex) override;
  void GetDragCursor(POINT ClientPoint, TCursor& Cursor) override;
  void EndDragHeader(bool Accept) override;
  TdxDBTreeListColumn* PressedGroupColumn() const { return pressedGroupColumn_; }
  std::function<void(TObject* Sender, TdxDBTreeListColumn* Column, int Index, bool& Allow)> OnEndDragGroupColumn;

  // --- Deleting and keys (dxDBGridKeys.cpp) ---
  // The question before deleting, with egoConfirmDelete: False when the user cancels.
  bool ConfirmDelete();
  // Deletes every selected record (group rows left alone) and reloads once afterwards.
  void DeleteSelectedNodes() override;
  // Dataset-window mode: selects the records from the anchor to the first (Backward) or last one
  // (Count 0), or to Count records away from the current one.
  void SelectRangeByBookmarks(bool Backward, int Count);
  void KeyDown(WORD& Key, TShiftState Shift) override;

  // --- Column copies, focus reports and rows as text (dxDBGridColumnCopy.cpp, dxDBGridChangeNode.cpp,
  // dxDBGridCopyText.cpp) ---
  // The columns of Source copied, and Source's grouping taken over by column name.
  void AssignColumns(TCustomdxTreeListControl* Source) override;
  void BeginSelection() override;
  void EndSelection() override;
  void DoSelectedCountChange() override;
  // Fires OnChangeNodeEx when the focused row's key, level or selected state differs from the one
  // last reported.
  void ReportNodeChange();
  // Dataset-window mode: the dataset's records (every one, or the selected ones) as lines.
  void CopyAllToStrings(TStrings* Strings) override;
  void CopySelectedToStrings(TStrings* Strings) override;

  // --- Stored layout (dxDBGridLayout.cpp) ---
  void BeginLoadLayout(TdxRegIniWrapper* Wrapper) override;
  void EndLoadLayout(TdxRegIniWrapper* Wrapper) override;
  void LoadColumnLayout(TdxRegIniWrapper* Wrapper, const String& Section, TdxTreeListColumn* Column) override;
  void SaveColumnLayout(TdxRegIniWrapper* Wrapper, const String& Section, TdxTreeListColumn* Column) override;
  void LoadGeneralLayout(TdxRegIniWrapper* Wrapper, const String& Path) override;
  void SaveGeneralLayout(TdxRegIniWrapper* Wrapper, const String& Path) override;

  // --- Filtering (dxDBGridFiltering.cpp) ---
  // Created on first use.
  TdxDBGridFilter* Filter() const;
  void SetFilter(TdxDBGridFilter* Value) { Filter()->Assign(Value); }
  // Load-all mode hides the nodes failing the criteria while they are not empty.
  bool NodeFilterActive() const { return nodeFilterActive_; }
  void UpdateFilterState();
  virtual void FilterChanged();
  virtual void RefilterNodes();
  virtual void PrepareFilterCriteria();
  // Hides Node when it fails the filter, or (Node nullptr) refilters every record node, bringing
  // back the hidden ones that now pass. True when no node was hidden.
  virtual bool FilterNodes(TdxTreeListNode* Node, bool Recalc);
  virtual bool NodeMeetsFilter(TdxTreeListNode* Node);
  // The loaders' question for each new record node.
  virtual bool AcceptNodeByFilter(TdxTreeListNode* Node);
  // Announces the expression text and, with AutoDataSetFilter, hands it to the dataset.
  virtual void ApplyFilter();
  bool IsFilterActive() override;
  bool IsFiltered() override;
  String GetFilterText() override;
  String GetClearFilterCaption() override;
  bool IsFilterStatusVisible() override;
  int GetHeaderFilterButtonState(int Column) override;
  void ClearFilter() override;
  std::function<void(TObject* Sender, TDataSet* DataSet, const String& FilterText)> OnFilterChanged;
  // Supplies a column's drop-down values when the grid does not hold every record as a node.
  std::function<void(TObject* Sender, TdxDBTreeListColumn* Column, Variant& Value, String& DisplayText,
                     bool& RepeatEnumeration)>
      OnEnumFilterValues;

  // --- Export (dxGrExpt.cpp) ---
  // The grid as a BIFF4 worksheet; SaveAll exports every record even when rows are selected.
  void SaveToExcelFile(const String& FileName, bool SaveAll);

  // --- The column filter drop-down (dxDBGridFilterPopup.cpp) ---
  void ShowFilterDropDown(int ColumnIndex) override;
  TdxDBGridFilterPopupListBox* FilterDropDown() const;
  bool FilterDropDownVisible() const { return filterDropDownVisible_; }
  void SetFilterDropDownVisible(bool Value) { filterDropDownVisible_ = Value; }
  void CloseFilterDropDown(bool Accept);
  void WndProc(TMessage& Message) override;
  // Leaving a drag or sizing state closes the drop-down without choosing.
  void CancelDragSizing() override;

  TNotifyEvent OnClearNodeData;
  TNotifyEvent OnReloadGroupList;

 protected:
  TdxTreeListNode* CreateNode() override { return new TdxDBGridNode(this); }
  // The first load happens once the whole form is read.
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void DrawGroupPanel(TCanvas* Canvas, const RECT& Rect, HBRUSH Background, HBRUSH Header) override;

 private:
  friend class TdxDBGridNode;
  friend class TdxDBGridDataLink;
  // Writes the masters from a legacy set (0 Options, 1 OptionsEx), in the masters' setter order.
  void SetLegacyOptions(int Legacy, UInt64 Bits);
  void ApplyEngineMap(std::span<const TdxGridOptionMapping> Map, UInt64 Master);
  void RecomputeLegacy();
  void LoadAllRecords();
  void InsertRecordNode();
  void PrefillGroupValues(TdxDBGridNode* Node);
  bool IsUntouchedInsert();
  void DeleteByKey();
  bool HandleWindowKey(WORD Key, TShiftState Shift);
  bool HandleNodeKey(WORD Key, TShiftState Shift);
  void UngroupUnboundColumns();
  // After a reload: the first record of the current record's top-level group, when it is collapsed.
  void MoveToCollapsedGroupStart();
  void RegroupReload();
  // A data-set-changed refresh: the records are walked again only when the dataset's content
  // moved on since the load-all nodes were filled; a moved cursor only moves the focus.
  void RefreshForDataSetChange();
  TdxDBGridLoadedContent CurrentLoadInputs();
  // The dataset holds the loaded records in another order (dxDBGridReorder.cpp): the nodes are put
  // in that order by key; false, and the nodes as they were, when that cannot be shown to hold.
  bool CanReorderLoadedNodes();
  bool ReorderLoadedNodes();
  // Records, the record nodes, put in the dataset's order by one walk of it, each node's RecordIndex
  // set to its record's place. False, the nodes' indexes as they were, when a record has no node of
  // its key or a node no record.
  bool PutRecordNodesInDataSetOrder(std::vector<TdxTreeListNode*>& Records);
  // The integer keys of the dataset's records in its order; false when one is Null.
  bool ReadKeysInDataSetOrder(std::vector<Int64>& Keys);
  // Grouped (dxDBGridGroupedReorder.cpp): the groups stay with their expanded states, values and
  // summaries (the same records in them), and each group's record rows take the dataset's order.
  bool ReorderGroupedNodes();
  // What reordering and ungrouping the loaded nodes both need: a load-all grid whose nodes stand in
  // the dataset's order, with no handler, selection or editor that a reload would serve.
  bool CanRearrangeLoadedNodes();
  // The grouping went and the records did not change: the record rows become the roots again in
  // the dataset's order and only the group rows are freed. False, nothing changed, otherwise.
  bool UngroupLoadedNodes();
  // The root node of the dataset's current record found by its position, when the nodes still
  // stand for the dataset's records in its order and that node carries Key; else nullptr.
  TdxTreeListNode* CurrentRecordNode(const Variant& Key);
  // Grouped: the current record's row found down its group path; its group row when the record is
  // its group's first and its own row was not focused.
  TdxTreeListNode* GroupedNodeOfKey(const Variant& Key);
  // Smart refresh (dxDBGridSmartRefresh.cpp): the grid's data link, which lets a data-set change
  // that would reload everything refresh only the current record's node when that is possible.
  std::unique_ptr<TdxDBTreeListControlDataLink> NewDataLink();
  bool CanSmartRefresh();
  void SmartRefreshRecord();
  bool RefreshSmartly();
  // Dataset-window mode: the scroll bar moves the dataset (dxDBGridWindowScroll.cpp).
  void WMVScroll(TMessage& Message);
  // Dataset-window mode: the buffer as large as the rows that fit, one node per buffered record
  // (never fewer than one), the active record's row focused.
  void SyncWindowRows();
  int WindowRowCount();
  // With variable row heights: the buffer grown while another record's row fits under the rows,
  // then a last row that fits only partly given up again.
  void FitVariableWindowRows(int RowsHeight);
  void MatchNodesToWindow();
  int WindowRowsHeight();
  bool MoveToWindowRow(TdxTreeListNode* Node);
  TField* WindowRowField(TdxTreeListNode* Node, int Column);
  void GetWindowRowVariant(TdxTreeListNode* Node, int Column, Variant& Value);
  int PartialPageRows();
  int PartialBufferSize();
  TdxDBGridNode* AddPartialNode(bool AtFront, int Index);
  void LoadAllPartial(const AnsiString& Current);  // Current: the current record's bookmark
  void ExtendPartialForScroll(int Distance);

  // The group path found for the record placed last. Records of one group mostly come together, so
  // the next record's values are checked against it before any search. Valid while no group is
  // deleted.
  // A group row met in a load, by its parent and the exact value (an integer or a text) searched.
  struct TKnownGroupKey {
    const TdxTreeListNode* Parent = nullptr;
    TVarType Kind = 0;
    Int64 Number = 0;
    std::u16string_view Text;  // into the group value the entry was made for
    bool operator==(const TKnownGroupKey&) const = default;
  };
  struct TKnownGroupKeyHash {
    size_t operator()(const TKnownGroupKey& Key) const;
  };
  // The key of an exact group value; false for values of other kinds, which are always searched.
  static bool KnownGroupKeyOf(const TdxTreeListNode* Parent, const Variant& Value, TKnownGroupKey& Key);
  struct TGroupPathHint {
    std::vector<Variant> Values;
    std::vector<TdxTreeListNode*> Groups;
    // Group rows already found in this load: a value met again finds its group without a search.
    std::unordered_map<TKnownGroupKey, TdxTreeListNode*, TKnownGroupKeyHash> Known;
    std::deque<Variant> KnownValues;  // the texts the keys point into
  };
  // Grouping: the group path of the current record (or of Source's stored values), made where
  // missing; answers the innermost group node.
  TdxDBGridNode* PlaceInGroups(TdxDBGridNode* Source, int RecordIndex, TGroupPathHint* Hint = nullptr);
  Variant GroupPathValue(int Level, TdxDBGridNode* Source);
  TdxDBGridNode* MakeGroupNode(TdxTreeListNode* Parent, TdxTreeListNode* Before, int Level, const Variant& Value,
                               TdxDBGridNode* Source, int RecordIndex);
  void RenumberGroupColumns();
  bool IsOverGroupPanel(POINT Client);
  TdxDBTreeListColumn* GetGroupBoxColumnAt(POINT Client);
  POINT ClientCursor();
  bool GroupedFieldsChanged() const;
  // Group summaries of one record: added to every enclosing group (Source: a node's stored values).
  void BindGroupSummaryFields();
  void AccumulateGroupSummaries(TdxDBGridNode* Group, TdxDBGridNode* Source);
  void FinishGroupSummaries();
  struct TdxChangeNodeInfo {
    Variant Key = Null();
    int Level = -1;
    bool Selected = false;
  };
  TdxChangeNodeInfo CurrentChangeInfo();
  // The current record's cell texts as one line.
  String CurrentRecordText();
  // The header line, then Walk's lines with the dataset's controls off and its record kept.
  void CopyWindowRecords(TStrings* Strings, const std::function<void(TDataSet*)>& Walk);
  void BindSummaryItemFields();
  void AccumulateItemSummaries(TdxDBGridNode* Group, int Level, TdxDBGridNode* Source);
  void FinishItemSummaries(TdxDBGridNode* Group);
  String ItemSummaryText(TdxDBGridNode* Node, TdxDBGridSummaryGroup* Group);
  String RowFooterCellText(TdxTreeListNode* Node, int Column, int FooterIndex);
  TdxDBTreeListColumn* SummaryItemColumn(TdxDBGridSummaryItem* Item);
  void TakeFirstRecordIdentity();
  // Moves Node (when given and shown) to the group path of its stored values, then recomputes every
  // group, item and footer summary from the record nodes shown.
  void RefreshGroupsAndSummaries(TdxTreeListNode* Node);
  void AccumulateFooterFromNode(TdxDBGridNode* Record);
  void SortGroupsBySummary();
  // The expanded groups by their values, kept across a reload that keeps the grouped fields.
  using TGroupPath = std::vector<Variant>;
  std::vector<TGroupPath> SaveExpandedGroups();
  void RestoreExpandedGroups(const std::vector<TGroupPath>& Expanded);
  void SaveSelection();
  void RestoreSelection(TdxDBGridNode* Node);

  std::unique_ptr<TdxDBTreeListControlDataLink> dataLink_;
  std::vector<TdxDBTreeListColumn*> groupColumns_;
  std::vector<TField*> groupSummaryFields_;
  std::unique_ptr<TdxDBGridSummaryGroups> summaryGroups_;
  // The summary group of each level, bound before a pass.
  std::vector<TdxDBGridSummaryGroup*> levelSummaryGroups_;
  std::vector<std::vector<int>> groupSummaryCellMap_;
  TdxChangeNodeInfo lastChangeInfo_;
  int groupLockCount_ = 0;
  int lockMode_ = 0;
  std::vector<String> lockedGroupFieldNames_;
  bool groupingChanged_ = false;
  bool forceFullReload_ = false;
  bool regrouping_ = false;
  bool showGroupPanel_ = false;
  TColor groupPanelColor_ = clBtnShadow;
  TColor groupPanelFontColor_ = clBtnFace;
  TdxDBTreeListColumn* pressedGroupColumn_ = nullptr;
  bool groupDragPending_ = false;
  POINT groupPressPoint_{};
  AnsiString rangeAnchorBookmark_;
  std::vector<AnsiString> savedSelectionBookmarks_;
  std::vector<Variant> savedSelectionKeys_;
  TdxDBGridOptionsBehavior optionsBehavior_;
  TdxDBGridOptionsCustomize optionsCustomize_;
  TdxDBGridOptionsDB optionsDB_;
  TdxDBGridOptionsView optionsView_;
  UInt64 options_ = 0;
  UInt64 optionsEx_ = 0;
  bool defaultFields_ = false;
  bool internalChange_ = false;
  bool locatingByKey_ = false;
  bool skipRecordSync_ = false;
  bool syncingFocus_ = false;
  bool syncingRows_ = false;
  int nodeReadDepth_ = 0;
  int savedActiveRecord_ = -1;
  bool inPartialLoad_ = false;
  bool bofLoaded_ = false;
  bool eofLoaded_ = false;
  int partialLoadBufferCount_ = 100;
  int recordCount_ = 0;
  String summarySeparator_ = u", ";
  TdxDBGridNode* changingNode_ = nullptr;
  // The registry's "Filter" value of the stored layout (dxDBGridFilterLayout.cpp).
  void LoadFilterLayout(TdxRegIniWrapper* Wrapper, const String& Path);
  void SaveFilterLayout(TdxRegIniWrapper* Wrapper, const String& Path);
  // A column leaving the grid takes its conditions along.
  void ForgetFilterColumn(TdxTreeListColumn* Column);
  bool RouteFilterDropDownMessage(TMessage& Message);
  mutable std::unique_ptr<TdxDBGridFilter> filter_;
  std::unique_ptr<TdxDBGridFilterPopupListBox> filterDropDown_;
  bool filterDropDownVisible_ = false;
  bool nodeFilterActive_ = false;
  // Set by a complete load-all walk; what its nodes were filled from.
  std::optional<TdxDBGridLoadedContent> loadedContent_;
  bool reorderingNodes_ = false;
};

class TdxDBGrid : public TCustomdxDBGrid {
  TRENVIK_CLASS(TdxDBGrid, TCustomdxDBGrid);

 public:
  explicit TdxDBGrid(TComponent* AOwner) : TCustomdxDBGrid(AOwner) {}
};
