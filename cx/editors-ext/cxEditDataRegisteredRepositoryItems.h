// The default editor of a value type: the editor a grid item or a lookup grid column shows when it
// has neither its own properties nor a repository item.
#pragma once

#include "cx/data/cxDataStorage.h"
#include "cx/editors-ext/cxEditRegisteredRepositoryItems.h"

class TcxEditDataRegisteredRepositoryItems : public TcxEditRegisteredRepositoryItems {
  TRENVIK_CLASS(TcxEditDataRegisteredRepositoryItems, TcxEditRegisteredRepositoryItems);

 public:
  using TCreateArg = TPersistent;
  explicit TcxEditDataRegisteredRepositoryItems(TPersistent* AOwner) : TcxEditRegisteredRepositoryItems(AOwner) {}

  static TcxRegisteredItemKey KeyOf(TcxValueTypeClass AValueTypeClass) {
    return reinterpret_cast<TcxRegisteredItemKey>(AValueTypeClass);
  }
  // The item of the value type; the default (text) item for a type without one or no type.
  TcxEditRepositoryItem* GetItem(TcxValueTypeClass AValueTypeClass) { return ItemForKey(KeyOf(AValueTypeClass)); }
};

// The process-wide registry, made on first use.
TcxEditDataRegisteredRepositoryItems* GetEditDataRegisteredItems();
// Registers the default-repository items of the value types whose editors exist.
void InitializeEditDataRegisteredItems();
void FinalizeEditDataRegisteredItems();
