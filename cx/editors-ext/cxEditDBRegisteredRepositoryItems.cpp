#include "cx/editors-ext/cxEditDBRegisteredRepositoryItems.h"

#include <memory>

#include "cx/editors-ext/cxDBEditRepository.h"
#include "platform/data/Field.h"

TRENVIK_IMPLEMENT_CLASS(TcxEditDBRegisteredRepositoryItems)

namespace {

std::unique_ptr<TcxEditDBRegisteredRepositoryItems> theEditDBRegisteredItems;

// The field types with an editor of their own; every other type gets the default mask item.
struct TcxFieldTypeEditor {
  TFieldType FieldType;
  TClass (*ItemClass)();
};

constexpr TcxFieldTypeEditor cxFieldTypeEditors[] = {
    {ftBoolean, &TcxEditRepositoryCheckBoxItem::StaticClass},
    {ftCurrency, &TcxEditRepositoryCurrencyItem::StaticClass},
    {ftBCD, &TcxEditRepositoryCurrencyItem::StaticClass},
    {ftFMTBcd, &TcxEditRepositoryCurrencyItem::StaticClass},
    {ftDate, &TcxEditRepositoryDateItem::StaticClass},
    {ftDateTime, &TcxEditRepositoryDateItem::StaticClass},
    {ftTime, &TcxEditRepositoryTimeItem::StaticClass},
    {ftMemo, &TcxEditRepositoryMemoItem::StaticClass},
    {ftGraphic, &TcxEditRepositoryImageItem::StaticClass},
    {ftBytes, &TcxEditRepositoryBlobItem::StaticClass},
    {ftVarBytes, &TcxEditRepositoryBlobItem::StaticClass},
    {ftBlob, &TcxEditRepositoryBlobItem::StaticClass},
    {ftFmtMemo, &TcxEditRepositoryBlobItem::StaticClass},
    {ftParadoxOle, &TcxEditRepositoryBlobItem::StaticClass},
    {ftDBaseOle, &TcxEditRepositoryBlobItem::StaticClass},
    {ftTypedBinary, &TcxEditRepositoryBlobItem::StaticClass},
};

constexpr int cxDBRegistryPriority = -1;

}  // namespace

TcxEditDBRegisteredRepositoryItems::~TcxEditDBRegisteredRepositoryItems() {
  ClearList(lookupEntries_);
  Clear();
}

void TcxEditDBRegisteredRepositoryItems::ItemRemoved(TcxEditRepositoryItem* AItem) {
  inherited::ItemRemoved(AItem);
  DeleteItemEntries(lookupEntries_, AItem);
}

bool TcxEditDBRegisteredRepositoryItems::UsesItem(TcxEditRepositoryItem* AItem) const {
  return inherited::UsesItem(AItem) || ListUsesItem(lookupEntries_, AItem);
}

TcxEditRepositoryItem* TcxEditDBRegisteredRepositoryItems::ItemForField(TField* AField) {
  if (!AField) return GetDefaultItem();
  if (AField->FieldKind() == fkLookup) return GetLookupItem();
  return GetFieldTypeItem(AField->DataType());
}

TcxEditRepositoryItem* TcxEditDBRegisteredRepositoryItems::GetLookupItem() {
  return lookupEntries_.empty() ? GetDefaultItem() : lookupEntries_.front().Item;
}

int TcxEditDBRegisteredRepositoryItems::RegisterLookupItem(int APriority, TcxEditRepositoryItem* AItem) {
  return AddItem(lookupEntries_, 0, AItem, APriority);
}

TcxEditDBRegisteredRepositoryItems* GetEditDBRegisteredItems() {
  if (!theEditDBRegisteredItems) theEditDBRegisteredItems = std::make_unique<TcxEditDBRegisteredRepositoryItems>(nullptr);
  return theEditDBRegisteredItems.get();
}

void InitializeEditDBRegisteredItems() {
  TcxEditDBRegisteredRepositoryItems* registry = GetEditDBRegisteredItems();
  TcxEditRepository* repository = GetDefaultEditRepository();
  registry->RegisterDefaultItem(cxDBRegistryPriority, repository->CreateItem(TcxEditRepositoryMaskItem::StaticClass()));

  // The lookup editor of a lookup field: a plain list without lines or header, chosen from the list only.
  auto* lookup = static_cast<TcxEditRepositoryLookupComboBoxItem*>(
      repository->CreateItem(TcxEditRepositoryLookupComboBoxItem::StaticClass()));
  TcxLookupComboBoxProperties* properties = lookup->TypedProperties();
  properties->ListOptions()->SetGridLines(glNone);
  properties->SetDropDownListStyle(lsEditFixedList);
  properties->ListOptions()->SetShowHeader(false);
  registry->RegisterLookupItem(cxDBRegistryPriority, lookup);

  for (const TcxFieldTypeEditor& editor : cxFieldTypeEditors)
    registry->RegisterFieldTypeItem(editor.FieldType, cxDBRegistryPriority, repository->CreateItem(editor.ItemClass()));
}

void FinalizeEditDBRegisteredItems() {
  if (!theEditDBRegisteredItems) return;
  theEditDBRegisteredItems->UnregisterDefaultItem(cxDBRegistryPriority);
  for (const TcxFieldTypeEditor& editor : cxFieldTypeEditors)
    theEditDBRegisteredItems->UnregisterFieldTypeItem(editor.FieldType, cxDBRegistryPriority);
  theEditDBRegisteredItems.reset();
}
