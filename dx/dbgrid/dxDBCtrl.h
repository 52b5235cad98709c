// The data-aware tree-list control: the common base of the data-aware grid and the data-aware tree.
// It routes a dataset's notifications from its data link to virtual operations, binds columns to
// fields by name (or builds them from the fields), fills nodes from the current record and writes
// in-place edits back into the record. The derived controls own the link and decide how records
// become nodes.
#pragma once

#include <memory>
#include <vector>

#include "dx/dbgrid/dxDBColumn.h"
#include "dx/dbgrid/dxDBNodeValues.h"
#include "dx/treelist/dxTLControl.h"
#include "platform/data/DataLink.h"

class TCustomdxDBTreeListControl;
class TDataSource;

// One node's stored value of one column, beside the cell's display text.
struct TNodeVariantData {
  bool HasFieldValue = false;
  bool HasLookupKey = false;
  // The cell's text is the field's text of FieldValue, made when asked for instead of stored.
  bool TextFromValue = false;
  Variant FieldValue = Null();
  Variant LookupKeyValue = Null();
};

class TdxDBTreeListControlNode : public TdxTreeListTextNode {
  TRENVIK_CLASS(TdxDBTreeListControlNode, TdxTreeListTextNode);

 public:
  explicit TdxDBTreeListControlNode(TCustomdxTreeList* Owner) : TdxTreeListTextNode(Owner) {}
  // Deletes the node's record(s) from the dataset; the derived nodes know how.
  virtual void DeleteRecord() {}

  Variant KeyValue = Null();
  String PreviewText() const { return previewText_ ? *previewText_ : String(); }
  void SetPreviewText(const String& Text);

 private:
  friend class TCustomdxDBTreeListControl;
  // Most nodes have no preview: a pointer, not a string's room in each of a million nodes.
  std::unique_ptr<String> previewText_;
  // Sparse: only columns whose value differs from "no flags, both Null" keep an entry, so a million
  // nodes of mostly text columns stay small.
  TdxNodeValueList values_;
};

class TdxDBTreeListControlDataLink : public TDataLink {
  TRENVIK_CLASS(TdxDBTreeListControlDataLink, TDataLink);

 public:
  explicit TdxDBTreeListControlDataLink(TCustomdxDBTreeListControl* Control);
  ~TdxDBTreeListControlDataLink() override;
  TCustomdxDBTreeListControl* Control() const { return control_; }

  bool Modified() const { return modified_; }
  void SetModified() { modified_ = true; }
  // Reloads an edited record into the control, or cancels the dataset's pending change.
  void Reset();

  // The field map: entry i is a dataset field index, -1 for a name that found no field.
  void AddFieldToMap(const String& FieldName);
  void ClearFieldMap() { fieldMap_.clear(); }
  int FieldMapCount() const { return static_cast<int>(fieldMap_.size()); }
  TField* GetMappedField(int Index) const;

 protected:
  void ActiveChanged() override;
  void DataSetChanged() override;
  void DataSetScrolled(int Distance) override;
  void RecordChanged(TField* Field) override;
  void UpdateData() override;
  void LayoutChanged() override;
  void FocusControl(TField*& Field) override;

 private:
  TCustomdxDBTreeListControl* control_;
  std::vector<int> fieldMap_;
  bool modified_ = false;
};

using TdxGetEditColor = std::function<void(TObject* Sender, TdxTreeListNode* ANode,
                                           TdxDBTreeListColumn* AColumn, TColor& AColor)>;
using TdxGetPreviewTextEvent = std::function<void(TObject* Sender, TdxTreeListNode* Node, String& Text)>;

class TCustomdxDBTreeListControl : public TCustomdxTreeListControl {
  TRENVIK_CLASS(TCustomdxDBTreeListControl, TCustomdxTreeListControl);

 public:
  explicit TCustomdxDBTreeListControl(TComponent* AOwner);
  ~TCustomdxDBTreeListControl() override;

  // --- What the derived controls decide ---
  virtual TdxDBTreeListControlDataLink* GetDataLink() const = 0;
  TDataSource* GetDataSource() const { return GetDataLink()->DataSource(); }
  TDataSet* GetDataSet() const { return GetDataLink()->DataSet(); }
  virtual bool GetDefaultFields() = 0;
  virtual bool IsCancelOnExit() { return true; }
  virtual bool CanInsertRecords() = 0;
  virtual bool CanNavigate() = 0;
  virtual bool IsKeyFieldMissing() = 0;
  virtual bool IsLoadAllRecords() = 0;
  virtual bool IsUseBookmarks() = 0;
  virtual void SetInternalChange(bool Value) = 0;
  virtual bool IsInternalChange() { return false; }
  virtual TClass GetDefaultColumnClass() const { return TdxDBTreeListColumn::StaticClass(); }
  virtual TClass GetColumnClassForField(TField* Field) const;

  // --- Notifications from the data link ---
  virtual void DoDataChanged() {}
  virtual void DoLinkActive(bool) {}
  virtual void DoRecordChanged(TField*) {}
  virtual void DoScroll(int) {}
  virtual void DoUpdateData() { CloseEditor(); }
  virtual void DoLayoutChanged() {}
  virtual void RefreshNodeFromRecord(TdxTreeListNode*&) {}
  virtual void ColumnFieldChanged(TdxDBTreeListColumn*) {}
  virtual void ColumnNameChanged(const String&, const String&) {}
  virtual void RefreshDataLayout() { LayoutChanged(); }
  // A column's GroupIndex set outside loading; controls without grouping just store it.
  virtual void ChangeColumnGroupIndex(TdxDBTreeListColumn* Column, int NewIndex) {
    Column->StoreGroupIndex(NewIndex);
    Column->Changed(true);
  }

  // --- Properties ---
  const String& KeyField() const { return keyField_; }
  void SetKeyField(const String& Value);
  const String& PreviewFieldName() const { return previewFieldName_; }
  void SetPreviewFieldName(const String& Value);
  int PreviewMaxLength() const { return previewMaxLength_; }
  void SetPreviewMaxLength(int Value);
  int GrIndicatorWidth() const { return grIndicatorWidth_; }
  void SetGrIndicatorWidth(int Value);
  int GetGrIndicatorWidth() override { return grIndicatorWidth_; }
  TdxDBTreeListColumn* Columns(int Index) const { return GetDBColumn(Index); }
  TdxDBTreeListColumn* GetDBColumn(int Index) const;
  TField* BoundKeyField() const { return boundKeyField_; }
  TField* BoundPreviewField() const { return boundPreviewField_; }

  // --- Columns ---
  TdxDBTreeListColumn* FindColumnByFieldName(const String& FieldName) const;
  TdxDBTreeListColumn* FindDBColumnByName(const String& Name) const;
  TField* GetFocusedField();
  void FocusFieldColumn(TField* Field);
  TdxDBTreeListColumn* CreateColumnEx(TClass ColumnClass, TComponent* Owner);
  void AddColumnsFromDataSet(TDataSet* DataSet, TComponent* Owner);
  void DestroyColumns() override;
  void RefreshColumns() override;
  virtual void BuildFieldMap();
  virtual void BindColumnFields();
  // The footer summaries of a load pass: each record taken as it is walked, then the counts and
  // averages finished over RecordCount records and OnCalcSummary fired.
  void AccumulateFooter();
  void FinishFooter(int RecordCount);

  // --- Nodes and values ---
  virtual void FillNodeValues(TdxTreeListNode* Node);
  void BindPreviewField();
  String CutPreviewText(const String& Text) const;
  void WatchNode(TdxTreeListNode* Node);
  bool IsNodeWatched(TdxTreeListNode* Node) const;
  void GetNodeValueData(TdxTreeListNode* Node, int ColumnIndex, TNodeVariantData& Data) const;
  void SetNodeValueData(TdxTreeListNode* Node, int ColumnIndex, const TNodeVariantData& Data);
  void GetNodeColumnValue(TdxTreeListNode* Node, TdxDBTreeListColumn* Column, Variant& Value);
  // A cell's value: the stored field value when the node keeps one, else its text.
  void GetNodeVariant(TdxTreeListNode* Node, int Column, Variant& Value) override;
  // The stored text (or the text of the stored value), offered to the column's OnGetText.
  void GetNodeString(TdxTreeListNode* Node, int Column, String& Text) override;
  // The cell's text before OnGetText: stored, or made from the stored value.
  void GetNodeCellText(TdxTreeListNode* Node, int Column, String& Text);
  // A text set on a cell replaces the one its value would give.
  void SetNodeString(TdxTreeListNode* Node, int Column, const String& Text) override;
  // Stored values follow their columns as the texts do.
  void MoveColumnValues(int OldIndex, int NewIndex) override;
  void DeleteColumnValues(TdxTreeListNode* Node, int Index) override;
  double GetNodeColumnFloat(TdxTreeListNode* Node, TdxDBTreeListColumn* Column);
  // Visits every node, each before its children, until Visit answers true; answers that node.
  // Children are reached by index: a sibling walk would search the parent's list at every step.
  template <class F>
  TdxTreeListNode* FindNodeInTreeOrder(F&& Visit) const {
    std::vector<std::pair<const TdxTreeListNode*, int>> stack;
    for (int i = 0; i < GetCount(); ++i) {
      TdxTreeListNode* root = GetItem(i);
      if (Visit(root)) return root;
      stack.assign(1, {root, 0});
      while (!stack.empty()) {
        auto& [parent, next] = stack.back();
        if (next >= parent->GetCount()) {
          stack.pop_back();
          continue;
        }
        TdxTreeListNode* child = parent->GetItem(next++);
        if (Visit(child)) return child;
        if (child->GetCount()) stack.push_back({child, 0});
      }
    }
    return nullptr;
  }
  // Frees Node, or its nearest ancestor that would be left without children.
  void FreeNodeWithEmptyParents(TdxTreeListNode* Node);
  // Equal keys fall back to node order; a missing key compares equal.
  int CompareEqualNodes(TdxTreeListNode* Node1, TdxTreeListNode* Node2);
  // The sort marks of the columns that are not grouped go with the sorted-column list.
  void ClearSortedColumns() override;
  // An automatic sort by a column that is not grouped replaces the sort, unless Shift adds to it.
  void PrepareColumnSort(TdxTreeListColumn* Column) override;
  // The column the nodes are sorted by: the first sorted column that is not grouped; with
  // multi-column sort the first of the sorted-column list (which that column starts when empty).
  TdxDBTreeListColumn* GetPrimarySortColumn();
  int GetIndicatorKind(TdxTreeListNode* Node, bool Selected) override;
  bool IsEmptyReadOnlyDataSet();
  // Repaints Node's row when it is on screen.
  void InvalidateNode(TdxTreeListNode* Node);

  // --- Editing ---
  bool CanEditModify() override;
  bool CanEditAcceptChar(Char Key) override;
  const Variant& SavedEditValue() const { return savedEditValue_; }
  void SyncEditorWithField();
  void RefreshCurrentRecord(TField* Field, TdxTreeListNode*& Node);

  // --- Selection (held by record bookmark, or by node) and dataset search ---
  int GetSelectedCount() override { return static_cast<int>(selection_.size()); }
  TdxTreeListNode* GetSelectedNode(int Index) const;
  AnsiString GetSelectedBookmark(int Index) const;
  bool IsNodeSelected(TdxTreeListNode* Node) override;
  // The caller has made Node's record current (bookmark mode reads the current bookmark).
  void SetNodeSelected(TdxTreeListNode* Node, bool Value) override;
  void ClearSelection() override;
  int CompareBookmarkStrings(const AnsiString& A, const AnsiString& B) const;
  bool FindBookmark(const AnsiString& Bookmark, int& Index);
  // Incremental search: moves the dataset to the next record whose column text starts with Text,
  // ignoring case and going round the dataset once. Direction 0 from the current record forward,
  // 1 from the previous one backward, 2 from the next one forward. Node receives the found node
  // when every record has one; otherwise the dataset's scroll moves the focus.
  virtual bool FindNodeByText(int ColumnIndex, const String& Text, int Direction, TdxTreeListNode*& Node);

  // --- The process-wide list of data-aware controls ---
  static void RegisterDBTreeListControl(TCustomdxDBTreeListControl* Control);
  static void UnregisterDBTreeListControl(TCustomdxDBTreeListControl* Control);
  static bool IsDataSetChangingByControls(TDataSet* DataSet);

  TdxGetEditColor OnGetEditColor;
  TNotifyEvent OnChangeNodeEx;
  TTLExpandedEvent OnRefreshNodeData;
  TNotifyEvent OnBeforeCalcSummary;
  TNotifyEvent OnCalcSummary;
  TdxGetPreviewTextEvent OnGetPreviewText;

  bool InKeyDown = false;

 protected:
  bool IsLoadingControl() const { return loading_ || IsLoading(); }
  // Set while the control finishes reading its form (held by a TValueScope).
  bool& LoadingControlFlag() { return loading_; }
  void BindKeyField();
  void ClearBoundKeyField() { boundKeyField_ = nullptr; }
  virtual void DoChangeNodeEx();
  virtual void DoRefreshNodeData(TdxTreeListNode* Node);
  virtual void DoBeforeCalcSummary();
  TdxTreeListNode* CreateNode() override;
  bool FocusNode(TdxTreeListNode* Node) override;
  // The hot-tracked cell's column chooses the cursor before OnHotTrackNode has its say.
  void DoHotTrackNode(const TdxTreeListHotTrackInfo& Info, TCursor& Cursor) override;
  void DoDeletion(TdxTreeListNode* Node, TdxTreeListNode* Prior, bool Refocus, bool IsLast,
                  TdxTreeListNode* Next) override;
  void InitEditValue(TdxTreeListNode* Node, TdxInplaceEdit* Editor, Variant& Value) override;
  void SaveEditValue(TdxTreeListNode* Node, int Column, Variant& Value, TdxInplaceEdit* Editor) override;
  bool CanPlaceEditor() override;
  void DoEditing(TdxTreeListNode* Node, bool& Allow) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  // Columns are written with their control, in column order.
  void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;
  // A field the control was bound to is being freed: every reference to it is dropped.
  virtual void FieldRemoved(TField* Field);
  void FillNodePreview(TdxDBTreeListControlNode* Node);
  // Puts a reloaded node back into the selection, at its bookmark's place (or its node's place).
  void RestoreSelectionEntry(const AnsiString& Bookmark, TdxTreeListNode* Node);
  // Selects the records of Bookmarks, given in the dataset's order, as RestoreSelectionEntry does
  // each; a run that all follows the selection is appended at once instead of searched entry by entry.
  void RestoreSelectionRun(std::vector<AnsiString> Bookmarks);

 private:
  void RebuildDefaultColumns();

  String keyField_;
  String previewFieldName_;
  int previewMaxLength_ = 0;
  int grIndicatorWidth_ = 12;
  std::vector<TdxTreeListNode*> watchedNodes_;
  Variant savedEditValue_ = Unassigned();
  TField* boundKeyField_ = nullptr;
  TField* boundPreviewField_ = nullptr;
  size_t valueEntriesHint_ = 0;
  bool loading_ = false;
  bool destroyingDefaultColumns_ = false;
  struct TSelectionEntry {
    AnsiString Bookmark;
    TdxTreeListNode* Node;
  };
  std::vector<TSelectionEntry> selection_;
  struct TFindCache {
    AnsiString Bookmark;
    bool Found = false;
    int Index = -1;
  } findCache_;
  void SelectionChanged() { findCache_.Index = -1; }
  bool MatchesSearch(TField* Field, const String& Text) const;
};

// Runs the engine's work with the dataset's controls disabled, enabling them again on every exit.
class TDisableControlsScope {
 public:
  explicit TDisableControlsScope(TDataSet* DataSet);
  ~TDisableControlsScope();
  TDisableControlsScope(const TDisableControlsScope&) = delete;
  TDisableControlsScope& operator=(const TDisableControlsScope&) = delete;

 private:
  TDataSet* dataSet_;
};
