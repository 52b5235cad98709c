// Items of record-based views: caption, visibility, widths and sort order, bound to the fields of
// the view's data controller.
#include <algorithm>

#include "cx/grid/cxGridCustomTableView.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/classes/Filer.h"
#include "platform/classes/Published.h"
#include "platform/rtl/NumberText.h"
#include "platform/rtl/StrUtils.h"

TRENVIK_IMPLEMENT_CLASS(TcxGridItemDataBinding)
TRENVIK_IMPLEMENT_CLASS(TcxCustomGridTableItem)

// --- TcxGridItemDataBinding ---

TcxCustomGridTableView* TcxGridItemDataBinding::GridView() const { return item_->GridView(); }

TcxCustomDataController* TcxGridItemDataBinding::DataController() const { return GridView()->DataController(); }

TPersistent* TcxGridItemDataBinding::GetOwner() { return item_; }

void TcxGridItemDataBinding::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TcxGridItemDataBinding*>(Source);
  if (!source) {
    inherited::Assign(Source);
    return;
  }
  if (item_->Index() >= 0 && source->item_->Index() >= 0)
    DataController()->ChangeValueTypeClass(item_->Index(),
                                           source->DataController()->GetItemValueTypeClass(source->item_->Index()));
}

TcxFilterCriteriaItem* TcxGridItemDataBinding::FilterCriteriaItem() const {
  return DataController()->Filter()->FindItemByItemLink(item_);
}

void TcxGridItemDataBinding::SetFiltered(bool Value) {
  if (!Value) Filter()->RemoveItemsByItemLink(item_);
}

TcxFilterCriteriaItem* TcxGridItemDataBinding::AddToFilter(TcxFilterCriteriaItemList* AParent,
                                                           TcxFilterOperatorKind AOperatorKind, const Variant& AValue,
                                                           const String& ADisplayText, bool AReplaceExisting) {
  const String text = item_->GetFilterDisplayText(AValue, ADisplayText.empty() ? VarToStr(AValue) : ADisplayText);
  if (AReplaceExisting) {
    Filter()->BeginUpdate();
    TScopeExit endUpdate([this] { Filter()->EndUpdate(); });
    Filter()->RemoveItemsByItemLink(item_);
  }
  return Filter()->AddItem(AParent, item_, AOperatorKind, AValue, text);
}

void TcxGridItemDataBinding::GetFilterValues(TStrings* AStrings, TcxDataFilterValueList* AValueList) {
  AValueList->Load(item_->Index());
  if (item_->OnGetFilterValues) item_->OnGetFilterValues(item_, AValueList);
  AStrings->BeginUpdate();
  TScopeExit endUpdate([AStrings] { AStrings->EndUpdate(); });
  AStrings->Clear();
  for (int i = 0; i < AValueList->Count(); ++i) {
    const TcxFilterValueItem& entry = AValueList->Items(i);
    AStrings->Add(item_->GetFilterDisplayText(entry.Value, entry.DisplayText));
  }
}

// --- TcxCustomGridTableItem ---

TcxCustomGridTableItem::TcxCustomGridTableItem(TComponent* AOwner) : TcxComponent(AOwner) {}

TcxCustomGridTableItem::~TcxCustomGridTableItem() {
  BeforeDestruction();
  if (gridView_) gridView_->RemoveItem(this);
  // A repository item outliving the item must not tell it anything.
  if (repositoryItem_) repositoryItem_->RemoveListener(this);
  ReleaseDefaultRepositoryItem();
}

String TcxCustomGridTableItem::GetFilterDisplayText(const Variant& AValue, const String& ADisplayText) {
  String text = ADisplayText;
  if (OnGetFilterDisplayText) OnGetFilterDisplayText(this, AValue, text);
  return text;
}

int TcxCustomGridTableItem::Index() const {
  if (!gridView_) return -1;
  for (int i = 0; i < gridView_->ItemCount(); ++i)
    if (gridView_->Items(i) == this) return i;
  return -1;
}

void TcxCustomGridTableItem::SetIndex(int Value) {
  if (gridView_) gridView_->ChangeItemIndex(this, Value);
}

void TcxCustomGridTableItem::Changed(bool ASizeChanged) {
  if (!gridView_) return;
  if (ASizeChanged)
    gridView_->SizeChanged();
  else
    gridView_->LayoutChanged();
}

String TcxCustomGridTableItem::Caption() { return captionAssigned_ ? caption_ : GetDefaultCaption(); }

void TcxCustomGridTableItem::SetCaption(const String& Value) {
  if (Value == Caption()) return;
  caption_ = Value;
  captionAssigned_ = true;
  if (visible_) Changed(false);
}

// The defaults are asked of the binding, whose answers are not const.
bool TcxCustomGridTableItem::IsCaptionStored() const {
  return captionAssigned_ && caption_ != const_cast<TcxCustomGridTableItem*>(this)->GetDefaultCaption();
}

void TcxCustomGridTableItem::SetVisible(bool Value) {
  if (visible_ == Value) return;
  visible_ = Value;
  Changed(true);
}

int TcxCustomGridTableItem::Width() { return widthAssigned_ ? width_ : GetDefaultWidth(); }

void TcxCustomGridTableItem::SetWidth(int Value) {
  Value = std::max(Value, minWidth_);
  if (widthAssigned_ && Value == width_ && !ComponentState().Contains(csLoading)) return;
  width_ = Value;
  widthAssigned_ = true;
  Changed(true);
}

bool TcxCustomGridTableItem::IsWidthStored() const {
  return widthAssigned_ && width_ != const_cast<TcxCustomGridTableItem*>(this)->GetDefaultWidth();
}

void TcxCustomGridTableItem::SetMinWidth(int Value) {
  Value = std::max(Value, 0);
  if (Value == minWidth_) return;
  const int widthBefore = Width();
  minWidth_ = Value;
  if (ComponentState().Contains(csLoading)) return;
  if (Width() < minWidth_)
    SetWidth(minWidth_);
  else if (widthBefore < Value)
    Changed(true);
}

TcxDataSortOrder TcxCustomGridTableItem::SortOrder() const {
  return gridView_ ? gridView_->DataController()->GetItemSortOrder(Index()) : soNone;
}

void TcxCustomGridTableItem::SetSortOrder(TcxDataSortOrder Value) {
  if (gridView_) gridView_->DataController()->ChangeSorting(Index(), Value);
}

void TcxCustomGridTableItem::RestoreDefaults() {
  captionAssigned_ = false;
  widthAssigned_ = false;
  Changed(true);
}

TComponent* TcxCustomGridTableItem::GetParentComponent() const { return gridView_; }

void TcxCustomGridTableItem::SetParentComponent(TComponent* Value) {
  if (auto* view = dynamic_cast<TcxCustomGridTableView*>(Value)) view->AddItem(this);
}

void TcxCustomGridTableItem::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TcxCustomGridTableItem*>(Source);
  if (!source) {
    inherited::Assign(Source);
    return;
  }
  if (dataBinding_ && source->dataBinding_) dataBinding_->Assign(source->dataBinding_.get());
  captionAssigned_ = source->captionAssigned_;
  caption_ = source->caption_;
  minWidth_ = source->minWidth_;
  SetSortOrder(source->SortOrder());
  SetVisible(source->Visible());
  widthAssigned_ = source->widthAssigned_;
  width_ = source->width_;
  SetPropertiesClass(source->PropertiesClass());
  SetProperties(source->Properties());
  SetRepositoryItem(source->RepositoryItem());
  OnGetDisplayText = source->OnGetDisplayText;
  OnGetFilterDisplayText = source->OnGetFilterDisplayText;
  OnGetFilterValues = source->OnGetFilterValues;
}

// An empty assigned caption cannot travel as Caption itself.
void TcxCustomGridTableItem::DefineProperties(TFiler* Filer) {
  inherited::DefineProperties(Filer);
  Filer->DefineProperty(
      S("IsCaptionAssigned"), [this](TReader* R) { ReadIsCaptionAssigned(R); },
      [this](TWriter* W) { WriteIsCaptionAssigned(W); }, IsCaptionAssignedStored());
}

void TcxCustomGridTableItem::ReadIsCaptionAssigned(TReader* Reader) { captionAssigned_ = Reader->ReadBoolean(); }

void TcxCustomGridTableItem::WriteIsCaptionAssigned(TWriter* Writer) { Writer->WriteBoolean(captionAssigned_); }

// --- Stored properties ---

void TcxCustomGridTableItem::GetStoredObjectName(String& AName) {
  AName = gridView_ && !gridView_->StorageName().empty() ? IntToStr(id_) : Name();
}

bool TcxCustomGridTableItem::GetStoredPropertyNames(TStrings* AProperties) {
  for (const char16_t* name : {u"Index", u"Visible", u"Caption", u"SortOrder"}) AProperties->Add(name);
  return true;
}

void TcxCustomGridTableItem::GetStoredPropertyValue(const String& AName, Variant& AValue) {
  if (AName == u"Index")
    AValue = Index();
  else if (AName == u"Visible")
    AValue = Visible();
  else if (AName == u"Caption")
    AValue = Caption();
  else if (AName == u"SortOrder")
    AValue = static_cast<int>(SortOrder());
}

void TcxCustomGridTableItem::SetStoredPropertyValue(const String& AName, const Variant& AValue) {
  if (AName == u"Index") {
    SetIndex(AValue.AsInteger());
  } else if (AName == u"Visible") {
    SetVisible(AValue.AsBoolean());
  } else if (AName == u"Caption") {
    SetCaption(VarToStr(AValue));
  } else if (AName == u"SortOrder") {
    // A stored order outside the enumeration counts as a missing value.
    const int order = AValue.AsInteger();
    if (order >= soNone && order <= soDescending) SetSortOrder(static_cast<TcxDataSortOrder>(order));
  }
}

// Components read from a form file join their parent before their properties are read.
void TcxCustomGridTableItem::ReadState(TReader* Reader) {
  if (Reader->Parent()) SetParentComponent(Reader->Parent());
  inherited::ReadState(Reader);
}
