// The tree list engine: a windowed editor host that owns a tree of nodes, keeps the visible-row cache,
// lays rows out in bands and header rows, hit-tests, paints, and edits cells in place. Where cell
// values and the band and column geometry come from is left to descendants (TCustomdxTreeListControl
// and the data-aware controls): the data operations are abstract, the geometry queries have answers
// that mean "no bands and no columns".
#pragma once

#include <memory>
#include <vector>

#include "dx/editors/dxContainer.h"
#include "dx/editors/dxInplaceEdit.h"
#include "dx/editors/dxInplacePopup.h"
#include "dx/treelist/dxTLLayoutTypes.h"
#include "dx/treelist/dxTLNode.h"
#include "dx/treelist/dxTLTypes.h"
#include "platform/forms/Graphics.h"
#include "platform/forms/ImgList.h"
#include "platform/forms/StdCtrls.h"

class TdxInplaceTextEdit;
class TCustomdxTreeList;

// Holds an update bracket of a tree list (none for nil) open for its scope.
class TdxTreeListUpdateScope {
 public:
  explicit TdxTreeListUpdateScope(TCustomdxTreeList* TreeList);
  ~TdxTreeListUpdateScope();
  TdxTreeListUpdateScope(const TdxTreeListUpdateScope&) = delete;
  TdxTreeListUpdateScope& operator=(const TdxTreeListUpdateScope&) = delete;

 private:
  TCustomdxTreeList* treeList_;
};

// Hides the sizing line, drop arrows and drag images of a tree list for its scope (paints and scrolls).
class TdxDragFeedbackHider {
 public:
  explicit TdxDragFeedbackHider(TCustomdxTreeList* TreeList);
  ~TdxDragFeedbackHider();
  TdxDragFeedbackHider(const TdxDragFeedbackHider&) = delete;
  TdxDragFeedbackHider& operator=(const TdxDragFeedbackHider&) = delete;

 private:
  TCustomdxTreeList* treeList_;
};

class TCustomdxTreeList : public TCustomdxContainer {
  TRENVIK_CLASS(TCustomdxTreeList, TCustomdxContainer);
  TRENVIK_MESSAGES(TCustomdxTreeList);

 public:
  explicit TCustomdxTreeList(TComponent* AOwner);
  ~TCustomdxTreeList() override;

  // --- Nodes ---
  TdxTreeListNode* Add();
  TdxTreeListNode* Insert(TdxTreeListNode* Before);
  void ClearNodes();
  int GetCount() const { return static_cast<int>(roots_.size()); }
  TdxTreeListNode* GetItem(int Index) const;
  TdxTreeListNode* GetFirstNode() const { return GetItem(0); }
  TdxTreeListNode* GetLastNode() const;
  // Nodes kept out of the tree (the data-aware grid's filtered nodes); owned, freed with the tree.
  std::vector<TdxTreeListNode*>& PendingNodes() { return pending_; }
  virtual bool NodeHasChildren(TdxTreeListNode* Node) { return Node->GetCount() > 0; }
  virtual void NodeChanged(TdxTreeListNode* Node, bool Layout);
  virtual bool FocusNode(TdxTreeListNode* Node);
  void MakeNodeVisible(TdxTreeListNode* Node);
  virtual TdxTreeListNode* GetNavigationNode(TdxTreeListNode* Node, int Kind, bool IgnoreExpansion);
  virtual TdxTreeListNode* FocusNavigationNode(int Kind, bool IgnoreExpansion);
  bool FocusNext(bool IgnoreExpansion) { return FocusNavigationNode(2, IgnoreExpansion) != nullptr; }
  bool FocusPrior(bool IgnoreExpansion) { return FocusNavigationNode(1, IgnoreExpansion) != nullptr; }
  // The row edges the keyboard stops at; the data-aware grid answers from its data set.
  virtual bool IsFirstRow(TdxTreeListNode* Node) { return Node && Node == GetFirstNode(); }
  virtual bool IsLastRow(TdxTreeListNode* Node) { return Node && Node == GetAbsoluteNode(GetAbsoluteCount() - 1); }
  virtual bool IsFirstNodeFocused();
  virtual bool IsLastNodeFocused();

  // --- Update and selection brackets ---
  void BeginUpdate();
  void EndUpdate();
  void EndUpdateNoLayout();
  int LockCount() const { return lockCount_; }
  virtual void LayoutChanged();
  virtual void BeginSelection();
  virtual void EndSelection();
  int SelectionLockCount() const { return selectionLock_; }
  // Selection storage belongs to the descendants; the base selects nothing (dxTLSelection.cpp).
  virtual bool CanSelectRange() { return true; }
  virtual bool DoCanNodeSelected(TdxTreeListNode* Node);
  virtual void ClearSelection();
  virtual int CompareWithAnchor(TdxTreeListNode* Node);
  virtual void DeleteSelectedNodes() { keyboardSelecting_ = false; }
  virtual int GetSelectedCount() { return 0; }
  virtual TdxTreeListNode* GetSelectedNode(int) { return nullptr; }
  virtual void InvalidateSelection();
  virtual bool IsNodeSelected(TdxTreeListNode*) { return false; }
  virtual void SetNodeSelected(TdxTreeListNode*, bool) { DoSelectedCountChange(); }
  virtual void SelectRange(TdxTreeListNode* Node1, TdxTreeListNode* Node2);
  virtual void SetSelectionAnchor(TdxTreeListNode* Node) { selectionAnchor_ = Node; }
  TdxTreeListNode* SelectionAnchor() const { return selectionAnchor_; }
  TdxTreeListNode* GetFirstSelectedNode();

  // --- Keyboard and incremental search (dxTLKeyboard.cpp, dxTLSearch.cpp) ---
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyPress(Char& Key) override;
  virtual bool CanHandleKey(WORD, TShiftState) { return true; }
  virtual void IncrementalSearch(String& Text, int Direction, bool ClearIfNotFound);
  virtual bool FindNodeByText(int Column, const String& Text, TdxTreeListNode*& Node, int Direction);
  bool StartSearch(int Column, const String& Text);
  // Opens the editor and hands it the character that opened it.
  void ShowEditorChar(Char Ch);
  void InvalidateFocusedRow();
  bool IsSearching() const { return searchActive_; }
  const String& SearchText() const { return searchText_; }
  int SearchColumn() const { return searchColumn_; }
  // Whether the visible column stops the Tab key; every column does in the base.
  virtual bool GetColumnTabStop(int) { return true; }
  // Ends a sizing or dragging state the mouse started, leaving everything as it was before it.
  virtual void CancelDragSizing();

  // --- Mouse (dxTLMouse.cpp) ---
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  virtual bool CanDblClick() { return true; }
  // The press decides whether a double click fires OnDblClick: the framework's own call is dropped.
  void DblClick() override;
  virtual void BestFitColumn(int) {}
  virtual void DoHeaderClick(int) {}
  virtual void DoChangedColumnsWidth() {}
  void KillClickTimer();
  bool IsClickTimerRunning() const { return clickTimer_; }
  // The sizing line of a sizing drag (client x for bands and columns, y for panels and rows), -1
  // outside one.
  int SizingLine() const { return IsSizingState(state_) ? sizingPos_ : -1; }

  // --- Middle-button panning (dxTLPanning.cpp): runs its own message loop until panning ends ---
  void Pan();
  bool IsPanning() const { return panning_; }
  HWND PanAnchorWindow() const { return panAnchor_; }
  // The scroll cursor panning shows (crDefault outside panning).
  TCursor PanningCursor() const { return panCursor_; }

  // --- Sizing bands, panels and rows (dxTLSizing.cpp) ---
  virtual void BestFitBand(int) {}
  virtual void SetBandWidth(int, int) {}
  virtual void SetColumnWidth(int, int) {}
  // The hidden columns of visible band V, and the hidden bands, scaled by New / Old.
  virtual void ScaleHiddenColumnWidths(int, int, int) {}
  virtual void ScaleHiddenBandWidths(int, int) {}
  virtual int GetBandMaxRowCount() { return 1; }
  virtual int GetHeaderPanelMaxRowCount() { return 1; }
  virtual void SetBandRowCount(int) {}
  virtual void SetHeaderPanelRowCount(int) {}
  int GetBandPanelHeight(int RowCount);
  int SnapBandPanelSizing(int Y);
  int BandRowCountAt(int Y);
  int SnapHeaderPanelSizing(int Y);
  int HeaderRowCountAt(int Y);
  bool GetBandSizingRange(int V, int& Min, int& Max, int& Left);
  bool GetRowSizingRange(TdxTreeListNode* Node, int& Min, int& Max);
  int RowHeightForSize(TdxTreeListNode* Node, int Size);
  void SetBandAutoWidth(int V, int NewWidth);
  void ApplyBandSizing(int V, int NewWidth);
  // A sized column (absolute index) takes its new width from the columns after it in its row (from
  // those before it when it is the last), or the band grows or shrinks with it.
  void ApplyColumnSizing(int Column, int NewWidth);
  void ApplyColumnAndBandSizing(int Column, int NewWidth);
  int PressedColumn() const { return state_ == tsColumnDown ? pressedColumn_ : -1; }

  // --- Header and band dragging (dxTLDropPlaces.cpp, dxTLHeaderDrag.cpp) ---
  // The drop place under ScreenPoint, which becomes the arrows' top-left on the screen ((-100, -100)
  // when there is no valid place). PosInfo may be nil. DragIndex: the dragged band (collection index)
  // or column; PressedIndex: its visible position or header when the drag began inside the panel.
  virtual void CalcBandDropArrowsPos(POINT& ScreenPoint, int* PosInfo, int DragIndex, int PressedIndex);
  virtual void CalcHeaderDropArrowsPos(POINT& ScreenPoint, TdxHeaderPosInfo* PosInfo, int DragIndex,
                                       int PressedIndex);
  static void SetBandPosInfo(int* PosInfo, int Value) {
    if (PosInfo) *PosInfo = Value;
  }
  static void SetHeaderPosInfo(TdxHeaderPosInfo* PosInfo, int BandIndex, int ItemIndex, int ColIndex,
                               int RowIndex) {
    if (PosInfo) *PosInfo = TdxHeaderPosInfo{BandIndex, RowIndex, ColIndex, ItemIndex};
  }
  // Whether moving the column into the target band (the target column's band when one is given) is
  // refused because either band keeps only its own columns. Bands are compared by visible position.
  bool IsOwnColumnsMove(int Column, int TargetColumn, int TargetBandPos);
  virtual bool IsVisibleBandOnlyOwnColumns(int) { return false; }
  virtual void GetDragCursor(POINT ClientPoint, TCursor& Cursor);
  virtual bool IsCustomizingBands() { return false; }
  virtual bool IsCustomizingHeaders() { return false; }
  // Whether a screen point lies on the columns customizing form while it is shown.
  virtual bool IsOverCustomizingForm(POINT) { return false; }
  virtual bool CanBandDragging(int) { return HasOptionEx(dxtlox::BandMoving); }
  virtual bool CanHeaderDragging(int) { return HasOption(dxtlo::ColumnMoving); }
  virtual void StartDragBand(int Band);
  virtual void StartDragHeader(int Column);
  virtual void EndDragBand(bool Accept);
  virtual void EndDragHeader(bool Accept);
  virtual void DoDragOverBand(POINT, int, bool&) {}
  virtual void DoDragOverHeader(POINT, int, bool&) {}
  virtual void DoDragEndBand(POINT, int, bool&, int&, int) {}
  virtual void DoDragEndHeader(POINT, int, bool&, TdxHeaderPosInfo&) {}
  virtual bool IsBandDisableCustomizing(int) { return false; }
  virtual bool IsColumnDisableCustomizing(int) { return false; }
  virtual void MoveBand(int, int) {}
  virtual void MoveColumn(int, int, int, int) {}
  virtual void HideBand(int) {}
  virtual void HideColumn(int) {}
  virtual void ShowBand(int, int) {}
  virtual void ShowColumn(int, int, int, int) {}
  virtual void DoBandClick(int) {}
  // The panel buttons (dxTLButtons.cpp): the corners, a header's filter button, the clear-filter button.
  virtual void DoBandButtonClick() {}
  virtual void DoHeaderButtonClick() {}
  virtual void ShowFilterDropDown(int) {}
  virtual void ClearFilter() {}
  // The column whose filter drop-down is being opened, -1 outside that call.
  int OpenFilterColumn() const { return openFilterColumn_; }
  // The drag in progress: band (collection index) and column being dragged, -1 for none.
  int DraggedBand() const { return draggedBand_; }
  int DraggedHeader() const { return draggedHeader_; }
  int PressedBand() const { return pressedBand_; }

  // --- Drag feedback (dxTLDragFeedback.cpp): drawn straight on the screen, hidden around paints and
  // scrolls so that it never leaves a trace ---
  void HideDragFeedback();
  void ShowDragFeedback();
  void ToggleDropArrows(bool Guarded);
  void SetDropArrowsBox(bool IsBand);
  POINT DropArrowsPos() const { return arrowsPos_; }
  bool DropArrowsShown() const { return arrowsShown_; }
  SIZE DropArrowsBox() const { return arrowsBox_; }
  void MakeBandDragImage(int Band);
  void MakeHeaderDragImage(int Column);
  virtual void MakeNodeDragImage(TdxTreeListNode* Node, int Column);
  virtual void GetNodeDragText(TdxTreeListNode* Node, int Column, String& Text);
  void FreeDragImages();
  TCustomImageList* GetDragImages() override;
  // The cursor a header or band drag shows.
  TCursor DragFeedbackCursor() const { return dragFeedbackCursor_; }

  // --- Node dragging (dxTLNodeDrag.cpp) ---
  void DoStartDrag(TDragObject*& DragObject) override;
  void DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept) override;
  void DoEndDragInternal(TObject* Target, int X, int Y) override;
  virtual void DoBeginDragNode(TdxTreeListNode* Node) {
    if (OnBeginDragNode) OnBeginDragNode(this, Node);
  }
  virtual bool IsDragDropCopy() { return false; }
  // The drag object of a framework drag running over the control (nil when none).
  void SetDragObject(TDragObject* Value);
  TdxTreeListNode* DragOverNode() const { return dragOverNode_; }
  bool IsExpandTimerRunning() const { return expandTimer_; }
  // Paints what is invalid at once (the drag timers and drag-over handling show their steps).
  void UpdateNow();

  // --- The clear-filter button's hint (dxTLClearFilterHint.cpp) ---
  void GetClearFilterButtonRect(RECT& Rect);
  virtual String GetClearFilterCaption() { return String(); }
  // False: hides any hint and shows it after a while; true: shows it now, for a while.
  void ShowClearFilterHint(bool Show);
  void HideClearFilterHint();
  TdxContainerHintWindow* ClearFilterHint() const { return clearFilterHint_.get(); }

  // --- Clipboard text (dxTLClipboard.cpp) ---
  void GetHeadersText(String& Text);
  void GetNodeText(TdxTreeListNode* Node, String& Text);
  virtual void CopyAllToStrings(TStrings* Strings);
  virtual void CopySelectedToStrings(TStrings* Strings);
  void CopySelectedToClipboard();

  // --- Option words ---
  DWORD OptionFlags() const { return optionFlags_; }
  DWORD OptionFlagsEx() const { return optionFlagsEx_; }
  void SetOptionFlags(DWORD Value);
  void SetOptionFlagsEx(DWORD Value);
  bool HasOption(DWORD Bit) const { return (optionFlags_ & Bit) != 0; }
  bool HasOptionEx(DWORD Bit) const { return (optionFlagsEx_ & Bit) != 0; }
  virtual bool IsEditingEnabled() { return HasOption(dxtlo::Editing); }
  virtual bool IsRowSelect() { return HasOption(dxtlo::RowSelect); }
  virtual bool IsMultiSelect() { return HasOption(dxtlo::MultiSelect); }
  virtual bool IsPreview() { return HasOption(dxtlo::Preview) && previewLines_ != 0; }
  virtual bool IsDrawEndEllipsis() { return HasOption(dxtlo::DrawEndEllipsis); }
  virtual bool IsAutoWidth() { return HasOption(dxtlo::AutoWidth); }
  virtual bool IsExtMultiSelect() { return HasOption(dxtlo::ExtMultiSelect); }
  virtual bool IsAutoSort() { return HasOption(dxtlo::AutoSort); }
  virtual bool IsCaseInsensitive() { return HasOption(dxtlo::CaseInsensitive); }
  virtual bool IsTabThrough() { return HasOption(dxtlo::TabThrough); }
  virtual bool IsColumnSizable(int) { return true; }
  bool CanColumnSizing(int Column) { return HasOption(dxtlo::ColumnSizing) && IsColumnSizable(Column); }
  virtual bool IsInvertSelect() { return HasOptionEx(dxtlox::InvertSelect); }
  virtual bool IsUseBitmap() { return HasOptionEx(dxtlox::UseBitmap); }
  virtual bool IsBandHeaderWidth() { return HasOptionEx(dxtlox::BandHeaderWidth); }
  bool IsBandHeaderWidthShown() { return IsBandHeaderWidth() && !showBands_; }
  virtual bool IsAutoCalcPreviewLines() { return HasOptionEx(dxtlox::AutoCalcPreviewLines); }
  virtual bool IsEnterShowEditor() { return HasOptionEx(dxtlox::EnterShowEditor); }
  virtual bool IsRowAutoHeight() { return HasOptionEx(dxtlox::RowAutoHeight) && maxRowLineCount_ != 0; }
  virtual bool IsMultiSort() { return HasOptionEx(dxtlox::MultiSort); }
  virtual bool IsAnsiSort() { return HasOptionEx(dxtlox::AnsiSort); }
  virtual bool IsMouseScroll() {
    return HasOptionEx(dxtlox::MouseScroll) && !(IsEditingEnabled() && !IsRowSelect());
  }
  virtual bool IsHotTrackCell() { return HasOptionEx(dxtlox::HotTrack); }
  bool IsBandSizingOption() const { return HasOptionEx(dxtlox::BandSizing); }
  bool IsRowSizing() const { return HasOptionEx(dxtlox::RowSizing); }
  bool IsShowRowFooter() const { return showRowFooter_; }
  bool IsNewItemRowActive() const { return newItemRowActive_; }
  bool IsNewItemRowVisible() const { return showNewItemRow_ && layout_.NewItemRowHeight > 0; }
  void SetNewItemRowActive(bool Value);
  // --- Sorting (dxTLSort.cpp); the sorted columns are kept by the control ---
  virtual void ClearSortedColumns() {}
  // The last tie-break of equal nodes: a stable but arbitrary order.
  virtual int CompareEqualNodes(TdxTreeListNode* Node1, TdxTreeListNode* Node2);
  // Level -1 sorts every sibling list of the tree; Level n the lists n levels below the roots.
  virtual void SortNodes(int Level, int Column, bool Descending);
  // Puts the root nodes in Order, which must hold every root once: a new order of the same nodes,
  // given by the caller instead of sorted here.
  void ReorderRoots(std::vector<TdxTreeListNode*> Order);
  // The same for the children of Parent: Order holds each of them once.
  void ReorderChildren(TdxTreeListNode* Parent, std::vector<TdxTreeListNode*> Order);
  // Makes Leaves, every node of the tree without children in an order of the caller's, the roots
  // and frees the nodes above them as ClearNodes frees: the rows kept when their groups go.
  void PromoteLeavesToRoots(std::vector<TdxTreeListNode*> Leaves);
  // Takes Nodes out of their sibling lists in one pass per list (as Detach does each: a parent left
  // without children closes); a node detached one at a time renumbers its siblings.
  void DetachNodes(const std::vector<TdxTreeListNode*>& Nodes);
  virtual int GetSortedColumnCount() { return 0; }
  virtual bool IsSortedColumnDescending(int) { return false; }
  virtual int GetSortedColumnIndex(int Index) { return Index; }
  virtual bool IsMultiSortColumn(int) { return IsMultiSort(); }
  bool IsShowHourGlass() const { return HasOptionEx(dxtlox::ShowHourGlass); }
  // Set by the mouse for one header click: Shift with multi-sort adds a column, Ctrl removes one.
  bool IsMultiSortClick() const { return multiSortClick_; }
  bool IsRemoveSortClick() const { return removeSortClick_; }
  void SetSortClickFlags(bool MultiSort, bool RemoveSort) {
    multiSortClick_ = MultiSort;
    removeSortClick_ = RemoveSort;
  }

  // --- Visible rows, focus and top row ---
  void RefreshNodeCache();
  virtual void ClearNodeCache();
  virtual void ResetRowHeights();
  void UpdateNodeCache(TdxTreeListNode* Node, bool Removed);
  bool IsNodeCacheBuilt() const;
  int IndexOfCachedNode(const TdxTreeListNode* Node) const;
  int GetAbsoluteCount() const;
  int GetAbsoluteIndex(const TdxTreeListNode* Node) const;
  TdxTreeListNode* GetAbsoluteNode(int Index) const;
  TdxTreeListNode* GetNextVisibleNode(const TdxTreeListNode* Node) const;
  TdxTreeListNode* GetPrevVisibleNode(const TdxTreeListNode* Node) const;
  TdxTreeListNode* FocusedNode() const { return focused_; }
  int GetFocusedAbsoluteIndex() const;
  // The focused column as a visible index: 0 when none is set, out of range, or in row mode.
  int GetFocusedColumn();
  int GetFocusedColumnAbsoluteIndex();
  virtual void SetFocusedNode(TdxTreeListNode* Node, int Column, bool MakeVisible);
  virtual void SetFocusedAbsoluteIndex(int Index);
  void SetFocusedColumn(int Column);
  TdxTreeListNode* TopVisibleNode() const { return top_; }
  virtual void SetTopVisibleNode(TdxTreeListNode* Node);
  void FocusFirstRoot();
  void ResetNodeReferences();

  // --- Row heights ---
  int GetRowHeight(TdxTreeListNode* Node, int Height, bool NoCache = false);
  virtual int GetRowLineCount(TdxTreeListNode* Node, int& LineHeight);
  virtual int GetPreviewLineCount(TdxTreeListNode* Node);
  int GetPreviewWidth(TdxTreeListNode* Node);
  int GetRowFooterCount(TdxTreeListNode* Node);
  int GetRowFooterLevel(TdxTreeListNode* Node, int Index);
  virtual int GetMinCellHeight(TCanvas* Canvas, int Column);
  int GetMaxColumnMinCellHeight(TCanvas* Canvas);
  bool CanRowAutoHeight();
  virtual bool CanCacheRowHeight() { return true; }

  // --- Layout and geometry ---
  const TdxTreeListLayout& Layout() const { return layout_; }
  void CalcRectInfo(TdxTreeListRectInfo& Areas);
  void CalcDrawInfo(TdxTreeListDrawInfo& Info);
  void GetCellRect(TdxTreeListNode* Node, int VisibleColumn, RECT& Rect);
  void GetEditorRect(TdxTreeListNode* Node, int VisibleColumn, RECT& Rect);
  // The cell of the new-item row under a column, (-1, -1, -1, -1) when either is not shown.
  void GetNewItemCellRect(int VisibleColumn, RECT& Rect);
  void GetNodeRect(TdxTreeListNode* Node, RECT& Rect);
  void GetRowsFromNodeRect(TdxTreeListNode* Node, RECT& Rect);
  virtual void GetRowsRect(RECT& Rect);
  int GetAbsoluteColumnIndex(int VisibleIndex);
  int GetVisibleColumnIndex(int AbsoluteIndex);
  int GetVisibleColumnCount();
  void GetTreeIndent(TdxTreeListNode* Node, int& ButtonRight, int& ContentLeft);
  void MakeBandVisible(int VisibleBand);
  void MakeColumnVisible(int AbsoluteIndex);

  // --- Horizontal geometry and scrolling ---
  int LeftCoord() const { return leftCoord_; }
  void SetLeftCoord(int Value);
  int GetTopIndex() const { return top_ ? GetAbsoluteIndex(top_) : -1; }
  void SetTopIndex(int Index);
  int GetBandMinWidth(int V);
  int GetBandNaturalWidth(int V);
  int GetBandsWidth();
  int GetBandWidth(int V);
  virtual int GetColumnHeaderWidth(int Column);
  int GetBandRowWidthSum(int V, int Row);
  int GetBandRowMinWidthSum(int V, int Row);
  int GetHeaderRowSpan(int V, int Row, int Pos);
  void GetScrollableAreaRect(RECT& Rect);
  int GetScrollableAreaWidth();
  int GetScrollableBandsWidth();
  // The left coordinate for a horizontal thumb position.
  static int ThumbLeftCoord(int Pos, int AreaWidth, int BandsWidth);
  int GetBandOffset(int V);
  int GetScrollDistance(int RowDelta);
  int GetTopIndexForLastRow(int Index);
  int CountRowsInHeight(TdxTreeListNode* Node, int Height, int& Count, int& FullCount);
  virtual int GetVisibleRowCount() { return visibleRowCount_; }
  int FullVisibleRowCount() const { return fullVisibleRowCount_; }
  virtual void UpdateVisibleRowCount();
  virtual void GetVScrollInfo(int& Min, int& Max, int& Position, int& Page);
  void UpdateScrollBars();
  void ClampScrollPositions();
  // Removes both bars when each is kept only by the room the other takes.
  void RemoveNeedlessScrollBars();
  virtual bool KeepScrollBars() { return false; }
  // Asked before a scroll bar's action is carried out; the data-aware layers take the focus first.
  virtual bool AcquireFocus() { return true; }

  // --- Hit testing ---
  virtual void GetHitInfo(POINT Point, TdxTreeListHitInfo& HitInfo);
  TdxTreeListHitKind GetHitKindAt(int X, int Y);
  TdxTreeListNode* GetNodeAt(int X, int Y);

  // --- Hot tracking ---
  virtual void DoHotTrack(const TdxTreeListHitInfo& HitInfo);
  virtual bool IsHotTrackCell(int X, int Y, TCursor& Cursor, int Column, TdxTreeListNode* Node);
  virtual bool IsHotTrackHeader(int X, int Y, int& Part, int Column);
  virtual int GetHeaderFilterButtonState(int Column);
  virtual bool IsFilterActive() { return false; }
  void InvalidateHotTrack(const TdxTreeListHotTrackInfo& Info);
  const TdxTreeListHotTrackInfo& HotTrackInfo() const { return hotTrack_; }
  bool IsHotTrackedCell(TdxTreeListNode* Node, int Column) const {
    return Node && hotTrack_.Node == Node && hotTrack_.Column == Column;
  }

  // --- In-place editing ---
  void ShowEditor();
  void UpdateEditor(bool AllowDropDown);
  void CloseEditor();
  void HideEditor();
  void InvalidateEditor();
  TdxInplaceEdit* InplaceEditor() const { return editor_; }
  TdxTreeListState State() const { return state_; }
  void SetState(TdxTreeListState Value);

  // --- Abstract data operations ---
  virtual TdxTreeListNode* CreateNode() = 0;
  virtual int GetImageIndex(TdxTreeListNode* Node) = 0;
  virtual int GetSelectedIndex(TdxTreeListNode* Node) = 0;
  virtual int GetStateIndex(TdxTreeListNode* Node) = 0;
  virtual void GetNodeVariant(TdxTreeListNode* Node, int Column, Variant& Value) = 0;
  virtual void GetNodeString(TdxTreeListNode* Node, int Column, String& Text) = 0;
  virtual void SetImageIndex(TdxTreeListNode* Node, int Index) = 0;
  virtual void SetSelectedIndex(TdxTreeListNode* Node, int Index) = 0;
  virtual void SetStateIndex(TdxTreeListNode* Node, int Index) = 0;
  virtual void SetNodeString(TdxTreeListNode* Node, int Column, const String& Text) = 0;
  virtual void SetNodeVariant(TdxTreeListNode* Node, int Column, const Variant& Value) = 0;
  virtual void GetNodeSortValue(TdxTreeListNode*, int, Variant& Value) { Value = String(); }

  // --- Band and column queries: a bare tree list has neither ---
  virtual int GetBandCount() { return 0; }
  virtual int GetVisibleBandCount() { return 0; }
  virtual int GetColumnCount() { return 0; }
  virtual TAlignment GetVisibleBandAlignment(int) { return taLeftJustify; }
  virtual String GetVisibleBandCaption(int) { return String(); }
  virtual int GetVisibleBandMinWidth(int) { return 0; }
  virtual int GetVisibleBandWidth(int) { return 0; }
  // The width of a band by collection index, also while it is hidden.
  virtual int GetBandItemWidth(int) { return 0; }
  virtual int GetBandIndex(int V) { return V; }
  virtual int GetBandVisibleIndex(int B) { return B; }
  virtual int GetLeftFixedBandIndex() { return -1; }
  virtual int GetRightFixedBandIndex() { return -1; }
  virtual bool CanBandSizing(int) { return true; }
  virtual int GetBandHeaderRowCount(int) { return 0; }
  virtual int GetBandRowColumnCount(int, int) { return 0; }
  virtual int GetColumnAt(int, int, int) { return -1; }
  virtual int GetColumnWidth(int) { return 0; }
  virtual int GetColumnMinWidth(int) { return 0; }
  virtual int GetColumnBandIndex(int) { return 0; }
  virtual int GetColumnRowIndex(int) { return 0; }
  virtual int GetColumnColIndex(int) { return 0; }
  virtual int GetColumnHeaderMaxLineCount(int) { return 1; }
  virtual TAlignment GetColumnHeaderAlignment(int) { return taLeftJustify; }
  virtual String GetColumnHeaderText(int) { return String(); }
  virtual TColor GetColumnColor(int) { return Color(); }
  virtual TFont* GetColumnFont(int) { return Font(); }
  virtual bool HasColumnFont(int) { return false; }
  virtual bool HasColumnHeaderGlyph(int) { return false; }
  virtual TBitmap* GetColumnHeaderGlyph(int) { return nullptr; }
  virtual TdxTreeListColumnSort GetColumnSorted(int) { return csNone; }
  virtual bool IsColumnMultiLine(int) { return false; }
  virtual bool IsColumnShown(int) { return false; }
  virtual TAlignment GetCellAlignment(TdxTreeListNode*, int) { return taLeftJustify; }
  virtual String GetCellText(TdxTreeListNode*, int) { return String(); }
  virtual String GetPreviewText(TdxTreeListNode*) { return String(); }
  virtual String GetFooterCellText(TdxTreeListNode*, int, int) { return String(); }
  virtual bool IsGroupNode(TdxTreeListNode*) { return false; }
  virtual bool IsExistFooterCell(int) { return false; }
  virtual bool IsExistRowFooterCell(TdxTreeListNode*, int, int) { return false; }
  virtual bool IsRowFooterLevel(int) { return false; }
  virtual bool IsFilterStatusVisible() { return false; }
  virtual bool IsFiltered() { return false; }
  virtual String GetFilterText() { return String(); }
  virtual String GetNewItemRowText(int) { return String(); }
  virtual bool IsNewItemRowEditing() { return true; }
  virtual int GetIndicatorKind(TdxTreeListNode*, bool) { return 0; }
  virtual int GetGrIndicatorWidth() { return 12; }
  virtual int GetGroupIndent() { return 0; }
  virtual int GetGroupPanelHeight() { return 0; }
  virtual int GetBandRowCount() { return 1; }
  virtual int GetHeaderPanelRowCount() { return 1; }
  virtual int GetHeaderMinRowCount() { return 1; }
  virtual bool CalcRowLineHeight(TdxTreeListNode*, int, int&, int&, bool, bool, int, int, int,
                                 const String&) {
    return false;
  }
  virtual void RefreshColumns() {}
  virtual void AfterCalcLayout() {}

  // --- Appearance ---
  TColor BandColor() const { return bandColor_; }
  void SetBandColor(TColor V) { SetRepaintValue(bandColor_, V); }
  TColor HeaderColor() const { return headerColor_; }
  void SetHeaderColor(TColor V) { SetRepaintValue(headerColor_, V); }
  TColor GridLineColor() const { return gridLineColor_; }
  void SetGridLineColor(TColor V) { SetRepaintValue(gridLineColor_, V); }
  TColor HighlightColor() const { return highlightColor_; }
  void SetHighlightColor(TColor V) { SetRepaintValue(highlightColor_, V); }
  TColor HighlightTextColor() const { return highlightTextColor_; }
  void SetHighlightTextColor(TColor V) { SetRepaintValue(highlightTextColor_, V); }
  TColor HideSelectionColor() const { return hideSelectionColor_; }
  void SetHideSelectionColor(TColor V) { SetRepaintValue(hideSelectionColor_, V); }
  TColor HideSelectionTextColor() const { return hideSelectionTextColor_; }
  void SetHideSelectionTextColor(TColor V) { SetRepaintValue(hideSelectionTextColor_, V); }
  TColor TreeLineColor() const { return treeLineColor_; }
  void SetTreeLineColor(TColor V) { SetRepaintValue(treeLineColor_, V); }
  TColor FixedBandLineColor() const { return fixedBandLineColor_; }
  void SetFixedBandLineColor(TColor V) { SetRepaintValue(fixedBandLineColor_, V); }
  TColor GroupNodeColor() const { return groupNodeColor_; }
  void SetGroupNodeColor(TColor V) { SetRepaintValue(groupNodeColor_, V); }
  TColor RowFooterColor() const { return rowFooterColor_; }
  void SetRowFooterColor(TColor V) { SetRepaintValue(rowFooterColor_, V); }
  TColor RowFooterTextColor() const { return rowFooterTextColor_; }
  void SetRowFooterTextColor(TColor V) { SetRepaintValue(rowFooterTextColor_, V); }
  bool HideFocusRect() const { return hideFocusRect_; }
  void SetHideFocusRect(bool V) { SetRepaintValue(hideFocusRect_, V); }
  bool HideSelection() const { return hideSelection_; }
  void SetHideSelection(bool V) { SetRepaintValue(hideSelection_, V); }
  bool ShowButtons() const { return showButtons_; }
  void SetShowButtons(bool V) { SetRepaintValue(showButtons_, V); }
  bool ShowLines() const { return showLines_; }
  void SetShowLines(bool V) { SetRepaintValue(showLines_, V); }
  TdxTreeLineStyle TreeLineStyle() const { return treeLineStyle_; }
  void SetTreeLineStyle(TdxTreeLineStyle V) { SetRepaintValue(treeLineStyle_, V); }
  bool ShowBands() const { return showBands_; }
  void SetShowBands(bool V) { SetLayoutValue(showBands_, V); }
  bool ShowHeader() const { return showHeader_; }
  void SetShowHeader(bool V) { SetLayoutValue(showHeader_, V); }
  bool ShowFooter() const { return showFooter_; }
  void SetShowFooter(bool V) { SetLayoutValue(showFooter_, V); }
  bool ShowGrid() const { return showGrid_; }
  void SetShowGrid(bool V) { SetLayoutValue(showGrid_, V); }
  bool ShowPreviewGrid() const { return showPreviewGrid_; }
  void SetShowPreviewGrid(bool V) { SetLayoutValue(showPreviewGrid_, V); }
  bool ShowRowFooter() const { return showRowFooter_; }
  void SetShowRowFooter(bool V) { SetLayoutValue(showRowFooter_, V); }
  bool ShowRoot() const { return showRoot_ || paintStyle_ == psOutlook; }
  void SetShowRoot(bool V) { SetLayoutValue(showRoot_, V); }
  bool ShowNewItemRow() const { return showNewItemRow_; }
  void SetShowNewItemRow(bool V);
  bool ShowIndicator() const { return showIndicator_; }
  void SetShowIndicator(bool V) { SetLayoutValue(showIndicator_, V); }
  TdxTreeListPaintStyle PaintStyle() const { return paintStyle_; }
  void SetPaintStyle(TdxTreeListPaintStyle V) { SetLayoutValue(paintStyle_, V); }
  TdxLookAndFeel LookAndFeel() const { return lookAndFeel_; }
  void SetLookAndFeel(TdxLookAndFeel V);
  TScrollStyle ScrollBars() const { return scrollBars_; }
  void SetScrollBars(TScrollStyle V);
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle V);
  TFont* BandFont() const { return bandFont_.get(); }
  void SetBandFont(TFont* V) { bandFont_->Assign(V); }
  TFont* HeaderFont() const { return headerFont_.get(); }
  void SetHeaderFont(TFont* V) { headerFont_->Assign(V); }
  TFont* PreviewFont() const { return previewFont_.get(); }
  void SetPreviewFont(TFont* V) { previewFont_->Assign(V); }
  int DefaultRowHeight() const { return defaultRowHeight_; }
  virtual void SetDefaultRowHeight(int Value);
  bool IsDefaultRowHeightStored() const { return rowHeightAssigned_; }
  int FixedBandLineWidth() const { return fixedBandLineWidth_; }
  void SetFixedBandLineWidth(int V) { SetLayoutValue(fixedBandLineWidth_, std::max(V, 1)); }
  int RowSeparatorLineWidth() const { return std::max(rowSeparatorLineWidth_, 1); }
  void SetRowSeparatorLineWidth(int V) { SetLayoutValue(rowSeparatorLineWidth_, std::max(V, 1)); }
  int IndentDesc() const { return indentDesc_; }
  void SetIndentDesc(int V) { SetLayoutValue(indentDesc_, std::max(V, 0)); }
  int MaxRowLineCount() const { return maxRowLineCount_; }
  void SetMaxRowLineCount(int V) { SetLayoutValue(maxRowLineCount_, std::max(V, -1)); }
  int PreviewLines() const { return previewLines_; }
  void SetPreviewLines(int V) { SetLayoutValue(previewLines_, std::max(V, -1)); }
  int CustomizingRowCount() const { return customizingRowCount_; }
  void SetCustomizingRowCount(int V) { customizingRowCount_ = std::max(V, 2); }
  int WaitForExpandNodeTime() const { return waitForExpandNodeTime_; }
  void SetWaitForExpandNodeTime(int V) { waitForExpandNodeTime_ = V; }
  TCustomImageList* Images() const { return images_; }
  void SetImages(TCustomImageList* Value) { SetImageList(images_, Value); }
  TCustomImageList* StateImages() const { return stateImages_; }
  void SetStateImages(TCustomImageList* Value) { SetImageList(stateImages_, Value); }
  bool AutoExpandOnSearch() const { return autoExpandOnSearch_; }
  void SetAutoExpandOnSearch(bool V) { autoExpandOnSearch_ = V; }
  bool DblClkExpanding() const { return dblClkExpanding_; }
  void SetDblClkExpanding(bool V) { dblClkExpanding_ = V; }
  TColor ArrowsColor() const { return arrowsColor_; }
  void SetArrowsColor(TColor V) { arrowsColor_ = V; }
  TColor AutoSearchColor() const { return autoSearchColor_; }
  void SetAutoSearchColor(TColor V) { autoSearchColor_ = V; }
  TColor AutoSearchTextColor() const { return autoSearchTextColor_; }
  void SetAutoSearchTextColor(TColor V) { autoSearchTextColor_ = V; }
  TColor GroupNodeTextColor() const { return groupNodeTextColor_; }
  void SetGroupNodeTextColor(TColor V) { SetRepaintValue(groupNodeTextColor_, V); }
  // The pen of the grid lines: GridLineColor, or the button-shadow colour while it is clNone.
  virtual TColor GetGridLineColor() { return gridLineColor_ == clNone ? clBtnShadow : gridLineColor_; }

  // --- Events ---
  TTLExpandedEvent OnBeginDragNode;
  TdxTLCanNodeSelected OnCanNodeSelected;
  TTLChangeColumnEvent OnChangeColumn;
  TNotifyEvent OnChangeLeftCoord;
  TTLChangeNodeEvent OnChangeNode;
  TNotifyEvent OnChangeTopVisibleNode;
  TTLExpandingEvent OnCollapsing, OnExpanding;
  TTLExpandedEvent OnCollapsed, OnExpanded;
  TdxTLCompareEvent OnCompare;
  TTLExpandedEvent OnDeletion;
  TTLExpandingEvent OnEditing;
  TNotifyEvent OnEditChange;
  TdxEditValidateEvent OnEditValidate;
  TTLExpandedEvent OnEdited;
  TNotifyEvent OnEndColumnsCustomizing;
  TdxTLHotTrackNode OnHotTrackNode;
  TNotifyEvent OnSelectedCountChange;

  // Counts layout passes (tests of the update bracket read it).
  int LayoutPassCount() const { return layoutPasses_; }
  bool IsClearingNodes() const { return clearing_; }
  bool IsDestroying() const { return ComponentState().Contains(csDestroying); }
  bool IsLoading() const { return ComponentState().Contains(csLoading); }
  // The first steps of destruction, also run by the data-aware layers' destructors.
  void DetachAndHideEditor();

  // --- Container answers ---
  bool CanEditModify() override { return true; }
  bool CanEditAcceptChar(Char) override { return true; }
  std::unique_ptr<TdxEditStyle> CreateEditStyle(TdxInplaceEdit* Editor) override;
  bool IsFocusRectHidden() override { return HasOption(dxtlo::HideFocusRect); }
  bool IsEditCellChanged() override { return GetFocusedColumn() != lastValidatedColumn_; }
  bool IsEditDblClickTracked() override { return HasOption(dxtlo::ImmediateEditor); }
  bool IsShowButtonAlways() override { return HasOptionEx(dxtlox::ShowButtonAlways); }
  bool WantTabs() override;
  void EditorFocusChanged() override;
  TdxPopupBorder GetPopupBorder(TdxEditBorderStyle) override {
    return lookAndFeel_ == lfStandard ? pbFrame3D : pbSingle;
  }

 protected:
  // --- Node notifications and events ---
  virtual void NodeAdded(TdxTreeListNode* Node);
  virtual void DoDeletion(TdxTreeListNode* Node, TdxTreeListNode* Prior, bool Refocus, bool IsLast,
                          TdxTreeListNode* Next);
  virtual void DoCollapsed(TdxTreeListNode* Node);
  virtual void DoExpanded(TdxTreeListNode* Node);
  virtual void DoCollapsing(TdxTreeListNode* Node, bool& Allow);
  virtual void DoExpanding(TdxTreeListNode* Node, bool& Allow);
  virtual void DoEditing(TdxTreeListNode* Node, bool& Allow);
  virtual void DoEdited(TdxTreeListNode* Node);
  virtual void DoChangeNode(TdxTreeListNode* OldNode, TdxTreeListNode* Node);
  virtual void DoChangeColumn(TdxTreeListNode* Node, int Column);
  virtual void DoChangeLeftCoord();
  virtual void DoSelectedCountChange();
  virtual void DoHotTrackNode(const TdxTreeListHotTrackInfo& Info, TCursor& Cursor);
  virtual void DeleteColumnValues(TdxTreeListNode*, int) {}

  // --- Editing hooks ---
  virtual bool CanPlaceEditor();
  virtual TdxInplaceEdit* FindInplaceEdit(int Column);
  virtual TdxInplaceEdit* CreateInplaceEdit(int Column);
  virtual void PrepareEditor(TdxInplaceEdit* Editor);
  virtual void InitEditValue(TdxTreeListNode* Node, TdxInplaceEdit* Editor, Variant& Value);
  virtual void SaveEditValue(TdxTreeListNode* Node, int Column, Variant& Value, TdxInplaceEdit* Editor);
  virtual void BeginNewItemRowEditing(bool& Allow);
  // A press in the new-item row without a focused node (the data-aware grid starts an insert).
  virtual void ActivateNewItemRow() {}
  // ShowEditor, then lets the editor act on the click that opened it (a check box toggles).
  void ShowEditorByClick();
  void InitEditor();
  void DoHideEditor(bool FocusTreeList);
  void ForgetEditCell() {
    editColumn_ = -1;
    editNode_ = nullptr;
  }

  // --- Painting hooks ---
  void Paint() override;
  virtual void DrawCell(TCanvas* Canvas, const RECT& Rect, bool IsLastCell, bool IsFirstCell, int Kind,
                        bool MultiLine, HBRUSH Brush, TColor TextColor, TColor Color, bool IsFocusedCell,
                        bool Selected, int Column, TdxTreeListNode* Node);
  virtual void DrawTextCell(TCanvas* Canvas, const RECT& Rect, int Kind, bool MultiLine, HBRUSH Brush,
                            TColor TextColor, TColor Color, bool IsFocusedCell, bool Selected,
                            int FooterIndex, int Column, TdxTreeListNode* Node);
  virtual void DrawPreview(TCanvas* Canvas, const RECT& Rect, bool Selected, HBRUSH Brush, TColor TextColor,
                           TColor Color, TdxTreeListNode* Node);
  virtual void DrawGroupPanel(TCanvas*, const RECT&, HBRUSH, HBRUSH) {}
  virtual bool IsCustomDrawBand(int) { return false; }
  virtual void DoCustomDrawBand(int, TCanvas*, const RECT&, String&, TColor&, TFont*, TAlignment&, bool&) {}
  virtual bool IsCustomDrawHeader(int) { return false; }
  virtual void DoCustomDrawHeader(int, TCanvas*, const RECT&, String&, TColor&, TFont*, TAlignment&,
                                  TdxTreeListColumnSort&, bool&) {}
  virtual bool IsCustomDrawCell(TdxTreeListNode*, int) { return false; }
  virtual void DoCustomDrawCell(TCanvas*, const RECT&, bool&, TAlignment&, TFont*, TColor&, String&, bool,
                                bool, bool, bool, bool, int, TdxTreeListNode*) {}
  virtual bool IsCustomDrawFooter(TdxTreeListNode*, int, int) { return false; }
  virtual void DoCustomDrawFooter(TCanvas*, const RECT&, bool&, TAlignment&, TFont*, TColor&, String&, int,
                                  int, TdxTreeListNode*) {}
  virtual bool IsCustomDrawPreview() { return false; }
  virtual void DoCustomDrawPreview(TCanvas*, const RECT&, bool&, TFont*, TColor&, TColor&, String&, bool,
                                   TdxTreeListNode*) {}
  virtual bool HasLevelColors() { return false; }
  virtual void GetLevelColor(int, TColor&) {}
  virtual void BeginNodeRead(TdxTreeListNode*) {}
  virtual void EndNodeRead(TdxTreeListNode*) {}
  // Paints one cell's content; the engine draws the text, the control goes through the editor class.
  virtual void DrawCellContent(TCanvas* Canvas, const RECT& Rect, int Column, TdxTreeListNode* Node,
                               const String& Text, TAlignment Alignment, HBRUSH Brush, TColor TextColor,
                               TColor Color, bool MultiLine);
  bool IsControlFocused();

  // --- Window ---
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void WndProc(TMessage& Message) override;
  void Loaded() override;
  void DoExit() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

  template <class V>
  void SetRepaintValue(V& Field, const V& Value) {
    if (Field == Value) return;
    Field = Value;
    if (HandleAllocated()) Invalidate();
  }
  template <class V>
  void SetLayoutValue(V& Field, const V& Value) {
    if (Field == Value) return;
    Field = Value;
    LayoutChanged();
  }

  TdxTreeListLayout layout_;

 private:
  // What the one timer with id 1 does: mouse-selection scrolling or drag auto-scrolling.
  enum class TTimerOneKind { None, SelectRowUp, SelectRowDown, DragLeft, DragRight, DragRowUp, DragRowDown };
  void StartTimerOne(TTimerOneKind Kind, UINT Interval);
  void StopTimerOne();
  bool IsDragScrollTimer() const;
  bool IsDragRunning();
  void StepFocusedRow(int Delta);
  void TimerOneTick();
  void ClickTimerFired();
  void StartExpandTimer(UINT Interval);
  void StopExpandTimer();
  void ExpandTimerFired();
  void BeginPanelDrag(bool IsBand);
  void PanelDragMove(bool IsBand);
  void FinishPanelDrag();
  void MoveDropArrows(POINT Position);
  void ShowDragFeedbackCursor(TCursor Cursor);
  bool ExpandByDragKey(WPARAM Key);
  void ShowPanCursor(TCursor Cursor);
  void PanStep(int Direction, int Speed, int& Ticks);
  void StartNodeDrag(int X, int Y);
  void CMDrag(TCMDrag& Message);
  void CMCancelMode(TMessage& Message);
  void WMDestroy(TMessage& Message);
  void WMEraseBkgnd(TMessage& Message);
  void WMImeStartComposition(TMessage& Message);
  void WMNCHitTest(TMessage& Message);
  bool HasFlatBorder() const;
  void WMNCCalcSize(TMessage& Message);
  void WMNCPaint(TMessage& Message);
  void CMCtl3DChanged(TMessage& Message);
  void WMSetCursor(TMessage& Message);
  void CMLayoutChange(TMessage& Message);
  void CMParentFontChanged(TMessage& Message);
  void CMSysColorChange(TMessage& Message);
  void CMDesignHitTest(TMessage& Message);
  void CMMouseEnter(TMessage& Message);
  void CMMouseLeave(TMessage& Message);
  void TrackClearFilterButton(const TdxTreeListHitInfo& Hit);
  struct TPaintContext;
  TPaintContext* paint_ = nullptr;
  friend class TdxTreeListNode;
  void FreeNode(TdxTreeListNode* Node);
  void RebuildRows();
  void ApplyCacheAddition(TdxTreeListNode* Node);
  void ApplyCacheRemoval(TdxTreeListNode* Node);
  void RenumberRows(int From);
  void ResetRowHeightsOf(TdxTreeListNode* Node);
  void RunLayoutPass();
  void MeasureLayout();
  void SetImageList(TCustomImageList*& Field, TCustomImageList* Value);
  void FontChanged(TObject* Sender);
  void CalcBandsAndHeaders(TdxTreeListDrawInfo& Info);
  void CalcHeaderRow(TdxTreeListDrawInfo& Info, const TdxTreeListBandItem& Band, int Row);
  void CalcRows(TdxTreeListDrawInfo& Info);
  void HitTestPanels(const TdxTreeListDrawInfo& Info, POINT P, TdxTreeListHitInfo& Hit);
  bool HitTestBandPanel(const TdxTreeListDrawInfo& Info, POINT P, TdxTreeListHitInfo& Hit);
  bool HitTestHeaderPanel(const TdxTreeListDrawInfo& Info, POINT P, TdxTreeListHitInfo& Hit);
  void HitTestRows(const TdxTreeListDrawInfo& Info, POINT P, TdxTreeListHitInfo& Hit);
  void HitTestTreePart(const TdxTreeListDrawInfo& Info, const TdxTreeListRowItem& Row, POINT P,
                       TdxTreeListHitInfo& Hit);
  bool IsBandSizable(int V);
  bool IsCellSelected(const TdxTreeListRowItem& Row, bool IsFocusedCell);
  void GetCellColors(TdxTreeListNode* Node, bool Selected, int Column, HBRUSH& Brush, TColor& TextColor,
                     TColor& Color);
  void PaintBandPanel(const TdxTreeListDrawInfo& Info);
  void PaintHeaderPanel(const TdxTreeListDrawInfo& Info);
  void PaintIndicator(const TdxTreeListDrawInfo& Info);
  void PaintFooter(const TdxTreeListDrawInfo& Info);
  // The cells of a row's FooterIndex-th row footer, shifted left by Shift pixels.
  void PaintRowFooterCells(const TdxTreeListDrawInfo& Info, TdxTreeListNode* Node, int FooterIndex,
                           const RECT& Footer, int Shift);
  void PaintNewItemRow(const TdxTreeListDrawInfo& Info);
  bool IsNewItemCellSelected(bool IsFocusedCell);
  void PaintFilterStatus(const TdxTreeListDrawInfo& Info);
  void PaintRows(const TdxTreeListDrawInfo& Info);
  void PaintTreePart(const TdxTreeListDrawInfo& Info, const TdxTreeListRowItem& Row,
                     std::vector<POINT>& Lines);
  void PaintDataRow(const TdxTreeListDrawInfo& Info, const TdxTreeListRowItem& Row, std::vector<POINT>& Grid);
  void PaintFocusMark(const RECT& Rect);
  void AddDragImage(TBitmap* Bitmap, TColor MaskColor);

  std::vector<TdxTreeListNode*> roots_;
  std::vector<TdxTreeListNode*> pending_;
  TdxTreeListNode* focused_ = nullptr;
  int focusedColumn_ = -1;
  int focusedColumnAbsolute_ = -1;
  TdxTreeListNode* top_ = nullptr;
  TdxTreeListNode* selectionAnchor_ = nullptr;
  // A node a descendant may park while it builds a range selection.
  TdxTreeListNode* parkedRangeNode_ = nullptr;
  bool keyboardSelecting_ = false;
  bool searchActive_ = false;
  bool multiSortClick_ = false;
  TdxTreeListHitInfo pressHit_;
  POINT pressPoint_{};
  int sizingPos_ = -1, sizingStart_ = -1;
  int pressedColumn_ = -1;
  bool pressedOver_ = false;
  bool selectingWithKeys_ = false, deselectOthersAtRelease_ = false;
  // The press was in the new-item row (or a node press was cut short by an update bracket): the
  // release may still open the editor.
  bool newItemRowClick_ = false;
  bool copyingParentFont_ = false;
  bool clickTimer_ = false;
  bool firingDblClick_ = false;
  bool removeSortClick_ = false;
  String searchText_;
  int searchColumn_ = -1;
  int searchNesting_ = 0;
  TdxTreeListNode* mouseDownNode_ = nullptr;
  TdxTreeListNode* dragNode_ = nullptr;
  TdxTreeListHotTrackInfo hotTrack_;
  TCursor normalCursor_ = crDefault;

  // Header, band and node drags and their feedback.
  int draggedBand_ = -1, pressedBand_ = -1;
  int draggedHeader_ = -1, pressedHeader_ = -1;
  bool pressedBandOver_ = false;
  POINT arrowsPos_{-100, -100};
  bool arrowsShown_ = false;
  SIZE arrowsBox_{11, 0};
  std::unique_ptr<TBitmap> arrowsBackground_;
  std::unique_ptr<TImageList> dragImages_;
  int feedbackCount_ = 0;
  TCursor dragFeedbackCursor_ = crDefault;
  TdxTreeListNode* dragOverNode_ = nullptr;
  bool expandTimer_ = false;
  TTimerOneKind timerOne_ = TTimerOneKind::None;
  HWND panAnchor_ = nullptr;
  bool panning_ = false;
  POINT lastHitTestPoint_{};
  bool clearFilterHot_ = false;
  int openFilterColumn_ = -1;
  TCursor panCursor_ = crDefault;
  TDragObject* engineDragObject_ = nullptr;
  std::unique_ptr<TdxContainerHintWindow> clearFilterHint_;
  bool hintShowTimer_ = false, hintHideTimer_ = false;

  // The visible-row cache: the nodes in row order, each node remembering its row.
  std::vector<TdxTreeListNode*> rows_;
  bool cacheValid_ = false;
  bool noCaching_ = false;
  // Row heights cached by nodes in another generation count as not cached (ResetRowHeights).
  uint32_t rowHeightsGeneration_ = 1;
  TdxTreeListNode* pendingNode_ = nullptr;
  bool pendingWasVisible_ = false;
  bool pendingRemoval_ = false;
  bool clearing_ = false;

  int lockCount_ = 0;
  int selectionLock_ = 0;
  int selectionCountAtBegin_ = 0;
  int layoutPasses_ = 0;
  TdxTreeListState state_ = tsNormal;
  bool newItemRowActive_ = false;
  DWORD optionFlags_ = dxtlo::Default;
  DWORD optionFlagsEx_ = dxtlox::Default;

  TdxInplaceEdit* editor_ = nullptr;
  int editColumn_ = -1;
  TdxTreeListNode* editNode_ = nullptr;
  int lastValidatedColumn_ = -1;
  bool noRefocus_ = false;

  int leftCoord_ = 0;
  int visibleRowCount_ = 1;
  int fullVisibleRowCount_ = 1;

  TColor arrowsColor_ = 0x00FF00;
  TColor autoSearchColor_ = clNone;
  TColor autoSearchTextColor_ = clNone;
  TColor bandColor_ = clBtnFace;
  TColor fixedBandLineColor_ = clWindowFrame;
  TColor gridLineColor_ = clNone;
  TColor groupNodeColor_ = clBtnFace;
  TColor groupNodeTextColor_ = clNone;
  TColor headerColor_ = clBtnFace;
  TColor hideSelectionColor_ = clBtnFace;
  TColor hideSelectionTextColor_ = clBtnText;
  TColor highlightColor_ = clHighlight;
  TColor highlightTextColor_ = clHighlightText;
  TColor rowFooterColor_ = cl3DLight;
  TColor rowFooterTextColor_ = clWindowText;
  TColor treeLineColor_ = clGrayText;
  bool autoExpandOnSearch_ = true;
  bool dblClkExpanding_ = true;
  bool hideFocusRect_ = true;
  bool hideSelection_ = true;
  bool showBands_ = false, showFooter_ = false, showGrid_ = false, showNewItemRow_ = false;
  bool showRowFooter_ = false;
  bool showButtons_ = true, showHeader_ = true, showLines_ = true, showPreviewGrid_ = true, showRoot_ = true;
  bool showIndicator_ = false;
  bool rowHeightAssigned_ = false;
  TdxTreeLineStyle treeLineStyle_ = tlDot;
  TdxTreeListPaintStyle paintStyle_ = psStandard;
  TdxLookAndFeel lookAndFeel_ = lfStandard;
  TScrollStyle scrollBars_ = ssBoth;
  TBorderStyle borderStyle_ = bsSingle;
  int customizingRowCount_ = 11;
  int defaultRowHeight_ = 0;
  int fixedBandLineWidth_ = 2;
  int rowSeparatorLineWidth_ = 1;
  int indentDesc_ = 20;
  int maxRowLineCount_ = -1;
  int previewLines_ = 2;
  int waitForExpandNodeTime_ = 500;
  std::unique_ptr<TFont> bandFont_, headerFont_, previewFont_;
  TCustomImageList* images_ = nullptr;
  TCustomImageList* stateImages_ = nullptr;
  std::unique_ptr<TChangeLink> imagesLink_, stateImagesLink_;

  // Keyboard helpers (dxTLKeyboard.cpp).
  bool HandleSearchKey(WORD Key, TShiftState Shift);
  void HandleCtrlKey(WORD Key);
  void HandlePlainKey(WORD& Key, TShiftState& Shift);
  void HandleTabKey(TShiftState Shift);
  void HandleEnterThrough();
  void HandleLeftKey();
  void HandleRightKey();
  void HandleHomeEndKey(bool End, TShiftState Shift);
  void HandlePageKey(int Delta, TShiftState Shift);
  void MoveVertically(int Delta, TShiftState Shift);
  bool MoveThroughHeaderRows(int Delta, TShiftState Shift);
  void MovePage(int Delta);
  bool FocusTabStop(int From, int Delta);
  void FocusRowAndClearSelection(int Index);

  void WMSize(TWMSize& Message);
  void WMGetDlgCode(TMessage& Message);
  void WMTimer(TMessage& Message);
  void PressRow(TMouseButton Button, TShiftState Shift, const TdxTreeListHitInfo& Hit, bool WasFocused);
  bool PressHeaderArea(bool Double, const TdxTreeListHitInfo& Hit, int X);
  bool IsPastDragThreshold(int X, int Y) const;
  void MouseScrollRows(const TdxTreeListHitInfo& Hit, int X, int Y);
  bool IsOverPressedButton(const TdxTreeListHitInfo& Hit);
  bool PressPanelButton(const TdxTreeListHitInfo& Hit);
  void TrackPressedButton(const TdxTreeListHitInfo& Hit);
  void ReleasePanelButton(TdxTreeListState Released, const TdxTreeListHitInfo& Hit);
  bool StartSizing(const TdxTreeListHitInfo& Hit, bool Double, int X, int Y);
  void BeginSizing(TdxTreeListState State, int Position);
  int ClampSizingLine(int X, int Y);
  void ReleaseSizing(TdxTreeListState Released);
  void ListRowWidths(int V, int Row, std::vector<int>& Columns, std::vector<int>& Widths);
  void ReleaseColumnSizing();
  void StartClickTimer(bool WasFocused);
  void PressNewItemRow(TMouseButton Button, const TdxTreeListHitInfo& Hit, bool WasFocused);
  void OpenEditorAtRelease(TMouseButton Button, TShiftState Shift, TdxTreeListState Released,
                           const TdxTreeListHitInfo& Hit);
  void FireDblClick();
  int ClampColumnSizing(int X);
  bool GetHeaderItem(int Column, TdxTreeListHeaderItem& Item);
  void SortSiblings(std::vector<TdxTreeListNode*>& List, int Column, bool Descending);
  void SortLevel(std::vector<TdxTreeListNode*>& List, int Level, int Column, bool Descending);
  void WMSetFocus(TWMSetFocus& Message);
  void WMKillFocus(TWMSetFocus& Message);
  void WMHScroll(TMessage& Message);
  void WMVScroll(TMessage& Message);
  void WMCancelMode(TMessage& Message);
  // Toggles the column sizing line on the window, or on a paint DC that is clipped to what it repaints.
  void DrawSizingLine();
  void DrawSizingLineOn(HDC DC);
};
