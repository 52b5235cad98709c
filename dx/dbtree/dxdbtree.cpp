// TdxDBTreeView: construction, field binding, keys for new nodes, display texts, and the selection
// moving the dataset.
#include "dx/dbtree/dxdbtree.h"

#include "dx/dbtree/dxDataSetScopes.h"
#include "dx/dbtree/dxlocate.h"
#include "platform/rtl/ScopeExit.h"

TRENVIK_IMPLEMENT_CLASS(TDataLinkTreeView)

TdxDBTreeView::TdxDBTreeView(TComponent* AOwner)
    : TCustomdxTreeView(AOwner),
      dataLink_(std::make_unique<TDataLinkTreeView>(this)),
      nodes_(std::make_unique<TdxDBTreeNodes>(this)),
      rootValue_(Null()),
      options_{trDBCanDelete, trDBConfirmDelete, trCanDBNavigate, trSmartRecordCopy, trCheckHasChildren} {}

TdxDBTreeView::~TdxDBTreeView() {
  // The nodes go without touching their records.
  nodes_->SetDestroying(true);
  Items()->Clear();
  dataLink_->Detach();
  dataLink_->SetDataSource(nullptr);
}

void TdxDBTreeView::SetDataSource(TDataSource* Value) {
  dataLink_->SetDataSource(Value);
  if (Value) Value->FreeNotification(this);
}

void TdxDBTreeView::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomdxTreeView::Notification(AComponent, Operation);
  if (Operation == opRemove && dataLink_ && AComponent == DataSource()) SetDataSource(nullptr);
}

void TdxDBTreeView::SetFieldName(String& Name, const String& Value) {
  if (Name == Value) return;
  Name = Value;
  Rebind();
}

void TdxDBTreeView::SetSeparatedSt(const String& Value) {
  if (separatedSt_ == Value) return;
  separatedSt_ = Value;
  if (!displayFields_.empty()) Rebind();
}

void TdxDBTreeView::SetOptions(TdxDBTreeViewOptions Value) {
  if (options_ == Value) return;
  options_ = Value;
  SetDeleteFlags(static_cast<Byte>((Value.Contains(trDBCanDelete) ? kDeleteByKey : 0) |
                                   (Value.Contains(trDBConfirmDelete) ? kDeleteConfirm : 0)));
  LoadTree();
}

void TdxDBTreeView::SetRootValue(const String& Value) {
  if (VarIsNull(rootValue_)) {
    rootValue_ = Variant(Value);
  } else {
    try {
      rootValue_ = VarAsType(Variant(Value), VarType(rootValue_));
    } catch (const Exception&) {
      rootValue_ = Null();
    }
  }
  if (!Smart()) return;
  TValueScope<bool> lock(locked_, true);
  ClearNodes();
  Rebind();
}

void TdxDBTreeView::ClearNodes() {
  TValueScope<bool> lock(locked_, true);
  Items()->Clear();
}

static bool IsIndexFieldType(TFieldType t) {
  return t == ftSmallint || t == ftInteger || t == ftWord || t == ftFloat || t == ftCurrency ||
         t == ftAutoInc || t == ftLargeint;
}

void TdxDBTreeView::BindFields() {
  displayFields_.clear();
  if (!dataLink_->Active()) return;
  TDataSet* ds = DataSet();
  auto bind = [ds](const String& name) { return name.empty() ? nullptr : ds->FieldByName(name); };
  keyField_ = bind(keyFieldName_);
  listField_ = bind(listFieldName_);
  parentField_ = bind(parentFieldName_);
  imageIndexField_ = bind(imageIndexFieldName_);
  if (imageIndexField_ && !IsIndexFieldType(imageIndexField_->DataType())) imageIndexField_ = nullptr;
  stateIndexField_ = bind(stateIndexFieldName_);
  if (stateIndexField_ && !IsIndexFieldType(stateIndexField_->DataType())) stateIndexField_ = nullptr;
  if (!displayFieldName_.empty()) ds->GetFieldList(displayFields_, displayFieldName_);
}

static Variant KeyOfFieldKind(const Variant& Value, TFieldType Type) {
  switch (Type) {
    case ftSmallint:
      return VarAsType(Value, varSmallint);
    case ftInteger:
    case ftWord:
    case ftAutoInc:
      return VarAsType(Value, varInteger);
    case ftLargeint:
      return VarAsType(Value, varInt64);
    case ftFloat:
    case ftCurrency:
      return VarAsType(Value, varDouble);
    default:
      return Variant(VarToStr(Value));
  }
}

void TdxDBTreeView::Rebind() {
  keyField_ = listField_ = parentField_ = imageIndexField_ = stateIndexField_ = nullptr;
  displayFields_.clear();
  BindFields();
  if (keyField_ && !VarIsNull(rootValue_)) {
    try {
      rootValue_ = KeyOfFieldKind(rootValue_, keyField_->DataType());
    } catch (const EVariantError&) {
      rootValue_ = Null();
    }
  }
  if (HandleAllocated()) LoadTree();
}

bool TdxDBTreeView::DoDBAction(TdxDBTreeNode* DBNode1, TdxDBTreeNode* DBNode2, TdxDBTreeViewAction Action) {
  bool automatic = true;
  if (OnDBAction) OnDBAction(this, DBNode1, DBNode2, Action, automatic);
  return automatic;
}

Variant TdxDBTreeView::FieldValue(TField* Field) const { return Field ? Field->AsVariant() : Null(); }

// The largest key of the whole dataset, for on-demand mode where the loaded nodes are a subset.
Variant TdxDBTreeView::DataSetMaxKey() {
  TDataSet* ds = DataSet();
  if (!keyField_ || !ds || !ds->Active()) return nodes_->LastKey();
  Variant best = Null();
  TControlsDisabledScope controls(ds);
  TBookmarkScope back(ds);
  for (ds->First(); !ds->Eof(); ds->Next()) {
    Variant v = keyField_->AsVariant();
    if (!VarIsNull(v) && (VarIsNull(best) || KeyGreater(v, best))) best = v;
  }
  return best;
}

Variant TdxDBTreeView::NewKeyValue() {
  Variant key = Smart() && !OnCreateNewKeyValue ? DataSetMaxKey() : nodes_->LastKey();
  if (OnCreateNewKeyValue) {
    OnCreateNewKeyValue(nullptr, key);
    return key;
  }
  if (VarIsNull(key)) return Variant(0);
  try {
    key = key + Variant(1);
  } catch (const Exception&) {
    // A key that does not count up stays as it is.
  }
  return key;
}

String TdxDBTreeView::GetNodeDisplayText() {
  String text;
  if (displayFields_.empty()) {
    if (listField_) text = listField_->Text();
  } else {
    for (std::size_t i = 0; i < displayFields_.size(); ++i) {
      if (i) text += separatedSt_;
      text += displayFields_[i]->Text();
    }
  }
  if (OnSetDisplayItemText) OnSetDisplayItemText(this, text);
  return text;
}

TdxDBTreeNode* TdxDBTreeView::CurrentNode() const {
  if (!keyField_) return nullptr;
  Variant key = keyField_->AsVariant();
  return VarIsNull(key) ? nullptr : FindNode(key);
}

TTreeNode* TdxDBTreeView::CreateNode() {
  if (!keyField_ || !parentField_) return nullptr;
  TdxDBTreeNode* node = nullptr;
  if (locked_) {
    node = new TdxDBTreeNode(Items(), nodes_.get(), keyField_->AsVariant());
  } else {
    node = new TdxDBTreeNode(Items(), nodes_.get(), NewKeyValue());
    node->isInserting_ = true;
  }
  if (SelectedIndex() != -1) node->SetSelectedIndex(SelectedIndex());
  return node;
}

void TdxDBTreeView::CreateHandle() {
  TValueScope<bool> lock(locked_, true);
  TCustomdxTreeView::CreateHandle();
}

void TdxDBTreeView::CreateWnd() {
  TCustomdxTreeView::CreateWnd();
  LoadTree();
}

void TdxDBTreeView::DestroyWnd() {
  TValueScope<bool> lock(locked_, true);
  if (HandleAllocated()) Items()->Clear();
  TCustomdxTreeView::DestroyWnd();
}

void TdxDBTreeView::Change(TTreeNode* Node) {
  if (!Node) return;
  if (!locked_) {
    TValueScope<bool> lock(locked_, true);
    auto* dbNode = static_cast<TdxDBTreeNode*>(Node);
    TDataSet* ds = DataSet();
    const Variant& key = dbNode->KeyValue();
    if (keyField_ && ds && !VarIsNull(key) && !VarIsEmpty(key) && !KeyEquals(key, keyField_->AsVariant()) &&
        ds->State() != dsInsert && !ds->IsEmpty()) {
      try {
        LocateRecord(ds, keyFieldName_, key);
      } catch (const Exception&) {
        // A record that cannot be reached leaves the dataset where it is.
      }
    }
  }
  TCustomdxTreeView::Change(Node);
}

void TdxDBTreeView::DoCustomDraw(TTreeNode* Node, TFont* Font, TColor& Color, TColor& BkColor) {
  if (OnCustomDraw) {
    TCustomdxTreeView::DoCustomDraw(Node, Font, Color, BkColor);
    return;
  }
  auto* dbNode = static_cast<TdxDBTreeNode*>(Node);
  if (!dbNode || !dbNode->CustomDrawn) return;
  Font->SetStyle(dbNode->FontStyle);
  Font->SetName(dbNode->FontName);
  Color = dbNode->Color;
  BkColor = dbNode->BkColor;
}

bool TdxDBTreeView::IsCustomDraw() {
  return TCustomdxTreeView::IsCustomDraw() || nodes_->CustomDrawCount > 0;
}

void TdxDBTreeView::GetNodeCopyText(TTreeNode* Node, String& Text) {
  if (!Node) return;
  auto* dbNode = dynamic_cast<TdxDBTreeNode*>(Node);
  Text = displayFields_.empty() || !dbNode ? Node->Text() : dbNode->ListText();
}

void TdxDBTreeView::CollectNodes(TTreeNode* Node, TTreeNodeList& List) {
  if (Smart() && InternalOperation())
    if (auto* dbNode = dynamic_cast<TdxDBTreeNode*>(Node)) LoadChildren(dbNode, true);
  TCustomdxTreeView::CollectNodes(Node, List);
}
