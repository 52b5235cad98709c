// The extended lookup combo box's settings: the view bound as the list source (its data controller
// and items are the lookup's list and columns), the list column, and their free notifications.
#include "cx/data/cxDBData.h"
#include "cx/editors/cxEditScopes.h"
#include "cx/grid/cxExtLookupComboBox.h"
#include "cx/grid/cxGridDBTableView.h"
#include "cx/grid/cxGridLevel.h"
#include "platform/rtl/StrUtils.h"


TcxExtLookupComboBoxProperties::TcxExtLookupComboBoxProperties(TPersistent* AOwner)
    : TcxCustomDBLookupEditProperties(AOwner),
      grid_(std::make_unique<TcxExtLookupGrid>(nullptr)),
      freeNotificator_(std::make_unique<TcxFreeNotificator>(nullptr)) {
  freeNotificator_->OnFreeNotification = [this](TComponent* Sender) { ComponentFreed(Sender); };
}

TcxExtLookupComboBoxProperties::~TcxExtLookupComboBoxProperties() {
  SetListFieldItem(nullptr);
  SetView(nullptr);
  grid_.reset();
}

void TcxExtLookupComboBoxProperties::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TcxExtLookupComboBoxProperties*>(Source);
  if (!source) {
    inherited::Assign(Source);
    return;
  }
  {
    TcxUpdateScope update(this);
    SetAutoSearchOnPopup(source->AutoSearchOnPopup());
    SetFocusPopup(source->FocusPopup());
    SetView(source->View());
  }
  // The key field names reach the view's data controller only now that the view is bound.
  inherited::Assign(Source);
  SetListFieldItem(source->ListFieldItem());
}

TClass TcxExtLookupComboBoxProperties::GetContainerClass() { return TcxExtLookupComboBox::StaticClass(); }

// --- Binding ---

bool TcxExtLookupComboBoxProperties::IsViewSupported(TcxCustomGridTableView* AView) {
  return dynamic_cast<TcxGridTableView*>(AView) && dynamic_cast<TcxDBDataController*>(AView->DataController());
}

void TcxExtLookupComboBoxProperties::SetView(TcxCustomGridTableView* Value) {
  if (Value == view_ || (Value && !IsViewSupported(Value))) return;
  if (view_) UnlinkView(view_);
  view_ = Value;
  if (view_) LinkView(view_);
  Changed();
}

void TcxExtLookupComboBoxProperties::LinkView(TcxCustomGridTableView* AView) {
  CheckListFieldItem();
  freeNotificator_->AddSender(AView);
  LinkDataController();
}

void TcxExtLookupComboBoxProperties::UnlinkView(TcxCustomGridTableView* AView) {
  UnlinkDataController();
  freeNotificator_->RemoveSender(AView);
}

bool TcxExtLookupComboBoxProperties::IsViewItem(TcxCustomGridTableItem* AItem) const {
  return AItem && view_ && AItem->GridView() == view_;
}

void TcxExtLookupComboBoxProperties::CheckListFieldItem() {
  TcxFlagScope lock(checkingListFieldItem_);
  if (view_ && listFieldItem_ && !IsViewItem(listFieldItem_)) SetListFieldItem(nullptr);
}

TcxCustomGridTableItem* TcxExtLookupComboBoxProperties::ListFieldItem() {
  return IsDefinedByLookupField() ? nullptr : listFieldItem_;
}

void TcxExtLookupComboBoxProperties::SetListFieldItem(TcxCustomGridTableItem* Value) {
  if (view_ && !IsViewItem(Value)) Value = nullptr;
  if (Value == listFieldItem_) return;
  freeNotificator_->RemoveSender(listFieldItem_);
  listFieldItem_ = Value;
  freeNotificator_->AddSender(listFieldItem_);
  if (!checkingListFieldItem_) Changed();
}

void TcxExtLookupComboBoxProperties::ComponentFreed(TComponent* AComponent) {
  if (AComponent == saved_.level) saved_.level = nullptr;
  if (AComponent == listFieldItem_) {
    listFieldItem_ = nullptr;
    if (view_) Changed();
  }
  if (AComponent == view_) {
    // The view's data controller is already gone: forget the listener and the lookup link
    // without reaching for it.
    ForgetDataController();
    view_ = nullptr;
    listFieldItem_ = nullptr;
    Changed();
  }
}

// --- The list ---

TcxCustomDataController* TcxExtLookupComboBoxProperties::GetListDataController() {
  return view_ ? view_->DataController() : nullptr;
}

TcxDBDataController* TcxExtLookupComboBoxProperties::GetListDBDataController() {
  return dynamic_cast<TcxDBDataController*>(GetListDataController());
}

void TcxExtLookupComboBoxProperties::LinkDataController() {
  const bool wasLinked = IsDataControllerLinked();
  inherited::LinkDataController();
  if (!wasLinked && IsDataControllerLinked())
    if (TcxDBDataController* controller = GetListDBDataController()) controller->AddLookupLink();
}

void TcxExtLookupComboBoxProperties::UnlinkDataController() {
  const bool wasLinked = IsDataControllerLinked();
  inherited::UnlinkDataController();
  if (wasLinked)
    if (TcxDBDataController* controller = GetListDBDataController()) controller->RemoveLookupLink();
}

int TcxExtLookupComboBoxProperties::GetListColumnCount() { return view_ ? view_->ItemCount() : 0; }

int TcxExtLookupComboBoxProperties::GetEffectiveListIndex() {
  if (IsDefinedByLookupField()) return inherited::GetEffectiveListIndex();
  TcxCustomGridTableItem* item = ListFieldItem();
  return item ? item->Index() : -1;
}

bool TcxExtLookupComboBoxProperties::IsIncrementalFilteringActive() {
  return !focusPopup_ && inherited::IsIncrementalFilteringActive();
}

void TcxExtLookupComboBoxProperties::BeginListUpdate() {
  if (view_) view_->BeginUpdate();
}

void TcxExtLookupComboBoxProperties::EndListUpdate() {
  if (view_) view_->EndUpdate();
}

// Items bound by field name are the DB table view's own; another table view has none.
static void BindItemToField(TcxCustomGridTableItem* AItem, const String& AFieldName) {
  if (auto* binding = dynamic_cast<TcxGridItemDBDataBinding*>(AItem->DataBinding())) binding->SetFieldName(AFieldName);
}

void TcxExtLookupComboBoxProperties::EnsureListColumn(const String& AFieldName) {
  if (!view_ || !GetListDBDataController() || AFieldName.empty() || FindListColumnByFieldName(AFieldName) != -1)
    return;
  TcxCustomGridTableItem* item = view_->CreateItem();
  item->SetIndex(0);
  BindItemToField(item, AFieldName);
}

void TcxExtLookupComboBoxProperties::SetListColumnsByFieldNames(const String& AFieldNames) {
  if (!view_) return;
  while (view_->ItemCount() > 0) delete view_->Items(view_->ItemCount() - 1);
  auto names = std::make_unique<TStringList>();
  GetFieldNames(AFieldNames, names.get());
  view_->BeginUpdate();
  TScopeExit endUpdate([this] { view_->EndUpdate(); });
  for (int i = 0; i < names->Count(); ++i) BindItemToField(view_->CreateItem(), names->Strings(i));
}

TField* TcxExtLookupComboBoxProperties::GetListColumnField(int AIndex) {
  TcxDBDataController* controller = GetListDBDataController();
  return controller ? controller->GetItemField(AIndex) : nullptr;
}

void TcxExtLookupComboBoxProperties::GetListColumnFieldName(int AIndex, String& AName) {
  TcxDBDataController* controller = GetListDBDataController();
  AName = controller ? controller->GetItemFieldName(AIndex) : String();
}

int TcxExtLookupComboBoxProperties::FindListColumnByFieldName(const String& AFieldName) {
  TcxDBDataController* controller = GetListDBDataController();
  if (!controller) return -1;
  for (int i = 0; i < controller->GetItemCount(); ++i)
    if (AnsiSameText(controller->GetItemFieldName(i), AFieldName)) return i;
  return -1;
}
