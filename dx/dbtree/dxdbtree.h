// TdxDBTreeView: a tree of the records of a self-referencing table (KeyField, ParentField), kept
// in step with the dataset through TDataLinkTreeView and writing the user's node changes back as
// record inserts, parent and text changes, deletions and copies.
#pragma once

#include <functional>
#include <memory>
#include <unordered_set>
#include <vector>

#include "dx/dbtree/dxdbtreeNodes.h"
#include "dx/dbtree/dxtree.h"
#include "platform/data/DataLink.h"
#include "platform/data/DataSet.h"
#include "platform/data/DataSource.h"
#include "platform/data/Field.h"

TRENVIK_ENUM(TdxDBTreeViewOption, trDBCanDelete, trDBConfirmDelete, trCanDBNavigate, trSmartRecordLoad,
             trSmartRecordCopy, trCheckHasChildren);
using TdxDBTreeViewOptions = Set<TdxDBTreeViewOption>;
TRENVIK_ENUM(TdxDBTreeViewAction, trDBInsert, trDBDelete, trDBChangeText, trDBChangeParent, trDBMove);

using TdxDBTreeViewActionEvent =
    std::function<void(TObject* Sender, TdxDBTreeNode* DBNode1, TdxDBTreeNode* DBNode2,
                       TdxDBTreeViewAction Action, bool& Automatic)>;
using TAddNewDBTreeNodeEvent = std::function<void(TObject* Sender, TdxDBTreeNode*& DBTreeNode)>;
using TCreateNewKeyValue = std::function<void(TObject* Sender, Variant& NewKeyValue)>;
using TSetDisplayItemText = std::function<void(TObject* Sender, String& DisplayText)>;
using TDBTreeRefreshNodeEvent = std::function<void(TObject* Sender, TdxDBTreeNode* DBTreeNode)>;
using TInsertNodeErrorEvent = std::function<void(TObject* Sender, const Exception& E)>;
// Field values could not be copied with a dropped record: the names of the fields left out.
using TCopyFieldsErrorEvent = std::function<void(TObject* Sender, const std::vector<String>& FieldNames)>;

class TdxDBTreeView;

class TDataLinkTreeView : public TDataLink {
  TRENVIK_CLASS(TDataLinkTreeView, TDataLink);

 public:
  explicit TDataLinkTreeView(TdxDBTreeView* View) : view_(View) { SetVisualControl(true); }
  void Detach() { view_ = nullptr; }

 protected:
  void ActiveChanged() override;
  void DataSetChanged() override;
  void DataSetScrolled(int Distance) override;
  void RecordChanged(TField* Field) override;

 private:
  void RememberFilter();
  TdxDBTreeView* view_;
  String filter_;
  bool filtered_ = false;
};

class TdxDBTreeView : public TCustomdxTreeView {
  TRENVIK_CLASS(TdxDBTreeView, TCustomdxTreeView);

 public:
  explicit TdxDBTreeView(TComponent* AOwner);
  ~TdxDBTreeView() override;

  TDataSource* DataSource() const { return dataLink_->DataSource(); }
  void SetDataSource(TDataSource* Value);
  TDataSet* DataSet() const { return dataLink_->DataSet(); }
  const String& KeyField() const { return keyFieldName_; }
  void SetKeyField(const String& Value) { SetFieldName(keyFieldName_, Value); }
  const String& ListField() const { return listFieldName_; }
  void SetListField(const String& Value) { SetFieldName(listFieldName_, Value); }
  const String& ParentField() const { return parentFieldName_; }
  void SetParentField(const String& Value) { SetFieldName(parentFieldName_, Value); }
  const String& DisplayField() const { return displayFieldName_; }
  void SetDisplayField(const String& Value) { SetFieldName(displayFieldName_, Value); }
  const String& ImageIndexField() const { return imageIndexFieldName_; }
  void SetImageIndexField(const String& Value) { SetFieldName(imageIndexFieldName_, Value); }
  const String& StateIndexField() const { return stateIndexFieldName_; }
  void SetStateIndexField(const String& Value) { SetFieldName(stateIndexFieldName_, Value); }
  const String& SeparatedSt() const { return separatedSt_; }
  void SetSeparatedSt(const String& Value);
  TdxDBTreeViewOptions Options() const { return options_; }
  void SetOptions(TdxDBTreeViewOptions Value);
  const Variant& RootValueVariant() const { return rootValue_; }
  String RootValue() const { return VarIsNull(rootValue_) ? String() : VarToStr(rootValue_); }
  void SetRootValue(const String& Value);
  bool RaiseOnError() const { return raiseOnError_; }
  void SetRaiseOnError(bool Value) { raiseOnError_ = Value; }

  bool Locked() const { return locked_; }
  TdxDBTreeNodes* DBNodes() const { return nodes_.get(); }
  TdxDBTreeNode* FindNode(const Variant& Key) const { return nodes_->FindNode(Key); }
  // The node of the dataset's current record.
  TdxDBTreeNode* CurrentNode() const;
  Variant NewKeyValue();
  String GetNodeDisplayText();
  void SelectByKey(const Variant& Key);
  void LoadChildren(TdxDBTreeNode* Node, bool Recursive);
  void SetChildLoaded(TdxDBTreeNode* Node, bool Value);
  void LoadTree();
  void Rebind();

  TAddNewDBTreeNodeEvent OnAddNewItem;
  TCreateNewKeyValue OnCreateNewKeyValue;
  TSetDisplayItemText OnSetDisplayItemText;
  TInsertNodeErrorEvent OnInsertNodeError;
  TdxDBTreeViewActionEvent OnDBAction;
  TDBTreeRefreshNodeEvent OnRefreshNode;
  TCopyFieldsErrorEvent OnCopyFieldsError;

 protected:
  friend class TDataLinkTreeView;
  friend class TdxDBTreeNode;
  void CreateHandle() override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  TTreeNode* CreateNode() override;
  void Change(TTreeNode* Node) override;
  bool CanExpand(TTreeNode* Node) override;
  void Collapse(TTreeNode* Node) override;
  void NodeInserted(TTreeNode* Node) override;
  void NodeFreed() override;
  void WndProc(TMessage& Message) override;

  void DoCustomDraw(TTreeNode* Node, TFont* Font, TColor& Color, TColor& BkColor) override;
  void GetNodeCopyText(TTreeNode* Node, String& Text) override;
  bool CopyNodeData(const TTreeNodeList& SourceNodes, const TTreeNodeList& NewNodes, bool CopyData) override;
  void CollectNodes(TTreeNode* Node, TTreeNodeList& List) override;
  bool IsCustomDraw() override;
  void LabelEditBegun(TTreeNode* Node, HWND Editor) override;
  void Edit(const TVITEM& Item) override;
  virtual bool DoDBAction(TdxDBTreeNode* DBNode1, TdxDBTreeNode* DBNode2, TdxDBTreeViewAction Action);

 private:
  void SetFieldName(String& Name, const String& Value);
  void BindFields();
  void ClearNodes();
  bool Smart() const { return options_.Contains(trSmartRecordLoad); }
  TdxDBTreeNode* AddOrRefreshRecord();
  void ReadRecords();
  void LoadChildrenOnPath(TdxDBTreeNode* Node, bool Recursive, std::vector<Variant>& Path);
  void ReparentRefreshed();
  void DeleteUnrefreshed();
  void SyncSelectionToRecord();
  void ReloadTree();
  void EditFieldChanged(TField* Field);
  void InsertFieldChanged(TField* Field);
  void ReparentNode(TdxDBTreeNode* Node, const Variant& Value);
  Variant FieldValue(TField* Field) const;
  Variant DataSetMaxKey();
  // Writing node changes to the dataset.
  void InsertNodeRecord(TdxDBTreeNode* Node, TdxDBTreeNode* Parent);
  void ChangeNodeParent(TdxDBTreeNode* Node, TdxDBTreeNode* NewParent);
  void WriteNodeText(TdxDBTreeNode* Node);
  void NodeDestroying(TdxDBTreeNode* Node);
  void DeleteNodeRecord(const Variant& Key);
  void AppendCopyRecord(TdxDBTreeNode* Node, TdxDBTreeNode* Source, TdxDBTreeView* SourceView);
  void CopyRecordFields(TdxDBTreeView* SourceView, const Variant& SourceKey, const Variant& NewKey,
                        const std::vector<String>& Names, std::vector<String>& Failed);
  void ReportCopyFailures(const std::vector<String>& Failed);

  std::unique_ptr<TDataLinkTreeView> dataLink_;
  std::unique_ptr<TdxDBTreeNodes> nodes_;
  String keyFieldName_, listFieldName_, parentFieldName_, displayFieldName_, imageIndexFieldName_,
      stateIndexFieldName_;
  String separatedSt_ = u" - ";
  Variant rootValue_;
  TdxDBTreeViewOptions options_;
  TField* keyField_ = nullptr;
  TField* listField_ = nullptr;
  TField* parentField_ = nullptr;
  TField* imageIndexField_ = nullptr;
  TField* stateIndexField_ = nullptr;
  std::vector<TField*> displayFields_;
  // Keys of nodes freed by the user whose records go once the nodes are gone.
  std::vector<Variant> pendingDeletes_;
  bool locked_ = false;
  bool unloadingChildren_ = false;
  bool raiseOnError_ = true;
  bool editFieldChanging_ = false;
  // The label editor's own window procedure, while this view filters its characters.
  WNDPROC labelEditorProc_ = nullptr;
  // The dataset went into edit state for a label edit: a cancelled edit cancels it.
  bool labelEditStartedEdit_ = false;
  static LRESULT LabelEditorProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
};
