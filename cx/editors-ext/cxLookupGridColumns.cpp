// The lookup grid's columns, their collection and the grid options.
#include <algorithm>

#include "cx/editors-ext/cxEditDataRegisteredRepositoryItems.h"
#include "cx/editors-ext/cxLookupGrid.h"
#include "cx/editors/cxTextEdit.h"

using LookupColumn = TcxLookupGridColumn;
using LookupOptions = TcxLookupGridOptions;

TRENVIK_PUBLISHED(TcxLookupGridColumn) {
  P.Property("Caption", &LookupColumn::Caption, &LookupColumn::SetCaption).Stored(&LookupColumn::IsCaptionAssigned);
  P.Property("Fixed", &LookupColumn::Fixed, &LookupColumn::SetFixed).Default(false);
  P.Property("HeaderAlignment", &LookupColumn::HeaderAlignment, &LookupColumn::SetHeaderAlignment)
      .Default(taLeftJustify);
  P.Property("MinWidth", &LookupColumn::MinWidth, &LookupColumn::SetMinWidth).Default(20);
  P.Property("Sorting", &LookupColumn::Sorting, &LookupColumn::SetSorting).Default(true);
  P.Property("SortOrder", &LookupColumn::SortOrder, &LookupColumn::SetSortOrder).Default(soNone);
  P.Property("RepositoryItem", &LookupColumn::RepositoryItem, &LookupColumn::SetRepositoryItem);
  P.Property("Width", &LookupColumn::Width, &LookupColumn::SetWidth).Stored(&LookupColumn::IsWidthAssigned);
}
TRENVIK_IMPLEMENT_CLASS(TcxLookupGridDefaultValuesProvider)
TRENVIK_IMPLEMENT_CLASS(TcxLookupGridColumns)
TRENVIK_PUBLISHED(TcxLookupGridOptions) {
  P.Property("AnsiSort", &LookupOptions::AnsiSort, &LookupOptions::SetAnsiSort).Default(false);
  P.Property("CaseInsensitive", &LookupOptions::CaseInsensitive, &LookupOptions::SetCaseInsensitive).Default(false);
  P.Property("ColumnSorting", &LookupOptions::ColumnSorting, &LookupOptions::SetColumnSorting).Default(true);
  P.Property("GridLines", &LookupOptions::GridLines, &LookupOptions::SetGridLines).Default(glBoth);
  P.Property("RowSelect", &LookupOptions::RowSelect, &LookupOptions::SetRowSelect).Default(true);
  P.Property("ShowHeader", &LookupOptions::ShowHeader, &LookupOptions::SetShowHeader).Default(true);
}

namespace {

// The text editor a column falls back to while no default editor is registered for it.
class TcxLookupGridTextItem : public TcxEditRepositoryItem {
 public:
  TcxLookupGridTextItem() : TcxEditRepositoryItem(nullptr) { CreateProperties(); }
  TClass GetPropertiesClass() override { return TcxTextEditProperties::StaticClass(); }
};

}  // namespace

// --- TcxLookupGridColumn ---

TcxLookupGridColumn::TcxLookupGridColumn(TCollection* Collection) : TCollectionItem(Collection) {
  TcxCustomLookupGrid* grid = Grid();
  TcxLookupGridUpdateScope update(grid);
  NotifyChanged();
  if (grid) grid->AddDataItem(this);
}

TcxLookupGridColumn::~TcxLookupGridColumn() {
  TcxCustomLookupGrid* grid = Grid();
  if (grid && !grid->IsGridDestroying()) {
    TcxLookupGridUpdateScope update(grid);
    // Out of the collection first, so the controller renumbers the remaining columns only.
    SetCollection(nullptr);
    grid->RemoveDataItem(this);
    if (grid->FocusedColumn() == this) grid->SetFocusedColumn(nullptr);
  }
  SetRepositoryItem(nullptr);
}

TcxCustomLookupGrid* TcxLookupGridColumn::Grid() const {
  auto* columns = dynamic_cast<TcxLookupGridColumns*>(Collection());
  return columns ? columns->Grid() : nullptr;
}

void TcxLookupGridColumn::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TcxLookupGridColumn*>(Source);
  if (!source) {
    TCollectionItem::Assign(Source);
    return;
  }
  TCollection* collection = Collection();
  if (collection) collection->BeginUpdate();
  RestoreDefaults();
  if (source->captionAssigned_) SetCaption(source->caption_);
  SetHeaderAlignment(source->headerAlignment_);
  SetMinWidth(source->minWidth_);
  SetFixed(source->fixed_);
  SetSorting(source->sorting_);
  SetSortOrder(source->SortOrder());
  SetRepositoryItem(source->repositoryItem_);
  if (source->widthAssigned_) SetWidth(source->width_);
  if (collection) collection->EndUpdate();
}

void TcxLookupGridColumn::SetIndex(int Value) {
  TCollectionItem::SetIndex(Value);
  if (TcxCustomLookupGrid* grid = Grid()) grid->DataController()->UpdateItemIndexes();
}

String TcxLookupGridColumn::Caption() {
  if (captionAssigned_) return caption_;
  String caption;
  GetDefaultCaption(caption);
  return caption;
}

void TcxLookupGridColumn::SetCaption(const String& Value) {
  if (captionAssigned_ && caption_ == Value) return;
  caption_ = Value;
  captionAssigned_ = true;
  NotifyChanged();
}

void TcxLookupGridColumn::SetFixed(bool Value) {
  if (fixed_ == Value) return;
  fixed_ = Value;
  NotifyChanged();
}

void TcxLookupGridColumn::SetHeaderAlignment(TAlignment Value) {
  if (headerAlignment_ == Value) return;
  headerAlignment_ = Value;
  NotifyChanged();
}

void TcxLookupGridColumn::SetMinWidth(int Value) {
  Value = std::max(Value, 0);
  if (minWidth_ == Value) return;
  minWidth_ = Value;
  if (Width() < minWidth_) SetWidth(minWidth_);
  NotifyChanged();
}

void TcxLookupGridColumn::SetSorting(bool Value) {
  if (sorting_ == Value) return;
  sorting_ = Value;
  NotifyChanged();
}

TcxDataSortOrder TcxLookupGridColumn::SortOrder() {
  TcxCustomLookupGrid* grid = Grid();
  return grid ? grid->DataController()->GetItemSortOrder(Index()) : soNone;
}

void TcxLookupGridColumn::SetSortOrder(TcxDataSortOrder Value) {
  if (TcxCustomLookupGrid* grid = Grid()) grid->DataController()->ChangeSorting(Index(), Value);
}

void TcxLookupGridColumn::SetRepositoryItem(TcxEditRepositoryItem* Value) {
  if (repositoryItem_ == Value) return;
  if (repositoryItem_) repositoryItem_->RemoveListener(this);
  repositoryItem_ = Value;
  if (repositoryItem_) repositoryItem_->AddListener(this);
  NotifyChanged();
}

int TcxLookupGridColumn::Width() { return widthAssigned_ ? width_ : GetDefaultWidth(); }

void TcxLookupGridColumn::SetWidth(int Value) {
  CheckWidthValue(Value);
  if (widthAssigned_ && width_ == Value) return;
  width_ = Value;
  widthAssigned_ = true;
  NotifyChanged();
}

const IcxEditDefaultValuesProviderRef& TcxLookupGridColumn::DefaultValuesProvider() {
  if (!provider_) provider_ = GetDefaultValuesProviderClass()(this);
  return provider_;
}

void TcxLookupGridColumn::ItemRemoved(TcxEditRepositoryItem* Sender) {
  if (Sender == repositoryItem_) SetRepositoryItem(nullptr);
}

void TcxLookupGridColumn::PropertiesChanged(TcxEditRepositoryItem*) { NotifyChanged(); }

void TcxLookupGridColumn::CheckWidthValue(int& AWidth) { AWidth = std::max(AWidth, minWidth_); }

TcxLookupGridProviderFactory TcxLookupGridColumn::GetDefaultValuesProviderClass() {
  return [](TPersistent* AOwner) { return std::make_shared<TcxLookupGridDefaultValuesProvider>(AOwner); };
}

TcxValueTypeClass TcxLookupGridColumn::GetValueTypeClass() {
  TcxCustomLookupGrid* grid = Grid();
  return grid ? grid->DataController()->GetItemValueTypeClass(Index()) : nullptr;
}

void TcxLookupGridColumn::SetValueTypeClass(TcxValueTypeClass AClass) {
  if (TcxCustomLookupGrid* grid = Grid()) grid->DataController()->ChangeValueTypeClass(Index(), AClass);
}

TFont* TcxLookupGridColumn::GetFont() {
  TcxCustomLookupGrid* grid = Grid();
  return grid ? grid->ViewInfo()->GetContentFont() : nullptr;
}

TcxEditRepositoryItem* TcxLookupGridColumn::GetDefaultRepositoryItem() {
  return GetEditDataRegisteredItems()->GetDefaultItem();
}

TcxEditRepositoryItem* TcxLookupGridColumn::GetEffectiveDefaultRepositoryItem() {
  if (TcxEditRepositoryItem* item = GetDefaultRepositoryItem()) return item;
  if (!internalItem_) internalItem_ = std::make_unique<TcxLookupGridTextItem>();
  return internalItem_.get();
}

TcxEditRepositoryItem* TcxLookupGridColumn::GetEffectiveRepositoryItem() {
  return repositoryItem_ ? repositoryItem_ : GetEffectiveDefaultRepositoryItem();
}

bool TcxLookupGridColumn::IsRight() {
  TCollection* collection = Collection();
  return collection && Index() == collection->Count() - 1;
}

void TcxLookupGridColumn::RestoreDefaults() {
  captionAssigned_ = false;
  caption_.clear();
  widthAssigned_ = false;
  headerAlignment_ = taLeftJustify;
  minWidth_ = 20;
  fixed_ = false;
  sorting_ = true;
  NotifyChanged();
}

// --- TcxLookupGridColumns ---

TcxLookupGridColumns::TcxLookupGridColumns(TcxCustomLookupGrid* AGrid, TClass AColumnClass)
    : TCollection(AColumnClass), grid_(AGrid) {}

TPersistent* TcxLookupGridColumns::GetOwner() { return grid_; }

void TcxLookupGridColumns::Update(TCollectionItem*) {
  if (!grid_->IsLoading()) grid_->LayoutChanged();
}

void TcxLookupGridColumns::RestoreDefaults() {
  BeginUpdate();
  for (int i = 0; i < Count(); ++i) Items(i)->RestoreDefaults();
  EndUpdate();
}

// --- TcxLookupGridOptions ---

void TcxLookupGridOptions::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TcxLookupGridOptions*>(Source);
  if (!source) {
    TPersistent::Assign(Source);
    return;
  }
  TcxLookupGridUpdateScope update(grid_);
  SetAnsiSort(source->AnsiSort());
  SetCaseInsensitive(source->CaseInsensitive());
  SetColumnSorting(source->columnSorting_);
  SetGridLines(source->gridLines_);
  SetRowSelect(source->rowSelect_);
  SetShowHeader(source->showHeader_);
}

bool TcxLookupGridOptions::AnsiSort() const { return grid_->DataController()->GetOptions().Contains(dcoAnsiSort); }

void TcxLookupGridOptions::SetAnsiSort(bool Value) { SetControllerOption(dcoAnsiSort, Value); }

bool TcxLookupGridOptions::CaseInsensitive() const {
  return grid_->DataController()->GetOptions().Contains(dcoCaseInsensitive);
}

void TcxLookupGridOptions::SetCaseInsensitive(bool Value) { SetControllerOption(dcoCaseInsensitive, Value); }

void TcxLookupGridOptions::SetControllerOption(TcxDataControllerOption AOption, bool AValue) {
  TcxCustomDataController* controller = grid_->DataController();
  TcxDataControllerOptions options = controller->GetOptions();
  if (AValue)
    options.Include(AOption);
  else
    options.Exclude(AOption);
  controller->SetOptions(options);
}

void TcxLookupGridOptions::SetGridLines(TcxGridLines Value) {
  if (gridLines_ == Value) return;
  gridLines_ = Value;
  grid_->LayoutChanged();
}

void TcxLookupGridOptions::SetRowSelect(bool Value) {
  if (rowSelect_ == Value) return;
  rowSelect_ = Value;
  if (rowSelect_) grid_->SetFocusedColumn(nullptr);
  grid_->LayoutChanged();
}

void TcxLookupGridOptions::SetShowHeader(bool Value) {
  if (showHeader_ == Value) return;
  showHeader_ = Value;
  grid_->LayoutChanged();
}
