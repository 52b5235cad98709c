// The data-aware tree: a self-referencing table shown as a tree. KeyField names a record's key,
// ParentField its parent's key, RootValue the parent value of the top-level records. The tree is
// loaded whole or level by level as nodes expand; the focused node and the current record follow
// each other. Parent chains in the data may form cycles: every walk along them stops at a key it
// has already seen.
#pragma once

#include <functional>
#include <optional>
#include <vector>

#include "dx/dbgrid/dxDBCtrl.h"
#include "platform/classes/Set.h"
#include "platform/classes/TypInfo.h"

TRENVIK_ENUM(TdxDBTreeListOptionDB, etoAutoCalcKeyValue, etoCancelOnExit, etoCanDelete, etoCanInsert,
             etoCanNavigation, etoCheckHasChildren, etoConfirmDelete, etoLoadAllRecords, etoResetColumnFocus,
             etoSyncSelection, etoUseBookmarks);
using TdxDBTreeListOptionsDB = Set<TdxDBTreeListOptionDB>;

inline constexpr TdxDBTreeListOptionsDB kDefaultDBTreeListOptionsDB = {
    etoAutoCalcKeyValue, etoCancelOnExit,  etoCanDelete,     etoCanNavigation,
    etoCheckHasChildren, etoConfirmDelete, etoLoadAllRecords};

TRENVIK_ENUM(TdxDBTreeListOptionBehavior, etoAnsiSort, etoAutoCopySelectedToClipboard, etoAutoDragDrop,
             etoAutoDragDropCopy, etoAutoSearch, etoAutoSort, etoBandButtonClicking, etoCaseInsensitive,
             etoDblClick, etoDragCollapse, etoDragExpand, etoDragScroll, etoEditing, etoEnterShowEditor,
             etoEnterThrough, etoHeaderButtonClicking, etoHorzThrough, etoImmediateEditor, etoMouseScroll,
             etoMultiSelect, etoShowHourGlass, etoStoreToIniFile, etoStoreToRegistry, etoTabs, etoTabThrough,
             etoVertThrough);
using TdxDBTreeListOptionsBehavior = Set<TdxDBTreeListOptionBehavior>;

TRENVIK_ENUM(TdxDBTreeListOptionCustomize, etoBandMoving, etoBandPanelSizing, etoBandSizing, etoColumnMoving,
             etoColumnSizing, etoExtCustomizing, etoFullSizing, etoHeaderPanelSizing, etoKeepColumnWidth,
             etoRowSizing);
using TdxDBTreeListOptionsCustomize = Set<TdxDBTreeListOptionCustomize>;

TRENVIK_ENUM(TdxDBTreeListOptionView, etoAutoCalcPreviewLines, etoAutoHeaderPanelHeight, etoAutoWidth,
             etoBandHeaderWidth, etoDrawEndEllipsis, etoHideFocusRect, etoHotTrack, etoIndicator,
             etoInvertSelect, etoPreview, etoRowAutoHeight, etoRowSelect, etoShowButtonAlways, etoUseBitmap,
             etoUseImageIndexForSelected);
using TdxDBTreeListOptionsView = Set<TdxDBTreeListOptionView>;

// The options the engine's option words at creation stand for.
inline constexpr TdxDBTreeListOptionsCustomize kDefaultDBTreeListOptionsCustomize = {
    etoBandMoving, etoBandSizing, etoColumnMoving, etoColumnSizing, etoKeepColumnWidth};
inline constexpr TdxDBTreeListOptionsView kDefaultDBTreeListOptionsView = {
    etoBandHeaderWidth, etoRowSelect, etoUseBitmap, etoUseImageIndexForSelected};
inline constexpr TdxDBTreeListOptionsBehavior kDefaultDBTreeListOptionsBehavior = {
    etoAutoDragDrop, etoAutoDragDropCopy, etoAutoSort,        etoDragExpand, etoDragScroll,
    etoEditing,      etoEnterShowEditor,  etoImmediateEditor, etoTabThrough};

using TdxGetUniqueKeyValueEvent = std::function<void(TObject* Sender, Variant& UniqueKeyValue)>;
using TdxDBTreeListMoveToEvent =
    std::function<void(TObject* Sender, TdxTreeListNode* AttachNode, TdxTreeListNodeAttachMode AttachMode,
                       const std::vector<TdxTreeListNode*>& Nodes, bool& IsCopy, bool& Done)>;

class TdxDBTreeListNode : public TdxDBTreeListControlNode {
  TRENVIK_CLASS(TdxDBTreeListNode, TdxDBTreeListControlNode);

 public:
  explicit TdxDBTreeListNode(TCustomdxTreeList* Owner) : TdxDBTreeListControlNode(Owner) {}
  // Deletes the node's record and the records of its whole subtree, descendants first.
  void DeleteRecord() override;

  Variant ParentValue = Null();
};

class TCustomdxDBTreeList : public TCustomdxDBTreeListControl {
  TRENVIK_CLASS(TCustomdxDBTreeList, TCustomdxDBTreeListControl);

 public:
  explicit TCustomdxDBTreeList(TComponent* AOwner);
  ~TCustomdxDBTreeList() override;

  // --- Properties ---
  TDataSource* DataSource() const { return dataLink_->DataSource(); }
  void SetDataSource(TDataSource* Value);
  const String& ParentField() const { return parentField_; }
  void SetParentField(const String& Value);
  String RootValue() const { return VarIsNull(rootValue_) ? String() : VarToStr(rootValue_); }
  void SetRootValue(const String& Value);
  Variant RootValueAsVariant() const;
  const String& ImageIndexFieldName() const { return imageIndexFieldName_; }
  void SetImageIndexFieldName(const String& Value);
  TdxDBTreeListOptionsDB OptionsDB() const { return optionsDB_; }
  void SetOptionsDB(TdxDBTreeListOptionsDB Value);
  TdxDBTreeListOptionsBehavior OptionsBehavior() const { return optionsBehavior_; }
  void SetOptionsBehavior(TdxDBTreeListOptionsBehavior Value);
  TdxDBTreeListOptionsCustomize OptionsCustomize() const { return optionsCustomize_; }
  void SetOptionsCustomize(TdxDBTreeListOptionsCustomize Value);
  TdxDBTreeListOptionsView OptionsView() const { return optionsView_; }
  void SetOptionsView(TdxDBTreeListOptionsView Value);

  // --- Inserting, deleting and moving records ---
  virtual bool CanAutoCalcKeyValue();
  virtual bool IsAutoDragDrop() { return optionsBehavior_.Contains(etoAutoDragDrop); }
  // A key for a new record: OnGetUniqueKeyValue's, else with every record loaded the largest key
  // plus 1 plus Offset (0 for keys that are not numbers or an empty tree); Null otherwise.
  virtual void GetUniqueKeyValue(int Offset, Variant& Key);
  // The node and attach mode a drop at the client point X, Y means; false when there is none or a
  // dragged node may not go there.
  virtual bool GetDropTarget(int X, int Y, TdxTreeListNode*& Node, TdxTreeListNodeAttachMode& Mode);
  // Asks, with etoConfirmDelete, whether to delete; true without it.
  bool ConfirmDelete();
  // Adds the node of the record the dataset has just started inserting.
  void InsertNodeForNewRecord();
  void DeleteSelectedNodes() override;
  // Gives the records of Nodes (ancestors of others among them count once) the parent the attach
  // mode means at Target, or inserts copies of their subtrees there with new keys.
  void MoveNodeRecords(const std::vector<TdxTreeListNode*>& Nodes, TdxTreeListNode* Target,
                       TdxTreeListNodeAttachMode Mode, bool Copy);
  // The nodes a drag takes along: the selection when it holds the node a mouse drag started from,
  // else that node alone; without a mouse drag, the selected nodes, else the focused one.
  std::vector<TdxTreeListNode*> DraggedNodes();
  TdxTreeListNode* PendingRecordNode() const { return pendingRecordNode_; }
  bool IsDragCopy() const;
  void DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept) override;
  void DragDrop(TObject* Source, int X, int Y) override;

  TdxGetUniqueKeyValueEvent OnGetUniqueKeyValue;
  TdxDBTreeListMoveToEvent OnMoveTo;

  // --- The data-aware base's questions ---
  TdxDBTreeListControlDataLink* GetDataLink() const override { return dataLink_.get(); }
  bool GetDefaultFields() override { return false; }
  bool IsCancelOnExit() override { return optionsDB_.Contains(etoCancelOnExit); }
  bool CanInsertRecords() override { return optionsDB_.Contains(etoCanInsert); }
  bool CanNavigate() override { return optionsDB_.Contains(etoCanNavigation); }
  bool IsKeyFieldMissing() override { return !BoundKeyField() || !boundParentField_; }
  bool IsLoadAllRecords() override { return optionsDB_.Contains(etoLoadAllRecords); }
  bool IsUseBookmarks() override { return optionsDB_.Contains(etoUseBookmarks); }
  void SetInternalChange(bool Value) override { internalChange_ = Value; }
  bool IsInternalChange() override { return internalChange_ || ignoreNextDataChange_; }
  TClass GetColumnClassForField(TField* Field) const override;

  // --- Loading and following the dataset ---
  void BindKeyFields();
  TdxTreeListNode* FindNodeByKey(const Variant& Key) const;
  void LoadTree(TdxTreeListNode* Node);
  void Reload(bool ClearFirst);
  void ReloadNodes();
  void FocusCurrentRecordNode();
  void SyncFocusWithRecord();
  bool LocateNodeRecord(TdxTreeListNode* Node, const Variant& Key);
  // True when the parent chain from ParentValue reaches RootValue; a cycle answers False.
  bool IsInRootChain(const Variant& ParentValue);

  void DoLinkActive(bool Active) override;
  void DoDataChanged() override;
  void DoRecordChanged(TField* Field) override;
  void DoScroll(int Distance) override;
  void DoLayoutChanged() override { Reload(false); }
  void RefreshNodeFromRecord(TdxTreeListNode*& Node) override;
  void RefreshDataLayout() override;
  void ColumnFieldChanged(TdxDBTreeListColumn* Column) override;
  void FillNodeValues(TdxTreeListNode* Node) override;
  void SetFocusedNode(TdxTreeListNode* Node, int Column, bool MakeVisible) override;
  String GetPreviewText(TdxTreeListNode* Node) override;
  // Sorting (dxDBTLSort.cpp): texts of string columns (upper-cased when case-insensitive), else the
  // stored field values; the nodes follow the primary sort column after every load.
  void GetNodeSortValue(TdxTreeListNode* Node, int Column, Variant& Value) override;
  void ApplySorting() override;
  void ColumnSorted(TdxTreeListColumn* Column) override;

 protected:
  TdxTreeListNode* CreateNode() override { return new TdxDBTreeListNode(this); }
  // The first load happens once the whole form is read.
  void Loaded() override;
  void DoExpanding(TdxTreeListNode* Node, bool& Allow) override;
  void FieldRemoved(TField* Field) override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void DoBeginDragNode(TdxTreeListNode* Node) override;
  void DoEndDragInternal(TObject* Target, int X, int Y) override;

 private:
  friend class TdxDBTreeListNode;
  struct TLoadState;
  void LoadAll(TLoadState& State);
  void LoadChildren(TLoadState& State, TdxTreeListNode* Parent, const Variant& ParentKey,
                    std::vector<TdxTreeListNode*>* Collect);
  void LoadAncestorChain(TLoadState& State, const Variant& ParentValue);
  TdxTreeListNode* AddOrRefreshNode(TLoadState& State, const Variant& Key, const Variant& Parent);
  // The keys of Node's subtree, Node's own first and each before its descendants.
  void CollectSubtreeKeys(TdxDBTreeListNode* Node, std::vector<Variant>& Keys);
  // Nodes by level, shallowest first, without those whose ancestor comes just before them.
  static std::vector<TdxTreeListNode*> TopmostNodes(std::vector<TdxTreeListNode*> Nodes);
  // True when the record the dataset is inserting has not been touched.
  bool IsUntouchedInsert();
  // Inserts copies of the subtrees of the records with Keys, under the parent value Parent.
  void CopyNodeRecords(const std::vector<Variant>& Keys, const Variant& Parent);
  bool IsBelowTheRows(int Y);

  std::unique_ptr<TdxDBTreeListControlDataLink> dataLink_;
  String parentField_;
  String imageIndexFieldName_;
  Variant rootValue_ = Null();
  TField* boundParentField_ = nullptr;
  TField* boundImageIndexField_ = nullptr;
  TdxDBTreeListOptionsDB optionsDB_ = kDefaultDBTreeListOptionsDB;
  TdxDBTreeListOptionsBehavior optionsBehavior_ = kDefaultDBTreeListOptionsBehavior;
  TdxDBTreeListOptionsCustomize optionsCustomize_ = kDefaultDBTreeListOptionsCustomize;
  TdxDBTreeListOptionsView optionsView_ = kDefaultDBTreeListOptionsView;
  TdxTreeListNode* pendingRecordNode_ = nullptr;
  // Whether a field of the new record changed after the control gave it its key.
  bool newRecordTouched_ = false;
  // The key of the node a mouse drag started from; the focus follows the pointer while it lasts.
  std::optional<Variant> dragStartKey_;
  bool internalChange_ = false;
  bool ignoreNextDataChange_ = false;
  bool syncingFocus_ = false;
  bool reloadingFromDataChange_ = false;
  bool columnChangeLock_ = false;
};

class TdxDBTreeList : public TCustomdxDBTreeList {
  TRENVIK_CLASS(TdxDBTreeList, TCustomdxDBTreeList);

 public:
  explicit TdxDBTreeList(TComponent* AOwner) : TCustomdxDBTreeList(AOwner) {}
};
