// The default editor of a dataset field: by its field type, or the lookup editor for a lookup field.
#pragma once

#include "cx/editors-ext/cxEditRegisteredRepositoryItems.h"
#include "platform/data/DBTypes.h"

class TField;

class TcxEditDBRegisteredRepositoryItems : public TcxEditRegisteredRepositoryItems {
  TRENVIK_CLASS(TcxEditDBRegisteredRepositoryItems, TcxEditRegisteredRepositoryItems);

 public:
  using TCreateArg = TPersistent;
  explicit TcxEditDBRegisteredRepositoryItems(TPersistent* AOwner) : TcxEditRegisteredRepositoryItems(AOwner) {}
  ~TcxEditDBRegisteredRepositoryItems() override;

  void ItemRemoved(TcxEditRepositoryItem* AItem) override;

  // No field: the default item; a lookup field: the lookup item; else the item of its data type.
  TcxEditRepositoryItem* ItemForField(TField* AField);
  TcxEditRepositoryItem* GetFieldTypeItem(TFieldType AFieldType) { return ItemForKey(KeyOf(AFieldType)); }
  // The default item when no lookup item is registered.
  TcxEditRepositoryItem* GetLookupItem();
  int RegisterLookupItem(int APriority, TcxEditRepositoryItem* AItem);
  int RegisterFieldTypeItem(TFieldType AFieldType, int APriority, TcxEditRepositoryItem* AItem) {
    return RegisterItem(KeyOf(AFieldType), APriority, AItem);
  }
  void UnregisterFieldTypeItem(TFieldType AFieldType, int APriority) { UnregisterItem(KeyOf(AFieldType), APriority); }
  const TEntryList& LookupEntries() const { return lookupEntries_; }

  // The ordinal is the key, so ftUnknown (0) asks for no key and gets the default item.
  static TcxRegisteredItemKey KeyOf(TFieldType AFieldType) { return static_cast<TcxRegisteredItemKey>(AFieldType); }

 protected:
  bool UsesItem(TcxEditRepositoryItem* AItem) const override;

 private:
  TEntryList lookupEntries_;
};

// The process-wide registry, made on first use.
TcxEditDBRegisteredRepositoryItems* GetEditDBRegisteredItems();
// Registers the default-repository items of the field types whose editors exist and the lookup item.
void InitializeEditDBRegisteredItems();
void FinalizeEditDBRegisteredItems();
