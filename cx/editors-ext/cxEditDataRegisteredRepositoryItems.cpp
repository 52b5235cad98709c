#include "cx/editors-ext/cxEditDataRegisteredRepositoryItems.h"

#include <memory>

#include "cx/editors-ext/cxEditRepositoryItems.h"

TRENVIK_IMPLEMENT_CLASS(TcxEditDataRegisteredRepositoryItems)

namespace {

std::unique_ptr<TcxEditDataRegisteredRepositoryItems> theEditDataRegisteredItems;

// The value types with an editor of their own; every other type gets the text item.
struct TcxValueTypeEditor {
  TcxValueTypeClass (*ValueType)();
  TClass (*ItemClass)();
};

constexpr TcxValueTypeEditor cxValueTypeEditors[] = {
    {&TcxBooleanValueType::Class, &TcxEditRepositoryCheckBoxItem::StaticClass},
    {&TcxCurrencyValueType::Class, &TcxEditRepositoryCurrencyItem::StaticClass},
    {&TcxDateTimeValueType::Class, &TcxEditRepositoryDateItem::StaticClass},
    {&TcxFMTBcdValueType::Class, &TcxEditRepositoryCurrencyItem::StaticClass},
    {&TcxSQLTimeStampValueType::Class, &TcxEditRepositoryDateItem::StaticClass},
};

constexpr int cxDataRegistryPriority = -1;

}  // namespace

TcxEditDataRegisteredRepositoryItems* GetEditDataRegisteredItems() {
  if (!theEditDataRegisteredItems) theEditDataRegisteredItems = std::make_unique<TcxEditDataRegisteredRepositoryItems>(nullptr);
  return theEditDataRegisteredItems.get();
}

void InitializeEditDataRegisteredItems() {
  TcxEditDataRegisteredRepositoryItems* registry = GetEditDataRegisteredItems();
  TcxEditRepository* repository = GetDefaultEditRepository();
  registry->RegisterDefaultItem(cxDataRegistryPriority,
                                repository->CreateItem(TcxEditRepositoryTextItem::StaticClass()));
  for (const TcxValueTypeEditor& editor : cxValueTypeEditors)
    registry->RegisterItem(TcxEditDataRegisteredRepositoryItems::KeyOf(editor.ValueType()), cxDataRegistryPriority,
                           repository->CreateItem(editor.ItemClass()));
}

void FinalizeEditDataRegisteredItems() {
  if (!theEditDataRegisteredItems) return;
  theEditDataRegisteredItems->UnregisterDefaultItem(cxDataRegistryPriority);
  for (const TcxValueTypeEditor& editor : cxValueTypeEditors)
    theEditDataRegisteredItems->UnregisterItem(TcxEditDataRegisteredRepositoryItems::KeyOf(editor.ValueType()),
                                               cxDataRegistryPriority);
  theEditDataRegisteredItems.reset();
}
