#include "dx/dbgrid/dxDBGridSummaryGroups.h"

#include "dx/dbgrid/dxDBGrid.h"
#include "dx/treelist/dxTLConsts.h"
#include "platform/classes/Published.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/rtl/StrUtils.h"

TRENVIK_PUBLISHED(TdxDBGridSummaryItem) {
  P.Property("ColumnName", &TdxDBGridSummaryItem::ColumnName, &TdxDBGridSummaryItem::SetColumnName);
  P.Property("SummaryType", &TdxDBGridSummaryItem::SummaryType, &TdxDBGridSummaryItem::SetSummaryType)
      .Default(cstNone);
  P.Property("SummaryField", &TdxDBGridSummaryItem::SummaryField, &TdxDBGridSummaryItem::SetSummaryField);
  P.Property("SummaryFormat", &TdxDBGridSummaryItem::SummaryFormat, &TdxDBGridSummaryItem::SetSummaryFormat);
  P.Event("OnSummary", &TdxDBGridSummaryItem::OnSummary);
}

TRENVIK_PUBLISHED(TdxDBGridSummaryGroup) {
  P.Property("BeginSummaryText", &TdxDBGridSummaryGroup::BeginSummaryText,
             &TdxDBGridSummaryGroup::SetBeginSummaryText);
  P.Property("EndSummaryText", &TdxDBGridSummaryGroup::EndSummaryText, &TdxDBGridSummaryGroup::SetEndSummaryText);
  P.Property("DefaultGroup", &TdxDBGridSummaryGroup::DefaultGroup, &TdxDBGridSummaryGroup::SetDefaultGroup);
  P.Property("SummaryItems", &TdxDBGridSummaryGroup::SummaryItems);
  P.Property("Name", &TdxDBGridSummaryGroup::Name, &TdxDBGridSummaryGroup::SetName);
}

TRENVIK_IMPLEMENT_CLASS(TdxDBGridSummaryItems)
TRENVIK_IMPLEMENT_CLASS(TdxDBGridSummaryGroups)

namespace {

// Copies inside the collection's update bracket, so that the grid hears of the copy once.
template <class TCopy>
void CopyInUpdate(TCollectionItem* Item, const TCopy& Copy) {
  TCollection* collection = Item->Collection();
  if (collection) collection->BeginUpdate();
  TScopeExit end([&] {
    if (collection) collection->EndUpdate();
  });
  Copy();
}

}  // namespace

// --- Items ---

void TdxDBGridSummaryItem::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TdxDBGridSummaryItem*>(Source);
  if (!source) {
    inherited::Assign(Source);
    return;
  }
  CopyInUpdate(this, [&] {
    SetColumnName(source->ColumnName());
    SetSummaryType(source->SummaryType());
    SetSummaryField(source->SummaryField());
    SetSummaryFormat(source->SummaryFormat());
  });
}

TFieldType TdxDBGridSummaryItem::SummaryDataType() const {
  if (summaryType_ == cstCount || !boundField_) return ftUnknown;
  const TFieldType t = boundField_->DataType();
  return t == ftDate || t == ftTime || t == ftDateTime ? t : ftUnknown;
}

TdxDBGridSummaryItems::TdxDBGridSummaryItems(TdxDBGridSummaryGroup* Group)
    : TOwnedCollection(Group, TdxDBGridSummaryItem::StaticClass()), group_(Group) {}

void TdxDBGridSummaryItems::Update(TCollectionItem*) {
  TCustomdxDBGrid* grid = group_->Grid();
  if (grid && !grid->IsLoading()) grid->LayoutChanged();
}

// --- Groups ---

TdxDBGridSummaryGroup::TdxDBGridSummaryGroup(TCollection* Collection)
    : TCollectionItem(nullptr), items_(std::make_unique<TdxDBGridSummaryItems>(this)) {
  // Joins once complete: the grid reads every group when the collection changes.
  SetCollection(Collection);
}

TdxDBGridSummaryGroup::~TdxDBGridSummaryGroup() = default;

TCustomdxDBGrid* TdxDBGridSummaryGroup::Grid() const {
  auto* groups = dynamic_cast<TdxDBGridSummaryGroups*>(Collection());
  return groups ? groups->Control() : nullptr;
}

void TdxDBGridSummaryGroup::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TdxDBGridSummaryGroup*>(Source);
  if (!source) {
    inherited::Assign(Source);
    return;
  }
  CopyInUpdate(this, [&] {
    beginSummaryText_ = source->beginSummaryText_;
    endSummaryText_ = source->endSummaryText_;
    SetDefaultGroup(source->defaultGroup_);
    items_->Assign(source->items_.get());
    SetName(source->name_);
  });
}

void TdxDBGridSummaryGroup::SetDefaultGroup(bool Value) {
  if (Value && Collection())
    for (int i = 0; i < Collection()->Count(); ++i)
      static_cast<TdxDBGridSummaryGroup*>(Collection()->Items(i))->defaultGroup_ = false;
  defaultGroup_ = Value;
}

void TdxDBGridSummaryGroup::SetName(const String& Value) {
  if (Value.empty()) RaiseTreeListError(u"Invalidate group name!");
  if (auto* groups = dynamic_cast<TdxDBGridSummaryGroups*>(Collection()))
    for (int i = 0; i < groups->Count(); ++i)
      if (groups->GetItem(i) != this && groups->GetItem(i)->Name() == Value)
        RaiseTreeListError(u"Invalidate group name: duplicate!");
  name_ = Value;
}

TdxDBGridSummaryGroups::TdxDBGridSummaryGroups(TCustomdxDBGrid* Grid)
    : TOwnedCollection(Grid, TdxDBGridSummaryGroup::StaticClass()), grid_(Grid) {}

TdxDBGridSummaryGroup* TdxDBGridSummaryGroups::GetDefaultGroup() const {
  for (int i = 0; i < Count(); ++i)
    if (GetItem(i)->DefaultGroup()) return GetItem(i);
  return nullptr;
}

TdxDBGridSummaryGroup* TdxDBGridSummaryGroups::FindGroup(const String& Name) const {
  for (int i = 0; i < Count(); ++i)
    if (AnsiCompareText(GetItem(i)->Name(), Name) == 0) return GetItem(i);
  return nullptr;
}

void TdxDBGridSummaryGroups::Update(TCollectionItem*) {
  if (!grid_->IsLoading() && !grid_->IsDestroying()) grid_->RefreshDataLayout();
}
