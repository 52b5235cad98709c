// TCustomdxLookupTreeView and TdxDBLookupTreeView: the drop-down bound to a list dataset, and the
// chosen record's key written into a field of a second dataset.
#include <vector>

#include "dx/dbtree/dxDataSetScopes.h"
#include "dx/dbtree/dxdbtrel.h"
#include "dx/dbtree/dxlocate.h"
#include "platform/data/DBConsts.h"
#include "platform/forms/Forms.h"
#include "platform/rtl/ScopeExit.h"

TRENVIK_IMPLEMENT_CLASS(TCustomdxLookupTreeView)
TRENVIK_IMPLEMENT_CLASS(TDataLinkLookupTreeView)

void TDataLinkLookupTreeView::ActiveChanged() {
  if (owner_) owner_->BindListFields();
}

TCustomdxLookupTreeView::TCustomdxLookupTreeView(TComponent* AOwner)
    : TCustomdxVTreeViewEdit(AOwner),
      popup_(new TPopupDBTreeView(this)),
      listLink_(std::make_unique<TDataLinkLookupTreeView>(this)),
      keyValue_(Null()) {
  SetTreeView(popup_);
  InitTreeView();
}

TCustomdxLookupTreeView::~TCustomdxLookupTreeView() {
  listLink_->Detach();
  listLink_->SetDataSource(nullptr);
}

void TCustomdxLookupTreeView::SetListSource(TDataSource* Value) {
  if (listLink_->DataSource() != Value) listLink_->SetDataSource(Value);
}

void TCustomdxLookupTreeView::SetKeyField(const String& Value) {
  if (keyFieldName_ == Value) return;
  keyFieldName_ = Value;
  BindListFields();
}

void TCustomdxLookupTreeView::SetListField(const String& Value) {
  if (listFieldName_ == Value) return;
  listFieldName_ = Value;
  BindListFields();
}

void TCustomdxLookupTreeView::SetAssignField(const String& Value) {
  if (assignFieldName_ == Value) return;
  assignFieldName_ = Value;
  BindListFields();
}

void TCustomdxLookupTreeView::BindListFields() {
  listKeyField_ = listField_ = assignField_ = parentListField_ = nullptr;
  if (!listLink_->Active()) return;
  TDataSet* ds = ListDataSet();
  auto bind = [ds](const String& name) { return name.empty() ? nullptr : ds->FieldByName(name); };
  listKeyField_ = bind(keyFieldName_);
  listField_ = bind(listFieldName_);
  assignField_ = bind(assignFieldName_);
  parentListField_ = bind(parentFieldName_);
}

void TCustomdxLookupTreeView::DropDown() {
  if (DroppedDown()) return;
  // The drop-down belongs to the form the box is on now.
  HWND form = OwnerFormWindow();
  if (form != popupOwnerForm_) {
    popupOwnerForm_ = form;
    if (popup_->HandleAllocated()) popup_->RecreateWnd();
  }
  popup_->SetKeyField(keyFieldName_);
  popup_->SetParentField(parentFieldName_);
  popup_->SetListField(listFieldName_);
  popup_->SetDisplayField(displayFieldName_);
  popup_->OnSetDisplayItemText = OnSetDisplayItemText;
  popup_->SetImageIndexField(imageIndexFieldName_);
  popup_->SetStateIndexField(stateIndexFieldName_);
  popup_->HandleNeeded();
  popup_->SetDataSource(ListSource());
  if (!VarIsNull(keyValue_)) popup_->SelectByKey(keyValue_);
  TCustomdxVTreeViewEdit::DropDown();
}

void TCustomdxLookupTreeView::CloseUp(bool Accept) {
  if (!DroppedDown()) return;
  TCustomdxVTreeViewEdit::CloseUp(Accept);
}

void TCustomdxLookupTreeView::AcceptSelection() {
  TCustomdxVTreeViewEdit::AcceptSelection();
  keyValue_ = listKeyField_ ? listKeyField_->AsVariant() : Null();
  if (listField_) SetText(listField_->DisplayText());
}

// --- TdxDBLookupTreeView ---

TdxDBLookupTreeView::TdxDBLookupTreeView(TComponent* AOwner)
    : TCustomdxLookupTreeView(AOwner), fieldLink_(std::make_unique<TFieldDataLink>()) {
  SetControlStyle(ControlStyle() + TControlStyle{csReplicatable});
  fieldLink_->SetControl(this);
  fieldLink_->OnDataChange = [this](TObject* Sender) { DataChange(Sender); };
  fieldLink_->OnActiveChange = [this](TObject* Sender) { CheckDataLinks(Sender); };
  fieldLink_->OnUpdateData = [this](TObject* Sender) { UpdateData(Sender); };
}

TdxDBLookupTreeView::~TdxDBLookupTreeView() {
  fieldLink_->OnDataChange = nullptr;
  fieldLink_->OnActiveChange = nullptr;
  fieldLink_->OnUpdateData = nullptr;
  fieldLink_->SetDataSource(nullptr);
}

void TdxDBLookupTreeView::SetDataSource(TDataSource* Value) {
  fieldLink_->SetDataSource(Value);
  if (Value) Value->FreeNotification(this);
}

void TdxDBLookupTreeView::SetDataField(const String& Value) { fieldLink_->SetFieldName(Value); }

void TdxDBLookupTreeView::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomdxLookupTreeView::Notification(AComponent, Operation);
  if (Operation == opRemove && fieldLink_ && AComponent == DataSource()) SetDataSource(nullptr);
}

void TdxDBLookupTreeView::CheckDataLinks(TObject*) {
  TDataSet* data = fieldLink_->DataSet();
  TDataSet* list = ListDataSet();
  if (fieldLink_->Active() && ListActive() &&
      ((data && data->IsLinkedTo(ListSource())) || (list && list->IsLinkedTo(DataSource()))))
    throw EDatabaseError(u"Circular datalinks are not allowed");
}

void TdxDBLookupTreeView::BindListFields() {
  CheckDataLinks(this);
  TCustomdxLookupTreeView::BindListFields();
  DataChange(this);
}

void TdxDBLookupTreeView::DropDown() {
  if (DroppedDown()) return;
  TCustomdxLookupTreeView::DropDown();
  fieldLink_->SetModified();
}

void TdxDBLookupTreeView::ApplyTreeViewStyle() {
  TCustomdxLookupTreeView::ApplyTreeViewStyle();
  if (TField* field = fieldLink_->Field()) Popup()->SelectByKey(field->AsVariant());
}

void TdxDBLookupTreeView::CloseUp(bool Accept) {
  if (!DroppedDown() || closing_) return;
  TValueScope<bool> closing(closing_, true);
  TCustomdxLookupTreeView::CloseUp(Accept);
  // The tree is emptied until the next opening.
  Popup()->SetDataSource(nullptr);
  if (!Accept) fieldLink_->Reset();
}

void TdxDBLookupTreeView::AcceptSelection() {
  TCustomdxLookupTreeView::AcceptSelection();
  UpdateData(this);
}

Variant TdxDBLookupTreeView::GetAssignValue() const {
  if (!ListActive()) return Null();
  if (assignField_) return assignField_->AsVariant();
  return listKeyField_ ? listKeyField_->AsVariant() : Null();
}

void TdxDBLookupTreeView::UpdateData(TObject*) {
  TValueScope<bool> updating(updating_, true);
  if (!fieldLink_->Active() || !fieldLink_->Field()) return;
  if (!fieldLink_->Editing()) fieldLink_->Edit();
  TDataSet* ds = fieldLink_->DataSet();
  if (ds->State() == dsEdit || ds->State() == dsInsert) fieldLink_->Field()->SetValue(GetAssignValue());
}

void TdxDBLookupTreeView::DataChange(TObject*) {
  if (updating_) return;
  if (listField_ && listField_->Alignment() != Alignment()) SetAlignment(listField_->Alignment());
  if (fieldLink_->Field())
    SetText(GetRecordDisplayText());
  else
    SetText(ComponentState().Contains(csDesigning) ? Name() : String());
}

String TdxDBLookupTreeView::GetRecordDisplayText() {
  TField* data = fieldLink_->Field();
  if (!data || !listKeyField_ || !listField_ || !parentListField_ || !ListActive()) return String();
  TDataSet* list = ListDataSet();
  TControlsDisabledScope controls(list);
  // Painting or a change of the edited record must not move the list dataset under other controls.
  TBookmarkScope back(list);
  const String& searchField = assignField_ ? AssignField() : KeyField();
  if (!LocateRecord(list, searchField, data->AsVariant())) return String();
  String text = listField_->Text();
  if (TextStyle() != tvtsFull) return text;
  std::vector<Variant> visited{listKeyField_->AsVariant()};
  for (;;) {
    Variant parent = parentListField_->AsVariant();
    // A root (its parent missing or itself) ends the path, and so does a key met twice.
    if (VarIsNull(parent) ||
        std::any_of(visited.begin(), visited.end(), [&](const Variant& k) { return KeyEquals(k, parent); }))
      break;
    if (!LocateRecord(list, KeyField(), parent)) break;
    visited.push_back(parent);
    text = listField_->Text() + String(1, DividedChar()) + text;
  }
  return text;
}

void TdxDBLookupTreeView::DoExit() {
  try {
    fieldLink_->UpdateRecord();
  } catch (const Exception&) {
    SetFocus();
    throw;
  }
  TCustomdxLookupTreeView::DoExit();
}
