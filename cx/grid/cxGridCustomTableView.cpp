#include "cx/grid/cxGridCustomTableView.h"

#include <algorithm>

#include "cx/data/cxDBData.h"
#include "cx/grid/cxGrid.h"
#include "cx/grid/cxGridLevel.h"
#include "cx/grid/cxGridCustomTableController.h"
#include "cx/grid/cxGridEditingController.h"
#include "cx/grid/cxGridRecordChanges.h"
#include "cx/grid/cxGridRows.h"
#include "platform/rtl/NumberText.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/rtl/ScopeExit.h"

TRENVIK_IMPLEMENT_CLASS(TcxGridDataController)
TRENVIK_IMPLEMENT_CLASS(TcxCustomGridTableView)

// --- What a grid data controller asks of its view ---

template <class TBase>
TObject* TcxGridDataControllerViewLink<TBase>::GetItem(int AIndex) {
  TcxCustomGridTableView* view = GridView();
  return view ? view->Items(AIndex) : TBase::GetItem(AIndex);
}

template <class TBase>
int TcxGridDataControllerViewLink<TBase>::GetItemID(TObject* AItem) {
  auto* item = dynamic_cast<TcxCustomGridTableItem*>(AItem);
  return item ? item->ID() : -1;
}

template <class TBase>
String TcxGridDataControllerViewLink<TBase>::GetItemDisplayName(TObject* AItem) {
  auto* item = dynamic_cast<TcxCustomGridTableItem*>(AItem);
  return item ? item->Caption() : String();
}

template <class TBase>
void TcxGridDataControllerViewLink<TBase>::DoValueTypeClassChanged(int AItemIndex) {
  TBase::DoValueTypeClassChanged(AItemIndex);
  TcxCustomGridTableView* view = GridView();
  if (view && AItemIndex >= 0 && AItemIndex < view->ItemCount()) view->Items(AItemIndex)->ValueTypeClassChanged();
}

namespace {

template <class TView>
TcxCustomEditProperties* ItemPropertiesOf(TView* AView, int AItemIndex) {
  if (!AView || AItemIndex < 0 || AItemIndex >= AView->ItemCount()) return nullptr;
  return AView->Items(AItemIndex)->GetProperties();
}

}  // namespace

template <class TBase>
void TcxGridDataControllerViewLink<TBase>::GetDisplayText(int ARecordIndex, int AItemIndex, String& AText) {
  TcxCustomGridTableView* view = GridView();
  TcxCustomEditProperties* properties = ItemPropertiesOf(view, AItemIndex);
  if (properties && properties->GetEditValueSource(false) == evsValue) {
    Variant value;
    this->GetValue(ARecordIndex, AItemIndex, value);
    AText = properties->GetDisplayText(value, false);
  } else {
    TBase::GetDisplayText(ARecordIndex, AItemIndex, AText);
  }
  if (!view || AItemIndex < 0 || AItemIndex >= view->ItemCount()) return;
  TcxCustomGridTableItem* item = view->Items(AItemIndex);
  if (item->OnGetDisplayText) item->OnGetDisplayText(item, ARecordIndex, AText);
}

template <class TBase>
bool TcxGridDataControllerViewLink<TBase>::CanSelectRow(int ARowIndex) {
  TcxCustomGridTableView* view = GridView();
  return view ? view->DoCanSelectRecord(ARowIndex) : TBase::CanSelectRow(ARowIndex);
}

template <class TBase>
TcxEditValueSource TcxGridDataControllerViewLink<TBase>::GetItemValueSource(int AItemIndex) {
  TcxCustomEditProperties* properties = ItemPropertiesOf(GridView(), AItemIndex);
  return properties ? properties->GetEditValueSource(true) : TBase::GetItemValueSource(AItemIndex);
}

template <class TBase>
bool TcxGridDataControllerViewLink<TBase>::GetItemSortByDisplayText(int AItemIndex) {
  TcxCustomEditProperties* properties = ItemPropertiesOf(GridView(), AItemIndex);
  return properties && properties->GetSupportedOperations().Contains(esoSortingByDisplayText);
}

template <class TBase>
int TcxGridDataControllerViewLink<TBase>::GetDefaultActiveRelationIndex() {
  TcxCustomGridTableView* view = GridView();
  TcxGridLevel* level = view ? view->Level() : nullptr;
  if (!level || (view->Grid() && view->Grid()->IsDestroying())) return -1;
  TcxGridLevel* first = level->FirstVisibleChild();
  return first ? first->Index() : -1;
}

template <class TBase>
TObject* TcxGridDataControllerViewLink<TBase>::CreateDetailLinkObject(TcxCustomDataRelation* ARelation,
                                                                      int ARecordIndex) {
  auto* level = dynamic_cast<TcxGridLevel*>(ARelation->Item());
  return level ? level->CreateLinkedView(ARelation, ARecordIndex) : nullptr;
}

template <class TBase>
TcxCustomDataController* TcxGridDataControllerViewLink<TBase>::GetDetailDataControllerByLinkObject(
    TObject* ALinkObject) {
  auto* view = dynamic_cast<TcxCustomGridView*>(ALinkObject);
  return view ? view->DataController() : nullptr;
}

template <class TBase>
void TcxGridDataControllerViewLink<TBase>::UpdateData() {
  TBase::UpdateData();
  TcxCustomGridTableView* view = GridView();
  if (view && view->HasHandlers() && !view->IsDestroying()) view->Controller()->EditingController()->StoreEditorValue();
}

template <class TBase>
TClass TcxGridDataControllerViewLink<TBase>::GetSummaryItemClass() {
  TcxCustomGridTableView* view = GridView();
  TClass viewClass = view ? view->GetSummaryItemClass() : nullptr;
  return viewClass ? viewClass : TBase::GetSummaryItemClass();
}

template <class TBase>
TClass TcxGridDataControllerViewLink<TBase>::GetSummaryGroupItemLinkClass() {
  TcxCustomGridTableView* view = GridView();
  TClass viewClass = view ? view->GetSummaryGroupItemLinkClass() : nullptr;
  return viewClass ? viewClass : TBase::GetSummaryGroupItemLinkClass();
}

template class TcxGridDataControllerViewLink<TcxDataController>;
template class TcxGridDataControllerViewLink<TcxDBDataController>;

// --- TcxCustomGridTableView ---

TcxCustomGridTableView::~TcxCustomGridTableView() {
  BeforeDestruction();
  // The controller's focus handling needs the whole record view: leave the focus before parts go.
  if (Grid()) SetFocused(false);
  if (HasHandlers()) Controller()->EditingController()->SetActiveItem(nullptr);
  while (!items_.empty()) {
    TcxCustomGridTableItem* item = items_.back();
    RemoveItem(item);
    // Items without an owner belong to the view.
    if (!item->Owner()) delete item;
  }
}

TcxCustomGridTableOptionsBehavior* TcxCustomGridTableView::OptionsBehavior() {
  if (!optionsBehavior_) optionsBehavior_ = CreateOptionsBehavior();
  return optionsBehavior_.get();
}

TcxCustomGridTableOptionsCustomize* TcxCustomGridTableView::OptionsCustomize() {
  if (!optionsCustomize_) optionsCustomize_ = CreateOptionsCustomize();
  return optionsCustomize_.get();
}

TcxCustomGridTableOptionsData* TcxCustomGridTableView::OptionsData() {
  if (!optionsData_) optionsData_ = CreateOptionsData();
  return optionsData_.get();
}

TcxCustomGridTableItem* TcxCustomGridTableView::CreateItem() {
  auto* item = dynamic_cast<TcxCustomGridTableItem*>(GetItemClass()->NewInstance(Owner()));
  if (!item) throw EInvalidCast(S("Invalid class typecast"));
  AddItem(item);
  return item;
}

void TcxCustomGridTableView::AddItem(TcxCustomGridTableItem* AItem) {
  if (AItem->gridView_ == this) return;
  if (AItem->gridView_) AItem->gridView_->RemoveItem(AItem);
  DataController()->AddItem(AItem);
  items_.push_back(AItem);
  AItem->gridView_ = this;
  AItem->id_ = nextID_++;
  AItem->visible_ = true;
  AItem->dataBinding_.reset(
      dynamic_cast<TcxGridItemDataBinding*>(GetItemDataBindingClass()->NewInstance(AItem)));
  if (!AItem->dataBinding_) throw EInvalidCast(S("Invalid class typecast"));
  AItem->RecalculateProperties();
  AItem->FreeNotification(this);
  SizeChanged();
}

void TcxCustomGridTableView::RemoveItem(TcxCustomGridTableItem* AItem) {
  auto it = std::find(items_.begin(), items_.end(), AItem);
  if (it == items_.end()) return;
  // The layout the data controller asks for while the item leaves runs once the item is gone.
  const bool bracketed = HasHandlers() && !IsDestroying();
  if (bracketed) BeginUpdate();
  TScopeExit endUpdate([this, bracketed] {
    if (bracketed) EndUpdate();
  });
  if (bracketed) Controller()->ItemRemoved(AItem);
  ItemRemoving(AItem);
  if (optionsBehavior_ && optionsBehavior_->IncSearchItem() == AItem)
    optionsBehavior_->SetIncSearchItem(nullptr);
  DataController()->Filter()->RemoveItemsByItemLink(AItem);
  DataController()->RemoveItem(AItem);
  items_.erase(it);
  AItem->gridView_ = nullptr;
  AItem->RecalculateProperties();
  AItem->dataBinding_.reset();
  AItem->RemoveFreeNotification(this);
  DataController()->UpdateItemIndexes();
  SizeChanged();
}

void TcxCustomGridTableView::ChangeItemIndex(TcxCustomGridTableItem* AItem, int AIndex) {
  auto it = std::find(items_.begin(), items_.end(), AItem);
  if (it == items_.end()) return;
  // An index out of range moves the item to the nearest end.
  AIndex = std::clamp(AIndex, 0, ItemCount() - 1);
  items_.erase(it);
  items_.insert(items_.begin() + AIndex, AItem);
  DataController()->UpdateItemIndexes();
  SizeChanged();
}

TcxCustomGridTableItem* TcxCustomGridTableView::FindItemByID(int AID) const {
  for (TcxCustomGridTableItem* item : items_)
    if (item->ID() == AID) return item;
  return nullptr;
}

bool TcxCustomGridTableView::IsRecordFocused(const TcxCustomGridRecord* ARecord) {
  if (!ARecord || !Grid() || Grid()->FocusedView() != this) return false;
  if (ARecord->IsNewItemRecord()) return DataController()->NewItemRowFocused();
  return ARecord->Index() == DataController()->GetFocusedRowIndex();
}

bool TcxCustomGridTableView::IsRecordDragHighlighted(const TcxCustomGridRecord* ARecord) {
  return ARecord && HasHandlers() && Controller()->DragHighlightedRecord() == ARecord;
}

bool TcxCustomGridTableView::IsRecordFocusedActive(const TcxCustomGridRecord* ARecord) {
  return IsControlFocused() || IsRecordDragHighlighted(ARecord);
}

bool TcxCustomGridTableView::IsRecordDrawnSelected(const TcxCustomGridRecord* ARecord) {
  if (IsRecordDragHighlighted(ARecord)) return true;
  if (!ARecord || !ARecord->Selected()) return false;
  return (Grid() && Grid()->FocusedView() == this) || OptionsSelection()->MultiSelect();
}

bool TcxCustomGridTableView::DoCanSelectRecord(int ARowIndex) {
  bool allow = true;
  if (OnCanSelectRecord) OnCanSelectRecord(this, ViewData()->GetRecordByIndex(ARowIndex), allow);
  return allow;
}

void TcxCustomGridTableView::ClearItems() {
  BeginUpdate();
  TScopeExit done([this] { EndUpdate(); });
  while (!items_.empty()) delete items_.back();
}

void TcxCustomGridTableView::AssignProperties(TcxCustomGridView* ASource) {
  if (auto* source = dynamic_cast<TcxCustomGridTableView*>(ASource)) {
    BeginUpdate();
    TScopeExit done([this] { EndUpdate(); });
    ClearItems();
    for (TcxCustomGridTableItem* from : source->items_) {
      TcxCustomGridTableItem* item = CreateItem();
      item->id_ = from->ID();
      item->Assign(from);
    }
    nextID_ = source->nextID_;
    OptionsBehavior()->Assign(source->OptionsBehavior());
    OptionsCustomize()->Assign(source->OptionsCustomize());
    OptionsData()->Assign(source->OptionsData());
    OnSelectionChanged = source->OnSelectionChanged;
    OnFocusedRecordChanged = source->OnFocusedRecordChanged;
    OnCanSelectRecord = source->OnCanSelectRecord;
  }
  inherited::AssignProperties(ASource);
}

bool TcxCustomGridTableView::HasItem(const TcxCustomGridTableItem* AItem) const {
  return std::find(items_.begin(), items_.end(), AItem) != items_.end();
}

TcxCustomGridTableItem* TcxCustomGridTableView::FindItemByName(const String& AName) const {
  for (TcxCustomGridTableItem* item : items_)
    if (item->Name() == AName) return item;
  return nullptr;
}

void TcxCustomGridTableView::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation == opRemove)
    if (auto* item = dynamic_cast<TcxCustomGridTableItem*>(AComponent)) RemoveItem(item);
}

void TcxCustomGridTableView::GetChildren(const TGetChildProc& Proc, TComponent* Root) {
  inherited::GetChildren(Proc, Root);
  for (TcxCustomGridTableItem* item : items_)
    if (item->Owner() == Root) Proc(item);
}

void TcxCustomGridTableView::RefreshItems() {
  for (TcxCustomGridTableItem* item : items_) item->DataBinding()->Init();
}

// The data controller's notifications become grid changes.
void TcxCustomGridTableView::UpdateControl(TcxUpdateControlInfo* AInfo) {
  if (IsDestroying()) return;
  if (dynamic_cast<TcxDataChangedInfo*>(AInfo)) {
    RefreshItems();
    DataChangedNotify();
  } else if (dynamic_cast<TcxLayoutChangedInfo*>(AInfo)) {
    ViewData()->RefreshRecords();
    SizeChanged(false, false);
  } else if (auto* focused = dynamic_cast<TcxFocusedRecordChangedInfo*>(AInfo)) {
    FocusedRecordChanged(*focused);
  } else if (auto* selection = dynamic_cast<TcxSelectionChangedInfo*>(AInfo)) {
    SelectionChanged(*selection);
  } else if (dynamic_cast<TcxSearchChangedInfo*>(AInfo)) {
    SearchChanged();
  }
}

void TcxCustomGridTableView::FocusedRecordChanged(const TcxFocusedRecordChangedInfo& AInfo) {
  if (HasHandlers()) Controller()->FocusedRecordChanged();
  if (!DataController()->IsSelectionAnchorExist() && AInfo.FocusedRowIndex != -1)
    DataController()->SetSelectionAnchor(AInfo.FocusedRowIndex);
  Changed(std::make_unique<TcxGridFocusedRecordChange>(
      this, AInfo.NewItemRowFocusingChanged, AInfo.FocusedRecordIndex, AInfo.PrevFocusedRecordIndex));
  if (DataController()->IsGridMode() && HasSite()) Site()->UpdateScrollBars();
  if (Grid()) Grid()->SendNotifications(gnkFocusedRecordChanged);
  if (OnFocusedRecordChanged)
    OnFocusedRecordChanged(this, ViewData()->GetRecordByRecordIndex(AInfo.PrevFocusedRecordIndex),
                           ViewData()->GetRecordByRecordIndex(AInfo.FocusedRecordIndex),
                           AInfo.NewItemRowFocusingChanged);
}

void TcxCustomGridTableView::SelectionChanged(const TcxSelectionChangedInfo& AInfo) {
  if (AInfo.GetCount() == 0) {
    LayoutChanged(true);
  } else {
    for (int i = 0; i < AInfo.GetCount(); ++i)
      if (TcxCustomGridRecord* record = ViewData()->GetRecordByIndex(AInfo.GetRowIndex(i)))
        record->Invalidate();
  }
  if (OnSelectionChanged) OnSelectionChanged(this);
}

// The searched cell of the focused record shows the typed text; the whole record when the search ended.
void TcxCustomGridTableView::SearchChanged() {
  TcxCustomGridRecord* record = ViewData()->GetRecordByIndex(DataController()->GetFocusedRowIndex());
  if (!record) return;
  TcxDataControllerSearch* search = DataController()->Search();
  const int item = search->GetSearching() ? search->GetItemIndex() : -1;
  record->Invalidate(item >= 0 && item < ItemCount() ? Items(item) : nullptr);
}

std::unique_ptr<TcxCustomGridViewData> TcxCustomGridTableView::CreateViewData() {
  return std::make_unique<TcxCustomGridTableViewData>(this);
}

TcxCustomGridTableViewData* TcxCustomGridTableView::ViewData() {
  return static_cast<TcxCustomGridTableViewData*>(TcxCustomGridView::ViewData());
}

void TcxCustomGridTableView::DataChanged() {
  ++itemDataChanges_;
  ViewInfoCache()->SetCount(DataController()->GetRowCount());
  ViewData()->Refresh(DataController()->GetRowCount());
  if (Grid()) Grid()->SendNotifications(gnkRecordCountChanged);
}
