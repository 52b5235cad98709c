// A table of repository items by key and priority with a fallback list: the base of the default
// editor registries. The items belong to their repository; an item freed while registered takes its
// entries with it.
#pragma once

#include <climits>
#include <cstdint>
#include <vector>

#include "cx/editors/cxEdit.h"
#include "cx/foundation/cxClasses.h"

// A value-type class or a field-type ordinal; 0 asks for no key.
using TcxRegisteredItemKey = std::uintptr_t;

class TcxEditRegisteredRepositoryItems : public TcxInterfacedPersistent, public IcxEditRepositoryItemListener {
  TRENVIK_CLASS(TcxEditRegisteredRepositoryItems, TcxInterfacedPersistent);

 public:
  struct TEntry {
    TcxRegisteredItemKey Key;
    int Priority;
    TcxEditRepositoryItem* Item;
  };
  using TEntryList = std::vector<TEntry>;
  // A probe priority that matches any priority of its key.
  static constexpr int AnyPriority = INT_MAX;

  explicit TcxEditRegisteredRepositoryItems(TPersistent* AOwner);
  ~TcxEditRegisteredRepositoryItems() override;

  // IcxEditRepositoryItemListener
  void ItemRemoved(TcxEditRepositoryItem* AItem) override;
  void PropertiesChanged(TcxEditRepositoryItem* AItem) override { ItemPropertiesChanged(AItem); }

  virtual void ItemPropertiesChanged(TcxEditRepositoryItem*) { Changed(); }
  // The index of the entry for AKey and APriority; an existing one is kept (the first wins).
  virtual int AddItem(TEntryList& AList, TcxRegisteredItemKey AKey, TcxEditRepositoryItem* AItem, int APriority);
  virtual void Changed() {}
  // Nullptr when no default is registered.
  virtual TcxEditRepositoryItem* GetDefaultItem();
  // The highest-priority item of AKey; the default item for key 0 or a key without entries.
  virtual TcxEditRepositoryItem* ItemForKey(TcxRegisteredItemKey AKey);
  virtual int RegisterDefaultItem(int APriority, TcxEditRepositoryItem* AItem);
  virtual int RegisterItem(TcxRegisteredItemKey AKey, int APriority, TcxEditRepositoryItem* AItem);
  virtual void UnregisterDefaultItem(int APriority);
  virtual void UnregisterItem(TcxRegisteredItemKey AKey, int APriority);

  TcxEditRepositoryItem* GetItem(TcxRegisteredItemKey AKey) { return ItemForKey(AKey); }
  void Clear();
  const TEntryList& DefaultEntries() const { return defaultEntries_; }
  const TEntryList& KeyedEntries() const { return keyedEntries_; }

 protected:
  // Entries run by key, then priority, both descending. Found: AIndex is a matching entry (the
  // highest priority for AnyPriority); not found: where the probe belongs.
  static bool FindEntry(const TEntryList& AList, TcxRegisteredItemKey AKey, int& AIndex, int APriority);
  void DeleteEntry(TEntryList& AList, int AIndex);
  // Deletes every entry of AList whose item is AItem.
  void DeleteItemEntries(TEntryList& AList, TcxEditRepositoryItem* AItem);
  void ClearList(TEntryList& AList);
  // Whether any list of the registry still refers to AItem.
  virtual bool UsesItem(TcxEditRepositoryItem* AItem) const;
  static bool ListUsesItem(const TEntryList& AList, TcxEditRepositoryItem* AItem);

 private:
  TEntryList defaultEntries_;
  TEntryList keyedEntries_;
};
