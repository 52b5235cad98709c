#include "cx/grid/cxGridEditingController.h"

#include "cx/grid/cxGrid.h"
#include "cx/grid/cxGridCustomTableController.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/win/Input.h"
#include "platform/win/Timers.h"

TRENVIK_IMPLEMENT_CLASS(TcxGridEditingController)

TcxGridEditingController::TcxGridEditingController(TcxCustomGridTableController* AController)
    : controller_(AController), editList_(std::make_unique<TcxInplaceEditList>()) {}

TcxGridEditingController::~TcxGridEditingController() {
  StopShowTimer();
  if (edit_) DetachEditorHooks();
}

TcxCustomEditProperties* TcxGridEditingController::EditingProperties() const {
  return editingItem_ ? editingItem_->GetProperties() : nullptr;
}

// --- Opening and closing ---

void TcxGridEditingController::SetActiveItem(TcxCustomGridTableItem* AItem) {
  if (AItem == editingItem_ || settingItem_) return;
  TValueScope setting(settingItem_, true);
  if (AItem) {
    if (!AItem->CanEdit() || !AItem->GridView()->DoEditing(AItem)) return;
    AItem->SetFocused(true);
  }
  HideEditor(false);
  editingItem_ = AItem;
  if (!AItem) return;
  try {
    ShowEditAndActivate(AItem);
  } catch (...) {
    editingItem_ = nullptr;
    throw;
  }
  if (!edit_ && !preparing_) editingItem_ = nullptr;
}

bool TcxGridEditingController::ShowEditor(TcxCustomGridTableItem* AItem, bool AByMouse) {
  controller_->ClearEditorShowPending();
  if (preparing_ || hiding_ || !AItem) return false;
  TcxGridSite* site = controller_->Site();
  if (AItem == editingItem_ && !settingItem_)
    return edit_ && (AByMouse || (site->Focused() && !edit_->Focused()));
  bool result = false;
  TValueScope preparing(preparing_, true);
  TScopeExit tabStop([&] {
    if (result) site->SetTabStop(false);
  });
  if (!site->Focused()) return false;
  AItem->SetEditing(true);
  if (editingItem_ != AItem) return false;
  try {
    edit_ = editList_->GetEdit(EditingProperties());
  } catch (...) {
    AItem->SetEditing(false);
    throw;
  }
  AttachEditor();
  result = true;
  return result;
}

void TcxGridEditingController::AttachEditor() {
  TcxCustomEditProperties* properties = edit_->Properties();
  savedOnChange_ = std::exchange(properties->OnChange, nullptr);
  savedOnEditValueChanged_ = std::exchange(properties->OnEditValueChanged, nullptr);
  edit_->SetParent(controller_->Site());
  RECT bounds;
  IcxGridRecordsLayout* layout = controller_->Layout();
  if (layout && layout->GetFocusedCellEditBounds(editingItem_, bounds) && !IsRectEmpty(&bounds)) {
    if (preparing_)
      PlaceEditor();
    else
      placementPending_ = true;
    placed_ = true;
  }
  LoadEditorValue();
  edit_->OnInplaceKeyDown = [this](TObject* Sender, WORD& Key, TShiftState Shift) { EditAfterKeyDown(Sender, Key, Shift); };
  edit_->OnEditing = [this](TObject* Sender, bool& AAllow) { EditCanModify(Sender, AAllow); };
  edit_->OnInplacePost = [this](TObject* Sender) { EditPostEditValue(Sender); };
  properties->OnChange = [this](TObject* Sender) { EditChanged(Sender); };
  properties->OnEditValueChanged = [this](TObject* Sender) { EditValueChanged(Sender); };
  edit_->OnExit = [this](TObject* Sender) { EditorExit(Sender); };
  edit_->OnFocusChanged = [this](TObject* Sender) { EditFocusChanged(Sender); };
  edit_->OnKeyDown = [this](TObject* Sender, WORD& Key, TShiftState Shift) { EditorKeyDown(Sender, Key, Shift); };
  TcxCustomGridTableView* view = controller_->GridView();
  if (view->OnInitEdit) view->OnInitEdit(view, editingItem_, edit_);
}

void TcxGridEditingController::DetachEditorHooks() {
  edit_->OnInplaceKeyDown = nullptr;
  edit_->OnEditing = nullptr;
  edit_->OnInplacePost = nullptr;
  edit_->OnExit = nullptr;
  edit_->OnFocusChanged = nullptr;
  edit_->OnKeyDown = nullptr;
  TcxCustomEditProperties* properties = edit_->Properties();
  properties->OnChange = std::move(savedOnChange_);
  properties->OnEditValueChanged = std::move(savedOnEditValueChanged_);
}

void TcxGridEditingController::HideEditor(bool AAccept) {
  controller_->ClearEditorShowPending();
  placementPending_ = false;
  StopShowTimer();
  if (hiding_ || !editingItem_) return;
  TValueScope hiding(hiding_, true);
  if (AAccept && edit_) {
    // A value the editor refuses keeps it open; the caller stops without a message.
    if (!edit_->Deactivate()) Abort();
    controller_->DataController()->UpdateData();
    edit_->Properties()->Update(EditingProperties());
  }
  SetActiveItem(nullptr);
  TcxCustomGridTableView* view = controller_->GridView();
  TcxGridSite* site = controller_->Site();
  if (view->IsFocused()) site->SetTabStop(true);
  if (edit_) {
    if (edit_->Focused() && view->IsFocused()) {
      edit_->SetModifiedAfterEnter(false);
      edit_->OnFocusChanged = nullptr;
      TValueScope noEditor(controller_->allowEditorShow_, false);
      if (site->CanFocus()) site->SetFocus();
    }
    DetachEditorHooks();
    edit_->SetParent(nullptr);
    edit_ = nullptr;
  }
  errorOnEditExit_ = false;
}

void TcxGridEditingController::PropertiesRemoved(TcxCustomEditProperties* AProperties) {
  if (AProperties == EditingProperties()) SetActiveItem(nullptr);
  editList_->RemoveItem(AProperties);
}

// --- Placing and values ---

void TcxGridEditingController::UpdateEditorAfterLayout() {
  if (!editingItem_ || !edit_) return;
  RECT bounds;
  IcxGridRecordsLayout* layout = controller_->Layout();
  const bool inView = layout && layout->GetFocusedCellEditBounds(editingItem_, bounds) && !IsRectEmpty(&bounds);
  if (placed_ && inView) return;
  placementPending_ = false;
  edit_->SetLeft(cxGridInvisibleCoordinate);
}

void TcxGridEditingController::PlaceEditor() {
  placementPending_ = false;
  RECT bounds;
  IcxGridRecordsLayout* layout = controller_->Layout();
  if (edit_ && layout && layout->GetFocusedCellEditBounds(editingItem_, bounds) && !IsRectEmpty(&bounds))
    edit_->SetBoundsRect(bounds);
}

void TcxGridEditingController::PlaceEditorIfPending() {
  if (placementPending_) PlaceEditor();
}

void TcxGridEditingController::LoadEditorValue() {
  if (!edit_ || hiding_ || initiating_ || edit_->IsPosting()) return;
  edit_->SetEditValue(editingItem_->GetEditValue());
  edit_->SelectAll();
}

void TcxGridEditingController::StoreEditorValue() {
  if (!edit_ || !edit_->ModifiedAfterEnter()) return;
  edit_->ValidateEdit(true);
  editingItem_->SetEditValue(edit_->EditValue());
  edit_->SetModifiedAfterEnter(false);
}

// --- Activation ---

void TcxGridEditingController::ShowEditAndActivate(TcxCustomGridTableItem* AItem) {
  if (!AItem) AItem = controller_->FocusedItem();
  if (ShowEditor(AItem, false)) edit_->Activate(AItem->EditData());
}

void TcxGridEditingController::ShowEditByKey(TcxCustomGridTableItem* AItem, Char AKey) {
  if (ShowEditor(AItem, false)) edit_->ActivateByKey(AKey, AItem->EditData());
}

void TcxGridEditingController::ShowEditByMouse(TcxCustomGridTableItem* AItem, TShiftState AShift, int X, int Y) {
  if (ShowEditor(AItem, true)) edit_->ActivateByMouse(AShift, X, Y, AItem->EditData());
}

void TcxGridEditingController::StartShowTimer(TcxCustomGridTableItem* AItem) {
  StopShowTimer();
  showTimerItem_ = AItem;
  showTimer_ = std::make_unique<TTimer>(nullptr);
  showTimer_->SetInterval(GetDoubleClickTime());
  showTimer_->OnTimer = [this](TObject* Sender) { ShowTimerTick(Sender); };
}

void TcxGridEditingController::StopShowTimer() {
  showTimer_.reset();
  showTimerItem_ = nullptr;
}

void TcxGridEditingController::ShowTimerTick(TObject*) {
  TcxCustomGridTableItem* item = showTimerItem_;
  StopShowTimer();
  if (item) item->SetEditing(true);
}

// --- The editor's hooks ---

void TcxGridEditingController::EditAfterKeyDown(TObject*, WORD& Key, TShiftState Shift) {
  if (controller_->IsKeyForController(Key, Shift)) controller_->KeyDown(Key, Shift);
}

void TcxGridEditingController::EditChanged(TObject* Sender) {
  if (savedOnChange_) savedOnChange_(Sender);
  TcxCustomGridTableView* view = controller_->GridView();
  if (view->OnEditChanged) view->OnEditChanged(view, editingItem_);
}

void TcxGridEditingController::EditCanModify(TObject*, bool& AAllow) {
  TValueScope initiating(initiating_, true);
  AAllow = editingItem_ && editingItem_->CanInitEditing();
}

void TcxGridEditingController::EditorExit(TObject*) {
  if (!CanUpdateEditOnExit()) return;
  try {
    HideEditor(!controller_->CancelOnExitNeeded());
  } catch (...) {
    KeepEditorAfterRefusal();
    throw;
  }
}

void TcxGridEditingController::KeepEditorAfterRefusal() {
  errorOnEditExit_ = true;
  if (edit_ && edit_->CanFocus()) edit_->SetFocus();
}

void TcxGridEditingController::EditFocusChanged(TObject*) { controller_->Site()->FocusChanged(); }

void TcxGridEditingController::EditorKeyDown(TObject*, WORD& Key, TShiftState Shift) {
  controller_->MakeFocusedItemVisible();
  switch (Key) {
    case VK_RETURN: {
      HideEditor(true);
      if (controller_->GridView()->OptionsBehavior()->GoToNextCellOnEnter()) {
        TValueScope forwarding(controller_->forwardingEnter_, true);
        controller_->KeyDown(Key, Shift);
        ShowEditAndActivate();
      } else {
        controller_->EnsureEditorShown();
      }
      Key = 0;
      break;
    }
    case VK_ESCAPE: {
      const bool modified = edit_ && edit_->ModifiedAfterEnter();
      HideEditor(false);
      controller_->EnsureEditorShown();
      // An untouched editor passes Esc on to the view, where it cancels the record.
      if (!modified) controller_->KeyDown(Key, Shift);
      Key = 0;
      break;
    }
    case VK_DELETE:
      if (cxGridShiftIs(Shift, {ssCtrl})) controller_->KeyDown(Key, Shift);
      break;
    default:
      break;
  }
}

// The editor posts its value itself as it loses the focus, before its exit reaches EditorExit: a
// value refused there is a refusal on exit too, and the editor keeps the focus.
void TcxGridEditingController::EditPostEditValue(TObject*) {
  try {
    StoreEditorValue();
  } catch (...) {
    KeepEditorAfterRefusal();
    throw;
  }
}

void TcxGridEditingController::EditValueChanged(TObject* Sender) {
  if (savedOnEditValueChanged_) savedOnEditValueChanged_(Sender);
  TcxCustomGridTableView* view = controller_->GridView();
  if (view->OnEditValueChanged) view->OnEditValueChanged(view, editingItem_);
}

// --- Answers ---

bool TcxGridEditingController::CanHideEditOnFocusGained() {
  return !(edit_ && edit_->Focused() && !hiding_);
}

bool TcxGridEditingController::CanUpdateEditOnExit() {
  return !(controller_->GridView()->OptionsBehavior()->AlwaysShowEditor() && !controller_->Site()->Focused());
}

bool TcxGridEditingController::MustHideEditOnRecordChange() {
  TcxCustomGridTableView* view = controller_->GridView();
  if (!view->OptionsBehavior()->AlwaysShowEditor()) return true;
  TcxCustomEditProperties* properties = EditingProperties();
  return (properties && properties->GetSupportedOperations().Contains(esoAlwaysHotTrack)) || view->OnEditing ||
         view->OnInitEdit;
}
