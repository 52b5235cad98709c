// The data-aware tree's record changes: new records with their node and key, the keyboard commands,
// deleting subtrees and moving or copying records by dragging their nodes.
#include <algorithm>
#include <memory>

#include "dx/dbgrid/dxDBTL.h"
#include "dx/dbgrid/dxDBTLInternal.h"
#include "platform/forms/Forms.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/win/Input.h"

using namespace dbtl_internal;

namespace {

// A copied record: its key, the values of the copied fields and the copies of its child records.
struct TNodeBuffer {
  Variant Key;
  std::vector<Variant> Values;
  std::vector<std::unique_ptr<TNodeBuffer>> Children;
};

bool IsNumberKey(const Variant& Key) {
  const TVarType t = VarType(Key);
  return t == varSmallint || t == varInteger || t == varSingle || t == varDouble || t == varCurrency;
}

}  // namespace

// --- New records ---

bool TCustomdxDBTreeList::CanAutoCalcKeyValue() {
  return optionsDB_.Contains(etoAutoCalcKeyValue) &&
         (optionsDB_.Contains(etoLoadAllRecords) || static_cast<bool>(OnGetUniqueKeyValue));
}

void TCustomdxDBTreeList::GetUniqueKeyValue(int Offset, Variant& Key) {
  Key = Null();
  if (OnGetUniqueKeyValue) {
    OnGetUniqueKeyValue(this, Key);
    return;
  }
  if (!optionsDB_.Contains(etoLoadAllRecords)) return;
  Variant largest = Null();
  if (BoundKeyField())
    FindNodeInTreeOrder([&](TdxTreeListNode* Node) {
      const Variant& key = TreeNode(Node)->KeyValue;
      if (Node != pendingRecordNode_ && !VarIsNull(key) &&
          (VarIsNull(largest) || CompareVariantValues(key, largest) > 0))
        largest = key;
      return false;
    });
  try {
    Key = IsNumberKey(largest) ? Variant(largest.AsDouble() + 1 + Offset) : Variant(0);
    if (VarType(largest) == varSmallint || VarType(largest) == varInteger) Key = Variant(Key.AsInteger());
  } catch (const Exception&) {
    Key = Null();  // a key beyond the numbers: no key offered
  }
}

void TCustomdxDBTreeList::InsertNodeForNewRecord() {
  TdxTreeListNode* focused = FocusedNode();
  TdxTreeListNode* node = focused && focused->Parent() ? focused->Parent()->AddChild() : Add();
  TreeNode(node)->KeyValue = Null();
  if (CanAutoCalcKeyValue() && BoundKeyField()->CanModify()) {
    Variant key;
    GetUniqueKeyValue(0, key);
    TValueScope<bool> internal(internalChange_, true);
    BoundKeyField()->SetValue(key);
  }
  newRecordTouched_ = false;
  FillNodeValues(node);
  if (boundParentField_) TreeNode(node)->ParentValue = boundParentField_->AsVariant();
  pendingRecordNode_ = node;
  if (!VarIsNull(TreeNode(node)->ParentValue))
    if (TdxTreeListNode* parent = FindNodeByKey(TreeNode(node)->ParentValue); parent && parent != node)
      node->MoveTo(parent, natlAddChild);
  const bool newItemRow = IsNewItemRowActive();
  TValueScope<bool> internal(internalChange_, true);
  TCustomdxDBTreeListControl::SetFocusedNode(node, GetFocusedColumn(), true);
  SetNewItemRowActive(newItemRow);
}

// --- Deleting ---

bool TCustomdxDBTreeList::ConfirmDelete() {
  if (!optionsDB_.Contains(etoConfirmDelete)) return true;
  const String text = GetSelectedCount() > 0 ? u"Delete all selected records?" : u"Delete record?";
  return MessageBox(Handle(), text, u"Confirm", MB_ICONQUESTION | MB_OKCANCEL) != IDCANCEL;
}

std::vector<TdxTreeListNode*> TCustomdxDBTreeList::TopmostNodes(std::vector<TdxTreeListNode*> Nodes) {
  std::stable_sort(Nodes.begin(), Nodes.end(),
                   [](TdxTreeListNode* A, TdxTreeListNode* B) { return A->GetLevel() < B->GetLevel(); });
  std::vector<TdxTreeListNode*> topmost;
  for (size_t i = 0; i < Nodes.size(); ++i)
    if (i == 0 || !Nodes[i]->HasAsParent(Nodes[i - 1])) topmost.push_back(Nodes[i]);
  return topmost;
}

void TCustomdxDBTreeList::DeleteSelectedNodes() {
  TCustomdxDBTreeListControl::DeleteSelectedNodes();
  if (!GetDataLink()->Active()) return;
  TDataSet* ds = GetDataSet();
  std::vector<TdxTreeListNode*> nodes;
  for (int i = 0; i < GetSelectedCount(); ++i) nodes.push_back(GetSelectedNode(i));
  ClearSelection();
  TDisableControlsScope disabled(ds);
  TdxTreeListUpdateScope update(this);
  if (IsEditState(ds)) ds->Cancel();
  // A node's record goes with its ancestor's subtree; the nodes are freed only by the reload after.
  for (TdxTreeListNode* node : TopmostNodes(nodes)) TreeNode(node)->DeleteRecord();
}

// --- Keys ---

bool TCustomdxDBTreeList::IsUntouchedInsert() {
  TDataSet* ds = GetDataSet();
  // The key the control gave the record is no change of the user's.
  return ds->State() == dsInsert && !newRecordTouched_ && !GetDataLink()->Modified();
}

void TCustomdxDBTreeList::KeyDown(WORD& Key, TShiftState Shift) {
  TDataSet* ds = GetDataSet();
  if (!GetDataLink()->Active() || !ds || IsSearching()) {
    TCustomdxDBTreeListControl::KeyDown(Key, Shift);
    return;
  }
  const bool ctrl = Shift.Contains(ssCtrl);
  if (Key == VK_DELETE && ctrl) {
    if (!IsNewItemRowActive() && optionsDB_.Contains(etoCanDelete) && CanNavigate() &&
        !GetDataLink()->ReadOnly() && FocusedNode() && !ds->IsEmpty() && ds->CanModify() && ConfirmDelete()) {
      if (GetSelectedCount() > 0)
        DeleteSelectedNodes();
      else
        TreeNode(FocusedNode())->DeleteRecord();
    }
    Key = 0;  // the engine never sees it, deleted or not
    return;
  }
  if (Key == VK_ESCAPE && State() != tsEditing) GetDataLink()->Reset();
  if (Key == VK_INSERT && !ctrl && !IsRowSelect() && ds->CanModify() && CanInsertRecords() && CanNavigate() &&
      BoundKeyField()) {
    HideEditor();
    ClearSelection();
    ds->Insert();
    ShowEditor();
  }
  if (Key == VK_UP && IsEditState(ds)) {
    // Only a record added at the end is given up; one inserted among the others is left to the
    // dataset's own rule when the focus moves off it.
    if (IsUntouchedInsert() && ds->Eof()) {
      ds->Cancel();
      if (TdxTreeListNode* last = GetLastNode()) SetFocusedNode(last, GetFocusedColumn(), true);
      Key = 0;
      return;
    }
    if (FocusedNode() == GetFirstNode()) ds->Post();
  }
  if (Key == VK_DOWN && IsEditState(ds) && FocusedNode() == GetLastNode() && !IsUntouchedInsert()) ds->Post();
  TCustomdxDBTreeListControl::KeyDown(Key, Shift);
}

// --- Moving and copying ---

void TCustomdxDBTreeList::DoBeginDragNode(TdxTreeListNode* Node) {
  dragStartKey_ = TreeNode(Node)->KeyValue;
  TCustomdxDBTreeListControl::DoBeginDragNode(Node);
}

void TCustomdxDBTreeList::DoEndDragInternal(TObject* Target, int X, int Y) {
  TCustomdxDBTreeListControl::DoEndDragInternal(Target, X, Y);
  dragStartKey_.reset();
}

std::vector<TdxTreeListNode*> TCustomdxDBTreeList::DraggedNodes() {
  std::vector<TdxTreeListNode*> nodes;
  for (int i = 0; i < GetSelectedCount(); ++i) nodes.push_back(GetSelectedNode(i));
  if (!dragStartKey_) {
    if (nodes.empty() && FocusedNode()) nodes.push_back(FocusedNode());
    return nodes;
  }
  // The focus and a single selection follow the pointer during a node drag; the pressed node is
  // found by its key, as a reload during the drag makes the nodes anew.
  TdxTreeListNode* start = FindNodeByKey(*dragStartKey_);
  if (!start) return {};  // the pressed record is gone
  if (std::find(nodes.begin(), nodes.end(), start) != nodes.end()) return nodes;
  return {start};
}

bool TCustomdxDBTreeList::IsDragCopy() const {
  return optionsBehavior_.Contains(etoAutoDragDropCopy) && (GetKeyState(VK_CONTROL) & 0x8000);
}

bool TCustomdxDBTreeList::IsBelowTheRows(int Y) {
  TdxTreeListNode* last = GetLastNode();
  if (!last) return true;
  RECT r;
  GetCellRect(last, 0, r);
  return Y >= r.bottom;
}

bool TCustomdxDBTreeList::GetDropTarget(int X, int Y, TdxTreeListNode*& Node,
                                        TdxTreeListNodeAttachMode& Mode) {
  Node = nullptr;
  Mode = natlAddChild;
  TdxTreeListHitInfo hit;
  GetHitInfo(POINT{X, Y}, hit);
  switch (hit.HitKind) {
    case tlhButton:
    case tlhImage:
    case tlhStateImage:
    case tlhCell:
    case tlhRowFooter:
    case tlhPreview:
      Node = hit.Node;
      break;
    case tlhIndent:
      Node = hit.Node;
      Mode = natlInsert;
      break;
    case tlhNowhere:
      if (IsBelowTheRows(Y)) {
        Node = GetFirstNode();
        Mode = natlAdd;
      } else {
        Node = hit.Node;
      }
      break;
    default:
      return false;
  }
  if (!Node) return false;
  if (IsDragCopy()) return true;
  for (TdxTreeListNode* dragged : DraggedNodes())
    if (!dragged->CanMove(Node, Mode)) return false;
  return true;
}

void TCustomdxDBTreeList::DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept) {
  TdxTreeListNode* node = nullptr;
  TdxTreeListNodeAttachMode mode = natlAddChild;
  const bool accept = IsAutoDragDrop() && Source == this && GetDropTarget(X, Y, node, mode);
  Accept = accept;
  TCustomdxDBTreeListControl::DragOver(Source, X, Y, State, Accept);
  if (!OnDragOver) Accept = accept;
}

void TCustomdxDBTreeList::DragDrop(TObject* Source, int X, int Y) {
  TdxTreeListNode* target = nullptr;
  TdxTreeListNodeAttachMode mode = natlAddChild;
  if (IsAutoDragDrop() && Source == this && GetDropTarget(X, Y, target, mode)) {
    const std::vector<TdxTreeListNode*> nodes = DraggedNodes();
    bool copy = IsDragCopy();
    bool done = false;
    if (OnMoveTo) OnMoveTo(this, target, mode, nodes, copy, done);
    if (!done) MoveNodeRecords(nodes, target, mode, copy);
  }
  TCustomdxDBTreeListControl::DragDrop(Source, X, Y);
}

void TCustomdxDBTreeList::MoveNodeRecords(const std::vector<TdxTreeListNode*>& Nodes, TdxTreeListNode* Target,
                                          TdxTreeListNodeAttachMode Mode, bool Copy) {
  if (!Target || !GetDataLink()->Active() || IsKeyFieldMissing()) return;
  const Variant parent = Mode == natlAddChild || Mode == natlAddChildFirst ? TreeNode(Target)->KeyValue
                                                                           : TreeNode(Target)->ParentValue;
  TDataSet* ds = GetDataSet();
  // Each node's key, read before the dataset changes under the nodes.
  std::vector<Variant> keys;
  for (TdxTreeListNode* node : Copy ? TopmostNodes(Nodes) : Nodes) keys.push_back(TreeNode(node)->KeyValue);
  TDisableControlsScope disabled(ds);
  if (Copy) {
    CopyNodeRecords(keys, parent);
    return;
  }
  for (const Variant& key : keys) {
    if (!ds->Locate(KeyField(), key, {})) continue;  // gone meanwhile: skipped
    ds->Edit();
    boundParentField_->SetValue(parent);
    ds->Post();
  }
}

namespace {

// Reads the current record and, from the dataset, its child records and theirs into buffers; a key
// met again (a parent cycle in the data) is not read twice.
class TSubtreeReader {
 public:
  TSubtreeReader(TDataSet* DataSet, TField* Key, TField* Parent, const std::vector<TField*>& Fields)
      : ds_(DataSet), key_(Key), parent_(Parent), fields_(Fields) {}

  std::unique_ptr<TNodeBuffer> Read() {
    auto buffer = std::make_unique<TNodeBuffer>();
    buffer->Key = key_->AsVariant();
    if (!seen_.insert(buffer->Key).second) return nullptr;
    for (TField* field : fields_) buffer->Values.push_back(field->IsNull() ? Null() : field->AsVariant());
    std::vector<Variant> children;
    if (ds_->Locate(parent_->FieldName(), buffer->Key, {}))
      for (; !ds_->Eof() && SameValue(parent_->AsVariant(), buffer->Key); ds_->Next())
        children.push_back(key_->AsVariant());
    for (const Variant& child : children)
      if (ds_->Locate(key_->FieldName(), child, {}))
        if (auto read = Read()) buffer->Children.push_back(std::move(read));
    return buffer;
  }

 private:
  TDataSet* ds_;
  TField* key_;
  TField* parent_;
  const std::vector<TField*>& fields_;
  TKeySet seen_;
};

}  // namespace

void TCustomdxDBTreeList::CopyNodeRecords(const std::vector<Variant>& Keys, const Variant& Parent) {
  TDataSet* ds = GetDataSet();
  std::vector<TField*> fields;
  for (int i = 0; i < ds->FieldCount(); ++i) {
    TField* field = ds->Fields()->Fields(i);
    if (field->Lookup()) field = ds->FindField(field->KeyFields());
    if (!field || field->FieldKind() != fkData || field == BoundKeyField() || field == boundParentField_ ||
        !field->CanModify() || std::find(fields.begin(), fields.end(), field) != fields.end())
      continue;
    fields.push_back(field);
  }
  if (fields.empty()) return;
  TSubtreeReader reader(ds, BoundKeyField(), boundParentField_, fields);
  std::vector<std::unique_ptr<TNodeBuffer>> buffers;
  for (const Variant& key : Keys)
    if (ds->Locate(KeyField(), key, {}))
      if (auto buffer = reader.Read()) buffers.push_back(std::move(buffer));
  int counter = 0;
  std::function<void(const TNodeBuffer&, const Variant&)> insert = [&](const TNodeBuffer& Buffer,
                                                                       const Variant& ParentValue) {
    ds->Insert();
    try {
      if (optionsDB_.Contains(etoAutoCalcKeyValue) && BoundKeyField()->IsNull() &&
          BoundKeyField()->CanModify()) {
        Variant key;
        GetUniqueKeyValue(counter++, key);
        BoundKeyField()->SetValue(key);
      }
      boundParentField_->SetValue(ParentValue);
      for (size_t i = 0; i < fields.size(); ++i) fields[i]->SetValue(Buffer.Values[i]);
      ds->Post();
    } catch (...) {
      ds->Cancel();  // no half-made copy is left in insert state when the controls come back
      throw;
    }
    const Variant newKey = BoundKeyField()->AsVariant();
    for (const auto& child : Buffer.Children) insert(*child, newKey);
  };
  for (const auto& buffer : buffers) insert(*buffer, Parent);
}
